// The frame's value and display objects and its own main-menu items on a real skinned
// form: their arithmetic as tables, their looks by pixels, the value access by name, the
// animation stepped tick by tick, degenerate records, and the main menu opened by clicks
// and keys.
#include "skin/form/SkinForm.h"
#include "tests/skin/form/MenuTestSupport.h"
#include "tests/skin/form/ObjectTestSkins.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/UserInput.h"

#include "classlib/GdiCounter.h"
#include "classlib/Paths.h"

namespace {

COLORREF Rgb(TColor C) {
    return static_cast<COLORREF>(ColorToRGB(C)) & 0xFFFFFF;
}

class SkinObjects : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Form->SetCaption("Objects");
        Skin = new TskSkinForm(Form);
        Form->SetBounds(60, 60, objectskins::kWidth, objectskins::kHeight);
        Menu = new TMainMenu(Form);
        for (const char* caption : {"&Pages", "&Segments", "&Help"}) {
            TMenuItem* top = AddLoggedItem(Form, Menu->GetItems(), caption, Log);
            top->SetName(StripHotkey(caption));
            AddLoggedItem(Form, top, (std::string(caption) + " one").c_str(), Log);
        }
        Skin->SetMainMenu(Menu);
        Pump();
    }
    void TearDown() override {
        Skin->GetSkinMenu()->CloseMenu(0);
        ShownFormTest::TearDown();
    }
    void UseSkin(const objectskins::Options& O = objectskins::Options()) {
        Data = new TskSkinData(Form);
        objectskins::Build(Data, O);
        Skin->SetSkinData(Data);
        Pump();
    }
    template <class T> T* Object(const char* Name) {
        return dynamic_cast<T*>(Skin->GetObject(Skin->GetIndex(Name)));
    }
    TRect Window() {
        RECT r;
        GetWindowRect(Form->GetHandle(), &r);
        return TRect(r.left, r.top, r.right, r.bottom);
    }
    void NcPress(int X, int Y) {
        const TRect w = Window();
        SendMessageA(Form->GetHandle(), WM_NCLBUTTONDOWN, HTOBJECT_FRAME, MAKELPARAM(w.Left + X, w.Top + Y));
        Pump();
        SendMessageA(Form->GetHandle(), WM_LBUTTONUP, 0, 0);
        Pump();
    }
    void Key(Word K) {
        PostMessageA(Form->GetHandle(), WM_KEYDOWN, K, 1);
        Pump();
    }
    std::unique_ptr<TBitmap> Shot(const char* Name) {
        RedrawWindow(Form->GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        Pump();
        auto shot = CaptureWindow(Form->GetHandle());
        shot->SaveToFile(ExeDir() + Name);
        return shot;
    }
    int Levels() { return Skin->GetSkinMenu()->GetCount(); }

    TskSkinForm* Skin = nullptr;
    TskSkinData* Data = nullptr;
    TMainMenu* Menu = nullptr;
    std::vector<std::string> Log;
};

TEST_F(SkinObjects, ArithmeticTables) {
    const std::pair<double, int> nearest[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {2.4, 2}, {2.6, 3}};
    for (auto [x, n] : nearest) EXPECT_EQ(NearInt(x), n) << x;

    UseSkin();
    auto* track = Object<TskSkinTrackBarObject>("track");
    ASSERT_TRUE(track);
    EXPECT_FALSE(track->Vertical);
    // Begin 4, end 56, range 0..52: one value per pixel; halves of the range round to even.
    EXPECT_EQ(track->CalcButtonPos(26), TPoint(30, 8));
    track->MaxValue = 104;
    EXPECT_EQ(track->CalcButtonPos(1), TPoint(4, 8)); // 0.5 rounds to 0
    EXPECT_EQ(track->CalcButtonPos(3), TPoint(6, 8)); // 1.5 rounds to 2
    track->ButtonPos = TPoint(30, 8);
    EXPECT_EQ(track->CalcValue(), 52);
    // A tie of the two spans is vertical; vertical tracks rise from BeginPoint.
    TskDataSkinTrackBar record("tie");
    record.BeginPoint = TPoint(0, 40);
    record.EndPoint = TPoint(40, 0);
    record.MaxValue = 52;
    TskSkinTrackBarObject tie(Skin, &record);
    EXPECT_TRUE(tie.Vertical);
    EXPECT_EQ(tie.CalcButtonPos(52), TPoint(0, 0));
    EXPECT_EQ(tie.CalcButtonPos(0), TPoint(0, 40));
    // Degenerate: an empty range gives the least position, coinciding ends keep the value.
    tie.MaxValue = tie.MinValue = 7;
    EXPECT_EQ(tie.CalcButtonPos(7), TPoint(0, 40));
    tie.EndPoint = tie.BeginPoint;
    tie.Value = 5;
    EXPECT_EQ(tie.CalcValue(), 5);

    // Caption stretch kinds against the corner points (20,60) (260,60) (20,150) (260,150).
    struct KindCase {
        TRect Skin;
        int Kind;
    };
    const KindCase kinds[] = {{TRect(24, 4, 64, 20), 1}, {TRect(24, 152, 64, 158), 2},
                              {TRect(0, 70, 4, 100), 4}, {TRect(0, 0, 4, 160), 3}};
    TskDataSkinCaption captionRecord("c");
    for (const KindCase& c : kinds) {
        captionRecord.SkinRect = c.Skin;
        TskSkinCaptionObject caption(Skin, &captionRecord);
        EXPECT_EQ(caption.StretchKind(), 0) << "at its own size";
        caption.ObjectRect.Right += 10;
        caption.ObjectRect.Bottom += 10;
        EXPECT_EQ(caption.StretchKind(), c.Kind) << c.Skin.Left << "," << c.Skin.Top;
    }

    auto* strip = Object<TskSkinFrameGaugeObject>("framegauge");
    ASSERT_TRUE(strip);
    struct FrameCase {
        int Count, Min, Max, Value, Frame;
    };
    const FrameCase frames[] = {{4, 0, 30, 0, 1},  {4, 0, 30, 9, 1},   {4, 0, 30, 10, 2}, {4, 0, 30, 30, 4},
                                {4, 0, 2, 1, 1},   {1, 0, 30, 30, 1},  {0, 0, 30, 30, 1}, {4, 5, 5, 5, 1},
                                {4, 0, 5, 5, 4}};
    for (const FrameCase& c : frames) {
        strip->CountFrames = c.Count;
        strip->MinValue = c.Min;
        strip->MaxValue = c.Max;
        strip->Value = c.Value;
        EXPECT_EQ(strip->CalcFrame(), c.Frame) << c.Count << " " << c.Min << ".." << c.Max << " " << c.Value;
    }
}

// Bounds that cross keep every value at the maximum, as in every range control.
TEST_F(SkinObjects, CrossedBoundsKeepTheValueAtTheMaximum) {
    UseSkin();
    auto* track = Object<TskSkinTrackBarObject>("track");
    auto* gauge = Object<TskSkinGaugeObject>("gauge");
    ASSERT_TRUE(track && gauge);
    track->MinValue = gauge->MinValue = 10;
    track->MaxValue = gauge->MaxValue = 5;
    for (int value : {3, 7, 12}) {
        track->SetValue(value);
        gauge->SetValue(value);
        EXPECT_EQ(track->Value, 5) << value;
        EXPECT_EQ(gauge->Value, 5) << value;
    }
}

TEST_F(SkinObjects, EveryKindDrawsItsLookAndTakesValuesByName) {
    UseSkin();
    std::vector<std::pair<std::string, int>> events;
    Skin->OnTrackBarChangeValueEvent =
        TTrackBarChangeValueEvent::FromCallable([&](const AnsiString& N, int V) { events.emplace_back(N.c_str(), V); });
    Skin->OnSwitchChangeStateEvent = TSwitchChangeStateEvent::FromCallable(
        [&](const AnsiString& N, TSwitchState S) { events.emplace_back(N.c_str(), S); });
    Skin->TrackBarSetValue("track", 26);
    Skin->GaugeSetValue("gauge", 50);
    Skin->FrameGaugeSetValue("framegauge", 25);
    Skin->SwitchSetState("switch", swOn);
    Skin->BitLabelSetText("bits", "12345");
    Skin->FrameRegulatorSetValue("regulator", 30);
    EXPECT_EQ(Skin->TrackBarGetValue("track"), 26);
    EXPECT_EQ(Skin->FrameRegulatorGetValue("regulator"), 30);
    EXPECT_EQ(Skin->SwitchGetState("switch"), swOn);
    const std::vector<std::pair<std::string, int>> expected = {{"track", 26}, {"switch", swOn}};
    EXPECT_EQ(events, expected);
    // Missing names and objects of another kind are passed over silently.
    Skin->TrackBarSetValue("gauge", 3);
    Skin->GaugeSetValue("nothing", 3);
    Skin->LabelSetText("track", "x");
    EXPECT_EQ(Skin->TrackBarGetValue("gauge"), 0);
    EXPECT_EQ(Skin->SwitchGetState("track"), swOff);

    auto shot = Shot("skinform_objects.bmp");
    struct Pixel {
        int X, Y;
        TColor Color;
    };
    const Pixel pixels[] = {
        {30, 45, objectskins::kPassed},      // track left of the thumb
        {54, 50, objectskins::kThumb},       // thumb centred at 24 + 30
        {76, 45, objectskins::kTop},         // track right of the thumb
        {92, 45, objectskins::kFill},        // gauge filled to its middle
        {120, 45, objectskins::kTop},        //
        {140, 48, objectskins::kFrames[2]},  // frame gauge at 25 of 0..30
        {160, 48, objectskins::kSwitchOn},   //
        {180, 48, objectskins::kFrames[0]},  // animation at rest
        {195, 50, objectskins::Glyph(1)},    //
        {223, 50, objectskins::Glyph(4)},    //
        {227, 50, objectskins::Glyph(5)},    // the last glyph cut at the label's edge
        {240, 48, objectskins::kFrames[3]},  // regulator at its maximum
    };
    for (const Pixel& p : pixels) EXPECT_EQ(PixelOf(shot.get(), p.X, p.Y), Rgb(p.Color)) << p.X << "," << p.Y;
    int shadow = 0;
    for (int y = 4; y < 20; ++y)
        for (int x = 24; x < 64; ++x) shadow += PixelOf(shot.get(), x, y) == Rgb(objectskins::kShadow) ? 1 : 0;
    EXPECT_GT(shadow, 0) << "the caption text has its shadow";
}

TEST_F(SkinObjects, TwoHundredRedrawsLeaveNoGdiObjects) {
    UseSkin();
    auto cycle = [&](int I) {
        Skin->TrackBarSetValue("track", I % 53);
        Skin->GaugeSetValue("gauge", I % 101);
        Skin->FrameGaugeSetValue("framegauge", I % 31);
        Skin->BitLabelSetText("bits", std::to_string(I).c_str());
        Skin->GetObject(Skin->GetIndex("label"))->MouseEnter();
        Skin->GetObject(Skin->GetIndex("label"))->MouseLeave();
        RedrawWindow(Form->GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    };
    cycle(0);
    Pump();
    const long before = GdiObjectCount();
    for (int i = 1; i <= 200; ++i) cycle(i);
    Pump();
    EXPECT_EQ(GdiObjectCount(), before);
}

TEST_F(SkinObjects, TrackBarAndRegulatorFollowTheMouse) {
    UseSkin();
    ASSERT_TRUE(testskins::Activate(Skin, Form)) << "the form could not be activated";
    auto* track = Object<TskSkinTrackBarObject>("track");
    // A press on the track jumps the thumb there; dragging past the end leaves it alone.
    NcPress(24 + 14, 50);
    EXPECT_EQ(track->Value, 10);
    track->MouseDown(24 + 14, 50, mbLeft);
    EXPECT_TRUE(track->ButtonDown);
    track->MouseMove(24 + 20, 50);
    EXPECT_EQ(track->Value, 16);
    track->MouseMove(24 + 80, 50);
    EXPECT_EQ(track->Value, 16);
    track->MouseUp(24 + 80, 50, mbLeft);
    EXPECT_FALSE(track->ButtonDown);

    // Regulator: 16-px frames, 4 of them, 0..30: a step every 5 px of travel, 10 a step,
    // at most one step per mouse message.
    auto* reg = Object<TskSkinFrameRegulatorObject>("regulator");
    std::vector<int> values;
    Skin->OnFrameRegulatorChangeValueEvent =
        TFrameRegulatorChangeValueEvent::FromCallable([&](const AnsiString&, int V) { values.push_back(V); });
    reg->MouseDown(232, 48, mbLeft);
    reg->MouseMove(235, 48);
    reg->MouseMove(238, 48);
    reg->MouseMove(400, 48);
    reg->MouseMove(380, 48);
    reg->MouseUp(380, 48, mbLeft);
    EXPECT_EQ(values, (std::vector<int>{10, 20, 10}));
}

TEST_F(SkinObjects, AnimationStepsEveryCeilIntervalTicks) {
    UseSkin();
    auto* anim = Object<TskSkinAnimateObject>("animate");
    ASSERT_TRUE(anim);
    Skin->AnimateStart("animate");
    EXPECT_TRUE(Skin->GetAnimateTimer()->GetEnabled());
    std::vector<int> frames;
    for (int i = 0; i < 13; ++i) {
        Skin->TestAnimate(nullptr);
        frames.push_back(anim->Frame);
    }
    // Interval 100: a frame every fourth tick; no cycle: stops at the last frame.
    EXPECT_EQ(frames, (std::vector<int>{1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4}));
    EXPECT_FALSE(anim->Active);
    Skin->TestAnimate(nullptr);
    EXPECT_FALSE(Skin->GetAnimateTimer()->GetEnabled());
    // As a button it plays forward on hover and back to the first frame after.
    Skin->AnimateStop("animate");
    anim->ButtonStyle = true;
    anim->TimerInterval = 25;
    anim->MouseEnter();
    for (int i = 0; i < 6; ++i) Skin->TestAnimate(nullptr);
    EXPECT_EQ(anim->Frame, 4);
    anim->MouseLeave();
    for (int i = 0; i < 6; ++i) Skin->TestAnimate(nullptr);
    EXPECT_EQ(anim->Frame, 1);
    EXPECT_FALSE(anim->Active);
}

TEST_F(SkinObjects, DegenerateAndBrokenRecordsNeverCrash) {
    for (int mutation = 0; mutation < 5; ++mutation) {
        Data = new TskSkinData(Form);
        objectskins::Build(Data);
        for (auto& r : Data->ObjectList) {
            if (mutation == 0) r->ActivePictureIndex = 9;
            if (mutation == 1) r->SkinRect = r->ActiveSkinRect = NullRect();
            if (auto* f = dynamic_cast<TskDataSkinFrameRegulatorObject*>(r.get())) f->CountFrames = mutation;
            if (auto* a = dynamic_cast<TskDataSkinAnimate*>(r.get())) a->CountFrames = mutation - 1;
            if (auto* g = dynamic_cast<TskDataSkinGauge*>(r.get())) g->MaxValue = g->MinValue;
            if (auto* t = dynamic_cast<TskDataSkinTrackBar*>(r.get())) {
                t->MaxValue = t->MinValue;
                if (mutation == 3) t->EndPoint = t->BeginPoint;
            }
            if (auto* b = dynamic_cast<TskDataSkinBitLabel*>(r.get()); b && mutation == 4) b->SymbolWidth = 0;
        }
        if (mutation == 2) Data->ActivePictures[1] = std::make_unique<TBitmap>();
        // A record of another kind under the main-menu item's name gives no items.
        if (mutation == 3) Data->ObjectList.back() = std::make_unique<TskDataSkinButton>("MAINMENUITEM");
        Skin->SetSkinData(Data);
        EXPECT_EQ(Skin->MainMenuItems().size(), mutation == 3 ? 0u : 3u);
        Skin->TrackBarSetValue("track", 5);
        Skin->GaugeSetValue("gauge", 5);
        Skin->AnimateStart("animate");
        for (int i = 0; i < 20; ++i) Skin->TestAnimate(nullptr);
        if (auto* reg = Object<TskSkinFrameRegulatorObject>("regulator")) {
            reg->MouseDown(232, 48, mbLeft);
            reg->MouseMove(300, 48);
            reg->MouseUp(300, 48, mbLeft);
            if (mutation < 2) {
                EXPECT_EQ(reg->CalcFrame(), 1);
                EXPECT_EQ(reg->Value, 0);
            }
        }
        EXPECT_EQ(Skin->TrackBarGetValue("track"), 0);
        Shot("skinform_objects_mutated.bmp");
    }
}

TEST_F(SkinObjects, APaintEventThatDropsTheMenuWhileTheFramePaintsIsSafe) {
    Data = new TskSkinData(Form);
    objectskins::Build(Data);
    objectskins::Add<TskDataUserObject>(Data, "user", TRect(4, 42, 20, 56), NullRect());
    Skin->SetSkinData(Data);
    Pump();
    ASSERT_EQ(Skin->MainMenuItems().size(), 3u);
    int paints = 0;
    Skin->OnPaintEvent = TskPaintEvent::FromCallable([&](const AnsiString&, TCanvas*, const TRect&) {
        // The program takes the menu away while the frame draws its objects.
        if (paints++ == 0) Skin->SetMainMenu(nullptr);
    });
    SendMessageA(Form->GetHandle(), WM_NCPAINT, 1, 0);
    EXPECT_GT(paints, 0);
    EXPECT_TRUE(Skin->MainMenuItems().empty());
    Skin->OnPaintEvent = nullptr;
}

TEST_F(SkinObjects, MainMenuItemsOpenByClickAndKeys) {
    UseSkin();
    auto items = Skin->MainMenuItems();
    ASSERT_EQ(items.size(), 3u);
    Shot("skinform_mainmenu.bmp");
    EXPECT_EQ(items[0]->ObjectRect.Left, 4);
    EXPECT_EQ(items[0]->ObjectRect.Top, 22);
    EXPECT_EQ(items[1]->ObjectRect.Left, items[0]->ObjectRect.Right);
    ASSERT_TRUE(testskins::Activate(Skin, Form)) << "the form could not be activated";
    // A click opens the item's menu below it.
    const TRect second = items[1]->ObjectRect;
    NcPress(second.Left + 5, second.Top + 5);
    ASSERT_EQ(Levels(), 1);
    EXPECT_TRUE(items[1]->Down);
    RECT level;
    GetWindowRect(Skin->GetSkinMenu()->GetLevel(0)->GetHandle(), &level);
    EXPECT_EQ(level.top, Window().Top + second.Bottom);
    auto open = Shot("skinform_mainmenu_open.bmp");
    EXPECT_EQ(PixelOf(open.get(), second.Left + 1, second.Top + 1), Rgb(objectskins::kItemDown));
    // Hovering the neighbour moves the open menu to it.
    items[2]->MouseEnter();
    EXPECT_FALSE(items[1]->Down);
    EXPECT_TRUE(items[2]->Down);
    Key(VK_ESCAPE);
    EXPECT_EQ(Levels(), 0);
    EXPECT_FALSE(items[2]->Down);
    EXPECT_TRUE(Skin->GetMainMenuActive()); // Esc at the top level keeps keyboard menu mode
    Key(VK_ESCAPE);
    EXPECT_FALSE(Skin->GetMainMenuActive());

    // Alt: the first item lights; Right moves on, Return opens, a chosen row runs.
    SendMessageA(Form->GetHandle(), WM_SYSCOMMAND, SC_KEYMENU, 0);
    Pump();
    EXPECT_TRUE(items[0]->Active);
    Key(VK_LEFT);
    EXPECT_TRUE(items[2]->Active);
    Key(VK_RIGHT);
    Key(VK_RETURN);
    ASSERT_EQ(Levels(), 1);
    EXPECT_TRUE(items[0]->Down);
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_EQ(Levels(), 0);
    EXPECT_EQ(Log, (std::vector<std::string>{"Pages one"}));
    // An accelerator with Alt held opens its item.
    KeyDown(VK_MENU);
    PressKey('S');
    KeyUp(VK_MENU);
    EXPECT_TRUE(items[1]->Down);
    EXPECT_EQ(Levels(), 1);
}

TEST_F(SkinObjects, MainMenuItemsThatDoNotFitAreHiddenAndDisabled) {
    for (int i = 0; i < 6; ++i) AddLoggedItem(Form, Menu->GetItems(), ("&Wide item " + std::to_string(i)).c_str(), Log);
    Menu->GetItems()->GetItem(8)->SetEnabled(false);
    UseSkin();
    Skin->UpdateMainMenu(true);
    Pump();
    Shot("skinform_mainmenu_overflow.bmp");
    auto items = Skin->MainMenuItems();
    ASSERT_EQ(items.size(), 9u);
    EXPECT_TRUE(items[0]->ItemVisible);
    EXPECT_FALSE(items[8]->ItemVisible);
    EXPECT_FALSE(items[7]->Enabled);
    Form->SetWidth(900);
    Pump();
    Shot("skinform_mainmenu_wide.bmp");
    EXPECT_TRUE(items[8]->ItemVisible);
    EXPECT_TRUE(items[7]->Enabled);
    EXPECT_FALSE(items[8]->Enabled); // its own disabled state came back
    // A menu without items, or of 500 dividers and trailing "&"s, is drawn without harm.
    Menu->GetItems()->Clear();
    Skin->UpdateMainMenu(true);
    EXPECT_TRUE(Skin->MainMenuItems().empty());
    for (int i = 0; i < 500; ++i) AddLoggedItem(Form, Menu->GetItems(), i % 2 ? "-" : "Item &", Log);
    Skin->UpdateMainMenu(true);
    Pump();
    Shot("skinform_mainmenu_many.bmp");
    EXPECT_EQ(Skin->MainMenuItems().size(), 500u);
    EXPECT_FALSE(Skin->MainMenuItems().back()->ItemVisible);
}

} // namespace

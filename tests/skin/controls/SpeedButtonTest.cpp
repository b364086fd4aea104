// Window-less speed buttons and the menu speed button, driven by mouse messages to the
// form they sit on; the skinned bevel and splitter.
#include "skin/controls/SkinCtrls_Bevels.h"
#include "skin/form/SkinMenus.h"

#include "classlib/FormLoader.h"
#include "classlib/Panels.h"

#include "tests/skin/controls/SkinFixture.h"

namespace {

const TColor kNormal = clRed, kActive = clLime, kDown = clBlue;

class SpeedButtons : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        const int pic = Skin.AddPicture(120, 20);
        Skin.Fill(pic, TRect(0, 0, 40, 20), kNormal);
        Skin.Fill(pic, TRect(40, 0, 80, 20), kActive);
        Skin.Fill(pic, TRect(80, 0, 120, 20), kDown);
        Record = Skin.AddFramed<TskDataSkinButtonControl>("toolbutton", pic, TRect(0, 0, 40, 20));
        Record->ActiveSkinRect = TRect(40, 0, 80, 20);
        Record->DownSkinRect = TRect(80, 0, 120, 20);
    }

    template <typename T = TskSkinSpeedButton> T* Button(int Left) {
        auto* button = new T(Form);
        button->SetParent(Form);
        button->SetBounds(Left, 10, 30, 30);
        button->SetSkinDataName("toolbutton");
        button->SetSkinData(Skin.Data.get());
        button->OnClick = TNotifyEvent(this, &SpeedButtons::Clicked);
        return button;
    }
    void Clicked(TObject* Sender) { Clicks.push_back(Sender); }
    // The button's middle as the form paints it.
    COLORREF Middle(TControl* Button) {
        auto picture = PaintToBitmap(Form);
        return PixelOf(picture.get(), Button->GetLeft() + 15, 25);
    }
    void Press(TControl* Button) { MouseDown(Form, Button->GetLeft() + 5, 15); }
    void Release(TControl* Button) { MouseUp(Form, Button->GetLeft() + 5, 15); }

    TFixtureSkin Skin;
    TskDataSkinButtonControl* Record = nullptr;
    std::vector<TObject*> Clicks;
};

TEST_F(SpeedButtons, LooksFollowThePointerAndThePress) {
    TskSkinSpeedButton* button = Button(10);
    EXPECT_EQ(Middle(button), static_cast<COLORREF>(kNormal));
    MouseMove(Form, 15, 15);
    EXPECT_EQ(Middle(button), static_cast<COLORREF>(kActive));
    Press(button);
    EXPECT_EQ(Middle(button), static_cast<COLORREF>(kDown));
    Release(button);
    EXPECT_EQ(Clicks.size(), 1u);

    // A flat button shows no face until the pointer comes, and never fades.
    Record->Morphing = true;
    TskSkinSpeedButton* flat = Button(100);
    flat->SetFlat(true);
    Form->SetColor(clWhite);
    EXPECT_EQ(Middle(flat), ColorToRGB(clWhite));
    MouseMove(Form, 105, 15);
    EXPECT_FALSE(flat->IsMorphing());
    EXPECT_EQ(Middle(flat), static_cast<COLORREF>(kActive));
}

TEST_F(SpeedButtons, GroupsClickOnThePressAndAllowAllUpLiftsOnTheRelease) {
    TskSkinSpeedButton* a = Button(10);
    TskSkinSpeedButton* b = Button(50);
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    Press(a);
    EXPECT_EQ(Clicks, std::vector<TObject*>{a});
    Release(a);
    Press(b);
    Release(b);
    EXPECT_FALSE(a->GetDown());
    EXPECT_TRUE(b->GetDown());

    a->SetAllowAllUp(true);
    b->SetAllowAllUp(true);
    Clicks.clear();
    Press(b);
    EXPECT_TRUE(Clicks.empty());
    Release(b);
    EXPECT_FALSE(b->GetDown());
    EXPECT_EQ(Clicks, std::vector<TObject*>{b});
    Press(a);
    Release(a);
    Press(b);
    Release(b);
    EXPECT_TRUE(a->GetDown());
    EXPECT_TRUE(b->GetDown());
}

TEST_F(SpeedButtons, RepeatFollowsThePointerWhileHeld) {
    TskSkinSpeedButton* button = Button(10);
    button->SetRepeatMode(true);
    Press(button);
    ASSERT_TRUE(button->IsRepeating());
    button->RepeatTimerProc();
    button->RepeatTimerProc();
    button->RepeatTimerProc();
    MouseMove(Form, 200, 100);
    EXPECT_FALSE(button->IsRepeating());
    MouseMove(Form, 15, 15);
    EXPECT_TRUE(button->IsRepeating());
    MouseMove(Form, 200, 100);
    MouseUp(Form, 200, 100);
    EXPECT_EQ(Clicks.size(), 3u);
    EXPECT_FALSE(button->GetDown());
}

TEST_F(SpeedButtons, SpacingFourSurvivesAFormRoundTrip) {
    TskSkinSpeedButton* button = Button(10);
    button->SetName("SB_Tool");
    button->SetSkinData(nullptr);
    button->SetSpacing(4);
    button->SetMargin(-2);
    EXPECT_EQ(button->GetMargin(), -1);
    const AnsiString text = WriteComponentText(Form);
    EXPECT_NE(text.find("Spacing = 4"), AnsiString::npos) << text;
}

// A popup that opens (or not) and remembers where.
class TTestPopup : public TskSkinPopupMenu {
public:
    explicit TTestPopup(TComponent* AOwner) : TskSkinPopupMenu(AOwner) {}
    bool PopupFromRect2(TControl* Control, const TRect& R, bool Flag) override {
        TskSkinPopupMenu::PopupFromRect2(Control, R, Flag);
        Where = R;
        return Opens;
    }
    bool Opens = true;
    TRect Where;
};

TEST_F(SpeedButtons, TheMenuButtonTracksUntilTheMenuCloses) {
    auto* button = Button<TskSkinMenuSpeedButton>(10);
    auto* popup = new TTestPopup(Form);
    button->SetSkinPopupMenu(popup);
    Press(button);
    EXPECT_TRUE(button->IsMenuTracking());
    EXPECT_TRUE(button->GetDown());
    const TPoint origin = button->ClientToScreen(TPoint(0, 0));
    EXPECT_EQ(popup->Where, TRect(origin.X, origin.Y, origin.X + 30, origin.Y + 30));
    Release(button);
    EXPECT_TRUE(button->GetDown());
    button->Perform(WM_CLOSESKINMENU, 0, 0);
    EXPECT_FALSE(button->IsMenuTracking());
    EXPECT_FALSE(button->GetDown());

    // A menu that does not open leaves tracking and Down at once.
    popup->Opens = false;
    Press(button);
    EXPECT_FALSE(button->IsMenuTracking());
    EXPECT_FALSE(button->GetDown());
    Release(button);

    // In track-button mode only the drop-down part opens the menu.
    button->SetTrackButtonMode(true);
    button->SetSkinData(nullptr);
    popup->Opens = true;
    Press(button);
    EXPECT_FALSE(button->IsMenuTracking());
    Release(button);
    EXPECT_EQ(Clicks.size(), 1u);
    MouseDown(Form, 10 + 25, 15);
    EXPECT_TRUE(button->IsMenuTracking());
    button->Perform(WM_CLOSESKINMENU, 0, 0);
}

TEST_F(SpeedButtons, TheBevelTakesTheSkinsColoursAndDrawsADividerGroove) {
    Form->SetColor(clWhite);
    auto* bevel = Add<TskSkinBevel>(Form, 10, 60, 100, 10);
    bevel->SetShape(bsTopLine);
    bevel->SetDividerMode(true);
    auto* record = Skin.Add<TskDataSkinBevel>("bevel");
    record->LightColor = clYellow;
    record->DarkColor = clPurple;
    bevel->SetSkinData(Skin.Data.get());
    auto picture = PaintToBitmap(Form);
    // Lowered: the dark colour on the top and left, the light one on the bottom and right.
    EXPECT_EQ(PixelOf(picture.get(), 10 + 50, 60 + 4), ColorToRGB(clPurple));
    EXPECT_EQ(PixelOf(picture.get(), 10 + 50, 60 + 5), ColorToRGB(clYellow));
    EXPECT_EQ(PixelOf(picture.get(), 10 + 1, 60 + 4), ColorToRGB(clWhite));
    EXPECT_EQ(PixelOf(picture.get(), 10 + 50, 60 + 3), ColorToRGB(clWhite));
    bevel->SetSkinData(nullptr);
    auto plain = PaintToBitmap(Form);
    EXPECT_EQ(PixelOf(plain.get(), 10 + 50, 60 + 4), ColorToRGB(clBtnShadow));
}

TEST_F(SpeedButtons, TheSplitterTakesTheSkinsThicknessAndThreeSlices) {
    const int pic = Skin.AddPicture(30, 6);
    Skin.Fill(pic, TRect(0, 0, 5, 6), clRed);
    Skin.Fill(pic, TRect(5, 0, 25, 6), clLime);
    Skin.Fill(pic, TRect(25, 0, 30, 6), clBlue);
    auto* record = Skin.Add<TskDataSkinSplitterControl>("hsplitter");
    record->PictureIndex = pic;
    record->SkinRect = TRect(0, 0, 30, 6);
    record->LTPoint = TPoint(5, 0);
    record->RTPoint = TPoint(25, 0);
    auto* top = Add<TPanel>(Form, 0, 0, 100, 50);
    top->SetAlign(alTop);
    auto* splitter = Add<TskSkinSplitter>(Form, 0, 50, 100, 3);
    splitter->SetAlign(alTop);
    splitter->SetSkinDataName("hsplitter");
    splitter->SetSkinData(Skin.Data.get());
    EXPECT_EQ(splitter->GetHeight(), 6);
    EXPECT_EQ(splitter->GetMinSize(), 6);
    auto picture = PaintToBitmap(Form);
    const int y = splitter->GetTop() + 3;
    const int right = splitter->GetWidth() - 1;
    EXPECT_EQ(PixelOf(picture.get(), 2, y), static_cast<COLORREF>(clRed));
    EXPECT_EQ(PixelOf(picture.get(), right / 2, y), static_cast<COLORREF>(clLime));
    EXPECT_EQ(PixelOf(picture.get(), right - 2, y), static_cast<COLORREF>(clBlue));
    splitter->SetSkinData(nullptr);
    EXPECT_EQ(splitter->GetHeight(), 10);
}

} // namespace

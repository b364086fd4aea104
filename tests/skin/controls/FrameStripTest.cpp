// The frame-strip controls: the frame for a value and the regulator's steps as tables, the
// switch and the animation tick by tick, frames painted as the record's picture holds them,
// regions from masks, form resources, damaged skins, the regulator dragged by the pointer,
// and screenshots (frames-skinned.bmp, frames-default.bmp) beside the test program.
#include "skin/controls/SkinCtrls_FrameStrips.h"

#include "classlib/FormLoader.h"
#include "classlib/Streams.h"

#include "tests/skin/controls/DemoPictures.h"
#include "tests/skin/controls/SkinFixture.h"

#include <chrono>
#include <functional>

namespace {

using enum TskSkinSwitchState;

// Frame i of every test strip is kFrames[i], its top-left pixel black.
const TColor kFrames[] = {clRed,    clLime,  clBlue, clYellow, clFuchsia, clAqua,
                          clMaroon, clGreen, clNavy, clOlive,  clPurple,  clTeal};
// Timers that never fire by themselves while a test runs: ticks are sent.
constexpr Cardinal kNoTicks = 3600000;

void PaintStrip(TBitmap* Picture, TPoint At, int Count, TFramesPlacement Placement, int W, int H) {
    for (int i = 0; i < Count; ++i) {
        const TPoint o = Placement == fpHorizontal ? TPoint(At.X + i * W, At.Y)
                                                   : TPoint(At.X, At.Y + i * H);
        Picture->GetCanvas()->GetBrush()->SetColor(kFrames[i % 12]);
        Picture->GetCanvas()->FillRect(Bounds(o.X, o.Y, W, H));
        Picture->GetCanvas()->SetPixels(o.X, o.Y, clBlack);
    }
}

std::unique_ptr<TBitmap> Strip(int Count, TFramesPlacement Placement, int W, int H) {
    auto strip = std::make_unique<TBitmap>(Placement == fpHorizontal ? Count * W : W,
                                           Placement == fpHorizontal ? H : Count * H, pf24bit);
    PaintStrip(strip.get(), TPoint(0, 0), Count, Placement, W, H);
    return strip;
}

void UseStrip(TskFrameSkinControl* Control, int Count, TFramesPlacement Placement, int W, int H) {
    Control->SetDefaultFramesCount(Count);
    Control->SetDefaultFramesPlacement(Placement);
    Control->SetDefaultImage(Strip(Count, Placement, W, H).get());
}

// A mask of W x H, black in Black.
std::unique_ptr<TBitmap> Mask(int W, int H, const TRect& Black) {
    auto mask = std::make_unique<TBitmap>(W, H, pf24bit);
    mask->GetCanvas()->GetBrush()->SetColor(clWhite);
    mask->GetCanvas()->FillRect(TRect(0, 0, W, H));
    mask->GetCanvas()->GetBrush()->SetColor(clBlack);
    mask->GetCanvas()->FillRect(Black);
    return mask;
}

bool SameImage(TBitmap* A, TBitmap* B) {
    if (A->GetWidth() != B->GetWidth() || A->GetHeight() != B->GetHeight()) return false;
    for (int y = 0; y < A->GetHeight(); ++y)
        for (int x = 0; x < A->GetWidth(); ++x)
            if (PixelOf(A, x, y) != PixelOf(B, x, y)) return false;
    return true;
}

class FrameStrips : public ShownFormTest {
public:
    void Changed(TObject*) { ++Changes; }
    void Started(TObject*) { ++Starts; }
    void Stopped(TObject*) { ++Stops; }

protected:
    // A record whose strip of Count frames (at least 2) lies at (4, 6) of a picture of its own.
    template <typename R>
    R* AddRecord(const char* Name, int Count, TFramesPlacement Placement, int W, int H) {
        const int n = std::max(Count, 2);
        const int pic = Skin.AddPicture(8 + n * W, 10 + n * H);
        PaintStrip(Skin.Data->ActivePictures.back().get(), TPoint(4, 6), n, Placement, W, H);
        R* record = Skin.Add<R>(Name);
        record->PictureIndex = pic;
        record->SkinRect = Bounds(4, 6, Placement == fpHorizontal ? n * W : W,
                                  Placement == fpHorizontal ? H : n * H);
        record->FramesCount = Count;
        record->FramesPlacement = Placement;
        return record;
    }
    template <typename T> T* Place(int Left = 10) {
        T* control = Add<T>(Form, Left, 10, 60, 60);
        if constexpr (std::is_base_of_v<TskFrameTimerControl, T>)
            control->SetTimerInterval(kNoTicks);
        return control;
    }
    // The frame the control shows on the screen, by its colour; 0 for none.
    int Shown(TWinControl* Control) {
        auto picture = PaintToBitmap(Control);
        const int x = Control->GetWidth() / 2, y = Control->GetHeight() / 2;
        const COLORREF c = PixelOf(picture.get(), x, y);
        for (int i = 0; i < 12; ++i)
            if (c == ColorToRGB(kFrames[i])) return i + 1;
        return 0;
    }
    // One tick as the system's timer gives it.
    static void Tick(TskFrameTimerControl* Control) {
        SendMessageA(Control->GetTimer()->GetWindowHandle(), WM_TIMER, 1, 0);
    }

    TFixtureSkin Skin;
    int Changes = 0, Starts = 0, Stops = 0;
};

// ---- Value geometry -------------------------------------------------------------------------

TEST(FrameForValue, EqualStepsFromTheMinimumAndFrameOneWhereThereIsNoStep) {
    struct Row {
        int Value, Min, Max, Count, Frame;
    };
    const int least = -2147483647 - 1, most = 2147483647;
    const Row rows[] = {
        {0, 0, 100, 5, 1},   {24, 0, 100, 5, 1},   {25, 0, 100, 5, 2},  {99, 0, 100, 5, 4},
        {100, 0, 100, 5, 5}, {0, -10, 10, 3, 2},   {10, -10, 10, 3, 3},
        // 100 / 6 = 16 values a step: 96 and up is the last frame.
        {95, 0, 100, 7, 6},  {96, 0, 100, 7, 7},
        // No whole step: one frame, none, an empty range, a range smaller than the frames,
        // a turned range.
        {50, 0, 100, 1, 1},  {50, 0, 100, 0, 1},   {5, 5, 5, 4, 1},     {3, 0, 3, 10, 1},
        {0, 10, 0, 4, 1},    {most, least, most, 3, 3}, {least, least, most, 3, 1},
    };
    for (const Row& row : rows)
        EXPECT_EQ(FrameForValue(row.Value, row.Min, row.Max, row.Count), row.Frame)
            << row.Value << " of " << row.Min << ".." << row.Max << " on " << row.Count;
}

TEST_F(FrameStrips, AGaugeShowsTheFrameOfItsValueFromItsFirstStripOn) {
    // A new gauge at 50 shows the frame of 50 once it has a strip.
    auto* gauge = Place<TskSkinFrameGauge>();
    EXPECT_FALSE(gauge->HasPicture());
    UseStrip(gauge, 5, fpHorizontal, 20, 16);
    EXPECT_EQ(Shown(gauge), 3);
    gauge->SetDefaultFramesCount(3);
    EXPECT_EQ(gauge->GetFrame(), 2);

    AddRecord<TskDataSkinFrameGauge>("framegauge", 5, fpHorizontal, 20, 16);
    gauge->SetSkinData(Skin.Data.get());
    for (auto [value, frame] : {std::pair{0, 1}, {30, 2}, {74, 3}, {75, 4}, {100, 5}, {60, 3}}) {
        gauge->SetValue(value);
        EXPECT_EQ(Shown(gauge), frame) << value;
    }
    // Values outside the range are ignored; a narrowed range takes the value along.
    gauge->SetValue(101);
    gauge->SetValue(-1);
    EXPECT_EQ(gauge->GetValue(), 60);
    gauge->SetMaxValue(40);
    EXPECT_EQ(gauge->GetValue(), 40);
    EXPECT_EQ(Shown(gauge), 5);
    // A range of 3 on 5 frames has no whole step: frame 1.
    gauge->SetMinValue(0);
    gauge->SetMaxValue(3);
    gauge->SetValue(2);
    EXPECT_EQ(Shown(gauge), 1);
}

TEST_F(FrameStrips, TheControlIsOneFrameLargeAndPaintsTheFrameAsThePictureHoldsIt) {
    auto* record = AddRecord<TskDataSkinFrameGauge>("framegauge", 4, fpVertical, 24, 10);
    auto* gauge = Place<TskSkinFrameGauge>();
    gauge->SetSkinData(Skin.Data.get());
    gauge->SetBounds(10, 10, 200, 100);
    EXPECT_EQ(TPoint(gauge->GetWidth(), gauge->GetHeight()), TPoint(24, 10));
    TBitmap* picture = Skin.Data->ActivePictures.back().get();
    for (int value : {0, 40, 70, 100}) {
        gauge->SetValue(value);
        TBitmap expected(24, 10, pf24bit);
        expected.GetCanvas()->CopyRect(TRect(0, 0, 24, 10), picture->GetCanvas(),
                                       Bounds(4, 6 + (gauge->GetFrame() - 1) * 10, 24, 10));
        EXPECT_TRUE(SameImage(PaintToBitmap(gauge).get(), &expected)) << gauge->GetFrame();
    }
    // A skin strip always has two frames at least.
    record->FramesCount = 1;
    record->SkinRect = Bounds(4, 6, 24, 20);
    gauge->ChangeSkinData();
    EXPECT_EQ(gauge->GetFramesCount(), 2);
    EXPECT_EQ(gauge->GetHeight(), 10);
}

// ---- Switch and animation -------------------------------------------------------------------

TEST_F(FrameStrips, ASwitchChangesTwoFramesAtOnceAndStepsALongerStripEveryTick) {
    auto* two = Place<TskSkinSwitch>();
    UseStrip(two, 2, fpHorizontal, 20, 30);
    two->OnChange = TNotifyEvent(this, &FrameStrips::Changed);
    two->SetState(swOn);
    EXPECT_EQ(Shown(two), 2);
    EXPECT_FALSE(two->IsRunning());
    // The user's release over it toggles it, not one dragged off first.
    MouseDown(two, 5, 5);
    MouseUp(two, 5, 5);
    EXPECT_EQ(two->GetState(), swOff);
    MouseDown(two, 5, 5);
    MouseAway(two);
    MouseUp(two, -20, -20);
    EXPECT_EQ(two->GetState(), swOff);
    EXPECT_EQ(Changes, 2);

    auto* four = Place<TskSkinSwitch>(80);
    UseStrip(four, 4, fpHorizontal, 20, 30);
    four->SetState(swOn);
    for (int frame : {1, 2, 3, 4}) {
        EXPECT_EQ(Shown(four), frame);
        EXPECT_TRUE(four->IsRunning());
        Tick(four);
    }
    // The tick after the end frame stops it.
    EXPECT_EQ(Shown(four), 4);
    EXPECT_FALSE(four->IsRunning());
    four->SetState(swOff);
    four->DoAnimate();
    EXPECT_EQ(four->GetFrame(), 3);
    // A new strip shows the end frame of the state at once.
    four->SetState(swOn);
    four->SetDefaultFramesCount(3);
    EXPECT_EQ(four->GetFrame(), 3);
    EXPECT_FALSE(four->IsRunning());
}

TEST_F(FrameStrips, AnAnimationPlaysOnceOrCyclesAndAButtonOneFollowsThePointer) {
    auto animation = [&](int Left, auto Setup) {
        auto* control = Place<TskSkinAnimate>(Left);
        UseStrip(control, 3, fpHorizontal, 20, 20);
        control->OnStart = TNotifyEvent(this, &FrameStrips::Started);
        control->OnStop = TNotifyEvent(this, &FrameStrips::Stopped);
        Setup(control);
        return control;
    };
    auto* once = animation(10, [](TskSkinAnimate* A) { A->SetActive(true); });
    for (int frame : {2, 3, 3}) {
        Tick(once);
        EXPECT_EQ(Shown(once), frame);
    }
    // The last frame stays, the timer runs on; a new start is from the first frame.
    EXPECT_TRUE(once->IsRunning());
    once->SetActive(false);
    once->SetActive(true);
    EXPECT_EQ(once->GetFrame(), 1);
    EXPECT_EQ(Starts, 2);
    EXPECT_EQ(Stops, 1);

    auto* cycle = animation(40, [](TskSkinAnimate* A) {
        A->SetCycleMode(true);
        A->SetActive(true);
    });
    for (int frame : {2, 3, 1}) {
        cycle->DoAnimate();
        EXPECT_EQ(cycle->GetFrame(), frame);
    }

    auto* button = animation(70, [](TskSkinAnimate* A) { A->SetButtonMode(true); });
    MouseMove(button, 5, 5);
    EXPECT_TRUE(button->IsRunning());
    button->DoAnimate();
    button->DoAnimate();
    EXPECT_EQ(button->GetFrame(), 3);
    MouseAway(button);
    for (int frame : {2, 1, 1}) {
        button->DoAnimate();
        EXPECT_EQ(button->GetFrame(), frame);
    }
    EXPECT_FALSE(button->IsRunning());
    EXPECT_EQ(Stops, 2);

    // Made active before it had frames (a form read before its skin): it starts with them.
    AddRecord<TskDataSkinAnimateControl>("animate", 4, fpHorizontal, 16, 16);
    auto* early = animation(100, [](TskSkinAnimate* A) {
        A->SetDefaultImage(nullptr);
        A->SetActive(true);
    });
    EXPECT_FALSE(early->IsRunning());
    early->SetSkinData(Skin.Data.get());
    EXPECT_TRUE(early->IsRunning());
    early->DoAnimate();
    EXPECT_EQ(Shown(early), 2);
}

// ---- Regulator -------------------------------------------------------------------------------

class Regulator : public FrameStrips {
protected:
    // 11 frames of 40 x 40 over 0..100: a frame is 10 values and, along a side, 4 pixels.
    TskSkinFrameRegulator* Make(TRegulatorKind Kind) {
        auto* control = Place<TskSkinFrameRegulator>();
        UseStrip(control, 11, fpHorizontal, 40, 40);
        control->SetDefaultKind(Kind);
        control->OnChange = TNotifyEvent(this, &FrameStrips::Changed);
        return control;
    }
    static void MoveHeld(TWinControl* Control, int X, int Y, WPARAM Buttons = MK_LBUTTON) {
        SendMessageA(Control->GetHandle(), WM_MOUSEMOVE, Buttons, MAKELPARAM(X, Y));
    }
};

TEST_F(Regulator, EachMouseMoveStepsOneValueStepAtMostInTheKindsDirection) {
    struct Move {
        int X, Y, Value;
    };
    struct Drag {
        TRegulatorKind Kind;
        TPoint Press;
        std::vector<Move> Moves;
    };
    const Drag drags[] = {
        // Rightwards: under 4 pixels is no step, a long move one step only.
        {rkHorizontal,
         {20, 20},
         {{22, 20, 50}, {24, 5, 60}, {25, 20, 60}, {39, 20, 70}, {0, 20, 60}, {-4, 0, 50}}},
        // Upwards; sideways moves do nothing.
        {rkVertical, {20, 20}, {{35, 20, 50}, {20, 16, 60}, {20, 12, 70}, {0, 30, 60}}},
        // Up and to the right: X - Y.
        {rkRound, {20, 20}, {{22, 18, 60}, {20, 20, 50}, {18, 20, 50}, {17, 21, 40}}},
        // Clamped at the end.
        {rkHorizontal, {0, 0}, {{5, 0, 60}, {10, 0, 70}, {15, 0, 80}, {20, 0, 90}, {25, 0, 100},
                                {30, 0, 100}, {26, 0, 90}}},
    };
    for (const Drag& drag : drags) {
        TskSkinFrameRegulator* control = Make(drag.Kind);
        MouseDown(control, drag.Press.X, drag.Press.Y);
        for (const Move& move : drag.Moves) {
            MoveHeld(control, move.X, move.Y);
            EXPECT_EQ(control->GetValue(), move.Value)
                << drag.Kind << " " << move.X << "," << move.Y;
            EXPECT_EQ(control->GetFrame(), move.Value / 10 + 1);
        }
        MouseUp(control, 0, 0);
        delete control;
    }
    EXPECT_EQ(Changes, 16);
}

TEST_F(Regulator, AMoveWithoutAButtonEndsADragWhoseReleaseWentElsewhere) {
    TskSkinFrameRegulator* control = Make(rkHorizontal);
    MouseDown(control, 20, 20);
    MoveHeld(control, 30, 20);
    ReleaseCapture();
    MoveHeld(control, 39, 20, 0);
    MoveHeld(control, 20, 20, MK_LBUTTON);
    EXPECT_FALSE(control->IsDragging());
    EXPECT_EQ(control->GetValue(), 60);
}

// The pointer and the button as a person moves them: input to the system, then a wait until
// the regulator has seen it.
class RegulatorByHand : public Regulator {
protected:
    void SetUp() override {
        Regulator::SetUp();
        Control = Make(rkHorizontal);
        Control->OnMouseMove = TMouseMoveEvent::FromCallable(
            [this](TObject*, TShiftState, int X, int Y) { Seen = TPoint(X, Y); });
        Control->OnMouseUp = TMouseEvent::FromCallable(
            [this](TObject*, TMouseButton, TShiftState, int, int) { Released = true; });
        SetForegroundWindow(Form->GetHandle());
    }
    // Sends the input at client point P and waits, two seconds at most, until Done.
    bool Input(DWORD Flags, TPoint P, const std::function<bool()>& Done) {
        const TPoint at(Control->GetClientOrigin().X + P.X, Control->GetClientOrigin().Y + P.Y);
        SendMouseInput(Flags, at);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (!Done()) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            Pump();
        }
        return true;
    }
    bool MoveTo(TPoint P) { return Input(0, P, [&] { return Seen == P; }); }

    TskSkinFrameRegulator* Control = nullptr;
    TPoint Seen{-1, -1};
    bool Released = false;
};

TEST_F(RegulatorByHand, ADragToTheRightTurnsItUpOneFramePerMoveAndStopsAtTheEnd) {
    ASSERT_TRUE(MoveTo(TPoint(5, 20)));
    ASSERT_TRUE(Input(MOUSEEVENTF_LEFTDOWN, TPoint(5, 20), [&] { return Control->IsDragging(); }));
    // Moves of 7 pixels: more than a frame's 4, less than two frames'; past the right edge
    // the control keeps the mouse.
    for (int x = 12, value = 60; x <= 68; x += 7, value = std::min(value + 10, 100)) {
        ASSERT_TRUE(MoveTo(TPoint(x, 20))) << x;
        EXPECT_EQ(Control->GetValue(), value) << x;
    }
    ASSERT_TRUE(MoveTo(TPoint(61, 25)));
    EXPECT_EQ(Control->GetValue(), 90);
    ASSERT_TRUE(Input(MOUSEEVENTF_LEFTUP, TPoint(61, 25), [&] { return Released; }));
    EXPECT_FALSE(Control->IsDragging());
    EXPECT_EQ(Shown(Control), 10);
    ASSERT_TRUE(MoveTo(TPoint(20, 20)));
    EXPECT_EQ(Control->GetValue(), 90);
}

// ---- Regions, damaged skins, form resources -------------------------------------------------

TEST_F(FrameStrips, TheMaskInUseCutsTheWindowAndTheDefaultMaskReturnsWithoutTheSection) {
    auto* gauge = Place<TskSkinFrameGauge>();
    UseStrip(gauge, 3, fpHorizontal, 30, 20);
    EXPECT_EQ(RegionBox(gauge), TRect());
    // Each new region replaces the last, which the window owns.
    for (int i = 0; i < 20; ++i) {
        gauge->SetDefaultMask(Mask(30, 20, TRect(0, 0, 12 + i % 5, 20)).get());
        ASSERT_EQ(RegionBox(gauge), TRect(0, 0, 12 + i % 5, 20)) << i;
    }
    // A mask without black leaves the window whole.
    gauge->SetDefaultMask(Mask(30, 20, TRect()).get());
    EXPECT_EQ(RegionBox(gauge), TRect());
    gauge->SetDefaultMask(Mask(30, 20, TRect(5, 0, 30, 20)).get());

    auto* record = AddRecord<TskDataSkinFrameGauge>("framegauge", 2, fpHorizontal, 16, 16);
    record->MaskPictureIndex = Skin.AddPicture(16, 16);
    Skin.Fill(record->MaskPictureIndex, TRect(0, 0, 16, 8), clBlack);
    gauge->SetSkinData(Skin.Data.get());
    EXPECT_EQ(RegionBox(gauge), TRect(0, 0, 16, 8));
    gauge->SetSkinDataName("nosuchsection");
    gauge->ChangeSkinData();
    EXPECT_EQ(TPoint(gauge->GetWidth(), gauge->GetHeight()), TPoint(30, 20));
    EXPECT_EQ(RegionBox(gauge), TRect(5, 0, 30, 20));
    gauge->SetDefaultMask(nullptr);
    EXPECT_EQ(RegionBox(gauge), TRect());
}

TEST_F(FrameStrips, DamagedRecordsGiveTheDefaultOrABlankLookAndNoErrors) {
    auto* gauge = Place<TskSkinFrameGauge>();
    UseStrip(gauge, 3, fpHorizontal, 30, 20);
    // A record of another kind under the control's name: the default strip.
    Skin.Add<TskDataSkinButtonControl>("framegauge");
    gauge->SetSkinData(Skin.Data.get());
    EXPECT_EQ(gauge->GetSkinIndex(), -1);
    EXPECT_EQ(Shown(gauge), 2);

    auto* record = AddRecord<TskDataSkinFrameGauge>("strip", 4, fpHorizontal, 10, 12);
    gauge->SetSkinDataName("strip");
    // A picture outside the list, or a strip outside the picture: a blank frame.
    for (auto [picture, rect] : {std::pair{99, record->SkinRect}, {0, TRect(990, 6, 1030, 18)}}) {
        record->PictureIndex = picture;
        record->SkinRect = rect;
        record->MaskPictureIndex = -7;
        gauge->ChangeSkinData();
        EXPECT_EQ(TPoint(gauge->GetWidth(), gauge->GetHeight()), TPoint(10, 12));
        EXPECT_EQ(Shown(gauge), 0);
    }
    // A strip reaching past the picture's edge, more frames than pixels, no rectangle, a
    // turned one: what lies inside the picture, or nothing.
    const int edge = Skin.Data->ActivePictures[0]->GetWidth();
    for (auto [count, rect] : {std::pair{4, Bounds(edge - 25, 6, 40, 12)},
                               {1000000, TRect(4, 6, 14, 18)}, {3, TRect()},
                               {3, TRect(40, 20, 4, 6)}}) {
        record->FramesCount = count;
        record->SkinRect = rect;
        gauge->ChangeSkinData();
        gauge->SetValue(gauge->GetValue() == 10 ? 90 : 10);
        PaintToBitmap(gauge);
    }
    EXPECT_FALSE(gauge->HasPicture());
    EXPECT_TRUE(Errors.empty());
}

TEST_F(FrameStrips, PicturesAndSettingsSurviveTheFormResourcesAndTheFrameFollowsTheValue) {
    TForm form(nullptr);
    auto place = [&](auto* Control, const char* Name) {
        Control->SetName(Name);
        Control->SetParent(&form);
        return Control;
    };
    auto* gauge = place(new TskSkinFrameGauge(&form), "FG_Level");
    auto image = Strip(5, fpVertical, 24, 12);
    auto mask = Mask(24, 12, TRect(2, 0, 22, 12));
    UseStrip(gauge, 5, fpVertical, 24, 12);
    gauge->SetDefaultMask(mask.get());
    gauge->SetValue(75);
    place(new TskSkinFrameRegulator(&form), "FR_Volume")->SetDefaultKind(rkVertical);
    place(new TskSkinAnimate(&form), "AN_Busy")->SetTimerInterval(kNoTicks);
    place(new TskSkinSwitch(&form), "SW_Power")->SetState(swOn);

    const AnsiString text = WriteComponentText(&form);
    EXPECT_NE(text.find("DefaultMask.Data"), AnsiString::npos) << text;
    TMemoryStream binary;
    WriteComponentStream(&binary, &form);
    for (bool asText : {true, false}) {
        TForm copy(nullptr);
        binary.SetPosition(0);
        if (asText)
            ReadComponentText(text, &copy);
        else
            ReadComponentStream(&binary, &copy);
        EXPECT_EQ(WriteComponentText(&copy), text);
        copy.Show();
        auto* read = dynamic_cast<TskSkinFrameGauge*>(copy.FindComponent("FG_Level"));
        ASSERT_NE(read, nullptr);
        EXPECT_TRUE(SameImage(read->GetDefaultImage(), image.get()));
        EXPECT_TRUE(SameImage(read->GetDefaultMask(), mask.get()));
        EXPECT_EQ(Shown(read), 4);
        EXPECT_EQ(TPoint(read->GetWidth(), read->GetHeight()), TPoint(24, 12));
        EXPECT_EQ(RegionBox(read), TRect(2, 0, 22, 12));
    }
}

// ---- Screenshots ----------------------------------------------------------------------------

class FramesDemo : public SkinDemoTest {
protected:
    template <typename T> T* PlaceStrip(int Left, int Top, TBitmap* Default, int Count) {
        T* control = PlaceAt<T>(Left, Top, 50, 50);
        if constexpr (std::is_base_of_v<TskFrameTimerControl, T>)
            control->SetTimerInterval(kNoTicks);
        if (Data) return control;
        control->SetDefaultFramesCount(Count);
        control->SetDefaultImage(Default);
        return control;
    }

    void BuildAndCapture(const char* FileName) {
        Form->SetBounds(20, 20, 480, 200);
        Form->SetColor(clBtnFace);
        auto toggle = ToggleStrip();
        auto digits = DigitStrip();
        auto bar = BarStrip();
        auto knob = KnobStrip();
        // Off, caught halfway on, and on.
        for (int i = 0; i < 3; ++i) {
            auto* control = PlaceStrip<TskSkinSwitch>(10 + i * 60, 10, toggle.get(), 6);
            if (i > 0) control->SetState(swOn);
            for (int tick = 0; tick < (i == 1 ? 3 : 6); ++tick) control->DoAnimate();
        }
        for (int i = 0; i < 4; ++i) {
            auto* control = PlaceStrip<TskSkinAnimate>(200 + i * 34, 10, digits.get(), 10);
            control->SetActive(true);
            for (int tick = 0; tick < i * 3; ++tick) control->DoAnimate();
        }
        for (int i = 0; i < 4; ++i)
            PlaceStrip<TskSkinFrameGauge>(10, 50 + i * 22, bar.get(), 11)->SetValue(i * 33 + 1);
        for (int i = 0; i < 5; ++i)
            PlaceStrip<TskSkinFrameRegulator>(130 + i * 44, 60, knob.get(), 12)->SetValue(i * 25);
        // Without any picture: a flat box.
        PlaceAt<TskSkinFrameGauge>(360, 110, 50, 30, "none");
        PlaceAt<TskSkinSwitch>(420, 110, 25, 50, "none");
        Capture(FileName);
    }
};

TEST_F(FramesDemo, WithTheProgramsSkin) {
    TskSkinData skin(nullptr);
    skin.LoadFromFile(VANTOREL_SKIN_INI);
    ASSERT_FALSE(skin.Empty);
    for (const char* section : {"switch", "animate", "framegauge", "frameregulator"})
        EXPECT_NE(skin.GetControlIndex(section), -1) << section;
    Data = &skin;
    BuildAndCapture("frames-skinned.bmp");
}

TEST_F(FramesDemo, WithoutAnySkin) {
    BuildAndCapture("frames-default.bmp");
}

} // namespace

// The frame-strip controls: the frame for a value and the regulator's steps as tables, the
// switch and the animation tick by tick, frames painted as the record's picture holds them,
// the one-frame size, window regions from masks, form resources, damaged skins, the
// regulator dragged by the pointer, and screenshots of every kind (frames-skinned.bmp,
// frames-default.bmp) beside the test program.
#include "skin/controls/SkinCtrls_FrameStrips.h"

#include "classlib/FormLoader.h"
#include "classlib/Streams.h"
#include "classlib/Strings.h"

#include "tests/skin/controls/SkinFixture.h"

#include <chrono>
#include <cmath>
#include <functional>

namespace {

// Frame i of every test strip is kFrames[i], its top-left pixel black.
const TColor kFrames[] = {clRed,  clLime,   clBlue,   clYellow, clFuchsia, clAqua,
                          clMaroon, clGreen, clNavy, clOlive,  clPurple,  clTeal};
constexpr int kMaxFrames = 12;
// Timers that never fire by themselves while a test runs: ticks are sent.
constexpr Cardinal kNoTicks = 3600000;

void PaintStrip(TBitmap* Picture, TPoint At, int Count, TFramesPlacement Placement, int W, int H) {
    TCanvas* canvas = Picture->GetCanvas();
    for (int i = 0; i < Count; ++i) {
        const TPoint origin = Placement == fpHorizontal ? TPoint(At.X + i * W, At.Y)
                                                        : TPoint(At.X, At.Y + i * H);
        canvas->GetBrush()->SetColor(kFrames[i % kMaxFrames]);
        canvas->FillRect(Bounds(origin.X, origin.Y, W, H));
        canvas->SetPixels(origin.X, origin.Y, clBlack);
    }
}

// A default image: a strip of Count frames of W x H.
std::unique_ptr<TBitmap> Strip(int Count, TFramesPlacement Placement, int W, int H) {
    auto strip = std::make_unique<TBitmap>();
    strip->SetPixelFormat(pf24bit);
    strip->SetSize(Placement == fpHorizontal ? Count * W : W,
                   Placement == fpHorizontal ? H : Count * H);
    PaintStrip(strip.get(), TPoint(0, 0), Count, Placement, W, H);
    return strip;
}

// Control's default strip: Count frames of W x H.
void UseStrip(TskFrameSkinControl* Control, int Count, TFramesPlacement Placement, int W, int H) {
    Control->SetDefaultFramesCount(Count);
    Control->SetDefaultFramesPlacement(Placement);
    Control->SetDefaultImage(Strip(Count, Placement, W, H).get());
}

// A mask of W x H whose black part is the rectangle Black.
std::unique_ptr<TBitmap> Mask(int W, int H, const TRect& Black) {
    auto mask = std::make_unique<TBitmap>(W, H);
    mask->SetPixelFormat(pf24bit);
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

// The bounding box of the control's window region; an empty box when it has none.
TRect RegionBox(TWinControl* Control) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    RECT box{};
    if (GetWindowRgn(Control->GetHandle(), region) != ERROR) GetRgnBox(region, &box);
    DeleteObject(region);
    return TRect(box.left, box.top, box.right, box.bottom);
}

class FrameStrips : public ShownFormTest {
protected:
    // A record of class R named Name whose strip of Count frames of W x H lies at (4, 6) of a
    // picture of its own.
    template <typename R>
    R* AddRecord(const char* Name, int Count, TFramesPlacement Placement, int W, int H) {
        const int strip = Count < 2 ? 2 : Count;
        const TPoint at(4, 6);
        const int pic = Skin.AddPicture(at.X + strip * W + 4, at.Y + strip * H + 4);
        PaintStrip(Skin.Data->ActivePictures[static_cast<std::size_t>(pic)].get(), at, strip,
                   Placement, W, H);
        R* record = Skin.Add<R>(Name);
        record->PictureIndex = pic;
        record->SkinRect = Placement == fpHorizontal ? Bounds(at.X, at.Y, strip * W, H)
                                                     : Bounds(at.X, at.Y, W, strip * H);
        record->FramesCount = Count;
        record->FramesPlacement = Placement;
        return record;
    }
    template <typename T> T* Place(int Left = 10, int Top = 10) {
        return Add<T>(Form, Left, Top, 60, 60);
    }
    // The frame the control shows on the screen, by its colour; 0 when it shows none.
    int Shown(TWinControl* Control) {
        auto picture = PaintToBitmap(Control);
        const COLORREF centre = PixelOf(picture.get(), Control->GetWidth() / 2,
                                        Control->GetHeight() / 2);
        for (int i = 0; i < kMaxFrames; ++i)
            if (centre == ColorToRGB(kFrames[i])) return i + 1;
        return 0;
    }

    TFixtureSkin Skin;
};

// ---- Value geometry -------------------------------------------------------------------------

TEST(FrameForValue, EqualStepsFromTheMinimumAndFrameOneWhereThereIsNoStep) {
    struct Row {
        int Value, Min, Max, Count, Frame;
    };
    const Row rows[] = {
        {0, 0, 100, 5, 1},     {24, 0, 100, 5, 1},   {25, 0, 100, 5, 2},   {50, 0, 100, 5, 3},
        {99, 0, 100, 5, 4},    {100, 0, 100, 5, 5},  {-10, -10, 10, 3, 1}, {0, -10, 10, 3, 2},
        {10, -10, 10, 3, 3},
        // Steps round down: 100 / 6 = 16, so 96 and above is the last frame.
        {95, 0, 100, 7, 6},    {96, 0, 100, 7, 7},   {100, 0, 100, 7, 7},
        // No whole step: one frame, an empty range, a range smaller than the frames.
        {50, 0, 100, 1, 1},    {50, 0, 100, 0, 1},   {5, 5, 5, 4, 1},      {3, 0, 3, 10, 1},
        {0, 10, 0, 4, 1},
        // The extremes of the integers.
        {2147483647, -2147483647 - 1, 2147483647, 3, 3},
        {-2147483647 - 1, -2147483647 - 1, 2147483647, 3, 1},
    };
    for (const Row& row : rows)
        EXPECT_EQ(FrameForValue(row.Value, row.Min, row.Max, row.Count), row.Frame)
            << row.Value << " of " << row.Min << ".." << row.Max << " on " << row.Count;
}

TEST_F(FrameStrips, AGaugeShowsTheFrameOfItsValueAndIgnoresValuesOutsideItsRange) {
    AddRecord<TskDataSkinFrameGauge>("framegauge", 5, fpHorizontal, 20, 16);
    auto* gauge = Place<TskSkinFrameGauge>();
    gauge->SetSkinData(Skin.Data.get());
    EXPECT_EQ(gauge->GetFrame(), 3);
    EXPECT_EQ(Shown(gauge), 3);
    const std::pair<int, int> values[] = {{0, 1}, {30, 2}, {74, 3}, {75, 4}, {100, 5}, {60, 3}};
    for (auto [value, frame] : values) {
        gauge->SetValue(value);
        EXPECT_EQ(Shown(gauge), frame) << value;
    }
    gauge->SetValue(101);
    gauge->SetValue(-1);
    EXPECT_EQ(gauge->GetValue(), 60);
    // The value follows a narrowed range and the frame follows the value.
    gauge->SetMaxValue(40);
    EXPECT_EQ(gauge->GetValue(), 40);
    EXPECT_EQ(Shown(gauge), 5);
    gauge->SetMinValue(50);
    EXPECT_EQ(gauge->GetValue(), 50);
    EXPECT_EQ(Shown(gauge), 1);
}

TEST_F(FrameStrips, ANewStripShowsTheFrameOfTheValueAndFrameOneWithoutAWholeStep) {
    auto* gauge = Place<TskSkinFrameGauge>();
    EXPECT_FALSE(gauge->HasPicture());
    UseStrip(gauge, 5, fpHorizontal, 20, 16);
    EXPECT_EQ(gauge->GetFrame(), 3);
    EXPECT_EQ(Shown(gauge), 3);
    gauge->SetDefaultFramesCount(3);
    EXPECT_EQ(gauge->GetFrameWidth(), 33);
    EXPECT_EQ(gauge->GetFrame(), 2);
    gauge->SetDefaultFramesCount(0);
    EXPECT_EQ(gauge->GetDefaultFramesCount(), 1);
    EXPECT_EQ(gauge->GetFrame(), 1);
    // A range smaller than the frames: no whole step, frame 1.
    gauge->SetDefaultFramesCount(5);
    gauge->SetMaxValue(3);
    gauge->SetMinValue(0);
    gauge->SetValue(2);
    EXPECT_EQ(gauge->GetFrame(), 1);

    auto* regulator = Place<TskSkinFrameRegulator>(80);
    UseStrip(regulator, 1, fpHorizontal, 30, 30);
    regulator->SetValue(90);
    EXPECT_EQ(regulator->GetFrame(), 1);
    EXPECT_EQ(Shown(regulator), 1);
    EXPECT_TRUE(Errors.empty());
}

TEST_F(FrameStrips, TheControlIsOneFrameLargeAndPaintsTheFrameAsThePictureHoldsIt) {
    TskDataSkinFrameGauge* record = AddRecord<TskDataSkinFrameGauge>("framegauge", 4, fpVertical,
                                                                     24, 10);
    auto* gauge = Place<TskSkinFrameGauge>();
    gauge->SetSkinData(Skin.Data.get());
    EXPECT_EQ(TPoint(gauge->GetWidth(), gauge->GetHeight()), TPoint(24, 10));
    gauge->SetBounds(10, 10, 200, 100);
    EXPECT_EQ(TPoint(gauge->GetWidth(), gauge->GetHeight()), TPoint(24, 10));
    TBitmap* picture = Skin.Data->ActivePictures[static_cast<std::size_t>(record->PictureIndex)]
                           .get();
    for (int value : {0, 40, 70, 100}) {
        gauge->SetValue(value);
        const int frame = gauge->GetFrame();
        TBitmap expected(24, 10);
        expected.SetPixelFormat(pf24bit);
        expected.GetCanvas()->CopyRect(TRect(0, 0, 24, 10), picture->GetCanvas(),
                                       Bounds(4, 6 + (frame - 1) * 10, 24, 10));
        auto painted = PaintToBitmap(gauge);
        EXPECT_TRUE(SameImage(painted.get(), &expected)) << "frame " << frame;
    }
    // A skin strip always has at least two frames.
    record->FramesCount = 1;
    record->SkinRect = Bounds(4, 6, 24, 20);
    gauge->ChangeSkinData();
    EXPECT_EQ(gauge->GetFramesCount(), 2);
    EXPECT_EQ(TPoint(gauge->GetWidth(), gauge->GetHeight()), TPoint(24, 10));
}

// ---- Switch and animation -------------------------------------------------------------------

class FrameTimers : public FrameStrips {
public:
    void Changed(TObject*) { ++Changes; }
    void Started(TObject*) { ++Starts; }
    void Stopped(TObject*) { ++Stops; }

protected:
    TskSkinSwitch* Switch(int Frames) {
        auto* control = Place<TskSkinSwitch>();
        control->SetTimerInterval(kNoTicks);
        UseStrip(control, Frames, fpHorizontal, 20, 30);
        control->OnChange = TNotifyEvent(this, &FrameTimers::Changed);
        return control;
    }
    TskSkinAnimate* Animation(int Frames) {
        auto* control = Place<TskSkinAnimate>();
        control->SetTimerInterval(kNoTicks);
        UseStrip(control, Frames, fpHorizontal, 20, 20);
        control->OnStart = TNotifyEvent(this, &FrameTimers::Started);
        control->OnStop = TNotifyEvent(this, &FrameTimers::Stopped);
        return control;
    }
    // One tick as the system's timer gives it.
    static void Tick(TskFrameTimerControl* Control) {
        SendMessageA(Control->GetTimer()->GetWindowHandle(), WM_TIMER, 1, 0);
    }

    int Changes = 0, Starts = 0, Stops = 0;
};

TEST_F(FrameTimers, ATwoFrameSwitchChangesAtOnceAndALongerOneStepsEveryTickToItsEnd) {
    TskSkinSwitch* two = Switch(2);
    two->SetState(TskSkinSwitchState::swOn);
    EXPECT_EQ(Shown(two), 2);
    EXPECT_FALSE(two->IsRunning());
    EXPECT_EQ(Changes, 1);

    TskSkinSwitch* four = Switch(4);
    four->SetState(TskSkinSwitchState::swOn);
    EXPECT_EQ(Changes, 2);
    ASSERT_TRUE(four->IsRunning());
    EXPECT_EQ(Shown(four), 1);
    for (int frame = 2; frame <= 4; ++frame) {
        Tick(four);
        EXPECT_EQ(Shown(four), frame);
        EXPECT_TRUE(four->IsRunning());
    }
    // The tick after the end frame stops the timer.
    Tick(four);
    EXPECT_EQ(Shown(four), 4);
    EXPECT_FALSE(four->IsRunning());

    four->SetState(TskSkinSwitchState::swOff);
    four->DoAnimate();
    four->DoAnimate();
    EXPECT_EQ(four->GetFrame(), 2);
    // A new strip shows the state's end frame at once.
    UseStrip(four, 6, fpHorizontal, 20, 30);
    EXPECT_EQ(four->GetFrame(), 1);
    EXPECT_FALSE(four->IsRunning());
    four->SetState(TskSkinSwitchState::swOn);
    four->SetDefaultFramesCount(3);
    EXPECT_EQ(four->GetFrame(), 3);
}

TEST_F(FrameTimers, ASwitchTogglesOnAReleaseOverIt) {
    TskSkinSwitch* control = Switch(2);
    MouseDown(control, 5, 5);
    MouseUp(control, 5, 5);
    EXPECT_EQ(control->GetState(), TskSkinSwitchState::swOn);
    MouseDown(control, 5, 5);
    MouseUp(control, 5, 5);
    EXPECT_EQ(control->GetState(), TskSkinSwitchState::swOff);
    // Dragged off before the release: no toggle.
    MouseDown(control, 5, 5);
    MouseAway(control);
    MouseUp(control, -20, -20);
    EXPECT_EQ(control->GetState(), TskSkinSwitchState::swOff);
    EXPECT_EQ(Changes, 2);
}

TEST_F(FrameTimers, AnAnimationPlaysOnceOrCyclesAndAButtonOneFollowsThePointer) {
    TskSkinAnimate* once = Animation(3);
    once->SetActive(true);
    EXPECT_EQ(Starts, 1);
    for (int frame : {2, 3, 3, 3}) {
        Tick(once);
        EXPECT_EQ(Shown(once), frame);
    }
    // Without CycleMode the last frame stays and the timer keeps running.
    EXPECT_TRUE(once->IsRunning());
    once->SetActive(false);
    EXPECT_EQ(Stops, 1);
    EXPECT_FALSE(once->IsRunning());
    // A plain animation starts over from its first frame.
    once->SetActive(true);
    EXPECT_EQ(once->GetFrame(), 1);

    TskSkinAnimate* cycle = Animation(3);
    cycle->SetCycleMode(true);
    cycle->SetActive(true);
    for (int frame : {2, 3, 1, 2}) {
        cycle->DoAnimate();
        EXPECT_EQ(cycle->GetFrame(), frame);
    }

    TskSkinAnimate* button = Animation(3);
    button->SetButtonMode(true);
    const int starts = Starts;
    MouseMove(button, 5, 5);
    EXPECT_EQ(Starts, starts + 1);
    ASSERT_TRUE(button->IsRunning());
    button->DoAnimate();
    button->DoAnimate();
    EXPECT_EQ(button->GetFrame(), 3);
    MouseAway(button);
    EXPECT_EQ(Starts, starts + 2);
    button->DoAnimate();
    EXPECT_EQ(button->GetFrame(), 2);
    button->DoAnimate();
    const int stops = Stops;
    button->DoAnimate();
    EXPECT_EQ(button->GetFrame(), 1);
    EXPECT_EQ(Stops, stops + 1);
    EXPECT_FALSE(button->IsRunning());
}

TEST_F(FrameTimers, AnActiveAnimationWithoutFramesStartsOnceItsSkinComes) {
    AddRecord<TskDataSkinAnimateControl>("animate", 4, fpHorizontal, 16, 16);
    auto* control = Place<TskSkinAnimate>();
    control->SetTimerInterval(kNoTicks);
    control->OnStart = TNotifyEvent(this, &FrameTimers::Started);
    control->SetActive(true);
    EXPECT_FALSE(control->IsRunning());
    EXPECT_EQ(Starts, 0);
    control->SetSkinData(Skin.Data.get());
    EXPECT_TRUE(control->IsRunning());
    EXPECT_EQ(Starts, 1);
    control->DoAnimate();
    EXPECT_EQ(Shown(control), 2);
}

// ---- Regulator ------------------------------------------------------------------------------

class Regulator : public FrameStrips {
protected:
    // 11 frames of 40 x 40 over 0..100: one frame is 10 values and, along a side, 4 pixels.
    TskSkinFrameRegulator* Make(TRegulatorKind Kind) {
        auto* control = Place<TskSkinFrameRegulator>();
        UseStrip(control, 11, fpHorizontal, 40, 40);
        control->SetDefaultKind(Kind);
        control->OnChange = TNotifyEvent::FromCallable([this](TObject*) { ++Changes; });
        return control;
    }
    int Changes = 0;
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
        // Rightwards: less than 4 pixels is no step; a long move is still one step.
        {rkHorizontal, {20, 20}, {{22, 20, 50}, {24, 5, 60}, {25, 20, 60}, {39, 20, 70},
                                  {0, 20, 60}, {3, 20, 60}, {-4, 0, 50}}},
        // Upwards; sideways moves do nothing.
        {rkVertical, {20, 20}, {{35, 20, 50}, {20, 16, 60}, {20, 12, 70}, {0, 30, 60}}},
        // Up and to the right: X - Y.
        {rkRound, {20, 20}, {{22, 18, 60}, {20, 20, 50}, {18, 20, 50}, {17, 21, 40}}},
        // Clamped at the ends.
        {rkHorizontal, {0, 0}, {{5, 0, 60}, {10, 0, 70}, {15, 0, 80}, {20, 0, 90}, {25, 0, 100},
                                {30, 0, 100}, {26, 0, 90}}},
    };
    for (const Drag& drag : drags) {
        TskSkinFrameRegulator* control = Make(drag.Kind);
        MouseDown(control, drag.Press.X, drag.Press.Y);
        for (const Move& move : drag.Moves) {
            SendMessageA(control->GetHandle(), WM_MOUSEMOVE, MK_LBUTTON,
                         MAKELPARAM(move.X, move.Y));
            EXPECT_EQ(control->GetValue(), move.Value)
                << "kind " << drag.Kind << " at " << move.X << "," << move.Y;
            EXPECT_EQ(control->GetFrame(), control->GetValue() / 10 + 1);
        }
        MouseUp(control, 0, 0);
        delete control;
    }
    EXPECT_GT(Changes, 0);
}

TEST_F(Regulator, MovesWithoutAButtonHeldNeitherDragNorStepAfterALostRelease) {
    TskSkinFrameRegulator* control = Make(rkHorizontal);
    MouseDown(control, 20, 20);
    SendMessageA(control->GetHandle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(30, 20));
    EXPECT_EQ(control->GetValue(), 60);
    // The release went elsewhere (the mouse was taken away); later plain moves do nothing.
    ReleaseCapture();
    SendMessageA(control->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(39, 20));
    EXPECT_FALSE(control->IsDragging());
    EXPECT_EQ(control->GetValue(), 60);
    // Without frames the regulator does not drag either.
    control->SetDefaultImage(nullptr);
    MouseDown(control, 20, 20);
    SendMessageA(control->GetHandle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(39, 20));
    EXPECT_EQ(control->GetValue(), 60);
    MouseUp(control, 39, 20);
}

// The pointer and the button as a person moves them: input to the system, then waits until
// the regulator has seen it.
class RegulatorByHand : public Regulator {
protected:
    void SetUp() override {
        Regulator::SetUp();
        Control = Make(rkHorizontal);
        Control->OnMouseMove = TMouseMoveEvent::FromCallable(
            [this](TObject*, TShiftState, int X, int Y) { Seen = TPoint(X, Y); });
        Control->OnMouseDown = TMouseEvent::FromCallable(
            [this](TObject*, TMouseButton, TShiftState, int, int) { Pressed = true; });
        Control->OnMouseUp = TMouseEvent::FromCallable(
            [this](TObject*, TMouseButton, TShiftState, int, int) { Pressed = false; });
        SetForegroundWindow(Form->GetHandle());
    }
    // Polls the queue until Done, for two seconds at most.
    static bool PumpUntil(const std::function<bool()>& Done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (!Done()) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            Pump();
        }
        return true;
    }
    static void Send(DWORD Flags, TPoint At) {
        const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = (At.X * 65536 + w - 1) / w;
        input.mi.dy = (At.Y * 65536 + h - 1) / h;
        input.mi.dwFlags = Flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
        SendInput(1, &input, sizeof input);
    }
    // The pointer moved to client point P of the regulator.
    bool MoveTo(TPoint P) {
        const TPoint origin = Control->GetClientOrigin();
        Send(0, TPoint(origin.X + P.X, origin.Y + P.Y));
        return PumpUntil([&] { return Seen == P; });
    }
    bool Press(TPoint P) {
        const TPoint origin = Control->GetClientOrigin();
        Send(MOUSEEVENTF_LEFTDOWN, TPoint(origin.X + P.X, origin.Y + P.Y));
        return PumpUntil([&] { return Pressed; });
    }
    bool Release(TPoint P) {
        const TPoint origin = Control->GetClientOrigin();
        Send(MOUSEEVENTF_LEFTUP, TPoint(origin.X + P.X, origin.Y + P.Y));
        return PumpUntil([&] { return !Pressed; });
    }

    TskSkinFrameRegulator* Control = nullptr;
    TPoint Seen{-1, -1};
    bool Pressed = false;
};

TEST_F(RegulatorByHand, ADragToTheRightTurnsItUpOneFramePerMoveAndStopsAtTheEnd) {
    ASSERT_TRUE(MoveTo(TPoint(5, 20)));
    ASSERT_TRUE(Press(TPoint(5, 20)));
    // Each move is 7 pixels, past one frame's 4 but short of two.
    int value = 50;
    for (int x = 12; x <= 40 + 7 * 4; x += 7) {
        ASSERT_TRUE(MoveTo(TPoint(x, 20))) << x;
        value = std::min(value + 10, 100);
        EXPECT_EQ(Control->GetValue(), value) << x;
    }
    // Off the control, to the right: still the control's drag, already at its end.
    ASSERT_TRUE(MoveTo(TPoint(75, 20)));
    EXPECT_EQ(Control->GetValue(), 100);
    ASSERT_TRUE(MoveTo(TPoint(68, 25)));
    EXPECT_EQ(Control->GetValue(), 90);
    ASSERT_TRUE(Release(TPoint(68, 25)));
    EXPECT_FALSE(Control->IsDragging());
    EXPECT_EQ(Shown(Control), 10);
    // Moves after the release turn nothing.
    ASSERT_TRUE(MoveTo(TPoint(20, 20)));
    EXPECT_EQ(Control->GetValue(), 90);
}

// ---- Regions --------------------------------------------------------------------------------

TEST_F(FrameStrips, TheMaskInUseCutsTheWindowAndASkinWithoutSectionFallsBackToTheDefaultMask) {
    auto* gauge = Place<TskSkinFrameGauge>();
    UseStrip(gauge, 3, fpHorizontal, 30, 20);
    EXPECT_EQ(RegionBox(gauge), TRect());
    gauge->SetDefaultMask(Mask(30, 20, TRect(0, 0, 12, 20)).get());
    EXPECT_EQ(RegionBox(gauge), TRect(0, 0, 12, 20));
    // The region in place belongs to the window: a new mask replaces it, again and again.
    for (int i = 1; i <= 20; ++i) {
        gauge->SetDefaultMask(Mask(30, 20, TRect(0, 0, 12 + i % 5, 20)).get());
        ASSERT_EQ(RegionBox(gauge), TRect(0, 0, 12 + i % 5, 20)) << i;
    }
    // A mask without black leaves the window whole.
    gauge->SetDefaultMask(Mask(30, 20, TRect()).get());
    EXPECT_EQ(RegionBox(gauge), TRect());
    gauge->SetDefaultMask(Mask(30, 20, TRect(5, 0, 30, 20)).get());

    // A skin mask while its section is in use.
    TskDataSkinFrameGauge* record = AddRecord<TskDataSkinFrameGauge>("framegauge", 2,
                                                                     fpHorizontal, 16, 16);
    const int mask = Skin.AddPicture(16, 16);
    Skin.Fill(mask, TRect(0, 0, 16, 8), clBlack);
    record->MaskPictureIndex = mask;
    gauge->SetSkinData(Skin.Data.get());
    EXPECT_EQ(TPoint(gauge->GetWidth(), gauge->GetHeight()), TPoint(16, 16));
    EXPECT_EQ(RegionBox(gauge), TRect(0, 0, 16, 8));
    // The section leaves the skin: the default strip, its size and its mask come back.
    gauge->SetSkinDataName("nosuchsection");
    gauge->ChangeSkinData();
    EXPECT_EQ(TPoint(gauge->GetWidth(), gauge->GetHeight()), TPoint(30, 20));
    EXPECT_EQ(RegionBox(gauge), TRect(5, 0, 30, 20));
    gauge->SetDefaultMask(nullptr);
    EXPECT_EQ(RegionBox(gauge), TRect());
}

// ---- Damaged skins --------------------------------------------------------------------------

TEST_F(FrameStrips, DamagedRecordsGiveTheDefaultOrABlankLookAndNoErrors) {
    auto* gauge = Place<TskSkinFrameGauge>();
    UseStrip(gauge, 3, fpHorizontal, 30, 20);
    gauge->SetSkinData(Skin.Data.get());

    // A record of another kind under the control's name: the default strip.
    Skin.Add<TskDataSkinButtonControl>("framegauge");
    gauge->ChangeSkinData();
    EXPECT_EQ(gauge->GetSkinIndex(), -1);
    EXPECT_EQ(Shown(gauge), 2);

    // A picture index outside the list: a blank frame of the strip's size.
    TskDataSkinFrameGauge* record = AddRecord<TskDataSkinFrameGauge>("strip", 4, fpHorizontal,
                                                                     10, 12);
    gauge->SetSkinDataName("strip");
    record->PictureIndex = 99;
    gauge->ChangeSkinData();
    EXPECT_EQ(TPoint(gauge->GetWidth(), gauge->GetHeight()), TPoint(10, 12));
    EXPECT_EQ(Shown(gauge), 0);

    // A strip reaching past its picture: what lies inside is drawn, the rest stays blank.
    record->PictureIndex = 0;
    record->SkinRect = TRect(1000, 1000, 1040, 1012);
    record->MaskPictureIndex = -7;
    gauge->ChangeSkinData();
    EXPECT_EQ(Shown(gauge), 0);
    record->SkinRect = Bounds(Skin.Data->ActivePictures[0]->GetWidth() - 25, 6, 40, 12);
    gauge->ChangeSkinData();
    PaintToBitmap(gauge);

    // More frames than pixels, an empty or a turned rectangle: no frames, a blank look.
    for (const TRect& rect : {TRect(4, 6, 14, 18), TRect(), TRect(40, 20, 4, 6)}) {
        record->SkinRect = rect;
        record->FramesCount = rect == TRect(4, 6, 14, 18) ? 1000000 : 3;
        gauge->ChangeSkinData();
        EXPECT_FALSE(gauge->HasPicture());
        gauge->SetValue(gauge->GetValue() == 10 ? 20 : 10);
        PaintToBitmap(gauge);
    }
    EXPECT_TRUE(Errors.empty());
}

// ---- Form resources -------------------------------------------------------------------------

TEST_F(FrameStrips, PicturesAndSettingsSurviveTheFormResourcesAndTheFrameFollowsTheValue) {
    TForm form(nullptr);
    auto* gauge = new TskSkinFrameGauge(&form);
    gauge->SetName("FG_Level");
    gauge->SetParent(&form);
    auto image = Strip(5, fpVertical, 24, 12);
    gauge->SetDefaultFramesPlacement(fpVertical);
    gauge->SetDefaultFramesCount(5);
    gauge->SetDefaultImage(image.get());
    auto mask = Mask(24, 12, TRect(2, 0, 22, 12));
    gauge->SetDefaultMask(mask.get());
    gauge->SetValue(75);
    auto* regulator = new TskSkinFrameRegulator(&form);
    regulator->SetName("FR_Volume");
    regulator->SetParent(&form);
    regulator->SetDefaultKind(rkVertical);
    auto* animation = new TskSkinAnimate(&form);
    animation->SetName("AN_Busy");
    animation->SetParent(&form);
    animation->SetCycleMode(true);
    animation->SetTimerInterval(kNoTicks);
    auto* control = new TskSkinSwitch(&form);
    control->SetName("SW_Power");
    control->SetParent(&form);
    control->SetState(TskSkinSwitchState::swOn);

    const AnsiString text = WriteComponentText(&form);
    EXPECT_NE(text.find("DefaultImage.Data"), AnsiString::npos) << text;
    EXPECT_NE(text.find("DefaultMask.Data"), AnsiString::npos) << text;
    TMemoryStream binary;
    WriteComponentStream(&binary, &form);
    for (int pass = 0; pass < 2; ++pass) {
        TForm copy(nullptr);
        if (pass == 0) {
            ReadComponentText(text, &copy);
        } else {
            binary.SetPosition(0);
            ReadComponentStream(&binary, &copy);
        }
        EXPECT_EQ(WriteComponentText(&copy), text);
        copy.Show();
        auto* read = dynamic_cast<TskSkinFrameGauge*>(copy.FindComponent("FG_Level"));
        ASSERT_NE(read, nullptr);
        EXPECT_TRUE(SameImage(read->GetDefaultImage(), image.get()));
        EXPECT_TRUE(SameImage(read->GetDefaultMask(), mask.get()));
        EXPECT_EQ(read->GetDefaultFramesPlacement(), fpVertical);
        EXPECT_EQ(read->GetDefaultFramesCount(), 5);
        EXPECT_EQ(read->GetValue(), 75);
        EXPECT_EQ(read->GetFrame(), 4);
        EXPECT_EQ(Shown(read), 4);
        EXPECT_EQ(TPoint(read->GetWidth(), read->GetHeight()), TPoint(24, 12));
        EXPECT_EQ(RegionBox(read), TRect(2, 0, 22, 12));
        auto* readRegulator = dynamic_cast<TskSkinFrameRegulator*>(copy.FindComponent("FR_Volume"));
        ASSERT_NE(readRegulator, nullptr);
        EXPECT_EQ(readRegulator->GetDefaultKind(), rkVertical);
        auto* readAnimation = dynamic_cast<TskSkinAnimate*>(copy.FindComponent("AN_Busy"));
        ASSERT_NE(readAnimation, nullptr);
        EXPECT_TRUE(readAnimation->GetCycleMode());
        EXPECT_EQ(readAnimation->GetTimerInterval(), kNoTicks);
        auto* readSwitch = dynamic_cast<TskSkinSwitch*>(copy.FindComponent("SW_Power"));
        ASSERT_NE(readSwitch, nullptr);
        EXPECT_EQ(readSwitch->GetState(), TskSkinSwitchState::swOn);
    }
}

// ---- Screenshots ----------------------------------------------------------------------------

class FramesDemo : public SkinDemoTest {
protected:
    void BuildAndCapture(const char* FileName) {
        Form->SetBounds(20, 20, 480, 200);
        Form->SetColor(clBtnFace);
        // Without a skin: strips drawn here, and the flat box of a control without any.
        auto switchStrip = DefaultStrip(6, 44, 22, [](TCanvas* C, TRect R, double T) {
            C->GetPen()->SetColor(clGray);
            C->GetBrush()->SetColor(T < 0.5 ? clSilver : clHighlight);
            C->RoundRect(R.Left + 2, R.Top + 3, R.Right - 2, R.Bottom - 3, 16, 16);
            const int left = R.Left + 2 + static_cast<int>(T * (RectWidth(R) - 22));
            C->GetBrush()->SetColor(clWhite);
            C->Ellipse(left, R.Top + 2, left + 18, R.Bottom - 2);
        });
        auto gaugeStrip = DefaultStrip(11, 100, 14, [](TCanvas* C, TRect R, double T) {
            C->GetBrush()->SetColor(clWhite);
            C->FillRect(TRect(R.Left + 1, R.Top + 2, R.Right - 1, R.Bottom - 2));
            C->GetBrush()->SetColor(clHighlight);
            C->FillRect(TRect(R.Left + 2, R.Top + 3,
                              R.Left + 2 + static_cast<int>(T * (RectWidth(R) - 4)), R.Bottom - 3));
        });
        auto knobStrip = DefaultStrip(12, 36, 36, [](TCanvas* C, TRect R, double T) {
            C->GetBrush()->SetColor(clWhite);
            C->Ellipse(R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2);
            const double angle = (-135 + 270 * T) * 3.14159265 / 180;
            const int cx = (R.Left + R.Right) / 2, cy = (R.Top + R.Bottom) / 2;
            C->MoveTo(cx, cy);
            C->LineTo(cx + static_cast<int>(13 * std::sin(angle)),
                      cy - static_cast<int>(13 * std::cos(angle)));
        });
        auto digitStrip = DefaultStrip(10, 24, 36, [](TCanvas* C, TRect R, double T) {
            C->GetBrush()->SetColor(clBlack);
            C->FillRect(R);
            C->GetFont()->SetColor(clLime);
            C->GetFont()->SetHeight(-24);
            C->GetBrush()->SetStyle(bsClear);
            C->TextOut(R.Left + 5, R.Top + 5, IntToStr(static_cast<int>(T * 9 + 0.5)));
        });
        for (int i = 0; i < 3; ++i) {
            auto* control = PlaceAt<TskSkinSwitch>(10 + i * 60, 10, 25, 50);
            control->SetTimerInterval(kNoTicks);
            if (!Data) {
                control->SetDefaultImage(switchStrip.get());
                control->SetDefaultFramesCount(6);
            }
            if (i > 0) control->SetState(TskSkinSwitchState::swOn);
            // The middle one is caught halfway through its run.
            for (int tick = 0; i == 1 && tick < 3; ++tick) control->DoAnimate();
            if (i == 2)
                while (control->IsRunning()) control->DoAnimate();
        }
        for (int i = 0; i < 4; ++i) {
            auto* control = PlaceAt<TskSkinAnimate>(200 + i * 34, 10, 50, 50);
            control->SetTimerInterval(kNoTicks);
            if (!Data) {
                control->SetDefaultImage(digitStrip.get());
                control->SetDefaultFramesCount(10);
            }
            control->SetActive(true);
            for (int tick = 0; tick < i * 3; ++tick) control->DoAnimate();
        }
        for (int i = 0; i < 4; ++i) {
            auto* control = PlaceAt<TskSkinFrameGauge>(10, 50 + i * 22, 50, 50);
            if (!Data) {
                control->SetDefaultImage(gaugeStrip.get());
                control->SetDefaultFramesCount(11);
            }
            control->SetValue(i * 33 + 1);
        }
        for (int i = 0; i < 5; ++i) {
            auto* control = PlaceAt<TskSkinFrameRegulator>(130 + i * 44, 60, 50, 50);
            if (!Data) {
                control->SetDefaultImage(knobStrip.get());
                control->SetDefaultFramesCount(12);
            }
            control->SetValue(i * 25);
        }
        // Controls without any picture show a flat box.
        PlaceAt<TskSkinFrameGauge>(360, 110, 50, 30, "none");
        PlaceAt<TskSkinSwitch>(420, 110, 25, 50, "none");
        Capture(FileName);
    }

    template <typename D>
    std::unique_ptr<TBitmap> DefaultStrip(int Count, int W, int H, D Draw) {
        auto strip = std::make_unique<TBitmap>(Count * W, H);
        strip->SetPixelFormat(pf24bit);
        TCanvas* canvas = strip->GetCanvas();
        canvas->GetBrush()->SetColor(clBtnFace);
        canvas->FillRect(TRect(0, 0, Count * W, H));
        for (int i = 0; i < Count; ++i) {
            canvas->GetBrush()->SetStyle(bsSolid);
            Draw(canvas, Bounds(i * W, 0, W, H), static_cast<double>(i) / (Count - 1));
        }
        return strip;
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

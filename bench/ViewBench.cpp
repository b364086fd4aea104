// Repainting under the micro-tile optimiser against repainting in full, each step timed from
// the change until its messages are handled (the copy to the screen and the platform's work
// after it): the editor's LED view (the hover moving from segment
// b to segment c, and one outline redrawn in a layer), and a 1920 by 1080 image control with
// eight such layers. What the control shows after every timed step of the optimiser is
// compared with what it showed after the same step repainted in full, so that an optimiser
// that repaints too little cannot look fast: a difference ends the run with an error and
// leaves both pictures beside the program. Beside the large control's ratio stands the
// platform's own floor of such a step under the control's design (a posted paint, the message
// loop, one copy per rectangle, none of our work), as a fraction of the same full repaint.
// Needs a display (scripts/bench-view.sh gives one).
#include "app/About_sl.h"
#include "app/LedGeometry.h"
#include "app/Segled.h"
#include "bench/BenchRatio.h"
#include "bench/BenchSamples.h"
#include "bench/BenchScreen.h"

#include "bitmap32/Bmp32_Image.h"
#include "bitmap32/Bmp32_Polygons.h"

#include "classlib/Controls.h"
#include "classlib/Forms.h"
#include "classlib/UnitInit.h"
#include "classlib/WinControls.h"

#include "classlib/Platform.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <exception>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace Bmp32;

constexpr int kSamples = 301;
// The timed steps come in blocks, each mode in turn, and each block after a few untimed steps.
constexpr int kBlocks = 7;
constexpr int kSettleSteps = 5;
// The optimiser adapts its precision to the repaint times it sees and refines it again only at
// checks up to five seconds apart. Each step first runs untimed for two such periods, in each
// mode, so that a mode is timed in its steady state for that step and not in the state the
// step before left behind.
constexpr auto kWarmUp =
    std::chrono::milliseconds(2 * TMicroTilesRepaintOptimizer::TIMER_HIGHLIMIT);
constexpr int kLargeWidth = 1920;
constexpr int kLargeHeight = 1080;

const TPoint kSegmentB{81, 60};
const TPoint kSegmentC{81, 115};

using TClock = std::chrono::steady_clock;

// Puts the pointer on the screen's last pixel, off every window of ours, and waits until no
// control counts as under it: while one does, its pointer watch (a timer every 50 ms) and the
// system's tracking of the pointer run, and their messages would land in timed steps of either
// mode at random.
void ParkPointer() {
    const POINT corner{GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1};
    SetCursorPos(corner.x, corner.y);
    if (FindControl(WindowFromPoint(corner)))
        throw std::runtime_error("The screen's corner is covered by a window of the benchmark");
    const TClock::time_point deadline = TClock::now() + std::chrono::seconds(5);
    while (GetMouseControl() || IsMouseControlWatched()) {
        if (TClock::now() > deadline)
            throw std::runtime_error("The pointer watch still runs with the pointer off the windows");
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        Bench::PumpMessages();
    }
}

// Times the steps of one control from the change until its messages are handled: the control
// reports each copy to the screen through OnGDIOverlay, and a step that brought none fails the
// run. It also counts the optimiser's precision level after the steps it is told to count.
class TStepClock {
public:
    explicit TStepClock(TCustomPaintBox32* Control) : FControl(Control) {
        Control->OnGDIOverlay = TNotifyEvent::FromCallable([this](TObject*) { Copied(); });
    }
    ~TStepClock() { FControl->OnGDIOverlay = nullptr; }
    TStepClock(const TStepClock&) = delete;
    TStepClock& operator=(const TStepClock&) = delete;

    double Time(const std::function<void()>& Step) {
        FCopies = 0;
        const double seconds = Bench::Seconds([&] {
            Step();
            Bench::PumpMessages();
        });
        if (FCopies == 0) throw std::runtime_error("A step brought no copy to the screen");
        return seconds;
    }
    void CountLevel() {
        ++FLevels[std::size_t(FControl->GetRepaintOptimizer()->GetPerformanceLevel())];
    }

    // The counts of the optimiser's levels 0 to 2 since the last call.
    std::array<int, 3> TakeLevels() { return std::exchange(FLevels, {}); }
    // The rectangles of the control's last copy to the screen.
    const std::vector<TRect>& LastCopy() const { return FLastCopy; }

private:
    void Copied() {
        ++FCopies;
        // The control calls this after the copy and before it forgets its invalid rectangles.
        const TRectList* rects = FControl->GetInvalidRects();
        FLastCopy.clear();
        for (int i = 0; i < rects->GetCount(); ++i)
            FLastCopy.push_back(*rects->Get(i));
        if (FLastCopy.empty()) FLastCopy.push_back(FControl->GetViewportRect());
    }

    TCustomPaintBox32* FControl;
    int FCopies = 0;
    std::vector<TRect> FLastCopy;
    std::array<int, 3> FLevels{};
};

// What the control shows after each timed step. The steps repainted in full come first and
// are the reference; each step of the optimiser must then show what the same step showed
// repainted in full. The steps repeat a few pictures, of which the first ones are kept to show
// a difference.
class TShownSteps {
public:
    TShownSteps(TCustomPaintBox32* Control, const char* Tag) : FControl(Control), FTag(Tag) {}

    // Whether the steps that follow are checked against the reference or add to it.
    void SetChecking(bool Value) { FChecking = Value; }

    void AfterStep(int Index) {
        std::unique_ptr<TBitmap> shown = Bench::PaintedPixels(FControl->GetHandle());
        const std::uint64_t sum = Bench::PixelChecksum(shown.get());
        if (!FChecking) {
            FSums.push_back(sum);
            if (FPictures.size() < kPicturesKept && !FPictures.count(sum))
                FPictures.emplace(sum, std::move(shown));
            return;
        }
        if (std::size_t(Index) >= FSums.size())
            throw std::runtime_error("The full repaint has no step " +
                                     std::to_string(Index));
        const std::uint64_t expected = FSums[std::size_t(Index)];
        if (sum == expected) return;
        std::string detail = "its picture was not kept";
        const auto kept = FPictures.find(expected);
        if (kept != FPictures.end())
            detail =
                std::to_string(Bench::DifferingPixels(shown.get(), kept->second.get())) +
                " pixels differ; " +
                Bench::SaveForInspection("view-bench-" + FTag, shown.get(), kept->second.get());
        throw std::runtime_error("After step " + std::to_string(Index) + " of " + FTag +
                                 " the optimiser's repaint shows other pixels than the full "
                                 "repaint: " +
                                 detail);
    }

private:
    static constexpr std::size_t kPicturesKept = 4;
    TCustomPaintBox32* FControl;
    std::string FTag;
    bool FChecking = false;
    std::vector<std::uint64_t> FSums;
    std::map<std::uint64_t, std::unique_ptr<TBitmap>> FPictures;
};

void MoveTo(TWinControl* Control, TPoint At) {
    SendMessageA(Control->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(At.X, At.Y));
}

// An outline of a vertical segment, redrawn into a layer in one of two colours in turn.
class TOutline {
public:
    TOutline() {
        for (const TPoint& p : SegmentShape(1))
            FShape.Add(FixedPoint(p));
    }
    void Draw(TBitmapLayer* Layer, int Sample) {
        FShape.DrawEdge(Layer->GetBitmap(), Sample % 2 ? 0xFF0000FF : 0xFFFF0000);
    }

private:
    TPolygon32 FShape;
};

// Both repaint modes of one step: the optimiser's median time and the full repaint's, and the
// platform's floor where it was asked for (else 0).
struct TModeTimes {
    double Optimizer = 0;
    double Full = 0;
    double Floor = 0;
    // How many of the optimiser's timed steps ended at each precision level.
    std::array<int, 3> Levels{};
};

// What the platform alone costs per step under the control's design, with none of our work:
// a paint posted to the control's own window, the message loop's PeekMessage and
// DispatchMessage with what the system does around a dispatched paint, and a window procedure
// that copies the rectangles of the optimiser's last step, one BitBlt each, from a memory
// bitmap to a device context of the window kept from one step to the next, as the control's
// canvas keeps its own. While it lives, the window's own procedure sees no paint of its mark.
class TPlatformFloor {
public:
    TPlatformFloor(HWND Window, std::vector<TRect> Copies)
        : FWindow(Window), FCopies(std::move(Copies)), FWindowDC(GetDC(Window)),
          FMemoryDC(CreateCompatibleDC(nullptr)) {
        RECT client;
        GetClientRect(Window, &client);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = client.right;
        info.bmiHeader.biHeight = -client.bottom;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        FBitmap = CreateDIBSection(FMemoryDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (!FWindowDC || !FMemoryDC || !FBitmap)
            throw std::runtime_error("No device contexts or bitmap for the platform's floor");
        FOldBitmap = SelectObject(FMemoryDC, FBitmap);
        // What the window shows, so that the copies change no pixel of it.
        BitBlt(FMemoryDC, 0, 0, client.right, client.bottom, FWindowDC, 0, 0, SRCCOPY);
        Active = this;
        FOldProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TPlatformFloor::WindowProc)));
    }
    ~TPlatformFloor() {
        SetWindowLongPtrA(FWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FOldProc));
        Active = nullptr;
        SelectObject(FMemoryDC, FOldBitmap);
        DeleteObject(FBitmap);
        DeleteDC(FMemoryDC);
        ReleaseDC(FWindow, FWindowDC);
    }
    TPlatformFloor(const TPlatformFloor&) = delete;
    TPlatformFloor& operator=(const TPlatformFloor&) = delete;

    // The seconds of one step, from posting the paint until the messages are handled.
    double Step() {
        FPainted = false;
        const double seconds = Bench::Seconds([this] {
            PostMessageA(FWindow, WM_PAINT, 0, PaintMark);
            Bench::PumpMessages();
        });
        if (!FPainted) throw std::runtime_error("A step of the platform's floor brought no copy");
        return seconds;
    }

private:
    static constexpr LPARAM PaintMark = 0x464C4F52;
    static inline TPlatformFloor* Active = nullptr;

    static LRESULT CALLBACK WindowProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
        TPlatformFloor* floor = Active;
        if (Msg == WM_PAINT && LParam == PaintMark && floor) {
            for (const TRect& r : floor->FCopies)
                BitBlt(floor->FWindowDC, r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top,
                       floor->FMemoryDC, r.Left, r.Top, SRCCOPY);
            floor->FPainted = true;
            return 0;
        }
        return CallWindowProcA(floor->FOldProc, Window, Msg, WParam, LParam);
    }

    HWND FWindow;
    std::vector<TRect> FCopies;
    HDC FWindowDC;
    HDC FMemoryDC;
    HBITMAP FBitmap = nullptr;
    HGDIOBJ FOldBitmap = nullptr;
    WNDPROC FOldProc = nullptr;
    bool FPainted = false;
};

// One step of a benchmark: Step is handed the sample number; Between runs untimed after each
// step, Prepare before the first steps of each block.
struct TStep {
    std::function<void(int)> Step;
    std::function<void()> Between;
    std::function<void()> Prepare;
};

// The median seconds of a step in both modes, from the change until its messages are handled,
// and of the platform's floor of the optimiser's step when WithFloor is set. Each mode first
// runs the step untimed for kWarmUp; then the timed steps come in kBlocks blocks, each mode in
// turn, so that both see the same load of the machine: the full repaint's block first, as the
// reference of what the optimiser's block must show after the same steps, then the
// optimiser's, then the floor's. A few untimed steps after each change of mode let that mode
// settle. Each timed step follows the step before it, untimed, as a person's steps follow each
// other: taking what the control shows reads the whole window and leaves the processor's caches
// cold, which would make every step after it pay for the check, our code and the platform's
// alike.
TModeTimes InBothModes(TCustomPaintBox32* Control, const char* Tag, const TStep& Step,
                       bool WithFloor = false) {
    TStepClock clock(Control);
    TShownSteps shown(Control, Tag);
    // One step with its messages handled; Timed is handed its seconds before Between runs.
    const auto run = [&](int I, const std::function<void(double)>& Timed = nullptr) {
        const double seconds = clock.Time([&] { Step.Step(I); });
        if (Timed) Timed(seconds);
        if (Step.Between) {
            Step.Between();
            Bench::PumpMessages();
        }
    };
    const auto enter = [&](TRepaintMode Mode, int Steps) {
        Control->SetRepaintMode(Mode);
        Bench::PumpMessages();
        if (Step.Prepare) {
            Step.Prepare();
            Bench::PumpMessages();
        }
        for (int i = 0; i < Steps; ++i)
            run(i);
    };
    for (const TRepaintMode mode : {rmFull, rmOptimizer}) {
        enter(mode, 0);
        const TClock::time_point warm = TClock::now() + kWarmUp;
        for (int i = 0; TClock::now() < warm; ++i)
            run(i);
    }
    clock.TakeLevels();
    std::vector<double> full, optimizer, floor;
    for (int block = 0; block < kBlocks; ++block) {
        const int first = block * kSamples / kBlocks, last = (block + 1) * kSamples / kBlocks;
        for (const TRepaintMode mode : {rmFull, rmOptimizer}) {
            enter(mode, kSettleSteps);
            shown.SetChecking(mode == rmOptimizer);
            for (int i = first; i < last; ++i) {
                run(i + 1);
                run(i, [&](double Seconds) {
                    if (mode == rmOptimizer) clock.CountLevel();
                    shown.AfterStep(i);
                    (mode == rmFull ? full : optimizer).push_back(Seconds);
                });
            }
        }
        if (!WithFloor) continue;
        TPlatformFloor platform(Control->GetHandle(), clock.LastCopy());
        for (int i = 0; i < kSettleSteps; ++i)
            platform.Step();
        for (int i = first; i < last; ++i) {
            platform.Step();
            floor.push_back(platform.Step());
            Bench::PixelChecksum(Bench::PaintedPixels(Control->GetHandle()).get());
        }
    }
    TModeTimes times;
    times.Full = Bench::Median(full);
    times.Optimizer = Bench::Median(optimizer);
    if (WithFloor) times.Floor = Bench::Median(floor);
    times.Levels = clock.TakeLevels();
    return times;
}

// Name is the printed row's; the ratio's record carries RecordName when it is given.
void PrintTimes(const char* Name, const TModeTimes& Times, double Limit,
                const char* RecordName = nullptr) {
    const double ratio = Times.Optimizer / Times.Full;
    const Bench::TTarget target = Bench::AtMost(Limit);
    std::printf("%-44s %9.3f ms %9.3f ms %7.2fx %4d/%d/%d%s\n", Name, Times.Optimizer * 1e3,
                Times.Full * 1e3, ratio, Times.Levels[0], Times.Levels[1], Times.Levels[2],
                Bench::VerdictText(ratio, target).c_str());
    std::fflush(stdout);
    Bench::RecordRatio(std::string(RecordName ? RecordName : Name) + ": optimiser / full repaint",
                       ratio, target);
}

// A shown form with a 1920 by 1080 image control and eight segment-sized bitmap layers.
struct TLargeView {
    TForm* Form;
    TImage32* Image;
    std::vector<TBitmapLayer*> Layers;

    TLargeView() : Form(new TForm(nullptr)) {
        Form->SetBounds(0, 0, kLargeWidth + 40, kLargeHeight + 60);
        Image = new TImage32(Form);
        Image->SetParent(Form);
        Image->SetBounds(0, 0, kLargeWidth, kLargeHeight);
        Image->GetBitmap()->SetSize(kLargeWidth, kLargeHeight);
        Image->GetBitmap()->Clear(0xFFF0F9FF);
        for (int segment = 0; segment < kSegmentCount; ++segment) {
            auto* layer = Image->GetLayers()->Add<TBitmapLayer>();
            const TRect at = SegmentLocation(segment);
            layer->GetBitmap()->SetDrawMode(dmBlend);
            layer->GetBitmap()->SetSize(at.Width(), at.Height());
            layer->GetBitmap()->Clear(0x00C80000);
            // Spread over the image, as eight views would be.
            const float left = float(at.Left + segment * 220);
            const float top = float(at.Top + segment * 110);
            layer->SetLocation(
                FloatRect(left, top, left + float(at.Width()), top + float(at.Height())));
            Layers.push_back(layer);
        }
        Form->Show();
        Bench::PumpMessages();
    }
    ~TLargeView() { delete Form; }
};

void PrintFloor(double Floor, double Full) {
    const double ratio = Floor / Full;
    std::printf("%-44s %9.3f ms %9.3f ms %7.2fx\n",
                "  the platform's floor of that step", Floor * 1e3, Full * 1e3, ratio);
    std::fflush(stdout);
    Bench::RecordRatio("1920 x 1080, eight layers: the platform's floor of one step (a posted "
                       "paint, the message loop, one copy per rectangle) / full repaint",
                       ratio);
}

int RunBenchmark() {
    Application->Initialize();
    FAbout = CreateFromResource<TFAbout>(nullptr);
    TFM* form = CreateFromResource<TFM>(nullptr);
    form->Show();
    Bench::PumpMessages();
    TImage32* view = form->IMG_Seg;
    std::printf("Median of %d steps, from the change until its messages are handled, each mode "
                "after %d s of the same steps untimed, timed in %d blocks with the modes in "
                "turn, each timed step after an untimed one; after every timed step the "
                "optimiser's pixels are compared with the full repaint's\n",
                kSamples, int(kWarmUp.count() / 1000), kBlocks);
    std::printf("%-44s %12s %12s %8s %s\n", "", "optimiser", "full", "ratio",
                "steps at level 0/1/2");

    PrintTimes("LED view: hover from segment b to c",
               InBothModes(view, "led-hover",
                           {[&](int) { MoveTo(view, kSegmentC); },
                            [&] { MoveTo(view, kSegmentB); }, [&] { MoveTo(view, kSegmentB); }}),
               1.2);
    MoveTo(view, {150, 100});
    Bench::PumpMessages();
    ParkPointer();
    TOutline outline;
    auto* layerB = static_cast<TBitmapLayer*>(view->GetLayers()->GetItem(1));
    const TStep outlineB{[&](int Sample) { outline.Draw(layerB, Sample); }, nullptr, nullptr};
    PrintTimes("LED view: one outline redrawn in its layer",
               InBothModes(view, "led-outline", outlineB), 0.5);
    // The same with the precision kept at micro tiles: what the step costs when the optimiser
    // does not fall back to repainting everything, for comparison only.
    view->GetRepaintOptimizer()->SetAdaptiveMode(false);
    PrintTimes("  the same, precision fixed at micro tiles",
               InBothModes(view, "led-outline-micro-tiles", outlineB), 0.5,
               "LED view: one outline redrawn in its layer, precision fixed at micro tiles");
    view->GetRepaintOptimizer()->SetAdaptiveMode(true);
    {
        TLargeView large;
        ParkPointer();
        const TModeTimes times = InBothModes(
            large.Image, "large-outline",
            {[&](int Sample) { outline.Draw(large.Layers[1], Sample); }, nullptr, nullptr}, true);
        PrintTimes("1920 x 1080, eight layers: one outline redrawn", times, 0.1);
        PrintFloor(times.Floor, times.Full);
    }
    delete form;
    delete FAbout;
    FAbout = nullptr;
    return 0;
}

} // namespace

int main() {
    try {
        InitializeUnits();
        const int result = RunBenchmark();
        FinalizeUnits();
        return result;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Benchmark failed: %s\n", e.what());
        return 1;
    }
}

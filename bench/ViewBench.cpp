// Repainting under the micro-tile optimiser against repainting in full, each step timed from
// the change until its messages are handled (the copy to the screen and the platform's work
// after it): the editor's LED view (the hover moving from segment
// b to segment c, and one outline redrawn in a layer), and a 1920 by 1080 image control with
// eight such layers. Needs a display (scripts/bench.sh gives one).
#include "app/About_sl.h"
#include "app/LedGeometry.h"
#include "app/Segled.h"
#include "bench/BenchSamples.h"

#include "bitmap32/Bmp32_Image.h"
#include "bitmap32/Bmp32_Polygons.h"

#include "classlib/Forms.h"
#include "classlib/UnitInit.h"

#include "classlib/Platform.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <exception>
#include <functional>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

using namespace Bmp32;

constexpr int kSamples = 301;
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

// Times the steps of one control from the change until its messages are handled: the control
// reports each copy to the screen through OnGDIOverlay, and a step that brought none fails the
// run. It also counts the optimiser's precision level after each timed step.
class TStepClock {
public:
    explicit TStepClock(TCustomPaintBox32* Control) : FControl(Control) {
        Control->OnGDIOverlay = TNotifyEvent::FromCallable([this](TObject*) { ++FCopies; });
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
        ++FLevels[std::size_t(FControl->GetRepaintOptimizer()->GetPerformanceLevel())];
        return seconds;
    }

    // The counts of the optimiser's levels 0 to 2 since the last call.
    std::array<int, 3> TakeLevels() { return std::exchange(FLevels, {}); }

private:
    TCustomPaintBox32* FControl;
    int FCopies = 0;
    std::array<int, 3> FLevels{};
};

// The median seconds of Step (which is handed the sample number) with its messages handled;
// Between runs untimed after each step. The step runs untimed first for kWarmUp.
double MedianStep(TStepClock& Clock, const std::function<void(int)>& Step,
                  const std::function<void()>& Between = nullptr) {
    const auto run = [&](int I) {
        const double seconds = Clock.Time([&] { Step(I); });
        if (Between) {
            Between();
            Bench::PumpMessages();
        }
        return seconds;
    };
    const TClock::time_point warm = TClock::now() + kWarmUp;
    for (int i = 0; TClock::now() < warm; ++i)
        run(i);
    Clock.TakeLevels();
    std::vector<double> samples;
    for (int i = 0; i < kSamples; ++i)
        samples.push_back(run(i));
    return Bench::Median(samples);
}

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

// Both repaint modes of one step: the optimiser's time and the full repaint's.
struct TModeTimes {
    double Optimizer;
    double Full;
    // How many of the optimiser's timed steps ended at each precision level.
    std::array<int, 3> Levels;
};

TModeTimes InBothModes(TCustomPaintBox32* Control,
                       const std::function<double(TStepClock&)>& Measure) {
    TStepClock clock(Control);
    TModeTimes times{};
    Control->SetRepaintMode(rmOptimizer);
    Bench::PumpMessages();
    times.Optimizer = Measure(clock);
    times.Levels = clock.TakeLevels();
    Control->SetRepaintMode(rmFull);
    Bench::PumpMessages();
    times.Full = Measure(clock);
    Control->SetRepaintMode(rmOptimizer);
    return times;
}

void PrintTimes(const char* Name, const TModeTimes& Times, double Limit) {
    const double ratio = Times.Optimizer / Times.Full;
    std::printf("%-44s %9.3f ms %9.3f ms %7.2fx %4d/%d/%d (at most %.1fx: %s)\n", Name,
                Times.Optimizer * 1e3, Times.Full * 1e3, ratio, Times.Levels[0], Times.Levels[1],
                Times.Levels[2], Limit, ratio <= Limit ? "met" : "not met");
    std::fflush(stdout);
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

int RunBenchmark() {
    Application->Initialize();
    FAbout = CreateFromResource<TFAbout>(nullptr);
    TFM* form = CreateFromResource<TFM>(nullptr);
    form->Show();
    Bench::PumpMessages();
    TImage32* view = form->IMG_Seg;
    std::printf("Median of %d steps, each mode after %d s of the same steps untimed, from the "
                "change until its messages are handled\n",
                kSamples, int(kWarmUp.count() / 1000));
    std::printf("%-44s %12s %12s %8s %s\n", "", "optimiser", "full", "ratio",
                "steps at level 0/1/2");

    PrintTimes("LED view: hover from segment b to c",
               InBothModes(view,
                           [&](TStepClock& Clock) {
                               MoveTo(view, kSegmentB);
                               Bench::PumpMessages();
                               return MedianStep(
                                   Clock, [&](int) { MoveTo(view, kSegmentC); },
                                   [&] { MoveTo(view, kSegmentB); });
                           }),
               1.2);
    MoveTo(view, {150, 100});
    Bench::PumpMessages();
    TOutline outline;
    auto* layerB = static_cast<TBitmapLayer*>(view->GetLayers()->GetItem(1));
    PrintTimes("LED view: one outline redrawn in its layer",
               InBothModes(view,
                           [&](TStepClock& Clock) {
                               return MedianStep(Clock,
                                                 [&](int Sample) { outline.Draw(layerB, Sample); });
                           }),
               0.5);
    // The same with the precision kept at micro tiles: what the step costs when the optimiser
    // does not fall back to repainting everything, for comparison only.
    view->GetRepaintOptimizer()->SetAdaptiveMode(false);
    PrintTimes("  the same, precision fixed at micro tiles",
               InBothModes(view,
                           [&](TStepClock& Clock) {
                               return MedianStep(Clock,
                                                 [&](int Sample) { outline.Draw(layerB, Sample); });
                           }),
               0.5);
    view->GetRepaintOptimizer()->SetAdaptiveMode(true);
    {
        TLargeView large;
        PrintTimes("1920 x 1080, eight layers: one outline redrawn",
                   InBothModes(large.Image,
                               [&](TStepClock& Clock) {
                                   return MedianStep(Clock, [&](int Sample) {
                                       outline.Draw(large.Layers[1], Sample);
                                   });
                               }),
                   0.1);
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

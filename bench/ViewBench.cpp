// Repainting under the micro-tile optimiser against repainting in full, each step timed from
// the change until its messages are handled (the copy to the screen and the platform's work
// after it): the editor's LED view (the hover moving from segment
// b to segment c, and one outline redrawn in a layer), and a 1920 by 1080 image control with
// eight such layers. What the control shows after every timed step of the optimiser is
// compared with what it showed after the same step repainted in full, so that an optimiser
// that repaints too little cannot look fast: a difference ends the run with an error and
// leaves both pictures beside the program. Needs a display (scripts/bench-view.sh gives one).
#include "app/About_sl.h"
#include "app/LedGeometry.h"
#include "app/Segled.h"
#include "bench/BenchRatio.h"
#include "bench/BenchSamples.h"
#include "bench/BenchScreen.h"

#include "bitmap32/Bmp32_Image.h"
#include "bitmap32/Bmp32_Polygons.h"

#include "classlib/Forms.h"
#include "classlib/UnitInit.h"

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

// What the control shows after each timed step of a pass. The pass that repaints in full
// comes first and is the reference; each step of the optimiser's pass must then show what the
// same step showed repainted in full. The steps of a pass repeat a few pictures, of which the
// first ones are kept to show a difference.
class TShownSteps {
public:
    TShownSteps(TCustomPaintBox32* Control, const char* Tag) : FControl(Control), FTag(Tag) {}

    void StartReference() {
        FChecking = false;
        FSums.clear();
        FPictures.clear();
    }
    void StartCheck() { FChecking = true; }

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
            throw std::runtime_error("The full repaint's pass has no step " +
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

// The median seconds of Step (which is handed the sample number) with its messages handled;
// what the control shows is taken after each timed step, before Between runs untimed. The step
// runs untimed first for kWarmUp.
double MedianStep(TStepClock& Clock, TShownSteps& Shown, const std::function<void(int)>& Step,
                  const std::function<void()>& Between = nullptr) {
    const auto run = [&](int I, bool Timed) {
        const double seconds = Clock.Time([&] { Step(I); });
        if (Timed) Shown.AfterStep(I);
        if (Between) {
            Between();
            Bench::PumpMessages();
        }
        return seconds;
    };
    const TClock::time_point warm = TClock::now() + kWarmUp;
    for (int i = 0; TClock::now() < warm; ++i)
        run(i, false);
    Clock.TakeLevels();
    std::vector<double> samples;
    for (int i = 0; i < kSamples; ++i)
        samples.push_back(run(i, true));
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

// The full repaint's pass first, as the reference of the optimiser's pass.
TModeTimes InBothModes(TCustomPaintBox32* Control, const char* Tag,
                       const std::function<double(TStepClock&, TShownSteps&)>& Measure) {
    TStepClock clock(Control);
    TShownSteps shown(Control, Tag);
    TModeTimes times{};
    Control->SetRepaintMode(rmFull);
    Bench::PumpMessages();
    shown.StartReference();
    times.Full = Measure(clock, shown);
    Control->SetRepaintMode(rmOptimizer);
    Bench::PumpMessages();
    shown.StartCheck();
    times.Optimizer = Measure(clock, shown);
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

int RunBenchmark() {
    Application->Initialize();
    FAbout = CreateFromResource<TFAbout>(nullptr);
    TFM* form = CreateFromResource<TFM>(nullptr);
    form->Show();
    Bench::PumpMessages();
    TImage32* view = form->IMG_Seg;
    std::printf("Median of %d steps, each mode after %d s of the same steps untimed, from the "
                "change until its messages are handled; after every timed step the optimiser's "
                "pixels are compared with the full repaint's\n",
                kSamples, int(kWarmUp.count() / 1000));
    std::printf("%-44s %12s %12s %8s %s\n", "", "optimiser", "full", "ratio",
                "steps at level 0/1/2");

    PrintTimes("LED view: hover from segment b to c",
               InBothModes(view, "led-hover",
                           [&](TStepClock& Clock, TShownSteps& Shown) {
                               MoveTo(view, kSegmentB);
                               Bench::PumpMessages();
                               return MedianStep(
                                   Clock, Shown, [&](int) { MoveTo(view, kSegmentC); },
                                   [&] { MoveTo(view, kSegmentB); });
                           }),
               1.2);
    MoveTo(view, {150, 100});
    Bench::PumpMessages();
    TOutline outline;
    auto* layerB = static_cast<TBitmapLayer*>(view->GetLayers()->GetItem(1));
    PrintTimes("LED view: one outline redrawn in its layer",
               InBothModes(view, "led-outline",
                           [&](TStepClock& Clock, TShownSteps& Shown) {
                               return MedianStep(Clock, Shown,
                                                 [&](int Sample) { outline.Draw(layerB, Sample); });
                           }),
               0.5);
    // The same with the precision kept at micro tiles: what the step costs when the optimiser
    // does not fall back to repainting everything, for comparison only.
    view->GetRepaintOptimizer()->SetAdaptiveMode(false);
    PrintTimes("  the same, precision fixed at micro tiles",
               InBothModes(view, "led-outline-micro-tiles",
                           [&](TStepClock& Clock, TShownSteps& Shown) {
                               return MedianStep(Clock, Shown,
                                                 [&](int Sample) { outline.Draw(layerB, Sample); });
                           }),
               0.5, "LED view: one outline redrawn in its layer, precision fixed at micro tiles");
    view->GetRepaintOptimizer()->SetAdaptiveMode(true);
    {
        TLargeView large;
        PrintTimes("1920 x 1080, eight layers: one outline redrawn",
                   InBothModes(large.Image, "large-outline",
                               [&](TStepClock& Clock, TShownSteps& Shown) {
                                   return MedianStep(Clock, Shown, [&](int Sample) {
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

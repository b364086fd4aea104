// The native benchmark: the bitmap library's blend of a full image, with the plain set and each
// fast set, against pixman's OVER composite and the C library's memcpy, on each buffer size;
// then its aliased and antialiased polygon fills against cairo's.
#include "bench/BenchRatio.h"
#include "bench/BenchReport.h"
#include "bench/BenchTimer.h"
#include "bench/PixelBench.h"
#include "bench/VariantCheck.h"
#include "bench/native/PixmanOver.h"
#include "bench/native/PolygonVsCairo.h"
#include "bench/native/PolygonXsVsCairo.h"
#include "classlib/UnitInit.h"

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace {

using namespace Bench;

// Rates of BlendLine with the plain set, with each fast set and of pixman, then the fast sets'
// and pixman's ratios to memcpy, then the fast sets' ratios to pixman.
void PrintPixmanHeading(const std::vector<TFastSet>& FastSets) {
    std::printf("%-24s %9s", "BlendLine against pixman", "plain");
    for (const TFastSet& set : FastSets)
        std::printf(" %9s", set.Name);
    std::printf(" %9s", "pixman");
    for (const TFastSet& set : FastSets)
        std::printf(" %9s", set.Name);
    std::printf(" %9s", "pixman");
    for (const TFastSet& set : FastSets)
        std::printf(" %9s", set.Name);
    std::printf("\n%-24s %9s", "", "Mpixel/s");
    for (std::size_t i = 0; i <= FastSets.size(); ++i)
        std::printf(" %9s", "Mpixel/s");
    for (std::size_t i = 0; i <= FastSets.size(); ++i)
        std::printf(" %9s", "/memcpy");
    for (std::size_t i = 0; i < FastSets.size(); ++i)
        std::printf(" %9s", "/pixman");
    std::printf("\n");
}

void PrintPixmanRow(const TBufferSize& Size, TAlphaPattern Pattern, double Plain,
                    const std::vector<double>& Fast, const std::vector<TFastSet>& FastSets,
                    double Pixman, double Memcpy) {
    std::printf("  %-22s %9.1f", AlphaPatternName(Pattern), Plain);
    for (double fast : Fast)
        std::printf(" %9.1f", fast);
    std::printf(" %9.1f", Pixman);
    for (double fast : Fast)
        std::printf(" %9.3f", fast / Memcpy);
    std::printf(" %9.3f", Pixman / Memcpy);
    for (double fast : Fast)
        std::printf(" %9.2f", fast / Pixman);
    std::printf("\n");
    std::fflush(stdout);
    const std::string row = SizeName(Size) + ": BlendLine, " + AlphaPatternName(Pattern) + ", ";
    for (std::size_t i = 0; i < Fast.size() && i < FastSets.size(); ++i) {
        RecordRatio(row + FastSets[i].Name + " / memcpy", Fast[i] / Memcpy);
        RecordRatio(row + FastSets[i].Name + " / pixman", Fast[i] / Pixman);
    }
    RecordRatio(row + "pixman / memcpy", Pixman / Memcpy);
}

double PixmanRate(const TBufferSize& Size, const TPixels& Src, const TPixels& Dst) {
    TPixmanOver over(Src, Dst, Size);
    return MeasureMpixelsPerSecond(Size.Pixels(), [&] {
        over.Composite();
        KeepMemory(over.DestinationBits());
    });
}

void BenchAgainstPixman(const TBufferSize& Size, const TReferenceRates& References) {
    const TBlendCase blendLine{"BlendLine", BlendLineImage};
    const std::vector<TFastSet> fastSets = FastRoutineSets();
    PrintPixmanHeading(fastSets);
    const TPixels dst = RandomPixels(Size.Pixels(), apRandom, DESTINATION_SEED);
    TPixels work(dst.size());
    for (TAlphaPattern pattern : ALPHA_PATTERNS) {
        const TPixels src = RandomPixels(Size.Pixels(), pattern, SOURCE_SEED);
        const double plain =
            BlendRate(Size, blendLine, Bmp32::PLAIN_BLEND_ROUTINES, src, dst, work);
        std::vector<double> fast;
        for (const TFastSet& set : fastSets)
            fast.push_back(BlendRate(Size, blendLine, set.Routines, src, dst, work));
        PrintPixmanRow(Size, pattern, plain, fast, fastSets, PixmanRate(Size, src, dst),
                       References.Memcpy);
    }
}

int RunBenchmark() {
    if (!CheckFastVariants()) return 1;
    std::printf("pixman %s composites the same pixels premultiplied. "
                "Each figure is the best of %d runs of at least %.2f s.\n",
                pixman_version_string(), RUN_COUNT, MIN_RUN_SECONDS);
    for (const TBufferSize& size : BUFFER_SIZES) {
        PrintSizeHeading(size);
        BenchAgainstPixman(size, MeasureReferences(size));
    }
    EndSizeSections();
    if (!BenchPolygonsAgainstCairo()) return 1;
    return BenchAntialiasedPolygonsAgainstCairo() ? 0 : 1;
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

// The bitmap library benchmark: checks that the fast pixel routines write what the plain
// ones write, then times them on each buffer size against the C library's fill and copy.
#include "bench/BenchReport.h"
#include "bench/BitmapBench.h"
#include "bench/BenchTimer.h"
#include "bench/KernelBench.h"
#include "bench/PixelBench.h"
#include "bench/VariantCheck.h"
#include "classlib/UnitInit.h"

#include <cstdio>
#include <exception>
#include <string>

namespace {

int RunBenchmark() {
    using namespace Bench;
    if (!CheckFastVariants()) return 1;
    std::printf("Each figure is the best of %d runs of at least %.2f s; "
                "line routines run once per row.\n",
                RUN_COUNT, MIN_RUN_SECONDS);
    for (const TBufferSize& size : BUFFER_SIZES) {
        PrintSizeHeading(size);
        const TReferenceRates references = MeasureReferences(size);
        PrintSectionHeading("fill and copy");
        BenchFillLongword(size, references);
        BenchClear(size, references);
        BenchMoveLongword(size, references);
        BenchBlockTransfer(size, references);
        BenchBlendRoutines(size, references);
        BenchStretchTransfer(size, references);
    }
    EndSizeSections();
    if (!BenchKernelResampling()) return 1;
    BenchKernelSampling();
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

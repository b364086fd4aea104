#include "bench/PixelBench.h"

#include "bench/BenchReport.h"
#include "bench/BenchTimer.h"
#include "bitmap32/Bmp32_LowLevel.h"

#include <cstring>
#include <string>
#include <vector>

namespace Bench {

namespace {

double FillRate(const TBufferSize& Size, Bmp32::TFillLongword Fill) {
    TPixels dst(Size.Pixels());
    return MeasureMpixelsPerSecond(Size.Pixels(), [&] {
        Fill(dst.data(), Size.Pixels(), FILL_COLOR);
        KeepMemory(dst.data());
    });
}

} // namespace

double BlendRate(const TBufferSize& Size, const TBlendCase& Case,
                 const Bmp32::TBlendRoutines& Routines, const TPixels& Src, const TPixels& Dst,
                 TPixels& Work) {
    Work = Dst;
    return MeasureMpixelsPerSecond(Size.Pixels(), [&] {
        Case.Run(Routines, Src.data(), Work.data(), Size);
        KeepMemory(Work.data());
    });
}

TReferenceRates MeasureReferences(const TBufferSize& Size) {
    const TPixels src = RandomPixels(Size.Pixels(), apRandom, SOURCE_SEED);
    TPixels dst(Size.Pixels());
    const std::size_t bytes = src.size() * sizeof(TColor32);
    TReferenceRates rates{};
    rates.Memset = MeasureMpixelsPerSecond(Size.Pixels(), [&] {
        std::memset(dst.data(), 0x66, bytes);
        KeepMemory(dst.data());
    });
    rates.Memcpy = MeasureMpixelsPerSecond(Size.Pixels(), [&] {
        std::memcpy(dst.data(), src.data(), bytes);
        KeepMemory(dst.data());
    });
    PrintSectionHeading("reference");
    PrintRateRow("memset", rates.Memset, rates.Memset, "memset");
    PrintRateRow("memcpy", rates.Memcpy, rates.Memcpy, "memcpy");
    return rates;
}

void BenchFillLongword(const TBufferSize& Size, const TReferenceRates& References) {
    PrintRateRow("FillLongword plain",
                 FillRate(Size, Bmp32::LowLevelRoutinesOf(Bmp32::rsPlain).FillLongword),
                 References.Memset, "memset");
    PrintRateRow("FillLongword SSE2",
                 FillRate(Size, Bmp32::LowLevelRoutinesOf(Bmp32::rsSse2).FillLongword),
                 References.Memset, "memset");
}

void BenchMoveLongword(const TBufferSize& Size, const TReferenceRates& References) {
    const TPixels src = RandomPixels(Size.Pixels(), apRandom, SOURCE_SEED);
    TPixels dst(Size.Pixels());
    const double rate = MeasureMpixelsPerSecond(Size.Pixels(), [&] {
        Bmp32::MoveLongword(src.data(), dst.data(), Size.Pixels());
        KeepMemory(dst.data());
    });
    PrintRateRow("MoveLongword", rate, References.Memcpy, "memcpy");
}

void BenchBlendRoutines(const TBufferSize& Size, const TReferenceRates& References) {
    const std::vector<TFastSet> fastSets = FastRoutineSets();
    PrintVariantsHeading("blend", "memcpy", fastSets);
    std::vector<TPixels> sources;
    for (TAlphaPattern pattern : ALPHA_PATTERNS)
        sources.push_back(RandomPixels(Size.Pixels(), pattern, SOURCE_SEED));
    const TPixels dst = RandomPixels(Size.Pixels(), apRandom, DESTINATION_SEED);
    TPixels work(dst.size());
    for (const TBlendCase& blendCase : BLEND_CASES) {
        for (std::size_t i = 0; i < ALPHA_PATTERNS.size(); ++i) {
            const TPixels& src = sources[i];
            const double plain =
                BlendRate(Size, blendCase, Bmp32::PLAIN_BLEND_ROUTINES, src, dst, work);
            std::vector<double> fast;
            for (const TFastSet& set : fastSets)
                fast.push_back(BlendRate(Size, blendCase, set.Routines, src, dst, work));
            const std::string name =
                std::string(blendCase.Name) + ", " + AlphaPatternName(ALPHA_PATTERNS[i]);
            PrintVariantsRow(name.c_str(), plain, fast, References.Memcpy, "memcpy", fastSets);
        }
    }
}

} // namespace Bench

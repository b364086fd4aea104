#include "bench/VariantCheck.h"

#include "bench/BlendCases.h"
#include "bitmap32/Bmp32_CpuFeatures.h"
#include "bitmap32/Bmp32_LowLevel.h"

#include <cstdio>
#include <string>

namespace Bench {

namespace {

// The first pixel where the two images differ, described; empty when they are equal.
std::string FirstDifference(const char* Name, const char* FastName, const TBufferSize& Size,
                            const TPixels& Plain, const TPixels& Fast) {
    for (std::size_t i = 0; i < Plain.size(); ++i) {
        if (Plain[i] == Fast[i]) continue;
        char text[200];
        std::snprintf(text, sizeof text,
                      "%s on %d x %d: pixel %zu is %08X in the plain variant but %08X in the "
                      "%s variant",
                      Name, Size.Width, Size.Height, i, unsigned(Plain[i]), unsigned(Fast[i]),
                      FastName);
        return text;
    }
    return {};
}

std::string FillMismatch(const TBufferSize& Size) {
    TPixels plain(Size.Pixels()), fast(Size.Pixels());
    Bmp32::LowLevelRoutinesOf(Bmp32::rsPlain).FillLongword(plain.data(), Size.Pixels(), FILL_COLOR);
    Bmp32::LowLevelRoutinesOf(Bmp32::rsSse2).FillLongword(fast.data(), Size.Pixels(), FILL_COLOR);
    return FirstDifference("FillLongword", "SSE2", Size, plain, fast);
}

std::string BlendMismatch(const TBufferSize& Size, TAlphaPattern Pattern) {
    const TPixels src = RandomPixels(Size.Pixels(), Pattern, SOURCE_SEED);
    const TPixels dst = RandomPixels(Size.Pixels(), apRandom, DESTINATION_SEED);
    for (const TBlendCase& blendCase : BLEND_CASES) {
        TPixels plain = dst;
        blendCase.Run(Bmp32::PLAIN_BLEND_ROUTINES, src.data(), plain.data(), Size);
        const std::string name = std::string(blendCase.Name) + " with " + AlphaPatternName(Pattern);
        for (const TFastSet& set : FastRoutineSets()) {
            TPixels fast = dst;
            blendCase.Run(set.Routines, src.data(), fast.data(), Size);
            std::string mismatch = FirstDifference(name.c_str(), set.Name, Size, plain, fast);
            if (!mismatch.empty()) return mismatch;
        }
    }
    return {};
}

} // namespace

std::string FindVariantMismatch() {
    for (const TBufferSize& size : BUFFER_SIZES) {
        if (std::string mismatch = FillMismatch(size); !mismatch.empty()) return mismatch;
        for (TAlphaPattern pattern : ALPHA_PATTERNS)
            if (std::string mismatch = BlendMismatch(size, pattern); !mismatch.empty())
                return mismatch;
    }
    return {};
}

bool CheckFastVariants() {
    if (!Bmp32::HasSSE2()) {
        std::fprintf(stderr, "This processor has no SSE2, so there is no fast variant to "
                             "measure.\n");
        return false;
    }
    std::printf("Checking that the SSE2%s variants write what the plain variants write...\n",
                Bmp32::HasAVX2() ? " and AVX2" : "");
    std::fflush(stdout);
    if (const std::string mismatch = FindVariantMismatch(); !mismatch.empty()) {
        std::fprintf(stderr, "Variant mismatch: %s\n", mismatch.c_str());
        return false;
    }
    std::printf("All variants agree.\n");
    return true;
}

} // namespace Bench

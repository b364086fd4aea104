#include "bench/PixelBuffers.h"

#include <random>

namespace Bench {

const char* AlphaPatternName(TAlphaPattern Pattern) {
    switch (Pattern) {
    case apTransparent:
        return "alpha 0";
    case apOpaque:
        return "alpha 255";
    case apRandom:
        return "alpha random";
    case apAlmostOpaque:
        return "alpha 254";
    }
    return "alpha ?";
}

TPixels RandomPixels(int Count, TAlphaPattern Pattern, unsigned Seed) {
    std::mt19937 random(Seed);
    TPixels pixels(Count);
    for (TColor32& pixel : pixels) {
        const TColor32 bits = random();
        TColor32 alpha = bits >> 24;
        if (Pattern == apTransparent) alpha = 0;
        if (Pattern == apOpaque) alpha = 255;
        if (Pattern == apAlmostOpaque) alpha = 254;
        pixel = (bits & 0x00FFFFFF) | alpha << 24;
    }
    return pixels;
}

} // namespace Bench

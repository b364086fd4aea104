// The images the benchmark works on: the buffer sizes it measures and pixels of random colour
// with the alpha patterns that steer the blend routines down their different paths.
#pragma once

#include "bitmap32/Bmp32_Basics.h"

#include <array>
#include <vector>

namespace Bench {

using Bmp32::TColor32;
using TPixels = std::vector<TColor32>;

struct TBufferSize {
    int Width;
    int Height;
    int Pixels() const { return Width * Height; }
};

// The LED view, a full-HD screen and a large picture.
inline constexpr std::array<TBufferSize, 3> BUFFER_SIZES = {
    TBufferSize{297, 189}, TBufferSize{1920, 1080}, TBufferSize{4096, 4096}};

// Alpha of every source pixel: 0 and 255 take the shortcuts of the blend routines, random
// mixes all paths, and 254 makes every pixel do the full computation.
enum TAlphaPattern { apTransparent, apOpaque, apRandom, apAlmostOpaque };
inline constexpr std::array<TAlphaPattern, 4> ALPHA_PATTERNS = {apTransparent, apOpaque, apRandom,
                                                                apAlmostOpaque};

const char* AlphaPatternName(TAlphaPattern Pattern);

// Count pixels of random colour with alphas of the pattern; the same Seed gives the same
// pixels on every run and platform.
TPixels RandomPixels(int Count, TAlphaPattern Pattern, unsigned Seed);

// The colour of every fill.
inline constexpr TColor32 FILL_COLOR = 0xFF336699;

// Seeds of the two kinds of image, so sources and destinations never coincide.
inline constexpr unsigned SOURCE_SEED = 1;
inline constexpr unsigned DESTINATION_SEED = 2;

} // namespace Bench

// The polygon scenes of the fill benchmark, drawn the same way on Windows and in the native
// build: the LED digit's segment shapes tiled over 1920 by 1080, and stars of 100 and 1000
// vertices, each as lists of vertices in 16.16 fixed point (the scene's polygons).
#pragma once

#include "bitmap32/Bmp32_Polygons.h"

#include <cstdint>
#include <vector>

namespace Bench {

inline constexpr int SCENE_WIDTH = 1920;
inline constexpr int SCENE_HEIGHT = 1080;
// Alphas of the two fills of each scene: opaque, and blended.
inline constexpr Bmp32::TColor32 SCENE_OPAQUE = 0xFFD0200C;
inline constexpr Bmp32::TColor32 SCENE_BLENDED = 0xFED0200C;
inline constexpr Bmp32::TColor32 SCENE_BACKGROUND = 0xFF203040;

struct TPolygonScene {
    const char* Name;
    std::vector<Bmp32::TArrayOfFixedPoint> Polygons;
};

// The LED shapes, then the two stars.
std::vector<TPolygonScene> PolygonScenes();

// Every scene filled (pfAlternate) opaque and blended, each on a cleared 1920 by 1080 bitmap,
// hashed over all pixels.
std::uint32_t PolygonScenesChecksum();
// The same with the antialiased fill (am8times, pfAlternate), blending and then merging.
std::uint32_t AntialiasedScenesChecksum();

} // namespace Bench

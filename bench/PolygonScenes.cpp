#include "bench/PolygonScenes.h"

#include "app/LedGeometry.h"

#include <cmath>

namespace Bench {

namespace {

using namespace Bmp32;

// The digit's segments at their places in the LED view, repeated every 120 by 160 pixels.
TPolygonScene LedShapes() {
    TPolygonScene scene{"LED shapes", {}};
    for (int top = 0; top + 160 <= SCENE_HEIGHT; top += 160)
        for (int left = 0; left + 120 <= SCENE_WIDTH; left += 120)
            for (int segment = 0; segment < kSegmentCount; ++segment) {
                const TRect at = SegmentLocation(segment);
                TArrayOfFixedPoint polygon;
                for (const TPoint& p : SegmentShape(segment))
                    polygon.push_back(
                        FixedPoint(left + at.Left - 20 + p.X, top + at.Top - 30 + p.Y));
                scene.Polygons.push_back(polygon);
            }
    return scene;
}

// A star of Count vertices around the centre, on whole 1/256 pixels so that every build
// rounds it alike.
TPolygonScene Star(const char* Name, int Count) {
    TPolygonScene scene{Name, {{}}};
    for (int i = 0; i < Count; ++i) {
        const double angle = 2 * 3.14159265358979323846 * i / Count;
        const double radius = i % 2 ? 180.0 : 520.0;
        const auto fixed = [](double V) { return TFixed(std::lround(V * 256)) * 256; };
        scene.Polygons[0].push_back({fixed(SCENE_WIDTH / 2 + radius * std::cos(angle)),
                                     fixed(SCENE_HEIGHT / 2 + radius * std::sin(angle))});
    }
    return scene;
}

} // namespace

std::vector<TPolygonScene> PolygonScenes() {
    return {LedShapes(), Star("star of 100 vertices", 100), Star("star of 1000 vertices", 1000)};
}

namespace {

// Each scene filled opaque and blended by Fill(bitmap, polygon, colour), each on a cleared
// bitmap, hashed over all pixels into Hash.
template <typename TFill> void HashScenes(TBitmap32& Bitmap, std::uint32_t& Hash, TFill Fill) {
    for (const TPolygonScene& scene : PolygonScenes())
        for (TColor32 color : {SCENE_OPAQUE, SCENE_BLENDED}) {
            Bitmap.Clear(SCENE_BACKGROUND);
            for (const TArrayOfFixedPoint& polygon : scene.Polygons)
                Fill(Bitmap, polygon, color);
            const TColor32* bits = Bitmap.GetBits();
            for (int i = 0; i < SCENE_WIDTH * SCENE_HEIGHT; ++i)
                Hash = (Hash ^ bits[i]) * 16777619u;
        }
}

} // namespace

std::uint32_t PolygonScenesChecksum() {
    std::uint32_t hash = 2166136261u;
    TBitmap32 bitmap;
    bitmap.SetSize(SCENE_WIDTH, SCENE_HEIGHT);
    HashScenes(bitmap, hash,
               [](TBitmap32& Bitmap, const TArrayOfFixedPoint& Polygon, TColor32 Color) {
                   PolygonTS(&Bitmap, Polygon, Color);
               });
    return hash;
}

std::uint32_t AntialiasedScenesChecksum() {
    std::uint32_t hash = 2166136261u;
    TBitmap32 bitmap;
    bitmap.SetSize(SCENE_WIDTH, SCENE_HEIGHT);
    for (TCombineMode mode : {cmBlend, cmMerge}) {
        bitmap.SetCombineMode(mode);
        HashScenes(bitmap, hash,
                   [](TBitmap32& Bitmap, const TArrayOfFixedPoint& Polygon, TColor32 Color) {
                       PolygonXS(&Bitmap, Polygon, Color, pfAlternate, am8times);
                   });
    }
    return hash;
}

} // namespace Bench

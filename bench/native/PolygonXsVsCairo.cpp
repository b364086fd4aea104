#include "bench/native/PolygonXsVsCairo.h"

#include "bench/BenchTimer.h"
#include "bench/native/PolygonVsCairo.h"

#include <cstdio>

namespace Bench {

namespace {

using namespace Bmp32;

struct TModeCase {
    TAntialiasMode Mode;
    const char* Name;
};

constexpr TModeCase MODES[] = {{am32times, "am32times"},
                               {am16times, "am16times"},
                               {am8times, "am8times"},
                               {am4times, "am4times"},
                               {am2times, "am2times"}};

// am8times is to run at least half as fast as cairo's default antialiasing.
constexpr double AM8_TARGET = 0.5;

// The checksum of the antialiased scenes, as tests/app/PolygonScenesTest.cpp pins it.
constexpr std::uint32_t PINNED_CHECKSUM = 0x95227F55u;

} // namespace

bool BenchAntialiasedPolygonsAgainstCairo() {
    if (!MatchesPinnedChecksum("the antialiased polygon scenes", AntialiasedScenesChecksum(),
                               PINNED_CHECKSUM))
        return false;
    PrintCairoHeading("Antialiased", "default antialiasing", "mode, fill");
    TBitmap32 bitmap;
    PrepareSceneBitmap(bitmap);
    TCairoCanvas cairo(CAIRO_ANTIALIAS_DEFAULT);
    for (const TPolygonScene& scene : PolygonScenes()) {
        for (TColor32 color : {SCENE_OPAQUE, SCENE_BLENDED}) {
            const double theirs = BestSecondsPerCall([&] { cairo.Fill(scene, color); });
            const char* fill = color == SCENE_OPAQUE ? "opaque" : "alpha 254";
            for (const TModeCase& mode : MODES) {
                const double ours = BestSecondsPerCall([&] {
                    for (const TArrayOfFixedPoint& polygon : scene.Polygons)
                        PolygonXS(&bitmap, polygon, color, pfAlternate, mode.Mode);
                    KeepMemory(bitmap.GetBits());
                });
                char label[32];
                std::snprintf(label, sizeof label, "%s, %s", mode.Name, fill);
                PrintCairoRow(scene.Name, label, ours, theirs, AM8_TARGET, mode.Mode == am8times);
            }
        }
    }
    return true;
}

} // namespace Bench

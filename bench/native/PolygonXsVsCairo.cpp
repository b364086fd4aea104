#include "bench/native/PolygonXsVsCairo.h"

#include "bench/BenchTimer.h"
#include "bench/native/PolygonVsCairo.h"

#include <cstdio>
#include <vector>

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

// am8times against cairo's default antialiasing: at least half as fast on the LED shapes (the
// first scene), at least as fast on the stars.
constexpr double AM8_LED_TARGET = 0.5;
constexpr double AM8_STAR_TARGET = 1.0;

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
    const std::vector<TPolygonScene> scenes = PolygonScenes();
    for (std::size_t i = 0; i < scenes.size(); ++i) {
        const TPolygonScene& scene = scenes[i];
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
                PrintCairoRow(scene.Name, label, ours, theirs, i == 0 ? AM8_LED_TARGET : AM8_STAR_TARGET,
                              mode.Mode == am8times);
            }
        }
    }
    return true;
}

} // namespace Bench

#include "bench/native/PolygonVsCairo.h"

#include "bench/BenchTimer.h"
#include "bench/PolygonScenes.h"

#include <cairo.h>

#include <cstdio>

namespace Bench {

namespace {

using namespace Bmp32;

// The checksum of the scenes, as tests/app/PolygonScenesTest.cpp pins it.
constexpr std::uint32_t PINNED_CHECKSUM = 0x89C93B05u;

double ToDouble(TFixed V) {
    return V / 65536.0;
}

class TCairoCanvas {
public:
    TCairoCanvas()
        : FSurface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, SCENE_WIDTH, SCENE_HEIGHT)),
          FCairo(cairo_create(FSurface)) {
        cairo_set_antialias(FCairo, CAIRO_ANTIALIAS_NONE);
        cairo_set_fill_rule(FCairo, CAIRO_FILL_RULE_EVEN_ODD);
    }
    ~TCairoCanvas() {
        cairo_destroy(FCairo);
        cairo_surface_destroy(FSurface);
    }
    void Fill(const TPolygonScene& Scene, TColor32 Color) {
        cairo_set_source_rgba(FCairo, ((Color >> 16) & 0xFF) / 255.0, ((Color >> 8) & 0xFF) / 255.0,
                              (Color & 0xFF) / 255.0, (Color >> 24) / 255.0);
        for (const TArrayOfFixedPoint& polygon : Scene.Polygons) {
            cairo_move_to(FCairo, ToDouble(polygon[0].X), ToDouble(polygon[0].Y));
            for (const TFixedPoint& p : polygon)
                cairo_line_to(FCairo, ToDouble(p.X), ToDouble(p.Y));
            cairo_close_path(FCairo);
            cairo_fill(FCairo);
        }
        cairo_surface_flush(FSurface);
        KeepMemory(cairo_image_surface_get_data(FSurface));
    }

private:
    cairo_surface_t* FSurface;
    cairo_t* FCairo;
};

void PrintRow(const char* Scene, const char* Fill, double Ours, double Cairo, double Target,
              bool Targeted) {
    const double ratio = Cairo / Ours;
    std::printf("  %-24s %-8s %9.3f ms %9.3f ms %7.2fx", Scene, Fill, Ours * 1e3, Cairo * 1e3,
                ratio);
    if (Targeted)
        std::printf("  (at least %.1fx: %s)", Target, ratio >= Target ? "met" : "NOT met");
    std::printf("\n");
    std::fflush(stdout);
}

} // namespace

bool BenchPolygonsAgainstCairo() {
    const std::uint32_t checksum = PolygonScenesChecksum();
    if (checksum != PINNED_CHECKSUM) {
        std::printf("The polygon scenes' checksum is %08X, not the pinned %08X\n", checksum,
                    PINNED_CHECKSUM);
        return false;
    }
    std::printf("\nAliased polygon fill against cairo %s (no antialiasing, even-odd), %d x %d;\n"
                "speed of ours over cairo's, best of %d runs\n",
                cairo_version_string(), SCENE_WIDTH, SCENE_HEIGHT, RUN_COUNT);
    std::printf("  %-24s %-8s %12s %12s %8s\n", "scene", "fill", "ours", "cairo", "speed");
    TBitmap32 bitmap;
    bitmap.SetSize(SCENE_WIDTH, SCENE_HEIGHT);
    bitmap.Clear(SCENE_BACKGROUND);
    TCairoCanvas cairo;
    const std::vector<TPolygonScene> scenes = PolygonScenes();
    for (std::size_t i = 0; i < scenes.size(); ++i) {
        const TPolygonScene& scene = scenes[i];
        const bool star = i > 0;
        for (TColor32 color : {SCENE_OPAQUE, SCENE_BLENDED}) {
            const double ours = BestSecondsPerCall([&] {
                for (const TArrayOfFixedPoint& polygon : scene.Polygons)
                    PolygonTS(&bitmap, polygon, color);
                KeepMemory(bitmap.GetBits());
            });
            const double theirs = BestSecondsPerCall([&] { cairo.Fill(scene, color); });
            const bool opaque = color == SCENE_OPAQUE;
            PrintRow(scene.Name, opaque ? "opaque" : "alpha 254", ours, theirs,
                     opaque ? 1.0 : 0.5, star);
        }
    }
    return true;
}

} // namespace Bench

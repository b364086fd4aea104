#include "bench/native/PolygonVsCairo.h"

#include "bench/BenchRatio.h"
#include "bench/BenchTimer.h"

#include <cstdio>
#include <string>

namespace Bench {

namespace {

using namespace Bmp32;

// The checksum of the scenes, as tests/app/PolygonScenesTest.cpp pins it.
constexpr std::uint32_t PINNED_CHECKSUM = 0x89C93B05u;

double ToDouble(TFixed V) {
    return V / 65536.0;
}

// The fill of the heading above the rows ("Aliased", "Antialiased"), which their ratios' names
// carry.
std::string FillHeading;

} // namespace

TCairoCanvas::TCairoCanvas(cairo_antialias_t Antialias)
    : FSurface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, SCENE_WIDTH, SCENE_HEIGHT)),
      FCairo(cairo_create(FSurface)) {
    cairo_set_antialias(FCairo, Antialias);
    cairo_set_fill_rule(FCairo, CAIRO_FILL_RULE_EVEN_ODD);
}

TCairoCanvas::~TCairoCanvas() {
    cairo_destroy(FCairo);
    cairo_surface_destroy(FSurface);
}

void TCairoCanvas::Fill(const TPolygonScene& Scene, TColor32 Color) {
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

void PrintCairoHeading(const char* Fill, const char* Antialiasing, const char* Case) {
    std::printf("\n%s polygon fill against cairo %s (%s, even-odd), %d x %d;\n"
                "speed of ours over cairo's, best of %d runs\n",
                Fill, cairo_version_string(), Antialiasing, SCENE_WIDTH, SCENE_HEIGHT, RUN_COUNT);
    FillHeading = Fill;
    std::printf("  %-24s %-20s %12s %12s %8s\n", "scene", Case, "ours", "cairo", "speed");
}

void PrepareSceneBitmap(TBitmap32& Bitmap) {
    Bitmap.SetSize(SCENE_WIDTH, SCENE_HEIGHT);
    Bitmap.Clear(SCENE_BACKGROUND);
}

void PrintCairoRow(const char* Scene, const char* Fill, double Ours, double Cairo, double Target,
                   bool Targeted) {
    const double ratio = Cairo / Ours;
    const TTarget target = Targeted ? AtLeast(Target) : TTarget{};
    std::printf("  %-24s %-20s %9.3f ms %9.3f ms %7.2fx%s\n", Scene, Fill, Ours * 1e3, Cairo * 1e3,
                ratio, VerdictText(ratio, target).c_str());
    std::fflush(stdout);
    RecordRatio(FillHeading + " polygon fill, " + Scene + ", " + Fill + ": speed over cairo", ratio,
                target);
}

bool MatchesPinnedChecksum(const char* What, std::uint32_t Checksum, std::uint32_t Pinned) {
    if (Checksum == Pinned) return true;
    std::printf("The checksum of %s is %08X, not the pinned %08X\n", What, Checksum, Pinned);
    return false;
}

bool BenchPolygonsAgainstCairo() {
    if (!MatchesPinnedChecksum("the polygon scenes", PolygonScenesChecksum(), PINNED_CHECKSUM))
        return false;
    PrintCairoHeading("Aliased", "no antialiasing", "fill");
    TBitmap32 bitmap;
    PrepareSceneBitmap(bitmap);
    TCairoCanvas cairo(CAIRO_ANTIALIAS_NONE);
    const std::vector<TPolygonScene> scenes = PolygonScenes();
    // At least as fast as cairo on every scene, opaque and blended.
    for (const TPolygonScene& scene : scenes) {
        for (TColor32 color : {SCENE_OPAQUE, SCENE_BLENDED}) {
            const double ours = BestSecondsPerCall([&] {
                for (const TArrayOfFixedPoint& polygon : scene.Polygons)
                    PolygonTS(&bitmap, polygon, color);
                KeepMemory(bitmap.GetBits());
            });
            const double theirs = BestSecondsPerCall([&] { cairo.Fill(scene, color); });
            const bool opaque = color == SCENE_OPAQUE;
            PrintCairoRow(scene.Name, opaque ? "opaque" : "alpha 254", ours, theirs, 1.0, true);
        }
    }
    return true;
}

} // namespace Bench

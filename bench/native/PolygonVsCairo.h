// The aliased polygon fill of the bitmap library against cairo's fill without antialiasing,
// on the scenes of bench/PolygonScenes.h, opaque and blended, after checking the library's
// pixels against the checksum that the Windows tests pin.
#pragma once

#include "bench/PolygonScenes.h"

#include <cairo.h>
#include <cstdint>

namespace Bench {

// A cairo image surface of the scenes' size, filling each polygon of a scene even-odd with the
// given antialiasing.
class TCairoCanvas {
public:
    explicit TCairoCanvas(cairo_antialias_t Antialias);
    ~TCairoCanvas();
    TCairoCanvas(const TCairoCanvas&) = delete;
    TCairoCanvas& operator=(const TCairoCanvas&) = delete;
    void Fill(const TPolygonScene& Scene, Bmp32::TColor32 Color);

private:
    cairo_surface_t* FSurface;
    cairo_t* FCairo;
};

// The title and column heads of a comparison; Case names what each row measures.
void PrintCairoHeading(const char* Fill, const char* Antialiasing, const char* Case);
// Sized to the scenes and cleared to their background.
void PrepareSceneBitmap(Bmp32::TBitmap32& Bitmap);
// One row of a comparison: both times, cairo's over ours, and whether a target ratio is met.
void PrintCairoRow(const char* Scene, const char* Fill, double Ours, double Cairo, double Target,
                   bool Targeted);

// False, having said so, when the checksum of What differs from the pinned one.
bool MatchesPinnedChecksum(const char* What, std::uint32_t Checksum, std::uint32_t Pinned);

// False, having said why, when the pixels differ from the pinned checksum.
bool BenchPolygonsAgainstCairo();

} // namespace Bench

// TBitmap32 sub-pixel lines: end points in 16.16 or float coordinates, one 2 x 2 sample per
// pixel of length, in a fixed colour or in stipple colours, and the sub-pixel pen.
#include "bitmap32/Bmp32.h"

#include "bitmap32/Bmp32_Blend.h"
#include "bitmap32/Bmp32_DrawingEx.h"

#include <cmath>

namespace Bmp32 {

namespace {

// Puts the samples of the line (X1, Y1)-(X2, Y2) (16.16): one per whole pixel of its length
// (one pixel more when L), then a last one halfway between the last sample and the end point
// whose alpha is the leftover fraction of a pixel. Put(X, Y, Color) takes 24.8 coordinates;
// NextColor gives each sample's colour in turn. False, putting nothing, for a line shorter
// than 1/256 pixel.
template <typename Put, typename ColorSource>
bool SampleLine(Int64 X1, Int64 Y1, Int64 X2, Int64 Y2, bool L, Put PutSample,
                ColorSource NextColor) {
    const Int64 dx = X2 - X1, dy = Y2 - Y1;
    Int64 px = X1 + 127, py = Y1 + 127;
    Int64 n = Int64(std::nearbyint(std::hypot(double(dx), double(dy))));
    if (L) n += 65536;
    if (n < 256) return false;
    const Int64 k = n >> 16;
    // Without a whole step the last sample lies halfway between the start and the end point.
    Int64 sx = 0, sy = 0;
    if (k > 0) {
        sx = Int64(std::nearbyint(double(dx) * 65536 / double(n)));
        sy = Int64(std::nearbyint(double(dy) * 65536 / double(n)));
        for (Int64 i = 0; i < k; ++i) {
            PutSample(int(px >> 8), int(py >> 8), NextColor());
            px += sx;
            py += sy;
        }
    }
    const Int64 fraction = n - (k << 16);
    const TColor32 color = NextColor();
    const TColor32 alpha = TColor32(((color >> 24) * fraction) >> 16);
    PutSample(int((X2 + 127 + px - sx) >> 9), int((Y2 + 127 + py - sy) >> 9),
              (color & 0x00FFFFFF) + (alpha << 24));
    return true;
}

// Length in pixels of the line from (X1, Y1) to (X2, Y2) (16.16).
float PixelLength(Int64 X1, Int64 Y1, Int64 X2, Int64 Y2) {
    return float(std::hypot(double(X2 - X1) / 65536, double(Y2 - Y1) / 65536));
}

} // namespace

void TBitmap32::ReportFixedLine(TFixed X1, TFixed Y1, TFixed X2, TFixed Y2) {
    Changed(MakeRect(FixedRect(X1, Y1, X2, Y2), rrClosest), AREAINFO_LINE + 2);
}

// ---- Fixed colour -------------------------------------------------------------------------

void TBitmap32::LineX(TFixed X1, TFixed Y1, TFixed X2, TFixed Y2, TColor32 Value, bool L) {
    SampleLine(
        X1, Y1, X2, Y2, L, [this](int X, int Y, TColor32 C) { SET_T256(X, Y, C); },
        [Value] { return Value; });
    EMMS();
    ReportFixedLine(X1, Y1, X2, Y2);
}

void TBitmap32::LineF(float X1, float Y1, float X2, float Y2, TColor32 Value, bool L) {
    LineX(Fixed(X1), Fixed(Y1), Fixed(X2), Fixed(Y2), Value, L);
}

namespace {

// Whether a clipped line lies at least two pixels inside the right and bottom edges and
// beyond the left and top ones, so that its 2 x 2 samples need no clipping.
bool WellInside(const TFixedRect& Clip, int X1, int Y1, int X2, int Y2) {
    const auto insideX = [&](Int64 X) { return X > Clip.Left && X < Int64(Clip.Right) - 131072; };
    const auto insideY = [&](Int64 Y) { return Y > Clip.Top && Y < Int64(Clip.Bottom) - 131072; };
    return insideX(X1) && insideX(X2) && insideY(Y1) && insideY(Y2);
}

} // namespace

void TBitmap32::LineXS(TFixed X1, TFixed Y1, TFixed X2, TFixed Y2, TColor32 Value, bool L) {
    if (FMeasuringMode) {
        ReportFixedLine(X1, Y1, X2, Y2);
        return;
    }
    if (ClipEmpty()) return;
    int x1 = X1, y1 = Y1, x2 = X2, y2 = Y2;
    const TFixedRect& clip = FFixedClipRect;
    if (!ClipLine(x1, y1, x2, y2, clip.Left, clip.Top, clip.Right - FixedOne,
                  clip.Bottom - FixedOne))
        return;
    if (x2 != X2 || y2 != Y2) L = true;
    if (WellInside(clip, x1, y1, x2, y2)) {
        LineX(x1, y1, x2, y2, Value, L);
        return;
    }
    const bool drawn = SampleLine(
        x1, y1, x2, y2, L, [this](int X, int Y, TColor32 C) { SET_TS256(X, Y, C); },
        [Value] { return Value; });
    EMMS();
    if (drawn) ReportFixedLine(x1, y1, x2, y2);
}

void TBitmap32::LineFS(float X1, float Y1, float X2, float Y2, TColor32 Value, bool L) {
    LineXS(Fixed(X1), Fixed(Y1), Fixed(X2), Fixed(Y2), Value, L);
}

// ---- Stipple colours ----------------------------------------------------------------------

void TBitmap32::LineXP(TFixed X1, TFixed Y1, TFixed X2, TFixed Y2, bool L) {
    SampleLine(
        X1, Y1, X2, Y2, L, [this](int X, int Y, TColor32 C) { SET_T256(X, Y, C); },
        [this] { return GetStippleColor(); });
    EMMS();
    ReportFixedLine(X1, Y1, X2, Y2);
}

void TBitmap32::LineFP(float X1, float Y1, float X2, float Y2, bool L) {
    LineXP(Fixed(X1), Fixed(Y1), Fixed(X2), Fixed(Y2), L);
}

void TBitmap32::LineXSP(TFixed X1, TFixed Y1, TFixed X2, TFixed Y2, bool L) {
    if (FMeasuringMode) {
        ReportFixedLine(X1, Y1, X2, Y2);
        return;
    }
    int x1 = X1, y1 = Y1, x2 = X2, y2 = Y2;
    const TFixedRect& clip = FFixedClipRect;
    if (ClipEmpty() || !ClipLine(x1, y1, x2, y2, clip.Left, clip.Top, clip.Right - FixedOne,
                                 clip.Bottom - FixedOne)) {
        AdvanceStippleCounter(PixelLength(X1, Y1, X2, Y2) - (L ? 1 : 0));
        return;
    }
    // The pattern runs on over the pieces cut off, keeping the phase of the whole line.
    if (x1 != X1 || y1 != Y1) AdvanceStippleCounter(PixelLength(X1, Y1, x1, y1));
    const bool endCut = x2 != X2 || y2 != Y2;
    if (endCut) L = true;
    if (WellInside(clip, x1, y1, x2, y2)) {
        LineXP(x1, y1, x2, y2, L);
    } else {
        const bool drawn = SampleLine(
            x1, y1, x2, y2, L, [this](int X, int Y, TColor32 C) { SET_TS256(X, Y, C); },
            [this] { return GetStippleColor(); });
        EMMS();
        if (drawn) ReportFixedLine(x1, y1, x2, y2);
    }
    if (endCut) AdvanceStippleCounter(PixelLength(x2, y2, X2, Y2) - (L ? 1 : 0));
}

void TBitmap32::LineFSP(float X1, float Y1, float X2, float Y2, bool L) {
    LineXSP(Fixed(X1), Fixed(Y1), Fixed(X2), Fixed(Y2), L);
}

// ---- The sub-pixel pen --------------------------------------------------------------------

void TBitmap32::MoveToX(TFixed X, TFixed Y) {
    FRasterXF = X;
    FRasterYF = Y;
}

void TBitmap32::MoveToF(float X, float Y) {
    MoveToX(Fixed(X), Fixed(Y));
}

void TBitmap32::LineToXS(TFixed X, TFixed Y) {
    LineXS(FRasterXF, FRasterYF, X, Y, FPenColor);
    MoveToX(X, Y);
}

void TBitmap32::LineToFS(float X, float Y) {
    LineToXS(Fixed(X), Fixed(Y));
}

void TBitmap32::LineToXSP(TFixed X, TFixed Y) {
    LineXSP(FRasterXF, FRasterYF, X, Y);
    MoveToX(X, Y);
}

void TBitmap32::LineToFSP(float X, float Y) {
    LineToXSP(Fixed(X), Fixed(Y));
}

} // namespace Bmp32

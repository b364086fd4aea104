// TBitmap32 integer lines: horizontal and vertical runs, Bresenham lines, antialiased lines
// and the pen.
//
// A clipped line draws exactly the pixels of the unclipped line that fall inside the clip
// rectangle. The steps where it enters and leaves are computed with exact divisions over the
// line's own stepping rule, in 64-bit (and, for the products, 128-bit) arithmetic, so any
// 32-bit end points work.
#include "bitmap32/Bmp32.h"

#include "bitmap32/Bmp32_Blend.h"
#include "bitmap32/Bmp32_DrawingEx.h"
#include "bitmap32/Bmp32_LowLevel.h"

#include <algorithm>
#include <cstdlib>

namespace Bmp32 {

namespace {

int Successor(int Value) {
    return Value == INT32_MAX ? Value : Value + 1;
}

// A step number no line reaches.
constexpr Int64 NoStep = INT64_MAX / 4;

// One axis of a line, mirrored when the line runs towards smaller coordinates so that it
// always runs upwards: Start, ClipLo and ClipHi are then the negated positions.
struct TAxis {
    Int64 Start;
    Int64 Delta;
    Int64 ClipLo;
    Int64 ClipHi;
    int Sign;
};

TAxis MakeAxis(int From, int To, int ClipLo, int ClipHi) {
    if (To >= From) return {From, Int64(To) - From, ClipLo, ClipHi, 1};
    return {-Int64(From), Int64(From) - To, -Int64(ClipHi), -Int64(ClipLo), -1};
}

// A line seen along its longer (major) axis; X is major when the deltas are equal.
struct TLineAxes {
    TAxis Major;
    TAxis Minor;
    bool XMajor;
};

TLineAxes MakeLineAxes(int X1, int Y1, int X2, int Y2, const TRect& Clip) {
    const TAxis x = MakeAxis(X1, X2, Clip.Left, Clip.Right - 1);
    const TAxis y = MakeAxis(Y1, Y2, Clip.Top, Clip.Bottom - 1);
    if (x.Delta >= y.Delta) return {x, y, true};
    return {y, x, false};
}

// The clip window of an unclipped line: every 32-bit position.
constexpr TRect Everywhere{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};

// Where the pixel of a step lies in the bitmap, and how a step along each axis moves it.
struct TWalk {
    ptrdiff_t Offset;
    ptrdiff_t MajorStride;
    ptrdiff_t MinorStride;
};

TWalk StartWalk(const TBitmap32& B, const TLineAxes& A, Int64 MajorPos, Int64 MinorPos) {
    const Int64 major = A.Major.Sign * MajorPos, minor = A.Minor.Sign * MinorPos;
    const ptrdiff_t width = B.GetWidth();
    if (A.XMajor)
        return {ptrdiff_t(minor) * width + ptrdiff_t(major), A.Major.Sign, A.Minor.Sign * width};
    return {ptrdiff_t(major) * width + ptrdiff_t(minor), A.Major.Sign * width, A.Minor.Sign};
}

// Whether the run from From towards To (To itself only when L) meets Lo..Hi - 1.
bool RunMeets(Int64 From, Int64 To, bool L, int Lo, int Hi) {
    Int64 first, last;
    if (To > From) {
        first = From;
        last = To - (L ? 0 : 1);
    } else if (To < From) {
        first = To + (L ? 0 : 1);
        last = From;
    } else {
        if (!L) return false;
        first = last = From;
    }
    return first < Hi && last >= Lo;
}

// Whether a horizontal or vertical line has a pixel in Clip.
bool StraightLineMeets(const TRect& Clip, int X1, int Y1, int X2, int Y2, bool L) {
    if (X1 == X2)
        return X1 >= Clip.Left && X1 < Clip.Right && RunMeets(Y1, Y2, L, Clip.Top, Clip.Bottom);
    return Y1 >= Clip.Top && Y1 < Clip.Bottom && RunMeets(X1, X2, L, Clip.Left, Clip.Right);
}

using TRunDrawer = void (TBitmap32::*)(int, int, int, TColor32);
using TPixelDrawer = void (TBitmap32::*)(int, int, TColor32);

// Draws a horizontal or vertical line as one run without its last point, then that point
// when L.
void StraightLine(TBitmap32& B, int X1, int Y1, int X2, int Y2, TColor32 Value, bool L,
                  TRunDrawer Vert, TRunDrawer Horz, TPixelDrawer Pixel) {
    if (Y2 > Y1)
        (B.*Vert)(X1, Y1, Y2 - 1, Value);
    else if (Y2 < Y1)
        (B.*Vert)(X1, Y2 + 1, Y1, Value);
    else if (X2 > X1)
        (B.*Horz)(X1, Y1, X2 - 1, Value);
    else if (X2 < X1)
        (B.*Horz)(X2 + 1, Y1, X1, Value);
    if (L) (B.*Pixel)(X2, Y2, Value);
}

// ---- Bresenham ----------------------------------------------------------------------------
// With major delta D and minor delta d (0 < d <= D), step i lies at minor offset
// floor((2 i d + D) / 2D): the error term 2d - D and its updates, with a tie taking the minor
// step.

// The first step whose minor offset reaches K.
Int64 BresenhamFirstReaching(Int64 K, Int64 D, Int64 d) {
    if (K <= 0) return 0;
    if (K > d) return NoStep;
    std::uint64_t remainder;
    const std::uint64_t quotient = WideMulDiv(2 * K - 1, D, 2 * d, remainder);
    return Int64(quotient) + (remainder != 0);
}

// Draws the steps of the line that fall in Clip, the last point only when L; Plot gets each
// pixel by reference. False when none falls in Clip.
template <typename Plot>
bool BresenhamLine(TBitmap32& B, int X1, int Y1, int X2, int Y2, bool L, const TRect& Clip,
                   Plot PlotPixel) {
    const TLineAxes a = MakeLineAxes(X1, Y1, X2, Y2, Clip);
    const Int64 D = a.Major.Delta, d = a.Minor.Delta;
    const Int64 last = D - 1 + (L ? 1 : 0);
    const Int64 first = std::max({Int64(0), a.Major.ClipLo - a.Major.Start,
                                  BresenhamFirstReaching(a.Minor.ClipLo - a.Minor.Start, D, d)});
    const Int64 end =
        std::min({last, a.Major.ClipHi - a.Major.Start,
                  BresenhamFirstReaching(a.Minor.ClipHi - a.Minor.Start + 1, D, d) - 1});
    if (first > end) return false;
    // Minor offset and remainder of (2 first d + D) / 2D.
    std::uint64_t remainder;
    Int64 minor = Int64(WideMulDiv(first, 2 * d, 2 * D, remainder));
    Int64 error = Int64(remainder) + D;
    if (error >= 2 * D) {
        error -= 2 * D;
        ++minor;
    }
    TWalk walk = StartWalk(B, a, a.Major.Start + first, a.Minor.Start + minor);
    TColor32* const bits = B.GetBits();
    for (Int64 i = first; i <= end; ++i) {
        PlotPixel(bits[walk.Offset]);
        error += 2 * d;
        if (error >= 2 * D) {
            error -= 2 * D;
            walk.Offset += walk.MinorStride;
        }
        walk.Offset += walk.MajorStride;
    }
    return true;
}

// ---- Antialiased ----------------------------------------------------------------------------
// With the 16-bit slope s = (d shl 16) div D, step i lies at minor offset (i s) shr 16 and
// shares its colour between that pixel and the next one along the minor axis by the fraction
// (i s) and $FFFF.

// The first step whose minor offset reaches K.
Int64 AntialiasedFirstReaching(Int64 K, Int64 Slope) {
    if (K <= 0) return 0;
    if (Slope == 0) return NoStep;
    return (K * 65536 + Slope - 1) / Slope;
}

// Blends the steps of a line that is neither straight nor diagonal; only pixels in Clip are
// written. False when none is.
bool AntialiasedLine(TBitmap32& B, int X1, int Y1, int X2, int Y2, TColor32 Value, bool L,
                     const TRect& Clip) {
    const TLineAxes a = MakeLineAxes(X1, Y1, X2, Y2, Clip);
    const Int64 D = a.Major.Delta, d = a.Minor.Delta;
    const Int64 slope = (d << 16) / D;
    const Int64 lo = a.Minor.ClipLo - a.Minor.Start, hi = a.Minor.ClipHi - a.Minor.Start;
    const Int64 last = D - 1 + (L ? 1 : 0);
    const Int64 first = std::max(
        {Int64(0), a.Major.ClipLo - a.Major.Start, AntialiasedFirstReaching(lo - 1, slope)});
    const Int64 end = std::min(
        {last, a.Major.ClipHi - a.Major.Start, AntialiasedFirstReaching(hi + 1, slope) - 1});
    if (first > end) return false;
    // The pixel on the line is inside from this step on; its neighbour until before that one.
    const Int64 mainFrom = AntialiasedFirstReaching(lo, slope);
    const Int64 neighbourUntil = AntialiasedFirstReaching(hi, slope);
    Int64 fraction = (first * slope) & 0xFFFF;
    TWalk walk = StartWalk(B, a, a.Major.Start + first, a.Minor.Start + ((first * slope) >> 16));
    TColor32* const bits = B.GetBits();
    const TBlendMemEx blend = BLEND_MEM_EX[B.GetCombineMode()];
    for (Int64 i = first; i <= end; ++i) {
        const int e = int(fraction >> 8);
        if (i >= mainFrom) blend(Value, bits[walk.Offset], GAMMA_TABLE[e ^ 255]);
        // A weight of 0 changes nothing; skipping it keeps the neighbour of an unclipped line's
        // last step, which may lie past the bitmap, untouched.
        if (i < neighbourUntil && GAMMA_TABLE[e] != 0)
            blend(Value, bits[walk.Offset + walk.MinorStride], GAMMA_TABLE[e]);
        fraction += slope;
        if (fraction >= 65536) {
            fraction -= 65536;
            walk.Offset += walk.MinorStride;
        }
        walk.Offset += walk.MajorStride;
    }
    EMMS();
    return true;
}

} // namespace

// ---- Reports ------------------------------------------------------------------------------

void TBitmap32::ReportHorzRun(int X1, int Y, int X2) {
    Changed({std::min(X1, X2), Y, Successor(std::max(X1, X2)), Successor(Y)}, AREAINFO_RECT);
}

void TBitmap32::ReportVertRun(int X, int Y1, int Y2) {
    Changed({X, std::min(Y1, Y2), Successor(X), Successor(std::max(Y1, Y2))}, AREAINFO_RECT);
}

void TBitmap32::ReportLine(int X1, int Y1, int X2, int Y2) {
    Changed({X1, Y1, X2, Y2}, AREAINFO_LINE + 2);
}

// ---- Horizontal and vertical runs ---------------------------------------------------------

void TBitmap32::HorzLine(int X1, int Y, int X2, TColor32 Value) {
    const Int64 count = Int64(X2) - X1 + 1;
    if (count > 0) FillLongword(GetPixelPtr(X1, Y), int(count), Value);
}

void TBitmap32::ClippedHorzRun(int X1, int Y, int X2, TColor32 Value, TRunMethod Draw) {
    if (FMeasuringMode) {
        ReportHorzRun(X1, Y, X2);
        return;
    }
    if (Y < FClipRect.Top || Y >= FClipRect.Bottom ||
        !TestClip(X1, X2, FClipRect.Left, FClipRect.Right))
        return;
    (this->*Draw)(X1, Y, X2, Value);
    ReportHorzRun(X1, Y, X2);
}

void TBitmap32::ClippedVertRun(int X, int Y1, int Y2, TColor32 Value, TRunMethod Draw) {
    if (FMeasuringMode) {
        ReportVertRun(X, Y1, Y2);
        return;
    }
    if (X < FClipRect.Left || X >= FClipRect.Right ||
        !TestClip(Y1, Y2, FClipRect.Top, FClipRect.Bottom))
        return;
    (this->*Draw)(X, Y1, Y2, Value);
    ReportVertRun(X, Y1, Y2);
}

void TBitmap32::HorzLineS(int X1, int Y, int X2, TColor32 Value) {
    ClippedHorzRun(X1, Y, X2, Value, &TBitmap32::HorzLine);
}

void TBitmap32::HorzLineT(int X1, int Y, int X2, TColor32 Value) {
    if (X2 < X1) return;
    TColor32* p = GetPixelPtr(X1, Y);
    Int64 count = Int64(X2) - X1 + 1;
    // A call through the routine table per pixel costs more than the blend itself: longer runs go
    // through the line routine, a chunk at a time against copies of the colour, which gives every
    // pixel what the single-pixel routine gives it.
    constexpr Int64 SHORT_RUN = 8, CHUNK = 64;
    if (count < SHORT_RUN) {
        const TBlendMem blend = BLEND_MEM[FCombineMode];
        for (; count > 0; --count)
            blend(Value, *p++);
    } else {
        TColor32 colours[CHUNK];
        std::fill_n(colours, std::min(count, CHUNK), Value);
        const TBlendLine blendLine = BLEND_LINE[FCombineMode];
        for (; count > 0; count -= CHUNK, p += CHUNK)
            blendLine(colours, p, int(std::min(count, CHUNK)));
    }
    EMMS();
}

void TBitmap32::HorzLineTS(int X1, int Y, int X2, TColor32 Value) {
    ClippedHorzRun(X1, Y, X2, Value, &TBitmap32::HorzLineT);
}

void TBitmap32::VertLine(int X, int Y1, int Y2, TColor32 Value) {
    TColor32* const column = FBits + X;
    for (Int64 y = Y1; y <= Y2; ++y)
        column[PixelOffset(int(y))] = Value;
}

void TBitmap32::VertLineS(int X, int Y1, int Y2, TColor32 Value) {
    ClippedVertRun(X, Y1, Y2, Value, &TBitmap32::VertLine);
}

void TBitmap32::VertLineT(int X, int Y1, int Y2, TColor32 Value) {
    if (Y2 < Y1) return;
    TColor32* const column = FBits + X;
    const TBlendMem blend = BLEND_MEM[FCombineMode];
    for (Int64 y = Y1; y <= Y2; ++y)
        blend(Value, column[PixelOffset(int(y))]);
    EMMS();
}

void TBitmap32::VertLineTS(int X, int Y1, int Y2, TColor32 Value) {
    ClippedVertRun(X, Y1, Y2, Value, &TBitmap32::VertLineT);
}

// ---- Stippled runs ------------------------------------------------------------------------

namespace {

// Draws the part Lo..Hi of the run P1..P2 (either order) in stipple colours and advances the
// pattern over the parts cut off, so its phase is that of the whole run. Pixel(P) draws the
// colour at position P; Report(From, To) announces the drawn part.
template <typename Pixel, typename Report>
void StippledRun(TBitmap32& B, int P1, int P2, int Lo, int Hi, Pixel PutPixel, Report ReportRun) {
    if ((P1 < Lo && P2 < Lo) || (P1 > Hi && P2 > Hi)) {
        B.AdvanceStippleCounter(float(std::abs(Int64(P2) - P1) + 1));
        return;
    }
    if (P1 < Lo) {
        B.AdvanceStippleCounter(float(Int64(Lo) - P1));
        P1 = Lo;
    } else if (P1 > Hi) {
        B.AdvanceStippleCounter(float(Int64(P1) - Hi));
        P1 = Hi;
    }
    Int64 rest = 0;
    if (P2 < Lo) {
        rest = Int64(Lo) - P2;
        P2 = Lo;
    } else if (P2 > Hi) {
        rest = Int64(P2) - Hi;
        P2 = Hi;
    }
    const int step = P2 >= P1 ? 1 : -1;
    for (int p = P1;; p += step) {
        PutPixel(p, B.GetStippleColor());
        if (p == P2) break;
    }
    ReportRun(P1, P2);
    if (rest > 0) B.AdvanceStippleCounter(float(rest));
}

} // namespace

void TBitmap32::HorzLineTSP(int X1, int Y, int X2) {
    if (FMeasuringMode) {
        ReportHorzRun(X1, Y, X2);
        return;
    }
    if (Empty()) return;
    if (Y < FClipRect.Top || Y >= FClipRect.Bottom || ClipEmpty()) {
        AdvanceStippleCounter(float(std::abs(Int64(X2) - X1) + 1));
        return;
    }
    StippledRun(
        *this, X1, X2, FClipRect.Left, FClipRect.Right - 1,
        [this, Y](int X, TColor32 Color) { SetPixelT(X, Y, Color); },
        [this, Y](int From, int To) { ReportHorzRun(From, Y, To); });
}

void TBitmap32::VertLineTSP(int X, int Y1, int Y2) {
    if (FMeasuringMode) {
        ReportVertRun(X, Y1, Y2);
        return;
    }
    if (Empty()) return;
    if (X < FClipRect.Left || X >= FClipRect.Right || ClipEmpty()) {
        AdvanceStippleCounter(float(std::abs(Int64(Y2) - Y1) + 1));
        return;
    }
    StippledRun(
        *this, Y1, Y2, FClipRect.Top, FClipRect.Bottom - 1,
        [this, X](int Y, TColor32 Color) { SetPixelT(X, Y, Color); },
        [this, X](int From, int To) { ReportVertRun(X, From, To); });
}

// ---- Bresenham lines ----------------------------------------------------------------------

void TBitmap32::Line(int X1, int Y1, int X2, int Y2, TColor32 Value, bool L) {
    if (X1 == X2 || Y1 == Y2) {
        StraightLine(*this, X1, Y1, X2, Y2, Value, L, &TBitmap32::VertLine, &TBitmap32::HorzLine,
                     &TBitmap32::SetPixel);
    } else {
        BresenhamLine(*this, X1, Y1, X2, Y2, L, Everywhere, [Value](TColor32& P) { P = Value; });
    }
    ReportLine(X1, Y1, X2, Y2);
}

void TBitmap32::LineS(int X1, int Y1, int X2, int Y2, TColor32 Value, bool L) {
    if (FMeasuringMode) {
        ReportLine(X1, Y1, X2, Y2);
        return;
    }
    if (X1 == X2 || Y1 == Y2) {
        StraightLine(*this, X1, Y1, X2, Y2, Value, L, &TBitmap32::VertLineS, &TBitmap32::HorzLineS,
                     &TBitmap32::SetPixelS);
        if (StraightLineMeets(FClipRect, X1, Y1, X2, Y2, L)) ReportLine(X1, Y1, X2, Y2);
        return;
    }
    if (ClipEmpty()) return;
    if (BresenhamLine(*this, X1, Y1, X2, Y2, L, FClipRect, [Value](TColor32& P) { P = Value; }))
        ReportLine(X1, Y1, X2, Y2);
}

void TBitmap32::LineT(int X1, int Y1, int X2, int Y2, TColor32 Value, bool L) {
    if (X1 == X2 || Y1 == Y2) {
        StraightLine(*this, X1, Y1, X2, Y2, Value, L, &TBitmap32::VertLineT, &TBitmap32::HorzLineT,
                     &TBitmap32::SetPixelT);
    } else {
        const TBlendMem blend = BLEND_MEM[FCombineMode];
        BresenhamLine(*this, X1, Y1, X2, Y2, L, Everywhere,
                      [blend, Value](TColor32& P) { blend(Value, P); });
        EMMS();
    }
    ReportLine(X1, Y1, X2, Y2);
}

void TBitmap32::LineTS(int X1, int Y1, int X2, int Y2, TColor32 Value, bool L) {
    if (FMeasuringMode) {
        ReportLine(X1, Y1, X2, Y2);
        return;
    }
    if (X1 == X2 || Y1 == Y2) {
        StraightLine(*this, X1, Y1, X2, Y2, Value, L, &TBitmap32::VertLineTS,
                     &TBitmap32::HorzLineTS, &TBitmap32::SetPixelTS);
        if (StraightLineMeets(FClipRect, X1, Y1, X2, Y2, L)) ReportLine(X1, Y1, X2, Y2);
        return;
    }
    if (ClipEmpty()) return;
    const TBlendMem blend = BLEND_MEM[FCombineMode];
    const bool drawn = BresenhamLine(*this, X1, Y1, X2, Y2, L, FClipRect,
                                     [blend, Value](TColor32& P) { blend(Value, P); });
    EMMS();
    if (drawn) ReportLine(X1, Y1, X2, Y2);
}

// ---- Antialiased lines --------------------------------------------------------------------

void TBitmap32::LineA(int X1, int Y1, int X2, int Y2, TColor32 Value, bool L) {
    const Int64 dx = Int64(X2) - X1, dy = Int64(Y2) - Y1;
    if (std::abs(dx) == std::abs(dy)) {
        LineT(X1, Y1, X2, Y2, Value, L);
        return;
    }
    if (dx == 0) {
        if (dy > 0)
            VertLineT(X1, Y1, Y2 - 1, Value);
        else
            VertLineT(X1, Y2 + 1, Y1, Value);
        if (L) SetPixelT(X2, Y2, Value);
    } else if (dy == 0) {
        if (dx > 0)
            HorzLineT(X1, Y1, X2 - 1, Value);
        else
            HorzLineT(X2 + 1, Y1, X1, Value);
        if (L) SetPixelT(X2, Y2, Value);
    } else {
        AntialiasedLine(*this, X1, Y1, X2, Y2, Value, L, Everywhere);
    }
    ReportLine(X1, Y1, X2, Y2);
}

void TBitmap32::LineAS(int X1, int Y1, int X2, int Y2, TColor32 Value, bool L) {
    if (FMeasuringMode) {
        ReportLine(X1, Y1, X2, Y2);
        return;
    }
    if (ClipEmpty()) return;
    const Int64 dx = Int64(X2) - X1, dy = Int64(Y2) - Y1;
    if (std::abs(dx) == std::abs(dy)) {
        LineTS(X1, Y1, X2, Y2, Value, L);
        return;
    }
    if (dx == 0 || dy == 0) {
        if (dy > 0)
            VertLineTS(X1, Y1, Y2 - 1, Value);
        else if (dy < 0)
            VertLineTS(X1, Y2 + 1, Y1, Value);
        else if (dx > 0)
            HorzLineTS(X1, Y1, X2 - 1, Value);
        else
            HorzLineTS(X2 + 1, Y1, X1, Value);
        if (L) SetPixelTS(X2, Y2, Value);
        if (!StraightLineMeets(FClipRect, X1, Y1, X2, Y2, L)) return;
    } else if (!AntialiasedLine(*this, X1, Y1, X2, Y2, Value, L, FClipRect)) {
        return;
    }
    ReportLine(X1, Y1, X2, Y2);
}

// ---- The pen ------------------------------------------------------------------------------

void TBitmap32::MoveTo(int X, int Y) {
    FRasterX = X;
    FRasterY = Y;
}

void TBitmap32::LineToS(int X, int Y) {
    LineS(FRasterX, FRasterY, X, Y, FPenColor);
    MoveTo(X, Y);
}

void TBitmap32::LineToTS(int X, int Y) {
    LineTS(FRasterX, FRasterY, X, Y, FPenColor);
    MoveTo(X, Y);
}

void TBitmap32::LineToAS(int X, int Y) {
    LineAS(FRasterX, FRasterY, X, Y, FPenColor);
    MoveTo(X, Y);
}

} // namespace Bmp32

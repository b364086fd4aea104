// TBitmap32 pixel reads and writes in every addressing flavour, the 24.8 sub-pixel
// primitives and the stipple pattern.
#include "bitmap32/Bmp32.h"

#include "bitmap32/Bmp32_Blend.h"
#include "bitmap32/Bmp32_LowLevel.h"

#include <cmath>

namespace Bmp32 {

namespace {

// 16.16 to 24.8 with the rounding of the sub-pixel routines; exact for every TFixed.
int FixedTo256(TFixed Value) {
    return int((Int64(Value) + 127) >> 8);
}

// Value x Scale rounded to nearest (ties to even), or false when that leaves the 32-bit range.
bool TryScaleRound(float Value, double Scale, int& Result) {
    const double scaled = std::nearbyint(double(Value) * Scale);
    if (!(scaled >= -2147483648.0 && scaled <= 2147483647.0)) return false;
    Result = int(scaled);
    return true;
}

} // namespace

// ---- Clipped, bounded, blended and wrapped access ------------------------------------------

TColor32 TBitmap32::GetPixelS(int X, int Y) const {
    if (!PtInRect(FClipRect, {X, Y})) return FOuterColor;
    return GetPixel(X, Y);
}

void TBitmap32::SetPixelS(int X, int Y, TColor32 Value) {
    if (PtInRect(FClipRect, {X, Y})) SetPixel(X, Y, Value);
}

TColor32 TBitmap32::GetPixelB(int X, int Y) const {
    if (!FBits || GetWidth() == 0 || GetHeight() == 0) return FOuterColor;
    return GetPixel(Clamp(X, 0, GetWidth() - 1), Clamp(Y, 0, GetHeight() - 1));
}

void TBitmap32::SetPixelT(int X, int Y, TColor32 Value) {
    BLEND_MEM[FCombineMode](Value, *GetPixelPtr(X, Y));
    EMMS();
}

void TBitmap32::SetPixelT(TColor32*& Ptr, TColor32 Value) {
    BLEND_MEM[FCombineMode](Value, *Ptr);
    ++Ptr;
    EMMS();
}

void TBitmap32::SetPixelTS(int X, int Y, TColor32 Value) {
    if (PtInRect(FClipRect, {X, Y})) SetPixelT(X, Y, Value);
}

TColor32 TBitmap32::GetPixelW(int X, int Y) const {
    if (ClipEmpty()) return FOuterColor;
    const TWrapProcEx wrap = WRAP_PROCS_EX[FWrapMode];
    return GetPixel(wrap(X, FClipRect.Left, FClipRect.Right - 1),
                    wrap(Y, FClipRect.Top, FClipRect.Bottom - 1));
}

void TBitmap32::SetPixelW(int X, int Y, TColor32 Value) {
    if (ClipEmpty()) return;
    const TWrapProcEx wrap = WRAP_PROCS_EX[FWrapMode];
    SetPixel(wrap(X, FClipRect.Left, FClipRect.Right - 1),
             wrap(Y, FClipRect.Top, FClipRect.Bottom - 1), Value);
}

// ---- Sub-pixel primitives -----------------------------------------------------------------

void TBitmap32::SET_T256(int X, int Y, TColor32 Color) {
    const int fx = X & 255, fy = Y & 255;
    const int x = X >> 8, y = Y >> 8;
    const Cardinal alpha = Color >> 24;
    const Cardinal wxLeft = alpha * GAMMA_TABLE[fx ^ 255];
    const Cardinal wxRight = alpha * GAMMA_TABLE[fx];
    const Cardinal wyTop = GAMMA_TABLE[fy ^ 255];
    const Cardinal wyBottom = GAMMA_TABLE[fy];
    const TCombineMem combine = COMBINE_MEM[FCombineMode];
    TColor32* const p = GetPixelPtr(x, y);
    const int width = GetWidth();
    combine(Color, p[0], Byte((wxLeft * wyTop) >> 16));
    combine(Color, p[1], Byte((wxRight * wyTop) >> 16));
    combine(Color, p[width + 1], Byte((wxRight * wyBottom) >> 16));
    combine(Color, p[width], Byte((wxLeft * wyBottom) >> 16));
}

void TBitmap32::SET_TS256(int X, int Y, TColor32 Color) {
    const TRect& c = FClipRect;
    const TRect& c256 = F256ClipRect;
    if (Int64(X) < Int64(c256.Left) - 256 || X >= c256.Right || Int64(Y) < Int64(c256.Top) - 256 ||
        Y >= c256.Bottom)
        return;
    const int x = X >> 8, y = Y >> 8;
    if (c.Left <= x && c.Top <= y && x < c.Right - 1 && y < c.Bottom - 1) {
        SET_T256(X, Y, Color);
        return;
    }
    const int fx = X & 255, fy = Y & 255;
    const Cardinal alpha = Color >> 24;
    const Cardinal wxLeft = alpha * GAMMA_TABLE[fx ^ 255];
    const Cardinal wxRight = alpha * GAMMA_TABLE[fx];
    const Cardinal wyTop = GAMMA_TABLE[fy ^ 255];
    const Cardinal wyBottom = GAMMA_TABLE[fy];
    const TCombineMem combine = COMBINE_MEM[FCombineMode];
    const bool left = x >= c.Left, top = y >= c.Top;
    const bool right = x < c.Right - 1, bottom = y < c.Bottom - 1;
    if (left && top) combine(Color, *GetPixelPtr(x, y), Byte((wxLeft * wyTop) >> 16));
    if (right && top) combine(Color, *GetPixelPtr(x + 1, y), Byte((wxRight * wyTop) >> 16));
    if (right && bottom)
        combine(Color, *GetPixelPtr(x + 1, y + 1), Byte((wxRight * wyBottom) >> 16));
    if (left && bottom) combine(Color, *GetPixelPtr(x, y + 1), Byte((wxLeft * wyBottom) >> 16));
}

TColor32 TBitmap32::GET_T256(int X, int Y) const {
    const TColor32* p = GetPixelPtr(X >> 8, Y >> 8);
    return Interpolator(GAMMA_TABLE[(X & 255) ^ 255], GAMMA_TABLE[(Y & 255) ^ 255], p,
                        p + GetWidth());
}

TColor32 TBitmap32::GET_TS256(int X, int Y) const {
    if (X < 1 || Y < 1 || Int64(X) >= (Int64(GetWidth()) - 1) * 256 ||
        Int64(Y) >= (Int64(GetHeight()) - 1) * 256)
        return FOuterColor;
    return GET_T256(X, Y);
}

// ---- Sub-pixel access ---------------------------------------------------------------------

void TBitmap32::SetPixelX(TFixed X, TFixed Y, TColor32 Value) {
    SET_T256(FixedTo256(X), FixedTo256(Y), Value);
    EMMS();
}

void TBitmap32::SetPixelXS(TFixed X, TFixed Y, TColor32 Value) {
    SET_TS256(FixedTo256(X), FixedTo256(Y), Value);
    EMMS();
}

void TBitmap32::SetPixelF(float X, float Y, TColor32 Value) {
    SET_T256(RoundToInt(double(X) * 256), RoundToInt(double(Y) * 256), Value);
    EMMS();
}

void TBitmap32::SetPixelFS(float X, float Y, TColor32 Value) {
    int x, y;
    if (!TryScaleRound(X, 256, x) || !TryScaleRound(Y, 256, y)) return;
    SET_TS256(x, y, Value);
    EMMS();
}

void TBitmap32::SetPixelXW(TFixed X, TFixed Y, TColor32 Value) {
    if (ClipEmpty()) return;
    const TWrapProcEx wrap = WRAP_PROCS_EX[FWrapMode];
    const int x = wrap(FixedTo256(X), F256ClipRect.Left, F256ClipRect.Right - 128);
    const int y = wrap(FixedTo256(Y), F256ClipRect.Top, F256ClipRect.Bottom - 128);
    // A point in the last half pixel spreads over the clip rectangle's edge; that share is
    // dropped rather than written outside.
    SET_TS256(x, y, Value);
    EMMS();
}

void TBitmap32::SetPixelFW(float X, float Y, TColor32 Value) {
    SetPixelXW(RoundToInt(double(X) * 65536), RoundToInt(double(Y) * 65536), Value);
}

TColor32 TBitmap32::GetPixelX(TFixed X, TFixed Y) const {
    const TColor32 result = GET_T256(FixedTo256(X), FixedTo256(Y));
    EMMS();
    return result;
}

TColor32 TBitmap32::GetPixelXS(TFixed X, TFixed Y) const {
    const TColor32 result = GET_TS256(FixedTo256(X), FixedTo256(Y));
    EMMS();
    return result;
}

TColor32 TBitmap32::GetPixelF(float X, float Y) const {
    const TColor32 result = GET_T256(RoundToInt(double(X) * 256), RoundToInt(double(Y) * 256));
    EMMS();
    return result;
}

TColor32 TBitmap32::GetPixelFS(float X, float Y) const {
    int x, y;
    if (!TryScaleRound(X, 256, x) || !TryScaleRound(Y, 256, y)) return FOuterColor;
    const TColor32 result = GET_TS256(x, y);
    EMMS();
    return result;
}

TColor32 TBitmap32::GetPixelXW(TFixed X, TFixed Y) const {
    if (ClipEmpty()) return FOuterColor;
    const TWrapProcEx wrap = WRAP_PROCS_EX[FWrapMode];
    const int xi = X >> 16, yi = Y >> 16;
    const TRect& c = FClipRect;
    const int x1 = wrap(xi, c.Left, c.Right - 1);
    const int x2 = wrap(xi + 1, c.Left, c.Right - 1);
    const ptrdiff_t y1 = PixelOffset(wrap(yi, c.Top, c.Bottom - 1));
    const ptrdiff_t y2 = PixelOffset(wrap(yi + 1, c.Top, c.Bottom - 1));
    const Byte wx = Byte(X >> 8), wy = Byte(Y >> 8);
    const TColor32 top = CombineReg(FBits[x2 + y1], FBits[x1 + y1], wx);
    const TColor32 bottom = CombineReg(FBits[x2 + y2], FBits[x1 + y2], wx);
    const TColor32 result = CombineReg(bottom, top, wy);
    EMMS();
    return result;
}

TColor32 TBitmap32::GetPixelFW(float X, float Y) const {
    return GetPixelXW(RoundToInt(double(X) * 65536), RoundToInt(double(Y) * 65536));
}

// ---- Stipple pattern ----------------------------------------------------------------------

void TBitmap32::SetStipple(const TArrayOfColor32& NewStipple) {
    FStippleCounter = 0;
    FStipplePattern = NewStipple;
}

void TBitmap32::SetStipple(std::initializer_list<TColor32> NewStipple) {
    SetStipple(TArrayOfColor32(NewStipple));
}

void TBitmap32::AdvanceStippleCounter(float LengthPixels) {
    const double length = double(FStipplePattern.size());
    const double delta = double(LengthPixels) * FStippleStep;
    if (length == 0 || delta == 0) return;
    const double counter = FStippleCounter + delta;
    FStippleCounter = float(counter - std::floor(counter / length) * length);
}

TColor32 TBitmap32::GetStippleColor() {
    const int length = int(FStipplePattern.size());
    if (length == 0) return Black32;
    if (!std::isfinite(FStippleCounter))
        throw ERangeError("The stipple counter is not a finite number");
    // Far-off counters are brought near the pattern first, so the loops below end quickly.
    if (FStippleCounter >= length || FStippleCounter < 0)
        FStippleCounter =
            float(FStippleCounter - std::floor(double(FStippleCounter) / length) * length);
    while (FStippleCounter >= length)
        FStippleCounter -= length;
    while (FStippleCounter < 0)
        FStippleCounter += length;
    const int p = RoundToInt(double(FStippleCounter) - 0.5);
    const int w = 255 - RoundToInt(255 * (double(FStippleCounter) - p));
    const int n = p + 1 >= length ? 0 : p + 1;
    TColor32 result;
    if (w == 255) {
        result = FStipplePattern[p];
    } else {
        result = COMBINE_REG[FCombineMode](FStipplePattern[p], FStipplePattern[n], Byte(w));
        EMMS();
    }
    FStippleCounter = float(FStippleCounter + double(FStippleStep));
    return result;
}

} // namespace Bmp32

// The platform-free basics of the 32-bit bitmap library: the colour TColor32 and its
// conversions, 16.16 fixed-point numbers, integer, fixed and float points and rectangles,
// the rounding rules between them, and the gamma table of the sub-pixel routines.
//
// Every unit of the bitmap library declares its names in the one namespace Bmp32, so code
// outside the library writes Bmp32::Color32, Bmp32::BLEND_MEM, Bmp32::FixedRound and so on.
// Integer points and rectangles are the class library's TPoint and TRect.
#pragma once

#include "classlib/Exceptions.h"
#include "classlib/Types.h"
#include "classlib/UnitInit.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace Bmp32 {

// Alpha in bits 24-31, red 16-23, green 8-15, blue 0-7; in memory the bytes run
// blue, green, red, alpha. Alpha 255 is opaque.
using TColor32 = std::uint32_t;
using PColor32 = TColor32*;
using TArrayOfColor32 = std::vector<TColor32>;
using TPalette32 = std::array<TColor32, 256>;

// A colour seen as its four bytes in memory order.
struct TColor32Entry {
    Byte B, G, R, A;
};
static_assert(sizeof(TColor32Entry) == sizeof(TColor32));

constexpr TColor32 Black32 = 0xFF000000;
constexpr TColor32 White32 = 0xFFFFFFFF;
constexpr TColor32 TransparentBlack32 = 0x00000000;

// Signed 16.16 fixed point: integer part in the high 16 bits, fraction in the low 16.
using TFixed = std::int32_t;

// A TFixed seen as its two halves in memory order.
struct TFixedRec {
    Word Frac;
    std::int16_t Int;
};
static_assert(sizeof(TFixedRec) == sizeof(TFixed));

constexpr TFixed FixedOne = 0x10000;
constexpr double FixedToFloat = 1.0 / 65536;

struct TFixedPoint {
    TFixed X = 0;
    TFixed Y = 0;
    constexpr bool operator==(const TFixedPoint&) const = default;
};

struct TFloatPoint {
    float X = 0;
    float Y = 0;
    constexpr bool operator==(const TFloatPoint&) const = default;
};

// Right and Bottom are exclusive, as in TRect.
struct TFixedRect {
    TFixed Left = 0;
    TFixed Top = 0;
    TFixed Right = 0;
    TFixed Bottom = 0;
    constexpr bool operator==(const TFixedRect&) const = default;
};

struct TFloatRect {
    float Left = 0;
    float Top = 0;
    float Right = 0;
    float Bottom = 0;
    constexpr bool operator==(const TFloatRect&) const = default;
};

// How a fixed or float rectangle becomes an integer one.
enum TRectRounding : Byte { rrClosest, rrOutside, rrInside };

enum TDrawMode : Byte { dmOpaque, dmBlend, dmCustom, dmTransparent };
enum TCombineMode : Byte { cmBlend, cmMerge };
enum TWrapMode : Byte { wmClamp, wmRepeat, wmMirror };

// ---- Rounding of floats to integers -------------------------------------------------------
// Each raises ERangeError for a result outside the 32-bit range (and for NaN) instead of
// leaving the conversion to the hardware.

// True when the whole number Whole fits an int (false for NaN).
inline bool FitsInt(double Whole) {
    return Whole >= -2147483648.0 && Whole <= 2147483647.0;
}

// Toward zero.
inline int TruncToInt(double Value) {
    const double whole = std::trunc(Value);
    if (!FitsInt(whole)) throw ERangeError("Floating-point value out of integer range");
    return static_cast<int>(whole);
}

// Nearest integer, an exact half going to the even neighbour (the default rounding mode).
inline int RoundToInt(double Value) {
    return TruncToInt(std::nearbyint(Value));
}
inline int FloorToInt(double Value) {
    return TruncToInt(std::floor(Value));
}
inline int CeilToInt(double Value) {
    return TruncToInt(std::ceil(Value));
}

// ---- Colours ------------------------------------------------------------------------------

constexpr TColor32 Color32(Byte R, Byte G, Byte B, Byte A) {
    return TColor32(A) << 24 | TColor32(R) << 16 | TColor32(G) << 8 | B;
}

constexpr TColor32 Color32(Byte Index, const TPalette32& Palette) {
    return Palette[Index];
}

constexpr TColor32 Gray32(Byte Intensity, Byte Alpha) {
    return TColor32(Alpha) << 24 | TColor32(Intensity) * 0x010101u;
}

// A system colour reference $00BBGGRR: alpha dropped, red and blue exchanged.
constexpr Cardinal WinColor(TColor32 Color) {
    return (Color & 0x0000FF00) | (Color & 0x00FF0000) >> 16 | (Color & 0x000000FF) << 16;
}

TArrayOfColor32 ArrayOfColor32(std::initializer_list<TColor32> Colors);

constexpr int RedComponent(TColor32 Color) {
    return (Color >> 16) & 0xFF;
}
constexpr int GreenComponent(TColor32 Color) {
    return (Color >> 8) & 0xFF;
}
constexpr int BlueComponent(TColor32 Color) {
    return Color & 0xFF;
}
constexpr int AlphaComponent(TColor32 Color) {
    return Color >> 24;
}

constexpr void Color32ToRGB(TColor32 Color, Byte& R, Byte& G, Byte& B) {
    R = Byte(Color >> 16);
    G = Byte(Color >> 8);
    B = Byte(Color);
}

constexpr void Color32ToRGBA(TColor32 Color, Byte& R, Byte& G, Byte& B, Byte& A) {
    Color32ToRGB(Color, R, G, B);
    A = Byte(Color >> 24);
}

// Weights 61, 174 and 21 sum to 256.
constexpr int Intensity(TColor32 Color) {
    return (RedComponent(Color) * 61 + GreenComponent(Color) * 174 + BlueComponent(Color) * 21) >>
           8;
}

constexpr TColor32 SetAlpha(TColor32 Color, int NewAlpha) {
    const TColor32 alpha = NewAlpha < 0 ? 0 : NewAlpha > 255 ? 255 : TColor32(NewAlpha);
    return (Color & 0x00FFFFFF) | alpha << 24;
}

// Float forms: H, S and L in 0..1. HSLtoRGB gives alpha 255 and raises ERangeError when
// S or L lie so far outside 0..1 that a channel leaves 0..255.
void RGBtoHSL(TColor32 Color, float& H, float& S, float& L);
TColor32 HSLtoRGB(float H, float S, float L);

// Byte forms: H, S and L in 0..255. HSLtoRGB gives alpha 0, $FF000000 for H outside
// 0..255, and raises ERangeError for S or L outside 0..255.
void RGBtoHSL(TColor32 Color, Byte& H, Byte& S, Byte& L);
TColor32 HSLtoRGB(int H, int S, int L);

// ---- Points and rectangles ----------------------------------------------------------------

// Float to fixed rounds to nearest, ties to even.
inline TFixed Fixed(float S) {
    return RoundToInt(double(S) * 65536);
}
// A plain shift: values outside -32768..32767 wrap.
constexpr TFixed Fixed(int I) {
    return TFixed(Cardinal(I) << 16);
}

using ::Point;
// Floats round to nearest (ties to even), fixed values with FixedRound.
TPoint Point(const TFloatPoint& P);
TPoint Point(const TFixedPoint& P);

constexpr TFloatPoint FloatPoint(float X, float Y) {
    return {X, Y};
}
constexpr TFloatPoint FloatPoint(const TPoint& P) {
    return {float(P.X), float(P.Y)};
}
constexpr TFloatPoint FloatPoint(const TFixedPoint& P) {
    return {float(P.X * FixedToFloat), float(P.Y * FixedToFloat)};
}

constexpr TFixedPoint FixedPoint(int X, int Y) {
    return {Fixed(X), Fixed(Y)};
}
inline TFixedPoint FixedPoint(float X, float Y) {
    return {Fixed(X), Fixed(Y)};
}
constexpr TFixedPoint FixedPoint(const TPoint& P) {
    return FixedPoint(P.X, P.Y);
}
inline TFixedPoint FixedPoint(const TFloatPoint& P) {
    return FixedPoint(P.X, P.Y);
}

constexpr TRect MakeRect(int L, int T, int R, int B) {
    return {L, T, R, B};
}
TRect MakeRect(const TFloatRect& R, TRectRounding Rounding);
TRect MakeRect(const TFixedRect& R, TRectRounding Rounding);

constexpr TFixedRect FixedRect(TFixed L, TFixed T, TFixed R, TFixed B) {
    return {L, T, R, B};
}
constexpr TFixedRect FixedRect(const TRect& R) {
    return {Fixed(R.Left), Fixed(R.Top), Fixed(R.Right), Fixed(R.Bottom)};
}
inline TFixedRect FixedRect(const TFloatRect& R) {
    return {Fixed(R.Left), Fixed(R.Top), Fixed(R.Right), Fixed(R.Bottom)};
}

constexpr TFloatRect FloatRect(float L, float T, float R, float B) {
    return {L, T, R, B};
}
constexpr TFloatRect FloatRect(const TRect& R) {
    return {float(R.Left), float(R.Top), float(R.Right), float(R.Bottom)};
}
constexpr TFloatRect FloatRect(const TFixedRect& R) {
    return {float(R.Left * FixedToFloat), float(R.Top * FixedToFloat),
            float(R.Right * FixedToFloat), float(R.Bottom * FixedToFloat)};
}

// Dst becomes the overlap of R1 and R2 (Dst may be either of them). A rectangle of zero
// width or height still counts; when they do not meet, Dst is all zeros and the result false.
bool IntersectRect(TRect& Dst, const TRect& R1, const TRect& R2);
bool IntersectRect(TFloatRect& Dst, const TFloatRect& R1, const TFloatRect& R2);

constexpr bool EqualRect(const TRect& R1, const TRect& R2) {
    return R1 == R2;
}
bool EqualRectSize(const TRect& R1, const TRect& R2);
// Compares the sizes after converting both rectangles to fixed point.
bool EqualRectSize(const TFloatRect& R1, const TFloatRect& R2);

// Integer forms raise EIntOverflow when an edge leaves the 32-bit range.
void InflateRect(TRect& R, int Dx, int Dy);
void InflateRect(TFloatRect& R, float Dx, float Dy);
void OffsetRect(TRect& R, int Dx, int Dy);
void OffsetRect(TFloatRect& R, float Dx, float Dy);

constexpr bool IsRectEmpty(const TRect& R) {
    return R.Right <= R.Left || R.Bottom <= R.Top;
}
constexpr bool IsRectEmpty(const TFloatRect& R) {
    return R.Right <= R.Left || R.Bottom <= R.Top;
}

constexpr bool PtInRect(const TRect& R, const TPoint& P) {
    return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}

// ---- Gamma and bilinear sampling ----------------------------------------------------------

// Entry i is the gamma-corrected weight of the linear fraction i / 255. Filled with the
// exponent 0.7 at start-up.
extern std::array<Byte, 256> GAMMA_TABLE;
void SetGamma(double Gamma);

// Bilinear sample of the pixels C11[0], C11[1] (upper row) and C21[0], C21[1] (the row
// below): WX weighs the left column, WY the upper row; weights above 255 count as 255.
TColor32 Interpolator(Cardinal WX, Cardinal WY, const TColor32* C11, const TColor32* C21);

} // namespace Bmp32

DECLARE_UNIT(Bmp32_Basics)

#include "bitmap32/Bmp32_Basics.h"

#include "bitmap32/Bmp32_Blend.h"
#include "bitmap32/Bmp32_Math.h"

#include <algorithm>

namespace Bmp32 {

TArrayOfColor32 ArrayOfColor32(std::initializer_list<TColor32> Colors) {
    return TArrayOfColor32(Colors);
}

// ---- HSL ----------------------------------------------------------------------------------

void RGBtoHSL(TColor32 Color, float& H, float& S, float& L) {
    const double r = RedComponent(Color) / 255.0;
    const double g = GreenComponent(Color) / 255.0;
    const double b = BlueComponent(Color) / 255.0;
    const double max = std::max({r, g, b});
    const double min = std::min({r, g, b});
    const double l = (max + min) / 2;
    L = float(l);
    if (max == min) {
        H = 0;
        S = 0;
        return;
    }
    const double d = max - min;
    S = float(l < 0.5 ? d / (max + min) : d / (2 - max - min));
    double h;
    if (r == max)
        h = (g - b) / d;
    else if (g == max)
        h = 2 + (b - r) / d;
    else
        h = 4 + (r - g) / d;
    h /= 6;
    if (h < 0) h += 1;
    H = float(h);
}

namespace {

Byte ChannelFromFraction(double Fraction) {
    const double channel = std::nearbyint(255 * Fraction);
    if (!(channel >= 0 && channel <= 255))
        throw ERangeError("HSLtoRGB: saturation or lightness out of range");
    return Byte(channel);
}

} // namespace

TColor32 HSLtoRGB(float H, float S, float L) {
    if (S == 0) {
        const Byte gray = ChannelFromFraction(L);
        return Color32(gray, gray, gray, 255);
    }
    const double l = L, s = S;
    const double m2 = l <= 0.5 ? l * (1 + s) : l + s - l * s;
    const double m1 = 2 * l - m2;
    const auto hueToChannel = [m1, m2](double h) {
        h -= std::floor(h);
        double v;
        if (6 * h < 1)
            v = m1 + (m2 - m1) * h * 6;
        else if (2 * h < 1)
            v = m2;
        else if (3 * h < 2)
            v = m1 + (m2 - m1) * (2.0 / 3 - h) * 6;
        else
            v = m1;
        return ChannelFromFraction(v);
    };
    return Color32(hueToChannel(H + 1.0 / 3), hueToChannel(H), hueToChannel(H - 1.0 / 3), 255);
}

void RGBtoHSL(TColor32 Color, Byte& H, Byte& S, Byte& L) {
    const int r = RedComponent(Color), g = GreenComponent(Color), b = BlueComponent(Color);
    const int cmax = std::max({r, g, b});
    const int cmin = std::min({r, g, b});
    L = Byte((cmax + cmin) / 2);
    if (cmax == cmin) {
        H = 0;
        S = 0;
        return;
    }
    int d = (cmax - cmin) * 255;
    S = Byte(L <= 127 ? d / (cmax + cmin) : d / (510 - cmax - cmin));
    d *= 6;
    int hl;
    if (r == cmax)
        hl = (g - b) * 65025 / d;
    else if (g == cmax)
        hl = 85 + (b - r) * 65025 / d;
    else
        hl = 170 + (r - g) * 65025 / d;
    if (hl < 0) hl += 510;
    H = Byte(hl);
}

TColor32 HSLtoRGB(int H, int S, int L) {
    if (S < 0 || S > 255 || L < 0 || L > 255)
        throw ERangeError("HSLtoRGB: saturation or lightness out of range");
    const int v = L <= 127 ? (L * (256 + S)) >> 8 : L + S - (L * S) / 255;
    if (v <= 0) return 0;
    if (H < 0 || H > 255) return Black32;
    const int m = 2 * L - v;
    const int h6 = H * 6;
    const int vsf = ((v - m) * (h6 & 255)) >> 8;
    const Byte m1 = Byte(m + vsf);
    const Byte m2 = Byte(v - vsf);
    const Byte bv = Byte(v), bm = Byte(m);
    switch (h6 >> 8) {
    case 0:
        return Color32(bv, m1, bm, 0);
    case 1:
        return Color32(m2, bv, bm, 0);
    case 2:
        return Color32(bm, bv, m1, 0);
    case 3:
        return Color32(bm, m2, bv, 0);
    case 4:
        return Color32(m1, bm, bv, 0);
    default:
        return Color32(bv, bm, m2, 0);
    }
}

// ---- Points and rectangles ----------------------------------------------------------------

TPoint Point(const TFloatPoint& P) {
    return {RoundToInt(P.X), RoundToInt(P.Y)};
}

TPoint Point(const TFixedPoint& P) {
    return {FixedRound(P.X), FixedRound(P.Y)};
}

namespace {

// Rounds the edges of R to whole pixels with the rounding functions of its coordinate type.
template <typename Rect, typename ToInt>
TRect RoundedRect(const Rect& R, TRectRounding Rounding, ToInt Round, ToInt Floor, ToInt Ceil) {
    switch (Rounding) {
    case rrClosest:
        return {Round(R.Left), Round(R.Top), Round(R.Right), Round(R.Bottom)};
    case rrOutside:
        return {Floor(R.Left), Floor(R.Top), Ceil(R.Right), Ceil(R.Bottom)};
    case rrInside: {
        TRect result(Ceil(R.Left), Ceil(R.Top), Floor(R.Right), Floor(R.Bottom));
        if (result.Right < result.Left) result.Right = result.Left;
        if (result.Bottom < result.Top) result.Bottom = result.Top;
        return result;
    }
    }
    throw ERangeError("MakeRect: unknown rounding");
}

} // namespace

TRect MakeRect(const TFloatRect& R, TRectRounding Rounding) {
    return RoundedRect(R, Rounding, RoundToInt, FloorToInt, CeilToInt);
}

TRect MakeRect(const TFixedRect& R, TRectRounding Rounding) {
    return RoundedRect(R, Rounding, FixedRound, FixedFloor, FixedCeil);
}

namespace {

template <typename Rect> bool Intersect(Rect& Dst, const Rect& R1, const Rect& R2) {
    Rect result;
    result.Left = std::max(R1.Left, R2.Left);
    result.Top = std::max(R1.Top, R2.Top);
    result.Right = std::min(R1.Right, R2.Right);
    result.Bottom = std::min(R1.Bottom, R2.Bottom);
    const bool meets = result.Right >= result.Left && result.Bottom >= result.Top;
    Dst = meets ? result : Rect();
    return meets;
}

int CheckedSum(int A, int B) {
    int sum;
    if (__builtin_add_overflow(A, B, &sum)) throw EIntOverflow("Rectangle edge out of range");
    return sum;
}

int CheckedDifference(int A, int B) {
    int difference;
    if (__builtin_sub_overflow(A, B, &difference))
        throw EIntOverflow("Rectangle edge out of range");
    return difference;
}

} // namespace

bool IntersectRect(TRect& Dst, const TRect& R1, const TRect& R2) {
    return Intersect(Dst, R1, R2);
}

bool IntersectRect(TFloatRect& Dst, const TFloatRect& R1, const TFloatRect& R2) {
    return Intersect(Dst, R1, R2);
}

bool EqualRectSize(const TRect& R1, const TRect& R2) {
    return Int64(R1.Right) - R1.Left == Int64(R2.Right) - R2.Left &&
           Int64(R1.Bottom) - R1.Top == Int64(R2.Bottom) - R2.Top;
}

bool EqualRectSize(const TFloatRect& R1, const TFloatRect& R2) {
    const TFixedRect f1 = FixedRect(R1), f2 = FixedRect(R2);
    return Int64(f1.Right) - f1.Left == Int64(f2.Right) - f2.Left &&
           Int64(f1.Bottom) - f1.Top == Int64(f2.Bottom) - f2.Top;
}

void InflateRect(TRect& R, int Dx, int Dy) {
    R = {CheckedDifference(R.Left, Dx), CheckedDifference(R.Top, Dy), CheckedSum(R.Right, Dx),
         CheckedSum(R.Bottom, Dy)};
}

void InflateRect(TFloatRect& R, float Dx, float Dy) {
    R.Left -= Dx;
    R.Top -= Dy;
    R.Right += Dx;
    R.Bottom += Dy;
}

void OffsetRect(TRect& R, int Dx, int Dy) {
    R = {CheckedSum(R.Left, Dx), CheckedSum(R.Top, Dy), CheckedSum(R.Right, Dx),
         CheckedSum(R.Bottom, Dy)};
}

void OffsetRect(TFloatRect& R, float Dx, float Dy) {
    R.Left += Dx;
    R.Top += Dy;
    R.Right += Dx;
    R.Bottom += Dy;
}

// ---- Gamma and bilinear sampling ----------------------------------------------------------

std::array<Byte, 256> GAMMA_TABLE;

void SetGamma(double Gamma) {
    if (!(Gamma >= 0)) throw ERangeError("SetGamma: the exponent must not be negative");
    for (int i = 0; i < 256; ++i)
        GAMMA_TABLE[i] = Byte(RoundToInt(255 * std::pow(i / 255.0, Gamma)));
}

TColor32 Interpolator(Cardinal WX, Cardinal WY, const TColor32* C11, const TColor32* C21) {
    const Byte wx = Byte(std::min<Cardinal>(WX, 255));
    const Byte wy = Byte(std::min<Cardinal>(WY, 255));
    return CombineReg(CombineReg(C11[0], C11[1], wx), CombineReg(C21[0], C21[1], wx), wy);
}

} // namespace Bmp32

namespace {

void InitializeBasics() {
    Bmp32::SetGamma(0.7);
}

} // namespace

DEFINE_UNIT(Bmp32_Basics, uoBmp32, InitializeBasics, nullptr);

#include "bitmap32/Bmp32_DrawingEx.h"

namespace Bmp32 {

std::uint64_t WideMulDiv(std::uint64_t Multiplicand, std::uint64_t Multiplier,
                         std::uint64_t Divisor, std::uint64_t& Remainder) {
    if (Divisor == 0) throw EDivByZero("WideMulDiv by zero");
    constexpr std::uint64_t low32 = 0xFFFFFFFF;
    const std::uint64_t aLow = Multiplicand & low32, aHigh = Multiplicand >> 32;
    const std::uint64_t bLow = Multiplier & low32, bHigh = Multiplier >> 32;
    const std::uint64_t lowLow = aLow * bLow, lowHigh = aLow * bHigh;
    const std::uint64_t highLow = aHigh * bLow, highHigh = aHigh * bHigh;
    const std::uint64_t middle = (lowLow >> 32) + (lowHigh & low32) + (highLow & low32);
    const std::uint64_t productLow = (lowLow & low32) | (middle << 32);
    const std::uint64_t productHigh = highHigh + (lowHigh >> 32) + (highLow >> 32) + (middle >> 32);
    if (productHigh >= Divisor) throw EIntOverflow("WideMulDiv quotient out of range");
    // Long division of the low half, the high half being the first partial remainder.
    std::uint64_t quotient = 0, remainder = productHigh;
    for (int bit = 63; bit >= 0; --bit) {
        const bool carry = (remainder >> 63) != 0;
        remainder = (remainder << 1) | ((productLow >> bit) & 1);
        // With the carry the true partial remainder is 2^64 more; the wrapped subtraction
        // still gives the right difference.
        if (carry || remainder >= Divisor) {
            remainder -= Divisor;
            quotient |= std::uint64_t(1) << bit;
        }
    }
    Remainder = remainder;
    return quotient;
}

namespace {

std::uint64_t Magnitude(Int64 Value) {
    return Value < 0 ? std::uint64_t(0) - std::uint64_t(Value) : std::uint64_t(Value);
}

// A x B / C rounded to nearest, halves away from zero; C is not 0 and the result lies
// between 0 and B.
Int64 MulDivRounded(Int64 A, Int64 B, Int64 C) {
    std::uint64_t remainder;
    const std::uint64_t divisor = Magnitude(C);
    std::uint64_t quotient = WideMulDiv(Magnitude(A), Magnitude(B), divisor, remainder);
    if (divisor - remainder <= remainder) ++quotient;
    const bool negative = ((A < 0) != (B < 0)) != (C < 0);
    return negative ? -Int64(quotient) : Int64(quotient);
}

enum : int { OutLeft = 1, OutRight = 2, OutAbove = 4, OutBelow = 8 };

int HorizontalCode(Int64 X, int MinX, int MaxX) {
    return X < MinX ? OutLeft : X > MaxX ? OutRight : 0;
}

int VerticalCode(Int64 Y, int MinY, int MaxY) {
    return Y < MinY ? OutAbove : Y > MaxY ? OutBelow : 0;
}

} // namespace

bool ClipLine(int& X1, int& Y1, int& X2, int& Y2, int MinX, int MinY, int MaxX, int MaxY) {
    if (MinX > MaxX || MinY > MaxY) return false;
    // Differences of 32-bit coordinates need 33 bits; every moved end point lies between the
    // old ones and fits again.
    Int64 x1 = X1, y1 = Y1, x2 = X2, y2 = Y2;
    int c1 = HorizontalCode(x1, MinX, MaxX) | VerticalCode(y1, MinY, MaxY);
    int c2 = HorizontalCode(x2, MinX, MaxX) | VerticalCode(y2, MinY, MaxY);
    const auto store = [&] {
        X1 = int(x1);
        Y1 = int(y1);
        X2 = int(x2);
        Y2 = int(y2);
        return true;
    };
    if (c1 & c2) return false;
    if ((c1 | c2) == 0) return true;
    if (c1 & (OutAbove | OutBelow)) {
        const Int64 y = c1 < OutBelow ? MinY : MaxY;
        x1 += MulDivRounded(y - y1, x2 - x1, y2 - y1);
        y1 = y;
        c1 = HorizontalCode(x1, MinX, MaxX);
    }
    if (c2 & (OutAbove | OutBelow)) {
        const Int64 y = c2 < OutBelow ? MinY : MaxY;
        x2 += MulDivRounded(y - y2, x2 - x1, y2 - y1);
        y2 = y;
        c2 = HorizontalCode(x2, MinX, MaxX);
    }
    if (c1 & c2) return false;
    if ((c1 | c2) == 0) return store();
    if (c1 != 0) {
        const Int64 x = c1 == OutLeft ? MinX : MaxX;
        y1 += MulDivRounded(x - x1, y2 - y1, x2 - x1);
        x1 = x;
    }
    if (c2 != 0) {
        const Int64 x = c2 == OutLeft ? MinX : MaxX;
        y2 += MulDivRounded(x - x2, y2 - y1, x2 - x1);
        x2 = x;
    }
    return store();
}

} // namespace Bmp32

// Fixed-point arithmetic, sine and cosine, and rounded multiply-divide.
#pragma once

#include "bitmap32/Bmp32_Basics.h"

namespace Bmp32 {

// Floor, ceiling and rounding of a 16.16 value to an integer. FixedRound adds 0x7FFF, so an
// exact half rounds down. The sums are taken in 64 bits, so values near the ends of the range
// give the mathematically right integer instead of wrapping.
constexpr int FixedFloor(TFixed A) {
    return A >> 16;
}
constexpr int FixedCeil(TFixed A) {
    return int((Int64(A) + 0xFFFF) >> 16);
}
constexpr int FixedRound(TFixed A) {
    return int((Int64(A) + 0x7FFF) >> 16);
}

// The 64-bit product shifted right by 16; only its low 32 bits are kept.
constexpr TFixed FixedMul(TFixed A, TFixed B) {
    return TFixed((Int64(A) * B) >> 16);
}

// A shifted left by 16 in 64 bits and divided by B, truncating. Raises EDivByZero for a zero
// B and EIntOverflow when the quotient does not fit in 32 bits.
inline TFixed FixedDiv(TFixed A, TFixed B) {
    if (B == 0) throw EDivByZero("FixedDiv by zero");
    const Int64 quotient = Int64(A) * 65536 / B;
    if (quotient < INT32_MIN || quotient > INT32_MAX) throw EIntOverflow("FixedDiv overflow");
    return TFixed(quotient);
}

constexpr TFixed FixedSqr(TFixed A) {
    return FixedMul(A, A);
}

// Square roots of a 16.16 value, truncated: the low-precision form has 8 exact fraction bits,
// the high-precision form all 16. Both raise ERangeError for a negative A.
TFixed FixedSqrtLP(TFixed A);
TFixed FixedSqrtHP(TFixed A);

void SinCos(float Theta, float& Sin, float& Cos);
void SinCos(float Theta, float Radius, float& Sin, float& Cos);

// Multiplicand * Multiplier / Divisor over a 64-bit product, halves rounded away from zero.
// -1 when the divisor is zero or the result does not fit in 32 bits.
int MulDiv(int Multiplicand, int Multiplier, int Divisor);

} // namespace Bmp32

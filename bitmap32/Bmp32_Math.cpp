#include "bitmap32/Bmp32_Math.h"

namespace Bmp32 {

namespace {

// Square root by the bit-by-bit method, one result bit per pair of radicand bits.
std::uint64_t IntegerSqrt(std::uint64_t Radicand) {
    std::uint64_t root = 0;
    std::uint64_t bit = std::uint64_t(1) << 62;
    while (bit > Radicand)
        bit >>= 2;
    while (bit != 0) {
        if (Radicand >= root + bit) {
            Radicand -= root + bit;
            root = (root >> 1) + bit;
        } else {
            root >>= 1;
        }
        bit >>= 2;
    }
    return root;
}

void CheckSqrtArgument(TFixed A) {
    if (A < 0) throw ERangeError("Square root of a negative fixed-point value");
}

} // namespace

TFixed FixedSqrtLP(TFixed A) {
    CheckSqrtArgument(A);
    return TFixed(IntegerSqrt(std::uint64_t(A)) << 8);
}

TFixed FixedSqrtHP(TFixed A) {
    CheckSqrtArgument(A);
    // The 16 bit pairs of A and then 8 pairs of zeros: the root of A * 65536.
    return TFixed(IntegerSqrt(std::uint64_t(A) << 16));
}

void SinCos(float Theta, float& Sin, float& Cos) {
    Sin = float(std::sin(double(Theta)));
    Cos = float(std::cos(double(Theta)));
}

void SinCos(float Theta, float Radius, float& Sin, float& Cos) {
    Sin = float(Radius * std::sin(double(Theta)));
    Cos = float(Radius * std::cos(double(Theta)));
}

int MulDiv(int Multiplicand, int Multiplier, int Divisor) {
    const bool negative = (Multiplicand ^ Multiplier ^ Divisor) < 0;
    const auto magnitude = [](int Value) {
        return Value < 0 ? std::uint64_t(0) - std::uint64_t(Int64(Value)) : std::uint64_t(Value);
    };
    const std::uint64_t divisor = magnitude(Divisor);
    const std::uint64_t product = magnitude(Multiplicand) * magnitude(Multiplier);
    // Also catches a zero divisor.
    if (2 * (product >> 32) >= divisor) return -1;
    std::uint64_t quotient = product / divisor;
    const std::uint64_t remainder = product % divisor;
    if (divisor - remainder <= remainder) ++quotient;
    if (negative) return int(-Int64(quotient));
    // Rounding up can reach 2^31, which only fits as a negative result.
    if (quotient > std::uint64_t(INT32_MAX)) return -1;
    return int(quotient);
}

} // namespace Bmp32

#include "bitmap32/Bmp32_Math.h"

#include <gtest/gtest.h>

#include <climits>
#include <numbers>

using namespace Bmp32;

TEST(FixedRounding, FloorCeilAndRoundHalvesDownWithoutWrappingAtTheEnds) {
    EXPECT_EQ(FixedRound(0x00018000), 1);
    EXPECT_EQ(FixedRound(0x00018001), 2);
    EXPECT_EQ(FixedRound(0x00017FFF), 1);
    EXPECT_EQ(FixedRound(-0x8000), -1); // -0.5 rounds down too
    EXPECT_EQ(FixedRound(-0x7FFF), 0);
    EXPECT_EQ(FixedFloor(-1), -1);
    EXPECT_EQ(FixedFloor(0x1FFFF), 1);
    EXPECT_EQ(FixedCeil(0x00010001), 2);
    EXPECT_EQ(FixedCeil(0x00010000), 1);
    EXPECT_EQ(FixedCeil(-0x18000), -1);
    EXPECT_EQ(FixedCeil(INT_MAX), 32768);
    EXPECT_EQ(FixedRound(INT_MAX), 32768);
    EXPECT_EQ(FixedFloor(INT_MIN), -32768);
    EXPECT_EQ(FixedCeil(INT_MIN), -32768);
}

TEST(FixedArithmetic, Multiply) {
    EXPECT_EQ(FixedMul(0x18000, 0x20000), 0x30000);
    EXPECT_EQ(FixedMul(-0x10000, 0x8000), -0x8000);
    EXPECT_EQ(FixedMul(-1, 1), -1); // the shift rounds towards minus infinity
    EXPECT_EQ(FixedSqr(0x18000), 0x24000);
    // Only the low 32 bits of the shifted product are kept.
    const Int64 product = Int64(0x7FFF0000) * 0x7FFF0000 >> 16;
    EXPECT_EQ(FixedMul(0x7FFF0000, 0x7FFF0000), TFixed(std::uint32_t(product)));
}

TEST(FixedArithmetic, DivideTruncatesAndRaisesOnZeroOrOverflow) {
    EXPECT_EQ(FixedDiv(0x30000, 0x20000), 0x18000);
    EXPECT_EQ(FixedDiv(-0x10000, 0x30000), -21845); // -21845.33
    EXPECT_EQ(FixedDiv(0x10000, 3), 0x55555555);
    EXPECT_THROW(FixedDiv(1, 0), EDivByZero);
    EXPECT_THROW(FixedDiv(0x7FFF0000, 0x100), EIntOverflow);
    EXPECT_THROW(FixedDiv(INT_MIN, -0x10000), EIntOverflow);
}

TEST(FixedArithmetic, SquareRoots) {
    EXPECT_EQ(FixedSqrtLP(0x40000), 0x20000);
    EXPECT_EQ(FixedSqrtHP(0x40000), 0x20000);
    // Root 2: the low-precision form has 8 exact fraction bits, the high-precision form 16.
    EXPECT_EQ(FixedSqrtLP(0x20000), 362 << 8);
    EXPECT_EQ(FixedSqrtHP(0x20000), 92681);
    EXPECT_EQ(FixedSqrtHP(0), 0);
    EXPECT_EQ(FixedSqrtHP(1), 256);
    EXPECT_EQ(FixedSqrtHP(INT_MAX), 11863283); // floor(sqrt(2^47 - 2^16))
    EXPECT_THROW(FixedSqrtLP(-1), ERangeError);
    EXPECT_THROW(FixedSqrtHP(-1), ERangeError);
}

TEST(FixedArithmetic, SquareRootsAreTruncatedExactly) {
    for (Int64 a = 1; a <= INT_MAX; a += a / 7 + 1) {
        const Int64 root = FixedSqrtHP(TFixed(a));
        ASSERT_LE(root * root, a << 16) << a;
        ASSERT_GT((root + 1) * (root + 1), a << 16) << a;
        ASSERT_EQ(FixedSqrtLP(TFixed(a)) >> 8, root >> 8) << a;
    }
}

TEST(Trigonometry, SinCos) {
    float s, c;
    SinCos(0, s, c);
    EXPECT_EQ(s, 0);
    EXPECT_EQ(c, 1);
    SinCos(float(std::numbers::pi / 2), 2, s, c);
    EXPECT_FLOAT_EQ(s, 2);
    EXPECT_NEAR(c, 0, 1e-6);
}

TEST(MulDiv, HalvesRoundAwayFromZeroOverTheWhole64BitProduct) {
    EXPECT_EQ(MulDiv(5, 3, 2), 8);
    EXPECT_EQ(MulDiv(-5, 3, 2), -8);
    EXPECT_EQ(MulDiv(3, 3, -2), -5);
    EXPECT_EQ(MulDiv(1, 1, 3), 0);
    EXPECT_EQ(MulDiv(2, 1, 3), 1);
    EXPECT_EQ(MulDiv(-2, -1, 3), 1);
    EXPECT_EQ(MulDiv(0, -7, 3), 0);
    EXPECT_EQ(MulDiv(INT_MAX, INT_MAX, INT_MAX), INT_MAX);
    EXPECT_EQ(MulDiv(INT_MAX, 2, 4), 1073741824); // 1073741823.5
    EXPECT_EQ(MulDiv(INT_MIN, 1, 1), INT_MIN);
    EXPECT_EQ(MulDiv(0x10000, 0x10000, 0x10000), 0x10000);
}

TEST(MulDiv, ZeroDivisorOrOverflowGivesMinusOne) {
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
    EXPECT_EQ(MulDiv(0x40000000, 4, 2), -1);
    EXPECT_EQ(MulDiv(INT_MIN, -1, 1), -1);
}

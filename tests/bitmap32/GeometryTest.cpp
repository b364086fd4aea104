#include "bitmap32/Bmp32_Basics.h"
#include "bitmap32/Bmp32_Blend.h"

#include <gtest/gtest.h>

#include <climits>

using namespace Bmp32;

TEST(FloatConversion, FixedAndIntegerFormsRoundHalvesToEvenAndRaiseOutsideTheRange) {
    EXPECT_EQ(Fixed(1.5f), 0x18000);
    EXPECT_EQ(Fixed(-0.5f), -0x8000);
    EXPECT_EQ(Fixed(0.5f / 65536), 0); // half a unit: to the even 0
    EXPECT_EQ(Fixed(1.5f / 65536), 2); // one and a half units: to the even 2
    EXPECT_EQ(Fixed(-2.5f / 65536), -2);
    EXPECT_EQ(Fixed(2), 0x20000); // integers shift
    EXPECT_EQ(Fixed(-1), -0x10000);
    EXPECT_EQ(RoundToInt(2.5), 2);
    EXPECT_EQ(RoundToInt(3.5), 4);
    EXPECT_EQ(RoundToInt(-0.5), 0);
    EXPECT_EQ(RoundToInt(-1.5), -2);
    EXPECT_EQ(TruncToInt(-2.7), -2);
    EXPECT_EQ(FloorToInt(-2.5), -3);
    EXPECT_EQ(CeilToInt(-2.5), -2);
    EXPECT_EQ(TruncToInt(2147483647.9), INT_MAX);
    EXPECT_THROW(Fixed(40000.0f), ERangeError);
    EXPECT_THROW(RoundToInt(std::nan("")), ERangeError);
    EXPECT_EQ(RoundToInt(-2147483648.0), INT_MIN);
    EXPECT_THROW(RoundToInt(2147483647.5), ERangeError); // the even neighbour is 2^31
}

TEST(Points, ConversionsBetweenTheThreeKinds) {
    EXPECT_EQ(Point(3, 4), TPoint(3, 4));
    EXPECT_EQ(Point(TFloatPoint{2.5f, 3.5f}), TPoint(2, 4));
    EXPECT_EQ(Point(TFixedPoint{0x18000, 0x18001}), TPoint(1, 2)); // a half rounds down
    EXPECT_EQ(FloatPoint(TFixedPoint{0x18000, -0x8000}), (TFloatPoint{1.5f, -0.5f}));
    EXPECT_EQ(FloatPoint(TPoint(3, -4)), (TFloatPoint{3, -4}));
    EXPECT_EQ(FixedPoint(3, -4), (TFixedPoint{0x30000, -0x40000}));
    EXPECT_EQ(FixedPoint(1.5f, 0.25f), (TFixedPoint{0x18000, 0x4000}));
    EXPECT_EQ(FixedPoint(TPoint(1, 2)), (TFixedPoint{0x10000, 0x20000}));
    EXPECT_EQ(FixedPoint(TFloatPoint{-1.0f, 0.5f}), (TFixedPoint{-0x10000, 0x8000}));
}

TEST(RectRounding, FloatRectangles) {
    const TFloatRect r = FloatRect(0.5, 0.5, 1.2, 1.2);
    EXPECT_EQ(MakeRect(r, rrInside), TRect(1, 1, 1, 1));
    EXPECT_EQ(MakeRect(r, rrOutside), TRect(0, 0, 2, 2));
    EXPECT_EQ(MakeRect(r, rrClosest), TRect(0, 0, 1, 1)); // 0.5 to the even 0
    EXPECT_EQ(MakeRect(FloatRect(1.5, -0.5, 2.5, 3.7), rrClosest), TRect(2, 0, 2, 4));
}

TEST(RectRounding, FixedRectangles) {
    const TFixedRect r = FixedRect(0x8000, 0x18000, 0x28000, 0x28001);
    EXPECT_EQ(MakeRect(r, rrClosest), TRect(0, 1, 2, 3));
    EXPECT_EQ(MakeRect(r, rrOutside), TRect(0, 1, 3, 3));
    EXPECT_EQ(MakeRect(r, rrInside), TRect(1, 2, 2, 2));
    // Inside of a rectangle thinner than a pixel collapses onto its left and top edges.
    EXPECT_EQ(MakeRect(FixedRect(0x8000, 0x8000, 0xC000, 0xC000), rrInside), TRect(1, 1, 1, 1));
}

TEST(RectConversion, BetweenIntegerFixedAndFloat) {
    EXPECT_EQ(FixedRect(TRect(1, -2, 3, 4)), FixedRect(0x10000, -0x20000, 0x30000, 0x40000));
    EXPECT_EQ(FixedRect(FloatRect(0.5, 1.5, 2.25, -1)),
              FixedRect(0x8000, 0x18000, 0x24000, -0x10000));
    EXPECT_EQ(FloatRect(FixedRect(0x8000, 0x18000, 0x24000, -0x10000)),
              FloatRect(0.5, 1.5, 2.25, -1));
    EXPECT_EQ(FloatRect(TRect(1, 2, 3, 4)), FloatRect(1, 2, 3, 4));
    EXPECT_EQ(MakeRect(1, 2, 3, 4), TRect(1, 2, 3, 4));
}

TEST(RectSets, IntersectionCountsTouchingEdgesGivesZerosWhenDisjointAndMayWriteAnOperand) {
    TRect dst;
    EXPECT_TRUE(IntersectRect(dst, TRect(0, 0, 10, 10), TRect(10, 2, 20, 8)));
    EXPECT_EQ(dst, TRect(10, 2, 10, 8));
    EXPECT_FALSE(IntersectRect(dst, TRect(0, 0, 10, 10), TRect(11, 0, 20, 10)));
    EXPECT_EQ(dst, TRect());
    TFloatRect fdst = FloatRect(1, 2, 3, 4);
    EXPECT_FALSE(IntersectRect(fdst, FloatRect(0, 0, 1, 1), FloatRect(0, 1.5, 1, 2)));
    EXPECT_EQ(fdst, TFloatRect());
    TRect r(0, 0, 10, 10);
    EXPECT_TRUE(IntersectRect(r, r, TRect(2, 3, 12, 13)));
    EXPECT_EQ(r, TRect(2, 3, 10, 10));
    TFloatRect f = FloatRect(0, 0, 1, 1);
    EXPECT_TRUE(IntersectRect(f, FloatRect(0.5, 0.5, 2, 2), f));
    EXPECT_EQ(f, FloatRect(0.5, 0.5, 1, 1));
}

TEST(RectSets, EqualityAndEqualSize) {
    EXPECT_TRUE(EqualRect(TRect(1, 2, 3, 4), TRect(1, 2, 3, 4)));
    EXPECT_FALSE(EqualRect(TRect(1, 2, 3, 4), TRect(1, 2, 3, 5)));
    EXPECT_TRUE(EqualRectSize(TRect(0, 0, 5, 6), TRect(10, 20, 15, 26)));
    EXPECT_FALSE(EqualRectSize(TRect(0, 0, 5, 6), TRect(0, 0, 6, 5)));
    EXPECT_TRUE(EqualRectSize(TRect(INT_MIN, 0, INT_MAX, 1), TRect(INT_MIN, 0, INT_MAX, 1)));
    // Float sizes are compared in fixed point: differences below 1/65536 vanish.
    EXPECT_TRUE(EqualRectSize(FloatRect(0, 0, 1, 1), FloatRect(0, 0, 1.000001f, 1)));
    EXPECT_FALSE(EqualRectSize(FloatRect(0, 0, 1, 1), FloatRect(0, 0, 1.00002f, 1)));
}

TEST(RectSets, InflateAndOffsetInPlace) {
    TRect r(10, 20, 30, 40);
    InflateRect(r, 2, -3);
    EXPECT_EQ(r, TRect(8, 23, 32, 37));
    OffsetRect(r, -8, 1);
    EXPECT_EQ(r, TRect(0, 24, 24, 38));
    TFloatRect f = FloatRect(1, 1, 2, 2);
    InflateRect(f, 0.5f, 0.25f);
    EXPECT_EQ(f, FloatRect(0.5, 0.75, 2.5, 2.25));
    OffsetRect(f, -0.5f, 1);
    EXPECT_EQ(f, FloatRect(0, 1.75, 2, 3.25));
}

TEST(RectSets, IntegerEdgesThatOverflowRaise) {
    TRect r(0, 0, INT_MAX - 1, 10);
    EXPECT_THROW(OffsetRect(r, 2, 0), EIntOverflow);
    EXPECT_EQ(r, TRect(0, 0, INT_MAX - 1, 10));
    EXPECT_THROW(InflateRect(r, 0, INT_MIN), EIntOverflow);
}

TEST(RectSets, EmptinessAndPointInside) {
    EXPECT_TRUE(IsRectEmpty(TRect(5, 5, 5, 10)));
    EXPECT_TRUE(IsRectEmpty(TRect(5, 5, 4, 10)));
    EXPECT_FALSE(IsRectEmpty(TRect(5, 5, 6, 6)));
    EXPECT_TRUE(IsRectEmpty(FloatRect(0, 0, 1, 0)));
    EXPECT_FALSE(IsRectEmpty(FloatRect(0, 0, 0.1f, 0.1f)));
    const TRect r(0, 0, 10, 5);
    EXPECT_TRUE(PtInRect(r, TPoint(0, 0)));
    EXPECT_TRUE(PtInRect(r, TPoint(9, 4)));
    EXPECT_FALSE(PtInRect(r, TPoint(10, 4)));
    EXPECT_FALSE(PtInRect(r, TPoint(9, 5)));
    EXPECT_FALSE(PtInRect(r, TPoint(-1, 0)));
}

TEST(Gamma, TableHoldsGamma07FromStartUpAndFollowsOtherExponents) {
    InitializeUnits();
    const int index[] = {0, 1, 2, 64, 128, 192, 254, 255};
    const int expected[] = {0, 5, 9, 97, 157, 209, 254, 255};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(GAMMA_TABLE[index[i]], expected[i]) << index[i];
    SetGamma(1.0);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(GAMMA_TABLE[i], i);
    SetGamma(2.0);
    EXPECT_EQ(GAMMA_TABLE[128], 64); // 255 x (128/255)^2 = 64.25
    EXPECT_THROW(SetGamma(-1), ERangeError);
    SetGamma(0.7);
    EXPECT_EQ(GAMMA_TABLE[64], 97);
}

TEST(Interpolator, FullWeightsPickOneCorner) {
    const TColor32 upper[2] = {0x11111111, 0x22222222};
    const TColor32 lower[2] = {0x33333333, 0x44444444};
    EXPECT_EQ(Interpolator(255, 255, upper, lower), 0x11111111u);
    EXPECT_EQ(Interpolator(0, 255, upper, lower), 0x22222222u);
    EXPECT_EQ(Interpolator(255, 0, upper, lower), 0x33333333u);
    EXPECT_EQ(Interpolator(0, 0, upper, lower), 0x44444444u);
    EXPECT_EQ(Interpolator(1000, 256, upper, lower), 0x11111111u); // taken as 255
}

TEST(Interpolator, WeighsHorizontallyThenVertically) {
    const TColor32 upper[2] = {0xFF000000, 0xFFFFFFFF};
    const TColor32 lower[2] = {0xFF000000, 0xFFFFFFFF};
    // Both rows give $FF7F7F7F; weighing equal colours 100 : 155 loses a unit of alpha
    // (100 + 154 = 254) but none of 127 (50 + 77).
    EXPECT_EQ(Interpolator(128, 100, upper, lower), 0xFE7F7F7Fu);
}

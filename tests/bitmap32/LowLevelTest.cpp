#include "bitmap32/Bmp32_CpuFeatures.h"
#include "bitmap32/Bmp32_LowLevel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <utility>
#include <vector>

using namespace Bmp32;

TEST(Ranges, ClampAndSwapConstrainInEitherOrder) {
    EXPECT_EQ(Clamp(-1), 0);
    EXPECT_EQ(Clamp(300), 255);
    EXPECT_EQ(Clamp(17), 17);
    EXPECT_EQ(Clamp(5, 3), 3);
    EXPECT_EQ(Clamp(-2, 3), 0);
    EXPECT_EQ(Clamp(-2, -5), -5); // the test against Max comes first
    EXPECT_EQ(Clamp(7, 10, 20), 10);
    EXPECT_EQ(Clamp(25, 10, 20), 20);
    EXPECT_EQ(Constrain(15, 10, 20), 15);
    EXPECT_EQ(Constrain(2.5f, 0.0f, 1.0f), 1.0f);
    EXPECT_EQ(Constrain(-2.5f, 0.0f, 1.0f), 0.0f);
    EXPECT_EQ(SwapConstrain(5, 10, 0), 5);
    EXPECT_EQ(SwapConstrain(20, 10, 0), 10);
    EXPECT_EQ(SwapConstrain(-3, 10, 0), 0);
    EXPECT_EQ(SwapConstrain(-3, 0, 10), 0);
}

TEST(Wrapping, WrapHasThePeriodMaxPlusOneOrLiesBetweenBounds) {
    EXPECT_EQ(Wrap(-1, 9), 9);
    EXPECT_EQ(Wrap(10, 9), 0);
    EXPECT_EQ(Wrap(-10, 9), 0);
    EXPECT_EQ(Wrap(23, 9), 3);
    EXPECT_EQ(Wrap(INT_MIN, INT_MAX), 0);
    EXPECT_EQ(Wrap(12, 2, 5), 4);
    for (int v = -20; v <= 20; ++v)
        EXPECT_EQ(Wrap(v, 2, 5), ((v - 2) % 4 + 4) % 4 + 2) << v;
}

TEST(Wrapping, MirrorHasThePeriodMaxOrRepeatsTheEdgesBetweenBounds) {
    EXPECT_EQ(Mirror(11, 10), 9);
    EXPECT_EQ(Mirror(-3, 10), 3);
    EXPECT_EQ(Mirror(10, 10), 10);
    EXPECT_EQ(Mirror(15, 10), 5);
    EXPECT_EQ(Mirror(20, 10), 0);
    EXPECT_EQ(Mirror(INT_MIN, INT_MAX), INT_MAX - 1);
    const int expected[] = {1, 0, 0, 1, 2, 3, 3, 2, 1, 0, 0, 1};
    for (int v = -2; v <= 9; ++v)
        EXPECT_EQ(Mirror(v, 0, 3), expected[v + 2]) << v;
    EXPECT_EQ(Mirror(12, 5, 9), 7);
    EXPECT_EQ(Mirror(2, 5, 9), 7);
}

TEST(Wrapping, ZeroPeriodRaisesAndBoundsInTheWrongOrderCanOverflow) {
    EXPECT_THROW(Wrap(5, -1), EDivByZero);
    EXPECT_THROW(Wrap(5, 3, 2), EDivByZero);
    EXPECT_THROW(Mirror(5, 0), EDivByZero);
    EXPECT_THROW(Mirror(5, 3, 2), EDivByZero);
    // Bounds in the wrong order: the reflection of INT_MIN lands at 2^31 + 1.
    EXPECT_THROW(Mirror(INT_MIN, INT_MAX - 1, 0), EIntOverflow);
    // A negative period: -5 + (INT_MIN + 1) lies below INT_MIN.
    EXPECT_THROW(Wrap(-5, INT_MIN), EIntOverflow);
}

TEST(Wrapping, TablesFollowTheWrapModes) {
    EXPECT_EQ(WRAP_PROCS[wmClamp](12, 9), 9);
    EXPECT_EQ(WRAP_PROCS[wmRepeat](12, 9), 2);
    EXPECT_EQ(WRAP_PROCS[wmMirror](12, 9), 6);
    EXPECT_EQ(WRAP_PROCS_EX[wmClamp](12, 2, 9), 9);
    EXPECT_EQ(WRAP_PROCS_EX[wmRepeat](12, 2, 9), 4);
    EXPECT_EQ(WRAP_PROCS_EX[wmMirror](12, 2, 9), 7);
}

TEST(Spans, SwapAndTestSwap) {
    int a = 1, b = 2;
    Swap(a, b);
    TestSwap(a, b); // puts them in order
    EXPECT_EQ(std::make_pair(a, b), std::make_pair(1, 2));
    TestSwap(a, b);
    EXPECT_EQ(std::make_pair(a, b), std::make_pair(1, 2));
}

TEST(Spans, TestClipOrdersAndClipsToSizeOrToStartAndStop) {
    int a = 12, b = -3;
    EXPECT_TRUE(TestClip(a, b, 10));
    EXPECT_EQ(std::make_pair(a, b), std::make_pair(0, 9));
    a = 10, b = 15;
    EXPECT_FALSE(TestClip(a, b, 10));
    a = 7, b = 1;
    EXPECT_TRUE(TestClip(a, b, 3, 6));
    EXPECT_EQ(std::make_pair(a, b), std::make_pair(3, 5));
    a = 0, b = 2;
    EXPECT_FALSE(TestClip(a, b, 3, 6));
    a = 5, b = 5;
    EXPECT_TRUE(TestClip(a, b, 3, 6));
}

namespace {

// Fills words 1 .. Count of a guarded buffer starting Offset words in.
std::vector<Cardinal> Filled(TFillLongword Fill, int Offset, int Count) {
    std::vector<Cardinal> buffer(40, 0xDEADBEEF);
    Fill(buffer.data() + Offset, Count, 0x12345678);
    return buffer;
}

} // namespace

TEST(Memory, FillLongwordOfEachSetWritesExactlyCountWords) {
    ASSERT_NE(LowLevelRoutinesOf(rsSse2).FillLongword, LowLevelRoutinesOf(rsPlain).FillLongword);
    for (int set = rsPlain; set <= FastestRoutineSet(); ++set)
        for (int offset = 0; offset < 4; ++offset)
            for (int count = -2; count <= 21; ++count) {
                const TFillLongword fill = LowLevelRoutinesOf(TRoutineSet(set)).FillLongword;
                const std::vector<Cardinal> buffer = Filled(fill, offset, count);
                for (int i = 0; i < 40; ++i) {
                    const bool inside = i >= offset && i < offset + count;
                    ASSERT_EQ(buffer[i], inside ? 0x12345678u : 0xDEADBEEFu)
                        << "set " << set << " offset " << offset << " count " << count << " word "
                        << i;
                }
            }
}

TEST(Memory, StartUpInstallsTheFastestFill) {
    SelectLowLevelRoutines();
    EXPECT_EQ(InstalledLowLevelRoutines, LowLevelRoutinesOf(FastestRoutineSet()));
    EXPECT_EQ(FillLongword, InstalledLowLevelRoutines.FillLongword);
    EXPECT_EQ(LowLevelRoutinesOf(rsAvx2), LowLevelRoutinesOf(rsSse2));
}

TEST(Memory, FillWordUsesTheLowHalf) {
    Word words[5] = {1, 1, 1, 1, 1};
    FillWord(words + 1, 3, 0xABCD1234);
    EXPECT_EQ(words[0], 1);
    EXPECT_EQ(words[1], 0x1234);
    EXPECT_EQ(words[3], 0x1234);
    EXPECT_EQ(words[4], 1);
    FillWord(words, -1, 0);
    EXPECT_EQ(words[0], 1);
}

TEST(Memory, MoveWordAndMoveLongwordCopyForwardAndRefuseTheirOwnSource) {
    Cardinal words[6] = {1, 2, 3, 4, 5, 6};
    Cardinal copy[3] = {};
    MoveLongword(words + 1, copy, 3);
    EXPECT_EQ(copy[0], 2u);
    EXPECT_EQ(copy[2], 4u);
    // Dest below Source may overlap it.
    MoveLongword(words + 2, words, 4);
    EXPECT_EQ(std::vector<Cardinal>(words, words + 6), (std::vector<Cardinal>{3, 4, 5, 6, 5, 6}));
    MoveLongword(words, words, 6);
    MoveLongword(words + 1, copy, 0);
    EXPECT_EQ(copy[0], 2u);
    const Cardinal fresh[6] = {1, 2, 3, 4, 5, 6};
    std::copy(fresh, fresh + 6, words);
    EXPECT_THROW(MoveLongword(words, words + 2, 4), EInvalidOperation);
    EXPECT_EQ(words[2], 3u);
    EXPECT_THROW(MoveLongword(words, words + 3, -1), ERangeError);
    MoveLongword(words, words + 3, 3); // adjacent, not overlapping
    EXPECT_EQ(words[5], 3u);
    Word halves[4] = {1, 2, 3, 4};
    MoveWord(halves + 2, halves, 2);
    EXPECT_EQ(halves[0], 3);
    EXPECT_EQ(halves[1], 4);
    EXPECT_THROW(MoveWord(halves, halves + 1, 2), EInvalidOperation);
}

TEST(ShiftsAndColours, ArithmeticShiftsKeepTheSign) {
    EXPECT_EQ(SAR_4(-17), -2);
    EXPECT_EQ(SAR_8(-1), -1);
    EXPECT_EQ(SAR_9(1024), 2);
    EXPECT_EQ(SAR_11(-4096), -2);
    EXPECT_EQ(SAR_12(INT_MIN), -524288);
    EXPECT_EQ(SAR_13(0x7FFFFFFF), 0x3FFFF);
    EXPECT_EQ(SAR_14(-16385), -2);
    EXPECT_EQ(SAR_15(32768), 1);
    EXPECT_EQ(SAR_16(-0x18000), -2);
}

TEST(ShiftsAndColours, ColorSwapMakesAnOpaqueColour) {
    EXPECT_EQ(ColorSwap(0x00112233), 0xFF332211u);
    EXPECT_EQ(ColorSwap(0x80000005), 0xFF050000u);
}

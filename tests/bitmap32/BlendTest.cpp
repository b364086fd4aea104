// Hand-computed results of every routine, checked on every routine set.
#include "bitmap32/Bmp32_Blend.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

using namespace Bmp32;

namespace {

// Each set that this processor runs.
class BlendRoutines : public testing::TestWithParam<TRoutineSet> {
protected:
    void SetUp() override {
        if (GetParam() > FastestRoutineSet()) GTEST_SKIP() << "not run by this processor";
    }
    const TBlendRoutines R = BlendRoutinesOf(GetParam());
};

std::string SetName(const testing::TestParamInfo<TRoutineSet>& Info) {
    return Info.param == rsPlain ? "Plain" : Info.param == rsSse2 ? "Sse2" : "Avx2";
}

INSTANTIATE_TEST_SUITE_P(Variants, BlendRoutines, testing::Values(rsPlain, rsSse2, rsAvx2),
                         SetName);

TColor32 InPlace(TBlendMem Mem, TColor32 F, TColor32 B) {
    Mem(F, B);
    return B;
}

template <typename Mem, typename Arg> TColor32 InPlace(Mem Routine, TColor32 F, TColor32 B, Arg A) {
    Routine(F, B, A);
    return B;
}

} // namespace

TEST_P(BlendRoutines, CombineWeighsBothColoursAndDropsAlphaInMemoryWhenMixing) {
    EXPECT_EQ(R.CombineReg(0x12345678, 0x9ABCDEF0, 0), 0x9ABCDEF0u);
    EXPECT_EQ(R.CombineReg(0x12345678, 0x9ABCDEF0, 255), 0x12345678u);
    EXPECT_EQ(R.CombineReg(0x80402010, 0x10204080, 64), 0x2C283864u);
    // 255 x 128 and 255 x 127, each rounded: 128 + 127.
    EXPECT_EQ(R.CombineReg(0xFF000000, 0xFFFFFFFF, 128), 0xFF7F7F7Fu);
    EXPECT_EQ(InPlace(R.CombineMem, 0x80402010, 0x10204080, Byte(64)), 0x00283864u);
    EXPECT_EQ(InPlace(R.CombineMem, 0x80402010, 0x10204080, Byte(0)), 0x10204080u);
    EXPECT_EQ(InPlace(R.CombineMem, 0x80402010, 0x10204080, Byte(255)), 0x80402010u);
}

TEST_P(BlendRoutines, BlendByForegroundAlphaOrWithMasterAlphaGivingAlphaZero) {
    EXPECT_EQ(R.BlendReg(0x80FF0000, 0xFF0000FF), 0xBF80007Fu);
    EXPECT_EQ(R.BlendReg(0x00FF0000, 0x120000FF), 0x120000FFu);
    EXPECT_EQ(R.BlendReg(0xFFFF0000, 0x120000FF), 0xFFFF0000u);
    EXPECT_EQ(InPlace(R.BlendMem, 0x80FF0000, 0xFF0000FF), 0xBF80007Fu);
    EXPECT_EQ(InPlace(R.BlendMem, 0x00FF0000, 0x120000FF), 0x120000FFu);
    EXPECT_EQ(InPlace(R.BlendMem, 0xFFFF0000, 0x120000FF), 0xFFFF0000u);
    // Weight ((255 + 1) x 128) >> 8 = 128; red, green and blue only.
    EXPECT_EQ(R.BlendRegEx(0x80FF0000, 0xFF0000FF, 255), 0x0080007Fu);
    // Weight (129 x 128) >> 8 = 64.
    EXPECT_EQ(R.BlendRegEx(0x80FF0000, 0xFF0000FF, 128), 0x004000BEu);
    // Weight 0, and a transparent foreground, keep B with its alpha.
    EXPECT_EQ(R.BlendRegEx(0x80FF0000, 0xFF0000FF, 0), 0xFF0000FFu);
    EXPECT_EQ(R.BlendRegEx(0x00FF0000, 0x120000FF, 255), 0x120000FFu);
    // No shortcut for an opaque foreground.
    EXPECT_EQ(R.BlendRegEx(0xFFFF0000, 0xFF0000FF, 255), 0x00FE0000u); // 255 x 255 rounds to 254
    EXPECT_EQ(InPlace(R.BlendMemEx, 0x80FF0000, 0xFF0000FF, Byte(128)), 0x004000BEu);
    EXPECT_EQ(InPlace(R.BlendMemEx, 0x80FF0000, 0xFF0000FF, Byte(0)), 0xFF0000FFu);
}

TEST_P(BlendRoutines, MergeCompositesTheAlphasWithAndWithoutMasterAlpha) {
    EXPECT_EQ(R.MergeReg(0x80FF0000, 0x800000FF), 0xC0A90053u); // alpha 128 + 128 - 64
    EXPECT_EQ(R.MergeReg(0x80FF0000, 0x000000FF), 0x80FF0000u); // transparent B: F
    EXPECT_EQ(R.MergeReg(0xFFFF0000, 0x800000FF), 0xFFFF0000u);
    EXPECT_EQ(R.MergeReg(0x00FF0000, 0x800000FF), 0x800000FFu);
    EXPECT_EQ(InPlace(R.MergeMem, 0x80FF0000, 0x800000FF), 0xC0A90053u);
    EXPECT_EQ(R.MergeRegEx(0x80FF0000, 0x800000FF, 255), 0xC0A90053u);
    EXPECT_EQ(R.MergeRegEx(0xFFFF0000, 0x800000FF, 255), 0xFFFF0000u);
    EXPECT_EQ(R.MergeRegEx(0xFFFF0000, 0x800000FF, 0), 0x800000FFu);
    // Opaque F at master alpha 128 becomes F at alpha 128 over opaque B.
    EXPECT_EQ(R.MergeRegEx(0xFFFF0000, 0xFF0000FF, 128), 0xFF7F007Fu);
    // A translucent F at master alpha 0 still runs the merge with weight 0: B's colour is
    // premultiplied by its alpha and scaled back by 65536 div 128.
    EXPECT_EQ(R.MergeRegEx(0x80FF0000, 0x800000FF, 0), 0x800000FEu);
    // Transparent B takes F with its scaled alpha.
    EXPECT_EQ(R.MergeRegEx(0xFFFF0000, 0x000000FF, 128), 0x80FF0000u);
    EXPECT_EQ(InPlace(R.MergeMemEx, 0xFFFF0000, 0xFF0000FF, Byte(128)), 0xFF7F007Fu);
}

TEST_P(BlendRoutines, CombMergeReplacesTheForegroundAlpha) {
    EXPECT_EQ(R.CombMergeReg(0x00FF0000, 0x800000FF, 128), 0xC0A90053u);
    EXPECT_EQ(R.CombMergeReg(0x12FF0000, 0x800000FF, 255), 0xFFFF0000u);
    EXPECT_EQ(R.CombMergeReg(0x12FF0000, 0x800000FF, 0), 0x800000FFu);
    EXPECT_EQ(InPlace(R.CombMergeMem, 0x00FF0000, 0x800000FF, Byte(128)), 0xC0A90053u);
}

TEST_P(BlendRoutines, LinesApplyTheMemoryRoutinePerPixelAndNoPixelsTouchNothing) {
    const std::vector<TColor32> src = {0x80FF0000, 0x00FF0000, 0xFFFF0000, 0x80FF0000, 0x40123456};
    const std::vector<TColor32> dst = {0xFF0000FF, 0x120000FF, 0x120000FF, 0x800000FF, 0xFFFFFFFF};
    std::vector<TColor32> blended = dst, merged = dst, blendedEx = dst, mergedEx = dst;
    R.BlendLine(src.data(), blended.data(), 5);
    R.MergeLine(src.data(), merged.data(), 5);
    R.BlendLineEx(src.data(), blendedEx.data(), 5, 128);
    R.MergeLineEx(src.data(), mergedEx.data(), 5, 128);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(blended[i], InPlace(R.BlendMem, src[i], dst[i])) << i;
        EXPECT_EQ(merged[i], InPlace(R.MergeMem, src[i], dst[i])) << i;
        EXPECT_EQ(blendedEx[i], InPlace(R.BlendMemEx, src[i], dst[i], Byte(128))) << i;
        EXPECT_EQ(mergedEx[i], InPlace(R.MergeMemEx, src[i], dst[i], Byte(128))) << i;
    }
    EXPECT_EQ(blended[0], 0xBF80007Fu);
    EXPECT_EQ(merged[3], 0xC0A90053u);
    std::vector<TColor32> untouched = dst; // lines of no pixels touch nothing
    for (int count : {0, -1, INT_MIN}) {
        R.BlendLine(src.data(), untouched.data(), count);
        R.MergeLine(src.data(), untouched.data(), count);
        R.BlendLineEx(src.data(), untouched.data(), count, 200);
        R.MergeLineEx(src.data(), untouched.data(), count, 200);
    }
    EXPECT_EQ(untouched, dst);
}

TEST_P(BlendRoutines, ColourAlgebra) {
    EXPECT_EQ(R.ColorAdd(0x80C0FF10, 0x90500120), 0xFFFFFF30u);
    EXPECT_EQ(R.ColorSub(0x80C0FF10, 0x90500120), 0x0070FE00u);
    EXPECT_EQ(R.ColorDiv(0x00000000, 0x12345678), 0xFFFFFFFFu);
    EXPECT_EQ(R.ColorDiv(0x02040810, 0x01010101), 0x80402010u);
    EXPECT_EQ(R.ColorDiv(0x01010101, 0x02000000), 0xFF000000u);
    EXPECT_EQ(R.ColorModulate(0xFFFFFFFF, 0xFFFFFFFF), 0xFEFEFEFEu);
    EXPECT_EQ(R.ColorModulate(0x80402010, 0xFF808080), 0x7F201008u);
    EXPECT_EQ(R.ColorMax(0x10F00080, 0xF0100081), 0xF0F00081u);
    EXPECT_EQ(R.ColorMin(0x10F00080, 0xF0100081), 0x10100080u);
    EXPECT_EQ(R.ColorDifference(0x10F00080, 0xF0100081), 0xE0E00001u);
    EXPECT_EQ(R.ColorAverage(0x00000100, 0x00000000), 0x00000000u); // truncates
    EXPECT_EQ(R.ColorAverage(0x02FF0003, 0x04FE0005), 0x03FE0004u);
    EXPECT_EQ(R.ColorExclusion(0xFF800040, 0xFF80FF40), 0x0280FF60u);
}

TEST(Lighten, KeepsAlphaAndClampsEachChannel) {
    EXPECT_EQ(Lighten(0x80102030, -300), 0x80000000u);
    EXPECT_EQ(Lighten(0x80102030, 0x10), 0x80203040u);
    EXPECT_EQ(Lighten(0x80102030, 300), 0x80FFFFFFu);
    EXPECT_EQ(Lighten(0x80F02030, INT_MAX), 0x80FFFFFFu);
    EXPECT_EQ(Lighten(0x80F02030, INT_MIN), 0x80000000u);
    EXPECT_EQ(Lighten(0x80F02030, -0x20), 0x80D00010u);
}

TEST(Selection, StartUpInstallsTheFastestSetAndTheTablesFollowIt) {
    InitializeUnits();
    EXPECT_EQ(InstalledBlendRoutines, BlendRoutinesOf(FastestRoutineSet()));
    SelectBlendRoutines();
    EXPECT_EQ(InstalledBlendRoutines, BlendRoutinesOf(FastestRoutineSet()));
    const TBlendRoutines& installed = InstalledBlendRoutines;
    EXPECT_EQ(CombineReg, installed.CombineReg);
    EXPECT_EQ(MergeLineEx, installed.MergeLineEx);
    EXPECT_EQ(ColorExclusion, installed.ColorExclusion);
    EXPECT_EQ(BLEND_REG[cmBlend], installed.BlendReg);
    EXPECT_EQ(BLEND_REG[cmMerge], installed.MergeReg);
    EXPECT_EQ(BLEND_MEM[cmBlend], installed.BlendMem);
    EXPECT_EQ(BLEND_MEM[cmMerge], installed.MergeMem);
    EXPECT_EQ(COMBINE_REG[cmBlend], installed.CombineReg);
    EXPECT_EQ(COMBINE_REG[cmMerge], installed.CombMergeReg);
    EXPECT_EQ(COMBINE_MEM[cmBlend], installed.CombineMem);
    EXPECT_EQ(COMBINE_MEM[cmMerge], installed.CombMergeMem);
    EXPECT_EQ(BLEND_REG_EX[cmBlend], installed.BlendRegEx);
    EXPECT_EQ(BLEND_REG_EX[cmMerge], installed.MergeRegEx);
    EXPECT_EQ(BLEND_MEM_EX[cmBlend], installed.BlendMemEx);
    EXPECT_EQ(BLEND_MEM_EX[cmMerge], installed.MergeMemEx);
    EXPECT_EQ(BLEND_LINE[cmBlend], installed.BlendLine);
    EXPECT_EQ(BLEND_LINE[cmMerge], installed.MergeLine);
    EXPECT_EQ(BLEND_LINE_EX[cmBlend], installed.BlendLineEx);
    EXPECT_EQ(BLEND_LINE_EX[cmMerge], installed.MergeLineEx);
}

TEST(Selection, InstallingAnotherSetChangesTheVariablesAndTables) {
    InstalledBlendRoutines = BlendRoutinesOf(rsSse2);
    EXPECT_EQ(BlendLine, BlendRoutinesOf(rsSse2).BlendLine);
    EXPECT_EQ(BLEND_MEM[cmMerge], BlendRoutinesOf(rsSse2).MergeMem);
    InstalledBlendRoutines = PLAIN_BLEND_ROUTINES;
    EXPECT_EQ(BlendLine, PLAIN_BLEND_ROUTINES.BlendLine);
    EXPECT_EQ(BLEND_MEM[cmMerge], PLAIN_BLEND_ROUTINES.MergeMem);
    SelectBlendRoutines();
}

// The fast sets put their own variants in, so comparing them with the plain set tests them.
TEST(Selection, EachSetHasItsOwnVariants) {
    const TBlendRoutines plain = BlendRoutinesOf(rsPlain);
    const TBlendRoutines sse2 = BlendRoutinesOf(rsSse2);
    const TBlendRoutines avx2 = BlendRoutinesOf(rsAvx2);
    EXPECT_EQ(plain, PLAIN_BLEND_ROUTINES);
    EXPECT_NE(sse2.BlendMem, plain.BlendMem);
    EXPECT_NE(sse2.BlendLine, plain.BlendLine);
    EXPECT_NE(sse2.ColorAdd, plain.ColorAdd);
    EXPECT_EQ(sse2.ColorDiv, plain.ColorDiv) << "division has no SSE2 variant";
    // The AVX2 set is the SSE2 set with other line routines.
    TBlendRoutines avx2WithSse2Lines = avx2;
    for (auto line : {&TBlendRoutines::BlendLine, &TBlendRoutines::MergeLine}) {
        EXPECT_NE(avx2.*line, sse2.*line);
        avx2WithSse2Lines.*line = sse2.*line;
    }
    for (auto line : {&TBlendRoutines::BlendLineEx, &TBlendRoutines::MergeLineEx}) {
        EXPECT_NE(avx2.*line, sse2.*line);
        avx2WithSse2Lines.*line = sse2.*line;
    }
    EXPECT_EQ(avx2WithSse2Lines, sse2);
}

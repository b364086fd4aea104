#include "bitmap32/Bmp32_CpuFeatures.h"

#include <gtest/gtest.h>

#include <iterator>

using namespace Bmp32;

namespace {

const TCPUInstructionSet AllSets[] = {ciMMX, ciEMMX, ciSSE, ciSSE2, ci3DNow, ci3DNowExt};

// A family 6 processor with the given feature words and extended leaves up to 0x80000001.
TCpuIdReport Family6(Cardinal Leaf1Edx, Cardinal ExtendedEdx) {
    return {true, 6 << 8, Leaf1Edx, 0x80000001, ExtendedEdx};
}

// A processor with AVX2 whose system saves the SSE and AVX registers.
TCpuIdReport WithAvx2() {
    TCpuIdReport report = Family6(0x04000000, 0);
    report.Leaf1Ecx = CPUID1_ECX_OSXSAVE;
    report.Leaf7Ebx = CPUID7_EBX_AVX2;
    report.Xcr0 = XCR0_SSE_AND_AVX_STATE;
    return report;
}

TCpuIdReport WithoutExtendedLeaf(TCpuIdReport Report) {
    Report.MaxExtendedLeaf = 0x80000000;
    return Report;
}

} // namespace

TEST(CpuFeatures, NothingWithoutCpuIdOrBelowFamily5) {
    TCpuIdReport report = Family6(0xFFFFFFFF, 0xFFFFFFFF);
    report.HasCpuId = false;
    for (TCPUInstructionSet set : AllSets)
        EXPECT_FALSE(HasInstructionSet(report, set)) << int(set);
    report = Family6(0xFFFFFFFF, 0xFFFFFFFF);
    report.Leaf1Eax = 4 << 8;
    for (TCPUInstructionSet set : AllSets)
        EXPECT_FALSE(HasInstructionSet(report, set)) << int(set);
    report.Leaf1Eax = 5 << 8;
    EXPECT_TRUE(HasInstructionSet(report, ciMMX));
}

TEST(CpuFeatures, EachSetFromItsLeafAndBit) {
    const struct {
        TCpuIdReport Report;
        TCPUInstructionSet Set;
        bool Has;
    } cases[] = {
        {Family6(0x00800000 | 0x04000000, 0), ciMMX, true},
        {Family6(0x00800000 | 0x04000000, 0), ciSSE, false},
        {Family6(0x00800000 | 0x04000000, 0), ciSSE2, true},
        {Family6(0x00800000 | 0x04000000, 0), ciEMMX, false},
        {Family6(0x02000000, 0), ciEMMX, true}, // from SSE
        {Family6(0, 0x00400000), ciEMMX, true}, // from the extended leaf
        {WithoutExtendedLeaf(Family6(0, 0x00400000)), ciEMMX, false},
        {Family6(0, 0xC0000000), ci3DNow, true},
        {Family6(0, 0xC0000000), ci3DNowExt, true},
        {WithoutExtendedLeaf(Family6(0, 0xC0000000)), ci3DNow, false},
        {WithoutExtendedLeaf(Family6(0, 0xC0000000)), ci3DNowExt, false},
        {Family6(0xC0000000, 0), ci3DNow, false}, // 3DNow bits in leaf 1 do not count
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(HasInstructionSet(cases[i].Report, cases[i].Set), cases[i].Has) << i;
}

TEST(CpuFeatures, Avx2NeedsTheProcessorBitAndTheSystemSavingSseAndAvxState) {
    EXPECT_TRUE(HasAVX2(WithAvx2()));
    TCpuIdReport report = WithAvx2();
    report.Leaf7Ebx = ~CPUID7_EBX_AVX2;
    EXPECT_FALSE(HasAVX2(report)) << "no AVX2 bit";
    report = WithAvx2();
    report.Leaf1Ecx = ~CPUID1_ECX_OSXSAVE;
    EXPECT_FALSE(HasAVX2(report)) << "XGETBV not enabled";
    report = WithAvx2();
    report.HasCpuId = false;
    EXPECT_FALSE(HasAVX2(report)) << "no CPUID";
    report = WithAvx2();
    for (Cardinal xcr0 : {0u, 1u, 2u, 3u, 4u, 5u, 0xFFFFFFF9u, 7u, 0xE7u}) {
        report.Xcr0 = xcr0;
        EXPECT_EQ(HasAVX2(report), (xcr0 & 6) == 6) << xcr0;
    }
}

TEST(CpuFeatures, FastestRoutineSetOfEachKindOfProcessor) {
    EXPECT_EQ(FastestRoutineSet(TCpuIdReport{}), rsPlain) << "no CPUID";
    EXPECT_EQ(FastestRoutineSet(Family6(0x00800000, 0)), rsPlain) << "MMX only";
    EXPECT_EQ(FastestRoutineSet(Family6(0x04000000, 0)), rsSse2) << "SSE2 without AVX2";
    EXPECT_EQ(FastestRoutineSet(WithAvx2()), rsAvx2);
    TCpuIdReport report = WithAvx2();
    report.Xcr0 = 0;
    EXPECT_EQ(FastestRoutineSet(report), rsSse2) << "AVX2 registers not saved by the system";
    report = WithAvx2();
    report.Leaf1Edx = 0;
    EXPECT_EQ(FastestRoutineSet(report), rsPlain) << "AVX2 without SSE2";
}

TEST(CpuFeatures, ThisProcessorAnswersAsItsReportSays) {
    // Every 64-bit x86 processor has SSE2.
    const TCpuIdReport report = ReadCpuId();
    EXPECT_TRUE(report.HasCpuId);
    EXPECT_TRUE(HasMMX() && HasSSE() && HasSSE2() && HasEMMX());
    EXPECT_EQ(HasSSE2(), HasInstructionSet(report, ciSSE2));
    EXPECT_EQ(HasAVX2(), HasAVX2(report));
    EXPECT_EQ(FastestRoutineSet(), FastestRoutineSet(report));
}

#include "bitmap32/Bmp32_CpuFeatures.h"

#include <cpuid.h>

namespace Bmp32 {

namespace {

// The low 32 bits of extended control register 0; only valid where the system enabled XGETBV.
Cardinal ReadXcr0() {
    Cardinal low, high;
    asm volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
    return low;
}

const TCpuIdReport& ThisProcessor() {
    static const TCpuIdReport report = ReadCpuId();
    return report;
}

} // namespace

TCpuIdReport ReadCpuId() {
    TCpuIdReport report;
    // Zero when the flags register's bit 21 cannot be toggled, that is without CPUID.
    const unsigned maxLeaf = __get_cpuid_max(0, nullptr);
    if (maxLeaf < 1) return report;
    report.HasCpuId = true;
    unsigned eax, ebx, ecx, edx;
    __cpuid(1, eax, ebx, ecx, edx);
    report.Leaf1Eax = eax;
    report.Leaf1Ecx = ecx;
    report.Leaf1Edx = edx;
    if (maxLeaf >= 7) {
        __cpuid_count(7, 0, eax, ebx, ecx, edx);
        report.Leaf7Ebx = ebx;
    }
    if ((report.Leaf1Ecx & CPUID1_ECX_OSXSAVE) != 0) report.Xcr0 = ReadXcr0();
    report.MaxExtendedLeaf = __get_cpuid_max(0x80000000, nullptr);
    if (report.MaxExtendedLeaf >= 0x80000001) {
        __cpuid(0x80000001, eax, ebx, ecx, edx);
        report.ExtendedLeaf1Edx = edx;
    }
    return report;
}

bool HasInstructionSet(const TCpuIdReport& Report, TCPUInstructionSet InstructionSet) {
    if (!Report.HasCpuId) return false;
    if (((Report.Leaf1Eax >> 8) & 15) < 5) return false;
    const bool hasExtendedLeaf = Report.MaxExtendedLeaf >= 0x80000001;
    const auto inExtendedLeaf = [&](TCPUInstructionSet Set) {
        return hasExtendedLeaf && (Report.ExtendedLeaf1Edx & CPUISChecks[Set]) != 0;
    };
    switch (InstructionSet) {
    case ciEMMX:
        return (Report.Leaf1Edx & CPUISChecks[ciSSE]) != 0 || inExtendedLeaf(ciEMMX);
    case ci3DNow:
    case ci3DNowExt:
        return inExtendedLeaf(InstructionSet);
    case ciMMX:
    case ciSSE:
    case ciSSE2:
        return (Report.Leaf1Edx & CPUISChecks[InstructionSet]) != 0;
    }
    return false;
}

bool HasInstructionSet(TCPUInstructionSet InstructionSet) {
    return HasInstructionSet(ThisProcessor(), InstructionSet);
}

bool HasAVX2(const TCpuIdReport& Report) {
    return Report.HasCpuId && (Report.Leaf7Ebx & CPUID7_EBX_AVX2) != 0 &&
           (Report.Leaf1Ecx & CPUID1_ECX_OSXSAVE) != 0 &&
           (Report.Xcr0 & XCR0_SSE_AND_AVX_STATE) == XCR0_SSE_AND_AVX_STATE;
}

bool HasAVX2() {
    return HasAVX2(ThisProcessor());
}

TRoutineSet FastestRoutineSet(const TCpuIdReport& Report) {
    if (!HasInstructionSet(Report, ciSSE2)) return rsPlain;
    return HasAVX2(Report) ? rsAvx2 : rsSse2;
}

TRoutineSet FastestRoutineSet() {
    return FastestRoutineSet(ThisProcessor());
}

} // namespace Bmp32

#include "bitmap32/Bmp32_CpuFeatures.h"

#include <cpuid.h>

namespace Bmp32 {

TCpuIdReport ReadCpuId() {
    TCpuIdReport report;
    // Zero when the flags register's bit 21 cannot be toggled, that is without CPUID.
    if (__get_cpuid_max(0, nullptr) < 1) return report;
    report.HasCpuId = true;
    unsigned eax, ebx, ecx, edx;
    __cpuid(1, eax, ebx, ecx, edx);
    report.Leaf1Eax = eax;
    report.Leaf1Edx = edx;
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
    static const TCpuIdReport report = ReadCpuId();
    return HasInstructionSet(report, InstructionSet);
}

} // namespace Bmp32

// The processor feature test through the CPUID and XGETBV instructions. It belongs to the unit
// Bmp32_System, whose other parts need the platform; this part needs none.
#pragma once

#include "classlib/Types.h"

#include <array>

namespace Bmp32 {

enum TCPUInstructionSet : Byte { ciMMX, ciEMMX, ciSSE, ciSSE2, ci3DNow, ci3DNowExt };

// The feature bit of each set: in EDX of leaf 1 for MMX, SSE and SSE2, in EDX of leaf
// 0x80000001 for extended MMX, 3DNow and extended 3DNow.
constexpr std::array<Cardinal, 6> CPUISChecks = {0x00800000, 0x00400000, 0x02000000,
                                                 0x04000000, 0x80000000, 0x40000000};

// The AVX2 feature bit in EBX of leaf 7; the bit in ECX of leaf 1 that says the system has
// enabled XGETBV; and the bits of the extended control register 0 that say the system saves the
// SSE and the upper halves of the AVX registers on a task switch.
constexpr Cardinal CPUID7_EBX_AVX2 = 0x00000020;
constexpr Cardinal CPUID1_ECX_OSXSAVE = 0x08000000;
constexpr Cardinal XCR0_SSE_AND_AVX_STATE = 0x00000006;

// What the processor answers through CPUID, and XGETBV.
struct TCpuIdReport {
    bool HasCpuId = false;
    Cardinal Leaf1Eax = 0;
    Cardinal Leaf1Edx = 0;
    Cardinal MaxExtendedLeaf = 0;
    Cardinal ExtendedLeaf1Edx = 0;
    Cardinal Leaf1Ecx = 0;
    // 0 when the processor has no leaf 7.
    Cardinal Leaf7Ebx = 0;
    // The low 32 bits of the extended control register 0; 0 when the system has not enabled
    // XGETBV.
    Cardinal Xcr0 = 0;
};

TCpuIdReport ReadCpuId();

// Whether a processor that gave Report has the set: none without CPUID or below family 5.
bool HasInstructionSet(const TCpuIdReport& Report, TCPUInstructionSet InstructionSet);

// The same for this processor (read once).
bool HasInstructionSet(TCPUInstructionSet InstructionSet);

// Whether a processor and system that gave Report run AVX2: the processor has it and the
// system saves the registers it uses.
bool HasAVX2(const TCpuIdReport& Report);

// The same for this processor and system (read once).
bool HasAVX2();

// The sets of routine variants that the units with processor variants fill their routine
// tables from: each set uses the instructions of the sets before it and more.
enum TRoutineSet : Byte { rsPlain, rsSse2, rsAvx2 };

// The fastest set that a processor and system that gave Report run: AVX2 where they run AVX2,
// else SSE2 where the processor has SSE2, else plain. Every AVX2 processor has SSE2.
TRoutineSet FastestRoutineSet(const TCpuIdReport& Report);

// The same for this processor and system (read once).
TRoutineSet FastestRoutineSet();

inline bool HasMMX() {
    return HasInstructionSet(ciMMX);
}
inline bool HasEMMX() {
    return HasInstructionSet(ciEMMX);
}
inline bool HasSSE() {
    return HasInstructionSet(ciSSE);
}
inline bool HasSSE2() {
    return HasInstructionSet(ciSSE2);
}
inline bool Has3DNow() {
    return HasInstructionSet(ci3DNow);
}
inline bool Has3DNowExt() {
    return HasInstructionSet(ci3DNowExt);
}

} // namespace Bmp32

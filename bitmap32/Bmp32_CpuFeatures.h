// The processor feature test through the CPUID instruction. It belongs to the unit
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

// What the processor answers through CPUID.
struct TCpuIdReport {
    bool HasCpuId = false;
    Cardinal Leaf1Eax = 0;
    Cardinal Leaf1Edx = 0;
    Cardinal MaxExtendedLeaf = 0;
    Cardinal ExtendedLeaf1Edx = 0;
};

TCpuIdReport ReadCpuId();

// Whether a processor that gave Report has the set: none without CPUID or below family 5.
bool HasInstructionSet(const TCpuIdReport& Report, TCPUInstructionSet InstructionSet);

// The same for this processor (read once).
bool HasInstructionSet(TCPUInstructionSet InstructionSet);

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

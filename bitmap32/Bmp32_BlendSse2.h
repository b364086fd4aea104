// The SSE2 variants of the blend routines, each bit-identical to its plain variant.
#pragma once

#include "bitmap32/Bmp32_Blend.h"

#include <cstdint>

namespace Bmp32 {

// Puts the SSE2 variant of each routine that has one into Routines.
void FillSse2BlendRoutines(TBlendRoutines& Routines);

// Whether two runs of Count pixels overlap without being the same run. The fast line routines
// hand such runs to the plain ones, which take the pixels one after the other, so that earlier
// results feed later ones alike. Inline: every line routine asks it first.
inline bool OverlapsPartly(const TColor32* Src, const TColor32* Dst, int Count) {
    const auto src = reinterpret_cast<std::uintptr_t>(Src);
    const auto dst = reinterpret_cast<std::uintptr_t>(Dst);
    const std::uintptr_t bytes = std::uintptr_t(Count) * sizeof(TColor32);
    return src != dst && src < dst + bytes && dst < src + bytes;
}

} // namespace Bmp32

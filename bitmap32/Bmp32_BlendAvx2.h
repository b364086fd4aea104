// The AVX2 variants of the line routines, each bit-identical to its plain variant. The unit
// Bmp32_Blend builds its AVX2 routine set from them and installs it only where the processor
// and the system run AVX2; nothing else calls them directly.
#pragma once

#include "bitmap32/Bmp32_Basics.h"

namespace Bmp32 {

void BlendLineAvx2(const TColor32* Src, TColor32* Dst, int Count);
void BlendLineExAvx2(const TColor32* Src, TColor32* Dst, int Count, Byte M);
void MergeLineAvx2(const TColor32* Src, TColor32* Dst, int Count);
void MergeLineExAvx2(const TColor32* Src, TColor32* Dst, int Count, Byte M);

} // namespace Bmp32

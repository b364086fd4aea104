// The AVX2 variants of the line routines, each bit-identical to its plain variant.
#pragma once

#include "bitmap32/Bmp32_Blend.h"

namespace Bmp32 {

// Puts the AVX2 variants of the line routines into Routines. Only the AVX2 set calls it, over
// the SSE2 routines.
void FillAvx2BlendRoutines(TBlendRoutines& Routines);

} // namespace Bmp32

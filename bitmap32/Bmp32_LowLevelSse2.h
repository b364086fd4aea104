// The SSE2 variants of the low-level routines, each writing what its plain variant writes.
#pragma once

#include "bitmap32/Bmp32_LowLevel.h"

namespace Bmp32 {

// Puts the SSE2 variant of each routine that has one into Routines.
void FillSse2LowLevelRoutines(TLowLevelRoutines& Routines);

} // namespace Bmp32

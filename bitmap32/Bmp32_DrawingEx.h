// Line clipping with the outcode method, and the exact wide multiply-divide that clipping
// and the clipped lines of TBitmap32 compute their entry and exit points with.
#pragma once

#include "bitmap32/Bmp32_Basics.h"

#include <cstdint>

namespace Bmp32 {

// Clips the line (X1, Y1)-(X2, Y2) to the rectangle MinX..MaxX by MinY..MaxY (bounds
// inclusive), moving the end points onto its edges. True when some part of the line lies
// inside. Exact for every 32-bit end point; false for a rectangle with MinX > MaxX or
// MinY > MaxY.
bool ClipLine(int& X1, int& Y1, int& X2, int& Y2, int MinX, int MinY, int MaxX, int MaxY);

// Multiplicand x Multiplier / Divisor over the exact 128-bit product, truncated, with the
// remainder. Raises EDivByZero for a zero Divisor and EIntOverflow when the quotient does not
// fit in 64 bits.
std::uint64_t WideMulDiv(std::uint64_t Multiplicand, std::uint64_t Multiplier,
                         std::uint64_t Divisor, std::uint64_t& Remainder);

} // namespace Bmp32

// Bit operations on a page byte (one pin level per bit, bit 0 = pin A).
//
// Bit numbers are 0 to 7; any other number changes nothing and tests false.
#pragma once

#include "classlib/Types.h"

namespace Bits {

void SetBit(Byte& Value, int Bit);
void ClearBit(Byte& Value, int Bit);
bool TestBit(const Byte& Value, int Bit);
// Eight characters "0" or "1", bit 7 first: 0xA5 gives "10100101".
AnsiString ToBinaryString(const Byte& Value);
// The decimal text of the low 8 bits of Value.
AnsiString BitToStr(int Value);

} // namespace Bits

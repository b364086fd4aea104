#include "app/Bits.h"

#include "classlib/Strings.h"

namespace Bits {

namespace {

Byte Mask(int Bit) {
    return Bit >= 0 && Bit < 8 ? static_cast<Byte>(1u << Bit) : Byte{0};
}

} // namespace

void SetBit(Byte& Value, int Bit) {
    Value = static_cast<Byte>(Value | Mask(Bit));
}

void ClearBit(Byte& Value, int Bit) {
    Value = static_cast<Byte>(Value & ~Mask(Bit));
}

bool TestBit(const Byte& Value, int Bit) {
    return (Value & Mask(Bit)) != 0;
}

AnsiString ToBinaryString(const Byte& Value) {
    AnsiString text;
    for (int bit = 7; bit >= 0; --bit)
        text += BitToStr(TestBit(Value, bit) ? 1 : 0);
    return text;
}

AnsiString BitToStr(int Value) {
    return IntToStr(Value & 0xFF);
}

} // namespace Bits

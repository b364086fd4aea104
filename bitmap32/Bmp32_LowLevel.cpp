#include "bitmap32/Bmp32_LowLevel.h"

#include "bitmap32/Bmp32_LowLevelSse2.h"

#include <cstdint>
#include <cstring>

namespace Bmp32 {

namespace {

// The arithmetic is done in 64 bits, where neither the periods nor the differences overflow;
// only the result is checked, since bounds in the wrong order can carry it out of range.

Int64 CheckedPeriod(Int64 Period) {
    if (Period == 0) throw EDivByZero("Zero period in Wrap or Mirror");
    return Period;
}

int CheckedResult(Int64 Result) {
    if (Result < INT32_MIN || Result > INT32_MAX)
        throw EIntOverflow("Wrap or Mirror result out of range");
    return int(Result);
}

bool IsOdd(Int64 Value) {
    return Value % 2 != 0;
}

} // namespace

int Wrap(int Value, int Max) {
    const Int64 period = CheckedPeriod(Int64(Max) + 1);
    Int64 result = Value % period;
    if (result < 0) result += period;
    return CheckedResult(result);
}

int Wrap(int Value, int Min, int Max) {
    const Int64 period = CheckedPeriod(Int64(Max) - Min + 1);
    if (Value >= Min) return CheckedResult(Min + (Int64(Value) - Min) % period);
    return CheckedResult(Max + (Int64(Value) - Max) % period);
}

int Mirror(int Value, int Max) {
    const Int64 period = CheckedPeriod(Max);
    const Int64 magnitude = Value < 0 ? -Int64(Value) : Int64(Value);
    const Int64 remainder = magnitude % period;
    return CheckedResult(IsOdd(magnitude / period) ? Max - remainder : remainder);
}

int Mirror(int Value, int Min, int Max) {
    const Int64 period = CheckedPeriod(Int64(Max) - Min + 1);
    const Int64 base = Value >= Min ? Min : Max;
    const Int64 offset = Int64(Value) - base;
    const Int64 position = offset % period + base;
    return CheckedResult(IsOdd(offset / period) ? Int64(Min) + Max - position : position);
}

namespace {

void FillLongwordPlain(Cardinal* X, int Count, Cardinal Value) {
    for (int i = 0; i < Count; ++i)
        X[i] = Value;
}

constexpr TLowLevelRoutines PLAIN_LOW_LEVEL_ROUTINES = {FillLongwordPlain};

} // namespace

TLowLevelRoutines LowLevelRoutinesOf(TRoutineSet Set) {
    TLowLevelRoutines routines = PLAIN_LOW_LEVEL_ROUTINES;
    if (Set >= rsSse2) FillSse2LowLevelRoutines(routines);
    return routines;
}

constinit TLowLevelRoutines InstalledLowLevelRoutines = PLAIN_LOW_LEVEL_ROUTINES;

void SelectLowLevelRoutines() {
    InstalledLowLevelRoutines = LowLevelRoutinesOf(FastestRoutineSet());
}

void FillWord(Word* X, int Count, Cardinal Value) {
    for (int i = 0; i < Count; ++i)
        X[i] = Word(Value);
}

namespace {

template <typename Element> void MoveForward(const Element* Source, Element* Dest, int Count) {
    if (Count < 0) throw ERangeError("Negative count of words to move");
    if (Count == 0 || Source == Dest) return;
    const auto source = reinterpret_cast<std::uintptr_t>(Source);
    const auto dest = reinterpret_cast<std::uintptr_t>(Dest);
    if (dest > source && dest < source + std::uintptr_t(Count) * sizeof(Element))
        throw EInvalidOperation("Forward move onto its own source");
    // Dest at or below Source: a forward copy and a memmove write the same words.
    std::memmove(Dest, Source, std::size_t(Count) * sizeof(Element));
}

} // namespace

void MoveLongword(const Cardinal* Source, Cardinal* Dest, int Count) {
    MoveForward(Source, Dest, Count);
}

void MoveWord(const Word* Source, Word* Dest, int Count) {
    MoveForward(Source, Dest, Count);
}

} // namespace Bmp32

DEFINE_UNIT(Bmp32_LowLevel, uoBmp32LowLevel, Bmp32::SelectLowLevelRoutines, nullptr);

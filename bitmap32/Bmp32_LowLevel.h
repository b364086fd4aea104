// Memory and range routines: filling and moving runs of words, clamping, wrapping and
// mirroring coordinates, ordering and clipping spans, and arithmetic shifts.
#pragma once

#include "bitmap32/Bmp32_Basics.h"
#include "bitmap32/Bmp32_CpuFeatures.h"

#include <algorithm>
#include <utility>

namespace Bmp32 {

// ---- Ranges -------------------------------------------------------------------------------

constexpr int Clamp(int Value) {
    return Value < 0 ? 0 : Value > 255 ? 255 : Value;
}

// The test against Max comes first, so a negative Max gives Max.
constexpr int Clamp(int Value, int Max) {
    if (Value > Max) return Max;
    if (Value < 0) return 0;
    return Value;
}

constexpr int Clamp(int Value, int Min, int Max) {
    return std::min(std::max(Value, Min), Max);
}
constexpr int Constrain(int Value, int Lo, int Hi) {
    return Clamp(Value, Lo, Hi);
}

constexpr float Constrain(float Value, float Lo, float Hi) {
    if (Value < Lo) return Lo;
    if (Value <= Hi) return Value;
    return Hi;
}

// Clamps between the two bounds in whichever order they come.
constexpr int SwapConstrain(int Value, int Constrain1, int Constrain2) {
    if (Constrain1 > Constrain2) std::swap(Constrain1, Constrain2);
    return Clamp(Value, Constrain1, Constrain2);
}

// Value brought into 0..Max with the period Max + 1.
int Wrap(int Value, int Max);
// Value brought into Min..Max with the period Max - Min + 1.
int Wrap(int Value, int Min, int Max);
// Value reflected back and forth over 0..Max with the period Max.
int Mirror(int Value, int Max);
// Value reflected back and forth over Min..Max.
int Mirror(int Value, int Min, int Max);
// Wrap and Mirror raise EDivByZero for a zero period, and EIntOverflow when bounds given in
// the wrong order carry the result outside the 32-bit range.

using TWrapProc = int (*)(int Value, int Max);
using TWrapProcEx = int (*)(int Value, int Min, int Max);

// Indexed by TWrapMode: wmClamp, wmRepeat, wmMirror.
inline constexpr TWrapProc WRAP_PROCS[3] = {Clamp, Wrap, Mirror};
inline constexpr TWrapProcEx WRAP_PROCS_EX[3] = {Clamp, Wrap, Mirror};

inline void Swap(int& A, int& B) {
    std::swap(A, B);
}

// Afterwards A <= B.
inline void TestSwap(int& A, int& B) {
    if (A > B) std::swap(A, B);
}

// Orders A and B and clips them to 0..Size - 1; true when something is left.
inline bool TestClip(int& A, int& B, int Size) {
    TestSwap(A, B);
    if (A < 0) A = 0;
    if (B >= Size) B = Size - 1;
    return B >= A;
}

// Orders A and B and clips them to Start..Stop - 1; true when something is left.
inline bool TestClip(int& A, int& B, int Start, int Stop) {
    TestSwap(A, B);
    if (A < Start) A = Start;
    if (B >= Stop) B = Stop - 1;
    return B >= A;
}

// ---- Memory -------------------------------------------------------------------------------

using TFillLongword = void (*)(Cardinal* X, int Count, Cardinal Value);

// The routine table of this unit: one complete set of variants, all writing the same. The plain
// set fills it; the SSE2 set overwrites the routines it has in Bmp32_LowLevelSse2.cpp.
struct TLowLevelRoutines {
    // Stores Value into Count consecutive 32-bit words from X; nothing for Count <= 0.
    TFillLongword FillLongword;

    bool operator==(const TLowLevelRoutines&) const = default;
};

// The routines of the set given; the AVX2 set is the SSE2 set.
TLowLevelRoutines LowLevelRoutinesOf(TRoutineSet Set);

// The installed set: the plain set until start-up installs
// LowLevelRoutinesOf(FastestRoutineSet()) here.
extern TLowLevelRoutines InstalledLowLevelRoutines;
void SelectLowLevelRoutines();

inline TFillLongword& FillLongword = InstalledLowLevelRoutines.FillLongword;

// The low 16 bits of Value into Count consecutive 16-bit words; nothing for Count <= 0.
void FillWord(Word* X, int Count, Cardinal Value);

// Copy Count words from Source to Dest; nothing when both are the same address or Count is
// 0. Raises ERangeError for a negative Count and EInvalidOperation when Dest lies inside the
// run at Source, where a forward copy would overwrite words before reading them.
void MoveLongword(const Cardinal* Source, Cardinal* Dest, int Count);
void MoveWord(const Word* Source, Word* Dest, int Count);

// ---- Shifts and colours -------------------------------------------------------------------

// Arithmetic (sign-keeping) shifts right.
constexpr int SAR_4(int Value) {
    return Value >> 4;
}
constexpr int SAR_8(int Value) {
    return Value >> 8;
}
constexpr int SAR_9(int Value) {
    return Value >> 9;
}
constexpr int SAR_11(int Value) {
    return Value >> 11;
}
constexpr int SAR_12(int Value) {
    return Value >> 12;
}
constexpr int SAR_13(int Value) {
    return Value >> 13;
}
constexpr int SAR_14(int Value) {
    return Value >> 14;
}
constexpr int SAR_15(int Value) {
    return Value >> 15;
}
constexpr int SAR_16(int Value) {
    return Value >> 16;
}

// An opaque TColor32 from a colour reference $00BBGGRR, without resolving system colours.
constexpr TColor32 ColorSwap(Cardinal WinColor) {
    return 0xFF000000 | (WinColor & 0x0000FF00) | (WinColor & 0x00FF0000) >> 16 |
           (WinColor & 0x000000FF) << 16;
}

} // namespace Bmp32

DECLARE_UNIT(Bmp32_LowLevel)

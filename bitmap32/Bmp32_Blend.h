// Per-pixel colour combination: weighting two colours, blending a colour over another by its
// alpha (optionally scaled by a master alpha), merging two translucent colours into a
// translucent result, the same over runs of pixels, and a small colour algebra.
//
// Callers reach the routines only through the routine variables and the tables indexed by
// TCombineMode below, which read the installed routine table. There are three sets of routines
// with bit-identical results: the plain integer set, the SSE2 set, and the AVX2 set, which is
// the SSE2 set with its line routines in AVX2. Start-up installs the fastest set this processor
// and system run. Until then the plain set is installed, so a call made earlier gives the same
// results.
//
// Weights (W) and master alphas (M) are bytes: 0..255. F is the foreground colour, B the
// background colour or the destination pixel.
#pragma once

#include "bitmap32/Bmp32_Basics.h"
#include "bitmap32/Bmp32_CpuFeatures.h"

namespace Bmp32 {

using TCombineReg = TColor32 (*)(TColor32 X, TColor32 Y, Byte W);
using TCombineMem = void (*)(TColor32 F, TColor32& B, Byte W);
using TBlendReg = TColor32 (*)(TColor32 F, TColor32 B);
using TBlendMem = void (*)(TColor32 F, TColor32& B);
using TBlendRegEx = TColor32 (*)(TColor32 F, TColor32 B, Byte M);
using TBlendMemEx = void (*)(TColor32 F, TColor32& B, Byte M);
using TBlendLine = void (*)(const TColor32* Src, TColor32* Dst, int Count);
using TBlendLineEx = void (*)(const TColor32* Src, TColor32* Dst, int Count, Byte M);

// The routine table: one complete set of variants. The plain set fills it in Bmp32_Blend.cpp;
// the SSE2 and AVX2 sets overwrite the routines they have in Bmp32_BlendSse2.cpp and
// Bmp32_BlendAvx2.cpp.
struct TBlendRoutines {
    // X weighted W plus Y weighted 255 - W.
    TCombineReg CombineReg;
    TCombineMem CombineMem;
    // F over B by F's alpha.
    TBlendReg BlendReg;
    TBlendMem BlendMem;
    // F over B by F's alpha scaled by M.
    TBlendRegEx BlendRegEx;
    TBlendMemEx BlendMemEx;
    // BlendMem / BlendMemEx of Src[i] into Dst[i] for i = 0 .. Count - 1.
    TBlendLine BlendLine;
    TBlendLineEx BlendLineEx;
    // MergeReg of X with its alpha replaced by W, over Y.
    TCombineReg CombMergeReg;
    TCombineMem CombMergeMem;
    // F composited over B, producing a combined alpha.
    TBlendReg MergeReg;
    TBlendMem MergeMem;
    // MergeReg with F's alpha scaled by M.
    TBlendRegEx MergeRegEx;
    TBlendMemEx MergeMemEx;
    TBlendLine MergeLine;
    TBlendLineEx MergeLineEx;
    // Channel by channel.
    TBlendReg ColorAdd;
    TBlendReg ColorSub;
    TBlendReg ColorDiv;
    TBlendReg ColorModulate;
    TBlendReg ColorMax;
    TBlendReg ColorMin;
    TBlendReg ColorDifference;
    TBlendReg ColorAverage;
    TBlendReg ColorExclusion;

    bool operator==(const TBlendRoutines&) const = default;
};

extern const TBlendRoutines PLAIN_BLEND_ROUTINES;

// The routines of the set given: the plain ones, with the SSE2 ones over them from rsSse2 on and
// the AVX2 line routines over those for rsAvx2.
TBlendRoutines BlendRoutinesOf(TRoutineSet Set);

// The installed set. Start-up installs BlendRoutinesOf(FastestRoutineSet()) here; running its
// SelectBlendRoutines again changes nothing.
extern TBlendRoutines InstalledBlendRoutines;
void SelectBlendRoutines();

// The routine variables: the routines of the installed set under their own names.
inline TCombineReg& CombineReg = InstalledBlendRoutines.CombineReg;
inline TCombineMem& CombineMem = InstalledBlendRoutines.CombineMem;
inline TBlendReg& BlendReg = InstalledBlendRoutines.BlendReg;
inline TBlendMem& BlendMem = InstalledBlendRoutines.BlendMem;
inline TBlendRegEx& BlendRegEx = InstalledBlendRoutines.BlendRegEx;
inline TBlendMemEx& BlendMemEx = InstalledBlendRoutines.BlendMemEx;
inline TBlendLine& BlendLine = InstalledBlendRoutines.BlendLine;
inline TBlendLineEx& BlendLineEx = InstalledBlendRoutines.BlendLineEx;
inline TCombineReg& CombMergeReg = InstalledBlendRoutines.CombMergeReg;
inline TCombineMem& CombMergeMem = InstalledBlendRoutines.CombMergeMem;
inline TBlendReg& MergeReg = InstalledBlendRoutines.MergeReg;
inline TBlendMem& MergeMem = InstalledBlendRoutines.MergeMem;
inline TBlendRegEx& MergeRegEx = InstalledBlendRoutines.MergeRegEx;
inline TBlendMemEx& MergeMemEx = InstalledBlendRoutines.MergeMemEx;
inline TBlendLine& MergeLine = InstalledBlendRoutines.MergeLine;
inline TBlendLineEx& MergeLineEx = InstalledBlendRoutines.MergeLineEx;
inline TBlendReg& ColorAdd = InstalledBlendRoutines.ColorAdd;
inline TBlendReg& ColorSub = InstalledBlendRoutines.ColorSub;
inline TBlendReg& ColorDiv = InstalledBlendRoutines.ColorDiv;
inline TBlendReg& ColorModulate = InstalledBlendRoutines.ColorModulate;
inline TBlendReg& ColorMax = InstalledBlendRoutines.ColorMax;
inline TBlendReg& ColorMin = InstalledBlendRoutines.ColorMin;
inline TBlendReg& ColorDifference = InstalledBlendRoutines.ColorDifference;
inline TBlendReg& ColorAverage = InstalledBlendRoutines.ColorAverage;
inline TBlendReg& ColorExclusion = InstalledBlendRoutines.ColorExclusion;

// A table indexed by TCombineMode of two routines of the installed set: the cmBlend routine,
// then the cmMerge routine.
template <auto BlendEntry, auto MergeEntry> struct TCombineModeTable {
    auto operator[](TCombineMode Mode) const {
        return InstalledBlendRoutines.*(Mode == cmMerge ? MergeEntry : BlendEntry);
    }
};

inline constexpr TCombineModeTable<&TBlendRoutines::BlendReg, &TBlendRoutines::MergeReg> BLEND_REG;
inline constexpr TCombineModeTable<&TBlendRoutines::BlendMem, &TBlendRoutines::MergeMem> BLEND_MEM;
inline constexpr TCombineModeTable<&TBlendRoutines::CombineReg, &TBlendRoutines::CombMergeReg>
    COMBINE_REG;
inline constexpr TCombineModeTable<&TBlendRoutines::CombineMem, &TBlendRoutines::CombMergeMem>
    COMBINE_MEM;
inline constexpr TCombineModeTable<&TBlendRoutines::BlendRegEx, &TBlendRoutines::MergeRegEx>
    BLEND_REG_EX;
inline constexpr TCombineModeTable<&TBlendRoutines::BlendMemEx, &TBlendRoutines::MergeMemEx>
    BLEND_MEM_EX;
inline constexpr TCombineModeTable<&TBlendRoutines::BlendLine, &TBlendRoutines::MergeLine>
    BLEND_LINE;
inline constexpr TCombineModeTable<&TBlendRoutines::BlendLineEx, &TBlendRoutines::MergeLineEx>
    BLEND_LINE_EX;

// What BLEND_MEM_EX[Mode](F, B, M) makes of a destination B, the same with every routine set:
// boKeeps leaves every B as it is; boReplaces writes Result over every B, so a run of such pixels
// can be filled without reading it; boDepends needs B.
enum TBlendOutcome { boKeeps, boReplaces, boDepends };
TBlendOutcome BlendExOutcome(TCombineMode Mode, TColor32 F, Byte M, TColor32& Result);

// Neither SSE2 nor AVX2 leaves processor state to clear (the compiler ends every AVX2 routine
// with the instruction that does), so there is nothing to do after a batch of blending;
// callers still mark the end of each batch with it.
inline void EMMS() {}

// Each of red, green and blue of X becomes (c * W + 128) >> 8; the result's alpha byte is 0.
// Two channels go through one multiplication: every channel product stays below 65536.
constexpr TColor32 WeighRgb(TColor32 X, Cardinal W) {
    const TColor32 redBlue = (((X & 0x00FF00FF) * W + 0x00800080) & 0xFF00FF00) >> 8;
    const TColor32 green = (((X & 0x0000FF00) >> 8) * W + 0x00800080) & 0xFF00FF00;
    return redBlue | green;
}

// Each channel sum stays at or below 255, so whole words can be added.
constexpr TColor32 WeighPairRgb(TColor32 F, TColor32 B, Cardinal W) {
    return WeighRgb(F, W) + WeighRgb(B, 255 - W);
}

// What BlendRegEx gives with every routine set, for loops that blend pixels one or two at a
// time, where a call through the routine table per pixel would cost more than the arithmetic.
constexpr TColor32 BlendRegExInline(TColor32 F, TColor32 B, Byte M) {
    const Cardinal w = ((M + 1) * (F >> 24)) >> 8;
    if (w == 0) return B;
    return WeighPairRgb(F, B, w);
}

// Alpha kept; red, green and blue each moved by Amount and clamped to 0..255.
TColor32 Lighten(TColor32 Color, int Amount);

} // namespace Bmp32

DECLARE_UNIT(Bmp32_Blend)

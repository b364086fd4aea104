// Per-pixel colour combination: weighting two colours, blending a colour over another by its
// alpha (optionally scaled by a master alpha), merging two translucent colours into a
// translucent result, the same over runs of pixels, and a small colour algebra.
//
// Callers reach the routines only through the routine variables and the tables indexed by
// TCombineMode below. There are three sets of routines with bit-identical results: the plain
// integer set, the SSE2 set, and the AVX2 set, which is the SSE2 set with its line routines
// in AVX2. Start-up installs the AVX2 set where the processor and the system run AVX2, else
// the SSE2 set where the processor has SSE2. Until then the plain set is installed, so a call
// made earlier gives the same results.
//
// Weights (W) and master alphas (M) are bytes: 0..255. F is the foreground colour, B the
// background colour or the destination pixel.
#pragma once

#include "bitmap32/Bmp32_Basics.h"

namespace Bmp32 {

using TCombineReg = TColor32 (*)(TColor32 X, TColor32 Y, Byte W);
using TCombineMem = void (*)(TColor32 F, TColor32& B, Byte W);
using TBlendReg = TColor32 (*)(TColor32 F, TColor32 B);
using TBlendMem = void (*)(TColor32 F, TColor32& B);
using TBlendRegEx = TColor32 (*)(TColor32 F, TColor32 B, Byte M);
using TBlendMemEx = void (*)(TColor32 F, TColor32& B, Byte M);
using TBlendLine = void (*)(const TColor32* Src, TColor32* Dst, int Count);
using TBlendLineEx = void (*)(const TColor32* Src, TColor32* Dst, int Count, Byte M);

// One complete set of variants.
struct TBlendRoutines {
    TCombineReg CombineReg;
    TCombineMem CombineMem;
    TBlendReg BlendReg;
    TBlendMem BlendMem;
    TBlendRegEx BlendRegEx;
    TBlendMemEx BlendMemEx;
    TBlendLine BlendLine;
    TBlendLineEx BlendLineEx;
    TCombineReg CombMergeReg;
    TCombineMem CombMergeMem;
    TBlendReg MergeReg;
    TBlendMem MergeMem;
    TBlendRegEx MergeRegEx;
    TBlendMemEx MergeMemEx;
    TBlendLine MergeLine;
    TBlendLineEx MergeLineEx;
    TBlendReg ColorAdd;
    TBlendReg ColorSub;
    TBlendReg ColorDiv;
    TBlendReg ColorModulate;
    TBlendReg ColorMax;
    TBlendReg ColorMin;
    TBlendReg ColorDifference;
    TBlendReg ColorAverage;
    TBlendReg ColorExclusion;
};

extern const TBlendRoutines PLAIN_BLEND_ROUTINES;
extern const TBlendRoutines SSE2_BLEND_ROUTINES;
extern const TBlendRoutines AVX2_BLEND_ROUTINES;

// X weighted W plus Y weighted 255 - W.
extern TCombineReg CombineReg;
extern TCombineMem CombineMem;
// F over B by F's alpha.
extern TBlendReg BlendReg;
extern TBlendMem BlendMem;
// F over B by F's alpha scaled by M.
extern TBlendRegEx BlendRegEx;
extern TBlendMemEx BlendMemEx;
// BlendMem / BlendMemEx of Src[i] into Dst[i] for i = 0 .. Count - 1.
extern TBlendLine BlendLine;
extern TBlendLineEx BlendLineEx;
// MergeReg of X with its alpha replaced by W, over Y.
extern TCombineReg CombMergeReg;
extern TCombineMem CombMergeMem;
// F composited over B, producing a combined alpha.
extern TBlendReg MergeReg;
extern TBlendMem MergeMem;
// MergeReg with F's alpha scaled by M.
extern TBlendRegEx MergeRegEx;
extern TBlendMemEx MergeMemEx;
extern TBlendLine MergeLine;
extern TBlendLineEx MergeLineEx;

// Indexed by TCombineMode: the cmBlend routine, then the cmMerge routine.
extern TBlendReg BLEND_REG[2];
extern TBlendMem BLEND_MEM[2];
extern TCombineReg COMBINE_REG[2];
extern TCombineMem COMBINE_MEM[2];
extern TBlendRegEx BLEND_REG_EX[2];
extern TBlendMemEx BLEND_MEM_EX[2];
extern TBlendLine BLEND_LINE[2];
extern TBlendLineEx BLEND_LINE_EX[2];

// Channel by channel.
extern TBlendReg ColorAdd;
extern TBlendReg ColorSub;
extern TBlendReg ColorDiv;
extern TBlendReg ColorModulate;
extern TBlendReg ColorMax;
extern TBlendReg ColorMin;
extern TBlendReg ColorDifference;
extern TBlendReg ColorAverage;
extern TBlendReg ColorExclusion;

// Installs the AVX2, the SSE2 or the plain set, whichever is the first that this processor
// runs, and fills the tables. Run by the unit's start-up; running it again changes nothing.
void SelectBlendRoutines();

// Neither SSE2 nor AVX2 leaves processor state to clear (the compiler ends every AVX2 routine
// with the instruction that does), so there is nothing to do after a batch of blending;
// callers still mark the end of each batch with it.
inline void EMMS() {}

// Alpha kept; red, green and blue each moved by Amount and clamped to 0..255.
TColor32 Lighten(TColor32 Color, int Amount);

} // namespace Bmp32

DECLARE_UNIT(Bmp32_Blend)

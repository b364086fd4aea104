// The SSE2 variants of the blend routines, each bit-identical to its plain variant. The unit
// Bmp32_Blend builds its routine sets from them; nothing else calls them directly.
#pragma once

#include "bitmap32/Bmp32_Basics.h"

namespace Bmp32 {

// Whether two runs of Count pixels overlap without being the same run. The fast line routines
// hand such runs to the plain ones, which take the pixels one after the other, so that earlier
// results feed later ones alike.
bool OverlapsPartly(const TColor32* Src, const TColor32* Dst, int Count);

TColor32 CombineRegSse2(TColor32 X, TColor32 Y, Byte W);
void CombineMemSse2(TColor32 F, TColor32& B, Byte W);
TColor32 BlendRegSse2(TColor32 F, TColor32 B);
void BlendMemSse2(TColor32 F, TColor32& B);
TColor32 BlendRegExSse2(TColor32 F, TColor32 B, Byte M);
void BlendMemExSse2(TColor32 F, TColor32& B, Byte M);
void BlendLineSse2(const TColor32* Src, TColor32* Dst, int Count);
void BlendLineExSse2(const TColor32* Src, TColor32* Dst, int Count, Byte M);
TColor32 CombMergeRegSse2(TColor32 X, TColor32 Y, Byte W);
void CombMergeMemSse2(TColor32 F, TColor32& B, Byte W);
TColor32 MergeRegSse2(TColor32 F, TColor32 B);
void MergeMemSse2(TColor32 F, TColor32& B);
TColor32 MergeRegExSse2(TColor32 F, TColor32 B, Byte M);
void MergeMemExSse2(TColor32 F, TColor32& B, Byte M);
void MergeLineSse2(const TColor32* Src, TColor32* Dst, int Count);
void MergeLineExSse2(const TColor32* Src, TColor32* Dst, int Count, Byte M);
TColor32 ColorAddSse2(TColor32 C1, TColor32 C2);
TColor32 ColorSubSse2(TColor32 C1, TColor32 C2);
TColor32 ColorModulateSse2(TColor32 C1, TColor32 C2);
TColor32 ColorMaxSse2(TColor32 C1, TColor32 C2);
TColor32 ColorMinSse2(TColor32 C1, TColor32 C2);
TColor32 ColorDifferenceSse2(TColor32 C1, TColor32 C2);
TColor32 ColorAverageSse2(TColor32 C1, TColor32 C2);
TColor32 ColorExclusionSse2(TColor32 C1, TColor32 C2);

} // namespace Bmp32

// The blend routines as the benchmark runs them over a whole image, with any routine set: the
// line routines once per row, as the bitmap transfers call them, the single-pixel routines once
// per pixel through their routine pointer, as the drawing operations do.
#pragma once

#include "bench/PixelBuffers.h"
#include "bitmap32/Bmp32_Blend.h"

#include <array>
#include <vector>

namespace Bench {

using TImageBlend = void (*)(const Bmp32::TBlendRoutines& Routines, const TColor32* Src,
                             TColor32* Dst, const TBufferSize& Size);

struct TBlendCase {
    const char* Name;
    TImageBlend Run;
};

struct TFastSet {
    const char* Name;
    Bmp32::TBlendRoutines Routines;
};

// The fast routine sets that this processor runs, each to be compared with the plain set.
std::vector<TFastSet> FastRoutineSets();

void BlendLineImage(const Bmp32::TBlendRoutines& Routines, const TColor32* Src, TColor32* Dst,
                    const TBufferSize& Size);
void BlendMemImage(const Bmp32::TBlendRoutines& Routines, const TColor32* Src, TColor32* Dst,
                   const TBufferSize& Size);
void MergeLineImage(const Bmp32::TBlendRoutines& Routines, const TColor32* Src, TColor32* Dst,
                    const TBufferSize& Size);
void MergeMemImage(const Bmp32::TBlendRoutines& Routines, const TColor32* Src, TColor32* Dst,
                   const TBufferSize& Size);
// CombineMem of every pixel, weighted by the source pixel's alpha.
void CombineMemImage(const Bmp32::TBlendRoutines& Routines, const TColor32* Src, TColor32* Dst,
                     const TBufferSize& Size);

inline constexpr std::array<TBlendCase, 5> BLEND_CASES = {
    TBlendCase{"BlendLine", BlendLineImage}, TBlendCase{"BlendMem", BlendMemImage},
    TBlendCase{"MergeLine", MergeLineImage}, TBlendCase{"MergeMem", MergeMemImage},
    TBlendCase{"CombineMem", CombineMemImage}};

} // namespace Bench

#include "bench/BlendCases.h"

#include "bitmap32/Bmp32_CpuFeatures.h"

namespace Bench {

std::vector<TRoutineSet> FastRoutineSets() {
    std::vector<TRoutineSet> sets;
    if (Bmp32::HasSSE2()) sets.push_back({"SSE2", &Bmp32::SSE2_BLEND_ROUTINES});
    if (Bmp32::HasAVX2()) sets.push_back({"AVX2", &Bmp32::AVX2_BLEND_ROUTINES});
    return sets;
}

void BlendLineImage(const Bmp32::TBlendRoutines& Routines, const TColor32* Src, TColor32* Dst,
                    const TBufferSize& Size) {
    for (int y = 0; y < Size.Height; ++y)
        Routines.BlendLine(Src + y * Size.Width, Dst + y * Size.Width, Size.Width);
}

void BlendMemImage(const Bmp32::TBlendRoutines& Routines, const TColor32* Src, TColor32* Dst,
                   const TBufferSize& Size) {
    const Bmp32::TBlendMem blendMem = Routines.BlendMem;
    const int count = Size.Pixels();
    for (int i = 0; i < count; ++i)
        blendMem(Src[i], Dst[i]);
}

void MergeLineImage(const Bmp32::TBlendRoutines& Routines, const TColor32* Src, TColor32* Dst,
                    const TBufferSize& Size) {
    for (int y = 0; y < Size.Height; ++y)
        Routines.MergeLine(Src + y * Size.Width, Dst + y * Size.Width, Size.Width);
}

void MergeMemImage(const Bmp32::TBlendRoutines& Routines, const TColor32* Src, TColor32* Dst,
                   const TBufferSize& Size) {
    const Bmp32::TBlendMem mergeMem = Routines.MergeMem;
    const int count = Size.Pixels();
    for (int i = 0; i < count; ++i)
        mergeMem(Src[i], Dst[i]);
}

void CombineMemImage(const Bmp32::TBlendRoutines& Routines, const TColor32* Src, TColor32* Dst,
                     const TBufferSize& Size) {
    const Bmp32::TCombineMem combineMem = Routines.CombineMem;
    const int count = Size.Pixels();
    for (int i = 0; i < count; ++i)
        combineMem(Src[i], Dst[i], Byte(Src[i] >> 24));
}

} // namespace Bench

#include "bench/BlendCases.h"

#include "bitmap32/Bmp32_CpuFeatures.h"

namespace Bench {

std::vector<TFastSet> FastRoutineSets() {
    const char* names[] = {"plain", "SSE2", "AVX2"};
    std::vector<TFastSet> sets;
    for (int set = Bmp32::rsSse2; set <= Bmp32::FastestRoutineSet(); ++set)
        sets.push_back({names[set], Bmp32::BlendRoutinesOf(Bmp32::TRoutineSet(set))});
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

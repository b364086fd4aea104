// The plain variants, the routine sets and the installed set.
#include "bitmap32/Bmp32_Blend.h"

#include "bitmap32/Bmp32_BlendAvx2.h"
#include "bitmap32/Bmp32_BlendSse2.h"
#include "bitmap32/Bmp32_CpuFeatures.h"

#include <algorithm>
#include <cstdlib>

namespace Bmp32 {

namespace {

// Each channel becomes (c * W + 128) >> 8, two channels per multiplication: every channel
// product stays below 65536, so the pairs never interfere.
constexpr TColor32 Weigh(TColor32 X, Cardinal W) {
    const TColor32 redBlue = (((X & 0x00FF00FF) * W + 0x00800080) & 0xFF00FF00) >> 8;
    const TColor32 alphaGreen = (((X & 0xFF00FF00) >> 8) * W + 0x00800080) & 0xFF00FF00;
    return redBlue | alphaGreen;
}

// Each channel sum stays at or below 255, so whole words can be added.
constexpr TColor32 WeighPair(TColor32 F, TColor32 B, Cardinal W) {
    return Weigh(F, W) + Weigh(B, 255 - W);
}

constexpr Cardinal AlphaOf(TColor32 Color) {
    return Color >> 24;
}

constexpr TColor32 WithAlpha(TColor32 Color, Cardinal Alpha) {
    return (Color & 0x00FFFFFF) | Alpha << 24;
}

TColor32 CombineRegPlain(TColor32 X, TColor32 Y, Byte W) {
    if (W == 0) return Y;
    if (W == 255) return X;
    return WeighPair(X, Y, W);
}

void CombineMemPlain(TColor32 F, TColor32& B, Byte W) {
    if (W == 0) return;
    if (W == 255) {
        B = F;
        return;
    }
    B = WeighPairRgb(F, B, W);
}

TColor32 BlendRegPlain(TColor32 F, TColor32 B) {
    const Cardinal w = AlphaOf(F);
    if (w == 255) return F;
    if (w == 0) return B;
    return WeighPair(F, B, w);
}

void BlendMemPlain(TColor32 F, TColor32& B) {
    const Cardinal w = AlphaOf(F);
    if (w == 0) return;
    if (w == 255) {
        B = F;
        return;
    }
    B = WeighPair(F, B, w);
}

TColor32 BlendRegExPlain(TColor32 F, TColor32 B, Byte M) {
    return BlendRegExInline(F, B, M);
}

void BlendMemExPlain(TColor32 F, TColor32& B, Byte M) {
    B = BlendRegExPlain(F, B, M);
}

void BlendLinePlain(const TColor32* Src, TColor32* Dst, int Count) {
    for (int i = 0; i < Count; ++i)
        BlendMemPlain(Src[i], Dst[i]);
}

void BlendLineExPlain(const TColor32* Src, TColor32* Dst, int Count, Byte M) {
    for (int i = 0; i < Count; ++i)
        BlendMemExPlain(Src[i], Dst[i], M);
}

// The colour of F weighted by Fa over B, whose alpha is not 0.
TColor32 MergeWeighted(TColor32 F, int Fa, TColor32 B) {
    const int ba = int(AlphaOf(B));
    const int resultAlpha = (ba + Fa - Fa * ba / 255) & 0xFF;
    const int scale = 65536 / resultAlpha;
    TColor32 result = TColor32(resultAlpha) << 24;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int fc = int(F >> shift) & 0xFF;
        const int bc = ((int(B >> shift) & 0xFF) * ba) >> 8;
        const int x = ((fc - bc) * Fa) >> 8;
        result |= TColor32((((x + bc) * scale) >> 8) & 0xFF) << shift;
    }
    return result;
}

TColor32 MergeRegPlain(TColor32 F, TColor32 B) {
    const Cardinal fa = AlphaOf(F);
    if (fa == 255) return F;
    if (fa == 0) return B;
    if (AlphaOf(B) == 0) return F;
    return MergeWeighted(F, int(fa), B);
}

void MergeMemPlain(TColor32 F, TColor32& B) {
    B = MergeRegPlain(F, B);
}

TColor32 MergeRegExPlain(TColor32 F, TColor32 B, Byte M) {
    const Cardinal fa = AlphaOf(F);
    if (fa == 255 && M == 255) return F;
    if (fa == 0) return B;
    if (fa == 255 && M == 0) return B;
    const Cardinal fa2 = fa * M / 255;
    const TColor32 f2 = WithAlpha(F, fa2);
    if (fa2 == 255 || AlphaOf(B) == 0) return f2;
    return MergeWeighted(f2, int(fa2), B);
}

void MergeMemExPlain(TColor32 F, TColor32& B, Byte M) {
    B = MergeRegExPlain(F, B, M);
}

TColor32 CombMergeRegPlain(TColor32 X, TColor32 Y, Byte W) {
    return MergeRegPlain(WithAlpha(X, W), Y);
}

void CombMergeMemPlain(TColor32 F, TColor32& B, Byte W) {
    B = CombMergeRegPlain(F, B, W);
}

void MergeLinePlain(const TColor32* Src, TColor32* Dst, int Count) {
    for (int i = 0; i < Count; ++i)
        MergeMemPlain(Src[i], Dst[i]);
}

void MergeLineExPlain(const TColor32* Src, TColor32* Dst, int Count, Byte M) {
    for (int i = 0; i < Count; ++i)
        MergeMemExPlain(Src[i], Dst[i], M);
}

template <typename Operation>
constexpr TColor32 PerChannel(TColor32 C1, TColor32 C2, Operation operation) {
    TColor32 result = 0;
    for (int shift = 0; shift < 32; shift += 8)
        result |= TColor32(operation(int(C1 >> shift) & 0xFF, int(C2 >> shift) & 0xFF)) << shift;
    return result;
}

TColor32 ColorAddPlain(TColor32 C1, TColor32 C2) {
    return PerChannel(C1, C2, [](int a, int b) { return std::min(a + b, 255); });
}

TColor32 ColorSubPlain(TColor32 C1, TColor32 C2) {
    return PerChannel(C1, C2, [](int a, int b) { return std::max(a - b, 0); });
}

TColor32 ColorDivPlain(TColor32 C1, TColor32 C2) {
    return PerChannel(C1, C2,
                      [](int a, int b) { return a == 0 ? 255 : std::min(b * 256 / a, 255); });
}

TColor32 ColorModulatePlain(TColor32 C1, TColor32 C2) {
    return PerChannel(C1, C2, [](int a, int b) { return (a * b) >> 8; });
}

TColor32 ColorMaxPlain(TColor32 C1, TColor32 C2) {
    return PerChannel(C1, C2, [](int a, int b) { return std::max(a, b); });
}

TColor32 ColorMinPlain(TColor32 C1, TColor32 C2) {
    return PerChannel(C1, C2, [](int a, int b) { return std::min(a, b); });
}

TColor32 ColorDifferencePlain(TColor32 C1, TColor32 C2) {
    return PerChannel(C1, C2, [](int a, int b) { return std::abs(a - b); });
}

TColor32 ColorAveragePlain(TColor32 C1, TColor32 C2) {
    return PerChannel(C1, C2, [](int a, int b) { return (a + b) >> 1; });
}

// Stays within 0..255 for every pair of bytes, so nothing is clamped.
TColor32 ColorExclusionPlain(TColor32 C1, TColor32 C2) {
    return PerChannel(C1, C2, [](int a, int b) { return a + b - ((a * b) >> 7); });
}

} // namespace

constexpr TBlendRoutines PLAIN_BLEND_ROUTINES = {
    CombineRegPlain,    CombineMemPlain,   BlendRegPlain,        BlendMemPlain,
    BlendRegExPlain,    BlendMemExPlain,   BlendLinePlain,       BlendLineExPlain,
    CombMergeRegPlain,  CombMergeMemPlain, MergeRegPlain,        MergeMemPlain,
    MergeRegExPlain,    MergeMemExPlain,   MergeLinePlain,       MergeLineExPlain,
    ColorAddPlain,      ColorSubPlain,     ColorDivPlain,        ColorModulatePlain,
    ColorMaxPlain,      ColorMinPlain,     ColorDifferencePlain, ColorAveragePlain,
    ColorExclusionPlain};

TBlendOutcome BlendExOutcome(TCombineMode Mode, TColor32 F, Byte M, TColor32& Result) {
    const Cardinal alpha = AlphaOf(F);
    if (Mode == cmMerge) {
        if (alpha == 0 || (alpha == 255 && M == 0)) return boKeeps;
        if (alpha != 255 || M != 255) return boDepends;
        Result = F;
        return boReplaces;
    }
    // The background's weight 255 - w leaves nothing of it at w = 255.
    const Cardinal w = ((M + 1) * alpha) >> 8;
    if (w == 0) return boKeeps;
    if (w != 255) return boDepends;
    Result = BlendRegExPlain(F, 0, M);
    return boReplaces;
}

TBlendRoutines BlendRoutinesOf(TRoutineSet Set) {
    TBlendRoutines routines = PLAIN_BLEND_ROUTINES;
    if (Set >= rsSse2) FillSse2BlendRoutines(routines);
    // The AVX2 set is the SSE2 set with its line routines in AVX2: a single pixel gains nothing
    // from the wider registers.
    if (Set >= rsAvx2) FillAvx2BlendRoutines(routines);
    return routines;
}

constinit TBlendRoutines InstalledBlendRoutines = PLAIN_BLEND_ROUTINES;

void SelectBlendRoutines() {
    InstalledBlendRoutines = BlendRoutinesOf(FastestRoutineSet());
}

TColor32 Lighten(TColor32 Color, int Amount) {
    const int amount = std::clamp(Amount, -255, 255);
    TColor32 result = Color & 0xFF000000;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int channel = std::clamp((int(Color >> shift) & 0xFF) + amount, 0, 255);
        result |= TColor32(channel) << shift;
    }
    return result;
}

} // namespace Bmp32

DEFINE_UNIT(Bmp32_Blend, uoBmp32Blend, Bmp32::SelectBlendRoutines, nullptr);

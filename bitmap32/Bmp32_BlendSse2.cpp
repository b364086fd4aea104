// The SSE2 variants of the blend routines. Each reproduces its plain variant bit for bit:
// the same formulas on 16-bit lanes, with the plain variant's shortcuts applied as per-pixel
// selections. Lines take four pixels at a time; single pixels use lane 0 of the same code.
#if defined(__i386__) && !defined(__SSE2__)
#pragma GCC target("sse2")
#endif

#include "bitmap32/Bmp32_Blend.h"

#include <cstdint>
#include <emmintrin.h>

namespace Bmp32 {

namespace {

__m128i Load1(TColor32 Color) {
    return _mm_cvtsi32_si128(int(Color));
}
TColor32 Store1(__m128i Pixels) {
    return TColor32(_mm_cvtsi128_si32(Pixels));
}

__m128i Select(__m128i Mask, __m128i IfSet, __m128i IfClear) {
    return _mm_or_si128(_mm_and_si128(Mask, IfSet), _mm_andnot_si128(Mask, IfClear));
}

__m128i Equals(__m128i Lanes, int Value) {
    return _mm_cmpeq_epi32(Lanes, _mm_set1_epi32(Value));
}

// The alpha of each pixel, one per 32-bit lane.
__m128i AlphaOf(__m128i Pixels) {
    return _mm_srli_epi32(Pixels, 24);
}

__m128i WithAlpha(__m128i Pixels, __m128i Alpha) {
    return _mm_or_si128(_mm_and_si128(Pixels, _mm_set1_epi32(0x00FFFFFF)),
                        _mm_slli_epi32(Alpha, 24));
}

// Floor(X / 255) for 0 <= X <= 65025 in each 32-bit lane.
__m128i Div255(__m128i X) {
    return _mm_srli_epi32(_mm_add_epi32(_mm_add_epi32(X, _mm_set1_epi32(1)), _mm_srli_epi32(X, 8)),
                          8);
}

// The product in each 32-bit lane, for values whose product stays below 65536.
__m128i MulSmall(__m128i A, __m128i B) {
    return _mm_mullo_epi16(A, B);
}

// The channels of four pixels widened to 16-bit lanes: Low holds pixels 0 and 1, High
// pixels 2 and 3.
struct TChannelLanes {
    __m128i Low;
    __m128i High;
};

// One value per 32-bit lane (its low 16 bits) copied into the four channel lanes of its pixel.
TChannelLanes SpreadOverChannels(__m128i PerPixel) {
    __m128i pairs = _mm_shufflelo_epi16(PerPixel, _MM_SHUFFLE(2, 2, 0, 0));
    pairs = _mm_shufflehi_epi16(pairs, _MM_SHUFFLE(2, 2, 0, 0));
    return {_mm_unpacklo_epi32(pairs, pairs), _mm_unpackhi_epi32(pairs, pairs)};
}

TChannelLanes Unpack(__m128i Pixels) {
    const __m128i zero = _mm_setzero_si128();
    return {_mm_unpacklo_epi8(Pixels, zero), _mm_unpackhi_epi8(Pixels, zero)};
}

// (C * W + 128) >> 8 in each 16-bit lane.
__m128i Weigh(__m128i Channels, __m128i Weights) {
    return _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(Channels, Weights), _mm_set1_epi16(128)),
                          8);
}

// F weighted W plus B weighted 255 - W on all four channels; W per 32-bit lane.
__m128i WeighPair(__m128i F, __m128i B, __m128i W) {
    const TChannelLanes f = Unpack(F), b = Unpack(B);
    const TChannelLanes w = SpreadOverChannels(W);
    const TChannelLanes inverse = SpreadOverChannels(_mm_sub_epi32(_mm_set1_epi32(255), W));
    const __m128i low = _mm_add_epi16(Weigh(f.Low, w.Low), Weigh(b.Low, inverse.Low));
    const __m128i high = _mm_add_epi16(Weigh(f.High, w.High), Weigh(b.High, inverse.High));
    return _mm_packus_epi16(low, high);
}

__m128i WeighPairRgb(__m128i F, __m128i B, __m128i W) {
    return _mm_and_si128(WeighPair(F, B, W), _mm_set1_epi32(0x00FFFFFF));
}

__m128i BlendPixels(__m128i F, __m128i B) {
    const __m128i alpha = AlphaOf(F);
    const __m128i mixed = WeighPair(F, B, alpha);
    return Select(Equals(alpha, 0), B, Select(Equals(alpha, 255), F, mixed));
}

__m128i BlendPixelsEx(__m128i F, __m128i B, Byte M) {
    const __m128i weight = _mm_srli_epi32(MulSmall(AlphaOf(F), _mm_set1_epi32(M + 1)), 8);
    return Select(Equals(weight, 0), B, WeighPairRgb(F, B, weight));
}

// The colour of F weighted by Fa (per 32-bit lane) over B, for pixels where B's alpha is
// not 0; other pixels give values that the callers replace.
__m128i MergeWeighted(__m128i F, __m128i Fa, __m128i B) {
    const __m128i ba = AlphaOf(B);
    const __m128i resultAlpha = _mm_sub_epi32(_mm_add_epi32(ba, Fa), Div255(MulSmall(Fa, ba)));
    // 65536 div ResultAlpha. The float quotient is correctly rounded, and for a divisor of
    // 1..255 it lies at least 1/255 from the next integer while its rounding error stays
    // within 1/1024, so truncating it gives the integer quotient. The lanes hold 0..255, so
    // a 16-bit maximum keeps the divisor at least 1.
    const __m128 divisor = _mm_cvtepi32_ps(_mm_max_epi16(resultAlpha, _mm_set1_epi32(1)));
    const __m128i scale = _mm_cvttps_epi32(_mm_div_ps(_mm_set1_ps(65536.0f), divisor));

    const TChannelLanes f = Unpack(F), b = Unpack(B);
    const TChannelLanes fa = SpreadOverChannels(Fa), baLanes = SpreadOverChannels(ba);
    // Only the low 16 bits of the scale matter: the result keeps bits 8..15 of the product.
    const TChannelLanes scaleLanes = SpreadOverChannels(scale);
    const auto channels = [](__m128i Fc, __m128i Bc, __m128i FaLanes, __m128i BaLanes,
                             __m128i ScaleLanes) {
        const __m128i bp = _mm_srli_epi16(_mm_mullo_epi16(Bc, BaLanes), 8);
        const __m128i difference = _mm_sub_epi16(Fc, bp);
        // (difference * Fa) >> 8 with the sign kept: bits 8..23 of the 32-bit product.
        const __m128i productLow = _mm_mullo_epi16(difference, FaLanes);
        const __m128i productHigh = _mm_mulhi_epi16(difference, FaLanes);
        const __m128i x =
            _mm_or_si128(_mm_srli_epi16(productLow, 8), _mm_slli_epi16(productHigh, 8));
        return _mm_srli_epi16(_mm_mullo_epi16(_mm_add_epi16(x, bp), ScaleLanes), 8);
    };
    const __m128i low = channels(f.Low, b.Low, fa.Low, baLanes.Low, scaleLanes.Low);
    const __m128i high = channels(f.High, b.High, fa.High, baLanes.High, scaleLanes.High);
    return WithAlpha(_mm_packus_epi16(low, high), resultAlpha);
}

__m128i MergePixels(__m128i F, __m128i B) {
    const __m128i fa = AlphaOf(F);
    __m128i result = MergeWeighted(F, fa, B);
    result = Select(Equals(AlphaOf(B), 0), F, result);
    result = Select(Equals(fa, 0), B, result);
    return Select(Equals(fa, 255), F, result);
}

__m128i MergePixelsEx(__m128i F, __m128i B, Byte M) {
    const __m128i fa = AlphaOf(F);
    const __m128i fa2 = Div255(MulSmall(fa, _mm_set1_epi32(M)));
    const __m128i f2 = WithAlpha(F, fa2);
    __m128i result = MergeWeighted(f2, fa2, B);
    result = Select(_mm_or_si128(Equals(fa2, 255), Equals(AlphaOf(B), 0)), f2, result);
    result = Select(Equals(fa, 0), B, result);
    if (M == 0) result = Select(Equals(fa, 255), B, result);
    return result;
}

// Whether the runs overlap without being the same run; then the pixels are taken one after
// the other, as the plain variants do, so that earlier results feed later ones alike.
bool OverlapsPartly(const TColor32* Src, const TColor32* Dst, int Count) {
    const auto src = reinterpret_cast<std::uintptr_t>(Src);
    const auto dst = reinterpret_cast<std::uintptr_t>(Dst);
    const std::uintptr_t bytes = std::uintptr_t(Count) * sizeof(TColor32);
    return src != dst && src < dst + bytes && dst < src + bytes;
}

// Dst[i] := Pixels(Src[i], Dst[i]). Blocks whose alphas are all 0 keep Dst and blocks whose
// alphas are all 255 take Src, as both BlendMem and MergeMem do.
template <bool AlphaShortcuts, typename PixelOperation>
void ProcessLine(const TColor32* Src, TColor32* Dst, int Count, PixelOperation Pixels) {
    if (Count <= 0) return;
    int i = 0;
    if (!OverlapsPartly(Src, Dst, Count)) {
        for (; i + 4 <= Count; i += 4) {
            const __m128i f = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Src + i));
            auto* dst = reinterpret_cast<__m128i*>(Dst + i);
            if constexpr (AlphaShortcuts) {
                const __m128i alpha = AlphaOf(f);
                if (_mm_movemask_epi8(Equals(alpha, 0)) == 0xFFFF) continue;
                if (_mm_movemask_epi8(Equals(alpha, 255)) == 0xFFFF) {
                    _mm_storeu_si128(dst, f);
                    continue;
                }
            }
            _mm_storeu_si128(dst, Pixels(f, _mm_loadu_si128(dst)));
        }
    }
    for (; i < Count; ++i)
        Dst[i] = Store1(Pixels(Load1(Src[i]), Load1(Dst[i])));
}

TColor32 CombineRegSse2(TColor32 X, TColor32 Y, Byte W) {
    if (W == 0) return Y;
    if (W == 255) return X;
    return Store1(WeighPair(Load1(X), Load1(Y), _mm_set1_epi32(W)));
}

void CombineMemSse2(TColor32 F, TColor32& B, Byte W) {
    if (W == 0) return;
    if (W == 255) {
        B = F;
        return;
    }
    B = Store1(WeighPairRgb(Load1(F), Load1(B), _mm_set1_epi32(W)));
}

TColor32 BlendRegSse2(TColor32 F, TColor32 B) {
    return Store1(BlendPixels(Load1(F), Load1(B)));
}

void BlendMemSse2(TColor32 F, TColor32& B) {
    B = BlendRegSse2(F, B);
}

TColor32 BlendRegExSse2(TColor32 F, TColor32 B, Byte M) {
    return Store1(BlendPixelsEx(Load1(F), Load1(B), M));
}

void BlendMemExSse2(TColor32 F, TColor32& B, Byte M) {
    B = BlendRegExSse2(F, B, M);
}

void BlendLineSse2(const TColor32* Src, TColor32* Dst, int Count) {
    ProcessLine<true>(Src, Dst, Count, [](__m128i F, __m128i B) { return BlendPixels(F, B); });
}

void BlendLineExSse2(const TColor32* Src, TColor32* Dst, int Count, Byte M) {
    ProcessLine<false>(Src, Dst, Count,
                       [M](__m128i F, __m128i B) { return BlendPixelsEx(F, B, M); });
}

TColor32 MergeRegSse2(TColor32 F, TColor32 B) {
    return Store1(MergePixels(Load1(F), Load1(B)));
}

void MergeMemSse2(TColor32 F, TColor32& B) {
    B = MergeRegSse2(F, B);
}

TColor32 MergeRegExSse2(TColor32 F, TColor32 B, Byte M) {
    return Store1(MergePixelsEx(Load1(F), Load1(B), M));
}

void MergeMemExSse2(TColor32 F, TColor32& B, Byte M) {
    B = MergeRegExSse2(F, B, M);
}

TColor32 CombMergeRegSse2(TColor32 X, TColor32 Y, Byte W) {
    return Store1(MergePixels(WithAlpha(Load1(X), _mm_set1_epi32(W)), Load1(Y)));
}

void CombMergeMemSse2(TColor32 F, TColor32& B, Byte W) {
    B = CombMergeRegSse2(F, B, W);
}

void MergeLineSse2(const TColor32* Src, TColor32* Dst, int Count) {
    ProcessLine<true>(Src, Dst, Count, [](__m128i F, __m128i B) { return MergePixels(F, B); });
}

void MergeLineExSse2(const TColor32* Src, TColor32* Dst, int Count, Byte M) {
    ProcessLine<false>(Src, Dst, Count,
                       [M](__m128i F, __m128i B) { return MergePixelsEx(F, B, M); });
}

template <typename ByteOperation> TColor32 OnBytes(TColor32 C1, TColor32 C2, ByteOperation Op) {
    return Store1(Op(Load1(C1), Load1(C2)));
}

TColor32 ColorAddSse2(TColor32 C1, TColor32 C2) {
    return OnBytes(C1, C2, [](__m128i A, __m128i B) { return _mm_adds_epu8(A, B); });
}

TColor32 ColorSubSse2(TColor32 C1, TColor32 C2) {
    return OnBytes(C1, C2, [](__m128i A, __m128i B) { return _mm_subs_epu8(A, B); });
}

// Division has no SSE2 form; the plain routine serves both sets.
TColor32 ColorDivSse2(TColor32 C1, TColor32 C2) {
    return PLAIN_BLEND_ROUTINES.ColorDiv(C1, C2);
}

TColor32 ColorModulateSse2(TColor32 C1, TColor32 C2) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i a = _mm_unpacklo_epi8(Load1(C1), zero), b = _mm_unpacklo_epi8(Load1(C2), zero);
    return Store1(_mm_packus_epi16(_mm_srli_epi16(_mm_mullo_epi16(a, b), 8), zero));
}

TColor32 ColorMaxSse2(TColor32 C1, TColor32 C2) {
    return OnBytes(C1, C2, [](__m128i A, __m128i B) { return _mm_max_epu8(A, B); });
}

TColor32 ColorMinSse2(TColor32 C1, TColor32 C2) {
    return OnBytes(C1, C2, [](__m128i A, __m128i B) { return _mm_min_epu8(A, B); });
}

TColor32 ColorDifferenceSse2(TColor32 C1, TColor32 C2) {
    const __m128i a = Load1(C1), b = Load1(C2);
    return Store1(_mm_or_si128(_mm_subs_epu8(a, b), _mm_subs_epu8(b, a)));
}

// The byte average rounds up; the plain variant truncates, which differs exactly when the
// sum is odd.
TColor32 ColorAverageSse2(TColor32 C1, TColor32 C2) {
    const __m128i a = Load1(C1), b = Load1(C2);
    const __m128i oddSum = _mm_and_si128(_mm_xor_si128(a, b), _mm_set1_epi8(1));
    return Store1(_mm_sub_epi8(_mm_avg_epu8(a, b), oddSum));
}

TColor32 ColorExclusionSse2(TColor32 C1, TColor32 C2) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i a = _mm_unpacklo_epi8(Load1(C1), zero), b = _mm_unpacklo_epi8(Load1(C2), zero);
    const __m128i sum =
        _mm_sub_epi16(_mm_add_epi16(a, b), _mm_srli_epi16(_mm_mullo_epi16(a, b), 7));
    return Store1(_mm_packus_epi16(sum, zero));
}

} // namespace

constinit const TBlendRoutines SSE2_BLEND_ROUTINES = {
    CombineRegSse2,  CombineMemSse2, BlendRegSse2,        BlendMemSse2,     BlendRegExSse2,
    BlendMemExSse2,  BlendLineSse2,  BlendLineExSse2,     CombMergeRegSse2, CombMergeMemSse2,
    MergeRegSse2,    MergeMemSse2,   MergeRegExSse2,      MergeMemExSse2,   MergeLineSse2,
    MergeLineExSse2, ColorAddSse2,   ColorSubSse2,        ColorDivSse2,     ColorModulateSse2,
    ColorMaxSse2,    ColorMinSse2,   ColorDifferenceSse2, ColorAverageSse2, ColorExclusionSse2};

} // namespace Bmp32

// The SSE2 variants. Each reproduces its plain variant bit for bit: the same formulas on
// 16-bit lanes, with the plain variant's shortcuts applied as per-pixel selections. A register
// of pixels is taken as two registers of 16-bit lanes, one with the low byte of each word
// (blue, red) and one with the high byte (green, alpha), so no unpacking is needed. Lines take
// four pixels at a time; single pixels take the plain variant's shortcuts first.
#if defined(__i386__) && !defined(__SSE2__)
#pragma GCC target("sse2")
#endif

#include "bitmap32/Bmp32_BlendSse2.h"

#include "bitmap32/Bmp32_Blend.h"

#include <cstdint>
#include <cstring>
#include <emmintrin.h>

namespace Bmp32 {

namespace {

constexpr int PIXELS_PER_BLOCK = 4;

__m128i Load1(TColor32 Color) {
    return _mm_cvtsi32_si128(int(Color));
}
TColor32 Store1(__m128i Pixels) {
    return TColor32(_mm_cvtsi128_si32(Pixels));
}

__m128i Words(int Value) {
    return _mm_set1_epi16(short(Value));
}

__m128i Select(__m128i Mask, __m128i IfSet, __m128i IfClear) {
    return _mm_or_si128(_mm_and_si128(Mask, IfSet), _mm_andnot_si128(Mask, IfClear));
}

__m128i Equals(__m128i Lanes, int Value) {
    return _mm_cmpeq_epi16(Lanes, Words(Value));
}

// Blue and red of each pixel, each in the low byte of a 16-bit lane.
__m128i LowBytes(__m128i Pixels) {
    return _mm_and_si128(Pixels, Words(0x00FF));
}

// Green and alpha of each pixel, each in the low byte of a 16-bit lane.
__m128i HighBytes(__m128i Pixels) {
    return _mm_srli_epi16(Pixels, 8);
}

// The alpha of each pixel in both of its 16-bit lanes.
__m128i AlphaLanes(__m128i Pixels) {
    const __m128i greenAlpha = HighBytes(Pixels);
    return _mm_shufflehi_epi16(_mm_shufflelo_epi16(greenAlpha, _MM_SHUFFLE(3, 3, 1, 1)),
                               _MM_SHUFFLE(3, 3, 1, 1));
}

// All bits of a pixel set where its alpha is Value.
__m128i AlphaEquals(__m128i Pixels, int Value) {
    return _mm_cmpeq_epi32(_mm_srli_epi32(Pixels, 24), _mm_set1_epi32(Value));
}

__m128i WithAlpha(__m128i Pixels, __m128i AlphaLanes) {
    return _mm_or_si128(_mm_and_si128(Pixels, _mm_set1_epi32(0x00FFFFFF)),
                        _mm_slli_epi32(AlphaLanes, 24));
}

__m128i WithoutAlpha(__m128i Pixels) {
    return _mm_and_si128(Pixels, _mm_set1_epi32(0x00FFFFFF));
}

// Floor(X / 255) in each 16-bit lane: (X * 0x8081) >> 23 is exact for every 16-bit X.
__m128i Div255(__m128i X) {
    return _mm_srli_epi16(_mm_mulhi_epu16(X, Words(0x8081)), 7);
}

// (C * W + 128) >> 8 in each 16-bit lane.
__m128i Weigh(__m128i Channels, __m128i Weights) {
    return _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(Channels, Weights), Words(128)), 8);
}

// F weighted W plus B weighted 255 - W on all four channels, W in both lanes of each pixel.
__m128i WeighPair(__m128i F, __m128i B, __m128i W) {
    const __m128i inverse = _mm_xor_si128(W, Words(0x00FF));
    const __m128i low = _mm_add_epi16(Weigh(LowBytes(F), W), Weigh(LowBytes(B), inverse));
    const __m128i high = _mm_add_epi16(Weigh(HighBytes(F), W), Weigh(HighBytes(B), inverse));
    return _mm_or_si128(low, _mm_slli_epi16(high, 8));
}

// The weight of the master-alpha forms, ((M + 1) * F's alpha) >> 8, in both lanes.
__m128i MasterWeight(__m128i F, Byte M) {
    return _mm_srli_epi16(_mm_mullo_epi16(AlphaLanes(F), Words(M + 1)), 8);
}

// 65536 div Divisor for Divisor in 0..255 in both lanes of each pixel, the low 16 bits of the
// quotient in both lanes. A divisor of 0, which only pixels that the callers replace can have,
// counts as 1, so that no lane divides by zero. The float quotient is correctly rounded, and for a
// divisor of 1..255 it lies at least 1/255 from the next integer while its rounding error stays
// within 1/1024, so truncating it gives the integer quotient.
__m128i ReciprocalLanes(__m128i Divisor) {
    const __m128i perPixel = _mm_srli_epi32(Divisor, 16);
    const __m128 divisor = _mm_cvtepi32_ps(_mm_max_epi16(perPixel, _mm_set1_epi32(1)));
    const __m128i quotient = _mm_cvttps_epi32(_mm_div_ps(_mm_set1_ps(65536.0f), divisor));
    return _mm_shufflehi_epi16(_mm_shufflelo_epi16(quotient, _MM_SHUFFLE(2, 2, 0, 0)),
                               _MM_SHUFFLE(2, 2, 0, 0));
}

// ((X + Bp) * Scale) mod 65536 of the plain merge for one register of channels, where
// Bp = (Bc * Ba) >> 8 and X = (Fc - Bp) * Fa shifted right by 8 with the sign kept; the
// channel's result is bits 8..15. BaHigh is Ba << 8, Fa7 is Fa << 7, both in 16-bit lanes.
__m128i MergeChannels(__m128i Fc, __m128i Bc, __m128i BaHigh, __m128i Fa7, __m128i Scale) {
    const __m128i bp = _mm_mulhi_epu16(Bc, BaHigh);
    // Fc - Bp lies in -254..255, so twice it times Fa << 7 fits, and the high word of that
    // product is the floor of (Fc - Bp) * Fa / 256.
    const __m128i difference = _mm_sub_epi16(Fc, bp);
    const __m128i x = _mm_mulhi_epi16(_mm_add_epi16(difference, difference), Fa7);
    return _mm_mullo_epi16(_mm_add_epi16(x, bp), Scale);
}

// The colour of F weighted by Fa (in both lanes of each pixel) over B, with the combined
// alpha, for pixels where B's alpha is not 0; other pixels give values the callers replace.
[[gnu::always_inline]] inline __m128i MergeWeighted(__m128i F, __m128i Fa, __m128i B) {
    const __m128i ba = AlphaLanes(B);
    const __m128i resultAlpha =
        _mm_sub_epi16(_mm_add_epi16(ba, Fa), Div255(_mm_mullo_epi16(Fa, ba)));
    const __m128i scale = ReciprocalLanes(resultAlpha);
    const __m128i baHigh = _mm_slli_epi16(ba, 8), fa7 = _mm_slli_epi16(Fa, 7);
    const __m128i low = MergeChannels(LowBytes(F), LowBytes(B), baHigh, fa7, scale);
    const __m128i high = MergeChannels(HighBytes(F), HighBytes(B), baHigh, fa7, scale);
    const __m128i channels =
        _mm_or_si128(_mm_srli_epi16(low, 8), _mm_and_si128(high, Words(0xFF00)));
    return WithAlpha(channels, resultAlpha);
}

__m128i LoadBlock(const TColor32* Pixels) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(Pixels));
}

void StoreBlock(TColor32* Pixels, __m128i Block) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(Pixels), Block);
}

bool AllSet(__m128i Mask) {
    return _mm_movemask_epi8(Mask) == 0xFFFF;
}

// The blocks of the line routines. Each takes blocks in which every source alpha is 0 as a
// whole, and so do those without master alpha with blocks in which every source alpha is 255
// (these two take blocks in fours, FourBlocks).
// They and MergeWeighted are inlined into the line routines: a call per block would save and
// restore the registers that 64-bit Windows keeps across calls, and pass vectors through memory.
// The whole-block shortcuts are marked likely so that they are laid out on the loop's straight
// path: a run of such blocks then takes no jump but the loop's own, while the arithmetic of a
// mixed block dwarfs the jumps around it.

// The blend and the merge of a block past the whole-block shortcuts: blocks holding other
// alphas, or alphas 0 and 255 both.
[[gnu::always_inline]] inline void BlendMixedBlock(__m128i F, TColor32* Dst) {
    const __m128i b = LoadBlock(Dst);
    const __m128i transparent = AlphaEquals(F, 0), opaque = AlphaEquals(F, 255);
    __m128i result = WeighPair(F, b, AlphaLanes(F));
    if (_mm_movemask_epi8(_mm_or_si128(transparent, opaque)) != 0)
        result = Select(transparent, b, Select(opaque, F, result));
    StoreBlock(Dst, result);
}

[[gnu::always_inline]] inline void MergeMixedBlock(__m128i F, TColor32* Dst) {
    const __m128i b = LoadBlock(Dst);
    __m128i result = MergeWeighted(F, AlphaLanes(F), b);
    result = Select(AlphaEquals(b, 0), F, result);
    result = Select(AlphaEquals(F, 0), b, result);
    StoreBlock(Dst, Select(AlphaEquals(F, 255), F, result));
}

[[gnu::always_inline]] inline void BlendExBlock(const TColor32* Src, TColor32* Dst, Byte M) {
    const __m128i f = LoadBlock(Src);
    const __m128i w = MasterWeight(f, M);
    const __m128i keep = Equals(w, 0);
    if (AllSet(keep)) [[likely]]
        return;
    const __m128i b = LoadBlock(Dst);
    StoreBlock(Dst, Select(keep, b, WithoutAlpha(WeighPair(f, b, w))));
}

[[gnu::always_inline]] inline void MergeExBlock(const TColor32* Src, TColor32* Dst, Byte M) {
    const __m128i f = LoadBlock(Src);
    const __m128i transparent = AlphaEquals(f, 0);
    if (AllSet(transparent)) [[likely]]
        return;
    const __m128i b = LoadBlock(Dst);
    const __m128i fa2 = Div255(_mm_mullo_epi16(AlphaLanes(f), Words(M)));
    const __m128i f2 = WithAlpha(f, fa2);
    __m128i result = MergeWeighted(f2, fa2, b);
    result = Select(_mm_or_si128(Equals(fa2, 255), AlphaEquals(b, 0)), f2, result);
    result = Select(transparent, b, result);
    if (M == 0) result = Select(AlphaEquals(f, 255), b, result);
    StoreBlock(Dst, result);
}

// The bits of _mm_movemask_epi8 that the alpha bytes of a block give.
constexpr int ALPHA_BYTE_BITS = 0x8888;

// Four blocks of the blend or the merge (Mixed their arithmetic), which leave a block whose
// alphas are all 0 as it is and copy one whose alphas are all 255: the alpha bytes of the four
// blocks together tell with one test each whether all take the same shortcut, in runs of
// transparent or opaque pixels; any other four go through the arithmetic, which gives the same
// results for blocks that would have taken a shortcut. Taking four at a time halves the tests of
// pairs in such runs, where they cost as much as the moves, and spares mixed runs half of theirs.
template <auto Mixed>
[[gnu::always_inline]] inline void FourBlocks(const TColor32* Src, TColor32* Dst) {
    constexpr int count = 4;
    __m128i f[count];
    for (int k = 0; k < count; ++k)
        f[k] = LoadBlock(Src + k * PIXELS_PER_BLOCK);
    const __m128i anyAlpha = _mm_or_si128(_mm_or_si128(f[0], f[1]), _mm_or_si128(f[2], f[3]));
    const __m128i everyAlpha = _mm_and_si128(_mm_and_si128(f[0], f[1]), _mm_and_si128(f[2], f[3]));
    if ((_mm_movemask_epi8(_mm_cmpeq_epi8(anyAlpha, _mm_setzero_si128())) & ALPHA_BYTE_BITS) ==
        ALPHA_BYTE_BITS) [[likely]]
        return;
    if ((_mm_movemask_epi8(_mm_cmpeq_epi8(everyAlpha, _mm_set1_epi8(-1))) & ALPHA_BYTE_BITS) ==
        ALPHA_BYTE_BITS) [[likely]] {
        for (int k = 0; k < count; ++k)
            StoreBlock(Dst + k * PIXELS_PER_BLOCK, f[k]);
        return;
    }
    for (int k = 0; k < count; ++k)
        Mixed(f[k], Dst + k * PIXELS_PER_BLOCK);
}

// Block(Src + i, Dst + i, Args...) over the run, one block at a time. A run shorter than a
// block goes through a block in a scratch copy. Of a longer run the last BlockSize pixels
// are copied before the others are blended, blended in the copy afterwards and stored over
// the end: each pixel's result depends only on its own source and destination pixel, so
// the pixels that this last block shares with the one before it get the same value twice. A
// line of the LED's width thus ends in a few moves instead of three copies of variable length.
template <auto Block, int BlockSize = PIXELS_PER_BLOCK, typename... Args>
void ProcessLine(const TColor32* Src, TColor32* Dst, int Count, Args... A) {
    TColor32 src[BlockSize] = {}, dst[BlockSize] = {};
    if (Count < BlockSize) {
        if (Count <= 0) return;
        std::memcpy(src, Src, std::size_t(Count) * sizeof(TColor32));
        std::memcpy(dst, Dst, std::size_t(Count) * sizeof(TColor32));
        Block(src, dst, A...);
        std::memcpy(Dst, dst, std::size_t(Count) * sizeof(TColor32));
        return;
    }
    const int last = Count - BlockSize;
    const bool ragged = last % BlockSize != 0;
    if (ragged) {
        std::memcpy(src, Src + last, sizeof src);
        std::memcpy(dst, Dst + last, sizeof dst);
    }
    for (int i = 0; i + BlockSize <= Count; i += BlockSize)
        Block(Src + i, Dst + i, A...);
    if (!ragged) return;
    Block(src, dst, A...);
    std::memcpy(Dst + last, dst, sizeof dst);
}

// F weighted W plus B weighted 255 - W on all four channels of single pixels. F's channels
// take the low four 16-bit lanes and B's the high four, so one multiplication weighs both and
// the few registers used leave none to save.
TColor32 WeighPairOfPixels(TColor32 F, TColor32 B, Cardinal W) {
    const __m128i pixels =
        _mm_unpacklo_epi8(_mm_unpacklo_epi32(Load1(F), Load1(B)), _mm_setzero_si128());
    const __m128i weights =
        _mm_xor_si128(Words(int(W)), _mm_set_epi16(255, 255, 255, 255, 0, 0, 0, 0));
    const __m128i weighed = Weigh(pixels, weights);
    const __m128i sum = _mm_add_epi16(weighed, _mm_srli_si128(weighed, 8));
    return Store1(_mm_packus_epi16(sum, sum));
}

// MergeWeighted of single pixels: the alphas and the scale in integers, the three channels in
// the low four 16-bit lanes. Kept out of line, so that the callers' shortcuts run without
// saving the registers that the merge needs.
[[gnu::noinline]] TColor32 MergeWeightedPixel(TColor32 F, Cardinal Fa, TColor32 B) {
    const Cardinal ba = B >> 24;
    const Cardinal resultAlpha = ba + Fa - Fa * ba / 255;
    const Cardinal scale = 65536 / resultAlpha;
    const auto spread = [](Cardinal Value) {
        return _mm_shufflelo_epi16(_mm_cvtsi32_si128(int(Value)), 0);
    };
    const __m128i zero = _mm_setzero_si128();
    const __m128i channels =
        MergeChannels(_mm_unpacklo_epi8(Load1(F), zero), _mm_unpacklo_epi8(Load1(B), zero),
                      spread(ba << 8), spread(Fa << 7), spread(scale));
    const TColor32 colour = Store1(_mm_packus_epi16(_mm_srli_epi16(channels, 8), zero));
    return (colour & 0x00FFFFFF) | resultAlpha << 24;
}

TColor32 CombineRegSse2(TColor32 X, TColor32 Y, Byte W) {
    if (W == 0) return Y;
    if (W == 255) return X;
    return WeighPairOfPixels(X, Y, W);
}

void CombineMemSse2(TColor32 F, TColor32& B, Byte W) {
    if (W == 0) return;
    if (W == 255) {
        B = F;
        return;
    }
    B = WeighPairOfPixels(F, B, W) & 0x00FFFFFF;
}

TColor32 BlendRegSse2(TColor32 F, TColor32 B) {
    const Cardinal w = F >> 24;
    if (w == 255) return F;
    if (w == 0) return B;
    return WeighPairOfPixels(F, B, w);
}

void BlendMemSse2(TColor32 F, TColor32& B) {
    const Cardinal w = F >> 24;
    if (w == 0) return;
    if (w == 255) {
        B = F;
        return;
    }
    B = WeighPairOfPixels(F, B, w);
}

TColor32 BlendRegExSse2(TColor32 F, TColor32 B, Byte M) {
    const Cardinal w = ((M + 1) * (F >> 24)) >> 8;
    if (w == 0) return B;
    return WeighPairOfPixels(F, B, w) & 0x00FFFFFF;
}

void BlendMemExSse2(TColor32 F, TColor32& B, Byte M) {
    const Cardinal w = ((M + 1) * (F >> 24)) >> 8;
    if (w == 0) return;
    B = WeighPairOfPixels(F, B, w) & 0x00FFFFFF;
}

void BlendLineSse2(const TColor32* Src, TColor32* Dst, int Count) {
    if (OverlapsPartly(Src, Dst, Count)) return PLAIN_BLEND_ROUTINES.BlendLine(Src, Dst, Count);
    ProcessLine<FourBlocks<BlendMixedBlock>, 4 * PIXELS_PER_BLOCK>(Src, Dst, Count);
}

void BlendLineExSse2(const TColor32* Src, TColor32* Dst, int Count, Byte M) {
    if (OverlapsPartly(Src, Dst, Count))
        return PLAIN_BLEND_ROUTINES.BlendLineEx(Src, Dst, Count, M);
    ProcessLine<BlendExBlock>(Src, Dst, Count, M);
}

TColor32 MergeRegSse2(TColor32 F, TColor32 B) {
    const Cardinal fa = F >> 24;
    if (fa == 255) return F;
    if (fa == 0) return B;
    if (B >> 24 == 0) return F;
    return MergeWeightedPixel(F, fa, B);
}

void MergeMemSse2(TColor32 F, TColor32& B) {
    const Cardinal fa = F >> 24;
    if (fa == 0) return;
    if (fa == 255 || B >> 24 == 0) {
        B = F;
        return;
    }
    B = MergeWeightedPixel(F, fa, B);
}

TColor32 MergeRegExSse2(TColor32 F, TColor32 B, Byte M) {
    const Cardinal fa = F >> 24;
    if (fa == 255 && M == 255) return F;
    if (fa == 0) return B;
    if (fa == 255 && M == 0) return B;
    const Cardinal fa2 = fa * M / 255;
    const TColor32 f2 = (F & 0x00FFFFFF) | fa2 << 24;
    if (fa2 == 255 || B >> 24 == 0) return f2;
    return MergeWeightedPixel(f2, fa2, B);
}

void MergeMemExSse2(TColor32 F, TColor32& B, Byte M) {
    B = MergeRegExSse2(F, B, M);
}

TColor32 CombMergeRegSse2(TColor32 X, TColor32 Y, Byte W) {
    return MergeRegSse2((X & 0x00FFFFFF) | TColor32(W) << 24, Y);
}

void CombMergeMemSse2(TColor32 F, TColor32& B, Byte W) {
    MergeMemSse2((F & 0x00FFFFFF) | TColor32(W) << 24, B);
}

void MergeLineSse2(const TColor32* Src, TColor32* Dst, int Count) {
    if (OverlapsPartly(Src, Dst, Count)) return PLAIN_BLEND_ROUTINES.MergeLine(Src, Dst, Count);
    ProcessLine<FourBlocks<MergeMixedBlock>, 4 * PIXELS_PER_BLOCK>(Src, Dst, Count);
}

void MergeLineExSse2(const TColor32* Src, TColor32* Dst, int Count, Byte M) {
    if (OverlapsPartly(Src, Dst, Count))
        return PLAIN_BLEND_ROUTINES.MergeLineEx(Src, Dst, Count, M);
    ProcessLine<MergeExBlock>(Src, Dst, Count, M);
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

// Division has no SSE2 form, so the plain ColorDiv stays.
void FillSse2BlendRoutines(TBlendRoutines& Routines) {
    Routines.CombineReg = CombineRegSse2;
    Routines.CombineMem = CombineMemSse2;
    Routines.BlendReg = BlendRegSse2;
    Routines.BlendMem = BlendMemSse2;
    Routines.BlendRegEx = BlendRegExSse2;
    Routines.BlendMemEx = BlendMemExSse2;
    Routines.BlendLine = BlendLineSse2;
    Routines.BlendLineEx = BlendLineExSse2;
    Routines.CombMergeReg = CombMergeRegSse2;
    Routines.CombMergeMem = CombMergeMemSse2;
    Routines.MergeReg = MergeRegSse2;
    Routines.MergeMem = MergeMemSse2;
    Routines.MergeRegEx = MergeRegExSse2;
    Routines.MergeMemEx = MergeMemExSse2;
    Routines.MergeLine = MergeLineSse2;
    Routines.MergeLineEx = MergeLineExSse2;
    Routines.ColorAdd = ColorAddSse2;
    Routines.ColorSub = ColorSubSse2;
    Routines.ColorModulate = ColorModulateSse2;
    Routines.ColorMax = ColorMaxSse2;
    Routines.ColorMin = ColorMinSse2;
    Routines.ColorDifference = ColorDifferenceSse2;
    Routines.ColorAverage = ColorAverageSse2;
    Routines.ColorExclusion = ColorExclusionSse2;
}

} // namespace Bmp32

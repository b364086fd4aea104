// The AVX2 variants of the line routines: the arithmetic of the SSE2 variants on eight pixels
// at a time. Only the line routines of this file are compiled for AVX2, through their target
// attribute, so the rest of the library runs on any x86-64 processor.
//
// Every helper is inlined into its line routine, so no 256-bit value passes between functions:
// the 64-bit Windows calling convention passes such values in memory on the stack, which it
// keeps aligned to 16 bytes only, not to the 32 that the compiler expects of them.
#include "bitmap32/Bmp32_BlendAvx2.h"

#include "bitmap32/Bmp32_Blend.h"
#include "bitmap32/Bmp32_BlendSse2.h"

#include <cstdint>
#include <immintrin.h>

#define AVX2_FUNCTION __attribute__((target("avx2")))
#define AVX2_INLINE __attribute__((target("avx2"), always_inline)) inline

namespace Bmp32 {

namespace {

constexpr int PIXELS_PER_BLOCK = 8;

AVX2_INLINE __m256i Words(int Value) {
    return _mm256_set1_epi16(short(Value));
}

AVX2_INLINE __m256i Equals(__m256i Lanes, int Value) {
    return _mm256_cmpeq_epi16(Lanes, Words(Value));
}

AVX2_INLINE bool AllSet(__m256i Mask) {
    return _mm256_movemask_epi8(Mask) == -1;
}

AVX2_INLINE __m256i Select(__m256i Mask, __m256i IfSet, __m256i IfClear) {
    return _mm256_blendv_epi8(IfClear, IfSet, Mask);
}

// Blue and red of each pixel, each in the low byte of a 16-bit lane.
AVX2_INLINE __m256i LowBytes(__m256i Pixels) {
    return _mm256_and_si256(Pixels, Words(0x00FF));
}

// Green and alpha of each pixel, each in the low byte of a 16-bit lane.
AVX2_INLINE __m256i HighBytes(__m256i Pixels) {
    return _mm256_srli_epi16(Pixels, 8);
}

// The alpha of each pixel in the low byte of both of its 16-bit lanes.
AVX2_INLINE __m256i AlphaLanes(__m256i Pixels) {
    const __m256i alphaBytes =
        _mm256_setr_epi8(3, -1, 3, -1, 7, -1, 7, -1, 11, -1, 11, -1, 15, -1, 15, -1, 3, -1, 3, -1,
                         7, -1, 7, -1, 11, -1, 11, -1, 15, -1, 15, -1);
    return _mm256_shuffle_epi8(Pixels, alphaBytes);
}

// The alpha of each pixel in the high byte of both of its 16-bit lanes: Alpha << 8.
AVX2_INLINE __m256i AlphaHighLanes(__m256i Pixels) {
    const __m256i alphaBytes =
        _mm256_setr_epi8(-1, 3, -1, 3, -1, 7, -1, 7, -1, 11, -1, 11, -1, 15, -1, 15, -1, 3, -1, 3,
                         -1, 7, -1, 7, -1, 11, -1, 11, -1, 15, -1, 15);
    return _mm256_shuffle_epi8(Pixels, alphaBytes);
}

AVX2_INLINE __m256i WithAlpha(__m256i Pixels, __m256i AlphaLanes) {
    return _mm256_or_si256(_mm256_and_si256(Pixels, _mm256_set1_epi32(0x00FFFFFF)),
                           _mm256_slli_epi32(AlphaLanes, 24));
}

AVX2_INLINE __m256i WithoutAlpha(__m256i Pixels) {
    return _mm256_and_si256(Pixels, _mm256_set1_epi32(0x00FFFFFF));
}

// Floor(X / 255) in each 16-bit lane, as in the SSE2 variant.
AVX2_INLINE __m256i Div255(__m256i X) {
    return _mm256_srli_epi16(_mm256_mulhi_epu16(X, Words(0x8081)), 7);
}

// F weighted W plus B weighted 255 - W on all four channels, W in both lanes of each pixel.
// For a channel C and a weight W << 7 the rounded high half of the doubled product,
// (C * (W << 7) + 16384) >> 15, is exactly the plain (C * W + 128) >> 8.
AVX2_INLINE __m256i WeighPair(__m256i F, __m256i B, __m256i W) {
    const __m256i w7 = _mm256_slli_epi16(W, 7);
    const __m256i inverse7 = _mm256_xor_si256(w7, Words(255 << 7));
    const __m256i low = _mm256_add_epi16(_mm256_mulhrs_epi16(LowBytes(F), w7),
                                         _mm256_mulhrs_epi16(LowBytes(B), inverse7));
    const __m256i high = _mm256_add_epi16(_mm256_mulhrs_epi16(HighBytes(F), w7),
                                          _mm256_mulhrs_epi16(HighBytes(B), inverse7));
    return _mm256_or_si256(low, _mm256_slli_epi16(high, 8));
}

// 65536 div Divisor for Divisor in 0..255 in both lanes of each pixel, the low 16 bits of the
// quotient in both lanes; a divisor of 0 counts as 1. The truncated float quotient is exact, as in
// the SSE2 variant.
AVX2_INLINE __m256i ReciprocalLanes(__m256i Divisor) {
    const __m256i perPixel = _mm256_srli_epi32(Divisor, 16);
    const __m256 divisor = _mm256_cvtepi32_ps(_mm256_max_epi32(perPixel, _mm256_set1_epi32(1)));
    const __m256i quotient = _mm256_cvttps_epi32(_mm256_div_ps(_mm256_set1_ps(65536.0f), divisor));
    return _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(quotient, _MM_SHUFFLE(2, 2, 0, 0)),
                                  _MM_SHUFFLE(2, 2, 0, 0));
}

// ((X + Bp) * Scale) mod 65536 of the plain merge for one register of channels, as in the
// SSE2 variant; the channel's result is bits 8..15.
AVX2_INLINE __m256i MergeChannels(__m256i Fc, __m256i Bc, __m256i BaHigh, __m256i Fa7,
                                  __m256i Scale) {
    const __m256i bp = _mm256_mulhi_epu16(Bc, BaHigh);
    const __m256i difference = _mm256_sub_epi16(Fc, bp);
    const __m256i x = _mm256_mulhi_epi16(_mm256_add_epi16(difference, difference), Fa7);
    return _mm256_mullo_epi16(_mm256_add_epi16(x, bp), Scale);
}

// The colour of F weighted by Fa (in both lanes of each pixel) over B, with the combined
// alpha, for pixels where B's alpha is not 0; other pixels give values the callers replace.
// BaHigh is AlphaHighLanes(B).
AVX2_INLINE __m256i MergeWeighted(__m256i F, __m256i Fa, __m256i B, __m256i BaHigh) {
    const __m256i ba = _mm256_srli_epi16(BaHigh, 8);
    const __m256i resultAlpha =
        _mm256_sub_epi16(_mm256_add_epi16(ba, Fa), Div255(_mm256_mullo_epi16(Fa, ba)));
    const __m256i scale = ReciprocalLanes(resultAlpha);
    const __m256i fa7 = _mm256_slli_epi16(Fa, 7);
    const __m256i low = MergeChannels(LowBytes(F), LowBytes(B), BaHigh, fa7, scale);
    const __m256i high = MergeChannels(HighBytes(F), HighBytes(B), BaHigh, fa7, scale);
    const __m256i channels =
        _mm256_or_si256(_mm256_srli_epi16(low, 8), _mm256_and_si256(high, Words(0xFF00)));
    return WithAlpha(channels, resultAlpha);
}

AVX2_INLINE __m256i LoadBlock(const TColor32* Pixels) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(Pixels));
}

AVX2_INLINE void StoreBlock(TColor32* Pixels, __m256i Block) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(Pixels), Block);
}

// Whether every alpha of the block is 0, and whether every one is 255: one test each, where
// comparing and gathering the lanes' results would take three instructions.
AVX2_INLINE bool AllTransparent(__m256i Pixels) {
    return _mm256_testz_si256(Pixels, _mm256_set1_epi32(int(0xFF000000)));
}

AVX2_INLINE bool AllOpaque(__m256i Pixels) {
    return _mm256_testc_si256(Pixels, _mm256_set1_epi32(int(0xFF000000)));
}

// The results of a block, pixel by pixel, from its source F and destination B. The block
// routines below first take the whole-block shortcuts, which give the same results.
AVX2_INLINE __m256i BlendPixels(__m256i F, __m256i B) {
    const __m256i w = AlphaLanes(F);
    const __m256i transparent = Equals(w, 0), opaque = Equals(w, 255);
    return Select(opaque, F, Select(transparent, B, WeighPair(F, B, w)));
}

// ((M + 1) * Alpha) >> 8, as the high word of (Alpha << 8) * (M + 1).
AVX2_INLINE __m256i MasterWeight(__m256i F, Byte M) {
    return _mm256_mulhi_epu16(AlphaHighLanes(F), Words(M + 1));
}

AVX2_INLINE __m256i BlendExPixels(__m256i F, __m256i B, Byte M) {
    const __m256i w = MasterWeight(F, M);
    return Select(Equals(w, 0), B, WithoutAlpha(WeighPair(F, B, w)));
}

AVX2_INLINE __m256i MergePixels(__m256i F, __m256i B) {
    const __m256i fa = AlphaLanes(F);
    const __m256i baHigh = AlphaHighLanes(B);
    __m256i result = MergeWeighted(F, fa, B, baHigh);
    result = Select(Equals(baHigh, 0), F, result);
    result = Select(Equals(fa, 0), B, result);
    return Select(Equals(fa, 255), F, result);
}

AVX2_INLINE __m256i MergeExPixels(__m256i F, __m256i B, Byte M) {
    const __m256i fa = AlphaLanes(F);
    const __m256i baHigh = AlphaHighLanes(B);
    const __m256i fa2 = Div255(_mm256_mullo_epi16(fa, Words(M)));
    const __m256i f2 = WithAlpha(F, fa2);
    __m256i result = MergeWeighted(f2, fa2, B, baHigh);
    result = Select(_mm256_or_si256(Equals(fa2, 255), Equals(baHigh, 0)), f2, result);
    result = Select(Equals(fa, 0), B, result);
    if (M == 0) result = Select(Equals(fa, 255), B, result);
    return result;
}

// The results of a block with the whole-block shortcuts of each routine taken first: for the
// blocks at the ends of a line, which come in registers.
AVX2_INLINE __m256i BlendResults(__m256i F, __m256i B) {
    if (AllTransparent(F)) return B;
    if (AllOpaque(F)) return F;
    return BlendPixels(F, B);
}

AVX2_INLINE bool KeepsAll(__m256i F, Byte M) {
    return AllSet(Equals(MasterWeight(F, M), 0));
}

AVX2_INLINE __m256i BlendExResults(__m256i F, __m256i B, Byte M) {
    return KeepsAll(F, M) ? B : BlendExPixels(F, B, M);
}

AVX2_INLINE __m256i MergeResults(__m256i F, __m256i B) {
    if (AllTransparent(F)) return B;
    if (AllOpaque(F)) return F;
    return MergePixels(F, B);
}

AVX2_INLINE __m256i MergeExResults(__m256i F, __m256i B, Byte M) {
    return AllTransparent(F) ? B : MergeExPixels(F, B, M);
}

// The same for a block in place, which reads the destination only where the shortcuts do not
// settle the block.
AVX2_INLINE void BlendBlock(const TColor32* Src, TColor32* Dst) {
    const __m256i f = LoadBlock(Src);
    if (AllTransparent(f)) return;
    if (AllOpaque(f)) return StoreBlock(Dst, f);
    StoreBlock(Dst, BlendPixels(f, LoadBlock(Dst)));
}

// Two blocks of the blend or the merge (Pixels their arithmetic): both blocks' alphas together
// tell with one test each whether both take the same shortcut, in runs of transparent or opaque
// pixels, which then take one jump per sixteen pixels; any other pair goes through the
// arithmetic, which gives the shortcuts' results too.
template <auto Pixels> AVX2_INLINE void TwoBlocks(const TColor32* Src, TColor32* Dst) {
    const __m256i f0 = LoadBlock(Src), f1 = LoadBlock(Src + PIXELS_PER_BLOCK);
    if (AllTransparent(_mm256_or_si256(f0, f1))) return;
    if (AllOpaque(_mm256_and_si256(f0, f1))) {
        StoreBlock(Dst, f0);
        return StoreBlock(Dst + PIXELS_PER_BLOCK, f1);
    }
    StoreBlock(Dst, Pixels(f0, LoadBlock(Dst)));
    StoreBlock(Dst + PIXELS_PER_BLOCK, Pixels(f1, LoadBlock(Dst + PIXELS_PER_BLOCK)));
}

AVX2_INLINE void BlendExBlock(const TColor32* Src, TColor32* Dst, Byte M) {
    const __m256i f = LoadBlock(Src);
    if (KeepsAll(f, M)) return;
    StoreBlock(Dst, BlendExPixels(f, LoadBlock(Dst), M));
}

AVX2_INLINE void MergeBlock(const TColor32* Src, TColor32* Dst) {
    const __m256i f = LoadBlock(Src);
    if (AllTransparent(f)) return;
    if (AllOpaque(f)) return StoreBlock(Dst, f);
    StoreBlock(Dst, MergePixels(f, LoadBlock(Dst)));
}

AVX2_INLINE void MergeExBlock(const TColor32* Src, TColor32* Dst, Byte M) {
    const __m256i f = LoadBlock(Src);
    if (AllTransparent(f)) return;
    StoreBlock(Dst, MergeExPixels(f, LoadBlock(Dst), M));
}

// Pixels of a run shorter than a block, through lanes masked off beyond Count.
template <auto Results, typename... Args>
AVX2_INLINE void ProcessShortRun(const TColor32* Src, TColor32* Dst, int Count, Args... A) {
    const __m256i inRun =
        _mm256_cmpgt_epi32(_mm256_set1_epi32(Count), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
    const __m256i f = _mm256_maskload_epi32(reinterpret_cast<const int*>(Src), inRun);
    const __m256i b = _mm256_maskload_epi32(reinterpret_cast<const int*>(Dst), inRun);
    _mm256_maskstore_epi32(reinterpret_cast<int*>(Dst), inRun, Results(f, b, A...));
}

// The results of a block at an end of a line, taken before the block that overlaps it changes
// any of its pixels and stored after that block: each pixel's result depends only on its own
// source and destination pixel, so the pixels that the two blocks share get the same value
// twice. Every routine leaves the destination of a block whose source alphas are all 0 as it is,
// so such a block's destination is neither read nor written.
struct TEndBlock {
    __m256i Results;
    bool Keeps;
};

template <auto Results, typename... Args>
AVX2_INLINE TEndBlock ReadEndBlock(const TColor32* Src, const TColor32* Dst, Args... A) {
    const __m256i f = LoadBlock(Src);
    if (AllTransparent(f)) return {f, true};
    return {Results(f, LoadBlock(Dst), A...), false};
}

AVX2_INLINE void WriteEndBlock(const TEndBlock& Block, TColor32* Dst) {
    if (!Block.Keeps) StoreBlock(Dst, Block.Results);
}

// Block(Src + i, Dst + i, Args...) for i = Start, Start + PIXELS_PER_BLOCK, ... while a whole
// block fits before Count, which lies at least a block past Start. When Count - Start is not a
// whole number of blocks, the last PIXELS_PER_BLOCK pixels are an end block of the last whole
// block: a line of the LED's width thus ends in a few moves, in registers.
template <auto Block, auto Results, auto Pair, typename... Args>
AVX2_INLINE void ProcessBlocks(const TColor32* Src, TColor32* Dst, int Start, int Count,
                               Args... A) {
    int i = Start;
    if constexpr (Pair != nullptr)
        for (; i + 3 * PIXELS_PER_BLOCK <= Count; i += 2 * PIXELS_PER_BLOCK)
            Pair(Src + i, Dst + i);
    for (; i + 2 * PIXELS_PER_BLOCK <= Count; i += PIXELS_PER_BLOCK)
        Block(Src + i, Dst + i, A...);
    const int last = Count - PIXELS_PER_BLOCK;
    if (last == i) return Block(Src + i, Dst + i, A...);
    const TEndBlock end = ReadEndBlock<Results>(Src + last, Dst + last, A...);
    Block(Src + i, Dst + i, A...);
    WriteEndBlock(end, Dst + last);
}

// ProcessBlocks from the first pixel at which the destination is aligned to 32 bytes (where it
// is aligned to a pixel), so that no store straddles two cache lines; the pixels before it are
// an end block of the first aligned block. Count is at least three blocks.
template <auto Block, auto Results, auto Pair, typename... Args>
AVX2_INLINE void ProcessAlignedLine(const TColor32* Src, TColor32* Dst, int Count, Args... A) {
    const auto address = reinterpret_cast<std::uintptr_t>(Dst);
    const int head = address % sizeof(TColor32) != 0 ? 0 : int((-address & 31) / sizeof(TColor32));
    if (head == 0) return ProcessBlocks<Block, Results, Pair>(Src, Dst, 0, Count, A...);
    const TEndBlock start = ReadEndBlock<Results>(Src, Dst, A...);
    Block(Src + head, Dst + head, A...);
    WriteEndBlock(start, Dst);
    ProcessBlocks<Block, Results, Pair>(Src, Dst, head + PIXELS_PER_BLOCK, Count, A...);
}

template <auto Block, auto Results, auto Pair = nullptr, typename... Args>
AVX2_INLINE void ProcessLine(const TColor32* Src, TColor32* Dst, int Count, Args... A) {
    if (Count >= 3 * PIXELS_PER_BLOCK)
        return ProcessAlignedLine<Block, Results, Pair>(Src, Dst, Count, A...);
    if (Count >= PIXELS_PER_BLOCK)
        return ProcessBlocks<Block, Results, Pair>(Src, Dst, 0, Count, A...);
    if (Count > 0) ProcessShortRun<Results>(Src, Dst, Count, A...);
}

AVX2_FUNCTION void BlendLineAvx2(const TColor32* Src, TColor32* Dst, int Count) {
    if (OverlapsPartly(Src, Dst, Count)) return PLAIN_BLEND_ROUTINES.BlendLine(Src, Dst, Count);
    ProcessLine<BlendBlock, BlendResults, TwoBlocks<BlendPixels>>(Src, Dst, Count);
}

AVX2_FUNCTION void BlendLineExAvx2(const TColor32* Src, TColor32* Dst, int Count, Byte M) {
    if (OverlapsPartly(Src, Dst, Count))
        return PLAIN_BLEND_ROUTINES.BlendLineEx(Src, Dst, Count, M);
    ProcessLine<BlendExBlock, BlendExResults>(Src, Dst, Count, M);
}

AVX2_FUNCTION void MergeLineAvx2(const TColor32* Src, TColor32* Dst, int Count) {
    if (OverlapsPartly(Src, Dst, Count)) return PLAIN_BLEND_ROUTINES.MergeLine(Src, Dst, Count);
    ProcessLine<MergeBlock, MergeResults, TwoBlocks<MergePixels>>(Src, Dst, Count);
}

AVX2_FUNCTION void MergeLineExAvx2(const TColor32* Src, TColor32* Dst, int Count, Byte M) {
    if (OverlapsPartly(Src, Dst, Count))
        return PLAIN_BLEND_ROUTINES.MergeLineEx(Src, Dst, Count, M);
    ProcessLine<MergeExBlock, MergeExResults>(Src, Dst, Count, M);
}

} // namespace

void FillAvx2BlendRoutines(TBlendRoutines& Routines) {
    Routines.BlendLine = BlendLineAvx2;
    Routines.BlendLineEx = BlendLineExAvx2;
    Routines.MergeLine = MergeLineAvx2;
    Routines.MergeLineEx = MergeLineExAvx2;
}

} // namespace Bmp32

// The SSE2 variant of FillLongword: four words per store.
#if defined(__i386__) && !defined(__SSE2__)
#pragma GCC target("sse2")
#endif

#include "bitmap32/Bmp32_LowLevelSse2.h"

#include <emmintrin.h>

namespace Bmp32 {

namespace {

void FillLongwordSse2(Cardinal* X, int Count, Cardinal Value) {
    const __m128i block = _mm_set1_epi32(int(Value));
    int i = 0;
    for (; i + 4 <= Count; i += 4)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(X + i), block);
    for (; i < Count; ++i)
        X[i] = Value;
}

} // namespace

void FillSse2LowLevelRoutines(TLowLevelRoutines& Routines) {
    Routines.FillLongword = FillLongwordSse2;
}

} // namespace Bmp32

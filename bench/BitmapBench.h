// The measurements of whole bitmaps through TBitmap32 and its transfers.
#pragma once

#include "bench/PixelBench.h"

namespace Bench {

// Clear of the whole bitmap.
void BenchClear(const TBufferSize& Size, const TReferenceRates& References);
// The opaque BlockTransfer of one whole bitmap onto another of the same size.
void BenchBlockTransfer(const TBufferSize& Size, const TReferenceRates& References);
// Opaque StretchTransfer of a bitmap of Size to twice and to half its size through the
// nearest and the linear resampler, rated in destination pixels.
void BenchStretchTransfer(const TBufferSize& Size, const TReferenceRates& References);

} // namespace Bench

// The measurements of the platform-free pixel code, one buffer size at a time.
#pragma once

#include "bench/BlendCases.h"
#include "bench/PixelBuffers.h"

namespace Bench {

// The C library's fill and copy of the whole buffer, in Mpixel/s: the yardsticks of the
// other rates.
struct TReferenceRates {
    double Memset;
    double Memcpy;
};

TReferenceRates MeasureReferences(const TBufferSize& Size);

// FillLongword's plain and SSE2 variants over the whole buffer.
void BenchFillLongword(const TBufferSize& Size, const TReferenceRates& References);
// MoveLongword of the whole buffer.
void BenchMoveLongword(const TBufferSize& Size, const TReferenceRates& References);
// The rate of one blend case blending Src over the whole of Work, which first gets a copy of
// Dst. Passing the same Work for every routine set measures them all on the same memory.
double BlendRate(const TBufferSize& Size, const TBlendCase& Case,
                 const Bmp32::TBlendRoutines& Routines, const TPixels& Src, const TPixels& Dst,
                 TPixels& Work);
// Every blend case with every alpha pattern, the plain set against each fast set.
void BenchBlendRoutines(const TBufferSize& Size, const TReferenceRates& References);

} // namespace Bench

// The benchmark's printed tables. Rates are millions of pixels per second; ratios compare a
// rate with memset's or memcpy's on the same buffer in the same run.
#pragma once

#include "bench/BlendCases.h"
#include "bench/PixelBuffers.h"

#include <vector>

namespace Bench {

void PrintSizeHeading(const TBufferSize& Size);
void PrintSectionHeading(const char* Title);
// A row of the section: the rate, and its ratio to the reference rate named.
void PrintRateRow(const char* Name, double Mpixels, double ReferenceMpixels,
                  const char* ReferenceName);
// The column titles of the table of the plain set against the fast sets.
void PrintVariantsHeading(const char* Title, const char* ReferenceName,
                          const std::vector<TFastSet>& FastSets);
// The plain set's rate with its ratio to the reference, then each fast set's rate (in the order
// of the heading) with its ratio to the reference and its speed-up over the plain set.
void PrintVariantsRow(const char* Name, double PlainMpixels, const std::vector<double>& FastMpixels,
                      double ReferenceMpixels);

} // namespace Bench

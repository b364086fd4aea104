// The benchmark's printed tables. Rates are millions of pixels per second; ratios compare a
// rate with memset's or memcpy's on the same buffer in the same run. Every ratio of a row is
// also recorded (bench/BenchRatio.h), named after the row and, below a size heading, the size.
#pragma once

#include "bench/BlendCases.h"
#include "bench/PixelBuffers.h"

#include <string>
#include <vector>

namespace Bench {

// The heading of the rows of one buffer size, whose names their ratios carry.
void PrintSizeHeading(const TBufferSize& Size);
// The rows that follow belong to no buffer size of the headings.
void EndSizeSections();
// "297 x 189".
std::string SizeName(const TBufferSize& Size);
void PrintSectionHeading(const char* Title);
// A row of the section: the rate, and its ratio to the reference rate named (recorded unless
// the row is the reference itself).
void PrintRateRow(const char* Name, double Mpixels, double ReferenceMpixels,
                  const char* ReferenceName);
// The column titles of the table of the plain set against the fast sets.
void PrintVariantsHeading(const char* Title, const char* ReferenceName,
                          const std::vector<TFastSet>& FastSets);
// The plain set's rate with its ratio to the reference, then each fast set's rate (in the order
// of the heading) with its ratio to the reference and its speed-up over the plain set.
void PrintVariantsRow(const char* Name, double PlainMpixels, const std::vector<double>& FastMpixels,
                      double ReferenceMpixels, const char* ReferenceName,
                      const std::vector<TFastSet>& FastSets);

} // namespace Bench

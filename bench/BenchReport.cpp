#include "bench/BenchReport.h"

#include "bench/BenchRatio.h"

#include <cstdio>
#include <cstring>

namespace Bench {

namespace {

// What the names of the ratios recorded by rows begin with: the size of the heading above.
std::string RowContext;

void RecordRow(const std::string& Name, double Ratio) {
    RecordRatio(RowContext + Name, Ratio);
}

} // namespace

std::string SizeName(const TBufferSize& Size) {
    return std::to_string(Size.Width) + " x " + std::to_string(Size.Height);
}

void PrintSizeHeading(const TBufferSize& Size) {
    std::printf("\n=== %d x %d (%d pixels) ===\n", Size.Width, Size.Height, Size.Pixels());
    RowContext = SizeName(Size) + ": ";
}

void EndSizeSections() {
    RowContext.clear();
}

void PrintSectionHeading(const char* Title) {
    std::printf("%-34s %10s  %s\n", Title, "Mpixel/s", "ratio");
}

void PrintRateRow(const char* Name, double Mpixels, double ReferenceMpixels,
                  const char* ReferenceName) {
    std::printf("  %-32s %10.1f  %6.3f x %s\n", Name, Mpixels, Mpixels / ReferenceMpixels,
                ReferenceName);
    std::fflush(stdout);
    if (std::strcmp(Name, ReferenceName) != 0)
        RecordRow(std::string(Name) + " / " + ReferenceName, Mpixels / ReferenceMpixels);
}

void PrintVariantsHeading(const char* Title, const char* ReferenceName,
                          const std::vector<TFastSet>& FastSets) {
    std::printf("%-34s %10s %8s", Title, "plain", "x");
    for (const TFastSet& set : FastSets)
        std::printf(" %10s %8s %8s", set.Name, "x", set.Name);
    std::printf("\n%-34s %10s %8s", "", "Mpixel/s", ReferenceName);
    for (std::size_t i = 0; i < FastSets.size(); ++i)
        std::printf(" %10s %8s %8s", "Mpixel/s", ReferenceName, "/plain");
    std::printf("\n");
}

void PrintVariantsRow(const char* Name, double PlainMpixels, const std::vector<double>& FastMpixels,
                      double ReferenceMpixels, const char* ReferenceName,
                      const std::vector<TFastSet>& FastSets) {
    std::printf("  %-32s %10.1f %8.3f", Name, PlainMpixels, PlainMpixels / ReferenceMpixels);
    for (double fast : FastMpixels)
        std::printf(" %10.1f %8.3f %8.2f", fast, fast / ReferenceMpixels, fast / PlainMpixels);
    std::printf("\n");
    std::fflush(stdout);
    const std::string row = std::string(Name) + ", ";
    RecordRow(row + "plain / " + ReferenceName, PlainMpixels / ReferenceMpixels);
    for (std::size_t i = 0; i < FastMpixels.size() && i < FastSets.size(); ++i) {
        RecordRow(row + FastSets[i].Name + " / " + ReferenceName, FastMpixels[i] / ReferenceMpixels);
        RecordRow(row + FastSets[i].Name + " / plain", FastMpixels[i] / PlainMpixels);
    }
}

} // namespace Bench

#include "bench/KernelBench.h"

#include "bench/BenchReport.h"
#include "bench/BenchTimer.h"
#include "bench/PixelBuffers.h"
#include "bitmap32/Bmp32_ResamplersKernels.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

namespace Bench {

using namespace Bmp32;

namespace {

// Every destination pixel as the sum over its row and column clusters of pixel x row weight x
// column weight, in one pass: what the two-pass resampling computes, without sharing the
// column sums between destination rows.
void DirectResample(TBitmap32& Dst, TBitmap32& Src, const TCustomKernel& Kernel) {
    const TMappingTable mapX =
        BuildMappingTable(0, Dst.GetWidth(), 0, Dst.GetWidth(), 0, Src.GetWidth(), Kernel);
    const TMappingTable mapY =
        BuildMappingTable(0, Dst.GetHeight(), 0, Dst.GetHeight(), 0, Src.GetHeight(), Kernel);
    const bool clamped = Kernel.RangeCheck();
    auto channel = [clamped](int Total) {
        if (clamped) Total = std::clamp(Total, 0, 0xFF0000);
        return TColor32(Cardinal(Total) >> 16 & 0xFF);
    };
    for (int j = 0; j < Dst.GetHeight(); ++j) {
        TColor32* out = Dst.GetScanLine(j);
        for (int i = 0; i < Dst.GetWidth(); ++i) {
            int b = 0, g = 0, r = 0, a = 0;
            for (const TWeightPair& py : mapY[std::size_t(j)]) {
                const TColor32* row = Src.GetScanLine(py.Pos);
                for (const TWeightPair& px : mapX[std::size_t(i)]) {
                    const TColor32 c = row[px.Pos];
                    const int w = py.Weight * px.Weight;
                    b += int(c & 0xFF) * w;
                    g += int(c >> 8 & 0xFF) * w;
                    r += int(c >> 16 & 0xFF) * w;
                    a += int(c >> 24) * w;
                }
            }
            out[i] = channel(a) << 24 | channel(r) << 16 | channel(g) << 8 | channel(b);
        }
    }
}

} // namespace

bool BenchKernelResampling() {
    PrintSectionHeading("kernel resampling of 1920 x 1080 (destination pixels)");
    TBitmap32 src;
    src.SetSize(1920, 1080);
    const TPixels pixels = RandomPixels(src.GetWidth() * src.GetHeight(), apRandom, SOURCE_SEED);
    std::copy(pixels.begin(), pixels.end(), src.GetBits());
    for (const char* name : {"TLanczosKernel", "TMitchellKernel", "TCubicKernel"}) {
        std::unique_ptr<TCustomKernel> kernel(CreateKernel(name));
        for (const double scale : {2.0, 0.5}) {
            TBitmap32 twoPass, direct;
            twoPass.SetSize(int(src.GetWidth() * scale), int(src.GetHeight() * scale));
            direct.SetSize(twoPass.GetWidth(), twoPass.GetHeight());
            const TRect rect = twoPass.BoundsRect();
            auto runTwoPass = [&] {
                KernelResample(&twoPass, rect, rect, &src, src.BoundsRect(), *kernel, dmOpaque, {});
                KeepMemory(twoPass.GetBits());
            };
            auto runDirect = [&] {
                DirectResample(direct, src, *kernel);
                KeepMemory(direct.GetBits());
            };
            runTwoPass();
            runDirect();
            if (!std::equal(twoPass.GetBits(), twoPass.GetBits() + rect.Right * rect.Bottom,
                            direct.GetBits())) {
                std::printf("%s at %.1fx: the two-pass and the direct sums differ\n", name, scale);
                return false;
            }
            const long long count = (long long)rect.Right * rect.Bottom;
            const double directRate = MeasureMpixelsPerSecond(count, runDirect);
            const double twoPassRate = MeasureMpixelsPerSecond(count, runTwoPass);
            const std::string row = std::string(name + 1) + (scale > 1 ? " 2x two-pass" : " 0.5x two-pass");
            PrintRateRow(row.c_str(), twoPassRate, directRate, "direct 2-D sum");
        }
    }
    return true;
}

void BenchKernelSampling() {
    PrintSectionHeading("TKernelResampler.GetSampleFloat with Lanczos (samples)");
    TBitmap32 src;
    src.SetSize(512, 512);
    const TPixels pixels = RandomPixels(src.GetWidth() * src.GetHeight(), apRandom, SOURCE_SEED);
    std::copy(pixels.begin(), pixels.end(), src.GetBits());
    auto* resampler = new TKernelResampler(&src);
    resampler->SetKernelClassName("TLanczosKernel");
    constexpr int Samples = 100000;
    auto rate = [&](TKernelMode Mode) {
        resampler->SetKernelMode(Mode);
        resampler->PrepareSampling();
        TColor32 sink = 0;
        const double result = MeasureMpixelsPerSecond(Samples, [&] {
            for (int i = 0; i < Samples; ++i) {
                const float x = float(i % 509) + 0.37f * float(i % 7);
                const float y = float(i / 509 % 509) + 0.21f * float(i % 5);
                sink += resampler->GetSampleFloat(x, y);
            }
            KeepMemory(&sink);
        });
        resampler->FinalizeSampling();
        return result;
    };
    const double dynamic = rate(kmDynamic);
    PrintRateRow("kmTableNearest", rate(kmTableNearest), dynamic, "kmDynamic");
    PrintRateRow("kmTableLinear", rate(kmTableLinear), dynamic, "kmDynamic");
}

} // namespace Bench

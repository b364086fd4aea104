#include "bench/BitmapBench.h"

#include "bench/BenchReport.h"
#include "bench/BenchTimer.h"
#include "bitmap32/Bmp32_Resamplers.h"

#include <algorithm>
#include <string>

namespace Bench {

using Bmp32::TBitmap32;

namespace {

void FillWithRandomPixels(TBitmap32& Bitmap, const TBufferSize& Size) {
    Bitmap.SetSize(Size.Width, Size.Height);
    const TPixels pixels = RandomPixels(Size.Pixels(), apRandom, SOURCE_SEED);
    std::copy(pixels.begin(), pixels.end(), Bitmap.GetBits());
}

// Gives Bitmap a new resampler of the class, which the bitmap owns from then on.
template <typename TResampler> void AttachResampler(TBitmap32& Bitmap) {
    new TResampler(&Bitmap);
}

struct TResamplerKind {
    const char* Name;
    void (*Attach)(TBitmap32& Bitmap);
};

constexpr TResamplerKind RESAMPLER_KINDS[] = {
    {"nearest", AttachResampler<Bmp32::TNearestResampler>},
    {"linear", AttachResampler<Bmp32::TLinearResampler>}};

// Dst gets Scale times Src's size and the whole of Src stretched onto it through Src's
// resampler.
double StretchRate(TBitmap32& Src, double Scale) {
    TBitmap32 dst;
    dst.SetSize(int(Src.GetWidth() * Scale), int(Src.GetHeight() * Scale));
    const TRect dstRect = dst.BoundsRect();
    return MeasureMpixelsPerSecond(dst.GetWidth() * dst.GetHeight(), [&] {
        Bmp32::StretchTransfer(&dst, dstRect, dstRect, &Src, Src.BoundsRect(), Src.GetResampler(),
                               Bmp32::dmOpaque);
        KeepMemory(dst.GetBits());
    });
}

} // namespace

void BenchClear(const TBufferSize& Size, const TReferenceRates& References) {
    TBitmap32 bitmap;
    bitmap.SetSize(Size.Width, Size.Height);
    const double rate = MeasureMpixelsPerSecond(Size.Pixels(), [&] {
        bitmap.Clear(FILL_COLOR);
        KeepMemory(bitmap.GetBits());
    });
    PrintRateRow("TBitmap32.Clear", rate, References.Memset, "memset");
}

void BenchBlockTransfer(const TBufferSize& Size, const TReferenceRates& References) {
    TBitmap32 src, dst;
    FillWithRandomPixels(src, Size);
    dst.SetSize(Size.Width, Size.Height);
    const double rate = MeasureMpixelsPerSecond(Size.Pixels(), [&] {
        Bmp32::BlockTransfer(&dst, 0, 0, dst.BoundsRect(), &src, src.BoundsRect(), Bmp32::dmOpaque);
        KeepMemory(dst.GetBits());
    });
    PrintRateRow("BlockTransfer opaque", rate, References.Memcpy, "memcpy");
}

void BenchStretchTransfer(const TBufferSize& Size, const TReferenceRates& References) {
    PrintSectionHeading("stretch (destination pixels)");
    TBitmap32 src;
    FillWithRandomPixels(src, Size);
    for (const TResamplerKind& kind : RESAMPLER_KINDS) {
        kind.Attach(src);
        for (double scale : {2.0, 0.5}) {
            const std::string name =
                std::string("StretchTransfer ") + kind.Name + (scale > 1 ? " 2x" : " 0.5x");
            PrintRateRow(name.c_str(), StretchRate(src, scale), References.Memcpy, "memcpy");
        }
    }
}

} // namespace Bench

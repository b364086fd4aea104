// Super-samplers, kernel samplers and whole-bitmap convolution and morphology.
#include "bitmap32/Bmp32_ResamplersSamplers.h"

#include "bitmap32/Bmp32_Blend.h"
#include "bitmap32/Bmp32_Rasterizers.h"
#include "bitmap32/Bmp32_TransformsWarps.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace Bmp32 {

namespace {

int Channel(TColor32 Color, int Shift) {
    return int(Color >> Shift & 0xFF);
}

// Applies Op(channel total, channel of Color) to each of the four channels.
template <typename TOp> void ForChannels(TBufferEntry& Buffer, TColor32 Color, TOp Op) {
    Op(Buffer.B, Channel(Color, 0));
    Op(Buffer.G, Channel(Color, 8));
    Op(Buffer.R, Channel(Color, 16));
    Op(Buffer.A, Channel(Color, 24));
}

template <typename TOp> TColor32 ColorFromChannels(const TBufferEntry& Buffer, TOp Op) {
    return TColor32(Op(Buffer.A) & 0xFF) << 24 | TColor32(Op(Buffer.R) & 0xFF) << 16 |
           TColor32(Op(Buffer.G) & 0xFF) << 8 | TColor32(Op(Buffer.B) & 0xFF);
}

} // namespace

void IncBuffer(TBufferEntry& Buffer, TColor32 Color) {
    ForChannels(Buffer, Color, [](int& Total, int C) { Total += C; });
}

void MultiplyBuffer(TBufferEntry& Buffer, int W) {
    Buffer = {Buffer.B * W, Buffer.G * W, Buffer.R * W, Buffer.A * W};
}

void ShrBuffer(TBufferEntry& Buffer, int Shift) {
    auto shr = [Shift](int V) { return int(Cardinal(V) >> Shift); };
    Buffer = {shr(Buffer.B), shr(Buffer.G), shr(Buffer.R), shr(Buffer.A)};
}

TColor32 BufferToColor32(const TBufferEntry& Buffer, int Shift) {
    return ColorFromChannels(Buffer, [Shift](int V) { return int(Cardinal(V) >> Shift); });
}

// ---- TSuperSampler --------------------------------------------------------------------------

TSuperSampler::TSuperSampler(TCustomSampler* ASampler) : TNestedSampler(ASampler) {
    Recompute();
}

void TSuperSampler::SetSamplingX(int Value) {
    FSamplingX = Value;
    Recompute();
}

void TSuperSampler::SetSamplingY(int Value) {
    FSamplingY = Value;
    Recompute();
}

void TSuperSampler::Recompute() {
    if (FSamplingX < 1 || FSamplingY < 1) {
        FDistanceX = FDistanceY = FOffsetX = FOffsetY = FScale = 0;
        return;
    }
    FDistanceX = Fixed(1.0f / float(FSamplingX));
    FDistanceY = Fixed(1.0f / float(FSamplingY));
    FOffsetX = Fixed((1.0f / float(FSamplingX) - 1) / 2);
    FOffsetY = Fixed((1.0f / float(FSamplingY) - 1) / 2);
    FScale = Fixed(1.0f / float(FSamplingX * FSamplingY));
}

TColor32 TSuperSampler::GetSampleFixed(TFixed X, TFixed Y) {
    if (FSamplingY < 1) return 0;
    TCustomSampler& inner = Inner();
    TBufferEntry buffer = EMPTY_ENTRY;
    TFixed v = Y + FOffsetY;
    for (int j = 0; j < FSamplingY; ++j) {
        TFixed u = X + FOffsetX;
        for (int i = 0; i < FSamplingX; ++i) {
            IncBuffer(buffer, inner.GetSampleFixed(u, v));
            u += FDistanceX;
        }
        v += FDistanceY;
    }
    MultiplyBuffer(buffer, FScale);
    return BufferToColor32(buffer, 16);
}

// ---- TAdaptiveSuperSampler ------------------------------------------------------------------

TAdaptiveSuperSampler::TAdaptiveSuperSampler(TCustomSampler* ASampler) : TNestedSampler(ASampler) {
    SetLevel(4);
}

void TAdaptiveSuperSampler::SetLevel(int Value) {
    FLevel = Value;
    FMinOffset = Fixed(1.0f / float(1 << std::clamp(Value, 0, 30)));
}

bool TAdaptiveSuperSampler::CompareColors(TColor32 C1, TColor32 C2) {
    const TColor32 d = ColorDifference(C1, C2);
    EMMS();
    return Channel(d, 16) + Channel(d, 8) + Channel(d, 0) > FTolerance;
}

TColor32 TAdaptiveSuperSampler::Quadrant(TColor32 K1, TColor32 K2, TFixed X, TFixed Y,
                                         TFixed Offset, bool Diagonal) {
    if (!(CompareColors(K1, K2) && Offset >= FMinOffset)) return ColorAverage(K1, K2);
    EMMS();
    if (Diagonal) {
        // K1 top-left, K2 bottom-right.
        const TColor32 tr = InnerSample(X + Offset, Y - Offset);
        const TColor32 bl = InnerSample(X - Offset, Y + Offset);
        const TColor32 m = InnerSample(X, Y);
        return Recurse(X, Y, Offset >> 1, K1, tr, K2, bl, m);
    }
    // K1 top-right, K2 bottom-left.
    const TColor32 tl = InnerSample(X - Offset, Y - Offset);
    const TColor32 br = InnerSample(X + Offset, Y + Offset);
    const TColor32 m = InnerSample(X, Y);
    return Recurse(X, Y, Offset >> 1, tl, K1, br, K2, m);
}

TColor32 TAdaptiveSuperSampler::Recurse(TFixed X, TFixed Y, TFixed Offset, TColor32 TL, TColor32 TR,
                                        TColor32 BR, TColor32 BL, TColor32 M) {
    const TColor32 q1 = Quadrant(TL, M, X - Offset, Y - Offset, Offset, true);
    const TColor32 q2 = Quadrant(TR, M, X + Offset, Y - Offset, Offset, false);
    const TColor32 q3 = Quadrant(M, BR, X + Offset, Y + Offset, Offset, true);
    const TColor32 q4 = Quadrant(M, BL, X - Offset, Y + Offset, Offset, false);
    return ColorAverage(ColorAverage(q1, q2), ColorAverage(q3, q4));
}

TColor32 TAdaptiveSuperSampler::GetSampleFixed(TFixed X, TFixed Y) {
    const TColor32 tl = InnerSample(X - 0x8000, Y - 0x8000);
    const TColor32 tr = InnerSample(X + 0x8000, Y - 0x8000);
    const TColor32 br = InnerSample(X + 0x8000, Y + 0x8000);
    const TColor32 bl = InnerSample(X - 0x8000, Y + 0x8000);
    const TColor32 m = InnerSample(X, Y);
    const TColor32 result = Recurse(X, Y, 0x4000, tl, tr, br, bl, m);
    EMMS();
    return result;
}

// ---- Patterns -------------------------------------------------------------------------------

TFixedSamplePattern CreateJitteredPattern(int TileWidth, int TileHeight, int SamplesX, int SamplesY) {
    auto random16 = [] { return std::min(int(UniformRandom() * 65536), 65535); };
    TFixedSamplePattern pattern(std::max(TileHeight, 0));
    for (auto& row : pattern) {
        row.resize(std::max(TileWidth, 0));
        for (auto& list : row) {
            list.resize(std::size_t(std::max(SamplesX, 0)) * std::max(SamplesY, 0));
            for (int j = 0; j < SamplesY; ++j)
                for (int i = 0; i < SamplesX; ++i) {
                    const int r1 = random16();
                    const int r2 = random16();
                    list[std::size_t(j) * SamplesX + i] = {(r1 + i * 65536) / SamplesX - 32768,
                                                           (r2 + j * 65536) / SamplesY - 32768};
                }
        }
    }
    return pattern;
}

namespace {

// The remainder of A by B (B > 0), never negative, so that a pattern tiles the whole plane.
int Wrap(int A, int B) {
    const int r = A % B;
    return r < 0 ? r + B : r;
}

} // namespace

TColor32 TPatternSampler::GetSampleFixed(TFixed X, TFixed Y) {
    if (FPattern.empty() || FPattern[0].empty()) return Inner().GetSampleFixed(X, Y);
    const int height = int(FPattern.size()), width = int(FPattern[0].size());
    const auto& row = FPattern[std::size_t(Wrap(Y >> 16, height))];
    const std::vector<TFixedPoint>& offsets = row[std::size_t(Wrap(X >> 16, width))];
    if (offsets.empty()) return Inner().GetSampleFixed(X, Y);
    TCustomSampler& inner = Inner();
    TBufferEntry buffer = EMPTY_ENTRY;
    for (const TFixedPoint& p : offsets)
        IncBuffer(buffer, inner.GetSampleFixed(X + p.X, Y + p.Y));
    MultiplyBuffer(buffer, 0x10000 / int(offsets.size()));
    return BufferToColor32(buffer, 16);
}

// ---- TKernelSampler -------------------------------------------------------------------------

TKernelSampler::TKernelSampler(TCustomSampler* ASampler)
    : TNestedSampler(ASampler), FKernel(new TIntegerMap) {}

TKernelSampler::~TKernelSampler() {
    delete FKernel;
}

void TKernelSampler::SetKernel(const TIntegerMap& Value) {
    FKernel->SetSize(Value.GetWidth(), Value.GetHeight());
    if (!Value.Empty())
        std::memcpy(FKernel->GetBits(), Value.GetBits(),
                    sizeof(int) * std::size_t(Value.GetWidth()) * Value.GetHeight());
}

TColor32 TKernelSampler::GetSampleInt(int X, int Y) {
    TCustomSampler& inner = Inner();
    const int x0 = X + FCenterX, y0 = Y + FCenterY;
    TBufferEntry buffer = FStartEntry;
    for (int i = 0; i < FKernel->GetWidth(); ++i)
        for (int j = 0; j < FKernel->GetHeight(); ++j)
            UpdateBuffer(buffer, inner.GetSampleInt(x0 - i, y0 - j), FKernel->GetValue(i, j));
    return ConvertBuffer(buffer);
}

TColor32 TKernelSampler::GetSampleFixed(TFixed X, TFixed Y) {
    TCustomSampler& inner = Inner();
    const TFixed x0 = X + FCenterX * FixedOne, y0 = Y + FCenterY * FixedOne;
    TBufferEntry buffer = FStartEntry;
    for (int i = 0; i < FKernel->GetWidth(); ++i)
        for (int j = 0; j < FKernel->GetHeight(); ++j)
            UpdateBuffer(buffer, inner.GetSampleFixed(x0 - i * FixedOne, y0 - j * FixedOne),
                         FKernel->GetValue(i, j));
    return ConvertBuffer(buffer);
}

void TKernelSampler::UpdateBuffer(TBufferEntry&, TColor32, int) {}

TColor32 TKernelSampler::ConvertBuffer(TBufferEntry& Buffer) {
    return ColorFromChannels(Buffer, [](int V) { return std::clamp(V, 0, 65535) >> 8; });
}

void TConvolver::UpdateBuffer(TBufferEntry& Buffer, TColor32 Color, int Weight) {
    ForChannels(Buffer, Color, [Weight](int& Total, int C) { Total += C * Weight; });
}

TColor32 TSelectiveConvolver::GetSampleInt(int X, int Y) {
    FRefColor = Inner().GetSampleInt(X, Y);
    FWeightSum = EMPTY_ENTRY;
    return TKernelSampler::GetSampleInt(X, Y);
}

TColor32 TSelectiveConvolver::GetSampleFixed(TFixed X, TFixed Y) {
    FRefColor = Inner().GetSampleFixed(X, Y);
    FWeightSum = EMPTY_ENTRY;
    return TKernelSampler::GetSampleFixed(X, Y);
}

void TSelectiveConvolver::UpdateBuffer(TBufferEntry& Buffer, TColor32 Color, int Weight) {
    int* totals[4] = {&Buffer.B, &Buffer.G, &Buffer.R, &Buffer.A};
    int* sums[4] = {&FWeightSum.B, &FWeightSum.G, &FWeightSum.R, &FWeightSum.A};
    for (int c = 0; c < 4; ++c) {
        const int value = Channel(Color, 8 * c);
        if (std::abs(Channel(FRefColor, 8 * c) - value) > FDelta) continue;
        *totals[c] += value * Weight;
        *sums[c] += Weight;
    }
}

TColor32 TSelectiveConvolver::ConvertBuffer(TBufferEntry& Buffer) {
    const int totals[4] = {Buffer.B, Buffer.G, Buffer.R, Buffer.A};
    const int sums[4] = {FWeightSum.B, FWeightSum.G, FWeightSum.R, FWeightSum.A};
    TColor32 result = 0;
    for (int c = 0; c < 4; ++c) {
        const int value = sums[c] != 0 ? totals[c] / sums[c] : Channel(FRefColor, 8 * c);
        result |= TColor32(value & 0xFF) << (8 * c);
    }
    return result;
}

TColor32 TMorphologicalSampler::ConvertBuffer(TBufferEntry& Buffer) {
    return ColorFromChannels(Buffer, [](int V) { return std::clamp(V, 0, 255); });
}

void TDilater::UpdateBuffer(TBufferEntry& Buffer, TColor32 Color, int Weight) {
    ForChannels(Buffer, Color, [Weight](int& Total, int C) { Total = std::max(Total, C + Weight); });
}

TEroder::TEroder(TCustomSampler* ASampler) : TMorphologicalSampler(ASampler) {
    FStartEntry = {0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};
}

void TEroder::UpdateBuffer(TBufferEntry& Buffer, TColor32 Color, int Weight) {
    ForChannels(Buffer, Color, [Weight](int& Total, int C) { Total = std::min(Total, C - Weight); });
}

void TExpander::UpdateBuffer(TBufferEntry& Buffer, TColor32 Color, int Weight) {
    ForChannels(Buffer, Color, [Weight](int& Total, int C) { Total = std::max(Total, C * Weight); });
}

void TContracter::PrepareSampling() {
    TExpander::PrepareSampling();
    int largest = 0;
    const TIntegerMap& kernel = *GetKernel();
    for (int j = 0; j < kernel.GetHeight(); ++j)
        for (int i = 0; i < kernel.GetWidth(); ++i)
            largest = std::max(largest, kernel.GetValue(i, j));
    FMaxWeight = Gray32(Byte(std::min(largest, 255)), 255);
}

void TContracter::UpdateBuffer(TBufferEntry& Buffer, TColor32 Color, int Weight) {
    TExpander::UpdateBuffer(Buffer, ~Color, Weight);
}

TColor32 TContracter::ConvertBuffer(TBufferEntry& Buffer) {
    const TColor32 result = ColorSub(FMaxWeight, TExpander::ConvertBuffer(Buffer));
    EMMS();
    return result;
}

// ---- Whole bitmaps --------------------------------------------------------------------------

namespace {

template <typename TSampler>
void RunKernel(TBitmap32* Src, TBitmap32* Dst, const TIntegerMap& Kernel, int CenterX, int CenterY) {
    std::unique_ptr<TRasterizer> rasterizer(DefaultRasterizerClass());
    Dst->SetSizeFrom(Src);
    TSampler sampler(Src->GetResampler());
    sampler.SetKernel(Kernel);
    sampler.SetCenterX(CenterX);
    sampler.SetCenterY(CenterY);
    rasterizer->SetSampler(&sampler);
    if (Dst != Src) {
        rasterizer->Rasterize(Dst);
        return;
    }
    // Writing into the bitmap being read: draw into a copy, then take the result.
    TBitmap32 target;
    target.SetSize(Src->GetWidth(), Src->GetHeight());
    rasterizer->Rasterize(&target);
    if (!target.Empty())
        std::memcpy(Dst->GetBits(), target.GetBits(),
                    sizeof(TColor32) * std::size_t(Dst->GetWidth()) * Dst->GetHeight());
    Dst->Changed();
}

} // namespace

void Convolve(TBitmap32* Src, TBitmap32* Dst, const TIntegerMap& Kernel, int CenterX, int CenterY) {
    RunKernel<TConvolver>(Src, Dst, Kernel, CenterX, CenterY);
}

void Dilate(TBitmap32* Src, TBitmap32* Dst, const TIntegerMap& Kernel, int CenterX, int CenterY) {
    RunKernel<TDilater>(Src, Dst, Kernel, CenterX, CenterY);
}

void Erode(TBitmap32* Src, TBitmap32* Dst, const TIntegerMap& Kernel, int CenterX, int CenterY) {
    RunKernel<TEroder>(Src, Dst, Kernel, CenterX, CenterY);
}

void Expand(TBitmap32* Src, TBitmap32* Dst, const TIntegerMap& Kernel, int CenterX, int CenterY) {
    RunKernel<TExpander>(Src, Dst, Kernel, CenterX, CenterY);
}

void Contract(TBitmap32* Src, TBitmap32* Dst, const TIntegerMap& Kernel, int CenterX, int CenterY) {
    RunKernel<TContracter>(Src, Dst, Kernel, CenterX, CenterY);
}

} // namespace Bmp32

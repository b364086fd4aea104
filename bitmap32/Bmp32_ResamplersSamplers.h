// Samplers that wrap another sampler and change what a sample means: regular, adaptive and
// patterned super-sampling, and the kernel samplers (convolution, edge-preserving
// convolution, dilation, erosion, expansion, contraction), with the functions that run a
// whole bitmap through one of them.
#pragma once

#include "bitmap32/Bmp32_OrdinalMaps.h"
#include "bitmap32/Bmp32_Resamplers.h"

#include <vector>

namespace Bmp32 {

void IncBuffer(TBufferEntry& Buffer, TColor32 Color);
void MultiplyBuffer(TBufferEntry& Buffer, int W);
void ShrBuffer(TBufferEntry& Buffer, int Shift);
// The low 8 bits of each channel shifted right by Shift.
TColor32 BufferToColor32(const TBufferEntry& Buffer, int Shift);

// Averages a SamplingX x SamplingY grid of sub-samples spread evenly over the pixel.
class TSuperSampler : public TNestedSampler {
    DECLARE_CLASS(TSuperSampler, TNestedSampler)
public:
    explicit TSuperSampler(TCustomSampler* ASampler = nullptr);

    int GetSamplingX() const { return FSamplingX; }
    void SetSamplingX(int Value);
    int GetSamplingY() const { return FSamplingY; }
    void SetSamplingY(int Value);

    TColor32 GetSampleFixed(TFixed X, TFixed Y) override;

private:
    void Recompute();
    int FSamplingX = 4, FSamplingY = 4;
    TFixed FDistanceX = 0, FDistanceY = 0, FOffsetX = 0, FOffsetY = 0, FScale = 0;
};

// Samples the corners and the middle of a pixel and splits it further only where they
// differ by more than Tolerance, down to quadrants of 1 / 2^Level pixel.
class TAdaptiveSuperSampler : public TNestedSampler {
    DECLARE_CLASS(TAdaptiveSuperSampler, TNestedSampler)
public:
    explicit TAdaptiveSuperSampler(TCustomSampler* ASampler = nullptr);

    int GetLevel() const { return FLevel; }
    void SetLevel(int Value);
    int GetTolerance() const { return FTolerance; }
    void SetTolerance(int Value) { FTolerance = Value; }

    TColor32 GetSampleFixed(TFixed X, TFixed Y) override;
    // True when the red, green and blue of ColorDifference sum above Tolerance.
    virtual bool CompareColors(TColor32 C1, TColor32 C2);

private:
    TColor32 Recurse(TFixed X, TFixed Y, TFixed Offset, TColor32 TL, TColor32 TR, TColor32 BR,
                     TColor32 BL, TColor32 M);
    TColor32 Quadrant(TColor32 K1, TColor32 K2, TFixed X, TFixed Y, TFixed Offset, bool Diagonal);
    TColor32 InnerSample(TFixed X, TFixed Y) { return Inner().GetSampleFixed(X, Y); }
    int FLevel = 4;
    TFixed FMinOffset = 0;
    int FTolerance = 256;
};

// Rows of columns of sub-sample offsets (16.16, from the pixel's centre).
using TFixedSamplePattern = std::vector<std::vector<std::vector<TFixedPoint>>>;

// TileHeight rows of TileWidth lists, each one point in every cell of a SamplesX x SamplesY
// grid over the pixel, placed at random (UniformRandom) inside its cell.
TFixedSamplePattern CreateJitteredPattern(int TileWidth, int TileHeight, int SamplesX, int SamplesY);

// Averages the sub-samples of the pattern list that tiles the plane at each pixel.
class TPatternSampler : public TNestedSampler {
    DECLARE_CLASS(TPatternSampler, TNestedSampler)
public:
    using TNestedSampler::TNestedSampler;

    const TFixedSamplePattern& GetPattern() const { return FPattern; }
    void SetPattern(const TFixedSamplePattern& Value) { FPattern = Value; }

    TColor32 GetSampleFixed(TFixed X, TFixed Y) override;

private:
    TFixedSamplePattern FPattern;
};

// Combines the inner samples under every cell of Kernel (owned), cell (I, J) reading the
// sample I pixels left and J pixels above the point moved by (CenterX, CenterY).
class TKernelSampler : public TNestedSampler {
    DECLARE_CLASS(TKernelSampler, TNestedSampler)
public:
    explicit TKernelSampler(TCustomSampler* ASampler = nullptr);
    ~TKernelSampler() override;

    TIntegerMap* GetKernel() const { return FKernel; }
    // Copies Value's size and weights.
    void SetKernel(const TIntegerMap& Value);
    int GetCenterX() const { return FCenterX; }
    void SetCenterX(int Value) { FCenterX = Value; }
    int GetCenterY() const { return FCenterY; }
    void SetCenterY(int Value) { FCenterY = Value; }

    TColor32 GetSampleInt(int X, int Y) override;
    TColor32 GetSampleFixed(TFixed X, TFixed Y) override;

protected:
    virtual void UpdateBuffer(TBufferEntry& Buffer, TColor32 Color, int Weight);
    // Each channel clamped to 0..65535, then its bits 8..15.
    virtual TColor32 ConvertBuffer(TBufferEntry& Buffer);
    TBufferEntry FStartEntry = EMPTY_ENTRY;

private:
    TIntegerMap* FKernel;
    int FCenterX = 0, FCenterY = 0;
};

// The weighted sum (weights in 256ths).
class TConvolver : public TKernelSampler {
    DECLARE_CLASS(TConvolver, TKernelSampler)
public:
    using TKernelSampler::TKernelSampler;

protected:
    void UpdateBuffer(TBufferEntry& Buffer, TColor32 Color, int Weight) override;
};

// The weighted average of the neighbours whose channel lies within Delta of the pixel's own.
class TSelectiveConvolver : public TKernelSampler {
    DECLARE_CLASS(TSelectiveConvolver, TKernelSampler)
public:
    using TKernelSampler::TKernelSampler;

    int GetDelta() const { return FDelta; }
    void SetDelta(int Value) { FDelta = Value; }

    TColor32 GetSampleInt(int X, int Y) override;
    TColor32 GetSampleFixed(TFixed X, TFixed Y) override;

protected:
    void UpdateBuffer(TBufferEntry& Buffer, TColor32 Color, int Weight) override;
    // A channel that no neighbour passed keeps the pixel's own value.
    TColor32 ConvertBuffer(TBufferEntry& Buffer) override;

private:
    TColor32 FRefColor = 0;
    int FDelta = 30;
    TBufferEntry FWeightSum;
};

// Channels clamped to 0..255.
class TMorphologicalSampler : public TKernelSampler {
    DECLARE_CLASS(TMorphologicalSampler, TKernelSampler)
public:
    using TKernelSampler::TKernelSampler;

protected:
    TColor32 ConvertBuffer(TBufferEntry& Buffer) override;
};

// The maximum of channel + weight.
class TDilater : public TMorphologicalSampler {
    DECLARE_CLASS(TDilater, TMorphologicalSampler)
public:
    using TMorphologicalSampler::TMorphologicalSampler;

protected:
    void UpdateBuffer(TBufferEntry& Buffer, TColor32 Color, int Weight) override;
};

// The minimum of channel - weight.
class TEroder : public TMorphologicalSampler {
    DECLARE_CLASS(TEroder, TMorphologicalSampler)
public:
    explicit TEroder(TCustomSampler* ASampler = nullptr);

protected:
    void UpdateBuffer(TBufferEntry& Buffer, TColor32 Color, int Weight) override;
};

// The maximum of channel x weight (weights in 256ths).
class TExpander : public TKernelSampler {
    DECLARE_CLASS(TExpander, TKernelSampler)
public:
    using TKernelSampler::TKernelSampler;

protected:
    void UpdateBuffer(TBufferEntry& Buffer, TColor32 Color, int Weight) override;
};

// The expansion of the inverted colours, inverted back against the largest weight.
class TContracter : public TExpander {
    DECLARE_CLASS(TContracter, TExpander)
public:
    using TExpander::TExpander;

    void PrepareSampling() override;

protected:
    void UpdateBuffer(TBufferEntry& Buffer, TColor32 Color, int Weight) override;
    TColor32 ConvertBuffer(TBufferEntry& Buffer) override;

private:
    TColor32 FMaxWeight = 0;
};

// Dst takes Src's size and every pixel sampled from Src's resampler through the kernel
// sampler, visited by a rasterizer of DefaultRasterizerClass. Kernel stays the caller's;
// Dst may be Src.
void Convolve(TBitmap32* Src, TBitmap32* Dst, const TIntegerMap& Kernel, int CenterX, int CenterY);
void Dilate(TBitmap32* Src, TBitmap32* Dst, const TIntegerMap& Kernel, int CenterX, int CenterY);
void Erode(TBitmap32* Src, TBitmap32* Dst, const TIntegerMap& Kernel, int CenterX, int CenterY);
void Expand(TBitmap32* Src, TBitmap32* Dst, const TIntegerMap& Kernel, int CenterX, int CenterY);
void Contract(TBitmap32* Src, TBitmap32* Dst, const TIntegerMap& Kernel, int CenterX, int CenterY);

} // namespace Bmp32

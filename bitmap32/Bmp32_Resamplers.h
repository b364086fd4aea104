// Drawing one bitmap onto another: the unscaled block transfer, the stretching transfer
// through a resampler, and the pixel-by-pixel blend of two sources. Also the resamplers a
// bitmap reads and stretches its pixels with (nearest, linear, draft and kernel), the filter
// kernels, the samplers that read through a transformation, and the registries that find
// resampler and kernel classes by name.
//
// Every transfer clips against both bitmaps, honours the source's draw mode, MasterAlpha,
// CombineMode and OuterColor, and announces the area it touched on the destination.
#pragma once

#include "bitmap32/Bmp32.h"
#include "bitmap32/Bmp32_Blend.h"
#include "bitmap32/Bmp32_Containers.h"
#include "bitmap32/Bmp32_Transforms.h"
#include "classlib/UnitInit.h"

#include <vector>

namespace Bmp32 {

// Null bitmaps.
DECLARE_EXCEPTION(EBitmapException, Exception);
// A source rectangle that leaves the source bitmap.
DECLARE_EXCEPTION(ESrcInvalidException, Exception);
// A nested sampler without its inner sampler.
DECLARE_EXCEPTION(ENestedException, Exception);

// ---- Transfers ----------------------------------------------------------------------------

// Copies SrcRect of Src unscaled to (DstX, DstY) of Dst inside DstClip, both rectangles
// clipped silently to their bitmaps. dmCustom without a callback copies opaquely. Announces
// the destination rectangle written (in measuring mode: the one that would be written
// unclipped). Raises EBitmapException for a null bitmap.
void BlockTransfer(TBitmap32* Dst, int DstX, int DstY, TRect DstClip, TBitmap32* Src, TRect SrcRect,
                   TDrawMode CombineOp, const TPixelCombineEvent& CombineCallBack = {});

// Maps SrcRect of Src onto DstRect of Dst inside DstClip through Resampler (the unscaled
// copy when the sizes are equal), and announces DstRect. An empty SrcRect does nothing;
// one that leaves Src raises ESrcInvalidException "Source rectangle is invalid".
void StretchTransfer(TBitmap32* Dst, const TRect& DstRect, TRect DstClip, TBitmap32* Src,
                     const TRect& SrcRect, TCustomResampler* Resampler, TDrawMode CombineOp,
                     const TPixelCombineEvent& CombineCallBack = {});

// Dst[X, Y] := BlendCallback(SrcF pixel, SrcB pixel) over the part of DstClip that both
// source rectangles, placed at (DstX, DstY), cover; announces that part. The second form
// passes MasterAlpha to its callback.
void BlendTransfer(TBitmap32* Dst, int DstX, int DstY, TRect DstClip, TBitmap32* SrcF,
                   TRect SrcRectF, TBitmap32* SrcB, TRect SrcRectB, TBlendReg BlendCallback);
void BlendTransfer(TBitmap32* Dst, int DstX, int DstY, TRect DstClip, TBitmap32* SrcF,
                   TRect SrcRectF, TBitmap32* SrcB, TRect SrcRectB, Byte MasterAlpha,
                   TBlendRegEx BlendCallback);

// ---- Kernels ------------------------------------------------------------------------------

class TCustomKernel;
// Makes a kernel of one registered class.
using TKernelFactory = TCustomKernel* (*)();

// A one-dimensional filter: its value at a distance from the sample point, and the distance
// beyond which it is 0.
class TCustomKernel : public TPersistent {
    DECLARE_CLASS(TCustomKernel, TPersistent)
public:
    // True when weighted sums can leave 0..255 and must be clamped.
    virtual bool RangeCheck() const;
    virtual float Filter(float Value) const = 0;
    virtual float GetWidth() const = 0;

    // Told about every change of a parameter; not owned, may be null.
    void SetObserver(TNotifiablePersistent* Observer) { FObserver = Observer; }
    void Changed();

private:
    TNotifiablePersistent* FObserver = nullptr;
};

// 1 from -0.5 to 0.5 inclusive, else 0.
class TBoxKernel : public TCustomKernel {
    DECLARE_CLASS(TBoxKernel, TCustomKernel)
public:
    float Filter(float Value) const override;
    float GetWidth() const override;
};

// The triangle 1 - |x| over -1 < x < 1.
class TLinearKernel : public TCustomKernel {
    DECLARE_CLASS(TLinearKernel, TCustomKernel)
public:
    float Filter(float Value) const override;
    float GetWidth() const override;
};

// ---- Samplers through a transformation ----------------------------------------------------

// A sampler that wraps another (not owned) and changes what a sample means. The forwarding
// operations raise ENestedException "Nested sampler is nil" without an inner sampler.
class TNestedSampler : public TCustomSampler {
    DECLARE_CLASS(TNestedSampler, TCustomSampler)
public:
    explicit TNestedSampler(TCustomSampler* ASampler = nullptr) : FSampler(ASampler) {}

    TCustomSampler* GetSampler() const { return FSampler; }
    void SetSampler(TCustomSampler* Value) { FSampler = Value; }

    void PrepareSampling() override;
    void FinalizeSampling() override;
    bool HasBounds() const override;
    TRect GetSampleBounds() const override;

protected:
    TCustomSampler& Inner() const;

private:
    TCustomSampler* FSampler;
};

// Samples the inner sampler at the reverse-transformed point. The transformation is not
// owned; without one the samples raise ETransformError.
class TTransformer : public TNestedSampler {
    DECLARE_CLASS(TTransformer, TNestedSampler)
public:
    TTransformer(TCustomSampler* ASampler, TTransformation* ATransformation)
        : TNestedSampler(ASampler), FTransformation(ATransformation) {}

    TTransformation* GetTransformation() const { return FTransformation; }
    void SetTransformation(TTransformation* Value) { FTransformation = Value; }

    TColor32 GetSampleInt(int X, int Y) override;
    TColor32 GetSampleFixed(TFixed X, TFixed Y) override;
    TColor32 GetSampleFloat(float X, float Y) override;
    // The inner preparation, then the transformation's when its parameters changed.
    void PrepareSampling() override;
    bool HasBounds() const override;
    TRect GetSampleBounds() const override;

protected:
    TTransformation& Mapping() const;

private:
    TTransformation* FTransformation;
};

// Samples the inner sampler at whole pixels only.
class TNearestTransformer : public TTransformer {
    DECLARE_CLASS(TNearestTransformer, TTransformer)
public:
    using TTransformer::TTransformer;

    TColor32 GetSampleInt(int X, int Y) override;
    TColor32 GetSampleFixed(TFixed X, TFixed Y) override;
    TColor32 GetSampleFloat(float X, float Y) override;
};

// The kind of transformer a transformation should wrap around a resampler.
using TTransformerClass = TTransformer* (*)(TCustomSampler* Sampler,
                                            TTransformation* Transformation);

template <typename TClass>
TTransformer* MakeTransformer(TCustomSampler* Sampler, TTransformation* Transformation) {
    return new TClass(Sampler, Transformation);
}

// ---- Resamplers ---------------------------------------------------------------------------

enum TPixelAccessMode : Byte {
    pamUnsafe, // no bounds checks: every read must lie inside the bitmap
    pamSafe,   // reads outside ClipRect give OuterColor
    pamWrap    // coordinates wrap around the bitmap by its WrapMode
};

// The resamplers of a TBitmap32. One made with a bitmap becomes that bitmap's Resampler
// (the bitmap owns it from then on). PrepareSampling and FinalizeSampling bracket a batch
// of sample reads; the transfers call Resample without them.
class TBitmap32Resampler : public TCustomResampler {
    DECLARE_CLASS(TBitmap32Resampler, TCustomResampler)
public:
    explicit TBitmap32Resampler(TBitmap32* ABitmap);

    TBitmap32* GetBitmap() const { return FBitmap; }
    TPixelAccessMode GetPixelAccessMode() const { return FPixelAccessMode; }
    void SetPixelAccessMode(TPixelAccessMode Value);
    // The kind of transformer a transformation wraps around this resampler: a TTransformer.
    virtual TTransformerClass GetTransformerClass() const;

    // Also announces a change of the bitmap.
    void Changed() override;
    // Copies the bitmap's ClipRect; raises EBitmapException without a bitmap.
    void PrepareSampling() override;
    bool HasBounds() const override;
    // The bitmap's ClipRect.
    TRect GetSampleBounds() const override;

protected:
    TBitmap32& Bitmap() const;
    // The bitmap's ClipRect as it was when sampling started.
    const TRect& SamplingClipRect() const { return FClipRect; }

private:
    TBitmap32* FBitmap;
    TPixelAccessMode FPixelAccessMode = pamSafe;
    TRect FClipRect;
};

// Reads the pixel nearest to the sample point; stretches by repeating and dropping pixels.
class TNearestResampler : public TBitmap32Resampler {
    DECLARE_CLASS(TNearestResampler, TBitmap32Resampler)
public:
    explicit TNearestResampler(TBitmap32* ABitmap);

    TColor32 GetSampleInt(int X, int Y) override;
    // Rounds with FixedRound (an exact half goes down).
    TColor32 GetSampleFixed(TFixed X, TFixed Y) override;
    // Rounds halves to even.
    TColor32 GetSampleFloat(float X, float Y) override;
    // Binds the read to the pixel access mode.
    void PrepareSampling() override;
    float GetWidth() const override;
    // A TNearestTransformer.
    TTransformerClass GetTransformerClass() const override;
    void Resample(TBitmap32* Dst, const TRect& DstRect, TRect DstClip, TBitmap32* Src,
                  const TRect& SrcRect, TDrawMode CombineOp,
                  const TPixelCombineEvent& CombineCallBack) override;

private:
    TColor32 (TBitmap32::*FGetPixel)(int X, int Y) const;
};

// Reads bilinearly between the four pixels around the sample point; enlarges bilinearly and
// shrinks with its triangle kernel.
class TLinearResampler : public TBitmap32Resampler {
    DECLARE_CLASS(TLinearResampler, TBitmap32Resampler)
public:
    explicit TLinearResampler(TBitmap32* ABitmap);
    ~TLinearResampler() override;

    TColor32 GetSampleFixed(TFixed X, TFixed Y) override;
    TColor32 GetSampleFloat(float X, float Y) override;
    void PrepareSampling() override;
    float GetWidth() const override;
    void Resample(TBitmap32* Dst, const TRect& DstRect, TRect DstClip, TBitmap32* Src,
                  const TRect& SrcRect, TDrawMode CombineOp,
                  const TPixelCombineEvent& CombineCallBack) override;

protected:
    TLinearKernel& Kernel() const { return *FKernel; }

private:
    TLinearKernel* FKernel;
    TColor32 (TBitmap32::*FGetPixelX)(TFixed X, TFixed Y) const;
};

// Shrinks by averaging whole blocks of pixels: fast, and exact for whole-number ratios.
class TDraftResampler : public TLinearResampler {
    DECLARE_CLASS(TDraftResampler, TLinearResampler)
public:
    using TLinearResampler::TLinearResampler;

    void Resample(TBitmap32* Dst, const TRect& DstRect, TRect DstClip, TBitmap32* Src,
                  const TRect& SrcRect, TDrawMode CombineOp,
                  const TPixelCombineEvent& CombineCallBack) override;
};

enum TKernelMode : Byte {
    kmDynamic,      // weights computed from the kernel for every sample
    kmTableNearest, // weights from the nearest row of a precomputed table
    kmTableLinear   // weights blended between the two nearest table rows
};

// Samples and stretches with any registered kernel (a TBoxKernel at first).
class TKernelResampler : public TBitmap32Resampler {
    DECLARE_CLASS(TKernelResampler, TBitmap32Resampler)
public:
    explicit TKernelResampler(TBitmap32* ABitmap);
    ~TKernelResampler() override;

    TCustomKernel* GetKernel() const { return FKernel; }
    // Takes ownership of Value, freeing the previous kernel; raises EInvalidOperation for
    // null.
    void SetKernel(TCustomKernel* Value);
    AnsiString GetKernelClassName() const;
    // Replaces the kernel by a new one of the registered class Value; an unknown name
    // changes nothing.
    void SetKernelClassName(const AnsiString& Value);
    TKernelMode GetKernelMode() const { return FKernelMode; }
    void SetKernelMode(TKernelMode Value);
    int GetTableSize() const { return FTableSize; }
    // Values below 2 become 2.
    void SetTableSize(int Value);

    // Raises EInvalidOperation outside PrepareSampling .. FinalizeSampling.
    TColor32 GetSampleFloat(float X, float Y) override;
    void PrepareSampling() override;
    void FinalizeSampling() override;
    float GetWidth() const override;
    void Resample(TBitmap32* Dst, const TRect& DstRect, TRect DstClip, TBitmap32* Src,
                  const TRect& SrcRect, TDrawMode CombineOp,
                  const TPixelCombineEvent& CombineCallBack) override;

private:
    // The weights of the offsets -W .. W from the integer sample position, for the fraction
    // Fraction (0 <= Fraction < 1) between it and the sample point.
    void FillWeights(std::vector<int>& Weights, float Fraction) const;
    const int* TableRow(int Row) const;

    TCustomKernel* FKernel = nullptr;
    TKernelMode FKernelMode = kmDynamic;
    int FTableSize = 32;
    // Set between PrepareSampling and FinalizeSampling.
    bool FPrepared = false;
    int FRadius = 0;
    TColor32 FOuterColor = 0;
    // TableSize + 1 rows of 2 * FRadius + 1 weights (table modes only).
    std::vector<int> FWeightTable;
    std::vector<int> FHorzWeights;
    std::vector<int> FVertWeights;
    std::vector<int> FWrappedColumns;
};

// ---- Scaling procedures -------------------------------------------------------------------
// The algorithms behind the resamplers. Each takes the arguments of Resample; DstClip must lie
// inside Dst and DstRect, and SrcRect inside Src.

// Raises EBitmapException "Destination bitmap is nil" or "Source bitmap is nil".
void CheckBitmaps(const TBitmap32* Dst, const TBitmap32* Src);
// False for an empty SrcRect; raises ESrcInvalidException "Source rectangle is invalid" for
// one that leaves Src.
bool CheckSrcRect(const TBitmap32& Src, const TRect& SrcRect);

// Copies the already clipped DstRect row by row from (SrcX, SrcY) of Src by CombineOp.
void BlockTransferX(TBitmap32* Dst, const TRect& DstRect, TBitmap32* Src, int SrcX, int SrcY,
                    TDrawMode CombineOp, const TPixelCombineEvent& CombineCallBack);

// Four channel accumulators of weighted sums.
struct TBufferEntry {
    int B = 0;
    int G = 0;
    int R = 0;
    int A = 0;
};
inline constexpr TBufferEntry EMPTY_ENTRY{};

// One weight, scaled by 256, per source position that a destination position draws from.
struct TWeightPair {
    int Pos;
    int Weight;
    bool operator==(const TWeightPair&) const = default;
};
using TCluster = std::vector<TWeightPair>;
// One cluster per clipped destination column (or row).
using TMappingTable = std::vector<TCluster>;

// The weights of one axis: destination DstLo..DstHi, clipped to ClipLo..ClipHi, drawing from
// source SrcLo..SrcHi through Kernel. The weights of each cluster sum to 256.
TMappingTable BuildMappingTable(int DstLo, int DstHi, int ClipLo, int ClipHi, int SrcLo, int SrcHi,
                                const TCustomKernel& Kernel);

// Separable two-pass resampling with Kernel.
void KernelResample(TBitmap32* Dst, const TRect& DstRect, const TRect& DstClip, TBitmap32* Src,
                    const TRect& SrcRect, const TCustomKernel& Kernel, TDrawMode CombineOp,
                    const TPixelCombineEvent& CombineCallBack);
// Bilinear enlarging; SrcRect must be at least 2 pixels wide and high.
void LinearStretch(TBitmap32* Dst, const TRect& DstRect, const TRect& DstClip, TBitmap32* Src,
                   const TRect& SrcRect, TDrawMode CombineOp,
                   const TPixelCombineEvent& CombineCallBack);
// Block averages when shrinking in both directions; otherwise LinearStretch, or
// KernelResample with Kernel for a source less than 2 pixels wide or high.
void DraftResample(TBitmap32* Dst, const TRect& DstRect, const TRect& DstClip, TBitmap32* Src,
                   const TRect& SrcRect, const TCustomKernel& Kernel, TDrawMode CombineOp,
                   const TPixelCombineEvent& CombineCallBack);
// The truncated average of each channel over a Width x Height block whose first pixel is
// First, rows Pitch pixels apart.
TColor32 BlockAverage(int Width, int Height, const TColor32* First, int Pitch);

// ---- Registries ---------------------------------------------------------------------------

using TResamplerFactory = TBitmap32Resampler* (*)(TBitmap32* Bitmap);

// The registered classes, in registration order; null until the first registration.
extern TClassList* ResamplerList;
extern TClassList* KernelList;

// Adds the class to its list (made on first use) and to the class library's registry, and
// remembers how to make one.
void RegisterResampler(TClassReference Class, TResamplerFactory Create);
void RegisterKernel(TClassReference Class, TKernelFactory Create);

template <typename T> void RegisterResampler() {
    RegisterResampler(T::StaticClass(),
                      [](TBitmap32* Bitmap) -> TBitmap32Resampler* { return new T(Bitmap); });
}
template <typename T> void RegisterKernel() {
    RegisterKernel(T::StaticClass(), []() -> TCustomKernel* { return new T; });
}

// A new resampler of the class registered as ClassName (exact letter case), attached to
// Bitmap; null for an unknown name.
TBitmap32Resampler* CreateResampler(const AnsiString& ClassName, TBitmap32* Bitmap);
// A new kernel of the class registered as ClassName; null for an unknown name.
TCustomKernel* CreateKernel(const AnsiString& ClassName);

} // namespace Bmp32

DECLARE_UNIT(Bmp32_Resamplers)

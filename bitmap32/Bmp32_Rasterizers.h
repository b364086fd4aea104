// Rasterizers fill a rectangle of a bitmap pixel by pixel from a sampler, writing each colour
// by a draw mode. They differ in the order they visit pixels and in how often they announce
// progress, so that a slow sampler shows its result row by row, in blocks, coarse to fine or
// along colour contours while it is computed.
#pragma once

#include "bitmap32/Bmp32.h"
#include "bitmap32/Bmp32_Blend.h"
#include "classlib/UnitInit.h"

namespace Bmp32 {

// How samples are written into the destination.
struct TCombineInfo {
    int SrcAlpha = 255;
    TDrawMode DrawMode = dmOpaque;
    TCombineMode CombineMode = cmBlend;
    TPixelCombineEvent CombineCallback;
    TColor32 TransparentColor = 0xFF000000;
};

// The bitmap's own drawing settings; dmCustom without an OnPixelCombine handler is dmOpaque.
TCombineInfo CombineInfo(const TBitmap32& Bitmap);

class TRasterizer : public TThreadPersistent {
    DECLARE_CLASS(TRasterizer, TThreadPersistent)
public:
    // Not owned.
    TCustomSampler* GetSampler() const { return FSampler; }
    void SetSampler(TCustomSampler* Value);

    void Rasterize(TBitmap32* Dst);
    // Opaque writing.
    void Rasterize(TBitmap32* Dst, const TRect& DstRect);
    // Written by Src's draw mode, master alpha, combine mode and callback.
    void Rasterize(TBitmap32* Dst, const TRect& DstRect, const TBitmap32& Src);
    void Rasterize(TBitmap32* Dst, const TRect& DstRect, const TCombineInfo& Info);
    // Fills DstRect, clipped to Dst and to the sampler's bounds. Without a sampler nothing
    // happens; on failure Dst's updates are still closed and the sampler finalized.
    void Rasterize(TBitmap32* Dst, const TRect& DstRect, int SrcAlpha, TDrawMode DstMode,
                   TCombineMode CombineMode, const TPixelCombineEvent& CombineCallback);

protected:
    virtual void DoRasterize(TBitmap32* Dst, const TRect& DstRect) = 0;
    // Writes Src into Dst by the current draw mode.
    void AssignColor(TColor32& Dst, TColor32 Src) { (this->*FAssignColor)(Dst, Src); }
    // Writes the sample at (X, Y) into that pixel of Dst.
    TColor32 Sample(int X, int Y) { return FSampler->GetSampleInt(X, Y); }
    void WritePixel(TBitmap32* Dst, int X, int Y) { AssignColor(*Dst->GetPixelPtr(X, Y), Sample(X, Y)); }
    // Announces Area on Dst.
    static void Announce(TBitmap32* Dst, const TRect& Area) { Dst->Changed(Area, AREAINFO_RECT); }
    // Announces Area through Dst's OnAreaChanged only.
    static void AnnounceDirectly(TBitmap32* Dst, const TRect& Area);

private:
    void AssignColorOpaque(TColor32& Dst, TColor32 Src);
    void AssignColorBlend(TColor32& Dst, TColor32 Src);
    void AssignColorTransparent(TColor32& Dst, TColor32 Src);
    void AssignColorCustom(TColor32& Dst, TColor32 Src);

    TCustomSampler* FSampler = nullptr;
    int FSrcAlpha = 255;
    TBlendMemEx FBlendMemEx = nullptr;
    TPixelCombineEvent FCombineCallback;
    void (TRasterizer::*FAssignColor)(TColor32&, TColor32) = &TRasterizer::AssignColorOpaque;
    TColor32 FTransparentColor = 0xFF000000;
};

// Rows top to bottom, each left to right.
class TRegularRasterizer : public TRasterizer {
    DECLARE_CLASS(TRegularRasterizer, TRasterizer)
public:
    // Rows between announcements; 0 announces the whole rectangle once at the end.
    int GetUpdateRowCount() const { return FUpdateRowCount; }
    void SetUpdateRowCount(int Value) { FUpdateRowCount = Value; }

protected:
    void DoRasterize(TBitmap32* Dst, const TRect& DstRect) override;

private:
    int FUpdateRowCount = 0;
};

// Z-order (the bits of X and Y interleaved), announcing blocks of 1 shl BlockSize pixels.
class TSwizzlingRasterizer : public TRasterizer {
    DECLARE_CLASS(TSwizzlingRasterizer, TRasterizer)
public:
    int GetBlockSize() const { return FBlockSize; }
    void SetBlockSize(int Value);

protected:
    void DoRasterize(TBitmap32* Dst, const TRect& DstRect) override;

private:
    int FBlockSize = 3;
};

// Coarse to fine: blocks of 1 shl Steps pixels filled with one sample, then halved pass by
// pass down to single pixels.
class TProgressiveRasterizer : public TRasterizer {
    DECLARE_CLASS(TProgressiveRasterizer, TRasterizer)
public:
    int GetSteps() const { return FSteps; }
    void SetSteps(int Value);
    // Announce every block row instead of every pass.
    bool GetUpdateRows() const { return FUpdateRows; }
    void SetUpdateRows(bool Value);

protected:
    void DoRasterize(TBitmap32* Dst, const TRect& DstRect) override;

private:
    int FSteps = 4;
    bool FUpdateRows = true;
};

// Recursive subdivision: the top row and left column, then lines halving each region.
class TTesseralRasterizer : public TRasterizer {
    DECLARE_CLASS(TTesseralRasterizer, TRasterizer)
protected:
    void DoRasterize(TBitmap32* Dst, const TRect& DstRect) override;

private:
    void SplitVertically(TBitmap32* Dst, int X, int Y, int W, int H);
    void SplitHorizontally(TBitmap32* Dst, int X, int Y, int W, int H);
};

// Walks along colour contours, always to the least different unvisited neighbour.
class TContourRasterizer : public TRasterizer {
    DECLARE_CLASS(TContourRasterizer, TRasterizer)
protected:
    void DoRasterize(TBitmap32* Dst, const TRect& DstRect) override;
};

// Makes a rasterizer of one class.
using TRasterizerClass = TRasterizer* (*)();

template <typename T> TRasterizer* MakeRasterizer() {
    return new T;
}

// The class Transform and Convolve use when given no rasterizer: TRegularRasterizer.
extern TRasterizerClass DefaultRasterizerClass;

} // namespace Bmp32

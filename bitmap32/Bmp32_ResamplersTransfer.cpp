// The block, stretch and blend transfers between two bitmaps.
#include "bitmap32/Bmp32_Resamplers.h"

#include "bitmap32/Bmp32_LowLevel.h"

#include <algorithm>
#include <climits>
#include <memory>

namespace Bmp32 {

namespace {

// Blending leaves processor state to clear however the transfer ends.
struct TEmmsOnExit {
    TEmmsOnExit() = default;
    TEmmsOnExit(const TEmmsOnExit&) = delete;
    TEmmsOnExit& operator=(const TEmmsOnExit&) = delete;
    ~TEmmsOnExit() { EMMS(); }
};

// R moved by (Dx, Dy) and cut to Clip; all zeros when they do not meet. The move is made in
// 64 bits, so that rectangles placed far away clip instead of overflowing.
TRect MovedIntersection(const TRect& R, Int64 Dx, Int64 Dy, const TRect& Clip) {
    const Int64 left = std::max<Int64>(R.Left + Dx, Clip.Left);
    const Int64 top = std::max<Int64>(R.Top + Dy, Clip.Top);
    const Int64 right = std::min<Int64>(R.Right + Dx, Clip.Right);
    const Int64 bottom = std::min<Int64>(R.Bottom + Dy, Clip.Bottom);
    if (right < left || bottom < top) return {};
    return {int(left), int(top), int(right), int(bottom)};
}

int Saturated(Int64 Value) {
    return int(std::clamp<Int64>(Value, INT_MIN, INT_MAX));
}

// A bitmap drawn onto itself is read from a copy, so that no pixel is read after the
// transfer has overwritten it. The copy carries what the transfers read of the source.
std::unique_ptr<TBitmap32> CopyForSelfTransfer(const TBitmap32& Src) {
    auto copy = std::make_unique<TBitmap32>();
    copy->SetSize(Src.GetWidth(), Src.GetHeight());
    MoveLongword(Src.GetBits(), copy->GetBits(), Src.GetWidth() * Src.GetHeight());
    copy->SetMasterAlpha(Src.GetMasterAlpha());
    copy->SetCombineMode(Src.GetCombineMode());
    copy->SetWrapMode(Src.GetWrapMode());
    copy->SetOuterColor(Src.GetOuterColor());
    copy->SetClipRect(Src.GetClipRect());
    return copy;
}

TBitmap32* PixelSource(TBitmap32* Src, const TBitmap32* Dst, std::unique_ptr<TBitmap32>& Copy) {
    if (Src != Dst) return Src;
    Copy = CopyForSelfTransfer(*Src);
    return Copy.get();
}

} // namespace

void CheckBitmaps(const TBitmap32* Dst, const TBitmap32* Src) {
    if (!Dst) throw EBitmapException("Destination bitmap is nil");
    if (!Src) throw EBitmapException("Source bitmap is nil");
}

bool CheckSrcRect(const TBitmap32& Src, const TRect& SrcRect) {
    if (IsRectEmpty(SrcRect)) return false;
    if (SrcRect.Left < 0 || SrcRect.Right > Src.GetWidth() || SrcRect.Top < 0 ||
        SrcRect.Bottom > Src.GetHeight())
        throw ESrcInvalidException("Source rectangle is invalid");
    return true;
}

void BlockTransferX(TBitmap32* Dst, const TRect& DstRect, TBitmap32* Src, int SrcX, int SrcY,
                    TDrawMode CombineOp, const TPixelCombineEvent& CombineCallBack) {
    const int width = DstRect.Width();
    const int height = DstRect.Height();
    if (width <= 0 || height <= 0) return;
    const TColor32* src = Src->GetPixelPtr(SrcX, SrcY);
    TColor32* dst = Dst->GetPixelPtr(DstRect.Left, DstRect.Top);
    const std::ptrdiff_t srcPitch = Src->GetWidth();
    const std::ptrdiff_t dstPitch = Dst->GetWidth();
    const Cardinal masterAlpha = Src->GetMasterAlpha();
    switch (CombineOp) {
    case dmOpaque:
        for (int y = 0; y < height; ++y, src += srcPitch, dst += dstPitch)
            MoveLongword(src, dst, width);
        break;
    case dmBlend:
        if (masterAlpha < 255) {
            const TBlendLineEx blend = BLEND_LINE_EX[Src->GetCombineMode()];
            for (int y = 0; y < height; ++y, src += srcPitch, dst += dstPitch)
                blend(src, dst, width, Byte(masterAlpha));
        } else {
            const TBlendLine blend = BLEND_LINE[Src->GetCombineMode()];
            for (int y = 0; y < height; ++y, src += srcPitch, dst += dstPitch)
                blend(src, dst, width);
        }
        break;
    case dmTransparent: {
        const TColor32 transparent = Src->GetOuterColor();
        for (int y = 0; y < height; ++y, src += srcPitch, dst += dstPitch)
            for (int x = 0; x < width; ++x)
                if (src[x] != transparent) dst[x] = src[x];
        break;
    }
    case dmCustom:
        for (int y = 0; y < height; ++y, src += srcPitch, dst += dstPitch)
            for (int x = 0; x < width; ++x)
                CombineCallBack(src[x], dst[x], masterAlpha);
        break;
    }
}

void BlockTransfer(TBitmap32* Dst, int DstX, int DstY, TRect DstClip, TBitmap32* Src, TRect SrcRect,
                   TDrawMode CombineOp, const TPixelCombineEvent& CombineCallBack) {
    CheckBitmaps(Dst, Src);
    if (Dst->Empty() || Src->Empty() || (CombineOp == dmBlend && Src->GetMasterAlpha() == 0))
        return;
    if (Dst->GetMeasuringMode()) {
        Dst->Changed({DstX, DstY, Saturated(Int64(DstX) + SrcRect.Right - SrcRect.Left),
                      Saturated(Int64(DstY) + SrcRect.Bottom - SrcRect.Top)},
                     AREAINFO_RECT);
        return;
    }
    if (CombineOp == dmCustom && !CombineCallBack.Assigned()) CombineOp = dmOpaque;
    const Int64 dx = Int64(DstX) - SrcRect.Left;
    const Int64 dy = Int64(DstY) - SrcRect.Top;
    IntersectRect(DstClip, DstClip, Dst->BoundsRect());
    IntersectRect(SrcRect, SrcRect, Src->BoundsRect());
    // The area written, which starts right of or below (DstX, DstY) when clipping cut the
    // source's left or top side.
    const TRect written = MovedIntersection(SrcRect, dx, dy, DstClip);
    if (!IsRectEmpty(written)) {
        std::unique_ptr<TBitmap32> copy;
        TBitmap32* source = PixelSource(Src, Dst, copy);
        TEmmsOnExit emms;
        BlockTransferX(Dst, written, source, int(written.Left - dx), int(written.Top - dy),
                       CombineOp, CombineCallBack);
    }
    Dst->Changed(written, AREAINFO_RECT);
}

void StretchTransfer(TBitmap32* Dst, const TRect& DstRect, TRect DstClip, TBitmap32* Src,
                     const TRect& SrcRect, TCustomResampler* Resampler, TDrawMode CombineOp,
                     const TPixelCombineEvent& CombineCallBack) {
    CheckBitmaps(Dst, Src);
    if (Src->Empty() || Dst->Empty() || (CombineOp == dmBlend && Src->GetMasterAlpha() == 0))
        return;
    if (!CheckSrcRect(*Src, SrcRect)) return;
    if (!Dst->GetMeasuringMode()) {
        IntersectRect(DstClip, DstClip, Dst->BoundsRect());
        IntersectRect(DstClip, DstClip, DstRect);
        if (IsRectEmpty(DstClip)) return;
        if (CombineOp == dmCustom && !CombineCallBack.Assigned()) CombineOp = dmOpaque;
        std::unique_ptr<TBitmap32> copy;
        TBitmap32* source = PixelSource(Src, Dst, copy);
        TEmmsOnExit emms;
        if (!EqualRectSize(DstRect, SrcRect)) {
            if (!Resampler) throw EBitmapException("Resampler is nil");
            Resampler->Resample(Dst, DstRect, DstClip, source, SrcRect, CombineOp, CombineCallBack);
        } else {
            BlockTransferX(
                Dst, DstClip, source, int(Int64(SrcRect.Left) + DstClip.Left - DstRect.Left),
                int(Int64(SrcRect.Top) + DstClip.Top - DstRect.Top), CombineOp, CombineCallBack);
        }
    }
    Dst->Changed(DstRect, AREAINFO_RECT);
}

namespace {

template <typename Blend>
void BlendTransferWith(TBitmap32* Dst, int DstX, int DstY, TRect DstClip, TBitmap32* SrcF,
                       TRect SrcRectF, TBitmap32* SrcB, TRect SrcRectB, bool HasCallback,
                       Blend BlendPixel) {
    CheckBitmaps(Dst, SrcF);
    CheckBitmaps(Dst, SrcB);
    if (Dst->Empty() || SrcF->Empty() || SrcB->Empty() || !HasCallback) return;
    const Int64 fx = Int64(SrcRectF.Left) - DstX;
    const Int64 fy = Int64(SrcRectF.Top) - DstY;
    const Int64 bx = Int64(SrcRectB.Left) - DstX;
    const Int64 by = Int64(SrcRectB.Top) - DstY;
    IntersectRect(DstClip, DstClip, Dst->BoundsRect());
    IntersectRect(SrcRectF, SrcRectF, SrcF->BoundsRect());
    IntersectRect(SrcRectB, SrcRectB, SrcB->BoundsRect());
    DstClip = MovedIntersection(SrcRectF, -fx, -fy, DstClip);
    DstClip = MovedIntersection(SrcRectB, -bx, -by, DstClip);
    if (!IsRectEmpty(DstClip) && !Dst->GetMeasuringMode()) {
        std::unique_ptr<TBitmap32> copyF;
        std::unique_ptr<TBitmap32> copyB;
        const TBitmap32* sourceF = PixelSource(SrcF, Dst, copyF);
        const TBitmap32* sourceB = PixelSource(SrcB, Dst, copyB);
        TEmmsOnExit emms;
        for (int y = DstClip.Top; y < DstClip.Bottom; ++y) {
            TColor32* dst = Dst->GetScanLine(y);
            const TColor32* f = sourceF->GetScanLine(int(y + fy)) + fx;
            const TColor32* b = sourceB->GetScanLine(int(y + by)) + bx;
            for (int x = DstClip.Left; x < DstClip.Right; ++x)
                dst[x] = BlendPixel(f[x], b[x]);
        }
    }
    Dst->Changed(DstClip, AREAINFO_RECT);
}

} // namespace

void BlendTransfer(TBitmap32* Dst, int DstX, int DstY, TRect DstClip, TBitmap32* SrcF,
                   TRect SrcRectF, TBitmap32* SrcB, TRect SrcRectB, TBlendReg BlendCallback) {
    BlendTransferWith(Dst, DstX, DstY, DstClip, SrcF, SrcRectF, SrcB, SrcRectB,
                      BlendCallback != nullptr,
                      [BlendCallback](TColor32 F, TColor32 B) { return BlendCallback(F, B); });
}

void BlendTransfer(TBitmap32* Dst, int DstX, int DstY, TRect DstClip, TBitmap32* SrcF,
                   TRect SrcRectF, TBitmap32* SrcB, TRect SrcRectB, Byte MasterAlpha,
                   TBlendRegEx BlendCallback) {
    BlendTransferWith(Dst, DstX, DstY, DstClip, SrcF, SrcRectF, SrcB, SrcRectB,
                      BlendCallback != nullptr,
                      [BlendCallback, MasterAlpha](TColor32 F, TColor32 B) {
                          return BlendCallback(F, B, MasterAlpha);
                      });
}

} // namespace Bmp32

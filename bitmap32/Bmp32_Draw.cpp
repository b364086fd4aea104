// TBitmap32 drawing onto other bitmaps and onto device contexts.
#include "bitmap32/Bmp32.h"

#include "bitmap32/Bmp32_Resamplers.h"

#include "classlib/Platform.h"

#include <algorithm>
#include <climits>

namespace Bmp32 {

namespace {

const TRect& ClipRectOf(const TBitmap32* Dst) {
    if (!Dst) throw EBitmapException("Destination bitmap is nil");
    return Dst->GetClipRect();
}

const BITMAPINFO* InfoOf(const TBitmap32& Bitmap) {
    return reinterpret_cast<const BITMAPINFO*>(&Bitmap.GetBitmapInfo());
}

int Saturated(Int64 Value) {
    return int(std::clamp<Int64>(Value, INT_MIN, INT_MAX));
}

// Copies Width x Height pixels of Bitmap from (SrcX, SrcY) to (DstX, DstY) of hDst,
// stretched to DstWidth x DstHeight.
void CopyToDevice(const TBitmap32& Bitmap, TPlatformHandle hDst, int DstX, int DstY, int DstWidth,
                  int DstHeight, int SrcX, int SrcY, int Width, int Height) {
    // The platform counts the source's rows from the bottom even for a top-down section.
    const int fromBottom = Saturated(Int64(Bitmap.GetHeight()) - SrcY - Height);
    StretchDIBits(static_cast<HDC>(hDst), DstX, DstY, DstWidth, DstHeight, SrcX, fromBottom, Width,
                  Height, Bitmap.GetBits(), InfoOf(Bitmap), DIB_RGB_COLORS, SRCCOPY);
}

} // namespace

void TBitmap32::Draw(int DstX, int DstY, TBitmap32* Src) {
    if (Src) Src->DrawTo(this, DstX, DstY);
}

void TBitmap32::Draw(int DstX, int DstY, const TRect& SrcRect, TBitmap32* Src) {
    if (Src) Src->DrawTo(this, DstX, DstY, SrcRect);
}

void TBitmap32::Draw(const TRect& DstRect, const TRect& SrcRect, TBitmap32* Src) {
    if (Src) Src->DrawTo(this, DstRect, SrcRect);
}

void TBitmap32::Draw(const TRect& DstRect, const TRect& SrcRect, TPlatformHandle hSrc) {
    if (Empty()) return;
    if (!FMeasuringMode)
        StretchBlt(static_cast<HDC>(GetHandle()), DstRect.Left, DstRect.Top, DstRect.Width(),
                   DstRect.Height(), static_cast<HDC>(hSrc), SrcRect.Left, SrcRect.Top,
                   SrcRect.Width(), SrcRect.Height(), SRCCOPY);
    Changed(DstRect, AREAINFO_RECT);
}

void TBitmap32::DrawTo(TBitmap32* Dst) {
    BlockTransfer(Dst, 0, 0, ClipRectOf(Dst), this, BoundsRect(), FDrawMode, OnPixelCombine);
}

void TBitmap32::DrawTo(TBitmap32* Dst, int DstX, int DstY) {
    BlockTransfer(Dst, DstX, DstY, ClipRectOf(Dst), this, BoundsRect(), FDrawMode, OnPixelCombine);
}

void TBitmap32::DrawTo(TBitmap32* Dst, int DstX, int DstY, const TRect& SrcRect) {
    BlockTransfer(Dst, DstX, DstY, ClipRectOf(Dst), this, SrcRect, FDrawMode, OnPixelCombine);
}

void TBitmap32::DrawTo(TBitmap32* Dst, const TRect& DstRect) {
    StretchTransfer(Dst, DstRect, ClipRectOf(Dst), this, BoundsRect(), FResampler, FDrawMode,
                    OnPixelCombine);
}

void TBitmap32::DrawTo(TBitmap32* Dst, const TRect& DstRect, const TRect& SrcRect) {
    StretchTransfer(Dst, DstRect, ClipRectOf(Dst), this, SrcRect, FResampler, FDrawMode,
                    OnPixelCombine);
}

void TBitmap32::DrawTo(TPlatformHandle hDst, int DstX, int DstY) {
    if (Empty()) return;
    CopyToDevice(*this, hDst, DstX, DstY, GetWidth(), GetHeight(), 0, 0, GetWidth(), GetHeight());
}

void TBitmap32::DrawTo(TPlatformHandle hDst, const TRect& DstRect, const TRect& SrcRect) {
    if (Empty()) return;
    CopyToDevice(*this, hDst, DstRect.Left, DstRect.Top, DstRect.Width(), DstRect.Height(),
                 SrcRect.Left, SrcRect.Top, SrcRect.Width(), SrcRect.Height());
}

void TBitmap32::TileTo(TPlatformHandle hDst, const TRect& DstRect, const TRect& SrcRect) {
    constexpr int TileSize = 1024;
    const Int64 width = Int64(DstRect.Right) - DstRect.Left;
    const Int64 height = Int64(DstRect.Bottom) - DstRect.Top;
    const Int64 columns = (width + TileSize - 1) / TileSize;
    const Int64 rows = (height + TileSize - 1) / TileSize;
    if (rows <= 0 || columns <= 0) return;
    TBitmap32 buffer;
    for (Int64 row = 0; row < rows; ++row) {
        const Int64 tileTop = row * TileSize;
        const int tileHeight = int(std::min<Int64>(TileSize, height - tileTop));
        for (Int64 column = 0; column < columns; ++column) {
            const Int64 tileLeft = column * TileSize;
            const int tileWidth = int(std::min<Int64>(TileSize, width - tileLeft));
            buffer.SetSize(tileWidth, tileHeight);
            // Each tile starts from the same blank buffer, whatever the previous tile left.
            buffer.Clear(0);
            // DstRect in the tile's coordinates.
            const TRect moved(Saturated(-tileLeft), Saturated(-tileTop),
                              Saturated(width - tileLeft), Saturated(height - tileTop));
            StretchTransfer(&buffer, moved, {0, 0, tileWidth, tileHeight}, this, SrcRect,
                            FResampler, FDrawMode, OnPixelCombine);
            CopyToDevice(buffer, hDst, Saturated(DstRect.Left + tileLeft),
                         Saturated(DstRect.Top + tileTop), tileWidth, tileHeight, 0, 0, tileWidth,
                         tileHeight);
        }
    }
}

} // namespace Bmp32

#include "grid/gcldrag.h"

#include <algorithm>

namespace {
constexpr DWORD RopAnd = 0x8800C6; // SRCAND
constexpr DWORD RopXor = 0x660046; // SRCINVERT
} // namespace

TGclDragShow::TGclDragShow(int X, int Y, const TRect& Rect, TColor TransparentColor)
    : FScreenDC(GetDC(nullptr)), FImageRect(Rect), FSize{Rect.Width(), Rect.Height()},
      FHotSpot(X - Rect.Left, Y - Rect.Top) {
    FSavedStretchMode = SetStretchBltMode(FScreenDC, COLORONCOLOR);
    FSavedTextColor = SetTextColor(FScreenDC, RGB(0, 0, 0));
    FSavedBkColor = SetBkColor(FScreenDC, RGB(255, 255, 255));
    const int w = FSize.cx, h = FSize.cy;
    FImageDC = CreateCompatibleDC(FScreenDC);
    FImageBitmap = CreateCompatibleBitmap(FScreenDC, w, h);
    FOldImage = SelectObject(FImageDC, FImageBitmap);
    FMaskDC = CreateCompatibleDC(FScreenDC);
    FMaskBitmap = CreateBitmap(w, h, 1, 1, nullptr);
    FOldMask = SelectObject(FMaskDC, FMaskBitmap);
    FBackDC = CreateCompatibleDC(FScreenDC);
    FBackBitmap = CreateCompatibleBitmap(FScreenDC, w, h);
    FOldBack = SelectObject(FBackDC, FBackBitmap);

    BitBlt(FImageDC, 0, 0, w, h, FScreenDC, Rect.Left, Rect.Top, SRCCOPY);
    // The mask marks the transparent colour white, then the image turns black there.
    SetBkColor(FImageDC, ColorToRGB(TransparentColor));
    BitBlt(FMaskDC, 0, 0, w, h, FImageDC, 0, 0, SRCCOPY);
    SetTextColor(FImageDC, RGB(255, 255, 255));
    SetBkColor(FImageDC, RGB(0, 0, 0));
    BitBlt(FImageDC, 0, 0, w, h, FMaskDC, 0, 0, RopAnd);

    SaveBackground(FScreenDC, Rect.Left, Rect.Top);
    DrawImage(FScreenDC, Rect.Left, Rect.Top);
    FShown = true;
}

TGclDragShow::~TGclDragShow() {
    HideDragImage();
    SelectObject(FImageDC, FOldImage);
    SelectObject(FMaskDC, FOldMask);
    SelectObject(FBackDC, FOldBack);
    DeleteObject(FImageBitmap);
    DeleteObject(FMaskBitmap);
    DeleteObject(FBackBitmap);
    DeleteDC(FImageDC);
    DeleteDC(FMaskDC);
    DeleteDC(FBackDC);
    SetStretchBltMode(FScreenDC, FSavedStretchMode);
    SetTextColor(FScreenDC, FSavedTextColor);
    SetBkColor(FScreenDC, FSavedBkColor);
    ReleaseDC(nullptr, FScreenDC);
}

void TGclDragShow::SaveBackground(HDC From, int X, int Y) {
    BitBlt(FBackDC, 0, 0, FSize.cx, FSize.cy, From, X, Y, SRCCOPY);
}

void TGclDragShow::RestoreBackground(HDC To, int X, int Y) {
    BitBlt(To, X, Y, FSize.cx, FSize.cy, FBackDC, 0, 0, SRCCOPY);
}

void TGclDragShow::DrawImage(HDC To, int X, int Y) {
    SetTextColor(To, RGB(0, 0, 0));
    SetBkColor(To, RGB(255, 255, 255));
    BitBlt(To, X, Y, FSize.cx, FSize.cy, FMaskDC, 0, 0, RopAnd);
    BitBlt(To, X, Y, FSize.cx, FSize.cy, FImageDC, 0, 0, RopXor);
}

void TGclDragShow::DragMove(int X, int Y) {
    const TRect old = FImageRect;
    const TRect moved = Bounds(X - FHotSpot.X, Y - FHotSpot.Y, FSize.cx, FSize.cy);
    if (moved == old) return;
    FImageRect = moved;
    if (!FShown) return;
    const bool overlap = moved.Left < old.Right && old.Left < moved.Right &&
                         moved.Top < old.Bottom && old.Top < moved.Bottom;
    if (!overlap) {
        RestoreBackground(FScreenDC, old.Left, old.Top);
        SaveBackground(FScreenDC, moved.Left, moved.Top);
        DrawImage(FScreenDC, moved.Left, moved.Top);
        return;
    }
    // Both places inside one area, composed off screen and copied in one step.
    const TRect u(std::min(old.Left, moved.Left), std::min(old.Top, moved.Top),
                  std::max(old.Right, moved.Right), std::max(old.Bottom, moved.Bottom));
    HDC work = CreateCompatibleDC(FScreenDC);
    HBITMAP bitmap = CreateCompatibleBitmap(FScreenDC, u.Width(), u.Height());
    HGDIOBJ previous = SelectObject(work, bitmap);
    BitBlt(work, 0, 0, u.Width(), u.Height(), FScreenDC, u.Left, u.Top, SRCCOPY);
    RestoreBackground(work, old.Left - u.Left, old.Top - u.Top);
    SaveBackground(work, moved.Left - u.Left, moved.Top - u.Top);
    DrawImage(work, moved.Left - u.Left, moved.Top - u.Top);
    BitBlt(FScreenDC, u.Left, u.Top, u.Width(), u.Height(), work, 0, 0, SRCCOPY);
    SelectObject(work, previous);
    DeleteObject(bitmap);
    DeleteDC(work);
}

void TGclDragShow::HideDragImage() {
    if (!FShown) return;
    RestoreBackground(FScreenDC, FImageRect.Left, FImageRect.Top);
    FShown = false;
}

void TGclDragShow::ShowDragImage() {
    if (FShown) return;
    SaveBackground(FScreenDC, FImageRect.Left, FImageRect.Top);
    DrawImage(FScreenDC, FImageRect.Left, FImageRect.Top);
    FShown = true;
}

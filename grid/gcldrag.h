// TGclDragShow: the image that follows the mouse while the table moves a row or
// a column. It draws straight onto the screen and puts back what it covered.
#pragma once

#include "classlib/Graphics.h"
#include "classlib/Objects.h"

#include "classlib/Platform.h"

class TGclDragShow : public TObject {
    DECLARE_CLASS(TGclDragShow, TObject)
public:
    // Captures the screen inside Rect (screen coordinates) as the image, with
    // TransparentColor see-through; (X, Y) is the mouse, kept at the same offset
    // from the image. The image is shown at once.
    TGclDragShow(int X, int Y, const TRect& Rect, TColor TransparentColor);
    ~TGclDragShow() override;

    void DragMove(int X, int Y);
    void HideDragImage();
    void ShowDragImage();

    bool Shown() const { return FShown; }
    TRect ImageRect() const { return FImageRect; }

private:
    void SaveBackground(HDC From, int X, int Y);
    void RestoreBackground(HDC To, int X, int Y);
    void DrawImage(HDC To, int X, int Y);

    HDC FScreenDC;
    int FSavedStretchMode;
    COLORREF FSavedTextColor;
    COLORREF FSavedBkColor;
    HDC FImageDC = nullptr;  // the image, see-through pixels black
    HDC FMaskDC = nullptr;   // black where the image is, white where it is see-through
    HDC FBackDC = nullptr;   // what the image covers
    HBITMAP FImageBitmap = nullptr;
    HBITMAP FMaskBitmap = nullptr;
    HBITMAP FBackBitmap = nullptr;
    HGDIOBJ FOldImage = nullptr;
    HGDIOBJ FOldMask = nullptr;
    HGDIOBJ FOldBack = nullptr;
    TRect FImageRect;
    TSize FSize;
    TPoint FHotSpot;
    bool FShown = false;
};

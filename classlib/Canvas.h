// TCanvas: drawing on a device context with the library's fonts, pens and brushes.
#pragma once

#include "classlib/Graphics.h"

// Raster operations of CopyRect and of drawing bitmaps.
using TCopyMode = DWORD;
constexpr TCopyMode cmBlackness = BLACKNESS;
constexpr TCopyMode cmDstInvert = DSTINVERT;
constexpr TCopyMode cmMergeCopy = MERGECOPY;
constexpr TCopyMode cmMergePaint = MERGEPAINT;
constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;
constexpr TCopyMode cmNotSrcErase = NOTSRCERASE;
constexpr TCopyMode cmPatCopy = PATCOPY;
constexpr TCopyMode cmPatInvert = PATINVERT;
constexpr TCopyMode cmPatPaint = PATPAINT;
constexpr TCopyMode cmSrcAnd = SRCAND;
constexpr TCopyMode cmSrcCopy = SRCCOPY;
constexpr TCopyMode cmSrcErase = SRCERASE;
constexpr TCopyMode cmSrcInvert = SRCINVERT;
constexpr TCopyMode cmSrcPaint = SRCPAINT;
constexpr TCopyMode cmWhiteness = WHITENESS;

enum TCanvasStateItem { csHandleValid, csFontValid, csPenValid, csBrushValid };
using TCanvasState = TSet<TCanvasStateItem>;

// Drawing on a device context. The canvas does not own the DC; it selects its own
// font, pen and brush into it when drawing and puts the DC's previous objects back
// before it lets go of the DC (SetHandle with another DC or null, or destruction).
// Every drawing operation fires OnChanging before and OnChange after it.
class TCanvas : public TPersistent {
    DECLARE_CLASS(TCanvas, TPersistent)
public:
    TCanvas();
    ~TCanvas() override;

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

    // The DC with font, pen and brush selected; a canvas without one asks CreateHandle,
    // and raises EInvalidOperation "Canvas does not allow drawing" when there is none.
    HDC GetHandle();
    void SetHandle(HDC Value);
    bool HandleAllocated() const { return FHandle != nullptr; }

    TFont* GetFont() const { return FFont.get(); }
    void SetFont(TFont* Value);
    TPen* GetPen() const { return FPen.get(); }
    void SetPen(TPen* Value);
    TBrush* GetBrush() const { return FBrush.get(); }
    void SetBrush(TBrush* Value);
    TCopyMode GetCopyMode() const { return FCopyMode; }
    void SetCopyMode(TCopyMode Value) { FCopyMode = Value; }

    TPoint GetPenPos();
    void SetPenPos(TPoint Value);
    // The colour of a pixel; CLR_INVALID (as a TColor) outside the clipping region.
    TColor GetPixels(int X, int Y);
    void SetPixels(int X, int Y, TColor Value);
    TRect GetClipRect();

    // Serialise drawing from several threads.
    void Lock();
    void Unlock();

    void MoveTo(int X, int Y);
    void LineTo(int X, int Y);
    void Polyline(std::span<const TPoint> Points);
    void Polyline(std::initializer_list<TPoint> Points);
    void Polygon(std::span<const TPoint> Points);
    void Polygon(std::initializer_list<TPoint> Points);
    void Rectangle(int X1, int Y1, int X2, int Y2);
    void Rectangle(const TRect& Rect);
    void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
    void Ellipse(int X1, int Y1, int X2, int Y2);
    void Ellipse(const TRect& Rect);
    // Fill with the brush / frame with the brush, no pen.
    void FillRect(const TRect& Rect);
    void FrameRect(const TRect& Rect);
    void DrawFocusRect(const TRect& Rect);

    // Text in the font's colour; on the brush colour unless the brush is bsClear.
    // TextOut moves the pen position to the end of the text. (<windows.h> makes TextOut
    // a macro, so the member's real name is TextOutA; every includer sees the same.)
    void TextOut(int X, int Y, const AnsiString& Text);
    // Text at (X, Y) clipped to Rect; the brush fills Rect unless it is bsClear.
    void TextRect(const TRect& Rect, int X, int Y, const AnsiString& Text);
    // The system's DrawText with Flags (DT_xxx); with DT_CALCRECT Rect receives the size.
    void TextRect(TRect& Rect, const AnsiString& Text, UINT Flags);
    TSize TextExtent(const AnsiString& Text);
    int TextWidth(const AnsiString& Text);
    int TextHeight(const AnsiString& Text);
    // The pixels Text, drawn by DrawText with Flags in the current font, reaches past the
    // width DrawText measures for it: a glyph's edge, synthesised bold or italic, and glyph
    // positions that the system draws ahead of the advances it reports (as some systems do
    // along a long line). Found by drawing Text off-screen; at least the two pixels a glyph's
    // edge may spill. A control sized to its text leaves that much room after it.
    int TextOverhang(const AnsiString& Text, UINT Flags = DT_SINGLELINE | DT_NOPREFIX);
    // The same for a text its caller has measured already: Measured is what DrawText with
    // DT_CALCRECT and those Flags (without word breaks and alignment) gave in the current font.
    int TextOverhang(const AnsiString& Text, UINT Flags, const RECT& Measured);

    // Graphic at its own size / stretched to Rect; transparent bitmaps leave their
    // transparent colour out.
    void Draw(int X, int Y, TGraphic* Graphic);
    void StretchDraw(const TRect& Rect, TGraphic* Graphic);
    // Copies (stretching when the sizes differ) with CopyMode.
    void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);
    // Copies part of Bitmap, showing the brush colour where the bitmap has Color (the
    // bitmaps unit defines it).
    void BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color);

protected:
    // Called when a DC is needed and there is none; subclasses make their own here.
    virtual void CreateHandle();
    virtual void Changing();
    virtual void Changed();
    // Makes sure the given parts are in place (a DC, font, pen, brush selected).
    void RequiredState(TCanvasState State);

private:
    void FontChanged(TObject* Sender);
    void PenChanged(TObject* Sender);
    void BrushChanged(TObject* Sender);
    void SelectFont();
    void SelectPen();
    void SelectBrush();
    // Puts the DC's own objects back.
    void DeselectHandles();
    void Release(TCanvasStateItem Item);

    HDC FHandle = nullptr;
    TCanvasState FState;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
    HGDIOBJ FOldFont = nullptr;
    HFONT FSelectedFont = nullptr; // the font object SelectFont put into the device context
    HGDIOBJ FOldPen = nullptr;
    HGDIOBJ FOldBrush = nullptr;
    TCopyMode FCopyMode = cmSrcCopy;
    CRITICAL_SECTION FLock;
};

// Keeps what is drawn on Canvas within R while it lives, then gives the canvas its clipping
// back. Unlike SaveDC and RestoreDC it leaves the font, pen and brush alone, which the
// canvas may replace (and delete) meanwhile.
class TClipWithin {
public:
    TClipWithin(TCanvas* Canvas, const TRect& R);
    ~TClipWithin();
    TClipWithin(const TClipWithin&) = delete;
    TClipWithin& operator=(const TClipWithin&) = delete;

private:
    HDC FDC;
    HRGN FSaved;
    bool FHadClip = false;
};

// How many of Width nested one-pixel frames Rect holds: frames stop at the rectangle, after
// the one that uses it up.
int FramesWithin(const TRect& Rect, int Width);
// Draws nested one-pixel frames inside Rect (TopColor on the left and top, BottomColor on the
// right and bottom), FramesWithin(Rect, Width) of them, and shrinks Rect by as many on every
// side.
void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width);

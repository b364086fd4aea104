// TBitmap32 text: measuring and drawing through the bitmap's context, and rendering with
// alpha and supersampled antialiasing.
#include "bitmap32/Bmp32.h"

#include "bitmap32/Bmp32_LowLevel.h"
#include "bitmap32/Bmp32_Resamplers.h"
#include "classlib/Bitmaps.h"
#include "classlib/Graphics.h"
#include "classlib/Strings.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace Bmp32 {

namespace {

// The platform's text calls in their 8-bit and wide forms.
bool PlatformTextExtent(HDC DC, const AnsiString& Text, SIZE& Size) {
    return GetTextExtentPoint32A(DC, Text.c_str(), int(Text.size()), &Size);
}
bool PlatformTextExtent(HDC DC, const std::wstring& Text, SIZE& Size) {
    return GetTextExtentPoint32W(DC, Text.c_str(), int(Text.size()), &Size);
}
void PlatformTextOut(HDC DC, int X, int Y, UINT Options, const RECT* Clip, const AnsiString& Text) {
    ExtTextOutA(DC, X, Y, Options, Clip, Text.c_str(), UINT(Text.size()), nullptr);
}
void PlatformTextOut(HDC DC, int X, int Y, UINT Options, const RECT* Clip,
                     const std::wstring& Text) {
    ExtTextOutW(DC, X, Y, Options, Clip, Text.c_str(), UINT(Text.size()), nullptr);
}
void PlatformDrawText(HDC DC, const AnsiString& Text, RECT& Rect, UINT Flags) {
    DrawTextA(DC, Text.c_str(), int(Text.size()), &Rect, Flags);
}
void PlatformDrawText(HDC DC, const std::wstring& Text, RECT& Rect, UINT Flags) {
    DrawTextW(DC, Text.c_str(), int(Text.size()), &Rect, Flags);
}

RECT ToRECT(const TRect& R) {
    return {R.Left, R.Top, R.Right, R.Bottom};
}

// The canvas that measures text for bitmaps without a context, locked while in use.
class TStockCanvas {
public:
    TStockCanvas() {
        if (!StockBitmap) throw EInvalidOperation("The Bmp32 unit has not been started");
        FCanvas = StockBitmap->GetCanvas();
        FCanvas->Lock();
    }
    ~TStockCanvas() { FCanvas->Unlock(); }
    TStockCanvas(const TStockCanvas&) = delete;
    TStockCanvas& operator=(const TStockCanvas&) = delete;

    TCanvas* operator->() const { return FCanvas; }

private:
    TCanvas* FCanvas;
};

// A bitmap without a context of its own measures on the stock canvas, so measuring makes none.
template <typename S> TSize MeasureText(TBitmap32& Bitmap, const S& Text) {
    SIZE size{0, 0};
    if (Bitmap.HandleAllocated()) {
        Bitmap.UpdateFont();
        if (!PlatformTextExtent(static_cast<HDC>(Bitmap.GetHandle()), Text, size)) size = {0, 0};
    } else {
        TStockCanvas canvas;
        HDC stockDC = canvas->GetHandle();
        const HGDIOBJ previous = SelectObject(stockDC, Bitmap.GetFont()->GetHandle());
        if (!PlatformTextExtent(stockDC, Text, size)) size = {0, 0};
        SelectObject(stockDC, previous);
    }
    return {size.cx, size.cy};
}

int Saturated(Int64 Value) {
    return int(std::clamp<Int64>(Value, INT_MIN, INT_MAX));
}

// Draws at (X, Y), clipped to Clip when given, and reports the extent plus one pixel.
template <typename S>
void TextAt(TBitmap32& Bitmap, int X, int Y, const TRect* Clip, const S& Text) {
    if (!Bitmap.GetMeasuringMode())
        if (HDC dc = static_cast<HDC>(Bitmap.GetHandle())) {
            Bitmap.UpdateFont();
            const RECT clip = Clip ? ToRECT(*Clip) : RECT{};
            PlatformTextOut(dc, X, Y, Clip ? ETO_CLIPPED : 0, Clip ? &clip : nullptr, Text);
        }
    const TSize extent = MeasureText(Bitmap, Text);
    Bitmap.Changed({X, Y, Saturated(Int64(X) + extent.cx + 1), Saturated(Int64(Y) + extent.cy + 1)},
                   AREAINFO_RECT);
}

template <typename S>
void TextInRect(TBitmap32& Bitmap, const TRect& DstRect, Cardinal Flags, const S& Text) {
    RECT rect = ToRECT(DstRect);
    if (!Bitmap.GetMeasuringMode())
        if (HDC dc = static_cast<HDC>(Bitmap.GetHandle())) {
            Bitmap.UpdateFont();
            PlatformDrawText(dc, Text, rect, Flags);
        }
    Bitmap.Changed({rect.left, rect.top, rect.right, rect.bottom}, AREAINFO_RECT);
}

// Puts the font back to the platform's default quality however rendering ends.
class TDefaultQualityOnExit {
public:
    explicit TDefaultQualityOnExit(TFont* Font) : FFont(Font) {}
    ~TDefaultQualityOnExit() {
        try {
            SetFontAntialiasing(FFont, DEFAULT_QUALITY);
        } catch (const Exception&) {
            // The font keeps its rendering quality; nothing else is lost.
        }
    }
    TDefaultQualityOnExit(const TDefaultQualityOnExit&) = delete;
    TDefaultQualityOnExit& operator=(const TDefaultQualityOnExit&) = delete;

private:
    TFont* FFont;
};

template <typename S>
void RenderTextWith(TBitmap32& Target, int X, int Y, const S& Text, int AALevel, TColor32 Color) {
    if (Target.Empty()) return;
    const Cardinal alpha = Color >> 24;
    Color &= 0x00FFFFFF;
    AALevel = Constrain(AALevel, -1, 4);
    const S padded = Text + S(1, ' ');
    SetFontAntialiasing(Target.GetFont(),
                        AALevel > -1 ? NONANTIALIASED_QUALITY : ANTIALIASED_QUALITY);
    TDefaultQualityOnExit restore(Target.GetFont());
    TBitmap32 coverage;
    if (AALevel <= 0) {
        const TSize size = MeasureText(Target, padded);
        coverage.SetSize(size.cx, size.cy);
        coverage.SetFont(Target.GetFont());
        coverage.Clear(0);
        coverage.GetFont()->SetColor(clWhite);
        TextAt(coverage, 0, 0, nullptr, Text);
        TextBlueToAlpha(&coverage, Color);
    } else {
        TStockCanvas canvas;
        TFont* font = canvas->GetFont();
        font->Assign(Target.GetFont());
        font->SetSize(font->GetSize() << AALevel);
        SIZE size{0, 0};
        if (!PlatformTextExtent(canvas->GetHandle(), padded, size)) size = {0, 0};
        const int width = ((size.cx >> AALevel) + 1) << AALevel;
        const int height = ((size.cy >> AALevel) + 1) << AALevel;
        TBitmap32 large;
        large.SetSize(width, height);
        large.Clear(0);
        large.SetFont(font);
        large.GetFont()->SetColor(clWhite);
        TextAt(large, 0, 0, nullptr, Text);
        coverage.SetSize(width >> AALevel, height >> AALevel);
        TextScaleDown(&coverage, &large, AALevel, Color);
    }
    coverage.SetDrawMode(dmBlend);
    coverage.SetMasterAlpha(alpha);
    coverage.SetCombineMode(Target.GetCombineMode());
    coverage.DrawTo(&Target, X, Y);
}

} // namespace

// ---- Measuring ----------------------------------------------------------------------------

TSize TBitmap32::TextExtent(const AnsiString& Text) {
    return MeasureText(*this, Text);
}

TSize TBitmap32::TextExtentW(const std::wstring& Text) {
    return MeasureText(*this, Text);
}

int TBitmap32::TextHeight(const AnsiString& Text) {
    return TextExtent(Text).cy;
}

int TBitmap32::TextHeightW(const std::wstring& Text) {
    return TextExtentW(Text).cy;
}

int TBitmap32::TextWidth(const AnsiString& Text) {
    return TextExtent(Text).cx;
}

int TBitmap32::TextWidthW(const std::wstring& Text) {
    return TextExtentW(Text).cx;
}

// ---- Drawing ------------------------------------------------------------------------------

void TBitmap32::Textout(int X, int Y, const AnsiString& Text) {
    TextAt(*this, X, Y, FClipping ? &FClipRect : nullptr, Text);
}

void TBitmap32::TextoutW(int X, int Y, const std::wstring& Text) {
    TextAt(*this, X, Y, FClipping ? &FClipRect : nullptr, Text);
}

void TBitmap32::Textout(int X, int Y, const TRect& AClipRect, const AnsiString& Text) {
    TextAt(*this, X, Y, &AClipRect, Text);
}

void TBitmap32::TextoutW(int X, int Y, const TRect& AClipRect, const std::wstring& Text) {
    TextAt(*this, X, Y, &AClipRect, Text);
}

void TBitmap32::Textout(TRect DstRect, Cardinal Flags, const AnsiString& Text) {
    TextInRect(*this, DstRect, Flags, Text);
}

void TBitmap32::TextoutW(TRect DstRect, Cardinal Flags, const std::wstring& Text) {
    TextInRect(*this, DstRect, Flags, Text);
}

void TBitmap32::RenderText(int X, int Y, const AnsiString& Text, int AALevel, TColor32 Color) {
    RenderTextWith(*this, X, Y, Text, AALevel, Color);
}

void TBitmap32::RenderTextW(int X, int Y, const std::wstring& Text, int AALevel, TColor32 Color) {
    RenderTextWith(*this, X, Y, Text, AALevel, Color);
}

// ---- Helpers ------------------------------------------------------------------------------

void TextBlueToAlpha(TBitmap32* Dst, TColor32 Color) {
    if (!Dst) throw EBitmapException("Destination bitmap is nil");
    TColor32* pixel = Dst->GetBits();
    const Int64 count = Int64(Dst->GetWidth()) * Dst->GetHeight();
    if (!pixel) return;
    for (Int64 i = 0; i < count; ++i)
        if (pixel[i] != 0) pixel[i] = (pixel[i] << 24) + Color;
}

void TextScaleDown(TBitmap32* Dst, TBitmap32* Src, int N, TColor32 Color) {
    if (!Dst) throw EBitmapException("Destination bitmap is nil");
    if (!Src) throw EBitmapException("Source bitmap is nil");
    if (N < 0 || N > 15) throw ERangeError("TextScaleDown: N must lie in 0..15");
    const int width = Dst->GetWidth();
    const int height = Dst->GetHeight();
    if (Dst->Empty()) return;
    if ((Int64(width) << N) > Src->GetWidth() || (Int64(height) << N) > Src->GetHeight())
        throw ERangeError("TextScaleDown: the source is smaller than the destination times 2^N");
    const int block = 1 << N;
    for (int y = 0; y < height; ++y) {
        TColor32* dst = Dst->GetScanLine(y);
        for (int x = 0; x < width; ++x) {
            Cardinal sum = 0;
            for (int j = 0; j < block; ++j) {
                const TColor32* src = Src->GetPixelPtr(x << N, (y << N) + j);
                for (int i = 0; i < block; ++i)
                    sum += src[i] & 0xFF;
            }
            dst[x] = (sum >> N >> N << 24) + Color;
        }
    }
}

void SetFontAntialiasing(TFont* Font, Cardinal Quality) {
    const TFontStyles style = Font->GetStyle();
    LOGFONTA font{};
    font.lfHeight = Font->GetHeight();
    font.lfWeight = style.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    font.lfItalic = style.Contains(fsItalic);
    font.lfUnderline = style.Contains(fsUnderline);
    font.lfStrikeOut = style.Contains(fsStrikeOut);
    font.lfCharSet = Font->GetCharset();
    font.lfQuality = Byte(Quality);
    switch (Font->GetPitch()) {
    case fpVariable:
        font.lfPitchAndFamily = VARIABLE_PITCH;
        break;
    case fpFixed:
        font.lfPitchAndFamily = FIXED_PITCH;
        break;
    default:
        font.lfPitchAndFamily = DEFAULT_PITCH;
        break;
    }
    const AnsiString name =
        SameText(Font->GetName(), "Default") ? DefaultFontName : Font->GetName();
    std::strncpy(font.lfFaceName, name.c_str(), LF_FACESIZE - 1);
    Font->SetLogFont(font);
}

} // namespace Bmp32

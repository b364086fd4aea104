// Fonts, text fitting, button frames and bitmaps of gclmisc.
#include "grid/gclmisc.h"

#include "classlib/Bitmaps.h"
#include "classlib/WinControls.h"

#include <memory>

bool NewStyleControls = true;

namespace {

int FontTextHeight(HFONT Font) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return metrics.tmHeight;
}

// The screen context with the system's menu font selected, released together.
struct TMenuFontDC {
    HDC DC;
    HFONT Font;
    HGDIOBJ Old;
    TMenuFontDC() : DC(GetDC(nullptr)) {
        NONCLIENTMETRICSA metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        Font = CreateCappedFont(metrics.lfMenuFont);
        Old = SelectObject(DC, Font);
    }
    ~TMenuFontDC() {
        SelectObject(DC, Old);
        ReleaseDC(nullptr, DC);
        DeleteObject(Font);
    }
    TMenuFontDC(const TMenuFontDC&) = delete;
    TMenuFontDC& operator=(const TMenuFontDC&) = delete;
};

int MenuTextWidth(const AnsiString& S) {
    TMenuFontDC menu;
    SIZE size{};
    GetTextExtentPoint32A(menu.DC, S.c_str(), static_cast<int>(S.size()), &size);
    return size.cx;
}

// A one-pixel 3-D frame inside R, which then shrinks by one.
void Frame3D(TCanvas* Canvas, TRect& R, TColor TopLeft, TColor BottomRight) {
    TPen* pen = Canvas->GetPen();
    pen->SetWidth(1);
    pen->SetColor(TopLeft);
    Canvas->Polyline({TPoint(R.Left, R.Bottom - 1), TPoint(R.Left, R.Top), TPoint(R.Right, R.Top)});
    pen->SetColor(BottomRight);
    Canvas->Polyline({TPoint(R.Right - 1, R.Top + 1), TPoint(R.Right - 1, R.Bottom - 1),
                      TPoint(R.Left - 1, R.Bottom - 1)});
    R = TRect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
}

// A memory context with a bitmap of its own, released together.
struct TMemoryDC {
    HDC DC;
    HBITMAP Bitmap;
    HGDIOBJ Old;
    TMemoryDC(HDC Like, int W, int H, bool Monochrome)
        : DC(CreateCompatibleDC(Like)),
          Bitmap(Monochrome ? CreateBitmap(W, H, 1, 1, nullptr) : CreateCompatibleBitmap(Like, W, H)),
          Old(SelectObject(DC, Bitmap)) {}
    ~TMemoryDC() {
        SelectObject(DC, Old);
        DeleteObject(Bitmap);
        DeleteDC(DC);
    }
    TMemoryDC(const TMemoryDC&) = delete;
    TMemoryDC& operator=(const TMemoryDC&) = delete;
};

} // namespace

HFONT CreateRotatedFont(TFont* Font, int Angle) {
    LOGFONTA lf{};
    GetObjectA(Font->GetHandle(), sizeof lf, &lf);
    LOGFONTA rotated{};
    rotated.lfHeight = lf.lfHeight;
    rotated.lfEscapement = Angle * 10;
    rotated.lfOrientation = Angle * 10;
    rotated.lfWeight = lf.lfWeight >= FW_BOLD ? 700 : 400;
    rotated.lfItalic = lf.lfItalic;
    rotated.lfUnderline = lf.lfUnderline;
    rotated.lfStrikeOut = lf.lfStrikeOut;
    rotated.lfCharSet = DEFAULT_CHARSET;
    const int pitch = lf.lfPitchAndFamily & 3;
    rotated.lfPitchAndFamily = pitch == FIXED_PITCH      ? FIXED_PITCH
                               : pitch == VARIABLE_PITCH ? VARIABLE_PITCH
                                                         : DEFAULT_PITCH;
    lstrcpynA(rotated.lfFaceName, lf.lfFaceName, LF_FACESIZE);
    return CreateCappedFont(rotated);
}

int GetEditHeight(TFont* Font, bool Ctl3D) {
    const int border = GetSystemMetrics(SM_CYBORDER);
    const int f = FontTextHeight(Font->GetHandle());
    if (NewStyleControls) return f + border * (Ctl3D ? 8 : 6);
    const int t = std::min(FontTextHeight(static_cast<HFONT>(GetStockObject(SYSTEM_FONT))), f);
    return f + border * 4 + t / 4;
}

int GetTopTextMargin(TFont* Font, TBorderStyle BorderStyle, int Height, bool Ctl3D) {
    const int f = FontTextHeight(Font->GetHandle());
    const int t = std::min(FontTextHeight(static_cast<HFONT>(GetStockObject(SYSTEM_FONT))), f);
    const bool border = BorderStyle != bsNone;
    if (NewStyleControls) {
        if (border) {
            if (t < Height - 4) return 1;
            return Ctl3D ? (Height - t - 4) / 2 - 1 : (Height - t - 4) / 2 - ((Height - t) % 2);
        }
        if (t < Height - 2) return 0;
        return (Height - t - 2) / 2 - ((Height - t) % 2);
    }
    int margin = (Height - f - 1) / 2;
    if (t > Height - 2) margin -= border ? 2 : 1;
    return margin;
}

AnsiString GetDisplayString(TCanvas* Canvas, const AnsiString& S, int MinChars, int MaxWidth) {
    if (Canvas->TextWidth(S) <= MaxWidth) return S;
    AnsiString result = S;
    const int room = MaxWidth - Canvas->TextWidth("...");
    while (static_cast<int>(result.size()) > MinChars && Canvas->TextWidth(result) > room)
        result.pop_back();
    result += "...";
    for (int dots = 0; dots < 3 && Canvas->TextWidth(result) > MaxWidth; ++dots)
        result.pop_back();
    return result;
}

AnsiString PathEllipsis(const AnsiString& S, int MaxWidth) {
    if (MaxWidth == 0 || MenuTextWidth(S) < MaxWidth) return S;
    const std::size_t slash = S.rfind('\\');
    AnsiString dir = slash == AnsiString::npos ? AnsiString() : S.substr(0, slash);
    const AnsiString name = slash == AnsiString::npos ? S : S.substr(slash + 1);
    AnsiString candidate = dir + "\\...\\" + name;
    while (MenuTextWidth(candidate) > MaxWidth && dir.size() > 2) {
        const std::size_t last = dir.rfind('\\');
        dir = last == AnsiString::npos || last < 2 ? dir.substr(0, 2) : dir.substr(0, last);
        candidate = dir + "\\...\\" + name;
    }
    if (MenuTextWidth(candidate) <= MaxWidth) return candidate;
    // Even the shortest form is too wide: the system cuts it with an end ellipsis.
    std::string buffer = candidate + std::string(4, '\0');
    TMenuFontDC menu;
    RECT r{0, 0, MaxWidth, 100};
    DrawTextA(menu.DC, buffer.data(), -1, &r,
              DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING | DT_CALCRECT | DT_NOPREFIX);
    return AnsiString(buffer.c_str());
}

TRect DrawButtonFrame(TCanvas* Canvas, const TRect& Client, bool IsDown, bool IsFlat,
                      TButtonStyle Style) {
    const bool newLook = Style == bsNew || (Style == bsAutoDetect && NewStyleControls);
    TRect r = Client;
    if (newLook) {
        if (!IsDown && !IsFlat) {
            Frame3D(Canvas, r, clBtnHighlight, clWindowFrame);
            Frame3D(Canvas, r, clBtnFace, clBtnShadow);
        } else if (!IsDown) {
            Frame3D(Canvas, r, clBtnHighlight, clBtnShadow);
        } else if (!IsFlat) {
            Frame3D(Canvas, r, clWindowFrame, clBtnHighlight);
            Frame3D(Canvas, r, clBtnShadow, clBtnFace);
        } else {
            Frame3D(Canvas, r, clWindowFrame, clBtnHighlight);
        }
    } else if (!IsDown) {
        Frame3D(Canvas, r, IsFlat ? clBtnHighlight : clWindowFrame, clWindowFrame);
        if (!IsFlat) Frame3D(Canvas, r, clBtnHighlight, clBtnShadow);
    } else if (!IsFlat) {
        Frame3D(Canvas, r, clWindowFrame, clWindowFrame);
        Canvas->GetPen()->SetColor(clBtnShadow);
        Canvas->Polyline({TPoint(r.Left, r.Bottom - 1), TPoint(r.Left, r.Top), TPoint(r.Right, r.Top)});
    } else {
        Frame3D(Canvas, r, clWindowFrame, clBtnHighlight);
    }
    return TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
}

TBitmap* CreateDisabledBitmap(TBitmap* Bitmap, TColor TransparentColor) {
    const int w = Bitmap->GetWidth();
    const int h = Bitmap->GetHeight();
    auto result = std::make_unique<TBitmap>(w, h);
    HDC source = Bitmap->GetCanvas()->GetHandle();
    HDC dest = result->GetCanvas()->GetHandle();
    TMemoryDC mono(source, w, h, true);
    // The transparent colour becomes white in the monochrome copy, the rest black.
    const COLORREF oldBack = SetBkColor(source, ColorToRGB(TransparentColor));
    BitBlt(mono.DC, 0, 0, w, h, source, 0, 0, SRCCOPY);
    SetBkColor(source, oldBack);
    RECT all{0, 0, w, h};
    HBRUSH face = CreateSolidBrush(ColorToRGB(clBtnFace));
    FillRect(dest, &all, face);
    DeleteObject(face);
    // The copy reaches the raster operation with its black as white, so that
    // 0xE20746 paints the brush where the mask is black and keeps the rest.
    const COLORREF oldText = SetTextColor(dest, RGB(255, 255, 255));
    const COLORREF oldDestBack = SetBkColor(dest, RGB(0, 0, 0));
    for (auto [color, offset] : {std::pair{clBtnHighlight, 1}, std::pair{clBtnShadow, 0}}) {
        HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
        HGDIOBJ oldBrush = SelectObject(dest, brush);
        BitBlt(dest, offset, offset, w, h, mono.DC, 0, 0, 0xE20746);
        SelectObject(dest, oldBrush);
        DeleteObject(brush);
    }
    SetTextColor(dest, oldText);
    SetBkColor(dest, oldDestBack);
    return result.release();
}

void DrawTransparentBitmap(TCanvas* Canvas, int X, int Y, int W, int H, const TRect& Rect,
                           TBitmap* Bitmap, TColor TransparentColor) {
    const TRect part = Rect.Width() > 0 && Rect.Height() > 0
                           ? Rect
                           : TRect(0, 0, Bitmap->GetWidth(), Bitmap->GetHeight());
    const int pw = part.Width();
    const int ph = part.Height();
    if (W == 0 || H == 0) {
        W = pw;
        H = ph;
    }
    HDC dest = Canvas->GetHandle();
    HDC source = Bitmap->GetCanvas()->GetHandle();
    TMemoryDC work(dest, pw, ph, false);
    BitBlt(work.DC, 0, 0, pw, ph, source, part.Left, part.Top, SRCCOPY);
    if (TransparentColor == 0x1FFFFFFF) { // clNone: drawn as it is
        StretchBlt(dest, X, Y, W, H, work.DC, 0, 0, pw, ph, SRCCOPY);
        return;
    }
    const COLORREF see = TransparentColor == 0x20000000 // clDefault: the bottom-left pixel
                             ? GetPixel(work.DC, 0, ph - 1)
                             : ColorToRGB(TransparentColor & ~0x02000000);
    TMemoryDC mask(dest, pw, ph, true);
    SetBkColor(work.DC, see);
    BitBlt(mask.DC, 0, 0, pw, ph, work.DC, 0, 0, SRCCOPY);
    TMemoryDC result(dest, W, H, false);
    BitBlt(result.DC, 0, 0, W, H, dest, X, Y, SRCCOPY); // the destination area
    SetTextColor(result.DC, RGB(0, 0, 0));
    SetBkColor(result.DC, RGB(255, 255, 255));
    StretchBlt(result.DC, 0, 0, W, H, mask.DC, 0, 0, pw, ph, SRCAND); // background under the image
    SetTextColor(work.DC, RGB(255, 255, 255));
    SetBkColor(work.DC, RGB(0, 0, 0));
    BitBlt(work.DC, 0, 0, pw, ph, mask.DC, 0, 0, SRCAND); // image's see-through pixels
    StretchBlt(result.DC, 0, 0, W, H, work.DC, 0, 0, pw, ph, SRCPAINT);
    BitBlt(dest, X, Y, W, H, result.DC, 0, 0, SRCCOPY);
}

bool TransStretchBlt(HDC DstDC, int DstX, int DstY, int DstW, int DstH, HDC SrcDC, int SrcX,
                     int SrcY, int SrcW, int SrcH, HDC MaskDC, int MaskX, int MaskY) {
    const COLORREF oldText = SetTextColor(DstDC, RGB(0, 0, 0));
    const COLORREF oldBack = SetBkColor(DstDC, RGB(255, 255, 255));
    const int oldMode = SetStretchBltMode(DstDC, COLORONCOLOR);
    bool ok = StretchBlt(DstDC, DstX, DstY, DstW, DstH, SrcDC, SrcX, SrcY, SrcW, SrcH, SRCINVERT) &&
              StretchBlt(DstDC, DstX, DstY, DstW, DstH, MaskDC, MaskX, MaskY, SrcW, SrcH, SRCAND) &&
              StretchBlt(DstDC, DstX, DstY, DstW, DstH, SrcDC, SrcX, SrcY, SrcW, SrcH, SRCINVERT);
    SetStretchBltMode(DstDC, oldMode);
    SetTextColor(DstDC, oldText);
    SetBkColor(DstDC, oldBack);
    return ok;
}

void CopyParentImage(TControl* Control, TCanvas* Canvas) {
    TWinControl* parent = Control->GetParent();
    if (!parent) return;
    HDC dc = Canvas->GetHandle();
    const TRect self = Control->GetBoundsRect();
    const int saved = SaveDC(dc);
    SetViewportOrgEx(dc, -self.Left, -self.Top, nullptr);
    IntersectClipRect(dc, self.Left, self.Top, self.Right, self.Bottom);
    parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
    for (int i = 0; i < parent->GetControlCount(); ++i) {
        TControl* sibling = parent->GetControl(i);
        if (sibling == Control) break;
        if (dynamic_cast<TWinControl*>(sibling) || !sibling->GetVisible()) continue;
        const TRect r = sibling->GetBoundsRect();
        if (r.Right <= self.Left || r.Left >= self.Right || r.Bottom <= self.Top || r.Top >= self.Bottom)
            continue;
        const int siblingSaved = SaveDC(dc);
        SetViewportOrgEx(dc, r.Left - self.Left, r.Top - self.Top, nullptr);
        IntersectClipRect(dc, 0, 0, r.Width(), r.Height());
        sibling->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        RestoreDC(dc, siblingSaved);
    }
}

void GetRGB(TColor Color, Byte& R, Byte& G, Byte& B) {
    const COLORREF rgb = ColorToRGB(Color);
    R = GetRValue(rgb);
    G = GetGValue(rgb);
    B = GetBValue(rgb);
}

#include "classlib/Graphics.h"

#include "classlib/Bitmaps.h"
#include "classlib/Exceptions.h"
#include "classlib/GdiCounter.h"
#include "classlib/Persistence.h"
#include "classlib/Streams.h"
#include "classlib/Strings.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <vector>

// ---------------------------------------------------------------------------
// Colours

COLORREF ColorToRGB(TColor Color) {
    if (Color < 0) return GetSysColor(Color & 0xFF);
    return static_cast<COLORREF>(Color);
}

namespace {

struct TColorName {
    TColor Color;
    const char* Name;
};

const TColorName ColorNames[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clLtGray, "clLtGray"},
    {clDkGray, "clDkGray"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
    {clHotLight, "clHotLight"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuBar, "clMenuBar"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
};

} // namespace

// The first name of a colour wins, so clSilver and clGray are written rather than
// their synonyms clLtGray and clDkGray.
bool ColorToIdent(TColor Color, AnsiString& Ident) {
    for (const TColorName& entry : ColorNames) {
        if (entry.Color == Color) {
            Ident = entry.Name;
            return true;
        }
    }
    return false;
}

bool IdentToColor(const AnsiString& Ident, TColor& Color) {
    for (const TColorName& entry : ColorNames) {
        if (SameText(entry.Name, Ident)) {
            Color = entry.Color;
            return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------------------
// TGraphicsObject

void TGraphicsObject::Changed(HGDIOBJ Retired) {
    struct DeleteAfterNotifying {
        HGDIOBJ Object;
        ~DeleteAfterNotifying() { GdiDeleteObject(Object); }
    } retire{Retired};
    if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------
// TFont

const char* const DefaultFontName = "MS Sans Serif";

int TFont::ScreenPixelsPerInch() {
    static const int pixelsPerInch = [] {
        HDC screen = GetDC(nullptr);
        int value = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        return value > 0 ? value : 96;
    }();
    return pixelsPerInch;
}

TFont::TFont() {
    std::memset(&FLogFont, 0, sizeof FLogFont);
    FLogFont.lfHeight = DefaultFontHeight;
    FLogFont.lfWeight = FW_NORMAL;
    FLogFont.lfCharSet = DEFAULT_CHARSET;
    FLogFont.lfOutPrecision = OUT_DEFAULT_PRECIS;
    FLogFont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    FLogFont.lfQuality = DEFAULT_QUALITY;
    FLogFont.lfPitchAndFamily = DEFAULT_PITCH;
    std::strncpy(FLogFont.lfFaceName, DefaultFontName, LF_FACESIZE - 1);
}

TFont::~TFont() {
    GdiDeleteObject(FHandle);
}

void TFont::Assign(TPersistent* Source) {
    if (auto* font = dynamic_cast<TFont*>(Source)) {
        if (font == this) return;
        FColor = font->FColor;
        Change(font->FLogFont);
        return;
    }
    TGraphicsObject::Assign(Source);
}

void TFont::Change(const LOGFONTA& NewFont) {
    FLogFont = NewFont;
    HFONT retired = FHandle;
    FHandle = nullptr;
    Changed(retired);
}

AnsiString TFont::GetName() const {
    return FLogFont.lfFaceName;
}

void TFont::SetName(const AnsiString& Value) {
    if (Value.empty() || Value == FLogFont.lfFaceName) return;
    LOGFONTA font = FLogFont;
    std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
    std::strncpy(font.lfFaceName, Value.c_str(), LF_FACESIZE - 1);
    Change(font);
}

void TFont::SetHeight(int Value) {
    if (Value == FLogFont.lfHeight) return;
    LOGFONTA font = FLogFont;
    font.lfHeight = Value;
    Change(font);
}

int TFont::GetSize() const {
    return -MulDiv(FLogFont.lfHeight, 72, ScreenPixelsPerInch());
}

void TFont::SetSize(int Value) {
    SetHeight(-MulDiv(Value, ScreenPixelsPerInch(), 72));
}

TFontStyles TFont::GetStyle() const {
    TFontStyles style;
    if (FLogFont.lfWeight >= FW_BOLD) style.Include(fsBold);
    if (FLogFont.lfItalic) style.Include(fsItalic);
    if (FLogFont.lfUnderline) style.Include(fsUnderline);
    if (FLogFont.lfStrikeOut) style.Include(fsStrikeOut);
    return style;
}

void TFont::SetStyle(TFontStyles Value) {
    if (Value == GetStyle()) return;
    LOGFONTA font = FLogFont;
    font.lfWeight = Value.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    font.lfItalic = Value.Contains(fsItalic);
    font.lfUnderline = Value.Contains(fsUnderline);
    font.lfStrikeOut = Value.Contains(fsStrikeOut);
    Change(font);
}

TFontPitch TFont::GetPitch() const {
    switch (FLogFont.lfPitchAndFamily & 0x03) {
    case VARIABLE_PITCH:
        return fpVariable;
    case FIXED_PITCH:
        return fpFixed;
    default:
        return fpDefault;
    }
}

void TFont::SetPitch(TFontPitch Value) {
    if (Value == GetPitch()) return;
    static const BYTE pitches[] = {DEFAULT_PITCH, VARIABLE_PITCH, FIXED_PITCH};
    LOGFONTA font = FLogFont;
    font.lfPitchAndFamily = static_cast<BYTE>((font.lfPitchAndFamily & ~0x03) | pitches[Value]);
    Change(font);
}

void TFont::SetCharset(TFontCharset Value) {
    if (Value == FLogFont.lfCharSet) return;
    LOGFONTA font = FLogFont;
    font.lfCharSet = Value;
    Change(font);
}

void TFont::SetOrientation(int Value) {
    if (Value == FLogFont.lfEscapement && Value == FLogFont.lfOrientation) return;
    LOGFONTA font = FLogFont;
    font.lfEscapement = Value;
    font.lfOrientation = Value;
    Change(font);
}

void TFont::SetColor(TColor Value) {
    if (Value == FColor) return;
    FColor = Value;
    Changed(nullptr);
}

HFONT TFont::GetHandle() {
    if (!FHandle) {
        LOGFONTA font = FLogFont;
        if (SameText(font.lfFaceName, "Default")) {
            std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
            std::strncpy(font.lfFaceName, DefaultFontName, LF_FACESIZE - 1);
        }
        FHandle = GdiTrack(CreateFontIndirectA(&font));
        if (!FHandle) throw EOutOfResources("Out of system resources");
    }
    return FHandle;
}

void TFont::SetHandle(HFONT Value) {
    LOGFONTA font;
    if (!Value || GetObjectA(Value, sizeof font, &font) != sizeof font)
        throw EInvalidGraphicOperation("Invalid font handle");
    GdiTrack(Value);
    HFONT retired = FHandle;
    FLogFont = font;
    FHandle = Value;
    Changed(retired);
}

void TFont::Published(TPropertyList& P) {
    RegisterEnum<TFontStyle>({"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
    RegisterEnum<TFontPitch>({"fpDefault", "fpVariable", "fpFixed"});
    P.Add("Charset", &TFont::GetCharset, &TFont::SetCharset, DEFAULT_CHARSET);
    P.Add("Color", &TFont::GetColor, &TFont::SetColor, clWindowText)
        .Idents(ColorToIdent, IdentToColor);
    P.Add("Height", &TFont::GetHeight, &TFont::SetHeight);
    P.Add("Name", &TFont::GetName, &TFont::SetName, AnsiString(DefaultFontName));
    P.Add("Orientation", &TFont::GetOrientation, &TFont::SetOrientation, 0);
    P.Add("Pitch", &TFont::GetPitch, &TFont::SetPitch, fpDefault);
    // Height says the same and is exact.
    P.Add("Size", &TFont::GetSize, &TFont::SetSize).Stored(false);
    P.Add("Style", &TFont::GetStyle, &TFont::SetStyle, TFontStyles());
}

// ---------------------------------------------------------------------------
// TPen

TPen::~TPen() {
    GdiDeleteObject(FHandle);
}

void TPen::Assign(TPersistent* Source) {
    if (auto* pen = dynamic_cast<TPen*>(Source)) {
        if (pen == this) return;
        FColor = pen->FColor;
        FWidth = pen->FWidth;
        FStyle = pen->FStyle;
        FMode = pen->FMode;
        Change();
        return;
    }
    TGraphicsObject::Assign(Source);
}

void TPen::Change() {
    HPEN retired = FHandle;
    FHandle = nullptr;
    Changed(retired);
}

void TPen::SetColor(TColor Value) {
    if (Value == FColor) return;
    FColor = Value;
    Change();
}

void TPen::SetWidth(int Value) {
    if (Value < 0 || Value == FWidth) return;
    FWidth = Value;
    Change();
}

void TPen::SetStyle(TPenStyle Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    Change();
}

// The mode is a state of the device context, not of the pen object.
void TPen::SetMode(TPenMode Value) {
    if (Value == FMode) return;
    FMode = Value;
    Changed(nullptr);
}

HPEN TPen::GetHandle() {
    if (!FHandle) {
        static const int styles[] = {PS_SOLID,      PS_DASH, PS_DOT,        PS_DASHDOT,
                                     PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
        FHandle = GdiTrack(CreatePen(styles[FStyle], FWidth, ColorToRGB(FColor)));
        if (!FHandle) throw EOutOfResources("Out of system resources");
    }
    return FHandle;
}

void TPen::Published(TPropertyList& P) {
    RegisterEnum<TPenMode>({"pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy",
                            "pmMergePenNot", "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen",
                            "pmMerge", "pmNotMerge", "pmMask", "pmNotMask", "pmXor", "pmNotXor"});
    RegisterEnum<TPenStyle>(
        {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"});
    P.Add("Color", &TPen::GetColor, &TPen::SetColor, clBlack).Idents(ColorToIdent, IdentToColor);
    P.Add("Mode", &TPen::GetMode, &TPen::SetMode, pmCopy);
    P.Add("Style", &TPen::GetStyle, &TPen::SetStyle, psSolid);
    P.Add("Width", &TPen::GetWidth, &TPen::SetWidth, 1);
}

// ---------------------------------------------------------------------------
// TBrush

TBrush::~TBrush() {
    if (FOwnsHandle) GdiDeleteObject(FHandle);
}

void TBrush::Assign(TPersistent* Source) {
    if (auto* brush = dynamic_cast<TBrush*>(Source)) {
        if (brush == this) return;
        FColor = brush->FColor;
        FStyle = brush->FStyle;
        FBitmap = brush->FBitmap;
        Change();
        return;
    }
    TGraphicsObject::Assign(Source);
}

void TBrush::Change() {
    HBRUSH retired = FOwnsHandle ? FHandle : nullptr;
    FHandle = nullptr;
    FOwnsHandle = false;
    Changed(retired);
}

void TBrush::SetColor(TColor Value) {
    if (Value == FColor) return;
    FColor = Value;
    // A colour makes a clear brush solid again.
    if (FStyle == bsClear) FStyle = bsSolid;
    Change();
}

void TBrush::SetStyle(TBrushStyle Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    Change();
}

void TBrush::SetBitmap(TBitmap* Value) {
    if (Value == FBitmap) return;
    FBitmap = Value;
    Change();
}

HBRUSH TBrush::GetHandle() {
    if (FHandle) return FHandle;
    HBRUSH brush;
    if (FBitmap && !FBitmap->GetEmpty()) {
        brush = CreatePatternBrush(FBitmap->GetHandle());
    } else if (FStyle == bsClear) {
        FHandle = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
        return FHandle;
    } else if (FStyle == bsSolid) {
        brush = CreateSolidBrush(ColorToRGB(FColor));
    } else {
        static const int hatches[] = {
            0, 0, HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
        brush = CreateHatchBrush(hatches[FStyle], ColorToRGB(FColor));
    }
    if (!brush) throw EOutOfResources("Out of system resources");
    FHandle = GdiTrack(brush);
    FOwnsHandle = true;
    return FHandle;
}

void TBrush::Published(TPropertyList& P) {
    RegisterEnum<TBrushStyle>({"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal",
                               "bsBDiagonal", "bsCross", "bsDiagCross"});
    P.Add("Color", &TBrush::GetColor, &TBrush::SetColor, clWhite)
        .Idents(ColorToIdent, IdentToColor);
    P.Add("Style", &TBrush::GetStyle, &TBrush::SetStyle, bsSolid);
}

// ---------------------------------------------------------------------------
// TCanvas

TCanvas::TCanvas()
    : FFont(std::make_unique<TFont>()), FPen(std::make_unique<TPen>()),
      FBrush(std::make_unique<TBrush>()) {
    InitializeCriticalSection(&FLock);
    FFont->OnChange = TNotifyEvent(this, &TCanvas::FontChanged);
    FPen->OnChange = TNotifyEvent(this, &TCanvas::PenChanged);
    FBrush->OnChange = TNotifyEvent(this, &TCanvas::BrushChanged);
}

TCanvas::~TCanvas() {
    DeselectHandles();
    DeleteCriticalSection(&FLock);
}

HDC TCanvas::GetHandle() {
    RequiredState({csHandleValid, csFontValid, csPenValid, csBrushValid});
    return FHandle;
}

void TCanvas::SetHandle(HDC Value) {
    if (Value == FHandle) return;
    DeselectHandles();
    FHandle = Value;
    FState = Value ? TCanvasState{csHandleValid} : TCanvasState{};
}

void TCanvas::CreateHandle() {}

void TCanvas::Changing() {
    if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
    if (OnChange) OnChange(this);
}

void TCanvas::RequiredState(TCanvasState State) {
    if (State.Contains(csHandleValid) && !FHandle) {
        CreateHandle();
        if (!FHandle) throw EInvalidOperation("Canvas does not allow drawing");
    }
    if (!FHandle) return;
    if (State.Contains(csFontValid) && !FState.Contains(csFontValid)) SelectFont();
    if (State.Contains(csPenValid) && !FState.Contains(csPenValid)) SelectPen();
    if (State.Contains(csBrushValid) && !FState.Contains(csBrushValid)) SelectBrush();
}

void TCanvas::SelectFont() {
    HGDIOBJ previous = SelectObject(FHandle, FFont->GetHandle());
    if (!FOldFont) FOldFont = previous;
    SetTextColor(FHandle, ColorToRGB(FFont->GetColor()));
    FState.Include(csFontValid);
}

void TCanvas::SelectPen() {
    HGDIOBJ previous = SelectObject(FHandle, FPen->GetHandle());
    if (!FOldPen) FOldPen = previous;
    static const int modes[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,
                                R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                                R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,    R2_NOTMERGEPEN,
                                R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};
    SetROP2(FHandle, modes[FPen->GetMode()]);
    FState.Include(csPenValid);
}

void TCanvas::SelectBrush() {
    HGDIOBJ previous = SelectObject(FHandle, FBrush->GetHandle());
    if (!FOldBrush) FOldBrush = previous;
    SetBrushOrgEx(FHandle, 0, 0, nullptr);
    if (FBrush->GetStyle() == bsSolid || FBrush->GetBitmap()) {
        SetBkColor(FHandle, ColorToRGB(FBrush->GetColor()));
        SetBkMode(FHandle, OPAQUE);
    } else {
        // Hatches and text show the background through.
        SetBkColor(FHandle, ~ColorToRGB(FBrush->GetColor()) & 0xFFFFFF);
        SetBkMode(FHandle, TRANSPARENT);
    }
    FState.Include(csBrushValid);
}

void TCanvas::Release(TCanvasStateItem Item) {
    if (!FHandle || !FState.Contains(Item)) return;
    HGDIOBJ& old = Item == csFontValid ? FOldFont : Item == csPenValid ? FOldPen : FOldBrush;
    SelectObject(FHandle, old);
    old = nullptr;
    FState.Exclude(Item);
}

void TCanvas::DeselectHandles() {
    Release(csFontValid);
    Release(csPenValid);
    Release(csBrushValid);
}

void TCanvas::FontChanged(TObject*) {
    Release(csFontValid);
}

void TCanvas::PenChanged(TObject*) {
    Release(csPenValid);
}

void TCanvas::BrushChanged(TObject*) {
    Release(csBrushValid);
}

void TCanvas::SetFont(TFont* Value) {
    FFont->Assign(Value);
}

void TCanvas::SetPen(TPen* Value) {
    FPen->Assign(Value);
}

void TCanvas::SetBrush(TBrush* Value) {
    FBrush->Assign(Value);
}

TPoint TCanvas::GetPenPos() {
    RequiredState({csHandleValid});
    POINT position;
    GetCurrentPositionEx(FHandle, &position);
    return {position.x, position.y};
}

void TCanvas::SetPenPos(TPoint Value) {
    MoveTo(Value.X, Value.Y);
}

TColor TCanvas::GetPixels(int X, int Y) {
    RequiredState({csHandleValid});
    return static_cast<TColor>(GetPixel(FHandle, X, Y));
}

void TCanvas::SetPixels(int X, int Y, TColor Value) {
    Changing();
    RequiredState({csHandleValid, csPenValid});
    SetPixel(FHandle, X, Y, ColorToRGB(Value));
    Changed();
}

TRect TCanvas::GetClipRect() {
    RequiredState({csHandleValid});
    RECT box;
    GetClipBox(FHandle, &box);
    return {box.left, box.top, box.right, box.bottom};
}

void TCanvas::Lock() {
    EnterCriticalSection(&FLock);
}

void TCanvas::Unlock() {
    LeaveCriticalSection(&FLock);
}

void TCanvas::MoveTo(int X, int Y) {
    RequiredState({csHandleValid});
    MoveToEx(FHandle, X, Y, nullptr);
}

void TCanvas::LineTo(int X, int Y) {
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    ::LineTo(FHandle, X, Y);
    Changed();
}

namespace {
std::vector<POINT> ToPOINTs(std::span<const TPoint> Points) {
    std::vector<POINT> points(Points.size());
    std::transform(Points.begin(), Points.end(), points.begin(), [](const TPoint& p) {
        return POINT{p.X, p.Y};
    });
    return points;
}
} // namespace

void TCanvas::Polyline(std::span<const TPoint> Points) {
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    std::vector<POINT> points = ToPOINTs(Points);
    ::Polyline(FHandle, points.data(), static_cast<int>(points.size()));
    Changed();
}

void TCanvas::Polyline(std::initializer_list<TPoint> Points) {
    Polyline(std::span<const TPoint>(Points.begin(), Points.size()));
}

void TCanvas::Polygon(std::span<const TPoint> Points) {
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    std::vector<POINT> points = ToPOINTs(Points);
    ::Polygon(FHandle, points.data(), static_cast<int>(points.size()));
    Changed();
}

void TCanvas::Polygon(std::initializer_list<TPoint> Points) {
    Polygon(std::span<const TPoint>(Points.begin(), Points.size()));
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    ::Rectangle(FHandle, X1, Y1, X2, Y2);
    Changed();
}

void TCanvas::Rectangle(const TRect& Rect) {
    Rectangle(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom);
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3) {
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    ::RoundRect(FHandle, X1, Y1, X2, Y2, X3, Y3);
    Changed();
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    ::Ellipse(FHandle, X1, Y1, X2, Y2);
    Changed();
}

void TCanvas::Ellipse(const TRect& Rect) {
    Ellipse(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom);
}

void TCanvas::FillRect(const TRect& Rect) {
    Changing();
    RequiredState({csHandleValid, csBrushValid});
    RECT r{Rect.Left, Rect.Top, Rect.Right, Rect.Bottom};
    ::FillRect(FHandle, &r, FBrush->GetHandle());
    Changed();
}

void TCanvas::FrameRect(const TRect& Rect) {
    Changing();
    RequiredState({csHandleValid, csBrushValid});
    RECT r{Rect.Left, Rect.Top, Rect.Right, Rect.Bottom};
    ::FrameRect(FHandle, &r, FBrush->GetHandle());
    Changed();
}

void TCanvas::DrawFocusRect(const TRect& Rect) {
    Changing();
    RequiredState({csHandleValid, csBrushValid});
    RECT r{Rect.Left, Rect.Top, Rect.Right, Rect.Bottom};
    ::DrawFocusRect(FHandle, &r);
    Changed();
}

void TCanvas::TextOut(int X, int Y, const AnsiString& Text) {
    Changing();
    RequiredState({csHandleValid, csFontValid, csBrushValid});
    ExtTextOutA(FHandle, X, Y, 0, nullptr, Text.data(), static_cast<UINT>(Text.size()), nullptr);
    MoveToEx(FHandle, X + TextWidth(Text), Y, nullptr);
    Changed();
}

void TCanvas::TextRect(const TRect& Rect, int X, int Y, const AnsiString& Text) {
    Changing();
    RequiredState({csHandleValid, csFontValid, csBrushValid});
    UINT options = ETO_CLIPPED;
    if (FBrush->GetStyle() != bsClear) options |= ETO_OPAQUE;
    RECT r{Rect.Left, Rect.Top, Rect.Right, Rect.Bottom};
    ExtTextOutA(FHandle, X, Y, options, &r, Text.data(), static_cast<UINT>(Text.size()), nullptr);
    Changed();
}

void TCanvas::TextRect(TRect& Rect, const AnsiString& Text, UINT Flags) {
    Changing();
    RequiredState({csHandleValid, csFontValid, csBrushValid});
    RECT r{Rect.Left, Rect.Top, Rect.Right, Rect.Bottom};
    DrawTextA(FHandle, Text.data(), static_cast<int>(Text.size()), &r, Flags);
    if (Flags & DT_CALCRECT) Rect = {r.left, r.top, r.right, r.bottom};
    Changed();
}

TSize TCanvas::TextExtent(const AnsiString& Text) {
    RequiredState({csHandleValid, csFontValid});
    SIZE size{0, 0};
    GetTextExtentPoint32A(FHandle, Text.data(), static_cast<int>(Text.size()), &size);
    return {size.cx, size.cy};
}

int TCanvas::TextWidth(const AnsiString& Text) {
    return TextExtent(Text).cx;
}

int TCanvas::TextHeight(const AnsiString& Text) {
    return TextExtent(Text).cy;
}

void TCanvas::Draw(int X, int Y, TGraphic* Graphic) {
    if (!Graphic || Graphic->GetEmpty()) return;
    StretchDraw(Bounds(X, Y, Graphic->GetWidth(), Graphic->GetHeight()), Graphic);
}

void TCanvas::StretchDraw(const TRect& Rect, TGraphic* Graphic) {
    if (!Graphic || Graphic->GetEmpty()) return;
    Changing();
    RequiredState({csHandleValid});
    Graphic->Draw(this, Rect);
    Changed();
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source) {
    Changing();
    RequiredState({csHandleValid, csFontValid, csBrushValid});
    Canvas->RequiredState({csHandleValid, csBrushValid});
    SetStretchBltMode(FHandle, COLORONCOLOR);
    StretchBlt(FHandle, Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), Canvas->FHandle,
               Source.Left, Source.Top, Source.Width(), Source.Height(), FCopyMode);
    Changed();
}

void TCanvas::BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color) {
    if (!Bitmap || Bitmap->GetEmpty()) return;
    Changing();
    RequiredState({csHandleValid, csBrushValid});
    RECT r{Dest.Left, Dest.Top, Dest.Right, Dest.Bottom};
    ::FillRect(FHandle, &r, FBrush->GetHandle());
    TransparentBlt(FHandle, Dest.Left, Dest.Top, Dest.Width(), Dest.Height(),
                   Bitmap->GetCanvas()->GetHandle(), Source.Left, Source.Top, Source.Width(),
                   Source.Height(), ColorToRGB(Color) & 0xFFFFFF);
    Changed();
}

// ---------------------------------------------------------------------------
// Frame3D

void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width) {
    TPen* pen = Canvas->GetPen();
    pen->SetWidth(1);
    --Rect.Bottom;
    --Rect.Right;
    for (; Width > 0; --Width) {
        pen->SetColor(TopColor);
        Canvas->Polyline({{Rect.Left, Rect.Bottom}, {Rect.Left, Rect.Top}, {Rect.Right, Rect.Top}});
        pen->SetColor(BottomColor);
        Canvas->Polyline(
            {{Rect.Right, Rect.Top}, {Rect.Right, Rect.Bottom}, {Rect.Left - 1, Rect.Bottom}});
        ++Rect.Left;
        ++Rect.Top;
        --Rect.Right;
        --Rect.Bottom;
    }
    ++Rect.Bottom;
    ++Rect.Right;
}

// ---------------------------------------------------------------------------
// TGraphic

void TGraphic::SetTransparent(bool Value) {
    if (Value == FTransparent) return;
    FTransparent = Value;
    Changed();
}

void TGraphic::SetModified(bool Value) {
    if (Value) {
        Changed();
        return;
    }
    FModified = false;
}

void TGraphic::Changed() {
    FModified = true;
    if (OnChange) OnChange(this);
}

void TGraphic::LoadFromFile(const AnsiString& FileName) {
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&stream);
}

void TGraphic::SaveToFile(const AnsiString& FileName) {
    TMemoryStream stream;
    SaveToStream(&stream);
    WriteFileReplacing(FileName, stream.GetMemory(), static_cast<std::size_t>(stream.GetSize()));
}

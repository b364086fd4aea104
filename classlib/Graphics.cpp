#include "classlib/Graphics.h"

#include "classlib/Exceptions.h"
#include "classlib/Filer.h"
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

// In the order GetColorValues reports them: the 16 standard colours, the 4 extended
// ones, the system's colours, then clNone and clDefault.
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

// Read, never written or listed: the colours have their own names above.
const TColorName ColorSynonyms[] = {
    {clLtGray, "clLtGray"},
    {clDkGray, "clDkGray"},
};

} // namespace

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
    for (const auto& table : {std::span<const TColorName>(ColorNames),
                              std::span<const TColorName>(ColorSynonyms)}) {
        for (const TColorName& entry : table) {
            if (SameText(entry.Name, Ident)) {
                Color = entry.Color;
                return true;
            }
        }
    }
    return false;
}

void GetColorValues(const std::function<void(const AnsiString&)>& Proc) {
    for (const TColorName& entry : ColorNames) Proc(entry.Name);
}

AnsiString ColorToString(TColor Color) {
    AnsiString ident;
    if (ColorToIdent(Color, ident)) return ident;
    AnsiString text("$");
    text += IntToHex(Color, 8);
    return text;
}

TColor StringToColor(const AnsiString& S) {
    TColor color = 0;
    if (IdentToColor(S, color)) return color;
    return StrToInt(S);
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

namespace {

LONG WithinFontCap(LONG Size) {
    return std::clamp<LONG>(Size, -MaxFontHeight, MaxFontHeight);
}

bool PastFontCap(const LOGFONTA& Font) {
    return WithinFontCap(Font.lfHeight) != Font.lfHeight ||
           WithinFontCap(Font.lfWidth) != Font.lfWidth;
}

} // namespace

HFONT CreateCappedFont(const LOGFONTA& Font) {
    LOGFONTA font = Font;
    if (SameText(font.lfFaceName, "Default")) {
        std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
        std::strncpy(font.lfFaceName, DefaultFontName, LF_FACESIZE - 1);
    }
    font.lfHeight = WithinFontCap(font.lfHeight);
    font.lfWidth = WithinFontCap(font.lfWidth);
    // The system turns outline fonts only: a turned font that asks for no kind asks for one.
    if (font.lfEscapement != 0 && font.lfOutPrecision == OUT_DEFAULT_PRECIS)
        font.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    return CreateFontIndirectA(&font);
}

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

void TFont::SetLogFont(const LOGFONTA& Value) {
    Change(Value);
}

HFONT TFont::GetHandle() {
    if (!FHandle) {
        FHandle = GdiTrack(CreateCappedFont(FLogFont));
        if (!FHandle) throw EOutOfResources("Out of system resources");
    }
    return FHandle;
}

void TFont::SetHandle(HFONT Value) {
    LOGFONTA font;
    if (!Value || GetObjectA(Value, sizeof font, &font) != sizeof font)
        throw EInvalidGraphicOperation("Invalid font handle");
    GdiTrack(Value);
    if (PastFontCap(font)) {
        GdiDeleteObject(Value);
        Change(font);
        return;
    }
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
    if (Value == FColor && FStyle != bsClear) return;
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
    if (HBRUSH pattern = FBitmap ? CreatePatternBrushOf(FBitmap) : nullptr) {
        brush = pattern;
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

void TGraphic::DefineProperties(TFiler* Filer) {
    TPersistent::DefineProperties(Filer);
    Filer->DefineBinaryProperty(
        "Data", [this](TStream* Stream) { ReadData(Stream); },
        [this](TStream* Stream) { WriteData(Stream); }, !GetEmpty());
}

void TGraphic::ReadData(TStream* Stream) {
    // The reader's error, so that a damaged picture is reported where the form was read.
    try {
        LoadFromStream(Stream);
    } catch (const EReadError&) {
        throw;
    } catch (const Exception& E) {
        throw EReadError("Invalid picture data: " + E.Message());
    }
    const Int64 rest = Stream->GetSize() - Stream->GetPosition();
    if (rest != 0)
        throw EReadError("Invalid picture data: " + IntToStr(rest) + " bytes after the picture");
}

void TGraphic::WriteData(TStream* Stream) {
    SaveToStream(Stream);
}

int FontLineHeight(TFont* Font) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Font->GetHandle());
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return metrics.tmHeight;
}

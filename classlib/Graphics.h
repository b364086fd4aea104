// Colours, fonts, pens, brushes, the drawing canvas and the base of all pictures.
//
// Fonts, pens and brushes keep their attributes and make their GDI handle on first
// use. When an attribute changes, the object drops its handle, fires OnChange, and
// deletes the old handle after OnChange returns: whoever selected the handle into a
// device context deselects it in its OnChange handler (a TCanvas does this for its own
// font, pen and brush). A canvas selects them again before its next drawing.
#pragma once

#include "classlib/Events.h"
#include "classlib/Objects.h"
#include "classlib/Sets.h"
#include "classlib/Types.h"

#include "classlib/Platform.h"

#include <functional>
#include <initializer_list>
#include <memory>
#include <span>

class TBitmap;
class TCanvas;
class TGraphic;
class TStream;

// ---------------------------------------------------------------------------
// Colours

// 0x00BBGGRR for plain colours; 0x80000000 | COLOR_xxx for the system's colours.
using TColor = std::int32_t;

constexpr TColor SystemColor(int Index) {
    return static_cast<TColor>(0x80000000u | Index);
}

constexpr TColor clScrollBar = SystemColor(COLOR_SCROLLBAR);
constexpr TColor clBackground = SystemColor(COLOR_BACKGROUND);
constexpr TColor clActiveCaption = SystemColor(COLOR_ACTIVECAPTION);
constexpr TColor clInactiveCaption = SystemColor(COLOR_INACTIVECAPTION);
constexpr TColor clMenu = SystemColor(COLOR_MENU);
constexpr TColor clWindow = SystemColor(COLOR_WINDOW);
constexpr TColor clWindowFrame = SystemColor(COLOR_WINDOWFRAME);
constexpr TColor clMenuText = SystemColor(COLOR_MENUTEXT);
constexpr TColor clWindowText = SystemColor(COLOR_WINDOWTEXT);
constexpr TColor clCaptionText = SystemColor(COLOR_CAPTIONTEXT);
constexpr TColor clActiveBorder = SystemColor(COLOR_ACTIVEBORDER);
constexpr TColor clInactiveBorder = SystemColor(COLOR_INACTIVEBORDER);
constexpr TColor clAppWorkSpace = SystemColor(COLOR_APPWORKSPACE);
constexpr TColor clHighlight = SystemColor(COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT);
constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE);
constexpr TColor clBtnShadow = SystemColor(COLOR_BTNSHADOW);
constexpr TColor clGrayText = SystemColor(COLOR_GRAYTEXT);
constexpr TColor clBtnText = SystemColor(COLOR_BTNTEXT);
constexpr TColor clInactiveCaptionText = SystemColor(COLOR_INACTIVECAPTIONTEXT);
constexpr TColor clBtnHighlight = SystemColor(COLOR_BTNHIGHLIGHT);
constexpr TColor cl3DDkShadow = SystemColor(COLOR_3DDKSHADOW);
constexpr TColor cl3DLight = SystemColor(COLOR_3DLIGHT);
constexpr TColor clInfoText = SystemColor(COLOR_INFOTEXT);
constexpr TColor clInfoBk = SystemColor(COLOR_INFOBK);
constexpr TColor clHotLight = SystemColor(COLOR_HOTLIGHT);
constexpr TColor clGradientActiveCaption = SystemColor(COLOR_GRADIENTACTIVECAPTION);
constexpr TColor clGradientInactiveCaption = SystemColor(COLOR_GRADIENTINACTIVECAPTION);
constexpr TColor clMenuHighlight = SystemColor(COLOR_MENUHILIGHT);
constexpr TColor clMenuBar = SystemColor(COLOR_MENUBAR);

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;

// "No colour" and "the colour the context chooses"; neither is a system colour.
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// The RGB value of a colour: system colours are looked up, all others returned as they are.
COLORREF ColorToRGB(TColor Color);
// Names used in form resources ("clRed", "clBtnFace", ...); false when Color has no
// name / Ident names no colour (compared ignoring case).
bool ColorToIdent(TColor Color, AnsiString& Ident);
bool IdentToColor(const AnsiString& Ident, TColor& Color);
// Calls Proc with the name of every named colour: the 16 standard colours (clBlack to
// clWhite), the 4 extended ones (clMoneyGreen, clSkyBlue, clCream, clMedGray), the
// system's colours, then clNone and clDefault. Synonyms (clLtGray, clDkGray) are left out.
void GetColorValues(const std::function<void(const AnsiString&)>& Proc);
// The colour's name, else "$" and its eight hexadecimal digits.
AnsiString ColorToString(TColor Color);
// A colour's name (any case) or an integer ("$" for hexadecimal); EConvertError otherwise.
TColor StringToColor(const AnsiString& S);

// ---------------------------------------------------------------------------
// Fonts, pens and brushes

class TGraphicsObject : public TPersistent {
    DECLARE_CLASS(TGraphicsObject, TPersistent)
public:
    TNotifyEvent OnChange;

protected:
    // Fires OnChange, then deletes Retired (the handle the change made stale).
    void Changed(HGDIOBJ Retired);
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = Byte;

// The font of a new TFont; "Default" as a font name also stands for it.
extern const char* const DefaultFontName;
constexpr int DefaultFontHeight = -11;
// The tallest font the system is asked to draw with, in pixels: taller than any screen
// shows, yet small enough that the system's pictures of its glyphs stay within reason. A
// font of a greater Height (a damaged form's) keeps it, and draws at this one.
constexpr int MaxFontHeight = 4096;

// The system's font for Font, its height and width held within MaxFontHeight; "Default" as
// the face name stands for DefaultFontName, and a turned font asks for an outline font (the
// only kind that turns). Every font handle is made here, so that none goes past the cap. The
// caller owns the font; null when the system gives none.
HFONT CreateCappedFont(const LOGFONTA& Font);

// A logical font. Height is in pixels (negative: character height without internal
// leading); Size is in points at the screen's pixels per inch. Orientation is the
// angle of the text's base line in tenths of a degree, counter-clockwise.
class TFont : public TGraphicsObject {
    DECLARE_CLASS(TFont, TGraphicsObject)
public:
    TFont();
    ~TFont() override;

    void Assign(TPersistent* Source) override;

    AnsiString GetName() const;
    // An empty name is ignored; the system keeps at most 31 characters.
    void SetName(const AnsiString& Value);
    int GetHeight() const { return FLogFont.lfHeight; }
    void SetHeight(int Value);
    int GetSize() const;
    void SetSize(int Value);
    TFontStyles GetStyle() const;
    void SetStyle(TFontStyles Value);
    TFontPitch GetPitch() const;
    void SetPitch(TFontPitch Value);
    TFontCharset GetCharset() const { return FLogFont.lfCharSet; }
    void SetCharset(TFontCharset Value);
    int GetOrientation() const { return FLogFont.lfEscapement; }
    void SetOrientation(int Value);
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);

    // Every attribute as the system describes the font.
    const LOGFONTA& GetLogFont() const { return FLogFont; }
    // Adopts every attribute of Value; the handle is made from them when first used.
    void SetLogFont(const LOGFONTA& Value);
    HFONT GetHandle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    // Takes ownership of Value (a font the caller created) and adopts its attributes. A font
    // taller or wider than MaxFontHeight keeps its attributes but is not drawn with: one
    // within the cap is made in its place.
    void SetHandle(HFONT Value);

    static int ScreenPixelsPerInch();
    static void Published(TPropertyList& P);

private:
    void Change(const LOGFONTA& NewFont);

    LOGFONTA FLogFont;
    TColor FColor = clWindowText;
    HFONT FHandle = nullptr;
};

// The height of a line of text in Font on the screen.
int FontLineHeight(TFont* Font);

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// Raster operations of lines; pmCopy draws the pen's colour.
enum TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};

class TPen : public TGraphicsObject {
    DECLARE_CLASS(TPen, TGraphicsObject)
public:
    TPen() = default;
    ~TPen() override;

    void Assign(TPersistent* Source) override;

    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);
    int GetWidth() const { return FWidth; }
    void SetWidth(int Value);
    TPenStyle GetStyle() const { return FStyle; }
    void SetStyle(TPenStyle Value);
    TPenMode GetMode() const { return FMode; }
    void SetMode(TPenMode Value);

    HPEN GetHandle();
    static void Published(TPropertyList& P);

private:
    void Change();

    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
    HPEN FHandle = nullptr;
};

enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};

class TBrush : public TGraphicsObject {
    DECLARE_CLASS(TBrush, TGraphicsObject)
public:
    TBrush() = default;
    ~TBrush() override;

    void Assign(TPersistent* Source) override;

    TColor GetColor() const { return FColor; }
    // Also makes a bsClear brush bsSolid.
    void SetColor(TColor Value);
    TBrushStyle GetStyle() const { return FStyle; }
    void SetStyle(TBrushStyle Value);
    // A pattern that replaces colour and style while set; not owned (the caller keeps
    // it alive while the brush uses it).
    TBitmap* GetBitmap() const { return FBitmap; }
    void SetBitmap(TBitmap* Value);

    HBRUSH GetHandle();
    static void Published(TPropertyList& P);

private:
    // A brush of Bitmap's pattern, null for an empty bitmap (the bitmaps unit defines it).
    static HBRUSH CreatePatternBrushOf(TBitmap* Bitmap);
    void Change();

    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    TBitmap* FBitmap = nullptr;
    HBRUSH FHandle = nullptr;
    bool FOwnsHandle = false;
};

// ---------------------------------------------------------------------------
// Pictures

// The base of every picture kind: bitmaps, JPEG images, icons.
class TGraphic : public TPersistent {
    DECLARE_CLASS(TGraphic, TPersistent)
    friend class TCanvas;

public:
    TNotifyEvent OnChange;

    virtual bool GetEmpty() const = 0;
    virtual int GetWidth() const = 0;
    virtual int GetHeight() const = 0;
    virtual void SetWidth(int Value) = 0;
    virtual void SetHeight(int Value) = 0;
    virtual bool GetTransparent() const { return FTransparent; }
    virtual void SetTransparent(bool Value);
    // Set by every change; cleared by its owner.
    bool GetModified() const { return FModified; }
    void SetModified(bool Value);

    // A picture reads exactly its own bytes from the stream's position.
    virtual void LoadFromStream(TStream* Stream) = 0;
    virtual void SaveToStream(TStream* Stream) = 0;
    void LoadFromFile(const AnsiString& FileName);
    // Writes the whole file or leaves the old one as it was.
    void SaveToFile(const AnsiString& FileName);

    // The binary property "Data" of form resources: the picture's own file (what
    // SaveToStream writes), stored when the picture is not empty.
    void DefineProperties(TFiler* Filer) override;
    // Loads the whole of Stream as the picture. A block that is no picture of this kind, or
    // that holds bytes after the picture, raises EReadError.
    void ReadData(TStream* Stream);
    void WriteData(TStream* Stream);

protected:
    // Draws the whole picture into Rect of ACanvas (stretched when the sizes differ).
    virtual void Draw(TCanvas* ACanvas, const TRect& Rect) = 0;
    // Marks the picture modified and fires OnChange.
    virtual void Changed();

private:
    bool FTransparent = false;
    bool FModified = false;
};

#include "classlib/Canvas.h"

#include "classlib/Bitmaps.h"
#include "classlib/Exceptions.h"
#include "classlib/GdiCounter.h"
#include "classlib/ScreenSettings.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <map>
#include <string>
#include <vector>

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
    FSelectedFont = FFont->GetHandle();
    HGDIOBJ previous = SelectObject(FHandle, FSelectedFont);
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
    // A new colour keeps the font object selected and changes only the text colour: text in
    // alternating colours (a table's highlighted cell) would otherwise select it every time.
    if (FState.Contains(csFontValid) && FFont->HandleAllocated() && FFont->GetHandle() == FSelectedFont) {
        SetTextColor(FHandle, ColorToRGB(FFont->GetColor()));
        return;
    }
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

namespace {

// The most pixels the ink of a text is drawn in: a text of a larger area (a font thousands
// of pixels high) is measured in a smaller copy of its font (ScaledOverhang), so that neither
// the picture nor the time spent scanning it follows the font's size.
constexpr Int64 MaxInkPixels = Int64{1} << 20;

// Where texts are drawn to find their ink: one 32-bit picture with its device context, kept
// for the process and grown as texts need, up to MaxInkPixels. Making a picture, a context
// and a copy of the font for every measure cost several times the measure itself, and every
// caption is measured.
class TInkPicture {
public:
    ~TInkPicture() {
        if (!FDC) return;
        SelectObject(FDC, FOldBitmap);
        DeleteObject(FBitmap);
        DeleteDC(FDC);
    }

    // The context, its top-left Width x Height white and ready for black text in Font; null
    // when the system has no room for a picture that large (the smaller one is kept).
    HDC Prepare(int Width, int Height, HFONT Font) {
        if (Width > FWidth || Height > FHeight) {
            // Grown to hold both the old and the new text, unless that passes the most.
            const bool both = Int64{std::max(Width, FWidth)} * std::max(Height, FHeight) <= MaxInkPixels;
            Grow(both ? std::max(Width, FWidth) : Width, both ? std::max(Height, FHeight) : Height);
        }
        if (!FDC || Width > FWidth || Height > FHeight) return nullptr;
        RECT area{0, 0, Width, Height};
        FillRect(FDC, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SelectObject(FDC, Font);
        SetTextColor(FDC, RGB(0, 0, 0));
        SetBkMode(FDC, TRANSPARENT);
        return FDC;
    }
    // Lets go of the font, which its owner may delete.
    void Finish() { SelectObject(FDC, GetStockObject(SYSTEM_FONT)); }
    const DWORD* Row(int Y) const { return FBits + std::size_t(Y) * std::size_t(FWidth); }

private:
    void Grow(int Width, int Height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = Width;
        info.bmiHeader.biHeight = -Height; // top row first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (!bitmap) return;
        if (!FDC) {
            FDC = CreateCompatibleDC(nullptr);
            if (!FDC) {
                DeleteObject(bitmap);
                return;
            }
            FOldBitmap = SelectObject(FDC, bitmap);
        } else {
            DeleteObject(SelectObject(FDC, bitmap));
        }
        FBitmap = bitmap;
        FBits = static_cast<DWORD*>(bits);
        FWidth = Width;
        FHeight = Height;
    }

    HDC FDC = nullptr;
    HBITMAP FBitmap = nullptr;
    HGDIOBJ FOldBitmap = nullptr;
    DWORD* FBits = nullptr;
    int FWidth = 0;
    int FHeight = 0;
};

// The right end of Text's ink, drawn in Font with Flags from the top left of a white area of
// Width x Height: 0 when nothing shows.
int InkEnd(HFONT Font, const AnsiString& Text, UINT Flags, int Width, int Height) {
    static TInkPicture picture;
    HDC dc = picture.Prepare(Width, Height, Font);
    if (!dc) throw EOutOfResources("Out of system resources");
    RECT at{0, 0, Width, Height};
    DrawTextA(dc, Text.data(), static_cast<int>(Text.size()), &at, Flags | DT_NOCLIP);
    picture.Finish();
    GdiFlush();
    int inkEnd = 0;
    for (int y = 0; y < Height; ++y) {
        const DWORD* row = picture.Row(y);
        for (int x = Width - 1; x >= inkEnd; --x)
            if ((row[x] & 0xFFFFFFu) != 0xFFFFFFu) {
                inkEnd = x + 1;
                break;
            }
    }
    return inkEnd;
}

// How far the ink of Text in Font (on DC) runs past its advances, for a text whose picture
// would be larger than MaxInkPixels: measured in Font scaled down until it fits, and scaled
// back up with a pixel of the small picture to spare, so as to err towards more room.
int ScaledOverhang(HDC DC, HFONT Font, const AnsiString& Text, UINT Flags, double Scale) {
    // Scaled from the font as the system was given it (a huge font's height capped).
    LOGFONTA drawn{};
    GetObjectA(Font, sizeof drawn, &drawn);
    // A long text may not fit at the first scale: each further try halves the font.
    for (int tries = 0; tries < 8; ++tries, Scale /= 2) {
        LOGFONTA scaled = drawn;
        auto shrink = [&](LONG Size) {
            const auto small = static_cast<LONG>(std::lround(Size * Scale));
            return small != 0 || Size == 0 ? small : (Size < 0 ? -1 : 1);
        };
        scaled.lfHeight = shrink(drawn.lfHeight);
        scaled.lfWidth = shrink(drawn.lfWidth);
        HFONT font = CreateCappedFont(scaled);
        if (!font) throw EOutOfResources("Out of system resources");
        struct TSelected {
            HDC DC;
            HGDIOBJ Old;
            HFONT Font;
            ~TSelected() {
                SelectObject(DC, Old);
                DeleteObject(Font);
            }
        } selected{DC, SelectObject(DC, font), font};
        RECT measured{0, 0, 0, 0};
        DrawTextA(DC, Text.data(), static_cast<int>(Text.size()), &measured, Flags | DT_CALCRECT);
        TEXTMETRICA metrics{};
        GetTextMetricsA(DC, &metrics);
        if (measured.right <= 0 || measured.bottom <= 0) return 0;
        const Int64 width = Int64{measured.right} + measured.right / 4 + metrics.tmMaxCharWidth + 8;
        if (width * measured.bottom > MaxInkPixels) continue;
        const int inkEnd = InkEnd(font, Text, Flags, static_cast<int>(width), measured.bottom);
        return static_cast<int>(std::ceil((inkEnd - measured.right + 1) / Scale));
    }
    // No size the picture holds shows the text: its own spill is all that is known.
    return 0;
}

// Everything the overhang of a text follows: the font as the system describes it, the text,
// the flags, and the measures the caller's context gave. A caption is measured at every paint.
struct TInkKey {
    std::string Font;
    AnsiString Text;
    UINT Flags;
    LONG Right, Bottom, Overhang, MaxCharWidth;

    auto operator<=>(const TInkKey&) const = default;
};

std::string FontKey(const LOGFONTA& Font) {
    std::string key(reinterpret_cast<const char*>(&Font), offsetof(LOGFONTA, lfFaceName));
    key.append(Font.lfFaceName, strnlen(Font.lfFaceName, LF_FACESIZE));
    return key;
}

// Forgotten whole when full, and when the display's settings change (font smoothing draws
// other ink).
constexpr std::size_t MaxKeptOverhangs = 512;

std::map<TInkKey, int>& KeptOverhangs() {
    static TKeptUntilSettingsChange<std::map<TInkKey, int>> keptUntilChange;
    auto& kept = keptUntilChange.Get([] { return std::map<TInkKey, int>(); });
    if (kept.size() >= MaxKeptOverhangs) kept.clear();
    return kept;
}

// Word breaks need a width of their own: lines are measured as they stand.
UINT OverhangFlags(UINT Flags) {
    return Flags & ~static_cast<UINT>(DT_WORDBREAK | DT_CALCRECT | DT_RIGHT | DT_CENTER);
}

} // namespace

int TCanvas::TextOverhang(const AnsiString& Text, UINT Flags) {
    RequiredState({csHandleValid, csFontValid});
    Flags = OverhangFlags(Flags);
    RECT measured{0, 0, 0, 0};
    DrawTextA(FHandle, Text.data(), static_cast<int>(Text.size()), &measured, Flags | DT_CALCRECT);
    return TextOverhang(Text, Flags, measured);
}

int TCanvas::TextOverhang(const AnsiString& Text, UINT Flags, const RECT& Measured) {
    RequiredState({csHandleValid, csFontValid});
    Flags = OverhangFlags(Flags);
    const int kEdgeSpill = 2;
    TEXTMETRICA metrics{};
    GetTextMetricsA(FHandle, &metrics);
    const int least = kEdgeSpill + metrics.tmOverhang;
    const RECT measured{0, 0, Measured.right - Measured.left, Measured.bottom - Measured.top};
    if (measured.right <= 0 || measured.bottom <= 0) return least;

    TInkKey key{FontKey(FFont->GetLogFont()), Text, Flags, measured.right, measured.bottom,
                metrics.tmOverhang, metrics.tmMaxCharWidth};
    auto& kept = KeptOverhangs();
    if (auto found = kept.find(key); found != kept.end()) return found->second;
    // Drawn black on white, with room for glyphs running well past the advances.
    const Int64 width = Int64{measured.right} + measured.right / 4 + metrics.tmMaxCharWidth + 8;
    const Int64 pixels = width * measured.bottom;
    const int overhang = std::max(
        least, pixels <= MaxInkPixels
                   ? InkEnd(FFont->GetHandle(), Text, Flags, static_cast<int>(width), measured.bottom) -
                         static_cast<int>(measured.right)
                   : ScaledOverhang(FHandle, FFont->GetHandle(), Text, Flags,
                                    std::sqrt(static_cast<double>(MaxInkPixels) / pixels)));
    kept.emplace(std::move(key), overhang);
    return overhang;
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


// ---------------------------------------------------------------------------
// Frame3D

int FramesWithin(const TRect& Rect, int Width) {
    if (Width <= 0) return 0;
    // Each frame takes a pixel from every side. The frame that uses the rectangle up is the
    // last; one that finds it used up already is still drawn, as a one-pixel frame always is.
    const Int64 side = std::min(Int64(Rect.Right) - Rect.Left, Int64(Rect.Bottom) - Rect.Top);
    return static_cast<int>(std::min<Int64>(Width, std::max<Int64>(1, (side + 1) / 2)));
}

void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width) {
    TPen* pen = Canvas->GetPen();
    pen->SetWidth(1);
    int frames = FramesWithin(Rect, Width);
    --Rect.Bottom;
    --Rect.Right;
    for (; frames > 0; --frames) {
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

TClipWithin::TClipWithin(TCanvas* Canvas, const TRect& R)
    : FDC(Canvas->GetHandle()), FSaved(GdiTrack(CreateRectRgn(0, 0, 0, 0))) {
    if (!FSaved) throw EOutOfResources("Out of system resources");
    FHadClip = GetClipRgn(FDC, FSaved) == 1;
    IntersectClipRect(FDC, R.Left, R.Top, R.Right, R.Bottom);
}

TClipWithin::~TClipWithin() {
    SelectClipRgn(FDC, FHadClip ? FSaved : nullptr);
    GdiDeleteObject(FSaved);
}

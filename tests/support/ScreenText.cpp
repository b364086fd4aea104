#include "tests/support/ScreenText.h"

#include "classlib/Paths.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

// ---- The screen ------------------------------------------------------------------------------

RECT TShot::Changes(const TShot& Other) const {
    RECT r{Width, Height, 0, 0};
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            if (At(x, y) != Other.At(x, y)) {
                r.left = std::min<LONG>(r.left, x);
                r.top = std::min<LONG>(r.top, y);
                r.right = std::max<LONG>(r.right, x + 1);
                r.bottom = std::max<LONG>(r.bottom, y + 1);
            }
    if (r.right <= r.left) r = RECT{0, 0, 0, 0};
    return r;
}

void TShot::Blank(const RECT& Area) {
    for (int y = std::max<LONG>(0, Area.top); y < std::min<LONG>(Height, Area.bottom); ++y)
        for (int x = std::max<LONG>(0, Area.left); x < std::min<LONG>(Width, Area.right); ++x)
            Pixels[static_cast<std::size_t>(y * Width + x)] = 0;
}

bool TShot::SameIn(const TShot& Other, const RECT& Area) const {
    for (int y = std::max<LONG>(0, Area.top); y < std::min<LONG>(Height, Area.bottom); ++y)
        for (int x = std::max<LONG>(0, Area.left); x < std::min<LONG>(Width, Area.right); ++x)
            if (At(x, y) != Other.At(x, y)) return false;
    return true;
}

namespace {

// The pixel at (X, Y) of a 32-bit bitmap, as 0x00RRGGBB.
DWORD PixelAt(TBitmap& Bitmap, int X, int Y) {
    return static_cast<const DWORD*>(Bitmap.GetScanLine(Y))[X] & 0xFFFFFF;
}

} // namespace

void TShot::Save(const std::string& Name) const {
    TBitmap image(Width, Height, pf32bit);
    for (int y = 0; y < Height; ++y)
        std::copy_n(Pixels.begin() + static_cast<std::ptrdiff_t>(y) * Width, Width,
                    static_cast<DWORD*>(image.GetScanLine(y)));
    image.SaveToFile(ExeDir() + Name);
}

TShot TShot::Turned(bool Clockwise) const {
    TShot turned;
    turned.Width = Height;
    turned.Height = Width;
    turned.Pixels.resize(Pixels.size());
    for (int y = 0; y < turned.Height; ++y)
        for (int x = 0; x < turned.Width; ++x)
            turned.Pixels[static_cast<std::size_t>(y * turned.Width + x)] =
                Clockwise ? At(y, Height - 1 - x) : At(Width - 1 - y, x);
    return turned;
}

namespace {

TShot ShotOfDC(HDC Source, int Left, int Top, int Width, int Height) {
    TShot shot;
    shot.Width = std::max(0, Width);
    shot.Height = std::max(0, Height);
    if (shot.Width == 0 || shot.Height == 0) return shot;
    TBitmap image(shot.Width, shot.Height, pf32bit);
    BitBlt(image.GetCanvas()->GetHandle(), 0, 0, shot.Width, shot.Height, Source, Left, Top, SRCCOPY);
    GdiFlush();
    shot.Pixels.reserve(static_cast<std::size_t>(shot.Width) * shot.Height);
    for (int y = 0; y < shot.Height; ++y)
        for (int x = 0; x < shot.Width; ++x) shot.Pixels.push_back(PixelAt(image, x, y));
    return shot;
}

} // namespace

TShot ShotOf(TBitmap* Picture, const TRect& Area) {
    return ShotOfDC(Picture->GetCanvas()->GetHandle(), Area.Left, Area.Top, Area.Right - Area.Left,
                    Area.Bottom - Area.Top);
}

TShot Grab(const RECT& R) {
    HDC screen = GetDC(nullptr);
    TShot shot = ShotOfDC(screen, R.left, R.top, R.right - R.left, R.bottom - R.top);
    ReleaseDC(nullptr, screen);
    return shot;
}

// ---- Text --------------------------------------------------------------------------------------

TTextFont SkinFont(const std::string& SkinIni, const std::string& Section) {
    const char* ini = SkinIni.c_str();
    char value[256] = "";
    TTextFont font;
    GetPrivateProfileStringA(Section.c_str(), "fontname", "", value, sizeof value, ini);
    font.Name = value;
    font.Height = static_cast<int>(GetPrivateProfileIntA(Section.c_str(), "fontheight", 0, ini));
    GetPrivateProfileStringA(Section.c_str(), "fontstyle", "", value, sizeof value, ini);
    font.Bold = std::string(value).find("fsbold") != std::string::npos;
    EXPECT_FALSE(font.Name.empty()) << "the skin names no font for [" << Section << "]";
    return font;
}

std::ostream& operator<<(std::ostream& Out, const TTextFont& Font) {
    return Out << Font.Name << " " << Font.Height << (Font.Bold ? " bold" : "");
}

namespace {

// Text as the system draws it, black on white: the pixels its glyphs cover fully (Solid) and
// the ones of its box they leave untouched (Clear), relative to the box of its ink, each list
// ordered by column; Origin is where the drawing started, relative to the same box.
struct TInk {
    int Width = 0;
    int Height = 0;
    POINT Origin{0, 0};
    std::vector<POINT> Solid;
    std::vector<POINT> Clear;
};

TInk RenderInk(const std::string& Text, const TTextFont& Font, bool Prefix) {
    const UINT flags = DT_SINGLELINE | DT_NOCLIP | (Prefix ? 0 : DT_NOPREFIX);
    auto useFont = [&Font](TCanvas* Canvas) {
        Canvas->GetFont()->SetName(Font.Name);
        Canvas->GetFont()->SetHeight(Font.Height);
        Canvas->GetFont()->SetStyle(Font.Bold ? TFontStyles{fsBold} : TFontStyles{});
        Canvas->GetFont()->SetColor(clBlack);
    };
    TBitmap probe(1, 1, pf32bit);
    useFont(probe.GetCanvas());
    TRect measure(0, 0, 0, 0);
    probe.GetCanvas()->TextRect(measure, Text, flags | DT_CALCRECT);
    // Room around the advance for whatever the glyphs draw past it.
    const int margin = std::abs(Font.Height) * 2;
    const int width = measure.Right + measure.Right / 4 + 2 * margin, height = measure.Bottom + 2 * margin;
    TBitmap image(width, height, pf32bit);
    TCanvas* canvas = image.GetCanvas();
    canvas->GetBrush()->SetColor(clWhite);
    canvas->FillRect(TRect(0, 0, width, height));
    useFont(canvas);
    canvas->GetBrush()->SetStyle(bsClear);
    TRect at(margin, margin, margin + measure.Right, margin + measure.Bottom);
    canvas->TextRect(at, Text, flags);
    GdiFlush();

    RECT box{width, height, 0, 0};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (PixelAt(image, x, y) != 0xFFFFFF) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    TInk ink;
    if (box.right <= box.left) return ink;
    ink.Width = box.right - box.left;
    ink.Height = box.bottom - box.top;
    ink.Origin = {margin - box.left, margin - box.top};
    for (int x = box.left; x < box.right; ++x)
        for (int y = box.top; y < box.bottom; ++y) {
            const DWORD pixel = PixelAt(image, x, y);
            const POINT p{x - box.left, y - box.top};
            // Fully covered: dark in every channel (a smoothed edge is left out either way).
            if ((pixel & 0xFF) < 0x40 && ((pixel >> 8) & 0xFF) < 0x40 && ((pixel >> 16) & 0xFF) < 0x40)
                ink.Solid.push_back(p);
            else if (pixel == 0xFFFFFF)
                ink.Clear.push_back(p);
        }
    return ink;
}

// Whether the first Columns ink columns of Ink show with their box at (X, Y) of Shot.
bool ShowsAt(const TShot& Shot, const TInk& Ink, int Columns, int X, int Y) {
    if (X < 0 || Y < 0 || X + Columns > Shot.Width || Y + Ink.Height > Shot.Height) return false;
    const DWORD colour = Shot.At(X + Ink.Solid.front().x, Y + Ink.Solid.front().y);
    for (const POINT& p : Ink.Solid) {
        if (p.x >= Columns) break;
        if (Shot.At(X + p.x, Y + p.y) != colour) return false;
    }
    // A stretch of the text's colour shows every pattern: most of the gaps must differ.
    int gaps = 0, filled = 0;
    for (const POINT& p : Ink.Clear) {
        if (p.x >= Columns) break;
        ++gaps;
        filled += Shot.At(X + p.x, Y + p.y) == colour;
    }
    return filled * 4 <= gaps;
}

// The drawing origins, in Shot, at which the first Columns ink columns of Ink show.
std::vector<POINT> OriginsOf(const TShot& Shot, const TInk& Ink, int Columns) {
    std::vector<POINT> found;
    if (Ink.Solid.empty() || Ink.Solid.front().x >= Columns) return found;
    for (int y = 0; y + Ink.Height <= Shot.Height; ++y)
        for (int x = 0; x + Columns <= Shot.Width; ++x)
            if (ShowsAt(Shot, Ink, Columns, x, y)) found.push_back({x + Ink.Origin.x, y + Ink.Origin.y});
    return found;
}

} // namespace

testing::AssertionResult ShowsWhole(const TShot& Shot, const std::string& Text, const TTextFont& Font,
                                    TInkLook Look) {
    const TInk ink = RenderInk(Text, Font, Look.Prefix);
    if (ink.Solid.empty()) return testing::AssertionFailure() << "\"" << Text << "\" draws no ink in " << Font;
    if (!OriginsOf(Shot, ink, ink.Width).empty()) return testing::AssertionSuccess();
    // How much of it shows: the widest start of its ink found.
    int shown = 0, missing = ink.Width;
    while (missing - shown > 1) {
        const int middle = (shown + missing) / 2;
        (OriginsOf(Shot, ink, middle).empty() ? missing : shown) = middle;
    }
    // Shortened, it starts where its start shows, and keeps at least a letter before the "...".
    if (Look.MayShorten && shown > 0) {
        const std::vector<POINT> starts = OriginsOf(Shot, ink, shown);
        for (std::size_t kept = Text.size(); kept-- > 1;) {
            const TInk shortened = RenderInk(Text.substr(0, kept) + "...", Font, Look.Prefix);
            for (const POINT& origin : starts)
                if (ShowsAt(Shot, shortened, shortened.Width, origin.x - shortened.Origin.x,
                            origin.y - shortened.Origin.y))
                    return testing::AssertionSuccess();
        }
    }
    return testing::AssertionFailure() << "\"" << Text << "\" in " << Font << " is not whole on the screen: "
                                       << (shown == 0 ? std::string("none of it")
                                                      : "only " + std::to_string(shown) + " of its " +
                                                            std::to_string(ink.Width) + " ink columns")
                                       << " found" << (Look.MayShorten ? ", nor a start of it with \"...\"" : "");
}

// ---- Contrast ----------------------------------------------------------------------------------

namespace {

// The relative luminance of an sRGB colour.
double Luminance(DWORD Colour) {
    auto channel = [](DWORD Value) {
        const double c = Value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel((Colour >> 16) & 0xFF) + 0.7152 * channel((Colour >> 8) & 0xFF) +
           0.0722 * channel(Colour & 0xFF);
}

} // namespace

double ContrastRatio(DWORD A, DWORD B) {
    const double a = Luminance(A), b = Luminance(B);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

TInkContrast InkContrast(const TShot& Shot, const std::string& Text, const TTextFont& Font, TInkLook Look) {
    TInkContrast contrast;
    const TInk ink = RenderInk(Text, Font, Look.Prefix);
    const std::vector<POINT> origins = OriginsOf(Shot, ink, ink.Width);
    if (origins.empty()) return contrast;
    const int left = origins.front().x - ink.Origin.x, top = origins.front().y - ink.Origin.y;
    contrast.Shown = true;
    contrast.Box = RECT{left, top, left + ink.Width, top + ink.Height};
    const DWORD colour = Shot.At(left + ink.Solid.front().x, top + ink.Solid.front().y);
    contrast.Ratio = 21;
    // A clear pixel in the ink's own colour is something else drawn there, not background.
    for (const POINT& p : ink.Clear)
        if (const DWORD back = Shot.At(left + p.x, top + p.y); back != colour)
            contrast.Ratio = std::min(contrast.Ratio, ContrastRatio(colour, back));
    return contrast;
}

std::ostream& operator<<(std::ostream& Out, const TInkContrast& Contrast) {
    if (!Contrast.Shown) return Out << "not shown whole";
    return Out << "contrast " << Contrast.Ratio << " at (" << Contrast.Box.left << ", " << Contrast.Box.top << ")";
}

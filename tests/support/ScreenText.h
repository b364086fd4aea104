// Texts as the screen shows them: a rectangle of the screen's pixels, and whether a text
// shows whole in it, found by the ink its glyphs leave, for in-process tests and for those
// that look at the editor from outside alike.
#pragma once

#include "classlib/Bitmaps.h"

#include <gtest/gtest.h>
#include "classlib/Platform.h"

#include <ostream>
#include <string>
#include <vector>

// A rectangle of the screen as it shows it, one 0x00RRGGBB value per pixel, rows top down.
struct TShot {
    int Width = 0;
    int Height = 0;
    std::vector<DWORD> Pixels;

    bool operator==(const TShot& Other) const {
        return Width == Other.Width && Height == Other.Height && Pixels == Other.Pixels;
    }
    DWORD At(int X, int Y) const { return Pixels[static_cast<std::size_t>(Y * Width + X)]; }
    // The smallest rectangle, in this shot's coordinates, that holds every pixel that differs
    // from Other's; empty when none does.
    RECT Changes(const TShot& Other) const;
    // Area (in this shot's coordinates) painted black, for a part that changes by itself.
    void Blank(const RECT& Area);
    bool SameIn(const TShot& Other, const RECT& Area) const;
    // Written beside the test program as a BMP file.
    void Save(const std::string& Name) const;
    // The shot turned a quarter clockwise or anticlockwise, as text drawn along a side reads
    // across once turned back.
    TShot Turned(bool Clockwise) const;
};

TShot Grab(const RECT& R);
// Area of Picture (a screenshot taken in this program).
TShot ShotOf(TBitmap* Picture, const TRect& Area);

// A font as a skin or a control names it.
struct TTextFont {
    std::string Name;
    int Height = 0;
    bool Bold = false;
};
// The font that the skin description SkinIni names in its section Section (such as "button").
TTextFont SkinFont(const std::string& SkinIni, const std::string& Section);
std::ostream& operator<<(std::ostream& Out, const TTextFont& Font);

struct TInkLook {
    // "&" marks the next letter, as in buttons' captions.
    bool Prefix = false;
    // The text may show as its start followed by "...", where the room is short.
    bool MayShorten = false;
};

// Whether Text, drawn here by the system in Font, shows whole somewhere in Shot: every pixel
// that its glyphs cover fully is there, all in one colour, and the pixels around them are
// mostly not of that colour. On failure, how many of its ink columns do show.
testing::AssertionResult ShowsWhole(const TShot& Shot, const std::string& Text, const TTextFont& Font,
                                    TInkLook Look = {});

// The contrast ratio of two colours (0x00RRGGBB) as the web's accessibility guidelines
// measure it, from 1 (the same) to 21 (black on white).
double ContrastRatio(DWORD A, DWORD B);

// How Text, drawn here by the system in Font, stands out where it shows whole in Shot.
struct TInkContrast {
    bool Shown = false;
    // The box of its ink in Shot.
    RECT Box{0, 0, 0, 0};
    // The lowest contrast ratio of its ink against the pixels that its glyphs leave clear
    // in that box: the background right beside the text, at its faintest.
    double Ratio = 0;
};
TInkContrast InkContrast(const TShot& Shot, const std::string& Text, const TTextFont& Font,
                         TInkLook Look = {});
std::ostream& operator<<(std::ostream& Out, const TInkContrast& Contrast);

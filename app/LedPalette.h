// The editor's colours, kept with their alpha so that a drawing surface with
// transparency can use them as they are.
#pragma once

#include "bitmap32/Bmp32_Basics.h"
#include "classlib/Graphics.h"

struct TLedColor {
    Byte R = 0;
    Byte G = 0;
    Byte B = 0;
    Byte A = 0;
};

// The system colour of C (its alpha dropped).
TColor ToColor(const TLedColor& C);
// C with its alpha, for drawing on bitmaps.
Bmp32::TColor32 ToColor32(const TLedColor& C);

struct TLedPalette {
    TLedColor Back;    // view background; active row of the page table
    TLedColor OffFill; // unlit segment; pin label background; page table background
    TLedColor OffEdge; // unlit segment outline; frame of the view
    TLedColor OnFill;  // lit segment
    TLedColor OnEdge;  // lit segment outline
    TLedColor Hover;   // outline of the segment under the mouse
    TLedColor Select;  // highlighted pin; text of the page table's active row
};

TLedPalette EditorPalette();

// Wire and label colours of a pin at level 1 and at level 0.
constexpr TLedColor kPinHighColor{255, 0, 0, 255};
constexpr TLedColor kPinLowColor{0, 127, 0, 255};
// Lit segments of the page thumbnails.
constexpr TLedColor kThumbnailLitColor{255, 0, 0, 255};
// Heading of the page table.
constexpr TLedColor kHeadingColor{206, 215, 231, 255};

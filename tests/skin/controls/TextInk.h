// Whether a text a control draws is whole on the screen: the pixels that change when the
// text is taken away are as wide and as high as its ink drawn alone in the control's font,
// so that no letter and no column of a letter is cut off by the control's edge or by what
// it clips to. Shared by the demo forms.
#pragma once

#include "tests/skin/controls/SkinFixture.h"

#include <climits>
#include <functional>
#include <memory>

// A text a control draws, and how to take it away without moving anything else.
struct TShownText {
    TControl* Control;
    AnsiString Text;
    // The font the control draws the text in.
    std::function<void(TFont*)> Font;
    // Shows (true) or hides the text.
    std::function<void(bool)> Show;
    // Read upward: turned a quarter counter-clockwise.
    bool Turned = false;
    // Set: the text is the pixels of this colour only. A disabled label draws its text in
    // relief, over a light copy one pixel down and right that its bounds may cut.
    COLORREF Ink = CLR_INVALID;
};

// The size of the ink of Text drawn alone in Font.
inline TSize InkSize(const TShownText& Shown) {
    TBitmap picture(1, 1);
    picture.SetPixelFormat(pf24bit);
    TCanvas* canvas = picture.GetCanvas();
    Shown.Font(canvas->GetFont());
    TRect extent;
    canvas->TextRect(extent, Shown.Text, DT_NOPREFIX | DT_EXPANDTABS | DT_CALCRECT);
    const int side = extent.Width() + extent.Height() + 40;
    picture.SetSize(side, side);
    canvas->GetBrush()->SetColor(clWhite);
    canvas->FillRect(TRect(0, 0, side, side));
    canvas->GetBrush()->SetStyle(bsClear);
    canvas->GetFont()->SetColor(clBlack);
    if (Shown.Turned) {
        canvas->GetFont()->SetOrientation(900);
        canvas->TextOut(10, 10 + extent.Width(), Shown.Text);
    } else {
        TRect at = Bounds(10, 10, extent.Width(), extent.Height());
        canvas->TextRect(at, Shown.Text, DT_NOPREFIX | DT_EXPANDTABS | DT_NOCLIP);
    }
    const TRect ink = InkOf(&picture, RGB(255, 255, 255));
    return TSize{ink.Width(), ink.Height()};
}

// Area (in Control's parent) as the screen shows it after it was painted again: the
// control's bounds unless given.
inline std::unique_ptr<TBitmap> ScreenOf(TControl* Control, TRect Area = TRect()) {
    if (Area.Width() <= 0) Area = Control->GetBoundsRect();
    TWinControl* parent = Control->GetParent();
    const RECT bounds{Area.Left, Area.Top, Area.Right, Area.Bottom};
    RedrawWindow(parent->GetHandle(), &bounds, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    auto shot = std::make_unique<TBitmap>(Area.Width(), Area.Height());
    shot->SetPixelFormat(pf24bit);
    const TPoint origin = parent->ClientToScreen(Area.TopLeft());
    HDC screen = GetDC(nullptr);
    BitBlt(shot->GetCanvas()->GetHandle(), 0, 0, Area.Width(), Area.Height(), screen, origin.X,
           origin.Y, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return shot;
}

// The text is whole on the screen: its ink there is Expected's size.
inline void ExpectTextWhole(const TShownText& Shown, TSize Expected) {
    // A label sized to its text shrinks without it.
    const TRect bounds = Shown.Control->GetBoundsRect();
    const auto with = ScreenOf(Shown.Control, bounds);
    Shown.Show(false);
    const auto without = ScreenOf(Shown.Control, bounds);
    Shown.Show(true);
    const TRect ink = Differences(with.get(), without.get(), Shown.Ink);
    EXPECT_EQ(TPoint(ink.Width(), ink.Height()), TPoint(Expected.cx, Expected.cy))
        << Shown.Control->ClassName() << " \"" << Shown.Text << "\" at "
        << Shown.Control->GetLeft() << "," << Shown.Control->GetTop() << " ("
        << Shown.Control->GetWidth() << " x " << Shown.Control->GetHeight() << "): ink "
        << ink.Left << "," << ink.Top << "," << ink.Right << "," << ink.Bottom;
}

// The text is whole on the screen: its ink there is as large as drawn alone in its font.
inline void ExpectTextWhole(const TShownText& Shown) {
    ExpectTextWhole(Shown, InkSize(Shown));
}

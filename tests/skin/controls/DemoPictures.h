// Pictures the demo forms give the controls that show pictures of their own when there is
// no skin: frame strips, a button label's glyph strip and an image button's looks.
#pragma once

#include "skin/controls/SkinCtrls_ImageButtons.h"

#include "classlib/Bitmaps.h"

#include <cmath>
#include <memory>

// Count frames of W x H side by side on clBtnFace, frame i drawn by Draw(Canvas, its
// rectangle, T) with T going from 0 at the first frame to 1 at the last.
template <typename D> std::unique_ptr<TBitmap> DemoStrip(int Count, int W, int H, D Draw) {
    auto strip = std::make_unique<TBitmap>(Count * W, H, pf24bit);
    TCanvas* c = strip->GetCanvas();
    c->GetBrush()->SetColor(clBtnFace);
    c->FillRect(TRect(0, 0, Count * W, H));
    for (int i = 0; i < Count; ++i) Draw(c, Bounds(i * W, 0, W, H), i / (Count - 1.0));
    return strip;
}

// A switch's six frames of 44 x 22, from off to on.
inline std::unique_ptr<TBitmap> ToggleStrip() {
    return DemoStrip(6, 44, 22, [](TCanvas* C, TRect R, double T) {
        C->GetBrush()->SetColor(T < 0.5 ? clSilver : clHighlight);
        C->RoundRect(R.Left + 2, R.Top + 3, R.Right - 2, R.Bottom - 3, 16, 16);
        const int left = R.Left + 2 + static_cast<int>(T * (RectWidth(R) - 22));
        C->GetBrush()->SetColor(clWhite);
        C->Ellipse(left, R.Top + 2, left + 18, R.Bottom - 2);
    });
}

// An animation's ten frames of 24 x 36: the digits 0 to 9.
inline std::unique_ptr<TBitmap> DigitStrip() {
    return DemoStrip(10, 24, 36, [](TCanvas* C, TRect R, double T) {
        C->GetBrush()->SetColor(clBlack);
        C->FillRect(R);
        C->GetFont()->SetColor(clLime);
        C->GetFont()->SetHeight(-24);
        C->TextOut(R.Left + 5, R.Top + 5, AnsiString(1, static_cast<char>('0' + T * 9 + 0.5)));
    });
}

// A frame gauge's eleven frames of 100 x 14, from empty to full.
inline std::unique_ptr<TBitmap> BarStrip() {
    return DemoStrip(11, 100, 14, [](TCanvas* C, TRect R, double T) {
        C->GetBrush()->SetColor(clWhite);
        C->FillRect(TRect(R.Left + 1, R.Top + 2, R.Right - 1, R.Bottom - 2));
        C->GetBrush()->SetColor(clHighlight);
        C->FillRect(Bounds(R.Left + 2, R.Top + 3, static_cast<int>(T * 96), RectHeight(R) - 6));
    });
}

// A regulator's twelve frames of 36 x 36: a knob turned from -135 to 135 degrees.
inline std::unique_ptr<TBitmap> KnobStrip() {
    return DemoStrip(12, 36, 36, [](TCanvas* C, TRect R, double T) {
        C->GetBrush()->SetColor(clWhite);
        C->Ellipse(R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2);
        const double angle = (-135 + 270 * T) * 3.14159265 / 180;
        C->MoveTo(R.Left + 18, R.Top + 18);
        C->LineTo(R.Left + 18 + static_cast<int>(13 * std::sin(angle)),
                  R.Top + 18 - static_cast<int>(13 * std::cos(angle)));
    });
}

// A round glyph in four frames of 16 x 16: normal, disabled, pressed, hot.
inline std::unique_ptr<TBitmap> RoundGlyph() {
    const TColor looks[] = {
        static_cast<TColor>(RGB(70, 100, 150)), static_cast<TColor>(RGB(170, 175, 185)),
        static_cast<TColor>(RGB(30, 50, 90)), static_cast<TColor>(RGB(40, 120, 220))};
    auto strip = std::make_unique<TBitmap>(64, 16);
    strip->SetPixelFormat(pf24bit);
    TCanvas* canvas = strip->GetCanvas();
    canvas->GetBrush()->SetColor(clWhite);
    canvas->FillRect(TRect(0, 0, 64, 16));
    for (int i = 0; i < 4; ++i) {
        canvas->GetBrush()->SetColor(looks[i]);
        canvas->GetPen()->SetColor(looks[i]);
        canvas->Ellipse(i * 16 + 2, 2, i * 16 + 14, 14);
    }
    return strip;
}

// An oval of Colour on white, 70 x 34: an image button's look, or in black its mask.
inline std::unique_ptr<TBitmap> Oval(COLORREF Colour) {
    auto picture = std::make_unique<TBitmap>(70, 34);
    picture->SetPixelFormat(pf24bit);
    TCanvas* canvas = picture->GetCanvas();
    canvas->GetBrush()->SetColor(clWhite);
    canvas->FillRect(TRect(0, 0, 70, 34));
    canvas->GetBrush()->SetColor(static_cast<TColor>(Colour));
    canvas->GetPen()->SetColor(static_cast<TColor>(Colour));
    canvas->Ellipse(0, 0, 70, 34);
    return picture;
}

// An image button's looks without a skin: a blue oval, lighter under the pointer and darker
// pressed, its caption white, yellow while pressed; the window cut to the oval.
inline void GiveOvalLooks(TskSkinXFormButton* Button) {
    Button->SetDefImage(Oval(RGB(84, 122, 172)).get());
    Button->SetDefActiveImage(Oval(RGB(120, 156, 204)).get());
    Button->SetDefDownImage(Oval(RGB(42, 72, 116)).get());
    Button->SetDefMask(Oval(RGB(0, 0, 0)).get());
    Button->GetDefaultFont()->SetColor(clWhite);
    Button->SetDefActiveFontColor(clWhite);
    Button->SetDefDownFontColor(clYellow);
}

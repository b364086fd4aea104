#include "skin/boxctrls/skColorCtrls.h"

#include "classlib/Bitmaps.h"
#include "classlib/ClassRegistry.h"
#include "classlib/Persistence.h"

#include <algorithm>
#include <cmath>

namespace {

struct TRgb {
    Byte R, G, B;
};

const TRgb kBasicColors[kBasicColorCount] = {
    {0, 0, 0},       {64, 0, 0},      {128, 0, 0},     {128, 64, 64},   {255, 0, 0},
    {255, 128, 128}, {128, 128, 0},   {128, 64, 0},    {255, 128, 0},   {255, 128, 64},
    {255, 255, 0},   {255, 255, 128}, {128, 128, 64},  {0, 64, 0},      {0, 128, 0},
    {0, 255, 0},     {128, 255, 0},   {128, 255, 128}, {128, 128, 128}, {0, 64, 64},
    {0, 128, 64},    {0, 128, 128},   {0, 255, 64},    {0, 255, 128},   {64, 128, 128},
    {0, 0, 128},     {0, 0, 255},     {0, 64, 128},    {0, 255, 255},   {128, 255, 255},
    {192, 192, 192}, {0, 0, 64},      {0, 0, 160},     {128, 128, 255}, {0, 128, 192},
    {0, 128, 255},   {64, 0, 64},     {128, 66, 79},   {128, 0, 128},   {128, 0, 64},
    {128, 128, 192}, {255, 128, 192}, {255, 255, 255}, {64, 0, 128},    {128, 0, 255},
    {255, 0, 128},   {255, 0, 255},   {255, 128, 255},
};

// The one basic colour whose cursor is drawn black: inverting its grey gives grey.
const TColor kMiddleGray = MakeColor(128, 128, 128);

// Halves to even, as the picker's arithmetic rounds.
int Round(double Value) {
    return static_cast<int>(std::nearbyint(Value));
}

Byte RoundByte(double Value) {
    return static_cast<Byte>(std::clamp(Round(Value), 0, 255));
}

} // namespace

void SplitColor(TColor Color, Byte& R, Byte& G, Byte& B) {
    R = static_cast<Byte>(Color & 0xFF);
    G = static_cast<Byte>((Color >> 8) & 0xFF);
    B = static_cast<Byte>((Color >> 16) & 0xFF);
}

TColor MakeColor(Byte R, Byte G, Byte B) {
    return R + G * 256 + B * 65536;
}

void RGBToHSL(Byte R, Byte G, Byte B, int& H, int& S, int& L) {
    const int mx = std::max({R, G, B}), mn = std::min({R, G, B});
    const int d = mx - mn;
    L = Round(mx * 100.0 / 255.0);
    if (d == 0) {
        S = 0;
        H = 0;
        return;
    }
    S = Round(static_cast<double>(d) / mx * 100.0);
    const double r = R / 255.0, g = G / 255.0, b = B / 255.0;
    const double range = d / 255.0;
    double h;
    if (R == mx)
        h = (g - b) / range;
    else if (G == mx)
        h = 2 + (b - r) / range;
    else
        h = 4 + (r - g) / range;
    h /= 6;
    if (h < 0) h += 1;
    H = Round(h * 359);
}

void HSLToRGB(Byte& R, Byte& G, Byte& B, int H, int S, int L) {
    const double h = H / 360.0, s = S / 100.0, v = L * 255.0 / 100.0;
    if (s == 0) {
        R = G = B = RoundByte(v);
        return;
    }
    const double h6 = h * 6;
    const int i = static_cast<int>(std::floor(h6));
    const double f = h6 - i;
    const Byte p = RoundByte((1 - s) * v);
    const Byte q = RoundByte((1 - s * f) * v);
    const Byte t = RoundByte((1 - (1 - f) * s) * v);
    const Byte w = RoundByte(v);
    switch (i) {
    case 0: R = w, G = t, B = p; break;
    case 1: R = q, G = w, B = p; break;
    case 2: R = p, G = w, B = t; break;
    case 3: R = p, G = q, B = w; break;
    case 4: R = t, G = p, B = w; break;
    default: R = w, G = p, B = q; break;
    }
}

TColor BasicColor(int Index) {
    const TRgb& c = kBasicColors[Index];
    return MakeColor(c.R, c.G, c.B);
}

// ---- TskSkinColorGrid --------------------------------------------------------------------------

TskSkinColorGrid::TskSkinColorGrid(TComponent* AOwner) : TskSkinPanel(AOwner) {
    SetControlStyle(GetControlStyle().Exclude(csAcceptsControls));
    SetCaption("Basic colors");
    SetCaptionMode(true);
    SetBorderStyle(TskSkinBorderStyle::bvFrame);
    SetBounds(GetLeft(), GetTop(), 280, 115);
}

void TskSkinColorGrid::Published(TPropertyList& P) {
    using C = TskSkinColorGrid;
    P.Add("RowCount", &C::GetRowCount, &C::SetRowCount, 4);
    P.Add("ColCount", &C::GetColCount, &C::SetColCount, 12);
    P.Add("ColorValue", &C::GetColorValue, &C::SetColorValue, TColor(0))
        .Idents(ColorToIdent, IdentToColor);
    P.Add("OnChange", &C::OnChange);
}

void TskSkinColorGrid::SetColCount(int Value) {
    if (Value < 1) return;
    FColCount = Value;
    Invalidate();
}

void TskSkinColorGrid::SetRowCount(int Value) {
    FRowCount = Value;
    Invalidate();
}

bool TskSkinColorGrid::CheckColor(TColor Color) {
    for (int i = 0; i < kBasicColorCount; ++i)
        if (BasicColor(i) == Color) return true;
    return false;
}

void TskSkinColorGrid::SetColorValue(TColor Value) {
    // The cursor follows the value: onto its cell, or off the grid for another colour.
    if (Value != FColorValue) Invalidate();
    FColorValue = Value;
    if (!CheckColor(Value)) return;
    if (OnChange) OnChange(this);
}

TRect TskSkinColorGrid::CellRect(int Row, int Col) {
    // Cells past the grid or past the 48 colours are left empty.
    if (FRowCount < 1 || FColCount < 1 || Row < 0 || Col < 0 || Row >= FRowCount ||
        Col >= FColCount || Row * FColCount + Col >= kBasicColorCount)
        return TRect();
    TRect cr = GetClientRect();
    AdjustClientRect(cr);
    const int cw = (RectWidth(cr) - 2 * FColCount) / FColCount;
    const int ch = (RectHeight(cr) - 2 * FRowCount) / FRowCount;
    if (cw <= 0 || ch <= 0) return TRect();
    const int left = cr.Left + 1 + Col * (cw + 2), top = cr.Top + 1 + Row * (ch + 2);
    return TRect(left, top, left + cw, top + ch);
}

void TskSkinColorGrid::DrawCursor(TCanvas* Canvas, const TRect& R, bool Invert) {
    const int cx = R.Left + RectWidth(R) / 2, cy = R.Top + RectHeight(R) / 2;
    const int s = std::min(RectWidth(R), RectHeight(R)) / 2 - 2;
    TPen* pen = Canvas->GetPen();
    pen->SetColor(clBlack);
    pen->SetMode(Invert ? pmNot : pmCopy);
    const auto stroke = [Canvas](int X1, int Y1, int X2, int Y2) {
        Canvas->MoveTo(X1, Y1);
        Canvas->LineTo(X2, Y2);
    };
    // A hole of two pixels in the middle keeps the colour itself in view.
    stroke(cx - s, cy, cx - 2, cy);
    stroke(cx + 3, cy, cx + s + 1, cy);
    stroke(cx, cy - s, cx, cy - 2);
    stroke(cx, cy + 3, cx, cy + s);
    pen->SetMode(pmCopy);
}

void TskSkinColorGrid::PaintGrid(TCanvas* Canvas) {
    TBrush* brush = Canvas->GetBrush();
    for (int row = 0; row < FRowCount; ++row) {
        for (int col = 0; col < FColCount; ++col) {
            const TRect cell = CellRect(row, col);
            if (IsNullRect(cell)) continue;
            const TColor color = BasicColor(row * FColCount + col);
            brush->SetStyle(bsSolid);
            brush->SetColor(color);
            Canvas->FillRect(cell);
            if (color == FColorValue) DrawCursor(Canvas, cell, color != kMiddleGray);
        }
    }
}

void TskSkinColorGrid::CreateControlDefaultImage(TBitmap* B) {
    TskSkinPanel::CreateControlDefaultImage(B);
    PaintGrid(B->GetCanvas());
}

void TskSkinColorGrid::CreateControlSkinImage(TBitmap* B) {
    TskSkinPanel::CreateControlSkinImage(B);
    PaintGrid(B->GetCanvas());
}

void TskSkinColorGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TskSkinPanel::MouseDown(Button, Shift, X, Y);
    for (int row = 0; row < FRowCount; ++row) {
        for (int col = 0; col < FColCount; ++col) {
            const TRect cell = CellRect(row, col);
            if (X >= cell.Left && X < cell.Right && Y >= cell.Top && Y < cell.Bottom) {
                SetColorValue(BasicColor(row * FColCount + col));
                return;
            }
        }
    }
}

// ---- TskColorViewer ------------------------------------------------------------------------------

TskColorViewer::TskColorViewer(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetControlStyle(GetControlStyle().Include(csOpaque));
}

void TskColorViewer::Published(TPropertyList& P) {
    P.Add("ColorValue", &TskColorViewer::GetColorValue, &TskColorViewer::SetColorValue, TColor(0))
        .Idents(ColorToIdent, IdentToColor);
}

void TskColorViewer::SetColorValue(TColor Value) {
    if (FColorValue == Value) return;
    FColorValue = Value;
    Invalidate();
}

void TskColorViewer::Paint() {
    const int w = GetWidth(), h = GetHeight();
    if (w <= 0 || h <= 0) return;
    TBitmap buffer(w, h);
    TCanvas* c = buffer.GetCanvas();
    c->GetPen()->SetColor(clBlack);
    c->GetBrush()->SetColor(FColorValue);
    c->Rectangle(0, 0, w, h);
    GetCanvas()->Draw(0, 0, &buffer);
}

REGISTER_CLASS(TskSkinColorGrid);
REGISTER_CLASS(TskColorViewer);

DEFINE_UNIT(skColorCtrls, uoSkin + 31, nullptr, nullptr);

// A skinned colour picker's pieces: the grid of 48 basic colours on a skinned panel, a
// window-less colour viewer, and the colour arithmetic they and the colour dialog share
// (RGB components and the "HSL" of this picker: hue 0..359, saturation and lightness
// 0..100, where lightness is the largest component's share of 255).
#pragma once

#include "skin/controls/SkinCtrls_Panels.h"

#include "classlib/Controls.h"

DECLARE_UNIT(skColorCtrls)

// The low, second and third bytes of a plain colour.
void SplitColor(TColor Color, Byte& R, Byte& G, Byte& B);
TColor MakeColor(Byte R, Byte G, Byte B);
// A grey (no saturation) has hue 0.
void RGBToHSL(Byte R, Byte G, Byte B, int& H, int& S, int& L);
void HSLToRGB(Byte& R, Byte& G, Byte& B, int H, int S, int L);

// The basic colours of the grid, row by row.
constexpr int kBasicColorCount = 48;
TColor BasicColor(int Index);

class TskSkinColorGrid : public TskSkinPanel {
    DECLARE_CLASS(TskSkinColorGrid, TskSkinPanel)
public:
    explicit TskSkinColorGrid(TComponent* AOwner);
    static void Published(TPropertyList& P);

    // A basic colour chosen by a click or set.
    TNotifyEvent OnChange;

    int GetColCount() const { return FColCount; }
    // Values below 1 are ignored.
    void SetColCount(int Value);
    int GetRowCount() const { return FRowCount; }
    void SetRowCount(int Value);
    TColor GetColorValue() const { return FColorValue; }
    // Stored and shown; a basic colour also fires OnChange.
    void SetColorValue(TColor Value);
    // Whether Color is one of the 48 basic colours.
    static bool CheckColor(TColor Color);

    // Cell (Row, Col)'s rectangle; empty past the grid or past the 48 colours.
    TRect CellRect(int Row, int Col);
    void PaintGrid(TCanvas* Canvas);
    // A cross in the middle of R: inverting what is under it, or black.
    static void DrawCursor(TCanvas* Canvas, const TRect& R, bool Invert);

protected:
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    bool DrawsOverSkin() const override { return true; }
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    int FRowCount = 4;
    int FColCount = 12;
    TColor FColorValue = 0;
};

class TskColorViewer : public TGraphicControl {
    DECLARE_CLASS(TskColorViewer, TGraphicControl)
public:
    explicit TskColorViewer(TComponent* AOwner);
    static void Published(TPropertyList& P);

    TColor GetColorValue() const { return FColorValue; }
    void SetColorValue(TColor Value);

protected:
    void Paint() override;

private:
    TColor FColorValue = 0;
};

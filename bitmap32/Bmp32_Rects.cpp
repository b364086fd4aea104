// TBitmap32 rectangles: filled, blended, framed, stippled and raised.
#include "bitmap32/Bmp32.h"

#include "bitmap32/Bmp32_Blend.h"
#include "bitmap32/Bmp32_LowLevel.h"

#include <algorithm>

namespace Bmp32 {

namespace {

bool Meets(const TRect& Clip, int X1, int Y1, int X2, int Y2) {
    return X1 < Clip.Right && X2 > Clip.Left && Y1 < Clip.Bottom && Y2 > Clip.Top;
}

// Cuts the rectangle down to Clip; false, leaving it as it is, when none of it is in Clip.
bool ClipTo(const TRect& Clip, int& X1, int& Y1, int& X2, int& Y2) {
    if (X1 >= X2 || Y1 >= Y2 || !Meets(Clip, X1, Y1, X2, Y2)) return false;
    X1 = std::max(X1, Clip.Left);
    Y1 = std::max(Y1, Clip.Top);
    X2 = std::min(X2, Clip.Right);
    Y2 = std::min(Y2, Clip.Bottom);
    return true;
}

using TRunDrawer = void (TBitmap32::*)(int, int, int, TColor32);

// Draws the outline of a non-empty rectangle, each pixel once.
void DrawFrame(TBitmap32& B, int X1, int Y1, int X2, int Y2, TColor32 Value, TRunDrawer Horz,
               TRunDrawer Vert) {
    (B.*Horz)(X1, Y1, X2 - 1, Value);
    if (Y2 - 1 > Y1) (B.*Horz)(X1, Y2 - 1, X2 - 1, Value);
    if (Y2 - 1 > Y1 + 1) {
        (B.*Vert)(X1, Y1 + 1, Y2 - 2, Value);
        if (X2 - 1 > X1) (B.*Vert)(X2 - 1, Y1 + 1, Y2 - 2, Value);
    }
}

} // namespace

// ---- Filled -------------------------------------------------------------------------------

void TBitmap32::FillRect(int X1, int Y1, int X2, int Y2, TColor32 Value) {
    for (int y = Y1; y < Y2; ++y)
        FillLongword(GetPixelPtr(X1, y), X2 - X1, Value);
    Changed({X1, Y1, X2, Y2}, AREAINFO_RECT);
}

void TBitmap32::FillRectS(int X1, int Y1, int X2, int Y2, TColor32 Value) {
    if (!FMeasuringMode && ClipTo(FClipRect, X1, Y1, X2, Y2)) FillRect(X1, Y1, X2, Y2, Value);
    Changed({X1, Y1, X2, Y2}, AREAINFO_RECT);
}

void TBitmap32::FillRectS(const TRect& ARect, TColor32 Value) {
    FillRectS(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, Value);
}

void TBitmap32::FillRectT(int X1, int Y1, int X2, int Y2, TColor32 Value) {
    const Byte alpha = Byte(Value >> 24);
    if (alpha == 255) {
        FillRect(X1, Y1, X2, Y2, Value);
        return;
    }
    const TCombineMem combine = COMBINE_MEM[FCombineMode];
    for (int y = Y1; y < Y2; ++y) {
        TColor32* row = GetPixelPtr(0, y);
        for (int x = X1; x < X2; ++x)
            combine(Value, row[x], alpha);
    }
    EMMS();
    Changed({X1, Y1, X2, Y2}, AREAINFO_RECT);
}

void TBitmap32::FillRectTS(int X1, int Y1, int X2, int Y2, TColor32 Value) {
    if (!FMeasuringMode && ClipTo(FClipRect, X1, Y1, X2, Y2)) FillRectT(X1, Y1, X2, Y2, Value);
    Changed({X1, Y1, X2, Y2}, AREAINFO_RECT);
}

void TBitmap32::FillRectTS(const TRect& ARect, TColor32 Value) {
    FillRectTS(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, Value);
}

// ---- Framed -------------------------------------------------------------------------------

void TBitmap32::FrameRectS(int X1, int Y1, int X2, int Y2, TColor32 Value) {
    if (X2 <= X1 || Y2 <= Y1 || !Meets(FClipRect, X1, Y1, X2, Y2)) return;
    DrawFrame(*this, X1, Y1, X2, Y2, Value, &TBitmap32::HorzLineS, &TBitmap32::VertLineS);
}

void TBitmap32::FrameRectS(const TRect& ARect, TColor32 Value) {
    FrameRectS(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, Value);
}

void TBitmap32::FrameRectTS(int X1, int Y1, int X2, int Y2, TColor32 Value) {
    if (X2 <= X1 || Y2 <= Y1 || !Meets(FClipRect, X1, Y1, X2, Y2)) return;
    DrawFrame(*this, X1, Y1, X2, Y2, Value, &TBitmap32::HorzLineTS, &TBitmap32::VertLineTS);
}

void TBitmap32::FrameRectTS(const TRect& ARect, TColor32 Value) {
    FrameRectTS(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, Value);
}

void TBitmap32::FrameRectTSP(int X1, int Y1, int X2, int Y2) {
    if (X1 >= X2 || Y1 >= Y2 || X1 >= GetWidth() || Y1 >= GetHeight() || X2 < 1 || Y2 < 1) return;
    if (X2 - X1 == 1 && Y2 - Y1 == 1) {
        if (FMeasuringMode) {
            Changed({X1, Y1, X2, Y2}, AREAINFO_RECT);
            return;
        }
        // The pattern moves on even where the clip rectangle hides the pixel.
        const TColor32 color = GetStippleColor();
        if (!PtInRect(FClipRect, {X1, Y1})) return;
        SetPixelT(X1, Y1, color);
        Changed({X1, Y1, X2, Y2}, AREAINFO_RECT);
    } else if (X2 - X1 == 1) {
        VertLineTSP(X1, Y1, Y2 - 1);
    } else if (Y2 - Y1 == 1) {
        HorzLineTSP(X1, Y1, X2 - 1);
    } else {
        HorzLineTSP(X1, Y1, X2 - 2);
        VertLineTSP(X2 - 1, Y1, Y2 - 2);
        HorzLineTSP(X2 - 1, Y2 - 1, X1 + 1);
        VertLineTSP(X1, Y2 - 1, Y1 + 1);
    }
}

// ---- Raised -------------------------------------------------------------------------------

void TBitmap32::RaiseRectTS(int X1, int Y1, int X2, int Y2, int Contrast) {
    if (X2 <= X1 || Y2 <= Y1 || !Meets(FClipRect, X1, Y1, X2, Y2) || Contrast == 0) return;
    const auto alphaOf = [](Int64 Percent, int Scale) {
        return Clamp(int(std::min<Int64>(Percent * Scale / 100, 256)));
    };
    TColor32 light, dark;
    if (Contrast > 0) {
        light = SetAlpha(White32, alphaOf(Contrast, 512));
        dark = SetAlpha(Black32, alphaOf(Contrast, 255));
    } else {
        light = SetAlpha(Black32, alphaOf(-Int64(Contrast), 255));
        dark = SetAlpha(White32, alphaOf(-Int64(Contrast), 512));
    }
    HorzLineTS(X1, Y1, X2 - 1, light);
    HorzLineTS(X1, Y2 - 1, X2 - 1, dark);
    // A rectangle lower than three rows has no side between its top and bottom rows.
    if (Y2 - 2 >= Y1 + 1) {
        VertLineTS(X1, Y1 + 1, Y2 - 2, light);
        VertLineTS(X2 - 1, Y1 + 1, Y2 - 2, dark);
    }
}

void TBitmap32::RaiseRectTS(const TRect& ARect, int Contrast) {
    RaiseRectTS(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, Contrast);
}

} // namespace Bmp32

#include "app/LedPalette.h"

TColor ToColor(const TLedColor& C) {
    return static_cast<TColor>(C.R | (C.G << 8) | (C.B << 16));
}

Bmp32::TColor32 ToColor32(const TLedColor& C) {
    return Bmp32::Color32(C.R, C.G, C.B, C.A);
}

TLedPalette EditorPalette() {
    TLedPalette p;
    // The background is fully transparent; every other colour all but opaque.
    p.Back = {240, 249, 255, 0};
    p.OffFill = {227, 239, 246, 254};
    p.OffEdge = {144, 185, 210, 254};
    p.OnFill = {255, 0, 0, 254};
    p.OnEdge = {223, 33, 12, 254};
    p.Hover = {0, 0, 255, 254};
    p.Select = {0, 0, 255, 254};
    return p;
}

// Colours between two others, as the screen shows them.
#pragma once

#include "classlib/Graphics.h"

// The colour Percent (0..100) of the way from A to B, system colours taken as the system
// shows them.
inline TColor MixColors(TColor A, TColor B, int Percent) {
    const COLORREF a = ColorToRGB(A), b = ColorToRGB(B);
    auto mix = [Percent](int From, int To) { return From + (To - From) * Percent / 100; };
    return static_cast<TColor>(RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
                                   mix(GetBValue(a), GetBValue(b))));
}

// Whole-bitmap per-pixel filters: each writes a destination of the source's size, pixel i
// from source pixel i, and then announces the change of the destination.
#pragma once

#include "bitmap32/Bmp32.h"

#include <array>

namespace Bmp32 {

// Raises Exception "The source is nil" for a null Src, then "Destination is nil" for a null
// Dst; otherwise sizes Dst like Src.
void CheckParams(TBitmap32* Dst, TBitmap32* Src);

// Gray from the source's alpha, opaque.
void AlphaToGrayscale(TBitmap32* Dst, TBitmap32* Src);
// The destination keeps its colour and takes the source's intensity as its alpha.
void IntensityToAlpha(TBitmap32* Dst, TBitmap32* Src);
// All 32 bits inverted.
void Invert(TBitmap32* Dst, TBitmap32* Src);
// Red, green and blue inverted; alpha kept.
void InvertRGB(TBitmap32* Dst, TBitmap32* Src);
// Gray from the source's intensity; opaque, or with the source's alpha.
void ColorToGrayscale(TBitmap32* Dst, TBitmap32* Src, bool PreserveAlpha = false);
// Red, green and blue through LUT; opaque, or with the source's alpha.
void ApplyLUT(TBitmap32* Dst, TBitmap32* Src, const std::array<Byte, 256>& LUT,
              bool PreserveAlpha = false);
// In place: pixels whose red, green and blue are TrColor's become fully transparent. No
// change is announced. Raises Exception "Destination is nil" for a null bitmap.
void CromaKey(TBitmap32* ABitmap, TColor32 TrColor);

} // namespace Bmp32

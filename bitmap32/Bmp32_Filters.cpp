#include "bitmap32/Bmp32_Filters.h"

namespace Bmp32 {

void CheckParams(TBitmap32* Dst, TBitmap32* Src) {
    if (!Src) throw Exception("The source is nil");
    if (!Dst) throw Exception("Destination is nil");
    Dst->SetSize(Src->GetWidth(), Src->GetHeight());
}

namespace {

// Dst pixel i := Filter(Src pixel i, Dst pixel i) for every pixel, then Dst announces it.
template <typename Filter> void ForEachPixel(TBitmap32* Dst, TBitmap32* Src, Filter F) {
    CheckParams(Dst, Src);
    const TColor32* source = Src->GetBits();
    TColor32* destination = Dst->GetBits();
    const int count = Src->Empty() ? 0 : Src->GetWidth() * Src->GetHeight();
    for (int i = 0; i < count; ++i)
        destination[i] = F(source[i], destination[i]);
    Dst->Changed();
}

} // namespace

void AlphaToGrayscale(TBitmap32* Dst, TBitmap32* Src) {
    ForEachPixel(Dst, Src,
                 [](TColor32 S, TColor32) { return Gray32(Byte(AlphaComponent(S)), 255); });
}

void IntensityToAlpha(TBitmap32* Dst, TBitmap32* Src) {
    ForEachPixel(Dst, Src, [](TColor32 S, TColor32 D) { return SetAlpha(D, Intensity(S)); });
}

void Invert(TBitmap32* Dst, TBitmap32* Src) {
    ForEachPixel(Dst, Src, [](TColor32 S, TColor32) { return ~S; });
}

void InvertRGB(TBitmap32* Dst, TBitmap32* Src) {
    ForEachPixel(Dst, Src, [](TColor32 S, TColor32) { return S ^ 0x00FFFFFF; });
}

void ColorToGrayscale(TBitmap32* Dst, TBitmap32* Src, bool PreserveAlpha) {
    ForEachPixel(Dst, Src, [PreserveAlpha](TColor32 S, TColor32) {
        return Gray32(Byte(Intensity(S)), PreserveAlpha ? Byte(AlphaComponent(S)) : 255);
    });
}

void ApplyLUT(TBitmap32* Dst, TBitmap32* Src, const std::array<Byte, 256>& LUT,
              bool PreserveAlpha) {
    ForEachPixel(Dst, Src, [&LUT, PreserveAlpha](TColor32 S, TColor32) {
        return Color32(LUT[RedComponent(S)], LUT[GreenComponent(S)], LUT[BlueComponent(S)],
                       PreserveAlpha ? Byte(AlphaComponent(S)) : 255);
    });
}

void CromaKey(TBitmap32* ABitmap, TColor32 TrColor) {
    if (!ABitmap) throw Exception("Destination is nil");
    if (ABitmap->Empty()) return;
    TColor32* pixel = ABitmap->GetBits();
    const int count = ABitmap->GetWidth() * ABitmap->GetHeight();
    const TColor32 key = TrColor & 0x00FFFFFF;
    for (int i = 0; i < count; ++i)
        if ((pixel[i] & 0x00FFFFFF) == key) pixel[i] &= 0x00FFFFFF;
}

} // namespace Bmp32

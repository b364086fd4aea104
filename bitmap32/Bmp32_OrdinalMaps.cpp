// Bit, byte, word and integer maps, and the byte map's conversions from and to bitmaps.
#include "bitmap32/Bmp32_OrdinalMaps.h"

namespace Bmp32 {

// ---- TBooleanMap ----------------------------------------------------------------------------

bool TBooleanMap::Empty() const {
    return FBits.empty();
}

void TBooleanMap::Clear(Byte FillValue) {
    std::fill(FBits.begin(), FBits.end(), FillValue);
}

bool TBooleanMap::GetValue(int X, int Y) const {
    const std::size_t i = std::size_t(X) + std::size_t(Y) * GetWidth();
    return FBits[i >> 3] >> (i & 7) & 1;
}

void TBooleanMap::SetValue(int X, int Y, bool Value) {
    const std::size_t i = std::size_t(X) + std::size_t(Y) * GetWidth();
    const Byte mask = Byte(1 << (i & 7));
    FBits[i >> 3] = Value ? Byte(FBits[i >> 3] | mask) : Byte(FBits[i >> 3] & ~mask);
}

void TBooleanMap::ToggleBit(int X, int Y) {
    const std::size_t i = std::size_t(X) + std::size_t(Y) * GetWidth();
    FBits[i >> 3] ^= Byte(1 << (i & 7));
}

void TBooleanMap::ChangeSize(int& Width, int& Height, int NewWidth, int NewHeight) {
    FBits.resize((std::size_t(NewWidth) * NewHeight + 7) / 8, 0);
    Width = NewWidth;
    Height = NewHeight;
}

// ---- TByteMap -------------------------------------------------------------------------------

namespace {

Byte ReadChannel(TColor32 Pixel, TConversionType Conversion) {
    switch (Conversion) {
    case ctRed: return Byte(Pixel >> 16);
    case ctGreen: return Byte(Pixel >> 8);
    case ctBlue: return Byte(Pixel);
    case ctAlpha: return Byte(Pixel >> 24);
    case ctUniformRGB: return Byte(((Pixel >> 16 & 0xFF) + (Pixel >> 8 & 0xFF) + (Pixel & 0xFF)) / 3);
    case ctWeightedRGB: return Byte(Intensity(Pixel));
    }
    return 0;
}

TColor32 WriteChannel(TColor32 Pixel, Byte Value, TConversionType Conversion) {
    switch (Conversion) {
    case ctRed: return (Pixel & 0xFF00FFFF) | TColor32(Value) << 16;
    case ctGreen: return (Pixel & 0xFFFF00FF) | TColor32(Value) << 8;
    case ctBlue: return (Pixel & 0xFFFFFF00) | Value;
    case ctAlpha: return (Pixel & 0x00FFFFFF) | TColor32(Value) << 24;
    case ctUniformRGB:
    case ctWeightedRGB: return Gray32(Value, 255);
    }
    return Pixel;
}

} // namespace

bool TByteMap::Empty() const {
    return GetWidth() == 0 || GetHeight() == 0 || TValueMap<Byte>::Empty();
}

void TByteMap::ReadFrom(TBitmap32* Source, TConversionType Conversion) {
    BeginUpdate();
    try {
        SetSize(Source->GetWidth(), Source->GetHeight());
        if (!Empty()) {
            const TColor32* pixels = Source->GetBits();
            Byte* cells = GetBits();
            const std::size_t count = std::size_t(GetWidth()) * GetHeight();
            for (std::size_t i = 0; i < count; ++i)
                cells[i] = ReadChannel(pixels[i], Conversion);
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    Changed();
}

template <typename TWrite> void TByteMap::WritePixels(TBitmap32* Dest, TWrite Write) {
    Dest->BeginUpdate();
    try {
        Dest->SetSize(GetWidth(), GetHeight());
        if (!Empty()) {
            TColor32* pixels = Dest->GetBits();
            const Byte* cells = GetBits();
            const std::size_t count = std::size_t(GetWidth()) * GetHeight();
            for (std::size_t i = 0; i < count; ++i)
                pixels[i] = Write(pixels[i], cells[i]);
        }
    } catch (...) {
        Dest->EndUpdate();
        throw;
    }
    Dest->EndUpdate();
    Dest->Changed();
}

void TByteMap::WriteTo(TBitmap32* Dest, TConversionType Conversion) {
    WritePixels(Dest, [Conversion](TColor32 Pixel, Byte Value) {
        return WriteChannel(Pixel, Value, Conversion);
    });
}

void TByteMap::WriteTo(TBitmap32* Dest, const TPalette32& Palette) {
    WritePixels(Dest, [&Palette](TColor32, Byte Value) { return Palette[Value]; });
}

void TByteMap::Assign(TPersistent* Source) {
    auto* map = dynamic_cast<TByteMap*>(Source);
    auto* bitmap = dynamic_cast<TBitmap32*>(Source);
    if (!map && !bitmap) {
        TCustomMap::Assign(Source);
        return;
    }
    BeginUpdate();
    try {
        if (map) {
            SetSize(map->GetWidth(), map->GetHeight());
            Storage() = map->Storage();
        } else {
            ReadFrom(bitmap, ctWeightedRGB);
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    Changed();
}

void TByteMap::AssignTo(TPersistent* Dest) {
    if (auto* bitmap = dynamic_cast<TBitmap32*>(Dest))
        WriteTo(bitmap, ctUniformRGB);
    else
        TCustomMap::AssignTo(Dest);
}

} // namespace Bmp32

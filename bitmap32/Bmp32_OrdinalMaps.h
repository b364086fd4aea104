// Two-dimensional grids of plain values beside TBitmap32: bits, bytes, words and integers,
// stored row by row (cell (X, Y) at index X + Y * Width). The byte map converts from and to
// bitmaps channel by channel.
#pragma once

#include "bitmap32/Bmp32.h"

#include <algorithm>
#include <vector>

namespace Bmp32 {

enum TConversionType : Byte {
    ctRed,
    ctGreen,
    ctBlue,
    ctAlpha,
    ctUniformRGB, // (R + G + B) div 3; written as an opaque gray
    ctWeightedRGB // Intensity; written as an opaque gray
};

// One bit per cell: cell I is bit (I and 7) of byte I shr 3.
class TBooleanMap : public TCustomMap {
    DECLARE_CLASS(TBooleanMap, TCustomMap)
public:
    Byte* GetBits() { return FBits.data(); }
    bool Empty() const override;
    // Every storage byte becomes FillValue; announces nothing.
    void Clear(Byte FillValue);
    bool GetValue(int X, int Y) const;
    void SetValue(int X, int Y, bool Value);
    void ToggleBit(int X, int Y);

protected:
    void ChangeSize(int& Width, int& Height, int NewWidth, int NewHeight) override;

private:
    std::vector<Byte> FBits;
};

// The cells of the byte, word and integer maps, with their common storage.
template <typename TCell> class TValueMap : public TCustomMap {
public:
    TCell* GetBits() { return FBits.data(); }
    const TCell* GetBits() const { return FBits.data(); }
    bool Empty() const override { return FBits.empty(); }
    // Every cell becomes FillValue, then Changed.
    void Clear(TCell FillValue) {
        std::fill(FBits.begin(), FBits.end(), FillValue);
        Changed();
    }
    // No range checks.
    TCell GetValue(int X, int Y) const { return FBits[std::size_t(X) + std::size_t(Y) * GetWidth()]; }
    void SetValue(int X, int Y, TCell Value) { *ValPtr(X, Y) = Value; }
    TCell* ValPtr(int X, int Y) { return &FBits[std::size_t(X) + std::size_t(Y) * GetWidth()]; }

protected:
    // Cells are kept in storage order; new cells are zero.
    void ChangeSize(int& Width, int& Height, int NewWidth, int NewHeight) override {
        FBits.resize(std::size_t(NewWidth) * NewHeight, TCell(0));
        Width = NewWidth;
        Height = NewHeight;
    }
    std::vector<TCell>& Storage() { return FBits; }

private:
    std::vector<TCell> FBits;
};

class TByteMap : public TValueMap<Byte> {
    DECLARE_CLASS(TByteMap, TCustomMap)
public:
    // Also empty when a side is 0.
    bool Empty() const override;
    // Takes Source's size and one value per pixel by Conversion.
    void ReadFrom(TBitmap32* Source, TConversionType Conversion);
    // Gives Dest the map's size and writes every pixel from its cell by Conversion.
    void WriteTo(TBitmap32* Dest, TConversionType Conversion);
    // The same, each pixel Palette[cell].
    void WriteTo(TBitmap32* Dest, const TPalette32& Palette);
    // From a byte map: size and cells; from a bitmap: ReadFrom(Source, ctWeightedRGB).
    void Assign(TPersistent* Source) override;

protected:
    // To a bitmap: WriteTo(Dest, ctUniformRGB).
    void AssignTo(TPersistent* Dest) override;

private:
    template <typename TWrite> void WritePixels(TBitmap32* Dest, TWrite Write);
};

class TWordMap : public TValueMap<Word> {
    DECLARE_CLASS(TWordMap, TCustomMap)
};

class TIntegerMap : public TValueMap<int> {
    DECLARE_CLASS(TIntegerMap, TCustomMap)
};

} // namespace Bmp32


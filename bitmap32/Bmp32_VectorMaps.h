// TVectorMap: a grid of 16.16 displacement vectors, one per cell (cell (X, Y) at index
// X + Y * Width), read and written at whole or fractional positions, merged into each other,
// and stored in distortion-mesh files.
#pragma once

#include "bitmap32/Bmp32.h"

#include <vector>

class TStream;

namespace Bmp32 {

enum TVectorCombineMode : Byte { vcmAdd, vcmReplace, vcmCustom };

// F the incoming vector, P the progress across the area (-1.0 .. 0 .. in 16.16), B the
// vector that receives.
using TVectorCombineEvent =
    TEvent<void(const TFixedPoint& F, const TFixedPoint& P, TFixedPoint& B)>;
using TArrayOfFixedVector = std::vector<TFixedPoint>;

// The growth per cell of a combine progress running across Count cells; 0 for one cell.
TFixed ProgressStep(int Count);

class TVectorMap : public TCustomMap {
    DECLARE_CLASS(TVectorMap, TCustomMap)
public:
    ~TVectorMap() override;

    TVectorCombineEvent OnVectorCombine;
    TVectorCombineMode GetVectorCombineMode() const { return FVectorCombineMode; }
    void SetVectorCombineMode(TVectorCombineMode Value);

    // Every vector becomes (0, 0).
    void Clear();
    bool Empty() const override;
    TRect BoundsRect() const { return {0, 0, GetWidth(), GetHeight()}; }
    TFixedPoint* GetVectors() { return FVectors.data(); }

    // No range check.
    TFixedPoint GetFixedVector(int X, int Y) const { return FVectors[Index(X, Y)]; }
    void SetFixedVector(int X, int Y, const TFixedPoint& Value) { FVectors[Index(X, Y)] = Value; }
    // (0, 0) outside the map; writing outside does nothing.
    TFixedPoint GetFixedVectorS(int X, int Y) const;
    void SetFixedVectorS(int X, int Y, const TFixedPoint& Value);
    // Bilinear between the four cells around the 16.16 position; (0, 0) outside the map.
    TFixedPoint GetFixedVectorX(TFixed X, TFixed Y) const;
    // The same, neighbours outside the map counting as (0, 0).
    TFixedPoint GetFixedVectorXS(TFixed X, TFixed Y) const;
    // Pulls each of the four cells around the position towards Value by its bilinear weight;
    // cells outside the map are left alone.
    void SetFixedVectorX(TFixed X, TFixed Y, const TFixedPoint& Value);
    void SetFixedVectorXS(TFixed X, TFixed Y, const TFixedPoint& Value);

    TFloatPoint GetFloatVector(int X, int Y) const;
    void SetFloatVector(int X, int Y, const TFloatPoint& Value);
    TFloatPoint GetFloatVectorS(int X, int Y) const;
    void SetFloatVectorS(int X, int Y, const TFloatPoint& Value);
    TFloatPoint GetFloatVectorF(float X, float Y) const;
    void SetFloatVectorF(float X, float Y, const TFloatPoint& Value);
    TFloatPoint GetFloatVectorFS(float X, float Y) const;
    void SetFloatVectorFS(float X, float Y, const TFloatPoint& Value);

    // Combines SrcRect of Src into this map at (DstLeft, DstTop) by Src's combine mode.
    // Raises Exception "Src is empty!" or "Base is empty!".
    void Merge(int DstLeft, int DstTop, TVectorMap& Src, TRect SrcRect);
    // The tight rectangle around the non-zero vectors; (0, 0, 0, 0) when there are none.
    TRect GetTrimmedBounds() const;

    // Mesh files. A missing file raises Exception "File not found!"; a wrong identifier or
    // sizes the file cannot hold "Bad format - Photoshop .msh expected!"; a short file the
    // stream's read error. On any failure the map is left as it was.
    void LoadFromFile(const AnsiString& FileName);
    void LoadFromStream(TStream& Stream);
    // Afterwards each vector holds its value passed through a single float, as the file does;
    // on failure the map is unchanged.
    void SaveToFile(const AnsiString& FileName);
    void SaveToStream(TStream& Stream);

protected:
    void ChangeSize(int& Width, int& Height, int NewWidth, int NewHeight) override;

private:
    std::size_t Index(int X, int Y) const { return std::size_t(X) + std::size_t(Y) * GetWidth(); }
    bool Contains(int X, int Y) const {
        return X >= 0 && Y >= 0 && X < GetWidth() && Y < GetHeight();
    }

    TArrayOfFixedVector FVectors;
    TVectorCombineMode FVectorCombineMode = vcmAdd;
};

} // namespace Bmp32

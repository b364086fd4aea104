// What the aliased and antialiased polygon fills share: the crossing table (for every row,
// the X positions where polygon edges cross it, sorted, with their directions) and the
// filler's span routine.
#pragma once

#include "bitmap32/Bmp32_Polygons.h"

#include <algorithm>
#include <vector>

namespace Bmp32 {

constexpr Cardinal DirectionBit = 0x80000000;
constexpr Cardinal PositionMask = 0x7FFFFFFF;

struct TPixelVertex {
    int X;
    int Y;
};

// One row of crossings per row from BaseY (pixel rows, or sub-sample rows for the
// antialiased fill); X in 1/256 pixel or in sub-samples, bit 31 set for a crossing of
// negative direction.
struct TCrossingTable {
    int BaseY;
    int LastRow;
    Int64 XMin;
    Int64 XMax;
    std::vector<std::vector<Cardinal>> Rows;

    void Add(Int64 X, Int64 Y, int Direction) {
        if (Y < BaseY || Y > LastRow || Y - BaseY >= Int64(Rows.size())) return;
        X = std::clamp(X, XMin, XMax);
        Rows[std::size_t(Y - BaseY)].push_back(Cardinal(X) | (Direction < 0 ? DirectionBit : 0));
    }
};

// Adds the edges of one closed poly-line (at least 3 vertices), X multiplied by XScale.
void AddPolygonEdges(TCrossingTable& Table, const std::vector<TPixelVertex>& P, int XScale);
// Sorts a row by position; raises EAssertionFailed for an odd number of crossings.
void SortRow(std::vector<Cardinal>& Row);

inline Int64 PositionOf(Cardinal Entry) {
    return Entry & PositionMask;
}

// +1 for a crossing with bit 31 set, -1 otherwise.
inline int WindingOf(Cardinal Entry) {
    return (Entry & DirectionBit) != 0 ? 1 : -1;
}

// The filler's span routine, or none without a filler.
inline TFillLineEvent FillLineOf(TCustomPolygonFiller* Filler) {
    return Filler ? Filler->GetFillLine() : TFillLineEvent();
}

} // namespace Bmp32

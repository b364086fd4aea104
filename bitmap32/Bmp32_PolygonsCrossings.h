// What the aliased and antialiased polygon fills share: the crossing table (for every row,
// the X positions where polygon edges cross it, sorted, with their directions) and the
// filler's span routine.
#pragma once

#include "bitmap32/Bmp32_Polygons.h"

#include <span>
#include <vector>

namespace Bmp32 {

constexpr Cardinal DirectionBit = 0x80000000;
constexpr Cardinal PositionMask = 0x7FFFFFFF;

struct TPixelVertex {
    int X;
    int Y;
};

// One row of crossings per row from BaseY (pixel rows, or sub-sample rows for the
// antialiased fill) up to LastRow; X in 1/256 pixel or in sub-samples, clamped to XMin..XMax,
// bit 31 set for a crossing of negative direction. The rows lie one after the other in one
// array, sized by counting the rows each edge crosses before any is traced.
class TCrossingTable {
public:
    TCrossingTable() = default;
    TCrossingTable(int BaseY, int LastRow, Int64 XMin, Int64 XMax);
    // Takes a new row range and clip for the next Build, keeping the storage.
    void Reset(int BaseY, int LastRow, Int64 XMin, Int64 XMax);

    // Fills the table from the closed poly-lines (X multiplied by XScale) and sorts each
    // row; raises EAssertionFailed for a row with an odd number of crossings.
    void Build(const std::vector<std::vector<TPixelVertex>>& Lines, int XScale,
               TPolyFillMode Mode);

    int BaseY() const { return FBaseY; }
    int RowCount() const { return FLastRow - FBaseY + 1; }
    std::span<const Cardinal> Row(int R) const {
        return {FCrossings.data() + FStarts[std::size_t(R)],
                std::size_t(FStarts[std::size_t(R) + 1] - FStarts[std::size_t(R)])};
    }

private:
    int FBaseY = 0;
    int FLastRow = -1;
    Int64 FXMin = 0;
    Int64 FXMax = 0;
    // While counting, FStarts[r + 1] holds the change of the crossing count from row r - 1 to
    // row r; while tracing, where the next crossing of row r goes; afterwards row r's
    // crossings are FCrossings[FStarts[r]] up to FCrossings[FStarts[r + 1]].
    std::vector<int> FStarts;
    std::vector<Cardinal> FCrossings;

    void Count(Int64 First, Int64 Last);
    void EndCounting();
    void Add(Int64 X, Int64 Y, int Direction);
    void TraceEdge(Int64 X1, Int64 Y1, Int64 X2, Int64 Y2);
    void SortRow(int R, TPolyFillMode Mode);
};

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

// Building and sorting the crossing table of the polygon fills.
#include "bitmap32/Bmp32_PolygonsCrossings.h"

#include "classlib/Exceptions.h"

#include <utility>

namespace Bmp32 {

namespace {

// Adds a crossing on every row from Y1 up to (not including) Y2; returns the direction.
int TraceEdge(TCrossingTable& Table, Int64 X1, Int64 Y1, Int64 X2, Int64 Y2) {
    if (Y1 == Y2) return 0;
    Int64 dx = X2 - X1, dy = Y2 - Y1;
    int direction = 1;
    if (dy < 0) {
        direction = -1;
        dy = -dy;
    }
    int stepX = 1;
    if (dx <= 0) {
        stepX = -1;
        dx = -dx;
    }
    Int64 error = (dx % dy) >> 1;
    Int64 x = X1, y = Y1;
    for (Int64 i = 0; i < dy; ++i) {
        Table.Add(x, y, direction);
        y += direction;
        error += dx;
        if (error > dy) {
            x += stepX;
            error -= dy;
            if (error > dy) {
                x += stepX;
                error -= dy;
                if (error > dy) {
                    const Int64 t = (error + dy - 1) / dy;
                    x += t * stepX;
                    error -= t * dy;
                }
            }
        }
    }
    return direction;
}

int Sign(Int64 V) {
    return V > 0 ? 1 : V < 0 ? -1 : 0;
}

} // namespace

void AddPolygonEdges(TCrossingTable& Table, const std::vector<TPixelVertex>& P, int XScale) {
    const std::size_t count = P.size();
    if (count < 3) return;
    Int64 x1 = Int64(P[0].X) * XScale, y1 = P[0].Y;
    int previous = 0;
    for (std::size_t i = count - 1; i >= 1; --i) {
        previous = Sign(Int64(P[0].Y) - P[i].Y);
        if (previous != 0) break;
    }
    for (std::size_t i = 1; i <= count; ++i) {
        const TPixelVertex& next = P[i % count];
        const Int64 x2 = Int64(next.X) * XScale, y2 = next.Y;
        if (y2 != y1) {
            const int direction = TraceEdge(Table, x1, y1, x2, y2);
            if (direction != previous) {
                // Where the edges turn, the row is crossed once more.
                Table.Add(x1, y1, -direction);
                previous = direction;
            }
        }
        x1 = x2;
        y1 = y2;
    }
}

namespace {

void QuickSortRow(std::vector<Cardinal>& Row, int Low, int High) {
    while (Low < High) {
        int i = Low, j = High;
        const Cardinal pivot = Row[std::size_t(Low + High) / 2] & PositionMask;
        do {
            while ((Row[i] & PositionMask) < pivot)
                ++i;
            while ((Row[j] & PositionMask) > pivot)
                --j;
            if (i <= j) {
                std::swap(Row[i], Row[j]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (Low < j) QuickSortRow(Row, Low, j);
        Low = i;
    }
}

} // namespace

void SortRow(std::vector<Cardinal>& Row) {
    if (Row.size() % 2 != 0)
        throw EAssertionFailed("Bmp32_Polygons: a row holds an odd number of crossings");
    if (Row.size() == 2) {
        if ((Row[0] & PositionMask) > (Row[1] & PositionMask)) std::swap(Row[0], Row[1]);
    } else if (Row.size() > 2) {
        QuickSortRow(Row, 0, int(Row.size()) - 1);
    }
}

} // namespace Bmp32

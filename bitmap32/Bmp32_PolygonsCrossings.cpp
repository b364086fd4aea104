// Building and sorting the crossing table of the polygon fills.
#include "bitmap32/Bmp32_PolygonsCrossings.h"

#include "classlib/Exceptions.h"

#include <algorithm>
#include <emmintrin.h>
#include <utility>

namespace Bmp32 {

namespace {

int Sign(Int64 V) {
    return V > 0 ? 1 : V < 0 ? -1 : 0;
}

// Calls Edge(X1, Y1, X2, Y2) for each edge of a closed poly-line that changes rows (X
// multiplied by XScale) and, where the direction turns, Turn(X1, Y1, Direction) for the
// crossing the row takes once more.
template <typename E, typename T>
void ForEachEdge(const std::vector<TPixelVertex>& P, int XScale, E Edge, T Turn) {
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
            const int direction = y2 > y1 ? 1 : -1;
            Edge(x1, y1, x2, y2);
            if (direction != previous) {
                Turn(x1, y1, -direction);
                previous = direction;
            }
        }
        x1 = x2;
        y1 = y2;
    }
}

void QuickSortRow(Cardinal* Row, int Low, int High) {
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

// Sorts by insertion as long as that takes at most Budget moves; false, with the row
// reordered but unsorted, once it would take more.
bool InsertionSort(Cardinal* Row, int Size, int Budget) {
    for (int i = 1; i < Size; ++i) {
        const Cardinal v = Row[i];
        int j = i;
        for (; j > 0 && Row[j - 1] > v; --j)
            Row[j] = Row[j - 1];
        Row[j] = v;
        Budget -= i - j;
        if (Budget < 0) return false;
    }
    return true;
}

// Rows come nearly sorted, one way or the other, when the edges run around the shape in
// order: insertion sorts those in a few passes; the others take the library's sort.
void SortPositions(Cardinal* Row, int Size) {
    if (Row[0] > Row[Size - 1]) std::reverse(Row, Row + Size);
    if (!InsertionSort(Row, Size, Size <= 16 ? Size * Size : 4 * Size)) std::sort(Row, Row + Size);
}

// Whether the positions of a row never fall (Ascending) and never rise (Descending). Rows of
// a shape with many spikes hold dozens of crossings, compared four at a time.
void FindOrder(const Cardinal* Row, int Size, bool& Ascending, bool& Descending) {
    const __m128i positionMask = _mm_set1_epi32(int(PositionMask));
    __m128i rises = _mm_setzero_si128(), falls = _mm_setzero_si128();
    int i = 0;
    for (; i + 4 < Size; i += 4) {
        const __m128i here = _mm_and_si128(
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(Row + i)), positionMask);
        const __m128i next = _mm_and_si128(
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(Row + i + 1)), positionMask);
        falls = _mm_or_si128(falls, _mm_cmpgt_epi32(here, next));
        rises = _mm_or_si128(rises, _mm_cmpgt_epi32(next, here));
    }
    Ascending = _mm_movemask_epi8(falls) == 0;
    Descending = _mm_movemask_epi8(rises) == 0;
    for (; i + 1 < Size; ++i) {
        const Cardinal here = Row[i] & PositionMask, next = Row[i + 1] & PositionMask;
        Ascending &= here <= next;
        Descending &= here >= next;
    }
}

} // namespace

TCrossingTable::TCrossingTable(int BaseY, int LastRow, Int64 XMin, Int64 XMax) {
    Reset(BaseY, LastRow, XMin, XMax);
}

void TCrossingTable::Reset(int BaseY, int LastRow, Int64 XMin, Int64 XMax) {
    FBaseY = BaseY;
    FLastRow = LastRow;
    FXMin = XMin;
    FXMax = XMax;
}

void TCrossingTable::Build(const std::vector<std::vector<TPixelVertex>>& Lines, int XScale,
                           TPolyFillMode Mode) {
    FStarts.assign(std::size_t(std::max(RowCount(), 0)) + 1, 0);
    for (const auto& polyline : Lines)
        ForEachEdge(
            polyline, XScale,
            [&](Int64, Int64 Y1, Int64, Int64 Y2) {
                if (Y2 > Y1)
                    Count(Y1, Y2 - 1);
                else
                    Count(Y2 + 1, Y1);
            },
            [&](Int64, Int64 Y, int) { Count(Y, Y); });
    EndCounting();
    for (const auto& polyline : Lines)
        ForEachEdge(
            polyline, XScale,
            [&](Int64 X1, Int64 Y1, Int64 X2, Int64 Y2) { TraceEdge(X1, Y1, X2, Y2); },
            [&](Int64 X, Int64 Y, int Direction) { Add(X, Y, Direction); });
    // Most rows of most shapes hold one pair, put in order here; the others take SortRow.
    Cardinal* crossings = FCrossings.data();
    const int* starts = FStarts.data();
    for (int r = 0; r < RowCount(); ++r) {
        const int start = starts[r];
        if (starts[r + 1] - start != 2) {
            SortRow(r, Mode);
            continue;
        }
        Cardinal& a = crossings[start];
        Cardinal& b = crossings[start + 1];
        if ((a & PositionMask) > (b & PositionMask)) std::swap(a, b);
    }
}

void TCrossingTable::Count(Int64 First, Int64 Last) {
    First = std::max<Int64>(First, FBaseY);
    Last = std::min<Int64>(Last, FLastRow);
    if (First > Last) return;
    ++FStarts[std::size_t(First - FBaseY) + 1];
    if (Last < FLastRow) --FStarts[std::size_t(Last + 1 - FBaseY) + 1];
}

void TCrossingTable::EndCounting() {
    int count = 0, start = 0;
    for (std::size_t r = 1; r < FStarts.size(); ++r) {
        count += FStarts[r];
        FStarts[r] = start;
        start += count;
    }
    FCrossings.resize(std::size_t(start));
}

void TCrossingTable::Add(Int64 X, Int64 Y, int Direction) {
    if (Y < FBaseY || Y > FLastRow) return;
    X = std::clamp(X, FXMin, FXMax);
    FCrossings[std::size_t(FStarts[std::size_t(Y - FBaseY) + 1]++)] =
        Cardinal(X) | (Direction < 0 ? DirectionBit : 0);
}

// Adds a crossing on every row from Y1 up to (not including) Y2. Row i of the edge is
// crossed at X1 plus K(i) steps, where K(i) is what an error loop over the rows reaches: per
// row the error grows by dx, one step is taken while it exceeds dy, up to two, and past that
// as many as bring it to zero or below.
void TCrossingTable::TraceEdge(Int64 X1, Int64 Y1, Int64 X2, Int64 Y2) {
    Int64 dx = X2 - X1, dy = Y2 - Y1;
    const int direction = dy < 0 ? -1 : 1;
    dy = dy < 0 ? -dy : dy;
    const Int64 stepX = dx <= 0 ? -1 : 1;
    dx = dx < 0 ? -dx : dx;
    // The rows of the table the edge crosses: i from first to last.
    Int64 first, last;
    if (direction > 0) {
        first = std::max<Int64>(0, FBaseY - Y1);
        last = std::min<Int64>(dy - 1, FLastRow - Y1);
    } else {
        first = std::max<Int64>(0, Y1 - FLastRow);
        last = std::min<Int64>(dy - 1, Y1 - FBaseY);
    }
    if (first > last) return;
    const Cardinal directionBit = direction < 0 ? DirectionBit : 0;
    const Int64 row0 = Y1 - FBaseY;
    int* ends = FStarts.data() + 1;
    Cardinal* crossings = FCrossings.data();
    const auto put = [&](Int64 I, Int64 X) {
        crossings[ends[row0 + direction * I]++] =
            Cardinal(std::clamp(X, FXMin, FXMax)) | directionBit;
    };
    const Int64 e0 = (dx % dy) >> 1;
    if (dx >= 4 * dy) {
        // Every row takes the last branch, so the error stays in (-dy, 0] and
        // K(i) = ceil((e0 + i * dx) / dy) from the second row on.
        Int64 i = first;
        if (i == 0) {
            put(0, X1);
            if (++i > last) return;
        }
        const __int128 s = __int128(e0) + __int128(i) * dx;
        Int64 k = Int64((s + dy - 1) / dy);
        Int64 rem = Int64(__int128(k) * dy - s); // s = k * dy - rem, 0 <= rem < dy
        const Int64 q = dx / dy, r = dx % dy;
        const Int64 lastX = X1 + stepX * dx;
        if (std::min(X1, lastX) >= FXMin && std::max(X1, lastX) <= FXMax) {
            // Within the clip: no clamping, and X and the row step.
            Int64 x = X1 + stepX * k;
            const Int64 xq = stepX * q;
            Int64 row = row0 + direction * i;
            for (Int64 n = last - i + 1; n > 0; --n) {
                crossings[ends[row]++] = Cardinal(x) | directionBit;
                row += direction;
                x += xq;
                rem -= r;
                if (rem < 0) {
                    rem += dy;
                    x += stepX;
                }
            }
            return;
        }
        for (;; ++i) {
            put(i, X1 + stepX * k);
            if (i == last) return;
            k += q;
            rem -= r;
            if (rem < 0) {
                rem += dy;
                ++k;
            }
        }
    }
    // The error loop: per row the error grows by dx and X steps while it exceeds dy.
    Int64 error = e0, x = X1;
    const auto advance = [&] {
        error += dx;
        if (error <= dy) return;
        x += stepX;
        error -= dy;
        if (error <= dy) return;
        x += stepX;
        error -= dy;
        if (error <= dy) return;
        const Int64 t = (error + dy - 1) / dy;
        x += t * stepX;
        error -= t * dy;
    };
    if (std::min(X1, X2) >= FXMin && std::max(X1, X2) <= FXMax) {
        // Within the clip: no clamping, and the row steps instead of being computed.
        Int64 row = row0 + direction * first;
        for (Int64 i = 0;; ++i) {
            if (i >= first) {
                crossings[ends[row]++] = Cardinal(x) | directionBit;
                row += direction;
            }
            if (i == last) return;
            advance();
        }
    }
    for (Int64 i = 0;; ++i) {
        if (i >= first) put(i, x);
        if (i == last) return;
        advance();
    }
}

// Even-odd spans read positions only, so any sort gives them the same spans; winding sums
// also read the directions, whose order among equal positions the quicksort decides.
void TCrossingTable::SortRow(int R, TPolyFillMode Mode) {
    Cardinal* row = FCrossings.data() + FStarts[std::size_t(R)];
    const int size = FStarts[std::size_t(R) + 1] - FStarts[std::size_t(R)];
    if (size % 2 != 0)
        throw EAssertionFailed("Bmp32_Polygons: a row holds an odd number of crossings");
    if (size == 2) {
        if ((row[0] & PositionMask) > (row[1] & PositionMask)) std::swap(row[0], row[1]);
    } else if (size > 2 && Mode == pfAlternate) {
        // Edges traced around a shape leave most rows in order one way or the other, which one
        // look tells; even-odd spans never read the directions, so those rows keep theirs.
        bool ascending, descending;
        FindOrder(row, size, ascending, descending);
        if (ascending) return;
        if (descending) return std::reverse(row, row + size);
        for (int i = 0; i < size; ++i)
            row[i] &= PositionMask;
        SortPositions(row, size);
    } else if (size > 2) {
        QuickSortRow(row, 0, size - 1);
    }
}

} // namespace Bmp32

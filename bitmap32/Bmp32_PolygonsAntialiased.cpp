// The antialiased polygon fill (coverage on a sub-sample grid, resolved per pixel row through a
// difference array) and the pattern filler.
#include "bitmap32/Bmp32_Polygons.h"

#include "bitmap32/Bmp32_Blend.h"
#include "bitmap32/Bmp32_PolygonsCrossings.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <emmintrin.h>
#include <span>

namespace Bmp32 {

namespace {

struct TAntialiasTable {
    int Samples;
    int Shift;
    // A full pixel collects (Samples - 1) * Samples units; times this, shifted right by 8,
    // it is the alpha.
    int Multiplier;
};

constexpr TAntialiasTable AntialiasTables[] = {
    {32, 5, 65}, {16, 4, 273}, {8, 3, 1167}, {4, 2, 5460}, {2, 1, 32662}};

// The working storage of one fill. Small polygons come by the hundred, so each thread keeps
// one set and reuses it; a fill started from inside another's callback takes its own.
struct TScratch {
    std::vector<std::vector<TPixelVertex>> Vertices;
    TCrossingTable Table;
    std::vector<int> Coverage;
    // One mark per block of coverage cells that an edge has added to since it was cleared.
    std::vector<Byte> Touched;
    std::vector<Cardinal> Alphas;
    std::vector<TColor32> Colors;
    bool Busy = false;
};

class TScratchLease {
public:
    TScratchLease() : FShared(Shared()), FScratch(FShared.Busy ? FOwn : FShared) {
        FScratch.Busy = true;
    }
    ~TScratchLease() { FScratch.Busy = false; }
    TScratchLease(const TScratchLease&) = delete;
    TScratchLease& operator=(const TScratchLease&) = delete;
    TScratch& operator*() { return FScratch; }

private:
    static TScratch& Shared() {
        thread_local TScratch scratch;
        return scratch;
    }
    TScratch& FShared;
    TScratch FOwn;
    TScratch& FScratch;
};

// Whether rows First..Last each hold one pair of crossings at the same two positions.
bool UniformRows(const TCrossingTable& Table, int First, int Last) {
    const std::span<const Cardinal> top = Table.Row(First);
    if (top.size() != 2) return false;
    for (int r = First + 1; r <= Last; ++r) {
        const std::span<const Cardinal> row = Table.Row(r);
        if (row.size() != 2 || PositionOf(row[0]) != PositionOf(top[0]) ||
            PositionOf(row[1]) != PositionOf(top[1]))
            return false;
    }
    return true;
}

// The first index from From on and below Length whose cell is not zero, or Length. Inside a
// shape the difference cells are zero for many pixels: four are tested at a time.
int NextNonZeroCell(const int* Cells, int From, int Length) {
    int i = From;
    for (; i + 4 <= Length; i += 4) {
        const __m128i cells = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Cells + i));
        const int zeroBytes = _mm_movemask_epi8(_mm_cmpeq_epi32(cells, _mm_setzero_si128()));
        if (zeroBytes != 0xFFFF) return i + __builtin_ctz(unsigned(~zeroBytes)) / 4;
    }
    while (i < Length && Cells[i] == 0)
        ++i;
    return i;
}

// The coverage differences of the cells of a polygon's bounds. Marked, it also notes which
// blocks of cells an edge has touched: a row of a large shape spans hundreds of cells of which a
// few dozen hold a difference, and the runs between them are found from the touched blocks
// without reading the others. A mark is a plain store, so that edges that follow each other do
// not wait on one another's marks. The rows of a narrow shape are read whole, which costs less
// than marking.
template <bool Marked> class TCoverageCells {
public:
    static constexpr int BLOCK_SHIFT = 4;
    static constexpr int BLOCK_CELLS = 1 << BLOCK_SHIFT;
    // Cells and marks read past the last one that can be touched: whole blocks of cells, and
    // eight marks at a time.
    static constexpr std::size_t CELL_SLACK = BLOCK_CELLS * 2;
    static constexpr std::size_t MARK_SLACK = 16;

    TCoverageCells(int* Cells, Byte* Touched) : FCells(Cells), FTouched(Touched) {}

    // A span edge's share of a cell and of the cell after it.
    void AddEdge(int Cell, int Here, int Next) {
        FCells[Cell] += Here;
        FCells[Cell + 1] += Next;
        if constexpr (Marked) {
            FTouched[Cell >> BLOCK_SHIFT] = 1;
            FTouched[(Cell + 1) >> BLOCK_SHIFT] = 1;
        }
    }

    // Calls Run(from, to, coverage) for each run of cells From + from up to From + to, below
    // From + Length, that share one coverage (the sum of the differences up to the run), and
    // clears every touched cell from From to From + Count.
    template <typename TRun> void TakeRuns(int From, int Length, int Count, TRun Run) {
        if constexpr (!Marked) {
            int* const cells = FCells + From;
            int sum = 0;
            for (int i = 0; i < Length;) {
                sum += cells[i];
                const int end = NextNonZeroCell(cells, i + 1, Length);
                Run(i, end, sum);
                i = end;
            }
            std::fill(cells, cells + Count, 0);
            return;
        }
        int sum = 0, runStart = 0;
        bool ended = Length <= 0;
        const int lastBlock = (From + Count - 1) >> BLOCK_SHIFT;
        for (int group = From >> BLOCK_SHIFT; group <= lastBlock; group += 8) {
            std::uint64_t marks;
            std::memcpy(&marks, FTouched + group, sizeof marks);
            if (marks == 0) continue;
            std::memset(FTouched + group, 0, sizeof marks);
            for (; marks != 0; marks &= marks - 1) {
                const int block = group + __builtin_ctzll(marks) / 8;
                int* const cells = FCells + block * BLOCK_CELLS;
                unsigned filled = NonZeroCells(cells);
                for (; filled != 0; filled &= filled - 1) {
                    const int at = block * BLOCK_CELLS + __builtin_ctz(filled) - From;
                    if (ended || at >= Length) {
                        ended = true;
                        break;
                    }
                    if (at > runStart) Run(runStart, at, sum);
                    sum += cells[at + From - block * BLOCK_CELLS];
                    runStart = at;
                }
                const __m128i zero = _mm_setzero_si128();
                for (int i = 0; i < BLOCK_CELLS; i += 4)
                    _mm_storeu_si128(reinterpret_cast<__m128i*>(cells + i), zero);
            }
        }
        if (Length > runStart) Run(runStart, Length, sum);
    }

private:
    int* FCells;
    Byte* FTouched;

    // One bit per cell of the block that holds a difference.
    static unsigned NonZeroCells(const int* Cells) {
        const __m128i zero = _mm_setzero_si128();
        const auto zeros = [&](int I) {
            return _mm_cmpeq_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(Cells + I)),
                                   zero);
        };
        const __m128i low = _mm_packs_epi32(zeros(0), zeros(4));
        const __m128i high = _mm_packs_epi32(zeros(8), zeros(12));
        return ~unsigned(_mm_movemask_epi8(_mm_packs_epi16(low, high))) & 0xFFFF;
    }
};

// The coverage of every pixel row of a sorted sub-sample crossing table whose positions lie
// in MinX..MaxX, for the cells left of MaxRight: Row.Begin(first cell, pixel row, cell count),
// then Row.Run(from, to, coverage) for each run of cells of one coverage (counted from the
// first cell), then Row.End(). The difference cells stay zero between rows, so each row clears
// only what it touched.
template <TPolyFillMode Mode, bool Marked, typename TRow>
void ResolveCoverageBy(const TCrossingTable& Table, TCoverageCells<Marked> Cells,
                       const TAntialiasTable& AA, int Origin, int MaxRight, TRow& Row) {
    const int k = AA.Shift, mask = AA.Samples - 1;
    const auto edge = [&](Int64 X, int Sign) {
        Cells.AddEdge(int(X >> k) - Origin, Sign * (mask - int(X & mask)), Sign * int(X & mask));
    };
    const auto flush = [&](int Cell, int Here, int Next) {
        if (Here != 0 || Next != 0) Cells.AddEdge(Cell, Here, Next);
    };
    // In rows of one span, its start and its end are gathered while they fall into the same
    // cell, so that the rows of a steep edge do not each add to the cell that the one before
    // has just added to.
    int startCell = 0, startHere = 0, startNext = 0;
    int endCell = 0, endHere = 0, endNext = 0;
    const auto add = [&](int& Cell, int& Here, int& Next, Int64 X, int Sign) {
        const int cell = int(X >> k) - Origin;
        if (cell != Cell) {
            flush(Cell, Here, Next);
            Cell = cell;
            Here = 0;
            Next = 0;
        }
        Here += Sign * (mask - int(X & mask));
        Next += Sign * int(X & mask);
    };
    const int base = Table.BaseY(), rows = Table.RowCount();
    for (int y = base >> k; y < (rows + base + mask) >> k; ++y) {
        const int first = std::max(y * AA.Samples - base, 0);
        const int last = std::min(y * AA.Samples - base + mask, rows - 1);
        Int64 minX = 0x7F000000, maxX = -0x7F000000;
        bool uniform = false;
        if constexpr (Mode == pfAlternate)
            uniform = last - first == mask && UniformRows(Table, first, last);
        if (uniform) {
            // Edges that run straight down through the whole pixel row give each sub-row the same
            // span: it is added once, weighted by the sub-row count.
            const std::span<const Cardinal> top = Table.Row(first);
            const Int64 from = PositionOf(top[0]), to = PositionOf(top[1]);
            minX = from;
            maxX = to + mask;
            Cells.AddEdge(int(from >> k) - Origin, AA.Samples * (mask - int(from & mask)),
                          AA.Samples * int(from & mask));
            Cells.AddEdge(int(to >> k) - Origin, -AA.Samples * (mask - int(to & mask)),
                          -AA.Samples * int(to & mask));
        }
        for (int r = first; r <= last && !uniform; ++r) {
            const std::span<const Cardinal> row = Table.Row(r);
            if (row.size() < 2) continue;
            minX = std::min(minX, PositionOf(row.front()));
            maxX = std::max(maxX, PositionOf(row.back()) + mask);
            if (row.size() == 2) {
                add(startCell, startHere, startNext, PositionOf(row[0]), 1);
                add(endCell, endHere, endNext, PositionOf(row[1]), -1);
            } else if constexpr (Mode == pfAlternate) {
                for (std::size_t i = 0; i + 1 < row.size(); i += 2) {
                    edge(PositionOf(row[i]), 1);
                    edge(PositionOf(row[i + 1]), -1);
                }
            } else {
                int winding = 0;
                for (const Cardinal entry : row) {
                    const int before = winding;
                    winding += WindingOf(entry);
                    if (before == 0 && winding != 0) edge(PositionOf(entry), 1);
                    if (before != 0 && winding == 0) edge(PositionOf(entry), -1);
                }
            }
        }
        flush(startCell, startHere, startNext);
        flush(endCell, endHere, endNext);
        startHere = startNext = endHere = endNext = 0;
        if (maxX < minX) continue;
        const int firstCell = int(minX >> k);
        const int count = int(maxX >> k) - firstCell + 2;
        const int length = std::min(count, MaxRight - firstCell);
        if (length > 0) {
            Row.Begin(firstCell, y, length);
            Cells.TakeRuns(firstCell - Origin, length, count,
                           [&](int From, int To, int Coverage) { Row.Run(From, To, Coverage); });
            Row.End();
        } else {
            Cells.TakeRuns(firstCell - Origin, 0, count, [](int, int, int) {});
        }
    }
}

// Shapes wider than this many cells have their touched cells marked.
constexpr std::size_t MARKED_WIDTH = 128;

template <bool Marked, typename TRow>
void ResolveCoverageIn(TScratch& Scratch, TPolyFillMode Mode, const TAntialiasTable& AA,
                       int Origin, int MaxRight, TRow& Row) {
    const TCoverageCells<Marked> cells(Scratch.Coverage.data(), Scratch.Touched.data());
    if (Mode == pfAlternate)
        ResolveCoverageBy<pfAlternate>(Scratch.Table, cells, AA, Origin, MaxRight, Row);
    else
        ResolveCoverageBy<pfWinding>(Scratch.Table, cells, AA, Origin, MaxRight, Row);
}

template <typename TRow>
void ResolveCoverage(TScratch& Scratch, TPolyFillMode Mode, const TAntialiasTable& AA, Int64 MinX,
                     Int64 MaxX, int MaxRight, TRow& Row) {
    using TMarked = TCoverageCells<true>;
    std::vector<int>& coverage = Scratch.Coverage;
    const int k = AA.Shift, mask = AA.Samples - 1;
    const int origin = int(MinX >> k);
    const std::size_t needed = std::size_t(((MaxX + mask) >> k) - origin + 2);
    if (coverage.size() < needed) {
        coverage.resize(needed + TMarked::CELL_SLACK);
        Scratch.Touched.resize((coverage.size() >> TMarked::BLOCK_SHIFT) + TMarked::MARK_SLACK);
        Scratch.Alphas.resize(coverage.size());
    }
    if (needed > MARKED_WIDTH)
        ResolveCoverageIn<true>(Scratch, Mode, AA, origin, MaxRight, Row);
    else
        ResolveCoverageIn<false>(Scratch, Mode, AA, origin, MaxRight, Row);
}

// Blends one colour, weighted by coverage, into the pixel rows of a bitmap. Coverage comes in
// runs: nothing outside the shape, full inside it, a few partial cells at its edges. A run that
// the blend leaves as it is is skipped and one that it overwrites whatever lies beneath is
// filled without reading the pixels, so an opaque shape costs its edges and a fill.
class TCoverageWriter {
public:
    TCoverageWriter(TBitmap32* Bitmap, TColor32 Color, const TAntialiasTable& AA,
                    std::vector<TColor32>& Colors)
        : FBitmap(Bitmap), FRgb(Color & 0x00FFFFFF), FMaster(Byte(AlphaComponent(Color))),
          FMultiplier(AA.Multiplier), FMode(Bitmap->GetCombineMode()),
          FBlendMem(BLEND_MEM_EX[FMode]), FBlendLine(BLEND_LINE_EX[FMode]), FColors(Colors) {
        FFullAlpha = AlphaOf(AA.Samples * (AA.Samples - 1));
        FFullOutcome = BlendExOutcome(FMode, FRgb | FFullAlpha << 24, FMaster, FFullColor);
    }

    void Begin(int X, int Y, int Length) {
        FDst = FBitmap->GetPixelPtr(X, Y);
        FAhead = Y + PREFETCH_ROWS < FBitmap->GetClipRect().Bottom
                     ? std::ptrdiff_t(PREFETCH_ROWS) * FBitmap->GetWidth()
                     : 0;
        if (Length <= PREFETCH_LENGTH && FAhead != 0) {
            const TColor32* ahead = FDst + FAhead;
            for (int i = 0; i < Length; i += CACHE_LINE_PIXELS)
                __builtin_prefetch(ahead + i, 1);
            __builtin_prefetch(ahead + Length - 1, 1);
        }
    }
    void Run(int From, int To, int Coverage) { WriteRun(FDst + From, To - From, AlphaOf(Coverage)); }
    void End() { EMMS(); }

private:
    // Runs shorter than this go pixel by pixel rather than through the line routine.
    static constexpr int SHORT_RUN = 8;
    // Shapes scattered over a large bitmap find few of their pixels in the cache; the pixels
    // this many rows below, which the next rows will read, are asked for early: a short row's
    // all, a long row's where it blends.
    static constexpr int PREFETCH_ROWS = 2;
    static constexpr int CACHE_LINE_PIXELS = 16;
    // Longer rows are read in order, which the processor's own prefetching follows.
    static constexpr int PREFETCH_LENGTH = 64;

    TBitmap32* FBitmap;
    TColor32 FRgb;
    Byte FMaster;
    int FMultiplier;
    TCombineMode FMode;
    TBlendMemEx FBlendMem;
    TBlendLineEx FBlendLine;
    std::vector<TColor32>& FColors;
    Cardinal FFullAlpha = 0;
    TBlendOutcome FFullOutcome = boDepends;
    TColor32 FFullColor = 0;
    TColor32* FDst = nullptr;
    // From a pixel to the one PREFETCH_ROWS below, or 0 near the bottom of the clip.
    std::ptrdiff_t FAhead = 0;

    Cardinal AlphaOf(int Coverage) const { return (Cardinal(Coverage * FMultiplier) >> 8) & 0xFF; }

    void WriteRun(TColor32* Dst, int Length, Cardinal Alpha) {
        if (Alpha == 0) return; // no coverage: every combine mode keeps the pixel
        if (Alpha == FFullAlpha && FFullOutcome != boDepends) {
            if (FFullOutcome == boReplaces) std::fill(Dst, Dst + Length, FFullColor);
            return;
        }
        const TColor32 color = FRgb | Alpha << 24;
        // The rows below have their edges about here, and will read the pixels under them.
        __builtin_prefetch(Dst + FAhead, 1);
        if (Length < SHORT_RUN) {
            // Edge pixels come one or two at a time, so blending, the common mode, is inlined.
            if (FMode == cmBlend) {
                for (int i = 0; i < Length; ++i)
                    Dst[i] = BlendRegExInline(color, Dst[i], FMaster);
            } else {
                for (int i = 0; i < Length; ++i)
                    FBlendMem(color, Dst[i], FMaster);
            }
            return;
        }
        if (int(FColors.size()) < Length) FColors.resize(std::size_t(Length));
        std::fill(FColors.begin(), FColors.begin() + Length, color);
        FBlendLine(FColors.data(), Dst, Length, FMaster);
    }
};

// Hands each pixel row's coverage alphas, uncut by any colour, to a fill-line callback.
class TCoverageCallback {
public:
    TCoverageCallback(TBitmap32* Bitmap, const TFillLineEvent& Callback, const TAntialiasTable& AA,
                      std::vector<Cardinal>& Alphas)
        : FBitmap(Bitmap), FCallback(Callback), FMultiplier(AA.Multiplier), FAlphas(Alphas) {}

    void Begin(int X, int Y, int Length) {
        FX = X;
        FY = Y;
        FLength = Length;
    }
    void Run(int From, int To, int Coverage) {
        std::fill(FAlphas.begin() + From, FAlphas.begin() + To,
                  Cardinal(Coverage * FMultiplier) >> 8);
    }
    void End() {
        FCallback(FBitmap->GetPixelPtr(FX, FY), FX, FY, FLength, FAlphas.data());
        EMMS();
    }

private:
    TBitmap32* FBitmap;
    const TFillLineEvent& FCallback;
    int FMultiplier;
    std::vector<Cardinal>& FAlphas;
    int FX = 0, FY = 0, FLength = 0;
};

void FillAntialiased(TBitmap32* Bitmap, std::span<const TArrayOfFixedPoint> Lines, TColor32 Color,
                     const TFillLineEvent& Callback, TPolyFillMode Mode, TAntialiasMode AAMode,
                     TTransformation* Transformation, bool Single) {
    if (std::none_of(Lines.begin(), Lines.end(),
                     [](const TArrayOfFixedPoint& Line) { return Line.size() > 2; }))
        return;
    if (!Bitmap->GetMeasuringMode()) {
        if (Single && !Callback && AlphaComponent(Color) == 0) return;
        const TAntialiasTable& aa = AntialiasTables[AAMode];
        const int toSubSamples = 16 - aa.Shift;
        TScratchLease lease;
        TScratch& scratch = *lease;
        std::vector<std::vector<TPixelVertex>>& vertices = scratch.Vertices;
        vertices.resize(std::size_t(
            std::count_if(Lines.begin(), Lines.end(),
                          [](const TArrayOfFixedPoint& Line) { return Line.size() > 2; })));
        std::size_t lineIndex = 0;
        int minX = INT_MAX, maxX = INT_MIN, minY = INT_MAX, maxY = INT_MIN;
        for (const TArrayOfFixedPoint& line : Lines) {
            if (line.size() < 3) continue;
            std::vector<TPixelVertex>& converted = vertices[lineIndex++];
            converted.clear();
            converted.reserve(line.size());
            for (const TFixedPoint& point : line) {
                const TFixedPoint p = Transformation ? Transformation->Transform(point) : point;
                const TPixelVertex v{int((Int64(p.X) + 0x7FF) >> toSubSamples),
                                     int((Int64(p.Y) + 0x7FF) >> toSubSamples)};
                converted.push_back(v);
                minX = std::min(minX, v.X);
                maxX = std::max(maxX, v.X);
                minY = std::min(minY, v.Y);
                maxY = std::max(maxY, v.Y);
            }
        }
        const TRect& clip = Bitmap->GetClipRect();
        const int top = clip.Top * aa.Samples;
        const int bottom = std::max(top, clip.Bottom * aa.Samples - 1);
        minY = std::clamp(minY, top, bottom);
        maxY = std::clamp(maxY, top, bottom);
        if (minY >= maxY) return;
        const Int64 left = Int64(clip.Left) * aa.Samples,
                    right = Int64(clip.Right) * aa.Samples - 1;
        scratch.Table.Reset(minY, maxY, left, right);
        // Every crossing lies between the extreme vertices, clamped as the crossings are.
        const Int64 fromX = std::clamp<Int64>(minX, left, right),
                    toX = std::clamp<Int64>(maxX, left, right);
        scratch.Table.Build(vertices, 1, Mode);
        Bitmap->BeginUpdate();
        try {
            if (Callback) {
                TCoverageCallback rows(Bitmap, Callback, aa, scratch.Alphas);
                ResolveCoverage(scratch, Mode, aa, fromX, toX, clip.Right, rows);
            } else {
                TCoverageWriter rows(Bitmap, Color, aa, scratch.Colors);
                ResolveCoverage(scratch, Mode, aa, fromX, toX, clip.Right, rows);
            }
        } catch (...) {
            std::fill(scratch.Coverage.begin(), scratch.Coverage.end(), 0);
            std::fill(scratch.Touched.begin(), scratch.Touched.end(), 0);
            Bitmap->EndUpdate();
            throw;
        }
        Bitmap->EndUpdate();
    }
    TFixedRect bounds = PolygonBounds({});
    for (const TArrayOfFixedPoint& line : Lines) {
        const TFixedRect r = PolygonBounds(line);
        bounds = {std::min(bounds.Left, r.Left), std::min(bounds.Top, r.Top),
                  std::max(bounds.Right, r.Right), std::max(bounds.Bottom, r.Bottom)};
    }
    Bitmap->Changed(MakeRect(bounds, rrOutside), AREAINFO_RECT);
}

} // namespace

void PolygonXS(TBitmap32* Bitmap, const TArrayOfFixedPoint& Points, TColor32 Color,
               TPolyFillMode Mode, TAntialiasMode AntialiasMode, TTransformation* Transformation) {
    FillAntialiased(Bitmap, std::span(&Points, 1), Color, {}, Mode, AntialiasMode, Transformation,
                    true);
}

void PolygonXS(TBitmap32* Bitmap, const TArrayOfFixedPoint& Points,
               const TFillLineEvent& FillLineCallback, TPolyFillMode Mode,
               TAntialiasMode AntialiasMode, TTransformation* Transformation) {
    FillAntialiased(Bitmap, std::span(&Points, 1), 0, FillLineCallback, Mode, AntialiasMode,
                    Transformation, true);
}

void PolygonXS(TBitmap32* Bitmap, const TArrayOfFixedPoint& Points, TCustomPolygonFiller* Filler,
               TPolyFillMode Mode, TAntialiasMode AntialiasMode, TTransformation* Transformation) {
    PolygonXS(Bitmap, Points, FillLineOf(Filler), Mode, AntialiasMode, Transformation);
}

void PolyPolygonXS(TBitmap32* Bitmap, const TArrayOfArrayOfFixedPoint& Points, TColor32 Color,
                   TPolyFillMode Mode, TAntialiasMode AntialiasMode,
                   TTransformation* Transformation) {
    FillAntialiased(Bitmap, Points, Color, {}, Mode, AntialiasMode, Transformation, false);
}

void PolyPolygonXS(TBitmap32* Bitmap, const TArrayOfArrayOfFixedPoint& Points,
                   const TFillLineEvent& FillLineCallback, TPolyFillMode Mode,
                   TAntialiasMode AntialiasMode, TTransformation* Transformation) {
    FillAntialiased(Bitmap, Points, 0, FillLineCallback, Mode, AntialiasMode, Transformation,
                    false);
}

void PolyPolygonXS(TBitmap32* Bitmap, const TArrayOfArrayOfFixedPoint& Points,
                   TCustomPolygonFiller* Filler, TPolyFillMode Mode, TAntialiasMode AntialiasMode,
                   TTransformation* Transformation) {
    PolyPolygonXS(Bitmap, Points, FillLineOf(Filler), Mode, AntialiasMode, Transformation);
}

// ---- TBitmapPolygonFiller -------------------------------------------------------------------

TFillLineEvent TBitmapPolygonFiller::GetFillLine() {
    if (!Pattern) return {};
    switch (Pattern->GetDrawMode()) {
    case dmOpaque:
        return TFillLineEvent(this, &TBitmapPolygonFiller::FillLineOpaque);
    case dmBlend:
        return Pattern->GetMasterAlpha() == 255
                   ? TFillLineEvent(this, &TBitmapPolygonFiller::FillLineBlend)
                   : TFillLineEvent(this, &TBitmapPolygonFiller::FillLineBlendMasterAlpha);
    case dmCustom:
        if (Pattern->OnPixelCombine)
            return TFillLineEvent(this, &TBitmapPolygonFiller::FillLineCustomCombine);
        return {};
    case dmTransparent:
        return {};
    }
    return {};
}

namespace {

// The remainder of A by B (B > 0), never negative.
int PatternIndex(int A, int B) {
    const int r = A % B;
    return r < 0 ? r + B : r;
}

} // namespace

template <typename TWrite>
void TBitmapPolygonFiller::ForSpan(TColor32* Dst, int DstX, int DstY, int Length,
                                   const Cardinal* AlphaValues, TWrite Write) {
    if (Length < 1 || Pattern->Empty()) return;
    const int width = Pattern->GetWidth();
    int px = PatternIndex(DstX - OffsetX, width);
    const TColor32* row = Pattern->GetScanLine(PatternIndex(DstY - OffsetY, Pattern->GetHeight()));
    for (int i = 0; i < Length; ++i) {
        Write(Dst[i], row[px], AlphaValues ? int(AlphaValues[i]) : -1);
        if (++px == width) px = 0;
    }
    EMMS();
}

void TBitmapPolygonFiller::FillLineOpaque(TColor32* Dst, int DstX, int DstY, int Length,
                                          const Cardinal* AlphaValues) {
    const TBlendMemEx blend = BLEND_MEM_EX[Pattern->GetCombineMode()];
    ForSpan(Dst, DstX, DstY, Length, AlphaValues, [blend](TColor32& D, TColor32 P, int A) {
        if (A < 0)
            D = P;
        else
            blend(P | 0xFF000000, D, Byte(A));
    });
}

void TBitmapPolygonFiller::FillLineBlend(TColor32* Dst, int DstX, int DstY, int Length,
                                         const Cardinal* AlphaValues) {
    const TBlendMem blend = BLEND_MEM[Pattern->GetCombineMode()];
    const TBlendMemEx blendEx = BLEND_MEM_EX[Pattern->GetCombineMode()];
    ForSpan(Dst, DstX, DstY, Length, AlphaValues, [=](TColor32& D, TColor32 P, int A) {
        if (A < 0)
            blend(P, D);
        else
            blendEx(P, D, Byte(A));
    });
}

void TBitmapPolygonFiller::FillLineBlendMasterAlpha(TColor32* Dst, int DstX, int DstY, int Length,
                                                    const Cardinal* AlphaValues) {
    const TBlendMemEx blend = BLEND_MEM_EX[Pattern->GetCombineMode()];
    const int master = int(Pattern->GetMasterAlpha());
    ForSpan(Dst, DstX, DstY, Length, AlphaValues, [=](TColor32& D, TColor32 P, int A) {
        blend(P, D, Byte(A < 0 ? master : A * master / 255));
    });
}

void TBitmapPolygonFiller::FillLineCustomCombine(TColor32* Dst, int DstX, int DstY, int Length,
                                                 const Cardinal* AlphaValues) {
    const TPixelCombineEvent combine = Pattern->OnPixelCombine;
    const int master = int(Pattern->GetMasterAlpha());
    ForSpan(Dst, DstX, DstY, Length, AlphaValues, [&](TColor32& D, TColor32 P, int A) {
        combine(P, D, Cardinal(A < 0 ? master : A * master / 255));
    });
}

} // namespace Bmp32

// The antialiased polygon fill (coverage on a sub-sample grid, resolved per pixel row through a
// difference array) and the pattern filler.
#include "bitmap32/Bmp32_Polygons.h"

#include "bitmap32/Bmp32_Blend.h"
#include "bitmap32/Bmp32_PolygonsCrossings.h"

#include <algorithm>
#include <climits>
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

// The coverage of every pixel row of a sorted sub-sample crossing table, handed to Row(first
// cell, pixel row, coverage alphas (uncut), cell count) for the cells left of MaxRight.
template <typename TRow>
void ResolveCoverage(TScratch& Scratch, TPolyFillMode Mode, const TAntialiasTable& AA,
                     int MaxRight, TRow Row) {
    const TCrossingTable& Table = Scratch.Table;
    std::vector<int>& coverage = Scratch.Coverage;
    std::vector<Cardinal>& alphas = Scratch.Alphas;
    const int k = AA.Shift, mask = AA.Samples - 1;
    const int base = Table.BaseY(), rows = Table.RowCount();
    for (int y = base >> k; y < (rows + base + mask) >> k; ++y) {
        const int first = std::max(y * AA.Samples - base, 0);
        const int last = std::min(y * AA.Samples - base + mask, rows - 1);
        Int64 minX = 0x7F000000, maxX = -0x7F000000;
        for (int r = first; r <= last; ++r) {
            const std::span<const Cardinal> row = Table.Row(r);
            if (row.size() < 2) continue;
            minX = std::min(minX, PositionOf(row.front()));
            maxX = std::max(maxX, PositionOf(row.back()) + mask);
        }
        if (maxX < minX) continue;
        const int firstCell = int(minX >> k);
        const int count = int(maxX >> k) - firstCell + 2;
        if (int(coverage.size()) < count) {
            coverage.resize(std::size_t(count) + 64);
            alphas.resize(coverage.size());
        }
        std::fill(coverage.begin(), coverage.begin() + count, 0);
        auto edge = [&](Int64 X, int Sign) {
            const int cell = int(X >> k) - firstCell;
            coverage[std::size_t(cell)] += Sign * (mask - int(X & mask));
            coverage[std::size_t(cell) + 1] += Sign * int(X & mask);
        };
        for (int r = first; r <= last; ++r) {
            const std::span<const Cardinal> row = Table.Row(r);
            if (Mode == pfAlternate) {
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
        const int length = std::min(count, MaxRight - firstCell);
        if (length <= 0) continue;
        int sum = 0;
        for (int i = 0; i < length; ++i) {
            sum += coverage[std::size_t(i)];
            alphas[std::size_t(i)] = Cardinal(sum * AA.Multiplier) >> 8;
        }
        Row(firstCell, y, alphas.data(), length);
    }
}

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
        vertices.resize(std::size_t(std::count_if(
            Lines.begin(), Lines.end(), [](const TArrayOfFixedPoint& Line) { return Line.size() > 2; })));
        std::size_t lineIndex = 0;
        int minY = INT_MAX, maxY = INT_MIN;
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
        scratch.Table.Reset(minY, maxY, Int64(clip.Left) * aa.Samples,
                            Int64(clip.Right) * aa.Samples - 1);
        scratch.Table.Build(vertices, 1, Mode);
        Bitmap->BeginUpdate();
        try {
            if (Callback) {
                ResolveCoverage(scratch, Mode, aa, clip.Right,
                                [&](int X, int Y, const Cardinal* Alphas, int Length) {
                                    Callback(Bitmap->GetPixelPtr(X, Y), X, Y, Length, Alphas);
                                    EMMS();
                                });
            } else {
                const TBlendLineEx blendLine = BLEND_LINE_EX[Bitmap->GetCombineMode()];
                const Byte master = Byte(AlphaComponent(Color));
                std::vector<TColor32>& colors = scratch.Colors;
                ResolveCoverage(scratch, Mode, aa, clip.Right,
                                [&](int X, int Y, const Cardinal* Alphas, int Length) {
                                    colors.resize(std::max(colors.size(), std::size_t(Length)));
                                    for (int i = 0; i < Length; ++i)
                                        colors[std::size_t(i)] = (Color & 0x00FFFFFF) | (Alphas[i] & 0xFF) << 24;
                                    blendLine(colors.data(), Bitmap->GetPixelPtr(X, Y), Length, master);
                                    EMMS();
                                });
            }
        } catch (...) {
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
    FillAntialiased(Bitmap, std::span(&Points, 1), Color, {}, Mode, AntialiasMode, Transformation, true);
}

void PolygonXS(TBitmap32* Bitmap, const TArrayOfFixedPoint& Points,
               const TFillLineEvent& FillLineCallback, TPolyFillMode Mode,
               TAntialiasMode AntialiasMode, TTransformation* Transformation) {
    FillAntialiased(Bitmap, std::span(&Points, 1), 0, FillLineCallback, Mode, AntialiasMode, Transformation, true);
}

void PolygonXS(TBitmap32* Bitmap, const TArrayOfFixedPoint& Points, TCustomPolygonFiller* Filler,
               TPolyFillMode Mode, TAntialiasMode AntialiasMode, TTransformation* Transformation) {
    PolygonXS(Bitmap, Points, FillLineOf(Filler), Mode, AntialiasMode, Transformation);
}

void PolyPolygonXS(TBitmap32* Bitmap, const TArrayOfArrayOfFixedPoint& Points, TColor32 Color,
                   TPolyFillMode Mode, TAntialiasMode AntialiasMode, TTransformation* Transformation) {
    FillAntialiased(Bitmap, Points, Color, {}, Mode, AntialiasMode, Transformation, false);
}

void PolyPolygonXS(TBitmap32* Bitmap, const TArrayOfArrayOfFixedPoint& Points,
                   const TFillLineEvent& FillLineCallback, TPolyFillMode Mode,
                   TAntialiasMode AntialiasMode, TTransformation* Transformation) {
    FillAntialiased(Bitmap, Points, 0, FillLineCallback, Mode, AntialiasMode, Transformation, false);
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
    case dmOpaque: return TFillLineEvent(this, &TBitmapPolygonFiller::FillLineOpaque);
    case dmBlend:
        return Pattern->GetMasterAlpha() == 255
                   ? TFillLineEvent(this, &TBitmapPolygonFiller::FillLineBlend)
                   : TFillLineEvent(this, &TBitmapPolygonFiller::FillLineBlendMasterAlpha);
    case dmCustom:
        if (Pattern->OnPixelCombine) return TFillLineEvent(this, &TBitmapPolygonFiller::FillLineCustomCombine);
        return {};
    case dmTransparent: return {};
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

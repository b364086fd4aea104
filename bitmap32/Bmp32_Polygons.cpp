#include "bitmap32/Bmp32_Polygons.h"

#include "bitmap32/Bmp32_Blend.h"
#include "bitmap32/Bmp32_Math.h"
#include "bitmap32/Bmp32_PolygonsCrossings.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <span>
#include <utility>

namespace Bmp32 {

namespace {

void Widen(TFixedRect& R, const TArrayOfFixedPoint& Points) {
    for (const TFixedPoint& p : Points) {
        R.Left = std::min(R.Left, p.X);
        R.Right = std::max(R.Right, p.X);
        R.Top = std::min(R.Top, p.Y);
        R.Bottom = std::max(R.Bottom, p.Y);
    }
}

constexpr TFixedRect EmptyBounds{0x7F000000, 0x7F000000, -0x7F000000, -0x7F000000};

int RoundVertex(TFixed V) {
    return int((Int64(V) + 0x7FFF) >> 16);
}

TFixedPoint Mapped(const TFixedPoint& P, TTransformation* Transformation) {
    return Transformation ? Transformation->Transform(P) : P;
}

// Sub-pixel position to pixel: halves and above round up.
int PixelOf(Int64 Position) {
    return int(Position >> 8) + ((Position & 0xFF) >= 128 ? 1 : 0);
}

// Calls Span(Left, Right, Y) for every span of the sorted table.
template <typename F>
void FillRows(const TCrossingTable& Table, TPolyFillMode Mode, int MaxRight, F Span) {
    for (int j = 0; j < Table.RowCount(); ++j) {
        const std::span<const Cardinal> row = Table.Row(j);
        if (row.empty()) continue;
        const int y = Table.BaseY() + j;
        if (Mode == pfAlternate) {
            int oldRight = -1;
            for (std::size_t k = 0; k + 1 < row.size(); k += 2) {
                const Int64 left = PositionOf(row[k]);
                const Int64 right = PositionOf(row[k + 1]) - 1;
                if (right <= left) continue;
                int l = PixelOf(left);
                const int r = std::min(PixelOf(right), MaxRight);
                if (l <= oldRight) l = oldRight + 1;
                oldRight = r;
                if (r >= l) Span(l, r, y);
            }
        } else {
            int winding = WindingOf(row[0]);
            Int64 left = PositionOf(row[0]);
            for (std::size_t k = 1; k < row.size(); ++k) {
                const Int64 right = PositionOf(row[k]);
                if (winding != 0) {
                    const int l = PixelOf(left), r = std::min(PixelOf(right), MaxRight);
                    if (r >= l) Span(l, r, y);
                }
                winding += WindingOf(row[k]);
                left = right;
            }
        }
    }
}

// The aliased fill of several poly-lines as one shape, in Color or through Callback (when
// it is assigned). A Single polygon in a transparent colour does nothing.
void FillShape(TBitmap32* Bitmap, std::vector<const TArrayOfFixedPoint*> Lines, TColor32 Color,
               const TFillLineEvent& Callback, TPolyFillMode Mode, TTransformation* Transformation,
               bool Single) {
    if (std::none_of(Lines.begin(), Lines.end(),
                     [](const TArrayOfFixedPoint* Line) { return Line->size() >= 3; }))
        return;
    TArrayOfArrayOfFixedPoint mapped;
    if (Transformation) {
        mapped.resize(Lines.size());
        for (std::size_t i = 0; i < Lines.size(); ++i) {
            for (const TFixedPoint& p : *Lines[i])
                mapped[i].push_back(Mapped(p, Transformation));
            Lines[i] = &mapped[i];
        }
    }
    TFixedRect bounds = EmptyBounds;
    for (const TArrayOfFixedPoint* line : Lines)
        Widen(bounds, *line);
    if (!Bitmap->GetMeasuringMode()) {
        if (Single && !Callback && AlphaComponent(Color) == 0) return;
        std::vector<std::vector<TPixelVertex>> vertices(Lines.size());
        int minY = INT_MAX, maxY = INT_MIN;
        for (std::size_t i = 0; i < Lines.size(); ++i) {
            vertices[i].reserve(Lines[i]->size());
            for (const TFixedPoint& p : *Lines[i]) {
                const TPixelVertex v{RoundVertex(p.X), RoundVertex(p.Y)};
                vertices[i].push_back(v);
                minY = std::min(minY, v.Y);
                maxY = std::max(maxY, v.Y);
            }
        }
        const TRect& clip = Bitmap->GetClipRect();
        minY = std::clamp(minY, clip.Top, std::max(clip.Top, clip.Bottom));
        maxY = std::clamp(maxY, clip.Top, std::max(clip.Top, clip.Bottom));
        if (minY >= maxY) return;
        TCrossingTable table(minY, std::min(maxY, clip.Bottom - 1), Int64(clip.Left) * 256,
                             Int64(clip.Right) * 256 - 1);
        table.Build(vertices, 256, Mode);
        Bitmap->BeginUpdate();
        try {
            const int maxRight = clip.Right - 1;
            if (Callback) {
                FillRows(table, Mode, maxRight, [&](int L, int R, int Y) {
                    Callback(Bitmap->GetPixelPtr(L, Y), L, Y, R - L + 1, nullptr);
                });
                EMMS();
            } else if (AlphaComponent(Color) == 255) {
                // Short spans are written in place: the fill routine's set-up costs more.
                FillRows(table, Mode, maxRight, [&](int L, int R, int Y) {
                    TColor32* p = Bitmap->GetPixelPtr(L, Y);
                    const int last = R - L;
                    if (last < 4) {
                        // Up to four pixels without a branch on the length: some twice.
                        p[0] = Color;
                        p[last >> 1] = Color;
                        p[(last + 1) >> 1] = Color;
                        p[last] = Color;
                    } else if (last < 16) {
                        std::fill_n(p, last + 1, Color);
                    } else {
                        Bitmap->HorzLine(L, Y, R, Color);
                    }
                });
            } else {
                FillRows(table, Mode, maxRight,
                         [&](int L, int R, int Y) { Bitmap->HorzLineT(L, Y, R, Color); });
            }
        } catch (...) {
            Bitmap->EndUpdate();
            throw;
        }
        Bitmap->EndUpdate();
    }
    Bitmap->Changed(MakeRect(bounds, rrOutside), AREAINFO_RECT);
}

std::vector<const TArrayOfFixedPoint*> LinesOf(const TArrayOfArrayOfFixedPoint& Points) {
    std::vector<const TArrayOfFixedPoint*> lines;
    lines.reserve(Points.size());
    for (const TArrayOfFixedPoint& line : Points)
        lines.push_back(&line);
    return lines;
}

} // namespace

// ---- Fills --------------------------------------------------------------------------------

void PolygonTS(TBitmap32* Bitmap, const TArrayOfFixedPoint& Points, TColor32 Color,
               TPolyFillMode Mode, TTransformation* Transformation) {
    FillShape(Bitmap, {&Points}, Color, {}, Mode, Transformation, true);
}

void PolygonTS(TBitmap32* Bitmap, const TArrayOfFixedPoint& Points,
               const TFillLineEvent& FillLineCallback, TPolyFillMode Mode,
               TTransformation* Transformation) {
    FillShape(Bitmap, {&Points}, 0, FillLineCallback, Mode, Transformation, true);
}

void PolygonTS(TBitmap32* Bitmap, const TArrayOfFixedPoint& Points, TCustomPolygonFiller* Filler,
               TPolyFillMode Mode, TTransformation* Transformation) {
    PolygonTS(Bitmap, Points, FillLineOf(Filler), Mode, Transformation);
}

void PolyPolygonTS(TBitmap32* Bitmap, const TArrayOfArrayOfFixedPoint& Points, TColor32 Color,
                   TPolyFillMode Mode, TTransformation* Transformation) {
    FillShape(Bitmap, LinesOf(Points), Color, {}, Mode, Transformation, false);
}

void PolyPolygonTS(TBitmap32* Bitmap, const TArrayOfArrayOfFixedPoint& Points,
                   const TFillLineEvent& FillLineCallback, TPolyFillMode Mode,
                   TTransformation* Transformation) {
    FillShape(Bitmap, LinesOf(Points), 0, FillLineCallback, Mode, Transformation, false);
}

void PolyPolygonTS(TBitmap32* Bitmap, const TArrayOfArrayOfFixedPoint& Points,
                   TCustomPolygonFiller* Filler, TPolyFillMode Mode,
                   TTransformation* Transformation) {
    PolyPolygonTS(Bitmap, Points, FillLineOf(Filler), Mode, Transformation);
}

// ---- Poly-lines ---------------------------------------------------------------------------

namespace {

enum class TStroke { Plain, Antialiased, Fixed, Stippled };

void Stroke(TBitmap32* Bitmap, const TArrayOfFixedPoint& Points, TColor32 Color, bool Closed,
            TTransformation* Transformation, TStroke Kind) {
    const std::size_t count = Points.size();
    auto at = [&](std::size_t I) { return Mapped(Points[I], Transformation); };
    if (count == 1 && Closed && Kind != TStroke::Stippled) {
        const TFixedPoint p = at(0);
        if (Kind == TStroke::Fixed)
            Bitmap->SetPixelXS(p.X, p.Y, Color);
        else
            Bitmap->SetPixelTS(FixedRound(p.X), FixedRound(p.Y), Color);
    }
    if (count < 2) return;
    const bool blend = AlphaComponent(Color) < 255;
    auto lineTo = [&](const TFixedPoint& P) {
        switch (Kind) {
        case TStroke::Plain:
            if (blend)
                Bitmap->LineToTS(FixedRound(P.X), FixedRound(P.Y));
            else
                Bitmap->LineToS(FixedRound(P.X), FixedRound(P.Y));
            break;
        case TStroke::Antialiased: Bitmap->LineToAS(FixedRound(P.X), FixedRound(P.Y)); break;
        case TStroke::Fixed: Bitmap->LineToXS(P.X, P.Y); break;
        case TStroke::Stippled: Bitmap->LineToXSP(P.X, P.Y); break;
        }
    };
    Bitmap->BeginUpdate();
    try {
        if (Kind != TStroke::Stippled) Bitmap->SetPenColor(Color);
        const TFixedPoint first = at(0);
        if (Kind == TStroke::Plain || Kind == TStroke::Antialiased)
            Bitmap->MoveTo(FixedRound(first.X), FixedRound(first.Y));
        else
            Bitmap->MoveToX(first.X, first.Y);
        for (std::size_t i = 1; i < count; ++i)
            lineTo(at(i));
        if (Closed) lineTo(first);
    } catch (...) {
        Bitmap->EndUpdate();
        throw;
    }
    Bitmap->EndUpdate();
    Bitmap->Changed();
}

void StrokeEach(TBitmap32* Bitmap, const TArrayOfArrayOfFixedPoint& Points, TColor32 Color,
                bool Closed, TTransformation* Transformation, TStroke Kind) {
    for (const TArrayOfFixedPoint& polyline : Points)
        Stroke(Bitmap, polyline, Color, Closed, Transformation, Kind);
}

} // namespace

void PolylineTS(TBitmap32* Bitmap, const TArrayOfFixedPoint& Points, TColor32 Color, bool Closed,
                TTransformation* Transformation) {
    Stroke(Bitmap, Points, Color, Closed, Transformation, TStroke::Plain);
}

void PolylineAS(TBitmap32* Bitmap, const TArrayOfFixedPoint& Points, TColor32 Color, bool Closed,
                TTransformation* Transformation) {
    Stroke(Bitmap, Points, Color, Closed, Transformation, TStroke::Antialiased);
}

void PolylineXS(TBitmap32* Bitmap, const TArrayOfFixedPoint& Points, TColor32 Color, bool Closed,
                TTransformation* Transformation) {
    Stroke(Bitmap, Points, Color, Closed, Transformation, TStroke::Fixed);
}

void PolylineXSP(TBitmap32* Bitmap, const TArrayOfFixedPoint& Points, bool Closed,
                 TTransformation* Transformation) {
    Stroke(Bitmap, Points, 0, Closed, Transformation, TStroke::Stippled);
}

void PolyPolylineTS(TBitmap32* Bitmap, const TArrayOfArrayOfFixedPoint& Points, TColor32 Color,
                    bool Closed, TTransformation* Transformation) {
    StrokeEach(Bitmap, Points, Color, Closed, Transformation, TStroke::Plain);
}

void PolyPolylineAS(TBitmap32* Bitmap, const TArrayOfArrayOfFixedPoint& Points, TColor32 Color,
                    bool Closed, TTransformation* Transformation) {
    StrokeEach(Bitmap, Points, Color, Closed, Transformation, TStroke::Antialiased);
}

void PolyPolylineXS(TBitmap32* Bitmap, const TArrayOfArrayOfFixedPoint& Points, TColor32 Color,
                    bool Closed, TTransformation* Transformation) {
    StrokeEach(Bitmap, Points, Color, Closed, Transformation, TStroke::Fixed);
}

void PolyPolylineXSP(TBitmap32* Bitmap, const TArrayOfArrayOfFixedPoint& Points, bool Closed,
                     TTransformation* Transformation) {
    StrokeEach(Bitmap, Points, 0, Closed, Transformation, TStroke::Stippled);
}

// ---- Bounds and point test ----------------------------------------------------------------

TFixedRect PolygonBounds(const TArrayOfFixedPoint& Points) {
    TFixedRect r = EmptyBounds;
    Widen(r, Points);
    return r;
}

TFixedRect PolyPolygonBounds(const TArrayOfArrayOfFixedPoint& Points) {
    TFixedRect r = EmptyBounds;
    for (const TArrayOfFixedPoint& polyline : Points)
        Widen(r, polyline);
    return r;
}

bool PtInPolygon(const TFixedPoint& Pt, const TArrayOfFixedPoint& Points) {
    bool result = false;
    if (Points.empty()) return result;
    std::size_t j = Points.size() - 1;
    for (std::size_t i = 0; i < Points.size(); ++i) {
        const TFixedPoint& pi = Points[i];
        const TFixedPoint& pj = Points[j];
        if ((Pt.Y >= pi.Y) != (Pt.Y >= pj.Y) &&
            MulDiv(pj.X - pi.X, Pt.Y - pi.Y, pj.Y - pi.Y) > Pt.X - pi.X)
            result = !result;
        j = i;
    }
    return result;
}

// ---- TPolygon32 ---------------------------------------------------------------------------

TPolygon32::TPolygon32() {
    NewLine();
}

TPolygon32::~TPolygon32() {
    Clear();
}

void TPolygon32::Add(const TFixedPoint& P) {
    FPoints.back().push_back(P);
    FNormals.clear();
}

void TPolygon32::AddPoints(const TFixedPoint* First, int Count) {
    if (Count > 0) FPoints.back().insert(FPoints.back().end(), First, First + Count);
    FNormals.clear();
}

void TPolygon32::NewLine() {
    FPoints.emplace_back();
    FNormals.clear();
}

void TPolygon32::Clear() {
    FPoints.clear();
    FNormals.clear();
    NewLine();
}

void TPolygon32::Offset(TFixed Dx, TFixed Dy) {
    for (TArrayOfFixedPoint& polyline : FPoints)
        for (TFixedPoint& p : polyline) {
            p.X = TFixed(Cardinal(p.X) + Cardinal(Dx));
            p.Y = TFixed(Cardinal(p.Y) + Cardinal(Dy));
        }
}

void TPolygon32::Transform(TTransformation* Transformation) {
    for (TArrayOfFixedPoint& polyline : FPoints)
        for (TFixedPoint& p : polyline)
            p = Mapped(p, Transformation);
}

bool TPolygon32::ContainsPoint(const TFixedPoint& P) const {
    return std::any_of(FPoints.begin(), FPoints.end(),
                       [&P](const TArrayOfFixedPoint& Polyline) { return PtInPolygon(P, Polyline); });
}

void TPolygon32::AssignProperties(TPolygon32* Dest) {
    Dest->FAntialiased = FAntialiased;
    Dest->FAntialiasMode = FAntialiasMode;
    Dest->FClosed = FClosed;
    Dest->FFillMode = FFillMode;
}

void TPolygon32::AssignTo(TPersistent* Dest) {
    if (auto* polygon = dynamic_cast<TPolygon32*>(Dest)) {
        AssignProperties(polygon);
        polygon->FNormals = FNormals;
        polygon->FPoints = FPoints;
    } else {
        TThreadPersistent::AssignTo(Dest);
    }
}

template <typename F> void TPolygon32::Bracketed(TBitmap32* Bitmap, F Action) {
    Bitmap->BeginUpdate();
    try {
        Action();
    } catch (...) {
        Bitmap->EndUpdate();
        throw;
    }
    Bitmap->EndUpdate();
    Bitmap->Changed();
}

void TPolygon32::FillInColor(TBitmap32* Bitmap, TColor32 Color, TTransformation* Transformation) {
    if (FAntialiased)
        PolyPolygonXS(Bitmap, FPoints, Color, FFillMode, FAntialiasMode, Transformation);
    else
        PolyPolygonTS(Bitmap, FPoints, Color, FFillMode, Transformation);
}

void TPolygon32::StrokeOutline(TBitmap32* Bitmap, TColor32 Color, TTransformation* Transformation) {
    if (FAntialiased)
        PolyPolylineXS(Bitmap, FPoints, Color, FClosed, Transformation);
    else
        PolyPolylineTS(Bitmap, FPoints, Color, FClosed, Transformation);
}

void TPolygon32::Draw(TBitmap32* Bitmap, TColor32 OutlineColor, TColor32 FillColor,
                      TTransformation* Transformation) {
    Bracketed(Bitmap, [&] {
        if (AlphaComponent(FillColor) != 0) FillInColor(Bitmap, FillColor, Transformation);
        if (AlphaComponent(OutlineColor) != 0) StrokeOutline(Bitmap, OutlineColor, Transformation);
    });
}

void TPolygon32::Draw(TBitmap32* Bitmap, TColor32 OutlineColor, const TFillLineEvent& FillCallback,
                      TTransformation* Transformation) {
    Bracketed(Bitmap, [&] {
        DrawFill(Bitmap, FillCallback, Transformation);
        if (AlphaComponent(OutlineColor) != 0) StrokeOutline(Bitmap, OutlineColor, Transformation);
    });
}

void TPolygon32::Draw(TBitmap32* Bitmap, TColor32 OutlineColor, TCustomPolygonFiller* Filler,
                      TTransformation* Transformation) {
    Draw(Bitmap, OutlineColor, FillLineOf(Filler), Transformation);
}

void TPolygon32::DrawEdge(TBitmap32* Bitmap, TColor32 Color, TTransformation* Transformation) {
    Bracketed(Bitmap, [&] { StrokeOutline(Bitmap, Color, Transformation); });
}

void TPolygon32::DrawFill(TBitmap32* Bitmap, TColor32 Color, TTransformation* Transformation) {
    Bracketed(Bitmap, [&] { FillInColor(Bitmap, Color, Transformation); });
}

void TPolygon32::DrawFill(TBitmap32* Bitmap, const TFillLineEvent& FillCallback,
                          TTransformation* Transformation) {
    Bracketed(Bitmap, [&] {
        if (FAntialiased)
            PolyPolygonXS(Bitmap, FPoints, FillCallback, FFillMode, FAntialiasMode, Transformation);
        else
            PolyPolygonTS(Bitmap, FPoints, FillCallback, FFillMode, Transformation);
    });
}

void TPolygon32::DrawFill(TBitmap32* Bitmap, TCustomPolygonFiller* Filler,
                          TTransformation* Transformation) {
    DrawFill(Bitmap, FillLineOf(Filler), Transformation);
}

void TPolygon32::BuildNormals() {
    if (!FNormals.empty()) return;
    FNormals.resize(FPoints.size());
    for (std::size_t j = 0; j < FPoints.size(); ++j) {
        const TArrayOfFixedPoint& p = FPoints[j];
        TArrayOfFixedPoint& n = FNormals[j];
        const std::size_t count = p.size();
        n.resize(count);
        if (count < 2) continue; // one vertex: the normal (0, 0)
        std::size_t next = 1;
        float dx = 0, dy = 0;
        for (std::size_t i = 0; i < count; ++i) {
            if (FClosed && next >= count) next = 0;
            if (next < count) {
                dx = float((double(p[next].X) - p[i].X) / 65536);
                dy = float((double(p[next].Y) - p[i].Y) / 65536);
            }
            if (dx != 0 || dy != 0) {
                const float length = std::hypot(dx, dy);
                dx /= length;
                dy /= length;
            }
            n[i] = {Fixed(dy), Fixed(-dx)};
            ++next;
        }
    }
}

TPolygon32* TPolygon32::Grow(TFixed Delta, float EdgeSharpness) {
    BuildNormals();
    EdgeSharpness = std::clamp(EdgeSharpness, 0.0f, 0.99f);
    const int threshold = RoundToInt((1 - double(EdgeSharpness)) * Delta);
    auto* result = new TPolygon32;
    AssignProperties(result);
    if (Delta == 0) {
        result->FPoints = FPoints;
        return result;
    }
    result->FPoints.clear();
    auto scaled = [Delta](const TFixedPoint& N) {
        return TFixedPoint{MulDiv(N.X, Delta, 0x10000), MulDiv(N.Y, Delta, 0x10000)};
    };
    auto plus = [](const TFixedPoint& A, const TFixedPoint& B) {
        return TFixedPoint{TFixed(Cardinal(A.X) + Cardinal(B.X)), TFixed(Cardinal(A.Y) + Cardinal(B.Y))};
    };
    for (std::size_t j = 0; j < FPoints.size(); ++j) {
        const TArrayOfFixedPoint& points = FPoints[j];
        const TArrayOfFixedPoint& normals = FNormals[j];
        const std::size_t count = points.size();
        if (count < 2) continue;
        result->NewLine();
        for (std::size_t i = 0; i < count; ++i) {
            const TFixedPoint& p = points[i];
            const TFixedPoint d1 = scaled(normals[i]);
            if (i == 0 && !FClosed) {
                result->Add(plus(p, d1));
                continue;
            }
            const TFixedPoint d0 = scaled(normals[i == 0 ? count - 1 : i - 1]);
            if (i == count - 1 && !FClosed) {
                result->Add(plus(p, d0));
                continue;
            }
            const TFixedPoint s = plus(d0, d1);
            const int r = MulDiv(d0.X, s.X, Delta) + MulDiv(d0.Y, s.Y, Delta);
            // A corner that turns right back (r = 0) has no mitre point: bevel it.
            if (r <= threshold || r == 0) {
                result->Add(plus(p, d0));
                result->Add(plus(p, d1));
            } else {
                result->Add(plus(p, {MulDiv(s.X, Delta, r), MulDiv(s.Y, Delta, r)}));
            }
        }
    }
    if (result->FPoints.empty()) result->NewLine();
    return result;
}

TPolygon32* TPolygon32::Outline() {
    auto* result = new TPolygon32;
    AssignProperties(result);
    result->FPoints.clear();
    for (const TArrayOfFixedPoint& points : FPoints) {
        if (points.size() < 2) continue;
        TArrayOfFixedPoint reversed(points.rbegin(), points.rend());
        if (FClosed) {
            result->FPoints.push_back(points);
            result->FPoints.push_back(std::move(reversed));
        } else {
            TArrayOfFixedPoint there = points;
            there.insert(there.end(), reversed.begin(), reversed.end());
            result->FPoints.push_back(std::move(there));
        }
    }
    if (result->FPoints.empty()) result->NewLine();
    return result;
}

} // namespace Bmp32

DEFINE_UNIT(Bmp32_Polygons, uoBmp32Polygons, nullptr, nullptr);

// The rasterizer base (clipping, writers, update balance) and the five visiting orders.
#include "bitmap32/Bmp32_Rasterizers.h"

#include "bitmap32/Bmp32_OrdinalMaps.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <vector>

namespace Bmp32 {

TRasterizerClass DefaultRasterizerClass = MakeRasterizer<TRegularRasterizer>;

TCombineInfo CombineInfo(const TBitmap32& Bitmap) {
    TCombineInfo info;
    info.SrcAlpha = int(Bitmap.GetMasterAlpha());
    info.DrawMode = Bitmap.GetDrawMode();
    info.CombineMode = Bitmap.GetCombineMode();
    info.CombineCallback = Bitmap.OnPixelCombine;
    info.TransparentColor = Bitmap.GetOuterColor();
    if (info.DrawMode == dmCustom && !info.CombineCallback) info.DrawMode = dmOpaque;
    return info;
}

// ---- TRasterizer ----------------------------------------------------------------------------

void TRasterizer::SetSampler(TCustomSampler* Value) {
    if (Value == FSampler) return;
    FSampler = Value;
    Changed();
}

void TRasterizer::Rasterize(TBitmap32* Dst) {
    Rasterize(Dst, Dst->BoundsRect());
}

void TRasterizer::Rasterize(TBitmap32* Dst, const TRect& DstRect) {
    Rasterize(Dst, DstRect, TCombineInfo());
}

void TRasterizer::Rasterize(TBitmap32* Dst, const TRect& DstRect, const TBitmap32& Src) {
    Rasterize(Dst, DstRect, CombineInfo(Src));
}

void TRasterizer::Rasterize(TBitmap32* Dst, const TRect& DstRect, const TCombineInfo& Info) {
    FTransparentColor = Info.TransparentColor;
    Rasterize(Dst, DstRect, Info.SrcAlpha, Info.DrawMode, Info.CombineMode, Info.CombineCallback);
}

void TRasterizer::Rasterize(TBitmap32* Dst, const TRect& DstRect, int SrcAlpha,
                            TDrawMode DstMode, TCombineMode CombineMode,
                            const TPixelCombineEvent& CombineCallback) {
    FSrcAlpha = SrcAlpha;
    FBlendMemEx = BLEND_MEM_EX[CombineMode];
    FCombineCallback = CombineCallback;
    switch (DstMode) {
    case dmOpaque: FAssignColor = &TRasterizer::AssignColorOpaque; break;
    case dmBlend: FAssignColor = &TRasterizer::AssignColorBlend; break;
    case dmTransparent: FAssignColor = &TRasterizer::AssignColorTransparent; break;
    case dmCustom:
        FAssignColor = CombineCallback ? &TRasterizer::AssignColorCustom
                                       : &TRasterizer::AssignColorBlend;
        break;
    }
    const int updateCount = Dst->GetUpdateCount();
    if (!FSampler) return;
    FSampler->PrepareSampling();
    try {
        TRect r;
        IntersectRect(r, DstRect, Dst->BoundsRect());
        if (FSampler->HasBounds()) IntersectRect(r, r, FSampler->GetSampleBounds());
        if (!IsRectEmpty(r)) DoRasterize(Dst, r);
    } catch (...) {
        while (Dst->GetUpdateCount() > updateCount)
            Dst->EndUpdate();
        FSampler->FinalizeSampling();
        throw;
    }
    while (Dst->GetUpdateCount() > updateCount)
        Dst->EndUpdate();
    FSampler->FinalizeSampling();
}

void TRasterizer::AnnounceDirectly(TBitmap32* Dst, const TRect& Area) {
    Dst->OnAreaChanged(Dst, Area, AREAINFO_RECT);
}

void TRasterizer::AssignColorOpaque(TColor32& Dst, TColor32 Src) {
    Dst = Src;
}

void TRasterizer::AssignColorBlend(TColor32& Dst, TColor32 Src) {
    FBlendMemEx(Src, Dst, Byte(FSrcAlpha));
    EMMS();
}

void TRasterizer::AssignColorTransparent(TColor32& Dst, TColor32 Src) {
    if (Src != FTransparentColor) Dst = Src;
}

void TRasterizer::AssignColorCustom(TColor32& Dst, TColor32 Src) {
    FCombineCallback(Src, Dst, Cardinal(FSrcAlpha));
}

// ---- TRegularRasterizer ---------------------------------------------------------------------

void TRegularRasterizer::DoRasterize(TBitmap32* Dst, const TRect& DstRect) {
    int rows = 0;
    for (int y = DstRect.Top; y < DstRect.Bottom; ++y) {
        for (int x = DstRect.Left; x < DstRect.Right; ++x)
            WritePixel(Dst, x, y);
        if (++rows == FUpdateRowCount) {
            Announce(Dst, {DstRect.Left, y - rows + 1, DstRect.Right, y + 1});
            rows = 0;
        }
    }
    if (rows > 0) Announce(Dst, {DstRect.Left, DstRect.Bottom - rows, DstRect.Right, DstRect.Bottom});
}

// ---- TSwizzlingRasterizer -------------------------------------------------------------------

void TSwizzlingRasterizer::SetBlockSize(int Value) {
    if (Value == FBlockSize) return;
    FBlockSize = Value;
    Changed();
}

namespace {

// The Z-order walk over a W x H rectangle; T[i] is the number of trailing zero bits of the
// even i >= 2, 0 for the others.
class TZOrder {
public:
    TZOrder(int W, int H) : FWidth(W), FHeight(H) {
        const int b = std::bit_width(unsigned(std::max(W, H))) - 1;
        FTable.assign((std::size_t(1) << (b + 1)) + 1, 0);
        for (std::size_t i = 2; i < FTable.size(); i += 2)
            FTable[i] = FTable[i / 2] + 1;
    }

    TPoint Next(int X, int Y) const {
        for (;;) {
            const int tx = Zeros(X + 1), ty = Zeros(Y + 1);
            TPoint n;
            if (ty < tx) {
                n = {X + 1 - (1 << (ty + 1)), Y + 1};
            } else {
                n = {X + 1, Y + 1 - (1 << tx)};
            }
            if (n.Y >= FHeight) {
                Y += 1 << ty;
            } else if (n.X >= FWidth) {
                X += 1 << tx;
            } else {
                return n;
            }
        }
    }

private:
    int Zeros(int I) const {
        if (std::size_t(I) < FTable.size()) return FTable[I];
        return I % 2 == 0 && I >= 2 ? std::countr_zero(unsigned(I)) : 0;
    }
    int FWidth, FHeight;
    std::vector<int> FTable;
};

} // namespace

void TSwizzlingRasterizer::DoRasterize(TBitmap32* Dst, const TRect& DstRect) {
    const int w = DstRect.Right - DstRect.Left, h = DstRect.Bottom - DstRect.Top;
    const TZOrder order(w, h);
    const int step = 1 << FBlockSize;
    TPoint corner{DstRect.Left + step, DstRect.Top + step};
    TPoint current{-1, 0};
    const long long count = (long long)w * h;
    for (long long i = 0; i < count; ++i) {
        current = order.Next(current.X, current.Y);
        const TPoint p{DstRect.Left + current.X, DstRect.Top + current.Y};
        WritePixel(Dst, p.X, p.Y);
        if (p.X >= corner.X || p.Y >= corner.Y) {
            Announce(Dst, {corner.X - step, corner.Y - step, corner.X, corner.Y});
            corner = {p.X + step, p.Y + step};
        }
    }
    Announce(Dst, {corner.X - step, corner.Y - step, corner.X, corner.Y});
}

// ---- TProgressiveRasterizer -----------------------------------------------------------------

void TProgressiveRasterizer::SetSteps(int Value) {
    if (Value == FSteps) return;
    FSteps = Value;
    Changed();
}

void TProgressiveRasterizer::SetUpdateRows(bool Value) {
    if (Value == FUpdateRows) return;
    FUpdateRows = Value;
    Changed();
}

void TProgressiveRasterizer::DoRasterize(TBitmap32* Dst, const TRect& DstRect) {
    const bool doUpdate = Dst->GetUpdateCount() == 0 && bool(Dst->OnAreaChanged);
    Dst->BeginUpdate();
    const int left = DstRect.Left, top = DstRect.Top, right = DstRect.Right, bottom = DstRect.Bottom;
    const int w = right - left, h = bottom - top;
    int step = 1 << FSteps;
    int shift = FSteps;
    auto fill = [&](int X, int Y, int X2, int Y2) { Dst->FillRect(X, Y, X2, Y2, Sample(X, Y)); };
    auto endRow = [&](int Y, int Y2) {
        if (doUpdate && FUpdateRows) AnnounceDirectly(Dst, {left, Y, right, Y2});
    };
    auto endPass = [&] {
        if (doUpdate && !FUpdateRows) AnnounceDirectly(Dst, DstRect);
    };

    for (int y = top; y < bottom; y += step) {
        const int y2 = std::min(y + step, bottom);
        int x = left;
        for (; x < right - step; x += step)
            fill(x, y, x + step, y2);
        fill(x, y, right, y2);
        endRow(y, y2);
    }
    endPass();

    while (step > 1) {
        --shift;
        step /= 2;
        // A rectangle narrower than a block still has its one block per row.
        const int cols = std::max(w / step - 1, 0);
        for (int j = 0; j <= h / step; ++j) {
            const int y = top + (j << shift);
            if (y >= bottom) break;
            const int y2 = std::min(y + step, bottom);
            for (int i = (j % 2 == 0) ? 1 : 0; i < cols; i += (j % 2 == 0) ? 2 : 1) {
                const int x = left + (i << shift);
                fill(x, y, x + step, y2);
            }
            fill(left + (cols << shift), y, right, y2);
            endRow(y, y2);
        }
        endPass();
    }
    Dst->EndUpdate();
}

// ---- TTesseralRasterizer --------------------------------------------------------------------

void TTesseralRasterizer::SplitVertically(TBitmap32* Dst, int X, int Y, int W, int H) {
    const int half = W / 2;
    if (half <= 0) return;
    const int x2 = X + half;
    for (int y = Y + 1; y < Y + H; ++y)
        WritePixel(Dst, x2, y);
    Announce(Dst, {x2, Y + 1, x2 + 1, Y + H});
    SplitHorizontally(Dst, X, Y, half, H);
    SplitHorizontally(Dst, x2, Y, W - half, H);
}

void TTesseralRasterizer::SplitHorizontally(TBitmap32* Dst, int X, int Y, int W, int H) {
    const int half = H / 2;
    if (half <= 0) return;
    const int y2 = Y + half;
    for (int x = X + 1; x < X + W; ++x)
        WritePixel(Dst, x, y2);
    Announce(Dst, {X + 1, y2, X + W, y2 + 1});
    SplitVertically(Dst, X, Y, W, half);
    SplitVertically(Dst, X, y2, W, H - half);
}

void TTesseralRasterizer::DoRasterize(TBitmap32* Dst, const TRect& DstRect) {
    for (int x = DstRect.Left; x < DstRect.Right; ++x)
        WritePixel(Dst, x, DstRect.Top);
    Announce(Dst, {DstRect.Left, DstRect.Top, DstRect.Right, DstRect.Top + 1});
    for (int y = DstRect.Top; y < DstRect.Bottom; ++y)
        WritePixel(Dst, DstRect.Left, y);
    Announce(Dst, {DstRect.Left, DstRect.Top, DstRect.Left + 1, DstRect.Bottom});
    const int w = DstRect.Right - DstRect.Left, h = DstRect.Bottom - DstRect.Top;
    if (w > h)
        SplitVertically(Dst, DstRect.Left, DstRect.Top, w, h);
    else
        SplitHorizontally(Dst, DstRect.Left, DstRect.Top, w, h);
}

// ---- TContourRasterizer ---------------------------------------------------------------------

void TContourRasterizer::DoRasterize(TBitmap32* Dst, const TRect& DstRect) {
    static constexpr TPoint Directions[4] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};
    const int w = DstRect.Right - DstRect.Left, h = DstRect.Bottom - DstRect.Top;
    TBooleanMap visited;
    visited.SetSize(w, h);
    visited.Clear(0);
    int direction = 1;
    TPoint current{DstRect.Left, DstRect.Top};
    TColor32 last = Sample(current.X, current.Y);
    AssignColor(*Dst->GetPixelPtr(current.X, current.Y), last);
    TRect dirty{current.X, current.Y, current.X + 1, current.Y + 1};
    long long scan = 0;
    const long long cells = (long long)w * h;
    for (;;) {
        int best = INT_MAX, bestDirection = -1;
        for (const int turn : {0, 3, 1}) {
            const int d = (direction + turn) % 4;
            const TPoint p{current.X + Directions[d].X, current.Y + Directions[d].Y};
            if (p.X < DstRect.Left || p.X >= DstRect.Right || p.Y < DstRect.Top ||
                p.Y >= DstRect.Bottom || visited.GetValue(p.X - DstRect.Left, p.Y - DstRect.Top))
                continue;
            const TColor32 color = Sample(p.X, p.Y);
            const int diff = Intensity(ColorSub(color, last));
            EMMS();
            if (turn == 0 || diff < best) {
                best = diff;
                bestDirection = d;
            }
            AssignColor(*Dst->GetPixelPtr(p.X, p.Y), color);
            visited.SetValue(p.X - DstRect.Left, p.Y - DstRect.Top, true);
            dirty = {std::min(dirty.Left, p.X), std::min(dirty.Top, p.Y),
                     std::max(dirty.Right, p.X + 1), std::max(dirty.Bottom, p.Y + 1)};
        }
        if (bestDirection >= 0) {
            direction = bestDirection;
            current = {current.X + Directions[direction].X, current.Y + Directions[direction].Y};
            last = Dst->GetPixel(current.X, current.Y);
            continue;
        }
        Announce(Dst, dirty);
        while (scan < cells && visited.GetValue(int(scan % w), int(scan / w)))
            ++scan;
        if (scan >= cells) return;
        visited.SetValue(int(scan % w), int(scan / w), true);
        current = {DstRect.Left + int(scan % w), DstRect.Top + int(scan / w)};
        last = Sample(current.X, current.Y);
        AssignColor(*Dst->GetPixelPtr(current.X, current.Y), last);
        dirty = {current.X, current.Y, current.X + 1, current.Y + 1};
    }
}

} // namespace Bmp32

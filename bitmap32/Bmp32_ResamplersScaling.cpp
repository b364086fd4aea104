// The stretching algorithms of the resamplers: nearest neighbour, separable kernel
// resampling over weight maps, the bilinear stretch and the block-average shrink.
#include "bitmap32/Bmp32_Resamplers.h"

#include "bitmap32/Bmp32_LowLevel.h"

#include <algorithm>
#include <cmath>

namespace Bmp32 {

namespace {

// DstClip cut to Dst and DstRect; false when nothing is left to draw.
bool ClipDestination(const TBitmap32& Dst, const TRect& DstRect, TRect& DstClip) {
    IntersectRect(DstClip, DstClip, Dst.BoundsRect());
    IntersectRect(DstClip, DstClip, DstRect);
    return !IsRectEmpty(DstClip);
}

// The checks of every resampler but the nearest one: false for nothing to draw, raises for
// a source rectangle outside the source.
bool PrepareResample(TBitmap32* Dst, const TRect& DstRect, TRect& DstClip, TBitmap32* Src,
                     const TRect& SrcRect) {
    CheckBitmaps(Dst, Src);
    return ClipDestination(*Dst, DstRect, DstClip) && CheckSrcRect(*Src, SrcRect);
}

Int64 Extent(int Lo, int Hi) {
    return Int64(Hi) - Lo;
}

// Writes resampled colours into the destination by the draw mode; dmBlend goes through
// BLEND_MEM_EX with the source's master alpha, and dmCustom without a callback copies.
class TPixelWriter {
public:
    TPixelWriter(const TBitmap32& Src, TDrawMode CombineOp,
                 const TPixelCombineEvent& CombineCallBack)
        : FMode(CombineOp == dmCustom && !CombineCallBack.Assigned() ? dmOpaque : CombineOp),
          FBlend(BLEND_MEM_EX[Src.GetCombineMode()]), FMasterAlpha(Src.GetMasterAlpha()),
          FOuterColor(Src.GetOuterColor()), FCallBack(CombineCallBack) {}

    // True when the draw mode leaves every pixel as it is.
    bool Invisible() const { return FMode == dmBlend && FMasterAlpha == 0; }

    void operator()(TColor32 Color, TColor32& Pixel) const {
        switch (FMode) {
        case dmOpaque:
            Pixel = Color;
            break;
        case dmBlend:
            FBlend(Color, Pixel, Byte(std::min<Cardinal>(FMasterAlpha, 255)));
            break;
        case dmTransparent:
            if (Color != FOuterColor) Pixel = Color;
            break;
        case dmCustom:
            FCallBack(Color, Pixel, FMasterAlpha);
            break;
        }
    }

private:
    TDrawMode FMode;
    TBlendMemEx FBlend;
    Cardinal FMasterAlpha;
    TColor32 FOuterColor;
    const TPixelCombineEvent& FCallBack;
};

// ---- Nearest neighbour --------------------------------------------------------------------

// The source position of every clipped destination position of one axis.
std::vector<int> NearestMap(int DstLo, int DstHi, int ClipLo, int ClipHi, int SrcLo, int SrcHi) {
    const Int64 dstW = Extent(DstLo, DstHi);
    const Int64 srcW = Extent(SrcLo, SrcHi);
    std::vector<int> map(std::size_t(Extent(ClipLo, ClipHi)));
    if (dstW < 2) {
        std::fill(map.begin(), map.end(), int((Int64(SrcLo) + SrcHi - 1) / 2));
        return map;
    }
    const float scale =
        FullEdge ? float(double(srcW) / double(dstW)) : float(double(srcW - 1) / double(dstW - 1));
    for (std::size_t i = 0; i < map.size(); ++i) {
        const Int64 d = Int64(i) + ClipLo - DstLo;
        const double position = SrcLo + double(d) * scale;
        const int column = FullEdge ? TruncToInt(position) : RoundToInt(position);
        map[i] = std::clamp(column, SrcLo, SrcHi - 1);
    }
    return map;
}

// ---- Weight maps --------------------------------------------------------------------------

void Normalise(TCluster& Cluster) {
    int sum = 0;
    for (const TWeightPair& pair : Cluster)
        sum += pair.Weight;
    if (sum != 256) Cluster[(Cluster.size() - 1) / 2].Weight -= sum - 256;
}

// ---- Kernel resampling --------------------------------------------------------------------

void Accumulate(TBufferEntry& Entry, TColor32 Color, int Weight) {
    Entry.B += int(Color & 0xFF) * Weight;
    Entry.G += int(Color >> 8 & 0xFF) * Weight;
    Entry.R += int(Color >> 16 & 0xFF) * Weight;
    Entry.A += int(Color >> 24) * Weight;
}

void Accumulate(TBufferEntry& Entry, const TBufferEntry& Source, int Weight) {
    Entry.B += Source.B * Weight;
    Entry.G += Source.G * Weight;
    Entry.R += Source.R * Weight;
    Entry.A += Source.A * Weight;
}

// A channel total scaled by 65536 as a byte: clamped to 0..255, or its bits 16..23.
TColor32 ChannelOf(int Total, bool Clamped) {
    if (Clamped) Total = std::clamp(Total, 0, 0xFF0000);
    return Cardinal(Total) >> 16 & 0xFF;
}

TColor32 ColorOf(const TBufferEntry& Totals, bool Clamped) {
    return ChannelOf(Totals.A, Clamped) << 24 | ChannelOf(Totals.R, Clamped) << 16 |
           ChannelOf(Totals.G, Clamped) << 8 | ChannelOf(Totals.B, Clamped);
}

// ---- Linear stretch -----------------------------------------------------------------------

struct TLinearEntry {
    int Pos;
    // The weight of Pos; Pos + 1 takes the rest of 256.
    int Weight;
};

std::vector<TLinearEntry> LinearMap(int DstLo, int DstHi, int ClipLo, int ClipHi, int SrcLo,
                                    int SrcHi, int SrcSize) {
    const Int64 dstW = Extent(DstLo, DstHi);
    const Int64 srcW = Extent(SrcLo, SrcHi);
    // Without FullEdge a one-pixel destination has no second pixel centre to map; it takes
    // the first source position.
    const float scale = FullEdge    ? float(double(srcW) / double(dstW))
                        : dstW <= 1 ? 0.0f
                                    : float(double(srcW - 1) / double(dstW - 1));
    std::vector<TLinearEntry> map(std::size_t(Extent(ClipLo, ClipHi)));
    for (std::size_t i = 0; i < map.size(); ++i) {
        const Int64 d = Int64(i) + ClipLo - DstLo;
        double f = FullEdge ? (double(d) + 0.5) * scale + SrcLo - 0.5 : double(d) * scale + SrcLo;
        f = std::clamp(f, 0.0, double(SrcSize - 1));
        const double whole = std::floor(f);
        map[i] = {int(whole), 256 - RoundToInt((f - whole) * 256)};
    }
    // Pos + 1 must stay inside the source rectangle: the last column lends all its weight.
    for (auto entry = map.rbegin(); entry != map.rend() && entry->Pos >= SrcHi - 1; ++entry)
        *entry = {SrcHi - 2, 0};
    return map;
}

// A weight of a linear map as Interpolator takes it: 256 counts as 255.
Byte InterpolatorWeight(int Weight) {
    return Byte(std::min(Weight, 255));
}

// The horizontal pass of Interpolator over the source row Source: Row[i] combines the pixels
// at MapX[i].Pos and the one after it.
void InterpolateRow(const TColor32* Source, const std::vector<TLinearEntry>& MapX,
                    std::vector<TColor32>& Row) {
    for (std::size_t i = 0; i < MapX.size(); ++i) {
        const TColor32* pair = Source + MapX[i].Pos;
        Row[i] = CombineReg(pair[0], pair[1], InterpolatorWeight(MapX[i].Weight));
    }
}

} // namespace

// ---- Weight maps --------------------------------------------------------------------------

TMappingTable BuildMappingTable(int DstLo, int DstHi, int ClipLo, int ClipHi, int SrcLo, int SrcHi,
                                const TCustomKernel& Kernel) {
    const Int64 srcW = Extent(SrcLo, SrcHi);
    const Int64 clipW = Extent(ClipLo, ClipHi);
    const Int64 dstW = Extent(DstLo, DstHi);
    TMappingTable table;
    if (srcW <= 0 || clipW <= 0) return table;
    if (srcW == 1) {
        table.assign(std::size_t(clipW), TCluster{{SrcLo, 256}});
        return table;
    }
    const float scale =
        FullEdge ? float(double(dstW) / double(srcW)) : float(double(dstW - 1) / double(srcW - 1));
    if (scale == 0) {
        table.push_back({{int((Int64(SrcLo) + SrcHi) / 2), 256}});
        return table;
    }
    const float filterWidth = Kernel.GetWidth();
    // Enlarging reads the kernel at source spacing; shrinking widens it to the destination's.
    const double reach = scale >= 1 ? filterWidth : double(filterWidth) / scale;
    const double weightScale = scale >= 1 ? 1.0 : double(scale);
    table.resize(std::size_t(clipW));
    for (std::size_t i = 0; i < table.size(); ++i) {
        const Int64 k = Int64(i) + ClipLo - DstLo;
        const float center = FullEdge ? float((double(k) + 0.5) / scale + SrcLo - 0.5)
                                      : float(double(k) / scale + SrcLo);
        TCluster& cluster = table[i];
        const int first = FloorToInt(double(center) - reach);
        const int last = CeilToInt(double(center) + reach);
        for (Int64 j = first; j <= last; ++j) {
            const float distance = float((double(center) - double(j)) * weightScale);
            const int weight = RoundToInt(double(Kernel.Filter(distance)) * 256 * weightScale);
            if (weight != 0)
                cluster.push_back({int(std::clamp<Int64>(j, SrcLo, SrcHi - 1)), weight});
        }
        // Every weight rounded to 0 (possible when shrinking far): the nearest pixel takes it
        // all; clamped, since the centre may lie half a pixel outside the source.
        if (cluster.empty())
            cluster.push_back({std::clamp(FloorToInt(center), SrcLo, SrcHi - 1), 256});
        Normalise(cluster);
    }
    return table;
}

// ---- Kernel resampling --------------------------------------------------------------------

void KernelResample(TBitmap32* Dst, const TRect& DstRect, const TRect& DstClip, TBitmap32* Src,
                    const TRect& SrcRect, const TCustomKernel& Kernel, TDrawMode CombineOp,
                    const TPixelCombineEvent& CombineCallBack) {
    const TPixelWriter write(*Src, CombineOp, CombineCallBack);
    if (write.Invisible()) return;
    const TMappingTable mapX =
        BuildMappingTable(DstRect.Left, DstRect.Right, DstClip.Left, DstClip.Right, SrcRect.Left,
                          SrcRect.Right, Kernel);
    const TMappingTable mapY =
        BuildMappingTable(DstRect.Top, DstRect.Bottom, DstClip.Top, DstClip.Bottom, SrcRect.Top,
                          SrcRect.Bottom, Kernel);
    if (mapX.empty() || mapY.empty()) return;
    const bool clamped = Kernel.RangeCheck();
    int spanLo = mapX.front().front().Pos;
    int spanHi = spanLo;
    for (const TCluster& cluster : mapX)
        for (const TWeightPair& pair : cluster) {
            spanLo = std::min(spanLo, pair.Pos);
            spanHi = std::max(spanHi, pair.Pos);
        }
    std::vector<TBufferEntry> columns(std::size_t(spanHi - spanLo + 1));
    for (std::size_t j = 0; j < mapY.size(); ++j) {
        for (int x = spanLo; x <= spanHi; ++x) {
            TBufferEntry& entry = columns[std::size_t(x - spanLo)];
            entry = {};
            for (const TWeightPair& pair : mapY[j])
                Accumulate(entry, Src->GetPixel(x, pair.Pos), pair.Weight);
        }
        TColor32* dst = Dst->GetPixelPtr(DstClip.Left, DstClip.Top + int(j));
        for (std::size_t i = 0; i < mapX.size(); ++i) {
            TBufferEntry totals;
            for (const TWeightPair& pair : mapX[i])
                Accumulate(totals, columns[std::size_t(pair.Pos - spanLo)], pair.Weight);
            write(ColorOf(totals, clamped), dst[i]);
        }
    }
    EMMS();
}

// ---- Linear stretch -----------------------------------------------------------------------

void LinearStretch(TBitmap32* Dst, const TRect& DstRect, const TRect& DstClip, TBitmap32* Src,
                   const TRect& SrcRect, TDrawMode CombineOp,
                   const TPixelCombineEvent& CombineCallBack) {
    const TPixelWriter write(*Src, CombineOp, CombineCallBack);
    if (write.Invisible()) return;
    const std::vector<TLinearEntry> mapX =
        LinearMap(DstRect.Left, DstRect.Right, DstClip.Left, DstClip.Right, SrcRect.Left,
                  SrcRect.Right, Src->GetWidth());
    const std::vector<TLinearEntry> mapY =
        LinearMap(DstRect.Top, DstRect.Bottom, DstClip.Top, DstClip.Bottom, SrcRect.Top,
                  SrcRect.Bottom, Src->GetHeight());
    // Interpolator of every destination pixel, taken apart: the horizontal pass of a source
    // row serves every destination row that reads the row, and enlarging, consecutive
    // destination rows read the same rows.
    std::vector<TColor32> upper(mapX.size()), lower(mapX.size());
    int upperPos = -1, lowerPos = -1;
    for (std::size_t j = 0; j < mapY.size(); ++j) {
        const int pos = mapY[j].Pos;
        if (upperPos != pos && lowerPos == pos) {
            std::swap(upper, lower);
            std::swap(upperPos, lowerPos);
        }
        if (upperPos != pos) {
            InterpolateRow(Src->GetScanLine(pos), mapX, upper);
            upperPos = pos;
        }
        if (lowerPos != pos + 1) {
            InterpolateRow(Src->GetScanLine(pos + 1), mapX, lower);
            lowerPos = pos + 1;
        }
        const Byte wy = InterpolatorWeight(mapY[j].Weight);
        TColor32* dst = Dst->GetPixelPtr(DstClip.Left, DstClip.Top + int(j));
        for (std::size_t i = 0; i < mapX.size(); ++i)
            write(CombineReg(upper[i], lower[i], wy), dst[i]);
    }
    EMMS();
}

// ---- Block average ------------------------------------------------------------------------

TColor32 BlockAverage(int Width, int Height, const TColor32* First, int Pitch) {
    std::uint64_t sum[4] = {0, 0, 0, 0};
    for (int y = 0; y < Height; ++y, First += Pitch)
        for (int x = 0; x < Width; ++x) {
            const TColor32 pixel = First[x];
            sum[0] += pixel & 0xFF;
            sum[1] += pixel >> 8 & 0xFF;
            sum[2] += pixel >> 16 & 0xFF;
            sum[3] += pixel >> 24;
        }
    const std::uint64_t count = std::uint64_t(Width) * std::uint64_t(Height);
    return TColor32(sum[3] / count) << 24 | TColor32(sum[2] / count) << 16 |
           TColor32(sum[1] / count) << 8 | TColor32(sum[0] / count);
}

namespace {

// The first source position and the block edges (relative to it) of every clipped
// destination position of one axis; block k runs from Edges[k] to Edges[k + 1] - 1.
struct TBlockMap {
    int Origin;
    std::vector<int> Edges;
};

TBlockMap BlockMap(int DstLo, int DstHi, int ClipLo, int ClipHi, int SrcLo, int SrcHi) {
    const float scale = float(double(Extent(SrcLo, SrcHi)) / double(Extent(DstLo, DstHi)));
    const Int64 step = Int64(double(scale) * 65536);
    TBlockMap map;
    map.Origin = int(SrcLo + Int64(double(Extent(DstLo, ClipLo)) * scale));
    const Int64 count = Extent(ClipLo, ClipHi);
    map.Edges.resize(std::size_t(count + 1));
    for (Int64 k = 0; k <= count; ++k)
        map.Edges[std::size_t(k)] = int(std::min<Int64>(k * step >> 16, Int64(SrcHi) - map.Origin));
    return map;
}

} // namespace

void DraftResample(TBitmap32* Dst, const TRect& DstRect, const TRect& DstClip, TBitmap32* Src,
                   const TRect& SrcRect, const TCustomKernel& Kernel, TDrawMode CombineOp,
                   const TPixelCombineEvent& CombineCallBack) {
    const Int64 srcW = SrcRect.Width(), srcH = SrcRect.Height();
    if (srcW < Extent(DstRect.Left, DstRect.Right) || srcH < Extent(DstRect.Top, DstRect.Bottom)) {
        if (srcW >= 2 && srcH >= 2)
            LinearStretch(Dst, DstRect, DstClip, Src, SrcRect, CombineOp, CombineCallBack);
        else
            KernelResample(Dst, DstRect, DstClip, Src, SrcRect, Kernel, CombineOp, CombineCallBack);
        return;
    }
    const TPixelWriter write(*Src, CombineOp, CombineCallBack);
    if (write.Invisible()) return;
    const TBlockMap mapX = BlockMap(DstRect.Left, DstRect.Right, DstClip.Left, DstClip.Right,
                                    SrcRect.Left, SrcRect.Right);
    const TBlockMap mapY = BlockMap(DstRect.Top, DstRect.Bottom, DstClip.Top, DstClip.Bottom,
                                    SrcRect.Top, SrcRect.Bottom);
    const int pitch = Src->GetWidth();
    for (std::size_t j = 0; j + 1 < mapY.Edges.size(); ++j) {
        const int top = mapY.Origin + mapY.Edges[j];
        const int height = mapY.Edges[j + 1] - mapY.Edges[j];
        TColor32* dst = Dst->GetPixelPtr(DstClip.Left, DstClip.Top + int(j));
        for (std::size_t i = 0; i + 1 < mapX.Edges.size(); ++i) {
            const int left = mapX.Origin + mapX.Edges[i];
            const int width = mapX.Edges[i + 1] - mapX.Edges[i];
            write(BlockAverage(width, height, Src->GetPixelPtr(left, top), pitch), dst[i]);
        }
    }
    EMMS();
}

// ---- The resamplers' Resample -------------------------------------------------------------

void TNearestResampler::Resample(TBitmap32* Dst, const TRect& DstRect, TRect DstClip,
                                 TBitmap32* Src, const TRect& SrcRect, TDrawMode CombineOp,
                                 const TPixelCombineEvent& CombineCallBack) {
    CheckBitmaps(Dst, Src);
    if (!ClipDestination(*Dst, DstRect, DstClip)) return;
    if (SrcRect.Left < 0 || SrcRect.Top < 0 || SrcRect.Right > Src->GetWidth() ||
        SrcRect.Bottom > Src->GetHeight())
        throw Exception("Invalid SrcRect");
    if (IsRectEmpty(SrcRect)) return;
    if (CombineOp == dmCustom && !CombineCallBack.Assigned()) CombineOp = dmOpaque;
    if (EqualRectSize(DstRect, SrcRect)) {
        BlockTransferX(Dst, DstClip, Src, int(Int64(SrcRect.Left) + DstClip.Left - DstRect.Left),
                       int(Int64(SrcRect.Top) + DstClip.Top - DstRect.Top), CombineOp,
                       CombineCallBack);
        EMMS();
        return;
    }
    const std::vector<int> mapX = NearestMap(DstRect.Left, DstRect.Right, DstClip.Left,
                                             DstClip.Right, SrcRect.Left, SrcRect.Right);
    const std::vector<int> mapY = NearestMap(DstRect.Top, DstRect.Bottom, DstClip.Top,
                                             DstClip.Bottom, SrcRect.Top, SrcRect.Bottom);
    const int width = DstClip.Width();
    if (CombineOp == dmOpaque) {
        const TColor32* previous = nullptr;
        for (std::size_t j = 0; j < mapY.size(); ++j) {
            TColor32* dst = Dst->GetPixelPtr(DstClip.Left, DstClip.Top + int(j));
            if (j > 0 && mapY[j] == mapY[j - 1]) {
                MoveLongword(previous, dst, width);
            } else {
                const TColor32* src = Src->GetScanLine(mapY[j]);
                for (int i = 0; i < width; ++i)
                    dst[i] = src[mapX[std::size_t(i)]];
            }
            previous = dst;
        }
        return;
    }
    const Cardinal masterAlpha = Src->GetMasterAlpha();
    const TCombineMode combineMode = Src->GetCombineMode();
    const TColor32 transparent = Src->GetOuterColor();
    std::vector<TColor32> buffer(static_cast<std::size_t>(width));
    for (std::size_t j = 0; j < mapY.size(); ++j) {
        EMMS();
        if (j == 0 || mapY[j] != mapY[j - 1]) {
            const TColor32* src = Src->GetScanLine(mapY[j]);
            for (int i = 0; i < width; ++i)
                buffer[std::size_t(i)] = src[mapX[std::size_t(i)]];
        }
        TColor32* dst = Dst->GetPixelPtr(DstClip.Left, DstClip.Top + int(j));
        switch (CombineOp) {
        case dmBlend:
            if (masterAlpha < 255)
                BLEND_LINE_EX[combineMode](buffer.data(), dst, width, Byte(masterAlpha));
            else
                BLEND_LINE[combineMode](buffer.data(), dst, width);
            break;
        case dmTransparent:
            for (int i = 0; i < width; ++i)
                if (buffer[std::size_t(i)] != transparent) dst[i] = buffer[std::size_t(i)];
            break;
        case dmCustom:
            for (int i = 0; i < width; ++i)
                CombineCallBack(buffer[std::size_t(i)], dst[i], masterAlpha);
            break;
        case dmOpaque:
            break;
        }
    }
    EMMS();
}

void TLinearResampler::Resample(TBitmap32* Dst, const TRect& DstRect, TRect DstClip, TBitmap32* Src,
                                const TRect& SrcRect, TDrawMode CombineOp,
                                const TPixelCombineEvent& CombineCallBack) {
    if (!PrepareResample(Dst, DstRect, DstClip, Src, SrcRect)) return;
    if (Extent(DstRect.Left, DstRect.Right) > SrcRect.Width() &&
        Extent(DstRect.Top, DstRect.Bottom) > SrcRect.Height() && SrcRect.Width() > 1 &&
        SrcRect.Height() > 1)
        LinearStretch(Dst, DstRect, DstClip, Src, SrcRect, CombineOp, CombineCallBack);
    else
        KernelResample(Dst, DstRect, DstClip, Src, SrcRect, Kernel(), CombineOp, CombineCallBack);
}

void TDraftResampler::Resample(TBitmap32* Dst, const TRect& DstRect, TRect DstClip, TBitmap32* Src,
                               const TRect& SrcRect, TDrawMode CombineOp,
                               const TPixelCombineEvent& CombineCallBack) {
    if (!PrepareResample(Dst, DstRect, DstClip, Src, SrcRect)) return;
    DraftResample(Dst, DstRect, DstClip, Src, SrcRect, Kernel(), CombineOp, CombineCallBack);
}

void TKernelResampler::Resample(TBitmap32* Dst, const TRect& DstRect, TRect DstClip, TBitmap32* Src,
                                const TRect& SrcRect, TDrawMode CombineOp,
                                const TPixelCombineEvent& CombineCallBack) {
    if (!PrepareResample(Dst, DstRect, DstClip, Src, SrcRect)) return;
    KernelResample(Dst, DstRect, DstClip, Src, SrcRect, *GetKernel(), CombineOp, CombineCallBack);
}

} // namespace Bmp32

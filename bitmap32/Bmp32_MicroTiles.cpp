#include "bitmap32/Bmp32_MicroTiles.h"

#include <algorithm>
#include <climits>

#include "classlib/Platform.h"

namespace Bmp32 {

namespace {

constexpr int TileSize = 32;
constexpr int TileShift = 5;

bool UsedEmpty(const TMicroTiles& Tiles) {
    const TRect& used = Tiles.BoundsUsedTiles;
    return used.Right < used.Left || used.Bottom < used.Top;
}

void ResetUsed(TMicroTiles& Tiles) {
    Tiles.BoundsUsedTiles = {Tiles.Columns, Tiles.Rows, 0, 0};
}

void GrowUsed(TMicroTiles& Tiles, int Left, int Top, int Right, int Bottom) {
    TRect& used = Tiles.BoundsUsedTiles;
    used.Left = std::min(used.Left, Left);
    used.Top = std::min(used.Top, Top);
    used.Right = std::max(used.Right, Right);
    used.Bottom = std::max(used.Bottom, Bottom);
}

// Brings a 64-bit coordinate into a range that later arithmetic cannot overflow; the grid
// clamps it further.
int Saturate(Int64 Value) {
    return int(std::clamp<Int64>(Value, INT_MIN / 4, INT_MAX / 4));
}

} // namespace

void MicroTileUnion(TMicroTile& DstTile, TMicroTile SrcTile) {
    if (DstTile == MICROTILE_FULL || SrcTile == MICROTILE_EMPTY || MicroTileWidth(SrcTile) == 0 ||
        MicroTileHeight(SrcTile) == 0)
        return;
    if (DstTile == MICROTILE_EMPTY || SrcTile == MICROTILE_FULL) {
        DstTile = SrcTile;
        return;
    }
    DstTile = MakeMicroTile(std::min(MicroTileLeft(DstTile), MicroTileLeft(SrcTile)),
                            std::min(MicroTileTop(DstTile), MicroTileTop(SrcTile)),
                            std::max(MicroTileRight(DstTile), MicroTileRight(SrcTile)),
                            std::max(MicroTileBottom(DstTile), MicroTileBottom(SrcTile)));
}

TMicroTiles MakeEmptyMicroTiles() {
    return TMicroTiles{};
}

void MicroTilesCreate(TMicroTiles& Tiles) {
    Tiles = TMicroTiles{};
}

void MicroTilesDestroy(TMicroTiles& Tiles) {
    Tiles = TMicroTiles{};
}

void MicroTilesSetSize(TMicroTiles& Tiles, const TRect& DstRect) {
    Tiles.BoundsRect = DstRect;
    Tiles.Columns = ((DstRect.Right - DstRect.Left) >> TileShift) + 1;
    Tiles.Rows = ((DstRect.Bottom - DstRect.Top) >> TileShift) + 1;
    Tiles.Tiles.assign(std::size_t(Tiles.Columns + 1) * (Tiles.Rows + 1), MICROTILE_EMPTY);
    MicroTilesClear(Tiles);
}

void MicroTilesClear(TMicroTiles& Tiles) {
    ResetUsed(Tiles);
    std::fill(Tiles.Tiles.begin(), Tiles.Tiles.end(), MICROTILE_EMPTY);
}

void MicroTilesClearUsed(TMicroTiles& Tiles) {
    const TRect used = Tiles.BoundsUsedTiles;
    for (int y = used.Top; y <= used.Bottom; ++y)
        for (int x = used.Left; x <= used.Right; ++x)
            Tiles.Tile(x, y) = MICROTILE_EMPTY;
    ResetUsed(Tiles);
}

void MicroTilesCopy(TMicroTiles& Dst, const TMicroTiles& Src) {
    if (Dst.Count() > 0) MicroTilesClearUsed(Dst);
    Dst.BoundsRect = Src.BoundsRect;
    Dst.Columns = Src.Columns;
    Dst.Rows = Src.Rows;
    Dst.BoundsUsedTiles = Src.BoundsUsedTiles;
    Dst.Tiles.resize(Src.Tiles.size(), MICROTILE_EMPTY);
    const TRect used = Src.BoundsUsedTiles;
    for (int y = used.Top; y <= used.Bottom; ++y)
        for (int x = used.Left; x <= used.Right; ++x)
            Dst.Tile(x, y) = Src.Tile(x, y);
}

void MicroTilesAddRect(TMicroTiles& Tiles, const TRect& Rect, bool RoundToWholeTiles) {
    if (Tiles.Count() == 0) return;
    int left = std::min(Rect.Left, Rect.Right), right = std::max(Rect.Left, Rect.Right);
    int top = std::min(Rect.Top, Rect.Bottom), bottom = std::max(Rect.Top, Rect.Bottom);
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, Tiles.Columns * TileSize);
    bottom = std::min(bottom, Tiles.Rows * TileSize);
    if (right < left || bottom < top) return;

    const int sx = left >> TileShift, sy = top >> TileShift;
    const int ex = right >> TileShift, ey = bottom >> TileShift;
    if (RoundToWholeTiles) {
        for (int y = sy; y <= ey; ++y)
            for (int x = sx; x <= ex; ++x)
                Tiles.Tile(x, y) = MICROTILE_FULL;
    } else {
        const int l = left % TileSize, t = top % TileSize;
        const int r = right % TileSize, b = bottom % TileSize;
        const int cs = ((right + TileSize) >> TileShift) - sx;
        const int rs = ((bottom + TileSize) >> TileShift) - sy;
        const int lastX = sx + cs - 1, lastY = sy + rs - 1;
        for (int y = sy; y <= lastY; ++y) {
            const int tileTop = y == sy ? t : 0;
            const int tileBottom = y == lastY ? b : TileSize;
            for (int x = sx; x <= lastX; ++x) {
                const int tileLeft = x == sx ? l : 0;
                const int tileRight = x == lastX ? r : TileSize;
                TMicroTile& tile = Tiles.Tile(x, y);
                if (tileLeft == 0 && tileTop == 0 && tileRight == TileSize && tileBottom == TileSize)
                    tile = MICROTILE_FULL;
                else
                    MicroTileUnion(tile, MakeMicroTile(tileLeft, tileTop, tileRight, tileBottom));
            }
        }
    }
    GrowUsed(Tiles, sx, sy, ex, ey);
}

void InflateArea(TRect& R, int Dx, int Dy) {
    auto grow = [](int& Low, int& High, int D) {
        if (Low > High) D = -D;
        Low = Saturate(Int64(Low) - D);
        High = Saturate(Int64(High) + D);
    };
    grow(R.Left, R.Right, Dx);
    grow(R.Top, R.Bottom, Dy);
}

void MicroTilesAddLine(TMicroTiles& Tiles, int X1, int Y1, int X2, int Y2, int LineWidth,
                       bool RoundToWholeTiles) {
    if (Tiles.Count() == 0) return;
    const int w2 = Saturate(Int64(LineWidth) * 2);
    Int64 dx = Int64(X2) - X1, dy = Int64(Y2) - Y1;
    if (dx == 0 || dy == 0) {
        TRect r{X1, Y1, X2, Y2};
        InflateArea(r, w2, w2);
        MicroTilesAddRect(Tiles, r, RoundToWholeTiles);
        return;
    }
    const int signX = dx < 0 ? -1 : 1, signY = dy < 0 ? -1 : 1;
    dx = (dx < 0 ? -dx : dx) << 16;
    dy = (dy < 0 ? -dy : dy) << 16;
    const bool steep = dx < dy;
    if (steep) std::swap(dx, dy);
    const Int64 major = Int64(TileSize) << 16;
    const Int64 minor = dy * 65536 / (dx / TileSize);
    const Int64 stepX = (steep ? minor : major) * signX;
    const Int64 stepY = (steep ? major : minor) * signY;
    const Int64 n = ((dx / TileSize) + 0xFFFF) >> 16;
    if (n < 1) return;

    // Only the steps whose stretch of the major axis comes near the grid can add anything.
    Int64 x = Int64(X1) << 16, y = Int64(Y1) << 16;
    const Int64 margin = (Int64(w2) + 2 * TileSize) << 16;
    const Int64 extent = Int64(steep ? Tiles.Rows : Tiles.Columns) * TileSize << 16;
    const int sign = steep ? signY : signX;
    const Int64 start = (steep ? y : x) * sign;
    const Int64 low = sign > 0 ? -margin : -(extent + margin);
    const Int64 high = sign > 0 ? extent + margin : margin;
    const Int64 first = std::max<Int64>(0, (low - start) / major - 1);
    const Int64 last = std::min<Int64>(n - 1, (high - start) / major + 1);
    x += stepX * first;
    y += stepY * first;
    auto round = [](Int64 V) { return Saturate((V + 0x7FFF) >> 16); };
    for (Int64 i = first; i <= last; ++i) {
        TRect r{round(x), round(y), round(x + stepX), round(y + stepY)};
        InflateArea(r, w2, w2);
        MicroTilesAddRect(Tiles, r, RoundToWholeTiles);
        x += stepX;
        y += stepY;
    }
}

void MicroTilesUnion(TMicroTiles& Dst, const TMicroTiles& Src, bool RoundToWholeTiles) {
    if (Src.Count() == 0 || Dst.Count() == 0 || UsedEmpty(Src)) return;
    // A grid of another size shares only the cells both have.
    const TRect& used = Src.BoundsUsedTiles;
    const int right = std::min(used.Right, Dst.Columns), bottom = std::min(used.Bottom, Dst.Rows);
    for (int y = used.Top; y <= bottom; ++y)
        for (int x = used.Left; x <= right; ++x) {
            const TMicroTile src = Src.Tile(x, y);
            TMicroTile& dst = Dst.Tile(x, y);
            if (!RoundToWholeTiles)
                MicroTileUnion(dst, src);
            else if (src != MICROTILE_EMPTY && MicroTileWidth(src) != 0 &&
                     MicroTileHeight(src) != 0)
                dst = MICROTILE_FULL;
        }
    GrowUsed(Dst, used.Left, used.Top, right, bottom);
}

int MicroTilesCalcRects(const TMicroTiles& Tiles, TRectList* DstRects, const TRect& Clip,
                        bool CountOnly, bool RoundToWholeTiles) {
    if (Tiles.Count() == 0 || UsedEmpty(Tiles)) return 0;
    const int columns = Tiles.Columns, rows = Tiles.Rows;
    // Every dirty cell lies within the used cells, so only they are scanned; a candidate's
    // link is kept for the cell below its first cell.
    const TRect& used = Tiles.BoundsUsedTiles;
    const int usedLeft = used.Left, usedRight = std::min(used.Right, columns - 1);
    const int usedBottom = std::min(used.Bottom, rows - 1);
    std::vector<TRect> candidates;
    std::vector<int> links(std::size_t(usedRight - usedLeft + 1), -1);
    std::vector<int> nextLinks(links.size(), -1);
    auto horz = [&Clip](int V) { return std::clamp(V, Clip.Left, std::max(Clip.Left, Clip.Right)); };
    auto vert = [&Clip](int V) { return std::clamp(V, Clip.Top, std::max(Clip.Top, Clip.Bottom)); };
    for (int y = used.Top; y <= usedBottom; ++y) {
        std::fill(nextLinks.begin(), nextLinks.end(), -1);
        for (int x = usedLeft; x <= usedRight; ++x) {
            TMicroTile tile = Tiles.Tile(x, y);
            if (tile == MICROTILE_EMPTY) continue;
            const int first = x;
            TRect r;
            if (RoundToWholeTiles) {
                r.Top = y * TileSize;
                r.Bottom = y * TileSize + TileSize;
                r.Left = x * TileSize;
                while (x + 1 < columns && Tiles.Tile(x + 1, y) != MICROTILE_EMPTY)
                    ++x;
                r.Right = x * TileSize + TileSize;
            } else {
                r.Top = y * TileSize + MicroTileTop(tile);
                r.Bottom = y * TileSize + MicroTileBottom(tile);
                r.Left = x * TileSize + MicroTileLeft(tile);
                while (MicroTileRight(tile) == TileSize && x + 1 < columns) {
                    const TMicroTile next = Tiles.Tile(x + 1, y);
                    if (next == MICROTILE_EMPTY || MicroTileTop(next) != MicroTileTop(tile) ||
                        MicroTileBottom(next) != MicroTileBottom(tile) || MicroTileLeft(next) != 0)
                        break;
                    ++x;
                    tile = next;
                }
                r.Right = x * TileSize + MicroTileRight(tile);
            }
            r = {horz(r.Left), vert(r.Top), horz(r.Right), vert(r.Bottom)};
            int index = links[std::size_t(first - usedLeft)];
            if (index >= 0 && candidates[index].Left == r.Left &&
                candidates[index].Right == r.Right && candidates[index].Bottom == r.Top) {
                candidates[index].Bottom = r.Bottom;
            } else {
                candidates.push_back(r);
                index = int(candidates.size()) - 1;
            }
            nextLinks[std::size_t(first - usedLeft)] = index;
        }
        links.swap(nextLinks);
    }
    if (!CountOnly)
        for (const TRect& r : candidates)
            DstRects->Add(r);
    return int(candidates.size());
}

int MicroTilesCalcRects(const TMicroTiles& Tiles, TRectList* DstRects, bool CountOnly,
                        bool RoundToWholeTiles) {
    return MicroTilesCalcRects(Tiles, DstRects, Tiles.BoundsRect, CountOnly, RoundToWholeTiles);
}

int MicroTilesCountEmptyTiles(const TMicroTiles& Tiles) {
    if (Tiles.Count() < 1) return 0;
    int count = 0;
    for (int y = 0; y < Tiles.Rows; ++y)
        for (int x = 0; x < Tiles.Columns; ++x)
            if (Tiles.Tile(x, y) == MICROTILE_EMPTY) ++count;
    return count;
}

// ---- TMicroTilesMap -----------------------------------------------------------------------

TMicroTilesMap::~TMicroTilesMap() {
    Clear();
}

TMicroTiles* TMicroTilesMap::Record(void* Item) {
    bool isNew;
    void** data = Add(Item, isNew);
    if (isNew) *data = new TMicroTiles;
    return static_cast<TMicroTiles*>(*data);
}

TMicroTiles* TMicroTilesMap::Find(void* Item) {
    void** data;
    return TPointerMap::Find(Item, data) ? static_cast<TMicroTiles*>(*data) : nullptr;
}

void* TMicroTilesMap::Delete(int BucketIndex, int ItemIndex) {
    delete static_cast<TMicroTiles*>(TPointerMap::Delete(BucketIndex, ItemIndex));
    return nullptr;
}

// ---- TMicroTilesRepaintOptimizer ----------------------------------------------------------

TMicroTilesRepaintOptimizer::TMicroTilesRepaintOptimizer(TBitmap32* Buffer,
                                                         TRectList* InvalidRects)
    : TCustomRepaintOptimizer(Buffer, InvalidRects),
      FOldInvalidTilesMap(new TMicroTilesMap), FPerfTimer(new TPerfTimer),
      FTickCounter([] { return Cardinal(GetTickCount()); }) {}

TMicroTilesRepaintOptimizer::~TMicroTilesRepaintOptimizer() {
    for (int i = 0; i < CollectionCount(); ++i)
        InstallHandlers(Collection(i), false);
}

void TMicroTilesRepaintOptimizer::SetPerfTimer(TPerfTimer* Value) {
    FPerfTimer.reset(Value);
}

void TMicroTilesRepaintOptimizer::InstallHandlers(TLayerCollection* Layers, bool Install) {
    if (Install) {
        Layers->OnLayerUpdated =
            TLayerUpdateEvent(this, &TMicroTilesRepaintOptimizer::LayerUpdateHandler);
        Layers->OnAreaUpdated =
            TAreaChangedEvent(this, &TMicroTilesRepaintOptimizer::AreaUpdateHandler);
    } else {
        Layers->OnLayerUpdated = nullptr;
        Layers->OnAreaUpdated = nullptr;
    }
}

void TMicroTilesRepaintOptimizer::RegisterLayerCollection(TLayerCollection* Layers) {
    TCustomRepaintOptimizer::RegisterLayerCollection(Layers);
    if (GetEnabled()) InstallHandlers(Layers, true);
}

void TMicroTilesRepaintOptimizer::UnregisterLayerCollection(TLayerCollection* Layers) {
    InstallHandlers(Layers, false);
    TCustomRepaintOptimizer::UnregisterLayerCollection(Layers);
}

void TMicroTilesRepaintOptimizer::SetEnabled(bool Value) {
    if (Value != GetEnabled()) {
        if (Value) {
            for (int i = 0; i < CollectionCount(); ++i)
                InstallHandlers(Collection(i), true);
            FWorkingTilesValid = false;
            FOldInvalidTilesValid = false;
            UpdateOldInvalidTiles();
            FUseInvalidTiles = true;
        } else {
            for (int i = 0; i < CollectionCount(); ++i)
                InstallHandlers(Collection(i), false);
            MicroTilesDestroy(FInvalidTiles);
            MicroTilesDestroy(FForcedInvalidTiles);
            MicroTilesDestroy(FTempTiles);
            FWorkingTilesValid = false;
            FUseInvalidTiles = false;
            FOldInvalidTilesValid = false;
            FOldInvalidTilesMap->Clear();
            // Unmarked, so that they are queued again once enabled.
            for (int i = 0; i < FInvalidLayers.GetCount(); ++i)
                static_cast<TCustomLayer*>(FInvalidLayers.Get(i))->SetInvalid(false);
            FInvalidLayers.Clear();
        }
    }
    TCustomRepaintOptimizer::SetEnabled(Value);
}

void TMicroTilesRepaintOptimizer::DrawMeasuringHandler(TObject*, const TRect& Area,
                                                       Cardinal Info) {
    AddArea(*FMeasuringTarget, Area, Info);
}

void TMicroTilesRepaintOptimizer::DrawLayerToMicroTiles(TMicroTiles& Tiles, TCustomLayer* Layer) {
    TBitmap32* buffer = GetBuffer();
    buffer->BeginMeasuring(
        TAreaChangedEvent(this, &TMicroTilesRepaintOptimizer::DrawMeasuringHandler));
    FMeasuringTarget = &Tiles;
    try {
        Layer->DoPaint(buffer);
    } catch (...) {
        buffer->EndMeasuring();
        throw;
    }
    buffer->EndMeasuring();
}

void TMicroTilesRepaintOptimizer::AddArea(TMicroTiles& Tiles, const TRect& Area, Cardinal Info) {
    const bool round = FPerformanceLevel > PL_MICROTILES;
    if ((Info & AREAINFO_LINE) != 0) {
        const int w = int(Info & 0x00FFFFFF);
        TRect r = Area;
        InflateArea(r, w, w);
        MicroTilesAddLine(Tiles, r.Left, r.Top, r.Right, r.Bottom, w, round);
    } else {
        MicroTilesAddRect(Tiles, Area, round);
    }
}

void TMicroTilesRepaintOptimizer::ValidateWorkingTiles() {
    if (FWorkingTilesValid) return;
    const TRect bounds = GetBuffer()->BoundsRect();
    MicroTilesSetSize(FTempTiles, bounds);
    MicroTilesSetSize(FInvalidTiles, bounds);
    MicroTilesSetSize(FForcedInvalidTiles, bounds);
    FWorkingTilesValid = true;
}

void TMicroTilesRepaintOptimizer::UpdateOldInvalidTiles() {
    if (FOldInvalidTilesValid) return;
    ValidateWorkingTiles();
    const TRect bounds = GetBuffer()->BoundsRect();
    for (int c = 0; c < CollectionCount(); ++c) {
        TLayerCollection* layers = Collection(c);
        for (int i = 0; i < layers->GetCount(); ++i) {
            TCustomLayer* layer = layers->GetItem(i);
            TMicroTiles* tiles = FOldInvalidTilesMap->Record(layer);
            MicroTilesSetSize(*tiles, bounds);
            DrawLayerToMicroTiles(*tiles, layer);
            layer->SetInvalid(false);
        }
    }
    FOldInvalidTilesValid = true;
    FUseInvalidTiles = false;
}

void TMicroTilesRepaintOptimizer::AreaUpdateHandler(TObject*, const TRect& Area, Cardinal Info) {
    ValidateWorkingTiles();
    AddArea(FForcedInvalidTiles, Area, Info);
    FUseInvalidTiles = true;
}

void TMicroTilesRepaintOptimizer::LayerUpdateHandler(TObject*, TCustomLayer* Layer) {
    if (!FOldInvalidTilesValid || Layer->GetInvalid()) return;
    FInvalidLayers.Add(Layer);
    Layer->SetInvalid(true);
    FUseInvalidTiles = true;
}

void TMicroTilesRepaintOptimizer::LayerCollectionNotifyHandler(TObject*,
                                                               TLayerListNotification Action,
                                                               TCustomLayer* Layer, int) {
    switch (Action) {
    case lnLayerAdded:
    case lnLayerInserted:
        // While the records are out of date every layer is measured afresh anyway.
        if (FOldInvalidTilesValid)
            MicroTilesSetSize(*FOldInvalidTilesMap->Record(Layer), GetBuffer()->BoundsRect());
        break;
    case lnLayerDeleted:
        if (FOldInvalidTilesValid) {
            if (TMicroTiles* tiles = FOldInvalidTilesMap->Find(Layer)) {
                ValidateWorkingTiles();
                MicroTilesUnion(FInvalidTiles, *tiles);
            }
            FUseInvalidTiles = true;
        }
        FInvalidLayers.Remove(Layer);
        FOldInvalidTilesMap->Remove(Layer);
        break;
    case lnCleared:
        if (FOldInvalidTilesValid) {
            ValidateWorkingTiles();
            TPointerMapIterator iterator(FOldInvalidTilesMap.get());
            while (iterator.Next())
                MicroTilesUnion(FInvalidTiles, *static_cast<TMicroTiles*>(iterator.GetData()));
            FUseInvalidTiles = true;
            ResetAdaptiveMode();
        }
        FOldInvalidTilesMap->Clear();
        FOldInvalidTilesValid = true;
        break;
    }
}

void TMicroTilesRepaintOptimizer::BufferResizedHandler(int, int) {
    FWorkingTilesValid = false;
    FOldInvalidTilesValid = false;
}

void TMicroTilesRepaintOptimizer::Reset() {
    for (int i = 0; i < FInvalidLayers.GetCount(); ++i)
        static_cast<TCustomLayer*>(FInvalidLayers.Get(i))->SetInvalid(false);
    FInvalidLayers.Clear();
    FUseInvalidTiles = false;
    FOldInvalidTilesValid = false;
}

bool TMicroTilesRepaintOptimizer::UpdatesAvailable() {
    UpdateOldInvalidTiles();
    return FUseInvalidTiles;
}

void TMicroTilesRepaintOptimizer::PerformOptimization() {
    if (FUseInvalidTiles) {
        ValidateWorkingTiles();
        const bool round = FPerformanceLevel > PL_MICROTILES;
        for (int i = 0; i < FInvalidLayers.GetCount(); ++i) {
            auto* layer = static_cast<TCustomLayer*>(FInvalidLayers.Get(i));
            MicroTilesClearUsed(FTempTiles);
            DrawLayerToMicroTiles(FTempTiles, layer);
            MicroTilesUnion(FInvalidTiles, FTempTiles, round);
            TMicroTiles* old = FOldInvalidTilesMap->Record(layer);
            MicroTilesUnion(FInvalidTiles, *old, round);
            MicroTilesCopy(*old, FTempTiles);
            layer->SetInvalid(false);
        }
        FInvalidLayers.Clear();
        MicroTilesCalcRects(FInvalidTiles, GetInvalidRects(), false, round);
        MicroTilesCalcRects(FForcedInvalidTiles, GetInvalidRects(), false, round);
    }
    BeginAdaption();
    MicroTilesClearUsed(FInvalidTiles);
    MicroTilesClearUsed(FForcedInvalidTiles);
}

void TMicroTilesRepaintOptimizer::BeginPaintBuffer() {
    if (FAdaptiveMode) FPerfTimer->Start();
}

void TMicroTilesRepaintOptimizer::EndPaintBuffer() {
    FUseInvalidTiles = false;
    EndAdaption();
}

void TMicroTilesRepaintOptimizer::SetAdaptiveMode(bool Value) {
    if (Value == FAdaptiveMode) return;
    FAdaptiveMode = Value;
    ResetAdaptiveMode();
}

void TMicroTilesRepaintOptimizer::ResetAdaptiveMode() {
    FTimeDelta = TIMER_LOWLIMIT;
    FSlowerRepaints = 0;
    FAdaptionFailed = false;
    FPerformanceLevel = PL_MICROTILES;
}

void TMicroTilesRepaintOptimizer::ScheduleCheck(int Delta) {
    FTimeDelta = std::clamp(Delta, TIMER_LOWLIMIT, TIMER_HIGHLIMIT);
    FNextCheck = int(Cardinal(TickCount()) + Cardinal(FTimeDelta));
}

void TMicroTilesRepaintOptimizer::BeginAdaption() {
    if (!FAdaptiveMode || FPerformanceLevel < PL_WHOLETILES) return;
    if (TimeForCheck()) {
        FPerformanceLevel = std::clamp(FPerformanceLevel - 1, PL_MICROTILES, PL_FULLSCENE);
        FSlowerRepaints = 0;
        FTimedCheck = true;
    } else if (!FAdaptionFailed &&
               GetInvalidRects()->GetCount() < FOldInvalidRectsCount - INVALIDRECTS_DELTA) {
        FPerformanceLevel = std::clamp(FPerformanceLevel - 1, PL_MICROTILES, PL_FULLSCENE);
        FSlowerRepaints = 0;
    } else if (FPerformanceLevel == PL_FULLSCENE) {
        GetInvalidRects()->Clear();
    }
}

void TMicroTilesRepaintOptimizer::EndAdaption() {
    const Int64 elapsed = FPerfTimer->ReadValue();
    const int rectCount = GetInvalidRects()->GetCount();
    if (rectCount == 0) {
        FElapsedTimeForFullSceneRepaint = elapsed;
    } else if (FAdaptiveMode) {
        if (elapsed > FElapsedTimeForFullSceneRepaint) {
            const int level = std::clamp(FPerformanceLevel + 1, PL_MICROTILES, PL_FULLSCENE);
            if (level != FPerformanceLevel && ++FSlowerRepaints >= SLOWER_REPAINTS_TO_COARSEN) {
                FSlowerRepaints = 0;
                FOldInvalidRectsCount = rectCount;
                FPerformanceLevel = level;
                if (FTimedCheck) {
                    ScheduleCheck(FTimeDelta + TIMER_PENALTY);
                    FElapsedTimeOnLastPenalty = elapsed;
                    FTimedCheck = false;
                }
                FAdaptionFailed = true;
            }
        } else if (elapsed < FElapsedTimeForFullSceneRepaint) {
            FSlowerRepaints = 0;
            if (FTimedCheck) {
                ScheduleCheck(TIMER_LOWLIMIT);
                FTimedCheck = false;
            } else if (FTimeDelta > TIMER_LOWLIMIT) {
                ScheduleCheck(FTimeDelta - TIMER_LOWLIMIT);
            }
            FAdaptionFailed = false;
        } else if (elapsed < FElapsedTimeOnLastPenalty && FTimedCheck) {
            ScheduleCheck(FTimeDelta - TIMER_PENALTY);
            FTimedCheck = false;
        }
    }
    FElapsedTimeForLastRepaint = elapsed;
}

} // namespace Bmp32

// Plain unions on every processor.
DEFINE_UNIT(Bmp32_MicroTiles, uoBmp32MicroTiles, nullptr, nullptr);

// Unit Bmp32_MicroTiles: grids of 32 x 32 pixel micro tiles that each keep the bounding box
// of their dirty pixels, and the repaint optimiser built on them. The optimiser collects the
// areas reported for a paint box's buffer and the old and new areas of changed layers (found
// by painting the layer in measuring mode) and hands the paint box a short list of
// rectangles. It times each buffer repaint and, when partial repainting gets slower than a
// full one, coarsens its precision to whole tiles and then to the whole scene.
#pragma once

#include "bitmap32/Bmp32_Containers.h"
#include "bitmap32/Bmp32_RepaintOpt.h"
#include "bitmap32/Bmp32_System.h"
#include "classlib/UnitInit.h"

#include <functional>
#include <memory>
#include <vector>

namespace Bmp32 {

// Left in bits 24-31, Top 16-23, Right 8-15 and Bottom 0-7 (both exclusive), relative to
// the cell. 0 is empty.
using TMicroTile = Cardinal;

constexpr TMicroTile MICROTILE_EMPTY = 0;
constexpr TMicroTile MICROTILE_FULL = 0x00002020;

constexpr TMicroTile MakeMicroTile(int Left, int Top, int Right, int Bottom) {
    return TMicroTile(Left) << 24 | TMicroTile(Top) << 16 | TMicroTile(Right) << 8 |
           TMicroTile(Bottom);
}
constexpr int MicroTileLeft(TMicroTile T) {
    return T >> 24;
}
constexpr int MicroTileTop(TMicroTile T) {
    return (T >> 16) & 0xFF;
}
constexpr int MicroTileRight(TMicroTile T) {
    return (T >> 8) & 0xFF;
}
constexpr int MicroTileBottom(TMicroTile T) {
    return T & 0xFF;
}
constexpr int MicroTileWidth(TMicroTile T) {
    return MicroTileRight(T) - MicroTileLeft(T);
}
constexpr int MicroTileHeight(TMicroTile T) {
    return MicroTileBottom(T) - MicroTileTop(T);
}

struct TMicroTiles {
    TRect BoundsRect;
    int Columns = 0;
    int Rows = 0;
    // Cell indices, all four inclusive; empty is (Columns, Rows, 0, 0).
    TRect BoundsUsedTiles;
    // Row-major with a stride of Columns, one spare column and row allocated.
    std::vector<TMicroTile> Tiles;

    int Count() const { return int(Tiles.size()); }
    TMicroTile& Tile(int X, int Y) { return Tiles[std::size_t(Y) * Columns + X]; }
    TMicroTile Tile(int X, int Y) const { return Tiles[std::size_t(Y) * Columns + X]; }
};

void MicroTileUnion(TMicroTile& DstTile, TMicroTile SrcTile);

TMicroTiles MakeEmptyMicroTiles();
void MicroTilesCreate(TMicroTiles& Tiles);
void MicroTilesDestroy(TMicroTiles& Tiles);
// Columns (width shr 5) + 1 and rows likewise over DstRect, all cleared.
void MicroTilesSetSize(TMicroTiles& Tiles, const TRect& DstRect);
void MicroTilesClear(TMicroTiles& Tiles);
// Clears only the used cells.
void MicroTilesClearUsed(TMicroTiles& Tiles);
void MicroTilesCopy(TMicroTiles& Dst, const TMicroTiles& Src);
void MicroTilesAddRect(TMicroTiles& Tiles, const TRect& Rect, bool RoundToWholeTiles = false);
// The line from (X1, Y1) to (X2, Y2) as rectangles of 32-pixel steps inflated by twice
// LineWidth; the parts far outside the grid add nothing.
void MicroTilesAddLine(TMicroTiles& Tiles, int X1, int Y1, int X2, int Y2, int LineWidth,
                       bool RoundToWholeTiles = false);
void MicroTilesUnion(TMicroTiles& Dst, const TMicroTiles& Src, bool RoundToWholeTiles = false);
// Appends the rectangles of the dirty areas, constrained into Clip, to DstRects (which is not
// cleared) unless CountOnly; returns their number.
int MicroTilesCalcRects(const TMicroTiles& Tiles, TRectList* DstRects, const TRect& Clip,
                        bool CountOnly = false, bool RoundToWholeTiles = false);
int MicroTilesCalcRects(const TMicroTiles& Tiles, TRectList* DstRects, bool CountOnly = false,
                        bool RoundToWholeTiles = false);
int MicroTilesCountEmptyTiles(const TMicroTiles& Tiles);

// Grows R by Dx and Dy on each side; an axis whose edges are in reverse order grows with
// the sign reversed.
void InflateArea(TRect& R, int Dx, int Dy);

// Each layer's last measured area; the map owns the records.
class TMicroTilesMap : public TPointerMap {
    DECLARE_CLASS(TMicroTilesMap, TPointerMap)
public:
    ~TMicroTilesMap() override;
    // The layer's record, made empty when missing.
    TMicroTiles* Record(void* Item);
    TMicroTiles* Find(void* Item);
    void* Delete(int BucketIndex, int ItemIndex) override;
};

// Reads the system tick count in milliseconds.
using TTickCounter = std::function<Cardinal()>;

class TMicroTilesRepaintOptimizer : public TCustomRepaintOptimizer {
    DECLARE_CLASS(TMicroTilesRepaintOptimizer, TCustomRepaintOptimizer)
public:
    static constexpr int PL_MICROTILES = 0;
    static constexpr int PL_WHOLETILES = 1;
    static constexpr int PL_FULLSCENE = 2;
    static constexpr int TIMER_PENALTY = 250;
    static constexpr int TIMER_LOWLIMIT = 1000;
    static constexpr int TIMER_HIGHLIMIT = 5000;
    static constexpr int INVALIDRECTS_DELTA = 10;
    // Partial repaints in a row that must be slower than the full one before the precision
    // coarsens: one repaint that the system held up says nothing about the next.
    static constexpr int SLOWER_REPAINTS_TO_COARSEN = 3;

    TMicroTilesRepaintOptimizer(TBitmap32* Buffer, TRectList* InvalidRects);
    ~TMicroTilesRepaintOptimizer() override;

    void SetEnabled(bool Value) override;
    void RegisterLayerCollection(TLayerCollection* Layers) override;
    void UnregisterLayerCollection(TLayerCollection* Layers) override;

    void BeginPaintBuffer() override;
    void EndPaintBuffer() override;
    void Reset() override;
    bool UpdatesAvailable() override;
    void PerformOptimization() override;

    void LayerCollectionNotifyHandler(TObject* Sender, TLayerListNotification Action,
                                      TCustomLayer* Layer, int Index) override;
    void AreaUpdateHandler(TObject* Sender, const TRect& Area, Cardinal Info) override;
    void LayerUpdateHandler(TObject* Sender, TCustomLayer* Layer) override;
    void BufferResizedHandler(int NewWidth, int NewHeight) override;

    bool GetAdaptiveMode() const { return FAdaptiveMode; }
    void SetAdaptiveMode(bool Value);
    void ResetAdaptiveMode();
    int GetPerformanceLevel() const { return FPerformanceLevel; }

    // The clock of the adaptive precision: the stopwatch (owned) and the tick count.
    void SetPerfTimer(TPerfTimer* Value);
    void SetTickCounter(TTickCounter Value) { FTickCounter = std::move(Value); }

    // The grids, for inspection.
    const TMicroTiles& GetInvalidTiles() const { return FInvalidTiles; }
    const TMicroTiles& GetForcedInvalidTiles() const { return FForcedInvalidTiles; }
    TMicroTilesMap* GetOldInvalidTilesMap() const { return FOldInvalidTilesMap.get(); }

private:
    void InstallHandlers(TLayerCollection* Layers, bool Install);
    void DrawLayerToMicroTiles(TMicroTiles& Tiles, TCustomLayer* Layer);
    void DrawMeasuringHandler(TObject* Sender, const TRect& Area, Cardinal Info);
    void AddArea(TMicroTiles& Tiles, const TRect& Area, Cardinal Info);
    void ValidateWorkingTiles();
    void UpdateOldInvalidTiles();
    void BeginAdaption();
    void EndAdaption();
    int TickCount() const { return int(FTickCounter()); }
    bool TimeForCheck() const { return int(Cardinal(TickCount()) - Cardinal(FNextCheck)) > 0; }
    void ScheduleCheck(int Delta);

    TMicroTiles* FMeasuringTarget = nullptr;
    TMicroTiles FTempTiles;
    TMicroTiles FInvalidTiles;
    TMicroTiles FForcedInvalidTiles;
    TList FInvalidLayers;
    std::unique_ptr<TMicroTilesMap> FOldInvalidTilesMap;
    bool FWorkingTilesValid = false;
    bool FOldInvalidTilesValid = false;
    bool FUseInvalidTiles = false;
    bool FAdaptiveMode = true;
    std::unique_ptr<TPerfTimer> FPerfTimer;
    TTickCounter FTickCounter;
    int FPerformanceLevel = PL_MICROTILES;
    Int64 FElapsedTimeForLastRepaint = 0;
    Int64 FElapsedTimeForFullSceneRepaint = 0;
    bool FAdaptionFailed = false;
    bool FTimedCheck = false;
    int FTimeDelta = 0;
    int FNextCheck = 0;
    Int64 FElapsedTimeOnLastPenalty = 0;
    int FOldInvalidRectsCount = 0;
    int FSlowerRepaints = 0;
};

} // namespace Bmp32

DECLARE_UNIT(Bmp32_MicroTiles)

#include "bitmap32/Bmp32_MicroTiles.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Bmp32;

namespace {

std::vector<TRect> RectsOf(const TMicroTiles& Tiles, bool Round = false) {
    TRectList list;
    MicroTilesCalcRects(Tiles, &list, false, Round);
    std::vector<TRect> result;
    for (int i = 0; i < list.GetCount(); ++i)
        result.push_back(*list[i]);
    return result;
}

TMicroTiles Grid(int Width, int Height) {
    TMicroTiles tiles = MakeEmptyMicroTiles();
    MicroTilesSetSize(tiles, {0, 0, Width, Height});
    return tiles;
}

} // namespace

TEST(MicroTilesTest, WordsAndTileUnion) {
    EXPECT_EQ(MakeMicroTile(0, 0, 32, 32), MICROTILE_FULL);
    EXPECT_EQ(MakeMicroTile(1, 2, 3, 4), 0x01020304u);
    TMicroTile tile = MICROTILE_EMPTY;
    MicroTileUnion(tile, MakeMicroTile(5, 5, 5, 9)); // no width: ignored
    EXPECT_EQ(tile, MICROTILE_EMPTY);
    MicroTileUnion(tile, MakeMicroTile(5, 6, 10, 12));
    MicroTileUnion(tile, MakeMicroTile(2, 8, 7, 20));
    EXPECT_EQ(tile, MakeMicroTile(2, 6, 10, 20));
    MicroTileUnion(tile, MICROTILE_FULL);
    EXPECT_EQ(tile, MICROTILE_FULL);
}

TEST(MicroTilesTest, SizeAndRectangles) {
    TMicroTiles tiles = Grid(100, 70);
    EXPECT_EQ(tiles.Columns, 4);
    EXPECT_EQ(tiles.Rows, 3);
    EXPECT_EQ(tiles.Count(), 5 * 4);
    EXPECT_EQ(MicroTilesCountEmptyTiles(tiles), 12);
    EXPECT_TRUE(RectsOf(tiles).empty());

    MicroTilesAddRect(tiles, {10, 10, 5, 5}); // given in reverse order
    EXPECT_EQ(tiles.Tile(0, 0), MakeMicroTile(5, 5, 10, 10));
    EXPECT_EQ(RectsOf(tiles), std::vector<TRect>({{5, 5, 10, 10}}));

    MicroTilesClear(tiles);
    MicroTilesAddRect(tiles, {30, 0, 34, 1});
    EXPECT_EQ(tiles.Tile(0, 0), MakeMicroTile(30, 0, 32, 1));
    EXPECT_EQ(tiles.Tile(1, 0), MakeMicroTile(0, 0, 2, 1));
    EXPECT_EQ(RectsOf(tiles), std::vector<TRect>({{30, 0, 34, 1}}));

    MicroTilesClearUsed(tiles);
    EXPECT_EQ(MicroTilesCountEmptyTiles(tiles), 12);
    MicroTilesAddRect(tiles, {0, 0, 64, 64});
    EXPECT_EQ(MicroTilesCountEmptyTiles(tiles), 8);
    EXPECT_EQ(RectsOf(tiles), std::vector<TRect>({{0, 0, 64, 64}}));
    EXPECT_EQ(RectsOf(tiles, true), std::vector<TRect>({{0, 0, 64, 64}}));
}

TEST(MicroTilesTest, ClampingMergesAndLines) {
    TMicroTiles tiles = Grid(100, 70);
    MicroTilesAddRect(tiles, {-50, -50, -10, -10});
    MicroTilesAddRect(tiles, {500, 0, 600, 10});
    EXPECT_TRUE(RectsOf(tiles).empty());
    MicroTilesAddRect(tiles, {-20, 60, 10, 200}); // clamped to the grid and the bounds
    EXPECT_EQ(RectsOf(tiles), std::vector<TRect>({{0, 60, 10, 70}}));

    // Runs of consecutive rows merge only with equal Left and Right.
    MicroTilesClear(tiles);
    MicroTilesAddRect(tiles, {4, 20, 8, 40});
    MicroTilesAddRect(tiles, {40, 0, 50, 32});
    MicroTilesAddRect(tiles, {40, 32, 51, 50});
    EXPECT_EQ(RectsOf(tiles), std::vector<TRect>({{4, 20, 8, 40}, {40, 0, 50, 32}, {40, 32, 51, 50}}));
    TRectList clipped;
    clipped.Add({1, 1, 1, 1}); // kept: the list is appended to
    // Clipped to equal edges, the last two merge.
    EXPECT_EQ(MicroTilesCalcRects(tiles, &clipped, TRect{0, 0, 45, 100}, false, false), 2);
    EXPECT_EQ(*clipped[0], TRect(1, 1, 1, 1));
    EXPECT_EQ(*clipped[2], TRect(40, 0, 45, 50));

    // A horizontal line is one inflated rectangle; a line far outside adds nothing.
    MicroTilesClear(tiles);
    MicroTilesAddLine(tiles, 10, 30, 60, 30, 2);
    EXPECT_EQ(RectsOf(tiles), std::vector<TRect>({{6, 26, 64, 34}}));
    MicroTilesClear(tiles);
    MicroTilesAddLine(tiles, -2000000000, 5, -1000000000, 2000000000, 1);
    MicroTilesAddLine(tiles, 1000000, 1000000, 2000000, 1000007, 1);
    EXPECT_TRUE(RectsOf(tiles).empty());
    // A diagonal line crossing the grid marks the cells along it.
    MicroTilesAddLine(tiles, -100000, -100000, 100000, 100000, 1);
    EXPECT_NE(tiles.Tile(0, 0), MICROTILE_EMPTY);
    EXPECT_NE(tiles.Tile(2, 2), MICROTILE_EMPTY);
    EXPECT_EQ(tiles.Tile(3, 0), MICROTILE_EMPTY);
}

TEST(MicroTilesTest, UnionAndCopy) {
    TMicroTiles a = Grid(100, 70), b = Grid(100, 70), c = MakeEmptyMicroTiles();
    MicroTilesAddRect(a, {5, 5, 10, 10});
    MicroTilesAddRect(b, {8, 2, 12, 7});
    MicroTilesUnion(a, b);
    EXPECT_EQ(a.Tile(0, 0), MakeMicroTile(5, 2, 12, 10));
    MicroTilesUnion(a, b, true);
    EXPECT_EQ(a.Tile(0, 0), MICROTILE_FULL);
    MicroTilesCopy(c, b);
    EXPECT_EQ(c.Columns, 4);
    EXPECT_EQ(RectsOf(c), RectsOf(b));
    // A grid of another size unites only the cells both have.
    TMicroTiles large = Grid(400, 400);
    MicroTilesAddRect(large, {0, 0, 400, 400});
    MicroTilesUnion(b, large);
    EXPECT_EQ(MicroTilesCountEmptyTiles(b), 0);
}

// ---- The optimiser ----------------------------------------------------------------------------

class RepaintOptimizerTest : public testing::Test {
protected:
    void SetUp() override {
        Buffer.SetSize(200, 100);
        Optimizer.SetPerfTimer(new TPerfTimer([this] { return Counter; }, [] { return Int64(1000000); }));
        Optimizer.SetTickCounter([this] { return Tick; });
        Optimizer.RegisterLayerCollection(&Layers);
        Optimizer.SetEnabled(true);
    }
    void TearDown() override { Optimizer.UnregisterLayerCollection(&Layers); }

    // The rectangles of the pending changes.
    std::vector<TRect> Optimize() {
        EXPECT_TRUE(Optimizer.UpdatesAvailable());
        return Perform();
    }
    std::vector<TRect> Perform() {
        Rects.Clear();
        Optimizer.PerformOptimization();
        std::vector<TRect> result;
        for (int i = 0; i < Rects.GetCount(); ++i)
            result.push_back(*Rects[i]);
        return result;
    }
    TBitmapLayer* AddLayer(const TFloatRect& Location) {
        auto* layer = Layers.Add<TBitmapLayer>();
        layer->GetBitmap()->SetSize(10, 10);
        layer->SetLocation(Location);
        return layer;
    }
    // A buffer repaint taking Micros microseconds over the rectangles now in Rects.
    void Repaint(Int64 Micros) {
        Optimizer.BeginPaintBuffer();
        Counter += Micros;
        Optimizer.EndPaintBuffer();
    }
    // Enough partial repaints of Micros each, in a row, to coarsen the precision if they are
    // slower than the full repaint.
    void PartialRepaints(Int64 Micros) {
        for (int i = 0; i < TMicroTilesRepaintOptimizer::SLOWER_REPAINTS_TO_COARSEN; ++i) {
            Rects.Add({0, 0, 1, 1});
            Repaint(Micros);
        }
    }

    Int64 Counter = 0;
    Cardinal Tick = 1000;
    TBitmap32 Buffer;
    TRectList Rects;
    TLayerCollection Layers{nullptr};
    TMicroTilesRepaintOptimizer Optimizer{&Buffer, &Rects};
};

TEST_F(RepaintOptimizerTest, OldAndNewLayerAreasForcedAreasAndRemovedLayers) {
    TBitmapLayer* layer = AddLayer({10, 10, 20, 20});
    EXPECT_EQ(Optimize(), std::vector<TRect>({{10, 10, 20, 20}}));
    EXPECT_FALSE(layer->GetInvalid());
    layer->SetLocation({50, 10, 60, 20});
    EXPECT_TRUE(layer->GetInvalid());
    EXPECT_EQ(Optimize(), std::vector<TRect>({{10, 10, 20, 20}, {50, 10, 60, 20}}));

    Optimizer.AreaUpdateHandler(nullptr, {100, 50, 110, 60}, AREAINFO_RECT);
    EXPECT_EQ(Optimize(), std::vector<TRect>({{100, 50, 110, 60}}));
    Optimizer.EndPaintBuffer();
    EXPECT_FALSE(Optimizer.UpdatesAvailable());

    delete layer;
    EXPECT_EQ(Optimize(), std::vector<TRect>({{50, 10, 60, 20}}));
    EXPECT_EQ(Optimizer.GetOldInvalidTilesMap()->GetCount(), 0);

    AddLayer({0, 0, 10, 10});
    AddLayer({70, 70, 80, 80});
    Optimize();
    Layers.Clear();
    EXPECT_EQ(Optimize(), std::vector<TRect>({{0, 0, 10, 10}, {70, 70, 80, 80}}));
}

TEST_F(RepaintOptimizerTest, ResetAndDisablingForgetPendingLayers) {
    TBitmapLayer* layer = AddLayer({10, 10, 20, 20});
    Optimizer.Reset();
    EXPECT_FALSE(layer->GetInvalid());
    EXPECT_FALSE(Optimizer.UpdatesAvailable()); // measured afresh: nothing waits
    layer->SetLocation({30, 10, 40, 20});
    Optimizer.SetEnabled(false);
    EXPECT_FALSE(layer->GetInvalid());
    Optimizer.SetEnabled(true);
    layer->SetLocation({100, 10, 110, 20});
    EXPECT_EQ(Optimize(), std::vector<TRect>({{30, 10, 40, 20}, {100, 10, 110, 20}}));
}

TEST_F(RepaintOptimizerTest, AdaptiveLevels) {
    Repaint(100); // a full repaint sets the reference time
    PartialRepaints(200); // slower than the full repaint: whole tiles
    EXPECT_EQ(Optimizer.GetPerformanceLevel(), 1);
    Tick = 5000; // past the first check: back to micro tiles, timed
    Perform();
    EXPECT_EQ(Optimizer.GetPerformanceLevel(), 0);
    PartialRepaints(200); // timed penalty: the next check 1000 ms on
    EXPECT_EQ(Optimizer.GetPerformanceLevel(), 1);
    Tick = 5999;
    Perform();
    EXPECT_EQ(Optimizer.GetPerformanceLevel(), 1);
    PartialRepaints(300);
    EXPECT_EQ(Optimizer.GetPerformanceLevel(), 2);
    Optimizer.AreaUpdateHandler(nullptr, {0, 0, 5, 5}, AREAINFO_RECT);
    EXPECT_TRUE(Optimize().empty()); // the full scene: no rectangles
    Tick = 6001;
    Perform();
    EXPECT_EQ(Optimizer.GetPerformanceLevel(), 1);

    Optimizer.SetAdaptiveMode(false);
    EXPECT_EQ(Optimizer.GetPerformanceLevel(), 0);
    Rects.Add({0, 0, 1, 1});
    Repaint(1000);
    EXPECT_EQ(Optimizer.GetPerformanceLevel(), 0);
}

// A partial repaint that the system held up once, or twice, is not a reason to repaint more:
// the precision coarsens only after repaints slower than the full one in a row.
TEST_F(RepaintOptimizerTest, OneSlowRepaintKeepsThePrecision) {
    Repaint(100);
    for (int round = 0; round < 3; ++round) {
        for (int i = 1; i < TMicroTilesRepaintOptimizer::SLOWER_REPAINTS_TO_COARSEN; ++i) {
            Rects.Add({0, 0, 1, 1});
            Repaint(400);
        }
        Rects.Add({0, 0, 1, 1});
        Repaint(20);
        EXPECT_EQ(Optimizer.GetPerformanceLevel(), 0);
    }
    PartialRepaints(400);
    EXPECT_EQ(Optimizer.GetPerformanceLevel(), 1);
    // At a timed check the evidence starts afresh: one slow repaint is not yet a penalty.
    Tick = 5000;
    Perform();
    EXPECT_EQ(Optimizer.GetPerformanceLevel(), 0);
    Rects.Add({0, 0, 1, 1});
    Repaint(400);
    EXPECT_EQ(Optimizer.GetPerformanceLevel(), 0);
}

TEST_F(RepaintOptimizerTest, TimedCheckSurvivesTickCountWrap) {
    Tick = 0x7FFFFE00;
    Repaint(100);
    PartialRepaints(200);
    Perform(); // timed check
    PartialRepaints(200); // next check at 0x7FFFFE00 + 1000, past 2^31
    EXPECT_EQ(Optimizer.GetPerformanceLevel(), 1);
    Tick = 0x7FFFFF00;
    Perform();
    EXPECT_EQ(Optimizer.GetPerformanceLevel(), 1);
    Tick = 0x80000300;
    Perform();
    EXPECT_EQ(Optimizer.GetPerformanceLevel(), 0);
}

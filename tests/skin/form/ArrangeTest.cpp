// The arithmetic of arranging MDI children, as tables: where Tile puts each child, the
// steps, sizes and offsets of Cascade, and the slots of minimized windows.
#include "skin/form/SkinForm_Arrange.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace {

TRect Bounds(int L, int T, int W, int H) {
    return TRect(L, T, L + W, T + H);
}

TEST(TileRectsTest, ColumnsFillFromTheRightEachFromTheBottom) {
    EXPECT_TRUE(TileRects(0, 600, 300).empty());
    EXPECT_EQ(TileRects(1, 600, 300), (std::vector<TRect>{Bounds(0, 0, 600, 300)})) << "one child fills the area";
    EXPECT_EQ(TileRects(2, 600, 300), (std::vector<TRect>{Bounds(0, 0, 600, 150), Bounds(0, 150, 600, 150)}));
    EXPECT_EQ(TileRects(3, 600, 300),
              (std::vector<TRect>{Bounds(0, 0, 600, 100), Bounds(0, 100, 600, 100), Bounds(0, 200, 600, 100)}));
    // Two columns of two.
    EXPECT_EQ(TileRects(4, 600, 300), (std::vector<TRect>{Bounds(0, 0, 300, 150), Bounds(0, 150, 300, 150),
                                                           Bounds(300, 0, 300, 150), Bounds(300, 150, 300, 150)}));
    // Five: the right column takes 4, 3, 2 from the bottom up in thirds, the left one 1, 0 in halves.
    EXPECT_EQ(TileRects(5, 600, 300),
              (std::vector<TRect>{Bounds(0, 0, 300, 150), Bounds(0, 150, 300, 150), Bounds(300, 0, 300, 100),
                                  Bounds(300, 100, 300, 100), Bounds(300, 200, 300, 100)}));
}

TEST(TileRectsTest, ManyChildrenStayInTheAreaEachInAPlaceOfItsOwn) {
    for (int n : {7, 10, 17, 50, 200}) {
        const std::vector<TRect> rects = TileRects(n, 800, 600);
        ASSERT_EQ(rects.size(), static_cast<std::size_t>(n));
        std::set<std::tuple<int, int>> corners;
        for (const TRect& r : rects) {
            EXPECT_GE(r.Left, 0) << n;
            EXPECT_GE(r.Top, 0) << n;
            EXPECT_LE(r.Right, 800) << n;
            EXPECT_LE(r.Bottom, 600) << n;
            EXPECT_GT(r.Bottom, r.Top) << n;
            corners.emplace(r.Left, r.Top);
        }
        EXPECT_EQ(corners.size(), rects.size()) << n << ": each child a place of its own";
        EXPECT_EQ(rects.back().Right, 800) << n << ": the last child at the right edge";
    }
}

TEST(CascadeTest, StepsSizesAndOffsets) {
    // W - round-half-even(W * 0.8), divided by the step.
    const struct {
        int W, Step, Steps;
    } steps[] = {{600, 24, 5}, {500, 22, 4}, {101, 3, 6}, {102, 1, 20}, {103, 1, 21}, {600, 0, 0}};
    for (const auto& row : steps) EXPECT_EQ(CascadeSteps(row.W, row.Step), row.Steps) << row.W << " " << row.Step;
    // 101 * 0.8 = 80.8 -> 81, 102 * 0.8 = 81.6 -> 82 and 103 * 0.8 = 82.4 -> 82 (above).
    EXPECT_EQ(CascadeSteps(15, 1), 3) << "15 * 0.8 = 12";
    // More children than steps: the size leaves room for the steps only.
    EXPECT_EQ(CascadeSize(10, 600, 400, 24), (TSize{600 - 5 * 24, 400 - 5 * 24}));
    // Fewer: room for one step less than there are children.
    EXPECT_EQ(CascadeSize(3, 600, 400, 24), (TSize{600 - 2 * 24, 400 - 2 * 24}));
    EXPECT_EQ(CascadeSize(5, 600, 400, 24), (TSize{600 - 5 * 24, 400 - 5 * 24}));
    // Offsets restart at 0 before a child would leave the area.
    const std::vector<TSize> sizes(5, TSize{200, 100});
    EXPECT_EQ(CascadeOffsets(sizes, 260, 160, 24), (std::vector<int>{0, 24, 48, 0, 24}));
    EXPECT_EQ(CascadeOffsets({TSize{300, 50}, TSize{100, 50}}, 260, 160, 24), (std::vector<int>{0, 24}))
        << "a child wider than the area still starts at 0";
}

TEST(MinimizedSlotTest, RowsFromTheBottomLeftUpwardsAndTheFirstSlotWhenFull) {
    // A 300 x 100 area holds rows of three 100 x 25 slots, four rows.
    const TRect area(0, 0, 300, 100);
    std::set<std::tuple<int, int>> taken;
    auto slot = [&] {
        const TPoint p = MinimizedSlot(area, 100, 25, [&](TPoint P) { return taken.count({P.X, P.Y}) > 0; });
        taken.emplace(p.X, p.Y);
        return p;
    };
    const TPoint expected[] = {TPoint(0, 75), TPoint(100, 75), TPoint(200, 75), TPoint(0, 50), TPoint(100, 50),
                               TPoint(200, 50), TPoint(0, 25), TPoint(100, 25), TPoint(200, 25), TPoint(0, 0),
                               TPoint(100, 0), TPoint(200, 0)};
    for (const TPoint& p : expected) EXPECT_EQ(slot(), p);
    EXPECT_EQ(slot(), TPoint(0, 75)) << "every row full: the bottom-left slot again";
    // Another area: its own left and bottom edges.
    EXPECT_EQ(MinimizedSlot(TRect(10, 20, 110, 220), 50, 30, [](TPoint) { return false; }), TPoint(10, 190));
}

TEST(MinimizedSlotTest, ASlotWithoutHeightOrWidthEndsTheSearchAtTheFirstSlot) {
    // Every slot taken; the question is asked a bounded number of times, so that a search
    // that never ends still comes back and fails instead of hanging.
    const TRect area(0, 0, 300, 100);
    for (const TSize& size : {TSize{100, 0}, TSize{0, 25}, TSize{0, 0}, TSize{100, -5}}) {
        int asked = 0;
        const TPoint p = MinimizedSlot(area, size.cx, size.cy, [&](TPoint) { return ++asked < 10000; });
        EXPECT_LT(asked, 100) << size.cx << " x " << size.cy << ": the search ends by itself";
        EXPECT_EQ(p, TPoint(0, 100 - size.cy)) << size.cx << " x " << size.cy;
    }
}

} // namespace

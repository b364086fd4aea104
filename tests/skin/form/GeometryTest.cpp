// The frame arithmetic that needs no window: zone mapping, the plain frame's hit test and
// docking.
#include "skin/form/SkinForm.h"
#include "skin/form/SkinForm_Frame.h"

#include <gtest/gtest.h>

namespace {

// A 100 x 60 picture with corner points (10,20), (90,20), (10,50), (90,50).
const TSkinFrameZones kZones{TPoint(10, 20), TPoint(90, 20), TPoint(10, 50), TPoint(90, 50), 100, 60};

TEST(MapSkinRect, EachZoneRuleMovesOrStretchesItsWay) {
    struct Case {
        TRect In, Out;
    };
    const int dX = 30, dY = 7;
    const Case cases[] = {
        {TRect(2, 2, 10, 20), TRect(2, 2, 10, 20)},      // 1 top-left, edges included
        {TRect(90, 2, 100, 20), TRect(120, 2, 130, 20)}, // 2 top-right
        {TRect(2, 50, 10, 60), TRect(2, 57, 10, 67)},    // 3 bottom-left
        {TRect(90, 50, 99, 59), TRect(120, 57, 129, 66)}, // 4 bottom-right
        {TRect(2, 2, 95, 55), TRect(2, 2, 125, 62)},     // 5 top-left to bottom-right
        {TRect(2, 2, 95, 10), TRect(2, 2, 125, 10)},     // 6 spans the top edge
        {TRect(2, 52, 95, 58), TRect(2, 59, 125, 65)},   // 7 spans the bottom edge
        {TRect(2, 2, 8, 55), TRect(2, 2, 8, 62)},        // 8 spans the left edge
        {TRect(92, 2, 98, 55), TRect(122, 2, 128, 62)},  // 9 spans the right edge
        {TRect(30, 2, 60, 10), TRect(30, 2, 60, 10)},    // 10 in the middle: stays
    };
    for (const Case& c : cases) {
        const TRect r = MapSkinRect(c.In, kZones, dX, dY);
        EXPECT_EQ(r, c.Out) << c.In.Left << "," << c.In.Top << "," << c.In.Right << "," << c.In.Bottom;
    }
}

TEST(MapSkinRect, APointOnAZoneRightEdgeIsOutsideIt) {
    // Top-left corner at x = 10 lies outside the top-left zone for a point: rule 10.
    EXPECT_EQ(MapSkinRect(TRect(10, 2, 95, 10), kZones, 30, 7), TRect(10, 2, 95, 10));
}

TEST(PlainFrameHitTest, SizesFromThreeLeftAndTopAndTwoRightAndBottomPixels) {
    const int w = 200, h = 100;
    const TRect caption(20, 3, 150, 19);
    struct Case {
        int X, Y, Code;
    };
    const Case cases[] = {
        {0, 0, HTTOPLEFT},      {2, 2, HTTOPLEFT},        {198, 0, HTTOPRIGHT},   {197, 1, HTTOP},
        {0, 98, HTBOTTOMLEFT},  {199, 99, HTBOTTOMRIGHT}, {2, 50, HTLEFT},        {3, 50, HTCLIENT},
        {198, 50, HTRIGHT},     {197, 50, HTOBJECT_FRAME}, {100, 98, HTBOTTOM},   {100, 97, HTOBJECT_FRAME},
        {100, 2, HTTOP},        {100, 10, HTCAPTION},     {150, 10, HTOBJECT_FRAME}, {100, 50, HTCLIENT},
        {3, 22, HTCLIENT},      {196, 96, HTCLIENT},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlainFrameHitTest(TPoint(c.X, c.Y), w, h, true, false, caption, 19), c.Code)
            << c.X << "," << c.Y;
    // Not sizeable (maximized, rolled up, minimized): the edges are frame, not borders.
    EXPECT_EQ(PlainFrameHitTest(TPoint(0, 0), w, h, false, false, caption, 19), HTOBJECT_FRAME);
    EXPECT_EQ(PlainFrameHitTest(TPoint(100, 10), w, h, false, false, caption, 19), HTCAPTION);
    // A hovered object wins over the borders.
    EXPECT_EQ(PlainFrameHitTest(TPoint(0, 0), w, h, true, true, caption, 19), HTOBJECT_FRAME);
}

TEST(MagneticDock, DocksOnlyStrictlyCloserThanTheDistance) {
    const TRect area(0, 0, 1000, 800);
    int l = 10, t = 10;
    MagneticDock(l, t, 100, 50, area, 10);
    EXPECT_EQ(l, 10) << "exactly the distance away does not dock";
    EXPECT_EQ(t, 10);
    l = 9, t = -9;
    MagneticDock(l, t, 100, 50, area, 10);
    EXPECT_EQ(l, 0);
    EXPECT_EQ(t, 0);
    l = 895, t = 745;
    MagneticDock(l, t, 100, 50, area, 10);
    EXPECT_EQ(l, 900);
    EXPECT_EQ(t, 750);
    l = 1, t = 1;
    MagneticDock(l, t, 100, 50, area, 0);
    EXPECT_EQ(l, 1) << "a distance of 0 never docks";
}

} // namespace

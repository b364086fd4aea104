// Where the LED picture's parts lie, and the shortening
// of file names for the pages caption.
#include "app/LedGeometry.h"

#include "classlib/Exceptions.h"

#include <gtest/gtest.h>

namespace {

TEST(SegmentShape, OutlinesLieWithinTheirLayers) {
    for (int segment = 0; segment < kSegmentCount; ++segment) {
        const TRect area = SegmentLocation(segment);
        for (const TPoint& p : SegmentShape(segment)) {
            EXPECT_GE(p.X, 0);
            EXPECT_LT(p.X, area.Width());
            EXPECT_GE(p.Y, 0);
            EXPECT_LT(p.Y, area.Height());
        }
    }
    EXPECT_EQ(SegmentShape(0).front(), TPoint(0, 5));
    EXPECT_EQ(SegmentShape(1).front(), TPoint(5, 0));
}

TEST(SegmentShape, BadNumbersRaise) {
    EXPECT_THROW(SegmentLocation(8), ERangeError);
    EXPECT_THROW(SegmentShape(-1), ERangeError);
    EXPECT_THROW(PinWire(8), ERangeError);
}

TEST(PinWires, StartWithTheConnectorAndEndBesideTheirSegment) {
    const TPoint ends[kPinCount] = {{58, 31},  {88, 65}, {88, 117}, {56, 150},
                                    {21, 121}, {21, 67}, {85, 90},  {107, 143}};
    for (int pin = 0; pin < kPinCount; ++pin) {
        std::vector<TPoint> wire = PinWire(pin);
        TPoint at = PinPosition(pin);
        ASSERT_GE(wire.size(), 9u);
        EXPECT_EQ(wire[0], at);
        EXPECT_EQ(wire[3], TPoint(at.X + 28, at.Y - 5));
        EXPECT_EQ(wire[7], at);
        EXPECT_EQ(wire.back(), ends[pin]) << "pin " << pin;
    }
}

TEST(PinLabels, ShowLetterAndLevel) {
    EXPECT_EQ(PinLabelText(0, true), "A  5v  1");
    EXPECT_EQ(PinLabelText(7, false), "H  0v  0");
    EXPECT_EQ(PinLabelRect(2), TRect(242, 51, 283, 64));
}

TEST(Thumbnail, SegmentsFillTheirRectanglesWithinTheThumbnail) {
    EXPECT_EQ(ThumbnailSegmentRect(0), TRect(3, 3, 23, 6));
    EXPECT_EQ(ThumbnailSegmentRect(7), TRect(26, 33, 28, 36));
    for (int segment = 0; segment < kSegmentCount; ++segment) {
        TRect r = ThumbnailSegmentRect(segment);
        EXPECT_LE(r.Right, kThumbnailWidth);
        EXPECT_LE(r.Bottom, kThumbnailHeight);
    }
}

} // namespace

// Where the LED picture's parts lie, which segment a point hits, and the shortening
// of file names for the pages caption.
#include "app/LedGeometry.h"
#include "app/MinimizeName.h"

#include "classlib/Exceptions.h"

#include <gtest/gtest.h>

namespace {

TEST(SegmentHit, EachSegmentIsHitInsideItsArea) {
    EXPECT_EQ(SegmentAt(55, 38), 0);   // a
    EXPECT_EQ(SegmentAt(81, 60), 1);   // b
    EXPECT_EQ(SegmentAt(81, 115), 2);  // c
    EXPECT_EQ(SegmentAt(55, 142), 3);  // d
    EXPECT_EQ(SegmentAt(29, 115), 4);  // e
    EXPECT_EQ(SegmentAt(29, 60), 5);   // f
    EXPECT_EQ(SegmentAt(55, 90), 6);   // g
    EXPECT_EQ(SegmentAt(100, 143), 7); // decimal point
}

TEST(SegmentHit, TheLaterSegmentWinsWhereTwoOverlap) {
    // a (30..80 x 33..43) and b (76..86 x 39..89) share 76..80 x 39..43.
    EXPECT_EQ(SegmentAt(78, 41), 1);
    // b and g (30..80 x 85..95) share 76..80 x 85..89.
    EXPECT_EQ(SegmentAt(78, 87), 6);
    EXPECT_EQ(SegmentAt(78, 35), 0);
}

TEST(SegmentHit, RightAndBottomEdgesAreOutside) {
    EXPECT_EQ(SegmentAt(29, 38), -1);
    EXPECT_EQ(SegmentAt(30, 38), 0);
    EXPECT_EQ(SegmentAt(105, 143), -1);
    EXPECT_EQ(SegmentAt(100, 148), -1);
    EXPECT_EQ(SegmentAt(150, 100), -1);
}

TEST(SegmentShape, OutlinesLieWithinTheirAreas) {
    for (int segment = 0; segment < kSegmentCount; ++segment) {
        TRect area = SegmentLocation(segment);
        for (const TPoint& p : SegmentOutline(segment)) {
            EXPECT_GE(p.X, area.Left);
            EXPECT_LT(p.X, area.Right);
            EXPECT_GE(p.Y, area.Top);
            EXPECT_LT(p.Y, area.Bottom);
        }
    }
    EXPECT_EQ(SegmentOutline(0).front(), TPoint(30, 38));
    EXPECT_EQ(SegmentOutline(1).front(), TPoint(81, 39));
}

TEST(SegmentShape, BadNumbersRaise) {
    EXPECT_THROW(SegmentLocation(8), ERangeError);
    EXPECT_THROW(SegmentOutline(-1), ERangeError);
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
        EXPECT_EQ(SegmentAt(wire.back().X, wire.back().Y), -1) << "pin " << pin;
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

// One pixel per character makes the steps easy to follow.
int Chars(const AnsiString& Text) {
    return static_cast<int>(Text.size());
}

TEST(MinimizeName, ANameThatFitsStaysWhole) {
    EXPECT_EQ(MinimizeName("C:\\pages\\digits.pge", Chars, 100), "C:\\pages\\digits.pge");
}

TEST(MinimizeName, LeadingFoldersGiveWayOneByOne) {
    const AnsiString name = "C:\\one\\two\\three\\digits.pge"; // 27 characters
    EXPECT_EQ(MinimizeName(name, Chars, 27), name);
    EXPECT_EQ(MinimizeName(name, Chars, 26), "C:\\...\\three\\digits.pge");
    EXPECT_EQ(MinimizeName(name, Chars, 22), "C:\\...\\digits.pge");
    EXPECT_EQ(MinimizeName(name, Chars, 16), "...\\digits.pge");
    EXPECT_EQ(MinimizeName(name, Chars, 13), "digits.pge");
    EXPECT_EQ(MinimizeName(name, Chars, 5), "digits.pge");
}

TEST(MinimizeName, NamesWithoutDrive) {
    EXPECT_EQ(MinimizeName("digits.pge", Chars, 3), "digits.pge");
    EXPECT_EQ(MinimizeName("one\\two\\digits.pge", Chars, 18), "one\\two\\digits.pge");
    EXPECT_EQ(MinimizeName("one\\two\\digits.pge", Chars, 16), "...\\digits.pge");
}

} // namespace

#include "app/LedGeometry.h"

#include "classlib/Exceptions.h"
#include "classlib/Strings.h"

#include <array>

namespace {

void CheckSegment(int Segment) {
    if (Segment < 0 || Segment >= kSegmentCount)
        throw ERangeError(Format("Segment number %d is not 0 to 7", Segment));
}

constexpr std::array<TRect, kSegmentCount> kLocations = {{
    {30, 33, 81, 44},   // a
    {76, 39, 87, 90},   // b
    {76, 91, 87, 142},  // c
    {30, 137, 81, 148}, // d
    {24, 91, 35, 142},  // e
    {24, 39, 35, 90},   // f
    {30, 85, 81, 96},   // g
    {95, 138, 105, 148} // decimal point
}};

// Outlines within a segment's location.
constexpr TPoint kHorizontal[] = {{0, 5}, {5, 0}, {45, 0}, {50, 5}, {45, 10}, {5, 10}};
constexpr TPoint kVertical[] = {{5, 0}, {10, 5}, {10, 45}, {5, 50}, {0, 45}, {0, 5}};
constexpr TPoint kSquare[] = {{0, 0}, {9, 0}, {9, 9}, {0, 9}};

// Each wire's way from its pin to its segment, as steps from the pin.
const std::vector<TPoint> kWireSteps[kPinCount] = {
    {{-140, 0}, {0, 14}},
    {{-100, 0}, {0, 28}, {-10, 0}},
    {{-75, 0}, {0, 60}, {-35, 0}},
    {{-52, 0}, {0, 81}, {-90, 0}, {0, -8}},
    {{-45, 0}, {0, 72}, {-138, 0}, {0, -48}, {6, 0}},
    {{-37, 0}, {0, 60}, {-153, 0}, {0, -110}, {13, 0}},
    {{-18, 0}, {0, 10}, {55, 0}, {0, -100}, {-125, 0}, {0, 43}, {-25, 0}},
    {{-28, 0}, {0, -30}, {60, 0}, {0, -60}, {-95, 0}, {0, 76}, {-28, 0}},
};

constexpr std::array<TRect, kSegmentCount> kThumbnailRects = {{
    {3, 3, 23, 6},
    {20, 3, 23, 20},
    {20, 20, 23, 36},
    {3, 33, 23, 36},
    {3, 20, 6, 36},
    {3, 3, 6, 20},
    {3, 18, 23, 21},
    {26, 33, 28, 36},
}};

void CheckPin(int Pin) {
    if (Pin < 0 || Pin >= kPinCount) throw ERangeError(Format("Pin number %d is not 0 to 7", Pin));
}

} // namespace

TSegmentKind SegmentKind(int Segment) {
    CheckSegment(Segment);
    switch (Segment) {
    case 0:
    case 3:
    case 6:
        return skHorizontal;
    case kDecimalPoint:
        return skSquare;
    default:
        return skVertical;
    }
}

TRect SegmentLocation(int Segment) {
    CheckSegment(Segment);
    return kLocations[static_cast<std::size_t>(Segment)];
}

std::vector<TPoint> SegmentShape(int Segment) {
    switch (SegmentKind(Segment)) {
    case skHorizontal:
        return {std::begin(kHorizontal), std::end(kHorizontal)};
    case skVertical:
        return {std::begin(kVertical), std::end(kVertical)};
    default:
        return {std::begin(kSquare), std::end(kSquare)};
    }
}

TPoint PinPosition(int Pin) {
    CheckPin(Pin);
    return {198, 17 + 20 * Pin};
}

std::vector<TPoint> PinWire(int Pin) {
    const TPoint p = PinPosition(Pin);
    const int x = p.X;
    const int y = p.Y;
    std::vector<TPoint> wire = {{x, y},          {x, y - 1},     {x + 6, y - 5}, {x + 28, y - 5},
                                {x + 28, y + 5}, {x + 6, y + 5}, {x, y + 1},     {x, y}};
    TPoint running = p;
    for (const TPoint& step : kWireSteps[Pin]) {
        running = TPoint(running.X + step.X, running.Y + step.Y);
        wire.push_back(running);
    }
    return wire;
}

TRect PinLabelRect(int Pin) {
    CheckPin(Pin);
    int top = 11 + 20 * Pin;
    return {242, top, 283, top + 13};
}

AnsiString PinLabelText(int Pin, bool Level) {
    CheckPin(Pin);
    return AnsiString(1, static_cast<char>('A' + Pin)) + (Level ? "  5v  1" : "  0v  0");
}

TRect ThumbnailSegmentRect(int Segment) {
    CheckSegment(Segment);
    return kThumbnailRects[static_cast<std::size_t>(Segment)];
}

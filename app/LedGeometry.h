// The geometry of the LED picture: where each segment, pin, wire and pin label
// lies in the view, and the page thumbnail layout.
// All coordinates are whole pixels; rectangles exclude their right and bottom edges.
#pragma once

#include "classlib/Types.h"

#include <vector>

// Segments 0 to 6 are a (top), b (upper right), c (lower right), d (bottom),
// e (lower left), f (upper left), g (middle); 7 is the decimal point. Pin i
// (letters A to H) drives segment i.
constexpr int kSegmentCount = 8;
constexpr int kPinCount = 8;
constexpr int kDecimalPoint = 7;

constexpr int kLedViewWidth = 297;
constexpr int kLedViewHeight = 189;

constexpr int kThumbnailWidth = 30;
constexpr int kThumbnailHeight = 40;

enum TSegmentKind { skHorizontal, skVertical, skSquare };

TSegmentKind SegmentKind(int Segment);
// The segment's own area in the view: its layer, which is what the mouse hits.
TRect SegmentLocation(int Segment);
// The closed outline of the segment, in its layer's pixels.
std::vector<TPoint> SegmentShape(int Segment);

// Where pin Pin sits at the right of the view.
TPoint PinPosition(int Pin);
// The open wire from pin Pin (starting with its connector) to its segment.
std::vector<TPoint> PinWire(int Pin);
// The label beside pin Pin, and its text for a pin level: "A  5v  1" or "A  0v  0".
TRect PinLabelRect(int Pin);
AnsiString PinLabelText(int Pin, bool Level);

// The rectangle a lit segment fills in a page thumbnail.
TRect ThumbnailSegmentRect(int Segment);

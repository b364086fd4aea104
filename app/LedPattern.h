// What a page byte means for the picture: which segments it lights under an LED
// type, and the byte that a set of lit segments gives.
//
// Common anode (CommonCathode false): a segment is lit when its pin is 0.
// Common cathode: a segment is lit when its pin is 1.
#pragma once

#include "classlib/Types.h"

#include <array>

using TSegmentStates = std::array<bool, 8>;

bool SegmentLit(int Segment, Byte Pattern, bool CommonCathode);
TSegmentStates LitSegments(Byte Pattern, bool CommonCathode);
Byte PatternFromSegments(const TSegmentStates& Lit, bool CommonCathode);
// The complement of the eight bits.
Byte InvertByte(Byte Value);

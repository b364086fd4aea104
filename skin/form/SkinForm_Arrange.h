// The arithmetic of arranging MDI children, apart from any window: where Tile puts each
// child, the size and offsets of Cascade, and the slot of a minimized skinned window.
#pragma once

#include "classlib/Types.h"

#include <functional>
#include <vector>

// The bounds (left, top, width, height as a TRect of left, top, right, bottom) of the
// Count children of a W x H work area, by child index: trunc(sqrt(Count)) columns filled
// from the right, each from the bottom up, the last child at the bottom right; the
// columns on the left take what is left, in taller rows. Empty for no child.
std::vector<TRect> TileRects(int Count, int W, int H);

// How many steps of Step pixels Cascade allows in a W-wide area: what a fifth of W holds,
// the fifth rounded as W minus the nearest integer to W * 0.8 (halves to even).
int CascadeSteps(int W, int Step);
// The size of a cascaded child of Count in a W x H area, before the least size of the
// frame is applied.
TSize CascadeSize(int Count, int W, int H, int Step);
// The top-left offset of each cascaded child, given in cascade order (the last child
// first) with its size: each one Step further in, back to 0 before a child would leave
// the area.
std::vector<int> CascadeOffsets(const std::vector<TSize>& Sizes, int W, int H, int Step);

// The slot of a minimized W x H window in Area: from the bottom-left corner rightwards,
// then the rows above; Taken(P) tells whether another minimized window stands at P. When
// every row is full, or the window has no width or height to step by, the bottom-left slot
// is used again.
TPoint MinimizedSlot(const TRect& Area, int W, int H, const std::function<bool(TPoint)>& Taken);

// The frame arithmetic of a skinned form that needs no window: mapping a rectangle of the
// skin picture onto the frame at another size, the plain frame's hit test and docking to
// the work area's edges.
#pragma once

#include "skin/data/Skutils_Geometry.h"

// The skin picture's corner points and size.
struct TSkinFrameZones {
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    int PictureWidth = 0;
    int PictureHeight = 0;
};

// R of the picture moved or stretched with the corner zone(s) it lies in; dX, dY are how
// far the bottom-right corner point moved.
TRect MapSkinRect(const TRect& R, const TSkinFrameZones& Zones, int dX, int dY);

// The plain frame's answer for P (frame coordinates) on a W x H window. CanSize: normal,
// not rolled up, sizeable and not minimized.
int PlainFrameHitTest(TPoint P, int W, int H, bool CanSize, bool ObjectActive,
                      const TRect& CaptionRect, int CaptionHeight);

// Moves L and T to an edge of Area when the window is closer than M pixels to it.
void MagneticDock(int& L, int& T, int W, int H, const TRect& Area, int M);

// Left and top edges inside, right and bottom edges outside.
inline bool InHalfOpen(const TRect& R, const TPoint& P) {
    return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}

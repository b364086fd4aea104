// Rectangle and point tests shared by every skinned element. A rectangle whose width
// or height is 0 or less is empty: the skin gives no such image.
#pragma once

#include "classlib/Types.h"

inline int RectWidth(const TRect& R) {
    return R.Right - R.Left;
}
inline int RectHeight(const TRect& R) {
    return R.Bottom - R.Top;
}
inline TRect NullRect() {
    return TRect(0, 0, 0, 0);
}
inline bool IsNullRect(const TRect& R) {
    return RectWidth(R) <= 0 || RectHeight(R) <= 0;
}
inline bool IsNullPoint(const TPoint& P) {
    return P.X == 0 || P.Y == 0;
}
inline bool EqRects(const TRect& R1, const TRect& R2) {
    return R1 == R2;
}
// All four sides included.
inline bool PointInRect(const TRect& R, const TPoint& P) {
    return R.Left <= P.X && P.X <= R.Right && R.Top <= P.Y && P.Y <= R.Bottom;
}

// Rectangle and point tests shared by every skinned element. A rectangle whose width
// or height is 0 or less is empty: the skin gives no such image. Also the rounding and
// range fraction of the value controls.
#pragma once

#include "classlib/Types.h"

#include <cmath>

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
inline TRect MovedRect(const TRect& R, int dX, int dY) {
    return TRect(R.Left + dX, R.Top + dY, R.Right + dX, R.Bottom + dY);
}
// All four sides included.
inline bool PointInRect(const TRect& R, const TPoint& P) {
    return R.Left <= P.X && P.X <= R.Right && R.Top <= P.Y && P.Y <= R.Bottom;
}

// The nearest integer, halves to even.
inline int RoundEven(double Value) {
    return static_cast<int>(std::nearbyint(Value));
}
// How far Value lies from Min towards Max, as a real number; 0 for an empty range. The
// differences are taken in floating point: a range may span all of int.
inline double RangeFraction(int Value, int Min, int Max) {
    return Max == Min ? 0.0
                      : (static_cast<double>(Value) - Min) / (static_cast<double>(Max) - Min);
}
// Value raised to Min when below it, then lowered to Max when above it. Bounds that cross
// (a form sets MinValue before MaxValue, and may set them so) give Max for every value: a
// clamped value clamps to itself, so a value that was read writes back and reads again
// unchanged. Value is wide, so that a step past either end of an int range is clamped rather
// than wrapped. Every control holding a value between two bounds keeps it with this after
// each change of the value or of a bound.
inline int ClampValue(Int64 Value, int Min, int Max) {
    const Int64 raised = Value < Min ? Min : Value;
    return static_cast<int>(raised > Max ? Max : raised);
}
// The same rule for a floating-point value (the spin edit's).
inline double ClampValue(double Value, double Min, double Max) {
    const double raised = Value < Min ? Min : Value;
    return raised > Max ? Max : raised;
}
// The number edits' bounds (track edit, spin edit): equal bounds hold any value, and others
// keep it by ClampValue.
template <typename T> T KeepToEditBounds(T Value, T Min, T Max) {
    return Min == Max ? Value : ClampValue(Value, Min, Max);
}

#include "bitmap32/Bmp32_Transforms.h"

#include "bitmap32/Bmp32_Math.h"

namespace Bmp32 {

bool FullEdge = true;

TFixed CheckedFixed(int Value) {
    if (Value < -0x8000 || Value > 0x7FFF)
        throw EIntOverflow("Coordinate out of the fixed-point range");
    return Fixed(Value);
}

namespace {

// Maps P through one of the point methods, whose coordinate type matches the point's.
template <typename Point, typename Coord>
Point MapPoint(TTransformation& T, const Point& P,
               void (TTransformation::*Method)(Coord, Coord, Coord&, Coord&)) {
    Point result;
    (T.*Method)(P.X, P.Y, result.X, result.Y);
    return result;
}

} // namespace

void TTransformation::SetSrcRect(const TFloatRect& Value) {
    FSrcRect = Value;
    FPrepared = false;
}

void TTransformation::PrepareTransform() {}

void TTransformation::PrepareIfNeeded() {
    if (!FPrepared) PrepareTransform();
}

void TTransformation::ReverseTransformInt(int DstX, int DstY, int& SrcX, int& SrcY) {
    TFixed x = 0;
    TFixed y = 0;
    ReverseTransformFixed(CheckedFixed(DstX), CheckedFixed(DstY), x, y);
    SrcX = FixedRound(x);
    SrcY = FixedRound(y);
}

void TTransformation::ReverseTransformFixed(TFixed DstX, TFixed DstY, TFixed& SrcX, TFixed& SrcY) {
    float x = 0;
    float y = 0;
    ReverseTransformFloat(float(DstX * FixedToFloat), float(DstY * FixedToFloat), x, y);
    SrcX = Fixed(x);
    SrcY = Fixed(y);
}

void TTransformation::ReverseTransformFloat(float, float, float&, float&) {
    throw ETransformNotImplemented(AnsiString("Reverse transformation is not implemented in ") +
                                   ClassName() + ".");
}

void TTransformation::TransformInt(int SrcX, int SrcY, int& DstX, int& DstY) {
    TFixed x = 0;
    TFixed y = 0;
    TransformFixed(CheckedFixed(SrcX), CheckedFixed(SrcY), x, y);
    DstX = FixedRound(x);
    DstY = FixedRound(y);
}

void TTransformation::TransformFixed(TFixed SrcX, TFixed SrcY, TFixed& DstX, TFixed& DstY) {
    float x = 0;
    float y = 0;
    TransformFloat(float(SrcX * FixedToFloat), float(SrcY * FixedToFloat), x, y);
    DstX = Fixed(x);
    DstY = Fixed(y);
}

void TTransformation::TransformFloat(float, float, float&, float&) {
    throw ETransformNotImplemented(AnsiString("Forward transformation is not implemented in ") +
                                   ClassName() + ".");
}

bool TTransformation::HasTransformedBounds() const {
    return true;
}

TRect TTransformation::GetTransformedBounds(const TFloatRect& ASrcRect) {
    return MakeRect(ASrcRect, rrClosest);
}

TRect TTransformation::GetTransformedBounds() {
    return GetTransformedBounds(FSrcRect);
}

TPoint TTransformation::ReverseTransform(const TPoint& P) {
    PrepareIfNeeded();
    return MapPoint(*this, P, &TTransformation::ReverseTransformInt);
}

TFixedPoint TTransformation::ReverseTransform(const TFixedPoint& P) {
    PrepareIfNeeded();
    return MapPoint(*this, P, &TTransformation::ReverseTransformFixed);
}

TFloatPoint TTransformation::ReverseTransform(const TFloatPoint& P) {
    PrepareIfNeeded();
    return MapPoint(*this, P, &TTransformation::ReverseTransformFloat);
}

TPoint TTransformation::Transform(const TPoint& P) {
    PrepareIfNeeded();
    return MapPoint(*this, P, &TTransformation::TransformInt);
}

TFixedPoint TTransformation::Transform(const TFixedPoint& P) {
    PrepareIfNeeded();
    return MapPoint(*this, P, &TTransformation::TransformFixed);
}

TFloatPoint TTransformation::Transform(const TFloatPoint& P) {
    PrepareIfNeeded();
    return MapPoint(*this, P, &TTransformation::TransformFloat);
}

} // namespace Bmp32

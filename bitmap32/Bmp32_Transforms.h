// Point mappings between a source and a destination plane: the transformation base class
// that samplers and polygon code map points through, and the edge rule of the stretching
// routines.
#pragma once

#include "bitmap32/Bmp32_Basics.h"
#include "classlib/Exceptions.h"
#include "classlib/Objects.h"

namespace Bmp32 {

DECLARE_EXCEPTION(ETransformError, Exception);
// Raised by a transformation that has no forward or no reverse direction.
DECLARE_EXCEPTION(ETransformNotImplemented, Exception);

// On: stretching maps pixel edges onto pixel edges (scale = source size / destination size).
// Off: it maps the centres of the first and last pixels onto each other
// (scale = (source size - 1) / (destination size - 1)).
extern bool FullEdge;

// An integer coordinate as 16.16; raises EIntOverflow for those outside -32768..32767, which
// the fixed-point form cannot hold.
TFixed CheckedFixed(int Value);

// Maps source points to destination points (Transform) and back (ReverseTransform). The
// point operations prepare the transformation first whenever a parameter has changed.
//
// A descendant implements TransformFloat and ReverseTransformFloat, or both directions in
// every precision; the integer and fixed forms of the base go through the float ones.
class TTransformation : public TPersistent {
    DECLARE_CLASS(TTransformation, TPersistent)
public:
    const TFloatRect& GetSrcRect() const { return FSrcRect; }
    void SetSrcRect(const TFloatRect& Value);
    // False until PrepareTransform has run for the current parameters.
    bool GetPrepared() const { return FPrepared; }

    // Derives internal values from the parameters; the base has none.
    virtual void PrepareTransform();

    // The integer forms raise EIntOverflow for coordinates outside the 16.16 range.
    virtual void ReverseTransformInt(int DstX, int DstY, int& SrcX, int& SrcY);
    virtual void ReverseTransformFixed(TFixed DstX, TFixed DstY, TFixed& SrcX, TFixed& SrcY);
    // Raises ETransformNotImplemented in the base.
    virtual void ReverseTransformFloat(float DstX, float DstY, float& SrcX, float& SrcY);
    virtual void TransformInt(int SrcX, int SrcY, int& DstX, int& DstY);
    virtual void TransformFixed(TFixed SrcX, TFixed SrcY, TFixed& DstX, TFixed& DstY);
    // Raises ETransformNotImplemented in the base.
    virtual void TransformFloat(float SrcX, float SrcY, float& DstX, float& DstY);

    virtual bool HasTransformedBounds() const;
    // The destination rectangle that ASrcRect maps into; the base rounds ASrcRect itself.
    virtual TRect GetTransformedBounds(const TFloatRect& ASrcRect);
    TRect GetTransformedBounds();

    virtual TPoint ReverseTransform(const TPoint& P);
    virtual TFixedPoint ReverseTransform(const TFixedPoint& P);
    virtual TFloatPoint ReverseTransform(const TFloatPoint& P);
    virtual TPoint Transform(const TPoint& P);
    virtual TFixedPoint Transform(const TFixedPoint& P);
    virtual TFloatPoint Transform(const TFloatPoint& P);

protected:
    void SetPrepared(bool Value) { FPrepared = Value; }
    void PrepareIfNeeded();

private:
    TFloatRect FSrcRect;
    bool FPrepared = false;
};

} // namespace Bmp32

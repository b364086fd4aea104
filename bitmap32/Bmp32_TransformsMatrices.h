// 3 by 3 matrices (indexed [column][row], so a point maps to column 0 times x plus column 1
// times y plus column 2) and the two matrix transformations: affine and projective.
#pragma once

#include "bitmap32/Bmp32_Transforms.h"

#include <array>

namespace Bmp32 {

using TFloatMatrix = std::array<std::array<float, 3>, 3>;
using TFixedMatrix = std::array<std::array<TFixed, 3>, 3>;
using TVector3f = std::array<float, 3>;

inline constexpr TFloatMatrix IdentityMatrix{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};

// The transposed cofactor matrix.
void Adjoint(TFloatMatrix& M);
float Determinant(const TFloatMatrix& M);
void Scale(TFloatMatrix& M, float Factor);
// A matrix whose determinant is below 1e-5 in size becomes the identity.
void Invert(TFloatMatrix& M);
// M1 x M2: M2 applies first.
TFloatMatrix Mult(const TFloatMatrix& M1, const TFloatMatrix& M2);
TVector3f VectorTransform(const TFloatMatrix& M, const TVector3f& V);
// Each element times 65536, rounded to nearest.
TFixedMatrix FixedMatrix(const TFloatMatrix& M);
TFloatMatrix FloatMatrix(const TFixedMatrix& M);

// A matrix built up from translations, scalings, skews and rotations; the last call applies
// last to a point.
class TAffineTransformation : public TTransformation {
    DECLARE_CLASS(TAffineTransformation, TTransformation)
public:
    TAffineTransformation() { Clear(); }

    TFloatMatrix Matrix;

    // Matrix becomes the identity.
    void Clear();
    void Translate(float Dx, float Dy);
    void Scale(float Sx, float Sy);
    void Skew(float Fx, float Fy);
    // By Alpha degrees about (Cx, Cy).
    void Rotate(float Cx, float Cy, float Alpha);

    void PrepareTransform() override;
    void ReverseTransformFixed(TFixed DstX, TFixed DstY, TFixed& SrcX, TFixed& SrcY) override;
    void ReverseTransformFloat(float DstX, float DstY, float& SrcX, float& SrcY) override;
    void TransformFixed(TFixed SrcX, TFixed SrcY, TFixed& DstX, TFixed& DstY) override;
    void TransformFloat(float SrcX, float SrcY, float& DstX, float& DstY) override;
    // The four transformed corners, widened by half a pixel and rounded (ties to even).
    TRect GetTransformedBounds(const TFloatRect& ASrcRect) override;
    using TTransformation::GetTransformedBounds;

private:
    void Apply(const TFloatMatrix& M);
    TFloatMatrix FInverseMatrix{};
    TFixedMatrix FFixedMatrix{};
    TFixedMatrix FInverseFixedMatrix{};
};

// Maps SrcRect onto the quadrilateral (X0, Y0) top-left, (X1, Y1) top-right, (X2, Y2)
// bottom-right, (X3, Y3) bottom-left. A point without an image (divisor 0) maps to itself.
class TProjectiveTransformation : public TTransformation {
    DECLARE_CLASS(TProjectiveTransformation, TTransformation)
public:
    // Corner 0 .. 3.
    float GetX(int Corner) const { return FX[Corner]; }
    float GetY(int Corner) const { return FY[Corner]; }
    void SetX(int Corner, float Value);
    void SetY(int Corner, float Value);
    void SetX0(float Value) { SetX(0, Value); }
    void SetX1(float Value) { SetX(1, Value); }
    void SetX2(float Value) { SetX(2, Value); }
    void SetX3(float Value) { SetX(3, Value); }
    void SetY0(float Value) { SetY(0, Value); }
    void SetY1(float Value) { SetY(1, Value); }
    void SetY2(float Value) { SetY(2, Value); }
    void SetY3(float Value) { SetY(3, Value); }

    // Raises ETransformError "SrcRect is empty!" for an empty SrcRect.
    void PrepareTransform() override;
    void ReverseTransformFixed(TFixed DstX, TFixed DstY, TFixed& SrcX, TFixed& SrcY) override;
    void ReverseTransformFloat(float DstX, float DstY, float& SrcX, float& SrcY) override;
    void TransformFixed(TFixed SrcX, TFixed SrcY, TFixed& DstX, TFixed& DstY) override;
    void TransformFloat(float SrcX, float SrcY, float& DstX, float& DstY) override;
    // The quadrilateral's bounds, whatever rectangle is given.
    TRect GetTransformedBounds(const TFloatRect& ASrcRect) override;
    using TTransformation::GetTransformedBounds;

private:
    float FX[4] = {0, 0, 0, 0};
    float FY[4] = {0, 0, 0, 0};
    TFloatMatrix FMatrix{};
    TFloatMatrix FInverseMatrix{};
    TFixedMatrix FFixedMatrix{};
    TFixedMatrix FInverseFixedMatrix{};
};

// Raises ETransformError "SrcRect is empty!" when R has no area.
void RequireSrcRect(const TFloatRect& R);

} // namespace Bmp32

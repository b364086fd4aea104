// Matrix arithmetic and the affine and projective transformations.
#include "bitmap32/Bmp32_TransformsMatrices.h"

#include "bitmap32/Bmp32_Blend.h"
#include "bitmap32/Bmp32_Math.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Bmp32 {

// ---- Matrices -------------------------------------------------------------------------------

namespace {

float Det2(float A, float B, float C, float D) {
    return A * D - B * C;
}

// The box MinX..MaxX by MinY..MaxY widened by half a pixel and rounded, ties to even.
TRect BoundsOf(float MinX, float MinY, float MaxX, float MaxY) {
    return {RoundToInt(MinX - 0.5), RoundToInt(MinY - 0.5), RoundToInt(MaxX + 0.5),
            RoundToInt(MaxY + 0.5)};
}

} // namespace

void Adjoint(TFloatMatrix& M) {
    const TFloatMatrix t = M;
    M[0][0] = Det2(t[1][1], t[1][2], t[2][1], t[2][2]);
    M[0][1] = -Det2(t[0][1], t[0][2], t[2][1], t[2][2]);
    M[0][2] = Det2(t[0][1], t[0][2], t[1][1], t[1][2]);
    M[1][0] = -Det2(t[1][0], t[1][2], t[2][0], t[2][2]);
    M[1][1] = Det2(t[0][0], t[0][2], t[2][0], t[2][2]);
    M[1][2] = -Det2(t[0][0], t[0][2], t[1][0], t[1][2]);
    M[2][0] = Det2(t[1][0], t[1][1], t[2][0], t[2][1]);
    M[2][1] = -Det2(t[0][0], t[0][1], t[2][0], t[2][1]);
    M[2][2] = Det2(t[0][0], t[0][1], t[1][0], t[1][1]);
}

float Determinant(const TFloatMatrix& M) {
    return M[0][0] * Det2(M[1][1], M[2][1], M[1][2], M[2][2]) -
           M[0][1] * Det2(M[1][0], M[2][0], M[1][2], M[2][2]) +
           M[0][2] * Det2(M[1][0], M[2][0], M[1][1], M[2][1]);
}

void Scale(TFloatMatrix& M, float Factor) {
    for (auto& column : M)
        for (float& v : column)
            v *= Factor;
}

void Invert(TFloatMatrix& M) {
    const float d = Determinant(M);
    if (std::fabs(d) < 1e-5f) {
        M = IdentityMatrix;
        return;
    }
    Adjoint(M);
    Scale(M, 1 / d);
}

TFloatMatrix Mult(const TFloatMatrix& M1, const TFloatMatrix& M2) {
    TFloatMatrix r{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            r[i][j] = M1[0][j] * M2[i][0] + M1[1][j] * M2[i][1] + M1[2][j] * M2[i][2];
    return r;
}

TVector3f VectorTransform(const TFloatMatrix& M, const TVector3f& V) {
    TVector3f r{};
    for (int i = 0; i < 3; ++i)
        r[i] = M[0][i] * V[0] + M[1][i] * V[1] + M[2][i] * V[2];
    return r;
}

TFixedMatrix FixedMatrix(const TFloatMatrix& M) {
    TFixedMatrix r{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            r[i][j] = RoundToInt(double(M[i][j]) * 65536);
    return r;
}

TFloatMatrix FloatMatrix(const TFixedMatrix& M) {
    TFloatMatrix r{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            r[i][j] = float(M[i][j]) * (1.0f / 65536);
    return r;
}

void RequireSrcRect(const TFloatRect& R) {
    if (!(R.Right > R.Left && R.Bottom > R.Top)) throw ETransformError("SrcRect is empty!");
}

// ---- TAffineTransformation ------------------------------------------------------------------

void TAffineTransformation::Clear() {
    Matrix = IdentityMatrix;
    SetPrepared(false);
}

void TAffineTransformation::Apply(const TFloatMatrix& M) {
    Matrix = Mult(M, Matrix);
    SetPrepared(false);
}

void TAffineTransformation::Translate(float Dx, float Dy) {
    TFloatMatrix t = IdentityMatrix;
    t[2][0] = Dx;
    t[2][1] = Dy;
    Apply(t);
}

void TAffineTransformation::Scale(float Sx, float Sy) {
    TFloatMatrix s = IdentityMatrix;
    s[0][0] = Sx;
    s[1][1] = Sy;
    Apply(s);
}

void TAffineTransformation::Skew(float Fx, float Fy) {
    TFloatMatrix k = IdentityMatrix;
    k[1][0] = Fx;
    k[0][1] = Fy;
    Apply(k);
}

void TAffineTransformation::Rotate(float Cx, float Cy, float Alpha) {
    SetPrepared(false);
    const bool centred = Cx != 0 || Cy != 0;
    if (centred) Translate(-Cx, -Cy);
    const double radians = double(Alpha) * std::numbers::pi / 180;
    const float sn = float(std::sin(radians)), cs = float(std::cos(radians));
    TFloatMatrix r = IdentityMatrix;
    r[0][0] = cs;
    r[1][0] = sn;
    r[0][1] = -sn;
    r[1][1] = cs;
    Apply(r);
    if (centred) Translate(Cx, Cy);
}

void TAffineTransformation::PrepareTransform() {
    FInverseMatrix = Matrix;
    Invert(FInverseMatrix);
    FInverseFixedMatrix = FixedMatrix(FInverseMatrix);
    FFixedMatrix = FixedMatrix(Matrix);
    SetPrepared(true);
}

namespace {

void MapAffine(const TFloatMatrix& M, float X, float Y, float& OutX, float& OutY) {
    OutX = X * M[0][0] + Y * M[1][0] + M[2][0];
    OutY = X * M[0][1] + Y * M[1][1] + M[2][1];
}

void MapAffine(const TFixedMatrix& M, TFixed X, TFixed Y, TFixed& OutX, TFixed& OutY) {
    OutX = FixedMul(X, M[0][0]) + FixedMul(Y, M[1][0]) + M[2][0];
    OutY = FixedMul(X, M[0][1]) + FixedMul(Y, M[1][1]) + M[2][1];
}

} // namespace

void TAffineTransformation::ReverseTransformFixed(TFixed DstX, TFixed DstY, TFixed& SrcX, TFixed& SrcY) {
    MapAffine(FInverseFixedMatrix, DstX, DstY, SrcX, SrcY);
}

void TAffineTransformation::ReverseTransformFloat(float DstX, float DstY, float& SrcX, float& SrcY) {
    MapAffine(FInverseMatrix, DstX, DstY, SrcX, SrcY);
}

void TAffineTransformation::TransformFixed(TFixed SrcX, TFixed SrcY, TFixed& DstX, TFixed& DstY) {
    MapAffine(FFixedMatrix, SrcX, SrcY, DstX, DstY);
}

void TAffineTransformation::TransformFloat(float SrcX, float SrcY, float& DstX, float& DstY) {
    MapAffine(Matrix, SrcX, SrcY, DstX, DstY);
}

TRect TAffineTransformation::GetTransformedBounds(const TFloatRect& ASrcRect) {
    const TVector3f corners[4] = {
        VectorTransform(Matrix, {ASrcRect.Left, ASrcRect.Top, 1}),
        VectorTransform(Matrix, {ASrcRect.Right, ASrcRect.Top, 1}),
        VectorTransform(Matrix, {ASrcRect.Left, ASrcRect.Bottom, 1}),
        VectorTransform(Matrix, {ASrcRect.Right, ASrcRect.Bottom, 1})};
    float minX = corners[0][0], maxX = minX, minY = corners[0][1], maxY = minY;
    for (const TVector3f& c : corners) {
        minX = std::min(minX, c[0]);
        maxX = std::max(maxX, c[0]);
        minY = std::min(minY, c[1]);
        maxY = std::max(maxY, c[1]);
    }
    return BoundsOf(minX, minY, maxX, maxY);
}

// ---- TProjectiveTransformation --------------------------------------------------------------

void TProjectiveTransformation::SetX(int Corner, float Value) {
    FX[Corner] = Value;
    SetPrepared(false);
}

void TProjectiveTransformation::SetY(int Corner, float Value) {
    FY[Corner] = Value;
    SetPrepared(false);
}

void TProjectiveTransformation::PrepareTransform() {
    const TFloatRect& src = GetSrcRect();
    RequireSrcRect(src);
    const float dx3 = FX[0] - FX[1] + FX[2] - FX[3];
    const float dy3 = FY[0] - FY[1] + FY[2] - FY[3];
    TFloatMatrix q{};
    if (dx3 == 0 && dy3 == 0) {
        q[0] = {FX[1] - FX[0], FY[1] - FY[0], 0};
        q[1] = {FX[2] - FX[1], FY[2] - FY[1], 0};
        q[2] = {FX[0], FY[0], 1};
    } else {
        const float dx1 = FX[1] - FX[2], dx2 = FX[3] - FX[2];
        const float dy1 = FY[1] - FY[2], dy2 = FY[3] - FY[2];
        const float det = dx1 * dy2 - dx2 * dy1;
        if (det != 0) {
            const float g = (dx3 * dy2 - dy3 * dx2) / det;
            const float h = (dx1 * dy3 - dy1 * dx3) / det;
            q[0] = {FX[1] - FX[0] + g * FX[1], FY[1] - FY[0] + g * FY[1], g};
            q[1] = {FX[3] - FX[0] + h * FX[3], FY[3] - FY[0] + h * FY[3], h};
            q[2] = {FX[0], FY[0], 1};
        }
    }
    TFloatMatrix s = IdentityMatrix;
    s[0][0] = 1 / (src.Right - src.Left);
    s[1][1] = 1 / (src.Bottom - src.Top);
    TFloatMatrix t = IdentityMatrix;
    t[2][0] = -src.Left;
    t[2][1] = -src.Top;
    FMatrix = Mult(q, Mult(s, t));
    FInverseMatrix = FMatrix;
    Invert(FInverseMatrix);
    FFixedMatrix = FixedMatrix(FMatrix);
    FInverseFixedMatrix = FixedMatrix(FInverseMatrix);
    SetPrepared(true);
}

namespace {

// A point whose divisor is 0 has no image and comes back as it was.
void MapProjective(const TFloatMatrix& M, float X, float Y, float& OutX, float& OutY) {
    EMMS();
    const float z = M[0][2] * X + M[1][2] * Y + M[2][2];
    if (z == 0) {
        OutX = X;
        OutY = Y;
        return;
    }
    float x = M[0][0] * X + M[1][0] * Y + M[2][0];
    float y = M[0][1] * X + M[1][1] * Y + M[2][1];
    if (z != 1) {
        const float f = 1 / z;
        x *= f;
        y *= f;
    }
    OutX = x;
    OutY = y;
}

void MapProjective(const TFixedMatrix& M, TFixed X, TFixed Y, TFixed& OutX, TFixed& OutY) {
    const TFixed z = FixedMul(M[0][2], X) + FixedMul(M[1][2], Y) + M[2][2];
    if (z == 0) {
        OutX = X;
        OutY = Y;
        return;
    }
    TFixed x = FixedMul(X, M[0][0]) + FixedMul(Y, M[1][0]) + M[2][0];
    TFixed y = FixedMul(X, M[0][1]) + FixedMul(Y, M[1][1]) + M[2][1];
    if (z != FixedOne) {
        const float f = 65536.0f / float(z);
        x = RoundToInt(double(float(x) * f));
        y = RoundToInt(double(float(y) * f));
    }
    OutX = x;
    OutY = y;
}

} // namespace

void TProjectiveTransformation::ReverseTransformFixed(TFixed DstX, TFixed DstY, TFixed& SrcX, TFixed& SrcY) {
    MapProjective(FInverseFixedMatrix, DstX, DstY, SrcX, SrcY);
}

void TProjectiveTransformation::ReverseTransformFloat(float DstX, float DstY, float& SrcX, float& SrcY) {
    MapProjective(FInverseMatrix, DstX, DstY, SrcX, SrcY);
}

void TProjectiveTransformation::TransformFixed(TFixed SrcX, TFixed SrcY, TFixed& DstX, TFixed& DstY) {
    MapProjective(FFixedMatrix, SrcX, SrcY, DstX, DstY);
}

void TProjectiveTransformation::TransformFloat(float SrcX, float SrcY, float& DstX, float& DstY) {
    MapProjective(FMatrix, SrcX, SrcY, DstX, DstY);
}

TRect TProjectiveTransformation::GetTransformedBounds(const TFloatRect&) {
    return BoundsOf(*std::min_element(FX, FX + 4), *std::min_element(FY, FY + 4),
                    *std::max_element(FX, FX + 4), *std::max_element(FY, FY + 4));
}

} // namespace Bmp32

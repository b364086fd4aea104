// Transformations: matrices, affine and projective mappings in float and fixed point, the
// reverse-only warps, transformed bounds, and drawing a bitmap through a transformation.
#include "bitmap32/Bmp32_Resamplers.h"
#include "bitmap32/Bmp32_TransformsBitmap.h"
#include "bitmap32/Bmp32_TransformsMatrices.h"
#include "bitmap32/Bmp32_TransformsWarps.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Bmp32;

namespace {

TFloatPoint Forward(TTransformation& T, float X, float Y) {
    return T.Transform(TFloatPoint{X, Y});
}

TFloatPoint Reverse(TTransformation& T, float X, float Y) {
    return T.ReverseTransform(TFloatPoint{X, Y});
}

} // namespace

TEST(Matrices, InvertMultAndFixedRounding) {
    TFloatMatrix m = IdentityMatrix;
    m[0][0] = 1e-3f;
    m[1][1] = 1e-3f; // determinant 1e-6
    Invert(m);
    EXPECT_EQ(m, IdentityMatrix);
    m = IdentityMatrix;
    m[0][0] = 2;
    m[2][0] = 4; // x -> 2x + 4
    TFloatMatrix inverse = m;
    Invert(inverse);
    EXPECT_FLOAT_EQ(inverse[0][0], 0.5f);
    EXPECT_FLOAT_EQ(inverse[2][0], -2);
    EXPECT_EQ(Mult(m, inverse), IdentityMatrix);
    EXPECT_FLOAT_EQ(Determinant(m), 2);
    const TVector3f v = VectorTransform(m, {1, 1, 1});
    EXPECT_EQ(v, (TVector3f{6, 1, 1}));
    TFloatMatrix f = IdentityMatrix;
    f[2][0] = 0.5f / 65536; // exactly half a unit: to even
    f[2][1] = 1.5f / 65536;
    EXPECT_EQ(FixedMatrix(f)[2][0], 0);
    EXPECT_EQ(FixedMatrix(f)[2][1], 2);
    EXPECT_EQ(FloatMatrix(FixedMatrix(m)), m);
}

TEST(Affine, CallsComposeInOrderAndRotateTurnsDegrees) {
    TAffineTransformation t;
    t.Translate(10, 0);
    t.Scale(2, 2);
    EXPECT_EQ(Forward(t, 0, 0), (TFloatPoint{20, 0}));
    t.Clear();
    t.Scale(2, 2);
    t.Translate(10, 0);
    EXPECT_EQ(Forward(t, 0, 0), (TFloatPoint{10, 0}));
    EXPECT_EQ(Reverse(t, 10, 0), (TFloatPoint{0, 0}));
    // Fixed point through FixedMul with the rounded fixed matrix.
    EXPECT_EQ(t.Transform(TFixedPoint{FixedOne, 3 * FixedOne}), (TFixedPoint{12 * FixedOne, 6 * FixedOne}));
    EXPECT_EQ(t.ReverseTransform(TFixedPoint{12 * FixedOne, 6 * FixedOne}), (TFixedPoint{FixedOne, 3 * FixedOne}));

    t.Clear();
    t.Rotate(0, 0, 90);
    const TFloatPoint a = Forward(t, 1, 0), b = Forward(t, 0, 1);
    EXPECT_NEAR(a.X, 0, 1e-6);
    EXPECT_NEAR(a.Y, -1, 1e-6);
    EXPECT_NEAR(b.X, 1, 1e-6);
    EXPECT_NEAR(b.Y, 0, 1e-6);
    t.Clear();
    t.Rotate(5, 5, 180);
    const TFloatPoint c = Forward(t, 4, 5);
    EXPECT_NEAR(c.X, 6, 1e-5);
    EXPECT_NEAR(c.Y, 5, 1e-5);

    // Bounds: corners widened by half a pixel, halves to even.
    t.Clear();
    t.Translate(0.5f, 0);
    EXPECT_EQ(t.GetTransformedBounds(FloatRect(0, 0, 2, 2)), (TRect{0, 0, 3, 2}));
    t.Translate(1, 0);
    EXPECT_EQ(t.GetTransformedBounds(FloatRect(0, 0, 2, 2)), (TRect{1, 0, 4, 2}));
}

TEST(Projective, QuadMappingsParallelogramAndDegenerateCases) {
    TProjectiveTransformation p;
    p.SetSrcRect(FloatRect(0, 0, 10, 20));
    const float xs[4] = {0, 10, 10, 0}, ys[4] = {0, 0, 20, 20};
    for (int i = 0; i < 4; ++i) {
        p.SetX(i, xs[i]);
        p.SetY(i, ys[i]);
    }
    EXPECT_EQ(Forward(p, 3, 7), (TFloatPoint{3, 7}));
    EXPECT_EQ(p.GetTransformedBounds(FloatRect(0, 0, 1, 1)), (TRect{0, 0, 10, 20}));
    // A sheared parallelogram.
    p.SetX0(5);
    p.SetX1(15);
    const TFloatPoint q = Forward(p, 0, 0);
    EXPECT_FLOAT_EQ(q.X, 5);
    EXPECT_EQ(p.Transform(TFixedPoint{0, 20 * FixedOne}), (TFixedPoint{0, 20 * FixedOne}));
    // A trapezoid: the top-right corner still lands on its corner.
    p.SetX1(30);
    const TFloatPoint r = Forward(p, 10, 0);
    EXPECT_NEAR(r.X, 30, 1e-4);
    EXPECT_NEAR(r.Y, 0, 1e-4);
    const TFloatPoint back = Reverse(p, 30, 0);
    EXPECT_NEAR(back.X, 10, 1e-3);
    // A degenerate quadrilateral that is no parallelogram: divisor 0, no image; the point
    // comes back as given.
    for (int i = 0; i < 4; ++i) {
        p.SetX(i, i == 1 ? 1 : 0);
        p.SetY(i, 0);
    }
    EXPECT_EQ(Forward(p, 3, 4), (TFloatPoint{3, 4}));
    EXPECT_EQ(p.Transform(TFixedPoint{3, 4}), (TFixedPoint{3, 4}));

    p.SetSrcRect(FloatRect(0, 0, 0, 5));
    EXPECT_THROW(Forward(p, 0, 0), ETransformError);
    TBloatTransformation bloat;
    EXPECT_THROW(Reverse(bloat, 0, 0), ETransformError);
    TFishEyeTransformation fish;
    try {
        Reverse(fish, 0, 0);
        FAIL();
    } catch (const ETransformError& e) {
        EXPECT_STREQ(e.what(), "SrcRect is empty!");
    }
}

TEST(Warps, ReverseOnlyAndTheirFormulas) {
    TTwirlTransformation twirl;
    twirl.SetSrcRect(FloatRect(0, 0, 10, 10));
    try {
        Forward(twirl, 0, 0);
        FAIL();
    } catch (const ETransformNotImplemented& e) {
        EXPECT_STREQ(e.what(), "Forward transformation is not implemented in TTwirlTransformation.");
    }
    EXPECT_EQ(Reverse(twirl, 5, 5), (TFloatPoint{5, 5}));
    EXPECT_EQ(twirl.GetTransformedBounds(), (TRect{-3, -3, 13, 13}));

    TFishEyeTransformation fish;
    fish.SetSrcRect(FloatRect(0, 0, 20, 10));
    EXPECT_EQ(Reverse(fish, 10, 5), (TFloatPoint{10, 5}));
    EXPECT_EQ(Reverse(fish, 0, 0), (TFloatPoint{0, 0})); // outside the circle
    const TFloatPoint in = Reverse(fish, 12, 5);
    EXPECT_GT(in.X, 10);
    EXPECT_LT(in.X, 12);

    TBloatTransformation bloat;
    bloat.SetSrcRect(FloatRect(0, 0, 10, 10));
    EXPECT_EQ(Reverse(bloat, 0, 0), (TFloatPoint{0, 0}));

    static std::vector<float> draws;
    draws = {0.75f, 0.25f};
    const TUniformRandom saved = UniformRandom;
    UniformRandom = [] {
        const float r = draws.front();
        draws.erase(draws.begin());
        return r;
    };
    TDisturbanceTransformation noise;
    noise.SetDisturbance(4);
    EXPECT_EQ(Reverse(noise, 10, 10), (TFloatPoint{11, 9}));
    UniformRandom = saved;
    EXPECT_EQ(noise.GetTransformedBounds(FloatRect(0, 0, 10, 10)), (TRect{-2, -2, 12, 12}));

    // The base rounds an exact half down in its integer form.
    TAffineTransformation half;
    half.Translate(0.5f, 1.5f);
    EXPECT_EQ(half.Transform(TPoint{0, 0}), (TPoint{0, 1}));
}

TEST(TransformBitmaps, DrawsThroughTheTransformationAnnouncesAndKeepsBordersTransparent) {
    TBitmap32 src, dst;
    src.SetSize(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            src.SetPixel(x, y, 0xFF000000 | TColor32(y) << 8 | TColor32(x));
    dst.SetSize(8, 8);
    dst.Clear(0);
    std::vector<TRect> areas;
    dst.OnAreaChanged = TAreaChangedEvent::FromCallable(
        [&](TObject*, const TRect& Area, Cardinal) { areas.push_back(Area); });
    TAffineTransformation t;
    t.SetSrcRect(FloatRect(0, 0, 4, 4));
    t.Translate(2, 3);
    Transform(&dst, &src, t);
    EXPECT_EQ(dst.GetPixel(2, 3), 0xFF000000u);
    EXPECT_EQ(dst.GetPixel(5, 6), 0xFF000303u);
    EXPECT_EQ(dst.GetPixel(1, 3), 0u);
    ASSERT_FALSE(areas.empty());
    EXPECT_EQ(areas.back(), (TRect{2, 2, 6, 8})); // the bounds widened by half a pixel, to even

    areas.clear();
    Transform(&dst, &src, t, TRect{20, 20, 30, 30});
    ASSERT_EQ(areas.size(), 1u);
    EXPECT_EQ(areas[0], (TRect{0, 0, 0, 0}));

    // Into itself: every read sees the original pixels.
    t.Clear();
    t.SetSrcRect(FloatRect(0, 0, 4, 4));
    t.Translate(1, 0);
    Transform(&src, &src, t);
    EXPECT_EQ(src.GetPixel(1, 0), 0xFF000000u);
    EXPECT_EQ(src.GetPixel(3, 2), 0xFF000202u);

    TArrayOfArrayOfFixedPoint points{{{0, 0}, {FixedOne, 0}}};
    EXPECT_EQ(TransformPoints(points, t)[0][1], (TFixedPoint{2 * FixedOne, 0}));
    EXPECT_TRUE(TransformPoints({}, t).empty());
    TBitmap32 b;
    b.SetSize(4, 4);
    b.Clear(0xFF112233);
    SetBorderTransparent(&b, {1, 1, 10, 10});
    EXPECT_EQ(b.GetPixel(1, 1), 0x00112233u);
    EXPECT_EQ(b.GetPixel(3, 2), 0x00112233u);
    EXPECT_EQ(b.GetPixel(2, 2), 0xFF112233u);
    EXPECT_EQ(b.GetPixel(0, 0), 0xFF112233u);
}


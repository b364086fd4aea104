// The antialiased polygon fill: coverage per mode, the colour's alpha as master, the callback's
// uncut alphas, fill rules and clipping, wide shapes alike narrow ones; and the pattern filler's
// span routines.
#include "bitmap32/Bmp32_Polygons.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace Bmp32;

namespace {

TArrayOfFixedPoint Box(float L, float T, float R, float B) {
    return {FixedPoint(L, T), FixedPoint(R, T), FixedPoint(R, B), FixedPoint(L, B)};
}

int AlphaAt(const TBitmap32& B, int X, int Y) {
    return int(B.GetPixel(X, Y) >> 24);
}

// A star of Count points around (CX, CY), its points and notches at uneven sub-pixel positions.
TArrayOfFixedPoint Star(float CX, float CY, float Outer, float Inner, int Count) {
    TArrayOfFixedPoint star;
    for (int i = 0; i < 2 * Count; ++i) {
        const double angle = 3.14159265358979 * i / Count + 0.1;
        const double radius = i % 2 ? Inner : Outer;
        star.push_back(FixedPoint(float(CX + radius * std::cos(angle)),
                                  float(CY + radius * std::sin(angle))));
    }
    return star;
}

class Antialiased : public testing::Test {
protected:
    void SetUp() override {
        B.SetSize(12, 12);
        B.Clear(0);
        B.SetCombineMode(cmMerge);
    }
    TBitmap32 B;
};

} // namespace

TEST_F(Antialiased, CoverageOfRectanglesPerMode) {
    // Integer corners: full inside; the top row, by the crossing rule of the edges, 7/8.
    PolygonXS(&B, Box(2, 2, 6, 5), 0xFFFFFFFF, pfAlternate, am8times);
    EXPECT_EQ(AlphaAt(B, 2, 3), 255);
    EXPECT_EQ(AlphaAt(B, 5, 4), 255);
    EXPECT_EQ(AlphaAt(B, 3, 2), 56 * 7 / 8 * 1167 >> 8);
    EXPECT_EQ(AlphaAt(B, 6, 3), 0);
    EXPECT_EQ(AlphaAt(B, 3, 5), 0);
    // Shifted by half a pixel: borders about half covered (3 and 4 of 7 sub-sample steps).
    B.Clear(0);
    PolygonXS(&B, Box(2.5f, 2.5f, 6.5f, 6.5f), 0xFFFFFFFF, pfAlternate, am8times);
    EXPECT_EQ(AlphaAt(B, 4, 4), 255);
    EXPECT_EQ(AlphaAt(B, 2, 4), 3 * 8 * 1167 >> 8);
    EXPECT_EQ(AlphaAt(B, 6, 4), 4 * 8 * 1167 >> 8);
    // A full pixel reaches 251 with 32 samples, 255 with the others.
    const int full[] = {251, 255, 255, 255, 255};
    for (int mode = am32times; mode <= am2times; ++mode) {
        B.Clear(0);
        PolygonXS(&B, Box(1, 1, 8, 8), 0xFFFFFFFF, pfAlternate, TAntialiasMode(mode));
        EXPECT_EQ(AlphaAt(B, 4, 4), full[mode]) << mode;
    }
}

TEST_F(Antialiased, ColourAlphaIsTheMasterAndCallbacksGetUncutAlphas) {
    PolygonXS(&B, Box(1, 1, 5, 5), 0x80FF0000, pfAlternate, am8times);
    EXPECT_EQ(AlphaAt(B, 3, 3), 128); // merged over transparent: the master alpha 128
    std::vector<Cardinal> alphas;
    int calls = 0;
    PolygonXS(&B, Box(1, 1, 5, 5),
              TFillLineEvent::FromCallable([&](TColor32*, int X, int Y, int Length, const Cardinal* A) {
                  if (Y == 3) {
                      EXPECT_EQ(X, 1);
                      alphas.assign(A, A + Length);
                  }
                  ++calls;
              }),
              pfAlternate, am32times);
    EXPECT_GE(calls, 4); // rows 1 to 4, and the bottom edge's crossing row
    ASSERT_GE(alphas.size(), 4u);
    EXPECT_EQ(alphas[1], Cardinal(992 * 65 >> 8));
    // Transparent colour or fewer than three vertices: nothing, not even an announcement.
    int announced = 0;
    B.OnAreaChanged = TAreaChangedEvent::FromCallable([&](TObject*, const TRect&, Cardinal) { ++announced; });
    PolygonXS(&B, Box(1, 1, 5, 5), 0x00FFFFFF);
    PolygonXS(&B, {FixedPoint(1, 1), FixedPoint(5, 5)}, 0xFFFFFFFF);
    EXPECT_EQ(announced, 0);
    PolygonXS(&B, Box(1, 1, 5, 5), 0xFFFFFFFF);
    EXPECT_EQ(announced, 1);
}

TEST_F(Antialiased, FillRulesAndClipping) {
    // Two overlapping squares in one poly-polygon: alternate leaves the overlap empty,
    // winding fills it.
    const TArrayOfArrayOfFixedPoint shapes{Box(1, 1, 6, 6), Box(3, 3, 9, 9)};
    PolyPolygonXS(&B, shapes, 0xFFFFFFFF, pfAlternate);
    EXPECT_EQ(AlphaAt(B, 4, 4), 0);
    EXPECT_EQ(AlphaAt(B, 2, 4), 255);
    PolyPolygonXS(&B, shapes, 0xFFFFFFFF, pfWinding);
    EXPECT_EQ(AlphaAt(B, 4, 4), 255);
    B.Clear(0);
    B.SetClipRect({0, 0, 5, 12});
    PolygonXS(&B, Box(-3, 1, 30, 6), 0xFFFFFFFF);
    EXPECT_EQ(AlphaAt(B, 4, 3), 255);
    EXPECT_EQ(AlphaAt(B, 5, 3), 0);
    EXPECT_EQ(AlphaAt(B, 0, 3), 255);
}

TEST(AntialiasedWide, ShapesSideBySideFillAsEachAlone) {
    // Rows of a wide shape find their coverage another way than those of a narrow one. Two
    // narrow stars filled as one wide shape must give the pixels and the callback alphas that
    // each gives alone: in every mode, by both fill rules and combine modes, also with the clip
    // cutting through the second star.
    const TArrayOfArrayOfFixedPoint stars{Star(60.3f, 50.2f, 48, 14.5f, 23),
                                          Star(217.6f, 48.9f, 47, 20.3f, 16)};
    const auto prepare = [](TBitmap32& Bitmap, TCombineMode Combine, int ClipRight) {
        Bitmap.SetSize(320, 100);
        Bitmap.Clear(0xFF203040);
        Bitmap.SetCombineMode(Combine);
        Bitmap.SetClipRect({0, 0, ClipRight, 100});
    };
    // Each pixel's callback alpha, both stars' spans written into one map.
    const auto alphaMap = [](std::vector<Cardinal>& Map) {
        return TFillLineEvent::FromCallable(
            [&Map](TColor32*, int X, int Y, int Length, const Cardinal* Alphas) {
                for (int i = 0; i < Length; ++i)
                    Map[std::size_t(Y * 320 + X + i)] |= Alphas[i];
            });
    };
    for (int mode = am32times; mode <= am2times; ++mode)
        for (TPolyFillMode fill : {pfAlternate, pfWinding})
            for (TCombineMode combine : {cmBlend, cmMerge})
                for (int clipRight : {320, 231}) {
                    const TAntialiasMode aa = TAntialiasMode(mode);
                    TBitmap32 together, apart;
                    prepare(together, combine, clipRight);
                    prepare(apart, combine, clipRight);
                    PolyPolygonXS(&together, stars, 0xE0D0200C, fill, aa);
                    for (const TArrayOfFixedPoint& star : stars)
                        PolygonXS(&apart, star, 0xE0D0200C, fill, aa);
                    std::vector<Cardinal> togetherAlphas(320 * 100), apartAlphas(320 * 100);
                    PolyPolygonXS(&together, stars, alphaMap(togetherAlphas), fill, aa);
                    for (const TArrayOfFixedPoint& star : stars)
                        PolygonXS(&apart, star, alphaMap(apartAlphas), fill, aa);
                    int differing = 0, partial = 0;
                    for (int y = 0; y < 100; ++y)
                        for (int x = 0; x < 320; ++x) {
                            differing += together.GetPixel(x, y) != apart.GetPixel(x, y);
                            const Cardinal alpha = apartAlphas[std::size_t(y * 320 + x)];
                            differing += togetherAlphas[std::size_t(y * 320 + x)] != alpha;
                            partial += alpha > 0 && alpha < 250;
                        }
                    EXPECT_EQ(differing, 0) << "mode " << mode << ", fill " << int(fill)
                                            << ", combine " << int(combine) << ", clip "
                                            << clipRight;
                    EXPECT_GT(partial, 500);
                }
}

TEST(PatternFiller, RoutinesByDrawModeAndTiling) {
    TBitmap32 pattern;
    pattern.SetSize(4, 2);
    for (int x = 0; x < 4; ++x) {
        pattern.SetPixel(x, 0, 0x80000000 | TColor32(x));
        pattern.SetPixel(x, 1, 0x80000010 | TColor32(x));
    }
    TBitmapPolygonFiller filler;
    EXPECT_FALSE(filler.GetFillLine());
    filler.Pattern = &pattern;
    filler.OffsetX = 1;
    TFillLineEvent line = filler.GetFillLine();
    ASSERT_TRUE(line);
    TColor32 dst[6] = {};
    line(dst, 0, -1, 6, nullptr);
    // Column 0 takes pattern column 3; row -1 is pattern row 1; alpha bytes copied.
    EXPECT_EQ(dst[0], 0x80000013u);
    EXPECT_EQ(dst[1], 0x80000010u);
    EXPECT_EQ(dst[5], 0x80000010u);
    const Cardinal full[2] = {255, 0};
    line(dst, 0, 0, 2, full); // with coverage: the pattern pixel made opaque, blended
    EXPECT_EQ(dst[0] & 0xFF, 3u);
    EXPECT_EQ(dst[1], 0x80000010u);
    line(dst, 0, 0, 0, nullptr);
    pattern.SetDrawMode(dmTransparent);
    EXPECT_FALSE(filler.GetFillLine());
    pattern.SetDrawMode(dmCustom);
    EXPECT_FALSE(filler.GetFillLine());
    int combined = 0;
    pattern.OnPixelCombine = TPixelCombineEvent::FromCallable([&](TColor32, TColor32&, Cardinal M) {
        EXPECT_EQ(M, 255u * 128 / 255);
        ++combined;
    });
    const Cardinal half[1] = {128};
    filler.GetFillLine()(dst, 0, 0, 1, half);
    EXPECT_EQ(combined, 1);

    // Through the antialiased fill.
    TBitmap32 b;
    b.SetSize(8, 8);
    b.Clear(0);
    pattern.SetDrawMode(dmOpaque);
    PolygonXS(&b, Box(0, 0, 8, 8), &filler);
    EXPECT_EQ(b.GetPixel(1, 5) & 0xFF, 0u + 0x10);
}

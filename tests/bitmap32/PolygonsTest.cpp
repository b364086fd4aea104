#include "bitmap32/Bmp32_Polygons.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <utility>
#include <vector>

using namespace Bmp32;

namespace {

using Pixels = std::set<std::pair<int, int>>;

TArrayOfFixedPoint Poly(std::initializer_list<std::pair<float, float>> Points) {
    TArrayOfFixedPoint result;
    for (const auto& [x, y] : Points)
        result.push_back(FixedPoint(x, y));
    return result;
}

TArrayOfFixedPoint Square(float L, float T, float R, float B) {
    return Poly({{L, T}, {R, T}, {R, B}, {L, B}});
}

// The pixels that are not 0.
Pixels Painted(const TBitmap32& B) {
    Pixels result;
    for (int y = 0; y < B.GetHeight(); ++y)
        for (int x = 0; x < B.GetWidth(); ++x)
            if (B.GetPixel(x, y) != 0) result.insert({x, y});
    return result;
}

Pixels Block(int L, int T, int R, int B) {
    Pixels result;
    for (int y = T; y <= B; ++y)
        for (int x = L; x <= R; ++x)
            result.insert({x, y});
    return result;
}

struct Canvas {
    explicit Canvas(int Size = 12) {
        B.SetSize(Size, Size);
        B.Clear(0);
        B.OnAreaChanged = TAreaChangedEvent::FromCallable(
            [this](TObject*, const TRect& Area, Cardinal) { Areas.push_back(Area); });
    }
    TBitmap32 B;
    std::vector<TRect> Areas;
};

class TShift : public TTransformation {
public:
    void TransformFloat(float SrcX, float SrcY, float& DstX, float& DstY) override {
        DstX = SrcX + 10;
        DstY = SrcY + 20;
    }
};

} // namespace

TEST(PolygonFillTest, SquareRowsRoundingAndBothRules) {
    Canvas c;
    PolygonTS(&c.B, Square(1, 1, 5, 5), 0xFFFF0000);
    // The top row and the right column as the crossings give them.
    EXPECT_EQ(Painted(c.B), Block(1, 2, 5, 4));
    EXPECT_EQ(c.B.GetPixel(1, 2), 0xFFFF0000u);
    EXPECT_EQ(c.Areas, std::vector<TRect>({{1, 1, 5, 5}}));

    Canvas winding;
    PolygonTS(&winding.B, Square(1, 1, 5, 5), 0xFFFF0000, pfWinding);
    Pixels expected = Block(1, 2, 5, 4);
    expected.insert({5, 1}); // the turning points are drawn as spans of their own
    expected.insert({1, 5});
    EXPECT_EQ(Painted(winding.B), expected);

    Canvas halves; // exact halves round down: 0.5 to 0, -0.5 to -1
    PolygonTS(&halves.B, Square(0.5f, 0.5f, 4.5f, 4.5f), 0xFFFF0000);
    EXPECT_EQ(Painted(halves.B), Block(0, 1, 4, 3));
    halves.B.Clear(0);
    PolygonTS(&halves.B, Square(-0.5f, -0.5f, 3.5f, 3.5f), 0xFFFF0000);
    EXPECT_EQ(Painted(halves.B), Block(0, 0, 3, 2));
}

TEST(PolygonFillTest, BlendingOverlapsAndCallbacks) {
    Canvas c;
    c.B.Clear(0xFF000000);
    TBitmap32 once;
    once.SetSize(1, 1);
    once.Clear(0xFF000000);
    once.SetPixelT(0, 0, 0x80FF0000);
    // A self-overlapping outline: every pixel still blends once.
    PolygonTS(&c.B, Poly({{1, 1}, {8, 1}, {8, 8}, {1, 8}, {1, 1}, {8, 1}, {8, 8}, {1, 8}}), 0x80FF0000);
    EXPECT_EQ(c.B.GetPixel(4, 4), 0xFF000000u); // even-odd: covered twice is outside
    c.B.Clear(0xFF000000);
    PolygonTS(&c.B, Square(1, 1, 8, 8), 0x80FF0000);
    EXPECT_EQ(c.B.GetPixel(4, 4), once.GetPixel(0, 0));

    const TArrayOfArrayOfFixedPoint squares{Square(0, 0, 6, 6), Square(3, 3, 9, 9)};
    Canvas alternate, winding;
    PolyPolygonTS(&alternate.B, squares, 0xFFFFFFFF);
    PolyPolygonTS(&winding.B, squares, 0xFFFFFFFF, pfWinding);
    EXPECT_EQ(alternate.B.GetPixel(4, 4), 0u);
    EXPECT_EQ(winding.B.GetPixel(4, 4), 0xFFFFFFFFu);
    EXPECT_EQ(alternate.B.GetPixel(1, 2), 0xFFFFFFFFu);

    Canvas spans;
    std::vector<std::vector<int>> calls;
    PolygonTS(&spans.B, Square(1, 1, 5, 3), TFillLineEvent::FromCallable(
        [&](TColor32* Dst, int X, int Y, int Length, const Cardinal* Alpha) {
            EXPECT_EQ(Dst, spans.B.GetPixelPtr(X, Y));
            EXPECT_EQ(Alpha, nullptr);
            calls.push_back({X, Y, Length});
        }));
    EXPECT_EQ(calls, std::vector<std::vector<int>>({{1, 2, 5}}));
}

TEST(PolygonFillTest, ClippingAtEveryEdgeAndFarCoordinates) {
    Canvas c;
    c.B.SetClipRect({2, 3, 8, 9});
    PolygonTS(&c.B, Square(-100, -100, 100, 100), 0xFFFFFFFF);
    EXPECT_EQ(Painted(c.B), Block(2, 3, 7, 8));
    c.B.ResetClipRect();
    c.B.Clear(0);
    PolygonTS(&c.B, Square(-32768, -32768, 32767, 32767), 0xFFFFFFFF);
    EXPECT_EQ(Painted(c.B), Block(0, 0, 11, 11));
    c.B.Clear(0);
    PolygonTS(&c.B, Square(-30000, 4, -20000, 6), 0xFFFFFFFF); // left of the bitmap
    PolygonTS(&c.B, Square(20000, 4, 30000, 6), 0xFFFFFFFF);   // right of it
    PolygonTS(&c.B, Square(2, 20000, 6, 30000), 0xFFFFFFFF);   // below it
    EXPECT_TRUE(Painted(c.B).empty());
}

TEST(PolygonFillTest, AnnouncementsAndMeasuring) {
    Canvas c;
    PolygonTS(&c.B, Poly({{1, 1}, {5, 1.2f}, {3, 1.4f}}), 0xFFFFFFFF); // within one row
    PolygonTS(&c.B, Poly({{1, 1}, {5, 5}}), 0xFFFFFFFF);               // two vertices
    PolygonTS(&c.B, Square(1, 1, 5, 5), 0x00FFFFFF);                   // transparent
    PolyPolygonTS(&c.B, {Poly({{1, 1}, {5, 5}}), {}}, 0xFFFFFFFF);
    EXPECT_TRUE(c.Areas.empty());
    EXPECT_TRUE(Painted(c.B).empty());

    TShift shift;
    PolygonTS(&c.B, Square(-9, -19, -6, -16), 0xFFFFFFFF, pfAlternate, &shift);
    EXPECT_EQ(c.Areas, std::vector<TRect>({{1, 1, 4, 4}})); // where it was drawn
    EXPECT_FALSE(Painted(c.B).empty());

    Canvas measured;
    std::vector<TRect> areas;
    measured.B.BeginMeasuring(TAreaChangedEvent::FromCallable(
        [&areas](TObject*, const TRect& Area, Cardinal) { areas.push_back(Area); }));
    PolygonTS(&measured.B, Square(1.5f, 1, 5, 5.5f), 0xFFFFFFFF);
    measured.B.EndMeasuring();
    EXPECT_EQ(areas, std::vector<TRect>({{1, 1, 5, 6}}));
    EXPECT_TRUE(Painted(measured.B).empty());
}

TEST(PolygonFillTest, PolylinesBoundsAndPointTests) {
    Canvas c;
    PolylineTS(&c.B, Poly({{3, 3}}), 0xFFFFFFFF, false);
    EXPECT_TRUE(Painted(c.B).empty());
    PolylineTS(&c.B, Poly({{3, 3}}), 0xFFFFFFFF, true);
    EXPECT_EQ(Painted(c.B), Pixels({{3, 3}}));
    c.B.Clear(0);
    c.Areas.clear();
    PolylineTS(&c.B, Poly({{1, 1}, {4, 1}, {4, 3}}), 0xFFFFFFFF, true);
    EXPECT_EQ(Painted(c.B), Pixels({{1, 1}, {2, 1}, {3, 1}, {4, 1}, {4, 2}, {4, 3}, {3, 2}, {2, 2}}));
    EXPECT_EQ(c.Areas.back(), c.B.BoundsRect()); // ends with the whole bitmap

    EXPECT_EQ(PolygonBounds({}), FixedRect(0x7F000000, 0x7F000000, -0x7F000000, -0x7F000000));
    EXPECT_EQ(PolyPolygonBounds({Square(1, 2, 3, 4), Poly({{-1, 9}})}),
              FixedRect(Fixed(-1), Fixed(2), Fixed(3), Fixed(9)));
    const TArrayOfFixedPoint triangle = Poly({{0, 0}, {10, 0}, {0, 10}});
    EXPECT_TRUE(PtInPolygon(FixedPoint(2, 2), triangle));
    EXPECT_FALSE(PtInPolygon(FixedPoint(6, 6), triangle));
    EXPECT_FALSE(PtInPolygon(FixedPoint(-1, 2), triangle));
    EXPECT_FALSE(PtInPolygon(FixedPoint(1, 1), {}));
}

TEST(Polygon32Test, PolyLinesNormalsAndDrawing) {
    TPolygon32 polygon;
    ASSERT_EQ(polygon.GetPoints().size(), 1u);
    Canvas c;
    polygon.Draw(&c.B, 0xFFFFFFFF, 0xFFFFFFFF);
    EXPECT_TRUE(Painted(c.B).empty()); // a new polygon draws nothing

    for (const TFixedPoint& p : Square(1, 1, 6, 6))
        polygon.Add(p);
    polygon.BuildNormals();
    EXPECT_EQ(polygon.GetNormals()[0][0], FixedPoint(0, -1));
    polygon.Offset(Fixed(1), 0);
    EXPECT_FALSE(polygon.GetNormals().empty());
    EXPECT_EQ(polygon.GetPoints()[0][0], FixedPoint(2, 1));
    EXPECT_TRUE(polygon.ContainsPoint(FixedPoint(4, 4)));
    polygon.NewLine();
    EXPECT_TRUE(polygon.GetNormals().empty());
    EXPECT_EQ(polygon.GetBoundingRect(), FixedRect(Fixed(2), Fixed(1), Fixed(7), Fixed(6)));

    // A transparent outline: only the fill; a transparent fill: only the outline.
    polygon.Draw(&c.B, 0x00FFFFFF, 0xFF00FF00);
    EXPECT_EQ(c.B.GetPixel(4, 3), 0xFF00FF00u);
    EXPECT_EQ(c.B.GetPixel(2, 1), 0u);
    polygon.Draw(&c.B, 0xFFFF0000, TColor32(0));
    EXPECT_EQ(c.B.GetPixel(2, 1), 0xFFFF0000u);
    EXPECT_EQ(c.B.GetPixel(4, 3), 0xFF00FF00u);

    TPolygon32 copy;
    copy.SetFillMode(pfWinding);
    polygon.SetClosed(false);
    copy.Assign(&polygon);
    EXPECT_EQ(copy.GetPoints(), polygon.GetPoints());
    EXPECT_FALSE(copy.GetClosed());
    EXPECT_EQ(copy.GetFillMode(), pfAlternate);
    TBitmap32 notAPolygon;
    EXPECT_THROW(notAPolygon.Assign(&polygon), Exception);

    polygon.SetAntialiased(true);
    c.B.Clear(0);
    polygon.Draw(&c.B, TColor32(0), TColor32(0xFFFFFFFF));
    EXPECT_EQ(c.B.GetPixel(4, 3) & 0xFFFFFF, 0xFEFEFEu); // blended in at full coverage
    EXPECT_EQ(c.B.GetUpdateCount(), 0);
    polygon.Clear();
    EXPECT_EQ(polygon.GetPoints(), TArrayOfArrayOfFixedPoint({{}}));
}

TEST(Polygon32Test, GrowAndOutline) {
    TPolygon32 square;
    for (const TFixedPoint& p : Square(0, 0, 10, 10))
        square.Add(p);
    std::unique_ptr<TPolygon32> same(square.Grow(0));
    EXPECT_EQ(same->GetPoints(), square.GetPoints());
    std::unique_ptr<TPolygon32> bevelled(square.Grow(Fixed(2), 0));
    ASSERT_EQ(bevelled->GetPoints().size(), 1u);
    EXPECT_EQ(bevelled->GetPoints()[0].size(), 8u);
    EXPECT_EQ(bevelled->GetPoints()[0][0], FixedPoint(-2, 0));
    EXPECT_EQ(bevelled->GetPoints()[0][1], FixedPoint(0, -2));

    TPolygon32 path;
    path.SetClosed(false);
    for (const TFixedPoint& p : Poly({{0, 0}, {10, 0}, {20, 10}}))
        path.Add(p);
    std::unique_ptr<TPolygon32> mitred(path.Grow(Fixed(2), 0));
    EXPECT_EQ(mitred->GetPoints()[0].size(), 3u);
    EXPECT_EQ(mitred->GetPoints()[0][0], FixedPoint(0, -2));

    // A poly-line that turns right back has no mitre point: bevelled, also when shrinking.
    TPolygon32 back;
    back.Add(FixedPoint(0, 0));
    back.Add(FixedPoint(10, 0));
    std::unique_ptr<TPolygon32> shrunk(back.Grow(-Fixed(2), 0));
    EXPECT_EQ(shrunk->GetPoints()[0],
              TArrayOfFixedPoint({FixedPoint(0, -2), FixedPoint(0, 2), FixedPoint(10, 2), FixedPoint(10, -2)}));

    std::unique_ptr<TPolygon32> there(path.Outline());
    ASSERT_EQ(there->GetPoints().size(), 1u);
    EXPECT_EQ(there->GetPoints()[0].size(), 6u);
    EXPECT_EQ(there->GetPoints()[0][3], FixedPoint(20, 10));
    std::unique_ptr<TPolygon32> both(square.Outline());
    EXPECT_EQ(both->GetPoints().size(), 2u);
    TPolygon32 dot;
    dot.Add(FixedPoint(1, 1));
    std::unique_ptr<TPolygon32> none(dot.Outline());
    EXPECT_EQ(none->GetPoints().size(), 1u); // never without a poly-line
}

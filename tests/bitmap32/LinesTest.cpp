// TBitmap32 lines and rectangles in every family, clipping at every edge, and ClipLine.
#include "bitmap32/Bmp32.h"

#include "bitmap32/Bmp32_Blend.h"
#include "bitmap32/Bmp32_DrawingEx.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

using namespace Bmp32;

namespace {

struct TAreaReport {
    TRect Area;
    Cardinal Info;
    bool operator==(const TAreaReport&) const = default;
};

using TPixelSet = std::set<std::pair<int, int>>;

class Lines : public testing::Test {
protected:
    void SetUp() override { Reset(20, 10); }

    void Reset(int Width, int Height) {
        B.SetSize(Width, Height);
        B.ResetClipRect();
        B.Clear(Black32);
        B.OnAreaChanged =
            TAreaChangedEvent::FromCallable([this](TObject*, const TRect& Area, Cardinal Info) {
                Areas.push_back({Area, Info});
            });
        Areas.clear();
    }

    // The pixels that are not black.
    TPixelSet Drawn() const {
        TPixelSet drawn;
        for (int y = 0; y < B.GetHeight(); ++y)
            for (int x = 0; x < B.GetWidth(); ++x)
                if (B.GetPixel(x, y) != Black32) drawn.insert({x, y});
        return drawn;
    }

    // Whether every pixel outside the clip rectangle is still black.
    bool OutsideClipUntouched() const {
        for (int y = 0; y < B.GetHeight(); ++y)
            for (int x = 0; x < B.GetWidth(); ++x)
                if (!PtInRect(B.GetClipRect(), {x, y}) && B.GetPixel(x, y) != Black32) return false;
        return true;
    }

    TBitmap32 B;
    std::vector<TAreaReport> Areas;
};

// The unclipped line written out as the error-term loop: error 2d - D, a step along the
// minor axis whenever the error is not negative.
TPixelSet ReferenceLine(int X1, int Y1, int X2, int Y2, bool L) {
    const int dx = std::abs(X2 - X1), dy = std::abs(Y2 - Y1);
    const int sx = X2 >= X1 ? 1 : -1, sy = Y2 >= Y1 ? 1 : -1;
    const bool xMajor = dx >= dy;
    const int D = xMajor ? dx : dy, d = xMajor ? dy : dx;
    int x = X1, y = Y1, error = 2 * d - D;
    TPixelSet pixels;
    for (int i = 0; i < D + (L ? 1 : 0); ++i) {
        pixels.insert({x, y});
        if (error >= 0) {
            (xMajor ? y : x) += xMajor ? sy : sx;
            error -= 2 * D - 2 * d;
        } else {
            error += 2 * d;
        }
        (xMajor ? x : y) += xMajor ? sx : sy;
    }
    return pixels;
}

TPixelSet Inside(const TPixelSet& Pixels, const TRect& Clip) {
    TPixelSet inside;
    for (const auto& [x, y] : Pixels)
        if (PtInRect(Clip, {x, y})) inside.insert({x, y});
    return inside;
}

const TColor32 Red = 0xFFFF0000, Green = 0xFF00FF00, Blue = 0xFF0000FF;

} // namespace

// ---- Horizontal and vertical runs ---------------------------------------------------------

TEST_F(Lines, HorzLineSClipsAtBothEndsAndReportsThePixelsDrawn) {
    B.SetClipRect({2, 1, 8, 5});
    B.HorzLineS(-5, 3, 100, White32);
    EXPECT_EQ(Drawn(), Inside(ReferenceLine(2, 3, 8, 3, false), B.GetClipRect()));
    B.HorzLineS(10, 4, 0, White32); // either order
    EXPECT_EQ(B.GetPixel(2, 4), White32);
    EXPECT_EQ(B.GetPixel(7, 4), White32);
    EXPECT_EQ(Areas, (std::vector<TAreaReport>{{{2, 3, 8, 4}, AREAINFO_RECT},
                                               {{2, 4, 8, 5}, AREAINFO_RECT}}));
    Areas.clear();
    B.HorzLineS(0, 5, 10, White32);      // the row below the clip rectangle
    B.HorzLineS(0, 0, 10, White32);      // the row above
    B.HorzLineS(INT_MIN, 2, 1, White32); // wholly left
    B.HorzLineS(8, 2, INT_MAX, White32); // wholly right
    EXPECT_TRUE(Areas.empty());
    EXPECT_TRUE(OutsideClipUntouched());
    B.HorzLineS(INT_MIN, 1, INT_MAX, White32);
    EXPECT_EQ(Areas.back(), (TAreaReport{{2, 1, 8, 2}, AREAINFO_RECT}));
}

TEST_F(Lines, VertLineSClipsAtBothEnds) {
    B.SetClipRect({2, 1, 8, 5});
    B.VertLineS(4, INT_MAX, INT_MIN, White32);
    B.VertLineS(1, 0, 9, White32);
    B.VertLineS(8, 0, 9, White32);
    EXPECT_EQ(Drawn(), (TPixelSet{{4, 1}, {4, 2}, {4, 3}, {4, 4}}));
    EXPECT_EQ(Areas, (std::vector<TAreaReport>{{{4, 1, 5, 5}, AREAINFO_RECT}}));
}

TEST_F(Lines, BlendedRunsBlendAndOnlyTheClippedOnesReport) {
    B.Clear(Blue);
    Areas.clear();
    B.HorzLineT(1, 1, 3, 0x80FF0000);
    B.VertLineT(5, 1, 3, 0x80FF0000);
    B.HorzLineT(3, 2, 1, White32); // reversed: nothing
    EXPECT_TRUE(Areas.empty());
    EXPECT_EQ(B.GetPixel(1, 1), 0xBF80007Fu); // 0x80FF0000 over 0xFF0000FF
    EXPECT_EQ(B.GetPixel(3, 1), 0xBF80007Fu);
    EXPECT_EQ(B.GetPixel(5, 3), 0xBF80007Fu);
    EXPECT_EQ(B.GetPixel(2, 2), Blue);
    B.SetClipRect({0, 0, 3, 3});
    B.HorzLineTS(1, 2, 9, White32);
    B.VertLineTS(2, 9, 0, White32);
    EXPECT_EQ(B.GetPixel(3, 2), Blue);
    EXPECT_EQ(B.GetPixel(2, 0), White32);
    EXPECT_EQ(Areas, (std::vector<TAreaReport>{{{1, 2, 3, 3}, AREAINFO_RECT},
                                               {{2, 0, 3, 3}, AREAINFO_RECT}}));
}

// Runs of every length up to past three chunks of the line routine, from several starts, in
// both combine modes and with translucent, opaque and transparent colours over translucent
// pixels: each pixel must be what blending it alone gives.
TEST_F(Lines, LongBlendedRunsBlendEveryPixelAsOnItsOwn) {
    Reset(220, 2);
    for (TCombineMode mode : {cmBlend, cmMerge})
        for (TColor32 colour : {0xFE3060C0u, 0x40FF8000u, 0xFF102030u, 0x00ABCDEFu})
            for (int start : {0, 1, 5})
                for (int length = 1; length <= 200; ++length) {
                    B.SetCombineMode(mode);
                    std::vector<TColor32> expected(220);
                    for (int x = 0; x < 220; ++x) {
                        const TColor32 under = 0x01000000u * Cardinal((x * 37 + length) % 256) |
                                               Cardinal(x * 2654435761u >> 8 & 0xFFFFFF);
                        B.SetPixel(x, 0, under);
                        expected[std::size_t(x)] = under;
                        if (x >= start && x < start + length)
                            expected[std::size_t(x)] = BLEND_REG[mode](colour, under);
                    }
                    B.HorzLineT(start, 0, start + length - 1, colour);
                    for (int x = 0; x < 220; ++x)
                        ASSERT_EQ(B.GetPixel(x, 0), expected[std::size_t(x)])
                            << "mode " << mode << " colour " << std::hex << colour << std::dec
                            << " start " << start << " length " << length << " x " << x;
                }
}

// ---- Stippled runs and frames -------------------------------------------------------------

TEST_F(Lines, StippledRunKeepsThePhaseOfTheWholeRun) {
    B.SetClipRect({2, 0, 6, 10});
    B.SetStipple({Red, Green, Blue});
    B.HorzLineTSP(0, 1, 7);
    const TColor32 row[] = {Black32, Blue, Red, Green, Blue, Black32}; // x = 1 .. 6
    for (int x = 1; x <= 6; ++x)
        EXPECT_EQ(B.GetPixel(x, 1), row[x - 1]) << x;
    EXPECT_EQ(B.GetStippleCounter(), 2.0f); // 8 pixels on from 0
    EXPECT_EQ(Areas, (std::vector<TAreaReport>{{{2, 1, 6, 2}, AREAINFO_RECT}}));
    B.SetStippleCounter(0);
    B.HorzLineTSP(7, 2, 0); // backwards: the pattern starts at x = 7
    EXPECT_EQ(B.GetPixel(5, 2), Blue);
    EXPECT_EQ(B.GetPixel(2, 2), Blue);
    EXPECT_EQ(B.GetPixel(4, 2), Red);
    B.HorzLineTSP(0, 20, 7); // a row outside: only the phase moves on
    EXPECT_EQ(B.GetStippleCounter(), 1.0f);
    B.SetStippleCounter(0);
    B.VertLineTSP(3, -2, 11);
    EXPECT_EQ(B.GetPixel(3, 0), Blue); // two pixels above the bitmap skipped
    EXPECT_EQ(B.GetPixel(3, 9), Blue);
    EXPECT_EQ(B.GetStippleCounter(), 2.0f);
}

TEST_F(Lines, StippledFrameRunsOnRoundTheCorners) {
    const TColor32 yellow = 0xFFFFFF00;
    B.SetStipple({Red, Green, Blue, yellow});
    B.FrameRectTSP(0, 0, 4, 3);
    const TPoint ring[] = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {3, 1},
                           {3, 2}, {2, 2}, {1, 2}, {0, 2}, {0, 1}};
    const TColor32 pattern[] = {Red, Green, Blue, yellow};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(B.GetPixel(ring[i].X, ring[i].Y), pattern[i % 4]) << i;
    EXPECT_EQ(B.GetPixel(1, 1), Black32);
    EXPECT_EQ(B.GetStippleCounter(), 2.0f);
    B.SetClipRect({5, 5, 10, 10});
    B.FrameRectTSP(1, 1, 2, 2); // one pixel outside the clip rectangle: the phase moves on
    EXPECT_EQ(B.GetPixel(1, 1), Black32);
    EXPECT_EQ(B.GetStippleCounter(), 3.0f);
}

// ---- Bresenham lines ----------------------------------------------------------------------

TEST_F(Lines, UnclippedLinesFollowTheErrorTerm) {
    const int ends[] = {0, 3, 9, 17, 19};
    for (int x1 : ends)
        for (int y1 : {0, 4, 9})
            for (int x2 : ends)
                for (int y2 : {0, 2, 5, 9})
                    for (bool l : {false, true}) {
                        B.Clear(Black32);
                        Areas.clear();
                        B.Line(x1, y1, x2, y2, White32, l);
                        ASSERT_EQ(Drawn(), ReferenceLine(x1, y1, x2, y2, l))
                            << x1 << "," << y1 << " - " << x2 << "," << y2 << " L=" << l;
                        ASSERT_EQ(Areas, (std::vector<TAreaReport>{
                                             {{x1, y1, x2, y2}, AREAINFO_LINE + 2}}));
                    }
}

TEST_F(Lines, ClippedLinesDrawExactlyTheUnclippedPixelsInside) {
    Reset(40, 40);
    const TRect clip(10, 12, 30, 27);
    B.SetClipRect(clip);
    const int ends[] = {-17, 0, 9, 10, 11, 21, 29, 30, 31, 58};
    int lines = 0;
    for (int x1 : ends)
        for (int y1 : ends)
            for (int x2 : ends)
                for (int y2 : ends) {
                    const bool l = (x1 + y2) % 2 != 0;
                    B.Clear(Black32);
                    Areas.clear();
                    B.LineS(x1, y1, x2, y2, White32, l);
                    const TPixelSet expected = Inside(ReferenceLine(x1, y1, x2, y2, l), clip);
                    ASSERT_EQ(Drawn(), expected)
                        << x1 << "," << y1 << " - " << x2 << "," << y2 << " L=" << l;
                    if (expected.empty())
                        ASSERT_TRUE(Areas.empty());
                    else
                        ASSERT_EQ(Areas.back(), (TAreaReport{{x1, y1, x2, y2}, AREAINFO_LINE + 2}));
                    ++lines;
                }
    EXPECT_EQ(lines, 10000);
}

TEST_F(Lines, LineSDrawsTheLastPointOnlyWhenAsked) {
    B.LineS(0, 0, 10, 0, White32, false);
    EXPECT_EQ(Drawn(), ReferenceLine(0, 0, 9, 0, true));
    B.LineS(0, 1, 10, 1, White32, true);
    EXPECT_EQ(B.GetPixel(10, 1), White32);
    B.LineS(3, 3, 3, 3, White32, false);
    EXPECT_EQ(B.GetPixel(3, 3), Black32);
    B.LineS(3, 3, 3, 3, White32, true);
    EXPECT_EQ(B.GetPixel(3, 3), White32);
}

TEST_F(Lines, LineWhollyOutsideDrawsAndReportsNothingButPlainLineReports) {
    B.SetClipRect({5, 5, 10, 10});
    B.LineS(0, 0, 4, 2, White32, true);
    B.LineS(0, 9, 9, 0, White32); // passes the corner (4..5, 4..5) without a pixel inside
    EXPECT_TRUE(Drawn().empty());
    EXPECT_TRUE(Areas.empty());
    B.ResetClipRect();
    B.Line(0, 0, 4, 2, White32);
    EXPECT_EQ(Areas.size(), 1u);
}

TEST_F(Lines, LinesWithExtremeEndPointsDrawTheirPixelsInside) {
    Reset(10, 10);
    // Major delta 2^32 - 1, one minor step half way: at x = 0.
    B.LineS(INT_MIN, 0, INT_MAX, 1, White32);
    EXPECT_EQ(Drawn(), Inside(ReferenceLine(0, 1, 10, 1, false), B.BoundsRect()));
    B.Clear(Black32);
    B.LineS(0, INT_MIN, 1, INT_MAX, White32);
    EXPECT_EQ(Drawn(), Inside(ReferenceLine(1, 0, 1, 10, false), B.BoundsRect()));
    B.Clear(Black32);
    B.LineS(INT_MAX, INT_MAX, INT_MIN, INT_MIN, White32);
    TPixelSet diagonal;
    for (int i = 0; i < 10; ++i)
        diagonal.insert({i, i});
    EXPECT_EQ(Drawn(), diagonal);
    // A long shallow line: y at x is floor((2 (x - X1) d + D) / 2D) above Y1.
    B.Clear(Black32);
    const Int64 x1 = -1000000007, y1 = 3, x2 = 1000000009, y2 = 9;
    B.LineS(int(x1), int(y1), int(x2), int(y2), White32);
    TPixelSet expected;
    const Int64 D = x2 - x1, d = y2 - y1;
    for (Int64 x = 0; x < 10; ++x)
        expected.insert({int(x), int(y1 + (2 * (x - x1) * d + D) / (2 * D))});
    EXPECT_EQ(Drawn(), expected);
}

TEST_F(Lines, BlendedLinesBlendEachPixelOnce) {
    B.Clear(Blue);
    B.LineTS(-3, -1, 25, 6, 0x80FF0000, true);
    B.LineT(0, 9, 19, 9, 0x80FF0000);
    int blended = 0;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) {
            const TColor32 c = B.GetPixel(x, y);
            ASSERT_TRUE(c == Blue || c == 0xBF80007F) << x << "," << y;
            blended += c != Blue;
        }
    const TPixelSet line = Inside(ReferenceLine(-3, -1, 25, 6, true), B.BoundsRect());
    EXPECT_EQ(blended, int(line.size()) + 19);
}

TEST_F(Lines, PenDrawsFromItsPositionWithoutTheLastPoint) {
    B.SetPenColor(Green);
    B.MoveTo(1, 1);
    B.LineToS(5, 1);
    B.LineToTS(5, 4);
    EXPECT_EQ(B.GetPenPos(), TPoint(5, 4));
    EXPECT_EQ(Drawn(), (TPixelSet{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {5, 2}, {5, 3}}));
    B.LineToAS(1, 4);
    EXPECT_EQ(B.GetPixel(2, 4), Green);
    EXPECT_EQ(B.GetPixel(1, 4), Black32);
}

// ---- Antialiased lines --------------------------------------------------------------------

TEST_F(Lines, AntialiasedLineSharesEachStepBetweenTwoPixels) {
    // D = 4, d = 1: slope 16384, so the fractions are 0, 64, 128 and 192 (high bytes).
    B.LineA(0, 0, 4, 1, White32);
    const auto blended = [](Byte Weight) { return BlendRegEx(White32, Black32, Weight); };
    EXPECT_EQ(B.GetPixel(0, 0), 0x00FEFEFEu); // weight 255: ((256 x 255) shr 8) = 255
    EXPECT_EQ(B.GetPixel(0, 1), Black32);     // weight 0: untouched
    EXPECT_EQ(B.GetPixel(1, 0), blended(GAMMA_TABLE[191]));
    EXPECT_EQ(B.GetPixel(1, 1), 0x00616161u); // GAMMA_TABLE[64] = 97
    EXPECT_EQ(B.GetPixel(2, 0), blended(GAMMA_TABLE[127]));
    EXPECT_EQ(B.GetPixel(2, 1), 0x009C9C9Cu); // 157
    EXPECT_EQ(B.GetPixel(3, 0), blended(GAMMA_TABLE[63]));
    EXPECT_EQ(B.GetPixel(3, 1), 0x00D0D0D0u); // 209
    EXPECT_EQ(B.GetPixel(4, 0), Black32);
    EXPECT_EQ(B.GetPixel(4, 1), Black32);
    EXPECT_EQ(Areas, (std::vector<TAreaReport>{{{0, 0, 4, 1}, AREAINFO_LINE + 2}}));
}

TEST_F(Lines, ClippedAntialiasedLinesMatchTheUnclippedOnesInside) {
    TBitmap32 reference;
    reference.SetSize(60, 60);
    Reset(60, 60);
    const TRect clip(15, 17, 40, 35);
    const int ends[] = {1, 10, 15, 16, 27, 39, 40, 41, 57};
    for (int x1 : ends)
        for (int y1 : ends)
            for (int x2 : ends)
                for (int y2 : ends) {
                    const bool l = (x1 + y1 + y2) % 2 != 0;
                    reference.Clear(Black32);
                    reference.LineA(x1, y1, x2, y2, White32, l);
                    B.ResetClipRect();
                    B.Clear(Black32);
                    B.SetClipRect(clip);
                    B.LineAS(x1, y1, x2, y2, White32, l);
                    for (int y = 0; y < 60; ++y)
                        for (int x = 0; x < 60; ++x) {
                            const TColor32 expected =
                                PtInRect(clip, {x, y}) ? reference.GetPixel(x, y) : Black32;
                            ASSERT_EQ(B.GetPixel(x, y), expected)
                                << "at " << x << "," << y << " of " << x1 << "," << y1 << " - "
                                << x2 << "," << y2 << " L=" << l;
                        }
                }
}

// ---- Sub-pixel lines ----------------------------------------------------------------------

TEST_F(Lines, SubPixelLinePutsOneSamplePerPixel) {
    // Two whole steps: samples at 0 and 1 with weight (255 x 255 x 255) shr 16 = 253; the
    // leftover fraction is 0, so the last sample has alpha 0.
    B.LineX(0, 0, Fixed(2), 0, White32);
    EXPECT_EQ(Drawn(), (TPixelSet{{0, 0}, {1, 0}}));
    EXPECT_EQ(B.GetPixel(0, 0), 0x00FCFCFCu);
    EXPECT_EQ(B.GetPixel(1, 0), 0x00FCFCFCu);
    EXPECT_EQ(Areas, (std::vector<TAreaReport>{{{0, 0, 2, 0}, AREAINFO_LINE + 2}}));
    Areas.clear();
    B.LineF(0.0f, 5.0f, 2.0f, 5.0f, White32);
    EXPECT_EQ(B.GetPixel(1, 5), 0x00FCFCFCu);
    EXPECT_THROW(B.LineF(0, 0, 1e6f, 0, White32), ERangeError);
}

TEST_F(Lines, ClippedSubPixelLinesStayInsideAndReportOnlyWhatTheyDraw) {
    B.SetClipRect({3, 2, 15, 8});
    B.LineXS(-Fixed(100), Fixed(5), Fixed(100), Fixed(6), White32);
    EXPECT_TRUE(OutsideClipUntouched());
    EXPECT_NE(B.GetPixel(8, 5), Black32);
    ASSERT_EQ(Areas.size(), 1u);
    EXPECT_EQ(Areas[0].Info, AREAINFO_LINE + 2);
    Areas.clear();
    B.LineXS(0, 0, Fixed(2), Fixed(1), White32, true);
    B.LineFS(16, 9, 19, 9, White32);
    EXPECT_TRUE(Areas.empty());
    B.LineXS(INT_MIN, INT_MIN, INT_MAX, INT_MAX, White32, true);
    B.LineXS(INT_MAX, INT_MIN, INT_MIN, INT_MAX, White32, true);
    B.LineToXS(INT_MIN, 0);
    EXPECT_TRUE(OutsideClipUntouched());
    EXPECT_EQ(B.GetPenPosF(), (TFixedPoint{INT_MIN, 0}));
}

TEST_F(Lines, StippledSubPixelLineOutsideOnlyMovesThePattern) {
    B.SetClipRect({5, 5, 10, 10});
    B.SetStipple({Red, Green, Blue, White32});
    B.LineXSP(0, 0, Fixed(3), 0);
    EXPECT_EQ(B.GetStippleCounter(), 3.0f);
    B.LineXSP(0, 0, Fixed(3), 0, true); // one pixel less with the last point
    EXPECT_EQ(B.GetStippleCounter(), 1.0f);
    EXPECT_TRUE(Drawn().empty());
    B.ResetClipRect();
    B.SetStippleCounter(0);
    B.LineXP(Fixed(1), Fixed(1), Fixed(4), Fixed(1));
    EXPECT_EQ(B.GetPixel(1, 1) & 0x00FFFFFF, 0x00FC0000u); // red, then green, then blue
    EXPECT_EQ(B.GetPixel(2, 1) & 0x00FFFFFF, 0x0000FC00u);
    EXPECT_EQ(B.GetPixel(3, 1) & 0x00FFFFFF, 0x000000FCu);
    EXPECT_EQ(B.GetStippleCounter(), 4.0f); // three samples and the empty last one
}

// ---- Rectangles ---------------------------------------------------------------------------

TEST_F(Lines, FillRectSClipsEveryEdge) {
    B.SetClipRect({2, 1, 8, 5});
    B.FillRectS(-5, -5, 100, 100, White32);
    EXPECT_EQ(Drawn().size(), 24u);
    EXPECT_TRUE(OutsideClipUntouched());
    EXPECT_EQ(Areas, (std::vector<TAreaReport>{{{2, 1, 8, 5}, AREAINFO_RECT},
                                               {{2, 1, 8, 5}, AREAINFO_RECT}}));
    Areas.clear();
    B.Clear(Black32);
    Areas.clear();
    B.FillRectS(INT_MIN, 3, 3, INT_MAX, White32);
    EXPECT_EQ(Drawn(), (TPixelSet{{2, 3}, {2, 4}}));
    B.FillRectS(5, 1, 5, 4, White32);  // empty: still reported as given
    B.FillRectS(8, 1, 12, 4, White32); // beside the clip rectangle
    EXPECT_EQ(Areas.back(), (TAreaReport{{8, 1, 12, 4}, AREAINFO_RECT}));
    EXPECT_EQ(Areas[Areas.size() - 2], (TAreaReport{{5, 1, 5, 4}, AREAINFO_RECT}));
    EXPECT_EQ(Drawn().size(), 2u);
}

TEST_F(Lines, BlendedFillCombinesByTheColoursAlpha) {
    B.FillRectT(0, 0, 2, 2, 0x80FFFFFF);
    EXPECT_EQ(B.GetPixel(1, 1), 0x00808080u); // CombineMem leaves alpha 0 when it mixes
    EXPECT_EQ(B.GetPixel(2, 1), Black32);
    TBitmap32 opaque;
    opaque.SetSize(20, 10);
    opaque.Clear(Black32);
    B.FillRectT(3, 3, 6, 6, Green);
    opaque.FillRect(3, 3, 6, 6, Green);
    for (int y = 0; y < 10; ++y)
        for (int x = 2; x < 20; ++x)
            ASSERT_EQ(B.GetPixel(x, y), opaque.GetPixel(x, y));
    B.SetClipRect({10, 0, 12, 10});
    B.FillRectTS(TRect(0, 0, 20, 1), 0x80FFFFFF);
    EXPECT_EQ(B.GetPixel(9, 0), Black32);
    EXPECT_EQ(B.GetPixel(11, 0), 0x00808080u);
}

TEST_F(Lines, FramesDrawTheirOutlineInsideTheClipRect) {
    B.SetClipRect({0, 0, 10, 10});
    B.FrameRectS(2, 2, 6, 5, White32);
    EXPECT_EQ(Drawn().size(), 10u);
    EXPECT_EQ(B.GetPixel(3, 3), Black32);
    B.Clear(Black32);
    B.FrameRectS(TRect(7, 7, 12, 12), White32); // cut by the clip rectangle
    EXPECT_EQ(Drawn(), (TPixelSet{{7, 7}, {8, 7}, {9, 7}, {7, 8}, {7, 9}}));
    B.Clear(Black32);
    B.FrameRectS(4, 4, 5, 5, White32);
    EXPECT_EQ(Drawn(), (TPixelSet{{4, 4}}));
    B.FrameRectTS(0, 0, 2, 1, 0x80FFFFFF);
    EXPECT_EQ(B.GetPixel(1, 0), 0xBF808080u);
}

TEST_F(Lines, RaisedRectangleHasLightAndDarkEdges) {
    const TColor32 gray = 0xFF808080;
    B.Clear(gray);
    B.RaiseRectTS(2, 2, 8, 6, 50); // light: white at 255 (256 clamped); dark: black at 127
    const TColor32 dark = 0xBF404040;
    EXPECT_EQ(B.GetPixel(2, 2), White32);
    EXPECT_EQ(B.GetPixel(7, 2), White32);
    EXPECT_EQ(B.GetPixel(2, 4), White32);
    EXPECT_EQ(B.GetPixel(2, 5), dark);
    EXPECT_EQ(B.GetPixel(7, 3), dark);
    EXPECT_EQ(B.GetPixel(4, 4), gray);
    B.Clear(gray);
    B.RaiseRectTS(TRect(2, 2, 8, 6), -50);
    EXPECT_EQ(B.GetPixel(2, 2), dark);
    EXPECT_EQ(B.GetPixel(7, 5), White32);
    B.Clear(gray);
    B.RaiseRectTS(2, 2, 8, 3, 50); // one row high: no sides above or below it
    EXPECT_EQ(B.GetPixel(2, 1), gray);
    EXPECT_EQ(B.GetPixel(2, 3), gray);
    B.RaiseRectTS(2, 5, 8, 7, 0);
    EXPECT_EQ(B.GetPixel(2, 5), gray);
}

// ---- No clipped operation leaves its clip rectangle ---------------------------------------

TEST_F(Lines, ExtremeCoordinatesNeverReachOutsideTheClipRect) {
    B.SetClipRect({3, 2, 17, 8});
    B.SetStipple({Red, Green});
    const int values[] = {INT_MIN, INT_MIN + 1, -1000000, -1,          0,      5,
                          16,      17,          1000000,  INT_MAX - 1, INT_MAX};
    for (int a : values)
        for (int b : values)
            for (int c : values)
                for (int d : values) {
                    B.LineS(a, b, c, d, White32, true);
                    B.LineTS(a, b, c, d, White32, true);
                    B.LineAS(a, b, c, d, White32, true);
                    B.LineXS(a, b, c, d, White32, true);
                    B.LineXSP(a, b, c, d, true);
                    B.FillRectS(a, b, c, d, White32);
                    B.FillRectTS(a, b, c, d, 0x80FFFFFF);
                    B.FrameRectTS(a, b, c, d, White32);
                    B.FrameRectTSP(a, b, c, d);
                    B.RaiseRectTS(a, b, c, d, c);
                    B.SetPixelXS(a, b, White32);
                    B.SetPixelXW(a, b, White32);
                    B.SetPixelW(a, b, White32);
                }
    EXPECT_TRUE(OutsideClipUntouched());
}

// ---- ClipLine -----------------------------------------------------------------------------

TEST(ClipLine, MovesEndPointsOntoTheEdges) {
    int x1 = -10, y1 = 5, x2 = 20, y2 = 5;
    EXPECT_TRUE(ClipLine(x1, y1, x2, y2, 0, 0, 10, 10));
    EXPECT_EQ(TRect(x1, y1, x2, y2), TRect(0, 5, 10, 5));
    x1 = -10, y1 = -5, x2 = -1, y2 = -20;
    EXPECT_FALSE(ClipLine(x1, y1, x2, y2, 0, 0, 10, 10));
    x1 = 1, y1 = 2, x2 = 3, y2 = 4;
    EXPECT_TRUE(ClipLine(x1, y1, x2, y2, 0, 0, 10, 10));
    EXPECT_EQ(TRect(x1, y1, x2, y2), TRect(1, 2, 3, 4));
}

TEST(ClipLine, RoundsCrossingsToNearest) {
    // From (0, -1) to (3, 5): y = 0 at x = 0.5, rounded away from zero to 1; then from
    // (1, 0), y = 4 at x = 3 - 0.4, rounded to 3.
    int x1 = 0, y1 = -1, x2 = 3, y2 = 5;
    EXPECT_TRUE(ClipLine(x1, y1, x2, y2, 0, 0, 10, 4));
    EXPECT_EQ(TRect(x1, y1, x2, y2), TRect(1, 0, 3, 4));
}

TEST(ClipLine, ExtremeEndPointsAreExact) {
    int x1 = INT_MIN, y1 = INT_MIN, x2 = INT_MAX, y2 = INT_MAX;
    EXPECT_TRUE(ClipLine(x1, y1, x2, y2, 0, 0, 10, 10));
    EXPECT_EQ(TRect(x1, y1, x2, y2), TRect(0, 0, 10, 10));
    x1 = INT_MIN, y1 = 0, x2 = INT_MAX, y2 = 0;
    EXPECT_TRUE(ClipLine(x1, y1, x2, y2, -3, -3, 3, 3));
    EXPECT_EQ(TRect(x1, y1, x2, y2), TRect(-3, 0, 3, 0));
    x1 = 0, y1 = 0, x2 = 5, y2 = 5;
    EXPECT_FALSE(ClipLine(x1, y1, x2, y2, 3, 0, 2, 10)); // an empty rectangle
}

TEST(WideMulDiv, ExactBeyondSixtyFourBits) {
    std::uint64_t remainder;
    // (2^40 + 3) x 2^40 / (2^40 + 1) = 2^40 + 1 remainder 2^40 - 2^40 - 1 ... checked exactly.
    const std::uint64_t a = (std::uint64_t(1) << 40) + 3, b = std::uint64_t(1) << 40;
    const std::uint64_t c = (std::uint64_t(1) << 40) + 1;
    const std::uint64_t q = WideMulDiv(a, b, c, remainder);
    // a x b = (c + 2) x (c - 1) = c^2 + c - 2, so q = c, remainder c - 2.
    EXPECT_EQ(q, c);
    EXPECT_EQ(remainder, c - 2);
    EXPECT_THROW(WideMulDiv(1, 1, 0, remainder), EDivByZero);
    EXPECT_THROW(WideMulDiv(~std::uint64_t(0), 2, 1, remainder), EIntOverflow);
}

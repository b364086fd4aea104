// TBitmap32 text: measuring, drawing with its reports, and rendering with alpha at every
// antialias level. Glyph shapes belong to the platform, so renders are compared with each
// other and checked against their bounds rather than against fixed pixels.
#include "bitmap32/Bmp32.h"

#include "bitmap32/Bmp32_Blend.h"
#include "bitmap32/Bmp32_Resamplers.h"
#include "classlib/Graphics.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Bmp32;

namespace {

constexpr TColor32 Back = 0xFF0000FF;

class Text : public testing::Test {
protected:
    void SetUp() override { Prepare(B); }
    static void Prepare(TBitmap32& Bitmap) {
        Bitmap.SetSize(120, 48);
        Bitmap.Clear(Back);
        Bitmap.GetFont()->SetName("Arial");
        Bitmap.GetFont()->SetHeight(-20);
    }
    static std::vector<TColor32> Pixels(const TBitmap32& Bitmap) {
        return {Bitmap.GetBits(), Bitmap.GetBits() + Bitmap.GetWidth() * Bitmap.GetHeight()};
    }
    // The smallest rectangle holding every pixel that is no longer Back.
    static TRect Touched(const TBitmap32& Bitmap) {
        TRect r{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
        for (int y = 0; y < Bitmap.GetHeight(); ++y)
            for (int x = 0; x < Bitmap.GetWidth(); ++x)
                if (Bitmap.GetPixel(x, y) != Back) {
                    r.Left = std::min(r.Left, x);
                    r.Top = std::min(r.Top, y);
                    r.Right = std::max(r.Right, x + 1);
                    r.Bottom = std::max(r.Bottom, y + 1);
                }
        return r;
    }
    TBitmap32 B;
};

} // namespace

TEST_F(Text, EveryAntialiasLevelDrawsInsideItsBoundsAndRepeatsExactly) {
    const TSize extent = B.TextExtent("Hg ");
    for (int level = -1; level <= 4; ++level) {
        B.Clear(Back);
        B.RenderText(10, 6, "Hg", level, 0xFFFF0000);
        const TRect touched = Touched(B);
        ASSERT_LT(touched.Left, touched.Right) << "level " << level << " drew nothing";
        EXPECT_GE(touched.Left, 10) << level;
        EXPECT_GE(touched.Top, 6) << level;
        // Supersampled coverage bitmaps round each side up by less than one pixel.
        EXPECT_LE(touched.Right, 10 + extent.cx + 2) << level;
        EXPECT_LE(touched.Bottom, 6 + extent.cy + 2) << level;

        TBitmap32 again;
        Prepare(again);
        again.RenderText(10, 6, "Hg", level, 0xFFFF0000);
        EXPECT_EQ(Pixels(again), Pixels(B)) << level;
    }
}

TEST_F(Text, LevelsOutsideTheRangeAreBroughtIntoIt) {
    TBitmap32 other;
    Prepare(other);
    B.RenderText(4, 4, "Wx", 9, 0xFF00FF00);
    other.RenderText(4, 4, "Wx", 4, 0xFF00FF00);
    EXPECT_EQ(Pixels(B), Pixels(other));
    Prepare(B);
    Prepare(other);
    B.RenderText(4, 4, "Wx", -3, 0xFF00FF00);
    other.RenderText(4, 4, "Wx", -1, 0xFF00FF00);
    EXPECT_EQ(Pixels(B), Pixels(other));
}

TEST_F(Text, AliasedTextAtHalfOpacityLeavesTheGapsAlone) {
    B.RenderText(2, 2, "Mm", 0, 0x80FF0000);
    const TColor32 ink = BlendRegEx(0xFFFF0000, Back, 0x80);
    int inked = 0;
    for (const TColor32 pixel : Pixels(B)) {
        EXPECT_TRUE(pixel == Back || pixel == ink) << std::hex << pixel;
        inked += pixel == ink;
    }
    EXPECT_GT(inked, 0);
}

TEST_F(Text, RenderingPutsTheFontBackToDefaultQualityAndEmptyBitmapsLeaveItAlone) {
    B.RenderText(0, 0, "a", 2, 0xFF000000);
    EXPECT_EQ(B.GetFont()->GetLogFont().lfQuality, DEFAULT_QUALITY);
    EXPECT_EQ(B.GetFont()->GetHeight(), -20);
    TBitmap32 empty;
    const HFONT before = empty.GetFont()->GetHandle();
    empty.RenderText(0, 0, "a", 1, 0xFF000000);
    EXPECT_EQ(empty.GetFont()->GetHandle(), before);
}

TEST_F(Text, AFontTallerThanAnyScreenKeepsItsHeightButRendersAtTheTallest) {
    B.GetFont()->SetHeight(65536);
    SetFontAntialiasing(B.GetFont(), NONANTIALIASED_QUALITY);
    EXPECT_EQ(B.GetFont()->GetHeight(), 65536);
    EXPECT_LE(B.TextHeight("Wq"), MaxFontHeight * 5 / 4);
}

TEST_F(Text, TextoutReportsTheExtentPlusOnePixel) {
    const TSize extent = B.TextExtent("Hello");
    ASSERT_GT(extent.cx, 0);
    EXPECT_EQ(B.TextExtentW(L"Hello"), extent);
    std::vector<TRect> areas;
    B.OnAreaChanged = TAreaChangedEvent::FromCallable(
        [&](TObject*, const TRect& Area, Cardinal) { areas.push_back(Area); });
    B.Textout(3, 4, "Hello");
    ASSERT_EQ(areas.size(), 1u);
    EXPECT_EQ(areas[0], TRect(3, 4, 3 + extent.cx + 1, 4 + extent.cy + 1));
}

TEST_F(Text, TextoutStaysInsideTheClipRectangle) {
    B.SetClipRect({0, 0, 20, 48});
    B.GetFont()->SetColor(clWhite);
    B.Textout(0, 0, "WWWWWWWW");
    const TRect touched = Touched(B);
    EXPECT_LT(touched.Left, touched.Right);
    EXPECT_LE(touched.Right, 20);
}

TEST_F(Text, TextoutInARectangleReportsWhatDrawTextLeft) {
    std::vector<TRect> areas;
    B.OnAreaChanged = TAreaChangedEvent::FromCallable(
        [&](TObject*, const TRect& Area, Cardinal) { areas.push_back(Area); });
    B.Textout(TRect(5, 5, 5, 5), DT_CALCRECT | DT_SINGLELINE, "Hi");
    ASSERT_EQ(areas.size(), 1u);
    EXPECT_EQ(areas[0], TRect(5, 5, 5 + B.TextWidth("Hi"), 5 + B.TextHeight("Hi")));
}

TEST_F(Text, MeasuringWithoutAContextUsesTheStockCanvas) {
    TBitmap32 empty;
    empty.SetFont(B.GetFont());
    EXPECT_EQ(empty.TextExtent("Measure"), B.TextExtent("Measure"));
}

TEST(TextHelpers, BlueBecomesAlphaAndScalingDownAveragesTheBlueOfEachBlock) {
    TBitmap32 b;
    b.SetSize(2, 1);
    b.SetPixel(0, 0, 0);
    b.SetPixel(1, 0, 0x00FFFF80);
    TextBlueToAlpha(&b, 0x00112233);
    EXPECT_EQ(b.GetPixel(0, 0), 0u);
    EXPECT_EQ(b.GetPixel(1, 0), 0x80112233u);
    TBitmap32 large, small;
    large.SetSize(4, 2);
    large.Clear(0);
    large.SetPixel(0, 0, 0x000000FF);
    large.SetPixel(0, 1, 0x00FFFFFF);
    large.SetPixel(1, 1, 0x000000FF);
    large.SetPixel(3, 0, 0x00000010);
    small.SetSize(2, 1);
    TextScaleDown(&small, &large, 1, 0x00ABCDEF);
    EXPECT_EQ(small.GetPixel(0, 0), 0xBFABCDEFu); // 765 / 4
    EXPECT_EQ(small.GetPixel(1, 0), 0x04ABCDEFu); // 16 / 4
    small.SetSize(3, 1);
    EXPECT_THROW(TextScaleDown(&small, &large, 1, 0), ERangeError);
}


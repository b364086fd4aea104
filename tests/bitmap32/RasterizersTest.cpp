// Rasterizers: visiting orders, announcements, writers, clipping and update balance.
#include "bitmap32/Bmp32_Rasterizers.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

using namespace Bmp32;

namespace {

// Answers a colour built from the position and records every read.
class TRecordingSampler : public TCustomSampler {
public:
    TColor32 GetSampleInt(int X, int Y) override {
        if (FailAfter >= 0 && int(Visits.size()) >= FailAfter) throw std::runtime_error("sampler");
        Visits.push_back({X, Y});
        return Color ? Color : 0xFF000000 | TColor32(Y) << 8 | TColor32(X);
    }
    void PrepareSampling() override { ++Prepared; }
    void FinalizeSampling() override { ++Finalized; }
    bool HasBounds() const override { return !IsRectEmpty(Bounds); }
    TRect GetSampleBounds() const override { return Bounds; }

    std::vector<TPoint> Visits;
    TColor32 Color = 0;
    TRect Bounds{};
    int FailAfter = -1;
    int Prepared = 0, Finalized = 0;
};

class Rasterizers : public testing::Test {
protected:
    void SetUp() override {
        Dst.SetSize(16, 16);
        Dst.Clear(0);
        Dst.OnAreaChanged = TAreaChangedEvent::FromCallable(
            [this](TObject*, const TRect& Area, Cardinal) { Areas.push_back(Area); });
    }
    void Run(TRasterizer& R, const TRect& Rect) {
        R.SetSampler(&Sampler);
        R.Rasterize(&Dst, Rect);
        delete &R;
    }
    TBitmap32 Dst;
    TRecordingSampler Sampler;
    std::vector<TRect> Areas;
};

} // namespace

TEST_F(Rasterizers, RegularAnnouncesRowsByCount) {
    auto* r = new TRegularRasterizer;
    r->SetUpdateRowCount(2);
    Run(*r, {1, 1, 4, 6});
    EXPECT_EQ(Sampler.Visits.size(), 15u);
    EXPECT_EQ(Sampler.Visits[1], (TPoint{2, 1}));
    ASSERT_EQ(Areas.size(), 3u);
    EXPECT_EQ(Areas[0], (TRect{1, 1, 4, 3}));
    EXPECT_EQ(Areas[2], (TRect{1, 5, 4, 6}));
    EXPECT_EQ(Dst.GetPixel(3, 5), 0xFF000503u);
    Areas.clear();
    Run(*new TRegularRasterizer, {0, 0, 2, 2});
    ASSERT_EQ(Areas.size(), 1u);
    EXPECT_EQ(Areas[0], (TRect{0, 0, 2, 2}));
}

TEST_F(Rasterizers, SwizzlingVisitsInZOrder) {
    Run(*new TSwizzlingRasterizer, {0, 0, 3, 2});
    const std::vector<TPoint> expected{{0, 0}, {1, 0}, {0, 1}, {1, 1}, {2, 0}, {2, 1}};
    EXPECT_EQ(Sampler.Visits, expected);
    Sampler.Visits.clear();
    Run(*new TSwizzlingRasterizer, {0, 0, 16, 16});
    EXPECT_EQ(Sampler.Visits.size(), 256u);
    EXPECT_EQ(Sampler.Visits[64], (TPoint{8, 0}));
    EXPECT_EQ(Dst.GetPixel(15, 15), 0xFF000F0Fu);
}

TEST_F(Rasterizers, ProgressiveRefinesAndStaysInsideSmallRectangles) {
    auto* r = new TProgressiveRasterizer;
    r->SetSteps(0);
    Run(*r, {0, 0, 3, 2});
    EXPECT_EQ(Sampler.Visits.size(), 6u);
    ASSERT_EQ(Areas.size(), 2u); // one per row

    // A 3 x 3 rectangle in the middle of a 16 x 16 block: no fill leaves it.
    Dst.Clear(0);
    Areas.clear();
    Run(*new TProgressiveRasterizer, {5, 5, 8, 8});
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const bool inside = x >= 5 && x < 8 && y >= 5 && y < 8;
            EXPECT_EQ(Dst.GetPixel(x, y), inside ? 0xFF000000 | TColor32(y) << 8 | TColor32(x) : 0u)
                << x << "," << y;
        }
    for (const TRect& area : Areas)
        EXPECT_TRUE(area.Top >= 5 && area.Bottom <= 8 && area.Left == 5 && area.Right == 8);
}

TEST_F(Rasterizers, TesseralWritesTopRowLeftColumnThenSplits) {
    Run(*new TTesseralRasterizer, {0, 0, 1, 1});
    EXPECT_EQ(Sampler.Visits.size(), 2u);
    Sampler.Visits.clear();
    Areas.clear();
    Run(*new TTesseralRasterizer, {0, 0, 4, 3});
    EXPECT_EQ(Sampler.Visits.size(), 4u + 3 + 6);
    EXPECT_EQ(Areas[2], (TRect{2, 1, 3, 3})); // the first vertical split
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(Dst.GetPixel(x, y), 0xFF000000 | TColor32(y) << 8 | TColor32(x));
}

TEST_F(Rasterizers, ContourCoversAUniformRectangle) {
    Sampler.Color = 0xFF808080;
    Run(*new TContourRasterizer, {2, 2, 7, 6});
    EXPECT_GE(Sampler.Visits.size(), 20u);
    EXPECT_LE(Sampler.Visits.size(), 21u);
    for (int y = 2; y < 6; ++y)
        for (int x = 2; x < 7; ++x)
            EXPECT_EQ(Dst.GetPixel(x, y), 0xFF808080u);
    EXPECT_EQ(Dst.GetPixel(7, 6), 0u);
}

TEST_F(Rasterizers, WritersClippingAndFailure) {
    Dst.Clear(0xFF0000FF);
    Sampler.Color = 0x80FF0000;
    TCombineInfo info;
    info.DrawMode = dmTransparent;
    info.TransparentColor = 0x80FF0000;
    TRegularRasterizer r;
    r.SetSampler(&Sampler);
    r.Rasterize(&Dst, {0, 0, 2, 2}, info);
    EXPECT_EQ(Dst.GetPixel(0, 0), 0xFF0000FFu);
    info.DrawMode = dmBlend;
    r.Rasterize(&Dst, {0, 0, 1, 1}, info);
    const TColor32 blended = Dst.GetPixel(0, 0);
    EXPECT_NEAR(int(blended >> 16 & 0xFF), 0x80, 2);
    EXPECT_NEAR(int(blended & 0xFF), 0x7F, 2);
    TBitmap32 src;
    src.SetDrawMode(dmCustom); // no handler: written opaquely
    EXPECT_EQ(CombineInfo(src).DrawMode, dmOpaque);

    Sampler.Visits.clear();
    Sampler.Bounds = {1, 1, 3, 3};
    r.Rasterize(&Dst, {-5, -5, 30, 30});
    EXPECT_EQ(Sampler.Visits.size(), 4u);

    Sampler.FailAfter = 3;
    TProgressiveRasterizer p;
    p.SetSampler(&Sampler);
    const int finalized = Sampler.Finalized;
    EXPECT_THROW(p.Rasterize(&Dst), std::runtime_error);
    EXPECT_EQ(Dst.GetUpdateCount(), 0);
    EXPECT_EQ(Sampler.Finalized, finalized + 1);
    EXPECT_EQ(Sampler.Prepared, Sampler.Finalized);
}

// Resamplers: nearest, linear, draft and kernel stretching against hand-computed pixels,
// point sampling, weight maps, the bitmap's resampler slot, the registries, and sampling
// through a transformation.
#include "bitmap32/Bmp32.h"

#include "bitmap32/Bmp32_Resamplers.h"
#include "bitmap32/Bmp32_Transforms.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

using namespace Bmp32;

namespace {

TColor32 Mark(int X, int Y) {
    return 0xFF000000 | TColor32(Y) << 8 | TColor32(X);
}

void FillMarked(TBitmap32& B, int W, int H) {
    B.SetSize(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            B.SetPixel(x, y, Mark(x, y));
}

// Every row of a W x H bitmap holds the given blues (alpha Alpha).
void FillColumns(TBitmap32& B, const std::vector<int>& Blues, int H, TColor32 Alpha) {
    B.SetSize(int(Blues.size()), H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < B.GetWidth(); ++x)
            B.SetPixel(x, y, Alpha << 24 | TColor32(Blues[x]));
}

class TFullEdge {
public:
    explicit TFullEdge(bool Value) : FSaved(FullEdge) { FullEdge = Value; }
    ~TFullEdge() { FullEdge = FSaved; }

private:
    bool FSaved;
};

// Src stretched onto a new W x H bitmap through the resampler class ClassName.
std::unique_ptr<TBitmap32> Stretched(TBitmap32& Src, const char* ClassName, int W, int H) {
    Src.SetResamplerClassName(ClassName);
    auto dst = std::make_unique<TBitmap32>();
    dst->SetSize(W, H);
    dst->Clear(0);
    Src.DrawTo(dst.get(), dst->BoundsRect());
    return dst;
}

std::vector<std::vector<int>> Blues(const TBitmap32& B) {
    std::vector<std::vector<int>> rows(B.GetHeight());
    for (int y = 0; y < B.GetHeight(); ++y)
        for (int x = 0; x < B.GetWidth(); ++x)
            rows[y].push_back(BlueComponent(B.GetPixel(x, y)));
    return rows;
}

// Doubling maps destination columns to (source 0, weight 256), (0, 192), (0, 64) and,
// after the last column lends its weight, (0, 0); the same for rows. The 255-based weights
// of CombineReg turn 255 into 254 where two equal rows are mixed.
const std::vector<std::vector<int>> DoubledBlues = {
    {0, 63, 190, 255}, {0, 63, 190, 254}, {0, 63, 190, 254}, {0, 63, 190, 255}};

} // namespace

// ---- Nearest ------------------------------------------------------------------------------

TEST(NearestStretch, DoubleRepeatsEachPixelWithOrWithoutFullEdge) {
    for (const bool fullEdge : {true, false}) {
        TFullEdge edge(fullEdge);
        TBitmap32 src;
        FillMarked(src, 2, 2);
        const auto dst = Stretched(src, "TNearestResampler", 4, 4);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(dst->GetPixel(x, y), Mark(x / 2, y / 2)) << fullEdge;
    }
}

TEST(NearestStretch, HalfTakesEveryOtherPixelOrTheEdges) {
    TBitmap32 src;
    FillMarked(src, 4, 4);
    {
        TFullEdge edge(true); // scale 2: columns 0 and 2
        EXPECT_EQ(Stretched(src, "TNearestResampler", 2, 2)->GetPixel(1, 1), Mark(2, 2));
    }
    {
        TFullEdge edge(false); // scale 3: the first and the last column
        EXPECT_EQ(Stretched(src, "TNearestResampler", 2, 2)->GetPixel(1, 1), Mark(3, 3));
    }
    FillMarked(src, 5, 2); // one pixel wide: the middle column
    EXPECT_EQ(Stretched(src, "TNearestResampler", 1, 4)->GetPixel(0, 3), Mark(2, 1));
}

TEST(NearestStretch, TransparentAndBlendModes) {
    TBitmap32 src, dst;
    src.SetSize(2, 1);
    src.SetPixel(0, 0, 0xFF000000);
    src.SetPixel(1, 0, 0x80FF0000);
    src.SetOuterColor(0xFF000000);
    dst.SetSize(4, 1);
    dst.Clear(0xFF0000FF);
    src.SetDrawMode(dmTransparent);
    src.DrawTo(&dst, dst.BoundsRect());
    EXPECT_EQ(dst.GetPixel(1, 0), 0xFF0000FFu);
    EXPECT_EQ(dst.GetPixel(2, 0), 0x80FF0000u);
    dst.Clear(0xFF0000FF);
    src.SetDrawMode(dmBlend);
    src.DrawTo(&dst, dst.BoundsRect());
    EXPECT_EQ(dst.GetPixel(0, 0), 0xFF000000u);
    EXPECT_EQ(dst.GetPixel(3, 0), BlendReg(0x80FF0000, 0xFF0000FF));
}

TEST(NearestSampling, RoundingOfFixedAndFloatPositions) {
    TBitmap32 b;
    FillMarked(b, 3, 1);
    TCustomResampler* r = b.GetResampler();
    r->PrepareSampling();
    EXPECT_EQ(r->GetSampleFixed(0x8000, 0), Mark(0, 0)); // an exact half rounds down
    EXPECT_EQ(r->GetSampleFixed(0x8001, 0), Mark(1, 0));
    EXPECT_EQ(r->GetSampleFloat(1.5f, 0), Mark(2, 0)); // halves to even
    EXPECT_EQ(r->GetSampleFloat(0.5f, 0), Mark(0, 0));
    EXPECT_EQ(r->GetSampleInt(-1, 0), 0u); // pamSafe: the outer colour
}

TEST(SafeSampling, FarOffPointsReadTheOuterColour) {
    TBitmap32 b;
    FillMarked(b, 3, 3);
    b.SetOuterColor(0x11223344);
    for (const char* name : {"TNearestResampler", "TLinearResampler", "TKernelResampler"}) {
        b.SetResamplerClassName(name);
        TCustomResampler* r = b.GetResampler();
        r->PrepareSampling();
        for (const float far : {3e9f, -3e9f, 40000.0f, 1e10f, std::nanf("")}) {
            EXPECT_EQ(r->GetSampleFloat(far, 1), 0x11223344u) << name << " " << far;
            EXPECT_EQ(r->GetSampleFloat(1, far), 0x11223344u) << name << " " << far;
            EXPECT_EQ(b.GetPixelR(far, far), 0x11223344u) << name << " " << far;
        }
        EXPECT_EQ(r->GetSampleFloat(1, 1) >> 24, 0xFFu) << name;
        r->FinalizeSampling();
    }
    auto* unsafe = static_cast<TBitmap32Resampler*>(b.GetResampler());
    unsafe->SetPixelAccessMode(pamUnsafe);
    unsafe->PrepareSampling();
    EXPECT_THROW(unsafe->GetSampleFloat(3e9f, 0), ERangeError);
    unsafe->FinalizeSampling();
}

TEST(SafeSampling, LinearReadsBeyondTheFixedPointRangeInsideWideBitmaps) {
    TBitmap32 b;
    FillColumns(b, std::vector<int>(40002, 77), 3, 255);
    b.SetResamplerClassName("TLinearResampler");
    b.GetResampler()->PrepareSampling();
    EXPECT_EQ(b.GetPixelR(40000, 1), 0xFF00004Du);
}

// ---- Linear and draft ---------------------------------------------------------------------

TEST(LinearStretch, DoubleAgainstHandComputedPixels) {
    TBitmap32 src;
    FillColumns(src, {0, 255}, 2, 0);
    EXPECT_EQ(Blues(*Stretched(src, "TLinearResampler", 4, 4)), DoubledBlues);
}

TEST(LinearStretch, HalfUsesTheTriangleKernel) {
    // Halving weighs column 0 from source columns (0, 32) (0, 96) (1, 96) (2, 32) and
    // column 1 from (1, 32) (2, 96) (3, 96) (3, 32): (64 * 96 + 128 * 32) / 256 = 40 and
    // (64 * 32 + 128 * 96 + 255 * 128) / 256 = 183.5, truncated.
    TBitmap32 src;
    FillColumns(src, {0, 64, 128, 255}, 4, 255);
    const auto dst = Stretched(src, "TLinearResampler", 2, 2);
    EXPECT_EQ(dst->GetPixel(0, 1), 0xFF000028u);
    EXPECT_EQ(dst->GetPixel(1, 1), 0xFF0000B7u);
}

TEST(DraftResample, HalfAveragesBlocksTruncatedAndDoubleStretchesLinearly) {
    TBitmap32 src;
    src.SetSize(4, 4);
    const int blues[4][4] = {{0, 1, 10, 11}, {2, 4, 12, 13}, {0, 0, 255, 255}, {0, 3, 255, 254}};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            src.SetPixel(x, y, 0xFF000000 | TColor32(blues[y][x]));
    // 7 / 4, 46 / 4, 3 / 4 and 1019 / 4.
    EXPECT_EQ(Blues(*Stretched(src, "TDraftResampler", 2, 2)),
              (std::vector<std::vector<int>>{{1, 11}, {0, 254}}));
    FillColumns(src, {0, 255}, 2, 0);
    EXPECT_EQ(Blues(*Stretched(src, "TDraftResampler", 4, 4)), DoubledBlues);
}

TEST(BlockAverage, ExactTruncatedAverageForAnyBlockSize) {
    std::vector<TColor32> block(300 * 2, 0xFFFFFFFF);
    EXPECT_EQ(BlockAverage(300, 2, block.data(), 300), 0xFFFFFFFFu); // sums past 16 bits
    block[1] = 0xFEFEFEFE;
    EXPECT_EQ(BlockAverage(3, 1, block.data(), 300), 0xFEFEFEFEu); // 764 / 3 truncated

    TBitmap32 white; // more than 2^24 pixels in one block
    white.SetSize(4097, 4097);
    white.Clear(0xFFFFFFFF);
    EXPECT_EQ(Stretched(white, "TDraftResampler", 1, 1)->GetPixel(0, 0), 0xFFFFFFFFu);
}

// ---- Kernel resampler ---------------------------------------------------------------------

class KernelSampling : public testing::Test {
protected:
    void SetUp() override {
        FillColumns(B, {0, 200}, 1, 255);
        B.SetOuterColor(0x11223344);
        R = new TKernelResampler(&B);
        R->SetKernelClassName("TLinearKernel");
    }
    TColor32 SampleHalfway(TKernelMode Mode) {
        R->SetKernelMode(Mode);
        R->PrepareSampling();
        const TColor32 result = R->GetSampleFloat(0.5f, 0);
        R->FinalizeSampling();
        return result;
    }
    TBitmap32 B;
    TKernelResampler* R = nullptr;
};

TEST_F(KernelSampling, HalfwayBetweenTwoPixels) {
    EXPECT_EQ(SampleHalfway(kmDynamic), 0xFF000064u);
    // Table row 16 of 32 (15.5 rounded to even): weights 132 and 124.
    EXPECT_EQ(SampleHalfway(kmTableNearest), 0xFF000060u);
    // Rows 15 and 16 blended half and half: 128 and 128 again.
    EXPECT_EQ(SampleHalfway(kmTableLinear), 0xFF000064u);
}

TEST_F(KernelSampling, OutsideTheClipRectangleOrUnpreparedSampling) {
    EXPECT_THROW(R->GetSampleFloat(0, 0), EInvalidOperation);
    R->PrepareSampling();
    EXPECT_EQ(R->GetSampleFloat(-5, 0), 0x11223344u);
    EXPECT_EQ(R->GetSampleFloat(0, 7), 0x11223344u);
}

TEST_F(KernelSampling, KernelByClassNameAndChangesReachTheBitmap) {
    int changes = 0;
    B.OnChange = TNotifyEvent::FromCallable([&](TObject*) { ++changes; });
    R->SetKernelClassName("TNoSuchKernel");
    EXPECT_EQ(R->GetKernelClassName(), "TLinearKernel");
    R->SetKernelClassName("TBoxKernel");
    EXPECT_EQ(R->GetKernelClassName(), "TBoxKernel");
    R->SetTableSize(1);
    EXPECT_EQ(R->GetTableSize(), 2);
    R->SetTableSize(2);
    R->GetKernel()->Changed();
    EXPECT_EQ(changes, 3);
    EXPECT_THROW(R->SetKernel(nullptr), EInvalidOperation);
}

TEST(Kernels, TheBoxIncludesItsEdges) {
    const TBoxKernel box;
    EXPECT_EQ(box.Filter(-0.5f), 1.0f);
    EXPECT_EQ(box.Filter(0.5f), 1.0f);
    EXPECT_EQ(box.Filter(0.50001f), 0.0f);
}

TEST(WeightMaps, OnePixelSourceGivesOnePairPerPosition) {
    const TMappingTable map = BuildMappingTable(0, 4, 1, 3, 5, 6, TLinearKernel());
    EXPECT_EQ(map, (TMappingTable{{{5, 256}}, {{5, 256}}}));
}

TEST(WeightMaps, EveryClusterOfEveryKernelSumsTo256AndStaysInTheSource) {
    const int sizes[][2] = {{3, 7}, {7, 3}, {5, 2}, {10, 1}, {2, 9}, {1000, 3}, {10, 37}, {37, 10}};
    for (const bool fullEdge : {true, false}) {
        TFullEdge edge(fullEdge);
        for (int i = 0; i < KernelList->GetCount(); ++i) {
            std::unique_ptr<TCustomKernel> kernel(CreateKernel(KernelList->Get(i)->Name));
            for (const auto& size : sizes)
                for (const TCluster& cluster :
                     BuildMappingTable(0, size[1], 0, size[1], 2, 2 + size[0], *kernel)) {
                    int sum = 0;
                    for (const TWeightPair& pair : cluster) {
                        sum += pair.Weight;
                        ASSERT_GE(pair.Pos, 2);
                        ASSERT_LT(pair.Pos, 2 + size[0]);
                    }
                    ASSERT_EQ(sum, 256) << kernel->ClassName() << " " << size[0] << " -> " << size[1];
                }
        }
    }
}

// ---- The bitmap's resampler and the registries --------------------------------------------

TEST(ResamplerSlot, NearestByDefaultOthersByClassName) {
    TBitmap32 b;
    EXPECT_EQ(b.GetResamplerClassName(), "TNearestResampler");
    b.SetResamplerClassName("TDraftResampler");
    EXPECT_EQ(b.GetResamplerClassName(), "TDraftResampler");
    EXPECT_EQ(static_cast<TBitmap32Resampler*>(b.GetResampler())->GetBitmap(), &b);
    b.SetResamplerClassName("TNoSuchResampler");
    b.SetResamplerClassName("tlinearresampler"); // the registry compares exactly
    EXPECT_EQ(b.GetResamplerClassName(), "TDraftResampler");
}

TEST(Registries, HoldTheClassesInRegistrationOrder) {
    ASSERT_NE(ResamplerList, nullptr);
    ASSERT_EQ(ResamplerList->GetCount(), 4);
    EXPECT_STREQ(ResamplerList->Get(0)->Name, "TNearestResampler");
    EXPECT_STREQ(ResamplerList->Get(3)->Name, "TKernelResampler");
}

// ---- Sampling through a transformation ----------------------------------------------------

namespace {

// Maps every point one pixel to the right.
class TShiftRight : public TTransformation {
public:
    void ReverseTransformFloat(float DstX, float DstY, float& SrcX, float& SrcY) override {
        SrcX = DstX - 1;
        SrcY = DstY;
    }
    void TransformFloat(float SrcX, float SrcY, float& DstX, float& DstY) override {
        DstX = SrcX + 1;
        DstY = SrcY;
    }
};

} // namespace

TEST(Transformers, SampleAtTheReverseMappedPoint) {
    TBitmap32 b;
    FillMarked(b, 3, 1);
    TShiftRight shift;
    auto* resampler = static_cast<TBitmap32Resampler*>(b.GetResampler());
    std::unique_ptr<TTransformer> nearest(resampler->GetTransformerClass()(resampler, &shift));
    EXPECT_STREQ(nearest->ClassName(), "TNearestTransformer");
    nearest->PrepareSampling();
    EXPECT_EQ(nearest->GetSampleInt(2, 0), Mark(1, 0));
    EXPECT_EQ(nearest->GetSampleFixed(0x2FFFF, 0), Mark(1, 0)); // truncated to whole pixels
    EXPECT_EQ(nearest->GetSampleFloat(2.5f, 0), Mark(2, 0));    // 1.5 rounds to even

    TTransformer smooth(resampler, &shift);
    EXPECT_EQ(smooth.GetSampleFixed(0x28000, 0), Mark(1, 0)); // 1.5 rounds down as fixed
    EXPECT_EQ(smooth.GetSampleBounds(), TRect(0, 0, 3, 1));

    try {
        TNestedSampler().PrepareSampling();
        FAIL();
    } catch (const ENestedException& e) {
        EXPECT_EQ(e.Message(), "Nested sampler is nil");
    }
}

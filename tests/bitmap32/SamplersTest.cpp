// Super-samplers, sample patterns, kernel samplers and whole-bitmap convolution and
// morphology.
#include "bitmap32/Bmp32_ResamplersSamplers.h"
#include "bitmap32/Bmp32_TransformsWarps.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace Bmp32;

namespace {

// Answers Color everywhere, or white right of X = Edge, and records the positions asked.
class TProbe : public TCustomSampler {
public:
    TColor32 GetSampleFixed(TFixed X, TFixed Y) override {
        Points.push_back({X, Y});
        return X >= Edge ? 0xFFFFFFFF : Color;
    }
    std::vector<TFixedPoint> Points;
    TColor32 Color = 0xFF000000;
    TFixed Edge = 0x7FFFFFFF;
};

std::unique_ptr<TIntegerMap> Kernel(int W, int H, std::vector<int> Values) {
    auto map = std::make_unique<TIntegerMap>();
    map->SetSize(W, H);
    for (int i = 0; i < W * H; ++i)
        map->GetBits()[i] = Values[i];
    return map;
}

// A 3 x 3 bitmap whose blues are 10, 20, .. 90 row by row.
void FillNine(TBitmap32& B) {
    B.SetSize(3, 3);
    for (int i = 0; i < 9; ++i)
        B.SetPixel(i % 3, i / 3, 0xFF000000 | TColor32(10 * (i + 1)));
}

} // namespace

TEST(SuperSampling, RegularGridAndTruncatedReciprocals) {
    TProbe probe;
    TSuperSampler s(&probe);
    s.GetSampleFixed(0, 0);
    ASSERT_EQ(probe.Points.size(), 16u);
    EXPECT_EQ(probe.Points[0], (TFixedPoint{-0x6000, -0x6000}));
    EXPECT_EQ(probe.Points[3], (TFixedPoint{0x6000, -0x6000}));
    EXPECT_EQ(probe.Points[15], (TFixedPoint{0x6000, 0x6000}));
    probe.Color = 0xFFFFFFFF;
    s.SetSamplingX(3);
    s.SetSamplingY(1);
    EXPECT_EQ(s.GetSampleFixed(0, 0), 0xFEFEFEFEu); // 1/3 truncated in 16.16
    s.SetSamplingY(0);
    EXPECT_EQ(s.GetSampleFixed(0, 0), 0u);
}

TEST(SuperSampling, AdaptiveRefinesOnlyWhereColoursDiffer) {
    TProbe probe;
    probe.Color = 0xFF336699;
    TAdaptiveSuperSampler a(&probe);
    EXPECT_EQ(a.GetSampleFixed(5 * FixedOne, 5 * FixedOne), 0xFF336699u);
    EXPECT_EQ(probe.Points.size(), 5u);
    probe.Points.clear();
    probe.Color = 0xFF000000;
    probe.Edge = 5 * FixedOne + 1; // the right half of the pixel is white, the rest black
    const TColor32 mixed = a.GetSampleFixed(5 * FixedOne, 5 * FixedOne);
    EXPECT_GT(probe.Points.size(), 5u);
    for (const TFixedPoint& p : probe.Points) // split down to sixteenths at most
        EXPECT_EQ((p.X - 5 * FixedOne) % 0x1000, 0);
    EXPECT_GE(int(mixed & 0xFF), 96);
    EXPECT_LE(int(mixed & 0xFF), 128);
    a.SetTolerance(255 * 3);
    probe.Points.clear();
    a.GetSampleFixed(5 * FixedOne, 5 * FixedOne);
    EXPECT_EQ(probe.Points.size(), 5u);
}

TEST(SuperSampling, JitteredPatternsTileThePlane) {
    static float next = 0;
    const TUniformRandom saved = UniformRandom;
    UniformRandom = [] { return next = next >= 0.9f ? 0.0f : next + 0.1f; };
    const TFixedSamplePattern pattern = CreateJitteredPattern(2, 2, 3, 3);
    UniformRandom = saved;
    ASSERT_EQ(pattern.size(), 2u);
    ASSERT_EQ(pattern[1].size(), 2u);
    for (const auto& row : pattern)
        for (const auto& list : row) {
            ASSERT_EQ(list.size(), 9u);
            for (int k = 0; k < 9; ++k) {
                const int i = k % 3, j = k / 3;
                EXPECT_GE(list[k].X, i * 65536 / 3 - 32768);
                EXPECT_LT(list[k].X, (i + 1) * 65536 / 3 - 32768 + 1);
                EXPECT_GE(list[k].Y, j * 65536 / 3 - 32768);
                EXPECT_LT(list[k].Y, (j + 1) * 65536 / 3 - 32768 + 1);
            }
        }
    TProbe probe;
    TPatternSampler p(&probe);
    p.SetPattern({{{{0x100, 0}, {0x200, 0}}, {{0x300, 0}}}});
    p.GetSampleFixed(-FixedOne, 0); // column -1 wraps to column 1
    ASSERT_EQ(probe.Points.size(), 1u);
    EXPECT_EQ(probe.Points[0].X, -FixedOne + 0x300);
}

TEST(KernelSamplers, ConvolutionSelectiveAndMorphology) {
    TBitmap32 src, dst;
    FillNine(src);
    const auto identity = Kernel(1, 1, {256});
    Convolve(&src, &dst, *identity, 0, 0);
    EXPECT_EQ(dst.GetPixel(2, 1), src.GetPixel(2, 1));
    EXPECT_EQ(identity->GetValue(0, 0), 256); // still the caller's

    const auto zeros = Kernel(3, 3, std::vector<int>(9, 0));
    Erode(&src, &dst, *zeros, 1, 1);
    EXPECT_EQ(dst.GetPixel(1, 1) & 0xFF, 10u); // the smallest of the neighbourhood
    Dilate(&src, &dst, *zeros, 1, 1);
    EXPECT_EQ(dst.GetPixel(1, 1) & 0xFF, 90u);
    EXPECT_EQ(dst.GetPixel(0, 0) & 0xFF, 50u);

    // The average of the row's three pixels, in place: the reads see the original.
    const auto box = Kernel(3, 1, {85, 86, 85});
    Convolve(&src, &src, *box, 1, 0);
    EXPECT_EQ(src.GetPixel(1, 1) & 0xFF, (40 * 85 + 50 * 86 + 60 * 85) >> 8);

    // Selective: neighbours farther than Delta are left out; a channel nobody passed keeps
    // the pixel's own value.
    FillNine(src);
    TSelectiveConvolver selective(src.GetResampler());
    selective.SetKernel(*Kernel(2, 1, {0, 5}));
    selective.SetDelta(5);
    selective.PrepareSampling();
    EXPECT_EQ(selective.GetSampleInt(1, 1), 0xFF000032u);
    selective.FinalizeSampling();

    // Contract: the expansion of the inverted colours, taken from the largest weight's gray.
    TBitmap32 gray;
    gray.SetSize(2, 1);
    gray.Clear(0xFF404040);
    Contract(&gray, &dst, *Kernel(1, 1, {256}), 0, 0);
    EXPECT_EQ(dst.GetPixel(0, 0), 0xFF404040u);
    Contract(&gray, &dst, *Kernel(1, 1, {128}), 0, 0); // gray 128 less half of 0xBF
    EXPECT_EQ(dst.GetPixel(0, 0), 0xFF212121u);
    Expand(&gray, &dst, *Kernel(1, 1, {512}), 0, 0);
    EXPECT_EQ(dst.GetPixel(0, 0), 0xFF808080u);
}

// Filter kernels: values from their formulas, parameters, registration order, and the kernel resampler's three weight modes with kernels that have negative lobes.
#include "bitmap32/Bmp32_ResamplersKernels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <string>

using namespace Bmp32;

TEST(Kernels, ValuesFromTheirFormulas) {
    EXPECT_FLOAT_EQ(TCosineKernel().Filter(0.5f), 0.5f);
    EXPECT_FLOAT_EQ(TCosineKernel().Filter(1), 0);
    EXPECT_FLOAT_EQ(TSplineKernel().Filter(0), 2.0f / 3);
    EXPECT_FLOAT_EQ(TSplineKernel().Filter(-1.5f), 0.125f / 6);
    EXPECT_FLOAT_EQ(TMitchellKernel().Filter(0), 16.0f / 18);
    EXPECT_NEAR(TMitchellKernel().Filter(1.5f), (-7.0f / 3 * 3.375f + 27 - 30 + 32.0f / 3) / 6, 1e-6);
    TCubicKernel cubic;
    EXPECT_FLOAT_EQ(cubic.Filter(0), 1);
    EXPECT_FLOAT_EQ(cubic.Filter(1), 0);
    EXPECT_FLOAT_EQ(cubic.Filter(2), 0);
    EXPECT_FLOAT_EQ(cubic.Filter(1.5f), -0.5f * (3.375f - 11.25f + 12 - 4));
    // Hermite, piecewise by floor(x): at x = -0.5, I = -1 and Z = 0.5.
    THermiteKernel hermite;
    EXPECT_FLOAT_EQ(hermite.Filter(-0.5f), 0.125f * 0.5f + 0.5f);
    EXPECT_FLOAT_EQ(hermite.Filter(0), 1);
    EXPECT_FLOAT_EQ(hermite.Filter(2), 0);
    EXPECT_FLOAT_EQ(Sinc(0), 1);
    const float pi = std::numbers::pi_v<float>;
    EXPECT_FLOAT_EQ(TLanczosKernel().Filter(1.5f), Sinc(0.5f) * std::sin(pi * 1.5f) / (pi * 1.5f));
    EXPECT_FLOAT_EQ(TLanczosKernel().Filter(3), 0);
    EXPECT_FLOAT_EQ(TGaussianKernel().Filter(1), std::pow(2.0f, -1 / 1.33f) * Sinc(1));
    EXPECT_FLOAT_EQ(TBlackmanKernel().Filter(0), 1);
    EXPECT_FLOAT_EQ(THannKernel().Filter(0), 1);
    EXPECT_FLOAT_EQ(THammingKernel().Filter(0), 1);
    EXPECT_FLOAT_EQ(TSinshKernel().Filter(0), 1);
    EXPECT_FLOAT_EQ(TSinshKernel().Filter(0.5f), 0.5f / std::sinh(pi * 0.25f));
    EXPECT_FALSE(TCosineKernel().RangeCheck());
    EXPECT_TRUE(TSplineKernel().RangeCheck());
    EXPECT_TRUE(THammingKernel().RangeCheck());
    EXPECT_EQ(TLanczosKernel().GetWidth(), 3);
    EXPECT_EQ(THermiteKernel().GetWidth(), 2);
}

TEST(Kernels, ParametersAnnounceOnlyChangesAndRefuseZero) {
    TNotifiablePersistent observer;
    int changes = 0;
    observer.OnChange = TNotifyEvent::FromCallable([&](TObject*) { ++changes; });
    TGaussianKernel gaussian;
    gaussian.SetObserver(&observer);
    gaussian.SetSigma(0);
    EXPECT_FLOAT_EQ(gaussian.GetSigma(), 1.33f);
    gaussian.SetSigma(1.33f);
    gaussian.SetSigma(2);
    gaussian.SetWidth(4);
    EXPECT_EQ(changes, 2);
    TSinshKernel sinsh;
    sinsh.SetCoeff(0);
    EXPECT_FLOAT_EQ(sinsh.GetCoeff(), 0.5f);
}

TEST(Kernels, ThirteenRegisteredInOrderWithoutTheWindowedSincBase) {
    const char* names[] = {"TBoxKernel",      "TLinearKernel",   "TCosineKernel",
                           "TSplineKernel",   "TCubicKernel",    "TMitchellKernel",
                           "TLanczosKernel",  "TGaussianKernel", "TBlackmanKernel",
                           "THannKernel",     "THammingKernel",  "TSinshKernel",
                           "THermiteKernel"};
    ASSERT_EQ(KernelList->GetCount(), 13);
    for (int i = 0; i < 13; ++i)
        EXPECT_STREQ(KernelList->Get(i)->Name, names[i]);
    EXPECT_EQ(CreateKernel("TWindowedSincKernel"), nullptr);
    EXPECT_EQ(CreateKernel("TSomethingElse"), nullptr);
}

namespace {

// Blues 0, 0, 0, 0, 255, 255, 255, 255 on one row.
class StepSampling : public testing::Test {
protected:
    void SetUp() override {
        B.SetSize(8, 1);
        for (int x = 0; x < 8; ++x)
            B.SetPixel(x, 0, x < 4 ? 0xFF000000 : 0xFF0000FF);
        R = new TKernelResampler(&B);
    }
    int Blue(const char* Kernel, TKernelMode Mode, float X) {
        R->SetKernelClassName(Kernel);
        R->SetKernelMode(Mode);
        R->PrepareSampling();
        const int blue = int(R->GetSampleFloat(X, 0) & 0xFF);
        R->FinalizeSampling();
        return blue;
    }
    // The dynamic weights written out: pixel CX + K weighs Round(Filter(K + CX - X) * 256),
    // the centre taking up the rounding.
    static int ExpectedDynamic(const TCustomKernel& Kernel, float X) {
        const int cx = int(std::ceil(X));
        const float fx = float(cx - X);
        int weights[7], sum = 0;
        for (int k = -3; k <= 3; ++k)
            sum += weights[k + 3] = int(std::nearbyint(Kernel.Filter(k + fx) * 256));
        weights[3] -= sum - 256;
        int total = 0;
        for (int k = -3; k <= 3; ++k)
            if (cx + k >= 0 && cx + k < 8) total += (cx + k < 4 ? 0 : 255) * weights[k + 3];
        return std::clamp(total >> 8, 0, 255);
    }
    TBitmap32 B;
    TKernelResampler* R = nullptr;
};

} // namespace

TEST_F(StepSampling, NegativeLobesClampInEveryMode) {
    for (TKernelMode mode : {kmDynamic, kmTableNearest, kmTableLinear}) {
        for (const char* kernel : {"TLanczosKernel", "TCubicKernel", "TMitchellKernel"}) {
            // Beside the step the lobes undershoot below black and overshoot above white.
            EXPECT_EQ(Blue(kernel, mode, 2.5f), 0) << kernel << mode;
            if (std::string(kernel) != "TMitchellKernel") { // it blurs rather than overshoots
                EXPECT_EQ(Blue(kernel, mode, 4.5f), 255) << kernel << mode;
            }
        }
    }
    EXPECT_EQ(Blue("TLanczosKernel", kmDynamic, 3.3f), ExpectedDynamic(TLanczosKernel(), 3.3f));
    EXPECT_EQ(Blue("TCubicKernel", kmDynamic, 3.7f), ExpectedDynamic(TCubicKernel(), 3.7f));
    // The tables sample the fraction coarsely (31 steps): close to the dynamic weights.
    EXPECT_NEAR(Blue("TLanczosKernel", kmTableNearest, 3.3f), ExpectedDynamic(TLanczosKernel(), 3.3f), 8);
    EXPECT_NEAR(Blue("TLanczosKernel", kmTableLinear, 3.3f), ExpectedDynamic(TLanczosKernel(), 3.3f), 2);
}

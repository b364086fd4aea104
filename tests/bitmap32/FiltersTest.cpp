// Whole-bitmap filters.
#include "bitmap32/Bmp32_Filters.h"

#include <gtest/gtest.h>

using namespace Bmp32;

namespace {

class Filters : public testing::Test {
protected:
    void SetUp() override {
        Src.SetSize(2, 1);
        Src.SetPixel(0, 0, 0x80123456);
        Src.SetPixel(1, 0, 0xFFFFFFFF);
        Dst.OnChange = TNotifyEvent::FromCallable([this](TObject*) { ++Changes; });
    }
    TBitmap32 Src, Dst;
    int Changes = 0;
};

} // namespace

TEST_F(Filters, InversionsSizeTheDestinationAndAnnounce) {
    InvertRGB(&Dst, &Src);
    EXPECT_EQ(Dst.GetWidth(), 2);
    EXPECT_EQ(Dst.GetPixel(0, 0), 0x80EDCBA9u);
    Invert(&Dst, &Src);
    EXPECT_EQ(Dst.GetPixel(0, 0), 0x7FEDCBA9u);
    EXPECT_EQ(Dst.GetPixel(1, 0), 0u);
    EXPECT_EQ(Changes, 3); // the resize, then one per filter
}

TEST_F(Filters, GrayFromAlphaOrIntensity) {
    AlphaToGrayscale(&Dst, &Src);
    EXPECT_EQ(Dst.GetPixel(0, 0), 0xFF808080u);
    ColorToGrayscale(&Dst, &Src);
    // (0x12 x 61 + 0x34 x 174 + 0x56 x 21) shr 8 = 46
    EXPECT_EQ(Dst.GetPixel(0, 0), 0xFF2E2E2Eu);
    ColorToGrayscale(&Dst, &Src, true);
    EXPECT_EQ(Dst.GetPixel(0, 0), 0x802E2E2Eu);
    Dst.SetPixel(0, 0, 0x00ABCDEF);
    IntensityToAlpha(&Dst, &Src);
    EXPECT_EQ(Dst.GetPixel(0, 0), 0x2EABCDEFu);
}

TEST_F(Filters, LookUpTableOnColourChannels) {
    std::array<Byte, 256> lut{};
    for (int i = 0; i < 256; ++i)
        lut[i] = Byte(255 - i);
    ApplyLUT(&Dst, &Src, lut);
    EXPECT_EQ(Dst.GetPixel(0, 0), 0xFFEDCBA9u);
    ApplyLUT(&Dst, &Src, lut, true);
    EXPECT_EQ(Dst.GetPixel(0, 0), 0x80EDCBA9u);
}

TEST_F(Filters, ChromaKeyClearsAlphaOfMatchingColours) {
    Src.SetPixel(0, 0, 0x7F00FF00);
    Src.SetPixel(1, 0, 0xFF00FF01);
    int srcChanges = 0;
    Src.OnChange = TNotifyEvent::FromCallable([&](TObject*) { ++srcChanges; });
    CromaKey(&Src, 0xFF00FF00);
    EXPECT_EQ(Src.GetPixel(0, 0), 0x0000FF00u);
    EXPECT_EQ(Src.GetPixel(1, 0), 0xFF00FF01u);
    EXPECT_EQ(srcChanges, 0);
}

TEST_F(Filters, NullBitmapsRaiseBeforeTouchingAnything) {
    try {
        Invert(nullptr, nullptr);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "The source is nil");
    }
    try {
        Invert(nullptr, &Src);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Destination is nil");
    }
    EXPECT_THROW(CromaKey(nullptr, 0), Exception);
}

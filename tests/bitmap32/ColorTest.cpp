#include "bitmap32/Bmp32.h"
#include "bitmap32/Bmp32_Basics.h"

#include "classlib/Platform.h"

#include <gtest/gtest.h>

#include <bit>

using namespace Bmp32;

TEST(ColorPacking, ChannelsGoIntoTheirBytes) {
    EXPECT_EQ(Color32(255, 0, 0, 255), 0xFFFF0000u);
    EXPECT_EQ(Color32(0x12, 0x34, 0x56, 0x78), 0x78123456u);
    EXPECT_EQ(Gray32(0x80, 0x40), 0x40808080u);

    TPalette32 palette{};
    palette[7] = 0x11223344;
    EXPECT_EQ(Color32(7, palette), 0x11223344u);
    EXPECT_EQ(WinColor(0x80123456), 0x00563412u); // alpha dropped, red and blue swapped
}

TEST(ColorPacking, APaletteOfTheSystemHoldsTheColoursWithoutAlpha) {
    TPalette32 colours{};
    for (std::size_t i = 0; i < colours.size(); ++i)
        colours[i] = Color32(Byte(i), Byte(255 - i), Byte(i / 2), Byte(i * 3));
    auto palette = static_cast<HPALETTE>(WinPalette(colours));
    ASSERT_NE(palette, nullptr);
    WORD count = 0;
    GetObjectA(palette, sizeof count, &count);
    EXPECT_EQ(count, 256);
    PALETTEENTRY entries[256]{};
    ASSERT_EQ(GetPaletteEntries(palette, 0, 256, entries), 256u);
    for (int i : {0, 1, 100, 255}) {
        EXPECT_EQ(entries[i].peRed, i);
        EXPECT_EQ(entries[i].peGreen, 255 - i);
        EXPECT_EQ(entries[i].peBlue, i / 2);
        EXPECT_EQ(entries[i].peFlags, 0);
    }
    DeleteObject(palette);
}

TEST(ColorPacking, MemoryOrderIsBlueGreenRedAlphaAndComponentsSplitIt) {
    const auto entry = std::bit_cast<TColor32Entry>(Color32(1, 2, 3, 4));
    EXPECT_EQ(entry.B, 3);
    EXPECT_EQ(entry.G, 2);
    EXPECT_EQ(entry.R, 1);
    EXPECT_EQ(entry.A, 4);
    const TColor32 c = 0x78123456;
    EXPECT_EQ(Color32(RedComponent(c), GreenComponent(c), BlueComponent(c), AlphaComponent(c)), c);
    Byte r, g, b, a;
    Color32ToRGBA(c, r, g, b, a);
    EXPECT_EQ(Color32(r, g, b, a), c);
    Color32ToRGB(0xFFABCDEF, r, g, b);
    EXPECT_EQ(Color32(r, g, b, 0), 0x00ABCDEFu);
}

TEST(ColorPacking, IntensityWeighsTheChannelsBy256ths) {
    EXPECT_EQ(Intensity(White32), 255);
    EXPECT_EQ(Intensity(Color32(0, 255, 0, 0)), 173); // 255 x 174 / 256
    EXPECT_EQ(Intensity(Color32(255, 0, 0, 0)), 60);
}

TEST(ColorPacking, SetAlphaClampsTheNewAlpha) {
    EXPECT_EQ(SetAlpha(0x12345678, 300), 0xFF345678u);
    EXPECT_EQ(SetAlpha(0x12345678, -5), 0x00345678u);
    EXPECT_EQ(SetAlpha(0x12345678, 0x9A), 0x9A345678u);
}

TEST(HslFloat, PrimariesWrappedHueAndGrayRoundingHalvesToEven) {
    float h, s, l;
    RGBtoHSL(0xFFFF0000, h, s, l);
    EXPECT_FLOAT_EQ(h, 0);
    EXPECT_FLOAT_EQ(s, 1);
    EXPECT_FLOAT_EQ(l, 0.5f);
    RGBtoHSL(0xFF0000FF, h, s, l);
    EXPECT_FLOAT_EQ(h, 2.0f / 3);
    EXPECT_EQ(HSLtoRGB(1.0f / 3, 1.0f, 0.5f), 0xFF00FF00u);
    RGBtoHSL(Color32(255, 0, 128, 255), h, s, l); // a negative hue wraps into 0..1
    EXPECT_NEAR(h, 1 - 128.0 / 255 / 6, 1e-6);
    RGBtoHSL(0xFF808080, h, s, l);
    EXPECT_EQ(h, 0);
    EXPECT_EQ(s, 0);
    // 255 x 0.5 = 127.5 goes to the even 128.
    EXPECT_EQ(HSLtoRGB(0.3f, 0.0f, 0.5f), 0xFF808080u);
}

TEST(HslFloat, RoundTripKeepsEveryChannel) {
    for (int r = 0; r < 256; r += 15)
        for (int g = 0; g < 256; g += 17)
            for (int b = 0; b < 256; b += 51) {
                const TColor32 c = Color32(Byte(r), Byte(g), Byte(b), 255);
                float h, s, l;
                RGBtoHSL(c, h, s, l);
                ASSERT_EQ(HSLtoRGB(h, s, l), c) << std::hex << c;
            }
}

TEST(HslFloat, OutOfRangeSaturationRaises) {
    EXPECT_THROW(HSLtoRGB(0.0f, 2.0f, 0.5f), ERangeError);
    EXPECT_THROW(HSLtoRGB(0.0f, 0.0f, 1.5f), ERangeError);
}

TEST(HslByte, PrimaryColours) {
    Byte h, s, l;
    RGBtoHSL(0xFFFF0000, h, s, l);
    EXPECT_EQ(h, 0);
    EXPECT_EQ(s, 255);
    EXPECT_EQ(l, 127);
    RGBtoHSL(0xFF00FF00, h, s, l);
    EXPECT_EQ(h, 85);
    RGBtoHSL(0xFF0000FF, h, s, l);
    EXPECT_EQ(h, 170);
}

TEST(HslByte, LightColourUsesTheUpperSaturationFormulaAndNegativeHueAdds510) {
    Byte h, s, l;
    RGBtoHSL(Color32(255, 255, 128, 0), h, s, l);
    EXPECT_EQ(l, 191);
    EXPECT_EQ(s, 255); // 127 x 255 div (510 - 383)
    EXPECT_EQ(h, 42);  // 127 x 65025 div 194310, truncated
    RGBtoHSL(Color32(255, 0, 128, 0), h, s, l);
    EXPECT_EQ(h, 233); // -21 + 510 = 489, low byte 233
}

TEST(HslByte, ToRgbBySextantWithAlphaZero) {
    EXPECT_EQ(HSLtoRGB(0, 255, 127), 0x00FD0101u);   // V 253, M 1
    EXPECT_EQ(HSLtoRGB(128, 255, 127), 0x0001FDFDu); // sextant 3
    EXPECT_EQ(HSLtoRGB(0, 255, 191), 0x00FF7F7Fu);   // lightness above 127
    EXPECT_EQ(HSLtoRGB(200, 0, 100), 0x00646464u);   // no saturation: gray
}

TEST(HslByte, BlackInvalidHueAndOutOfRangeArguments) {
    EXPECT_EQ(HSLtoRGB(17, 200, 0), 0x00000000u);
    EXPECT_EQ(HSLtoRGB(256, 255, 127), 0xFF000000u);
    EXPECT_EQ(HSLtoRGB(-1, 255, 127), 0xFF000000u);
    EXPECT_THROW(HSLtoRGB(0, 256, 100), ERangeError);
    EXPECT_THROW(HSLtoRGB(0, 100, -1), ERangeError);
}

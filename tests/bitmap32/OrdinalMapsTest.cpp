// Ordinal maps: bit layout, clearing and resizing, and the byte map's bitmap conversions.
#include "bitmap32/Bmp32_OrdinalMaps.h"

#include <gtest/gtest.h>

using namespace Bmp32;

TEST(OrdinalMaps, BooleanMapBitLayoutClearAndToggle) {
    TBooleanMap map;
    int changes = 0;
    map.OnChange = TNotifyEvent::FromCallable([&](TObject*) { ++changes; });
    map.SetSize(3, 3);
    changes = 0;
    map.Clear(0);
    map.SetValue(0, 1, true);
    map.SetValue(2, 2, true);
    EXPECT_EQ(map.GetBits()[0], 0x08);
    EXPECT_EQ(map.GetBits()[1], 0x01);
    map.ToggleBit(0, 1);
    EXPECT_FALSE(map.GetValue(0, 1));
    map.Clear(0xFF);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_TRUE(map.GetValue(x, y));
    EXPECT_EQ(changes, 0);
}

TEST(OrdinalMaps, ResizeKeepsStorageOrderAndZeroesNewCells) {
    TIntegerMap map;
    map.SetSize(2, 2);
    for (int i = 0; i < 4; ++i)
        map.GetBits()[i] = i + 1;
    map.SetSize(3, 2);
    const int expected[6] = {1, 2, 3, 4, 0, 0};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(map.GetBits()[i], expected[i]);
    EXPECT_EQ(map.GetValue(0, 1), 4);
    TWordMap words;
    int changes = 0;
    words.OnChange = TNotifyEvent::FromCallable([&](TObject*) { ++changes; });
    EXPECT_TRUE(words.Empty());
    words.SetSize(2, 1);
    changes = 0;
    words.Clear(0xBEEF);
    EXPECT_EQ(*words.ValPtr(1, 0), 0xBEEF);
    EXPECT_EQ(changes, 1);
}

TEST(OrdinalMaps, ByteMapConversions) {
    TBitmap32 bitmap;
    bitmap.SetSize(2, 1);
    bitmap.SetPixel(0, 0, 0x80FF0000);
    bitmap.SetPixel(1, 0, 0x80102030);
    TByteMap map;
    map.ReadFrom(&bitmap, ctAlpha);
    EXPECT_EQ(map.GetValue(0, 0), 128);
    EXPECT_EQ(map.GetValue(1, 0), 128);
    map.ReadFrom(&bitmap, ctUniformRGB);
    EXPECT_EQ(map.GetValue(1, 0), (0x10 + 0x20 + 0x30) / 3);
    map.Assign(&bitmap);
    EXPECT_EQ(map.GetValue(0, 0), Intensity(0x80FF0000));
    EXPECT_NE(map.GetValue(0, 0), 255);

    map.Clear(0x77);
    map.WriteTo(&bitmap, ctRed);
    EXPECT_EQ(bitmap.GetPixel(1, 0), 0x80772030u);
    map.WriteTo(&bitmap, ctWeightedRGB);
    EXPECT_EQ(bitmap.GetPixel(0, 0), 0xFF777777u);
    TPalette32 palette{};
    palette[0x77] = 0x12345678;
    map.WriteTo(&bitmap, palette);
    EXPECT_EQ(bitmap.GetPixel(1, 0), 0x12345678u);

    TByteMap copy;
    copy.Assign(&map);
    EXPECT_EQ(copy.GetWidth(), 2);
    EXPECT_EQ(copy.GetValue(1, 0), 0x77);
    TBitmap32 gray;
    gray.Assign(&copy);
    EXPECT_EQ(gray.GetPixel(0, 0), 0xFF777777u);
}

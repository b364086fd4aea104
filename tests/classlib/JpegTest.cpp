// The decoder's headers come first: they declare their own `boolean`.
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include "classlib/Exceptions.h"
#include "classlib/GdiCounter.h"
#include "classlib/JpegImage.h"
#include "classlib/Picture.h"
#include "classlib/Streams.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace {

// A JPEG file made with the library's encoder; Color gives 0xRRGGBB per pixel.
std::vector<Byte> EncodeJpeg(int Width, int Height, bool Gray,
                             const std::function<unsigned(int, int)>& Color) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* output = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &output, &size);
    info.image_width = Width;
    info.image_height = Height;
    info.input_components = Gray ? 1 : 3;
    info.in_color_space = Gray ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(Width * 3);
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            const unsigned rgb = Color(x, y);
            if (Gray) {
                row[x] = static_cast<unsigned char>(rgb & 0xFF);
            } else {
                row[x * 3] = static_cast<unsigned char>(rgb >> 16);
                row[x * 3 + 1] = static_cast<unsigned char>(rgb >> 8);
                row[x * 3 + 2] = static_cast<unsigned char>(rgb);
            }
        }
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&info, &pointer, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<Byte> file(output, output + size);
    jpeg_destroy_compress(&info);
    std::free(output);
    return file;
}

// 32 x 16: red on the left, blue on the right.
std::vector<Byte> RedBlue() {
    return EncodeJpeg(32, 16, false, [](int x, int) { return x < 16 ? 0xFF0000u : 0x0000FFu; });
}

void LoadBytes(TGraphic& Graphic, const std::vector<Byte>& Bytes) {
    TMemoryStream stream;
    stream.WriteBuffer(Bytes.data(), static_cast<Int64>(Bytes.size()));
    stream.SetPosition(0);
    Graphic.LoadFromStream(&stream);
}

struct Rgb {
    int R, G, B;
};

Rgb PixelOf(TBitmap& Bitmap, int X, int Y) {
    const COLORREF c = static_cast<COLORREF>(Bitmap.GetCanvas()->GetPixels(X, Y));
    return {GetRValue(c), GetGValue(c), GetBValue(c)};
}

bool RoughlyRed(Rgb c) {
    return c.R > 200 && c.G < 60 && c.B < 60;
}
bool RoughlyBlue(Rgb c) {
    return c.B > 200 && c.R < 60 && c.G < 60;
}

} // namespace

TEST(Jpeg, DecodesToItsSizeAndColours) {
    TJPEGImage jpeg;
    EXPECT_TRUE(jpeg.GetEmpty());
    int changes = 0;
    jpeg.OnChange = TNotifyEvent::FromCallable([&](TObject*) { ++changes; });
    LoadBytes(jpeg, RedBlue());
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(jpeg.GetEmpty());
    EXPECT_EQ(jpeg.GetWidth(), 32);
    EXPECT_EQ(jpeg.GetHeight(), 16);

    TBitmap bitmap;
    bitmap.Assign(&jpeg);
    EXPECT_EQ(bitmap.GetPixelFormat(), pf24bit);
    EXPECT_EQ(bitmap.GetWidth(), 32);
    EXPECT_TRUE(RoughlyRed(PixelOf(bitmap, 4, 8)));
    EXPECT_TRUE(RoughlyBlue(PixelOf(bitmap, 28, 8)));

    TBitmap canvas; // drawn like any other graphic, here at half size
    canvas.SetPixelFormat(pf24bit);
    canvas.SetSize(40, 20);
    canvas.GetCanvas()->StretchDraw(Rect(4, 2, 20, 10), &jpeg);
    EXPECT_TRUE(RoughlyRed(PixelOf(canvas, 6, 5)));
    EXPECT_TRUE(RoughlyBlue(PixelOf(canvas, 18, 5)));
    EXPECT_EQ(PixelOf(canvas, 30, 5).G, 255); // untouched white
}

TEST(Jpeg, GreyImagesDecodeToGreyColours) {
    TJPEGImage jpeg;
    LoadBytes(jpeg, EncodeJpeg(8, 8, true, [](int, int) { return 128u; }));
    TBitmap bitmap;
    bitmap.Assign(&jpeg);
    const Rgb c = PixelOf(bitmap, 3, 3);
    EXPECT_NEAR(c.R, 128, 6);
    EXPECT_EQ(c.R, c.G);
    EXPECT_EQ(c.G, c.B);
}

TEST(Jpeg, DamagedFilesRaiseAndKeepThePreviousImage) {
    const std::vector<Byte> good = RedBlue();
    std::vector<std::vector<Byte>> damaged = {
        {},
        std::vector<Byte>(good.begin(), good.begin() + good.size() / 2),
        std::vector<Byte>(good.begin(), good.begin() + 20),
        std::vector<Byte>(300, 0x5A),
    };
    std::vector<Byte> scrambled = good;
    for (std::size_t i = good.size() / 3; i < scrambled.size(); i += 7)
        scrambled[i] ^= 0xA5;
    scrambled[2] = 0x00; // the first marker is gone
    damaged.push_back(scrambled);

    for (std::size_t i = 0; i < damaged.size(); ++i) {
        TJPEGImage jpeg;
        LoadBytes(jpeg, good);
        try {
            LoadBytes(jpeg, damaged[i]);
            ADD_FAILURE() << "case " << i << " was read";
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(e.Message().rfind("JPEG error #", 0), 0u) << e.Message();
        }
        EXPECT_EQ(jpeg.GetWidth(), 32) << i;
    }
}

TEST(Jpeg, SavesTheBytesItReadAndCannotBeResized) {
    const std::vector<Byte> good = RedBlue();
    TJPEGImage jpeg;
    LoadBytes(jpeg, good);
    TMemoryStream saved;
    jpeg.SaveToStream(&saved);
    ASSERT_EQ(saved.GetSize(), static_cast<Int64>(good.size()));
    EXPECT_EQ(std::memcmp(saved.GetMemory(), good.data(), good.size()), 0);
    EXPECT_THROW(jpeg.SetWidth(10), EInvalidGraphicOperation);

    TJPEGImage copy;
    copy.Assign(&jpeg);
    EXPECT_EQ(copy.GetHeight(), 16);
    TBitmap bitmap;
    EXPECT_THROW(copy.Assign(&bitmap), EConvertError);
}

TEST(Jpeg, PicturesChooseTheDecoderByExtension) {
    TTempFolder folder;
    const AnsiString file = folder.PathOf("picture.JPeG");
    const std::vector<Byte> good = RedBlue();
    WriteFileReplacing(file, good.data(), good.size());

    TPicture picture;
    picture.LoadFromFile(file);
    ASSERT_NE(dynamic_cast<TJPEGImage*>(picture.GetGraphic()), nullptr);
    EXPECT_EQ(picture.GetWidth(), 32);
    TBitmap bitmap;
    bitmap.Assign(&picture);
    EXPECT_TRUE(RoughlyRed(PixelOf(bitmap, 2, 2)));

    TPicture copy;
    copy.Assign(&picture);
    ASSERT_NE(dynamic_cast<TJPEGImage*>(copy.GetGraphic()), nullptr);
    EXPECT_NE(copy.GetGraphic(), picture.GetGraphic());
    EXPECT_EQ(copy.GetBitmap()->GetWidth(), 0); // asking for a bitmap replaces the JPEG
}

TEST(Jpeg, NothingLeaksOverManyDecodings) {
    const std::vector<Byte> good = RedBlue();
    const std::vector<Byte> bad(good.begin(), good.begin() + good.size() / 2);
    const long objects = GdiObjectCount();
    for (int i = 0; i < 200; ++i) {
        TJPEGImage jpeg;
        LoadBytes(jpeg, good);
        EXPECT_THROW(LoadBytes(jpeg, bad), EInvalidGraphic);
        TBitmap bitmap;
        bitmap.Assign(&jpeg);
    }
    EXPECT_EQ(GdiObjectCount(), objects);
}

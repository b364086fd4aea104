#include "classlib/Bitmaps.h"
#include "classlib/BmpFormat.h"
#include "classlib/Exceptions.h"
#include "classlib/FormLoader.h"
#include "classlib/Forms.h"
#include "classlib/GdiCounter.h"
#include "classlib/Images.h"
#include "classlib/Picture.h"
#include "classlib/ScreenSettings.h"
#include "classlib/Streams.h"

#include "tests/support/BmpSamples.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace {

int BitsOf(TPixelFormat Format) {
    static const int bits[] = {0, 1, 4, 8, 16, 16, 24, 32};
    return bits[Format];
}

int Stride(int Width, int Bits) {
    return (Width * Bits + 31) / 32 * 4;
}

template <typename T> T Get(const std::vector<Byte>& Data, std::size_t At) {
    T value;
    std::memcpy(&value, &Data[At], sizeof value);
    return value;
}

// A 2 x 2 24-bit file: top row red, blue; bottom row green, white.
TBmpFile SmallFile(bool TopDown) {
    TBmpFile file;
    const std::vector<Byte> top = {0, 0, 255, 255, 0, 0, 0, 0};
    const std::vector<Byte> bottom = {0, 128, 0, 255, 255, 255, 0, 0};
    file.Height = TopDown ? -2 : 2;
    file.Pixels = TopDown ? top : bottom;
    file.Pixels.insert(file.Pixels.end(), TopDown ? bottom.begin() : top.begin(),
                       TopDown ? bottom.end() : top.end());
    return file;
}

void LoadBytes(TBitmap& Bitmap, const std::vector<Byte>& Bytes) {
    TMemoryStream stream;
    stream.WriteBuffer(Bytes.data(), static_cast<Int64>(Bytes.size()));
    stream.SetPosition(0);
    Bitmap.LoadFromStream(&stream);
}

std::vector<Byte> SavedBytes(TBitmap& Bitmap) {
    TMemoryStream stream;
    Bitmap.SaveToStream(&stream);
    const Byte* data = static_cast<const Byte*>(stream.GetMemory());
    return std::vector<Byte>(data, data + stream.GetSize());
}

TColor Pixel(TBitmap& Bitmap, int X, int Y) {
    return Bitmap.GetCanvas()->GetPixels(X, Y);
}

bool SameRows(TBitmap& A, TBitmap& B) {
    const int bits = A.GetWidth() * BitsOf(A.GetPixelFormat());
    for (int y = 0; y < A.GetHeight(); ++y) {
        const Byte* a = static_cast<const Byte*>(A.GetScanLine(y));
        const Byte* b = static_cast<const Byte*>(B.GetScanLine(y));
        if (std::memcmp(a, b, bits / 8) != 0) return false;
        if (bits % 8) {
            const Byte mask = static_cast<Byte>(0xFF00 >> (bits % 8));
            if ((a[bits / 8] & mask) != (b[bits / 8] & mask)) return false;
        }
    }
    return true;
}

bool SameTable(const TBitmap& A, const TBitmap& B) {
    const auto& a = A.GetColorTable();
    const auto& b = B.GetColorTable();
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * 4) == 0;
}

void FillWithNoise(TBitmap& Bitmap, unsigned Seed) {
    const int bytes = Stride(Bitmap.GetWidth(), BitsOf(Bitmap.GetPixelFormat()));
    for (int y = 0; y < Bitmap.GetHeight(); ++y) {
        Byte* row = static_cast<Byte*>(Bitmap.GetScanLine(y));
        for (int i = 0; i < bytes; ++i) {
            Seed = Seed * 1103515245u + 12345u;
            row[i] = static_cast<Byte>(Seed >> 16);
        }
    }
}

// A 16 x 16 icon file, 32 bits per pixel: opaque red in the left half, see-through
// in the right half.
std::vector<Byte> IconFile() {
    const int size = 16;
    std::vector<Byte> file(6 + 16 + 40 + size * size * 4 + size * 4);
    Put<std::uint16_t>(file, 2, 1);
    Put<std::uint16_t>(file, 4, 1);
    file[6] = size;
    file[7] = size;
    Put<std::uint16_t>(file, 6 + 4, 1);
    Put<std::uint16_t>(file, 6 + 6, 32);
    Put<std::uint32_t>(file, 6 + 8, static_cast<std::uint32_t>(file.size() - 22));
    Put<std::uint32_t>(file, 6 + 12, 22);
    Put<std::uint32_t>(file, 22, 40);
    Put<std::int32_t>(file, 26, size);
    Put<std::int32_t>(file, 30, size * 2); // image and mask
    Put<std::uint16_t>(file, 34, 1);
    Put<std::uint16_t>(file, 36, 32);
    std::size_t at = 62;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x, at += 4)
            Put<std::uint32_t>(file, at, x < size / 2 ? 0xFFFF0000u : 0u);
    for (int y = 0; y < size; ++y, at += 4)
        file[at] = 0x00, file[at + 1] = 0xFF; // AND mask
    return file;
}

} // namespace

// ---------------------------------------------------------------------------
// BMP files

TEST(BitmapFiles, EveryFormatRoundTripsWithPixelsAndColourTable) {
    for (TPixelFormat format : {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit}) {
        TBitmap original;
        original.SetPixelFormat(format);
        original.SetSize(13, 7);
        FillWithNoise(original, 7u + format);
        std::vector<Byte> bytes = SavedBytes(original);
        EXPECT_EQ(Get<std::uint32_t>(bytes, 2), bytes.size()) << format;
        EXPECT_EQ(Get<std::uint16_t>(bytes, 28), BitsOf(format)) << format;

        TBitmap copy;
        TMemoryStream stream;
        stream.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
        stream.SetPosition(0);
        copy.LoadFromStream(&stream);
        EXPECT_EQ(stream.GetPosition(), stream.GetSize()) << format;
        ASSERT_EQ(copy.GetPixelFormat(), format);
        ASSERT_EQ(copy.GetWidth(), 13);
        ASSERT_EQ(copy.GetHeight(), 7);
        EXPECT_TRUE(SameTable(original, copy)) << format;
        EXPECT_TRUE(SameRows(original, copy)) << format;
        EXPECT_EQ(SavedBytes(copy), bytes) << format;
    }
}

TEST(BitmapFiles, TheFormatIsWrittenAndReadOnBytesAlone) {
    // A 3 x 2 picture of 16-bit 5-6-5 pixels, rows padded to 8 bytes.
    const Byte rows[2][8] = {{1, 2, 3, 4, 5, 6, 0, 0}, {7, 8, 9, 10, 11, 12, 0, 0}};
    std::vector<Byte> file = BuildBmpFile(pf16bit, 3, 2, {}, &rows[0][0]);
    ASSERT_EQ(file.size(), 14u + 40 + 12 + 16);
    TBmpLayout layout = ParseBmp(file);
    EXPECT_EQ(layout.Format, pf16bit);
    EXPECT_EQ(layout.Width, 3);
    EXPECT_EQ(layout.Height, 2);
    Byte decoded[2][8] = {};
    DecodeBmpPixels(layout, &decoded[0][0], 8);
    for (int y = 0; y < 2; ++y)
        EXPECT_EQ(std::memcmp(decoded[y], rows[y], 6), 0) << "row " << y;
}

TEST(BitmapFiles, ShortColourTablesAreKeptAndTrueColourFilesIgnoreTheirColourCount) {
    TBmpFile file;
    file.Bits = 8;
    file.Width = 3;
    file.Height = 1;
    file.Table = {{0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}};
    file.Pixels = {2, 1, 0, 0};
    TBitmap bitmap;
    LoadBytes(bitmap, file.Bytes());
    EXPECT_EQ(bitmap.GetPixelFormat(), pf8bit);
    ASSERT_EQ(bitmap.GetColorTable().size(), 3u);
    EXPECT_EQ(Pixel(bitmap, 0, 0), clBlue);
    EXPECT_EQ(Pixel(bitmap, 1, 0), clLime);
    EXPECT_EQ(Pixel(bitmap, 2, 0), clRed);
    std::vector<Byte> saved = SavedBytes(bitmap);
    EXPECT_EQ(saved, file.Bytes());
    std::vector<Byte> bytes = SmallFile(false).Bytes();
    Put<std::uint32_t>(bytes, 46, 16); // no table follows
    LoadBytes(bitmap, bytes);
    EXPECT_EQ(Pixel(bitmap, 0, 0), clRed);
    EXPECT_TRUE(bitmap.GetColorTable().empty());
}

TEST(BitmapFiles, BottomUpAndTopDownGiveTheSamePicture) {
    for (bool topDown : {false, true}) {
        TBitmap bitmap;
        LoadBytes(bitmap, SmallFile(topDown).Bytes());
        EXPECT_EQ(bitmap.GetPixelFormat(), pf24bit);
        EXPECT_EQ(Pixel(bitmap, 0, 0), clRed) << topDown;
        EXPECT_EQ(Pixel(bitmap, 1, 0), clBlue) << topDown;
        EXPECT_EQ(Pixel(bitmap, 0, 1), clGreen) << topDown;
        EXPECT_EQ(Pixel(bitmap, 1, 1), clWhite) << topDown;
    }
}

TEST(BitmapFiles, LargerHeadersAndBitFieldsAreRead) {
    TBmpFile v5;
    v5.HeaderSize = 124;
    v5.Bits = 16;
    v5.Compression = BI_BITFIELDS;
    v5.Masks = {0xF800, 0x07E0, 0x001F};
    v5.Pixels = {0x00, 0xF8, 0x1F, 0x00, 0xE0, 0x07, 0xFF, 0xFF}; // red, blue; green, white
    TBitmap bitmap;
    LoadBytes(bitmap, v5.Bytes());
    EXPECT_EQ(bitmap.GetPixelFormat(), pf16bit);
    EXPECT_EQ(Pixel(bitmap, 0, 1), clRed);
    EXPECT_EQ(Pixel(bitmap, 1, 1), clBlue);
    EXPECT_EQ(Pixel(bitmap, 0, 0), clLime);

    TBmpFile info;
    info.Bits = 32;
    info.Compression = BI_BITFIELDS;
    info.Masks = {0xFF0000, 0xFF00, 0xFF};
    info.Width = 1;
    info.Height = 1;
    info.Pixels = {0x10, 0x20, 0x30, 0x80};
    LoadBytes(bitmap, info.Bytes());
    EXPECT_EQ(bitmap.GetPixelFormat(), pf32bit);
    EXPECT_EQ(static_cast<const Byte*>(bitmap.GetScanLine(0))[3], 0x80); // alpha byte kept
}

TEST(BitmapFiles, DamagedFilesRaiseAndLeaveTheBitmapAsItWas) {
    const std::vector<Byte> good = SmallFile(false).Bytes();
    std::vector<std::vector<Byte>> damaged;
    damaged.push_back({});                                              // nothing at all
    damaged.push_back(std::vector<Byte>(good.begin(), good.end() - 5)); // truncated
    damaged.push_back(std::vector<Byte>(good.begin(), good.begin() + 20));
    auto variant = [&](auto change) {
        std::vector<Byte> bytes = good;
        change(bytes);
        damaged.push_back(bytes);
    };
    variant([](auto& b) { b[0] = 'X'; });
    variant([](auto& b) { Put<std::int32_t>(b, 18, 0x40000000); }); // huge width
    variant([](auto& b) { Put<std::int32_t>(b, 22, 0x7FFFFFFF); }); // huge height
    variant([](auto& b) { Put<std::int32_t>(b, 22, INT32_MIN); });
    variant([](auto& b) { Put<std::int32_t>(b, 18, -2); });
    variant([](auto& b) { Put<std::uint32_t>(b, 10, 0xFFFFFFF0u); }); // pixels past the end
    variant([](auto& b) { Put<std::uint32_t>(b, 10, 20); });          // pixels in the header
    variant([](auto& b) { Put<std::uint32_t>(b, 2, 0xFFFFFFFFu); });  // longer than the stream
    variant([](auto& b) { Put<std::uint32_t>(b, 2, 40); });           // shorter than a header
    variant([](auto& b) { Put<std::uint32_t>(b, 14, 12); });          // unknown header
    variant([](auto& b) { Put<std::uint32_t>(b, 14, 0x7FFFFFF0u); });
    variant([](auto& b) { Put<std::uint16_t>(b, 26, 2); }); // planes
    variant([](auto& b) { Put<std::uint16_t>(b, 28, 7); }); // bits per pixel
    variant([](auto& b) { Put<std::uint32_t>(b, 30, BI_RLE8); });
    variant([](auto& b) { Put<std::uint32_t>(b, 30, BI_BITFIELDS); });
    TBmpFile table;
    table.Bits = 8;
    table.Table.resize(300);
    table.Pixels.resize(8);
    damaged.push_back(table.Bytes());
    TBmpFile masks;
    masks.Bits = 16;
    masks.Compression = BI_BITFIELDS;
    masks.Masks = {0xF0F, 0x0F0, 0x000};
    masks.Pixels.resize(8);
    damaged.push_back(masks.Bytes());

    for (std::size_t i = 0; i < damaged.size(); ++i) {
        TBitmap bitmap;
        LoadBytes(bitmap, good);
        try {
            LoadBytes(bitmap, damaged[i]);
            ADD_FAILURE() << "case " << i << " was read";
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(e.Message(), "Bitmap image is not valid") << i;
        }
        EXPECT_EQ(bitmap.GetWidth(), 2) << i;
        EXPECT_EQ(Pixel(bitmap, 0, 0), clRed) << i;
    }
}

TEST(BitmapFiles, RunLengthOs2AndMaskedFilesAreRead) {
    const std::vector<TPixelFormat> formats = {pf8bit, pf4bit, pf8bit, pf24bit, pf24bit, pf32bit, pf24bit};
    const auto samples = BmpSamples::All();
    ASSERT_EQ(samples.size(), formats.size());
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const auto& sample = samples[i];
        TBitmap bitmap;
        LoadBytes(bitmap, sample.File.Bytes());
        EXPECT_EQ(bitmap.GetPixelFormat(), formats[i]) << sample.Name;
        const int width = sample.File.Width;
        ASSERT_EQ(bitmap.GetWidth(), width) << sample.Name;
        ASSERT_EQ(bitmap.GetHeight(), int(sample.Picture.size()) / width) << sample.Name;
        for (std::size_t k = 0; k < sample.Picture.size(); ++k) {
            const std::uint32_t rgb = sample.Picture[k];
            EXPECT_EQ(Pixel(bitmap, int(k) % width, int(k) / width),
                      TColor(RGB(rgb >> 16, rgb >> 8 & 0xFF, rgb & 0xFF)))
                << sample.Name << " pixel " << k;
        }
    }
    TBitmap os2;
    LoadBytes(os2, samples[2].File.Bytes());
    ASSERT_EQ(os2.GetColorTable().size(), 3u); // 3-byte entries
    EXPECT_EQ(os2.GetColorTable()[2].rgbRed, 0xFF);
    TBitmap masked;
    LoadBytes(masked, samples[5].File.Bytes());
    EXPECT_EQ(static_cast<const Byte*>(masked.GetScanLine(0))[3], 170); // alpha 2 of 3
}

TEST(BitmapFiles, DamagedRunLengthAndOs2FilesRaise) {
    using namespace BmpSamples;
    const auto rle8 = [](int Width, int Height, std::vector<Byte> Codes) {
        return TBmpFile{.Width = Width, .Height = Height, .Bits = 8, .Compression = BI_RLE8,
                        .Table = {Quad(Red), Quad(Blue)}, .Pixels = Codes}
            .Bytes();
    };
    const std::vector<std::vector<Byte>> damaged = {
        rle8(2, 2, {2, 1, 0, 0, 1}),       // breaks off inside the top row
        rle8(2, 2, {2, 1, 0, 0, 0, 2, 5}), // inside a move
        rle8(2, 2, {0, 4, 1, 1}),          // inside literal indexes
        rle8(2, -2, {0, 1}),               // top-down
        rle8(50000, 50000, {0, 1}),        // far more than its bytes can code
        TBmpFile{.Bits = 4, .Compression = BI_RLE8, .Pixels = {0, 1}}.Bytes(),
        TBmpFile{.HeaderSize = 12, .Bits = 16, .Pixels = std::vector<Byte>(8)}.Bytes(),
        TBmpFile{.HeaderSize = 12, .Width = 4, .Height = 4, .Bits = 8, .Pixels = {0, 0, 0, 0}}
            .Bytes(), // rows missing
    };
    for (std::size_t i = 0; i < damaged.size(); ++i) {
        TBitmap bitmap;
        LoadBytes(bitmap, SmallFile(false).Bytes());
        EXPECT_THROW(LoadBytes(bitmap, damaged[i]), EInvalidGraphic) << i;
        EXPECT_EQ(Pixel(bitmap, 0, 0), clRed) << i;
    }
    TBitmap complete; // the top row's end of line is enough
    LoadBytes(complete, rle8(2, 2, {2, 1, 0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(Pixel(complete, 0, 0), clRed);
    EXPECT_EQ(Pixel(complete, 1, 1), clBlue);
}

TEST(BitmapFiles, FilesFollowingEachOtherAreReadOneByOne) {
    TBitmap a, b;
    a.SetPixelFormat(pf8bit);
    a.SetSize(5, 3);
    b.SetPixelFormat(pf24bit);
    b.SetSize(7, 2);
    b.GetCanvas()->SetPixels(6, 1, clTeal);
    TMemoryStream stream;
    a.SaveToStream(&stream);
    const Int64 first = stream.GetPosition();
    b.SaveToStream(&stream);
    stream.SetPosition(0);
    TBitmap c, d;
    c.LoadFromStream(&stream);
    EXPECT_EQ(stream.GetPosition(), first);
    d.LoadFromStream(&stream);
    EXPECT_EQ(stream.GetPosition(), stream.GetSize());
    EXPECT_EQ(c.GetWidth(), 5);
    EXPECT_EQ(d.GetWidth(), 7);
    EXPECT_EQ(Pixel(d, 6, 1), clTeal);
    EXPECT_THROW(d.LoadFromStream(&stream), EInvalidGraphic);

    // A memory stream's files are read in place, any other stream's through a copy: alike.
    TStringStream other(AnsiString(static_cast<const char*>(stream.GetMemory()),
                                   static_cast<std::size_t>(stream.GetSize())));
    TBitmap e, f;
    e.LoadFromStream(&other);
    EXPECT_EQ(other.GetPosition(), first);
    f.LoadFromStream(&other);
    EXPECT_EQ(other.GetPosition(), other.GetSize());
    EXPECT_EQ(e.GetWidth(), 5);
    EXPECT_EQ(Pixel(f, 6, 1), clTeal);
    EXPECT_THROW(f.LoadFromStream(&other), EInvalidGraphic);
}

TEST(BitmapFiles, EmptyBitmapsAndScreenFormatBitmapsAreWritten) {
    TBitmap empty;
    empty.SetPixelFormat(pf8bit);
    TBitmap loaded;
    loaded.SetSize(3, 3);
    LoadBytes(loaded, SavedBytes(empty));
    EXPECT_TRUE(loaded.GetEmpty());
    EXPECT_EQ(loaded.GetPixelFormat(), pf8bit);

    TBitmap device(4, 4);
    EXPECT_EQ(device.GetPixelFormat(), pfDevice);
    EXPECT_EQ(device.GetHandleType(), bmDDB);
    device.GetCanvas()->SetPixels(2, 3, clRed);
    LoadBytes(loaded, SavedBytes(device));
    EXPECT_NE(loaded.GetPixelFormat(), pfDevice);
    EXPECT_EQ(Pixel(loaded, 2, 3), clRed);
    EXPECT_EQ(Pixel(loaded, 0, 0), clWhite);
}

TEST(BitmapFiles, FilesAndPicturesByExtension) {
    TTempFolder folder;
    const AnsiString name = folder.PathOf("picture.bmp");
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(3, 2);
    bitmap.GetCanvas()->SetPixels(1, 1, clPurple);
    bitmap.SaveToFile(name);

    TPicture picture;
    int changes = 0;
    picture.OnChange = TNotifyEvent::FromCallable([&](TObject*) { ++changes; });
    picture.LoadFromFile(name);
    EXPECT_EQ(changes, 1);
    ASSERT_NE(dynamic_cast<TBitmap*>(picture.GetGraphic()), nullptr);
    EXPECT_EQ(picture.GetWidth(), 3);
    EXPECT_EQ(Pixel(*picture.GetBitmap(), 1, 1), clPurple);
    picture.GetBitmap()->GetCanvas()->SetPixels(0, 0, clRed); // the graphic's own change
    EXPECT_EQ(changes, 2);

    try {
        picture.LoadFromFile("C:\\pictures\\skin.xyz");
        ADD_FAILURE() << "an unknown extension was read";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), "Unknown picture file extension (.xyz)");
    }
    EXPECT_THROW(picture.LoadFromFile(name + ".missing.bmp"), EFOpenError);
    EXPECT_EQ(picture.GetWidth(), 3); // failed loads keep the picture
}

TEST(BitmapFiles, MissingResourcesRaise) {
    TBitmap bitmap;
    try {
        bitmap.LoadFromResourceName(GetModuleHandleA(nullptr), "NOSUCHBITMAP");
        ADD_FAILURE();
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message(), "Resource NOSUCHBITMAP not found");
    }
    EXPECT_THROW(bitmap.LoadFromResourceID(GetModuleHandleA(nullptr), 4711), EResNotFound);
}

// ---------------------------------------------------------------------------
// Size, format, copies

TEST(Bitmap, ResizingKeepsThePixelsAndPaletteIndicesAndWhitensNewOnes) {
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(2, 2);
    bitmap.GetCanvas()->SetPixels(1, 1, clRed);
    bitmap.SetSize(4, 3);
    EXPECT_EQ(Pixel(bitmap, 1, 1), clRed);
    EXPECT_EQ(Pixel(bitmap, 3, 2), clWhite);
    bitmap.SetWidth(0);
    EXPECT_TRUE(bitmap.GetEmpty());
    EXPECT_EQ(bitmap.GetHeight(), 3);
    EXPECT_THROW(bitmap.SetSize(-1, 3), EInvalidGraphicOperation);
    EXPECT_THROW(bitmap.GetScanLine(0), EInvalidGraphicOperation);
    bitmap.SetPixelFormat(pf4bit);
    bitmap.SetSize(3, 1);
    static_cast<Byte*>(bitmap.GetScanLine(0))[0] = 0x9C; // red, blue
    bitmap.SetWidth(5);
    const Byte* row = static_cast<const Byte*>(bitmap.GetScanLine(0));
    EXPECT_EQ(row[0], 0x9C);
    EXPECT_EQ(Pixel(bitmap, 4, 0), clWhite);
}

TEST(Bitmap, FormatConversionKeepsColours) {
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(3, 1);
    bitmap.GetCanvas()->SetPixels(0, 0, clRed);
    bitmap.GetCanvas()->SetPixels(1, 0, clBlack);
    for (TPixelFormat format : {pf8bit, pf4bit, pf32bit, pf16bit, pfDevice, pf24bit}) {
        bitmap.SetPixelFormat(format);
        EXPECT_EQ(bitmap.GetPixelFormat(), format);
        EXPECT_EQ(Pixel(bitmap, 0, 0), clRed) << format;
        EXPECT_EQ(Pixel(bitmap, 1, 0), clBlack) << format;
        EXPECT_EQ(Pixel(bitmap, 2, 0), clWhite) << format;
    }
    bitmap.SetPixelFormat(pfDevice);
    bitmap.GetScanLine(0); // device bitmaps become device-independent
    EXPECT_EQ(bitmap.GetHandleType(), bmDIB);
    EXPECT_EQ(Pixel(bitmap, 0, 0), clRed);
    EXPECT_THROW(bitmap.GetScanLine(1), EInvalidGraphicOperation);
}

namespace {
// Knows how to put itself into a bitmap, as other libraries' pictures do.
class TForeignPicture : public TPersistent {
    DECLARE_CLASS(TForeignPicture, TPersistent)
protected:
    void AssignTo(TPersistent* Dest) override {
        if (auto* bitmap = dynamic_cast<TBitmap*>(Dest)) {
            bitmap->SetSize(6, 5);
            return;
        }
        TPersistent::AssignTo(Dest);
    }
};
} // namespace

TEST(Bitmap, AssignCopiesDeeplyAndAsksOtherSourcesToAssignThemselves) {
    TBitmap original;
    original.SetPixelFormat(pf8bit);
    original.SetSize(4, 4);
    FillWithNoise(original, 3);
    original.SetTransparentColor(clLime);
    TBitmap copy;
    copy.Assign(&original);
    EXPECT_EQ(copy.GetPixelFormat(), pf8bit);
    EXPECT_TRUE(SameTable(original, copy));
    EXPECT_TRUE(SameRows(original, copy));
    EXPECT_EQ(copy.GetTransparentColor(), clLime);
    static_cast<Byte*>(copy.GetScanLine(0))[0] ^= 0xFF;
    EXPECT_FALSE(SameRows(original, copy));

    TBitmap device(3, 3);
    device.GetCanvas()->SetPixels(1, 1, clRed);
    copy.Assign(&device);
    EXPECT_EQ(copy.GetPixelFormat(), pfDevice);
    EXPECT_EQ(Pixel(copy, 1, 1), clRed);

    TForeignPicture foreign;
    copy.Assign(&foreign);
    EXPECT_EQ(copy.GetWidth(), 6);
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.GetEmpty());
    TPicture picture; // empty: it has nothing to give
    EXPECT_THROW(copy.Assign(&picture), EConvertError);
    TFont font;
    EXPECT_THROW(copy.Assign(&font), EConvertError);
}

TEST(Bitmap, TransparentColourIsTheBottomLeftPixelUnlessSet) {
    TBitmap bitmap;
    EXPECT_EQ(bitmap.GetTransparentColor(), clDefault);
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(3, 3);
    bitmap.GetCanvas()->SetPixels(0, 2, clMaroon);
    EXPECT_EQ(bitmap.GetTransparentMode(), tmAuto);
    EXPECT_EQ(bitmap.GetTransparentColor(), clMaroon);
    bitmap.SetTransparentColor(clBlue);
    EXPECT_EQ(bitmap.GetTransparentMode(), tmFixed);
    EXPECT_EQ(bitmap.GetTransparentColor(), clBlue);
    bitmap.SetTransparentColor(clDefault);
    EXPECT_EQ(bitmap.GetTransparentMode(), tmAuto);
    EXPECT_EQ(bitmap.GetTransparentColor(), clMaroon);
    bitmap.SetTransparentMode(tmFixed);
    bitmap.GetCanvas()->SetPixels(0, 2, clRed);
    EXPECT_EQ(bitmap.GetTransparentColor(), clMaroon); // fixed at the colour it had
}

TEST(Bitmap, AdoptsHandlesOfEveryKind) {
    const long objects = GdiObjectCount();
    {
        TBitmap bitmap;
        HDC screen = GetDC(nullptr);
        HBITMAP device = CreateCompatibleBitmap(screen, 5, 4);
        ReleaseDC(nullptr, screen);
        bitmap.SetHandle(device);
        EXPECT_EQ(bitmap.GetPixelFormat(), pfDevice);
        EXPECT_EQ(bitmap.GetWidth(), 5);
        EXPECT_EQ(bitmap.GetHeight(), 4);

        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = 2;
        info.bmiHeader.biHeight = 1;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        void* bits = nullptr;
        HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        static_cast<Byte*>(bits)[2] = 255; // red at (0, 0)
        bitmap.SetHandle(section);
        EXPECT_EQ(bitmap.GetPixelFormat(), pf24bit);
        EXPECT_EQ(Pixel(bitmap, 0, 0), clRed);
        EXPECT_THROW(bitmap.SetHandle(reinterpret_cast<HBITMAP>(GetStockObject(BLACK_PEN))),
                     EInvalidGraphicOperation);
    }
    EXPECT_EQ(GdiObjectCount(), objects);
}

TEST(Bitmap, ItsHandleCanBeSelectedIntoAnotherDeviceContext) {
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(4, 4);
    bitmap.GetCanvas()->SetPixels(1, 1, clRed);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap.GetHandle());
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(255, 0, 0));
    SetPixel(dc, 2, 2, RGB(0, 0, 255));
    SelectObject(dc, old);
    DeleteDC(dc);
    EXPECT_EQ(Pixel(bitmap, 2, 2), clBlue); // the canvas takes the bitmap back
}

TEST(Bitmap, ChangesAreAnnounced) {
    TBitmap bitmap;
    int changes = 0;
    bitmap.OnChange = TNotifyEvent::FromCallable([&](TObject*) { ++changes; });
    bitmap.SetSize(2, 2);
    bitmap.GetCanvas()->FillRect(Rect(0, 0, 1, 1));
    bitmap.SetTransparent(true);
    bitmap.SetPixelFormat(pf8bit);
    EXPECT_EQ(changes, 4);
    EXPECT_TRUE(bitmap.GetModified());
}

TEST(Bitmap, NothingLeaksOverAThousandCycles) {
    const long objects = GdiObjectCount();
    {
        TBitmap target;
        target.SetSize(40, 20);
        for (int i = 0; i < 1000; ++i) {
            TBitmap bitmap;
            bitmap.SetPixelFormat(i % 2 ? pf24bit : pfDevice);
            bitmap.SetSize(32, 16);
            TCanvas* canvas = bitmap.GetCanvas();
            canvas->GetFont()->SetHeight(-10 - i % 5);
            canvas->GetBrush()->SetColor(static_cast<TColor>(i * 77));
            canvas->GetPen()->SetColor(clRed);
            canvas->Rectangle(0, 0, 10, 10);
            canvas->TextOut(1, 1, "ab");
            canvas->GetBrush()->SetStyle(bsDiagCross);
            canvas->Ellipse(4, 4, 12, 12);
            canvas->GetBrush()->SetBitmap(&target);
            canvas->FillRect(Rect(0, 0, 3, 3));
            canvas->GetBrush()->SetBitmap(nullptr);
            bitmap.SetWidth(20 + i % 7);
            bitmap.SetTransparent(i % 3 == 0);
            target.GetCanvas()->Draw(i % 20, 0, &bitmap);
            target.GetCanvas()->GetFont()->SetHeight(-8 - i % 3);
            target.GetCanvas()->TextOut(0, 0, "x");
            TBitmap copy;
            copy.Assign(&bitmap);
            LoadBytes(copy, SavedBytes(bitmap));
        }
    }
    EXPECT_EQ(GdiObjectCount(), objects);
}

namespace {
class TMarkedBitmap : public TBitmap {
    DECLARE_CLASS(TMarkedBitmap, TBitmap)
};

class TOddGraphic : public TGraphic {
    DECLARE_CLASS(TOddGraphic, TGraphic)
public:
    bool GetEmpty() const override { return false; }
    int GetWidth() const override { return 1; }
    int GetHeight() const override { return 1; }
    void SetWidth(int) override {}
    void SetHeight(int) override {}
    void LoadFromStream(TStream*) override {}
    void SaveToStream(TStream*) override {}

protected:
    void Draw(TCanvas*, const TRect&) override {}
};
} // namespace

TEST(Picture, HoldsCopiesAndMakesABitmapOnRequest) {
    TPicture picture;
    EXPECT_EQ(picture.GetGraphic(), nullptr);
    EXPECT_EQ(picture.GetWidth(), 0);
    TBitmap* bitmap = picture.GetBitmap();
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(picture.GetGraphic(), bitmap);

    TMarkedBitmap marked;
    marked.SetSize(3, 2);
    picture.SetGraphic(&marked);
    EXPECT_EQ(picture.GetGraphic()->ClassType(), TBitmap::StaticClass());
    EXPECT_NE(picture.GetGraphic(), &marked);
    EXPECT_EQ(picture.GetHeight(), 2);

    TPicture copy;
    copy.Assign(&picture);
    EXPECT_EQ(copy.GetWidth(), 3);
    TBitmap out;
    out.Assign(&copy); // a picture gives its graphic
    EXPECT_EQ(out.GetWidth(), 3);
    copy.Assign(nullptr);
    EXPECT_EQ(copy.GetGraphic(), nullptr);

    TOddGraphic odd;
    EXPECT_THROW(picture.SetGraphic(&odd), EInvalidGraphic);
    EXPECT_EQ(picture.GetWidth(), 3);
}

// ---------------------------------------------------------------------------
// Pictures in form resources

namespace {

TImage* AddImage(TForm& Form, const AnsiString& Name) {
    auto* image = new TImage(&Form);
    image->SetName(Name);
    image->SetParent(&Form);
    return image;
}

TImage* ImageOf(TForm& Form, const AnsiString& Name) {
    return dynamic_cast<TImage*>(Form.FindComponent(Name));
}

std::string Hex(const std::string& Bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (unsigned char c : Bytes)
        text += std::string{digits[c >> 4], digits[c & 15]};
    return text;
}

// Reads a form whose image IMG_Bad holds Data as its picture's data.
void ReadPictureData(const std::string& Data) {
    TForm form(nullptr);
    ReadComponentText("object Holder: TForm\r\n"
                      "  object IMG_Bad: TImage\r\n"
                      "    Picture.Data = {" +
                          Hex(Data) +
                          "}\r\n"
                          "  end\r\n"
                          "end\r\n",
                      &form);
}

std::string ClassTag(const std::string& Name) {
    return std::string(1, static_cast<char>(Name.size())) + Name;
}

} // namespace

TEST(PictureData, BitmapsIconsAndEmptyPicturesTravelThroughFormResources) {
    TForm form(nullptr);
    form.SetName("Holder");
    TBitmap* bitmap = AddImage(form, "IMG_Bitmap")->GetPicture()->GetBitmap();
    bitmap->SetPixelFormat(pf4bit);
    bitmap->SetSize(7, 3);
    FillWithNoise(*bitmap, 11);
    TIcon icon;
    const std::vector<Byte> iconFile = IconFile();
    TMemoryStream iconStream;
    iconStream.WriteBuffer(iconFile.data(), static_cast<Int64>(iconFile.size()));
    iconStream.SetPosition(0);
    icon.LoadFromStream(&iconStream);
    AddImage(form, "IMG_Icon")->GetPicture()->SetGraphic(&icon);
    AddImage(form, "IMG_Empty");

    TMemoryStream stream;
    WriteComponentStream(&stream, &form);
    const AnsiString text = WriteComponentText(&form);
    EXPECT_NE(text.find("Picture.Data = {"), AnsiString::npos);
    EXPECT_EQ(text.find("Picture.Data", text.find("IMG_Empty")), AnsiString::npos);

    TForm copy(nullptr);
    stream.SetPosition(0);
    ReadComponentStream(&stream, &copy);
    auto* read = dynamic_cast<TBitmap*>(ImageOf(copy, "IMG_Bitmap")->GetPicture()->GetGraphic());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->GetPixelFormat(), pf4bit);
    EXPECT_TRUE(SameTable(*read, *bitmap));
    EXPECT_TRUE(SameRows(*read, *bitmap));
    TGraphic* readIcon = ImageOf(copy, "IMG_Icon")->GetPicture()->GetGraphic();
    ASSERT_NE(dynamic_cast<TIcon*>(readIcon), nullptr);
    EXPECT_EQ(readIcon->GetWidth(), 16);
    EXPECT_EQ(ImageOf(copy, "IMG_Empty")->GetPicture()->GetGraphic(), nullptr);
    EXPECT_EQ(WriteComponentText(&copy), text);
}

TEST(PictureData, DamagedDataIsTheReadersErrorNamingTheComponent) {
    TBitmap small(2, 2);
    const std::vector<Byte> saved = SavedBytes(small);
    const std::string bmp(saved.begin(), saved.end());
    ASSERT_NO_THROW(ReadPictureData(ClassTag("TBitmap") + bmp));
    const std::vector<Byte> icon = IconFile();
    ASSERT_NO_THROW(ReadPictureData(ClassTag("TIcon") + std::string(icon.begin(), icon.end())));
    const std::string damaged[] = {
        "",
        ClassTag("TBitmap"),
        ClassTag("TBitmap") + bmp.substr(0, bmp.size() - 1),
        ClassTag("TBitmap") + bmp + "x",
        ClassTag("TStrings") + bmp,
        ClassTag("TIcon") + bmp,
        std::string("\x20TBitmap"),
        // The same padding after an icon as after a bitmap (and a JPEG image).
        ClassTag("TIcon") + std::string(icon.begin(), icon.end()) + "x",
    };
    for (const std::string& data : damaged) {
        try {
            ReadPictureData(data);
            ADD_FAILURE() << "read: " << Hex(data);
        } catch (const EReadError& E) {
            EXPECT_NE(E.Message().find("IMG_Bad.Picture.Data"), AnsiString::npos) << E.Message();
        }
    }
}

// A form that loads writes back: an auto-sized image takes its picture's size within the
// range its Width and Height are read with, however large the picture.
TEST(PictureData, AutoSizedImagesStayInTheRangeAFormReadsBack) {
    auto formWith = [](int Width) {
        TBitmap wide;
        wide.SetPixelFormat(pf1bit);
        wide.SetSize(Width, 1);
        const std::vector<Byte> saved = SavedBytes(wide);
        return "object Holder: TForm\r\n"
               "  object IMG_Wide: TImage\r\n"
               "    AutoSize = True\r\n"
               "    Picture.Data = {" +
               Hex(ClassTag("TBitmap") + std::string(saved.begin(), saved.end())) +
               "}\r\n"
               "  end\r\n"
               "end\r\n";
    };
    TForm fits(nullptr);
    ReadComponentText(formWith(MaxControlExtent), &fits);
    EXPECT_EQ(ImageOf(fits, "IMG_Wide")->GetWidth(), MaxControlExtent);
    TForm again(nullptr);
    ReadComponentText(WriteComponentText(&fits), &again);
    EXPECT_EQ(ImageOf(again, "IMG_Wide")->GetWidth(), MaxControlExtent);

    // A wider picture sizes it to the most a form holds, as any bounds are, and the form
    // writes and reads back the same.
    TForm tooWide(nullptr);
    ReadComponentText(formWith(MaxControlExtent + 1), &tooWide);
    EXPECT_EQ(ImageOf(tooWide, "IMG_Wide")->GetWidth(), MaxControlExtent);
    const auto written = WriteComponentText(&tooWide);
    TForm tooWideAgain(nullptr);
    ReadComponentText(written, &tooWideAgain);
    EXPECT_EQ(WriteComponentText(&tooWideAgain), written);

    // Grown so at run time, it keeps the most a form holds, so the form still writes and reads back.
    TBitmap wide;
    wide.SetPixelFormat(pf1bit);
    wide.SetSize(MaxControlExtent + 1, 1);
    TImage* image = ImageOf(fits, "IMG_Wide");
    image->GetPicture()->SetGraphic(&wide);
    EXPECT_EQ(image->GetWidth(), MaxControlExtent);
    TForm grown(nullptr);
    ReadComponentText(WriteComponentText(&fits), &grown);
    EXPECT_EQ(ImageOf(grown, "IMG_Wide")->GetWidth(), MaxControlExtent);
}

// ---------------------------------------------------------------------------
// Icons

TEST(Icon, LoadsDrawsAndSavesAnIconFile) {
    const std::vector<Byte> file = IconFile();
    TMemoryStream stream;
    stream.WriteBuffer(file.data(), static_cast<Int64>(file.size()));
    stream.SetPosition(0);
    TIcon icon;
    icon.LoadFromStream(&stream);
    EXPECT_EQ(stream.GetPosition(), stream.GetSize());
    EXPECT_FALSE(icon.GetEmpty());
    EXPECT_EQ(icon.GetWidth(), 16);
    EXPECT_EQ(icon.GetHeight(), 16);
    EXPECT_TRUE(icon.GetTransparent());
    EXPECT_THROW(icon.SetWidth(32), EInvalidGraphicOperation);

    TBitmap canvas;
    canvas.SetPixelFormat(pf24bit);
    canvas.SetSize(20, 20);
    canvas.GetCanvas()->Draw(2, 2, &icon);
    EXPECT_EQ(Pixel(canvas, 3, 10), clRed);
    EXPECT_EQ(Pixel(canvas, 15, 10), clWhite);

    TIcon copy;
    copy.Assign(&icon);
    EXPECT_EQ(copy.GetWidth(), 16);
    EXPECT_NE(copy.GetHandle(), icon.GetHandle());
    TMemoryStream saved;
    copy.SaveToStream(&saved);
    ASSERT_EQ(saved.GetSize(), static_cast<Int64>(file.size()));
    EXPECT_EQ(std::memcmp(saved.GetMemory(), file.data(), file.size()), 0);
}

TEST(Icon, DamagedFilesRaiseAndHandlesAreAdopted) {
    std::vector<Byte> file = IconFile();
    std::vector<std::vector<Byte>> damaged = {
        std::vector<Byte>(file.begin(), file.begin() + 4),
        std::vector<Byte>(file.begin(), file.end() - 10),
    };
    damaged.push_back(file);
    Put<std::uint16_t>(damaged.back(), 2, 2); // a cursor file
    damaged.push_back(file);
    Put<std::uint32_t>(damaged.back(), 6 + 12, 2); // image inside the directory
    damaged.push_back(file);
    Put<std::uint32_t>(damaged.back(), 22, 0xFFFF); // the image itself
    for (std::size_t i = 0; i < damaged.size(); ++i) {
        TMemoryStream stream;
        stream.WriteBuffer(damaged[i].data(), static_cast<Int64>(damaged[i].size()));
        stream.SetPosition(0);
        TIcon icon;
        EXPECT_THROW(icon.LoadFromStream(&stream), EInvalidGraphic) << i;
        EXPECT_TRUE(icon.GetEmpty());
    }

    const long objects = GdiObjectCount();
    {
        TIcon icon;
        icon.SetHandle(CopyIcon(LoadIconA(nullptr, MAKEINTRESOURCEA(32512)))); // IDI_APPLICATION
        EXPECT_GT(icon.GetWidth(), 0);
        TMemoryStream stream;
        EXPECT_THROW(icon.SaveToStream(&stream), EInvalidGraphicOperation);
    }
    EXPECT_EQ(GdiObjectCount(), objects);
}

// A paint buffer of one part of a control's image lands, drawn on a canvas, on the very pixels
// that a whole bitmap of the image shows there: fill, line and antialiased text alike.
TEST(BitmapPart, ShowsInItsPartWhatAWholeBitmapShows) {
    const int w = 90, h = 40;
    const TRect part(7, 5, 67, 35);
    auto draw = [&](TCanvas* C) {
        C->GetBrush()->SetColor(static_cast<TColor>(RGB(30, 120, 200)));
        C->FillRect(TRect(0, 0, w, h));
        C->GetPen()->SetColor(clYellow);
        C->MoveTo(0, 0);
        C->LineTo(w - 1, h - 1);
        C->GetFont()->SetName("Arial");
        C->GetFont()->SetHeight(16);
        C->GetFont()->SetColor(clWhite);
        C->GetBrush()->SetStyle(bsClear);
        C->TextOut(9, 12, "Delete page");
    };
    TBitmapPart buffer(part, w, h);
    TBitmap whole(w, h);
    draw(buffer.GetCanvas());
    draw(whole.GetCanvas());
    TBitmap fromBuffer(w, h, pf32bit), fromWhole(w, h, pf32bit);
    fromBuffer.GetCanvas()->Draw(0, 0, &buffer);
    fromWhole.GetCanvas()->Draw(0, 0, &whole);
    int differing = 0, ink = 0;
    for (int y = part.Top; y < part.Bottom; ++y)
        for (int x = part.Left; x < part.Right; ++x) {
            differing += Pixel(fromBuffer, x, y) != Pixel(fromWhole, x, y);
            ink += Pixel(fromWhole, x, y) != static_cast<TColor>(RGB(30, 120, 200));
        }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(ink, 40) << "the text and the line fall into the part";
    EXPECT_EQ(Pixel(fromBuffer, 2, 2), clWhite) << "outside its part the buffer draws nothing";
}

// A paint buffer starts white over its part, as every new bitmap does, and gives back every
// object it made.
TEST(BitmapPart, StartsWhiteOverItsPartAndGivesBackWhatItMade) {
    const long objects = GdiObjectCount();
    {
        const TRect part(7, 5, 67, 35);
        TBitmapPart buffer(part, 90, 40);
        TBitmap shown(90, 40, pf32bit);
        shown.GetCanvas()->GetBrush()->SetColor(clBlack);
        shown.GetCanvas()->FillRect(TRect(0, 0, 90, 40));
        shown.GetCanvas()->Draw(0, 0, &buffer);
        int white = 0, black = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 90; ++x) {
                white += Pixel(shown, x, y) == clWhite;
                black += Pixel(shown, x, y) == clBlack;
            }
        EXPECT_EQ(white, part.Width() * part.Height());
        EXPECT_EQ(black, 90 * 40 - white);
    }
    EXPECT_EQ(GdiObjectCount(), objects);
}

TEST(ScreenSettings, AKeptValueIsMadeOnceAndAgainAfterEachChange) {
    TKeptUntilSettingsChange<int> kept;
    int made = 0;
    auto make = [&] { return ++made * 10; };
    EXPECT_EQ(kept.Get(make), 10);
    EXPECT_EQ(kept.Get(make), 10);
    ScreenSettingsChanged();
    EXPECT_EQ(kept.Get(make), 20);
    EXPECT_EQ(kept.Get(make), 20);
    EXPECT_EQ(made, 2);
}

// The screen's format is kept between messages: a display change that reaches a form's
// window must make the next question ask the display again, and the answer stays the
// display's own.
TEST(ScreenFormat, IsAskedAgainAfterADisplayChangeReachesAForm) {
    HDC screen = GetDC(nullptr);
    const int bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    ReleaseDC(nullptr, screen);
    const TPixelFormat expected = bits == 32 ? pf32bit : bits == 16 ? pf16bit : bits == 8 ? pf8bit
                                                                                           : pf24bit;
    ASSERT_EQ(ScreenPixelFormat(), expected);

    TForm form(nullptr);
    form.HandleNeeded();
    const unsigned before = ScreenSettingsGeneration();
    DWORD_PTR result = 0;
    ASSERT_NE(SendMessageTimeoutA(HWND_BROADCAST, WM_DISPLAYCHANGE, bits,
                                  MAKELPARAM(GetSystemMetrics(SM_CXSCREEN),
                                             GetSystemMetrics(SM_CYSCREEN)),
                                  SMTO_ABORTIFHUNG, 5000, &result),
              0);
    EXPECT_GT(ScreenSettingsGeneration(), before);
    EXPECT_EQ(ScreenPixelFormat(), expected);
    TBitmap bitmap;
    bitmap.SetHandleType(bmDIB);
    EXPECT_EQ(bitmap.GetPixelFormat(), expected);

    // The work area is kept the same way, and a change of the system's settings forgets it.
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(Screen->GetWorkAreaRect(), TRect(work.left, work.top, work.right, work.bottom));
    const unsigned beforeSettings = ScreenSettingsGeneration();
    ASSERT_NE(SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0,
                                  SMTO_ABORTIFHUNG, 5000, &result),
              0);
    EXPECT_GT(ScreenSettingsGeneration(), beforeSettings);
    EXPECT_EQ(Screen->GetWorkAreaRect(), TRect(work.left, work.top, work.right, work.bottom));
}

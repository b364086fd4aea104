// The decoder's headers come first: they declare their own `boolean`.
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>
#include <jerror.h>

#include "classlib/Exceptions.h"
#include "classlib/GdiCounter.h"
#include "classlib/JpegImage.h"
#include "classlib/Picture.h"
#include "classlib/Streams.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <memory>
#include <vector>

namespace {

using TEncoderSetup = std::function<void(jpeg_compress_struct&)>;

// A JPEG file made with the library's encoder; Color gives 0xRRGGBB per pixel; Setup
// changes the encoder's defaults.
std::vector<Byte> EncodeJpeg(int Width, int Height, bool Gray,
                             const std::function<unsigned(int, int)>& Color,
                             const TEncoderSetup& Setup = {}) {
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
    if (Setup) Setup(info);
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

TEST(Jpeg, DecodesToItsSizeAndColoursAndGreyToGrey) {
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
    LoadBytes(jpeg, EncodeJpeg(8, 8, true, [](int, int) { return 128u; }));
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

// A JPEG image is its bytes up to its end marker, as a bitmap is the bytes its header
// counts: what follows stays in the stream, is not saved, and makes picture data refused.
TEST(Jpeg, BytesAfterTheEndMarkerAreNotThePictures) {
    const std::vector<Byte> good = RedBlue();
    std::vector<Byte> padded = good;
    for (char c : std::string("trailing"))
        padded.push_back(static_cast<Byte>(c));
    TMemoryStream stream;
    stream.WriteBuffer(padded.data(), static_cast<Int64>(padded.size()));
    stream.SetPosition(0);
    TJPEGImage jpeg;
    jpeg.LoadFromStream(&stream);
    EXPECT_EQ(stream.GetPosition(), static_cast<Int64>(good.size()));
    EXPECT_EQ(jpeg.GetWidth(), 32);
    TMemoryStream saved;
    jpeg.SaveToStream(&saved);
    ASSERT_EQ(saved.GetSize(), static_cast<Int64>(good.size()));
    EXPECT_EQ(std::memcmp(saved.GetMemory(), good.data(), good.size()), 0);

    // A file with such bytes still opens.
    TTempFolder folder;
    WriteFileReplacing(folder.PathOf("padded.jpg"), padded.data(), padded.size());
    TPicture fromFile;
    fromFile.LoadFromFile(folder.PathOf("padded.jpg"));
    EXPECT_EQ(fromFile.GetWidth(), 32);

    const std::string tag = std::string(1, '\x0A') + "TJPEGImage";
    auto readData = [&](const std::vector<Byte>& Bytes) {
        TStringStream data(tag + std::string(Bytes.begin(), Bytes.end()));
        TPicture picture;
        picture.ReadData(&data);
        return picture.GetWidth();
    };
    EXPECT_EQ(readData(good), 32);
    EXPECT_THROW(readData(padded), EReadError);
    std::vector<Byte> twice = good;
    twice.insert(twice.end(), good.begin(), good.end());
    EXPECT_THROW(readData(twice), EReadError);
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

// ---- Hostile and damaged files ------------------------------------------------------------

namespace {

// The offset of the first marker FF Code (they all come before the first scan's data).
std::size_t MarkerAt(const std::vector<Byte>& File, Byte Code) {
    for (std::size_t i = 0; i + 1 < File.size(); ++i)
        if (File[i] == 0xFF && File[i + 1] == Code) return i;
    ADD_FAILURE() << "no marker " << int(Code);
    return 0;
}

void PutBigEndian(std::vector<Byte>& File, std::size_t At, unsigned Value) {
    File[At] = static_cast<Byte>(Value >> 8);
    File[At + 1] = static_cast<Byte>(Value);
}

// File with its frame header (marker FF Sof) declaring Width x Height.
std::vector<Byte> Declaring(std::vector<Byte> File, Byte Sof, unsigned Width, unsigned Height) {
    const std::size_t frame = MarkerAt(File, Sof);
    PutBigEndian(File, frame + 5, Height);
    PutBigEndian(File, frame + 7, Width);
    return File;
}

// File with application segments of Bytes in all inserted after its start marker.
std::vector<Byte> Padded(std::vector<Byte> File, std::size_t Bytes) {
    std::vector<Byte> padding;
    while (padding.size() < Bytes) {
        const std::size_t segment = 60000;
        padding.insert(padding.end(), {0xFF, 0xE9});
        padding.push_back(static_cast<Byte>(segment >> 8));
        padding.push_back(static_cast<Byte>(segment));
        padding.resize(padding.size() + segment - 2, 0x20);
    }
    File.insert(File.begin() + 2, padding.begin(), padding.end());
    return File;
}

const TEncoderSetup Progressive = [](jpeg_compress_struct& Info) { jpeg_simple_progression(&Info); };

// The error text Load raises on Bytes ("" when it loads).
std::string LoadError(const std::vector<Byte>& Bytes) {
    TJPEGImage jpeg;
    try {
        LoadBytes(jpeg, Bytes);
    } catch (const EInvalidGraphic& e) {
        return e.Message();
    }
    return "";
}

} // namespace

TEST(JpegLimits, DeclaredSizesAreCheckedBeforeDecompressing) {
    const auto gradient = [](int x, int y) { return unsigned(x * 8) << 8 | unsigned(y * 8); };
    const std::vector<Byte> progressive = EncodeJpeg(16, 16, false, gradient, Progressive);
    const std::vector<Byte> baseline = EncodeJpeg(16, 16, false, gradient);
    ASSERT_LT(progressive.size(), 1024u);

    EXPECT_EQ(LoadError(Declaring(progressive, 0xC2, 65500, 65500)),
              "JPEG error #1001: Corrupt JPEG data: 65500 x 65500 pixels declared in a file too "
              "short to hold them");
    EXPECT_EQ(LoadError(Declaring(baseline, 0xC0, 26000, 27000)).rfind("JPEG error #1001", 0), 0u);
    // Long enough, but more than any bitmap holds.
    EXPECT_EQ(LoadError(Padded(Declaring(baseline, 0xC0, 30000, 30000), 23'000'000)),
              "JPEG error #1000: Image of 30000 x 30000 pixels is too large for a bitmap");
    // Plausible for its length, but its coefficients need more than the decoder may use.
    EXPECT_EQ(LoadError(Padded(Declaring(progressive, 0xC2, 6000, 6000), 850'000)),
              "JPEG error #" + std::to_string(JERR_NO_BACKING_STORE) +
                  ": Backing store not supported");
}

TEST(JpegLimits, ProgressiveFilesOfTooManyScansAreRefused) {
    // One scan for the DC coefficients, then one per AC coefficient and component: 190.
    static jpeg_scan_info scans[1 + 63 * 3];
    scans[0] = {3, {0, 1, 2, 0}, 0, 0, 0, 0};
    for (int k = 1; k <= 63; ++k)
        for (int c = 0; c < 3; ++c)
            scans[(k - 1) * 3 + c + 1] = {1, {c, 0, 0, 0}, k, k, 0, 0};
    const auto many = [](jpeg_compress_struct& Info) {
        Info.scan_info = scans;
        Info.num_scans = 1 + 63 * 3;
    };
    EXPECT_EQ(LoadError(EncodeJpeg(16, 16, false, [](int, int) { return 0x808080u; }, many)),
              "JPEG error #1002: Corrupt JPEG data: more than 100 scans");
}

TEST(JpegDamage, CorruptDataIsAnErrorBenignWarningsAreNot) {
    const std::vector<Byte> good = RedBlue();
    const std::size_t scan = MarkerAt(good, 0xDA);
    const std::size_t scanEnd = scan + 2 + (good[scan + 2] << 8 | good[scan + 3]);

    std::vector<Byte> cut(good.begin(), good.begin() + scanEnd); // then the end marker
    cut.insert(cut.end(), {0xFF, 0xD9});
    EXPECT_EQ(LoadError(cut), "JPEG error #" + std::to_string(JWRN_HIT_MARKER) +
                                  ": Corrupt JPEG data: premature end of data segment");

    std::vector<Byte> band = good; // a sequential scan of coefficients 0 to 62 only
    band[scanEnd - 2] = 62;
    EXPECT_EQ(LoadError(band).rfind("JPEG error #" + std::to_string(JWRN_NOT_SEQUENTIAL), 0), 0u);

    std::vector<Byte> restarts = EncodeJpeg(32, 16, false, [](int, int) { return 0x336699u; },
                                            [](jpeg_compress_struct& Info) {
                                                Info.restart_interval = 1;
                                            });
    std::size_t rst = MarkerAt(restarts, 0xDA);
    while (!(restarts[rst] == 0xFF && restarts[rst + 1] == 0xD0))
        ++rst;
    EXPECT_EQ(LoadError(restarts), "");
    restarts[rst + 1] = 0xD3; // RST3 where RST0 belongs
    EXPECT_EQ(LoadError(restarts).rfind("JPEG error #" + std::to_string(JWRN_MUST_RESYNC), 0), 0u);

    std::vector<Byte> progression = EncodeJpeg(16, 16, false, [](int, int) { return 0x336699u; },
                                               Progressive);
    const std::size_t first = MarkerAt(progression, 0xDA);
    EXPECT_EQ(LoadError(progression), "");
    progression[first + 2 + (progression[first + 2] << 8 | progression[first + 3]) - 1] = 0x10;
    EXPECT_EQ(LoadError(progression).rfind("JPEG error #" + std::to_string(JWRN_BOGUS_PROGRESSION), 0),
              0u);

    std::vector<Byte> extraneous = good;
    extraneous.insert(extraneous.begin() + scan, {0x00, 0x11, 0x22});
    std::vector<Byte> revision = good;
    revision[MarkerAt(revision, 0xE0) + 9] = 2; // JFIF 2.01
    for (const auto& benign : {extraneous, revision}) {
        TJPEGImage jpeg;
        LoadBytes(jpeg, benign);
        TBitmap bitmap;
        bitmap.Assign(&jpeg);
        EXPECT_TRUE(RoughlyRed(PixelOf(bitmap, 4, 8)));
        EXPECT_TRUE(RoughlyBlue(PixelOf(bitmap, 28, 8)));
    }
}

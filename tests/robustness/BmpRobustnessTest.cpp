// BMP files read by the class library's TBitmap and by TBitmap32, and icon files (whose
// images are BMP images without their file header) read by TIcon.
#include "bitmap32/Bmp32.h"
#include "classlib/Bitmaps.h"
#include "classlib/Icons.h"
#include "classlib/Picture.h"
#include "classlib/Exceptions.h"
#include "classlib/Streams.h"

#include "tests/robustness/RobustnessHarness.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;

std::string Pixels(int Width, int Height, int Bits) {
    const int stride = (Width * Bits + 31) / 32 * 4;
    std::string rows;
    for (int i = 0; i < stride * Height; ++i)
        rows += static_cast<char>(i * 37 + 11);
    return rows;
}

// The 40-byte header of a device-independent bitmap.
std::string InfoHeader(int Width, int Height, int Bits, std::uint32_t Compression, int Colors,
                       std::size_t ImageBytes) {
    std::string header;
    PutLE(header, 40, 4);
    PutLE(header, static_cast<std::uint32_t>(Width), 4);
    PutLE(header, static_cast<std::uint32_t>(Height), 4);
    PutLE(header, 1, 2);
    PutLE(header, Bits, 2);
    PutLE(header, Compression, 4);
    PutLE(header, ImageBytes, 4);
    PutLE(header, 2835, 4);
    PutLE(header, 2835, 4);
    PutLE(header, Colors, 4);
    PutLE(header, 0, 4);
    return header;
}

std::string Palette(int Colors, int EntryBytes = 4) {
    std::string table;
    for (int i = 0; i < Colors; ++i)
        PutLE(table, 0x00102030u * (i + 1), EntryBytes);
    return table;
}

std::string BmpFile(const std::string& Header, const std::string& Table, const std::string& Image) {
    std::string file = "BM";
    const std::size_t offset = 14 + Header.size() + Table.size();
    PutLE(file, offset + Image.size(), 4);
    PutLE(file, 0, 4);
    PutLE(file, offset, 4);
    return file + Header + Table + Image;
}

std::string Bmp(int Width, int Height, int Bits) {
    const int colors = Bits <= 8 ? 1 << Bits : 0;
    std::string image = Pixels(Width, Height < 0 ? -Height : Height, Bits);
    return BmpFile(InfoHeader(Width, Height, Bits, kRgb, colors, image.size()), Palette(colors),
                   image);
}

std::string Bmp16BitFields() {
    std::string masks;
    for (std::uint32_t mask : {0xF800u, 0x07E0u, 0x001Fu})
        PutLE(masks, mask, 4);
    std::string image = Pixels(5, 3, 16);
    return BmpFile(InfoHeader(5, 3, 16, kBitFields, 0, image.size()), masks, image);
}

// An OS/2 file: a 12-byte header and 3-byte colour table entries.
std::string BmpCore() {
    std::string header;
    PutLE(header, 12, 4);
    PutLE(header, 5, 2);
    PutLE(header, 3, 2);
    PutLE(header, 1, 2);
    PutLE(header, 8, 2);
    return BmpFile(header, Palette(256, 3), Pixels(5, 3, 8));
}

// Runs, an absolute run, a delta, end of line and end of bitmap.
std::string BmpRle(bool Four) {
    const std::string image = Four ? std::string("\x04\x12\x00\x04\x34\x56\x00\x00"
                                                 "\x00\x02\x01\x01\x06\x77\x00\x00\x00\x01",
                                                 18)
                                   : std::string("\x03\x05\x00\x03\x01\x02\x03\x00\x00\x00"
                                                 "\x00\x02\x01\x01\x04\x09\x00\x00\x00\x01",
                                                 20);
    const int colors = Four ? 16 : 256;
    return BmpFile(InfoHeader(6, 4, Four ? 4 : 8, Four ? kRle4 : kRle8, colors, image.size()),
                   Palette(colors), image);
}

const std::vector<TField> kBmpFields = {
    {"bfSize", 2, 4},       {"bfOffBits", 10, 4}, {"biSize", 14, 4},     {"biWidth", 18, 4},
    {"biHeight", 22, 4},    {"biPlanes", 26, 2},  {"biBitCount", 28, 2}, {"biCompression", 30, 4},
    {"biSizeImage", 34, 4}, {"biClrUsed", 46, 4},
};

TCorpus BmpSeeds() {
    return {{"1-bit", Bmp(5, 3, 1)},      {"4-bit", Bmp(5, 3, 4)},      {"8-bit", Bmp(5, 3, 8)},
            {"24-bit", Bmp(5, 3, 24)},    {"top-down", Bmp(5, -3, 24)}, {"32-bit", Bmp(5, 3, 32)},
            {"16-bit", Bmp16BitFields()}, {"OS/2", BmpCore()},          {"RLE8", BmpRle(false)},
            {"RLE4", BmpRle(true)}};
}

const std::vector<TField> kCoreFields = {
    {"bcWidth", 18, 2}, {"bcHeight", 20, 2}, {"bcPlanes", 22, 2}, {"bcBitCount", 24, 2}};

bool IsOs2OrRle(const TCorpusEntry& Seed) {
    return Seed.Name == "OS/2" || Seed.Name.rfind("RLE", 0) == 0;
}

TCorpus BmpCorpus() {
    TCorpus corpus;
    std::uint32_t random = 1;
    for (const TCorpusEntry& seed : BmpSeeds()) {
        AddTruncations(corpus, seed.Name, seed.Bytes);
        AddBitFlips(corpus, seed.Name, seed.Bytes, 300, random++);
        if (seed.Name == "OS/2") {
            AddFieldValues(corpus, seed.Name, seed.Bytes, kCoreFields);
            continue;
        }
        AddFieldValues(corpus, seed.Name, seed.Bytes, kBmpFields);
        AddFieldProducts(corpus, seed.Name, seed.Bytes, kBmpFields[3], kBmpFields[4]);
    }
    corpus.push_back({"header only, huge", WithField(WithField(Bmp(1, 1, 32), kBmpFields[3], 30000),
                                                     kBmpFields[4], 30000)
                                               .substr(0, 54)});
    return corpus;
}

void ExpectSeedsLoad(bool Os2AndRle) {
    for (const TCorpusEntry& seed : BmpSeeds()) {
        if (IsOs2OrRle(seed) != Os2AndRle) continue;
        EXPECT_NO_THROW(LoadFromStream<TBitmap>(seed.Bytes)) << seed.Name;
        EXPECT_NO_THROW(LoadFromStream<Bmp32::TBitmap32>(seed.Bytes)) << seed.Name;
    }
}

TEST(BmpRobustness, SeedsAreValidFiles) {
    ExpectSeedsLoad(false);
}

TEST(BmpRobustness, Os2AndRunLengthSeedsAreValidFiles) {
    ExpectSeedsLoad(true);
}

TEST(BmpRobustness, ClassLibraryBitmapLoadsOrRefusesEveryDamagedFile) {
    ExpectBoundedLoads<EInvalidGraphic>(BmpCorpus(), LoadFromStream<TBitmap>);
}

TEST(BmpRobustness, ClassLibraryBitmapReadInPlaceLoadsOrRefusesEveryDamagedFile) {
    ExpectBoundedLoads<EInvalidGraphic>(BmpCorpus(), LoadFromMemoryStream<TBitmap>);
}

// Files whose counts and sizes, each within its limits, disagree with the bytes present.
TEST(BmpRobustness, CountsTheBytesDoNotBearOutAreRefused) {
    const std::string bmp8 = Bmp(5, 3, 8);
    const std::string rle = BmpRle(false);
    const std::string cut = rle.substr(0, rle.size() - 12);
    const TCorpus corpus = {
        {"more colours than 8 bits index", WithField(bmp8, kBmpFields[9], 257)},
        {"a row more than the pixels hold", WithField(bmp8, kBmpFields[4], 4)},
        {"a width the rows do not hold", WithField(bmp8, kBmpFields[3], 9)},
        {"pixels past the file's end", WithField(bmp8, kBmpFields[1], bmp8.size() + 1)},
        {"a size past the data", WithField(bmp8, kBmpFields[0], bmp8.size() + 1)},
        {"run-length codes that stop short", WithField(cut, kBmpFields[0], cut.size())},
        {"a colour table running into the pixels", WithField(bmp8, kBmpFields[1], 54 + 100)}};
    ExpectRefusals<EInvalidGraphic>(corpus, LoadFromStream<TBitmap>);
    ExpectRefusals<EInvalidGraphic>(corpus, LoadFromMemoryStream<TBitmap>);
}

TEST(BmpRobustness, Bitmap32LoadsOrRefusesEveryDamagedFile) {
    ExpectBoundedLoads<EInvalidGraphic>(BmpCorpus(), LoadFromStream<Bmp32::TBitmap32>);
}

// ---- Icons ------------------------------------------------------------------------

// One 16 x 16 image: the header (twice the height: image and mask), colours, mask.
std::string Icon(int Bits) {
    const int colors = Bits <= 8 ? 1 << Bits : 0;
    std::string image = Pixels(16, 16, Bits) + Pixels(16, 16, 1);
    std::string dib = InfoHeader(16, 32, Bits, kRgb, 0, 0) + Palette(colors) + image;
    std::string file;
    PutLE(file, 0, 2);
    PutLE(file, 1, 2);
    PutLE(file, 1, 2);
    file += std::string("\x10\x10", 2);
    PutLE(file, colors & 0xFF, 1);
    PutLE(file, 0, 1);
    PutLE(file, 1, 2);
    PutLE(file, Bits, 2);
    PutLE(file, dib.size(), 4);
    PutLE(file, 22, 4);
    return file + dib;
}

const std::vector<TField> kIconFields = {
    {"count", 4, 2},       {"width", 6, 1},        {"height", 7, 1},     {"bitCount", 12, 2},
    {"bytesInRes", 14, 4}, {"imageOffset", 18, 4}, {"biSize", 22, 4},    {"biWidth", 26, 4},
    {"biHeight", 30, 4},   {"biBitCount", 36, 2},  {"biClrUsed", 54, 4},
};

TEST(IconRobustness, LoadsOrRefusesEveryDamagedFile) {
    TCorpus corpus;
    std::uint32_t random = 100;
    for (int bits : {4, 32}) {
        std::string seed = Icon(bits);
        ASSERT_NO_THROW(LoadFromStream<TIcon>(seed)) << bits;
        std::string name = std::to_string(bits) + "-bit icon";
        AddTruncations(corpus, name, seed);
        AddBitFlips(corpus, name, seed, 500, random++);
        AddFieldValues(corpus, name, seed, kIconFields);
        AddFieldProducts(corpus, name, seed, kIconFields[7], kIconFields[8]);
    }
    corpus.push_back({"65535 images", WithField(Icon(32), kIconFields[0], 0xFFFF)});
    ExpectBoundedLoads<EInvalidGraphic>(corpus, LoadFromStream<TIcon>);
}

// Picture data of a form resource is the icon and nothing more.
TEST(IconRobustness, PictureDataWithBytesAfterTheIconIsRefused) {
    auto readData = [](const std::string& Bytes) {
        TStringStream stream(std::string(1, '\x05') + "TIcon" + Bytes);
        TPicture picture;
        picture.ReadData(&stream);
    };
    ASSERT_NO_THROW(readData(Icon(32)));
    const TCorpus corpus = {{"a byte after", Icon(32) + "x"},
                            {"a zero after", Icon(4) + std::string(1, '\0')},
                            {"twice", Icon(32) + Icon(32)}};
    ExpectRefusals<EReadError>(corpus, readData);
}

} // namespace

// TBitmap32 persistence: the "Data" property, BMP streams and files, damaged input,
// comparison, and conversion to and from the class library's pictures.
#include "bitmap32/Bmp32.h"

#include "classlib/Bitmaps.h"
#include "classlib/Component.h"
#include "classlib/Filer.h"
#include "classlib/Metafiles.h"
#include "classlib/Persistence.h"
#include "classlib/Picture.h"
#include "classlib/Streams.h"

#include "tests/support/BmpSamples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

using namespace Bmp32;

namespace {

using Bytes = std::vector<Byte>;

Bytes BytesOf(TMemoryStream& Stream) {
    const auto* p = static_cast<const Byte*>(Stream.GetMemory());
    return Bytes(p, p + Stream.GetSize());
}

void Load(TMemoryStream& Stream, const Bytes& Data) {
    Stream.WriteBuffer(Data.data(), Int64(Data.size()));
    Stream.SetPosition(0);
}

Bytes Int32Le(std::int32_t Value) {
    const auto v = std::uint32_t(Value);
    return {Byte(v), Byte(v >> 8), Byte(v >> 16), Byte(v >> 24)};
}

// A Width x Height "Data" block followed by PixelBytes bytes.
Bytes DataBlock(std::int32_t Width, std::int32_t Height, std::size_t PixelBytes) {
    Bytes data = Int32Le(Width);
    const Bytes height = Int32Le(Height);
    data.insert(data.end(), height.begin(), height.end());
    data.resize(data.size() + PixelBytes, 0x5A);
    return data;
}

void FillVaried(TBitmap32& B, int W, int H) {
    B.SetSize(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            B.SetPixel(x, y, TColor32(0x10 + 0x30 * x) << 24 | TColor32(y) << 16 | 0x4200 | x);
}

std::vector<TColor32> Pixels(const TBitmap32& B) {
    return {B.GetBits(), B.GetBits() + B.GetWidth() * B.GetHeight()};
}

// A form-resource root with a bitmap kept in place.
class TPictureHolder : public TComponent {
    DECLARE_CLASS(TPictureHolder, TComponent)
public:
    explicit TPictureHolder(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
    TBitmap32* GetBitmap() const { return FBitmap.get(); }
    static void Published(TPropertyList& P) { P.Add("Bitmap", &TPictureHolder::GetBitmap); }

private:
    std::unique_ptr<TBitmap32> FBitmap = std::make_unique<TBitmap32>();
};

Bytes Resource(TPictureHolder& Root) {
    TMemoryStream stream;
    TWriter(&stream).WriteRootComponent(&Root);
    return BytesOf(stream);
}

bool Contains(const Bytes& Data, const std::string& Text) {
    return std::search(Data.begin(), Data.end(), Text.begin(), Text.end()) != Data.end();
}

// The bitmap is non-empty before each damaged read, so that emptying it shows.
class DamagedData : public testing::Test {
protected:
    void SetUp() override { FillVaried(B, 2, 2); }
    void ExpectRefused(const Bytes& Data) {
        TMemoryStream stream;
        Load(stream, Data);
        EXPECT_THROW(B.ReadData(&stream), EReadError);
        EXPECT_TRUE(B.Empty());
        EXPECT_EQ(B.GetWidth(), 0);
        EXPECT_EQ(B.GetHeight(), 0);
    }
    TBitmap32 B;
};

} // namespace

// ---- "Data" -------------------------------------------------------------------------------

TEST(Data, HasTheDocumentedBytes) {
    TBitmap32 b;
    b.SetSize(2, 1);
    b.SetPixel(0, 0, 0xFF0000FF);
    b.SetPixel(1, 0, 0x80FFFFFF);
    TMemoryStream stream;
    b.WriteData(&stream);
    EXPECT_EQ(BytesOf(stream),
              (Bytes{2, 0, 0, 0, 1, 0, 0, 0, 0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0x80}));
    TBitmap32 copy;
    stream.SetPosition(0);
    copy.ReadData(&stream);
    EXPECT_EQ(Pixels(copy), Pixels(b));

    TMemoryStream zeroWide; // reads no pixel bytes
    Load(zeroWide, DataBlock(0, 3, 4));
    copy.ReadData(&zeroWide);
    EXPECT_TRUE(copy.Empty());
    EXPECT_EQ(zeroWide.GetPosition(), 8);
}

TEST(Data, TravelsThroughAFormResourceAndOnlyWhenThereArePixels) {
    TPictureHolder source;
    source.SetName("Holder");
    EXPECT_FALSE(Contains(Resource(source), "Bitmap.Data"));
    FillVaried(*source.GetBitmap(), 3, 2);
    const Bytes resource = Resource(source);
    EXPECT_TRUE(Contains(resource, "Bitmap.Data"));

    TMemoryStream stream;
    Load(stream, resource);
    TPictureHolder copy;
    TReader(&stream).ReadRootComponent(&copy);
    EXPECT_EQ(copy.GetBitmap()->GetWidth(), 3);
    EXPECT_EQ(Pixels(*copy.GetBitmap()), Pixels(*source.GetBitmap()));
}

TEST_F(DamagedData, TruncatedHugeAndNegativeBlocksAreRefused) {
    ExpectRefused(DataBlock(2, 2, 15));
    ExpectRefused({2, 0, 0, 0, 2});
    // Huge and negative sizes are refused before allocating.
    ExpectRefused(DataBlock(100000, 100000, 16));
    ExpectRefused(DataBlock(INT32_MAX, INT32_MAX, 16));
    ExpectRefused(DataBlock(-1, 4, 16));
}

// ---- BMP streams and files ----------------------------------------------------------------

TEST(Bmp, StreamAndFileRoundTripsKeepEveryChannel) {
    TBitmap32 b, copy;
    FillVaried(b, 3, 2);
    TMemoryStream stream;
    b.SaveToStream(&stream);
    const Bytes bmp = BytesOf(stream);
    ASSERT_GE(bmp.size(), 2u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    stream.SetPosition(0);
    copy.LoadFromStream(&stream);
    EXPECT_EQ(Pixels(copy), Pixels(b));

    // Files are BMP whatever the extension.
    const auto folder = std::filesystem::temp_directory_path();
    const AnsiString asPng = (folder / "vantorel_bitmap32_test.png").string();
    const AnsiString asBmp = (folder / "vantorel_bitmap32_test.bmp").string();
    b.SaveToFile(asPng);
    TMemoryStream written;
    written.LoadFromFile(asPng);
    EXPECT_EQ(BytesOf(written).at(0), 'B');
    b.SaveToFile(asBmp);
    copy.Delete();
    copy.LoadFromFile(asBmp);
    EXPECT_EQ(Pixels(copy), Pixels(b));
    std::filesystem::remove(asPng);
    std::filesystem::remove(asBmp);
}

TEST(Bmp, DamagedStreamsLeaveTheBitmapEmpty) {
    TBitmap32 b;
    FillVaried(b, 2, 2);
    TMemoryStream garbage;
    Load(garbage, {'B', 'M', 1, 2, 3, 4, 5, 6, 7});
    EXPECT_THROW(b.LoadFromStream(&garbage), Exception);
    EXPECT_TRUE(b.Empty());

    // A valid header announcing 100000 x 100000 pixels over a few bytes.
    TBitmap32 small;
    FillVaried(small, 1, 1);
    TMemoryStream stream;
    small.SaveToStream(&stream);
    Bytes bmp = BytesOf(stream);
    const Bytes huge = Int32Le(100000);
    std::copy(huge.begin(), huge.end(), bmp.begin() + 18);
    std::copy(huge.begin(), huge.end(), bmp.begin() + 22);
    TMemoryStream damaged;
    Load(damaged, bmp);
    FillVaried(b, 2, 2);
    EXPECT_THROW(b.LoadFromStream(&damaged), Exception);
    EXPECT_TRUE(b.Empty());

    FillVaried(b, 2, 2);
    EXPECT_THROW(b.LoadFromFile("C:\\no\\such\\folder\\picture.bmp"), Exception);
    EXPECT_TRUE(b.Empty());
}

// ---- Comparison ---------------------------------------------------------------------------

namespace {

class TOtherBitmap32 : public TBitmap32 {
    DECLARE_CLASS(TOtherBitmap32, TBitmap32)
};

} // namespace

// The bitmap library reads BMP files as the class library does, pixel for pixel: run-length
// coded, OS/2 1.x and masked files too (alpha only where the file has an alpha mask).
TEST(Bmp, EveryCodingAgreesWithTheClassLibrary) {
    for (const auto& sample : BmpSamples::All()) {
        TMemoryStream stream;
        Load(stream, sample.File.Bytes());
        TBitmap32 bitmap32;
        bitmap32.LoadFromStream(&stream);
        stream.SetPosition(0);
        TBitmap bitmap;
        bitmap.LoadFromStream(&stream);
        ASSERT_EQ(bitmap32.GetWidth(), bitmap.GetWidth()) << sample.Name;
        ASSERT_EQ(bitmap32.GetHeight(), bitmap.GetHeight()) << sample.Name;
        for (int y = 0; y < bitmap.GetHeight(); ++y)
            for (int x = 0; x < bitmap.GetWidth(); ++x) {
                const TColor32 pixel = bitmap32.GetPixel(x, y);
                EXPECT_EQ(pixel & 0xFFFFFF, sample.Picture[y * bitmap.GetWidth() + x])
                    << sample.Name << " " << x << "," << y;
                EXPECT_EQ(Color32(bitmap.GetCanvas()->GetPixels(x, y)) & 0xFFFFFF,
                          pixel & 0xFFFFFF);
                EXPECT_EQ(pixel >> 24, bitmap.GetPixelFormat() == pf32bit ? 170u : 255u);
            }
    }
}

TEST(Equal, ByEmptinessClassAndPixels) {
    TBitmap32 a, b;
    TOtherBitmap32 other;
    EXPECT_TRUE(a.Equal(&b));
    EXPECT_FALSE(a.Equal(nullptr));
    FillVaried(a, 2, 2);
    EXPECT_FALSE(a.Equal(&b));
    FillVaried(b, 2, 2);
    EXPECT_TRUE(a.Equal(&b));
    FillVaried(other, 2, 2);
    EXPECT_FALSE(a.Equal(&other));
    b.SetPixel(1, 1, 0);
    EXPECT_FALSE(a.Equal(&b));
}

// ---- Conversion ---------------------------------------------------------------------------

TEST(Assign, FromABitmap32CopiesPixelsAndPropertiesButNotTheCombineModeNullEmpties) {
    TBitmap32 source, b;
    FillVaried(source, 3, 2);
    source.SetDrawMode(dmBlend);
    source.SetMasterAlpha(12);
    source.SetOuterColor(0x01020304);
    source.SetCombineMode(cmMerge);
    source.GetFont()->SetName("Courier New");
    b.Assign(&source);
    EXPECT_EQ(Pixels(b), Pixels(source));
    EXPECT_EQ(b.GetDrawMode(), dmBlend);
    EXPECT_EQ(b.GetMasterAlpha(), 12u);
    EXPECT_EQ(b.GetOuterColor(), 0x01020304u);
    EXPECT_EQ(b.GetFont()->GetName(), "Courier New");
    EXPECT_EQ(b.GetCombineMode(), cmBlend);
    int changes = 0;
    b.OnChange = TNotifyEvent::FromCallable([&](TObject*) { ++changes; });
    b.Assign(nullptr);
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(changes, 1);
}

TEST(Assign, From24BitBitmapsIsOpaqueExceptTheTransparentColor) {
    TBitmap bitmap(3, 1);
    bitmap.SetPixelFormat(pf24bit);
    bitmap.GetCanvas()->SetPixels(0, 0, clRed);
    bitmap.GetCanvas()->SetPixels(1, 0, clLime);
    bitmap.GetCanvas()->SetPixels(2, 0, clRed);
    TBitmap32 b;
    b.Assign(&bitmap);
    EXPECT_EQ(b.GetPixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(b.GetPixel(1, 0), 0xFF00FF00u);

    bitmap.SetTransparentColor(clRed);
    bitmap.SetTransparent(true);
    b.Assign(&bitmap);
    EXPECT_EQ(b.GetPixel(0, 0), 0x00FF0000u);
    EXPECT_EQ(b.GetPixel(1, 0), 0xFF00FF00u);
    EXPECT_EQ(b.GetPixel(2, 0), 0x00FF0000u);
}

TEST(Assign, FromAnIconIsOpaqueWhereTheIconIs) {
    // 2 x 2: the top row drawn in red, the bottom row masked out.
    const BYTE maskBits[] = {0x00, 0x00, 0xFF, 0x00}; // rows of 1-bit pixels, word-aligned
    HBITMAP mask = CreateBitmap(2, 2, 1, 1, maskBits);
    const DWORD colorBits[] = {0x00FF0000, 0x00FF0000, 0, 0};
    HBITMAP color = CreateBitmap(2, 2, 1, 32, colorBits);
    ICONINFO info{TRUE, 0, 0, mask, color};
    TIcon icon;
    icon.SetHandle(CreateIconIndirect(&info));
    DeleteObject(mask);
    DeleteObject(color);
    TPicture picture;
    picture.SetGraphic(&icon);
    TBitmap32 b;
    b.Assign(&picture);
    ASSERT_EQ(b.GetWidth(), 2);
    EXPECT_EQ(b.GetPixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(b.GetPixel(1, 0), 0xFFFF0000u);
    EXPECT_EQ(b.GetPixel(0, 1) >> 24, 0u);
    EXPECT_EQ(b.GetPixel(1, 1) >> 24, 0u);
}

TEST(Assign, FromAMetafileIsOpaqueWhereItDraws) {
    // 20 x 10 pixels at 96 per inch; a red rectangle over the left half of the top half.
    const RECT frame{0, 0, 530, 265};
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, &frame, nullptr);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    const RECT part{0, 0, 10, 5};
    FillRect(dc, &part, red);
    DeleteObject(red);
    TMetafile metafile;
    metafile.SetHandle(CloseEnhMetaFile(dc));
    metafile.SetWidth(20);
    metafile.SetHeight(10);
    TPicture picture;
    picture.SetGraphic(&metafile);
    TBitmap32 b;
    b.Assign(&picture);
    ASSERT_EQ(b.GetWidth(), 20);
    ASSERT_EQ(b.GetHeight(), 10);
    EXPECT_EQ(b.GetPixel(2, 2), 0xFFFF0000u);
    EXPECT_EQ(b.GetPixel(15, 8) >> 24, 0u);
}

TEST(AssignTo, ABitmapAndAPictureGetEveryChannel) {
    TBitmap32 b;
    FillVaried(b, 3, 2);
    TBitmap bitmap;
    bitmap.Assign(&b);
    ASSERT_EQ(bitmap.GetPixelFormat(), pf32bit);
    ASSERT_EQ(bitmap.GetWidth(), 3);
    const auto* row = static_cast<const TColor32*>(bitmap.GetScanLine(1));
    EXPECT_EQ(row[2], b.GetPixel(2, 1));

    TPicture picture;
    picture.Assign(&b);
    ASSERT_NE(dynamic_cast<TBitmap*>(picture.GetGraphic()), nullptr);
    EXPECT_EQ(picture.GetWidth(), 3);
    EXPECT_EQ(picture.GetHeight(), 2);
}

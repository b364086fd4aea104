// The image button's pictures in a form resource ("DefImage.Data" and its three
// siblings, each a BMP file), read within a whole form.
#include "skin/controls/SkinCtrls_ImageButtons.h"

#include "classlib/Exceptions.h"

#include "tests/robustness/FormSeeds.h"
#include "tests/robustness/RobustnessHarness.h"

#include <gtest/gtest.h>

namespace {

// A picture of W x H in Format with varied pixels.
std::unique_ptr<TBitmap> Noise(int W, int H, TPixelFormat Format) {
    auto picture = std::make_unique<TBitmap>();
    picture->SetPixelFormat(Format);
    picture->SetSize(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            picture->GetCanvas()->SetPixels(x, y,
                                            static_cast<TColor>((x * 53 + y * 17) * 0x010203));
    return picture;
}

// A binary form with an image button holding all four pictures, in three pixel formats.
std::string Seed() {
    TForm form(nullptr);
    form.SetName("Probe");
    auto* button = new TskSkinXFormButton(&form);
    button->SetName("BTN_Go");
    button->SetParent(&form);
    button->SetDefImage(Noise(6, 3, pf4bit).get());
    button->SetDefActiveImage(Noise(5, 3, pf8bit).get());
    button->SetDefDownImage(Noise(3, 2, pf24bit).get());
    button->SetDefMask(Noise(6, 3, pf1bit).get());
    TStringStream stream;
    WriteComponentStream(&stream, &form);
    return stream.GetDataString();
}

TEST(ImageButtonRobustness, TheLoaderBuildsOrRefusesEveryDamagedPicture) {
    const std::string binary = Seed();
    ASSERT_NO_THROW(LoadFormBinary(binary));
    TCorpus corpus;
    AddTruncations(corpus, "binary", binary);
    AddBitFlips(corpus, "binary", binary, 600, 47);
    // Each picture: the length of its value, then the BMP header's numbers.
    const std::string name = ".Data";
    int pictures = 0;
    for (std::size_t at = binary.find(name); at != std::string::npos;
         at = binary.find(name, at + 1), ++pictures) {
        // The name, the value's kind, its length, then the file.
        const std::size_t length = at + name.size() + 1;
        const std::size_t bmp = length + 4;
        const std::vector<TField> fields = {
            {"value length", length, 4},  {"file size", bmp + 2, 4}, {"pixel offset", bmp + 10, 4},
            {"width", bmp + 18, 4},       {"height", bmp + 22, 4},   {"bit count", bmp + 28, 2},
            {"colours used", bmp + 46, 4}};
        ASSERT_EQ(binary.substr(bmp, 2), "BM");
        const std::string picture = "picture " + std::to_string(pictures);
        AddFieldValues(corpus, picture, binary, fields);
        AddFieldProducts(corpus, picture, binary, fields[3], fields[4]);
    }
    ASSERT_EQ(pictures, 4);
    ExpectBoundedLoads<EFilerError>(corpus, LoadFormBinary);
}

} // namespace

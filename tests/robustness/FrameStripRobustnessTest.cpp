// The frame-strip controls' pictures in form resources ("DefaultImage.Data" and
// "DefaultMask.Data"), read within a whole form.
#include "skin/controls/SkinCtrls_FrameStrips.h"

#include "classlib/Exceptions.h"

#include "tests/robustness/FormSeeds.h"
#include "tests/robustness/RobustnessHarness.h"

#include <gtest/gtest.h>

namespace {

// A form holding a frame gauge with a four-frame 4-bit strip and a mask, in binary form.
std::string GaugeSeed() {
    TForm form(nullptr);
    auto* gauge = new TskSkinFrameGauge(&form);
    gauge->SetName("FG_Level");
    gauge->SetParent(&form);
    TBitmap strip;
    strip.SetPixelFormat(pf4bit);
    strip.SetSize(24, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 24; ++x)
            strip.GetCanvas()->SetPixels(x, y, static_cast<TColor>((x * 53 + y * 17) * 0x010203));
    TBitmap mask(6, 5);
    mask.GetCanvas()->GetBrush()->SetColor(clBlack);
    mask.GetCanvas()->FillRect(TRect(1, 0, 5, 5));
    gauge->SetDefaultFramesCount(4);
    gauge->SetDefaultImage(&strip);
    gauge->SetDefaultMask(&mask);
    gauge->SetValue(70);
    TStringStream stream;
    WriteComponentStream(&stream, &form);
    return stream.GetDataString();
}

// The fields of the picture stored under Property: the value's length, then the header
// fields of the BMP file it holds.
std::vector<TField> PictureFields(const std::string& Binary, const std::string& Property) {
    const std::size_t at = Binary.find(Property);
    if (at == std::string::npos) return {};
    const std::size_t length = at + Property.size() + 1;
    const std::size_t bmp = length + 4;
    return {{Property + " length", length, 4},         {Property + " file size", bmp + 2, 4},
            {Property + " pixel offset", bmp + 10, 4}, {Property + " width", bmp + 18, 4},
            {Property + " height", bmp + 22, 4},       {Property + " bit count", bmp + 28, 2},
            {Property + " colours used", bmp + 46, 4}};
}

TEST(FrameStripRobustness, TheLoaderBuildsOrRefusesEveryDamagedStripPicture) {
    const std::string binary = GaugeSeed();
    ASSERT_NO_THROW(LoadFormBinary(binary));
    const std::vector<TField> image = PictureFields(binary, "DefaultImage.Data");
    const std::vector<TField> mask = PictureFields(binary, "DefaultMask.Data");
    ASSERT_FALSE(image.empty());
    ASSERT_FALSE(mask.empty());
    TCorpus corpus;
    AddTruncations(corpus, "gauge", binary);
    AddBitFlips(corpus, "gauge", binary, 400, 77);
    AddFieldValues(corpus, "gauge", binary, image);
    AddFieldValues(corpus, "gauge", binary, mask);
    AddFieldProducts(corpus, "gauge", binary, image[3], image[4]);
    AddFieldProducts(corpus, "gauge", binary, mask[3], mask[4]);
    ExpectBoundedLoads<EFilerError>(corpus, LoadFormBinary);
}

TEST(FrameStripRobustness, ADamagedPictureIsRefusedNamingTheComponentAndTheProperty) {
    const std::string binary = GaugeSeed();
    const std::vector<TField> image = PictureFields(binary, "DefaultImage.Data");
    ASSERT_FALSE(image.empty());
    // A bit count of 3 is no BMP.
    const std::string damaged = WithField(binary, image[5], 3);
    try {
        LoadFormBinary(damaged);
        FAIL() << "a damaged strip picture was read";
    } catch (const EReadError& E) {
        EXPECT_NE(E.Message().find("FG_Level"), AnsiString::npos) << E.Message();
        EXPECT_NE(E.Message().find("DefaultImage"), AnsiString::npos) << E.Message();
    }
}

} // namespace

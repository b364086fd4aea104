// Form resources of the button label's glyph and the link image's picture (the pictures'
// "Data" within a whole form), beside a text label's lines.
#include "skin/controls/SkinCtrls_TextLabels.h"

#include "classlib/Exceptions.h"

#include "tests/robustness/FormSeeds.h"
#include "tests/robustness/RobustnessHarness.h"

#include <gtest/gtest.h>

namespace {

// A form with a button label and a link image, both holding a 4-bit picture of varied pixels.
std::string LabelsSeed() {
    TBitmap glyph;
    glyph.SetPixelFormat(pf4bit);
    glyph.SetSize(8, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x)
            glyph.GetCanvas()->SetPixels(x, y, static_cast<TColor>((x * 97 + y * 31) * 0x010305));
    TForm form(nullptr);
    form.SetName("Probe");
    auto* button = new TskSkinButtonLabel(&form);
    button->SetName("BL_Add");
    button->SetParent(&form);
    button->SetCaption("Add");
    button->SetGlyph(&glyph);
    button->SetNumGlyphs(2);
    auto* image = new TskSkinLinkImage(&form);
    image->SetName("LI_Logo");
    image->SetParent(&form);
    image->SetURL("https://vantorel.example/");
    image->GetPicture()->Assign(&glyph);
    auto* text = new TskSkinTextLabel(&form);
    text->SetName("TL_Note");
    text->SetParent(&form);
    text->GetLines()->SetText("one\r\ntwo");
    return ToBinary(WriteComponentText(&form));
}

// The fields of the picture stored under Property: its length, and the width, height and
// bit count of the BMP file after the picture's class name.
std::vector<TField> PictureFields(const std::string& Binary, const std::string& Property) {
    std::string name(1, static_cast<char>(Property.size()));
    name += Property + '\x0A';
    const std::size_t at = Binary.find(name);
    EXPECT_NE(at, std::string::npos) << Property;
    if (at == std::string::npos) return {};
    const std::size_t size = at + name.size();
    const std::size_t bmp = size + 4 + 8;
    return {{Property + " length", size, 4},
            {Property + " width", bmp + 18, 4},
            {Property + " height", bmp + 22, 4},
            {Property + " bit count", bmp + 28, 2}};
}

TEST(TextLabelRobustness, TheLoaderBuildsOrRefusesEveryDamagedGlyphAndPicture) {
    const std::string binary = LabelsSeed();
    ASSERT_NO_THROW(LoadFormBinary(binary));
    TCorpus corpus;
    AddTruncations(corpus, "labels", binary);
    AddBitFlips(corpus, "labels", binary, 500, 43);
    for (const char* property : {"Glyph.Data", "Picture.Data"}) {
        const std::vector<TField> fields = PictureFields(binary, property);
        ASSERT_EQ(fields.size(), 4u);
        AddFieldValues(corpus, "labels", binary, fields);
        AddFieldProducts(corpus, "labels", binary, fields[1], fields[2]);
    }
    ExpectBoundedLoads<EFilerError>(corpus, LoadFormBinary);
}

} // namespace

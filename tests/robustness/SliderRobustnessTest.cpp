// The skinned slider's form-resource property "UserImages" (one byte of image flags),
// read within a whole form.
#include "skin/controls/SkinCtrls_Sliders.h"

#include "classlib/Exceptions.h"
#include "classlib/FormLoader.h"
#include "classlib/FormText.h"
#include "classlib/Forms.h"
#include "classlib/Streams.h"

#include "tests/robustness/RobustnessHarness.h"

#include <gtest/gtest.h>

namespace {

const std::string kSliderSeed = "object Probe: TForm\r\n"
                                "  object SL_Level: TskSkinSlider\r\n"
                                "    Left = 8\r\n"
                                "    Width = 150\r\n"
                                "    Height = 40\r\n"
                                "    Increment = 5\r\n"
                                "    Orientation = soVertical\r\n"
                                "    Options = [soShowPoints, soSmooth]\r\n"
                                "    UserImages = {02}\r\n"
                                "  end\r\n"
                                "end\r\n";

std::string ToBinary(const std::string& Text) {
    TStringStream input(Text);
    TStringStream output;
    ObjectTextToBinary(&input, &output);
    return output.GetDataString();
}

void LoadForm(const std::string& Binary) {
    TStringStream stream(Binary);
    TForm form(nullptr);
    ReadComponentStream(&stream, &form);
}

TEST(SliderRobustness, TheLoaderBuildsOrRefusesEveryDamagedUserImagesValue) {
    const std::string binary = ToBinary(kSliderSeed);
    ASSERT_NO_THROW(LoadForm(binary));
    std::string length(1, '\x0A');
    PutLE(length, 1, 4);
    const std::size_t at = binary.find("UserImages" + length);
    ASSERT_NE(at, std::string::npos);
    const TField size{"UserImages length", at + 11, 4};
    const TField flags{"UserImages flags", at + 15, 1};
    TCorpus corpus;
    AddTruncations(corpus, "binary", binary);
    AddBitFlips(corpus, "binary", binary, 400, 31);
    AddFieldValues(corpus, "binary", binary, {size, flags});
    ExpectBoundedLoads<EFilerError>(corpus, LoadForm);
}

} // namespace

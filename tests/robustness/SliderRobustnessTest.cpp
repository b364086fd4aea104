// The skinned slider's form-resource property "UserImages" (one byte of image flags),
// read within a whole form.
#include "skin/controls/SkinCtrls_Sliders.h"

#include "classlib/Exceptions.h"

#include "tests/robustness/FormSeeds.h"
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

TEST(SliderRobustness, TheLoaderBuildsOrRefusesEveryDamagedUserImagesValue) {
    const std::string binary = ToBinary(kSliderSeed);
    ASSERT_NO_THROW(LoadFormBinary(binary));
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
    ExpectBoundedLoads<EFilerError>(corpus, LoadFormBinary);
}

} // namespace

// Form resources of the skinned header control (its sections a collection in the stream),
// the skinned rich edit (its lines) and the status panel: a damaged stream builds the form
// or raises the form reader's error.
#include "skin/controls/SkinCtrls_Headers.h"
#include "skin/controls/SkinCtrls_RichEdits.h"
#include "skin/controls/SkinCtrls_StatusPanels.h"

#include "classlib/Exceptions.h"

#include "tests/robustness/FormSeeds.h"
#include "tests/robustness/RobustnessHarness.h"

#include <gtest/gtest.h>

namespace {

const std::string kSeed = "object Probe: TForm\r\n"
                          "  object HDR_Files: TskSkinHeaderControl\r\n"
                          "    Width = 300\r\n"
                          "    Style = hsFlat\r\n"
                          "    DefaultHeight = 22\r\n"
                          "    Sections = <\r\n"
                          "      item\r\n"
                          "        Text = 'Name'\r\n"
                          "        Width = 120\r\n"
                          "      end\r\n"
                          "      item\r\n"
                          "        Text = 'Size'\r\n"
                          "        Width = 60\r\n"
                          "        Alignment = taRightJustify\r\n"
                          "        ImageIndex = 2\r\n"
                          "      end>\r\n"
                          "  end\r\n"
                          "  object RED_Text: TskSkinRichEdit\r\n"
                          "    Top = 30\r\n"
                          "    SkinSupport = True\r\n"
                          "    PlainText = True\r\n"
                          "    Alignment = taCenter\r\n"
                          "    MaxLength = 1000\r\n"
                          "    Lines.Strings = (\r\n"
                          "      'one'\r\n"
                          "      'two')\r\n"
                          "  end\r\n"
                          "  object STP_Ready: TskSkinStatusPanel\r\n"
                          "    Caption = 'Ready'\r\n"
                          "    NumGlyphs = 2\r\n"
                          "  end\r\n"
                          "end\r\n";

TEST(NativeWrapperRobustness, TheLoaderBuildsOrRefusesEveryDamagedForm) {
    const std::string binary = ToBinary(kSeed);
    ASSERT_NO_THROW(LoadFormBinary(binary));
    const std::size_t width = binary.find("\x05" "Width", binary.find("Sections"));
    const std::size_t glyphs = binary.find("\x09" "NumGlyphs");
    ASSERT_NE(width, std::string::npos);
    ASSERT_NE(glyphs, std::string::npos);
    TCorpus corpus;
    AddTruncations(corpus, "natives", binary);
    AddBitFlips(corpus, "natives", binary, 600, 27);
    AddFieldValues(corpus, "natives", binary,
                   {{"section width", width + 7, 1}, {"glyph count", glyphs + 11, 1}});
    ExpectBoundedLoads<EFilerError>(corpus, LoadFormBinary);
}

} // namespace

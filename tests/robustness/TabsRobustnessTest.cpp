// Page and tab controls in form resources: pages streamed as the page control's children,
// the tab control's texts, read within a whole form from damaged binary forms.
#include "skin/controls/SkinTabs.h"

#include "classlib/Exceptions.h"

#include "tests/robustness/FormSeeds.h"
#include "tests/robustness/RobustnessHarness.h"

#include <gtest/gtest.h>

namespace {

const std::string kPagesSeed = "object Probe: TForm\r\n"
                               "  object PC_Pages: TskSkinPageControl\r\n"
                               "    Width = 200\r\n"
                               "    Height = 120\r\n"
                               "    ActivePage = TS_Second\r\n"
                               "    TabPosition = tpBottom\r\n"
                               "    DefaultItemHeight = 18\r\n"
                               "    object TS_First: TskSkinTabSheet\r\n"
                               "      Caption = 'First'\r\n"
                               "      object BTN_In: TButton\r\n"
                               "        Caption = 'In'\r\n"
                               "      end\r\n"
                               "    end\r\n"
                               "    object TS_Second: TskSkinTabSheet\r\n"
                               "      Caption = 'Second'\r\n"
                               "      ImageIndex = 2\r\n"
                               "    end\r\n"
                               "    object TS_Hidden: TTabSheet\r\n"
                               "      Caption = 'Hidden'\r\n"
                               "      TabVisible = False\r\n"
                               "    end\r\n"
                               "  end\r\n"
                               "  object TC_Tabs: TskSkinTabControl\r\n"
                               "    Top = 130\r\n"
                               "    Tabs.Strings = (\r\n"
                               "      'One'\r\n"
                               "      'Two')\r\n"
                               "    TabIndex = 1\r\n"
                               "  end\r\n"
                               "end\r\n";

TEST(TabsRobustness, TheLoaderBuildsOrRefusesEveryDamagedPageForm) {
    const std::string binary = ToBinary(kPagesSeed);
    ASSERT_NO_THROW(LoadFormBinary(binary));
    TCorpus corpus;
    AddTruncations(corpus, "pages", binary);
    AddBitFlips(corpus, "pages", binary, 400, 127);
    ExpectBoundedLoads<EFilerError>(corpus, LoadFormBinary);
}

TEST(TabsRobustness, ASheetOutsideAPageControlIsRefusedNamingIt) {
    // The first sheet's record moved out of its page control, onto the form.
    const std::string stray = "object Probe: TForm\r\n"
                              "  object PC_Pages: TskSkinPageControl\r\n"
                              "  end\r\n"
                              "  object TS_Stray: TskSkinTabSheet\r\n"
                              "    Caption = 'Stray'\r\n"
                              "  end\r\n"
                              "end\r\n";
    try {
        LoadFormBinary(ToBinary(stray));
        FAIL() << "a stray sheet was read";
    } catch (const EReadError& E) {
        EXPECT_NE(E.Message().find("TS_Stray"), AnsiString::npos) << E.Message();
    }
}

} // namespace

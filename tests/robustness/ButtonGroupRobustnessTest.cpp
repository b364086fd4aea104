// Form resources of the skinned radio and check groups, which make their buttons themselves
// and refuse a child object stored under them.
#include "skin/controls/SkinCtrls_ButtonGroups.h"

#include "classlib/Exceptions.h"
#include "classlib/FormLoader.h"
#include "classlib/FormText.h"
#include "classlib/Forms.h"
#include "classlib/Streams.h"

#include "tests/robustness/RobustnessHarness.h"

#include <gtest/gtest.h>

namespace {

const std::string kGroupsSeed = "object Probe: TForm\r\n"
                                "  object RG_Pick: TskSkinRadioGroup\r\n"
                                "    Width = 200\r\n"
                                "    Height = 100\r\n"
                                "    Columns = 2\r\n"
                                "    Items.Strings = (\r\n"
                                "      'one'\r\n"
                                "      'two'\r\n"
                                "      'three')\r\n"
                                "    ItemIndex = 1\r\n"
                                "  end\r\n"
                                "  object CG_Pick: TskSkinCheckGroup\r\n"
                                "    Columns = 3\r\n"
                                "    ButtonSkinDataName = 'checkbox'\r\n"
                                "    Items.Strings = (\r\n"
                                "      'a'\r\n"
                                "      'b')\r\n"
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

TEST(ButtonGroupRobustness, TheLoaderBuildsOrRefusesEveryDamagedGroup) {
    const std::string binary = ToBinary(kGroupsSeed);
    ASSERT_NO_THROW(LoadForm(binary));
    const std::size_t columns = binary.find("\x07" "Columns");
    const std::size_t index = binary.find("\x09" "ItemIndex");
    ASSERT_NE(columns, std::string::npos);
    ASSERT_NE(index, std::string::npos);
    TCorpus corpus;
    AddTruncations(corpus, "groups", binary);
    AddBitFlips(corpus, "groups", binary, 600, 31);
    AddFieldValues(corpus, "groups", binary,
                   {{"columns", columns + 9, 1}, {"item index", index + 11, 1}});
    ExpectBoundedLoads<EFilerError>(corpus, LoadForm);
}

TEST(ButtonGroupRobustness, AChildObjectUnderAGroupIsRefused) {
    TCorpus corpus;
    for (const char* child : {"TskSkinCheckRadioBox", "TskSkinRadioGroup", "TskSkinButton"}) {
        std::string text = kGroupsSeed;
        text.insert(text.find("  end\r\n"), std::string("    object X: ") + child + "\r\n    end\r\n");
        corpus.push_back({std::string("a ") + child + " under the radio group", ToBinary(text)});
    }
    ExpectRefusals<EFilerError>(corpus, LoadForm);
}

} // namespace

// Form resources of the skinned notebook, whose pages are stored as its children, and of the
// skinned buttons bar, whose sections and items are nested collections: damaged ones are built
// or refused with the form reader's own error, and a notebook refuses a child that is no page.
#include "skin/controls/SkinCtrls_ButtonsBars.h"
#include "skin/controls/SkinCtrls_Notebooks.h"

#include "classlib/Exceptions.h"

#include "tests/robustness/FormSeeds.h"
#include "tests/robustness/RobustnessHarness.h"

#include <gtest/gtest.h>

namespace {

const std::string kContainersSeed = "object Probe: TForm\r\n"
                                    "  object NB_Pages: TskSkinNotebook\r\n"
                                    "    Width = 200\r\n"
                                    "    PageIndex = 1\r\n"
                                    "    ButtonsMode = True\r\n"
                                    "    object PG_First: TskSkinPage\r\n"
                                    "      Caption = 'First'\r\n"
                                    "      object PN_Inside: TskSkinPanel\r\n"
                                    "        Left = 4\r\n"
                                    "      end\r\n"
                                    "    end\r\n"
                                    "    object TskSkinPage\r\n"
                                    "      Caption = 'Second'\r\n"
                                    "      ImageIndex = 2\r\n"
                                    "    end\r\n"
                                    "  end\r\n"
                                    "  object BB_Side: TskSkinButtonsBar\r\n"
                                    "    Sections = <\r\n"
                                    "      item\r\n"
                                    "        Text = 'Mail'\r\n"
                                    "        Items = <\r\n"
                                    "          item\r\n"
                                    "            Text = 'Inbox'\r\n"
                                    "            ImageIndex = 3\r\n"
                                    "          end>\r\n"
                                    "      end\r\n"
                                    "      item\r\n"
                                    "        Text = 'Notes'\r\n"
                                    "      end>\r\n"
                                    "    SectionIndex = 1\r\n"
                                    "    ItemHeight = 40\r\n"
                                    "  end\r\n"
                                    "end\r\n";

// Read into a shown form, so that the bar makes its buttons and the notebook its windows.
void LoadForm(const std::string& Binary) {
    TStringStream stream(Binary);
    TForm form(nullptr);
    ReadComponentStream(&stream, &form);
    form.Show();
    NotebookHandlesNeeded(dynamic_cast<TskSkinNotebook*>(form.FindComponent("NB_Pages")));
}

TEST(ContainerRobustness, TheLoaderBuildsOrRefusesEveryDamagedNotebookAndButtonsBar) {
    const std::string binary = ToBinary(kContainersSeed);
    ASSERT_NO_THROW(LoadForm(binary));
    const std::size_t pageIndex = binary.find("\x09" "PageIndex");
    const std::size_t imageIndex = binary.find("\x0A" "ImageIndex");
    const std::size_t sectionIndex = binary.find("\x0C" "SectionIndex");
    const std::size_t itemHeight = binary.find("\x0A" "ItemHeight");
    ASSERT_NE(pageIndex, std::string::npos);
    ASSERT_NE(imageIndex, std::string::npos);
    ASSERT_NE(sectionIndex, std::string::npos);
    ASSERT_NE(itemHeight, std::string::npos);
    TCorpus corpus;
    AddTruncations(corpus, "containers", binary);
    AddBitFlips(corpus, "containers", binary, 600, 27);
    AddFieldValues(corpus, "containers", binary,
                   {{"page index", pageIndex + 11, 1},
                    {"image index", imageIndex + 12, 1},
                    {"section index", sectionIndex + 14, 1},
                    {"item height", itemHeight + 12, 1}});
    ExpectBoundedLoads<EFilerError>(corpus, LoadForm);
}

TEST(ContainerRobustness, AChildThatIsNoPageUnderANotebookIsRefused) {
    TCorpus corpus;
    for (const char* child : {"TskSkinPanel", "TskSkinNotebook", "TskSkinButtonsBar"}) {
        std::string text = kContainersSeed;
        text.insert(text.find("    object TskSkinPage"),
                    std::string("    object X: ") + child + "\r\n    end\r\n");
        corpus.push_back({std::string("a ") + child + " under the notebook", ToBinary(text)});
    }
    ExpectRefusals<EFilerError>(corpus, LoadForm);
}

} // namespace

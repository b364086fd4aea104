// Forms holding skinned radio and check groups, written and read as form resources: a shown
// form whose focus a click has put into one of a group's boxes writes (the boxes are the
// group's own, never stored), and a radio group of 20,000 lines loads.
#include "skin/controls/SkinCtrls_ButtonGroups.h"
#include "tests/skin/controls/SkinFixture.h"

#include "classlib/FormLoader.h"

#include <memory>

namespace {

class GroupForms : public ShownFormTest {
protected:
    template <typename G> G* Group(const char* Name, int Top) {
        auto* group = Add<G>(Form, 10, Top, 200, 100);
        group->SetName(Name);
        for (const char* line : {"one", "two", "three"}) group->GetItems()->Add(line);
        return group;
    }
    // A person's click at the middle of Control, through the system's input.
    static void ClickOn(TWinControl* Control) {
        ClickAt(Control, Control->GetWidth() / 2, Control->GetHeight() / 2);
        Pump();
    }
};

TEST_F(GroupForms, AShownFormWithTheFocusInAGroupsBoxWritesWithoutIt) {
    Form->SetName("Choices");
    auto* radio = Group<TskSkinRadioGroup>("RG_Pick", 10);
    auto* checks = Group<TskSkinCheckGroup>("CG_Options", 120);
    Pump();
    for (TskSkinCustomButtonGroup* group : {static_cast<TskSkinCustomButtonGroup*>(radio),
                                            static_cast<TskSkinCustomButtonGroup*>(checks)}) {
        SCOPED_TRACE(group->GetName());
        ClickOn(group->GetButton(1));
        ASSERT_EQ(Form->GetActiveControl(), group->GetButton(1)) << "the click focuses the box";
        AnsiString text;
        ASSERT_NO_THROW(text = WriteComponentText(Form));
        EXPECT_EQ(text.find("ActiveControl"), AnsiString::npos) << text;
        EXPECT_EQ(text.find("GroupButton"), AnsiString::npos) << "no box is stored: " << text;

        std::unique_ptr<TForm> copy(new TForm(nullptr));
        ReadComponentText(text, copy.get());
        auto* read =
            dynamic_cast<TskSkinCustomButtonGroup*>(copy->FindComponent(group->GetName()));
        ASSERT_NE(read, nullptr);
        ASSERT_EQ(read->GetButtonCount(), 3);
        EXPECT_EQ(read->GetButton(2)->GetCaption(), "three");
    }
    EXPECT_TRUE(Errors.empty());
}

TEST_F(GroupForms, ARadioGroupOfTwentyThousandLinesLoads) {
    constexpr int kLines = 20000;
    AnsiString text = "object Many: TForm\n  object RG_Many: TskSkinRadioGroup\n"
                      "    Width = 200\n    Height = 400\n    Items.Strings = (\n";
    for (int i = 0; i < kLines; ++i) text += "      'Line " + IntToStr(Int64(i)) + "'\n";
    text += "    )\n    ItemIndex = 19999\n  end\nend\n";
    std::unique_ptr<TForm> form(new TForm(nullptr));
    ReadComponentText(text, form.get());
    auto* group = dynamic_cast<TskSkinRadioGroup*>(form->FindComponent("RG_Many"));
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->GetButtonCount(), kLines);
    EXPECT_EQ(group->GetButton(kLines - 1)->GetCaption(), "Line 19999");
    EXPECT_TRUE(group->GetButton(kLines - 1)->GetChecked());
}

} // namespace

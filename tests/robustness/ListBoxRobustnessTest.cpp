// Skinned list and check list boxes in form resources: lists of the greatest sizes on a skin
// paint within bounds, and their list font writes back what was read.
#include "skin/boxctrls/SkinBoxCtrls_CheckListBoxes.h"

#include "classlib/Exceptions.h"
#include "classlib/Forms.h"

#include "tests/robustness/FormSeeds.h"
#include "tests/robustness/RobustnessHarness.h"
#include "tests/skin/boxctrls/ListSkinFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// The skin the forms name as the program's forms do ("DMM.STS_SkinData"): the list records
// of the list tests, one of them with a caption band across its top and its three buttons.
class ListBoxRobustness : public testing::Test {
protected:
    void SetUp() override {
        Module = std::make_unique<TDataModule>(nullptr);
        ReadComponentText("object DMM: TDataModule\r\nend\r\n", Module.get());
        TFixtureSkin skin;
        int picture = 0;
        AddCheckListRecord(skin, "checklistbox", picture);
        auto* caption = AddCheckListRecord(skin, "captionlistbox", picture);
        skin.Fill(picture, TRect(0, 0, 100, 24), clNavy);
        caption->LTPoint = TPoint(4, 24);
        caption->RTPoint = TPoint(40, 24);
        caption->ClRect = TRect(4, 24, 96, 76);
        caption->CaptionRect = TRect(4, 2, 40, 22);
        caption->CheckButtonRect = TRect(44, 4, 60, 20);
        caption->DownButtonRect = TRect(60, 4, 76, 20);
        caption->UpButtonRect = TRect(76, 4, 92, 20);
        AddListRecord<TskDataSkinListBox>(skin, "listbox", 240, picture);
        skin.Data->SetName("STS_SkinData");
        Module->InsertComponent(skin.Data.release());
    }
    void TearDown() override { Module.reset(); }

    std::unique_ptr<TDataModule> Module;
};

// Lists of the greatest sizes on the skin, in rows, in columns and under a caption, and one
// showing thousands of rows.
TCorpus HugeLists() {
    TCorpus corpus;
    const std::string skinned = "SkinData = DMM.STS_SkinData";
    const std::string items = "Items.Strings = ('one' 'two' 'three')";
    std::string manyItems = "Items.Strings = (";
    for (int i = 0; i < 4000; ++i)
        manyItems += "\r\n      'i" + std::to_string(i) + "'";
    manyItems += ")";
    for (const std::string kind : {"TskSkinListBox", "TskSkinCheckListBox"}) {
        auto add = [&](const std::string& Name, const std::string& Side,
                       std::vector<std::string> Lines) {
            Lines.insert(Lines.begin(), {"Width = " + Side, "Height = " + Side, skinned});
            Lines.push_back("ItemIndex = 1");
            corpus.push_back({"a " + kind + " of " + Side + " x " + Side + Name,
                              FormHolding(Object("LB_List", kind, Lines))});
        };
        for (const std::string side : {"20000", "32767"}) {
            add("", side, {items});
            add(" in columns", side, {items, "Columns = 2"});
            add(" in caption mode", side,
                {items, "SkinDataName = 'captionlistbox'", "Caption = 'Caption'",
                 "CaptionMode = True"});
        }
        add(" with 4000 items", "32767", {manyItems});
    }
    return corpus;
}

TEST_F(ListBoxRobustness, ListsOfTheGreatestSizesOnASkinPaintInMemoryOfTheScreensSize) {
    // A picture of a whole list of 20000 x 20000 is a gigabyte and a half: the bound tells it
    // from pictures of the part shown.
    TBounds shown;
    shown.ProcessBytes = std::size_t(64) << 20;
    ExpectBoundedLoads<EFilerError>(
        HugeLists(), [](const std::string& Text) { LoadPaintWriteRead(Text); }, shown);
}

// The list's font follows the default font through the container's until one of its own is
// read: a value of its own that a font starts with is still one a reader needs.
TEST_F(ListBoxRobustness, TheListFontWritesBackWhatWasReadBesideADefaultFontOfItsOwn) {
    TCorpus corpus;
    const std::vector<std::vector<std::string>> fonts = {
        {"DefaultFont.Orientation = 1", "ListBoxFont.Orientation = 0"},
        {"DefaultFont.Orientation = 1"},
        {"DefaultFont.Style = [fsBold]", "ListBoxFont.Style = []"},
        {"DefaultFont.Color = clRed", "ListBoxFont.Color = clWindowText"},
        {"DefaultFont.Name = 'Courier New'", "ListBoxFont.Height = 20"}};
    for (const char* kind : {"TskSkinListBox", "TskSkinCheckListBox"})
        for (const std::vector<std::string>& lines : fonts) {
            std::string name = std::string("a ") + kind + " of";
            for (const std::string& line : lines)
                name += " " + line;
            corpus.push_back({name, FormHolding(Object("LB_List", kind, lines))});
        }
    ExpectBoundedLoads<EFilerError>(corpus,
                                    [](const std::string& Text) { LoadPaintWriteRead(Text); });
}

} // namespace

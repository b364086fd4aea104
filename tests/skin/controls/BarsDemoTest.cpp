// A demo form with a notebook and its page buttons, a buttons bar scrolled to the middle of
// its section's items and a control bar with bands, with the program's skin and without
// any; screenshots bars-skinned.bmp and bars-default.bmp beside the test program for people
// to look at.
#include "skin/controls/SkinCtrls_Buttons.h"
#include "skin/controls/SkinCtrls_ButtonsBars.h"
#include "skin/controls/SkinCtrls_ControlBars.h"
#include "skin/controls/SkinCtrls_Labels.h"
#include "skin/controls/SkinCtrls_Notebooks.h"

#include "tests/skin/controls/SkinFixture.h"

namespace {

class BarsDemo : public SkinDemoTest {
protected:
    void BuildAndCapture(const char* FileName) {
        Form->SetBounds(20, 20, 560, 380);
        Form->SetColor(clBtnFace);

        auto* book = PlaceAt<TskSkinNotebook>(10, 10, 200, 320, "notebook");
        TStrings* pages = book->GetPages();
        pages->Put(0, "Segments");
        for (const char* caption : {"Pins", "Pages", "Export"}) pages->Add(caption);
        for (int i = 0; i < pages->GetCount(); ++i) {
            auto* label = new TskSkinStdLabel(Form);
            label->SetParent(book->GetPage(i));
            label->SetBounds(10, 10, 150, 20);
            label->SetCaption("The " + pages->Get(i) + " page");
            label->SetSkinData(Data);
        }
        book->SetButtonsMode(true);
        book->SetPageIndex(1);

        auto* bar = PlaceAt<TskSkinButtonsBar>(220, 10, 130, 320, "buttonsbar");
        bar->SetAlign(alNone);
        bar->SetBounds(220, 10, 130, 320);
        bar->SetItemHeight(50);
        TskButtonBarSections* sections = bar->GetSections();
        sections->BeginUpdate();
        for (const char* name : {"Digits", "Letters", "Signs"}) {
            TskButtonBarSection* section = sections->Add();
            section->SetText(name);
            for (int j = 0; j < 8; ++j)
                section->GetItems()->Add()->SetText(Format("%s %d", name, j));
        }
        sections->EndUpdate();
        bar->OpenSection(1);
        bar->ScrollDown();
        bar->ScrollDown();

        auto* controlBar = PlaceAt<TskSkinControlBar>(360, 10, 180, 110);
        controlBar->SetSkinBevel(true);
        const char* captions[] = {"Open", "Save", "Add", "Delete", "Up"};
        for (int i = 0; i < 5; ++i) {
            auto* button = new TskSkinButton(Form);
            button->SetBounds(60 * i, 0, i < 2 ? 60 : 45, 22);
            button->SetCaption(captions[i]);
            button->SetSkinData(Data);
            button->SetParent(controlBar);
        }
        auto* plain = PlaceAt<TskSkinControlBar>(360, 130, 180, 80);
        plain->SetSkinDataName("none");
        for (int i = 0; i < 2; ++i) {
            auto* button = new TskSkinButton(Form);
            button->SetBounds(80 * i, 0, 60, 22);
            button->SetCaption(i == 0 ? "Cut" : "Paste");
            button->SetSkinData(Data);
            button->SetParent(plain);
        }
        Capture(FileName);
    }
};

TEST_F(BarsDemo, WithTheProgramsSkin) {
    TskSkinData skin(nullptr);
    skin.LoadFromFile(VANTOREL_SKIN_INI);
    ASSERT_FALSE(skin.Empty);
    Data = &skin;
    BuildAndCapture("bars-skinned.bmp");
}

TEST_F(BarsDemo, WithoutAnySkin) {
    BuildAndCapture("bars-default.bmp");
}

} // namespace

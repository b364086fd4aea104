// The skinned buttons bar: section buttons stacked round the items of the open section, the
// items scrolled one at a time by the arrow buttons (clicked with the real mouse, their repeat
// stepped by WM_TIMER), the room of the items panel, events that rebuild the bar during a
// click, and sections streamed through form resources.
#include "skin/controls/SkinCtrls_ButtonsBars.h"

#include "classlib/Exceptions.h"
#include "classlib/FormLoader.h"

#include "tests/skin/controls/PointerInput.h"
#include "tests/skin/controls/SkinFixture.h"

namespace {

class ButtonsBar : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        // Tall enough for the bar to be on the screen whole, where a person can reach it.
        Form->SetBounds(50, 50, 400, 560);
        Bar = Add<TskSkinButtonsBar>(Form, 10, 10, 150, 300);
        Bar->SetAlign(alNone);
        Bar->SetBounds(10, 10, 150, 300);
    }

    // Sections "S0".. each with Items items "S<i>.<j>"; every click is counted.
    void AddSections(int Count, int Items) {
        TskButtonBarSections* sections = Bar->GetSections();
        sections->BeginUpdate();
        for (int i = 0; i < Count; ++i) {
            TskButtonBarSection* section = sections->Add();
            section->SetText(Format("S%d", i));
            section->OnClick = TNotifyEvent::FromCallable([this](TObject*) { ++SectionClicks; });
            for (int j = 0; j < Items; ++j) {
                TskButtonBarItem* item = section->GetItems()->Add();
                item->SetText(Format("S%d.%d", i, j));
                item->OnClick = TNotifyEvent::FromCallable([this](TObject*) { ++ItemClicks; });
            }
        }
        sections->EndUpdate();
    }

    TRect PanelRect() const { return Bar->GetItemsPanel()->GetBoundsRect(); }

    // Items Top .. Top + Visible - 1 are in the panel, one below the other; the rest are out.
    void ExpectItems(int Top, int Visible) const {
        EXPECT_EQ(Bar->GetTopIndex(), Top);
        EXPECT_EQ(Bar->GetVisibleCount(), Visible);
        for (int i = 0; i < Bar->GetItemButtonCount(); ++i) {
            TskSectionItem* item = Bar->GetItemButton(i);
            const bool shown = i >= Top && i < Top + Visible;
            EXPECT_EQ(item->GetVisible(), shown) << "item " << i;
            EXPECT_EQ(item->GetParent(), shown ? Bar->GetItemsPanel() : nullptr) << "item " << i;
            if (shown) {
                const TRect place(0, (i - Top) * 60, PanelRect().Width(), (i - Top + 1) * 60);
                EXPECT_EQ(item->GetBoundsRect(), place) << "item " << i;
            }
        }
        EXPECT_EQ(Bar->GetUpButton() != nullptr, Top > 0);
        EXPECT_EQ(Bar->GetDownButton() != nullptr, Top + Visible < Bar->GetItemButtonCount());
    }

    // The arrow's window as a person presses it, and its repeat.
    void Tick(TskSkinButton* Arrow) {
        ASSERT_NE(Arrow->GetRepeatTimer(), nullptr);
        SendMessageA(Arrow->GetRepeatTimer()->GetWindowHandle(), WM_TIMER, 1, 0);
    }

    TskSkinButtonsBar* Bar = nullptr;
    int SectionClicks = 0;
    int ItemClicks = 0;
};

TEST_F(ButtonsBar, OpeningASectionStacksItsButtonAboveTheItemsAndTheRestBelow) {
    AddSections(4, 2);
    ASSERT_EQ(Bar->GetSectionButtonCount(), 4);
    EXPECT_EQ(Bar->GetSectionButton(0)->GetSkinDataName(), "toolbutton");
    EXPECT_EQ(Bar->GetItemButtonCount(), 2);
    EXPECT_EQ(Bar->GetItemButton(1)->GetCaption(), "S0.1");
    Bar->OpenSection(2);
    EXPECT_EQ(Bar->GetSectionIndex(), 2);
    EXPECT_EQ(SectionClicks, 1);
    const TRect panel = PanelRect();
    EXPECT_EQ(panel, TRect(1, 76, 149, 274));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Bar->GetSectionButton(i)->GetTop(), 1 + 25 * i) << i;
    EXPECT_EQ(Bar->GetSectionButton(3)->GetTop(), 274);
    EXPECT_EQ(Bar->GetItemButton(0)->GetCaption(), "S2.0");
    // Opening the open section, or none, changes nothing.
    Bar->OpenSection(2);
    Bar->SetSectionIndex(9);
    EXPECT_EQ(SectionClicks, 1);
    Bar->OpenSection(0);
    EXPECT_EQ(PanelRect(), TRect(1, 26, 149, 224));
    for (int i = 1; i < 4; ++i) EXPECT_EQ(Bar->GetSectionButton(i)->GetTop(), 224 + 25 * (i - 1)) << i;
    // Without section buttons the items take the whole bar.
    Bar->SetShowButtons(false);
    EXPECT_EQ(Bar->GetSectionButtonCount(), 0);
    EXPECT_EQ(PanelRect(), TRect(1, 1, 149, 299));
}

TEST_F(ButtonsBar, ATallSectionScrollsByOneItemAndHidesItsArrowsAtTheEnds) {
    AddSections(1, 7);
    // 298 rows less a section button: four items of 60.
    ExpectItems(0, 4);
    Bar->ScrollUp();
    ExpectItems(0, 4);
    Bar->ScrollDown();
    ExpectItems(1, 4);
    Bar->ScrollDown();
    Bar->ScrollDown();
    ExpectItems(3, 4);
    Bar->ScrollDown();
    ExpectItems(3, 4);
    TskSkinButton* up = Bar->GetUpButton();
    EXPECT_EQ(up->GetBoundsRect(), TRect(125, 5, 143, 23));
    EXPECT_EQ(up->GetGlyph()->GetWidth(), 11);
    EXPECT_EQ(up->GetGlyph()->GetHeight(), 11);
    EXPECT_FALSE(up->GetTabStop());
    Bar->ScrollUp();
    ExpectItems(2, 4);
    EXPECT_EQ(Bar->GetDownButton()->GetBoundsRect(), TRect(125, 250, 143, 268));
}

TEST_F(ButtonsBar, RoomForMoreItemsAtTheEndBringsEarlierOnesBack) {
    AddSections(1, 7);
    for (int i = 0; i < 3; ++i) Bar->ScrollDown();
    ExpectItems(3, 4);
    Bar->SetBounds(10, 10, 150, 360);
    ExpectItems(2, 5);
    Bar->SetBounds(10, 10, 150, 500);
    ExpectItems(0, 7);
    Bar->SetBounds(10, 10, 150, 200);
    ExpectItems(0, 2);
}

TEST_F(ButtonsBar, TheArrowsAnswerAPersonsMouseAndRepeatEvery150Milliseconds) {
    AddSections(1, 6);
    TskSkinButton* down = Bar->GetDownButton();
    ASSERT_NE(down, nullptr);
    PressAt(down, 9, 9);
    ASSERT_TRUE(PumpUntil([&] { return down->IsRepeating(); }));
    EXPECT_EQ(down->GetRepeatTimer()->GetInterval(), 150u);
    // The first step comes with the timer, not with the press.
    ExpectItems(0, 4);
    Tick(down);
    ExpectItems(1, 4);
    // The last step leaves nothing to scroll to: the arrow goes while it repeats.
    Tick(down);
    ExpectItems(2, 4);
    Release();
    ExpectItems(2, 4);
    ClickAt(Bar->GetUpButton(), 9, 9);
    ASSERT_TRUE(PumpUntil([&] { return Bar->GetTopIndex() == 1; }));
    ExpectItems(1, 4);
    EXPECT_TRUE(Errors.empty());
}

TEST_F(ButtonsBar, SectionAndItemButtonsClickedByAPersonFireTheirEvents) {
    AddSections(3, 2);
    TskSectionButton* second = Bar->GetSectionButton(1);
    ClickAt(Bar, second->GetLeft() + 20, second->GetTop() + 10);
    ASSERT_TRUE(PumpUntil([&] { return Bar->GetSectionIndex() == 1; }));
    EXPECT_EQ(SectionClicks, 1);
    TskSectionItem* item = Bar->GetItemButton(1);
    ClickAt(Bar->GetItemsPanel(), item->GetLeft() + 20, item->GetTop() + 20);
    ASSERT_TRUE(PumpUntil([&] { return ItemClicks == 1; }));
    // A section whose click empties the bar while its button is being clicked.
    Bar->GetSections()->GetItem(2)->OnClick =
        TNotifyEvent::FromCallable([this](TObject*) { Bar->GetSections()->Clear(); });
    TskSectionButton* third = Bar->GetSectionButton(2);
    ClickAt(Bar, third->GetLeft() + 20, third->GetTop() + 10);
    ASSERT_TRUE(PumpUntil([&] { return Bar->GetSections()->GetCount() == 0; }));
    EXPECT_EQ(Bar->GetSectionButtonCount(), 0);
    EXPECT_EQ(Bar->GetItemButtonCount(), 0);
    EXPECT_EQ(Bar->GetSectionIndex(), 0);
}

TEST_F(ButtonsBar, ChangedSectionsAndItemsRebuildTheirButtons) {
    AddSections(2, 2);
    Bar->GetSections()->GetItem(1)->SetText("Renamed");
    EXPECT_EQ(Bar->GetSectionButton(1)->GetCaption(), "Renamed");
    Bar->GetSections()->GetItem(0)->GetItems()->Add()->SetText("Third");
    ASSERT_EQ(Bar->GetItemButtonCount(), 3);
    EXPECT_EQ(Bar->GetItemButton(2)->GetCaption(), "Third");
    Bar->OpenSection(1);
    Bar->GetSections()->Delete(1);
    EXPECT_EQ(Bar->GetSectionIndex(), 0);
    EXPECT_EQ(Bar->GetSectionButtonCount(), 1);
    EXPECT_EQ(Bar->GetItemButtonCount(), 3);
    // A copy of the sections keeps their items.
    TskButtonBarSections copy(nullptr);
    copy.Assign(Bar->GetSections());
    ASSERT_EQ(copy.GetCount(), 1);
    EXPECT_EQ(copy.GetItem(0)->GetItems()->GetCount(), 3);
}

// ---- Form resources --------------------------------------------------------------------------

const char* const kBarForm = "object Bars: TForm\r\n"
                             "  object BB_Side: TskSkinButtonsBar\r\n"
                             "    Left = 0\r\n"
                             "    Height = 300\r\n"
                             "    Sections = <\r\n"
                             "      item\r\n"
                             "        Text = 'Mail'\r\n"
                             "        Items = <\r\n"
                             "          item\r\n"
                             "            Text = 'Inbox'\r\n"
                             "          end\r\n"
                             "          item\r\n"
                             "            Text = 'Sent'\r\n"
                             "            ImageIndex = 3\r\n"
                             "          end>\r\n"
                             "      end\r\n"
                             "      item\r\n"
                             "        Text = 'Notes'\r\n"
                             "        ImageIndex = 1\r\n"
                             "      end>\r\n"
                             "    SectionIndex = 1\r\n"
                             "    ItemHeight = 40\r\n"
                             "  end\r\n"
                             "end\r\n";

TEST(ButtonsBarResource, SectionsAndItemsTravelThroughAFormResource) {
    TForm form(nullptr);
    ReadComponentText(kBarForm, &form);
    auto* bar = dynamic_cast<TskSkinButtonsBar*>(form.FindComponent("BB_Side"));
    ASSERT_NE(bar, nullptr);
    TskButtonBarSections* sections = bar->GetSections();
    ASSERT_EQ(sections->GetCount(), 2);
    EXPECT_EQ(sections->GetItem(1)->GetDisplayName(), "Notes");
    EXPECT_EQ(sections->GetItem(1)->GetImageIndex(), 1);
    ASSERT_EQ(sections->GetItem(0)->GetItems()->GetCount(), 2);
    EXPECT_EQ(sections->GetItem(0)->GetItems()->GetItem(1)->GetImageIndex(), 3);
    EXPECT_EQ(bar->GetSectionIndex(), 1);
    EXPECT_EQ(bar->GetItemHeight(), 40);

    const AnsiString text = WriteComponentText(&form);
    EXPECT_EQ(text.find("TskSection"), AnsiString::npos) << text;
    EXPECT_EQ(text.find("TskSkinPanel"), AnsiString::npos) << text;
    TForm copy(nullptr);
    ReadComponentText(text, &copy);
    EXPECT_EQ(WriteComponentText(&copy), text);
}

TEST(ButtonsBarResource, ADamagedSectionIsRefusedNamingTheBarAndTheItem) {
    AnsiString text = kBarForm;
    text.replace(text.find("ImageIndex = 3"), 14, "ImageIndex = 'x'");
    TForm form(nullptr);
    try {
        ReadComponentText(text, &form);
        ADD_FAILURE() << "a damaged item was read";
    } catch (const EReadError& E) {
        EXPECT_NE(E.Message().find("BB_Side"), AnsiString::npos) << E.Message();
        EXPECT_NE(E.Message().find("Sections[0].Items[1].ImageIndex"), AnsiString::npos) << E.Message();
    }
}

} // namespace

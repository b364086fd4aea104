// The skinned check list box on a real native list: the states and data kept per item (across
// new windows and sorting too), toggling by the user's clicks and Space, the caption's check
// button, the forwarded OnClickCheck, both looks, a 10,000-item list, and a screenshot
// checklist.bmp on the program's skin and without one.
#include "skin/boxctrls/SkinBoxCtrls_CheckListBoxes.h"

#include "classlib/Exceptions.h"
#include "classlib/Paths.h"

#include "tests/skin/boxctrls/EditDemos.h"
#include "tests/skin/boxctrls/ListSkinFixture.h"

namespace {

constexpr TColor kItem = kListItem;
constexpr TColor kChecked = kListChecked;
constexpr TColor kUnchecked = kListUnchecked;

class CheckList : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Form->SetBounds(40, 40, 600, 420);
        int pic = 0;
        Record = AddCheckListRecord(Skin, "checklistbox", pic);
    }
    TskSkinCheckListBox* Filled(int Count, int Left = 10, int Height = 150) {
        auto* list = Add<TskSkinCheckListBox>(Form, Left, 10, 160, Height);
        AddNumberedItems(list->GetItems(), Count);
        Pump();
        return list;
    }
    // A person's click at (X, Y) of the inner list.
    static void Click(TskSkinCheckListBox* List, int X, int Y) {
        ClickAt(List->GetListBox(), X, Y);
        Pump();
    }
    TNotifyEvent Counter(int& Count) {
        return TNotifyEvent::FromCallable([&Count](TObject*) { ++Count; });
    }

    TFixtureSkin Skin;
    TskDataSkinCheckListBox* Record = nullptr;
};

TEST_F(CheckList, ItemsKeepStateAndDataInWrappersMadeOnlyWhenNeeded) {
    auto* list = Filled(3);
    TskCheckListBox* inner = list->GetCheckListBox();
    // A new item reads unchecked with nil data, and has no wrapper.
    EXPECT_EQ(list->GetState(1), cbUnchecked);
    EXPECT_FALSE(list->GetChecked(1));
    EXPECT_EQ(list->GetItems()->GetObject(1), nullptr);
    EXPECT_EQ(inner->GetWrapperCount(), 0u);

    list->SetChecked(0, true);
    list->SetState(2, cbGrayed);
    list->GetItems()->PutObject(1, Form);
    EXPECT_EQ(inner->GetWrapperCount(), 3u);
    EXPECT_TRUE(list->GetChecked(0));
    EXPECT_FALSE(list->GetChecked(2)); // grayed is not checked
    EXPECT_EQ(list->GetItems()->GetObject(1), Form);
    EXPECT_EQ(list->GetState(1), cbUnchecked);

    try {
        list->GetState(5);
        FAIL() << "no error for an index past the items";
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (5)");
    }
    EXPECT_THROW(list->SetChecked(-1, true), EListError);

    list->GetItems()->Delete(0);
    EXPECT_EQ(inner->GetWrapperCount(), 2u);
    EXPECT_EQ(list->GetState(1), cbGrayed);
    list->Clear();
    EXPECT_EQ(inner->GetWrapperCount(), 0u);
}

TEST_F(CheckList, StatesAndDataSurviveANewWindowAndSorting) {
    auto* list = Add<TskSkinCheckListBox>(Form, 10, 10, 160, 150);
    TStrings* items = list->GetItems();
    for (const char* text : {"delta", "alpha", "charlie", "bravo"}) items->Add(text);
    Pump();
    list->SetState(0, cbChecked);   // delta
    list->SetState(2, cbGrayed);    // charlie
    items->PutObject(3, Form);      // bravo
    TskCheckListBox* inner = list->GetCheckListBox();
    HWND first = inner->GetHandle();
    inner->RecreateWnd();
    inner->HandleNeeded();
    EXPECT_NE(inner->GetHandle(), first);
    EXPECT_EQ(list->GetState(0), cbChecked);
    EXPECT_EQ(list->GetState(2), cbGrayed);
    EXPECT_EQ(items->GetObject(3), Form);

    // Sorting makes the window anew: each state stays with its item.
    list->SetSorted(true);
    ASSERT_EQ(items->Get(0), "alpha");
    const auto state = [&](const char* Text) { return list->GetState(items->IndexOf(Text)); };
    EXPECT_EQ(state("alpha"), cbUnchecked);
    EXPECT_EQ(state("bravo"), cbUnchecked);
    EXPECT_EQ(state("charlie"), cbGrayed);
    EXPECT_EQ(state("delta"), cbChecked);
    EXPECT_EQ(items->GetObject(items->IndexOf("bravo")), Form);
}

TEST_F(CheckList, APlainItemTogglesByAClickInItsBoxOrBySpaceAndTheContainerHears) {
    auto* list = Filled(5);
    int containerChecks = 0;
    list->OnClickCheck = Counter(containerChecks);
    const int h = list->GetListBox()->GetItemHeight();
    Click(list, 10, h + h / 2); // the box of item 1
    EXPECT_EQ(list->GetState(1), cbChecked);
    EXPECT_EQ(list->GetItemIndex(), 1);
    EXPECT_EQ(containerChecks, 1);
    Click(list, 19, h + h / 2);
    EXPECT_EQ(list->GetState(1), cbUnchecked);
    Click(list, 20, 2 * h + h / 2); // past the box: selects only
    EXPECT_EQ(list->GetItemIndex(), 2);
    EXPECT_EQ(list->GetState(2), cbUnchecked);
    EXPECT_EQ(containerChecks, 2);

    ASSERT_TRUE(TakeFocus(list->GetListBox()));
    ASSERT_TRUE(KeyOnKeyboard(VK_SPACE, [&] { return list->GetChecked(2); }));
    EXPECT_EQ(containerChecks, 3);
    // Space leaves a grayed item grayed and still tells.
    list->SetState(2, cbGrayed);
    ASSERT_TRUE(KeyOnKeyboard(VK_SPACE, [&] { return containerChecks == 4; }));
    EXPECT_EQ(list->GetState(2), cbGrayed);

    // The right button opens menus: it changes no check.
    const TPoint at = list->GetListBox()->ClientToScreen(TPoint(10, h / 2));
    ClickAt(at, true);
    EXPECT_EQ(list->GetState(0), cbUnchecked);
}

TEST_F(CheckList, ASkinnedItemTogglesInTheSkinsCheckRectangle) {
    auto* list = Filled(4);
    list->SetSkinData(Skin.Data.get());
    Pump();
    ASSERT_EQ(list->GetListBox()->GetItemHeight(), 16);
    Click(list, 10, 16 + 8);
    EXPECT_EQ(list->GetState(1), cbChecked);
    Click(list, 19, 16 + 8); // right of the check rectangle
    EXPECT_EQ(list->GetState(1), cbChecked);
    EXPECT_EQ(list->GetItemIndex(), 1);

    // A box placed after the text keeps to the right end of a wider item.
    Record->ItemCheckRect = TRect(62, 0, 78, 16);
    Record->ItemTextRect = TRect(2, 0, 60, 16);
    list->ChangeSkinData();
    const int w = list->GetListBox()->GetWidth();
    EXPECT_EQ(list->ItemCheckBox(w, 16), TRect(w - 18, 0, w - 2, 16));
    Click(list, w - 10, 2 * 16 + 8);
    EXPECT_EQ(list->GetState(2), cbChecked);
    Click(list, 10, 2 * 16 + 8);
    EXPECT_EQ(list->GetState(2), cbChecked);
}

TEST_F(CheckList, TheCaptionsCheckButtonChecksTheChosenItemEvenAGrayedOne) {
    auto* list = Filled(4);
    list->SetCaptionMode(true);
    int checks = 0;
    list->OnClickCheck = Counter(checks);
    list->SetItemIndex(2);
    list->SetState(2, cbGrayed);
    Pump();
    const TRect check = list->GetButtonRect(2);
    ASSERT_FALSE(IsNullRect(check));
    ASSERT_TRUE(ClickOnScreen(list, check.Left + 4, check.Top + 4, [&] { return checks == 1; }));
    EXPECT_EQ(list->GetState(2), cbChecked);
    ASSERT_TRUE(ClickOnScreen(list, check.Left + 4, check.Top + 4, [&] { return checks == 2; }));
    EXPECT_EQ(list->GetState(2), cbUnchecked);
    // The check button never repeats.
    MouseDown(list, check.Left + 4, check.Top + 4);
    SendMessageA(list->GetHandle(), WM_TIMER, 1, 0);
    SendMessageA(list->GetHandle(), WM_TIMER, 1, 0);
    MouseUp(list, check.Left + 4, check.Top + 4);
    EXPECT_EQ(checks, 3);
    EXPECT_EQ(list->GetItemIndex(), 2);
}

TEST_F(CheckList, TheHeightCountsTheCaptionAndAsManyRowsNeedNoBar) {
    auto* list = Filled(6);
    EXPECT_EQ(list->CalcHeight(6), 6 * 20 + 4);
    list->SetCaptionMode(true);
    // Without the caption's room the last row would hide with no bar to reach it.
    EXPECT_EQ(list->CalcHeight(6), 6 * 20 + 4 + 20);
    list->SetRowCount(6);
    Pump();
    EXPECT_EQ(list->GetHeight(), 6 * 20 + 4 + 20);
    EXPECT_EQ(list->GetVScrollBar(), nullptr);
    const TRect last = list->GetListBox()->ItemRect(5);
    EXPECT_LE(last.Bottom, list->GetListBox()->GetHeight());
}

TEST_F(CheckList, BothLooksShowEachStateAndMissingPicturesFallBackToThePlainLook) {
    auto* plain = Filled(3);
    plain->SetState(0, cbChecked);
    plain->SetState(2, cbGrayed);
    auto image = PaintToBitmap(plain->GetListBox());
    // Box (3, 4)-(16, 17) of a 20-pixel row: a frame, and inside a mark or nothing; a grayed
    // item's box is the unchecked one.
    EXPECT_EQ(PixelOf(image.get(), 3, 10), ColorToRGB(clBtnShadow));
    const auto inks = [&](int Top, COLORREF Ink) {
        int count = 0;
        for (int y = Top + 5; y < Top + 16; ++y)
            for (int x = 4; x < 15; ++x) count += PixelOf(image.get(), x, y) == Ink;
        return count;
    };
    EXPECT_GT(inks(0, ColorToRGB(clWindowText)), 10);
    EXPECT_EQ(inks(20, ColorToRGB(clWindowText)), 0);
    const auto sameBoxes = [&](int TopA, int TopB) {
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                if (PixelOf(image.get(), x, TopA + y) != PixelOf(image.get(), x, TopB + y)) return false;
        return true;
    };
    EXPECT_TRUE(sameBoxes(20, 40)) << "grayed as unchecked";
    EXPECT_FALSE(sameBoxes(0, 40));

    auto* skinned = Filled(3, 200);
    skinned->SetSkinData(Skin.Data.get());
    skinned->SetState(0, cbChecked);
    skinned->SetState(2, cbGrayed);
    Pump();
    image = PaintToBitmap(skinned->GetListBox());
    // The 10 x 10 pictures are centred in the check rectangle (2..18 of 16 rows); their
    // white margin leaves the item's own picture.
    EXPECT_EQ(PixelOf(image.get(), 10, 8), ColorToRGB(kChecked));
    EXPECT_EQ(PixelOf(image.get(), 10, 16 + 8), ColorToRGB(kUnchecked));
    EXPECT_EQ(PixelOf(image.get(), 4, 8), ColorToRGB(kItem));
    // A grayed item shows the unchecked picture, and nothing over it.
    for (int y = 2; y < 14; ++y)
        for (int x = 2; x < 18; ++x)
            EXPECT_EQ(PixelOf(image.get(), x, 32 + y), PixelOf(image.get(), x, 16 + y)) << x << "," << y;

    // A record without its check pictures draws plain items, which still toggle.
    Record->CheckImageRect = TRect();
    auto* fallback = Filled(3, 380);
    fallback->SetSkinData(Skin.Data.get());
    Pump();
    EXPECT_EQ(fallback->GetListBox()->GetItemHeight(), 20);
    Click(fallback, 8, 10);
    EXPECT_EQ(fallback->GetState(0), cbChecked);
}

TEST_F(CheckList, TenThousandItemsFillScrollToTheEndAndComeBackInANewWindow) {
    auto* list = Filled(10000);
    for (int i = 0; i < 10000; i += 3) list->SetState(i, i % 2 ? cbGrayed : cbChecked);
    TskSkinScrollBar* bar = list->GetVScrollBar();
    ASSERT_NE(bar, nullptr);
    bar->SetPosition(bar->GetMax());
    Pump();
    EXPECT_GT(list->GetTopIndex(), 9990);
    list->SetItemIndex(9998);
    ASSERT_TRUE(TakeFocus(list->GetListBox()));
    ASSERT_TRUE(KeyOnKeyboard(VK_SPACE, [&] { return list->GetChecked(9998); }));
    list->GetCheckListBox()->RecreateWnd();
    list->GetCheckListBox()->HandleNeeded();
    EXPECT_EQ(list->GetItems()->GetCount(), 10000);
    EXPECT_EQ(list->GetState(9998), cbChecked);
    EXPECT_EQ(list->GetState(9999), cbGrayed);
    EXPECT_EQ(list->GetState(9), cbGrayed);
    EXPECT_EQ(list->GetState(6), cbChecked);
    EXPECT_EQ(list->GetState(7), cbUnchecked);
    list->Clear();
    EXPECT_EQ(list->GetCheckListBox()->GetWrapperCount(), 0u);
}

TEST_F(CheckList, Screenshot) {
    Form->SetBounds(40, 40, 420, 240);
    TskSkinData program(nullptr);
    program.LoadFromFile(VANTOREL_SKIN_INI);
    ASSERT_FALSE(program.Empty);
    ASSERT_NE(program.GetControlIndex("checklistbox"), -1);
    for (int column = 0; column < 2; ++column)
        PlaceCheckList(Form, TPoint(10 + column * 200, 10), column == 0 ? &program : nullptr);
    Pump();
    CaptureWindow(Form->GetHandle())->SaveToFile(ExeDir() + "checklist.bmp");
}

} // namespace

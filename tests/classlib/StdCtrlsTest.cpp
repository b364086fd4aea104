#include "classlib/StdCtrls.h"

#include "classlib/Bitmaps.h"
#include "classlib/Exceptions.h"
#include "classlib/FormLoader.h"
#include "classlib/Forms.h"

#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class StdCtrlsTest : public ShownFormTest {
protected:
    static void Click(TWinControl* Control, int X, int Y) {
        // The system's controls drop a press when they lose the focus before the release.
        TakeFocus(Control);
        PostClick(Control, X, Y);
    }
    void Type(TWinControl* Control, const std::string& Text) {
        for (char c : Text)
            PostMessageA(Control->GetHandle(), WM_CHAR, static_cast<unsigned char>(c), 1);
        Pump();
    }
    TNotifyEvent Logger(const std::string& Entry) {
        return TNotifyEvent::FromCallable([this, Entry](TObject*) { Log.push_back(Entry); });
    }
    std::unique_ptr<TBitmap> Snapshot() { return PaintToBitmap(Form); }
    // Pixels of Rect in Bitmap that differ from Background.
    static int CountOther(TBitmap* Bitmap, const TRect& Rect, TColor Background) {
        int count = 0;
        for (int y = Rect.Top; y < Rect.Bottom; ++y)
            for (int x = Rect.Left; x < Rect.Right; ++x)
                if (PixelOf(Bitmap, x, y) != ColorToRGB(Background)) ++count;
        return count;
    }

    std::vector<std::string> Log;
};

// ---------------------------------------------------------------------------
// Buttons

TEST_F(StdCtrlsTest, AClickOnAButtonFiresOnClickOnce) {
    auto* button = Add<TButton>(Form, 10, 10, 80, 25);
    button->SetCaption("&Add");
    button->OnClick = Logger("click");
    Click(button, 5, 5);
    EXPECT_EQ(Log, std::vector<std::string>{"click"});
    // A press outside the button before the release is no click.
    HWND wnd = button->GetHandle();
    PostMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(200, 200));
    Pump();
    EXPECT_EQ(Log.size(), 1u);
}

TEST_F(StdCtrlsTest, AMaskEditKeepsItsMaskThroughStreamingAndTakesTyping) {
    TForm form(nullptr);
    ReadComponentText("object Masked: TForm\n"
                      "  object ME_Time: TMaskEdit\n"
                      "    EditMask = '!90:00;1;_'\n"
                      "    Text = '12'\n"
                      "  end\n"
                      "end",
                      &form);
    auto* edit = dynamic_cast<TMaskEdit*>(form.FindComponent("ME_Time"));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->GetEditMask(), "!90:00;1;_");
    EXPECT_NE(WriteComponentText(&form).find("EditMask = '!90:00;1;_'"), AnsiString::npos);

    auto* typed = Add<TMaskEdit>(Form, 10, 10, 100, 21);
    ASSERT_TRUE(TakeFocus(typed));
    Type(typed, "7a");
    EXPECT_EQ(typed->GetText(), "7a");
}

TEST_F(StdCtrlsTest, AButtonsModalResultReachesItsForm) {
    auto* button = Add<TButton>(Form, 10, 10, 80, 25);
    button->SetModalResult(mrOk);
    HWND wnd = button->GetHandle();
    SendMessageA(Form->GetHandle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(wnd), BN_CLICKED),
                 reinterpret_cast<LPARAM>(wnd));
    EXPECT_EQ(Form->GetModalResult(), mrOk);
}

TEST_F(StdCtrlsTest, ReturnAndEscapeReachTheDefaultAndCancelButtonsUnlessAButtonHasTheFocus) {
    auto* edit = Add<TEdit>(Form, 10, 10, 100, 21);
    auto* ok = Add<TButton>(Form, 10, 40, 80, 25);
    auto* cancel = Add<TButton>(Form, 100, 40, 80, 25);
    ok->SetDefault(true);
    cancel->SetCancel(true);
    ok->OnClick = Logger("ok");
    cancel->OnClick = Logger("cancel");
    ASSERT_TRUE(TakeFocus(edit));
    PostKey(edit, VK_RETURN);
    ASSERT_TRUE(TakeFocus(edit));
    PostKey(edit, VK_ESCAPE);
    EXPECT_EQ(Log, (std::vector<std::string>{"ok", "cancel"}));
    // Return clicks the focused button instead of the default one.
    ASSERT_TRUE(TakeFocus(cancel));
    PostKey(cancel, VK_RETURN);
    EXPECT_EQ(Log, (std::vector<std::string>{"ok", "cancel", "cancel"}));
}

TEST_F(StdCtrlsTest, AnAcceleratorClicksItsButton) {
    auto* edit = Add<TEdit>(Form, 10, 10, 100, 21);
    auto* button = Add<TButton>(Form, 10, 40, 80, 25);
    button->SetCaption("&Go");
    button->OnClick = Logger("go");
    ASSERT_TRUE(TakeFocus(edit));
    PostMessageA(edit->GetHandle(), WM_SYSCHAR, 'g', 0x20000001);
    Pump();
    EXPECT_EQ(Log, std::vector<std::string>{"go"});
    EXPECT_EQ(edit->GetText(), "");
}

TEST_F(StdCtrlsTest, CheckBoxClicksStepThroughItsStates) {
    auto* box = Add<TCheckBox>(Form, 10, 10, 100, 17);
    box->OnClick = Logger("click");
    Click(box, 5, 5);
    EXPECT_TRUE(box->GetChecked());
    EXPECT_EQ(SendMessageA(box->GetHandle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    box->SetAllowGrayed(true);
    Click(box, 5, 5);
    EXPECT_EQ(box->GetState(), cbUnchecked);
    Click(box, 5, 5);
    EXPECT_EQ(box->GetState(), cbGrayed);
    box->SetChecked(true);
    EXPECT_EQ(Log.size(), 4u);
}

TEST_F(StdCtrlsTest, CheckingARadioButtonUnchecksItsSiblings) {
    auto* a = Add<TRadioButton>(Form, 10, 10, 100, 17);
    auto* b = Add<TRadioButton>(Form, 10, 30, 100, 17);
    auto* elsewhere = new TRadioButton(Form);
    auto* group = Add<TGroupBox>(Form, 150, 10, 150, 100);
    elsewhere->SetParent(group);
    a->SetChecked(true);
    elsewhere->SetChecked(true);
    Click(b, 5, 5);
    EXPECT_FALSE(a->GetChecked());
    EXPECT_TRUE(b->GetChecked());
    EXPECT_TRUE(elsewhere->GetChecked());
    EXPECT_EQ(SendMessageA(a->GetHandle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

// ---------------------------------------------------------------------------
// Edits and memos

TEST_F(StdCtrlsTest, EditsReportEveryChangeAndReplaceTheirSelection) {
    auto* edit = Add<TEdit>(Form, 10, 10, 100, 21);
    edit->OnChange = Logger("change");
    edit->SetText("abc");
    EXPECT_EQ(Log.size(), 1u);
    EXPECT_FALSE(edit->GetModified());
    ASSERT_TRUE(TakeFocus(edit));
    edit->SetSelStart(3);
    Type(edit, "de");
    EXPECT_EQ(edit->GetText(), "abcde");
    EXPECT_EQ(Log.size(), 3u);
    EXPECT_TRUE(edit->GetModified());
    edit->SetText("one two three");
    edit->SetSelStart(4);
    edit->SetSelLength(3);
    EXPECT_EQ(edit->GetSelText(), "two");
    edit->SetSelText("2");
    EXPECT_EQ(edit->GetText(), "one 2 three");
}

TEST_F(StdCtrlsTest, EditSettingsMadeBeforeTheWindowApplyToIt) {
    auto* edit = new TEdit(Form);
    edit->SetMaxLength(3);
    edit->SetText("hello");
    edit->SetParent(Form);
    ASSERT_TRUE(TakeFocus(edit));
    edit->SelectAll();
    Type(edit, "12345");
    EXPECT_EQ(edit->GetText(), "123");
}

TEST_F(StdCtrlsTest, MemoLinesFollowTheTextAndKeysFollowWantTabsAndWantReturns) {
    auto* memo = Add<TMemo>(Form, 10, 10, 200, 100);
    memo->GetLines()->Add("first");
    memo->GetLines()->Add("second");
    EXPECT_EQ(memo->GetText(), "first\r\nsecond");
    memo->GetLines()->Insert(1, "middle");
    memo->GetLines()->Delete(0);
    EXPECT_EQ(memo->GetText(), "middle\r\nsecond");
    memo->SetText("a\rb\nc");
    ASSERT_EQ(memo->GetLines()->GetCount(), 3);
    EXPECT_EQ(memo->GetLines()->Get(2), "c");
    EXPECT_THROW(memo->GetLines()->Get(3), EStringListError);
    // Tabs and returns follow WantTabs and WantReturns.
    auto code = [&] { return SendMessageA(memo->GetHandle(), WM_GETDLGCODE, 0, 0); };
    EXPECT_FALSE(code() & DLGC_WANTTAB);
    memo->SetWantTabs(true);
    EXPECT_TRUE(code() & DLGC_WANTTAB);
    memo->SetWantReturns(false);
    EXPECT_FALSE(code() & DLGC_WANTALLKEYS);
}

// ---------------------------------------------------------------------------
// Lists

TEST_F(StdCtrlsTest, ListBoxItemsAndIndexSurviveTheWindow) {
    auto* list = new TListBox(Form);
    TObject* marker = Form;
    list->GetItems()->Add("one");
    list->GetItems()->AddObject("two", marker);
    list->SetItemIndex(1);
    list->SetParent(Form);
    list->SetBounds(10, 10, 100, 80);
    HWND first = list->GetHandle();
    EXPECT_EQ(SendMessageA(first, LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(list->GetItemIndex(), 1);

    list->SetSorted(true); // a new window
    EXPECT_EQ(list->GetItems()->GetCount(), 2);
    EXPECT_EQ(list->GetItems()->GetObject(list->GetItems()->IndexOf("two")), marker);
    list->GetItems()->Add("a first");
    EXPECT_EQ(list->GetItems()->Get(0), "a first");
    EXPECT_THROW(list->GetItems()->Insert(0, "x"), EStringListError);
    list->SetItemIndex(7);
    EXPECT_EQ(list->GetItemIndex(), -1);
}

// A list that keeps a box of its own in every item's window data, as a check list does.
class TBoxingListBox : public TListBox {
public:
    using TListBox::TListBox;
    struct TBox : TObject {
        TObject* Data = nullptr;
    };
    std::vector<std::string> Log;

protected:
    TObject* GetItemData(int Index) override {
        auto* box = static_cast<TBox*>(TListBox::GetItemData(Index));
        return box ? box->Data : nullptr;
    }
    void SetItemData(int Index, TObject* AData) override {
        Log.push_back("set " + std::to_string(Index));
        auto* box = static_cast<TBox*>(TListBox::GetItemData(Index));
        if (!box) {
            Boxes.push_back(std::make_unique<TBox>());
            box = Boxes.back().get();
            TListBox::SetItemData(Index, box);
        }
        box->Data = AData;
    }
    void DeleteString(int Index) override {
        Log.push_back("delete " + std::to_string(Index));
        TListBox::DeleteString(Index);
    }
    void ResetContent() override {
        Log.push_back("reset");
        TListBox::ResetContent();
    }

private:
    std::vector<std::unique_ptr<TBox>> Boxes;
};

TEST_F(StdCtrlsTest, ItemObjectsGoThroughTheListsOwnItemData) {
    auto* list = Add<TBoxingListBox>(Form, 10, 10, 100, 80);
    TStrings* items = list->GetItems();
    items->Add("plain");
    EXPECT_TRUE(list->Log.empty()); // a new item's data is nil already
    items->AddObject("marked", Form);
    items->InsertObject(0, "first", list);
    EXPECT_EQ(list->Log, (std::vector<std::string>{"set 1", "set 0"}));
    EXPECT_EQ(items->GetObject(0), list);
    EXPECT_EQ(items->GetObject(1), nullptr);
    EXPECT_EQ(items->GetObject(2), Form);
    EXPECT_THROW(items->GetObject(3), EListError);

    // A new window takes every item's data through the list, in order.
    list->Log.clear();
    list->RecreateWnd();
    list->HandleNeeded();
    EXPECT_EQ(list->Log, (std::vector<std::string>{"set 0", "set 1", "set 2"}));
    EXPECT_EQ(items->GetObject(2), Form);

    list->Log.clear();
    items->Delete(1);
    items->Clear();
    EXPECT_EQ(list->Log, (std::vector<std::string>{"delete 1", "reset"}));
}

TEST_F(StdCtrlsTest, ChoosingAListItemWithTheMouseClicks) {
    auto* list = Add<TListBox>(Form, 10, 10, 100, 80);
    list->GetItems()->SetText("one\ntwo\nthree");
    list->OnClick = Logger("click");
    int height = list->GetItemHeight();
    Click(list, 10, height + height / 2);
    EXPECT_EQ(list->GetItemIndex(), 1);
    EXPECT_EQ(Log, std::vector<std::string>{"click"});
}

TEST_F(StdCtrlsTest, OwnerDrawnItemsAreDrawnByOnDrawItem) {
    auto* list = Add<TListBox>(Form, 10, 10, 100, 80);
    list->SetStyle(lbOwnerDrawFixed);
    list->SetItemHeight(20);
    list->GetItems()->SetText("one\ntwo");
    std::vector<std::pair<int, TRect>> drawn;
    list->OnDrawItem =
        TDrawItemEvent::FromCallable([&](TWinControl*, int Index, TRect Rect, TOwnerDrawState) {
            drawn.push_back({Index, Rect});
            list->GetCanvas()->FillRect(Rect);
        });
    UpdateWindow(list->GetHandle());
    ASSERT_GE(drawn.size(), 2u);
    EXPECT_EQ(drawn[1].first, 1);
    EXPECT_EQ(drawn[1].second.Top, 20);
    EXPECT_EQ(drawn[1].second.Height(), 20);
}

TEST_F(StdCtrlsTest, ComboBoxIndexChangesTheTextAndFiresOnChangeOnlyOnADifference) {
    auto* combo = new TComboBox(Form);
    combo->SetStyle(csDropDownList);
    combo->GetItems()->Add("Common Anode");
    combo->GetItems()->Add("Common Cathode");
    combo->SetText("sd");
    combo->SetParent(Form);
    combo->SetBounds(10, 10, 150, 21);
    combo->OnChange = Logger("change");
    combo->SetItemIndex(0);
    EXPECT_EQ(combo->GetText(), "Common Anode");
    combo->SetItemIndex(0);
    combo->SetItemIndex(5);
    EXPECT_EQ(combo->GetItemIndex(), -1);
    EXPECT_EQ(Log, std::vector<std::string>{"change"});

    combo->SetItemIndex(1);
    combo->SetStyle(csDropDown); // a new window
    EXPECT_EQ(combo->GetItems()->GetCount(), 2);
    EXPECT_EQ(combo->GetItemIndex(), 1);
    EXPECT_EQ(combo->GetText(), "Common Cathode");
}

TEST_F(StdCtrlsTest, ChoosingAComboItemFiresOnChange) {
    auto* combo = Add<TComboBox>(Form, 10, 10, 150, 21);
    combo->GetItems()->SetText("a\nb");
    combo->OnChange = Logger("change");
    SendMessageA(combo->GetHandle(), CB_SETCURSEL, 1, 0);
    SendMessageA(Form->GetHandle(), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(combo->GetHandle()), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo->GetHandle()));
    EXPECT_EQ(combo->GetItemIndex(), 1);
    EXPECT_EQ(combo->GetText(), "b");
    EXPECT_EQ(Log, std::vector<std::string>{"change"});
    // The open list reaches below the control.
    RECT dropped;
    SendMessageA(combo->GetHandle(), CB_GETDROPPEDCONTROLRECT, 0,
                 reinterpret_cast<LPARAM>(&dropped));
    EXPECT_GT(dropped.bottom - dropped.top, combo->GetHeight() * 3);
}

// ---------------------------------------------------------------------------
// Scroll bars

TEST_F(StdCtrlsTest, ScrollBarsMoveByTheirStepsWithinTheirRangeOrWhereOnScrollSays) {
    auto* bar = Add<TScrollBar>(Form, 10, 10, 200, 17);
    bar->SetParams(0, 0, 20);
    bar->SetSmallChange(2);
    bar->SetLargeChange(10);
    bar->OnChange = Logger("change");
    std::vector<TScrollCode> codes;
    bar->OnScroll = TScrollEvent::FromCallable(
        [&](TObject*, TScrollCode Code, int&) { codes.push_back(Code); });
    auto scroll = [&](int Code) {
        SendMessageA(Form->GetHandle(), WM_HSCROLL, MAKEWPARAM(Code, 0),
                     reinterpret_cast<LPARAM>(bar->GetHandle()));
    };
    scroll(SB_LINEDOWN);
    EXPECT_EQ(bar->GetPosition(), 2);
    scroll(SB_PAGEDOWN);
    scroll(SB_PAGEDOWN);
    EXPECT_EQ(bar->GetPosition(), 20);
    scroll(SB_ENDSCROLL);
    EXPECT_EQ(GetScrollPos(bar->GetHandle(), SB_CTL), 20);
    EXPECT_EQ(Log.size(), 3u);
    EXPECT_EQ(codes, (std::vector<TScrollCode>{scLineDown, scPageDown, scPageDown, scEndScroll}));
    // OnScroll may change where the bar goes.
    bar->SetParams(0, 0, 100);
    bar->OnScroll = TScrollEvent::FromCallable([](TObject*, TScrollCode, int& Pos) { Pos = 42; });
    SendMessageA(Form->GetHandle(), WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 0),
                 reinterpret_cast<LPARAM>(bar->GetHandle()));
    EXPECT_EQ(bar->GetPosition(), 42);
    EXPECT_THROW(bar->SetParams(0, 10, 5), EInvalidOperation);
}

// A form gives Max first: a range below zero crosses the bar's own until Min is read.
TEST_F(StdCtrlsTest, AScrollBarWhoseRangeLiesBelowZeroReadsAsItWasWritten) {
    TForm form(nullptr);
    ReadComponentText("object Below: TForm\n"
                      "  object SB_Below: TScrollBar\n"
                      "    Max = -5\n"
                      "    Min = -10\n"
                      "    Position = -7\n"
                      "  end\n"
                      "end\n",
                      &form);
    auto* bar = dynamic_cast<TScrollBar*>(form.FindComponent("SB_Below"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->GetMin(), -10);
    EXPECT_EQ(bar->GetMax(), -5);
    EXPECT_EQ(bar->GetPosition(), -7);
}

// ---------------------------------------------------------------------------
// Labels and group boxes

TEST_F(StdCtrlsTest, LabelsSizeThemselvesToTheirText) {
    auto* label = Add<TLabel>(Form, 10, 10, 10, 10);
    label->SetCaption("A short text");
    int oneLine = label->GetHeight();
    int width = label->GetWidth();
    EXPECT_GT(width, 30);
    label->SetCaption("A short text\rand a second line");
    EXPECT_GE(label->GetHeight(), 2 * oneLine);
    label->SetCaption("Wider text than before, much wider");
    EXPECT_GT(label->GetWidth(), width);
}

TEST_F(StdCtrlsTest, LabelTextIsPaintedInsideTheLabel) {
    auto* label = Add<TLabel>(Form, 20, 30, 10, 10);
    label->SetCaption("Visible");
    label->SetColor(clWhite);
    auto snapshot = Snapshot();
    TRect bounds = label->GetBoundsRect();
    EXPECT_GT(CountOther(snapshot.get(), bounds, clWhite), 10);
    // The background is the label's colour, the text black.
    EXPECT_EQ(PixelOf(snapshot.get(), bounds.Left, bounds.Top), ColorToRGB(clWhite));
    EXPECT_EQ(CountOther(snapshot.get(), TRect(0, 0, 15, 15), clBtnFace), 0);
}

TEST_F(StdCtrlsTest, ALabelsAcceleratorFocusesItsControl) {
    auto* label = Add<TLabel>(Form, 10, 10, 50, 15);
    auto* first = Add<TEdit>(Form, 10, 40, 100, 21);
    auto* target = Add<TEdit>(Form, 10, 70, 100, 21);
    label->SetCaption("&Name");
    label->SetFocusControl(target);
    ASSERT_TRUE(TakeFocus(first));
    PostMessageA(first->GetHandle(), WM_SYSCHAR, 'n', 0x20000001);
    Pump();
    EXPECT_TRUE(target->Focused() || Form->GetActiveControl() == target);
    delete target;
    EXPECT_EQ(label->GetFocusControl(), nullptr);
}

TEST_F(StdCtrlsTest, GroupBoxesKeepTheirChildrenBelowTheCaption) {
    auto* group = Add<TGroupBox>(Form, 10, 10, 200, 120);
    group->SetCaption("Type");
    auto* panel = new TButton(Form);
    panel->SetParent(group);
    panel->SetAlign(alClient);
    EXPECT_GT(panel->GetTop(), 5);
    EXPECT_LT(panel->GetHeight(), 120 - 5);
}

} // namespace

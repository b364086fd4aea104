// The skinned combo box on real windows: the events of choices, closing and cancelling,
// keys and the wheel, where the list opens, a list that never takes the activation or the
// focus, the edit style, and screenshots of the closed and the open combo box.
#include "skin/boxctrls/SkinBoxCtrls_ComboBoxes.h"

#include "skin/data/Skutils.h"

#include "classlib/Buttons.h"
#include "classlib/Edits.h"
#include "classlib/Paths.h"

#include "tests/skin/controls/SkinFixture.h"

#include <string>
#include <vector>

namespace {

class TLoggedCombo : public TskSkinComboBox {
public:
    explicit TLoggedCombo(TComponent* AOwner) : TskSkinComboBox(AOwner) {
        OnChange = TNotifyEvent::FromCallable([this](TObject*) { Log.push_back("change"); });
        OnClick = TNotifyEvent::FromCallable([this](TObject*) { Log.push_back("click"); });
        OnCloseUp = TNotifyEvent::FromCallable([this](TObject*) { Log.push_back("closeup"); });
    }
    std::vector<std::string> Log;

protected:
    void Change() override { Log.push_back("Change"); }
};

using Events = std::vector<std::string>;

class ComboBox : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Combo = Add<TLoggedCombo>(Form, 20, 20, 150, 20);
        Fill(20);
        Pump();
    }
    void TearDown() override {
        Combo->CloseUp(false);
        ShownFormTest::TearDown();
    }
    void Fill(int Count) {
        Combo->GetItems()->Clear();
        for (int i = 0; i < Count; ++i) Combo->GetItems()->Add("Item " + IntToStr(i));
    }
    void Key(TWinControl* C, Word K) { PostKey(C, K); }
    void AltKey(Word K) {
        PostMessageA(Combo->GetHandle(), WM_SYSKEYDOWN, K, 0x20000001);
        PostMessageA(Combo->GetHandle(), WM_SYSKEYUP, K, static_cast<LPARAM>(0xE0000001u));
        Pump();
    }
    void Wheel(HWND Wnd, int Delta) {
        SendMessageA(Wnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(Delta)), 0);
    }
    TskListBox* Inner() { return Combo->GetListBox()->GetListBox(); }
    // The pointer over row Row of the open list.
    void HoverRow(int Row) {
        TRect r = Combo->GetListBox()->ItemRect(Row);
        PutPointer(Inner(), r.Left + 5, r.Top + 3);
        SendMessageA(Inner()->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(r.Left + 5, r.Top + 3));
    }
    TRect ScreenRect(TWinControl* C) {
        RECT r;
        GetWindowRect(C->GetHandle(), &r);
        return TRect(r.left, r.top, r.right, r.bottom);
    }

    TLoggedCombo* Combo = nullptr;
};

TEST(ComboBoxPublished, BothDrawingEventsArePublished) {
    const TPublishedClass& combo = GetPublished(TskSkinComboBox::StaticClass());
    EXPECT_NE(combo.FindProperty("OnComboBoxDrawItem"), nullptr);
    EXPECT_NE(combo.FindProperty("OnListBoxDrawItem"), nullptr);
}

TEST_F(ComboBox, ChoicesFireChangeClickChangeCloseUpAndEscapeRestores) {
    ASSERT_TRUE(TakeFocus(Combo));
    // ItemIndex clicks every time, the text changes only once.
    Combo->SetItemIndex(2);
    Combo->SetItemIndex(2);
    EXPECT_EQ(Combo->Log, (Events{"change", "click", "Change", "click", "Change"}));
    Combo->Log.clear();
    AltKey(VK_DOWN);
    ASSERT_TRUE(Combo->IsPopupVisible());
    HoverRow(5);
    EXPECT_EQ(Combo->GetItemIndex(), 5);
    EXPECT_TRUE(Combo->Log.empty());
    Key(Combo, VK_ESCAPE);
    EXPECT_FALSE(Combo->IsPopupVisible());
    EXPECT_EQ(Combo->GetItemIndex(), 2);
    EXPECT_EQ(Combo->GetText(), "Item 2");
    EXPECT_TRUE(Combo->Log.empty());

    Combo->DropDown();
    HoverRow(4);
    Key(Combo, VK_RETURN);
    EXPECT_FALSE(Combo->IsPopupVisible());
    EXPECT_EQ(Combo->GetText(), "Item 4");
    EXPECT_EQ(Combo->Log, (Events{"change", "click", "Change", "closeup"}));

    // A release over a row accepts it; Alt+Up cancels.
    Combo->Log.clear();
    Combo->DropDown();
    HoverRow(7);
    SendMessageA(Inner()->GetHandle(), WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(Combo->GetItemIndex(), 7);
    EXPECT_EQ(Combo->Log, (Events{"change", "click", "Change", "closeup"}));
    AltKey(VK_DOWN);
    HoverRow(1);
    AltKey(VK_UP);
    EXPECT_FALSE(Combo->IsPopupVisible());
    EXPECT_EQ(Combo->GetItemIndex(), 7);
    // A press on another control cancels.
    auto* other = Add<TEdit>(Form, 200, 20, 100, 20);
    Combo->DropDown();
    HoverRow(6);
    MouseDown(other, 10, 10);
    MouseUp(other, 10, 10);
    EXPECT_FALSE(Combo->IsPopupVisible());
    EXPECT_EQ(Combo->GetItemIndex(), 7);
}

TEST_F(ComboBox, EmptyListOpensForNoRowsAndEnterStillClosesUp) {
    // Enter closes the open list before a default button sees it.
    auto* button = Add<TButton>(Form, 200, 60, 80, 25);
    button->SetDefault(true);
    int pressed = 0;
    button->OnClick = TNotifyEvent::FromCallable([&](TObject*) { ++pressed; });
    Fill(0);
    ASSERT_TRUE(TakeFocus(Combo));
    Combo->DropDown();
    EXPECT_EQ(Combo->GetListBox()->GetHeight(), Combo->GetListBox()->CalcHeight(0));
    Key(Combo, VK_RETURN);
    EXPECT_FALSE(Combo->IsPopupVisible());
    EXPECT_EQ(Combo->GetItemIndex(), -1);
    EXPECT_EQ(Combo->Log, (Events{"closeup"}));
    EXPECT_EQ(pressed, 0);
    Key(Combo, VK_RETURN);
    EXPECT_EQ(pressed, 1);
}

TEST_F(ComboBox, KeysAndWheelMoveTheChoice) {
    ASSERT_TRUE(TakeFocus(Combo));
    Combo->SetItemIndex(10);
    Key(Combo, VK_PRIOR);
    EXPECT_EQ(Combo->GetItemIndex(), 1);
    Combo->SetItemIndex(10);
    Key(Combo, VK_NEXT);
    EXPECT_EQ(Combo->GetItemIndex(), 17);
    Key(Combo, VK_NEXT);
    EXPECT_EQ(Combo->GetItemIndex(), 19);
    Key(Combo, VK_UP);
    Key(Combo, VK_LEFT);
    EXPECT_EQ(Combo->GetItemIndex(), 17);
    Key(Combo, VK_RIGHT);
    EXPECT_EQ(Combo->GetText(), "Item 18");

    // Closed, the wheel chooses; open, it only moves the highlight.
    Combo->SetItemIndex(0);
    Combo->Log.clear();
    Wheel(Combo->GetHandle(), -120);
    EXPECT_EQ(Combo->GetText(), "Item 1");
    EXPECT_EQ(Combo->Log, (Events{"change", "click", "Change"}));
    Combo->Log.clear();
    Combo->DropDown();
    Wheel(Combo->GetHandle(), -120);
    Wheel(Combo->GetHandle(), -120);
    Wheel(Combo->GetHandle(), 120);
    EXPECT_EQ(Combo->GetItemIndex(), 2);
    EXPECT_EQ(Combo->GetText(), "Item 1");
    EXPECT_TRUE(Combo->Log.empty());
}

TEST_F(ComboBox, ListSizedForItsRowsOpensBelowOrAboveAtTheWorkAreaBottom) {
    Combo->SetItemIndex(0);
    Combo->DropDown();
    TskPopupListBox* list = Combo->GetListBox();
    TRect combo = ScreenRect(Combo);
    TRect below = ScreenRect(list);
    EXPECT_EQ(list->GetHeight(), list->CalcHeight(8));
    EXPECT_EQ(below.Width(), combo.Width());
    EXPECT_EQ(below.Left, combo.Left);
    EXPECT_EQ(below.Top, combo.Bottom);
    Combo->CloseUp(false);

    Fill(3);
    RECT workArea;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    Form->SetBounds(Form->GetLeft(), workArea.bottom - 120, Form->GetWidth(), Form->GetHeight());
    Combo->SetTop(60);
    Pump();
    Combo->DropDown();
    combo = ScreenRect(Combo);
    TRect above = ScreenRect(list);
    EXPECT_EQ(list->GetHeight(), list->CalcHeight(3));
    EXPECT_EQ(above.Bottom, combo.Top);
    EXPECT_EQ(above.Left, combo.Left);
}

TEST_F(ComboBox, OpenListNeverTakesTheActivationOrTheFocus) {
    ASSERT_TRUE(TakeFocus(Combo));
    Combo->SetItemIndex(1);
    Combo->DropDown();
    TskPopupListBox* list = Combo->GetListBox();
    HWND wnd = list->GetHandle();
    EXPECT_EQ(GetWindowLongPtrA(wnd, GWL_STYLE) & (WS_POPUP | WS_CHILD | WS_CLIPCHILDREN),
              WS_POPUP | WS_CLIPCHILDREN);
    EXPECT_NE(GetWindowLongPtrA(wnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
    EXPECT_NE(GetClassLongA(wnd, GCL_STYLE) & CS_SAVEBITS, 0u);
    EXPECT_EQ(SendMessageA(wnd, WM_MOUSEACTIVATE, 0, 0), MA_NOACTIVATE);
    EXPECT_EQ(SendMessageA(Inner()->GetHandle(), WM_MOUSEACTIVATE, 0, 0), MA_NOACTIVATE);
    // A real click on the list's bar scrolls it and keeps it open.
    TskSkinScrollBar* bar = list->GetVScrollBar();
    ASSERT_NE(bar, nullptr);
    TPoint arrow = bar->ClientToScreen(TPoint(bar->GetWidth() / 2, bar->GetHeight() - 5));
    ClickAt(arrow);
    EXPECT_TRUE(Combo->IsPopupVisible());
    EXPECT_EQ(list->GetTopIndex(), 2);
    EXPECT_EQ(GetActiveWindow(), Form->GetHandle());
    EXPECT_EQ(GetFocus(), Combo->GetHandle());
    // A real click on the third row.
    TRect row = list->ItemRect(3);
    TPoint p = Inner()->ClientToScreen(TPoint(row.Left + 10, row.Top + 5));
    PointerDown(p);
    EXPECT_EQ(GetActiveWindow(), Form->GetHandle());
    EXPECT_EQ(GetFocus(), Combo->GetHandle());
    PointerUp(p);
    PointerTo(TPoint(0, 0));
    EXPECT_FALSE(Combo->IsPopupVisible());
    EXPECT_EQ(Combo->GetItemIndex(), 3);
    EXPECT_EQ(GetActiveWindow(), Form->GetHandle());
    EXPECT_EQ(GetFocus(), Combo->GetHandle());
    // Tab leaves for the next control, never into the open list.
    auto* next = Add<TEdit>(Form, 200, 20, 100, 20);
    Pump();
    Combo->DropDown();
    Key(Combo, VK_TAB);
    EXPECT_FALSE(Combo->IsPopupVisible());
    EXPECT_EQ(GetActiveWindow(), Form->GetHandle());
    EXPECT_EQ(GetFocus(), next->GetHandle());
}

TEST_F(ComboBox, ListIsLayeredOnlyWhenBlendingAndFadesToItsValue) {
    ASSERT_TRUE(CheckW2KWXP()); // the program runs as Windows 5.2
    HWND wnd = Combo->GetListBox()->GetHandle();
    auto shownAlpha = [&]() -> int {
        Combo->DropDown();
        BYTE alpha = 0;
        DWORD flags = 0;
        const bool layered = (GetWindowLongPtrA(wnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
        if (layered) GetLayeredWindowAttributes(wnd, nullptr, &alpha, &flags);
        Combo->CloseUp(false);
        return layered ? alpha : -1;
    };
    Combo->SetListBoxAlphaBlendAnimation(true);
    EXPECT_EQ(shownAlpha(), -1);
    Combo->SetListBoxAlphaBlend(true);
    Combo->SetListBoxAlphaBlendValue(201);
    EXPECT_EQ(shownAlpha(), 201);
    Combo->SetListBoxAlphaBlendAnimation(false);
    Combo->SetListBoxAlphaBlendValue(150);
    EXPECT_EQ(shownAlpha(), 150);
    Combo->SetListBoxAlphaBlend(false);
    EXPECT_EQ(shownAlpha(), -1);
}

TEST_F(ComboBox, EditStyleTypesMovesAndKeepsTypedTextOnEnter) {
    Combo->SetItemIndex(2);
    Combo->SetStyle(skcbEditStyle);
    TskCustomEdit* edit = Combo->GetEdit();
    ASSERT_NE(edit, nullptr);
    EXPECT_FALSE(Combo->GetTabStop());
    EXPECT_EQ(edit->GetText(), "Item 2");
    EXPECT_EQ(edit->GetBoundsRect(), Combo->GetItemRect());
    ASSERT_TRUE(TakeFocus(edit));
    Combo->Log.clear();
    edit->SetText("");
    for (char c : std::string("typed")) PostMessageA(edit->GetHandle(), WM_CHAR, c, 1);
    Pump();
    EXPECT_EQ(Combo->GetText(), "typed");
    EXPECT_EQ(Combo->Log.back(), "Change");
    Combo->Log.clear();
    Key(edit, VK_RETURN);
    EXPECT_EQ(edit->GetText(), "typed");
    EXPECT_TRUE(Combo->Log.empty());

    Key(edit, VK_DOWN);
    EXPECT_EQ(edit->GetText(), "Item 3");
    Combo->DropDown();
    EXPECT_EQ(GetFocus(), edit->GetHandle());
    HoverRow(9);
    Combo->Log.clear();
    Key(edit, VK_RETURN);
    EXPECT_EQ(edit->GetText(), "Item 9");
    EXPECT_EQ(Combo->Log, (Events{"change", "Change", "click", "Change", "closeup"}));

    Combo->SetStyle(skcbFixedStyle);
    EXPECT_EQ(Combo->GetEdit(), nullptr);
    EXPECT_TRUE(Combo->GetTabStop());
}

TEST_F(ComboBox, PlainFaceLightsItsButtonAndSkinnedFaceFollowsTheSkin) {
    Combo->SetName("CB_Named"); // the name never becomes the text
    EXPECT_EQ(Combo->GetText(), "");
    Combo->SetItemIndex(1);
    TRect button = Combo->GetButtonRect();
    EXPECT_EQ(button, TRect(150 - 19, 2, 150 - 2, 18));
    auto plain = PaintToBitmap(Combo);
    EXPECT_EQ(PixelOf(plain.get(), button.Left, button.Top), ColorToRGB(clBtnShadow));
    MouseMove(Combo, button.Left + 5, 8);
    auto hot = PaintToBitmap(Combo);
    EXPECT_EQ(PixelOf(hot.get(), button.Left, button.Top), ColorToRGB(clNavy));
    EXPECT_EQ(PixelOf(hot.get(), button.Left + 2, button.Top + 2), 0xD2BDB6u);
    MouseAway(Combo);

    TskSkinData skin(nullptr);
    skin.LoadFromFile(VANTOREL_SKIN_INI);
    ASSERT_FALSE(skin.Empty);
    auto* edit = Add<TskSkinComboBox>(Form, 20, 60, 150, 20);
    edit->SetStyle(skcbEditStyle);
    edit->SetSkinData(&skin);
    edit->SetText("Typed text");
    Combo->SetSkinData(&skin);
    Combo->SetWidth(150);
    Pump();
    // The skin's button keeps its place at the right edge; the list takes its own record.
    EXPECT_EQ(Combo->GetButtonRect(), TRect(131, 2, 148, 19));
    EXPECT_EQ(Combo->GetListBox()->GetSkinDataName(), "listbox");
    CaptureWindow(Form->GetHandle())->SaveToFile(ExeDir() + "combobox_closed.bmp");
    Combo->DropDown();
    HoverRow(3);
    Pump();
    // The open list lies over the form.
    CaptureWindow(Form->GetHandle())->SaveToFile(ExeDir() + "combobox_open.bmp");
    Combo->CloseUp(false);

    // A skin without the record gives the plain look, and the list none of the skin's.
    TFixtureSkin other;
    other.Add<TskDataSkinButtonControl>("button");
    Combo->SetSkinData(other.Data.get());
    EXPECT_EQ(Combo->GetButtonRect(), button);
    EXPECT_EQ(Combo->GetListBox()->GetSkinDataName(), "");
    // A record whose picture is missing paints, and opens, all the same.
    auto* broken = other.AddFramed<TskDataSkinComboBox>("combobox", 7, TRect(0, 0, 120, 21));
    broken->ItemRect = TRect(0, 0, 80, 16);
    broken->ActiveButtonRect = TRect(0, 0, 17, 17);
    Combo->SetSkinData(other.Data.get());
    MouseMove(Combo, Combo->GetButtonRect().Left + 3, 5);
    PaintToBitmap(Combo);
    Combo->DropDown();
    Pump();
    Combo->CloseUp(false);
    Combo->SetSkinData(nullptr);
}

} // namespace

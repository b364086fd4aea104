#include "classlib/Menus.h"

#include "classlib/ClassRegistry.h"
#include "classlib/ExtCtrls.h"
#include "classlib/FormLoader.h"
#include "classlib/Persistence.h"

#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A root that holds menus, as a form or data module does.
class TMenuHolder : public TComponent {
    DECLARE_CLASS(TMenuHolder, TComponent)
public:
    explicit TMenuHolder(TComponent* AOwner = nullptr) : TComponent(AOwner) {}

    std::vector<AnsiString> Log;
    void SaveClick(TObject* Sender) {
        Log.push_back("click " + static_cast<TComponent*>(Sender)->GetName());
    }
    static void Published(TPropertyList& P) { P.Method("SaveClick", &TMenuHolder::SaveClick); }
    void GetChildren(TGetChildProc Proc, TComponent*) override {
        for (int i = 0; i < GetComponentCount(); ++i)
            if (!GetComponent(i)->GetParentComponent()) Proc(GetComponent(i));
    }
};

TMenuItem* NewItem(TComponent* Owner, const AnsiString& Caption, TMenuItem* Parent = nullptr) {
    auto* item = new TMenuItem(Owner);
    item->SetCaption(Caption);
    if (Parent) Parent->Add(item);
    return item;
}

AnsiString MenuText(HMENU Menu, int Position) {
    char text[256] = {};
    GetMenuStringA(Menu, static_cast<UINT>(Position), text, sizeof(text), MF_BYPOSITION);
    return text;
}

UINT MenuState(HMENU Menu, int Position) {
    return GetMenuState(Menu, static_cast<UINT>(Position), MF_BYPOSITION);
}

class MenusTest : public testing::Test {
protected:
    void SetUp() override { RegisterClass(TMenuHolder::StaticClass()); }
    void TearDown() override { SetPopupTracker(nullptr); }

    TMenuHolder Root;
};

// ---------------------------------------------------------------------------
// Shortcuts

TEST(ShortCutTest, TextNamesModifiersInFixedOrder) {
    EXPECT_EQ(ShortCutToText(ShortCut('S', {ssCtrl})), "Ctrl+S");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_F5, {ssCtrl, ssShift})), "Shift+Ctrl+F5");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_BACK, {ssAlt})), "Alt+BkSp");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_DELETE, {})), "Del");
    EXPECT_EQ(ShortCutToText(scNone), "");
}

TEST(ShortCutTest, TextRoundTripsForEveryNamedKey) {
    for (Word key = 1; key <= 0xFF; ++key)
        for (TShortCut modifiers : {TShortCut(0), TShortCut(scShift | scCtrl), scAlt}) {
            TShortCut shortCut = static_cast<TShortCut>(key | modifiers);
            AnsiString text = ShortCutToText(shortCut);
            if (text.empty()) continue;
            EXPECT_EQ(TextToShortCut(text), shortCut) << text;
        }
}

TEST(ShortCutTest, ParsingIgnoresCaseAndModifierOrder) {
    EXPECT_EQ(TextToShortCut("ctrl+shift+a"), ShortCut('A', {ssShift, ssCtrl}));
    EXPECT_EQ(TextToShortCut("ALT+PGDN"), ShortCut(VK_NEXT, {ssAlt}));
}

TEST(ShortCutTest, UnknownTextIsNoShortCut) {
    EXPECT_EQ(TextToShortCut(""), scNone);
    EXPECT_EQ(TextToShortCut("Ctrl+"), scNone);
    EXPECT_EQ(TextToShortCut("Ctrl+Banana"), scNone);
}

TEST(ShortCutTest, KeyAndShiftComeBack) {
    Word key = 0;
    TShiftState shift;
    ShortCutToKey(ShortCut(VK_F2, {ssAlt, ssShift, ssLeft}), key, shift);
    EXPECT_EQ(key, VK_F2);
    EXPECT_TRUE(shift == (TShiftState{ssAlt, ssShift}));
}

TEST(ShortCutTest, StripHotkeyKeepsDoubledAmpersands) {
    EXPECT_EQ(StripHotkey("&File"), "File");
    EXPECT_EQ(StripHotkey("Save && &Exit"), "Save & Exit");
    EXPECT_EQ(StripHotkey("Tail&"), "Tail&");
}

// ---------------------------------------------------------------------------
// The item tree

TEST_F(MenusTest, ItemsKeepTheirOrderAndParents) {
    auto* menu = new TMainMenu(&Root);
    TMenuItem* file = NewItem(&Root, "&File", menu->GetItems());
    TMenuItem* open = NewItem(&Root, "&Open", file);
    TMenuItem* exit = NewItem(&Root, "E&xit", file);
    TMenuItem* save = new TMenuItem(&Root);
    save->SetCaption("&Save");
    file->Insert(1, save);

    ASSERT_EQ(file->GetCount(), 3);
    EXPECT_EQ((*file)[0], open);
    EXPECT_EQ((*file)[1], save);
    EXPECT_EQ((*file)[2], exit);
    EXPECT_EQ(save->GetParent(), file);
    EXPECT_EQ(save->GetMenuIndex(), 1);
    EXPECT_EQ(save->GetParentMenu(), menu);
    EXPECT_EQ(file->GetParentComponent(), menu);
    EXPECT_EQ(save->GetParentComponent(), file);
    EXPECT_EQ(file->Find("exit"), exit);
    EXPECT_EQ(file->Find("Nothing"), nullptr);

    exit->SetMenuIndex(0);
    EXPECT_EQ(file->IndexOf(exit), 0);
    EXPECT_THROW(file->GetItem(3), EMenuError);
}

TEST_F(MenusTest, AnItemCannotGoBelowItself) {
    TMenuItem* top = NewItem(&Root, "Top");
    TMenuItem* child = NewItem(&Root, "Child", top);
    EXPECT_THROW(child->Add(top), EMenuError);
    EXPECT_THROW(top->Add(top), EMenuError);
    EXPECT_EQ(top->GetCount(), 1);
}

TEST_F(MenusTest, AddingMovesAnItemFromItsOldParent) {
    TMenuItem* a = NewItem(&Root, "A");
    TMenuItem* b = NewItem(&Root, "B");
    TMenuItem* child = NewItem(&Root, "Child", a);
    b->Add(child);
    EXPECT_EQ(a->GetCount(), 0);
    EXPECT_EQ(child->GetParent(), b);
}

TEST_F(MenusTest, DeletingAnItemDeletesItsSubItems) {
    TMenuItem* file = NewItem(&Root, "File");
    NewItem(&Root, "Open", file);
    NewItem(&Root, "Close", file);
    ASSERT_EQ(Root.GetComponentCount(), 3);
    delete file;
    EXPECT_EQ(Root.GetComponentCount(), 0);
}

TEST_F(MenusTest, DeleteFreesAndRemoveKeeps) {
    TMenuItem* file = NewItem(&Root, "File");
    NewItem(&Root, "Open", file);
    TMenuItem* close = NewItem(&Root, "Close", file);
    file->Delete(0);
    EXPECT_EQ(Root.GetComponentCount(), 2);
    file->Remove(close);
    EXPECT_EQ(file->GetCount(), 0);
    EXPECT_EQ(close->GetParent(), nullptr);
    EXPECT_EQ(Root.GetComponentCount(), 2);
}

TEST_F(MenusTest, CheckingARadioItemUnchecksItsGroupOnly) {
    TMenuItem* top = NewItem(&Root, "View");
    TMenuItem* small = NewItem(&Root, "Small", top);
    TMenuItem* large = NewItem(&Root, "Large", top);
    TMenuItem* other = NewItem(&Root, "Other", top);
    for (TMenuItem* item : {small, large, other})
        item->SetRadioItem(true);
    other->SetGroupIndex(1);
    small->SetChecked(true);
    other->SetChecked(true);
    large->SetChecked(true);
    EXPECT_FALSE(small->GetChecked());
    EXPECT_TRUE(large->GetChecked());
    EXPECT_TRUE(other->GetChecked());
}

TEST_F(MenusTest, CommandsAreUnique) {
    TMenuItem* a = NewItem(&Root, "A");
    TMenuItem* b = NewItem(&Root, "B");
    EXPECT_NE(a->GetCommand(), b->GetCommand());
    EXPECT_NE(a->GetCommand(), 0);
}

// ---------------------------------------------------------------------------
// System menus

TEST_F(MenusTest, HandlesShowCaptionsShortCutsAndStates) {
    auto* menu = new TMainMenu(&Root);
    TMenuItem* file = NewItem(&Root, "&File", menu->GetItems());
    TMenuItem* save = NewItem(&Root, "&Save", file);
    save->SetShortCut(ShortCut('S', {ssCtrl}));
    NewItem(&Root, "-", file);
    TMenuItem* exit = NewItem(&Root, "E&xit", file);

    HMENU bar = menu->GetHandle();
    ASSERT_TRUE(IsMenu(bar));
    ASSERT_EQ(GetMenuItemCount(bar), 1);
    EXPECT_EQ(MenuText(bar, 0), "&File");
    HMENU sub = GetSubMenu(bar, 0);
    EXPECT_EQ(sub, file->GetHandle());
    ASSERT_EQ(GetMenuItemCount(sub), 3);
    EXPECT_EQ(MenuText(sub, 0), "&Save\tCtrl+S");
    EXPECT_TRUE(MenuState(sub, 1) & MF_SEPARATOR);
    EXPECT_EQ(GetMenuItemID(sub, 2), exit->GetCommand());

    exit->SetEnabled(false);
    EXPECT_TRUE(MenuState(sub, 2) & MF_GRAYED);
    save->SetChecked(true);
    EXPECT_TRUE(MenuState(sub, 0) & MF_CHECKED);
    save->SetCaption("Save &As");
    EXPECT_EQ(MenuText(sub, 0), "Save &As\tCtrl+S");
}

TEST_F(MenusTest, HiddenItemsLeaveTheHandle) {
    auto* menu = new TPopupMenu(&Root);
    TMenuItem* a = NewItem(&Root, "A", menu->GetItems());
    NewItem(&Root, "B", menu->GetItems());
    HMENU handle = menu->GetHandle();
    a->SetVisible(false);
    ASSERT_EQ(GetMenuItemCount(handle), 1);
    EXPECT_EQ(MenuText(handle, 0), "B");
    a->SetVisible(true);
    EXPECT_EQ(GetMenuItemCount(handle), 2);
}

TEST_F(MenusTest, ItemsGainingSubItemsGetASubMenu) {
    auto* menu = new TPopupMenu(&Root);
    TMenuItem* parent = NewItem(&Root, "Parent", menu->GetItems());
    HMENU handle = menu->GetHandle();
    EXPECT_EQ(GetSubMenu(handle, 0), nullptr);
    NewItem(&Root, "Child", parent);
    EXPECT_EQ(GetSubMenu(handle, 0), parent->GetHandle());
    EXPECT_EQ(GetMenuItemCount(parent->GetHandle()), 1);
}

TEST_F(MenusTest, FreeingAMenuDestroysItsHandles) {
    auto* menu = new TPopupMenu(&Root);
    TMenuItem* parent = NewItem(&Root, "Parent", menu->GetItems());
    NewItem(&Root, "Child", parent);
    HMENU top = menu->GetHandle();
    HMENU sub = parent->GetHandle();
    delete menu;
    EXPECT_FALSE(IsMenu(top));
    EXPECT_FALSE(IsMenu(sub));
    EXPECT_EQ(Root.GetComponentCount(), 0);
}

// ---------------------------------------------------------------------------
// Commands and shortcuts

TEST_F(MenusTest, DispatchCommandClicksTheEnabledItem) {
    auto* menu = new TMainMenu(&Root);
    TMenuItem* file = NewItem(&Root, "File", menu->GetItems());
    TMenuItem* save = NewItem(&Root, "Save", file);
    save->SetName("Save1");
    save->OnClick = TNotifyEvent(&Root, &TMenuHolder::SaveClick);

    EXPECT_TRUE(menu->DispatchCommand(save->GetCommand()));
    save->SetEnabled(false);
    EXPECT_TRUE(menu->DispatchCommand(save->GetCommand()));
    EXPECT_FALSE(menu->DispatchCommand(0));
    EXPECT_EQ(Root.Log, std::vector<AnsiString>{"click Save1"});
    EXPECT_EQ(menu->FindItem(save->GetCommand(), fkCommand), save);
    EXPECT_EQ(menu->FindItem(reinterpret_cast<UINT_PTR>(file->GetHandle()), fkHandle), file);
}

TEST_F(MenusTest, IsShortCutClicksTheItemWithTheKeysModifiers) {
    auto* menu = new TMainMenu(&Root);
    TMenuItem* file = NewItem(&Root, "File", menu->GetItems());
    TMenuItem* save = NewItem(&Root, "Save", file);
    save->SetName("Save1");
    save->SetShortCut(ShortCut('S', {ssCtrl}));
    save->OnClick = TNotifyEvent(&Root, &TMenuHolder::SaveClick);

    TMessage plain{WM_KEYDOWN, 'S', 0, 0};
    TWMKey plainKey(plain);
    EXPECT_FALSE(menu->IsShortCut(plainKey));
    {
        TCtrlDown ctrl;
        TMessage withCtrl{WM_KEYDOWN, 'S', 0, 0};
        TWMKey ctrlKey(withCtrl);
        EXPECT_TRUE(menu->IsShortCut(ctrlKey));
        // A disabled parent hides the shortcuts below it.
        file->SetEnabled(false);
        EXPECT_FALSE(menu->IsShortCut(ctrlKey));
    }
    EXPECT_EQ(Root.Log, std::vector<AnsiString>{"click Save1"});
}

TEST_F(MenusTest, AltComesFromTheKeyData) {
    auto* menu = new TPopupMenu(&Root);
    TMenuItem* item = NewItem(&Root, "Go", menu->GetItems());
    item->SetShortCut(ShortCut('G', {ssAlt}));
    int clicks = 0;
    item->OnClick = TNotifyEvent::FromCallable([&](TObject*) { ++clicks; });
    TMessage message{WM_SYSKEYDOWN, 'G', 0x20000000, 0};
    TWMKey key(message);
    EXPECT_TRUE(menu->IsShortCut(key));
    EXPECT_EQ(clicks, 1);
}

// ---------------------------------------------------------------------------
// Popup menus

TEST_F(MenusTest, PopupFiresOnPopupThenClicksTheChosenItem) {
    auto* menu = new TPopupMenu(&Root);
    TMenuItem* first = NewItem(&Root, "First", menu->GetItems());
    TMenuItem* second = NewItem(&Root, "Second", menu->GetItems());
    std::vector<std::string> log;
    menu->OnPopup = TNotifyEvent::FromCallable([&](TObject*) {
        log.push_back("popup");
        first->SetEnabled(false);
    });
    second->OnClick = TNotifyEvent::FromCallable([&](TObject*) { log.push_back("second"); });
    SetPopupTracker([&](TPopupMenu* Menu, int X, int Y) -> UINT {
        log.push_back("track " + std::to_string(X) + "," + std::to_string(Y));
        // The menu shown already reflects what OnPopup changed.
        EXPECT_TRUE(MenuState(Menu->GetHandle(), 0) & MF_GRAYED);
        return second->GetCommand();
    });

    menu->Popup(120, 80);
    EXPECT_EQ(log, (std::vector<std::string>{"popup", "track 120,80", "second"}));
    EXPECT_EQ(menu->GetPopupPoint(), Point(120, 80));
}

TEST_F(MenusTest, ClosingAPopupWithoutChoiceClicksNothing) {
    auto* menu = new TPopupMenu(&Root);
    TMenuItem* item = NewItem(&Root, "Item", menu->GetItems());
    int clicks = 0;
    item->OnClick = TNotifyEvent::FromCallable([&](TObject*) { ++clicks; });
    SetPopupTracker([](TPopupMenu*, int, int) -> UINT { return 0; });
    menu->Popup(0, 0);
    EXPECT_EQ(clicks, 0);
}

TEST_F(MenusTest, ARightClickOnAControlOpensItsPopupMenu) {
    TPanel panel(nullptr);
    panel.SetBounds(0, 0, 100, 50);
    HWND host = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                                nullptr, nullptr);
    panel.SetParentWindow(host);
    auto* menu = new TPopupMenu(&Root);
    panel.SetPopupMenu(menu);
    std::vector<TPoint> points;
    SetPopupTracker([&](TPopupMenu* Menu, int X, int Y) -> UINT {
        EXPECT_EQ(Menu->GetPopupComponent(), &panel);
        points.push_back(Point(X, Y));
        return 0;
    });
    SendMessageA(panel.GetHandle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(panel.GetHandle()),
                 MAKELPARAM(33, 44));
    panel.SetPopupMenu(nullptr);
    panel.SetParentWindow(nullptr);
    DestroyWindow(host);
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0], Point(33, 44));
}

// ---------------------------------------------------------------------------
// Form resources

const char kMenuForm[] = "object Holder: TMenuHolder\r\n"
                         "  object MainMenu1: TMainMenu\r\n"
                         "    object File1: TMenuItem\r\n"
                         "      Caption = '&File'\r\n"
                         "      object Save1: TMenuItem\r\n"
                         "        Caption = '&Save'\r\n"
                         "        ShortCut = 16467\r\n"
                         "        OnClick = SaveClick\r\n"
                         "      end\r\n"
                         "      object N1: TMenuItem\r\n"
                         "        Caption = '-'\r\n"
                         "      end\r\n"
                         "      object Examples1: TMenuItem\r\n"
                         "        Caption = 'Examples'\r\n"
                         "        Enabled = False\r\n"
                         "      end\r\n"
                         "    end\r\n"
                         "  end\r\n"
                         "end\r\n";

TEST_F(MenusTest, MenusAreReadFromAndWrittenToFormResources) {
    ReadComponentText(kMenuForm, &Root, "menus");
    auto* menu = dynamic_cast<TMainMenu*>(Root.FindComponent("MainMenu1"));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->GetItems()->GetCount(), 1);
    TMenuItem* file = menu->GetItems()->GetItem(0);
    EXPECT_EQ(file->GetName(), "File1");
    ASSERT_EQ(file->GetCount(), 3);
    TMenuItem* save = file->GetItem(0);
    EXPECT_EQ(save->GetShortCut(), ShortCut('S', {ssCtrl}));
    EXPECT_TRUE(file->GetItem(1)->IsLine());
    EXPECT_FALSE(file->GetItem(2)->GetEnabled());

    menu->DispatchCommand(save->GetCommand());
    EXPECT_EQ(Root.Log, std::vector<AnsiString>{"click Save1"});
    EXPECT_EQ(WriteComponentText(&Root), kMenuForm);
}

} // namespace

#include "classlib/Menus.h"

#include "classlib/ImageLists.h"

#include "classlib/ClassRegistry.h"
#include "classlib/HiddenWindow.h"
#include "classlib/Persistence.h"
#include "classlib/Strings.h"
#include "classlib/UnitInit.h"

#include <algorithm>
#include <string>

namespace {

// ---------------------------------------------------------------------------
// Command numbers: WM_COMMAND carries 16 bits, 0 meaning none.

std::vector<bool>& UsedCommands() {
    static std::vector<bool> used(0x10000, false);
    return used;
}

Word AllocateCommand() {
    static Word last = 0;
    std::vector<bool>& used = UsedCommands();
    for (unsigned tries = 0; tries < 0xFFFF; ++tries) {
        last = static_cast<Word>(last == 0xFFFF ? 1 : last + 1);
        if (!used[last]) {
            used[last] = true;
            return last;
        }
    }
    throw EMenuError("Out of menu command numbers");
}

void ReleaseCommand(Word Command) {
    UsedCommands()[Command] = false;
}

// ---------------------------------------------------------------------------
// Key names

struct TKeyName {
    Word Key;
    const char* Name;
};

constexpr TKeyName kKeyNames[] = {
    {VK_BACK, "BkSp"},   {VK_TAB, "Tab"},    {VK_ESCAPE, "Esc"}, {VK_RETURN, "Enter"},
    {VK_SPACE, "Space"}, {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},  {VK_END, "End"},
    {VK_HOME, "Home"},   {VK_LEFT, "Left"},  {VK_UP, "Up"},      {VK_RIGHT, "Right"},
    {VK_DOWN, "Down"},   {VK_INSERT, "Ins"}, {VK_DELETE, "Del"},
};

AnsiString KeyName(Word Key) {
    for (const TKeyName& k : kKeyNames)
        if (k.Key == Key) return k.Name;
    if ((Key >= 'A' && Key <= 'Z') || (Key >= '0' && Key <= '9'))
        return AnsiString(1, static_cast<char>(Key));
    // Appending, not operator+: that trips a false overlap warning of the compiler.
    AnsiString name;
    if (Key >= VK_F1 && Key <= VK_F24) return name.append("F").append(IntToStr(Key - VK_F1 + 1));
    if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD9)
        return name.append("Num ").append(IntToStr(Key - VK_NUMPAD0));
    // Punctuation keys: the character the current keyboard layout gives them.
    if (Key >= VK_OEM_1 && Key <= VK_OEM_102) {
        UINT ch = MapVirtualKeyA(Key, MAPVK_VK_TO_CHAR) & 0xFFFF;
        if (ch > ' ' && ch < 0x7F) return AnsiString(1, static_cast<char>(ch));
    }
    return AnsiString();
}

bool StartsWithText(const AnsiString& S, std::size_t At, const char* Prefix) {
    AnsiString prefix(Prefix);
    return S.size() - At >= prefix.size() && SameText(S.substr(At, prefix.size()), prefix);
}

} // namespace

// ---------------------------------------------------------------------------
// Shortcuts

TShortCut ShortCut(Word Key, TShiftState Shift) {
    if (Key > 0xFF) return scNone;
    TShortCut result = Key;
    if (Shift.Contains(ssShift)) result |= scShift;
    if (Shift.Contains(ssCtrl)) result |= scCtrl;
    if (Shift.Contains(ssAlt)) result |= scAlt;
    return result;
}

void ShortCutToKey(TShortCut ShortCut, Word& Key, TShiftState& Shift) {
    Key = ShortCut & 0xFF;
    Shift = TShiftState();
    if (ShortCut & scShift) Shift << ssShift;
    if (ShortCut & scCtrl) Shift << ssCtrl;
    if (ShortCut & scAlt) Shift << ssAlt;
}

AnsiString ShortCutToText(TShortCut ShortCut) {
    AnsiString name = KeyName(ShortCut & 0xFF);
    if (name.empty()) return AnsiString();
    AnsiString result;
    if (ShortCut & scShift) result += "Shift+";
    if (ShortCut & scCtrl) result += "Ctrl+";
    if (ShortCut & scAlt) result += "Alt+";
    return result + name;
}

TShortCut TextToShortCut(const AnsiString& Text) {
    static const struct {
        const char* Prefix;
        TShortCut Bit;
    } kModifiers[] = {{"Shift+", scShift}, {"Ctrl+", scCtrl}, {"Alt+", scAlt}};
    TShortCut modifiers = 0;
    std::size_t at = 0;
    for (bool found = true; found;) {
        found = false;
        for (const auto& m : kModifiers) {
            std::size_t length = std::char_traits<char>::length(m.Prefix);
            // The rest must still name a key: in "Ctrl++" the second "+" is the key.
            if (Text.size() > at + length && StartsWithText(Text, at, m.Prefix)) {
                modifiers |= m.Bit;
                at += length;
                found = true;
            }
        }
    }
    AnsiString name = Text.substr(at);
    if (name.empty()) return scNone;
    for (Word key = 1; key <= 0xFF; ++key)
        if (SameText(KeyName(key), name)) return static_cast<TShortCut>(key | modifiers);
    return scNone;
}

AnsiString StripHotkey(const AnsiString& Text) {
    AnsiString result;
    for (std::size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] == '&' && i + 1 < Text.size()) ++i;
        result += Text[i];
    }
    return result;
}

// ---------------------------------------------------------------------------
// TMenuItem

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FCommand(AllocateCommand()) {}

TMenuItem::~TMenuItem() {
    while (!FItems.empty())
        delete FItems.back();
    if (FParent) FParent->Remove(this);
    if (FHandle) {
        // Only our own (now empty) menu: sub-menus were detached as their items left.
        if (IsMenu(FHandle)) DestroyMenu(FHandle);
        FHandle = nullptr;
    }
    ReleaseCommand(FCommand);
}

void TMenuItem::Published(TPropertyList& P) {
    P.Add("Caption", &TMenuItem::GetCaption, &TMenuItem::SetCaption);
    P.Add("Checked", &TMenuItem::GetChecked, &TMenuItem::SetChecked, false);
    P.Add("Default", &TMenuItem::GetDefault, &TMenuItem::SetDefault, false);
    P.Add("Enabled", &TMenuItem::GetEnabled, &TMenuItem::SetEnabled, true);
    P.Add("GroupIndex", &TMenuItem::GetGroupIndex, &TMenuItem::SetGroupIndex, 0);
    P.Add("Hint", &TMenuItem::GetHint, &TMenuItem::SetHint);
    P.Add("ImageIndex", &TMenuItem::GetImageIndex, &TMenuItem::SetImageIndex, -1);
    P.Add("RadioItem", &TMenuItem::GetRadioItem, &TMenuItem::SetRadioItem, false);
    P.Add("ShortCut", &TMenuItem::GetShortCut, &TMenuItem::SetShortCut, 0);
    P.Add("Visible", &TMenuItem::GetVisible, &TMenuItem::SetVisible, true);
    P.Add("OnClick", &TMenuItem::OnClick);
}

void TMenuItem::SetCaption(const AnsiString& Value) {
    if (FCaption == Value) return;
    FCaption = Value;
    Changed();
}

void TMenuItem::SetChecked(bool Value) {
    if (FChecked == Value) return;
    FChecked = Value;
    if (Value && FRadioItem) UncheckGroup();
    Changed();
}

void TMenuItem::UncheckGroup() {
    if (!FParent) return;
    for (TMenuItem* sibling : FParent->FItems)
        if (sibling != this && sibling->FRadioItem && sibling->FGroupIndex == FGroupIndex &&
            sibling->FChecked) {
            sibling->FChecked = false;
            sibling->Changed();
        }
}

void TMenuItem::SetEnabled(bool Value) {
    if (FEnabled == Value) return;
    FEnabled = Value;
    Changed();
}

void TMenuItem::SetVisible(bool Value) {
    if (FVisible == Value) return;
    FVisible = Value;
    Changed();
}

void TMenuItem::SetDefault(bool Value) {
    if (FDefault == Value) return;
    FDefault = Value;
    Changed();
}

void TMenuItem::SetRadioItem(bool Value) {
    if (FRadioItem == Value) return;
    FRadioItem = Value;
    if (FRadioItem && FChecked) UncheckGroup();
    Changed();
}

void TMenuItem::SetGroupIndex(Byte Value) {
    if (FGroupIndex == Value) return;
    FGroupIndex = Value;
    if (FRadioItem && FChecked) UncheckGroup();
}

void TMenuItem::SetShortCut(TShortCut Value) {
    if (FShortCut == Value) return;
    FShortCut = Value;
    Changed();
}

void TMenuItem::SetImageIndex(int Value) {
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    Changed();
}

TMenuItem* TMenuItem::GetItem(int Index) const {
    if (Index < 0 || Index >= GetCount()) throw EMenuError("Menu index out of range");
    return FItems[static_cast<std::size_t>(Index)];
}

void TMenuItem::Add(TMenuItem* Item) {
    Insert(GetCount() - (Item && Item->FParent == this ? 1 : 0), Item);
}

void TMenuItem::Insert(int Index, TMenuItem* Item) {
    if (!Item) throw EMenuError("Cannot insert a null menu item");
    for (TMenuItem* p = this; p; p = p->FParent)
        if (p == Item) throw EMenuError("Menu inserted twice");
    if (Item->FMenu) throw EMenuError("Menu inserted twice");
    if (Item->FParent) Item->FParent->Remove(Item);
    if (Index < 0 || Index > GetCount()) throw EMenuError("Menu index out of range");
    FItems.insert(FItems.begin() + Index, Item);
    Item->FParent = this;
    if (Item->FRadioItem && Item->FChecked) Item->UncheckGroup();
    ItemsChanged();
}

void TMenuItem::Delete(int Index) {
    delete GetItem(Index);
}

void TMenuItem::Remove(TMenuItem* Item) {
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    if (it == FItems.end()) throw EMenuError("Menu item is not a sub-item of this menu item");
    FItems.erase(it);
    Item->FParent = nullptr;
    ItemsChanged();
}

void TMenuItem::Clear() {
    while (!FItems.empty())
        delete FItems.back();
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TMenuItem* TMenuItem::Find(const AnsiString& ACaption) const {
    for (TMenuItem* item : FItems)
        if (SameText(StripHotkey(item->FCaption), ACaption)) return item;
    return nullptr;
}

TMenuItem* TMenuItem::FindByCommand(Word ACommand) {
    for (TMenuItem* item : FItems) {
        if (item->FCommand == ACommand) return item;
        if (TMenuItem* found = item->FindByCommand(ACommand)) return found;
    }
    return nullptr;
}

TMenuItem* TMenuItem::FindByShortCut(TShortCut Value) {
    if (Value == scNone) return nullptr;
    for (TMenuItem* item : FItems) {
        if (!item->FEnabled) continue;
        if (item->FShortCut == Value) return item;
        if (TMenuItem* found = item->FindByShortCut(Value)) return found;
    }
    return nullptr;
}

int TMenuItem::GetMenuIndex() const {
    return FParent ? FParent->IndexOf(this) : -1;
}

void TMenuItem::SetMenuIndex(int Value) {
    if (!FParent) return;
    TMenuItem* parent = FParent;
    int count = parent->GetCount();
    Value = std::clamp(Value, 0, count - 1);
    if (Value == GetMenuIndex()) return;
    parent->FItems.erase(parent->FItems.begin() + GetMenuIndex());
    parent->FItems.insert(parent->FItems.begin() + Value, this);
    parent->ItemsChanged();
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* item = this;
    while (item->FParent)
        item = item->FParent;
    return item->FMenu;
}

HMENU TMenuItem::GetHandle() {
    if (!FHandle) {
        FHandle = FMenu ? FMenu->CreateMenuHandle() : CreatePopupMenu();
        if (!FHandle) throw EMenuError("Cannot create a menu");
        RebuildHandle();
    }
    return FHandle;
}

void TMenuItem::Unlink() {
    if (FParent) FParent->Remove(this);
}

void TMenuItem::Click() {
    TComponentProtector protect(this);
    if (FEnabled && OnClick) OnClick(this);
}

void TMenuItem::GetChildren(TGetChildProc Proc, TComponent* Root) {
    for (TMenuItem* item : FItems)
        if (item->GetOwner() == Root) Proc(item);
}

TComponent* TMenuItem::GetParentComponent() const {
    if (FParent && FParent->FMenu) return FParent->FMenu;
    return FParent;
}

void TMenuItem::SetParentComponent(TComponent* Value) {
    if (FParent) FParent->Remove(this);
    if (!Value) return;
    if (auto* menu = dynamic_cast<TMenu*>(Value))
        menu->GetItems()->Add(this);
    else if (auto* item = dynamic_cast<TMenuItem*>(Value))
        item->Add(this);
    else
        throw EMenuError("A menu item belongs to a menu or a menu item, not to a " +
                         AnsiString(Value->ClassName()));
}

void TMenuItem::Changed() {
    if (FParent) FParent->RebuildHandle();
    if (TMenu* menu = GetParentMenu()) menu->MenuChanged(this);
}

void TMenuItem::ItemsChanged() {
    RebuildHandle();
    Changed();
}

void TMenuItem::RebuildHandle() {
    if (!FHandle) return;
    // RemoveMenu, not DeleteMenu: the sub-menus belong to the sub-items.
    while (GetMenuItemCount(FHandle) > 0)
        RemoveMenu(FHandle, 0, MF_BYPOSITION);
    if (GetComponentState().Contains(csDestroying)) return;
    for (TMenuItem* item : FItems)
        if (item->FVisible) item->AppendTo(FHandle);
}

void TMenuItem::AppendTo(HMENU Menu) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID;
    info.wID = FCommand;
    AnsiString text = FCaption;
    if (IsLine()) {
        info.fType = MFT_SEPARATOR;
    } else {
        if (FShortCut != scNone) text.append("\t").append(ShortCutToText(FShortCut));
        info.fMask |= MIIM_STRING;
        info.dwTypeData = text.data();
        info.cch = static_cast<UINT>(text.size());
        if (FRadioItem) info.fType |= MFT_RADIOCHECK;
        if (!FItems.empty()) {
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = GetHandle();
        }
    }
    if (FChecked) info.fState |= MFS_CHECKED;
    if (!FEnabled) info.fState |= MFS_GRAYED;
    if (FDefault) info.fState |= MFS_DEFAULT;
    InsertMenuItemA(Menu, static_cast<UINT>(GetMenuItemCount(Menu)), TRUE, &info);
}

// ---------------------------------------------------------------------------
// TMenu

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(this)) {
    FItems->FMenu = this;
}

TMenu::~TMenu() {
    if (FWindowHandle && IsWindow(FWindowHandle) && GetMenu(FWindowHandle) == FItems->FHandle)
        ::SetMenu(FWindowHandle, nullptr);
    FWindowHandle = nullptr;
    delete FItems;
}

void TMenu::Published(TPropertyList& P) {
    P.Add("Images", &TMenu::GetImages, &TMenu::SetImages);
}

void TMenu::SetImages(TCustomImageList* Value) {
    if (FImages == Value) return;
    SetReference(this, FImages, Value);
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

void TMenu::SetWindowHandle(HWND Value) {
    FWindowHandle = Value;
}

TMenuItem* TMenu::FindItem(UINT_PTR Value, TFindItemKind Kind) {
    switch (Kind) {
    case fkCommand:
        return Value <= 0xFFFF ? FItems->FindByCommand(static_cast<Word>(Value)) : nullptr;
    case fkShortCut:
        return Value <= 0xFFFF ? FItems->FindByShortCut(static_cast<TShortCut>(Value)) : nullptr;
    case fkHandle: {
        std::function<TMenuItem*(TMenuItem*)> search = [&](TMenuItem* item) -> TMenuItem* {
            if (item->FHandle && reinterpret_cast<UINT_PTR>(item->FHandle) == Value) return item;
            for (TMenuItem* sub : item->FItems)
                if (TMenuItem* found = search(sub)) return found;
            return nullptr;
        };
        return search(FItems);
    }
    }
    return nullptr;
}

bool TMenu::DispatchCommand(Word ACommand) {
    TMenuItem* item = FItems->FindByCommand(ACommand);
    if (!item) return false;
    item->Click();
    return true;
}

bool TMenu::IsShortCut(TWMKey& Message) {
    TShortCut shortCut = ShortCut(Message.CharCode(), KeyDataToShiftState(Message.KeyData()));
    TMenuItem* item = FItems->FindByShortCut(shortCut);
    if (!item) return false;
    item->Click();
    return true;
}

void TMenu::GetChildren(TGetChildProc Proc, TComponent* Root) {
    FItems->GetChildren(Proc, Root);
}

HMENU TMenu::CreateMenuHandle() {
    return CreatePopupMenu();
}

void TMenu::MenuChanged(TMenuItem*) {
    if (FWindowHandle && FItems->FHandle && IsWindow(FWindowHandle)) DrawMenuBar(FWindowHandle);
}

HMENU TMainMenu::CreateMenuHandle() {
    return CreateMenu();
}

// ---------------------------------------------------------------------------
// TPopupMenu

namespace {

TPopupTracker& CurrentTracker() {
    static TPopupTracker tracker;
    return tracker;
}

UINT TrackWithSystem(TPopupMenu* Menu, int X, int Y) {
    HMENU handle = Menu->GetHandle();
    HWND owner = GetActiveWindow();
    HWND hidden = nullptr;
    if (!owner) {
        // The system's tracking needs a window of this thread to own the menu.
        hidden = AllocateHWnd(
            TWndMethod::FromCallable([&hidden](TMessage& M) { DefaultWindowHandler(hidden, M); }));
        owner = hidden;
        SetForegroundWindow(owner);
    }
    UINT command = static_cast<UINT>(
        TrackPopupMenu(handle, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, X, Y,
                       0, owner, nullptr));
    if (hidden) DeallocateHWnd(hidden);
    return command;
}

} // namespace

TPopupTracker SetPopupTracker(TPopupTracker Tracker) {
    TPopupTracker previous = std::move(CurrentTracker());
    CurrentTracker() = std::move(Tracker);
    return previous;
}

void TPopupMenu::Published(TPropertyList& P) {
    P.Add("AutoPopup", &TPopupMenu::GetAutoPopup, &TPopupMenu::SetAutoPopup, true);
    P.Add("OnPopup", &TPopupMenu::OnPopup);
}

void TPopupMenu::SetPopupComponent(TComponent* Value) {
    if (FPopupComponent == Value) return;
    SetReference(this, FPopupComponent, Value);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TMenu::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FPopupComponent) FPopupComponent = nullptr;
}

void TPopupMenu::DoPopup(TObject* Sender) {
    if (OnPopup) OnPopup(Sender);
}

void TPopupMenu::Popup(int X, int Y) {
    FPopupPoint = Point(X, Y);
    DoPopup(this);
    const TPopupTracker& tracker = CurrentTracker();
    UINT command = tracker ? tracker(this, X, Y) : TrackWithSystem(this, X, Y);
    if (command != 0 && command <= 0xFFFF) DispatchCommand(static_cast<Word>(command));
}

// ---------------------------------------------------------------------------

namespace {

void RegisterMenuClasses() {
    RegisterClass(TMenuItem::StaticClass());
    RegisterClass(TMainMenu::StaticClass());
    RegisterClass(TPopupMenu::StaticClass());
}

} // namespace

DEFINE_UNIT(Menus, uoClassLib, RegisterMenuClasses, nullptr);

// Menus: items, main menus, popup menus and keyboard shortcuts.
//
// A menu is a tree of TMenuItem objects under the menu's Items. Every item that has
// sub-items keeps a system menu (HMENU) of them, made on first use and rebuilt whenever an
// item below it changes, so the handles always show the current tree. Every item also has
// a command number of its own, unique in the process; WM_COMMAND from a menu carries it,
// and TMenu::DispatchCommand turns it back into the item's Click.
//
// Sub-items are not owned by their parent item in the component sense (the form or data
// module owns them, as it owns everything it reads), but an item that is deleted deletes
// its sub-items with it, and a menu deletes its whole tree.
#pragma once

#include "classlib/Component.h"
#include "classlib/Controls.h"
#include "classlib/Exceptions.h"
#include "classlib/Messages.h"
#include "classlib/UnitInit.h"

#include "classlib/Platform.h"

#include <functional>
#include <vector>

class TCustomImageList;
class TMenu;
class TPopupMenu;
class TPropertyList;

DECLARE_EXCEPTION(EMenuError, Exception);

DECLARE_UNIT(Menus)

// A key with its modifiers: the virtual key in the low byte, scShift, scCtrl and scAlt above.
using TShortCut = Word;
constexpr TShortCut scNone = 0;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

// Only Shift, Ctrl and Alt of Shift count.
TShortCut ShortCut(Word Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, Word& Key, TShiftState& Shift);
// "Ctrl+S", "Shift+Ctrl+F5", "Alt+BkSp"; "" for scNone or a key without a name.
AnsiString ShortCutToText(TShortCut ShortCut);
// The inverse of ShortCutToText, ignoring case and the order of the modifiers;
// scNone when Text names no key.
TShortCut TextToShortCut(const AnsiString& Text);

// A caption without its "&" accelerator marks ("&&" stands for a plain "&").
AnsiString StripHotkey(const AnsiString& Text);

class TMenuItem : public TComponent {
    DECLARE_CLASS(TMenuItem, TComponent)
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;

    static void Published(TPropertyList& P);

    TNotifyEvent OnClick;

    // "&" marks the accelerator; "-" makes the item a separator line.
    const AnsiString& GetCaption() const { return FCaption; }
    void SetCaption(const AnsiString& Value);
    bool GetChecked() const { return FChecked; }
    // Checking a radio item unchecks the other radio items of its group among its siblings.
    void SetChecked(bool Value);
    bool GetEnabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    bool GetVisible() const { return FVisible; }
    void SetVisible(bool Value);
    // Shown in bold; the item a double click on a popup-menu owner chooses.
    bool GetDefault() const { return FDefault; }
    void SetDefault(bool Value);
    bool GetRadioItem() const { return FRadioItem; }
    void SetRadioItem(bool Value);
    Byte GetGroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(Byte Value);
    TShortCut GetShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut Value);
    const AnsiString& GetHint() const { return FHint; }
    void SetHint(const AnsiString& Value) { FHint = Value; }
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);

    bool IsLine() const { return FCaption == "-"; }
    // The number WM_COMMAND carries for this item.
    Word GetCommand() const { return FCommand; }

    int GetCount() const { return static_cast<int>(FItems.size()); }
    // EMenuError "Menu index out of range" for a bad Index.
    TMenuItem* GetItem(int Index) const;
    TMenuItem* operator[](int Index) const { return GetItem(Index); }
    // Item leaves its current parent first. Adding an item below itself raises EMenuError
    // "Menu inserted twice".
    void Add(TMenuItem* Item);
    void Insert(int Index, TMenuItem* Item);
    // Takes the item out and deletes it.
    void Delete(int Index);
    // Takes the item out; it stays alive.
    void Remove(TMenuItem* Item);
    // Deletes every sub-item.
    void Clear();
    int IndexOf(const TMenuItem* Item) const;
    // The sub-item whose caption without "&" equals ACaption ignoring case; null when none.
    TMenuItem* Find(const AnsiString& ACaption) const;
    // The sub-item whose command, at any depth, is ACommand; null when none.
    TMenuItem* FindByCommand(Word ACommand);
    // The enabled sub-item, at any depth below enabled items, with that shortcut.
    TMenuItem* FindByShortCut(TShortCut Value);

    TMenuItem* GetParent() const { return FParent; }
    // Position among the parent's items; -1 without parent.
    int GetMenuIndex() const;
    void SetMenuIndex(int Value);
    // The menu whose tree holds this item; null for a free item.
    TMenu* GetParentMenu() const;

    // The system menu of the sub-items, made on first use.
    HMENU GetHandle();
    bool HandleAllocated() const { return FHandle != nullptr; }

    // Fires OnClick when enabled.
    virtual void Click();

    // Form resources store sub-items below their parent item.
    void GetChildren(TGetChildProc Proc, TComponent* Root) override;
    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return true; }
    // A TMenu (its top level) or a TMenuItem.
    void SetParentComponent(TComponent* Value) override;

protected:
    // Leaves its parent item.
    void Unlink() override;

private:
    friend class TMenu;

    // The item changed in a way its parent's system menu shows.
    void Changed();
    // The sub-items changed.
    void ItemsChanged();
    void RebuildHandle();
    void AppendTo(HMENU Menu);
    void UncheckGroup();

    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr; // set on the root item of a menu only
    std::vector<TMenuItem*> FItems;
    HMENU FHandle = nullptr;
    Word FCommand = 0;
    AnsiString FCaption;
    AnsiString FHint;
    TShortCut FShortCut = scNone;
    int FImageIndex = -1;
    Byte FGroupIndex = 0;
    bool FChecked = false;
    bool FEnabled = true;
    bool FVisible = true;
    bool FDefault = false;
    bool FRadioItem = false;
};

enum TFindItemKind { fkCommand, fkHandle, fkShortCut };

class TMenu : public TComponent {
    DECLARE_CLASS(TMenu, TComponent)
public:
    explicit TMenu(TComponent* AOwner);
    ~TMenu() override;

    // The top level; owned by the menu.
    TMenuItem* GetItems() const { return FItems; }
    HMENU GetHandle() { return FItems->GetHandle(); }
    bool HandleAllocated() const { return FItems->HandleAllocated(); }

    // The window that shows this menu (a main menu's form); its menu bar is redrawn after
    // every change. Null when none.
    HWND GetWindowHandle() const { return FWindowHandle; }
    void SetWindowHandle(HWND Value);

    // The pictures of the items (by their ImageIndex); borrowed, cleared when freed.
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    static void Published(TPropertyList& P);

    TMenuItem* FindItem(UINT_PTR Value, TFindItemKind Kind);
    // Clicks the item of that command; false when the menu has none.
    bool DispatchCommand(Word ACommand);
    // Clicks the item whose shortcut is the key of Message (a WM_KEYDOWN or
    // WM_SYSKEYDOWN, or CN_ / CM_ forms of them) with the current modifiers.
    bool IsShortCut(TWMKey& Message);

    void GetChildren(TGetChildProc Proc, TComponent* Root) override;

protected:
    // The system menu of the top level; a main menu makes a bar, others a popup.
    virtual HMENU CreateMenuHandle();
    // Something in the tree changed (after the system menus were updated).
    virtual void MenuChanged(TMenuItem* Source);
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TMenuItem;
    TMenuItem* FItems;
    TCustomImageList* FImages = nullptr;
    HWND FWindowHandle = nullptr;
};

class TMainMenu : public TMenu {
    DECLARE_CLASS(TMainMenu, TMenu)
public:
    explicit TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}

protected:
    HMENU CreateMenuHandle() override;
};

// Shows the popup at (X, Y) in screen coordinates and returns the chosen command, 0 when
// none was chosen. The system's tracking runs a modal loop; tests put their own here.
using TPopupTracker = std::function<UINT(TPopupMenu* Menu, int X, int Y)>;
// Sets the tracker used by every popup menu and returns the previous one; an empty
// Tracker restores the system's.
TPopupTracker SetPopupTracker(TPopupTracker Tracker);

class TPopupMenu : public TMenu, public TPopupHost {
    DECLARE_CLASS(TPopupMenu, TMenu)
public:
    explicit TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

    static void Published(TPropertyList& P);

    // Fired before the menu shows, so that items can be updated.
    TNotifyEvent OnPopup;

    // A right click on a control that names this menu opens it.
    bool GetAutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool Value) { FAutoPopup = Value; }
    // The control the menu was last opened for; not owned.
    TComponent* GetPopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* Value) override;
    // Where the menu was last opened, in screen coordinates.
    TPoint GetPopupPoint() const { return FPopupPoint; }

    // Fires OnPopup, shows the menu at (X, Y) in screen coordinates and, once it is
    // closed, clicks the chosen item.
    void Popup(int X, int Y) override;

protected:
    virtual void DoPopup(TObject* Sender);
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TComponent* FPopupComponent = nullptr;
    TPoint FPopupPoint;
    bool FAutoPopup = true;
};

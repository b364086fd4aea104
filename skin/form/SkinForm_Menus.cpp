// Menus of TskSkinForm: closing an open menu on the form's messages, the keys of the
// skinned menus and of the main menu's keyboard mode through the application's message
// hook, and the system menu built for the window's state.
#include "skin/form/SkinForm.h"

#include <algorithm>
#include <utility>

void TskSkinForm::CheckMenuVisible(TMessage& Message) {
    if (!CanMenuClose(Message.Msg)) return;
    if (FSkinHint && FSkinHint->IsVisible()) FSkinHint->HideHint();
    if (FMainMenuActive && !SkinMenu->Visible)
        SkinMainMenuClose();
    else if (SkinMenu->Visible)
        SkinMenu->Hide();
    else if (FSkinMenuOpen)
        SkinMenuClose();
    else if (IsMDIMainForm() && FForm->GetVisible())
        if (TskSkinForm* child = GetMDIChildSkinFormComponent2(); child && child != this) child->CheckMenuVisible(Message);
}

void TskSkinForm::HookApp() {
    if (FHooked || !Application) return;
    FSavedAppMessage = Application->OnMessage;
    Application->OnMessage = TMessageEvent(this, &TskSkinForm::NewAppMessage);
    FHooked = true;
}

void TskSkinForm::UnHookApp() {
    if (!FHooked) return;
    FHooked = false;
    if (Application) Application->OnMessage = FSavedAppMessage;
    FSavedAppMessage = nullptr;
}

void TskSkinForm::NewAppMessage(MSG& Msg, bool& Handled) {
    TComponentProtector protect(this);
    if (Msg.message == WM_KEYDOWN) {
        FormKeyDown(static_cast<Word>(Msg.wParam));
        Msg.message = 0;
        Handled = true;
    } else if (Msg.message == WM_MOUSEWHEEL) {
        Msg.message = 0;
        Handled = true;
    } else if (FSavedAppMessage) {
        FSavedAppMessage(Msg, Handled);
    }
}

void TskSkinForm::FormKeyDown(Word Key) {
    // A child's key drives the main form's menu while that is open.
    if (IsMDIChild())
        if (TskSkinForm* main = MainFormComponent(); main && main != this && (main->FSkinMenuOpen || main->FMainMenuActive))
            return main->FormKeyDown(Key);
    const int levels = SkinMenu->GetCount();
    const bool kb = FMainMenuActive;
    if (kb && levels == 0 && FindHotKeyItem(Key)) return;
    if (kb && Key == VK_ESCAPE && levels == 0) return SkinMainMenuClose();
    if (kb && Key == VK_LEFT && levels < 2) return PriorMainMenuItem();
    if (kb && Key == VK_RIGHT) {
        TskSkinPopupWindow* last = levels ? SkinMenu->GetLevel(levels - 1) : nullptr;
        if (!last || last->ActiveItem < 0 ||
            last->ItemList[static_cast<std::size_t>(last->ActiveItem)]->MenuItem->GetCount() == 0)
            return NextMainMenuItem();
    }
    if (Key == VK_RETURN) {
        if (kb && CheckReturnKey()) return;
        if (levels) SkinMenu->GetLevel(levels - 1)->PopupKeyDown(Key);
        return;
    }
    if (levels == 0) {
        if (Key == VK_ESCAPE) SkinMenuClose();
        return;
    }
    SkinMenu->GetLevel(levels - 1)->PopupKeyDown(Key);
    if (IsDestroying()) return;
    if (Key == VK_ESCAPE && SkinMenu->GetCount() == 0) {
        if (kb)
            SkinMenuClose2();
        else
            SkinMenuClose();
    }
}

void TskSkinForm::SkinMenuClose2() {
    FSkinMenuOpen = false;
    if (FMainMenuBar) {
        FMainMenuBar->MenuClose();
    } else {
        for (TskSkinMainMenuItem* item : MainMenuItems())
            if (item->Down) {
                item->SetDown(false);
                item->MouseEnter();
                break;
            }
    }
    if (OnSkinMenuClose) OnSkinMenuClose(this);
}

void TskSkinForm::SkinMainMenuClose() {
    FMainMenuActive = false;
    if (SkinMenu->Visible) SkinMenu->Hide();
    if (FMainMenuBar) {
        FMainMenuBar->MenuExit();
    } else {
        for (TskSkinMainMenuItem* item : MainMenuItems())
            if (item->Active) {
                item->MouseLeave();
                break;
            }
    }
    UnHookApp();
    if (OnMainMenuExit) OnMainMenuExit(this);
}

void TskSkinForm::FormShortCut(TWMKey& Msg, bool& Handled) {
    if (FShortCutHandled) {
        FShortCutHandled = false;
        Handled = false;
        return;
    }
    TMainMenu* menu = FMainMenuBar && FMainMenuBar->GetMainMenu() ? FMainMenuBar->GetMainMenu() : FMainMenu;
    if (!menu) return;
    if ((GetKeyState(VK_MENU) & 0x8000) && FindHotKeyItem(Msg.CharCode())) {
        Handled = true;
        return;
    }
    FShortCutHandled = menu->IsShortCut(Msg);
    Handled = FShortCutHandled;
}

void TskSkinForm::SkinMenuOpen() {
    // The hint of the object that opened the menu, shown or still waiting, would cover the
    // menu's first items.
    if (FSkinHint) FSkinHint->HideHint();
    HookApp();
    if (FSkinMenuOpen) return;
    FSkinMenuOpen = true;
    if (OnSkinMenuOpen) OnSkinMenuOpen(this);
}

void TskSkinForm::SkinMenuClose() {
    FSkinMenuOpen = false;
    if (!ReleaseDownMainMenuItem())
        for (auto& o : FObjectList) {
            auto* button = dynamic_cast<TskSkinButtonObject*>(o.get());
            if (button && button->MenuItem && button->Down) {
                button->SetDown(false);
                break;
            }
        }
    if (!FMainMenuActive) UnHookApp();
    if (OnSkinMenuClose) OnSkinMenuClose(this);
    if (FMainMenuActive) SkinMainMenuClose();
}

void TskSkinForm::PopupSkinMenu(TMenu* Menu, TPoint P) {
    SkinMenuOpen();
    SkinMenu->Popup(nullptr, FMenusSkinData ? FMenusSkinData : FSkinData, 0, TRect(P.X, P.Y, P.X, P.Y),
                    Menu->GetItems(), false);
}

void TskSkinForm::SM_Min(TObject*) {
    SetWindowState(wsMinimized);
}
void TskSkinForm::SM_Max(TObject*) {
    SetWindowState(wsMaximized);
}
void TskSkinForm::SM_RollUp(TObject*) {
    SetRollUpState(true);
}
void TskSkinForm::SM_Close(TObject*) {
    FForm->Close();
}
void TskSkinForm::SM_Restore(TObject*) {
    if (FMaxRollUpState || (FRollUpState && FWindowState == wsNormal))
        SetRollUpState(false);
    else
        SetWindowState(wsNormal);
}

TMenuItem* TskSkinForm::NewSysMenuItem(const char* Name, const char* Caption) {
    static const struct {
        const char* Name;
        void (TskSkinForm::*Click)(TObject*);
    } kClicks[] = {{"DSF_MINITEM", &TskSkinForm::SM_Min},     {"DSF_MAXITEM", &TskSkinForm::SM_Max},
                   {"DSF_RESTORE", &TskSkinForm::SM_Restore}, {"DSF_ROLLUP", &TskSkinForm::SM_RollUp},
                   {"DSF_CLOSE", &TskSkinForm::SM_Close},     {"DSF_MINTOTRAY", &TskSkinForm::SM_MinToTray}};
    auto* item = new TMenuItem(this);
    item->SetName(Name);
    item->SetCaption(Caption);
    for (const auto& c : kClicks)
        if (AnsiString(Name) == c.Name) item->OnClick = TNotifyEvent(this, c.Click);
    if (AnsiString(Name) == "DSF_CLOSE") item->SetShortCut(CloseShortCut());
    return item;
}

TShortCut TskSkinForm::CloseShortCut() const {
    return TextToShortCut(IsMDIChild() ? "Ctrl+F4" : "Alt+F4");
}

bool TskSkinForm::SysMenuWants(const char* Name) const {
    const AnsiString name = Name;
    if (name == "DSF_MINITEM")
        return FBorderIcons.Contains(TskBorderIcon::biMinimize) && FWindowState != wsMinimized;
    if (name == "DSF_MAXITEM")
        return FBorderIcons.Contains(TskBorderIcon::biMaximize) && FWindowState != wsMaximized;
    if (name == "DSF_RESTORE") return FWindowState != wsNormal || FRollUpState;
    if (name == "DSF_ROLLUP")
        return FBorderIcons.Contains(TskBorderIcon::biRollUp) && !FRollUpState && FWindowState != wsMinimized &&
               !MaximizedMDIChild();
    if (name == "DSF_MINTOTRAY") return FBorderIcons.Contains(TskBorderIcon::biMinimizeToTray);
    return true;
}

void TskSkinForm::DropStandardSysMenuItems() {
    // Names are unique among the component's items: the last menu's go first.
    for (int i = GetComponentCount() - 1; i >= 0; --i)
        if (auto* item = dynamic_cast<TMenuItem*>(GetComponent(i)))
            if (item->GetName().rfind("DSF_", 0) == 0) delete item;
}

void TskSkinForm::CreateSysMenu() {
    DropStandardSysMenuItems();
    TMenuItem* items = FSysMenu->GetItems();
    items->Clear();
    static const std::pair<const char*, const char*> kItems[] = {{"DSF_MINITEM", "Mi&nimize"},
                                                                 {"DSF_MAXITEM", "Ma&ximize"},
                                                                 {"DSF_RESTORE", kRestoreCaption},
                                                                 {"DSF_ROLLUP", "Ro&llUp"},
                                                                 {"DSF_MINTOTRAY", "Minimize to &Tray"}};
    for (const auto& [name, caption] : kItems)
        if (SysMenuWants(name)) items->Add(NewSysMenuItem(name, caption));
    if (items->GetCount() > 0) items->Add(NewSysMenuItem("", "-"));
    items->Add(NewSysMenuItem("DSF_CLOSE", "&Close"));
}

void TskSkinForm::CreateUserSysMenu() {
    if (!FUseDefaultSysMenu) return;
    DropStandardSysMenuItems();
    TMenuItem* items = FSystemMenu->GetItems();
    static const char* const kNames[] = {"DSF_MINITEM", "DSF_MAXITEM",   "DSF_CLOSE",
                                         "DSF_MINTOTRAY", "DSF_ROLLUP", "DSF_RESTORE"};
    for (int i = items->GetCount() - 1; i >= 0; --i) {
        const AnsiString name = items->GetItem(i)->GetName();
        if (std::find(std::begin(kNames), std::end(kNames), name) != std::end(kNames)) delete items->GetItem(i);
    }
    // Each goes on top of the ones before it.
    static const std::pair<const char*, const char*> kOnTop[] = {{"DSF_MINTOTRAY", "Minimize to &Tray"},
                                                                 {"DSF_ROLLUP", "Ro&llUp"},
                                                                 {"DSF_MAXITEM", "Ma&ximize"},
                                                                 {"DSF_RESTORE", kRestoreCaption},
                                                                 {"DSF_MINITEM", "Mi&nimize"}};
    for (const auto& [name, caption] : kOnTop)
        if (SysMenuWants(name)) items->Insert(0, NewSysMenuItem(name, caption));
    items->Add(NewSysMenuItem("DSF_CLOSE", "&Close"));
}

TPopupMenu* TskSkinForm::GetSystemMenu() {
    if (!FSystemMenu) {
        CreateSysMenu();
        return FSysMenu;
    }
    CreateUserSysMenu();
    return FSystemMenu;
}

void TskSkinForm::TrackSystemMenu(int X, int Y) {
    TPopupMenu* menu = GetSystemMenu();
    SkinMenuOpen();
    SkinMenu->Popup(nullptr, FMenusSkinData ? FMenusSkinData : FSkinData, 0, TRect(X, Y, X, Y), menu->GetItems(),
                    false);
}

void TskSkinForm::TrackObjectMenu(TMenuItem* Item, const TRect& ScreenRect, bool PopupUp) {
    if (auto* popup = dynamic_cast<TskSkinPopupMenu*>(Item->GetParentMenu())) {
        popup->PopupFromRect(ScreenRect, PopupUp);
        return;
    }
    SkinMenuOpen();
    SkinMenu->Popup(nullptr, FMenusSkinData ? FMenusSkinData : FSkinData, 0, ScreenRect, Item, PopupUp);
}

void TskSkinForm::KeyMenu() {
    if (FMainMenuActive) return SkinMainMenuClose();
    if (SkinMenu->Visible) SkinMenu->Hide();
    FMainMenuActive = true;
    if (FMainMenuBar)
        FMainMenuBar->MenuEnter();
    else
        ActivateMenu();
    HookApp();
    if (OnMainMenuEnter) OnMainMenuEnter(this);
}

// The tray part of TskSkinForm: its tray icon, the tray menu and minimizing the program
// to the notification area and back.
#include "skin/form/SkinForm.h"

void TskSkinForm::CreateSysTrayMenu() {
    TMenuItem* items = SysTrayMenu->GetItems();
    auto add = [&](const char* Name, const char* Caption, void (TskSkinForm::*Click)(TObject*)) {
        auto* item = new TMenuItem(this);
        item->SetName(Name);
        item->SetCaption(Caption);
        if (Click) item->OnClick = TNotifyEvent(this, Click);
        items->Add(item);
        return item;
    };
    add("TRAY_DSF_RESTORE", kRestoreCaption, &TskSkinForm::TSM_Restore);
    add("", "-", nullptr);
    add("TRAY_DSF_CLOSE", "&Close", &TskSkinForm::TSM_Close)->SetShortCut(CloseShortCut());
    SysTrayMenu->OnPopup = TNotifyEvent(this, &TskSkinForm::SysTrayMenuPopup);
}

// The menu is built with the component, before a form read from its resource knows its
// style: the close item's key is the one the form closes with as it is now.
void TskSkinForm::SysTrayMenuPopup(TObject*) {
    if (auto* item = dynamic_cast<TMenuItem*>(FindComponent("TRAY_DSF_CLOSE"))) item->SetShortCut(CloseShortCut());
}

void TskSkinForm::SetTrayIcon(TskTrayIcon* Value) {
    if (Value == FTrayIcon) return;
    ReleaseTrayIcon();
    SetReference(this, FTrayIcon, Value);
    if (!FTrayIcon) return;
    FTrayIcon->SetIconVisible(false);
    FTrayIcon->SetMinimizeToTray(false);
    if (FTrayIcon->IsDesigning() || FTrayIcon->GetPopupMenu()) return;
    FTrayIcon->SetPopupMenu(SysTrayMenu);
    FTrayIcon->OnDblClick = TNotifyEvent(this, &TskSkinForm::TrayIconDBLCLK);
}

void TskSkinForm::ReleaseTrayIcon() {
    if (!FTrayIcon) return;
    // A tray icon that outlives this component must not call it.
    if (FTrayIcon->OnDblClick.Object() == this) FTrayIcon->OnDblClick = nullptr;
    if (FTrayIcon->GetPopupMenu() == SysTrayMenu) FTrayIcon->SetPopupMenu(nullptr);
}

void TskSkinForm::MinimizeToTray() {
    if (!FTrayIcon) return;
    TComponentProtector protect(this);
    FTrayIcon->SetMinimizeToTray(true);
    Application->Minimize();
    if (!IsDestroying() && OnMinimizeToTray) OnMinimizeToTray(this);
}

void TskSkinForm::RestoreFromTray() {
    if (!FTrayIcon) return;
    TComponentProtector protect(this);
    FTrayIcon->SetMinimizeToTray(false);
    FTrayIcon->ShowMainForm();
    Application->Restore();
    if (IsDestroying() || !FTrayIcon) return;
    FTrayIcon->SetIconVisible(false);
    if (OnRestoreFromTray) OnRestoreFromTray(this);
}

void TskSkinForm::SM_MinToTray(TObject*) {
    MinimizeToTray();
}

void TskSkinForm::TSM_Restore(TObject*) {
    RestoreFromTray();
}

void TskSkinForm::TSM_Close(TObject*) {
    FForm->Close();
}

void TskSkinForm::TrayIconDBLCLK(TObject*) {
    RestoreFromTray();
}

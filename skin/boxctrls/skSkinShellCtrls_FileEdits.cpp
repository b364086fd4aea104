#include "skin/boxctrls/skSkinShellCtrls_FileEdits.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Persistence.h"

TskSkinDialogEdit::TskSkinDialogEdit(TComponent* AOwner) : TskSkinEdit(AOwner) {
    // The component's name never becomes the edit's text.
    SetControlStyle(GetControlStyle() >> csSetCaption);
    SetButtonMode(true);
    FSkinDataName = "buttonedit";
}

void TskSkinDialogEdit::Published(TPropertyList& P) {
    using C = TskSkinDialogEdit;
    P.Add("DlgSkinData", &C::GetDlgSkinData, &C::SetDlgSkinData);
    P.Add("DlgCtrlSkinData", &C::GetDlgCtrlSkinData, &C::SetDlgCtrlSkinData);
    P.Add("ButtonMode", &C::GetButtonMode, &C::SetButtonMode, true);
}

void TskSkinDialogEdit::SetDlgSkinData(TskSkinData* Value) {
    SetReference(this, FDlgSkinData, Value);
}

void TskSkinDialogEdit::SetDlgCtrlSkinData(TskSkinData* Value) {
    SetReference(this, FDlgCtrlSkinData, Value);
}

void TskSkinDialogEdit::Notification(TComponent* AComponent, TOperation Operation) {
    TskSkinEdit::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FDlgSkinData) FDlgSkinData = nullptr;
    if (AComponent == FDlgCtrlSkinData) FDlgCtrlSkinData = nullptr;
}

void TskSkinDialogEdit::SkinDialog(TskSkinDialogComponent* Dialog) {
    Dialog->SetSkinData(FDlgSkinData);
    Dialog->SetCtrlSkinData(FDlgCtrlSkinData);
}

TskSkinDirectoryEdit::TskSkinDirectoryEdit(TComponent* AOwner)
    : TskSkinDialogEdit(AOwner), FDialog(new TskSkinSelectDirectoryDialog(this)) {}

void TskSkinDirectoryEdit::ButtonClick() {
    FDialog->SetDirectory(GetText());
    SkinDialog(FDialog);
    TComponentProtector protect(this);
    if (FDialog->Execute() && !IsDestroying()) SetText(FDialog->GetDirectory());
}

TskSkinFileEdit::TskSkinFileEdit(TComponent* AOwner) : TskSkinFileEdit(AOwner, false) {}

TskSkinFileEdit::TskSkinFileEdit(TComponent* AOwner, bool Save)
    : TskSkinDialogEdit(AOwner),
      FDialog(Save ? new TskSkinSaveDialog(this) : new TskSkinOpenDialog(this)) {}

void TskSkinFileEdit::Published(TPropertyList& P) {
    using C = TskSkinFileEdit;
    P.Add("LVHeaderSkinDataName", &C::GetLVHeaderSkinDataName, &C::SetLVHeaderSkinDataName,
          AnsiString("resizebutton"));
    P.Add("Filter", &C::GetFilter, &C::SetFilter, AnsiString("All files|*.*"));
}

void TskSkinFileEdit::ButtonClick() {
    FDialog->SetFileName(GetText());
    SkinDialog(FDialog);
    FDialog->SetLVHeaderSkinDataName(FLVHeaderSkinDataName);
    TComponentProtector protect(this);
    if (FDialog->Execute() && !IsDestroying()) SetText(FDialog->GetFileName());
}

TskSkinSaveFileEdit::TskSkinSaveFileEdit(TComponent* AOwner) : TskSkinFileEdit(AOwner, true) {}

REGISTER_CLASS(TskSkinDirectoryEdit);
REGISTER_CLASS(TskSkinFileEdit);
REGISTER_CLASS(TskSkinSaveFileEdit);

DEFINE_UNIT(skSkinShellCtrls_FileEdits, uoSkin + 33, nullptr, nullptr);

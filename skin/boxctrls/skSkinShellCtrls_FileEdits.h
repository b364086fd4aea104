// Skinned button edits that ask for a folder or a file: the button opens the select-folder,
// open or save dialog that the edit owns, and the name chosen becomes the edit's text. The
// dialogs keep their remembered size, pane and view between clicks.
#pragma once

#include "skin/boxctrls/SkinBoxCtrls_Edits.h"
#include "skin/boxctrls/skSkinShellCtrls_Dialogs.h"
#include "skin/boxctrls/skSkinShellCtrls_FolderDialog.h"

DECLARE_UNIT(skSkinShellCtrls_FileEdits)

// What the three edits share: the button, the skin name "buttonedit", and the skins their
// dialog is shown with.
class TskSkinDialogEdit : public TskSkinEdit {
    DECLARE_CLASS(TskSkinDialogEdit, TskSkinEdit)
public:
    explicit TskSkinDialogEdit(TComponent* AOwner);
    static void Published(TPropertyList& P);

    TskSkinData* GetDlgSkinData() const { return FDlgSkinData; }
    void SetDlgSkinData(TskSkinData* Value);
    TskSkinData* GetDlgCtrlSkinData() const { return FDlgCtrlSkinData; }
    void SetDlgCtrlSkinData(TskSkinData* Value);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The dialog takes the edit's skins before it shows.
    void SkinDialog(TskSkinDialogComponent* Dialog);

private:
    TskSkinData* FDlgSkinData = nullptr;
    TskSkinData* FDlgCtrlSkinData = nullptr;
};

class TskSkinDirectoryEdit : public TskSkinDialogEdit {
    DECLARE_CLASS(TskSkinDirectoryEdit, TskSkinDialogEdit)
public:
    explicit TskSkinDirectoryEdit(TComponent* AOwner);

    TskSkinSelectDirectoryDialog* GetDialog() const { return FDialog; }

protected:
    void ButtonClick() override;

private:
    TskSkinSelectDirectoryDialog* FDialog;
};

// An edit whose button opens an open dialog (a save dialog for TskSkinSaveFileEdit).
class TskSkinFileEdit : public TskSkinDialogEdit {
    DECLARE_CLASS(TskSkinFileEdit, TskSkinDialogEdit)
public:
    explicit TskSkinFileEdit(TComponent* AOwner);
    static void Published(TPropertyList& P);

    TskSkinOpenDialog* GetDialog() const { return FDialog; }
    const AnsiString& GetLVHeaderSkinDataName() const { return FLVHeaderSkinDataName; }
    void SetLVHeaderSkinDataName(const AnsiString& Value) { FLVHeaderSkinDataName = Value; }
    // The dialog's filter.
    AnsiString GetFilter() const { return FDialog->GetFilter(); }
    void SetFilter(const AnsiString& Value) { FDialog->SetFilter(Value); }

protected:
    // The edit of a save dialog when Save.
    TskSkinFileEdit(TComponent* AOwner, bool Save);
    void ButtonClick() override;

private:
    TskSkinOpenDialog* FDialog;
    AnsiString FLVHeaderSkinDataName = "resizebutton";
};

class TskSkinSaveFileEdit : public TskSkinFileEdit {
    DECLARE_CLASS(TskSkinSaveFileEdit, TskSkinFileEdit)
public:
    explicit TskSkinSaveFileEdit(TComponent* AOwner);
};

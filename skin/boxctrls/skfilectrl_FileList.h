// The file list: the names in a folder that match one or more ";"-separated masks, sorted;
// a linked edit mirrors the selection, a linked folder list moves it, and a typed path is
// applied to folder, mask and selection at once.
#pragma once

#include "skin/boxctrls/SkinBoxCtrls_ListBoxes.h"

DECLARE_UNIT(skfilectrl_FileList)

class TCustomEdit;
class TskSkinDirectoryListBox;

enum TFileAttr { ftReadOnly, ftHidden, ftSystem, ftVolumeID, ftDirectory, ftArchive, ftNormal };
using TFileType = TSet<TFileAttr>;

class TskSkinFileListBox : public TskSkinListBox {
    DECLARE_CLASS(TskSkinFileListBox, TskSkinListBox)
public:
    explicit TskSkinFileListBox(TComponent* AOwner);
    ~TskSkinFileListBox() override;
    static void Published(TPropertyList& P);

    TNotifyEvent OnChange;

    const AnsiString& GetDirectory() const { return FDirectory; }
    // A folder that cannot be entered raises EInOutError when the list is read.
    void SetDirectory(const AnsiString& Value);
    char GetDrive() const { return FDirectory.empty() ? '\0' : FDirectory[0]; }
    void SetDrive(char Value);
    const AnsiString& GetMask() const { return FMask; }
    void SetMask(const AnsiString& Value);
    TFileType GetFileType() const { return FFileType; }
    void SetFileType(TFileType Value);
    // The selected row's text; "" without a selection.
    AnsiString GetFileName() const;
    void SetFileName(const AnsiString& Value);
    TCustomEdit* GetFileEdit() const { return FFileEdit; }
    void SetFileEdit(TCustomEdit* Value);
    TskSkinDirectoryListBox* GetDirList() const { return FDirList; }
    // Set by the folder list it links with (null unlinks).
    void SetDirList(TskSkinDirectoryListBox* Value);
    TComponent* GetFilterCombo() const { return FFilterCombo; }
    // Set by the filter combo box it links with (null unlinks).
    void SetFilterCombo(TComponent* Value);
    // The row whose text equals Name ignoring case; -1 when none does.
    int IndexOfName(const AnsiString& Name) const;

    // Reads the folder again (the class library's Update repaints, so the name differs).
    void UpdateList();

    virtual void Change();
    virtual void ReadFileNames();
    // Directory + "\" + FileName; "" without a selection.
    virtual AnsiString GetFilePath();
    // A typed path: its folder goes to the folder list (or this list), a name with
    // wildcards becomes the mask, another name is selected.
    virtual void ApplyFilePath(const AnsiString& EditText);

    void ListBoxClick() override;
    void ListBoxCreateWnd() override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    AnsiString FDirectory;
    AnsiString FMask = "*.*";
    TFileType FFileType{ftNormal};
    int FLastSel = -1;
    TCustomEdit* FFileEdit = nullptr;
    TskSkinDirectoryListBox* FDirList = nullptr;
    TComponent* FFilterCombo = nullptr;
};

// The folder list: the current folder's ancestors from the drive root down, the folder
// itself and its sub-folders, each indented and with its folder picture. Choosing a row
// moves there; a linked file list, label and drive combo box follow.
#pragma once

#include "skin/boxctrls/SkinBoxCtrls_ListBoxes.h"
#include "skin/boxctrls/skfilectrl_Folders.h"

DECLARE_UNIT(skfilectrl_DirList)

class TskSkinFileListBox;
class TskSkinStdLabel;

// What the folder list asks of a linked drive combo box: the combo box implements it and
// links itself with SetDriveCombo.
class TskDriveLink {
public:
    // Selects Drive's row; the combo box then calls the folder list's DriveChange.
    virtual void SetDrive(char Drive) = 0;

protected:
    ~TskDriveLink() = default;
};

class TskSkinDirectoryListBox : public TskSkinListBox {
    DECLARE_CLASS(TskSkinDirectoryListBox, TskSkinListBox)
public:
    explicit TskSkinDirectoryListBox(TComponent* AOwner);
    ~TskSkinDirectoryListBox() override;
    static void Published(TPropertyList& P);

    TNotifyEvent OnChange;

    const AnsiString& GetDirectory() const { return FDirectory; }
    char GetDrive() const { return FDirectory.empty() ? '\0' : FDirectory[0]; }
    // Moves to Drive's current folder.
    void SetDrive(char Value);
    // Called by a linked drive combo box when its drive changed.
    void DriveChange(char NewDrive);
    TskSkinFileListBox* GetFileList() const { return FFileList; }
    void SetFileList(TskSkinFileListBox* Value);
    TskSkinStdLabel* GetDirLabel() const { return FDirLabel; }
    void SetDirLabel(TskSkinStdLabel* Value);
    TskDriveLink* GetDriveCombo() const { return FDriveCombo; }
    // Set by the drive combo box it links with (null unlinks); Combo is that component.
    void SetDriveCombo(TskDriveLink* Link, TComponent* Combo);

    // Moves to the folder of the selected row.
    void OpenCurrent();
    // Reads the folder again (the class library's Update repaints, so the name differs).
    void UpdateList();
    // The path row Index stands for; "" beyond the rows.
    AnsiString GetItemPath(int Index) const;
    // S as the volume shows names: lower case on a volume that keeps no case.
    AnsiString DisplayCase(const AnsiString& S) const;

    // A folder that cannot be entered raises EInOutError and leaves the list as it was.
    virtual void SetDirectory(const AnsiString& Value);
    virtual void Change();
    virtual void ReadBitmaps();
    virtual void BuildList();

    int GetFullItemWidth(int Index, TCanvas* ACanvas) override;
    void ListBoxDblClick() override;
    void ListBoxKeyDown(Word& Key, TShiftState Shift) override;
    void ListBoxCreateWnd() override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void DrawRow(TCanvas* Cnvs, int Index, int ItemWidth, int ItemHeight, const TRect& TextRect,
                 TOwnerDrawState State);
    TBitmap* RowBitmap(int Index) const;
    void ReadVolumeFlags();
    void SelectCurrentRow();

    AnsiString FDirectory;
    TskSkinFileListBox* FFileList = nullptr;
    TskSkinStdLabel* FDirLabel = nullptr;
    TskDriveLink* FDriveCombo = nullptr;
    TComponent* FDriveComboComponent = nullptr;
    bool FInSetDir = false;
    bool FPreserveCase = true;
    bool FCaseSensitive = false;
    std::vector<Skfilectrl::TFolderRow> FRows;
    std::unique_ptr<TBitmap> FOpenedBmp, FClosedBmp, FCurrentBmp;
};

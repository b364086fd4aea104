// TskSkinShellDriveComboBox: a skinned drop-down list of the drives with the shell's
// display names and small icons.
#pragma once

#include "skin/boxctrls/SkinBoxCtrls_ComboBoxes.h"

#include "classlib/ImageLists.h"
#include "classlib/StringList.h"

DECLARE_UNIT(skSkinShellCtrls_DriveCombo)

class TskSkinShellDriveComboBox : public TskSkinComboBox {
    DECLARE_CLASS(TskSkinShellDriveComboBox, TskSkinComboBox)
public:
    explicit TskSkinShellDriveComboBox(TComponent* AOwner);
    ~TskSkinShellDriveComboBox() override;
    static void Published(TPropertyList& P);

    // Fired after the chosen drive became Drive (in place of the box's own text event).
    TNotifyEvent OnChange;

    // The items again: every drive from A to Z that is removable or better, by the drive
    // probe; the drive chosen before stays chosen.
    void BuildList();
    // Takes the shell's image list afresh, then builds the list.
    void UpdateDrives();
    char GetDrive() const { return FDrive; }
    // Selects the item of Value (either case); a letter without a drive changes nothing.
    void SetDrive(char Value);
    // One drive letter per item.
    TStringList* GetDriveLetters() const { return FDriveLetters.get(); }
    int GetLastIndex() const { return FLastIndex; }
    TImageList* GetDriveImages() const { return FDriveImages.get(); }

protected:
    void CreateWnd() override;
    void Change() override;
    void DrawItem(TCanvas* Canvas, int Index, int ItemWidth, int ItemHeight, const TRect& Rect,
                  TOwnerDrawState State);

private:
    void MakeImages();

    std::unique_ptr<TStringList> FDriveLetters;
    std::vector<int> FIcons;
    int FLastIndex = -1;
    std::unique_ptr<TImageList> FDriveImages;
    char FDrive = '\0';
    bool FChanging = false;
};

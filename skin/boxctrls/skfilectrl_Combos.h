// The file types of a filter string and the drives of the machine as skinned combo
// boxes. The filter combo hands the chosen type's mask to a linked file list; the drive
// combo moves a linked folder list to the chosen drive.
#pragma once

#include "skin/boxctrls/SkinBoxCtrls_ComboBoxes.h"
#include "skin/boxctrls/skfilectrl_DirList.h"

#include <memory>
#include <vector>

DECLARE_UNIT(skfilectrl_Combos)

class TskSkinFileListBox;

class TskSkinFilterComboBox : public TskSkinComboBox {
    DECLARE_CLASS(TskSkinFilterComboBox, TskSkinComboBox)
public:
    explicit TskSkinFilterComboBox(TComponent* AOwner);
    static void Published(TPropertyList& P);

    const AnsiString& GetFilter() const { return FFilter; }
    // A filter equal to this one but for letter case changes nothing.
    void SetFilter(const AnsiString& Value);
    // The selected type's mask; with none selected the last type is selected first, and
    // without any type "*.*".
    AnsiString GetMask();
    TskSkinFileListBox* GetFileList() const { return FFileList; }
    void SetFileList(TskSkinFileListBox* Value);

    // The descriptions go to Items, the masks beside them.
    void BuildList();

protected:
    void Change() override;
    void Click() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    bool IsFilterStored() const;

    AnsiString FFilter;
    std::vector<AnsiString> FMasks;
    TskSkinFileListBox* FFileList = nullptr;
};

enum TTextCase { tcLowerCase, tcUpperCase };

class TskSkinDriveComboBox : public TskSkinComboBox, public TskDriveLink {
    DECLARE_CLASS(TskSkinDriveComboBox, TskSkinComboBox)
public:
    explicit TskSkinDriveComboBox(TComponent* AOwner);
    ~TskSkinDriveComboBox() override;
    static void Published(TPropertyList& P);

    // '\0' when none is chosen.
    char GetDrive() const { return FDrive; }
    void SetDrive(char NewDrive) override;
    TTextCase GetTextCase() const { return FTextCase; }
    void SetTextCase(TTextCase Value);
    TskSkinDirectoryListBox* GetDirList() const { return FDirList; }
    void SetDirListBox(TskSkinDirectoryListBox* Value);

    // One row per drive the drive probe reports, with its type's picture.
    virtual void BuildList();

protected:
    void CreateWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void DriveChange(TObject* Sender);
    void DrawDriveItem(TCanvas* Cnvs, int Index, int ItemWidth, int ItemHeight,
                       const TRect& TextRect, TOwnerDrawState State);

    char FDrive = '\0';
    TTextCase FTextCase = tcLowerCase;
    TskSkinDirectoryListBox* FDirList = nullptr;
    std::unique_ptr<TBitmap> FFloppyBMP, FHardBMP, FNetworkBMP, FCDROMBMP, FRAMBMP;
};

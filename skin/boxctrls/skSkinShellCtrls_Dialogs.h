// TskSkinOpenDialog and TskSkinSaveDialog: modal skinned dialogs that ask for one file name.
// Each Execute builds a TskOpenDlgForm in code (tool bar, folder pane with a tree, file list,
// name edit, filter combo box, two buttons), shows it and frees it. The component remembers
// the dialog's size, the pane's width and roll state, the list's view style and the filter
// from one run to the next.
#pragma once

#include "skin/boxctrls/SkinBoxCtrls_Edits.h"
#include "skin/boxctrls/skSkinShellCtrls_DirTree.h"
#include "skin/boxctrls/skSkinShellCtrls_DriveCombo.h"
#include "skin/boxctrls/skSkinShellCtrls_FileList.h"
#include "skin/boxctrls/skSkinShellCtrls_FolderDialog.h"
#include "skin/boxctrls/skfilectrl_Combos.h"
#include "skin/controls/SkinCtrls_Bevels.h"
#include "skin/controls/SkinCtrls_Buttons.h"
#include "skin/controls/SkinCtrls_ExPanels.h"
#include "skin/controls/SkinCtrls_Labels.h"
#include "skin/controls/SkinCtrls_Panels.h"
#include "skin/controls/SkinCtrls_ScrollBars.h"
#include "skin/controls/SkinCtrls_SpeedButtons.h"
#include "skin/form/SkinForm.h"

DECLARE_UNIT(skSkinShellCtrls_Dialogs)

class TskOpenDlgForm : public TForm {
    DECLARE_CLASS(TskOpenDlgForm, TForm)
public:
    TskOpenDlgForm(TComponent* AOwner, bool ASaveMode);

    // True while the list, the tree or the drive combo box hands a change to the others.
    bool FromFLV = false;
    bool FromDTV = false;
    bool FromDCB = false;
    bool SaveMode = false;
    // The accepted full path.
    AnsiString FileName;

    TskSkinForm* DSF = nullptr;
    TskSkinPanel* ToolPanel = nullptr;
    TskSkinSpeedButton* BackToolButton = nullptr;
    TskSkinSpeedButton* SortNameToolButton = nullptr;
    TskSkinSpeedButton* SortSizeToolButton = nullptr;
    TskSkinSpeedButton* SortDateButton = nullptr;
    TskSkinBevel* SortDivider = nullptr;
    TskSkinSpeedButton* ListToolButton = nullptr;
    TskSkinSpeedButton* SmallIconToolButton = nullptr;
    TskSkinSpeedButton* IconToolButton = nullptr;
    TskSkinSpeedButton* ReportToolButton = nullptr;
    TskSkinBevel* RightDivider = nullptr;
    TskSkinBevel* LeftDivider = nullptr;
    TskSkinShellDriveComboBox* DCB = nullptr;
    TskSkinPanel* BottomPanel = nullptr;
    TskSkinSplitter* Splitter = nullptr;
    TskSkinExPanel* DTVPanel = nullptr;
    TskSkinPanel* FLVPanel = nullptr;
    TskSkinScrollBar* DTVVScrollBar = nullptr;
    TskSkinScrollBar* DTVHScrollBar = nullptr;
    TskSkinDirTreeView* DTV = nullptr;
    TskSkinScrollBar* FLVHScrollBar = nullptr;
    TskSkinScrollBar* FLVVScrollBar = nullptr;
    TskSkinFileListView* FLV = nullptr;
    TskSkinEdit* Edit = nullptr;
    TskSkinFilterComboBox* FCB = nullptr;
    TskSkinButton* OpenButton = nullptr;
    TskSkinButton* CancelButton = nullptr;
    TskSkinStdLabel* NameLabel = nullptr;
    TskSkinStdLabel* TypeLabel = nullptr;

    // The speed button that stands for a view style.
    TskSkinSpeedButton* StyleButton(TViewStyle Style);
    // Every skinned control of the form except the tree and the list.
    virtual void SetControlsSkinData(TskSkinData* Value);
    // The least client size at which the name field, the type box and both buttons are
    // whole, with the margin the labels keep on the left, and the file list and the folder
    // pane keep room to use.
    TPoint LeastClientSize();

    void ToolPanelOnResize(TObject* Sender);
    void BackToolButtonClick(TObject* Sender);
    void SortNameToolButtonClick(TObject* Sender);
    void SortSizeToolButtonClick(TObject* Sender);
    void SortDateButtonClick(TObject* Sender);
    void ListToolButtonClick(TObject* Sender);
    void SmallIconToolButtonClick(TObject* Sender);
    void IconToolButtonClick(TObject* Sender);
    void ReportToolButtonClick(TObject* Sender);
    void DCBChange(TObject* Sender);
    void DTVChange(TObject* Sender);
    void FLVChange(TObject* Sender, int Item, TItemChange Change);
    void FLVDBLClick(TObject* Sender);
    void FCBChange(TObject* Sender);
    void EditKeyPress(TObject* Sender, char& Key);
    void OpenButtonClick(TObject* Sender);

protected:
    // Puts Control into the tool bar at Left, then aligns it: alignment keeps each control
    // at the place it was given among those of its alignment.
    void JoinToolBar(TControl* Control, TAlign Align, int Left);
    // Right-aligned buttons join the bar at its right end.
    TskSkinSpeedButton* MakeToolButton(const char* Glyph, const char* Hint, TAlign Align, TNotifyEvent Click);
    TskSkinBevel* MakeDivider(int Width, TAlign Align, int Left);
    TskSkinStdLabel* MakeLabel(const AnsiString& Caption, int Top);

private:
    void SetViewStyle(TViewStyle Style, bool UpdateBars);
    // Closes the form with Path as the accepted name.
    void Accept(const AnsiString& Path);
};

class TskSkinOpenDialog : public TskSkinDialogComponent {
    DECLARE_CLASS(TskSkinOpenDialog, TskSkinDialogComponent)
public:
    explicit TskSkinOpenDialog(TComponent* AOwner);
    static void Published(TPropertyList& P);

    // True when the user accepted a name: FileName then holds its full path.
    bool Execute();

    const AnsiString& GetLVHeaderSkinDataName() const { return FLVHeaderSkinDataName; }
    void SetLVHeaderSkinDataName(const AnsiString& Value) { FLVHeaderSkinDataName = Value; }
    const AnsiString& GetInitialDir() const { return FInitialDir; }
    void SetInitialDir(const AnsiString& Value) { FInitialDir = Value; }
    const AnsiString& GetFilter() const { return FFilter; }
    void SetFilter(const AnsiString& Value) { FFilter = Value; }
    int GetFilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int Value) { FFilterIndex = Value; }
    const AnsiString& GetFileName() const { return FFileName; }
    void SetFileName(const AnsiString& Value) { FFileName = Value; }

    // The form while Execute runs, null otherwise.
    TskOpenDlgForm* Dlg = nullptr;
    bool SaveMode = false;
    // Remembered from the last close, with the dialog's client size.
    int PaneWidth = 200;
    bool PaneRolled = false;
    TViewStyle ListViewStyle = vsList;

protected:
    // The form of one Execute; a descendant makes its own kind.
    virtual TskOpenDlgForm* NewForm();
    // The form, its lists filled, before it shows; and after it closed, whatever the result.
    virtual void BeforeShow(TskOpenDlgForm*) {}
    virtual void AfterShow(TskOpenDlgForm*) {}

    // The client size of the first run.
    int FDefaultClientWidth = 500;

private:
    // Puts the list in its first folder and the edit's first text.
    void OpenStartFolder(TskOpenDlgForm* Form);
    void Remember(TskOpenDlgForm* Form);

    AnsiString FLVHeaderSkinDataName = "resizebutton";
    AnsiString FInitialDir;
    AnsiString FFilter = "All files|*.*";
    AnsiString FFileName;
    int FFilterIndex = 1;
};

class TskSkinSaveDialog : public TskSkinOpenDialog {
    DECLARE_CLASS(TskSkinSaveDialog, TskSkinOpenDialog)
public:
    explicit TskSkinSaveDialog(TComponent* AOwner);
    static void Published(TPropertyList& P);
};

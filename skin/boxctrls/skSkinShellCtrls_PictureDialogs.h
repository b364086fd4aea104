// TskSkinOpenPictureDialog and TskSkinSavePictureDialog: the open and save dialogs with a
// picture preview pane at the right, a scroll box that shows the selected file at its own
// size or stretched to the pane, and a stretch button in the tool bar. The component
// remembers the pane's width and the stretch button's state from one run to the next.
#pragma once

#include "skin/boxctrls/SkinBoxCtrls_ScrollBoxes.h"
#include "skin/boxctrls/skSkinShellCtrls_Dialogs.h"

#include "classlib/Images.h"

DECLARE_UNIT(skSkinShellCtrls_PictureDialogs)

class TskOpenPictureDlgForm : public TskOpenDlgForm {
    DECLARE_CLASS(TskOpenPictureDlgForm, TskOpenDlgForm)
public:
    TskOpenPictureDlgForm(TComponent* AOwner, bool ASaveMode);

    TskSkinPanel* PreviewPanel = nullptr;
    TskSkinSplitter* PreviewSplitter = nullptr;
    TskSkinScrollBar* PreviewVScrollBar = nullptr;
    TskSkinScrollBar* PreviewHScrollBar = nullptr;
    TskSkinScrollBox* PreviewScrollBox = nullptr;
    TImage* Image = nullptr;
    TskSkinBevel* StretchDivider = nullptr;
    TskSkinSpeedButton* StretchButton = nullptr;

    void SetControlsSkinData(TskSkinData* Value) override;

    // The list's selection as the base form handles it, then the selected file's preview. A
    // file the picture loader refuses empties the preview and raises the loader's error.
    void FLVChange(TObject* Sender, int Item, TItemChange Change);
    void StretchButtonClick(TObject* Sender);
    // The preview stretched to the pane or at the picture's own size, as the button says.
    void ApplyStretch();
};

class TskSkinOpenPictureDialog : public TskSkinOpenDialog {
    DECLARE_CLASS(TskSkinOpenPictureDialog, TskSkinOpenDialog)
public:
    explicit TskSkinOpenPictureDialog(TComponent* AOwner);
    static void Published(TPropertyList& P);

    // The form while Execute runs, null otherwise.
    TskOpenPictureDlgForm* GetDlg() const { return static_cast<TskOpenPictureDlgForm*>(Dlg); }

    // Remembered from the last close.
    int PreviewWidth = 200;
    bool PreviewStretched = false;

protected:
    TskOpenDlgForm* NewForm() override;
    void BeforeShow(TskOpenDlgForm* Form) override;
    void AfterShow(TskOpenDlgForm* Form) override;
};

class TskSkinSavePictureDialog : public TskSkinOpenPictureDialog {
    DECLARE_CLASS(TskSkinSavePictureDialog, TskSkinOpenPictureDialog)
public:
    explicit TskSkinSavePictureDialog(TComponent* AOwner);
    static void Published(TPropertyList& P);
};

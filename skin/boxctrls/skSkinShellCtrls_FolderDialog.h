// TskSkinSelectDirectoryDialog: a modal skinned dialog in which the user picks one folder
// in a TskSkinDirTreeView. Each Execute builds a TskSelDirDlgForm in code, shows it and
// frees it; the component remembers the client size between runs.
#pragma once

#include "skin/boxctrls/skSkinShellCtrls_DirTree.h"
#include "skin/controls/SkinCtrls_Buttons.h"
#include "skin/controls/SkinCtrls_Panels.h"
#include "skin/form/SkinForm.h"

DECLARE_UNIT(skSkinShellCtrls_FolderDialog)

// A disabled skinned scroll bar for a view of a dialog: vertical at Parent's right or
// horizontal at its bottom, 19 pixels thick, owned by Parent's owner.
TskSkinScrollBar* MakeDialogScrollBar(TWinControl* Parent, TScrollBarKind Kind);

class TskSelDirDlgForm : public TForm {
    DECLARE_CLASS(TskSelDirDlgForm, TForm)
public:
    explicit TskSelDirDlgForm(TComponent* AOwner);

    TskSkinForm* DSF = nullptr;
    TskSkinPanel* TreePanel = nullptr;
    TskSkinScrollBar* VScrollBar = nullptr;
    TskSkinScrollBar* HScrollBar = nullptr;
    TskSkinDirTreeView* DTV = nullptr;
    TskSkinPanel* ButtonPanel = nullptr;
    TskSkinButton* OKButton = nullptr;
    TskSkinButton* CancelButton = nullptr;
};

// What the folder, open and save dialog components share: the skins, the message box, the
// font, the title, the frame's blending, the remembered client size and OnChange.
class TskSkinDialogComponent : public TComponent {
    DECLARE_CLASS(TskSkinDialogComponent, TComponent)
public:
    TskSkinDialogComponent(TComponent* AOwner, const AnsiString& ATitle);
    static void Published(TPropertyList& P);

    // Fires OnChange.
    void Change();

    TskSkinMessage* GetSkinMessage() const { return FSkinMessage; }
    void SetSkinMessage(TskSkinMessage* Value);
    TskSkinData* GetSkinData() const { return FSkinData; }
    void SetSkinData(TskSkinData* Value);
    TskSkinData* GetCtrlSkinData() const { return FCtrlSkinData; }
    void SetCtrlSkinData(TskSkinData* Value);
    TFont* GetDefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* Value) { FDefaultFont->Assign(Value); }
    const AnsiString& GetTitle() const { return FTitle; }
    void SetTitle(const AnsiString& Value) { FTitle = Value; }
    bool GetAlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool Value) { FAlphaBlend = Value; }
    Byte GetAlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(Byte Value) { FAlphaBlendValue = Value; }
    bool GetAlphaBlendAnimation() const { return FAlphaBlendAnimation; }
    void SetAlphaBlendAnimation(bool Value) { FAlphaBlendAnimation = Value; }

    TNotifyEvent OnChange;
    // The client size the dialog had when it last closed; 0 before the first run.
    int DialogWidth = 0;
    int DialogHeight = 0;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The remembered client size, or the default one before the first run, never below
    // what the skinned frame needs nor below Least. Least also becomes the least client size
    // the frame can be dragged to.
    void FitClientSize(TForm* Form, TskSkinForm* Frame, int DefaultWidth, int DefaultHeight,
                       TPoint Least = {}) const;

    TskSkinMessage* FSkinMessage = nullptr;
    TskSkinData* FSkinData = nullptr;
    TskSkinData* FCtrlSkinData = nullptr;
    std::unique_ptr<TFont> FDefaultFont;
    AnsiString FTitle;
    bool FAlphaBlend = false;
    Byte FAlphaBlendValue = 200;
    bool FAlphaBlendAnimation = false;
};

class TskSkinSelectDirectoryDialog : public TskSkinDialogComponent {
    DECLARE_CLASS(TskSkinSelectDirectoryDialog, TskSkinDialogComponent)
public:
    explicit TskSkinSelectDirectoryDialog(TComponent* AOwner);
    static void Published(TPropertyList& P);

    // True when the user chose a folder with OK: Directory then holds the tree's path of
    // the chosen node (a drive's root, a folder without trailing "\", "" for the root).
    bool Execute();

    const AnsiString& GetDirectory() const { return FDirectory; }
    void SetDirectory(const AnsiString& Value) { FDirectory = Value; }

    // The form while Execute runs, null otherwise.
    TskSelDirDlgForm* Dlg = nullptr;

private:
    AnsiString FDirectory;
};

#include "skin/boxctrls/skSkinShellCtrls_FolderDialog.h"

#include "skin/form/skMessages.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Persistence.h"

namespace {

TskSkinButton* MakeButton(TWinControl* Parent, const AnsiString& Caption, int Left, int Result) {
    auto* button = new TskSkinButton(Parent->GetOwner());
    button->SetParent(Parent);
    button->SetCaption(Caption);
    button->SetCanFocused(true);
    button->SetBounds(Left, 15, 70, button->GetHeight());
    button->SetDefaultHeight(25);
    button->SetModalResult(Result);
    return button;
}

} // namespace

TskSkinScrollBar* MakeDialogScrollBar(TWinControl* Parent, TScrollBarKind Kind) {
    auto* bar = new TskSkinScrollBar(Parent->GetOwner());
    bar->SetParent(Parent);
    if (Kind == sbVertical) {
        bar->SetKind(sbVertical);
        bar->SetAlign(alRight);
        bar->SetDefaultWidth(19);
        bar->SetSkinDataName("vscrollbar");
    } else {
        bar->SetAlign(alBottom);
        bar->SetDefaultHeight(19);
        bar->SetBothMarkerWidth(19);
        bar->SetSkinDataName("hscrollbar");
    }
    bar->SetEnabled(false);
    return bar;
}

TskSelDirDlgForm::TskSelDirDlgForm(TComponent* AOwner) : TForm(AOwner) {
    SetKeyPreview(true);
    SetPosition(poScreenCenter);
    DSF = new TskSkinForm(this);

    TreePanel = new TskSkinPanel(this);
    TreePanel->SetParent(this);
    TreePanel->SetAlign(alClient);
    TreePanel->SetBorderStyle(TskSkinBorderStyle::bvFrame);
    TreePanel->SetHeight(200);
    VScrollBar = MakeDialogScrollBar(TreePanel, sbVertical);
    HScrollBar = MakeDialogScrollBar(TreePanel, sbHorizontal);
    DTV = new TskSkinDirTreeView(this);
    DTV->SetParent(TreePanel);
    DTV->SetAlign(alClient);
    DTV->SetHScrollBar(HScrollBar);
    DTV->SetVScrollBar(VScrollBar);
    DTV->SetHideSelection(false);

    ButtonPanel = new TskSkinPanel(this);
    ButtonPanel->SetParent(this);
    ButtonPanel->SetAlign(alBottom);
    ButtonPanel->SetBorderStyle(TskSkinBorderStyle::bvNone);
    ButtonPanel->SetHeight(50);
    OKButton = MakeButton(ButtonPanel, "Ok", 20, mrOk);
    OKButton->SetDefault(true);
    CancelButton = MakeButton(ButtonPanel, "Cancel", 100, mrCancel);
    CancelButton->SetCancel(true);
}

TskSkinDialogComponent::TskSkinDialogComponent(TComponent* AOwner, const AnsiString& ATitle)
    : TComponent(AOwner), FDefaultFont(std::make_unique<TFont>()), FTitle(ATitle) {
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetHeight(14);
    FDefaultFont->SetStyle(TFontStyles());
}

void TskSkinDialogComponent::Published(TPropertyList& P) {
    using C = TskSkinDialogComponent;
    P.Add("SkinMessage", &C::GetSkinMessage, &C::SetSkinMessage);
    P.Add("AlphaBlend", &C::GetAlphaBlend, &C::SetAlphaBlend, false);
    P.Add("AlphaBlendValue", &C::GetAlphaBlendValue, &C::SetAlphaBlendValue, Byte(200));
    P.Add("AlphaBlendAnimation", &C::GetAlphaBlendAnimation, &C::SetAlphaBlendAnimation, false);
    P.Add("SkinData", &C::GetSkinData, &C::SetSkinData);
    P.Add("CtrlSkinData", &C::GetCtrlSkinData, &C::SetCtrlSkinData);
    P.Add("DefaultFont", &C::GetDefaultFont, &C::SetDefaultFont);
}

void TskSkinDialogComponent::SetSkinMessage(TskSkinMessage* Value) {
    SetReference(this, FSkinMessage, Value);
}

void TskSkinDialogComponent::SetSkinData(TskSkinData* Value) {
    SetReference(this, FSkinData, Value);
}

void TskSkinDialogComponent::SetCtrlSkinData(TskSkinData* Value) {
    SetReference(this, FCtrlSkinData, Value);
}

void TskSkinDialogComponent::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FSkinData) FSkinData = nullptr;
    if (AComponent == FCtrlSkinData) FCtrlSkinData = nullptr;
    if (AComponent == FSkinMessage) FSkinMessage = nullptr;
}

void TskSkinDialogComponent::Change() {
    if (OnChange) OnChange(this);
}

void TskSkinDialogComponent::FitClientSize(TForm* Form, TskSkinForm* Frame, int DefaultWidth,
                                           int DefaultHeight, TPoint Least) const {
    // A remembered size below the least one would reopen a dialog whose controls are out of
    // reach.
    int width = std::max(DialogWidth != 0 ? DialogWidth : DefaultWidth, Least.X);
    int height = std::max(DialogWidth != 0 ? DialogHeight : DefaultHeight, Least.Y);
    if (FSkinData && !FSkinData->Empty) {
        width = std::max(width, Frame->GetMinWidth());
        height = std::max(height, Frame->GetMinHeight());
    }
    Form->SetClientWidth(width);
    Form->SetClientHeight(height);
    if (Least.X <= 0 && Least.Y <= 0) return;
    // The frame limits the window, which is the client size and the frame's borders.
    Frame->SetMinWidth(Least.X + Form->GetWidth() - Form->GetClientWidth());
    Frame->SetMinHeight(Least.Y + Form->GetHeight() - Form->GetClientHeight());
}

TskSkinSelectDirectoryDialog::TskSkinSelectDirectoryDialog(TComponent* AOwner)
    : TskSkinDialogComponent(AOwner, "Select folder") {}

void TskSkinSelectDirectoryDialog::Published(TPropertyList& P) {
    using C = TskSkinSelectDirectoryDialog;
    P.Add("Title", &C::GetTitle, &C::SetTitle, AnsiString("Select folder"));
    P.Add("Directory", &C::GetDirectory, &C::SetDirectory);
}

bool TskSkinSelectDirectoryDialog::Execute() {
    std::unique_ptr<TskSelDirDlgForm> form(new TskSelDirDlgForm(Application));
    Dlg = form.get();
    struct TForget {
        TskSelDirDlgForm*& Field;
        ~TForget() { Field = nullptr; }
    } forget{Dlg};
    form->SetCaption(FTitle);
    form->DSF->SetBorderIcons({});
    form->DSF->SetSkinData(FSkinData);
    form->DSF->SetMenusSkinData(FCtrlSkinData);

    form->TreePanel->SetSkinData(FCtrlSkinData);
    TskSkinDirTreeView* tree = form->DTV;
    tree->SetDefaultFont(FDefaultFont.get());
    tree->SetSkinData(FCtrlSkinData);
    tree->SetSkinMessage(FSkinMessage);
    if (!FDirectory.empty()) tree->OpenPath(FDirectory);

    form->VScrollBar->SetSkinData(FCtrlSkinData);
    form->HScrollBar->SetSkinData(FCtrlSkinData);
    form->ButtonPanel->SetSkinData(FCtrlSkinData);
    for (TskSkinButton* button : {form->OKButton, form->CancelButton}) {
        button->SetSkinData(FCtrlSkinData);
        button->SetDefaultFont(FDefaultFont.get());
    }

    FitClientSize(form.get(), form->DSF, 250, 250);

    const bool accepted = form->ShowModal() == mrOk;
    DialogWidth = form->GetClientWidth();
    DialogHeight = form->GetClientHeight();
    if (accepted) {
        FDirectory = tree->GetDirectory();
        Change();
    }
    return accepted;
}

REGISTER_CLASS(TskSkinSelectDirectoryDialog);

DEFINE_UNIT(skSkinShellCtrls_FolderDialog, uoSkin + 31, nullptr, nullptr);

#include "skin/boxctrls/skSkinShellCtrls_PictureDialogs.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Paths.h"
#include "classlib/Persistence.h"

namespace {

const char* const kPictureFilter =
    "All (*.bmp;*.ico;*.emf;*.wmf)|*.bmp;*.ico;*.emf;*.wmf|Bitmaps (*.bmp)|*.bmp|"
    "Icons (*.ico)|*.ico|Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf";

} // namespace

TskOpenPictureDlgForm::TskOpenPictureDlgForm(TComponent* AOwner, bool ASaveMode)
    : TskOpenDlgForm(AOwner, ASaveMode) {
    PreviewPanel = new TskSkinPanel(this);
    PreviewPanel->SetParent(this);
    PreviewPanel->SetBorderStyle(TskSkinBorderStyle::bvFrame);
    PreviewPanel->SetWidth(200);
    PreviewPanel->SetLeft(GetClientWidth());
    PreviewPanel->SetAlign(alRight);

    // Left of the pane among the right-aligned controls: it sizes the pane.
    PreviewSplitter = new TskSkinSplitter(this);
    PreviewSplitter->SetParent(this);
    PreviewSplitter->SetWidth(10);
    PreviewSplitter->SetDefaultSize(10);
    PreviewSplitter->SetLeft(PreviewPanel->GetLeft() - 10);
    PreviewSplitter->SetAlign(alRight);

    PreviewVScrollBar = MakeDialogScrollBar(PreviewPanel, sbVertical);
    PreviewHScrollBar = MakeDialogScrollBar(PreviewPanel, sbHorizontal);
    PreviewScrollBox = new TskSkinScrollBox(this);
    PreviewScrollBox->SetParent(PreviewPanel);
    PreviewScrollBox->SetAlign(alClient);
    PreviewScrollBox->SetBorderStyle(TskSkinBorderStyle::bvNone);
    PreviewScrollBox->SetHScrollBar(PreviewHScrollBar);
    PreviewScrollBox->SetVScrollBar(PreviewVScrollBar);

    Image = new TImage(this);
    Image->SetParent(PreviewScrollBox);
    Image->SetBounds(0, 0, 0, 0);

    BackToolButton->SetDefaultWidth(75);
    StretchDivider = MakeDivider(27, alRight, ToolPanel->GetWidth());
    StretchButton = MakeToolButton("SK_STRETCH", "Stretch to fit", alRight,
                                   TNotifyEvent(this, &TskOpenPictureDlgForm::StretchButtonClick));
    StretchButton->SetGroupIndex(2);
    StretchButton->SetAllowAllUp(true);
    StretchButton->SetDefaultHeight(27);
    StretchButton->SetDefaultWidth(27);

    DTVPanel->SetWidth(150);
    FLV->OnChange = decltype(FLV->OnChange)(this, &TskOpenPictureDlgForm::FLVChange);
    ToolPanelOnResize(ToolPanel);
}

void TskOpenPictureDlgForm::SetControlsSkinData(TskSkinData* Value) {
    TskOpenDlgForm::SetControlsSkinData(Value);
    PreviewPanel->SetSkinData(Value);
    PreviewSplitter->SetSkinData(Value);
    PreviewVScrollBar->SetSkinData(Value);
    PreviewHScrollBar->SetSkinData(Value);
    PreviewScrollBox->SetSkinData(Value);
    StretchDivider->SetSkinData(Value);
    StretchButton->SetSkinData(Value);
}

void TskOpenPictureDlgForm::FLVChange(TObject* Sender, int Item, TItemChange Change) {
    TComponentProtector protect(this);
    TskOpenDlgForm::FLVChange(Sender, Item, Change);
    if (IsDestroying()) return;
    const int selected = FLV->GetSelectedIndex();
    if (selected < 0 || !FLV->IsFile(selected)) return;
    TPicture* picture = Image->GetPicture();
    try {
        picture->LoadFromFile(FLV->GetDirectory() + Edit->GetText());
    } catch (...) {
        // The preview never shows another file's picture for this one.
        picture->SetGraphic(nullptr);
        if (!Image->GetStretch()) Image->SetBounds(Image->GetLeft(), Image->GetTop(), 0, 0);
        throw;
    }
    if (!Image->GetStretch())
        Image->SetBounds(Image->GetLeft(), Image->GetTop(), picture->GetWidth(), picture->GetHeight());
}

void TskOpenPictureDlgForm::ApplyStretch() {
    Image->Hide();
    if (StretchButton->GetDown()) {
        Image->SetStretch(true);
        Image->SetAlign(alClient);
    } else {
        Image->SetAlign(alNone);
        TPicture* picture = Image->GetPicture();
        Image->SetBounds(Image->GetLeft(), Image->GetTop(), picture->GetWidth(), picture->GetHeight());
        Image->SetStretch(false);
    }
    Image->Show();
}

void TskOpenPictureDlgForm::StretchButtonClick(TObject*) {
    ApplyStretch();
}

// ---- The components --------------------------------------------------------------------------

TskSkinOpenPictureDialog::TskSkinOpenPictureDialog(TComponent* AOwner) : TskSkinOpenDialog(AOwner) {
    SetTitle("Open picture");
    SetFilter(kPictureFilter);
    PaneWidth = 150;
    FDefaultClientWidth = 600;
}

void TskSkinOpenPictureDialog::Published(TPropertyList& P) {
    using C = TskSkinOpenPictureDialog;
    P.Add("Filter", &C::GetFilter, &C::SetFilter, AnsiString(kPictureFilter));
}

TskOpenDlgForm* TskSkinOpenPictureDialog::NewForm() {
    return new TskOpenPictureDlgForm(Application, SaveMode);
}

void TskSkinOpenPictureDialog::BeforeShow(TskOpenDlgForm* Form) {
    auto* form = static_cast<TskOpenPictureDlgForm*>(Form);
    form->PreviewPanel->SetWidth(PreviewWidth);
    form->StretchButton->SetDown(PreviewStretched);
    if (PreviewStretched) {
        form->PreviewScrollBox->UpdateScrollRange();
        form->ApplyStretch();
    }
    // A name with its folder: its file is selected, which shows it.
    if (ExtractFilePath(GetFileName()).empty()) return;
    const AnsiString name = ExtractFileName(GetFileName());
    TskSkinFileListView* list = form->FLV;
    for (int i = 0; i < list->GetItemCount(); ++i)
        if (list->GetItemCaption(i) == name) {
            list->SelectItem(i);
            break;
        }
}

void TskSkinOpenPictureDialog::AfterShow(TskOpenDlgForm* Form) {
    auto* form = static_cast<TskOpenPictureDlgForm*>(Form);
    PreviewStretched = form->StretchButton->GetDown();
    PreviewWidth = form->PreviewPanel->GetWidth();
}

TskSkinSavePictureDialog::TskSkinSavePictureDialog(TComponent* AOwner)
    : TskSkinOpenPictureDialog(AOwner) {
    SetTitle("Save picture");
    SaveMode = true;
}

void TskSkinSavePictureDialog::Published(TPropertyList&) {}

REGISTER_CLASS(TskSkinOpenPictureDialog);
REGISTER_CLASS(TskSkinSavePictureDialog);

DEFINE_UNIT(skSkinShellCtrls_PictureDialogs, uoSkin + 33, nullptr, nullptr);

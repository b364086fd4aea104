#include "skin/boxctrls/skSkinShellCtrls_Dialogs.h"

#include "skin/boxctrls/skfilectrl_Paths.h"
#include "skin/form/skMessages.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Paths.h"
#include "classlib/Persistence.h"

#include <algorithm>
#include <initializer_list>

namespace {

// What the file list and the folder pane keep at the dialog's least size: the list's width
// beside the panes, and a height for the pane's caption, four rows of the tree or the list
// and the bar below them.
constexpr int kLeastListWidth = 150;
constexpr int kLeastBodyHeight = 120;

// Characters no file name may hold; a typed name with one is refused.
bool IsBadName(const AnsiString& Name) {
    return Name.find_first_of("\\/:*?\"<>|") != AnsiString::npos;
}

} // namespace

TskOpenDlgForm::TskOpenDlgForm(TComponent* AOwner, bool ASaveMode)
    : TForm(AOwner), SaveMode(ASaveMode) {
    SetKeyPreview(true);
    SetPosition(poScreenCenter);
    DSF = new TskSkinForm(this);

    ToolPanel = new TskSkinPanel(this);
    ToolPanel->SetParent(this);
    ToolPanel->SetAlign(alTop);
    ToolPanel->SetBorderStyle(TskSkinBorderStyle::bvNone);
    ToolPanel->SetDefaultHeight(25);
    ToolPanel->SetSkinDataName("toolpanel");
    ToolPanel->OnResize = TNotifyEvent(this, &TskOpenDlgForm::ToolPanelOnResize);

    BackToolButton = MakeToolButton("SK_UP", "Up one level", alLeft,
                                    TNotifyEvent(this, &TskOpenDlgForm::BackToolButtonClick));
    BackToolButton->SetDefaultHeight(25);
    BackToolButton->SetDefaultWidth(70);
    SortNameToolButton = MakeToolButton("SK_SORTNAME", "Sort by name", alRight,
                                        TNotifyEvent(this, &TskOpenDlgForm::SortNameToolButtonClick));
    SortSizeToolButton = MakeToolButton("SK_SORTSIZE", "Sort by size", alRight,
                                        TNotifyEvent(this, &TskOpenDlgForm::SortSizeToolButtonClick));
    SortDateButton = MakeToolButton("SK_SORTDATE", "Sort by date", alRight,
                                    TNotifyEvent(this, &TskOpenDlgForm::SortDateButtonClick));
    SortDivider = MakeDivider(27, alRight, ToolPanel->GetWidth());
    ListToolButton = MakeToolButton("SK_LISTSTYLE", "List", alRight,
                                    TNotifyEvent(this, &TskOpenDlgForm::ListToolButtonClick));
    SmallIconToolButton = MakeToolButton("SK_SMALLICONSTYLE", "Small icons", alRight,
                                         TNotifyEvent(this, &TskOpenDlgForm::SmallIconToolButtonClick));
    IconToolButton = MakeToolButton("SK_ICONSTYLE", "Large icons", alRight,
                                    TNotifyEvent(this, &TskOpenDlgForm::IconToolButtonClick));
    ReportToolButton = MakeToolButton("SK_REPORTSTYLE", "Details", alRight,
                                      TNotifyEvent(this, &TskOpenDlgForm::ReportToolButtonClick));
    for (TskSkinSpeedButton* button : {ListToolButton, SmallIconToolButton, IconToolButton, ReportToolButton})
        button->SetGroupIndex(1);
    ListToolButton->SetDown(true);
    // The right divider closes the right-aligned group toward the drive box, the left one
    // follows the back button.
    RightDivider = MakeDivider(26, alRight, SortNameToolButton->GetLeft() - 26);
    LeftDivider = MakeDivider(26, alLeft, BackToolButton->GetLeft() + BackToolButton->GetWidth());
    DCB = new TskSkinShellDriveComboBox(this);
    DCB->SetParent(ToolPanel);
    DCB->OnChange = TNotifyEvent(this, &TskOpenDlgForm::DCBChange);

    BottomPanel = new TskSkinPanel(this);
    BottomPanel->SetParent(this);
    BottomPanel->SetAlign(alBottom);
    BottomPanel->SetBorderStyle(TskSkinBorderStyle::bvNone);
    BottomPanel->SetHeight(80);

    Splitter = new TskSkinSplitter(this);
    Splitter->SetParent(this);
    Splitter->SetAlign(alLeft);
    Splitter->SetWidth(10);
    Splitter->SetDefaultSize(10);

    DTVPanel = new TskSkinExPanel(this);
    DTVPanel->SetParent(this);
    DTVPanel->SetAlign(alLeft);
    DTVPanel->SetRollKind(rkRollHorizontal);
    DTVPanel->SetShowCloseButton(false);
    // The caption is the folder's name, which shows how it begins and how it ends.
    DTVPanel->SetShortenInMiddle(true);
    DTVPanel->SetWidth(200);

    FLVPanel = new TskSkinPanel(this);
    FLVPanel->SetParent(this);
    FLVPanel->SetAlign(alClient);
    FLVPanel->SetBorderStyle(TskSkinBorderStyle::bvFrame);

    DTVVScrollBar = MakeDialogScrollBar(DTVPanel, sbVertical);
    DTVHScrollBar = MakeDialogScrollBar(DTVPanel, sbHorizontal);
    DTV = new TskSkinDirTreeView(this);
    DTV->SetParent(DTVPanel);
    DTV->SetAlign(alClient);
    DTV->SetHScrollBar(DTVHScrollBar);
    DTV->SetVScrollBar(DTVVScrollBar);
    DTV->OnChange = TNotifyEvent(this, &TskOpenDlgForm::DTVChange);
    DTV->SetHideSelection(false);

    FLVHScrollBar = MakeDialogScrollBar(FLVPanel, sbHorizontal);
    FLVVScrollBar = MakeDialogScrollBar(FLVPanel, sbVertical);
    FLV = new TskSkinFileListView(this);
    FLV->SetParent(FLVPanel);
    FLV->SetViewStyle(vsList);
    FLV->SetShowColumnHeaders(true);
    FLV->SetGridLines(true);
    FLV->SetAlign(alClient);
    FLV->SetHScrollBar(FLVHScrollBar);
    FLV->SetVScrollBar(FLVVScrollBar);
    FLV->OnChange = decltype(FLV->OnChange)(this, &TskOpenDlgForm::FLVChange);
    FLV->OnDblClick = TNotifyEvent(this, &TskOpenDlgForm::FLVDBLClick);
    FLV->SetHideSelection(false);

    Edit = new TskSkinEdit(this);
    Edit->SetParent(BottomPanel);
    Edit->SetBounds(70, 10, 300, Edit->GetHeight());
    Edit->SetDefaultHeight(21);
    Edit->OnKeyPress = TKeyPressEvent(this, &TskOpenDlgForm::EditKeyPress);

    FCB = new TskSkinFilterComboBox(this);
    FCB->SetParent(BottomPanel);
    FCB->SetBounds(70, 45, 300, FCB->GetHeight());
    FCB->SetDefaultHeight(21);
    FCB->OnChange = TNotifyEvent(this, &TskOpenDlgForm::FCBChange);

    OpenButton = new TskSkinButton(this);
    OpenButton->SetParent(BottomPanel);
    OpenButton->SetCaption(SaveMode ? "&Save" : "&Open");
    OpenButton->SetCanFocused(true);
    OpenButton->SetBounds(390, 10, 70, OpenButton->GetHeight());
    OpenButton->SetDefaultHeight(25);
    OpenButton->OnClick = TNotifyEvent(this, &TskOpenDlgForm::OpenButtonClick);

    CancelButton = new TskSkinButton(this);
    CancelButton->SetParent(BottomPanel);
    CancelButton->SetCaption("Cancel");
    CancelButton->SetCanFocused(true);
    CancelButton->SetBounds(390, 45, 70, CancelButton->GetHeight());
    CancelButton->SetDefaultHeight(25);
    CancelButton->SetModalResult(mrCancel);
    CancelButton->SetCancel(true);

    NameLabel = MakeLabel("File name:", 10);
    TypeLabel = MakeLabel("File type:", 45);

    SetActiveControl(Edit);
    ToolPanelOnResize(ToolPanel);
}

TskSkinSpeedButton* TskOpenDlgForm::MakeToolButton(const char* Glyph, const char* Hint, TAlign Align,
                                                   TNotifyEvent Click) {
    auto* button = new TskSkinSpeedButton(this);
    button->SetSkinDataName("toolbutton");
    // The button shows a picture only: its hint says what it does.
    button->SetHint(Hint);
    button->SetShowHint(true);
    JoinToolBar(button, Align, Align == alRight ? ToolPanel->GetWidth() : 0);
    if (Align == alRight) button->SetDefaultWidth(27);
    button->SetNumGlyphs(1);
    TBitmap glyph;
    glyph.LoadFromResourceName(GetModuleHandleA(nullptr), Glyph);
    button->SetGlyph(&glyph);
    button->OnClick = Click;
    return button;
}

void TskOpenDlgForm::JoinToolBar(TControl* Control, TAlign Align, int Left) {
    Control->SetParent(ToolPanel);
    Control->SetLeft(Left);
    Control->SetAlign(Align);
}

TskSkinBevel* TskOpenDlgForm::MakeDivider(int Width, TAlign Align, int Left) {
    auto* bevel = new TskSkinBevel(this);
    bevel->SetWidth(Width);
    JoinToolBar(bevel, Align, Left);
    bevel->SetDividerMode(true);
    return bevel;
}

TskSkinStdLabel* TskOpenDlgForm::MakeLabel(const AnsiString& Caption, int Top) {
    auto* label = new TskSkinStdLabel(this);
    label->SetParent(BottomPanel);
    label->SetCaption(Caption);
    label->SetLeft(10);
    label->SetTop(Top);
    label->SetAutoSize(true);
    return label;
}

TskSkinSpeedButton* TskOpenDlgForm::StyleButton(TViewStyle Style) {
    switch (Style) {
    case vsIcon: return IconToolButton;
    case vsSmallIcon: return SmallIconToolButton;
    case vsReport: return ReportToolButton;
    default: return ListToolButton;
    }
}

void TskOpenDlgForm::SetControlsSkinData(TskSkinData* Value) {
    for (TskSkinPanel* panel : {FLVPanel, BottomPanel, ToolPanel}) panel->SetSkinData(Value);
    DTVPanel->SetSkinData(Value);
    for (TskSkinBevel* bevel : {SortDivider, RightDivider, LeftDivider}) bevel->SetSkinData(Value);
    if (DCB) DCB->SetSkinData(Value);
    for (TskSkinSpeedButton* button : {BackToolButton, SortNameToolButton, SortSizeToolButton, SortDateButton,
                                       ListToolButton, SmallIconToolButton, IconToolButton, ReportToolButton})
        button->SetSkinData(Value);
    Splitter->SetSkinData(Value);
    for (TskSkinScrollBar* bar : {DTVVScrollBar, DTVHScrollBar, FLVHScrollBar, FLVVScrollBar})
        bar->SetSkinData(Value);
    Edit->SetSkinData(Value);
    FCB->SetSkinData(Value);
    OpenButton->SetSkinData(Value);
    CancelButton->SetSkinData(Value);
    NameLabel->SetSkinData(Value);
    TypeLabel->SetSkinData(Value);
}

TPoint TskOpenDlgForm::LeastClientSize() {
    int right = 0;
    for (TControl* control : std::initializer_list<TControl*>{Edit, FCB, OpenButton, CancelButton})
        right = std::max(right, control->GetLeft() + control->GetWidth());
    // Between the tool bar and the bottom panel, the panes beside the file list keep their
    // widths and the list its least room.
    int body = kLeastListWidth;
    for (int i = 0; i < GetControlCount(); ++i) {
        TControl* control = GetControl(i);
        if (control->GetVisible() && (control->GetAlign() == alLeft || control->GetAlign() == alRight))
            body += control->GetWidth();
    }
    return {std::max(right + NameLabel->GetLeft(), body),
            ToolPanel->GetHeight() + kLeastBodyHeight + BottomPanel->GetHeight()};
}

void TskOpenDlgForm::ToolPanelOnResize(TObject*) {
    if (!DCB || !LeftDivider || !RightDivider) return;
    const int left = LeftDivider->GetLeft() + LeftDivider->GetWidth();
    DCB->SetBounds(left, ToolPanel->GetHeight() / 2 - DCB->GetHeight() / 2, RightDivider->GetLeft() - left,
                   DCB->GetHeight());
}

void TskOpenDlgForm::BackToolButtonClick(TObject*) {
    FLV->OneLevelUp();
    FLV->UpDateScrollBars();
}

void TskOpenDlgForm::SortNameToolButtonClick(TObject*) { FLV->ColumnClick(0); }
void TskOpenDlgForm::SortSizeToolButtonClick(TObject*) { FLV->ColumnClick(1); }
void TskOpenDlgForm::SortDateButtonClick(TObject*) { FLV->ColumnClick(3); }

void TskOpenDlgForm::SetViewStyle(TViewStyle Style, bool UpdateBars) {
    FLV->SetViewStyle(Style);
    if (UpdateBars) FLV->UpDateScrollBars();
}

void TskOpenDlgForm::ListToolButtonClick(TObject*) { SetViewStyle(vsList, true); }
void TskOpenDlgForm::SmallIconToolButtonClick(TObject*) { SetViewStyle(vsSmallIcon, true); }
void TskOpenDlgForm::IconToolButtonClick(TObject*) { SetViewStyle(vsIcon, false); }
void TskOpenDlgForm::ReportToolButtonClick(TObject*) { SetViewStyle(vsReport, true); }

void TskOpenDlgForm::FLVChange(TObject*, int, TItemChange) {
    FromFLV = true;
    if (!FromDTV && FLV->GetDirectory() != DTV->GetFollowedPath()) {
        DTV->SetDirectory(FLV->GetDirectory());
        DTVPanel->SetCaption(DTV->GetNodeText(DTV->GetSelected()));
    }
    const int item = FLV->GetSelectedIndex();
    if (item >= 0) Edit->SetText(FLV->IsFile(item) ? FLV->GetItemCaption(item) : AnsiString());
    FromFLV = false;
}

void TskOpenDlgForm::DTVChange(TObject*) {
    FromDTV = true;
    if (!FromFLV) {
        FLV->SetDirectory(DTV->GetPathFromNode(DTV->GetSelected()));
        DTVPanel->SetCaption(DTV->GetNodeText(DTV->GetSelected()));
    }
    const AnsiString directory = DTV->GetDirectory();
    if (!FromDCB && DCB && DCB->GetItems()->GetCount() > 0 && !directory.empty())
        DCB->SetDrive(directory[0]);
    FromDTV = false;
}

void TskOpenDlgForm::DCBChange(TObject*) {
    FromDCB = true;
    if (!FromFLV && !FromDTV && DCB->GetDrive()) DTV->SetDirectory(AnsiString(1, DCB->GetDrive()) + ":\\");
    FromDCB = false;
}

void TskOpenDlgForm::FCBChange(TObject*) { FLV->SetMask(FCB->GetMask()); }

void TskOpenDlgForm::Accept(const AnsiString& Path) {
    FileName = Path;
    SetModalResult(mrOk);
}

void TskOpenDlgForm::OpenButtonClick(TObject*) {
    const AnsiString text = Edit->GetText();
    if (text.empty() || IsBadName(text)) return;
    const AnsiString path = FLV->GetDirectory() + text;
    if (SaveMode || FileExists(path)) Accept(path);
}

void TskOpenDlgForm::EditKeyPress(TObject*, char& Key) {
    if (Key != '\r') return;
    const AnsiString text = Edit->GetText();
    if (text.find('*') != AnsiString::npos)
        FLV->SetMask(text);
    else if (!text.empty() && FileExists(FLV->GetDirectory() + text))
        OpenButtonClick(OpenButton);
    else if (!text.empty() && DirectoryExists(text)) {
        FLV->SetDirectory(text);
        // The folder is reached: its path is no name to give the file.
        Edit->Clear();
    }
}

void TskOpenDlgForm::FLVDBLClick(TObject*) {
    const int item = FLV->GetSelectedIndex();
    if (item < 0 || !FLV->IsFile(item)) return;
    Edit->SetText(FLV->GetItemCaption(item));
    Accept(FLV->GetDirectory() + Edit->GetText());
}

// ---- The components --------------------------------------------------------------------------

TskSkinOpenDialog::TskSkinOpenDialog(TComponent* AOwner)
    : TskSkinDialogComponent(AOwner, "Open file") {}

void TskSkinOpenDialog::Published(TPropertyList& P) {
    using C = TskSkinOpenDialog;
    P.Add("LVHeaderSkinDataName", &C::GetLVHeaderSkinDataName, &C::SetLVHeaderSkinDataName,
          AnsiString("resizebutton"));
    // No default: the save dialog has another title.
    P.Add("Title", &C::GetTitle, &C::SetTitle);
    P.Add("InitialDir", &C::GetInitialDir, &C::SetInitialDir);
    P.Add("Filter", &C::GetFilter, &C::SetFilter, AnsiString("All files|*.*"));
    P.Add("FilterIndex", &C::GetFilterIndex, &C::SetFilterIndex, 1);
    P.Add("FileName", &C::GetFileName, &C::SetFileName);
}

void TskSkinOpenDialog::OpenStartFolder(TskOpenDlgForm* Form) {
    AnsiString folder = ExtractFilePath(FFileName);
    AnsiString name = FFileName;
    if (!folder.empty())
        name = ExtractFileName(FFileName);
    else
        folder = FInitialDir;
    if (folder.empty() || !DirectoryExists(folder)) folder = ExtractFilePath(ExeFileName());
    Form->FLV->SetDirectory(folder);
    Form->Edit->SetText(name);
}

void TskSkinOpenDialog::Remember(TskOpenDlgForm* Form) {
    FFilterIndex = Form->FCB->GetItemIndex() + 1;
    TskSkinExPanel* pane = Form->DTVPanel;
    PaneWidth = pane->GetRollState() ? pane->GetStoredWidth() : pane->GetWidth();
    DialogWidth = Form->GetClientWidth();
    DialogHeight = Form->GetClientHeight();
    PaneRolled = pane->GetRollState();
    ListViewStyle = Form->FLV->GetViewStyle();
}

TskOpenDlgForm* TskSkinOpenDialog::NewForm() {
    return new TskOpenDlgForm(Application, SaveMode);
}

bool TskSkinOpenDialog::Execute() {
    std::unique_ptr<TskOpenDlgForm> form(NewForm());
    Dlg = form.get();
    struct TForget {
        TskOpenDlgForm*& Field;
        ~TForget() { Field = nullptr; }
    } forget{Dlg};

    form->SetCaption(FTitle);
    TskSkinForm* frame = form->DSF;
    frame->SetUpDialog(FSkinData, FCtrlSkinData, FAlphaBlend, FAlphaBlendAnimation,
                       FAlphaBlendValue);

    form->DTV->SetSkinData(FCtrlSkinData);
    form->DTV->SetSkinMessage(FSkinMessage);
    form->DTVPanel->SetWidth(PaneWidth);
    form->DTVPanel->SetRollState(PaneRolled);

    form->StyleButton(ListViewStyle)->SetDown(true);
    form->FLV->SetViewStyle(ListViewStyle);

    // The file list tells the folder tree the start folder through its window's
    // notifications: the tree then opens it at the size it has before the dialog is fitted.
    form->FLV->HandleNeeded();
    OpenStartFolder(form.get());
    form->FromFLV = true;
    const AnsiString listed = form->FLV->GetDirectory();
    form->DCB->SetDrive(listed.empty() ? 'C' : listed[0]);
    form->FromFLV = false;
    form->FLV->SetHeaderSkinDataName(FLVHeaderSkinDataName);
    form->FLV->SetSkinData(FCtrlSkinData);
    form->FLV->SetSkinMessage(FSkinMessage);

    form->FCB->SetFilter(FFilter);
    form->FCB->SetItemIndex(FFilterIndex - 1);

    form->SetControlsSkinData(FCtrlSkinData);

    FitClientSize(form.get(), frame, FDefaultClientWidth, 300, form->LeastClientSize());
    BeforeShow(form.get());
    // The proposed name is selected, so that a typed name replaces it.
    form->Edit->SelectAll();

    const bool accepted = form->ShowModal() == mrOk;
    Remember(form.get());
    AfterShow(form.get());
    if (accepted) {
        FFileName = form->FileName;
        Change();
    }
    return accepted;
}

TskSkinSaveDialog::TskSkinSaveDialog(TComponent* AOwner) : TskSkinOpenDialog(AOwner) {
    SetTitle("Save file");
    SaveMode = true;
}

void TskSkinSaveDialog::Published(TPropertyList&) {}

REGISTER_CLASS(TskSkinOpenDialog);
REGISTER_CLASS(TskSkinSaveDialog);

DEFINE_UNIT(skSkinShellCtrls_Dialogs, uoSkin + 32, nullptr, nullptr);

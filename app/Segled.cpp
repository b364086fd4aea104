#include "app/Segled.h"

#include "app/About_sl.h"
#include "app/Bits.h"
#include "app/LedGeometry.h"
#include "app/LedView.h"
#include "skin/form/skMessages.h"
#include "app/MinimizeName.h"
#include "app/PageFile.h"
#include "app/SxbExport.h"

#include "classlib/Dialogs.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Menus.h"
#include "classlib/Paths.h"
#include "classlib/Persistence.h"
#include "classlib/ShellOpen.h"
#include "classlib/StdCtrls.h"
#include "classlib/Strings.h"
#include "classlib/Timers.h"

#include <new>

TFM* FM = nullptr;

namespace {

const char kUntitled[] = "Untitled.pge";
const Cardinal kAnimationInterval = 500;
const int kWindowWidth = 325;
const int kMinWindowHeight = 320;
const int kFileCaptionWidth = 280;

// Page table columns: thumbnail, decimal, hexadecimal, bits.
const int kColumnWidths[] = {50, 48, 50, 130};

} // namespace

TFM::TFM(TComponent* AOwner) : TForm(AOwner), FColors(EditorPalette()) {}

void TFM::Published(TPropertyList& P) {
    P.Field("PNL_Main", &TFM::PNL_Main);
    P.Field("SGB_Type", &TFM::SGB_Type);
    P.Field("CB_LedType", &TFM::CB_LedType);
    P.Field("BTN_ApplyNode", &TFM::BTN_ApplyNode);
    P.Field("SGB_Led", &TFM::SGB_Led);
    P.Field("IMG_Seg", &TFM::IMG_Seg);
    P.Field("BTN_Add", &TFM::BTN_Add);
    P.Field("BTN_Replace", &TFM::BTN_Replace);
    P.Field("BTN_Animate", &TFM::BTN_Animate);
    P.Field("SGB_Pages", &TFM::SGB_Pages);
    P.Field("PNL_TableHead", &TFM::PNL_TableHead);
    P.Field("TBL_Leds", &TFM::TBL_Leds);
    P.Field("PNL_PageTools", &TFM::PNL_PageTools);
    P.Field("BTN_ViewPage", &TFM::BTN_ViewPage);
    P.Field("BTN_MoveUp", &TFM::BTN_MoveUp);
    P.Field("BTN_MoveDown", &TFM::BTN_MoveDown);
    P.Field("BTN_DeletePage", &TFM::BTN_DeletePage);
    P.Field("MNU_MainMenu", &TFM::MNU_MainMenu);
    P.Field("New2", &TFM::New2);
    P.Field("Open2", &TFM::Open2);
    P.Field("S1", &TFM::S1);
    P.Field("Exit1", &TFM::Exit1);
    P.Field("MNU_Invert", &TFM::MNU_Invert);
    P.Field("Clear2", &TFM::Clear2);
    P.Field("PBasicStamp1", &TFM::PBasicStamp1);
    P.Field("EmbeddedJavaJavelin2", &TFM::EmbeddedJavaJavelin2);
    P.Field("SXBasicSXx1", &TFM::SXBasicSXx1);
    P.Field("ASMSXx2", &TFM::ASMSXx2);
    P.Field("MNU_About", &TFM::MNU_About);
    P.Field("DLG_Open", &TFM::DLG_Open);
    P.Field("DLG_Save", &TFM::DLG_Save);
    P.Field("SPU_Menu", &TFM::SPU_Menu);
    P.Field("InvertSegments1", &TFM::InvertSegments1);
    P.Field("ClearSegments1", &TFM::ClearSegments1);
    P.Field("PUM_AddPage", &TFM::PUM_AddPage);
    P.Field("PUM_ReplacePage", &TFM::PUM_ReplacePage);
    P.Field("PUM_AnimatePages", &TFM::PUM_AnimatePages);
    P.Field("SSM_Message", &TFM::SSM_Message);
    P.Field("skSkinForm1", &TFM::skSkinForm1);
    P.Field("SMN_MenuBar", &TFM::SMN_MenuBar);
    P.Method("FormShow", &TFM::FormShow);
    P.Method("FormCloseQuery", &TFM::FormCloseQuery);
    P.Method("CB_LedTypeChange", &TFM::CB_LedTypeChange);
    P.Method("BTN_ApplyNodeClick", &TFM::BTN_ApplyNodeClick);
    P.Method("IMG_SegMouseDown", &TFM::IMG_SegMouseDown);
    P.Method("IMG_SegMouseMove", &TFM::IMG_SegMouseMove);
    P.Method("GB_LEDMouseMove", &TFM::GB_LEDMouseMove);
    P.Method("Clear2Click", &TFM::Clear2Click);
    P.Method("MNU_InvertClick", &TFM::MNU_InvertClick);
    P.Method("BTN_AddClick", &TFM::BTN_AddClick);
    P.Method("BTN_ReplaceClick", &TFM::BTN_ReplaceClick);
    P.Method("BTN_DeletePageClick", &TFM::BTN_DeletePageClick);
    P.Method("BTN_MoveUpClick", &TFM::BTN_MoveUpClick);
    P.Method("BTN_MoveDownClick", &TFM::BTN_MoveDownClick);
    P.Method("BTN_ViewPageClick", &TFM::BTN_ViewPageClick);
    P.Method("TBL_LedsDblClick", &TFM::TBL_LedsDblClick);
    P.Method("TBL_LedsDrawItem", &TFM::TBL_LedsDrawItem);
    P.Method("SGB_PagesClick", &TFM::SGB_PagesClick);
    P.Method("New2Click", &TFM::New2Click);
    P.Method("Open2Click", &TFM::Open2Click);
    P.Method("S1Click", &TFM::S1Click);
    P.Method("Exit1Click", &TFM::Exit1Click);
    P.Method("SXBasicSXx1Click", &TFM::SXBasicSXx1Click);
    P.Method("BTN_AnimateClick", &TFM::BTN_AnimateClick);
    P.Method("MNU_AboutClick", &TFM::MNU_AboutClick);
}

Bmp32::TBitmap32* TFM::GetPageImage(int Index) const {
    if (!FPages.IsValidIndex(Index)) return nullptr;
    return FPageImages[static_cast<std::size_t>(Index)].get();
}

// ---- Start-up and closing ------------------------------------------------------------

void TFM::FormShow(TObject*) {
    // Showing the window again (after it was minimised or hidden) keeps everything.
    if (FSetUp) return;
    FSetUp = true;
    SetupColors();
    TSizeConstraints* limits = GetConstraints();
    limits->SetMaxWidth(kWindowWidth);
    limits->SetMinWidth(kWindowWidth);
    limits->SetMinHeight(kMinWindowHeight);
    SetWidth(kWindowWidth);
    FAppDir = ExeDir();
    FFileName = FAppDir + kUntitled;
    FTimer = nullptr;
    PNL_Main->SetAlign(alClient);
    SGB_Type->SetRollUpState(true);
    SGB_Type->SetAlign(alTop);
    SGB_Led->SetAlign(alTop);
    SGB_Pages->SetAlign(alClient);
    PNL_TableHead->SetAlign(alTop);
    PNL_PageTools->SetAlign(alBottom);
    TBL_Leds->SetAlign(alClient);
    FCommonType = false;
    ShowCommonType();
    FPattern = 0xFF;
    ClearPages();
    Redraw();
    FTypeChanged = false;
    UpdateControls();
    FModified = false;
}

void TFM::SetupColors() {
    FColors = EditorPalette();
    IMG_Seg->SetPalette(FColors);
    TBL_Leds->SetColor(ToColor(FColors.OffFill));
    PNL_TableHead->SetColor(ToColor(kHeadingColor));
}

void TFM::FormCloseQuery(TObject*, bool& CanClose) {
    CanClose = ConfirmDiscard();
    if (CanClose) StopAnimation();
}

void TFM::MNU_AboutClick(TObject*) {
    FAbout->ShowModal();
}

// ---- LED view -------------------------------------------------------------------------

void TFM::DrawSegments() {
    IMG_Seg->SetSegments(FSegmentLit);
    IMG_Seg->SetHoverSegment(-1);
    FHoverDirty = false;
}

void TFM::DrawPins(int Highlighted) {
    IMG_Seg->SetPins(FPattern, Highlighted);
}

void TFM::HoverSegment(int Segment) {
    IMG_Seg->SetHoverSegment(Segment);
    FHoverDirty = true;
    DrawPins(Segment);
}

void TFM::UpdatePatternFromLayers() {
    FPattern = PatternFromSegments(FSegmentLit, FCommonType);
    UpdateCaptions();
    UpdateControls();
}

void TFM::UpdateLayersFromPattern() {
    FSegmentLit = LitSegments(FPattern, FCommonType);
}

void TFM::ToggleSegment(int Segment) {
    bool& lit = FSegmentLit.at(static_cast<std::size_t>(Segment));
    lit = !lit;
}

void TFM::Redraw() {
    DrawSegments();
    UpdatePatternFromLayers();
    DrawPins(-1);
}

void TFM::UpdateCaptions() {
    SGB_Type->SetCaption("Type ::  " + CB_LedType->GetItems()->Get(FCommonType ? 1 : 0));
    SGB_Led->SetCaption("LED  ::  Int ( " + IntToStr(FPattern) + " )   Hex ( $" +
                        IntToHex(FPattern, 2) + " )   String ( %" + Bits::ToBinaryString(FPattern) +
                        " )");
    TCanvas* canvas = GetCanvas();
    canvas->GetFont()->Assign(GetFont());
    SGB_Pages->SetCaption("Pages ::   " + MinimizeName(FFileName, canvas, kFileCaptionWidth));
}

void TFM::UpdateControls() {
    bool idle = FTimer == nullptr;
    SGB_Pages->SetEnabled(idle);
    SGB_Type->SetEnabled(idle);
    BTN_Add->SetEnabled(idle);
    BTN_Replace->SetEnabled(idle);
    // While the animation runs, it must stay possible to stop it.
    if (!idle) return;
    BTN_Replace->SetEnabled(FPages.GetCount() >= 1);
    BTN_Animate->SetEnabled(FPages.GetCount() > 1);
    BTN_ApplyNode->SetEnabled(FTypeChanged);
    PUM_AddPage->SetEnabled(BTN_Add->GetEnabled());
    PUM_ReplacePage->SetEnabled(BTN_Replace->GetEnabled());
    PUM_AnimatePages->SetEnabled(BTN_Animate->GetEnabled());
}

void TFM::IMG_SegMouseDown(TObject*, TMouseButton, TShiftState Shift, int, int, int Segment) {
    if (Segment < 0 || Shift.Contains(ssRight)) return;
    ToggleSegment(Segment);
    Redraw();
}

void TFM::IMG_SegMouseMove(TObject*, TShiftState, int, int, int Segment) {
    if (FHoverDirty) DrawSegments();
    if (Segment >= 0)
        HoverSegment(Segment);
    else
        DrawPins(-1);
}

void TFM::GB_LEDMouseMove(TObject*, TShiftState, int, int) {
    if (FHoverDirty) DrawSegments();
}

void TFM::Clear2Click(TObject*) {
    FPattern = 0;
    FSegmentLit.fill(false);
    Redraw();
}

void TFM::MNU_InvertClick(TObject*) {
    for (int segment = 0; segment < kDecimalPoint; ++segment)
        ToggleSegment(segment);
    Redraw();
}

// ---- LED type --------------------------------------------------------------------------

void TFM::ShowCommonType() {
    CB_LedType->SetItemIndex(FCommonType ? 1 : 0);
    FTypeChanged = false;
}

void TFM::CB_LedTypeChange(TObject*) {
    bool chosen = CB_LedType->GetItemIndex() != 0;
    FTypeChanged = chosen != FCommonType;
    UpdateControls();
}

void TFM::BTN_ApplyNodeClick(TObject*) {
    if (!FTypeChanged) return;
    bool toCathode = CB_LedType->GetItemIndex() != 0;
    AnsiString question = toCathode ? "Convert LED from common Anode to common Cathode?"
                                    : "Convert LED from common Cathode to common Anode?";
    if (Ask(question) != mrYes) return;
    FPages.InvertAll();
    FCommonType = toCathode;
    FTypeChanged = false;
    UpdateTable();
    Redraw();
    UpdateCaptions();
    UpdateControls();
}

// ---- Page list -------------------------------------------------------------------------

void TFM::AddPage(Byte Page) {
    const int count = FPages.GetCount();
    try {
        FPageImages.push_back(FThumbnails.Get(Page, FCommonType));
        FPages.Add(Page);
        UpdateTable();
    } catch (...) {
        // A page that does not fit leaves the list as it was.
        FPageImages.resize(static_cast<std::size_t>(count));
        FPages.Delete(count);
        throw;
    }
    UpdateControls();
}

void TFM::ReplacePage(int Index) {
    if (!FPages.IsValidIndex(Index)) return;
    FPageImages[static_cast<std::size_t>(Index)] = FThumbnails.Get(FPattern, FCommonType);
    FPages.Replace(Index, FPattern);
    TBL_Leds->Invalidate();
}

void TFM::DeletePage(int Index) {
    if (!FPages.Delete(Index)) return;
    FPageImages.erase(FPageImages.begin() + Index);
    UpdateTable();
    UpdateControls();
}

bool TFM::MovePage(int Index, bool Down) {
    if (!FPages.Move(Index, Down)) return false;
    int neighbour = Down ? Index + 1 : Index - 1;
    std::swap(FPageImages[static_cast<std::size_t>(Index)],
              FPageImages[static_cast<std::size_t>(neighbour)]);
    TBL_Leds->Invalidate();
    return true;
}

bool TFM::MovePageUp() {
    return MovePage(SelectedPageIndex(), false);
}

bool TFM::MovePageDown() {
    return MovePage(SelectedPageIndex(), true);
}

void TFM::ClearPages() {
    FPages.Clear();
    FPageImages.clear();
    UpdateTable();
}

int TFM::SelectedPageIndex() {
    return TBL_Leds->GetItemIndex();
}

void TFM::SelectRow(int Row) {
    TBL_Leds->SetItemIndex(Row);
}

void TFM::UpdateTable() {
    int wanted = PageTableRows(FPages.GetCount());
    int selected = TBL_Leds->GetItemIndex();
    if (TBL_Leds->GetRowCount() != wanted) TBL_Leds->SetRowCount(wanted);
    // The table always has a current row.
    if (selected < 0) selected = 0;
    if (selected >= wanted) selected = wanted - 1;
    if (selected != TBL_Leds->GetItemIndex()) SelectRow(selected);
    TBL_Leds->Invalidate();
}

void TFM::ViewPage() {
    if (FPages.Empty()) return;
    FPattern = FPages.Get(SelectedPageIndex());
    UpdateLayersFromPattern();
    Redraw();
    if (SGB_Led->GetRollUpState()) {
        SGB_Led->SetRollUpState(false);
        SendMessageA(TBL_Leds->GetHandle(), LB_SETTOPINDEX,
                     static_cast<WPARAM>(SelectedPageIndex()), 0);
    }
    UpdateControls();
}

void TFM::BTN_AddClick(TObject*) {
    AddPage(FPattern);
    FModified = true;
}

void TFM::BTN_ReplaceClick(TObject*) {
    ReplacePage(SelectedPageIndex());
    FModified = true;
}

void TFM::BTN_DeletePageClick(TObject*) {
    DeletePage(SelectedPageIndex());
    FModified = true;
}

void TFM::BTN_MoveUpClick(TObject*) {
    if (!MovePageUp()) return;
    SelectRow(SelectedPageIndex() - 1);
    FModified = true;
}

void TFM::BTN_MoveDownClick(TObject*) {
    if (!MovePageDown()) return;
    SelectRow(SelectedPageIndex() + 1);
    FModified = true;
}

void TFM::BTN_ViewPageClick(TObject*) {
    ViewPage();
}

void TFM::TBL_LedsDblClick(TObject*) {
    ViewPage();
}

void TFM::SGB_PagesClick(TObject*) {
    SGB_Led->SetRollUpState(!SGB_Led->GetRollUpState());
}

void TFM::TBL_LedsDrawItem(TWinControl*, int Index, TRect Rect, TOwnerDrawState State) {
    TCanvas* canvas = TBL_Leds->GetCanvas();
    bool selected = State.Contains(odSelected);
    canvas->GetBrush()->SetColor(ToColor(selected ? FColors.Back : FColors.OffFill));
    canvas->FillRect(Rect);
    if (FPages.IsValidIndex(Index)) {
        Byte page = FPages.Get(Index);
        int left = Rect.Left;
        Bmp32::TBitmap32* image = GetPageImage(Index);
        FCellImage.SetSize(kColumnWidths[0], Rect.Height());
        FCellImage.Clear(Bmp32::Color32(canvas->GetBrush()->GetColor()));
        image->DrawTo(&FCellImage, (kColumnWidths[0] - image->GetWidth()) / 2,
                      (Rect.Height() - image->GetHeight()) / 2);
        FCellImage.DrawTo(static_cast<Bmp32::TPlatformHandle>(canvas->GetHandle()), left, Rect.Top);
        left += kColumnWidths[0];
        canvas->GetBrush()->SetStyle(bsClear);
        canvas->GetFont()->Assign(TBL_Leds->GetFont());
        canvas->GetFont()->SetColor(selected ? ToColor(FColors.Select) : clBlack);
        for (int column = 1; column <= 3; ++column) {
            TRect cell{left, Rect.Top, left + kColumnWidths[column], Rect.Bottom};
            canvas->TextRect(cell, PageCellText(page, column),
                             DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
            left += kColumnWidths[column];
        }
        canvas->GetBrush()->SetStyle(bsSolid);
    }
    // Grid line between rows, and a frame on the current row while the table has the focus.
    canvas->GetPen()->SetColor(clBtnShadow);
    canvas->MoveTo(Rect.Left, Rect.Bottom - 1);
    canvas->LineTo(Rect.Right, Rect.Bottom - 1);
    if (State.Contains(odFocused)) {
        canvas->GetBrush()->SetColor(clBlack);
        canvas->FrameRect(Rect);
    }
}

// ---- Files -----------------------------------------------------------------------------

int TFM::Ask(const AnsiString& Question) {
    return SSM_Message->MessageDlg(Question, mtConfirmation, {mbYes, mbNo}, 0);
}

bool TFM::ConfirmDiscard() {
    if (!FModified) return true;
    return Ask(FFileName + " has been modified.\rContinuing will loose changes.\r" +
               "Do you want to continue?") == mrYes;
}

void TFM::New2Click(TObject*) {
    if (!ConfirmDiscard()) return;
    ClearPages();
    FFileName = FAppDir + kUntitled;
    ShowCommonType();
    UpdateCaptions();
    FModified = false;
    FTypeChanged = false;
    UpdateControls();
}

void TFM::Open2Click(TObject*) {
    if (ConfirmDiscard()) LoadPages();
}

void TFM::LoadPages() {
    DLG_Open->SetInitialDir(FAppDir);
    DLG_Open->SetFilter("Page Files (*.pge)|*.PGE|Any File(*.*)|*.*");
    if (!DLG_Open->Execute()) return;
    AnsiString fileName = DLG_Open->GetFileName();
    // Everything is read and converted aside first: a file that cannot be used, or a list
    // that does not fit in memory or in the table, changes nothing.
    TPageFileContent content;
    std::vector<TThumbnail> images;
    try {
        content = ReadPageFile(fileName);
        images = FThumbnails.ForPages(content.Pages, content.CommonCathode);
    } catch (const std::bad_alloc&) {
        throw EOutOfResources(
            Format("There is not enough memory to open %s; the pages stay as they were", fileName));
    }
    TBL_Leds->SetRowCount(PageTableRows(static_cast<int>(content.Pages.size())));
    // Nothing below fails.
    FPages.Assign(std::move(content.Pages));
    FPageImages = std::move(images);
    FFileName = fileName;
    FCommonType = content.CommonCathode;
    ShowCommonType();
    UpdateTable();
    UpdateCaptions();
    SelectRow(0);
    if (FPages.Empty())
        Redraw(); // the picture's pins follow the file's type
    else
        ViewPage();
    FModified = false;
    FTypeChanged = false;
    UpdateControls();
}

void TFM::S1Click(TObject*) {
    SavePages();
}

void TFM::SavePages() {
    DLG_Save->SetFilter("Page Files (*.pge)|*.pge");
    DLG_Save->SetFileName(FFileName);
    DLG_Save->SetInitialDir(FAppDir + "Projects\\");
    if (!DLG_Save->Execute()) return;
    AnsiString fileName = DLG_Save->GetFileName();
    if (ExtractFileExt(fileName).empty()) fileName += ".pge";
    if (FileExists(fileName) && Ask("Overwrite " + fileName + "?") != mrYes) return;
    WritePageFile(fileName, {FCommonType, FPages.GetBytes()});
    FFileName = fileName;
    ShowCommonType();
    UpdateCaptions();
    UpdateControls();
    FModified = false;
    FTypeChanged = false;
}

void TFM::Exit1Click(TObject*) {
    // Closing asks about unsaved pages (FormCloseQuery).
    Close();
}

// ---- Export ----------------------------------------------------------------------------

void TFM::SXBasicSXx1Click(TObject*) {
    if (FPages.Empty()) {
        SSM_Message->MessageDlg("There are no pages to export.", mtInformation, {mbOK}, 0);
        return;
    }
    AnsiString output = FAppDir + SxbOutputName;
    ExportSxb(FAppDir + SxbTemplateName, output, FPages.GetBytes());
    ShellOpenOrRaise(output);
}

// ---- Animation -------------------------------------------------------------------------

void TFM::BTN_AnimateClick(TObject*) {
    if (FTimer) {
        StopAnimation();
    } else {
        FTimer = new TTimer(this);
        FFrame = 0;
        FTimer->SetEnabled(false);
        FTimer->SetInterval(kAnimationInterval);
        FTimer->OnTimer = TNotifyEvent(this, &TFM::AnimationTimer);
        FTimer->SetEnabled(true);
        BTN_Animate->SetCaption("Stop");
    }
    UpdateControls();
}

void TFM::StopAnimation() {
    if (!FTimer) return;
    FTimer->OnTimer = nullptr;
    FTimer->SetEnabled(false);
    delete FTimer;
    FTimer = nullptr;
    BTN_Animate->SetCaption("Animate");
}

void TFM::AnimationTimer(TObject*) {
    if (FPages.Empty()) {
        // Nothing left to show (New, or Open of a file without pages, meanwhile).
        StopAnimation();
        UpdateControls();
        return;
    }
    if (FFrame >= FPages.GetCount()) FFrame = 0;
    BTN_Animate->SetCaption("Stop (" + IntToStr(FFrame + 1) + " - " + IntToStr(FPages.GetCount()) +
                            ")");
    FPattern = FPages.Get(FFrame);
    UpdateLayersFromPattern();
    Redraw();
    ++FFrame;
}

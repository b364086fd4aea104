#include "app/Segled.h"

#include "app/About_sl.h"
#include "app/Bits.h"
#include "app/LedGeometry.h"
#include "app/PageFile.h"
#include "app/PageThumbnails.h"
#include "app/SxbExport.h"

#include "bitmap32/Bmp32_Image.h"
#include "bitmap32/Bmp32_Polygons.h"

#include "classlib/Dialogs.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Menus.h"
#include "classlib/Paths.h"
#include "classlib/Persistence.h"
#include "classlib/ShellOpen.h"
#include "classlib/StdCtrls.h"
#include "classlib/Strings.h"
#include "classlib/Timers.h"
#include "grid/gcltbrws.h"
#include "skin/boxctrls/SkinBoxCtrls_ComboBoxes.h"
#include "skin/boxctrls/skSkinShellCtrls_Dialogs.h"
#include "skin/boxctrls/skfilectrl_Paths.h"
#include "skin/form/skMessages.h"

#include <algorithm>
#include <bitset>
#include <initializer_list>
#include <new>
#include <vector>

TFM* FM = nullptr;

namespace {

const char kUntitled[] = "Untitled.pge";
const Cardinal kAnimationInterval = 500;
const int kWindowWidth = 325;
const int kMinWindowHeight = 320;
const int kFileCaptionWidth = 280;
// Rows of the page list that stay in view at the least height while the type box is unrolled.
const int kLeastPageRows = 2;

// Page table columns: thumbnail, decimal, hexadecimal, bits.

// Holds the aligns of a few containers, then (on Release or at the end of the scope) lets
// them lay out in the order given, so each is sized before it places its own children.
class TAlignBatch {
public:
    explicit TAlignBatch(std::initializer_list<TWinControl*> Containers) : FContainers(Containers) {
        for (TWinControl* c : FContainers) c->DisableAlign();
    }
    ~TAlignBatch() { Release(); }
    TAlignBatch(const TAlignBatch&) = delete;
    TAlignBatch& operator=(const TAlignBatch&) = delete;

    void Release() {
        for (TWinControl* c : FContainers) c->EnableAlign();
        FContainers.clear();
    }

private:
    std::vector<TWinControl*> FContainers;
};

// The height of the area inside Control that its aligned children share.
int AlignHeight(TWinControl* Control) {
    TRect area = Control->GetClientRect();
    Control->AdjustClientRect(area);
    return RectHeight(area);
}

} // namespace

TFM::TFM(TComponent* AOwner) : TForm(AOwner), FColors(EditorPalette()) {}

TFM::~TFM() = default;

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
    P.Field("TBL_Leds", &TFM::TBL_Leds);
    P.Field("CH_Header", &TFM::CH_Header);
    P.Field("CB_LED", &TFM::CB_LED);
    P.Field("CS_Data", &TFM::CS_Data);
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
    P.Field("IML_Pages", &TFM::IML_Pages);
    P.Field("SSM_Message", &TFM::SSM_Message);
    P.Field("SHT_Hint", &TFM::SHT_Hint);
    P.Field("skSkinForm1", &TFM::skSkinForm1);
    P.Field("SMN_MenuBar", &TFM::SMN_MenuBar);
    P.Method("FormShow", &TFM::FormShow);
    P.Method("FormCloseQuery", &TFM::FormCloseQuery);
    P.Method("CB_LedTypeChange", &TFM::CB_LedTypeChange);
    P.Method("BTN_ApplyNodeClick", &TFM::BTN_ApplyNodeClick);
    P.Method("IMG_SegMouseDown", &TFM::IMG_SegMouseDown);
    P.Method("IMG_SegMouseMove", &TFM::IMG_SegMouseMove);
    P.Method("IMG_SegMouseLeave", &TFM::IMG_SegMouseLeave);
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
    P.Method("TBL_LedsGetCellData", &TFM::TBL_LedsGetCellData);
    P.Method("SGB_PagesClick", &TFM::SGB_PagesClick);
    P.Method("New2Click", &TFM::New2Click);
    P.Method("Open2Click", &TFM::Open2Click);
    P.Method("S1Click", &TFM::S1Click);
    P.Method("Exit1Click", &TFM::Exit1Click);
    P.Method("SXBasicSXx1Click", &TFM::SXBasicSXx1Click);
    P.Method("BTN_AnimateClick", &TFM::BTN_AnimateClick);
    P.Method("MNU_AboutClick", &TFM::MNU_AboutClick);
}

// ---- Start-up and closing ------------------------------------------------------------

void TFM::FormShow(TObject*) {
    // Showing the window again (after it was minimised or hidden) keeps everything.
    if (FSetUp) return;
    FSetUp = true;
    SetupColors();
    CreateSegmentShapes();
    SetupViewBitmap();
    SetupViewFocusMark();
    // A picture of its own format: a device bitmap would ask the display for its depth, a
    // costly question under Wine, each time it is made.
    FCellBitmap = std::make_unique<TBitmap>(0, 0, pf32bit);
    IMG_Seg->SetRepaintMode(Bmp32::rmOptimizer);
    // The size and the aligns below lay the window out once, outermost first, instead of
    // once per change.
    TAlignBatch layout({this, PNL_Main, SGB_Pages});
    TSizeConstraints* limits = GetConstraints();
    limits->SetMaxWidth(kWindowWidth);
    limits->SetMinWidth(kWindowWidth);
    limits->SetMinHeight(kMinWindowHeight);
    SetWidth(kWindowWidth);
    FAnimateBounds = BTN_Animate->GetBoundsRect();
    SGB_Type->OnResize = TNotifyEvent(this, &TFM::BoxResize);
    SGB_Led->OnResize = TNotifyEvent(this, &TFM::BoxResize);
    FAppDir = ExeDir();
    FFileName = FAppDir + kUntitled;
    FTimer = nullptr;
    PNL_Main->SetAlign(alClient);
    SGB_Type->SetRollUpState(true);
    SGB_Type->SetAlign(alTop);
    SGB_Led->SetAlign(alTop);
    SGB_Pages->SetAlign(alClient);
    PNL_PageTools->SetAlign(alBottom);
    TBL_Leds->SetAlign(alClient);
    layout.Release();
    FCommonType = false;
    ShowCommonType();
    FPattern = 0xFF;
    ClearPages();
    BuildWires();
    Redraw();
    FTypeChanged = false;
    UpdateControls();
    FModified = false;
}

void TFM::SetupColors() {
    // One table update for all the colours.
    TGclTableRedraw batch(TBL_Leds);
    FColors = EditorPalette();
    TBL_Leds->SetColorUnused(ToColor(FColors.OffFill));
    TBL_Leds->SetColor(ToColor(FColors.OffFill));
    TGclTableColors* colors = TBL_Leds->GetColors();
    colors->SetActiveFocused(ToColor(FColors.Back));
    colors->SetActiveUnfocused(ToColor(FColors.Back));
    colors->SetActiveFocusedText(ToColor(FColors.Select));
    colors->SetActiveUnfocusedText(ToColor(FColors.Select));
    colors->SetLocked(ToColor(kHeadingColor));
    colors->SetLockedText(clBlack);
}

// Rolled up, the type box leaves the least height at 320. Unrolled, it pushes the LED box
// down, and the window keeps in view the LED box as it is and below it the page list's
// headings, two of its rows and its buttons.
int TFM::LeastHeight() {
    if (SGB_Type->GetRollUpState()) return kMinWindowHeight;
    TGclTableRows* rows = TBL_Leds->GetRows();
    const int table = TBL_Leds->GetHeight() - TBL_Leds->GetClientHeight() + rows->GetRowHeight(0) +
                      kLeastPageRows * rows->GetRowHeight(1);
    const int pages = SGB_Pages->GetHeight() - AlignHeight(SGB_Pages) + PNL_PageTools->GetHeight() + table;
    // Worked out from the boxes above, which keep their heights: the page box itself stops
    // shrinking at nothing.
    const int room = AlignHeight(PNL_Main) - SGB_Type->GetHeight() - SGB_Led->GetHeight();
    return std::max(kMinWindowHeight, GetHeight() + pages - room);
}

// A box above the page list rolled up or down.
void TFM::BoxResize(TObject*) {
    GetConstraints()->SetMinHeight(LeastHeight());
}

void TFM::FormCloseQuery(TObject*, bool& CanClose) {
    CanClose = ConfirmDiscard();
    if (CanClose) StopAnimation();
}

void TFM::MNU_AboutClick(TObject*) {
    FAbout->ShowModal();
}

// ---- LED view -------------------------------------------------------------------------

void TFM::UpdateCaptions() {
    SGB_Type->SetCaption("Type ::  " + CB_LedType->GetItems()->Get(FCommonType ? 1 : 0));
    SGB_Led->SetCaption("LED  ::  Int ( " + IntToStr(FPattern) + " )   Hex ( $" +
                        IntToHex(FPattern, 2) + " )   String ( %" + Bits::ToBinaryString(FPattern) +
                        " )");
    // The file name is shortened in the font the caption is drawn in, to what the caption
    // bar has room for after its title. Measured on a memory picture kept for it: the form's
    // own canvas would get a DC of the form's window, a costly thing under Wine, and keep it
    // until the form's next paint.
    const AnsiString title = "Pages ::   ";
    if (!FCaptionMeasure) FCaptionMeasure = std::make_unique<TBitmap>(1, 1, pf32bit);
    TCanvas* canvas = FCaptionMeasure->GetCanvas();
    SGB_Pages->SetCaptionFont(canvas);
    const int room = RectWidth(SGB_Pages->CaptionTextRect()) - canvas->TextWidth(title) -
                     canvas->TextOverhang(title + FFileName);
    SGB_Pages->SetCaption(
        title + Skfilectrl::MinimizeName(FFileName, canvas, std::min(kFileCaptionWidth, room)));
}

void TFM::UpdateControls() {
    bool idle = FTimer == nullptr;
    FitAnimateButton();
    SGB_Pages->SetEnabled(idle);
    SGB_Type->SetEnabled(idle);
    BTN_Add->SetEnabled(idle);
    // Set once to its final state: each change of a button's state is a message to its window.
    BTN_Replace->SetEnabled(idle && FPages.GetCount() >= 1);
    // While the animation runs, it must stay possible to stop it.
    if (!idle) return;
    BTN_Animate->SetEnabled(FPages.GetCount() > 1);
    BTN_ApplyNode->SetEnabled(FTypeChanged);
    PUM_AddPage->SetEnabled(BTN_Add->GetEnabled());
    PUM_ReplacePage->SetEnabled(BTN_Replace->GetEnabled());
    PUM_AnimatePages->SetEnabled(BTN_Animate->GetEnabled());
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

TPageThumbnails& TFM::Thumbnails() {
    if (!FThumbnails) FThumbnails = std::make_unique<TPageThumbnails>(IML_Pages);
    return *FThumbnails;
}

Bmp32::TBitmap32* TFM::GetPageImage(int Index) {
    return Thumbnails().Get(FPages.Get(Index), FCommonType);
}

void TFM::AddPage(Byte Page) {
    const int count = FPages.GetCount();
    // Its picture first: a page that does not fit leaves the list as it was.
    Thumbnails().Get(Page, FCommonType);
    try {
        FPages.Add(Page);
        UpdateTable();
    } catch (...) {
        if (FPages.GetCount() > count) FPages.Delete(count);
        throw;
    }
    UpdateControls();
}

void TFM::ReplacePage(int Index) {
    if (!FPages.IsValidIndex(Index)) return;
    Thumbnails().Get(FPattern, FCommonType);
    FPages.Replace(Index, FPattern);
    TGclTableRedraw redraw(TBL_Leds);
    TBL_Leds->InvalidateRow(Index + 1);
}

void TFM::DeletePage(int Index) {
    if (!FPages.IsValidIndex(Index)) return;
    FPages.Delete(Index);
    UpdateTable();
    UpdateControls();
}

bool TFM::MovePage(int Index, bool Down) {
    if (!FPages.Move(Index, Down)) return false;
    TGclTableRedraw redraw(TBL_Leds);
    TBL_Leds->InvalidateTable();
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
    UpdateTable();
}

// Page i is table row i + 1: row 0 holds the headings.
int TFM::SelectedPageIndex() {
    return TBL_Leds->GetActiveRow() - 1;
}

void TFM::SelectRow(int Row) {
    TBL_Leds->SetActiveRow(Row + 1);
}

// The table always shows at least one data row; its active row follows a shorter list.
void TFM::UpdateTable() {
    TGclTableRedraw redraw(TBL_Leds);
    TBL_Leds->SetRowLimit(PageTableRows(FPages.GetCount()) + 1);
    TBL_Leds->InvalidateTable();
}

void TFM::ViewPage() {
    if (FPages.Empty()) return;
    FPattern = FPages.Get(SelectedPageIndex());
    UpdateLayersFromPattern();
    Redraw();
    if (SGB_Led->GetRollUpState()) {
        SGB_Led->SetRollUpState(false);
        TBL_Leds->SetTopRow(TBL_Leds->GetActiveRow());
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

// Every cell is answered from the one text and the one picture that the form keeps.
void TFM::TBL_LedsGetCellData(TObject*, int RowNum, int ColNum, void*& Data, TGclCellDataPurpose) {
    static char Empty[] = "";
    Data = nullptr;
    if (RowNum < 1 || !FPages.IsValidIndex(RowNum - 1)) return;
    const int index = RowNum - 1;
    if (ColNum == 0) {
        Bmp32::TBitmap32* image = GetPageImage(index);
        if (!image || !FCellBitmap) return;
        FCellImage.SetSize(image->GetWidth(), image->GetHeight());
        FCellImage.Clear(Bmp32::Color32(TBL_Leds->GetColor()));
        image->DrawTo(&FCellImage, 0, 0);
        FCellBitmap->SetSize(image->GetWidth(), image->GetHeight());
        FCellImage.DrawTo(static_cast<Bmp32::TPlatformHandle>(FCellBitmap->GetCanvas()->GetHandle()), 0, 0);
        Data = FCellBitmap.get();
        return;
    }
    FCellText = PageCellText(FPages.Get(index), ColNum);
    Data = FCellText.empty() ? Empty : FCellText.data();
}

// ---- Files -----------------------------------------------------------------------------

int TFM::Ask(const AnsiString& Question) {
    return SSM_Message->MessageDlg(Question, mtConfirmation, {mbYes, mbNo}, 0);
}

void TFM::ShowError(TObject*, const std::exception& E) {
    try {
        SSM_Message->MessageDlg(E.what(), mtError, {mbOK}, 0);
    } catch (const std::exception&) {
        // A box that cannot be built (no memory, no window) must not hide the error.
        Application->ShowException(E);
    }
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
    // A chosen type not yet applied becomes the new list's: there is nothing to convert.
    if (FTypeChanged) {
        FCommonType = CB_LedType->GetItemIndex() != 0;
        Redraw();
    }
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
    try {
        content = ReadPageFile(fileName);
        // Each pattern once, in file order: a long list repeats its few patterns.
        std::bitset<256> seen;
        for (Byte page : content.Pages) {
            if (seen[page]) continue;
            seen.set(page);
            Thumbnails().Get(page, content.CommonCathode);
            if (seen.all()) break;
        }
    } catch (const std::bad_alloc&) {
        throw EOutOfResources(
            Format("There is not enough memory to open %s; the pages stay as they were", fileName));
    }
    // Nothing below fails.
    FPages.Assign(std::move(content.Pages));
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
    // The file holds the pages' own type; a chosen type not yet applied stays chosen.
    UpdateCaptions();
    UpdateControls();
    FModified = false;
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
    const INT_PTR shown = ShellOpenCode(output);
    if (shown > 32) return;
    // The export has succeeded: what failed is only showing its result.
    const AnsiString why = IsNoProgramError(shown)
                               ? AnsiString("No program is set to show it.")
                               : "It could not be shown: " + ShellErrorText(shown) + ".";
    SSM_Message->MessageDlg("The sample program was written to " + output + ".\r" + why,
                            mtInformation, {mbOK}, 0);
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

// While the pages animate, the button is as wide as "Stop (n - count)" with the widest digits
// the count's length allows. It keeps its right edge and grows to the left, into the gap
// beside Replace Page, then to the right as far as the margin the row keeps at its left.
void TFM::FitAnimateButton() {
    const int digits = FTimer ? static_cast<int>(IntToStr(FPages.GetCount()).size()) : 0;
    if (!FSetUp || digits == FAnimateDigits) return;
    FAnimateDigits = digits;
    int width = FAnimateBounds.Width();
    for (char digit = '0'; digit <= '9' && digits > 0; ++digit) {
        const AnsiString number(static_cast<std::size_t>(digits), digit);
        width = std::max(width, BTN_Animate->WidthFor("Stop (" + number + " - " + number + ")"));
    }
    const int gap = BTN_Replace->GetLeft() - (BTN_Add->GetLeft() + BTN_Add->GetWidth());
    const int left = BTN_Replace->GetLeft() + BTN_Replace->GetWidth() + gap;
    const int right = SGB_Led->GetClientWidth() - BTN_Add->GetLeft();
    width = std::min(width, right - left);
    BTN_Animate->SetBounds(std::max(left, FAnimateBounds.Right - width), FAnimateBounds.Top, width,
                           FAnimateBounds.Height());
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

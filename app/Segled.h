// The main window: the LED view where a pattern is composed by clicking segments, the
// page list with its table, the LED type, page files, the SXBasic export and the
// animation of the pages.
//
// State: the lit flags of the segments (the Tag of each segment's layer, 1 for lit) are the
// picture; FPattern (the pin levels) follows them under the LED type of the pages
// (FCommonType) after every Redraw. The type chosen in CB_LedType only becomes the pages'
// type through Apply, which converts them, or through New, whose empty list has nothing to
// convert; until then FTypeChanged is set, and Save writes the pages' own type.
#pragma once

#include "app/LedGeometry.h"
#include "app/LedPalette.h"
#include "app/LedPattern.h"
#include "app/PageList.h"
#include "app/PageThumbnails.h"

#include "bitmap32/Bmp32.h"

#include "classlib/Bitmaps.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"

#include "grid/gcltable.h"
#include "grid/gcltcbmp.h"
#include "grid/gcltchdr.h"
#include "grid/gcltcstr.h"

#include "skin/controls/SkinCtrls_Buttons.h"
#include "skin/controls/SkinCtrls_Panels.h"

#include <array>
#include <memory>
#include <vector>

namespace Bmp32 {
class TBitmap32List;
class TBitmapLayer;
class TCustomLayer;
class TImage32;
class TPolygon32;
} // namespace Bmp32

class TMainMenu;
class TMenuItem;
class TskSkinComboBox;
class TskSkinMessage;
class TskSkinOpenDialog;
class TskSkinSaveDialog;
class TskSkinForm;
class TskSkinHint;
class TskSkinMainMenuBar;
class TPanel;
class TPopupMenu;
class TTimer;

class TFM : public TForm {
    DECLARE_CLASS(TFM, TForm)
public:
    explicit TFM(TComponent* AOwner);
    // Frees the shapes, wires and the cell bitmap; the layers go with IMG_Seg.
    ~TFM() override;

    // Components of the form resource.
    TskSkinPanel* PNL_Main = nullptr;
    TskSkinGroupBox* SGB_Type = nullptr;
    TskSkinComboBox* CB_LedType = nullptr;
    TskSkinButton* BTN_ApplyNode = nullptr;
    TskSkinGroupBox* SGB_Led = nullptr;
    Bmp32::TImage32* IMG_Seg = nullptr;
    TskSkinButton* BTN_Add = nullptr;
    TskSkinButton* BTN_Replace = nullptr;
    TskSkinButton* BTN_Animate = nullptr;
    TskSkinGroupBox* SGB_Pages = nullptr;
    TGclTable* TBL_Leds = nullptr;
    TskSkinPanel* PNL_PageTools = nullptr;
    TskSkinButton* BTN_ViewPage = nullptr;
    TskSkinButton* BTN_MoveUp = nullptr;
    TskSkinButton* BTN_MoveDown = nullptr;
    TskSkinButton* BTN_DeletePage = nullptr;
    TGclTCColHead* CH_Header = nullptr;
    TGclTCBitMap* CB_LED = nullptr;
    TGclTCString* CS_Data = nullptr;
    TMainMenu* MNU_MainMenu = nullptr;
    TMenuItem* New2 = nullptr;
    TMenuItem* Open2 = nullptr;
    TMenuItem* S1 = nullptr;
    TMenuItem* Exit1 = nullptr;
    TMenuItem* MNU_Invert = nullptr;
    TMenuItem* Clear2 = nullptr;
    TMenuItem* PBasicStamp1 = nullptr;
    TMenuItem* EmbeddedJavaJavelin2 = nullptr;
    TMenuItem* SXBasicSXx1 = nullptr;
    TMenuItem* ASMSXx2 = nullptr;
    TMenuItem* MNU_About = nullptr;
    TskSkinOpenDialog* DLG_Open = nullptr;
    TskSkinSaveDialog* DLG_Save = nullptr;
    TPopupMenu* SPU_Menu = nullptr;
    TMenuItem* InvertSegments1 = nullptr;
    TMenuItem* ClearSegments1 = nullptr;
    TMenuItem* PUM_AddPage = nullptr;
    TMenuItem* PUM_ReplacePage = nullptr;
    TMenuItem* PUM_AnimatePages = nullptr;
    Bmp32::TBitmap32List* IML_Pages = nullptr;
    TskSkinMessage* SSM_Message = nullptr;
    TskSkinHint* SHT_Hint = nullptr;
    TskSkinForm* skSkinForm1 = nullptr;
    TskSkinMainMenuBar* SMN_MenuBar = nullptr;

    // Event handlers, bound by name from the form resource.
    void FormShow(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void CB_LedTypeChange(TObject* Sender);
    void BTN_ApplyNodeClick(TObject* Sender);
    void IMG_SegMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y,
                          Bmp32::TCustomLayer* Layer);
    void IMG_SegMouseMove(TObject* Sender, TShiftState Shift, int X, int Y,
                          Bmp32::TCustomLayer* Layer);
    void IMG_SegMouseLeave(TObject* Sender);
    void GB_LEDMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void Clear2Click(TObject* Sender);
    void MNU_InvertClick(TObject* Sender);
    void BTN_AddClick(TObject* Sender);
    void BTN_ReplaceClick(TObject* Sender);
    void BTN_DeletePageClick(TObject* Sender);
    void BTN_MoveUpClick(TObject* Sender);
    void BTN_MoveDownClick(TObject* Sender);
    void BTN_ViewPageClick(TObject* Sender);
    void TBL_LedsDblClick(TObject* Sender);
    void TBL_LedsGetCellData(TObject* Sender, int RowNum, int ColNum, void*& Data,
                             TGclCellDataPurpose Purpose);
    void SGB_PagesClick(TObject* Sender);
    void New2Click(TObject* Sender);
    void Open2Click(TObject* Sender);
    void S1Click(TObject* Sender);
    void Exit1Click(TObject* Sender);
    void SXBasicSXx1Click(TObject* Sender);
    void BTN_AnimateClick(TObject* Sender);
    void AnimationTimer(TObject* Sender);
    void MNU_AboutClick(TObject* Sender);
    // An error that reached the application, in the skinned message box like every question.
    void ShowError(TObject* Sender, const std::exception& E);

    // What the window shows, for those who look at it from outside.
    const TPageList& GetPages() const { return FPages; }
    Byte GetPattern() const { return FPattern; }
    bool GetCommonType() const { return FCommonType; }
    bool GetTypeChanged() const { return FTypeChanged; }
    bool GetModified() const { return FModified; }
    const AnsiString& GetFileName() const { return FFileName; }
    const AnsiString& GetAppDir() const { return FAppDir; }
    TTimer* GetAnimationTimer() const { return FTimer; }
    // The thumbnail the page table shows for page Index.
    Bmp32::TBitmap32* GetPageImage(int Index);

    static void Published(TPropertyList& P);

private:
    // Set-up
    void SetupColors();
    // The least window height for the boxes as they are rolled.
    int LeastHeight();
    void BoxResize(TObject* Sender);

    // LED view
    void CreateSegmentShapes();
    void SetupSegmentLayer(Bmp32::TBitmapLayer* Layer, TSegmentKind Kind);
    void BuildSegmentShape(Bmp32::TPolygon32* Shape, int Segment);
    void OffsetSegmentLayer(Bmp32::TBitmapLayer* Layer, int Dx, int Dy);
    void SetupViewBitmap();
    // The view takes the focus by Tab: a dotted frame inside its border shows that it has it.
    void SetupViewFocusMark();
    void IMG_SegFocusChange(TObject* Sender);
    void IMG_SegPaintStage(TObject* Sender, Bmp32::TBitmap32* Buffer, int StageNum);
    void BuildWires();
    bool SegmentLitFlag(int Segment) const;
    void DrawSegments();
    void DrawPins(int Highlighted);
    void HoverSegment(int Segment);
    // The segments and the pins without a hover outline or highlight.
    void EndHover();
    void UpdatePatternFromLayers();
    void UpdateLayersFromPattern();
    void ToggleSegment(Bmp32::TCustomLayer* Layer);
    void Redraw();
    void UpdateCaptions();
    void UpdateControls();

    // LED type
    // Shows the pages' own type in CB_LedType, which ends a pending change.
    void ShowCommonType();

    // Page list
    void AddPage(Byte Page);
    TPageThumbnails& Thumbnails();
    void ReplacePage(int Index);
    void DeletePage(int Index);
    bool MovePage(int Index, bool Down);
    bool MovePageUp();
    bool MovePageDown();
    void ClearPages();
    void ViewPage();
    int SelectedPageIndex();
    void SelectRow(int Row);
    // Gives the page table one row per page (at least one), keeps a row current and repaints
    // the table once.
    void UpdateTable();

    // Files
    bool ConfirmDiscard();
    void LoadPages();
    void SavePages();
    int Ask(const AnsiString& Question);

    // Animation
    void StopAnimation();
    // Sets the Animate button's width for the widest caption it can show now.
    void FitAnimateButton();

    std::array<std::unique_ptr<Bmp32::TPolygon32>, kSegmentCount> FSegmentShapes;
    std::array<std::unique_ptr<Bmp32::TPolygon32>, kPinCount> FWires;
    // Owned by IMG_Seg's layer collection; index = segment.
    std::array<Bmp32::TBitmapLayer*, kSegmentCount> FSegmentLayers{};
    TTimer* FTimer = nullptr;
    int FFrame = 0;
    TPageList FPages;
    // The page thumbnails, kept in IML_Pages: one picture per pattern, made on first use.
    std::unique_ptr<TPageThumbnails> FThumbnails;
    // The last cell data handed to the page table, alive until the table has painted it:
    // one text and one picture for every row, so rows cost no memory or GDI object.
    AnsiString FCellText;
    std::unique_ptr<TBitmap> FCellBitmap;
    std::unique_ptr<TBitmap> FCaptionMeasure;
    Bmp32::TBitmap32 FCellImage;
    Byte FPattern = 0;
    bool FHoverDirty = false;
    // The pin DrawPins last highlighted (-1 for none): the pins show the pattern since, as
    // every change of the pattern draws them again, and a move over no segment that would
    // draw them as they are draws nothing.
    int FPinsHighlighted = -1;
    // Whether the view had the focus at its last enter or exit: the paint stage runs once per
    // repainted rectangle, and asking the system each time cost more than the rest of a small
    // repaint.
    bool FViewFocused = false;
    bool FCommonType = false;
    bool FTypeChanged = false;
    bool FModified = false;
    TLedPalette FColors;
    // The Animate button's place in the form resource, and the page count's digits it was
    // last fitted to (0 while no animation runs).
    TRect FAnimateBounds;
    int FAnimateDigits = -1;
    AnsiString FAppDir;
    AnsiString FFileName;
    bool FSetUp = false;
};

extern TFM* FM;

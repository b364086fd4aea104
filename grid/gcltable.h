// TGclCustomTable and TGclTable: a grid control that owns no cell values. It keeps the
// shape of the grid (rows, columns, locked headings, active cell, scrolled position,
// options, colours, pens), asks its owner for each cell's data through OnGetCellData
// and draws every cell through an attached cell component. Painting, navigation, the
// mouse, editing and streaming live in gcltable_<area>.cpp.
#pragma once

#include "classlib/Edits.h"
#include "grid/gcltbclr.h"
#include "grid/gcltbcls.h"
#include "grid/gcltbrws.h"
#include "grid/gcltcary.h"
#include "grid/gcltcell.h"
#include "grid/gcltgpns.h"
#include "grid/gcldrag.h"

#include <memory>
#include <vector>

DECLARE_UNIT(gcltable)

class TGclTCColHead;

struct TGclTableNumberArray {
    std::vector<int> Numbers; // the capacity is the vector's size
    int Count = 0;
};

class TGclCustomTable : public TGclTableAncestor {
    DECLARE_CLASS(TGclCustomTable, TGclTableAncestor)
public:
    explicit TGclCustomTable(TComponent* AOwner);
    ~TGclCustomTable() override;

    // ---- Shape ----
    int GetRowLimit() const { return FRows->GetLimit(); }
    void SetRowLimit(int Value);
    int GetColCount() const { return FColumns->GetCount(); }
    void SetColCount(int Value);
    int GetLockedRows() const { return FLockedRows; }
    void SetLockedRows(int Value);
    int GetLockedCols() const { return FLockedCols; }
    void SetLockedCols(int Value);
    int GetActiveRow() const { return FActiveRow; }
    void SetActiveRow(int Value) { SetActiveCell(Value, FActiveCol); }
    int GetActiveCol() const { return FActiveCol; }
    void SetActiveCol(int Value) { SetActiveCell(FActiveRow, Value); }
    int GetTopRow() const { return FTopRow; }
    void SetTopRow(int Value) { SetTopLeftCell(Value, FLeftCol); }
    int GetLeftCol() const { return FLeftCol; }
    void SetLeftCol(int Value) { SetTopLeftCell(FTopRow, Value); }
    bool GetOldRowColBehavior() const { return FOldRowColBehavior; }
    void SetOldRowColBehavior(bool Value) { FOldRowColBehavior = Value; }
    TGclTblAccess GetAccess() const { return FAccess; }
    void SetAccess(TGclTblAccess Value);
    TGclTblAdjust GetAdjust() const { return FAdjust; }
    void SetAdjust(TGclTblAdjust Value);
    TBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    TScrollStyle GetScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    TColor GetColorUnused() const { return FColorUnused; }
    void SetColorUnused(TColor Value);
    TGclTableColors* GetColors() const { return FColors; }
    void SetColors(TGclTableColors* Value);
    TGclTableColumns* GetColumns() const { return FColumns; }
    // Copies the given columns into the owned ones.
    void SetColumns(TGclTableColumns* Value);
    TGclTableRows* GetRows() const { return FRows; }
    // Copies the given rows into the owned ones.
    void SetRows(TGclTableRows* Value);
    TGclGridPenSet* GetGridPenSet() const { return FGridPenSet; }
    TGclBaseTableCell* GetLockedRowsCell() const { return FLockedRowsCell; }
    void SetLockedRowsCell(TGclBaseTableCell* Value);
    TGclTblOptionSet GetOptions() const { return FOptions; }
    void SetOptions(TGclTblOptionSet Value);
    TGclTableCells* GetCellOverrides() const { return FCellOverrides; }
    TGclTblStateSet GetState() const { return FState; }
    void SetController(TGclController* Value) override;
    void SetControllerComponent(TComponent* Value);
    TComponent* GetControllerComponent() const { return FController; }
    // The process-wide default controller belongs to no form and is not stored.
    bool IsControllerStored() const { return FController && FController != DefaultController(); }

    // ---- Block setters ----
    int GetBlockColBegin() const { return FBlockColBegin; }
    void SetBlockColBegin(int Value);
    int GetBlockColEnd() const { return FBlockColEnd; }
    void SetBlockColEnd(int Value);
    int GetBlockRowBegin() const { return FBlockRowBegin; }
    void SetBlockRowBegin(int Value);
    int GetBlockRowEnd() const { return FBlockRowEnd; }
    void SetBlockRowEnd(int Value);
    void SetBlockAccess(TGclTblAccess Value);
    void SetBlockAdjust(TGclTblAdjust Value);
    void SetBlockCell(TGclBaseTableCell* Value);
    void SetBlockColor(TColor Value);
    void SetBlockFont(TFont* Value);

    // ---- Display and invalidation ----
    int GetColOffset(int ColNum) const;
    int GetRowOffset(int RowNum) const;
    void GetDisplayedColNums(TGclTableNumberArray& A) const;
    void GetDisplayedRowNums(TGclTableNumberArray& A) const;
    int IncRow(int RowNum, int Direction) const;
    int IncCol(int ColNum, int Direction) const;
    void InvalidateCell(int RowNum, int ColNum);
    void InvalidateRow(int RowNum);
    void InvalidateColumn(int ColNum);
    void InvalidateRowHeading(int RowNum);
    void InvalidateColumnHeading(int ColNum);
    void InvalidateTable();
    void InvalidateTableNotLockedCols();
    void InvalidateTableNotLockedRows();
    void InvalidateCellsInRect(const TRect& R);
    bool GetAllowRedraw() const { return FRedrawLock == 0; }
    void SetAllowRedraw(bool Value);
    const TGclCellArray& InvalidCells() const { return *FInvalid; }

    // ---- Painting ----
    TGclTblRegion CalcRowColFromXY(int X, int Y, int& RowNum, int& ColNum);
    void ResolveCellAttributes(int RowNum, int ColNum, TGclCellAttributes& CellAttr) override;
    // The cell component that paints (RowNum, ColNum): override, locked rows, column.
    TGclBaseTableCell* FindCell(int RowNum, int ColNum) const;

    // ---- Navigation ----
    void SetActiveCell(int RowNum, int ColNum);
    void SetTopLeftCell(int RowNum, int ColNum);
    virtual void MoveActiveCell(Word Command);
    virtual void ProcessScrollBarClick(TGclScrollBar ScrollBar, int ScrollCode);
    TGclTblKeyNeeds FilterKey(TWMKey& Msg) override;
    int GetLastPageTopRow() const { return FLastPageRow; }
    int GetLastPageLeftCol() const { return FLastPageCol; }

    // ---- Selection ----
    bool HaveSelection() const { return FSelections->HaveSelection(); }
    bool InSelection(int RowNum, int ColNum) const;
    void IterateSelections(const TGclSelectionAction& Action, void* Extra);

    // ---- Editing ----
    bool InEditingState() const { return FState.Contains(otsEditing) || FState.Contains(otsHiddenEdit); }
    bool StartEditingState();
    bool StopEditingState(bool SaveValue);
    bool SaveEditedData();
    TGclBaseTableCell* GetEditingCell() const { return FEditingCell; }

    // ---- Reactions and notifications ----
    void tbCellChanged(TObject* Sender) override;
    void RemoveCell(TGclTableCellAncestor* Cell) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void DefineProperties(TFiler* Filer) override;
    void Loaded() override;

    // ---- Events ----
    TCellNotifyEvent OnActiveCellChanged;
    TCellMoveNotifyEvent OnActiveCellMoving;
    TCellBeginEditNotifyEvent OnBeginEdit;
    TNotifyEvent OnClipboardCopy, OnClipboardCut, OnClipboardPaste;
    TColChangeNotifyEvent OnColumnsChanged;
    TCellNotifyEvent OnDoneEdit;
    TCellEndEditNotifyEvent OnEndEdit;
    TColNotifyEvent OnEnteringColumn;
    TRowNotifyEvent OnEnteringRow;
    TCellDataNotifyEvent OnGetCellData;
    TCellAttrNotifyEvent OnGetCellAttributes;
    TColNotifyEvent OnLeavingColumn;
    TRowNotifyEvent OnLeavingRow;
    TCellNotifyEvent OnLockedCellClick;
    TRowChangeNotifyEvent OnRowsChanged;
    TSizeCellEditorNotifyEvent OnSizeCellEditor;
    TCellNotifyEvent OnTopLeftCellChanged;
    TCellChangeNotifyEvent OnTopLeftCellChanging;
    TUserCommandEvent OnUserCommand;
    TColResizeEvent OnResizeColumn;
    TRowResizeEvent OnResizeRow;
    const TNotifyEvent& GetOnPaintUnusedArea() const { return FOnPaintUnusedArea; }
    void SetOnPaintUnusedArea(const TNotifyEvent& Value);

    static void Published(TPropertyList& P);

protected:
    // Event firing; nothing while loading or destroying or without a handler.
    bool CanFire() const { return !IsLoading() && !IsDestroying(); }
    virtual void DoActiveCellChanged(int RowNum, int ColNum);
    virtual void DoActiveCellMoving(Word Command, int& RowNum, int& ColNum);
    virtual void DoBeginEdit(int RowNum, int ColNum, bool& AllowIt);
    virtual void DoClipboardCopy();
    virtual void DoClipboardCut();
    virtual void DoClipboardPaste();
    virtual void DoColumnsChanged(int ColNum1, int ColNum2, TGclTblActions Action);
    virtual void DoDoneEdit(int RowNum, int ColNum);
    virtual void DoEndEdit(TGclTableCellAncestor* Cell, int RowNum, int ColNum, bool& AllowIt);
    virtual void DoEnteringColumn(int ColNum);
    virtual void DoEnteringRow(int RowNum);
    virtual void DoGetCellAttributes(int RowNum, int ColNum, TGclCellAttributes& CellAttr);
    virtual void* DoGetCellData(int RowNum, int ColNum, TGclCellDataPurpose Purpose);
    virtual void DoLeavingColumn(int ColNum);
    virtual void DoLeavingRow(int RowNum);
    virtual void DoLockedCellClick(int RowNum, int ColNum);
    virtual void DoPaintUnusedArea();
    virtual void DoRowsChanged(int RowNum1, int RowNum2, TGclTblActions Action);
    virtual void DoSizeCellEditor(int RowNum, int ColNum, TRect& CellRect, TGclTblEditorStyle& Style);
    virtual void DoTopLeftCellChanged(int RowNum, int ColNum);
    virtual void DoTopLeftCellChanging(int& RowNum, int& ColNum);
    virtual void DoUserCommand(Word Command);

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Paint() override;
public:
    // Scales row heights, column widths and the attached cells' own fonts by M / D.
    virtual void ChangeScale(int M, int D);
protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void DoOnMouseWheel(TShiftState Shift, short Delta, Word XPos, Word YPos) override;

    // Messages
    void CtimQuery(TMessage& Msg);
    void CtimRemoveCell(TMessage& Msg);
    void CtimLoadDefaultCells(TMessage& Msg);
    void CtimStartEdit(TMessage& Msg);
    void CtimStartEditMouse(TMessage& Msg);
    void CtimStartEditKey(TMessage& Msg);
    void CtimEditorFocus(TMessage& Msg);
    void WMEraseBkgnd(TMessage& Msg);
    void WMGetDlgCode(TMessage& Msg);
    void CMColorChanged(TMessage& Msg);
    void CMFontChanged(TMessage& Msg);
    void WMKeyDown(TMessage& Msg);
    void WMVScroll(TMessage& Msg);
    void WMHScroll(TMessage& Msg);
    void WMSetFocus(TMessage& Msg);
    void WMKillFocus(TMessage& Msg);
    void WMCancelMode(TMessage& Msg);
    void WMPaint(TMessage& Msg);
    void WMLButtonDown(TMessage& Msg);
    void WMMouseMove(TMessage& Msg);
    void WMLButtonUp(TMessage& Msg);
    void WMLButtonDblClk(TMessage& Msg);
    void WMSetCursor(TMessage& Msg);
    void WMSize(TMessage& Msg);
    void CMCtl3DChanged(TMessage& Msg);
    void WMNCHitTest(TMessage& Msg);
    void CMDesignHitTest(TMessage& Msg);

    MESSAGE_HANDLERS(TGclCustomTable, TGclTableAncestor)
    MESSAGE_HANDLER(ctimQueryOptions, CtimQuery)
    MESSAGE_HANDLER(ctimQueryColor, CtimQuery)
    MESSAGE_HANDLER(ctimQueryFont, CtimQuery)
    MESSAGE_HANDLER(ctimQueryLockedCols, CtimQuery)
    MESSAGE_HANDLER(ctimQueryLockedRows, CtimQuery)
    MESSAGE_HANDLER(ctimQueryActiveCol, CtimQuery)
    MESSAGE_HANDLER(ctimQueryActiveRow, CtimQuery)
    MESSAGE_HANDLER(ctimRemoveCell, CtimRemoveCell)
    MESSAGE_HANDLER(ctimLoadDefaultCells, CtimLoadDefaultCells)
    MESSAGE_HANDLER(ctimStartEdit, CtimStartEdit)
    MESSAGE_HANDLER(ctimStartEditMouse, CtimStartEditMouse)
    MESSAGE_HANDLER(ctimStartEditKey, CtimStartEditKey)
    MESSAGE_HANDLER(ctimEditorGotFocus, CtimEditorFocus)
    MESSAGE_HANDLER(ctimEditorLostFocus, CtimEditorFocus)
    MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd)
    MESSAGE_HANDLER(WM_GETDLGCODE, WMGetDlgCode)
    MESSAGE_HANDLER(CM_COLORCHANGED, CMColorChanged)
    MESSAGE_HANDLER(CM_FONTCHANGED, CMFontChanged)
    MESSAGE_HANDLER(WM_KEYDOWN, WMKeyDown)
    MESSAGE_HANDLER(WM_VSCROLL, WMVScroll)
    MESSAGE_HANDLER(WM_HSCROLL, WMHScroll)
    MESSAGE_HANDLER(WM_SETFOCUS, WMSetFocus)
    MESSAGE_HANDLER(WM_KILLFOCUS, WMKillFocus)
    MESSAGE_HANDLER(WM_CANCELMODE, WMCancelMode)
    MESSAGE_HANDLER(WM_PAINT, WMPaint)
    MESSAGE_HANDLER(WM_LBUTTONDOWN, WMLButtonDown)
    MESSAGE_HANDLER(WM_MOUSEMOVE, WMMouseMove)
    MESSAGE_HANDLER(WM_LBUTTONUP, WMLButtonUp)
    MESSAGE_HANDLER(WM_LBUTTONDBLCLK, WMLButtonDblClk)
    MESSAGE_HANDLER(WM_SETCURSOR, WMSetCursor)
    MESSAGE_HANDLER(WM_SIZE, WMSize)
    MESSAGE_HANDLER(CM_CTL3DCHANGED, CMCtl3DChanged)
    MESSAGE_HANDLER(WM_NCHITTEST, WMNCHitTest)
    MESSAGE_HANDLER(CM_DESIGNHITTEST, CMDesignHitTest)
    END_MESSAGE_HANDLERS

private:
    friend class TGclTableRedraw;

    // Display arrays
    void BuildRowArray(int TopRow);
    void BuildColArray(int LeftCol);
    int RowDisplayIndex(int RowNum) const;
    int ColDisplayIndex(int ColNum) const;
    bool RowHidden(int RowNum) const;
    bool ColHidden(int ColNum) const;
    int RowHeight(int RowNum) const { return FRows->GetRowHeight(RowNum); }
    int ColWidth(int ColNum) const { return FColumns->GetWidth(ColNum); }
    int DisplayedEnd(const TGclTblDisplayArray& A) const { return A.Entries[A.Count].Offset; }

    // Invalid cells and painting
    void MarkCell(TGclCellArray& List, int RowNum, int ColNum);
    void MarkActiveCell();
    void MarkActiveRow();
    // 0 cells only, 1 cells and the unused area, 2 the unused area only.
    int CellsOfRect(const TRect& R, int& LeftIdx, int& TopIdx, int& RightIdx, int& BottomIdx);
    void PaintCellList(TGclCellArray& List);
    // The window system is about to repaint the whole client area anyway.
    bool WholeClientPending();
    void PaintRow(int RowIdx, int FirstColIdx, int LastColIdx);
    void DrawActiveCellFrame();
    void DrawGridLines(const TGclGridPen* Pen, int Left, int Top, int Width, int Height);
    TRect CellBandRect(int RowIdx, int ColIdx) const;
    TRect ReduceByEffect(TRect R, TGridEffect Effect) const;
    TRect EditorRect() const;
    void PlaceHiddenEditor();

    // Reactions
    void ColorsChanged(TObject* Sender);
    void PensChanged(TObject* Sender);
    void RowsChanged(TObject* Sender, int RowNum1, int RowNum2, TGclTblActions Action);
    void ColumnsChanged(TObject* Sender, int ColNum1, int ColNum2, TGclTblActions Action);

    // Navigation and scrolling
    // NewTop and NewLeft, when not -1, scroll in the same repaint as the move.
    void MoveTo(int RowNum, int ColNum, int NewTop = -1, int NewLeft = -1);
    void EnsureRowVisible(int RowNum);
    void EnsureColVisible(int ColNum);
    void ScrollRowsTo(int NewTop);
    void ScrollColsTo(int NewLeft);
    void PaintPendingWhileLocked();
    // Moves the pixels of Area by (DX, DY), leaving Strip to the caller; returns the box of
    // what else could not be copied, empty when all could.
    TRect MovePixels(const RECT& Area, int DX, int DY, const RECT& Strip);
    void InvalidateCarriedDamage();
    void CalcLastPage();
    void KeepTopLeftOnLastPage();
    void SetVertRange();
    void SetHorzRange();
    void SetVertPos();
    void SetHorzPos();
    void ShowVertBar();
    void ShowHorzBar();
    void PageDown();
    void PageUp();
    int PageUpTop();
    int PageLeftCol();
    int LockedRowsHeight(int Enough) const;
    int LockedColsWidth(int Enough) const;
    int LastVisibleRow() const;
    int LastVisibleCol() const;
    void MoveWithEvent(Word Command, int RowNum, int ColNum, int NewTop = -1, int NewLeft = -1);
    bool EditorRefusesScroll();
    int ThumbPosition(int Bar, WPARAM WParam);

    // Mouse
    bool OnRowLine(int X, int Y, int& RowIdx) const;
    bool OnColLine(int X, int Y, int& ColIdx) const;
    bool InColMoveArea(int X, int Y) const;
    bool InRowMoveArea(int X, int Y) const;
    void SetAnchor(int RowNum, int ColNum, TGclTblSelectionType Type);
    void UpdateSelection(int RowNum, int ColNum, TGclTblSelectionType Type);
    void SelectRow(int RowNum);
    void SelectCol(int ColNum);
    void SelectTable();
    void DrawSizeLine();
    void DrawMoveLine();
    void FinishMove();

    // Streaming
    void ReadRowData(TReader* Reader);
    void WriteRowData(TWriter* Writer);
    void ReadColData(TReader* Reader);
    void WriteColData(TWriter* Writer);
    void tbFinishLoadingDefaultCells();

    int FActiveCol = 1, FActiveRow = 1;
    int FBlockColBegin = 0, FBlockColEnd = 0, FBlockRowBegin = 0, FBlockRowEnd = 0;
    TGclTableCells* FCellOverrides = nullptr;
    TGclTableColors* FColors = nullptr;
    TGclTableColumns* FColumns = nullptr;
    TGclGridPenSet* FGridPenSet = nullptr;
    int FLeftCol = 1;
    int FLockedCols = 1, FLockedRows = 1;
    TGclBaseTableCell* FLockedRowsCell = nullptr;
    TGclTableRows* FRows = nullptr;
    int FAnchorCol = 1, FAnchorRow = 1;
    int FTopRow = 1;
    TColor FColorUnused = clWindow;
    bool FOldRowColBehavior = false;
    TGclTblAccess FAccess = otxNormal;
    TGclTblAdjust FAdjust = otaCenterLeft;
    TBorderStyle FBorderStyle = bsSingle;
    TGclTblOptionSet FOptions;
    TScrollStyle FScrollBars = ssBoth;
    TNotifyEvent FOnPaintUnusedArea;
    TGclTblDisplayArray FColArray, FRowArray;
    int FLastPageRows = 0, FLastPageRow = 1, FLastPageCols = 0, FLastPageCol = 1;
    int FRedrawLock = 0;
    AnsiString FGridTableName;
    TGclTblStateSet FState;
    int FSizingPos = 0, FSizingIdx = 0, FMoveFrom = 0, FMoveTo = 0;
    int FLastEnteredRow = -1, FLastEnteredCol = -1;
    TGclBaseTableCell* FEditingCell = nullptr;
    std::unique_ptr<TGclCellArray> FInvalid;
    std::unique_ptr<TGclSelectionList> FSelections;
    std::unique_ptr<TFont> FAttrFont;
    HCURSOR FColMoveCursor = nullptr, FRowMoveCursor = nullptr;
    // What the scroll bars were last given: each change costs the bar a repaint.
    int FShownVMax = -1, FShownVPos = -1, FShownHMax = -1, FShownHPos = -1;
    // The 32-bit thumb position of a drag in progress, -1 outside one.
    int FDraggedVPos = -1, FDraggedHPos = -1;
    std::unique_ptr<TGclDragShow> FDragImage;
    bool FHasHorzBar = false, FHasVertBar = false, FScrollPosPending = false;
    bool FSelecting = false, FDeselecting = false, FExtendPending = false;
    bool FPaintWhileLocked = false, FDefaultCellsPending = true, FVScrollInProgress = false;
    // The marked cells are painted when the open redraw bracket closes without asking
    // whether the whole window waits for a repaint: nothing was pending at the last look,
    // or a scroll moved pixels (whose few new cells cost less than the question).
    bool FPaintMarkedRegardless = false;
    // The pixel moves since the window last painted its damage or had none, oldest first:
    // damage pending before a move was carried along with the pixels.
    std::vector<TPoint> FCarryingMoves;
    bool FFocusingClick = false;
};

// Opens an AllowRedraw bracket for its lifetime.
class TGclTableRedraw {
public:
    explicit TGclTableRedraw(TGclCustomTable* Table) : FTable(Table) { FTable->SetAllowRedraw(false); }
    ~TGclTableRedraw() { FTable->SetAllowRedraw(true); }
    TGclTableRedraw(const TGclTableRedraw&) = delete;
    TGclTableRedraw& operator=(const TGclTableRedraw&) = delete;

private:
    TGclCustomTable* FTable;
};

class TGclTable : public TGclCustomTable {
    DECLARE_CLASS(TGclTable, TGclCustomTable)
public:
    explicit TGclTable(TComponent* AOwner) : TGclCustomTable(AOwner) {}
    static void Published(TPropertyList& P);
};

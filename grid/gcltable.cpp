// The table's data model: construction, properties and their setters, the display
// arrays, the redraw lock, invalidation and the reactions to its owned objects.
#include "classlib/Persistence.h"
#include "classlib/Strings.h"
#include "grid/gcltable.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Exceptions.h"
#include "grid/gcldata.h"
#include "grid/gclconst.h"
#include "grid/gclmisc.h"

#include <algorithm>

namespace {

void StartTable() {
    RegisterEnum<TGclTblAccess>({"otxDefault", "otxNormal", "otxReadOnly", "otxInvisible"});
    RegisterEnum<TGclTblAdjust>({"otaDefault", "otaTopLeft", "otaTopCenter", "otaTopRight",
                                 "otaCenterLeft", "otaCenter", "otaCenterRight", "otaBottomLeft",
                                 "otaBottomCenter", "otaBottomRight"});
    RegisterEnum<TGclTextStyle>({"tsFlat", "tsRaised", "tsLowered"});
    RegisterEnum<TGclTblOption>({"otoBrowseRow", "otoNoRowResizing", "otoNoColResizing",
                                 "otoTabToArrow", "otoEnterToArrow", "otoAlwaysEditing",
                                 "otoNoSelection", "otoMouseDragSelect", "otoRowSelection",
                                 "otoColSelection", "otoThumbTrack", "otoAllowColMoves",
                                 "otoAllowRowMoves"});
    if (!GetEnumInfo<TPenStyle>())
        RegisterEnum<TPenStyle>(
            {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"});
    RegisterEnum<TGridEffect>({"geNone", "geVertical", "geHorizontal", "geBoth", "ge3D"});
    RegisterClass(TGclTable::StaticClass());
}

} // namespace

DEFINE_UNIT(gcltable, uoGridModules, StartTable, nullptr);

TGclCustomTable::TGclCustomTable(TComponent* AOwner) : TGclTableAncestor(AOwner) {
    FState = TGclTblStateSet{otsNormal};
    TControlStyle Style = GetControlStyle();
    Style.Include(csCaptureMouse).Include(csOpaque).Include(csDoubleClicks);
    SetControlStyle(Style);
    SetBounds(GetLeft(), GetTop(), 300, 100);
    SetParentColor(false);
    SetColor(clBtnFace);
    SetTabStop(true);
    FGridPenSet = new TGclGridPenSet();
    FGridPenSet->SetOnCfgChanged(TNotifyEvent(this, &TGclCustomTable::PensChanged));
    FColors = new TGclTableColors();
    FColors->OnCfgChanged = TNotifyEvent(this, &TGclCustomTable::ColorsChanged);
    FColumns = new TGclTableColumns(this, 10);
    FColumns->SetOnColumnChanged(TColChangeNotifyEvent(this, &TGclCustomTable::ColumnsChanged));
    FCellOverrides = new TGclTableCells(this);
    FCellOverrides->OnCfgChanged = TNotifyEvent(this, &TGclCustomTable::tbCellChanged);
    FCellOverrides->Table = this;
    FInvalid = std::make_unique<TGclCellArray>();
    FRows = new TGclTableRows();
    FRows->SetLimit(10);
    FRows->OnCfgChanged = TRowChangeNotifyEvent(this, &TGclCustomTable::RowsChanged);
    FAttrFont = std::make_unique<TFont>();
    FColMoveCursor = LoadCursorA(GetModuleHandleA(nullptr), "ORCOLUMNMOVECURSOR");
    FRowMoveCursor = LoadCursorA(GetModuleHandleA(nullptr), "ORROWMOVECURSOR");
    FSelections = std::make_unique<TGclSelectionList>(10, 10);
    FGridTableName = GetGclStr(gclmsg::GridTableName);
    AssignDisplayArray(FColArray, 11);
    AssignDisplayArray(FRowArray, 11);
    FState.Include(IsDesigning() ? otsDesigning : otsUnfocused);
}

TGclCustomTable::~TGclCustomTable() {
    FColumns->SetOnColumnChanged(nullptr);
    FRows->OnCfgChanged = nullptr;
    FCellOverrides->OnCfgChanged = nullptr;
    delete FColumns;
    delete FCellOverrides;
    delete FRows;
    if (FLockedRowsCell) FLockedRowsCell->DecRefs();
    FLockedRowsCell = nullptr;
    FGridPenSet->SetOnCfgChanged(nullptr);
    FColors->OnCfgChanged = nullptr;
    delete FGridPenSet;
    delete FColors;
}

void TGclCustomTable::CreateParams(TCreateParams& Params) {
    TGclTableAncestor::CreateParams(Params);
    // The window is made without scroll bars: the ranges set once it exists show a bar that
    // has something to scroll, which saves hiding (and laying the window out again for) one
    // that has not.
    if (FBorderStyle == bsSingle) {
        if (GetCtl3D())
            Params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            Params.Style |= WS_BORDER;
    }
}

void TGclCustomTable::CreateWnd() {
    TGclTableAncestor::CreateWnd();
    PostMessageA(GetHandle(), ctimLoadDefaultCells, 0, 0);
    FRedrawLock = 0;
    FShownVMax = FShownVPos = FShownHMax = FShownHPos = -1;
    FHasHorzBar = FScrollBars == ssHorizontal || FScrollBars == ssBoth;
    FHasVertBar = FScrollBars == ssVertical || FScrollBars == ssBoth;
    CalcLastPage();
    BuildColArray(FLeftCol);
    BuildRowArray(FTopRow);
    SetLeftCol(FLeftCol);
    SetTopRow(FTopRow);
    SetActiveCol(FActiveCol);
    SetActiveRow(FActiveRow);
    FAnchorRow = FActiveRow;
    FAnchorCol = FActiveCol;
    SetHorzRange();
    SetVertRange();
    SetHorzPos();
    SetVertPos();
    DoTopLeftCellChanged(FTopRow, FLeftCol);
    DoActiveCellChanged(FActiveRow, FActiveCol);
    if (!IsDesigning() && FOptions.Contains(otoAlwaysEditing))
        PostMessageA(GetHandle(), ctimStartEdit, 0, 0);
}

void TGclCustomTable::Loaded() { TGclTableAncestor::Loaded(); }

void TGclCustomTable::SetController(TGclController* Value) { TGclTableAncestor::SetController(Value); }

void TGclCustomTable::SetControllerComponent(TComponent* Value) {
    SetController(dynamic_cast<TGclController*>(Value));
}

// ---- Display arrays -----------------------------------------------------------------

bool TGclCustomTable::RowHidden(int RowNum) const {
    return RowNum < 0 || RowNum >= GetRowLimit() || FRows->GetRowHidden(RowNum);
}

bool TGclCustomTable::ColHidden(int ColNum) const { return FColumns->GetHidden(ColNum); }

namespace {

void AppendEntry(TGclTblDisplayArray& A, int Num, int Offset) {
    if (A.Count + 1 >= A.Capacity) AssignDisplayArray(A, A.Capacity + 16);
    A.Entries[A.Count].Num = Num;
    A.Entries[A.Count].Offset = Offset;
    ++A.Count;
}

template <typename Hidden, typename Size>
void BuildArray(TGclTblDisplayArray& A, int Locked, int First, int Limit, int Extent, Hidden IsHidden,
                Size SizeOf) {
    A.Count = 0;
    int Offset = 0;
    for (int i = 0; i < Locked && i < Limit && Offset < Extent; ++i)
        if (!IsHidden(i)) {
            AppendEntry(A, i, Offset);
            Offset += SizeOf(i);
        }
    for (int i = std::max(First, Locked); i < Limit && Offset < Extent; ++i)
        if (!IsHidden(i)) {
            AppendEntry(A, i, Offset);
            Offset += SizeOf(i);
        }
    if (A.Count + 1 > A.Capacity) AssignDisplayArray(A, A.Capacity + 16);
    A.Entries[A.Count].Num = -1;
    A.Entries[A.Count].Offset = Offset;
}

int FindIndex(const TGclTblDisplayArray& A, int Num) {
    auto Begin = A.Entries.begin(), End = A.Entries.begin() + A.Count;
    auto It = std::lower_bound(Begin, End, Num,
                               [](const TGclDisplayEntry& E, int N) { return E.Num < N; });
    return (It != End && It->Num == Num) ? static_cast<int>(It - Begin) : -1;
}

} // namespace

void TGclCustomTable::BuildRowArray(int TopRow) {
    BuildArray(
        FRowArray, FLockedRows, TopRow, GetRowLimit(), HandleAllocated() ? GetClientHeight() : 0,
        [this](int r) { return RowHidden(r); }, [this](int r) { return RowHeight(r); });
}

void TGclCustomTable::BuildColArray(int LeftCol) {
    BuildArray(
        FColArray, FLockedCols, LeftCol, GetColCount(), HandleAllocated() ? GetClientWidth() : 0,
        [this](int c) { return ColHidden(c); }, [this](int c) { return ColWidth(c); });
}

int TGclCustomTable::RowDisplayIndex(int RowNum) const { return FindIndex(FRowArray, RowNum); }
int TGclCustomTable::ColDisplayIndex(int ColNum) const { return FindIndex(FColArray, ColNum); }

int TGclCustomTable::GetRowOffset(int RowNum) const {
    int i = RowDisplayIndex(RowNum);
    return i < 0 ? -1 : FRowArray.Entries[i].Offset;
}

int TGclCustomTable::GetColOffset(int ColNum) const {
    int i = ColDisplayIndex(ColNum);
    return i < 0 ? -1 : FColArray.Entries[i].Offset;
}

namespace {
void CopyNumbers(const TGclTblDisplayArray& D, TGclTableNumberArray& A) {
    int n = std::min<int>(D.Count, static_cast<int>(A.Numbers.size()));
    for (int i = 0; i < n; ++i) A.Numbers[i] = D.Entries[i].Num;
    A.Count = D.Count;
}
} // namespace

void TGclCustomTable::GetDisplayedColNums(TGclTableNumberArray& A) const { CopyNumbers(FColArray, A); }
void TGclCustomTable::GetDisplayedRowNums(TGclTableNumberArray& A) const { CopyNumbers(FRowArray, A); }

int TGclCustomTable::IncRow(int RowNum, int Direction) const {
    int Start = (RowNum < FLockedRows || RowNum >= GetRowLimit()) ? FLockedRows : RowNum;
    if (Direction == 0 && !RowHidden(Start)) return Start;
    if (Direction >= 0) {
        for (int r = Start; r < GetRowLimit() - 1;)
            if (!RowHidden(++r)) return r;
        if (Direction > 0) return Start;
    }
    for (int r = Start - 1; r >= FLockedRows; --r)
        if (!RowHidden(r)) return r;
    return Start;
}

int TGclCustomTable::IncCol(int ColNum, int Direction) const {
    int Start = (ColNum < FLockedCols || ColNum >= GetColCount()) ? FLockedCols : ColNum;
    if (Direction == 0 && !ColHidden(Start)) return Start;
    if (Direction >= 0) {
        for (int c = Start; c < GetColCount() - 1;)
            if (!ColHidden(++c)) return c;
        if (Direction > 0) return Start;
    }
    for (int c = Start - 1; c >= FLockedCols; --c)
        if (!ColHidden(c)) return c;
    return Start;
}

// ---- Setters ---------------------------------------------------------------------------

void TGclCustomTable::SetRowLimit(int Value) {
    if (Value == GetRowLimit() || Value <= FLockedRows) return;
    TGclTableRedraw Bracket(this);
    FRows->SetLimit(Value);
    FSelections->SetRowCount(Value);
    SetVertRange();
    if (Value <= FActiveRow) SetActiveRow(Value - 1);
    if (Value <= FTopRow) SetTopRow(Value - 1);
    if (Value <= FAnchorRow) FAnchorRow = Value - 1;
    if (Value <= FBlockRowBegin) FBlockRowBegin = Value - 1;
    if (Value <= FBlockRowEnd) FBlockRowEnd = Value - 1;
    SetVertPos();
}

void TGclCustomTable::SetColCount(int Value) {
    if (Value == GetColCount() || Value <= FLockedCols) return;
    TGclTableRedraw Bracket(this);
    FColumns->SetCount(Value);
    FSelections->SetColCount(Value);
    SetHorzRange();
    if (Value <= FActiveCol) SetActiveCol(Value - 1);
    if (Value <= FLeftCol) SetLeftCol(Value - 1);
    if (Value <= FAnchorCol) FAnchorCol = Value - 1;
    if (Value <= FBlockColBegin) FBlockColBegin = Value - 1;
    if (Value <= FBlockColEnd) FBlockColEnd = Value - 1;
    SetHorzPos();
}

namespace {
// No table has a negative number of locked rows or columns: a form that gives one is
// damaged, and elsewhere the value is ignored.
bool RefuseNegativeLockedCount(const TComponent* Table, int Value) {
    if (Value >= 0) return false;
    if (Table->IsLoading()) throw EReadError("Invalid property value " + IntToStr(Value));
    return true;
}
} // namespace

// Once the window exists, the locked rows must leave at least one unlocked row.
void TGclCustomTable::SetLockedRows(int Value) {
    if (RefuseNegativeLockedCount(this, Value)) return;
    if (!HandleAllocated()) {
        FLockedRows = Value;
        return;
    }
    if (Value == FLockedRows || Value < 0 || Value >= GetRowLimit()) return;
    {
        TGclTableRedraw Bracket(this);
        FLockedRows = Value;
        if (Value > FTopRow) SetTopRow(FTopRow);
        if (Value > FActiveRow) SetActiveRow(FActiveRow);
        BuildRowArray(FTopRow);
        InvalidateTable();
    }
    SetVertRange();
    SetVertPos();
}

void TGclCustomTable::SetLockedCols(int Value) {
    if (RefuseNegativeLockedCount(this, Value)) return;
    if (!HandleAllocated()) {
        FLockedCols = Value;
        return;
    }
    if (Value == FLockedCols || Value < 0 || Value >= GetColCount()) return;
    {
        TGclTableRedraw Bracket(this);
        FLockedCols = Value;
        if (Value > FLeftCol) SetLeftCol(FLeftCol);
        if (Value > FActiveCol) SetActiveCol(FActiveCol);
        BuildColArray(FLeftCol);
        InvalidateTable();
    }
    SetHorzRange();
    SetHorzPos();
}

void TGclCustomTable::SetOptions(TGclTblOptionSet Value) {
    TGclTableRedraw Bracket(this);
    FOptions = Value;
    if (HaveSelection()) {
        FSelecting = FDeselecting = false;
        SetAnchor(FActiveRow, FActiveCol, tstDeselectAll);
    }
    TGclTblOptionSet& O = FOptions;
    auto ClearSelectionOptions = [&O] {
        O.Exclude(otoMouseDragSelect).Exclude(otoRowSelection).Exclude(otoColSelection);
    };
    if (O.Contains(otoBrowseRow)) {
        O.Include(otoNoRowResizing).Include(otoNoSelection);
        ClearSelectionOptions();
    }
    if (O.Contains(otoAlwaysEditing)) {
        O.Include(otoNoRowResizing).Include(otoNoColResizing).Include(otoNoSelection);
        ClearSelectionOptions();
    } else if (O.Contains(otoNoSelection)) {
        ClearSelectionOptions();
    }
    if (O.Contains(otoRowSelection)) O.Exclude(otoAllowRowMoves);
    if (O.Contains(otoColSelection)) O.Exclude(otoAllowColMoves);
    InvalidateTable();
}

void TGclCustomTable::SetAccess(TGclTblAccess Value) {
    if (Value == otxDefault) Value = otxNormal;
    if (Value == FAccess) return;
    TGclTableRedraw Bracket(this);
    if (FAccess == otxInvisible || Value == otxInvisible) InvalidateTable();
    FAccess = Value;
}

void TGclCustomTable::SetAdjust(TGclTblAdjust Value) {
    if (Value == otaDefault) Value = otaCenterLeft;
    if (Value == FAdjust) return;
    TGclTableRedraw Bracket(this);
    InvalidateTable();
    FAdjust = Value;
}

void TGclCustomTable::SetBorderStyle(TBorderStyle Value) {
    FBorderStyle = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TGclCustomTable::SetScrollBars(TScrollStyle Value) {
    FScrollBars = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TGclCustomTable::SetColorUnused(TColor Value) {
    if (Value == FColorUnused) return;
    TGclTableRedraw Bracket(this);
    FColorUnused = Value;
    FInvalid->AddUnusedBit();
}

void TGclCustomTable::SetOnPaintUnusedArea(const TNotifyEvent& Value) {
    TGclTableRedraw Bracket(this);
    FOnPaintUnusedArea = Value;
    FInvalid->AddUnusedBit();
}

void TGclCustomTable::SetColors(TGclTableColors* Value) { FColors->Assign(Value); }

void TGclCustomTable::SetLockedRowsCell(TGclBaseTableCell* Value) {
    if (Value == FLockedRowsCell) return;
    if (Value && Value->RefCount() != 0 && Value->GetTable() != this) return;
    if (FLockedRowsCell) FLockedRowsCell->DecRefs();
    FLockedRowsCell = Value;
    if (Value) {
        if (Value->RefCount() == 0) Value->SetTable(this);
        Value->IncRefs();
    }
    tbCellChanged(this);
}

// The owned columns take the given ones' values: the caller keeps its list, and whoever
// holds the owned list keeps a valid one.
void TGclCustomTable::SetColumns(TGclTableColumns* Value) {
    if (!Value || Value == FColumns) return;
    TGclTableRedraw Bracket(this);
    FColumns->SetOnColumnChanged(nullptr);
    while (FColumns->GetCount() > Value->GetCount()) FColumns->Delete(FColumns->GetCount() - 1);
    while (FColumns->GetCount() < Value->GetCount()) FColumns->Append(new TGclTableColumn(this));
    for (int i = 0; i < Value->GetCount(); ++i) {
        FColumns->SetCol(i, Value->GetCol(i));
        // A cell another table holds is refused, and the column is left without one.
        if (FColumns->GetDefaultCell(i) != Value->GetDefaultCell(i)) FColumns->SetDefaultCell(i, nullptr);
    }
    FColumns->SetOnColumnChanged(TColChangeNotifyEvent(this, &TGclCustomTable::ColumnsChanged));
    ColumnsChanged(FColumns, 0, 0, taGeneral);
}

void TGclCustomTable::SetRows(TGclTableRows* Value) {
    if (!Value || Value == FRows) return;
    TGclTableRedraw Bracket(this);
    FRows->OnCfgChanged = nullptr;
    FRows->Clear();
    FRows->SetLimit(Value->GetLimit());
    FRows->SetDefHeight(Value->GetDefaultHeight());
    for (int r = 0; r < Value->GetLimit() && r < SparseArrayMaxCount; ++r)
        if (Value->GetRowIsSpecial(r)) FRows->SetRow(r, Value->GetRow(r));
    FRows->OnCfgChanged = TRowChangeNotifyEvent(this, &TGclCustomTable::RowsChanged);
    RowsChanged(FRows, 0, 0, taAll);
}

// ---- Block setters ---------------------------------------------------------------------

void TGclCustomTable::SetBlockColBegin(int Value) {
    if (Value == FBlockColBegin || Value < 0 || Value >= GetColCount()) return;
    FBlockColBegin = Value;
    if (FBlockColEnd < Value) FBlockColEnd = Value;
}
void TGclCustomTable::SetBlockColEnd(int Value) {
    if (Value == FBlockColEnd || Value < 0 || Value >= GetColCount()) return;
    FBlockColEnd = Value;
    if (FBlockColBegin > Value) FBlockColBegin = Value;
}
void TGclCustomTable::SetBlockRowBegin(int Value) {
    if (Value == FBlockRowBegin || Value < 0 || Value >= GetRowLimit()) return;
    FBlockRowBegin = Value;
    if (FBlockRowEnd < Value) FBlockRowEnd = Value;
}
void TGclCustomTable::SetBlockRowEnd(int Value) {
    if (Value == FBlockRowEnd || Value < 0 || Value >= GetRowLimit()) return;
    FBlockRowEnd = Value;
    if (FBlockRowBegin > Value) FBlockRowBegin = Value;
}

namespace {
template <typename F> void ForBlock(int R1, int R2, int C1, int C2, F Action) {
    for (int r = R1; r <= R2; ++r)
        for (int c = C1; c <= C2; ++c) Action(r, c);
}
} // namespace

void TGclCustomTable::SetBlockAccess(TGclTblAccess Value) {
    ForBlock(FBlockRowBegin, FBlockRowEnd, FBlockColBegin, FBlockColEnd,
             [&](int r, int c) { FCellOverrides->SetAccess(r, c, Value); });
}
void TGclCustomTable::SetBlockAdjust(TGclTblAdjust Value) {
    ForBlock(FBlockRowBegin, FBlockRowEnd, FBlockColBegin, FBlockColEnd,
             [&](int r, int c) { FCellOverrides->SetAdjust(r, c, Value); });
}
void TGclCustomTable::SetBlockCell(TGclBaseTableCell* Value) {
    ForBlock(FBlockRowBegin, FBlockRowEnd, FBlockColBegin, FBlockColEnd,
             [&](int r, int c) { FCellOverrides->SetCell(r, c, Value); });
}
void TGclCustomTable::SetBlockColor(TColor Value) {
    ForBlock(FBlockRowBegin, FBlockRowEnd, FBlockColBegin, FBlockColEnd,
             [&](int r, int c) { FCellOverrides->SetColor(r, c, Value); });
}
void TGclCustomTable::SetBlockFont(TFont* Value) {
    ForBlock(FBlockRowBegin, FBlockRowEnd, FBlockColBegin, FBlockColEnd,
             [&](int r, int c) { FCellOverrides->SetFont(r, c, Value); });
}

// ---- Redraw lock and invalidation ----------------------------------------------------

void TGclCustomTable::SetAllowRedraw(bool Value) {
    if (!Value) {
        if (++FRedrawLock != 1) return;
        FPaintMarkedRegardless = false;
        if (!HandleAllocated()) return;
        if (FOptions.Contains(otoBrowseRow)) MarkActiveRow();
        if (FState.Contains(otsEditing) && FEditingCell) {
            HWND Editor = FEditingCell->EditHandle();
            bool HadFocus = Editor && GetFocus() == Editor;
            if (Editor) {
                RECT R;
                GetWindowRect(Editor, &R);
                MapWindowPoints(nullptr, GetHandle(), reinterpret_cast<POINT*>(&R), 2);
                InvalidateCellsInRect(TRect(R.left, R.top, R.right, R.bottom));
            }
            FEditingCell->EditHide();
            FState.Exclude(otsEditing).Include(otsHiddenEdit);
            if (HadFocus) ::SetFocus(GetHandle());
        } else if (!FOptions.Contains(otoBrowseRow)) {
            MarkActiveCell();
        }
        return;
    }
    if (--FRedrawLock > 0) return;
    FRedrawLock = 0;
    if (FScrollPosPending) {
        FScrollPosPending = false;
        ShowHorzBar();
        ShowVertBar();
    }
    if (FOptions.Contains(otoBrowseRow)) MarkActiveRow();
    if (!HandleAllocated()) return;
    // A window that is not on the screen (a form sets its table up before its first show) is
    // painted whole when it shows, and one waiting to repaint all of itself is painted whole
    // next: that paint draws every cell and the active cell's frame, so nothing is drawn now.
    // After a scroll (or a look that found nothing pending) the few marked cells cost less
    // than asking.
    const bool WholePaintComing = !IsWindowVisible(GetHandle()) ||
                                  (!FPaintMarkedRegardless && WholeClientPending());
    FPaintMarkedRegardless = false;
    if (WholePaintComing)
        FInvalid->Clear();
    else if (!FInvalid->GetEmpty())
        PaintCellList(*FInvalid);
    if (FState.Contains(otsHiddenEdit) && RowDisplayIndex(FActiveRow) >= 0 &&
        ColDisplayIndex(FActiveCol) >= 0)
        PlaceHiddenEditor();
    else if (!WholePaintComing)
        DrawActiveCellFrame();
}

// One question to the window server: the region, whose box is worked out here.
bool TGclCustomTable::WholeClientPending() {
    RECT Pending, Client;
    HRGN Region = CreateRectRgn(0, 0, 0, 0);
    bool Whole = GetUpdateRgn(GetHandle(), Region, FALSE) == SIMPLEREGION && GetRgnBox(Region, &Pending);
    DeleteObject(Region);
    if (!Whole) return false;
    ::GetClientRect(GetHandle(), &Client);
    return EqualRect(&Pending, &Client);
}

void TGclCustomTable::MarkCell(TGclCellArray& List, int RowNum, int ColNum) {
    if (RowDisplayIndex(RowNum) >= 0 && ColDisplayIndex(ColNum) >= 0) List.AddCell(RowNum, ColNum);
}

void TGclCustomTable::MarkActiveCell() { MarkCell(*FInvalid, FActiveRow, FActiveCol); }
void TGclCustomTable::MarkActiveRow() { InvalidateRow(FActiveRow); }

void TGclCustomTable::InvalidateCell(int RowNum, int ColNum) { MarkCell(*FInvalid, RowNum, ColNum); }

void TGclCustomTable::InvalidateRow(int RowNum) {
    if (RowDisplayIndex(RowNum) < 0) return;
    for (int i = 0; i < FColArray.Count; ++i) FInvalid->AddCell(RowNum, FColArray.Entries[i].Num);
}

void TGclCustomTable::InvalidateColumn(int ColNum) {
    if (ColDisplayIndex(ColNum) < 0) return;
    for (int i = 0; i < FRowArray.Count; ++i) FInvalid->AddCell(FRowArray.Entries[i].Num, ColNum);
}

void TGclCustomTable::InvalidateRowHeading(int RowNum) {
    if (RowDisplayIndex(RowNum) < 0) return;
    for (int i = 0; i < FColArray.Count && FColArray.Entries[i].Num < FLockedCols; ++i)
        FInvalid->AddCell(RowNum, FColArray.Entries[i].Num);
}

void TGclCustomTable::InvalidateColumnHeading(int ColNum) {
    if (ColDisplayIndex(ColNum) < 0) return;
    for (int i = 0; i < FRowArray.Count && FRowArray.Entries[i].Num < FLockedRows; ++i)
        FInvalid->AddCell(FRowArray.Entries[i].Num, ColNum);
}

void TGclCustomTable::InvalidateTable() {
    for (int r = 0; r < FRowArray.Count; ++r)
        for (int c = 0; c < FColArray.Count; ++c)
            FInvalid->AddCell(FRowArray.Entries[r].Num, FColArray.Entries[c].Num);
    FInvalid->AddUnusedBit();
}

void TGclCustomTable::InvalidateTableNotLockedCols() {
    for (int r = 0; r < FRowArray.Count; ++r)
        for (int c = 0; c < FColArray.Count; ++c)
            if (FColArray.Entries[c].Num >= FLockedCols)
                FInvalid->AddCell(FRowArray.Entries[r].Num, FColArray.Entries[c].Num);
    FInvalid->AddUnusedBit();
}

void TGclCustomTable::InvalidateTableNotLockedRows() {
    for (int r = 0; r < FRowArray.Count; ++r)
        if (FRowArray.Entries[r].Num >= FLockedRows)
            for (int c = 0; c < FColArray.Count; ++c)
                FInvalid->AddCell(FRowArray.Entries[r].Num, FColArray.Entries[c].Num);
    FInvalid->AddUnusedBit();
}

void TGclCustomTable::InvalidateCellsInRect(const TRect& R) {
    int L, T, Rt, B;
    int Result = CellsOfRect(R, L, T, Rt, B);
    if (Result != 2)
        for (int r = T; r <= B; ++r)
            for (int c = L; c <= Rt; ++c)
                FInvalid->AddCell(FRowArray.Entries[r].Num, FColArray.Entries[c].Num);
    if (Result != 0) FInvalid->AddUnusedBit();
}

// ---- Reactions ---------------------------------------------------------------------------

void TGclCustomTable::tbCellChanged(TObject*) {
    if (IsLoading() || IsDestroying() || !HandleAllocated()) return;
    TGclTableRedraw Bracket(this);
    InvalidateTable();
}

void TGclCustomTable::ColorsChanged(TObject* Sender) { tbCellChanged(Sender); }
void TGclCustomTable::PensChanged(TObject* Sender) { tbCellChanged(Sender); }

namespace {

// Whether a change of rows (or columns) N1, N2 reaches what is on screen.
bool ChangeIsVisible(const TGclTblDisplayArray& A, int Locked, bool EndsInside, int N1, int N2,
                     TGclTblActions Action) {
    int First = A.Count ? A.Entries[std::min<int>(Locked, A.Count - 1)].Num : 0;
    int Last = A.Count ? A.Entries[A.Count - 1].Num : -1;
    auto Between = [&](int n) { return n >= First && n <= Last; };
    switch (Action) {
    case taSingle:
    case taInsert:
        return Between(N1) || (N1 > Last && EndsInside);
    case taDelete:
        return Between(N1);
    case taExchange:
        return Between(N1) || Between(N2);
    default:
        return true;
    }
}

} // namespace

void TGclCustomTable::RowsChanged(TObject*, int RowNum1, int RowNum2, TGclTblActions Action) {
    if (IsLoading() || IsDestroying()) return;
    if (!HandleAllocated()) {
        FSelections->SetRowCount(GetRowLimit());
        return;
    }
    {
        TGclTableRedraw Bracket(this);
        bool Visible = ChangeIsVisible(FRowArray, FLockedRows, DisplayedEnd(FRowArray) < GetClientHeight(),
                                       RowNum1, RowNum2, Action);
        if (Action == taInsert) FCellOverrides->InsertRow(RowNum1);
        if (Action == taDelete) FCellOverrides->DeleteRow(RowNum1);
        if (Action == taExchange) FCellOverrides->ExchangeRows(RowNum1, RowNum2);
        if (Action != taGeneral && Action != taAll)
            DoRowsChanged(RowNum1, Action == taExchange ? RowNum2 : -1, Action);
        if (Visible) {
            BuildRowArray(FTopRow);
            InvalidateTable();
            if (Action == taSingle || Action == taDelete) {
                if (FTopRow == RowNum1) SetTopRow(FTopRow);
                if (FActiveRow == RowNum1) SetActiveRow(FActiveRow);
            }
            FBlockRowBegin = std::min(FBlockRowBegin, GetRowLimit() - 1);
            FBlockRowEnd = std::min(FBlockRowEnd, GetRowLimit() - 1);
        }
    }
    FSelections->SetRowCount(GetRowLimit());
    SetVertRange();
    SetVertPos();
}

void TGclCustomTable::ColumnsChanged(TObject*, int ColNum1, int ColNum2, TGclTblActions Action) {
    if (IsLoading() || IsDestroying()) return;
    bool Reported = Action != taGeneral && Action != taAll;
    if (!HandleAllocated()) {
        FSelections->SetColCount(GetColCount());
        if (Reported) DoColumnsChanged(ColNum1, Action == taExchange ? ColNum2 : -1, Action);
        return;
    }
    {
        TGclTableRedraw Bracket(this);
        bool Visible = ChangeIsVisible(FColArray, FLockedCols, DisplayedEnd(FColArray) < GetClientWidth(),
                                       ColNum1, ColNum2, Action);
        if (Action == taInsert) FCellOverrides->InsertCol(ColNum1);
        if (Action == taDelete) FCellOverrides->DeleteCol(ColNum1);
        if (Action == taExchange) FCellOverrides->ExchangeCols(ColNum1, ColNum2);
        if (Reported) DoColumnsChanged(ColNum1, Action == taExchange ? ColNum2 : -1, Action);
        FSelections->SetColCount(GetColCount());
        SetHorzRange();
        if (Visible) {
            BuildColArray(FLeftCol);
            InvalidateTable();
            if (Action == taSingle || Action == taDelete) {
                if (FLeftCol == ColNum1) SetLeftCol(FLeftCol);
                if (FActiveCol == ColNum1) SetActiveCol(FActiveCol);
            }
            FBlockColBegin = std::min(FBlockColBegin, GetColCount() - 1);
            FBlockColEnd = std::min(FBlockColEnd, GetColCount() - 1);
        }
    }
    SetHorzPos();
}

void TGclCustomTable::Notification(TComponent* AComponent, TOperation Operation) {
    TGclTableAncestor::Notification(AComponent, Operation);
    if (Operation == opRemove)
        if (auto* Cell = dynamic_cast<TGclTableCellAncestor*>(AComponent)) RemoveCell(Cell);
}

// Every place the table keeps the cell lets it go: a cell leaving its table leaves no
// dangling reference in a column, the override matrix or the attached list.
void TGclCustomTable::RemoveCell(TGclTableCellAncestor* Cell) {
    auto* Base = dynamic_cast<TGclBaseTableCell*>(Cell);
    bool Bracket = HandleAllocated() && !IsDestroying();
    if (Bracket) SetAllowRedraw(false);
    if (Base && Base == FLockedRowsCell) {
        FLockedRowsCell = nullptr;
        Base->DecRefs();
    }
    if (Base) {
        FColumns->tcNotifyCellDeletion(Base);
        FCellOverrides->tcNotifyCellDeletion(Base);
        if (Base == FEditingCell) FEditingCell = nullptr;
    }
    tbExcludeCell(Cell);
    if (Bracket) {
        InvalidateTable();
        SetAllowRedraw(true);
    }
}

// The client area changes size without the window doing so when a scroll bar comes or
// goes: what is on screen and the last page follow.
void TGclCustomTable::WMSize(TMessage& Msg) {
    TGclTableAncestor::Dispatch(Msg);
    if (!HandleAllocated() || FRowArray.Capacity == 0) return;
    TGclTableRedraw Bracket(this);
    BuildColArray(FLeftCol);
    BuildRowArray(FTopRow);
    CalcLastPage();
}

void TGclCustomTable::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (!HandleAllocated() || (AWidth == GetWidth() && AHeight == GetHeight())) {
        TGclTableAncestor::SetBounds(ALeft, ATop, AWidth, AHeight);
        return;
    }
    TGclTableRedraw Bracket(this);
    bool WidthChanged = AWidth != GetWidth(), HeightChanged = AHeight != GetHeight();
    TGclTableAncestor::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (WidthChanged) BuildColArray(FLeftCol);
    if (HeightChanged) BuildRowArray(FTopRow);
    SetVertRange();
    SetHorzRange();
    InvalidateTable();
}

// ---- Messages ------------------------------------------------------------------------------

void TGclCustomTable::CtimQuery(TMessage& Msg) {
    switch (Msg.Msg) {
    case ctimQueryOptions:
        Msg.Result = static_cast<LRESULT>(FOptions.ToBits());
        break;
    case ctimQueryColor:
        Msg.Result = static_cast<LRESULT>(GetColor());
        break;
    case ctimQueryFont:
        Msg.Result = reinterpret_cast<LRESULT>(GetFont());
        break;
    case ctimQueryLockedCols:
        Msg.Result = FLockedCols;
        break;
    case ctimQueryLockedRows:
        Msg.Result = FLockedRows;
        break;
    case ctimQueryActiveCol:
        Msg.Result = FActiveCol;
        break;
    default:
        Msg.Result = FActiveRow;
        break;
    }
}

void TGclCustomTable::CtimRemoveCell(TMessage& Msg) {
    if (auto* Cell = reinterpret_cast<TGclTableCellAncestor*>(Msg.LParam)) RemoveCell(Cell);
    Msg.Result = 0;
}

void TGclCustomTable::CtimLoadDefaultCells(TMessage& Msg) {
    {
        TGclTableRedraw Bracket(this);
        tbFinishLoadingDefaultCells();
        InvalidateTable();
    }
    Msg.Result = 0;
}

void TGclCustomTable::CtimEditorFocus(TMessage& Msg) { Msg.Result = 0; }

void TGclCustomTable::WMEraseBkgnd(TMessage& Msg) { Msg.Result = 1; }

void TGclCustomTable::WMGetDlgCode(TMessage& Msg) {
    Msg.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (FOptions.Contains(otoTabToArrow)) Msg.Result |= DLGC_WANTTAB;
}

void TGclCustomTable::CMColorChanged(TMessage& Msg) {
    TGclTableAncestor::Dispatch(Msg);
    TGclTableRedraw Bracket(this);
    tbNotifyCellsOfTableChange();
}

// The border's look depends on Ctl3D, which only a new window picks up.
void TGclCustomTable::CMCtl3DChanged(TMessage& Msg) {
    if (!IsLoading() && HandleAllocated() && FBorderStyle == bsSingle) RecreateWnd();
    TGclTableAncestor::Dispatch(Msg);
}

void TGclCustomTable::ChangeScale(int M, int D) {
    if (M == D || D == 0) return;
    TGclTableRedraw Bracket(this);
    FRows->rwScaleHeights(M, D);
    for (int c = 0; c < GetColCount(); ++c) FColumns->SetWidth(c, MulDiv(FColumns->GetWidth(c), M, D));
    for (TGclTableCellAncestor* Cell : AttachedCells()) Cell->tcChangeScale(M, D);
    if (!HandleAllocated()) return;
    BuildRowArray(FTopRow);
    BuildColArray(FLeftCol);
    SetVertRange();
    SetHorzRange();
    InvalidateTable();
}

void TGclCustomTable::CMFontChanged(TMessage& Msg) {
    TGclTableAncestor::Dispatch(Msg);
    TGclTableRedraw Bracket(this);
    tbNotifyCellsOfTableChange();
}

void TGclTable::Published(TPropertyList& P) {
    P.Add("Color", &TControl::GetColor, &TControl::SetColor, clBtnFace).Idents(ColorToIdent, IdentToColor);
    P.Add("ParentColor", &TControl::GetParentColor, &TControl::SetParentColor, false);
    P.Add("TabStop", &TWinControl::GetTabStop, &TWinControl::SetTabStop, true);
    P.Add("OnMouseWheel", &TGcl32CustomControl::OnMouseWheel);
}

void TGclCustomTable::Published(TPropertyList& P) {
    using T = TGclCustomTable;
    PublishWinControlProperties(P);
    P.Add("LockedRows", &T::GetLockedRows, &T::SetLockedRows, 1);
    P.Add("TopRow", &T::GetTopRow, &T::SetTopRow, 1);
    P.Add("ActiveRow", &T::GetActiveRow, &T::SetActiveRow, 1);
    P.Add("RowLimit", &T::GetRowLimit, &T::SetRowLimit, 10);
    P.Add("LockedCols", &T::GetLockedCols, &T::SetLockedCols, 1);
    P.Add("LeftCol", &T::GetLeftCol, &T::SetLeftCol, 1);
    P.Add("ActiveCol", &T::GetActiveCol, &T::SetActiveCol, 1);
    P.Add("OldRowColBehavior", &T::GetOldRowColBehavior, &T::SetOldRowColBehavior, false);
    P.Add("Access", &T::GetAccess, &T::SetAccess, otxNormal);
    P.Add("Adjust", &T::GetAdjust, &T::SetAdjust, otaCenterLeft);
    P.Add("BorderStyle", &T::GetBorderStyle, &T::SetBorderStyle, bsSingle);
    P.Add("ColCount", &T::GetColCount, &T::SetColCount).Stored(false);
    P.Add("ColorUnused", &T::GetColorUnused, &T::SetColorUnused, clWindow)
        .Idents(ColorToIdent, IdentToColor);
    P.Add("Colors", &T::GetColors);
    P.Add("Controller", &T::GetControllerComponent, &T::SetControllerComponent)
        .Stored(&T::IsControllerStored);
    P.Add("GridPenSet", &T::GetGridPenSet);
    P.Add("LockedRowsCell", &T::GetLockedRowsCell, &T::SetLockedRowsCell);
    P.Add("Options", &T::GetOptions, &T::SetOptions, TGclTblOptionSet());
    P.Add("ScrollBars", &T::GetScrollBars, &T::SetScrollBars, ssBoth);
    P.Add("OnPaintUnusedArea", &T::GetOnPaintUnusedArea, &T::SetOnPaintUnusedArea);
    P.Add("OnActiveCellChanged", &T::OnActiveCellChanged);
    P.Add("OnActiveCellMoving", &T::OnActiveCellMoving);
    P.Add("OnBeginEdit", &T::OnBeginEdit);
    P.Add("OnClipboardCopy", &T::OnClipboardCopy);
    P.Add("OnClipboardCut", &T::OnClipboardCut);
    P.Add("OnClipboardPaste", &T::OnClipboardPaste);
    P.Add("OnColumnsChanged", &T::OnColumnsChanged);
    P.Add("OnDoneEdit", &T::OnDoneEdit);
    P.Add("OnEndEdit", &T::OnEndEdit);
    P.Add("OnEnteringColumn", &T::OnEnteringColumn);
    P.Add("OnEnteringRow", &T::OnEnteringRow);
    P.Add("OnGetCellData", &T::OnGetCellData);
    P.Add("OnGetCellAttributes", &T::OnGetCellAttributes);
    P.Add("OnLeavingColumn", &T::OnLeavingColumn);
    P.Add("OnLeavingRow", &T::OnLeavingRow);
    P.Add("OnLockedCellClick", &T::OnLockedCellClick);
    P.Add("OnRowsChanged", &T::OnRowsChanged);
    P.Add("OnSizeCellEditor", &T::OnSizeCellEditor);
    P.Add("OnTopLeftCellChanged", &T::OnTopLeftCellChanged);
    P.Add("OnTopLeftCellChanging", &T::OnTopLeftCellChanging);
    P.Add("OnUserCommand", &T::OnUserCommand);
    P.Add("OnResizeColumn", &T::OnResizeColumn);
    P.Add("OnResizeRow", &T::OnResizeRow);
}

// The mouse: clicks, selection, the size and move cursors, resizing and moving rows
// and columns.
#include "grid/gcltable.h"

#include "grid/gclmisc.h"

#include <algorithm>

namespace {
constexpr Word MouseMoveCommand = 250;
constexpr int GridLineBand = 2;
constexpr int MinSize = 6;
} // namespace

// ---- Grid lines and move areas ---------------------------------------------------------

bool TGclCustomTable::OnRowLine(int X, int Y, int& RowIdx) const {
    int LockedColsEnd = 0, LockedRowsEnd = 0;
    for (int i = 0; i < FColArray.Count && FColArray.Entries[i].Num < FLockedCols; ++i)
        LockedColsEnd = FColArray.Entries[i + 1].Offset;
    for (int i = 0; i < FRowArray.Count && FRowArray.Entries[i].Num < FLockedRows; ++i)
        LockedRowsEnd = FRowArray.Entries[i + 1].Offset;
    if (X >= LockedColsEnd || X < 0) return false;
    for (int i = 0; i < FRowArray.Count; ++i) {
        int Bottom = FRowArray.Entries[i + 1].Offset;
        if (std::abs(Y - Bottom) <= GridLineBand) {
            RowIdx = i;
            return true;
        }
    }
    (void)LockedRowsEnd;
    return false;
}

bool TGclCustomTable::OnColLine(int X, int Y, int& ColIdx) const {
    int LockedRowsEnd = 0;
    for (int i = 0; i < FRowArray.Count && FRowArray.Entries[i].Num < FLockedRows; ++i)
        LockedRowsEnd = FRowArray.Entries[i + 1].Offset;
    if (Y >= LockedRowsEnd || Y < 0) return false;
    for (int i = 0; i < FColArray.Count; ++i) {
        int Right = FColArray.Entries[i + 1].Offset;
        if (std::abs(X - Right) <= GridLineBand) {
            ColIdx = i;
            return true;
        }
    }
    return false;
}

bool TGclCustomTable::InColMoveArea(int X, int Y) const {
    int LockedColsEnd = 0, LockedRowsEnd = 0;
    for (int i = 0; i < FColArray.Count && FColArray.Entries[i].Num < FLockedCols; ++i)
        LockedColsEnd = FColArray.Entries[i + 1].Offset;
    for (int i = 0; i < FRowArray.Count && FRowArray.Entries[i].Num < FLockedRows; ++i)
        LockedRowsEnd = FRowArray.Entries[i + 1].Offset;
    return Y >= 0 && Y < LockedRowsEnd && X >= LockedColsEnd && X < DisplayedEnd(FColArray);
}

bool TGclCustomTable::InRowMoveArea(int X, int Y) const {
    int LockedColsEnd = 0, LockedRowsEnd = 0;
    for (int i = 0; i < FColArray.Count && FColArray.Entries[i].Num < FLockedCols; ++i)
        LockedColsEnd = FColArray.Entries[i + 1].Offset;
    for (int i = 0; i < FRowArray.Count && FRowArray.Entries[i].Num < FLockedRows; ++i)
        LockedRowsEnd = FRowArray.Entries[i + 1].Offset;
    return X >= 0 && X < LockedColsEnd && Y >= LockedRowsEnd && Y < DisplayedEnd(FRowArray);
}

void TGclCustomTable::WMSetCursor(TMessage& Msg) {
    if (LOWORD(Msg.LParam) != HTCLIENT || !FState.Contains(otsFocused) || InEditingState()) {
        if (LOWORD(Msg.LParam) != HTCLIENT && (FState.Contains(otsShowSize) || FState.Contains(otsShowMove)))
            FState.Exclude(otsShowSize).Exclude(otsShowMove).Exclude(otsDoingRow).Exclude(otsDoingCol).Include(otsNormal);
        TGclTableAncestor::Dispatch(Msg);
        return;
    }
    POINT P;
    GetCursorPos(&P);
    ::ScreenToClient(GetHandle(), &P);
    int Idx;
    bool Design = IsDesigning();
    HCURSOR Cursor;
    if (OnRowLine(P.x, P.y, Idx) && (!FOptions.Contains(otoNoRowResizing) || Design)) {
        Cursor = LoadCursorA(nullptr, IDC_SIZENS);
        FState.Include(otsShowSize).Include(otsDoingRow).Exclude(otsNormal).Exclude(otsShowMove).Exclude(otsDoingCol);
        FSizingIdx = Idx;
    } else if (OnColLine(P.x, P.y, Idx) && (!FOptions.Contains(otoNoColResizing) || Design)) {
        Cursor = LoadCursorA(nullptr, IDC_SIZEWE);
        FState.Include(otsShowSize).Include(otsDoingCol).Exclude(otsNormal).Exclude(otsShowMove).Exclude(otsDoingRow);
        FSizingIdx = Idx;
    } else if ((FOptions.Contains(otoAllowColMoves) || Design) && InColMoveArea(P.x, P.y)) {
        Cursor = FColMoveCursor;
        FState.Include(otsShowMove).Include(otsDoingCol).Exclude(otsNormal).Exclude(otsShowSize).Exclude(otsDoingRow);
    } else if ((FOptions.Contains(otoAllowRowMoves) || Design) && InRowMoveArea(P.x, P.y)) {
        Cursor = FRowMoveCursor;
        FState.Include(otsShowMove).Include(otsDoingRow).Exclude(otsNormal).Exclude(otsShowSize).Exclude(otsDoingCol);
    } else {
        Cursor = LoadCursorA(nullptr, IDC_ARROW);
        FState.Exclude(otsShowSize).Exclude(otsShowMove).Exclude(otsDoingRow).Exclude(otsDoingCol).Include(otsNormal);
    }
    ::SetCursor(Cursor);
    Msg.Result = 1;
}

void TGclCustomTable::WMNCHitTest(TMessage& Msg) {
    if (IsDesigning())
        Msg.Result = DefWindowProcA(GetHandle(), Msg.Msg, Msg.WParam, Msg.LParam);
    else
        TGclTableAncestor::Dispatch(Msg);
}

// At design time the table takes the mouse only where it sizes or moves rows and columns.
void TGclCustomTable::CMDesignHitTest(TMessage& Msg) {
    Msg.Result = 1;
    if (!IsDesigning() || FState.Contains(otsSizing) || FState.Contains(otsMoving)) return;
    TWMNCHitTest Hit(Msg);
    int X = Hit.XPos(), Y = Hit.YPos(), Idx;
    bool Takes = OnRowLine(X, Y, Idx) || OnColLine(X, Y, Idx) || InColMoveArea(X, Y) || InRowMoveArea(X, Y);
    Msg.Result = Takes ? 1 : 0;
}

// ---- Selection --------------------------------------------------------------------------------

bool TGclCustomTable::InSelection(int RowNum, int ColNum) const {
    return FSelections->HaveSelection() && FSelections->IsCellSelected(RowNum, ColNum);
}

void TGclCustomTable::IterateSelections(const TGclSelectionAction& Action, void* Extra) {
    FSelections->Iterate(Action, Extra);
}

void TGclCustomTable::SetAnchor(int RowNum, int ColNum, TGclTblSelectionType Type) {
    if (Type == tstDeselectAll && FSelections->HaveSelection()) {
        for (int r = 0; r < FRowArray.Count; ++r)
            for (int c = 0; c < FColArray.Count; ++c)
                if (FSelections->IsCellSelected(FRowArray.Entries[r].Num, FColArray.Entries[c].Num))
                    FInvalid->AddCell(FRowArray.Entries[r].Num, FColArray.Entries[c].Num);
        FSelections->DeselectAll();
    }
    FAnchorRow = std::clamp(RowNum, FLockedRows, std::max(FLockedRows, GetRowLimit() - 1));
    FAnchorCol = std::clamp(ColNum, FLockedCols, std::max(FLockedCols, GetColCount() - 1));
    FSelections->SetRangeAnchor(FAnchorRow, FAnchorCol, Type);
    FSelecting = FDeselecting = false;
    if (Type == tstAdditional) {
        if (FSelections->IsCellSelected(FAnchorRow, FAnchorCol))
            FDeselecting = true;
        else
            FSelecting = true;
    }
}

// Repaints exactly the cells whose selection state changes, and the active cell.
void TGclCustomTable::UpdateSelection(int RowNum, int ColNum, TGclTblSelectionType Type) {
    std::vector<TGclCellAddress> Deselected;
    if (Type == tstDeselectAll && FSelections->HaveSelection()) {
        for (int r = 0; r < FRowArray.Count; ++r)
            for (int c = 0; c < FColArray.Count; ++c)
                if (FSelections->IsCellSelected(FRowArray.Entries[r].Num, FColArray.Entries[c].Num))
                    Deselected.push_back({FRowArray.Entries[r].Num, FColArray.Entries[c].Num});
        FSelections->DeselectAll();
        FSelections->SetRangeAnchor(FAnchorRow, FAnchorCol, tstDeselectAll);
    }
    bool Browse = FOptions.Contains(otoBrowseRow);
    auto InExtent = [&](int r, int c, int ToRow, int ToCol) {
        bool RowIn = r >= std::min(FAnchorRow, ToRow) && r <= std::max(FAnchorRow, ToRow);
        bool ColIn = Browse ? c >= FLockedCols
                            : (c >= std::min(FAnchorCol, ToCol) && c <= std::max(FAnchorCol, ToCol));
        return RowIn && ColIn;
    };
    FSelections->ExtendRange(RowNum, ColNum, FSelecting || FExtendPending);
    for (int r = 0; r < FRowArray.Count; ++r)
        for (int c = 0; c < FColArray.Count; ++c) {
            int Row = FRowArray.Entries[r].Num, Col = FColArray.Entries[c].Num;
            if (InExtent(Row, Col, FActiveRow, FActiveCol) != InExtent(Row, Col, RowNum, ColNum))
                FInvalid->AddCell(Row, Col);
        }
    MarkActiveCell();
    for (const TGclCellAddress& A : Deselected)
        if (!InExtent(A.Row, A.Col, FActiveRow, FActiveCol)) FInvalid->AddCell(A.Row, A.Col);
}

void TGclCustomTable::SelectRow(int RowNum) {
    FSelections->SelectCellRange(RowNum, FLockedCols, RowNum, GetColCount() - 1);
    InvalidateRow(RowNum);
}

void TGclCustomTable::SelectCol(int ColNum) {
    FSelections->SelectCellRange(FLockedRows, ColNum, GetRowLimit() - 1, ColNum);
    InvalidateColumn(ColNum);
}

void TGclCustomTable::SelectTable() {
    FSelections->SelectAll();
    InvalidateTable();
}

// ---- Size and move lines --------------------------------------------------------------

void TGclCustomTable::DrawSizeLine() {
    HDC DC = GetDC(GetHandle());
    HPEN Pen = CreatePen(PS_DOT, 1, RGB(0, 0, 0));
    HGDIOBJ Old = SelectObject(DC, Pen);
    int OldRop = SetROP2(DC, R2_XORPEN);
    if (FState.Contains(otsDoingRow)) {
        MoveToEx(DC, 0, FSizingPos, nullptr);
        LineTo(DC, GetClientWidth(), FSizingPos);
    } else {
        MoveToEx(DC, FSizingPos, 0, nullptr);
        LineTo(DC, FSizingPos, GetClientHeight());
    }
    SetROP2(DC, OldRop);
    SelectObject(DC, Old);
    DeleteObject(Pen);
    ReleaseDC(GetHandle(), DC);
}

void TGclCustomTable::DrawMoveLine() {
    if (FDragImage) FDragImage->HideDragImage();
    HDC DC = GetDC(GetHandle());
    HPEN Pen = CreatePen(PS_SOLID, 3, RGB(255, 255, 255));
    HGDIOBJ Old = SelectObject(DC, Pen);
    int OldRop = SetROP2(DC, R2_XORPEN);
    if (FState.Contains(otsDoingCol)) {
        const TGclTblDisplayArray& A = FColArray;
        int X = FMoveTo > FMoveFrom ? A.Entries[FMoveTo + 1].Offset : A.Entries[FMoveTo].Offset;
        MoveToEx(DC, X, 0, nullptr);
        LineTo(DC, X, GetClientHeight());
    } else {
        const TGclTblDisplayArray& A = FRowArray;
        int Y = FMoveTo > FMoveFrom ? A.Entries[FMoveTo + 1].Offset : A.Entries[FMoveTo].Offset;
        MoveToEx(DC, 0, Y, nullptr);
        LineTo(DC, GetClientWidth(), Y);
    }
    SetROP2(DC, OldRop);
    SelectObject(DC, Old);
    DeleteObject(Pen);
    ReleaseDC(GetHandle(), DC);
    if (FDragImage) FDragImage->ShowDragImage();
}

// ---- Buttons ------------------------------------------------------------------------------

void TGclCustomTable::WMLButtonDown(TMessage& Msg) {
    TGclTableAncestor::Dispatch(Msg);
    int X = static_cast<short>(LOWORD(Msg.LParam)), Y = static_cast<short>(HIWORD(Msg.LParam));
    FFocusingClick = false;
    if (FState.Contains(otsUnfocused)) {
        TGclTableRedraw Bracket(this);
        SetFocus();
        if (!FState.Contains(otsFocused)) ::SetFocus(GetHandle());
        FFocusingClick = true;
    }
    if (FState.Contains(otsShowSize)) {
        FState.Exclude(otsShowSize).Include(otsSizing);
        bool Rows = FState.Contains(otsDoingRow);
        const TGclTblDisplayArray& A = Rows ? FRowArray : FColArray;
        int Edge = A.Entries[FSizingIdx].Offset;
        int Pos = Rows ? Y : X;
        FSizingPos = std::max(Pos, Edge + MinSize);
        DrawSizeLine();
        return;
    }
    if (FState.Contains(otsShowMove)) {
        FState.Exclude(otsShowMove).Include(otsMoving);
        int Row, Col;
        CalcRowColFromXY(X, Y, Row, Col);
        bool Cols = FState.Contains(otsDoingCol);
        FMoveFrom = Cols ? ColDisplayIndex(Col) : RowDisplayIndex(Row);
        if (FMoveFrom < 0) {
            FState.Exclude(otsMoving).Exclude(otsDoingCol).Exclude(otsDoingRow).Include(otsNormal);
            return;
        }
        TRect R;
        if (Cols)
            R = TRect(FColArray.Entries[FMoveFrom].Offset, FRowArray.Entries[0].Offset,
                      std::min(FColArray.Entries[FMoveFrom + 1].Offset, GetClientWidth()),
                      FRowArray.Entries[1].Offset);
        else
            R = TRect(FColArray.Entries[0].Offset, FRowArray.Entries[FMoveFrom].Offset,
                      FColArray.Entries[1].Offset,
                      std::min(FRowArray.Entries[FMoveFrom + 1].Offset, GetClientHeight()));
        POINT TL{R.Left, R.Top}, BR{R.Right, R.Bottom}, M{X, Y};
        ::ClientToScreen(GetHandle(), &TL);
        ::ClientToScreen(GetHandle(), &BR);
        ::ClientToScreen(GetHandle(), &M);
        FDragImage = std::make_unique<TGclDragShow>(M.x, M.y, TRect(TL.x, TL.y, BR.x, BR.y), clBtnFace);
        FMoveTo = FMoveFrom;
        DrawMoveLine();
        return;
    }
    bool Shift = (Msg.WParam & MK_SHIFT) != 0, Ctrl = (Msg.WParam & MK_CONTROL) != 0;
    int Row, Col;
    TGclTblRegion Region = CalcRowColFromXY(X, Y, Row, Col);
    bool Focused = FState.Contains(otsFocused);
    if (Focused && !FOptions.Contains(otoNoSelection)) {
        if (InEditingState() && FEditingCell && FEditingCell->EditHandle())
            ::SetFocus(FEditingCell->EditHandle());
        switch (Region) {
        case otrInMain: {
            bool EditStarted = false;
            {
                TGclTableRedraw Bracket(this);
                DoActiveCellMoving(MouseMoveCommand, Row, Col);
                if (!Shift) {
                    TGclTblSelectionType Type = tstDeselectAll;
                    if (Ctrl) {
                        Type = tstAdditional;
                    } else if (Row == FActiveRow && Col == FActiveCol && !FFocusingClick) {
                        PostMessageA(GetHandle(), ctimStartEdit, 0, 0);
                        PostMessageA(GetHandle(), ctimStartEditMouse, Msg.WParam, Msg.LParam);
                        EditStarted = true;
                    }
                    SetAnchor(Row, Col, Type);
                } else {
                    if (!Ctrl) FSelecting = true;
                    UpdateSelection(Row, Col, Ctrl ? tstAdditional : tstDeselectAll);
                }
                MoveTo(Row, Col);
            }
            if (FOptions.Contains(otoMouseDragSelect) && !EditStarted && FState.Contains(otsNormal))
                FState.Exclude(otsNormal).Include(otsMouseSelect);
            break;
        }
        case otrInLocked: {
            if (!StopEditingState(true)) return;
            {
                TGclTableRedraw Bracket(this);
                bool RowSel = FOptions.Contains(otoRowSelection), ColSel = FOptions.Contains(otoColSelection);
                if (RowSel && Row >= FLockedRows) SelectRow(Row);
                if (ColSel && Col >= FLockedCols) SelectCol(Col);
                if (RowSel && ColSel && Row < FLockedRows && Col < FLockedCols) SelectTable();
            }
            if (FState.Contains(otsNormal)) DoLockedCellClick(Row, Col);
            break;
        }
        case otrInUnused: {
            if (!StopEditingState(true)) return;
            if (Row < 0) Row = LastVisibleRow();
            if (Col < 0) Col = LastVisibleCol();
            if (Row == FActiveRow && Col == FActiveCol) break;
            DoActiveCellMoving(ccNone, Row, Col);
            SetAnchor(Row, Col, tstDeselectAll);
            MoveTo(Row, Col);
            break;
        }
        case otrOutside:
            break;
        }
        return;
    }
    if (!Focused || !(FState.Contains(otsNormal) || InEditingState())) return;
    if (Region == otrInMain) {
        if (InEditingState() && FEditingCell && FEditingCell->EditHandle())
            ::SetFocus(FEditingCell->EditHandle());
        {
            TGclTableRedraw Bracket(this);
            DoActiveCellMoving(MouseMoveCommand, Row, Col);
            if (!FOptions.Contains(otoAlwaysEditing) && Row == FActiveRow && Col == FActiveCol &&
                !FFocusingClick) {
                PostMessageA(GetHandle(), ctimStartEdit, 0, 0);
                PostMessageA(GetHandle(), ctimStartEditMouse, Msg.WParam, Msg.LParam);
            }
            MoveTo(Row, Col);
        }
        PostMessageA(GetHandle(), ctimStartEditMouse, Msg.WParam, Msg.LParam);
    } else if (Region == otrInLocked && FState.Contains(otsNormal)) {
        DoLockedCellClick(Row, Col);
    }
}

void TGclCustomTable::WMMouseMove(TMessage& Msg) {
    TGclTableAncestor::Dispatch(Msg);
    int X = static_cast<short>(LOWORD(Msg.LParam)), Y = static_cast<short>(HIWORD(Msg.LParam));
    if (FDragImage) {
        POINT P{X, Y};
        ::ClientToScreen(GetHandle(), &P);
        FDragImage->DragMove(P.x, P.y);
    }
    if (FState.Contains(otsMouseSelect)) {
        int Row, Col;
        TGclTblRegion Region = CalcRowColFromXY(X, Y, Row, Col);
        if (Region == otrOutside || Region == otrInUnused) {
            if (Row == -2) Row = IncRow(FActiveRow, -1);
            if (Row == -1) {
                int After = FRowArray.Count ? FRowArray.Entries[FRowArray.Count - 1].Num + 1 : FActiveRow;
                Row = std::min(GetRowLimit() - 1, After);
            }
            if (Col == -2) Col = IncCol(FActiveCol, -1);
            if (Col == -1) {
                int After = FColArray.Count ? FColArray.Entries[FColArray.Count - 1].Num + 1 : FActiveCol;
                Col = std::min(GetColCount() - 1, After);
            }
        } else if (Region == otrInLocked) {
            if (Row < FLockedRows) Row = IncRow(FActiveRow, -1);
            if (Col < FLockedCols) Col = IncCol(FActiveCol, -1);
        }
        DoActiveCellMoving(MouseMoveCommand, Row, Col);
        if (Row == FActiveRow && Col == FActiveCol) return;
        bool Ctrl = (Msg.WParam & MK_CONTROL) != 0;
        if (!Ctrl) FSelecting = true;
        TGclTableRedraw Bracket(this);
        UpdateSelection(Row, Col, Ctrl ? tstAdditional : tstDeselectAll);
        MoveTo(Row, Col);
        return;
    }
    if (FState.Contains(otsSizing)) {
        bool Rows = FState.Contains(otsDoingRow);
        const TGclTblDisplayArray& A = Rows ? FRowArray : FColArray;
        int Edge = A.Entries[FSizingIdx].Offset;
        int Pos = Rows ? Y : X;
        DrawSizeLine();
        if (Pos >= Edge + MinSize) FSizingPos = Pos;
        DrawSizeLine();
        return;
    }
    if (FState.Contains(otsMoving)) {
        int Row, Col;
        CalcRowColFromXY(X, Y, Row, Col);
        if (FState.Contains(otsDoingCol)) {
            int Idx = ColDisplayIndex(Col);
            if (Col >= FLockedCols && Idx >= 0 && Idx != FMoveTo) {
                DrawMoveLine();
                FMoveTo = Idx;
                DrawMoveLine();
            }
        } else {
            int Idx = RowDisplayIndex(Row);
            if (Row >= FLockedRows && Idx >= 0 && Idx != FMoveTo) {
                DrawMoveLine();
                FMoveTo = Idx;
                DrawMoveLine();
            }
        }
    }
}

void TGclCustomTable::WMLButtonUp(TMessage& Msg) {
    TGclTableAncestor::Dispatch(Msg);
    if (FState.Contains(otsMouseSelect)) {
        FState.Exclude(otsMouseSelect).Include(otsNormal);
        return;
    }
    if (FState.Contains(otsSizing)) {
        DrawSizeLine();
        TGclTableRedraw Bracket(this);
        bool Rows = FState.Contains(otsDoingRow);
        const TGclTblDisplayArray& A = Rows ? FRowArray : FColArray;
        int Edge = A.Entries[FSizingIdx].Offset;
        int Num = A.Entries[FSizingIdx].Num;
        FSizingPos = std::max(FSizingPos, Edge + MinSize);
        // Both doing flags go, whichever kind of line was sized.
        FState.Exclude(otsSizing).Exclude(otsDoingRow).Exclude(otsDoingCol).Include(otsNormal);
        if (Rows) {
            FRows->SetRowHeight(Num, FSizingPos - Edge);
            if (OnResizeRow) OnResizeRow(this, Num, FRows->GetRowHeight(Num));
        } else {
            FColumns->SetWidth(Num, FSizingPos - Edge);
            if (OnResizeColumn) OnResizeColumn(this, Num, FColumns->GetWidth(Num));
        }
        InvalidateTable();
        return;
    }
    if (FState.Contains(otsMoving)) {
        FDragImage.reset();
        DrawMoveLine();
        FinishMove();
        return;
    }
    FDragImage.reset();
}

void TGclCustomTable::FinishMove() {
    bool Cols = FState.Contains(otsDoingCol);
    FState.Exclude(otsMoving).Exclude(otsDoingRow).Exclude(otsDoingCol).Include(otsNormal);
    if (FMoveFrom == FMoveTo) return;
    TGclTableRedraw Bracket(this);
    const TGclTblDisplayArray& A = Cols ? FColArray : FRowArray;
    int From = A.Entries[FMoveFrom].Num, To = A.Entries[FMoveTo].Num;
    auto Swap = [this, Cols](int I, int J) {
        if (Cols)
            FColumns->Exchange(I, J);
        else
            FRows->Exchange(I, J);
    };
    if (From < To)
        for (int i = From; i < To; ++i) Swap(i, i + 1);
    else
        for (int i = From; i > To; --i) Swap(i - 1, i);
    int Active = Cols ? FActiveCol : FActiveRow, NewActive = Active;
    if (Active == From)
        NewActive = To;
    else if (From < To && Active > From && Active <= To)
        NewActive = Cols ? IncCol(Active, -1) : IncRow(Active, -1);
    else if (From > To && Active >= To && Active < From)
        NewActive = Cols ? IncCol(Active, 1) : IncRow(Active, 1);
    if (Cols)
        FActiveCol = NewActive;
    else
        FActiveRow = NewActive;
    InvalidateTable();
}

void TGclCustomTable::WMLButtonDblClk(TMessage& Msg) {
    TGclTableAncestor::Dispatch(Msg);
    if (IsDesigning()) return;
    int X = static_cast<short>(LOWORD(Msg.LParam)), Y = static_cast<short>(HIWORD(Msg.LParam));
    int Row, Col;
    if (CalcRowColFromXY(X, Y, Row, Col) == otrInMain) {
        PostMessageA(GetHandle(), ctimStartEdit, 0, 0);
        PostMessageA(GetHandle(), ctimStartEditMouse, Msg.WParam, Msg.LParam);
    }
}

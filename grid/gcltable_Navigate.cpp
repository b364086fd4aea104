// The active cell, the sixteen movements, keys, the wheel, scroll bars, physical
// scrolling and focus.
#include "grid/gcltable.h"

#include "grid/gclcmd.h"
#include "grid/gclmisc.h"

#include <algorithm>

namespace {
constexpr Word MouseMoveCommand = 250;
}

// ---- Active cell ------------------------------------------------------------------------

void TGclCustomTable::SetActiveCell(int RowNum, int ColNum) {
    DoActiveCellMoving(ccNone, RowNum, ColNum);
    if (FExtendPending)
        UpdateSelection(RowNum, ColNum, tstDeselectAll);
    else
        SetAnchor(RowNum, ColNum, tstDeselectAll);
    MoveTo(RowNum, ColNum);
}

void TGclCustomTable::MoveTo(int RowNum, int ColNum, int NewTop, int NewLeft) {
    int NewRow = IncRow(RowNum, 0), NewCol = IncCol(ColNum, 0);
    if (NewRow == FActiveRow && NewCol == FActiveCol) return;
    if (!HandleAllocated() || FRowArray.Count == 0 || FColArray.Count == 0) {
        FActiveRow = NewRow;
        FActiveCol = NewCol;
        return;
    }
    {
        TGclTableRedraw Bracket(this);
        TGclCellArray Private;
        bool RowChanges = NewRow != FActiveRow, ColChanges = NewCol != FActiveCol;
        if (RowChanges) {
            for (int i = 0; i < FColArray.Count && FColArray.Entries[i].Num < FLockedCols; ++i) {
                MarkCell(Private, FActiveRow, FColArray.Entries[i].Num);
                MarkCell(*FInvalid, NewRow, FColArray.Entries[i].Num);
            }
            DoLeavingRow(FActiveRow);
        }
        if (ColChanges) {
            for (int i = 0; i < FRowArray.Count && FRowArray.Entries[i].Num < FLockedRows; ++i) {
                MarkCell(Private, FRowArray.Entries[i].Num, FActiveCol);
                MarkCell(*FInvalid, FRowArray.Entries[i].Num, NewCol);
            }
            DoLeavingColumn(FActiveCol);
        }
        FInvalid->DeleteCell(FActiveRow, FActiveCol);
        if (FOptions.Contains(otoBrowseRow) && RowChanges) {
            for (int i = 0; i < FColArray.Count; ++i) {
                FInvalid->DeleteCell(FActiveRow, FColArray.Entries[i].Num);
                MarkCell(Private, FActiveRow, FColArray.Entries[i].Num);
            }
        }
        MarkCell(Private, FActiveRow, FActiveCol);
        if (!FOldRowColBehavior && RowChanges) DoEnteringRow(NewRow);
        FActiveRow = NewRow;
        if (!FOldRowColBehavior && ColChanges) DoEnteringColumn(NewCol);
        FActiveCol = NewCol;
        PaintCellList(Private);
        if (NewTop >= 0) SetTopRow(NewTop);
        if (NewLeft >= 0) SetLeftCol(NewLeft);
        EnsureRowVisible(NewRow);
        EnsureColVisible(NewCol);
        if (!IsDesigning() && FOptions.Contains(otoAlwaysEditing))
            PostMessageA(GetHandle(), ctimStartEdit, 0, 0);
        else
            MarkActiveCell();
    }
    SetHorzPos();
    SetVertPos();
    DoActiveCellChanged(FActiveRow, FActiveCol);
}

void TGclCustomTable::EnsureRowVisible(int RowNum) {
    int Idx = RowDisplayIndex(RowNum);
    if (Idx < 0) {
        SetTopRow(RowNum);
        return;
    }
    int End = FRowArray.Entries[Idx + 1].Offset, H = GetClientHeight();
    if (End <= H) return;
    int Top = FTopRow, Dropped = 0;
    int i = RowDisplayIndex(FTopRow);
    while (i >= 0 && i < Idx && End - Dropped > H) {
        Dropped += FRowArray.Entries[i + 1].Offset - FRowArray.Entries[i].Offset;
        ++i;
        Top = FRowArray.Entries[i].Num;
    }
    SetTopRow(Top);
}

void TGclCustomTable::EnsureColVisible(int ColNum) {
    int Idx = ColDisplayIndex(ColNum);
    if (Idx < 0) {
        SetLeftCol(ColNum);
        return;
    }
    int End = FColArray.Entries[Idx + 1].Offset, W = GetClientWidth();
    if (End <= W) return;
    int Left = FLeftCol, Dropped = 0;
    int i = ColDisplayIndex(FLeftCol);
    while (i >= 0 && i < Idx && End - Dropped > W) {
        Dropped += FColArray.Entries[i + 1].Offset - FColArray.Entries[i].Offset;
        ++i;
        Left = FColArray.Entries[i].Num;
    }
    SetLeftCol(Left);
}

// ---- Top-left cell and physical scrolling -------------------------------------------

void TGclCustomTable::SetTopLeftCell(int RowNum, int ColNum) {
    if (RowNum > FLastPageRow) RowNum = FLastPageRow;
    if (ColNum > FLastPageCol) ColNum = FLastPageCol;
    RowNum = IncRow(RowNum, 0);
    ColNum = IncCol(ColNum, 0);
    DoTopLeftCellChanging(RowNum, ColNum);
    if (!HandleAllocated()) {
        FTopRow = RowNum;
        FLeftCol = ColNum;
        return;
    }
    if (RowNum == FTopRow && ColNum == FLeftCol) return;
    {
        TGclTableRedraw Bracket(this);
        if (RowNum != FTopRow) ScrollRowsTo(RowNum);
        if (ColNum != FLeftCol) ScrollColsTo(ColNum);
    }
    SetVertPos();
    SetHorzPos();
    DoTopLeftCellChanged(FTopRow, FLeftCol);
}

namespace {

// Moves the pixels of Area by (DX, DY) on DC; returns the box of what could not be copied
// (parts hidden by another window) other than the uncovered Strip.
TRect ScrollArea(HDC DC, const RECT& Area, int DX, int DY, const RECT& Strip) {
    HRGN Damage = CreateRectRgn(0, 0, 0, 0);
    ScrollDC(DC, DX, DY, &Area, &Area, Damage, nullptr);
    HRGN StripRgn = CreateRectRgnIndirect(&Strip);
    TRect Box;
    RECT Rest;
    if (CombineRgn(Damage, Damage, StripRgn, RGN_DIFF) != NULLREGION && GetRgnBox(Damage, &Rest))
        Box = TRect(Rest.left, Rest.top, Rest.right, Rest.bottom);
    DeleteObject(StripRgn);
    DeleteObject(Damage);
    return Box;
}

// Moves remembered before the window system is asked about pending damage at last.
constexpr std::size_t MaxCarryingMoves = 16;

} // namespace

// Damage the window has pending is only marked by the locked paint, at the cells it covers
// now; a window with nothing pending is not asked.
void TGclCustomTable::PaintPendingWhileLocked() {
    FPaintMarkedRegardless = true;
    // Asked for the region rather than its box: this window system answers that in half
    // the time.
    HRGN Pending = CreateRectRgn(0, 0, 0, 0);
    const bool Any = GetUpdateRgn(GetHandle(), Pending, FALSE) > NULLREGION;
    DeleteObject(Pending);
    if (!Any) {
        FCarryingMoves.clear();
        return;
    }
    FPaintWhileLocked = true;
    UpdateWindow(GetHandle());
    FPaintWhileLocked = false;
}

// The pixels move on the table's own device context, and the window system is not asked
// whether damage is pending (the question costs more than the row a scroll paints): the
// move is remembered instead, and the window's next paint also repaints wherever pending
// damage was carried to. The uncovered strip's cells are the caller's to mark. A long run
// of moves without a paint asks once, before the display arrays change (the locked paint
// marks the cells under the damage where they are now).
TRect TGclCustomTable::MovePixels(const RECT& Area, int DX, int DY, const RECT& Strip) {
    FPaintMarkedRegardless = true;
    FCarryingMoves.push_back(TPoint(DX, DY));
    return ScrollArea(GetCanvas()->GetHandle(), Area, DX, DY, Strip);
}

// Damage that was pending before a move now shows at its place moved by that move and every
// later one: those places are damaged too, before the paint begins.
void TGclCustomTable::InvalidateCarriedDamage() {
    HRGN Pending = CreateRectRgn(0, 0, 0, 0);
    if (GetUpdateRgn(GetHandle(), Pending, FALSE) > NULLREGION) {
        HRGN Carried = CreateRectRgn(0, 0, 0, 0);
        HRGN Moved = CreateRectRgn(0, 0, 0, 0);
        int DX = 0, DY = 0;
        for (auto Move = FCarryingMoves.rbegin(); Move != FCarryingMoves.rend(); ++Move) {
            DX += Move->X;
            DY += Move->Y;
            CombineRgn(Moved, Pending, nullptr, RGN_COPY);
            OffsetRgn(Moved, DX, DY);
            CombineRgn(Carried, Carried, Moved, RGN_OR);
        }
        InvalidateRgn(GetHandle(), Carried, FALSE);
        DeleteObject(Moved);
        DeleteObject(Carried);
    }
    DeleteObject(Pending);
    FCarryingMoves.clear();
}

void TGclCustomTable::WMPaint(TMessage& Msg) {
    // Only a paint of the window's own damage (not one into a device context handed in)
    // validates it.
    if (!Msg.WParam && !FCarryingMoves.empty()) InvalidateCarriedDamage();
    TGclTableAncestor::Dispatch(Msg);
}

void TGclCustomTable::ScrollRowsTo(int NewTop) {
    if (FCarryingMoves.size() >= MaxCarryingMoves) PaintPendingWhileLocked();
    int H = GetClientHeight(), W = GetClientWidth();
    int OldTopIdx = RowDisplayIndex(FTopRow);
    int NewIdx = RowDisplayIndex(NewTop);
    if (NewTop > FTopRow) {
        if (NewIdx >= 0 && OldTopIdx >= 0 && FRowArray.Entries[NewIdx + 1].Offset <= H) {
            int OldOffset = FRowArray.Entries[OldTopIdx].Offset;
            int Delta = FRowArray.Entries[NewIdx].Offset - OldOffset;
            int LastShown = FRowArray.Entries[FRowArray.Count - 1].Num;
            RECT Area{0, OldOffset, W, H};
            RECT Strip{0, std::max(OldOffset, H - Delta), W, H};
            TRect Hidden = MovePixels(Area, 0, -Delta, Strip);
            FTopRow = NewTop;
            BuildRowArray(NewTop);
            // Rows that come in at the bottom, and every row reaching into the uncovered
            // strip: a row that was only partly shown has more of itself to show.
            for (int i = 0; i < FRowArray.Count; ++i)
                if (FRowArray.Entries[i].Num > LastShown || FRowArray.Entries[i + 1].Offset > H - Delta)
                    if (FRowArray.Entries[i].Num >= FLockedRows) InvalidateRow(FRowArray.Entries[i].Num);
            FInvalid->AddUnusedBit();
            if (Hidden.Width() > 0) InvalidateCellsInRect(Hidden);
            return;
        }
        FTopRow = NewTop;
        BuildRowArray(NewTop);
        InvalidateTableNotLockedRows();
        return;
    }
    int OldTop = FTopRow;
    int OldOffset = OldTopIdx >= 0 ? FRowArray.Entries[OldTopIdx].Offset : 0;
    FTopRow = NewTop;
    BuildRowArray(NewTop);
    int NowIdx = RowDisplayIndex(OldTop);
    if (NowIdx >= 0 && OldTopIdx >= 0) {
        int Delta = FRowArray.Entries[NowIdx].Offset - OldOffset;
        RECT Area{0, OldOffset, W, H};
        RECT Strip{0, OldOffset, W, OldOffset + Delta};
        TRect Hidden = MovePixels(Area, 0, Delta, Strip);
        for (int r = NewTop; r < OldTop; ++r) InvalidateRow(r);
        if (Hidden.Width() > 0) InvalidateCellsInRect(Hidden);
    } else {
        InvalidateTableNotLockedRows();
    }
}

void TGclCustomTable::ScrollColsTo(int NewLeft) {
    if (FCarryingMoves.size() >= MaxCarryingMoves) PaintPendingWhileLocked();
    int H = GetClientHeight(), W = GetClientWidth();
    int OldIdx = ColDisplayIndex(FLeftCol);
    int NewIdx = ColDisplayIndex(NewLeft);
    if (NewLeft > FLeftCol) {
        if (NewIdx >= 0 && OldIdx >= 0 && FColArray.Entries[NewIdx + 1].Offset <= W) {
            int OldOffset = FColArray.Entries[OldIdx].Offset;
            int Delta = FColArray.Entries[NewIdx].Offset - OldOffset;
            int LastShown = FColArray.Entries[FColArray.Count - 1].Num;
            RECT Area{OldOffset, 0, W, H};
            RECT Strip{std::max(OldOffset, W - Delta), 0, W, H};
            TRect Hidden = MovePixels(Area, -Delta, 0, Strip);
            FLeftCol = NewLeft;
            BuildColArray(NewLeft);
            for (int i = 0; i < FColArray.Count; ++i)
                if (FColArray.Entries[i].Num > LastShown || FColArray.Entries[i + 1].Offset > W - Delta)
                    if (FColArray.Entries[i].Num >= FLockedCols) InvalidateColumn(FColArray.Entries[i].Num);
            FInvalid->AddUnusedBit();
            if (Hidden.Width() > 0) InvalidateCellsInRect(Hidden);
            return;
        }
        FLeftCol = NewLeft;
        BuildColArray(NewLeft);
        InvalidateTableNotLockedCols();
        return;
    }
    int OldLeft = FLeftCol;
    int OldOffset = OldIdx >= 0 ? FColArray.Entries[OldIdx].Offset : 0;
    FLeftCol = NewLeft;
    BuildColArray(NewLeft);
    int NowIdx = ColDisplayIndex(OldLeft);
    if (NowIdx >= 0 && OldIdx >= 0) {
        int Delta = FColArray.Entries[NowIdx].Offset - OldOffset;
        RECT Area{OldOffset, 0, W, H};
        RECT Strip{OldOffset, 0, OldOffset + Delta, H};
        TRect Hidden = MovePixels(Area, Delta, 0, Strip);
        for (int c = NewLeft; c < OldLeft; ++c) InvalidateColumn(c);
        if (Hidden.Width() > 0) InvalidateCellsInRect(Hidden);
    } else {
        InvalidateTableNotLockedCols();
    }
}

// ---- Last page and scroll bars ---------------------------------------------------------

// What the locked rows take of the client height, counted only until it reaches Enough:
// beyond that nothing unlocked is shown anyway, and the count may be any number.
int TGclCustomTable::LockedRowsHeight(int Enough) const {
    int Sum = 0;
    for (int r = 0, Locked = std::min(FLockedRows, GetRowLimit()); r < Locked && Sum < Enough; ++r)
        if (!RowHidden(r)) Sum += RowHeight(r);
    return Sum;
}

int TGclCustomTable::LockedColsWidth(int Enough) const {
    int Sum = 0;
    for (int c = 0, Locked = std::min(FLockedCols, GetColCount()); c < Locked && Sum < Enough; ++c)
        if (!ColHidden(c)) Sum += ColWidth(c);
    return Sum;
}

void TGclCustomTable::CalcLastPage() {
    int H = HandleAllocated() ? GetClientHeight() : GetHeight();
    int W = HandleAllocated() ? GetClientWidth() : GetWidth();
    if (GetRowLimit() > FLockedRows) {
        int LockedH = LockedRowsHeight(H);
        int Last = LastVisibleRow();
        int Start = Last, Used = LockedH + RowHeight(Last);
        if (H > Used) {
            for (int r = Start - 1; r >= FLockedRows; --r) {
                if (RowHidden(r)) continue;
                if (Used + RowHeight(r) >= H) break;
                Used += RowHeight(r);
                Start = r;
            }
        }
        FLastPageRow = Start;
        FLastPageRows = GetRowLimit() - Start;
    } else {
        FLastPageRows = 0;
        FLastPageRow = FLockedRows;
    }
    if (GetColCount() > FLockedCols) {
        int LockedW = LockedColsWidth(W);
        int Last = LastVisibleCol();
        int Start = Last, Used = LockedW + ColWidth(Last);
        if (W >= Used) {
            for (int c = Start - 1; c >= FLockedCols; --c) {
                if (ColHidden(c)) continue;
                if (Used + ColWidth(c) >= W) break;
                Used += ColWidth(c);
                Start = c;
            }
        }
        FLastPageCol = Start;
        FLastPageCols = GetColCount() - Start;
    } else {
        FLastPageCols = 0;
        FLastPageCol = FLockedCols;
    }
    KeepTopLeftOnLastPage();
}

// A shorter table or a taller window leaves the top row (or the left column) past the last
// page's first one, however the table was scrolled: it scrolls back there, so that what is
// displayed follows, rather than only the number changing under rows still shown from it.
void TGclCustomTable::KeepTopLeftOnLastPage() {
    if (FTopRow <= FLastPageRow && FLeftCol <= FLastPageCol) return;
    if (HandleAllocated()) return SetTopLeftCell(FTopRow, FLeftCol);
    FTopRow = std::min(FTopRow, FLastPageRow);
    FLeftCol = std::min(FLeftCol, FLastPageCol);
}

namespace {
// One divisor scales range, position and thumb alike once the rows pass 16384.
int VertDivisor(int M) { return M == 16384 ? M / 64 + 1 : M / 1024 + 1; }
} // namespace

void TGclCustomTable::SetVertRange() {
    CalcLastPage();
    ShowVertBar();
}

void TGclCustomTable::SetVertPos() { ShowVertBar(); }

void TGclCustomTable::SetHorzRange() {
    CalcLastPage();
    ShowHorzBar();
}

void TGclCustomTable::SetHorzPos() { ShowHorzBar(); }

namespace {
// Range and position go in one call, made only when one of them changed: the window
// system redraws the whole bar for each call, which costs more than painting the cells.
void ShowBar(HWND Wnd, int Bar, int Min, int Max, int Pos, int& ShownMax, int& ShownPos) {
    if (Max == ShownMax && Pos == ShownPos) return;
    ShownMax = Max;
    ShownPos = Pos;
    // Nothing to scroll and no bar shown: there is nothing to hide.
    const LONG_PTR BarStyle = Bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
    if (Max <= Min && !(GetWindowLongPtrA(Wnd, GWL_STYLE) & BarStyle)) return;
    SCROLLINFO Info{sizeof(SCROLLINFO), SIF_RANGE | SIF_POS, Min, Max, 0, Pos, 0};
    SetScrollInfo(Wnd, Bar, &Info, TRUE);
}
} // namespace

// While the redraw lock is held the bar waits for the bracket to close, so an operation
// that changes both range and position redraws it once.
void TGclCustomTable::ShowVertBar() {
    if (!HandleAllocated() || FRedrawLock > 0) {
        FScrollPosPending = true;
        return;
    }
    if (!FHasVertBar) return;
    int M = FLastPageRow;
    int Max = FLockedRows;
    if (M < 16384) {
        bool Needed = M > FLockedRows;
        if (Needed && FRows->StyledRows() > 0) {
            Needed = false;
            for (int r = FLockedRows; r < M && !Needed; ++r) Needed = !RowHidden(r);
        }
        if (Needed) Max = M;
    } else {
        Max = M / VertDivisor(M);
    }
    int Pos = M < 16384 ? FTopRow : FTopRow / VertDivisor(M);
    if (M >= 16384 && FTopRow >= M) Pos = M / VertDivisor(M);
    ShowBar(GetHandle(), SB_VERT, FLockedRows, Max, Pos, FShownVMax, FShownVPos);
}

void TGclCustomTable::ShowHorzBar() {
    if (!HandleAllocated() || FRedrawLock > 0) {
        FScrollPosPending = true;
        return;
    }
    if (!FHasHorzBar) return;
    int Count = 0, Pos = 0;
    for (int c = FLockedCols; c < FLastPageCol; ++c)
        if (!ColHidden(c)) ++Count;
    for (int c = FLockedCols; c < FLeftCol; ++c)
        if (!ColHidden(c)) ++Pos;
    ShowBar(GetHandle(), SB_HORZ, 0, Count, Pos, FShownHMax, FShownHPos);
}

// ---- Movements ------------------------------------------------------------------------------

int TGclCustomTable::LastVisibleRow() const {
    int r = GetRowLimit() - 1;
    return RowHidden(r) ? IncRow(r, -1) : IncRow(r, 0);
}

int TGclCustomTable::LastVisibleCol() const {
    int c = GetColCount() - 1;
    return ColHidden(c) ? IncCol(c, -1) : IncCol(c, 0);
}

void TGclCustomTable::MoveWithEvent(Word Command, int RowNum, int ColNum, int NewTop, int NewLeft) {
    DoActiveCellMoving(Command, RowNum, ColNum);
    if (RowNum == FActiveRow && ColNum == FActiveCol) return;
    if (FExtendPending)
        UpdateSelection(RowNum, ColNum, tstDeselectAll);
    else
        SetAnchor(RowNum, ColNum, tstDeselectAll);
    MoveTo(RowNum, ColNum, NewTop, NewLeft);
}

void TGclCustomTable::MoveActiveCell(Word Command) {
    if (FOptions.Contains(otoNoSelection)) FExtendPending = false;
    int Row = FActiveRow, Col = FActiveCol;
    switch (Command) {
    case ccUp:
        MoveWithEvent(Command, IncRow(Row, -1), Col);
        break;
    case ccDown: {
        // From the last row, when it ends exactly at the bottom edge, the rows scroll in
        // the same repaint as the move.
        int Target = IncRow(Row, 1), NewTop = -1;
        int Idx = RowDisplayIndex(Row);
        if (Target > Row && Idx >= 0 && Idx == FRowArray.Count - 1 &&
            DisplayedEnd(FRowArray) == GetClientHeight()) {
            int Top = IncRow(FTopRow, 1);
            if (Top != Target) NewTop = Top;
        }
        MoveWithEvent(Command, Target, Col, NewTop);
        break;
    }
    case ccLeft:
        MoveWithEvent(Command, Row, IncCol(Col, -1));
        break;
    case ccRight: {
        int Target = IncCol(Col, 1), NewLeft = -1;
        int Idx = ColDisplayIndex(Col);
        if (Target > Col && Idx >= 0 && Idx == FColArray.Count - 1 &&
            DisplayedEnd(FColArray) == GetClientWidth()) {
            int Left = IncCol(FLeftCol, 1);
            if (Left != Target) NewLeft = Left;
        }
        MoveWithEvent(Command, Row, Target, -1, NewLeft);
        break;
    }
    case ccHome:
        MoveWithEvent(Command, Row, IncCol(FLockedCols, 0));
        break;
    case ccEnd:
        MoveWithEvent(Command, Row, LastVisibleCol());
        break;
    case ccFirstPage: {
        int Target = IncRow(FLockedRows, 0);
        if (Target != Row) MoveWithEvent(Command, Target, Col);
        break;
    }
    case ccLastPage: {
        int Target = LastVisibleRow();
        if (Target != Row) MoveWithEvent(Command, Target, Col);
        break;
    }
    case ccTopOfPage:
        MoveWithEvent(Command, IncRow(FTopRow, 0), Col);
        break;
    case ccBotOfPage: {
        int Target;
        if (DisplayedEnd(FRowArray) > GetClientHeight() && FRowArray.Count >= 2) {
            Target = FRowArray.Entries[FRowArray.Count - 2].Num;
            if (Target < FLockedRows) Target = FTopRow;
        } else {
            Target = FRowArray.Count ? FRowArray.Entries[FRowArray.Count - 1].Num : Row;
        }
        MoveWithEvent(Command, Target, Col);
        break;
    }
    case ccTopLeftCell:
        MoveWithEvent(Command, IncRow(FLockedRows, 0), IncCol(FLockedCols, 0));
        break;
    case ccBotRightCell:
        MoveWithEvent(Command, LastVisibleRow(), LastVisibleCol());
        break;
    case ccNextPage:
        PageDown();
        break;
    case ccPrevPage:
        PageUp();
        break;
    case ccPageRight: {
        TGclTableRedraw Bracket(this);
        int Idx = ColDisplayIndex(Col);
        int Last = FColArray.Count ? FColArray.Entries[FColArray.Count - 1].Num : FLeftCol;
        SetLeftCol(Last == FLeftCol ? IncCol(FLeftCol, 1) : Last);
        int Target = FLeftCol;
        if (Idx >= 0) Target = Idx < FColArray.Count ? FColArray.Entries[Idx].Num : Last;
        MoveWithEvent(Command, Row, Target);
        break;
    }
    case ccPageLeft: {
        TGclTableRedraw Bracket(this);
        int Idx = ColDisplayIndex(Col);
        int OldLeft = FLeftCol;
        SetLeftCol(PageLeftCol());
        int Target = FLeftCol;
        if (FLeftCol != OldLeft && Idx >= 0)
            Target = Idx < FColArray.Count ? FColArray.Entries[Idx].Num
                                           : FColArray.Entries[FColArray.Count - 1].Num;
        MoveWithEvent(Command, Row, Target);
        break;
    }
    default:
        break;
    }
}

void TGclCustomTable::PageDown() {
    TGclTableRedraw Bracket(this);
    int Idx = RowDisplayIndex(FActiveRow);
    int Last = FRowArray.Count ? FRowArray.Entries[FRowArray.Count - 1].Num : FTopRow;
    SetTopRow(Last == FTopRow ? IncRow(FTopRow, 1) : Last);
    int Target = FTopRow;
    if (Idx >= 0)
        Target = Idx < FRowArray.Count ? FRowArray.Entries[Idx].Num
                                       : FRowArray.Entries[FRowArray.Count - 1].Num;
    MoveWithEvent(ccNextPage, Target, FActiveCol);
}

int TGclCustomTable::PageUpTop() {
    int H = GetClientHeight();
    int Top = FTopRow;
    int Used = LockedRowsHeight(H);
    for (int r = FTopRow - 1; r >= FLockedRows; --r) {
        if (RowHidden(r)) continue;
        Used += RowHeight(r);
        Top = r;
        if (Used + RowHeight(FTopRow) >= H) break;
    }
    return Top;
}

int TGclCustomTable::PageLeftCol() {
    int W = GetClientWidth();
    int Left = FLeftCol, Used = LockedColsWidth(W);
    for (int c = FLeftCol - 1; c >= FLockedCols; --c) {
        if (ColHidden(c)) continue;
        Used += ColWidth(c);
        Left = c;
        if (Used + ColWidth(FLeftCol) >= W) break;
    }
    return Left;
}

void TGclCustomTable::PageUp() {
    TGclTableRedraw Bracket(this);
    if (FTopRow == FActiveRow && IncRow(FTopRow, -1) == FTopRow) return;
    int Idx = RowDisplayIndex(FActiveRow);
    int OldTop = FTopRow;
    SetTopRow(PageUpTop());
    int Target = FTopRow;
    if (FTopRow != OldTop && Idx >= 0)
        Target = Idx < FRowArray.Count ? FRowArray.Entries[Idx].Num
                                       : FRowArray.Entries[FRowArray.Count - 1].Num;
    MoveWithEvent(ccPrevPage, Target, FActiveCol);
}

// ---- Keys --------------------------------------------------------------------------------

void TGclCustomTable::WMKeyDown(TMessage& Msg) {
    Word Key = static_cast<Word>(Msg.WParam);
    Byte Shift = GetShiftFlags();
    Word Command = cmdNoMatch;
    if (FOptions.Contains(otoTabToArrow) && Key == VK_TAB)
        Command = Shift == 0 ? ccRight : (Shift == 2 ? ccLeft : cmdNoMatch);
    else if (FOptions.Contains(otoEnterToArrow) && Key == VK_RETURN)
        Command = Shift == 0 ? ccRight : cmdNoMatch;
    else if (GetController())
        Command = GetController()->GetEntryCommands()->TranslateUsing({FGridTableName}, Msg);
    if (InEditingState()) {
        if (!FOptions.Contains(otoAlwaysEditing) && (Command == ccTableEdit || Key == VK_ESCAPE))
            if (!StopEditingState(Key != VK_ESCAPE)) return;
    } else if (Command == ccTableEdit) {
        PostMessageA(GetHandle(), ctimStartEdit, 0, 0);
    } else if (Command >= 76 && Command <= 255 &&
               (Key == VK_SPACE || (Key >= 48 && Key <= 111) || Key >= 186)) {
        PostMessageA(GetHandle(), ctimStartEdit, 0, 0);
        PostMessageA(GetHandle(), ctimStartEditKey, Msg.WParam, Msg.LParam);
    }
    FExtendPending = false;
    switch (Command) {
    case ccBotOfPage: case ccBotRightCell: case ccDown: case ccEnd: case ccFirstPage:
    case ccHome: case ccLastPage: case ccLeft: case ccNextPage: case ccPageLeft:
    case ccPageRight: case ccPrevPage: case ccRight: case ccTopLeftCell: case ccTopOfPage:
    case ccUp: case ccWordLeft: case ccWordRight:
        MoveActiveCell(Command);
        break;
    case ccExtendDown: case ccExtendEnd: case ccExtendHome: case ccExtendLeft:
    case ccExtendPgDn: case ccExtendPgUp: case ccExtendRight: case ccExtendUp:
    case ccExtBotOfPage: case ccExtFirstPage: case ccExtLastPage: case ccExtTopOfPage:
    case ccExtWordLeft: case ccExtWordRight: {
        static const Word Plain[] = {ccDown, ccEnd, ccHome, ccLeft, ccNextPage, ccPrevPage,
                                     ccRight, ccUp, ccBotOfPage, ccFirstPage, ccLastPage,
                                     ccTopOfPage, ccWordLeft, ccWordRight};
        FExtendPending = true;
        MoveActiveCell(Plain[Command - ccExtendDown]);
        break;
    }
    case ccCopy:
        DoClipboardCopy();
        break;
    case ccCut:
        DoClipboardCut();
        break;
    case ccPaste:
        DoClipboardPaste();
        break;
    default:
        if (Command >= ccUserFirst) DoUserCommand(Command);
        break;
    }
    Msg.Result = 0;
}

TGclTblKeyNeeds TGclCustomTable::FilterKey(TWMKey& Msg) {
    Word Key = Msg.CharCode();
    Word Command = GetController()
                       ? GetController()->GetEntryCommands()->TranslateUsing({FGridTableName}, Msg.Message)
                       : Word(cmdNoMatch);
    TGclTblKeyNeeds Answer = otkDontCare;
    if ((Key == VK_TAB && FOptions.Contains(otoTabToArrow)) ||
        (Key == VK_RETURN && FOptions.Contains(otoEnterToArrow)) || Key == VK_ESCAPE)
        Answer = otkMustHave;
    switch (Command) {
    case ccTableEdit:
        return otkMustHave;
    case ccBotOfPage: case ccBotRightCell: case ccDown: case ccEnd: case ccFirstPage:
    case ccHome: case ccLastPage: case ccLeft: case ccNextPage: case ccPageLeft:
    case ccPageRight: case ccPrevPage: case ccRight: case ccTopLeftCell: case ccTopOfPage:
    case ccUp: case ccWordLeft: case ccWordRight:
        return otkWouldLike;
    default:
        return Answer;
    }
}

void TGclCustomTable::DoOnMouseWheel(TShiftState Shift, short Delta, Word XPos, Word YPos) {
    TGclTableAncestor::DoOnMouseWheel(Shift, Delta, XPos, YPos);
    if (Shift.Contains(ssCtrl))
        MoveActiveCell(Delta < 1 ? ccNextPage : ccPrevPage);
    else
        MoveActiveCell(Delta >= 0 ? ccUp : ccDown);
}

// ---- Scroll bars --------------------------------------------------------------------------

// The thumb position a scroll message carries. Its 16-bit field is all that a message from
// another program or a test has. Past 65,535 the bar's own 32-bit track position, read while
// the user drags the thumb (the bar holds the mouse then), supplies the rest, up to the
// final position that the system sends once the button is up.
int TGclCustomTable::ThumbPosition(int Bar, WPARAM WParam) {
    int P = HIWORD(WParam);
    int& Dragged = Bar == SB_VERT ? FDraggedVPos : FDraggedHPos;
    SCROLLINFO Info{sizeof(SCROLLINFO), SIF_RANGE | SIF_TRACKPOS, 0, 0, 0, 0, 0};
    if (LOWORD(WParam) == SB_ENDSCROLL || !GetScrollInfo(GetHandle(), Bar, &Info) || Info.nMax <= 0xFFFF) {
        Dragged = -1;
        return P;
    }
    if (LOWORD(WParam) == SB_THUMBTRACK) Dragged = GetCapture() == GetHandle() ? Info.nTrackPos : -1;
    return Dragged >= 0 && LOWORD(Dragged) == P ? Dragged : P;
}

bool TGclCustomTable::EditorRefusesScroll() {
    return InEditingState() && FEditingCell && !FEditingCell->CanSaveEditedData(true);
}

void TGclCustomTable::WMVScroll(TMessage& Msg) {
    if (FVScrollInProgress) return;
    int Code = LOWORD(Msg.WParam);
    int P = ThumbPosition(SB_VERT, Msg.WParam);
    if (Code == SB_ENDSCROLL || (Code == SB_THUMBTRACK && !FOptions.Contains(otoThumbTrack))) {
        DefaultHandler(Msg);
        return;
    }
    FVScrollInProgress = true;
    struct TReset {
        bool& Flag;
        ~TReset() { Flag = false; }
    } Reset{FVScrollInProgress};
    if (!FState.Contains(otsFocused) && !IsDesigning()) SetFocus();
    if (EditorRefusesScroll()) return;
    switch (Code) {
    case SB_LINEUP:
    case SB_LINEDOWN:
    case SB_PAGEUP:
    case SB_PAGEDOWN:
        ProcessScrollBarClick(otsbVertical, Code);
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        int M = FLastPageRow;
        if (P == FTopRow && M < 16384) break;
        if (M < 16384)
            SetTopRow(P);
        else if (P == FLockedRows)
            SetTopRow(FLockedRows);
        else if (P >= M / VertDivisor(M))
            SetTopRow(GetRowLimit() - 1); // the thumb at its end reaches the last page
        else
            SetTopRow(P * VertDivisor(M));
        break;
    }
    default:
        DefaultHandler(Msg);
        return;
    }
    Msg.Result = 0;
}

void TGclCustomTable::WMHScroll(TMessage& Msg) {
    int Code = LOWORD(Msg.WParam);
    int P = ThumbPosition(SB_HORZ, Msg.WParam);
    if (Code == SB_ENDSCROLL || (Code == SB_THUMBTRACK && !FOptions.Contains(otoThumbTrack))) {
        DefaultHandler(Msg);
        return;
    }
    if (!FState.Contains(otsFocused) && !IsDesigning()) SetFocus();
    if (EditorRefusesScroll()) return;
    switch (Code) {
    case SB_LINELEFT:
    case SB_LINERIGHT:
    case SB_PAGELEFT:
    case SB_PAGERIGHT:
        ProcessScrollBarClick(otsbHorizontal, Code);
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        int Col = IncCol(FLockedCols, 0);
        for (int i = 0; i < P; ++i) Col = IncCol(Col, 1);
        if (Col != FLeftCol) SetLeftCol(Col);
        break;
    }
    default:
        DefaultHandler(Msg);
        return;
    }
    Msg.Result = 0;
}

void TGclCustomTable::ProcessScrollBarClick(TGclScrollBar ScrollBar, int ScrollCode) {
    if (EditorRefusesScroll()) return;
    if (ScrollBar == otsbVertical) {
        switch (ScrollCode) {
        case SB_LINEUP:
            SetTopRow(IncRow(FTopRow, -1));
            break;
        case SB_LINEDOWN:
            SetTopRow(IncRow(FTopRow, 1));
            break;
        case SB_PAGEDOWN: {
            int Last = FRowArray.Count ? FRowArray.Entries[FRowArray.Count - 1].Num : FTopRow;
            SetTopRow(Last == FTopRow ? IncRow(FTopRow, 1) : Last);
            break;
        }
        case SB_PAGEUP:
            if (IncRow(FTopRow, -1) != FTopRow) SetTopRow(PageUpTop());
            break;
        }
        return;
    }
    switch (ScrollCode) {
    case SB_LINELEFT:
        SetLeftCol(IncCol(FLeftCol, -1));
        break;
    case SB_LINERIGHT:
        SetLeftCol(IncCol(FLeftCol, 1));
        break;
    case SB_PAGERIGHT: {
        int Last = FColArray.Count ? FColArray.Entries[FColArray.Count - 1].Num : FLeftCol;
        SetLeftCol(Last == FLeftCol ? IncCol(FLeftCol, 1) : Last);
        break;
    }
    case SB_PAGELEFT:
        if (IncCol(FLeftCol, -1) != FLeftCol) SetLeftCol(PageLeftCol());
        break;
    }
}

// ---- Focus -------------------------------------------------------------------------------

void TGclCustomTable::WMSetFocus(TMessage& Msg) {
    TGclTableAncestor::Dispatch(Msg);
    if (FState.Contains(otsEditing) && FEditingCell && FEditingCell->EditHandle()) {
        HWND Lost = reinterpret_cast<HWND>(Msg.WParam);
        HWND Editor = FEditingCell->EditHandle();
        if (Lost && (Lost == Editor || IsChild(Editor, Lost))) {
            if (HWND Form = GetParent() ? GetParent()->GetHandle() : nullptr)
                PostMessageA(GetAncestor(Form, GA_ROOT), WM_NEXTDLGCTL, 1, 0);
        } else {
            ::SetFocus(Editor);
        }
        return;
    }
    if (InEditingState() || FState.Contains(otsFocused)) return;
    TGclTableRedraw Bracket(this);
    MarkActiveCell();
    FState.Exclude(otsUnfocused).Include(otsFocused);
}

void TGclCustomTable::WMKillFocus(TMessage& Msg) {
    TGclTableAncestor::Dispatch(Msg);
    if (FState.Contains(otsEditing)) return;
    TGclTableRedraw Bracket(this);
    MarkActiveCell();
    FState.Exclude(otsFocused).Include(otsUnfocused);
}

void TGclCustomTable::WMCancelMode(TMessage& Msg) {
    DefaultHandler(Msg);
    FExtendPending = false;
    if (FState.Contains(otsMouseSelect)) FState.Exclude(otsMouseSelect).Include(otsNormal);
}

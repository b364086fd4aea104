// Table painting: the window paint, the invalid-cell list, rows of cells, grid lines,
// the active cell's frame, the unused area and attribute resolution.
#include "grid/gcltable.h"

#include "classlib/ColorMix.h"

#include <algorithm>
#include <initializer_list>

TGclTblRegion TGclCustomTable::CalcRowColFromXY(int X, int Y, int& RowNum, int& ColNum) {
    RowNum = -1;
    ColNum = -1;
    int W = GetClientWidth(), H = GetClientHeight();
    int UsedW = std::min(W, DisplayedEnd(FColArray)), UsedH = std::min(H, DisplayedEnd(FRowArray));
    bool Outside = X < 0 || Y < 0 || X >= W || Y >= H;
    if (Y >= 0 && Y < UsedH)
        for (int i = 0; i < FRowArray.Count; ++i)
            if (Y >= FRowArray.Entries[i].Offset && Y < FRowArray.Entries[i + 1].Offset) {
                RowNum = FRowArray.Entries[i].Num;
                break;
            }
    if (X >= 0 && X < UsedW)
        for (int i = 0; i < FColArray.Count; ++i)
            if (X >= FColArray.Entries[i].Offset && X < FColArray.Entries[i + 1].Offset) {
                ColNum = FColArray.Entries[i].Num;
                break;
            }
    TGclTblRegion Region = otrOutside;
    if (!Outside) {
        if (RowNum == -1 || ColNum == -1)
            Region = otrInUnused;
        else if (RowNum < FLockedRows || ColNum < FLockedCols)
            Region = otrInLocked;
        else
            Region = otrInMain;
    }
    if (Region == otrOutside || Region == otrInUnused) {
        if (RowNum == -1 && Y < 0) RowNum = -2;
        if (ColNum == -1 && X < 0) ColNum = -2;
    }
    return Region;
}

int TGclCustomTable::CellsOfRect(const TRect& R, int& LeftIdx, int& TopIdx, int& RightIdx,
                                 int& BottomIdx) {
    int Row, Col;
    LeftIdx = TopIdx = RightIdx = BottomIdx = -1;
    TGclTblRegion TopLeft = CalcRowColFromXY(R.Left, R.Top, Row, Col);
    if (TopLeft == otrInUnused || TopLeft == otrOutside || FRowArray.Count == 0 || FColArray.Count == 0)
        return 2;
    LeftIdx = ColDisplayIndex(Col);
    TopIdx = RowDisplayIndex(Row);
    TGclTblRegion BottomRight = CalcRowColFromXY(R.Right - 1, R.Bottom - 1, Row, Col);
    int Result = (BottomRight == otrInUnused || BottomRight == otrOutside) ? 1 : 0;
    RightIdx = Col >= 0 ? ColDisplayIndex(Col) : FColArray.Count - 1;
    BottomIdx = Row >= 0 ? RowDisplayIndex(Row) : FRowArray.Count - 1;
    return Result;
}

void TGclCustomTable::Paint() {
    if (FRedrawLock > 0 && !FPaintWhileLocked) {
        // The damage is remembered rather than dropped: it is painted when the lock goes.
        TRect Clip = GetCanvas()->GetClipRect();
        InvalidateCellsInRect(Clip);
        return;
    }
    if (FDragImage) FDragImage->HideDragImage();
    TRect Clip = GetCanvas()->GetClipRect();
    int L, T, R, B;
    int Result = CellsOfRect(Clip, L, T, R, B);
    bool EditorCovers = Result == 0 && FState.Contains(otsEditing) && L == R && T == B && L >= 0 &&
                        FColArray.Entries[L].Num == FActiveCol && FRowArray.Entries[T].Num == FActiveRow;
    if (!EditorCovers) {
        if (FRedrawLock > 0) {
            if (Result != 2)
                for (int r = T; r <= B; ++r)
                    for (int c = L; c <= R; ++c)
                        FInvalid->AddCell(FRowArray.Entries[r].Num, FColArray.Entries[c].Num);
            if (Result != 0) FInvalid->AddUnusedBit();
            FPaintWhileLocked = false;
        } else {
            if (Result != 2)
                for (int r = T; r <= B; ++r) PaintRow(r, L, R);
            if (Result != 0) DoPaintUnusedArea();
            DrawActiveCellFrame();
        }
    }
    if (FDragImage) FDragImage->ShowDragImage();
}

void TGclCustomTable::PaintCellList(TGclCellArray& List) {
    // Not on the screen: the window is painted whole when it shows.
    if (!IsWindowVisible(GetHandle())) {
        List.Clear();
        return;
    }
    int n = List.Count();
    for (int i = 0; i < n;) {
        TGclCellAddress A;
        List.GetCellAddr(i, A);
        int RowIdx = RowDisplayIndex(A.Row), First = ColDisplayIndex(A.Col);
        if (RowIdx < 0 || First < 0) {
            ++i;
            continue;
        }
        int LastCol = A.Col, j = i + 1;
        for (; j < n; ++j) {
            TGclCellAddress Next;
            List.GetCellAddr(j, Next);
            if (Next.Row != A.Row || Next.Col != LastCol + 1) break;
            LastCol = Next.Col;
        }
        int Last = ColDisplayIndex(LastCol);
        while (Last < 0 && LastCol > A.Col) Last = ColDisplayIndex(--LastCol);
        PaintRow(RowIdx, First, std::max(First, Last));
        i = j;
    }
    if (List.MustDoUnusedBit()) DoPaintUnusedArea();
    List.Clear();
}

TRect TGclCustomTable::ReduceByEffect(TRect R, TGridEffect Effect) const {
    switch (Effect) {
    case geVertical:
        --R.Right;
        break;
    case geHorizontal:
        --R.Bottom;
        break;
    case geBoth:
        --R.Right;
        --R.Bottom;
        break;
    case ge3D:
        ++R.Left;
        ++R.Top;
        --R.Right;
        --R.Bottom;
        break;
    case geNone:
        break;
    }
    return R;
}

TRect TGclCustomTable::CellBandRect(int RowIdx, int ColIdx) const {
    return TRect(FColArray.Entries[ColIdx].Offset, FRowArray.Entries[RowIdx].Offset,
                 FColArray.Entries[ColIdx + 1].Offset, FRowArray.Entries[RowIdx + 1].Offset);
}

TGclBaseTableCell* TGclCustomTable::FindCell(int RowNum, int ColNum) const {
    if (TGclBaseTableCell* Cell = FCellOverrides->GetCell(RowNum, ColNum)) return Cell;
    if (RowNum < FLockedRows) return FLockedRowsCell;
    return FColumns->GetDefaultCell(ColNum);
}

void TGclCustomTable::PaintRow(int RowIdx, int FirstColIdx, int LastColIdx) {
    TCanvas* Canvas = GetCanvas();
    int RowNum = FRowArray.Entries[RowIdx].Num;
    int Top = FRowArray.Entries[RowIdx].Offset;
    int Height = FRowArray.Entries[RowIdx + 1].Offset - Top;
    bool RowLocked = RowNum < FLockedRows;
    if (FOldRowColBehavior) DoEnteringRow(RowNum);
    TGclCellAttributes Attr;
    Attr.Font = FAttrFont.get();
    for (int c = LastColIdx; c >= FirstColIdx; --c) {
        int ColNum = FColArray.Entries[c].Num;
        int Left = FColArray.Entries[c].Offset;
        int Width = FColArray.Entries[c + 1].Offset - Left;
        if (FOldRowColBehavior) DoEnteringColumn(ColNum);
        TGclGridPen* Pen = (RowLocked || ColNum < FLockedCols) ? FGridPenSet->GetLockedGrid()
                                                               : FGridPenSet->GetNormalGrid();
        TRect R = ReduceByEffect(TRect(Left, Top, Left + Width, Top + Height), Pen->GetEffect());
        bool ActiveEditing = RowNum == FActiveRow && ColNum == FActiveCol && InEditingState();
        TGclBaseTableCell* Cell = ActiveEditing ? nullptr : FindCell(RowNum, ColNum);
        if (Cell) {
            void* Data = DoGetCellData(RowNum, ColNum, cdpForPaint);
            CopyFont(Attr.Font, GetFont());
            Cell->ResolveAttributes(RowNum, ColNum, Attr);
            Cell->Paint(Canvas, R, RowNum, ColNum, Attr, Data);
        } else {
            Attr.Access = otxDefault;
            Attr.Adjust = otaDefault;
            Attr.Color = GetColor();
            CopyFont(Attr.Font, GetFont());
            Attr.FontColor = GetFont()->GetColor();
            ResolveCellAttributes(RowNum, ColNum, Attr);
            Canvas->GetBrush()->SetStyle(bsSolid);
            Canvas->GetBrush()->SetColor(Attr.Color);
            Canvas->FillRect(R);
        }
        if (Pen->GetEffect() != geNone) DrawGridLines(Pen, Left, Top, Width, Height);
    }
}

void TGclCustomTable::DrawGridLines(const TGclGridPen* Pen, int Left, int Top, int Width, int Height) {
    // The gaps of dotted and dashed lines show the table's colour. The lines go straight
    // to the device context, whose background is put back afterwards, so the canvas keeps
    // the brush the cells paint with.
    TCanvas* Canvas = GetCanvas();
    Canvas->GetPen()->SetStyle(Pen->GetStyle());
    Canvas->GetPen()->SetWidth(1);
    Canvas->GetPen()->SetMode(pmCopy);
    auto Line = [Canvas](TColor Color, std::initializer_list<POINT> Points) {
        Canvas->GetPen()->SetColor(Color);
        HDC DC = Canvas->GetHandle();
        const POINT* P = Points.begin();
        MoveToEx(DC, P->x, P->y, nullptr);
        for (++P; P != Points.end(); ++P) ::LineTo(DC, P->x, P->y);
    };
    HDC DC = Canvas->GetHandle();
    // Only dashed and dotted lines have gaps; solid ones leave the background alone.
    const bool Gaps = Pen->GetStyle() >= psDash && Pen->GetStyle() <= psDashDotDot;
    COLORREF OldBk = 0;
    int OldMode = 0;
    if (Gaps) {
        OldBk = SetBkColor(DC, ColorToRGB(GetColor()));
        OldMode = SetBkMode(DC, OPAQUE);
    }
    if (Pen->GetEffect() == ge3D)
        Line(Pen->GetSecondColor(), {{Left, Top + Height - 1}, {Left, Top}, {Left + Width, Top}});
    if (Pen->GetEffect() != geHorizontal)
        Line(Pen->GetNormalColor(), {{Left + Width - 1, Top}, {Left + Width - 1, Top + Height}});
    if (Pen->GetEffect() != geVertical)
        Line(Pen->GetNormalColor(), {{Left, Top + Height - 1}, {Left + Width, Top + Height - 1}});
    if (Gaps) {
        SetBkColor(DC, OldBk);
        SetBkMode(DC, OldMode);
    }
}

void TGclCustomTable::DrawActiveCellFrame() {
    int RowIdx = RowDisplayIndex(FActiveRow), ColIdx = ColDisplayIndex(FActiveCol);
    if (RowIdx < 0 || ColIdx < 0) return;
    if (InEditingState()) {
        if (FEditingCell && FEditingCell->EditHandle()) UpdateWindow(FEditingCell->EditHandle());
        return;
    }
    bool Focused = FState.Contains(otsFocused);
    TGclGridPen* Pen = Focused ? FGridPenSet->GetCellWhenFocused() : FGridPenSet->GetCellWhenUnfocused();
    TGridEffect Effect = Pen->GetEffect();
    if (Effect == geNone) return;
    TRect Band = CellBandRect(RowIdx, ColIdx);
    int X1 = Band.Left, Y1 = Band.Top, X2 = Band.Right - 1, Y2 = Band.Bottom - 1;
    switch (FGridPenSet->GetNormalGrid()->GetEffect()) {
    case geVertical:
        --X2;
        break;
    case geHorizontal:
        --Y2;
        break;
    case geBoth:
        --X2;
        --Y2;
        break;
    case ge3D:
        ++X1;
        ++Y1;
        --X2;
        --Y2;
        break;
    case geNone:
        break;
    }
    TCanvas* Canvas = GetCanvas();
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(GetColor());
    SetBkColor(Canvas->GetHandle(),
               ColorToRGB(Focused ? FColors->GetActiveFocused() : FColors->GetActiveUnfocused()));
    Canvas->GetPen()->SetWidth(1);
    Canvas->GetPen()->SetMode(pmCopy);
    Canvas->GetPen()->SetStyle(Pen->GetStyle());
    Canvas->GetPen()->SetColor(Pen->GetNormalColor());
    bool Vert = Effect == geVertical || Effect == geBoth || Effect == ge3D;
    bool Horz = Effect == geHorizontal || Effect == geBoth || Effect == ge3D;
    if (Vert) {
        Canvas->MoveTo(X2, Y1);
        Canvas->LineTo(X2, Y2 + 1);
    }
    if (Horz) {
        Canvas->MoveTo(X1, Y2);
        Canvas->LineTo(X2 + 1, Y2);
    }
    if (Effect == ge3D) Canvas->GetPen()->SetColor(Pen->GetSecondColor());
    if (Vert) {
        Canvas->MoveTo(X1, Y1);
        Canvas->LineTo(X1, Y2 + 1);
    }
    if (Horz) {
        Canvas->MoveTo(X1, Y1);
        Canvas->LineTo(X2 + 1, Y1);
    }
}

void TGclCustomTable::DoPaintUnusedArea() {
    if (!CanFire()) return;
    if (FOnPaintUnusedArea) {
        FOnPaintUnusedArea(this);
        return;
    }
    TCanvas* Canvas = GetCanvas();
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(FColorUnused);
    int W = GetClientWidth(), H = GetClientHeight();
    int ColEnd = DisplayedEnd(FColArray), RowEnd = DisplayedEnd(FRowArray);
    if (ColEnd < W) Canvas->FillRect(TRect(ColEnd, 0, W, H));
    if (RowEnd < H) Canvas->FillRect(TRect(0, RowEnd, std::min(ColEnd, W), H));
}

void TGclCustomTable::ResolveCellAttributes(int RowNum, int ColNum, TGclCellAttributes& CellAttr) {
    TGclSparseAttr Over;
    FCellOverrides->ResolveFullAttr(RowNum, ColNum, Over);
    if (Over.Access != otxDefault)
        CellAttr.Access = Over.Access;
    else if (CellAttr.Access == otxDefault)
        CellAttr.Access = FAccess;
    if (Over.Adjust != otaDefault)
        CellAttr.Adjust = Over.Adjust;
    else if (CellAttr.Adjust == otaDefault)
        CellAttr.Adjust = FAdjust;
    if (Over.Font) CopyFont(CellAttr.Font, Over.Font);
    bool IsActive = RowNum == FActiveRow && ColNum == FActiveCol;
    bool Focused = FState.Contains(otsFocused);
    bool Locked = RowNum < FLockedRows || ColNum < FLockedCols;
    TColor Color, FontColor;
    if (IsActive && Focused) {
        bool Editing = InEditingState() ||
                       (FOptions.Contains(otoAlwaysEditing) && CellAttr.Access == otxNormal);
        Color = Editing ? FColors->GetEditing() : FColors->GetActiveFocused();
        FontColor = Editing ? FColors->GetEditingText() : FColors->GetActiveFocusedText();
    } else if (IsActive) {
        Color = FColors->GetActiveUnfocused();
        FontColor = FColors->GetActiveUnfocusedText();
    } else if (RowNum == FActiveRow && FOptions.Contains(otoBrowseRow)) {
        Color = Focused ? FColors->GetActiveFocused() : FColors->GetActiveUnfocused();
        FontColor = Focused ? FColors->GetActiveFocusedText() : FColors->GetActiveUnfocusedText();
    } else if (InSelection(RowNum, ColNum)) {
        Color = FColors->GetSelected();
        FontColor = FColors->GetSelectedText();
    } else {
        Color = Over.Color;
        FontColor = Over.Font ? Over.Font->GetColor()
                              : (Locked ? FColors->GetLockedText() : CellAttr.FontColor);
        if (Color == clGclUnset) Color = Locked ? FColors->GetLocked() : CellAttr.Color;
    }
    CellAttr.Color = Color;
    // A table that takes no input (itself or a container disabled) shows its text halfway to
    // its cell's colour: greyed on any colour, and still readable on it.
    CellAttr.FontColor = IsEffectivelyEnabled() ? FontColor : MixColors(FontColor, Color, 50);
    DoGetCellAttributes(RowNum, ColNum, CellAttr);
}

// Cell data, events and in-place editing.
#include "grid/gcltable.h"

#include "grid/gcltchdr.h"

// ---- Events ----------------------------------------------------------------------------

void TGclCustomTable::DoActiveCellChanged(int RowNum, int ColNum) {
    if (CanFire() && OnActiveCellChanged) OnActiveCellChanged(this, RowNum, ColNum);
}

void TGclCustomTable::DoActiveCellMoving(Word Command, int& RowNum, int& ColNum) {
    if (CanFire() && OnActiveCellMoving) OnActiveCellMoving(this, Command, RowNum, ColNum);
    if (InEditingState() && (RowNum != FActiveRow || ColNum != FActiveCol) && !StopEditingState(true)) {
        RowNum = FActiveRow;
        ColNum = FActiveCol;
    }
}

void TGclCustomTable::DoBeginEdit(int RowNum, int ColNum, bool& AllowIt) {
    AllowIt = CanFire();
    if (AllowIt && OnBeginEdit) OnBeginEdit(this, RowNum, ColNum, AllowIt);
}

void TGclCustomTable::DoClipboardCopy() {
    if (CanFire() && OnClipboardCopy) OnClipboardCopy(this);
}
void TGclCustomTable::DoClipboardCut() {
    if (CanFire() && OnClipboardCut) OnClipboardCut(this);
}
void TGclCustomTable::DoClipboardPaste() {
    if (CanFire() && OnClipboardPaste) OnClipboardPaste(this);
}

void TGclCustomTable::DoColumnsChanged(int ColNum1, int ColNum2, TGclTblActions Action) {
    for (TGclTableCellAncestor* Cell : AttachedCells())
        if (auto* Head = dynamic_cast<TGclTCColHead*>(Cell)) Head->chColumnsChanged(ColNum1, ColNum2, Action);
    if (CanFire() && OnColumnsChanged) OnColumnsChanged(this, ColNum1, ColNum2, Action);
}

void TGclCustomTable::DoDoneEdit(int RowNum, int ColNum) {
    if (CanFire() && OnDoneEdit) OnDoneEdit(this, RowNum, ColNum);
}

void TGclCustomTable::DoEndEdit(TGclTableCellAncestor* Cell, int RowNum, int ColNum, bool& AllowIt) {
    AllowIt = CanFire();
    if (AllowIt && OnEndEdit) OnEndEdit(this, Cell, RowNum, ColNum, AllowIt);
}

void TGclCustomTable::DoEnteringColumn(int ColNum) {
    if (ColNum == FLastEnteredCol) return;
    FLastEnteredCol = ColNum;
    if (CanFire() && OnEnteringColumn) OnEnteringColumn(this, ColNum);
}

void TGclCustomTable::DoEnteringRow(int RowNum) {
    if (RowNum == FLastEnteredRow) return;
    FLastEnteredRow = RowNum;
    if (CanFire() && OnEnteringRow) OnEnteringRow(this, RowNum);
}

void TGclCustomTable::DoGetCellAttributes(int RowNum, int ColNum, TGclCellAttributes& CellAttr) {
    if (CanFire() && OnGetCellAttributes) OnGetCellAttributes(this, RowNum, ColNum, CellAttr);
}

void* TGclCustomTable::DoGetCellData(int RowNum, int ColNum, TGclCellDataPurpose Purpose) {
    void* Data = nullptr;
    if (CanFire() && HandleAllocated() && OnGetCellData) OnGetCellData(this, RowNum, ColNum, Data, Purpose);
    return Data;
}

void TGclCustomTable::DoLeavingColumn(int ColNum) {
    if (CanFire() && OnLeavingColumn) OnLeavingColumn(this, ColNum);
}
void TGclCustomTable::DoLeavingRow(int RowNum) {
    if (CanFire() && OnLeavingRow) OnLeavingRow(this, RowNum);
}
void TGclCustomTable::DoLockedCellClick(int RowNum, int ColNum) {
    if (CanFire() && OnLockedCellClick) OnLockedCellClick(this, RowNum, ColNum);
}
void TGclCustomTable::DoRowsChanged(int RowNum1, int RowNum2, TGclTblActions Action) {
    if (CanFire() && OnRowsChanged) OnRowsChanged(this, RowNum1, RowNum2, Action);
}
void TGclCustomTable::DoSizeCellEditor(int RowNum, int ColNum, TRect& CellRect, TGclTblEditorStyle& Style) {
    if (OnSizeCellEditor) OnSizeCellEditor(this, RowNum, ColNum, CellRect, Style);
}
void TGclCustomTable::DoTopLeftCellChanged(int RowNum, int ColNum) {
    if (CanFire() && OnTopLeftCellChanged) OnTopLeftCellChanged(this, RowNum, ColNum);
}
void TGclCustomTable::DoTopLeftCellChanging(int& RowNum, int& ColNum) {
    if (CanFire() && OnTopLeftCellChanging) OnTopLeftCellChanging(this, RowNum, ColNum);
}
void TGclCustomTable::DoUserCommand(Word Command) {
    if (CanFire() && OnUserCommand) OnUserCommand(this, Command);
}

// ---- Editing --------------------------------------------------------------------------

TRect TGclCustomTable::EditorRect() const {
    TRect Band = CellBandRect(RowDisplayIndex(FActiveRow), ColDisplayIndex(FActiveCol));
    return ReduceByEffect(Band, FGridPenSet->GetNormalGrid()->GetEffect());
}

void TGclCustomTable::PlaceHiddenEditor() {
    if (!FEditingCell) {
        FState.Exclude(otsHiddenEdit).Include(otsNormal);
        return;
    }
    TRect R = EditorRect();
    TGclTblEditorStyle Style = tesNormal;
    DoSizeCellEditor(FActiveRow, FActiveCol, R, Style);
    FEditingCell->EditMove(R);
    FState.Exclude(otsHiddenEdit).Include(otsEditing);
    if (FState.Contains(otsFocused) && FEditingCell->EditHandle()) ::SetFocus(FEditingCell->EditHandle());
}

bool TGclCustomTable::StartEditingState() {
    if (InEditingState()) return true;
    bool AllowIt = true;
    DoBeginEdit(FActiveRow, FActiveCol, AllowIt);
    if (!AllowIt) return false;
    TGclTableRedraw Bracket(this);
    EnsureRowVisible(FActiveRow);
    EnsureColVisible(FActiveCol);
    FEditingCell = FindCell(FActiveRow, FActiveCol);
    if (!FEditingCell || RowDisplayIndex(FActiveRow) < 0 || ColDisplayIndex(FActiveCol) < 0) {
        FEditingCell = nullptr;
        return false;
    }
    TGclCellAttributes Attr;
    Attr.Font = FAttrFont.get();
    CopyFont(Attr.Font, GetFont());
    FEditingCell->ResolveAttributes(FActiveRow, FActiveCol, Attr);
    if (Attr.Access != otxNormal) {
        FEditingCell = nullptr;
        return false;
    }
    TRect R = EditorRect();
    TGclTblEditorStyle Style = tesNormal;
    DoSizeCellEditor(FActiveRow, FActiveCol, R, Style);
    DoEnteringColumn(FActiveCol);
    DoEnteringRow(FActiveRow);
    void* Data = DoGetCellData(FActiveRow, FActiveCol, cdpForEdit);
    FState.Exclude(otsNormal).Include(otsHiddenEdit);
    Attr.Color = FColors->GetEditing();
    Attr.FontColor = FColors->GetEditingText();
    FEditingCell->StartEditing(FActiveRow, FActiveCol, R, Attr, Style, Data);
    bool Result = FEditingCell->EditHandle() != nullptr;
    if (!Result) {
        FState.Exclude(otsHiddenEdit).Include(otsNormal);
        FEditingCell = nullptr;
    }
    return Result;
}

bool TGclCustomTable::StopEditingState(bool SaveValue) {
    if (!InEditingState()) return true;
    TGclBaseTableCell* Cell = FEditingCell;
    if (Cell && !Cell->CanStopEditing(SaveValue)) return false;
    bool AllowIt = true;
    DoEndEdit(Cell, FActiveRow, FActiveCol, AllowIt);
    if (!AllowIt) return false;
    TGclTableRedraw Bracket(this);
    HWND Editor = Cell ? Cell->EditHandle() : nullptr;
    HWND Focus = GetFocus();
    bool HadFocus = (Editor && (Focus == Editor || IsChild(Editor, Focus))) || Focus == GetHandle();
    DoEnteringColumn(FActiveCol);
    DoEnteringRow(FActiveRow);
    void* Data = DoGetCellData(FActiveRow, FActiveCol, cdpForSave);
    if (Editor) {
        RECT R;
        GetWindowRect(Editor, &R);
        MapWindowPoints(nullptr, GetHandle(), reinterpret_cast<POINT*>(&R), 2);
        InvalidateCellsInRect(TRect(R.left, R.top, R.right, R.bottom));
    }
    if (Cell) Cell->StopEditing(SaveValue, Data);
    FEditingCell = nullptr;
    struct TFinish {
        TGclCustomTable* T;
        bool HadFocus;
        ~TFinish() {
            if (!T->FOptions.Contains(otoAlwaysEditing)) T->MarkActiveCell();
            T->FState.Exclude(otsEditing).Exclude(otsHiddenEdit).Include(otsNormal);
            if (HadFocus)
                ::SetFocus(T->GetHandle());
            else
                T->FState.Exclude(otsFocused).Include(otsUnfocused);
        }
    } Finish{this, HadFocus};
    DoDoneEdit(FActiveRow, FActiveCol);
    return true;
}

bool TGclCustomTable::SaveEditedData() {
    if (!InEditingState() || !FEditingCell) return true;
    if (!FEditingCell->CanSaveEditedData(true)) return false;
    DoEnteringColumn(FActiveCol);
    DoEnteringRow(FActiveRow);
    void* Data = DoGetCellData(FActiveRow, FActiveCol, cdpForSave);
    FEditingCell->SaveEditedData(Data);
    return true;
}

void TGclCustomTable::CtimStartEdit(TMessage& Msg) {
    if (!StartEditingState()) {
        TGclTableRedraw Bracket(this);
        MarkActiveCell();
    }
    Msg.Result = 1;
}

void TGclCustomTable::CtimStartEditMouse(TMessage& Msg) {
    if (FEditingCell && InEditingState() && FEditingCell->GetAcceptActivationClick() &&
        FEditingCell->EditHandle()) {
        ::SetFocus(FEditingCell->EditHandle());
        PostMessageA(FEditingCell->EditHandle(), WM_LBUTTONDOWN, Msg.WParam, Msg.LParam);
    }
    Msg.Result = 1;
}

void TGclCustomTable::CtimStartEditKey(TMessage& Msg) {
    if (FEditingCell && InEditingState() && FEditingCell->EditHandle()) {
        ::SetFocus(FEditingCell->EditHandle());
        PostMessageA(FEditingCell->EditHandle(), WM_KEYDOWN, Msg.WParam, Msg.LParam);
    }
    Msg.Result = 1;
}

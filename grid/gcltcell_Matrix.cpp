#include "grid/gcltcell.h"

#include <vector>

namespace {

TGclSparseArray* RowArray(const TGclSparseArray& Matrix, int Row) {
    return static_cast<TGclSparseArray*>(Matrix.GetItem(Row));
}

bool EntryEmpty(const TGclSparseAttr& E) {
    return E.Access == otxDefault && E.Adjust == otaDefault && E.Color == clGclUnset && !E.Font &&
           !E.Cell;
}

} // namespace

TGclTableCells::TGclTableCells(TGclTableAncestor*) {}

TGclTableCells::~TGclTableCells() {
    OnCfgChanged = nullptr;
    FMatrix.ForAll(
        [this](int, void* Item, void*) {
            auto* Row = static_cast<TGclSparseArray*>(Item);
            Row->ForAll(
                [this](int, void* Entry, void*) {
                    FreeEntry(static_cast<TGclSparseAttr*>(Entry));
                    return true;
                },
                false, nullptr);
            delete Row;
            return true;
        },
        false, nullptr);
}

void TGclTableCells::FreeEntry(TGclSparseAttr* Entry) {
    delete Entry->Font;
    if (Entry->Cell) Entry->Cell->DecRefs();
    delete Entry;
}

TGclSparseAttr* TGclTableCells::Find(int Row, int Col) const {
    if (FCount < 1 || Row < 0 || Row >= SparseArrayMaxCount || Col < 0 || Col >= SparseArrayMaxCount)
        return nullptr;
    TGclSparseArray* RowItems = RowArray(FMatrix, Row);
    return RowItems ? static_cast<TGclSparseAttr*>(RowItems->GetItem(Col)) : nullptr;
}

TGclSparseAttr* TGclTableCells::FindOrCreate(int Row, int Col) {
    if (TGclSparseAttr* Found = Find(Row, Col)) return Found;
    TGclSparseArray* RowItems = RowArray(FMatrix, Row);
    if (!RowItems) {
        RowItems = new TGclSparseArray();
        FMatrix.PutItem(Row, RowItems);
    }
    auto* Entry = new TGclSparseAttr();
    RowItems->PutItem(Col, Entry);
    ++FCount;
    return Entry;
}

void TGclTableCells::DropIfEmpty(int Row, int Col, TGclSparseAttr* Entry) {
    if (!EntryEmpty(*Entry)) return;
    RowArray(FMatrix, Row)->PutItem(Col, nullptr);
    delete Entry;
    --FCount;
}

TGclBaseTableCell* TGclTableCells::GetCell(int Row, int Col) const {
    TGclSparseAttr* E = Find(Row, Col);
    return E ? E->Cell : nullptr;
}
TGclTblAccess TGclTableCells::GetAccess(int Row, int Col) const {
    TGclSparseAttr* E = Find(Row, Col);
    return E ? E->Access : otxDefault;
}
TGclTblAdjust TGclTableCells::GetAdjust(int Row, int Col) const {
    TGclSparseAttr* E = Find(Row, Col);
    return E ? E->Adjust : otaDefault;
}
TColor TGclTableCells::GetColor(int Row, int Col) const {
    TGclSparseAttr* E = Find(Row, Col);
    return E ? E->Color : clGclUnset;
}
TFont* TGclTableCells::GetFont(int Row, int Col) const {
    TGclSparseAttr* E = Find(Row, Col);
    return E ? E->Font : nullptr;
}

void TGclTableCells::ResolveFullAttr(int Row, int Col, TGclSparseAttr& Attr) const {
    TGclSparseAttr* E = Find(Row, Col);
    Attr = E ? *E : TGclSparseAttr();
}

void TGclTableCells::SetAccess(int Row, int Col, TGclTblAccess Value) {
    TGclSparseAttr* E = FindOrCreate(Row, Col);
    E->Access = Value;
    DropIfEmpty(Row, Col, E);
    tcDoCfgChanged();
}

void TGclTableCells::SetAdjust(int Row, int Col, TGclTblAdjust Value) {
    TGclSparseAttr* E = FindOrCreate(Row, Col);
    E->Adjust = Value;
    DropIfEmpty(Row, Col, E);
    tcDoCfgChanged();
}

void TGclTableCells::SetColor(int Row, int Col, TColor Value) {
    TGclSparseAttr* E = FindOrCreate(Row, Col);
    E->Color = Value;
    DropIfEmpty(Row, Col, E);
    tcDoCfgChanged();
}

void TGclTableCells::SetFont(int Row, int Col, TFont* Value) {
    TGclSparseAttr* E = FindOrCreate(Row, Col);
    if (Value) {
        if (!E->Font) E->Font = new TFont();
        E->Font->Assign(Value);
    } else {
        delete E->Font;
        E->Font = nullptr;
    }
    DropIfEmpty(Row, Col, E);
    tcDoCfgChanged();
}

void TGclTableCells::SetCell(int Row, int Col, TGclBaseTableCell* NewCell) {
    if (NewCell && NewCell->RefCount() != 0 && NewCell->GetTable() != Table) return;
    TGclSparseAttr* E = FindOrCreate(Row, Col);
    if (E->Cell) E->Cell->DecRefs();
    E->Cell = nullptr;
    if (NewCell) {
        if (NewCell->RefCount() == 0) NewCell->SetTable(Table);
        NewCell->IncRefs();
    }
    E->Cell = NewCell;
    DropIfEmpty(Row, Col, E);
    tcDoCfgChanged();
}

void TGclTableCells::ResetCell(int Row, int Col) {
    TGclSparseAttr* E = Find(Row, Col);
    if (!E) return;
    RowArray(FMatrix, Row)->PutItem(Col, nullptr);
    FreeEntry(E);
    --FCount;
    tcDoCfgChanged();
}

void TGclTableCells::InsertRow(int Row) {
    if (FCount == 0) return;
    FMatrix.Insert(Row, nullptr);
}

void TGclTableCells::DeleteRow(int Row) {
    if (FCount == 0) return;
    if (TGclSparseArray* RowItems = RowArray(FMatrix, Row)) {
        RowItems->ForAll(
            [this](int, void* Entry, void*) {
                FreeEntry(static_cast<TGclSparseAttr*>(Entry));
                --FCount;
                return true;
            },
            false, nullptr);
        delete RowItems;
        FMatrix.PutItem(Row, nullptr);
    }
    FMatrix.Delete(Row);
}

void TGclTableCells::ExchangeRows(int Row1, int Row2) {
    if (FCount == 0) return;
    FMatrix.Exchange(Row1, Row2);
}

void TGclTableCells::InsertCol(int Col) {
    if (FCount == 0) return;
    FMatrix.ForAll(
        [Col](int, void* Item, void*) {
            static_cast<TGclSparseArray*>(Item)->Insert(Col, nullptr);
            return true;
        },
        false, nullptr);
}

void TGclTableCells::DeleteCol(int Col) {
    if (FCount == 0) return;
    FMatrix.ForAll(
        [this, Col](int, void* Item, void*) {
            auto* RowItems = static_cast<TGclSparseArray*>(Item);
            if (auto* E = static_cast<TGclSparseAttr*>(RowItems->GetItem(Col))) {
                FreeEntry(E);
                --FCount;
            }
            RowItems->Delete(Col);
            return true;
        },
        false, nullptr);
}

void TGclTableCells::ExchangeCols(int Col1, int Col2) {
    if (FCount == 0) return;
    FMatrix.ForAll(
        [Col1, Col2](int, void* Item, void*) {
            static_cast<TGclSparseArray*>(Item)->Exchange(Col1, Col2);
            return true;
        },
        false, nullptr);
}

// The entries that hold OldCell are collected first and changed afterwards: clearing a
// slot can free its page, which a walk over the array must not be standing on.
// Entries left without anything are freed, so no empty entry stays behind.
void TGclTableCells::tcNotifyCellDeletion(TGclBaseTableCell* OldCell) {
    if (FCount == 0 || !OldCell) return;
    struct TSlot {
        int Row, Col;
    };
    std::vector<TSlot> Holding;
    FMatrix.ForAll(
        [OldCell, &Holding](int Row, void* Item, void*) {
            static_cast<TGclSparseArray*>(Item)->ForAll(
                [OldCell, &Holding, Row](int Col, void* Entry, void*) {
                    if (static_cast<TGclSparseAttr*>(Entry)->Cell == OldCell) Holding.push_back({Row, Col});
                    return true;
                },
                false, nullptr);
            return true;
        },
        false, nullptr);
    for (const TSlot& Slot : Holding) {
        TGclSparseAttr* E = Find(Slot.Row, Slot.Col);
        E->Cell = nullptr;
        OldCell->DecRefs();
        DropIfEmpty(Slot.Row, Slot.Col, E);
    }
}

void TGclTableCells::tcDoCfgChanged() {
    if (OnCfgChanged) OnCfgChanged(this);
}

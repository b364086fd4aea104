#include "grid/gcltbcls.h"

#include <utility>

// ---- TGclTableColumn ------------------------------------------------------------

TGclTableColumn::TGclTableColumn(TGclTableAncestor* Table) : FTable(Table) {}

TGclTableColumn::~TGclTableColumn() {
    OnColumnChanged = nullptr;
    if (FDefaultCell) FDefaultCell->DecRefs();
}

void TGclTableColumn::tcDoColumnChanged() {
    if (OnColumnChanged) OnColumnChanged(this, FNumber, 0, taSingle);
}

void TGclTableColumn::SetDefCell(TGclBaseTableCell* Cell) {
    if (Cell == FDefaultCell) return;
    if (Cell && Cell->RefCount() != 0 && Cell->GetTable() != FTable) return;
    if (FDefaultCell) FDefaultCell->DecRefs();
    FDefaultCell = nullptr;
    if (Cell) {
        if (Cell->RefCount() == 0) Cell->SetTable(FTable);
        Cell->IncRefs();
    }
    FDefaultCell = Cell;
    tcDoColumnChanged();
}

void TGclTableColumn::SetWidth(int Value) {
    if (Value < 0) Value = 0;
    if (Value == FWidth) return;
    FWidth = Value;
    tcDoColumnChanged();
}

void TGclTableColumn::SetHidden(bool Value) {
    if (Value == FHidden) return;
    FHidden = Value;
    tcDoColumnChanged();
}

void TGclTableColumn::Assign(TPersistent* Source) {
    auto* Other = dynamic_cast<TGclTableColumn*>(Source);
    if (!Other) {
        TPersistent::Assign(Source);
        return;
    }
    FWidth = Other->FWidth;
    FHidden = Other->FHidden;
    SetDefCell(Other->FDefaultCell);
}

void TGclTableColumn::tcNotifyCellDeletion(TGclBaseTableCell* Cell) {
    if (Cell && Cell == FDefaultCell) {
        FDefaultCell = nullptr;
        Cell->DecRefs();
    }
}

// ---- TGclTableColumns -----------------------------------------------------------

TGclTableColumns::TGclTableColumns(TGclTableAncestor* Table, int ColCount) : FTable(Table) {
    for (int i = 0; i < ColCount; ++i) Append(new TGclTableColumn(Table));
}

TGclTableColumns::~TGclTableColumns() {
    FOnColumnChanged = nullptr;
    for (TGclTableColumn* c : FList) delete c;
}

void TGclTableColumns::SetTable(TGclTableAncestor* Table) {
    FTable = Table;
    for (TGclTableColumn* c : FList) c->FTable = Table;
}

void TGclTableColumns::Renumber() {
    for (std::size_t i = 0; i < FList.size(); ++i) FList[i]->FNumber = static_cast<int>(i);
}

bool TGclTableColumns::Acceptable(TGclTableColumn* Column) const {
    return Column && Column->FTable == FTable;
}

void TGclTableColumns::tcDoColumnChanged(int ColNum1, int ColNum2, TGclTblActions Action) {
    if (FOnColumnChanged) FOnColumnChanged(this, ColNum1, ColNum2, Action);
}

void TGclTableColumns::Append(TGclTableColumn* Column) {
    if (GetCount() >= MaxColumns) TableErrorRes(gcltblmsg::MaxColumns);
    if (!Acceptable(Column)) return;
    Column->FNumber = GetCount();
    FList.push_back(Column);
    Column->OnColumnChanged = FOnColumnChanged;
    tcDoColumnChanged(Column->FNumber, 0, taInsert);
}

void TGclTableColumns::Insert(int Index, TGclTableColumn* Column) {
    if (GetCount() >= MaxColumns) TableErrorRes(gcltblmsg::MaxColumns);
    if (!Acceptable(Column) || Index < 0 || Index >= GetCount()) return;
    FList.insert(FList.begin() + Index, Column);
    Renumber();
    Column->OnColumnChanged = FOnColumnChanged;
    tcDoColumnChanged(Index, 0, taInsert);
    if (FPending && Index <= FPending->GetCount()) FPending->InsertObject(Index, "unknown", Column);
}

void TGclTableColumns::Delete(int Index) {
    if (Index < 0 || Index >= GetCount()) return;
    TGclTableColumn* Column = FList[Index];
    FList.erase(FList.begin() + Index);
    if (FPending)
        for (int i = FPending->GetCount() - 1; i >= 0; --i)
            if (FPending->GetObject(i) == Column) FPending->Delete(i);
    delete Column;
    Renumber();
    tcDoColumnChanged(Index, 0, taDelete);
}

void TGclTableColumns::Exchange(int Index1, int Index2) {
    if (Index1 == Index2 || Index1 < 0 || Index2 < 0 || Index1 >= GetCount() || Index2 >= GetCount())
        return;
    std::swap(FList[Index1], FList[Index2]);
    Renumber();
    tcDoColumnChanged(Index1, Index2, taExchange);
}

void TGclTableColumns::Clear() {
    std::vector<TGclTableColumn*> Old;
    Old.swap(FList);
    for (TGclTableColumn* c : Old) delete c;
    if (FPending) FPending->Clear();
    tcDoColumnChanged(0, 0, taAll);
}

void TGclTableColumns::SetCount(int N) {
    if (N < 1 || N == GetCount()) return;
    while (GetCount() < N) Append(new TGclTableColumn(FTable));
    while (GetCount() > N) Delete(GetCount() - 1);
}

TGclTableColumn* TGclTableColumns::GetCol(int Index) const {
    return (Index >= 0 && Index < GetCount()) ? FList[Index] : nullptr;
}

void TGclTableColumns::SetCol(int Index, TGclTableColumn* Column) {
    if (TGclTableColumn* c = GetCol(Index)) c->Assign(Column);
}

int TGclTableColumns::GetWidth(int Index) const {
    TGclTableColumn* c = GetCol(Index);
    return c ? c->GetWidth() : 0;
}
void TGclTableColumns::SetWidth(int Index, int Width) {
    if (TGclTableColumn* c = GetCol(Index)) c->SetWidth(Width);
}
bool TGclTableColumns::GetHidden(int Index) const {
    TGclTableColumn* c = GetCol(Index);
    return c ? c->GetHidden() : true;
}
void TGclTableColumns::SetHidden(int Index, bool Hidden) {
    if (TGclTableColumn* c = GetCol(Index)) c->SetHidden(Hidden);
}
TGclBaseTableCell* TGclTableColumns::GetDefaultCell(int Index) const {
    TGclTableColumn* c = GetCol(Index);
    return c ? c->GetDefaultCell() : nullptr;
}
void TGclTableColumns::SetDefaultCell(int Index, TGclBaseTableCell* Cell) {
    if (TGclTableColumn* c = GetCol(Index)) c->SetDefCell(Cell);
}

void TGclTableColumns::SetOnColumnChanged(const TColChangeNotifyEvent& Event) {
    FOnColumnChanged = Event;
    for (TGclTableColumn* c : FList) c->OnColumnChanged = Event;
}

void TGclTableColumns::tcNotifyCellDeletion(TGclBaseTableCell* Cell) {
    for (TGclTableColumn* c : FList) c->tcNotifyCellDeletion(Cell);
}

TStringList* TGclTableColumns::tcStartLoading() {
    if (!FPending) FPending = std::make_unique<TStringList>();
    FPending->Clear();
    return FPending.get();
}

void TGclTableColumns::tcStopLoading() {
    if (!FPending) return;
    std::unique_ptr<TStringList> Names = std::move(FPending);
    for (int i = 0; i < Names->GetCount(); ++i) {
        auto* Column = dynamic_cast<TGclTableColumn*>(Names->GetObject(i));
        if (!Column || !FTable) continue;
        if (auto* Cell = dynamic_cast<TGclBaseTableCell*>(ResolveCellReference(FTable, Names->Get(i))))
            Column->SetDefCell(Cell);
    }
}

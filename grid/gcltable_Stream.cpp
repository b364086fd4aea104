// "RowData" and "ColData": the rows with a style of their own and every column, in
// the form resource; the default cells named there are resolved once the form exists.
#include "grid/gcltable.h"

#include "classlib/Filer.h"

namespace {

// Bad data in a resource is the class library's read error, whatever found it.
template <typename F> void ReadGuarded(F Read) {
    try {
        Read();
    } catch (const EReadError&) {
        throw;
    } catch (const Exception& E) {
        throw EReadError(E.Message());
    }
}

} // namespace

void TGclCustomTable::DefineProperties(TFiler* Filer) {
    TGclTableAncestor::DefineProperties(Filer);
    Filer->DefineProperty(
        "RowData", [this](TReader* Reader) { ReadGuarded([&] { ReadRowData(Reader); }); },
        [this](TWriter* Writer) { WriteRowData(Writer); }, true);
    Filer->DefineProperty(
        "ColData", [this](TReader* Reader) { ReadGuarded([&] { ReadColData(Reader); }); },
        [this](TWriter* Writer) { WriteColData(Writer); }, true);
}

void TGclCustomTable::ReadRowData(TReader* Reader) {
    Reader->ReadListBegin();
    FRows->Clear();
    FRows->SetDefHeight(Reader->ReadInteger());
    while (!Reader->EndOfList()) {
        int Row = Reader->ReadInteger();
        bool Hidden = Reader->ReadBoolean();
        int Height = Reader->ReadInteger();
        FRows->SetRow(Row, MakeRowStyle(Height, Hidden));
    }
    Reader->ReadListEnd();
}

void TGclCustomTable::WriteRowData(TWriter* Writer) {
    Writer->WriteListBegin();
    Writer->WriteInteger(FRows->GetDefaultHeight());
    int Limit = std::min(GetRowLimit(), SparseArrayMaxCount);
    for (int r = 0; r < Limit; ++r)
        if (FRows->GetRowIsSpecial(r)) {
            TRowStyle Style = FRows->GetRow(r);
            Writer->WriteInteger(r);
            Writer->WriteBoolean(Style.Hidden);
            Writer->WriteInteger(Style.Height);
        }
    Writer->WriteListEnd();
}

void TGclCustomTable::ReadColData(TReader* Reader) {
    TGclTableRedraw Bracket(this);
    Reader->ReadListBegin();
    FColumns->Clear();
    TStringList* Pending = FColumns->tcStartLoading();
    while (!Reader->EndOfList()) {
        auto* Column = new TGclTableColumn(this);
        try {
            Column->SetWidth(Reader->ReadInteger());
            Column->SetHidden(Reader->ReadBoolean());
            if (Reader->ReadBoolean()) Pending->AddObject(Reader->ReadString(), Column);
        } catch (...) {
            delete Column;
            throw;
        }
        FColumns->Append(Column);
    }
    Reader->ReadListEnd();
    if (FColumns->GetCount() <= FLockedCols)
        throw EReadError("The table needs a column after its locked columns");
}

void TGclCustomTable::WriteColData(TWriter* Writer) {
    if (FDefaultCellsPending) tbFinishLoadingDefaultCells();
    Writer->WriteListBegin();
    for (int c = 0; c < GetColCount(); ++c) {
        TGclTableColumn* Column = FColumns->GetCol(c);
        Writer->WriteInteger(Column->GetWidth());
        Writer->WriteBoolean(Column->GetHidden());
        TGclBaseTableCell* Cell = Column->GetDefaultCell();
        Writer->WriteBoolean(Cell != nullptr);
        if (Cell) Writer->WriteString(CellReferenceName(Cell));
    }
    Writer->WriteListEnd();
}

void TGclCustomTable::tbFinishLoadingDefaultCells() {
    tbFinishLoadingCellList();
    FColumns->tcStopLoading();
    if (AttachedCells().empty()) {
        if (FLockedRowsCell) tbIncludeCell(FLockedRowsCell);
        for (int c = 0; c < GetColCount(); ++c)
            if (TGclBaseTableCell* Cell = FColumns->GetDefaultCell(c)) tbIncludeCell(Cell);
    }
    FDefaultCellsPending = false;
}

#include "grid/gcltbrws.h"

#include "classlib/Platform.h"

TGclTableRows::TGclTableRows() = default;

TGclTableRows::~TGclTableRows() {
    OnCfgChanged = nullptr;
    Clear();
}

void TGclTableRows::CheckRow(int RowNum) const {
    if (RowNum < 0 || RowNum >= FLimit) TableErrorRes(gcltblmsg::RowOutOfBounds);
}

TGclTableRows::TRowRecord* TGclTableRows::Record(int RowNum) const {
    if (RowNum < 0 || RowNum >= SparseArrayMaxCount || FStyledRows == 0) return nullptr;
    return static_cast<TRowRecord*>(FRecords.GetItem(RowNum));
}

TGclTableRows::TRowRecord* TGclTableRows::NewRecord(int RowNum, int Height, bool Hidden) {
    auto* R = new TRowRecord{Height, Hidden};
    FRecords.PutItem(RowNum, R);
    ++FStyledRows;
    return R;
}

void TGclTableRows::FreeRecord(int RowNum) {
    delete Record(RowNum);
    FRecords.PutItem(RowNum, nullptr);
    --FStyledRows;
}

void TGclTableRows::trDoCfgChanged(int RowNum1, int RowNum2, TGclTblActions Action) {
    if (OnCfgChanged) OnCfgChanged(this, RowNum1, RowNum2, Action);
}

TRowStyle TGclTableRows::GetRow(int RowNum) const {
    TRowRecord* R = Record(RowNum);
    if (!R) return MakeRowStyle(FDefaultHeight, false);
    return MakeRowStyle(R->Height == -1 ? FDefaultHeight : R->Height, R->Hidden);
}

int TGclTableRows::GetRowHeight(int RowNum) const { return GetRow(RowNum).Height; }
bool TGclTableRows::GetRowHidden(int RowNum) const { return GetRow(RowNum).Hidden; }
bool TGclTableRows::GetRowIsSpecial(int RowNum) const { return Record(RowNum) != nullptr; }

void TGclTableRows::SetRowHeight(int RowNum, int Height) {
    CheckRow(RowNum);
    if (RowNum >= SparseArrayMaxCount) return;
    int H = Normalised(Height);
    TRowRecord* R = Record(RowNum);
    if (!R) {
        if (H == -1) return;
        NewRecord(RowNum, H, false);
    } else {
        if (R->Height == H) return;
        if (H == -1 && !R->Hidden)
            FreeRecord(RowNum);
        else
            R->Height = H;
    }
    trDoCfgChanged(RowNum, 0, taSingle);
}

void TGclTableRows::SetRowHidden(int RowNum, bool Hidden) {
    CheckRow(RowNum);
    if (RowNum >= SparseArrayMaxCount) return;
    TRowRecord* R = Record(RowNum);
    if (!R) {
        if (!Hidden) return;
        NewRecord(RowNum, -1, true);
    } else {
        if (R->Hidden == Hidden) return;
        if (!Hidden && R->Height == -1)
            FreeRecord(RowNum);
        else
            R->Hidden = Hidden;
    }
    trDoCfgChanged(RowNum, 0, taSingle);
}

void TGclTableRows::SetRow(int RowNum, const TRowStyle& Style) {
    CheckRow(RowNum);
    if (RowNum >= SparseArrayMaxCount) return;
    int H = Normalised(Style.Height);
    TRowRecord* R = Record(RowNum);
    if (!Style.Hidden && H == -1) {
        if (!R) return;
        FreeRecord(RowNum);
    } else if (!R) {
        NewRecord(RowNum, H, Style.Hidden);
    } else {
        if (R->Height == H && R->Hidden == Style.Hidden) return;
        R->Height = H;
        R->Hidden = Style.Hidden;
    }
    trDoCfgChanged(RowNum, 0, taSingle);
}

void TGclTableRows::Reset(int RowNum) {
    CheckRow(RowNum);
    if (!Record(RowNum)) return;
    FreeRecord(RowNum);
    trDoCfgChanged(RowNum, 0, taSingle);
}

void TGclTableRows::Insert(int RowNum, const TRowStyle& Style) {
    if (RowNum < 0 || RowNum > FLimit) TableErrorRes(gcltblmsg::RowOutOfBounds);
    if (RowNum >= SparseArrayMaxCount) TableErrorRes(gcltblmsg::MaxRows);
    int H = Normalised(Style.Height);
    if (!Style.Hidden && H == -1) {
        FRecords.Insert(RowNum, nullptr);
    } else {
        FRecords.Insert(RowNum, new TRowRecord{H, Style.Hidden});
        ++FStyledRows;
    }
    SetLimit(FLimit + 1);
    trDoCfgChanged(RowNum, 0, taInsert);
}

void TGclTableRows::Delete(int RowNum) {
    CheckRow(RowNum);
    if (RowNum < SparseArrayMaxCount) {
        if (Record(RowNum)) FreeRecord(RowNum);
        FRecords.Delete(RowNum);
    }
    SetLimit(FLimit - 1);
    trDoCfgChanged(RowNum, 0, taDelete);
}

void TGclTableRows::Exchange(int RowNum1, int RowNum2) {
    CheckRow(RowNum1);
    CheckRow(RowNum2);
    if (RowNum1 == RowNum2 || RowNum1 >= SparseArrayMaxCount || RowNum2 >= SparseArrayMaxCount) return;
    FRecords.Exchange(RowNum1, RowNum2);
    trDoCfgChanged(RowNum1, RowNum2, taExchange);
}

void TGclTableRows::Clear() {
    FRecords.ForAll(
        [](int, void* Item, void*) {
            delete static_cast<TRowRecord*>(Item);
            return true;
        },
        false, nullptr);
    FRecords.Clear();
    FStyledRows = 0;
    trDoCfgChanged(0, 0, taAll);
}

void TGclTableRows::SetDefHeight(int Value) {
    if (Value < 1 || Value == FDefaultHeight) return;
    FDefaultHeight = Value;
    trDoCfgChanged(0, 0, taAll);
}

void TGclTableRows::SetLimit(int Value) {
    if (Value < 1) Value = 1;
    if (Value == FLimit) return;
    FLimit = Value;
    trDoCfgChanged(-2, 0, taGeneral);
}

void TGclTableRows::rwScaleHeights(int M, int D) {
    FDefaultHeight = MulDiv(FDefaultHeight, M, D);
    FRecords.ForAll(
        [M, D](int, void* Item, void*) {
            auto* R = static_cast<TRowRecord*>(Item);
            if (R->Height != -1) R->Height = MulDiv(R->Height, M, D);
            return true;
        },
        false, nullptr);
}

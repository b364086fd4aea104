// TGclTableRows: the number of rows of a table, the default row height and a record
// for each row that differs from it (own height or hidden), kept on a sparse array.
#pragma once

#include "classlib/Persistence.h"
#include "grid/gclspary.h"
#include "grid/gcltcmmn.h"

class TGclTableRows : public TPersistent {
    DECLARE_CLASS(TGclTableRows, TPersistent)
public:
    TGclTableRows();
    ~TGclTableRows() override;

    TRowStyle GetRow(int RowNum) const;
    void SetRow(int RowNum, const TRowStyle& Style);
    int GetRowHeight(int RowNum) const;
    void SetRowHeight(int RowNum, int Height);
    bool GetRowHidden(int RowNum) const;
    void SetRowHidden(int RowNum, bool Hidden);
    bool GetRowIsSpecial(int RowNum) const;
    void Append(const TRowStyle& Style) { Insert(FLimit, Style); }
    void Insert(int RowNum, const TRowStyle& Style);
    void Delete(int RowNum);
    void Exchange(int RowNum1, int RowNum2);
    void Reset(int RowNum);
    void Clear();
    int GetDefaultHeight() const { return FDefaultHeight; }
    void SetDefHeight(int Value);
    int GetLimit() const { return FLimit; }
    void SetLimit(int Value);
    void rwScaleHeights(int M, int D);
    // Number of row records held.
    int StyledRows() const { return FStyledRows; }
    void trDoCfgChanged(int RowNum1, int RowNum2, TGclTblActions Action);

    TRowChangeNotifyEvent OnCfgChanged;

private:
    struct TRowRecord {
        int Height; // -1: the default height
        bool Hidden;
    };
    void CheckRow(int RowNum) const;
    TRowRecord* Record(int RowNum) const;
    TRowRecord* NewRecord(int RowNum, int Height, bool Hidden);
    void FreeRecord(int RowNum);
    int Normalised(int Height) const { return (Height < 1 || Height == FDefaultHeight) ? -1 : Height; }

    int FStyledRows = 0;
    TGclSparseArray FRecords;
    int FDefaultHeight = 30;
    int FLimit = 10;
};

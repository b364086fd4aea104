// TGclTableColumn and TGclTableColumns: one object per column of a table with its
// width, hidden flag and default cell component.
#pragma once

#include "classlib/StringList.h"
#include "grid/gcltcell.h"

#include <memory>
#include <vector>

class TGclTableColumn : public TPersistent {
    DECLARE_CLASS(TGclTableColumn, TPersistent)
public:
    explicit TGclTableColumn(TGclTableAncestor* Table);
    ~TGclTableColumn() override;

    void Assign(TPersistent* Source) override;
    TGclBaseTableCell* GetDefaultCell() const { return FDefaultCell; }
    void SetDefCell(TGclBaseTableCell* Cell);
    bool GetHidden() const { return FHidden; }
    void SetHidden(bool Value);
    int GetWidth() const { return FWidth; }
    void SetWidth(int Value);
    int GetNumber() const { return FNumber; }
    TGclTableAncestor* GetTable() const { return FTable; }
    void tcDoColumnChanged();
    void tcNotifyCellDeletion(TGclBaseTableCell* Cell);

    TColChangeNotifyEvent OnColumnChanged;

private:
    friend class TGclTableColumns;
    TGclBaseTableCell* FDefaultCell = nullptr;
    int FNumber = 0;
    TGclTableAncestor* FTable;
    int FWidth = 150;
    bool FHidden = false;
};

class TGclTableColumns : public TPersistent {
    DECLARE_CLASS(TGclTableColumns, TPersistent)
public:
    static constexpr int MaxColumns = 0x7FFFFFF;

    TGclTableColumns(TGclTableAncestor* Table, int ColCount);
    ~TGclTableColumns() override;

    void Append(TGclTableColumn* Column);
    void Insert(int Index, TGclTableColumn* Column);
    void Delete(int Index);
    void Exchange(int Index1, int Index2);
    void Clear();
    int GetCount() const { return static_cast<int>(FList.size()); }
    void SetCount(int N);
    TGclTableColumn* GetCol(int Index) const;
    void SetCol(int Index, TGclTableColumn* Column);
    int GetWidth(int Index) const;
    void SetWidth(int Index, int Width);
    bool GetHidden(int Index) const;
    void SetHidden(int Index, bool Hidden);
    TGclBaseTableCell* GetDefaultCell(int Index) const;
    void SetDefaultCell(int Index, TGclBaseTableCell* Cell);
    void SetOnColumnChanged(const TColChangeNotifyEvent& Event);
    const TColChangeNotifyEvent& GetOnColumnChanged() const { return FOnColumnChanged; }
    TGclTableAncestor* GetTable() const { return FTable; }
    void SetTable(TGclTableAncestor* Table);
    void tcDoColumnChanged(int ColNum1, int ColNum2, TGclTblActions Action);
    void tcNotifyCellDeletion(TGclBaseTableCell* Cell);
    // Bracket reading a table's "ColData": the returned list keeps the names of the
    // default cells, each with its column as object.
    TStringList* tcStartLoading();
    void tcStopLoading();

private:
    void Renumber();
    bool Acceptable(TGclTableColumn* Column) const;

    std::vector<TGclTableColumn*> FList;
    TColChangeNotifyEvent FOnColumnChanged;
    std::unique_ptr<TStringList> FPending;
    TGclTableAncestor* FTable;
};

// TGclSelectionList: the selected cells of a table as, per column, sorted,
// disjoint and non-adjacent row ranges, plus one pending rectangle that follows
// the mouse or keyboard until it is committed.
#pragma once

#include "classlib/Objects.h"

#include <functional>
#include <memory>
#include <vector>

enum TGclTblSelectionType { tstDeselectAll, tstAdditional };

// Called per committed range; returning false stops the walk.
using TGclSelectionAction =
    std::function<bool(int Row1, int Col1, int Row2, int Col2, void* ExtraData)>;

class TGclSelectionList : public TObject {
    DECLARE_CLASS(TGclSelectionList, TObject)
public:
    struct TRowRange {
        int First;
        int Last;
        bool operator==(const TRowRange&) const = default;
    };

    TGclSelectionList(int RowCount, int ColCount);
    ~TGclSelectionList() override;

    void SetRowCount(int Value);
    void SetColCount(int Value);
    int RowCount() const { return FRowCount; }
    int ColCount() const { return static_cast<int>(FColumns.size()); }

    void SelectCell(int Row, int Col);
    void DeselectCell(int Row, int Col);
    void SelectCellRange(int Row1, int Col1, int Row2, int Col2);
    void DeselectCellRange(int Row1, int Col1, int Row2, int Col2);
    void SelectAll();
    void DeselectAll();

    void SetRangeAnchor(int Row, int Col, TGclTblSelectionType Action);
    void ExtendRange(int Row, int Col, bool Select);

    bool IsCellSelected(int Row, int Col) const;
    bool HaveSelection() const;
    // Commits the pending rectangle, then calls Action for every range, columns
    // ascending and ranges ascending within each.
    void Iterate(const TGclSelectionAction& Action, void* ExtraData);

    // The committed ranges of column Col (empty without a list).
    std::vector<TRowRange> ColumnRanges(int Col) const;
    int ColumnsWithRanges() const { return FColumnsWithRanges; }

private:
    using TRangeList = std::vector<TRowRange>;

    bool ValidCell(int Row, int Col) const;
    bool OrderRange(int& Row1, int& Col1, int& Row2, int& Col2) const;
    void SelectRows(int Col, int First, int Last);
    void DeselectRows(int Col, int First, int Last);
    void CommitPending();

    std::vector<std::unique_ptr<TRangeList>> FColumns;
    int FColumnsWithRanges = 0;
    int FActiveCol = 0, FActiveRow = 0;
    int FAnchorCol = 0, FAnchorRow = 0;
    int FRowCount = 0;
    int FPendingLeft = 0, FPendingRight = 0, FPendingTop = 0, FPendingBottom = 0;
    bool FPendingSelects = true;
    bool FPendingEmpty = true;
};

#include "grid/gcltsell.h"

#include <algorithm>

TGclSelectionList::TGclSelectionList(int RowCount, int ColCount) {
    SetRowCount(RowCount);
    SetColCount(ColCount);
}

TGclSelectionList::~TGclSelectionList() {
    SetColCount(0);
}

void TGclSelectionList::SetRowCount(int Value) {
    if (Value >= 0) FRowCount = Value;
}

void TGclSelectionList::SetColCount(int Value) {
    if (Value < 0) return;
    for (std::size_t c = static_cast<std::size_t>(Value); c < FColumns.size(); ++c)
        if (FColumns[c]) --FColumnsWithRanges;
    FColumns.resize(static_cast<std::size_t>(Value));
}

bool TGclSelectionList::ValidCell(int Row, int Col) const {
    return Row >= 0 && Row < FRowCount && Col >= 0 && Col < ColCount();
}

bool TGclSelectionList::OrderRange(int& Row1, int& Col1, int& Row2, int& Col2) const {
    if (Row1 > Row2) std::swap(Row1, Row2);
    if (Col1 > Col2) std::swap(Col1, Col2);
    return ValidCell(Row1, Col1) && ValidCell(Row2, Col2);
}

void TGclSelectionList::SelectRows(int Col, int First, int Last) {
    auto& list = FColumns[Col];
    if (!list) {
        list = std::make_unique<TRangeList>();
        list->reserve(16);
        ++FColumnsWithRanges;
    }
    // Insert at the sorted place, then absorb every neighbour that overlaps or touches.
    auto at = std::upper_bound(list->begin(), list->end(), First,
                               [](int first, const TRowRange& r) { return first < r.First; });
    if (at != list->begin() && std::prev(at)->Last + 1 >= First) --at;
    else at = list->insert(at, TRowRange{First, Last});
    at->First = std::min(at->First, First);
    at->Last = std::max(at->Last, Last);
    auto next = std::next(at);
    while (next != list->end() && next->First <= at->Last + 1) {
        at->Last = std::max(at->Last, next->Last);
        ++next;
    }
    list->erase(std::next(at), next);
}

void TGclSelectionList::DeselectRows(int Col, int First, int Last) {
    auto& list = FColumns[Col];
    if (!list) return;
    TRangeList kept;
    kept.reserve(list->capacity());
    for (const TRowRange& r : *list) {
        if (r.Last < First || r.First > Last) {
            kept.push_back(r);
            continue;
        }
        if (r.First < First) kept.push_back({r.First, First - 1});
        if (r.Last > Last) kept.push_back({Last + 1, r.Last});
    }
    list->swap(kept);
    if (list->empty()) {
        list.reset();
        --FColumnsWithRanges;
    }
}

void TGclSelectionList::SelectCell(int Row, int Col) {
    if (ValidCell(Row, Col)) SelectRows(Col, Row, Row);
}

void TGclSelectionList::DeselectCell(int Row, int Col) {
    if (ValidCell(Row, Col)) DeselectRows(Col, Row, Row);
}

void TGclSelectionList::SelectCellRange(int Row1, int Col1, int Row2, int Col2) {
    if (!OrderRange(Row1, Col1, Row2, Col2)) return;
    for (int c = Col1; c <= Col2; ++c)
        SelectRows(c, Row1, Row2);
}

void TGclSelectionList::DeselectCellRange(int Row1, int Col1, int Row2, int Col2) {
    if (!OrderRange(Row1, Col1, Row2, Col2)) return;
    for (int c = Col1; c <= Col2; ++c)
        DeselectRows(c, Row1, Row2);
}

void TGclSelectionList::SelectAll() {
    for (auto& list : FColumns) {
        list = std::make_unique<TRangeList>();
        list->reserve(16);
        if (FRowCount > 0) list->push_back({0, FRowCount - 1});
    }
    FColumnsWithRanges = ColCount();
}

void TGclSelectionList::DeselectAll() {
    for (auto& list : FColumns)
        list.reset();
    FColumnsWithRanges = 0;
    FPendingEmpty = true;
}

void TGclSelectionList::CommitPending() {
    if (FPendingEmpty) return;
    if (FPendingSelects)
        SelectCellRange(FPendingTop, FPendingLeft, FPendingBottom, FPendingRight);
    else
        DeselectCellRange(FPendingTop, FPendingLeft, FPendingBottom, FPendingRight);
    FPendingEmpty = true;
}

void TGclSelectionList::SetRangeAnchor(int Row, int Col, TGclTblSelectionType Action) {
    if (Action == tstAdditional)
        CommitPending();
    else
        DeselectAll();
    FAnchorRow = FActiveRow = Row;
    FAnchorCol = FActiveCol = Col;
    FPendingEmpty = true;
}

void TGclSelectionList::ExtendRange(int Row, int Col, bool Select) {
    FPendingSelects = Select;
    FActiveRow = Row;
    FActiveCol = Col;
    FPendingEmpty = Row == FAnchorRow && Col == FAnchorCol;
    if (FPendingEmpty) return;
    FPendingLeft = std::min(FAnchorCol, FActiveCol);
    FPendingRight = std::max(FAnchorCol, FActiveCol);
    FPendingTop = std::min(FAnchorRow, FActiveRow);
    FPendingBottom = std::max(FAnchorRow, FActiveRow);
}

bool TGclSelectionList::IsCellSelected(int Row, int Col) const {
    if (!ValidCell(Row, Col)) return false;
    if (!FPendingEmpty && Col >= FPendingLeft && Col <= FPendingRight && Row >= FPendingTop &&
        Row <= FPendingBottom)
        return FPendingSelects;
    const auto& list = FColumns[Col];
    return list && std::any_of(list->begin(), list->end(), [Row](const TRowRange& r) {
               return Row >= r.First && Row <= r.Last;
           });
}

bool TGclSelectionList::HaveSelection() const {
    return !FPendingEmpty || FColumnsWithRanges > 0;
}

void TGclSelectionList::Iterate(const TGclSelectionAction& Action, void* ExtraData) {
    CommitPending();
    for (int c = 0; c < ColCount(); ++c) {
        if (!FColumns[c]) continue;
        const TRangeList ranges = *FColumns[c];
        for (const TRowRange& r : ranges)
            if (!Action(r.First, c, r.Last, c, ExtraData)) return;
    }
}

std::vector<TGclSelectionList::TRowRange> TGclSelectionList::ColumnRanges(int Col) const {
    if (Col < 0 || Col >= ColCount() || !FColumns[Col]) return {};
    return *FColumns[Col];
}

// Sparse array, cell array and selection list, with random operations checked
// against simple models.
#include "grid/gclexcpt.h"
#include "grid/gclspary.h"
#include "grid/gcltcary.h"
#include "grid/gcltsell.h"
#include "tests/grid/GridTestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <vector>

namespace {
void* P(std::uintptr_t n) {
    return reinterpret_cast<void*>(n);
}
} // namespace

TEST(SparseArray, BoundsPagesAndCount) {
    TGclSparseArray a;
    EXPECT_EQ(a.GetItem(319999), nullptr);
    EXPECT_EQ(MessageOf<ESAEOutOfBounds>([&] { a.GetItem(320000); }), "Index is out of bounds for sparse array");
    EXPECT_THROW(a.PutItem(-1, P(1)), ESAEOutOfBounds);
    a.PutItem(5, nullptr);
    EXPECT_EQ(a.PageCount(), 0);
    EXPECT_EQ(a.Count(), 0);
    a.PutItem(40, P(1));
    EXPECT_EQ(a.PageCount(), 1);
    EXPECT_EQ(a.Count(), 41);
    a.PutItem(40, nullptr);
    EXPECT_EQ(a.PageCount(), 0);
    EXPECT_EQ(a.Count(), 0);
    for (int page = 0; page < 9; ++page)
        a.PutItem(page * 100 * 32, P(page + 1));
    EXPECT_EQ(a.PageCount(), 9);
    EXPECT_EQ(a.DirectoryCapacity(), 12); // grown by 4 entries at a time
}

TEST(SparseArray, InsertAndDeleteCarryAcrossPages) {
    TGclSparseArray a;
    a.PutItem(31, P(1));
    a.PutItem(32, P(2));
    a.Insert(0, P(3));
    EXPECT_EQ(a.GetItem(0), P(3));
    EXPECT_EQ(a.GetItem(32), P(1));
    EXPECT_EQ(a.GetItem(33), P(2));
    EXPECT_EQ(a.Count(), 34);
    a.Delete(0);
    EXPECT_EQ(a.GetItem(31), P(1));
    EXPECT_EQ(a.GetItem(32), P(2));
    EXPECT_EQ(a.Count(), 33);
    // A later page moves even when nothing is carried out of the first one.
    TGclSparseArray b;
    b.PutItem(0, P(1));
    b.PutItem(100, P(2));
    b.Insert(0, P(3));
    EXPECT_EQ(b.GetItem(101), P(2));
    b.Delete(0);
    b.Delete(0);
    EXPECT_EQ(b.GetItem(99), P(2));
    EXPECT_EQ(b.Count(), 100);
}

TEST(SparseArray, SearchesAndLimits) {
    TGclSparseArray a;
    a.PutItem(3, P(7));
    a.PutItem(70, P(7));
    a.PutItem(10, P(8));
    EXPECT_EQ(a.IndexOf(P(7)), 70);
    EXPECT_EQ(a.IndexOf(P(9)), -1);
    EXPECT_EQ(a.First(), P(7));
    EXPECT_EQ(a.Last(), P(7));
    EXPECT_EQ(a.GetActiveCount(), 3);
    std::vector<int> seen;
    EXPECT_EQ(a.ForAll([&](int i, void*, void*) { return seen.push_back(i), i < 10; }, false, nullptr), 10);
    EXPECT_EQ(seen, (std::vector<int>{3, 10}));
    EXPECT_EQ(a.ForAll([](int, void*, void*) { return true; }, true, nullptr), -1);
    a.Exchange(3, 10);
    EXPECT_EQ(a.GetItem(3), P(8));
    a.PutItem(319999, P(1));
    EXPECT_THROW(a.Add(P(2)), ESAEAtMaxSize);
    EXPECT_THROW(a.Insert(0, P(2)), ESAEAtMaxSize);
    EXPECT_EQ(a.GetItem(0), nullptr); // unchanged
}

TEST(SparseArray, RandomOperationsMatchAPlainArray) {
    std::mt19937 rng(12);
    TGclSparseArray a;
    std::map<int, void*> model; // index -> item, nulls absent
    auto modelCount = [&] { return model.empty() ? 0 : model.rbegin()->first + 1; };
    for (int step = 0; step < 4000; ++step) {
        const int index = static_cast<int>(rng() % 400);
        void* item = rng() % 4 ? P(rng() % 50 + 1) : nullptr;
        switch (rng() % 4) {
        case 0:
            a.PutItem(index, item);
            if (item) model[index] = item; else model.erase(index);
            break;
        case 1: {
            a.Insert(index, item);
            if (index >= modelCount()) {
                if (item) model[index] = item; else model.erase(index);
                break;
            }
            std::map<int, void*> next;
            for (auto [i, v] : model) next[i >= index ? i + 1 : i] = v;
            if (item) next[index] = item;
            model.swap(next);
            break;
        }
        case 2: {
            a.Delete(index);
            if (index >= modelCount()) break;
            std::map<int, void*> next;
            for (auto [i, v] : model)
                if (i != index) next[i > index ? i - 1 : i] = v;
            model.swap(next);
            break;
        }
        default: {
            const int other = static_cast<int>(rng() % 400);
            a.Exchange(index, other);
            void* first = model.count(index) ? model[index] : nullptr;
            void* second = model.count(other) ? model[other] : nullptr;
            model.erase(index);
            model.erase(other);
            if (second) model[index] = second;
            if (first) model[other] = first;
        }
        }
        ASSERT_EQ(a.Count(), modelCount()) << step;
        ASSERT_EQ(a.GetActiveCount(), static_cast<int>(model.size())) << step;
    }
    for (int i = 0; i < 401; ++i)
        EXPECT_EQ(a.GetItem(i), model.count(i) ? model[i] : nullptr) << i;
}

TEST(CellArray, SortedUniqueAndMerged) {
    TGclCellArray cells;
    EXPECT_TRUE(cells.GetEmpty());
    cells.AddCell(2, 5);
    cells.AddCell(2, 5);
    cells.AddCell(1, 9);
    cells.AddCell(2, 1);
    EXPECT_EQ(cells.Count(), 3);
    TGclCellAddress addr;
    cells.GetCellAddr(0, addr);
    EXPECT_EQ(addr, (TGclCellAddress{1, 9}));
    cells.GetCellAddr(2, addr);
    EXPECT_EQ(addr, (TGclCellAddress{2, 5}));
    cells.GetCellAddr(3, addr);
    EXPECT_EQ(addr, (TGclCellAddress{0, 0}));
    TGclCellArray other;
    other.AddCell(2, 5);
    other.AddCell(0, 0);
    other.AddUnusedBit();
    cells.Merge(other);
    EXPECT_EQ(cells.Count(), 4);
    EXPECT_FALSE(cells.MustDoUnusedBit());
    EXPECT_TRUE(cells.DeleteCell(0, 0));
    EXPECT_FALSE(cells.DeleteCell(0, 0));
    cells.AddUnusedBit();
    cells.Clear();
    EXPECT_TRUE(cells.GetEmpty());
}

TEST(SelectionList, RangesStayDisjointAndApart) {
    TGclSelectionList s(10, 10);
    s.SelectCellRange(1, 0, 3, 0);
    s.SelectCellRange(5, 0, 7, 0);
    s.SelectCell(4, 0);
    EXPECT_EQ(s.ColumnRanges(0), (std::vector<TGclSelectionList::TRowRange>{{1, 7}}));
    s.DeselectCell(4, 0);
    EXPECT_EQ(s.ColumnRanges(0), (std::vector<TGclSelectionList::TRowRange>{{1, 3}, {5, 7}}));
    s.DeselectCellRange(0, 0, 9, 0);
    s.SelectCellRange(0, 0, 10, 0); // a corner outside: ignored
    EXPECT_FALSE(s.HaveSelection());
    s.SelectAll();
    EXPECT_EQ(s.ColumnsWithRanges(), 10);
    s.SetColCount(4);
    EXPECT_EQ(s.ColumnsWithRanges(), 4);
    s.DeselectAll();
    EXPECT_FALSE(s.HaveSelection());
}

TEST(SelectionList, PendingRectangleIsCommittedByIterate) {
    TGclSelectionList s(10, 10);
    s.SetRangeAnchor(2, 2, tstDeselectAll);
    s.ExtendRange(5, 4, true);
    EXPECT_TRUE(s.IsCellSelected(4, 3));
    EXPECT_TRUE(s.HaveSelection());
    EXPECT_EQ(s.ColumnsWithRanges(), 0);
    std::vector<std::vector<int>> seen;
    s.Iterate([&](int r1, int c1, int r2, int c2, void*) { return seen.push_back({r1, c1, r2, c2}), true; },
              nullptr);
    EXPECT_EQ(seen, (std::vector<std::vector<int>>{{2, 2, 5, 2}, {2, 3, 5, 3}, {2, 4, 5, 4}}));
    EXPECT_TRUE(s.IsCellSelected(4, 3));
    // A deselecting rectangle wins over committed ranges while pending.
    s.SetRangeAnchor(3, 3, tstAdditional);
    s.ExtendRange(4, 3, false);
    EXPECT_FALSE(s.IsCellSelected(4, 3));
    s.SetRangeAnchor(0, 0, tstAdditional);
    EXPECT_EQ(s.ColumnRanges(3), (std::vector<TGclSelectionList::TRowRange>{{2, 2}, {5, 5}}));
    s.SetRangeAnchor(0, 0, tstDeselectAll);
    EXPECT_FALSE(s.HaveSelection());
}

TEST(SelectionList, RandomOperationsMatchASetOfCells) {
    std::mt19937 rng(7);
    TGclSelectionList s(40, 3);
    std::set<std::pair<int, int>> model;
    for (int step = 0; step < 3000; ++step) {
        const int r1 = static_cast<int>(rng() % 40), r2 = static_cast<int>(rng() % 40);
        const int c1 = static_cast<int>(rng() % 3), c2 = static_cast<int>(rng() % 3);
        const bool select = rng() % 2;
        if (select) s.SelectCellRange(r1, c1, r2, c2); else s.DeselectCellRange(r1, c1, r2, c2);
        for (int r = std::min(r1, r2); r <= std::max(r1, r2); ++r)
            for (int c = std::min(c1, c2); c <= std::max(c1, c2); ++c)
                if (select) model.insert({r, c}); else model.erase({r, c});
        for (int c = 0; c < 3; ++c) {
            const auto ranges = s.ColumnRanges(c);
            for (std::size_t i = 1; i < ranges.size(); ++i)
                ASSERT_GT(ranges[i].First, ranges[i - 1].Last + 1) << step;
        }
    }
    for (int r = 0; r < 40; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(s.IsCellSelected(r, c), model.count({r, c}) == 1) << r << "," << c;
}

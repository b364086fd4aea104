// The table's data objects without a window: rows, columns and the override matrix
// against plain models under random operations, colours and pens, cell attribute
// resolution, headings and options.
#include "grid/gcltable.h"
#include "classlib/Bitmaps.h"
#include "grid/gcltbclr.h"
#include "grid/gcltcbmp.h"
#include "grid/gcltchdr.h"
#include "grid/gcltcstr.h"

#include "tests/grid/GridTestSupport.h"

#include <map>
#include <memory>
#include <optional>
#include <random>
#include <utility>
#include <vector>

namespace {

int Changes = 0;
void Count(TObject*) { ++Changes; }

} // namespace

TEST(TableRows, HeightsAndHiddenRowsKeepRecordsOnlyWhereTheyDiffer) {
    TGclTableRows rows;
    std::vector<std::pair<int, TGclTblActions>> reported;
    rows.OnCfgChanged = TRowChangeNotifyEvent::FromCallable(
        [&](TObject*, int R1, int, TGclTblActions A) { reported.push_back({R1, A}); });
    rows.SetRowHeight(3, 30);
    rows.SetRowHeight(3, 0);
    EXPECT_EQ(rows.StyledRows(), 0);
    EXPECT_TRUE(reported.empty());
    rows.SetRowHidden(3, true);
    rows.SetRowHidden(3, false);
    EXPECT_EQ(rows.StyledRows(), 0);
    rows.SetRow(3, MakeRowStyle(30, true));
    rows.SetDefHeight(20);
    EXPECT_EQ(rows.GetRowHeight(3), 20); // follows the default height
    rows.SetRowHeight(2, 50);
    rows.SetRowHeight(5, 60);
    rows.Delete(2);
    EXPECT_EQ(rows.GetLimit(), 9);
    EXPECT_EQ(rows.GetRowHeight(4), 60);
    EXPECT_FALSE(rows.GetRowIsSpecial(5));
    rows.SetLimit(0);
    EXPECT_EQ(rows.GetLimit(), 1);
    reported.clear();
    rows.SetLimit(1);
    EXPECT_TRUE(reported.empty());
    rows.Insert(1, MakeRowStyle(20, false));
    EXPECT_EQ(MessageOf<EGclTable>([&] { rows.Insert(3, MakeRowStyle(1, false)); }),
              "Table row out of bounds");
    EXPECT_EQ(MessageOf<EGclTable>([&] { rows.SetRowHeight(-1, 5); }), "Table row out of bounds");
}

// Rows against a plain map of the rows that differ from the default.
TEST(TableRows, MatchAPlainModelUnderRandomOperations) {
    TGclTableRows rows;
    rows.SetLimit(40);
    std::map<int, TRowStyle> model; // only rows that differ
    int limit = 40;
    std::mt19937 random(14);
    auto Normal = [&](TRowStyle S) {
        if (S.Height < 1 || S.Height == rows.GetDefaultHeight()) S.Height = -1;
        return S;
    };
    for (int step = 0; step < 2000; ++step) {
        int r = int(random() % limit);
        int h = int(random() % 4) * 15;
        bool hidden = random() % 3 == 0;
        switch (random() % 5) {
        case 0: {
            rows.SetRow(r, MakeRowStyle(h, hidden));
            TRowStyle s = Normal(MakeRowStyle(h, hidden));
            if (s.Height == -1 && !s.Hidden)
                model.erase(r);
            else
                model[r] = s;
            break;
        }
        case 1: {
            rows.Insert(r, MakeRowStyle(h, hidden));
            std::map<int, TRowStyle> moved;
            for (auto& [k, v] : model) moved[k >= r ? k + 1 : k] = v;
            TRowStyle s = Normal(MakeRowStyle(h, hidden));
            if (s.Height != -1 || s.Hidden) moved[r] = s;
            model = moved;
            ++limit;
            break;
        }
        case 2: {
            if (limit < 5) break;
            rows.Delete(r);
            std::map<int, TRowStyle> moved;
            for (auto& [k, v] : model)
                if (k != r) moved[k > r ? k - 1 : k] = v;
            model = moved;
            --limit;
            break;
        }
        case 3: {
            int r2 = int(random() % limit);
            rows.Exchange(r, r2);
            auto a = model.find(r), b = model.find(r2);
            std::optional<TRowStyle> va, vb;
            if (a != model.end()) va = a->second;
            if (b != model.end()) vb = b->second;
            model.erase(r);
            model.erase(r2);
            if (va) model[r2] = *va;
            if (vb) model[r] = *vb;
            break;
        }
        default:
            rows.Reset(r);
            model.erase(r);
            break;
        }
        ASSERT_EQ(rows.GetLimit(), limit);
        ASSERT_EQ(rows.StyledRows(), int(model.size())) << "step " << step;
    }
    for (int r = 0; r < limit; ++r) {
        auto it = model.find(r);
        TRowStyle s = rows.GetRow(r);
        EXPECT_EQ(s.Hidden, it != model.end() && it->second.Hidden);
        int expected = (it == model.end() || it->second.Height == -1) ? 30 : it->second.Height;
        EXPECT_EQ(s.Height, expected) << r;
    }
}

TEST(TableColumns, OperationsNumberColumnsAndReportTheirActions) {
    TGclTable table(nullptr);
    TGclTableColumns& cols = *table.GetColumns();
    std::vector<std::tuple<int, int, TGclTblActions>> reported;
    table.OnColumnsChanged = TColChangeNotifyEvent::FromCallable(
        [&](TObject*, int A, int B, TGclTblActions Act) { reported.push_back({A, B, Act}); });
    EXPECT_TRUE(cols.GetHidden(-1));
    EXPECT_EQ(cols.GetWidth(99), 0);
    cols.SetCount(0);
    EXPECT_EQ(cols.GetCount(), 10);
    cols.SetCount(4);
    for (int i = 0; i < 4; ++i) cols.SetWidth(i, 10 * (i + 1));
    cols.SetWidth(0, -5);
    EXPECT_EQ(cols.GetWidth(0), 0); // a width below 0 is 0
    cols.Exchange(1, 3);
    EXPECT_EQ(cols.GetWidth(1), 40);
    EXPECT_EQ(cols.GetCol(3)->GetNumber(), 3);
    reported.clear();
    cols.Insert(1, new TGclTableColumn(&table));
    cols.Delete(0);
    cols.Exchange(0, 2);
    EXPECT_EQ(reported, (std::vector<std::tuple<int, int, TGclTblActions>>{
                            {1, -1, taInsert}, {0, -1, taDelete}, {0, 2, taExchange}}));
    for (int i = 0; i < cols.GetCount(); ++i) EXPECT_EQ(cols.GetCol(i)->GetNumber(), i);
}

TEST(TableCells, MatrixMatchesAPlainModelAndKeepsNoEmptyEntry) {
    TGclTable table(nullptr);
    TGclTableCells& m = *table.GetCellOverrides();
    std::map<std::pair<int, int>, TColor> model;
    std::mt19937 random(7);
    for (int step = 0; step < 3000; ++step) {
        int r = int(random() % 12), c = int(random() % 6);
        switch (random() % 6) {
        case 0:
        case 1: {
            TColor color = random() % 3 == 0 ? clGclUnset : TColor(random() % 100);
            m.SetColor(r, c, color);
            if (color == clGclUnset)
                model.erase({r, c});
            else
                model[{r, c}] = color;
            break;
        }
        case 2: {
            m.InsertRow(r);
            std::map<std::pair<int, int>, TColor> moved;
            for (auto& [k, v] : model) moved[{k.first >= r ? k.first + 1 : k.first, k.second}] = v;
            model = moved;
            break;
        }
        case 3: {
            m.DeleteCol(c);
            std::map<std::pair<int, int>, TColor> moved;
            for (auto& [k, v] : model)
                if (k.second != c) moved[{k.first, k.second > c ? k.second - 1 : k.second}] = v;
            model = moved;
            break;
        }
        case 4: {
            int r2 = int(random() % 12);
            m.ExchangeRows(r, r2);
            std::map<std::pair<int, int>, TColor> moved;
            for (auto& [k, v] : model)
                moved[{k.first == r ? r2 : (k.first == r2 ? r : k.first), k.second}] = v;
            model = moved;
            break;
        }
        default:
            m.ResetCell(r, c);
            model.erase({r, c});
            break;
        }
        ASSERT_EQ(m.EntryCount(), int(model.size())) << "step " << step;
    }
    for (auto& [k, v] : model) EXPECT_EQ(m.GetColor(k.first, k.second), v);
    EXPECT_EQ(m.GetColor(500, 500), clGclUnset);
}

TEST(TableCells, CellsAreCountedAndLeaveEveryPlaceOfTheirTable) {
    TGclTable a(nullptr), b(nullptr);
    auto* cell = new TGclTCString(nullptr);
    a.GetColumns()->SetDefaultCell(2, cell);
    a.GetCellOverrides()->SetCell(4, 4, cell);
    a.SetLockedRowsCell(cell);
    EXPECT_EQ(cell->RefCount(), 3);
    EXPECT_EQ(cell->GetTable(), &a);
    EXPECT_EQ(a.AttachedCells().size(), 1u);
    b.GetCellOverrides()->SetCell(1, 1, cell); // another table's cell is refused
    EXPECT_EQ(b.GetCellOverrides()->GetCell(1, 1), nullptr);
    EXPECT_EQ(b.GetCellOverrides()->EntryCount(), 0);
    delete cell; // the table has no window: it still forgets the cell everywhere
    EXPECT_EQ(a.GetColumns()->GetDefaultCell(2), nullptr);
    EXPECT_EQ(a.GetLockedRowsCell(), nullptr);
    EXPECT_EQ(a.GetCellOverrides()->EntryCount(), 0);
    EXPECT_TRUE(a.AttachedCells().empty());

    auto* other = new TGclTCString(nullptr);
    a.GetColumns()->SetDefaultCell(1, other);
    other->SetTable(&b);
    EXPECT_EQ(a.GetColumns()->GetDefaultCell(1), nullptr);
    EXPECT_TRUE(a.AttachedCells().empty());
    delete other;
}

TEST(TableCells, ACellHeldAcrossSeveralPagesOfARowLeavesEveryOne) {
    TGclTable t(nullptr);
    auto* cell = new TGclTCString(nullptr);
    // Three pages of row 4, each holding only the cell: clearing a page frees it.
    for (int col : {10, 33, 70}) t.GetCellOverrides()->SetCell(4, col, cell);
    t.GetCellOverrides()->SetColor(5, 40, clRed);
    EXPECT_EQ(cell->RefCount(), 3);
    t.GetCellOverrides()->tcNotifyCellDeletion(cell); // one pass finds every entry
    for (int col : {10, 33, 70}) EXPECT_EQ(t.GetCellOverrides()->GetCell(4, col), nullptr) << col;
    EXPECT_EQ(cell->RefCount(), 0);
    EXPECT_EQ(t.GetCellOverrides()->EntryCount(), 1);
    EXPECT_EQ(t.GetCellOverrides()->GetColor(5, 40), clRed);
    delete cell;
}

TEST(TableCells, ResolutionFallsBackToDefaultsAndSettersReportChanges) {
    TGclTCString cell(nullptr);
    TFont font;
    TGclCellAttributes attr;
    attr.Font = &font;
    cell.ResolveAttributes(1, 1, attr);
    EXPECT_EQ(attr.Access, otxNormal);
    EXPECT_EQ(attr.Adjust, otaCenterLeft);
    EXPECT_EQ(attr.Color, clBtnFace);
    Changes = 0;
    cell.OnCfgChanged = TNotifyEvent::FromCallable(Count);
    cell.SetMargin(-1);
    EXPECT_EQ(cell.GetMargin(), 4);
    cell.SetMargin(20);
    cell.SetColor(clRed);
    EXPECT_FALSE(cell.GetTableColor());
    cell.GetFont()->SetSize(14);
    EXPECT_FALSE(cell.GetTableFont());
    EXPECT_EQ(Changes, 3);
    EXPECT_EQ(cell.GetAbout(), "v4.06");
}

TEST(TableColorsAndPens, DefaultsAssignAndChangeReports) {
    TGclTableColors colors, other;
    Changes = 0;
    colors.OnCfgChanged = TNotifyEvent::FromCallable(Count);
    colors.SetActiveFocused(clHighlight);
    EXPECT_EQ(Changes, 0);
    other.SetLocked(clRed);
    other.SetSelected(clLime);
    colors.Assign(&other);
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(colors.GetLocked(), clRed);

    TGclGridPenSet pens;
    EXPECT_EQ(pens.GetNormalGrid()->GetStyle(), psDot);
    EXPECT_EQ(pens.GetLockedGrid()->GetEffect(), ge3D);
    EXPECT_EQ(pens.GetCellWhenFocused()->GetNormalColor(), clBlack);
    EXPECT_EQ(pens.GetCellWhenUnfocused()->GetStyle(), psDash);
    EXPECT_EQ(pens.GetNormalGrid()->GetNormalColor(), clBtnShadow);
}

TEST(TableOptions, AreNormalisedAndSettersPullValues) {
    TGclTable t(nullptr);
    t.SetOptions(TGclTblOptionSet{otoBrowseRow, otoMouseDragSelect});
    EXPECT_EQ(t.GetOptions(), (TGclTblOptionSet{otoBrowseRow, otoNoRowResizing, otoNoSelection}));
    t.SetOptions(TGclTblOptionSet{otoRowSelection, otoAllowRowMoves});
    EXPECT_EQ(t.GetOptions(), (TGclTblOptionSet{otoRowSelection}));
    t.SetOptions(TGclTblOptionSet{otoAlwaysEditing, otoColSelection});
    EXPECT_EQ(t.GetOptions(),
              (TGclTblOptionSet{otoAlwaysEditing, otoNoRowResizing, otoNoColResizing, otoNoSelection}));
    t.SetAccess(otxDefault);
    EXPECT_EQ(t.GetAccess(), otxNormal);
    t.SetAdjust(otaDefault);
    EXPECT_EQ(t.GetAdjust(), otaCenterLeft);
    t.SetLockedRows(3); // stored as it is before the window exists
    EXPECT_EQ(t.GetLockedRows(), 3);
    t.SetLockedRows(1);
    t.SetRowLimit(1);
    EXPECT_EQ(t.GetRowLimit(), 10);
    EXPECT_EQ(t.IncRow(0, 0), 1);
    t.GetRows()->SetRowHidden(2, true);
    EXPECT_EQ(t.IncRow(1, 1), 3);
    EXPECT_EQ(t.IncRow(3, -1), 1);
}

TEST(TableColumnsAndRows, AssigningCopiesIntoTheOwnedObjects) {
    TGclTable t(nullptr), source(nullptr);
    source.GetColumns()->SetCount(3);
    source.GetColumns()->SetWidth(1, 77);
    TGclTableColumns* held = t.GetColumns();
    t.SetColumns(source.GetColumns());
    EXPECT_EQ(t.GetColumns(), held); // what a caller took stays the table's columns
    EXPECT_NE(t.GetColumns(), source.GetColumns());
    EXPECT_EQ(t.GetColCount(), 3);
    EXPECT_EQ(held->GetCount(), 3);
    EXPECT_EQ(t.GetColumns()->GetWidth(1), 77);
    held->SetWidth(2, 66); // and still reports its changes to the table
    EXPECT_EQ(t.GetColumns()->GetWidth(2), 66);
    t.SetColumns(t.GetColumns()); // itself: nothing happens
    EXPECT_EQ(t.GetColCount(), 3);
    TGclTCString mine(nullptr), theirs(nullptr);
    held->SetDefaultCell(0, &mine);
    source.GetColumns()->SetDefaultCell(0, &theirs); // held by the other table
    source.GetColumns()->SetCount(12);
    t.SetColumns(source.GetColumns());
    EXPECT_EQ(held->GetCount(), 12);
    EXPECT_EQ(held->GetWidth(1), 77);
    EXPECT_EQ(held->GetDefaultCell(0), nullptr);
    EXPECT_EQ(mine.RefCount(), 0);
    source.GetRows()->SetRowHeight(2, 44);
    t.SetRows(source.GetRows());
    EXPECT_EQ(t.GetRows()->GetRowHeight(2), 44);
    EXPECT_NE(t.GetRows(), source.GetRows());
}

TEST(HeadingCells, LettersAndHeadingsFollowColumns) {
    EXPECT_EQ(ColumnLetters(1), "A");
    EXPECT_EQ(ColumnLetters(26), "Z");
    EXPECT_EQ(ColumnLetters(27), "AA");
    EXPECT_EQ(ColumnLetters(52), "AZ");
    EXPECT_EQ(ColumnLetters(53), "BA");
    EXPECT_EQ(ColumnLetters(703), "AAA");
    EXPECT_EQ(ColumnLetters(0), "");
    TGclTCColHead head(nullptr);
    head.chColumnsChanged(2, -1, taInsert);
    EXPECT_EQ(head.GetHeadings()->GetCount(), 0);
    head.chColumnsChanged(0, -1, taInsert);
    EXPECT_EQ(head.GetHeadings()->GetCount(), 1);
    head.GetHeadings()->Clear();
    for (const char* h : {"SS-LED", "Integer", "HEX", "String"}) head.GetHeadings()->Add(h);
    head.chColumnsChanged(1, 6, taExchange);
    EXPECT_EQ(head.GetHeadings()->GetCount(), 7);
    EXPECT_EQ(head.GetHeadings()->Get(6), "Integer");
    EXPECT_EQ(head.GetHeadings()->Get(1), "");
}

// Bitmap cells on a memory canvas: nothing for a missing bitmap, a negative glyph or no
// room; a glyph past the strip is glyph 0, written back.
TEST(BitmapCells, DrawNothingForMissingOrBadGlyphs) {
    auto cell = std::make_unique<TGclTCBaseBitMap>(nullptr); // strip records as data
    auto target = std::make_unique<TBitmap>(40, 40);
    auto strip = std::make_unique<TBitmap>(64, 16);
    TFont font;
    TGclCellAttributes attr;
    attr.Font = &font;
    attr.Color = clWhite;
    attr.Adjust = otaCenter;
    attr.Access = otxReadOnly;
    strip->GetCanvas()->GetBrush()->SetColor(clRed);
    strip->GetCanvas()->FillRect(TRect(0, 0, 64, 15));
    strip->GetCanvas()->GetBrush()->SetColor(clBlue);
    strip->GetCanvas()->FillRect(TRect(0, 15, 64, 16)); // the see-through bottom row
    auto RedPixels = [&] {
        int red = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x)
                red += target->GetCanvas()->GetPixels(x, y) == clRed ? 1 : 0;
        return red;
    };
    const TRect all(0, 0, 40, 40);
    TCellBitMapInfo info{strip.get(), 4, 4, -1};
    cell->SetMargin(0);
    cell->Paint(target->GetCanvas(), all, 1, 1, attr, &info);
    EXPECT_EQ(RedPixels(), 0);
    info.Bitmap = nullptr;
    info.GlyphIndex = 0;
    cell->Paint(target->GetCanvas(), all, 1, 1, attr, &info);
    EXPECT_EQ(RedPixels(), 0);
    cell->SetMargin(25); // no room left
    info.Bitmap = strip.get();
    cell->Paint(target->GetCanvas(), all, 1, 1, attr, &info);
    EXPECT_EQ(RedPixels(), 0);
    cell->SetMargin(0);
    info.GlyphIndex = 5;
    cell->Paint(target->GetCanvas(), all, 1, 1, attr, &info);
    EXPECT_EQ(info.GlyphIndex, 0);
    EXPECT_EQ(RedPixels(), 16 * 15);
    EXPECT_EQ(target->GetCanvas()->GetPixels(12, 12 + 15), clWhite); // the cell shows through
    // The published cell takes a plain bitmap, and null paints the background only.
    TGclTCBitMap plain(nullptr);
    plain.SetMargin(0);
    target->GetCanvas()->GetBrush()->SetColor(clBlack);
    target->GetCanvas()->FillRect(all);
    plain.Paint(target->GetCanvas(), all, 1, 1, attr, nullptr);
    EXPECT_EQ(RedPixels(), 0);
    EXPECT_EQ(target->GetCanvas()->GetPixels(20, 20), clWhite);
    plain.Paint(target->GetCanvas(), all, 1, 1, attr, strip.get());
    EXPECT_EQ(RedPixels(), 40 * 15); // the whole strip as one glyph, clipped to the cell
}

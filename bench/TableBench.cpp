// The table with 100,000 rows fed by OnGetCellData: opening (RowLimit set and the first
// full paint, from an empty table and from one of 50 rows), one page down and one row down at
// the bottom edge, each against two baselines of a minimal table program measured in the same
// run on the same window: the same visible cells painted with plain GDI calls, once after the
// one SetScrollInfo with which such a program gives its scroll bar a new range (the system
// redraws the bar) and once without it (a move that does not move the bar needs no more).
// Every sample, of the table and of the baselines alike, is one operation timed until the
// messages it posted are handled; each figure is the median of the same number of samples.
// After every timed operation of the table, the rows it shows and the active row are checked,
// and its pixels, scroll bar included, are compared with a full repaint. The number of
// cell-data requests per operation is shown too. Needs a display (scripts/bench-table.sh
// gives one).
#include "bench/BenchRatio.h"
#include "bench/BenchSamples.h"
#include "bench/BenchScreen.h"
#include "grid/gclcmd.h"
#include "grid/gcltable.h"
#include "grid/gcltcstr.h"

#include "classlib/Forms.h"
#include "classlib/UnitInit.h"

#include "classlib/Platform.h"

#include <cstdio>
#include <exception>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 4;
constexpr int kRowHeight = 20;
constexpr int kSamples = 31;

// The table whose window can also be painted directly, cell by cell, as the baseline.
class TBenchTable : public TGclTable {
public:
    explicit TBenchTable(TComponent* AOwner) : TGclTable(AOwner) {}
    bool Direct = false;

protected:
    void Paint() override {
        if (!Direct) {
            TGclTable::Paint();
            return;
        }
        // Plain GDI on the window's device context: one opaque text output fills each cell.
        HDC dc = GetCanvas()->GetHandle();
        HGDIOBJ oldFont = SelectObject(dc, GetFont()->GetHandle());
        SetBkColor(dc, ColorToRGB(clWindow));
        SetTextColor(dc, ColorToRGB(GetFont()->GetColor()));
        char text[64];
        int rows = GetClientHeight() / kRowHeight + 1;
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < kCols; ++c) {
                RECT cell{c * 90, r * kRowHeight, c * 90 + 89, r * kRowHeight + kRowHeight - 1};
                const int length = std::snprintf(text, sizeof text, "%d / %d", r + 1, c);
                ExtTextOutA(dc, cell.left + 2, cell.top + 2, ETO_OPAQUE | ETO_CLIPPED, &cell, text,
                            static_cast<UINT>(length), nullptr);
            }
        SelectObject(dc, oldFont);
    }
};

// A median time with the cell requests of one sample.
struct TTiming {
    double Seconds = 0;
    long long Requests = 0;
};

struct TBench {
    TForm* Form = nullptr;
    TBenchTable* Table = nullptr;
    TGclTCString* Cell = nullptr;
    long long Requests = 0;
    char Text[64] = {};
    int Flip = 0;

    void Make() {
        Form = new TForm(nullptr);
        Form->SetBounds(20, 20, 420, 360);
        Table = new TBenchTable(Form);
        Table->SetLockedCols(0);
        Table->SetLeftCol(0);
        Table->SetScrollBars(ssVertical);
        Table->SetColCount(kCols);
        Table->GetRows()->SetDefHeight(kRowHeight);
        Table->SetBounds(0, 0, 400, 320);
        Cell = new TGclTCString(Form);
        Cell->SetUseASCIIZStrings(true);
        for (int c = 0; c < kCols; ++c) {
            Table->GetColumns()->SetWidth(c, 90);
            Table->GetColumns()->SetDefaultCell(c, Cell);
        }
        Table->OnGetCellData = TCellDataNotifyEvent::FromCallable(
            [this](TObject*, int R, int C, void*& Data, TGclCellDataPurpose) {
                ++Requests;
                std::snprintf(Text, sizeof Text, "%d / %d", R, C);
                Data = Text;
            });
        Table->SetParent(Form);
        Form->Show();
        Bench::PumpMessages();
    }

    HWND Window() const { return Table->GetHandle(); }

    void PaintAll() {
        RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Bench::PumpMessages();
    }

    // What a minimal table program does to show a new row count: the scroll bar's new range
    // in one call, then the visible cells painted straight on the same window in its paint,
    // with the same font and texts.
    void NewRangeDirectly() {
        SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, 1, 1000 + (++Flip & 1), 0, 0, 0};
        SetScrollInfo(Window(), SB_VERT, &info, TRUE);
        PaintDirectly();
    }
    // The visible cells alone, as such a program paints them.
    void PaintDirectly() {
        Table->Direct = true;
        PaintAll();
        Table->Direct = false;
    }

    // The median of kSamples timings of Op, each after an untimed Setup and followed by an
    // untimed Check; the operation's time runs until the messages it posted are handled.
    TTiming Median(const std::function<void()>& Setup, const std::function<void()>& Op,
                   const std::function<void()>& Check) {
        std::vector<double> samples;
        long long requests = 0;
        for (int sample = 0; sample < kSamples; ++sample) {
            Setup();
            Bench::PumpMessages();
            const long long before = Requests;
            samples.push_back(Bench::Seconds([&] {
                Op();
                UpdateWindow(Window());
                Bench::PumpMessages();
            }));
            requests = Requests - before;
            Check();
        }
        return {Bench::Median(samples), requests};
    }

    // The rows the table shows: the locked heading row, then Top and the rows after it, as
    // many as the window's height holds; and the active row.
    void CheckShown(const char* Operation, int Top, int Active) {
        TGclTableNumberArray shown;
        shown.Numbers.resize(256);
        Table->GetDisplayedRowNums(shown);
        const int expected = (Table->GetClientHeight() + kRowHeight - 1) / kRowHeight;
        bool right = shown.Count == expected && shown.Numbers[0] == 0;
        for (int i = 1; right && i < shown.Count; ++i)
            right = shown.Numbers[std::size_t(i)] == Top + i - 1;
        if (right && Table->GetActiveRow() == Active) return;
        std::string rows;
        for (int i = 0; i < shown.Count; ++i)
            rows += (i ? ", " : "") + std::to_string(shown.Numbers[std::size_t(i)]);
        throw std::runtime_error(std::string(Operation) + " shows the rows " + rows + " with row " +
                                 std::to_string(Table->GetActiveRow()) + " active, not " +
                                 std::to_string(expected) + " rows from row " +
                                 std::to_string(Top) + " with row " + std::to_string(Active) +
                                 " active");
    }

    // The table's pixels, its scroll bar included, against a full repaint of it.
    void CheckPixels(const char* Operation) {
        const std::unique_ptr<TBitmap> shown = Bench::PaintedPixels(Window(), true);
        const std::unique_ptr<TBitmap> full = Bench::RepaintedInFull(Window(), true);
        const long long differing = Bench::DifferingPixels(shown.get(), full.get());
        if (differing == 0) return;
        throw std::runtime_error(std::string(Operation) + " left " + std::to_string(differing) +
                                 " pixels other than a full repaint paints; " +
                                 Bench::SaveForInspection("table-bench", shown.get(), full.get()));
    }

    // Opening from a table of From rows that has painted itself; Rows set paints what
    // changed when its redraw bracket closes.
    TTiming Open(const char* Name, int From, int Rows) {
        return Median(
            [&] {
                Table->SetRowLimit(From);
                Table->SetActiveRow(1);
                Table->SetTopRow(1);
                PaintAll();
            },
            [&] { Table->SetRowLimit(Rows); },
            [&] {
                CheckShown(Name, 1, 1);
                CheckPixels(Name);
            });
    }

    // A move from the table reset to its first page with the row Start active and painted.
    TTiming Move(const char* Name, Word Command, int Start, int Top, int Active) {
        return Median(
            [&] {
                Table->SetActiveRow(Start);
                Table->SetTopRow(1);
                PaintAll();
            },
            [&] { Table->MoveActiveCell(Command); },
            [&] {
                CheckShown(Name, Top, Active);
                CheckPixels(Name);
            });
    }

    // The median of kSamples single calls of Op, its posted messages handled.
    double Baseline(const std::function<void()>& Op) {
        return Median([] {}, Op, [] {}).Seconds;
    }
};

// One operation against both baselines; the target belongs to the baseline the operation
// really has to beat.
void Row(const char* Name, const TTiming& Timing, double WithBar, double WithoutBar,
         const Bench::TTarget& WithBarTarget, const Bench::TTarget& WithoutBarTarget) {
    const double withBar = Timing.Seconds / WithBar;
    const double withoutBar = Timing.Seconds / WithoutBar;
    const auto column = [](double Ratio, const Bench::TTarget& Target) {
        char text[64];
        std::snprintf(text, sizeof text, "%6.2fx%s", Ratio,
                      Bench::VerdictText(Ratio, Target).c_str());
        return std::string(text);
    };
    std::printf("%-34s %8.3f ms  %-28s %-28s %5lld\n", Name, Timing.Seconds * 1e3,
                column(withBar, WithBarTarget).c_str(),
                column(withoutBar, WithoutBarTarget).c_str(), Timing.Requests);
    Bench::RecordRatio(std::string(Name) + " / direct with the bar", withBar, WithBarTarget);
    Bench::RecordRatio(std::string(Name) + " / direct without the bar", withoutBar,
                       WithoutBarTarget);
}

int Run() {
    Application->Initialize();
    TBench b;
    b.Make();
    b.Table->SetRowLimit(kRows);
    b.PaintAll();
    const double withBar = b.Baseline([&] { b.NewRangeDirectly(); });
    const double withoutBar = b.Baseline([&] { b.PaintDirectly(); });
    // What the window system alone takes to redraw the bar when its range changes, which
    // every open pays once.
    const double bar = b.Baseline([&] {
        SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, 1, 1000 + (++b.Flip & 1), 0, 0, 0};
        SetScrollInfo(b.Window(), SB_VERT, &info, TRUE);
    });
    // From an empty table (its locked row and one blank row, the fewest a table has: the
    // editor's table without pages) the scroll bar appears; from 50 rows it is there already.
    const TTiming openEmpty = b.Open("Open 100,000 rows from empty", 2, kRows);
    const TTiming open = b.Open("Open 100,000 rows from 50 rows", 50, kRows);
    const TTiming openSmall = b.Open("Open 100 rows from 50 rows", 50, 100);
    b.Table->SetRowLimit(kRows);
    b.Table->SetActiveRow(1);
    b.Table->SetTopRow(1);
    b.PaintAll();
    TGclTableNumberArray shown;
    shown.Numbers.resize(256);
    b.Table->GetDisplayedRowNums(shown);
    // Page down makes the last row shown, the one cut by the bottom edge, the top row and
    // keeps the active row's place; a row down from the last row shown whole scrolls by one.
    const int lastShown = shown.Numbers[std::size_t(shown.Count - 1)];
    const int lastFull = shown.Numbers[std::size_t(shown.Count - 2)];
    const TTiming page =
        b.Move("One page down with its repaint", ccNextPage, 1, lastShown, lastShown);
    const TTiming row =
        b.Move("One row down at the bottom edge", ccDown, lastFull, 2, lastFull + 1);

    std::printf("Medians of %d samples, each until its posted messages are handled; every table "
                "operation checked against a full repaint\n",
                kSamples);
    std::printf("%-34s %8.3f ms\n", "Direct: new range, visible cells", withBar * 1e3);
    std::printf("%-34s %8.3f ms\n", "Direct: visible cells alone", withoutBar * 1e3);
    std::printf("%-34s %8.3f ms  %6.2fx direct with the bar\n", "Scroll bar redrawn by the system",
                bar * 1e3, bar / withBar);
    Bench::RecordRatio("Scroll bar redrawn by the system / direct with the bar", bar / withBar);
    std::printf("%-34s %11s  %-28s %-28s %5s\n", "", "", "against direct with the bar",
                "against direct without it", "cells");
    Row("Open 100,000 rows from empty", openEmpty, withBar, withoutBar, Bench::AtMost(2.0), {});
    Row("Open 100,000 rows from 50 rows", open, withBar, withoutBar, Bench::AtMost(2.0), {});
    const Bench::TTarget sizeTarget = Bench::AtMost(1.2);
    std::printf("%-34s %8.3f ms  the large open takes %.2fx%s\n", "Open 100 rows from 50 rows",
                openSmall.Seconds * 1e3, open.Seconds / openSmall.Seconds,
                Bench::VerdictText(open.Seconds / openSmall.Seconds, sizeTarget).c_str());
    Bench::RecordRatio("Open 100,000 rows from 50 rows / 100 rows from 50 rows",
                       open.Seconds / openSmall.Seconds, sizeTarget);
    Row("One page down with its repaint", page, withBar, withoutBar, {}, Bench::AtMost(1.5));
    Row("One row down at the bottom edge", row, withBar, withoutBar, {}, Bench::AtMost(0.5));
    std::printf("(a row holds %d cells: at most %d requests for three rows)\n", kCols, 3 * kCols);
    delete b.Form;
    return 0;
}

} // namespace

int main() {
    try {
        InitializeUnits();
        int result = Run();
        FinalizeUnits();
        return result;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Benchmark failed: %s\n", e.what());
        return 1;
    }
}

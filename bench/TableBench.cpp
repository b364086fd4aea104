// The table with 100,000 rows fed by OnGetCellData: opening (RowLimit set and the first
// full paint, from an empty table and from one of 50 rows), one page down and one row down at
// the bottom edge, each against the baseline of a minimal table program measured in the same
// run: the same visible cells painted on the same window with plain GDI calls, and the one
// SetScrollInfo with which such a program gives its scroll bar the new range. The number of
// cell-data requests per operation is shown too. Needs a display (scripts/bench-table.sh
// gives one).
#include "bench/BenchTimer.h"
#include "grid/gclcmd.h"
#include "grid/gcltable.h"
#include "grid/gcltcstr.h"

#include "classlib/Forms.h"
#include "classlib/Strings.h"
#include "classlib/UnitInit.h"

#include "classlib/Platform.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <string>

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 4;

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
        int rows = GetClientHeight() / 20 + 1;
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < kCols; ++c) {
                RECT cell{c * 90, r * 20, c * 90 + 89, r * 20 + 19};
                const int length = std::snprintf(text, sizeof text, "%d / %d", r + 1, c);
                ExtTextOutA(dc, cell.left + 2, cell.top + 2, ETO_OPAQUE | ETO_CLIPPED, &cell, text,
                            static_cast<UINT>(length), nullptr);
            }
        SelectObject(dc, oldFont);
    }
};

struct TBench {
    TForm* Form = nullptr;
    TBenchTable* Table = nullptr;
    TGclTCString* Cell = nullptr;
    long long Requests = 0;
    char Text[64] = {};

    void Make() {
        Form = new TForm(nullptr);
        Form->SetBounds(20, 20, 420, 360);
        Table = new TBenchTable(Form);
        Table->SetLockedCols(0);
        Table->SetLeftCol(0);
        Table->SetScrollBars(ssVertical);
        Table->SetColCount(kCols);
        Table->GetRows()->SetDefHeight(20);
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
        Pump();
    }

    static void Pump() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }

    void PaintAll() {
        RedrawWindow(Table->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }

    // What a minimal table program does to show a new row count: the scroll bar's new range
    // in one call, then the visible cells painted straight on the same window in its paint,
    // with the same font and texts.
    void PaintDirectly() {
        SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, 1, 1000 + (++FFlip & 1), 0, 0, 0};
        SetScrollInfo(Table->GetHandle(), SB_VERT, &info, TRUE);
        Table->Direct = true;
        PaintAll();
        Table->Direct = false;
    }
    int FFlip = 0;

    // The fastest of Runs timings of Op, each after an untimed Setup; PerOp gets the cell
    // requests of one Op.
    template <typename TSetup, typename TOp> double BestOf(int Runs, TSetup Setup, TOp Op, long long& PerOp) {
        double best = 1e30;
        for (int run = 0; run < Runs; ++run) {
            Setup();
            Pump();
            long long before = Requests;
            auto start = std::chrono::steady_clock::now();
            Op();
            UpdateWindow(Table->GetHandle());
            best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
            PerOp = Requests - before;
        }
        return best;
    }

    // Opening from a table of From rows that has painted itself; Rows set paints what
    // changed when its redraw bracket closes.
    double Open(int From, int Rows, long long& PerOp) {
        return BestOf(15, [&] { Table->SetRowLimit(From); }, [&] { Table->SetRowLimit(Rows); }, PerOp);
    }

    // A move from the table reset to its first page and painted.
    double Move(Word Command, int StartRow, long long& PerOp) {
        auto reset = [&] {
            Table->SetActiveRow(StartRow);
            Table->SetTopRow(1);
            PaintAll();
        };
        return BestOf(30, reset, [&] { Table->MoveActiveCell(Command); }, PerOp);
    }
};

void Row(const char* Name, double Seconds, double Baseline, double Limit, long long Requests) {
    double ratio = Seconds / Baseline;
    std::printf("%-36s %9.3f ms  %6.2fx direct (at most %.1fx: %s)  %lld cell requests\n", Name,
                Seconds * 1e3, ratio, Limit, ratio <= Limit ? "met" : "not met", Requests);
}

int Run() {
    Application->Initialize();
    TBench b;
    b.Make();
    double direct = Bench::BestSecondsPerCall([&] { b.PaintDirectly(); });
    long long openRequests = 0, smallRequests = 0, pageRequests = 0, rowRequests = 0;
    // From an empty table (its locked row and one blank row, the fewest a table has: the
    // editor's table without pages) the scroll bar appears; from 50 rows it is there already.
    long long emptyRequests = 0;
    double openEmpty = b.Open(2, kRows, emptyRequests);
    double open = b.Open(50, kRows, openRequests);
    double openSmall = b.Open(50, 100, smallRequests);
    b.Table->SetRowLimit(kRows);
    b.PaintAll();
    TGclTableNumberArray shown;
    shown.Numbers.resize(64);
    b.Table->GetDisplayedRowNums(shown);
    int lastFull = shown.Numbers[shown.Count - 2]; // the last row shown whole
    double page = b.Move(ccNextPage, 1, pageRequests);
    double row = b.Move(ccDown, lastFull, rowRequests);
    std::printf("%-36s %9.3f ms\n", "Direct: new range, visible cells", direct * 1e3);
    Row("Open 100,000 rows from empty", openEmpty, direct, 2.0, emptyRequests);
    Row("Open 100,000 rows from 50 rows", open, direct, 2.0, openRequests);
    std::printf("%-36s %9.3f ms  the large open takes %.2fx (at most 1.2x: %s)\n",
                "Open 100 rows from 50 rows", openSmall * 1e3, open / openSmall,
                open / openSmall <= 1.2 ? "met" : "not met");
    Row("One page down with its repaint", page, direct, 1.5, pageRequests);
    Row("One row down at the bottom edge", row, direct, 0.5, rowRequests);
    std::printf("(a row holds %d cells: at most %d requests for three rows)\n", kCols, 3 * kCols);
    // What the window system alone takes to redraw the bar when its range changes, which
    // every open pays once.
    int flip = 0;
    double bar = Bench::BestSecondsPerCall([&] {
        SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, 1, 1000 + (++flip & 1), 0, 0, 0};
        SetScrollInfo(b.Table->GetHandle(), SB_VERT, &info, TRUE);
    });
    std::printf("%-36s %9.3f ms  %6.2fx direct\n", "Scroll bar redrawn by the system", bar * 1e3, bar / direct);
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
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}

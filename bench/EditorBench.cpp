// The editor with a large page file: opening (reading, pages, thumbnails and the first paint
// of the page table), New and adding one page, each against a reference measured in the
// same run on the same generated file. Needs a display (scripts/bench-editor.sh gives one).
#include "app/About_sl.h"
#include "app/PageFile.h"
#include "app/Segled.h"
#include "bench/BenchSamples.h"
#include "bench/BenchTimer.h"

#include "classlib/Dialogs.h"
#include "classlib/Forms.h"
#include "classlib/IniFiles.h"
#include "classlib/Paths.h"
#include "classlib/UnitInit.h"

#include "classlib/Platform.h"
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <exception>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

// The number of pages, unless the command line gives another.
constexpr int kDefaultPageCount = 100000;
// A list long enough for a scroll bar: adding to it shows what the list's length adds.
constexpr int kShortListPageCount = 1000;
// Single adds are quick: the median of many is the figure.
constexpr int kAddSamples = 201;

std::string WritePageFile(int Count, const char* Suffix) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string name = std::string(folder) + "vantorel-bench-" +
                             std::to_string(GetCurrentProcessId()) + Suffix + ".pge";
    std::ofstream file(name, std::ios::binary);
    file << "[Type]\r\nCommonType=0\r\n[Page]\r\n";
    for (int i = 0; i < Count; ++i)
        file << i << '=' << (i * 37 % 256) << "\r\n";
    return name;
}

using Bench::Median;
using Bench::Seconds;

// Paints whatever a change left to paint, as the message loop would next.
void PaintNow(TFM* Form) {
    RedrawWindow(static_cast<HWND>(Form->GetHandle()), nullptr, nullptr,
                 RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void PrintRatio(const char* Name, double Seconds, double Reference, const char* ReferenceName,
                double Limit) {
    const double ratio = Seconds / Reference;
    std::printf("%-34s %10.3f ms   %6.2fx %s (at most %.1fx: %s)\n", Name, Seconds * 1e3, ratio,
                ReferenceName, Limit, ratio <= Limit ? "met" : "NOT met");
}

// The median time of adding one page to the form's list and painting it; each page added is
// taken away again untimed, so the list keeps its length.
double AddOnePage(TFM* Form) {
    std::vector<double> samples;
    for (int i = 0; i < kAddSamples; ++i) {
        samples.push_back(Seconds([&] {
            Form->BTN_AddClick(nullptr);
            PaintNow(Form);
        }));
        Form->TBL_Leds->SetActiveRow(Form->GetPages().GetCount());
        Form->BTN_DeletePageClick(nullptr);
        PaintNow(Form);
    }
    return Median(samples);
}

// The process's resident memory.
double ResidentBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return double(counters.WorkingSetSize);
}

DWORD GdiObjects() {
    return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
}

void Progress(const char* Step) {
    std::fprintf(stderr, "%s\n", Step);
}

int RunBenchmark(int PageCount) {
    using namespace Bench;
    const std::string file = WritePageFile(PageCount, "");
    const std::string shortFile = WritePageFile(kShortListPageCount, "-short");
    const std::string saved = file + ".saved.pge";
    const std::string* opened = &file;
    SetFileDialogHook([&](OPENFILENAMEA& Params, bool Save) {
        const std::string& name = Save ? saved : *opened;
        const std::size_t length = std::min<std::size_t>(name.size(), Params.nMaxFile - 1);
        name.copy(Params.lpstrFile, length);
        Params.lpstrFile[length] = '\0';
        return true;
    });
    // Adding marks the list modified: Open and New then ask, and go on.
    SetMessageDlgHook([](const AnsiString&, TMsgDlgType, TMsgDlgButtons, int) {
        return static_cast<int>(mrYes);
    });
    Application->Initialize();
    FAbout = CreateFromResource<TFAbout>(nullptr);
    TFM* form = CreateFromResource<TFM>(nullptr);
    form->Show();
    Bench::PumpMessages();

    std::printf("%d pages; best of %d runs (adding: median of %d)\n", PageCount, RUN_COUNT,
                kAddSamples);
    std::fflush(stdout);
    Progress("adding to the empty list");
    const double addToEmpty = AddOnePage(form);
    Progress("adding to a short list");
    opened = &shortFile;
    form->Open2Click(nullptr);
    PaintNow(form);
    const double addToShort = AddOnePage(form);
    opened = &file;
    // What the open file costs beyond the short one: the first open of it, before any other
    // work has left freed memory in the heap.
    Progress("memory");
    const double shortBytes = ResidentBytes();
    const DWORD shortGdi = GdiObjects();
    const double firstOpen = Seconds([&] {
        form->Open2Click(nullptr);
        PaintNow(form);
    });
    // Measured against the short list, so only for a file longer than it.
    const int extraPages = PageCount - kShortListPageCount;
    const double bytesPerPage = extraPages > 0 ? (ResidentBytes() - shortBytes) / extraPages : 0;
    const long gdiGrowth = long(GdiObjects()) - long(shortGdi);
    Progress("parsing");
    const double parse = BestSecondsPerCall([&] { TMemIniFile ini(file.c_str()); });
    const double read = BestSecondsPerCall([&] { ReadPageFile(file.c_str()); });
    Progress("opening");
    const double open = BestSecondsPerCall([&] {
        form->Open2Click(nullptr);
        PaintNow(form);
    });
    Progress("adding to the open file");
    const double addToLarge = AddOnePage(form);
    Progress("New");
    double fresh = 1e30;
    for (int run = 0; run < RUN_COUNT; ++run) {
        form->Open2Click(nullptr);
        PaintNow(form);
        fresh = std::min(fresh, Seconds([&] {
            form->New2Click(nullptr);
            PaintNow(form);
        }));
    }
    Progress("saving");
    form->Open2Click(nullptr);
    form->BTN_AddClick(nullptr);
    const double save = Seconds([&] { form->S1Click(nullptr); });
    const std::size_t savedPages = ReadPageFile(saved.c_str()).Pages.size();

    std::printf("%-34s %10.3f ms\n", "TMemIniFile parse (reference)", parse * 1e3);
    std::printf("%-34s %10.3f ms   %6.2fx parse\n", "Reading the page file alone", read * 1e3,
                read / parse);
    std::printf("%-34s %10.3f ms   %6.2fx parse\n", "Open after 1,000 pages, once", firstOpen * 1e3,
                firstOpen / parse);
    PrintRatio("Open, with the first paint", open, parse, "parse", 3.0);
    PrintRatio("New on the open file", fresh, parse, "parse", 0.5);
    std::printf("%-34s %10.3f ms\n", "Add a page to an empty list", addToEmpty * 1e3);
    PrintRatio("Add a page to the open file", addToLarge, addToEmpty, "empty", 2.0);
    std::printf("%-34s %10.3f ms   the open file takes %.2fx\n", "Add a page to 1,000 pages",
                addToShort * 1e3, addToLarge / addToShort);
    std::printf("%-34s %10.3f ms   (%zu pages read back)\n", "Save of the edited file, once",
                save * 1e3, savedPages);
    if (extraPages > 0)
        std::printf("%-34s %10.0f bytes per page (%.1f MB for the whole list), %ld GDI objects more\n",
                    "Memory of the open file", bytesPerPage, bytesPerPage * PageCount / 1048576.0,
                    gdiGrowth);

    delete form;
    delete FAbout;
    FAbout = nullptr;
    SetFileDialogHook(nullptr);
    SetMessageDlgHook(nullptr);
    DeleteFileA(file.c_str());
    DeleteFileA(shortFile.c_str());
    DeleteFileA(saved.c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        InitializeUnits();
        const int pages = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultPageCount;
        const int result = RunBenchmark(pages);
        FinalizeUnits();
        return result;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Benchmark failed: %s\n", e.what());
        return 1;
    }
}

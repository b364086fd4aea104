// The editor with a large page file: opening into an empty list (reading, pages, thumbnails
// and the first paint of the page table), New and adding one page, each against a reference
// measured in the same run on the same generated file. The editor is built as the program
// builds it (main form, data module with its skin, about box), and its skinned file dialog
// and message box are answered as a user would answer them. Needs a display
// (scripts/bench-editor.sh gives one).
#include "app/About_sl.h"
#include "app/Dm.h"
#include "app/PageFile.h"
#include "app/PageList.h"
#include "app/Segled.h"
#include "bench/BenchSamples.h"
#include "bench/BenchTimer.h"
#include "skin/boxctrls/skSkinShellCtrls_Dialogs.h"
#include "skin/form/skMessages.h"

#include "classlib/Forms.h"
#include "classlib/GdiCounter.h"
#include "classlib/IniFiles.h"
#include "classlib/Paths.h"
#include "classlib/UnitInit.h"

#include "classlib/Platform.h"
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
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

// The page byte of page I in the generated files.
int PageByte(int I) {
    return I * 37 % 256;
}

std::string WritePageFile(int Count, const char* Suffix) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string name = std::string(folder) + "vantorel-bench-" +
                             std::to_string(GetCurrentProcessId()) + Suffix + ".pge";
    std::ofstream file(name, std::ios::binary);
    file << "[Type]\r\nCommonType=0\r\n[Page]\r\n";
    for (int i = 0; i < Count; ++i)
        file << i << '=' << PageByte(i) << "\r\n";
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
                ReferenceName, Limit, ratio <= Limit ? "met" : "not met");
}

double Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Answers every skinned file dialog of the editor once it shows: the open dialog with the
// name *Opened, the save dialog with Saved. AcceptedAt is when the last one was answered,
// where an open's own work starts.
struct TFileDialogAnswers {
    const std::string* Opened = nullptr;
    std::string Saved;
    double AcceptedAt = 0;

    void Install(TFM* Form) {
        Application->OnIdle = TIdleEvent::FromCallable([this, Form](TObject*, bool& Done) {
            TskSkinOpenDialog* dialog = Form->DLG_Open->Dlg ? Form->DLG_Open : Form->DLG_Save;
            TskOpenDlgForm* shown = dialog->Dlg;
            if (!shown || !shown->GetVisible() || shown->GetModalResult() != mrNone) return;
            shown->FileName = dialog->SaveMode ? Saved : *Opened;
            AcceptedAt = Now();
            shown->SetModalResult(mrOk);
            // The modal loop looks at the result only after a message: it must not wait.
            Done = false;
        });
    }
};

// Whether the editor holds exactly the Count pages of the generated file, by count and by
// a checksum of every page.
bool HoldsGeneratedPages(TFM* Form, int Count) {
    const TPageList& pages = Form->GetPages();
    if (pages.GetCount() != Count) {
        std::printf("The editor holds %d pages instead of %d: no figure is valid\n",
                    pages.GetCount(), Count);
        return false;
    }
    unsigned long long held = 0, written = 0;
    for (int i = 0; i < Count; ++i) {
        held = held * 31 + pages.Get(i);
        written = written * 31 + static_cast<unsigned>(PageByte(i));
    }
    if (held != written)
        std::printf("The editor's pages differ from the file's (checksum %llX, not %llX): no "
                    "figure is valid\n",
                    held, written);
    return held == written;
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

// The process's live GDI objects. Wine answers GetGuiResources with 0; its handle table
// then answers instead: an index without the generation bits names whatever object lives
// there, so every slot that holds an object has a type.
long GdiObjects() {
    if (DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return long(counted);
    long live = 0;
    for (std::uintptr_t slot = 1; slot < 0x10000; ++slot)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0) ++live;
    return live;
}

void Progress(const char* Step) {
    std::fprintf(stderr, "%s\n", Step);
}

// Opens the file that the dialog answers give into an empty list and paints: the seconds
// from the dialog's answer to the painted window.
double OpenIntoEmptyList(TFM* Form, TFileDialogAnswers& Answers) {
    Form->New2Click(nullptr);
    PaintNow(Form);
    Form->Open2Click(nullptr);
    PaintNow(Form);
    return Now() - Answers.AcceptedAt;
}

int RunBenchmark(int PageCount) {
    using namespace Bench;
    const std::string file = WritePageFile(PageCount, "");
    const std::string shortFile = WritePageFile(kShortListPageCount, "-short");
    TFileDialogAnswers answers;
    answers.Saved = file + ".saved.pge";
    answers.Opened = &file;
    // Adding marks the list modified: Open and New then ask, and are answered Yes.
    SetMessageFormHook([](TskMessageForm* Box) {
        PostMessageA(static_cast<HWND>(Box->GetHandle()), WM_KEYDOWN, 'Y', 1);
    });
    // As the program builds its forms.
    Application->Initialize();
    Application->CreateForm(FM);
    Application->CreateForm(DMM);
    Application->CreateForm(FAbout);
    TFM* form = FM;
    answers.Install(form);
    form->Show();
    Bench::PumpMessages();

    std::printf("%d pages; best of %d runs (adding: median of %d)\n", PageCount, RUN_COUNT,
                kAddSamples);
    std::fflush(stdout);
    Progress("adding to the empty list");
    const double addToEmpty = AddOnePage(form);
    Progress("adding to a short list");
    answers.Opened = &shortFile;
    OpenIntoEmptyList(form, answers);
    if (!HoldsGeneratedPages(form, kShortListPageCount)) return 1;
    const double addToShort = AddOnePage(form);
    answers.Opened = &file;
    // What the open file costs beyond the short one: the first open of it, before any other
    // work has left freed memory in the heap.
    Progress("memory");
    const double shortBytes = ResidentBytes();
    const long shortGdi = GdiObjects();
    const long shortTracked = GdiObjectCount();
    const double firstOpen = [&] {
        form->Open2Click(nullptr);
        PaintNow(form);
        return Now() - answers.AcceptedAt;
    }();
    if (!HoldsGeneratedPages(form, PageCount)) return 1;
    // Measured against the short list, so only for a file longer than it.
    const int extraPages = PageCount - kShortListPageCount;
    const double bytesPerPage = extraPages > 0 ? (ResidentBytes() - shortBytes) / extraPages : 0;
    const long gdiGrowth = GdiObjects() - shortGdi;
    const long trackedGrowth = GdiObjectCount() - shortTracked;
    Progress("parsing");
    const double parse = BestSecondsPerCall([&] { TMemIniFile ini(file.c_str()); });
    const double read = BestSecondsPerCall([&] { ReadPageFile(file.c_str()); });
    Progress("opening");
    double open = 1e30;
    for (int run = 0; run < RUN_COUNT; ++run) {
        open = std::min(open, OpenIntoEmptyList(form, answers));
        if (!HoldsGeneratedPages(form, PageCount)) return 1;
    }
    Progress("adding to the open file");
    const double addToLarge = AddOnePage(form);
    Progress("New");
    double fresh = 1e30;
    for (int run = 0; run < RUN_COUNT; ++run) {
        OpenIntoEmptyList(form, answers);
        fresh = std::min(fresh, Seconds([&] {
            form->New2Click(nullptr);
            PaintNow(form);
        }));
        if (form->GetPages().GetCount() != 0) {
            std::printf("New left %d pages: no figure is valid\n", form->GetPages().GetCount());
            return 1;
        }
    }
    Progress("saving");
    OpenIntoEmptyList(form, answers);
    form->BTN_AddClick(nullptr);
    const double save = Seconds([&] { form->S1Click(nullptr); });
    const std::size_t savedPages = ReadPageFile(answers.Saved.c_str()).Pages.size();

    std::printf("%-34s %10.3f ms\n", "TMemIniFile parse (reference)", parse * 1e3);
    std::printf("%-34s %10.3f ms   %6.2fx parse\n", "Reading the page file alone", read * 1e3,
                read / parse);
    std::printf("%-34s %10.3f ms   %6.2fx parse\n", "Open after 1,000 pages, once", firstOpen * 1e3,
                firstOpen / parse);
    PrintRatio("Open into an empty list, painted", open, parse, "parse", 3.0);
    PrintRatio("New on the open file", fresh, parse, "parse", 0.5);
    std::printf("%-34s %10.3f ms\n", "Add a page to an empty list", addToEmpty * 1e3);
    PrintRatio("Add a page to the open file", addToLarge, addToEmpty, "empty", 2.0);
    std::printf("%-34s %10.3f ms   the open file takes %.2fx\n", "Add a page to 1,000 pages",
                addToShort * 1e3, addToLarge / addToShort);
    std::printf("%-34s %10.3f ms   (%zu pages read back, %d written: %s)\n",
                "Save of the edited file, once", save * 1e3, savedPages, PageCount + 1,
                savedPages == std::size_t(PageCount) + 1 ? "met" : "not met");
    if (extraPages > 0)
        std::printf("%-34s %10.0f bytes per page (%.1f MB for the whole list)\n"
                    "%-34s %10ld GDI objects more, %ld of them made by the class library (%ld "
                    "live before)\n",
                    "Memory of the open file", bytesPerPage, bytesPerPage * PageCount / 1048576.0,
                    "", gdiGrowth, trackedGrowth, shortGdi);

    Application->OnIdle = nullptr;
    SetMessageFormHook(nullptr);
    DeleteFileA(file.c_str());
    DeleteFileA(shortFile.c_str());
    DeleteFileA(answers.Saved.c_str());
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

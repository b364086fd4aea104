// The editor with a large page file: opening into an empty list (reading, pages, thumbnails
// and the first paint of the page table), New and adding one page, each against a reference
// measured in the same run on the same generated file. The editor is built as the program
// builds it (main form, data module with its skin, about box), and its skinned file dialog
// and message box are answered as a user would answer them. Needs a display
// (scripts/bench-editor.sh gives one).
//
// An open is timed from the moment the file dialog's window is gone to the list and the
// page view painted, with the messages the open posted handled; each timed open happens in
// a main form made for it, whose thumbnail cache is empty, as in a program just started.
// Program and reference are sampled alike: the same number of single runs, taken in turn,
// and the median of each. Beside New stands its platform part, sampled in turn with it: the
// same changes to bare windows, the least any program pays for them here.
#include "app/About_sl.h"
#include "app/Dm.h"
#include "app/PageFile.h"
#include "app/PageList.h"
#include "app/PageThumbnails.h"
#include "app/Segled.h"
#include "bench/BenchRatio.h"
#include "bench/BenchSamples.h"
#include "bench/NewFloor.h"
#include "skin/boxctrls/skSkinShellCtrls_Dialogs.h"
#include "skin/form/skMessages.h"

#include "classlib/Forms.h"
#include "classlib/GdiCounter.h"
#include "classlib/IniFiles.h"
#include "classlib/UnitInit.h"

#include "classlib/Platform.h"
#include <psapi.h>

#include <algorithm>
#include <bitset>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// The number of pages, unless the command line gives another: the most a page list keeps.
constexpr int kDefaultPageCount = kMostPages;
// A list long enough for a scroll bar: adding to it shows what the list's length adds.
constexpr int kShortListPageCount = 1000;
// Single adds are quick: the median of many is the figure.
constexpr int kAddSamples = 201;
// Opens, New and their reference, each: every open needs a main form of its own.
constexpr int kSamples = 9;

// The page byte of page I in the generated files.
int PageByte(int I) {
    return I * 37 % 256;
}

// The number of different pages among the first Count of a generated file: the thumbnails an
// open of it draws into an empty cache.
int PatternCount(int Count) {
    std::bitset<256> seen;
    for (int i = 0; i < Count && !seen.all(); ++i)
        seen.set(std::size_t(PageByte(i)));
    return int(seen.count());
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

// Paints whatever a change left to paint, as the message loop would next, and handles what
// the change posted.
void PaintNow(TFM* Form) {
    RedrawWindow(static_cast<HWND>(Form->GetHandle()), nullptr, nullptr,
                 RDW_UPDATENOW | RDW_ALLCHILDREN);
    Bench::PumpMessages();
}

double Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The moment a window is gone: a hook of this thread sees the last message the window gets,
// and unhooks itself then, so that it costs nothing afterwards.
class TWindowEndWatch {
public:
    ~TWindowEndWatch() { Stop(); }

    void Watch(HWND Window) {
        Stop();
        FWindow = Window;
        FEndedAt = 0;
        Current = this;
        FHook = SetWindowsHookExA(WH_CALLWNDPROCRET, HookProc, nullptr, GetCurrentThreadId());
        if (!FHook) throw std::runtime_error("Cannot watch the file dialog's window");
    }
    void Forget() {
        Stop();
        FEndedAt = 0;
    }
    // When the watched window got its last message; 0 while it has not.
    double EndedAt() const { return FEndedAt; }

private:
    void Stop() {
        if (FHook) UnhookWindowsHookEx(FHook);
        FHook = nullptr;
        if (Current == this) Current = nullptr;
    }
    static LRESULT CALLBACK HookProc(int Code, WPARAM WParam, LPARAM LParam) {
        const auto* sent = reinterpret_cast<const CWPRETSTRUCT*>(LParam);
        TWindowEndWatch* watch = Current;
        HHOOK hook = watch ? watch->FHook : nullptr;
        if (Code == HC_ACTION && watch && sent->hwnd == watch->FWindow &&
            sent->message == WM_NCDESTROY) {
            watch->FEndedAt = Now();
            watch->Stop();
        }
        return CallNextHookEx(hook, Code, WParam, LParam);
    }

    static inline TWindowEndWatch* Current = nullptr;
    HWND FWindow = nullptr;
    HHOOK FHook = nullptr;
    double FEndedAt = 0;
};

// Answers every skinned file dialog of the editor Form once it shows: the open dialog with
// the name *Opened, the save dialog with Saved. ClosedAt() is when the last dialog answered
// was gone, where an open's own work starts.
struct TFileDialogAnswers {
    TFM* Form = nullptr;
    const std::string* Opened = nullptr;
    std::string Saved;

    void Install() {
        Application->OnIdle = TIdleEvent::FromCallable([this](TObject*, bool& Done) {
            TskSkinOpenDialog* dialog = Form->DLG_Open->Dlg ? Form->DLG_Open : Form->DLG_Save;
            TskOpenDlgForm* shown = dialog->Dlg;
            if (!shown || !shown->GetVisible() || shown->GetModalResult() != mrNone) return;
            shown->FileName = dialog->SaveMode ? Saved : *Opened;
            FClose.Watch(shown->GetHandle());
            shown->SetModalResult(mrOk);
            // The modal loop looks at the result only after a message: it must not wait.
            Done = false;
        });
    }
    // Forgets the last dialog's close: the next open must close one of its own.
    void ForgetClose() { FClose.Forget(); }
    double ClosedAt() const {
        if (FClose.EndedAt() == 0) throw std::runtime_error("The file dialog did not close");
        return FClose.EndedAt();
    }

private:
    TWindowEndWatch FClose;
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

// A full list loses its last page, untimed: adding is measured on a list that has room for the
// page, one page shorter than the file of the most pages the editor keeps.
void MakeRoomForOnePage(TFM* Form) {
    const int count = Form->GetPages().GetCount();
    if (count < kMostPages) return;
    Form->TBL_Leds->SetActiveRow(count);
    Form->BTN_DeletePageClick(nullptr);
    PaintNow(Form);
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

// Opens the file that the dialog answers give and paints: the seconds from the dialog's
// close to the painted window.
double OpenAndPaint(TFM* Form, TFileDialogAnswers& Answers) {
    Answers.ForgetClose();
    Form->Open2Click(nullptr);
    PaintNow(Form);
    return Now() - Answers.ClosedAt();
}

// Empties the form's list, then opens the answers' file into it.
double OpenIntoEmptyList(TFM* Form, TFileDialogAnswers& Answers) {
    Form->New2Click(nullptr);
    PaintNow(Form);
    return OpenAndPaint(Form, Answers);
}

// One timed open of the file into a main form made for it, as a program just started has
// it: nothing in its list and no thumbnail drawn yet. Checks the pages it holds and that the
// open drew the thumbnail of every pattern of the file.
double OpenIntoNewEditor(TFileDialogAnswers& Answers, int PageCount) {
    TFM* main = Answers.Form;
    TFM* editor = CreateFromResource<TFM>(nullptr);
    editor->Show();
    Bench::PumpMessages();
    Answers.Form = editor;
    int drawn = 0;
    SetThumbnailHook([&](Byte) { ++drawn; });
    const double seconds = OpenAndPaint(editor, Answers);
    SetThumbnailHook(nullptr);
    Answers.Form = main;
    const bool holds = HoldsGeneratedPages(editor, PageCount);
    delete editor;
    Bench::PumpMessages();
    if (!holds) throw std::runtime_error("An open into a new main form went wrong");
    if (drawn != PatternCount(PageCount))
        throw std::runtime_error("An open into a new main form drew " + std::to_string(drawn) +
                                 " thumbnails, not one for each of the file's " +
                                 std::to_string(PatternCount(PageCount)) + " patterns");
    return seconds;
}

// Where the windows that New changes lie in Form's client area.
Bench::TNewWindows NewWindowsOf(TFM* Form) {
    const auto rectIn = [](TWinControl* Control, TWinControl* Parent) {
        RECT r;
        GetWindowRect(static_cast<HWND>(Control->GetHandle()), &r);
        MapWindowPoints(nullptr, static_cast<HWND>(Parent->GetHandle()),
                        reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    const TRect caption = Form->SGB_Pages->CaptionTextRect();
    return {rectIn(Form->SGB_Pages, Form),
            {caption.Left, caption.Top, caption.Right, caption.Bottom},
            rectIn(Form->TBL_Leds, Form->SGB_Pages),
            rectIn(Form->BTN_Replace, Form),
            rectIn(Form->BTN_Animate, Form)};
}

SIZE ClientSizeOf(TFM* Form) {
    RECT r;
    GetClientRect(static_cast<HWND>(Form->GetHandle()), &r);
    return {r.right, r.bottom};
}

void PrintTime(const char* Name, double Seconds) {
    std::printf("%-38s %10.3f ms\n", Name, Seconds * 1e3);
}

// A figure against its reference, printed and recorded.
void PrintRatio(const char* Name, double Seconds, double Reference, const char* ReferenceName,
                const Bench::TTarget& Target = {}) {
    const double ratio = Seconds / Reference;
    std::printf("%-38s %10.3f ms   %6.2fx %s%s\n", Name, Seconds * 1e3, ratio, ReferenceName,
                Bench::VerdictText(ratio, Target).c_str());
    Bench::RecordRatio(std::string(Name) + " / " + ReferenceName, ratio, Target);
}

int RunBenchmark(int PageCount) {
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
    answers.Form = form;
    answers.Install();
    form->Show();
    Bench::PumpMessages();

    std::printf("%d pages; opens, New and parsing: median of %d single runs each, taken in "
                "turn; adding: median of %d\n",
                PageCount, kSamples, kAddSamples);
    if (PageCount == kMostPages)
        std::printf("The list is full once the file is open: adding to it and the edit before "
                    "the save take its last page away first, untimed\n");
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
    const double firstOpen = OpenAndPaint(form, answers);
    if (!HoldsGeneratedPages(form, PageCount)) return 1;
    // Measured against the short list, so only for a file longer than it.
    const int extraPages = PageCount - kShortListPageCount;
    const double bytesPerPage = extraPages > 0 ? (ResidentBytes() - shortBytes) / extraPages : 0;
    const long gdiGrowth = GdiObjects() - shortGdi;
    const long trackedGrowth = GdiObjectCount() - shortTracked;

    Progress("opening and parsing");
    std::vector<double> parses, reads, opens;
    // The long-lived main form stays out of the way of the new ones.
    form->Hide();
    for (int sample = 0; sample < kSamples; ++sample) {
        parses.push_back(Seconds([&] { TMemIniFile ini(file.c_str()); }));
        reads.push_back(Seconds([&] { ReadPageFile(file.c_str()); }));
        opens.push_back(OpenIntoNewEditor(answers, PageCount));
    }
    form->Show();
    Bench::PumpMessages();
    const double parse = Median(parses);
    Progress("adding to the open file");
    MakeRoomForOnePage(form);
    const double addToLarge = AddOnePage(form);
    Progress("New");
    std::vector<double> news, newFloors;
    Bench::TNewFloor newFloor(NewWindowsOf(form), ClientSizeOf(form));
    for (int sample = 0; sample < kSamples; ++sample) {
        OpenIntoEmptyList(form, answers);
        news.push_back(Seconds([&] {
            form->New2Click(nullptr);
            PaintNow(form);
        }));
        if (form->GetPages().GetCount() != 0) {
            std::printf("New left %d pages: no figure is valid\n", form->GetPages().GetCount());
            return 1;
        }
        newFloor.Reset();
        newFloors.push_back(Seconds([&] { newFloor.New(); }));
    }
    Progress("saving");
    OpenIntoEmptyList(form, answers);
    MakeRoomForOnePage(form);
    form->BTN_AddClick(nullptr);
    const int editedPages = std::min(PageCount, kMostPages - 1) + 1;
    const double save = Seconds([&] { form->S1Click(nullptr); });
    const std::size_t savedPages = ReadPageFile(answers.Saved.c_str()).Pages.size();
    if (savedPages != std::size_t(editedPages)) {
        std::printf("The saved file holds %zu pages, not %d: no figure is valid\n", savedPages,
                    editedPages);
        return 1;
    }

    PrintTime("TMemIniFile parse (reference)", parse);
    PrintRatio("Reading the page file alone", Median(reads), parse, "parse");
    PrintRatio("Open after 1,000 pages, once", firstOpen, parse, "parse");
    PrintRatio("Open into a new main form, painted", Median(opens), parse, "parse",
               Bench::AtMost(3.0));
    PrintRatio("New on the open file", Median(news), parse, "parse", Bench::AtMost(0.5));
    PrintRatio("New's platform part (bare windows)", Median(newFloors), parse, "parse");
    PrintTime("Add a page to an empty list", addToEmpty);
    PrintRatio("Add a page to the open file", addToLarge, addToEmpty, "empty list",
               Bench::AtMost(2.0));
    PrintTime("Add a page to 1,000 pages", addToShort);
    const double againstShort = addToLarge / addToShort;
    std::printf("%-38s %10s      the open file takes %.2fx\n", "", "", againstShort);
    Bench::RecordRatio("Add a page to the open file / to 1,000 pages", againstShort);
    std::printf("%-38s %10.3f ms   (%zu pages read back, %d written)\n",
                "Save of the edited file, once", save * 1e3, savedPages, editedPages);
    if (extraPages > 0)
        std::printf("%-38s %10.0f bytes per page (%.1f MB for the whole list)\n"
                    "%-38s %10ld GDI objects more, %ld of them made by the class library (%ld "
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
        const int pages = argc > 1 ? std::clamp(std::atoi(argv[1]), 1, kMostPages) : kDefaultPageCount;
        const int result = RunBenchmark(pages);
        FinalizeUnits();
        return result;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Benchmark failed: %s\n", e.what());
        return 1;
    }
}

// Cold start of a window program: the time from creating its process to the moment its
// first top-level window is shown and painted. Each program
// is started several times, alternating, and the median of each is kept; the ratio compares
// the editor with a bare Win32 window program started the same way.
//
// "Painted" means the window and its visible children hold no update region any more, which
// the harness can ask of another process's windows.
//
// Where the editor's start goes (ms, measured inside the process from its creation time on a
// quiet machine; the harness adds about 50 ms to both programs):
//   Wine maps the exe and its DLLs and attaches them; the common controls'
//   attach brings up the X11 driver and the theme engine            50-75  (bare: 25 to WinMain,
//                                                                           then ~10 for the same)
//   unit start-up: the bitmap library's theme handles 8, forms 2.5  11-20
//   main form: reading its resource 4-10, its window handles 14     18-24
//   data module: form text 3, skin pictures and records 3, fixing
//   the skin into the main form's components 5                     11
//   about box                                                       3-9
//   FormShow: table colours 6-10 (nine setters, each a table update),
//   size constraints 3, six aligns 6, LED view 7, captions 3         25-35
//   showing and activating: the skinned frame is composed 4-5 times 20-25
//   first paint: every skinned control composes a fresh bitmap      15-20
// The frame of a hidden window is not composed (it was, four times, while the skin was
// fixed in), the stored skin's hexadecimal text decodes without library calls (10 ms
// before), and the common dialogs and the shell load on their first call (DelayLoad): the
// dialogs bring the printing DLLs, 10-20 ms of a start. A stripped or page-aligned
// executable starts no faster: Wine reads the image in a few ms.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int RUNS_PER_PROGRAM = 7;
constexpr DWORD START_TIMEOUT_MS = 60000;

struct TStartResult {
    bool Ok = false;
    double Milliseconds = 0;
};

struct TWindowSearch {
    DWORD ProcessId;
    HWND Found;
};

BOOL CALLBACK FindShownWindow(HWND Window, LPARAM Param) {
    auto* Search = reinterpret_cast<TWindowSearch*>(Param);
    DWORD ProcessId = 0;
    GetWindowThreadProcessId(Window, &ProcessId);
    if (ProcessId == Search->ProcessId && IsWindowVisible(Window)) {
        Search->Found = Window;
        return FALSE;
    }
    return TRUE;
}

double SecondsNow() {
    LARGE_INTEGER Frequency, Counter;
    QueryPerformanceFrequency(&Frequency);
    QueryPerformanceCounter(&Counter);
    return double(Counter.QuadPart) / double(Frequency.QuadPart);
}

BOOL CALLBACK FindPendingPaint(HWND Window, LPARAM Param) {
    if (IsWindowVisible(Window) && GetUpdateRect(Window, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(Param) = true;
        return FALSE;
    }
    return TRUE;
}

// True once Window and every visible child have nothing left to paint.
bool IsPainted(HWND Window) {
    if (GetUpdateRect(Window, nullptr, FALSE)) return false;
    bool Pending = false;
    EnumChildWindows(Window, FindPendingPaint, reinterpret_cast<LPARAM>(&Pending));
    return !Pending;
}

// Starts Program, waits until its first top-level window is shown with nothing left to
// paint, and ends it.
TStartResult TimeStart(const std::string& Program) {
    STARTUPINFOA Startup{};
    Startup.cb = sizeof(Startup);
    PROCESS_INFORMATION Process{};
    std::string CommandLine = "\"" + Program + "\"";
    double Start = SecondsNow();
    if (!CreateProcessA(nullptr, CommandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &Startup, &Process))
        return {};
    TStartResult Result;
    while (SecondsNow() - Start < START_TIMEOUT_MS / 1000.0) {
        TWindowSearch Search{Process.dwProcessId, nullptr};
        EnumWindows(FindShownWindow, reinterpret_cast<LPARAM>(&Search));
        if (Search.Found && IsPainted(Search.Found)) {
            Result = {true, (SecondsNow() - Start) * 1000.0};
            break;
        }
        if (WaitForSingleObject(Process.hProcess, 0) == WAIT_OBJECT_0) break;
        Sleep(0);
    }
    TerminateProcess(Process.hProcess, 0);
    WaitForSingleObject(Process.hProcess, START_TIMEOUT_MS);
    CloseHandle(Process.hThread);
    CloseHandle(Process.hProcess);
    return Result;
}

double Median(std::vector<double> Values) {
    std::sort(Values.begin(), Values.end());
    return Values[Values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: vantorel_startup_bench <program> <bare window program>\n");
        return 2;
    }
    const std::string Program = argv[1], Bare = argv[2];
    // One unmeasured start of each fills the file cache and Wine's own caches, so both
    // programs are measured alike.
    TimeStart(Program);
    TimeStart(Bare);
    std::vector<double> ProgramTimes, BareTimes;
    for (int Run = 0; Run < RUNS_PER_PROGRAM; ++Run) {
        TStartResult P = TimeStart(Program), B = TimeStart(Bare);
        if (!P.Ok || !B.Ok) {
            std::fprintf(stderr, "a program did not show a painted window within %lu ms\n",
                         static_cast<unsigned long>(START_TIMEOUT_MS));
            return 1;
        }
        ProgramTimes.push_back(P.Milliseconds);
        BareTimes.push_back(B.Milliseconds);
    }
    double P = Median(ProgramTimes), B = Median(BareTimes);
    std::printf("start to first painted window (median of %d): program %.1f ms, bare window "
                "%.1f ms, ratio %.2fx\n", RUNS_PER_PROGRAM, P, B, P / B);
    return 0;
}

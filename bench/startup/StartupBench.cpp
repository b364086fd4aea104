// Cold start of a window program: the time from creating its process to the moment its
// first top-level window is shown and painted. Each program is started several times,
// alternating, and the median of each is kept; the ratio compares the editor with a bare
// Win32 window program started the same way (on the development machine: about 190 ms
// against 100 ms, 1.8x).
//
// "Painted" means the window and its visible children hold no update region any more, which
// the harness can ask of another process's windows. While a program starts, the harness asks
// one cheap question a millisecond (is its main window there, found by class and caption), so
// that it takes little from the wineserver that both share; only once the window shows does
// it look at the children's update regions. Each program starts in its own folder.
//
// Where the editor's start goes (ms from its process's creation, medians and ranges of eight
// starts on a loaded machine; the harness adds 30-50 ms to both programs):
//   Wine maps the exe and its DLLs (kernel32, user32, gdi32, msimg32,
//   zlib1) up to our first code                                     46-54  (bare: 30-50)
//   the first use of the display (the application's icon brings up
//   Wine's X11 driver): the same cost any program pays once         28-35  (bare: ~30, at its
//                                                                           first window)
//   main form: reading its resource 9-15; its windows 38-64 (measured
//   with a system combo box, ~12, since replaced by the skinned one):
//   the form's own ~12, nine skinned buttons ~1.2 each, table 5,
//   image 2                                                         50-75
//   data module: the skin is fixed in; the frame change and the
//   width nudge lay out the hidden form three times                 14-18
//   about box                                                       3-4
//   FormShow: LED view and pages ~8, aligns (one layout) ~4,
//   size limits (one layout) ~4, table colours (one update) 0.6     14-22
//   showing, activating and the first paint: frame 4 ms the first
//   time, 0.5 after; focus change ~7; child windows painted ~13     25-40
// Deferred until first needed: the common controls (comctl32's attach alone cost ~35 ms
// before WinMain), the common dialogs, the shell, ole32 and mpr (DelayLoad), the theme
// handles of the bitmap library, and the hidden window of every timer (the skinned frame,
// menu bar and menus make several that do not run at start-up). The frame of a hidden
// window is not composed, and the stored skin's hexadecimal text decodes without library calls. What is
// left is mostly window creation and the first paint of some twenty child windows (about
// 1 ms each under Wine) and the display's start-up that every program pays. A stripped or
// page-aligned executable starts no faster: Wine reads the image in a few ms.
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

// A program and how its main window is known.
struct TProgram {
    std::string Path;
    const char* WindowClass;
    const char* Caption;
};

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

// The folder of a full program name, with its final separator.
std::string FolderOf(const std::string& Path) {
    const std::size_t slash = Path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : Path.substr(0, slash + 1);
}

// Starts Program in its own folder, waits until its main window is shown with nothing left to
// paint, and ends it.
TStartResult TimeStart(const TProgram& Program) {
    STARTUPINFOA Startup{};
    Startup.cb = sizeof(Startup);
    PROCESS_INFORMATION Process{};
    std::string CommandLine = "\"" + Program.Path + "\"";
    const std::string Folder = FolderOf(Program.Path);
    double Start = SecondsNow();
    if (!CreateProcessA(nullptr, CommandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        Folder.empty() ? nullptr : Folder.c_str(), &Startup, &Process))
        return {};
    TStartResult Result;
    HWND Window = nullptr;
    while (SecondsNow() - Start < START_TIMEOUT_MS / 1000.0) {
        if (!Window) {
            HWND Found = FindWindowA(Program.WindowClass, Program.Caption);
            DWORD Owner = 0;
            if (Found) GetWindowThreadProcessId(Found, &Owner);
            if (Owner == Process.dwProcessId) Window = Found;
        }
        if (Window && IsWindowVisible(Window) && IsPainted(Window)) {
            Result = {true, (SecondsNow() - Start) * 1000.0};
            break;
        }
        if (WaitForSingleObject(Process.hProcess, 1) == WAIT_OBJECT_0) break;
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
    const TProgram Program{argv[1], "TFM", "Vantorel"};
    const TProgram Bare{argv[2], "BareWindow", "Bare window"};
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

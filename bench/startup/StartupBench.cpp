// Cold start of a window program: the time from creating its process to the moment its
// first top-level window is shown and painted. Each program is started several times,
// alternating, and the median of each is kept; the ratio compares the editor with a bare
// Win32 window program started the same way (on the development machine, quiet: about
// 125-155 ms against 93-115 ms, 1.22-1.42x). The first start of each program is reported as well (the editor
// starts first, so it also pays whatever Wine does once for any program).
//
// "Painted" means that the window and its visible children hold no update region any more,
// which the harness can ask of another process's windows, and that the screen shows the whole
// window, frame and client, as it then stays: a frame or a client area painted after the last
// update region went away, or not yet on the screen, still counts as unpainted. While a
// program starts, the harness asks one cheap question a millisecond (is its main window there,
// found by class and caption), so that it takes little from the wineserver that both share;
// only once the window shows does it look at the children's update regions, and once those
// are gone it reads the window from the screen until the picture has not changed for a while.
// The moment it was first read as it stays is the painted moment. Each program starts in its
// own folder.
//
// Where the editor's start goes (ms from its process's creation, timers inside the program on a
// loaded machine; the harness adds 30-50 ms to both programs):
//   Wine maps the exe and its DLLs up to our first code (the exe's
//   sections lie on page boundaries in its file, so that Wine maps
//   them as they are used: read whole, they cost 4-6 ms more)         ~40  (bare: ~35)
//   class-library start-up with the first use of the display (the
//   application's icon brings up Wine's X11 driver; system cursors
//   are loaded when first shown)                                      ~34  (bare: ~30, at its
//                                                                           first window)
//   main form's window: the top-level CreateWindowEx 16-20 (inside
//   Wine, as the bare window's); the icon comes from the class         ~20
//   data module: its binary form read in place from the resources
//   (as text it cost 3-4 ms more to decode), the pictures decoded 1.5,
//   skin records 1.2, the skin data shares the stored skin's pictures
//   (their copy cost 1.1), the main form's references to it and its
//   skin update 0.6-1.1                                                 5-7
//   showing, from the main form's Show to its last update region gone: 40-50 (medians of
//   runs; 50-60 before its frame was painted once at show and the paint buffers were made
//   device-independent): the form's show handler 4-6 (bounds it
//   sets while the form is being shown reach the window in one move; a frame already built
//   for the size the first WM_SIZE brings is not built again), the form's 15 child windows ~0.7
//   each (Wine's minimum for a child window), made only now, at the show: where, as and whether
//   the show handler leaves them, with no move, hide or restyle after (made with the form, 17 of
//   them were then moved or hidden 10 times and disabled 3 times, 4-5 ms; the rolled-up type box's combo
//   box and Apply get theirs when it unrolls), the show itself 11-14 (WM_ACTIVATE
//   3-9 of Wine's focus handling, the frame 1.5-2.3, Wine's erase of the ~15 children 3),
//   the first paint of the children 10-12 (Wine's BeginPaint and EndPaint ~0.2 a window;
//   a caption's ink is measured in one kept picture and kept per font and text; the menu
//   bar draws its items straight into its own picture 0.45-0.6; a borderless panel draws its
//   tiles straight onto the screen)
// Deferred until first needed: the common controls (comctl32's attach alone cost ~35 ms
// before WinMain), the common dialogs, the shell, ole32, mpr and msimg32 (DelayLoad), the theme
// handles of the bitmap library, and the hidden window of every timer (2-2.7 ms each under
// Wine: the table's timer pool, menu bar and menus; the pointer watch is a thread timer). The
// frame of a hidden window is not composed, windows not on the screen are neither invalidated
// nor updated, frameless windows of our own classes answer WM_NCPAINT themselves, children are
// created in their stacking order, and the form resources are read in place.
// What is left is mostly Wine's window creation and focus change, the first paint of some
// twenty child windows and the display's start-up that every program pays.
#include "bench/BenchRatio.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// The median of 7 starts of a ~100 ms program moved by 10-15% between runs on a quiet machine;
// 15 starts of each narrow that spread.
constexpr int RUNS_PER_PROGRAM = 15;
constexpr DWORD START_TIMEOUT_MS = 60000;
// How long the window must show the same picture for it to count as the one that stays.
constexpr double SETTLED_SECONDS = 0.4;

struct TStartResult {
    bool Ok = false;
    double Milliseconds = 0;
    // From the last update region gone to the painted moment.
    double ScreenLagMilliseconds = 0;
    // Why a start did not count, when it did not.
    const char* Failure = "could not be started";
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

// A checksum of the window's picture on the screen, frame and client, and of its place.
std::uint64_t ScreenChecksum(HWND Window) {
    RECT place;
    GetWindowRect(Window, &place);
    const int width = place.right - place.left, height = place.bottom - place.top;
    std::uint64_t sum = 14695981039346656037ull;
    auto add = [&](std::uint32_t Value) {
        sum ^= Value;
        sum *= 1099511628211ull;
    };
    add(std::uint32_t(place.left));
    add(std::uint32_t(place.top));
    add(std::uint32_t(width));
    add(std::uint32_t(height));
    if (width <= 0 || height <= 0) return sum;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP picture = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, picture);
    BitBlt(memory, 0, 0, width, height, screen, place.left, place.top, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    for (long long i = 0; i < (long long)width * height; ++i)
        add(pixels[i] & 0xFFFFFF);
    SelectObject(memory, old);
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return sum;
}

// Reads Window from the screen until its picture has stayed the same for SETTLED_SECONDS, and
// returns when the picture that stays was first read; 0 once the deadline has passed, -1 when
// the window is gone (a program may make its main window again while it starts).
double SettledSince(HWND Window, double Deadline) {
    double changedAt = SecondsNow();
    double stableSince = changedAt;
    std::uint64_t last = 0;
    bool first = true;
    while (SecondsNow() - changedAt < SETTLED_SECONDS) {
        if (!IsWindow(Window)) return -1;
        if (SecondsNow() > Deadline) return 0;
        const double readAt = SecondsNow();
        const std::uint64_t sum = ScreenChecksum(Window);
        if (first || sum != last) {
            stableSince = readAt;
            changedAt = SecondsNow();
        }
        first = false;
        last = sum;
        Sleep(1);
    }
    return stableSince;
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
    Result.Failure = "showed no painted main window";
    HWND Window = nullptr;
    while (SecondsNow() - Start < START_TIMEOUT_MS / 1000.0) {
        if (Window && !IsWindow(Window)) Window = nullptr;
        if (!Window) {
            HWND Found = FindWindowA(Program.WindowClass, Program.Caption);
            DWORD Owner = 0;
            if (Found) GetWindowThreadProcessId(Found, &Owner);
            if (Owner == Process.dwProcessId) Window = Found;
        }
        if (Window && IsWindowVisible(Window) && IsPainted(Window)) {
            const double regionsGone = SecondsNow();
            const double settled = SettledSince(Window, Start + START_TIMEOUT_MS / 1000.0);
            if (settled < 0) {
                Window = nullptr;
                continue;
            }
            if (settled > 0)
                Result = {true, (settled - Start) * 1000.0, (settled - regionsGone) * 1000.0};
            else
                Result.Failure = "painted a main window that did not stay the same";
            break;
        }
        if (WaitForSingleObject(Process.hProcess, 1) == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(Process.hProcess, &code);
            std::fprintf(stderr, "%s ended by itself with status 0x%lx\n", Program.Caption,
                         static_cast<unsigned long>(code));
            Result.Failure = "ended before its main window was painted";
            break;
        }
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

bool Started(const TProgram& Program, const TStartResult& Result) {
    if (!Result.Ok)
        std::fprintf(stderr, "%s %s within %lu ms\n", Program.Caption, Result.Failure,
                     static_cast<unsigned long>(START_TIMEOUT_MS));
    return Result.Ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: vantorel_startup_bench <program> <bare window program>\n");
        return 2;
    }
    const TProgram Program{argv[1], "TFM", "Vantorel"};
    const TProgram Bare{argv[2], "BareWindow", "Bare window"};
    // The first start of each, reported on its own: it also fills the file cache and Wine's own
    // caches, after which both programs are measured alike.
    const TStartResult FirstProgram = TimeStart(Program);
    const TStartResult FirstBare = TimeStart(Bare);
    if (!Started(Program, FirstProgram) || !Started(Bare, FirstBare)) return 1;
    std::vector<double> ProgramTimes, BareTimes, ProgramLags, BareLags;
    for (int Run = 0; Run < RUNS_PER_PROGRAM; ++Run) {
        TStartResult P = TimeStart(Program), B = TimeStart(Bare);
        if (!Started(Program, P) || !Started(Bare, B)) return 1;
        ProgramTimes.push_back(P.Milliseconds);
        BareTimes.push_back(B.Milliseconds);
        ProgramLags.push_back(P.ScreenLagMilliseconds);
        BareLags.push_back(B.ScreenLagMilliseconds);
    }
    const double first = FirstProgram.Milliseconds / FirstBare.Milliseconds;
    std::printf("first start to a painted window: program %.1f ms, bare window %.1f ms, ratio "
                "%.2fx\n",
                FirstProgram.Milliseconds, FirstBare.Milliseconds, first);
    Bench::RecordRatio("first start to a painted window / bare window", first);
    const double P = Median(ProgramTimes), B = Median(BareTimes);
    const Bench::TTarget target = Bench::AtMost(1.5);
    std::printf("start to a painted window (median of %d): program %.1f ms, bare window %.1f ms, "
                "ratio %.2fx%s\n",
                RUNS_PER_PROGRAM, P, B, P / B, Bench::VerdictText(P / B, target).c_str());
    std::printf("  of which after the last update region went away, until the screen showed the "
                "window as it stays: program %.1f ms, bare window %.1f ms (medians)\n",
                Median(ProgramLags), Median(BareLags));
    Bench::RecordRatio("start to a painted window, median / bare window", P / B, target);
    return 0;
}

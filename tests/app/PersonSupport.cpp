#include "tests/app/PersonSupport.h"

#include "classlib/Bitmaps.h"
#include "classlib/Paths.h"

#include <algorithm>
#include <chrono>
#include <sstream>

namespace person {

using Clock = std::chrono::steady_clock;

bool WaitUntil(const std::function<bool()>& Condition, int Ms) {
    const auto end = Clock::now() + std::chrono::milliseconds(Ms);
    for (;;) {
        if (Condition()) return true;
        if (Clock::now() > end) return false;
        Sleep(10);
    }
}

std::string Describe(const RECT& R) {
    std::ostringstream s;
    s << "(" << R.left << ", " << R.top << ")-(" << R.right << ", " << R.bottom << ")";
    return s.str();
}

// ---- Windows seen from outside ---------------------------------------------------------------

std::string ClassOf(HWND Wnd) {
    char name[256] = "";
    GetClassNameA(Wnd, name, sizeof name);
    return name;
}

std::string TextOf(HWND Wnd) {
    char text[512] = "";
    // Straight to the window: a text query that cannot wait on a busy program.
    DWORD_PTR unused = 0;
    SendMessageTimeoutA(Wnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        1000, &unused);
    return text;
}

std::string Name(HWND Wnd) {
    return ClassOf(Wnd) + " \"" + TextOf(Wnd) + "\"";
}

RECT WindowRectOf(HWND Wnd) {
    RECT r{};
    GetWindowRect(Wnd, &r);
    return r;
}

RECT ClientRectOnScreen(HWND Wnd) {
    RECT r{};
    GetClientRect(Wnd, &r);
    POINT corner{0, 0};
    ClientToScreen(Wnd, &corner);
    OffsetRect(&r, corner.x, corner.y);
    return r;
}

POINT Centre(const RECT& R) {
    return {(R.left + R.right) / 2, (R.top + R.bottom) / 2};
}

std::vector<HWND> TopWindowsOf(DWORD Pid) {
    struct Search {
        DWORD Pid;
        std::vector<HWND> Found;
    } search{Pid, {}};
    EnumWindows(
        [](HWND Wnd, LPARAM Param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(Param);
            DWORD pid = 0;
            GetWindowThreadProcessId(Wnd, &pid);
            if (pid == s->Pid && IsWindowVisible(Wnd)) s->Found.push_back(Wnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

std::vector<HWND> DescendantsOf(HWND Parent) {
    std::vector<HWND> found;
    EnumChildWindows(
        Parent,
        [](HWND Wnd, LPARAM Param) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(Param)->push_back(Wnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND FindInside(HWND Parent, const std::string& Class, const std::string& Start) {
    for (HWND wnd : DescendantsOf(Parent))
        if (ClassOf(wnd) == Class && TextOf(wnd).rfind(Start, 0) == 0) return wnd;
    return nullptr;
}

bool Inside(const RECT& Inner, const RECT& Outer) {
    RECT both{};
    IntersectRect(&both, &Inner, &Outer);
    return EqualRect(&both, &Inner) != 0;
}

// ---- A person's hands --------------------------------------------------------------------------

namespace {

bool PointerAt(int X, int Y) {
    POINT p{};
    GetCursorPos(&p);
    return p.x == X && p.y == Y;
}

void SendMouse(DWORD Flags, int X, int Y, DWORD Data = 0) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    // Rounded up, so that the system's scaling back lands on the very pixel.
    input.mi.dx = (X * 65536 + w - 1) / w;
    input.mi.dy = (Y * 65536 + h - 1) / h;
    input.mi.mouseData = Data;
    input.mi.dwFlags = Flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    EXPECT_EQ(SendInput(1, &input, sizeof input), 1u) << "the system refused the pointer input";
    EXPECT_TRUE(WaitUntil([&] { return PointerAt(X, Y); }, 2000))
        << "the pointer did not get to (" << X << ", " << Y << ")";
}

} // namespace

void MoveTo(int X, int Y) {
    SendMouse(0, X, Y);
}

void Click(int X, int Y) {
    MoveTo(X, Y);
    SendMouse(MOUSEEVENTF_LEFTDOWN, X, Y);
    SendMouse(MOUSEEVENTF_LEFTUP, X, Y);
}

void Click(const POINT& P) {
    Click(P.x, P.y);
}

void Wheel(int X, int Y, int Notches) {
    MoveTo(X, Y);
    SendMouse(MOUSEEVENTF_WHEEL, X, Y, static_cast<DWORD>(Notches * WHEEL_DELTA));
}

bool InMoveSizeLoop(HWND Window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(Window, nullptr), &info) &&
           (info.flags & GUI_INMOVESIZE) != 0;
}

void Drag(int X0, int Y0, int X1, int Y1, HWND Frame) {
    MoveTo(X0, Y0);
    SendMouse(MOUSEEVENTF_LEFTDOWN, X0, Y0);
    if (Frame) {
        EXPECT_TRUE(WaitUntil([Frame] { return InMoveSizeLoop(Frame); }, 3000)) << "no sizing loop started";
    }
    constexpr int kSteps = 8;
    for (int i = 1; i <= kSteps; ++i) MoveTo(X0 + (X1 - X0) * i / kSteps, Y0 + (Y1 - Y0) * i / kSteps);
    SendMouse(MOUSEEVENTF_LEFTUP, X1, Y1);
    if (Frame) {
        EXPECT_TRUE(WaitUntil([Frame] { return !InMoveSizeLoop(Frame); }, 3000)) << "the sizing loop never ended";
    }
}

void SendKey(WORD Vk, bool Up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = Vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(Vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = Up ? KEYEVENTF_KEYUP : 0;
    // Taken into the input stream; what the editor makes of it shows in what the caller
    // waits for. (The keyboard state other programs can read is no witness: the display's
    // own keyboard state may overwrite it at any time.)
    EXPECT_EQ(SendInput(1, &input, sizeof input), 1u) << "the system refused key " << Vk << (Up ? " up" : " down");
}

void PressKey(WORD Vk) {
    SendKey(Vk, false);
    SendKey(Vk, true);
}

void TypeText(const std::string& Text) {
    for (char c : Text) {
        const SHORT key = VkKeyScanA(c);
        const bool shift = (key & 0x100) != 0;
        if (shift) SendKey(VK_SHIFT, false);
        PressKey(static_cast<WORD>(key & 0xFF));
        if (shift) SendKey(VK_SHIFT, true);
    }
}

void ParkPointer() {
    MoveTo(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
}

HWND UnrollTypeBox(HWND Main) {
    HWND typeBox = FindInside(Main, "TskSkinGroupBox", "Type");
    if (!typeBox) {
        ADD_FAILURE() << "the main window has no type box";
        return nullptr;
    }
    const RECT typeRect = WindowRectOf(typeBox);
    Click(typeRect.left + 40, typeRect.top + 8);
    // The rolled-up box's controls get their windows when they first show.
    HWND combo = nullptr;
    if (!WaitUntil([&] {
            combo = FindInside(Main, "TskSkinComboBox");
            return combo && IsWindowVisible(combo);
        }, 2000)) {
        ADD_FAILURE() << "the type box did not unroll its combo box";
        return nullptr;
    }
    return combo;
}

// ---- The screen --------------------------------------------------------------------------------

void ForceFullRepaint(HWND Wnd) {
    RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// ---- The editor in a process of its own ----------------------------------------------------------

TEditorProcess::TEditorProcess(const std::filesystem::path& Folder) {
    const std::filesystem::path exe = Folder / "vantorel.exe";
    std::filesystem::copy_file(ExeDir() + "vantorel.exe", exe, std::filesystem::copy_options::overwrite_existing);
    std::filesystem::copy_file(ExeDir() + "sxb.tpl", Folder / "sxb.tpl",
                               std::filesystem::copy_options::overwrite_existing);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    // Quoted: the folder's name may hold spaces.
    std::string command(1, '"');
    command.append(exe.string()).push_back('"');
    FStarted = CreateProcessA(exe.string().c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              Folder.string().c_str(), &startup, &FProcess) != 0;
    if (!FStarted) return;
    WaitUntil([this] { return (Main = Find("TFM")) != nullptr; }, 15000);
}

TEditorProcess::~TEditorProcess() {
    if (!FStarted) return;
    TerminateProcess(FProcess.hProcess, 0);
    WaitForSingleObject(FProcess.hProcess, 5000);
    CloseHandle(FProcess.hThread);
    CloseHandle(FProcess.hProcess);
}

HWND TEditorProcess::Find(const std::string& Class) const {
    for (HWND wnd : Windows())
        if (ClassOf(wnd) == Class) return wnd;
    return nullptr;
}

HWND TEditorProcess::Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(ThreadId(), &info) ? info.hwndFocus : nullptr;
}

RECT TEditorProcess::Caret() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(ThreadId(), &info) || !info.hwndCaret) return RECT{};
    RECT r = info.rcCaret;
    POINT corner{0, 0};
    ClientToScreen(info.hwndCaret, &corner);
    OffsetRect(&r, corner.x, corner.y);
    return r;
}

bool TEditorProcess::Answers(int Ms) const {
    DWORD_PTR unused = 0;
    return Main && SendMessageTimeoutA(Main, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(Ms), &unused) != 0;
}

bool TEditorProcess::PaintPending() const {
    for (HWND top : Windows()) {
        if (GetUpdateRect(top, nullptr, FALSE)) return true;
        for (HWND child : DescendantsOf(top))
            if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) return true;
    }
    return false;
}

TShot TEditorProcess::GrabSettled(const RECT& R, int Ms) const {
    // A hover fading on a 20 ms timer or a pointer watch on a 50 ms one leaves nothing to paint
    // between its ticks: the screen must also stay the same for several of their periods.
    constexpr auto kStill = std::chrono::milliseconds(150);
    TShot last;
    bool looked = false;
    Clock::time_point since{};
    const bool settled = WaitUntil(
        [&] {
            if (!Answers() || PaintPending()) {
                looked = false;
                return false;
            }
            TShot now = Grab(R);
            if (!looked || !(now == last)) {
                last = std::move(now);
                looked = true;
                since = Clock::now();
                return false;
            }
            return Clock::now() - since >= kStill;
        },
        Ms);
    EXPECT_TRUE(settled) << "the screen at " << Describe(R) << " did not settle within " << Ms << " ms";
    return last;
}

bool TEditorProcess::Activate() const {
    const bool active = WaitUntil([this] {
        if (GetForegroundWindow() == Main) return true;
        SetForegroundWindow(Main);
        return false;
    });
    EXPECT_TRUE(active) << "the editor's main window could not be brought to the front";
    return active;
}

void TEditorTest::SetUp() {
    std::filesystem::create_directories(GetPath() / FFolder);
    Editor = std::make_unique<TEditorProcess>(GetPath() / FFolder);
    ASSERT_NE(Editor->Main, nullptr) << "the editor's main window never showed";
    Main = Editor->Main;
    ParkPointer();
    ASSERT_TRUE(Editor->Activate());
    Editor->GrabSettled(WindowRectOf(Main));
}

HWND TEditorTest::WaitForNew(const std::vector<HWND>& Before, const std::string& Class, int Ms) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND wnd : Editor->Windows())
                if (std::find(Before.begin(), Before.end(), wnd) == Before.end() &&
                    (Class.empty() || ClassOf(wnd) == Class)) {
                    found = wnd;
                    return true;
                }
            return false;
        },
        Ms);
    return found;
}

} // namespace person

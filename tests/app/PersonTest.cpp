// The editor as a person uses it: the built vantorel.exe runs as a process of its own, in a
// folder of its own, and is driven only by the pointer and the keys (SendInput at screen
// points); every check reads the screen and the windows' rectangles from outside. The
// program writes each skinned text it draws, with the room it had, to the file named by
// VANTOREL_TEXT_AUDIT. Screenshots (person-*.bmp) go beside the test program.
//
// Every wait is a poll with a deadline; the editor is killed at the end of every test.
#include "tests/support/TempFolder.h"

#include "classlib/Paths.h"

#include <gtest/gtest.h>
#include "classlib/Platform.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Polls Condition until it holds or Ms milliseconds have passed.
bool WaitUntil(const std::function<bool()>& Condition, int Ms = 4000) {
    const auto end = Clock::now() + std::chrono::milliseconds(Ms);
    for (;;) {
        if (Condition()) return true;
        if (Clock::now() > end) return false;
        Sleep(25);
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
    SendMessageTimeoutA(Wnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 1000, &unused);
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

// The shown top-level windows of process Pid.
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

// Every window inside Parent, at any depth.
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

// The first window inside Parent of that class whose caption starts with Start.
HWND FindInside(HWND Parent, const std::string& Class, const std::string& Start = "") {
    for (HWND wnd : DescendantsOf(Parent))
        if (ClassOf(wnd) == Class && TextOf(wnd).rfind(Start, 0) == 0) return wnd;
    return nullptr;
}

// ---- A person's hands ------------------------------------------------------------------------

void SendMouse(DWORD Flags, int X, int Y) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    // Rounded up, so that the system's scaling back lands on the very pixel.
    input.mi.dx = (X * 65536 + w - 1) / w;
    input.mi.dy = (Y * 65536 + h - 1) / h;
    input.mi.dwFlags = Flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof input);
    Sleep(15);
}

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

// True while the thread of Window runs the system's loop that moves or sizes a window.
bool InMoveSizeLoop(HWND Window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(Window, nullptr), &info) &&
           (info.flags & GUI_INMOVESIZE) != 0;
}

// Pressed at the first point, moved there in steps, released at the second. With a Frame,
// the press is on its sizing border: the moves wait until its loop runs, since the loop
// measures from where the pointer is when it starts, not from where it was pressed.
void Drag(int X0, int Y0, int X1, int Y1, HWND Frame = nullptr) {
    MoveTo(X0, Y0);
    SendMouse(MOUSEEVENTF_LEFTDOWN, X0, Y0);
    if (Frame) WaitUntil([Frame] { return InMoveSizeLoop(Frame); }, 3000);
    constexpr int kSteps = 8;
    for (int i = 1; i <= kSteps; ++i) {
        MoveTo(X0 + (X1 - X0) * i / kSteps, Y0 + (Y1 - Y0) * i / kSteps);
        Sleep(20);
    }
    SendMouse(MOUSEEVENTF_LEFTUP, X1, Y1);
}

void SendKey(WORD Vk, bool Up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = Vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(Vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = Up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
    Sleep(15);
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

// The pointer rests in the screen's corner, away from every window of the editor.
void ParkPointer() {
    MoveTo(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
}

// ---- The screen ------------------------------------------------------------------------------

// A rectangle of the screen as it shows it, one 0x00RRGGBB value per pixel, rows top down.
struct TShot {
    int Width = 0;
    int Height = 0;
    std::vector<DWORD> Pixels;

    bool operator==(const TShot& Other) const {
        return Width == Other.Width && Height == Other.Height && Pixels == Other.Pixels;
    }
    DWORD At(int X, int Y) const { return Pixels[static_cast<std::size_t>(Y * Width + X)]; }
    // The smallest rectangle, in this shot's coordinates, that holds every pixel that differs
    // from Other's; empty when none does.
    RECT Changes(const TShot& Other) const {
        RECT r{Width, Height, 0, 0};
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < Width; ++x)
                if (At(x, y) != Other.At(x, y)) {
                    r.left = std::min<LONG>(r.left, x);
                    r.top = std::min<LONG>(r.top, y);
                    r.right = std::max<LONG>(r.right, x + 1);
                    r.bottom = std::max<LONG>(r.bottom, y + 1);
                }
        if (r.right <= r.left) r = RECT{0, 0, 0, 0};
        return r;
    }
    // Area (in this shot's coordinates) painted black, for a part that changes by itself.
    void Blank(const RECT& Area) {
        for (int y = std::max<LONG>(0, Area.top); y < std::min<LONG>(Height, Area.bottom); ++y)
            for (int x = std::max<LONG>(0, Area.left); x < std::min<LONG>(Width, Area.right); ++x)
                Pixels[static_cast<std::size_t>(y * Width + x)] = 0;
    }
    bool SameIn(const TShot& Other, const RECT& Area) const {
        for (int y = std::max<LONG>(0, Area.top); y < std::min<LONG>(Height, Area.bottom); ++y)
            for (int x = std::max<LONG>(0, Area.left); x < std::min<LONG>(Width, Area.right); ++x)
                if (At(x, y) != Other.At(x, y)) return false;
        return true;
    }
    void Save(const std::string& Name) const {
        BITMAPINFOHEADER info{};
        info.biSize = sizeof info;
        info.biWidth = Width;
        info.biHeight = -Height;
        info.biPlanes = 1;
        info.biBitCount = 32;
        info.biCompression = BI_RGB;
        BITMAPFILEHEADER file{};
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof file + sizeof info;
        file.bfSize = file.bfOffBits + static_cast<DWORD>(Pixels.size() * 4);
        std::ofstream out(ExeDir() + Name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(&file), sizeof file);
        out.write(reinterpret_cast<const char*>(&info), sizeof info);
        out.write(reinterpret_cast<const char*>(Pixels.data()),
                  static_cast<std::streamsize>(Pixels.size() * 4));
    }
};

TShot Grab(const RECT& R) {
    TShot shot;
    shot.Width = std::max<LONG>(0, R.right - R.left);
    shot.Height = std::max<LONG>(0, R.bottom - R.top);
    shot.Pixels.assign(static_cast<std::size_t>(shot.Width * shot.Height), 0);
    if (shot.Pixels.empty()) return shot;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = shot.Width;
    info.bmiHeader.biHeight = -shot.Height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, shot.Width, shot.Height, screen, R.left, R.top, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    for (std::size_t i = 0; i < shot.Pixels.size(); ++i) shot.Pixels[i] = pixels[i] & 0xFFFFFF;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shot;
}

// The rectangle once it stops changing (the same twice in a row), or as it is at the deadline.
TShot GrabStill(const RECT& R, int Ms = 2000) {
    TShot last = Grab(R);
    WaitUntil(
        [&] {
            Sleep(60);
            TShot now = Grab(R);
            const bool still = now == last;
            last = std::move(now);
            return still;
        },
        Ms);
    return last;
}

// Asks Wnd and everything in it to paint itself again from scratch, without waiting for it
// (a busy program must not hold the test up): the caller waits for a still screen.
void ForceFullRepaint(HWND Wnd) {
    RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// ---- The editor in a process of its own --------------------------------------------------------

class TEditorProcess {
public:
    // Copies the program and its template into Folder and starts it there; AuditFile receives
    // the texts it draws.
    TEditorProcess(const std::filesystem::path& Folder, const std::filesystem::path& AuditFile) {
        const std::filesystem::path exe = Folder / "vantorel.exe";
        std::filesystem::copy_file(ExeDir() + "vantorel.exe", exe,
                                   std::filesystem::copy_options::overwrite_existing);
        std::filesystem::copy_file(ExeDir() + "sxb.tpl", Folder / "sxb.tpl",
                                   std::filesystem::copy_options::overwrite_existing);
        SetEnvironmentVariableA("VANTOREL_TEXT_AUDIT", AuditFile.string().c_str());
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string command = "\"" + exe.string() + "\"";
        FStarted = CreateProcessA(exe.string().c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                                  nullptr, Folder.string().c_str(), &startup, &FProcess) != 0;
        SetEnvironmentVariableA("VANTOREL_TEXT_AUDIT", nullptr);
        if (!FStarted) return;
        WaitUntil([this] { return (Main = Find("TFM")) != nullptr; }, 15000);
    }
    ~TEditorProcess() {
        if (!FStarted) return;
        TerminateProcess(FProcess.hProcess, 0);
        WaitForSingleObject(FProcess.hProcess, 5000);
        CloseHandle(FProcess.hThread);
        CloseHandle(FProcess.hProcess);
    }
    TEditorProcess(const TEditorProcess&) = delete;
    TEditorProcess& operator=(const TEditorProcess&) = delete;

    DWORD Pid() const { return FProcess.dwProcessId; }
    DWORD ThreadId() const { return FProcess.dwThreadId; }
    std::vector<HWND> Windows() const { return TopWindowsOf(Pid()); }
    // The first shown top-level window of the editor of that class.
    HWND Find(const std::string& Class) const {
        for (HWND wnd : Windows())
            if (ClassOf(wnd) == Class) return wnd;
        return nullptr;
    }
    // The window that has the keyboard focus in the editor.
    HWND Focus() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(ThreadId(), &info) ? info.hwndFocus : nullptr;
    }
    // The text caret on the screen, blinking or not; empty when there is none.
    RECT Caret() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (!GetGUIThreadInfo(ThreadId(), &info) || !info.hwndCaret) return RECT{};
        RECT r = info.rcCaret;
        POINT corner{0, 0};
        ClientToScreen(info.hwndCaret, &corner);
        OffsetRect(&r, corner.x, corner.y);
        return r;
    }

    HWND Main = nullptr;

private:
    bool FStarted = false;
    PROCESS_INFORMATION FProcess{};
};

// ---- The fixture -----------------------------------------------------------------------------

class PersonUsesEditor : public testing::Test, protected TTempFolder {
protected:
    void SetUp() override {
        // A short folder name: the file dialogs show it in their captions.
        std::filesystem::create_directories(GetPath() / kFolder);
        FAudit = GetPath() / "text-audit.log";
        Editor = std::make_unique<TEditorProcess>(GetPath() / kFolder, FAudit);
        ASSERT_NE(Editor->Main, nullptr) << "the editor's main window never showed";
        ParkPointer();
        SetForegroundWindow(Editor->Main);
        Main = Editor->Main;
        GrabStill(WindowRectOf(Main));
    }
    void TearDown() override { Editor.reset(); }

    // A window of class Class that the editor shows next, not one of Before.
    HWND WaitForNew(const std::vector<HWND>& Before, const std::string& Class = "", int Ms = 4000) {
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
    static bool WaitGone(HWND Wnd, int Ms = 4000) {
        return WaitUntil([Wnd] { return !IsWindow(Wnd) || !IsWindowVisible(Wnd); }, Ms);
    }

    // The menu bar's items, found as a person finds them: the stretch of the bar that lights
    // up under the pointer, one after another from the left.
    std::vector<RECT> BarItems() {
        if (!FBarItems.empty()) return FBarItems;
        HWND bar = FindInside(Main, "TskSkinMainMenuBar");
        if (!bar) return {};
        const RECT barRect = WindowRectOf(bar);
        ParkPointer();
        const TShot plain = GrabStill(barRect);
        const int y = (barRect.top + barRect.bottom) / 2;
        for (int x = barRect.left + 6; x < barRect.right - 6 && FBarItems.size() < 8;) {
            MoveTo(x, y);
            const TShot lit = GrabStill(barRect, 800);
            const RECT changed = lit.Changes(plain);
            RECT item = changed;
            OffsetRect(&item, barRect.left, barRect.top);
            // Past the last item the bar may keep the one lit that the pointer left.
            if (IsRectEmpty(&changed) || (!FBarItems.empty() && EqualRect(&item, &FBarItems.back()))) {
                x += 6;
                continue;
            }
            FBarItems.push_back(item);
            x = item.right + 3;
        }
        ParkPointer();
        EXPECT_TRUE(GrabStill(barRect, 800) == plain) << "the hover light stays after the pointer left the bar";
        return FBarItems;
    }

    // Clicks the bar item Index and returns the drop-down that opens, or null.
    HWND OpenMenu(std::size_t Index) {
        const std::vector<RECT> items = BarItems();
        if (Index >= items.size()) return nullptr;
        const std::vector<HWND> before = Editor->Windows();
        Click(Centre(items[Index]));
        return WaitForNew(before);
    }

    // A menu command by keys: Alt, Right to the bar item, Return opens its drop-down on its
    // first row, Down to the row (counted in rows that can be chosen), Return.
    void Command(std::size_t BarItem, int Row) {
        SetForegroundWindow(Main);
        PressKey(VK_MENU);
        for (std::size_t i = 0; i < BarItem; ++i) PressKey(VK_RIGHT);
        const std::vector<HWND> before = Editor->Windows();
        PressKey(VK_RETURN);
        HWND menu = WaitForNew(before, "", 2000);
        for (int i = 0; i < Row; ++i) PressKey(VK_DOWN);
        PressKey(VK_RETURN);
        if (menu) WaitGone(menu, 2000);
    }

    HWND Button(const std::string& Caption) {
        HWND found = FindInside(Main, "TskSkinButton", Caption);
        return found && TextOf(found) == Caption ? found : nullptr;
    }
    static bool Enabled(HWND Wnd) { return Wnd && IsWindowEnabled(Wnd); }

    // The texts drawn since the last look, each as "room W x H, need W x H: text".
    struct TDrawnText {
        int RoomWidth, RoomHeight, NeedWidth, NeedHeight;
        std::string Text;
    };
    std::vector<TDrawnText> NewTexts() {
        std::vector<TDrawnText> texts;
        std::ifstream in(FAudit, std::ios::binary);
        if (!in) return texts;
        in.seekg(FAuditRead);
        std::string line;
        while (std::getline(in, line)) {
            TDrawnText t{};
            char text[512] = "";
            if (std::sscanf(line.c_str(), "%d\t%d\t%d\t%d\t%511[^\n]", &t.RoomWidth, &t.RoomHeight,
                            &t.NeedWidth, &t.NeedHeight, text) == 5) {
                t.Text = text;
                texts.push_back(t);
            }
        }
        in.clear();
        in.seekg(0, std::ios::end);
        FAuditRead = in.tellg();
        return texts;
    }

    // The layout of Wnd as shown: its screenshot, every child window inside its parent's
    // client area (but for the children of Unchecked), and every text drawn in the editor
    // since the last look fitting its room with 2 pixels to spare.
    void AuditLayout(HWND Wnd, const std::string& Shown, HWND Unchecked = nullptr) {
        SCOPED_TRACE("layout of " + Shown);
        ForceFullRepaint(Wnd);
        GrabStill(WindowRectOf(Wnd)).Save("person-" + Shown + ".bmp");
        for (HWND child : DescendantsOf(Wnd)) {
            if (!IsWindowVisible(child)) continue;
            HWND parent = GetParent(child);
            if (parent == Unchecked) continue;
            const RECT area = ClientRectOnScreen(parent), own = WindowRectOf(child);
            RECT both{};
            IntersectRect(&both, &area, &own);
            EXPECT_TRUE(EqualRect(&both, &own))
                << Name(child) << " at " << Describe(own) << " leaves the client area "
                << Describe(area) << " of " << Name(parent);
        }
        std::set<std::string> reported;
        for (const TDrawnText& t : NewTexts()) {
            if (t.NeedWidth + 2 <= t.RoomWidth && t.NeedHeight <= t.RoomHeight) continue;
            std::ostringstream s;
            s << "drawn by now in one of the editor's windows: \"" << t.Text << "\" needs " << t.NeedWidth << " x " << t.NeedHeight
              << " (+2 wide) in a text rectangle of " << t.RoomWidth << " x " << t.RoomHeight;
            if (reported.insert(s.str()).second) ADD_FAILURE() << s.str();
        }
    }

    // Key Vk in the box Box: the box closes, and until it does, none of its windows is lost.
    void AnswerBox(HWND Box, WORD Vk, const std::string& What) {
        const std::vector<HWND> children = DescendantsOf(Box);
        PressKey(Vk);
        const bool closed = WaitGone(Box, 3000);
        EXPECT_TRUE(closed) << What << " did not close the box";
        if (!closed) {
            for (HWND child : children)
                EXPECT_TRUE(IsWindow(child)) << What << " destroyed a window of the open box";
            // Out of the way for the checks that follow.
            PostMessageA(Box, WM_CLOSE, 0, 0);
            WaitGone(Box, 2000);
        }
        EXPECT_TRUE(WaitUntil([this] { return IsWindowEnabled(Main) != 0; }, 2000))
            << "the main window stays disabled after " << What;
    }

    // The editor's own folder, inside the test's.
    static constexpr const char* kFolder = "ed";
    static AnsiString InFolder(const char* Name) { return AnsiString(kFolder) + "\\" + Name; }

    std::unique_ptr<TEditorProcess> Editor;
    HWND Main = nullptr;

private:
    std::filesystem::path FAudit;
    std::streamoff FAuditRead = 0;
    std::vector<RECT> FBarItems;
};

// Bar items, left to right.
constexpr std::size_t kPagesMenu = 0, kSegmentsMenu = 1, kExamplesMenu = 2, kHelpMenu = 3;

TEST_F(PersonUsesEditor, MenuBarDropDownsOpenUnderTheirItemsAndLeaveNoHighlight) {
    HWND bar = FindInside(Main, "TskSkinMainMenuBar");
    ASSERT_NE(bar, nullptr);
    const RECT barRect = WindowRectOf(bar);
    const std::vector<RECT> items = BarItems();
    std::string found;
    for (const RECT& r : items) found += " " + Describe(r);
    ASSERT_EQ(items.size(), 4u) << "Pages, Segments, Examples, Help; found" << found;
    const TShot plain = GrabStill(barRect);
    const char* names[] = {"pages", "segments", "examples", "help"};

    // On failure the bar as it stays is saved, and the stretch that differs is told.
    auto barPlainAgain = [&](const std::string& After) {
        if (WaitUntil([&] { return Grab(barRect) == plain; }, 3000)) return ::testing::AssertionSuccess();
        const TShot still = Grab(barRect);
        still.Save("person-menu-bar-after-" + After + ".bmp");
        return ::testing::AssertionFailure() << "the bar stays lit after " << After << " in "
                                             << Describe(still.Changes(plain));
    };
    for (std::size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(names[i]);
        HWND menu = OpenMenu(i);
        ASSERT_NE(menu, nullptr) << "no drop-down opened";
        const RECT item = items[i], dropDown = WindowRectOf(menu);
        RECT shown{};
        UnionRect(&shown, &barRect, &dropDown);
        RECT window = WindowRectOf(Main);
        UnionRect(&shown, &shown, &window);
        const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        IntersectRect(&shown, &shown, &screen);
        GrabStill(shown, 800).Save(std::string("person-menu-") + names[i] + ".bmp");
        // Touching the item's lower edge (or the bar's, a margin below it).
        EXPECT_GE(dropDown.top, item.bottom) << "drop-down at " << Describe(dropDown) << ", item at "
                                              << Describe(item);
        EXPECT_LE(dropDown.top, barRect.bottom) << "drop-down at " << Describe(dropDown)
                                                 << ", bar at " << Describe(barRect);
        EXPECT_GE(dropDown.left, item.left - 3) << "drop-down at " << Describe(dropDown);
        EXPECT_LE(dropDown.left, item.left + 3) << "item at " << Describe(item);

        // Closed by Esc, with the pointer off the bar: the first Esc closes the drop-down and
        // keeps its item lit for the arrow keys, the second leaves the bar.
        MoveTo(window.right - 10, window.bottom - 10);
        PressKey(VK_ESCAPE);
        EXPECT_TRUE(WaitGone(menu)) << "Esc left the drop-down open";
        PressKey(VK_ESCAPE);
        EXPECT_TRUE(barPlainAgain(std::string("esc-") + names[i]));
    }

    // Closed by a click elsewhere: on the window's caption.
    HWND menu = OpenMenu(kPagesMenu);
    ASSERT_NE(menu, nullptr);
    const RECT window = WindowRectOf(Main);
    Click((window.left + window.right) / 2, window.top + 8);
    EXPECT_TRUE(WaitGone(menu)) << "a click elsewhere left the drop-down open";
    EXPECT_TRUE(barPlainAgain("click-elsewhere"));

    // Closed by a command: Segments, Invert lights segments a to g.
    HWND view = FindInside(Main, "TImage32");
    ASSERT_NE(view, nullptr);
    const TShot before = GrabStill(WindowRectOf(view));
    ASSERT_NE(menu = OpenMenu(kSegmentsMenu), nullptr);
    const RECT rows = WindowRectOf(menu);
    Click(Centre(rows).x, rows.top + (rows.bottom - rows.top) / 4);
    MoveTo(window.right - 10, window.bottom - 10);
    EXPECT_FALSE(GrabStill(WindowRectOf(view)) == before) << "Invert did not run";
    EXPECT_TRUE(barPlainAgain("command"));
}

TEST_F(PersonUsesEditor, MainWindowResizesByItsBottomEdgeDownTo320) {
    const RECT start = WindowRectOf(Main);
    const int x = (start.left + start.right) / 2;
    // Pressed 2 pixels inside the edge and moved 60 pixels down from there.
    Drag(x, start.bottom - 2, x, start.bottom - 2 + 60, Main);
    WaitUntil([this] { return !InMoveSizeLoop(Main); }, 3000);
    const RECT taller = WindowRectOf(Main);
    EXPECT_EQ(taller.bottom - taller.top, start.bottom - start.top + 60)
        << "dragging the bottom edge 60 pixels down";
    EXPECT_EQ(taller.right - taller.left, start.right - start.left) << "the width stays";

    Drag(x, taller.bottom - 2, x, taller.top + 100, Main);
    WaitUntil([this] { return !InMoveSizeLoop(Main); }, 3000);
    const RECT least = WindowRectOf(Main);
    EXPECT_EQ(least.bottom - least.top, 320) << "dragged far up, the window keeps 320";
    // At the least height the pages group keeps its caption and next to no client area:
    // its tool panel and table lie below it by the window's design, so only their texts
    // are audited there.
    AuditLayout(Main, "main-least-height", FindInside(Main, "TskSkinGroupBox", "Pages"));
}

TEST_F(PersonUsesEditor, EveryTabStopOfTheMainWindowShowsItsFocus) {
    const RECT window = WindowRectOf(Main);
    // The type box unrolled, so that its combo box is a stop too; then the caption activates
    // the window without focusing a control.
    HWND typeBox = FindInside(Main, "TskSkinGroupBox", "Type");
    ASSERT_NE(typeBox, nullptr);
    const RECT typeRect = WindowRectOf(typeBox);
    Click(typeRect.left + 40, typeRect.top + 8);
    HWND combo = FindInside(Main, "TskSkinComboBox");
    ASSERT_TRUE(WaitUntil([combo] { return IsWindowVisible(combo) != 0; }, 2000));
    Click((window.left + window.right) / 2, window.top + 8);
    ParkPointer();
    std::vector<HWND> stops;
    bool viewStopped = false, comboStopped = false;
    for (int press = 0; press < 14; ++press) {
        const TShot before = GrabStill(window, 1000);
        PressKey(VK_TAB);
        HWND focus = nullptr;
        WaitUntil([&] { return (focus = Editor->Focus()) != nullptr; }, 1000);
        const TShot after = GrabStill(window, 1500);
        if (!focus) continue;
        if (std::find(stops.begin(), stops.end(), focus) != stops.end()) break;
        stops.push_back(focus);
        viewStopped = viewStopped || ClassOf(focus) == "TImage32";
        comboStopped = comboStopped || focus == combo;
        RECT own = WindowRectOf(focus);
        OffsetRect(&own, -window.left, -window.top);
        after.Save("person-tab-" + std::to_string(stops.size()) + "-" + ClassOf(focus) + ".bmp");
        EXPECT_FALSE(after.SameIn(before, own))
            << "focus on " << Name(focus) << " changes none of its pixels";
    }
    EXPECT_GE(stops.size(), 5u) << "Add Page, Replace Page, Animate Pages, the view and the table at least";
    EXPECT_TRUE(viewStopped) << "the LED view takes the focus by Tab";
    EXPECT_TRUE(comboStopped) << "the type combo box takes the focus by Tab";
}

TEST_F(PersonUsesEditor, MessageBoxesAnswerEscAndReturnAndEveryWindowFitsItsTexts) {
    AuditLayout(Main, "main");

    // The type box unrolled, the other type chosen in its list: Apply asks.
    HWND typeBox = FindInside(Main, "TskSkinGroupBox", "Type");
    ASSERT_NE(typeBox, nullptr);
    const RECT typeRect = WindowRectOf(typeBox);
    Click(typeRect.left + 40, typeRect.top + 8);
    HWND combo = FindInside(Main, "TskSkinComboBox");
    ASSERT_NE(combo, nullptr);
    ASSERT_TRUE(WaitUntil([combo] { return IsWindowVisible(combo) != 0; }, 2000));
    GrabStill(WindowRectOf(Main));
    std::vector<HWND> before = Editor->Windows();
    Click(Centre(WindowRectOf(combo)));
    HWND list = WaitForNew(before);
    ASSERT_NE(list, nullptr) << "the type list did not drop down";
    const RECT listRect = WindowRectOf(list);
    Click(Centre(listRect).x, listRect.bottom - (listRect.bottom - listRect.top) / 4);
    WaitGone(list);
    ParkPointer();
    AuditLayout(Main, "main-type-unrolled");
    HWND apply = Button("Apply");
    ASSERT_TRUE(WaitUntil([&] { return Enabled(apply); }, 2000)) << "no type change pending";

    before = Editor->Windows();
    Click(Centre(WindowRectOf(apply)));
    HWND box = WaitForNew(before, "TskMessageForm");
    ASSERT_NE(box, nullptr) << "Apply asked nothing";
    AuditLayout(box, "apply-question");
    AnswerBox(box, VK_ESCAPE, "Esc in the Apply question");
    EXPECT_TRUE(Enabled(apply)) << "Esc is No: the change stays pending";
    before = Editor->Windows();
    Click(Centre(WindowRectOf(apply)));
    box = WaitForNew(before, "TskMessageForm");
    ASSERT_NE(box, nullptr);
    AnswerBox(box, VK_RETURN, "Return in the Apply question");
    EXPECT_TRUE(WaitUntil([&] { return !Enabled(apply); }, 2000)) << "Return is Yes: converted";

    // A page added and the list discarded by New: the discard question.
    HWND add = Button("Add Page"), replace = Button("Replace Page");
    ASSERT_NE(add, nullptr);
    Click(Centre(WindowRectOf(add)));
    ASSERT_TRUE(WaitUntil([&] { return Enabled(replace); }, 2000)) << "no page was added";
    before = Editor->Windows();
    Command(kPagesMenu, 0);
    box = WaitForNew(before, "TskMessageForm");
    ASSERT_NE(box, nullptr) << "New asked nothing about the modified list";
    AuditLayout(box, "discard-question");
    AnswerBox(box, VK_ESCAPE, "Esc in the discard question");
    EXPECT_TRUE(Enabled(replace)) << "Esc is No: the page stays";
    before = Editor->Windows();
    Command(kPagesMenu, 0);
    box = WaitForNew(before, "TskMessageForm");
    ASSERT_NE(box, nullptr);
    AnswerBox(box, VK_RETURN, "Return in the discard question");
    EXPECT_TRUE(WaitUntil([&] { return !Enabled(replace); }, 2000)) << "Return is Yes: discarded";

    // Two pages, animated.
    Click(Centre(WindowRectOf(add)));
    Click(Centre(WindowRectOf(add)));
    HWND animate = Button("Animate Pages");
    ASSERT_TRUE(WaitUntil([&] { return Enabled(animate); }, 2000));
    Click(Centre(WindowRectOf(animate)));
    ParkPointer();
    ASSERT_TRUE(WaitUntil([&] { return TextOf(animate).rfind("Stop (", 0) == 0; }, 3000));
    AuditLayout(Main, "main-animating");
    Click(Centre(WindowRectOf(animate)));
    ParkPointer();

    // The export without its template: the error box.
    std::filesystem::remove(GetPath() / kFolder / "sxb.tpl");
    for (WORD key : {VK_ESCAPE, VK_RETURN}) {
        before = Editor->Windows();
        Command(kExamplesMenu, 0);  // SXBasic, the one item that works
        box = WaitForNew(before);
        ASSERT_NE(box, nullptr) << "the failed export showed nothing";
        if (key == VK_ESCAPE) AuditLayout(box, "export-error");
        AnswerBox(box, key, key == VK_ESCAPE ? "Esc in the error box" : "Return in the error box");
    }

    // The about box, closed by a click on its label.
    before = Editor->Windows();
    Command(kHelpMenu, 0);
    HWND about = WaitForNew(before, "TFAbout");
    ASSERT_NE(about, nullptr);
    AuditLayout(about, "about");
    HWND label = FindInside(about, "TskSkinLabel");
    ASSERT_NE(label, nullptr);
    Click(Centre(WindowRectOf(label)));
    EXPECT_TRUE(WaitGone(about)) << "a click on the label closes the about box";
}

TEST_F(PersonUsesEditor, FileDialogsAnswerEscAndReturnAndRepaintEveryView) {
    Put(InFolder("two.pge"), "[Page]\r\n0=192\r\n1=249\r\n[Type]\r\nCommonType=0\r\n");
    for (const char* name : {"alpha.txt", "beta.txt", "gamma.pge", "delta.bin"}) Put(InFolder(name), name);

    // Open, then Esc in the name field.
    std::vector<HWND> before = Editor->Windows();
    Command(kPagesMenu, 1);
    HWND dialog = WaitForNew(before, "TskOpenDlgForm");
    ASSERT_NE(dialog, nullptr) << "Open showed no dialog";
    AuditLayout(dialog, "open-dialog");
    HWND edit = FindInside(dialog, "TskSkinEdit");
    ASSERT_NE(edit, nullptr);
    Click(Centre(WindowRectOf(edit)));
    AnswerBox(dialog, VK_ESCAPE, "Esc in the open dialog's name field");

    // Open again: every view of the file list as a full repaint draws it; Return opens.
    before = Editor->Windows();
    Command(kPagesMenu, 1);
    dialog = WaitForNew(before, "TskOpenDlgForm");
    ASSERT_NE(dialog, nullptr);
    // The tool bar is the panel that holds the drive box; its buttons are no windows.
    HWND drives = FindInside(dialog, "TskSkinShellDriveComboBox");
    ASSERT_NE(drives, nullptr);
    HWND tools = GetParent(drives);
    const RECT toolRect = ClientRectOnScreen(tools), dialogRect = WindowRectOf(dialog);
    // The four view buttons end the tool bar: list, small icons, icons, report. The list
    // shows first; each other view is chosen in turn, then the list again.
    const char* views[] = {"list", "small-icons", "icons", "report"};
    // The name field's caret blinks on its own: it is left out of every comparison.
    RECT caret = Editor->Caret();
    OffsetRect(&caret, -dialogRect.left, -dialogRect.top);
    auto grabDialog = [&](const std::string& Shown) {
        TShot shot = GrabStill(dialogRect);
        if (!Shown.empty()) shot.Save("person-open-" + Shown + ".bmp");
        shot.Blank(caret);
        return shot;
    };
    MoveTo(dialogRect.right - 4, dialogRect.top + 8);
    TShot previous = grabDialog("");
    for (int v : {1, 2, 3, 0}) {
        SCOPED_TRACE(views[v]);
        Click(toolRect.right - 13 - 27 * (3 - v), (toolRect.top + toolRect.bottom) / 2);
        MoveTo(dialogRect.right - 4, dialogRect.top + 8);
        const TShot shown = grabDialog(views[v]);
        EXPECT_FALSE(shown == previous) << "the view button changed nothing";
        previous = shown;
        ForceFullRepaint(dialog);
        const TShot repainted = grabDialog("");
        const RECT differs = shown.Changes(repainted);
        EXPECT_TRUE(IsRectEmpty(&differs))
            << "a full repaint changes " << Describe(differs) << " of the dialog";
    }
    edit = FindInside(dialog, "TskSkinEdit");
    ASSERT_NE(edit, nullptr);
    Click(Centre(WindowRectOf(edit)));
    TypeText("two.pge");
    AnswerBox(dialog, VK_RETURN, "Return on an existing file in the open dialog");
    HWND animate = Button("Animate Pages");
    EXPECT_TRUE(WaitUntil([&] { return Enabled(animate); }, 2000)) << "two.pge's pages were not loaded";

    // Save: Esc, then Return on the current name and its overwrite question (Esc, Return).
    before = Editor->Windows();
    Command(kPagesMenu, 2);
    dialog = WaitForNew(before, "TskOpenDlgForm");
    ASSERT_NE(dialog, nullptr) << "Save showed no dialog";
    AuditLayout(dialog, "save-dialog");
    AnswerBox(dialog, VK_ESCAPE, "Esc in the save dialog");
    const AnsiString written = Get(InFolder("two.pge"));
    for (WORD key : {VK_ESCAPE, VK_RETURN}) {
        before = Editor->Windows();
        Command(kPagesMenu, 2);
        dialog = WaitForNew(before, "TskOpenDlgForm");
        ASSERT_NE(dialog, nullptr);
        edit = FindInside(dialog, "TskSkinEdit");
        ASSERT_NE(edit, nullptr);
        Click(Centre(WindowRectOf(edit)));
        before = Editor->Windows();
        PressKey(VK_RETURN);
        HWND box = WaitForNew(before, "TskMessageForm");
        ASSERT_NE(box, nullptr) << "Return on the current name asked nothing";
        EXPECT_FALSE(IsWindow(dialog) && IsWindowVisible(dialog)) << "the save dialog closed first";
        if (key == VK_ESCAPE) AuditLayout(box, "overwrite-question");
        AnswerBox(box, key, key == VK_ESCAPE ? "Esc in the overwrite question" : "Return in the overwrite question");
        if (key == VK_ESCAPE)
            EXPECT_EQ(Get(InFolder("two.pge")), written) << "Esc is No: the file stays";
        else
            EXPECT_TRUE(WaitUntil([&] { return Get(InFolder("two.pge")) != written; }, 2000))
                << "Return is Yes: the file is written";
    }
}

} // namespace

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

void SendMouse(DWORD Flags, int X, int Y) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    // Rounded up, so that the system's scaling back lands on the very pixel.
    input.mi.dx = (X * 65536 + w - 1) / w;
    input.mi.dy = (Y * 65536 + h - 1) / h;
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

// ---- The screen --------------------------------------------------------------------------------

RECT TShot::Changes(const TShot& Other) const {
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

void TShot::Blank(const RECT& Area) {
    for (int y = std::max<LONG>(0, Area.top); y < std::min<LONG>(Height, Area.bottom); ++y)
        for (int x = std::max<LONG>(0, Area.left); x < std::min<LONG>(Width, Area.right); ++x)
            Pixels[static_cast<std::size_t>(y * Width + x)] = 0;
}

bool TShot::SameIn(const TShot& Other, const RECT& Area) const {
    for (int y = std::max<LONG>(0, Area.top); y < std::min<LONG>(Height, Area.bottom); ++y)
        for (int x = std::max<LONG>(0, Area.left); x < std::min<LONG>(Width, Area.right); ++x)
            if (At(x, y) != Other.At(x, y)) return false;
    return true;
}

namespace {

// The pixel at (X, Y) of a 32-bit bitmap, as 0x00RRGGBB.
DWORD PixelAt(TBitmap& Bitmap, int X, int Y) {
    return static_cast<const DWORD*>(Bitmap.GetScanLine(Y))[X] & 0xFFFFFF;
}

} // namespace

void TShot::Save(const std::string& Name) const {
    TBitmap image(Width, Height, pf32bit);
    for (int y = 0; y < Height; ++y)
        std::copy_n(Pixels.begin() + static_cast<std::ptrdiff_t>(y) * Width, Width,
                    static_cast<DWORD*>(image.GetScanLine(y)));
    image.SaveToFile(ExeDir() + Name);
}

TShot Grab(const RECT& R) {
    TShot shot;
    shot.Width = std::max<LONG>(0, R.right - R.left);
    shot.Height = std::max<LONG>(0, R.bottom - R.top);
    if (shot.Width == 0 || shot.Height == 0) return shot;
    TBitmap image(shot.Width, shot.Height, pf32bit);
    HDC screen = GetDC(nullptr);
    BitBlt(image.GetCanvas()->GetHandle(), 0, 0, shot.Width, shot.Height, screen, R.left, R.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    GdiFlush();
    shot.Pixels.reserve(static_cast<std::size_t>(shot.Width) * shot.Height);
    for (int y = 0; y < shot.Height; ++y)
        for (int x = 0; x < shot.Width; ++x) shot.Pixels.push_back(PixelAt(image, x, y));
    return shot;
}

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

// ---- Text as the screen shows it -----------------------------------------------------------------

TSkinFont SkinFont(const std::string& Section) {
    char value[256] = "";
    TSkinFont font;
    GetPrivateProfileStringA(Section.c_str(), "fontname", "", value, sizeof value, VANTOREL_SKIN_INI);
    font.Name = value;
    font.Height = static_cast<int>(GetPrivateProfileIntA(Section.c_str(), "fontheight", 0, VANTOREL_SKIN_INI));
    GetPrivateProfileStringA(Section.c_str(), "fontstyle", "", value, sizeof value, VANTOREL_SKIN_INI);
    font.Bold = std::string(value).find("fsbold") != std::string::npos;
    EXPECT_FALSE(font.Name.empty()) << "the skin names no font for [" << Section << "]";
    return font;
}

std::ostream& operator<<(std::ostream& Out, const TSkinFont& Font) {
    return Out << Font.Name << " " << Font.Height << (Font.Bold ? " bold" : "");
}

namespace {

// Text as the system draws it, black on white: the pixels its glyphs cover fully (Solid) and
// the ones of its box they leave untouched (Clear), relative to the box of its ink, each list
// ordered by column; Origin is where the drawing started, relative to the same box.
struct TInk {
    int Width = 0;
    int Height = 0;
    POINT Origin{0, 0};
    std::vector<POINT> Solid;
    std::vector<POINT> Clear;
};

TInk RenderInk(const std::string& Text, const TSkinFont& Font, bool Prefix) {
    const UINT flags = DT_SINGLELINE | DT_NOCLIP | (Prefix ? 0 : DT_NOPREFIX);
    auto useFont = [&Font](TCanvas* Canvas) {
        Canvas->GetFont()->SetName(Font.Name);
        Canvas->GetFont()->SetHeight(Font.Height);
        Canvas->GetFont()->SetStyle(Font.Bold ? TFontStyles{fsBold} : TFontStyles{});
        Canvas->GetFont()->SetColor(clBlack);
    };
    TBitmap probe(1, 1, pf32bit);
    useFont(probe.GetCanvas());
    TRect measure(0, 0, 0, 0);
    probe.GetCanvas()->TextRect(measure, Text, flags | DT_CALCRECT);
    // Room around the advance for whatever the glyphs draw past it.
    const int margin = Font.Height * 2;
    const int width = measure.Right + measure.Right / 4 + 2 * margin, height = measure.Bottom + 2 * margin;
    TBitmap image(width, height, pf32bit);
    TCanvas* canvas = image.GetCanvas();
    canvas->GetBrush()->SetColor(clWhite);
    canvas->FillRect(TRect(0, 0, width, height));
    useFont(canvas);
    canvas->GetBrush()->SetStyle(bsClear);
    TRect at(margin, margin, margin + measure.Right, margin + measure.Bottom);
    canvas->TextRect(at, Text, flags);
    GdiFlush();

    RECT box{width, height, 0, 0};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (PixelAt(image, x, y) != 0xFFFFFF) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    TInk ink;
    if (box.right <= box.left) return ink;
    ink.Width = box.right - box.left;
    ink.Height = box.bottom - box.top;
    ink.Origin = {margin - box.left, margin - box.top};
    for (int x = box.left; x < box.right; ++x)
        for (int y = box.top; y < box.bottom; ++y) {
            const DWORD pixel = PixelAt(image, x, y);
            const POINT p{x - box.left, y - box.top};
            // Fully covered: dark in every channel (a smoothed edge is left out either way).
            if ((pixel & 0xFF) < 0x40 && ((pixel >> 8) & 0xFF) < 0x40 && ((pixel >> 16) & 0xFF) < 0x40)
                ink.Solid.push_back(p);
            else if (pixel == 0xFFFFFF)
                ink.Clear.push_back(p);
        }
    return ink;
}

// Whether the first Columns ink columns of Ink show with their box at (X, Y) of Shot.
bool ShowsAt(const TShot& Shot, const TInk& Ink, int Columns, int X, int Y) {
    if (X < 0 || Y < 0 || X + Columns > Shot.Width || Y + Ink.Height > Shot.Height) return false;
    const DWORD colour = Shot.At(X + Ink.Solid.front().x, Y + Ink.Solid.front().y);
    for (const POINT& p : Ink.Solid) {
        if (p.x >= Columns) break;
        if (Shot.At(X + p.x, Y + p.y) != colour) return false;
    }
    // A stretch of the text's colour shows every pattern: most of the gaps must differ.
    int gaps = 0, filled = 0;
    for (const POINT& p : Ink.Clear) {
        if (p.x >= Columns) break;
        ++gaps;
        filled += Shot.At(X + p.x, Y + p.y) == colour;
    }
    return filled * 4 <= gaps;
}

// The drawing origins, in Shot, at which the first Columns ink columns of Ink show.
std::vector<POINT> OriginsOf(const TShot& Shot, const TInk& Ink, int Columns) {
    std::vector<POINT> found;
    if (Ink.Solid.empty() || Ink.Solid.front().x >= Columns) return found;
    for (int y = 0; y + Ink.Height <= Shot.Height; ++y)
        for (int x = 0; x + Columns <= Shot.Width; ++x)
            if (ShowsAt(Shot, Ink, Columns, x, y)) found.push_back({x + Ink.Origin.x, y + Ink.Origin.y});
    return found;
}

} // namespace

testing::AssertionResult ShowsWhole(const TShot& Shot, const std::string& Text, const TSkinFont& Font,
                                    TInkLook Look) {
    const TInk ink = RenderInk(Text, Font, Look.Prefix);
    if (ink.Solid.empty()) return testing::AssertionFailure() << "\"" << Text << "\" draws no ink in " << Font;
    if (!OriginsOf(Shot, ink, ink.Width).empty()) return testing::AssertionSuccess();
    // How much of it shows: the widest start of its ink found.
    int shown = 0, missing = ink.Width;
    while (missing - shown > 1) {
        const int middle = (shown + missing) / 2;
        (OriginsOf(Shot, ink, middle).empty() ? missing : shown) = middle;
    }
    // Shortened, it starts where its start shows, and keeps at least a letter before the "...".
    if (Look.MayShorten && shown > 0) {
        const std::vector<POINT> starts = OriginsOf(Shot, ink, shown);
        for (std::size_t kept = Text.size(); kept-- > 1;) {
            const TInk shortened = RenderInk(Text.substr(0, kept) + "...", Font, Look.Prefix);
            for (const POINT& origin : starts)
                if (ShowsAt(Shot, shortened, shortened.Width, origin.x - shortened.Origin.x,
                            origin.y - shortened.Origin.y))
                    return testing::AssertionSuccess();
        }
    }
    return testing::AssertionFailure() << "\"" << Text << "\" in " << Font << " is not whole on the screen: "
                                       << (shown == 0 ? std::string("none of it")
                                                      : "only " + std::to_string(shown) + " of its " +
                                                            std::to_string(ink.Width) + " ink columns")
                                       << " found" << (Look.MayShorten ? ", nor a start of it with \"...\"" : "");
}

} // namespace person

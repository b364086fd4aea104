#include "tests/support/UserInput.h"

namespace {

// How long input may take to come through the queue.
constexpr int kInputDeadlineMs = 2000;

bool PointerIsAt(TPoint Screen) {
    POINT at{};
    GetCursorPos(&at);
    return at.x == Screen.X && at.y == Screen.Y;
}

bool KeyIsDown(int Key) {
    return (GetKeyState(Key) & 0x8000) != 0;
}

bool SendKey(Word Key, bool Up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = Key;
    input.ki.dwFlags = Up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
    return PumpUntil([&] { return KeyIsDown(Key) != Up; }, kInputDeadlineMs);
}

} // namespace

bool SendPointerInput(TPoint Screen, DWORD Flags, DWORD Data) {
    SendMouseInput(Flags, Screen, Data);
    const bool down = (Flags & (MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_RIGHTDOWN)) != 0;
    const bool up = (Flags & (MOUSEEVENTF_LEFTUP | MOUSEEVENTF_RIGHTUP)) != 0;
    const int button = (Flags & (MOUSEEVENTF_RIGHTDOWN | MOUSEEVENTF_RIGHTUP)) ? VK_RBUTTON : VK_LBUTTON;
    return PumpUntil([&] {
        return PointerIsAt(Screen) && (!down || KeyIsDown(button)) && (!up || !KeyIsDown(button));
    }, kInputDeadlineMs);
}

TPoint OnScreen(TControl* Control, int X, int Y) {
    return Control->GetParent()->ClientToScreen(TPoint(Control->GetLeft() + X, Control->GetTop() + Y));
}

bool ClickAt(TPoint Screen, bool Right) {
    const bool moved = SendPointerInput(Screen, 0);
    const bool pressed = SendPointerInput(Screen, Right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
    const bool released = SendPointerInput(Screen, Right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
    return moved && pressed && released;
}

bool DoubleClickAt(TPoint Screen) {
    const bool moved = SendPointerInput(Screen, 0);
    // Sent together, so that the first click is not handled before the second comes.
    for (DWORD flags : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN})
        SendMouseInput(flags, Screen);
    return SendPointerInput(Screen, MOUSEEVENTF_LEFTUP) && moved;
}

void PressAt(TControl* Control, int X, int Y) {
    const TPoint at = Control->ClientToScreen(TPoint(X, Y));
    const POINT point{at.X, at.Y};
    EXPECT_EQ(GetWindowThreadProcessId(WindowFromPoint(point), nullptr), GetCurrentThreadId())
        << "no window of the program is on the screen at " << at.X << ", " << at.Y;
    EXPECT_TRUE(SendPointerInput(at, 0)) << "the pointer did not reach " << at.X << ", " << at.Y;
    EXPECT_TRUE(SendPointerInput(at, MOUSEEVENTF_LEFTDOWN)) << "the press did not reach the program";
}

void Release() {
    POINT p{};
    GetCursorPos(&p);
    EXPECT_TRUE(SendPointerInput(TPoint(p.x, p.y), MOUSEEVENTF_LEFTUP))
        << "the release did not reach the program";
}

void ClickAt(TControl* Control, int X, int Y) {
    PressAt(Control, X, Y);
    Release();
}

bool ClickOnScreen(TControl* Control, int X, int Y, const std::function<bool()>& Done) {
    const bool clicked = ClickAt(Control->ClientToScreen(TPoint(X, Y)));
    return PumpUntil(Done) && clicked;
}

bool KeyDown(Word Key) {
    return SendKey(Key, false);
}

bool KeyUp(Word Key) {
    return SendKey(Key, true);
}

bool KeyOnKeyboard(Word Key, const std::function<bool()>& Done) {
    PressKey(Key);
    return PumpUntil(Done);
}

bool KeyWith(BYTE Modifier, Word Key, const std::function<bool()>& Done) {
    KeyDown(Modifier);
    const bool done = KeyOnKeyboard(Key, Done);
    KeyUp(Modifier);
    return done;
}

void TypeOnKeyboard(const std::string& Text) {
    for (char c : Text) {
        const SHORT scan = VkKeyScanA(c);
        const bool shift = (scan >> 8) & 1;
        if (shift) KeyDown(VK_SHIFT);
        PressKey(static_cast<Word>(scan & 0xFF));
        if (shift) KeyUp(VK_SHIFT);
    }
}

// A person's mouse at points of the screen (SendInput), and waiting, with a deadline, for
// what the program does with it.
#pragma once

#include "tests/support/GuiTestSupport.h"

#include <functional>

// One event of the mouse at screen point At.
inline void SendPointer(DWORD Flags, const TPoint& At) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    // Rounded up, so that the system's scaling back lands on the very pixel.
    input.mi.dx = (At.X * 65536 + w - 1) / w;
    input.mi.dy = (At.Y * 65536 + h - 1) / h;
    input.mi.dwFlags = Flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof input);
}

// The pointer moved to (X, Y) of Control and its left button pressed there; returns once
// the press has reached the program's queue and been handled.
inline void PressAt(TControl* Control, int X, int Y) {
    const TPoint at = Control->ClientToScreen(TPoint(X, Y));
    const POINT point{at.X, at.Y};
    EXPECT_EQ(GetWindowThreadProcessId(WindowFromPoint(point), nullptr), GetCurrentThreadId())
        << "no window of the program is on the screen at " << at.X << ", " << at.Y;
    SendPointer(0, at);
    EXPECT_TRUE(PumpUntil([&] {
        POINT p;
        GetCursorPos(&p);
        return p.x == at.X && p.y == at.Y;
    })) << "the pointer did not reach " << at.X << ", " << at.Y;
    SendPointer(MOUSEEVENTF_LEFTDOWN, at);
    EXPECT_TRUE(PumpUntil([] { return (GetKeyState(VK_LBUTTON) & 0x8000) != 0; }))
        << "the press did not reach the program";
}

// The left button released where the pointer is.
inline void Release() {
    POINT p;
    GetCursorPos(&p);
    SendPointer(MOUSEEVENTF_LEFTUP, TPoint(p.x, p.y));
    EXPECT_TRUE(PumpUntil([] { return (GetKeyState(VK_LBUTTON) & 0x8000) == 0; }))
        << "the release did not reach the program";
}

inline void ClickAt(TControl* Control, int X, int Y) {
    PressAt(Control, X, Y);
    Release();
}

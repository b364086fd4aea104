// A person's mouse and keys, through the system's input queue (SendInput) at points of the
// screen, beside the pointer moves, presses and wheel of GuiTestSupport.h. Each call handles
// the messages its input brings and waits, with a deadline, until it sees what the input
// does: the pointer where it was sent, a button or key down or up in this thread's state.
// Each says whether it saw it: input that no window of the program takes is not seen.
#pragma once

#include "tests/support/GuiTestSupport.h"

#include "classlib/Controls.h"

#include <functional>
#include <string>

// Mouse input at screen point Screen (MOUSEEVENTF_... Flags, the wheel's Data), then the
// messages it brings until the pointer is there and, for a button, the button is down or up.
bool SendPointerInput(TPoint Screen, DWORD Flags, DWORD Data = 0);

// Control's point (X, Y) on the screen, for a window-less control too.
TPoint OnScreen(TControl* Control, int X, int Y);

// The pointer moved to Screen, its left (or right) button pressed and released there.
bool ClickAt(TPoint Screen, bool Right = false);
bool DoubleClickAt(TPoint Screen);
// The left button pressed at (X, Y) of Control's client area, and released where the pointer
// is, each expected to reach the program: a window of another program there fails the test.
void PressAt(TControl* Control, int X, int Y);
void Release();
void ClickAt(TControl* Control, int X, int Y);
// A click at (X, Y) of Control's client area; true once the press and release came through
// and Done holds.
bool ClickOnScreen(TControl* Control, int X, int Y, const std::function<bool()>& Done);

// A key of the keyboard, reaching the window with the focus, pressed or let go.
bool KeyDown(Word Key);
bool KeyUp(Word Key);
// Key pressed and released; true once Done holds.
bool KeyOnKeyboard(Word Key, const std::function<bool()>& Done);
// Key pressed while the modifier key Modifier (VK_SHIFT, VK_CONTROL) is held; true once Done
// holds.
bool KeyWith(BYTE Modifier, Word Key, const std::function<bool()>& Done);
// Characters typed, each pressed and released (with Shift where the keyboard needs it).
void TypeOnKeyboard(const std::string& Text);

// Helpers for tests that drive real windows on the test display.
#pragma once

#include "classlib/Bitmaps.h"
#include "classlib/Forms.h"

#include <gtest/gtest.h>
#include "classlib/Platform.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Handles the messages waiting in the queue.
void Pump();
// Handles messages and polls Condition until it holds or Ms milliseconds have passed;
// whether it held.
bool PumpUntil(const std::function<bool()>& Condition, int Ms = 4000);
// Control as it paints itself, window-less children included, into a bitmap handed over
// with WM_ERASEBKGND and WM_PAINT.
std::unique_ptr<TBitmap> PaintToBitmap(TWinControl* Control);
COLORREF PixelOf(TBitmap* Bitmap, int X, int Y);
// The pixels of A whose colour differs in B, which is at least A's size, and their number.
std::vector<TPoint> DifferingPoints(TBitmap* A, TBitmap* B);
int DifferingPixels(TBitmap* A, TBitmap* B);
// A control's focus frame against its caption, from three pictures of it: Bare without the
// caption, Lit with it in the look the focus gives, Focused with the focus as well. The frame
// (what Focused changes in Lit) shows, and keeps a pixel clear of the caption's ink (what Lit
// changes in Bare).
testing::AssertionResult FocusFrameClearOfInk(TBitmap* Bare, TBitmap* Lit, TBitmap* Focused);
// Other programs on the same display may take the focus away: asks for it again until
// Control or a control inside it has it, up to a deadline.
bool TakeFocus(TWinControl* Control);
// A left click at (X, Y) of Control, posted to its window, then handled.
void PostClick(TWinControl* Control, int X, int Y);
// A double click at (X, Y) of Control as the system sends it, posted, then handled.
void PostDoubleClick(TWinControl* Control, int X, int Y);
// The user's pointer through the system's input queue: moved to screen point At, with the
// button events of Flags (MOUSEEVENTF_...) and the wheel's Data.
void SendMouseInput(DWORD Flags, TPoint At, DWORD Data = 0);
// A key pressed and released, posted to Control's window, then handled.
void PostKey(TWinControl* Control, Word Key);
// A key pressed and released on the keyboard, then handled: it reaches the window with the
// focus, as a person's key does.
void PressKey(Word Key);
// The same with Ctrl held down on the keyboard.
void PressCtrlKey(Word Key);
// Holds Ctrl down in this thread's keyboard state while it lives.
class TCtrlDown {
public:
    TCtrlDown() {
        GetKeyboardState(FSaved);
        BYTE state[256];
        GetKeyboardState(state);
        state[VK_CONTROL] = 0x80;
        SetKeyboardState(state);
    }
    ~TCtrlDown() { SetKeyboardState(FSaved); }

private:
    BYTE FSaved[256];
};
// The window as the screen shows it now, once the waiting messages are handled.
std::unique_ptr<TBitmap> ScreenShot(HWND Wnd);
// The window as the screen shows it after a full redraw, with its frame, its child
// windows and their scroll bars.
std::unique_ptr<TBitmap> CaptureWindow(HWND Wnd);

// The real pointer put at (X, Y) of Control's client area, for a test that hands Control a
// pointer message for that point itself: the class library watches where the pointer really
// is, and puts out a hover that the pointer is not there to hold.
void PutPointer(TWinControl* Control, int X, int Y);

// A drag by the user's mouse: the pointer at screen point From, the left button pressed,
// the pointer moved by (DX, DY) in two steps, the button released. The moves and the
// release come from a timer, so that a sizing or moving loop of the system, which holds
// the mouse, takes each of them. Hover runs once the pointer rests at From, before the
// press. Returns how far the pointer really moved.
TPoint DragPointer(TPoint From, int DX, int DY, const std::function<void()>& Hover = {});

// A person's pointer, through the system's input queue (SendInput): moved to a screen point,
// its left button pressed or released there, its wheel turned by Clicks notches (positive
// away from the user). Each call handles the messages its input brings.
void PointerTo(TPoint Screen);
void PointerDown(TPoint Screen);
void PointerUp(TPoint Screen);
void PointerWheel(TPoint Screen, int Clicks);

// A shown, empty form for the controls of one test. An exception that reaches the
// application during the test fails it.
class ShownFormTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A control owned by the form, placed on Parent.
    template <typename T> T* Add(TWinControl* Parent, int Left, int Top, int Width, int Height) {
        T* control = new T(Form);
        control->SetParent(Parent);
        control->SetBounds(Left, Top, Width, Height);
        return control;
    }

    TForm* Form = nullptr;
    std::vector<std::string> Errors;
};

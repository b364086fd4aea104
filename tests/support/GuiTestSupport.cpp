#include "tests/support/GuiTestSupport.h"
#include "tests/support/UserInput.h"

#include <stdexcept>

void Pump() {
    Application->ProcessMessages();
}

std::unique_ptr<TBitmap> PaintToBitmap(TWinControl* Control) {
    auto bitmap = std::make_unique<TBitmap>(Control->GetClientWidth(), Control->GetClientHeight());
    bitmap->SetPixelFormat(pf24bit);
    HDC dc = bitmap->GetCanvas()->GetHandle();
    Control->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    Control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    return bitmap;
}

COLORREF PixelOf(TBitmap* Bitmap, int X, int Y) {
    return static_cast<COLORREF>(Bitmap->GetCanvas()->GetPixels(X, Y));
}

std::vector<TPoint> DifferingPoints(TBitmap* A, TBitmap* B) {
    std::vector<TPoint> points;
    for (int y = 0; y < A->GetHeight(); ++y)
        for (int x = 0; x < A->GetWidth(); ++x)
            if (PixelOf(A, x, y) != PixelOf(B, x, y)) points.push_back(TPoint(x, y));
    return points;
}

int DifferingPixels(TBitmap* A, TBitmap* B) {
    return static_cast<int>(DifferingPoints(A, B).size());
}

testing::AssertionResult FocusFrameClearOfInk(TBitmap* Bare, TBitmap* Lit, TBitmap* Focused) {
    const std::vector<TPoint> ink = DifferingPoints(Bare, Lit), frame = DifferingPoints(Lit, Focused);
    if (ink.empty()) return testing::AssertionFailure() << "no caption shows";
    if (frame.empty()) return testing::AssertionFailure() << "no focus frame shows";
    RECT letters{ink.front().X, ink.front().Y, ink.front().X + 1, ink.front().Y + 1};
    for (const TPoint& p : ink) {
        const RECT one{p.X, p.Y, p.X + 1, p.Y + 1};
        UnionRect(&letters, &letters, &one);
    }
    // A pixel clear all round.
    InflateRect(&letters, 1, 1);
    for (const TPoint& p : frame)
        if (PtInRect(&letters, POINT{p.X, p.Y}))
            return testing::AssertionFailure() << "the frame at " << p.X << ", " << p.Y << " touches the letters in "
                                               << letters.left << ", " << letters.top << " - " << letters.right
                                               << ", " << letters.bottom;
    return testing::AssertionSuccess() << frame.size() << " frame pixels clear of the letters";
}

bool TakeFocus(TWinControl* Control) {
    return PumpUntil([Control] {
        // A form hands its focus on to its active control.
        if (Control->Focused() || IsChild(Control->GetHandle(), GetFocus())) return true;
        SetForegroundWindow(Control->GetParentForm()->GetHandle());
        Control->SetFocus();
        return false;
    });
}

void PostClick(TWinControl* Control, int X, int Y) {
    HWND wnd = Control->GetHandle();
    PostMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, Y));
    PostMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(X, Y));
    Pump();
}

void PostDoubleClick(TWinControl* Control, int X, int Y) {
    HWND wnd = Control->GetHandle();
    const LPARAM at = MAKELPARAM(X, Y);
    PostMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(wnd, WM_LBUTTONUP, 0, at);
    PostMessageA(wnd, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageA(wnd, WM_LBUTTONUP, 0, at);
    Pump();
}

void PostKey(TWinControl* Control, Word Key) {
    PostMessageA(Control->GetHandle(), WM_KEYDOWN, Key, 1);
    PostMessageA(Control->GetHandle(), WM_KEYUP, Key, 0xC0000001);
    Pump();
}

void PressKey(Word Key) {
    KeyDown(Key);
    KeyUp(Key);
}

bool PumpUntil(const std::function<bool()>& Condition, int Ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        Pump();
        if (Condition()) return true;
        if (GetTickCount() - start > static_cast<DWORD>(Ms)) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void PointerTo(TPoint Screen) {
    SendPointerInput(Screen, 0);
}

void PointerDown(TPoint Screen) {
    SendPointerInput(Screen, MOUSEEVENTF_LEFTDOWN);
}

void PointerUp(TPoint Screen) {
    SendPointerInput(Screen, MOUSEEVENTF_LEFTUP);
}

void PointerWheel(TPoint Screen, int Clicks) {
    SendPointerInput(Screen, MOUSEEVENTF_WHEEL, static_cast<DWORD>(Clicks * WHEEL_DELTA));
}

void PressCtrlKey(Word Key) {
    KeyDown(VK_CONTROL);
    PressKey(Key);
    KeyUp(VK_CONTROL);
}

std::unique_ptr<TBitmap> CaptureWindow(HWND Wnd) {
    RedrawWindow(Wnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return ScreenShot(Wnd);
}

void SendMouseInput(DWORD Flags, TPoint At, DWORD Data) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    // Rounded up, so that the system's scaling back lands on the very pixel.
    input.mi.dx = (At.X * 65536 + w - 1) / w;
    input.mi.dy = (At.Y * 65536 + h - 1) / h;
    input.mi.mouseData = Data;
    input.mi.dwFlags = Flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof input);
}

std::unique_ptr<TBitmap> ScreenShot(HWND Wnd) {
    Pump();
    RECT frame;
    if (!GetWindowRect(Wnd, &frame))
        throw std::runtime_error("the window was gone before its picture could be taken");
    auto shot = std::make_unique<TBitmap>(frame.right - frame.left, frame.bottom - frame.top);
    shot->SetPixelFormat(pf24bit);
    HDC screen = GetDC(nullptr);
    BitBlt(shot->GetCanvas()->GetHandle(), 0, 0, shot->GetWidth(), shot->GetHeight(), screen,
           frame.left, frame.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return shot;
}

void ShownFormTest::SetUp() {
    Application->OnException = TExceptionEvent::FromCallable(
        [this](TObject*, const std::exception& E) { Errors.push_back(E.what()); });
    Form = new TForm(nullptr);
    Form->SetBounds(50, 50, 400, 300);
    Form->Show();
    Pump();
}

void ShownFormTest::TearDown() {
    delete Form;
    Pump();
    Application->OnException = nullptr;
    EXPECT_TRUE(Errors.empty()) << Errors.front();
}

void PutPointer(TWinControl* Control, int X, int Y) {
    const TPoint at = Control->ClientToScreen(TPoint(X, Y));
    SetCursorPos(at.X, at.Y);
}

namespace {

// The drag in progress: where the pointer goes, and the step the timer takes next.
struct TPointerDrag {
    TPoint Target;
    int Step = 0;
    UINT_PTR Timer = 0;
};
TPointerDrag Drag;

// One step per tick, so that the loop takes each move before the next: halfway, the
// whole way, then the release.
void CALLBACK DragStep(HWND, UINT, UINT_PTR, DWORD) {
    POINT at;
    GetCursorPos(&at);
    if (Drag.Step == 0) {
        SendMouseInput(0, TPoint((at.x + Drag.Target.X) / 2, (at.y + Drag.Target.Y) / 2));
    } else if (Drag.Step == 1) {
        SendMouseInput(0, Drag.Target);
    } else {
        KillTimer(nullptr, Drag.Timer);
        Drag.Timer = 0;
        SendMouseInput(MOUSEEVENTF_LEFTUP, TPoint(at.x, at.y));
    }
    ++Drag.Step;
}

} // namespace

TPoint DragPointer(TPoint From, int DX, int DY, const std::function<void()>& Hover) {
    PointerTo(From);
    if (Hover) Hover();
    POINT start;
    GetCursorPos(&start);
    Drag.Target = TPoint(start.x + DX, start.y + DY);
    Drag.Step = 0;
    SendMouseInput(MOUSEEVENTF_LEFTDOWN, TPoint(start.x, start.y));
    Drag.Timer = SetTimer(nullptr, 0, 1, &DragStep);
    Pump();
    while (Drag.Timer) DragStep(nullptr, 0, 0, 0);
    Pump();
    POINT end;
    GetCursorPos(&end);
    return TPoint(end.x - start.x, end.y - start.y);
}

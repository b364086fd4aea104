#include "tests/support/GuiTestSupport.h"

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

bool TakeFocus(TWinControl* Control) {
    for (int attempt = 0; attempt < 50 && !Control->Focused(); ++attempt) {
        SetForegroundWindow(Control->GetParentForm()->GetHandle());
        Control->SetFocus();
        Pump();
    }
    return Control->Focused();
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
    keybd_event(static_cast<BYTE>(Key), 0, 0, 0);
    keybd_event(static_cast<BYTE>(Key), 0, KEYEVENTF_KEYUP, 0);
    Pump();
}

std::unique_ptr<TBitmap> CaptureWindow(HWND Wnd) {
    RedrawWindow(Wnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return ScreenShot(Wnd);
}

std::unique_ptr<TBitmap> ScreenShot(HWND Wnd) {
    Pump();
    RECT frame;
    GetWindowRect(Wnd, &frame);
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

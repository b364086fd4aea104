#include "classlib/HiddenWindow.h"

#include "classlib/Exceptions.h"
#include "classlib/WindowProcErrors.h"

#include <memory>

namespace {

const char kHiddenWindowClass[] = "VantorelHiddenWindow";

// The method lives in the window's user data once the window exists (the messages of its
// creation get DefWindowProc's answers); the class is ours, so nothing else uses that slot.
TWndMethod* MethodOf(HWND Wnd) {
    return reinterpret_cast<TWndMethod*>(GetWindowLongPtrA(Wnd, GWLP_USERDATA));
}

LRESULT CALLBACK HiddenWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    TWndMethod* stored = MethodOf(Wnd);
    if (!stored || !stored->Assigned()) return DefWindowProcA(Wnd, Msg, WParam, LParam);
    // A copy: the method may deallocate this window, and with it the stored one.
    TWndMethod method = *stored;
    TMessage message{Msg, WParam, LParam, 0};
    try {
        method(message);
    } catch (...) {
        HandleWindowProcException(nullptr);
    }
    return message.Result;
}

void RegisterHiddenWindowClass() {
    static const bool registered = [] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = HiddenWindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kHiddenWindowClass;
        return RegisterClassA(&wc) != 0;
    }();
    if (!registered) throw EOutOfResources("Cannot register the hidden window class");
}

} // namespace

HWND AllocateHWnd(TWndMethod Method) {
    RegisterHiddenWindowClass();
    auto method = std::make_unique<TWndMethod>(std::move(Method));
    HWND wnd = CreateWindowExA(WS_EX_TOOLWINDOW, kHiddenWindowClass, "", WS_POPUP, 0, 0, 0, 0,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!wnd) throw EOutOfResources("Cannot create a hidden window");
    SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(method.release()));
    return wnd;
}

void DeallocateHWnd(HWND Wnd) {
    if (!Wnd) return;
    std::unique_ptr<TWndMethod> method(MethodOf(Wnd));
    SetWindowLongPtrA(Wnd, GWLP_USERDATA, 0);
    DestroyWindow(Wnd);
}

void DefaultWindowHandler(HWND Wnd, TMessage& Message) {
    Message.Result = DefWindowProcA(Wnd, Message.Msg, Message.WParam, Message.LParam);
}

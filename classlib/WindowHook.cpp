#include "classlib/WindowHook.h"

#include "classlib/Exceptions.h"
#include "classlib/WindowProcErrors.h"

namespace {

const char kHookProperty[] = "VantorelWindowProcHook";

} // namespace

TWindowProcHook::~TWindowProcHook() {
    Unhook();
}

void TWindowProcHook::Hook(HWND Wnd, TWndMethod Method) {
    Unhook();
    if (!Wnd || !IsWindow(Wnd)) throw EInvalidOperation("There is no window to hook");
    FMethod = std::move(Method);
    SetPropA(Wnd, kHookProperty, this);
    FPrevious = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWindowProcHook::HookProc)));
    FWnd = Wnd;
}

void TWindowProcHook::Unhook() {
    if (!FWnd) return;
    HWND wnd = FWnd;
    FWnd = nullptr;
    if (!IsWindow(wnd)) return;
    if (GetWindowLongPtrA(wnd, GWLP_WNDPROC) ==
        reinterpret_cast<LONG_PTR>(&TWindowProcHook::HookProc))
        SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FPrevious));
    RemovePropA(wnd, kHookProperty);
}

void TWindowProcHook::CallPrevious(TMessage& Message) {
    Message.Result = FWnd && FPrevious ? CallWindowProcA(FPrevious, FWnd, Message.Msg,
                                                         Message.WParam, Message.LParam)
                                       : 0;
}

LRESULT CALLBACK TWindowProcHook::HookProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    auto* hook = static_cast<TWindowProcHook*>(GetPropA(Wnd, kHookProperty));
    if (!hook || hook->FWnd != Wnd) return DefWindowProcA(Wnd, Msg, WParam, LParam);
    // Taken before the method runs: the method may unhook, and the hook may go with it.
    const WNDPROC previous = hook->FPrevious;
    TMessage message{Msg, WParam, LParam, 0};
    try {
        if (hook->FMethod)
            hook->FMethod(message);
        else
            hook->CallPrevious(message);
    } catch (...) {
        HandleWindowProcException(nullptr);
    }
    if (Msg == WM_NCDESTROY) {
        // The window is gone: the hook lets go of it and its property.
        if (GetPropA(Wnd, kHookProperty) == hook && hook->FWnd == Wnd) {
            RemovePropA(Wnd, kHookProperty);
            SetWindowLongPtrA(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
            hook->FWnd = nullptr;
        }
    }
    return message.Result;
}

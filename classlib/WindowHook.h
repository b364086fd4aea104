// A hook on the window procedure of a window the library did not make, such as the client
// window of an MDI form: the window's messages go to a method of an object first, and the
// method hands what it leaves to the procedure the window had before (CallPrevious).
//
// The hook knows its window by a window property, so one procedure serves every hooked
// window. Unhook puts the previous procedure back only while the hook's own is still the
// window's: a procedure installed over it later would otherwise be cut off.
#pragma once

#include "classlib/Messages.h"

#include "classlib/Platform.h"

class TWindowProcHook {
public:
    TWindowProcHook() = default;
    ~TWindowProcHook();
    TWindowProcHook(const TWindowProcHook&) = delete;
    TWindowProcHook& operator=(const TWindowProcHook&) = delete;

    // Sends Wnd's messages to Method from now on; a hook on another window goes first.
    void Hook(HWND Wnd, TWndMethod Method);
    void Unhook();
    // The hooked window; null when none (also once the window has been destroyed).
    HWND GetWindow() const { return FWnd; }
    bool Hooked() const { return FWnd != nullptr; }
    // The previous procedure's answer to Message, stored in Message.Result.
    void CallPrevious(TMessage& Message);

private:
    static LRESULT CALLBACK HookProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);

    HWND FWnd = nullptr;
    WNDPROC FPrevious = nullptr;
    TWndMethod FMethod;
};

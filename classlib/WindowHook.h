// A hook on the window procedure of a window the library did not make, such as the client
// window of an MDI form: the window's messages go to a method of an object first, and the
// method hands what it leaves to the procedure the window had before (CallPrevious).
//
// Each hook on a window is a subclass of its own: it takes one of a few window procedures
// that differ only in the window property through which they find their hook, so several
// hooks (and procedures installed by others) stack on one window, each calling the one
// under it. Unhooking in any order leaves the chain whole: a hook on top puts back the
// procedure under it, one under another of these hooks is skipped by it, and one under a
// procedure installed by others stays in the chain passing every message on, until the
// window goes.
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
    // EInvalidOperation when Wnd is no window or holds as many hooks as it can.
    void Hook(HWND Wnd, TWndMethod Method);
    void Unhook();
    // The hooked window; null when none (also once the window has been destroyed).
    HWND GetWindow() const { return FWnd; }
    bool Hooked() const { return FWnd != nullptr; }
    // The previous procedure's answer to Message, stored in Message.Result.
    void CallPrevious(TMessage& Message);

    // Hooks one window can hold at a time.
    static constexpr int MaxHooksPerWindow = 8;

private:
    // A hook's place in a window's chain of procedures, kept by the window (as a property)
    // for as long as the place's procedure is in the chain.
    struct TLink;

    template <int Slot>
    static LRESULT CALLBACK SlotProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
    static WNDPROC SlotProcedure(int Slot);
    static LRESULT Dispatch(int Slot, HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
    static void ForgetLink(HWND Wnd, TLink* Link);

    HWND FWnd = nullptr;
    TLink* FLink = nullptr;
    TWndMethod FMethod;
};

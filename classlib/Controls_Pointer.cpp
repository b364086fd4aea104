// The control that has the mouse captured, the control under the pointer, and the watch
// that tells the control under the pointer that the pointer has gone when the system does not.
#include "classlib/Controls.h"

#include "classlib/WinControls.h"
#include "classlib/WindowProcErrors.h"

namespace {

// The window-less control that has the mouse inside its parent's capture.
TControl* gCaptureChild = nullptr;
TControl* gMouseControl = nullptr;
// A timer of the thread rather than of a window: the pointer is often over the program's
// first window as it starts, and a hidden window for the timer would cost the start a few
// milliseconds.
UINT_PTR gWatch = 0;

constexpr Cardinal kWatchInterval = 50;

// The control the pointer at Screen is over, as its mouse messages will tell it; null over
// any window that is not one of ours.
TControl* ControlAt(POINT Screen) {
    TWinControl* window = FindControl(WindowFromPoint(Screen));
    return window ? window->MouseTargetAt(window->ScreenToClient(TPoint(Screen.x, Screen.y)))
                  : nullptr;
}

void CALLBACK WatchTick(HWND, UINT, UINT_PTR, DWORD) {
    try {
        CheckMouseControl();
    } catch (...) {
        HandleWindowProcException(nullptr);
    }
}

void StopWatch() {
    if (!gWatch) return;
    KillTimer(nullptr, gWatch);
    gWatch = 0;
}

// The watch runs while a control is under the pointer, and only then.
void UpdateWatch() {
    if (!gMouseControl) return StopWatch();
    if (!gWatch) gWatch = SetTimer(nullptr, 0, kWatchInterval, WatchTick);
}

} // namespace

TControl* GetCaptureControl() {
    HWND capture = GetCapture();
    TWinControl* control = capture ? FindControl(capture) : nullptr;
    if (!control) return nullptr;
    if (gCaptureChild && gCaptureChild->GetParent() == control) return gCaptureChild;
    return control;
}

void SetCaptureControl(TControl* Control) {
    gCaptureChild = nullptr;
    if (!Control) {
        if (FindControl(GetCapture())) ReleaseCapture();
        return;
    }
    if (Control->IsWindowed()) {
        SetCapture(static_cast<TWinControl*>(Control)->GetHandle());
        return;
    }
    TWinControl* parent = Control->GetParent();
    if (!parent) return;
    SetCapture(parent->GetHandle());
    gCaptureChild = Control;
}

void ReleaseCaptureOf(TControl* Control) {
    // A window takes the capture with it when it goes, and a window-less control holds the
    // mouse only as its parent's capture child: the system is asked only when the control may
    // hold it, since under Wine each question is a round trip to the window server, paid for
    // every control of a form that is deleted.
    const bool mayHold = Control->IsWindowed()
                             ? static_cast<TWinControl*>(Control)->HandleAllocated()
                             : Control == gCaptureChild;
    if (mayHold && GetCaptureControl() == Control) SetCaptureControl(nullptr);
}

TControl* GetMouseControl() {
    return gMouseControl;
}

void CheckMouseControl() {
    if (!gMouseControl) return UpdateWatch();
    // The window that holds the mouse gets every move, wherever the pointer goes, and tells
    // the control itself when that is the window or one of its window-less children.
    if (TWinControl* holder = FindControl(GetCapture())) {
        const bool holds = gMouseControl == holder ||
                           (!gMouseControl->IsWindowed() && gMouseControl->GetParent() == holder);
        if (holds) return;
    }
    POINT pointer{};
    if (!GetCursorPos(&pointer)) return;
    if (ControlAt(pointer) != gMouseControl) controls_detail::ChangeMouseControl(nullptr);
}

bool IsMouseControlWatched() {
    return gWatch != 0;
}

namespace controls_detail {

void ChangeMouseControl(TControl* Entered) {
    TControl* left = gMouseControl;
    if (left == Entered) return;
    gMouseControl = Entered;
    // A control going away, with its form or its parent, hears no leave: its handlers may
    // belong to an owner already partly taken apart.
    if (left && !left->IsDestroying())
        left->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(left));
    if (Entered && gMouseControl == Entered)
        Entered->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(Entered));
    if (HintHost) HintHost->HintMouseEnter(gMouseControl);
    UpdateWatch();
}

void ForgetPointerControl(TControl* Control) {
    if (gCaptureChild == Control) {
        gCaptureChild = nullptr;
        ReleaseCapture();
    }
    if (gMouseControl != Control) return;
    gMouseControl = nullptr;
    UpdateWatch();
}

void StopPointerWatch() {
    StopWatch();
}

} // namespace controls_detail

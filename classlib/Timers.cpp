#include "classlib/Timers.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Exceptions.h"
#include "classlib/WindowProcErrors.h"
#include "classlib/HiddenWindow.h"
#include "classlib/Persistence.h"

namespace {

constexpr UINT_PTR kTimerId = 1;

void RegisterTimerClass() {
    RegisterClass(TTimer::StaticClass());
}

} // namespace

DEFINE_UNIT(Timers, uoClassLib + 60, RegisterTimerClass, nullptr);

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {}

TTimer::~TTimer() {
    TTimer::Unlink();
}

HWND TTimer::GetWindowHandle() {
    if (!FWindowHandle && !FUnlinked)
        FWindowHandle = AllocateHWnd(TWndMethod(this, &TTimer::WndProc));
    return FWindowHandle;
}

void TTimer::Unlink() {
    FUnlinked = true;
    if (!FWindowHandle) return;
    FEnabled = false;
    UpdateTimer();
    DeallocateHWnd(FWindowHandle);
    FWindowHandle = nullptr;
}

void TTimer::SetEnabled(bool Value) {
    if (Value == FEnabled) return;
    FEnabled = Value;
    UpdateTimer();
}

void TTimer::SetInterval(Cardinal Value) {
    if (Value == FInterval) return;
    FInterval = Value;
    UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent Value) {
    OnTimer = Value;
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    if (FWindowHandle) KillTimer(FWindowHandle, kTimerId);
    if (!FEnabled || FInterval == 0 || !OnTimer) return;
    HWND window = GetWindowHandle();
    if (!window) return;
    if (!SetTimer(window, kTimerId, FInterval, nullptr))
        throw EOutOfResources("Not enough timers available");
}

void TTimer::Timer() {
    if (FEnabled && OnTimer) OnTimer(this);
}

void TTimer::WndProc(TMessage& Message) {
    TComponentProtector protect(this);
    if (Message.Msg != WM_TIMER) {
        DefaultWindowHandler(FWindowHandle, Message);
        return;
    }
    Message.Result = 0;
    try {
        Timer();
    } catch (...) {
        HandleWindowProcException(this);
    }
}

void TTimer::Published(TPropertyList& P) {
    P.Add("Enabled", &TTimer::GetEnabled, &TTimer::SetEnabled, true);
    P.Add("Interval", &TTimer::GetInterval, &TTimer::SetInterval, Cardinal{1000});
    P.Add("OnTimer", &TTimer::GetOnTimer, &TTimer::SetOnTimer);
}

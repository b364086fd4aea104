// TTimer: a component that fires OnTimer every Interval milliseconds on the thread that
// made it, through a system timer on a hidden window of its own, made when the timer first
// runs (most timers of a skinned window never do at start-up).
#pragma once

#include "classlib/Component.h"
#include "classlib/Messages.h"
#include "classlib/UnitInit.h"

DECLARE_UNIT(Timers)

class TTimer : public TComponent {
    DECLARE_CLASS(TTimer, TComponent)
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    // May free this timer, or make others.
    TNotifyEvent OnTimer;

    // The system timer runs while Enabled, Interval > 0 and OnTimer is assigned.
    bool GetEnabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    // In milliseconds (1000 by default).
    Cardinal GetInterval() const { return FInterval; }
    void SetInterval(Cardinal Value);
    TNotifyEvent GetOnTimer() const { return OnTimer; }
    void SetOnTimer(TNotifyEvent Value);

    // The hidden window the system timer posts its WM_TIMER messages to, made on the first
    // call; null once the timer is being freed.
    HWND GetWindowHandle();

    static void Published(TPropertyList& P);

protected:
    // Fires OnTimer; the handler may free the timer.
    virtual void Timer();
    // Stops the system timer and lets the hidden window go.
    void Unlink() override;

private:
    void UpdateTimer();
    void WndProc(TMessage& Message);

    bool FEnabled = true;
    Cardinal FInterval = 1000;
    HWND FWindowHandle = nullptr;
    bool FUnlinked = false;
};

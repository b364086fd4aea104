// TGclTimerPool: any number of timed triggers served by one system timer on a
// hidden window of the pool's own.
#pragma once

#include "classlib/Component.h"
#include "classlib/Events.h"
#include "classlib/Messages.h"

#include <memory>
#include <vector>
#include "classlib/Platform.h"

using TTriggerEvent =
    TEvent<void(TObject* Sender, int Handle, Cardinal Interval, int ElapsedTime)>;

struct TEventRec {
    int Handle = 0;
    DWORD StartTime = 0;
    int ElapsedTime = 0; // stays at 2147483647 once there
    Cardinal Interval = 0;
    DWORD LastFired = 0;
    TTriggerEvent OnTrigger;
    bool Enabled = false;
    bool Repeating = false;
    unsigned long long Serial = 0; // tells a record apart from a later one at the same address
};
using PEventRec = TEventRec*;

// The system services the pool calls; tests put a clock and timers of their own here.
struct TGclTimerServices {
    DWORD (*TickCount)();
    UINT_PTR (*SetTimer)(HWND Wnd, UINT_PTR Id, UINT Elapse, TIMERPROC Proc);
    BOOL (*KillTimer)(HWND Wnd, UINT_PTR Id);
};
// Replaces the services of every pool; returns the previous ones. Null members
// mean the system's own.
TGclTimerServices SetGclTimerServices(const TGclTimerServices& Services);

class TGclTimerPool : public TComponent {
    DECLARE_CLASS(TGclTimerPool, TComponent)
public:
    explicit TGclTimerPool(TComponent* AOwner);
    ~TGclTimerPool() override;

    // An enabled repeating trigger; intervals below 55 count as 55. When the system
    // refuses its timer the trigger is taken out again and ENoTimersAvailable raised.
    int Add(const TTriggerEvent& OnTrigger, Cardinal Interval);
    int AddOneTime(const TTriggerEvent& OnTrigger, Cardinal Interval);
    // First removes the first trigger whose handler is the same routine (whatever
    // object it is bound to).
    int AddOneShot(const TTriggerEvent& OnTrigger, Cardinal Interval);
    void Remove(int Handle);
    void RemoveAll();
    void ResetElapsedTime(int Handle);

    // EInvalidTriggerHandle for a handle no trigger has.
    bool GetTriggerEnabled(int Handle) const;
    void SetTriggerEnabled(int Handle, bool Value);
    Cardinal GetTriggerInterval(int Handle) const;
    void SetTriggerInterval(int Handle, Cardinal Value);
    TTriggerEvent GetOnTrigger(int Handle) const;
    void SetOnTrigger(int Handle, const TTriggerEvent& Value);
    int GetElapsedTriggerTime(int Handle);
    int GetElapsedTriggerTimeSec(int Handle);
    int GetTriggerCount() const { return static_cast<int>(FTriggers.size()); }
    AnsiString GetAbout() const;
    void SetAbout(const AnsiString&) {}

    TTriggerEvent OnAllTriggers;

    // The period of the system timer, 0 when none runs.
    Cardinal TimerInterval() const { return FTimerInterval; }
    HWND WindowHandle();

    static void Published(TPropertyList& P);

protected:
    // The firing pass, run at every tick of the system timer.
    virtual void DoTriggerNotification();

private:
    struct TAliveGuard;

    int tpCreateTriggerHandle() const;
    int tpEventIndex(int Handle) const;
    TEventRec& Trigger(int Handle) const;
    int tpCountEnabledTriggers() const;
    void tpSortTriggers();
    void tpCalcNewInterval();
    void tpUpdateTimer();
    void tpTimerWndProc(TMessage& Msg);
    const TEventRec* FindSerial(unsigned long long Serial) const;

    std::vector<std::unique_ptr<TEventRec>> FTriggers;
    HWND FWindowHandle = nullptr;
    Cardinal FTimerInterval = 0;
    int FEnabledCount = 0;
    TAliveGuard* FGuards = nullptr;
};

#include "grid/gcltimer.h"

#include "classlib/Forms.h"
#include "classlib/HiddenWindow.h"
#include "classlib/Persistence.h"
#include "grid/gclconst.h"
#include "grid/gclexcpt.h"

#include <algorithm>
#include <climits>

namespace {

constexpr Cardinal MinInterval = 55;
constexpr Cardinal MaxInterval = INT_MAX;
constexpr int Tolerance = 27;
constexpr UINT_PTR TimerId = 1;

TGclTimerServices Services{nullptr, nullptr, nullptr};
unsigned long long NextSerial = 1;

DWORD Now() {
    return Services.TickCount ? Services.TickCount() : GetTickCount();
}

// Milliseconds from an earlier tick, across the clock's wrap.
int TimeSince(DWORD Tick, DWORD Earlier) {
    return static_cast<int>(Tick - Earlier);
}

Cardinal ClampInterval(Cardinal Interval) {
    return std::min(Interval, MaxInterval);
}

} // namespace

TGclTimerServices SetGclTimerServices(const TGclTimerServices& NewServices) {
    TGclTimerServices previous = Services;
    Services = NewServices;
    return previous;
}

// Marks the passes and window messages running on a pool, so that a pool
// destroyed by one of its handlers is not touched afterwards.
struct TGclTimerPool::TAliveGuard {
    TGclTimerPool* Pool;
    TAliveGuard* Outer;
    bool Alive = true;
    explicit TAliveGuard(TGclTimerPool* P) : Pool(P), Outer(P->FGuards) { P->FGuards = this; }
    ~TAliveGuard() {
        if (Alive) Pool->FGuards = Outer;
    }
    TAliveGuard(const TAliveGuard&) = delete;
    TAliveGuard& operator=(const TAliveGuard&) = delete;
};

TGclTimerPool::TGclTimerPool(TComponent* AOwner) : TComponent(AOwner) {}

// Made when first needed: every table has a pool, most never start its timer, and a hidden
// window costs a few milliseconds of the program's start.
HWND TGclTimerPool::WindowHandle() {
    if (!FWindowHandle)
        FWindowHandle = AllocateHWnd(TWndMethod(this, &TGclTimerPool::tpTimerWndProc));
    return FWindowHandle;
}

TGclTimerPool::~TGclTimerPool() {
    for (TAliveGuard* guard = FGuards; guard; guard = guard->Outer)
        guard->Alive = false;
    FTimerInterval = 0;
    try {
        tpUpdateTimer();
    } catch (...) { // killing never raises; starting is not asked for
    }
    FTriggers.clear();
    DeallocateHWnd(FWindowHandle);
}

void TGclTimerPool::Published(TPropertyList& P) {
    P.Add("About", &TGclTimerPool::GetAbout, &TGclTimerPool::SetAbout).Stored(false);
    P.Add("OnAllTriggers", &TGclTimerPool::OnAllTriggers);
}

AnsiString TGclTimerPool::GetAbout() const {
    return GclVersion;
}

int TGclTimerPool::tpCreateTriggerHandle() const {
    int handle = 0;
    for (const auto& rec : FTriggers)
        if (handle <= rec->Handle) handle = rec->Handle + 1;
    return handle;
}

int TGclTimerPool::tpEventIndex(int Handle) const {
    for (int i = 0; i < GetTriggerCount(); ++i)
        if (FTriggers[i]->Handle == Handle) return i;
    return -1;
}

TEventRec& TGclTimerPool::Trigger(int Handle) const {
    const int index = tpEventIndex(Handle);
    if (index < 0) throw EInvalidTriggerHandle();
    return *FTriggers[index];
}

const TEventRec* TGclTimerPool::FindSerial(unsigned long long Serial) const {
    for (const auto& rec : FTriggers)
        if (rec->Serial == Serial) return rec.get();
    return nullptr;
}

int TGclTimerPool::tpCountEnabledTriggers() const {
    return static_cast<int>(
        std::count_if(FTriggers.begin(), FTriggers.end(), [](const auto& r) { return r->Enabled; }));
}

void TGclTimerPool::tpSortTriggers() {
    std::stable_sort(FTriggers.begin(), FTriggers.end(),
                     [](const auto& a, const auto& b) { return a->Interval < b->Interval; });
}

void TGclTimerPool::tpCalcNewInterval() {
    const DWORD now = Now();
    bool set = false;
    int estimate = 0;
    for (const auto& rec : FTriggers) {
        if (!rec->Enabled) continue;
        if (!set || rec->Interval < static_cast<Cardinal>(estimate)) {
            estimate = static_cast<int>(rec->Interval);
            set = true;
        }
        const int remaining = static_cast<int>(rec->Interval) - TimeSince(now, rec->LastFired);
        if (remaining < estimate) estimate = remaining;
    }
    if (!set) {
        FTimerInterval = 0;
        return;
    }
    if (estimate <= static_cast<int>(MinInterval)) {
        FTimerInterval = MinInterval;
        return;
    }
    Cardinal candidate = static_cast<Cardinal>(estimate);
    bool changed = true;
    while (changed && candidate > MinInterval) {
        changed = false;
        for (const auto& rec : FTriggers) {
            const Cardinal rest = rec->Interval % candidate;
            if (rest != 0) {
                candidate -= rest;
                changed = true;
                break;
            }
        }
    }
    FTimerInterval = std::max(candidate, MinInterval);
}

void TGclTimerPool::tpUpdateTimer() {
    if (FWindowHandle) (Services.KillTimer ? Services.KillTimer : ::KillTimer)(FWindowHandle, TimerId);
    if (FTimerInterval != 0 && FEnabledCount > 0) {
        if ((Services.SetTimer ? Services.SetTimer : ::SetTimer)(WindowHandle(), TimerId,
                                                                  FTimerInterval, nullptr) == 0)
            throw ENoTimersAvailable();
    }
}

int TGclTimerPool::Add(const TTriggerEvent& OnTrigger, Cardinal Interval) {
    auto rec = std::make_unique<TEventRec>();
    rec->Enabled = true;
    rec->Handle = tpCreateTriggerHandle();
    rec->StartTime = Now();
    rec->ElapsedTime = 0;
    rec->Interval = std::max(ClampInterval(Interval), MinInterval);
    rec->LastFired = rec->StartTime;
    rec->OnTrigger = OnTrigger;
    rec->Repeating = true;
    rec->Serial = NextSerial++;
    const int handle = rec->Handle;
    FTriggers.push_back(std::move(rec));
    FEnabledCount = tpCountEnabledTriggers();
    tpCalcNewInterval();
    tpSortTriggers();
    try {
        tpUpdateTimer();
    } catch (const ENoTimersAvailable&) {
        // Nobody would ever learn the handle: the trigger goes again.
        FTriggers.erase(FTriggers.begin() + tpEventIndex(handle));
        FEnabledCount = tpCountEnabledTriggers();
        tpCalcNewInterval();
        throw;
    }
    return handle;
}

int TGclTimerPool::AddOneTime(const TTriggerEvent& OnTrigger, Cardinal Interval) {
    const int handle = Add(OnTrigger, Interval);
    Trigger(handle).Repeating = false;
    return handle;
}

int TGclTimerPool::AddOneShot(const TTriggerEvent& OnTrigger, Cardinal Interval) {
    if (OnTrigger.Assigned()) {
        for (const auto& rec : FTriggers)
            if (rec->OnTrigger.SameMember(OnTrigger)) {
                Remove(rec->Handle);
                break;
            }
    }
    return AddOneTime(OnTrigger, Interval);
}

void TGclTimerPool::Remove(int Handle) {
    const int index = tpEventIndex(Handle);
    if (index < 0) return;
    FTriggers.erase(FTriggers.begin() + index);
    FEnabledCount = tpCountEnabledTriggers();
    tpCalcNewInterval();
    tpUpdateTimer();
}

void TGclTimerPool::RemoveAll() {
    while (!FTriggers.empty())
        FTriggers.pop_back();
    FEnabledCount = 0;
    FTimerInterval = 0;
    tpUpdateTimer();
}

void TGclTimerPool::ResetElapsedTime(int Handle) {
    Trigger(Handle).StartTime = Now();
}

bool TGclTimerPool::GetTriggerEnabled(int Handle) const {
    return Trigger(Handle).Enabled;
}

void TGclTimerPool::SetTriggerEnabled(int Handle, bool Value) {
    TEventRec& rec = Trigger(Handle);
    if (rec.Enabled == Value) return;
    rec.Enabled = Value;
    if (Value) rec.LastFired = Now();
    FEnabledCount = tpCountEnabledTriggers();
    tpCalcNewInterval();
    tpUpdateTimer();
}

Cardinal TGclTimerPool::GetTriggerInterval(int Handle) const {
    return Trigger(Handle).Interval;
}

void TGclTimerPool::SetTriggerInterval(int Handle, Cardinal Value) {
    TEventRec& rec = Trigger(Handle);
    Value = ClampInterval(Value);
    if (rec.Interval == Value) return;
    rec.Interval = Value;
    tpCalcNewInterval();
    tpUpdateTimer();
}

TTriggerEvent TGclTimerPool::GetOnTrigger(int Handle) const {
    return Trigger(Handle).OnTrigger;
}

void TGclTimerPool::SetOnTrigger(int Handle, const TTriggerEvent& Value) {
    Trigger(Handle).OnTrigger = Value;
}

int TGclTimerPool::GetElapsedTriggerTime(int Handle) {
    TEventRec& rec = Trigger(Handle);
    if (rec.ElapsedTime == INT_MAX) return rec.ElapsedTime;
    const DWORD since = Now() - rec.StartTime;
    rec.ElapsedTime = since > MaxInterval ? INT_MAX : static_cast<int>(since);
    return rec.ElapsedTime;
}

int TGclTimerPool::GetElapsedTriggerTimeSec(int Handle) {
    return GetElapsedTriggerTime(Handle) / 1000;
}

void TGclTimerPool::DoTriggerNotification() {
    TAliveGuard guard(this);
    const DWORD now = Now();
    for (int i = 0; i < GetTriggerCount(); ++i) {
        TEventRec* rec = FTriggers[i].get();
        if (!rec->Enabled) continue;
        const int since = TimeSince(now, rec->LastFired);
        if (since < static_cast<int>(rec->Interval) - Tolerance) continue;
        rec->LastFired = now;
        rec->ElapsedTime = static_cast<int>(
            std::min<long long>(static_cast<long long>(rec->ElapsedTime) + since, INT_MAX));
        // Handlers get the trigger's values; a trigger that has left the pool by
        // then is represented by this copy.
        const TEventRec fired = *rec;
        if (!rec->Repeating) {
            Remove(rec->Handle);
            --i;
        }
        auto current = [this, &fired] {
            const TEventRec* live = FindSerial(fired.Serial);
            return live ? *live : fired;
        };
        TEventRec values = current();
        if (values.OnTrigger.Assigned()) {
            values.OnTrigger(this, values.Handle, values.Interval, values.ElapsedTime);
            if (!guard.Alive) return;
            values = current();
        }
        if (OnAllTriggers.Assigned()) {
            OnAllTriggers(this, values.Handle, values.Interval, values.ElapsedTime);
            if (!guard.Alive) return;
        }
    }
}

void TGclTimerPool::tpTimerWndProc(TMessage& Msg) {
    if (Msg.Msg != WM_TIMER) {
        DefaultWindowHandler(FWindowHandle, Msg);
        return;
    }
    TAliveGuard guard(this);
    try {
        DoTriggerNotification();
    } catch (const std::exception& e) {
        Application->HandleException(guard.Alive ? this : nullptr, e);
    }
}

// Timer pool rules on a fake clock and fake system timers, plus one real-timer smoke test.
#include "grid/gclexcpt.h"
#include "grid/gcltimer.h"
#include "tests/grid/GridTestSupport.h"

#include "classlib/Exceptions.h"
#include "classlib/Forms.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

DWORD FakeNow = 1000;
std::vector<UINT> TimerPeriods; // every SetTimer, in order
int KillCount = 0;
bool RefuseTimers = false;

DWORD FakeTick() {
    return FakeNow;
}
UINT_PTR FakeSetTimer(HWND, UINT_PTR Id, UINT Elapse, TIMERPROC) {
    TimerPeriods.push_back(Elapse);
    return RefuseTimers ? 0 : Id;
}
BOOL FakeKillTimer(HWND, UINT_PTR) {
    ++KillCount;
    return TRUE;
}

struct TRecorder {
    std::vector<std::string>* Log;
    std::string Name;
    void Fire(TObject*, int Handle, Cardinal Interval, int Elapsed) {
        Log->push_back(Name + ":" + std::to_string(Handle) + "/" + std::to_string(Interval) + "/" +
                       std::to_string(Elapsed));
    }
    void Other(TObject*, int, Cardinal, int) {}
};

class TimerPool : public testing::Test {
protected:
    void SetUp() override {
        FakeNow = 1000;
        TimerPeriods.clear();
        KillCount = 0;
        RefuseTimers = false;
        Previous = SetGclTimerServices({FakeTick, FakeSetTimer, FakeKillTimer});
        Pool = new TGclTimerPool(nullptr);
        Application->OnException = TExceptionEvent::FromCallable(
            [this](TObject*, const std::exception& E) { Errors.push_back(E.what()); });
    }
    void TearDown() override {
        delete Pool;
        SetGclTimerServices(Previous);
        Application->OnException = nullptr;
    }
    TTriggerEvent Handler(const std::string& Name) {
        Recorders.push_back(std::make_unique<TRecorder>(TRecorder{&Log, Name}));
        return TTriggerEvent(Recorders.back().get(), &TRecorder::Fire);
    }
    void Tick(DWORD Advance) {
        FakeNow += Advance;
        SendMessageA(Pool->WindowHandle(), WM_TIMER, 1, 0);
    }

    TGclTimerServices Previous{};
    TGclTimerPool* Pool = nullptr;
    std::vector<std::string> Log;
    std::vector<std::string> Errors;
    std::vector<std::unique_ptr<TRecorder>> Recorders;
};

} // namespace

TEST_F(TimerPool, HandlesAndFloor) {
    EXPECT_EQ(Pool->Add(nullptr, 0), 0);
    EXPECT_EQ(Pool->GetTriggerInterval(0), 55u);
    EXPECT_EQ(Pool->Add(nullptr, 100), 1);
    EXPECT_EQ(Pool->Add(nullptr, 100), 2);
    Pool->Remove(2);
    EXPECT_EQ(Pool->Add(nullptr, 100), 2);
    Pool->Remove(0);
    EXPECT_EQ(Pool->Add(nullptr, 100), 3);
    Pool->Remove(42); // ignored
    EXPECT_THROW(Pool->GetTriggerEnabled(42), EInvalidTriggerHandle);
    EXPECT_THROW(Pool->ResetElapsedTime(42), EInvalidTriggerHandle);
    Pool->SetTriggerInterval(1, 0);
    EXPECT_EQ(Pool->GetTriggerInterval(1), 0u);
    Pool->SetTriggerInterval(1, 0xFFFFFFFFu);
    EXPECT_EQ(Pool->GetTriggerInterval(1), 2147483647u);
    Pool->RemoveAll();
    EXPECT_EQ(Pool->TimerInterval(), 0u);
    EXPECT_EQ(Pool->Add(nullptr, 100), 0);
    EXPECT_EQ(Pool->GetAbout(), "v4.06");
}

TEST_F(TimerPool, PeriodFollowsTheIntervals) {
    auto period = [this](std::vector<Cardinal> intervals) {
        Pool->RemoveAll();
        for (Cardinal i : intervals)
            Pool->Add(nullptr, i);
        return Pool->TimerInterval();
    };
    EXPECT_EQ(period({1000}), 1000u);
    EXPECT_EQ(period({300, 1000}), 100u);
    EXPECT_EQ(period({500, 750}), 250u);
    EXPECT_EQ(period({200, 300}), 100u);
    EXPECT_EQ(period({333, 1000}), 55u);
    Pool->RemoveAll();
    const int slow = Pool->Add(nullptr, 1000);
    const int fast = Pool->Add(nullptr, 100);
    Pool->SetTriggerEnabled(fast, false);
    EXPECT_EQ(Pool->TimerInterval(), 100u);
    EXPECT_EQ(TimerPeriods.back(), 100u);
    Pool->RemoveAll();
    Pool->Add(nullptr, 1000);
    FakeNow += 1;
    Pool->Add(nullptr, 1000);
    EXPECT_EQ(Pool->TimerInterval(), 55u);
    // All disabled: no timer runs, yet the triggers are counted.
    Pool->RemoveAll();
    const int only = Pool->Add(nullptr, 500);
    const std::size_t calls = TimerPeriods.size();
    Pool->SetTriggerEnabled(only, false);
    EXPECT_EQ(TimerPeriods.size(), calls);
    EXPECT_EQ(Pool->GetTriggerCount(), 1);
    Pool->SetTriggerEnabled(only, false); // unchanged: the timer is not touched
    Pool->SetTriggerInterval(only, 500);
    EXPECT_EQ(TimerPeriods.size(), calls);
    (void)slow;
}

TEST_F(TimerPool, DueTriggersFireInIntervalOrder) {
    Pool->OnAllTriggers = Handler("all");
    Pool->Add(Handler("b"), 200);
    Pool->Add(Handler("a"), 100);
    Pool->Add(Handler("c"), 100);
    Tick(72);
    EXPECT_TRUE(Log.empty());
    Tick(1); // 73 ms after: within the 27 ms tolerance of 100
    EXPECT_EQ(Log, (std::vector<std::string>{"a:1/100/73", "all:1/100/73", "c:2/100/73", "all:2/100/73"}));
    Log.clear();
    Tick(200);
    EXPECT_EQ(Log.size(), 6u);
    EXPECT_EQ(Log[0], "a:1/100/273");
    EXPECT_EQ(Log[4], "b:0/200/273");
}

TEST_F(TimerPool, OneTimeTriggersLeaveBeforeTheirHandlers) {
    int countInside = -1;
    bool handleKnown = true;
    Pool->OnAllTriggers = TTriggerEvent::FromCallable([&](TObject*, int Handle, Cardinal, int) {
        countInside = Pool->GetTriggerCount();
        try {
            Pool->GetTriggerEnabled(Handle);
        } catch (const EInvalidTriggerHandle&) {
            handleKnown = false;
        }
    });
    Pool->Add(nullptr, 1000);
    Pool->AddOneTime(Handler("once"), 100);
    Tick(100);
    EXPECT_EQ(Log, (std::vector<std::string>{"once:1/100/100"}));
    EXPECT_EQ(countInside, 1);
    EXPECT_FALSE(handleKnown);
    Tick(100);
    EXPECT_EQ(Log.size(), 1u);
}

TEST_F(TimerPool, AddOneShotReplacesTheSameRoutine) {
    TRecorder first{&Log, "x"}, second{&Log, "y"};
    Pool->Add(TTriggerEvent(&first, &TRecorder::Fire), 500); // repeating, same routine
    Pool->AddOneShot(TTriggerEvent(&second, &TRecorder::Fire), 300);
    EXPECT_EQ(Pool->GetTriggerCount(), 1);
    const int last = Pool->AddOneShot(TTriggerEvent(&first, &TRecorder::Fire), 400);
    EXPECT_EQ(Pool->GetTriggerCount(), 1);
    EXPECT_EQ(Pool->GetTriggerInterval(last), 400u);
    Pool->AddOneShot(TTriggerEvent(&first, &TRecorder::Other), 400);
    Pool->AddOneShot(nullptr, 400);
    EXPECT_EQ(Pool->GetTriggerCount(), 3);
}

TEST_F(TimerPool, EnablingRestartsTheWait) {
    const int h = Pool->Add(Handler("t"), 100);
    Pool->SetTriggerEnabled(h, false);
    FakeNow += 1000;
    Pool->SetTriggerEnabled(h, true);
    Tick(72);
    EXPECT_TRUE(Log.empty());
    Tick(1);
    EXPECT_EQ(Log, (std::vector<std::string>{"t:0/100/73"}));
}

TEST_F(TimerPool, ElapsedTimeAcrossTheClockWrapAndSaturation) {
    FakeNow = 0xFFFFFF00u;
    const int h = Pool->Add(nullptr, 100);
    FakeNow = 0x100;
    EXPECT_EQ(Pool->GetElapsedTriggerTime(h), 0x200);
    FakeNow = 0xFFFFFF00u + 1999;
    EXPECT_EQ(Pool->GetElapsedTriggerTimeSec(h), 1);
    FakeNow = 0xFFFFFF00u + 0x90000000u;
    EXPECT_EQ(Pool->GetElapsedTriggerTime(h), INT_MAX);
    Pool->ResetElapsedTime(h);
    FakeNow += 10;
    EXPECT_EQ(Pool->GetElapsedTriggerTime(h), INT_MAX);
}

TEST_F(TimerPool, RefusedTimerLeavesNoOrphan) {
    RefuseTimers = true;
    EXPECT_EQ(MessageOf<ENoTimersAvailable>([this] { Pool->Add(nullptr, 100); }),
              "No Window's timers are available");
    EXPECT_EQ(Pool->GetTriggerCount(), 0);
}

TEST_F(TimerPool, HandlerExceptionsEndThePass) {
    Pool->OnAllTriggers = Handler("all");
    Pool->Add(TTriggerEvent::FromCallable([](TObject*, int, Cardinal, int) { throw EConvertError("stop"); }), 100);
    Pool->Add(Handler("later"), 100);
    Application->OnException = TExceptionEvent::FromCallable(
        [this](TObject* Sender, const std::exception& E) {
            EXPECT_EQ(Sender, Pool);
            Errors.push_back(E.what());
        });
    Tick(100);
    EXPECT_EQ(Errors, (std::vector<std::string>{"stop"}));
    EXPECT_TRUE(Log.empty());
}

TEST_F(TimerPool, DestroyedByItsOwnHandler) {
    Pool->Add(TTriggerEvent::FromCallable([this](TObject*, int, Cardinal, int) {
                  delete Pool;
                  Pool = nullptr;
              }),
              100);
    Pool->Add(Handler("never"), 100);
    const HWND wnd = Pool->WindowHandle();
    FakeNow += 100;
    SendMessageA(wnd, WM_TIMER, 1, 0);
    EXPECT_EQ(Pool, nullptr);
    EXPECT_TRUE(Log.empty());
    EXPECT_TRUE(Errors.empty());
}

TEST(TimerPoolReal, FiresOnTheSystemTimer) {
    TGclTimerPool pool(nullptr);
    int fired = 0;
    pool.AddOneTime(TTriggerEvent::FromCallable([&](TObject*, int, Cardinal, int) { ++fired; }), 55);
    const DWORD start = GetTickCount();
    while (!fired && GetTickCount() - start < 5000) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        Application->ProcessMessages();
    }
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(pool.GetTriggerCount(), 0);
}

// A pool makes its hidden window only when its system timer first starts (each window costs
// the program's start a few milliseconds), and the timer then runs on that window.
TEST(TimerPoolReal, HiddenWindowMadeWhenTheTimerFirstStarts) {
    // The thread's windows of the class library's hidden window class (the system may add
    // windows of its own to a thread that makes its first window).
    auto countHiddenWindows = [] {
        int count = 0;
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND Wnd, LPARAM Count) -> BOOL {
                char name[64] = {};
                GetClassNameA(Wnd, name, sizeof name);
                if (std::string(name) == "VantorelHiddenWindow") ++*reinterpret_cast<int*>(Count);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&count));
        return count;
    };
    const int before = countHiddenWindows();
    TGclTimerPool pool(nullptr);
    EXPECT_EQ(countHiddenWindows(), before);
    int fired = 0;
    pool.AddOneTime(TTriggerEvent::FromCallable([&](TObject*, int, Cardinal, int) { ++fired; }), 55);
    EXPECT_EQ(countHiddenWindows(), before + 1);
    const DWORD start = GetTickCount();
    while (!fired && GetTickCount() - start < 5000) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        Application->ProcessMessages();
    }
    EXPECT_EQ(fired, 1);
}

// Timers and the hidden windows they stand on. Ticks are WM_TIMER messages sent to the
// timer's window, so nothing here waits for time to pass.
#include "classlib/Exceptions.h"
#include "classlib/Forms.h"
#include "classlib/HiddenWindow.h"
#include "classlib/Timers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT_PTR kTimerId = 1;

void Tick(TTimer* Timer) {
    SendMessageA(Timer->GetWindowHandle(), WM_TIMER, kTimerId, 0);
}

// Whether the system timer of Timer runs (finding out stops it).
bool Armed(TTimer* Timer) {
    return KillTimer(Timer->GetWindowHandle(), kTimerId) != FALSE;
}

class TimerTest : public testing::Test {
protected:
    void SetUp() override {
        Owner = new TComponent(nullptr);
        Application->OnException =
            TExceptionEvent::FromCallable([this](TObject* Sender, const std::exception& E) {
                Errors.push_back(E.what());
                Senders.push_back(Sender);
            });
    }
    void TearDown() override {
        delete Owner;
        Application->OnException = nullptr;
    }

    TComponent* Owner = nullptr;
    std::vector<std::string> Errors;
    std::vector<TObject*> Senders;
};

TEST_F(TimerTest, ATickFiresOnTimerWhileEnabled) {
    auto* timer = new TTimer(Owner);
    std::vector<TObject*> senders;
    timer->SetOnTimer(TNotifyEvent::FromCallable([&](TObject* S) { senders.push_back(S); }));
    Tick(timer);
    timer->SetEnabled(false);
    Tick(timer);
    EXPECT_EQ(senders, (std::vector<TObject*>{timer}));
}

TEST_F(TimerTest, TheSystemTimerRunsOnlyWhenEnabledWithAnIntervalAndAHandler) {
    auto* timer = new TTimer(Owner);
    EXPECT_EQ(timer->GetInterval(), 1000u);
    EXPECT_FALSE(Armed(timer)) << "no handler yet";
    timer->SetOnTimer(TNotifyEvent::FromCallable([](TObject*) {}));
    EXPECT_TRUE(Armed(timer));
    timer->SetInterval(500);
    EXPECT_TRUE(Armed(timer));
    timer->SetEnabled(false);
    EXPECT_FALSE(Armed(timer));
    timer->SetEnabled(true);
    timer->SetInterval(0);
    EXPECT_FALSE(Armed(timer));
}

TEST_F(TimerTest, ATimerMayReplaceItselfWithAnotherInItsOwnTick) {
    auto* first = new TTimer(Owner);
    TTimer* second = nullptr;
    int secondTicks = 0;
    first->SetOnTimer(TNotifyEvent::FromCallable([&](TObject* Sender) {
        delete static_cast<TTimer*>(Sender);
        second = new TTimer(Owner);
        second->SetInterval(500);
        second->SetOnTimer(TNotifyEvent::FromCallable([&](TObject*) { ++secondTicks; }));
    }));
    Tick(first);
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(Armed(second));
    second->SetEnabled(true);
    Tick(second);
    EXPECT_EQ(secondTicks, 1);
    EXPECT_EQ(Owner->GetComponentCount(), 1);
}

TEST_F(TimerTest, AnExceptionInATickGoesToTheApplication) {
    auto* timer = new TTimer(Owner);
    timer->SetOnTimer(TNotifyEvent::FromCallable([](TObject*) { throw EConvertError("tick"); }));
    Tick(timer);
    EXPECT_EQ(Errors, (std::vector<std::string>{"tick"}));
    EXPECT_EQ(Senders, (std::vector<TObject*>{timer}));
}

// ---------------------------------------------------------------------------
// Hidden windows

struct TReceiver {
    HWND Wnd = nullptr;
    std::vector<UINT> Seen;
    bool FreeOnUser = false;
    void Proc(TMessage& Message) {
        Seen.push_back(Message.Msg);
        if (Message.Msg == WM_USER + 7) {
            Message.Result = 42;
            if (FreeOnUser) DeallocateHWnd(Wnd);
            return;
        }
        DefaultWindowHandler(Wnd, Message);
    }
};

TEST_F(TimerTest, HiddenWindowsAreInvisibleTopLevelWindowsThatGetBroadcasts) {
    TReceiver receiver;
    receiver.Wnd = AllocateHWnd(TWndMethod(&receiver, &TReceiver::Proc));
    ASSERT_NE(receiver.Wnd, nullptr);
    EXPECT_FALSE(IsWindowVisible(receiver.Wnd));
    EXPECT_EQ(GetAncestor(receiver.Wnd, GA_PARENT), GetDesktopWindow());
    EXPECT_EQ(SendMessageA(receiver.Wnd, WM_USER + 7, 0, 0), 42);

    UINT broadcast = RegisterWindowMessageA("VantorelHiddenWindowTest");
    PostMessageA(HWND_BROADCAST, broadcast, 0, 0);
    Application->ProcessMessages();
    EXPECT_NE(std::find(receiver.Seen.begin(), receiver.Seen.end(), broadcast),
              receiver.Seen.end());
    DeallocateHWnd(receiver.Wnd);
    EXPECT_FALSE(IsWindow(receiver.Wnd));
}

TEST_F(TimerTest, AHiddenWindowMayBeFreedInsideOneOfItsMessages) {
    TReceiver receiver;
    receiver.FreeOnUser = true;
    receiver.Wnd = AllocateHWnd(TWndMethod(&receiver, &TReceiver::Proc));
    EXPECT_EQ(SendMessageA(receiver.Wnd, WM_USER + 7, 0, 0), 42);
    EXPECT_FALSE(IsWindow(receiver.Wnd));
}

} // namespace

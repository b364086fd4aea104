// Controls under real windows: message dispatch, layout, mouse, painting and windows
// made on demand.
#include "classlib/Controls.h"
#include "classlib/Exceptions.h"
#include "classlib/Forms.h"
#include "classlib/GdiCounter.h"
#include "classlib/Timers.h"
#include "classlib/WinControls.h"

#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr UINT kPing = WM_USER + 1;

std::string Num(int Value) {
    return std::to_string(Value);
}

// A windowed control that logs what reaches it and paints itself in one colour.
class TProbe : public TCustomControl {
    DECLARE_CLASS(TProbe, TCustomControl)
public:
    explicit TProbe(TComponent* AOwner) : TCustomControl(AOwner) {
        SetControlStyle(GetControlStyle() + TControlStyle{csAcceptsControls});
        OnClick = TNotifyEvent::FromCallable([this](TObject*) { Log.push_back("click"); });
        OnDblClick = TNotifyEvent::FromCallable([this](TObject*) { Log.push_back("dblclick"); });
        OnMouseDown = TMouseEvent::FromCallable([this](TObject*, TMouseButton, TShiftState Shift,
                                                       int X, int Y) {
            Log.push_back((Shift.Contains(ssDouble) ? "down2 " : "down ") + Num(X) + "," + Num(Y));
        });
        OnMouseUp =
            TMouseEvent::FromCallable([this](TObject*, TMouseButton, TShiftState, int X, int Y) {
                Log.push_back("up " + Num(X) + "," + Num(Y));
            });
    }

    std::vector<std::string> Log;
    COLORREF Fill = RGB(255, 0, 0);

protected:
    void Paint() override {
        HBRUSH brush = CreateSolidBrush(Fill);
        RECT r{0, 0, GetWidth(), GetHeight()};
        FillRect(GetCanvas()->GetHandle(), &r, brush);
        DeleteObject(brush);
    }
    void WMPing(TMessage& Message) {
        Log.push_back("ping");
        Message.Result = 7;
    }
    void CMMouseEnter(TMessage& Message) {
        Log.push_back("enter");
        TCustomControl::Dispatch(Message);
    }
    void CMMouseLeave(TMessage& Message) {
        Log.push_back("leave");
        TCustomControl::Dispatch(Message);
    }

    MESSAGE_HANDLERS(TProbe, TCustomControl)
    MESSAGE_HANDLER(kPing, WMPing)
    MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter)
    MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave)
    END_MESSAGE_HANDLERS
};

// A probe with the system's thin border around its client area.
class TBorderedProbe : public TProbe {
    DECLARE_CLASS(TBorderedProbe, TProbe)
public:
    using TProbe::TProbe;

protected:
    void CreateParams(TCreateParams& Params) override {
        TProbe::CreateParams(Params);
        Params.Style |= WS_BORDER;
    }
};

// A class below TProbe whose own handler runs first and then passes the message on.
class TDerivedProbe : public TProbe {
    DECLARE_CLASS(TDerivedProbe, TProbe)
public:
    using TProbe::TProbe;

protected:
    void WMPing(TMessage& Message) {
        Log.push_back("derived");
        TProbe::Dispatch(Message);
        Message.Result += 1;
    }

    MESSAGE_HANDLERS(TDerivedProbe, TProbe)
    MESSAGE_HANDLER(kPing, WMPing)
    END_MESSAGE_HANDLERS
};

// A probe painted grey while its window or any window around it is disabled, as a control
// looks when it cannot be used.
class TGreyingProbe : public TProbe {
    DECLARE_CLASS(TGreyingProbe, TProbe)
public:
    using TProbe::TProbe;
    static constexpr COLORREF kGrey = RGB(128, 128, 128);

protected:
    void Paint() override {
        const COLORREF own = Fill;
        for (HWND wnd = GetHandle(); wnd; wnd = ::GetParent(wnd))
            if (!IsWindowEnabled(wnd)) Fill = kGrey;
        TProbe::Paint();
        Fill = own;
    }
};

// A window-less control that logs and paints a colour, deliberately over its bounds.
class TShape : public TGraphicControl {
    DECLARE_CLASS(TShape, TGraphicControl)
public:
    explicit TShape(TComponent* AOwner) : TGraphicControl(AOwner) {
        OnMouseDown =
            TMouseEvent::FromCallable([this](TObject*, TMouseButton, TShiftState, int X, int Y) {
                Log.push_back("down " + Num(X) + "," + Num(Y));
            });
        OnMouseMove = TMouseMoveEvent::FromCallable([this](TObject*, TShiftState, int X, int Y) {
            Log.push_back("move " + Num(X) + "," + Num(Y));
        });
        OnMouseUp =
            TMouseEvent::FromCallable([this](TObject*, TMouseButton, TShiftState, int X, int Y) {
                Log.push_back("up " + Num(X) + "," + Num(Y));
            });
        OnClick = TNotifyEvent::FromCallable([this](TObject*) { Log.push_back("click"); });
    }

    std::vector<std::string> Log;
    COLORREF Fill = RGB(0, 0, 255);

protected:
    void Paint() override {
        HBRUSH brush = CreateSolidBrush(Fill);
        RECT r{-50, -50, GetWidth() + 50, GetHeight() + 50};
        FillRect(GetCanvas()->GetHandle(), &r, brush);
        DeleteObject(brush);
    }
    void CMMouseEnter(TMessage&) { Log.push_back("enter"); }
    void CMMouseLeave(TMessage&) { Log.push_back("leave"); }

    MESSAGE_HANDLERS(TShape, TGraphicControl)
    MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter)
    MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave)
    END_MESSAGE_HANDLERS
};

// A system check box: the control sees its window's first message, and the system's own
// procedure does the check box's work.
class TSystemCheck : public TWinControl {
    DECLARE_CLASS(TSystemCheck, TWinControl)
public:
    using TWinControl::TWinControl;
    std::vector<UINT> Seen;

protected:
    void CreateParams(TCreateParams& Params) override {
        TWinControl::CreateParams(Params);
        CreateSubClass(Params, "BUTTON");
        Params.Style |= BS_AUTOCHECKBOX;
    }
    // Messages that came through the window.
    void WndProc(TMessage& Message) override {
        if (HandleAllocated()) Seen.push_back(Message.Msg);
        TWinControl::WndProc(Message);
    }
};

class ControlsTest : public testing::Test {
protected:
    void SetUp() override {
        Application->OnException =
            TExceptionEvent::FromCallable([this](TObject* Sender, const std::exception& E) {
                Errors.push_back(E.what());
                ErrorSenders.push_back(Sender);
            });
        Form = new TForm(nullptr);
        Form->SetBounds(60, 60, 420, 340);
        Form->SetCaption("Controls");
    }
    void TearDown() override {
        delete Form;
        Pump();
        Application->OnException = nullptr;
    }

    template <typename T> T* Make(TWinControl* Parent, int L, int T_, int W, int H) {
        T* control = new T(Form);
        control->SetParent(Parent);
        control->SetBounds(L, T_, W, H);
        return control;
    }

    TForm* Form = nullptr;
    std::vector<std::string> Errors;
    std::vector<TObject*> ErrorSenders;
};

LPARAM At(int X, int Y) {
    return MAKELPARAM(X, Y);
}

// The log without the pointer's comings and goings: the display is shared with other test
// programs, whose pointer moves can pass over a shown probe at any time.
std::vector<std::string> Clicks(const std::vector<std::string>& Log) {
    std::vector<std::string> result;
    for (const std::string& entry : Log)
        if (entry != "enter" && entry != "leave") result.push_back(entry);
    return result;
}

// ---------------------------------------------------------------------------
// Dispatch

TEST_F(ControlsTest, MessageMapsRouteByNumberAndPassMessagesUpTheClassChain) {
    auto* probe = Make<TDerivedProbe>(Form, 10, 10, 50, 50);
    Form->Show();
    EXPECT_EQ(SendMessageA(probe->GetHandle(), kPing, 0, 0), 8);
    EXPECT_EQ(probe->Log, (std::vector<std::string>{"derived", "ping"}));
    // Perform takes the same road without the window.
    EXPECT_EQ(probe->Perform(kPing, 0, 0), 8);
}

TEST_F(ControlsTest, ATakenOverWindowProcSeesEveryMessageAndGivesItBack) {
    auto* probe = Make<TProbe>(Form, 10, 10, 50, 50);
    Form->Show();
    struct TTakeOver {
        TWndMethod Old;
        std::vector<UINT> Seen;
        void Proc(TMessage& Message) {
            Seen.push_back(Message.Msg);
            Old(Message);
        }
    } takeOver{probe->WindowProc, {}};
    probe->WindowProc = TWndMethod(&takeOver, &TTakeOver::Proc);

    EXPECT_EQ(SendMessageA(probe->GetHandle(), kPing, 0, 0), 7);
    probe->SetText("changed");
    probe->Repaint();
    EXPECT_NE(std::find(takeOver.Seen.begin(), takeOver.Seen.end(), kPing), takeOver.Seen.end());
    EXPECT_NE(std::find(takeOver.Seen.begin(), takeOver.Seen.end(), WM_SETTEXT),
              takeOver.Seen.end());
    EXPECT_NE(std::find(takeOver.Seen.begin(), takeOver.Seen.end(), WM_PAINT), takeOver.Seen.end());

    probe->WindowProc = takeOver.Old;
    std::size_t seen = takeOver.Seen.size();
    EXPECT_EQ(SendMessageA(probe->GetHandle(), kPing, 0, 0), 7);
    EXPECT_EQ(takeOver.Seen.size(), seen);
    EXPECT_EQ(probe->Log, (std::vector<std::string>{"ping", "ping"}));
}

TEST_F(ControlsTest, ASubclassedSystemControlGetsItsFirstMessageAndKeepsItsOwnBehaviour) {
    auto* check = Make<TSystemCheck>(Form, 10, 10, 100, 20);
    check->SetText("Check");
    Form->Show();
    ASSERT_TRUE(check->HandleAllocated());
    ASSERT_FALSE(check->Seen.empty());
    EXPECT_EQ(check->Seen.front(), static_cast<UINT>(WM_NCCREATE));
    EXPECT_EQ(FindControl(check->GetHandle()), check);

    char className[64] = {};
    GetClassNameA(check->GetHandle(), className, sizeof className);
    EXPECT_STREQ(className, "TSystemCheck");
    SendMessageA(check->GetHandle(), BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(SendMessageA(check->GetHandle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(check->GetText(), "Check");

    // The window leaves its control when it goes; windows of no control have none.
    const HWND wnd = check->GetHandle();
    check->DestroyHandle();
    EXPECT_EQ(FindControl(wnd), nullptr);
    EXPECT_EQ(FindControl(GetDesktopWindow()), nullptr);
}

TEST_F(ControlsTest, AnExceptionOfAnyClassInAHandlerReachesHandleExceptionAndTheLoopGoesOn) {
    auto* probe = Make<TProbe>(Form, 10, 10, 50, 50);
    probe->OnClick = TNotifyEvent::FromCallable([](TObject*) { throw EConvertError("boom"); });
    Form->Show();
    PostMessageA(probe->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    PostMessageA(probe->GetHandle(), WM_LBUTTONUP, 0, At(5, 5));
    PostMessageA(probe->GetHandle(), kPing, 0, 0);
    Pump();
    ASSERT_EQ(Errors, (std::vector<std::string>{"boom"}));
    EXPECT_EQ(ErrorSenders[0], probe);
    EXPECT_EQ(Clicks(probe->Log).back(), "ping");
    // Even an exception of no known class stays inside the window procedure.
    probe->OnClick = TNotifyEvent::FromCallable([](TObject*) { throw 42; });
    SendMessageA(probe->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    SendMessageA(probe->GetHandle(), WM_LBUTTONUP, 0, At(5, 5));
    EXPECT_EQ(Errors, (std::vector<std::string>{"boom", "Unknown exception"}));
}

// ---------------------------------------------------------------------------
// Windows made on demand

TEST_F(ControlsTest, WindowsAreMadeWhenTheyShowOrOnDemand) {
    auto* shown = Make<TProbe>(Form, 10, 10, 50, 50);
    auto* hidden = Make<TProbe>(Form, 70, 10, 50, 50);
    hidden->SetVisible(false);
    shown->SetText("kept");
    EXPECT_FALSE(Form->HandleAllocated());
    EXPECT_FALSE(shown->HandleAllocated());

    // The form's own window, not shown yet: its controls' windows wait for the show, and
    // whatever is set meanwhile is where they start.
    Form->HandleNeeded();
    EXPECT_FALSE(shown->HandleAllocated());
    shown->SetBounds(12, 14, 56, 50);
    shown->SetEnabled(false);
    Form->Show();
    ASSERT_TRUE(shown->HandleAllocated());
    EXPECT_FALSE(hidden->HandleAllocated());
    char text[16] = {};
    GetWindowTextA(shown->GetHandle(), text, sizeof text);
    EXPECT_STREQ(text, "kept");
    EXPECT_EQ(::GetParent(shown->GetHandle()), Form->GetHandle());
    RECT r{};
    GetWindowRect(shown->GetHandle(), &r);
    MapWindowPoints(HWND_DESKTOP, Form->GetHandle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(TRect(r.left, r.top, r.right, r.bottom), TRect(12, 14, 68, 64));
    EXPECT_FALSE(IsWindowEnabled(shown->GetHandle()));

    hidden->SetVisible(true);
    EXPECT_TRUE(hidden->HandleAllocated());

    shown->SetText("window");
    Form->DestroyHandle();
    EXPECT_FALSE(shown->HandleAllocated());
    EXPECT_EQ(shown->GetText(), "window");
    TProbe orphan(nullptr); // no parent window: none of its own
    EXPECT_THROW(orphan.HandleNeeded(), EInvalidOperation);
    EXPECT_THROW(orphan.SetParent(&orphan), EInvalidOperation);
}

TEST_F(ControlsTest, WindowsMadeLateTakeTheirPlaceInStackingTabOrderAndFocus) {
    auto* first = Make<TProbe>(Form, 10, 10, 60, 60);
    auto* asked = Make<TProbe>(Form, 20, 20, 60, 60);
    auto* later = Make<TProbe>(Form, 30, 30, 80, 80);
    auto* inner = Make<TProbe>(later, 5, 6, 20, 20);
    auto* last = Make<TProbe>(Form, 40, 40, 60, 60);
    for (TWinControl* c : {static_cast<TWinControl*>(first), static_cast<TWinControl*>(asked),
                           static_cast<TWinControl*>(later), static_cast<TWinControl*>(last)})
        static_cast<TProbe*>(c)->SetTabStop(true);
    later->SetVisible(false);
    Form->HandleNeeded();

    // Asked for before the show: made at once, alone, where its control is.
    const HWND askedWnd = asked->GetHandle();
    ASSERT_NE(askedWnd, nullptr);
    EXPECT_EQ(::GetParent(askedWnd), Form->GetHandle());
    EXPECT_FALSE(first->HandleAllocated());
    EXPECT_FALSE(last->HandleAllocated());
    Form->Show();
    ASSERT_TRUE(first->HandleAllocated() && last->HandleAllocated());
    EXPECT_EQ(asked->GetHandle(), askedWnd);
    // The first child window in the system's order is the topmost.
    EXPECT_EQ(GetWindow(Form->GetHandle(), GW_CHILD), last->GetHandle());
    EXPECT_EQ(GetWindow(last->GetHandle(), GW_HWNDNEXT), askedWnd);
    EXPECT_EQ(GetWindow(askedWnd, GW_HWNDNEXT), first->GetHandle());

    // A hidden control's window asked for directly exists, hidden, and its children's windows
    // wait for its show.
    const HWND laterWnd = later->GetHandle();
    ASSERT_NE(laterWnd, nullptr);
    EXPECT_FALSE(IsWindowVisible(laterWnd));
    EXPECT_FALSE(inner->HandleAllocated());
    later->Show();
    ASSERT_TRUE(inner->HandleAllocated());
    EXPECT_TRUE(IsWindowVisible(inner->GetHandle()));
    EXPECT_EQ(::GetParent(inner->GetHandle()), laterWnd);
    EXPECT_EQ(GetWindow(last->GetHandle(), GW_HWNDNEXT), laterWnd);
    EXPECT_EQ(GetWindow(laterWnd, GW_HWNDNEXT), askedWnd);
    RECT r{};
    GetWindowRect(inner->GetHandle(), &r);
    const TPoint origin = later->ClientToScreen({5, 6});
    EXPECT_EQ(TPoint(r.left, r.top), origin);

    // In the tab order it keeps the place of its control, and it takes the focus.
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == Form->GetHandle(); }));
    EXPECT_EQ(Form->FindNextControl(asked, true, true, false), later);
    asked->SetFocus();
    Form->SelectNext(asked, true, true);
    EXPECT_EQ(GetFocus(), laterWnd);
    EXPECT_TRUE(later->Focused());
}

TEST_F(ControlsTest, AFormShownByTheSystemsOwnCallStillMakesItsControlsWindows) {
    auto* box = Make<TProbe>(Form, 10, 10, 100, 80);
    auto* inner = Make<TProbe>(box, 10, 10, 30, 30);
    Form->HandleNeeded();
    EXPECT_FALSE(box->HandleAllocated());
    ShowWindow(Form->GetHandle(), SW_SHOWNA);
    ASSERT_TRUE(box->HandleAllocated() && inner->HandleAllocated());
    EXPECT_TRUE(IsWindowVisible(inner->GetHandle()));
    ShowWindow(Form->GetHandle(), SW_HIDE);
}

TEST_F(ControlsTest, ChildWindowsStackInTheOrderOfTheControlList) {
    auto* bottom = Make<TProbe>(Form, 10, 10, 50, 50);
    auto* middle = Make<TProbe>(Form, 15, 15, 50, 50);
    Make<TShape>(Form, 5, 5, 20, 20);
    auto* top = Make<TProbe>(Form, 20, 20, 50, 50);
    auto* inner = Make<TProbe>(middle, 0, 0, 10, 10);
    auto* innerTop = Make<TProbe>(middle, 5, 5, 10, 10);
    Form->HandleNeeded();
    // The first child window in the system's order is the topmost.
    EXPECT_EQ(GetWindow(Form->GetHandle(), GW_CHILD), top->GetHandle());
    EXPECT_EQ(GetWindow(top->GetHandle(), GW_HWNDNEXT), middle->GetHandle());
    EXPECT_EQ(GetWindow(middle->GetHandle(), GW_HWNDNEXT), bottom->GetHandle());
    EXPECT_EQ(GetWindow(middle->GetHandle(), GW_CHILD), innerTop->GetHandle());
    EXPECT_EQ(GetWindow(innerTop->GetHandle(), GW_HWNDNEXT), inner->GetHandle());
    bottom->BringToFront();
    EXPECT_EQ(GetWindow(Form->GetHandle(), GW_CHILD), bottom->GetHandle());
    EXPECT_EQ(Form->GetControl(Form->GetControlCount() - 1), bottom);
}

// ---------------------------------------------------------------------------
// Layout

TEST_F(ControlsTest, AlignedChildrenShareTheClientAreaInAlignmentOrder) {
    Form->SetClientWidth(400);
    Form->SetClientHeight(300);
    auto* client = Make<TProbe>(Form, 0, 0, 10, 10);
    auto* left = Make<TProbe>(Form, 0, 0, 80, 10);
    auto* top = Make<TProbe>(Form, 0, 0, 10, 50);
    auto* bottom = Make<TProbe>(Form, 0, 0, 10, 30);
    auto* right = Make<TProbe>(Form, 0, 0, 40, 10);
    client->SetAlign(alClient);
    left->SetAlign(alLeft);
    top->SetAlign(alTop);
    bottom->SetAlign(alBottom);
    right->SetAlign(alRight);

    EXPECT_EQ(top->GetBoundsRect(), TRect(0, 0, 400, 50));
    EXPECT_EQ(bottom->GetBoundsRect(), TRect(0, 270, 400, 300));
    EXPECT_EQ(left->GetBoundsRect(), TRect(0, 50, 80, 270));
    EXPECT_EQ(right->GetBoundsRect(), TRect(360, 50, 400, 270));
    EXPECT_EQ(client->GetBoundsRect(), TRect(80, 50, 360, 270));

    // The same after the window exists, and again when it is resized.
    Form->Show();
    EXPECT_EQ(Form->GetClientRect(), TRect(0, 0, 400, 300));
    EXPECT_EQ(client->GetBoundsRect(), TRect(80, 50, 360, 270));
    Form->SetClientWidth(500);
    EXPECT_EQ(top->GetBoundsRect(), TRect(0, 0, 500, 50));
    EXPECT_EQ(right->GetBoundsRect(), TRect(460, 50, 500, 270));
    EXPECT_EQ(client->GetBoundsRect(), TRect(80, 50, 460, 270));
    RECT r;
    GetWindowRect(client->GetHandle(), &r);
    EXPECT_EQ(r.right - r.left, 380);
}

TEST_F(ControlsTest, SiblingsOfEqualAlignmentKeepTheirOrderByPositionThenCreation) {
    Form->SetClientWidth(300);
    Form->SetClientHeight(300);
    auto* first = Make<TProbe>(Form, 0, 100, 10, 20);
    auto* second = Make<TProbe>(Form, 0, 10, 10, 30);
    auto* third = Make<TProbe>(Form, 0, 100, 10, 40);
    // Aligned together, so that first and third tie on their position.
    Form->DisableAlign();
    third->SetAlign(alTop);
    second->SetAlign(alTop);
    first->SetAlign(alTop);
    Form->EnableAlign();
    EXPECT_EQ(second->GetTop(), 0);
    EXPECT_EQ(first->GetTop(), 30);
    EXPECT_EQ(third->GetTop(), 50);

    // A height change of one of them moves the ones below.
    second->SetHeight(5);
    EXPECT_EQ(first->GetTop(), 5);
    EXPECT_EQ(third->GetTop(), 25);
    // A hidden one leaves its place.
    first->SetVisible(false);
    EXPECT_EQ(third->GetTop(), 5);
}

TEST_F(ControlsTest, AControlBeingAlignedKeepsItsPlaceAgainstSiblingsOfItsAlignment) {
    Form->SetClientWidth(400);
    Form->SetClientHeight(300);
    // A splitter aligned first, then the pane given the place left of it.
    auto* splitter = Make<TProbe>(Form, 0, 0, 10, 10);
    splitter->SetAlign(alLeft);
    auto* pane = Make<TProbe>(Form, 0, 0, 200, 10);
    pane->SetAlign(alLeft);
    EXPECT_EQ(pane->GetLeft(), 0);
    EXPECT_EQ(splitter->GetLeft(), 200);

    // Right-aligned ones put at the right end in turn read in creation order; one put
    // further in stays there, also when a width changes.
    std::vector<TProbe*> right;
    for (int i = 0; i < 3; ++i) {
        right.push_back(Make<TProbe>(Form, 400, 0, 20, 10));
        right.back()->SetAlign(alRight);
    }
    auto* inner = Make<TProbe>(Form, right[0]->GetLeft() - 30, 0, 30, 10);
    inner->SetAlign(alRight);
    right[1]->SetWidth(25);
    EXPECT_EQ(right[2]->GetLeft(), 380);
    EXPECT_EQ(right[1]->GetLeft(), 355);
    EXPECT_EQ(right[0]->GetLeft(), 335);
    EXPECT_EQ(inner->GetLeft(), 305);
}

TEST_F(ControlsTest, ScrollByMovesEveryChildWindowedOrNotAndTheScreenFollows) {
    Form->Show();
    auto* box = Make<TProbe>(Form, 10, 10, 200, 150);
    auto* windowed = Make<TProbe>(box, 20, 30, 40, 40);
    auto* shape = Make<TShape>(box, 100, 60, 30, 30);
    auto* aligned = Make<TProbe>(box, 0, 0, 10, 20);
    aligned->SetAlign(alBottom);
    box->ScrollBy(-15, 25);
    EXPECT_EQ(windowed->GetBoundsRect(), TRect(5, 55, 45, 95));
    EXPECT_EQ(shape->GetBoundsRect(), TRect(85, 85, 115, 115));
    EXPECT_EQ(aligned->GetBoundsRect(), TRect(0, 130, 200, 150)) << "an aligned child keeps its place";
    RECT r;
    GetWindowRect(windowed->GetHandle(), &r);
    const TPoint origin = box->ClientToScreen(TPoint(0, 0));
    EXPECT_EQ(r.left - origin.X, 5);
    EXPECT_EQ(r.top - origin.Y, 55);
    auto shot = CaptureWindow(box->GetHandle());
    EXPECT_EQ(PixelOf(shot.get(), 90, 90), RGB(0, 0, 255)) << "the shape is painted where it went";
    box->ScrollBy(0, 0);
    EXPECT_EQ(windowed->GetLeft(), 5);
}

TEST_F(ControlsTest, ChangesMadeWhileTheFormIsHiddenAllShowAtItsFirstShow) {
    auto* box = Make<TProbe>(Form, 10, 10, 200, 150);
    auto* inner = Make<TProbe>(box, 20, 30, 40, 40);
    auto* shape = Make<TShape>(box, 100, 60, 30, 30);
    Form->HandleNeeded();
    ASSERT_FALSE(IsWindowVisible(Form->GetHandle()));
    // Invalidating a window that is not on the screen is skipped; showing paints it whole.
    box->Fill = RGB(0, 160, 0);
    inner->Fill = RGB(200, 200, 0);
    shape->Fill = RGB(0, 0, 120);
    box->Invalidate();
    inner->Invalidate();
    shape->Invalidate();
    shape->SetVisible(false);
    shape->SetVisible(true);
    Form->Show();
    Pump();
    auto shot = CaptureWindow(box->GetHandle());
    EXPECT_EQ(PixelOf(shot.get(), 5, 5), RGB(0, 160, 0));
    EXPECT_EQ(PixelOf(shot.get(), 40, 50), RGB(200, 200, 0));
    EXPECT_EQ(PixelOf(shot.get(), 110, 70), RGB(0, 0, 120));
    // Once shown, an invalidation marks the window again.
    inner->Invalidate();
    EXPECT_TRUE(GetUpdateRect(inner->GetHandle(), nullptr, FALSE));
}

TEST_F(ControlsTest, DisablingOrEnablingShowsOnTheControlAndOnEveryWindowInsideIt) {
    auto* lone = Make<TGreyingProbe>(Form, 10, 10, 60, 40);
    auto* box = Make<TGreyingProbe>(Form, 100, 10, 200, 150);
    auto* inner = Make<TGreyingProbe>(box, 20, 30, 40, 40);
    lone->Fill = box->Fill = RGB(0, 150, 0);
    inner->Fill = RGB(200, 200, 0);
    Form->Show();
    Pump();
    const auto looks = [&](TWinControl* Control, COLORREF Expected) {
        const auto shot = ScreenShot(Control->GetHandle());
        return PixelOf(shot.get(), 5, 5) == Expected;
    };
    const COLORREF grey = TGreyingProbe::kGrey;
    lone->SetEnabled(false);
    box->SetEnabled(false);
    EXPECT_TRUE(looks(lone, grey));
    EXPECT_TRUE(looks(box, grey));
    // The window inside is enabled itself; it looks disabled with the box around it.
    EXPECT_TRUE(looks(inner, grey));
    lone->SetEnabled(true);
    box->SetEnabled(true);
    EXPECT_TRUE(looks(lone, RGB(0, 150, 0)));
    EXPECT_TRUE(looks(box, RGB(0, 150, 0)));
    EXPECT_TRUE(looks(inner, RGB(200, 200, 0)));
}

TEST_F(ControlsTest, AFrameAroundTheClientAreaIsPaintedAndAWindowWithoutOneIsAllClient) {
    auto* plain = Make<TProbe>(Form, 10, 10, 60, 40);
    auto* bordered = Make<TBorderedProbe>(Form, 100, 10, 60, 40);
    plain->Fill = bordered->Fill = RGB(0, 150, 0);
    Form->Show();
    auto plainShot = ScreenShot(plain->GetHandle());
    EXPECT_EQ(PixelOf(plainShot.get(), 0, 0), RGB(0, 150, 0));
    EXPECT_EQ(PixelOf(plainShot.get(), 59, 39), RGB(0, 150, 0));
    auto borderedShot = ScreenShot(bordered->GetHandle());
    EXPECT_EQ(PixelOf(borderedShot.get(), 0, 0), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(PixelOf(borderedShot.get(), 59, 39), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(PixelOf(borderedShot.get(), 30, 20), RGB(0, 150, 0));
}

// A window of another thread, as another program's would be, shown while it lives.
class TWindowElsewhere {
public:
    TWindowElsewhere() {
        FThread = std::thread([this] {
            WNDCLASSA wc{};
            wc.lpfnWndProc = DefWindowProcA;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.lpszClassName = "ControlsTestElsewhere";
            RegisterClassA(&wc);
            HWND wnd = CreateWindowExA(0, wc.lpszClassName, "Elsewhere", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                       500, 60, 200, 120, nullptr, nullptr, wc.hInstance, nullptr);
            FThreadId = GetCurrentThreadId();
            FWnd = wnd;
            MSG msg;
            while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
            DestroyWindow(wnd);
        });
        PumpUntil([this] { return FWnd.load() != nullptr; });
    }
    ~TWindowElsewhere() {
        while (!PostThreadMessageA(FThreadId, WM_QUIT, 0, 0)) Sleep(1);
        FThread.join();
    }
    HWND Handle() const { return FWnd; }

private:
    std::atomic<HWND> FWnd{nullptr};
    std::atomic<DWORD> FThreadId{0};
    std::thread FThread;
};

// Which control holds the focus is kept from the windows' own focus messages, without asking
// the system: it must agree with the system wherever the focus goes, moved by the system, to a
// window of no control, to another program, away from a control disabled or whose window is
// destroyed while it holds the focus.
TEST_F(ControlsTest, FocusedAgreesWithTheSystemWhereverTheFocusGoes) {
    auto* a = Make<TProbe>(Form, 10, 10, 60, 30);
    auto* b = Make<TProbe>(Form, 80, 10, 60, 30);
    Form->Show();
    HWND plain = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 150, 10, 60, 20,
                                 Form->GetHandle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(plain);
    std::vector<TProbe*> probes{a, b};
    auto agrees = [&] {
        const HWND focus = GetFocus();
        for (TProbe* p : probes)
            if (p->Focused() != (p->HandleAllocated() && focus == p->GetHandle())) return false;
        return true;
    };
    // Asked again until it holds: other programs on the display may take the focus meanwhile.
    auto moveTo = [&](HWND Target) {
        return PumpUntil([&] {
            if (GetFocus() == Target) return true;
            SetForegroundWindow(Form->GetHandle());
            ::SetFocus(Target);
            return false;
        });
    };
    ASSERT_TRUE(moveTo(a->GetHandle()));
    EXPECT_TRUE(a->Focused());
    EXPECT_FALSE(b->Focused());
    ASSERT_TRUE(moveTo(b->GetHandle()));
    EXPECT_FALSE(a->Focused());
    EXPECT_TRUE(b->Focused());
    ASSERT_TRUE(moveTo(plain));
    EXPECT_FALSE(a->Focused());
    EXPECT_FALSE(b->Focused());

    ASSERT_TRUE(moveTo(a->GetHandle()));
    a->SetEnabled(false);
    Pump();
    EXPECT_FALSE(a->Focused());
    EXPECT_TRUE(agrees());
    a->SetEnabled(true);

    ASSERT_TRUE(moveTo(b->GetHandle()));
    b->RecreateWnd();
    Pump();
    EXPECT_TRUE(agrees());
    ASSERT_TRUE(moveTo(b->GetHandle()));
    EXPECT_TRUE(b->Focused());
    delete b;
    Pump();
    auto* c = Make<TProbe>(Form, 80, 50, 60, 30);
    c->HandleNeeded();
    probes = {a, c};
    EXPECT_TRUE(agrees());

    ASSERT_TRUE(moveTo(a->GetHandle()));
    {
        TWindowElsewhere elsewhere;
        ASSERT_TRUE(elsewhere.Handle());
        EXPECT_TRUE(PumpUntil([&] {
            SetForegroundWindow(elsewhere.Handle());
            return GetForegroundWindow() == elsewhere.Handle();
        }));
        Pump();
        EXPECT_TRUE(agrees());
    }
    ASSERT_TRUE(moveTo(a->GetHandle()));
    EXPECT_TRUE(a->Focused());
    EXPECT_TRUE(agrees());
}

TEST_F(ControlsTest, ACloseRequestToAControlsWindowDestroysNothing) {
    auto* panel = Make<TProbe>(Form, 10, 10, 100, 100);
    auto* inner = Make<TProbe>(panel, 5, 5, 20, 20);
    Form->Show();
    HWND outer = panel->GetHandle(), child = inner->GetHandle();
    SendMessageA(outer, WM_CLOSE, 0, 0);
    PostMessageA(child, WM_CLOSE, 0, 0);
    Pump();
    EXPECT_TRUE(IsWindow(outer));
    EXPECT_TRUE(IsWindow(child));
    EXPECT_TRUE(Form->GetVisible());
}

TEST_F(ControlsTest, ConstraintsBoundSizesAlsoUnderAlignment) {
    Form->SetClientWidth(300);
    Form->SetClientHeight(200);
    auto* panel = Make<TProbe>(Form, 0, 0, 50, 50);
    panel->GetConstraints()->SetMaxHeight(40);
    EXPECT_EQ(panel->GetHeight(), 40);
    panel->SetBounds(0, 0, 10, 500);
    EXPECT_EQ(panel->GetHeight(), 40);
    panel->GetConstraints()->SetMinWidth(30);
    EXPECT_EQ(panel->GetWidth(), 30);
    panel->SetAlign(alClient);
    EXPECT_EQ(panel->GetBoundsRect(), TRect(0, 0, 300, 40));
}

TEST_F(ControlsTest, AnchoredChildrenFollowTheEdgesOfTheirParent) {
    auto* parent = Make<TProbe>(Form, 0, 0, 200, 100);
    auto* pinned = Make<TProbe>(parent, 150, 70, 40, 20);
    auto* stretched = Make<TProbe>(parent, 10, 10, 180, 20);
    pinned->SetAnchors({akRight, akBottom});
    stretched->SetAnchors({akLeft, akTop, akRight});
    parent->SetBounds(0, 0, 300, 150);
    EXPECT_EQ(pinned->GetBoundsRect(), TRect(250, 120, 290, 140));
    EXPECT_EQ(stretched->GetBoundsRect(), TRect(10, 10, 290, 30));
}

// Scrolling may take a child far past any place a form holds.
TEST_F(ControlsTest, AChildFarPastItsParentKeepsItsShareAsTheParentGrows) {
    auto* parent = Make<TProbe>(Form, 0, 0, 100, 1000);
    auto* distant = Make<TProbe>(parent, 0, 100000, 20, 10);
    distant->SetAnchors({akLeft});
    parent->SetHeight(30000);
    EXPECT_EQ(distant->GetTop(), 3000145) << "its centre 100005 of 1000 is 3000150 of 30000";
}

TEST_F(ControlsTest, ChildrenTakeTheParentsFontAndColourUntilTheyHaveTheirOwn) {
    auto* child = Make<TProbe>(Form, 0, 0, 20, 20);
    child->SetParentColor(true);
    Form->GetFont()->SetHeight(-20);
    Form->SetColor(clRed);
    EXPECT_EQ(child->GetFont()->GetHeight(), -20);
    EXPECT_EQ(child->GetColor(), clRed);
    child->GetFont()->SetHeight(-9);
    EXPECT_FALSE(child->GetParentFont());
    Form->GetFont()->SetHeight(-30);
    EXPECT_EQ(child->GetFont()->GetHeight(), -9);
    EXPECT_TRUE(child->GetParentColor());
}

// ---------------------------------------------------------------------------
// Mouse

TEST_F(ControlsTest, APressAndReleaseIsMouseDownClickMouseUpWithTheMouseCapturedBetween) {
    auto* probe = Make<TProbe>(Form, 10, 10, 50, 50);
    Form->Show();
    SendMessageA(probe->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 6));
    EXPECT_EQ(GetCapture(), probe->GetHandle());
    EXPECT_TRUE(probe->GetMouseCapture());
    SendMessageA(probe->GetHandle(), WM_LBUTTONUP, 0, At(7, 8));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Clicks(probe->Log), (std::vector<std::string>{"down 5,6", "click", "up 7,8"}));

    // A release outside the control is no click.
    probe->Log.clear();
    SendMessageA(probe->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 6));
    SendMessageA(probe->GetHandle(), WM_LBUTTONUP, 0, At(-20, 6));
    EXPECT_EQ(Clicks(probe->Log), (std::vector<std::string>{"down 5,6", "up -20,6"}));
}

TEST_F(ControlsTest, PostedMouseMessagesArriveInOrderThroughTheLoop) {
    auto* probe = Make<TProbe>(Form, 10, 10, 50, 50);
    Form->Show();
    HWND wnd = probe->GetHandle();
    PostMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, At(1, 1));
    PostMessageA(wnd, WM_LBUTTONUP, 0, At(1, 1));
    PostMessageA(wnd, WM_LBUTTONDBLCLK, MK_LBUTTON, At(2, 2));
    PostMessageA(wnd, WM_LBUTTONUP, 0, At(2, 2));
    Pump();
    EXPECT_EQ(Clicks(probe->Log), (std::vector<std::string>{"down 1,1", "click", "up 1,1", "dblclick",
                                                    "down2 2,2", "up 2,2"}));
}

TEST_F(ControlsTest, TheMouseOverAWindowlessChildGoesToItInItsOwnCoordinates) {
    auto* parent = Make<TProbe>(Form, 10, 10, 200, 150);
    auto* shape = Make<TShape>(parent, 20, 30, 50, 40);
    auto* below = Make<TShape>(parent, 0, 0, 100, 100);
    shape->BringToFront();
    Form->Show();
    HWND wnd = parent->GetHandle();
    SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, At(25, 35));
    // The button is held: the shape keeps the mouse even outside its bounds.
    SendMessageA(wnd, WM_MOUSEMOVE, MK_LBUTTON, At(150, 120));
    SendMessageA(wnd, WM_LBUTTONUP, 0, At(150, 120));
    EXPECT_EQ(shape->Log, (std::vector<std::string>{"down 5,5", "move 130,90", "up 130,90"}));
    EXPECT_TRUE(below->Log.empty());
    EXPECT_TRUE(Clicks(parent->Log).empty());

    // Disabled and hidden shapes are passed over.
    shape->Log.clear();
    shape->SetEnabled(false);
    SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, At(25, 35));
    SendMessageA(wnd, WM_LBUTTONUP, 0, At(25, 35));
    EXPECT_TRUE(shape->Log.empty());
    EXPECT_EQ(Clicks(below->Log), (std::vector<std::string>{"down 25,35", "click", "up 25,35"}));
    below->SetVisible(false);
    SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, At(25, 35));
    EXPECT_EQ(Clicks(parent->Log), (std::vector<std::string>{"down 25,35"}));
    SendMessageA(wnd, WM_LBUTTONUP, 0, At(25, 35));
}

// A probe with a shape inside, on the form shown on top of everything, and the pointer: the
// real one goes to a point of the probe, which hears of it at once, as from a real move.
class PointerTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        Parent = Make<TProbe>(Form, 10, 10, 200, 150);
        Shape = Make<TShape>(Parent, 20, 30, 50, 40);
        // Out of the way of the windows of other programs on the display.
        Form->SetBounds(760, 560, 260, 200);
        Form->Show();
        SetWindowPos(Form->GetHandle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        Pump();
    }
    void MoveTo(int X, int Y) {
        const TPoint screen = Parent->ClientToScreen({X, Y});
        SetCursorPos(screen.X, screen.Y);
        SendMessageA(Parent->GetHandle(), WM_MOUSEMOVE, 0, At(X, Y));
    }

    TProbe* Parent = nullptr;
    TShape* Shape = nullptr;
};

TEST_F(PointerTest, ThePointerEnteringAndLeavingReachesWindowedAndWindowlessControls) {
    HWND wnd = Parent->GetHandle();
    MoveTo(100, 100);
    MoveTo(30, 40);
    MoveTo(35, 45);
    MoveTo(150, 100);
    EXPECT_EQ(Parent->Log, (std::vector<std::string>{"enter", "leave", "enter"}));
    EXPECT_EQ(Shape->Log, (std::vector<std::string>{"enter", "move 10,10", "move 15,15", "leave"}));
    SendMessageA(wnd, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(Parent->Log.back(), "leave");
    EXPECT_EQ(GetMouseControl(), nullptr);
    SetCursorPos(0, 0);
}

TEST_F(PointerTest, ThePointerWatchTellsTheControlThePointerLeftWhenTheSystemDoesNot) {
    // The first control the pointer comes to starts the watch's timer, as at the program's
    // start: its ticks come.
    controls_detail::StopPointerWatch();
    MoveTo(100, 100);
    ASSERT_EQ(GetMouseControl(), Parent);
    EXPECT_TRUE(IsMouseControlWatched()) << "watching while a control is under the pointer";
    // A window comes over the control under the resting pointer: the system says nothing, the
    // watch's own ticks do (a button: a static window lets the pointer through to what is
    // below).
    const TPoint corner = Parent->ClientToScreen({0, 0});
    auto cover = [&] {
        return CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "BUTTON", "", WS_POPUP | WS_VISIBLE,
                               corner.X, corner.Y, 120, 120, nullptr, nullptr, nullptr, nullptr);
    };
    HWND window = cover();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(PumpUntil([] { return GetMouseControl() == nullptr; })) << "the watch never looked";
    EXPECT_EQ(Parent->Log, (std::vector<std::string>{"enter", "leave"}));
    DestroyWindow(window);

    // Off all of the program's windows at once. Each look is taken here, at once, before any
    // message the moves may bring is handled.
    MoveTo(150, 100);
    ASSERT_EQ(GetMouseControl(), Parent);
    Parent->Log.clear();
    SetCursorPos(5, 5);
    CheckMouseControl();
    EXPECT_EQ(Parent->Log, (std::vector<std::string>{"leave"}));
    EXPECT_EQ(GetMouseControl(), nullptr);
    EXPECT_FALSE(IsMouseControlWatched()) << "no watching with no control under the pointer";

    // A window that comes over a window-less control under a resting pointer.
    MoveTo(30, 40);
    ASSERT_EQ(GetMouseControl(), Shape);
    window = cover();
    CheckMouseControl();
    EXPECT_EQ(Shape->Log.back(), "leave");
    EXPECT_EQ(GetMouseControl(), nullptr);
    DestroyWindow(window);

    // Over the control's own window, where the system's mouse messages would say the same,
    // a look changes nothing; the watch's own timer takes the looks.
    MoveTo(150, 100);
    CheckMouseControl();
    EXPECT_EQ(GetMouseControl(), Parent);
    SetCursorPos(5, 5);
    EXPECT_TRUE(PumpUntil([] { return GetMouseControl() == nullptr; })) << "the watch never looked";
    EXPECT_EQ(Parent->Log.back(), "leave");

    // A control holding the mouse hears of every move itself: the watch leaves it be.
    MoveTo(150, 100);
    SetCaptureControl(Parent);
    SetCursorPos(5, 5);
    CheckMouseControl();
    EXPECT_EQ(GetMouseControl(), Parent);
    SetCaptureControl(nullptr);
    CheckMouseControl();
    EXPECT_EQ(GetMouseControl(), nullptr);
    // One that holds the mouse for its own ends tells no other control: the watch does.
    MoveTo(150, 100);
    SetCaptureControl(Form);
    SetCursorPos(5, 5);
    CheckMouseControl();
    EXPECT_EQ(GetMouseControl(), nullptr);
    SetCaptureControl(nullptr);
    Pump();
}

TEST_F(PointerTest, AControlThatGoesWhileHoldingTheMouseLetsItGoAndNoOtherDoes) {
    // A window-less control holds the mouse through its parent's window.
    SetCaptureControl(Shape);
    ASSERT_EQ(GetCaptureControl(), Shape);
    delete Shape;
    Shape = nullptr;
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(GetCaptureControl(), nullptr);

    // A control going while another holds the mouse leaves the holder be.
    auto* other = Make<TShape>(Parent, 100, 30, 20, 20);
    auto* child = Make<TProbe>(Parent, 130, 30, 40, 40);
    child->HandleNeeded();
    SetCaptureControl(Parent);
    delete other;
    delete child;
    EXPECT_EQ(GetCaptureControl(), Parent);

    // A windowed control takes the capture with its window.
    child = Make<TProbe>(Parent, 130, 30, 40, 40);
    child->HandleNeeded();
    SetCaptureControl(child);
    ASSERT_EQ(GetCapture(), child->GetHandle());
    delete child;
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(GetCaptureControl(), nullptr);
}

class TTestPopup : public TComponent, public TPopupHost {
    DECLARE_CLASS(TTestPopup, TComponent)
public:
    using TComponent::TComponent;
    std::vector<TPoint> Shown;
    std::vector<TComponent*> OpenedFor;
    void SetPopupComponent(TComponent* Value) override { OpenedFor.push_back(Value); }
    void Popup(int X, int Y) override { Shown.push_back({X, Y}); }
};

TEST_F(ControlsTest, ARightClickOpensThePopupMenuOfTheControlUnderThePointer) {
    auto* parent = Make<TProbe>(Form, 10, 10, 200, 150);
    auto* child = Make<TProbe>(parent, 100, 10, 50, 50);
    auto* shape = Make<TShape>(parent, 20, 30, 50, 40);
    auto* parentMenu = new TTestPopup(Form);
    auto* shapeMenu = new TTestPopup(Form);
    parent->SetPopupMenu(parentMenu);
    shape->SetPopupMenu(shapeMenu);
    Form->Show();
    auto rightClick = [](HWND Wnd, int X, int Y) {
        SendMessageA(Wnd, WM_RBUTTONDOWN, MK_RBUTTON, At(X, Y));
        SendMessageA(Wnd, WM_RBUTTONUP, 0, At(X, Y));
    };
    rightClick(parent->GetHandle(), 30, 40);
    ASSERT_EQ(shapeMenu->Shown.size(), 1u);
    EXPECT_EQ(shapeMenu->Shown[0], parent->ClientToScreen({30, 40}));
    EXPECT_EQ(shapeMenu->OpenedFor, std::vector<TComponent*>{shape});
    EXPECT_TRUE(parentMenu->Shown.empty());

    rightClick(parent->GetHandle(), 150, 120);
    rightClick(child->GetHandle(), 5, 5);
    ASSERT_EQ(parentMenu->Shown.size(), 2u);
    EXPECT_EQ(parentMenu->Shown[1], child->ClientToScreen({5, 5}));
    EXPECT_EQ(parentMenu->OpenedFor, (std::vector<TComponent*>{parent, parent}));

    delete shapeMenu;
    EXPECT_EQ(shape->GetPopupMenu(), nullptr);
    EXPECT_THROW(shape->SetPopupMenu(Form), EInvalidOperation);
}

// ---------------------------------------------------------------------------
// Painting

class TDibTarget {
public:
    TDibTarget(int Width, int Height) : FWidth(Width) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = Width;
        info.bmiHeader.biHeight = -Height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        FBitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        FBits = static_cast<DWORD*>(bits);
        FDC = CreateCompatibleDC(nullptr);
        FOld = SelectObject(FDC, FBitmap);
        std::fill(FBits, FBits + Width * Height, 0x00FFFFFF);
    }
    ~TDibTarget() {
        SelectObject(FDC, FOld);
        DeleteDC(FDC);
        DeleteObject(FBitmap);
    }
    HDC DC() const { return FDC; }
    // 0xRRGGBB
    DWORD Pixel(int X, int Y) const {
        GdiFlush();
        return FBits[Y * FWidth + X] & 0xFFFFFF;
    }

private:
    int FWidth;
    HBITMAP FBitmap;
    DWORD* FBits;
    HDC FDC;
    HGDIOBJ FOld;
};

TEST_F(ControlsTest, WMPaintWithADCPaintsIntoThatDCWithWindowlessChildrenInTheirBounds) {
    auto* parent = Make<TProbe>(Form, 10, 10, 100, 80);
    auto* shape = Make<TShape>(parent, 20, 30, 10, 10);
    (void)shape;
    Form->Show();
    TDibTarget target(100, 80);
    parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(target.DC()), 0);
    EXPECT_EQ(target.Pixel(5, 5), 0xFF0000u);
    EXPECT_EQ(target.Pixel(20, 30), 0x0000FFu);
    EXPECT_EQ(target.Pixel(29, 39), 0x0000FFu);
    // The shape paints far beyond its bounds, but only its bounds show it.
    EXPECT_EQ(target.Pixel(19, 30), 0xFF0000u);
    EXPECT_EQ(target.Pixel(30, 39), 0xFF0000u);
    EXPECT_EQ(target.Pixel(25, 40), 0xFF0000u);
}

TEST_F(ControlsTest, APaintIntoAShiftedDCShiftsTheWindowlessChildrenAlike) {
    // As a control does that captures its parent's picture behind itself.
    auto* parent = Make<TProbe>(Form, 10, 10, 100, 80);
    Make<TShape>(parent, 20, 30, 10, 10);
    Form->Show();
    TDibTarget target(60, 60);
    SetViewportOrgEx(target.DC(), -15, -25, nullptr);
    SendMessageA(parent->GetHandle(), WM_PAINT, reinterpret_cast<WPARAM>(target.DC()), 0);
    EXPECT_EQ(target.Pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(target.Pixel(5, 5), 0x0000FFu);
    EXPECT_EQ(target.Pixel(14, 14), 0x0000FFu);
    EXPECT_EQ(target.Pixel(15, 15), 0xFF0000u);
}

TEST_F(ControlsTest, EraseBackgroundWithADCFillsTheControlsColour) {
    auto* parent = Make<TProbe>(Form, 10, 10, 40, 30);
    parent->SetColor(clLime);
    Form->Show();
    TDibTarget target(40, 30);
    EXPECT_EQ(
        SendMessageA(parent->GetHandle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(target.DC()), 0),
        1);
    EXPECT_EQ(target.Pixel(39, 29), 0x00FF00u);
}

TEST_F(ControlsTest, NoGdiObjectLeaksOverManyCreatePaintFreeCycles) {
    delete Form;
    Form = nullptr;
    long before = GdiObjectCount();
    for (int i = 0; i < 100; ++i) {
        auto* form = new TForm(nullptr);
        form->SetBounds(40, 40, 200, 150);
        auto* probe = new TProbe(form);
        probe->SetParent(form);
        probe->SetBounds(5, 5, 100, 80);
        auto* shape = new TShape(form);
        shape->SetParent(probe);
        shape->SetBounds(10, 10, 20, 20);
        probe->GetFont()->SetHeight(-14);
        probe->SetColor(clYellow);
        form->Show();
        probe->Repaint();
        shape->Repaint();
        probe->GetCanvas()->TextWidth("outside painting");
        TDibTarget target(100, 80);
        probe->Perform(WM_PAINT, reinterpret_cast<WPARAM>(target.DC()), 0);
        delete form;
    }
    Pump();
    EXPECT_EQ(GdiObjectCount(), before);
    Form = new TForm(nullptr);
}

} // namespace

// MDI forms of the class library on real windows: the client window beside the aligned
// controls, the children in it (order, activation, hiding, deletion), the system's
// arrangements, the children's keys (Ctrl+F4, Ctrl+F6), a main form set in code, and the
// hook on a window the library did not make.
#include "classlib/Exceptions.h"
#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "classlib/Panels.h"
#include "classlib/WindowHook.h"

#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

TRect ChildRect(HWND Wnd) {
    RECT r;
    GetWindowRect(Wnd, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(Wnd), reinterpret_cast<POINT*>(&r), 2);
    return TRect(r.left, r.top, r.right, r.bottom);
}

bool Overlap(const TRect& A, const TRect& B) {
    return A.Left < B.Right && B.Left < A.Right && A.Top < B.Bottom && B.Top < A.Bottom;
}

class MDITest : public testing::Test {
protected:
    void SetUp() override {
        Application->OnException = TExceptionEvent::FromCallable(
            [this](TObject*, const std::exception& E) { Errors.push_back(E.what()); });
        Main = new TForm(nullptr);
        Main->SetFormStyle(fsMDIForm);
        Main->SetBounds(40, 40, 600, 450);
        Application->SetMainForm(Main);
        Top = new TPanel(Main);
        Top->SetParent(Main);
        Top->SetAlign(alTop);
        Top->SetHeight(30);
        Left = new TPanel(Main);
        Left->SetParent(Main);
        Left->SetAlign(alLeft);
        Left->SetWidth(50);
        Main->Show();
        Pump();
    }
    void TearDown() override {
        for (TCustomForm* child : Main->GetMDIChildList())
            delete child;
        delete Main;
        Pump();
        Application->OnException = nullptr;
        EXPECT_EQ(Application->GetMainForm(), nullptr);
        EXPECT_TRUE(Errors.empty()) << Errors.front();
    }
    TForm* NewChild(const char* Name, int Left = 10, int Top = 10) {
        auto* child = new TForm(nullptr);
        child->SetName(Name);
        child->SetCaption(Name);
        child->SetFormStyle(fsMDIChild);
        child->SetBounds(Left, Top, 200, 150);
        child->Show();
        Pump();
        return child;
    }
    bool Activate() {
        for (int i = 0; i < 50 && GetForegroundWindow() != Main->GetHandle(); ++i) {
            SetForegroundWindow(Main->GetHandle());
            Pump();
        }
        return GetForegroundWindow() == Main->GetHandle();
    }

    TForm* Main = nullptr;
    TPanel* Top = nullptr;
    TPanel* Left = nullptr;
    std::vector<std::string> Errors;
};

TEST_F(MDITest, TheClientWindowTakesWhatTheAlignedControlsLeave) {
    HWND client = Main->GetClientHandle();
    ASSERT_NE(client, nullptr);
    const TRect r = ChildRect(client);
    EXPECT_EQ(r.Left, 50);
    EXPECT_EQ(r.Top, 30);
    EXPECT_EQ(r.Right, Main->GetClientWidth());
    EXPECT_EQ(r.Bottom, Main->GetClientHeight());
    Main->SetBounds(40, 40, 500, 400);
    Pump();
    EXPECT_EQ(ChildRect(client).Right, Main->GetClientWidth()) << "it follows the form's size";
    Top->SetVisible(false);
    Pump();
    EXPECT_EQ(ChildRect(client).Top, 0);
}

TEST_F(MDITest, ChildrenAreListedFromTheTopAndTheShownOneIsActive) {
    TForm* a = NewChild("ChildA");
    TForm* b = NewChild("ChildB", 40, 40);
    TForm* c = NewChild("ChildC", 70, 70);
    EXPECT_EQ(GetParent(a->GetHandle()), Main->GetClientHandle());
    ASSERT_EQ(Main->GetMDIChildCount(), 3);
    EXPECT_EQ(Main->GetActiveMDIChild(), c);
    EXPECT_EQ(Main->GetMDIChildren(0), c);
    EXPECT_EQ(Main->GetMDIChildren(2), a);
    EXPECT_THROW(Main->GetMDIChildren(3), EListError);
    a->Show();
    Pump();
    EXPECT_EQ(Main->GetActiveMDIChild(), a);
    EXPECT_EQ(Main->GetMDIChildren(0), a);
    EXPECT_EQ(ChildRect(b->GetHandle()).Left, 40) << "children stand in client coordinates";
    EXPECT_EQ(b->GetLeft(), 40);
    a->SetVisible(false);
    Pump();
    EXPECT_NE(Main->GetActiveMDIChild(), a) << "hiding the active child hands the activation on";
    EXPECT_TRUE(Main->GetActiveMDIChild() == b || Main->GetActiveMDIChild() == c);
    EXPECT_EQ(Main->GetMDIChildCount(), 3) << "a hidden child is still a child";
    delete Main->GetActiveMDIChild();
    Pump();
    EXPECT_EQ(Main->GetMDIChildCount(), 2);
    ASSERT_NE(Main->GetActiveMDIChild(), nullptr) << "deleting the active child activates another";
    EXPECT_TRUE(IsWindowVisible(Main->GetActiveMDIChild()->GetHandle()));
}

TEST_F(MDITest, TheActivationReachesTheChildsEvents) {
    std::vector<std::string> log;
    TForm* a = NewChild("ChildA");
    TForm* b = NewChild("ChildB", 40, 40);
    for (TForm* f : {a, b}) {
        f->OnActivate = TNotifyEvent::FromCallable(
            [&log, f](TObject*) { log.push_back("activate " + f->GetName()); });
        f->OnDeactivate = TNotifyEvent::FromCallable(
            [&log, f](TObject*) { log.push_back("deactivate " + f->GetName()); });
    }
    a->Show();
    Pump();
    EXPECT_EQ(log, (std::vector<std::string>{"deactivate ChildB", "activate ChildA"}));
    EXPECT_TRUE(a->GetActive());
    EXPECT_FALSE(b->GetActive());
}

TEST_F(MDITest, TheSystemsArrangementsPlaceTheChildren) {
    std::vector<TForm*> children{NewChild("ChildA"), NewChild("ChildB", 20, 20),
                                 NewChild("ChildC", 30, 30)};
    Main->Tile();
    Pump();
    const TRect area = ChildRect(Main->GetClientHandle());
    for (std::size_t i = 0; i < children.size(); ++i)
        for (std::size_t j = i + 1; j < children.size(); ++j)
            EXPECT_FALSE(
                Overlap(ChildRect(children[i]->GetHandle()), ChildRect(children[j]->GetHandle())));
    for (TForm* c : children)
        EXPECT_LE(ChildRect(c->GetHandle()).Right, area.Width());
    Main->Cascade();
    Pump();
    std::vector<int> lefts;
    for (TCustomForm* c : Main->GetMDIChildList())
        lefts.push_back(ChildRect(c->GetHandle()).Left);
    EXPECT_TRUE(std::is_sorted(lefts.rbegin(), lefts.rend())) << "the top child stands furthest in";
    EXPECT_LT(lefts.back(), lefts.front());
    children[0]->SetWindowState(wsMinimized);
    Pump();
    Main->ArrangeIcons();
    Pump();
    EXPECT_TRUE(IsIconic(children[0]->GetHandle()));
    EXPECT_GT(ChildRect(children[0]->GetHandle()).Top, area.Height() / 2)
        << "icons line the bottom";
}

TEST_F(MDITest, CtrlF4ClosesTheActiveChildAndCtrlF6MovesToTheNext) {
    TForm* a = NewChild("ChildA");
    TForm* b = NewChild("ChildB", 40, 40);
    ASSERT_TRUE(Activate());
    std::vector<std::string> closed;
    b->OnClose = TCloseEvent::FromCallable([&](TObject*, TCloseAction& Action) {
        closed.push_back("ChildB");
        Action = caFree;
    });
    PressCtrlKey(VK_F6);
    EXPECT_EQ(Main->GetActiveMDIChild(), a);
    PressCtrlKey(VK_F6);
    EXPECT_EQ(Main->GetActiveMDIChild(), b);
    PressCtrlKey(VK_F4);
    Pump();
    EXPECT_EQ(closed, (std::vector<std::string>{"ChildB"}));
    EXPECT_EQ(Main->GetMDIChildCount(), 1);
    EXPECT_EQ(Main->GetActiveMDIChild(), a);
}

TEST_F(MDITest, MinimizingTheApplicationLeavesTheChildrenInTheirMainForm) {
    TForm* a = NewChild("ChildA");
    Application->Minimize();
    Pump();
    EXPECT_TRUE(IsIconic(Main->GetHandle()));
    EXPECT_NE(GetWindowLongPtrA(a->GetHandle(), GWL_STYLE) & WS_VISIBLE, 0)
        << "not hidden on its own";
    Application->Restore();
    Pump();
    EXPECT_FALSE(IsIconic(Main->GetHandle()));
    EXPECT_TRUE(IsWindowVisible(a->GetHandle()));
    EXPECT_EQ(Main->GetActiveMDIChild(), a);
}

TEST_F(MDITest, AChildNeedsAnMDIMainForm) {
    Application->SetMainForm(nullptr);
    auto* child = new TForm(nullptr);
    child->SetFormStyle(fsMDIChild);
    child->SetBounds(0, 0, 100, 100);
    EXPECT_THROW(child->Show(), EInvalidOperation);
    delete child;
    Application->SetMainForm(Main);
}

TEST_F(MDITest, TheWindowMenuIsForgottenWithItsItem) {
    auto* item = new TMenuItem(nullptr);
    Main->SetWindowMenu(item);
    EXPECT_EQ(Main->GetWindowMenu(), item);
    delete item;
    EXPECT_EQ(Main->GetWindowMenu(), nullptr);
}

TEST(WindowProcHookTest, AForeignWindowsMessagesPassThroughTheHookUntilItLetsGo) {
    HWND edit = CreateWindowExA(0, "EDIT", "text", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);
    const LONG_PTR own = GetWindowLongPtrA(edit, GWLP_WNDPROC);
    std::vector<UINT> seen;
    TWindowProcHook hook;
    hook.Hook(edit, TWndMethod::FromCallable([&](TMessage& M) {
                  seen.push_back(M.Msg);
                  if (M.Msg == WM_GETTEXTLENGTH)
                      M.Result = 99;
                  else
                      hook.CallPrevious(M);
              }));
    EXPECT_EQ(SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0), 99);
    char text[16] = {};
    SendMessageA(edit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "text") << "what the hook leaves reaches the window's own procedure";
    EXPECT_NE(std::find(seen.begin(), seen.end(), UINT(WM_GETTEXT)), seen.end());
    hook.Unhook();
    EXPECT_EQ(GetWindowLongPtrA(edit, GWLP_WNDPROC), own);
    EXPECT_EQ(SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0), 4);
    hook.Hook(edit, TWndMethod::FromCallable([&](TMessage& M) { hook.CallPrevious(M); }));
    DestroyWindow(edit);
    EXPECT_FALSE(hook.Hooked()) << "a destroyed window is let go of";
}

// A subclass made the plain way, by a program that knows nothing of the hooks.
WNDPROC gForeignPrevious = nullptr;
LRESULT CALLBACK ForeignProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    return CallWindowProcA(gForeignPrevious, Wnd, Msg, WParam, LParam);
}

class WindowProcHooks : public testing::Test {
protected:
    void SetUp() override {
        Edit = CreateWindowExA(0, "EDIT", "text", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(Edit, nullptr);
        SendMessageA(Edit, EM_SETLIMITTEXT, 123, 0);
        Own = GetWindowLongPtrA(Edit, GWLP_WNDPROC);
    }
    void TearDown() override { DestroyWindow(Edit); }

    // Hook passes everything on, counting the limit queries it sees in Seen.
    void Hook(TWindowProcHook& Hook, int& Seen) {
        Hook.Hook(Edit, TWndMethod::FromCallable([&Hook, &Seen](TMessage& M) {
                      if (M.Msg == EM_GETLIMITTEXT) ++Seen;
                      Hook.CallPrevious(M);
                  }));
    }
    LRESULT Limit() const { return SendMessageA(Edit, EM_GETLIMITTEXT, 0, 0); }

    HWND Edit = nullptr;
    LONG_PTR Own = 0;
};

TEST_F(WindowProcHooks, TwoHooksOnOneWindowEachCallTheOneUnderItAndLetGoInEitherOrder) {
    for (bool firstGoesFirst : {true, false}) {
        TWindowProcHook first, second;
        int seenFirst = 0, seenSecond = 0;
        Hook(first, seenFirst);
        Hook(second, seenSecond);
        EXPECT_EQ(Limit(), 123);
        EXPECT_EQ(seenFirst, 1);
        EXPECT_EQ(seenSecond, 1);
        (firstGoesFirst ? first : second).Unhook();
        EXPECT_EQ(Limit(), 123) << firstGoesFirst;
        EXPECT_EQ(seenFirst, firstGoesFirst ? 1 : 2);
        EXPECT_EQ(seenSecond, firstGoesFirst ? 2 : 1);
        (firstGoesFirst ? second : first).Unhook();
        EXPECT_EQ(Limit(), 123);
        EXPECT_EQ(GetWindowLongPtrA(Edit, GWLP_WNDPROC), Own) << firstGoesFirst;
    }
}

TEST_F(WindowProcHooks, AHookUnderASubclassMadeLaterLeavesTheWindowsOwnProcedureInTheChain) {
    TWindowProcHook hook;
    int seen = 0;
    Hook(hook, seen);
    gForeignPrevious = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(Edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ForeignProc)));
    EXPECT_EQ(Limit(), 123);
    hook.Unhook();
    EXPECT_EQ(Limit(), 123) << "the edit still answers";
    EXPECT_EQ(seen, 1) << "the hook that let go is not called";
    // The subclass goes the plain way too; a new hook takes the window again.
    SetWindowLongPtrA(Edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(gForeignPrevious));
    EXPECT_EQ(Limit(), 123);
    Hook(hook, seen);
    EXPECT_EQ(Limit(), 123);
    EXPECT_EQ(seen, 2);
    DestroyWindow(Edit);
    EXPECT_FALSE(hook.Hooked()) << "a destroyed window is let go of";
}

} // namespace

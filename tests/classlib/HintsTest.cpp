// Hints on a shown form: the real pointer moves over controls; the hint timer is ticked
// by hand (its pauses are set long enough that the system's timer never fires here).
#include "classlib/Forms.h"
#include "classlib/Hints.h"
#include "classlib/Labels.h"
#include "classlib/Panels.h"
#include "classlib/Timers.h"

#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr int kLongPause = 600000;

class HintsTest : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Application->SetHintPause(kLongPause);
        Application->SetHintHidePause(kLongPause + 1);
        Application->OnHint = TNotifyEvent::FromCallable(
            [this](TObject*) { Hints.push_back(Application->GetHint()); });
        Panel = Add<TPanel>(Form, 10, 10, 200, 100);
        Panel->SetHint("Close");
        Panel->SetShowHint(true);
        Label = Add<TLabel>(Panel, 20, 20, 80, 20);
        Other = Add<TPanel>(Form, 10, 150, 200, 100);
        Other->SetHint("Plain");
        Pump();
    }
    void TearDown() override {
        Application->CancelHint();
        Application->SetHintPause(500);
        Application->SetHintHidePause(2500);
        Application->OnHint = nullptr;
        SetCursorPos(0, 0);
        ShownFormTest::TearDown();
    }

    // The real pointer goes to (X, Y) of Control; the move is handled.
    void MoveTo(TControl* Control, int X, int Y) {
        TPoint screen = Control->ClientToScreen({X, Y});
        SetCursorPos(screen.X, screen.Y);
        Pump();
    }
    void Tick() {
        SendMessageA(Application->GetHintTimer()->GetWindowHandle(), WM_TIMER, 1, 0);
        Pump();
    }
    bool Waiting() const {
        TTimer* timer = Application->GetHintTimer();
        return timer && timer->GetEnabled();
    }
    HWND HintWnd() const {
        THintWindow* window = Application->GetHintWindow();
        return window && window->HandleAllocated() ? window->GetHandle() : nullptr;
    }
    // Shows Panel's hint: over Other first, so that the pointer enters Panel anew.
    void ShowPanelHint() {
        MoveTo(Other, 50, 50);
        MoveTo(Panel, 150, 60);
        Tick();
        ASSERT_TRUE(Application->GetHintShowing());
    }

    TPanel* Panel = nullptr;
    TLabel* Label = nullptr;
    TPanel* Other = nullptr;
    std::vector<AnsiString> Hints;
};

TEST(Hints, ApplicationDefaults) {
    EXPECT_TRUE(Application->GetShowHint());
    EXPECT_EQ(Application->GetHintPause(), 500);
    EXPECT_EQ(Application->GetHintHidePause(), 2500);
    EXPECT_EQ(Application->GetHintShortPause(), 50);
    EXPECT_EQ(HintWindowClass, THintWindow::StaticClass());
}

TEST_F(HintsTest, ShowsAfterThePauseBelowThePointerAndHidesAfterTheHidePause) {
    HWND active = GetActiveWindow();
    MoveTo(Label, 5, 5);
    EXPECT_EQ(Application->GetHint(), "Close");
    ASSERT_TRUE(Waiting());
    EXPECT_EQ(Application->GetHintTimer()->GetInterval(), Cardinal(kLongPause));
    EXPECT_FALSE(Application->GetHintShowing());

    Tick();
    HWND wnd = HintWnd();
    ASSERT_NE(wnd, nullptr);
    EXPECT_TRUE(IsWindowVisible(wnd));
    EXPECT_EQ(GetActiveWindow(), active);
    EXPECT_EQ(GetWindowLongPtrA(wnd, GWL_STYLE) & (WS_POPUP | WS_CHILD), WS_POPUP);
    LONG_PTR exStyle = GetWindowLongPtrA(wnd, GWL_EXSTYLE);
    EXPECT_EQ(exStyle & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST), WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    char text[32] = {};
    GetWindowTextA(wnd, text, sizeof(text));
    EXPECT_STREQ(text, "Close");
    POINT pointer;
    GetCursorPos(&pointer);
    RECT bounds;
    GetWindowRect(wnd, &bounds);
    EXPECT_EQ(bounds.left, pointer.x);
    EXPECT_GT(bounds.top, pointer.y);
    EXPECT_EQ(Application->GetHintTimer()->GetInterval(), Cardinal(kLongPause + 1));
    // The system's info colours, the text inside.
    auto shot = CaptureWindow(wnd);
    EXPECT_EQ(PixelOf(shot.get(), 2, 1), ColorToRGB(clInfoBk));
    bool text_drawn = false;
    for (int x = 2; x < shot->GetWidth() - 2 && !text_drawn; ++x)
        for (int y = 2; y < shot->GetHeight() - 2 && !text_drawn; ++y)
            text_drawn = PixelOf(shot.get(), x, y) == ColorToRGB(clInfoText);
    EXPECT_TRUE(text_drawn);

    Tick();
    EXPECT_FALSE(Application->GetHintShowing());
    EXPECT_EQ(HintWnd(), nullptr);
    // Moving on over the same control, the hint stays away.
    MoveTo(Label, 10, 10);
    EXPECT_FALSE(Waiting());
}

TEST_F(HintsTest, AMainFormMadeInCodeThatWasUnderTheHintIsForgottenWhenDeleted) {
    TCustomForm* before = Application->GetMainForm();
    auto makeMain = [] {
        auto* main = new TForm(nullptr);
        main->SetHint("Main");
        main->SetShowHint(true);
        return main;
    };
    // The hint ends (a key, a click) while the form stays the main form.
    TForm* main = makeMain();
    Application->SetMainForm(main);
    Application->HintMouseEnter(main); // the pointer comes over it
    ASSERT_TRUE(Waiting());
    Application->CancelHint();
    delete main;
    EXPECT_EQ(Application->GetMainForm(), nullptr);

    // Another main form comes while the hint waits on this one.
    main = makeMain();
    Application->SetMainForm(main);
    Application->HintMouseEnter(main);
    ASSERT_TRUE(Waiting());
    Application->SetMainForm(before);
    delete main;
    EXPECT_FALSE(Waiting()) << "the pending hint went with its control";
    Tick();
    EXPECT_FALSE(Application->GetHintShowing());
}

TEST_F(HintsTest, AKeyAClickOrLeavingHidesIt) {
    ShowPanelHint();
    PostKey(Form, 'A');
    EXPECT_FALSE(Application->GetHintShowing());
    EXPECT_FALSE(Waiting());

    ShowPanelHint();
    PostClick(Panel, 150, 60);
    EXPECT_FALSE(Application->GetHintShowing());

    ShowPanelHint();
    Hints.clear();
    MoveTo(Other, 50, 50);
    EXPECT_FALSE(Application->GetHintShowing());
    EXPECT_EQ(HintWnd(), nullptr);
    // Other has a hint text but does not show it.
    EXPECT_FALSE(Waiting());
    EXPECT_EQ(Hints, std::vector<AnsiString>{"Plain"});
}

TEST_F(HintsTest, ParentShowHintAndTheApplicationSwitch) {
    auto* inner = Add<TPanel>(Panel, 20, 50, 60, 30);
    inner->SetHint("Inner");
    EXPECT_TRUE(inner->GetShowHint());
    Panel->SetShowHint(false);
    EXPECT_FALSE(inner->GetShowHint());
    Panel->SetShowHint(true);
    Pump();
    MoveTo(inner, 5, 5);
    Tick();
    ASSERT_NE(HintWnd(), nullptr);
    char text[32] = {};
    GetWindowTextA(HintWnd(), text, sizeof(text));
    EXPECT_STREQ(text, "Inner");

    Application->SetShowHint(false);
    EXPECT_EQ(Application->GetHintWindow(), nullptr);
    MoveTo(Other, 50, 50);
    MoveTo(Panel, 150, 60);
    EXPECT_FALSE(Waiting());
    Application->SetShowHint(true);
}

TEST_F(HintsTest, OnShowHintChangesOrRefusesTheHintAndTheNextComesAfterTheShortPause) {
    Application->SetHintShortPause(kLongPause + 2);
    std::vector<TControl*> asked;
    Application->OnShowHint = TShowHintEvent::FromCallable([&](AnsiString& S, bool& CanShow, THintInfo& Info) {
        asked.push_back(Info.HintControl);
        EXPECT_EQ(Info.HideTimeout, kLongPause + 1);
        POINT p;
        GetCursorPos(&p);
        EXPECT_EQ(Info.CursorPos, TPoint(p.x, p.y));
        CanShow = Info.HintControl == Panel;
        S = "Shut";
        Info.HintPos = TPoint(Info.HintPos.X + 30, Info.HintPos.Y);
        Info.HideTimeout = 1234;
    });
    ShowPanelHint();
    char text[32] = {};
    GetWindowTextA(HintWnd(), text, sizeof(text));
    EXPECT_STREQ(text, "Shut");
    POINT pointer;
    GetCursorPos(&pointer);
    RECT bounds;
    GetWindowRect(HintWnd(), &bounds);
    EXPECT_EQ(bounds.left, pointer.x + 30);
    EXPECT_EQ(Application->GetHintTimer()->GetInterval(), 1234u);
    // From a shown hint straight onto another control: the short pause.
    Other->SetShowHint(true);
    MoveTo(Other, 50, 50);
    EXPECT_EQ(Application->GetHintTimer()->GetInterval(), Cardinal(kLongPause + 2));
    Tick();
    EXPECT_FALSE(Application->GetHintShowing()) << "refused";
    EXPECT_EQ(asked, (std::vector<TControl*>{Panel, Other}));
    Application->OnShowHint = nullptr;
    Application->SetHintShortPause(50);
}

class TLoudHintWindow : public THintWindow {
    DECLARE_CLASS(TLoudHintWindow, THintWindow)
public:
    using THintWindow::THintWindow;
    void ActivateHint(TRect Rect, const AnsiString& AHint) override {
        THintWindow::ActivateHint(Rect, AHint + "!");
    }
};

TEST_F(HintsTest, TheWindowClassIsReplaceable) {
    HintWindowClass = TLoudHintWindow::StaticClass();
    ShowPanelHint();
    EXPECT_NE(dynamic_cast<TLoudHintWindow*>(Application->GetHintWindow()), nullptr);
    char text[32] = {};
    GetWindowTextA(HintWnd(), text, sizeof(text));
    EXPECT_STREQ(text, "Close!");
    HintWindowClass = THintWindow::StaticClass();
    // The control going while its hint shows takes the hint with it.
    delete Panel;
    EXPECT_FALSE(Application->GetHintShowing());
    EXPECT_FALSE(Waiting());
}

} // namespace

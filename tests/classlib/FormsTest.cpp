// Forms and the application: focus and the keyboard, modal loops, closing and freeing,
// forms read from their text, and the screen.
#include "classlib/ClassRegistry.h"
#include "classlib/Exceptions.h"
#include "classlib/FormLoader.h"
#include "classlib/Forms.h"
#include "classlib/HiddenWindow.h"
#include "classlib/Menus.h"
#include "classlib/Persistence.h"

#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A focusable control that logs its events; WantKeys is what it answers WM_GETDLGCODE.
class TField : public TCustomControl {
    DECLARE_CLASS(TField, TCustomControl)
public:
    explicit TField(TComponent* AOwner) : TCustomControl(AOwner) {
        SetTabStop(true);
        OnEnter = TNotifyEvent::FromCallable([this](TObject*) { Log("enter " + GetName()); });
        OnExit = TNotifyEvent::FromCallable([this](TObject*) { Log("exit " + GetName()); });
        OnKeyDown = TKeyEvent::FromCallable([this](TObject*, Word& Key, TShiftState) {
            Log("keydown " + GetName() + " " + std::to_string(Key));
            if (Key == SwallowKey) Key = 0;
        });
        OnKeyPress = TKeyPressEvent::FromCallable([this](TObject*, char& Key) {
            if (LogPresses) Log("keypress " + GetName() + " " + Key);
        });
    }

    static std::vector<std::string>* Journal;
    LRESULT WantKeys = 0;
    Word SwallowKey = 0;
    bool LogPresses = false;

protected:
    void Log(const std::string& Entry) {
        if (Journal) Journal->push_back(Entry);
    }
    void WMGetDlgCode(TMessage& Message) { Message.Result = WantKeys; }
    void CMCancelMode(TMessage& Message) {
        Log("cancel " + GetName() + " by " +
            reinterpret_cast<TComponent*>(Message.LParam)->GetName());
    }
    void WMKeyDown(TWMKey& Message) {
        Log("handler " + GetName() + " " + std::to_string(Message.CharCode()));
        TCustomControl::Dispatch(Message.Message);
    }

    MESSAGE_HANDLERS(TField, TCustomControl)
    MESSAGE_HANDLER(WM_GETDLGCODE, WMGetDlgCode)
    MESSAGE_HANDLER(WM_KEYDOWN, WMKeyDown)
    MESSAGE_HANDLER(CM_CANCELMODE, CMCancelMode)
    END_MESSAGE_HANDLERS
};
std::vector<std::string>* TField::Journal = nullptr;

// The least a button needs to be the form's default or cancel button, and an accelerator.
class TTestButton : public TField {
    DECLARE_CLASS(TTestButton, TField)
public:
    using TField::TField;
    bool Default = false;
    bool Cancel = false;
    int Clicks = 0;

protected:
    void CMDialogKey(TWMKey& Message) {
        if ((Message.CharCode() == VK_RETURN && Default) ||
            (Message.CharCode() == VK_ESCAPE && Cancel)) {
            ++Clicks;
            Message.Result = 1;
            return;
        }
        TField::Dispatch(Message.Message);
    }
    void CMDialogChar(TWMKey& Message) {
        if (IsAccel(Message.CharCode(), GetCaption())) {
            ++Clicks;
            Message.Result = 1;
            return;
        }
        TField::Dispatch(Message.Message);
    }

    MESSAGE_HANDLERS(TTestButton, TField)
    MESSAGE_HANDLER(CM_DIALOGKEY, CMDialogKey)
    MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar)
    END_MESSAGE_HANDLERS
};

// A panel for form texts.
class TTestPanel : public TCustomControl {
    DECLARE_CLASS(TTestPanel, TCustomControl)
public:
    using TCustomControl::TCustomControl;
    static void Published(TPropertyList& P) {
        P.Add("Align", &TControl::GetAlign, &TControl::SetAlign, alNone);
        P.Add("Caption", &TControl::GetCaption, &TControl::SetCaption);
    }
};

class TLayoutForm : public TForm {
    DECLARE_CLASS(TLayoutForm, TForm)
public:
    using TForm::TForm;
    TTestPanel* Header = nullptr;
    TTestPanel* Side = nullptr;
    TTestPanel* Body = nullptr;
    int Shows = 0;
    void FormShow(TObject*) { ++Shows; }
    static void Published(TPropertyList& P) {
        P.Field("Header", &TLayoutForm::Header);
        P.Field("Side", &TLayoutForm::Side);
        P.Field("Body", &TLayoutForm::Body);
        P.Method("FormShow", &TLayoutForm::FormShow);
    }
};

class FormsTest : public testing::Test {
protected:
    void SetUp() override {
        RegisterClass(TTestPanel::StaticClass());
        TField::Journal = &Journal;
        Application->OnException = TExceptionEvent::FromCallable(
            [this](TObject*, const std::exception& E) { Errors.push_back(E.what()); });
        Form = new TForm(nullptr);
        Form->SetBounds(80, 80, 400, 300);
    }
    void TearDown() override {
        delete Form;
        Pump();
        Application->OnException = nullptr;
        TField::Journal = nullptr;
        SetShift(false);
    }

    template <typename T> T* Make(const char* Name, int Left) {
        T* control = new T(Form);
        control->SetName(Name);
        control->SetParent(Form);
        control->SetBounds(Left, 10, 50, 30);
        return control;
    }

    // Key messages as the keyboard queues them for the focused window. Other programs on the
    // same display may take the system's focus away at any time, so the keys go to the
    // control the form has made its focused one.
    void Key(Word VirtualKey) {
        TWinControl* focused = Form->GetActiveControl();
        ASSERT_NE(focused, nullptr);
        PostMessageA(focused->GetHandle(), WM_KEYDOWN, VirtualKey, 1);
        PostMessageA(focused->GetHandle(), WM_KEYUP, VirtualKey, 0xC0000001);
        Pump();
    }
    void Focus(TWinControl* Control) {
        Control->SetFocus();
        Pump();
        ASSERT_EQ(Form->GetActiveControl(), Control);
    }
    static void SetShift(bool Down) {
        BYTE state[256];
        GetKeyboardState(state);
        state[VK_SHIFT] = Down ? 0x80 : 0;
        SetKeyboardState(state);
    }

    TForm* Form = nullptr;
    std::vector<std::string> Journal;
    std::vector<std::string> Errors;
};

// ---------------------------------------------------------------------------
// Focus and keys

TEST_F(FormsTest, TabAndShiftTabMoveTheFocusInTabOrderFiringExitThenEnter) {
    auto* a = Make<TField>("A", 10);
    auto* b = Make<TField>("B", 70);
    auto* c = Make<TField>("C", 130);
    c->SetTabOrder(0); // C, A, B
    auto* off = Make<TField>("Off", 190);
    off->SetTabStop(false);
    Form->Show();
    EXPECT_EQ(Form->GetActiveControl(), c) << "the first in tab order";
    Focus(c);
    Journal.clear();

    Key(VK_TAB);
    EXPECT_EQ(Form->GetActiveControl(), a);
    Key(VK_TAB);
    EXPECT_EQ(Form->GetActiveControl(), b);
    Key(VK_TAB);
    EXPECT_EQ(Form->GetActiveControl(), c);
    EXPECT_EQ(Journal, (std::vector<std::string>{"exit C", "enter A", "exit A", "enter B", "exit B",
                                                 "enter C"}));
    SetShift(true);
    Key(VK_TAB);
    SetShift(false);
    EXPECT_EQ(Form->GetActiveControl(), b);
    EXPECT_EQ(Screen->GetActiveControl(), b);
}

TEST_F(FormsTest, AControlThatWantsTabKeepsIt) {
    auto* a = Make<TField>("A", 10);
    Make<TField>("B", 70);
    a->WantKeys = DLGC_WANTTAB;
    Form->Show();
    Focus(a);
    Journal.clear();
    Key(VK_TAB);
    EXPECT_EQ(Form->GetActiveControl(), a);
    EXPECT_EQ(Journal, (std::vector<std::string>{"keydown A 9", "handler A 9"}));
}

TEST_F(FormsTest, ReturnAndEscapeReachTheDefaultAndCancelButtons) {
    auto* field = Make<TField>("Field", 10);
    auto* ok = Make<TTestButton>("Ok", 70);
    auto* cancel = Make<TTestButton>("Cancel", 130);
    ok->Default = true;
    cancel->Cancel = true;
    Form->Show();
    Focus(field);
    Key(VK_RETURN);
    Key(VK_ESCAPE);
    EXPECT_EQ(ok->Clicks, 1);
    EXPECT_EQ(cancel->Clicks, 1);

    // A control that wants Return gets it itself.
    field->WantKeys = DLGC_WANTALLKEYS;
    Journal.clear();
    Key(VK_RETURN);
    EXPECT_EQ(ok->Clicks, 1);
    EXPECT_EQ(Journal, (std::vector<std::string>{"keydown Field 13", "handler Field 13"}));
}

TEST_F(FormsTest, KeyEventsFireBeforeTheControlsOwnHandlingAndMayStopIt) {
    auto* field = Make<TField>("Field", 10);
    Form->Show();
    Focus(field);
    Journal.clear();
    Key('Q');
    EXPECT_EQ(Journal, (std::vector<std::string>{"keydown Field 81", "handler Field 81"}));
    Journal.clear();
    field->SwallowKey = 'Q';
    Key('Q');
    EXPECT_EQ(Journal, (std::vector<std::string>{"keydown Field 81"}));
}

TEST_F(FormsTest, WithKeyPreviewTheFormSeesKeysFirst) {
    auto* field = Make<TField>("Field", 10);
    Form->SetKeyPreview(true);
    Form->OnKeyDown = TKeyEvent::FromCallable([this](TObject*, Word& Key, TShiftState) {
        Journal.push_back("form " + std::to_string(Key));
        if (Key == 'Z') Key = 0;
    });
    Form->Show();
    Focus(field);
    Journal.clear();
    Key('Y');
    Key('Z');
    EXPECT_EQ(Journal, (std::vector<std::string>{"form 89", "keydown Field 89", "handler Field 89",
                                                 "form 90"}));
}

TEST_F(FormsTest, CharactersTheControlDoesNotWantAreAccelerators) {
    auto* field = Make<TField>("Field", 10);
    auto* button = Make<TTestButton>("Button", 70);
    button->SetCaption("&Go");
    field->LogPresses = true;
    Form->Show();
    Focus(field);
    Journal.clear();
    PostMessageA(field->GetHandle(), WM_CHAR, 'g', 1);
    Pump();
    EXPECT_EQ(button->Clicks, 1);
    EXPECT_TRUE(Journal.empty());

    field->WantKeys = DLGC_WANTCHARS;
    PostMessageA(field->GetHandle(), WM_CHAR, 'g', 1);
    Pump();
    EXPECT_EQ(button->Clicks, 1);
    EXPECT_EQ(Journal, (std::vector<std::string>{"keypress Field g"}));

    // Alt with the character is an accelerator whatever the control wants.
    PostMessageA(field->GetHandle(), WM_SYSCHAR, 'g', 0x20000001);
    Pump();
    EXPECT_EQ(button->Clicks, 2);
}

TEST_F(FormsTest, NextDialogControlMovesTheFocus) {
    auto* a = Make<TField>("A", 10);
    auto* b = Make<TField>("B", 70);
    Form->Show();
    Focus(a);
    SendMessageA(Form->GetHandle(), WM_NEXTDLGCTL, 0, 0);
    EXPECT_EQ(Form->GetActiveControl(), b);
    SendMessageA(Form->GetHandle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(a->GetHandle()), 1);
    EXPECT_EQ(Form->GetActiveControl(), a);
}

TEST_F(FormsTest, APressOnAnotherControlTellsTheActiveOneToCancelItsMode) {
    auto* a = Make<TField>("A", 10);
    auto* b = Make<TField>("B", 70);
    Form->Show();
    Focus(a);
    Journal.clear();
    SendMessageA(b->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(b->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    ASSERT_FALSE(Journal.empty());
    EXPECT_EQ(Journal.front(), "cancel A by B");
}

TEST_F(FormsTest, TheFocusLeavesAControlAsItIsDisabledOrHiddenForTheNextTabStop) {
    auto* a = Make<TField>("A", 10);
    auto* b = Make<TField>("B", 70);
    auto* c = Make<TField>("C", 130);
    auto* box = Make<TTestPanel>("Box", 190);
    box->SetBounds(190, 10, 150, 60);
    auto* d = new TField(Form);
    d->SetName("D");
    d->SetParent(box);
    d->SetBounds(5, 5, 40, 30);
    Form->Show();
    Focus(b);
    // The keys go where the system has put the focus, as a person's keys do.
    auto focusedWindow = [] { return FindControl(GetFocus()); };
    auto tab = [] {
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
        Pump();
    };
    Journal.clear();

    b->SetEnabled(false);
    EXPECT_EQ(Form->GetActiveControl(), c);
    EXPECT_EQ(focusedWindow(), c);
    EXPECT_EQ(Journal, (std::vector<std::string>{"exit B", "enter C"}));
    c->SetVisible(false);
    EXPECT_EQ(focusedWindow(), d) << "into the panel, the next stop";
    // A disabled container takes what is inside it out of the tab order.
    box->SetEnabled(false);
    EXPECT_EQ(focusedWindow(), a) << "round to the first stop";
    tab();
    EXPECT_EQ(focusedWindow(), a) << "A is the one stop left";
    b->SetEnabled(true);
    tab();
    EXPECT_EQ(focusedWindow(), b);

    // With no stop left the form keeps the keys, and Tab finds the next one that comes back.
    a->SetEnabled(false);
    b->SetVisible(false);
    EXPECT_EQ(Form->GetActiveControl(), nullptr);
    EXPECT_EQ(focusedWindow(), Form);
    c->SetVisible(true);
    tab();
    EXPECT_EQ(focusedWindow(), c);

    // Disabled while another window has the focus: the form's active control moves on, and
    // the focus lands there when the form is active again.
    a->SetEnabled(true);
    auto* other = new TForm(nullptr);
    other->SetBounds(520, 80, 200, 100);
    other->Show();
    other->SetFocus();
    Pump();
    ASSERT_EQ(focusedWindow(), other);
    c->SetEnabled(false);
    EXPECT_EQ(Form->GetActiveControl(), a);
    delete other;
    Form->SetFocus();
    Pump();
    EXPECT_EQ(focusedWindow(), a);
    EXPECT_TRUE(Errors.empty());
}

TEST_F(FormsTest, FocusingAnInvisibleControlIsRefused) {
    auto* a = Make<TField>("A", 10);
    a->SetVisible(false);
    Form->Show();
    EXPECT_THROW(Form->SetActiveControl(a), EInvalidOperation);
    EXPECT_THROW(a->SetFocus(), EInvalidOperation);
}

// ---------------------------------------------------------------------------
// Modal forms, closing and freeing

// Runs Action when its posted message is handled.
class TPostedAction {
public:
    explicit TPostedAction(std::function<void()> Action)
        : FAction(std::move(Action)), FWnd(AllocateHWnd(TWndMethod(this, &TPostedAction::Proc))) {}
    ~TPostedAction() { DeallocateHWnd(FWnd); }
    void Post() { PostMessageA(FWnd, WM_USER, 0, 0); }

private:
    void Proc(TMessage& Message) {
        if (Message.Msg == WM_USER)
            FAction();
        else
            DefaultWindowHandler(FWnd, Message);
    }
    std::function<void()> FAction;
    HWND FWnd;
};

TEST_F(FormsTest, AModalFormDisablesTheOtherWindowsUntilItsModalResultIsSet) {
    Form->Show();
    TForm dialog(nullptr);
    dialog.SetBounds(120, 120, 200, 100);
    bool ownerEnabledDuring = true;
    bool dialogShownDuring = false;
    TPostedAction finish([&] {
        ownerEnabledDuring = IsWindowEnabled(Form->GetHandle()) != FALSE;
        dialogShownDuring = IsWindowVisible(dialog.GetHandle()) != FALSE;
        dialog.SetModalResult(mrOk);
    });
    finish.Post();
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_FALSE(ownerEnabledDuring);
    EXPECT_TRUE(dialogShownDuring);
    EXPECT_TRUE(IsWindowEnabled(Form->GetHandle()));
    EXPECT_FALSE(dialog.GetVisible());
    EXPECT_FALSE(IsWindowVisible(dialog.GetHandle()));
}

TEST_F(FormsTest, AModalLoopGoesOnWhileCloseQueryRefuses) {
    TForm dialog(nullptr);
    int asked = 0;
    dialog.OnCloseQuery =
        TCloseQueryEvent::FromCallable([&](TObject*, bool& CanClose) { CanClose = ++asked > 1; });
    TPostedAction first([&] { dialog.SetModalResult(mrNo); });
    TPostedAction second([&] { dialog.SetModalResult(mrYes); });
    first.Post();
    second.Post();
    EXPECT_EQ(dialog.ShowModal(), mrYes);
    EXPECT_EQ(asked, 2);
    EXPECT_THROW(
        {
            dialog.Show();
            dialog.ShowModal();
        },
        EInvalidOperation);
}

TEST_F(FormsTest, CloseHidesOrKeepsOrFreesTheFormAsOnCloseDecides) {
    auto* form = new TForm(nullptr);
    int destroyed = 0;
    form->OnDestroy = TNotifyEvent::FromCallable([&](TObject*) { ++destroyed; });
    TCloseAction action = caNone;
    form->OnClose = TCloseEvent::FromCallable([&](TObject*, TCloseAction& A) { A = action; });
    form->Show();
    form->Close();
    EXPECT_TRUE(form->GetVisible());
    action = caHide;
    SendMessageA(form->GetHandle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(form->GetVisible());
    EXPECT_TRUE(IsWindow(form->GetHandle()));

    int forms = Screen->GetFormCount();
    action = caFree;
    form->Show();
    form->Close();
    EXPECT_EQ(destroyed, 0) << "freed only once the waiting messages are handled";
    Pump();
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(Screen->GetFormCount(), forms - 1);
}

class TFormWithState : public TForm {
    DECLARE_CLASS(TFormWithState, TForm)
public:
    using TForm::TForm;
    std::string State = "whole";
};

TEST_F(FormsTest, OnDestroyRunsWhileTheFormIsStillWhole) {
    auto* form = new TFormWithState(nullptr);
    std::string seen;
    form->OnDestroy = TNotifyEvent::FromCallable(
        [&](TObject* Sender) { seen = static_cast<TFormWithState*>(Sender)->State; });
    form->Release();
    Pump();
    EXPECT_EQ(seen, "whole");
}

TEST_F(FormsTest, MinimizeAndRestoreDoNotShowTheFormsAgain) {
    int shows = 0;
    Form->OnShow = TNotifyEvent::FromCallable([&](TObject*) { ++shows; });
    Form->Show();
    Application->Minimize();
    EXPECT_FALSE(IsWindowVisible(Form->GetHandle()));
    EXPECT_TRUE(Form->GetVisible());
    Application->Restore();
    EXPECT_TRUE(IsWindowVisible(Form->GetHandle()));
    EXPECT_EQ(shows, 1);
}

TEST_F(FormsTest, TheApplicationsWindowHooksSeeItsMessagesAndTheMainFormsMinimizing) {
    std::vector<std::string> seen;
    bool takeIt = false;
    TWindowHook first = TWindowHook::FromCallable([&](TMessage& M) {
        if (M.Msg == WM_SIZE) seen.push_back("first size " + std::to_string(M.WParam));
        if (M.Msg == WM_USER + 7) {
            seen.push_back("first user");
            M.Result = 42;
            return takeIt;
        }
        return false;
    });
    TWindowHook second = TWindowHook::FromCallable([&](TMessage& M) {
        if (M.Msg == WM_USER + 7) seen.push_back("second user");
        return false;
    });
    Application->HookMainWindow(first);
    Application->HookMainWindow(second);
    HWND app = Application->GetHandle();
    SendMessageA(app, WM_USER + 7, 0, 0);
    takeIt = true;
    EXPECT_EQ(SendMessageA(app, WM_USER + 7, 0, 0), 42);
    EXPECT_EQ(seen, (std::vector<std::string>{"first user", "second user", "first user"}));

    // The main form's minimizing reaches the application's window; another form's does not.
    seen.clear();
    Application->SetMainForm(Form);
    Form->Show();
    auto* other = new TForm(nullptr);
    other->Show();
    ShowWindow(other->GetHandle(), SW_MINIMIZE);
    Application->Minimize();
    Pump();
    EXPECT_EQ(seen, (std::vector<std::string>{"first size 1"}));
    EXPECT_FALSE(IsWindowVisible(app));
    Application->Restore();
    Application->UnhookMainWindow(first);
    Application->UnhookMainWindow(second);
    seen.clear();
    SendMessageA(app, WM_USER + 7, 0, 0);
    EXPECT_TRUE(seen.empty());
    delete other;
    // A main form built in code is forgotten when it goes.
    auto* main = new TForm(nullptr);
    Application->SetMainForm(main);
    EXPECT_EQ(Application->GetMainForm(), main);
    delete main;
    EXPECT_EQ(Application->GetMainForm(), nullptr);
}

TEST_F(FormsTest, RunLeavesTheMainFormHiddenWhenAskedTo) {
    Form->Hide();
    Application->SetMainForm(Form);
    Application->SetShowMainForm(false);
    PostMessageA(nullptr, WM_QUIT, 0, 0);
    Application->Run();
    EXPECT_FALSE(Form->GetVisible());
    Application->SetShowMainForm(true);
    PostMessageA(nullptr, WM_QUIT, 0, 0);
    Application->Run();
    EXPECT_TRUE(Form->GetVisible());
    Application->SetMainForm(nullptr);
}

// ---------------------------------------------------------------------------
// Geometry

TEST_F(FormsTest, AStayOnTopFormIsATopmostWindowAndTheStyleIsReadFromText) {
    auto topmost = [this] {
        return (GetWindowLongPtrA(Form->GetHandle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    };
    Form->Show();
    EXPECT_FALSE(topmost());
    Form->SetFormStyle(fsStayOnTop);
    EXPECT_TRUE(Form->GetVisible());
    EXPECT_TRUE(topmost());
    Form->SetFormStyle(fsNormal);
    EXPECT_FALSE(topmost());

    TForm read(nullptr);
    ReadComponentText("object Read: TForm\n  FormStyle = fsStayOnTop\nend\n", &read);
    EXPECT_EQ(read.GetFormStyle(), fsStayOnTop);
    EXPECT_NE(WriteComponentText(&read).find("FormStyle = fsStayOnTop"), AnsiString::npos);
}

TEST_F(FormsTest, TheClientSizeIsRightBeforeAndAfterTheWindowExists) {
    Form->SetBorderStyle(bsDialog);
    Form->SetClientWidth(250);
    Form->SetClientHeight(120);
    EXPECT_FALSE(Form->HandleAllocated());
    int width = Form->GetWidth();
    Form->Show();
    RECT client;
    GetClientRect(Form->GetHandle(), &client);
    EXPECT_EQ(client.right, 250);
    EXPECT_EQ(client.bottom, 120);
    EXPECT_EQ(Form->GetWidth(), width);
    EXPECT_GT(width, 250);
}

TEST_F(FormsTest, ConstraintsLimitTheFormInSetBoundsAndWhileTheUserSizesIt) {
    Form->GetConstraints()->SetMinWidth(325);
    Form->GetConstraints()->SetMaxWidth(325);
    Form->GetConstraints()->SetMinHeight(320);
    Form->Show();
    EXPECT_EQ(Form->GetWidth(), 325);
    EXPECT_EQ(Form->GetHeight(), 320);
    Form->SetBounds(0, 0, 600, 500);
    EXPECT_EQ(Form->GetWidth(), 325);
    EXPECT_EQ(Form->GetHeight(), 500);
    MINMAXINFO info = {};
    SendMessageA(Form->GetHandle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 325);
    EXPECT_EQ(info.ptMaxTrackSize.x, 325);
    EXPECT_EQ(info.ptMinTrackSize.y, 320);
}

TEST_F(FormsTest, ARecreatedFormKeepsItsStateChildrenAndTakenOverWindowProc) {
    auto* field = Make<TField>("Field", 10);
    Form->SetCaption("Before");
    Form->Show();
    HWND old = Form->GetHandle();
    std::vector<UINT> seen;
    TWndMethod previous = Form->WindowProc;
    Form->WindowProc = TWndMethod::FromCallable([&](TMessage& Message) {
        seen.push_back(Message.Msg);
        previous(Message);
    });
    Form->SetBorderStyle(bsToolWindow);
    EXPECT_NE(Form->GetHandle(), old);
    EXPECT_TRUE(IsWindowVisible(Form->GetHandle()));
    EXPECT_TRUE(GetWindowLongPtrA(Form->GetHandle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(::GetParent(field->GetHandle()), Form->GetHandle());
    char caption[16] = {};
    GetWindowTextA(Form->GetHandle(), caption, sizeof caption);
    EXPECT_STREQ(caption, "Before");
    EXPECT_NE(std::find(seen.begin(), seen.end(), static_cast<UINT>(WM_NCCREATE)), seen.end());
    Form->WindowProc = previous;
}

TEST_F(FormsTest, AScreenCentredFormIsCentredWhenShown) {
    Form->SetPosition(poScreenCenter);
    Form->Show();
    EXPECT_EQ(Form->GetLeft(), (Screen->GetWidth() - 400) / 2);
    EXPECT_EQ(Form->GetTop(), (Screen->GetHeight() - 300) / 2);
}

// A hidden form with its window, a header and a body, that counts the moves of its window
// (changes of place or size) and checks, in its show handler, that it lays its children out
// by the size it was just given.
class PlacedFormTest : public testing::Test {
protected:
    void SetUp() override {
        Form = new TForm(nullptr);
        Form->SetBounds(10, 20, 400, 300);
        Header = Place(Form, alTop);
        Body = Place(Form, alClient);
        Form->HandleNeeded();
        Previous = Form->WindowProc;
        Form->WindowProc = TWndMethod::FromCallable([this](TMessage& Message) {
            if (Message.Msg == WM_WINDOWPOSCHANGED) {
                auto* pos = reinterpret_cast<WINDOWPOS*>(Message.LParam);
                if ((pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) ++Moves;
            }
            Previous(Message);
        });
    }
    void TearDown() override {
        Form->WindowProc = Previous;
        delete Form;
        Pump();
    }
    static TTestPanel* Place(TForm* Parent, TAlign Align) {
        auto* panel = new TTestPanel(Parent);
        panel->SetParent(Parent);
        panel->SetBounds(0, 0, 50, 30);
        panel->SetAlign(Align);
        return panel;
    }
    // Each child's window, in its parent's client coordinates.
    static TRect WindowBounds(TWinControl* Control) {
        RECT r;
        GetWindowRect(Control->GetHandle(), &r);
        MapWindowPoints(HWND_DESKTOP, ::GetParent(Control->GetHandle()), reinterpret_cast<POINT*>(&r), 2);
        return {r.left, r.top, r.right, r.bottom};
    }

    TForm* Form = nullptr;
    TTestPanel* Header = nullptr;
    TTestPanel* Body = nullptr;
    TWndMethod Previous;
    int Moves = 0;
};

TEST_F(PlacedFormTest, AFormPlacedAndSizedByItsShowHandlerMovesOnceAndLaysOutAsAFreshOne) {
    Form->SetPosition(poScreenCenter);
    TRect clientInHandler;
    Form->OnShow = TNotifyEvent::FromCallable([&](TObject*) {
        Form->SetWidth(325);
        Form->SetHeight(280);
        clientInHandler = Form->GetClientRect();
        EXPECT_EQ(Body->GetBoundsRect(), TRect(0, 30, clientInHandler.Right, clientInHandler.Bottom));
    });
    Form->Show();
    const TRect bounds((Screen->GetWidth() - 400) / 2, (Screen->GetHeight() - 300) / 2, 0, 0);
    EXPECT_EQ(Form->GetBoundsRect(), Bounds(bounds.Left, bounds.Top, 325, 280));
    RECT shown;
    GetWindowRect(Form->GetHandle(), &shown);
    EXPECT_EQ(TRect(shown.left, shown.top, shown.right, shown.bottom), Form->GetBoundsRect());
    EXPECT_EQ(Moves, 1);
    // The client area the handler was told of is the window's, and the children are where
    // a form made at this size puts them.
    RECT client;
    ::GetClientRect(Form->GetHandle(), &client);
    EXPECT_EQ(clientInHandler, TRect(0, 0, client.right, client.bottom));
    TForm fresh(nullptr);
    fresh.SetBoundsRect(Form->GetBoundsRect());
    TTestPanel* freshHeader = Place(&fresh, alTop);
    TTestPanel* freshBody = Place(&fresh, alClient);
    fresh.Show();
    EXPECT_EQ(WindowBounds(Header), WindowBounds(freshHeader));
    EXPECT_EQ(WindowBounds(Body), WindowBounds(freshBody));
    EXPECT_EQ(Body->GetBoundsRect(), freshBody->GetBoundsRect());
}

TEST_F(PlacedFormTest, AFormHiddenAgainByItsShowHandlerKeepsTheBoundsItWasGiven) {
    Form->OnShow = TNotifyEvent::FromCallable([&](TObject*) {
        Form->SetBounds(50, 60, 320, 240);
        Form->Hide();
    });
    Form->Show();
    EXPECT_FALSE(IsWindowVisible(Form->GetHandle()));
    RECT r;
    GetWindowRect(Form->GetHandle(), &r);
    EXPECT_EQ(TRect(r.left, r.top, r.right, r.bottom), TRect(50, 60, 370, 300));
    // Hidden, it is moved at once: only a form being shown waits for its show.
    Form->SetBounds(70, 80, 330, 250);
    GetWindowRect(Form->GetHandle(), &r);
    EXPECT_EQ(TRect(r.left, r.top, r.right, r.bottom), TRect(70, 80, 400, 330));
}

TEST_F(PlacedFormTest, BoundsThatWaitGoWithTheWindowsNextChangeOrAtOnceWhenAsked) {
    Form->KeepBounds(true);
    Form->SetBounds(30, 40, 350, 260);
    Form->KeepBounds(false);
    RECT r;
    GetWindowRect(Form->GetHandle(), &r);
    EXPECT_EQ(TRect(r.left, r.top, r.right, r.bottom), TRect(10, 20, 410, 320));
    EXPECT_EQ(Form->GetBoundsRect(), TRect(30, 40, 380, 300));
    POINT origin{0, 0};
    ClientToScreen(Form->GetHandle(), &origin);
    EXPECT_EQ(Form->GetClientOrigin(), TPoint(origin.x + 20, origin.y + 20));
    // A change of the window's own (here of its Z-order) carries them.
    SetWindowPos(Form->GetHandle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    GetWindowRect(Form->GetHandle(), &r);
    EXPECT_EQ(TRect(r.left, r.top, r.right, r.bottom), TRect(30, 40, 380, 300));
    Form->KeepBounds(true);
    Form->SetBounds(0, 0, 300, 200);
    Form->KeepBounds(false);
    Form->ApplyKeptBounds();
    GetWindowRect(Form->GetHandle(), &r);
    EXPECT_EQ(TRect(r.left, r.top, r.right, r.bottom), TRect(0, 0, 300, 200));
    EXPECT_EQ(Form->GetBoundsRect(), TRect(0, 0, 300, 200));
}

// ---------------------------------------------------------------------------
// The menu bar

TEST_F(FormsTest, TheMenuBarGetsTheCommandsAndShortcutsAndOutlivesTheWindow) {
    auto* menu = new TMainMenu(Form);
    auto* file = new TMenuItem(Form);
    file->SetCaption("&File");
    menu->GetItems()->Add(file);
    auto* save = new TMenuItem(Form);
    save->SetShortCut(ShortCut(VK_F2, {}));
    file->Add(save);
    int clicks = 0;
    save->OnClick = TNotifyEvent::FromCallable([&](TObject*) { ++clicks; });
    Form->SetMenu(menu);
    Form->Show();
    HMENU bar = menu->GetHandle();
    EXPECT_EQ(GetMenu(Form->GetHandle()), bar);

    SendMessageA(Form->GetHandle(), WM_COMMAND, save->GetCommand(), 0);
    TMessage f2{WM_KEYDOWN, VK_F2, 0, 0};
    TWMKey key(f2);
    EXPECT_TRUE(Form->IsShortCut(key));
    EXPECT_EQ(clicks, 2);

    // A new window gets the same menu; the old one did not take it along.
    Form->SetBorderStyle(bsSingle);
    EXPECT_TRUE(IsMenu(bar));
    EXPECT_EQ(GetMenu(Form->GetHandle()), bar);
    delete menu;
    EXPECT_EQ(Form->GetMenu(), nullptr);
    EXPECT_EQ(GetMenu(Form->GetHandle()), nullptr);
}

TEST_F(FormsTest, AFormGivesBackTheMenuOfAnotherOwnerWhenItGoes) {
    TMainMenu menu(nullptr);
    auto* item = new TMenuItem(&menu);
    item->SetCaption("Item");
    menu.GetItems()->Add(item);
    auto* form = new TForm(nullptr);
    form->HandleNeeded();
    form->SetMenu(&menu);
    EXPECT_EQ(GetMenu(form->GetHandle()), menu.GetHandle());
    delete form;
    EXPECT_TRUE(IsMenu(menu.GetHandle()));
    EXPECT_EQ(menu.GetWindowHandle(), nullptr);
}

// ---------------------------------------------------------------------------
// Forms from their text

const char kLayoutText[] = R"(object LayoutForm: TLayoutForm
  Left = 30
  Top = 40
  Width = 300
  Height = 200
  Caption = 'Layout'
  ClientWidth = 300
  ClientHeight = 200
  OnShow = FormShow
  object Body: TTestPanel
    Left = 0
    Top = 0
    Width = 10
    Height = 10
    Align = alClient
  end
  object Side: TTestPanel
    Left = 0
    Top = 0
    Width = 60
    Height = 10
    Align = alLeft
  end
  object Header: TTestPanel
    Left = 0
    Top = 0
    Width = 10
    Height = 40
    Align = alTop
    Caption = 'Head'
  end
end
)";

TEST_F(FormsTest, AFormReadFromItsTextLaysOutItsAlignedPanels) {
    auto* form = new TLayoutForm(nullptr);
    ReadComponentText(kLayoutText, form);
    ASSERT_NE(form->Header, nullptr);
    EXPECT_EQ(form->GetCaption(), "Layout");
    EXPECT_EQ(form->GetClientRect(), TRect(0, 0, 300, 200));
    EXPECT_EQ(form->Header->GetBoundsRect(), TRect(0, 0, 300, 40));
    EXPECT_EQ(form->Side->GetBoundsRect(), TRect(0, 40, 60, 200));
    EXPECT_EQ(form->Body->GetBoundsRect(), TRect(60, 40, 300, 200));
    EXPECT_EQ(form->Header->GetCaption(), "Head");
    form->Show();
    EXPECT_EQ(form->Shows, 1);
    EXPECT_EQ(form->Body->GetBoundsRect(), TRect(60, 40, 300, 200));
    delete form;
}

// A control that makes an unnamed field of its own, as a radio group makes its boxes.
class TTestGroup : public TTestPanel {
    DECLARE_CLASS(TTestGroup, TTestPanel)
public:
    explicit TTestGroup(TComponent* AOwner) : TTestPanel(AOwner), Box(new TField(this)) {
        Box->SetParent(this);
        Box->SetBounds(5, 5, 30, 20);
    }
    TField* Box;
};

TEST_F(FormsTest, AShownFormWritesItsActiveControlOnlyWhenItWritesThatControl) {
    Form->SetName("Shown");
    auto* field = Make<TField>("Field", 10);
    auto* group = Make<TTestGroup>("Group", 70);
    group->SetBounds(70, 10, 80, 40);
    Form->Show();
    Focus(field);
    EXPECT_NE(WriteComponentText(Form).find("ActiveControl = Field"), AnsiString::npos);

    Focus(group->Box);
    AnsiString text;
    ASSERT_NO_THROW(text = WriteComponentText(Form));
    EXPECT_EQ(text.find("ActiveControl"), AnsiString::npos) << text;
    EXPECT_NE(text.find("object Group: TTestGroup"), AnsiString::npos) << text;
    EXPECT_EQ(text.find("object : TField"), AnsiString::npos) << "the group's own box stays out";
}

// A control as a form resource lists it: placed, in a tab order, naming a control it works
// with.
class TListedControl : public TCustomControl {
    DECLARE_CLASS(TListedControl, TCustomControl)
public:
    explicit TListedControl(TComponent* AOwner) : TCustomControl(AOwner) { SetTabStop(true); }
    TWinControl* GetBuddy() const { return FBuddy; }
    void SetBuddy(TWinControl* Value) { FBuddy = Value; }
    static void Published(TPropertyList& P) {
        PublishWinControlProperties(P);
        P.Add("Buddy", &TListedControl::GetBuddy, &TListedControl::SetBuddy);
    }

private:
    TWinControl* FBuddy = nullptr;
};

TEST_F(FormsTest, AFormOfTwentyThousandControlsLoadsWithTheirNamesReferencesAndTabOrder) {
    RegisterClass(TListedControl::StaticClass());
    constexpr int kCount = 20000;
    // Each names the next, and they are listed last in tab order first.
    AnsiString text = "object Big: TForm\n";
    for (int i = 0; i < kCount; ++i)
        text += "  object C" + std::to_string(i) + ": TListedControl\n    Left = " +
                std::to_string(i % 500) + "\n    TabOrder = " + std::to_string(kCount - 1 - i) +
                "\n    Buddy = C" + std::to_string((i + 1) % kCount) + "\n  end\n";
    text += "end\n";
    auto* form = new TForm(nullptr);
    ReadComponentText(text, form);
    ASSERT_EQ(form->GetComponentCount(), kCount);
    auto* first = dynamic_cast<TListedControl*>(form->FindComponent("C0"));
    auto* last = dynamic_cast<TListedControl*>(form->FindComponent("c19999"));
    ASSERT_TRUE(first && last);
    EXPECT_EQ(first->GetBuddy(), form->FindComponent("C1"));
    EXPECT_EQ(last->GetBuddy(), first);
    EXPECT_EQ(form->GetControlCount(), kCount);
    std::vector<TWinControl*> order;
    form->GetTabOrderList(order);
    ASSERT_EQ(order.size(), std::size_t(kCount));
    EXPECT_EQ(order.front(), last);
    EXPECT_EQ(order.back(), first);
    EXPECT_EQ(order[1], form->FindComponent("C19998"));
    delete form;
}

TEST_F(FormsTest, AFormWithoutResourceIsNotCreatedFromIt) {
    int forms = Screen->GetFormCount();
    TLayoutForm* reference = reinterpret_cast<TLayoutForm*>(1);
    EXPECT_THROW(Application->CreateForm(reference), EResNotFound);
    EXPECT_EQ(reference, nullptr);
    EXPECT_THROW(CreateFromResource<TLayoutForm>(nullptr), EResNotFound);
    EXPECT_EQ(Screen->GetFormCount(), forms);
    EXPECT_EQ(Application->GetMainForm(), nullptr);
}

// ---------------------------------------------------------------------------
// Screen and application

TEST_F(FormsTest, TheScreenListsFormsInCreationOrderAndKnowsTheActiveOne) {
    auto* second = new TForm(nullptr);
    int count = Screen->GetFormCount();
    EXPECT_EQ(Screen->GetForm(count - 1), second);
    EXPECT_EQ(Screen->GetForm(count - 2), Form);
    second->SetBounds(100, 100, 100, 100);
    second->Show();
    second->SetFocus();
    Pump();
    EXPECT_EQ(Screen->GetActiveForm(), second);
    delete second;
    EXPECT_EQ(Screen->GetFormCount(), count - 1);
    EXPECT_THROW(Screen->GetForm(count), EListError);
}

TEST_F(FormsTest, ScreenCursorsHoldSystemAndRegisteredCursors) {
    HCURSOR hand = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND));
    EXPECT_EQ(static_cast<HCURSOR>(Screen->Cursors[crHandPoint]), hand);
    EXPECT_EQ(static_cast<HCURSOR>(Screen->Cursors[77]),
              static_cast<HCURSOR>(Screen->Cursors[crDefault]));
    BYTE andMask[128];
    BYTE xorMask[128] = {};
    std::fill(std::begin(andMask), std::end(andMask), 0xFF);
    HCURSOR own = CreateCursor(GetModuleHandleA(nullptr), 0, 0, 32, 32, andMask, xorMask);
    Screen->Cursors[5] = own;
    EXPECT_EQ(static_cast<HCURSOR>(Screen->Cursors[5]), own);
    Screen->Cursors[5] = nullptr;
    EXPECT_EQ(static_cast<HCURSOR>(Screen->Cursors[5]),
              static_cast<HCURSOR>(Screen->Cursors[crDefault]));

    // The system's cursors are looked up when first asked for, each as the system has it.
    EXPECT_EQ(static_cast<HCURSOR>(Screen->Cursors[crNone]), nullptr);
    EXPECT_EQ(static_cast<HCURSOR>(Screen->Cursors[crDefault]),
              LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
    const HCURSOR beam = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_IBEAM));
    Screen->Cursors[crIBeam] = CreateCursor(GetModuleHandleA(nullptr), 0, 0, 32, 32, andMask, xorMask);
    EXPECT_NE(static_cast<HCURSOR>(Screen->Cursors[crIBeam]), beam);
    Screen->Cursors[crIBeam] = nullptr;
    EXPECT_EQ(static_cast<HCURSOR>(Screen->Cursors[crIBeam]), beam)
        << "a cursor of the program's own gives way to the system's again";
    EXPECT_EQ(static_cast<HCURSOR>(Screen->Cursors[crSizeAll]),
              LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_SIZEALL)));
}

TEST_F(FormsTest, DataModulesAreListedReadFromTextAndToldOfTheirEnd) {
    int modules = Screen->GetDataModuleCount();
    auto* module = new TDataModule(nullptr);
    ReadComponentText("object DM: TDataModule\n  Left = 5\n  Height = 150\nend\n", module);
    EXPECT_EQ(module->GetName(), "DM");
    EXPECT_EQ(module->GetHeight(), 150);
    ASSERT_EQ(Screen->GetDataModuleCount(), modules + 1);
    EXPECT_EQ(Screen->GetDataModule(modules), module);
    bool destroyed = false;
    module->OnDestroy = TNotifyEvent::FromCallable([&](TObject*) { destroyed = true; });
    delete module;
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(Screen->GetDataModuleCount(), modules);
}

TEST_F(FormsTest, HandleExceptionGoesToOnExceptionEAbortIsSilentAndTerminateEndsTheLoop) {
    Application->HandleException(nullptr, EConvertError("bad"));
    Application->HandleException(nullptr, EAbort("quiet"));
    EXPECT_EQ(Errors, (std::vector<std::string>{"bad"}));
    Application->Terminate();
    Pump();
    EXPECT_TRUE(Application->GetTerminated());
}

} // namespace

namespace {

// The icon the system shows for the window: its own, or else its class's.
HICON ShownIcon(TCustomForm* Form) {
    HWND wnd = Form->GetHandle();
    if (auto own = reinterpret_cast<HICON>(SendMessageA(wnd, WM_GETICON, ICON_BIG, 0))) return own;
    return reinterpret_cast<HICON>(GetClassLongPtrA(wnd, GCLP_HICON));
}

TEST(ApplicationIconTest, FormsWithoutAnIconOfTheirOwnShowTheProgramsIcon) {
    // Read from the program's icon resource "MAINICON" when the application was made.
    ASSERT_FALSE(Application->GetIcon()->GetEmpty());
    TForm plain(nullptr);
    TForm own(nullptr);
    TIcon ownIcon;
    ownIcon.SetHandle(CopyIcon(LoadIconA(nullptr, IDI_QUESTION)));
    own.SetIcon(&ownIcon);
    plain.HandleNeeded();
    own.HandleNeeded();
    EXPECT_EQ(ShownIcon(&plain), Application->GetIcon()->GetHandle());
    EXPECT_EQ(ShownIcon(&own), own.GetIcon()->GetHandle());

    TIcon saved;
    saved.Assign(Application->GetIcon());
    TIcon other;
    other.SetHandle(CopyIcon(LoadIconA(nullptr, IDI_WARNING)));
    Application->SetIcon(&other);
    EXPECT_EQ(ShownIcon(&plain), Application->GetIcon()->GetHandle());
    EXPECT_EQ(ShownIcon(&own), own.GetIcon()->GetHandle());
    TForm later(nullptr);
    later.HandleNeeded();
    EXPECT_EQ(ShownIcon(&later), Application->GetIcon()->GetHandle())
        << "a form made after the program's icon changed shows the new one";
    TIcon none;
    own.SetIcon(&none);
    EXPECT_EQ(ShownIcon(&own), Application->GetIcon()->GetHandle())
        << "a form that gives up its own icon shows the program's";
    Application->SetIcon(&saved);
}

TEST(MainFormTest, AFormBuiltInCodeBecomesTheMainFormAndIsForgottenWhenDeleted) {
    ASSERT_EQ(Application->GetMainForm(), nullptr);
    auto* form = new TForm(nullptr);
    Application->SetMainForm(form);
    EXPECT_EQ(Application->GetMainForm(), form);
    EXPECT_TRUE(form->HandleAllocated());
    auto* other = new TForm(nullptr);
    Application->SetMainForm(other);
    delete form;
    EXPECT_EQ(Application->GetMainForm(), other) << "the former main form is no longer watched";
    delete other;
    EXPECT_EQ(Application->GetMainForm(), nullptr);
}

} // namespace

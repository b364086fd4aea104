// The controller, its notification window, the default controller, controller
// adoption, attached labels and the focus and wheel events of the control bases.
#include "grid/gclbase.h"
#include "grid/gclmisc.h"

#include "classlib/Dialogs.h"
#include "classlib/Exceptions.h"
#include "classlib/Strings.h"
#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

namespace {

class Controller : public ShownFormTest {
protected:
    TGclCustomControlEx* Control(const char* Name, int Left, int Top) {
        auto* control = Add<TGclCustomControlEx>(Form, Left, Top, 100, 24);
        control->SetName(Name);
        return control;
    }
};

} // namespace

TEST_F(Controller, DefaultsEpochAndEvents) {
    TGclController controller(nullptr);
    EXPECT_EQ(controller.EntryOptions, (TGclBaseEFOptions{efoAutoSelect, efoBeepOnError, efoInsertPushes}));
    EXPECT_TRUE(controller.InsertMode);
    EXPECT_FALSE(controller.ErrorPending);
    EXPECT_EQ(controller.GetEpoch(), DefaultEpoch());
    EXPECT_EQ(controller.GetEntryCommands()->GetCount(), 3);
    EXPECT_EQ(controller.GetAbout(), "v4.06");
    controller.SetEpoch(1599);
    controller.SetEpoch(4000);
    EXPECT_EQ(controller.GetEpoch(), DefaultEpoch());
    controller.SetEpoch(3999);
    EXPECT_EQ(controller.GetEpoch(), 3999);
    controller.OnGetEpoch = TGetEpochEvent::FromCallable([](TObject*, int& Epoch) { Epoch = 1900; });
    EXPECT_EQ(controller.GetEpoch(), 1900);

    std::vector<int> fired;
    controller.OnTimerTrigger = TTriggerEvent::FromCallable(
        [&](TObject*, int Handle, Cardinal Interval, int Elapsed) { fired = {Handle, int(Interval), Elapsed}; });
    controller.GetTimerPool()->OnAllTriggers(controller.GetTimerPool(), 3, 100, 7);
    EXPECT_EQ(fired, (std::vector<int>{3, 100, 7}));

    AnsiString shown;
    TMessageDlgHook previous = SetMessageDlgHook(
        [&](const AnsiString& Msg, TMsgDlgType Type, TMsgDlgButtons Buttons, int HelpCtx) {
            EXPECT_EQ(Type, mtError);
            EXPECT_EQ(Buttons, TMsgDlgButtons{mbOK});
            EXPECT_EQ(HelpCtx, 0);
            shown = Msg;
            return 1;
        });
    controller.DoOnError(&controller, 300, "Bad value");
    SetMessageDlgHook(previous);
    EXPECT_EQ(shown, "Bad value");
    controller.OnError = TDataErrorEvent::FromCallable(
        [&](TObject*, Word Code, const AnsiString& Msg) { shown = Msg + IntToStr(Code); });
    controller.DoOnError(&controller, 300, "Handled");
    EXPECT_EQ(shown, "Handled300");
}

TEST_F(Controller, NotificationsArriveThroughTheWindow) {
    auto* losing = Control("Losing", 10, 40);
    auto* controller = new TGclController(Form);
    TObject* sender = nullptr;
    TWinControl* control = nullptr;
    Word code = 0;
    controller->OnPreEdit = TPreEditEvent::FromCallable([&](TObject* S, TWinControl* C) { sender = S, control = C; });
    controller->OnDelayNotify = TDelayNotifyEvent::FromCallable([&](TObject* S, Word N) { sender = S, code = N; });
    controller->DoOnPreEdit(Form, losing);
    EXPECT_EQ(control, nullptr); // posted, not yet handled
    Pump();
    EXPECT_EQ(sender, Form);
    EXPECT_EQ(control, losing);
    controller->DelayNotify(losing, 77);
    Pump();
    EXPECT_EQ(sender, losing);
    EXPECT_EQ(code, 77);
    // An exception in an event goes to the application; the window goes on working.
    controller->OnDelayNotify = TDelayNotifyEvent::FromCallable([](TObject*, Word) { throw EConvertError("oops"); });
    std::vector<std::string> errors;
    Application->OnException =
        TExceptionEvent::FromCallable([&](TObject*, const std::exception& E) { errors.push_back(E.what()); });
    controller->DelayNotify(losing, 1);
    Pump();
    controller->DelayNotify(losing, 2);
    Pump();
    EXPECT_EQ(errors.size(), 2u);
    Application->OnException = TExceptionEvent::FromCallable(
        [this](TObject*, const std::exception& E) { Errors.push_back(E.what()); });
    controller->OnDelayNotify = nullptr;
    controller->DelayNotify(losing, 3); // nothing posted without a handler
    Pump();
    EXPECT_EQ(errors.size(), 2u);
}

TEST_F(Controller, ControlsFindTheirController) {
    auto* first = Control("First", 10, 40);
    auto* second = Control("Second", 10, 80);
    first->GetHandle();
    second->GetHandle();
    EXPECT_EQ(first->GetController(), DefaultController());
    EXPECT_EQ(second->GetController(), DefaultController());
    EXPECT_EQ(DefaultController(), DefaultController());
    auto* late = new TGclCustomControlEx(Form); // no window yet, so no controller
    auto* controller = new TGclController(Form);
    EXPECT_EQ(late->GetController(), controller); // had none: adopts it
    EXPECT_EQ(first->GetController(), DefaultController());
    auto* third = Control("Third", 10, 160);
    third->GetHandle();
    EXPECT_EQ(third->GetController(), controller);
    delete controller;
    EXPECT_FALSE(third->ControllerAssigned());
    EXPECT_EQ(FindController(Form), nullptr);
}

TEST_F(Controller, AttachedLabelFollowsTheControl) {
    auto* edit = Control("Edit", 40, 60);
    edit->GetHandle();
    EXPECT_THROW(edit->GetAttachedLabel(), Exception);
    edit->GetLabelInfo()->SetVisible(true);
    TGclAttachedLabel* label = edit->GetAttachedLabel();
    EXPECT_EQ(label->GetName(), "EditLabel1");
    EXPECT_EQ(label->GetCaption(), "EditLabel1");
    EXPECT_EQ(label->GetFocusControl(), edit);
    EXPECT_EQ(label->GetLeft(), 40);
    EXPECT_EQ(label->GetTop() + label->GetHeight(), 60);
    edit->SetBounds(50, 100, 100, 24);
    Pump();
    EXPECT_EQ(label->GetLeft(), 50);
    EXPECT_EQ(label->GetTop() + label->GetHeight(), 100);
    // Moved by hand: the offsets are recorded and kept when the control moves.
    label->SetBounds(80, 40, label->GetWidth(), label->GetHeight());
    Pump();
    EXPECT_EQ(edit->GetLabelInfo()->GetOffsetX(), 30);
    EXPECT_EQ(edit->GetLabelInfo()->GetOffsetY(), 40 + label->GetHeight() - 100);
    edit->SetBounds(10, 150, 100, 24);
    Pump();
    EXPECT_EQ(label->GetLeft(), 40);
    EXPECT_EQ(edit->GetAttachedLabel(), label);
    edit->SetVisible(false);
    EXPECT_FALSE(label->GetVisible());
    edit->GetLabelInfo()->SetVisible(false);
    EXPECT_EQ(Form->FindComponent("EditLabel1"), nullptr);
}

TEST_F(Controller, ALabelMovedByHandTakesNoFurtherHoldOnItsControl) {
    auto* edit = Control("Edit", 40, 60);
    edit->GetHandle();
    edit->GetLabelInfo()->SetVisible(true);
    TGclAttachedLabel* first = edit->GetAttachedLabel();
    for (int left : {60, 70, 80})
        first->SetBounds(left, 20, first->GetWidth(), first->GetHeight());
    auto* second = new TGclAttachedLabel(Form, edit);
    second->SetBounds(0, 0, 40, 16); // the control takes this one
    first->SetControl(nullptr);
    EXPECT_FALSE(first->GetComponentState().Contains(csFreeNotification));
}

TEST_F(Controller, FocusAndWheelEvents) {
    auto* edit = Control("Edit", 10, 10);
    auto* other = Control("Other", 10, 50);
    std::vector<std::string> events;
    edit->AfterEnter = TNotifyEvent::FromCallable([&](TObject*) { events.push_back("enter"); });
    edit->AfterExit = TNotifyEvent::FromCallable([&](TObject*) { events.push_back("exit"); });
    ASSERT_TRUE(TakeFocus(edit));
    Pump();
    ASSERT_TRUE(TakeFocus(other));
    Pump();
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "exit"}));
    short delta = 0;
    TShiftState shift;
    edit->OnMouseWheel = TGclMouseWheelEvent::FromCallable(
        [&](TObject*, TShiftState S, short D, Word, Word) { shift = S, delta = D; });
    SendMessageA(edit->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-120)),
                 MAKELPARAM(5, 6));
    EXPECT_EQ(delta, -120);
    EXPECT_TRUE(shift.Contains(ssCtrl));
}

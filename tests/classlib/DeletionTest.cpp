// Components deleted while one of their own messages or events is running. Every block
// this program frees is overwritten with a poison pattern first, so a read of a freed
// component (its virtual table above all) fails the test instead of passing by luck.
#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"
#include "classlib/Timers.h"
#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>
#include <malloc.h>

#include <cstdlib>
#include <cstring>
#include <new>

void* operator new(std::size_t Size) {
    if (void* p = std::malloc(Size ? Size : 1)) return p;
    throw std::bad_alloc();
}

void operator delete(void* Memory) noexcept {
    if (!Memory) return;
    std::memset(Memory, 0xDD, _msize(Memory));
    std::free(Memory);
}

void operator delete(void* Memory, std::size_t) noexcept {
    operator delete(Memory);
}

namespace {

// Deletes itself from inside its WM_LBUTTONUP handler, then lets the inherited handling
// (captures, clicks, mouse-up event) run on.
class TSelfDeletingControl : public TCustomControl {
    DECLARE_CLASS(TSelfDeletingControl, TCustomControl)
public:
    using TCustomControl::TCustomControl;
    int* Deleted = nullptr;
    ~TSelfDeletingControl() override { ++*Deleted; }

protected:
    // The compiler cannot know that the deletion waits for the window procedure to return.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuse-after-free"
    void WMLButtonUp(TWMMouse& Message) {
        delete this;
        TCustomControl::Dispatch(Message.Message);
    }
#pragma GCC diagnostic pop
    MESSAGE_HANDLERS(TSelfDeletingControl, TCustomControl)
    MESSAGE_HANDLER(WM_LBUTTONUP, WMLButtonUp)
    END_MESSAGE_HANDLERS
};

class DeletionTest : public ShownFormTest {};

TEST_F(DeletionTest, AControlMayDeleteItselfInItsOwnMessageAndEvents) {
    int deleted = 0;
    auto* control = Add<TSelfDeletingControl>(Form, 10, 10, 50, 30);
    control->Deleted = &deleted;
    int mouseUps = 0;
    control->OnMouseUp = TMouseEvent::FromCallable(
        [&](TObject*, TMouseButton, TShiftState, int, int) { ++mouseUps; });
    PostClick(control, 5, 5);
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(mouseUps, 0) << "a deleted control fires no more events";
    EXPECT_EQ(Form->GetControlCount(), 0);
    EXPECT_EQ(Form->GetComponentCount(), 0);

    // Its OnClick, from a real click on a button.
    auto* button = Add<TButton>(Form, 10, 10, 80, 25);
    HWND buttonWnd = button->GetHandle();
    button->OnClick = TNotifyEvent::FromCallable([](TObject* Sender) { delete Sender; });
    PostClick(button, 5, 5);
    EXPECT_FALSE(IsWindow(buttonWnd));
    EXPECT_EQ(Form->GetControlCount(), 0);
}

TEST_F(DeletionTest, ATimerMayDeleteItselfOrItsOwnerInItsTick) {
    auto* timer = new TTimer(Form);
    HWND wnd = timer->GetWindowHandle();
    int ticks = 0;
    timer->OnTimer = TNotifyEvent::FromCallable([&](TObject* Sender) {
        ++ticks;
        delete Sender;
    });
    SendMessageA(wnd, WM_TIMER, 1, 0);
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_EQ(Form->GetComponentCount(), 0);

    auto* owner = new TForm(nullptr);
    auto* owned = new TTimer(owner);
    wnd = owned->GetWindowHandle();
    owned->OnTimer = TNotifyEvent::FromCallable([&](TObject*) { delete owner; });
    SendMessageA(wnd, WM_TIMER, 1, 0);
    EXPECT_FALSE(IsWindow(wnd));
}

TEST_F(DeletionTest, AControlMayDeleteItsForm) {
    // The fixture's own form: a second shown form would fight it for activation.
    auto* button = Add<TButton>(Form, 10, 10, 80, 25);
    TForm* form = Form;
    Form = nullptr; // deleted by the test
    int notified = 0;
    struct TWatcher : TComponent {
        using TComponent::TComponent;
        int* Count = nullptr;
        void Notification(TComponent*, TOperation Operation) override {
            if (Operation == opRemove) ++*Count;
        }
    };
    auto* probe = new TWatcher(nullptr);
    probe->Count = &notified;
    form->FreeNotification(probe);
    HWND formWnd = form->GetHandle();
    button->OnClick = TNotifyEvent::FromCallable([&](TObject*) {
        delete form;
        EXPECT_EQ(notified, 1) << "free notifications come at the moment of deletion";
        EXPECT_FALSE(IsWindow(formWnd)) << "the window goes at once";
    });
    PostClick(button, 5, 5);
    EXPECT_FALSE(IsWindow(formWnd));
    for (int i = 0; i < Screen->GetFormCount(); ++i) EXPECT_NE(Screen->GetForm(i), form);
    delete probe;
}

TEST_F(DeletionTest, AMenuItemMayDeleteItsMenu) {
    auto* menu = new TMainMenu(Form);
    auto* item = new TMenuItem(Form);
    item->SetCaption("Go");
    menu->GetItems()->Add(item);
    Form->SetMenu(menu);
    Pump();
    int clicks = 0;
    item->OnClick = TNotifyEvent::FromCallable([&](TObject*) {
        ++clicks;
        delete menu;
    });
    SendMessageA(Form->GetHandle(), WM_COMMAND, item->GetCommand(), 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(GetMenu(Form->GetHandle()), nullptr);
    EXPECT_EQ(Form->GetComponentCount(), 0);
}

TEST_F(DeletionTest, AFormFreedWhileAModalBoxFromItsClickIsOpen) {
    auto* button = Add<TButton>(Form, 10, 10, 80, 25);
    TForm* form = Form;
    Form = nullptr; // deleted by the test
    TModalResult result = mrNone;
    button->OnClick = TNotifyEvent::FromCallable([&](TObject*) {
        auto* box = new TForm(nullptr);
        // the click's own form goes while the box is up
        box->OnShow = TNotifyEvent::FromCallable([&](TObject*) { delete form; });
        // The loop never waits: the box closes as soon as it is idle.
        Application->OnIdle = TIdleEvent::FromCallable([box](TObject*, bool& Done) {
            Done = false;
            box->SetModalResult(mrOk);
        });
        result = box->ShowModal();
        Application->OnIdle = nullptr;
        delete box;
    });
    PostClick(button, 5, 5);
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(Screen->GetFormCount(), 0);
}

} // namespace

// Components deleted while one of their own messages or events is running. Every block
// this program frees is poisoned first (tests/support/PoisoningAllocator), so a read of a
// freed component fails the test instead of passing by luck.
#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "classlib/Panels.h"
#include "classlib/StdCtrls.h"
#include "classlib/Timers.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/PoisoningAllocator.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

namespace {

// The poison must reach the freed block in this optimised build: the fill before the
// release is a dead store the compiler would otherwise drop. The middle of a block is read
// back, away from where the heap keeps its own list of free blocks.
TEST(PoisoningAllocator, FreedBlocksHoldThePoisonPattern) {
    constexpr std::size_t Size = 256;
    auto* block = new unsigned char[Size];
    for (std::size_t i = 0; i < Size; ++i) block[i] = 0x11;
    // Read through an address the compiler cannot track to the freed block.
    volatile std::uintptr_t address = reinterpret_cast<std::uintptr_t>(block);
    delete[] block;
    const auto* freed = reinterpret_cast<const volatile unsigned char*>(address);
    int poisoned = 0;
    for (std::size_t i = Size / 4; i < Size * 3 / 4; ++i) poisoned += freed[i] == PoisonByte;
    EXPECT_EQ(poisoned, static_cast<int>(Size / 2));

    // Objects go through the same path.
    auto object = std::make_unique<std::uint64_t[]>(32);
    object[16] = 0;
    address = reinterpret_cast<std::uintptr_t>(object.get());
    object.reset();
    EXPECT_EQ(reinterpret_cast<const volatile unsigned char*>(address)[16 * 8], PoisonByte);
}

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

// Counts the leaves of the pointer that reach it.
class TLeaveCounter : public TCustomControl {
    DECLARE_CLASS(TLeaveCounter, TCustomControl)
public:
    using TCustomControl::TCustomControl;
    int* Leaves = nullptr;

protected:
    void CMMouseLeave(TMessage&) { ++*Leaves; }
    MESSAGE_HANDLERS(TLeaveCounter, TCustomControl)
    MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave)
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

// A leave handler of a control that goes with its form would run on an owner whose own parts
// may be gone already: here the panel's leaving the form would tell the control inside it.
TEST_F(DeletionTest, AFormDeletedUnderThePointerTellsNoneOfItsControlsThatThePointerLeft) {
    auto* panel = Add<TPanel>(Form, 10, 10, 100, 60);
    auto* control = Add<TLeaveCounter>(panel, 10, 10, 50, 30);
    int leaves = 0;
    control->Leaves = &leaves;
    PointerTo(control->ClientToScreen({5, 5}));
    ASSERT_EQ(GetMouseControl(), control);
    delete Form;
    Form = nullptr;
    EXPECT_EQ(leaves, 0);
    EXPECT_EQ(GetMouseControl(), nullptr);
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

// Message records, their typed views, shift states and the library's message numbers.
#include "classlib/Messages.h"

#include <gtest/gtest.h>

namespace {

LPARAM Pos(int X, int Y) {
    return MAKELPARAM(static_cast<WORD>(X), static_cast<WORD>(Y));
}

TEST(MessageViews, MouseWheelAndKeyViewsReadSignedValuesAndWriteBack) {
    TMessage message{WM_MOUSEMOVE, MK_LBUTTON, Pos(-5, -300), 0};
    TWMMouse mouse(message);
    EXPECT_EQ(mouse.XPos(), -5);
    EXPECT_EQ(mouse.YPos(), -300);
    EXPECT_EQ(mouse.Keys(), static_cast<WPARAM>(MK_LBUTTON));
    mouse.SetPos({12, -7});
    EXPECT_EQ(TWMMouse(message).Pos(), TPoint(12, -7));
    mouse.Result = 3;
    EXPECT_EQ(message.Result, 3);

    TMessage turn{WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-240)), Pos(100, -2), 0};
    TWMMouseWheel wheel(turn);
    EXPECT_EQ(wheel.WheelDelta(), -240);
    EXPECT_EQ(wheel.Keys(), MK_CONTROL);
    EXPECT_EQ(wheel.Pos(), TPoint(100, -2));
    turn.WParam = MAKEWPARAM(0, WHEEL_DELTA);
    EXPECT_EQ(wheel.WheelDelta(), 120);

    TMessage press{WM_KEYDOWN, VK_TAB, 0x000F0001, 0};
    TWMKey key(press);
    EXPECT_EQ(key.CharCode(), VK_TAB);
    EXPECT_EQ(key.KeyData(), 0x000F0001);
    key.SetCharCode(0);
    EXPECT_EQ(press.WParam, 0u);
}

TEST(MessageViews, SplitParametersAndPointersKeepTheirMeaning) {
    HWND bar = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x12345678));
    TMessage scroll{WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 40000), reinterpret_cast<LPARAM>(bar), 0};
    EXPECT_EQ(TWMScroll(scroll).ScrollCode(), SB_THUMBTRACK);
    EXPECT_EQ(TWMScroll(scroll).Pos(), 40000);
    EXPECT_EQ(TWMScroll(scroll).ScrollBar(), bar);

    TMessage size{WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(1280, 1000), 0};
    EXPECT_EQ(TWMSize(size).Width(), 1280);
    EXPECT_EQ(TWMSize(size).Height(), 1000);
    TMessage move{WM_MOVE, 0, Pos(-1280, -4), 0};
    EXPECT_EQ(TWMMove(move).XPos(), -1280);
    EXPECT_EQ(TWMMove(move).YPos(), -4);

    TMessage cursor{WM_SETCURSOR, 0, MAKELPARAM(static_cast<WORD>(HTERROR), WM_LBUTTONDOWN), 0};
    EXPECT_EQ(TWMSetCursor(cursor).HitTest(), HTERROR);
    EXPECT_EQ(TWMSetCursor(cursor).MouseMsg(), static_cast<UINT>(WM_LBUTTONDOWN));

    NMHDR header{bar, 7, 0};
    TMessage notify{WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&header), 0};
    EXPECT_EQ(TWMNotify(notify).NMHdr(), &header);
    TMessage command{WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), reinterpret_cast<LPARAM>(bar), 0};
    EXPECT_EQ(TWMCommand(command).ItemID(), 1001);
    EXPECT_EQ(TWMCommand(command).NotifyCode(), BN_CLICKED);
    EXPECT_EQ(TWMCommand(command).Ctl(), bar);
    TMessage timer{WM_TIMER, 5, 0, 0};
    EXPECT_EQ(TWMTimer(timer).TimerID(), 5u);
}

TEST(ShiftState, MouseKeysBecomeShiftStates) {
    TShiftState shift = KeysToShiftState(MK_SHIFT | MK_CONTROL | MK_LBUTTON | MK_MBUTTON);
    EXPECT_TRUE(shift.Contains(ssShift));
    EXPECT_TRUE(shift.Contains(ssCtrl));
    EXPECT_TRUE(shift.Contains(ssLeft));
    EXPECT_TRUE(shift.Contains(ssMiddle));
    EXPECT_FALSE(shift.Contains(ssRight));
    EXPECT_TRUE(KeysToShiftState(MK_RBUTTON).Contains(ssRight));
}

TEST(ShiftState, KeyDataGivesAltAndTheKeyboardGivesShiftAndCtrl) {
    BYTE saved[256];
    GetKeyboardState(saved);
    BYTE state[256] = {};
    state[VK_SHIFT] = 0x80;
    SetKeyboardState(state);
    TShiftState shift = KeyDataToShiftState(0x20000001);
    SetKeyboardState(saved);
    EXPECT_TRUE(shift.Contains(ssAlt));
    EXPECT_TRUE(shift.Contains(ssShift));
    EXPECT_FALSE(shift.Contains(ssCtrl));
    EXPECT_FALSE(KeyDataToShiftState(1).Contains(ssAlt));
}

TEST(ShiftState, AcceleratorsFollowASingleAmpersand) {
    EXPECT_TRUE(IsAccel('G', "&Go"));
    EXPECT_TRUE(IsAccel('g', "&Go"));
    EXPECT_FALSE(IsAccel('O', "&Go"));
    EXPECT_FALSE(IsAccel('G', "&&Go"));
    EXPECT_TRUE(IsAccel('C', "A&&B&c"));
    EXPECT_FALSE(IsAccel('A', "A&"));
    EXPECT_FALSE(IsAccel('G', "Go"));
    EXPECT_FALSE(IsAccel(0x147, "&G"));
}

TEST(MessageNumbers, OurOwnStayClearOfTheNumbersOthersUse) {
    const UINT ours[] = {CM_MOUSEENTER, CM_MOUSELEAVE, CM_DIALOGKEY, CM_FOCUSCHANGED,
                         CM_CHANGED,    CN_COMMAND,    CN_NOTIFY,    CN_CTLCOLORSTATIC,
                         CN_KEYDOWN,    CN_DRAWITEM,   CN_SYSCHAR,   CM_INVALIDATE};
    for (UINT number : ours) {
        EXPECT_GE(number, static_cast<UINT>(WM_APP));
        EXPECT_LT(number, 0xC000u) << "registered messages start there";
        EXPECT_FALSE(number >= 1225 && number <= 1232);
        EXPECT_FALSE(number >= 18757 && number <= 18777);
        EXPECT_FALSE(number >= 32512 && number <= 32528);
    }
    EXPECT_EQ(CN_COMMAND, CN_BASE + WM_COMMAND);
    EXPECT_LT(CM_CHANGED, CN_BASE);
}

} // namespace

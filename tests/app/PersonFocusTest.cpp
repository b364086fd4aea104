// What takes the keys and what lights under the pointer in the built editor, as a person meets
// them: the button that has the focus is disabled by what it does (Apply, answered Yes) or by a
// file opened meanwhile, and the keys still reach a live control that Tab moves on from; a lit
// button goes dark when the pointer jumps off every window of the editor or when a window of
// another program comes over it. Driven by keys and the pointer at screen points only
// (tests/app/PersonSupport.h); screenshots (person-focus-*.bmp) go beside the test.
#include "tests/app/PersonSupport.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include "classlib/Platform.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace person;

class PersonFocus : public TEditorTest {
protected:
    // A key, and the focus once it has moved from where it was (or the deadline passed).
    HWND KeyMovingFocus(WORD Vk) {
        const HWND before = Editor->Focus();
        PressKey(Vk);
        WaitUntil([&] { return Editor->Focus() != before; }, 2000);
        return Editor->Focus();
    }

    // Apply with a type change pending and the focus, reached as a person reaches it: the type
    // box unrolled by a click on its caption, Tab to its combo box, Down to the other type,
    // Tab to Apply.
    void FocusPendingApply() {
        HWND combo = UnrollTypeBox(Main);
        ASSERT_NE(combo, nullptr);
        // Unrolled, the box shows Apply: its window is made then.
        ASSERT_TRUE(WaitUntil(
            [this] {
                Apply = FindInside(Main, "TskSkinButton", "Apply");
                return Apply != nullptr;
            },
            2000));
        for (int press = 0; press < 14 && Editor->Focus() != combo; ++press) KeyMovingFocus(VK_TAB);
        ASSERT_EQ(Editor->Focus(), combo) << "Tab never reached the type box";
        PressKey(VK_DOWN);
        ASSERT_TRUE(WaitUntil([this] { return IsWindowEnabled(Apply) != 0; }, 2000))
            << "the other type chosen leaves nothing to apply";
        ASSERT_EQ(KeyMovingFocus(VK_TAB), Apply) << "Apply is the stop after the type box";
    }

    // Return in Window (a question, or a dialog with its answer typed): it closes, and what it
    // did leaves no type change to apply: Apply goes disabled.
    void ReturnLeavesNothingToApply(HWND Window, const std::string& What) {
        PressKey(VK_RETURN);
        ASSERT_TRUE(WaitUntil([Window] { return !IsWindow(Window) || !IsWindowVisible(Window); }))
            << "Return left " << What << " open";
        ASSERT_TRUE(WaitUntil([this] { return !IsWindowEnabled(Apply); }, 2000))
            << "Return in " << What << " left a type change pending";
    }

    // The focus is on a shown, enabled control of the main window, and Tab moves it to another.
    void ExpectLiveFocusThatTabMoves(const std::string& After) {
        SCOPED_TRACE("after " + After);
        auto live = [this](HWND Wnd) {
            return Wnd && IsWindowVisible(Wnd) && IsWindowEnabled(Wnd) &&
                   (Wnd == Main || IsChild(Main, Wnd));
        };
        ASSERT_TRUE(WaitUntil([&] { return live(Editor->Focus()); }, 2000))
            << "the focus is on " << (Editor->Focus() ? Name(Editor->Focus()) : "no window");
        const HWND first = Editor->Focus();
        EXPECT_NE(first, Apply);
        Editor->GrabSettled(WindowRectOf(Main)).Save("person-focus-" + After + ".bmp");
        const HWND next = KeyMovingFocus(VK_TAB);
        EXPECT_NE(next, first) << "Tab leaves the focus on " << Name(first);
        EXPECT_TRUE(live(next)) << "Tab put the focus on " << (next ? Name(next) : "no window");
    }

    HWND Apply = nullptr;
};

TEST_F(PersonFocus, ApplyDisabledByItsOwnAnswerHandsTheFocusOn) {
    FocusPendingApply();
    const std::vector<HWND> before = Editor->Windows();
    PressKey(VK_SPACE);
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        for (HWND wnd : Editor->Windows())
            if (std::find(before.begin(), before.end(), wnd) == before.end() &&
                ClassOf(wnd) == "TskMessageForm")
                box = wnd;
        return box != nullptr;
    })) << "Space on Apply asked nothing";
    ReturnLeavesNothingToApply(box, "the question");
    ExpectLiveFocusThatTabMoves("apply-answered");
}

TEST_F(PersonFocus, AFileOpenedWhileApplyHasTheFocusHandsItOn) {
    Put("ed\\two.pge", "[Page]\r\n0=192\r\n1=249\r\n[Type]\r\nCommonType=0\r\n");
    FocusPendingApply();
    // Pages, Open by the keys: Alt, Return opens the drop-down on New, Down to Open, Return.
    PressKey(VK_MENU);
    const std::vector<HWND> before = Editor->Windows();
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return Editor->Windows().size() > before.size(); }, 2000))
        << "the Pages menu did not drop down";
    PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (dialog = Editor->Find("TskOpenDlgForm")) != nullptr; }))
        << "Open showed no dialog";
    HWND edit = FindInside(dialog, "TskSkinEdit");
    ASSERT_NE(edit, nullptr);
    Click(Centre(WindowRectOf(edit)));
    ASSERT_TRUE(WaitUntil([&] { return Editor->Focus() == edit; }, 2000));
    TypeText("two.pge");
    ReturnLeavesNothingToApply(dialog, "the open dialog");
    ExpectLiveFocusThatTabMoves("file-opened");
}

TEST_F(PersonFocus, ALitButtonGoesDarkOffEveryWindowAndUnderAnotherProgramsWindow) {
    HWND add = FindInside(Main, "TskSkinButton", "Add Page");
    ASSERT_NE(add, nullptr);
    const RECT button = WindowRectOf(add);
    const TShot plain = Editor->GrabSettled(button);
    auto lightUp = [&] {
        MoveTo(Centre(button).x, Centre(button).y);
        return WaitUntil([&] { return !(Grab(button) == plain); });
    };
    ASSERT_TRUE(lightUp()) << "the pointer on Add Page lights nothing";
    Editor->GrabSettled(WindowRectOf(Main)).Save("person-focus-hover.bmp");

    ParkPointer();
    EXPECT_TRUE(Editor->GrabSettled(button) == plain)
        << "Add Page stays lit, the pointer gone; the focus is on "
        << (Editor->Focus() ? Name(Editor->Focus()) : "no window");

    // This test's own window, of another program, over the right half of the lit button.
    ASSERT_TRUE(lightUp());
    const int half = (button.right - button.left) / 2;
    HWND cover = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, "BUTTON",
                                 "", WS_POPUP, button.left + half, button.top - 4, half + 8,
                                 button.bottom - button.top + 8, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(cover, nullptr);
    ShowWindow(cover, SW_SHOWNOACTIVATE);
    UpdateWindow(cover);
    const RECT inShot{0, 0, half, button.bottom - button.top};
    const bool dark = WaitUntil([&] { return plain.SameIn(Grab(button), inShot); });
    Editor->GrabSettled(WindowRectOf(Main)).Save("person-focus-hover-covered.bmp");
    EXPECT_TRUE(dark) << "Add Page stays lit under another program's window";
    DestroyWindow(cover);
}

// Resting on segment a lights its outline, its wire and its pin label; the pointer jumping from
// there onto Add Page in one move takes all of them back to their own colours.
TEST_F(PersonFocus, TheLedViewsHoverGoesWhenThePointerJumpsOffTheView) {
    HWND view = FindInside(Main, "TImage32"), add = FindInside(Main, "TskSkinButton", "Add Page");
    ASSERT_TRUE(view && add);
    const RECT area = ClientRectOnScreen(view);
    const TShot plain = Editor->GrabSettled(area);
    MoveTo(area.left + 55, area.top + 38);
    ASSERT_TRUE(WaitUntil([&] { return !(Grab(area) == plain); }))
        << "resting on segment a lights nothing";
    Editor->GrabSettled(area).Save("person-focus-led-hover.bmp");

    MoveTo(Centre(WindowRectOf(add)).x, Centre(WindowRectOf(add)).y);
    const TShot left = Editor->GrabSettled(area);
    left.Save("person-focus-led-left.bmp");
    const RECT lit = left.Changes(plain);
    EXPECT_TRUE(IsRectEmpty(&lit))
        << "the view stays lit in " << Describe(lit) << " with the pointer on Add Page";
}

} // namespace

// The texts of the program's skin as a person reads them: the built editor runs in a process
// of its own, is driven by the pointer and the keys, and every text the skin colours is found
// by its ink on the screen and measured against the pixels right beside it: at least 4.5:1,
// at least 3:1 where the text is disabled. Screenshots (contrast-*.bmp) go beside the test
// program.
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

constexpr double kText = 4.5, kDisabledText = 3.0;
// The editor's own form font, in which its page table draws.
const TTextFont kTableFont{"MS Sans Serif", -11, false};

class SkinContrast : public TEditorTest {
protected:
    HWND Button(const std::string& Caption) {
        HWND found = FindInside(Main, "TskSkinButton", Caption);
        return found && TextOf(found) == Caption ? found : nullptr;
    }

    // Text in Font as it shows in Area of the screen once settled; the shot is saved as Name.
    TInkContrast Expect(const RECT& Area, const std::string& Text, const TTextFont& Font, double Least,
                        const std::string& Name, TInkLook Look = {}) {
        const TShot shot = Editor->GrabSettled(Area);
        const TInkContrast contrast = InkContrast(shot, Text, Font, Look);
        EXPECT_TRUE(contrast.Shown && contrast.Ratio >= Least)
            << "\"" << Text << "\" in " << Font << ": " << contrast << ", at least " << Least << " wanted";
        shot.Save("contrast-" + Name + ".bmp");
        return contrast;
    }
    void ExpectButton(const std::string& Caption, double Least, const std::string& Name) {
        HWND button = Button(Caption);
        ASSERT_NE(button, nullptr) << Caption;
        Expect(WindowRectOf(button), Caption, SkinFont("button"), Least, Name, {.Prefix = true});
    }

};

TEST_F(SkinContrast, EveryTextTheSkinColoursStandsOutFromWhatLiesBesideIt) {
    // Buttons, enabled and (with no page yet) disabled.
    ExpectButton("Add Page", kText, "button");
    ExpectButton("Replace Page", kDisabledText, "button-disabled");
    ExpectButton("Animate Pages", kDisabledText, "button-disabled");

    // A menu-bar item with its drop-down open, and the drop-down's enabled and disabled rows.
    HWND bar = FindInside(Main, "TskSkinMainMenuBar");
    ASSERT_NE(bar, nullptr);
    const RECT barRect = WindowRectOf(bar);
    const TInkContrast examples = InkContrast(Editor->GrabSettled(barRect), "Examples", SkinFont("menubaritem"));
    ASSERT_TRUE(examples.Shown) << "the bar shows no \"Examples\"";
    std::vector<HWND> before = Editor->Windows();
    Click(barRect.left + (examples.Box.left + examples.Box.right) / 2,
          barRect.top + (examples.Box.top + examples.Box.bottom) / 2);
    HWND dropDown = WaitForNew(before);
    ASSERT_NE(dropDown, nullptr) << "Examples opened no drop-down";
    MoveTo(barRect.right + 40, barRect.bottom + 200);
    Expect(barRect, "Examples", SkinFont("menubaritem"), kText, "menubar-open");
    Expect(WindowRectOf(dropDown), "SXBasic (SXx)", SkinFont("MENUITEM"), kText, "menu");
    Expect(WindowRectOf(dropDown), "PBasic (Stamp)", SkinFont("MENUITEM"), kDisabledText, "menu-disabled");
    PressKey(VK_ESCAPE);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(dropDown); }));

    // The type box's drop-down list, its chosen row lit.
    HWND combo = UnrollTypeBox(Main);
    ASSERT_NE(combo, nullptr);
    const RECT comboRect = WindowRectOf(combo);
    before = Editor->Windows();
    Click(comboRect.right - 8, (comboRect.top + comboRect.bottom) / 2);
    HWND list = WaitForNew(before);
    ASSERT_NE(list, nullptr) << "the type box's combo opened no list";
    MoveTo(comboRect.right + 200, comboRect.top);
    Expect(WindowRectOf(list), TextOf(combo), SkinFont("combobox"), kText, "combo-list");
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(list); }));
    // The focused combo box shows its text on the chosen row's look.
    ASSERT_TRUE(WaitUntil([&] { return Editor->Focus() == combo; })) << "the combo box lost the focus";
    Expect(comboRect, TextOf(combo), SkinFont("combobox"), kText, "combo-focused");

    // The main window's caption while another window is active.
    HWND other = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "other", WS_POPUP | WS_VISIBLE | WS_BORDER, 0, 0, 60, 40,
                                 nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(WaitUntil([&] {
        SetForegroundWindow(other);
        return GetForegroundWindow() == other;
    }));
    RECT caption = WindowRectOf(Main);
    caption.bottom = caption.top + 26;
    Expect(caption, TextOf(Main), SkinFont("caption"), kText, "caption-inactive");
    DestroyWindow(other);
    ASSERT_TRUE(Editor->Activate());

    // While the pages are animated: the boxes, buttons and the page table that take no input.
    for (int i = 0; i < 2; ++i) Click(Centre(WindowRectOf(Button("Add Page"))));
    HWND animate = Button("Animate Pages");
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(animate); }));
    Click(Centre(WindowRectOf(animate)));
    ParkPointer();
    ASSERT_TRUE(WaitUntil([&] { return TextOf(animate).rfind("Stop", 0) == 0; }));
    for (const char* box : {"Type", "Pages"}) {
        HWND group = FindInside(Main, "TskSkinGroupBox", box);
        ASSERT_NE(group, nullptr) << box;
        RECT top = WindowRectOf(group);
        top.bottom = top.top + 22;
        Expect(top, TextOf(group), SkinFont("groupbox"), kDisabledText, "group-disabled");
    }
    ExpectButton("Add Page", kDisabledText, "button-disabled");
    HWND table = FindInside(Main, "TGclTable");
    ASSERT_NE(table, nullptr);
    Expect(WindowRectOf(table), "Integer", kTableFont, kDisabledText, "table-disabled");
    Expect(WindowRectOf(table), "255", kTableFont, kDisabledText, "table-disabled");
    Click(Centre(WindowRectOf(animate)));
}

} // namespace

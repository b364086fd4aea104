// The editor as a person uses it: the built vantorel.exe runs as a process of its own, in a
// folder of its own, and is driven only by the pointer and the keys; every check reads the
// screen and the windows' rectangles from outside (tests/app/PersonSupport.h). Texts are
// checked by their ink: each is drawn here in the font the skin gives its control and looked
// for, whole, among the pixels of that control. Screenshots (person-*.bmp) go beside the test
// program.
//
// Every wait is a poll with a deadline; the editor is killed at the end of every test.
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

// The controls whose window text is a caption they draw, and the skin section of their font.
struct TCaptionKind {
    const char* Class;
    const char* Section;
    TInkLook Look;
};
const TCaptionKind kCaptionKinds[] = {
    {"TskSkinButton", "button", {.Prefix = true}},
    {"TskSkinGroupBox", "groupbox", {}},
    {"TskSkinExPanel", "expanel", {.MayShorten = true}},
    {"TskSkinLabel", "label", {}},
};

// The part of Shot (taken at Origin on the screen) that shows Area of the screen.
TShot Part(const TShot& Shot, POINT Origin, RECT Area) {
    OffsetRect(&Area, -Origin.x, -Origin.y);
    const RECT all{0, 0, Shot.Width, Shot.Height};
    IntersectRect(&Area, &Area, &all);
    TShot part;
    part.Width = std::max<LONG>(0, Area.right - Area.left);
    part.Height = std::max<LONG>(0, Area.bottom - Area.top);
    for (int y = Area.top; y < Area.bottom; ++y)
        for (int x = Area.left; x < Area.right; ++x) part.Pixels.push_back(Shot.At(x, y));
    return part;
}

class PersonUsesEditor : public TEditorTest {
protected:
    // A short folder name: the file dialogs show it in their captions.
    PersonUsesEditor() : TEditorTest(kFolder) {}
    static bool WaitGone(HWND Wnd, int Ms = 4000) {
        return WaitUntil([Wnd] { return !IsWindow(Wnd) || !IsWindowVisible(Wnd); }, Ms);
    }

    // The menu bar's items, found as a person finds them: the stretch of the bar that lights
    // up under the pointer, one after another from the left.
    std::vector<RECT> BarItems() {
        if (!FBarItems.empty()) return FBarItems;
        HWND bar = FindInside(Main, "TskSkinMainMenuBar");
        if (!bar) return {};
        const RECT barRect = WindowRectOf(bar);
        ParkPointer();
        const TShot plain = Editor->GrabSettled(barRect);
        const int y = (barRect.top + barRect.bottom) / 2;
        for (int x = barRect.left + 6; x < barRect.right - 6 && FBarItems.size() < 8;) {
            MoveTo(x, y);
            const TShot lit = Editor->GrabSettled(barRect);
            const RECT changed = lit.Changes(plain);
            RECT item = changed;
            OffsetRect(&item, barRect.left, barRect.top);
            // Past the last item the bar may keep the one lit that the pointer left.
            if (IsRectEmpty(&changed) || (!FBarItems.empty() && EqualRect(&item, &FBarItems.back()))) {
                x += 6;
                continue;
            }
            FBarItems.push_back(item);
            x = item.right + 3;
        }
        ParkPointer();
        EXPECT_TRUE(Editor->GrabSettled(barRect) == plain) << "the hover light stays after the pointer left the bar";
        return FBarItems;
    }

    // Clicks the bar item Index and returns the drop-down that opens, or null.
    HWND OpenMenu(std::size_t Index) {
        const std::vector<RECT> items = BarItems();
        if (Index >= items.size()) return nullptr;
        const std::vector<HWND> before = Editor->Windows();
        Click(Centre(items[Index]));
        return WaitForNew(before);
    }

    // A menu command by keys: Alt, Right to the bar item, Return opens its drop-down on its
    // first row, Down to the row (counted in rows that can be chosen), Return. Each key is
    // pressed once the one before shows: on the bar, then in the drop-down.
    void Command(std::size_t BarItem, int Row) {
        ASSERT_TRUE(Editor->Activate());
        HWND bar = FindInside(Main, "TskSkinMainMenuBar");
        ASSERT_NE(bar, nullptr);
        auto pressSeen = [this](WORD Vk, const RECT& Where, const char* What) {
            TShot shown = Editor->GrabSettled(Where);
            PressKey(Vk);
            EXPECT_TRUE(WaitUntil([&] { return !(Grab(Where) == shown); })) << What << " showed nothing";
        };
        const RECT barRect = WindowRectOf(bar);
        pressSeen(VK_MENU, barRect, "Alt");
        for (std::size_t i = 0; i < BarItem; ++i) pressSeen(VK_RIGHT, barRect, "Right on the menu bar");
        const std::vector<HWND> before = Editor->Windows();
        PressKey(VK_RETURN);
        HWND menu = WaitForNew(before, "", 2000);
        ASSERT_NE(menu, nullptr) << "Return on bar item " << BarItem << " opened no drop-down";
        for (int i = 0; i < Row; ++i) pressSeen(VK_DOWN, WindowRectOf(menu), "Down in the drop-down");
        PressKey(VK_RETURN);
        EXPECT_TRUE(WaitGone(menu, 2000)) << "Return on row " << Row << " left the drop-down open";
    }

    HWND Button(const std::string& Caption) {
        HWND found = FindInside(Main, "TskSkinButton", Caption);
        return found && TextOf(found) == Caption ? found : nullptr;
    }
    static bool Enabled(HWND Wnd) { return Wnd && IsWindowEnabled(Wnd); }

    // The layout of Wnd as shown, after a full repaint: its screenshot, every child window
    // inside its parent's client area, and the caption of every captioned control whole on the
    // screen; Unchecked and what it holds are left out.
    void AuditLayout(HWND Wnd, const std::string& Shown, HWND Unchecked = nullptr) {
        SCOPED_TRACE("layout of " + Shown);
        ForceFullRepaint(Wnd);
        const RECT window = WindowRectOf(Wnd);
        // A caption that changes by itself (the animation's) counts when it is the same
        // before and after the look.
        const std::vector<HWND> children = DescendantsOf(Wnd);
        auto captions = [&children] {
            std::vector<std::string> texts;
            for (HWND child : children) texts.push_back(TextOf(child));
            return texts;
        };
        TShot shot;
        std::vector<std::string> texts;
        EXPECT_TRUE(WaitUntil([&] {
            texts = captions();
            shot = Editor->GrabSettled(window);
            return captions() == texts;
        })) << "the captions never held still for a look";
        shot.Save("person-" + Shown + ".bmp");
        for (std::size_t i = 0; i < children.size(); ++i) {
            const HWND child = children[i];
            if (!IsWindowVisible(child)) continue;
            if (Unchecked && (child == Unchecked || IsChild(Unchecked, child))) continue;
            HWND parent = GetParent(child);
            const RECT area = ClientRectOnScreen(parent), own = WindowRectOf(child);
            EXPECT_TRUE(Inside(own, area)) << Name(child) << " at " << Describe(own) << " leaves the client area "
                                           << Describe(area) << " of " << Name(parent);
            const std::string& caption = texts[i];
            if (caption.empty()) continue;
            for (const TCaptionKind& kind : kCaptionKinds) {
                if (ClassOf(child) != kind.Class) continue;
                EXPECT_TRUE(ShowsWhole(Part(shot, {window.left, window.top}, own), caption, SkinFont(kind.Section),
                                       kind.Look))
                    << "in " << Name(child) << " at " << Describe(own);
            }
        }
    }

    // The file dialog's two labels whole, and its name field, type box and both buttons
    // inside its client area.
    void ExpectBottomRowWhole(HWND Dialog) {
        HWND edit = FindInside(Dialog, "TskSkinEdit");
        ASSERT_NE(edit, nullptr);
        HWND bottom = GetParent(edit);
        const RECT client = ClientRectOnScreen(Dialog), row = WindowRectOf(bottom);
        std::vector<HWND> controls{edit, FindInside(Dialog, "TskSkinFilterComboBox")};
        for (HWND wnd : DescendantsOf(bottom))
            if (ClassOf(wnd) == "TskSkinButton") controls.push_back(wnd);
        ASSERT_EQ(controls.size(), 4u) << "the name field, the type box and two buttons";
        for (HWND control : controls)
            EXPECT_TRUE(control && Inside(WindowRectOf(control), client))
                << Name(control) << " at " << Describe(WindowRectOf(control)) << " is not inside the client area "
                << Describe(client);
        const TShot shot = Editor->GrabSettled(row);
        for (const char* label : {"File name:", "File type:"})
            EXPECT_TRUE(ShowsWhole(shot, label, SkinFont("stdlabel")));
    }

    // Each line of a skinned message box's text whole in the box.
    void ExpectMessageWhole(HWND Box, const std::vector<std::string>& Lines) {
        const TShot shot = Editor->GrabSettled(WindowRectOf(Box));
        for (const std::string& line : Lines)
            EXPECT_TRUE(ShowsWhole(shot, line, SkinFont("stdlabel"))) << "in the box " << Name(Box);
    }

    // A click into the edit Edit, which then has the focus: what is typed next goes there.
    void ClickInto(HWND Edit) {
        Click(Centre(WindowRectOf(Edit)));
        ASSERT_TRUE(WaitUntil([&] { return Editor->Focus() == Edit; })) << Name(Edit) << " took no focus";
    }

    // Name typed into the file dialog Dialog's name field and Return pressed: the dialog closes.
    void TypeAndReturn(HWND Dialog, const std::string& Name) {
        HWND edit = FindInside(Dialog, "TskSkinEdit");
        ASSERT_NE(edit, nullptr);
        ClickInto(edit);
        TypeText(Name);
        AnswerBox(Dialog, VK_RETURN, "Return on " + Name);
    }

    // Key Vk in the box Box: the box closes, and until it does, none of its windows is lost.
    void AnswerBox(HWND Box, WORD Vk, const std::string& What) {
        const std::vector<HWND> children = DescendantsOf(Box);
        PressKey(Vk);
        const bool closed = WaitGone(Box, 3000);
        EXPECT_TRUE(closed) << What << " did not close the box";
        if (!closed) {
            for (HWND child : children)
                EXPECT_TRUE(IsWindow(child)) << What << " destroyed a window of the open box";
            // Out of the way for the checks that follow.
            PostMessageA(Box, WM_CLOSE, 0, 0);
            WaitGone(Box, 2000);
        }
        EXPECT_TRUE(WaitUntil([this] { return IsWindowEnabled(Main) != 0; }, 2000))
            << "the main window stays disabled after " << What;
    }

    // The editor's own folder, inside the test's, as the editor names it.
    static constexpr const char* kFolder = "ed";
    std::string EditorFolder() const { return (GetPath() / kFolder).string(); }
    static AnsiString InFolder(const char* Name) { return AnsiString(kFolder) + "\\" + Name; }


private:
    std::vector<RECT> FBarItems;
};

// Bar items, left to right.
constexpr std::size_t kPagesMenu = 0, kSegmentsMenu = 1, kExamplesMenu = 2, kHelpMenu = 3;

TEST_F(PersonUsesEditor, MenuBarDropDownsOpenUnderTheirItemsAndLeaveNoHighlight) {
    HWND bar = FindInside(Main, "TskSkinMainMenuBar");
    ASSERT_NE(bar, nullptr);
    const RECT barRect = WindowRectOf(bar);
    const std::vector<RECT> items = BarItems();
    std::string found;
    for (const RECT& r : items) found.append(" ").append(Describe(r));
    ASSERT_EQ(items.size(), 4u) << "Pages, Segments, Examples, Help; found" << found;
    const TShot plain = Editor->GrabSettled(barRect);
    const char* names[] = {"pages", "segments", "examples", "help"};

    // On failure the bar as it stays is saved, and the stretch that differs is told.
    auto barPlainAgain = [&](const std::string& After) {
        if (WaitUntil([&] { return Grab(barRect) == plain; }, 3000)) return ::testing::AssertionSuccess();
        const TShot still = Grab(barRect);
        still.Save("person-menu-bar-after-" + After + ".bmp");
        return ::testing::AssertionFailure() << "the bar stays lit after " << After << " in "
                                             << Describe(still.Changes(plain));
    };
    for (std::size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(names[i]);
        HWND menu = OpenMenu(i);
        ASSERT_NE(menu, nullptr) << "no drop-down opened";
        const RECT item = items[i], dropDown = WindowRectOf(menu);
        RECT shown{};
        UnionRect(&shown, &barRect, &dropDown);
        RECT window = WindowRectOf(Main);
        UnionRect(&shown, &shown, &window);
        const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        IntersectRect(&shown, &shown, &screen);
        Editor->GrabSettled(shown).Save(std::string("person-menu-") + names[i] + ".bmp");
        // Touching the item's lower edge (or the bar's, a margin below it).
        EXPECT_GE(dropDown.top, item.bottom) << "drop-down at " << Describe(dropDown) << ", item at "
                                              << Describe(item);
        EXPECT_LE(dropDown.top, barRect.bottom) << "drop-down at " << Describe(dropDown)
                                                 << ", bar at " << Describe(barRect);
        EXPECT_GE(dropDown.left, item.left - 3) << "drop-down at " << Describe(dropDown);
        EXPECT_LE(dropDown.left, item.left + 3) << "item at " << Describe(item);

        // Closed by Esc, with the pointer off the bar: the first Esc closes the drop-down and
        // keeps its item lit for the arrow keys, the second leaves the bar.
        MoveTo(window.right - 10, window.bottom - 10);
        PressKey(VK_ESCAPE);
        EXPECT_TRUE(WaitGone(menu)) << "Esc left the drop-down open";
        PressKey(VK_ESCAPE);
        EXPECT_TRUE(barPlainAgain(std::string("esc-") + names[i]));
    }

    // Closed by a click elsewhere: on the window's caption.
    HWND menu = OpenMenu(kPagesMenu);
    ASSERT_NE(menu, nullptr);
    const RECT window = WindowRectOf(Main);
    Click((window.left + window.right) / 2, window.top + 8);
    EXPECT_TRUE(WaitGone(menu)) << "a click elsewhere left the drop-down open";
    EXPECT_TRUE(barPlainAgain("click-elsewhere"));

    // Closed by a command: Segments, Invert lights segments a to g.
    HWND view = FindInside(Main, "TImage32");
    ASSERT_NE(view, nullptr);
    const TShot before = Editor->GrabSettled(WindowRectOf(view));
    ASSERT_NE(menu = OpenMenu(kSegmentsMenu), nullptr);
    const RECT rows = WindowRectOf(menu);
    Click(Centre(rows).x, rows.top + (rows.bottom - rows.top) / 4);
    MoveTo(window.right - 10, window.bottom - 10);
    EXPECT_TRUE(WaitUntil([&] { return !(Grab(WindowRectOf(view)) == before); })) << "Invert did not run";
    EXPECT_TRUE(barPlainAgain("command"));
}

TEST_F(PersonUsesEditor, MainWindowResizesByItsBottomEdgeDownTo320) {
    const RECT start = WindowRectOf(Main);
    const int x = (start.left + start.right) / 2;
    // Pressed 2 pixels inside the edge and moved 60 pixels down from there.
    Drag(x, start.bottom - 2, x, start.bottom - 2 + 60, Main);
    const RECT taller = WindowRectOf(Main);
    EXPECT_EQ(taller.bottom - taller.top, start.bottom - start.top + 60)
        << "dragging the bottom edge 60 pixels down";
    EXPECT_EQ(taller.right - taller.left, start.right - start.left) << "the width stays";

    Drag(x, taller.bottom - 2, x, taller.top + 100, Main);
    const RECT least = WindowRectOf(Main);
    EXPECT_EQ(least.bottom - least.top, 320) << "dragged far up, the window keeps 320";
    // At the least height the pages group lies below the window's edge by the window's design.
    AuditLayout(Main, "main-least-height", FindInside(Main, "TskSkinGroupBox", "Pages"));
}

// The type box unrolled pushes the LED box down: dragged far up, the window still shows the
// LED picture and its buttons, and below them the page list's headings, two of its rows and
// its buttons. Rolled up again, the least height is 320 once more.
TEST_F(PersonUsesEditor, WithTheTypeBoxUnrolledTheLeastHeightKeepsTheLedBoxAndTwoPageRows) {
    ASSERT_NE(UnrollTypeBox(Main), nullptr);
    ParkPointer();
    const RECT start = WindowRectOf(Main);
    const int x = (start.left + start.right) / 2;
    Drag(x, start.bottom - 2, x, start.top + 100, Main);
    const RECT least = WindowRectOf(Main);
    EXPECT_LT(least.bottom - least.top, start.bottom - start.top) << "the window did not get lower";
    AuditLayout(Main, "main-least-height-type-unrolled");
    const RECT client = ClientRectOnScreen(Main);
    auto inView = [&](HWND Wnd, const std::string& What) {
        ASSERT_NE(Wnd, nullptr) << What;
        EXPECT_TRUE(IsWindowVisible(Wnd)) << What;
        const RECT own = WindowRectOf(Wnd);
        EXPECT_TRUE(Inside(own, client)) << What << " at " << Describe(own) << " leaves the window's client area "
                                         << Describe(client);
        EXPECT_GT(own.bottom - own.top, 0) << What;
    };
    inView(FindInside(Main, "TImage32"), "the LED picture");
    for (const char* caption : {"Add Page", "Replace Page", "Animate Pages", "View", "Move Up", "Move Down", "Delete"})
        inView(Button(caption), caption);
    HWND table = FindInside(Main, "TGclTable");
    inView(table, "the page list");
    // The headings, 25 pixels, and two rows of 40 inside its border.
    const RECT rows = ClientRectOnScreen(table);
    EXPECT_GE(rows.bottom - rows.top, 25 + 2 * 40) << "the page list shows " << Describe(rows);

    HWND typeBox = FindInside(Main, "TskSkinGroupBox", "Type");
    ASSERT_NE(typeBox, nullptr);
    const RECT typeRect = WindowRectOf(typeBox);
    Click(typeRect.left + 40, typeRect.top + 8);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(FindInside(Main, "TskSkinComboBox")); })) << "the type box stays unrolled";
    const RECT rolled = WindowRectOf(Main);
    Drag(x, rolled.bottom - 2, x, rolled.top + 100, Main);
    const RECT leastRolled = WindowRectOf(Main);
    EXPECT_EQ(leastRolled.bottom - leastRolled.top, 320) << "rolled up, the type box leaves the least height at 320";
}

TEST_F(PersonUsesEditor, EveryTabStopOfTheMainWindowShowsItsFocus) {
    const RECT window = WindowRectOf(Main);
    // The type box unrolled, so that its combo box is a stop too; then the caption activates
    // the window without focusing a control.
    HWND combo = UnrollTypeBox(Main);
    ASSERT_NE(combo, nullptr);
    Click((window.left + window.right) / 2, window.top + 8);
    ParkPointer();
    std::vector<HWND> stops;
    bool viewStopped = false, comboStopped = false;
    HWND focus = Editor->Focus();
    for (int press = 0; press < 14; ++press) {
        const TShot before = Editor->GrabSettled(window);
        const HWND left = focus;
        PressKey(VK_TAB);
        ASSERT_TRUE(WaitUntil([&] { return (focus = Editor->Focus()) != left && focus; }, 2000))
            << "Tab took the focus nowhere from " << Name(left);
        if (std::find(stops.begin(), stops.end(), focus) != stops.end()) break;
        stops.push_back(focus);
        viewStopped = viewStopped || ClassOf(focus) == "TImage32";
        comboStopped = comboStopped || focus == combo;
        RECT own = WindowRectOf(focus);
        OffsetRect(&own, -window.left, -window.top);
        // A button's focus light fades in on a timer: the screen may hold still between its
        // steps on a busy machine, so the look is waited for, not taken from the first still shot.
        EXPECT_TRUE(WaitUntil([&] { return !Grab(window).SameIn(before, own); }))
            << "focus on " << Name(focus) << " changes none of its pixels";
        Editor->GrabSettled(window).Save("person-tab-" + std::to_string(stops.size()) + "-" + ClassOf(focus) +
                                         ".bmp");
    }
    EXPECT_GE(stops.size(), 5u) << "Add Page, Replace Page, Animate Pages, the view and the table at least";
    EXPECT_TRUE(viewStopped) << "the LED view takes the focus by Tab";
    EXPECT_TRUE(comboStopped) << "the type combo box takes the focus by Tab";
}

TEST_F(PersonUsesEditor, MessageBoxesAnswerEscAndReturnAndEveryWindowFitsItsTexts) {
    AuditLayout(Main, "main");

    // The type box unrolled, the other type chosen in its list: Apply asks.
    HWND combo = UnrollTypeBox(Main);
    ASSERT_NE(combo, nullptr);
    Editor->GrabSettled(WindowRectOf(Main));
    std::vector<HWND> before = Editor->Windows();
    Click(Centre(WindowRectOf(combo)));
    HWND list = WaitForNew(before);
    ASSERT_NE(list, nullptr) << "the type list did not drop down";
    const RECT listRect = WindowRectOf(list);
    Click(Centre(listRect).x, listRect.bottom - (listRect.bottom - listRect.top) / 4);
    WaitGone(list);
    ParkPointer();
    AuditLayout(Main, "main-type-unrolled");
    HWND apply = Button("Apply");
    ASSERT_TRUE(WaitUntil([&] { return Enabled(apply); }, 2000)) << "no type change pending";

    before = Editor->Windows();
    Click(Centre(WindowRectOf(apply)));
    HWND box = WaitForNew(before, "TskMessageForm");
    ASSERT_NE(box, nullptr) << "Apply asked nothing";
    AuditLayout(box, "apply-question");
    AnswerBox(box, VK_ESCAPE, "Esc in the Apply question");
    EXPECT_TRUE(Enabled(apply)) << "Esc is No: the change stays pending";
    before = Editor->Windows();
    Click(Centre(WindowRectOf(apply)));
    box = WaitForNew(before, "TskMessageForm");
    ASSERT_NE(box, nullptr);
    AnswerBox(box, VK_RETURN, "Return in the Apply question");
    EXPECT_TRUE(WaitUntil([&] { return !Enabled(apply); }, 2000)) << "Return is Yes: converted";

    // A page added and the list discarded by New: the discard question.
    HWND add = Button("Add Page"), replace = Button("Replace Page");
    ASSERT_NE(add, nullptr);
    Click(Centre(WindowRectOf(add)));
    ASSERT_TRUE(WaitUntil([&] { return Enabled(replace); }, 2000)) << "no page was added";
    before = Editor->Windows();
    Command(kPagesMenu, 0);
    box = WaitForNew(before, "TskMessageForm");
    ASSERT_NE(box, nullptr) << "New asked nothing about the modified list";
    AuditLayout(box, "discard-question");
    ExpectMessageWhole(box, {EditorFolder() + "\\Untitled.pge has been modified.", "Continuing will loose changes.",
                             "Do you want to continue?"});
    AnswerBox(box, VK_ESCAPE, "Esc in the discard question");
    EXPECT_TRUE(Enabled(replace)) << "Esc is No: the page stays";
    before = Editor->Windows();
    Command(kPagesMenu, 0);
    box = WaitForNew(before, "TskMessageForm");
    ASSERT_NE(box, nullptr);
    AnswerBox(box, VK_RETURN, "Return in the discard question");
    EXPECT_TRUE(WaitUntil([&] { return !Enabled(replace); }, 2000)) << "Return is Yes: discarded";

    // Two pages, animated.
    Click(Centre(WindowRectOf(add)));
    Click(Centre(WindowRectOf(add)));
    HWND animate = Button("Animate Pages");
    ASSERT_TRUE(WaitUntil([&] { return Enabled(animate); }, 2000));
    Click(Centre(WindowRectOf(animate)));
    ParkPointer();
    ASSERT_TRUE(WaitUntil([&] { return TextOf(animate).rfind("Stop (", 0) == 0; }, 3000));
    AuditLayout(Main, "main-animating");
    Click(Centre(WindowRectOf(animate)));
    ParkPointer();

    // The export: written, and no program is set to show ".sxb" files, which an information
    // box tells.
    for (WORD key : {VK_ESCAPE, VK_RETURN}) {
        before = Editor->Windows();
        Command(kExamplesMenu, 0);  // SXBasic, the one item that works
        box = WaitForNew(before, "TskMessageForm");
        ASSERT_NE(box, nullptr) << "the export showed nothing";
        EXPECT_EQ(TextOf(box), "Information");
        if (key == VK_ESCAPE) {
            AuditLayout(box, "export-information");
            ExpectMessageWhole(box, {"The sample program was written to " + EditorFolder() + "\\sxb_sample.sxb.",
                                     "No program is set to show it."});
        }
        AnswerBox(box, key, key == VK_ESCAPE ? "Esc in the export's information" : "Return in the export's information");
    }
    EXPECT_TRUE(std::filesystem::exists(GetPath() / kFolder / "sxb_sample.sxb"));

    // The export without its template: the skinned error box.
    std::filesystem::remove(GetPath() / kFolder / "sxb.tpl");
    for (WORD key : {VK_ESCAPE, VK_RETURN}) {
        before = Editor->Windows();
        Command(kExamplesMenu, 0);  // SXBasic, the one item that works
        box = WaitForNew(before);
        ASSERT_NE(box, nullptr) << "the failed export showed nothing";
        EXPECT_EQ(ClassOf(box), "TskMessageForm") << "the error shows in " << Name(box);
        if (key == VK_ESCAPE) {
            AuditLayout(box, "export-error");
            ExpectMessageWhole(box, {"Cannot open file " + EditorFolder() + "\\sxb.tpl"});
        }
        AnswerBox(box, key, key == VK_ESCAPE ? "Esc in the error box" : "Return in the error box");
    }

    // The about box, closed by a click on its label.
    before = Editor->Windows();
    Command(kHelpMenu, 0);
    HWND about = WaitForNew(before, "TFAbout");
    ASSERT_NE(about, nullptr);
    AuditLayout(about, "about");
    HWND label = FindInside(about, "TskSkinLabel");
    ASSERT_NE(label, nullptr);
    Click(Centre(WindowRectOf(label)));
    EXPECT_TRUE(WaitGone(about)) << "a click on the label closes the about box";
    // Esc and Return close it as well, as they close every modal box.
    for (WORD key : {VK_ESCAPE, VK_RETURN}) {
        before = Editor->Windows();
        Command(kHelpMenu, 0);
        about = WaitForNew(before, "TFAbout");
        ASSERT_NE(about, nullptr);
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == about; })) << "the about box is not in front";
        Editor->GrabSettled(WindowRectOf(about));
        AnswerBox(about, key, key == VK_ESCAPE ? "Esc in the about box" : "Return in the about box");
    }
}

// A page file that cannot be read, opened by a person: the skinned error box names it.
TEST_F(PersonUsesEditor, ADamagedPageFileIsReportedInTheSkinnedMessageBox) {
    Put(InFolder("damaged.pge"), "[Page]\r\n0=192\r\n1=abc\r\n");
    std::vector<HWND> before = Editor->Windows();
    Command(kPagesMenu, 1);
    HWND dialog = WaitForNew(before, "TskOpenDlgForm");
    ASSERT_NE(dialog, nullptr) << "Open showed no dialog";
    HWND edit = FindInside(dialog, "TskSkinEdit");
    ASSERT_NE(edit, nullptr);
    ClickInto(edit);
    TypeText("damaged.pge");
    before = Editor->Windows();
    PressKey(VK_RETURN);
    HWND box = WaitForNew(before);
    ASSERT_NE(box, nullptr) << "the damaged file was opened without a word";
    EXPECT_EQ(ClassOf(box), "TskMessageForm") << "the error shows in " << Name(box);
    EXPECT_EQ(TextOf(box), "Error");
    AuditLayout(box, "open-error");
    ExpectMessageWhole(box, {EditorFolder() + "\\damaged.pge: page 1 holds \"abc\", which is not a number from 0 to 255"});
    AnswerBox(box, VK_RETURN, "Return in the error box");
    EXPECT_TRUE(Enabled(Button("Add Page"))) << "the editor goes on";
}

TEST_F(PersonUsesEditor, FileDialogsAnswerEscAndReturnAndRepaintEveryView) {
    Put(InFolder("two.pge"), "[Page]\r\n0=192\r\n1=249\r\n[Type]\r\nCommonType=0\r\n");
    for (const char* name : {"alpha.txt", "beta.txt", "gamma.pge", "delta.bin"}) Put(InFolder(name), name);

    // Open, then Esc in the name field.
    std::vector<HWND> before = Editor->Windows();
    Command(kPagesMenu, 1);
    HWND dialog = WaitForNew(before, "TskOpenDlgForm");
    ASSERT_NE(dialog, nullptr) << "Open showed no dialog";
    AuditLayout(dialog, "open-dialog");
    HWND edit = FindInside(dialog, "TskSkinEdit");
    ASSERT_NE(edit, nullptr);
    ClickInto(edit);
    AnswerBox(dialog, VK_ESCAPE, "Esc in the open dialog's name field");

    // Open again: every view of the file list as a full repaint draws it; Return opens.
    before = Editor->Windows();
    Command(kPagesMenu, 1);
    dialog = WaitForNew(before, "TskOpenDlgForm");
    ASSERT_NE(dialog, nullptr);
    // The tool bar is the panel that holds the drive box; its buttons are no windows.
    HWND drives = FindInside(dialog, "TskSkinShellDriveComboBox");
    ASSERT_NE(drives, nullptr);
    HWND tools = GetParent(drives);
    const RECT toolRect = ClientRectOnScreen(tools), dialogRect = WindowRectOf(dialog);
    // The four view buttons end the tool bar: list, small icons, icons, report. The list
    // shows first; each other view is chosen in turn, then the list again.
    const char* views[] = {"list", "small-icons", "icons", "report"};
    // The name field's caret blinks on its own: it is left out of every comparison.
    RECT caret = Editor->Caret();
    OffsetRect(&caret, -dialogRect.left, -dialogRect.top);
    auto grabDialog = [&](const std::string& Shown) {
        TShot shot = Editor->GrabSettled(dialogRect);
        if (!Shown.empty()) shot.Save("person-open-" + Shown + ".bmp");
        shot.Blank(caret);
        return shot;
    };
    MoveTo(dialogRect.right - 4, dialogRect.top + 8);
    TShot previous = grabDialog("");
    for (int v : {1, 2, 3, 0}) {
        SCOPED_TRACE(views[v]);
        Click(toolRect.right - 13 - 27 * (3 - v), (toolRect.top + toolRect.bottom) / 2);
        MoveTo(dialogRect.right - 4, dialogRect.top + 8);
        EXPECT_TRUE(WaitUntil([&] {
            TShot now = Grab(dialogRect);
            now.Blank(caret);
            return !(now == previous);
        })) << "the view button changed nothing";
        const TShot shown = grabDialog(views[v]);
        previous = shown;
        ForceFullRepaint(dialog);
        const TShot repainted = grabDialog("");
        const RECT differs = shown.Changes(repainted);
        EXPECT_TRUE(IsRectEmpty(&differs))
            << "a full repaint changes " << Describe(differs) << " of the dialog";
    }
    TypeAndReturn(dialog, "two.pge");
    HWND animate = Button("Animate Pages");
    EXPECT_TRUE(WaitUntil([&] { return Enabled(animate); }, 2000)) << "two.pge's pages were not loaded";

    // Save: Esc, then Return on the current name and its overwrite question (Esc, Return).
    before = Editor->Windows();
    Command(kPagesMenu, 2);
    dialog = WaitForNew(before, "TskOpenDlgForm");
    ASSERT_NE(dialog, nullptr) << "Save showed no dialog";
    AuditLayout(dialog, "save-dialog");
    AnswerBox(dialog, VK_ESCAPE, "Esc in the save dialog");
    const AnsiString written = Get(InFolder("two.pge"));
    for (WORD key : {VK_ESCAPE, VK_RETURN}) {
        before = Editor->Windows();
        Command(kPagesMenu, 2);
        dialog = WaitForNew(before, "TskOpenDlgForm");
        ASSERT_NE(dialog, nullptr);
        edit = FindInside(dialog, "TskSkinEdit");
        ASSERT_NE(edit, nullptr);
        ClickInto(edit);
        before = Editor->Windows();
        PressKey(VK_RETURN);
        HWND box = WaitForNew(before, "TskMessageForm");
        ASSERT_NE(box, nullptr) << "Return on the current name asked nothing";
        EXPECT_FALSE(IsWindow(dialog) && IsWindowVisible(dialog)) << "the save dialog closed first";
        if (key == VK_ESCAPE) AuditLayout(box, "overwrite-question");
        AnswerBox(box, key, key == VK_ESCAPE ? "Esc in the overwrite question" : "Return in the overwrite question");
        // Once the editor answers again it has done with the file: reading it earlier could
        // stand in the way of its writing.
        EXPECT_TRUE(Editor->Answers());
        if (key == VK_ESCAPE)
            EXPECT_EQ(Get(InFolder("two.pge")), written) << "Esc is No: the file stays";
        else
            EXPECT_NE(Get(InFolder("two.pge")), written) << "Return is Yes: the file is written";
    }
}

// Dragged by its corner, each file dialog stops where its name field, type box and buttons
// still fit, and reopens at that size; the folder pane's caption shows whole or shortened
// with "...", never cut inside a letter.
TEST_F(PersonUsesEditor, FileDialogsShrinkNoFurtherThanTheirControlsNeed) {
    const std::string longFolder = "a folder whose name is longer than its pane";
    std::filesystem::create_directories(GetPath() / kFolder / longFolder);
    for (std::size_t item : {std::size_t{1}, std::size_t{2}}) {
        const std::string kind = item == 1 ? "open" : "save";
        SCOPED_TRACE(kind + " dialog");
        std::vector<HWND> before = Editor->Windows();
        Command(kPagesMenu, static_cast<int>(item));
        HWND dialog = WaitForNew(before, "TskOpenDlgForm");
        ASSERT_NE(dialog, nullptr);
        if (item == 1) {
            // Return on a folder's full path moves the list, the tree and the pane there.
            HWND edit = FindInside(dialog, "TskSkinEdit");
            ASSERT_NE(edit, nullptr);
            ClickInto(edit);
            TypeText(EditorFolder() + "\\" + longFolder);
            PressKey(VK_RETURN);
            HWND pane = FindInside(dialog, "TskSkinExPanel");
            ASSERT_NE(pane, nullptr);
            ASSERT_TRUE(WaitUntil([&] { return TextOf(pane) == longFolder; })) << "the pane shows " << Name(pane);
            AuditLayout(dialog, "open-long-folder");
        }
        const RECT start = WindowRectOf(dialog);
        Drag(start.right - 2, start.bottom - 2, start.left + 40, start.top + 30, dialog);
        const RECT least = WindowRectOf(dialog);
        EXPECT_LT(least.right - least.left, start.right - start.left) << "the dialog did not get narrower";
        EXPECT_LT(least.bottom - least.top, start.bottom - start.top) << "the dialog did not get lower";
        ExpectBottomRowWhole(dialog);
        Editor->GrabSettled(least).Save("person-" + kind + "-least.bmp");
        // Dragged again, no smaller.
        Drag(least.right - 2, least.bottom - 2, least.left + 20, least.top + 20, dialog);
        const RECT again = WindowRectOf(dialog);
        EXPECT_TRUE(EqualRect(&again, &least)) << Describe(again) << " after " << Describe(least);
        AnswerBox(dialog, VK_ESCAPE, "Esc in the dialog at its least size");

        // It reopens at the size it was left at, with every control of the row inside.
        before = Editor->Windows();
        Command(kPagesMenu, static_cast<int>(item));
        dialog = WaitForNew(before, "TskOpenDlgForm");
        ASSERT_NE(dialog, nullptr);
        const RECT reopened = WindowRectOf(dialog);
        EXPECT_EQ(reopened.right - reopened.left, least.right - least.left);
        EXPECT_EQ(reopened.bottom - reopened.top, least.bottom - least.top);
        ExpectBottomRowWhole(dialog);
        AnswerBox(dialog, VK_ESCAPE, "Esc in the reopened dialog");
    }
}

// An open and a click on a segment change the captions, the buttons, the table and the LED
// picture, each repainting only what changed: the window shows what a full repaint shows.
TEST_F(PersonUsesEditor, AnOpenAndASegmentClickShowWhatAFullRepaintShows) {
    Put(InFolder("three.pge"), "[Type]\r\nCommonType=0\r\n[Page]\r\n0=192\r\n1=249\r\n2=164\r\n");
    const RECT window = WindowRectOf(Main);
    auto expectAsRepainted = [&](const std::string& Shown) {
        ParkPointer();
        const TShot shown = Editor->GrabSettled(window);
        shown.Save("person-" + Shown + ".bmp");
        ForceFullRepaint(Main);
        const RECT differs = shown.Changes(Editor->GrabSettled(window));
        EXPECT_TRUE(IsRectEmpty(&differs)) << "after " << Shown << ", a full repaint changes "
                                           << Describe(differs) << " of the window";
    };
    std::vector<HWND> before = Editor->Windows();
    Command(kPagesMenu, 1);
    HWND dialog = WaitForNew(before, "TskOpenDlgForm");
    ASSERT_NE(dialog, nullptr) << "Open showed no dialog";
    TypeAndReturn(dialog, "three.pge");
    HWND animate = Button("Animate Pages");
    ASSERT_TRUE(WaitUntil([&] { return Enabled(animate); }, 2000)) << "three.pge was not loaded";
    expectAsRepainted("opened");

    HWND view = FindInside(Main, "TImage32");
    ASSERT_NE(view, nullptr);
    const RECT area = ClientRectOnScreen(view);
    const std::string led = TextOf(GetParent(view));
    Click(area.left + 55, area.top + 38); // segment a
    EXPECT_TRUE(WaitUntil([&] { return TextOf(GetParent(view)) != led; }, 2000))
        << "the click on segment a left the LED caption " << led;
    expectAsRepainted("segment-clicked");
}

// Five pages, the list scrolled by the wheel to its end, its top row clicked, Replace Page and
// Delete: the shorter list scrolls back so that pages fill it down to its bottom, and a full
// repaint shows the same.
TEST_F(PersonUsesEditor, DeletingAfterTheWheelScrolledTheListLeavesNoRowEmptyBelowTheLastPage) {
    HWND view = FindInside(Main, "TImage32"), table = FindInside(Main, "TGclTable");
    HWND add = Button("Add Page"), replace = Button("Replace Page"), remove = Button("Delete");
    ASSERT_TRUE(view && table && add && replace && remove);
    const RECT list = ClientRectOnScreen(table);
    constexpr int kHeading = 25, kRow = 40;
    ASSERT_LT(list.bottom - list.top, kHeading + 4 * kRow)
        << "four pages fit: one of five deleted, nothing scrolls";
    // Every page has segment a lit, the last one b as well. In the thumbnail column, a shows as
    // a red bar 3 pixels below its row's top at x 20, b as a red bar down the side at x 31.
    constexpr DWORD kLit = 0xFF0000;
    auto pageRowTops = [&](const TShot& Shot) {
        std::vector<int> tops;
        for (int y = 1; y < Shot.Height; ++y)
            if (Shot.At(20, y) == kLit && Shot.At(20, y - 1) != kLit) tops.push_back(y - 3);
        return tops;
    };
    auto showsLastPage = [&](const TShot& Shot) {
        for (int top : pageRowTops(Shot))
            if (top + 10 < Shot.Height && Shot.At(31, top + 10) == kLit) return true;
        return false;
    };
    const RECT area = ClientRectOnScreen(view);
    Click(area.left + 55, area.top + 38);
    for (int page = 1; page <= 5; ++page) {
        if (page == 5) Click(area.left + 81, area.top + 60);
        Click(Centre(WindowRectOf(add)));
        Editor->GrabSettled(list);
    }
    // The wheel reaches the window with the focus: a click on the first row gives it the list.
    // The two clicks on the top row lie apart, or the second would make a double click.
    const int topRowY = list.top + kHeading + kRow / 2;
    Click(list.left + 60, topRowY);
    for (int notch = 0; notch < 4; ++notch)
        Wheel(list.left + 60, topRowY, -1);
    ASSERT_TRUE(WaitUntil([&] { return showsLastPage(Grab(list)); }))
        << "the wheel did not scroll to the last page";
    Click(list.left + 150, topRowY);
    Click(Centre(WindowRectOf(replace)));
    Click(Centre(WindowRectOf(remove)));
    ParkPointer();
    const TShot shown = Editor->GrabSettled(list);
    shown.Save("person-pages-deleted-after-wheel.bmp");
    const std::vector<int> tops = pageRowTops(shown);
    ASSERT_FALSE(tops.empty()) << "the list shows no page";
    EXPECT_TRUE(showsLastPage(shown)) << "the last page is not shown";
    const int empty = shown.Height - (tops.back() + kRow);
    EXPECT_LT(empty, kRow) << "below its last page the list stands empty for " << empty
                           << " pixels, "
                           << "while its first row shown is at " << tops.front();
    ForceFullRepaint(table);
    const RECT differs = shown.Changes(Editor->GrabSettled(list));
    EXPECT_TRUE(IsRectEmpty(&differs))
        << "a full repaint changes " << Describe(differs) << " of the list";
}

// "Stop (n - 10000)" in the Animate button as the animation shows it, with the focus the click
// gave the button: its letters whole, the focus frame clear of them.
TEST_F(PersonUsesEditor, TheAnimateButtonShowsItsWidestCaptionWhole) {
    std::string pages = "[Type]\r\nCommonType=0\r\n[Page]\r\n";
    for (int i = 0; i < 10000; ++i) pages += std::to_string(i) + "=" + std::to_string(i % 256) + "\r\n";
    Put(InFolder("many.pge"), pages);
    std::vector<HWND> before = Editor->Windows();
    Command(kPagesMenu, 1);
    HWND dialog = WaitForNew(before, "TskOpenDlgForm");
    ASSERT_NE(dialog, nullptr);
    TypeAndReturn(dialog, "many.pge");
    HWND animate = Button("Animate Pages");
    ASSERT_TRUE(WaitUntil([&] { return Enabled(animate); }, 10000)) << "many.pge was not loaded";
    Click(Centre(WindowRectOf(animate)));
    ParkPointer();
    ASSERT_TRUE(WaitUntil([&] { return TextOf(animate).rfind("Stop (", 0) == 0; }, 3000));
    ASSERT_TRUE(WaitUntil([&] { return Editor->Focus() == animate; })) << "the click left the focus elsewhere";
    // The caption changes twice a second: a look counts when it is the same before and after.
    std::string caption;
    TShot shot;
    ASSERT_TRUE(WaitUntil([&] {
        caption = TextOf(animate);
        shot = Editor->GrabSettled(WindowRectOf(animate));
        return TextOf(animate) == caption;
    }));
    shot.Save("person-animate-widest.bmp");
    EXPECT_NE(caption.find(" - 10000)"), std::string::npos) << caption;
    EXPECT_TRUE(ShowsWhole(shot, caption, SkinFont("button"), {.Prefix = true}));
}

} // namespace

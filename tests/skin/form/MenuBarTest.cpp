// The skinned main menu bar on a skinned form: layout and overflow, opening by click and
// by hover while open, and keyboard menu mode through SC_KEYMENU and real keys.
#include "skin/form/SkinForm.h"
#include "tests/skin/form/MenuTestSupport.h"
#include "tests/support/GuiTestSupport.h"

#include "classlib/Paths.h"

#include <string>
#include <vector>

namespace {

class SkinMenuBar : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Skin = new TskSkinForm(Form);
        Form->SetBounds(100, 100, 300, 200);
        Menu = new TskSkinMainMenu(Form);
        for (const char* caption : {"&Pages", "&Segments", "&Help"}) {
            TMenuItem* top = Add(Menu->GetItems(), caption);
            Add(top, (std::string(caption) + " one").c_str());
            Add(top, (std::string(caption) + " two").c_str());
        }
        Bar = new TskSkinMainMenuBar(Form);
        Bar->SetParent(Form);
        Bar->SetMainMenu(Menu);
        Bar->SetSkinForm(Skin);
        Skin->SetMainMenuBar(Bar);
        Pump();
    }
    void TearDown() override {
        Skin->GetSkinMenu()->CloseMenu(0);
        ShownFormTest::TearDown();
    }
    TMenuItem* Add(TMenuItem* Parent, const char* Caption) { return AddLoggedItem(Form, Parent, Caption, Log); }
    void Key(Word K) {
        PostMessageA(Form->GetHandle(), WM_KEYDOWN, K, 1);
        Pump();
    }
    int Levels() { return Skin->GetSkinMenu()->GetCount(); }

    TskSkinForm* Skin = nullptr;
    TskSkinMainMenu* Menu = nullptr;
    TskSkinMainMenuBar* Bar = nullptr;
    std::vector<std::string> Log;
};

TEST_F(SkinMenuBar, ItemsLineUpAndHideWhenTheyDoNotFit) {
    EXPECT_EQ(Bar->GetHeight(), 22);
    EXPECT_EQ(Bar->GetTop(), 0);
    const auto& items = Bar->Items();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].ObjectRect.Left, 2);
    EXPECT_EQ(items[1].ObjectRect.Left, items[0].ObjectRect.Right);
    EXPECT_TRUE(items[2].InBar);
    EXPECT_FALSE(Bar->GetScrollMarker());
    CaptureWindow(Form->GetHandle())->SaveToFile(ExeDir() + "skinmenubar.bmp");
    Form->SetWidth(140);
    Pump();
    EXPECT_FALSE(Bar->Items()[2].InBar);
    EXPECT_TRUE(Bar->GetScrollMarker());
    Form->SetWidth(300);
    Pump();
    EXPECT_TRUE(Bar->Items()[2].InBar);
}

TEST_F(SkinMenuBar, ClickOpensBelowAndHoverMovesTheOpenMenu) {
    const TRect first = Bar->Items()[0].ObjectRect;
    SendMessageA(Bar->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(first.Left + 3, 5));
    Pump();
    ASSERT_EQ(Levels(), 1);
    EXPECT_TRUE(Bar->Items()[0].Down);
    RECT level;
    GetWindowRect(Skin->GetSkinMenu()->GetLevel(0)->GetHandle(), &level);
    EXPECT_EQ(level.top, Bar->ClientToScreen(TPoint(0, first.Bottom)).Y);
    const TRect second = Bar->Items()[1].ObjectRect;
    SendMessageA(Bar->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(second.Left + 3, 5));
    Pump();
    ASSERT_EQ(Levels(), 1);
    EXPECT_TRUE(Bar->Items()[1].Down);
    EXPECT_FALSE(Bar->Items()[0].Down);
    Key(VK_RETURN);
    EXPECT_EQ(Levels(), 0);
    EXPECT_EQ(Log, (std::vector<std::string>{"Pages", "Segments", "Segments one"}))
        << "each item's own click runs as its menu opens";
    EXPECT_FALSE(Bar->Items()[1].Down);
}

TEST_F(SkinMenuBar, KeyboardMenuMode) {
    SendMessageA(Form->GetHandle(), WM_SYSCOMMAND, SC_KEYMENU, 0);
    EXPECT_TRUE(Skin->GetMainMenuActive());
    EXPECT_EQ(Bar->GetActiveItem(), 0);
    Key(VK_RIGHT);
    EXPECT_EQ(Bar->GetActiveItem(), 1);
    Key(VK_LEFT);
    Key(VK_LEFT);
    EXPECT_EQ(Bar->GetActiveItem(), 2) << "wraps to the last";
    Key(VK_RETURN);
    EXPECT_EQ(Levels(), 1);
    Key(VK_ESCAPE);
    EXPECT_EQ(Levels(), 0);
    EXPECT_TRUE(Skin->GetMainMenuActive()) << "Esc at the top level keeps keyboard menu mode";
    Key('S');
    EXPECT_EQ(Levels(), 1) << "an accelerator opens its item";
    Key(VK_ESCAPE);
    Key(VK_ESCAPE);
    EXPECT_FALSE(Skin->GetMainMenuActive());
    EXPECT_EQ(Bar->GetActiveItem(), -1);
    // A second SC_KEYMENU leaves the mode too.
    SendMessageA(Form->GetHandle(), WM_SYSCOMMAND, SC_KEYMENU, 0);
    SendMessageA(Form->GetHandle(), WM_SYSCOMMAND, SC_KEYMENU, 0);
    EXPECT_FALSE(Skin->GetMainMenuActive());
}

} // namespace

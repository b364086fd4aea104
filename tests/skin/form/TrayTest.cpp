// The tray icon on real windows, with the shell's calls recorded: the record it hands the
// shell, the shell's restart, the mouse on the icon driven by posted callback messages with
// the click timer stepped by hand, the cycle through an image list, and a skinned form
// minimizing the program to the notification area and back.
#include "skin/form/SkinForm.h"
#include "skin/form/skTrayIcon.h"
#include "tests/skin/form/FormTestSkins.h"
#include "tests/support/GuiTestSupport.h"

#include "classlib/ClassRegistry.h"
#include "classlib/FormLoader.h"

#include <string>
#include <vector>

namespace {

struct TShellCall {
    DWORD Message;
    NOTIFYICONDATAA Data;
};

class Tray : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Application->SetMainForm(Form);
        SetShellNotifyIcon([this](DWORD Message, NOTIFYICONDATAA* Data) {
            Calls.push_back({Message, *Data});
            return ShellAnswers;
        });
        Icon = new TskTrayIcon(Form);
        Icon->OnMouseDown = TMouseEvent::FromCallable(
            [this](TObject*, TMouseButton B, TShiftState, int, int) { Log.push_back(std::string("down ") + Name(B)); });
        Icon->OnMouseUp = TMouseEvent::FromCallable(
            [this](TObject*, TMouseButton B, TShiftState, int, int) { Log.push_back(std::string("up ") + Name(B)); });
        Icon->OnClick = TNotifyEvent::FromCallable([this](TObject*) { Log.push_back("click"); });
        Icon->OnDblClick = TNotifyEvent::FromCallable([this](TObject*) { Log.push_back("double"); });
        Calls.clear();
    }
    void TearDown() override {
        Application->Restore();
        Application->SetMainForm(nullptr);
        ShownFormTest::TearDown();
        SetShellNotifyIcon({});
    }
    static const char* Name(TMouseButton B) { return B == mbLeft ? "left" : B == mbRight ? "right" : "middle"; }
    // What the shell posts to the icon's window about the mouse.
    void Mouse(std::initializer_list<UINT> Messages) {
        for (UINT m : Messages) PostMessageA(Icon->GetHandle(), TskTrayIcon::CallbackMessage, 1, m);
        Pump();
    }
    std::vector<DWORD> Messages() const {
        std::vector<DWORD> m;
        for (const TShellCall& c : Calls) m.push_back(c.Message);
        return m;
    }
    static bool Shown(TWinControl* C) { return C->HandleAllocated() && IsWindowVisible(C->GetHandle()); }

    TskTrayIcon* Icon = nullptr;
    std::vector<TShellCall> Calls;
    std::vector<std::string> Log;
    BOOL ShellAnswers = TRUE;
};

TEST_F(Tray, TheRecordItHandsTheShell) {
    const NOTIFYICONDATAA& data = Icon->GetIconData();
    EXPECT_EQ(data.cbSize, sizeof(NOTIFYICONDATAA));
    EXPECT_EQ(sizeof(NOTIFYICONDATAA), 528u) << "the whole record of a 64-bit program";
    EXPECT_EQ(data.uID, 1u);
    EXPECT_EQ(data.uFlags, 7u);
    EXPECT_EQ(data.uCallbackMessage, 2048u);
    EXPECT_EQ(data.hWnd, Icon->GetHandle());
    EXPECT_TRUE(IsWindow(Icon->GetHandle()));
    EXPECT_FALSE(Icon->GetIconVisible());

    Icon->SetHint("Vantorel");
    Icon->SetIconVisible(true);
    ASSERT_EQ(Messages(), (std::vector<DWORD>{NIM_MODIFY, NIM_ADD}));
    EXPECT_STREQ(Calls.back().Data.szTip, "Vantorel");
    EXPECT_EQ(Calls.back().Data.hIcon, Icon->GetIcon()->GetHandle());
    Icon->SetHint(AnsiString(200, 'x'));
    EXPECT_EQ(std::string(Calls.back().Data.szTip), std::string(127, 'x')) << "cut to 127";
    Icon->SetShowHint(false);
    EXPECT_STREQ(Calls.back().Data.szTip, "");
    Calls.clear();
    Icon->SetIconVisible(false);
    EXPECT_EQ(Messages(), (std::vector<DWORD>{NIM_DELETE}));
    EXPECT_FALSE(Icon->GetIconVisible());
}

TEST_F(Tray, AVisibleIconComesBackWhenTheShellStartsAgain) {
    EXPECT_EQ(TskTrayIcon::TaskbarCreatedMessage(), RegisterWindowMessageA("TaskbarCreated"));
    // Refused, the icon is still wanted: the shell's restart adds it.
    ShellAnswers = FALSE;
    EXPECT_FALSE(Icon->ShowIcon());
    EXPECT_TRUE(Icon->GetIconVisible());
    ShellAnswers = TRUE;
    Calls.clear();
    SendMessageA(Application->GetHandle(), TskTrayIcon::TaskbarCreatedMessage(), 0, 0);
    EXPECT_EQ(Messages(), (std::vector<DWORD>{NIM_ADD}));
    Icon->SetIconVisible(false);
    Calls.clear();
    SendMessageA(Application->GetHandle(), TskTrayIcon::TaskbarCreatedMessage(), 0, 0);
    EXPECT_TRUE(Calls.empty()) << "a hidden icon stays away";
}

TEST_F(Tray, AClickComesAfterTheDoubleClickTimeAndADoubleClickIsNoClick) {
    EXPECT_EQ(Icon->GetClickTimer()->GetInterval(), GetDoubleClickTime());
    Mouse({WM_LBUTTONDOWN, WM_LBUTTONUP});
    EXPECT_EQ(Log, (std::vector<std::string>{"down left", "up left"}));
    EXPECT_TRUE(Icon->GetClickTimer()->GetEnabled());
    Icon->TimerClick(nullptr);
    EXPECT_EQ(Log.back(), "click");

    Log.clear();
    Mouse({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP});
    Icon->TimerClick(nullptr);
    EXPECT_EQ(Log, (std::vector<std::string>{"down left", "up left", "double", "up left"}));

    // Held past the double-click time: the click comes with the release.
    Log.clear();
    Mouse({WM_LBUTTONDOWN});
    Icon->TimerClick(nullptr);
    Mouse({WM_LBUTTONUP});
    EXPECT_EQ(Log, (std::vector<std::string>{"down left", "click", "up left"}));

    Log.clear();
    Mouse({WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MBUTTONDOWN, WM_MBUTTONUP, WM_RBUTTONDBLCLK});
    EXPECT_EQ(Log, (std::vector<std::string>{"down right", "up right", "down middle", "up middle"}));

    Log.clear();
    Icon->SetEnabled(false);
    Mouse({WM_LBUTTONDOWN, WM_LBUTTONUP});
    Icon->TimerClick(nullptr);
    EXPECT_TRUE(Log.empty());
}

TEST_F(Tray, ADoubleClickClicksTheMenusDefaultItemAndTheRightButtonOpensTheMenu) {
    auto* skin = new TskSkinForm(Form);
    auto* menu = new TskSkinPopupMenu(Form);
    for (const char* caption : {"&Show", "&Open", "E&xit"}) {
        auto* item = new TMenuItem(Form);
        item->SetCaption(caption);
        item->OnClick = TNotifyEvent::FromCallable([this, caption](TObject*) { Log.push_back(caption); });
        menu->GetItems()->Add(item);
    }
    menu->GetItems()->GetItem(2)->SetDefault(true);
    menu->GetItems()->GetItem(1)->SetDefault(true);
    Icon->SetPopupMenu(menu);
    Log.clear();
    Mouse({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP});
    EXPECT_EQ(Log, (std::vector<std::string>{"down left", "up left", "double", "&Open", "up left"}))
        << "the default item with the lowest index";
    Icon->SetPopupByLeftButton(true);
    Log.clear();
    Mouse({WM_LBUTTONDBLCLK});
    EXPECT_EQ(Log, (std::vector<std::string>{"double"}));
    skin->GetSkinMenu()->CloseMenu(0);
    Pump();

    Icon->SetPopupByLeftButton(false);
    SetCursorPos(300, 300);
    Mouse({WM_RBUTTONDOWN});
    ASSERT_EQ(skin->GetSkinMenu()->GetCount(), 1) << "the menu at the pointer";
    EXPECT_EQ(menu->GetPopupComponent(), Icon);
    RECT level;
    GetWindowRect(skin->GetSkinMenu()->GetLevel(0)->GetHandle(), &level);
    EXPECT_EQ(level.left, 300);
    EXPECT_EQ(level.top, 300);
    skin->GetSkinMenu()->CloseMenu(0);
    Pump();
}

TEST_F(Tray, CyclingStepsThroughTheImageList) {
    auto* list = new TImageList(Form);
    for (TColor c : {TColor(0x0000FF), TColor(0x00FF00), TColor(0xFF0000)}) {
        auto b = testskins::Solid(16, 16, c);
        list->AddMasked(b.get(), 0xFFFFFF);
    }
    Icon->SetIconList(list);
    Icon->SetAnimateTimerInterval(600000);
    Icon->SetCycleIcons(true);
    EXPECT_TRUE(Icon->GetCycleTimer()->GetEnabled());
    EXPECT_EQ(Icon->GetCycleTimer()->GetInterval(), 600000u);
    std::vector<int> next, shown;
    Icon->OnCycle = TCycleEvent::FromCallable([&](TObject*, int Next) {
        next.push_back(Next);
        shown.push_back(Icon->GetIconIndex());
    });
    for (int i = 0; i < 4; ++i) Icon->TimerCycle(nullptr);
    EXPECT_EQ(next, (std::vector<int>{1, 2, 0, 1}));
    EXPECT_EQ(shown, (std::vector<int>{0, 1, 2, 0}));

    Icon->SetIconIndex(-3);
    EXPECT_EQ(Icon->GetIconIndex(), 0) << "a negative index reads as 0";
    Icon->SetIconIndex(7);
    EXPECT_EQ(Icon->GetIconIndex(), 2);
    delete list;
    EXPECT_EQ(Icon->GetIconList(), nullptr);
    Icon->SetIconIndex(1);
    EXPECT_EQ(Icon->GetIconIndex(), 0) << "without a list";
    Icon->TimerCycle(nullptr);
}

TEST_F(Tray, AnIconWithoutAnIconAndTheRealShellDoNotCrash) {
    TIcon none;
    Icon->SetIcon(&none);
    Icon->SetIconVisible(true);
    ASSERT_FALSE(Calls.empty());
    EXPECT_EQ(Calls.back().Data.hIcon, nullptr);
    // The system's shell, with no notification area on this display.
    SetShellNotifyIcon({});
    Icon->SetHint("Real shell");
    Icon->SetIconVisible(true);
    Icon->SetIconVisible(false);
}

TEST_F(Tray, AFormThatStartsInTheTrayKeepsTheApplicationFromShowingIt) {
    RegisterClass(TForm::StaticClass());
    TForm* root = new TForm(nullptr);
    ReadComponentText("object Started: TForm\n"
                      "  object StartIcon: TskTrayIcon\n"
                      "    Hint = 'Started'\n"
                      "    IconVisible = True\n"
                      "    MinimizedOnStart = True\n"
                      "  end\n"
                      "end\n",
                      root);
    EXPECT_FALSE(Application->GetShowMainForm());
    int adds = 0;
    for (const TShellCall& c : Calls) adds += c.Message == NIM_ADD;
    EXPECT_EQ(adds, 1) << "added once the form is read";
    Application->SetShowMainForm(true);
    delete root;
}

class TrayForm : public Tray {
protected:
    void SetUp() override {
        Tray::SetUp();
        Form->SetCaption("Tray main");
        Skin = new TskSkinForm(Form);
        Icon->OnDblClick = nullptr;
        Skin->SetTrayIcon(Icon);
        Skin->OnMinimizeToTray = TNotifyEvent::FromCallable([this](TObject*) { Log.push_back("to tray"); });
        Skin->OnRestoreFromTray = TNotifyEvent::FromCallable([this](TObject*) { Log.push_back("from tray"); });
        Other = new TForm(nullptr);
        Other->SetBounds(500, 100, 200, 100);
        Other->Show();
        Pump();
        Calls.clear();
        Log.clear();
    }
    void TearDown() override {
        delete Other;
        Tray::TearDown();
    }
    void ExpectInTray() {
        EXPECT_FALSE(Shown(Form));
        EXPECT_FALSE(Shown(Other));
        EXPECT_TRUE(Icon->GetIconVisible());
        EXPECT_FALSE(IsWindowVisible(Application->GetHandle())) << "the application's window is never shown";
    }
    void ExpectBack() {
        EXPECT_TRUE(Shown(Form));
        EXPECT_FALSE(IsIconic(Form->GetHandle()));
        EXPECT_TRUE(Shown(Other));
        EXPECT_FALSE(Icon->GetIconVisible());
        EXPECT_FALSE(IsWindowVisible(Application->GetHandle())) << "the application's window is never shown";
    }
    TMenuItem* SystemMenuItem(const char* Name) {
        TMenuItem* items = Skin->GetSystemMenu()->GetItems();
        for (int i = 0; i < items->GetCount(); ++i)
            if (items->GetItem(i)->GetName() == Name) return items->GetItem(i);
        return nullptr;
    }

    TskSkinForm* Skin = nullptr;
    TForm* Other = nullptr;
};

TEST_F(TrayForm, TheFormGivesTheIconItsTrayMenu) {
    TskSkinPopupMenu* menu = Skin->GetSysTrayMenu();
    EXPECT_EQ(Icon->GetPopupMenu(), menu);
    ASSERT_EQ(menu->GetItems()->GetCount(), 3);
    EXPECT_EQ(menu->GetItems()->GetItem(0)->GetName(), "TRAY_DSF_RESTORE");
    EXPECT_EQ(menu->GetItems()->GetItem(0)->GetCaption(), "&Restore");
    EXPECT_EQ(menu->GetItems()->GetItem(1)->GetCaption(), "-");
    EXPECT_EQ(menu->GetItems()->GetItem(2)->GetName(), "TRAY_DSF_CLOSE");
    EXPECT_EQ(menu->GetItems()->GetItem(2)->GetCaption(), "&Close");
    EXPECT_EQ(ShortCutToText(menu->GetItems()->GetItem(2)->GetShortCut()), "Alt+F4");
    EXPECT_FALSE(Icon->GetMinimizeToTray());
    // An icon with a menu of its own keeps it.
    auto* own = new TskSkinPopupMenu(Form);
    auto* second = new TskTrayIcon(Form);
    second->SetPopupMenu(own);
    Skin->SetTrayIcon(second);
    EXPECT_EQ(second->GetPopupMenu(), own);
    EXPECT_FALSE(second->OnDblClick);
    EXPECT_EQ(Icon->GetPopupMenu(), nullptr) << "the first icon lets the form's menu go";
    delete second;
    EXPECT_EQ(Skin->GetTrayIcon(), nullptr);
}

TEST_F(TrayForm, MinimizedToTheTrayAndRestoredByADoubleClick) {
    Skin->MinimizeToTray();
    Pump();
    ExpectInTray();
    EXPECT_EQ(Messages(), (std::vector<DWORD>{NIM_ADD}));
    Mouse({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP});
    ExpectBack();
    EXPECT_EQ(Messages().back(), DWORD(NIM_DELETE));
    EXPECT_EQ(Log, (std::vector<std::string>{"to tray", "down left", "up left", "from tray", "up left"}));
}

TEST_F(TrayForm, TheSystemMenusItemAndTheTrayMenusRestore) {
    EXPECT_EQ(SystemMenuItem("DSF_MINTOTRAY"), nullptr) << "not in BorderIcons";
    Skin->SetBorderIcons(Skin->GetBorderIcons() + TskBorderIcons{TskBorderIcon::biMinimizeToTray});
    TMenuItem* item = SystemMenuItem("DSF_MINTOTRAY");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->GetCaption(), "Minimize to &Tray");
    item->Click();
    Pump();
    ExpectInTray();
    Skin->GetSysTrayMenu()->GetItems()->GetItem(0)->Click();
    Pump();
    ExpectBack();

    // Without a tray icon the item does nothing.
    Skin->SetTrayIcon(nullptr);
    SystemMenuItem("DSF_MINTOTRAY")->Click();
    Pump();
    EXPECT_TRUE(Shown(Form));
    EXPECT_TRUE(Shown(Other));
    Skin->RestoreFromTray();
    EXPECT_EQ(Log, (std::vector<std::string>{"to tray", "from tray"}));
}

TEST_F(TrayForm, MinimizingTheApplicationGoesToTheTrayWhileTheIconAsksForIt) {
    Icon->SetMinimizeToTray(true);
    Application->Minimize();
    Pump();
    ExpectInTray();
    Icon->ShowMainForm();
    Icon->SetIconVisible(false);
    Pump();
    ExpectBack();

    // Minimized plainly, the owner form shown by the program brings the others back.
    Icon->SetMinimizeToTray(false);
    Application->Minimize();
    Pump();
    EXPECT_TRUE(IsIconic(Form->GetHandle()));
    EXPECT_FALSE(Shown(Other));
    Form->Hide();
    Form->Show();
    Pump();
    EXPECT_TRUE(Shown(Other));
    EXPECT_FALSE(IsWindowVisible(Application->GetHandle()));
}

TEST_F(TrayForm, AFormComponentThatGoesLeavesTheIconWithoutItsCalls) {
    delete Skin;
    Skin = nullptr;
    EXPECT_FALSE(Icon->OnDblClick) << "no call into the freed component";
    EXPECT_EQ(Icon->GetPopupMenu(), nullptr);
    Mouse({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP});
    Mouse({WM_RBUTTONDOWN, WM_RBUTTONUP});
    EXPECT_TRUE(Shown(Form));
}

TEST_F(TrayForm, TheIconLeavesTheFormsWindowProcedureWhateverHookedItSince) {
    // The form component took the form's messages over after the icon: the icon going
    // must leave that chain whole.
    delete Skin;
    Skin = nullptr;
    const void* own = static_cast<TControl*>(Form);
    ASSERT_NE(Form->WindowProc.Object(), own) << "the icon has hooked the form";
    delete Icon;
    EXPECT_EQ(Form->WindowProc.Object(), own) << "given back: the icon hooked it last";
    Icon = new TskTrayIcon(Form);
    auto* second = new TskTrayIcon(Form);
    Skin = new TskSkinForm(Form);
    delete second;
    delete Icon;
    Icon = nullptr;
    EXPECT_EQ(Form->WindowProc.Object(), Skin) << "the form component still sees the messages first";
    Form->SetCaption("Still answering");
    Form->SetBounds(120, 120, 300, 200);
    Pump();
    char text[32] = {};
    GetWindowTextA(Form->GetHandle(), text, sizeof(text));
    EXPECT_STREQ(text, "Still answering");
    EXPECT_EQ(Form->GetWidth(), 300);
    delete Skin;
    Skin = nullptr;
    Form->SetCaption("Given back");
    Pump();
    GetWindowTextA(Form->GetHandle(), text, sizeof(text));
    EXPECT_STREQ(text, "Given back");
}

} // namespace

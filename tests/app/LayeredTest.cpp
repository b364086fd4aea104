// Translucent skinned forms where the system has layered windows: this program runs as
// Windows 5.2 (the test harness gives it that version in Wine's per-program settings).
#include "app/About_sl.h"
#include "app/Dm.h"
#include "tests/support/GuiTestSupport.h"

#include "skin/data/Skutils.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinHint.h"
#include "skin/form/SkinMenus.h"
#include "skin/form/skTrayIcon.h"

#include "classlib/FormLoader.h"
#include "classlib/Paths.h"

#include <gtest/gtest.h>

namespace {

bool Layered(TWinControl* C) {
    return (GetWindowLongPtrA(C->GetHandle(), GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
}

int Alpha(TWinControl* C) {
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(C->GetHandle(), nullptr, &alpha, &flags) || !(flags & LWA_ALPHA)) return -1;
    return alpha;
}

// The fade-in timer's tick, sent rather than waited for.
void Tick(TWinControl* C, WPARAM Id = 1) {
    SendMessageA(C->GetHandle(), WM_TIMER, Id, 0);
}

TEST(LayeredWindows, TheAboutBoxFadesInTo245) {
    ASSERT_TRUE(CheckW2KWXP()) << "the program runs as Windows 2000 to XP";
    DMM = CreateFromResource<TDMM>(nullptr);
    auto* about = CreateFromResource<TFAbout>(nullptr);
    about->Show();
    // Shown transparent, then raised by the first tick of timer 1.
    EXPECT_EQ(Alpha(about), 0);
    Tick(about);
    EXPECT_TRUE(Layered(about));
    EXPECT_EQ(Alpha(about), 245);
    Pump();
    CaptureWindow(about->GetHandle())->SaveToFile(ExeDir() + "about-layered.bmp");
    about->Hide();
    EXPECT_FALSE(Layered(about)) << "hidden, it is an ordinary window again";
    delete about;
    delete DMM;
    DMM = nullptr;
    Pump();
}

class LayeredForm : public ShownFormTest {};

TEST_F(LayeredForm, AlphaBlendAppliesAtOnceAndAFadeWithoutItEndsOpaque) {
    auto* skin = new TskSkinForm(Form);
    // Watched by another component (a menu bar does so), it still applies at once.
    TComponent watcher(nullptr);
    skin->FreeNotification(&watcher);
    skin->SetAlphaBlend(true);
    EXPECT_EQ(Alpha(Form), 200);
    skin->SetAlphaBlendValue(120);
    Form->SetWidth(Form->GetWidth() + 20);
    Pump();
    EXPECT_EQ(Alpha(Form), 120);
    skin->SetAlphaBlend(false);
    EXPECT_FALSE(Layered(Form));
    skin->SetAlphaBlendAnimation(true);
    Form->Hide();
    Form->Show();
    Tick(Form, 2);
    EXPECT_EQ(Alpha(Form), 0) << "another timer is no fade";
    Tick(Form);
    EXPECT_FALSE(Layered(Form));
}

TEST_F(LayeredForm, TranslucentMenusAreLayeredAndTheFirstLevelFadesIn) {
    auto* skin = new TskSkinForm(Form);
    skin->SetMenusAlphaBlend(true);
    skin->SetMenusAlphaBlendValue(150);
    skin->SetMenusAlphaBlendAnimation(true);
    auto* menu = new TskSkinPopupMenu(Form);
    auto* item = new TMenuItem(Form);
    item->SetCaption("Sub");
    menu->GetItems()->Add(item);
    auto* sub = new TMenuItem(Form);
    sub->SetCaption("Leaf");
    item->Add(sub);
    menu->Popup(Form->GetLeft() + 20, Form->GetTop() + 20);
    TskSkinMenu* chain = skin->GetSkinMenu();
    ASSERT_EQ(chain->GetCount(), 1);
    TskSkinPopupWindow* level = chain->GetLevel(0);
    EXPECT_TRUE(IsWindowVisible(level->GetHandle())) << "layered levels show at once";
    EXPECT_TRUE(Layered(level));
    EXPECT_EQ(Alpha(level), 150);
    PostMessageA(Form->GetHandle(), WM_KEYDOWN, VK_RIGHT, 1);
    Pump();
    ASSERT_EQ(chain->GetCount(), 2);
    EXPECT_EQ(Alpha(chain->GetLevel(1)), 150);
    CaptureWindow(level->GetHandle())->SaveToFile(ExeDir() + "skinmenu-layered.bmp");
    chain->CloseMenu(0);
}

TEST_F(LayeredForm, ATranslucentHintIsALayeredWindowAndLosesItWhenOpaqueAgain) {
    Application->SetMainForm(Form);
    auto* hint = new TskSkinHint(Form);
    hint->SetAlphaBlendSupport(true);
    ASSERT_TRUE(hint->GetAlphaBlendSupport()) << "layered windows as the system has them";
    hint->SetAlphaBlend(true);
    hint->SetAlphaBlendValue(170);
    hint->ActivateHint(TPoint(Form->GetLeft() + 20, Form->GetTop() + 20), "Layered");
    TskSkinHintWindow* window = hint->GetHintWindow();
    ASSERT_TRUE(hint->IsVisible());
    EXPECT_TRUE(Layered(window));
    EXPECT_EQ(Alpha(window), 170);
    hint->SetAlphaBlendValue(90);
    hint->ActivateHint(TPoint(Form->GetLeft() + 20, Form->GetTop() + 20), "Layered");
    EXPECT_EQ(Alpha(window), 90);
    hint->SetAlphaBlend(false);
    hint->ActivateHint(TPoint(Form->GetLeft() + 20, Form->GetTop() + 20), "Opaque");
    EXPECT_FALSE(Layered(window));
    hint->HideHint();
    Application->SetMainForm(nullptr);
    HintWindowClass = THintWindow::StaticClass();
}

TEST_F(LayeredForm, TheTrayMenuOfATranslucentFormIsLayered) {
    auto* skin = new TskSkinForm(Form);
    skin->SetMenusAlphaBlend(true);
    skin->SetMenusAlphaBlendValue(160);
    std::vector<DWORD> calls;
    SetShellNotifyIcon([&](DWORD Message, NOTIFYICONDATAA*) {
        calls.push_back(Message);
        return TRUE;
    });
    auto* tray = new TskTrayIcon(Form);
    skin->SetTrayIcon(tray);
    SetCursorPos(Form->GetLeft() + 30, Form->GetTop() + 30);
    PostMessageA(tray->GetHandle(), TskTrayIcon::CallbackMessage, 1, WM_RBUTTONDOWN);
    Pump();
    TskSkinMenu* chain = skin->GetSkinMenu();
    ASSERT_EQ(chain->GetCount(), 1) << "the tray menu at the pointer";
    TskSkinPopupWindow* level = chain->GetLevel(0);
    EXPECT_TRUE(Layered(level));
    EXPECT_EQ(Alpha(level), 160);
    EXPECT_EQ(level->ItemList.size(), 3u);
    chain->CloseMenu(0);
    Pump();
    delete tray;
    SetShellNotifyIcon({});
}

} // namespace

// Skinned popup menus on real windows: the chain of levels, keys through the application's
// message loop, clicks, the submenu wait, placement at the screen's edges, scrolling, the
// system menu and the skinned look.
#include "skin/form/SkinForm.h"
#include "skin/form/SkinMenus.h"
#include "tests/skin/form/FormTestSkins.h"
#include "tests/skin/form/MenuTestSupport.h"
#include "tests/support/GuiTestSupport.h"

#include "classlib/GdiCounter.h"
#include "classlib/ImageLists.h"
#include "classlib/Paths.h"

#include <string>
#include <vector>

namespace {

class SkinMenu : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Skin = new TskSkinForm(Form);
        Form->SetBounds(100, 100, 300, 200);
        Skin->OnSkinMenuClose = TNotifyEvent::FromCallable([this](TObject*) { Log.push_back("closed"); });
        Menu = new TskSkinPopupMenu(Form);
        A = Item(Menu->GetItems(), "&Apple");
        B = Item(Menu->GetItems(), "&Berry");
        B1 = Item(B, "Blue");
        Item(B, "Black");
        Item(Menu->GetItems(), "-");
        C = Item(Menu->GetItems(), "&Cherry");
        C->SetEnabled(false);
        Pump();
    }
    void TearDown() override {
        Chain()->CloseMenu(0);
        ShownFormTest::TearDown();
    }

    TMenuItem* Item(TMenuItem* Parent, const char* Caption) { return AddLoggedItem(Form, Parent, Caption, Log); }
    TskSkinMenu* Chain() { return Skin->GetSkinMenu(); }
    TskSkinPopupWindow* Level(int I) { return Chain()->GetLevel(I); }
    void Key(Word K) {
        PostMessageA(Form->GetHandle(), WM_KEYDOWN, K, 1);
        Pump();
    }
    TRect WindowOf(TWinControl* C) {
        RECT r;
        GetWindowRect(C->GetHandle(), &r);
        return TRect(r.left, r.top, r.right, r.bottom);
    }

    TskSkinForm* Skin = nullptr;
    TskSkinPopupMenu* Menu = nullptr;
    TMenuItem *A = nullptr, *B = nullptr, *B1 = nullptr, *C = nullptr;
    std::vector<std::string> Log;
};

TEST_F(SkinMenu, FirstLevelIsANeverActivatedPopupSizedFromItsRows) {
    Menu->Popup(200, 150);
    ASSERT_EQ(Chain()->GetCount(), 1);
    TskSkinPopupWindow* level = Level(0);
    HWND wnd = level->GetHandle();
    EXPECT_TRUE(IsWindowVisible(wnd));
    EXPECT_EQ(GetWindowLongPtrA(wnd, GWL_STYLE) & (WS_POPUP | WS_CHILD | WS_CAPTION), WS_POPUP);
    EXPECT_NE(GetWindowLongPtrA(wnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
    EXPECT_NE(GetClassLongA(wnd, GCL_STYLE) & CS_SAVEBITS, 0u);
    EXPECT_EQ(SendMessageA(wnd, WM_MOUSEACTIVATE, 0, 0), MA_NOACTIVATE);
    EXPECT_EQ(WindowOf(level).Left, 200);
    EXPECT_EQ(WindowOf(level).Top, 150);
    EXPECT_EQ(level->GetHeight(), 3 * 20 + 4 + 6);
    EXPECT_EQ(level->ItemList[3]->ObjectRect, TRect(3, 47, level->GetWidth() - 3, 67));
    // The first enabled row is lit; the form keeps the activation.
    EXPECT_EQ(level->ActiveItem, 0);
    EXPECT_TRUE(Skin->GetSkinMenuOpen());
    auto shot = CaptureWindow(wnd);
    shot->SaveToFile(ExeDir() + "skinmenu_plain.bmp");
    EXPECT_EQ(PixelOf(shot.get(), 0, 0), static_cast<COLORREF>(ColorToRGB(clBtnShadow)));
}

TEST_F(SkinMenu, TheMenusImagesStandInTheImageColumn) {
    auto* images = new TCustomImageList(Form);
    images->SetSize(12, 12);
    auto strip = testskins::Solid(24, 12, 0x0000FF);
    testskins::Fill(strip.get(), TRect(12, 0, 24, 12), 0x00FF00);
    images->AddMasked(strip.get(), 0xFFFFFF);
    Menu->SetImages(images);
    A->SetImageIndex(0);
    A->SetChecked(true);
    B->SetImageIndex(7);
    Menu->Popup(200, 150);
    TskSkinPopupWindow* level = Level(0);
    EXPECT_EQ(level->ImageWidth, 12 + 5);
    auto shot = CaptureWindow(level->GetHandle());
    shot->SaveToFile(ExeDir() + "skinmenu_images.bmp");
    // Row 0 from y 3: its image at (3 + 2, 3 + 10 - 6), framed as the item is checked.
    EXPECT_EQ(PixelOf(shot.get(), 10, 12), static_cast<COLORREF>(0x0000FF));
    EXPECT_EQ(PixelOf(shot.get(), 4, 12), static_cast<COLORREF>(ColorToRGB(clWindowText)) & 0xFFFFFF);
    // The image column of a plain row is as wide as the images, not the 19 pixels without.
    const int y = level->ItemList[3]->ObjectRect.Top + 10;
    EXPECT_EQ(PixelOf(shot.get(), 3 + 18, y), static_cast<COLORREF>(ColorToRGB(clWindow)) & 0xFFFFFF);
    delete images;
    EXPECT_EQ(Menu->GetImages(), nullptr) << "a freed image list is let go";
}

TEST_F(SkinMenu, WithoutLayeredWindowsATranslucentLevelShowsLateBlendedWithTheScreen) {
    Skin->SetMenusAlphaBlend(true);
    Skin->SetMenusAlphaBlendValue(128);
    A->SetEnabled(false);
    Menu->Popup(200, 150);
    ASSERT_EQ(Chain()->GetCount(), 1);
    TskSkinPopupWindow* level = Level(0);
    EXPECT_FALSE(IsWindowVisible(level->GetHandle())) << "shown only when the screen under it is taken";
    const int right = level->GetWidth() - 10;
    HDC screen = GetDC(nullptr);
    const COLORREF under = GetPixel(screen, 200 + right, 150 + 57);
    ReleaseDC(nullptr, screen);
    level->WTProc(nullptr);
    EXPECT_TRUE(IsWindowVisible(level->GetHandle()));
    EXPECT_EQ(level->ActiveItem, 1) << "the first row that can be chosen is lit";
    EXPECT_EQ(GetWindowLongPtrA(level->GetHandle(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    auto shot = CaptureWindow(level->GetHandle());
    shot->SaveToFile(ExeDir() + "skinmenu_softalpha.bmp");
    const COLORREF blended = PixelOf(shot.get(), right, 57);
    const COLORREF window = static_cast<COLORREF>(ColorToRGB(clWindow)) & 0xFFFFFF;
    EXPECT_NE(blended, window);
    EXPECT_NEAR(GetRValue(blended), (GetRValue(window) + GetRValue(under)) / 2, 3);
}

TEST_F(SkinMenu, KeysMoveOpenAndChooseInOrder) {
    Menu->Popup(200, 150);
    Key(VK_DOWN);
    EXPECT_EQ(Level(0)->ActiveItem, 1);
    Key(VK_DOWN); // only a divider and a disabled row below
    EXPECT_EQ(Level(0)->ActiveItem, 1);
    Key(VK_UP);
    EXPECT_EQ(Level(0)->ActiveItem, 0);
    Key(VK_UP); // wraps to the last row, upwards to an enabled one
    EXPECT_EQ(Level(0)->ActiveItem, 1);
    Key(VK_RIGHT);
    ASSERT_EQ(Chain()->GetCount(), 2);
    EXPECT_EQ(Log, (std::vector<std::string>{"Berry"})) << "a submenu item's own click runs before it opens";
    EXPECT_EQ(WindowOf(Level(1)).Left, WindowOf(Level(0)).Left + Level(0)->GetWidth() - 3 + 1);
    Key(VK_RETURN);
    EXPECT_EQ(Chain()->GetCount(), 0);
    EXPECT_EQ(Log, (std::vector<std::string>{"Berry", "closed", "Blue"}))
        << "every level closes and the form hears before the command runs";
    EXPECT_FALSE(Skin->GetSkinMenuOpen());
}

TEST_F(SkinMenu, EscapeClosesOneLevelAtATimeAndTheWheelIsSwallowed) {
    Menu->Popup(200, 150);
    Key(VK_DOWN);
    Key(VK_RIGHT);
    ASSERT_EQ(Chain()->GetCount(), 2);
    bool wheel = false;
    Form->OnMouseWheel = TMouseWheelEvent::FromCallable(
        [&](TObject*, TShiftState, int, TPoint, bool&) { wheel = true; });
    PostMessageA(Form->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
    Pump();
    EXPECT_FALSE(wheel);
    Key(VK_ESCAPE);
    EXPECT_EQ(Chain()->GetCount(), 1);
    Key(VK_ESCAPE);
    EXPECT_EQ(Chain()->GetCount(), 0);
    EXPECT_FALSE(Skin->GetSkinMenuOpen());
    EXPECT_EQ(Log, (std::vector<std::string>{"Berry", "closed"}));
}

TEST_F(SkinMenu, AcceleratorChoosesItsRow) {
    Menu->Popup(200, 150);
    Key('A');
    EXPECT_EQ(Chain()->GetCount(), 0);
    EXPECT_EQ(Log, (std::vector<std::string>{"closed", "Apple"}));
}

TEST_F(SkinMenu, ClickActsOnReleaseAndRestingOpensTheSubmenu) {
    Menu->Popup(200, 150);
    TskSkinPopupWindow* level = Level(0);
    // Resting on the submenu row starts the wait; its end opens the submenu beside it.
    level->TestActive(10, 25);
    EXPECT_EQ(level->ActiveItem, 1);
    EXPECT_TRUE(Chain()->WaitTimer->GetEnabled());
    Chain()->WaitItem(nullptr);
    ASSERT_EQ(Chain()->GetCount(), 2);
    EXPECT_EQ(WindowOf(Level(1)).Top, WindowOf(level).Top + 23 - 3);
    // Moving to a plain row closes the deeper level.
    level->TestActive(10, 5);
    EXPECT_EQ(Chain()->GetCount(), 1);
    EXPECT_FALSE(Chain()->WaitTimer->GetEnabled());
    // Disabled rows and dividers never light.
    level->TestActive(10, 60);
    EXPECT_FALSE(level->ItemList[3]->MouseIn);
    SendMessageA(level->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    EXPECT_EQ(Chain()->GetCount(), 1) << "a press does nothing";
    SendMessageA(level->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
    Pump();
    EXPECT_EQ(Chain()->GetCount(), 0);
    EXPECT_EQ(Log, (std::vector<std::string>{"Berry", "closed", "Apple"}));
}

TEST_F(SkinMenu, PlacementKeepsLevelsInsideTheWorkArea) {
    RECT wa;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &wa, 0);
    Menu->Popup(wa.right - 5, wa.bottom - 5);
    TRect r = WindowOf(Level(0));
    EXPECT_EQ(r.Right, wa.right);
    EXPECT_EQ(r.Bottom, wa.bottom - 5) << "opens above the point";
    Key(VK_DOWN);
    Key(VK_RIGHT);
    ASSERT_EQ(Chain()->GetCount(), 2);
    EXPECT_EQ(WindowOf(Level(1)).Right, r.Left + 3 - 1) << "a submenu at the right edge opens left of its row";
    EXPECT_LE(WindowOf(Level(1)).Bottom, wa.bottom);
}

TEST_F(SkinMenu, ATallMenuScrollsWithinTheWorkArea) {
    TskSkinPopupMenu big(Form);
    for (int i = 0; i < 500; ++i) {
        auto* item = new TMenuItem(&big);
        item->SetCaption(("Item " + std::to_string(i)).c_str());
        big.GetItems()->Add(item);
    }
    big.Popup(10, 10);
    RECT wa;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &wa, 0);
    TskSkinPopupWindow* level = Level(0);
    EXPECT_TRUE(level->Scroll);
    EXPECT_EQ(level->GetHeight(), wa.bottom - wa.top);
    EXPECT_EQ(level->ItemList[0]->ObjectRect.Top, 3 + 10) << "room for the up marker";
    const int shown = level->VisibleCount;
    // Up from the first row wraps to the last and scrolls it into view.
    Key(VK_UP);
    EXPECT_EQ(level->ActiveItem, 499);
    EXPECT_EQ(level->TopIndex + level->VisibleCount, 500);
    EXPECT_TRUE(level->ItemList[499]->Visible);
    EXPECT_FALSE(level->ItemList[0]->Visible);
    // Resting on the up marker scrolls one row per tick.
    level->TestActive(20, 5);
    EXPECT_EQ(level->ScrollCode, 1);
    const int top = level->TopIndex;
    level->ScrollTick();
    EXPECT_EQ(level->TopIndex, top - 1);
    level->TestActive(20, 200);
    EXPECT_EQ(level->ScrollCode, 0);
    EXPECT_EQ(level->VisibleCount, shown);
    CaptureWindow(level->GetHandle())->SaveToFile(ExeDir() + "skinmenu_scrolling.bmp");
    Chain()->CloseMenu(0);
}

TEST_F(SkinMenu, OddMenusOpenNothingOrDrawPlainly) {
    TskSkinPopupMenu empty(Form);
    empty.Popup(50, 50);
    EXPECT_EQ(Chain()->GetCount(), 0) << "no items, no level";
    TskSkinPopupMenu lines(Form);
    for (const char* caption : {"-", "-", "Trailing &"}) {
        auto* item = new TMenuItem(&lines);
        item->SetCaption(caption);
        lines.GetItems()->Add(item);
    }
    lines.GetItems()->GetItem(2)->SetEnabled(false);
    lines.Popup(50, 50);
    ASSERT_EQ(Chain()->GetCount(), 1);
    EXPECT_EQ(Level(0)->ActiveItem, -1);
    Key(VK_DOWN);
    Key('&');
    Key(VK_RETURN);
    CaptureWindow(Level(0)->GetHandle());
    Key(VK_ESCAPE);
    EXPECT_EQ(Chain()->GetCount(), 0);
    EXPECT_TRUE(Errors.empty());
}

TEST_F(SkinMenu, SystemMenuFollowsTheWindowState) {
    auto captions = [&] {
        std::vector<std::string> list;
        for (auto& row : Level(0)->ItemList) list.push_back(row->MenuItem->GetCaption().c_str());
        return list;
    };
    RECT w;
    GetWindowRect(Form->GetHandle(), &w);
    SendMessageA(Form->GetHandle(), WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(w.left + 150, w.top + 10));
    Pump();
    ASSERT_EQ(Chain()->GetCount(), 1);
    EXPECT_EQ(captions(), (std::vector<std::string>{"Mi&nimize", "Ma&ximize", "Ro&llUp", "-", "&Close"}));
    EXPECT_EQ(ShortCutToText(Level(0)->ItemList[4]->MenuItem->GetShortCut()), "Alt+F4");
    CaptureWindow(Level(0)->GetHandle())->SaveToFile(ExeDir() + "skinmenu_system.bmp");
    Chain()->Hide();
    Skin->SetWindowState(wsMaximized);
    Skin->TrackSystemMenu(200, 200);
    EXPECT_EQ(captions(), (std::vector<std::string>{"Mi&nimize", "&Restore", "Ro&llUp", "-", "&Close"}));
    // Choosing Restore brings the normal bounds back.
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_EQ(Skin->GetWindowState(), wsNormal);
    Skin->SetBorderIcons({});
    Skin->TrackSystemMenu(200, 200);
    EXPECT_EQ(captions(), (std::vector<std::string>{"&Close"}));
}

TEST_F(SkinMenu, UserSystemMenuGetsTheStandardItemsAndAShortCutColumn) {
    auto* user = new TPopupMenu(Form);
    Item(user->GetItems(), "User &One");
    Item(user->GetItems(), "User &Two");
    Skin->SetBorderIcons({TskBorderIcon::biSystemMenu, TskBorderIcon::biMinimize, TskBorderIcon::biMaximize,
                          TskBorderIcon::biRollUp, TskBorderIcon::biMinimizeToTray});
    Skin->SetSystemMenu(user);
    auto names = [&] {
        std::vector<std::string> list;
        TMenuItem* items = Skin->GetSystemMenu()->GetItems();
        for (int i = 0; i < items->GetCount(); ++i)
            list.push_back((items->GetItem(i)->GetName() + "=" + items->GetItem(i)->GetCaption()).c_str());
        return list;
    };
    const std::vector<std::string> normal{"DSF_MINITEM=Mi&nimize", "DSF_MAXITEM=Ma&ximize", "DSF_ROLLUP=Ro&llUp",
                                          "DSF_MINTOTRAY=Minimize to &Tray", "=User &One", "=User &Two",
                                          "DSF_CLOSE=&Close"};
    EXPECT_EQ(names(), normal);
    EXPECT_EQ(names(), normal) << "rebuilt, not doubled";
    Skin->SetWindowState(wsMinimized);
    EXPECT_EQ(names(), (std::vector<std::string>{"DSF_RESTORE=&Restore", "DSF_MAXITEM=Ma&ximize",
                                                 "DSF_MINTOTRAY=Minimize to &Tray", "=User &One", "=User &Two",
                                                 "DSF_CLOSE=&Close"}));
    Skin->SetWindowState(wsNormal);
    Skin->SetUseDefaultSysMenu(false);
    Skin->SetSystemMenu(nullptr);
    EXPECT_EQ(names().back(), "DSF_CLOSE=&Close") << "the default menu again";
    Skin->SetSystemMenu(user);
    EXPECT_EQ(names().size(), 2u) << "without the standard items the user's menu stands as it is";
    Skin->SetUseDefaultSysMenu(true);
    Skin->TrackSystemMenu(200, 200);
    ASSERT_EQ(Chain()->GetCount(), 1);
    auto shot = CaptureWindow(Level(0)->GetHandle());
    shot->SaveToFile(ExeDir() + "skinmenu_system_user.bmp");
    // The last row: "Close", a gap, then "Alt+F4" right-aligned before the right margin.
    const TRect close = Level(0)->ItemList.back()->ObjectRect;
    std::vector<int> inked;
    for (int x = close.Left + 19; x < close.Right; ++x) {
        bool ink = false;
        for (int y = close.Top; y < close.Bottom; ++y)
            ink = ink || PixelOf(shot.get(), x, y) == (static_cast<COLORREF>(ColorToRGB(clWindowText)) & 0xFFFFFF);
        if (ink) inked.push_back(x);
    }
    ASSERT_FALSE(inked.empty());
    int widestGap = 0;
    for (std::size_t i = 1; i < inked.size(); ++i) widestGap = std::max(widestGap, inked[i] - inked[i - 1]);
    EXPECT_GE(widestGap, 12);
    EXPECT_LE(inked.back(), close.Right - 2 - 19);
    EXPECT_GE(inked.back(), close.Right - 2 - 19 - 4) << "right-aligned";
}

TEST_F(SkinMenu, TwoHundredOpeningsLeaveNoGdiObjects) {
    const auto cycle = [&](bool Translucent) {
        Skin->SetMenusAlphaBlend(Translucent);
        Menu->Popup(200, 150);
        if (Translucent) Level(0)->WTProc(nullptr);
        Key(VK_DOWN);
        Key(VK_RIGHT);
        Key(VK_ESCAPE);
        Key(VK_ESCAPE);
    };
    cycle(true);
    cycle(false);
    const long before = GdiObjectCount();
    for (int i = 0; i < 200; ++i) cycle(i % 2 == 0);
    EXPECT_EQ(GdiObjectCount(), before);
    EXPECT_EQ(Chain()->GetCount(), 0);
}

// A popup-window record over a 40 x 40 picture with 4-px borders.
void BuildPopupSkin(TskSkinData* Data) {
    testskins::Build(Data);
    Data->PopupWindow = std::make_unique<TskDataSkinPopupWindow>();
    auto& pw = *Data->PopupWindow;
    Data->ActivePictures.push_back(testskins::Solid(40, 40, 0x00C0FF));
    pw.WindowPictureIndex = 1;
    pw.LTPoint = TPoint(4, 4);
    pw.RTPoint = TPoint(36, 4);
    pw.LBPoint = TPoint(4, 36);
    pw.RBPoint = TPoint(36, 36);
    pw.ItemsRect = TRect(4, 4, 36, 36);
}

// A MENUITEM record over picture 2: normal look on top, active look below, a divider.
void AddRowRecord(TskSkinData* Data) {
    auto row = std::make_unique<TskDataSkinMenuItem>("MENUITEM");
    Data->ActivePictures.push_back(testskins::Solid(60, 40, 0x204080));
    testskins::Fill(Data->ActivePictures[2].get(), TRect(0, 20, 60, 40), 0xFFFFFF);
    row->ActivePictureIndex = 2;
    row->SkinRect = TRect(0, 0, 60, 18);
    row->ActiveSkinRect = TRect(0, 20, 60, 38);
    row->DividerRect = TRect(0, 38, 60, 40);
    row->TextRect = TRect(4, 0, 56, 18);
    row->FontColor = 0xFFFFFF;
    Data->ObjectList.push_back(std::move(row));
}

TskDataSkinMenuItem* Row(TskSkinData* S) {
    return static_cast<TskDataSkinMenuItem*>(S->ObjectList.back().get());
}

TEST_F(SkinMenu, MutatedMenuSkinsGivePlainLooksNeverACrash) {
    using Mutate = void (*)(TskSkinData*);
    const Mutate mutations[] = {
        [](TskSkinData* S) { S->PopupWindow->WindowPictureIndex = 9; },
        [](TskSkinData* S) { S->ActivePictures[1] = std::make_unique<TBitmap>(); },
        [](TskSkinData* S) { S->PopupWindow->ItemsRect = TRect(30, 30, 10, 10); },
        [](TskSkinData* S) { S->PopupWindow->LTPoint = S->PopupWindow->RBPoint = TPoint(); },
        [](TskSkinData* S) { S->PopupWindow->RTPoint = TPoint(400, 4); },
        [](TskSkinData* S) {
            S->ActivePictures.push_back(testskins::Solid(40, 40, 0xFFFFFF));
            S->PopupWindow->MaskPictureIndex = static_cast<int>(S->ActivePictures.size()) - 1;
        },
        [](TskSkinData* S) { S->PopupWindow->MaskPictureIndex = 40; },
        [](TskSkinData* S) { Row(S)->ActivePictureIndex = 7; },
        [](TskSkinData* S) { Row(S)->SkinRect = Row(S)->ActiveSkinRect = Row(S)->DividerRect = TRect(); },
        [](TskSkinData* S) { Row(S)->TextRect = TRect(50, 0, 4, 18); },
        [](TskSkinData* S) { Row(S)->SkinRect = TRect(0, 0, 600, 400); },
        [](TskSkinData* S) { Row(S)->Morphing = true; Row(S)->ActiveSkinRect = TRect(); },
    };
    auto* data = new TskSkinData(Form);
    Menu->SetSkinData(data);
    for (Mutate m : mutations) {
        BuildPopupSkin(data);
        AddRowRecord(data);
        m(data);
        for (bool translucent : {false, true}) {
            Skin->SetMenusAlphaBlend(translucent);
            Menu->Popup(200, 150);
            if (Chain()->GetCount() && translucent) Level(0)->WTProc(nullptr);
            Key(VK_DOWN);
            Key(VK_RIGHT);
            // Painted at once, not through a screenshot: a screenshot pumps messages first, and
            // a pointer resting over the (possibly huge) first level may close a deeper one then.
            for (int i = 0; i < Chain()->GetCount(); ++i) {
                RedrawWindow(Level(i)->GetHandle(), nullptr, nullptr,
                             RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
                Level(i)->TestMorph(nullptr);
            }
            Key(VK_ESCAPE);
            Key(VK_ESCAPE);
        }
    }
    EXPECT_TRUE(Errors.empty());
}

TEST_F(SkinMenu, SkinnedLevelsDrawFromTheSkinAndPlainWithoutRowRecords) {
    auto* data = new TskSkinData(Form);
    BuildPopupSkin(data);
    Menu->SetSkinData(data);
    Menu->Popup(200, 150);
    ASSERT_EQ(Chain()->GetCount(), 1);
    EXPECT_EQ(Level(0)->PopupWindowData, nullptr) << "no MENUITEM record: plain rows";
    EXPECT_EQ(Level(0)->GetHeight(), 70);
    Chain()->CloseMenu(0);
    AddRowRecord(data);
    Menu->Popup(200, 150);
    TskSkinPopupWindow* level = Level(0);
    ASSERT_NE(level->PopupWindowData, nullptr);
    EXPECT_EQ(level->GetHeight(), 3 * 18 + 2 + 8);
    auto shot = CaptureWindow(level->GetHandle());
    shot->SaveToFile(ExeDir() + "skinmenu_skinned.bmp");
    EXPECT_EQ(PixelOf(shot.get(), 1, 1), static_cast<COLORREF>(0x00C0FF)) << "window picture corner";
    EXPECT_EQ(PixelOf(shot.get(), level->GetWidth() - 6, 4 + 18 + 2), static_cast<COLORREF>(0x204080));
    EXPECT_EQ(PixelOf(shot.get(), level->GetWidth() - 6, 6), static_cast<COLORREF>(0xFFFFFF)) << "lit row";
}

} // namespace

// Skinned MDI frames on real windows, driven by the user's mouse and keys where a person
// would act: the main form's client window, the window menu of the children, a maximized
// child's caption and buttons on the main form, closing and deleting children in the
// middle of what the user does, the arrangements, and skins without the MDI records.
// Freed memory is poisoned here: children are deleted from inside their own commands.
#include "skin/form/SkinForm.h"
#include "skin/form/SkinForm_Arrange.h"
#include "skin/form/SkinMenus.h"
#include "skin/form/skTrayIcon.h"
#include "tests/skin/form/FormTestSkins.h"
#include "tests/skin/form/MenuTestSupport.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/UserInput.h"

#include "classlib/Panels.h"
#include "classlib/Paths.h"

#include <string>
#include <vector>

namespace {

COLORREF Rgb(TColor C) {
    return static_cast<COLORREF>(ColorToRGB(C)) & 0xFFFFFF;
}

TRect ScreenRectOf(HWND Wnd) {
    RECT r;
    GetWindowRect(Wnd, &r);
    return TRect(r.left, r.top, r.right, r.bottom);
}

TRect MovedRectBy(const TRect& R, TPoint By) {
    return TRect(R.Left + By.X, R.Top + By.Y, R.Right + By.X, R.Bottom + By.Y);
}

TPoint Offset(TPoint P, int DX, int DY) {
    return TPoint(P.X + DX, P.Y + DY);
}

TPoint Centre(const TRect& R) {
    return TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
}

// The user's own mouse and keys.

class SkinMDI : public testing::Test {
protected:
    void SetUp() override {
        Application->OnException = TExceptionEvent::FromCallable(
            [this](TObject*, const std::exception& E) { Errors.push_back(E.what()); });
        Main = new TForm(nullptr);
        Main->SetName("MainForm");
        Main->SetCaption("Main");
        Main->SetFormStyle(fsMDIForm);
        Main->SetBounds(40, 40, 640, 480);
        Application->SetMainForm(Main);
        MainSkin = new TskSkinForm(Main);
        Data = new TskSkinData(Main);
        testskins::Build(Data);
        Menu = new TskSkinMainMenu(Main);
        AddLoggedItem(Main, Menu->GetItems(), "&File", Log);
        WindowItem = AddLoggedItem(Main, Menu->GetItems(), "&Window", Log);
        AddLoggedItem(Main, WindowItem, "&Tile", Log);
        Main->SetWindowMenu(WindowItem);
        Bar = new TskSkinMainMenuBar(Main);
        Bar->SetParent(Main);
        Bar->SetMainMenu(Menu);
        Bar->SetSkinForm(MainSkin);
        MainSkin->SetMainMenuBar(Bar);
        MainSkin->SetSkinData(Data);
        Main->Show();
        Pump();
    }
    void TearDown() override {
        if (Main) {
            MainSkin->GetSkinMenu()->CloseMenu(0);
            for (TCustomForm* child : Main->GetMDIChildList()) delete child;
            delete Main;
        }
        Pump();
        Application->OnException = nullptr;
        EXPECT_EQ(Application->GetMainForm(), nullptr);
        EXPECT_TRUE(Errors.empty()) << Errors.front();
    }

    TForm* NewChild(const char* Name, const char* Caption, int Left = 10, int Top = 10, bool Skinned = true) {
        auto* child = new TForm(nullptr);
        if (Name) child->SetName(Name);
        child->SetCaption(Caption);
        child->SetFormStyle(fsMDIChild);
        child->SetBounds(Left, Top, 220, 160);
        auto* frame = new TskSkinForm(child);
        if (Skinned) frame->SetSkinData(Data);
        child->Show();
        Pump();
        return child;
    }
    static TskSkinForm* Frame(TCustomForm* F) { return GetSkinFormComponent(F); }
    bool ActivateMain() {
        for (int i = 0; i < 50 && GetForegroundWindow() != Main->GetHandle(); ++i) {
            SetForegroundWindow(Main->GetHandle());
            Pump();
        }
        return GetForegroundWindow() == Main->GetHandle();
    }
    // The screen centre of a frame object of a form.
    static TPoint ObjectCentre(TCustomForm* F, const char* IDName) { return testskins::ObjectCentre(Frame(F), IDName); }
    TPoint ButtonCentre(TStdCommand Command) {
        for (const TskMenuBarButton& b : Bar->Buttons())
            if (b.Command == Command) return Bar->ClientToScreen(Centre(b.ObjectRect));
        ADD_FAILURE() << "no bar button for command " << Command;
        return TPoint();
    }
    TPoint BarItemCentre(int Index) {
        return Bar->ClientToScreen(Centre(Bar->Items()[static_cast<std::size_t>(Index)].ObjectRect));
    }
    // The window menu's entries: name=caption, "*" when checked.
    std::vector<std::string> WindowMenu() {
        std::vector<std::string> entries;
        for (int i = 0; i < WindowItem->GetCount(); ++i) {
            TMenuItem* item = WindowItem->GetItem(i);
            entries.push_back(std::string(item->GetName().c_str()) + "=" + item->GetCaption().c_str() +
                              (item->GetChecked() ? "*" : ""));
        }
        return entries;
    }
    TskSkinPopupWindow* Level(int I) { return MainSkin->GetSkinMenu()->GetLevel(I); }
    // The screen centre of row Row of the open popup level Index.
    TPoint RowCentre(int Index, int Row) {
        TskSkinPopupWindow* level = Level(Index);
        const TRect w = ScreenRectOf(level->GetHandle());
        const TRect r = level->ItemList[static_cast<std::size_t>(Row)]->ObjectRect;
        return Centre(TRect(w.Left + r.Left, w.Top + r.Top, w.Left + r.Right, w.Top + r.Bottom));
    }
    TRect WorkArea() { return MainSkin->GetMDIWorkArea(); }
    static TRect BoundsOf(TCustomForm* F) {
        return TRect(F->GetLeft(), F->GetTop(), F->GetLeft() + F->GetWidth(), F->GetTop() + F->GetHeight());
    }
    void ExpectPlainMainForm() {
        EXPECT_FALSE(MainSkin->IsMDIChildMaximized());
        EXPECT_FALSE(Bar->GetMDIButtons());
        EXPECT_TRUE(Bar->Buttons().empty());
        EXPECT_EQ(MainSkin->CaptionText(), "Main");
    }

    TForm* Main = nullptr;
    TskSkinForm* MainSkin = nullptr;
    TskSkinData* Data = nullptr;
    TskSkinMainMenu* Menu = nullptr;
    TMenuItem* WindowItem = nullptr;
    TskSkinMainMenuBar* Bar = nullptr;
    std::vector<std::string> Log;
    std::vector<std::string> Errors;
};

TEST_F(SkinMDI, TheClientWindowIsBorderlessPaintedFromTheSkinAndFillsTheWorkArea) {
    HWND client = Main->GetClientHandle();
    RECT inner;
    GetClientRect(client, &inner);
    const TRect outer = ScreenRectOf(client);
    EXPECT_EQ(RectWidth(outer), inner.right) << "no border of its own";
    EXPECT_EQ(RectHeight(outer), inner.bottom);
    EXPECT_EQ(SendMessageA(client, WM_NCACTIVATE, 0, 0), 1);
    EXPECT_EQ(WorkArea(), TRect(0, Bar->GetHeight(), Main->GetClientWidth(), Main->GetClientHeight()));
    const TPoint origin = Main->ClientToScreen(TPoint(0, 0));
    EXPECT_EQ(outer, MovedRectBy(WorkArea(), origin));
    auto erased = [&] {
        TBitmap b(40, 40, pf24bit);
        SendMessageA(client, WM_ERASEBKGND, reinterpret_cast<WPARAM>(b.GetCanvas()->GetHandle()), 0);
        return PixelOf(&b, 20, 20);
    };
    EXPECT_EQ(erased(), Rgb(testskins::kClient)) << "the skin's client part, tiled";
    const TPoint inside = Main->ClientToScreen(TPoint(100, 100));
    auto shot = ScreenShot(Main->GetHandle());
    const TRect frame = ScreenRectOf(Main->GetHandle());
    EXPECT_EQ(PixelOf(shot.get(), inside.X - frame.Left, inside.Y - frame.Top), Rgb(testskins::kClient));
    MainSkin->SetSkinData(nullptr);
    Pump();
    EXPECT_EQ(erased(), GetSysColor(COLOR_APPWORKSPACE) & 0xFFFFFF) << "without a skin, the plain MDI background";
}

TEST_F(SkinMDI, TheWorkAreaIsWhatTheAlignedControlsLeave) {
    auto panel = [&](TAlign Align, int Size) {
        auto* p = new TPanel(Main);
        p->SetParent(Main);
        p->SetAlign(Align);
        p->SetWidth(Size);
        p->SetHeight(Size);
    };
    panel(alLeft, 40);
    panel(alRight, 30);
    panel(alBottom, 20);
    Pump();
    const TRect area = WorkArea();
    EXPECT_EQ(area, TRect(40, Bar->GetHeight(), Main->GetClientWidth() - 30, Main->GetClientHeight() - 20));
    const TPoint origin = Main->ClientToScreen(TPoint(0, 0));
    EXPECT_EQ(ScreenRectOf(Main->GetClientHandle()), MovedRectBy(area, origin));
}

TEST_F(SkinMDI, TheWindowMenuListsTheShownChildrenAfterOneDivider) {
    TForm* a = NewChild("ChildA", "Alpha");
    TForm* b = NewChild("ChildB", "Beta", 40, 40);
    EXPECT_EQ(WindowMenu(), (std::vector<std::string>{"=&Tile", "DIVIDER_DSFCHILDITEM=-", "ChildA_DSFCHILDITEM=Alpha",
                                                      "ChildB_DSFCHILDITEM=Beta*"}));
    a->SetCaption("Alpha 2");
    a->Show();
    Pump();
    EXPECT_EQ(WindowMenu(), (std::vector<std::string>{"=&Tile", "DIVIDER_DSFCHILDITEM=-",
                                                      "ChildA_DSFCHILDITEM=Alpha 2*", "ChildB_DSFCHILDITEM=Beta"}));
    b->SetVisible(false);
    Pump();
    EXPECT_EQ(WindowMenu(),
              (std::vector<std::string>{"=&Tile", "DIVIDER_DSFCHILDITEM=-", "ChildA_DSFCHILDITEM=Alpha 2*"}));
    // Hiding and showing the only child shown: one divider, however often.
    for (int i = 0; i < 2; ++i) {
        a->SetVisible(false);
        Pump();
        EXPECT_EQ(WindowMenu(), (std::vector<std::string>{"=&Tile"}));
        a->SetVisible(true);
        Pump();
    }
    EXPECT_EQ(WindowMenu(),
              (std::vector<std::string>{"=&Tile", "DIVIDER_DSFCHILDITEM=-", "ChildA_DSFCHILDITEM=Alpha 2*"}));
    delete a;
    Pump();
    EXPECT_EQ(WindowMenu(), (std::vector<std::string>{"=&Tile"})) << "a child deleted while shown loses its item";
    // Children without a name, or of one name, each have an item.
    TForm* n1 = NewChild(nullptr, "First");
    TForm* n2 = NewChild(nullptr, "Second", 30, 30);
    EXPECT_EQ(WindowMenu(), (std::vector<std::string>{"=&Tile", "DIVIDER_DSFCHILDITEM=-", "_DSFCHILDITEM=First",
                                                      "_DSFCHILDITEM=Second*"}));
    delete n1;
    Pump();
    EXPECT_EQ(WindowMenu(), (std::vector<std::string>{"=&Tile", "DIVIDER_DSFCHILDITEM=-", "_DSFCHILDITEM=Second*"}));
    delete n2;
    b->Show();
    Pump();
    EXPECT_EQ(WindowMenu(), (std::vector<std::string>{"=&Tile", "DIVIDER_DSFCHILDITEM=-", "ChildB_DSFCHILDITEM=Beta*"}));
    WindowItem->Clear();
    delete b;
    Pump();
    EXPECT_EQ(WindowItem->GetCount(), 0) << "items deleted with the menu are forgotten";
}

TEST_F(SkinMDI, ChoosingAChildInTheWindowMenuRestoresAndActivatesIt) {
    TForm* a = NewChild("ChildA", "Alpha");
    TForm* b = NewChild("ChildB", "Beta", 40, 40);
    Frame(a)->SetWindowState(wsMinimized);
    Pump();
    ASSERT_EQ(Main->GetActiveMDIChild(), b);
    ASSERT_TRUE(ActivateMain());
    ClickAt(BarItemCentre(1));
    ASSERT_EQ(MainSkin->GetSkinMenu()->GetCount(), 1);
    ASSERT_EQ(Level(0)->ItemList.size(), 4u);
    EXPECT_EQ(Level(0)->ItemList[2]->MenuItem->GetCaption(), "Alpha");
    ClickAt(RowCentre(0, 2));
    EXPECT_EQ(MainSkin->GetSkinMenu()->GetCount(), 0);
    EXPECT_EQ(Frame(a)->GetWindowState(), wsNormal);
    EXPECT_EQ(Main->GetActiveMDIChild(), a);
    EXPECT_EQ(WindowMenu().back(), "ChildB_DSFCHILDITEM=Beta");
    EXPECT_EQ(WindowMenu()[2], "ChildA_DSFCHILDITEM=Alpha*");
}

TEST_F(SkinMDI, AMaximizedChildHandsItsCaptionAndButtonsToTheMainForm) {
    TForm* a = NewChild("ChildA", "Alpha", 30, 30);
    NewChild("ChildB", "Beta", 60, 60);
    a->Show();
    Pump();
    const TRect normal = BoundsOf(a);
    ASSERT_TRUE(ActivateMain());
    ClickAt(ObjectCentre(a, "maxbutton"));
    ASSERT_EQ(Frame(a)->GetWindowState(), wsMaximized);
    EXPECT_EQ(BoundsOf(a), TRect(0, 0, RectWidth(WorkArea()), RectHeight(WorkArea())));
    EXPECT_EQ(a->GetClientWidth(), a->GetWidth()) << "no frame while maximized";
    EXPECT_EQ(a->GetClientHeight(), a->GetHeight());
    // Nothing of it can be taken for a caption or a border to drag or size.
    for (TPoint p : {TPoint(2, 2), TPoint(a->GetWidth() / 2, 10), TPoint(a->GetWidth() - 2, a->GetHeight() - 2)})
        EXPECT_EQ(testskins::HitTestAt(a, p.X, p.Y), HTCLIENT) << p.X << "," << p.Y;
    EXPECT_TRUE(MainSkin->IsMDIChildMaximized());
    EXPECT_EQ(MainSkin->CaptionText(), "Main - [Alpha]");
    ASSERT_EQ(Bar->Buttons().size(), 4u);
    const TStdCommand order[] = {cmSysMenu, cmClose, cmMaximize, cmMinimize};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(Bar->Buttons()[i].Command, order[i]);
        EXPECT_TRUE(Bar->Buttons()[i].Enabled);
    }
    EXPECT_LT(Bar->Buttons()[0].ObjectRect.Right, Bar->Items()[0].ObjectRect.Left) << "the system menu leads the bar";
    EXPECT_GT(Bar->Buttons()[3].ObjectRect.Left, Bar->Items().back().ObjectRect.Right);
    CaptureWindow(Main->GetHandle())->SaveToFile(ExeDir() + "mdi-maximized-child.bmp");
    a->SetCaption("Alpha 2");
    Pump();
    EXPECT_EQ(MainSkin->CaptionText(), "Main - [Alpha 2]");
    // The main form grows: the maximized child with it.
    Main->SetBounds(40, 40, 700, 500);
    Pump();
    EXPECT_EQ(BoundsOf(a), TRect(0, 0, RectWidth(WorkArea()), RectHeight(WorkArea())));
    // The bar's restore button.
    ClickAt(ButtonCentre(cmMaximize));
    EXPECT_EQ(Frame(a)->GetWindowState(), wsNormal);
    EXPECT_EQ(BoundsOf(a), normal);
    EXPECT_LT(a->GetClientWidth(), a->GetWidth()) << "the frame is back";
    ExpectPlainMainForm();
    // A double click on the caption maximizes; the bar's minimize parks the child.
    DoubleClickAt(ObjectCentre(a, "caption"));
    ASSERT_EQ(Frame(a)->GetWindowState(), wsMaximized);
    ClickAt(ButtonCentre(cmMinimize));
    EXPECT_EQ(Frame(a)->GetWindowState(), wsMinimized);
    EXPECT_EQ(BoundsOf(a).Left, 0);
    EXPECT_EQ(BoundsOf(a).Bottom, RectHeight(WorkArea())) << "parked at the bottom left";
    ExpectPlainMainForm();
    // Maximized again, then closed from the bar: hidden, and the main form is plain again.
    Frame(a)->SetWindowState(wsMaximized);
    Pump();
    ASSERT_TRUE(Bar->GetMDIButtons());
    ClickAt(ButtonCentre(cmClose));
    EXPECT_FALSE(a->GetVisible());
    ExpectPlainMainForm();
    EXPECT_EQ(WindowMenu().size(), 3u);
}

TEST_F(SkinMDI, TheBarsButtonsFollowTheMaximizedChildsBorderIcons) {
    TForm* a = NewChild("ChildA", "Alpha");
    Frame(a)->SetBorderIcons(TskBorderIcons{TskBorderIcon::biMaximize, TskBorderIcon::biRollUp});
    Frame(a)->SetWindowState(wsMaximized);
    Pump();
    ASSERT_EQ(Bar->Buttons().size(), 4u);
    EXPECT_FALSE(Bar->Buttons()[0].Enabled) << "system menu";
    EXPECT_TRUE(Bar->Buttons()[1].Enabled) << "close";
    EXPECT_TRUE(Bar->Buttons()[2].Enabled) << "restore";
    EXPECT_FALSE(Bar->Buttons()[3].Enabled) << "minimize";
    ASSERT_TRUE(ActivateMain());
    ClickAt(ButtonCentre(cmMinimize));
    EXPECT_EQ(Frame(a)->GetWindowState(), wsMaximized) << "a disabled button does nothing";
    // Another child, with every icon, maximized and active: its icons count.
    TForm* b = NewChild("ChildB", "Beta", 40, 40);
    Frame(b)->SetWindowState(wsMaximized);
    Pump();
    EXPECT_EQ(Main->GetActiveMDIChild(), b);
    for (const TskMenuBarButton& button : Bar->Buttons()) EXPECT_TRUE(button.Enabled);
    EXPECT_EQ(MainSkin->CaptionText(), "Main - [Beta]");
    // Restoring one leaves the other's look on the main form.
    Frame(b)->SetWindowState(wsNormal);
    Pump();
    EXPECT_TRUE(Bar->GetMDIButtons());
    EXPECT_EQ(MainSkin->CaptionText(), "Main - [Alpha]");
    EXPECT_FALSE(Bar->Buttons()[3].Enabled);
}

TEST_F(SkinMDI, TheBarsSystemMenuButtonOpensTheChildsSystemMenuAndItsDoubleClickCloses) {
    TForm* a = NewChild("ChildA", "Alpha");
    Frame(a)->SetWindowState(wsMaximized);
    Pump();
    ASSERT_TRUE(ActivateMain());
    ClickAt(ButtonCentre(cmSysMenu));
    ASSERT_EQ(MainSkin->GetSkinMenu()->GetCount(), 1);
    std::vector<std::string> rows;
    for (auto& row : Level(0)->ItemList) rows.push_back(row->MenuItem->GetCaption().c_str());
    EXPECT_EQ(rows, (std::vector<std::string>{"Mi&nimize", "&Restore", "-", "&Close"}))
        << "a maximized MDI child cannot roll up";
    EXPECT_EQ(ShortCutToText(Level(0)->ItemList.back()->MenuItem->GetShortCut()), "Ctrl+F4");
    EXPECT_TRUE(Bar->Buttons()[0].Down) << "down while its menu is open";
    PressKey(VK_ESCAPE);
    EXPECT_EQ(MainSkin->GetSkinMenu()->GetCount(), 0);
    EXPECT_FALSE(Bar->Buttons()[0].Down);
    // Choosing "Restore" from it; clicked a few pixels off the first click, or the two make
    // a double click.
    ClickAt(Offset(ButtonCentre(cmSysMenu), -5, -5));
    ASSERT_EQ(MainSkin->GetSkinMenu()->GetCount(), 1);
    ClickAt(RowCentre(0, 1));
    EXPECT_EQ(Frame(a)->GetWindowState(), wsNormal);
    ExpectPlainMainForm();
    Frame(a)->SetWindowState(wsMaximized);
    Pump();
    DoubleClickAt(ButtonCentre(cmSysMenu));
    Pump();
    EXPECT_FALSE(a->GetVisible()) << "a double click on the system menu closes the child";
    EXPECT_EQ(MainSkin->GetSkinMenu()->GetCount(), 0);
    ExpectPlainMainForm();
}

TEST_F(SkinMDI, AnMDIChildsSystemMenuClosesWithCtrlF4AndHasNoRollUpWhileMaximized) {
    TForm* a = NewChild("ChildA", "Alpha");
    auto names = [&] {
        std::vector<std::string> list;
        TMenuItem* items = Frame(a)->GetSystemMenu()->GetItems();
        for (int i = 0; i < items->GetCount(); ++i) list.push_back(items->GetItem(i)->GetName().c_str());
        return list;
    };
    EXPECT_EQ(names(), (std::vector<std::string>{"DSF_MINITEM", "DSF_MAXITEM", "DSF_ROLLUP", "", "DSF_CLOSE"}));
    TMenuItem* items = Frame(a)->GetSystemMenu()->GetItems();
    EXPECT_EQ(ShortCutToText(items->GetItem(items->GetCount() - 1)->GetShortCut()), "Ctrl+F4");
    Frame(a)->SetWindowState(wsMaximized);
    Pump();
    EXPECT_EQ(names(), (std::vector<std::string>{"DSF_MINITEM", "DSF_RESTORE", "", "DSF_CLOSE"}));
    // The main form itself closes with Alt+F4.
    items = MainSkin->GetSystemMenu()->GetItems();
    EXPECT_EQ(ShortCutToText(items->GetItem(items->GetCount() - 1)->GetShortCut()), "Alt+F4");
    // And Ctrl+F4 closes the active child indeed.
    Frame(a)->SetWindowState(wsNormal);
    ASSERT_TRUE(ActivateMain());
    PressCtrlKey(VK_F4);
    EXPECT_FALSE(a->GetVisible());
}

TEST_F(SkinMDI, AnMDIChildsTrayMenuClosesWithCtrlF4) {
    // The component comes before the child's style, as with a form read from its resource.
    auto* a = new TForm(nullptr);
    a->SetName("ChildA");
    auto* frame = new TskSkinForm(a);
    a->SetFormStyle(fsMDIChild);
    a->SetBounds(10, 10, 220, 160);
    frame->SetSkinData(Data);
    a->Show();
    auto* icon = new TskTrayIcon(a);
    frame->SetTrayIcon(icon);
    Pump();
    // The right button on the icon, as the shell reports it.
    SetCursorPos(300, 300);
    PostMessageA(icon->GetHandle(), TskTrayIcon::CallbackMessage, 1, WM_RBUTTONDOWN);
    ASSERT_TRUE(PumpUntil([&] { return frame->GetSkinMenu()->GetCount() == 1; })) << "the tray menu";
    TMenuItem* close = frame->GetSkinMenu()->GetLevel(0)->ItemList.back()->MenuItem;
    EXPECT_EQ(close->GetName(), "TRAY_DSF_CLOSE");
    EXPECT_EQ(ShortCutToText(close->GetShortCut()), "Ctrl+F4") << "as the child's system menu";
    frame->GetSkinMenu()->CloseMenu(0);
    Pump();
    // The main form's closes with Alt+F4.
    auto* mainIcon = new TskTrayIcon(Main);
    MainSkin->SetTrayIcon(mainIcon);
    PostMessageA(mainIcon->GetHandle(), TskTrayIcon::CallbackMessage, 1, WM_RBUTTONDOWN);
    ASSERT_TRUE(PumpUntil([&] { return MainSkin->GetSkinMenu()->GetCount() == 1; }));
    close = MainSkin->GetSkinMenu()->GetLevel(0)->ItemList.back()->MenuItem;
    EXPECT_EQ(ShortCutToText(close->GetShortCut()), "Alt+F4");
}

TEST_F(SkinMDI, ClosingAMaximizedOrRolledUpChildLeavesTheMainFormPlain) {
    TForm* a = NewChild("ChildA", "Alpha");
    bool destroyed = false;
    a->OnClose = TCloseEvent::FromCallable([](TObject*, TCloseAction& Action) { Action = caFree; });
    a->OnDestroy = TNotifyEvent::FromCallable([&](TObject*) { destroyed = true; });
    Frame(a)->SetWindowState(wsMaximized);
    Pump();
    ASSERT_TRUE(Bar->GetMDIButtons());
    ASSERT_TRUE(ActivateMain());
    PressCtrlKey(VK_F4);
    Pump();
    ASSERT_TRUE(destroyed);
    ExpectPlainMainForm();
    EXPECT_EQ(WindowMenu(), (std::vector<std::string>{"=&Tile"}));
    // Maximized and rolled up, then closed (hidden) and shown again.
    TForm* b = NewChild("ChildB", "Beta");
    Frame(b)->SetWindowState(wsMaximized);
    Frame(b)->SetRollUpState(true);
    Pump();
    ASSERT_TRUE(Frame(b)->GetRollUpState());
    ASSERT_TRUE(MainSkin->IsMDIChildMaximized());
    b->Close();
    Pump();
    ExpectPlainMainForm();
    b->Show();
    Pump();
    EXPECT_TRUE(Bar->GetMDIButtons()) << "shown again, still maximized";
    EXPECT_EQ(MainSkin->CaptionText(), "Main - [Beta]");
    // Its window gone with the child still there: the child is normal and unlisted again.
    b->DestroyHandle();
    Pump();
    ExpectPlainMainForm();
    EXPECT_EQ(Frame(b)->GetWindowState(), wsNormal);
    EXPECT_EQ(WindowMenu(), (std::vector<std::string>{"=&Tile"}));
    delete b;
}

// A child closed while the user holds a button of its frame or drags it by its caption.
TForm* gClosing = nullptr;
void CALLBACK CloseDuringDrag(HWND, UINT, UINT_PTR Timer, DWORD) {
    KillTimer(nullptr, Timer);
    if (gClosing) gClosing->Close();
    gClosing = nullptr;
}

// Counts the forms whose freeing the component that owns it hears of.
struct TFormsGone : TComponent {
    using TComponent::TComponent;
    int Count = 0;
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation == opRemove && dynamic_cast<TCustomForm*>(AComponent)) ++Count;
    }
};

TEST_F(SkinMDI, AChildShownAndHiddenAgainLeavesTheMainFormNoLinkToIt) {
    TForm* child = NewChild("Child", "Child");
    for (int i = 0; i < 2; ++i) {
        child->SetVisible(false);
        child->SetVisible(true);
    }
    child->SetVisible(false);
    Pump();
    auto* heard = new TFormsGone(MainSkin);
    delete child;
    EXPECT_EQ(heard->Count, 0);
}

TEST_F(SkinMDI, ClosingAChildWhileItIsPressedOrDraggedIsSafe) {
    TForm* a = NewChild("ChildA", "Alpha", 20, 20);
    ASSERT_TRUE(ActivateMain());
    const TPoint onMin = ObjectCentre(a, "minbutton");
    PointerDown(onMin);
    ASSERT_NE(Frame(a)->GetMouseDownObject(), -1);
    a->Close();
    Pump();
    EXPECT_EQ(Frame(a)->GetMouseDownObject(), -1);
    EXPECT_NE(GetCapture(), a->GetHandle());
    PointerUp(onMin);
    a->Show();
    Pump();
    EXPECT_EQ(Frame(a)->GetWindowState(), wsNormal) << "the release did not reach the hidden button";
    // Dragged by the caption, and deleted while the system moves it.
    bool destroyed = false;
    a->OnClose = TCloseEvent::FromCallable([](TObject*, TCloseAction& Action) { Action = caFree; });
    a->OnDestroy = TNotifyEvent::FromCallable([&](TObject*) { destroyed = true; });
    gClosing = a;
    DragPointer(ObjectCentre(a, "caption"), 40, 30, [] { SetTimer(nullptr, 0, 30, &CloseDuringDrag); });
    for (int i = 0; i < 100 && !destroyed; ++i) Pump();
    EXPECT_TRUE(destroyed);
    ExpectPlainMainForm();
    EXPECT_EQ(Main->GetMDIChildCount(), 0);
}

TEST_F(SkinMDI, DeletingAChildFromItsOwnMenuCommandIsSafe) {
    TForm* a = NewChild("ChildA", "Alpha");
    bool destroyed = false;
    a->OnDestroy = TNotifyEvent::FromCallable([&](TObject*) { destroyed = true; });
    auto* own = new TPopupMenu(a);
    auto* drop = new TMenuItem(a);
    drop->SetCaption("&Drop");
    drop->OnClick = TNotifyEvent::FromCallable([a](TObject*) { delete a; });
    own->GetItems()->Add(drop);
    Frame(a)->SetSystemMenu(own);
    ASSERT_TRUE(ActivateMain());
    ClickAt(ObjectCentre(a, "caption"), true);
    TskSkinMenu* chain = Frame(a)->GetSkinMenu();
    ASSERT_EQ(chain->GetCount(), 1);
    int row = -1;
    for (std::size_t i = 0; i < chain->GetLevel(0)->ItemList.size(); ++i)
        if (chain->GetLevel(0)->ItemList[i]->MenuItem == drop) row = static_cast<int>(i);
    ASSERT_NE(row, -1);
    const TRect w = ScreenRectOf(chain->GetLevel(0)->GetHandle());
    ClickAt(Centre(MovedRectBy(chain->GetLevel(0)->ItemList[static_cast<std::size_t>(row)]->ObjectRect,
                               TPoint(w.Left, w.Top))));
    Pump();
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(Main->GetMDIChildCount(), 0);
    EXPECT_EQ(WindowMenu(), (std::vector<std::string>{"=&Tile"}));
    // From the main form's menu: its command deletes the active child, chosen by keys.
    TForm* b = NewChild("ChildB", "Beta");
    auto* closer = new TMenuItem(Main);
    closer->SetCaption("&Close active");
    closer->OnClick = TNotifyEvent::FromCallable([this](TObject*) { delete Main->GetActiveMDIChild(); });
    WindowItem->Insert(0, closer);
    Frame(b)->SetWindowState(wsMaximized);
    Pump();
    ClickAt(BarItemCentre(1));
    ASSERT_EQ(MainSkin->GetSkinMenu()->GetCount(), 1);
    ASSERT_EQ(Level(0)->ItemList[0]->MenuItem, closer);
    ClickAt(RowCentre(0, 0));
    Pump();
    EXPECT_EQ(Main->GetMDIChildCount(), 0);
    ExpectPlainMainForm();
}

TEST_F(SkinMDI, KeysOfAChildDriveTheMainFormsOpenMenu) {
    TForm* a = NewChild("ChildA", "Alpha");
    AddLoggedItem(Main, WindowItem, "&Cascade", Log);
    ASSERT_TRUE(ActivateMain());
    ClickAt(BarItemCentre(1));
    ASSERT_EQ(MainSkin->GetSkinMenu()->GetCount(), 1);
    EXPECT_EQ(Main->GetActiveMDIChild(), a);
    PressKey(VK_DOWN);
    const int first = Level(0)->ActiveItem;
    // The child's own message hook comes on top of the main form's: the key still goes
    // to the main form's menu.
    Frame(a)->SkinMenuOpen();
    PressKey(VK_DOWN);
    EXPECT_NE(Level(0)->ActiveItem, first);
    EXPECT_EQ(MainSkin->GetSkinMenu()->GetCount(), 1);
    Frame(a)->SkinMenuClose();
    PressKey(VK_ESCAPE);
    EXPECT_EQ(MainSkin->GetSkinMenu()->GetCount(), 0);
}

TEST_F(SkinMDI, AClickOnTheMainFormClosesTheActiveChildsMenu) {
    TForm* a = NewChild("ChildA", "Alpha");
    ASSERT_TRUE(ActivateMain());
    Frame(a)->TrackSystemMenu(300, 200);
    ASSERT_EQ(Frame(a)->GetSkinMenu()->GetCount(), 1);
    // What closes menus reaches the main form's window, whose frame hands it to the active
    // child's.
    SendMessageA(Main->GetHandle(), WM_CANCELMODE, 0, 0);
    Pump();
    EXPECT_EQ(Frame(a)->GetSkinMenu()->GetCount(), 0);
    // And the user's click on the main form's frame.
    Frame(a)->TrackSystemMenu(300, 200);
    ASSERT_EQ(Frame(a)->GetSkinMenu()->GetCount(), 1);
    const TRect main = ScreenRectOf(Main->GetHandle());
    ClickAt(TPoint(main.Left + 10, main.Top + 12));
    EXPECT_EQ(Frame(a)->GetSkinMenu()->GetCount(), 0);
    EXPECT_FALSE(Frame(a)->GetSkinMenuOpen());
}

TEST_F(SkinMDI, AMagneticChildDocksToTheWorkAreasEdges) {
    TForm* a = NewChild("ChildA", "Alpha", 60, 60);
    Frame(a)->SetMagnetic(true);
    ASSERT_TRUE(ActivateMain());
    // Dragged by its caption to 4 pixels from the work area's left and top edges.
    DragPointer(ObjectCentre(a, "caption"), -56, -56);
    Pump();
    EXPECT_EQ(a->GetLeft(), 0);
    EXPECT_EQ(a->GetTop(), 0);
    DragPointer(ObjectCentre(a, "caption"), 30, 40);
    Pump();
    EXPECT_EQ(a->GetLeft(), 30) << "farther than the docking distance: stays where dropped";
    EXPECT_EQ(a->GetTop(), 40);
}

TEST_F(SkinMDI, TheFrameKeepsToTheNonMDIStyles) {
    MainSkin->SetFormStyle(fsMDIChild);
    EXPECT_EQ(Main->GetFormStyle(), fsMDIForm) << "the MDI styles are the form's own business";
    EXPECT_NE(Main->GetClientHandle(), nullptr);
}

TEST_F(SkinMDI, TileCascadeAndMinimizedSlots) {
    std::vector<TForm*> children;
    for (const char* name : {"ChildA", "ChildB", "ChildC"})
        children.push_back(NewChild(name, name, 20 * static_cast<int>(children.size()), 10));
    const std::vector<TCustomForm*> order = Main->GetMDIChildList();
    const TRect area = WorkArea();
    Frame(order[1])->SetWindowState(wsMaximized);
    MainSkin->Tile();
    Pump();
    EXPECT_EQ(Frame(order[1])->GetWindowState(), wsNormal) << "children are restored first";
    const std::vector<TRect> tiles = TileRects(3, RectWidth(area), RectHeight(area));
    for (std::size_t i = 0; i < order.size(); ++i) EXPECT_EQ(BoundsOf(order[i]), tiles[i]) << i;
    MainSkin->Cascade();
    Pump();
    const int step = MainSkin->NewClRect.Top;
    ASSERT_EQ(step, 24);
    const TSize size = CascadeSize(3, RectWidth(area), RectHeight(area), step);
    for (std::size_t i = 0; i < order.size(); ++i)
        EXPECT_EQ(BoundsOf(order[i]), TRect(step * static_cast<int>(2 - i), step * static_cast<int>(2 - i),
                                            step * static_cast<int>(2 - i) + size.cx,
                                            step * static_cast<int>(2 - i) + size.cy))
            << i;
    // Minimized children park in a row from the bottom left.
    MainSkin->MinimizeAll();
    Pump();
    const int w = Frame(order[0])->GetMinWidth(), h = Frame(order[0])->GetMinHeight();
    std::vector<TPoint> parked;
    for (TCustomForm* c : order) parked.push_back(TPoint(c->GetLeft(), c->GetTop()));
    const int bottom = RectHeight(area) - h;
    EXPECT_EQ(parked, (std::vector<TPoint>{TPoint(0, bottom), TPoint(w, bottom), TPoint(2 * w, bottom)}));
    // A narrower work area: the rows refit when the client window is sized.
    Main->SetWidth(2 * w + 30);
    Pump();
    int upper = 0;
    for (TCustomForm* c : children) {
        EXPECT_LE(c->GetLeft() + c->GetWidth(), RectWidth(WorkArea()));
        if (c->GetTop() < RectHeight(WorkArea()) - h) ++upper;
    }
    EXPECT_EQ(upper, 1) << "the third goes to the row above";
    MainSkin->RestoreAll();
    Pump();
    for (TCustomForm* c : children) EXPECT_EQ(Frame(c)->GetWindowState(), wsNormal);
    MainSkin->CloseAll();
    Pump();
    for (TCustomForm* c : children) EXPECT_FALSE(c->GetVisible());
}

TEST_F(SkinMDI, CascadeWithASkinWhoseClientStartsAtTheTopStepsByThePlainCaption) {
    std::vector<TForm*> children;
    for (const char* name : {"ChildA", "ChildB", "ChildC"}) children.push_back(NewChild(name, name));
    auto* flat = new TskSkinData(Main);
    testskins::Build(flat);
    flat->ClRect.Top = 0;
    MainSkin->SetSkinData(flat);
    Pump();
    ASSERT_EQ(MainSkin->NewClRect.Top, 0);
    MainSkin->Cascade();
    Pump();
    const int step = MainSkin->GetDefCaptionHeight() + 3;
    const std::vector<TCustomForm*> order = Main->GetMDIChildList();
    for (std::size_t i = 0; i < order.size(); ++i)
        EXPECT_EQ(order[i]->GetLeft(), step * static_cast<int>(order.size() - 1 - i)) << i;
}

TEST_F(SkinMDI, TwoHundredChildrenTileAndCascade) {
    for (int i = 0; i < 200; ++i) NewChild(nullptr, ("Child " + std::to_string(i)).c_str(), i % 50, i % 40, false);
    ASSERT_EQ(Main->GetMDIChildCount(), 200);
    const TRect area = WorkArea();
    MainSkin->Tile();
    Pump();
    const std::vector<TCustomForm*> order = Main->GetMDIChildList();
    const std::vector<TRect> tiles = TileRects(200, RectWidth(area), RectHeight(area));
    for (std::size_t i = 0; i < order.size(); ++i) {
        EXPECT_EQ(order[i]->GetLeft(), tiles[i].Left) << i;
        EXPECT_EQ(order[i]->GetTop(), tiles[i].Top) << i;
    }
    MainSkin->Cascade();
    Pump();
    for (TCustomForm* c : Main->GetMDIChildList()) {
        EXPECT_GE(c->GetLeft(), 0);
        EXPECT_LE(c->GetLeft() + c->GetWidth(), std::max(RectWidth(area), Frame(c)->GetMinWidth()));
    }
    EXPECT_EQ(WindowItem->GetCount(), 202);
}

TEST_F(SkinMDI, SkinsWithoutTheMDIRecordsGiveThePlainLookAndSkinsWithThemTheirs) {
    TForm* a = NewChild("ChildA", "Alpha");
    Frame(a)->SetWindowState(wsMaximized);
    PointerTo(Main->ClientToScreen(TPoint(300, 300)));
    ASSERT_EQ(Bar->Buttons().size(), 4u);
    for (const TskMenuBarButton& b : Bar->Buttons()) EXPECT_FALSE(b.HasSkin);
    auto barShot = [&] { return CaptureWindow(Bar->GetHandle()); };
    auto shot = barShot();
    const TRect close = Bar->Buttons()[1].ObjectRect;
    EXPECT_EQ(PixelOf(shot.get(), close.Left + 1, close.Top + 1), Rgb(clBtnFace));
    int ink = 0;
    for (int y = close.Top; y < close.Bottom; ++y)
        for (int x = close.Left; x < close.Right; ++x) ink += PixelOf(shot.get(), x, y) == Rgb(clBtnText);
    EXPECT_GT(ink, 8) << "the plain close glyph";
    // A skin whose bar record names skinned buttons.
    constexpr TColor kBarButton = 0x30A030;
    auto* skinned = new TskSkinData(Main);
    testskins::Build(skinned);
    auto bar = std::make_unique<TskDataSkinMainMenuBar>("mainmenubar");
    bar->PictureIndex = 0;
    bar->SkinRect = TRect(0, 0, 48, 16);
    bar->ItemsRect = TRect(0, 0, 48, 16);
    bar->CloseButton = "barclose";
    bar->MaxButton = "barmax";
    bar->MinButton = "barmin";
    bar->SysMenuButton = "barsys";
    skinned->CtrlList.push_back(std::move(bar));
    testskins::Fill(skinned->ActivePictures[0].get(), TRect(32, 0, 48, 16), kBarButton);
    const std::pair<const char*, TStdCommand> buttons[] = {
        {"barclose", cmClose}, {"barmax", cmMaximize}, {"barmin", cmMinimize}, {"barsys", cmSysMenu}};
    for (const auto& [name, command] : buttons) {
        auto r = std::make_unique<TskDataSkinMainMenuBarButton>(name);
        r->Command = command;
        r->SkinRect = TRect(32, 0, 48, 16);
        r->ActiveSkinRect = TRect(0, 0, 16, 16);
        r->DownRect = TRect(16, 0, 32, 16);
        r->ActivePictureIndex = 0;
        skinned->ObjectList.push_back(std::move(r));
    }
    Bar->SetSkinData(skinned);
    Pump();
    ASSERT_EQ(Bar->Buttons().size(), 4u);
    for (const TskMenuBarButton& b : Bar->Buttons()) EXPECT_TRUE(b.HasSkin);
    shot = barShot();
    const TRect skinnedClose = Bar->Buttons()[1].ObjectRect;
    EXPECT_EQ(RectWidth(skinnedClose), 16);
    EXPECT_EQ(PixelOf(shot.get(), skinnedClose.Left + 8, skinnedClose.Top + 8), Rgb(kBarButton));
}

} // namespace

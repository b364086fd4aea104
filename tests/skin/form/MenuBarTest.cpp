// The skinned main menu bar on a skinned form: layout and overflow, opening by click and
// by hover while open, keyboard menu mode through SC_KEYMENU and real keys, and drop-downs
// opened and closed by the user's own clicks and keys. Freed memory is poisoned here: the
// bar lays its items out afresh on every paint.
#include "skin/form/SkinForm.h"
#include "tests/skin/form/FormTestSkins.h"
#include "tests/skin/form/MenuTestSupport.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/UserInput.h"

#include "classlib/Paths.h"
#include "classlib/Persistence.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr TColor kBarEnd = 0x202080, kBarMiddle = 0x80C0C0, kItem = 0xC08040, kItemHover = 0x40C040;

COLORREF Rgb(TColor C) {
    return static_cast<COLORREF>(ColorToRGB(C)) & 0xFFFFFF;
}

// A menu-bar record over a 120 x 20 bar picture with 2-px ends, and an item record whose
// normal and active looks are solid, with 4-px ends of their own.
void BuildBarSkin(TskSkinData* S, bool Morphing = false) {
    using testskins::Fill;
    S->ClearAll();
    auto p = testskins::Solid(160, 40, kBarEnd);
    Fill(p.get(), TRect(2, 0, 118, 20), kBarMiddle);
    Fill(p.get(), TRect(0, 20, 48, 40), kItem);
    Fill(p.get(), TRect(48, 20, 96, 40), kItemHover);
    S->ActivePictures.push_back(std::move(p));
    auto bar = std::make_unique<TskDataSkinMainMenuBar>("mainmenubar");
    bar->PictureIndex = 0;
    bar->SkinRect = TRect(0, 0, 120, 20);
    bar->ItemsRect = TRect(2, 0, 118, 20);
    bar->MenuBarItem = "menubaritem";
    bar->TrackMarkColor = 0x0000C0;
    bar->TrackMarkActiveColor = 0x00C000;
    S->CtrlList.push_back(std::move(bar));
    auto item = std::make_unique<TskDataSkinMainMenuBarItem>("menubaritem");
    item->ActivePictureIndex = 0;
    item->SkinRect = TRect(0, 20, 48, 40);
    item->ActiveSkinRect = TRect(48, 20, 96, 40);
    item->TextRect = TRect(6, 0, 42, 20);
    item->ItemLeftOffset = item->ItemRightOffset = 4;
    item->Morphing = Morphing;
    S->ObjectList.push_back(std::move(item));
    S->Empty = false;
}

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
        // Not on the bar, wherever the test before left the pointer.
        PointerTo(OnClientArea());
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
    // The pointer really at X, Y of the bar, and the bar told at once: the class library looks
    // at the pointer every 50 ms and would put out a light that only a message had lit.
    void HoverAt(int X, int Y) {
        PointerTo(Bar->ClientToScreen(TPoint(X, Y)));
        SendMessageA(Bar->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(X, Y));
    }
    TPoint ItemCentre(int Index) {
        const TRect r = Bar->Items()[static_cast<std::size_t>(Index)].ObjectRect;
        return Bar->ClientToScreen(TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    }
    // The screen as it shows now (the drop-downs included) within R.
    static void SaveScreen(const TRect& R, const char* Name) {
        TBitmap shot(RectWidth(R), RectHeight(R), pf24bit);
        HDC screen = GetDC(nullptr);
        BitBlt(shot.GetCanvas()->GetHandle(), 0, 0, RectWidth(R), RectHeight(R), screen, R.Left, R.Top, SRCCOPY);
        ReleaseDC(nullptr, screen);
        shot.SaveToFile(ExeDir() + Name);
    }
    TPoint OnClientArea() { return Form->ClientToScreen(TPoint(150, 120)); }
    TRect LevelRect(int Index) {
        RECT r;
        GetWindowRect(Skin->GetSkinMenu()->GetLevel(Index)->GetHandle(), &r);
        return TRect(r.left, r.top, r.right, r.bottom);
    }
    // Every pixel of Shot, row by row.
    static std::vector<COLORREF> PixelsOf(TBitmap* Shot) {
        std::vector<COLORREF> pixels;
        for (int y = 0; y < Shot->GetHeight(); ++y)
            for (int x = 0; x < Shot->GetWidth(); ++x) pixels.push_back(PixelOf(Shot, x, y));
        return pixels;
    }
    // The bar's pixels as it paints itself now.
    std::vector<COLORREF> BarPixels() { return PixelsOf(CaptureWindow(Bar->GetHandle()).get()); }

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
    Menu->GetItems()->GetItem(0)->SetName("MNU_Pages");
    Bar->OnMainMenuItemClick =
        TMainMenuItemClick::FromCallable([&](const AnsiString& IDName) { Log.push_back("bar " + IDName); });
    const TRect first = Bar->Items()[0].ObjectRect;
    SendMessageA(Bar->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(first.Left + 3, 5));
    Pump();
    ASSERT_EQ(Levels(), 1);
    EXPECT_TRUE(Bar->Items()[0].Down);
    RECT level;
    GetWindowRect(Skin->GetSkinMenu()->GetLevel(0)->GetHandle(), &level);
    EXPECT_EQ(level.top, Bar->ClientToScreen(TPoint(0, first.Bottom)).Y);
    const TRect second = Bar->Items()[1].ObjectRect;
    HoverAt(second.Left + 3, 5);
    Pump();
    ASSERT_EQ(Levels(), 1);
    EXPECT_TRUE(Bar->Items()[1].Down);
    EXPECT_FALSE(Bar->Items()[0].Down);
    Key(VK_RETURN);
    EXPECT_EQ(Levels(), 0);
    EXPECT_EQ(Log, (std::vector<std::string>{"bar MNU_Pages", "Pages", "Segments", "Segments one"}))
        << "the bar reports the press, then each item's own click runs as its menu opens";
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

TEST_F(SkinMenuBar, SkinnedBarTilesItsPictureAndOverflowsIntoAMenu) {
    auto* data = new TskSkinData(Form);
    BuildBarSkin(data);
    Bar->SetSkinData(data);
    Pump();
    ASSERT_TRUE(Bar->GetSkinned());
    EXPECT_EQ(Bar->GetHeight(), 20);
    Bar->SetHeight(40);
    EXPECT_EQ(Bar->GetHeight(), 20) << "a skinned bar keeps its skin's height";
    const auto& items = Bar->Items();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].ObjectRect.Left, 2);
    EXPECT_EQ(RectHeight(items[0].ObjectRect), 20);
    EXPECT_EQ(Bar->ItemsArea(), TRect(2, 0, Bar->GetWidth() - 2, 20));
    const TRect second = items[1].ObjectRect;
    HoverAt(second.Left + 3, 5);
    Pump();
    auto shot = PaintToBitmap(Bar);
    CaptureWindow(Form->GetHandle())->SaveToFile(ExeDir() + "skinmenubar_skinned.bmp");
    EXPECT_EQ(PixelOf(shot.get(), 0, 10), Rgb(kBarEnd));
    EXPECT_EQ(PixelOf(shot.get(), Bar->GetWidth() - 10, 10), Rgb(kBarMiddle));
    EXPECT_EQ(PixelOf(shot.get(), Bar->GetWidth() - 1, 10), Rgb(kBarEnd));
    EXPECT_EQ(PixelOf(shot.get(), items[0].ObjectRect.Left + 1, 2), Rgb(kItem));
    EXPECT_EQ(PixelOf(shot.get(), second.Left + 1, 2), Rgb(kItemHover));

    // Too narrow: the items that do not fit leave the bar and the marker lists them.
    Form->SetWidth(120);
    Pump();
    EXPECT_TRUE(Bar->GetScrollMarker());
    int hidden = 0;
    for (const auto& item : Bar->Items()) hidden += item.InBar ? 0 : 1;
    ASSERT_GT(hidden, 0);
    CaptureWindow(Form->GetHandle())->SaveToFile(ExeDir() + "skinmenubar_overflow.bmp");
    const TRect marker = Bar->ScrollMarkerRect();
    EXPECT_EQ(marker, TRect(Bar->GetWidth() - 7, 0, Bar->GetWidth() - 2, 20));
    HoverAt(marker.Left + 2, 10);
    Pump();
    EXPECT_EQ(PixelOf(PaintToBitmap(Bar).get(), marker.Left + 2, 10), Rgb(0x00C000)) << "the marker lights";
    SendMessageA(Bar->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(marker.Left + 2, 10));
    Pump();
    ASSERT_EQ(Levels(), 1);
    EXPECT_EQ(static_cast<int>(Skin->GetSkinMenu()->GetLevel(0)->ItemList.size()), hidden);
    CaptureWindow(Skin->GetSkinMenu()->GetLevel(0)->GetHandle())->SaveToFile(ExeDir() + "skinmenubar_overflow_menu.bmp");
    Key(VK_ESCAPE);
    EXPECT_EQ(Levels(), 0);

    // A record of another kind under the bar's name leaves the plain look.
    data->CtrlList.clear();
    data->CtrlList.push_back(std::make_unique<TskDataSkinControl>("mainmenubar"));
    Bar->ChangeSkinData();
    EXPECT_FALSE(Bar->GetSkinned());
    EXPECT_EQ(Bar->GetHeight(), 22);
}

TEST_F(SkinMenuBar, MenusWithoutItemsOnlyDividersOrManyItemsAreSafe) {
    Menu->GetItems()->Clear();
    Pump();
    EXPECT_TRUE(Bar->Items().empty());
    for (int i = 0; i < 500; ++i) Add(Menu->GetItems(), i % 2 ? "-" : "Item &");
    Bar->Invalidate();
    Pump();
    EXPECT_EQ(Bar->Items().size(), 500u);
    EXPECT_TRUE(Bar->GetScrollMarker());
    const TRect marker = Bar->ScrollMarkerRect();
    SendMessageA(Bar->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(marker.Left + 2, 10));
    Pump();
    EXPECT_EQ(Levels(), 1);
}

TEST_F(SkinMenuBar, HoverLightGoesOutOffTheItemsAndOffTheBar) {
    const std::vector<COLORREF> plain = BarPixels();
    auto moveTo = [&](int X) {
        HoverAt(X, 5);
        Pump();
    };
    moveTo(Bar->Items()[0].ObjectRect.Left + 3);
    EXPECT_EQ(Bar->GetActiveItem(), 0);
    moveTo(Bar->GetWidth() - 20);
    EXPECT_EQ(Bar->GetActiveItem(), -1) << "the bar's empty end lights nothing";

    // The pointer jumps off the window without the bar hearing of it: the class library's
    // look at the pointer tells the bar that it left, and the light goes out.
    moveTo(Bar->Items()[1].ObjectRect.Left + 3);
    const TPoint away = Form->ClientToScreen(TPoint(Form->GetWidth() + 100, Form->GetHeight() + 100));
    PointerTo(away);
    CheckMouseControl();
    EXPECT_EQ(Bar->GetActiveItem(), -1);
    Pump();
    EXPECT_TRUE(BarPixels() == plain);

    // The keys' selection stays lit wherever the pointer goes.
    moveTo(Bar->Items()[1].ObjectRect.Left + 3);
    SendMessageA(Form->GetHandle(), WM_SYSCOMMAND, SC_KEYMENU, 0);
    SetCursorPos(away.X, away.Y);
    CheckMouseControl();
    EXPECT_EQ(GetMouseControl(), nullptr);
    EXPECT_EQ(Bar->GetActiveItem(), 0);
    Key(VK_ESCAPE);
    EXPECT_EQ(Bar->GetActiveItem(), -1);
}

TEST_F(SkinMenuBar, AWindowOverTheBarPutsTheHoverOutAndOpensNoOtherMenu) {
    // The bar as it paints itself, under whatever covers it on the screen.
    auto painted = [&] { return PixelsOf(PaintToBitmap(Bar).get()); };
    const std::vector<COLORREF> plain = painted();
    // A window of another kind over the bar's second item, as one that comes up there, not
    // taking the activation (which would close an open menu).
    auto cover = [&] {
        const TRect item = Bar->Items()[1].ObjectRect;
        const TPoint at = Bar->ClientToScreen(TPoint(item.Left, 0));
        HWND wnd = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, "BUTTON", "",
                                   WS_POPUP, at.X, at.Y, RectWidth(item), Bar->GetHeight(), nullptr,
                                   nullptr, nullptr, nullptr);
        ShowWindow(wnd, SW_SHOWNOACTIVATE);
        return wnd;
    };

    HoverAt(Bar->Items()[1].ObjectRect.Left + 3, 5);
    Pump();
    ASSERT_EQ(Bar->GetActiveItem(), 1);
    HWND window = cover();
    ASSERT_NE(window, nullptr);
    CheckMouseControl();
    EXPECT_EQ(Bar->GetActiveItem(), -1);
    Pump();
    EXPECT_TRUE(painted() == plain) << "no item lit under the window";
    DestroyWindow(window);

    // With the first item's menu open, the pointer goes onto the window over the second.
    testskins::Activate(Skin, Form);
    ClickAt(ItemCentre(0));
    ASSERT_EQ(Levels(), 1);
    window = cover();
    PointerTo(ItemCentre(1));
    EXPECT_FALSE(PumpUntil([&] { return Levels() != 1 || !Bar->Items()[0].Down; }, 300))
        << "the open menu changed: " << Levels() << " levels, the second item "
        << (Bar->Items()[1].Down ? "open" : "closed");
    DestroyWindow(window);
}

TEST_F(SkinMenuBar, SkinnedItemsMorphTickByTick) {
    auto* data = new TskSkinData(Form);
    BuildBarSkin(data, true);
    Bar->SetSkinData(data);
    Pump();
    const TRect first = Bar->Items()[0].ObjectRect;
    HoverAt(first.Left + 3, 5);
    EXPECT_TRUE(Bar->GetMorphTimer()->GetEnabled());
    Bar->GetMorphTimer()->SetEnabled(false); // the ticks are stepped here, none on its own
    Pump();
    for (int i = 0; i < 5; ++i) Bar->TestMorph(nullptr);
    EXPECT_NEAR(Bar->Items()[0].MorphKf, 0.5, 1e-9);
    const COLORREF half = PixelOf(PaintToBitmap(Bar).get(), first.Left + 1, 2);
    EXPECT_NE(half, Rgb(kItem));
    EXPECT_NE(half, Rgb(kItemHover));
    for (int i = 0; i < 5; ++i) Bar->TestMorph(nullptr);
    EXPECT_EQ(Bar->Items()[0].MorphKf, 1.0);
    Bar->GetMorphTimer()->SetEnabled(true);
    Bar->TestMorph(nullptr);
    EXPECT_FALSE(Bar->GetMorphTimer()->GetEnabled()) << "the timer stops once nothing morphs";
    EXPECT_EQ(PixelOf(PaintToBitmap(Bar).get(), first.Left + 1, 2), Rgb(kItemHover));
}

TEST_F(SkinMenuBar, RealClicksOpenEachDropDownUnderItsItem) {
    ASSERT_TRUE(testskins::Activate(Skin, Form)) << "the form could not be activated";
    RECT wa;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &wa, 0);
    // Once in the middle of the screen, once with the last item near the work area's right
    // edge, where its drop-down moves left to stay on the screen.
    for (const int left : {100, static_cast<int>(wa.right) - 200}) {
        Form->SetBounds(left, 100, 300, 200);
        Pump();
        for (int i = 0; i < 3; ++i) {
            ClickAt(ItemCentre(i));
            ASSERT_EQ(Levels(), 1) << "item " << i;
            if (left == 100 && i == 1) SaveScreen(TRect(100, 100, 400, 300), "skinmenubar_real_clicks.bmp");
            const TRect item = Bar->Items()[static_cast<std::size_t>(i)].ObjectRect;
            const TPoint bottomLeft = Bar->ClientToScreen(TPoint(item.Left, item.Bottom));
            const TRect level = LevelRect(0);
            EXPECT_EQ(level.Top, bottomLeft.Y) << "item " << i;
            EXPECT_EQ(level.Left, std::min<int>(bottomLeft.X, wa.right - RectWidth(level))) << "item " << i;
            // A second click on the open item closes its menu.
            ClickAt(ItemCentre(i));
            EXPECT_EQ(Levels(), 0) << "item " << i;
        }
    }
}

TEST_F(SkinMenuBar, NoHighlightStaysAfterEscAClickElsewhereOrACommand) {
    ASSERT_TRUE(testskins::Activate(Skin, Form)) << "the form could not be activated";
    PointerTo(OnClientArea());
    const std::vector<COLORREF> plain = BarPixels();

    // Esc closes the drop-down and leaves its item selected for the keys; a second Esc
    // leaves the menu.
    ClickAt(ItemCentre(1));
    ASSERT_EQ(Levels(), 1);
    EXPECT_TRUE(Skin->GetMainMenuActive());
    PointerTo(OnClientArea());
    PressKey(VK_ESCAPE);
    EXPECT_EQ(Levels(), 0);
    EXPECT_TRUE(Skin->GetMainMenuActive());
    EXPECT_EQ(Bar->GetActiveItem(), 1);
    PressKey(VK_ESCAPE);
    EXPECT_FALSE(Skin->GetMainMenuActive());
    EXPECT_EQ(Bar->GetActiveItem(), -1);
    EXPECT_TRUE(BarPixels() == plain) << "after Esc";

    // A click on the form's client area.
    ClickAt(ItemCentre(0));
    ASSERT_EQ(Levels(), 1);
    ClickAt(OnClientArea());
    EXPECT_EQ(Levels(), 0);
    EXPECT_FALSE(Skin->GetMainMenuActive());
    EXPECT_TRUE(BarPixels() == plain) << "after a click elsewhere";

    // A command chosen with the pointer.
    ClickAt(ItemCentre(2));
    ASSERT_EQ(Levels(), 1);
    TskSkinPopupWindow* level = Skin->GetSkinMenu()->GetLevel(0);
    const TRect row = level->ItemList[0]->ObjectRect;
    ClickAt(level->ClientToScreen(TPoint((row.Left + row.Right) / 2, (row.Top + row.Bottom) / 2)));
    EXPECT_EQ(Levels(), 0);
    EXPECT_EQ(Log.back(), "Help one");
    PointerTo(OnClientArea());
    EXPECT_FALSE(Skin->GetMainMenuActive());
    EXPECT_TRUE(BarPixels() == plain) << "after a command";
}

TEST_F(SkinMenuBar, DefaultSizeIsPublishedAndKeptWithoutASkin) {
    const TPublishedClass& published = GetPublished(TskSkinMainMenuBar::StaticClass());
    ASSERT_NE(published.FindProperty("DefaultWidth"), nullptr);
    ASSERT_NE(published.FindProperty("DefaultHeight"), nullptr);
    EXPECT_EQ(published.FindProperty("DefaultHeight")->GetDefaultOrd(), 22);
    published.FindProperty("DefaultHeight")->SetOrdValue(Bar, 30);
    EXPECT_EQ(Bar->GetHeight(), 30);
    Bar->SetDefaultWidth(0);
    EXPECT_EQ(Bar->GetWidth(), Form->GetClientWidth()) << "below 1 the size stays";
    // A skin without a bar record keeps the default height; one with a record wins.
    auto* data = new TskSkinData(Form);
    BuildBarSkin(data);
    data->CtrlList.clear();
    Bar->SetSkinData(data);
    Pump();
    EXPECT_EQ(Bar->GetHeight(), 30);
    BuildBarSkin(data);
    Bar->ChangeSkinData();
    EXPECT_EQ(Bar->GetHeight(), 20);
    Bar->SetDefaultHeight(40);
    EXPECT_EQ(Bar->GetHeight(), 20);
}

} // namespace

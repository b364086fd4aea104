// The skinned menu button with a real skinned popup menu: the person's pointer and keys
// open it, the menu closing raises the button; the drop-down part of track-button mode,
// the looks on a flat-colour fixture skin and without one, form resources, and the sheet
// of every look (menubuttons-skinned.bmp, menubuttons-default.bmp) for people to look at.
#include "skin/controls/SkinCtrls_ImageButtons.h"
#include "skin/controls/SkinCtrls_MenuButtons.h"
#include "skin/controls/SkinCtrls_SpeedButtons.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinMenus.h"

#include "classlib/FormLoader.h"

#include "tests/skin/controls/DemoPictures.h"
#include "tests/skin/controls/SkinFixture.h"
#include "tests/skin/form/MenuTestSupport.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace {

const TColor kNormal = clRed, kActive = clLime, kDown = clBlue, kDownPart = clYellow,
             kDisabled = clGray;
const COLORREF kLitFill = RGB(182, 189, 210), kDownFill = RGB(133, 147, 181);

TRect ScreenRect(HWND Wnd) {
    RECT r;
    GetWindowRect(Wnd, &r);
    return TRect(r.left, r.top, r.right, r.bottom);
}

class MenuButtons : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        SkinForm = new TskSkinForm(Form);
        Form->SetBounds(100, 100, 320, 240);
        Menu = new TskSkinPopupMenu(Form);
        Menu->SetName("PM_Tools");
        AddLoggedItem(Form, Menu->GetItems(), "&Open", Log);
        AddLoggedItem(Form, Menu->GetItems(), "&Save", Log);
        // Normal, active, down (its drop-down part yellow) and disabled, 60 x 20 each; the
        // skin stretches in width only, so the drop-down part moves with the right edge.
        const int pic = Skin.AddPicture(240, 20);
        Skin.Fill(pic, TRect(0, 0, 60, 20), kNormal);
        Skin.Fill(pic, TRect(60, 0, 120, 20), kActive);
        Skin.Fill(pic, TRect(120, 0, 165, 20), kDown);
        Skin.Fill(pic, TRect(165, 0, 180, 20), kDownPart);
        Skin.Fill(pic, TRect(180, 0, 240, 20), kDisabled);
        Record = Skin.Add<TskDataSkinMenuButtonControl>("toolmenubutton");
        Record->PictureIndex = pic;
        Record->SkinRect = TRect(0, 0, 60, 20);
        Record->LTPoint = TPoint(2, 2);
        Record->RTPoint = TPoint(45, 2);
        Record->ClRect = TRect(2, 2, 45, 18);
        Record->ActiveSkinRect = TRect(60, 0, 120, 20);
        Record->DownSkinRect = TRect(120, 0, 180, 20);
        Record->DisabledSkinRect = TRect(180, 0, 240, 20);
        Record->TrackButtonRect = TRect(45, 0, 60, 20);
        PointerTo(TPoint(1279, 1023));
        Pump();
    }
    void TearDown() override {
        SkinForm->GetSkinMenu()->CloseMenu(0);
        ShownFormTest::TearDown();
    }

    TskSkinMenuButton* Button(bool Skinned = true, TPopupMenu* With = nullptr) {
        auto* button = Add<TskSkinMenuButton>(Form, 20, 20, 100, 20);
        button->SetCaption("Tools");
        button->SetSkinPopupMenu(With ? With : Menu);
        if (Skinned) button->SetSkinData(Skin.Data.get());
        button->OnClick = TNotifyEvent::FromCallable([this](TObject*) { Log.push_back("click"); });
        button->OnShowTrackMenu =
            TNotifyEvent::FromCallable([this](TObject*) { Log.push_back("show"); });
        button->OnHideTrackMenu =
            TNotifyEvent::FromCallable([this](TObject*) { Log.push_back("hide"); });
        return button;
    }
    int Levels() { return SkinForm->GetSkinMenu()->GetCount(); }
    TRect LevelRect() { return ScreenRect(SkinForm->GetSkinMenu()->GetLevel(0)->GetHandle()); }
    TPoint ItemCentre(int Index) {
        TskSkinPopupWindow* level = SkinForm->GetSkinMenu()->GetLevel(0);
        const TRect r = level->ItemList[static_cast<std::size_t>(Index)]->ObjectRect;
        return level->ClientToScreen(TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    }
    // The button as it paints itself: each column of row Y (above the caption and the focus
    // frame, at row 1).
    static std::vector<COLORREF> Row(TWinControl* Control, int Y) {
        auto picture = PaintToBitmap(Control);
        std::vector<COLORREF> row;
        for (int x = 0; x < picture->GetWidth(); ++x)
            row.push_back(PixelOf(picture.get(), x, Y));
        return row;
    }
    // The row a skinned button of Width shows in a look: Body, with the last 15 pixels Part.
    static std::vector<COLORREF> Expected(int Width, TColor Body, TColor Part) {
        std::vector<COLORREF> row(static_cast<std::size_t>(Width), static_cast<COLORREF>(Body));
        for (int x = Width - 15; x < Width; ++x)
            row[static_cast<std::size_t>(x)] = static_cast<COLORREF>(Part);
        return row;
    }

    TskSkinForm* SkinForm = nullptr;
    TskSkinPopupMenu* Menu = nullptr;
    TFixtureSkin Skin;
    TskDataSkinMenuButtonControl* Record = nullptr;
    std::vector<std::string> Log;
};

TEST_F(MenuButtons, APressOpensTheMenuBelowTheButtonAndOnlyItsClosingRaisesIt) {
    TskSkinMenuButton* button = Button();
    const TRect screen = ScreenRect(button->GetHandle());
    PointerDown(TPoint(screen.Left + 10, screen.Top + 10));
    ASSERT_TRUE(PumpUntil([&] { return Levels() == 1; })) << "the menu opens on the press";
    EXPECT_TRUE(button->GetDown());
    EXPECT_TRUE(button->IsMenuTracking());
    EXPECT_EQ(LevelRect().Left, screen.Left);
    EXPECT_EQ(LevelRect().Top, screen.Bottom);
    Release();
    EXPECT_TRUE(button->GetDown()) << "the release is the menu's";
    EXPECT_EQ(Log, std::vector<std::string>{"show"});

    // Escape closes the menu; the button hears it and goes up, with no click.
    KeyDown(VK_ESCAPE);
    KeyUp(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return Levels() == 0; }));
    EXPECT_FALSE(button->GetDown());
    EXPECT_FALSE(button->IsMenuTracking());
    EXPECT_EQ(Log, (std::vector<std::string>{"show", "hide"}));

    // An item chosen with the pointer runs once the menu has gone and the button is up.
    Log.clear();
    ClickAt(TPoint(screen.Left + 10, screen.Top + 10));
    ASSERT_TRUE(PumpUntil([&] { return Levels() == 1; }));
    ClickAt(ItemCentre(1));
    ASSERT_TRUE(PumpUntil([&] { return Levels() == 0; }));
    EXPECT_EQ(Log, (std::vector<std::string>{"show", "hide", "Save"}));
    EXPECT_FALSE(button->GetDown());
}

TEST_F(MenuButtons, SpaceOpensTheMenuAndNoSpaceReleaseClicksOrRaisesItWhileItIsOpen) {
    TskSkinMenuButton* button = Button();
    ASSERT_TRUE(TakeFocus(button));
    KeyDown(VK_SPACE);
    ASSERT_TRUE(PumpUntil([&] { return Levels() == 1; }));
    KeyUp(VK_SPACE);
    EXPECT_TRUE(button->GetDown());
    EXPECT_TRUE(button->IsMenuTracking());
    // A second Space released while the menu is open is the menu's too.
    PostMessageA(button->GetHandle(), WM_KEYUP, VK_SPACE, 0xC0000001);
    Pump();
    EXPECT_TRUE(button->GetDown());
    EXPECT_EQ(Log, std::vector<std::string>{"show"});
    KeyDown(VK_ESCAPE);
    KeyUp(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return Levels() == 0; }));
    EXPECT_FALSE(button->GetDown());
    EXPECT_EQ(Log, (std::vector<std::string>{"show", "hide"}));

    // Space opens nothing in track-button mode: the button clicks on the key's release.
    Log.clear();
    button->SetTrackButtonMode(true);
    KeyDown(VK_SPACE);
    EXPECT_TRUE(button->GetDown());
    KeyUp(VK_SPACE);
    EXPECT_EQ(Levels(), 0);
    EXPECT_FALSE(button->GetDown());
    EXPECT_EQ(Log, std::vector<std::string>{"click"});
}

TEST_F(MenuButtons, ItsAcceleratorTakesTheFocusAndOpensTheMenu) {
    TskSkinMenuButton* button = Button();
    button->SetCaption("&Tools");
    auto* other = Add<TskSkinButton>(Form, 20, 60, 75, 25);
    ASSERT_TRUE(TakeFocus(other));
    KeyDown('T');
    KeyUp('T');
    ASSERT_TRUE(PumpUntil([&] { return Levels() == 1; }));
    EXPECT_TRUE(button->Focused());
    EXPECT_TRUE(button->GetDown());
    KeyDown(VK_ESCAPE);
    KeyUp(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return Levels() == 0; }));
    EXPECT_FALSE(button->GetDown());
    EXPECT_EQ(Log, (std::vector<std::string>{"show", "hide"}));
}

TEST_F(MenuButtons, ReturnClicksOnceOnItsKeyDown) {
    TskSkinMenuButton* button = Button();
    ASSERT_TRUE(TakeFocus(button));
    KeyDown(VK_RETURN);
    EXPECT_EQ(Log, std::vector<std::string>{"click"});
    KeyUp(VK_RETURN);
    EXPECT_EQ(Log, std::vector<std::string>{"click"});
    EXPECT_EQ(Levels(), 0);
    EXPECT_FALSE(button->GetDown());
}

TEST_F(MenuButtons, AMenuThatShowsNothingLeavesTheButtonUpAtOnce) {
    // A popup menu of no skinned form opens nothing.
    TskSkinPopupMenu orphan(nullptr);
    AddLoggedItem(Form, orphan.GetItems(), "Lost", Log);
    TskSkinMenuButton* button = Button(true, &orphan);
    MouseDown(button, 10, 10);
    EXPECT_FALSE(button->GetDown());
    EXPECT_FALSE(button->IsMenuTracking());
    MouseUp(button, 10, 10);
    EXPECT_TRUE(Log.empty()) << "the press meant for the menu is no click";
    ASSERT_TRUE(TakeFocus(button));
    KeyDown(VK_SPACE);
    EXPECT_FALSE(button->GetDown());
    KeyUp(VK_SPACE);
    EXPECT_FALSE(button->GetDown());
    EXPECT_TRUE(Log.empty());
    // The next press decides anew: a plain click once the menu is gone.
    button->SetSkinPopupMenu(nullptr);
    MouseDown(button, 10, 10);
    MouseUp(button, 10, 10);
    EXPECT_EQ(Log, std::vector<std::string>{"click"});
}

TEST_F(MenuButtons, TrackButtonModeOpensOnlyFromTheDropDownPartAndShowsItPressed) {
    TskSkinMenuButton* button = Button();
    button->SetTrackButtonMode(true);
    ASSERT_EQ(button->GetHeight(), 20) << "the skin keeps its height";
    MouseDown(button, 20, 10);
    EXPECT_EQ(Levels(), 0);
    EXPECT_EQ(Row(button, 1), Expected(100, kDown, kDownPart)) << "a plain press of the body";
    MouseUp(button, 20, 10);
    EXPECT_EQ(Log, std::vector<std::string>{"click"});

    Log.clear();
    MouseDown(button, 90, 10);
    ASSERT_EQ(Levels(), 1);
    EXPECT_TRUE(button->IsMenuTracking());
    // The whole button active, the drop-down part of the down picture over it.
    EXPECT_EQ(Row(button, 1), Expected(100, kActive, kDownPart));
    MouseUp(button, 90, 10);
    MouseAway(button);
    EXPECT_EQ(Row(button, 1), Expected(100, kActive, kDownPart)) << "while the menu is open";
    SkinForm->GetSkinMenu()->CloseMenu(0);
    EXPECT_FALSE(button->GetDown());
    EXPECT_EQ(Row(button, 1), Expected(100, kActive, kActive))
        << "up, and lit by the focus it took";
    EXPECT_EQ(Log, (std::vector<std::string>{"show", "hide"}));
}

TEST_F(MenuButtons, TheDropDownPartMovesWithTheEdgeTheSkinStretches) {
    TskSkinMenuButton* button = Button();
    button->SetTrackButtonMode(true);
    struct TCase {
        TPoint LB, RT;
        int Width, Height;
        TRect Part;
    };
    const TCase cases[] = {
        {{0, 0}, {45, 2}, 100, 20, {85, 0, 100, 20}}, // width only: moved right
        {{2, 18}, {0, 0}, 60, 50, {45, 30, 60, 50}},  // height only: moved down
        {{0, 0}, {0, 0}, 60, 20, {45, 0, 60, 20}},    // fixed: where the skin has it
    };
    for (const TCase& c : cases) {
        Record->LBPoint = c.LB;
        Record->RTPoint = c.RT;
        button->ChangeSkinData();
        button->SetBounds(20, 20, c.Width, c.Height);
        ASSERT_EQ(TPoint(button->GetWidth(), button->GetHeight()), TPoint(c.Width, c.Height));
        EXPECT_EQ(button->GetNewTrackButtonRect(), c.Part);
        EXPECT_TRUE(button->CanMenuTrack(c.Part.Left, c.Part.Top + 1));
        EXPECT_FALSE(button->CanMenuTrack(c.Part.Left - 1, c.Part.Top + 1));
    }
    // Without a skin the part is the rightmost 15 pixels; without a menu nothing opens one.
    button->SetSkinData(nullptr);
    button->SetBounds(20, 20, 100, 30);
    EXPECT_TRUE(button->CanMenuTrack(85, 29));
    EXPECT_FALSE(button->CanMenuTrack(84, 5));
    button->SetSkinPopupMenu(nullptr);
    EXPECT_FALSE(button->CanMenuTrack(90, 5));
}

TEST_F(MenuButtons, TheDefaultLookIsTwoBoxesInTrackButtonMode) {
    TskSkinMenuButton* button = Button(false);
    button->SetBounds(20, 20, 100, 25);
    button->SetTrackButtonMode(true);
    auto normal = PaintToBitmap(button);
    EXPECT_EQ(PixelOf(normal.get(), 0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOf(normal.get(), 84, 12), ColorToRGB(clBtnShadow)) << "the body's right edge";
    EXPECT_EQ(PixelOf(normal.get(), 85, 12), ColorToRGB(clBtnShadow)) << "the part's left edge";
    EXPECT_EQ(PixelOf(normal.get(), 90, 1), ColorToRGB(clBtnFace));

    MouseDown(button, 90, 12);
    ASSERT_TRUE(button->IsMenuTracking());
    auto tracked = PaintToBitmap(button);
    EXPECT_EQ(PixelOf(tracked.get(), 40, 1), kLitFill);
    EXPECT_EQ(PixelOf(tracked.get(), 90, 1), kDownFill);
    MouseUp(button, 90, 12);
    SkinForm->GetSkinMenu()->CloseMenu(0);

    // A held press of the body: both boxes pressed.
    MouseDown(button, 40, 12);
    auto pressed = PaintToBitmap(button);
    EXPECT_EQ(PixelOf(pressed.get(), 40, 1), kDownFill);
    EXPECT_EQ(PixelOf(pressed.get(), 90, 1), kDownFill);
    MouseUp(button, 40, 12);

    // Without track-button mode one box; the arrow is still drawn at the right.
    button->SetTrackButtonMode(false);
    MouseMove(button, 40, 12);
    auto lit = PaintToBitmap(button);
    EXPECT_EQ(PixelOf(lit.get(), 85, 1), kLitFill) << "no edge between body and part";
    int arrow = 0;
    for (int y = 0; y < 25; ++y)
        for (int x = 85; x < 100; ++x)
            if (PixelOf(lit.get(), x, y) == ColorToRGB(clBtnText)) ++arrow;
    EXPECT_EQ(arrow, 5 + 3 + 1);
}

TEST_F(MenuButtons, TheFocusFrameMarksTheBodyAndLeavesTheDropDownPartAndItsArrowAlone) {
    // Pixels of the lit look, the arrow and the frames; anything else is the dotted frame.
    auto dotted = [](TBitmap* Picture, const TRect& R, const std::vector<COLORREF>& Look) {
        int count = 0;
        for (int y = R.Top; y < R.Bottom; ++y)
            for (int x = R.Left; x < R.Right; ++x)
                if (std::find(Look.begin(), Look.end(), PixelOf(Picture, x, y)) == Look.end())
                    ++count;
        return count;
    };
    for (bool skinned : {true, false}) {
        // In track-button mode the part is a button of its own; as one button, the arrow at its
        // right would lie under the frame's right edge.
        for (bool track : {true, false}) {
            SCOPED_TRACE(std::string(skinned ? "skinned" : "default look") + (track ? ", track-button mode" : ""));
            TskSkinMenuButton* button = Button(skinned);
            button->SetBounds(20, 20, 100, 25);
            button->SetTrackButtonMode(track);
            ASSERT_TRUE(TakeFocus(button));
            auto focused = PaintToBitmap(button);
            const int h = button->GetHeight();
            const std::vector<COLORREF> look =
                skinned ? std::vector<COLORREF>{ColorToRGB(kActive)}
                        : std::vector<COLORREF>{kLitFill, ColorToRGB(clNavy), ColorToRGB(clBtnText)};
            EXPECT_GT(dotted(focused.get(), TRect(0, 0, 85, h), look), 20);
            EXPECT_EQ(dotted(focused.get(), TRect(85, 0, 100, h), look), 0);
            if (!skinned) {
                int arrow = 0;
                for (int y = 0; y < h; ++y)
                    for (int x = 85; x < 100; ++x)
                        if (PixelOf(focused.get(), x, y) == ColorToRGB(clBtnText)) ++arrow;
                EXPECT_EQ(arrow, 5 + 3 + 1) << "the arrow whole";
            }
            delete button;
        }
    }
}

TEST_F(MenuButtons, DamagedRecordsGiveAPlainLookAndNoError) {
    TskSkinMenuButton* button = Button();
    button->SetTrackButtonMode(true);
    // A drop-down part reaching outside the picture: the active look without it.
    Record->TrackButtonRect = TRect(45, 0, 600, 20);
    button->ChangeSkinData();
    MouseDown(button, 98, 10);
    ASSERT_TRUE(button->IsMenuTracking());
    EXPECT_EQ(Row(button, 1), Expected(100, kActive, kActive));
    MouseUp(button, 98, 10);
    SkinForm->GetSkinMenu()->CloseMenu(0);
    // A button record without a drop-down part, a picture index beyond the list.
    Skin.Data->CtrlList.clear();
    auto* plain = Skin.Add<TskDataSkinButtonControl>("toolmenubutton");
    plain->PictureIndex = 9;
    plain->SkinRect = TRect(0, 0, 60, 20);
    button->ChangeSkinData();
    MouseDown(button, 98, 10);
    PaintToBitmap(button);
    MouseUp(button, 98, 10);
    SkinForm->GetSkinMenu()->CloseMenu(0);
    EXPECT_TRUE(Errors.empty());
}

TEST_F(MenuButtons, TheMenuAndTheModeTravelThroughFormResourcesAndAFreedMenuIsLetGo) {
    TskSkinMenuButton* button = Button();
    button->SetName("MB_Tools");
    button->SetSkinData(nullptr);
    button->SetTrackButtonMode(true);
    const AnsiString text = WriteComponentText(Form);
    EXPECT_NE(text.find("SkinPopupMenu = PM_Tools"), AnsiString::npos) << text;
    TForm copy(nullptr);
    ReadComponentText(text, &copy);
    auto* read = dynamic_cast<TskSkinMenuButton*>(copy.FindComponent("MB_Tools"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->GetSkinPopupMenu(), copy.FindComponent("PM_Tools"));
    EXPECT_TRUE(read->GetTrackButtonMode());
    EXPECT_EQ(read->GetSkinDataName(), "toolmenubutton");
    delete Menu;
    Menu = nullptr;
    EXPECT_EQ(button->GetSkinPopupMenu(), nullptr);
}

// ---- The sheet of looks ------------------------------------------------------------------

// Every look of the menu buttons, the menu speed button and the image button, one control
// at a time on the form, each as the screen shows it, laid out in a row per control.
class MenuButtonsSheet : public MenuButtons {
protected:
    static constexpr int kCellWidth = 170, kCellHeight = 110;
    enum TLook { lkNormal, lkHot, lkPressed, lkDisabled, lkTracked };

    void BuildSheet(TskSkinData* Data, const char* FileName) {
        SkinForm->SetSkinData(Data);
        Form->SetBounds(100, 100, 320, 240);
        Form->SetColor(clBtnFace);
        Sheet.SetPixelFormat(pf24bit);
        Sheet.SetSize(5 * kCellWidth, 4 * kCellHeight);
        Sheet.GetCanvas()->GetBrush()->SetColor(clWhite);
        Sheet.GetCanvas()->FillRect(TRect(0, 0, Sheet.GetWidth(), Sheet.GetHeight()));
        for (int look = lkNormal; look <= lkTracked; ++look) {
            MenuButtonCell(0, look, Data);
            MenuButtonCell(1, look, Data);
            SpeedCell(look, Data);
            if (look != lkTracked) ImageCell(look, Data);
        }
        Sheet.SaveToFile(ExeDir() + FileName);
        EXPECT_TRUE(Errors.empty());
    }

private:
    // The screen's pixels of R (screen coordinates) into the sheet at row Row, column Look.
    void Take(const TRect& R, int Row, int Look) {
        RedrawWindow(Form->GetHandle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump();
        const int w = std::min(RectWidth(R), kCellWidth - 10);
        const int h = std::min(RectHeight(R), kCellHeight - 10);
        HDC screen = GetDC(nullptr);
        BitBlt(Sheet.GetCanvas()->GetHandle(), Look * kCellWidth + 5, Row * kCellHeight + 5, w, h,
               screen, R.Left, R.Top, SRCCOPY);
        ReleaseDC(nullptr, screen);
    }
    // The control's screen rectangle, grown by a margin of form.
    static TRect Around(TControl* Control) {
        const TPoint p =
            Control->GetParent()->ClientToScreen(TPoint(Control->GetLeft(), Control->GetTop()));
        return TRect(p.X - 4, p.Y - 4, p.X + Control->GetWidth() + 4,
                     p.Y + Control->GetHeight() + 4);
    }
    // A look of one control: Hover, Hold and Release drive it as the pointer would, Track
    // opens its menu.
    void Cell(int Row, int Look, TControl* Control, const std::function<void()>& Hover,
              const std::function<void()>& Hold, const std::function<void()>& Release,
              const std::function<void()>& Track) {
        if (Look == lkHot) Hover();
        if (Look == lkPressed) Hold();
        if (Look == lkDisabled) Control->SetEnabled(false);
        TRect r = Around(Control);
        if (Look == lkTracked) {
            Track();
            EXPECT_EQ(Levels(), 1);
            if (Levels() == 1) {
                r.Right = std::max(r.Right, LevelRect().Right + 4);
                r.Bottom = LevelRect().Bottom + 4;
            }
        }
        Take(r, Row, Look);
        if (Look == lkPressed) Release();
        SkinForm->GetSkinMenu()->CloseMenu(0);
        delete Control;
    }
    void MenuButtonCell(int Row, int Look, TskSkinData* Data) {
        auto* button = Add<TskSkinMenuButton>(Form, 20, 20, 100, 25);
        button->SetCaption("Tools");
        button->SetTrackButtonMode(Row == 1);
        button->SetSkinData(Data);
        // Only the tracked look has a menu: a held press of the others is a plain one.
        const int x = button->GetWidth() - 7;
        Cell(
            Row, Look, button, [=] { ::MouseMove(button, 20, 8); },
            [=] { ::MouseDown(button, 20, 8); }, [=] { ::MouseUp(button, 20, 8); },
            [=, this] {
                button->SetSkinPopupMenu(Menu);
                ::MouseDown(button, x, 8);
                ::MouseUp(button, x, 8);
            });
    }
    void SpeedCell(int Look, TskSkinData* Data) {
        auto* button = Add<TskSkinMenuSpeedButton>(Form, 20, 20, 90, 25);
        button->SetCaption("Pages");
        button->SetTrackButtonMode(true);
        button->SetSkinData(Data);
        const int x = 20 + button->GetWidth() - 5;
        Cell(
            2, Look, button, [this] { ::MouseMove(Form, 40, 28); },
            [this] { ::MouseDown(Form, 40, 28); }, [this] { ::MouseUp(Form, 40, 28); },
            [=, this] {
                button->SetSkinPopupMenu(Menu);
                ::MouseDown(Form, x, 28);
                ::MouseUp(Form, x, 28);
            });
    }
    void ImageCell(int Look, TskSkinData* Data) {
        auto* button = Add<TskSkinXFormButton>(Form, 20, 20, 70, 34);
        button->SetCaption("Go");
        GiveOvalLooks(button);
        button->SetSkinData(Data);
        if (Look == lkHot) ::MouseMove(button, 30, 15);
        if (Look == lkPressed) ::MouseDown(button, 30, 15);
        if (Look == lkDisabled) button->SetEnabled(false);
        Take(Around(button), 3, Look);
        if (Look == lkPressed) ::MouseUp(button, 30, 15);
        delete button;
    }
    TBitmap Sheet;
};

TEST_F(MenuButtonsSheet, WithTheProgramsSkin) {
    TskSkinData skin(nullptr);
    skin.LoadFromFile(VANTOREL_SKIN_INI);
    ASSERT_FALSE(skin.Empty);
    BuildSheet(&skin, "menubuttons-skinned.bmp");
    SkinForm->SetSkinData(nullptr);
}

TEST_F(MenuButtonsSheet, WithoutAnySkin) {
    BuildSheet(nullptr, "menubuttons-default.bmp");
}

} // namespace

// The skinned hint on real windows: placement and the pointer's margin as tables, the
// window's size and look with and without the skin's hint record, its region, software
// alpha, the application's hint class and events, and the frame objects' timed hints
// shown by the real pointer with their timers stepped by hand.
#include "skin/form/SkinForm.h"
#include "skin/form/SkinHint.h"
#include "tests/skin/form/FormTestSkins.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/UserInput.h"

#include "classlib/Panels.h"

#include <string>

namespace {

constexpr TColor kHintEdge = 0x804000, kHintClient = 0xC0FFFF, kUnder = 0xFF0000;
constexpr int kPictureWidth = 40, kPictureHeight = 24;
// The application's own pauses, long enough that no system timer fires during a test.
constexpr int kLongPause = 600000;

COLORREF Rgb(TColor C) {
    return static_cast<COLORREF>(ColorToRGB(C)) & 0xFFFFFF;
}

// The hint record: a 40 x 24 picture with a 4-pixel edge, its text in the middle; with
// Mask, the two top corners cut off (2 x 2).
void AddHintRecord(TskSkinData* S, bool Mask) {
    S->ActivePictures.push_back(testskins::Solid(kPictureWidth, kPictureHeight, kHintEdge));
    testskins::Fill(S->ActivePictures.back().get(), TRect(4, 4, 36, 20), kHintClient);
    TskDataSkinHintWindow* r = S->HintWindow.get();
    r->WindowPictureIndex = static_cast<int>(S->ActivePictures.size()) - 1;
    r->LTPoint = TPoint(8, 4);
    r->RTPoint = TPoint(32, 4);
    r->LBPoint = TPoint(8, 20);
    r->RBPoint = TPoint(32, 20);
    r->ClRect = TRect(4, 4, 36, 20);
    r->FontName = "Arial";
    r->FontHeight = 14;
    r->FontColor = 0x000000;
    if (!Mask) return;
    S->ActivePictures.push_back(testskins::Solid(kPictureWidth, kPictureHeight, 0));
    testskins::Fill(S->ActivePictures.back().get(), TRect(0, 0, 2, 2), 0xFFFFFF);
    testskins::Fill(S->ActivePictures.back().get(), TRect(38, 0, 40, 2), 0xFFFFFF);
    r->MaskPictureIndex = static_cast<int>(S->ActivePictures.size()) - 1;
}

TRect WindowRectOf(HWND Wnd) {
    RECT r;
    GetWindowRect(Wnd, &r);
    return TRect(r.left, r.top, r.right, r.bottom);
}

TRect WorkAreaAt(TPoint P) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoA(MonitorFromPoint(POINT{P.X, P.Y}, MONITOR_DEFAULTTONEAREST), &info);
    return TRect(info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom);
}

TEST(HintPlacement, FlipsLeftAndUpByTheSizeAndTwoAndStaysOnTheWorkArea) {
    struct Row {
        TPoint P;
        TRect WorkArea;
        TRect Expected;
    };
    const TRect screen(0, 0, 800, 600);
    const TRect right(800, 0, 1600, 600);
    const Row rows[] = {
        {{10, 10}, screen, {10, 10, 110, 40}},
        {{700, 10}, screen, {700, 10, 800, 40}},     // just fits
        {{701, 10}, screen, {599, 10, 699, 40}},     // one past: left of the point, 2 clear
        {{10, 571}, screen, {10, 539, 110, 569}},    // one past the bottom: above, 2 clear
        {{790, 590}, screen, {688, 558, 788, 588}},  // the corner: above and to the left
        {{-40, -5}, screen, {0, 0, 100, 30}},        // off the area: moved onto it
        {{50, 10}, right, {800, 10, 900, 40}},       // another monitor's area
        {{1590, 10}, right, {1488, 10, 1588, 40}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(PlaceHintRect(row.P, 100, 30, row.WorkArea), row.Expected)
            << row.P.X << "," << row.P.Y;
    }
}

// A 32 x 32 monochrome cursor whose image covers rows 0 to LastRow (in its AND plane, or
// only in its XOR plane when Inverted), hot spot at (0, HotY).
HCURSOR MakeCursor(int LastRow, int HotY, bool Inverted) {
    BYTE andPlane[32 * 4], xorPlane[32 * 4];
    std::fill(std::begin(andPlane), std::end(andPlane), BYTE(0xFF));
    std::fill(std::begin(xorPlane), std::end(xorPlane), BYTE(0));
    for (int row = 0; row <= LastRow; ++row) {
        if (Inverted)
            xorPlane[row * 4] = 0xF0;
        else
            andPlane[row * 4] = 0x0F;
    }
    return CreateCursor(GetModuleHandleA(nullptr), 0, HotY, 32, 32, andPlane, xorPlane);
}

TEST(HintPlacement, TheMarginBelowThePointerComesFromItsMask) {
    struct Row {
        int LastRow, HotY;
        bool Inverted;
    };
    const Row rows[] = {{19, 0, false}, {19, 5, false}, {31, 0, false}, {0, 0, false}, {12, 3, true}};
    for (const Row& row : rows) {
        HCURSOR cursor = MakeCursor(row.LastRow, row.HotY, row.Inverted);
        ASSERT_NE(cursor, nullptr);
        EXPECT_EQ(CursorHeightMargin(cursor), row.LastRow - row.HotY)
            << "last row " << row.LastRow << ", hot spot " << row.HotY << (row.Inverted ? ", inverted" : "");
        DestroyCursor(cursor);
    }
    EXPECT_EQ(CursorHeightMargin(nullptr), GetSystemMetrics(SM_CYCURSOR)) << "no cursor";
}

class SkinHint : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Application->SetMainForm(Form);
        Application->SetHintPause(kLongPause);
        Application->SetHintHidePause(kLongPause + 1);
        Form->SetBounds(100, 100, 400, 300);
        Form->SetColor(kUnder);
        Skin = new TskSkinData(Form);
        testskins::Build(Skin);
        AddHintRecord(Skin, false);
        Hint = new TskSkinHint(Form);
        Hint->SetSkinData(Skin);
        Pump();
    }
    void TearDown() override {
        Application->CancelHint();
        Application->SetHintPause(500);
        Application->SetHintHidePause(2500);
        Application->SetHintShortPause(50);
        Application->SetMainForm(nullptr);
        SetCursorPos(0, 0);
        ShownFormTest::TearDown();
        HintWindowClass = THintWindow::StaticClass();
    }
    HWND HintWnd() { return Hint->GetHintWindow()->GetHandle(); }
    std::unique_ptr<TBitmap> ShotOfHint() { return ScreenShot(HintWnd()); }
    // The window of a hint for S shown at P.
    TRect ShowAt(TPoint P, const AnsiString& S) {
        Hint->ActivateHint(P, S);
        Pump();
        return WindowRectOf(HintWnd());
    }
    TSize TextSize(const AnsiString& S, bool Skinned) {
        TBitmap canvas(1, 1);
        TFont* font = canvas.GetCanvas()->GetFont();
        font->Assign(Hint->GetDefaultFont());
        if (Skinned) {
            font->SetName("Arial");
            font->SetHeight(14);
        }
        TRect r(0, 0, 0, 0);
        canvas.GetCanvas()->TextRect(r, S, DT_CALCRECT | DT_CENTER | DT_NOPREFIX);
        return TSize(r.Right, r.Bottom);
    }

    TskSkinData* Skin = nullptr;
    TskSkinHint* Hint = nullptr;
};

TEST_F(SkinHint, TheComponentMakesTheApplicationShowSkinnedHints) {
    EXPECT_EQ(HintWindowClass, TskSkinHintWindow::StaticClass());
    EXPECT_EQ(Application->GetHintShortPause(), 100);
    EXPECT_EQ(FindHintComponent(), Hint);
    auto* panel = Add<TPanel>(Form, 10, 10, 100, 60);
    panel->SetHint("Close");
    panel->SetShowHint(true);
    auto* other = Add<TPanel>(Form, 150, 10, 100, 60);
    other->SetHint("Other");
    other->SetShowHint(true);
    std::vector<std::string> seen;
    Hint->OnShowHint = TShowHintEvent::FromCallable([&](AnsiString& S, bool& CanShow, THintInfo& Info) {
        seen.push_back(S);
        EXPECT_EQ(Info.HintControl, seen.size() == 1 ? static_cast<TControl*>(panel) : other);
        S = S + "!";
        CanShow = S != "Other!";
    });
    auto tick = [] {
        SendMessageA(Application->GetHintTimer()->GetWindowHandle(), WM_TIMER, 1, 0);
        Pump();
    };
    const TPoint at = panel->ClientToScreen({20, 20});
    SetCursorPos(at.X, at.Y);
    Pump();
    tick();
    ASSERT_TRUE(Application->GetHintShowing());
    THintWindow* window = Application->GetHintWindow();
    ASSERT_NE(dynamic_cast<TskSkinHintWindow*>(window), nullptr);
    char text[16] = {};
    GetWindowTextA(window->GetHandle(), text, sizeof(text));
    EXPECT_STREQ(text, "Close!") << "the component's OnShowHint changed it";
    EXPECT_TRUE(IsWindowVisible(window->GetHandle()));
    // Moving on from a shown hint, the next one comes after the short pause.
    const TPoint next = other->ClientToScreen({20, 20});
    SetCursorPos(next.X, next.Y);
    Pump();
    EXPECT_EQ(Application->GetHintTimer()->GetInterval(), 100u);
    tick();
    EXPECT_FALSE(Application->GetHintShowing()) << "refused by OnShowHint";
    EXPECT_EQ(seen, (std::vector<std::string>{"Close", "Other"}));
}

TEST_F(SkinHint, OneComponentIsActiveAndAGoneOneIsNoLongerCalled) {
    auto* second = new TskSkinHint(Form);
    EXPECT_EQ(Application->OnShowHint.Object(), second);
    second->SetActive(true);
    EXPECT_FALSE(Hint->GetActive());
    EXPECT_EQ(FindHintComponent(), second);
    Hint->SetActive(true);
    EXPECT_FALSE(second->GetActive());
    EXPECT_EQ(Application->OnShowHint.Object(), Hint);
    delete Hint;
    Hint = nullptr;
    EXPECT_FALSE(Application->OnShowHint) << "the application keeps no call into a freed component";
    EXPECT_EQ(FindHintComponent(), nullptr) << "the other one is inactive";
    // Without an active component the hint window shows nothing.
    TskSkinHintWindow window(nullptr);
    window.ActivateHint(TRect(10, 10, 10, 10), "Nothing");
    EXPECT_FALSE(window.HandleAllocated() && IsWindowVisible(window.GetHandle()));
    Hint = second;
}

TEST_F(SkinHint, SizedByTheTextAndTheSkinsMarginsAtLeastThePicture) {
    const TRect work = WorkAreaAt({200, 200});
    const TRect one = ShowAt({200, 200}, "Close");
    const TSize text = TextSize("Close", true);
    EXPECT_EQ(RectWidth(one), std::max(text.cx + 4 + 4, kPictureWidth));
    EXPECT_EQ(RectHeight(one), std::max(text.cy + 4 + 4, kPictureHeight));
    EXPECT_EQ(one.Left, 200);
    EXPECT_EQ(one.Top, 200);
    // A short text still gets the whole picture.
    const TRect tiny = ShowAt({200, 200}, ".");
    EXPECT_EQ(RectWidth(tiny), kPictureWidth);
    EXPECT_EQ(RectHeight(tiny), kPictureHeight);
    // A line break gives two lines.
    const TRect two = ShowAt({200, 200}, "Close\r\nthe box");
    EXPECT_EQ(RectHeight(two), 2 * text.cy + 8);
    // The skin's look: its edge in the corners, its client colour beside the text, the text.
    auto shot = ShotOfHint();
    EXPECT_EQ(PixelOf(shot.get(), 1, 1), Rgb(kHintEdge));
    EXPECT_EQ(PixelOf(shot.get(), shot->GetWidth() - 2, shot->GetHeight() - 2), Rgb(kHintEdge));
    EXPECT_EQ(PixelOf(shot.get(), 5, 5), Rgb(kHintClient));
    bool ink = false;
    for (int y = 4; y < shot->GetHeight() - 4 && !ink; ++y)
        for (int x = 4; x < shot->GetWidth() - 4 && !ink; ++x) ink = PixelOf(shot.get(), x, y) == 0;
    EXPECT_TRUE(ink);
    // A text of any length is cut to the work area.
    const TRect huge = ShowAt({200, 200}, AnsiString(5000, 'W'));
    EXPECT_EQ(RectWidth(huge), RectWidth(work));
    EXPECT_GE(huge.Left, work.Left);
    EXPECT_LE(huge.Right, work.Right);
    std::string lines;
    for (int i = 0; i < 400; ++i) lines += "line\r\n";
    const TRect tall = ShowAt({200, 200}, lines);
    EXPECT_EQ(RectHeight(tall), RectHeight(work));
}

TEST_F(SkinHint, SkinsWithoutAHintPictureGiveThePlainLook) {
    for (int index : {-1, 99}) {
        Skin->HintWindow->WindowPictureIndex = index;
        const TRect r = ShowAt({200, 200}, "Close");
        const TSize text = TextSize("Close", false);
        EXPECT_EQ(RectWidth(r), text.cx + 4) << index;
        EXPECT_EQ(RectHeight(r), text.cy + 4) << index;
        auto shot = ShotOfHint();
        EXPECT_EQ(PixelOf(shot.get(), 0, 0), Rgb(clBtnShadow));
        EXPECT_EQ(PixelOf(shot.get(), 1, 1), Rgb(clInfoBk));
    }
    Hint->SetSkinData(nullptr);
    ShowAt({200, 200}, "Close");
    EXPECT_EQ(PixelOf(ShotOfHint().get(), 1, 1), Rgb(clInfoBk));
}

TEST_F(SkinHint, TheMaskCutsTheWindowRegion) {
    Skin->ClearAll();
    testskins::Build(Skin);
    AddHintRecord(Skin, true);
    const TRect r = ShowAt({200, 200}, "Close the box");
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(HintWnd(), region), ERROR);
    EXPECT_FALSE(PtInRegion(region, 0, 0)) << "top-left corner cut";
    EXPECT_FALSE(PtInRegion(region, RectWidth(r) - 1, 0)) << "top-right corner cut";
    EXPECT_TRUE(PtInRegion(region, 3, 3));
    EXPECT_TRUE(PtInRegion(region, RectWidth(r) - 1, RectHeight(r) - 1));
    // Shown again, the region is the window's new one; without a mask it goes.
    ShowAt({210, 210}, "Close");
    ASSERT_NE(GetWindowRgn(HintWnd(), region), ERROR);
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    Skin->HintWindow->MaskPictureIndex = -1;
    ShowAt({210, 210}, "Close");
    EXPECT_EQ(GetWindowRgn(HintWnd(), region), ERROR);
    DeleteObject(region);
}

TEST_F(SkinHint, LayeredAlphaFollowsTheComponentAtEachActivation) {
    Hint->SetAlphaBlend(true);
    Hint->SetAlphaBlendValue(150);
    ShowAt({200, 200}, "Close");
    BYTE alpha = 0;
    DWORD flags = 0;
    EXPECT_NE(GetWindowLongPtrA(HintWnd(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    ASSERT_TRUE(GetLayeredWindowAttributes(HintWnd(), nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 150);
    Hint->SetAlphaBlend(false);
    ShowAt({200, 200}, "Close");
    EXPECT_EQ(GetWindowLongPtrA(HintWnd(), GWL_EXSTYLE) & WS_EX_LAYERED, 0) << "removed at the next activation";
}

TEST_F(SkinHint, SoftwareAlphaBlendsWithWhatLiesUnderTheHintEvenShownAgainInPlace) {
    Hint->SetAlphaBlend(true);
    Hint->SetAlphaBlendSupport(false);
    ASSERT_FALSE(Hint->GetAlphaBlendSupport()) << "off, it stays off";
    Hint->SetAlphaBlendValue(128);
    const TPoint at = Form->ClientToScreen({40, 40});
    Form->BringToFront();
    Pump();
    ShowAt(at, "Close");
    // The screen under it is the form's blue; the hint's client is light yellow.
    EXPECT_EQ(PixelOf(Hint->GetHintWindow()->GetScreenImage(), 5, 5), Rgb(kUnder));
    const COLORREF first = PixelOf(ShotOfHint().get(), 5, 5);
    const COLORREF client = Rgb(kHintClient), under = Rgb(kUnder);
    for (int shift : {0, 8, 16}) {
        const int c = (first >> shift) & 0xFF;
        const int expected = (((client >> shift) & 0xFF) + ((under >> shift) & 0xFF)) / 2;
        EXPECT_NEAR(c, expected, 3) << "channel at bit " << shift;
    }
    ShowAt(at, "Close");
    EXPECT_EQ(PixelOf(Hint->GetHintWindow()->GetScreenImage(), 5, 5), Rgb(kUnder))
        << "taken without the hint that covered it";
    EXPECT_EQ(PixelOf(ShotOfHint().get(), 5, 5), first);
    ShowAt(TPoint(at.X + 10, at.Y + 3), "Close");
    EXPECT_EQ(PixelOf(ShotOfHint().get(), 5, 5), first) << "moved a little";
    Hint->HideHint();
    ShowAt(at, "Close");
    EXPECT_EQ(PixelOf(ShotOfHint().get(), 5, 5), first) << "hidden, then shown anew";
}

// A frame object's hint: the real pointer rests on the close button of a skinned form.
class ObjectHint : public SkinHint {
protected:
    void SetUp() override {
        SkinHint::SetUp();
        for (auto& record : Skin->ObjectList) {
            if (record->IDName == "closebutton") record->Hint = "Close it";
            if (record->IDName == "rollupbutton") record->Hint = "Roll up";
        }
        testskins::AddButton(Skin, "sysmenubutton", cmSysMenu)->Hint = "Window menu";
        Frame = new TskSkinForm(Form);
        Frame->SetSkinHint(Hint);
        Frame->SetShowObjectHint(true);
        Frame->SetSkinData(Skin);
        Pump();
        ASSERT_TRUE(testskins::Activate(Frame, Form));
    }
    // The middle of a frame object on the screen.
    TPoint ObjectCentre(const char* IDName) { return testskins::ObjectCentre(Frame, IDName); }
    TPoint CloseButton() { return ObjectCentre("closebutton"); }
    // A point of the caption, which has no hint.
    TPoint Caption() {
        const TRect w = WindowRectOf(Form->GetHandle());
        return TPoint(w.Left + 30, w.Top + 10);
    }
    // The pointer goes to P; the frame's 50 ms watch of the pointer is stepped at once.
    void PointerTo(TPoint P) {
        SetCursorPos(P.X, P.Y);
        Pump();
        Frame->TestMouse(nullptr);
    }

    TskSkinForm* Frame = nullptr;
};

TEST_F(ObjectHint, ShownAfterThePauseBelowThePointersImageAndHiddenAfterTheHidePause) {
    PointerTo(CloseButton());
    ASSERT_EQ(Frame->GetActiveObject(), Frame->GetIndex("closebutton"));
    ASSERT_NE(Hint->GetHintTimer(), nullptr) << "waiting";
    EXPECT_EQ(Hint->GetHintText(), "Close it");
    EXPECT_EQ(Hint->GetHintTimer()->GetInterval(), Cardinal(kLongPause));
    EXPECT_FALSE(Hint->IsVisible());

    Hint->HintTime1(Hint->GetHintTimer());
    Pump();
    ASSERT_TRUE(Hint->IsVisible());
    POINT cursor;
    GetCursorPos(&cursor);
    const TRect r = WindowRectOf(HintWnd());
    EXPECT_EQ(r.Left, cursor.x);
    EXPECT_EQ(r.Top, cursor.y + Hint->GetCursorHeightMargin());
    ASSERT_NE(Hint->GetHintTimer(), nullptr);
    EXPECT_EQ(Hint->GetHintTimer()->GetInterval(), Cardinal(kLongPause + 1));

    Hint->HintTime2(Hint->GetHintTimer());
    EXPECT_FALSE(Hint->IsVisible());
    EXPECT_EQ(Hint->GetHintTimer(), nullptr) << "idle";
}

TEST_F(ObjectHint, WithoutPausesItShowsAtOnceAndStaysUntilThePointerLeaves) {
    Application->SetHintPause(0);
    Application->SetHintHidePause(0);
    PointerTo(CloseButton());
    ASSERT_TRUE(Hint->IsVisible()) << "no pause: at once";
    ASSERT_NE(Hint->GetHintTimer(), nullptr);
    EXPECT_FALSE(Hint->GetHintTimer()->GetEnabled()) << "no hide pause: no end of its own";
    const TRect w = WindowRectOf(Form->GetHandle());
    PointerTo({w.Left + 30, w.Top + 10});
    EXPECT_FALSE(Hint->IsVisible());
}

TEST_F(ObjectHint, LeavingTheObjectOrPressingTheFrameHidesIt) {
    PointerTo(CloseButton());
    Hint->HintTime1(Hint->GetHintTimer());
    ASSERT_TRUE(Hint->IsVisible());
    // A press on the frame hides it at once.
    const TRect w = WindowRectOf(Form->GetHandle());
    SendMessageA(Form->GetHandle(), WM_NCLBUTTONDOWN, HTOBJECT_FRAME, MAKELPARAM(w.Left + 30, w.Top + 10));
    SendMessageA(Form->GetHandle(), WM_LBUTTONUP, 0, 0);
    Pump();
    EXPECT_FALSE(Hint->IsVisible());

    PointerTo({w.Left + 30, w.Top + 10});
    PointerTo(CloseButton());
    ASSERT_NE(Hint->GetHintTimer(), nullptr);
    Hint->HintTime1(Hint->GetHintTimer());
    ASSERT_TRUE(Hint->IsVisible());
    // The caption has no hint; the pointer's move onto it hides the button's.
    PointerTo({w.Left + 30, w.Top + 10});
    Frame->TestMouse(nullptr);
    EXPECT_FALSE(Hint->IsVisible());
    EXPECT_EQ(Hint->GetHintTimer(), nullptr);
}

TEST_F(ObjectHint, NoHintWithoutShowObjectHintOrAfterTheComponentGoes) {
    Frame->SetShowObjectHint(false);
    PointerTo(CloseButton());
    EXPECT_EQ(Hint->GetHintTimer(), nullptr);
    Frame->SetShowObjectHint(true);
    const TRect w = WindowRectOf(Form->GetHandle());
    PointerTo({w.Left + 30, w.Top + 10});
    delete Hint;
    Hint = nullptr;
    EXPECT_EQ(Frame->GetSkinHint(), nullptr);
    PointerTo(CloseButton());
    EXPECT_EQ(Frame->GetActiveObject(), Frame->GetIndex("closebutton"));
}

TEST_F(ObjectHint, TheWindowMenuButtonsHintGoesWhenItsMenuOpens) {
    // The pointer rests on the button; a person clicks before the hint's pause is over.
    PointerTo(ObjectCentre("sysmenubutton"));
    ASSERT_NE(Hint->GetHintTimer(), nullptr) << "waiting";
    EXPECT_EQ(Hint->GetHintText(), "Window menu");
    ASSERT_TRUE(ClickAt(ObjectCentre("sysmenubutton")));
    ASSERT_TRUE(PumpUntil([&] { return Frame->GetSkinMenu()->GetCount() == 1; })) << "the system menu";
    EXPECT_EQ(Hint->GetHintTimer(), nullptr) << "no hint comes over the menu's items";
    EXPECT_FALSE(Hint->IsVisible());
    // Nor does another button's while the menu is open.
    PointerTo(CloseButton());
    EXPECT_EQ(Hint->GetHintTimer(), nullptr);
    Frame->GetSkinMenu()->CloseMenu(0);
    Pump();
}

TEST_F(ObjectHint, TheRollUpButtonsHintSaysWhatAClickWillDo) {
    const TPoint roll = ObjectCentre("rollupbutton");
    PointerTo(roll);
    ASSERT_NE(Hint->GetHintTimer(), nullptr);
    EXPECT_EQ(Hint->GetHintText(), "Roll up");
    ASSERT_TRUE(ClickAt(roll));
    ASSERT_TRUE(PumpUntil([&] { return Frame->GetRollUpState(); })) << "a click rolls the form up";
    // The pointer leaves the button and comes back: a click now unrolls the form.
    PointerTo(Caption());
    PointerTo(roll);
    ASSERT_NE(Hint->GetHintTimer(), nullptr);
    EXPECT_EQ(Hint->GetHintText(), "Restore");
    Hint->HintTime1(Hint->GetHintTimer());
    ASSERT_TRUE(Hint->IsVisible());
    char shown[64] = {};
    GetWindowTextA(HintWnd(), shown, sizeof(shown));
    EXPECT_STREQ(shown, "Restore");
    // A few pixels off the first click, or the two make a double click.
    ASSERT_TRUE(ClickAt(TPoint(roll.X + 4, roll.Y)));
    ASSERT_TRUE(PumpUntil([&] { return !Frame->GetRollUpState(); })) << "and the click unrolls it";
    PointerTo(Caption());
    PointerTo(roll);
    EXPECT_EQ(Hint->GetHintText(), "Roll up");
}

} // namespace

// The skinned form frame on real windows: the plain frame without a skin and the frame of
// the test skins, their hit tests, painted pixels, caption commands, roll-up and sizing.
#include "skin/controls/SkinCtrls_Panels.h"
#include "skin/form/SkinForm.h"
#include "tests/skin/form/FormTestSkins.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/UserInput.h"

#include "classlib/GdiCounter.h"
#include "classlib/Panels.h"
#include "classlib/Paths.h"


namespace {

COLORREF Rgb(TColor C) {
    return static_cast<COLORREF>(ColorToRGB(C)) & 0xFFFFFF;
}

class SkinFrame : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Form->SetCaption("Frame");
        Skin = new TskSkinForm(Form);
        Form->SetBounds(100, 100, 300, 200);
        Pump();
    }

    TRect Window() { return testskins::WindowRectOf(Form); }
    // The hit-test answer at (X, Y) of the window.
    int HitAt(int X, int Y) { return testskins::HitTestAt(Form, X, Y); }
    void NcMessage(UINT Msg, WPARAM Code, int X, int Y) {
        const TRect w = Window();
        SendMessageA(Form->GetHandle(), Msg, Code, MAKELPARAM(w.Left + X, w.Top + Y));
        Pump();
    }
    std::unique_ptr<TBitmap> Shot(const char* Name) {
        auto shot = CaptureWindow(Form->GetHandle());
        shot->SaveToFile(ExeDir() + Name);
        return shot;
    }
    void UseSkin(const testskins::Options& O = testskins::Options()) {
        Data = new TskSkinData(Form);
        testskins::Build(Data, O);
        Skin->SetSkinData(Data);
        Pump();
    }

    // A skin W wide whose picture is all client part: its frame has no height of its own.
    void UseSkinWithoutFrameHeight(int W) {
        Data = new TskSkinData(Form);
        testskins::Build(Data);
        testskins::Frame(Data, W, 80, 0, 80);
        Data->ClRect = TRect(0, 0, W, 80);
        Skin->SetSkinData(Data);
        Pump();
    }

    TskSkinForm* Skin = nullptr;
    TskSkinData* Data = nullptr;
};

TEST_F(SkinFrame, PlainFrameReplacesTheSystemCaption) {
    EXPECT_EQ(GetWindowLongPtrA(Form->GetHandle(), GWL_STYLE) & WS_CAPTION, 0);
    EXPECT_EQ(Form->GetClientWidth(), 300 - 6);
    EXPECT_EQ(Form->GetClientHeight(), 200 - 19 - 6);
    // Setting the caption does not bring the system's caption back.
    Form->SetCaption("Another");
    Pump();
    EXPECT_EQ(GetWindowLongPtrA(Form->GetHandle(), GWL_STYLE) & WS_CAPTION, 0);
    // A new window of the form loses its caption style as well.
    Form->RecreateWnd();
    Form->HandleNeeded();
    Pump();
    EXPECT_EQ(GetWindowLongPtrA(Form->GetHandle(), GWL_STYLE) & WS_CAPTION, 0);
}

TEST_F(SkinFrame, PlainFrameHitTests) {
    EXPECT_EQ(HitAt(0, 0), HTTOPLEFT);
    EXPECT_EQ(HitAt(299, 199), HTBOTTOMRIGHT);
    EXPECT_EQ(HitAt(1, 100), HTLEFT);
    EXPECT_EQ(HitAt(298, 100), HTRIGHT);
    EXPECT_EQ(HitAt(150, 10), HTCAPTION);
    EXPECT_EQ(HitAt(150, 100), HTCLIENT);
    // The caption band ends at the buttons: close, maximize, minimize, roll-up, 17 wide.
    EXPECT_EQ(HitAt(297 - 4 * 17 - 1, 10), HTCAPTION);
    EXPECT_EQ(HitAt(297 - 4 * 17, 10), HTOBJECT_FRAME);
    EXPECT_EQ(HitAt(290, 10), HTOBJECT_FRAME);
    // A hovered button answers for the whole frame until the pointer leaves it.
    SetCursorPos(1279, 1023);
    Skin->TestMouse(nullptr);
    // Negative screen coordinates are read signed.
    Form->SetBounds(-50, -5, 300, 200);
    Pump();
    ASSERT_EQ(Window(), TRect(-50, -5, 250, 195));
    EXPECT_EQ(HitAt(0, 0), HTTOPLEFT);
    EXPECT_EQ(HitAt(150, 100), HTCLIENT);
}

TEST_F(SkinFrame, PlainFramePaintsBorderStripesAndButtons) {
    auto shot = Shot("skinform_plain.bmp");
    EXPECT_EQ(PixelOf(shot.get(), 0, 0), Rgb(cl3DLight));
    EXPECT_EQ(PixelOf(shot.get(), 299, 199), Rgb(cl3DDkShadow));
    EXPECT_EQ(PixelOf(shot.get(), 1, 1), Rgb(clBtnHighlight));
    // Stripes on the caption band's rows 2.. (window rows 5..), left of the text.
    const TRect caption = Skin->GetDefCaptionRect();
    EXPECT_EQ(PixelOf(shot.get(), caption.Left + 4, 5), Rgb(clBtnHighlight));
    EXPECT_EQ(PixelOf(shot.get(), caption.Left + 4, 6), Rgb(clBtnShadow));
    // The close glyph sits in the rightmost button.
    int glyph = 0;
    for (int y = 4; y < 21; ++y)
        for (int x = 280; x < 297; ++x) glyph += PixelOf(shot.get(), x, y) == Rgb(clBtnText);
    EXPECT_GT(glyph, 10);
    // The client area is the form's own.
    EXPECT_EQ(PixelOf(shot.get(), 150, 100), Rgb(clBtnFace));
}

TEST_F(SkinFrame, ToolWindowCaptionIsSmaller) {
    Form->SetBorderStyle(bsToolWindow);
    Pump();
    EXPECT_EQ(Skin->GetDefCaptionHeight(), 15);
    EXPECT_EQ(Skin->GetDefButtonSize(), 13);
    EXPECT_EQ(Form->GetClientHeight(), 200 - 15 - 6);
    EXPECT_EQ(GetWindowLongPtrA(Form->GetHandle(), GWL_STYLE) & WS_CAPTION, 0);
    Shot("skinform_toolwindow.bmp");
}

TEST_F(SkinFrame, CaptionDoubleClickMaximizesAndRestores) {
    NcMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, 150, 10);
    EXPECT_EQ(Skin->GetWindowState(), wsMaximized);
    EXPECT_EQ(Form->GetWindowState(), wsNormal);
    EXPECT_EQ(Form->GetWidth(), Skin->GetMaxWidth());
    NcMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, 150, 10);
    EXPECT_EQ(Skin->GetWindowState(), wsNormal);
    EXPECT_EQ(Window(), TRect(100, 100, 400, 300));
}

TEST_F(SkinFrame, RollUpWinsOverConstraintsAndGivesThemBack) {
    Skin->SetBorderIcons({TskBorderIcon::biSystemMenu, TskBorderIcon::biMinimize, TskBorderIcon::biRollUp});
    // The main window's least height.
    Form->GetConstraints()->SetMinHeight(320);
    Pump();
    int changes = 0;
    Skin->OnChangeRollUpState = TNotifyEvent::FromCallable([&](TObject*) { ++changes; });
    NcMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, 150, 10);
    EXPECT_TRUE(Skin->GetRollUpState());
    EXPECT_EQ(Form->GetHeight(), 19 + 6);
    EXPECT_EQ(HitAt(0, 0), HTOBJECT_FRAME) << "a rolled-up frame does not size";
    Shot("skinform_rolledup.bmp");
    NcMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, 150, 10);
    EXPECT_FALSE(Skin->GetRollUpState());
    EXPECT_EQ(Form->GetHeight(), 320);
    EXPECT_EQ(Form->GetConstraints()->GetMinHeight(), 320);
    EXPECT_EQ(changes, 2);
    // Without the maximize icon its button stays, disabled.
    const int max = Skin->GetIndex("maxbutton");
    ASSERT_NE(max, -1);
    EXPECT_FALSE(Skin->GetObject(max)->Enabled);
}

TEST_F(SkinFrame, CloseButtonClosesAfterItsOwnRelease) {
    ASSERT_TRUE(testskins::Activate(Skin, Form)) << "the form could not be activated";
    bool closed = false;
    Form->OnClose = TCloseEvent::FromCallable([&](TObject*, TCloseAction& A) {
        closed = true;
        A = caHide;
    });
    NcMessage(WM_NCLBUTTONDOWN, HTOBJECT_FRAME, 288, 12);
    EXPECT_EQ(Skin->GetMouseDownObject(), Skin->GetIndex("closebutton"));
    EXPECT_FALSE(closed);
    SendMessageA(Form->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(0, 0));
    Pump();
    EXPECT_TRUE(closed);
    EXPECT_EQ(Skin->GetMouseDownObject(), -1);
    // A double click on the system-menu button closes too.
    Form->Show();
    closed = false;
    ASSERT_TRUE(testskins::Activate(Skin, Form));
    NcMessage(WM_NCLBUTTONDBLCLK, HTOBJECT_FRAME, 10, 12);
    SendMessageA(Form->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(0, 0));
    Pump();
    EXPECT_TRUE(closed);
    Skin->GetSkinMenu()->CloseMenu(0);
}

TEST_F(SkinFrame, HoverLightsOnlyThePressedButtonWhileHeld) {
    ASSERT_TRUE(testskins::Activate(Skin, Form)) << "the form could not be activated";
    const int close = Skin->GetIndex("closebutton"), max = Skin->GetIndex("maxbutton");
    Skin->TestActive(288, 12, true);
    EXPECT_EQ(Skin->GetActiveObject(), close);
    EXPECT_TRUE(Skin->GetObject(close)->MouseIn);
    NcMessage(WM_NCLBUTTONDOWN, HTOBJECT_FRAME, 288, 12);
    Skin->TestActive(270, 12, true);
    EXPECT_EQ(Skin->GetActiveObject(), -1);
    EXPECT_FALSE(Skin->GetObject(max)->MouseIn);
    ReleaseCapture();
    // The pointer outside the window ends the hover at the next tick.
    SetCursorPos(5, 5);
    Skin->TestMouse(nullptr);
    EXPECT_EQ(Skin->GetActiveObject(), -1);
    EXPECT_FALSE(Skin->GetMouseTimer()->GetEnabled());
}

// A skin given to a hidden form starts no pointer watch (its timer's window would cost the
// program's start); once shown, the pointer over a frame button starts it and lights the button.
TEST_F(SkinFrame, HiddenFormWatchesThePointerOnlyOnceShown) {
    Form->Hide();
    Pump();
    UseSkin();
    EXPECT_FALSE(Skin->GetMouseTimer()->GetEnabled());
    Form->Show();
    Pump();
    ASSERT_TRUE(testskins::Activate(Skin, Form)) << "the form could not be activated";
    EXPECT_EQ(HitAt(288, 12), HTOBJECT_FRAME);
    EXPECT_TRUE(Skin->GetMouseTimer()->GetEnabled());
    EXPECT_EQ(Skin->GetActiveObject(), Skin->GetIndex("closebutton"));
}

TEST_F(SkinFrame, SkinnedFrameGeometryHitTestsAndPixels) {
    UseSkin();
    ASSERT_TRUE(Skin->SkinApplied());
    EXPECT_EQ(Form->GetClientWidth(), 300 - 8);
    EXPECT_EQ(Form->GetClientHeight(), 200 - 28);
    // The buttons band starts right of the picture's middle: the buttons follow the right edge.
    EXPECT_EQ(Skin->GetObject(Skin->GetIndex("closebutton"))->ObjectRect, TRect(280, 4, 296, 20));
    EXPECT_EQ(Skin->GetObject(Skin->GetIndex("maxbutton"))->ObjectRect, TRect(263, 4, 279, 20));
    // The caption reaches from the left corner to the roll-up button.
    EXPECT_EQ(Skin->GetObject(Skin->GetIndex("caption"))->ObjectRect, TRect(19, 4, 229, 20));
    struct Case {
        int X, Y, Code;
    };
    const Case cases[] = {{0, 0, HTTOPLEFT},      {299, 0, HTTOPRIGHT},  {0, 199, HTBOTTOMLEFT},
                          {299, 199, HTBOTTOMRIGHT}, {150, 0, HTTOP},    {150, 199, HTBOTTOM},
                          {0, 100, HTLEFT},       {299, 100, HTRIGHT},   {30, 12, HTCAPTION},
                          {150, 12, HTCAPTION}, {150, 100, HTCLIENT}, {2, 100, HTOBJECT_FRAME}};
    for (const Case& c : cases) EXPECT_EQ(HitAt(c.X, c.Y), c.Code) << c.X << "," << c.Y;
    auto shot = Shot("skinform_skinned.bmp");
    EXPECT_EQ(PixelOf(shot.get(), 150, 10), Rgb(testskins::kTop));
    EXPECT_EQ(PixelOf(shot.get(), 1, 100), Rgb(testskins::kLeft));
    EXPECT_EQ(PixelOf(shot.get(), 298, 100), Rgb(testskins::kRight));
    EXPECT_EQ(PixelOf(shot.get(), 150, 198), Rgb(testskins::kBottom));
    EXPECT_EQ(PixelOf(shot.get(), 288, 12), Rgb(testskins::kButton));
    // Taking the skin away brings the plain frame back.
    Skin->SetSkinData(nullptr);
    Pump();
    EXPECT_FALSE(Skin->SkinApplied());
    EXPECT_EQ(Form->GetClientHeight(), 200 - 25);
}

// A caption with room to spare shows whole, and its room grows with the frame.
TEST_F(SkinFrame, ACaptionWithRoomShowsWholeAndItsRoomGrowsWithTheFrame) {
    UseSkin();
    Form->SetCaption("A caption with room to spare");
    Form->SetWidth(400);
    Pump();
    EXPECT_EQ(Skin->GetObject(Skin->GetIndex("caption"))->ObjectRect, TRect(19, 4, 329, 20));
    auto shot = Shot("skinform_caption_room.bmp");
    // The ink of the title, in its own colour on the caption band.
    int first = -1, last = -1;
    for (int x = 19; x < 329; ++x)
        for (int y = 4; y < 20; ++y) {
            const COLORREF p = PixelOf(shot.get(), x, y);
            if (p == Rgb(testskins::kTop) || p == Rgb(testskins::kButton)) continue;
            if (first < 0) first = x;
            last = x;
            break;
        }
    TBitmap measure(1, 1);
    measure.GetCanvas()->GetFont()->SetName("Arial");
    const int whole = measure.GetCanvas()->TextWidth("A caption with room to spare");
    ASSERT_GE(first, 24);
    EXPECT_GE(last - first + 1, whole - 2) << "the whole title, not its start and \"...\"";
    EXPECT_LT(last, 329 - 4 * 17) << "left of the buttons";
}

TEST_F(SkinFrame, AFrameShowingTheFormIconGivesBackEveryHandleItCounted) {
    // Each form shown here takes the front and hands it back as it goes. Under Wine the
    // display reports the focus late, and each late report activates its window again: with
    // the fixture's form still shown, two late reports chase each other between the two
    // windows for ever. The fixture's form steps aside; a hidden one is never activated.
    Form->Hide();
    Pump();
    auto cycle = [] {
        auto* form = new TForm(nullptr);
        form->SetBounds(50, 50, 220, 160);
        auto* skin = new TskSkinForm(form);
        skin->SetShowIcon(true);
        form->Show();
        Pump();
        SendMessageA(form->GetHandle(), WM_NCPAINT, 0, 0);
        delete form;
        Pump();
    };
    cycle();
    const long before = GdiObjectCount();
    for (int i = 0; i < 3; ++i) cycle();
    EXPECT_EQ(GdiObjectCount(), before);
}

TEST_F(SkinFrame, ANewFormStyleRefreshesTheSkinnedControlsOfATranslucentForm) {
    struct TCountingPanel : TskSkinPanel {
        using TskSkinPanel::TskSkinPanel;
        int Changes = 0;
        void ChangeSkinData() override {
            ++Changes;
            TskSkinPanel::ChangeSkinData();
        }
    };
    UseSkin();
    auto* panel = Add<TCountingPanel>(Form, 10, 10, 50, 50);
    panel->SetSkinData(Data);
    const int before = panel->Changes;
    Skin->SetFormStyle(fsStayOnTop);
    EXPECT_NE(GetWindowLongPtrA(Form->GetHandle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(panel->Changes, before) << "an opaque form's controls keep their looks";
    Skin->SetAlphaBlend(true);
    Skin->SetFormStyle(fsNormal);
    EXPECT_EQ(GetWindowLongPtrA(Form->GetHandle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(panel->Changes, before + 1);
}

TEST_F(SkinFrame, ABackgroundIndexOutsideThePicturesPaintsTheClientPart) {
    UseSkin();
    Data->BGPictureIndex = 7;
    InvalidateRect(Form->GetHandle(), nullptr, TRUE);
    Pump();
    auto shot = Shot("skinform_badbackground.bmp");
    EXPECT_EQ(PixelOf(shot.get(), 150, 100), Rgb(testskins::kClient));
}

TEST_F(SkinFrame, MaskMakesTheWindowRegion) {
    UseSkin({.Mask = true});
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(Form->GetHandle(), rgn), ERROR);
    EXPECT_FALSE(PtInRegion(rgn, 0, 0)) << "cut corner";
    EXPECT_FALSE(PtInRegion(rgn, 298, 1)) << "cut corner follows the right edge";
    EXPECT_TRUE(PtInRegion(rgn, 5, 5));
    EXPECT_TRUE(PtInRegion(rgn, 150, 100));
    EXPECT_TRUE(PtInRegion(rgn, 299, 199));
    // The region follows the size.
    Form->SetWidth(400);
    Pump();
    ASSERT_NE(GetWindowRgn(Form->GetHandle(), rgn), ERROR);
    EXPECT_TRUE(PtInRegion(rgn, 395, 100));
    EXPECT_FALSE(PtInRegion(rgn, 398, 1));
    // Inside the mask away from its edge is frame, not border.
    EXPECT_EQ(HitAt(150, 2), HTOBJECT_FRAME);
    EXPECT_EQ(HitAt(1, 1), HTTOPLEFT);
    EXPECT_EQ(HitAt(1, 100), HTLEFT);
    DeleteObject(rgn);
}

TEST_F(SkinFrame, MaskWithoutBlackPixelsMakesNoRegion) {
    UseSkin({.EmptyMask = true});
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    // Only the known inside remains; the window never vanishes.
    const int kind = GetWindowRgn(Form->GetHandle(), rgn);
    if (kind != ERROR) {
        EXPECT_TRUE(PtInRegion(rgn, 150, 100));
    }
    DeleteObject(rgn);
}

TEST_F(SkinFrame, InactiveFrameTakesTheSkinsEffect) {
    UseSkin();
    Data->AutoRenderingInActiveImage = true;
    Data->InActiveEffect = ieGrayScale;
    TForm other(nullptr);
    other.SetBounds(600, 600, 100, 100);
    other.Show();
    ASSERT_TRUE(PumpUntil([&] {
        if (!Skin->GetFormActive()) return true;
        SetForegroundWindow(other.GetHandle());
        return false;
    })) << "the form stayed active";
    auto shot = Shot("skinform_inactive.bmp");
    const COLORREF top = PixelOf(shot.get(), 150, 10);
    EXPECT_EQ(GetRValue(top), GetGValue(top));
    EXPECT_EQ(GetGValue(top), GetBValue(top));
    EXPECT_EQ(PixelOf(shot.get(), 150, 100), Rgb(testskins::kClient)) << "the client area is left alone";
}

// The top band of the test skin in another colour.
void RecolourTop(TskSkinData* S) {
    testskins::Fill(S->Picture.get(), TRect(0, 0, testskins::kWidth, 24), 0x00C0FF);
}

void GreyWhenInactive(TskSkinData* S) {
    S->AutoRenderingInActiveImage = true;
    S->InActiveEffect = ieGrayScale;
}

// The window as it shows after its frame and client have been painted again.
std::unique_ptr<TBitmap> Repainted(TWinControl* C) {
    SendMessageA(C->GetHandle(), WM_NCPAINT, 1, 0);
    return CaptureWindow(C->GetHandle());
}

int DifferentPixels(TBitmap* A, TBitmap* B) {
    if (A->GetWidth() != B->GetWidth() || A->GetHeight() != B->GetHeight()) return -1;
    int n = 0;
    for (int y = 0; y < A->GetHeight(); ++y)
        for (int x = 0; x < A->GetWidth(); ++x) n += PixelOf(A, x, y) != PixelOf(B, x, y);
    return n;
}

// An inactive frame is repainted from the look it keeps: after a resize, a skin change and
// a new caption it must show what a fresh form of that size, skin and caption shows.
TEST_F(SkinFrame, AnInactiveFrameShowsItsNewSizeAndSkinAsAFreshFormDoes) {
    UseSkin();
    GreyWhenInactive(Data);
    TForm other(nullptr);
    other.SetBounds(600, 600, 100, 100);
    other.Show();
    auto inactive = [&](TskSkinForm* S) {
        return PumpUntil([&] {
            if (!S->GetFormActive()) return true;
            SetForegroundWindow(other.GetHandle());
            return false;
        });
    };
    ASSERT_TRUE(inactive(Skin)) << "the form stayed active";
    auto before = Repainted(Form);
    const COLORREF grey = PixelOf(before.get(), 150, 10);
    ASSERT_TRUE(GetRValue(grey) == GetGValue(grey) && GetGValue(grey) == GetBValue(grey)) << "no inactive look";

    TForm fresh(nullptr);
    fresh.SetCaption("Frame");
    auto* freshSkin = new TskSkinForm(&fresh);
    fresh.SetBounds(100, 400, 340, 220);
    fresh.Show();
    auto* freshData = new TskSkinData(&fresh);
    testskins::Build(freshData);
    GreyWhenInactive(freshData);
    freshSkin->SetSkinData(freshData);
    Pump();

    Form->SetBounds(100, 100, 340, 220);
    Pump();
    ASSERT_TRUE(inactive(Skin) && inactive(freshSkin)) << "a form stayed active";
    auto resized = Repainted(Form);
    auto expected = Repainted(&fresh);
    resized->SaveToFile(ExeDir() + "skinform_inactive_resized.bmp");
    EXPECT_EQ(DifferentPixels(resized.get(), expected.get()), 0) << "after the resize";

    testskins::Build(Data);
    RecolourTop(Data);
    GreyWhenInactive(Data);
    Data->SendSkinDataMessage(WM_BEFORECHANGESKINDATA);
    Data->SendSkinDataMessage(WM_CHANGESKINDATA);
    Data->SendSkinDataMessage(WM_AFTERCHANGESKINDATA);
    RecolourTop(freshData);
    freshSkin->SetSkinData(nullptr);
    freshSkin->SetSkinData(freshData);
    Pump();
    ASSERT_TRUE(inactive(Skin) && inactive(freshSkin)) << "a form stayed active";
    auto reskinned = Repainted(Form);
    expected = Repainted(&fresh);
    reskinned->SaveToFile(ExeDir() + "skinform_inactive_reskinned.bmp");
    EXPECT_NE(PixelOf(reskinned.get(), 150, 10), PixelOf(resized.get(), 150, 10)) << "the new skin shows";
    EXPECT_EQ(DifferentPixels(reskinned.get(), expected.get()), 0) << "after the skin change";

    // Same size and skin, another caption.
    Form->SetCaption("Renamed");
    fresh.SetCaption("Renamed");
    Pump();
    ASSERT_TRUE(inactive(Skin) && inactive(freshSkin)) << "a form stayed active";
    auto renamed = Repainted(Form);
    expected = Repainted(&fresh);
    EXPECT_EQ(DifferentPixels(renamed.get(), expected.get()), 0) << "after the new caption";
    EXPECT_GT(DifferentPixels(renamed.get(), reskinned.get()), 0) << "the new caption shows";
}

// Shown and activated at once, the form paints its frame while the system shows it: the frame
// on the screen is the active one a repaint shows, not the inactive look of the moment before.
TEST_F(SkinFrame, AShownFormShowsTheActiveFrameARepaintShows) {
    Form->Hide();
    UseSkin();
    GreyWhenInactive(Data);
    Pump();
    Form->Show();
    ASSERT_TRUE(PumpUntil([&] { return Skin->GetFormActive(); })) << "the form did not become active";
    auto shown = CaptureWindow(Form->GetHandle());
    const COLORREF top = PixelOf(shown.get(), 150, 10);
    EXPECT_FALSE(GetRValue(top) == GetGValue(top) && GetGValue(top) == GetBValue(top))
        << "the inactive look shows";
    auto expected = Repainted(Form);
    EXPECT_EQ(DifferentPixels(shown.get(), expected.get()), 0);
}

// A hidden form is laid out only when it shows: skinned, and skinned again with a frame of the
// same size (its client area keeps its size), it must show the last skin, its buttons and an
// aligned child where a repaint puts them.
TEST_F(SkinFrame, AFormSkinnedWhileHiddenShowsItsLastSkinAtItsFirstShow) {
    auto* panel = new TPanel(Form);
    panel->SetParent(Form);
    panel->SetAlign(alClient);
    Form->Hide();
    Pump();
    UseSkin();
    testskins::Build(Data);
    RecolourTop(Data);
    Data->SendSkinDataMessage(WM_BEFORECHANGESKINDATA);
    Data->SendSkinDataMessage(WM_CHANGESKINDATA);
    Data->SendSkinDataMessage(WM_AFTERCHANGESKINDATA);
    Pump();
    Form->Show();
    ASSERT_TRUE(PumpUntil([&] { return Skin->GetFormActive(); })) << "the form did not become active";
    EXPECT_EQ(Form->GetClientWidth(), 300 - 8);
    EXPECT_EQ(Form->GetClientHeight(), 200 - 28);
    EXPECT_EQ(panel->GetBoundsRect(), TRect(0, 0, 300 - 8, 200 - 28));
    EXPECT_EQ(Skin->GetObject(Skin->GetIndex("closebutton"))->ObjectRect, TRect(280, 4, 296, 20));
    auto shown = Shot("skinform_hidden_skinned.bmp");
    EXPECT_EQ(PixelOf(shown.get(), 150, 10), Rgb(0x00C0FF)) << "the last skin shows";
    EXPECT_EQ(PixelOf(shown.get(), 288, 12), Rgb(testskins::kButton));
    auto expected = Repainted(Form);
    EXPECT_EQ(DifferentPixels(shown.get(), expected.get()), 0);
}

// A form that has never been shown, sized by its show handler: its frame and region are built
// once, for that size, and it shows what a repaint shows.
TEST_F(SkinFrame, AFormSizedByItsShowHandlerBuildsItsFrameOnceAtItsFirstShow) {
    auto* form = new TForm(nullptr);
    form->SetCaption("Sized");
    auto* skin = new TskSkinForm(form);
    form->SetBounds(120, 110, 300, 200);
    auto* data = new TskSkinData(form);
    testskins::Build(data, {.Mask = true});
    skin->SetSkinData(data);
    Pump();
    ASSERT_FALSE(IsWindowVisible(form->GetHandle()));
    int builds = 0;
    skin->OnChangeClientRect = TChangeClientRectEvent::FromCallable([&](const TRect&) { ++builds; });
    form->OnShow = TNotifyEvent::FromCallable([&](TObject*) { form->SetWidth(400); });
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return skin->GetFormActive(); })) << "the form did not become active";
    EXPECT_EQ(builds, 1);
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(form->GetHandle(), rgn), ERROR);
    EXPECT_TRUE(PtInRegion(rgn, 395, 100));
    EXPECT_FALSE(PtInRegion(rgn, 398, 1)) << "the cut corner is at the new right edge";
    DeleteObject(rgn);
    auto shown = CaptureWindow(form->GetHandle());
    shown->SaveToFile(ExeDir() + "skinform_sized_at_show.bmp");
    auto expected = Repainted(form);
    EXPECT_EQ(DifferentPixels(shown.get(), expected.get()), 0);
    delete form;
    Pump();
}

TEST_F(SkinFrame, BadSkinsGivePlainLooksNeverACrash) {
    using Mutate = void (*)(TskSkinData*);
    const Mutate mutations[] = {
        [](TskSkinData* S) { S->ClRect = TRect(); },
        [](TskSkinData* S) { S->Picture->SetSize(0, 0); },
        [](TskSkinData* S) { S->ActivePictures.clear(); },
        [](TskSkinData* S) { S->BGPictureIndex = 7; },
        [](TskSkinData* S) { S->ButtonsRect = TRect(); S->CaptionRect = TRect(); },
        [](TskSkinData* S) { S->LTPoint = S->RTPoint = S->LBPoint = S->RBPoint = TPoint(); },
        [](TskSkinData* S) { S->ObjectList.push_back(std::make_unique<TskDataSkinGauge>("closebutton")); },
        [](TskSkinData* S) { S->Mask = std::make_unique<TBitmap>(); },
        [](TskSkinData* S) { S->Mask = testskins::Solid(3, 3, 0); },
        [](TskSkinData* S) { for (auto& o : S->ObjectList) o->SkinRect = TRect(500, 500, 400, 400); },
    };
    Data = new TskSkinData(Form);
    for (Mutate m : mutations) {
        testskins::Build(Data, {.Mask = true, .ActivePictureIndex = 9});
        m(Data);
        Skin->SetSkinData(nullptr);
        Skin->SetSkinData(Data);
        Form->SetBounds(100, 100, 250 + Errors.size(), 180);
        Pump();
        CaptureWindow(Form->GetHandle());
        for (int y = 0; y < 200; y += 7)
            for (int x = 0; x < 300; x += 7) HitAt(x, y);
        NcMessage(WM_NCMOUSEMOVE, HTOBJECT_FRAME, 240, 12);
        Skin->TestMouse(nullptr);
        Skin->TestMorph(nullptr);
    }
    EXPECT_TRUE(Errors.empty());
}

TEST_F(SkinFrame, FreeingTheComponentGivesTheWindowBack) {
    UseSkin({.Mask = true});
    delete Skin;
    Skin = nullptr;
    Pump();
    EXPECT_NE(GetWindowLongPtrA(Form->GetHandle(), GWL_STYLE) & WS_CAPTION, 0);
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(Form->GetHandle(), rgn), ERROR);
    DeleteObject(rgn);
    EXPECT_LT(Form->GetClientHeight(), 200 - 5) << "the system's caption is back";
}

TEST(SkinFrameOwner, AnOwnerThatIsNoFormIsRefused) {
    TComponent owner(nullptr);
    EXPECT_THROW(new TskSkinForm(&owner), EConvertError);
    EXPECT_EQ(owner.GetComponentCount(), 0);
}

TEST(SkinFrameResources, TwoHundredCyclesInBothModesLeaveNoGdiObjects) {
    auto cycle = [] {
        TForm* form = new TForm(nullptr);
        form->SetBounds(50, 50, 220, 160);
        auto* skin = new TskSkinForm(form);
        auto* data = new TskSkinData(form);
        testskins::Build(data, {.Mask = true});
        form->Show();
        Pump();
        skin->SetSkinData(data);
        SendMessageA(form->GetHandle(), WM_NCPAINT, 0, 0);
        skin->SetSkinData(nullptr);
        SendMessageA(form->GetHandle(), WM_NCPAINT, 0, 0);
        Pump();
        // Client mode, rolled up and back.
        testskins::Build(data, {.Mask = true, .ClientMode = true});
        skin->SetSupportNCArea(false);
        skin->SetSkinData(data);
        skin->SetRollUpState(true);
        form->Repaint();
        skin->SetRollUpState(false);
        form->Repaint();
        delete form;
        Pump();
    };
    cycle();
    const long before = GdiObjectCount();
    for (int i = 0; i < 200; ++i) cycle();
    EXPECT_EQ(GdiObjectCount(), before);
}

} // namespace

namespace {

TEST_F(SkinFrame, AnotherFormMinimizesToASmallFrameAtTheBottomLeft) {
    Skin->SetWindowState(wsMinimized);
    RECT wa;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &wa, 0);
    EXPECT_EQ(Window(), TRect(wa.left, wa.bottom - 25, wa.left + 130, wa.bottom));
    EXPECT_EQ(HitAt(5, 5), HTOBJECT_FRAME) << "a minimized frame does not size";
    // A second one goes beside it.
    TForm other(nullptr);
    other.SetBounds(300, 300, 200, 150);
    other.Show();
    auto* second = new TskSkinForm(&other);
    second->SetWindowState(wsMinimized);
    EXPECT_EQ(other.GetLeft(), wa.left + 130);
    // Restoring brings the saved bounds back.
    Skin->SetWindowState(wsNormal);
    EXPECT_EQ(Window(), TRect(100, 100, 400, 300));
}

TEST_F(SkinFrame, AFrameWithoutHeightMinimizesToACaptionThatADoubleClickRestores) {
    // Wide enough that a row of the work area holds one minimized frame.
    UseSkinWithoutFrameHeight(700);
    ASSERT_EQ(Skin->GetMinHeight(), 0);
    RECT wa;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &wa, 0);
    const int least = Skin->GetDefCaptionHeight() + 6;
    const TRect normal = Window();
    Skin->SetWindowState(wsMinimized);
    Pump();
    // Stops here without a least height: the next minimize would search a full row for ever.
    ASSERT_EQ(Window(), TRect(wa.left, wa.bottom - least, wa.left + 700, wa.bottom));
    // Another form made with its frame, as a form is.
    TForm other(nullptr);
    other.SetBounds(300, 300, 200, 150);
    auto* second = new TskSkinForm(&other);
    second->SetSkinData(Data);
    other.Show();
    Pump();
    second->SetWindowState(wsMinimized);
    Pump();
    EXPECT_EQ(testskins::WindowRectOf(&other), TRect(wa.left, wa.bottom - 2 * least, wa.left + 700, wa.bottom - least))
        << "the row above";
    // The caption is there to click: a person's double click on it gives the form back.
    const TRect w = Window();
    ASSERT_EQ(HitAt(30, 12), HTCAPTION);
    DoubleClickAt(TPoint(w.Left + 30, w.Top + 12));
    EXPECT_EQ(Skin->GetWindowState(), wsNormal);
    EXPECT_EQ(Window(), normal);
}

// The same frame without height of its own, rolled up: its buttons lie over the client part,
// so the window menu's command rolls it up.
TEST_F(SkinFrame, AFrameWithoutHeightRollsUpToACaptionThatADoubleClickUnrolls) {
    Skin->SetBorderIcons({TskBorderIcon::biSystemMenu, TskBorderIcon::biMinimize, TskBorderIcon::biRollUp});
    UseSkinWithoutFrameHeight(300);
    ASSERT_EQ(Skin->GetMinHeight(), 0);
    ASSERT_TRUE(testskins::Activate(Skin, Form)) << "the form could not be activated";
    const TRect normal = Window();
    Skin->SetRollUpState(true);
    Pump();
    ASSERT_TRUE(Skin->GetRollUpState());
    const int least = Skin->GetDefCaptionHeight() + 6;
    EXPECT_EQ(Window(), TRect(normal.Left, normal.Top, normal.Right, normal.Top + least))
        << "rolled up to a caption as high as the plain frame's, not to nothing";
    Shot("skinframe_rolledup_noframe.bmp");
    // The caption is there to click: a person's double click on it unrolls the form.
    const TRect w = Window();
    ASSERT_EQ(HitAt(30, 12), HTCAPTION);
    ASSERT_TRUE(DoubleClickAt(TPoint(w.Left + 30, w.Top + 12)));
    ASSERT_TRUE(PumpUntil([&] { return !Skin->GetRollUpState(); })) << "a double click unrolls it";
    EXPECT_EQ(Window(), normal);
}

TEST_F(SkinFrame, AMinimizedWindowIsAllCaptionAndADoubleClickRestoresIt) {
    UseSkin();
    ShowWindow(Form->GetHandle(), SW_MINIMIZE);
    Pump();
    ASSERT_TRUE(IsIconic(Form->GetHandle()));
    const TRect w = Window();
    EXPECT_EQ(HitAt(RectWidth(w) / 2, RectHeight(w) / 2), HTCAPTION);
    // It shows the skin's caption band, the form's title on it and the buttons at its right.
    auto shot = Shot("skinframe_iconic.bmp");
    EXPECT_EQ(PixelOf(shot.get(), 10, 2), Rgb(testskins::kTop));
    EXPECT_EQ(PixelOf(shot.get(), RectWidth(w) / 2, 2), Rgb(testskins::kTop));
    int ink = 0;
    for (int y = 4; y < 20; ++y)
        for (int x = 24; x < 64; ++x) ink += PixelOf(shot.get(), x, y) != Rgb(testskins::kTop);
    EXPECT_GT(ink, 15) << "the title's ink";
    int buttons = 0;
    for (int x = RectWidth(w) - 60; x < RectWidth(w); ++x) buttons += PixelOf(shot.get(), x, 12) == Rgb(testskins::kButton);
    EXPECT_GE(buttons, 3 * 16) << "close, maximize and minimize at the right edge";
    DoubleClickAt(TPoint((w.Left + w.Right) / 2, (w.Top + w.Bottom) / 2));
    EXPECT_FALSE(IsIconic(Form->GetHandle()));
}

TEST_F(SkinFrame, ASkinLoadedIntoTheFormsDataRebuildsTheFrame) {
    UseSkin();
    int changes = 0;
    Skin->OnChangeSkinData = TNotifyEvent::FromCallable([&](TObject*) { ++changes; });
    // The skin data belongs to the form: its loads announce themselves with 1225 to 1227.
    Data->ClearSkin();
    Pump();
    EXPECT_FALSE(Skin->SkinApplied());
    EXPECT_EQ(Skin->GetIndex("closebutton"), 0) << "the plain frame's buttons";
    EXPECT_EQ(Form->GetClientHeight(), 200 - 25);
    testskins::Build(Data);
    Data->SendSkinDataMessage(WM_BEFORECHANGESKINDATA);
    Data->SendSkinDataMessage(WM_CHANGESKINDATA);
    Data->SendSkinDataMessage(WM_AFTERCHANGESKINDATA);
    Pump();
    EXPECT_TRUE(Skin->SkinApplied());
    EXPECT_EQ(Form->GetClientHeight(), 200 - 28);
    EXPECT_EQ(changes, 2);
}

} // namespace

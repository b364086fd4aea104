// The editor's windows on the program's own skin: the panel, group boxes, buttons and
// the about box's label drawn from it, the roll-ups, the hover fade, the disabled look;
// screenshots of both windows (editor-skinned.bmp, about-skinned.bmp) and of the about
// box's hint (about-hint.bmp) beside the test program for people to look at.
#include "app/About_sl.h"
#include "app/Dm.h"
#include "app/Segled.h"
#include "tests/support/GuiTestSupport.h"

#include "skin/boxctrls/SkinBoxCtrls_ComboBoxes.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinForm.h"

#include "classlib/FormLoader.h"
#include "classlib/Hints.h"
#include "classlib/Images.h"
#include "classlib/Timers.h"
#include "classlib/Paths.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class SkinnedWindows : public testing::Test {
protected:
    static void SetUpTestSuite() { DMM = CreateFromResource<TDMM>(nullptr); }
    static void TearDownTestSuite() {
        delete DMM;
        DMM = nullptr;
    }
    void SetUp() override {
        FAbout = CreateFromResource<TFAbout>(nullptr);
        Form = CreateFromResource<TFM>(nullptr);
        Form->Show();
        Pump();
    }
    void TearDown() override {
        delete Form;
        delete FAbout;
        FAbout = nullptr;
        Pump();
    }
    static void Send(TWinControl* Control, UINT Msg, WPARAM Keys, int X, int Y) {
        SendMessageA(Control->GetHandle(), Msg, Keys, MAKELPARAM(X, Y));
    }
    // The control's pixels as it paints itself.
    static std::vector<COLORREF> PixelsOf(TWinControl* Control) {
        auto picture = PaintToBitmap(Control);
        std::vector<COLORREF> pixels;
        for (int y = 0; y < Control->GetHeight(); ++y)
            for (int x = 0; x < Control->GetWidth(); ++x)
                pixels.push_back(PixelOf(picture.get(), x, y));
        return pixels;
    }

    TFM* Form = nullptr;
};

TEST_F(SkinnedWindows, TheMainWindowMinimizesThroughTheApplicationAndItsIconRestoresIt) {
    delete Form;
    Application->CreateForm(Form);
    ASSERT_EQ(Application->GetMainForm(), Form);
    Form->Show();
    Pump();
    int shows = 0;
    Form->OnShow = TNotifyEvent::FromCallable([&](TObject*) { ++shows; });
    TskSkinForm* frame = GetSkinFormComponent(Form);
    ASSERT_NE(frame, nullptr);
    frame->SetWindowState(wsMinimized);
    Pump();
    HWND wnd = Form->GetHandle();
    ASSERT_TRUE(IsIconic(wnd));
    // The icon is all caption, and its double click is left to the system, so the double
    // click restores the window instead of rolling it up.
    RECT icon;
    GetWindowRect(wnd, &icon);
    const LPARAM middle = MAKELPARAM((icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2);
    EXPECT_EQ(SendMessageA(wnd, WM_NCHITTEST, 0, middle), HTCAPTION);
    SendMessageA(wnd, WM_NCLBUTTONDBLCLK, HTCAPTION, middle);
    Pump();
    EXPECT_FALSE(IsIconic(wnd));
    EXPECT_TRUE(IsWindowVisible(wnd));
    EXPECT_FALSE(frame->GetRollUpState());
    EXPECT_EQ(shows, 0);
}

TEST_F(SkinnedWindows, EverySwappedControlIsDrawnFromTheSkin) {
    ASSERT_FALSE(DMM->STS_SkinData->Empty);
    for (TskSkinClient* control :
         std::initializer_list<TskSkinClient*>{Form->PNL_Main, Form->SGB_Type, Form->SGB_Led,
                                               Form->SGB_Pages, Form->PNL_PageTools, Form->BTN_Add,
                                               Form->BTN_DeletePage, Form->CB_LedType, FAbout->skSkinLabel1}) {
        EXPECT_EQ(control->GetSkin(), DMM->STS_SkinData);
        control->GetSkinData();
        EXPECT_NE(control->GetSkinIndex(), -1) << control->GetSkinDataName();
    }
}

TEST_F(SkinnedWindows, TheTypeBoxStartsRolledUpAndItsCaptionUnrollsIt) {
    ASSERT_TRUE(Form->SGB_Type->GetRollUpState());
    EXPECT_FALSE(Form->CB_LedType->GetVisible());
    const int rolled = Form->SGB_Type->GetHeight();
    Send(Form->SGB_Type, WM_LBUTTONDOWN, MK_LBUTTON, 40, 8);
    Send(Form->SGB_Type, WM_LBUTTONUP, 0, 40, 8);
    EXPECT_FALSE(Form->SGB_Type->GetRollUpState());
    EXPECT_GT(Form->SGB_Type->GetHeight(), rolled);
    EXPECT_TRUE(Form->CB_LedType->GetVisible());
    // The pages box has no roll-up of its own: a click on it rolls the LED box.
    Send(Form->SGB_Pages, WM_LBUTTONDOWN, MK_LBUTTON, 40, 8);
    Send(Form->SGB_Pages, WM_LBUTTONUP, 0, 40, 8);
    EXPECT_TRUE(Form->SGB_Led->GetRollUpState());
    EXPECT_FALSE(Form->SGB_Pages->GetRollUpState());
}

TEST_F(SkinnedWindows, AHoveredButtonFadesInAndADisabledOneLooksDisabled) {
    TskSkinButton* add = Form->BTN_Add;
    const auto normal = PixelsOf(add);
    Send(add, WM_MOUSEMOVE, 0, 10, 10);
    ASSERT_TRUE(add->IsMorphing());
    add->DoMorph();
    add->DoMorph();
    add->DoMorph();
    const auto fading = PixelsOf(add);
    while (add->IsMorphing()) add->DoMorph();
    const auto lit = PixelsOf(add);
    EXPECT_NE(normal, lit);
    EXPECT_NE(fading, normal);
    EXPECT_NE(fading, lit);
    ASSERT_FALSE(Form->BTN_Replace->GetEnabled());
    EXPECT_NE(PixelsOf(Form->BTN_Replace), normal);
}

TEST_F(SkinnedWindows, ScreenshotsOfBothWindows) {
    Send(Form->BTN_Add, WM_MOUSEMOVE, 0, 10, 10);
    while (Form->BTN_Add->IsMorphing()) Form->BTN_Add->DoMorph();
    CaptureWindow(Form->GetHandle())->SaveToFile(ExeDir() + "editor-skinned.bmp");
    FAbout->Show();
    Pump();
    CaptureWindow(FAbout->GetHandle())->SaveToFile(ExeDir() + "about-skinned.bmp");
    // Resting on the label or the picture shows "Close" (the pauses are long here: the
    // hint timer is ticked by hand).
    Application->SetHintPause(600000);
    Application->SetHintHidePause(600000);
    auto hintAt = [](TControl* Control, int X, int Y) {
        TPoint screen = Control->ClientToScreen({X, Y});
        SetCursorPos(screen.X, screen.Y);
        Pump();
        SendMessageA(Application->GetHintTimer()->GetWindowHandle(), WM_TIMER, 1, 0);
        Pump();
        char text[16] = {};
        if (Application->GetHintShowing())
            GetWindowTextA(Application->GetHintWindow()->GetHandle(), text, sizeof(text));
        return std::string(text);
    };
    EXPECT_EQ(hintAt(FAbout->Image1, 80, 50), "Close");
    EXPECT_EQ(hintAt(FAbout->skSkinLabel1, 40, 8), "Close");
    RECT about, hint;
    GetWindowRect(FAbout->GetHandle(), &about);
    GetWindowRect(Application->GetHintWindow()->GetHandle(), &hint);
    UnionRect(&about, &about, &hint);
    auto shot = CaptureWindow(GetDesktopWindow());
    TBitmap part(about.right - about.left, about.bottom - about.top);
    BitBlt(part.GetCanvas()->GetHandle(), 0, 0, part.GetWidth(), part.GetHeight(),
           shot->GetCanvas()->GetHandle(), about.left, about.top, SRCCOPY);
    part.SaveToFile(ExeDir() + "about-hint.bmp");
    // A click on the label hides the hint and closes the about box.
    PostClick(FAbout->skSkinLabel1, 40, 8);
    EXPECT_FALSE(Application->GetHintShowing());
    EXPECT_FALSE(FAbout->GetVisible());
    Application->SetHintPause(500);
    Application->SetHintHidePause(2500);
    SetCursorPos(0, 0);
}

} // namespace

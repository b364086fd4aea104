// The editor's windows on the program's own skin: the panel, group boxes, buttons and
// the about box's label drawn from it, the roll-ups, the hover fade, the disabled look
// (also of what a disabled container holds), every text's fit, sizing by the frame's
// bottom edge with the real pointer; screenshots of both windows (editor-skinned.bmp,
// about-skinned.bmp), of the editor while it animates (editor-animating.bmp) and of the
// about box's hint (about-hint.bmp) beside the test program for people to look at.
#include "app/About_sl.h"
#include "app/Dm.h"
#include "app/Segled.h"
#include "tests/support/GuiTestSupport.h"

#include "skin/boxctrls/SkinBoxCtrls_ComboBoxes.h"
#include "skin/controls/SkinCtrls_Labels.h"
#include "skin/data/SkinData.h"
#include "skin/data/Skutils_Geometry.h"
#include "skin/form/SkinForm.h"
#include "skin/form/skMessages.h"

#include "classlib/FormLoader.h"
#include "classlib/Hints.h"
#include "classlib/Images.h"
#include "classlib/Timers.h"
#include "classlib/Paths.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

namespace {

// A canvas in the font a skin record names, to measure texts as the control draws them.
template <class R> std::unique_ptr<TBitmap> CanvasInFontOf(TskSkinClient* Control) {
    auto canvas = std::make_unique<TBitmap>(1, 1);
    auto* record = dynamic_cast<R*>(Control->GetSkinRecord());
    if (!record) {
        ADD_FAILURE() << Control->GetSkinDataName() << " has no record of its kind";
        return canvas;
    }
    TFont* font = canvas->GetCanvas()->GetFont();
    font->SetName(record->FontName);
    font->SetHeight(record->FontHeight);
    font->SetStyle(record->FontStyle);
    return canvas;
}

// Text, measured in Canvas's font with two pixels for the glyphs' overhang, fits Room.
void ExpectFits(TCanvas* Canvas, AnsiString Text, const TRect& Room, const std::string& What) {
    std::erase(Text, '&');
    const TSize size = Canvas->TextExtent(Text);
    EXPECT_LE(size.cx + 2, RectWidth(Room)) << What << ": \"" << Text << "\"";
    EXPECT_LE(size.cy, RectHeight(Room)) << What << ": \"" << Text << "\"";
}

// A button centres its caption across its whole height between the skin's side insets.
void ExpectButtonFits(TskSkinButton* Button, const std::vector<AnsiString>& Captions) {
    auto canvas = CanvasInFontOf<TskDataSkinButtonControl>(Button);
    const TRect room(Button->NewClRect.Left, 0, Button->NewClRect.Right, Button->GetHeight());
    for (const AnsiString& caption : Captions)
        ExpectFits(canvas->GetCanvas(), caption, room, Button->GetName());
}

void ExpectCaptionFits(TskSkinPanel* Box, const AnsiString& Caption) {
    TBitmap canvas(1, 1);
    Box->SetCaptionFont(canvas.GetCanvas());
    ExpectFits(canvas.GetCanvas(), Caption, Box->CaptionTextRect(), Box->GetName());
}

// Every control lies inside its parent's client area, all the way down.
void ExpectInsideParents(TWinControl* Parent) {
    const TRect client = Parent->GetClientRect();
    for (int i = 0; i < Parent->GetControlCount(); ++i) {
        TControl* control = Parent->GetControl(i);
        if (!control->GetVisible()) continue;
        const TRect r = control->GetBoundsRect();
        EXPECT_TRUE(r.Left >= client.Left && r.Top >= client.Top && r.Right <= client.Right &&
                    r.Bottom <= client.Bottom)
            << control->GetName() << " in " << Parent->GetName();
        if (auto* inner = dynamic_cast<TWinControl*>(control)) ExpectInsideParents(inner);
    }
}

// The skinned message box's text and buttons fit, inside the box.
void ExpectMessageFits(TskMessageForm* Box) {
    auto* label = dynamic_cast<TskSkinStdLabel*>(Box->FindComponent("Message"));
    ASSERT_NE(label, nullptr);
    ASSERT_NE(label->GetSkin(), nullptr);
    const int index = label->GetSkin()->GetControlIndex(label->GetSkinDataName());
    ASSERT_NE(index, -1);
    auto* record = dynamic_cast<TskDataSkinStdLabelControl*>(
        label->GetSkin()->CtrlList[static_cast<std::size_t>(index)].get());
    ASSERT_NE(record, nullptr);
    TBitmap canvas(1, 1);
    canvas.GetCanvas()->GetFont()->SetName(record->FontName);
    canvas.GetCanvas()->GetFont()->SetHeight(record->FontHeight);
    canvas.GetCanvas()->GetFont()->SetStyle(record->FontStyle);
    AnsiString text = label->GetCaption();
    for (std::size_t from = 0; from <= text.size();) {
        const std::size_t end = std::min(text.find('\r', from), text.size());
        const AnsiString line = text.substr(from, end - from);
        EXPECT_LE(canvas.GetCanvas()->TextWidth(line) + 2, label->GetWidth()) << line;
        from = end + 1;
    }
    ExpectInsideParents(Box);
    for (int i = 0; i < Box->GetControlCount(); ++i)
        if (auto* button = dynamic_cast<TskSkinButton*>(Box->GetControl(i)))
            ExpectButtonFits(button, {button->GetCaption()});
}

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
        if (Msg == WM_MOUSEMOVE) PutPointer(Control, X, Y);
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
    // It shows the skin's caption with the program's title, not a black box.
    auto shot = CaptureWindow(wnd);
    shot->SaveToFile(ExeDir() + "main-iconic.bmp");
    int black = 0, title = 0;
    for (int y = 0; y < shot->GetHeight(); ++y)
        for (int x = 0; x < shot->GetWidth(); ++x) {
            const COLORREF c = PixelOf(shot.get(), x, y);
            black += c == 0;
            title += y >= 3 && y < 21 && x >= 24 && x < 100 && GetRValue(c) + GetGValue(c) + GetBValue(c) > 3 * 180;
        }
    EXPECT_LT(black, shot->GetWidth() * shot->GetHeight() / 10);
    EXPECT_GT(title, 20) << "the title's light ink on the caption";
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
    // The editor's hint component sits on its main form.
    Application->SetMainForm(Form);
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

// The screen's pixels of the rectangle that holds both windows.
std::unique_ptr<TBitmap> ShotOfBoth(HWND A, HWND B) {
    RECT a, b;
    GetWindowRect(A, &a);
    GetWindowRect(B, &b);
    UnionRect(&a, &a, &b);
    auto shot = CaptureWindow(GetDesktopWindow());
    auto part = std::make_unique<TBitmap>(a.right - a.left, a.bottom - a.top);
    part->SetPixelFormat(pf24bit);
    BitBlt(part->GetCanvas()->GetHandle(), 0, 0, part->GetWidth(), part->GetHeight(),
           shot->GetCanvas()->GetHandle(), a.left, a.top, SRCCOPY);
    return part;
}

TEST_F(SkinnedWindows, TheFramesObjectsAndTheAboutBoxShowTheirHintsInTheSkinnedLook) {
    Application->SetMainForm(Form);
    Application->SetHintPause(600000);
    Application->SetHintHidePause(600000);
    TskSkinHint* hint = Form->SHT_Hint;
    ASSERT_EQ(Form->skSkinForm1->GetSkinHint(), hint);
    ASSERT_TRUE(Form->skSkinForm1->GetShowObjectHint());
    TskSkinData* skin = DMM->STS_SkinData;
    TBitmap* picture = skin->ActivePictures[static_cast<std::size_t>(skin->HintWindow->WindowPictureIndex)].get();
    const COLORREF edge = PixelOf(picture, 0, 0), inside = PixelOf(picture, picture->GetWidth() / 2, picture->GetHeight() - 4);
    auto expectSkinned = [&](HWND Wnd, const char* Text) {
        char text[32] = {};
        GetWindowTextA(Wnd, text, sizeof(text));
        EXPECT_STREQ(text, Text);
        auto shot = ScreenShot(Wnd);
        EXPECT_EQ(PixelOf(shot.get(), 0, 0), edge) << Text;
        EXPECT_EQ(PixelOf(shot.get(), 2, shot->GetHeight() - 3), inside) << Text;
        EXPECT_GE(shot->GetWidth(), picture->GetWidth());
        EXPECT_GE(shot->GetHeight(), picture->GetHeight());
    };

    // The pointer rests on the main window's minimize button.
    TskSkinForm* frame = Form->skSkinForm1;
    for (int i = 0; i < 50 && !frame->GetFormActive(); ++i) {
        SetForegroundWindow(Form->GetHandle());
        Pump();
    }
    ASSERT_TRUE(frame->GetFormActive());
    const int min = frame->GetIndex("minbutton");
    ASSERT_NE(min, -1);
    const TRect button = frame->GetObject(min)->ObjectRect;
    RECT window;
    GetWindowRect(Form->GetHandle(), &window);
    PointerTo({window.left + (button.Left + button.Right) / 2, window.top + (button.Top + button.Bottom) / 2});
    ASSERT_TRUE(PumpUntil([&] { return hint->GetHintTimer() != nullptr; })) << "the object's hint waits";
    hint->HintTime1(hint->GetHintTimer());
    Pump();
    ASSERT_TRUE(hint->IsVisible());
    expectSkinned(hint->GetHintWindow()->GetHandle(), "Minimize");
    auto objectShot = ShotOfBoth(Form->GetHandle(), hint->GetHintWindow()->GetHandle());

    // The pointer rests on the about box's label.
    FAbout->Show();
    Pump();
    const TPoint label = FAbout->skSkinLabel1->ClientToScreen({40, 8});
    PointerTo(label);
    ASSERT_TRUE(PumpUntil([] { return Application->GetHint() == "Close"; })) << "the label's hint waits";
    ASSERT_NE(Application->GetHintTimer(), nullptr);
    SendMessageA(Application->GetHintTimer()->GetWindowHandle(), WM_TIMER, 1, 0);
    Pump();
    ASSERT_TRUE(Application->GetHintShowing());
    auto* window2 = dynamic_cast<TskSkinHintWindow*>(Application->GetHintWindow());
    ASSERT_NE(window2, nullptr);
    EXPECT_EQ(window2->GetSkinData(), skin);
    expectSkinned(window2->GetHandle(), "Close");
    auto aboutShot = ShotOfBoth(FAbout->GetHandle(), window2->GetHandle());

    TBitmap both(objectShot->GetWidth() + 8 + aboutShot->GetWidth(),
                 std::max(objectShot->GetHeight(), aboutShot->GetHeight()));
    both.SetPixelFormat(pf24bit);
    both.GetCanvas()->GetBrush()->SetColor(clWhite);
    both.GetCanvas()->FillRect(TRect(0, 0, both.GetWidth(), both.GetHeight()));
    both.GetCanvas()->Draw(0, 0, objectShot.get());
    both.GetCanvas()->Draw(objectShot->GetWidth() + 8, 0, aboutShot.get());
    both.SaveToFile(ExeDir() + "hint-skinned.bmp");

    Application->CancelHint();
    hint->HideHint();
    Application->SetHintPause(500);
    Application->SetHintHidePause(2500);
    PointerTo({0, 0});
    Pump();
}

TEST_F(SkinnedWindows, EveryTextOfTheMainWindowAndTheAboutBoxFitsWhereItIsDrawn) {
    // The widest pattern caption: b and f lit under common anode give 221, $DD, %11011101.
    Form->Clear2Click(nullptr);
    Bmp32::TLayerCollection* layers = Form->IMG_Seg->GetLayers();
    Form->IMG_SegMouseDown(nullptr, mbLeft, {}, 0, 0, layers->GetItem(1));
    Form->IMG_SegMouseDown(nullptr, mbLeft, {}, 0, 0, layers->GetItem(5));
    ASSERT_EQ(Form->GetPattern(), 0xDD);
    ExpectCaptionFits(Form->SGB_Led, Form->SGB_Led->GetCaption());
    ExpectCaptionFits(Form->SGB_Pages, Form->SGB_Pages->GetCaption());
    TStrings* types = Form->CB_LedType->GetItems();
    auto combo = CanvasInFontOf<TskDataSkinComboBox>(Form->CB_LedType);
    for (int i = 0; i < types->GetCount(); ++i) {
        ExpectCaptionFits(Form->SGB_Type, "Type ::  " + types->Get(i));
        ExpectFits(combo->GetCanvas(), types->Get(i), Form->CB_LedType->ShownTextRect(), "CB_LedType");
    }
    ExpectButtonFits(Form->BTN_Add, {"Add Page"});
    ExpectButtonFits(Form->BTN_Replace, {"Replace Page"});
    ExpectButtonFits(Form->BTN_Animate, {"Animate Pages", "Animate", "Stop", "Stop (888 - 888)"});
    ExpectButtonFits(Form->BTN_ApplyNode, {"Apply"});
    for (TskSkinButton* tool : {Form->BTN_ViewPage, Form->BTN_MoveUp, Form->BTN_MoveDown, Form->BTN_DeletePage})
        ExpectButtonFits(tool, {tool->GetCaption()});
    // The page tools get the width their buttons are placed in.
    EXPECT_GE(Form->PNL_PageTools->GetWidth(), 313);
    ExpectInsideParents(Form);
    Form->SGB_Type->SetRollUpState(false);
    ExpectInsideParents(Form->SGB_Type);

    TskSkinLabel* about = FAbout->skSkinLabel1;
    auto label = CanvasInFontOf<TskDataSkinLabelControl>(about);
    ExpectFits(label->GetCanvas(), about->GetCaption(), about->NewClRect, "skSkinLabel1");
    ExpectInsideParents(FAbout);
}

TEST_F(SkinnedWindows, EveryQuestionAndNoticeFitsItsMessageBox) {
    int boxes = 0;
    SetMessageFormHook([&](TskMessageForm* Box) {
        ++boxes;
        ExpectMessageFits(Box);
        Application->OnIdle = TIdleEvent::FromCallable([Box](TObject*, bool& Done) {
            TskMessageForm* box = Box;
            Application->OnIdle = nullptr;
            PostMessageA(box->GetHandle(), WM_CLOSE, 0, 0);
            Done = false;
        });
    });
    Form->SXBasicSXx1Click(nullptr);
    Form->CB_LedType->SetItemIndex(1);
    Form->BTN_ApplyNodeClick(nullptr);
    Form->BTN_AddClick(nullptr);
    Form->New2Click(nullptr);
    Form->SSM_Message->MessageDlg("Overwrite " + ExeDir() + "Untitled.pge?", mtConfirmation,
                                  {mbYes, mbNo}, 0);
    SetMessageFormHook(nullptr);
    EXPECT_EQ(boxes, 4);
}

TEST_F(SkinnedWindows, TheMainWindowSizesByItsBottomEdgeOnlyAndToNoLessThan320) {
    TskSkinForm* frame = Form->skSkinForm1;
    ASSERT_TRUE(PumpUntil([&] {
        if (frame->GetFormActive()) return true;
        SetForegroundWindow(Form->GetHandle());
        return false;
    })) << "the window could not be activated";
    auto window = [&] {
        RECT r;
        GetWindowRect(Form->GetHandle(), &r);
        return TRect(r.left, r.top, r.right, r.bottom);
    };
    const TRect before = window();
    ASSERT_EQ(RectWidth(before), 325);
    const TPoint bottom((before.Left + before.Right) / 2, before.Bottom - 1);
    EXPECT_EQ(SendMessageA(Form->GetHandle(), WM_NCHITTEST, 0, MAKELPARAM(bottom.X, bottom.Y)), HTBOTTOM);
    const auto hover = [frame] { frame->TestMouse(nullptr); };
    TPoint moved = DragPointer(bottom, 0, 40, hover);
    ASSERT_GT(moved.Y, 0);
    EXPECT_EQ(window(), TRect(before.Left, before.Top, before.Right, before.Bottom + moved.Y));
    // Far up: the window stops at its least height.
    DragPointer(TPoint(bottom.X, window().Bottom - 1), 0, -RectHeight(before), hover);
    EXPECT_EQ(window(), TRect(before.Left, before.Top, before.Right, before.Top + 320));
    // The side border leaves the width as it is.
    const TRect small = window();
    DragPointer(TPoint(small.Right - 1, (small.Top + small.Bottom) / 2), 40, 0, hover);
    EXPECT_EQ(window(), small);
    SetCursorPos(0, 0);
}

TEST_F(SkinnedWindows, DuringTheAnimationTheControlsThatTakeNoInputLookDisabled) {
    Form->BTN_AddClick(nullptr);
    Form->BTN_AddClick(nullptr);
    std::vector<TWinControl*> idle{Form->SGB_Pages, Form->TBL_Leds, Form->BTN_ViewPage,
                                   Form->BTN_DeletePage, Form->BTN_Add};
    std::vector<std::vector<COLORREF>> before;
    for (TWinControl* control : idle) before.push_back(PixelsOf(control));
    Form->BTN_AnimateClick(nullptr);
    ASSERT_FALSE(Form->SGB_Pages->GetEnabled());
    EXPECT_TRUE(Form->BTN_ViewPage->GetEnabled()) << "the page tools keep their own state";
    for (std::size_t i = 0; i < idle.size(); ++i)
        EXPECT_NE(PixelsOf(idle[i]), before[i]) << idle[i]->GetName();
    CaptureWindow(Form->GetHandle())->SaveToFile(ExeDir() + "editor-animating.bmp");
    Form->BTN_AnimateClick(nullptr);
    for (std::size_t i = 0; i < idle.size(); ++i)
        EXPECT_EQ(PixelsOf(idle[i]), before[i]) << idle[i]->GetName();
}

} // namespace

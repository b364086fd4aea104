// The editor's windows on the program's own skin: the panel, group boxes, buttons and
// the about box's label drawn from it, the roll-ups, the hover fade, the disabled look;
// screenshots of both windows (editor-skinned.bmp, about-skinned.bmp), of the about box's
// hint (about-hint.bmp), the combo box's drop-down, the popup menu, the Apply question and
// the file dialogs beside the test program for people to look at; the file commands end
// to end by keys and clicks.
#include "app/About_sl.h"
#include "app/Dm.h"
#include "app/Segled.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/TempFolder.h"

#include "skin/boxctrls/SkinBoxCtrls_ComboBoxes.h"
#include "skin/boxctrls/skSkinShellCtrls_Dialogs.h"
#include "skin/boxctrls/skfilectrl_Paths.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinMenus.h"
#include "skin/form/skMessages.h"

#include "classlib/FormLoader.h"
#include "classlib/Hints.h"
#include "classlib/Images.h"
#include "classlib/Timers.h"
#include "classlib/Paths.h"

#include <gtest/gtest.h>

#include <functional>
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

// ---- Questions, drop-down, popup menu and file dialogs -------------------------------------

class SkinnedEditorInUse : public SkinnedWindows, protected TTempFolder {
protected:
    void TearDown() override {
        Application->OnIdle = nullptr;
        SetMessageFormHook(nullptr);
        SkinnedWindows::TearDown();
        SetCurrentDir(ExeDir());
    }
    // Script acts on the next file dialog of the editor once it shows; it stays open
    // when the script leaves it open, so the script closes it.
    void OnFileDialog(std::function<void(TskOpenDlgForm*)> Script) {
        Application->OnIdle = TIdleEvent::FromCallable([this, Script](TObject*, bool&) {
            const std::function<void(TskOpenDlgForm*)> act = Script;
            TskSkinOpenDialog* dialog = Form->DLG_Open->Dlg ? Form->DLG_Open : Form->DLG_Save;
            TskOpenDlgForm* form = dialog->Dlg;
            if (!form || !form->GetVisible()) return;
            Application->OnIdle = nullptr;
            act(form);
            if (form->GetModalResult() == mrNone) PostMessageA(form->GetHandle(), WM_CLOSE, 0, 0);
        });
    }
    // A key pressed and released; with Alt, the key data says so.
    void Key(HWND Wnd, Word Key, bool Alt = false) {
        const LPARAM alt = Alt ? 0x20000000 : 0;
        PostMessageA(Wnd, Alt ? WM_SYSKEYDOWN : WM_KEYDOWN, Key, 1 | alt);
        PostMessageA(Wnd, Alt ? WM_SYSKEYUP : WM_KEYUP, Key, 0xC0000001 | alt);
        Pump();
    }
    static void TypeText(TWinControl* Control, const AnsiString& Text) {
        for (char c : Text) PostMessageA(Control->GetHandle(), WM_CHAR, static_cast<Byte>(c), 1);
        Pump();
    }
    static void DoubleClickItem(TskSkinFileListView* List, const AnsiString& Caption) {
        int item = -1;
        for (int i = 0; i < List->GetItemCount(); ++i)
            if (List->GetItemCaption(i) == Caption) item = i;
        ASSERT_GE(item, 0) << Caption;
        RECT r{};
        r.left = LVIR_LABEL;
        SendMessageA(List->GetHandle(), LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&r));
        PostDoubleClick(List, r.left + 5, (r.top + r.bottom) / 2);
    }
};

TEST_F(SkinnedEditorInUse, FrameCornersDropDownPopupMenuAndApplyQuestion) {
    TBitmap* picture = DMM->STS_SkinData->Picture.get();
    ASSERT_NE(picture, nullptr);
    SetForegroundWindow(Form->GetHandle());
    Pump();
    auto shot = CaptureWindow(Form->GetHandle());
    const int w = shot->GetWidth(), h = shot->GetHeight();
    const int pw = picture->GetWidth(), ph = picture->GetHeight();
    EXPECT_EQ(PixelOf(shot.get(), 1, 1), PixelOf(picture, 1, 1));
    EXPECT_EQ(PixelOf(shot.get(), w - 2, 1), PixelOf(picture, pw - 2, 1));
    EXPECT_EQ(PixelOf(shot.get(), 1, h - 2), PixelOf(picture, 1, ph - 2));
    EXPECT_EQ(PixelOf(shot.get(), w - 2, h - 2), PixelOf(picture, pw - 2, ph - 2));

    // The type box unrolled and its list dropped down, without taking the activation.
    Send(Form->SGB_Type, WM_LBUTTONDOWN, MK_LBUTTON, 40, 8);
    Send(Form->SGB_Type, WM_LBUTTONUP, 0, 40, 8);
    Form->CB_LedType->DropDown();
    Pump();
    EXPECT_TRUE(Form->CB_LedType->IsPopupVisible());
    EXPECT_EQ(GetActiveWindow(), Form->GetHandle());
    CaptureWindow(Form->GetHandle())->SaveToFile(ExeDir() + "editor-dropdown.bmp");
    Form->CB_LedType->CloseUp(false);
    Pump();

    // The popup menu of the LED view.
    const TPoint at(150, 100);
    Send(Form->IMG_Seg, WM_RBUTTONDOWN, MK_RBUTTON, at.X, at.Y);
    Send(Form->IMG_Seg, WM_RBUTTONUP, 0, at.X, at.Y);
    Pump();
    ASSERT_EQ(Form->skSkinForm1->GetSkinMenu()->GetCount(), 1);
    CaptureWindow(Form->GetHandle())->SaveToFile(ExeDir() + "editor-popup.bmp");
    Form->skSkinForm1->GetSkinMenu()->CloseMenu(0);
    Pump();

    // The Apply question in the skinned message box, answered No.
    Form->CB_LedType->SetItemIndex(1);
    AnsiString asked;
    SetMessageFormHook([&](TskMessageForm* F) {
        Application->OnIdle = TIdleEvent::FromCallable([F, &asked](TObject*, bool&) {
            TskMessageForm* box = F;
            Application->OnIdle = nullptr;
            asked = box->GetCaption();
            CaptureWindow(box->GetHandle())->SaveToFile(ExeDir() + "editor-apply-question.bmp");
            PostMessageA(box->GetHandle(), WM_KEYDOWN, 'N', 1);
            Pump();
            if (box->GetModalResult() == mrNone) PostMessageA(box->GetHandle(), WM_CLOSE, 0, 0);
        });
    });
    PostClick(Form->BTN_ApplyNode, 5, 5);
    EXPECT_EQ(asked, "Confirm");
    EXPECT_TRUE(Form->GetTypeChanged()) << "No converts nothing";
}

TEST_F(SkinnedEditorInUse, OpenByKeysLoadsADoubleClickedFileAndSaveWritesTheTypedName) {
    Put("anode.pge", "[Type]\r\nCommonType=0\r\n[Page]\r\n0=192\r\n1=249\r\n");
    Put("cathode.pge", "[Type]\r\nCommonType=1\r\n[Page]\r\n0=6\r\n");
    Put("notes.txt", "not a page file");
    const AnsiString folder = IncludeTrailingPathDelimiter(GetPath().string());

    AnsiString title;
    OnFileDialog([&](TskOpenDlgForm* F) {
        title = F->GetCaption();
        ASSERT_TRUE(TakeFocus(F->Edit));
        TypeText(F->Edit, folder);
        PostKey(F->Edit, VK_RETURN);
        EXPECT_EQ(F->FLV->GetDirectory(), folder);
        EXPECT_EQ(F->FCB->GetItemIndex(), 0);
        CaptureWindow(F->GetHandle())->SaveToFile(ExeDir() + "editor-open-dialog.bmp");
        DoubleClickItem(F->FLV, "anode.pge");
    });
    ASSERT_TRUE(TakeFocus(Form));
    HWND wnd = Form->GetHandle();
    Key(wnd, VK_MENU, true);
    ASSERT_TRUE(Form->skSkinForm1->GetMainMenuActive());
    Key(wnd, VK_RETURN);
    Key(wnd, VK_DOWN);
    Key(wnd, VK_RETURN);
    EXPECT_EQ(title, "Open Page File");
    EXPECT_EQ(Form->GetFileName(), folder + "anode.pge");
    EXPECT_EQ(Form->GetPages().GetBytes(), (std::vector<Byte>{0xC0, 0xF9}));

    OnFileDialog([&](TskOpenDlgForm* F) {
        title = F->GetCaption();
        EXPECT_EQ(F->FLV->GetDirectory(), folder) << "the current file's folder";
        EXPECT_EQ(F->Edit->GetText(), "anode.pge");
        CaptureWindow(F->GetHandle())->SaveToFile(ExeDir() + "editor-save-dialog.bmp");
        F->Edit->SetText("");
        ASSERT_TRUE(TakeFocus(F->Edit));
        TypeText(F->Edit, "digits");
        PostClick(F->OpenButton, 10, 10);
    });
    Form->S1->GetParentMenu()->DispatchCommand(Form->S1->GetCommand());
    Pump();
    EXPECT_EQ(title, "Save file");
    EXPECT_EQ(Get("digits.pge"), "[Type]\r\nCommonType=0\r\n[Page]\r\n0=192\r\n1=249\r\n");
    EXPECT_EQ(Form->GetFileName(), folder + "digits.pge");
    Form->GetCanvas()->GetFont()->Assign(Form->GetFont());
    const AnsiString shortened = Skfilectrl::MinimizeName(folder + "digits.pge", Form->GetCanvas(), 280);
    EXPECT_EQ(Form->SGB_Pages->GetCaption(), "Pages ::   " + shortened);
    EXPECT_NE(shortened.find("digits.pge"), AnsiString::npos);
}

} // namespace

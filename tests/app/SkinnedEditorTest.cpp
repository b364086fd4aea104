// The fully skinned editor in use on the program's own skin: the frame's corners against
// the skin picture, the type box's drop-down, the popup menu and the Apply question, and the
// file commands end to end by keys and clicks through the real skinned dialogs, scripted
// in-process. Screenshots (editor-*.bmp) go beside the test program for people to look at.
#include "app/Dm.h"
#include "app/Segled.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/ScreenText.h"
#include "tests/support/TempFolder.h"

#include "skin/boxctrls/SkinBoxCtrls_ComboBoxes.h"
#include "skin/boxctrls/skSkinShellCtrls_Dialogs.h"
#include "skin/data/Skutils_Geometry.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinMenus.h"
#include "skin/form/skMessages.h"

#include "classlib/FormLoader.h"
#include "classlib/Menus.h"
#include "classlib/Paths.h"
#include "classlib/Strings.h"
#include "classlib/Timers.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

class SkinnedEditorInUse : public testing::Test, protected TTempFolder {
protected:
    static void SetUpTestSuite() { DMM = CreateFromResource<TDMM>(nullptr); }
    static void TearDownTestSuite() {
        delete DMM;
        DMM = nullptr;
    }
    void SetUp() override {
        // An error shown in a system box would wait for ever: each one fails the test.
        Application->OnException = TExceptionEvent::FromCallable(
            [](TObject*, const std::exception& E) { ADD_FAILURE() << "error shown: " << E.what(); });
        Form = CreateFromResource<TFM>(nullptr);
        Form->Show();
        Pump();
    }
    void TearDown() override {
        Application->OnIdle = nullptr;
        SetMessageFormHook(nullptr);
        delete Form;
        Pump();
        Application->OnException = nullptr;
        SetCurrentDir(ExeDir());
    }
    static void Send(TWinControl* Control, UINT Msg, WPARAM Keys, int X, int Y) {
        SendMessageA(Control->GetHandle(), Msg, Keys, MAKELPARAM(X, Y));
    }
    // Script acts on the next file dialog of the editor once it shows; it stays open
    // when the script leaves it open, so the script closes it.
    void OnFileDialog(std::function<void(TskOpenDlgForm*)> Script) {
        Application->OnIdle = TIdleEvent::FromCallable([this, Script](TObject*, bool& Done) {
            const std::function<void(TskOpenDlgForm*)> act = Script;
            TskSkinOpenDialog* dialog = Form->DLG_Open->Dlg ? Form->DLG_Open : Form->DLG_Save;
            TskOpenDlgForm* form = dialog->Dlg;
            if (!form || !form->GetVisible()) return;
            Application->OnIdle = nullptr;
            act(form);
            if (form->GetModalResult() == mrNone) PostMessageA(form->GetHandle(), WM_CLOSE, 0, 0);
            // The modal loop looks at the result only after a message: it must not wait.
            Done = false;
        });
    }
    // A key pressed and released; with Alt, the key data says so.
    void Key(HWND Wnd, Word Key, bool Alt = false) {
        const LPARAM alt = Alt ? 0x20000000 : 0;
        PostMessageA(Wnd, Alt ? WM_SYSKEYDOWN : WM_KEYDOWN, Key, 1 | alt);
        PostMessageA(Wnd, Alt ? WM_SYSKEYUP : WM_KEYUP, Key, 0xC0000001 | alt);
        Pump();
    }
    // A menu command as a chosen menu row runs it.
    static void Choose(TMenuItem* Item) {
        Item->GetParentMenu()->DispatchCommand(Item->GetCommand());
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

    TFM* Form = nullptr;
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
        Application->OnIdle = TIdleEvent::FromCallable([F, &asked](TObject*, bool& Done) {
            // Clearing the event frees this callable: keep what it holds first.
            TskMessageForm* box = F;
            AnsiString& caption = asked;
            Application->OnIdle = nullptr;
            caption = box->GetCaption();
            CaptureWindow(box->GetHandle())->SaveToFile(ExeDir() + "editor-apply-question.bmp");
            PostMessageA(box->GetHandle(), WM_KEYDOWN, 'N', 1);
            Pump();
            if (box->GetModalResult() == mrNone) PostMessageA(box->GetHandle(), WM_CLOSE, 0, 0);
            Done = false;
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

    // No question is expected: one would stay open for ever.
    SetMessageFormHook([](TskMessageForm* F) {
        ADD_FAILURE() << "unexpected question: " << F->GetCaption();
        PostMessageA(F->GetHandle(), WM_CLOSE, 0, 0);
    });
    // Alt, Return, Down, Return: Pages, Open.
    AnsiString title;
    OnFileDialog([&](TskOpenDlgForm* F) {
        title = F->GetCaption();
        PostKey(F, VK_ESCAPE);
    });
    // The pointer rests below the window, away from the menus it opens.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) - 1);
    ASSERT_TRUE(TakeFocus(Form));
    HWND wnd = Form->GetHandle();
    Key(wnd, VK_MENU, true);
    ASSERT_TRUE(Form->skSkinForm1->GetMainMenuActive());
    Key(wnd, VK_RETURN);
    Key(wnd, VK_DOWN);
    Key(wnd, VK_RETURN);
    EXPECT_EQ(title, "Open Page File");

    // The sample folder typed, a page file double-clicked.
    OnFileDialog([&](TskOpenDlgForm* F) {
        ASSERT_TRUE(TakeFocus(F->Edit));
        TypeText(F->Edit, folder);
        PostKey(F->Edit, VK_RETURN);
        EXPECT_EQ(F->FLV->GetDirectory(), folder);
        EXPECT_EQ(F->FCB->GetItemIndex(), 0);
        CaptureWindow(F->GetHandle())->SaveToFile(ExeDir() + "editor-open-dialog.bmp");
        DoubleClickItem(F->FLV, "anode.pge");
    });
    Choose(Form->Open2);
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
    Choose(Form->S1);
    EXPECT_EQ(title, "Save file");
    EXPECT_EQ(Get("digits.pge"), "[Type]\r\nCommonType=0\r\n[Page]\r\n0=192\r\n1=249\r\n");
    EXPECT_EQ(Form->GetFileName(), folder + "digits.pge");
    // The name, shortened when it must be, fits the caption bar in the caption's font.
    const AnsiString caption = Form->SGB_Pages->GetCaption();
    EXPECT_EQ(caption.rfind("Pages ::   ", 0), 0u) << caption;
    EXPECT_NE(caption.find("digits.pge"), AnsiString::npos) << caption;
    TBitmap measure(1, 1);
    Form->SGB_Pages->SetCaptionFont(measure.GetCanvas());
    EXPECT_LE(measure.GetCanvas()->TextWidth(caption) + 2, RectWidth(Form->SGB_Pages->CaptionTextRect()));
}

// While a list animates, the Animate button fits "Stop (n - count)" at every page, up to the
// largest list a page file holds: with the count in both places its letters show whole in the
// skin's font, the focus frame goes round them, and the button stays in its row.
TEST_F(SkinnedEditorInUse, TheAnimateButtonFitsEveryStopCaptionWithItsFocusFrameClear) {
    const int index = DMM->STS_SkinData->GetControlIndex("button");
    ASSERT_GE(index, 0);
    const auto* record = dynamic_cast<const TskDataSkinButtonControl*>(
        DMM->STS_SkinData->CtrlList[static_cast<std::size_t>(index)].get());
    ASSERT_NE(record, nullptr);
    const TTextFont font{record->FontName, record->FontHeight, record->FontStyle.Contains(fsBold)};
    const AnsiString folder = IncludeTrailingPathDelimiter(GetPath().string());
    SetMessageFormHook([](TskMessageForm* F) {
        ADD_FAILURE() << "unexpected question: " << F->GetCaption();
        PostMessageA(F->GetHandle(), WM_CLOSE, 0, 0);
    });
    TskSkinButton* animate = Form->BTN_Animate;
    const TRect designed = animate->GetBoundsRect();
    for (int count : {120, 2563, kMostPages}) {
        SCOPED_TRACE(count);
        AnsiString pages = "[Page]\r\n";
        for (int i = 0; i < count; ++i) pages += std::to_string(i) + "=" + std::to_string(i % 256) + "\r\n";
        Put("pages.pge", pages);
        OnFileDialog([&](TskOpenDlgForm* F) {
            F->FLV->SetDirectory(folder);
            F->Edit->SetText("pages.pge");
            PostClick(F->OpenButton, 10, 10);
        });
        Choose(Form->Open2);
        ASSERT_EQ(Form->GetPages().GetCount(), count);
        const TPoint centre = animate->ClientToScreen(TPoint(animate->GetWidth() / 2, animate->GetHeight() / 2));
        PointerDown(centre);
        PointerUp(centre);
        ASSERT_NE(Form->GetAnimationTimer(), nullptr) << "the click started no animation";
        // Held at the caption of the last page's tick.
        Form->GetAnimationTimer()->SetEnabled(false);
        const AnsiString widest = "Stop (" + IntToStr(count) + " - " + IntToStr(count) + ")";
        const TRect row = animate->GetBoundsRect();
        const TRect add = Form->BTN_Add->GetBoundsRect(), replace = Form->BTN_Replace->GetBoundsRect();
        EXPECT_GE(row.Left, replace.Right + replace.Left - add.Right)
            << "the button runs into Replace Page";
        EXPECT_LE(row.Right, Form->SGB_Led->GetClientWidth() - Form->BTN_Add->GetLeft()) << "the button leaves the row";
        EXPECT_EQ(row.Top, designed.Top);
        EXPECT_EQ(row.Height(), designed.Height());

        // The three looks: lit under the pointer without its caption and with it, then focused.
        ASSERT_TRUE(TakeFocus(Form->IMG_Seg));
        PointerTo(centre);
        animate->SetCaption("");
        ASSERT_TRUE(PumpUntil([&] { return !animate->IsMorphing(); }));
        auto bare = CaptureWindow(animate->GetHandle());
        animate->SetCaption(widest);
        auto lit = CaptureWindow(animate->GetHandle());
        PointerTo(TPoint(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1));
        ASSERT_TRUE(TakeFocus(animate));
        ASSERT_TRUE(PumpUntil([&] { return !animate->IsMorphing(); }));
        auto focused = CaptureWindow(animate->GetHandle());
        focused->SaveToFile(ExeDir() + "editor-animate-" + IntToStr(count) + ".bmp");
        const TRect whole(0, 0, animate->GetWidth(), animate->GetHeight());
        EXPECT_TRUE(ShowsWhole(ShotOf(focused.get(), whole), widest.c_str(), font, {.Prefix = true}));
        EXPECT_TRUE(FocusFrameClearOfInk(bare.get(), lit.get(), focused.get()));

        PointerDown(centre);
        PointerUp(centre);
        ASSERT_EQ(Form->GetAnimationTimer(), nullptr) << "the click stopped nothing";
        EXPECT_EQ(animate->GetCaption(), "Animate");
        EXPECT_EQ(animate->GetBoundsRect(), designed) << "stopped, the button is as the form draws it";
    }
}

} // namespace

#include "classlib/Dialogs.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Exceptions.h"
#include "classlib/Forms.h"
#include "classlib/Persistence.h"
#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

// The filter as the system receives it: every string up to the empty one.
std::vector<std::string> FilterStrings(const char* Filter) {
    std::vector<std::string> result;
    for (const char* p = Filter; p && *p; p += std::strlen(p) + 1)
        result.emplace_back(p);
    return result;
}

class FileDialogTest : public testing::Test {
protected:
    void TearDown() override { SetFileDialogHook(nullptr); }

    TOpenDialog Open{nullptr};
    TSaveDialog Save{nullptr};
};

TEST_F(FileDialogTest, TheSystemGetsFilterFolderTitleAndName) {
    Open.SetFilter("Page Files (*.pge)|*.PGE|Any File(*.*)|*.*");
    Open.SetFilterIndex(2);
    Open.SetInitialDir("C:\\pages");
    Open.SetTitle("Open Page File");
    Open.SetFileName("old.pge");
    Open.SetDefaultExt(".pge");
    Open.SetOptions({ofFileMustExist, ofHideReadOnly});
    bool called = false;
    SetFileDialogHook([&](OPENFILENAMEA& Params, bool IsSave) {
        called = true;
        EXPECT_FALSE(IsSave);
        EXPECT_EQ(
            FilterStrings(Params.lpstrFilter),
            (std::vector<std::string>{"Page Files (*.pge)", "*.PGE", "Any File(*.*)", "*.*"}));
        EXPECT_EQ(Params.nFilterIndex, 2u);
        EXPECT_STREQ(Params.lpstrInitialDir, "C:\\pages");
        EXPECT_STREQ(Params.lpstrTitle, "Open Page File");
        EXPECT_STREQ(Params.lpstrFile, "old.pge");
        EXPECT_STREQ(Params.lpstrDefExt, "pge");
        EXPECT_TRUE(Params.Flags & OFN_FILEMUSTEXIST);
        EXPECT_TRUE(Params.Flags & OFN_HIDEREADONLY);
        EXPECT_FALSE(Params.Flags & OFN_OVERWRITEPROMPT);
        EXPECT_GE(Params.nMaxFile, static_cast<DWORD>(MAX_PATH));
        return false;
    });
    EXPECT_FALSE(Open.Execute());
    EXPECT_TRUE(called);
}

TEST_F(FileDialogTest, ConfirmingTakesTheNameAndFilterIndexAndCancellingLeavesThem) {
    Open.SetFilter("A|*.a|B|*.b");
    Open.SetFileName("keep.pge");
    bool confirm = false;
    SetFileDialogHook([&](OPENFILENAMEA& Params, bool) {
        std::strcpy(Params.lpstrFile, "C:\\data\\chosen.b");
        Params.nFilterIndex = 2;
        return confirm;
    });
    EXPECT_FALSE(Open.Execute());
    EXPECT_EQ(Open.GetFileName(), "keep.pge");
    EXPECT_EQ(Open.GetFilterIndex(), 1);
    confirm = true;
    ASSERT_TRUE(Open.Execute());
    EXPECT_EQ(Open.GetFileName(), "C:\\data\\chosen.b");
    EXPECT_EQ(Open.GetFilterIndex(), 2);
}

TEST_F(FileDialogTest, TheSaveDialogAsksForOverwriteWhenToldAndAnEmptyFilterIsNone) {
    Save.SetOptions({ofOverwritePrompt});
    bool wasSave = false;
    OPENFILENAMEA seen = {};
    SetFileDialogHook([&](OPENFILENAMEA& Params, bool IsSave) {
        wasSave = IsSave;
        seen = Params;
        return false;
    });
    Save.Execute();
    EXPECT_TRUE(wasSave);
    EXPECT_TRUE(seen.Flags & OFN_OVERWRITEPROMPT);
    EXPECT_EQ(seen.lpstrFilter, nullptr);
}

TEST(FileDialogClasses, AreRegisteredForFormResources) {
    EXPECT_EQ(GetClass("TOpenDialog"), TOpenDialog::StaticClass());
    EXPECT_EQ(GetClass("TSaveDialog"), TSaveDialog::StaticClass());
    EXPECT_EQ(GetEnumInfo<TOpenOption>()->ValueOf("ofEnableSizing"), ofEnableSizing);
}

// Presses a button of the box captioned BoxCaption once it is shown, noting its owner and
// which of the Watched windows were enabled while it was open.
std::string BoxCaption;
int BoxButton = 0;
bool BoxFound = false;
HWND BoxOwner = nullptr;
std::vector<HWND> Watched;
std::vector<bool> WatchedEnabled;

BOOL CALLBACK PressButton(HWND Wnd, LPARAM) {
    char title[64] = {};
    GetWindowTextA(Wnd, title, sizeof(title));
    if (BoxCaption != title) return TRUE;
    BoxFound = true;
    BoxOwner = GetWindow(Wnd, GW_OWNER);
    WatchedEnabled.clear();
    for (HWND wnd : Watched)
        WatchedEnabled.push_back(IsWindowEnabled(wnd) != FALSE);
    PostMessageA(Wnd, WM_COMMAND, MAKEWPARAM(BoxButton, BN_CLICKED), 0);
    return FALSE;
}

void CALLBACK LookForBox(HWND, UINT, UINT_PTR, DWORD) {
    if (!BoxFound) EnumThreadWindows(GetCurrentThreadId(), PressButton, 0);
}

template <typename F> auto AnswerBoxOf(const AnsiString& Caption, int Button, F Show) {
    BoxCaption = Caption;
    BoxButton = Button;
    BoxFound = false;
    BoxOwner = nullptr;
    UINT_PTR timer = SetTimer(nullptr, 0, 1, LookForBox);
    auto result = Show();
    KillTimer(nullptr, timer);
    EXPECT_TRUE(BoxFound) << Caption;
    return result;
}

int AnswerBox(const char* Caption, int Button, TMsgDlgType Type, TMsgDlgButtons Buttons) {
    return AnswerBoxOf(Caption, Button, [&] { return MessageDlg("Question", Type, Buttons, 0); });
}

TEST(SystemMessageBoxTest, AnswersWithTheButtonPressedAndCountsEscapeAndCloseAsCancel) {
    EXPECT_EQ(AnswerBox("Confirm", IDNO, mtConfirmation, {mbYes, mbNo}), mrNo);
    EXPECT_EQ(AnswerBox("Warning", IDYES, mtWarning, {mbYes, mbNo, mbCancel}), mrYes);
    EXPECT_EQ(AnswerBox("Error", IDRETRY, mtError, {mbAbort, mbRetry, mbIgnore}), mrRetry);
    EXPECT_EQ(AnswerBox("Information", IDCANCEL, mtInformation, {mbOK, mbCancel}), mrCancel);
}

class MessageDlgTest : public testing::Test {
protected:
    void TearDown() override { SetMessageDlgHook(nullptr); }
};

TEST_F(MessageDlgTest, TheHookAnswersInPlaceOfTheBox) {
    AnsiString shown;
    TMsgDlgType type = mtCustom;
    TMsgDlgButtons buttons;
    SetMessageDlgHook([&](const AnsiString& Msg, TMsgDlgType Type, TMsgDlgButtons Buttons, int) {
        shown = Msg;
        type = Type;
        buttons = Buttons;
        return mrNo;
    });
    EXPECT_EQ(MessageDlg("Overwrite x?", mtConfirmation, {mbYes, mbNo}, 0), mrNo);
    EXPECT_EQ(shown, "Overwrite x?");
    EXPECT_EQ(type, mtConfirmation);
    EXPECT_TRUE(buttons == (TMsgDlgButtons{mbYes, mbNo}));
}

TEST_F(MessageDlgTest, SetsTheBoxCannotShowAreRefused) {
    EXPECT_THROW(MessageDlg("?", mtConfirmation, {mbYes, mbNo, mbYesToAll}, 0), EInvalidOperation);
    EXPECT_THROW(MessageDlg("?", mtInformation, {}, 0), EInvalidOperation);
}

} // namespace

// A shown, active form of the program and another window of the program beside it.
class ProgramModalBoxTest : public testing::Test {
protected:
    void SetUp() override {
        Other = CreateWindowExA(0, "STATIC", "Beside", WS_OVERLAPPEDWINDOW, 240, 40, 180, 120,
                                nullptr, nullptr, nullptr, nullptr);
        ShowWindow(Other, SW_SHOWNOACTIVATE);
        Active = new TForm(nullptr);
        Active->SetBounds(40, 40, 180, 120);
        Active->Show();
        Pump();
        Watched = {Active->GetHandle(), Other};
    }
    void TearDown() override {
        delete Active;
        DestroyWindow(Other);
        Watched.clear();
        Pump();
    }

    void ExpectOwnedByActiveFormWithTheProgramDisabled() {
        EXPECT_EQ(BoxOwner, Active->GetHandle());
        EXPECT_EQ(WatchedEnabled, (std::vector<bool>{false, false}));
        for (HWND wnd : Watched)
            EXPECT_TRUE(IsWindowEnabled(wnd));
    }

    TForm* Active = nullptr;
    HWND Other = nullptr;
};

// A window of another thread in front, as another program's would be.
class TOtherProgramWindow {
public:
    TOtherProgramWindow() : FThread([this] { Run(); }) { WaitForSingleObject(FReady, INFINITE); }
    // Whether this window got to the front, leaving the calling thread without an active
    // window. The display tells a window it has the focus some time after it was activated,
    // and Wine activates the window again when it hears it: a form shown just before may
    // take the front back. Asked again until the front stays here, as a person clicks again.
    bool TakeTheFront() {
        return PumpUntil([this] {
            if (!GetActiveWindow()) return true;
            SetForegroundWindow(FWnd);
            return false;
        });
    }
    ~TOtherProgramWindow() {
        SetEvent(FDone);
        FThread.join();
        CloseHandle(FReady);
        CloseHandle(FDone);
    }

private:
    void Run() {
        FWnd = CreateWindowExA(0, "STATIC", "Other program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600,
                               300, 200, 100, nullptr, nullptr, nullptr, nullptr);
        SetForegroundWindow(FWnd);
        SetEvent(FReady);
        while (MsgWaitForMultipleObjects(1, &FDone, FALSE, INFINITE, QS_ALLINPUT) !=
               WAIT_OBJECT_0) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
        }
        DestroyWindow(FWnd);
    }

    HWND FWnd = nullptr;
    HANDLE FReady = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE FDone = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread FThread;
};

TEST_F(ProgramModalBoxTest,
       ErrorBoxIsCaptionedWithTheTitleOwnedByTheActiveFormAndBlocksTheProgram) {
    AnsiString title = Application->GetTitle();
    Application->SetTitle("Box owner test");
    AnswerBoxOf("Box owner test", IDOK, [] {
        Application->ShowException(EConvertError("Broken"));
        return 0;
    });
    Application->SetTitle(title);
    ExpectOwnedByActiveFormWithTheProgramDisabled();
}

TEST_F(ProgramModalBoxTest, BoxesStayModalToTheProgramWhileAnotherProgramIsActive) {
    TOtherProgramWindow other;
    ASSERT_TRUE(other.TakeTheFront()) << "the other program never got to the front";
    EXPECT_EQ(AnswerBox("Information", IDOK, mtInformation, {mbOK}), mrOk);
    ExpectOwnedByActiveFormWithTheProgramDisabled();
}

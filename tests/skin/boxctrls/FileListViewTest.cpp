// The file list view on real windows over a temporary folder on C:: navigation by keys
// and double clicks, header-click sorting, masks, the drives view, the not-ready message
// through an injected box, selection reports and awkward folders. Writes
// filelist-report.bmp beside the test program.
#include "skin/boxctrls/skSkinShellCtrls_FileList.h"
#include "skin/form/skMessages.h"

#include "classlib/Paths.h"

#include "tests/support/GuiTestSupport.h"
#include "tests/support/TempFolder.h"

using namespace Skshellctrls;

namespace {

// C: not ready, and a removable Q: that is.
class TNotReady : public TDriveProbe {
public:
    std::uint32_t LogicalDrives() override { return 1u << 2 | 1u << 16; }
    bool IsReady(char Letter) override { return Letter != 'C'; }
    TMediaType MediaType(char Letter) override {
        return Letter == 'Q' ? TMediaType::dtRemovable : TMediaType::dtFixed;
    }
};

class FileListView : public ShownFormTest, public TTempFolder {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Form->SetBounds(0, 0, 640, 300);
        Root = IncludeTrailingPathDelimiter(GetPath().string());
        Put("b.txt", AnsiString(30, 'x'));
        Put("a.txt", AnsiString(10, 'x'));
        Put("c.bmp", AnsiString(30, 'x'));
        Put("D.ico", AnsiString(20, 'x'));
        ForceDirectories(PathOf("Sub"));
        ForceDirectories(PathOf("alpha"));
        Put("Sub\\inner.txt", "1");
        List = Add<TskSkinFileListView>(Form, 0, 0, 620, 260);
        List->SetViewStyle(vsReport);
        List->OnChange = decltype(List->OnChange)::FromCallable([this](TObject*, int, TItemChange) { ++Changes; });
        List->SetDirectory(Root);
        Pump();
    }
    void TearDown() override {
        SetCurrentDir(ExeDir());
        ShownFormTest::TearDown();
    }

    std::vector<AnsiString> Captions() {
        std::vector<AnsiString> names;
        for (int i = 0; i < List->GetItemCount(); ++i) names.push_back(List->GetItemCaption(i));
        return names;
    }
    int IndexOf(const AnsiString& Caption) {
        for (int i = 0; i < List->GetItemCount(); ++i)
            if (List->GetItemCaption(i) == Caption) return i;
        return -1;
    }
    TRect ItemRect(int Item) {
        RECT r{};
        r.left = LVIR_LABEL;
        SendMessageA(List->GetHandle(), LVM_GETITEMRECT, static_cast<WPARAM>(Item),
                     reinterpret_cast<LPARAM>(&r));
        return TRect(r.left, r.top, r.right, r.bottom);
    }
    void ClickHeader(int Column) {
        HWND header = List->GetHeaderHandle();
        RECT r{};
        Header_GetItemRect(header, Column, &r);
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        PostMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(header, WM_LBUTTONUP, 0, at);
        Pump();
    }

    AnsiString Root;
    TskSkinFileListView* List = nullptr;
    int Changes = 0;
};

TEST_F(FileListView, ListsFoldersFirstWithTheirSubItemsAndColumns) {
    EXPECT_EQ(Captions(), (std::vector<AnsiString>{"alpha", "Sub", "a.txt", "b.txt", "c.bmp", "D.ico"}));
    EXPECT_EQ(List->GetSubItem(0, 0), " ");
    EXPECT_EQ(List->GetSubItem(0, 5), "dir");
    EXPECT_EQ(List->GetSubItem(2, 0), "10");
    EXPECT_EQ(List->GetSubItem(2, 3), "A");
    EXPECT_EQ(List->GetSubItem(2, 4), Root + "a.txt");
    EXPECT_EQ(List->GetSubItem(2, 5), "file");
    EXPECT_EQ(List->GetSubItem(2, 2).size(), AnsiString("12/31/2005 13:45").size());
    EXPECT_FALSE(List->GetSubItem(2, 1).empty()); // the shell's type name
    EXPECT_EQ(List->GetColumns()[1].Caption, "Size");
    EXPECT_EQ(List->GetColumns()[1].Alignment, taRightJustify);
    EXPECT_EQ(AnsiUpperCase(IncludeTrailingPathDelimiter(GetCurrentDir())), AnsiUpperCase(Root));

    // The same folder in another case: no refill, though a file has come meanwhile.
    Put("new.txt", "n");
    const int changes = Changes;
    List->SetDirectory(AnsiUpperCase(Root));
    EXPECT_EQ(List->GetItemCount(), 6);
    EXPECT_EQ(Changes, changes);

    // A file matching two masks once; the folders still come first.
    List->SetMask("*.txt;b*;*.ICO");
    EXPECT_EQ(Captions(),
              (std::vector<AnsiString>{"alpha", "Sub", "a.txt", "b.txt", "D.ico", "new.txt"}));
    CaptureWindow(Form->GetHandle())->SaveToFile(ExeDir() + "filelist-report.bmp");

    // A window made again lists the folder again.
    List->SetShowColumnHeaders(false);
    EXPECT_EQ(List->GetItemCount(), 6);
}

TEST_F(FileListView, EnterDoubleClickBackspaceAndCtrlUpNavigate) {
    ASSERT_TRUE(TakeFocus(List));
    List->SelectItem(IndexOf("Sub"));
    PostKey(List, VK_RETURN);
    EXPECT_EQ(List->GetDirectory(), Root + "Sub\\");
    EXPECT_EQ(Captions(), (std::vector<AnsiString>{"inner.txt"}));
    EXPECT_EQ(AnsiUpperCase(IncludeTrailingPathDelimiter(GetCurrentDir())),
              AnsiUpperCase(Root + "Sub\\"));

    PostKey(List, VK_BACK);
    EXPECT_EQ(List->GetDirectory(), Root);
    {
        TCtrlDown ctrl;
        PostKey(List, VK_UP);
    }
    EXPECT_EQ(List->GetDirectory(), ExtractFilePath(Root.substr(0, Root.size() - 1)));

    List->SetDirectory(Root);
    const TRect r = ItemRect(IndexOf("alpha"));
    const LPARAM at = MAKELPARAM(r.Left + 5, (r.Top + r.Bottom) / 2);
    int doubleClicks = 0;
    List->OnDblClick = TNotifyEvent::FromCallable([&](TObject*) { ++doubleClicks; });
    HWND wnd = List->GetHandle();
    PostMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(wnd, WM_LBUTTONUP, 0, at);
    PostMessageA(wnd, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageA(wnd, WM_LBUTTONUP, 0, at);
    Pump();
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(List->GetDirectory(), Root + "alpha\\");
    EXPECT_EQ(List->GetItemCount(), 0);
}

TEST_F(FileListView, HeaderClicksSortStablyByStoredSizes) {
    ClickHeader(1);
    // A new column sorts descending, the folder rule reversed too; equal sizes keep
    // their name order.
    EXPECT_EQ(Captions(), (std::vector<AnsiString>{"b.txt", "c.bmp", "D.ico", "a.txt", "alpha", "Sub"}));
    ClickHeader(1);
    EXPECT_EQ(Captions(), (std::vector<AnsiString>{"alpha", "Sub", "a.txt", "D.ico", "b.txt", "c.bmp"}));
    ClickHeader(0);
    EXPECT_EQ(Captions(), (std::vector<AnsiString>{"D.ico", "c.bmp", "b.txt", "a.txt", "Sub", "alpha"}));
    EXPECT_EQ(List->CompareFiles(0, 1), -1);

    // A refill lists by name ascending again, folders first.
    ClickHeader(1);
    List->SetDirectory(Root + "Sub");
    List->SetDirectory(Root);
    EXPECT_EQ(Captions(), (std::vector<AnsiString>{"alpha", "Sub", "a.txt", "b.txt", "c.bmp", "D.ico"}));
}

TEST_F(FileListView, SelectionReports) {
    EXPECT_EQ(List->GetSelectedNum(), 6);
    EXPECT_EQ(List->GetSelectedSize(), 0);
    EXPECT_EQ(List->GetSelectedFilenames(), "");

    const TRect r = ItemRect(IndexOf("b.txt"));
    PostClick(List, r.Left + 5, (r.Top + r.Bottom) / 2);
    EXPECT_EQ(List->GetFileName(), Root + "b.txt");
    EXPECT_GT(Changes, 0);

    LVITEMA state{};
    state.stateMask = state.state = LVIS_SELECTED;
    SendMessageA(List->GetHandle(), LVM_SETITEMSTATE, static_cast<WPARAM>(IndexOf("D.ico")),
                 reinterpret_cast<LPARAM>(&state));
    EXPECT_EQ(List->GetSelectedNum(), 2);
    EXPECT_EQ(List->GetSelectedSize(), 50);
    EXPECT_EQ(List->GetSelectedFilenames(), Root + "b.txt;" + Root + "D.ico");
    EXPECT_EQ(List->GetObjectTypes(), TObjectTypes{otFile});
    SendMessageA(List->GetHandle(), LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
    EXPECT_EQ(List->GetObjectTypes(), (TObjectTypes{otFile, otDirectory}));
    // Published too, read only.
    const TPublishedClass& published = GetPublished(TskSkinFileListView::StaticClass());
    for (const char* name : {"SelectedCount", "SelectedSize", "SelectedFilenames", "SelectedTypes"})
        ASSERT_NE(published.FindProperty(name), nullptr) << name;
    EXPECT_EQ(published.FindProperty("SelectedFilenames")->GetStrValue(List),
              List->GetSelectedFilenames());

    // A right press reaches OnMouseDown only: the selection stays.
    const TRect folder = ItemRect(IndexOf("Sub"));
    const LPARAM at = MAKELPARAM(folder.Left + 5, (folder.Top + folder.Bottom) / 2);
    TMouseButton pressed = mbLeft;
    List->OnMouseDown = TMouseEvent::FromCallable(
        [&](TObject*, TMouseButton Button, TShiftState, int, int) { pressed = Button; });
    PostMessageA(List->GetHandle(), WM_RBUTTONDOWN, MK_RBUTTON, at);
    PostMessageA(List->GetHandle(), WM_RBUTTONUP, 0, at);
    Pump();
    EXPECT_EQ(pressed, mbRight);
    EXPECT_EQ(List->GetSelCount(), 3);

    PostClick(List, folder.Left + 5, (folder.Top + folder.Bottom) / 2);
    EXPECT_EQ(List->GetFileName(), "");
}

TEST_F(FileListView, DrivesAndADriveThatIsNotReady) {
    List->SetDirectory("drives");
    EXPECT_TRUE(List->IsDrivesView());
    EXPECT_EQ(List->GetColumns()[2].Caption, "Disk Size");
    int drive = -1;
    for (int i = 0; i < List->GetItemCount(); ++i)
        if (List->GetSubItem(i, 4) == "C:\\") drive = i;
    ASSERT_GE(drive, 0);
    EXPECT_EQ(List->GetSubItem(drive, 5), "drv");
    EXPECT_EQ(List->GetSubItem(drive, 0), "Fixed");
    EXPECT_NE(List->GetSubItem(drive, 1).find(','), AnsiString::npos);
    List->OneLevelUp();
    EXPECT_EQ(List->GetDirectory(), "drives");

    // Into C:, and Backspace there shows the drives.
    ASSERT_TRUE(TakeFocus(List));
    List->SelectItem(drive);
    PostKey(List, VK_RETURN);
    EXPECT_EQ(List->GetDirectory(), "C:\\");
    PostKey(List, VK_BACK);
    EXPECT_EQ(List->GetDirectory(), "Drives");

    // Not ready: the warning comes through the skinned box, the list stays.
    List->SetDirectory(Root);
    TNotReady notReady;
    TDriveProbe* previous = SetDriveProbe(&notReady);
    TskSkinMessage box(Form);
    List->SetSkinMessage(&box);
    AnsiString shown;
    TMessageFormHook before = SetMessageFormHook([&](TskMessageForm* F) {
        if (auto* label = dynamic_cast<TControl*>(F->FindComponent("Message")))
            shown = label->GetCaption();
        Application->OnIdle = TIdleEvent::FromCallable([F](TObject*, bool&) {
            TskMessageForm* form = F;
            Application->OnIdle = nullptr;
            PostMessageA(form->GetHandle(), WM_CLOSE, 0, 0);
        });
    });
    List->SetDirectory("c:\\");
    EXPECT_EQ(shown, Skshellctrls::DriveNotReadyText);
    EXPECT_EQ(List->GetDirectory(), Root);
    // The drives view asks the probe too: C: is listed with nothing measured.
    List->SetDirectory("DRIVES");
    ASSERT_EQ(List->GetItemCount(), 2);
    EXPECT_EQ(List->GetSubItem(0, 4), "C:\\");
    EXPECT_EQ(List->GetSubItem(0, 0), "Fixed");
    EXPECT_EQ(List->GetSubItem(0, 1), "0");
    EXPECT_EQ(List->GetSubItem(1, 4), "Q:\\");
    EXPECT_EQ(List->GetSubItem(1, 0), "Removable");
    List->SetDirectory(Root);

    // Without a skinned box, the class library's.
    List->SetSkinMessage(nullptr);
    AnsiString plain;
    TMessageDlgHook beforeDlg = SetMessageDlgHook(
        [&](const AnsiString& Msg, TMsgDlgType, TMsgDlgButtons, int) { plain = Msg; return mrOk; });
    List->SetDirectory("C:\\");
    EXPECT_EQ(plain, Skshellctrls::DriveNotReadyText);
    SetMessageDlgHook(beforeDlg);
    SetMessageFormHook(before);
    SetDriveProbe(previous);
}

TEST_F(FileListView, AwkwardFoldersAreRefusedOrShownPlainly) {
    // A 255-character name makes a full path longer than the system's path buffers.
    const AnsiString longName = AnsiString(251, 'n') + ".txt";
    const AnsiString longPath = Root + "Sub\\" + longName;
    const std::wstring wide = L"\\\\?\\" + std::wstring(longPath.begin(), longPath.end());
    HANDLE file = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    List->SetDirectory(Root + "Sub");
    ASSERT_EQ(List->GetItemCount(), 2);
    const int item = IndexOf(longName);
    ASSERT_GE(item, 0);
    EXPECT_EQ(List->GetSubItem(item, 4), longPath);
    EXPECT_EQ(List->GetSubItem(item, 0), "0");
    List->SelectItem(item);
    EXPECT_EQ(List->GetSelectedFilenames(), longPath);
    List->GetSelectedSize();
    DeleteFileW(wide.c_str());

    List->SetDirectory(Root + "missing");
    EXPECT_EQ(List->GetDirectory(), Root + "Sub\\");
    // The folder vanishes under the list: a refill shows nothing, the list stays usable.
    SetCurrentDir(ExeDir());
    std::error_code ignored;
    std::filesystem::remove_all(GetPath() / "Sub", ignored);
    List->UpdateFileList();
    EXPECT_EQ(List->GetItemCount(), 0);
    PostKey(List, VK_BACK);
    EXPECT_EQ(List->GetDirectory(), Root);
}

} // namespace

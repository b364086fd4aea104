// The folder and file lists on a temporary tree under C:\: the folder rows and where they
// lead, the file list's ";" masks, the links between folder list, file list, label and
// edit, typed paths and selected names; a screenshot filelists.bmp beside the test program.
#include "skin/boxctrls/skfilectrl_DirList.h"
#include "skin/boxctrls/skfilectrl_FileList.h"
#include "skin/controls/SkinCtrls_Labels.h"

#include "classlib/Edits.h"
#include "classlib/Exceptions.h"
#include "classlib/Forms.h"
#include "classlib/Paths.h"

#include "tests/support/GuiTestSupport.h"

#include <fstream>

namespace {

// Notes the screen cursor as each row is added.
class TCursorWatch : public TskSkinFileListBox {
public:
    using TskSkinFileListBox::TskSkinFileListBox;
    void ListBoxWProc(TMessage& Message, bool& PassOn) override {
        TskSkinFileListBox::ListBoxWProc(Message, PassOn);
        if (Message.Msg == LB_ADDSTRING) Cursors.push_back(Screen->GetCursor());
    }
    std::vector<TCursor> Cursors;
};

class FileLists : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        Root = AnsiString(temp) + "vantorel-filelists-" + IntToStr(GetCurrentProcessId());
        ASSERT_EQ(Root.substr(0, 3), "C:\\");
        Saved = GetCurrentDir();
        ASSERT_TRUE(ForceDirectories(Root + "\\beta\\gamma"));
        ASSERT_TRUE(ForceDirectories(Root + "\\Alpha"));
        for (const char* name : {"x.txt", "y.pge", "z.dat", "w.TXT"}) Touch(Root + "\\" + name);
    }
    void TearDown() override {
        SetCurrentDir(Saved);
        ShownFormTest::TearDown();
        for (const char* name : {"x.txt", "y.pge", "z.dat", "w.TXT"})
            DeleteFile(Root + "\\" + name);
        RemoveDirectoryA((Root + "\\beta\\gamma").c_str());
        RemoveDirectoryA((Root + "\\beta").c_str());
        RemoveDirectoryA((Root + "\\Alpha").c_str());
        RemoveDirectoryA(Root.c_str());
    }
    static void Touch(const AnsiString& Name) { std::ofstream(Name.c_str()) << "x"; }
    static std::vector<AnsiString> Rows(TskSkinCustomListBox* List) {
        std::vector<AnsiString> rows;
        for (int i = 0; i < List->GetItems()->GetCount(); ++i)
            rows.push_back(List->GetItems()->Get(i));
        return rows;
    }

    AnsiString Root;
    AnsiString Saved;
};

TEST_F(FileLists, TheFolderListShowsAncestorsCurrentAndSubFoldersAndMovesByRow) {
    auto* dirs = Add<TskSkinDirectoryListBox>(Form, 10, 10, 200, 300);
    Pump();
    dirs->SetDirectory(Root);
    EXPECT_EQ(dirs->GetDirectory(), Root);
    std::vector<AnsiString> rows = Rows(dirs);
    ASSERT_GE(rows.size(), 3u);
    EXPECT_EQ(rows[0], "C:\\");
    EXPECT_EQ(rows[rows.size() - 2], "Alpha");
    EXPECT_EQ(rows.back(), "beta");
    const int current = static_cast<int>(rows.size()) - 3;
    EXPECT_EQ(dirs->GetItemIndex(), current);
    EXPECT_EQ(rows[static_cast<std::size_t>(current)], ExtractFileName(Root));
    // Each kind of row has its own picture.
    auto* currentBmp = dirs->GetItems()->GetObject(current);
    EXPECT_NE(currentBmp, nullptr);
    EXPECT_NE(currentBmp, dirs->GetItems()->GetObject(0));
    EXPECT_NE(currentBmp, dirs->GetItems()->GetObject(current + 1));
    EXPECT_EQ(dirs->GetItemPath(current + 2), Root + "\\beta");
    EXPECT_EQ(dirs->GetItemPath(current - 1), ExtractFileDir(Root));
    EXPECT_EQ(dirs->GetItemPath(0), "C:\\");
    EXPECT_EQ(dirs->GetItemPath(100), "");

    // A double click opens the row; Enter too.
    const TRect beta = dirs->ItemRect(current + 2);
    const LPARAM at = MAKELPARAM(beta.Left + 20, beta.Top + 2);
    HWND list = dirs->GetListBox()->GetHandle();
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(list, WM_LBUTTONUP, 0, at);
    SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageA(list, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(dirs->GetDirectory(), Root + "\\beta");
    EXPECT_EQ(Rows(dirs).back(), "gamma");
    dirs->SetItemIndex(current);
    TakeFocus(dirs->GetListBox());
    PostKey(dirs->GetListBox(), VK_RETURN);
    EXPECT_EQ(dirs->GetDirectory(), Root);

    // A missing folder is refused with the error and changes nothing.
    EXPECT_THROW(dirs->SetDirectory(Root + "\\missing"), EInOutError);
    EXPECT_EQ(dirs->GetDirectory(), Root);
    EXPECT_EQ(Rows(dirs), rows);

    // At a drive root the root row is the current one, followed by the sub-folders.
    dirs->SetDirectory("C:\\");
    EXPECT_EQ(dirs->GetItemIndex(), 0);
    EXPECT_EQ(dirs->GetItems()->Get(0), "C:\\");
    EXPECT_GT(dirs->GetItems()->GetCount(), 1);
}

TEST_F(FileLists, TheFileListReadsEveryMaskOnceAndFoldersOnRequest) {
    auto* files = Add<TskSkinFileListBox>(Form, 10, 10, 200, 300);
    Pump();
    files->SetDirectory(Root);
    EXPECT_EQ(Rows(files), (std::vector<AnsiString>{"w.TXT", "x.txt", "y.pge", "z.dat"}));
    files->SetMask("*.txt;*.pge;*.TXT");
    EXPECT_EQ(Rows(files), (std::vector<AnsiString>{"w.TXT", "x.txt", "y.pge"}));
    files->SetFileType(TFileType{ftNormal, ftDirectory});
    std::vector<AnsiString> rows = Rows(files);
    EXPECT_EQ(rows.size(), 3u);
    files->SetMask("*.*");
    rows = Rows(files);
    EXPECT_NE(std::find(rows.begin(), rows.end(), "[Alpha]"), rows.end());
    EXPECT_NE(std::find(rows.begin(), rows.end(), "[beta]"), rows.end());

    // Reading many rows shows the hourglass once the 101st is in, and puts the cursor back.
    for (int i = 0; i < 105; ++i) Touch(Root + "\\Alpha\\" + IntToStr(i) + ".n");
    auto* watched = Add<TCursorWatch>(Form, 220, 10, 100, 100);
    Pump();
    const TCursor before = Screen->GetCursor();
    watched->Cursors.clear();
    watched->SetDirectory(Root + "\\Alpha");
    for (int i = 0; i < 105; ++i) DeleteFile(Root + "\\Alpha\\" + IntToStr(i) + ".n");
    ASSERT_EQ(watched->Cursors.size(), 105u);
    EXPECT_EQ(watched->Cursors[100], before);
    EXPECT_EQ(watched->Cursors[101], crHourGlass);
    EXPECT_EQ(Screen->GetCursor(), before);

    // A folder that is gone is refused and the list keeps its folder.
    EXPECT_THROW(files->SetDirectory(Root + "\\missing"), EInOutError);
    EXPECT_EQ(files->GetDirectory(), Root);
}

TEST_F(FileLists, LinkedListsLabelAndEditFollowEachOtherUntilOneGoes) {
    auto* dirs = Add<TskSkinDirectoryListBox>(Form, 10, 10, 200, 300);
    auto* files = Add<TskSkinFileListBox>(Form, 220, 10, 200, 300);
    auto* edit = Add<TEdit>(Form, 10, 320, 200, 21);
    auto* label = new TskSkinStdLabel(Form);
    label->SetParent(Form);
    label->SetAutoSize(false);
    label->SetBounds(220, 320, 60, 16);
    Pump();
    dirs->SetFileList(files);
    dirs->SetDirLabel(label);
    files->SetFileEdit(edit);
    dirs->SetDirectory(Root + "\\beta");
    EXPECT_EQ(files->GetDirectory(), Root + "\\beta");
    EXPECT_EQ(files->GetItems()->GetCount(), 0);
    EXPECT_EQ(edit->GetText(), "*.*");
    // The label shows the folder shortened to its width.
    EXPECT_NE(label->GetCaption(), Root + "\\beta");
    EXPECT_EQ(ExtractFileName(label->GetCaption()), "beta");

    // A typed folder moves the folder list, a name selects, wildcards make the mask.
    files->ApplyFilePath(Root);
    EXPECT_EQ(dirs->GetDirectory(), Root);
    EXPECT_EQ(files->GetItems()->GetCount(), 4);
    files->ApplyFilePath(Root + "\\X.TXT");
    EXPECT_EQ(files->GetFileName(), "x.txt");
    EXPECT_EQ(files->GetFilePath(), Root + "\\x.txt");
    EXPECT_EQ(edit->GetText(), "x.txt");
    files->ApplyFilePath("*.pge");
    EXPECT_EQ(files->GetMask(), "*.pge");
    EXPECT_EQ(Rows(files), std::vector<AnsiString>{"y.pge"});
    // A file the mask hides becomes the mask.
    files->ApplyFilePath("z.dat");
    EXPECT_EQ(files->GetMask(), "z.dat");
    EXPECT_EQ(files->GetFileName(), "z.dat");
    files->SetFileName("nothing.here");
    EXPECT_EQ(files->GetFileName(), "");
    EXPECT_EQ(edit->GetText(), "z.dat");

    files->SetMask("*.*");
    files->SetFileName("y.pge");
    dirs->SetItemIndex(0);
    CaptureWindow(Form->GetHandle())->SaveToFile(ExeDir() + "filelists.bmp");

    delete edit;
    delete label;
    files->SetFileName("z.dat");
    dirs->SetDirectory(Root + "\\Alpha");
    delete files;
    EXPECT_EQ(dirs->GetFileList(), nullptr);
    dirs->SetDirectory(Root);
    EXPECT_EQ(dirs->GetDirectory(), Root);
}

} // namespace

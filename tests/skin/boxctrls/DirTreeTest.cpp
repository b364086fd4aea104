// The folder tree on a temporary folder of drive C:, driven through real messages: opening
// paths in any case, folders read when opened, F5, the arrow keys, renames in place, a
// drive that is not ready, and the select-folder dialog scripted in-process.
#include "skin/boxctrls/skSkinShellCtrls_DirTree.h"
#include "skin/boxctrls/skSkinShellCtrls_DriveCombo.h"
#include "skin/boxctrls/skSkinShellCtrls_Drives.h"
#include "skin/boxctrls/skSkinShellCtrls_FolderDialog.h"
#include "skin/boxctrls/skSkinShellCtrls_Shell.h"
#include "skin/form/skMessages.h"

#include "tests/support/GuiTestSupport.h"
#include "tests/support/ScreenText.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UserInput.h"

#include "classlib/Edits.h"

#include "classlib/Paths.h"
#include "classlib/Strings.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>

using namespace Skshellctrls;

namespace {

// Drive C: as a removable drive without a disk.
class TEmptyDriveC : public TDriveProbe {
public:
    bool IsReady(char Letter) override { return Letter != 'C'; }
    TMediaType MediaType(char Letter) override {
        return Letter == 'C' ? TMediaType::dtRemovable : GetMediaType(Letter);
    }
};

class DirTree : public ShownFormTest, protected TTempFolder {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Form->SetBounds(50, 50, 420, 460);
        for (const char* name : {"Alpha\\Beta\\Gamma", "Empty", "Alpha\\Delta"})
            ASSERT_TRUE(ForceDirectories(PathOf(name)));
        Put("Alpha\\file.txt", "x");
        Root = GetPath().string();
        Tree = Add<TskSkinDirTreeView>(Form, 5, 5, 400, 420);
        SetMessageDlgHook([this](const AnsiString& Msg, TMsgDlgType Type, TMsgDlgButtons, int) {
            Said.push_back(Msg);
            SaidTypes.push_back(Type);
            return mrOk;
        });
        Pump();
    }
    void TearDown() override {
        SetMessageDlgHook(nullptr);
        SetDriveProbe(nullptr);
        Application->OnIdle = nullptr;
        ShownFormTest::TearDown();
    }
    // The child of Parent with Text; null when there is none.
    TTreeNode Child(TTreeNode Parent, const AnsiString& Text) {
        for (TTreeNode node = Tree->GetFirstChild(Parent); node; node = Tree->GetNextSibling(node))
            if (Tree->GetNodeText(node) == Text) return node;
        return nullptr;
    }
    std::vector<AnsiString> Children(TTreeNode Parent) {
        std::vector<AnsiString> names;
        for (TTreeNode node = Tree->GetFirstChild(Parent); node; node = Tree->GetNextSibling(node))
            names.push_back(Tree->GetNodeText(node));
        return names;
    }
    TTreeNode Selected() { return Tree->GetSelected(); }
    AnsiString SelectedText() { return Tree->GetNodeText(Selected()); }
    // Ends an in-place edit of Node with Text.
    void Rename(TTreeNode Node, const AnsiString& Text) {
        HWND edit = Tree->EditNode(Node);
        ASSERT_NE(edit, nullptr);
        SetWindowTextA(edit, Text.c_str());
        SendMessageA(Tree->GetHandle(), TVM_ENDEDITLABELNOW, FALSE, 0);
        Pump();
    }
    // Node's label in the tree's client area.
    RECT LabelRect(TTreeNode Node) {
        RECT r{};
        std::memcpy(&r, &Node, sizeof Node);
        SendMessageA(Tree->GetHandle(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r));
        return r;
    }
    TPoint LabelCentre(TTreeNode Node) {
        const RECT r = LabelRect(Node);
        return TPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    // Node's label as the screen shows it.
    TShot LabelOnScreen(TTreeNode Node) {
        const RECT r = LabelRect(Node);
        const TPoint corner = Tree->ClientToScreen(TPoint(r.left, r.top));
        return Grab(RECT{corner.X, corner.Y, corner.X + r.right - r.left, corner.Y + r.bottom - r.top});
    }
    testing::AssertionResult LabelShowsWhole(const TShot& Label, TTreeNode Node) {
        TFont* font = Tree->GetFont();
        return ShowsWhole(Label, Tree->GetNodeText(Node).c_str(),
                          {font->GetName().c_str(), font->GetHeight(), font->GetStyle().Contains(fsBold)});
    }

    AnsiString Root;
    TskSkinDirTreeView* Tree = nullptr;
    std::vector<AnsiString> Said;
    std::vector<TMsgDlgType> SaidTypes;
};

TEST_F(DirTree, TheRootIsTheComputerAndDrivesShowTheirLetterAtCharacterThree) {
    TTreeNode root = Tree->GetFirstNode();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(Tree->GetNodeText(root), DrivesFolderItem().DisplayName);
    EXPECT_FALSE(Tree->GetNodeText(root).empty());
    EXPECT_TRUE(Tree->GetExpanded(root));
    AnsiString letters;
    for (const AnsiString& text : Children(root)) {
        ASSERT_GE(text.size(), 7u) << text;
        EXPECT_EQ(text.substr(0, 2), " (");
        EXPECT_EQ(text.substr(3, 4), ":)  ");
        letters += text[2];
    }
    EXPECT_NE(letters.find('C'), AnsiString::npos);
    EXPECT_EQ(Tree->GetPathFromNode(root), "");
    EXPECT_EQ(Tree->GetPathFromNode(Tree->GetFirstChild(root)), letters.substr(0, 1) + ":\\");
    EXPECT_EQ(Tree->GetPathFromNode(nullptr), "");
}

TEST_F(DirTree, OpenPathWalksIgnoringCaseAndReadsFoldersOnlyWhenOpened) {
    const AnsiString typed = AnsiLowerCase(Root) + "\\alpha\\BETA";
    Tree->OpenPath(typed);
    EXPECT_EQ(SelectedText(), "Beta");
    EXPECT_EQ(Tree->GetFollowedPath(), typed + "\\") << "the path as typed";
    EXPECT_EQ(Tree->GetDirectory(), Root + "\\Alpha\\Beta") << "the path of the selected node";

    TTreeNode beta = Selected();
    TTreeNode alpha = Tree->GetParentNode(beta);
    EXPECT_EQ(Children(alpha), (std::vector<AnsiString>{"Beta", "Delta"})) << "folders only, sorted";
    TTreeNode gamma = Child(beta, "Gamma");
    ASSERT_NE(gamma, nullptr);
    EXPECT_EQ(Tree->GetFirstChild(gamma), nullptr) << "not opened yet";
    EXPECT_FALSE(Tree->GetHasChildren(gamma));
    EXPECT_FALSE(Tree->GetHasChildren(Child(alpha, "Delta")));
    TTreeNode parent = Tree->GetParentNode(alpha);
    EXPECT_TRUE(Tree->GetHasChildren(parent));
    EXPECT_FALSE(Tree->GetHasChildren(Child(parent, "Empty")));
    EXPECT_GE(Tree->GetImageIndex(beta), 0);

    // Refused paths leave everything as it was.
    for (const AnsiString& bad : {AnsiString(""), AnsiString("C"), Root + "\\gone",
                                  Root + "\\" + AnsiString(300, 'n'), AnsiString("Q:\\nothing")}) {
        Tree->OpenPath(bad);
        EXPECT_EQ(Selected(), beta) << bad;
        EXPECT_EQ(Tree->GetFollowedPath(), typed + "\\") << bad;
    }
    // A folder made after its parent was read is not looked for elsewhere in the tree.
    ASSERT_TRUE(ForceDirectories(PathOf("Alpha\\Gamma")));
    Tree->OpenPath(Root + "\\Alpha\\Gamma");
    EXPECT_EQ(Selected(), alpha) << "the walk stops where the tree ends";
    Tree->SetDirectory(Root);
    EXPECT_EQ(Tree->GetDirectory(), Root);

    // A folder that vanished after it was listed opens to nothing.
    ASSERT_TRUE(RemoveDirectoryA(PathOf("Alpha\\Beta\\Gamma").c_str()));
    Tree->Expand(gamma);
    EXPECT_EQ(Tree->GetFirstChild(gamma), nullptr);
    EXPECT_TRUE(Errors.empty());

    // A name that makes the path longer than the system's limit is listed, and refused
    // when opened.
    const AnsiString longName(240, 'L');
    std::filesystem::create_directories(GetPath() / longName / "inner");
    PostKey(Tree, VK_F5);
    TTreeNode longNode = Child(Selected(), longName);
    ASSERT_NE(longNode, nullptr);
    Tree->Expand(longNode);
    Tree->OpenPath(Root + "\\" + longName + "\\inner");
    EXPECT_EQ(Tree->GetDirectory(), Root);
    std::filesystem::remove(GetPath() / longName / "inner");
    std::filesystem::remove(GetPath() / longName);

    CaptureWindow(Form->GetHandle())->SaveToFile(ExeDir() + "dirtree.bmp");
}

TEST_F(DirTree, F5ReadsTheTreeAgainAndArrowKeysAreFollowed) {
    Tree->OpenPath(Root + "\\Alpha");
    ASSERT_TRUE(ForceDirectories(PathOf("Alpha\\Added")));
    ASSERT_TRUE(TakeFocus(Tree));
    PostKey(Tree, VK_F5);
    EXPECT_EQ(SelectedText(), "Alpha");
    EXPECT_EQ(Children(Selected()), (std::vector<AnsiString>{"Added", "Beta", "Delta"}));

    PostKey(Tree, VK_DOWN);
    EXPECT_EQ(SelectedText(), "Added");
    EXPECT_EQ(Tree->GetFollowedPath(), Root + "\\Alpha\\Added");
    PostKey(Tree, VK_UP);
    EXPECT_EQ(Tree->GetFollowedPath(), Root + "\\Alpha");

    Tree->SetSelectedPath(AnsiUpperCase(Root + "\\Alpha"));
    EXPECT_EQ(Tree->GetFollowedPath(), Root + "\\Alpha") << "the same path in another case";
    Tree->SetInitialDir(Root + "\\Empty");
    EXPECT_EQ(Tree->GetInitialDir(), Root + "\\Empty\\");
    EXPECT_EQ(SelectedText(), "Empty");
    Tree->SetInitialDir(Root + "\\gone");
    EXPECT_EQ(Tree->GetInitialDir(), Root + "\\Empty\\");
}

TEST_F(DirTree, RenamesGoThroughTheShellAndRefuseBadNames) {
    Tree->OpenPath(Root + "\\Alpha\\Beta");
    TTreeNode beta = Selected();
    TTreeNode root = Tree->GetFirstNode();
    EXPECT_EQ(Tree->EditNode(beta), nullptr) << "read-only";
    Tree->SetReadOnly(false);
    EXPECT_EQ(Tree->EditNode(root), nullptr);
    EXPECT_EQ(Tree->EditNode(Tree->GetFirstChild(root)), nullptr) << "a drive";

    for (const AnsiString& bad : {AnsiString("a:b"), AnsiString("x*"), AnsiString("p+q"),
                                  AnsiString(""), AnsiString("."), AnsiString("..")}) {
        Rename(beta, bad);
        EXPECT_EQ(Tree->GetNodeText(beta), "Beta") << bad;
        EXPECT_TRUE(DirectoryExists(PathOf("Alpha\\Beta"))) << bad;
    }
    Rename(beta, "Beta");
    EXPECT_EQ(Selected(), beta) << "the same name renames nothing";

    Rename(beta, "Renamed");
    EXPECT_EQ(Tree->GetNodeText(beta), "Renamed");
    EXPECT_TRUE(DirectoryExists(PathOf("Alpha\\Renamed\\Gamma")));
    EXPECT_FALSE(DirectoryExists(PathOf("Alpha\\Beta")));
    EXPECT_EQ(SelectedText(), "Alpha") << "the parent is selected";
    EXPECT_EQ(Tree->GetPathFromNode(Child(beta, "Gamma")), Root + "\\Alpha\\Renamed\\Gamma");
}

TEST_F(DirTree, ADriveThatIsNotReadyIsReportedAndTheSelectionStepsBack) {
    auto* box = new TskSkinMessage(Form);
    Tree->SetSkinMessage(box);
    Tree->OpenPath(Root + "\\Alpha");
    TEmptyDriveC probe;
    SetDriveProbe(&probe);

    TTreeNode drive = Tree->GetFirstChild(Tree->GetFirstNode());
    while (drive && Tree->GetNodeText(drive)[2] != 'C') drive = Tree->GetNextSibling(drive);
    ASSERT_NE(drive, nullptr);
    const TPoint at = LabelCentre(drive);
    PostClick(Tree, at.X, at.Y);
    ASSERT_EQ(Said, (std::vector<AnsiString>{"There is no disk in Drive or Drive is not ready"}));
    EXPECT_EQ(SaidTypes[0], mtWarning);
    EXPECT_EQ(SelectedText(), "Alpha") << "back where it was";
    EXPECT_EQ(Tree->GetFollowedPath(), Root + "\\Alpha\\");

    Tree->OpenPath("c:\\");
    EXPECT_EQ(Said.size(), 2u) << "the root of a drive that is not ready is refused";
    EXPECT_EQ(SelectedText(), "Alpha");

    Said.clear();
    SetDriveProbe(nullptr);
    EXPECT_FALSE(CheckDriveReady('1', false, nullptr));
    EXPECT_EQ(Said, (std::vector<AnsiString>{"Not a valid Drive ID"}));
    EXPECT_EQ(SaidTypes.back(), mtError);

    delete box;
    EXPECT_EQ(Tree->GetSkinMessage(), nullptr);
}

// With the focus in another field the tree still marks its current folder: the mark
// stands out from the tree's background and the folder's name shows whole on it.
TEST_F(DirTree, TheCurrentFolderStaysMarkedWhileTheFocusIsElsewhere) {
    Tree->SetHeight(380);
    auto* other = Add<TEdit>(Form, 5, 392, 200, 21);
    Tree->OpenPath(Root + "\\Alpha");
    ASSERT_EQ(SelectedText(), "Alpha");
    ASSERT_TRUE(ClickOnScreen(other, 5, 5, [&] { return GetFocus() == other->GetHandle(); }));
    Pump();

    const TShot mark = LabelOnScreen(Selected());
    mark.Save("dirtree-unfocused.bmp");
    std::map<DWORD, int> counts;
    for (DWORD pixel : mark.Pixels) ++counts[pixel];
    const DWORD markColour = std::max_element(counts.begin(), counts.end(), [](const auto& A, const auto& B) {
                                 return A.second < B.second;
                             })->first;
    const RECT label = LabelRect(Selected());
    const TPoint beside = Tree->ClientToScreen(TPoint(Tree->GetClientWidth() - 3, (label.top + label.bottom) / 2));
    const DWORD background = Grab(RECT{beside.X, beside.Y, beside.X + 1, beside.Y + 1}).At(0, 0);
    EXPECT_GE(ContrastRatio(markColour, background), 3.0)
        << std::hex << "mark " << markColour << " on the tree's " << background;
    EXPECT_TRUE(LabelShowsWhole(mark, Selected()));
}

// ---- The drive combo box ---------------------------------------------------------------------

// Drives C: (fixed) and D: (a CD drive), no others.
class TTwoDrives : public TDriveProbe {
public:
    bool IsReady(char) override { return true; }
    TMediaType MediaType(char Letter) override {
        return Letter == 'C'   ? TMediaType::dtFixed
               : Letter == 'D' ? TMediaType::dtCDROM
                               : TMediaType::dtNotExists;
    }
};

TEST_F(DirTree, TheDriveComboListsTheProbedDrivesAndFollowsSetDriveAndKeys) {
    TTwoDrives probe;
    SetDriveProbe(&probe);
    // Below the tree, so that its open list leaves the tree's rows in view.
    Tree->SetHeight(330);
    auto* combo = Add<TskSkinShellDriveComboBox>(Form, 10, 345, 200, 21);
    int changes = 0;
    combo->OnChange = TNotifyEvent::FromCallable([&](TObject*) { ++changes; });
    Pump();
    ASSERT_EQ(combo->GetItems()->GetCount(), 2);
    EXPECT_EQ(combo->GetDriveLetters()->GetText(), "C\r\nD\r\n");
    EXPECT_EQ(combo->GetItems()->Get(0), PathItem("C:\\").DisplayName);
    EXPECT_EQ(combo->GetDrive(), 'C');
    EXPECT_EQ(combo->GetItemIndex(), 0);
    EXPECT_EQ(combo->GetDriveImages()->GetHandle(), SmallSystemImages());

    combo->SetDrive('d');
    EXPECT_EQ(combo->GetItemIndex(), 1);
    EXPECT_EQ(combo->GetDrive(), 'D');
    EXPECT_EQ(combo->GetLastIndex(), 1);
    EXPECT_EQ(changes, 1);
    combo->SetDrive('q');
    EXPECT_EQ(combo->GetItemIndex(), 1) << "no such drive";
    EXPECT_EQ(changes, 1);

    ASSERT_TRUE(TakeFocus(combo));
    PostKey(combo, VK_UP);
    EXPECT_EQ(combo->GetDrive(), 'C');
    EXPECT_EQ(changes, 2) << "one event per choice";

    combo->UpdateDrives();
    EXPECT_EQ(combo->GetItemIndex(), 0) << "the chosen drive stays chosen";
    EXPECT_EQ(combo->GetDrive(), 'C');
    combo->DropDown();
    ASSERT_TRUE(PumpUntil([&] { return combo->IsPopupVisible(); }));
    Pump();
    // The computer's row of the tree shows whole beside the open list.
    CaptureWindow(Form->GetHandle())->SaveToFile(ExeDir() + "drivecombo.bmp");
    EXPECT_TRUE(LabelShowsWhole(LabelOnScreen(Tree->GetFirstNode()), Tree->GetFirstNode()));
    combo->CloseUp(false);
}

// ---- The select-folder dialog ---------------------------------------------------------------

class SelectFolderDialog : public DirTree {
protected:
    // Runs the dialog; Script acts once it shows and leaves it open or closes it.
    bool Run(std::function<void(TskSelDirDlgForm*)> Script) {
        Application->OnIdle = TIdleEvent::FromCallable([this, Script](TObject*, bool& Done) {
            // Clearing the event frees this callable: keep what it holds first.
            const std::function<void(TskSelDirDlgForm*)> act = Script;
            TskSelDirDlgForm* form = Dialog.Dlg;
            if (!form || !form->GetVisible()) return;
            Application->OnIdle = nullptr;
            act(form);
            // The modal loop looks at the result again without waiting for a message.
            Done = false;
            if (form->GetModalResult() == mrNone) PostMessageA(form->GetHandle(), WM_CLOSE, 0, 0);
        });
        return Dialog.Execute();
    }

    TskSkinSelectDirectoryDialog Dialog{nullptr};
};

TEST_F(SelectFolderDialog, OkReturnsTheChosenFolderAndTheSizeIsRemembered) {
    int changes = 0;
    Dialog.OnChange = TNotifyEvent::FromCallable([&](TObject*) { ++changes; });
    Dialog.SetDirectory(Root + "\\ALPHA");
    EXPECT_EQ(Dialog.GetTitle(), "Select folder");
    const bool ok = Run([&](TskSelDirDlgForm* F) {
        EXPECT_EQ(F->GetClientWidth(), 250);
        EXPECT_EQ(F->GetClientHeight(), 250);
        EXPECT_EQ(F->GetCaption(), "Select folder");
        EXPECT_EQ(F->OKButton->GetCaption(), "Ok");
        EXPECT_EQ(F->CancelButton->GetCaption(), "Cancel");
        EXPECT_EQ(F->OKButton->GetHeight(), 25);
        EXPECT_EQ(F->DTV->GetNodeText(F->DTV->GetSelected()), "Alpha");
        EXPECT_EQ(F->DTV->GetParent(), F->TreePanel);
        CaptureWindow(F->GetHandle())->SaveToFile(ExeDir() + "selectfolder.bmp");
        ASSERT_TRUE(TakeFocus(F->DTV));
        PostKey(F->DTV, VK_RIGHT);
        PostClick(F->OKButton, 10, 10);
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(Dialog.GetDirectory(), Root + "\\Alpha\\Beta");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(Dialog.Dlg, nullptr);

    EXPECT_FALSE(Run([](TskSelDirDlgForm* F) {
        F->SetClientWidth(300);
        PostKey(F, VK_ESCAPE);
    }));
    EXPECT_EQ(Dialog.GetDirectory(), Root + "\\Alpha\\Beta") << "unchanged by Cancel";
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(Dialog.DialogWidth, 300);

    Dialog.SetDirectory("c:\\");
    EXPECT_TRUE(Run([](TskSelDirDlgForm* F) {
        EXPECT_EQ(F->GetClientWidth(), 300);
        F->SetModalResult(mrOk);
    }));
    EXPECT_EQ(Dialog.GetDirectory(), "C:\\") << "a drive gives its root";
}

} // namespace

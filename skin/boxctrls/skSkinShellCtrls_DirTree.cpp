#include "skin/boxctrls/skSkinShellCtrls_DirTree.h"

#include "skin/boxctrls/skSkinShellCtrls_Drives.h"
#include "skin/boxctrls/skSkinShellCtrls_Files.h"
#include "skin/boxctrls/skSkinShellCtrls_Shell.h"
#include "skin/form/skMessages.h"

#include "classlib/ClassRegistry.h"
#include "classlib/DelayLoad.h"
#include "classlib/Paths.h"
#include "classlib/Strings.h"

#include <shellapi.h>

using namespace Skshellctrls;

namespace {

// The screen shows the hourglass while one lives.
class THourGlass {
public:
    THourGlass() : FSaved(Screen ? Screen->GetCursor() : crDefault) {
        if (Screen) Screen->SetCursor(crHourGlass);
    }
    ~THourGlass() {
        if (Screen) Screen->SetCursor(FSaved);
    }
    THourGlass(const THourGlass&) = delete;
    THourGlass& operator=(const THourGlass&) = delete;

private:
    TCursor FSaved;
};

bool IsFolder(const TSearchRec& Found) {
    return (Found.Attr & faDirectory) && Found.Name != "." && Found.Name != "..";
}

// Whether Folder holds a sub-folder; stops at the first.
bool HasSubFolder(const AnsiString& Folder) {
    TSearchRec found;
    bool any = false;
    for (int r = FindFirst(Folder + "\\*.*", faAnyFile, found); r == 0 && !any; r = FindNext(found))
        any = IsFolder(found);
    FindClose(found);
    return any;
}

// Path as a double-zero-terminated list of one name.
std::vector<char> ShellName(const AnsiString& Path) {
    std::vector<char> name(Path.begin(), Path.end());
    name.push_back('\0');
    name.push_back('\0');
    return name;
}

COLORREF Halfway(COLORREF A, COLORREF B) {
    return RGB((GetRValue(A) + GetRValue(B)) / 2, (GetGValue(A) + GetGValue(B)) / 2,
               (GetBValue(A) + GetBValue(B)) / 2);
}

} // namespace

TskSkinDirTreeView::TskSkinDirTreeView(TComponent* AOwner)
    : TskSkinCustomTreeView(AOwner), FImages(std::make_unique<TImageList>(nullptr)) {
    SetReadOnly(true);
    SetBounds(GetLeft(), GetTop(), 180, 120);
    // The shell's list draws transparently on any skin colour; giving it the tree's colour
    // would change it for every other view of that list.
    FImages->ShareHandle(SmallSystemImages());
    SetImages(FImages.get());
    OnExpanding = TTVExpandingEvent(this, &TskSkinDirTreeView::Expanding);
    SetHideSelection(false);
}

TskSkinDirTreeView::~TskSkinDirTreeView() {
    SetImages(nullptr);
    FImages.reset();
}

void TskSkinDirTreeView::CNNotify(TMessage& Message) {
    if (reinterpret_cast<const NMHDR*>(Message.LParam)->code != NM_CUSTOMDRAW) {
        TskSkinCustomTreeView::Dispatch(Message);
        return;
    }
    auto* draw = reinterpret_cast<NMTVCUSTOMDRAW*>(Message.LParam);
    Message.Result = CDRF_DODEFAULT;
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
        Message.Result = CDRF_NOTIFYITEMDRAW;
        return;
    }
    if (draw->nmcd.dwDrawStage != CDDS_ITEMPREPAINT || GetFocus() == GetHandle() ||
        reinterpret_cast<TTreeNode>(draw->nmcd.dwItemSpec) != GetSelected())
        return;
    // The system marks the current folder of a tree without the focus in the button face,
    // which on a white tree hardly shows: half the text's colour in the tree's keeps the
    // text readable on a mark that stands out.
    const COLORREF text = ColorToRGB(GetFont()->GetColor());
    draw->clrTextBk = Halfway(text, ColorToRGB(GetColor()));
    draw->clrText = text;
}

void TskSkinDirTreeView::Published(TPropertyList& P) {
    P.Add("SkinMessage", &TskSkinDirTreeView::GetSkinMessage, &TskSkinDirTreeView::SetSkinMessage);
    P.Add("Images", &TCustomTreeView::GetImages, &TCustomTreeView::SetImages)
        .Stored(&TskSkinDirTreeView::IsImagesStored);
}

void TskSkinDirTreeView::SetSkinMessage(TskSkinMessage* Value) {
    SetReference(this, FSkinMessage, Value);
}

void TskSkinDirTreeView::Notification(TComponent* AComponent, TOperation Operation) {
    TskSkinCustomTreeView::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FSkinMessage) FSkinMessage = nullptr;
}

void TskSkinDirTreeView::CreateWnd() {
    TskSkinCustomTreeView::CreateWnd();
    if (!IsLoading()) LoadAndOpen();
}

void TskSkinDirTreeView::Loaded() {
    TskSkinCustomTreeView::Loaded();
    if (HandleAllocated()) LoadAndOpen();
}

void TskSkinDirTreeView::LoadAndOpen() {
    ReLoad();
    Expand(GetFirstNode());
}

// ---- Loading --------------------------------------------------------------------------------

void TskSkinDirTreeView::ReLoad() {
    BeginUpdate();
    Clear();
    LoadRoot();
    LoadDrives();
    EndUpdate();
}

void TskSkinDirTreeView::LoadRoot() {
    const TShellItem root = DrivesFolderItem();
    TTreeNode node = AddChild(nullptr, root.DisplayName);
    SetNodeImages(node, root.Icon, root.OpenIcon);
}

void TskSkinDirTreeView::LoadDrives() {
    TTreeNode root = GetFirstNode();
    if (!root) return;
    const std::uint32_t drives = DriveProbe().LogicalDrives();
    for (int bit = 0; bit < 26; ++bit) {
        if (!(drives & (1u << bit))) continue;
        const char letter = static_cast<char>('A' + bit);
        const TShellItem drive = PathItem(AnsiString(1, letter) + ":\\", true);
        const AnsiString name = drive.DisplayName.substr(0, drive.DisplayName.find('('));
        TTreeNode node = AddChild(root, " (" + AnsiString(1, letter) + ":)  " + name);
        SetHasChildren(node, true);
        SetNodeImages(node, drive.Icon, drive.OpenIcon);
    }
    SetShowButtons(true);
}

void TskSkinDirTreeView::Expanding(TObject*, TTreeNode Node, bool&) {
    if (GetFirstChild(Node)) return;
    THourGlass hourGlass;
    if (GetLevel(Node) == 0) {
        LoadDrives();
        return;
    }
    MakePath(Node);
    SetHasChildren(Node, false);
    AddSubs(FNodePath, Node);
    SortChildren(Node);
}

void TskSkinDirTreeView::AddSubs(const AnsiString& Path, TTreeNode Node) {
    if (IsDriveRoot(Path) && !CheckDriveReady(Path[0], true, FSkinMessage)) return;
    const AnsiString folder = IncludeTrailingPathDelimiter(Path);
    const TShellItem icons = FolderIcons();
    TSearchRec found;
    for (int r = FindFirst(folder + "*.*", faAnyFile, found); r == 0; r = FindNext(found)) {
        if (!IsFolder(found)) continue;
        TTreeNode child = AddChild(Node, found.Name);
        SetHasChildren(child, HasSubFolder(folder + found.Name));
        SetNodeImages(child, icons.Icon, icons.OpenIcon);
    }
    FindClose(found);
}

// ---- Paths -----------------------------------------------------------------------------------

void TskSkinDirTreeView::MakePath(TTreeNode Node) {
    FNodePath.clear();
    int level = Node ? GetLevel(Node) : 0;
    for (TTreeNode node = Node; node && level > 0; node = GetParentNode(node), --level) {
        const AnsiString text = GetNodeText(node);
        if (level == 1)
            FNodePath = text.substr(2, 2) + "\\" + FNodePath;
        else
            FNodePath = FNodePath.empty() ? text : text + "\\" + FNodePath;
    }
}

AnsiString TskSkinDirTreeView::GetPathFromNode(TTreeNode Node) {
    if (!Node) return AnsiString();
    MakePath(Node);
    return FNodePath;
}

AnsiString TskSkinDirTreeView::GetDirectory() {
    return HandleAllocated() ? GetPathFromNode(GetSelected()) : AnsiString();
}

AnsiString TskSkinDirTreeView::NodePart(TTreeNode Node) {
    const AnsiString text = GetNodeText(Node);
    return (IsDriveNode(Node) ? text.substr(2, 2) : text) + "\\";
}

void TskSkinDirTreeView::SetSelectedPath(const AnsiString& Path) {
    if (!SameText(Path, FDirectory)) FDirectory = Path;
}

void TskSkinDirTreeView::SetInitialDir(const AnsiString& Value) {
    if (Value.empty() || SameText(Value, FInitialDir)) return;
    const AnsiString folder = IncludeTrailingPathDelimiter(Value);
    if (!DirectoryExists(folder)) return;
    FInitialDir = folder;
    OpenPath(FInitialDir);
}

void TskSkinDirTreeView::OpenPath(const AnsiString& Path) {
    if (Path.size() < 2) return;
    if (IsDriveRoot(Path) && !CheckDriveReady(Path[0], true, FSkinMessage)) return;
    if (!DirectoryExists(Path)) return;
    const AnsiString remembered = IncludeTrailingPathDelimiter(Path);
    BeginUpdate();
    try {
        if (!GetFirstNode()) LoadRoot();
        TTreeNode current = GetFirstNode();
        if (!GetFirstChild(current)) LoadDrives();
        std::size_t start = 0;
        for (std::size_t end = remembered.find('\\'); end != AnsiString::npos && current;
             end = remembered.find('\\', start)) {
            const AnsiString part = remembered.substr(start, end - start + 1);
            start = end + 1;
            // Only the current node's own children: a stale tree never jumps into
            // another drive's folders.
            TTreeNode match = GetFirstChild(current);
            while (match && !SameText(NodePart(match), part)) match = GetNextSibling(match);
            if (!match) break;
            Select(match);
            Expand(match);
            current = match;
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    // A deep folder's row starts far to the right of a narrow tree: its name is brought
    // into view, the tree scrolling sideways where it must.
    if (TTreeNode selected = GetSelected(); selected && HandleAllocated())
        SendMessageA(GetHandle(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(selected));
    if (!SameText(FDirectory, remembered)) FDirectory = remembered;
}

// ---- Following the user ------------------------------------------------------------------------

void TskSkinDirTreeView::FollowSelection(bool StepBack) {
    TTreeNode node = GetSelected();
    if (!node) return;
    if (GetLevel(node) == 0) {
        if (!GetFirstChild(node)) LoadDrives();
        FDirectory = "Drives";
    } else {
        MakePath(node);
        FDirectory = FNodePath;
    }
    if (IsDriveNode(node)) {
        const char letter = FDirectory[0];
        const TMediaType type = DriveProbe().MediaType(letter);
        if ((type == TMediaType::dtRemovable || type == TMediaType::dtCDROM) &&
            !CheckDriveReady(letter, true, FSkinMessage)) {
            if (StepBack) OpenPath(FOldDirectory);
            return;
        }
    }
    FOldDirectory = FDirectory;
}

void TskSkinDirTreeView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TskSkinCustomTreeView::MouseDown(Button, Shift, X, Y);
    FNodePath.clear();
    FOldDirectory = FDirectory;
    UINT flags = 0;
    TTreeNode node = GetNodeAt(X, Y, &flags);
    if (!node || !(flags & (TVHT_ONITEMLABEL | TVHT_ONITEMICON | TVHT_ONITEMBUTTON))) return;
    Select(node);
    FollowSelection(true);
}

void TskSkinDirTreeView::KeyUp(Word& Key, TShiftState Shift) {
    switch (Key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        TskSkinCustomTreeView::KeyUp(Key, Shift);
        FollowSelection(false);
        break;
    case VK_F5:
        ReLoad();
        OpenPath(FDirectory);
        break;
    default: break;
    }
}

// ---- Renaming ----------------------------------------------------------------------------------

bool TskSkinDirTreeView::CanEdit(TTreeNode Node) {
    if (GetReadOnly() || !Node || GetLevel(Node) < 2) return false;
    return TskSkinCustomTreeView::CanEdit(Node);
}

bool TskSkinDirTreeView::RenameFolder(const AnsiString& OldPath, const AnsiString& NewPath) {
    std::vector<char> from = ShellName(OldPath);
    std::vector<char> to = ShellName(NewPath);
    SHFILEOPSTRUCTA operation{};
    operation.hwnd = GetActiveWindow();
    operation.wFunc = FO_RENAME;
    operation.pFrom = from.data();
    operation.pTo = to.data();
    operation.fFlags = FOF_ALLOWUNDO;
    const auto fileOperation = DelayLoaded<decltype(SHFileOperationA)>("shell32.dll", "SHFileOperationA");
    return fileOperation(&operation) == 0 && !operation.fAnyOperationsAborted;
}

void TskSkinDirTreeView::Edit(const TVITEMA& Item) {
    TTreeNode node = Item.hItem;
    if (!node || GetLevel(node) < 2 || !Item.pszText) return;
    const AnsiString name = Item.pszText;
    if (!IsValidNewFolderName(name)) {
        MessageBeep(MB_ICONHAND);
        return;
    }
    const AnsiString oldPath = GetPathFromNode(node);
    if (oldPath.empty()) return;
    const AnsiString newPath = ExtractFilePath(oldPath) + name;
    THourGlass hourGlass;
    if (newPath == oldPath || !RenameFolder(oldPath, newPath)) return;
    TskSkinCustomTreeView::Edit(Item);
    Select(GetParentNode(node));
}

REGISTER_CLASS(TskSkinDirTreeView);

DEFINE_UNIT(skSkinShellCtrls_DirTree, uoSkin + 30, nullptr, nullptr);

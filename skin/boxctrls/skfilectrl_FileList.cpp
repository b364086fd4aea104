#include "skin/boxctrls/skfilectrl_FileList.h"

#include "skin/boxctrls/skfilectrl_DirList.h"
#include "skin/boxctrls/skfilectrl_Paths.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Edits.h"
#include "classlib/Forms.h"

#include <set>

using namespace Skfilectrl;

namespace {

// From this many rows on, reading shows the hourglass.
constexpr int kHourglassRow = 101;

int AttributeMask(TFileType Type) {
    int mask = 0;
    if (Type.Contains(ftReadOnly)) mask |= faReadOnly;
    if (Type.Contains(ftHidden)) mask |= faHidden;
    if (Type.Contains(ftSystem)) mask |= faSysFile;
    if (Type.Contains(ftVolumeID)) mask |= faVolumeID;
    if (Type.Contains(ftDirectory)) mask |= faDirectory;
    if (Type.Contains(ftArchive)) mask |= faArchive;
    return mask;
}

// Puts the screen cursor back however reading ends.
class TCursorKeeper {
public:
    TCursorKeeper() : FSaved(Screen->GetCursor()) {}
    ~TCursorKeeper() { Screen->SetCursor(FSaved); }
    TCursorKeeper(const TCursorKeeper&) = delete;
    TCursorKeeper& operator=(const TCursorKeeper&) = delete;

private:
    TCursor FSaved;
};

} // namespace

TskSkinFileListBox::TskSkinFileListBox(TComponent* AOwner)
    : TskSkinListBox(AOwner), FDirectory(GetCurrentDir()) {
    SetWidth(145);
    SetSorted(true);
}

TskSkinFileListBox::~TskSkinFileListBox() {
    SetFileEdit(nullptr);
    SetFilterCombo(nullptr);
    if (FDirList) FDirList->SetFileList(nullptr);
}

void TskSkinFileListBox::Published(TPropertyList& P) {
    using C = TskSkinFileListBox;
    P.Add("Mask", &C::GetMask, &C::SetMask, AnsiString("*.*"));
    P.Add("FileType", &C::GetFileType, &C::SetFileType, TFileType{ftNormal});
    P.Add("FileEdit", &C::GetFileEdit, &C::SetFileEdit);
    P.Add("OnChange", &C::OnChange);
}

// ---- Links --------------------------------------------------------------------------------

void TskSkinFileListBox::SetFileEdit(TCustomEdit* Value) {
    SetReference(this, FFileEdit, Value);
    if (!Value) return;
    Change();
}

void TskSkinFileListBox::SetDirList(TskSkinDirectoryListBox* Value) {
    if (FDirList == Value) return;
    SetReference(this, FDirList, Value);
}

void TskSkinFileListBox::SetFilterCombo(TComponent* Value) {
    SetReference(this, FFilterCombo, Value);
}

void TskSkinFileListBox::Notification(TComponent* AComponent, TOperation Operation) {
    TskSkinListBox::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FFileEdit) FFileEdit = nullptr;
    if (AComponent == FDirList) FDirList = nullptr;
    if (AComponent == FFilterCombo) FFilterCombo = nullptr;
}

// ---- Folder, mask and type ----------------------------------------------------------------

void TskSkinFileListBox::SetDirectory(const AnsiString& Value) {
    if (SameText(Value, FDirectory)) return;
    const AnsiString old = FDirectory;
    FDirectory = Value;
    try {
        ReadFileNames();
    } catch (...) {
        FDirectory = old;
        throw;
    }
}

void TskSkinFileListBox::SetDrive(char Value) {
    ApplyFilePath(AnsiString(1, Value) + ":");
}

void TskSkinFileListBox::SetMask(const AnsiString& Value) {
    if (Value == FMask) return;
    FMask = Value;
    ReadFileNames();
}

void TskSkinFileListBox::SetFileType(TFileType Value) {
    if (Value == FFileType) return;
    FFileType = Value;
    ReadFileNames();
}

void TskSkinFileListBox::UpdateList() {
    ReadFileNames();
}

void TskSkinFileListBox::ListBoxCreateWnd() {
    TskSkinListBox::ListBoxCreateWnd();
    ReadFileNames();
}

void TskSkinFileListBox::ReadFileNames() {
    if (!ListBox->HandleAllocated()) return;
    const int attributes = AttributeMask(FFileType);
    const bool normal = FFileType.Contains(ftNormal);
    ChangeDir(FDirectory);
    const AnsiString folder = IncludeTrailingPathDelimiter(FDirectory);
    TStrings* items = GetItems();
    {
        TCursorKeeper cursor;
        items->BeginUpdate();
        try {
            items->Clear();
            // A name that two masks match is listed once.
            std::set<AnsiString> listed;
            for (const AnsiString& part : SplitMasks(FMask)) {
                TSearchRec found;
                for (int r = FindFirst(folder + part, attributes, found); r == 0;
                     r = FindNext(found)) {
                    if (!normal && (found.Attr & attributes) == 0) continue;
                    const AnsiString text =
                        found.Attr & faDirectory ? "[" + found.Name + "]" : found.Name;
                    if (!listed.insert(AnsiUpperCase(text)).second) continue;
                    items->Add(text);
                    if (static_cast<int>(listed.size()) == kHourglassRow)
                        Screen->SetCursor(crHourGlass);
                }
                FindClose(found);
            }
        } catch (...) {
            items->EndUpdate();
            throw;
        }
        items->EndUpdate();
    }
    Change();
}

// ---- Selection ----------------------------------------------------------------------------

AnsiString TskSkinFileListBox::GetFileName() const {
    const int index = GetItemIndex();
    return index < 0 ? AnsiString() : GetItems()->Get(index);
}

int TskSkinFileListBox::IndexOfName(const AnsiString& Name) const {
    TStrings* items = GetItems();
    for (int i = 0; i < items->GetCount(); ++i)
        if (AnsiCompareText(items->Get(i), Name) == 0) return i;
    return -1;
}

void TskSkinFileListBox::SetFileName(const AnsiString& Value) {
    if (AnsiCompareText(Value, GetFileName()) == 0) return;
    SetItemIndex(IndexOfName(Value));
    Change();
}

void TskSkinFileListBox::Change() {
    FLastSel = GetItemIndex();
    if (FFileEdit) {
        const AnsiString name = GetFileName();
        FFileEdit->SetText(name.empty() ? FMask : name);
        FFileEdit->SelectAll();
    }
    TComponentProtector protect(this);
    if (OnChange) OnChange(this);
}

void TskSkinFileListBox::ListBoxClick() {
    TskSkinListBox::ListBoxClick();
    if (GetItemIndex() != FLastSel) Change();
}

AnsiString TskSkinFileListBox::GetFilePath() {
    const AnsiString name = GetFileName();
    return name.empty() ? AnsiString() : IncludeTrailingPathDelimiter(FDirectory) + name;
}

void TskSkinFileListBox::ApplyFilePath(const AnsiString& EditText) {
    if (EditText.empty() || AnsiCompareText(EditText, GetFilePath()) == 0) return;
    char drive = '\0';
    AnsiString dirPart, filePart;
    ProcessPath(EditText, drive, dirPart, filePart);
    if (FDirList)
        FDirList->SetDirectory(EditText);
    else
        SetDirectory(drive != '\0' ? AnsiString(1, drive) + ":" + dirPart : dirPart);
    if (HasWildcards(filePart)) {
        SetMask(filePart);
    } else if (!filePart.empty()) {
        SetFileName(filePart);
        // A file the mask hides becomes the mask, so that it shows and is selected.
        if (FileExists(IncludeTrailingPathDelimiter(FDirectory) + filePart) &&
            GetFileName().empty()) {
            SetMask(filePart);
            SetFileName(filePart);
        }
    }
}

REGISTER_CLASS(TskSkinFileListBox);

namespace {

void RegisterFileListEnums() {
    RegisterEnum<TFileAttr>(
        {"ftReadOnly", "ftHidden", "ftSystem", "ftVolumeID", "ftDirectory", "ftArchive", "ftNormal"});
}

} // namespace

DEFINE_UNIT(skfilectrl_FileList, uoSkin + 31, RegisterFileListEnums, nullptr);

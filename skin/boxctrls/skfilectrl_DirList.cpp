#include "skin/boxctrls/skfilectrl_DirList.h"

#include "skin/boxctrls/skfilectrl_FileList.h"
#include "skin/boxctrls/skfilectrl_Paths.h"
#include "skin/controls/SkinCtrls_Labels.h"
#include "skin/data/Skutils.h"

#include "classlib/ClassRegistry.h"

#include <algorithm>

using namespace Skfilectrl;

namespace {

constexpr int kNoBitmapWidth = 16;
constexpr int kTextGap = 4;

// A picture of the program's resources; empty when it has none of that name.
std::unique_ptr<TBitmap> ResourceBitmap(const char* Name) {
    auto bitmap = std::make_unique<TBitmap>();
    try {
        bitmap->LoadFromResourceName(GetModuleHandleA(nullptr), Name);
        bitmap->SetTransparent(true);
    } catch (const Exception&) {
        bitmap = std::make_unique<TBitmap>();
    }
    return bitmap;
}

} // namespace

TskSkinDirectoryListBox::TskSkinDirectoryListBox(TComponent* AOwner)
    : TskSkinListBox(AOwner), FDirectory(GetCurrentDir()) {
    SetWidth(145);
    OnDrawItem = TskDrawSkinItemEvent(this, &TskSkinDirectoryListBox::DrawRow);
    ReadBitmaps();
}

TskSkinDirectoryListBox::~TskSkinDirectoryListBox() {
    SetFileList(nullptr);
    SetDriveCombo(nullptr, nullptr);
}

void TskSkinDirectoryListBox::Published(TPropertyList& P) {
    using C = TskSkinDirectoryListBox;
    P.Add("FileList", &C::GetFileList, &C::SetFileList);
    P.Add("DirLabel", &C::GetDirLabel, &C::SetDirLabel);
    P.Add("OnChange", &C::OnChange);
}

void TskSkinDirectoryListBox::ReadBitmaps() {
    FOpenedBmp = ResourceBitmap("SK_OPENFOLDER");
    FClosedBmp = ResourceBitmap("SK_CLOSEDFOLDER");
    FCurrentBmp = ResourceBitmap("SK_CURRENTFOLDER");
}

// ---- Links --------------------------------------------------------------------------------

void TskSkinDirectoryListBox::SetFileList(TskSkinFileListBox* Value) {
    if (FFileList == Value) return;
    TskSkinFileListBox* old = FFileList;
    SetReference<TskSkinFileListBox>(this, FFileList, nullptr);
    if (old) old->SetDirList(nullptr);
    SetReference(this, FFileList, Value);
    if (!Value) return;
    Value->SetDirList(this);
    Value->SetDirectory(FDirectory);
}

void TskSkinDirectoryListBox::SetDirLabel(TskSkinStdLabel* Value) {
    SetReference(this, FDirLabel, Value);
    if (!Value) return;
    Change();
}

void TskSkinDirectoryListBox::SetDriveCombo(TskDriveLink* Link, TComponent* Combo) {
    FDriveCombo = Link;
    SetReference(this, FDriveComboComponent, Link ? Combo : nullptr);
}

void TskSkinDirectoryListBox::Notification(TComponent* AComponent, TOperation Operation) {
    TskSkinListBox::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FFileList) FFileList = nullptr;
    if (AComponent == FDirLabel) FDirLabel = nullptr;
    if (AComponent == FDriveComboComponent) {
        FDriveCombo = nullptr;
        FDriveComboComponent = nullptr;
    }
}

// ---- Moving -------------------------------------------------------------------------------

void TskSkinDirectoryListBox::SetDirectory(const AnsiString& Value) {
    if (Value.empty()) return;
    if (FCaseSensitive ? Value == FDirectory : SameText(Value, FDirectory)) return;
    char drive = '\0';
    AnsiString dirPart, filePart;
    ProcessPath(Value, drive, dirPart, filePart);
    if (drive != '\0' && toupper(static_cast<unsigned char>(drive)) !=
                             toupper(static_cast<unsigned char>(GetDrive()))) {
        TFlagGuard inSetDir(FInSetDir);
        if (FDriveCombo)
            FDriveCombo->SetDrive(drive);
        else
            DriveChange(drive);
    }
    // A relative folder part is taken from the folder shown; a rooted one on the drive given.
    if (DirectoryExists(FDirectory)) SetCurrentDir(FDirectory);
    const bool rooted = !dirPart.empty() && dirPart[0] == '\\';
    ChangeDir(drive != '\0' && rooted ? AnsiString(1, drive) + ":" + dirPart : dirPart);
    FDirectory = GetCurrentDir();
    BuildList();
    Change();
}

void TskSkinDirectoryListBox::SetDrive(char Value) {
    if (toupper(static_cast<unsigned char>(Value)) ==
        toupper(static_cast<unsigned char>(GetDrive())))
        return;
    SetDirectory(AnsiString(1, Value) + ":");
}

void TskSkinDirectoryListBox::DriveChange(char NewDrive) {
    if (NewDrive == '\0' || toupper(static_cast<unsigned char>(NewDrive)) ==
                                toupper(static_cast<unsigned char>(GetDrive())))
        return;
    // A drive that cannot be entered is ignored.
    if (!SetCurrentDir(AnsiString(1, NewDrive) + ":")) return;
    FDirectory = GetCurrentDir();
    if (FInSetDir) return;
    BuildList();
    Change();
}

void TskSkinDirectoryListBox::OpenCurrent() {
    SetDirectory(GetItemPath(GetItemIndex()));
}

void TskSkinDirectoryListBox::UpdateList() {
    BuildList();
}

void TskSkinDirectoryListBox::Change() {
    if (FFileList) FFileList->SetDirectory(FDirectory);
    if (FDirLabel) {
        TBitmap measure;
        measure.SetSize(1, 1);
        measure.GetCanvas()->SetFont(FDirLabel->GetFont());
        const int width = FDirLabel->GetAutoSize() ? GetWidth() : FDirLabel->GetWidth();
        FDirLabel->SetCaption(MinimizeName(FDirectory, measure.GetCanvas(), width));
    }
    TComponentProtector protect(this);
    if (OnChange) OnChange(this);
}

void TskSkinDirectoryListBox::ListBoxDblClick() {
    TskSkinListBox::ListBoxDblClick();
    OpenCurrent();
}

void TskSkinDirectoryListBox::ListBoxKeyDown(Word& Key, TShiftState Shift) {
    TskSkinListBox::ListBoxKeyDown(Key, Shift);
    if (Key == VK_RETURN) OpenCurrent();
}

// ---- Rows ---------------------------------------------------------------------------------

void TskSkinDirectoryListBox::ReadVolumeFlags() {
    const AnsiString drive = ExtractFileDrive(FDirectory);
    DWORD flags = 0;
    if (!GetVolumeInformationA((drive + "\\").c_str(), nullptr, 0, nullptr, nullptr, &flags,
                               nullptr, 0)) {
        // A volume that does not answer shows its names as they are.
        FPreserveCase = true;
        FCaseSensitive = false;
        return;
    }
    FPreserveCase = (flags & (FS_CASE_SENSITIVE | FS_CASE_IS_PRESERVED)) != 0;
    FCaseSensitive = (flags & FS_CASE_SENSITIVE) != 0;
}

AnsiString TskSkinDirectoryListBox::DisplayCase(const AnsiString& S) const {
    return FPreserveCase || FCaseSensitive ? S : AnsiLowerCase(S);
}

void TskSkinDirectoryListBox::BuildList() {
    ReadVolumeFlags();
    FRows = FolderRows(FDirectory, SubFolderNames(FDirectory));
    TStrings* items = GetItems();
    items->BeginUpdate();
    try {
        items->Clear();
        for (std::size_t i = 0; i < FRows.size(); ++i) {
            const TFolderRow& row = FRows[i];
            TBitmap* bitmap = row.Kind == TFolderRowKind::Ancestor  ? FOpenedBmp.get()
                              : row.Kind == TFolderRowKind::Current ? FCurrentBmp.get()
                                                                    : FClosedBmp.get();
            items->AddObject(DisplayCase(row.Text), bitmap);
        }
    } catch (...) {
        items->EndUpdate();
        throw;
    }
    items->EndUpdate();
    if (!ListBox->HandleAllocated()) return;
    SelectCurrentRow();
    UpDateScrollBar();
}

void TskSkinDirectoryListBox::SelectCurrentRow() {
    for (std::size_t i = 0; i < FRows.size(); ++i) {
        if (FRows[i].Kind != TFolderRowKind::Current) continue;
        SetItemIndex(static_cast<int>(i));
        return;
    }
}

void TskSkinDirectoryListBox::ListBoxCreateWnd() {
    TskSkinListBox::ListBoxCreateWnd();
    BuildList();
}

AnsiString TskSkinDirectoryListBox::GetItemPath(int Index) const {
    return Skfilectrl::GetItemPath(FDirectory, FRows, Index);
}

TBitmap* TskSkinDirectoryListBox::RowBitmap(int Index) const {
    auto* bitmap = dynamic_cast<TBitmap*>(GetItems()->GetObject(Index));
    return bitmap && !bitmap->GetEmpty() ? bitmap : nullptr;
}

int TskSkinDirectoryListBox::GetFullItemWidth(int Index, TCanvas* ACanvas) {
    const int indent = Index < static_cast<int>(FRows.size())
                           ? FRows[static_cast<std::size_t>(Index)].Indent
                           : 0;
    TBitmap* bitmap = RowBitmap(Index);
    return indent + (bitmap ? bitmap->GetWidth() : kNoBitmapWidth) + kTextGap +
           TskSkinListBox::GetFullItemWidth(Index, ACanvas);
}

void TskSkinDirectoryListBox::DrawRow(TCanvas* Cnvs, int Index, int, int, const TRect& TextRect,
                                      TOwnerDrawState) {
    const int hOffset = ListBox->HOffset;
    const int indent = Index < static_cast<int>(FRows.size())
                           ? FRows[static_cast<std::size_t>(Index)].Indent
                           : 0;
    int width = kNoBitmapWidth;
    if (TBitmap* bitmap = RowBitmap(Index)) {
        width = bitmap->GetWidth();
        Cnvs->Draw(TextRect.Left + indent - hOffset,
                   TextRect.Top + RectHeight(TextRect) / 2 - bitmap->GetHeight() / 2, bitmap);
    }
    Cnvs->GetBrush()->SetStyle(bsClear);
    SKDrawText3(Cnvs, GetItems()->Get(Index), TextRect, indent + width + kTextGap - hOffset);
}

REGISTER_CLASS(TskSkinDirectoryListBox);

DEFINE_UNIT(skfilectrl_DirList, uoSkin + 31, nullptr, nullptr);

#include "skin/boxctrls/skSkinShellCtrls_FileList.h"

#include "skin/boxctrls/skSkinShellCtrls_Shell.h"
#include "skin/form/skMessages.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Dialogs.h"
#include "classlib/Forms.h"
#include "classlib/Paths.h"
#include "classlib/Persistence.h"
#include "classlib/Strings.h"

#include <shellapi.h>

#include <cctype>

using namespace Skshellctrls;

namespace {

const char* const kDrives = "DRIVES";
const char* const kFile = "file";
const char* const kDir = "dir";
const char* const kDrive = "drv";
enum TSubItem { siSize, siType, siModified, siAttributes, siPath, siKind };

void RegisterFileListEnums() {
    RegisterEnum<TFileAttr>({"ftReadOnly", "ftHidden", "ftSystem", "ftArchive", "ftNormal"});
    RegisterEnum<TObjectType>({"otFile", "otDirectory", "otDisk"});
}

// Files whose icon is their own, not their type's: asked for by path.
bool HasOwnIcon(const AnsiString& Extension) {
    for (const char* own : {".EXE", ".ICO", ".LNK", ".CUR"})
        if (Extension == own) return true;
    return false;
}

HIMAGELIST SystemImages(UINT Size) {
    SHFILEINFOA info{};
    return reinterpret_cast<HIMAGELIST>(
        Skshellctrls::ShellFileInfo("", 0, info, SHGFI_SYSICONINDEX | Size));
}

} // namespace

namespace Skshellctrls {

AnsiString GroupedSize(Int64 Value) {
    AnsiString digits = IntToStr(Value < 0 ? -Value : Value);
    AnsiString grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
        grouped += digits[i];
    }
    return Value < 0 ? "-" + grouped : grouped;
}

void GetDiskInfo(const TDiskSign& Sign, TDiskInfo& Info) {
    Info = TDiskInfo();
    Info.Sign = Sign;
    if (Sign.empty()) return;
    Info.MediaType = GetMediaType(Sign[0]);
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(Sign[0])));
    if (letter == 'A' || letter == 'B') return;
    const AnsiString root = Sign + "\\";
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    DWORD sectors = 0, bytes = 0, free = 0, total = 0;
    if (GetDiskFreeSpaceA(root.c_str(), &sectors, &bytes, &free, &total)) {
        Info.SectorsPerCluster = sectors;
        Info.BytesPerSector = bytes;
        Info.FreeClusters = free;
        Info.TotalClusters = total;
        ULARGE_INTEGER available{}, capacity{};
        if (GetDiskFreeSpaceExA(root.c_str(), &available, &capacity, nullptr)) {
            Info.Capacity = static_cast<Int64>(capacity.QuadPart);
            Info.FreeSpace = static_cast<Int64>(available.QuadPart);
        }
        char label[256] = {}, system[256] = {};
        DWORD serial = 0, length = 0, flags = 0;
        if (GetVolumeInformationA(root.c_str(), label, 255, &serial, &length, &flags, system,
                                  255)) {
            Info.VolumeLabel = label;
            Info.FileSystem = system;
            Info.Serial = serial;
            Info.SerialNumber = Format("%.4X-%.4X", static_cast<unsigned>(serial >> 16),
                                       static_cast<unsigned>(serial & 0xFFFF));
            const std::pair<DWORD, TFileFlag> meanings[] = {
                {FILE_CASE_PRESERVED_NAMES, fsCaseIsPreserved},
                {FILE_CASE_SENSITIVE_SEARCH, fsCaseSensitive},
                {FILE_UNICODE_ON_DISK, fsUnicodeStoredOnDisk},
                {FILE_PERSISTENT_ACLS, fsPersistentAcls},
                {FILE_FILE_COMPRESSION, fsFileCompression},
                {FILE_VOLUME_IS_COMPRESSED, fsVolumeIsCompressed},
                {FILE_SUPPORTS_ENCRYPTION, fsEncryptedFileSystemSupport},
                {FILE_SUPPORTS_OBJECT_IDS, fsObjectIDsSupport},
                {FILE_SUPPORTS_REPARSE_POINTS, fsReparsePointsSupport},
                {FILE_SUPPORTS_SPARSE_FILES, fsSparseFilesSupport},
                {FILE_VOLUME_QUOTAS, fsDiskQuotasSupport}};
            for (const auto& [bit, flag] : meanings)
                if (flags & bit) Info.FileFlags.Include(flag);
            if (length == 255) Info.FileFlags.Include(fsLongFileNames);
        }
    }
    SetErrorMode(oldMode);
}

} // namespace Skshellctrls

TskSkinFileListView::TskSkinFileListView(TComponent* AOwner) : TskSkinListView(AOwner) {
    if (IsDesigning()) FDirectory = "c:\\";
    FLargeIcons = new TImageList(this);
    FLargeIcons->ShareHandle(SystemImages(SHGFI_LARGEICON));
    FSmallIcons = new TImageList(this);
    FSmallIcons->ShareHandle(SystemImages(SHGFI_SMALLICON));
    SetLargeImages(FLargeIcons);
    SetSmallImages(FSmallIcons);
}

void TskSkinFileListView::Published(TPropertyList& P) {
    P.Add("SkinMessage", &TskSkinFileListView::GetSkinMessage, &TskSkinFileListView::SetSkinMessage);
    P.Add("Directory", &TskSkinFileListView::GetDirectory, &TskSkinFileListView::SetDirectory);
    P.Add("FileType", &TskSkinFileListView::GetFileType, &TskSkinFileListView::SetFileType,
          TFileType());
    P.Add("Mask", &TskSkinFileListView::GetMask, &TskSkinFileListView::SetMask, AnsiString("*.*"));
    P.Add("ContextMenu", &TskSkinFileListView::GetContextMenu,
          &TskSkinFileListView::SetContextMenu, false);
    P.Add("ContextAction", &TskSkinFileListView::GetContextAction,
          &TskSkinFileListView::SetContextAction, false);
    P.Add("SmallImages", &TCustomListView::GetSmallImages, &TCustomListView::SetSmallImages)
        .Stored(&TskSkinFileListView::IsSmallImagesStored);
    P.Add("LargeImages", &TCustomListView::GetLargeImages, &TCustomListView::SetLargeImages)
        .Stored(&TskSkinFileListView::IsLargeImagesStored);
    // Read only, never stored.
    P.Add("SelectedCount", &TskSkinFileListView::GetSelectedNum);
    P.Add("SelectedSize", &TskSkinFileListView::GetSelectedSize);
    P.Add("SelectedFilenames", &TskSkinFileListView::GetSelectedFilenames);
    P.Add("SelectedTypes", &TskSkinFileListView::GetObjectTypes);
}

void TskSkinFileListView::SetSkinMessage(TskSkinMessage* Value) {
    SetReference(this, FSkinMessage, Value);
}

void TskSkinFileListView::Notification(TComponent* AComponent, TOperation Operation) {
    TskSkinListView::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FSkinMessage) FSkinMessage = nullptr;
}

bool TskSkinFileListView::IsDrivesView() const {
    return AnsiUpperCase(FDirectory) == kDrives;
}

// ---- Folder changes -------------------------------------------------------------------------

bool TskSkinFileListView::DriveReady(const AnsiString& Value) {
    if (DriveRootReady(Value)) return true;
    Skshellctrls::ReportDriveNotReady(FSkinMessage);
    return false;
}

void TskSkinFileListView::SetDirectory(const AnsiString& Value) {
    if (AnsiCompareText(Value, FDirectory) == 0) return;
    if (AnsiUpperCase(Value) == kDrives) {
        FDirectory = Value;
        UpdateFileList();
        return;
    }
    if (!DriveReady(Value) || !DirectoryExists(Value)) return;
    const AnsiString folder = IncludeTrailingPathDelimiter(Value);
    if (!SetCurrentDir(folder)) return;
    FDirectory = folder;
    UpdateFileList();
}

void TskSkinFileListView::SetMask(const AnsiString& Value) {
    if (Value == FMask) return;
    FMask = Value;
    UpdateFileList();
}

void TskSkinFileListView::SetFileType(TFileType Value) {
    if (Value == FFileType) return;
    FFileType = Value;
    UpdateFileList();
}

void TskSkinFileListView::OneLevelUp() {
    if (IsDrivesView() || FDirectory.empty()) return;
    const AnsiString folder = IncludeTrailingPathDelimiter(FDirectory);
    if (folder.size() >= 2 && folder[folder.size() - 2] == ':') {
        SetDirectory("Drives");
        return;
    }
    SetDirectory(ExtractFilePath(folder.substr(0, folder.size() - 1)));
}

// ---- Filling ---------------------------------------------------------------------------------

void TskSkinFileListView::CreateWnd() {
    TskSkinListView::CreateWnd();
    if (GetColumns().empty()) {
        AddColumn({"Name", 200, taLeftJustify, -1});
        AddColumn({"Size", 70, taRightJustify, -1});
        AddColumn({"Type", 90, taLeftJustify, -1});
        AddColumn({"Modified", 100, taLeftJustify, -1});
        AddColumn({"Attributes", 60, taLeftJustify, -1});
    }
    // A window made again has lost its items.
    FInCreateWnd = true;
    UpdateFileList();
    FInCreateWnd = false;
}

void TskSkinFileListView::CaptionColumns(bool Drives) {
    if (GetColumns().size() < 4) return;
    if (Drives) {
        SetColumn(1, {"Type", 100, taLeftJustify, -1});
        SetColumn(2, {"Disk Size", 100, taRightJustify, -1});
        SetColumn(3, {"Free Space", 100, taRightJustify, -1});
    } else {
        SetColumn(1, {"Size", 70, taRightJustify, -1});
        SetColumn(2, {"Type", 150, taLeftJustify, -1});
        SetColumn(3, {"Modified", 110, taLeftJustify, -1});
    }
}

void TskSkinFileListView::UpdateFileList() {
    if (!HandleAllocated()) return;
    const TCursor cursor = Screen->GetCursor();
    Screen->SetCursor(crHourGlass);
    BeginUpdate();
    FChangesQuiet = true;
    ClearItems();
    FItems.clear();
    const bool drives = IsDrivesView();
    CaptionColumns(drives);
    if (drives)
        AddDrives();
    else
        AddEntries();
    // Folders first, then by name: the order the entries were read in.
    FSortColumn = 0;
    FSortReversed = false;
    FChangesQuiet = false;
    EndUpdate();
    Screen->SetCursor(cursor);
    Change(-1, ctState);
    UpDateScrollBars();
    // Not while the window is being made: its maker is not done with it.
    if (!FInCreateWnd) Application->ProcessMessages();
}

TskSkinFileListView::TShellInfo TskSkinFileListView::ShellInfo(const TFileEntry& Entry,
                                                              const AnsiString& Path) {
    const AnsiString extension = AnsiUpperCase(ExtractFileExt(Entry.Name));
    const bool own = !Entry.IsFolder() && HasOwnIcon(extension);
    const AnsiString key = Entry.IsFolder() ? AnsiString("\\") : own ? Path : extension;
    auto found = FShellInfo.find(key);
    if (found != FShellInfo.end()) return found->second;
    SHFILEINFOA info{};
    const UINT flags = SHGFI_SYSICONINDEX | SHGFI_TYPENAME;
    // Asking by attributes leaves the disk alone; only files with icons of their own
    // are opened, and one that cannot be read gets its type's answer.
    bool known = own && Skshellctrls::ShellFileInfo(Path.c_str(), 0, info, flags) != 0;
    if (!known) {
        info = SHFILEINFOA{};
        const DWORD attributes = Entry.IsFolder() ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
        known = Skshellctrls::ShellFileInfo(Entry.Name.c_str(), attributes, info, flags | SHGFI_USEFILEATTRIBUTES) != 0;
    }
    TShellInfo result;
    if (known) {
        result.Icon = info.iIcon;
        result.TypeName = info.szTypeName;
    }
    FShellInfo.emplace(key, result);
    return result;
}

void TskSkinFileListView::AddEntries() {
    if (FDirectory.empty() || !SetCurrentDir(FDirectory)) return;
    std::vector<TFileEntry> entries = ReadFolder(FDirectory, FMask);
    FItems.reserve(entries.size());
    SendMessageA(GetHandle(), LVM_SETITEMCOUNT, entries.size(), LVSICF_NOINVALIDATEALL);
    for (const TFileEntry& entry : entries) {
        const AnsiString path = FDirectory + entry.Name;
        const TShellInfo info = ShellInfo(entry, path);
        FItems.push_back({entry,
                          {SizeText(entry), info.TypeName, ModifiedText(entry.Time),
                           AttributeLetters(entry.Attr), path, entry.IsFolder() ? kDir : kFile}});
        AddItem(entry.Name, static_cast<LPARAM>(FItems.size() - 1), info.Icon);
    }
}

void TskSkinFileListView::AddDrives() {
    TDriveProbe& probe = DriveProbe();
    const std::uint32_t drives = probe.LogicalDrives();
    for (int bit = 0; bit < 26; ++bit) {
        if (!(drives & (1u << bit))) continue;
        const char letter = static_cast<char>('A' + bit);
        const TDiskSign sign = AnsiString(1, letter) + ":";
        const AnsiString root = sign + "\\";
        const Skshellctrls::TShellItem shell = Skshellctrls::PathItem(root);
        const bool floppy = bit < 2;
        // A drive that is not ready is not measured.
        TDiskInfo disk;
        if (!floppy && probe.IsReady(letter)) GetDiskInfo(sign, disk);
        disk.Sign = sign;
        disk.MediaType = probe.MediaType(letter);
        FItems.push_back({{sign, disk.Capacity, 0, faDirectory},
                          {GetMediaTypeStr(disk.MediaType),
                           floppy ? AnsiString() : GroupedSize(disk.Capacity),
                           floppy ? AnsiString() : GroupedSize(disk.FreeSpace), AnsiString(), root,
                           kDrive}});
        const AnsiString caption = shell.DisplayName.empty() ? root : shell.DisplayName;
        AddItem(caption, static_cast<LPARAM>(FItems.size() - 1), shell.Icon);
    }
}

const TskSkinFileListView::TListed* TskSkinFileListView::ItemAt(int Item) {
    if (Item < 0 || Item >= GetItemCount()) return nullptr;
    const auto index = static_cast<std::size_t>(GetItemData(Item));
    return index < FItems.size() ? &FItems[index] : nullptr;
}

AnsiString TskSkinFileListView::SubItemText(LPARAM Data, int SubItem) {
    const auto index = static_cast<std::size_t>(Data);
    if (index >= FItems.size() || SubItem < 0 || SubItem >= 6) return {};
    return FItems[index].Texts[static_cast<std::size_t>(SubItem)];
}

// ---- Sorting ---------------------------------------------------------------------------------

void TskSkinFileListView::ColumnClick(int Column) {
    if (Column != FSortColumn) {
        FSortColumn = Column;
        FSortReversed = true;
    } else {
        FSortReversed = !FSortReversed;
    }
    if (HandleAllocated() && !IsDrivesView()) {
        FChangesQuiet = true;
        SortItems([this](LPARAM A, LPARAM B) {
            return CompareFileEntries(FItems[static_cast<std::size_t>(A)].Entry,
                                      FItems[static_cast<std::size_t>(B)].Entry, FSortColumn,
                                      FSortReversed);
        });
        FChangesQuiet = false;
    }
    TskSkinListView::ColumnClick(Column);
}

int TskSkinFileListView::CompareFiles(int Item1, int Item2) {
    const TListed* a = ItemAt(Item1);
    const TListed* b = ItemAt(Item2);
    if (IsDrivesView() || !a || !b) return 0;
    return CompareFileEntries(a->Entry, b->Entry, FSortColumn, FSortReversed);
}

// ---- Navigation ------------------------------------------------------------------------------

bool TskSkinFileListView::IsFile(int Item) {
    const TListed* listed = ItemAt(Item);
    return listed && listed->Texts[siKind] == kFile;
}

void TskSkinFileListView::Click() {
    const int item = GetSelectedIndex();
    FFileName = IsFile(item) ? ItemAt(item)->Texts[siPath] : AnsiString();
    TskSkinListView::Click();
}

void TskSkinFileListView::DblClick() {
    TComponentProtector protect(this);
    TskSkinListView::DblClick();
    if (IsDestroying()) return;
    const TListed* listed = ItemAt(GetSelectedIndex());
    if (!listed) return;
    const AnsiString& kind = listed->Texts[siKind];
    if (kind == kDir || kind == kDrive)
        SetDirectory(IncludeTrailingPathDelimiter(listed->Texts[siPath]));
}

void TskSkinFileListView::KeyDown(Word& Key, TShiftState Shift) {
    TComponentProtector protect(this);
    if (Key == VK_BACK || (Key == VK_UP && Shift == TShiftState{ssCtrl}))
        OneLevelUp();
    else if (Key == VK_RETURN && GetSelectedIndex() >= 0)
        DblClick();
    // A refill lets pending messages run, which may have closed the form.
    if (IsDestroying()) return;
    TskSkinListView::KeyDown(Key, Shift);
}

void TskSkinFileListView::WMRButtonDown(TMessage& Message) {
    if (GetControlStyle().Contains(csNoStdEvents)) return;
    TWMMouse mouse(Message);
    MouseDown(mbRight, KeysToShiftState(mouse.Keys()), mouse.XPos(), mouse.YPos());
}

// ---- Selection reports -----------------------------------------------------------------------

int TskSkinFileListView::GetSelectedNum() {
    if (!HandleAllocated()) return 0;
    const int selected = GetSelCount();
    return selected > 0 ? selected : GetItemCount();
}

Int64 TskSkinFileListView::GetSelectedSize() {
    if (!HandleAllocated()) return 0;
    Int64 size = 0;
    const int count = GetItemCount();
    for (int i = 0; i < count; ++i) {
        if (!IsItemSelected(i)) continue;
        // The size now on disk, not the one read at the last fill.
        TSearchRec found;
        if (FindFirst(ItemAt(i)->Texts[siPath], faAnyFile, found) == 0) size += found.Size;
        FindClose(found);
    }
    return size;
}

AnsiString TskSkinFileListView::GetSelectedFilenames() {
    if (!HandleAllocated()) return {};
    AnsiString names;
    const int count = GetItemCount();
    for (int i = 0; i < count; ++i)
        if (IsItemSelected(i)) names += ItemAt(i)->Texts[siPath] + ";";
    if (!names.empty()) names.pop_back();
    return names;
}

TObjectTypes TskSkinFileListView::GetObjectTypes() {
    TObjectTypes types;
    if (!HandleAllocated()) return types;
    const int count = GetItemCount();
    for (int i = 0; i < count; ++i) {
        if (!IsItemSelected(i)) continue;
        const AnsiString& kind = ItemAt(i)->Texts[siKind];
        if (kind == kFile) types.Include(otFile);
        if (kind == kDir) types.Include(otDirectory);
        if (kind == kDrive) types.Include(otDisk);
    }
    return types;
}

TDiskInfo TskSkinFileListView::DirectoryDisk() {
    TDiskInfo info;
    if (FDirectory.size() >= 2 && FDirectory[1] == ':') GetDiskInfo(FDirectory.substr(0, 2), info);
    return info;
}

Int64 TskSkinFileListView::GetDiskCap() {
    return DirectoryDisk().Capacity;
}

Int64 TskSkinFileListView::GetDiskFree() {
    return DirectoryDisk().FreeSpace;
}

REGISTER_CLASS(TskSkinFileListView);

DEFINE_UNIT(skSkinShellCtrls_FileList, uoSkin + 30, RegisterFileListEnums, nullptr);

// TskSkinFileListView: the entries of one folder (sub-folders first, then the files that
// match a ";"-separated mask) with the shell's icons and type names, or, in the virtual
// folder "Drives", the machine's drives with their sizes. Double click and Enter open a
// folder or drive, Backspace and Ctrl+Up go one level up, header clicks sort.
//
// Each item has six sub-items: size (" " for a folder), type name, modification time,
// attribute letters, full path, and the kind "file" or "dir"; for a drive: media type,
// capacity, free space, "", root, "drv". Sorting compares the sizes and times as read
// from the folder, never the texts.
#pragma once

#include "skin/boxctrls/skSkinShellCtrls_Drives.h"
#include "skin/boxctrls/skSkinShellCtrls_Files.h"
#include "skin/controls/SkinCtrls_Views.h"

#include "classlib/Sets.h"

#include <array>
#include <map>

DECLARE_UNIT(skSkinShellCtrls_FileList)

class TskSkinMessage;

namespace Skshellctrls {

// File attribute kinds: 1, 2, 4, 32 and 128.
enum TFileAttr { ftReadOnly, ftHidden, ftSystem, ftArchive, ftNormal };
using TFileType = TSet<TFileAttr>;
enum TObjectType { otFile, otDirectory, otDisk };
using TObjectTypes = TSet<TObjectType>;
enum TFileFlag {
    fsCaseIsPreserved,
    fsCaseSensitive,
    fsUnicodeStoredOnDisk,
    fsPersistentAcls,
    fsFileCompression,
    fsVolumeIsCompressed,
    fsLongFileNames,
    fsEncryptedFileSystemSupport,
    fsObjectIDsSupport,
    fsReparsePointsSupport,
    fsSparseFilesSupport,
    fsDiskQuotasSupport
};
using TFileFlags = TSet<TFileFlag>;
// A drive's sign, such as "C:".
using TDiskSign = AnsiString;

struct TDiskInfo {
    TDiskSign Sign;
    TMediaType MediaType = TMediaType::dtUnknown;
    TFileFlags FileFlags;
    DWORD SectorsPerCluster = 0;
    DWORD BytesPerSector = 0;
    DWORD FreeClusters = 0;
    DWORD TotalClusters = 0;
    DWORD Serial = 0;
    Int64 Capacity = 0;
    Int64 FreeSpace = 0;
    AnsiString VolumeLabel;
    AnsiString SerialNumber; // "XXXX-XXXX"
    AnsiString FileSystem;
};

// A: and B: are never asked; a drive that does not answer leaves every number 0 and the
// texts empty (Sign and MediaType are still set).
void GetDiskInfo(const TDiskSign& Sign, TDiskInfo& Info);

// A size grouped by thousands: "1,234,567".
AnsiString GroupedSize(Int64 Value);

} // namespace Skshellctrls

class TskSkinFileListView : public TskSkinListView {
    DECLARE_CLASS(TskSkinFileListView, TskSkinListView)
public:
    explicit TskSkinFileListView(TComponent* AOwner);
    static void Published(TPropertyList& P);

    TskSkinMessage* GetSkinMessage() const { return FSkinMessage; }
    void SetSkinMessage(TskSkinMessage* Value);
    const AnsiString& GetDirectory() const { return FDirectory; }
    // Another case of the same folder changes nothing; a drive that is not ready is
    // refused with a message; a missing or unreachable folder is refused silently.
    void SetDirectory(const AnsiString& Value);
    const AnsiString& GetFileName() const { return FFileName; }
    void SetFileName(const AnsiString& Value) { FFileName = Value; }
    Skshellctrls::TFileType GetFileType() const { return FFileType; }
    void SetFileType(Skshellctrls::TFileType Value);
    const AnsiString& GetMask() const { return FMask; }
    void SetMask(const AnsiString& Value);
    bool GetContextMenu() const { return FContextMenu; }
    void SetContextMenu(bool Value) { FContextMenu = Value; }
    bool GetContextAction() const { return FContextAction; }
    void SetContextAction(bool Value) { FContextAction = Value; }
    int GetSortColumn() const { return FSortColumn; }
    bool GetSortReversed() const { return FSortReversed; }
    bool IsDrivesView() const;

    // Refills the list by name, folders first.
    void UpdateFileList();
    // To the parent folder, or from a drive's root to the drives.
    void OneLevelUp();
    // Sorts by Column: a new column sorts descending first, the same column again
    // reverses the order.
    void ColumnClick(int Column) override;
    // -1, 0 or 1 for two items by the current sort column and direction.
    int CompareFiles(int Item1, int Item2);
    bool IsFile(int Item);

    // The selected items' count (all items when none is selected), total size, full
    // paths joined by ";" and kinds.
    int GetSelectedNum();
    Int64 GetSelectedSize();
    AnsiString GetSelectedFilenames();
    Skshellctrls::TObjectTypes GetObjectTypes();

    Int64 GetDiskCap();
    Int64 GetDiskFree();

protected:
    AnsiString SubItemText(LPARAM Data, int SubItem) override;
    void CreateWnd() override;
    void Click() override;
    void DblClick() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // The native control does not see the press.
    void WMRButtonDown(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinFileListView, TskSkinListView)
    MESSAGE_HANDLER(WM_RBUTTONDOWN, WMRButtonDown)
    END_MESSAGE_HANDLERS

private:
    // The shell's image lists the view is made with belong to it, not to the form.
    bool IsLargeImagesStored() const { return GetLargeImages() != FLargeIcons; }
    bool IsSmallImagesStored() const { return GetSmallImages() != FSmallIcons; }
    struct TShellInfo {
        int Icon = -1;
        AnsiString TypeName;
    };
    // What an item stands for and its six sub-item texts.
    struct TListed {
        Skshellctrls::TFileEntry Entry;
        std::array<AnsiString, 6> Texts;
    };
    const TListed* ItemAt(int Item);
    TShellInfo ShellInfo(const Skshellctrls::TFileEntry& Entry, const AnsiString& Path);
    Skshellctrls::TDiskInfo DirectoryDisk();
    bool DriveReady(const AnsiString& Value);
    void CaptionColumns(bool Drives);
    void AddEntries();
    void AddDrives();

    TskSkinMessage* FSkinMessage = nullptr;
    AnsiString FDirectory;
    AnsiString FFileName;
    Skshellctrls::TFileType FFileType;
    AnsiString FMask = "*.*";
    bool FContextMenu = false;
    int FSortColumn = 0;
    bool FSortReversed = true;
    bool FContextAction = false;
    bool FInCreateWnd = false;
    // By the items' data values.
    std::vector<TListed> FItems;
    // Shell answers by extension (folders under one key), or by full path for files
    // that carry their own icons.
    std::map<AnsiString, TShellInfo> FShellInfo;
    TImageList* FLargeIcons = nullptr;
    TImageList* FSmallIcons = nullptr;
};

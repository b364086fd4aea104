#include "skin/boxctrls/skSkinShellCtrls_Shell.h"

#include "classlib/DelayLoad.h"

#include <shlobj.h>

namespace Skshellctrls {

namespace {

constexpr UINT SmallIcon = SHGFI_SYSICONINDEX | SHGFI_SMALLICON;

// The display name (when asked) and icon index of one item; Source is a path or, with
// SHGFI_PIDL, an item list.
int AskShell(LPCSTR Source, DWORD Attributes, UINT Flags, AnsiString* Name) {
    SHFILEINFOA info{};
    if (!ShellFileInfo(Source, Attributes, info, Flags | SmallIcon)) return -1;
    if (Name) *Name = info.szDisplayName;
    return info.iIcon;
}

} // namespace

DWORD_PTR ShellFileInfo(LPCSTR Path, DWORD Attributes, SHFILEINFOA& Info, UINT Flags) {
    static auto* const Function = DelayLoaded<decltype(SHGetFileInfoA)>("shell32.dll", "SHGetFileInfoA");
    return Function(Path, Attributes, &Info, sizeof Info, Flags);
}

HIMAGELIST SmallSystemImages() {
    SHFILEINFOA info{};
    return reinterpret_cast<HIMAGELIST>(
        ShellFileInfo("C:\\", FILE_ATTRIBUTE_DIRECTORY, info, SHGFI_USEFILEATTRIBUTES | SmallIcon));
}

TShellItem DrivesFolderItem() {
    TShellItem item;
    LPITEMIDLIST list = nullptr;
    const auto folderLocation =
        DelayLoaded<decltype(SHGetSpecialFolderLocation)>("shell32.dll", "SHGetSpecialFolderLocation");
    if (FAILED(folderLocation(nullptr, CSIDL_DRIVES, &list)) || !list) return item;
    const auto source = reinterpret_cast<LPCSTR>(list);
    item.Icon = AskShell(source, 0, SHGFI_PIDL | SHGFI_DISPLAYNAME, &item.DisplayName);
    item.OpenIcon = item.Icon;
    DelayLoaded<decltype(CoTaskMemFree)>("ole32.dll", "CoTaskMemFree")(list);
    return item;
}

TShellItem PathItem(const AnsiString& Path, bool WithOpenIcon) {
    TShellItem item;
    item.Icon = AskShell(Path.c_str(), 0, SHGFI_DISPLAYNAME, &item.DisplayName);
    if (WithOpenIcon) item.OpenIcon = AskShell(Path.c_str(), 0, SHGFI_OPENICON, nullptr);
    return item;
}

TShellItem FolderIcons() {
    static const TShellItem icons = [] {
        TShellItem item;
        const UINT flags = SHGFI_USEFILEATTRIBUTES;
        item.Icon = AskShell("folder", FILE_ATTRIBUTE_DIRECTORY, flags, nullptr);
        item.OpenIcon = AskShell("folder", FILE_ATTRIBUTE_DIRECTORY, flags | SHGFI_OPENICON, nullptr);
        return item;
    }();
    return icons;
}

} // namespace Skshellctrls

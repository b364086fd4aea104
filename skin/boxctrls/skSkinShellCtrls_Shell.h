// What the shell tells about drives and folders: display names and the indexes of their
// small icons in the shell's small system image list.
#pragma once

#include "classlib/Types.h"

#include "classlib/Platform.h"

#include <commctrl.h>
#include <shellapi.h>

namespace Skshellctrls {

struct TShellItem {
    AnsiString DisplayName;
    int Icon = -1;
    int OpenIcon = -1;
};

// SHGetFileInfoA, with the shell loaded on the first call rather than at the program's start.
DWORD_PTR ShellFileInfo(LPCSTR Path, DWORD Attributes, SHFILEINFOA& Info, UINT Flags);
// The shell's small system image list; owned by the shell, never destroyed here.
HIMAGELIST SmallSystemImages();
// The virtual folder of the computer's drives.
TShellItem DrivesFolderItem();
// The shell's name and icon of Path, asked by its path (slow: for drive roots); the open
// icon only when asked, as it costs another call.
TShellItem PathItem(const AnsiString& Path, bool WithOpenIcon = false);
// The icons of a plain folder, asked by attributes once and remembered.
TShellItem FolderIcons();

} // namespace Skshellctrls

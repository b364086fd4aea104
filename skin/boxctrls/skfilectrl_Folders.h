// The rows of the folder list: the current folder's ancestors from the drive root down,
// the folder itself, then its sub-folders, each with its indent and its path.
#pragma once

#include "classlib/Types.h"

#include <vector>

namespace Skfilectrl {

enum class TFolderRowKind { Ancestor, Current, SubFolder };

struct TFolderRow {
    AnsiString Text;
    TFolderRowKind Kind = TFolderRowKind::Ancestor;
    int Indent = 0; // pixels from the list's left edge
};

// "C:" of "C:\dir", "\\server\share" of a network path, else "".
AnsiString ExtractFileDrive(const AnsiString& Path);

// The names of Directory's sub-folders ("." and ".." left out), sorted ignoring case;
// none for a folder that cannot be read.
std::vector<AnsiString> SubFolderNames(const AnsiString& Directory);

// The rows for Directory (a full path, "C:\" for a drive root) and its sub-folders.
std::vector<TFolderRow> FolderRows(const AnsiString& Directory,
                                   const std::vector<AnsiString>& SubFolders);

// The path row Index of Rows stands for; "" beyond the rows.
AnsiString GetItemPath(const AnsiString& Directory, const std::vector<TFolderRow>& Rows, int Index);

} // namespace Skfilectrl

// The entries of one folder as the file list view shows them: what is read from the
// file system, the texts of its columns, and the order of its sort.
#pragma once

#include "classlib/Types.h"

#include <vector>

namespace Skshellctrls {

// One folder or file, as found.
struct TFileEntry {
    AnsiString Name;
    Int64 Size = 0;
    TDateTime Time = 0; // last write, local time
    int Attr = 0;

    bool IsFolder() const;
};

// The sub-folders of Directory ("." and ".." left out), then the files matching any of
// the ";"-separated masks of Mask, each file once, by name within each group. Hidden,
// system and read-only files are listed; an unreadable or missing folder gives none.
std::vector<TFileEntry> ReadFolder(const AnsiString& Directory, const AnsiString& Mask);

// The "Size" text: the size in decimal digits, " " for a folder.
AnsiString SizeText(const TFileEntry& Entry);
// The "Modified" text, "mm/dd/yyyy hh:nn" whatever the process's formats are.
AnsiString ModifiedText(TDateTime Time);
// "A" archive, "R" read-only, "H" hidden, "S" system, in this order.
AnsiString AttributeLetters(int Attr);

// Whether Name may become a folder's new name: not empty, not "." or "..", and
// without any of \ * ? / = " < > | : , ; + ^.
bool IsValidNewFolderName(const AnsiString& Name);

// The columns the file list sorts by.
enum class TSortColumn { Name = 0, Size = 1, Modified = 3 };

// Folders before files, then by Column (names ignoring case, sizes and times as
// stored); -1, 0 or 1, negated as a whole when Reversed. Another column gives 0.
int CompareFileEntries(const TFileEntry& A, const TFileEntry& B, int Column, bool Reversed);

// Sorts Entries stably by CompareFileEntries.
void SortFileEntries(std::vector<TFileEntry>& Entries, int Column, bool Reversed);

} // namespace Skshellctrls

#include "skin/boxctrls/skSkinShellCtrls_Files.h"

#include "skin/boxctrls/skfilectrl_Paths.h"

#include "classlib/DateTime.h"
#include "classlib/Paths.h"
#include "classlib/Strings.h"

#include <algorithm>
#include <set>

namespace Skshellctrls {

namespace {

int Sign(bool Greater, bool Less) {
    return Greater ? 1 : Less ? -1 : 0;
}

// Adds the entries of one search, folders or files as Folders says.
void AddMatches(const AnsiString& Pattern, bool Folders, std::vector<TFileEntry>& Entries,
                std::set<AnsiString>& Seen) {
    TSearchRec found;
    for (int r = FindFirst(Pattern, faAnyFile, found); r == 0; r = FindNext(found)) {
        if (((found.Attr & faDirectory) != 0) != Folders) continue;
        if (found.Name == "." || found.Name == "..") continue;
        if (!Seen.insert(AnsiUpperCase(found.Name)).second) continue;
        Entries.push_back({found.Name, found.Size, found.Time, found.Attr});
    }
    FindClose(found);
}

bool NameLess(const TFileEntry& A, const TFileEntry& B) {
    return AnsiUpperCase(A.Name) < AnsiUpperCase(B.Name);
}

} // namespace

bool TFileEntry::IsFolder() const {
    return (Attr & faDirectory) != 0;
}

std::vector<TFileEntry> ReadFolder(const AnsiString& Directory, const AnsiString& Mask) {
    const AnsiString folder = IncludeTrailingPathDelimiter(Directory);
    std::vector<TFileEntry> entries;
    std::set<AnsiString> seen;
    AddMatches(folder + "*.*", true, entries, seen);
    std::size_t folders = entries.size();
    for (const AnsiString& part : Skfilectrl::SplitMasks(Mask))
        AddMatches(folder + part, false, entries, seen);
    std::stable_sort(entries.begin(), entries.begin() + static_cast<std::ptrdiff_t>(folders),
                     NameLess);
    std::stable_sort(entries.begin() + static_cast<std::ptrdiff_t>(folders), entries.end(),
                     NameLess);
    return entries;
}

AnsiString SizeText(const TFileEntry& Entry) {
    return Entry.IsFolder() ? AnsiString(" ") : IntToStr(Entry.Size);
}

AnsiString ModifiedText(TDateTime Time) {
    Word year, month, day, hour, minute, second, msec;
    DecodeDate(Time, year, month, day);
    DecodeTime(Time, hour, minute, second, msec);
    return Format("%.2d/%.2d/%.4d %.2d:%.2d", month, day, year, hour, minute);
}

AnsiString AttributeLetters(int Attr) {
    AnsiString letters;
    if (Attr & faArchive) letters += 'A';
    if (Attr & faReadOnly) letters += 'R';
    if (Attr & faHidden) letters += 'H';
    if (Attr & faSysFile) letters += 'S';
    return letters;
}

bool IsValidNewFolderName(const AnsiString& Name) {
    return !Name.empty() && Name != "." && Name != ".." &&
           Name.find_first_of("\\*?/=\"<>|:,;+^") == AnsiString::npos;
}

int CompareFileEntries(const TFileEntry& A, const TFileEntry& B, int Column, bool Reversed) {
    int result = Sign(B.IsFolder() && !A.IsFolder(), A.IsFolder() && !B.IsFolder());
    if (result == 0) {
        switch (static_cast<TSortColumn>(Column)) {
        case TSortColumn::Name: {
            AnsiString a = AnsiUpperCase(A.Name), b = AnsiUpperCase(B.Name);
            result = Sign(a > b, a < b);
            break;
        }
        case TSortColumn::Size:
            result = Sign(A.Size > B.Size, A.Size < B.Size);
            break;
        case TSortColumn::Modified:
            result = Sign(A.Time > B.Time, A.Time < B.Time);
            break;
        }
    }
    return Reversed ? -result : result;
}

void SortFileEntries(std::vector<TFileEntry>& Entries, int Column, bool Reversed) {
    std::stable_sort(Entries.begin(), Entries.end(), [&](const TFileEntry& A, const TFileEntry& B) {
        return CompareFileEntries(A, B, Column, Reversed) < 0;
    });
}

} // namespace Skshellctrls

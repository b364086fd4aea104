#include "skin/boxctrls/skfilectrl_Paths.h"

#include "skin/boxctrls/skfilectrl_Folders.h"

#include "classlib/Canvas.h"
#include "classlib/Exceptions.h"
#include "classlib/Strings.h"

namespace Skfilectrl {

namespace {

const AnsiString kEllipsis = "...\\";

// Removes the first folder of Folder and puts "...\" in its place.
AnsiString DropFirstFolder(const AnsiString& Folder) {
    bool rooted = !Folder.empty() && Folder[0] == '\\';
    AnsiString rest = rooted ? Folder.substr(1) : Folder;
    if (rest.compare(0, kEllipsis.size(), kEllipsis) == 0) rest.erase(0, kEllipsis.size());
    std::size_t end = rest.find('\\');
    if (end == AnsiString::npos) return AnsiString();
    return (rooted ? "\\" : "") + kEllipsis + rest.substr(end + 1);
}

} // namespace

AnsiString MinimizeName(const AnsiString& FileName, const TTextWidth& TextWidth, int MaxWidth) {
    AnsiString name = ExtractFileName(FileName);
    AnsiString folder = ExtractFilePath(FileName);
    AnsiString drive;
    if (folder.size() >= 2 && folder[1] == ':') {
        drive = folder.substr(0, 2);
        folder.erase(0, 2);
    }
    while (TextWidth(drive + folder + name) > MaxWidth) {
        if (folder == "\\" + kEllipsis) {
            folder = kEllipsis;
            drive.clear();
        } else if (!folder.empty()) {
            folder = DropFirstFolder(folder);
        } else if (!drive.empty()) {
            drive.clear();
        } else {
            break;
        }
    }
    return drive + folder + name;
}

AnsiString MinimizeName(const AnsiString& FileName, TCanvas* Canvas, int MaxWidth) {
    return MinimizeName(
        FileName, [Canvas](const AnsiString& Text) { return Canvas->TextWidth(Text); }, MaxWidth);
}

void ChangeDir(const AnsiString& Dir) {
    if (!SetCurrentDir(Dir)) {
        auto code = static_cast<int>(GetLastError());
        throw EInOutError(Format("I/O error %d", code));
    }
}

bool HasWildcards(const AnsiString& S) {
    return S.find_first_of("*?") != AnsiString::npos;
}

namespace {

// Puts the saved folder back however the work ends, when it still exists.
class TCurrentDirKeeper {
public:
    TCurrentDirKeeper() : FSaved(GetCurrentDir()) {}
    ~TCurrentDirKeeper() {
        if (DirectoryExists(FSaved)) SetCurrentDir(FSaved);
    }
    TCurrentDirKeeper(const TCurrentDirKeeper&) = delete;
    TCurrentDirKeeper& operator=(const TCurrentDirKeeper&) = delete;
    const AnsiString& Saved() const { return FSaved; }

private:
    AnsiString FSaved;
};

} // namespace

void ProcessPath(const AnsiString& EditText, char& Drive, AnsiString& DirPart,
                 AnsiString& FilePart) {
    TCurrentDirKeeper keeper;
    Drive = keeper.Saved().empty() ? '\0' : keeper.Saved()[0];
    DirPart = EditText;
    AnsiString root;
    if (DirPart.size() >= 2 && DirPart.front() == '[' && DirPart.back() == ']') {
        DirPart = DirPart.substr(1, DirPart.size() - 2);
    } else {
        root = ExtractFileDrive(DirPart);
        if (root.empty()) {
            root = ExtractFileDrive(keeper.Saved());
        } else {
            DirPart.erase(0, root.size());
        }
        Drive = root.size() >= 2 && root[1] == ':' ? root[0] : '\0';
    }
    if (!root.empty() && DirectoryExists(root)) ChangeDir(root);

    FilePart = ExtractFileName(DirPart);
    if (DirPart.size() == FilePart.size() + 1) {
        DirPart.assign(1, '\\');
    } else if (DirPart.size() > FilePart.size() + 1) {
        DirPart.erase(DirPart.size() - FilePart.size() - 1);
    } else {
        DirPart = GetCurrentDir();
        DirPart.erase(0, ExtractFileDrive(DirPart).size());
        if (DirPart.empty()) DirPart.assign(1, '\\');
    }
    if (!DirPart.empty()) ChangeDir(DirPart);

    if (!FilePart.empty() && !HasWildcards(FilePart) && !FileExists(FilePart)) {
        ChangeDir(FilePart);
        DirPart = DirPart.size() == 1 ? "\\" + FilePart : DirPart + "\\" + FilePart;
        FilePart.clear();
    }
    if (Drive == '\0') DirPart = root + DirPart;
}

std::vector<AnsiString> SplitMasks(const AnsiString& Mask) {
    std::vector<AnsiString> masks;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = Mask.find(';', start);
        AnsiString part = Trim(Mask.substr(start, end == AnsiString::npos ? end : end - start));
        if (!part.empty()) masks.push_back(part);
        if (end == AnsiString::npos) return masks;
        start = end + 1;
    }
}

std::vector<TFilterEntry> ParseFilter(const AnsiString& Filter) {
    std::vector<TFilterEntry> entries;
    AnsiString rest = Filter;
    for (std::size_t bar = rest.find('|'); bar != AnsiString::npos; bar = rest.find('|')) {
        TFilterEntry entry;
        entry.Description = rest.substr(0, bar);
        rest.erase(0, bar + 1);
        bar = rest.find('|');
        if (bar == AnsiString::npos) {
            entry.Mask = rest;
            rest.clear();
        } else {
            entry.Mask = rest.substr(0, bar);
            rest.erase(0, bar + 1);
        }
        entries.push_back(entry);
    }
    return entries;
}

AnsiString DefaultFilter() {
    char text[256];
    int length = LoadStringA(GetModuleHandleA(nullptr), DefaultFilterId, text, sizeof text);
    return AnsiString(text, static_cast<std::size_t>(length > 0 ? length : 0));
}

} // namespace Skfilectrl

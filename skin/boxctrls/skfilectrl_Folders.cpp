#include "skin/boxctrls/skfilectrl_Folders.h"

#include "classlib/Paths.h"
#include "classlib/Strings.h"

#include <algorithm>

namespace Skfilectrl {

namespace {

int BackslashCount(const AnsiString& S) {
    return static_cast<int>(std::count(S.begin(), S.end(), '\\'));
}

int RowIndent(int Index) {
    return 4 * Index + 2;
}

AnsiString JoinPath(const AnsiString& Folder, const AnsiString& Name) {
    return IncludeTrailingPathDelimiter(Folder) + Name;
}

} // namespace

AnsiString ExtractFileDrive(const AnsiString& Path) {
    if (Path.size() >= 2 && Path[1] == ':') return Path.substr(0, 2);
    if (Path.size() >= 2 && Path[0] == '\\' && Path[1] == '\\') {
        std::size_t server = Path.find('\\', 2);
        if (server == AnsiString::npos) return Path;
        std::size_t share = Path.find('\\', server + 1);
        return share == AnsiString::npos ? Path : Path.substr(0, share);
    }
    return AnsiString();
}

std::vector<AnsiString> SubFolderNames(const AnsiString& Directory) {
    std::vector<AnsiString> names;
    TSearchRec found;
    for (int r = FindFirst(JoinPath(Directory, "*.*"), faDirectory | faHidden | faSysFile, found);
         r == 0; r = FindNext(found)) {
        if ((found.Attr & faDirectory) && found.Name != "." && found.Name != "..")
            names.push_back(found.Name);
    }
    FindClose(found);
    std::stable_sort(names.begin(), names.end(), [](const AnsiString& A, const AnsiString& B) {
        return CompareText(A, B) < 0;
    });
    return names;
}

std::vector<TFolderRow> FolderRows(const AnsiString& Directory,
                                   const std::vector<AnsiString>& SubFolders) {
    std::vector<TFolderRow> rows;
    auto add = [&](const AnsiString& Text, TFolderRowKind Kind) {
        rows.push_back({Text, Kind, RowIndent(static_cast<int>(rows.size()))});
    };
    const AnsiString drive = ExtractFileDrive(Directory);
    AnsiString rest = Directory;
    if (drive.size() >= 2 && drive[1] == '\\') {
        // A network share is the first row; what follows it is handled like a drive path.
        rest = Directory.substr(drive.size());
        if (!rest.empty() && rest[0] == '\\') rest.erase(0, 1);
        add(drive + "\\", rest.empty() ? TFolderRowKind::Current : TFolderRowKind::Ancestor);
    }
    if (!rest.empty() && rest.back() == '\\') {
        add(rest, TFolderRowKind::Current);
    } else if (!rest.empty()) {
        std::size_t start = 0;
        for (std::size_t end = rest.find('\\'); end != AnsiString::npos;
             end = rest.find('\\', start)) {
            AnsiString part = rest.substr(start, end - start);
            add(rows.empty() ? part + "\\" : part, TFolderRowKind::Ancestor);
            start = end + 1;
        }
        add(rest.substr(start), TFolderRowKind::Current);
    }
    const int subIndent = RowIndent(BackslashCount(Directory) + 1);
    for (const AnsiString& name : SubFolders)
        rows.push_back({name, TFolderRowKind::SubFolder, subIndent});
    return rows;
}

AnsiString GetItemPath(const AnsiString& Directory, const std::vector<TFolderRow>& Rows,
                       int Index) {
    if (Index < 0 || Index >= static_cast<int>(Rows.size())) return AnsiString();
    const AnsiString drive = ExtractFileDrive(Directory);
    if (Index == 0) return drive + "\\";
    switch (Rows[static_cast<std::size_t>(Index)].Kind) {
    case TFolderRowKind::SubFolder:
        return JoinPath(Directory, Rows[static_cast<std::size_t>(Index)].Text);
    case TFolderRowKind::Current:
        return Directory;
    case TFolderRowKind::Ancestor:
        break;
    }
    // The drive part and the folders down to this row.
    const AnsiString folders = Directory.substr(drive.size());
    std::size_t cut = 0;
    for (int seen = 0; seen <= Index; ++seen) {
        cut = folders.find('\\', seen == 0 ? 0 : cut + 1);
        if (cut == AnsiString::npos) return Directory;
    }
    return drive + folders.substr(0, cut);
}

} // namespace Skfilectrl

#include "app/MinimizeName.h"

#include "classlib/Canvas.h"
#include "classlib/Paths.h"

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

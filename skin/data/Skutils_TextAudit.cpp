#include "skin/data/Skutils_TextAudit.h"

#include "classlib/Canvas.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const std::string& AuditFile() {
    static const std::string file = [] {
        const char* name = std::getenv("VANTOREL_TEXT_AUDIT");
        return std::string(name ? name : "");
    }();
    return file;
}

} // namespace

void AuditTextRoom(TCanvas* Canvas, const TRect& Room, const AnsiString& Text, UINT Flags) {
    const std::string& file = AuditFile();
    if (file.empty() || Text.empty()) return;
    const UINT kept = Flags & (DT_SINGLELINE | DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK);
    RECT need = {0, 0, (Flags & DT_WORDBREAK) ? Room.Width() : 0, 0};
    DrawTextA(Canvas->GetHandle(), Text.c_str(), static_cast<int>(Text.size()), &need,
              kept | DT_CALCRECT);
    std::string shown = Text;
    for (char& c : shown)
        if (c == '\r' || c == '\n' || c == '\t') c = '|';
    if (FILE* log = std::fopen(file.c_str(), "a")) {
        std::fprintf(log, "%d\t%d\t%d\t%d\t%s\n", Room.Width(), Room.Height(),
                     static_cast<int>(need.right - need.left), static_cast<int>(need.bottom - need.top),
                     shown.c_str());
        std::fclose(log);
    }
}

#include "app/SxbExport.h"

#include "classlib/Exceptions.h"
#include "classlib/StringList.h"
#include "classlib/Strings.h"

const char* const SxbTemplateName = "sxb.tpl";
const char* const SxbOutputName = "sxb_sample.sxb";

namespace {

const int kPauseMilliseconds = 500;

AnsiString LookupLine(const std::vector<Byte>& Pages) {
    AnsiString line = "LOOKUP temp1";
    for (Byte page : Pages)
        line += ", $" + IntToHex(page, 2);
    return line + ", temp1";
}

// The line that replaces Line, or Line itself when it holds no marker.
AnsiString ReplacementLine(const AnsiString& Line, const std::vector<Byte>& Pages) {
    if (Pos("[SETUP]", Line) > 0) return "  RB = %11111111";
    if (Pos("[FORLOOP]", Line) > 0)
        return "FOR value = 0 TO " + IntToStr(static_cast<Int64>(Pages.size()) - 1);
    if (Pos("[PAUSE]", Line) > 0) return "    PAUSE " + IntToStr(kPauseMilliseconds);
    if (Pos("[LOOKUP]", Line) > 0) return LookupLine(Pages);
    return Line;
}

} // namespace

void FillSxbTemplate(TStrings* Lines, const std::vector<Byte>& Pages) {
    if (Pages.empty()) throw EInvalidOperation("There are no pages to export");
    for (int i = 0; i < Lines->GetCount(); ++i) {
        AnsiString line = Lines->Get(i);
        AnsiString replacement = ReplacementLine(line, Pages);
        if (replacement != line) Lines->Put(i, replacement);
    }
}

void ExportSxb(const AnsiString& TemplateFile, const AnsiString& OutputFile,
               const std::vector<Byte>& Pages) {
    if (Pages.empty()) throw EInvalidOperation("There are no pages to export");
    // The messages name the file alone, without the system's reason.
    TStringList lines;
    try {
        lines.LoadFromFile(TemplateFile);
    } catch (const EFOpenError&) {
        throw EFOpenError(Format("Cannot open file %s", TemplateFile));
    }
    FillSxbTemplate(&lines, Pages);
    try {
        lines.SaveToFile(OutputFile);
    } catch (const EFCreateError&) {
        throw EFCreateError(Format("Cannot create file %s", OutputFile));
    }
}

#include "app/PageFile.h"

#include "classlib/IniFiles.h"
#include "classlib/Paths.h"
#include "classlib/StringList.h"
#include "classlib/Strings.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace {

const char kTypeSection[] = "Type";
const char kTypeKey[] = "CommonType";
const char kPageSection[] = "Page";

bool AllDigits(std::string_view Text) {
    return !Text.empty() &&
           std::all_of(Text.begin(), Text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A page key is a page number written in decimal digits only.
bool ParsePageNumber(std::string_view Key, int& Number) {
    if (!AllDigits(Key)) return false;
    auto [end, error] = std::from_chars(Key.data(), Key.data() + Key.size(), Number);
    return error == std::errc() && end == Key.data() + Key.size();
}

// Plain decimal values are read directly; any other integer form goes through the general
// conversion.
bool ParsePageByte(std::string_view Value, Byte& Page) {
    int number = 0;
    if (AllDigits(Value) && Value.size() <= 3) {
        std::from_chars(Value.data(), Value.data() + Value.size(), number);
    } else if (!TryStrToInt(AnsiString(Value), number)) {
        return false;
    }
    if (number < 0 || number > 255) return false;
    Page = static_cast<Byte>(number);
    return true;
}

} // namespace

TPageFileContent ReadPageFile(const AnsiString& FileName) {
    if (!FileExists(FileName)) throw EFOpenError(Format("Cannot open file %s", FileName));
    enum { kType, kPages };
    // A bad type is reported before a bad page, wherever each stands in the file: both
    // are checked once the whole file is read.
    std::optional<AnsiString> type;
    std::optional<AnsiString> badPage;
    std::vector<std::pair<int, Byte>> pages;
    const std::vector<bool> found = ScanIniSections(
        FileName, {kTypeSection, kPageSection},
        [&](std::size_t Section, std::string_view Key, std::string_view Value) {
            if (Section == kType) {
                if (!type && SameText(AnsiString(Key), kTypeKey)) type = AnsiString(Value);
                return;
            }
            if (badPage) return;
            int number = 0;
            Byte page = 0;
            if (!ParsePageNumber(Key, number))
                badPage = Format("%s: \"%s\" in [Page] is not a page number", FileName,
                                 AnsiString(Key));
            else if (!ParsePageByte(Value, page))
                badPage = Format("%s: page %d holds \"%s\", which is not a number from 0 to 255",
                                 FileName, number, AnsiString(Value));
            else
                pages.emplace_back(number, page);
        });
    if (!found[kType] && !found[kPages])
        throw EPageFileError(Format(
            "%s is not a page file: it has neither a [Type] nor a [Page] section", FileName));

    TPageFileContent content;
    if (type) {
        int number = 0;
        if (!TryStrToInt(*type, number))
            throw EPageFileError(
                Format("%s: the LED type \"%s\" is not a number (0 common anode, 1 common cathode)",
                       FileName, *type));
        content.CommonCathode = number != 0;
    }
    if (badPage) throw EPageFileError(*badPage);

    // Files keep their keys in order, so this is usually one pass.
    const auto byNumber = [](const auto& A, const auto& B) { return A.first < B.first; };
    if (!std::is_sorted(pages.begin(), pages.end(), byNumber))
        std::stable_sort(pages.begin(), pages.end(), byNumber);
    const auto twice = std::adjacent_find(pages.begin(), pages.end(), [](const auto& A, const auto& B) {
        return A.first == B.first;
    });
    if (twice != pages.end())
        throw EPageFileError(
            Format("%s: page %d is stored more than once", FileName, twice->first));
    // As many pages as entries, each read by its position: a key that is not a position
    // is not read, and a position without a key is page 0.
    content.Pages.assign(pages.size(), 0);
    for (const auto& [number, page] : pages)
        if (static_cast<std::size_t>(number) < pages.size())
            content.Pages[static_cast<std::size_t>(number)] = page;
    return content;
}

namespace {

void WritePageSections(const AnsiString& FileName, const TPageFileContent& Content) {
    TMemIniFile ini(FileName);
    ini.EraseSection(kPageSection);
    ini.EraseSection(kTypeSection);
    ini.WriteInteger(kTypeSection, kTypeKey, Content.CommonCathode ? 1 : 0);
    if (!Content.Pages.empty()) {
        // The new section goes last as a whole: writing key by key would look each key up
        // in a section that grows with every page.
        TStringList lines;
        ini.GetStrings(&lines);
        lines.Add(AnsiString("[") + kPageSection + "]");
        for (std::size_t i = 0; i < Content.Pages.size(); ++i)
            lines.Add(IntToStr(static_cast<Int64>(i)) + "=" + IntToStr(Content.Pages[i]));
        ini.SetStrings(&lines);
    }
    ini.UpdateFile();
}

} // namespace

void WritePageFile(const AnsiString& FileName, const TPageFileContent& Content) {
    try {
        WritePageSections(FileName, Content);
    } catch (const EStreamError&) {
        // An existing file that cannot be read cannot be rewritten either: one message for
        // every way a save fails.
        throw EIniFileException(Format("Unable to write to %s", FileName));
    }
}

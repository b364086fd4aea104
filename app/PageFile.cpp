#include "app/PageFile.h"

#include "app/PageList.h"

#include "classlib/IniFiles.h"
#include "classlib/Paths.h"
#include "classlib/StringList.h"
#include "classlib/Strings.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace {

const char kTypeSection[] = "Type";
const char kTypeKey[] = "CommonType";
const char kPageSection[] = "Page";

// Text written in decimal digits only, as a number that fits an int. A page file has a key
// and a value of a few digits on each of up to millions of lines: one pass over each,
// without the library's general conversion, which costs as much as reading the line.
bool ParseDigits(std::string_view Text, int& Number) {
    if (Text.empty()) return false;
    int number = 0;
    for (char c : Text) {
        if (c < '0' || c > '9') return false;
        const int digit = c - '0';
        if (number > (std::numeric_limits<int>::max() - digit) / 10) return false;
        number = number * 10 + digit;
    }
    Number = number;
    return true;
}

// A page key is a page number written in decimal digits only.
bool ParsePageNumber(std::string_view Key, int& Number) {
    return ParseDigits(Key, Number);
}

// Plain decimal values are read directly; any other integer form goes through the general
// conversion.
bool ParsePageByte(std::string_view Value, Byte& Page) {
    int number = 0;
    if (!ParseDigits(Value, number) && !TryStrToInt(AnsiString(Value), number)) return false;
    if (number < 0 || number > 255) return false;
    Page = static_cast<Byte>(number);
    return true;
}

// The pages as the file lists them. Files keep their keys in order 0, 1, 2, ...: such pages go
// straight into the list. The first key out of that order turns what was read into numbered
// pages, which are put in order and checked once the whole file is read.
class TPageCollector {
public:
    void Add(int Number, Byte Page) {
        if (FNumbered.empty() && static_cast<std::size_t>(Number) == FInOrder.size()) {
            FInOrder.push_back(Page);
            return;
        }
        if (FNumbered.empty()) {
            FNumbered.reserve(FInOrder.size() + 1);
            for (std::size_t i = 0; i < FInOrder.size(); ++i)
                FNumbered.emplace_back(static_cast<int>(i), FInOrder[i]);
            FInOrder.clear();
        }
        FNumbered.emplace_back(Number, Page);
    }

    // As many pages as entries, each read by its position: a key that is not a position is
    // not read, and a position without a key is page 0.
    std::vector<Byte> Take(const AnsiString& FileName) {
        if (FNumbered.empty()) return std::move(FInOrder);
        const auto byNumber = [](const auto& A, const auto& B) { return A.first < B.first; };
        std::stable_sort(FNumbered.begin(), FNumbered.end(), byNumber);
        const auto twice =
            std::adjacent_find(FNumbered.begin(), FNumbered.end(),
                               [](const auto& A, const auto& B) { return A.first == B.first; });
        if (twice != FNumbered.end())
            throw EPageFileError(
                Format("%s: page %d is stored more than once", FileName, twice->first));
        std::vector<Byte> pages(FNumbered.size(), 0);
        for (const auto& [number, page] : FNumbered)
            if (static_cast<std::size_t>(number) < pages.size())
                pages[static_cast<std::size_t>(number)] = page;
        return pages;
    }

private:
    std::vector<Byte> FInOrder;
    std::vector<std::pair<int, Byte>> FNumbered;
};

} // namespace

TPageFileContent ReadPageFile(const AnsiString& FileName) {
    if (!FileExists(FileName)) throw EFOpenError(Format("Cannot open file %s", FileName));
    enum { kType, kPages };
    // A bad type is reported before a bad page, wherever each stands in the file: both
    // are checked once the whole file is read.
    std::optional<AnsiString> type;
    std::optional<AnsiString> badPage;
    TPageCollector pages;
    int entries = 0;
    const std::vector<bool> found = ScanIniSections(
        FileName, {kTypeSection, kPageSection},
        [&](std::size_t Section, std::string_view Key, std::string_view Value) {
            if (Section == kType) {
                if (!type && SameText(AnsiString(Key), kTypeKey)) type = AnsiString(Value);
                return;
            }
            if (badPage) return;
            if (++entries > kMostPages) {
                badPage = Format("%s holds more than %d pages, the most the editor keeps", FileName, kMostPages);
                return;
            }
            int number = 0;
            Byte page = 0;
            if (!ParsePageNumber(Key, number))
                badPage = Format("%s: \"%s\" in [Page] is not a page number", FileName,
                                 AnsiString(Key));
            else if (!ParsePageByte(Value, page))
                badPage = Format("%s: page %d holds \"%s\", which is not a number from 0 to 255",
                                 FileName, number, AnsiString(Value));
            else
                pages.Add(number, page);
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
    content.Pages = pages.Take(FileName);
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

// Reading single lines of INI text in place, without copying: where a line ends, what kind
// of line it is, and the case-blind hash and comparison of section and key names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace IniLines {

// The end of the line's content at or after Start: the first CR or LF, or the text's end.
inline std::size_t ContentEnd(std::string_view Text, std::size_t Start) {
    const char* p = Text.data() + Start;
    const char* end = Text.data() + Text.size();
    while (p != end && *p != '\n' && *p != '\r')
        ++p;
    return static_cast<std::size_t>(p - Text.data());
}

// The start of the next line after a content ending at End (CR LF counts as one break).
inline std::size_t NextLine(std::string_view Text, std::size_t End) {
    if (End == Text.size()) return End;
    if (Text[End] == '\r' && End + 1 < Text.size() && Text[End + 1] == '\n') return End + 2;
    return End + 1;
}

// The bytes of the UTF-8 byte-order mark that many text editors write before the first line;
// 0 when Text does not start with one. Reading starts after it, as if it were not there.
inline std::size_t ByteOrderMarkLength(std::string_view Text) {
    return Text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
}

// Calls Visit(Start, ContentEnd, Next) for each line of Text, in order.
template <class TVisit> void ForEachLine(std::string_view Text, TVisit&& Visit) {
    std::size_t start = 0;
    while (start < Text.size()) {
        std::size_t end = ContentEnd(Text, start);
        std::size_t next = NextLine(Text, end);
        Visit(start, end, next);
        start = next;
    }
}

// Blanks and control characters around S removed.
std::string_view Trimmed(std::string_view S);

enum class TLineKind : std::uint8_t { Other, Header, Entry };

// A header's Name is its trimmed text between "[" and the first "]"; an entry's Name and
// Value are the trimmed parts around its first "=". Comments (";"), blank lines, lines
// without "=" and entries without a name are Other.
struct TLine {
    TLineKind Kind = TLineKind::Other;
    std::string_view Name;
    std::string_view Value;
};

TLine ParseLine(std::string_view Content);
// ParseLine(Content).Kind, found without taking the line apart.
TLineKind KindOf(std::string_view Content);

// Whether the entry line starting at Line has the key Key, read only as far as needed.
// Line runs to the end of the text; Key is a name that an entry can have (see PlainName).
bool EntryHasKey(std::string_view Line, std::string_view Key);
// Whether an entry line can have the name: not empty, no blanks around it, no "=".
bool PlainName(std::string_view Name);

// Names compare without regard to the case of ASCII letters.
bool SameName(std::string_view A, std::string_view B);
std::uint32_t HashName(std::string_view Name);

} // namespace IniLines

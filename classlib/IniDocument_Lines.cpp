#include "classlib/IniDocument_Lines.h"

namespace IniLines {

namespace {

bool IsBlank(char C) {
    return static_cast<unsigned char>(C) <= 32;
}

// Short lines are searched faster without a library call.
std::size_t Find(std::string_view S, char C, std::size_t From = 0) {
    for (std::size_t i = From; i < S.size(); ++i)
        if (S[i] == C) return i;
    return std::string_view::npos;
}

char AsciiLower(char C) {
    return C >= 'A' && C <= 'Z' ? static_cast<char>(C + 32) : C;
}

} // namespace

std::string_view Trimmed(std::string_view S) {
    std::size_t first = 0;
    while (first < S.size() && IsBlank(S[first]))
        ++first;
    std::size_t last = S.size();
    while (last > first && IsBlank(S[last - 1]))
        --last;
    return S.substr(first, last - first);
}

TLine ParseLine(std::string_view Content) {
    TLine line;
    std::string_view text = Trimmed(Content);
    if (text.empty() || text[0] == ';') return line;
    if (text[0] == '[') {
        std::size_t close = Find(text, ']');
        if (close != std::string_view::npos) {
            line.Kind = TLineKind::Header;
            line.Name = Trimmed(text.substr(1, close - 1));
        }
        return line;
    }
    std::size_t equals = Find(text, '=');
    if (equals == std::string_view::npos) return line;
    line.Name = Trimmed(text.substr(0, equals));
    if (line.Name.empty()) return line;
    line.Kind = TLineKind::Entry;
    line.Value = Trimmed(text.substr(equals + 1));
    return line;
}

TLineKind KindOf(std::string_view Content) {
    std::size_t first = 0;
    while (first < Content.size() && IsBlank(Content[first]))
        ++first;
    if (first == Content.size()) return TLineKind::Other;
    switch (Content[first]) {
    case ';':
    case '=':
        return TLineKind::Other;
    case '[':
        return Find(Content, ']', first) == std::string_view::npos ? TLineKind::Other
                                                                   : TLineKind::Header;
    default:
        return Find(Content, '=', first) == std::string_view::npos ? TLineKind::Other
                                                                   : TLineKind::Entry;
    }
}

bool EntryHasKey(std::string_view Line, std::string_view Key) {
    std::size_t i = 0;
    while (i < Line.size() && IsBlank(Line[i]) && Line[i] != '\r' && Line[i] != '\n')
        ++i;
    if (Line.size() - i < Key.size()) return false;
    for (char c : Key)
        if (AsciiLower(Line[i++]) != AsciiLower(c)) return false;
    while (i < Line.size() && IsBlank(Line[i]) && Line[i] != '\r' && Line[i] != '\n')
        ++i;
    return i < Line.size() && Line[i] == '=';
}

bool PlainName(std::string_view Name) {
    return !Name.empty() && !IsBlank(Name.front()) && !IsBlank(Name.back()) &&
           Find(Name, '=') == std::string_view::npos;
}

bool SameName(std::string_view A, std::string_view B) {
    if (A.size() != B.size()) return false;
    for (std::size_t i = 0; i < A.size(); ++i)
        if (AsciiLower(A[i]) != AsciiLower(B[i])) return false;
    return true;
}

std::uint32_t HashName(std::string_view Name) {
    std::uint32_t hash = 2166136261u; // FNV-1a
    for (char c : Name)
        hash = (hash ^ static_cast<unsigned char>(AsciiLower(c))) * 16777619u;
    return hash;
}

} // namespace IniLines

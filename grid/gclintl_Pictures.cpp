// Picture primitives: writing numbers, names and literal texts into the fields
// of a picture, reading fields back, substituting characters and packing.
#include "grid/gclintl.h"

#include "classlib/Strings.h"
#include "grid/gclstr.h"

#include <algorithm>

namespace {

constexpr std::size_t MaxFieldText = 40;
constexpr std::size_t MaxReadChars = 20;
constexpr std::size_t MaxPacked = 80;

char Upper(char C) {
    return C >= 'a' && C <= 'z' ? static_cast<char>(C - 32) : C;
}

bool SameLetter(char A, char B) {
    return Upper(A) == Upper(B);
}

bool IsLower(char C) {
    return C >= 'a' && C <= 'z';
}

} // namespace

void TGclIntlSup::isMergeIntoPicture(AnsiString& Picture, char Ch, int Value) const {
    std::size_t found = Picture.find(Ch);
    if (found == AnsiString::npos) found = Picture.find(Upper(Ch));
    if (found == AnsiString::npos) return;
    std::size_t right = found;
    while (right + 1 < Picture.size() && SameLetter(Picture[right + 1], Ch))
        ++right;
    const std::size_t width = right - found + 1;
    const char letter = Upper(Ch);
    const bool name = letter == 'W' || letter == 'N';
    AnsiString text;
    if (name) {
        text = letter == 'W' ? DayOfWeekToString(Value) : MonthToString(Value);
        text = text.substr(0, MaxFieldText);
        text.resize(width, ' ');
    } else {
        text = IntToStr(Value);
        text.insert(0, MaxFieldText - std::min(text.size(), MaxFieldText), ' ');
    }
    std::size_t pos = right;
    std::size_t left = text.size();
    while (true) {
        char c = text[--left];
        const char p = Picture[pos];
        if (name && (p == 'N' || p == 'W'))
            c = UpCaseChar(c);
        else if (!name && c == ' ' && IsLower(p))
            c = '0';
        Picture[pos] = c;
        if (pos == 0 || left == 0) break;
        --pos;
        if (!SameLetter(Picture[pos], Ch)) break;
    }
}

void TGclIntlSup::isMergePictureSt(const AnsiString& Picture, AnsiString& Result, char Ch,
                                   const AnsiString& St) const {
    std::size_t pos = Picture.find(Ch);
    if (pos == AnsiString::npos) return;
    for (std::size_t i = 0; pos < Picture.size() && Picture[pos] == Ch && pos < Result.size(); ++pos, ++i)
        Result[pos] = i < St.size() ? St[i] : ' ';
}

void TGclIntlSup::isExtractFromPicture(const AnsiString& Picture, const AnsiString& Text, char Ch,
                                       int& Value, int Blank, int Default) const {
    Value = Default;
    const std::size_t lower = Picture.find(Ch);
    const std::size_t upper = Picture.find(Upper(Ch));
    const std::size_t found = std::min(lower, upper);
    if (found == AnsiString::npos || Text.size() != Picture.size()) return;
    AnsiString field;
    std::size_t width = 0;
    for (std::size_t pos = found; pos < Picture.size() && SameLetter(Picture[pos], Ch); ++pos) {
        ++width;
        if (Text[pos] != ' ' && field.size() < MaxReadChars) field += Text[pos];
    }
    if (field.empty()) {
        Value = Blank;
        return;
    }
    if (Upper(Ch) == 'N') {
        const Byte month = MonthStringToMonth(field, static_cast<Byte>(std::min<std::size_t>(width, 255)));
        Value = month == 0 ? -1 : month;
        return;
    }
    Int64 number = 0;
    Value = ParseInteger(field, number, 32) == 0 ? static_cast<int>(number) : -1;
}

void TGclIntlSup::isSubstChar(AnsiString& Picture, char FromCh, char ToCh) const {
    const char from = UpCaseChar(FromCh);
    if (Picture.find(FromCh) == AnsiString::npos && Picture.find(from) == AnsiString::npos) return;
    for (std::size_t i = 0; i < Picture.size() && i < 255; ++i)
        if (UpCaseChar(Picture[i]) == from) Picture[i] = ToCh;
}

void TGclIntlSup::isSubstCharSim(AnsiString& Text, char FromCh, char ToCh) const {
    std::replace(Text.begin(), Text.end(), FromCh, ToCh);
}

void TGclIntlSup::isPackResult(const AnsiString& Picture, AnsiString& Result) const {
    AnsiString packed;
    for (std::size_t i = 0; i < Picture.size() && i < Result.size(); ++i) {
        const char p = Picture[i];
        const char c = Result[i];
        switch (p) {
        case 'D': case 'H': case 'M': case 'N': case 'S': case 'W': case 'n': case 'w':
            if (c != ' ') packed += c;
            break;
        case 't':
            if (c != ' ')
                packed += c;
            else if (i > 0 && Picture[i - 1] == ' ' && !packed.empty())
                packed.pop_back();
            break;
        default:
            packed += c;
        }
    }
    Result = packed.substr(0, MaxPacked);
}

Word TGclIntlSup::isMaskCharCount(const AnsiString& Picture, char Ch) const {
    std::size_t pos = Picture.find(Ch);
    Word count = 0;
    for (; pos != AnsiString::npos && pos < Picture.size() && Picture[pos] == Ch; ++pos)
        ++count;
    return count;
}

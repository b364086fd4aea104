// Date pictures: the locale's short and long date pictures, dates written
// through a picture, read back and tested for blankness.
#include "grid/gclintl.h"

#include "classlib/DateTime.h"
#include "grid/gclstr.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t MaxLongDate = 80;
constexpr std::size_t MaxText = 255;

char Upper(char C) {
    return C >= 'a' && C <= 'z' ? static_cast<char>(C - 32) : C;
}

AnsiString Cut(const AnsiString& S) {
    return S.substr(0, MaxText);
}

Word LongestName(const AnsiString* Names, int Count) {
    Word longest = 0;
    for (int i = 0; i < Count; ++i)
        longest = MaxWord(longest, static_cast<Word>(Names[i].size()));
    return longest;
}

} // namespace

void TGclIntlSup::AdjustField(AnsiString& Picture, char Letter, int Width, bool Shrink) const {
    char k = Letter;
    std::size_t at = Picture.find(Letter);
    if (at == AnsiString::npos) {
        k = Upper(Letter);
        at = Picture.find(k);
    }
    if (at == AnsiString::npos) return;
    const int n = isMaskCharCount(Picture.substr(at), k);
    if (Width > n)
        Picture.insert(at, static_cast<std::size_t>(Width - n), k);
    else if (Width < n && Shrink)
        Picture.erase(at, static_cast<std::size_t>(n - Width));
    if (Letter == 'y') return;
    if (n == 1 && k == Letter)
        isSubstCharSim(Picture, k, Upper(Letter));
    else if (n == 2 && k != Letter)
        isSubstCharSim(Picture, k, Letter);
}

AnsiString TGclIntlSup::InternationalDate(bool FourDigitYear) const {
    AnsiString picture = ShortDate;
    AdjustField(picture, 'd', 2, false);
    AdjustField(picture, 'm', 2, false);
    AdjustField(picture, 'y', FourDigitYear ? 4 : 2, false);
    return picture;
}

AnsiString TGclIntlSup::InternationalLongDate(bool ThreeLetterNames, bool OmitWeekday) const {
    AnsiString picture = LongDate.substr(0, MaxLongDate);
    if (OmitWeekday) {
        const std::size_t w = picture.find('w');
        if (w != AnsiString::npos) {
            std::size_t end = w + 1;
            while (end < picture.size() && !std::strchr("dmny", LoCaseChar(picture[end])))
                ++end;
            picture.erase(w, end - w);
        }
    } else if (ThreeLetterNames) {
        AdjustField(picture, 'w', 3, true);
    } else if (isMaskCharCount(picture, 'w') == 4) {
        AdjustField(picture, 'w', LongestName(LongDayNames, 7), true);
    }
    if (ThreeLetterNames)
        AdjustField(picture, 'n', 3, true);
    else if (isMaskCharCount(picture, 'n') == 4)
        AdjustField(picture, 'n', LongestName(LongMonthNames, 12), true);
    AdjustField(picture, 'd', 2, true);
    AdjustField(picture, 'm', 2, true);
    AdjustField(picture, 'y', 4, true);
    return picture.substr(0, MaxLongDate);
}

AnsiString TGclIntlSup::DMYtoDateString(const AnsiString& Picture, int Day, int Month, int Year,
                                        bool Pack, int Epoch) const {
    const AnsiString picture = Cut(Picture);
    AnsiString dest = picture;
    Year = ResolveEpoch(Year, Epoch);
    const int weekday = DayOfWeekDMY(Day, Month, Year, Epoch);
    isMergeIntoPicture(dest, 'm', Month);
    isMergeIntoPicture(dest, 'd', Day);
    isMergeIntoPicture(dest, 'y', Year);
    isMergeIntoPicture(dest, 'n', Month);
    isMergeIntoPicture(dest, 'w', weekday);
    isSubstChar(dest, '/', SlashChar);
    isMergePictureSt(picture, dest, 'f', LongDateSub1);
    isMergePictureSt(picture, dest, 'g', LongDateSub2);
    isMergePictureSt(picture, dest, 'h', LongDateSub3);
    if (Pack) isPackResult(picture, dest);
    return dest;
}

AnsiString TGclIntlSup::DateToDateString(const AnsiString& Picture, TStDate Julian, bool Pack) const {
    const AnsiString picture = Cut(Picture);
    if (Julian == BadDate) {
        AnsiString dest = picture;
        for (char letter : {'m', 'n', 'd', 'y', 'w'})
            isSubstChar(dest, letter, ' ');
        isMergePictureSt(picture, dest, 'f', LongDateSub1);
        isMergePictureSt(picture, dest, 'g', LongDateSub2);
        isMergePictureSt(picture, dest, 'h', LongDateSub3);
        isSubstChar(dest, '/', SlashChar);
        return dest;
    }
    int day, month, year;
    StDateToDMY(Julian, day, month, year);
    return DMYtoDateString(picture, day, month, year, Pack, 0);
}

AnsiString TGclIntlSup::CurrentDateString(const AnsiString& Picture, bool Pack) const {
    return DateToDateString(Picture, CurrentDate(), Pack);
}

bool TGclIntlSup::DateStringToDMY(const AnsiString& Picture, const AnsiString& S, int& Day,
                                  int& Month, int& Year, int Epoch) const {
    const AnsiString picture = Cut(Picture);
    const AnsiString text = Cut(S);
    if (picture.size() != text.size()) return false;
    isExtractFromPicture(picture, text, 'n', Month, -1, 0);
    if (Month == 0) isExtractFromPicture(picture, text, 'm', Month, -1, DefaultMonth);
    isExtractFromPicture(picture, text, 'd', Day, -1, 1);
    isExtractFromPicture(picture, text, 'y', Year, -1, DefaultYear);
    return ValidDate(Day, Month, Year, Epoch);
}

TStDate TGclIntlSup::DateStringToDate(const AnsiString& Picture, const AnsiString& S, int Epoch) const {
    int day = 0, month = 0, year = 0;
    if (!DateStringToDMY(Picture, S, day, month, year, Epoch)) return BadDate;
    return DMYtoStDate(day, month, year, Epoch);
}

bool TGclIntlSup::DateStringIsBlank(const AnsiString& Picture, const AnsiString& S) const {
    const AnsiString picture = Cut(Picture);
    const AnsiString text = Cut(S);
    int month, day, year;
    isExtractFromPicture(picture, text, 'n', month, -2, 0);
    if (month == 0) isExtractFromPicture(picture, text, 'm', month, -2, -2);
    isExtractFromPicture(picture, text, 'd', day, -2, -2);
    isExtractFromPicture(picture, text, 'y', year, -2, -2);
    return month == -2 && day == -2 && year == -2;
}

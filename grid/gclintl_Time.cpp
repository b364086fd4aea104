// Time pictures: the locale's time picture, times written through a picture
// with am/pm texts, and read back.
#include "grid/gclintl.h"

#include "grid/gclstr.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t MaxText = 255;

// Letters a to z compared without case, every other character exactly.
bool SameAmPm(const AnsiString& A, const AnsiString& B) {
    if (A.size() != B.size()) return false;
    auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    for (std::size_t i = 0; i < A.size(); ++i)
        if (fold(A[i]) != fold(B[i])) return false;
    return true;
}

} // namespace

AnsiString TGclIntlSup::InternationalTime(bool ShowSeconds) const {
    AnsiString picture = "hh:mm:ss";
    if (!HourLeadingZero) picture[0] = 'H';
    if (!ShowSeconds) picture.resize(5);
    if (TwelveHour) {
        const Word width = MaxWord(static_cast<Word>(AmString.size()), static_cast<Word>(PmString.size()));
        if (width > 0) picture += ' ' + AnsiString(width, 't');
    }
    return picture;
}

AnsiString TGclIntlSup::isTimeToTimeStringPrim(const AnsiString& Picture, TStTime T, bool Pack,
                                               const AnsiString& AmText,
                                               const AnsiString& PmText) const {
    Byte hours, minutes, seconds;
    StTimeToHMS(T, hours, minutes, seconds);
    AnsiString dest = Picture;
    const std::size_t t = Picture.find('t');
    const bool bothTexts = !AmText.empty() && !PmText.empty();
    const AnsiString& chosen = hours < 12 ? AmText : PmText;
    if (t != AnsiString::npos && bothTexts) {
        if (hours == 0)
            hours = 12;
        else if (hours >= 13 && hours <= 23)
            hours -= 12;
    }
    if (T == BadTime) {
        for (char letter : {'h', 'm', 's'})
            isSubstChar(dest, letter, ' ');
    } else {
        isMergeIntoPicture(dest, 'h', hours);
        isMergeIntoPicture(dest, 'm', minutes);
        isMergeIntoPicture(dest, 's', seconds);
    }
    isSubstChar(dest, ':', ColonChar);
    if (t != AnsiString::npos) {
        if ((AmText.empty() && PmText.empty()) || (T == BadTime && AmText.empty())) {
            for (std::size_t i = t; i < dest.size(); ++i)
                if (dest[i] == 't') dest[i] = ' ';
        } else {
            // Positions the text does not reach are blank, not left as "t".
            for (std::size_t i = t, k = 0; i < Picture.size() && Picture[i] == 't'; ++i, ++k)
                dest[i] = k < chosen.size() ? chosen[k] : ' ';
        }
    }
    if (Pack && T != BadTime) isPackResult(Picture, dest);
    return dest;
}

AnsiString TGclIntlSup::TimeToTimeString(const AnsiString& Picture, TStTime T, bool Pack) const {
    return isTimeToTimeStringPrim(Picture.substr(0, MaxText), T, Pack, AmString, PmString);
}

AnsiString TGclIntlSup::TimeToAmPmString(const AnsiString& Picture, TStTime T, bool Pack) const {
    AnsiString picture = Picture.substr(0, MaxText - 1);
    if (picture.find('t') == AnsiString::npos) picture += 't';
    return isTimeToTimeStringPrim(picture, T, Pack, "AM", "PM");
}

AnsiString TGclIntlSup::CurrentTimeString(const AnsiString& Picture, bool Pack) const {
    return TimeToTimeString(Picture, CurrentTime(), Pack);
}

bool TGclIntlSup::TimeStringToHMS(const AnsiString& Picture, const AnsiString& S, int& Hours,
                                  int& Minutes, int& Seconds) const {
    const AnsiString picture = Picture.substr(0, MaxText);
    const AnsiString text = S.substr(0, MaxText);
    if (picture.size() != text.size()) return false;
    isExtractFromPicture(picture, text, 'h', Hours, -1, 0);
    isExtractFromPicture(picture, text, 'm', Minutes, -1, 0);
    isExtractFromPicture(picture, text, 's', Seconds, -1, 0);
    if (Hours == -1 || Minutes == -1 || Seconds == -1) return false;
    const std::size_t t = picture.find('t');
    if (t != AnsiString::npos && !AmString.empty() && !PmString.empty()) {
        std::size_t end = t;
        while (end < picture.size() && picture[end] == 't')
            ++end;
        const std::size_t width = end - t;
        AnsiString field = text.substr(t, width);
        field.resize(std::strlen(TrimTrailPrimPChar(field.data())));
        if (field.empty())
            Hours = -1;
        else if (SameAmPm(field, PmString.substr(0, width)))
            Hours = Hours < 12 ? Hours + 12 : (Hours == 12 ? 12 : -1);
        else if (SameAmPm(field, AmString.substr(0, width)))
            Hours = Hours == 12 ? 0 : (Hours >= 1 && Hours <= 11 ? Hours : -1);
        else
            Hours = -1;
    }
    return ValidTime(Hours, Minutes, Seconds);
}

TStTime TGclIntlSup::TimeStringToTime(const AnsiString& Picture, const AnsiString& S) const {
    int h = 0, m = 0, s = 0;
    if (!TimeStringToHMS(Picture, S, h, m, s)) return BadTime;
    return HMStoStTime(static_cast<Byte>(h), static_cast<Byte>(m), static_cast<Byte>(s));
}

#include "classlib/DateTime.h"

#include "classlib/Exceptions.h"
#include "classlib/Strings.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

const char* const EnglishLongMonths[12] = {"January",   "February", "March",    "April",
                                           "May",       "June",     "July",     "August",
                                           "September", "October",  "November", "December"};
const char* const EnglishShortMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const EnglishLongDays[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                        "Thursday", "Friday", "Saturday"};
const char* const EnglishShortDays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

} // namespace

AnsiString LongMonthNames[12] = {"January",   "February", "March",    "April",
                                 "May",       "June",     "July",     "August",
                                 "September", "October",  "November", "December"};
AnsiString ShortMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
AnsiString LongDayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                              "Thursday", "Friday", "Saturday"};
AnsiString ShortDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
AnsiString LongTimeFormat = "h:mm:ss AMPM";
AnsiString ShortDateFormat = "M/d/yyyy";
char DateSeparator = '/';

namespace {

constexpr Int64 MSecsPerDay = 86400000;
// Day 1 is 1 January of year 1; this is the count of 30 December 1899.
constexpr Int64 DayCountOfZero = 693594;
// 1 January 10000, the first day that cannot be decoded.
constexpr double DecodeLimit = 2958466.0;

constexpr Word MonthDays[2][12] = {{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                                   {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};

// DateTime rounded to the nearest millisecond, counted from 30 December 1899
// with the sign of the day: -1.25 gives -108000000.
Int64 RoundedMilliseconds(TDateTime DateTime, const char* Operation) {
    if (!std::isfinite(DateTime) || std::fabs(DateTime) >= DecodeLimit)
        throw EConvertError(AnsiString("Invalid argument to ") + Operation);
    Int64 total = std::llround(DateTime * static_cast<double>(MSecsPerDay));
    if (total / MSecsPerDay >= static_cast<Int64>(DecodeLimit))
        throw EConvertError(AnsiString("Invalid argument to ") + Operation);
    return total;
}

// Days since 1 January of year 1, that day being 1.
Int64 DayCount(TDateTime DateTime) {
    return RoundedMilliseconds(DateTime, "date decode") / MSecsPerDay + DayCountOfZero;
}

TLocalTimeSource LocalTimeSource = nullptr;

SYSTEMTIME LocalTime() {
    SYSTEMTIME now{};
    if (LocalTimeSource)
        LocalTimeSource(now);
    else
        GetLocalTime(&now);
    return now;
}

class TUserLocale : public TLocaleSource {
public:
    bool LocaleText(LCTYPE Item, AnsiString& Value) override {
        char buffer[256];
        int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, Item, buffer, sizeof buffer);
        if (length <= 1) return false;
        Value = AnsiString(buffer, static_cast<std::size_t>(length - 1));
        return true;
    }
};

TUserLocale UserLocale;
TLocaleSource* LocaleSource = &UserLocale;

AnsiString LocaleText(LCTYPE Item, const AnsiString& Default) {
    AnsiString value;
    return LocaleSource->LocaleText(Item, value) && !value.empty() ? value : Default;
}

// The locale's short date with its separator written as '/'. A separator inside quotes
// is text of the format and stays.
AnsiString ShortDateWithSlashes(const AnsiString& Format, const AnsiString& Separator) {
    AnsiString result;
    char quote = '\0';
    for (std::size_t i = 0; i < Format.size();) {
        const char c = Format[i];
        if (quote == '\0' && !Separator.empty() && Format.compare(i, Separator.size(), Separator) == 0) {
            result += '/';
            i += Separator.size();
            continue;
        }
        if (c == '\'' || c == '"') quote = quote == c ? '\0' : quote == '\0' ? c : quote;
        result += c;
        ++i;
    }
    return result;
}

void ReadLocaleNames() {
    for (int i = 0; i < 12; ++i) {
        LongMonthNames[i] = LocaleText(LOCALE_SMONTHNAME1 + i, EnglishLongMonths[i]);
        ShortMonthNames[i] = LocaleText(LOCALE_SABBREVMONTHNAME1 + i, EnglishShortMonths[i]);
    }
    // The locale's week starts on Monday; ours on Sunday.
    for (int i = 0; i < 7; ++i) {
        LCTYPE offset = (i + 6) % 7;
        LongDayNames[i] = LocaleText(LOCALE_SDAYNAME1 + offset, EnglishLongDays[i]);
        ShortDayNames[i] = LocaleText(LOCALE_SABBREVDAYNAME1 + offset, EnglishShortDays[i]);
    }
    AnsiString hours = LocaleText(LOCALE_ITLZERO, "0") == "0" ? "h" : "hh";
    AnsiString format = hours + ":mm:ss";
    if (LocaleText(LOCALE_ITIME, "0") == "0") {
        if (LocaleText(LOCALE_ITIMEMARKPOSN, "0") == "0")
            format += " AMPM";
        else
            format = "AMPM " + format;
    }
    LongTimeFormat = format;
    const AnsiString separator = LocaleText(LOCALE_SDATE, "/");
    DateSeparator = separator[0];
    ShortDateFormat = ShortDateWithSlashes(LocaleText(LOCALE_SSHORTDATE, "M/d/yyyy"), separator);
}

} // namespace

DEFINE_UNIT(DateTime, uoClassLib, ReadLocaleNames, nullptr);

bool IsLeapYear(Word Year) {
    return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0);
}

bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Date) {
    if (Year < 1 || Year > 9999 || Month < 1 || Month > 12) return false;
    const Word* days = MonthDays[IsLeapYear(Year)];
    if (Day < 1 || Day > days[Month - 1]) return false;
    Int64 dayOfYear = Day;
    for (int m = 0; m < Month - 1; ++m)
        dayOfYear += days[m];
    Int64 before = Year - 1;
    Int64 count = before * 365 + before / 4 - before / 100 + before / 400 + dayOfYear;
    Date = static_cast<TDateTime>(count - DayCountOfZero);
    return true;
}

TDateTime EncodeDate(Word Year, Word Month, Word Day) {
    TDateTime date = 0;
    if (!TryEncodeDate(Year, Month, Day, date))
        throw EConvertError("Invalid argument to date encode");
    return date;
}

TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec) {
    if (Hour >= 24 || Min >= 60 || Sec >= 60 || MSec >= 1000)
        throw EConvertError("Invalid argument to time encode");
    Int64 msecs = Hour * 3600000LL + Min * 60000LL + Sec * 1000LL + MSec;
    return static_cast<double>(msecs) / static_cast<double>(MSecsPerDay);
}

void DecodeDate(TDateTime DateTime, Word& Year, Word& Month, Word& Day) {
    Int64 count = DayCount(DateTime);
    if (count <= 0) {
        Year = Month = Day = 0;
        return;
    }
    constexpr Int64 Days400 = 146097, Days100 = 36524, Days4 = 1461, Days1 = 365;
    Int64 rest = count - 1;
    Int64 year = 1 + rest / Days400 * 400;
    rest %= Days400;
    // The last day of a 400-year cycle belongs to its fourth century, and the
    // last day of a 4-year cycle to its fourth year.
    Int64 centuries = std::min(rest / Days100, Int64{3});
    rest -= centuries * Days100;
    year += centuries * 100 + rest / Days4 * 4;
    rest %= Days4;
    Int64 years = std::min(rest / Days1, Int64{3});
    rest -= years * Days1;
    year += years;

    const Word* days = MonthDays[IsLeapYear(static_cast<Word>(year))];
    int month = 0;
    while (rest >= days[month])
        rest -= days[month++];
    Year = static_cast<Word>(year);
    Month = static_cast<Word>(month + 1);
    Day = static_cast<Word>(rest + 1);
}

void DecodeTime(TDateTime DateTime, Word& Hour, Word& Min, Word& Sec, Word& MSec) {
    Int64 msecs = RoundedMilliseconds(DateTime, "time decode");
    if (msecs < 0) msecs = -msecs;
    msecs %= MSecsPerDay;
    Hour = static_cast<Word>(msecs / 3600000);
    Min = static_cast<Word>(msecs / 60000 % 60);
    Sec = static_cast<Word>(msecs / 1000 % 60);
    MSec = static_cast<Word>(msecs % 1000);
}

int DayOfWeek(TDateTime DateTime) {
    // Day 1, 1 January of year 1, was a Monday.
    return static_cast<int>((DayCount(DateTime) % 7 + 7) % 7) + 1;
}

TDateTime SystemTimeToDateTime(const SYSTEMTIME& SystemTime) {
    TDateTime date = EncodeDate(SystemTime.wYear, SystemTime.wMonth, SystemTime.wDay);
    TDateTime time = EncodeTime(SystemTime.wHour, SystemTime.wMinute, SystemTime.wSecond,
                                SystemTime.wMilliseconds);
    return date < 0 ? date - time : date + time;
}

void DateTimeToSystemTime(TDateTime DateTime, SYSTEMTIME& SystemTime) {
    DecodeDate(DateTime, SystemTime.wYear, SystemTime.wMonth, SystemTime.wDay);
    DecodeTime(DateTime, SystemTime.wHour, SystemTime.wMinute, SystemTime.wSecond,
               SystemTime.wMilliseconds);
    SystemTime.wDayOfWeek = static_cast<WORD>(DayOfWeek(DateTime) - 1);
}

TDateTime Now() {
    return SystemTimeToDateTime(LocalTime());
}

TDateTime Date() {
    SYSTEMTIME now = LocalTime();
    return EncodeDate(now.wYear, now.wMonth, now.wDay);
}

TDateTime Time() {
    SYSTEMTIME now = LocalTime();
    return EncodeTime(now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
}

TLocalTimeSource SetLocalTimeSource(TLocalTimeSource Source) {
    TLocalTimeSource previous = LocalTimeSource;
    LocalTimeSource = Source;
    return previous;
}

TLocaleSource* SetLocaleSource(TLocaleSource* Source) {
    TLocaleSource* previous = LocaleSource == &UserLocale ? nullptr : LocaleSource;
    LocaleSource = Source ? Source : &UserLocale;
    ReadLocaleNames();
    return previous;
}

// ---- Dates as text ------------------------------------------------------------------

namespace {

AnsiString Padded(int Value, int Digits) {
    AnsiString text = IntToStr(Value);
    if (static_cast<int>(text.size()) < Digits)
        text.insert(0, static_cast<std::size_t>(Digits) - text.size(), '0');
    return text;
}

bool StartsWithNoCase(const AnsiString& Text, std::size_t At, const char* Word) {
    for (std::size_t i = 0; Word[i]; ++i)
        if (At + i >= Text.size() ||
            std::toupper(static_cast<unsigned char>(Text[At + i])) != Word[i])
            return false;
    return true;
}

} // namespace

AnsiString FormatDateTime(const AnsiString& Format, TDateTime DateTime) {
    Word year = 0, month = 0, day = 0, hour = 0, min = 0, sec = 0, msec = 0;
    DecodeDate(DateTime, year, month, day);
    DecodeTime(DateTime, hour, min, sec, msec);
    const bool twelveHours = UpperCase(Format).find("AMPM") != AnsiString::npos;
    AnsiString result;
    bool afterHour = false;
    std::size_t i = 0;
    while (i < Format.size()) {
        const char c = Format[i];
        const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        std::size_t run = 1;
        while (i + run < Format.size() &&
               std::toupper(static_cast<unsigned char>(Format[i + run])) == upper)
            ++run;
        if (c == '\'' || c == '"') {
            const std::size_t close = Format.find(c, i + 1);
            const std::size_t end = close == AnsiString::npos ? Format.size() : close;
            result += Format.substr(i + 1, end - i - 1);
            i = end == Format.size() ? end : end + 1;
            continue;
        }
        if (StartsWithNoCase(Format, i, "AMPM")) {
            result += hour < 12 ? "AM" : "PM";
            i += 4;
            continue;
        }
        switch (upper) {
        case 'D':
            if (run == 1 || run == 2)
                result += Padded(day, static_cast<int>(run));
            else
                result += run == 3 ? ShortDayNames[DayOfWeek(DateTime) - 1]
                                   : LongDayNames[DayOfWeek(DateTime) - 1];
            break;
        case 'M':
            if (afterHour && run <= 2)
                result += Padded(min, static_cast<int>(run));
            else if (run <= 2)
                result += Padded(month, static_cast<int>(run));
            else if (month >= 1) // a day before year 1 decodes as month 0
                result += run == 3 ? ShortMonthNames[month - 1] : LongMonthNames[month - 1];
            break;
        case 'Y':
            result += run <= 2 ? Padded(year % 100, 2) : Padded(year, 4);
            break;
        case 'H': {
            int shown = hour;
            if (twelveHours) shown = hour % 12 == 0 ? 12 : hour % 12;
            result += Padded(shown, run >= 2 ? 2 : 1);
            break;
        }
        case 'N':
            result += Padded(min, run >= 2 ? 2 : 1);
            break;
        case 'S':
            result += Padded(sec, run >= 2 ? 2 : 1);
            break;
        case 'Z':
            result += Padded(msec, run >= 3 ? 3 : 1);
            break;
        case '/':
            result += AnsiString(run, DateSeparator);
            break;
        default:
            result += Format.substr(i, run);
            break;
        }
        if (std::isalpha(static_cast<unsigned char>(c))) afterHour = upper == 'H';
        i += run;
    }
    return result;
}

AnsiString DateToStr(TDateTime Date) {
    return FormatDateTime(ShortDateFormat, Date);
}

bool TryStrToDate(const AnsiString& S, TDateTime& Date) {
    // Where day, month and year stand in the short date format.
    int dayAt = 1, monthAt = 0, yearAt = 2;
    {
        const AnsiString format = UpperCase(ShortDateFormat);
        const std::size_t d = format.find('D'), m = format.find('M'), y = format.find('Y');
        if (d != AnsiString::npos && m != AnsiString::npos && y != AnsiString::npos) {
            dayAt = (d > m) + (d > y);
            monthAt = (m > d) + (m > y);
            yearAt = (y > d) + (y > m);
        }
    }
    int values[3] = {0, 0, 0};
    std::size_t digits[3] = {0, 0, 0};
    int part = 0;
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < S.size() && S[i] == ' ') ++i;
    };
    skipBlanks();
    for (;;) {
        const std::size_t start = i;
        while (i < S.size() && std::isdigit(static_cast<unsigned char>(S[i])) && i - start < 5)
            values[part] = values[part] * 10 + (S[i++] - '0');
        digits[part] = i - start;
        if (digits[part] == 0) return false;
        skipBlanks();
        if (++part == 3) break;
        if (i >= S.size() || S[i] != DateSeparator) return false;
        ++i;
        skipBlanks();
    }
    if (i != S.size()) return false;
    int year = values[yearAt];
    if (digits[yearAt] <= 2) year += LocalTime().wYear / 100 * 100;
    if (year < 1 || year > 9999 || values[monthAt] > 12 || values[dayAt] > 31) return false;
    return TryEncodeDate(static_cast<Word>(year), static_cast<Word>(values[monthAt]),
                         static_cast<Word>(values[dayAt]), Date);
}

TDateTime StrToDate(const AnsiString& S) {
    TDateTime date = 0;
    if (!TryStrToDate(S, date)) throw EConvertError("'" + S + "' is not a valid date");
    return date;
}

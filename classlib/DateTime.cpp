#include "classlib/DateTime.h"

#include "classlib/Exceptions.h"

#include <algorithm>
#include <cmath>

AnsiString LongMonthNames[12] = {"January",   "February", "March",    "April",
                                 "May",       "June",     "July",     "August",
                                 "September", "October",  "November", "December"};
AnsiString ShortMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
AnsiString LongDayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                              "Thursday", "Friday", "Saturday"};
AnsiString ShortDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
AnsiString LongTimeFormat = "h:mm:ss AMPM";

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

AnsiString LocaleText(LCTYPE Item, const AnsiString& Default) {
    char buffer[256];
    int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, Item, buffer, sizeof buffer);
    return length > 1 ? AnsiString(buffer, length - 1) : Default;
}

void ReadLocaleNames() {
    for (int i = 0; i < 12; ++i) {
        LongMonthNames[i] = LocaleText(LOCALE_SMONTHNAME1 + i, LongMonthNames[i]);
        ShortMonthNames[i] = LocaleText(LOCALE_SABBREVMONTHNAME1 + i, ShortMonthNames[i]);
    }
    // The locale's week starts on Monday; ours on Sunday.
    for (int i = 0; i < 7; ++i) {
        LCTYPE offset = (i + 6) % 7;
        LongDayNames[i] = LocaleText(LOCALE_SDAYNAME1 + offset, LongDayNames[i]);
        ShortDayNames[i] = LocaleText(LOCALE_SABBREVDAYNAME1 + offset, ShortDayNames[i]);
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

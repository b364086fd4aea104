#include "grid/gcldate.h"

#include "classlib/DateTime.h"

#include <cmath>
#include <cstdlib>
#include <utility>

int DefaultYear = 0;
signed char DefaultMonth = 0;

namespace {

constexpr double BadAstJulian = -2147483647.0;
constexpr int MonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

void StartDates() {
    Word year, month, day;
    DecodeDate(Now(), year, month, day);
    DefaultYear = year;
    DefaultMonth = static_cast<signed char>(month);
}

// Day, month and year of a day number, split at day 28 with the excess kept apart.
struct TSplit {
    int Day, Month, Year, Excess;
};

TSplit SplitFrom28(TStDate Julian, int Months, int Years) {
    TSplit s{};
    StDateToDMY(Julian, s.Day, s.Month, s.Year);
    if (s.Day > 28) {
        s.Excess = s.Day - 28;
        s.Day = 28;
    }
    s.Year += Years + Months / 12;
    s.Month += Months % 12;
    if (s.Month < 1) {
        s.Month += 12;
        --s.Year;
    } else if (s.Month > 12) {
        s.Month -= 12;
        ++s.Year;
    }
    return s;
}

bool IsLastOfFebruary(int Day, int Month, int Year) {
    return Month == 2 && Day == (gcldate::IsLeapYear(Year) ? 29 : 28);
}

} // namespace

DEFINE_UNIT(gcldate, uoGridDate, StartDates, nullptr);

// ---- Dates -------------------------------------------------------------------

bool gcldate::IsLeapYear(int Year) {
    return Year % 4 == 0 && Year % 4000 != 0 && (Year % 100 != 0 || Year % 400 == 0);
}

int ResolveEpoch(int Year, int Epoch) {
    if ((static_cast<unsigned>(Year) & 0xFFFF) >= 100) return Year;
    const int e = Epoch % 100;
    const int c = Epoch / 100 * 100;
    return Year < e ? Year + c + 100 : Year + c;
}

int DaysInMonth(int Month, int Year, int Epoch) {
    Year = ResolveEpoch(Year, Epoch);
    if (Year < MinYear || Year > MaxYear || Month < 1 || Month > 12) return 0;
    return Month == 2 && gcldate::IsLeapYear(Year) ? 29 : MonthDays[Month - 1];
}

bool ValidDate(int Day, int Month, int Year, int Epoch) {
    Year = ResolveEpoch(Year, Epoch);
    if (Day < 1 || Year < MinYear || Year > MaxYear || Month < 1 || Month > 12) return false;
    return Day <= DaysInMonth(Month, Year, 0);
}

TStDate DMYtoStDate(int Day, int Month, int Year, int Epoch) {
    Year = ResolveEpoch(Year, Epoch);
    if (!ValidDate(Day, Month, Year, 0)) return BadDate;
    if (Year == 1600 && Month < 3) return Month == 1 ? Day - 1 : Day + 30;
    int m;
    if (Month > 2) {
        m = Month - 3;
    } else {
        m = Month + 9;
        --Year;
    }
    const int y = Year - 1600;
    return ((y / 100) * 146097) / 4 + ((y % 100) * 1461) / 4 + (153 * m + 2) / 5 + Day + 59;
}

void StDateToDMY(TStDate Julian, int& Day, int& Month, int& Year) {
    if (Julian == BadDate) {
        Day = Month = Year = 0;
        return;
    }
    if (Julian <= 59) {
        Year = 1600;
        if (Julian <= 30) {
            Month = 1;
            Day = Julian + 1;
        } else {
            Month = 2;
            Day = Julian - 30;
        }
        return;
    }
    // Wide enough for every day number: 4 x 2147483647 does not fit 32 bits.
    const long long i = 4LL * (Julian - 59LL) - 1;
    const int j = static_cast<int>(4 * ((i % 146097) / 4) + 3);
    Year = static_cast<int>(100 * (i / 146097) + j / 1461);
    const int d = ((j % 1461) + 4) / 4;
    const int e = 5 * d - 3;
    Day = ((e % 153) + 5) / 5;
    const int m = e / 153;
    if (m < 10) {
        Month = m + 3;
    } else {
        Month = m - 9;
        ++Year;
    }
    Year += 1600;
}

TStDate CurrentDate() {
    Word year, month, day;
    DecodeDate(Now(), year, month, day);
    return DMYtoStDate(day, month, year, 0);
}

TStDayType DayOfWeek(TStDate Julian) {
    return Julian == BadDate ? static_cast<TStDayType>(7) : static_cast<TStDayType>((Julian + 6) % 7);
}

TStDayType DayOfWeekDMY(int Day, int Month, int Year, int Epoch) {
    return DayOfWeek(DMYtoStDate(Day, Month, Year, Epoch));
}

int WeekOfYear(TStDate Julian) {
    if (Julian < 0 || Julian > MaxDate) return 0;
    const TStDate thursday = Julian + 3 - ((DayOfWeek(Julian) + 6) % 7);
    int d, m, y;
    StDateToDMY(thursday, d, m, y);
    return (thursday - DMYtoStDate(1, 1, y, 0)) / 7 + 1;
}

TStDate IncDate(TStDate Julian, int Days, int Months, int Years) {
    const TSplit s = SplitFrom28(Julian, Months, Years);
    const TStDate r = DMYtoStDate(s.Day, s.Month, s.Year, 0);
    if (r == BadDate) return BadDate;
    return r + s.Excess + Days;
}

TStDate IncDateTrunc(TStDate Julian, int Months, int Years) {
    const TSplit s = SplitFrom28(Julian, Months, Years);
    const TStDate r = DMYtoStDate(s.Day, s.Month, s.Year, 0);
    if (r == BadDate) return BadDate;
    const int length = DaysInMonth(s.Month, s.Year, 0);
    return length >= s.Day + s.Excess ? r + s.Excess : r + (length - s.Day);
}

void DateDiff(TStDate Date1, TStDate Date2, int& Days, int& Months, int& Years) {
    if (Date1 > Date2) std::swap(Date1, Date2);
    int d1, m1, y1, d2, m2, y2;
    StDateToDMY(Date1, d1, m1, y1);
    StDateToDMY(Date2, d2, m2, y2);
    if (d1 == DaysInMonth(m1, y1, 0)) {
        d1 = 0;
        ++m1;
    }
    if (d2 == DaysInMonth(m2, y2, 0)) {
        d2 = 0;
        ++m2;
    }
    if (d2 < d1) {
        --m2;
        if (m2 == 0) {
            m2 = 12;
            --y2;
        }
        Days = d2 + DaysInMonth(m1, y1, 0) - d1;
    } else {
        Days = d2 - d1;
    }
    if (m2 < m1) {
        m2 += 12;
        --y2;
    }
    Months = m2 - m1;
    Years = y2 - y1;
}

int BondDateDiff(TStDate Date1, TStDate Date2, TStBondDateType DayBasis) {
    if (Date1 > Date2) std::swap(Date1, Date2);
    if (DayBasis == bdtActual) return Date2 - Date1;
    int d1, m1, y1, d2, m2, y2;
    StDateToDMY(Date1, d1, m1, y1);
    StDateToDMY(Date2, d2, m2, y2);
    if (d1 == 31 || (DayBasis == bdt30360psa && IsLastOfFebruary(d1, m1, y1))) d1 = 30;
    if (d2 == 31 && (DayBasis == bdt30E360 || d1 >= 30)) d2 = 30;
    return 360 * (y2 - y1) + 30 * (m2 - m1) + (d2 - d1);
}

double AstJulianDate(TStDate Julian) {
    return static_cast<double>(static_cast<long double>(Julian) - 0.5L + 2305448.0L);
}

double AstJulianDatePrim(int Year, int Month, int Date, TStTime UT) {
    if (Month < 1 || Month > 12 || Date < 1 || UT < 0 || UT > MaxTime) return BadAstJulian;
    const int length = Month == 2 ? (gcldate::IsLeapYear(Year) ? 29 : 28) : MonthDays[Month - 1];
    if (Date > length) return BadAstJulian;
    if (Month < 3) {
        --Year;
        Month += 12;
    }
    const int a = std::abs(Year / 100);
    const bool gregorian = Year > 1582 || (Year == 1582 && Month > 10) ||
                           (Year == 1582 && Month == 10 && Date >= 15);
    const int b = gregorian ? std::abs(a / 4) + 2 - a : 0;
    const long long n = static_cast<long long>(std::trunc(365.25L * (Year + 4716))) +
                        static_cast<long long>(std::trunc(30.6001L * (Month + 1))) + Date + b;
    return static_cast<double>(static_cast<long double>(n) - 1524.5L +
                               static_cast<long double>(UT) / 86400.0L);
}

TStDate AstJulianDatetoStDate(double AstJulian, bool Truncate) {
    const double x = AstJulian + 0.5 - 2305448.0;
    if (!(x >= 0.0) || x > 876581.0) return BadDate;
    return static_cast<TStDate>(Truncate ? std::trunc(x) : std::trunc(x + 0.5));
}

// ---- Times and date-time records ---------------------------------------------

void StTimeToHMS(TStTime T, Byte& Hours, Byte& Minutes, Byte& Seconds) {
    if (T == BadTime) {
        Hours = Minutes = Seconds = 0;
        return;
    }
    const int h = T / SecondsInHour;
    const int rest = T - h * SecondsInHour;
    const int m = rest / SecondsInMinute;
    Hours = static_cast<Byte>(h);
    Minutes = static_cast<Byte>(m);
    Seconds = static_cast<Byte>(rest - m * SecondsInMinute);
}

TStTime HMStoStTime(Byte Hours, Byte Minutes, Byte Seconds) {
    return ((Hours % HoursInDay) * SecondsInHour + Minutes * SecondsInMinute + Seconds) % SecondsInDay;
}

bool ValidTime(int Hours, int Minutes, int Seconds) {
    return Hours >= 0 && Hours <= 23 && Minutes >= 0 && Minutes <= 59 && Seconds >= 0 && Seconds <= 59;
}

TStTime CurrentTime() {
    Word h, m, s, ms;
    DecodeTime(Time(), h, m, s, ms);
    return h * SecondsInHour + m * SecondsInMinute + s;
}

void TimeDiff(TStTime Time1, TStTime Time2, Byte& Hours, Byte& Minutes, Byte& Seconds) {
    StTimeToHMS(std::abs(Time1 - Time2), Hours, Minutes, Seconds);
}

TStTime IncTime(TStTime T, Byte Hours, Byte Minutes, Byte Seconds) {
    return (T + HMStoStTime(Hours, Minutes, Seconds)) % SecondsInDay;
}

TStTime DecTime(TStTime T, Byte Hours, Byte Minutes, Byte Seconds) {
    const TStTime x = T - HMStoStTime(static_cast<Byte>(Hours % HoursInDay), Minutes, Seconds);
    return x < 0 ? x + SecondsInDay : x;
}

TStTime RoundToNearestHour(TStTime T, bool Truncate) {
    Byte h, m, s;
    StTimeToHMS(T, h, m, s);
    if (!Truncate && m >= 30) ++h;
    return HMStoStTime(h, 0, 0);
}

TStTime RoundToNearestMinute(TStTime T, bool Truncate) {
    Byte h, m, s;
    StTimeToHMS(T, h, m, s);
    if (!Truncate && s >= 30) ++m;
    return HMStoStTime(h, m, 0);
}

void DateTimeDiff(const TStDateTimeRec& DT1, const TStDateTimeRec& DT2, int& Days, int& Secs) {
    TStDateTimeRec early = DT1, late = DT2;
    if (early.DatePart > late.DatePart ||
        (early.DatePart == late.DatePart && early.TimePart > late.TimePart))
        std::swap(early, late);
    Days = late.DatePart - early.DatePart;
    if (early.TimePart > late.TimePart) {
        --Days;
        late.TimePart += SecondsInDay;
    }
    Secs = late.TimePart - early.TimePart;
}

void IncDateTime(const TStDateTimeRec& DT1, TStDateTimeRec& DT2, int Days, int Secs) {
    TStDateTimeRec r = DT1;
    r.DatePart += Days;
    if (Secs >= 0) {
        r.TimePart += Secs;
        r.DatePart += r.TimePart / SecondsInDay;
        r.TimePart %= SecondsInDay;
    } else {
        const int n = -Secs;
        r.DatePart -= n / SecondsInDay;
        const int rest = n % SecondsInDay;
        if (rest > r.TimePart) {
            --r.DatePart;
            r.TimePart += SecondsInDay;
        }
        r.TimePart -= rest;
    }
    DT2 = r;
}

TStDate DateTimeToStDate(TDateTime DT) {
    Word year, month, day;
    DecodeDate(DT, year, month, day);
    return DMYtoStDate(day, month, year, 0);
}

TStTime DateTimeToStTime(TDateTime DT) {
    Word h, m, s, ms;
    DecodeTime(DT, h, m, s, ms);
    return HMStoStTime(static_cast<Byte>(h), static_cast<Byte>(m), static_cast<Byte>(s));
}

TDateTime StDateToDateTime(TStDate D) {
    if (D == BadDate) return 0.0;
    int day, month, year;
    StDateToDMY(D, day, month, year);
    return EncodeDate(static_cast<Word>(year), static_cast<Word>(month), static_cast<Word>(day));
}

TDateTime StTimeToDateTime(TStTime T) {
    if (T == BadTime) return 0.0;
    Byte h, m, s;
    StTimeToHMS(T, h, m, s);
    return EncodeTime(h, m, s, 0);
}

TStDate Convert2ByteDate(Word TwoByteDate) {
    return TwoByteDate + TwoByteDateBase;
}

Word Convert4ByteDate(TStDate FourByteDate) {
    return static_cast<Word>(FourByteDate - TwoByteDateBase);
}

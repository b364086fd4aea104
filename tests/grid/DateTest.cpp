// Day-number dates, times, date-time records and their TDateTime bridges.
#include "grid/gcldate.h"
#include "tests/grid/GridTestSupport.h"

#include "classlib/DateTime.h"
#include "classlib/Exceptions.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
TStDate D(int Day, int Month, int Year) {
    return DMYtoStDate(Day, Month, Year, 0);
}
TStTime T(int H, int M, int S) {
    return H * 3600 + M * 60 + S;
}
void FixedClock(SYSTEMTIME& Time) {
    Time = SYSTEMTIME{2026, 12, 0, 6, 1, 0, 0, 0}; // 01:00:00.000
}
} // namespace

TEST(Dates, RoundTripOverTheWholeRange) {
    for (TStDate n = MinDate; n <= MaxDate; ++n) {
        int d, m, y;
        StDateToDMY(n, d, m, y);
        ASSERT_EQ(DMYtoStDate(d, m, y, 0), n) << n;
        ASSERT_EQ(DateTimeToStDate(StDateToDateTime(n)), n) << n;
    }
    for (TStTime t = MinTime; t <= MaxTime; ++t)
        ASSERT_EQ(DateTimeToStTime(StTimeToDateTime(t)), t) << t;
}

TEST(Dates, FixedPointsValidityAndEpochs) {
    EXPECT_EQ(D(1, 1, 1600), 0);
    EXPECT_EQ(D(29, 2, 1600), 59);
    EXPECT_EQ(D(1, 3, 1600), 60);
    EXPECT_EQ(D(1, 1, 1900), 109573);
    EXPECT_EQ(D(1, 1, 2000), 146097);
    EXPECT_EQ(D(29, 2, 2000), 146156);
    EXPECT_EQ(D(31, 12, 3999), 876581);
    for (TStDate bad : {D(1, 1, 4000), D(31, 12, 1599), D(29, 2, 1900), D(0, 1, 2000), D(1, 13, 2000)})
        EXPECT_EQ(bad, BadDate);
    EXPECT_EQ(DMYtoStDate(1, 1, 5, 1950), D(1, 1, 2005));
    EXPECT_EQ(DMYtoStDate(1, 1, 5, 0), BadDate);
    EXPECT_TRUE(gcldate::IsLeapYear(2000));
    EXPECT_TRUE(gcldate::IsLeapYear(1600));
    EXPECT_FALSE(gcldate::IsLeapYear(1900));
    EXPECT_FALSE(gcldate::IsLeapYear(4000));
    EXPECT_EQ(DaysInMonth(2, 0, 2000), 29);
    EXPECT_EQ(DaysInMonth(13, 2000, 0), 0);
    EXPECT_EQ(DaysInMonth(2, 4000, 0), 0);
    EXPECT_EQ(ResolveEpoch(49, 1950), 2049);
    EXPECT_EQ(ResolveEpoch(50, 1950), 1950);
    EXPECT_EQ(ResolveEpoch(99, 1950), 1999);
    EXPECT_EQ(ResolveEpoch(2005, 1950), 2005);
    EXPECT_EQ(ResolveEpoch(-1, 1950), -1);
    EXPECT_EQ(ResolveEpoch(5, 0), 5);
    EXPECT_EQ(ResolveEpoch(65536 + 5, 1950), 65541 + 1900); // only the low 16 bits are looked at
    int d, m, y;
    StDateToDMY(BadDate, d, m, y);
    EXPECT_EQ(d + m + y, 0);
    StDateToDMY(-5, d, m, y);
    EXPECT_EQ(d, -4);
    // The largest day number is 14699 whole 400-year cycles and 3844 days after day 0.
    StDateToDMY(2147483647, d, m, y);
    EXPECT_EQ(d, 11);
    EXPECT_EQ(m, 7);
    EXPECT_EQ(y, 1610 + 14699 * 400);
}

TEST(Dates, WeekdaysAndWeeks) {
    EXPECT_EQ(DayOfWeek(0), Saturday);
    EXPECT_EQ(DayOfWeek(876581), Friday);
    EXPECT_EQ(DayOfWeek(146097), Saturday);
    EXPECT_EQ(DayOfWeek(BadDate), 7);
    EXPECT_EQ(DayOfWeekDMY(6, 12, 2026, 0), Sunday);
    EXPECT_EQ(WeekOfYear(D(1, 1, 2005)), 53);
    EXPECT_EQ(WeekOfYear(D(2, 1, 2005)), 53);
    EXPECT_EQ(WeekOfYear(D(3, 1, 2005)), 1);
    EXPECT_EQ(WeekOfYear(D(31, 12, 2004)), 53);
    EXPECT_EQ(WeekOfYear(D(31, 12, 2008)), 1);
    EXPECT_EQ(WeekOfYear(0), 1);
    EXPECT_EQ(WeekOfYear(1), 1);
    EXPECT_EQ(WeekOfYear(BadDate), 0);
    EXPECT_EQ(WeekOfYear(876582), 0);
}

TEST(Dates, Arithmetic) {
    EXPECT_EQ(IncDate(D(31, 1, 2001), 0, 1, 0), D(3, 3, 2001));
    EXPECT_EQ(IncDate(D(31, 1, 2000), 0, 1, 0), D(2, 3, 2000));
    EXPECT_EQ(IncDate(D(31, 3, 2001), 0, -1, 0), D(3, 3, 2001));
    EXPECT_EQ(IncDate(D(29, 2, 2000), 0, 0, 1), D(1, 3, 2001));
    EXPECT_EQ(IncDate(MaxDate, 0, 1, 0), BadDate);
    EXPECT_EQ(IncDate(MaxDate, 1, 0, 0), 876582);
    EXPECT_EQ(IncDate(BadDate, 1, 0, 0), BadDate);
    EXPECT_EQ(IncDateTrunc(D(31, 1, 2001), 1, 0), D(28, 2, 2001));
    EXPECT_EQ(IncDateTrunc(D(31, 1, 2000), 1, 0), D(29, 2, 2000));
    EXPECT_EQ(IncDateTrunc(D(31, 5, 2001), 1, 0), D(30, 6, 2001));
    EXPECT_EQ(IncDateTrunc(D(30, 4, 2001), 1, 0), D(30, 5, 2001));
    EXPECT_EQ(IncDateTrunc(D(29, 2, 2000), 0, 1), D(28, 2, 2001));
    EXPECT_EQ(IncDateTrunc(D(15, 3, 2001), -13, 0), D(15, 2, 2000));
    auto diff = [](TStDate a, TStDate b) {
        int d1, m1, y1, d2, m2, y2;
        DateDiff(a, b, d1, m1, y1);
        DateDiff(b, a, d2, m2, y2);
        EXPECT_TRUE(d1 == d2 && m1 == m2 && y1 == y2);
        return std::vector<int>{d1, m1, y1};
    };
    EXPECT_EQ(diff(D(31, 1, 2000), D(29, 2, 2000)), (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(diff(D(1, 1, 2000), D(31, 1, 2000)), (std::vector<int>{30, 0, 0}));
    EXPECT_EQ(diff(D(30, 1, 2001), D(5, 3, 2001)), (std::vector<int>{6, 1, 0}));
    EXPECT_EQ(diff(D(15, 1, 2000), D(14, 2, 2001)), (std::vector<int>{30, 0, 1}));
    EXPECT_EQ(diff(D(31, 12, 1999), D(31, 12, 2000)), (std::vector<int>{0, 0, 1}));
    EXPECT_EQ(diff(D(5, 5, 2005), D(5, 5, 2005)), (std::vector<int>{0, 0, 0}));
}

TEST(Dates, BondDayCounts) {
    auto all = [](TStDate a, TStDate b) {
        return std::vector<int>{BondDateDiff(a, b, bdt30E360), BondDateDiff(a, b, bdt30360),
                                BondDateDiff(a, b, bdt30360psa)};
    };
    EXPECT_EQ(all(D(29, 1, 2001), D(31, 3, 2001)), (std::vector<int>{61, 62, 62}));
    EXPECT_EQ(all(D(28, 2, 2001), D(31, 3, 2001)), (std::vector<int>{32, 33, 30}));
    EXPECT_EQ(all(D(28, 2, 2000), D(31, 3, 2000)), (std::vector<int>{32, 33, 33}));
    EXPECT_EQ(BondDateDiff(D(31, 3, 2001), D(1, 3, 2001), bdtActual), 30);
}

TEST(Dates, AstronomicalJulianDates) {
    EXPECT_EQ(AstJulianDate(0), 2305447.5);
    EXPECT_EQ(AstJulianDate(BadDate), 2305446.5);
    EXPECT_EQ(AstJulianDatePrim(1600, 1, 1, 0), 2305447.5);
    EXPECT_EQ(AstJulianDatePrim(2000, 1, 1, 43200), 2451545.0);
    EXPECT_EQ(AstJulianDatePrim(1582, 10, 4, 43200), 2299160.0);
    EXPECT_EQ(AstJulianDatePrim(1582, 10, 15, 43200), 2299161.0);
    EXPECT_EQ(AstJulianDatePrim(-4712, 1, 1, 43200), 0.0);
    for (double bad : {AstJulianDatePrim(2000, 2, 29, 86400), AstJulianDatePrim(2000, 4, 31, 0),
                       AstJulianDatePrim(2000, 0, 1, 0), AstJulianDatePrim(2000, 1, 0, 0),
                       AstJulianDatePrim(1500, 2, 29, 0), AstJulianDatePrim(4000, 2, 29, 0)})
        EXPECT_EQ(bad, -2147483647.0);
    EXPECT_EQ(AstJulianDatetoStDate(2305447.5, true), 0);
    EXPECT_EQ(AstJulianDatetoStDate(2305447.5, false), 0);
    EXPECT_EQ(AstJulianDatetoStDate(2305448.0, true), 0);
    EXPECT_EQ(AstJulianDatetoStDate(2305448.0, false), 1);
    EXPECT_EQ(AstJulianDatetoStDate(2305447.4, true), BadDate);
    EXPECT_EQ(AstJulianDatetoStDate(3182028.5, true), 876581);
    EXPECT_EQ(AstJulianDatetoStDate(3182029.0, false), BadDate);
    EXPECT_EQ(AstJulianDatetoStDate(std::nan(""), false), BadDate);
}

TEST(Times, SplitBuildAndShift) {
    Byte h, m, s;
    StTimeToHMS(BadTime, h, m, s);
    EXPECT_EQ(h + m + s, 0);
    StTimeToHMS(90000, h, m, s);
    EXPECT_EQ(h, 25);
    EXPECT_EQ(HMStoStTime(23, 59, 59), 86399);
    EXPECT_EQ(HMStoStTime(24, 0, 0), 0);
    EXPECT_EQ(HMStoStTime(25, 0, 0), 3600);
    EXPECT_EQ(HMStoStTime(23, 60, 0), 0);
    EXPECT_EQ(HMStoStTime(0, 255, 255), 15555);
    EXPECT_TRUE(ValidTime(23, 59, 59));
    EXPECT_FALSE(ValidTime(24, 0, 0));
    EXPECT_FALSE(ValidTime(0, 60, 0));
    EXPECT_FALSE(ValidTime(0, 0, -1));
    EXPECT_EQ(IncTime(86399, 0, 0, 1), 0);
    EXPECT_EQ(IncTime(82800, 2, 0, 0), 3600);
    EXPECT_EQ(IncTime(BadTime, 0, 0, 0), -1);
    EXPECT_EQ(DecTime(0, 0, 0, 1), 86399);
    EXPECT_EQ(DecTime(3600, 2, 0, 0), 82800);
    EXPECT_EQ(DecTime(0, 24, 0, 0), 0);
    EXPECT_EQ(DecTime(BadTime, 0, 0, 0), 86399);
    TimeDiff(0, 86399, h, m, s);
    EXPECT_TRUE(h == 23 && m == 59 && s == 59);
    TimeDiff(7200, 3600, h, m, s);
    EXPECT_TRUE(h == 1 && m == 0 && s == 0);
    EXPECT_EQ(RoundToNearestHour(T(10, 29, 59), false), T(10, 0, 0));
    EXPECT_EQ(RoundToNearestHour(T(10, 30, 0), false), T(11, 0, 0));
    EXPECT_EQ(RoundToNearestHour(T(10, 30, 0), true), T(10, 0, 0));
    EXPECT_EQ(RoundToNearestHour(T(23, 30, 0), false), 0);
    EXPECT_EQ(RoundToNearestHour(BadTime, false), 0);
    EXPECT_EQ(RoundToNearestMinute(T(10, 15, 29), false), T(10, 15, 0));
    EXPECT_EQ(RoundToNearestMinute(T(10, 59, 30), false), T(11, 0, 0));
    EXPECT_EQ(RoundToNearestMinute(T(23, 59, 30), false), 0);
    EXPECT_EQ(RoundToNearestMinute(T(10, 15, 30), true), T(10, 15, 0));
}

TEST(Times, DateTimeRecords) {
    int days, secs;
    DateTimeDiff({10, 3600}, {12, 0}, days, secs);
    EXPECT_TRUE(days == 1 && secs == 82800);
    DateTimeDiff({12, 0}, {10, 3600}, days, secs);
    EXPECT_TRUE(days == 1 && secs == 82800);
    DateTimeDiff({10, BadTime}, {10, 0}, days, secs);
    EXPECT_TRUE(days == 0 && secs == 1);
    auto inc = [](TStDateTimeRec r, int d, int s) {
        IncDateTime(r, r, d, s); // into itself
        return std::vector<int>{r.DatePart, r.TimePart};
    };
    EXPECT_EQ(inc({10, 86000}, 0, 1000), (std::vector<int>{11, 600}));
    EXPECT_EQ(inc({10, 100}, 0, -200), (std::vector<int>{9, 86300}));
    EXPECT_EQ(inc({10, 0}, 0, -86400), (std::vector<int>{9, 0}));
    EXPECT_EQ(inc({10, 0}, 2, -1), (std::vector<int>{11, 86399}));
    EXPECT_EQ(inc({10, 5}, -1, -200000), (std::vector<int>{6, 59205}));
}

TEST(Times, TDateTimeBridgesAndTwoByteDates) {
    EXPECT_EQ(StDateToDateTime(0), -109571.0);
    EXPECT_EQ(StDateToDateTime(109571), 0.0);
    EXPECT_EQ(StDateToDateTime(876581), 767010.0);
    EXPECT_EQ(StDateToDateTime(BadDate), 0.0);
    EXPECT_THROW(StDateToDateTime(-2), EConvertError);
    EXPECT_EQ(DateTimeToStDate(0.0), 109571);
    EXPECT_EQ(DateTimeToStDate(-109571.0), 0);
    EXPECT_EQ(DateTimeToStDate(-109572.0), BadDate);
    EXPECT_EQ(DateTimeToStDate(767011.0), BadDate);
    EXPECT_EQ(DateTimeToStDate(1.0 - 0.25 / 86400000.0), 109572);
    EXPECT_EQ(DateTimeToStTime(0.5), 43200);
    EXPECT_EQ(DateTimeToStTime(0.25 + 999.0 / 86400000.0), 21600);
    EXPECT_EQ(DateTimeToStTime(1.0 - 0.25 / 86400000.0), 0);
    EXPECT_EQ(StTimeToDateTime(43200), 0.5);
    EXPECT_EQ(StTimeToDateTime(BadTime), 0.0);
    EXPECT_EQ(MessageOf<EConvertError>([] { StTimeToDateTime(86400); }), "Invalid argument to time encode");
    EXPECT_EQ(Convert2ByteDate(0), 109573);
    EXPECT_EQ(Convert2ByteDate(65535), 175108);
    EXPECT_EQ(Convert4ByteDate(109573), 0);
    EXPECT_EQ(Convert4ByteDate(109572), 65535);
    EXPECT_EQ(Convert4ByteDate(BadDate), 21498);
}

TEST(Times, ClockReadings) {
    TLocalTimeSource previous = SetLocalTimeSource(FixedClock);
    EXPECT_EQ(CurrentTime(), 3600); // the rounded time: never a second short
    EXPECT_EQ(CurrentDate(), D(6, 12, 2026));
    SetLocalTimeSource(previous);
    EXPECT_GT(DefaultYear, 2000);
    EXPECT_TRUE(DefaultMonth >= 1 && DefaultMonth <= 12);
}

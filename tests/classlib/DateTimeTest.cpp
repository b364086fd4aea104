#include "classlib/DateTime.h"

#include "classlib/Exceptions.h"

#include "tests/support/FixedLocale.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <regex>

namespace {

struct TDate {
    Word Year, Month, Day;
    bool operator==(const TDate&) const = default;
};

struct TTime {
    Word Hour, Min, Sec, MSec;
    bool operator==(const TTime&) const = default;
};

TDate Decoded(TDateTime value) {
    TDate d{};
    DecodeDate(value, d.Year, d.Month, d.Day);
    return d;
}

TTime DecodedTime(TDateTime value) {
    TTime t{};
    DecodeTime(value, t.Hour, t.Min, t.Sec, t.MSec);
    return t;
}

void PrintTo(const TDate& d, std::ostream* os) {
    *os << d.Year << '-' << d.Month << '-' << d.Day;
}
void PrintTo(const TTime& t, std::ostream* os) {
    *os << t.Hour << ':' << t.Min << ':' << t.Sec << '.' << t.MSec;
}

void FixedClock(SYSTEMTIME& now) {
    now = SYSTEMTIME{};
    now.wYear = 2024;
    now.wMonth = 2;
    now.wDay = 29;
    now.wHour = 13;
    now.wMinute = 14;
    now.wSecond = 15;
    now.wMilliseconds = 16;
}

AnsiString LocaleName(LCTYPE item) {
    char buffer[256] = "";
    GetLocaleInfoA(LOCALE_USER_DEFAULT, item, buffer, sizeof buffer);
    return buffer;
}

} // namespace

TEST(DateEncoding, AnchorsNegativeValuesLimitsAndWeekdaysOfTheDayCount) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1899, 12, 29), -1.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDate(1600, 1, 1), -109571.0);
    EXPECT_EQ(EncodeDate(3999, 12, 31), 767010.0);
    EXPECT_EQ(EncodeDate(1, 1, 1), -693593.0);
    EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465.0);

    EXPECT_EQ(Decoded(-1.0), (TDate{1899, 12, 29}));
    EXPECT_EQ(Decoded(-109571.0), (TDate{1600, 1, 1}));
    EXPECT_EQ(Decoded(0.0), (TDate{1899, 12, 30}));
    EXPECT_EQ(Decoded(2.75), (TDate{1900, 1, 1}));
    EXPECT_EQ(DecodedTime(2.75), (TTime{18, 0, 0, 0}));
    EXPECT_EQ(Decoded(-1.25), (TDate{1899, 12, 29}));
    EXPECT_EQ(DecodedTime(-1.25), (TTime{6, 0, 0, 0}));
    EXPECT_EQ(Decoded(-0.5), (TDate{1899, 12, 30}));
    EXPECT_EQ(DecodedTime(-0.5), (TTime{12, 0, 0, 0}));
    // Rounding to the millisecond moves the value itself: this is -2.0.
    EXPECT_EQ(Decoded(-1.9999999999), (TDate{1899, 12, 28}));
    EXPECT_EQ(DecodedTime(-1.9999999999), (TTime{0, 0, 0, 0}));
    EXPECT_EQ(Decoded(-693594.0), (TDate{0, 0, 0}));
    EXPECT_THROW(Decoded(2958466.0), EConvertError);
    EXPECT_THROW(Decoded(std::numeric_limits<double>::quiet_NaN()), EConvertError);
    EXPECT_THROW(DecodedTime(std::numeric_limits<double>::infinity()), EConvertError);
    EXPECT_EQ(DayOfWeek(0.0), 7);                     // Saturday 30 Dec 1899
    EXPECT_EQ(DayOfWeek(-1.25), 6);                   // Friday
    EXPECT_EQ(DayOfWeek(EncodeDate(1600, 1, 1)), 7);  // Saturday
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 1, 7)), 1);  // Sunday
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 2, 29)), 5); // Thursday
    EXPECT_EQ(DayOfWeek(EncodeDate(1, 1, 1)), 2);     // Monday
}

TEST(DateEncoding, LeapYearsAndInvalidDates) {
    EXPECT_TRUE(IsLeapYear(1600));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_FALSE(IsLeapYear(2100));
    EXPECT_FALSE(IsLeapYear(2023));

    TDateTime date = 42;
    EXPECT_TRUE(TryEncodeDate(2000, 2, 29, date));
    EXPECT_EQ(date + 1, EncodeDate(2000, 3, 1));
    for (TDate bad :
         {TDate{1900, 2, 29}, TDate{2023, 2, 29}, TDate{2001, 4, 31}, TDate{2001, 13, 1},
          TDate{2001, 0, 1}, TDate{2001, 1, 0}, TDate{0, 1, 1}, TDate{10000, 1, 1}}) {
        date = 42;
        EXPECT_FALSE(TryEncodeDate(bad.Year, bad.Month, bad.Day, date));
        EXPECT_EQ(date, 42);
    }
    try {
        EncodeDate(1900, 2, 29);
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Invalid argument to date encode");
    }
}

TEST(DateEncoding, EveryDayFromYearOneToNineThousandRoundTrips) {
    TDate previous = Decoded(-693593.0);
    EXPECT_EQ(previous, (TDate{1, 1, 1}));
    for (int day = -693592; day <= 2958465; ++day) {
        TDate d = Decoded(day);
        bool nextDay =
            d.Year == previous.Year && d.Month == previous.Month && d.Day == previous.Day + 1;
        bool nextMonth =
            d.Day == 1 && ((d.Year == previous.Year && d.Month == previous.Month + 1) ||
                           (d.Year == previous.Year + 1 && d.Month == 1));
        ASSERT_TRUE(nextDay || nextMonth) << day;
        ASSERT_EQ(EncodeDate(d.Year, d.Month, d.Day), day);
        previous = d;
    }
    EXPECT_EQ(previous, (TDate{9999, 12, 31}));
}

TEST(TimeEncoding, FractionsOfTheDay) {
    EXPECT_EQ(EncodeTime(12, 0, 0, 0), 0.5);
    EXPECT_EQ(EncodeTime(6, 0, 0, 0), 0.25);
    EXPECT_EQ(EncodeTime(0, 0, 1, 0), 1000.0 / 86400000.0);
    EXPECT_EQ(DecodedTime(EncodeTime(23, 59, 59, 999)), (TTime{23, 59, 59, 999}));
    for (TTime bad :
         {TTime{24, 0, 0, 0}, TTime{0, 60, 0, 0}, TTime{0, 0, 60, 0}, TTime{0, 0, 0, 1000}}) {
        try {
            EncodeTime(bad.Hour, bad.Min, bad.Sec, bad.MSec);
            ADD_FAILURE() << "no exception";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), "Invalid argument to time encode");
        }
    }
}

TEST(TimeEncoding, DecodingRoundsToTheNearestMillisecondAndCarries) {
    const double msec = 1.0 / 86400000.0;
    EXPECT_EQ(DecodedTime((36000999.4) * msec), (TTime{10, 0, 0, 999}));
    EXPECT_EQ(DecodedTime((36000999.5) * msec), (TTime{10, 0, 1, 0}));
    EXPECT_EQ(DecodedTime(EncodeTime(10, 59, 59, 999) + 0.6 * msec), (TTime{11, 0, 0, 0}));
    // Under half a millisecond before midnight is the next day's midnight.
    TDateTime lateEvening = EncodeDate(1900, 1, 4) + 86399999.6 * msec;
    EXPECT_EQ(Decoded(lateEvening), (TDate{1900, 1, 5}));
    EXPECT_EQ(DecodedTime(lateEvening), (TTime{0, 0, 0, 0}));
    TDateTime stillEvening = EncodeDate(1900, 1, 4) + 86399999.4 * msec;
    EXPECT_EQ(Decoded(stillEvening), (TDate{1900, 1, 4}));
    EXPECT_EQ(DecodedTime(stillEvening), (TTime{23, 59, 59, 999}));
}

TEST(DateEncoding, SystemTimeConversionsRoundTrip) {
    SYSTEMTIME st;
    FixedClock(st);
    TDateTime value = SystemTimeToDateTime(st);
    EXPECT_EQ(value, EncodeDate(2024, 2, 29) + EncodeTime(13, 14, 15, 16));
    SYSTEMTIME back{};
    DateTimeToSystemTime(value, back);
    EXPECT_EQ(back.wYear, 2024);
    EXPECT_EQ(back.wDay, 29);
    EXPECT_EQ(back.wMilliseconds, 16);
    EXPECT_EQ(back.wDayOfWeek, 4);

    SYSTEMTIME early{};
    early.wYear = 1899;
    early.wMonth = 12;
    early.wDay = 29;
    early.wHour = 6;
    EXPECT_EQ(SystemTimeToDateTime(early), -1.25);
}

TEST(Clock, ReadsTheInjectedLocalTime) {
    TLocalTimeSource previous = SetLocalTimeSource(FixedClock);
    EXPECT_EQ(Date(), EncodeDate(2024, 2, 29));
    EXPECT_EQ(Time(), EncodeTime(13, 14, 15, 16));
    EXPECT_EQ(Now(), EncodeDate(2024, 2, 29) + EncodeTime(13, 14, 15, 16));
    EXPECT_EQ(SetLocalTimeSource(previous), FixedClock);
    EXPECT_GT(Now(), EncodeDate(2020, 1, 1));
}

TEST(LocaleNames, ComeFromTheUserLocaleWithSundayFirst) {
    ASSERT_TRUE(GlobalUnits().IsStarted("DateTime"));
    EXPECT_EQ(LongMonthNames[0], LocaleName(LOCALE_SMONTHNAME1));
    EXPECT_EQ(LongMonthNames[11], LocaleName(LOCALE_SMONTHNAME12));
    EXPECT_EQ(ShortMonthNames[8], LocaleName(LOCALE_SABBREVMONTHNAME9));
    EXPECT_EQ(LongDayNames[0], LocaleName(LOCALE_SDAYNAME7));
    EXPECT_EQ(LongDayNames[1], LocaleName(LOCALE_SDAYNAME1));
    EXPECT_EQ(ShortDayNames[6], LocaleName(LOCALE_SABBREVDAYNAME6));
    EXPECT_TRUE(std::regex_match(LongTimeFormat, std::regex("(AMPM )?hh?:mm:ss( AMPM)?")))
        << LongTimeFormat;
    if (GetUserDefaultLCID() == 0x0409) {
        EXPECT_EQ(LongMonthNames[8], "September");
        EXPECT_EQ(LongDayNames[0], "Sunday");
        EXPECT_EQ(LongTimeFormat, "h:mm:ss AMPM");
    }
}

// ---- Dates as text ------------------------------------------------------------------------

namespace {

class PinnedLocale : public testing::Test {
protected:
    void Pin(const char* ShortDate, const char* Separator) {
        Locale = std::make_unique<TFixedLocale>(ShortDate, Separator);
        SetLocaleSource(Locale.get());
    }
    void SetUp() override {
        PreviousClock = SetLocalTimeSource(FixedClock);
        Pin("dd.MM.yyyy", ".");
    }
    void TearDown() override {
        SetLocaleSource(nullptr);
        SetLocalTimeSource(PreviousClock);
    }

    std::unique_ptr<TFixedLocale> Locale;
    TLocalTimeSource PreviousClock = nullptr;
};

} // namespace

TEST_F(PinnedLocale, FormatsWriteFieldsNamesAndLiterals) {
    EXPECT_EQ(ShortDateFormat, "dd/MM/yyyy");
    EXPECT_EQ(DateSeparator, '.');
    const TDateTime friday = EncodeDate(2024, 7, 5) + EncodeTime(13, 7, 9, 45);
    const struct {
        const char* Format;
        const char* Text;
    } rows[] = {
        {"MMMM, YYYY", "July, 2024"},      {"dd/mm/yyyy", "05.07.2024"},
        {"d/M/yy", "5.7.24"},              {"dddd, mmm d", "Friday, Jul 5"},
        {"ddd", "Fri"},                    {"hh:nn:ss.zzz", "13:07:09.045"},
        {"h:mm AMPM", "1:07 PM"},          {"'Day' d \"of\" m", "Day 5 of 7"},
        {"yyyy-mm-dd 'unclosed", "2024-07-05 unclosed"},
        {"z", "45"},                       {"", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(FormatDateTime(row.Format, friday), row.Text) << row.Format;
    EXPECT_EQ(FormatDateTime("h AMPM", EncodeTime(0, 30, 0, 0)), "12 AM");
    EXPECT_EQ(DateToStr(EncodeDate(9999, 12, 31)), "31.12.9999");
}

TEST_F(PinnedLocale, DatesAreReadInTheShortFormatsOrder) {
    const struct {
        const char* Text;
        TDate Date; // 0, 0, 0 when refused
    } rows[] = {
        {"31.12.9999", {9999, 12, 31}}, {"1.2.24", {2024, 2, 1}},  {" 05 . 07 . 1761 ", {1761, 7, 5}},
        {"29.02.2023", {0, 0, 0}},      {"31.04.2024", {0, 0, 0}}, {"0.1.2024", {0, 0, 0}},
        {"1.13.2024", {0, 0, 0}},       {"1.1.0000", {0, 0, 0}},   {"1..2024", {0, 0, 0}},
        {"a.b.c", {0, 0, 0}},           {"1.2.3.4", {0, 0, 0}},    {"", {0, 0, 0}},
        {"1/2/2024", {0, 0, 0}},        {"123456789012.1.2024", {0, 0, 0}},
        {"1.2.10000", {0, 0, 0}},       {"1.2", {0, 0, 0}},
    };
    for (const auto& row : rows) {
        TDateTime date = -1;
        const bool read = TryStrToDate(row.Text, date);
        EXPECT_EQ(read, row.Date.Year != 0) << row.Text;
        if (read) {
            EXPECT_EQ(Decoded(date), row.Date) << row.Text;
        }
    }
    EXPECT_THROW(StrToDate("31.02.2024"), EConvertError);
    try {
        StrToDate("x");
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'x' is not a valid date");
    }

    Pin("yyyy-MM-dd", "-");
    EXPECT_EQ(ShortDateFormat, "yyyy/MM/dd");
    EXPECT_EQ(Decoded(StrToDate("2024-02-29")), (TDate{2024, 2, 29}));
    EXPECT_EQ(DateToStr(EncodeDate(1761, 1, 1)), "1761-01-01");
    Pin("M/d/yyyy", "/");
    EXPECT_EQ(Decoded(StrToDate("12/31/9999")), (TDate{9999, 12, 31}));
    Pin("'Week' dd/MM/yyyy", "/");
    EXPECT_EQ(ShortDateFormat, "'Week' dd/MM/yyyy") << "quoted text keeps its separators";
}

TEST(LocaleSource, PinsTheNamesAndGivesBackTheUserLocale) {
    TFixedLocale english("d/M/yyyy", "/");
    EXPECT_EQ(SetLocaleSource(&english), nullptr);
    EXPECT_EQ(LongMonthNames[6], "July");
    EXPECT_EQ(ShortDayNames[0], "Sun");
    EXPECT_EQ(SetLocaleSource(nullptr), &english);
    EXPECT_EQ(LongMonthNames[0], LocaleName(LOCALE_SMONTHNAME1));
    EXPECT_EQ(DateSeparator, LocaleName(LOCALE_SDATE)[0]);
}

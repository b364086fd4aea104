// Picture primitives, date, time and currency pictures on fixed settings and
// English names.
#include "grid/gclintl.h"

#include "classlib/DateTime.h"

#include <gtest/gtest.h>

namespace {

class TNoSettings : public TGclIntlSource {
public:
    bool ProfileString(const char*, AnsiString&) override { return false; }
    int ProfileInt(const char*, int Default) override { return Default; }
    bool RegistryShortDate(AnsiString&) override { return false; }
};

class Pictures : public testing::Test {
protected:
    void SetUp() override {
        Previous = SetGclIntlSource(&Source);
        Intl = std::make_unique<TGclIntlSup>();
        ASSERT_EQ(LongMonthNames[0], "January"); // the test locale's names
        ASSERT_EQ(LongDayNames[0], "Sunday");
    }
    void TearDown() override { SetGclIntlSource(Previous); }
    AnsiString Merge(AnsiString Picture, char Ch, int Value) {
        Intl->isMergeIntoPicture(Picture, Ch, Value);
        return Picture;
    }
    int Extract(const AnsiString& Picture, const AnsiString& Text, char Ch) {
        int value = 0;
        Intl->isExtractFromPicture(Picture, Text, Ch, value, -7, -9);
        return value;
    }
    AnsiString Packed(const AnsiString& Picture, AnsiString Result) {
        Intl->isPackResult(Picture, Result);
        return Result;
    }
    TStDate D(int Day, int Month, int Year) { return DMYtoStDate(Day, Month, Year, 0); }

    TNoSettings Source;
    TGclIntlSource* Previous = nullptr;
    std::unique_ptr<TGclIntlSup> Intl;
};

} // namespace

TEST_F(Pictures, MergingNumbersAndNames) {
    EXPECT_EQ(Merge(Merge("hh:mm", 'h', 3), 'm', 25), "03:25");
    const AnsiString spaced = Merge(Merge("HH:MM", 'h', 3), 'm', 25);
    EXPECT_EQ(spaced, " 3:25");
    EXPECT_EQ(Packed("HH:MM", spaced), "3:25");
    EXPECT_EQ(Merge("Hh", 'h', 7), " 7");
    EXPECT_EQ(Merge("Hh", 'h', 17), "17");
    EXPECT_EQ(Packed("Hh", " 7"), "7");
    EXPECT_EQ(Merge("hh", 'h', 123), "23");
    EXPECT_EQ(Merge("nnn", 'n', 1), "Jan");
    EXPECT_EQ(Merge("NNN", 'n', 1), "JAN");
    EXPECT_EQ(Merge("[nnnnnnnnnn]", 'n', 5), "[May       ]");
    EXPECT_EQ(Merge("[nnnnnnnnnn]", 'n', 13), "[          ]");
    EXPECT_EQ(Merge("www", 'w', 7), "   ");
    EXPECT_EQ(Merge("WWW", 'w', 3), "WED");
    EXPECT_EQ(Merge("x", 'h', 3), "x");
    AnsiString result = "ab..cd";
    Intl->isMergePictureSt("abffcd", result, 'f', "XYZ");
    EXPECT_EQ(result, "abXYcd");
    Intl->isMergePictureSt("abffffcd", result = "abffffcd", 'f', "Q");
    EXPECT_EQ(result, "abQ   cd");
}

TEST_F(Pictures, ReadingSubstitutingAndCounting) {
    EXPECT_EQ(Extract("mm/dd/yy", "01-05-96", 'm'), 1);
    EXPECT_EQ(Extract("mm/dd/yy", "01/  /96", 'd'), -7);
    EXPECT_EQ(Extract("dd", "1 ", 'd'), 1);
    EXPECT_EQ(Extract("dd", "1x", 'd'), -1);
    EXPECT_EQ(Extract("dd", "123", 'd'), -9);
    EXPECT_EQ(Extract("hh", "12", 's'), -9);
    EXPECT_EQ(Extract("nnn", "feb", 'n'), 2);
    EXPECT_EQ(Extract("nnn", "xyz", 'n'), -1);
    EXPECT_EQ(Extract("Dxd", "1x2", 'd'), 1); // the earlier of either case
    AnsiString picture = "Hh:hh";
    Intl->isSubstChar(picture, 'h', '_');
    EXPECT_EQ(picture, "__:__");
    picture = "tT";
    Intl->isSubstCharSim(picture, 't', ' ');
    EXPECT_EQ(picture, " T");
    EXPECT_EQ(Intl->isMaskCharCount("MM/DD/yy", 'M'), 2);
    EXPECT_EQ(Intl->isMaskCharCount("MM/DD/yy", 'm'), 0);
    EXPECT_EQ(Packed("dd nnnnnnnnn yyyy", "05 June      2026"), "05 June 2026");
    EXPECT_EQ(Packed("hh:mm tt", "01:00   "), "01:00");
    EXPECT_EQ(Intl->MonthStringToMonth("sep", 3), 9);
    EXPECT_EQ(Intl->MonthStringToMonth("Sep", 9), 0);
    EXPECT_EQ(Intl->MonthStringToMonth("September", 9), 9);
    EXPECT_EQ(Intl->MonthStringToMonth("May", 9), 5);
    EXPECT_EQ(Intl->MonthStringToMonth("JU", 2), 6);
    EXPECT_EQ(Intl->MonthStringToMonth("January", 200), 1); // widths beyond 40 are 40
    EXPECT_EQ(Intl->MonthToString(0), "");
    EXPECT_EQ(Intl->MonthToString(13), "");
    EXPECT_EQ(Intl->DayOfWeekToString(Sunday), "Sunday");
    EXPECT_EQ(Intl->DayOfWeekToString(7), "");
}

TEST_F(Pictures, DatePictureBuilders) {
    EXPECT_EQ(Intl->InternationalDate(true), "mm/dd/yyyy");
    EXPECT_EQ(Intl->InternationalDate(false), "mm/dd/yy");
    Intl->ShortDate = "M/d/yy";
    EXPECT_EQ(Intl->InternationalDate(false), "MM/DD/yy");
    Intl->ShortDate = "dd/MM/yyyy";
    EXPECT_EQ(Intl->InternationalDate(false), "dd/mm/yyyy");
    EXPECT_EQ(Intl->InternationalLongDate(false, false), "wwwwwwwww, nnnnnnnnn dd, yyyy");
    EXPECT_EQ(Intl->InternationalLongDate(true, false), "www, nnn dd, yyyy");
    EXPECT_EQ(Intl->InternationalLongDate(false, true), "nnnnnnnnn dd, yyyy");
    Intl->LongDate = "d. nnnn yyyy, wwww";
    EXPECT_EQ(Intl->InternationalLongDate(false, true), "DD. nnnnnnnnn yyyy, ");
}

TEST_F(Pictures, DatesWrittenAndRead) {
    EXPECT_EQ(Intl->DMYtoDateString("mm/dd/yy", 5, 1, 1996, false, 0), "01/05/96");
    EXPECT_EQ(Intl->DMYtoDateString("MM/DD/yyyy", 5, 1, 1996, false, 0), " 1/ 5/1996");
    EXPECT_EQ(Intl->DMYtoDateString("MM/DD/yyyy", 5, 1, 1996, true, 0), "1/5/1996");
    EXPECT_EQ(Intl->DMYtoDateString("dd nnn yyyy", 5, 1, 1996, false, 0), "05 Jan 1996");
    EXPECT_EQ(Intl->DMYtoDateString("yyyy", 1, 1, 96, false, 1950), "1996");
    EXPECT_EQ(Intl->DMYtoDateString("yyyy", 1, 1, 50, false, 1950), "1950");
    EXPECT_EQ(Intl->DMYtoDateString("yyyy", 1, 1, 20, false, 1950), "2020");
    EXPECT_EQ(Intl->DMYtoDateString("yy www", 1, 1, 96, false, 0), "96    ");
    EXPECT_EQ(Intl->DMYtoDateString("dd/mm www", 30, 2, 2000, false, 0), "30/02    ");
    EXPECT_EQ(Intl->DMYtoDateString("nnn", 13, 13, 2000, false, 0), "   ");
    Intl->SlashChar = '.';
    EXPECT_EQ(Intl->DMYtoDateString("mm/dd/yy", 5, 1, 1996, false, 0), "01.05.96");
    EXPECT_EQ(Intl->DateToDateString("mm/dd/yyyy", BadDate, true), "  .  .    ");
    Intl->LongDateSub1 = "a/b";
    EXPECT_EQ(Intl->DateToDateString("dd fff", BadDate, false), "   a.b");
    EXPECT_EQ(Intl->DateToDateString("dd fff", D(5, 1, 1996), false), "05 a/b");
    Intl->SlashChar = '/';
    int d = 0, m = 0, y = 0;
    EXPECT_TRUE(Intl->DateStringToDMY("mm/dd/yy", "01/05/96", d, m, y, 1950));
    EXPECT_TRUE(d == 5 && m == 1 && y == 96);
    EXPECT_EQ(Intl->DateStringToDate("mm/dd/yy", "01/05/96", 1950), D(5, 1, 1996));
    EXPECT_EQ(Intl->DateStringToDate("mm/dd/yy", "01/05/96", 0), BadDate);
    EXPECT_EQ(Intl->DateStringToDate("mm/yyyy", "03/2001", 0), D(1, 3, 2001));
    EXPECT_EQ(Intl->DateStringToDate("dd/mm", "05/03", 0), D(5, 3, DefaultYear));
    EXPECT_EQ(Intl->DateStringToDate("dd/yyyy", "05/2001", 0), D(5, DefaultMonth, 2001));
    EXPECT_EQ(Intl->DateStringToDate("dd nnn yyyy", "05 feb 2001", 0), D(5, 2, 2001));
    EXPECT_EQ(Intl->DateStringToDate("dd nnn mm yyyy", "05 feb 07 2001", 0), D(5, 2, 2001));
    for (const char* bad : {"  /05/96", "01/05/9x", "01/05/960", "13/05/96"})
        EXPECT_EQ(Intl->DateStringToDate("mm/dd/yy", bad, 1950), BadDate) << bad;
    EXPECT_EQ(Intl->DateStringToDate("dd nnn yyyy", "05 Xyz 2001", 0), BadDate);
    EXPECT_TRUE(Intl->DateStringIsBlank("mm/dd/yy", "  /  /  "));
    EXPECT_FALSE(Intl->DateStringIsBlank("mm/dd/yy", "  / 1/  "));
    EXPECT_TRUE(Intl->DateStringIsBlank("mm/dd/yy", "01/05/9")); // another length
    EXPECT_TRUE(Intl->DateStringIsBlank("hh:ss", "12:00"));
    for (TStDate date = D(1, 1, 1999); date < D(1, 1, 2001); ++date) {
        const AnsiString picture = Intl->InternationalLongDate(false, false);
        ASSERT_EQ(Intl->DateStringToDate(picture, Intl->DateToDateString(picture, date, false), 0), date);
    }
}

TEST_F(Pictures, TimePictures) {
    Intl->TwelveHour = false;
    EXPECT_EQ(Intl->InternationalTime(true), "Hh:mm:ss");
    Intl->HourLeadingZero = true;
    EXPECT_EQ(Intl->InternationalTime(true), "hh:mm:ss");
    Intl->TwelveHour = true;
    EXPECT_EQ(Intl->InternationalTime(false), "hh:mm tt");
    Intl->AmString = "";
    Intl->PmString = "";
    EXPECT_EQ(Intl->InternationalTime(true), "hh:mm:ss");
    EXPECT_EQ(Intl->TimeToTimeString("hh:mm:ss tt", 46800, false), "13:00:00   ");
    EXPECT_EQ(Intl->TimeToTimeString("hh:mm:ss tt", 46800, true), "13:00:00");
    Intl->AmString = "AM";
    Intl->PmString = "PM";
    EXPECT_EQ(Intl->TimeToTimeString("hh:mm:ss tt", 0, false), "12:00:00 AM");
    EXPECT_EQ(Intl->TimeToTimeString("hh:mm:ss tt", 43200, false), "12:00:00 PM");
    EXPECT_EQ(Intl->TimeToTimeString("hh:mm:ss tt", 46800, false), "01:00:00 PM");
    EXPECT_EQ(Intl->TimeToTimeString("Hh:mm tt", 46800, true), "1:00 PM");
    EXPECT_EQ(Intl->TimeToTimeString("hh:mm ttt", 46800, false), "01:00 PM "); // unfilled "t" is blank
    EXPECT_EQ(Intl->TimeToTimeString("hh:mm:ss", BadTime, true), "  :  :  ");
    EXPECT_EQ(Intl->TimeToTimeString("hh:mm tt", BadTime, true), "  :   AM");
    EXPECT_EQ(Intl->TimeToTimeString("hh:mm", 90000, false), "25:00");
    Intl->AmString = "x";
    Intl->PmString = "y";
    EXPECT_EQ(Intl->TimeToAmPmString("hh:mm", 46800, false), "01:00P");
    EXPECT_EQ(Intl->TimeToAmPmString("hh:mm tt", 46800, false), "01:00 PM");
    Intl->ColonChar = '.';
    EXPECT_EQ(Intl->TimeToTimeString("hh:mm", 3600, false), "01.00");
    char dest[4] = "xyz";
    EXPECT_STREQ(Intl->TimeToTimePChar(dest, sizeof dest, "hh:mm", 3600, false), "01."); // cut to the room
    EXPECT_STREQ(Intl->MonthToPChar(dest, 0, 1), "01.");                                  // no room: untouched
}

TEST_F(Pictures, TimesRead) {
    auto read = [this](const char* Picture, const char* Text) { return Intl->TimeStringToTime(Picture, Text); };
    EXPECT_EQ(read("hh:mm tt", "01:30 PM"), 48600);
    EXPECT_EQ(read("hh:mm tt", "01:30 pm"), 48600);
    EXPECT_EQ(read("hh:mm tt", "12:30 AM"), 1800);
    EXPECT_EQ(read("hh:mm tt", "12:30 PM"), 45000);
    EXPECT_EQ(read("hh:mm tt", "00:30 PM"), 45000);
    for (const char* bad : {"00:30 AM", "13:30 PM", "01:30 XM", "01:30   "})
        EXPECT_EQ(read("hh:mm tt", bad), BadTime) << bad;
    EXPECT_EQ(read("Hh:mm", " 1:30"), 5400);
    EXPECT_EQ(read("Hh:mm", "01:30"), 5400);
    EXPECT_EQ(read("hh:mm", "25:00"), BadTime);
    EXPECT_EQ(read("hh:mm", "1:30"), BadTime);
    EXPECT_EQ(read("hh:mm", "01-30"), 5400);
    int h = -5, m = -5, s = -5;
    EXPECT_TRUE(Intl->TimeStringToHMS("mm:ss", "10:20", h, m, s));
    EXPECT_TRUE(h == 0 && m == 10 && s == 20);
    Intl->AmString = "\xE4m"; // a non-ASCII letter compares exactly
    EXPECT_EQ(read("hh:mm tt", "01:30 \xC4M"), BadTime);
    EXPECT_EQ(read("hh:mm tt", "01:30 \xE4M"), 5400);
}

TEST_F(Pictures, CurrencyPictures) {
    EXPECT_EQ(Intl->InternationalCurrency('#', 0, true, true, true), "");
    EXPECT_EQ(Intl->InternationalCurrency('#', 6, false, true, true), "c###,###.##p");
    EXPECT_EQ(Intl->InternationalCurrency('#', 6, true, true, true), "$###,###.##p");
    EXPECT_EQ(Intl->InternationalCurrency('#', 7, false, true, false), "c#,###,###.##");
    EXPECT_EQ(Intl->InternationalCurrency('#', 4, false, false, false), "c####.##");
    Intl->CurrencyDigits = 0;
    EXPECT_EQ(Intl->InternationalCurrency('#', 3, false, false, false), "c###");
    Intl->CurrencyDigits = 2;
    Intl->CurrencyForm = 3;
    Intl->CurrencyRtStr = " DM";
    Intl->NegCurrencyForm = 8;
    EXPECT_EQ(Intl->InternationalCurrency('#', 4, true, false, true), "####.##CCC");
    Intl->CurrencyForm = 1;
    Intl->CurrencyRtStr = "DM";
    Intl->NegCurrencyForm = 6;
    EXPECT_EQ(Intl->InternationalCurrency('#', 4, false, false, false), "####.##gCC");
    Intl->NegCurrencyForm = 7;
    EXPECT_EQ(Intl->InternationalCurrency('#', 4, false, false, true), "####.##CCg");
    Intl->CurrencyForm = 0;
    Intl->NegCurrencyForm = 3;
    EXPECT_EQ(Intl->InternationalCurrency('#', 4, false, false, true), "c####.##");
    Intl->CurrencyForm = 2;
    Intl->CurrencyLtStr = "$ ";
    EXPECT_EQ(Intl->InternationalCurrency('#', 2, false, false, false), "cc##.##");
    const AnsiString wide = Intl->InternationalCurrency('#', 255, false, false, false);
    EXPECT_EQ(wide.find('.'), 2u + 247u);
    Intl->CurrencyDigits = 200;
    EXPECT_EQ(Intl->InternationalCurrency('#', 255, false, true, true).size(), 255u);
}

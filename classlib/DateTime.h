// Dates and times as TDateTime, the clock, the locale's month and day names and short
// date format, and dates written and read as text.
//
// A TDateTime counts days from 30 December 1899. Before that day the whole
// part (truncated toward zero) still names the day and the absolute value of
// the fraction is the time of day: -1.25 is 29 December 1899 at 06:00.
#pragma once

#include "classlib/Types.h"
#include "classlib/UnitInit.h"

#include "classlib/Platform.h"

DECLARE_UNIT(DateTime);

bool IsLeapYear(Word Year);

// Midnight of the day; years 1 to 9999. EncodeDate raises EConvertError
// "Invalid argument to date encode" where TryEncodeDate returns false.
TDateTime EncodeDate(Word Year, Word Month, Word Day);
bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Date);
// The time of day as a fraction; raises EConvertError "Invalid argument to
// time encode" unless Hour < 24, Min < 60, Sec < 60 and MSec < 1000.
TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec);

// Both round DateTime to the nearest millisecond first, so a value less than
// half a millisecond before a midnight decodes as that midnight. A day before
// 1 January of year 1 decodes as 0, 0, 0. A value that is not finite or lies
// after the year 9999 raises EConvertError.
void DecodeDate(TDateTime DateTime, Word& Year, Word& Month, Word& Day);
void DecodeTime(TDateTime DateTime, Word& Hour, Word& Min, Word& Sec, Word& MSec);
// 1 for Sunday to 7 for Saturday.
int DayOfWeek(TDateTime DateTime);

TDateTime SystemTimeToDateTime(const SYSTEMTIME& SystemTime);
void DateTimeToSystemTime(TDateTime DateTime, SYSTEMTIME& SystemTime);

// The local clock: Now is Date plus Time, Date the day's midnight and Time
// the time of day to the millisecond.
TDateTime Now();
TDateTime Date();
TDateTime Time();

// Where the clock reads the local time; tests put a fixed clock here. Null
// restores the system clock. Returns the previous source.
using TLocalTimeSource = void (*)(SYSTEMTIME& LocalTime);
TLocalTimeSource SetLocalTimeSource(TLocalTimeSource Source);

// Where the locale's names and formats are read; tests put a fixed locale here.
class TLocaleSource {
public:
    virtual ~TLocaleSource() = default;
    // The locale's text for Item (a LOCALE_ constant); false when it gives none.
    virtual bool LocaleText(LCTYPE Item, AnsiString& Value) = 0;
};
// Replaces the source and reads the names, formats and separator below from it at
// once; null restores the user locale. Returns the previous source, null for the
// user locale.
TLocaleSource* SetLocaleSource(TLocaleSource* Source);

// The user locale's names, read when the units start (English until then, and
// where the locale gives none). Months start with January, days with Sunday.
extern AnsiString LongMonthNames[12];
extern AnsiString ShortMonthNames[12];
extern AnsiString LongDayNames[7];
extern AnsiString ShortDayNames[7];
// The locale's time format: "h" or "hh" (leading zero), ":mm:ss", and on a
// 12-hour clock " AMPM" after it or "AMPM " before it, as the locale places
// the marker.
extern AnsiString LongTimeFormat;
// The locale's short date format, with '/' where the date separator goes ("M/d/yyyy"),
// and that separator.
extern AnsiString ShortDateFormat;
extern char DateSeparator;

// DateTime written by Format. Letters are fields, in either case: d and dd the day,
// ddd and dddd its short and long name; m and mm the month (the minutes right after an
// hour), mmm and mmmm its names; yy the year's last two digits, yyyy all four; h and
// hh the hour, on a 12-hour clock when the format holds AMPM (written "AM" or "PM");
// n and nn the minutes, s and ss the seconds, z and zzz the milliseconds. '/' writes
// DateSeparator; text in single or double quotes is written as it stands, as is every
// other character. "MMMM, YYYY" gives "July, 2024".
AnsiString FormatDateTime(const AnsiString& Format, TDateTime DateTime);
// The date in ShortDateFormat.
AnsiString DateToStr(TDateTime Date);
// Reads three numbers split by DateSeparator (blanks around them allowed) in the order
// ShortDateFormat gives day, month and year. A year of one or two digits lies in the
// current century. StrToDate raises EConvertError "'S' is not a valid date" where
// TryStrToDate returns false.
TDateTime StrToDate(const AnsiString& S);
bool TryStrToDate(const AnsiString& S, TDateTime& Date);

// Dates and times as TDateTime, the clock, and the locale's month and day names.
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

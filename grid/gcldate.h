// Dates as whole-day numbers from 1 January 1600, times as seconds since
// midnight, date-time records, and their conversions to and from TDateTime.
// Integer division and remainder truncate toward zero throughout.
#pragma once

#include "classlib/Types.h"
#include "classlib/UnitInit.h"

#include <cstdint>

using TStDate = std::int32_t;
using TStTime = std::int32_t;

constexpr TStDate MinDate = 0;      // Saturday, 1 January 1600
constexpr TStDate MaxDate = 876581; // Friday, 31 December 3999
constexpr TStDate BadDate = -1;
constexpr int MinYear = 1600;
constexpr int MaxYear = 3999;

constexpr TStTime BadTime = -1;
constexpr TStTime MinTime = 0;
constexpr TStTime MaxTime = 86399;
constexpr int SecondsInDay = 86400;
constexpr int SecondsInHour = 3600;
constexpr int SecondsInMinute = 60;
constexpr int HoursInDay = 24;
constexpr TStDate TwoByteDateBase = 109573; // 1 January 1900

enum TStDayType : Byte { Sunday, Monday, Tuesday, Wednesday, Thursday, Friday, Saturday };
enum TStBondDateType : Byte { bdtActual, bdt30E360, bdt30360, bdt30360psa };

struct TStDateTimeRec {
    TStDate DatePart;
    TStTime TimePart;
};

// The year and month of the local date when the unit started.
extern int DefaultYear;
extern signed char DefaultMonth;

// ---- Dates -------------------------------------------------------------------

// Divisible by 4 and not by 4000, and either not by 100 or by 400. The unit's own rule,
// apart from the calendar rule of the class library and the skin utilities.
namespace gcldate {
bool IsLeapYear(int Year);
}
// A year whose low 16 bits are below 100 is placed in the hundred years from Epoch.
int ResolveEpoch(int Year, int Epoch);
int DaysInMonth(int Month, int Year, int Epoch);
bool ValidDate(int Day, int Month, int Year, int Epoch);
TStDate DMYtoStDate(int Day, int Month, int Year, int Epoch);
void StDateToDMY(TStDate Julian, int& Day, int& Month, int& Year);
TStDate CurrentDate();
// 7 for BadDate.
TStDayType DayOfWeek(TStDate Julian);
TStDayType DayOfWeekDMY(int Day, int Month, int Year, int Epoch);
// ISO 8601 week: 1 to 53, 0 outside MinDate..MaxDate.
int WeekOfYear(TStDate Julian);
// Days past the 28th roll into the following month.
TStDate IncDate(TStDate Julian, int Days, int Months, int Years);
// The same day of the new month, or its last day.
TStDate IncDateTrunc(TStDate Julian, int Months, int Years);
void DateDiff(TStDate Date1, TStDate Date2, int& Days, int& Months, int& Years);
int BondDateDiff(TStDate Date1, TStDate Date2, TStBondDateType DayBasis);
double AstJulianDate(TStDate Julian);
// The Julian calendar before 15 October 1582; -2147483647.0 for invalid input.
double AstJulianDatePrim(int Year, int Month, int Date, TStTime UT);
TStDate AstJulianDatetoStDate(double AstJulian, bool Truncate);

// ---- Times and date-time records ---------------------------------------------

void StTimeToHMS(TStTime T, Byte& Hours, Byte& Minutes, Byte& Seconds);
TStTime HMStoStTime(Byte Hours, Byte Minutes, Byte Seconds);
bool ValidTime(int Hours, int Minutes, int Seconds);
// The local time of day to the second, counted from the time rounded to the millisecond.
TStTime CurrentTime();
void TimeDiff(TStTime Time1, TStTime Time2, Byte& Hours, Byte& Minutes, Byte& Seconds);
TStTime IncTime(TStTime T, Byte Hours, Byte Minutes, Byte Seconds);
TStTime DecTime(TStTime T, Byte Hours, Byte Minutes, Byte Seconds);
TStTime RoundToNearestHour(TStTime T, bool Truncate);
TStTime RoundToNearestMinute(TStTime T, bool Truncate);
void DateTimeDiff(const TStDateTimeRec& DT1, const TStDateTimeRec& DT2, int& Days, int& Secs);
void IncDateTime(const TStDateTimeRec& DT1, TStDateTimeRec& DT2, int Days, int Secs);
TStDate DateTimeToStDate(TDateTime DT);
TStTime DateTimeToStTime(TDateTime DT);
TDateTime StDateToDateTime(TStDate D);
TDateTime StTimeToDateTime(TStTime T);
TStDate Convert2ByteDate(Word TwoByteDate);
Word Convert4ByteDate(TStDate FourByteDate);

DECLARE_UNIT(gcldate)

// TGclIntlSup: the user's international settings (WIN.INI [intl] and the short
// date of the registry), reworked into pictures, and the conversions of dates,
// times and money amounts through pictures. A picture is a text in which runs of
// field letters stand for the fields and every other character is a literal.
//
// The settings are held as AnsiString and every text keeps its stated limit
// (currency symbols and am/pm texts 5 characters, the short date 29, the long
// date as read 39, the country 255), so no reading or rework can overrun them.
#pragma once

#include "classlib/Events.h"
#include "classlib/Messages.h"
#include "classlib/Objects.h"
#include "classlib/UnitInit.h"
#include "grid/gcldate.h"

#include <cstddef>
#include "classlib/Platform.h"

// Where the settings come from; tests put their own here.
class TGclIntlSource {
public:
    virtual ~TGclIntlSource() = default;
    // The value of Key in WIN.INI [intl]; false when the key is absent.
    virtual bool ProfileString(const char* Key, AnsiString& Value) = 0;
    // The number of Key in WIN.INI [intl]; Default when the key is absent.
    virtual int ProfileInt(const char* Key, int Default) = 0;
    // "sShortDate" of the current user's "Control Panel\International"; false when
    // the key or the value is absent or the value is not a string.
    virtual bool RegistryShortDate(AnsiString& Value) = 0;
};
// Replaces the source of every later reading; null restores the system's.
// Returns the previous one.
TGclIntlSource* SetGclIntlSource(TGclIntlSource* Source);

Word MaxWord(Word A, Word B);

class TGclIntlSup : public TObject {
    DECLARE_CLASS(TGclIntlSup, TObject)
public:
    TGclIntlSup();
    ~TGclIntlSup() override;

    // ---- Settings --------------------------------------------------------------
    void ResetInternationalInfo();
    bool GetAutoUpdate() const { return FAutoUpdate; }
    // On: a hidden window reloads the settings at every setting-change broadcast.
    void SetAutoUpdate(bool Value);
    HWND WindowHandle() const { return FWindowHandle; }
    AnsiString GetCountry() const { return FCountry; }
    AnsiString GetCurrencyLtStr() const { return CurrencyLtStr; }
    AnsiString GetCurrencyRtStr() const { return CurrencyRtStr; }
    void SetCurrencyLtStr(const AnsiString& S);
    void SetCurrencyRtStr(const AnsiString& S);

    TNotifyEvent OnWinIniChange;

    AnsiString CurrencyLtStr;
    AnsiString CurrencyRtStr;
    char DecimalChar;
    char CommaChar;
    Byte CurrencyDigits;
    char ListChar = '\0';
    char SlashChar;
    char TrueChar;
    char FalseChar;
    char YesChar;
    char NoChar;
    AnsiString AmString;
    AnsiString PmString;
    char ColonChar = '\0';
    Byte CurrencyForm = 0;
    // The literal texts of the long date; up to 6 characters each, marked by
    // "f", "g" and "h" in LongDate.
    AnsiString LongDateSub1, LongDateSub2, LongDateSub3;
    AnsiString LongDate;
    Byte NegCurrencyForm = 0;
    AnsiString ShortDate;
    bool HourLeadingZero = false;
    bool TwelveHour = false;

    // ---- Month and weekday names -------------------------------------------------
    // Month 1..12 whose long name matches Text over Width characters (at most 40),
    // case ignored; 0 for none.
    Byte MonthStringToMonth(const AnsiString& Text, Byte Width) const;
    AnsiString MonthToString(int Month) const;
    // Empty for a value outside Sunday..Saturday.
    AnsiString DayOfWeekToString(int Day) const;

    // ---- Picture primitives --------------------------------------------------------
    void isMergeIntoPicture(AnsiString& Picture, char Ch, int Value) const;
    void isMergePictureSt(const AnsiString& Picture, AnsiString& Result, char Ch,
                          const AnsiString& St) const;
    void isExtractFromPicture(const AnsiString& Picture, const AnsiString& Text, char Ch, int& Value,
                              int Blank, int Default) const;
    void isSubstChar(AnsiString& Picture, char FromCh, char ToCh) const;
    void isSubstCharSim(AnsiString& Text, char FromCh, char ToCh) const;
    void isPackResult(const AnsiString& Picture, AnsiString& Result) const;
    Word isMaskCharCount(const AnsiString& Picture, char Ch) const;

    // ---- Currency pictures -----------------------------------------------------------
    // At most 255 characters.
    AnsiString InternationalCurrency(char FormChar, Byte MaxDigits, bool Float, bool AddCommas,
                                     bool AddNegMarks) const;

    // ---- Date pictures ---------------------------------------------------------------
    AnsiString InternationalDate(bool FourDigitYear) const;
    // At most 80 characters.
    AnsiString InternationalLongDate(bool ThreeLetterNames, bool OmitWeekday) const;
    AnsiString DMYtoDateString(const AnsiString& Picture, int Day, int Month, int Year, bool Pack,
                               int Epoch) const;
    AnsiString DateToDateString(const AnsiString& Picture, TStDate Julian, bool Pack) const;
    AnsiString CurrentDateString(const AnsiString& Picture, bool Pack) const;
    // The fields as read (a two-digit year stays two-digit); true for a valid date.
    bool DateStringToDMY(const AnsiString& Picture, const AnsiString& S, int& Day, int& Month,
                         int& Year, int Epoch) const;
    TStDate DateStringToDate(const AnsiString& Picture, const AnsiString& S, int Epoch) const;
    bool DateStringIsBlank(const AnsiString& Picture, const AnsiString& S) const;

    // ---- Time pictures -----------------------------------------------------------------
    AnsiString InternationalTime(bool ShowSeconds) const;
    AnsiString TimeToTimeString(const AnsiString& Picture, TStTime T, bool Pack) const;
    AnsiString TimeToAmPmString(const AnsiString& Picture, TStTime T, bool Pack) const;
    AnsiString CurrentTimeString(const AnsiString& Picture, bool Pack) const;
    bool TimeStringToHMS(const AnsiString& Picture, const AnsiString& S, int& Hours, int& Minutes,
                         int& Seconds) const;
    TStTime TimeStringToTime(const AnsiString& Picture, const AnsiString& S) const;
    AnsiString isTimeToTimeStringPrim(const AnsiString& Picture, TStTime T, bool Pack,
                                      const AnsiString& AmText, const AnsiString& PmText) const;

    // ---- PChar twins ------------------------------------------------------------------
    // The texts above written into Dest, which holds Size bytes: cut to Size - 1
    // characters and terminated. Reading takes zero-terminated texts as they are.
    char* InternationalCurrencyPChar(char* Dest, std::size_t Size, char FormChar, Byte MaxDigits,
                                     bool Float, bool AddCommas, bool AddNegMarks) const {
        return ToPChar(Dest, Size, InternationalCurrency(FormChar, MaxDigits, Float, AddCommas, AddNegMarks));
    }
    char* InternationalDatePChar(char* Dest, std::size_t Size, bool FourDigitYear) const {
        return ToPChar(Dest, Size, InternationalDate(FourDigitYear));
    }
    char* InternationalLongDatePChar(char* Dest, std::size_t Size, bool ThreeLetterNames,
                                     bool OmitWeekday) const {
        return ToPChar(Dest, Size, InternationalLongDate(ThreeLetterNames, OmitWeekday));
    }
    char* DMYtoDatePChar(char* Dest, std::size_t Size, const char* Picture, int Day, int Month,
                         int Year, bool Pack, int Epoch) const {
        return ToPChar(Dest, Size, DMYtoDateString(Picture, Day, Month, Year, Pack, Epoch));
    }
    char* DateToDatePChar(char* Dest, std::size_t Size, const char* Picture, TStDate Julian,
                          bool Pack) const {
        return ToPChar(Dest, Size, DateToDateString(Picture, Julian, Pack));
    }
    char* CurrentDatePChar(char* Dest, std::size_t Size, const char* Picture, bool Pack) const {
        return ToPChar(Dest, Size, CurrentDateString(Picture, Pack));
    }
    char* InternationalTimePChar(char* Dest, std::size_t Size, bool ShowSeconds) const {
        return ToPChar(Dest, Size, InternationalTime(ShowSeconds));
    }
    char* TimeToTimePChar(char* Dest, std::size_t Size, const char* Picture, TStTime T, bool Pack) const {
        return ToPChar(Dest, Size, TimeToTimeString(Picture, T, Pack));
    }
    char* TimeToAmPmPChar(char* Dest, std::size_t Size, const char* Picture, TStTime T, bool Pack) const {
        return ToPChar(Dest, Size, TimeToAmPmString(Picture, T, Pack));
    }
    char* CurrentTimePChar(char* Dest, std::size_t Size, const char* Picture, bool Pack) const {
        return ToPChar(Dest, Size, CurrentTimeString(Picture, Pack));
    }
    char* MonthToPChar(char* Dest, std::size_t Size, int Month) const {
        return ToPChar(Dest, Size, MonthToString(Month));
    }
    char* DayOfWeekToPChar(char* Dest, std::size_t Size, int Day) const {
        return ToPChar(Dest, Size, DayOfWeekToString(Day));
    }

private:
    static char* ToPChar(char* Dest, std::size_t Size, const AnsiString& Text);
    void isIntlWndProc(TMessage& Msg);
    void AdjustField(AnsiString& Picture, char Letter, int Width, bool Shrink) const;

    bool FAutoUpdate = false;
    HWND FWindowHandle = nullptr;
    AnsiString FCountry;
};

// The global settings, made when the unit starts.
extern TGclIntlSup* GclIntlSup;

DECLARE_UNIT(gclintl)

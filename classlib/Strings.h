// Text helpers of the class library: number conversions, Format, trimming,
// case, comparison and 1-based substring routines on AnsiString.
//
// Positions and indexes are 1-based, as the rest of the library counts
// characters in text. Numbers are written and read with "." as the decimal
// separator, whatever the locale.
#pragma once

#include "classlib/Sets.h"
#include "classlib/Types.h"

#include <cstdint>
#include <string_view>
#include <type_traits>
#include <vector>

// ---- Integers ----------------------------------------------------------

AnsiString IntToStr(Int64 Value);

namespace strings_detail {
AnsiString HexDigits(std::uint64_t Bits, int Digits);

template <typename T>
concept Integer = std::is_integral_v<T> && !std::is_same_v<T, bool>;
// Integers that Format takes as numbers; a char is a character.
template <typename T>
concept FormatInteger = Integer<T> && !std::is_same_v<T, char>;
// Enumerations and Booleans would otherwise pass to Format silently as doubles.
template <typename T>
concept FormatRejected = std::is_enum_v<T> || std::is_same_v<T, bool>;
} // namespace strings_detail

// Upper-case hexadecimal of Value's bit pattern at Value's own width
// (IntToHex(-1, 1) is "FFFFFFFF" for an int), with at least Digits digits.
template <strings_detail::Integer T> AnsiString IntToHex(T Value, int Digits) {
    using U = std::make_unsigned_t<T>;
    return strings_detail::HexDigits(static_cast<U>(Value), Digits);
}

// The value of one hexadecimal digit (either case), -1 for any other character.
int HexDigitValue(char C);

// Reads an integer: leading blanks (space, tab), an optional "+" or "-", then
// decimal digits, or hexadecimal digits after "$", "0x", "0X", "x" or "X".
// Decimal values must fit the signed range of Bits bits; hexadecimal values
// give a bit pattern of at most Bits bits, read as two's complement at that
// width ("$FFFFFFFF" is -1 at 32 bits). Bits is 1 to 64.
// Returns 0 and sets Value on success; otherwise returns the 1-based position
// of the first character that cannot belong to the number (length + 1 when
// the text ends where a digit is needed), leaving Value unchanged.
int ParseInteger(const AnsiString& S, Int64& Value, int Bits = 64);

// 32-bit conversions; StrToInt raises EConvertError for a bad text or a value
// outside the int range.
int StrToInt(const AnsiString& S);
int StrToIntDef(const AnsiString& S, int Default);
bool TryStrToInt(const AnsiString& S, int& Value);
Int64 StrToInt64(const AnsiString& S);

// ---- Floating point ----------------------------------------------------

// Reads blanks, an optional sign, digits with an optional "." and an
// optional exponent ("E" or "e", optional sign, digits), then blanks. A value
// too large for a double is invalid; one too small becomes 0.
double StrToFloat(const AnsiString& S);
double StrToFloatDef(const AnsiString& S, double Default);
bool TryStrToFloat(const AnsiString& S, double& Value);

// General format with 15 significant digits: the value is rounded to 15
// digits (exact halves away from zero) and trailing zeros are dropped. With
// the rounded value written d.ddd x 10^E, fixed notation is used when
// -5 <= E < 15 ("0.5", "123.25", "0.00001"), scientific notation otherwise,
// with the exponent in as few digits as it needs ("1E20", "1.5E-7").
// Infinities and NaN give "INF", "-INF" and "NAN".
AnsiString FloatToStr(double Value);

// Value by a picture such as "###,###,##0" or "0.00": "0" is a digit always shown,
// "#" a digit shown when it counts, "." the decimal point, "," anywhere among the
// digits groups the whole part in threes; text in quotes or outside the digits is
// written before or after the number. Up to three sections split by ";" serve
// positive, negative (written without its sign) and zero values. An empty picture
// gives FloatToStr.
AnsiString FormatFloat(const AnsiString& Picture, double Value);

// ---- Format ------------------------------------------------------------

// One argument of Format: an integer, a character, a text, a floating-point
// number or a pointer.
class TFormatArg {
public:
    enum class TKind { Integer, Char, String, Float, Pointer };

    template <strings_detail::FormatInteger T>
    TFormatArg(T Value)
        : FKind(TKind::Integer), FInteger(static_cast<Int64>(Value)),
          FIntegerBytes(sizeof(T) < 4 ? 4 : static_cast<int>(sizeof(T))),
          FUnsigned(std::is_unsigned_v<T>) {}
    TFormatArg(char Value) : FKind(TKind::Char), FText(1, Value) {}
    TFormatArg(const char* Value) : FKind(TKind::String), FText(Value ? Value : "") {}
    TFormatArg(const AnsiString& Value) : FKind(TKind::String), FText(Value) {}
    TFormatArg(std::string_view Value) : FKind(TKind::String), FText(Value) {}
    TFormatArg(double Value) : FKind(TKind::Float), FFloat(Value) {}
    TFormatArg(const void* Value) : FKind(TKind::Pointer), FPointer(Value) {}
    template <strings_detail::FormatRejected T> TFormatArg(T) = delete;

    TKind Kind() const { return FKind; }
    Int64 Integer() const { return FInteger; }
    // The integer's bits at its own width (at least 32 bits).
    std::uint64_t IntegerBits() const;
    bool IsUnsigned() const { return FUnsigned; }
    const AnsiString& Text() const { return FText; }
    double Float() const { return FFloat; }
    const void* Pointer() const { return FPointer; }

private:
    TKind FKind;
    Int64 FInteger = 0;
    int FIntegerBytes = 0;
    bool FUnsigned = false;
    AnsiString FText;
    double FFloat = 0;
    const void* FPointer = nullptr;
};

// Formats Args into Fmt. Each conversion is "%" [flags] [width] ["." precision]
// type; the only flag is "-" (left-justify in the width); width and precision
// are digits or "*" (taken from the next integer argument; a negative width
// left-justifies, a negative precision counts as none). A width may not start
// with "0": leading zeros are asked for with a precision ("%.3d" gives "007").
//   %d %i  signed decimal integer; precision = minimum digit count
//   %u     unsigned decimal of the integer's bits at its own width
//   %x %X  hexadecimal of those bits, upper case; precision = minimum digits
//   %s     text or character; precision = maximum character count
//   %f     fixed, precision = decimals (default 2)
//   %e     scientific "d.dddE+ddd", precision = significant digits (default
//          15), exponent of at least 3 digits
//   %g     general as FloatToStr, precision = significant digits (default 15)
//   %p     pointer as upper-case hexadecimal of its full width
//   %%     a "%"
// Floating-point values round exact halves away from zero. Arguments left
// over are ignored. A malformed conversion, a missing argument or one of the
// wrong kind raises EConvertError "Format '<Fmt>' invalid or incompatible with
// argument".
AnsiString FormatArgs(std::string_view Fmt, const std::vector<TFormatArg>& Args);

template <typename... TArgs> AnsiString Format(std::string_view Fmt, const TArgs&... Args) {
    return FormatArgs(Fmt, std::vector<TFormatArg>{TFormatArg(Args)...});
}

// ---- Trimming and case -------------------------------------------------

// Remove the characters of code 32 or below at both ends, the start or the end.
AnsiString Trim(const AnsiString& S);
AnsiString TrimLeft(const AnsiString& S);
AnsiString TrimRight(const AnsiString& S);

// ASCII letters only.
AnsiString UpperCase(const AnsiString& S);
AnsiString LowerCase(const AnsiString& S);
// Every letter of the system's ANSI code page.
AnsiString AnsiUpperCase(const AnsiString& S);
AnsiString AnsiLowerCase(const AnsiString& S);

// ---- Comparison --------------------------------------------------------

// Byte order with ASCII letters compared case-insensitively: <0, 0 or >0.
int CompareText(const AnsiString& S1, const AnsiString& S2);
bool SameText(const AnsiString& S1, const AnsiString& S2);
// The user locale's collation: <0, 0 or >0.
int AnsiCompareText(const AnsiString& S1, const AnsiString& S2);
int AnsiCompareStr(const AnsiString& S1, const AnsiString& S2);

// ---- Substrings --------------------------------------------------------

// 1-based position of the first Sub in S; 0 when absent or Sub is empty.
int Pos(const AnsiString& Sub, const AnsiString& S);
// Up to Count characters from Index; an Index below 1 counts as 1, a Count
// running past the end is cut, an Index past the end gives "".
AnsiString Copy(const AnsiString& S, int Index, int Count);
// Removes up to Count characters from Index; nothing when Index is outside
// 1..length or Count is not positive.
void Delete(AnsiString& S, int Index, int Count);
// Inserts Source before Index; an Index below 1 inserts at the start, one
// past the end appends.
void Insert(const AnsiString& Source, AnsiString& S, int Index);
AnsiString StringOfChar(char Ch, int Count);
// S in single quotes, each quote inside doubled.
AnsiString QuotedStr(const AnsiString& S);
// A letter or "_", then letters, digits and "_"; with AllowDots, several such parts
// joined by single dots ("DMM.STS_SkinData").
bool IsValidIdent(const AnsiString& Ident, bool AllowDots = false);

enum TReplaceFlag { rfReplaceAll, rfIgnoreCase };
using TReplaceFlags = TSet<TReplaceFlag>;

// Replaces the first (or, with rfReplaceAll, every) OldPattern in S by
// NewPattern; rfIgnoreCase matches with the ANSI code page's case. An empty
// OldPattern changes nothing.
AnsiString StringReplace(const AnsiString& S, const AnsiString& OldPattern,
                         const AnsiString& NewPattern, TReplaceFlags Flags);

// The system's text for an error code, without the final line break; "" for
// a code the system has no text for.
AnsiString SysErrorMessage(Cardinal ErrorCode);
// Raises EOSError "System error <code>: <text>" for GetLastError().
[[noreturn]] void RaiseLastOSError();

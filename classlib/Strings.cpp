#include "classlib/Strings.h"

#include "classlib/Exceptions.h"

#include "classlib/Platform.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <system_error>

// ---- Integers ----------------------------------------------------------

AnsiString IntToStr(Int64 Value) {
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, Value);
    return AnsiString(buffer, result.ptr);
}

namespace {

AnsiString UnsignedToStr(std::uint64_t Value) {
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, Value);
    return AnsiString(buffer, result.ptr);
}

AnsiString PadLeft(AnsiString S, int Length, char Fill) {
    if (static_cast<int>(S.size()) < Length) S.insert(0, Length - S.size(), Fill);
    return S;
}

bool IsBlank(char C) {
    return C == ' ' || C == '\t';
}

[[noreturn]] void RaiseNotInteger(const AnsiString& S) {
    throw EConvertError("'" + S + "' is not a valid integer value");
}

[[noreturn]] void RaiseNotFloat(const AnsiString& S) {
    throw EConvertError("'" + S + "' is not a valid floating point value");
}

} // namespace

int HexDigitValue(char C) {
    if (C >= '0' && C <= '9') return C - '0';
    if (C >= 'A' && C <= 'F') return C - 'A' + 10;
    if (C >= 'a' && C <= 'f') return C - 'a' + 10;
    return -1;
}

AnsiString strings_detail::HexDigits(std::uint64_t Bits, int Digits) {
    static const char digits[] = "0123456789ABCDEF";
    AnsiString text;
    do {
        text.insert(text.begin(), digits[Bits & 0xF]);
        Bits >>= 4;
    } while (Bits != 0);
    return PadLeft(text, Digits, '0');
}

int ParseInteger(const AnsiString& S, Int64& Value, int Bits) {
    if (Bits < 1 || Bits > 64) throw ERangeError("Integer width out of range");
    const std::uint64_t mask = Bits == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << Bits) - 1;
    const std::uint64_t signBit = std::uint64_t{1} << (Bits - 1);
    const std::size_t length = S.size();
    std::size_t i = 0;
    while (i < length && IsBlank(S[i]))
        ++i;
    bool negative = false;
    if (i < length && (S[i] == '+' || S[i] == '-')) negative = S[i++] == '-';

    bool hex = false;
    if (i < length && S[i] == '$') {
        hex = true;
        ++i;
    } else if (i < length && (S[i] == 'x' || S[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < length && S[i] == '0' && (S[i + 1] == 'x' || S[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i == length) return static_cast<int>(i) + 1;

    std::uint64_t magnitude = 0;
    if (hex) {
        for (; i < length; ++i) {
            int digit = HexDigitValue(S[i]);
            if (digit < 0 || magnitude > (mask >> 4)) return static_cast<int>(i) + 1;
            magnitude = (magnitude << 4) | static_cast<std::uint64_t>(digit);
        }
        std::uint64_t bits = (negative ? 0 - magnitude : magnitude) & mask;
        // Sign-extend the pattern from its width to 64 bits.
        Value = static_cast<Int64>((bits ^ signBit) - signBit);
        return 0;
    }
    const std::uint64_t limit = negative ? signBit : signBit - 1;
    for (; i < length; ++i) {
        char c = S[i];
        if (c < '0' || c > '9') return static_cast<int>(i) + 1;
        std::uint64_t digit = static_cast<std::uint64_t>(c - '0');
        if (magnitude > (limit - digit) / 10) return static_cast<int>(i) + 1;
        magnitude = magnitude * 10 + digit;
    }
    Value = negative ? static_cast<Int64>(0 - magnitude) : static_cast<Int64>(magnitude);
    return 0;
}

bool TryStrToInt(const AnsiString& S, int& Value) {
    Int64 value = 0;
    if (ParseInteger(S, value, 32) != 0) return false;
    Value = static_cast<int>(value);
    return true;
}

int StrToInt(const AnsiString& S) {
    int value = 0;
    if (!TryStrToInt(S, value)) RaiseNotInteger(S);
    return value;
}

int StrToIntDef(const AnsiString& S, int Default) {
    int value = Default;
    return TryStrToInt(S, value) ? value : Default;
}

Int64 StrToInt64(const AnsiString& S) {
    Int64 value = 0;
    if (ParseInteger(S, value, 64) != 0) RaiseNotInteger(S);
    return value;
}

// ---- Floating point ----------------------------------------------------

bool TryStrToFloat(const AnsiString& S, double& Value) {
    const std::size_t length = S.size();
    std::size_t i = 0;
    while (i < length && IsBlank(S[i]))
        ++i;
    std::size_t end = length;
    while (end > i && IsBlank(S[end - 1]))
        --end;

    bool negative = false;
    if (i < end && (S[i] == '+' || S[i] == '-')) negative = S[i++] == '-';
    const std::size_t numberStart = i;
    auto isDigit = [&](std::size_t at) { return at < end && S[at] >= '0' && S[at] <= '9'; };

    // The decimal exponent of the first significant digit, to tell an
    // overflow from an underflow when the value is out of range.
    int leadingExponent = 0;
    bool seenSignificant = false;
    int mantissaDigits = 0;
    for (; isDigit(i); ++i, ++mantissaDigits) {
        if (seenSignificant)
            ++leadingExponent;
        else if (S[i] != '0')
            seenSignificant = true;
    }
    if (i < end && S[i] == '.') {
        ++i;
        for (; isDigit(i); ++i, ++mantissaDigits)
            if (!seenSignificant) {
                --leadingExponent;
                seenSignificant = S[i] != '0';
            }
    }
    if (mantissaDigits == 0) return false;
    long exponent = 0;
    if (i < end && (S[i] == 'e' || S[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < end && (S[i] == '+' || S[i] == '-')) negativeExponent = S[i++] == '-';
        if (!isDigit(i)) return false;
        for (; isDigit(i); ++i)
            exponent = std::min(exponent * 10 + (S[i] - '0'), 100000L);
        if (negativeExponent) exponent = -exponent;
    }
    if (i != end) return false;

    double value = 0;
    auto result = std::from_chars(S.data() + numberStart, S.data() + end, value);
    if (result.ptr != S.data() + end) return false;
    if (result.ec == std::errc::result_out_of_range) {
        if (leadingExponent + exponent > 0) return false;
        value = 0;
    } else if (result.ec != std::errc()) {
        return false;
    }
    Value = negative ? -value : value;
    return true;
}

double StrToFloat(const AnsiString& S) {
    double value = 0;
    if (!TryStrToFloat(S, value)) RaiseNotFloat(S);
    return value;
}

double StrToFloatDef(const AnsiString& S, double Default) {
    double value = Default;
    return TryStrToFloat(S, value) ? value : Default;
}

namespace {

// A finite double as decimal digits: Value = d1.d2d3... x 10^Exponent.
// Digits is "0" for zero; otherwise it starts with a non-zero digit.
struct TDecimal {
    bool Negative = false;
    AnsiString Digits;
    int Exponent = 0;

    bool IsZero() const { return Digits.find_first_not_of('0') == AnsiString::npos; }
    char DigitAt(int Power) const {
        int index = Exponent - Power;
        return index >= 0 && index < static_cast<int>(Digits.size()) ? Digits[index] : '0';
    }
};

// Every significant digit of the binary value: a double never has more than
// 767, so the expansion is exact and rounding it needs no second guess.
TDecimal ExactDecimal(double Value) {
    TDecimal d;
    d.Negative = std::signbit(Value);
    if (Value == 0) {
        d.Digits.assign(1, '0');
        return d;
    }
    char buffer[800];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(Value),
                                std::chars_format::scientific, 766);
    const char* e = std::find(buffer, result.ptr, 'e');
    d.Digits.assign(1, buffer[0]);
    d.Digits.append(buffer + 2, static_cast<std::size_t>(e - (buffer + 2)));
    std::from_chars(e + (e[1] == '+' ? 2 : 1), result.ptr, d.Exponent);
    d.Digits.erase(d.Digits.find_last_not_of('0') + 1);
    return d;
}

// Keeps Count significant digits (Count >= 0), exact halves away from zero.
void RoundToDigits(TDecimal& D, int Count) {
    if (D.IsZero() || Count >= static_cast<int>(D.Digits.size())) return;
    bool up = D.Digits[Count] >= '5';
    D.Digits.resize(Count);
    if (up) {
        int i = Count - 1;
        while (i >= 0 && D.Digits[i] == '9')
            D.Digits[i--] = '0';
        if (i >= 0) {
            ++D.Digits[i];
        } else {
            // All nines: 999 becomes 1000, kept as 100 one power higher.
            ++D.Exponent;
            if (D.Digits.empty())
                D.Digits.assign(1, '1');
            else
                D.Digits[0] = '1';
        }
    }
    if (D.Digits.empty()) D.Digits.assign(1, '0');
}

// Keeps Decimals digits after the decimal point.
void RoundToDecimals(TDecimal& D, int Decimals) {
    int count = D.Exponent + 1 + Decimals;
    if (count < 0) {
        D.Digits.assign(1, '0');
        D.Exponent = 0;
        return;
    }
    RoundToDigits(D, count);
}

AnsiString SignOf(const TDecimal& D) {
    return D.Negative && !D.IsZero() ? "-" : "";
}

AnsiString FixedText(const TDecimal& D, int Decimals) {
    AnsiString text = SignOf(D);
    for (int power = std::max(D.Exponent, 0); power >= 0; --power)
        text += D.DigitAt(power);
    if (Decimals > 0) {
        text += '.';
        for (int power = -1; power >= -Decimals; --power)
            text += D.DigitAt(power);
    }
    return text;
}

// d.ddd with Decimals digits after the point, then "E" and the exponent.
AnsiString ScientificText(const TDecimal& D, int Decimals, bool SignedExponent,
                          int ExponentDigits) {
    AnsiString text = SignOf(D);
    text += D.Digits[0];
    if (Decimals > 0) {
        text += '.';
        for (int i = 1; i <= Decimals; ++i)
            text += i < static_cast<int>(D.Digits.size()) ? D.Digits[i] : '0';
    }
    int exponent = D.IsZero() ? 0 : D.Exponent;
    text += 'E';
    if (exponent < 0)
        text += '-';
    else if (SignedExponent)
        text += '+';
    text += PadLeft(IntToStr(std::abs(exponent)), ExponentDigits, '0');
    return text;
}

bool NonFiniteText(double Value, AnsiString& Text) {
    if (std::isnan(Value))
        Text = "NAN";
    else if (std::isinf(Value))
        Text = Value < 0 ? "-INF" : "INF";
    else
        return false;
    return true;
}

AnsiString GeneralText(double Value, int Precision) {
    AnsiString text;
    if (NonFiniteText(Value, text)) return text;
    TDecimal d = ExactDecimal(Value);
    RoundToDigits(d, Precision);
    if (d.IsZero()) return "0";
    d.Digits.erase(d.Digits.find_last_not_of('0') + 1);
    int digitsAfterFirst = static_cast<int>(d.Digits.size()) - 1;
    if (d.Exponent >= -5 && d.Exponent < Precision)
        return FixedText(d, std::max(0, digitsAfterFirst - d.Exponent));
    return ScientificText(d, digitsAfterFirst, false, 1);
}

AnsiString FixedFormatText(double Value, int Decimals) {
    AnsiString text;
    if (NonFiniteText(Value, text)) return text;
    TDecimal d = ExactDecimal(Value);
    RoundToDecimals(d, Decimals);
    return FixedText(d, Decimals);
}

AnsiString ExponentFormatText(double Value, int Digits) {
    AnsiString text;
    if (NonFiniteText(Value, text)) return text;
    TDecimal d = ExactDecimal(Value);
    RoundToDigits(d, Digits);
    return ScientificText(d, Digits - 1, true, 3);
}

} // namespace

AnsiString FloatToStr(double Value) {
    return GeneralText(Value, 15);
}

namespace {

// Splits Picture at the ";" outside quotes.
std::vector<AnsiString> PictureSections(const AnsiString& Picture) {
    std::vector<AnsiString> sections(1);
    char quote = 0;
    for (char c : Picture) {
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ';') {
            sections.emplace_back();
            continue;
        }
        sections.back() += c;
    }
    return sections;
}

struct TPicture {
    AnsiString Prefix, Suffix;
    int MinWhole = 0, MinDecimals = 0, MaxDecimals = 0;
    bool Grouped = false;
};

TPicture ReadPicture(const AnsiString& Section) {
    TPicture picture;
    bool digitsSeen = false, digitsDone = false, afterPoint = false;
    char quote = 0;
    for (char c : Section) {
        bool placeholder = !quote && (c == '0' || c == '#' || c == '.' || c == ',');
        if (placeholder && !digitsDone) {
            digitsSeen = true;
            if (c == '.')
                afterPoint = true;
            else if (c == ',')
                picture.Grouped = true;
            else if (afterPoint) {
                ++picture.MaxDecimals;
                if (c == '0') picture.MinDecimals = picture.MaxDecimals;
            } else if (c == '0') {
                ++picture.MinWhole;
            }
            continue;
        }
        if (digitsSeen) digitsDone = true;
        if (quote) {
            if (c == quote)
                quote = 0;
            else
                (digitsSeen ? picture.Suffix : picture.Prefix) += c;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else {
            (digitsSeen ? picture.Suffix : picture.Prefix) += c;
        }
    }
    return picture;
}

} // namespace

AnsiString FormatFloat(const AnsiString& Picture, double Value) {
    if (Picture.empty() || !std::isfinite(Value)) return FloatToStr(Value);
    std::vector<AnsiString> sections = PictureSections(Picture);
    const AnsiString* section = &sections[0];
    bool sign = Value < 0;
    if (sign && sections.size() > 1 && !sections[1].empty()) {
        section = &sections[1];
        sign = false;
    }
    TPicture picture = ReadPicture(*section);
    AnsiString fixed = Format("%.*f", picture.MaxDecimals, std::fabs(Value));
    if (sections.size() > 2 && !sections[2].empty() &&
        fixed.find_first_not_of("0.") == AnsiString::npos) {
        picture = ReadPicture(sections[2]);
        fixed = Format("%.*f", picture.MaxDecimals, 0.0);
        sign = false;
    }
    std::size_t point = fixed.find('.');
    AnsiString whole = fixed.substr(0, point);
    AnsiString decimals = point == AnsiString::npos ? AnsiString() : fixed.substr(point + 1);
    while (static_cast<int>(decimals.size()) > picture.MinDecimals && decimals.back() == '0')
        decimals.pop_back();
    if (whole == "0" && picture.MinWhole == 0) whole.clear();
    if (static_cast<int>(whole.size()) < picture.MinWhole)
        whole.insert(0, static_cast<std::size_t>(picture.MinWhole) - whole.size(), '0');
    if (picture.Grouped) {
        for (int at = static_cast<int>(whole.size()) - 3; at > 0; at -= 3)
            whole.insert(static_cast<std::size_t>(at), 1, ',');
    }
    AnsiString number = whole + (decimals.empty() ? AnsiString() : "." + decimals);
    bool minus = sign && number.find_first_not_of("0.,") != AnsiString::npos;
    return (minus ? "-" : "") + picture.Prefix + number + picture.Suffix;
}

// ---- Format ------------------------------------------------------------

std::uint64_t TFormatArg::IntegerBits() const {
    auto bits = static_cast<std::uint64_t>(FInteger);
    return FIntegerBytes >= 8 ? bits : bits & 0xFFFFFFFFu;
}

namespace {

class TFormatter {
public:
    TFormatter(std::string_view Fmt, const std::vector<TFormatArg>& Args)
        : FFmt(Fmt), FArgs(Args) {}

    AnsiString Run() {
        AnsiString out;
        while (FPos < FFmt.size()) {
            char c = FFmt[FPos++];
            if (c != '%') {
                out += c;
                continue;
            }
            if (Peek() == '%') {
                ++FPos;
                out += '%';
                continue;
            }
            out += Conversion();
        }
        return out;
    }

private:
    [[noreturn]] void Fail() const {
        throw EConvertError("Format '" + AnsiString(FFmt) +
                            "' invalid or incompatible with argument");
    }

    char Peek() const { return FPos < FFmt.size() ? FFmt[FPos] : '\0'; }

    const TFormatArg& NextArg() {
        if (FNextArg >= FArgs.size()) Fail();
        return FArgs[FNextArg++];
    }

    // Digits or "*"; -1 when neither is there.
    int Number(bool& FromArgument) {
        FromArgument = false;
        if (Peek() == '*') {
            ++FPos;
            FromArgument = true;
            const TFormatArg& arg = NextArg();
            if (arg.Kind() != TFormatArg::TKind::Integer || arg.Integer() < INT_MIN + 1 ||
                arg.Integer() > INT_MAX)
                Fail();
            return static_cast<int>(arg.Integer());
        }
        if (Peek() < '0' || Peek() > '9') return -1;
        long long value = 0;
        while (Peek() >= '0' && Peek() <= '9') {
            value = value * 10 + (FFmt[FPos++] - '0');
            if (value > INT_MAX) Fail();
        }
        return static_cast<int>(value);
    }

    AnsiString Conversion() {
        bool left = false;
        if (Peek() == '-') {
            left = true;
            ++FPos;
        }
        if (Peek() == '0') Fail();
        bool fromArgument = false;
        int width = Number(fromArgument);
        if (fromArgument && width < 0) {
            left = true;
            width = -width;
        }
        int precision = -1;
        if (Peek() == '.') {
            ++FPos;
            precision = Number(fromArgument);
            if (precision < 0) precision = fromArgument ? -1 : 0;
        }
        if (FPos >= FFmt.size()) Fail();
        char type = FFmt[FPos++];
        AnsiString text = Convert(type, NextArg(), precision);
        if (static_cast<int>(text.size()) < width) {
            if (left)
                text.append(width - text.size(), ' ');
            else
                text.insert(0, width - text.size(), ' ');
        }
        return text;
    }

    AnsiString Convert(char Type, const TFormatArg& Arg, int Precision) {
        using TKind = TFormatArg::TKind;
        switch (Type) {
        case 'd':
        case 'i': {
            Require(Arg, TKind::Integer);
            bool negative = !Arg.IsUnsigned() && Arg.Integer() < 0;
            std::uint64_t magnitude = Arg.IsUnsigned() ? Arg.IntegerBits()
                                      : negative ? 0 - static_cast<std::uint64_t>(Arg.Integer())
                                                 : static_cast<std::uint64_t>(Arg.Integer());
            AnsiString digits = PadLeft(UnsignedToStr(magnitude), Precision, '0');
            return negative ? '-' + digits : digits;
        }
        case 'u':
            Require(Arg, TKind::Integer);
            return PadLeft(UnsignedToStr(Arg.IntegerBits()), Precision, '0');
        case 'x':
        case 'X':
            Require(Arg, TKind::Integer);
            return strings_detail::HexDigits(Arg.IntegerBits(), Precision);
        case 's': {
            if (Arg.Kind() != TKind::String && Arg.Kind() != TKind::Char) Fail();
            const AnsiString& text = Arg.Text();
            return Precision >= 0 ? text.substr(0, Precision) : text;
        }
        case 'f':
            Require(Arg, TKind::Float);
            return FixedFormatText(Arg.Float(), Precision < 0 ? 2 : Precision);
        case 'e':
            Require(Arg, TKind::Float);
            return ExponentFormatText(Arg.Float(), Precision < 0 ? 15 : std::max(Precision, 1));
        case 'g':
            Require(Arg, TKind::Float);
            return GeneralText(Arg.Float(), Precision < 0 ? 15 : std::max(Precision, 1));
        case 'p':
            Require(Arg, TKind::Pointer);
            return strings_detail::HexDigits(reinterpret_cast<std::uintptr_t>(Arg.Pointer()),
                                             static_cast<int>(2 * sizeof(void*)));
        default:
            Fail();
        }
    }

    void Require(const TFormatArg& Arg, TFormatArg::TKind Kind) const {
        if (Arg.Kind() != Kind) Fail();
    }

    std::string_view FFmt;
    const std::vector<TFormatArg>& FArgs;
    std::size_t FPos = 0;
    std::size_t FNextArg = 0;
};

} // namespace

AnsiString FormatArgs(std::string_view Fmt, const std::vector<TFormatArg>& Args) {
    return TFormatter(Fmt, Args).Run();
}

// ---- Trimming and case -------------------------------------------------

namespace {

bool IsTrimmed(char C) {
    return static_cast<unsigned char>(C) <= 32;
}

char AsciiUpper(char C) {
    return C >= 'a' && C <= 'z' ? static_cast<char>(C - 32) : C;
}
char AsciiLower(char C) {
    return C >= 'A' && C <= 'Z' ? static_cast<char>(C + 32) : C;
}

} // namespace

AnsiString TrimLeft(const AnsiString& S) {
    auto first = std::find_if_not(S.begin(), S.end(), IsTrimmed);
    return AnsiString(first, S.end());
}

AnsiString TrimRight(const AnsiString& S) {
    auto last = std::find_if_not(S.rbegin(), S.rend(), IsTrimmed);
    return AnsiString(S.begin(), last.base());
}

AnsiString Trim(const AnsiString& S) {
    return TrimRight(TrimLeft(S));
}

AnsiString UpperCase(const AnsiString& S) {
    AnsiString result(S);
    std::transform(result.begin(), result.end(), result.begin(), AsciiUpper);
    return result;
}

AnsiString LowerCase(const AnsiString& S) {
    AnsiString result(S);
    std::transform(result.begin(), result.end(), result.begin(), AsciiLower);
    return result;
}

AnsiString AnsiUpperCase(const AnsiString& S) {
    AnsiString result(S);
    if (!result.empty()) CharUpperBuffA(result.data(), static_cast<DWORD>(result.size()));
    return result;
}

AnsiString AnsiLowerCase(const AnsiString& S) {
    AnsiString result(S);
    if (!result.empty()) CharLowerBuffA(result.data(), static_cast<DWORD>(result.size()));
    return result;
}

// ---- Comparison --------------------------------------------------------

int CompareText(const AnsiString& S1, const AnsiString& S2) {
    std::size_t common = std::min(S1.size(), S2.size());
    for (std::size_t i = 0; i < common; ++i) {
        int c1 = static_cast<unsigned char>(AsciiUpper(S1[i]));
        int c2 = static_cast<unsigned char>(AsciiUpper(S2[i]));
        if (c1 != c2) return c1 - c2;
    }
    return S1.size() < S2.size() ? -1 : S1.size() > S2.size() ? 1 : 0;
}

bool SameText(const AnsiString& S1, const AnsiString& S2) {
    return CompareText(S1, S2) == 0;
}

bool IsValidIdent(const AnsiString& Ident, bool AllowDots) {
    bool partStart = true;
    for (char c : Ident) {
        auto u = static_cast<unsigned char>(c);
        if (c == '.' && AllowDots && !partStart)
            partStart = true;
        else if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' ||
                 (!partStart && u >= '0' && u <= '9'))
            partStart = false;
        else
            return false;
    }
    return !partStart;
}

namespace {

int LocaleCompare(const AnsiString& S1, const AnsiString& S2, DWORD Flags) {
    int result = CompareStringA(LOCALE_USER_DEFAULT, Flags, S1.data(), static_cast<int>(S1.size()),
                                S2.data(), static_cast<int>(S2.size()));
    if (result == 0) RaiseLastOSError();
    return result - CSTR_EQUAL;
}

} // namespace

int AnsiCompareText(const AnsiString& S1, const AnsiString& S2) {
    return LocaleCompare(S1, S2, NORM_IGNORECASE);
}

int AnsiCompareStr(const AnsiString& S1, const AnsiString& S2) {
    return LocaleCompare(S1, S2, 0);
}

// ---- Substrings --------------------------------------------------------

int Pos(const AnsiString& Sub, const AnsiString& S) {
    if (Sub.empty()) return 0;
    std::size_t at = S.find(Sub);
    return at == AnsiString::npos ? 0 : static_cast<int>(at) + 1;
}

AnsiString Copy(const AnsiString& S, int Index, int Count) {
    if (Index < 1) Index = 1;
    if (Count <= 0 || Index > static_cast<int>(S.size())) return AnsiString();
    return S.substr(Index - 1, Count);
}

void Delete(AnsiString& S, int Index, int Count) {
    if (Index < 1 || Index > static_cast<int>(S.size()) || Count <= 0) return;
    S.erase(Index - 1, Count);
}

void Insert(const AnsiString& Source, AnsiString& S, int Index) {
    std::size_t at = Index < 1 ? 0 : std::min(static_cast<std::size_t>(Index) - 1, S.size());
    S.insert(at, Source);
}

AnsiString StringOfChar(char Ch, int Count) {
    return AnsiString(std::max(Count, 0), Ch);
}

AnsiString QuotedStr(const AnsiString& S) {
    AnsiString result = "'";
    for (char c : S) {
        if (c == '\'') result += '\'';
        result += c;
    }
    return result + "'";
}

AnsiString StringReplace(const AnsiString& S, const AnsiString& OldPattern,
                         const AnsiString& NewPattern, TReplaceFlags Flags) {
    if (OldPattern.empty()) return S;
    const bool ignoreCase = Flags.Contains(rfIgnoreCase);
    const AnsiString searched = ignoreCase ? AnsiUpperCase(S) : S;
    const AnsiString pattern = ignoreCase ? AnsiUpperCase(OldPattern) : OldPattern;
    AnsiString result;
    std::size_t from = 0;
    for (;;) {
        std::size_t at = searched.find(pattern, from);
        if (at == AnsiString::npos) break;
        result.append(S, from, at - from);
        result += NewPattern;
        from = at + pattern.size();
        if (!Flags.Contains(rfReplaceAll)) break;
    }
    result.append(S, from, AnsiString::npos);
    return result;
}

AnsiString SysErrorMessage(Cardinal ErrorCode) {
    char text[1024] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, ErrorCode,
                   0, text, sizeof text, nullptr);
    return TrimRight(text);
}

void RaiseLastOSError() {
    DWORD code = GetLastError();
    if (code == 0) throw EOSError("A call to an OS function failed");
    AnsiString message = "System error " + IntToStr(code);
    AnsiString description = SysErrorMessage(code);
    if (!description.empty()) message += ": " + description;
    throw EOSError(message);
}

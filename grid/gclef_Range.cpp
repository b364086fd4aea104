// Entry-field ranges: defaults per type, storing, range strings both ways, and the
// ten-byte "RangeHigh"/"RangeLow" stream properties.
#include "classlib/Filer.h"
#include "classlib/Streams.h"
#include "classlib/Strings.h"
#include "grid/gcldata.h"
#include "grid/gcldate.h"
#include "grid/gclef.h"
#include "grid/gclexcpt.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {
// The largest finite values of the narrower floating-point types, exactly.
constexpr long double kDoubleMax = std::numeric_limits<double>::max();
constexpr long double kSingleMax = std::numeric_limits<float>::max();

template <typename T> T Get(const TRangeType& R) {
    T v{};
    std::memcpy(&v, R.data(), sizeof(T) < 10 ? sizeof(T) : 10);
    return v;
}
template <typename T> void Put(TRangeType& R, T v) {
    R.fill(0);
    std::memcpy(R.data(), &v, sizeof(T) < 10 ? sizeof(T) : 10);
}
bool IsIntegerType(Byte T) {
    return T >= fsubLongInt && T <= fsubShortInt;
}
// Whether V lies in the bounds of integer type T (LongInt to ShortInt).
bool InIntegerBounds(Byte T, long long V) {
    static const long long bounds[][2] = {
        {INT32_MIN, INT32_MAX}, {0, 65535}, {-32768, 32767}, {0, 255}, {-128, 127}};
    return V >= bounds[T - fsubLongInt][0] && V <= bounds[T - fsubLongInt][1];
}
bool IsFloatType(Byte T) {
    return T >= fsubReal && T <= fsubComp;
}
// Digits of base 2, 8 or 16 read as an unsigned 32-bit value; any other character, or
// more digits than 32 bits hold, fails.
bool ReadRadix(const AnsiString& S, int Base, long long& Value) {
    if (S.empty()) return false;
    unsigned long long v = 0;
    for (char c : S) {
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else return false;
        if (d >= Base) return false;
        v = v * Base + d;
        if (v > 0xFFFFFFFFull) return false;
    }
    Value = static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
    return true;
}
// Whether the ten bytes hold a finite 80-bit number: not an infinity or NaN, and none of
// the encodings (an unnormal, a pseudo-denormal) that the processor refuses to compute with.
bool IsFiniteExtended(const TRangeType& R) {
    std::uint64_t mantissa = Get<std::uint64_t>(R);
    int exponent = (R[8] | R[9] << 8) & 0x7FFF;
    bool integerBit = (mantissa >> 63) != 0;
    if (exponent == 0x7FFF) return false;
    return exponent == 0 ? !integerBit : integerBit;
}
} // namespace

void TGclBaseEntryField::efSetDefaultRange() {
    FRangeLo.fill(0);
    FRangeHi.fill(0);
    switch (GetFieldType()) {
    case fsubChar: FRangeLo[0] = FRangeHi[0] = ' '; break;
    case fsubLongInt: Put<std::int32_t>(FRangeLo, INT32_MIN); Put<std::int32_t>(FRangeHi, INT32_MAX); break;
    case fsubWord: Put<std::int32_t>(FRangeLo, 0); Put<std::int32_t>(FRangeHi, 65535); break;
    case fsubSmallInt: Put<std::int32_t>(FRangeLo, -32768); Put<std::int32_t>(FRangeHi, 32767); break;
    case fsubByte: Put<std::int32_t>(FRangeLo, 0); Put<std::int32_t>(FRangeHi, 255); break;
    case fsubShortInt: Put<std::int32_t>(FRangeLo, -128); Put<std::int32_t>(FRangeHi, 127); break;
    case fsubReal: Put<double>(FRangeLo, -1.7e38); Put<double>(FRangeHi, 1.7e38); break;
    case fsubExtended: Put<long double>(FRangeLo, -1.1e4932L); Put<long double>(FRangeHi, 1.1e4932L); break;
    case fsubDouble: Put<long double>(FRangeLo, -1.7e308L); Put<long double>(FRangeHi, 1.7e308L); break;
    case fsubSingle: Put<long double>(FRangeLo, -3.4e38L); Put<long double>(FRangeHi, 3.4e38L); break;
    case fsubComp: Put<long double>(FRangeLo, -9.2e18L); Put<long double>(FRangeHi, 9.2e18L); break;
    case fsubDate: Put<std::int32_t>(FRangeLo, 0); Put<std::int32_t>(FRangeHi, 876581); break;
    case fsubTime: Put<std::int32_t>(FRangeLo, 0); Put<std::int32_t>(FRangeHi, 86399); break;
    default: break;
    }
}

TRangeType TGclBaseEntryField::RangeForm(const TRangeType& Value) {
    TRangeType r = Value;
    switch (GetFieldType()) {
    case fsubWord: Put<std::int32_t>(r, Get<std::uint16_t>(Value)); break;
    case fsubByte: Put<std::int32_t>(r, Get<std::uint8_t>(Value)); break;
    case fsubSmallInt: Put<std::int32_t>(r, Get<std::int16_t>(Value)); break;
    case fsubShortInt: Put<std::int32_t>(r, Get<std::int8_t>(Value)); break;
    case fsubSingle: Put<long double>(r, Get<float>(Value)); break;
    case fsubDouble: Put<long double>(r, Get<double>(Value)); break;
    default: break;
    }
    return r;
}

void TGclBaseEntryField::SetInitialValue() {
    if (IsDesigning()) return;
    Byte value[16] = {};
    Byte type = GetFieldType();
    if (type == fsubChar) {
        value[0] = FRangeLo[0] > ' ' || FRangeHi[0] < ' ' ? FRangeLo[0] : ' ';
    } else if (IsIntegerType(type)) {
        // The 32-bit range form's low bytes are the smaller types' values.
        if (Get<std::int32_t>(FRangeLo) > 0 || Get<std::int32_t>(FRangeHi) < 0)
            std::memcpy(value, FRangeLo.data(), 4);
    } else if (type == fsubReal) {
        if (Get<double>(FRangeLo) > 0 || Get<double>(FRangeHi) < 0) std::memcpy(value, FRangeLo.data(), 8);
    } else if (IsFloatType(type)) {
        long double lo = Get<long double>(FRangeLo);
        if (lo > 0 || Get<long double>(FRangeHi) < 0) {
            if (type == fsubExtended) std::memcpy(value, FRangeLo.data(), 10);
            else if (type == fsubDouble) { double v = static_cast<double>(lo); std::memcpy(value, &v, 8); }
            else if (type == fsubSingle) { float v = static_cast<float>(lo); std::memcpy(value, &v, 4); }
            else { std::int64_t v = std::llrint(lo); std::memcpy(value, &v, 8); }
        }
    } else if (type == fsubDate || type == fsubTime) {
        std::int32_t none = -1;
        std::memcpy(value, &none, 4);
    }
    SetValue(value, sizeof value);
}

bool TGclBaseEntryField::IsValidRange(const TRangeType& Range) const {
    Byte type = GetFieldType();
    if (IsIntegerType(type)) return InIntegerBounds(type, Get<std::int32_t>(Range));
    if (type == fsubDate || type == fsubTime) {
        std::int32_t v = Get<std::int32_t>(Range);
        return v >= 0 && v <= (type == fsubDate ? MaxDate : 86399);
    }
    if (type == fsubReal) return std::isfinite(Get<double>(Range));
    if (!IsFloatType(type)) return true;
    if (!IsFiniteExtended(Range)) return false;
    long double v = std::fabs(Get<long double>(Range));
    if (type == fsubDouble) return v <= kDoubleMax;
    if (type == fsubSingle) return v <= kSingleMax;
    return true;
}

void TGclBaseEntryField::StoreRange(TRangeType& Target, const TRangeType& Value) {
    Target = Value;
    ValidateContents(true);
    if (FInError && GetParent() && GetParent()->GetVisible() && GetParent()->GetEnabled() &&
        CanFocus())
        SetFocus();
}

void TGclBaseEntryField::SetRangeHi(const TRangeType& Value) {
    StoreRange(FRangeHi, RangeForm(Value));
}

void TGclBaseEntryField::SetRangeLo(const TRangeType& Value) {
    StoreRange(FRangeLo, RangeForm(Value));
}

bool TGclBaseEntryField::StrToRange(const AnsiString& Text, TRangeType& Range) {
    Range.fill(0);
    Byte type = GetFieldType();
    if (type == fsubChar) {
        if (Text.empty()) {
            Range[0] = ' ';
        } else if (Text[0] == '#' && Text.size() > 1) {
            char* end = nullptr;
            long code = std::strtol(Text.c_str() + 1, &end, 10);
            if (*end != '\0' || code < 0 || code > 255) {
                Range[0] = ' ';
                return false;
            }
            Range[0] = static_cast<Byte>(code);
        } else {
            Range[0] = static_cast<Byte>(Text[0]);
        }
        return true;
    }
    if (IsIntegerType(type)) {
        AnsiString s = Trim(Text);
        long long v = 0;
        if (s.empty()) {
            v = 0;
        } else if (FPicture.find('b') != AnsiString::npos) {
            if (!ReadRadix(s, 2, v)) return false;
        } else if (FPicture.find('O') != AnsiString::npos) {
            // Only octal digits: "8" or "9" is no octal number.
            if (!ReadRadix(s, 8, v)) return false;
        } else if (FPicture.find('K') != AnsiString::npos) {
            if (!ReadRadix(s[0] == '$' ? s.substr(1) : s, 16, v)) return false;
        } else {
            char* end = nullptr;
            v = std::strtoll(s.c_str(), &end, 10);
            if (*end != '\0') return false;
        }
        if (!InIntegerBounds(type, v)) return false;
        Put<std::int32_t>(Range, static_cast<std::int32_t>(v));
        return true;
    }
    if (IsFloatType(type)) {
        AnsiString s = Trim(Text);
        char sep = GetIntlSupport()->DecimalChar;
        for (char& c : s)
            if (c == sep) c = '.';
        long double v = 0;
        if (!s.empty()) {
            char* end = nullptr;
            v = __mingw_strtold(s.c_str(), &end);
            if (*end != '\0' || !std::isfinite(v)) return false;
        }
        if (type == fsubReal) {
            if (std::fabs(v) > kDoubleMax) return false;
            Put<double>(Range, static_cast<double>(v));
        } else {
            if (type == fsubDouble && std::fabs(v) > kDoubleMax) return false;
            if (type == fsubSingle && std::fabs(v) > kSingleMax) return false;
            Put<long double>(Range, v);
        }
        return true;
    }
    if (type == fsubDate || type == fsubTime) {
        TGclIntlSup* intl = GetIntlSupport();
        std::int32_t v = type == fsubDate
                             ? intl->DateStringToDate(intl->InternationalDate(true), Text, GetEpoch())
                             : intl->TimeStringToTime(intl->InternationalTime(true), Text);
        if (v == -1) return false;
        Put<std::int32_t>(Range, v);
        return true;
    }
    return true; // String, Boolean and YesNo have no range
}

AnsiString TGclBaseEntryField::RangeToStr(const TRangeType& Range) {
    Byte type = GetFieldType();
    char buffer[128];
    if (type == fsubChar) return AnsiString(1, static_cast<char>(Range[0]));
    if (IsIntegerType(type)) {
        std::int32_t v = Get<std::int32_t>(Range);
        auto radix = [&](int bits, int per) {
            std::uint32_t u = static_cast<std::uint32_t>(v);
            AnsiString s;
            do {
                s.insert(s.begin(), "0123456789ABCDEF"[u & ((1u << per) - 1)]);
                u >>= per;
            } while (u);
            (void)bits;
            return s;
        };
        if (FPicture.find('b') != AnsiString::npos) return radix(32, 1);
        if (FPicture.find('O') != AnsiString::npos) return radix(32, 3);
        if (FPicture.find('K') != AnsiString::npos) return '$' + radix(32, 4);
        return std::to_string(v);
    }
    if (IsFloatType(type)) {
        long double v = type == fsubReal ? Get<double>(Range) : Get<long double>(Range);
        int decimals = FDecimalPlaces;
        std::size_t dot = FPicture.find('.');
        if (dot != AnsiString::npos) {
            decimals = 0;
            for (std::size_t i = dot + 1; i < FPicture.size() && IsEditableMaskChar(FPicture[i]); ++i)
                ++decimals;
        }
        AnsiString text;
        if (FPicture.find('E') == AnsiString::npos) {
            __mingw_snprintf(buffer, sizeof buffer, "%.*Lf", decimals, v);
            text = buffer;
            if (text.find('.') != AnsiString::npos) {
                while (text.back() == '0')
                    text.pop_back();
                if (text.back() == '.') text.pop_back();
            }
        }
        if (text.empty() || static_cast<int>(text.size()) > FMaxLength) {
            // A sign place, one digit, the point, the fraction and "E+dddd" fill the
            // width; at least one fraction digit is written.
            int width = FMaxLength;
            if (decimals > 0 && decimals + 9 < FMaxLength) width = decimals + 9;
            int fraction = width - 9 > 0 ? width - 9 : 1;
            __mingw_snprintf(buffer, sizeof buffer, "%.*LE", fraction, v);
            text = buffer;
            // The exponent's leading zeros are dropped ("1.5E+0007" reads "1.5E+7").
            std::size_t p = text.find('E') + 2;
            while (p + 1 < text.size() && text[p] == '0')
                text.erase(p, 1);
        }
        char sep = GetIntlSupport()->DecimalChar;
        for (char& c : text)
            if (c == '.') c = sep;
        return text;
    }
    if (type == fsubDate || type == fsubTime) {
        TGclIntlSup* intl = GetIntlSupport();
        std::int32_t v = Get<std::int32_t>(Range);
        return type == fsubDate ? intl->DateToDateString(intl->InternationalDate(true), v, false)
                                : intl->TimeToTimeString(intl->InternationalTime(true), v, false);
    }
    return "";
}

void TGclBaseEntryField::SetRangeHiStr(const AnsiString& Value) {
    if (GetComponentState().Contains(csLoading)) return;
    TRangeType r;
    if (!StrToRange(Value, r)) throw EInvalidRangeValue(GetFieldType());
    StoreRange(FRangeHi, r);
}

void TGclBaseEntryField::SetRangeLoStr(const AnsiString& Value) {
    if (GetComponentState().Contains(csLoading)) return;
    TRangeType r;
    if (!StrToRange(Value, r)) throw EInvalidRangeValue(GetFieldType());
    StoreRange(FRangeLo, r);
}

void TGclBaseEntryField::DefineProperties(TFiler* Filer) {
    TGclCustomControlEx::DefineProperties(Filer);
    Byte type = GetFieldType();
    bool stored = type != fsubString && type != fsubBoolean && type != fsubYesNo;
    auto define = [&](const char* Name, TRangeType& Range) {
        Filer->DefineBinaryProperty(
            Name,
            [this, &Range](TStream* Stream) {
                if (Stream->GetSize() != 10)
                    throw EReadError("A range holds 10 bytes, not " +
                                     std::to_string(Stream->GetSize()));
                TRangeType read;
                Stream->ReadBuffer(read.data(), 10);
                // What the range text would refuse is refused here too.
                if (!IsValidRange(read))
                    throw EReadError("A range outside what a " +
                                     GetGclStr(static_cast<Word>(34068 + GetFieldType())) +
                                     " field holds");
                Range = read;
            },
            [&Range](TStream* Stream) { Stream->WriteBuffer(Range.data(), 10); }, stored);
    };
    define("RangeHigh", FRangeHi);
    define("RangeLow", FRangeLo);
}

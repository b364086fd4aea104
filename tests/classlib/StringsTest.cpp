#include "classlib/Strings.h"

#include "classlib/Exceptions.h"

#include <gtest/gtest.h>

#include "classlib/Platform.h"

#include <cmath>
#include <limits>

namespace {

int ErrorAt(const AnsiString& s, int bits = 64) {
    Int64 value = 12345;
    int position = ParseInteger(s, value, bits);
    if (position != 0) {
        EXPECT_EQ(value, 12345) << "value changed for '" << s << "'";
    }
    return position;
}

Int64 Parsed(const AnsiString& s, int bits = 64) {
    Int64 value = 0;
    EXPECT_EQ(ParseInteger(s, value, bits), 0) << s;
    return value;
}

AnsiString FormatMessageOf(const AnsiString& fmt) {
    return "Format '" + fmt + "' invalid or incompatible with argument";
}

} // namespace

TEST(IntegerText, WritesDecimalAndHexadecimalAtTheValuesWidth) {
    EXPECT_EQ(IntToStr(0), "0");
    EXPECT_EQ(IntToStr(-2147483647 - 1), "-2147483648");
    EXPECT_EQ(IntToStr(std::numeric_limits<Int64>::min()), "-9223372036854775808");
    EXPECT_EQ(IntToHex(0x3F, 2), "3F");
    EXPECT_EQ(IntToHex(0x3F, 4), "003F");
    EXPECT_EQ(IntToHex(0x12345, 2), "12345");
    EXPECT_EQ(IntToHex(-1, 1), "FFFFFFFF");
    EXPECT_EQ(IntToHex(Int64{-1}, 1), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(IntToHex(Byte{0xFE}, 0), "FE");
}

TEST(IntegerParsing, AcceptsBlanksSignsAndEveryHexadecimalForm) {
    EXPECT_EQ(Parsed("  \t42"), 42);
    EXPECT_EQ(Parsed("-17"), -17);
    EXPECT_EQ(Parsed("+0017"), 17);
    EXPECT_EQ(Parsed("$1f"), 31);
    EXPECT_EQ(Parsed("0x1F"), 31);
    EXPECT_EQ(Parsed("0X10"), 16);
    EXPECT_EQ(Parsed("x10"), 16);
    EXPECT_EQ(Parsed("-$10"), -16);
    EXPECT_EQ(Parsed("$FFFFFFFF", 32), -1);
    EXPECT_EQ(Parsed("$FFFFFFFF", 64), 0xFFFFFFFF);
    EXPECT_EQ(Parsed("-2147483648", 32), -2147483647 - 1);
    EXPECT_EQ(Parsed("9223372036854775807"), std::numeric_limits<Int64>::max());
    EXPECT_EQ(Parsed("-9223372036854775808"), std::numeric_limits<Int64>::min());
}

TEST(IntegerParsing, ReportsThePositionOfTheFirstBadCharacter) {
    EXPECT_EQ(ErrorAt("12a"), 3);
    EXPECT_EQ(ErrorAt(" 12 "), 4);
    EXPECT_EQ(ErrorAt(""), 1);
    EXPECT_EQ(ErrorAt("-"), 2);
    EXPECT_EQ(ErrorAt("$"), 2);
    EXPECT_EQ(ErrorAt("0x"), 3);
    EXPECT_EQ(ErrorAt("$1G"), 3);
    EXPECT_EQ(ErrorAt("1.5"), 2);
    EXPECT_EQ(ErrorAt("--1"), 2);
    // Overflow is reported at the digit that no longer fits.
    EXPECT_EQ(ErrorAt("2147483648", 32), 10);
    EXPECT_EQ(ErrorAt("-2147483649", 32), 11);
    EXPECT_EQ(ErrorAt("$100000000", 32), 10);
    EXPECT_EQ(ErrorAt("9223372036854775808"), 19);
    EXPECT_THROW(ErrorAt("1", 65), ERangeError);
}

TEST(IntegerParsing, StrToIntFamilyUsesTheIntRange) {
    EXPECT_EQ(StrToInt(" -12"), -12);
    EXPECT_EQ(StrToInt("0x7FFFFFFF"), 2147483647);
    EXPECT_EQ(StrToIntDef("12a", 7), 7);
    EXPECT_EQ(StrToIntDef("$10", 7), 16);
    int value = 5;
    EXPECT_FALSE(TryStrToInt("3000000000", value));
    EXPECT_EQ(value, 5);
    EXPECT_EQ(StrToInt64("3000000000"), 3000000000LL);
    try {
        StrToInt("12a");
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'12a' is not a valid integer value");
    }
    EXPECT_THROW(StrToInt64(""), EConvertError);
}

TEST(FloatText, ReadsDecimalTextOnly) {
    EXPECT_EQ(StrToFloat(" 1.5 "), 1.5);
    EXPECT_EQ(StrToFloat("-.5"), -0.5);
    EXPECT_EQ(StrToFloat("+5."), 5.0);
    EXPECT_EQ(StrToFloat("2.5e-3"), 0.0025);
    EXPECT_EQ(StrToFloat("1E+2"), 100.0);
    EXPECT_EQ(StrToFloat("1e-400"), 0.0);
    EXPECT_EQ(StrToFloat("0.1"), 0.1);
    for (const char* bad : {"", ".", "1e", "1e+", "1,5", "$10", "inf", "nan", "1.5x", "1e400"}) {
        double value = 9;
        EXPECT_FALSE(TryStrToFloat(bad, value)) << bad;
        EXPECT_EQ(value, 9) << bad;
    }
    EXPECT_EQ(StrToFloatDef("x", 2.5), 2.5);
    try {
        StrToFloat("1,5");
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'1,5' is not a valid floating point value");
    }
}

TEST(FloatText, GeneralFormatKeepsFifteenDigitsAndSwitchesToScientific) {
    EXPECT_EQ(FloatToStr(0.5), "0.5");
    EXPECT_EQ(FloatToStr(-123.25), "-123.25");
    EXPECT_EQ(FloatToStr(0.1 + 0.2), "0.3");
    EXPECT_EQ(FloatToStr(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(FloatToStr(2.0 / 3), "0.666666666666667");
    EXPECT_EQ(FloatToStr(0.0), "0");
    EXPECT_EQ(FloatToStr(-0.0), "0");
    EXPECT_EQ(FloatToStr(100), "100");
    EXPECT_EQ(FloatToStr(123456789012345.0), "123456789012345");
    EXPECT_EQ(FloatToStr(1234567890123456.0), "1.23456789012346E15");
    EXPECT_EQ(FloatToStr(999999999999999.9), "1E15");
    EXPECT_EQ(FloatToStr(1e20), "1E20");
    EXPECT_EQ(FloatToStr(0.00001), "0.00001");
    EXPECT_EQ(FloatToStr(1.5e-7), "1.5E-7");
    EXPECT_EQ(FloatToStr(std::numeric_limits<double>::quiet_NaN()), "NAN");
    EXPECT_EQ(FloatToStr(-std::numeric_limits<double>::infinity()), "-INF");
}

TEST(Format, IntegersWithWidthsPrecisionAndJustification) {
    EXPECT_EQ(Format("%d:%i", 63, -5), "63:-5");
    EXPECT_EQ(Format("[%5d][%-5d]", 42, 42), "[   42][42   ]");
    EXPECT_EQ(Format("[%*d][%*d]", 4, 7, -4, 7), "[   7][7   ]");
    EXPECT_EQ(Format("%.3d|%.3d", 7, -7), "007|-007");
    EXPECT_EQ(Format("%2d", 12345), "12345");
    EXPECT_EQ(Format("%u", -1), "4294967295");
    EXPECT_EQ(Format("%d", 4000000000u), "4000000000");
    EXPECT_EQ(Format("%x %X %.4x", 255, 255, 0x3F), "FF FF 003F");
    EXPECT_EQ(Format("%x", Int64{-1}), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(Format("%d", Int64{1} << 40), "1099511627776");
    EXPECT_EQ(Format("%d%%", Byte{50}), "50%");
}

TEST(Format, TextsAndPointers) {
    EXPECT_EQ(Format("%s=%s", "key", AnsiString("value")), "key=value");
    EXPECT_EQ(Format("[%-6s][%6s][%.2s]", "ab", 'c', "xyz"), "[ab    ][     c][xy]");
    const char* none = nullptr;
    EXPECT_EQ(Format("<%s>", none), "<>");
    int object = 0;
    AnsiString pointer = Format("%p", static_cast<const void*>(&object));
    EXPECT_EQ(pointer.size(), 2 * sizeof(void*));
    EXPECT_EQ(StrToInt64("$" + pointer),
              static_cast<Int64>(reinterpret_cast<std::uintptr_t>(&object)));
}

TEST(Format, FloatsRoundExactHalvesAwayFromZero) {
    EXPECT_EQ(Format("%f", 3.14159), "3.14");
    EXPECT_EQ(Format("%.*f", 3, 2.0), "2.000");
    EXPECT_EQ(Format("%.2f|%.0f|%.1f", 0.125, 2.5, -0.25), "0.13|3|-0.3");
    // 1.005 is stored a little below the half, so it rounds down.
    EXPECT_EQ(Format("%.2f", 1.005), "1.00");
    EXPECT_EQ(Format("%.1f|%.0f", -0.04, 0.4), "0.0|0");
    EXPECT_EQ(Format("%.2f", 999.999), "1000.00");
    EXPECT_EQ(Format("%8.3f|%-8.1f|", -1.5, 1.25), "  -1.500|1.3     |");
    EXPECT_EQ(Format("%e", 1.5), "1.50000000000000E+000");
    EXPECT_EQ(Format("%.3e", -123456.0), "-1.23E+005");
    EXPECT_EQ(Format("%.2e", 9.999e-10), "1.0E-009");
    EXPECT_EQ(Format("%g|%g|%g", 0.5, 1e20, 1.0 / 3), "0.5|1E20|0.333333333333333");
    EXPECT_EQ(Format("%.3g|%.3g", 1234.5, 0.00012345), "1.23E3|0.000123");
    EXPECT_EQ(Format("%.20f", 0.1), "0.10000000000000000555");
}

TEST(Format, BadFormatsAndMismatchedArgumentsRaise) {
    auto expectFailure = [](const char* fmt, auto... args) {
        try {
            Format(fmt, args...);
            ADD_FAILURE() << "no exception for " << fmt;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), FormatMessageOf(fmt));
        }
    };
    expectFailure("%d", "text");
    expectFailure("%s", 5);
    expectFailure("%f", 5);
    expectFailure("%d", 1.5);
    expectFailure("%p", 5);
    expectFailure("%d %d", 5);
    expectFailure("100%", 5);
    expectFailure("%q", 5);
    expectFailure("%05d", 5);
    expectFailure("%*d", "x", 5);
    expectFailure("%99999999999d", 5);
    EXPECT_EQ(Format("%d", 1, 2, 3), "1");
    EXPECT_EQ(Format("plain"), "plain");
}

TEST(TextEdits, TrimAndCase) {
    AnsiString padded = "\t \x01 a b \r\n";
    EXPECT_EQ(Trim(padded), "a b");
    EXPECT_EQ(TrimLeft(padded), "a b \r\n");
    EXPECT_EQ(TrimRight(padded), "\t \x01 a b");
    EXPECT_EQ(Trim(" \xE9 "), "\xE9");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(UpperCase("abc-XYZ\xE9"), "ABC-XYZ\xE9");
    EXPECT_EQ(LowerCase("ABC-xyz\xC9"), "abc-xyz\xC9");
    if (GetACP() == 1252) {
        EXPECT_EQ(AnsiUpperCase("abc\xE9"), "ABC\xC9");
        EXPECT_EQ(AnsiLowerCase("ABC\xC9"), "abc\xE9");
    }
}

TEST(TextEdits, Comparisons) {
    EXPECT_EQ(CompareText("Hello", "hELLO"), 0);
    EXPECT_LT(CompareText("abc", "ABD"), 0);
    EXPECT_GT(CompareText("abcd", "ABC"), 0);
    EXPECT_LT(CompareText("", "a"), 0);
    EXPECT_TRUE(SameText("Page", "PAGE"));
    EXPECT_FALSE(SameText("Page", "Pages"));
    EXPECT_EQ(AnsiCompareText("drives", "DRIVES"), 0);
    EXPECT_LT(AnsiCompareText("apple", "Banana"), 0);
    EXPECT_NE(AnsiCompareStr("a", "A"), 0);
    EXPECT_EQ(AnsiCompareStr("same", "same"), 0);
}

TEST(TextEdits, OneBasedSubstringsTolerateOutOfRangeArguments) {
    EXPECT_EQ(Pos("b", "abcb"), 2);
    EXPECT_EQ(Pos("x", "abc"), 0);
    EXPECT_EQ(Pos("", "abc"), 0);
    EXPECT_EQ(Copy("abcdef", 2, 3), "bcd");
    EXPECT_EQ(Copy("abcdef", 0, 2), "ab");
    EXPECT_EQ(Copy("abcdef", -5, 2), "ab");
    EXPECT_EQ(Copy("abcdef", 5, 100), "ef");
    EXPECT_EQ(Copy("abcdef", 7, 1), "");
    EXPECT_EQ(Copy("abcdef", 2, -1), "");

    AnsiString s = "abcdef";
    Delete(s, 2, 2);
    EXPECT_EQ(s, "adef");
    Delete(s, 3, 100);
    EXPECT_EQ(s, "ad");
    Delete(s, 0, 1);
    Delete(s, 3, 1);
    Delete(s, 1, 0);
    EXPECT_EQ(s, "ad");

    Insert("XY", s, 2);
    EXPECT_EQ(s, "aXYd");
    Insert("<", s, -3);
    Insert(">", s, 100);
    EXPECT_EQ(s, "<aXYd>");

    EXPECT_EQ(StringOfChar('-', 3), "---");
    EXPECT_EQ(StringOfChar('-', -1), "");
    EXPECT_EQ(QuotedStr("it's"), "'it''s'");
    EXPECT_EQ(QuotedStr(""), "''");
}

TEST(TextEdits, StringReplaceHonoursItsFlags) {
    EXPECT_EQ(StringReplace("a-b-c", "-", "+", {}), "a+b-c");
    EXPECT_EQ(StringReplace("a-b-c", "-", "+", {rfReplaceAll}), "a+b+c");
    EXPECT_EQ(StringReplace("Ab ab AB", "ab", "x", {rfReplaceAll}), "Ab x AB");
    EXPECT_EQ(StringReplace("Ab ab AB", "ab", "x", {rfReplaceAll, rfIgnoreCase}), "x x x");
    EXPECT_EQ(StringReplace("aaa", "a", "aa", {rfReplaceAll}), "aaaaaa");
    EXPECT_EQ(StringReplace("abc", "", "x", {rfReplaceAll}), "abc");
}

TEST(FormatFloat, DigitsGroupsDecimalsAndSections) {
    EXPECT_EQ(FormatFloat("###,###,##0", 1234567), "1,234,567");
    EXPECT_EQ(FormatFloat("###,###,##0", 5e12), "5,000,000,000,000");
    EXPECT_EQ(FormatFloat("###,###,##0", 0), "0");
    EXPECT_EQ(FormatFloat("###,###,##0", 999.5), "1,000");
    EXPECT_EQ(FormatFloat("###,###,##0", -1234), "-1,234");
    EXPECT_EQ(FormatFloat("0.00", 3.14159), "3.14");
    EXPECT_EQ(FormatFloat("000.0#", 1.5), "001.5");
    EXPECT_EQ(FormatFloat("0.0#", 1.456), "1.46");
    EXPECT_EQ(FormatFloat("#.##", 0.5), ".5");
    EXPECT_EQ(FormatFloat("0", -0.2), "0");
    EXPECT_EQ(FormatFloat("'$'0.00 \"each\"", -2.5), "-$2.50 each");
    EXPECT_EQ(FormatFloat("0;(0);'zero'", -5), "(5)");
    EXPECT_EQ(FormatFloat("0;(0);'zero'", 0.2), "zero");
    EXPECT_EQ(FormatFloat("0;(0);'zero'", 7), "7");
    EXPECT_EQ(FormatFloat("", 0.25), "0.25");
}

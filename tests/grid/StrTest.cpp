// Zero-terminated string routines.
#include "grid/gclstr.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(GclStr, DigitConversions) {
    char buf[40];
    EXPECT_STREQ(BinaryBPChar(buf, 5), "00000101");
    EXPECT_STREQ(BinaryWPChar(buf, 0x8001), "1000000000000001");
    EXPECT_STREQ(BinaryLPChar(buf, 0x80000001u), "10000000000000000000000000000001");
    EXPECT_STREQ(HexBPChar(buf, 0xA5), "A5");
    EXPECT_STREQ(HexWPChar(buf, 0x3e), "003E");
    EXPECT_STREQ(HexLPChar(buf, 0xDEADBEEFu), "DEADBEEF");
    EXPECT_STREQ(HexPtrPChar(buf, reinterpret_cast<void*>(std::uintptr_t(0x0012ABCD))), "0012:ABCD");
    EXPECT_STREQ(OctalLPChar(buf, 8), "000000000010");
    EXPECT_STREQ(OctalLPChar(buf, 0), "000000000000");
    EXPECT_STREQ(OctalLPChar(buf, 0xFFFFFFFFu), "037777777777");
}

TEST(GclStr, CopiesCaseAndTabs) {
    char buf[64];
    EXPECT_EQ(UpCaseChar('a'), 'A');
    EXPECT_EQ(LoCaseChar('Q'), 'q');
    EXPECT_EQ(UpCaseChar('1'), '1');
    EXPECT_STREQ(CharStrPChar(buf, '*', 3), "***");
    EXPECT_STREQ(StrStCopy(buf, "abcdef", 2, 3), "cde");
    EXPECT_STREQ(StrStCopy(buf, "abcdef", 4, 10), "ef");
    EXPECT_STREQ(StrStCopy(buf, "abcdef", 6, 1), "");
    EXPECT_STREQ(TrimTrailPChar(buf, "ab \t\r\n"), "ab");
    EXPECT_STREQ(DetabPChar(buf, sizeof buf, "a\tb", 4), "a   b");
    EXPECT_STREQ(DetabPChar(buf, sizeof buf, "abcd\tb", 4), "abcd    b");
    EXPECT_STREQ(DetabPChar(buf, sizeof buf, "a\tb", 0), "");
    EXPECT_STREQ(DetabPChar(buf, 4, "a\tb", 8), "a  "); // cut to the buffer
}

TEST(GclStr, Searches) {
    Cardinal pos = 99;
    EXPECT_TRUE(StrChPos("abc", 'c', pos));
    EXPECT_EQ(pos, 2u);
    pos = 99;
    EXPECT_FALSE(StrChPos("abc", '\0', pos));
    EXPECT_FALSE(StrChPos("", 'a', pos));
    EXPECT_EQ(pos, 99u);
    EXPECT_TRUE(StrStPos("abcabc", "ca", pos));
    EXPECT_EQ(pos, 2u);
    EXPECT_FALSE(StrStPos("abc", "", pos));
    EXPECT_FALSE(StrStPos("ab", "abc", pos));
}

TEST(GclStr, BoyerMoore) {
    TBTable table;
    Cardinal pos = 0;
    BMMakeTable("abc", table);
    EXPECT_EQ(table['a'], 2);
    EXPECT_EQ(table['b'], 1);
    EXPECT_EQ(table['c'], 3);
    EXPECT_EQ(table['z'], 3);
    EXPECT_TRUE(BMSearch("xxabcx", 6, table, "abc", pos));
    EXPECT_EQ(pos, 2u);
    const char zeros[] = {'\0', 'a', '\0', 'a', 'b', 'c'};
    EXPECT_TRUE(BMSearch(zeros, 6, table, "abc", pos));
    EXPECT_EQ(pos, 3u);
    EXPECT_FALSE(BMSearch("xxabcx", 4, table, "abc", pos));
    BMMakeTable("q", table);
    EXPECT_FALSE(BMSearch("xxabcx", 6, table, "q", pos));
    BMMakeTable("ABC", table);
    EXPECT_TRUE(BMSearchUC("xxAbcx", 6, table, "ABC", pos));
    EXPECT_EQ(pos, 2u);
    EXPECT_FALSE(BMSearch("xxAbcx", 6, table, "ABC", pos));
    BMMakeTable("B", table);
    EXPECT_TRUE(BMSearchUC("aab", 3, table, "B", pos));
    EXPECT_EQ(pos, 2u);
    const std::string longPattern(256, 'a'), longBuffer(600, 'a');
    BMMakeTable(longPattern.c_str(), table);
    EXPECT_FALSE(BMSearch(longBuffer.data(), 600, table, longPattern.c_str(), pos));
    EXPECT_FALSE(BMSearchUC(longBuffer.data(), 600, table, longPattern.c_str(), pos));
    const std::string pattern255(255, 'a');
    BMMakeTable(pattern255.c_str(), table);
    EXPECT_TRUE(BMSearch(longBuffer.data(), 600, table, pattern255.c_str(), pos));
    EXPECT_EQ(pos, 0u);
}

TEST(GclStr, InsertAndDeleteInPlace) {
    char buf[16] = "abc";
    EXPECT_STREQ(StrChInsertPrim(buf, sizeof buf, 'X', 1), "aXbc");
    std::strcpy(buf, "abc");
    EXPECT_STREQ(StrChInsertPrim(buf, sizeof buf, 'X', 9), "abcX");
    EXPECT_STREQ(StrChInsertPrim(buf, 5, 'Y', 0), "abcX"); // no room: unchanged
    EXPECT_STREQ(StrChDeletePrim(buf, 1), "acX");
    EXPECT_STREQ(StrChDeletePrim(buf, 7), "acX");
    EXPECT_STREQ(StrStInsertPrim(buf, sizeof buf, "12", 1), "a12cX");
    EXPECT_STREQ(StrStInsertPrim(buf, sizeof buf, "", 1), "a12cX");
    EXPECT_STREQ(StrStInsertPrim(buf, 8, "ZZZ", 0), "a12cX");
    EXPECT_STREQ(StrStInsert(buf, sizeof buf, "hello", "--", 50), "hello--");
    EXPECT_STREQ(StrInsertChars(buf, sizeof buf, '.', 0, 3), "...hello--");
    EXPECT_STREQ(StrInsertChars(buf, sizeof buf, '.', 0, 1025), "...hello--");
    std::strcpy(buf, "abcdef");
    EXPECT_STREQ(StrStDeletePrim(buf, 2, 2), "abef");
    std::strcpy(buf, "abcdef");
    EXPECT_STREQ(StrStDeletePrim(buf, 4, 10), "abcd");
    EXPECT_STREQ(StrStDeletePrim(buf, 9, 1), "abcd");
}

TEST(GclStr, Trimming) {
    char buf[32];
    EXPECT_STREQ(TrimTrailPrimPChar(std::strcpy(buf, "ab\t ")), "ab");
    EXPECT_STREQ(TrimTrailPrimPChar(std::strcpy(buf, "   ")), "");
    EXPECT_STREQ(TrimAllSpacesPChar(std::strcpy(buf, "  a b \t ")), "a b \t");
    EXPECT_STREQ(TrimTrailingZerosPChar(std::strcpy(buf, "12.500")), "12.5");
    EXPECT_STREQ(TrimTrailingZerosPChar(std::strcpy(buf, " 3.000 ")), "3.000");
    EXPECT_STREQ(TrimTrailingZerosPChar(std::strcpy(buf, " 3.000")), "3");
    EXPECT_STREQ(TrimTrailingZerosPChar(std::strcpy(buf, "100")), "100");
    EXPECT_STREQ(TrimTrailingZerosPChar(std::strcpy(buf, "")), "");
    EXPECT_EQ(TrimTrailingZeros("12.500"), "12.5");
    EXPECT_EQ(TrimTrailingZeros("100"), "100");
    EXPECT_EQ(TrimTrailingZeros(" 0.0"), "0");
    EXPECT_EQ(TrimTrailingZeros(""), "");
    EXPECT_STREQ(TrimEmbeddedZerosPChar(std::strcpy(buf, "1.500000E+002")), "1.5E+2");
    EXPECT_STREQ(TrimEmbeddedZerosPChar(std::strcpy(buf, "3.0E-000")), "3");
    EXPECT_STREQ(TrimEmbeddedZerosPChar(std::strcpy(buf, "1.0E+5")), "1E+5");
    EXPECT_STREQ(TrimEmbeddedZerosPChar(std::strcpy(buf, "1.5")), "1.5");
    EXPECT_EQ(TrimEmbeddedZeros("1.2500000E+0005"), "1.25E+5");
    EXPECT_EQ(TrimEmbeddedZeros("2.5E+000"), "2.5");
}

TEST(GclStr, TextToInteger) {
    int i = 0;
    EXPECT_TRUE(StrToLongPChar("0x10", i));
    EXPECT_EQ(i, 16);
    EXPECT_TRUE(StrToLongPChar(" -42  ", i));
    EXPECT_EQ(i, -42);
    EXPECT_TRUE(StrToLongPChar("$FF", i));
    EXPECT_EQ(i, 255);
    EXPECT_FALSE(StrToLongPChar("12a", i));
    EXPECT_EQ(i, 2);
    EXPECT_FALSE(StrToLongPChar("", i));
    EXPECT_EQ(i, 0);
    EXPECT_FALSE(StrToLongPChar(std::string(300, '1').c_str(), i));
    EXPECT_EQ(i, -1);
}

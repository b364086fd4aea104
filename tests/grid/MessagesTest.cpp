// The message table, GetGclStr, the exception texts and the alphabetic set.
#include "grid/Gcl32sr.h"
#include "grid/gcldata.h"
#include "grid/gclexcpt.h"

#include <gtest/gtest.h>
#include "classlib/Platform.h"

#include <fstream>
#include <map>
#include <regex>
#include <string>

namespace {

// The readable message file, read independently of the generator.
std::map<int, std::string> MessageFile() {
    std::ifstream in(std::string("Z:") + VANTOREL_GRID_MESSAGES, std::ios::binary);
    std::map<int, std::string> messages;
    std::string line;
    const std::regex form(R"re(^(\d+) (\w+) "(.*)"$)re");
    while (std::getline(in, line)) {
        std::smatch m;
        if (std::regex_match(line, m, form)) messages[std::stoi(m[1])] = m[3];
    }
    return messages;
}

} // namespace

TEST(MessageTable, EveryNumberOfTheFileYieldsItsExactText) {
    const auto messages = MessageFile();
    ASSERT_EQ(messages.size(), 375u);
    ASSERT_EQ(SrMsgNumCount(), 375);
    int position = 0;
    for (const auto& [number, text] : messages) {
        EXPECT_EQ(SrMsgNumEntry(position++).MsgNum, number);
        EXPECT_EQ(ResourceStrByNumber(static_cast<Word>(number)), text) << number;
    }
}

TEST(MessageTable, RunBoundariesAndGaps) {
    const int runs[][2] = {{30168, 30228}, {30232, 30239}, {30241, 30266}, {30268, 30283},
                           {30285, 30337}, {30368, 30385}, {30387, 30395}, {30400, 30403},
                           {30500, 30521}, {33768, 33843}, {34068, 34083}, {34468, 34491},
                           {34493, 34510}, {34518, 34541}};
    int previousEnd = 0;
    for (const auto& run : runs) {
        EXPECT_FALSE(ResourceStrByNumber(static_cast<Word>(run[0])).empty()) << run[0];
        EXPECT_FALSE(ResourceStrByNumber(static_cast<Word>(run[1])).empty()) << run[1];
        EXPECT_EQ(GetGclStr(static_cast<Word>(run[0] - 1)), "Unknown") << run[0] - 1;
        EXPECT_EQ(GetGclStr(static_cast<Word>(run[1] + 1)), "Unknown") << run[1] + 1;
        EXPECT_GT(run[0], previousEnd + 1);
        previousEnd = run[1];
    }
    for (int number : {0, 1, 29999, 30230, 30240, 30267, 30284, 34542, 65535})
        EXPECT_EQ(ResourceStrByNumber(static_cast<Word>(number)), "") << number;
}

TEST(MessageTable, TextsKeepBlanksMisspellingsAndPlaceholders) {
    EXPECT_EQ(GetGclStr(30168), "Unknown Error condition");
    EXPECT_EQ(GetGclStr(30219), "Index is out of bounds for sparse array");
    EXPECT_EQ(GetGclStr(30285), " - Desc");
    EXPECT_EQ(GetGclStr(30215), "Invalid font assignemnt. Font must be a TFont or TGclFixedFont");
    EXPECT_EQ(GetGclStr(30270), "ccUser%d");
    EXPECT_EQ(GetGclStr(30288), "Cu&t");
    EXPECT_EQ(GetGclStr(34477), "#  0-9, -, .");
    EXPECT_EQ(GetGclStr(34507), "OOOOOOOO            Octal (45135677) Allows entry of 0 through 7 ");
    EXPECT_EQ(GetGclStr(34507).size(), 65u);
    EXPECT_EQ(GetGclStr(33768 + 46), "ccLeft");
    EXPECT_EQ(GetGclStr(34068 + 15), "Time");
    for (int number = 34493; number <= 34541; ++number) {
        const AnsiString text = ResourceStrByNumber(static_cast<Word>(number));
        if (text.empty()) continue;
        EXPECT_TRUE(text[19] == ' ' && text[20] != ' ') << number;
    }
}

TEST(MessageTable, TextsLiveBetweenTheFirstStartAndTheLastShutDown) {
    Gcl32srInitialize(); // a nested start: loads nothing again
    Gcl32srFinalize();
    EXPECT_EQ(GetGclStr(30168), "Unknown Error condition");
    Gcl32srFinalize(); // the program's own start ends here
    EXPECT_EQ(GetGclStr(30168), "Unknown");
    EXPECT_EQ(ResourceStrByNumber(34541), "");
    Gcl32srInitialize();
    EXPECT_EQ(GetGclStr(30168), "Unknown Error condition");
}

TEST(Exceptions, ClassesCarryTheirTexts) {
    EXPECT_STREQ(ENoTimersAvailable().what(), "No Window's timers are available");
    EXPECT_STREQ(EInvalidTriggerHandle().what(), "Invalid trigger handle");
    EXPECT_STREQ(EInvalidPictureMask("99-x").what(), "Invalid picture mask: 99-x");
    EInvalidLineOrCol lineOrCol;
    EXPECT_EQ(lineOrCol.ErrorCode(), 0);
    EXPECT_STREQ(lineOrCol.what(), "Invalid line or column");
    EXPECT_NE(dynamic_cast<EEditorError*>(&lineOrCol), nullptr);
    EInvalidTriggerHandle handle;
    EXPECT_NE(dynamic_cast<EGclException*>(static_cast<ETimerPoolError*>(&handle)), nullptr);
    EXPECT_STREQ(handle.ClassName(), "EInvalidTriggerHandle");
    EXPECT_STREQ(EReportViewError(30389, {TFormatArg(7)}).what(), "Item at line 7 is not a group");
    EXPECT_STREQ(EUnknownView(30388).what(), "No active view");
}

TEST(Exceptions, RangeTextFollowsTheDataType) {
    EXPECT_STREQ(EInvalidRangeValue(4).what(),
                 "Invalid range. Enter a value between (-2147483648) and (2147483647)");
    EXPECT_STREQ(EInvalidRangeValue(5).what(), "Invalid range. Enter a value between (0) and (65535)");
    EXPECT_STREQ(EInvalidRangeValue(7).what(), "Invalid range. Enter a value between (0) and (255)");
    EXPECT_STREQ(EInvalidRangeValue(8).what(), "Invalid range. Enter a value between (-128) and (127)");
    EXPECT_STREQ(EInvalidRangeValue(10).what(),
                 "Invalid range. Enter a value between (-1.1e+4932) and (+1.1e+4932)");
    EXPECT_STREQ(EInvalidRangeValue(13).what(),
                 "Invalid range. Enter a value between (-9.2e+18) and (+9.2e+18)");
    EXPECT_STREQ(EInvalidRangeValue(0).what(), "Invalid range value");
    EXPECT_STREQ(EInvalidRangeValue(16).what(), "Invalid range value");
    SetRangePictures([] { return AnsiString("mm/dd/yy"); }, [] { return AnsiString("hh:mm:ss"); });
    EXPECT_STREQ(EInvalidRangeValue(14).what(),
                 "Invalid date range. Enter a value using 'mm/dd/yy' as the format");
    EXPECT_STREQ(EInvalidRangeValue(15).what(),
                 "Invalid time range. Enter a value using 'hh:mm:ss' as the format");
    SetRangePictures(nullptr, nullptr);
}

TEST(AlphaCharSet, AsciiLettersPunctuationAndSystemLetters) {
    const TGclCharSet& set = GclAlphaCharSet();
    for (unsigned char c : {' ', ',', '-', '.', 'A', 'Z', 'a', 'z'})
        EXPECT_TRUE(set.test(c)) << c;
    for (unsigned char c : {'0', '9', '/', '@', '[', '`', '{', '\0'})
        EXPECT_FALSE(set.test(c)) << int(c);
    EXPECT_TRUE(set.test(0xC9)); // a letter of the ANSI code page
    EXPECT_FALSE(set.test(0xD7)); // the multiplication sign is none
}

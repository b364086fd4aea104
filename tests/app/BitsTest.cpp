// Page bytes: the bit operations, what a byte lights under each LED type, and the
// page list with the texts of the page table.
#include "app/Bits.h"
#include "app/LedPattern.h"
#include "app/PageList.h"

#include "classlib/Exceptions.h"

#include <gtest/gtest.h>

namespace {

TEST(Bits, SetClearAndTestSingleBits) {
    Byte value = 0;
    Bits::SetBit(value, 0);
    Bits::SetBit(value, 7);
    EXPECT_EQ(value, 0x81);
    EXPECT_TRUE(Bits::TestBit(value, 7));
    EXPECT_FALSE(Bits::TestBit(value, 6));
    Bits::ClearBit(value, 0);
    EXPECT_EQ(value, 0x80);
}

TEST(Bits, NumbersOutsideTheByteChangeNothingAndTestFalse) {
    for (int bit : {8, 31, 32, 33, -1}) {
        Byte value = 0x0F;
        Bits::SetBit(value, bit);
        EXPECT_EQ(value, 0x0F) << bit;
        Bits::ClearBit(value, bit);
        EXPECT_EQ(value, 0x0F) << bit;
        EXPECT_FALSE(Bits::TestBit(value, bit)) << bit;
    }
}

TEST(Bits, BinaryTextHasBitSevenFirst) {
    EXPECT_EQ(Bits::ToBinaryString(0xA5), "10100101");
    EXPECT_EQ(Bits::ToBinaryString(0), "00000000");
    EXPECT_EQ(Bits::ToBinaryString(0x80), "10000000");
    EXPECT_EQ(Bits::BitToStr(1), "1");
    EXPECT_EQ(Bits::BitToStr(0x1FF), "255");
}

TEST(LedPattern, AllSegmentsOffIsAllPinsHighOnCommonAnode) {
    TSegmentStates off{};
    EXPECT_EQ(PatternFromSegments(off, false), 0xFF);
    EXPECT_EQ(PatternFromSegments(off, true), 0x00);
}

TEST(LedPattern, ASegmentIsLitByALowPinOnAnodeAndAHighPinOnCathode) {
    EXPECT_TRUE(SegmentLit(0, 0xFE, false));
    EXPECT_FALSE(SegmentLit(1, 0xFE, false));
    EXPECT_TRUE(SegmentLit(0, 0x01, true));
    EXPECT_FALSE(SegmentLit(0, 0xFE, true));
    // The digit 0 on common cathode: a to f lit, g and the point dark.
    TSegmentStates zero = LitSegments(0x3F, true);
    EXPECT_EQ(zero, (TSegmentStates{true, true, true, true, true, true, false, false}));
}

TEST(LedPattern, SegmentsAndPatternConvertBothWays) {
    for (int value = 0; value < 256; ++value)
        for (bool cathode : {false, true})
            EXPECT_EQ(PatternFromSegments(LitSegments(static_cast<Byte>(value), cathode), cathode),
                      value);
}

TEST(LedPattern, InvertingKeepsThePictureAcrossTheTypes) {
    EXPECT_EQ(InvertByte(0x3F), 0xC0);
    EXPECT_EQ(LitSegments(InvertByte(0x3F), false), LitSegments(0x3F, true));
}

TEST(PageList, AddReplaceDeleteAndReadBack) {
    TPageList pages;
    pages.Add(1);
    pages.Add(2);
    pages.Add(3);
    EXPECT_TRUE(pages.Replace(1, 20));
    EXPECT_TRUE(pages.Delete(0));
    EXPECT_EQ(pages.GetBytes(), (std::vector<Byte>{20, 3}));
    EXPECT_EQ(pages.Get(1), 3);
}

TEST(PageList, IndexesThatNameNoPageChangeNothing) {
    TPageList pages;
    EXPECT_FALSE(pages.Replace(0, 1));
    EXPECT_FALSE(pages.Delete(0));
    EXPECT_FALSE(pages.Move(0, true));
    pages.Add(7);
    EXPECT_FALSE(pages.Delete(-1));
    EXPECT_FALSE(pages.Replace(1, 1));
    EXPECT_THROW(pages.Get(1), EListError);
    EXPECT_EQ(pages.GetBytes(), (std::vector<Byte>{7}));
}

TEST(PageList, MovingSwapsWithTheNeighbourButNotPastTheEnds) {
    TPageList pages;
    pages.Assign({1, 2, 3});
    EXPECT_FALSE(pages.Move(0, false));
    EXPECT_FALSE(pages.Move(2, true));
    EXPECT_TRUE(pages.Move(0, true));
    EXPECT_EQ(pages.GetBytes(), (std::vector<Byte>{2, 1, 3}));
    EXPECT_TRUE(pages.Move(2, false));
    EXPECT_EQ(pages.GetBytes(), (std::vector<Byte>{2, 3, 1}));
}

TEST(PageList, ConvertingTwiceRestoresEveryPage) {
    TPageList pages;
    pages.Assign({0x3F, 0x06, 0x00});
    pages.InvertAll();
    EXPECT_EQ(pages.GetBytes(), (std::vector<Byte>{0xC0, 0xF9, 0xFF}));
    pages.InvertAll();
    EXPECT_EQ(pages.GetBytes(), (std::vector<Byte>{0x3F, 0x06, 0x00}));
}

TEST(PageList, ManyPagesCountPastSixteenBits) {
    TPageList pages;
    for (int i = 0; i < 40000; ++i)
        pages.Add(static_cast<Byte>(i));
    EXPECT_EQ(pages.GetCount(), 40000);
    EXPECT_EQ(pages.Get(39999), static_cast<Byte>(39999));
    EXPECT_TRUE(pages.Move(39998, true));
}

TEST(PageList, AddingPastTheMostPagesIsRefused) {
    TPageList pages;
    pages.Assign(std::vector<Byte>(kMostPages - 1, 5));
    pages.Add(6);
    EXPECT_THROW(pages.Add(7), EListError);
    EXPECT_EQ(pages.GetCount(), kMostPages);
    EXPECT_EQ(pages.Get(kMostPages - 1), 6);
}

TEST(PageTable, ShowsAtLeastOneRow) {
    EXPECT_EQ(PageTableRows(0), 1);
    EXPECT_EQ(PageTableRows(1), 1);
    EXPECT_EQ(PageTableRows(2), 2);
}

TEST(PageTable, ValueColumnsShowDecimalHexAndBits) {
    EXPECT_EQ(PageCellText(0x3F, 1), "63");
    EXPECT_EQ(PageCellText(0x3F, 2), "$3F");
    EXPECT_EQ(PageCellText(0x06, 2), "$06");
    EXPECT_EQ(PageCellText(0x3F, 3), "%00111111");
    EXPECT_EQ(PageCellText(0x3F, 0), "");
    EXPECT_EQ(PageCellText(0x3F, 4), "");
}

} // namespace

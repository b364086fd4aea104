// Page files and the SXBasic export: their exact content, round trips, and bad input.
#include "app/PageFile.h"
#include "app/PageList.h"
#include "app/SxbExport.h"
#include "tests/support/TempFolder.h"

#include "classlib/Exceptions.h"
#include "classlib/Paths.h"
#include "classlib/Platform.h"
#include "classlib/StringList.h"

#include <gtest/gtest.h>

namespace {

class PageFile : public testing::Test {
protected:
    TTempFolder Folder;
};

TEST_F(PageFile, WritesTypeThenPagesInDecimal) {
    WritePageFile(Folder.PathOf("two.pge"), {false, {0xC0, 0xF9}});
    EXPECT_EQ(Folder.Get("two.pge"), "[Type]\r\nCommonType=0\r\n[Page]\r\n0=192\r\n1=249\r\n");
}

TEST_F(PageFile, AnEmptyListWritesTheTypeOnly) {
    WritePageFile(Folder.PathOf("empty.pge"), {true, {}});
    EXPECT_EQ(Folder.Get("empty.pge"), "[Type]\r\nCommonType=1\r\n");
}

TEST_F(PageFile, RoundTripKeepsTypeAndEveryPage) {
    TPageFileContent written{true, {}};
    for (int i = 0; i < 256; ++i)
        written.Pages.push_back(static_cast<Byte>(i));
    WritePageFile(Folder.PathOf("all.pge"), written);
    TPageFileContent read = ReadPageFile(Folder.PathOf("all.pge"));
    EXPECT_TRUE(read.CommonCathode);
    EXPECT_EQ(read.Pages, written.Pages);
}

TEST_F(PageFile, SavingOverAFileReplacesOnlyItsPagesAndType) {
    Folder.Put("old.pge", "[Notes]\r\nAuthor=me\r\n[Page]\r\n0=1\r\n1=2\r\n2=3\r\n[Type]\r\n"
                          "CommonType=1\r\n");
    WritePageFile(Folder.PathOf("old.pge"), {false, {9}});
    EXPECT_EQ(Folder.Get("old.pge"),
              "[Notes]\r\nAuthor=me\r\n[Type]\r\nCommonType=0\r\n[Page]\r\n0=9\r\n");
}

TEST_F(PageFile, PagesAreReadByPositionUpToTheCountOfEntries) {
    Folder.Put("gaps.pge", "[Page]\r\n0=1\r\n1=2\r\n5=7\r\n");
    TPageFileContent read = ReadPageFile(Folder.PathOf("gaps.pge"));
    EXPECT_FALSE(read.CommonCathode);
    EXPECT_EQ(read.Pages, (std::vector<Byte>{1, 2, 0}));
    Folder.Put("order.pge", "[Page]\r\n2=7\r\n0=1\r\n1=2\r\n");
    EXPECT_EQ(ReadPageFile(Folder.PathOf("order.pge")).Pages, (std::vector<Byte>{1, 2, 7}));
}

TEST_F(PageFile, AKeyOutOfOrderAfterOrderedOnesStillReadsEveryPageByPosition) {
    Folder.Put("late.pge", "[Page]\r\n0=1\r\n1=2\r\n3=4\r\n2=3\r\n");
    EXPECT_EQ(ReadPageFile(Folder.PathOf("late.pge")).Pages, (std::vector<Byte>{1, 2, 3, 4}));
    Folder.Put("leading.pge", "[Page]\r\n0=007\r\n1=0255\r\n2=+5\r\n");
    EXPECT_EQ(ReadPageFile(Folder.PathOf("leading.pge")).Pages, (std::vector<Byte>{7, 255, 5}));
}

// Many text editors write a UTF-8 byte-order mark before the first section.
TEST_F(PageFile, AByteOrderMarkBeforeTheFirstSectionIsSkipped) {
    Folder.Put("marked.pge", "\xEF\xBB\xBF[Type]\r\nCommonType=1\r\n[Page]\r\n0=6\r\n1=91\r\n");
    TPageFileContent read = ReadPageFile(Folder.PathOf("marked.pge"));
    EXPECT_TRUE(read.CommonCathode);
    EXPECT_EQ(read.Pages, (std::vector<Byte>{6, 91}));
    Folder.Put("pages.pge", "\xEF\xBB\xBF[Page]\r\n0=6\r\n[Type]\r\nCommonType=1\r\n");
    EXPECT_EQ(ReadPageFile(Folder.PathOf("pages.pge")).Pages, std::vector<Byte>{6});
    // Saved over, the file keeps its other sections and reads the same.
    Folder.Put("notes.pge", "\xEF\xBB\xBF[Notes]\r\nAuthor=me\r\n[Page]\r\n0=1\r\n");
    WritePageFile(Folder.PathOf("notes.pge"), {false, {9}});
    EXPECT_EQ(Folder.Get("notes.pge"), "[Notes]\r\nAuthor=me\r\n[Type]\r\nCommonType=0\r\n[Page]\r\n0=9\r\n");
}

TEST_F(PageFile, AnyNonZeroTypeIsCommonCathode) {
    Folder.Put("type.pge", "[Type]\r\nCommonType=2\r\n");
    TPageFileContent read = ReadPageFile(Folder.PathOf("type.pge"));
    EXPECT_TRUE(read.CommonCathode);
    EXPECT_TRUE(read.Pages.empty());
}

void ExpectRejected(const TTempFolder& Folder, const AnsiString& Text, const AnsiString& Words) {
    Folder.Put("bad.pge", Text);
    try {
        ReadPageFile(Folder.PathOf("bad.pge"));
        ADD_FAILURE() << "read: " << Text;
    } catch (const EPageFileError& e) {
        EXPECT_NE(e.Message().find(Words), AnsiString::npos) << e.Message();
        EXPECT_NE(e.Message().find("bad.pge"), AnsiString::npos) << e.Message();
    }
}

TEST_F(PageFile, ValuesOutsideAByteAreReportedNotCut) {
    ExpectRejected(Folder, "[Page]\r\n0=300\r\n", "\"300\"");
    ExpectRejected(Folder, "[Page]\r\n0=-1\r\n", "\"-1\"");
    ExpectRejected(Folder, "[Page]\r\n0=abc\r\n", "\"abc\"");
}

TEST_F(PageFile, BadKeysAndTypesAreReported) {
    ExpectRejected(Folder, "[Page]\r\nfirst=1\r\n", "\"first\"");
    ExpectRejected(Folder, "[Page]\r\n1=1\r\n01=2\r\n", "more than once");
    ExpectRejected(Folder, "[Page]\r\n0=1\r\n1=2\r\n1=3\r\n", "page 1 is stored more than once");
    ExpectRejected(Folder, "[Page]\r\n0=1\r\n99999999999=2\r\n", "\"99999999999\"");
    ExpectRejected(Folder, "[Type]\r\nCommonType=yes\r\n", "\"yes\"");
    // The type is reported first, wherever it stands.
    ExpectRejected(Folder, "[Page]\r\n0=abc\r\n[Type]\r\nCommonType=yes\r\n", "\"yes\"");
}

TEST_F(PageFile, NamesAreCaseBlindAndTheFirstOfEachCounts) {
    Folder.Put("twice.pge", "0=3\r\n[page]\r\n0=5\r\n[TYPE]\r\n commontype = 1\r\n"
                            "CommonType=0\r\n[Page]\r\n0=9\r\n1=x\r\n[Type]\r\nCommonType=0\r\n");
    TPageFileContent read = ReadPageFile(Folder.PathOf("twice.pge"));
    EXPECT_TRUE(read.CommonCathode);
    EXPECT_EQ(read.Pages, std::vector<Byte>{5});
}

TEST_F(PageFile, AFileOfMorePagesThanAListHoldsIsRefused) {
    AnsiString text = "[Page]\r\n";
    for (int i = 0; i < kMostPages; ++i) text += std::to_string(i) + "=" + std::to_string(i % 256) + "\r\n";
    Folder.Put("most.pge", text);
    EXPECT_EQ(ReadPageFile(Folder.PathOf("most.pge")).Pages.size(), static_cast<std::size_t>(kMostPages));
    ExpectRejected(Folder, text + std::to_string(kMostPages) + "=1\r\n", "more than 99999 pages");
}

TEST_F(PageFile, GarbageTruncatedAndEmptyFilesAreNotPageFiles) {
    ExpectRejected(Folder, AnsiString("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), "not a page file");
    ExpectRejected(Folder, "[Pa", "not a page file");
    ExpectRejected(Folder, "", "not a page file");
}

TEST_F(PageFile, AMissingFileCannotBeOpened) {
    EXPECT_THROW(ReadPageFile(Folder.PathOf("missing.pge")), EFOpenError);
}

TEST_F(PageFile, AFailedWriteRaisesAndLeavesNoFile) {
    AnsiString target = Folder.PathOf("no-such-folder\\pages.pge");
    try {
        WritePageFile(target, {false, {1}});
        ADD_FAILURE() << "written";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(e.Message(), "Unable to write to " + target);
    }
    EXPECT_FALSE(FileExists(target));
    // A file another program holds shut cannot be read before it is replaced: the same text.
    Folder.Put("held.pge", "[Type]\r\nCommonType=0\r\n");
    target = Folder.PathOf("held.pge");
    HANDLE held = CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    try {
        WritePageFile(target, {false, {1}});
        ADD_FAILURE() << "written";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(e.Message(), "Unable to write to " + target);
    }
    CloseHandle(held);
    EXPECT_EQ(Folder.Get("held.pge"), "[Type]\r\nCommonType=0\r\n");
}

// ---- SXBasic export -------------------------------------------------------------------

TEST(SxbTemplate, MarkerLinesAreReplacedWhole) {
    TStringList lines;
    lines.SetText("start\r\n  x [SETUP] y\r\n[FORLOOP]\r\n[PAUSE]\r\n\t[LOOKUP]\r\nend\r\n");
    FillSxbTemplate(&lines, {0x3F, 0x06});
    EXPECT_EQ(lines.GetText(), "start\r\n  RB = %11111111\r\nFOR value = 0 TO 1\r\n"
                               "    PAUSE 500\r\nLOOKUP temp1, $3F, $06, temp1\r\nend\r\n");
}

TEST(SxbTemplate, TheFirstMarkerInOrderDecidesAndCaseCounts) {
    TStringList lines;
    lines.SetText("[LOOKUP] [PAUSE]\r\n[lookup]\r\n[PAUSE][FORLOOP]\r\n");
    FillSxbTemplate(&lines, {0xFF});
    EXPECT_EQ(lines.GetText(), "    PAUSE 500\r\n[lookup]\r\nFOR value = 0 TO 0\r\n");
}

TEST(SxbTemplate, NoPagesIsRefused) {
    TStringList lines;
    lines.SetText("[FORLOOP]\r\n");
    EXPECT_THROW(FillSxbTemplate(&lines, {}), EInvalidOperation);
    EXPECT_EQ(lines.GetText(), "[FORLOOP]\r\n");
}

TEST(SxbExportFile, AMissingTemplateWritesNothing) {
    TTempFolder folder;
    EXPECT_THROW(ExportSxb(folder.PathOf("sxb.tpl"), folder.PathOf("out.sxb"), {1}), EFOpenError);
    EXPECT_FALSE(FileExists(folder.PathOf("out.sxb")));
}

TEST(SxbExportFile, AnOutputThatCannotBeWrittenRaises) {
    TTempFolder folder;
    folder.Put("sxb.tpl", "[LOOKUP]\r\n");
    EXPECT_THROW(ExportSxb(folder.PathOf("sxb.tpl"), folder.PathOf("none\\out.sxb"), {1}),
                 EFCreateError);
}

} // namespace

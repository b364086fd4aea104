#include "skin/boxctrls/skSkinShellCtrls_Files.h"

#include "classlib/DateTime.h"
#include "classlib/Paths.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

using namespace Skshellctrls;

namespace {

std::vector<AnsiString> Names(const std::vector<TFileEntry>& Entries) {
    std::vector<AnsiString> names;
    for (const TFileEntry& e : Entries)
        names.push_back(e.Name);
    return names;
}

TEST(ReadFolder, FoldersFirstThenEveryMaskEachFileOnce) {
    TTempFolder temp;
    for (const char* name : {"b.bmp", "A.ico", "c.BMP", "skip.txt", "both.bmp.ico", "h.ico"})
        temp.Put(name, "12345");
    ASSERT_TRUE(SetFileAttributesA(temp.PathOf("h.ico").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(ForceDirectories(temp.PathOf("zeta")));
    ASSERT_TRUE(ForceDirectories(temp.PathOf("Alpha.ico")));

    auto entries = ReadFolder(temp.GetPath().string(), "*.bmp;*.ico; *.bmp.ico");
    EXPECT_EQ(Names(entries), (std::vector<AnsiString>{"Alpha.ico", "zeta", "A.ico", "b.bmp",
                                                       "both.bmp.ico", "c.BMP", "h.ico"}));
    EXPECT_TRUE(entries[0].IsFolder());
    EXPECT_EQ(SizeText(entries[0]), " ");
    EXPECT_EQ(entries[3].Size, 5);
    EXPECT_EQ(SizeText(entries[3]), "5");
    EXPECT_NE(AttributeLetters(entries[6].Attr).find('H'), AnsiString::npos);

    EXPECT_TRUE(ReadFolder(temp.PathOf("gone"), "*.*").empty());
    EXPECT_EQ(Names(ReadFolder(temp.GetPath().string() + "\\", "")),
              (std::vector<AnsiString>{"Alpha.ico", "zeta"}));
}

TEST(EntryTexts, AttributesAndTimes) {
    EXPECT_EQ(AttributeLetters(faArchive | faReadOnly | faHidden | faSysFile | faDirectory),
              "ARHS");
    EXPECT_EQ(AttributeLetters(faSysFile | faReadOnly), "RS");
    EXPECT_EQ(AttributeLetters(faDirectory), "");
    EXPECT_EQ(ModifiedText(EncodeDate(2005, 12, 31) + EncodeTime(13, 45, 59, 0)),
              "12/31/2005 13:45");
    EXPECT_EQ(ModifiedText(EncodeDate(2026, 1, 2) + EncodeTime(3, 4, 0, 0)), "01/02/2026 03:04");
}

TEST(EntryTexts, NewFolderNames) {
    EXPECT_TRUE(IsValidNewFolderName("new folder (2)"));
    EXPECT_TRUE(IsValidNewFolderName(".hidden"));
    for (const char* bad : {"", ".", "..", "a\\b", "a/b", "a*", "a?", "a=b", "a\"b", "a<b", "a>b",
                            "a|b", "a:b", "a,b", "a;b", "a+b", "a^b"})
        EXPECT_FALSE(IsValidNewFolderName(bad)) << bad;
}

TEST(SortEntries, FoldersFirstByColumnAndReversedAsAWhole) {
    const Int64 big = Int64(5) << 32;
    std::vector<TFileEntry> entries = {
        {"small", 10, 3.0, faArchive}, {"dir", 0, 1.0, faDirectory}, {"Big", big, 1.0, faArchive},
        {"same1", 10, 2.0, 0},         {"same2", 10, 2.0, 0},
    };
    auto sorted = [&](int column, bool reversed) {
        auto copy = entries;
        SortFileEntries(copy, column, reversed);
        return Names(copy);
    };
    using V = std::vector<AnsiString>;
    EXPECT_EQ(sorted(0, false), (V{"dir", "Big", "same1", "same2", "small"}));
    EXPECT_EQ(sorted(0, true), (V{"small", "same2", "same1", "Big", "dir"}));
    // Equal sizes keep their order either way round.
    EXPECT_EQ(sorted(1, true), (V{"Big", "small", "same1", "same2", "dir"}));
    EXPECT_EQ(sorted(1, false), (V{"dir", "small", "same1", "same2", "Big"}));
    EXPECT_EQ(sorted(3, true), (V{"small", "same1", "same2", "Big", "dir"}));
    EXPECT_EQ(sorted(4, false), (V{"dir", "small", "Big", "same1", "same2"}));

    EXPECT_EQ(CompareFileEntries(entries[3], entries[4], 1, true), 0);
    EXPECT_EQ(CompareFileEntries(entries[1], entries[0], 2, false), -1);
    EXPECT_EQ(CompareFileEntries(entries[1], entries[0], 2, true), 1);
}

} // namespace

#include "skin/boxctrls/skfilectrl_Paths.h"

#include "classlib/Exceptions.h"
#include "classlib/Paths.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

using namespace Skfilectrl;

namespace {

// One pixel per character makes the steps easy to follow.
int Chars(const AnsiString& Text) {
    return static_cast<int>(Text.size());
}

TEST(MinimizeName, ANameThatFitsStaysWhole) {
    EXPECT_EQ(MinimizeName("C:\\pages\\digits.pge", Chars, 100), "C:\\pages\\digits.pge");
}

TEST(MinimizeName, LeadingFoldersGiveWayOneByOne) {
    const AnsiString name = "C:\\one\\two\\three\\digits.pge"; // 27 characters
    EXPECT_EQ(MinimizeName(name, Chars, 27), name);
    EXPECT_EQ(MinimizeName(name, Chars, 26), "C:\\...\\three\\digits.pge");
    EXPECT_EQ(MinimizeName(name, Chars, 22), "C:\\...\\digits.pge");
    EXPECT_EQ(MinimizeName(name, Chars, 16), "...\\digits.pge");
    EXPECT_EQ(MinimizeName(name, Chars, 13), "digits.pge");
    EXPECT_EQ(MinimizeName(name, Chars, 5), "digits.pge");
}

TEST(MinimizeName, NamesWithoutDrive) {
    EXPECT_EQ(MinimizeName("digits.pge", Chars, 3), "digits.pge");
    EXPECT_EQ(MinimizeName("one\\two\\digits.pge", Chars, 18), "one\\two\\digits.pge");
    EXPECT_EQ(MinimizeName("one\\two\\digits.pge", Chars, 16), "...\\digits.pge");
}

class ProcessPathTest : public testing::Test, protected TTempFolder {
protected:
    void SetUp() override {
        Put("page.pge", "x");
        ASSERT_TRUE(ForceDirectories(PathOf("sub\\deeper")));
        ASSERT_TRUE(SetCurrentDir(Root));
    }
    void TearDown() override { SetCurrentDir(Saved); }

    // Root without its drive ("\users\...\vantorel-...").
    AnsiString Folder() const { return Root.substr(2); }

    void Split(const AnsiString& Text) { ProcessPath(Text, Drive, Dir, File); }

    const AnsiString Saved = GetCurrentDir();
    const AnsiString Root = GetPath().string();
    char Drive = '?';
    AnsiString Dir, File;
};

TEST_F(ProcessPathTest, FullAndRelativeFileNames) {
    Split(Root + "\\page.pge");
    EXPECT_EQ(Drive, Root[0]);
    EXPECT_EQ(Dir, Folder());
    EXPECT_EQ(File, "page.pge");

    Split("page.pge");
    EXPECT_EQ(Dir, Folder());
    EXPECT_EQ(File, "page.pge");

    Split("sub\\*.pge");
    EXPECT_EQ(Dir, "sub");
    EXPECT_EQ(File, "*.pge");
    EXPECT_EQ(GetCurrentDir(), Root);
}

TEST_F(ProcessPathTest, FoldersJoinTheFolderPart) {
    Split("sub");
    EXPECT_EQ(Dir, Folder() + "\\sub");
    EXPECT_EQ(File, "");

    Split("[sub]");
    EXPECT_EQ(Dir, Folder() + "\\sub");
    EXPECT_EQ(Drive, Root[0]);

    Split(Root + "\\sub\\deeper");
    EXPECT_EQ(Dir, Folder() + "\\sub\\deeper");
    EXPECT_EQ(File, "");

    Split(AnsiString(1, Root[0]) + ":\\");
    EXPECT_EQ(Dir, "\\");
    EXPECT_EQ(File, "");
    EXPECT_EQ(GetCurrentDir(), Root);
}

TEST_F(ProcessPathTest, AMissingFolderRaisesAndLeavesTheCurrentFolder) {
    EXPECT_THROW(Split("gone"), EInOutError);
    EXPECT_THROW(Split(Root + "\\gone\\page.pge"), EInOutError);
    EXPECT_EQ(GetCurrentDir(), Root);
}

TEST(Filter, PairsOfDescriptionAndMask) {
    auto two = ParseFilter("Pages (*.pge)|*.pge|Text|*.txt;*.log");
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0].Description, "Pages (*.pge)");
    EXPECT_EQ(two[0].Mask, "*.pge");
    EXPECT_EQ(two[1].Description, "Text");
    EXPECT_EQ(two[1].Mask, "*.txt;*.log");

    auto trailing = ParseFilter("All|*.*|Lone description");
    ASSERT_EQ(trailing.size(), 1u);
    EXPECT_EQ(trailing[0].Mask, "*.*");

    auto all = ParseFilter(DefaultFilter());
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].Description, "All files (*.*)");
    EXPECT_EQ(all[0].Mask, "*.*");

    EXPECT_TRUE(ParseFilter("").empty());
    EXPECT_TRUE(ParseFilter("no bars").empty());
}

} // namespace

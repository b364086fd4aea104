#include "skin/boxctrls/skfilectrl_Folders.h"

#include "classlib/Paths.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

using namespace Skfilectrl;

namespace {

using K = TFolderRowKind;

void ExpectRow(const TFolderRow& Row, const AnsiString& Text, K Kind, int Indent) {
    EXPECT_EQ(Row.Text, Text);
    EXPECT_EQ(Row.Kind, Kind) << Text;
    EXPECT_EQ(Row.Indent, Indent) << Text;
}

TEST(FolderRows, AncestorsCurrentAndSubFoldersWithTheirPaths) {
    const AnsiString dir = "C:\\users\\temp";
    auto rows = FolderRows(dir, {"a b", "Zed"});
    ASSERT_EQ(rows.size(), 5u);
    ExpectRow(rows[0], "C:\\", K::Ancestor, 2);
    ExpectRow(rows[1], "users", K::Ancestor, 6);
    ExpectRow(rows[2], "temp", K::Current, 10);
    ExpectRow(rows[3], "a b", K::SubFolder, 14);
    ExpectRow(rows[4], "Zed", K::SubFolder, 14);

    EXPECT_EQ(GetItemPath(dir, rows, 0), "C:\\");
    EXPECT_EQ(GetItemPath(dir, rows, 1), "C:\\users");
    EXPECT_EQ(GetItemPath(dir, rows, 2), dir);
    EXPECT_EQ(GetItemPath(dir, rows, 3), "C:\\users\\temp\\a b");
    EXPECT_EQ(GetItemPath(dir, rows, 5), "");
    EXPECT_EQ(GetItemPath(dir, rows, -1), "");
}

TEST(FolderRows, DriveRootsAndNetworkShares) {
    auto root = FolderRows("C:\\", {"windows"});
    ASSERT_EQ(root.size(), 2u);
    ExpectRow(root[0], "C:\\", K::Current, 2);
    ExpectRow(root[1], "windows", K::SubFolder, 10);
    EXPECT_EQ(GetItemPath("C:\\", root, 1), "C:\\windows");
    EXPECT_EQ(GetItemPath("C:\\", root, 0), "C:\\");

    const AnsiString share = "\\\\srv\\share\\a\\b";
    auto rows = FolderRows(share, {});
    ASSERT_EQ(rows.size(), 3u);
    ExpectRow(rows[0], "\\\\srv\\share\\", K::Ancestor, 2);
    ExpectRow(rows[1], "a", K::Ancestor, 6);
    ExpectRow(rows[2], "b", K::Current, 10);
    EXPECT_EQ(GetItemPath(share, rows, 0), "\\\\srv\\share\\");
    EXPECT_EQ(GetItemPath(share, rows, 1), "\\\\srv\\share\\a");

    EXPECT_EQ(ExtractFileDrive("\\\\srv\\share"), "\\\\srv\\share");
    EXPECT_EQ(ExtractFileDrive("c:x"), "c:");
    EXPECT_EQ(ExtractFileDrive("\\dir"), "");
}

TEST(FolderRows, SubFoldersAreReadSortedIgnoringCase) {
    TTempFolder temp;
    for (const char* name : {"beta", "Alpha", "gamma"})
        ASSERT_TRUE(ForceDirectories(temp.PathOf(name)));
    temp.Put("file", "x");
    EXPECT_EQ(SubFolderNames(temp.GetPath().string()),
              (std::vector<AnsiString>{"Alpha", "beta", "gamma"}));
    EXPECT_TRUE(SubFolderNames(temp.PathOf("gone")).empty());
}

} // namespace

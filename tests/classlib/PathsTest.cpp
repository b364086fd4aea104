#include "classlib/Paths.h"

#include "classlib/DateTime.h"
#include "classlib/Exceptions.h"
#include "classlib/Strings.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>

TEST(FileNames, SplitIntoFolderNameAndExtension) {
    const struct {
        const char* Name;
        const char* Path;
        const char* Dir;
        const char* File;
        const char* Ext;
    } names[] = {
        {"C:\\dir\\file.pge", "C:\\dir\\", "C:\\dir", "file.pge", ".pge"},
        {"file", "", "", "file", ""},
        {"dir\\", "dir\\", "dir", "", ""},
        {"a.b\\c", "a.b\\", "a.b", "c", ""}, // the dot of a folder is no extension
        {"archive.tar.gz", "", "", "archive.tar.gz", ".gz"},
        {"name.", "", "", "name.", "."},
        {"/usr/x.y", "/usr/", "/usr", "x.y", ".y"},
        {"C:file", "C:", "C:", "file", ""},
    };
    for (const auto& n : names) {
        EXPECT_EQ(ExtractFilePath(n.Name), n.Path) << n.Name;
        EXPECT_EQ(ExtractFileDir(n.Name), n.Dir) << n.Name;
        EXPECT_EQ(ExtractFileName(n.Name), n.File) << n.Name;
        EXPECT_EQ(ExtractFileExt(n.Name), n.Ext) << n.Name;
    }
    EXPECT_EQ(ChangeFileExt("C:\\dir\\file.pge", ".bak"), "C:\\dir\\file.bak");
    EXPECT_EQ(ChangeFileExt("C:\\dir\\file.pge", ""), "C:\\dir\\file");
    EXPECT_EQ(ChangeFileExt("file", ".pge"), "file.pge");
    EXPECT_EQ(ChangeFileExt("a.b\\c", ".x"), "a.b\\c.x");
}

TEST(FileNames, RootsAndTrailingDelimiters) {
    EXPECT_EQ(ExtractFileDir("C:\\file"), "C:\\");
    EXPECT_EQ(ExtractFileDir("\\file"), "\\");
    EXPECT_EQ(ExtractFileDir("C:\\a/b"), "C:\\a");

    EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\dir"), "C:\\dir\\");
    EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\dir\\"), "C:\\dir\\");
    EXPECT_EQ(IncludeTrailingPathDelimiter("a/"), "a/");
    EXPECT_EQ(IncludeTrailingPathDelimiter(""), "\\");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("C:\\dir\\"), "C:\\dir");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("a/"), "a");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("x"), "x");
}

namespace {

class FileSystem : public testing::Test, protected TTempFolder {
protected:
    // The folder can only go once it is no longer the current one.
    void TearDown() override { SetCurrentDir(SavedDir); }

    static void WriteFile(const AnsiString& name) {
        FILE* f = std::fopen(name.c_str(), "w");
        ASSERT_NE(f, nullptr) << name;
        std::fputs("x", f);
        std::fclose(f);
    }

    const AnsiString Root = GetPath().string();
    const AnsiString SavedDir = GetCurrentDir();
};

} // namespace

TEST_F(FileSystem, ForceDirectoriesCreatesEveryMissingLevel) {
    const AnsiString deep = Root + "\\a\\b\\c\\";
    EXPECT_FALSE(DirectoryExists(Root + "\\a"));
    EXPECT_TRUE(ForceDirectories(deep));
    EXPECT_TRUE(DirectoryExists(Root + "\\a\\b\\c"));
    EXPECT_FALSE(FileExists(Root + "\\a\\b\\c"));
    EXPECT_TRUE(ForceDirectories(deep));
    EXPECT_FALSE(ForceDirectories(""));

    WriteFile(Root + "\\file");
    EXPECT_FALSE(ForceDirectories(Root + "\\file\\sub"));

    ASSERT_TRUE(SetCurrentDir(Root));
    EXPECT_TRUE(ForceDirectories("rel\\ative"));
    EXPECT_TRUE(DirectoryExists(Root + "\\rel\\ative"));
}

TEST_F(FileSystem, FilesAreFoundRenamedAndDeleted) {
    const AnsiString file = Root + "\\page.pge";
    EXPECT_FALSE(FileExists(file));
    WriteFile(file);
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(DirectoryExists(file));
    EXPECT_FALSE(FileExists(Root));
    EXPECT_TRUE(DirectoryExists(Root));

    WriteFile(Root + "\\other.pge");
    EXPECT_FALSE(RenameFile(file, Root + "\\other.pge"));
    EXPECT_TRUE(RenameFile(file, Root + "\\renamed.pge"));
    EXPECT_FALSE(FileExists(file));
    EXPECT_TRUE(FileExists(Root + "\\renamed.pge"));

    EXPECT_TRUE(DeleteFile(Root + "\\renamed.pge"));
    EXPECT_FALSE(FileExists(Root + "\\renamed.pge"));
    EXPECT_FALSE(DeleteFile(Root + "\\renamed.pge"));
}

TEST_F(FileSystem, ExpandsAgainstTheCurrentFolder) {
    ASSERT_TRUE(SetCurrentDir(Root));
    EXPECT_TRUE(SameText(GetCurrentDir(), Root));
    EXPECT_TRUE(SameText(ExpandFileName("x\\..\\y.txt"), Root + "\\y.txt"));
    EXPECT_TRUE(SameText(ExpandFileName("."), Root));
    EXPECT_THROW(ExpandFileName(""), EOSError);
    EXPECT_FALSE(SetCurrentDir(Root + "\\missing"));
    EXPECT_TRUE(SameText(GetCurrentDir(), Root));
}

TEST(Program, KnowsItsOwnFileAndFolder) {
    AnsiString exe = ExeFileName();
    EXPECT_TRUE(SameText(ExtractFileName(exe), "classlib_PathsTest.exe")) << exe;
    EXPECT_TRUE(FileExists(exe));
    EXPECT_EQ(ExeDir(), ExtractFilePath(exe));
    EXPECT_EQ(ExeDir().back(), '\\');
}

TEST(OSErrors, CarryTheSystemText) {
    AnsiString text = SysErrorMessage(ERROR_FILE_NOT_FOUND);
    ASSERT_FALSE(text.empty());
    EXPECT_GT(static_cast<unsigned char>(text.back()), ' ');
    EXPECT_EQ(SysErrorMessage(0x2FFFFFFF), "");

    SetLastError(ERROR_FILE_NOT_FOUND);
    try {
        RaiseLastOSError();
    } catch (const EOSError& e) {
        EXPECT_EQ(e.Message(), "System error 2: " + text);
    }
    SetLastError(0);
    try {
        RaiseLastOSError();
    } catch (const EOSError& e) {
        EXPECT_EQ(e.Message(), "A call to an OS function failed");
    }
}

TEST_F(FileSystem, FindFirstListsEntriesByMaskAndAttributes) {
    WriteFile(Root + "\\one.pge");
    WriteFile(Root + "\\two.pge");
    WriteFile(Root + "\\other.txt");
    WriteFile(Root + "\\hidden.pge");
    ASSERT_TRUE(SetFileAttributesA((Root + "\\hidden.pge").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(ForceDirectories(Root + "\\sub.pge"));

    auto names = [&](const AnsiString& mask, int attr) {
        std::set<AnsiString> found;
        TSearchRec f;
        for (int r = FindFirst(Root + "\\" + mask, attr, f); r == 0; r = FindNext(f)) {
            found.insert(f.Name);
            if (f.Name == "one.pge") {
                EXPECT_EQ(f.Size, 1);
                EXPECT_GT(f.Time, EncodeDate(2000, 1, 1));
                EXPECT_EQ(f.Attr & faDirectory, 0);
            }
        }
        FindClose(f);
        FindClose(f);
        return found;
    };
    EXPECT_EQ(names("*.pge", 0), (std::set<AnsiString>{"one.pge", "two.pge"}));
    EXPECT_EQ(names("*.pge", faHidden), (std::set<AnsiString>{"hidden.pge", "one.pge", "two.pge"}));
    EXPECT_EQ(names("*.pge", faDirectory), (std::set<AnsiString>{"one.pge", "sub.pge", "two.pge"}));
    EXPECT_EQ(names("*.none", faAnyFile), std::set<AnsiString>{});

    TSearchRec missing;
    EXPECT_NE(FindFirst(Root + "\\gone\\*.*", faAnyFile, missing), 0);
    EXPECT_NE(FindNext(missing), 0);
}

TEST(Disks, SizeOfAFixedDriveAndOfAMissingOne) {
    EXPECT_GT(DiskSize(3), 0); // C:
    EXPECT_GT(DiskSize(0), 0);
    Int64 missing = -2;
    for (Byte drive = 4; drive <= 25 && missing == -2; ++drive) {
        if (!(GetLogicalDrives() & (1u << (drive - 1)))) missing = DiskSize(drive);
    }
    EXPECT_EQ(missing, -1);
}

#include "classlib/Streams.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include "classlib/Platform.h"

#include <filesystem>
#include <set>
#include <string>

namespace {

class StreamFiles : public testing::Test, protected TTempFolder {
protected:
    std::set<AnsiString> FolderEntries() const {
        std::set<AnsiString> names;
        for (auto& entry : std::filesystem::directory_iterator(GetPath()))
            names.insert(entry.path().filename().string());
        return names;
    }
    void CreateTestFile(const AnsiString& Name, const AnsiString& Data) const {
        TFileStream file(PathOf(Name), fmCreate);
        file.WriteBuffer(Data.data(), static_cast<Int64>(Data.size()));
    }
};

// Claims ten bytes but delivers only five.
class ShortStream : public TStringStream {
public:
    ShortStream() : TStringStream("12345") {}
    Int64 GetSize() override { return 10; }
};

AnsiString StartOf(const AnsiString& S, std::size_t Length) {
    return S.substr(0, Length);
}

} // namespace

TEST(MemoryStream, ReadsBackWhatWasWrittenAndAShortReadBufferRaises) {
    TMemoryStream stream;
    stream.WriteBuffer("hello world", 11);
    EXPECT_EQ(stream.GetSize(), 11);
    EXPECT_EQ(stream.GetPosition(), 11);
    stream.SetPosition(6);
    char buffer[5];
    stream.ReadBuffer(buffer, 5);
    EXPECT_EQ(AnsiString(buffer, 5), "world");
    EXPECT_EQ(stream.Read(buffer, 5), 0);
    stream.SetPosition(9);
    EXPECT_EQ(stream.Read(buffer, 3), 2);
    stream.SetPosition(9);
    try {
        stream.ReadBuffer(buffer, 3);
        FAIL() << "no exception";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "Stream read error");
    }
}

TEST(MemoryStream, SeekBeyondEndGrowsOnlyOnWriteAndNegativePositionsRaise) {
    TMemoryStream stream;
    stream.WriteBuffer("ab", 2);
    EXPECT_EQ(stream.Seek(3, soEnd), 5);
    EXPECT_EQ(stream.GetSize(), 2);
    char c;
    EXPECT_EQ(stream.Read(&c, 1), 0);
    stream.WriteBuffer("z", 1);
    EXPECT_EQ(AnsiString(static_cast<const char*>(stream.GetMemory()), 6),
              AnsiString("ab\0\0\0z", 6));
    // Far beyond 32-bit positions without allocating anything.
    EXPECT_EQ(stream.Seek(Int64(1) << 40, soBeginning), Int64(1) << 40);
    EXPECT_EQ(stream.GetSize(), 6);
    // A negative position raises and keeps the old one.
    stream.SetPosition(2);
    EXPECT_THROW(stream.Seek(-3, soCurrent), EStreamError);
    EXPECT_THROW(stream.Seek(-7, soEnd), EStreamError);
    EXPECT_THROW(stream.SetPosition(-1), EStreamError);
    EXPECT_EQ(stream.GetPosition(), 2);
    EXPECT_EQ(stream.Seek(-1, soEnd), 5);
    EXPECT_THROW(stream.Read(&c, -1), EStreamError);
}

TEST(MemoryStream, ManySmallWritesReallocateRarely) {
    TMemoryStream stream;
    std::set<void*> blocks;
    for (int i = 0; i < 100000; ++i) {
        Byte b = static_cast<Byte>(i);
        stream.WriteBuffer(&b, 1);
        blocks.insert(stream.GetMemory());
    }
    EXPECT_LT(blocks.size(), 40u);
    EXPECT_EQ(static_cast<const Byte*>(stream.GetMemory())[99999], Byte(99999 & 0xFF));
}

TEST(MemoryStream, FailedLoadKeepsOldContentSetSizeAndClear) {
    TMemoryStream stream;
    stream.WriteBuffer("old", 3);
    ShortStream source;
    EXPECT_THROW(stream.LoadFromStream(&source), EReadError);
    EXPECT_EQ(AnsiString(static_cast<const char*>(stream.GetMemory()), 3), "old");
    EXPECT_EQ(stream.GetSize(), 3);
    stream.SetPosition(0);
    stream.WriteBuffer("abcdef", 6);
    stream.SetSize(2);
    EXPECT_EQ(stream.GetSize(), 2);
    stream.SetSize(4);
    EXPECT_EQ(AnsiString(static_cast<const char*>(stream.GetMemory()), 4), AnsiString("ab\0\0", 4));
    stream.Clear();
    EXPECT_EQ(stream.GetSize(), 0);
    EXPECT_EQ(stream.GetPosition(), 0);
    EXPECT_THROW(stream.SetSize(-1), EStreamError);
}

TEST(CopyFrom, ZeroCopiesAllOfTheSourceFromItsStartACountFromThePosition) {
    TStringStream source("0123456789");
    source.SetPosition(10);
    TMemoryStream target;
    EXPECT_EQ(target.CopyFrom(&source, 0), 10);
    EXPECT_EQ(AnsiString(static_cast<const char*>(target.GetMemory()), 10), "0123456789");
    // A count copies from the current position and raises when the source is short.
    source.SetPosition(4);
    TStringStream part;
    EXPECT_EQ(part.CopyFrom(&source, 3), 3);
    EXPECT_EQ(part.GetDataString(), "456");
    EXPECT_THROW(part.CopyFrom(&source, 4), EReadError);
    EXPECT_THROW(part.CopyFrom(nullptr, 1), EInvalidPointer);
}

TEST(StringStream, OverwritesInPlaceAndExtendsAtTheEnd) {
    TStringStream stream("abcdef");
    stream.SetPosition(4);
    stream.WriteString("XYZ");
    EXPECT_EQ(stream.GetDataString(), "abcdXYZ");
    stream.SetPosition(1);
    EXPECT_EQ(stream.ReadString(2), "bc");
    EXPECT_EQ(stream.ReadString(100), "dXYZ");
    EXPECT_EQ(stream.ReadString(1), "");
}

TEST_F(StreamFiles, CreateWriteAndReopen) {
    {
        TFileStream file(PathOf("a.bin"), fmCreate);
        file.WriteBuffer("0123456789", 10);
        file.SetSize(4);
        EXPECT_EQ(file.GetSize(), 4);
    }
    TFileStream file(PathOf("a.bin"), fmOpenReadWrite);
    EXPECT_EQ(file.Seek(-1, soEnd), 3);
    file.WriteBuffer("x", 1);
    file.SetPosition(0);
    char buffer[8];
    EXPECT_EQ(file.Read(buffer, 8), 4);
    EXPECT_EQ(AnsiString(buffer, 4), "012x");
    EXPECT_THROW(file.Seek(-5, soCurrent), EStreamError);
    EXPECT_EQ(file.GetPosition(), 4);
}

TEST_F(StreamFiles, PositionsBeyondFourGigabytes) {
    TFileStream file(PathOf("big.bin"), fmCreate);
    const Int64 beyond = (Int64(1) << 32) + 16;
    EXPECT_EQ(file.Seek(beyond, soBeginning), beyond);
    file.WriteBuffer("!", 1);
    EXPECT_EQ(file.GetSize(), beyond + 1);
    EXPECT_EQ(file.Seek(-1, soEnd), beyond);
}

TEST_F(StreamFiles, OpenAndCreateErrorsNameTheFileAndTheReason) {
    AnsiString missing = PathOf("missing.txt");
    try {
        TFileStream file(missing, fmOpenRead);
        FAIL() << "no exception";
    } catch (const EFOpenError& e) {
        AnsiString prefix = "Cannot open file " + missing + ". ";
        EXPECT_EQ(StartOf(e.Message(), prefix.size()), prefix);
        EXPECT_GT(e.Message().size(), prefix.size());
    }
    AnsiString inMissingFolder = PathOf("no\\such\\folder.txt");
    try {
        TFileStream file(inMissingFolder, fmCreate);
        FAIL() << "no exception";
    } catch (const EFCreateError& e) {
        AnsiString prefix = "Cannot create file " + inMissingFolder;
        EXPECT_EQ(StartOf(e.Message(), prefix.size()), prefix);
    }
    EXPECT_THROW(TFileStream(missing, 0x0003), EStreamError);
}

TEST_F(StreamFiles, ShareModesDecideWhoElseMayOpenAndWriteOnlyFilesRefuseReads) {
    CreateTestFile("s.txt", "data");
    {
        TFileStream reader(PathOf("s.txt"), fmOpenRead | fmShareDenyWrite);
        EXPECT_NO_THROW(TFileStream(PathOf("s.txt"), fmOpenRead | fmShareDenyNone));
        EXPECT_THROW(TFileStream(PathOf("s.txt"), fmOpenWrite | fmShareDenyNone), EFOpenError);
    }
    {
        TFileStream open(PathOf("s.txt"), fmOpenReadWrite | fmShareDenyNone);
        EXPECT_NO_THROW(TFileStream(PathOf("s.txt"), fmOpenWrite | fmShareDenyNone));
    }
    {
        TFileStream exclusive(PathOf("s.txt"), fmOpenRead | fmShareExclusive);
        EXPECT_THROW(TFileStream(PathOf("s.txt"), fmOpenRead | fmShareDenyNone), EFOpenError);
    }
    TFileStream writeOnly(PathOf("s.txt"), fmOpenWrite);
    char c;
    EXPECT_THROW(writeOnly.Read(&c, 1), EReadError);
}

TEST_F(StreamFiles, WriteFileReplacingReplacesTheWholeFile) {
    CreateTestFile("t.ini", "old content that is longer");
    WriteFileReplacing(PathOf("t.ini"), "new", 3);
    EXPECT_EQ(Get("t.ini"), "new");
    TStringStream source("saved");
    TMemoryStream memory;
    memory.LoadFromStream(&source);
    memory.SaveToFile(PathOf("t.ini"));
    EXPECT_EQ(Get("t.ini"), "saved");
    WriteFileReplacing(PathOf("fresh.ini"), "", 0);
    EXPECT_EQ(Get("fresh.ini"), "");
    EXPECT_EQ(FolderEntries(), (std::set<AnsiString>{"fresh.ini", "t.ini"}));
}

TEST_F(StreamFiles, FailedReplacingLeavesTheOldFileAndNoTemporary) {
    CreateTestFile("locked.ini", "old");
    SetFileAttributesA(PathOf("locked.ini").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_THROW(WriteFileReplacing(PathOf("locked.ini"), "new", 3), EFCreateError);
    EXPECT_EQ(Get("locked.ini"), "old");

    CreateDirectoryA(PathOf("folder.ini").c_str(), nullptr);
    EXPECT_THROW(WriteFileReplacing(PathOf("folder.ini"), "new", 3), EFCreateError);
    EXPECT_TRUE(std::filesystem::is_directory(GetPath() / "folder.ini"));

    EXPECT_THROW(WriteFileReplacing(PathOf("gone\\x.ini"), "new", 3), EFCreateError);
    EXPECT_EQ(FolderEntries(), (std::set<AnsiString>{"folder.ini", "locked.ini"}));
}

TEST_F(StreamFiles, ResourceStreamReadsAModuleResourceAndRefusesWrites) {
    // A copy of this program with one resource added, loaded as data.
    char self[MAX_PATH];
    ASSERT_TRUE(GetModuleFileNameA(nullptr, self, MAX_PATH));
    AnsiString copy = PathOf("module.exe");
    ASSERT_TRUE(CopyFileA(self, copy.c_str(), FALSE));
    char payload[] = "resource bytes";
    HANDLE update = BeginUpdateResourceA(copy.c_str(), FALSE);
    ASSERT_TRUE(update);
    ASSERT_TRUE(UpdateResourceA(update, RT_RCDATA, "PAYLOAD",
                                MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), payload, 14));
    ASSERT_TRUE(EndUpdateResourceA(update, FALSE));
    HMODULE module = LoadLibraryExA(copy.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(module);
    {
        TResourceStream stream(module, "PAYLOAD", RT_RCDATA);
        EXPECT_EQ(stream.GetSize(), 14);
        char buffer[14];
        stream.ReadBuffer(buffer, 14);
        EXPECT_EQ(AnsiString(buffer, 14), "resource bytes");
        try {
            stream.WriteBuffer("x", 1);
            FAIL() << "no exception";
        } catch (const EStreamError& e) {
            EXPECT_EQ(e.Message(), "Can't write to a read-only resource stream");
        }
        EXPECT_THROW(stream.SetSize(0), EStreamError);
    }
    try {
        TResourceStream stream(module, "ABSENT", RT_RCDATA);
        FAIL() << "no exception";
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message(), "Resource ABSENT not found");
    }
    FreeLibrary(module);
}

#include "classlib/IniFiles.h"

#include "classlib/StringList.h"
#include "classlib/Streams.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include "classlib/Platform.h"

#include <psapi.h>

#include <filesystem>
#include <memory>
#include <vector>

namespace {

class IniFiles : public testing::Test, protected TTempFolder {};

std::unique_ptr<TMemIniFile> FromText(const AnsiString& Text) {
    auto ini = std::make_unique<TMemIniFile>("");
    TStringList lines;
    lines.SetText(Text);
    ini->SetStrings(&lines);
    return ini;
}

std::vector<AnsiString> LinesOf(const TStrings& Strings) {
    std::vector<AnsiString> lines;
    for (int i = 0; i < Strings.GetCount(); ++i)
        lines.push_back(Strings.Get(i));
    return lines;
}

using Lines = std::vector<AnsiString>;

double ResidentBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return double(counters.WorkingSetSize);
}

} // namespace

TEST(IniReading, NamesIgnoreCaseAndValuesAreKeptVerbatim) {
    auto ini = FromText("[Colors]\n  Main Key =  \"quoted, ; kept\"  \nempty=\n");
    EXPECT_EQ(ini->ReadString("COLORS", "main key", "?"), "\"quoted, ; kept\"");
    EXPECT_EQ(ini->ReadString("colors", "EMPTY", "?"), "");
    EXPECT_EQ(ini->ReadString("colors", "absent", "default"), "default");
    EXPECT_EQ(ini->ReadString("absent", "main key", "default"), "default");
    EXPECT_TRUE(ini->SectionExists("cOLORS"));
    EXPECT_TRUE(ini->ValueExists("Colors", "Empty"));
    EXPECT_FALSE(ini->ValueExists("Colors", "Other"));
}

TEST(IniReading, NumbersBooleansAndFloats) {
    auto ini = FromText("[N]\ndec=-42\nhex=$1F\nchex=0x10\nword=abc\nbig=99999999999\n"
                        "two=2\nzero=0\nhalf=0.5\n");
    EXPECT_EQ(ini->ReadInteger("N", "dec", 7), -42);
    EXPECT_EQ(ini->ReadInteger("N", "hex", 7), 31);
    EXPECT_EQ(ini->ReadInteger("N", "chex", 7), 16);
    EXPECT_EQ(ini->ReadInteger("N", "word", 7), 7);
    EXPECT_EQ(ini->ReadInteger("N", "big", 7), 7);
    EXPECT_EQ(ini->ReadInteger("N", "absent", 7), 7);
    EXPECT_TRUE(ini->ReadBool("N", "two", false));
    EXPECT_FALSE(ini->ReadBool("N", "zero", true));
    EXPECT_TRUE(ini->ReadBool("N", "word", true));
    EXPECT_DOUBLE_EQ(ini->ReadFloat("N", "half", 1.0), 0.5);
    EXPECT_DOUBLE_EQ(ini->ReadFloat("N", "word", 1.5), 1.5);
    ini->WriteFloat("N", "f", 0.25);
    ini->WriteBool("N", "b", true);
    EXPECT_EQ(ini->ReadString("N", "f", ""), "0.25");
    EXPECT_EQ(ini->ReadString("N", "b", ""), "1");
}

TEST(IniReading, SectionListsKeepFileOrderAndTheFirstDuplicateWins) {
    auto ini = FromText("; leading comment\nstray=1\n[B]\nz=1\n; note\na=2\nz=3\nno equals\n"
                        "[A]\nk=v\n[b]\nlater=x\n");
    TStringList list;
    ini->ReadSections(&list);
    EXPECT_EQ(LinesOf(list), (Lines{"B", "A"}));
    ini->ReadSection("b", &list);
    EXPECT_EQ(LinesOf(list), (Lines{"z", "a", "z"}));
    ini->ReadSectionValues("B", &list);
    EXPECT_EQ(LinesOf(list), (Lines{"z=1", "a=2", "z=3"}));
    EXPECT_EQ(ini->ReadString("B", "z", ""), "1");
    EXPECT_FALSE(ini->ValueExists("B", "later"));
    EXPECT_THROW(ini->ReadSections(nullptr), EInvalidPointer);
}

TEST(IniWriting, NewKeysGoToTheEndOfTheirSectionNewSectionsToTheEndAndErasedOnesGo) {
    auto ini = FromText("[A]\nx=1\n\n; about B\n[B]\ny=2\n");
    ini->WriteString("a", "new", "n");
    ini->WriteString("A", "X", "changed");
    ini->WriteInteger("C", "count", 3);
    TStringList lines;
    ini->GetStrings(&lines);
    EXPECT_EQ(LinesOf(lines), (Lines{"[A]", "x=changed", "new=n", "", "; about B", "[B]", "y=2",
                                     "[C]", "count=3"}));

    ini = FromText("[A]\nx=1\nX=2\ny=3\n[B]\nk=v\n[a]\nw=4\n"); // erase and delete
    ini->DeleteKey("A", "x");
    EXPECT_FALSE(ini->ValueExists("A", "x"));
    EXPECT_EQ(ini->ReadString("A", "y", ""), "3");
    ini->EraseSection("a");
    EXPECT_FALSE(ini->SectionExists("A"));
    ini->GetStrings(&lines);
    EXPECT_EQ(LinesOf(lines), (Lines{"[B]", "k=v"}));
}

TEST(IniWriting, NamesAndValuesThatWouldNotReadBackAreRefused) {
    auto ini = FromText("[A]\nx=1\n");
    EXPECT_THROW(ini->WriteString("", "k", "v"), EIniFileException);
    EXPECT_THROW(ini->WriteString("A]", "k", "v"), EIniFileException);
    EXPECT_THROW(ini->WriteString(" A", "k", "v"), EIniFileException);
    EXPECT_THROW(ini->WriteString("A", "k=", "v"), EIniFileException);
    EXPECT_THROW(ini->WriteString("A", ";k", "v"), EIniFileException);
    EXPECT_THROW(ini->WriteString("A", "", "v"), EIniFileException);
    EXPECT_THROW(ini->WriteString("A", "k", "two\r\nlines"), EIniFileException);
    EXPECT_THROW(ini->WriteString("A", "k", " padded"), EIniFileException);
    TStringList lines;
    ini->GetStrings(&lines);
    EXPECT_EQ(LinesOf(lines), (Lines{"[A]", "x=1"}));
}

TEST_F(IniFiles, UntouchedLinesAreWrittenBackByteForByte) {
    const AnsiString before = "lead=0\r\n; comment\n\n[One]\r\n a = 1 \r\nb=\"2\"\r[Two]\n"
                              "\tc\t=\t3\n[Three]\nd=4";
    Put("f.ini", before);
    TMemIniFile ini(PathOf("f.ini"));
    ini.WriteString("TWO", "C", "30");
    ini.WriteString("Three", "e", "5");
    ini.UpdateFile();
    EXPECT_EQ(Get("f.ini"), "lead=0\r\n; comment\n\n[One]\r\n a = 1 \r\nb=\"2\"\r[Two]\n"
                            "c=30\n[Three]\nd=4\r\ne=5\r\n");
}

TEST_F(IniFiles, AFileOfLineBreaksTakesLittleMoreThanItsOwnSize) {
    const std::size_t size = 20u << 20;
    Put("breaks.ini", AnsiString(size, '\n'));
    const double before = ResidentBytes();
    TMemIniFile ini(PathOf("breaks.ini"));
    EXPECT_LE(ResidentBytes() - before, 1.5 * double(size));
    TStringList sections;
    ini.ReadSections(&sections);
    EXPECT_EQ(sections.GetCount(), 0);
}

TEST_F(IniFiles, MemIniFileWritesOnlyOnUpdate) {
    TMemIniFile ini(PathOf("missing.ini"));
    EXPECT_FALSE(ini.SectionExists("A"));
    ini.WriteString("A", "k", "v");
    EXPECT_FALSE(std::filesystem::exists(GetPath() / "missing.ini"));
    ini.UpdateFile();
    EXPECT_EQ(Get("missing.ini"), "[A]\r\nk=v\r\n");

    Put("other.ini", "[O]\r\nk=other\r\n");
    ini.Rename(PathOf("other.ini"), true);
    EXPECT_EQ(ini.GetFileName(), PathOf("other.ini"));
    EXPECT_EQ(ini.ReadString("O", "k", ""), "other");
    EXPECT_FALSE(ini.SectionExists("A"));
    ini.Clear();
    EXPECT_FALSE(ini.SectionExists("O"));
}

TEST_F(IniFiles, AnUnreadableFileRaises) {
    std::filesystem::create_directories(GetPath() / "dir.ini");
    EXPECT_THROW(TMemIniFile(PathOf("dir.ini")), EFOpenError);
}

TEST_F(IniFiles, PageFileRoundTrip) {
    {
        TIniFile ini(PathOf("p.pge"));
        ini.WriteInteger("Type", "CommonType", 0);
        ini.WriteInteger("Page", "0", 192);
        ini.WriteInteger("Page", "1", 249);
    }
    EXPECT_EQ(Get("p.pge"), "[Type]\r\nCommonType=0\r\n[Page]\r\n0=192\r\n1=249\r\n");
    TIniFile ini(PathOf("p.pge"));
    EXPECT_EQ(ini.ReadInteger("Type", "CommonType", 1), 0);
    TStringList keys;
    ini.ReadSection("Page", &keys);
    EXPECT_EQ(LinesOf(keys), (Lines{"0", "1"}));
    EXPECT_EQ(ini.ReadInteger("Page", "1", 0), 249);
}

TEST_F(IniFiles, SavingOverAPageFileKeepsItsOtherSections) {
    Put("p.pge", "[Notes]\nby hand\n[Page]\n0=1\n1=2\n[Type]\nCommonType=0\n");
    TIniFile ini(PathOf("p.pge"));
    ini.EraseSection("Page");
    ini.EraseSection("Type");
    ini.WriteInteger("Type", "CommonType", 1);
    ini.WriteInteger("Page", "0", 44);
    EXPECT_EQ(Get("p.pge"), "[Notes]\nby hand\n[Type]\r\nCommonType=1\r\n[Page]\r\n0=44\r\n");
}

TEST_F(IniFiles, IniFileWritesAtOnce) {
    TIniFile writer(PathOf("w.ini"));
    writer.WriteString("S", "k", "v");
    EXPECT_EQ(TMemIniFile(PathOf("w.ini")).ReadString("S", "k", ""), "v");
    writer.DeleteKey("S", "k");
    EXPECT_EQ(Get("w.ini"), "[S]\r\n");
}

TEST_F(IniFiles, AFailedWriteRaisesAndLeavesFileAndContentAsTheyWere) {
    Put("ro.ini", "[S]\r\nk=old\r\n");
    SetFileAttributesA(PathOf("ro.ini").c_str(), FILE_ATTRIBUTE_READONLY);
    TIniFile ini(PathOf("ro.ini"));
    try {
        ini.WriteString("S", "k", "new");
        FAIL() << "no exception";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(e.Message(), "Unable to write to " + PathOf("ro.ini"));
    }
    EXPECT_EQ(ini.ReadString("S", "k", ""), "old");
    EXPECT_THROW(ini.EraseSection("S"), EIniFileException);
    EXPECT_TRUE(ini.SectionExists("S"));
    EXPECT_EQ(Get("ro.ini"), "[S]\r\nk=old\r\n");

    TMemIniFile orphan(PathOf("no-folder\\x.ini"));
    orphan.WriteString("S", "k", "v");
    EXPECT_THROW(orphan.UpdateFile(), EIniFileException);
    EXPECT_FALSE(std::filesystem::exists(GetPath() / "no-folder"));
}

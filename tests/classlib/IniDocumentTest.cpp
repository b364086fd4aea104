#include "classlib/IniDocument.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

using namespace std::string_literals;

namespace {

TIniDocument FromText(const AnsiString& Text) {
    TIniDocument document;
    document.SetText(Text);
    return document;
}

AnsiString Repeated(const AnsiString& Line, std::size_t Bytes) {
    AnsiString text;
    while (text.size() + Line.size() <= Bytes)
        text += Line;
    return text;
}

AnsiString Named(const char* Prefix, unsigned Number) {
    AnsiString name = Prefix;
    name += std::to_string(Number);
    return name;
}

AnsiString Numbered(const char* Before, const char* After, int Count) {
    AnsiString text;
    for (int i = 0; i < Count; ++i) {
        text += Named(Before, i);
        text += After;
    }
    return text;
}

// The work of Operation, per unit of Count.
double WorkPer(TIniDocument& Document, int Count, const std::function<void()>& Operation) {
    std::uint64_t before = Document.GetWork();
    Operation();
    return double(Document.GetWork() - before) / Count;
}

using Entries = std::vector<std::pair<AnsiString, AnsiString>>;

Entries EntriesOf(const TIniDocument& Document, const AnsiString& Section) {
    Entries entries;
    Document.ForEachEntry(Section, [&](std::string_view Key, std::string_view Value) {
        entries.emplace_back(Key, Value);
    });
    return entries;
}

} // namespace

TEST(IniDocument, OddTextsComeBackByteForByte) {
    const std::vector<AnsiString> texts = {
        "",
        "\n",
        "\r",
        "\r\n",
        "\r\r\n\n\n\r",
        "\r\r\r[A]\rk=1\r\r",
        "[A]\r\nk=1\r\n\r\n",
        "[A]\nk=1",
        "no section\n=v\n;c=1\n[A\n[A]x\n  [ a ]  \n k = 1 \n[a]\nk=2\nk=3\n",
        "[A]\tk\t=\tv\n\x01[B]\x01\nnul\0key=v\0x\n[B]\n[]\n[ ]\n=\n"s,
        "[A]\nk=1\n[A]\nk=2"};
    for (const AnsiString& text : texts) {
        TIniDocument document = FromText(text);
        document.GetSectionNames();
        document.FindValue("A", "k");
        TIniDocument copy = document;
        EXPECT_EQ(document.GetText(), text);
        EXPECT_EQ(copy.GetText(), text);
    }
    TIniDocument document = FromText("[a]\r\nk=1\r\n\r\n[A]\rk=2\r\n[B]\n;c\nk=3\n\n");
    EXPECT_EQ(document.GetSectionNames(), (std::vector<AnsiString>{"a", "B"}));
    EXPECT_EQ(document.GetLines(),
              (std::vector<AnsiString>{"[a]", "k=1", "", "[A]", "k=2", "[B]", ";c", "k=3", ""}));
}

TEST(IniDocument, ChangesRewriteOnlyTheirOwnLines) {
    TIniDocument document = FromText("lead\r[A]\rx = 1 \r\r;end of A\r[B]\ny=2\ny=3\n;c\nz=4\n[a]\n"
                                     "x=shadowed\n[C]\nlast=1");
    document.SetValue("a", "X", "10");
    document.SetValue("A", "new", "n");
    document.DeleteKey("B", "z"); // the last entry: new keys follow the one before
    document.SetValue("B", "w", "5");
    document.SetValue("B", "v", "6");
    document.DeleteKey("B", "y");
    document.SetValue("C", "more", "m");
    document.SetValue("D", "k", "v");
    EXPECT_EQ(document.GetText(), "lead\r[A]\rx=10\rnew=n\r\n\r;end of A\r[B]\nw=5\r\nv=6\r\n;c\n"
                                  "[a]\nx=shadowed\n[C]\nlast=1\r\nmore=m\r\n[D]\r\nk=v\r\n");
    EXPECT_EQ(EntriesOf(document, "b"), (Entries{{"w", "5"}, {"v", "6"}}));
    document.EraseSection("A");
    EXPECT_EQ(document.GetText(), "lead\r[B]\nw=5\r\nv=6\r\n;c\n[C]\nlast=1\r\nmore=m\r\n[D]\r\n"
                                  "k=v\r\n");
    EXPECT_FALSE(document.SectionExists("a"));
    document.SetValue("A", "x", "again");
    EXPECT_EQ(*document.FindValue("A", "X"), "again");
    EXPECT_EQ(EntriesOf(FromText(document.GetText()), "A"), (Entries{{"x", "again"}}));
}

TEST(IniDocument, RandomChangesReadBackAfterARoundTrip) {
    std::mt19937 random(7);
    TIniDocument document = FromText("[S0]\nk1=a\n;c\nk1=b\n\n[S1]\r\nk2=c\r\n[s0]\nk3=d\n");
    for (int step = 0; step < 3000; ++step) {
        AnsiString section = Named("S", random() % 4);
        AnsiString key = Named("k", random() % 40);
        switch (random() % 8) {
        case 0:
            document.DeleteKey(section, key);
            break;
        case 1:
            if (random() % 20 == 0) document.EraseSection(section);
            break;
        default:
            document.SetValue(section, key, std::string(random() % 200, 'v'));
            break;
        }
    }
    TIniDocument reread = FromText(document.GetText());
    EXPECT_EQ(reread.GetText(), document.GetText());
    EXPECT_EQ(reread.GetSectionNames(), document.GetSectionNames());
    for (const AnsiString& section : document.GetSectionNames())
        for (const auto& [key, value] : EntriesOf(document, section))
            EXPECT_EQ(*reread.FindValue(section, key), *document.FindValue(section, key));
}

// A scan finds the sections and entries that a loaded document reads, on odd texts and
// on texts pieced together from lines of every kind.
TEST(IniDocument, AScanReadsWhatTheDocumentReads) {
    const std::vector<AnsiString> sections = {"A", "b", ""};
    auto expectSame = [&](const AnsiString& Text) {
        TIniDocument document = FromText(Text);
        std::vector<Entries> scanned(sections.size());
        const std::vector<bool> found = TIniDocument::ScanSections(
            Text, sections, [&](std::size_t Index, std::string_view Key, std::string_view Value) {
                scanned[Index].emplace_back(Key, Value);
            });
        for (std::size_t i = 0; i < sections.size(); ++i) {
            EXPECT_EQ(found[i], document.SectionExists(sections[i])) << Text << sections[i];
            EXPECT_EQ(scanned[i], EntriesOf(document, sections[i])) << Text << sections[i];
        }
    };
    for (const AnsiString& text :
         {"k=0\n[A]\nk=1\n[B]\nk=2\n[a]\nk=3\nk=4"s, "no section\n=v\n;c=1\n[A\n[A]x\n  [ a ]  \n k = 1 \n"s,
          "[A]\tk\t=\tv\n\x01[B]\x01\nnul\0key=v\0x\n[b]\n[]\nk=\n[ ]\n=\n"s, "[A]\r\rk=1\r\nj=2"s})
        expectSame(text);
    const std::vector<AnsiString> lines = {"[A]", "[a] ", "[B]", " [b]", "[C]", "[]",   "k=1",
                                           "K = 2", "k=", "=3",  ";k=4", "[A",  "x",    ""};
    const std::vector<AnsiString> breaks = {"\r\n", "\n", "\r"};
    std::mt19937 random(11);
    for (int text = 0; text < 300; ++text) {
        AnsiString built;
        for (std::size_t line = random() % 12; line > 0; --line)
            built += lines[random() % lines.size()] + breaks[random() % breaks.size()];
        expectSame(built);
    }
}

// What many text editors write: a UTF-8 byte-order mark before the first section.
TEST(IniDocument, AByteOrderMarkBeforeTheFirstLineIsReadAsIfAbsent) {
    const AnsiString bom = "\xEF\xBB\xBF";
    const AnsiString text = "[Type]\r\nCommonType=1\r\n[Page]\r\n0=5\r\n";
    TIniDocument document = FromText(bom + text);
    EXPECT_EQ(document.GetSectionNames(), (std::vector<AnsiString>{"Type", "Page"}));
    EXPECT_EQ(document.FindValue("Type", "CommonType"), AnsiString("1"));
    EXPECT_EQ(document.GetText(), text);
    std::vector<Entries> scanned(2);
    const std::vector<bool> found = TIniDocument::ScanSections(
        bom + text, {"Type", "Page"}, [&](std::size_t Index, std::string_view Key, std::string_view Value) {
            scanned[Index].emplace_back(Key, Value);
        });
    EXPECT_EQ(found, (std::vector<bool>{true, true}));
    EXPECT_EQ(scanned[0], (Entries{{"CommonType", "1"}}));
    EXPECT_EQ(scanned[1], (Entries{{"0", "5"}}));
    // Only before the first line: elsewhere the bytes are the line's own.
    TIniDocument later = FromText("[A]\r\n" + bom + "[B]\r\nk=1\r\n");
    EXPECT_FALSE(later.SectionExists("B"));
    EXPECT_EQ(later.GetText(), "[A]\r\n" + bom + "[B]\r\nk=1\r\n");
}

TEST(IniDocument, MemoryStaysWithinFourBytesPerByteOfAnyText) {
    const std::size_t size = 4u << 20;
    const std::vector<AnsiString> texts = {
        AnsiString(size, '\n'),     AnsiString(size, '\r'),       Repeated("\r\n", size),
        Repeated("[]\n", size),     Repeated("a=\n", size),       Repeated("[]\na=\n", size),
        Repeated("=\n", size),      Numbered("[", "]\n", 500000), Numbered("[S]\n", "=\n", 500000),
        Numbered("", "=\n", 500000)};
    for (const AnsiString& text : texts) {
        TIniDocument document = FromText(text);
        EXPECT_LE(document.GetMemoryUsed(), 4 * text.size()) << text.substr(0, 12);
    }
}

// Sizes where a cost growing with the document would show as thousands of steps an operation.
TEST(IniDocument, EveryOperationCostsTheSameInLargeDocuments) {
    const int count = 50000;
    std::vector<AnsiString> keys;
    for (int i = 0; i < count; ++i)
        keys.push_back(Named("k", i));
    TIniDocument document;
    auto workOfEach = [&](const std::function<void(const AnsiString&)>& Operation) {
        return WorkPer(document, count, [&] {
            for (const AnsiString& key : keys)
                Operation(key);
        });
    };
    const AnsiString text = "[A]\n" + Numbered("k", "=1\n", count) + ";end\n[B]\n";
    EXPECT_LE(WorkPer(document, count, [&] { document.SetText(text); }), 4);
    EXPECT_LE(workOfEach([&](const AnsiString& Key) { document.FindValue("A", Key); }), 4);
    std::shuffle(keys.begin(), keys.end(), std::mt19937(1));
    EXPECT_LE(workOfEach([&](const AnsiString& Key) { document.FindValue("A", Key); }), 8);
    EXPECT_LE(workOfEach([&](const AnsiString& Key) { document.SetValue("A", Key, "2"); }), 16);
    EXPECT_LE(workOfEach([&](const AnsiString& Key) { document.SetValue("B", Key, "3"); }), 16);
    EXPECT_LE(workOfEach([&](const AnsiString& Key) { document.DeleteKey("A", Key); }), 16);
    // Deleting from the end moves the place of new keys back each time.
    std::sort(keys.begin(), keys.end(), std::greater<>());
    EXPECT_LE(workOfEach([&](const AnsiString& Key) { document.DeleteKey("B", Key); }), 16);
    EXPECT_EQ(document.GetText(), "[A]\n;end\n[B]\n");

    // Many sections, each name twice.
    document.SetText(Numbered("[S", "]\nk=1\n", count) + Numbered("[s", "]\nk=2\n", count));
    EXPECT_LE(WorkPer(document, count, [&] { document.GetSectionNames(); }), 4);
    for (int i = 0; i < count; ++i)
        keys[i] = Named("S", i);
    EXPECT_LE(workOfEach([&](const AnsiString& Section) { document.EraseSection(Section); }), 16);
    EXPECT_EQ(document.GetText(), "");
}

// INI files read by TMemIniFile, then listed and looked up whole, and scanned once through by
// ScanIniSections.
#include "classlib/Exceptions.h"
#include "classlib/IniFiles.h"
#include "classlib/StringList.h"

#include "tests/robustness/RobustnessHarness.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

const char kSeed[] = "; settings\r\n"
                     "[Window]\r\n"
                     "Left=10\r\n"
                     "Caption = Pattern editor \r\n"
                     "Empty=\r\n"
                     "\r\n"
                     "[Pages]\n"
                     "0=255\n"
                     "1=6\n"
                     "=no key\n"
                     "no value\n"
                     "[window]\r\n"
                     "left=duplicate\r\n"
                     "[Last";

// Reads the file; with Listing, then every section, its lines and each of its values.
class TIniReader {
public:
    explicit TIniReader(bool Listing) : FListing(Listing) {}

    void operator()(const std::string& Bytes) const {
        FFile.Write(Bytes);
        TMemIniFile ini(FFile.Path());
        if (!FListing) return;
        TStringList sections;
        ini.ReadSections(&sections);
        TStringList values;
        for (int i = 0; i < sections.GetCount(); ++i) {
            ini.ReadSectionValues(sections[i], &values);
            for (int k = 0; k < values.GetCount(); ++k)
                ini.ReadString(sections[i], values.GetName(k), "");
        }
    }

private:
    bool FListing;
    TScratchFile FFile{".ini"};
};

// Scans the file for the seed's sections and the large files'.
class TIniScanner {
public:
    void operator()(const std::string& Bytes) const {
        FFile.Write(Bytes);
        ScanIniSections(FFile.Path(), {"Window", "Pages", "Page", "s", "A"},
                        [](std::size_t, std::string_view, std::string_view) {});
    }

private:
    TScratchFile FFile{".ini"};
};

TEST(IniRobustness, ReadsEveryDamagedFile) {
    TCorpus corpus;
    AddTruncations(corpus, "INI", kSeed);
    AddBitFlips(corpus, "INI", kSeed, 1000, 11);
    corpus.push_back({"NUL bytes", std::string(64, '\0') + "[A]\0x=1\0" + kSeed});
    corpus.push_back({"bare CRs", "[A]\rx=1\r\r[B]\ry=2"});
    TIniReader reader(true);
    ExpectBoundedLoads<EIniFileException>(corpus, std::ref(reader));
    TIniScanner scanner;
    ExpectBoundedLoads<EIniFileException>(corpus, std::ref(scanner));
}

TEST(IniRobustness, LargeFilesStayWithinFourTimesTheirSize) {
    const std::size_t lines = 200000 * CorpusScale();
    TCorpus corpus = {
        {"line feeds", std::string(lines * 5, '\n')},
        {"CR LFs", Repeat("\r\n", lines * 2)},
        {"sections", Repeat("[s]\n", lines)},
        {"distinct sections",
         [&] {
             std::string text;
             for (std::size_t i = 0; i < lines / 2; ++i)
                 text += "[s" + std::to_string(i) + "]\n";
             return text;
         }()},
        {"keys of one section", "[Page]\n" + Repeat("k=v\n", lines)},
        {"one long line", "[A]\nx=" + std::string(lines * 5, 'v')},
        {"brackets", std::string(lines * 5, '[')},
        {"equals signs", "[A]\n" + std::string(lines * 5, '=')},
    };
    // The document alone within four times the file's bytes.
    TBounds document;
    document.HeapBase = 64 << 10;
    document.HeapPerByte = 4;
    TIniReader load(false);
    ExpectBoundedLoads<EIniFileException>(corpus, std::ref(load), document);
    // A scan, which keeps nothing but the text, within the same bound.
    TIniScanner scan;
    ExpectBoundedLoads<EIniFileException>(corpus, std::ref(scan), document);
    // Its section lists and look-ups (whose string lists cost what they cost) in linear time.
    TBounds listing;
    listing.CpuSeconds = 1;
    TIniReader list(true);
    ExpectBoundedLoads<EIniFileException>(corpus, std::ref(list), listing);
}

} // namespace

// Enhanced and Windows metafiles read by TMetafile. A metafile that loads is also drawn: the
// system plays its records, so what the reader lets through must be safe to play.
#include "classlib/Exceptions.h"
#include "classlib/Metafiles.h"
#include "classlib/Picture.h"
#include "classlib/Streams.h"

#include "tests/robustness/RobustnessHarness.h"
#include "tests/support/MetafileSamples.h"

#include <gtest/gtest.h>

namespace {

std::uint32_t Le32(const std::string& Bytes, std::size_t At) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(Bytes[At + i]);
    return value;
}

// The header's sizes and frame, and the type and size of every record.
std::vector<TField> EnhancedFields(const std::string& File) {
    std::vector<TField> fields{{"header size", 4, 4},  {"frame right", 32, 4}, {"frame bottom", 36, 4},
                               {"signature", 40, 4},   {"bytes", 48, 4},       {"records", 52, 4},
                               {"handles", 56, 2},     {"description", 60, 4}, {"palette", 68, 4}};
    for (std::size_t at = 0; at + 8 <= File.size();) {
        const std::uint32_t record = Le32(File, at + 4);
        const std::string n = std::to_string(at);
        fields.push_back({"type at " + n, at, 4});
        fields.push_back({"size at " + n, at + 4, 4});
        // Counts and offsets inside the record, where drawing records keep them.
        if (at > 0 && record >= 16) fields.push_back({"first word of " + n, at + 8, 4});
        if (at > 0 && record >= 28) fields.push_back({"count of " + n, at + 24, 4});
        if (record < 8) break;
        at += record;
    }
    return fields;
}

// The placeable header's box and units, the metafile header's sizes, and every record's size
// and function.
std::vector<TField> WindowsFields(const std::string& File, bool Placeable) {
    const std::size_t base = Placeable ? 22 : 0;
    std::vector<TField> fields{{"type", base, 2}, {"header words", base + 2, 2}, {"version", base + 4, 2},
                               {"size", base + 6, 4}, {"objects", base + 10, 2}, {"max record", base + 12, 4}};
    if (Placeable) {
        fields.push_back({"box right", 10, 2});
        fields.push_back({"box bottom", 12, 2});
        fields.push_back({"inch", 14, 2});
    }
    for (std::size_t at = base + 18; at + 6 <= File.size();) {
        const std::size_t bytes = std::size_t{Le32(File, at)} * 2;
        const std::string n = std::to_string(at);
        fields.push_back({"words at " + n, at, 4});
        fields.push_back({"function at " + n, at + 4, 2});
        if (bytes >= 8) fields.push_back({"first parameter of " + n, at + 6, 2});
        if (bytes < 6) break;
        at += bytes;
    }
    return fields;
}

// Loads the bytes and, when they load, draws the picture small and large.
void LoadAndDraw(const std::string& Bytes) {
    TStringStream stream(Bytes);
    TMetafile metafile;
    metafile.LoadFromStream(&stream);
    TBitmap bitmap(64, 64);
    bitmap.GetCanvas()->StretchDraw(TRect(0, 0, 64, 64), &metafile);
    bitmap.GetCanvas()->StretchDraw(TRect(0, 0, 3, 2), &metafile);
}

TCorpus Seeds() {
    return {{"enhanced", EnhancedMetafileBytes()},
            {"placeable", WindowsMetafileBytes(true)},
            {"plain", WindowsMetafileBytes(false)}};
}

TEST(MetafileRobustness, LoadsOrRefusesEveryDamagedFileAndPlaysWhatLoads) {
    TCorpus corpus;
    std::uint32_t random = 11;
    for (const TCorpusEntry& seed : Seeds()) {
        ASSERT_NO_THROW(LoadAndDraw(seed.Bytes)) << seed.Name;
        AddTruncations(corpus, seed.Name, seed.Bytes);
        AddBitFlips(corpus, seed.Name, seed.Bytes, 400, random++);
        const bool enhanced = seed.Name == "enhanced";
        AddFieldValues(corpus, seed.Name, seed.Bytes,
                       enhanced ? EnhancedFields(seed.Bytes) : WindowsFields(seed.Bytes, seed.Name == "placeable"));
        corpus.push_back({seed.Name + " twice", seed.Bytes + seed.Bytes});
    }
    ExpectBoundedLoads<EInvalidGraphic>(corpus, LoadAndDraw);
}

// A header that declares gigabytes of records in a file of a few hundred bytes.
TEST(MetafileRobustness, DeclaredSizesBeyondTheFileCostNothing) {
    TCorpus corpus;
    const std::string emf = EnhancedMetafileBytes();
    const std::string wmf = WindowsMetafileBytes(true);
    for (std::uint64_t size : {0x10000u, 0x7FFFFFF0u, 0xFFFFFFF0u}) {
        corpus.push_back({"enhanced " + std::to_string(size), WithField(emf, {"bytes", 48, 4}, size)});
        corpus.push_back({"windows " + std::to_string(size), WithField(wmf, {"size", 22 + 6, 4}, size)});
    }
    TBounds bounds;
    bounds.CpuSeconds = 1;
    ExpectRefusals<EInvalidGraphic>(corpus, LoadAndDraw, bounds);
}

// Picture files of the two extensions go through the same reader.
TEST(MetafileRobustness, PicturesByExtensionLoadAllOrNothing) {
    TCorpus corpus;
    for (const TCorpusEntry& seed : Seeds()) AddBitFlips(corpus, seed.Name, seed.Bytes, 40, 23);
    for (const char* extension : {".emf", ".wmf"}) {
        TScratchFile file(extension);
        ExpectBoundedLoads<EInvalidGraphic>(corpus, [&file](const std::string& Bytes) {
            file.Write(Bytes);
            TPicture picture;
            picture.LoadFromFile(file.Path());
        });
    }
}

} // namespace

// Skins: skin folders (description and BMP pictures) read by the skin data and both stored
// skins, the stored skin's "Pictures", compressed blocks, payloads and files, and inflation.
#include "skin/data/SkinData.h"
#include "skin/data/SkinData_Compressed.h"
#include "skin/data/SkinData_Stored.h"
#include "skin/data/Skzlibcompress.h"

#include "classlib/Bitmaps.h"
#include "classlib/Exceptions.h"
#include "classlib/Streams.h"
#include "classlib/StringList.h"

#include "tests/robustness/RobustnessHarness.h"
#include "tests/skin/SkinTestSupport.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const char* const kDescription =
    "[VERSION]\nskinname=Probe\nskinauthor=Me\n"
    "[PICTURES]\npicture=frame.bmp\nmask=mask.bmp\nactivepicturescount=2\n0=a.bmp\n1=b.bmp\n"
    "[FORMINFO]\nlefttoppoint=3,4\nclientrect=2,2,10,6\nmaskrectarea=0,0,0,0\nbuttonsrect=1,1,5,3\n"
    "[SKINAREAS]\ncount=1\n0=top:1,2,3,4\n"
    "[SKINOBJECTS]\ncount=2\n0=close:stdbutton\n1=title:caption\n[close]\ncommand=cmclose\n"
    "skinrect=0,0,4,4\n[title]\nfontheight=14\n"
    "[SKINCONTROLS]\ncount=2\n0=button:button\n1=list:listbox\n[button]\nskinrect=0,0,8,4\n"
    "picture=1\n[list]\nskinrect=0,0,6,3\n"
    "[POPUPWINDOW]\nwindowpictureindex=0\n[HINTWINDOW]\nwindowpictureindex=1\n";

// The reader's own refusals: malformed numbers, missing files, damaged pictures or
// stored data, damaged blocks.
#define SKIN_ERRORS EConvertError, EFOpenError, EReadError, EInvalidGraphic, EDecompressionError

std::string Int32(std::int32_t Value) {
    return std::string(reinterpret_cast<const char*>(&Value), 4);
}

struct TSkinFolder : TTempFolder {
    TSkinFolder() {
        Put("skin.ini", kDescription);
        Put("frame.bmp", Frame);
        MakePicture(12, 7, pf1bit, clBlack)->SaveToFile(PathOf("mask.bmp"));
        MakePicture(8, 4, pf24bit, clBlue)->SaveToFile(PathOf("a.bmp"));
        MakePicture(3, 5, pf24bit, clGreen)->SaveToFile(PathOf("b.bmp"));
    }
    AnsiString Ini() const { return PathOf("skin.ini"); }
    const std::string Frame = SmallPaletteBmp(12, 7, 16);
};

// The header fields of the BMP file at Offset of Bytes.
std::vector<TField> BmpFields(const std::string& Name, std::size_t Offset) {
    return {{Name + " size", Offset + 2, 4},         {Name + " offset", Offset + 10, 4},
            {Name + " header size", Offset + 14, 4}, {Name + " width", Offset + 18, 4},
            {Name + " height", Offset + 22, 4},      {Name + " bits", Offset + 28, 2},
            {Name + " compression", Offset + 30, 4}, {Name + " colours", Offset + 46, 4}};
}

std::uint32_t BmpSize(const std::string& Bytes, std::size_t Offset) {
    std::uint32_t size = 0;
    std::memcpy(&size, Bytes.data() + Offset + 2, 4);
    return size;
}

// Damaged copies of a stored skin's pictures, starting at Start of Seed.
void AddPictureDamage(TCorpus& Corpus, const std::string& Name, const std::string& Seed,
                      std::size_t Start, std::uint32_t Random) {
    AddTruncations(Corpus, Name, Seed);
    AddBitFlips(Corpus, Name, Seed, 100, Random);
    std::size_t at = Start;
    std::vector<std::size_t> bmps;
    for (int i = 0; i < 4; ++i)
        if (Seed[at++] == 0) {
            bmps.push_back(at);
            at += BmpSize(Seed, at);
        }
    const TField count{"count", at, 4};
    AddFieldValues(Corpus, Name, Seed, {count});
    at += 4;
    bmps.push_back(at);
    for (std::size_t bmp : bmps) {
        const std::vector<TField> fields = BmpFields("picture at " + std::to_string(bmp), bmp);
        AddFieldValues(Corpus, Name, Seed, fields);
        AddFieldProducts(Corpus, Name, Seed, fields[3], fields[4]);
    }
}

// The description with the value after Key (up to the next "," or line end) made Value.
std::string WithValue(const std::string& Key, const std::string& Value) {
    std::string damaged = kDescription;
    const std::size_t at = damaged.find(Key) + Key.size();
    damaged.replace(at, damaged.find_first_of(",\n", at) - at, Value);
    return damaged;
}

// The keys of the description's lists' counts.
const char* const kListCounts[] = {"activepicturescount=", "[SKINAREAS]\ncount=",
                                   "[SKINOBJECTS]\ncount=", "[SKINCONTROLS]\ncount="};

// N entries of one name in the typed list of Section.
std::string SameNames(const char* Section, const char* Entry, int N) {
    std::string list = std::string("[") + Section + "]\ncount=" + std::to_string(N) + "\n";
    for (int i = 0; i < N; ++i)
        list += std::to_string(i) + "=" + Entry + "\n";
    return list;
}

// Damaged descriptions: cut, flipped, with every count, index and size made hostile, negative
// list indexes, and many entries of one name.
TCorpus DescriptionCorpus() {
    TCorpus corpus;
    AddTruncations(corpus, "description", kDescription);
    AddBitFlips(corpus, "description", kDescription, 80, 31);
    const std::string text = kDescription;
    std::vector<std::string> numbers = HostileNumbers();
    numbers.insert(numbers.end(), {"1,2", "x"});
    for (const std::string& number : numbers) {
        for (const char* key : kListCounts)
            corpus.push_back({key + number, WithValue(key, number)});
        for (const char* key : {"clientrect=2,", "picture=", "windowpictureindex=", "fontheight="})
            corpus.push_back({key + number, WithValue(key, number)});
    }
    corpus.push_back({"many objects", text + "[SKINOBJECTS]\ncount=100000\n"});
    corpus.push_back({"long list", std::string("[SKINAREAS]\ncount=1\n0=") +
                                       std::string(100000, ':') + "\n" + text});
    corpus.push_back({"negative list indexes", WithValue("0=a.bmp\n1=b.bmp", "\n-1=a.bmp\n-2=b.bmp")});
    const int many = 20000 * CorpusScale();
    corpus.push_back(
        {"many controls of one name", text + SameNames("SKINCONTROLS", "button:button", many)});
    corpus.push_back(
        {"many objects of one name", text + SameNames("SKINOBJECTS", "close:stdbutton", many)});
    return corpus;
}

// Descriptions that must not load: lists that count more entries than there are, whether cut
// short or never written (a count inside the limit, with nothing behind it).
TCorpus CutShortDescriptions() {
    TCorpus corpus;
    for (const char* key : kListCounts)
        for (const char* count : {"3", "65536"})
            corpus.push_back({key + std::string(count), WithValue(key, count)});
    const std::string text = kDescription;
    for (const char* cut : {"1=list:listbox", "1=title:caption", "1=b.bmp", "0=top"})
        corpus.push_back({std::string("cut before ") + cut, text.substr(0, text.find(cut))});
    return corpus;
}

// A compressed skin file of Payload.
std::string CompressedSkinFile(const std::string& Payload) {
    TStringStream plain(Payload), packed;
    CompressStream(&plain, &packed);
    const std::string block = packed.GetDataString();
    return Int32(1) + Int32(static_cast<std::int32_t>(block.size())) + block;
}

// The offset of the count of active pictures in the pictures layout at Start of Bytes.
std::size_t PictureCountAt(const std::string& Bytes, std::size_t Start) {
    std::size_t at = Start;
    for (int i = 0; i < 4; ++i)
        if (Bytes[at++] == 0) at += BmpSize(Bytes, at);
    return at;
}

// Payloads whose count of active pictures is short of the Present pictures behind it: the
// pictures left over would stand where the description is.
TCorpus ShortPictureCounts(const std::string& Payload, std::int32_t Present) {
    const TField count{"count", PictureCountAt(Payload, 4), 4};
    TCorpus corpus;
    for (std::int32_t n = 0; n < Present; ++n)
        corpus.push_back({"count " + std::to_string(n) + " of " + std::to_string(Present),
                          WithField(Payload, count, std::uint32_t(n))});
    return corpus;
}

// Pictures that must not load, starting at Start of Seed (the stored skin's layout of two
// main pictures and two active ones): counts inside the limit that the data does not bear
// out, flags that are neither 0 nor 1, a size field that takes in the next picture, and
// bytes after the last picture.
TCorpus PictureRefusals(const std::string& Seed, std::size_t Start) {
    std::vector<std::size_t> flags;
    std::size_t at = Start;
    for (int i = 0; i < 4; ++i) {
        flags.push_back(at);
        if (Seed[at++] == 0) at += BmpSize(Seed, at);
    }
    const TField count{"count", at, 4};
    const std::size_t first = at + 4;
    const std::size_t second = first + BmpSize(Seed, first);
    TCorpus corpus;
    for (std::int32_t n : {-1, INT32_MIN, 0, 1, 3})
        corpus.push_back({"count " + std::to_string(n), WithField(Seed, count, std::uint32_t(n))});
    corpus.push_back({"count -1 and no pictures", Seed.substr(0, at) + Int32(-1)});
    for (std::size_t flag : flags)
        for (std::uint64_t value : {2, 0xFF})
            corpus.push_back({"flag at " + std::to_string(flag) + "=" + std::to_string(value),
                              WithField(Seed, {"flag", flag, 1}, value)});
    corpus.push_back({"first picture takes in the second",
                      WithField(WithField(Seed, count, 1), {"size", first + 2, 4}, second - first +
                                                                              BmpSize(Seed, second))});
    corpus.push_back({"last picture one byte longer",
                      WithField(Seed + "x", {"size", second + 2, 4}, BmpSize(Seed, second) + 1)});
    corpus.push_back({"a byte after the pictures", Seed + "x"});
    return corpus;
}

TEST(SkinRobustness, FoldersLoadOrAreRefusedByEveryFolderReader) {
    TSkinFolder folder;
    auto loadFolder = [&folder] {
        TskSkinData data(nullptr);
        data.LoadFromFile(folder.Ini());
        TskStoredSkin stored(nullptr);
        stored.LoadFromFile(folder.Ini());
        TskCompressedStoredSkin compressed(nullptr);
        compressed.LoadFromIniFile(folder.Ini());
    };
    ASSERT_NO_THROW(loadFolder());

    ExpectBoundedLoads<SKIN_ERRORS>(DescriptionCorpus(), [&](const std::string& Bytes) {
        folder.Put("skin.ini", Bytes);
        loadFolder();
    });
    // The three readers of a folder agree on a description cut short.
    ExpectRefusals<EReadError>(CutShortDescriptions(), [&](const std::string& Bytes) {
        folder.Put("skin.ini", Bytes);
        TskSkinData data(nullptr);
        data.LoadFromFile(folder.Ini());
    });
    ExpectRefusals<EReadError>(CutShortDescriptions(), [&](const std::string& Bytes) {
        folder.Put("skin.ini", Bytes);
        TskStoredSkin stored(nullptr);
        stored.LoadFromFile(folder.Ini());
    });
    ExpectRefusals<EReadError>(CutShortDescriptions(), [&](const std::string& Bytes) {
        folder.Put("skin.ini", Bytes);
        TskCompressedStoredSkin compressed(nullptr);
        compressed.LoadFromIniFile(folder.Ini());
    });

    folder.Put("skin.ini", kDescription);
    TCorpus pictures;
    AddTruncations(pictures, "frame", folder.Frame);
    AddBitFlips(pictures, "frame", folder.Frame, 60, 32);
    const std::vector<TField> fields = BmpFields("frame", 0);
    AddFieldValues(pictures, "frame", folder.Frame, fields);
    AddFieldProducts(pictures, "frame", folder.Frame, fields[3], fields[4]);
    ExpectBoundedLoads<SKIN_ERRORS>(pictures, [&](const std::string& Bytes) {
        folder.Put("frame.bmp", Bytes);
        loadFolder();
    });
}

TEST(SkinRobustness, StoredPicturesAndDescriptionsLoadOrAreRefused) {
    TSkinFolder folder;
    TskStoredSkin source(nullptr);
    source.LoadFromFile(folder.Ini());
    TStringStream written;
    source.WriteData(&written);
    const std::string seed = written.GetDataString();

    auto loadStored = [](const std::string& Pictures, const std::string& Description) {
        TskStoredSkin stored(nullptr);
        stored.SetName("STS_Probe");
        TStringStream stream(Pictures);
        stored.ReadData(&stream);
        stored.IniStrings->SetText(Description);
        TskSkinData data(nullptr);
        data.LoadStoredSkin(&stored);
    };
    ASSERT_NO_THROW(loadStored(seed, kDescription));

    TCorpus pictures;
    AddPictureDamage(pictures, "pictures", seed, 0, 33);
    ExpectBoundedLoads<SKIN_ERRORS>(
        pictures, [&](const std::string& Bytes) { loadStored(Bytes, kDescription); });
    ExpectBoundedLoads<SKIN_ERRORS>(DescriptionCorpus(),
                                    [&](const std::string& Text) { loadStored(seed, Text); });
    ExpectRefusals<EReadError>(CutShortDescriptions(),
                               [&](const std::string& Text) { loadStored(seed, Text); });
    ExpectRefusals<EReadError>(PictureRefusals(seed, 0),
                               [&](const std::string& Bytes) { loadStored(Bytes, kDescription); });
}

TEST(SkinRobustness, CompressedBlocksPayloadsAndFilesLoadOrAreRefused) {
    TSkinFolder folder;
    TskCompressedStoredSkin source(nullptr);
    source.LoadFromIniFile(folder.Ini());
    const std::string block(static_cast<const char*>(source.CompressedStream->GetMemory()),
                            static_cast<std::size_t>(source.CompressedStream->GetSize()));
    TMemoryStream payloadStream;
    source.DeCompressToStream(&payloadStream);
    const std::string payload(static_cast<const char*>(payloadStream.GetMemory()),
                              static_cast<std::size_t>(payloadStream.GetSize()));

    auto loadBlock = [](const std::string& Block) {
        TskCompressedStoredSkin compressed(nullptr);
        TStringStream stream(Block);
        compressed.ReadData(&stream);
        TskSkinData data(nullptr);
        data.LoadCompressedStoredSkin(&compressed);
    };
    auto compress = [](const std::string& Plain) {
        TStringStream plain(Plain), packed;
        CompressStream(&plain, &packed);
        return packed.GetDataString();
    };
    ASSERT_NO_THROW(loadBlock(block));

    TCorpus blocks;
    AddTruncations(blocks, "block", block);
    AddBitFlips(blocks, "block", block, 100, 34);
    // Payloads inflating past the limit, of zeros and of a valid start.
    const std::size_t huge = static_cast<std::size_t>(MaxSkinPayloadSize) + 4096;
    blocks.push_back({"zeros past the limit", compress(std::string(huge, '\0'))});
    blocks.push_back({"payload past the limit", compress(payload + std::string(huge, ' '))});
    // Damaged payloads in sound blocks reach the payload's reader.
    TCorpus payloads;
    AddPictureDamage(payloads, "payload", payload, 4, 35);
    AddFieldValues(payloads, "payload", payload, {{"version", 0, 4}});
    for (TCorpusEntry& entry : payloads)
        blocks.push_back({entry.Name, compress(entry.Bytes)});
    TBounds bounds;
    bounds.HeapBase = std::size_t(192) << 20;
    ExpectBoundedLoads<SKIN_ERRORS>(blocks, loadBlock, bounds);

    const std::string file = Int32(1) + Int32(static_cast<std::int32_t>(block.size())) + block;
    TCorpus files;
    AddTruncations(files, "file", file);
    AddFieldValues(files, "file", file, {{"version", 0, 4}, {"block length", 4, 4}});
    TScratchFile scratch(".skn");
    ExpectBoundedLoads<SKIN_ERRORS>(files, [&](const std::string& Bytes) {
        scratch.Write(Bytes);
        TskCompressedStoredSkin compressed(nullptr);
        compressed.LoadFromCompressFile(scratch.Path());
        TskSkinData data(nullptr);
        data.LoadCompressedStoredSkin(&compressed);
    });

    // Blocks and files that must not load: a payload of another version, bytes after the
    // zlib stream or after the block, a block length short of the file.
    TCorpus refusedBlocks = {{"payload of version 2", compress(Int32(2) + payload.substr(4))},
                             {"a byte after the zlib stream", block + "x"},
                             {"a kilobyte after the zlib stream", block + std::string(1024, '\0')}};
    for (TCorpusEntry& entry : ShortPictureCounts(payload, 2))
        refusedBlocks.push_back({entry.Name, compress(entry.Bytes)});
    ExpectRefusals<EReadError, EDecompressionError>(refusedBlocks, loadBlock, bounds);
    TCorpus refusedFiles = {
        {"a byte after the block", file + "x"},
        {"block length one short", WithField(file, {"block length", 4, 4}, block.size() - 1)}};
    for (const TCorpusEntry& entry : refusedBlocks)
        refusedFiles.push_back(
            {entry.Name, Int32(1) + Int32(static_cast<std::int32_t>(entry.Bytes.size())) + entry.Bytes});
    ExpectRefusals<EReadError, EDecompressionError>(refusedFiles, [&](const std::string& Bytes) {
        scratch.Write(Bytes);
        TskSkinData data(nullptr);
        data.LoadFromCompressedFile(scratch.Path());
    });

    // Inflation by itself, bounded as the skins bound it.
    ExpectBoundedLoads<EDecompressionError>(
        blocks,
        [](const std::string& Block) {
            TStringStream compressed(Block), plain;
            DeCompressStream(&plain, &compressed, MaxSkinPayloadSize);
        },
        bounds);
}

// The program's own compressed skin, from the resources linked into this test.
TEST(SkinRobustness, TheProgramsOwnSkinLoadsOrIsRefusedWhenDamaged) {
    TResourceStream resource(GetModuleHandleA(nullptr), "VANTOREL_SKIN", RT_RCDATA);
    const std::string file(static_cast<const char*>(resource.GetMemory()),
                           static_cast<std::size_t>(resource.GetSize()));
    TScratchFile scratch(".skn");
    auto loadFile = [&scratch](const std::string& Bytes) {
        scratch.Write(Bytes);
        TskSkinData data(nullptr);
        data.LoadFromCompressedFile(scratch.Path());
    };
    ASSERT_NO_THROW(loadFile(file));

    TskCompressedStoredSkin skin(nullptr);
    skin.LoadFromCompressFile(scratch.Path());
    TMemoryStream payloadStream;
    skin.DeCompressToStream(&payloadStream);
    const std::string payload(static_cast<const char*>(payloadStream.GetMemory()),
                              static_cast<std::size_t>(payloadStream.GetSize()));

    TCorpus corpus;
    AddBitFlips(corpus, "skin file", file, 100, 36);
    AddFieldValues(corpus, "skin file", file, {{"block length", 4, 4}});
    // Damaged payloads packed into sound files reach the pictures and the description.
    TCorpus payloads;
    AddBitFlips(payloads, "payload", payload, 20, 37);
    const std::size_t text = payload.find("[VERSION]");
    ASSERT_NE(text, std::string::npos);
    AddBitFlips(payloads, "description", payload.substr(text), 20, 38);
    for (TCorpusEntry& entry : payloads) {
        if (entry.Name.rfind("description", 0) == 0)
            entry.Bytes = payload.substr(0, text) + entry.Bytes;
        corpus.push_back({entry.Name, CompressedSkinFile(entry.Bytes)});
    }
    ExpectBoundedLoads<SKIN_ERRORS>(corpus, loadFile);

    // A count of pictures short of those present is refused, not read as the description.
    const std::size_t countAt = PictureCountAt(payload, 4);
    std::int32_t present = 0;
    std::memcpy(&present, payload.data() + countAt, 4);
    ASSERT_GT(present, 2);
    TCorpus shortCounts;
    for (TCorpusEntry& entry : ShortPictureCounts(payload, present))
        shortCounts.push_back({entry.Name, CompressedSkinFile(entry.Bytes)});
    ExpectRefusals<EReadError>(shortCounts, loadFile);
}

} // namespace

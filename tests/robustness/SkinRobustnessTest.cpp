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

// Damaged descriptions: cut, flipped, and with every number made hostile.
TCorpus DescriptionCorpus() {
    TCorpus corpus;
    AddTruncations(corpus, "description", kDescription);
    AddBitFlips(corpus, "description", kDescription, 80, 31);
    const std::string text = kDescription;
    for (const char* number :
         {"-1", "0", "2147483647", "-2147483648", "4294967296", "99999999999", "1,2", "x", ""})
        for (const char* key : {"activepicturescount=", "[SKINAREAS]\ncount=", "clientrect=2,",
                                "picture=", "windowpictureindex=", "fontheight="}) {
            std::string damaged = text;
            const std::size_t at = damaged.find(key) + std::strlen(key);
            damaged.replace(at, damaged.find_first_of(",\n", at) - at, number);
            corpus.push_back({std::string(key) + number, damaged});
        }
    corpus.push_back({"many objects", text + "[SKINOBJECTS]\ncount=100000\n"});
    corpus.push_back({"long list", std::string("[SKINAREAS]\ncount=1\n0=") +
                                       std::string(100000, ':') + "\n" + text});
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
        TStringStream plain(entry.Bytes), packed;
        CompressStream(&plain, &packed);
        const std::string block = packed.GetDataString();
        corpus.push_back(
            {entry.Name, Int32(1) + Int32(static_cast<std::int32_t>(block.size())) + block});
    }
    ExpectBoundedLoads<SKIN_ERRORS>(corpus, loadFile);
}

} // namespace

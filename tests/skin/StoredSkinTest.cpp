#include "SkinTestSupport.h"
#include "tests/support/TempFolder.h"

#include "skin/data/SkinData.h"
#include "skin/data/SkinData_Compressed.h"
#include "skin/data/SkinData_Stored.h"
#include "skin/data/Skzlibcompress.h"

#include "classlib/FormLoader.h"
#include "classlib/Forms.h"
#include "classlib/Paths.h"
#include "classlib/Strings.h"

#include <cstring>

namespace {

const char* const Description =
    "[VERSION]\nskinname=Stored\nskinauthor=Me\n"
    "[PICTURES]\npicture=frame.bmp\nmask=mask.bmp\nactivepicturescount=2\n"
    "0=a.bmp\n1=b.bmp\n"
    "[FORMINFO]\nclientrect=2,2,30,30\nmaskrectarea=0,0,0,0\n"
    "[SKINAREAS]\ncount=1\n0=top:1,2,3,4\n"
    "[SKINOBJECTS]\ncount=1\n0=close:stdbutton\n[close]\ncommand=cmclose\n"
    "[SKINCONTROLS]\ncount=1\n0=button:button\n[button]\nskinrect=0,0,20,21\n";

struct TSkinFolder : TTempFolder {
    TSkinFolder() {
        Put("skin.ini", Description);
        // 8 bits with a 16-colour table, as authored frame pictures are.
        Put("frame.bmp", SmallPaletteBmp(12, 7, 16));
        MakePicture(12, 7, pf1bit, clBlack)->SaveToFile(PathOf("mask.bmp"));
        MakePicture(8, 4, pf24bit, clBlue)->SaveToFile(PathOf("a.bmp"));
        MakePicture(3, 5, pf24bit, clGreen)->SaveToFile(PathOf("b.bmp"));
    }
    AnsiString Ini() const { return PathOf("skin.ini"); }
};

AnsiString PicturesOf(TskStoredSkin& Skin) {
    TStringStream stream;
    Skin.WriteData(&stream);
    return stream.GetDataString();
}

AnsiString Int32(std::int32_t Value) {
    return AnsiString(reinterpret_cast<const char*>(&Value), 4);
}

} // namespace

TEST(StoredSkin, PicturesLayoutIsFlagsBmpFilesAndACount) {
    TskStoredSkin empty(nullptr);
    EXPECT_EQ(PicturesOf(empty), AnsiString("\1\1\1\1", 4) + Int32(0));

    TSkinFolder folder;
    TskStoredSkin skin(nullptr);
    skin.LoadFromFile(folder.Ini());
    EXPECT_EQ(skin.IniStrings->GetText().substr(0, 9), "[VERSION]");
    EXPECT_EQ(skin.Picture->GetPixelFormat(), pf8bit);
    EXPECT_LT(skin.Picture->GetColorTable().size(), 256u);
    const AnsiString bytes = PicturesOf(skin);
    const AnsiString frame = BmpBytes(skin.Picture.get());
    const AnsiString mask = BmpBytes(skin.Mask.get());
    EXPECT_EQ(bytes, AnsiString(1, '\0') + frame + AnsiString(1, '\0') + mask +
                         AnsiString("\1\1", 2) + Int32(2) + BmpBytes(skin.ActivePictures[0].get()) +
                         BmpBytes(skin.ActivePictures[1].get()));

    // Read back byte for byte, replacing what was there.
    TskStoredSkin copy(nullptr);
    copy.ActivePictures.push_back(MakePicture(2, 2, pf24bit, clRed));
    TStringStream stream(bytes);
    copy.ReadData(&stream);
    EXPECT_EQ(stream.GetPosition(), Int64(bytes.size()));
    EXPECT_EQ(PicturesOf(copy), bytes);
    EXPECT_EQ(copy.Picture->GetColorTable().size(), skin.Picture->GetColorTable().size());
}

TEST(StoredSkin, DamagedPicturesRaiseAReadErrorAndChangeNothing) {
    TSkinFolder folder;
    TskStoredSkin skin(nullptr);
    skin.SetName("STS_Skin");
    skin.LoadFromFile(folder.Ini());
    const AnsiString good = PicturesOf(skin);
    const std::size_t frameSize = BmpBytes(skin.Picture.get()).size();

    AnsiString lying = good; // a frame whose size field runs past the data
    const std::uint32_t huge = 0x7FFFFFF0;
    std::memcpy(lying.data() + 1 + 2, &huge, 4);
    const std::size_t countAt = 1 + frameSize + 1 + BmpBytes(skin.Mask.get()).size() + 2;
    const std::size_t firstSize = BmpBytes(skin.ActivePictures[0].get()).size();
    auto withCount = [&](std::int32_t Count, std::size_t Keep) {
        return good.substr(0, countAt) + Int32(Count) + good.substr(countAt + 4, Keep);
    };
    // Damage that used to load as something else: counts inside the limit that the data does
    // not bear out, a flag that is neither 0 nor 1, a first active picture whose size field
    // takes in the second, and bytes after the last picture.
    AnsiString flag = good;
    flag[countAt - 1] = '\2';
    AnsiString swallowing = withCount(1, AnsiString::npos);
    const std::uint32_t both = static_cast<std::uint32_t>(good.size() - countAt - 4);
    std::memcpy(swallowing.data() + countAt + 4 + 2, &both, 4);
    ASSERT_EQ(both - firstSize, BmpBytes(skin.ActivePictures[1].get()).size());
    for (const AnsiString& bad :
         {good.substr(0, good.size() - 1), good.substr(0, 3), lying, withCount(0x10000000, 0),
          AnsiString(1, '\0') + "XY" + good.substr(3), withCount(-1, 0), withCount(INT32_MIN, 0),
          withCount(0, AnsiString::npos), withCount(1, AnsiString::npos), flag, swallowing,
          good + "x"}) {
        TStringStream stream(bad);
        try {
            skin.ReadData(&stream);
            ADD_FAILURE() << "no error";
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message().substr(0, 18), "STS_Skin.Pictures:");
        }
        EXPECT_EQ(PicturesOf(skin), good);
    }

    folder.Put("b.bmp", "not a picture");
    skin.IniStrings->Clear();
    EXPECT_THROW(skin.LoadFromFile(folder.Ini()), EInvalidGraphic);
    EXPECT_EQ(skin.IniStrings->GetCount(), 0);
    EXPECT_EQ(PicturesOf(skin), good);
}

TEST(StoredSkin, LoadingIntoSkinDataTakesOnlyTheNameAndNoPictureNames) {
    TSkinFolder folder;
    TskStoredSkin stored(nullptr);
    stored.LoadFromFile(folder.Ini());
    TskSkinData data(nullptr);
    data.SkinAuthor = "old";
    data.SetStoredSkin(&stored);
    EXPECT_FALSE(data.Empty);
    EXPECT_EQ(data.SkinName, "Stored");
    EXPECT_EQ(data.SkinAuthor, "old");
    EXPECT_EQ(data.MaskName, "");
    EXPECT_EQ(data.MaskRectArea, TRect()); // no mask post-processing
    EXPECT_EQ(data.GetAreaIndex("top"), 0);
    ASSERT_EQ(data.ActivePictures.size(), 2u);
    ExpectSamePicture(data.ActivePictures[1].get(), stored.ActivePictures[1].get());
    ExpectSamePicture(data.Mask.get(), stored.Mask.get());
}

// A skin data takes the stored skin's further pictures without copying them; what either
// side does to its list afterwards, and the stored skin's going, leaves the other's as it was.
TEST(StoredSkin, SkinDataKeepsItsPicturesWhateverTheStoredSkinDoesAndTheOtherWayRound) {
    TSkinFolder folder;
    auto* stored = new TskStoredSkin(nullptr);
    stored->LoadFromFile(folder.Ini());
    TBitmap first, second;
    first.Assign(stored->ActivePictures[0].get());
    second.Assign(stored->ActivePictures[1].get());
    TskSkinData data(nullptr);
    data.SetStoredSkin(stored);
    ASSERT_EQ(data.ActivePictures.size(), 2u);

    // The skin data's list changes: the stored skin keeps both pictures.
    data.DeleteBitMap(0);
    data.AddBitMap(folder.PathOf("frame.bmp"));
    ASSERT_EQ(stored->ActivePictures.size(), 2u);
    ExpectSamePicture(stored->ActivePictures[0].get(), &first);
    ExpectSamePicture(stored->ActivePictures[1].get(), &second);

    // The stored skin reads other pictures, lets go of them and goes: the skin data's stay.
    data.SetStoredSkin(nullptr);
    data.SetStoredSkin(stored);
    MakePicture(8, 4, pf24bit, clRed)->SaveToFile(folder.PathOf("a.bmp"));
    stored->LoadFromFile(folder.Ini());
    ExpectSamePicture(data.ActivePictures[0].get(), &first);
    stored->ClearBitMaps();
    delete stored;
    EXPECT_EQ(data.GetStoredSkin(), nullptr);
    ASSERT_EQ(data.ActivePictures.size(), 2u);
    ExpectSamePicture(data.ActivePictures[0].get(), &first);
    ExpectSamePicture(data.ActivePictures[1].get(), &second);
}

TEST(CompressedSkin, RoundTripsThroughSkinDataAndTheFile) {
    TSkinFolder folder;
    TskSkinData source(nullptr);
    source.LoadFromFile(folder.Ini());
    TskCompressedStoredSkin skin(nullptr);
    EXPECT_TRUE(skin.GetEmpty());
    skin.LoadFromSkinData(&source);
    ASSERT_FALSE(skin.GetEmpty());
    auto* block = static_cast<const Byte*>(skin.CompressedStream->GetMemory());
    EXPECT_EQ(block[0], 0x78);
    EXPECT_EQ(block[1], 0xDA); // level 9

    TskSkinData copy(nullptr);
    copy.SetCompressedStoredSkin(&skin);
    EXPECT_FALSE(copy.Empty);
    EXPECT_EQ(copy.SkinAuthor, "Me");
    EXPECT_EQ(copy.MaskName, "mask.bmp");
    EXPECT_TRUE(copy.AreaList.empty());
    EXPECT_EQ(copy.ActivePictureNames->GetCommaText(), "a.bmp,b.bmp");
    EXPECT_EQ(copy.MaskRectArea, TRect(2, 2, 30, 30));
    ASSERT_EQ(copy.GetIndex("close"), 0);
    EXPECT_EQ(static_cast<TskDataSkinStdButton*>(copy.ObjectList[0].get())->Command, cmClose);
    ExpectSamePicture(copy.Picture.get(), source.Picture.get());

    // Compressing what was loaded gives the same block again.
    TskCompressedStoredSkin again(nullptr);
    again.LoadFromSkinData(&copy);
    TskCompressedStoredSkin direct(nullptr);
    source.AreaList.clear();
    direct.LoadFromSkinData(&source);
    EXPECT_EQ(again.CompressedStream->GetSize(), direct.CompressedStream->GetSize());
    EXPECT_EQ(std::memcmp(again.CompressedStream->GetMemory(), direct.CompressedStream->GetMemory(),
                          static_cast<std::size_t>(direct.CompressedStream->GetSize())),
              0);

    skin.SaveToCompressFile(folder.PathOf("skin.skn"));
    const AnsiString file = folder.Get("skin.skn");
    EXPECT_EQ(file.substr(0, 8),
              Int32(1) + Int32(static_cast<std::int32_t>(skin.CompressedStream->GetSize())));
    TskCompressedStoredSkin loaded(nullptr);
    loaded.LoadFromCompressFile(folder.PathOf("skin.skn"));
    EXPECT_EQ(loaded.CompressedStream->GetSize(), skin.CompressedStream->GetSize());
    TskSkinData fromFile(nullptr);
    fromFile.LoadFromCompressedFile(folder.PathOf("skin.skn"));
    EXPECT_EQ(fromFile.GetControlIndex("button"), 0);
    TskCompressedStoredSkin empty(nullptr);
    empty.SaveToCompressFile(folder.PathOf("none.skn"));
    EXPECT_FALSE(FileExists(folder.PathOf("none.skn")));
}

TEST(CompressedSkin, FolderSkinsNeedTheRequiredSectionsAndBmpPictures) {
    TSkinFolder folder;
    TskCompressedStoredSkin skin(nullptr);
    skin.LoadFromIniFile(folder.Ini());
    ASSERT_FALSE(skin.GetEmpty());
    const Int64 size = skin.CompressedStream->GetSize();
    TskSkinData data(nullptr);
    data.LoadCompressedStoredSkin(&skin);
    EXPECT_EQ(data.SkinName, "Stored");
    EXPECT_EQ(data.ActivePictures.size(), 2u);

    folder.Put("lacking.ini",
               AnsiString(Description).substr(0, AnsiString(Description).find("[SKINCONTROLS]")));
    skin.LoadFromIniFile(folder.PathOf("lacking.ini"));
    EXPECT_EQ(skin.CompressedStream->GetSize(), size);
    folder.Put("b.bmp", "BMnot a picture");
    EXPECT_THROW(skin.LoadFromIniFile(folder.Ini()), EInvalidGraphic);
    EXPECT_EQ(skin.CompressedStream->GetSize(), size);
}

TEST(CompressedSkin, DamagedBlocksAndFilesAreRefused) {
    TSkinFolder folder;
    TskCompressedStoredSkin skin(nullptr);
    skin.LoadFromIniFile(folder.Ini());
    const AnsiString block(static_cast<const char*>(skin.CompressedStream->GetMemory()),
                           static_cast<std::size_t>(skin.CompressedStream->GetSize()));

    std::vector<AnsiString> log;
    TskSkinData data(nullptr);
    TskCompressedStoredSkin damaged(nullptr);
    TStringStream truncated(block.substr(0, block.size() - 10));
    damaged.ReadData(&truncated);
    EXPECT_THROW(data.LoadCompressedStoredSkin(&damaged), EDecompressionError);
    EXPECT_TRUE(data.Empty);

    // A payload of another version, and bytes after the zlib stream, are refused naming the
    // component or the file, and the skin loaded before stays.
    TStringStream plain(Int32(2) + AnsiString("\1\1\1\1", 4) + Int32(0) + Description), packed;
    CompressStream(&plain, &packed);
    TStringStream versioned(packed.GetDataString());
    damaged.SetName("CSS_Skin");
    damaged.ReadData(&versioned);
    data.LoadFromFile(folder.Ini());
    try {
        data.LoadCompressedStoredSkin(&damaged);
        ADD_FAILURE() << "no error";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message().substr(0, 24), "CSS_Skin.CompressedData:") << e.Message();
    }
    EXPECT_FALSE(data.Empty);
    EXPECT_EQ(data.CtrlList.size(), 1u);
    folder.Put("v2payload.skn", Int32(1) + Int32(static_cast<std::int32_t>(packed.GetSize())) +
                                    packed.GetDataString());
    try {
        data.LoadFromCompressedFile(folder.PathOf("v2payload.skn"));
        ADD_FAILURE() << "no error";
    } catch (const EReadError& e) {
        EXPECT_NE(e.Message().find(folder.PathOf("v2payload.skn")), AnsiString::npos);
    }
    TStringStream trailing(block + "tail");
    damaged.ReadData(&trailing);
    EXPECT_THROW(data.LoadCompressedStoredSkin(&damaged), EDecompressionError);
    EXPECT_FALSE(data.Empty);

    // Files: a block length that is not the rest of the file raises and changes nothing;
    // another version empties the component.
    for (std::int32_t n : {-1, static_cast<std::int32_t>(block.size()) + 1, 0x7FFFFFFF,
                           static_cast<std::int32_t>(block.size()) - 1}) {
        folder.Put("bad.skn", Int32(1) + Int32(n) + block);
        EXPECT_THROW(skin.LoadFromCompressFile(folder.PathOf("bad.skn")), EReadError);
        EXPECT_EQ(skin.CompressedStream->GetSize(), Int64(block.size()));
    }
    folder.Put("short.skn", "\1\0");
    EXPECT_THROW(skin.LoadFromCompressFile(folder.PathOf("short.skn")), EReadError);
    EXPECT_THROW(skin.LoadFromCompressFile(folder.PathOf("absent.skn")), EFOpenError);
    folder.Put("v2.skn", Int32(2) + Int32(static_cast<std::int32_t>(block.size())) + block);
    skin.LoadFromCompressFile(folder.PathOf("v2.skn"));
    EXPECT_TRUE(skin.GetEmpty());
    data.LoadCompressedStoredSkin(&skin); // nothing at all for an empty skin
}

TEST(StoredSkin, FormResourcesCarryTheSkinAndLoadItThroughTheReference) {
    TSkinFolder folder;
    auto* module = new TDataModule(nullptr);
    module->SetName("DMM");
    auto* stored = new TskStoredSkin(module);
    stored->SetName("STS_StoredSkin");
    stored->SetFileName("skin.ini");
    stored->LoadFromFile(folder.Ini());
    auto* data = new TskSkinData(module);
    data->SetName("STS_SkinData");
    data->SetStoredSkin(stored);
    auto* packed = new TskCompressedStoredSkin(module);
    packed->SetName("CSS_Skin");
    packed->LoadFromSkinData(data);
    const AnsiString text = WriteComponentText(module);
    const Int64 packedSize = packed->CompressedStream->GetSize();
    delete module;

    auto* copy = new TDataModule(nullptr);
    ReadComponentText(text, copy);
    auto* copyData = dynamic_cast<TskSkinData*>(copy->FindComponent("STS_SkinData"));
    ASSERT_TRUE(copyData);
    EXPECT_FALSE(copyData->Empty);
    EXPECT_EQ(copyData->SkinName, "Stored");
    EXPECT_EQ(copyData->GetControlIndex("button"), 0);
    EXPECT_EQ(copyData->ActivePictures.size(), 2u);
    auto* copyPacked = dynamic_cast<TskCompressedStoredSkin*>(copy->FindComponent("CSS_Skin"));
    ASSERT_TRUE(copyPacked);
    EXPECT_EQ(copyPacked->CompressedStream->GetSize(), packedSize);
    EXPECT_EQ(WriteComponentText(copy), text);
    // Removing the stored skin clears the reference and keeps the loaded skin.
    delete copy->FindComponent("STS_StoredSkin");
    EXPECT_EQ(copyData->GetStoredSkin(), nullptr);
    EXPECT_FALSE(copyData->Empty);
    delete copy;
}

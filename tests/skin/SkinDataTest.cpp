#include "SkinTestSupport.h"
#include "tests/support/TempFolder.h"

#include "skin/data/SkinData.h"
#include "skin/data/SkinData_Compressed.h"
#include "skin/data/SkinData_Stored.h"

#include "classlib/Forms.h"
#include "classlib/Paths.h"
#include "classlib/Strings.h"

namespace {

const char* const Description =
    "[VERSION]\nskinname=Test\nskinauthor=Me\n"
    "[PICTURES]\npicture=frame.bmp\nmask=\nactivepicturescount=2\n0=a.bmp\n1=b.bmp\n"
    "[CURSORS]\nstartcursorindex=-3\n"
    "[FORMINFO]\nlefttoppoint=10,10\nrighttoppoint=30,10\nleftbottompoint=10,30\n"
    "rightbottompoint=30,30\nclientrect=12,14,28,26\nmaskrectarea=1,1,2,2\n"
    "inactiveeffect=iegrayscale\n"
    "[POPUPWINDOW]\nwindowpictureindex=1\n"
    "[SKINAREAS]\ncount=2\n0=top:1,2,3,4\n1=noarea\n"
    "[SKINOBJECTS]\ncount=3\n0=caption:caption\n1=close:stdbutton\n2=caption:button\n"
    "[SKINCONTROLS]\ncount=4\n0=button:button\n1=odd:Button\n2=nocolon\n3=panel:panel\n"
    "[button]\nskinrect=0,0,20,21\nfontheight=15\n"
    "[panel]\nbgpictureindex=0\n";

// A skin folder: the description and its three pictures.
struct TSkinFolder : TTempFolder {
    explicit TSkinFolder(const AnsiString& Text = Description) {
        Put("skin.ini", Text);
        MakePicture(40, 40, pf8bit, clRed)->SaveToFile(PathOf("frame.bmp"));
        MakePicture(8, 4, pf24bit, clBlue)->SaveToFile(PathOf("a.bmp"));
        MakePicture(3, 5, pf24bit, clGreen)->SaveToFile(PathOf("b.bmp"));
    }
    AnsiString Ini() const { return PathOf("skin.ini"); }
};

// A form that logs the skin messages it receives.
class TLogForm : public TForm {
public:
    TLogForm(TComponent* AOwner, std::vector<AnsiString>& Log, const char* Name)
        : TForm(AOwner), FLog(Log), FName(Name) {}
    void WndProc(TMessage& Message) override {
        if (Message.Msg >= 1225 && Message.Msg <= 1227) {
            EXPECT_EQ(Message.LParam, 1000);
            auto* data = reinterpret_cast<TskSkinData*>(Message.WParam);
            FLog.push_back(
                Format("%s %d %s", FName, int(Message.Msg), data->Empty ? "empty" : "full"));
        }
        TForm::WndProc(Message);
    }

private:
    std::vector<AnsiString>& FLog;
    AnsiString FName;
};

void ExpectSameRecords(TskSkinData& A, TskSkinData& B) {
    ASSERT_EQ(A.CtrlList.size(), B.CtrlList.size());
    for (std::size_t i = 0; i < A.CtrlList.size(); ++i) {
        TSkinFieldLevels levels;
        A.CtrlList[i]->GetFieldTables(levels);
        EXPECT_EQ(A.CtrlList[i]->ClassType(), B.CtrlList[i]->ClassType());
        EXPECT_TRUE(SameSkinFields(A.CtrlList[i].get(), B.CtrlList[i].get(), levels));
    }
    ASSERT_EQ(A.ObjectList.size(), B.ObjectList.size());
    for (std::size_t i = 0; i < A.ObjectList.size(); ++i) {
        TSkinFieldLevels levels;
        A.ObjectList[i]->GetFieldTables(levels);
        EXPECT_EQ(A.ObjectList[i]->ClassType(), B.ObjectList[i]->ClassType());
        EXPECT_TRUE(SameSkinFields(A.ObjectList[i].get(), B.ObjectList[i].get(), levels));
    }
    EXPECT_TRUE(SameSkinFields(&A, &B, {&TskSkinData::FormInfoFields()}));
    ASSERT_EQ(A.ActivePictures.size(), B.ActivePictures.size());
    for (std::size_t i = 0; i < A.ActivePictures.size(); ++i)
        ExpectSamePicture(A.ActivePictures[i].get(), B.ActivePictures[i].get());
    ExpectSamePicture(A.Picture.get(), B.Picture.get());
}

// A 32 x 32 monochrome cursor file: the arrow's hot spot at (1, 2).
std::string CursorFileBytes() {
    std::string bytes;
    auto put = [&bytes](unsigned Value, int Size) {
        for (int i = 0; i < Size; ++i) bytes += static_cast<char>((Value >> (8 * i)) & 0xFF);
    };
    const unsigned imageSize = 40 + 8 + 128 + 128;
    put(0, 2), put(2, 2), put(1, 2);                              // a cursor directory of one
    put(32, 1), put(32, 1), put(0, 1), put(0, 1), put(1, 2), put(2, 2);
    put(imageSize, 4), put(6 + 16, 4);
    put(40, 4), put(32, 4), put(64, 4), put(1, 2), put(1, 2);     // the image header
    put(0, 4), put(0, 4), put(0, 4), put(0, 4), put(0, 4), put(0, 4);
    put(0, 4), put(0xFFFFFF, 4);                                  // black and white
    for (int row = 0; row < 32; ++row) put(row % 2 ? 0xF0F0F0F0 : 0, 4); // the picture
    for (int row = 0; row < 32; ++row) put(0, 4);                         // the mask
    return bytes;
}

AnsiString DescriptionOf(TskSkinData& Data) {
    TTestIni ini;
    Data.SaveToCustomIniFile(&ini.Ini);
    return ini.Text();
}

} // namespace

TEST(SkinData, LoadsAFolderIntoRecordsPicturesAndTheFrame) {
    TSkinFolder folder;
    TskSkinData data(nullptr);
    data.SkipCursorFiles = true;
    data.LoadFromFile(folder.Ini());
    EXPECT_FALSE(data.Empty);
    EXPECT_EQ(data.SkinName, "Test");
    EXPECT_EQ(data.SkinAuthor, "Me");
    EXPECT_EQ(data.PictureName, "frame.bmp");
    EXPECT_EQ(data.Picture->GetPixelFormat(), pf8bit);
    ASSERT_EQ(data.ActivePictures.size(), 2u);
    EXPECT_EQ(data.ActivePictures[1]->GetHeight(), 5);
    EXPECT_EQ(data.ActivePictureNames->GetCommaText(), "a.bmp,b.bmp");
    EXPECT_EQ(data.StartCursorIndex, 1);
    EXPECT_EQ(data.PopupWindow->WindowPictureIndex, 1);
    EXPECT_EQ(data.InActiveEffect, ieGrayScale);
    // No mask: the mask rectangle stays; the corners are pulled into the client rect.
    EXPECT_EQ(data.MaskRectArea, TRect(1, 1, 2, 2));
    EXPECT_EQ(data.LTPoint, TPoint(12, 14));
    EXPECT_EQ(data.RTPoint, TPoint(28, 14));
    EXPECT_EQ(data.LBPoint, TPoint(12, 26));
    EXPECT_EQ(data.RBPoint, TPoint(28, 26));

    EXPECT_EQ(data.GetAreaIndex("top"), 0);
    EXPECT_EQ(data.AreaList.size(), 1u);
    EXPECT_EQ(data.GetIndex("caption"), 0); // the first of two equal names
    EXPECT_TRUE(data.ObjectList[2]->InheritsFrom(TskDataSkinButton::StaticClass()));
    EXPECT_EQ(data.GetIndex("Caption"), -1);
    EXPECT_EQ(data.CtrlList.size(), 2u); // unknown and colon-less entries are skipped
    ASSERT_EQ(data.GetControlIndex("panel"), 1);
    auto* button = dynamic_cast<TskDataSkinButtonControl*>(data.CtrlList[0].get());
    ASSERT_TRUE(button);
    EXPECT_EQ(button->FontHeight, 15);
    EXPECT_EQ(button->SkinRect, TRect(0, 0, 20, 21));

    data.ClearSkin();
    EXPECT_TRUE(data.Empty);
    EXPECT_EQ(data.GetControlIndex("button"), -1);
    EXPECT_TRUE(data.Picture->GetEmpty());
    EXPECT_EQ(data.SkinName, "Test"); // kept until a load reads it again
}

TEST(SkinData, MaskPostProcessingRunsOnlyWithAMaskName) {
    TTestIni ini("[FORMINFO]\nclientrect=5,5,20,20\nmaskrectarea=0,0,0,0\nlefttoppoint=3,3\n"
                 "hittestlefttoppoint=7,0\nrightbottompoint=3,9\n");
    TskSkinData data(nullptr);
    data.ReadFormInfo(&ini.Ini);
    EXPECT_EQ(data.MaskRectArea, TRect());
    EXPECT_EQ(data.HitTestLTPoint, TPoint(7, 0));
    EXPECT_EQ(data.LTPoint, TPoint(3, 3)); // equal X: no pull-in
    data.MaskName = "mask.bmp";
    data.ReadFormInfo(&ini.Ini);
    EXPECT_EQ(data.MaskRectArea, TRect(5, 5, 20, 20));
    EXPECT_EQ(data.HitTestLTPoint, TPoint(3, 3));
    TTestIni grown("[FORMINFO]\nclientrect=5,5,20,20\nmaskrectarea=8,2,10,30\n");
    data.ReadFormInfo(&grown.Ini);
    EXPECT_EQ(data.MaskRectArea, TRect(5, 2, 20, 30));
}

TEST(SkinData, MessagesGoToTheOwnerFormFirstAndOnlyForFormOwners) {
    std::vector<AnsiString> log;
    auto* other = new TLogForm(Application, log, "other");
    auto* owner = new TLogForm(Application, log, "owner");
    TSkinFolder folder;
    auto* data = new TskSkinData(owner);
    data->SkipCursorFiles = true;
    data->LoadFromFile(folder.Ini());
    EXPECT_EQ(log,
              (std::vector<AnsiString>{"owner 1225 empty", "other 1225 empty", "owner 1226 full",
                                       "other 1226 full", "owner 1227 full", "other 1227 full"}));
    log.clear();
    folder.Put("skin.ini", "[VERSION]\n[PICTURES]\n[FORMINFO]\n[SKINOBJECTS]\n");
    data->LoadFromFile(folder.Ini());
    EXPECT_TRUE(data->Empty);
    EXPECT_TRUE(data->ActivePictures.empty());
    EXPECT_EQ(log.size(), 6u);
    EXPECT_EQ(log[2], "owner 1226 empty");

    // A load that raises passes the error on and leaves the loaded skin, without a message.
    folder.Put("skin.ini", Description);
    data->LoadFromFile(folder.Ini());
    log.clear();
    AnsiString damaged = Description;
    damaged.replace(damaged.find("skinrect=0,0,20,21"), 18, "skinrect=0,0,x,21");
    folder.Put("skin.ini", damaged);
    EXPECT_THROW(data->LoadFromFile(folder.Ini()), EConvertError);
    EXPECT_FALSE(data->Empty);
    EXPECT_EQ(data->CtrlList.size(), 2u);
    EXPECT_FALSE(data->Picture->GetEmpty());
    EXPECT_TRUE(log.empty());
    EXPECT_THROW(data->LoadFromFile(folder.PathOf("absent.ini")), EFOpenError);
    EXPECT_TRUE(log.empty());

    log.clear();
    TDataModule* module = new TDataModule(Application);
    auto* quiet = new TskSkinData(module);
    EXPECT_THROW(quiet->LoadFromFile(folder.Ini() + "x"), EFOpenError);
    EXPECT_THROW(quiet->LoadFromFile(folder.Ini()), EConvertError);
    quiet->ClearSkin();
    EXPECT_TRUE(log.empty());
    delete module;
    delete owner;
    delete other;
}

TEST(SkinData, BadPicturesAreNamedInTheError) {
    TSkinFolder folder;
    folder.Put("b.bmp", "BM garbage");
    TskSkinData data(nullptr);
    try {
        data.LoadFromFile(folder.Ini());
        FAIL();
    } catch (const EInvalidGraphic& e) {
        EXPECT_NE(e.Message().find("active picture 1 \"b.bmp\""), AnsiString::npos) << e.Message();
    }
    EXPECT_TRUE(data.Empty);
}

// Counts that the entries do not bear out: a description cut short, or pictures it never
// names. Each is refused, naming the description and the entry, and the skin loaded before
// stays as it was, without a message.
TEST(SkinData, ListsThatCountMoreEntriesThanPresentAreRefused) {
    TSkinFolder folder;
    TskSkinData data(nullptr);
    data.LoadFromFile(folder.Ini());
    ASSERT_FALSE(data.Empty);
    const AnsiString text = Description;
    auto replaced = [&](const AnsiString& Old, const AnsiString& New) {
        AnsiString damaged = text;
        damaged.replace(damaged.find(Old), Old.size(), New);
        return damaged;
    };
    for (const AnsiString& damaged :
         {replaced("activepicturescount=2", "activepicturescount=65536"),
          replaced("[SKINCONTROLS]\ncount=4", "[SKINCONTROLS]\ncount=5"),
          replaced("[SKINOBJECTS]\ncount=3", "[SKINOBJECTS]\ncount=4"),
          replaced("[SKINAREAS]\ncount=2", "[SKINAREAS]\ncount=3"),
          text.substr(0, text.find("3=panel:panel")),
          replaced("startcursorindex=-3", "startcursorindex=-3\ncursorscount=1")}) {
        folder.Put("skin.ini", damaged);
        try {
            data.LoadFromFile(folder.Ini());
            ADD_FAILURE() << "loaded: " << damaged;
        } catch (const EReadError& e) {
            EXPECT_NE(e.Message().find(folder.Ini()), AnsiString::npos) << e.Message();
            EXPECT_NE(e.Message().find("is missing"), AnsiString::npos) << e.Message();
        }
        EXPECT_FALSE(data.Empty);
        EXPECT_EQ(data.CtrlList.size(), 2u);
        EXPECT_EQ(data.ActivePictures.size(), 2u);

        TskStoredSkin stored(nullptr);
        stored.IniStrings->SetText(damaged);
        EXPECT_THROW(data.LoadStoredSkin(&stored), EReadError);
        EXPECT_FALSE(data.Empty);
    }
    // A record's multi-line text that counts more lines than it has.
    const AnsiString withSymbols = replaced("3=panel:panel", "3=bits:bitlabel") +
                             "[bits]\nsymbolslinecount=3\nsymbolsline0=x\n";
    folder.Put("skin.ini", withSymbols);
    EXPECT_THROW(data.LoadFromFile(folder.Ini()), EReadError);
    EXPECT_FALSE(data.Empty);
    EXPECT_EQ(data.CtrlList.size(), 2u);
}

// Whatever a load finds wrong (a record's text cut short, a malformed number, a picture or a
// cursor file that cannot be read), the skin loaded before stays whole, through each reader.
TEST(SkinData, ARefusedLoadKeepsTheLoadedSkinThroughEveryReader) {
    AnsiString text = Description;
    text.replace(text.find("[CURSORS]\nstartcursorindex=-3\n"), 30,
                 "[CURSORS]\nstartcursorindex=40\ncursorscount=1\n0=hand.cur\n");
    text.replace(text.find("3=panel:panel"), 13, "3=bits:bitlabel");
    text += "[bits]\nsymbolslinecount=1\nsymbolsline0=x\n";
    TSkinFolder folder(text);
    folder.Put("hand.cur", CursorFileBytes());
    TskSkinData data(nullptr);
    data.LoadFromFile(folder.Ini());
    const AnsiString loaded = DescriptionOf(data);
    auto expectLoaded = [&](const AnsiString& What) {
        EXPECT_FALSE(data.Empty) << What;
        EXPECT_EQ(DescriptionOf(data), loaded) << What;
        EXPECT_EQ(data.Picture->GetWidth(), 40) << What;
        EXPECT_EQ(data.ActivePictures.size(), 2u) << What;
        EXPECT_EQ(data.CursorNames->GetCommaText(), "hand.cur") << What;
    };
    auto replaced = [&](const AnsiString& Old, const AnsiString& New) {
        AnsiString damaged = text;
        damaged.replace(damaged.find(Old), Old.size(), New);
        return damaged;
    };
    const AnsiString descriptions[] = {replaced("symbolslinecount=1", "symbolslinecount=2"),
                                       replaced("skinrect=0,0,20,21", "skinrect=0,,20,21"),
                                       replaced("clientrect=12,14,28,26", "clientrect=12,14,x,")};
    for (const AnsiString& damaged : descriptions) {
        folder.Put("skin.ini", damaged);
        EXPECT_ANY_THROW(data.LoadFromFile(folder.Ini())) << damaged;
        expectLoaded("folder: " + damaged);
        TskStoredSkin stored(nullptr);
        stored.IniStrings->SetText(damaged);
        EXPECT_ANY_THROW(data.LoadStoredSkin(&stored)) << damaged;
        expectLoaded("stored: " + damaged);
        TskCompressedStoredSkin compressed(nullptr);
        compressed.LoadFromIniFile(folder.Ini());
        ASSERT_FALSE(compressed.GetEmpty());
        EXPECT_ANY_THROW(data.LoadCompressedStoredSkin(&compressed)) << damaged;
        expectLoaded("compressed: " + damaged);
    }
    folder.Put("skin.ini", text);
    folder.Put("hand.cur", "not a cursor");
    EXPECT_THROW(data.LoadFromFile(folder.Ini()), EFOpenError);
    expectLoaded("a cursor file that cannot be read");
    folder.Put("hand.cur", CursorFileBytes());
    folder.Put("b.bmp", "BM garbage");
    EXPECT_THROW(data.LoadFromFile(folder.Ini()), EInvalidGraphic);
    expectLoaded("a picture that cannot be read");
}

TEST(SkinData, TheDescriptionWriterIsStableAndReadsBack) {
    TSkinFolder folder;
    TskSkinData data(nullptr);
    data.SkipCursorFiles = true;
    data.LoadFromFile(folder.Ini());
    const AnsiString first = DescriptionOf(data);
    EXPECT_EQ(first.substr(0, 22), "[VERSION]\r\nver=2\r\nskin");
    EXPECT_EQ(DescriptionOf(data), first);
    // Stale keys of fixed sections go.
    TTestIni stale("[FORMINFO]\nstale=1\n[PICTURES]\nactivepicturescount=9\n");
    data.SaveToCustomIniFile(&stale.Ini);
    EXPECT_FALSE(stale.Ini.ValueExists("FORMINFO", "stale"));
    EXPECT_EQ(stale.Ini.ReadInteger("PICTURES", "activepicturescount", 0), 2);

    data.SaveToFile(folder.PathOf("copy.ini"));
    TskSkinData again(nullptr);
    again.SkipCursorFiles = true;
    again.LoadFromFile(folder.PathOf("copy.ini"));
    ExpectSameRecords(data, again);
    EXPECT_EQ(DescriptionOf(again), first);
}

TEST(SkinData, StoreToDiskWritesAFolderThatReloads) {
    TSkinFolder source;
    TskSkinData data(nullptr);
    data.SkipCursorFiles = true;
    data.LoadFromFile(source.Ini());
    data.ActivePictureNames->Put(0, "a.jpg");
    data.ActivePictureNames->Delete(1); // a picture without a name
    data.PictureName.clear();

    TTempFolder target;
    const AnsiString path = IncludeTrailingPathDelimiter(target.GetPath().string());
    data.StoreToDisk(path);
    TskSkinData reloaded(nullptr);
    reloaded.SkipCursorFiles = true;
    reloaded.LoadFromFile(path + "skin.ini");
    EXPECT_EQ(reloaded.PictureName, "picture.bmp");
    EXPECT_EQ(reloaded.ActivePictureNames->GetCommaText(), "a_jpg.bmp,active1.bmp");
    EXPECT_EQ(reloaded.MaskName, "");
    ExpectSameRecords(data, reloaded);
    EXPECT_EQ(reloaded.GetAreaIndex("top"), 0);
}

TEST(SkinData, StoreToDiskWritesTheCursorFilesItsDescriptionNames) {
    AnsiString text = Description;
    text.replace(text.find("[CURSORS]\nstartcursorindex=-3\n"), 30,
                 "[CURSORS]\nstartcursorindex=40\ncursorscount=1\n0=hand.cur\n");
    TSkinFolder source(text);
    source.Put("hand.cur", CursorFileBytes());
    TskSkinData data(nullptr);
    data.LoadFromFile(source.Ini());
    ASSERT_EQ(data.CursorNames->GetCommaText(), "hand.cur");

    TTempFolder target;
    const AnsiString path = IncludeTrailingPathDelimiter(target.GetPath().string());
    data.StoreToDisk(path);
    EXPECT_EQ(target.Get("hand.cur"), CursorFileBytes());
    TskSkinData reloaded(nullptr);
    reloaded.LoadFromFile(path + "skin.ini");
    EXPECT_EQ(reloaded.CursorNames->GetCommaText(), "hand.cur");
    EXPECT_EQ(reloaded.StartCursorIndex, 40);

    // Cursors whose files were never read cannot go with the folder: storing it is refused
    // before anything is written, rather than leaving the cursors out.
    TskSkinData skipped(nullptr);
    skipped.SkipCursorFiles = true;
    skipped.LoadFromFile(source.Ini());
    TTempFolder second;
    const AnsiString secondPath = IncludeTrailingPathDelimiter(second.GetPath().string());
    try {
        skipped.StoreToDisk(secondPath);
        ADD_FAILURE() << "stored without its cursor files";
    } catch (const EWriteError& e) {
        EXPECT_NE(e.Message().find("cursors"), AnsiString::npos) << e.Message();
    }
    EXPECT_FALSE(FileExists(secondPath + "skin.ini"));
    EXPECT_FALSE(FileExists(secondPath + "frame.bmp"));
}

TEST(SkinData, AFailedWriteLeavesTheOldDescriptionWhole) {
    TSkinFolder folder;
    TskSkinData data(nullptr);
    data.SkipCursorFiles = true;
    data.LoadFromFile(folder.Ini());
    const AnsiString before = folder.Get("skin.ini");
    // A record whose name cannot be a section of the description.
    data.CtrlList.push_back(std::make_unique<TskDataSkinButtonControl>("bad]name"));
    EXPECT_THROW(data.SaveToFile(folder.Ini()), EIniFileException);
    EXPECT_EQ(folder.Get("skin.ini"), before);
    const AnsiString path = IncludeTrailingPathDelimiter(folder.GetPath().string());
    EXPECT_THROW(data.StoreToDisk(path), EIniFileException);
    EXPECT_EQ(folder.Get("skin.ini"), before);

    // Such names are refused when a description is read, so a loaded skin always saves.
    AnsiString text = Description;
    text.replace(text.find("count=4\n"), 8, "count=6\n");
    text.replace(text.find("3=panel:panel\n"), 14, "3=panel:panel\n4=bad]name:button\n5= :panel\n");
    folder.Put("skin.ini", text);
    TskSkinData refusing(nullptr);
    refusing.SkipCursorFiles = true;
    refusing.LoadFromFile(folder.Ini());
    EXPECT_EQ(refusing.GetControlIndex("bad]name"), -1);
    EXPECT_EQ(refusing.CtrlList.size(), 2u);
    refusing.SaveToFile(folder.PathOf("copy.ini"));
}

TEST(SkinData, AddingAndDeletingPictures) {
    TSkinFolder folder;
    TskSkinData data(nullptr);
    data.AddBitMap(folder.PathOf("a.bmp"));
    data.AddBitMap(folder.PathOf("b.bmp"));
    EXPECT_EQ(data.ActivePictureNames->GetCommaText(), "a.bmp,b.bmp");
    EXPECT_THROW(data.DeleteBitMap(2), EListError);
    data.DeleteBitMap(0);
    ASSERT_EQ(data.ActivePictures.size(), 1u);
    EXPECT_EQ(data.ActivePictures[0]->GetHeight(), 5);
    EXPECT_THROW(data.AddBitMap(folder.PathOf("missing.jpg")), EFOpenError);
    EXPECT_EQ(data.ActivePictures.size(), 1u);
    // Only ".jpg" and ".jpeg" as written pick the JPEG decoder.
    MakePicture(4, 4, pf24bit, clRed)->SaveToFile(folder.PathOf("upper.JPG"));
    data.AddBitMap(folder.PathOf("upper.JPG"));
    EXPECT_EQ(data.ActivePictures.size(), 2u);
    EXPECT_THROW(data.AddBitMap(folder.PathOf("a.bmp.jpeg")), EFOpenError);
    CopyFileA(folder.PathOf("a.bmp").c_str(), folder.PathOf("a.jpeg.bmp").c_str(), FALSE);
    EXPECT_THROW(data.AddBitMap(folder.PathOf("a.jpeg.bmp")), EInvalidGraphic);
}

TEST(SkinData, CursorFilesAreLoadedUnlessSkipped) {
    AnsiString text = Description;
    text.replace(text.find("[CURSORS]\nstartcursorindex=-3\n"), 30,
                 "[CURSORS]\nstartcursorindex=40\ncursorscount=1\n0=hand.cur\n");
    TSkinFolder folder(text);
    TskSkinData data(nullptr);
    try {
        data.LoadFromFile(folder.Ini());
        FAIL();
    } catch (const EFOpenError& e) {
        EXPECT_NE(e.Message().find("cursor 0"), AnsiString::npos) << e.Message();
    }
    data.SkipCursorFiles = true;
    data.LoadFromFile(folder.Ini());
    EXPECT_EQ(data.StartCursorIndex, 40);
    EXPECT_EQ(data.CursorNames->GetCommaText(), "hand.cur");
    TskStoredSkin stored(nullptr);
    stored.LoadFromFile(folder.Ini());
    data.LoadStoredSkin(&stored); // a stored skin reads no cursor names
    EXPECT_EQ(data.StartCursorIndex, 40);
    EXPECT_EQ(data.CursorNames->GetCount(), 0);
}

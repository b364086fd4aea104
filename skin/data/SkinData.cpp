#include "skin/data/SkinData.h"

#include "skin/data/SkinData_Compressed.h"
#include "skin/data/SkinData_Stored.h"
#include "skin/data/Skutils_Geometry.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Forms.h"
#include "classlib/IniFiles.h"
#include "classlib/Paths.h"
#include "classlib/Persistence.h"
#include "classlib/Streams.h"
#include "classlib/Strings.h"
#include "classlib/UnitInit.h"

#include <algorithm>
#include <cctype>

namespace {

void RegisterSkinDataClasses() {
    RegisterClass(TskSkinData::StaticClass());
    RegisterClass(TskStoredSkin::StaticClass());
    RegisterClass(TskCompressedStoredSkin::StaticClass());
}

const char* const PictureKeys[4] = {"picture", "mask", "rolluppicture", "rollupmask"};
const char* const DiskPictureNames[4] = {"picture.bmp", "mask.bmp", "rolluppicture.bmp",
                                         "rollupmask.bmp"};

// The name under which a picture goes to disk: a bare file name ending in ".bmp" that
// the picture loading rule reads as BMP (so ".jpg" and ".jpeg" in it become "_jpg"...).
AnsiString DiskName(const AnsiString& Name, const AnsiString& Fallback) {
    AnsiString name = ExtractFileName(Name);
    if (name.empty()) return Fallback;
    for (const char* jpeg : {".jpeg", ".jpg"})
        for (std::size_t at = name.find(jpeg); at != AnsiString::npos; at = name.find(jpeg, at))
            name[at] = '_';
    if (LowerCase(ExtractFileExt(name)) != ".bmp") name += ".bmp";
    return name;
}

AnsiString Describe(TCustomIniFile* IniFile) {
    return IniFile->GetFileName().empty() ? AnsiString("the skin description")
                                          : IniFile->GetFileName();
}

} // namespace

DEFINE_UNIT(SkinData, uoSkin, RegisterSkinDataClasses, nullptr);

bool CheckSkinSections(TCustomIniFile* IniFile) {
    for (const char* section : {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"})
        if (!IniFile->SectionExists(section)) return false;
    return true;
}

void CheckSkinLists(TCustomIniFile* IniFile) {
    ReadListCount(IniFile, "PICTURES", "activepicturescount");
    ReadListCount(IniFile, "CURSORS", "cursorscount");
    for (const char* section : {"SKINAREAS", "SKINOBJECTS", "SKINCONTROLS"})
        ReadListCount(IniFile, section, "count");
}

TskSkinData::TskSkinData(TComponent* AOwner)
    : TComponent(AOwner), Picture(std::make_unique<TBitmap>()), Mask(std::make_unique<TBitmap>()),
      RollUpPicture(std::make_unique<TBitmap>()), RollUpMask(std::make_unique<TBitmap>()),
      ActivePictureNames(std::make_unique<TStringList>()),
      CursorNames(std::make_unique<TStringList>()),
      PopupWindow(std::make_unique<TskDataSkinPopupWindow>()),
      HintWindow(std::make_unique<TskDataSkinHintWindow>()) {}

TskSkinData::~TskSkinData() {
    Empty = true;
    ClearObjects();
}

void TskSkinData::Published(TPropertyList& P) {
    P.Add("StoredSkin", &TskSkinData::GetStoredSkin, &TskSkinData::SetStoredSkin);
    P.Add("CompressedStoredSkin", &TskSkinData::GetCompressedStoredSkin,
          &TskSkinData::SetCompressedStoredSkin);
}

const TSkinFieldTable& TskSkinData::FormInfoFields() {
    using C = TskSkinData;
    static const TSkinFieldTable table = {
        SkinField("lefttoppoint", &C::LTPoint, TPoint(), 1),
        SkinField("righttoppoint", &C::RTPoint, TPoint(), 2),
        SkinField("leftbottompoint", &C::LBPoint, TPoint(), 3),
        SkinField("rightbottompoint", &C::RBPoint, TPoint(), 4),
        SkinField("clientrect", &C::ClRect, TRect(), 5),
        SkinField("bgpictureindex", &C::BGPictureIndex, -1, 6),
        SkinField("leftstretch", &C::LeftStretch, false, 8),
        SkinField("rightstretch", &C::RightStretch, false, 9),
        SkinField("topstretch", &C::TopStretch, false, 10),
        SkinField("bottomstretch", &C::BottomStretch, false, 11),
        SkinField("buttonsrect", &C::ButtonsRect, TRect(), 12),
        SkinField("captionrect", &C::CaptionRect, TRect(), 13),
        SkinField("buttonsoffset", &C::ButtonsOffset, 0, 14),
        SkinField("buttonsinleft", &C::ButtonsInLeft, false, 15),
        SkinField("maskrectarea", &C::MaskRectArea, TRect(), 7),
        SkinField("hittestlefttoppoint", &C::HitTestLTPoint, TPoint(), 16),
        SkinField("hittestrighttoppoint", &C::HitTestRTPoint, TPoint(), 17),
        SkinField("hittestleftbottompoint", &C::HitTestLBPoint, TPoint(), 18),
        SkinField("hittestrightbottompoint", &C::HitTestRBPoint, TPoint(), 19),
        SkinField("rollupleftpoint", &C::RollUpLeftPoint, TPoint(), 20),
        SkinField("rolluprightpoint", &C::RollUpRightPoint, TPoint(), 21),
        SkinField("mainmenurect", &C::MainMenuRect, TRect(), 22),
        SkinField("iconrect", &C::IconRect, TRect(), 23),
        SkinField("mainmenupopupup", &C::MainMenuPopupUp, false, 24),
        SkinField("borderwidth", &C::BorderWidth, 0, 25),
        SkinField("cursorindex", &C::FormCursorIndex, -1, 26),
        SkinField("autorenderinginactiveimage", &C::AutoRenderingInActiveImage, false, 27),
        SkinField("inactiveeffect", &C::InActiveEffect, ieBrightness, 28),
    };
    return table;
}

// ---- References ------------------------------------------------------------------

void TskSkinData::SetStoredSkin(TskStoredSkin* Value) {
    SetReference(this, FStoredSkin, Value);
    if (Value && !GetComponentState().Contains(csDesigning)) LoadStoredSkin(Value);
}

void TskSkinData::SetCompressedStoredSkin(TskCompressedStoredSkin* Value) {
    SetReference(this, FCompressedStoredSkin, Value);
    if (Value && !GetComponentState().Contains(csDesigning)) LoadCompressedStoredSkin(Value);
}

void TskSkinData::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FStoredSkin) FStoredSkin = nullptr;
    if (AComponent == FCompressedStoredSkin) FCompressedStoredSkin = nullptr;
}

// ---- Messages and clearing ---------------------------------------------------------

void TskSkinData::SendSkinDataMessage(int Msg) {
    TComponent* owner = GetOwner();
    if (!owner || !owner->InheritsFrom(TForm::StaticClass()) || !Screen) return;
    auto* form = static_cast<TCustomForm*>(owner);
    const WPARAM self = reinterpret_cast<WPARAM>(this);
    SendMessageA(form->GetHandle(), static_cast<UINT>(Msg), self, 1000);
    for (int i = 0; i < Screen->GetFormCount(); ++i) {
        TCustomForm* other = Screen->GetForm(i);
        if (other != form) SendMessageA(other->GetHandle(), static_cast<UINT>(Msg), self, 1000);
    }
}

void TskSkinData::ClearSkin() {
    ClearAll();
    SendSkinDataMessage(WM_BEFORECHANGESKINDATA);
    SendSkinDataMessage(WM_CHANGESKINDATA);
    SendSkinDataMessage(WM_AFTERCHANGESKINDATA);
}

void TskSkinData::ClearAll() {
    ClearObjects();
    for (TBitmap* bitmap : MainPictures())
        bitmap->Assign(nullptr);
    PictureName.clear();
    MaskName.clear();
    RollUpPictureName.clear();
    RollUpMaskName.clear();
    Empty = true;
}

void TskSkinData::ClearObjects() {
    AreaList.clear();
    ObjectList.clear();
    CtrlList.clear();
    ActivePictures.clear();
    PopupWindow->WindowPictureIndex = -1;
    HintWindow->WindowPictureIndex = -1;
    ActivePictureNames->Clear();
    CursorNames->Clear();
    FCursorFiles.clear();
}

std::array<TBitmap*, 4> TskSkinData::MainPictures() const {
    return {Picture.get(), Mask.get(), RollUpPicture.get(), RollUpMask.get()};
}

// ---- Lookups -----------------------------------------------------------------------

namespace {

template <typename List> int IndexOfName(const List& Records, const AnsiString& Name) {
    for (std::size_t i = 0; i < Records.size(); ++i)
        if (Records[i]->IDName == Name) return static_cast<int>(i);
    return -1;
}

} // namespace

int TskSkinData::GetIndex(const AnsiString& Name) const {
    return IndexOfName(ObjectList, Name);
}

int TskSkinData::GetControlIndex(const AnsiString& Name) const {
    return IndexOfName(CtrlList, Name);
}

int TskSkinData::GetAreaIndex(const AnsiString& Name) const {
    return IndexOfName(AreaList, Name);
}

// ---- Pictures and areas ------------------------------------------------------------

void TskSkinData::AddBitMap(const AnsiString& FileName) {
    auto bitmap = std::make_unique<TBitmap>();
    const AnsiString name = ExtractFileName(FileName);
    LoadSkinPicture(bitmap.get(), FileName, name);
    ActivePictureNames->Add(name);
    ActivePictures.push_back(std::move(bitmap));
}

void TskSkinData::DeleteBitMap(int Index) {
    if (Index < 0 || Index >= static_cast<int>(ActivePictures.size()))
        throw EListError(Format("List index out of bounds (%d)", Index));
    if (Index < ActivePictureNames->GetCount()) ActivePictureNames->Delete(Index);
    ActivePictures.erase(ActivePictures.begin() + Index);
}

void TskSkinData::AddSkinArea(const AnsiString& Name, const TRect& R) {
    AreaList.push_back(std::make_unique<TskDataSkinArea>(Name, R));
}

// ---- Loads -------------------------------------------------------------------------

void TskSkinData::RunLoad(const std::function<bool()>& Read) {
    Empty = true;
    SendSkinDataMessage(WM_BEFORECHANGESKINDATA);
    ClearAll();
    bool complete = false;
    try {
        complete = Read();
    } catch (...) {
        ClearAll();
        SendSkinDataMessage(WM_CHANGESKINDATA);
        SendSkinDataMessage(WM_AFTERCHANGESKINDATA);
        throw;
    }
    if (complete) Empty = false;
    SendSkinDataMessage(WM_CHANGESKINDATA);
    SendSkinDataMessage(WM_AFTERCHANGESKINDATA);
}

void TskSkinData::RejectLoad() {
    RunLoad([] { return false; });
}

// What a load reads before the loaded skin is touched: everything that can fail, in a skin
// of no owner (which sends no message), and the cursors loaded but not yet in place.
struct TskSkinData::TStaged {
    TskSkinData Skin{nullptr};
    std::vector<HCURSOR> Cursors;

    TStaged() = default;
    TStaged(const TStaged&) = delete;
    TStaged& operator=(const TStaged&) = delete;
    ~TStaged() {
        for (HCURSOR cursor : Cursors)
            DestroyCursor(cursor);
    }
};

void TskSkinData::ReadVersion(TCustomIniFile* IniFile, bool All) {
    SkinName = IniFile->ReadString("VERSION", "skinname", "");
    if (!All) return;
    SkinAuthor = IniFile->ReadString("VERSION", "skinauthor", "");
    AuthorEmail = IniFile->ReadString("VERSION", "authoremail", "");
    AuthorURL = IniFile->ReadString("VERSION", "authorurl", "");
    SkinComments = IniFile->ReadString("VERSION", "skincomments", "");
}

void TskSkinData::ReadPictureNames(TCustomIniFile* IniFile) {
    AnsiString* names[4] = {&PictureName, &MaskName, &RollUpPictureName, &RollUpMaskName};
    for (int i = 0; i < 4; ++i)
        *names[i] = IniFile->ReadString("PICTURES", PictureKeys[i], "");
}

void TskSkinData::ReadRecords(TCustomIniFile* IniFile, bool Areas) {
    ReadFormInfo(IniFile);
    PopupWindow->LoadFromFile(IniFile);
    HintWindow->LoadFromFile(IniFile);
    if (Areas) ReadAreas(IniFile);
    ReadObjects(IniFile);
    ReadCtrls(IniFile);
}

void TskSkinData::TakeRecords(TskSkinData& From, TCustomIniFile* IniFile) {
    // The frame's fields are read again: From read them from the same description, with
    // the same mask name, so this cannot fail.
    ReadFormInfo(IniFile);
    std::swap(PopupWindow, From.PopupWindow);
    std::swap(HintWindow, From.HintWindow);
    AreaList = std::move(From.AreaList);
    ObjectList = std::move(From.ObjectList);
    CtrlList = std::move(From.CtrlList);
}

void TskSkinData::LoadFromFile(const AnsiString& FileName) {
    if (!FileExists(FileName)) throw EFOpenError(Format("Cannot open file %s", FileName));
    TIniFile ini(FileName);
    CheckSkinLists(&ini);
    if (!CheckSkinSections(&ini)) return RejectLoad();
    const AnsiString folder = ExtractFilePath(FileName);
    TStaged staged;
    TskSkinData& read = staged.Skin;
    read.ReadPictureNames(&ini);
    const AnsiString names[4] = {read.PictureName, read.MaskName, read.RollUpPictureName,
                                 read.RollUpMaskName};
    const auto bitmaps = read.MainPictures();
    for (int i = 0; i < 4; ++i)
        WithErrorPrefix(Format("%s, %s \"%s\": ", FileName, SkinPictureRoles[i], names[i]),
                        [&] { LoadSkinPicture(bitmaps[i], folder + names[i], names[i]); });
    read.ReadActivePictures(&ini, folder);
    read.ReadStartCursorIndex(&ini);
    ReadStrings1(&ini, "CURSORS", "cursors", read.CursorNames.get());
    if (!SkipCursorFiles) staged.Cursors = read.LoadCursorFiles(&ini, folder);
    read.ReadRecords(&ini, true);
    ini.UpdateFile();

    RunLoad([&] {
        ReadVersion(&ini, true);
        ReadPictureNames(&ini);
        std::swap(Picture, read.Picture);
        std::swap(Mask, read.Mask);
        std::swap(RollUpPicture, read.RollUpPicture);
        std::swap(RollUpMask, read.RollUpMask);
        std::swap(ActivePictures, read.ActivePictures);
        ActivePictureNames->Assign(read.ActivePictureNames.get());
        StartCursorIndex = read.StartCursorIndex;
        CursorNames->Assign(read.CursorNames.get());
        InstallCursors(staged.Cursors);
        FCursorFiles = std::move(read.FCursorFiles);
        TakeRecords(read, &ini);
        return true;
    });
}

void TskSkinData::LoadStoredSkin(TskStoredSkin* StoredSkin) {
    if (!StoredSkin) return;
    TMemIniFile ini("");
    ini.SetStrings(StoredSkin->GetIniStrings());
    CheckSkinLists(&ini);
    if (!CheckSkinSections(&ini)) return RejectLoad();
    TStaged staged;
    staged.Skin.ReadRecords(&ini, true);

    RunLoad([&] {
        ReadVersion(&ini, false);
        const auto bitmaps = MainPictures();
        const auto source = StoredSkin->MainPictures();
        for (int i = 0; i < 4; ++i)
            bitmaps[i]->Assign(source[i]);
        ActivePictures = StoredSkin->ActivePictures;
        ReadStartCursorIndex(&ini);
        TakeRecords(staged.Skin, &ini);
        return true;
    });
}

void TskSkinData::AdoptPictures(TSkinPictures& Pictures) {
    Picture = std::move(Pictures.Main[0]);
    Mask = std::move(Pictures.Main[1]);
    RollUpPicture = std::move(Pictures.Main[2]);
    RollUpMask = std::move(Pictures.Main[3]);
    ActivePictures = std::move(Pictures.Active);
}

void TskSkinData::LoadCompressedStoredSkin(TskCompressedStoredSkin* CompressedStoredSkin) {
    if (!CompressedStoredSkin || CompressedStoredSkin->GetEmpty()) return;
    TSkinPayload payload = ReadSkinPayload(CompressedStoredSkin);
    TMemIniFile ini("");
    ini.SetStrings(payload.Description.get());
    CheckSkinLists(&ini);
    if (!CheckSkinSections(&ini)) return RejectLoad();
    TStaged staged;
    staged.Skin.ReadPictureNames(&ini);
    staged.Skin.ReadRecords(&ini, false);

    RunLoad([&] {
        AdoptPictures(payload.Pictures);
        ReadVersion(&ini, true);
        ReadPictureNames(&ini);
        ReadStrings1(&ini, "PICTURES", "activepictures", ActivePictureNames.get());
        TakeRecords(staged.Skin, &ini);
        return true;
    });
}

void TskSkinData::LoadFromCompressedFile(const AnsiString& FileName) {
    TskCompressedStoredSkin skin(nullptr);
    skin.LoadFromCompressFile(FileName);
    if (skin.GetEmpty()) return;
    WithErrorPrefix(FileName + ": ", [&] { LoadCompressedStoredSkin(&skin); });
}

void TskSkinData::SaveToCompressedFile(const AnsiString& FileName) {
    TskCompressedStoredSkin skin(nullptr);
    skin.LoadFromSkinData(this);
    skin.SaveToCompressFile(FileName);
}

// ---- Section readers ---------------------------------------------------------------

void TskSkinData::ReadFormInfo(TCustomIniFile* IniFile) {
    ReadSkinFields(this, {&FormInfoFields()}, IniFile, "FORMINFO");
    if (!MaskName.empty()) {
        if (IsNullRect(MaskRectArea)) {
            MaskRectArea = ClRect;
        } else {
            MaskRectArea.Left = std::min(MaskRectArea.Left, ClRect.Left);
            MaskRectArea.Top = std::min(MaskRectArea.Top, ClRect.Top);
            MaskRectArea.Right = std::max(MaskRectArea.Right, ClRect.Right);
            MaskRectArea.Bottom = std::max(MaskRectArea.Bottom, ClRect.Bottom);
        }
        if (IsNullPoint(HitTestLTPoint)) HitTestLTPoint = LTPoint;
        if (IsNullPoint(HitTestRTPoint)) HitTestRTPoint = RTPoint;
        if (IsNullPoint(HitTestLBPoint)) HitTestLBPoint = LBPoint;
        if (IsNullPoint(HitTestRBPoint)) HitTestRBPoint = RBPoint;
    }
    if (RBPoint.X != LTPoint.X && RBPoint.Y != LTPoint.Y) {
        LTPoint = {std::max(LTPoint.X, ClRect.Left), std::max(LTPoint.Y, ClRect.Top)};
        RTPoint = {std::min(RTPoint.X, ClRect.Right), std::max(RTPoint.Y, ClRect.Top)};
        LBPoint = {std::max(LBPoint.X, ClRect.Left), std::min(LBPoint.Y, ClRect.Bottom)};
        RBPoint = {std::min(RBPoint.X, ClRect.Right), std::min(RBPoint.Y, ClRect.Bottom)};
    }
}

void TskSkinData::ReadAreas(TCustomIniFile* IniFile) {
    const int count = ReadListCount(IniFile, "SKINAREAS", "count");
    for (int i = 0; i < count; ++i) {
        const AnsiString key = IntToStr(i);
        AnsiString name;
        TRect rect;
        const AnsiString context =
            Format("key \"%s\" in section [SKINAREAS] of %s", key, Describe(IniFile));
        if (GetAreaNameRect(IniFile->ReadString("SKINAREAS", key, ""), name, rect, context))
            AddSkinArea(name, rect);
    }
}

namespace {

template <typename R>
void ReadTypedList(TCustomIniFile* IniFile, const AnsiString& Section,
                   R* (*Create)(const AnsiString&, const AnsiString&),
                   std::vector<std::unique_ptr<R>>& List) {
    const int count = ReadListCount(IniFile, Section, "count");
    for (int i = 0; i < count; ++i) {
        AnsiString name, type;
        GetObjectTypeName(IniFile->ReadString(Section, IntToStr(i), ""), name, type);
        // A record keeps its fields in a section of its own name: one that cannot be a
        // section could never be written back.
        if (!IsValidIniSectionName(name)) continue;
        std::unique_ptr<R> record(Create(type, name));
        if (!record) continue;
        record->LoadFromFile(IniFile);
        List.push_back(std::move(record));
    }
}

template <typename R>
void WriteTypedList(TCustomIniFile* IniFile, const AnsiString& Section,
                    AnsiString (*TypeName)(const R*), const std::vector<std::unique_ptr<R>>& List) {
    IniFile->EraseSection(Section);
    IniFile->WriteInteger(Section, "count", static_cast<int>(List.size()));
    for (std::size_t i = 0; i < List.size(); ++i) {
        IniFile->WriteString(Section, IntToStr(static_cast<int>(i)),
                             List[i]->IDName + ":" + TypeName(List[i].get()));
        List[i]->SaveToFile(IniFile);
    }
}

} // namespace

void TskSkinData::ReadObjects(TCustomIniFile* IniFile) {
    ReadTypedList(IniFile, "SKINOBJECTS", CreateSkinObject, ObjectList);
}

void TskSkinData::ReadCtrls(TCustomIniFile* IniFile) {
    ReadTypedList(IniFile, "SKINCONTROLS", CreateSkinControl, CtrlList);
}

void TskSkinData::ReadActivePictures(TCustomIniFile* IniFile, const AnsiString& Folder) {
    ReadStrings1(IniFile, "PICTURES", "activepictures", ActivePictureNames.get());
    for (int i = 0; i < ActivePictureNames->GetCount(); ++i) {
        const AnsiString name = ActivePictureNames->Get(i);
        auto bitmap = std::make_unique<TBitmap>();
        WithErrorPrefix(Format("%s, active picture %d \"%s\": ", Describe(IniFile), i, name),
                        [&] { LoadSkinPicture(bitmap.get(), Folder + name, name); });
        ActivePictures.push_back(std::move(bitmap));
    }
}

void TskSkinData::ReadStartCursorIndex(TCustomIniFile* IniFile) {
    StartCursorIndex = std::max(1, IniFile->ReadInteger("CURSORS", "startcursorindex", 1));
}

void TskSkinData::ReadCursors(TCustomIniFile* IniFile, const AnsiString& Folder) {
    ReadStartCursorIndex(IniFile);
    ReadStrings1(IniFile, "CURSORS", "cursors", CursorNames.get());
    if (SkipCursorFiles) return;
    std::vector<HCURSOR> cursors = LoadCursorFiles(IniFile, Folder);
    InstallCursors(cursors);
}

std::vector<HCURSOR> TskSkinData::LoadCursorFiles(TCustomIniFile* IniFile,
                                                  const AnsiString& Folder) {
    std::vector<HCURSOR> cursors;
    std::vector<std::string> files;
    try {
        for (int i = 0; i < CursorNames->GetCount(); ++i) {
            const AnsiString file = Folder + CursorNames->Get(i);
            HCURSOR cursor = LoadCursorFromFileA(file.c_str());
            if (!cursor)
                throw EFOpenError(
                    Format("%s, cursor %d: cannot load %s", Describe(IniFile), i, file));
            cursors.push_back(cursor);
            TMemoryStream content;
            content.LoadFromFile(file);
            files.emplace_back(static_cast<const char*>(content.GetMemory()),
                               static_cast<std::size_t>(content.GetSize()));
        }
    } catch (...) {
        for (HCURSOR cursor : cursors)
            DestroyCursor(cursor);
        throw;
    }
    FCursorFiles = std::move(files);
    return cursors;
}

void TskSkinData::InstallCursors(std::vector<HCURSOR>& Cursors) {
    for (std::size_t i = 0; i < Cursors.size(); ++i) {
        if (Screen)
            Screen->Cursors[static_cast<TCursor>(StartCursorIndex + static_cast<int>(i))] =
                Cursors[i];
        else
            DestroyCursor(Cursors[i]);
    }
    Cursors.clear();
}

// ---- Writers -----------------------------------------------------------------------

void TskSkinData::WriteFormInfo(TCustomIniFile* IniFile) {
    IniFile->EraseSection("FORMINFO");
    WriteSkinFields(this, {&FormInfoFields()}, IniFile, "FORMINFO");
}

void TskSkinData::WriteAreas(TCustomIniFile* IniFile) {
    IniFile->EraseSection("SKINAREAS");
    IniFile->WriteInteger("SKINAREAS", "count", static_cast<int>(AreaList.size()));
    for (std::size_t i = 0; i < AreaList.size(); ++i)
        IniFile->WriteString("SKINAREAS", IntToStr(static_cast<int>(i)),
                             AreaList[i]->IDName + ":" + SetRect(AreaList[i]->AreaRect));
}

void TskSkinData::WriteObjects(TCustomIniFile* IniFile) {
    WriteTypedList(IniFile, "SKINOBJECTS", SkinObjectTypeName, ObjectList);
}

void TskSkinData::WriteCtrls(TCustomIniFile* IniFile) {
    WriteTypedList(IniFile, "SKINCONTROLS", SkinControlTypeName, CtrlList);
}

void TskSkinData::WriteActivePictures(TCustomIniFile* IniFile) {
    WriteStrings1(IniFile, "PICTURES", "activepictures", ActivePictureNames.get());
}

void TskSkinData::WriteCursors(TCustomIniFile* IniFile) {
    WriteCursorList(IniFile, CurrentPictureNames().Cursors);
}

void TskSkinData::WriteCursorList(TCustomIniFile* IniFile, const std::vector<AnsiString>& Names) {
    IniFile->EraseSection("CURSORS");
    IniFile->WriteInteger("CURSORS", "startcursorindex", StartCursorIndex);
    TStringList list;
    for (const AnsiString& name : Names)
        list.Add(name);
    WriteStrings1(IniFile, "CURSORS", "cursors", &list);
}

TskSkinData::TPictureNames TskSkinData::CurrentPictureNames() const {
    TPictureNames names;
    names.Main = {PictureName, MaskName, RollUpPictureName, RollUpMaskName};
    for (int i = 0; i < ActivePictureNames->GetCount(); ++i)
        names.Active.push_back(ActivePictureNames->Get(i));
    for (int i = 0; i < CursorNames->GetCount(); ++i)
        names.Cursors.push_back(CursorNames->Get(i));
    return names;
}

void TskSkinData::WriteDescription(TCustomIniFile* IniFile, const TPictureNames& Names) {
    IniFile->EraseSection("VERSION");
    IniFile->WriteInteger("VERSION", "ver", 2);
    IniFile->WriteString("VERSION", "skinname", SkinName);
    IniFile->WriteString("VERSION", "skinauthor", SkinAuthor);
    IniFile->WriteString("VERSION", "authoremail", AuthorEmail);
    IniFile->WriteString("VERSION", "authorurl", AuthorURL);
    IniFile->WriteString("VERSION", "skincomments", SkinComments);

    IniFile->EraseSection("PICTURES");
    for (int i = 0; i < 4; ++i)
        IniFile->WriteString("PICTURES", PictureKeys[i], Names.Main[i]);
    TStringList active;
    for (const AnsiString& name : Names.Active)
        active.Add(name);
    WriteStrings1(IniFile, "PICTURES", "activepictures", &active);

    WriteCursorList(IniFile, Names.Cursors);
    WriteFormInfo(IniFile);
    PopupWindow->SaveToFile(IniFile);
    HintWindow->SaveToFile(IniFile);
    WriteAreas(IniFile);
    WriteObjects(IniFile);
    WriteCtrls(IniFile);
}

void TskSkinData::SaveToCustomIniFile(TCustomIniFile* IniFile) {
    WriteDescription(IniFile, CurrentPictureNames());
}

void TskSkinData::SaveToFile(const AnsiString& FileName) {
    // The whole description is made before the file is replaced by it.
    TMemIniFile ini("");
    SaveToCustomIniFile(&ini);
    ini.Rename(FileName, false);
    ini.UpdateFile();
}

void TskSkinData::StoreToDisk(const AnsiString& Path) {
    TPictureNames names;
    const auto bitmaps = MainPictures();
    const AnsiString given[4] = {PictureName, MaskName, RollUpPictureName, RollUpMaskName};
    for (int i = 0; i < 4; ++i)
        if (!bitmaps[i]->GetEmpty()) names.Main[i] = DiskName(given[i], DiskPictureNames[i]);
    for (std::size_t i = 0; i < ActivePictures.size(); ++i) {
        const int index = static_cast<int>(i);
        const AnsiString name =
            index < ActivePictureNames->GetCount() ? ActivePictureNames->Get(index) : "";
        names.Active.push_back(DiskName(name, Format("active%d.bmp", index)));
    }
    // A folder without the cursor files its description names would not load again.
    if (static_cast<int>(FCursorFiles.size()) != CursorNames->GetCount())
        throw EWriteError(Format("Cannot store the skin in %s: the files of its %d cursors were "
                                 "not read with it",
                                 Path, CursorNames->GetCount()));
    for (int i = 0; i < CursorNames->GetCount(); ++i)
        names.Cursors.push_back(ExtractFileName(CursorNames->Get(i)));

    // The description is made first (it can fail on a record's name) and written last, so
    // the folder's description never names a file that is not there.
    TMemIniFile ini("");
    WriteDescription(&ini, names);
    for (int i = 0; i < 4; ++i)
        if (!names.Main[i].empty()) bitmaps[i]->SaveToFile(Path + names.Main[i]);
    for (std::size_t i = 0; i < ActivePictures.size(); ++i)
        ActivePictures[i]->SaveToFile(Path + names.Active[i]);
    for (std::size_t i = 0; i < names.Cursors.size(); ++i)
        WriteFileReplacing(Path + names.Cursors[i], FCursorFiles[i].data(), FCursorFiles[i].size());
    ini.Rename(Path + "skin.ini", false);
    ini.UpdateFile();
}

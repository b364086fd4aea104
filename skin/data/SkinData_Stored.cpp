#include "skin/data/SkinData_Stored.h"

#include "skin/data/SkinData.h"
#include "skin/data/Skutils_Codecs.h"

#include "classlib/Filer.h"
#include "classlib/IniFiles.h"
#include "classlib/Paths.h"
#include "classlib/Persistence.h"
#include "classlib/Strings.h"

TskStoredSkin::TskStoredSkin(TComponent* AOwner)
    : TComponent(AOwner), IniStrings(std::make_unique<TStringList>()),
      Picture(std::make_unique<TBitmap>()), Mask(std::make_unique<TBitmap>()),
      RollUpPicture(std::make_unique<TBitmap>()), RollUpMask(std::make_unique<TBitmap>()) {}

void TskStoredSkin::Published(TPropertyList& P) {
    P.Add("FileName", &TskStoredSkin::GetFileName, &TskStoredSkin::SetFileName);
    P.Add("IniStrings", &TskStoredSkin::GetIniStrings);
}

void TskStoredSkin::DefineProperties(TFiler* Filer) {
    TComponent::DefineProperties(Filer);
    Filer->DefineBinaryProperty(
        "Pictures", [this](TStream* Stream) { ReadData(Stream); },
        [this](TStream* Stream) { WriteData(Stream); }, true);
}

std::array<TBitmap*, 4> TskStoredSkin::MainPictures() const {
    return {Picture.get(), Mask.get(), RollUpPicture.get(), RollUpMask.get()};
}

void TskStoredSkin::ClearBitMaps() {
    ActivePictures.clear();
}

void TskStoredSkin::Adopt(TSkinPictures& Pictures) {
    Picture = std::move(Pictures.Main[0]);
    Mask = std::move(Pictures.Main[1]);
    RollUpPicture = std::move(Pictures.Main[2]);
    RollUpMask = std::move(Pictures.Main[3]);
    ActivePictures = std::move(Pictures.Active);
}

void TskStoredSkin::ReadData(TStream* Stream) {
    const AnsiString source =
        (GetName().empty() ? AnsiString("stored skin") : GetName()) + ".Pictures";
    TSkinPictures pictures = ReadSkinPictures(Stream, source);
    CheckSkinPicturesEnd(Stream, source);
    Adopt(pictures);
}

void TskStoredSkin::WriteData(TStream* Stream) {
    WriteSkinPictures(Stream, MainPictures(), ActivePictures);
}

void TskStoredSkin::LoadFromFile(const AnsiString& FileName) {
    TStringList lines;
    lines.LoadFromFile(FileName);
    TMemIniFile ini("");
    ini.SetStrings(&lines);
    ini.Rename(FileName, false);
    // A description cut short would be refused by the skin data loading it.
    CheckSkinLists(&ini);
    const AnsiString folder = ExtractFilePath(FileName);

    TSkinPictures pictures;
    const char* const keys[4] = {"picture", "mask", "rolluppicture", "rollupmask"};
    for (int i = 0; i < 4; ++i) {
        const AnsiString name = ini.ReadString("PICTURES", keys[i], "");
        pictures.Main[i] = std::make_unique<TBitmap>();
        WithErrorPrefix(Format("%s, %s \"%s\": ", FileName, SkinPictureRoles[i], name),
                        [&] { LoadSkinPicture(pictures.Main[i].get(), folder + name, name); });
    }
    TStringList names;
    ReadStrings1(&ini, "PICTURES", "activepictures", &names);
    for (int i = 0; i < names.GetCount(); ++i) {
        const AnsiString name = names.Get(i);
        pictures.Active.push_back(std::make_unique<TBitmap>());
        WithErrorPrefix(Format("%s, active picture %d \"%s\": ", FileName, i, name), [&] {
            LoadSkinPicture(pictures.Active.back().get(), folder + name, name);
        });
    }
    IniStrings->Assign(&lines);
    Adopt(pictures);
}

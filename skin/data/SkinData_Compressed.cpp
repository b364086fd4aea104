#include "skin/data/SkinData_Compressed.h"

#include "skin/data/SkinData.h"
#include "skin/data/Skzlibcompress.h"

#include "classlib/Filer.h"
#include "classlib/IniFiles.h"
#include "classlib/Paths.h"
#include "classlib/Persistence.h"
#include "classlib/Strings.h"

#include <cstdint>

namespace {

constexpr std::int32_t SkinFormatVersion = 1;

} // namespace

TSkinPayload ReadSkinPayload(TskCompressedStoredSkin* Skin) {
    const AnsiString source =
        (Skin->GetName().empty() ? AnsiString("Compressed skin") : Skin->GetName()) +
        ".CompressedData";
    TSkinPayload payload;
    TMemoryStream plain;
    Skin->DeCompressToStream(&plain);
    plain.SetPosition(0);
    std::int32_t version = 0;
    if (plain.Read(&version, sizeof version) != sizeof version)
        throw EReadError(Format("%s: the payload ends before its version", source));
    if (version != SkinFormatVersion)
        throw EReadError(Format("%s: the payload is of version %d, not %d", source, version,
                                SkinFormatVersion));
    payload.Pictures = ReadSkinPictures(&plain, source);
    const Int64 rest = plain.GetSize() - plain.GetPosition();
    AnsiString text(static_cast<std::size_t>(rest), '\0');
    plain.ReadBuffer(text.data(), rest);
    // What follows the pictures is text: a count short of the pictures present leaves
    // the others (binary, with zero bytes in every header) where the description should be.
    const std::size_t binary = text.find('\0');
    if (binary != AnsiString::npos)
        throw EReadError(Format("%s: the description holds binary data at byte %d of it; are "
                                "more pictures there than the %d counted?",
                                source, static_cast<int>(binary),
                                static_cast<int>(payload.Pictures.Active.size())));
    payload.Description = std::make_unique<TStringList>();
    payload.Description->SetText(text);
    return payload;
}

TskCompressedStoredSkin::TskCompressedStoredSkin(TComponent* AOwner)
    : TComponent(AOwner), CompressedStream(std::make_unique<TMemoryStream>()) {}

void TskCompressedStoredSkin::Published(TPropertyList& P) {
    P.Add("FileName", &TskCompressedStoredSkin::GetFileName, &TskCompressedStoredSkin::SetFileName);
    P.Add("CompressedFileName", &TskCompressedStoredSkin::GetCompressedFileName,
          &TskCompressedStoredSkin::SetCompressedFileName);
}

void TskCompressedStoredSkin::DefineProperties(TFiler* Filer) {
    TComponent::DefineProperties(Filer);
    Filer->DefineBinaryProperty(
        "CompressedData", [this](TStream* Stream) { ReadData(Stream); },
        [this](TStream* Stream) { WriteData(Stream); }, true);
}

namespace {

bool Designing(const TComponent* Component) {
    const TComponentState state = Component->GetComponentState();
    return state.Contains(csDesigning) && !state.Contains(csLoading);
}

} // namespace

void TskCompressedStoredSkin::SetFileName(const AnsiString& Value) {
    if (!Designing(this)) {
        FFileName = Value;
        return;
    }
    LoadFromIniFile(Value);
    FFileName = ExtractFileName(Value);
}

void TskCompressedStoredSkin::SetCompressedFileName(const AnsiString& Value) {
    if (!Designing(this)) {
        FCompressedFileName = Value;
        return;
    }
    LoadFromCompressFile(Value);
    FCompressedFileName = ExtractFileName(Value);
}

bool TskCompressedStoredSkin::GetEmpty() const {
    return CompressedStream->GetSize() == 0;
}

void TskCompressedStoredSkin::ReadData(TStream* Stream) {
    auto block = std::make_unique<TMemoryStream>();
    block->LoadFromStream(Stream);
    CompressedStream = std::move(block);
}

void TskCompressedStoredSkin::WriteData(TStream* Stream) {
    CompressedStream->SaveToStream(Stream);
}

void TskCompressedStoredSkin::DeCompressToStream(TMemoryStream* Stream) {
    DeCompressStream(Stream, CompressedStream.get(), MaxSkinPayloadSize);
}

void TskCompressedStoredSkin::Compress(const std::array<TBitmap*, 4>& Main,
                                       const TBitmapList& Active, TStrings* Description) {
    TMemoryStream payload;
    payload.WriteBuffer(&SkinFormatVersion, sizeof SkinFormatVersion);
    WriteSkinPictures(&payload, Main, Active);
    const AnsiString text = Description->GetText();
    payload.WriteBuffer(text.data(), static_cast<Int64>(text.size()));
    auto block = std::make_unique<TMemoryStream>();
    CompressStream(&payload, block.get());
    CompressedStream = std::move(block);
}

void TskCompressedStoredSkin::LoadFromSkinData(TskSkinData* SkinData) {
    TMemIniFile ini("");
    SkinData->SaveToCustomIniFile(&ini);
    TStringList lines;
    ini.GetStrings(&lines);
    Compress({SkinData->Picture.get(), SkinData->Mask.get(), SkinData->RollUpPicture.get(),
              SkinData->RollUpMask.get()},
             SkinData->ActivePictures, &lines);
}

void TskCompressedStoredSkin::LoadFromIniFile(const AnsiString& FileName) {
    TStringList lines;
    lines.LoadFromFile(FileName);
    TMemIniFile ini("");
    ini.SetStrings(&lines);
    ini.Rename(FileName, false);
    // A description cut short is refused here as the skin's own readers refuse it.
    CheckSkinLists(&ini);
    if (!CheckSkinSections(&ini)) return;
    const AnsiString folder = ExtractFilePath(FileName);
    auto load = [&](TBitmap* Bitmap, const AnsiString& Name, const AnsiString& Role) {
        if (Name.empty()) return;
        WithErrorPrefix(Format("%s, %s \"%s\": ", FileName, Role, Name),
                        [&] { Bitmap->LoadFromFile(folder + Name); });
    };
    TSkinPictures pictures;
    const char* const keys[4] = {"picture", "mask", "rolluppicture", "rollupmask"};
    for (int i = 0; i < 4; ++i) {
        pictures.Main[i] = std::make_unique<TBitmap>();
        load(pictures.Main[i].get(), ini.ReadString("PICTURES", keys[i], ""), SkinPictureRoles[i]);
    }
    TStringList names;
    ReadStrings1(&ini, "PICTURES", "activepictures", &names);
    for (int i = 0; i < names.GetCount(); ++i) {
        pictures.Active.push_back(std::make_unique<TBitmap>());
        load(pictures.Active.back().get(), names.Get(i), Format("active picture %d", i));
    }
    Compress({pictures.Main[0].get(), pictures.Main[1].get(), pictures.Main[2].get(),
              pictures.Main[3].get()},
             pictures.Active, &lines);
}

void TskCompressedStoredSkin::LoadFromCompressFile(const AnsiString& FileName) {
    TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
    std::int32_t header[2] = {0, 0};
    if (file.Read(&header[0], 4) != 4)
        throw EReadError(Format("%s: the compressed skin file ends before its version", FileName));
    if (header[0] != SkinFormatVersion) {
        CompressedStream = std::make_unique<TMemoryStream>();
        return;
    }
    const Int64 size = file.GetSize();
    if (file.Read(&header[1], 4) != 4 || header[1] < 0 || header[1] != size - 8)
        throw EReadError(Format(
            "%s: the compressed skin file's block length does not match its size", FileName));
    auto block = std::make_unique<TMemoryStream>();
    if (header[1] > 0) block->CopyFrom(&file, header[1]);
    CompressedStream = std::move(block);
}

void TskCompressedStoredSkin::SaveToCompressFile(const AnsiString& FileName) {
    if (GetEmpty()) return;
    TMemoryStream file;
    const std::int32_t header[2] = {SkinFormatVersion,
                                    static_cast<std::int32_t>(CompressedStream->GetSize())};
    file.WriteBuffer(header, sizeof header);
    file.WriteBuffer(CompressedStream->GetMemory(), CompressedStream->GetSize());
    file.SaveToFile(FileName);
}

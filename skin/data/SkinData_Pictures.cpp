#include "skin/data/SkinData_Pictures.h"

#include "skin/data/Skutils.h"

#include "classlib/BmpFormat.h"
#include "classlib/Streams.h"
#include "classlib/Strings.h"

#include <cstdint>

const char* const SkinPictureRoles[4] = {"main picture", "mask", "roll-up picture", "roll-up mask"};

namespace {

// The smallest BMP file: file header and information header.
constexpr Int64 MinBmpSize = 14 + 40;

// Each picture is delimited by the size field of its own header, so a size that claims
// more than the picture holds would take in the pictures after it.
void ReadBmp(TStream* Stream, TBitmap* Bitmap, const AnsiString& Source, const AnsiString& Role) {
    const Int64 start = Stream->GetPosition();
    try {
        Bitmap->LoadFromStream(Stream);
    } catch (const Exception& e) {
        throw EReadError(Format("%s: the %s cannot be read: %s", Source, Role, e.Message()));
    }
    Stream->SetPosition(start);
    const TBmpFileBytes file(Stream); // the same bytes again, which leaves the stream after them
    const Int64 spare = BmpSpareBytes(ParseBmp(file.Data(), file.Size()));
    if (spare != 0)
        throw EReadError(Format("%s: the size of the %s claims %d bytes more than its pixels take",
                                Source, Role, spare));
}

} // namespace

void WriteSkinPictures(TStream* Stream, const std::array<TBitmap*, 4>& Main,
                       const TBitmapList& Active) {
    for (TBitmap* bitmap : Main) {
        const Byte flag = bitmap->GetEmpty() ? 1 : 0;
        Stream->WriteBuffer(&flag, 1);
        if (!flag) bitmap->SaveToStream(Stream);
    }
    const std::int32_t count = static_cast<std::int32_t>(Active.size());
    Stream->WriteBuffer(&count, sizeof count);
    for (const auto& bitmap : Active)
        bitmap->SaveToStream(Stream);
}

TSkinPictures ReadSkinPictures(TStream* Stream, const AnsiString& Source) {
    TSkinPictures pictures;
    for (int i = 0; i < 4; ++i) {
        pictures.Main[i] = std::make_unique<TBitmap>();
        Byte flag = 1;
        if (Stream->Read(&flag, 1) != 1)
            throw EReadError(
                Format("%s: the pictures end before the %s", Source, SkinPictureRoles[i]));
        if (flag > 1)
            throw EReadError(Format("%s: the flag of the %s is %d, neither 0 nor 1", Source,
                                    SkinPictureRoles[i], int{flag}));
        if (flag == 0) ReadBmp(Stream, pictures.Main[i].get(), Source, SkinPictureRoles[i]);
    }
    std::int32_t count = 0;
    if (Stream->Read(&count, sizeof count) != sizeof count)
        throw EReadError(Format("%s: the pictures end before their count", Source));
    if (count < 0) throw EReadError(Format("%s: the count of pictures is %d", Source, count));
    const Int64 left = Stream->GetSize() - Stream->GetPosition();
    if (count > left / MinBmpSize)
        throw EReadError(
            Format("%s: %d pictures cannot fit in the %d bytes that follow", Source, count, left));
    for (int i = 0; i < count; ++i) {
        pictures.Active.push_back(std::make_unique<TBitmap>());
        ReadBmp(Stream, pictures.Active.back().get(), Source, Format("active picture %d", i));
    }
    return pictures;
}

void CheckSkinPicturesEnd(TStream* Stream, const AnsiString& Source) {
    const Int64 left = Stream->GetSize() - Stream->GetPosition();
    if (left != 0) throw EReadError(Format("%s: %d bytes follow the pictures", Source, left));
}

void LoadSkinPicture(TBitmap* Bitmap, const AnsiString& FileName, const AnsiString& Name) {
    if (Name.empty()) {
        Bitmap->Assign(nullptr);
        return;
    }
    if (IsJpegFile(Name)) {
        // Drawn into a fresh 24-bit bitmap, whatever the previous picture was.
        TBitmap picture;
        picture.SetPixelFormat(pf24bit);
        LoadFromJpegFile(&picture, FileName);
        Bitmap->Assign(&picture);
    } else {
        Bitmap->LoadFromFile(FileName);
    }
}

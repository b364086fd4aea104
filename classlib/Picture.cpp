#include "classlib/Picture.h"

#include "classlib/Exceptions.h"
#include "classlib/Filer.h"
#include "classlib/JpegImage.h"
#include "classlib/Metafiles.h"
#include "classlib/Paths.h"
#include "classlib/Streams.h"
#include "classlib/Strings.h"

namespace {

struct TGraphicKind {
    const char* Extension; // lower case, with the dot
    const TClassInfo* Class;
    std::unique_ptr<TGraphic> (*Create)();
};

template <typename G> std::unique_ptr<TGraphic> Make() {
    return std::make_unique<G>();
}

const TGraphicKind& KindAt(int Index) {
    static const TGraphicKind kinds[] = {
        {".bmp", TBitmap::StaticClass(), &Make<TBitmap>},
        {".jpg", TJPEGImage::StaticClass(), &Make<TJPEGImage>},
        {".jpeg", TJPEGImage::StaticClass(), &Make<TJPEGImage>},
        {".ico", TIcon::StaticClass(), &Make<TIcon>},
        {".emf", TMetafile::StaticClass(), &Make<TMetafile>},
        {".wmf", TMetafile::StaticClass(), &Make<TMetafile>},
        {nullptr, nullptr, nullptr},
    };
    return kinds[Index];
}

} // namespace

TPicture::TPicture() = default;

TPicture::~TPicture() = default;

void TPicture::Replace(std::unique_ptr<TGraphic> Graphic) {
    if (Graphic) Graphic->OnChange = TNotifyEvent(this, &TPicture::GraphicChanged);
    FGraphic = std::move(Graphic);
    if (OnChange) OnChange(this);
}

void TPicture::GraphicChanged(TObject*) {
    if (OnChange) OnChange(this);
}

void TPicture::SetGraphic(TGraphic* Value) {
    if (Value == FGraphic.get()) return;
    if (!Value) {
        Replace(nullptr);
        return;
    }
    for (int i = 0; KindAt(i).Extension; ++i) {
        if (Value->InheritsFrom(KindAt(i).Class)) {
            std::unique_ptr<TGraphic> copy = KindAt(i).Create();
            copy->Assign(Value);
            Replace(std::move(copy));
            return;
        }
    }
    throw EInvalidGraphic(AnsiString("Cannot hold a ") + Value->ClassName() + " in a picture");
}

TBitmap* TPicture::GetBitmap() {
    if (!dynamic_cast<TBitmap*>(FGraphic.get())) Replace(std::make_unique<TBitmap>());
    return static_cast<TBitmap*>(FGraphic.get());
}

void TPicture::LoadFromFile(const AnsiString& FileName) {
    const AnsiString extension = ExtractFileExt(FileName);
    for (int i = 0; KindAt(i).Extension; ++i) {
        if (LowerCase(extension) == KindAt(i).Extension) {
            std::unique_ptr<TGraphic> graphic = KindAt(i).Create();
            graphic->LoadFromFile(FileName);
            Replace(std::move(graphic));
            return;
        }
    }
    throw EInvalidGraphic("Unknown picture file extension (" + extension + ")");
}

void TPicture::SaveToFile(const AnsiString& FileName) {
    if (FGraphic) FGraphic->SaveToFile(FileName);
}

void TPicture::Assign(TPersistent* Source) {
    if (!Source) {
        SetGraphic(nullptr);
    } else if (auto* picture = dynamic_cast<TPicture*>(Source)) {
        if (picture != this) SetGraphic(picture->GetGraphic());
    } else if (auto* graphic = dynamic_cast<TGraphic*>(Source)) {
        SetGraphic(graphic);
    } else {
        TPersistent::Assign(Source);
    }
}

void TPicture::AssignTo(TPersistent* Dest) {
    if (FGraphic) {
        Dest->Assign(FGraphic.get());
        return;
    }
    TPersistent::AssignTo(Dest);
}

void TPicture::DefineProperties(TFiler* Filer) {
    TPersistent::DefineProperties(Filer);
    Filer->DefineBinaryProperty(
        "Data", [this](TStream* Stream) { ReadData(Stream); },
        [this](TStream* Stream) { WriteData(Stream); }, FGraphic != nullptr);
}

void TPicture::ReadData(TStream* Stream) {
    Byte length = 0;
    Stream->ReadBuffer(&length, 1);
    AnsiString className(length, '\0');
    if (length) Stream->ReadBuffer(className.data(), length);
    for (int i = 0; KindAt(i).Extension; ++i) {
        if (SameText(className, KindAt(i).Class->Name)) {
            std::unique_ptr<TGraphic> graphic = KindAt(i).Create();
            graphic->ReadData(Stream);
            Replace(std::move(graphic));
            return;
        }
    }
    throw EReadError("Invalid picture data: " + className + " is no kind of picture");
}

void TPicture::WriteData(TStream* Stream) {
    const AnsiString className = FGraphic->ClassName();
    const auto length = static_cast<Byte>(className.size());
    Stream->WriteBuffer(&length, 1);
    Stream->WriteBuffer(className.data(), length);
    FGraphic->WriteData(Stream);
}

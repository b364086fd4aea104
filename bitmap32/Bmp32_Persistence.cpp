// TBitmap32 persistence and conversion: the form-resource property "Data", BMP streams and
// files, resources, comparison, and conversion to and from the class library's pictures and
// the clipboard.
#include "bitmap32/Bmp32.h"

#include "bitmap32/Bmp32_LowLevel.h"
#include "classlib/Bitmaps.h"
#include "classlib/Clipboard.h"
#include "classlib/Filer.h"
#include "classlib/Metafiles.h"
#include "classlib/Picture.h"
#include "classlib/Streams.h"

#include <cstdint>
#include <cstring>
#include <memory>

namespace Bmp32 {

namespace {

// Draws Graphic stretched into Rect of Bitmap's context.
void DrawGraphic(TBitmap32& Bitmap, TGraphic* Graphic, const TRect& Rect) {
    TCanvas canvas;
    canvas.SetHandle(static_cast<HDC>(Bitmap.GetHandle()));
    canvas.StretchDraw(Rect, Graphic);
    canvas.SetHandle(nullptr);
}

// Empties the bitmap when a load fails, then lets the failure go on.
template <typename Load> void LoadOrEmpty(TBitmap32& Bitmap, Load LoadIt) {
    try {
        LoadIt();
    } catch (...) {
        Bitmap.Delete();
        throw;
    }
}

} // namespace

// ---- "Data" -------------------------------------------------------------------------------

void TBitmap32::DefineProperties(TFiler* Filer) {
    TPersistent::DefineProperties(Filer);
    bool hasData;
    TPersistent* ancestor = Filer->GetAncestor();
    if (auto* bitmap = dynamic_cast<TBitmap32*>(ancestor))
        hasData = !Equal(bitmap);
    else
        hasData = ancestor || !Empty();
    Filer->DefineBinaryProperty(
        "Data", [this](TStream* Stream) { ReadData(Stream); },
        [this](TStream* Stream) { WriteData(Stream); }, hasData);
}

void TBitmap32::WriteData(TStream* Stream) {
    const std::int32_t size[2] = {GetWidth(), GetHeight()};
    Stream->WriteBuffer(size, sizeof size);
    if (FBits) Stream->WriteBuffer(FBits, Int64(GetWidth()) * GetHeight() * 4);
}

void TBitmap32::ReadData(TStream* Stream) {
    LoadOrEmpty(*this, [&] {
        std::int32_t size[2];
        Stream->ReadBuffer(size, sizeof size);
        if (size[0] < 0 || size[1] < 0) throw EReadError("Invalid bitmap size");
        // Checked against the bytes present before anything is allocated.
        const Int64 pixels = Int64(size[0]) * size[1];
        if (pixels > (Stream->GetSize() - Stream->GetPosition()) / 4)
            throw EReadError("Stream read error");
        SetSize(size[0], size[1]);
        if (FBits) Stream->ReadBuffer(FBits, pixels * 4);
    });
    Changed();
}

// ---- Streams, files and resources ---------------------------------------------------------

void TBitmap32::LoadFromStream(TStream* Stream) {
    TBitmap bitmap;
    LoadOrEmpty(*this, [&] {
        bitmap.LoadFromStream(Stream);
        Assign(&bitmap);
    });
    Changed();
}

void TBitmap32::SaveToStream(TStream* Stream) {
    TBitmap bitmap;
    bitmap.Assign(this);
    bitmap.SaveToStream(Stream);
}

void TBitmap32::LoadFromFile(const AnsiString& FileName) {
    TPicture picture;
    LoadOrEmpty(*this, [&] {
        picture.LoadFromFile(FileName);
        Assign(&picture);
    });
}

void TBitmap32::SaveToFile(const AnsiString& FileName) {
    TBitmap bitmap;
    bitmap.Assign(this);
    bitmap.SaveToFile(FileName);
}

void TBitmap32::LoadFromResourceID(TPlatformHandle Instance, int ResID) {
    TBitmap bitmap;
    LoadOrEmpty(*this, [&] {
        bitmap.LoadFromResourceID(static_cast<HINSTANCE>(Instance), ResID);
        Assign(&bitmap);
    });
    Changed();
}

void TBitmap32::LoadFromResourceName(TPlatformHandle Instance, const AnsiString& ResName) {
    TBitmap bitmap;
    LoadOrEmpty(*this, [&] {
        bitmap.LoadFromResourceName(static_cast<HINSTANCE>(Instance), ResName);
        Assign(&bitmap);
    });
    Changed();
}

bool TBitmap32::Equal(TBitmap32* Bmp) {
    if (!Bmp) return false;
    if (Empty() && Bmp->Empty()) return true;
    if (Empty() || Bmp->Empty() || ClassType() != Bmp->ClassType()) return false;
    TMemoryStream mine;
    TMemoryStream theirs;
    SaveToStream(&mine);
    Bmp->SaveToStream(&theirs);
    return mine.GetSize() == theirs.GetSize() &&
           std::memcmp(mine.GetMemory(), theirs.GetMemory(), std::size_t(mine.GetSize())) == 0;
}

// ---- Conversion ---------------------------------------------------------------------------

namespace {

void AssignFromBitmap(TBitmap32& Self, TBitmap* Source) {
    Self.SetSize(Source->GetWidth(), Source->GetHeight());
    if (!Self.Empty()) {
        BitBlt(static_cast<HDC>(Self.GetHandle()), 0, 0, Self.GetWidth(), Self.GetHeight(),
               Source->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
        if (Source->GetPixelFormat() != pf32bit) Self.ResetAlpha();
        if (Source->GetTransparent()) {
            const TColor32 transparent = Color32(Source->GetTransparentColor()) & 0x00FFFFFF;
            TColor32* pixel = Self.GetBits();
            const Int64 count = Int64(Self.GetWidth()) * Self.GetHeight();
            for (Int64 i = 0; i < count; ++i)
                if ((pixel[i] & 0x00FFFFFF) == transparent) pixel[i] &= 0x00FFFFFF;
        }
    }
    Self.SetFont(Source->GetCanvas()->GetFont());
}

void AssignFromGraphic(TBitmap32& Self, TGraphic* Source) {
    Self.SetSize(Source->GetWidth(), Source->GetHeight());
    if (Self.Empty()) return;
    DrawGraphic(Self, Source, Self.BoundsRect());
    Self.ResetAlpha();
}

// Icons and metafiles are drawn twice, on white and on blue: pixels that come out the same
// belong to the picture (opaque), the others show the background (transparent).
void AssignFromIconOrMetafile(TBitmap32& Self, TGraphic* Icon) {
    Self.SetSize(Icon->GetWidth(), Icon->GetHeight());
    if (Self.Empty()) return;
    Self.Clear(0xFFFFFFFF);
    DrawGraphic(Self, Icon, Self.BoundsRect());
    TBitmap32 onBlue;
    onBlue.SetSize(Icon->GetWidth(), Icon->GetHeight());
    onBlue.Clear(0xFFFF0000);
    DrawGraphic(onBlue, Icon, onBlue.BoundsRect());
    TColor32* pixel = Self.GetBits();
    const TColor32* other = onBlue.GetBits();
    const Int64 count = Int64(Self.GetWidth()) * Self.GetHeight();
    for (Int64 i = 0; i < count; ++i) {
        if ((pixel[i] & 0x00FFFFFF) == (other[i] & 0x00FFFFFF))
            pixel[i] |= 0xFF000000;
        else
            pixel[i] &= 0x00FFFFFF;
    }
}

void AssignFromPicture(TBitmap32& Self, TPicture* Source) {
    TGraphic* graphic = Source->GetGraphic();
    if (auto* bitmap = dynamic_cast<TBitmap*>(graphic)) {
        AssignFromBitmap(Self, bitmap);
    } else if (dynamic_cast<TIcon*>(graphic) || dynamic_cast<TMetafile*>(graphic)) {
        AssignFromIconOrMetafile(Self, graphic);
    } else if (graphic) {
        Self.SetSize(graphic->GetWidth(), graphic->GetHeight());
        if (Self.Empty()) return;
        DrawGraphic(Self, graphic, {0, 0, Source->GetWidth(), Source->GetHeight()});
        Self.ResetAlpha();
    } else {
        Self.SetSize(0, 0);
    }
}

void AssignFromClipboard(TBitmap32& Self, TClipboard* Source) {
    TPicture picture;
    picture.Assign(Source);
    Self.SetSize(picture.GetWidth(), picture.GetHeight());
    if (Self.Empty()) return;
    DrawGraphic(Self, picture.GetGraphic(), Self.BoundsRect());
    Self.ResetAlpha();
}

} // namespace

void TBitmap32::Assign(TPersistent* Source) {
    BeginUpdate();
    try {
        if (!Source) {
            SetSize(0, 0);
        } else if (auto* bitmap32 = dynamic_cast<TBitmap32*>(Source)) {
            SetSize(bitmap32->GetWidth(), bitmap32->GetHeight());
            if (!Empty()) MoveLongword(bitmap32->GetBits(), FBits, GetWidth() * GetHeight());
            FDrawMode = bitmap32->FDrawMode;
            FMasterAlpha = bitmap32->FMasterAlpha;
            FOuterColor = bitmap32->FOuterColor;
            SetFont(bitmap32->GetFont());
        } else if (auto* bitmap = dynamic_cast<TBitmap*>(Source)) {
            AssignFromBitmap(*this, bitmap);
        } else if (auto* graphic = dynamic_cast<TGraphic*>(Source)) {
            AssignFromGraphic(*this, graphic);
        } else if (auto* picture = dynamic_cast<TPicture*>(Source)) {
            AssignFromPicture(*this, picture);
        } else if (auto* clipboard = dynamic_cast<TClipboard*>(Source)) {
            AssignFromClipboard(*this, clipboard);
        } else {
            TCustomMap::Assign(Source);
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    Changed();
}

namespace {

void CopyInto(TBitmap32& Self, TBitmap* Dest) {
    Dest->SetHandleType(bmDIB);
    Dest->SetPixelFormat(pf32bit);
    Dest->GetCanvas()->GetFont()->Assign(Self.GetFont());
    Dest->SetWidth(Self.GetWidth());
    Dest->SetHeight(Self.GetHeight());
    Self.DrawTo(static_cast<TPlatformHandle>(Dest->GetCanvas()->GetHandle()), 0, 0);
}

} // namespace

void TBitmap32::AssignTo(TPersistent* Dest) {
    if (auto* picture = dynamic_cast<TPicture*>(Dest)) {
        CopyInto(*this, picture->GetBitmap());
    } else if (auto* bitmap = dynamic_cast<TBitmap*>(Dest)) {
        CopyInto(*this, bitmap);
    } else if (auto* clipboard = dynamic_cast<TClipboard*>(Dest)) {
        TBitmap copy;
        CopyInto(*this, &copy);
        clipboard->Assign(&copy);
    } else {
        TCustomMap::AssignTo(Dest);
    }
}

} // namespace Bmp32

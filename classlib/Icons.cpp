#include "classlib/Icons.h"

#include "classlib/BmpFormat.h"
#include "classlib/Exceptions.h"
#include "classlib/GdiCounter.h"
#include "classlib/Streams.h"

#include <algorithm>
#include <cstring>

namespace {

[[noreturn]] void InvalidIcon() {
    throw EInvalidGraphic("Icon image is not valid");
}

[[noreturn]] void OutOfResources() {
    throw EOutOfResources("Out of system resources");
}

} // namespace

namespace {

struct TIconSize {
    int Width = 0;
    int Height = 0;
};

TIconSize SizeOfIcon(HICON Icon) {
    ICONINFO info{};
    if (!GetIconInfo(Icon, &info)) InvalidIcon();
    GdiTrack(info.hbmColor);
    GdiTrack(info.hbmMask);
    BITMAP bitmap{};
    TIconSize size;
    if (info.hbmColor && GetObjectA(info.hbmColor, sizeof bitmap, &bitmap)) {
        size = {bitmap.bmWidth, bitmap.bmHeight};
    } else if (GetObjectA(info.hbmMask, sizeof bitmap, &bitmap)) {
        size = {bitmap.bmWidth, bitmap.bmHeight / 2}; // the mask over the image
    }
    GdiDeleteObject(info.hbmColor);
    GdiDeleteObject(info.hbmMask);
    return size;
}

} // namespace

TIcon::~TIcon() {
    GdiDestroyIcon(FHandle);
}

void TIcon::Replace(HICON Icon, std::vector<Byte> FileData) {
    TIconSize size = Icon ? SizeOfIcon(Icon) : TIconSize{};
    GdiDestroyIcon(FHandle);
    FHandle = Icon;
    FWidth = size.Width;
    FHeight = size.Height;
    FFileData = std::move(FileData);
    Changed();
}

void TIcon::Assign(TPersistent* Source) {
    if (!Source) {
        Replace(nullptr, {});
        return;
    }
    auto* source = dynamic_cast<TIcon*>(Source);
    if (!source) {
        TGraphic::Assign(Source);
        return;
    }
    if (source == this) return;
    HICON copy = nullptr;
    if (source->FHandle) {
        copy = GdiTrack(CopyIcon(source->FHandle));
        if (!copy) OutOfResources();
    }
    Replace(copy, source->FFileData);
}

void TIcon::SetWidth(int) {
    throw EInvalidGraphicOperation("Cannot change the size of an icon");
}

void TIcon::SetHeight(int) {
    throw EInvalidGraphicOperation("Cannot change the size of an icon");
}

void TIcon::SetHandle(HICON Value) {
    if (Value == FHandle) return;
    Replace(GdiTrack(Value), {});
}

// Icon file: a 6-byte header (0, 1, image count), 16 bytes per image (width,
// height, colours, reserved, planes, bits per pixel, byte count, offset), the images.
void TIcon::LoadFromStream(TStream* Stream) {
    const Int64 start = Stream->GetPosition();
    const Int64 available = Stream->GetSize() - start;
    Byte header[6];
    if (available < static_cast<Int64>(sizeof header)) InvalidIcon();
    Stream->ReadBuffer(header, sizeof header);
    const int count = ReadLe16(header + 4);
    if (ReadLe16(header) != 0 || ReadLe16(header + 2) != 1 || count == 0) InvalidIcon();
    const Int64 directoryEnd = 6 + Int64{count} * 16;
    if (directoryEnd > available) InvalidIcon();

    std::vector<Byte> file(static_cast<std::size_t>(directoryEnd));
    std::memcpy(file.data(), header, sizeof header);
    Stream->ReadBuffer(file.data() + 6, directoryEnd - 6);
    Int64 fileEnd = directoryEnd;
    const int wanted = GetSystemMetrics(SM_CXICON);
    int best = -1;
    int bestDistance = INT_MAX;
    int bestBits = -1;
    for (int i = 0; i < count; ++i) {
        const Byte* entry = &file[6 + i * 16];
        const Int64 bytes = ReadLe32(entry + 8);
        const Int64 offset = ReadLe32(entry + 12);
        if (bytes == 0 || offset < directoryEnd || offset + bytes > available) InvalidIcon();
        fileEnd = std::max(fileEnd, offset + bytes);
        const int width = entry[0] ? entry[0] : 256;
        const int distance = std::abs(width - wanted);
        const int bits = ReadLe16(entry + 6);
        if (distance < bestDistance || (distance == bestDistance && bits > bestBits)) {
            best = i;
            bestDistance = distance;
            bestBits = bits;
        }
    }
    file.resize(static_cast<std::size_t>(fileEnd));
    Stream->ReadBuffer(file.data() + directoryEnd, fileEnd - directoryEnd);

    const Byte* entry = &file[6 + best * 16];
    HICON icon = CreateIconFromResourceEx(file.data() + ReadLe32(entry + 12), ReadLe32(entry + 8),
                                          TRUE, 0x00030000, 0, 0, LR_DEFAULTCOLOR);
    if (!icon) InvalidIcon();
    Replace(GdiTrack(icon), std::move(file));
}

void TIcon::SaveToStream(TStream* Stream) {
    if (GetEmpty()) return;
    if (FFileData.empty())
        throw EInvalidGraphicOperation("Cannot save an icon that was not loaded from a file");
    Stream->WriteBuffer(FFileData.data(), static_cast<Int64>(FFileData.size()));
}

void TIcon::LoadFromResourceName(HINSTANCE Instance, const AnsiString& ResName) {
    HANDLE icon = LoadImageA(Instance, ResName.c_str(), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE);
    if (!icon) throw EResNotFound("Resource " + ResName + " not found");
    Replace(GdiTrack(static_cast<HICON>(icon)), {});
}

void TIcon::Draw(TCanvas* ACanvas, const TRect& Rect) {
    DrawIconEx(ACanvas->GetHandle(), Rect.Left, Rect.Top, FHandle, Rect.Width(), Rect.Height(), 0,
               nullptr, DI_NORMAL);
}


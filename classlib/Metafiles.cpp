#include "classlib/Metafiles.h"

#include "classlib/BmpFormat.h"
#include "classlib/Exceptions.h"
#include "classlib/GdiCounter.h"
#include "classlib/Metafiles_Records.h"
#include "classlib/Streams.h"

#include <cstring>

namespace {

[[noreturn]] void InvalidMetafile() {
    throw EInvalidGraphic("Metafile image is not valid");
}

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kPlaceableSize = 22;
constexpr std::size_t kWindowsHeaderSize = 18;
constexpr std::size_t kEnhancedHeaderSize = 88;
// The first bytes read before the kind of file is known: enough for either header's sizes.
constexpr std::size_t kHeadSize = 8;

int ScreenPixelsPerInch(int Index) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, Index);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

std::int16_t ReadLe16Signed(const Byte* P) {
    return static_cast<std::int16_t>(ReadLe16(P));
}

// A picture size in pixels, refused when it lies outside what a picture may measure.
int CheckedExtent(Int64 Pixels) {
    if (Pixels < 0 || Pixels > TMetafile::MaxMetafileExtent) InvalidMetafile();
    return static_cast<int>(Pixels);
}

// Size in pixels of a frame given in hundredths of a millimetre.
int FrameToPixels(std::int32_t Low, std::int32_t High, int PixelsPerInch) {
    return CheckedExtent((Int64{High} - Low) * PixelsPerInch / 2540);
}

struct TFrameSize {
    int Width = 0;
    int Height = 0;
};

// The size an enhanced metafile's header gives: its frame, or its bounds when the frame has
// no area.
TFrameSize EnhancedSize(const ENHMETAHEADER& Header) {
    const RECTL& frame = Header.rclFrame;
    if (frame.right > frame.left && frame.bottom > frame.top)
        return {FrameToPixels(frame.left, frame.right, ScreenPixelsPerInch(LOGPIXELSX)),
                FrameToPixels(frame.top, frame.bottom, ScreenPixelsPerInch(LOGPIXELSY))};
    const RECTL& bounds = Header.rclBounds;
    if (bounds.right < bounds.left || bounds.bottom < bounds.top) return {};
    return {CheckedExtent(Int64{bounds.right} - bounds.left + 1),
            CheckedExtent(Int64{bounds.bottom} - bounds.top + 1)};
}

TFrameSize SizeOfHandle(HENHMETAFILE Metafile) {
    ENHMETAHEADER header{};
    if (!GetEnhMetaFileHeader(Metafile, sizeof header, &header)) InvalidMetafile();
    return EnhancedSize(header);
}

} // namespace

TMetafile::~TMetafile() {
    GdiDeleteEnhMetaFile(FHandle);
}

void TMetafile::Replace(HENHMETAFILE Metafile, int Width, int Height, bool Enhanced,
                        std::vector<Byte> FileData) {
    GdiDeleteEnhMetaFile(FHandle);
    FHandle = Metafile;
    FWidth = Width;
    FHeight = Height;
    FEnhanced = Enhanced;
    FFileData = std::move(FileData);
    Changed();
}

void TMetafile::Assign(TPersistent* Source) {
    if (!Source) {
        Replace(nullptr, 0, 0, true, {});
        return;
    }
    auto* source = dynamic_cast<TMetafile*>(Source);
    if (!source) {
        TGraphic::Assign(Source);
        return;
    }
    if (source == this) return;
    HENHMETAFILE copy = nullptr;
    if (source->FHandle) {
        copy = GdiTrack(CopyEnhMetaFileA(source->FHandle, nullptr));
        if (!copy) throw EOutOfResources("Out of system resources");
    }
    Replace(copy, source->FWidth, source->FHeight, source->FEnhanced, source->FFileData);
}

void TMetafile::SetWidth(int Value) {
    if (Value == FWidth) return;
    FWidth = CheckedExtent(Value);
    Changed();
}

void TMetafile::SetHeight(int Value) {
    if (Value == FHeight) return;
    FHeight = CheckedExtent(Value);
    Changed();
}

void TMetafile::SetHandle(HENHMETAFILE Value) {
    if (Value == FHandle) return;
    if (!Value) {
        Replace(nullptr, 0, 0, true, {});
        return;
    }
    TFrameSize size;
    try {
        size = SizeOfHandle(Value);
    } catch (...) {
        DeleteEnhMetaFile(Value);
        throw;
    }
    Replace(GdiTrack(Value), size.Width, size.Height, true, {});
}

void TMetafile::LoadFromStream(TStream* Stream) {
    const Int64 available = Stream->GetSize() - Stream->GetPosition();
    Byte head[kHeadSize];
    if (available < static_cast<Int64>(kHeadSize)) InvalidMetafile();
    Stream->ReadBuffer(head, kHeadSize);
    if (ReadLe32(head) == EMR_HEADER)
        LoadEnhanced(Stream, head, available);
    else
        LoadWindows(Stream, head, available);
}

void TMetafile::LoadEnhanced(TStream* Stream, const Byte* Head, Int64 Available) {
    if (Available < static_cast<Int64>(kEnhancedHeaderSize)) InvalidMetafile();
    std::vector<Byte> file(kEnhancedHeaderSize);
    std::memcpy(file.data(), Head, kHeadSize);
    Stream->ReadBuffer(file.data() + kHeadSize, kEnhancedHeaderSize - kHeadSize);
    ENHMETAHEADER header{};
    std::memcpy(&header, file.data(), kEnhancedHeaderSize);
    const Int64 bytes = header.nBytes;
    if (header.dSignature != ENHMETA_SIGNATURE || header.nSize < kEnhancedHeaderSize ||
        header.nSize % 4 != 0 || bytes < header.nSize || bytes % 4 != 0 || bytes > Available)
        InvalidMetafile();
    file.resize(static_cast<std::size_t>(bytes));
    Stream->ReadBuffer(file.data() + kEnhancedHeaderSize, bytes - kEnhancedHeaderSize);
    if (!EnhancedRecordsPlayable(file)) InvalidMetafile();
    const TFrameSize size = EnhancedSize(header);

    HENHMETAFILE metafile = SetEnhMetaFileBits(static_cast<UINT>(file.size()), file.data());
    if (!metafile) InvalidMetafile();
    Replace(GdiTrack(metafile), size.Width, size.Height, true, std::move(file));
}

void TMetafile::LoadWindows(TStream* Stream, const Byte* Head, Int64 Available) {
    const bool placeable = ReadLe32(Head) == kPlaceableKey;
    const std::size_t prefix = placeable ? kPlaceableSize : 0;
    const std::size_t headers = prefix + kWindowsHeaderSize;
    if (Available < static_cast<Int64>(headers)) InvalidMetafile();
    std::vector<Byte> file(headers);
    std::memcpy(file.data(), Head, kHeadSize);
    Stream->ReadBuffer(file.data() + kHeadSize, headers - kHeadSize);

    const Byte* meta = file.data() + prefix;
    const std::uint16_t type = ReadLe16(meta);
    const std::uint16_t headerWords = ReadLe16(meta + 2);
    const std::uint16_t version = ReadLe16(meta + 4);
    const Int64 metaBytes = Int64{ReadLe32(meta + 6)} * 2;
    const unsigned objects = ReadLe16(meta + 10);
    if ((type != 1 && type != 2) || headerWords != kWindowsHeaderSize / 2 ||
        (version != 0x0100 && version != 0x0300) ||
        metaBytes < static_cast<Int64>(kWindowsHeaderSize) ||
        metaBytes > Available - static_cast<Int64>(prefix))
        InvalidMetafile();

    int width = 0, height = 0;
    METAFILEPICT picture{MM_ANISOTROPIC, 0, 0, nullptr};
    if (placeable) {
        const int left = ReadLe16Signed(&file[6]), top = ReadLe16Signed(&file[8]);
        const int right = ReadLe16Signed(&file[10]), bottom = ReadLe16Signed(&file[12]);
        const int inch = ReadLe16(&file[14]);
        if (inch == 0 || right < left || bottom < top) InvalidMetafile();
        width = CheckedExtent(Int64{right - left} * ScreenPixelsPerInch(LOGPIXELSX) / inch);
        height = CheckedExtent(Int64{bottom - top} * ScreenPixelsPerInch(LOGPIXELSY) / inch);
        picture.xExt = static_cast<LONG>(Int64{right - left} * 2540 / inch);
        picture.yExt = static_cast<LONG>(Int64{bottom - top} * 2540 / inch);
    }
    file.resize(static_cast<std::size_t>(prefix + metaBytes));
    Stream->ReadBuffer(file.data() + headers, static_cast<Int64>(file.size() - headers));
    if (!WindowsRecordsPlayable(file.data() + headers, file.size() - headers, objects))
        InvalidMetafile();

    // The system reads a metafile marked as kept on disk as a file name to open: these records
    // are in memory, whatever the file says.
    std::vector<Byte> records(file.begin() + static_cast<std::ptrdiff_t>(prefix), file.end());
    records[0] = 1;
    records[1] = 0;
    HENHMETAFILE metafile = SetWinMetaFileBits(static_cast<UINT>(records.size()), records.data(), nullptr,
                                               placeable ? &picture : nullptr);
    if (!metafile) InvalidMetafile();
    metafile = GdiTrack(metafile);
    if (!placeable) {
        try {
            const TFrameSize size = SizeOfHandle(metafile);
            width = size.Width;
            height = size.Height;
        } catch (...) {
            GdiDeleteEnhMetaFile(metafile);
            throw;
        }
    }
    Replace(metafile, width, height, false, std::move(file));
}

void TMetafile::SaveToStream(TStream* Stream) {
    if (GetEmpty()) return;
    if (FFileData.empty()) {
        const UINT size = GetEnhMetaFileBits(FHandle, 0, nullptr);
        std::vector<Byte> bits(size);
        if (size == 0 || GetEnhMetaFileBits(FHandle, size, bits.data()) != size)
            throw EInvalidGraphicOperation("Cannot save the metafile");
        Stream->WriteBuffer(bits.data(), size);
        return;
    }
    Stream->WriteBuffer(FFileData.data(), static_cast<Int64>(FFileData.size()));
}

void TMetafile::Draw(TCanvas* ACanvas, const TRect& Rect) {
    if (!FHandle || Rect.Width() == 0 || Rect.Height() == 0) return;
    const RECT r{Rect.Left, Rect.Top, Rect.Right, Rect.Bottom};
    PlayWithinReach(ACanvas->GetHandle(), FHandle, r);
}

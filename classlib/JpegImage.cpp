// The decoder's headers come first: they declare their own `boolean`, which the
// decoder was built with.
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>
#include <jerror.h>

#include "classlib/JpegImage.h"

#include "classlib/Exceptions.h"
#include "classlib/Streams.h"

namespace {

// Memory of the decoder's own (the coefficient buffers of progressive and multi-scan
// files); a file that needs more is refused ("Backing store not supported").
constexpr long MaxDecoderMemory = 96L << 20;

// How many pixels a file of Length bytes may declare. Pictures take well over a bit per
// 5 pixels; 40 pixels a byte leaves room for flat graphics, and 2 million pixels are
// always allowed for small plain pictures. So a file under 1 MB decodes into at most
// 44 million pixels (132 MB), besides the decoder's capped memory.
Int64 PlausiblePixels(Int64 Length) {
    return 2'000'000 + 40 * Length;
}

// More scans than any encoder writes; each scan of a progressive file passes over all
// its blocks again.
constexpr int MaxScans = 100;

// Our own refusals, numbered after the decoder's messages.
enum {
    JMSG_FIRST_OWN = 1000,
    JMSG_TOO_LARGE = JMSG_FIRST_OWN,
    JMSG_TOO_SHORT,
    JMSG_TOO_MANY_SCANS,
};
const char* const OwnMessages[] = {
    "Image of %u x %u pixels is too large for a bitmap",
    "Corrupt JPEG data: %u x %u pixels declared in a file too short to hold them",
    "Corrupt JPEG data: more than %d scans",
};

// Warnings that mean damaged data, refused like errors. The others (extraneous bytes
// before a marker, an unknown JFIF revision and the like) leave the picture intact.
bool IsDamage(int Code) {
    switch (Code) {
    case JWRN_JPEG_EOF:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_HIT_MARKER:
    case JWRN_NOT_SEQUENTIAL:
    case JWRN_MUST_RESYNC:
    case JWRN_BOGUS_PROGRESSION:
    case JWRN_ARITH_BAD_CODE:
        return true;
    default:
        return false;
    }
}

struct TErrorManager {
    jpeg_error_mgr Base;
    std::jmp_buf Jump;
};

void ErrorExit(j_common_ptr Info) {
    std::longjmp(reinterpret_cast<TErrorManager*>(Info->err)->Jump, 1);
}

void EmitMessage(j_common_ptr Info, int Level) {
    if (Level < 0 && IsDamage(Info->err->msg_code)) ErrorExit(Info);
}

void OutputMessage(j_common_ptr) {}

void LimitScans(j_common_ptr Info) {
    if (reinterpret_cast<j_decompress_ptr>(Info)->input_scan_number > MaxScans)
        ERREXIT1(Info, JMSG_TOO_MANY_SCANS, MaxScans);
}

// One decoding. The decoder leaves through longjmp on errors, back into the member that
// called it, which then returns false; no object with a destructor lies on that way.
class TJpegDecoder {
public:
    TJpegDecoder(const Byte* Data, std::size_t Size) : FData(Data), FSize(Size) {
        FInfo.err = jpeg_std_error(&FErrors.Base);
        FErrors.Base.error_exit = ErrorExit;
        FErrors.Base.emit_message = EmitMessage;
        FErrors.Base.output_message = OutputMessage;
        FErrors.Base.addon_message_table = OwnMessages;
        FErrors.Base.first_addon_message = JMSG_FIRST_OWN;
        FErrors.Base.last_addon_message = JMSG_TOO_MANY_SCANS;
        FProgress.progress_monitor = LimitScans;
    }
    ~TJpegDecoder() { jpeg_destroy_decompress(&FInfo); }
    TJpegDecoder(const TJpegDecoder&) = delete;
    TJpegDecoder& operator=(const TJpegDecoder&) = delete;

    // Reads the header, checks the declared size before anything is allocated for it,
    // and starts decompressing.
    bool Start() {
        if (setjmp(FErrors.Jump)) return false;
        jpeg_create_decompress(&FInfo);
        FInfo.mem->max_memory_to_use = MaxDecoderMemory;
        FInfo.progress = &FProgress;
        jpeg_mem_src(&FInfo, FData, static_cast<unsigned long>(FSize));
        jpeg_read_header(&FInfo, TRUE);
        const JDIMENSION width = FInfo.image_width, height = FInfo.image_height;
        if (Int64{width} * height > PlausiblePixels(static_cast<Int64>(FSize)))
            ERREXIT2(&FInfo, JMSG_TOO_SHORT, width, height);
        if (!BitmapSizeFits(width, height, pf24bit)) ERREXIT2(&FInfo, JMSG_TOO_LARGE, width, height);
        FInfo.out_color_space = JCS_EXT_BGR; // the order of a bitmap's pixels
        jpeg_start_decompress(&FInfo);
        return true;
    }

    int Width() const { return static_cast<int>(FInfo.output_width); }
    // After ReadRows: the length of the file up to and with its end marker.
    std::size_t Length() const { return FSize - FInfo.src->bytes_in_buffer; }
    int Height() const { return static_cast<int>(FInfo.output_height); }

    // Decodes every row into Bitmap (pf24bit, of the image's size) and finishes.
    bool ReadRows(TBitmap& Bitmap) {
        if (setjmp(FErrors.Jump)) return false;
        while (FInfo.output_scanline < FInfo.output_height) {
            JSAMPROW row = static_cast<JSAMPROW>(Bitmap.GetScanLine(static_cast<int>(FInfo.output_scanline)));
            jpeg_read_scanlines(&FInfo, &row, 1);
        }
        jpeg_finish_decompress(&FInfo);
        return true;
    }

    // "JPEG error #n: text" for the last failure.
    [[noreturn]] void Fail() {
        char text[JMSG_LENGTH_MAX] = {};
        FErrors.Base.format_message(reinterpret_cast<j_common_ptr>(&FInfo), text);
        throw EInvalidGraphic("JPEG error #" + std::to_string(FErrors.Base.msg_code) + ": " + text);
    }

private:
    const Byte* FData;
    std::size_t FSize;
    jpeg_decompress_struct FInfo{};
    TErrorManager FErrors{};
    jpeg_progress_mgr FProgress{};
};

} // namespace

TJPEGImage::TJPEGImage() : FBitmap(std::make_unique<TBitmap>()) {}

TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TJPEGImage*>(Source);
    if (!source) {
        TGraphic::Assign(Source);
        return;
    }
    if (source == this) return;
    FBitmap->Assign(source->FBitmap.get());
    FData = source->FData;
    Changed();
}

void TJPEGImage::AssignTo(TPersistent* Dest) {
    if (auto* bitmap = dynamic_cast<TBitmap*>(Dest)) {
        bitmap->Assign(FBitmap.get());
        return;
    }
    TGraphic::AssignTo(Dest);
}

void TJPEGImage::SetWidth(int) {
    throw EInvalidGraphicOperation("Cannot change the size of a JPEG image");
}

void TJPEGImage::SetHeight(int) {
    throw EInvalidGraphicOperation("Cannot change the size of a JPEG image");
}

void TJPEGImage::LoadFromStream(TStream* Stream) {
    const Int64 start = Stream->GetPosition();
    std::vector<Byte> data(static_cast<std::size_t>(Stream->GetSize() - start));
    Stream->ReadBuffer(data.data(), static_cast<Int64>(data.size()));

    TJpegDecoder decoder(data.data(), data.size());
    if (!decoder.Start()) decoder.Fail();
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(decoder.Width(), decoder.Height());
    if (!decoder.ReadRows(*bitmap)) decoder.Fail();
    // The picture is its bytes up to its end marker, as a bitmap's are those its header
    // counts: what follows stays in the stream and is not saved with the picture.
    data.resize(decoder.Length());
    Stream->SetPosition(start + static_cast<Int64>(data.size()));
    FBitmap = std::move(bitmap);
    FData = std::move(data);
    Changed();
}

void TJPEGImage::SaveToStream(TStream* Stream) {
    Stream->WriteBuffer(FData.data(), static_cast<Int64>(FData.size()));
}

void TJPEGImage::Draw(TCanvas* ACanvas, const TRect& Rect) {
    ACanvas->StretchDraw(Rect, FBitmap.get());
}

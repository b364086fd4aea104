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

// The outcome of one decoding: RGB rows, top row first, or an error.
struct TDecodedJpeg {
    unsigned char* Pixels = nullptr; // malloc'ed
    int Width = 0;
    int Height = 0;
    int ErrorCode = 0;
    char Message[JMSG_LENGTH_MAX] = {};
};

struct TErrorManager {
    jpeg_error_mgr Base;
    std::jmp_buf Jump;
};

void ErrorExit(j_common_ptr Info) {
    std::longjmp(reinterpret_cast<TErrorManager*>(Info->err)->Jump, 1);
}

// A file that ends early is only a warning to the decoder (it fills in grey); here it
// is an error like any other damage.
void EmitMessage(j_common_ptr Info, int Level) {
    if (Level < 0 && Info->err->msg_code == JWRN_JPEG_EOF) ErrorExit(Info);
}

void OutputMessage(j_common_ptr) {}

// The decoder leaves through longjmp on errors, so this function holds no object with
// a destructor; everything it allocates is released on both ways out.
bool DecodeJpeg(const unsigned char* Data, unsigned long Size, TDecodedJpeg* Out) {
    jpeg_decompress_struct info;
    TErrorManager errors;
    info.err = jpeg_std_error(&errors.Base);
    errors.Base.error_exit = ErrorExit;
    errors.Base.emit_message = EmitMessage;
    errors.Base.output_message = OutputMessage;
    if (setjmp(errors.Jump)) {
        Out->ErrorCode = errors.Base.msg_code;
        errors.Base.format_message(reinterpret_cast<j_common_ptr>(&info), Out->Message);
        jpeg_destroy_decompress(&info);
        std::free(Out->Pixels);
        Out->Pixels = nullptr;
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, Data, Size);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    const std::uint64_t stride = std::uint64_t{info.output_width} * 3;
    const std::uint64_t total = stride * info.output_height;
    // A section larger than this cannot be made anyway.
    if (total > INT32_MAX || info.output_components != 3) ERREXIT1(&info, JERR_OUT_OF_MEMORY, 0);
    Out->Pixels = static_cast<unsigned char*>(std::malloc(static_cast<std::size_t>(total)));
    if (!Out->Pixels) ERREXIT1(&info, JERR_OUT_OF_MEMORY, 1);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = Out->Pixels + info.output_scanline * stride;
        jpeg_read_scanlines(&info, &row, 1);
    }
    Out->Width = static_cast<int>(info.output_width);
    Out->Height = static_cast<int>(info.output_height);
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

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
    std::vector<Byte> data(static_cast<std::size_t>(Stream->GetSize() - Stream->GetPosition()));
    Stream->ReadBuffer(data.data(), static_cast<Int64>(data.size()));

    TDecodedJpeg decoded;
    if (!DecodeJpeg(data.data(), static_cast<unsigned long>(data.size()), &decoded))
        throw EInvalidGraphic("JPEG error #" + std::to_string(decoded.ErrorCode) + ": " +
                              decoded.Message);
    struct FreePixels {
        unsigned char* Pixels;
        ~FreePixels() { std::free(Pixels); }
    } owner{decoded.Pixels};

    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(decoded.Width, decoded.Height);
    const unsigned char* source = decoded.Pixels;
    for (int y = 0; y < decoded.Height; ++y) {
        auto* row = static_cast<Byte*>(bitmap->GetScanLine(y));
        for (int x = 0; x < decoded.Width; ++x, source += 3, row += 3) {
            row[0] = source[2];
            row[1] = source[1];
            row[2] = source[0];
        }
    }
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

#include "bench/native/PixmanOver.h"

#include <stdexcept>

namespace Bench {

namespace {

pixman_image_t* WrapPixels(TPixels& Pixels, const TBufferSize& Size) {
    pixman_image_t* image =
        pixman_image_create_bits(PIXMAN_a8r8g8b8, Size.Width, Size.Height, Pixels.data(),
                                 Size.Width * int(sizeof(TColor32)));
    if (!image) throw std::runtime_error("pixman could not wrap an image of the buffer size");
    return image;
}

} // namespace

TPixels Premultiplied(const TPixels& Pixels) {
    TPixels result(Pixels.size());
    for (std::size_t i = 0; i < Pixels.size(); ++i) {
        const TColor32 pixel = Pixels[i];
        const TColor32 alpha = pixel >> 24;
        TColor32 premultiplied = alpha << 24;
        for (int shift = 0; shift <= 16; shift += 8)
            premultiplied |= (((pixel >> shift) & 0xFF) * alpha + 127) / 255 << shift;
        result[i] = premultiplied;
    }
    return result;
}

TPixmanOver::TPixmanOver(const TPixels& Src, const TPixels& Dst, const TBufferSize& Size)
    : FSize(Size), FSrc(Premultiplied(Src)), FDst(Premultiplied(Dst)) {
    FSrcImage = WrapPixels(FSrc, FSize);
    try {
        FDstImage = WrapPixels(FDst, FSize);
    } catch (...) {
        pixman_image_unref(FSrcImage);
        throw;
    }
}

TPixmanOver::~TPixmanOver() {
    pixman_image_unref(FDstImage);
    pixman_image_unref(FSrcImage);
}

void TPixmanOver::Composite() {
    pixman_image_composite32(PIXMAN_OP_OVER, FSrcImage, nullptr, FDstImage, 0, 0, 0, 0, 0, 0,
                             FSize.Width, FSize.Height);
}

} // namespace Bench

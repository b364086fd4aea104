// pixman's OVER composite of one whole image onto another of the same size: the yardstick of
// the blend routines. pixman works on premultiplied colours, so it is given premultiplied
// copies of the images.
#pragma once

#include "bench/PixelBuffers.h"

#include <pixman.h>

namespace Bench {

// Each colour channel scaled by the pixel's alpha, rounded, as pixman expects its pixels.
TPixels Premultiplied(const TPixels& Pixels);

class TPixmanOver {
public:
    // Premultiplied copies of Src and Dst; raises std::runtime_error when pixman refuses them.
    TPixmanOver(const TPixels& Src, const TPixels& Dst, const TBufferSize& Size);
    ~TPixmanOver();
    TPixmanOver(const TPixmanOver&) = delete;
    TPixmanOver& operator=(const TPixmanOver&) = delete;

    // The source composited over the whole destination.
    void Composite();
    const TColor32* DestinationBits() const { return FDst.data(); }

private:
    TBufferSize FSize;
    TPixels FSrc;
    TPixels FDst;
    pixman_image_t* FSrcImage = nullptr;
    pixman_image_t* FDstImage = nullptr;
};

} // namespace Bench

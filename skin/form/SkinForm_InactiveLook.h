// The inactive look of a skinned frame image, kept between paints.
#pragma once

#include "skin/data/Skeffbmp.h"

#include "classlib/Bitmaps.h"

#include <memory>
#include <vector>

// An inactive form behind a modal dialog is asked to repaint the same frame over and over;
// the effect is the costly part of that paint. The look is kept together with the pixels it
// was made from and made again only when they differ, so a resize, a skin change or a new
// caption or button state can never show an old look. Noise is drawn anew each time, as
// it always was.
class TskInactiveLook {
public:
    // Image (a frame image of 32 bits a pixel) under Effect.
    TskEffectBmp& Of(TBitmap* Image, TskInActiveEffect Effect);
    void Clear();

private:
    bool Holds(TBitmap* Image, TskInActiveEffect Effect);

    std::unique_ptr<TskEffectBmp> FLook;
    std::vector<Byte> FSource;
    TskInActiveEffect FEffect = ieGrayScale;
};

// The page thumbnails: 30 x 40 pictures of a page's lit segments in the thumbnail colour on
// transparent black, drawn in dmBlend so the table's background shows through. Pages that
// light the same segments share one picture, so a list of any length holds at most 256 of
// them, and none holds a platform object.
#pragma once

#include "app/LedPattern.h"

#include "bitmap32/Bmp32.h"

#include <array>
#include <functional>
#include <memory>
#include <vector>

using TThumbnail = std::shared_ptr<Bmp32::TBitmap32>;

class TPageThumbnails {
public:
    // The picture of Page under the LED type; shared, never to be drawn into.
    TThumbnail Get(Byte Page, bool CommonCathode);
    // One picture per page, in the pages' order.
    std::vector<TThumbnail> ForPages(const std::vector<Byte>& Pages, bool CommonCathode);

private:
    std::array<TThumbnail, 256> FPictures;
};

// Called before each new picture is drawn; whatever it raises reaches the caller (tests fail
// there as exhausted memory would). Null for none.
using TThumbnailDrawHook = std::function<void(const TSegmentStates& Lit)>;
void SetThumbnailDrawHook(TThumbnailDrawHook Hook);

// The page thumbnails: 30 x 40 pictures of a page's lit segments in the thumbnail colour on
// transparent black. They live in the main window's bitmap list, one per page; drawing one
// needs no platform object.
#pragma once

#include "bitmap32/Bmp32.h"

#include <functional>

// Bitmap becomes the thumbnail of Page under the LED type.
void DrawThumbnail(Bmp32::TBitmap32* Bitmap, Byte Page, bool CommonCathode);

// Called with the page byte before each thumbnail that needs a new bitmap is made; whatever
// it raises reaches the caller (tests fail there as exhausted memory would). Null for none.
using TThumbnailHook = std::function<void(Byte Page)>;
void SetThumbnailHook(TThumbnailHook Hook);
void CallThumbnailHook(Byte Page);

// The page thumbnails: 30 x 40 pictures of a page's lit segments in the thumbnail colour on
// transparent black; drawing one needs no platform object. Pages that light the same
// segments share one picture, kept in the main window's bitmap list: a page list of any
// length holds at most 256 pictures.
#pragma once

#include "bitmap32/Bmp32.h"
#include "bitmap32/Bmp32_Image.h"

#include <bitset>
#include <functional>

// Bitmap becomes the thumbnail of Page under the LED type.
void DrawThumbnail(Bmp32::TBitmap32* Bitmap, Byte Page, bool CommonCathode);

class TPageThumbnails {
public:
    // Keeps its pictures in List, which it fills with one item per pattern.
    explicit TPageThumbnails(Bmp32::TBitmap32List* List) : FList(List) {}
    // The picture of Page under the LED type, drawn on first use; not to be drawn into.
    Bmp32::TBitmap32* Get(Byte Page, bool CommonCathode);

private:
    Bmp32::TBitmap32List* FList;
    std::bitset<256> FDrawn;
};

// Called with the page byte before each thumbnail that needs drawing is drawn; whatever it
// raises reaches the caller (tests fail there as exhausted memory would). Null for none.
using TThumbnailHook = std::function<void(Byte Page)>;
void SetThumbnailHook(TThumbnailHook Hook);

#include "app/PageThumbnails.h"

#include "app/LedGeometry.h"
#include "app/LedPalette.h"
#include "app/LedPattern.h"

namespace {

TThumbnailHook Hook;

} // namespace

void DrawThumbnail(Bmp32::TBitmap32* Bitmap, Byte Page, bool CommonCathode) {
    Bitmap->SetSize(kThumbnailWidth, kThumbnailHeight);
    Bitmap->Clear(0);
    const Bmp32::TColor32 lit = ToColor32(kThumbnailLitColor);
    for (int segment = 0; segment < kSegmentCount; ++segment)
        if (SegmentLit(segment, Page, CommonCathode))
            Bitmap->FillRectS(ThumbnailSegmentRect(segment), lit);
}

void SetThumbnailHook(TThumbnailHook Value) {
    Hook = std::move(Value);
}

void CallThumbnailHook(Byte Page) {
    if (Hook) Hook(Page);
}

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

Bmp32::TBitmap32* TPageThumbnails::Get(Byte Page, bool CommonCathode) {
    // The lit segments, whatever the LED type: the same picture serves both readings.
    const Byte lit = CommonCathode ? Page : static_cast<Byte>(~Page);
    Bmp32::TBitmap32Collection* items = FList->GetBitmaps();
    while (items->GetCount() < 256)
        items->Add();
    Bmp32::TBitmap32* picture = FList->GetBitmap(lit);
    if (!FDrawn[lit]) {
        if (Hook) Hook(Page);
        DrawThumbnail(picture, lit, true);
        FDrawn.set(lit);
    }
    return picture;
}

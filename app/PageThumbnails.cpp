#include "app/PageThumbnails.h"

#include "app/LedGeometry.h"
#include "app/LedPalette.h"

namespace {

TThumbnailDrawHook DrawHook;

TThumbnail DrawThumbnail(const TSegmentStates& Lit) {
    if (DrawHook) DrawHook(Lit);
    auto picture = std::make_shared<Bmp32::TBitmap32>();
    picture->SetSize(kThumbnailWidth, kThumbnailHeight);
    const Bmp32::TColor32 lit = Bmp32::Color32(kThumbnailLitColor.R, kThumbnailLitColor.G,
                                               kThumbnailLitColor.B, kThumbnailLitColor.A);
    for (int segment = 0; segment < kSegmentCount; ++segment)
        if (Lit[static_cast<std::size_t>(segment)])
            picture->FillRectS(ThumbnailSegmentRect(segment), lit);
    picture->SetDrawMode(Bmp32::dmBlend);
    return picture;
}

} // namespace

TThumbnail TPageThumbnails::Get(Byte Page, bool CommonCathode) {
    const TSegmentStates lit = LitSegments(Page, CommonCathode);
    TThumbnail& picture = FPictures[PatternFromSegments(lit, true)];
    if (!picture) picture = DrawThumbnail(lit);
    return picture;
}

std::vector<TThumbnail> TPageThumbnails::ForPages(const std::vector<Byte>& Pages,
                                                  bool CommonCathode) {
    std::vector<TThumbnail> pictures;
    pictures.reserve(Pages.size());
    for (Byte page : Pages)
        pictures.push_back(Get(page, CommonCathode));
    return pictures;
}

void SetThumbnailDrawHook(TThumbnailDrawHook Hook) {
    DrawHook = std::move(Hook);
}

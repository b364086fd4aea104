#include "skin/form/SkinForm_InactiveLook.h"

#include <cstring>

namespace {

// The pixels of a 32-bit image, rows top to bottom without padding.
std::size_t PixelBytes(TBitmap* Image) {
    return static_cast<std::size_t>(Image->GetWidth()) * static_cast<std::size_t>(Image->GetHeight()) * 4;
}

} // namespace

bool TskInactiveLook::Holds(TBitmap* Image, TskInActiveEffect Effect) {
    return FLook && Effect == FEffect && Effect != ieNoise && FLook->GetWidth() == Image->GetWidth() &&
           FLook->GetHeight() == Image->GetHeight() && FSource.size() == PixelBytes(Image) &&
           std::memcmp(FSource.data(), Image->GetScanLine(0), FSource.size()) == 0;
}

TskEffectBmp& TskInactiveLook::Of(TBitmap* Image, TskInActiveEffect Effect) {
    const bool keepable = Image->GetPixelFormat() == pf32bit;
    if (keepable && Holds(Image, Effect)) return *FLook;
    FLook = std::make_unique<TskEffectBmp>(Image->GetHandle());
    ApplyInActiveEffect(*FLook, Effect);
    FEffect = Effect;
    FSource.clear();
    if (keepable) {
        const auto* pixels = static_cast<const Byte*>(Image->GetScanLine(0));
        FSource.assign(pixels, pixels + PixelBytes(Image));
    }
    return *FLook;
}

void TskInactiveLook::Clear() {
    FLook.reset();
    FSource.clear();
}

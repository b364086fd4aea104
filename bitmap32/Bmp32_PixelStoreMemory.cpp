// The platform-free half of the pixel store: the bitmap-information block and the pixels'
// first home in ordinary memory. The native benchmark builds it with a platform half of its
// own.
#include "bitmap32/Bmp32_PixelStore.h"

#include <cstdlib>

namespace Bmp32 {

TBitmapInfo32 TopDownBitmapInfo(int Width, int Height) {
    TBitmapInfo32 info;
    info.HeaderSize = 40; // the size of the platform's header
    info.Width = Width;
    info.Height = -Height;
    info.Planes = 1;
    info.BitCount = 32;
    return info;
}

TPixelStore::TPixelStore(const TBitmapInfo32& Info) : FInfo(Info) {
    const Int64 pixels = Int64(Info.Width) * -Int64(Info.Height);
    if (Info.Width >= 1 && Info.Height <= -1 && pixels <= MaxStorePixels)
        FMemory = std::calloc(std::size_t(pixels), sizeof(TColor32));
    if (!FMemory) throw Exception("Can't allocate the DIB handle");
    FBits = static_cast<TColor32*>(FMemory);
}

} // namespace Bmp32

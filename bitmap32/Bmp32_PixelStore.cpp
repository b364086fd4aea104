#include "bitmap32/Bmp32_PixelStore.h"

#include <cstddef>

#include "classlib/Platform.h"

namespace Bmp32 {

static_assert(sizeof(BITMAPINFOHEADER) == 40);
static_assert(offsetof(BITMAPINFO, bmiColors) == 40);
static_assert(offsetof(TBitmapInfo32, Colors) == 40);
static_assert(offsetof(TBitmapInfo32, BitCount) == offsetof(BITMAPINFOHEADER, biBitCount));
static_assert(offsetof(TBitmapInfo32, ClrImportant) == offsetof(BITMAPINFOHEADER, biClrImportant));

TBitmapInfo32 TopDownBitmapInfo(int Width, int Height) {
    TBitmapInfo32 info;
    info.HeaderSize = sizeof(BITMAPINFOHEADER);
    info.Width = Width;
    info.Height = -Height;
    info.Planes = 1;
    info.BitCount = 32;
    info.Compression = BI_RGB;
    return info;
}

TPixelStore::TPixelStore(const TBitmapInfo32& Info) {
    const Int64 pixels = Int64(Info.Width) * -Int64(Info.Height);
    void* bits = nullptr;
    HBITMAP bitmap = nullptr;
    if (Info.Width >= 1 && Info.Height <= -1 && pixels <= MaxStorePixels)
        bitmap = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&Info),
                                  DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) {
        if (bitmap) DeleteObject(bitmap);
        throw Exception("Can't allocate the DIB handle");
    }
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) {
        DeleteObject(bitmap);
        throw Exception("Can't create compatible DC");
    }
    const HGDIOBJ previous = SelectObject(dc, bitmap);
    if (!previous || previous == HGDI_ERROR) {
        DeleteDC(dc);
        DeleteObject(bitmap);
        throw Exception("Can't select an object into DC");
    }
    FBits = static_cast<TColor32*>(bits);
    FBitmap = bitmap;
    FDC = dc;
}

TPixelStore::~TPixelStore() {
    DeleteDC(static_cast<HDC>(FDC));
    DeleteObject(static_cast<HBITMAP>(FBitmap));
}

void TPixelStore::SelectFont(TPlatformHandle Font) {
    SelectObject(static_cast<HDC>(FDC), static_cast<HGDIOBJ>(Font));
}

void TPixelStore::SetTextColor(Cardinal ColorRef) {
    ::SetTextColor(static_cast<HDC>(FDC), ColorRef);
    SetBkMode(static_cast<HDC>(FDC), TRANSPARENT);
}

TPlatformHandle StockSystemFont() {
    return GetStockObject(SYSTEM_FONT);
}

struct TCriticalSection::TImpl {
    CRITICAL_SECTION Section;
};

TCriticalSection::TCriticalSection() : FImpl(std::make_unique<TImpl>()) {
    InitializeCriticalSection(&FImpl->Section);
}

TCriticalSection::~TCriticalSection() {
    DeleteCriticalSection(&FImpl->Section);
}

void TCriticalSection::Enter() {
    EnterCriticalSection(&FImpl->Section);
}

void TCriticalSection::Leave() {
    LeaveCriticalSection(&FImpl->Section);
}

} // namespace Bmp32

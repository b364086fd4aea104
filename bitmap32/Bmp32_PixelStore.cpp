#include "bitmap32/Bmp32_PixelStore.h"

#include "classlib/GdiCounter.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "classlib/Platform.h"

namespace Bmp32 {

static_assert(sizeof(BITMAPINFOHEADER) == 40);
static_assert(offsetof(BITMAPINFO, bmiColors) == 40);
static_assert(offsetof(TBitmapInfo32, Colors) == 40);
static_assert(offsetof(TBitmapInfo32, BitCount) == offsetof(BITMAPINFOHEADER, biBitCount));
static_assert(offsetof(TBitmapInfo32, ClrImportant) == offsetof(BITMAPINFOHEADER, biClrImportant));
static_assert(BI_RGB == 0);

TPixelStore::~TPixelStore() {
    GdiDeleteDC(static_cast<HDC>(FDC));
    GdiDeleteObject(static_cast<HBITMAP>(FBitmap));
    std::free(FMemory);
}

void TPixelStore::AllocateHandle() {
    if (FDC) return;
    void* bits = nullptr;
    HBITMAP bitmap = GdiTrack(CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&FInfo),
                                               DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) {
        GdiDeleteObject(bitmap);
        throw Exception("Can't allocate the DIB handle");
    }
    HDC dc = GdiTrack(CreateCompatibleDC(nullptr));
    if (!dc) {
        GdiDeleteObject(bitmap);
        throw Exception("Can't create compatible DC");
    }
    const HGDIOBJ previous = SelectObject(dc, bitmap);
    if (!previous || previous == HGDI_ERROR) {
        GdiDeleteDC(dc);
        GdiDeleteObject(bitmap);
        throw Exception("Can't select an object into DC");
    }
    std::memcpy(bits, FMemory, std::size_t(FInfo.Width) * std::size_t(-Int64(FInfo.Height)) * 4);
    std::free(FMemory);
    FMemory = nullptr;
    FBits = static_cast<TColor32*>(bits);
    FBitmap = bitmap;
    FDC = dc;
}

TPlatformHandle TPixelStore::BitmapHandle() {
    AllocateHandle();
    return FBitmap;
}

TPlatformHandle TPixelStore::DC() {
    AllocateHandle();
    return FDC;
}

void TPixelStore::SelectFont(TPlatformHandle Font) {
    if (FDC) SelectObject(static_cast<HDC>(FDC), static_cast<HGDIOBJ>(Font));
}

void TPixelStore::SetTextColor(Cardinal ColorRef) {
    if (!FDC) return;
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

// The platform side of a bitmap's pixels: ordinary memory that becomes a top-down 32-bit
// device-independent section selected into a memory device context of its own once a
// context is asked for, the font and text settings of that context, and the critical
// sections that bitmaps are locked with.
//
// This is the one seam between the bitmap library's pixel code and the platform: nothing
// here exposes the platform's headers, and handles travel as opaque values.
#pragma once

#include "bitmap32/Bmp32_Basics.h"

#include <memory>

namespace Bmp32 {

// A platform handle (bitmap, device context, font) seen from outside the seam.
using TPlatformHandle = void*;

// The platform's bitmap-information block: a 40-byte header and one colour entry.
struct TBitmapInfo32 {
    Cardinal HeaderSize = 0;
    int Width = 0;
    // Negative: rows run top-down.
    int Height = 0;
    Word Planes = 0;
    Word BitCount = 0;
    Cardinal Compression = 0;
    Cardinal SizeImage = 0;
    int XPelsPerMeter = 0;
    int YPelsPerMeter = 0;
    Cardinal ClrUsed = 0;
    Cardinal ClrImportant = 0;
    Cardinal Colors[1] = {};
};
static_assert(sizeof(TBitmapInfo32) == 44);

// The block of a top-down 32-bit uncompressed bitmap of the given size.
TBitmapInfo32 TopDownBitmapInfo(int Width, int Height);

// The most pixels one store holds: its bytes stay below 2 GB, so pixel counts and offsets
// fit in 32 bits on every build.
constexpr Int64 MaxStorePixels = 0x1FFFFFFF;

// Width x Height pixels (both at least 1), all 0, in ordinary memory: holding pixels costs no
// platform object. The section and its memory device context are made on first demand
// (HandleAllocated); the pixels then move into the section, so Bits changes once.
// Raises Exception "Can't allocate the DIB handle" when the memory cannot be had.
class TPixelStore {
public:
    explicit TPixelStore(const TBitmapInfo32& Info);
    ~TPixelStore();
    TPixelStore(const TPixelStore&) = delete;
    TPixelStore& operator=(const TPixelStore&) = delete;

    TColor32* Bits() const { return FBits; }
    bool HandleAllocated() const { return FDC != nullptr; }
    // Make the section and context when there are none yet. Raise Exception "Can't allocate
    // the DIB handle", "Can't create compatible DC" or "Can't select an object into DC",
    // and then the pixels stay where they were.
    TPlatformHandle BitmapHandle();
    TPlatformHandle DC();

    // Both act on the context only once it exists.
    void SelectFont(TPlatformHandle Font);
    // Text colour (a colour reference $00BBGGRR) on a transparent background.
    void SetTextColor(Cardinal ColorRef);

private:
    void AllocateHandle();

    TBitmapInfo32 FInfo;
    TColor32* FBits = nullptr;
    // The pixels' memory until the section takes them over.
    void* FMemory = nullptr;
    TPlatformHandle FBitmap = nullptr;
    TPlatformHandle FDC = nullptr;
};

// The platform's system font, selected back into a context when a bitmap lets go of its own.
TPlatformHandle StockSystemFont();

// A platform critical section: one thread at a time between Enter and Leave; the thread
// inside may enter again.
class TCriticalSection {
public:
    TCriticalSection();
    ~TCriticalSection();
    TCriticalSection(const TCriticalSection&) = delete;
    TCriticalSection& operator=(const TCriticalSection&) = delete;

    void Enter();
    void Leave();

private:
    struct TImpl;
    std::unique_ptr<TImpl> FImpl;
};

} // namespace Bmp32

// BMP files on their bytes alone: the layout a file declares, checked against its own
// bytes, and its pixels decoded into the rows of a device-independent bitmap.
#pragma once

#include "classlib/Types.h"

#include "classlib/Platform.h"

#include <cstdint>
#include <vector>

// pfDevice is the screen's own format (a device-dependent bitmap); every other format
// is a device-independent section with that many bits per pixel. pf15bit stores 5 bits
// per channel, pf16bit 5-6-5; pf1bit, pf4bit and pf8bit have a colour table.
enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };

// Bits of one pixel (0 for pfDevice).
int BitsPerPixel(TPixelFormat Format);
bool HasColorTable(TPixelFormat Format);
// Bytes of one row of Width pixels of Bits bits, padded to 4 bytes.
Int64 RowBytes(Int64 Width, int Bits);
// Whether a bitmap of that size and format can exist: the pixels of one device-independent
// section take at most 2^31 - 1 bytes (a pfDevice bitmap is counted at 32 bits a pixel).
bool BitmapSizeFits(Int64 Width, Int64 Height, TPixelFormat Format);

// The channel masks of pf16bit: 5-6-5.
extern const std::uint32_t Masks565[3];

// Raises EInvalidGraphic "Bitmap image is not valid".
[[noreturn]] void RaiseInvalidBitmap();

// Little-endian values inside a file's bytes.
std::uint16_t ReadLe16(const Byte* P);
std::uint32_t ReadLe32(const Byte* P);
void WriteLe32(Byte* P, std::uint32_t Value);

// How a file codes its pixels.
enum class TBmpCoding {
    Rows,  // rows of the decoded format, bottom-up or top-down
    Rle8,  // run-length coded 8-bit indexes
    Rle4,  // run-length coded 4-bit indexes
    Masks, // 16- or 32-bit pixels whose channels any contiguous masks select
};

// What a file holds. Pixels point into the file.
struct TBmpLayout {
    TPixelFormat Format = pf24bit; // of the decoded rows
    int Width = 0;                 // 0 x 0: an empty bitmap
    int Height = 0;
    bool TopDown = false;
    std::vector<RGBQUAD> Table; // reserved bytes 0
    TBmpCoding Coding = TBmpCoding::Rows;
    int CodedBits = 0;             // bits of a coded pixel
    std::uint32_t Masks[4] = {};   // red, green, blue, alpha (TBmpCoding::Masks)
    const Byte* Pixels = nullptr;  // null for an empty bitmap
    Int64 PixelBytes = 0;          // from the pixels' offset to the end of the file
};

// Reads the headers of a whole file (Windows headers of 40 to 124 bytes, OS/2 1.x headers
// of 12). Palette formats keep their table, which may be shorter than the indexes need
// (those read as black); masks of 5-5-5 and 5-6-5 (16 bits) and 8-8-8 (32 bits) keep the
// file's format, other masks decode to pf24bit, or to pf32bit when an alpha mask is given.
// A file that cannot be read raises as RaiseInvalidBitmap.
TBmpLayout ParseBmp(const Byte* File, Int64 Size);
inline TBmpLayout ParseBmp(const std::vector<Byte>& File) {
    return ParseBmp(File.data(), static_cast<Int64>(File.size()));
}

// Writes the Layout.Height rows of the picture, top row first, Stride bytes apart from Dest
// on. Run-length codes that leave the picture are clipped; pixels they never reach keep
// index 0. Codes that break off before the picture is complete raise as RaiseInvalidBitmap.
void DecodeBmpPixels(const TBmpLayout& Layout, Byte* Dest, Int64 Stride);

// The bytes of the file that follow its pixels (the codes up to the end-of-picture code
// for run-length files): 0 for a file whose size field gives exactly what it holds.
Int64 BmpSpareBytes(const TBmpLayout& Layout);

// The BMP file of a packed bitmap (a header, its colour table or masks, the pixels), as
// bitmap resources hold them.
std::vector<Byte> BmpFileOfPackedDib(const Byte* Dib, Int64 Size);

// The BMP file of a picture: a 40-byte header, the colour table (or the 5-6-5 masks of
// pf16bit) and the rows, bottom row first. TopDownRows holds Height rows of
// RowBytes(Width, bits) bytes, top row first; null writes zero pixels. Raises
// EInvalidGraphicOperation "Bitmap too large for a BMP file" past 4 GB.
std::vector<Byte> BuildBmpFile(TPixelFormat Format, int Width, int Height,
                               const std::vector<RGBQUAD>& Table, const Byte* TopDownRows);

#include "classlib/BmpFormat.h"

#include "classlib/Exceptions.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstring>

const std::uint32_t Masks565[3] = {0xF800, 0x07E0, 0x001F};

namespace {

const std::uint32_t Masks555[] = {0x7C00, 0x03E0, 0x001F};
const std::uint32_t Masks888[] = {0xFF0000, 0x00FF00, 0x0000FF};

// How many pixels run-length codes of Bytes bytes may declare. A run codes at most 255
// pixels in 2 bytes; skipped lines and moves code more, but no real picture leans on them
// for more than 4 million pixels, while a few hostile bytes could claim gigabytes.
Int64 PlausibleRlePixels(Int64 Bytes) {
    return (Int64{4} << 20) + 128 * Bytes;
}

bool SameMasks(const std::uint32_t* A, const std::uint32_t* B) {
    return std::equal(A, A + 3, B);
}

// The file's own format for the three masks it shares with a bitmap, pfDevice for others.
TPixelFormat FormatOfMasks(int Bits, const std::uint32_t* Masks) {
    if (Bits == 16 && SameMasks(Masks, Masks555)) return pf15bit;
    if (Bits == 16 && SameMasks(Masks, Masks565)) return pf16bit;
    if (Bits == 32 && SameMasks(Masks, Masks888)) return pf32bit;
    return pfDevice;
}

// A mask is one run of set bits (or none) inside the coded pixel.
bool UsableMask(std::uint32_t Mask, int Bits) {
    if (Bits < 32 && Mask >> Bits) return false;
    if (!Mask) return true;
    const std::uint32_t run = Mask >> std::countr_zero(Mask);
    return (run & (run + 1)) == 0;
}

} // namespace

int BitsPerPixel(TPixelFormat Format) {
    static const int bits[] = {0, 1, 4, 8, 16, 16, 24, 32};
    return bits[Format];
}

bool HasColorTable(TPixelFormat Format) {
    return Format >= pf1bit && Format <= pf8bit;
}

Int64 RowBytes(Int64 Width, int Bits) {
    return (Width * Bits + 31) / 32 * 4;
}

bool BitmapSizeFits(Int64 Width, Int64 Height, TPixelFormat Format) {
    if (Width < 0 || Height < 0 || Width > INT_MAX || Height > INT_MAX) return false;
    const int bits = Format == pfDevice ? 32 : BitsPerPixel(Format);
    return Height == 0 || RowBytes(Width, bits) <= INT32_MAX / Height;
}

void RaiseInvalidBitmap() {
    throw EInvalidGraphic("Bitmap image is not valid");
}

std::uint16_t ReadLe16(const Byte* P) {
    std::uint16_t value;
    std::memcpy(&value, P, sizeof value);
    return value;
}

std::uint32_t ReadLe32(const Byte* P) {
    std::uint32_t value;
    std::memcpy(&value, P, sizeof value);
    return value;
}

void WriteLe32(Byte* P, std::uint32_t Value) {
    std::memcpy(P, &Value, sizeof Value);
}

// Every size, offset and count is checked against the bytes present, in 64-bit
// arithmetic, before anything is allocated for the image.
TBmpLayout ParseBmp(const Byte* File, Int64 Size) {
    const Byte* p = File;
    const Int64 size = Size;
    if (size < 18 || p[0] != 'B' || p[1] != 'M') RaiseInvalidBitmap();
    const Int64 pixelOffset = ReadLe32(p + 10);
    const Int64 headerSize = ReadLe32(p + 14);
    if (headerSize != 12 && headerSize != 40 && headerSize != 52 && headerSize != 56 &&
        headerSize != 108 && headerSize != 124)
        RaiseInvalidBitmap();
    if (14 + headerSize > size) RaiseInvalidBitmap();

    // OS/2 1.x headers: 16-bit sides, rows bottom-up, no compression, 3-byte table entries.
    const bool core = headerSize == 12;
    const std::int32_t width = core ? ReadLe16(p + 18) : static_cast<std::int32_t>(ReadLe32(p + 18));
    const std::int32_t height = core ? ReadLe16(p + 20) : static_cast<std::int32_t>(ReadLe32(p + 22));
    const int planes = ReadLe16(p + (core ? 22 : 26));
    const int bits = ReadLe16(p + (core ? 24 : 28));
    const std::uint32_t compression = core ? BI_RGB : ReadLe32(p + 30);
    const Int64 colorsUsed = core ? 0 : ReadLe32(p + 46);
    if (planes != 1 || (core && bits != 1 && bits != 4 && bits != 8 && bits != 24))
        RaiseInvalidBitmap();

    TBmpLayout layout;
    layout.CodedBits = bits;
    Int64 tableStart = 14 + headerSize;
    switch (bits) {
    case 1:
    case 4:
    case 8:
        layout.Format = bits == 1 ? pf1bit : bits == 4 ? pf4bit : pf8bit;
        if (compression == BI_RLE8 && bits == 8)
            layout.Coding = TBmpCoding::Rle8;
        else if (compression == BI_RLE4 && bits == 4)
            layout.Coding = TBmpCoding::Rle4;
        else if (compression != BI_RGB)
            RaiseInvalidBitmap();
        break;
    case 24:
        if (compression != BI_RGB) RaiseInvalidBitmap();
        layout.Format = pf24bit;
        break;
    case 16:
    case 32:
        if (compression == BI_RGB) {
            layout.Format = bits == 16 ? pf15bit : pf32bit;
        } else if (compression == BI_BITFIELDS) {
            const Byte* masks = p + 14 + 40; // inside the larger headers
            if (headerSize == 40) {
                if (tableStart + 12 > size) RaiseInvalidBitmap();
                masks = p + tableStart;
                tableStart += 12;
            }
            for (int i = 0; i < 3; ++i)
                layout.Masks[i] = ReadLe32(masks + 4 * i);
            if (headerSize >= 56) layout.Masks[3] = ReadLe32(p + 14 + 52);
            layout.Format = FormatOfMasks(bits, layout.Masks);
            if (layout.Format == pfDevice) {
                for (const std::uint32_t mask : layout.Masks)
                    if (!UsableMask(mask, bits)) RaiseInvalidBitmap();
                layout.Coding = TBmpCoding::Masks;
                layout.Format = layout.Masks[3] ? pf32bit : pf24bit;
            }
        } else {
            RaiseInvalidBitmap();
        }
        break;
    default:
        RaiseInvalidBitmap();
    }

    // Palette formats need their table; the others may carry one that is of no use here.
    const int entryBytes = core ? 3 : 4;
    Int64 tableCount = 0;
    if (HasColorTable(layout.Format)) {
        if (core) { // as many entries as lie before the pixels
            tableCount = std::clamp<Int64>((pixelOffset - tableStart) / 3, 0, Int64{1} << bits);
        } else {
            tableCount = colorsUsed ? colorsUsed : Int64{1} << bits;
            if (tableCount > (Int64{1} << bits)) RaiseInvalidBitmap();
        }
    }
    const Int64 tableEnd = tableStart + tableCount * entryBytes;
    if (tableEnd > pixelOffset || pixelOffset > size) RaiseInvalidBitmap();
    layout.Table.resize(static_cast<std::size_t>(tableCount));
    for (Int64 i = 0; i < tableCount; ++i) {
        const Byte* entry = p + tableStart + i * entryBytes;
        layout.Table[static_cast<std::size_t>(i)] = RGBQUAD{entry[0], entry[1], entry[2], 0};
    }

    layout.PixelBytes = size - pixelOffset;
    if (width == 0 && height == 0) return layout; // an empty bitmap
    if (width <= 0 || height == 0 || height == INT_MIN) RaiseInvalidBitmap();
    const Int64 rows = height < 0 ? -Int64{height} : height;
    layout.Pixels = p + pixelOffset;
    if (layout.Coding == TBmpCoding::Rle8 || layout.Coding == TBmpCoding::Rle4) {
        // Run-length codes run bottom-up; their length says little about the size.
        if (height < 0 || !BitmapSizeFits(width, rows, layout.Format) ||
            width * rows > PlausibleRlePixels(layout.PixelBytes))
            RaiseInvalidBitmap();
    } else {
        const Int64 stride = RowBytes(width, bits);
        if (stride > layout.PixelBytes || rows > layout.PixelBytes / stride) RaiseInvalidBitmap();
    }
    layout.Width = width;
    layout.Height = static_cast<int>(rows);
    layout.TopDown = height < 0;
    return layout;
}

namespace {

// The file's row of the picture's row Y (0 = top).
const Byte* CodedRow(const TBmpLayout& Layout, int Y) {
    const int row = Layout.TopDown ? Y : Layout.Height - 1 - Y;
    return Layout.Pixels + row * RowBytes(Layout.Width, Layout.CodedBits);
}

// A channel's bits scaled to 0..255, rounded.
struct TChannel {
    std::uint32_t Mask;
    int Shift;
    std::uint64_t Largest;

    explicit TChannel(std::uint32_t AMask)
        : Mask(AMask), Shift(AMask ? std::countr_zero(AMask) : 0), Largest(AMask >> Shift) {}
    Byte operator()(std::uint32_t Pixel) const {
        if (!Mask) return 0;
        return static_cast<Byte>((((Pixel & Mask) >> Shift) * 255 + Largest / 2) / Largest);
    }
};

void DecodeMasked(const TBmpLayout& Layout, Byte* Dest, Int64 Stride) {
    const TChannel red(Layout.Masks[0]), green(Layout.Masks[1]), blue(Layout.Masks[2]),
        alpha(Layout.Masks[3]);
    const bool withAlpha = Layout.Format == pf32bit;
    for (int y = 0; y < Layout.Height; ++y) {
        const Byte* source = CodedRow(Layout, y);
        Byte* dest = Dest + y * Stride;
        std::memset(dest, 0, static_cast<std::size_t>(Stride));
        for (int x = 0; x < Layout.Width; ++x) {
            const std::uint32_t pixel =
                Layout.CodedBits == 16 ? ReadLe16(source + 2 * x) : ReadLe32(source + 4 * x);
            *dest++ = blue(pixel);
            *dest++ = green(pixel);
            *dest++ = red(pixel);
            if (withAlpha) *dest++ = alpha(pixel);
        }
    }
}

// Run-length codes, bottom row first: a count and an index (RLE4: two indexes, used in
// turn) repeat it; 0 0 ends the line, 0 1 the picture, 0 2 dx dy moves right and up,
// 0 n (n >= 3) is followed by n indexes, padded to a 16-bit word. Without a destination
// the codes are only walked.
class TRleDecoder {
public:
    TRleDecoder(const TBmpLayout& Layout, Byte* Dest, Int64 Stride)
        : FLayout(Layout), FDest(Dest), FStride(Stride), FFour(Layout.Coding == TBmpCoding::Rle4) {}

    // Returns the bytes of codes used.
    Int64 Run() {
        for (int y = 0; FDest && y < FLayout.Height; ++y)
            std::memset(FDest + y * FStride, 0, static_cast<std::size_t>(FStride));
        const Byte* p = FLayout.Pixels;
        const Byte* end = p + FLayout.PixelBytes;
        // Nothing after the top row can land in the picture: lines only go up.
        while (FY < FLayout.Height) {
            if (end - p < 2) RaiseInvalidBitmap();
            const int count = p[0], value = p[1];
            p += 2;
            if (count) {
                for (int i = 0; i < Inside(count); ++i)
                    Put(FX + i, FFour ? (i % 2 ? value & 0x0F : value >> 4) : value);
                FX += count;
            } else if (value == 0) {
                FX = 0;
                ++FY;
            } else if (value == 1) {
                return p - FLayout.Pixels;
            } else if (value == 2) {
                if (end - p < 2) RaiseInvalidBitmap();
                FX += p[0];
                FY += p[1];
                p += 2;
            } else {
                const Int64 bytes = FFour ? (value + 1) / 2 : value;
                if (end - p < bytes) RaiseInvalidBitmap();
                for (int i = 0; i < Inside(value); ++i)
                    Put(FX + i, FFour ? (i % 2 ? p[i / 2] & 0x0F : p[i / 2] >> 4) : p[i]);
                FX += value;
                p += std::min<Int64>((bytes + 1) & ~Int64{1}, end - p);
            }
        }
        // The end-of-picture code after a last line that was ended as a line.
        if (end - p >= 2 && p[0] == 0 && p[1] == 1) p += 2;
        return p - FLayout.Pixels;
    }

private:
    // How many of Count pixels from the current position lie inside the picture's row.
    int Inside(int Count) const {
        return static_cast<int>(std::clamp<Int64>(FLayout.Width - FX, 0, Count));
    }
    void Put(Int64 X, int Index) {
        if (!FDest) return;
        Byte* row = FDest + (FLayout.Height - 1 - FY) * FStride;
        if (!FFour) {
            row[X] = static_cast<Byte>(Index);
        } else if (X % 2 == 0) {
            row[X / 2] = static_cast<Byte>((row[X / 2] & 0x0F) | Index << 4);
        } else {
            row[X / 2] = static_cast<Byte>((row[X / 2] & 0xF0) | Index);
        }
    }

    const TBmpLayout& FLayout;
    Byte* FDest;
    Int64 FStride;
    bool FFour;
    Int64 FX = 0;
    Int64 FY = 0; // from the bottom
};

} // namespace

void DecodeBmpPixels(const TBmpLayout& Layout, Byte* Dest, Int64 Stride) {
    switch (Layout.Coding) {
    case TBmpCoding::Rows:
        for (int y = 0; y < Layout.Height; ++y)
            std::memcpy(Dest + y * Stride, CodedRow(Layout, y), static_cast<std::size_t>(Stride));
        break;
    case TBmpCoding::Masks:
        DecodeMasked(Layout, Dest, Stride);
        break;
    case TBmpCoding::Rle8:
    case TBmpCoding::Rle4:
        TRleDecoder(Layout, Dest, Stride).Run();
        break;
    }
}

Int64 BmpSpareBytes(const TBmpLayout& Layout) {
    if (!Layout.Pixels) return Layout.PixelBytes;
    switch (Layout.Coding) {
    case TBmpCoding::Rle8:
    case TBmpCoding::Rle4:
        return Layout.PixelBytes - TRleDecoder(Layout, nullptr, 0).Run();
    default:
        return Layout.PixelBytes - RowBytes(Layout.Width, Layout.CodedBits) * Layout.Height;
    }
}

std::vector<Byte> BmpFileOfPackedDib(const Byte* Dib, Int64 Size) {
    if (Size < 12) RaiseInvalidBitmap();
    const Int64 headerSize = ReadLe32(Dib);
    Int64 tableBytes = 0;
    if (headerSize == 12) {
        const int bits = ReadLe16(Dib + 10);
        if (bits <= 8) tableBytes = Int64{3} << bits;
    } else {
        if (Size < 40) RaiseInvalidBitmap();
        const int bits = ReadLe16(Dib + 14);
        const std::uint32_t compression = ReadLe32(Dib + 16);
        Int64 colors = ReadLe32(Dib + 32);
        if (colors == 0 && bits <= 8) colors = Int64{1} << bits;
        tableBytes = colors * 4 + (compression == BI_BITFIELDS && headerSize == 40 ? 12 : 0);
    }
    std::vector<Byte> file(static_cast<std::size_t>(14 + Size));
    file[0] = 'B';
    file[1] = 'M';
    WriteLe32(&file[2], static_cast<std::uint32_t>(file.size()));
    WriteLe32(&file[10], static_cast<std::uint32_t>(14 + headerSize + tableBytes));
    std::memcpy(&file[14], Dib, static_cast<std::size_t>(Size));
    return file;
}

std::vector<Byte> BuildBmpFile(TPixelFormat Format, int Width, int Height,
                               const std::vector<RGBQUAD>& Table, const Byte* TopDownRows) {
    const int bits = BitsPerPixel(Format);
    const bool masks = Format == pf16bit;
    const Int64 maskBytes = masks ? 12 : 0;
    const Int64 tableBytes = static_cast<Int64>(Table.size()) * 4;
    const Int64 offset = 14 + 40 + maskBytes + tableBytes;
    const Int64 stride = RowBytes(Width, bits);
    const Int64 fileSize = offset + stride * Height;
    if (fileSize > 0xFFFFFFFF) throw EInvalidGraphicOperation("Bitmap too large for a BMP file");

    std::vector<Byte> file(static_cast<std::size_t>(fileSize));
    Byte* p = file.data();
    p[0] = 'B';
    p[1] = 'M';
    WriteLe32(p + 2, static_cast<std::uint32_t>(fileSize));
    WriteLe32(p + 10, static_cast<std::uint32_t>(offset));
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = Width;
    header.biHeight = Height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(bits);
    header.biCompression = masks ? BI_BITFIELDS : BI_RGB;
    header.biSizeImage = static_cast<DWORD>(fileSize - offset);
    header.biClrUsed = static_cast<DWORD>(Table.size());
    std::memcpy(p + 14, &header, sizeof header);
    if (masks) std::memcpy(p + 54, Masks565, sizeof Masks565);
    if (tableBytes > 0)
        std::memcpy(p + 54 + maskBytes, Table.data(), static_cast<std::size_t>(tableBytes));
    if (TopDownRows)
        for (int y = 0; y < Height; ++y) // bottom row first
            std::memcpy(p + offset + y * stride, TopDownRows + (Height - 1 - y) * stride,
                        static_cast<std::size_t>(stride));
    return file;
}

// BMP files as other programs write them, and small samples in the codings the readers
// take besides plain rows: run-length coded, OS/2 1.x headers and channel masks.
#pragma once

#include "classlib/Types.h"

#include "classlib/Platform.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

template <typename T> void Put(std::vector<Byte>& Data, std::size_t At, T Value) {
    std::memcpy(&Data[At], &Value, sizeof Value);
}

// Pixels are in file order; Masks go inside headers larger than 40 bytes and after a
// 40-byte one. A 12-byte header is OS/2 1.x's, with 3-byte colour table entries.
struct TBmpFile {
    int HeaderSize = 40;
    int Width = 2;
    int Height = 2;
    int Bits = 24;
    DWORD Compression = BI_RGB;
    std::vector<DWORD> Masks{};
    std::vector<RGBQUAD> Table{};
    std::vector<Byte> Pixels{};

    std::vector<Byte> Bytes() const {
        const bool core = HeaderSize == 12;
        const std::size_t entry = core ? 3 : 4;
        const std::size_t masksAfter = HeaderSize == 40 ? Masks.size() * 4 : 0;
        const std::size_t offset = 14 + HeaderSize + masksAfter + Table.size() * entry;
        std::vector<Byte> file(offset + Pixels.size());
        file[0] = 'B';
        file[1] = 'M';
        Put<std::uint32_t>(file, 2, static_cast<std::uint32_t>(file.size()));
        Put<std::uint32_t>(file, 10, static_cast<std::uint32_t>(offset));
        Put<std::uint32_t>(file, 14, HeaderSize);
        if (core) {
            Put<std::uint16_t>(file, 18, static_cast<std::uint16_t>(Width));
            Put<std::uint16_t>(file, 20, static_cast<std::uint16_t>(Height));
            Put<std::uint16_t>(file, 22, 1);
            Put<std::uint16_t>(file, 24, static_cast<std::uint16_t>(Bits));
        } else {
            Put<std::int32_t>(file, 18, Width);
            Put<std::int32_t>(file, 22, Height);
            Put<std::uint16_t>(file, 26, 1);
            Put<std::uint16_t>(file, 28, static_cast<std::uint16_t>(Bits));
            Put<std::uint32_t>(file, 30, Compression);
            Put<std::uint32_t>(file, 34, static_cast<std::uint32_t>(Pixels.size()));
            Put<std::uint32_t>(file, 46, static_cast<std::uint32_t>(Table.size()));
        }
        for (std::size_t i = 0; i < Masks.size(); ++i)
            Put<std::uint32_t>(file, 14 + 40 + i * 4, Masks[i]);
        for (std::size_t i = 0; i < Table.size(); ++i)
            std::memcpy(&file[14 + HeaderSize + masksAfter + i * entry], &Table[i], entry);
        std::memcpy(&file[offset], Pixels.data(), Pixels.size());
        return file;
    }
};

namespace BmpSamples {

constexpr std::uint32_t Blue = 0x0000FF, Lime = 0x00FF00, Red = 0xFF0000, White = 0xFFFFFF,
                        Black = 0;

// The colour table entry of a 0xRRGGBB colour.
inline RGBQUAD Quad(std::uint32_t Rgb) {
    return RGBQUAD{Byte(Rgb), Byte(Rgb >> 8), Byte(Rgb >> 16), 0};
}

struct TSample {
    std::string Name;
    TBmpFile File;
    std::vector<std::uint32_t> Picture; // 0xRRGGBB, top row first
};

inline std::vector<TSample> All() {
    return {
        // Bottom row: a run, then a run past the right edge; middle row: literal indexes (7
        // lies past the table); top row: a move right, a run, and a move past the top.
        {"rle8",
         {.Width = 4, .Height = 3, .Bits = 8, .Compression = BI_RLE8,
          .Table = {Quad(Blue), Quad(Lime), Quad(Red)},
          .Pixels = {3, 1, 5, 2, 0, 0, 0, 3, 2, 0, 7, 0, 0, 0, 0, 2, 1, 0, 2, 2, 0, 2, 0, 5}},
         {Blue, Red, Red, Blue, Red, Blue, Black, Blue, Lime, Lime, Lime, Red}},
        // Bottom row: a run of two alternating indexes past the right edge; top row: five
        // literal indexes padded to a word, then the end of the picture.
        {"rle4",
         {.Width = 5, .Bits = 4, .Compression = BI_RLE4,
          .Table = {Quad(Blue), Quad(Lime), Quad(Red), Quad(White)},
          .Pixels = {7, 0x12, 0, 0, 0, 5, 0x33, 0x21, 0x00, 0, 0, 1}},
         {White, White, Red, Lime, Blue, Lime, Red, Lime, Red, Lime}},
        {"os2-8bit",
         {.HeaderSize = 12, .Width = 3, .Bits = 8, .Table = {Quad(Blue), Quad(Lime), Quad(Red)},
          .Pixels = {0, 1, 2, 0, 2, 2, 0, 0}},
         {Red, Red, Blue, Blue, Lime, Red}},
        {"os2-24bit",
         {.HeaderSize = 12, .Width = 1, .Height = 1, .Pixels = {0x80, 0x80, 0x00, 0}},
         {0x008080}},
        // 4-4-4 masks: 15 scales to 255, 8 to 136, 1 to 17.
        {"masks-444",
         {.Height = 1, .Bits = 16, .Compression = BI_BITFIELDS, .Masks = {0xF00, 0x0F0, 0x00F},
          .Pixels = {0x80, 0x0F, 0x23, 0x01}},
         {0xFF8800, 0x112233}},
        // 10-10-10 masks with a 2-bit alpha mask in a version 4 header: 512 of 1023 scales to
        // 128, alpha 2 of 3 to 170.
        {"masks-10-10-10-2",
         {.HeaderSize = 108, .Width = 1, .Height = 1, .Bits = 32, .Compression = BI_BITFIELDS,
          .Masks = {0x3FF00000, 0x000FFC00, 0x000003FF, 0xC0000000},
          .Pixels = {0x00, 0x00, 0xF8, 0xBF}},
         {0xFF8000}},
        // 5-6-0: no blue at all.
        {"masks-560",
         {.Width = 1, .Height = 1, .Bits = 16, .Compression = BI_BITFIELDS,
          .Masks = {0xF800, 0x07E0, 0}, .Pixels = {0xFF, 0xFF, 0, 0}},
         {0xFFFF00}},
    };
}

} // namespace BmpSamples

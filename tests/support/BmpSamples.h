// Small BMP files in the codings other programs write: run-length coded, OS/2 1.x headers
// and channel masks, each with the picture it holds (top row first).
#pragma once

#include "classlib/Types.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace BmpSamples {

template <typename T> void Put(std::vector<Byte>& Data, std::size_t At, T Value) {
    std::memcpy(&Data[At], &Value, sizeof Value);
}

// A file of its header (which starts with its own size), colour table or masks, and pixels.
inline std::vector<Byte> File(const std::vector<Byte>& Header, const std::vector<Byte>& Table,
                              const std::vector<Byte>& Pixels) {
    const std::size_t offset = 14 + Header.size() + Table.size();
    std::vector<Byte> file(offset + Pixels.size());
    file[0] = 'B';
    file[1] = 'M';
    Put<std::uint32_t>(file, 2, static_cast<std::uint32_t>(file.size()));
    Put<std::uint32_t>(file, 10, static_cast<std::uint32_t>(offset));
    std::copy(Header.begin(), Header.end(), file.begin() + 14);
    std::copy(Table.begin(), Table.end(), file.begin() + 14 + Header.size());
    std::copy(Pixels.begin(), Pixels.end(), file.begin() + offset);
    return file;
}

inline std::vector<Byte> InfoHeader(int Size, int Width, int Height, int Bits,
                                    std::uint32_t Compression, int Colors = 0) {
    std::vector<Byte> header(Size);
    Put<std::uint32_t>(header, 0, Size);
    Put<std::int32_t>(header, 4, Width);
    Put<std::int32_t>(header, 8, Height);
    Put<std::uint16_t>(header, 12, 1);
    Put<std::uint16_t>(header, 14, static_cast<std::uint16_t>(Bits));
    Put<std::uint32_t>(header, 16, Compression);
    Put<std::uint32_t>(header, 32, Colors);
    return header;
}

inline std::vector<Byte> CoreHeader(int Width, int Height, int Bits) {
    std::vector<Byte> header(12);
    Put<std::uint32_t>(header, 0, 12);
    Put<std::uint16_t>(header, 4, static_cast<std::uint16_t>(Width));
    Put<std::uint16_t>(header, 6, static_cast<std::uint16_t>(Height));
    Put<std::uint16_t>(header, 8, 1);
    Put<std::uint16_t>(header, 10, static_cast<std::uint16_t>(Bits));
    return header;
}

// Little-endian words; colour table entries (blue, green, red, reserved) are the words of
// 0xRRGGBB colours.
inline std::vector<Byte> Words(std::initializer_list<std::uint32_t> Values) {
    std::vector<Byte> bytes(Values.size() * 4);
    std::size_t at = 0;
    for (const std::uint32_t value : Values)
        for (int i = 0; i < 4; ++i)
            bytes[at++] = static_cast<Byte>(value >> (8 * i));
    return bytes;
}

struct TSample {
    std::string Name;
    std::vector<Byte> Bytes;
    int Width;
    std::vector<std::uint32_t> Picture; // 0xRRGGBB, top row first
};

constexpr std::uint32_t Blue = 0x0000FF, Lime = 0x00FF00, Red = 0xFF0000, White = 0xFFFFFF,
                        Black = 0;

inline std::vector<TSample> All() {
    std::vector<TSample> samples;
    // Bottom row: a run, then a run past the right edge; middle row: literal indexes (7 lies
    // past the table); top row: a move right, a run, and a move past the top.
    samples.push_back({"rle8",
                       File(InfoHeader(40, 4, 3, 8, BI_RLE8, 3), Words({Blue, Lime, Red}),
                            {3, 1, 5, 2, 0, 0,                 //
                             0, 3, 2, 0, 7, 0, 0, 0,           //
                             0, 2, 1, 0, 2, 2, 0, 2, 0, 5}),
                       4,
                       {Blue, Red, Red, Blue, Red, Blue, Black, Blue, Lime, Lime, Lime, Red}});
    // Bottom row: a run of two alternating indexes past the right edge; top row: five
    // literal indexes padded to a word, then the end of the picture.
    samples.push_back({"rle4",
                       File(InfoHeader(40, 5, 2, 4, BI_RLE4, 4),
                            Words({Blue, Lime, Red, White}),
                            {7, 0x12, 0, 0, 0, 5, 0x33, 0x21, 0x00, 0, 0, 1}),
                       5,
                       {White, White, Red, Lime, Blue, Lime, Red, Lime, Red, Lime}});
    samples.push_back({"os2-8bit",
                       File(CoreHeader(3, 2, 8), {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF},
                            {0, 1, 2, 0, 2, 2, 0, 0}),
                       3,
                       {Red, Red, Blue, Blue, Lime, Red}});
    samples.push_back({"os2-24bit", File(CoreHeader(1, 1, 24), {}, {0x80, 0x80, 0x00, 0}), 1,
                       {0x008080}});
    // 4-4-4 masks: 15 scales to 255, 8 to 136, 1 to 17.
    samples.push_back({"masks-444",
                       File(InfoHeader(40, 2, 1, 16, BI_BITFIELDS), Words({0xF00, 0x0F0, 0x00F}),
                            {0x80, 0x0F, 0x23, 0x01}),
                       2,
                       {0xFF8800, 0x112233}});
    // 10-10-10 masks with a 2-bit alpha mask in a version 4 header: 512 of 1023 scales to 128.
    std::vector<Byte> v4 = InfoHeader(108, 1, 1, 32, BI_BITFIELDS);
    const std::vector<Byte> masks = Words({0x3FF00000, 0x000FFC00, 0x000003FF, 0xC0000000});
    std::copy(masks.begin(), masks.end(), v4.begin() + 40);
    samples.push_back({"masks-10-10-10-2", File(v4, {}, Words({0xBFF80000})), 1, {0xFF8000}});
    // 5-6-0: no blue at all.
    samples.push_back({"masks-560",
                       File(InfoHeader(40, 1, 1, 16, BI_BITFIELDS), Words({0xF800, 0x07E0, 0}),
                            {0xFF, 0xFF, 0, 0}),
                       1,
                       {0xFFFF00}});
    return samples;
}

} // namespace BmpSamples

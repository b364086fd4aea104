#!/usr/bin/env python3
"""Draws the program icon: a 7-segment digit showing "5." lit in red, with the
unlit segments faint, at 32x32 and 16x16, written as a 32-bit ICO file."""
import struct
import sys

LIT = (0x20, 0x20, 0xE0, 0xFF)      # BGRA
UNLIT = (0xD8, 0xD0, 0xC8, 0xFF)
BACK = (0x30, 0x24, 0x1C, 0xFF)
SHOWN = set("acdfg") | {"dp"}       # the digit 5 and its decimal point


def segments(size):
    """Segment rectangles (x0, y0, x1, y1), exclusive ends, for a square of `size`."""
    s = size / 32.0
    def r(x0, y0, x1, y1):
        return (round(x0 * s), round(y0 * s), round(x1 * s), round(y1 * s))
    return {
        "a": r(9, 3, 22, 6), "b": r(22, 6, 25, 15), "c": r(22, 17, 25, 26),
        "d": r(9, 26, 22, 29), "e": r(6, 17, 9, 26), "f": r(6, 6, 9, 15),
        "g": r(9, 14, 22, 17), "dp": r(26, 26, 29, 29),
    }


def image(size):
    pixels = [[BACK] * size for _ in range(size)]
    for name, (x0, y0, x1, y1) in segments(size).items():
        colour = LIT if name in SHOWN else UNLIT
        for y in range(y0, max(y1, y0 + 1)):
            for x in range(x0, max(x1, x0 + 1)):
                pixels[y][x] = colour
    xor = b"".join(bytes(px) for row in reversed(pixels) for px in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytes(mask_stride * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + mask


def main(path):
    images = [(32, image(32)), (16, image(16))]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(data for _, data in images)
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1])

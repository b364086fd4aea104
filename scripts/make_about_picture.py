#!/usr/bin/env python3
"""Draws the about box picture: the release number "5.10" on four 7-segment digits,
lit in red on a dark panel with the unlit segments faint, written as a 24-bit BMP
of 160 by 104 pixels."""
import struct
import sys

WIDTH, HEIGHT = 160, 104
BACK_TOP = (0x3A, 0x2C, 0x22)       # RGB, the panel shades from top to bottom
BACK_BOTTOM = (0x12, 0x0E, 0x0B)
FRAME = (0x90, 0xB9, 0xD2)
LIT = (0xFF, 0x20, 0x10)
UNLIT = (0x4A, 0x3C, 0x34)

# Segments a to g of one digit in a 28 x 52 cell: (x0, y0, x1, y1), exclusive ends.
SEGMENTS = {
    "a": (4, 0, 24, 4), "b": (24, 4, 28, 24), "c": (24, 28, 28, 48),
    "d": (4, 48, 24, 52), "e": (0, 28, 4, 48), "f": (0, 4, 4, 24), "g": (4, 24, 24, 28),
}
DIGITS = {
    "0": "abcdef", "1": "bc", "5": "acdfg",
}
# Each digit with its decimal point: "5." "1" "0" and a blank last digit.
SHOWN = [("5", True), ("1", False), ("0", False), (None, False)]


def fill(pixels, rect, colour):
    x0, y0, x1, y1 = rect
    for y in range(y0, y1):
        for x in range(x0, x1):
            pixels[y][x] = colour


def draw(pixels):
    for y in range(HEIGHT):
        t = y / (HEIGHT - 1)
        shade = tuple(round(a + (b - a) * t) for a, b in zip(BACK_TOP, BACK_BOTTOM))
        for x in range(WIDTH):
            pixels[y][x] = shade
    for x in range(WIDTH):
        pixels[0][x] = pixels[HEIGHT - 1][x] = FRAME
    for y in range(HEIGHT):
        pixels[y][0] = pixels[y][WIDTH - 1] = FRAME
    left, top = 14, 26
    for digit, point in SHOWN:
        lit = set(DIGITS.get(digit, ""))
        for name, (x0, y0, x1, y1) in SEGMENTS.items():
            colour = LIT if name in lit else UNLIT
            fill(pixels, (left + x0, top + y0, left + x1, top + y1), colour)
        fill(pixels, (left + 30, top + 48, left + 34, top + 52), LIT if point else UNLIT)
        left += 34


def bmp(pixels):
    stride = (WIDTH * 3 + 3) & ~3
    rows = b""
    for row in reversed(pixels):
        data = b"".join(bytes((b, g, r)) for r, g, b in row)
        rows += data + bytes(stride - len(data))
    header = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(rows), 0, 0,
                              14 + len(header))
    return file_header + header + rows


def main(path):
    pixels = [[(0, 0, 0)] * WIDTH for _ in range(HEIGHT)]
    draw(pixels)
    with open(path, "wb") as f:
        f.write(bmp(pixels))


if __name__ == "__main__":
    main(sys.argv[1])

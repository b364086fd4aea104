#!/usr/bin/env python3
"""Draws the number edit's calculator glyph "ORBTNCLC" as a 16-colour BMP.

make_grid_calc_glyph.py <glyph.bmp>

A 12x14 calculator: dark gray body, a green-on-black display and a 3x3 grid of
white keys. The bottom-left pixel is the background (silver), which the button
leaves out when it draws the glyph.
"""
import struct
import sys

WIDTH, HEIGHT = 12, 14
# The standard 16-colour palette, as (red, green, blue).
BACKGROUND, BODY, DISPLAY, DIGITS, KEY = 7, 8, 0, 10, 15
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def pixels():
    """Palette index per (x, y), y from the top."""
    grid = [[BACKGROUND] * WIDTH for _ in range(HEIGHT)]
    for y in range(0, HEIGHT - 1):
        for x in range(1, WIDTH):
            grid[y][x] = BODY
    for y in range(1, 4):
        for x in range(2, WIDTH - 1):
            grid[y][x] = DISPLAY
    for x in range(6, WIDTH - 2):
        grid[2][x] = DIGITS
    for row in range(3):
        for col in range(3):
            x0, y0 = 2 + col * 3, 5 + row * 3
            for y in range(y0, y0 + 2):
                for x in range(x0, x0 + 2):
                    grid[y][x] = KEY
    return grid


def bmp():
    row_bytes = ((WIDTH * 4 + 31) // 32) * 4
    image = bytearray()
    for row in reversed(pixels()):  # bottom-up
        line = bytearray(row_bytes)
        for x, index in enumerate(row):
            line[x // 2] |= index << (4 if x % 2 == 0 else 0)
        image += line
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 4, 0, len(image), 2835, 2835, 16, 0)
    return header + info + palette + bytes(image)


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as out:
        out.write(bmp())

#!/usr/bin/env python3
"""Draws the grid library's move cursors as 32x32 monochrome .cur files.

make_grid_cursors.py <column.cur> <row.cur>

The column cursor is a left-right double arrow through a vertical bar, the row
cursor the same turned upright; both are black with a white outline and have
their hot spot in the middle.
"""
import struct
import sys

SIZE = 32
HOT = 15


def double_arrow():
    """Black pixels of the left-right double arrow with its bar, as (x, y)."""
    black = set()
    for x in range(5, 27):  # shaft
        black.add((x, HOT))
    for d in range(1, 5):  # arrow heads
        for y in range(HOT - d, HOT + d + 1):
            black.add((4 + d, y))
            black.add((26 - d, y))
    for y in range(HOT - 7, HOT + 8):  # the bar
        black.add((HOT, y))
        black.add((HOT + 1, y))
    return black


def outline(black):
    white = set()
    for (x, y) in black:
        for dx in (-1, 0, 1):
            for dy in (-1, 0, 1):
                p = (x + dx, y + dy)
                if p not in black and 0 <= p[0] < SIZE and 0 <= p[1] < SIZE:
                    white.add(p)
    return white


def cursor_bytes(black, white):
    def rows(bit):
        data = b""
        for y in reversed(range(SIZE)):  # bottom-up
            value = 0
            for x in range(SIZE):
                if bit(x, y):
                    value |= 1 << (SIZE - 1 - x)
            data += struct.pack(">I", value)
        return data

    xor = rows(lambda x, y: (x, y) in white)
    mask = rows(lambda x, y: (x, y) not in black and (x, y) not in white)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, len(xor) + len(mask), 0, 0, 2, 0)
    palette = struct.pack("<II", 0x000000, 0xFFFFFF)
    image = header + palette + xor + mask
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, HOT, HOT, len(image), 6 + 16)
    return directory + entry + image


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: make_grid_cursors.py column.cur row.cur")
    column = double_arrow()
    row = {(y, x) for (x, y) in column}
    for shape, path in ((column, sys.argv[1]), (row, sys.argv[2])):
        with open(path, "wb") as f:
            f.write(cursor_bytes(shape, outline(shape)))


if __name__ == "__main__":
    main()

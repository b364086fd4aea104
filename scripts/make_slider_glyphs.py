#!/usr/bin/env python3
"""Draws the slider's default element pictures as 16-colour BMPs.

make_slider_glyphs.py <folder>

Writes SK_HTB (the horizontal thumb, two 9-pixel states side by side), SK_HRL (the
horizontal ruler), SK_VTB (the vertical thumb, two 19-pixel states) and SK_VRL (the
vertical ruler) into <folder>. Every picture's bottom-left pixel is the background, a
colour the elements never use, which the slider leaves out when it draws them.
"""
import sys

from make_file_glyphs import check_pictures, write_pictures

# Colours by letter, as (red, green, blue). "." is the background.
COLOURS = {
    ".": (255, 0, 255), "k": (0, 0, 0), "w": (255, 255, 255), "s": (192, 192, 192),
    "g": (128, 128, 128), "n": (0, 0, 128), "b": (84, 122, 172), "l": (182, 189, 210),
}

# A thumb pointing down at the ruler; the second state is the pressed one.
HTHUMB_NORMAL = """
wwwwwwwwk
wsssssssk
wsssssssk
wsssssssk
wsssssssk
wsssssssk
wsssssssk
wsssssssk
wsssssssk
wsssssssk
wsssssssk
wsssssssk
.wsssssk.
..wsssk..
...wsk...
....k....
.........""".strip().splitlines()

HRULER = """
..........
gggggggggg
gkkkkkkkkw
gkwwwwwwkw
gkwwwwwwkw
gkkkkkkkkw
wwwwwwwwww
..........""".strip().splitlines()


# The vertical slider's thumb points right, at its points.
VTHUMB_NORMAL = """
wwwwwwwwwwwww......
wssssssssssssw.....
wsssssssssssssw....
wssssssssssssssw...
wsssssssssssssssk..
wssssssssssssssk...
wsssssssssssssk....
wkkkkkkkkkkkkk.....
...................""".strip().splitlines()


def pressed(rows):
    """The pressed state: the face in the accent colours."""
    return [row.replace("s", "l").replace("w", "b") for row in rows]


def turned(rows):
    """A horizontal element turned a quarter: rows become columns, pointing right."""
    height, width = len(rows), len(rows[0])
    return ["".join(rows[height - 1 - y][x] for y in range(height)) for x in range(width)]


def beside(left, right):
    return [a + b for a, b in zip(left, right)]


def pictures():
    vthumb = VTHUMB_NORMAL
    found = {
        "SK_HTB": beside(HTHUMB_NORMAL, pressed(HTHUMB_NORMAL)),
        "SK_HRL": HRULER,
        "SK_VTB": beside(vthumb, pressed(vthumb)),
        "SK_VRL": turned(HRULER),
    }
    check_pictures(found, {"SK_HTB": (18, 17), "SK_HRL": (10, 8), "SK_VTB": (38, 9),
                           "SK_VRL": (8, 10)})
    return found


if __name__ == "__main__":
    write_pictures(sys.argv[1], pictures(), COLOURS, 4)

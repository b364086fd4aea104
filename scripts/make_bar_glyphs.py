#!/usr/bin/env python3
"""Draws the buttons bar's scroll arrows as 16-colour BMPs.

make_bar_glyphs.py <folder>

Writes SK_BB_UP and SK_BB_DOWN (11 x 11 each) into <folder>. Each picture's bottom-left
pixel is the background, a colour the arrows never use, which the buttons leave out when
they draw the glyph.
"""
import sys

from make_file_glyphs import check_pictures, write_pictures

COLOURS = {".": (255, 0, 255), "k": (0, 0, 0)}

UP = """
...........
...........
.....k.....
....kkk....
...kkkkk...
..kkkkkkk..
.kkkkkkkkk.
....kkk....
....kkk....
....kkk....
...........""".strip().splitlines()


def pictures():
    found = {"SK_BB_UP": UP, "SK_BB_DOWN": list(reversed(UP))}
    check_pictures(found, {"SK_BB_UP": (11, 11), "SK_BB_DOWN": (11, 11)})
    return found


if __name__ == "__main__":
    write_pictures(sys.argv[1], pictures(), COLOURS, 4)

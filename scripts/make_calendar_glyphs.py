#!/usr/bin/env python3
"""Draws the month calendar's navigation glyphs as 256-colour BMPs.

make_calendar_glyphs.py <folder>

Writes SK_PRIORYEAR.bmp, SK_PRIORMONTH.bmp, SK_NEXTMONTH.bmp and SK_NEXTYEAR.bmp into
<folder>: one arrow for a month, two for a year. Each bottom-left pixel is the
background, which the buttons leave out when they draw the glyph.
"""
import os
import sys

from make_file_glyphs import bmp

NEXT_MONTH = """
..........
...k......
...kk.....
...kkk....
...kkkk...
...kkk....
...kk.....
...k......
.........."""

NEXT_YEAR = """
..........
.k...k....
.kk..kk...
.kkk.kkk..
.kkkkkkkk.
.kkk.kkk..
.kk..kk...
.k...k....
.........."""


def rows(art):
    return art.strip().splitlines()


def mirrored(art):
    # The bottom-left pixel stays background: every row starts and ends with it.
    return [row[::-1] for row in rows(art)]


GLYPHS = {
    "SK_PRIORYEAR": mirrored(NEXT_YEAR),
    "SK_PRIORMONTH": mirrored(NEXT_MONTH),
    "SK_NEXTMONTH": rows(NEXT_MONTH),
    "SK_NEXTYEAR": rows(NEXT_YEAR),
}

if __name__ == "__main__":
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for name, picture in GLYPHS.items():
        if len({len(row) for row in picture}) != 1 or picture[-1][0] != ".":
            raise SystemExit(f"{name}: rows of unequal width or a painted bottom-left pixel")
        with open(os.path.join(folder, name + ".bmp"), "wb") as out:
            out.write(bmp(picture))

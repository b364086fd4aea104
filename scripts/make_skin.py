#!/usr/bin/env python3
"""Draws the program's skin: reads the hand-written description (resources/skin/skin.ini),
draws every rectangle it names into the pictures it lists and writes the skin folder
(the description and its BMP pictures) into the given output folder.

Usage: make_skin.py SKIN_INI OUTPUT_FOLDER

The frame picture is 8-bit with a colour table, the others 24-bit. Each record is drawn
by its type and each rectangle by its key: the normal look, the hot look ("active..."),
the pressed look ("down...") and the disabled look ("disabled...", "unenabled...").
Edges and client parts that the program repeats are drawn uniform along the direction
of repetition, so that a skinned element of any size shows no seams."""
import configparser
import math
import os
import shutil
import struct
import sys

# One palette (RGB).
FACE = (236, 238, 242)
FACE_DARK = (224, 228, 235)
LINE = (150, 160, 176)
DARK = (96, 108, 128)
WHITE = (255, 255, 255)
GLYPH = (44, 52, 66)
ACCENT_TOP = (84, 122, 172)
ACCENT_BOTTOM = (42, 72, 116)
ACCENT_EDGE = (28, 50, 84)
ACCENT_LIGHT = (120, 156, 204)
BUTTON_TOP = (252, 253, 255)
BUTTON_BOTTOM = (214, 221, 232)
SELECT = (204, 222, 246)
SELECT_EDGE = (116, 154, 208)
TRACK = (228, 231, 237)
FIELD_SHADOW = (226, 230, 236)

NORMAL, HOT, DOWN, DISABLED = "normal", "hot", "down", "disabled"


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def lighter(c, t=0.45):
    return mix(c, WHITE, t)


def darker(c, t=0.82):
    return tuple(round(x * t) for x in c)


def grey(c):
    g = round(0.3 * c[0] + 0.59 * c[1] + 0.11 * c[2])
    return mix((g, g, g), FACE, 0.55)


def in_state(c, state):
    return {NORMAL: c, HOT: lighter(c), DOWN: darker(c), DISABLED: grey(c)}[state]


def state_of(key):
    if key.startswith(("disable", "unenabled")):
        return DISABLED
    if key.startswith("down") or key == "restoredownrect":
        return DOWN
    if key.startswith("active") or key == "restoreactiverect":
        return HOT
    return NORMAL


class Picture:
    def __init__(self, width, height, back=FACE):
        self.width, self.height = width, height
        self.pixels = [[back] * width for _ in range(height)]

    def put(self, x, y, c):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = c

    def fill(self, r, c):
        for y in range(r[1], r[3]):
            for x in range(r[0], r[2]):
                self.put(x, y, c)

    def vgradient(self, r, top, bottom):
        h = r[3] - r[1]
        for y in range(r[1], r[3]):
            t = (y - r[1]) / max(1, h - 1)
            self.fill((r[0], y, r[2], y + 1), mix(top, bottom, t))

    def hgradient(self, r, left, right):
        w = r[2] - r[0]
        for x in range(r[0], r[2]):
            t = (x - r[0]) / max(1, w - 1)
            self.fill((x, r[1], x + 1, r[3]), mix(left, right, t))

    def frame(self, r, c):
        x0, y0, x1, y1 = r
        self.fill((x0, y0, x1, y0 + 1), c)
        self.fill((x0, y1 - 1, x1, y1), c)
        self.fill((x0, y0, x0 + 1, y1), c)
        self.fill((x1 - 1, y0, x1, y1), c)

    def soften_corners(self, r, back):
        """Rounds a framed box by blending its four corner pixels into the background."""
        x0, y0, x1, y1 = r
        for x, y in ((x0, y0), (x1 - 1, y0), (x0, y1 - 1), (x1 - 1, y1 - 1)):
            self.put(x, y, mix(self.pixels[y][x], back, 0.65))

    def glyph(self, r, rows, c):
        """Draws a glyph given as rows of '#' centred in r."""
        gw, gh = max(len(row) for row in rows), len(rows)
        left = r[0] + (r[2] - r[0] - gw) // 2
        top = r[1] + (r[3] - r[1] - gh) // 2
        for j, row in enumerate(rows):
            for i, ch in enumerate(row):
                if ch == "#":
                    self.put(left + i, top + j, c)


GLYPHS = {
    "cmminimize": ["########", "########"],
    "cmmaximize": ["#########", "#########", "#.......#", "#.......#", "#.......#",
                   "#.......#", "#########"],
    "cmmaximize_restore": ["..#######", "..#######", "..#.....#", "#######.#", "#######.#",
                           "#.....###", "#.....#..", "#######.."],
    "cmrollup": ["....#....", "...###...", "..#####..", ".#######.", "#########"],
    "cmrollup_restore": ["#########", ".#######.", "..#####..", "...###...", "....#...."],
    # The window menu shows one lit 7-segment digit.
    "cmsysmenu": [".####.", "#....#", "#....#", "#....#", ".####.", "#....#", "#....#",
                  "#....#", ".####."],
    "close": ["#.....#", "##...##", ".##.##.", "..###..", ".##.##.", "##...##", "#.....#"],
    "left": ["...#", "..##", ".###", "####", ".###", "..##", "...#"],
    "right": ["#...", "##..", "###.", "####", "###.", "##..", "#..."],
    "up": ["...#...", "..###..", ".#####.", "#######"],
    "down": ["#######", ".#####.", "..###..", "...#..."],
    "check": ["......#", ".....##", "#...##.", "##.##..", ".###...", "..#...."],
}


def minimize_glyph():
    return ["........"] * 6 + GLYPHS["cmminimize"]


# ---- Frame, caption objects and the roll-up panel's caption ------------------------

def caption_colour(y, height):
    """The caption's shade at row y of a caption band 'height' rows high."""
    return mix(ACCENT_TOP, ACCENT_BOTTOM, min(1.0, y / max(1, height - 1)))


def draw_frame(pic, client):
    w, h = pic.width, pic.height
    pic.fill((0, 0, w, h), ACCENT_BOTTOM)
    for y in range(client[1]):
        pic.fill((0, y, w, y + 1), caption_colour(y, client[1]))
    pic.fill((1, 1, w - 1, 2), ACCENT_LIGHT)
    pic.frame((0, 0, w, h), ACCENT_EDGE)
    pic.fill(client, FACE)
    pic.frame((client[0] - 1, client[1] - 1, client[2] + 1, client[3] + 1), ACCENT_EDGE)


def caption_button(pic, r, glyph, state, band_top, band_height):
    """A caption button over the caption band: the band shows through the normal look."""
    for y in range(r[1], r[3]):
        pic.fill((r[0], y, r[2], y + 1), caption_colour(band_top + y - r[1], band_height))
    if state == DISABLED:
        return  # a caption command the window does not allow leaves plain band
    if state != NORMAL:
        box = {HOT: lighter(ACCENT_TOP, 0.3), DOWN: ACCENT_EDGE}[state]
        pic.vgradient(r, lighter(box, 0.15), box)
        pic.frame(r, ACCENT_EDGE if state != HOT else ACCENT_LIGHT)
        pic.soften_corners(r, caption_colour(band_top + 1, band_height))
    colour = {NORMAL: WHITE, HOT: WHITE, DOWN: (214, 226, 244)}[state]
    pic.glyph(r, glyph, colour)


def std_button_glyph(command, restore):
    if command == "cmminimize":
        return minimize_glyph()
    if restore:
        return GLYPHS[command + "_restore"]
    return GLYPHS[command]


# ---- Buttons, fields, panels ------------------------------------------------------

# Rows of a button's top and bottom edge, frame included: the shading lies in them, so
# that the face between them, which holds the text and repeats on taller buttons, is flat.
BUTTON_EDGE = 3


def draw_button(pic, r, state):
    top, bottom = BUTTON_TOP, BUTTON_BOTTOM
    edge = LINE
    if state == HOT:
        top, bottom, edge = WHITE, lighter(SELECT, 0.3), SELECT_EDGE
    elif state == DOWN:
        top, bottom, edge = darker(BUTTON_BOTTOM, 0.9), darker(BUTTON_TOP, 0.9), DARK
    elif state == DISABLED:
        top, bottom, edge = FACE, FACE_DARK, grey(LINE)
    face = mix(top, bottom, 0.4)
    pic.fill(r, face)
    pic.vgradient((r[0], r[1], r[2], r[1] + BUTTON_EDGE), top, mix(top, face, 0.6))
    pic.vgradient((r[0], r[3] - BUTTON_EDGE, r[2], r[3]), mix(face, bottom, 0.4), bottom)
    if state != DOWN:
        pic.fill((r[0] + 1, r[1] + 1, r[2] - 1, r[1] + 2), WHITE)
    pic.frame(r, edge)
    pic.soften_corners(r, FACE)


def draw_field(pic, r, state):
    edge = {NORMAL: LINE, HOT: SELECT_EDGE, DOWN: SELECT_EDGE, DISABLED: grey(LINE)}[state]
    pic.fill(r, WHITE if state != DISABLED else FACE)
    pic.fill((r[0] + 1, r[1] + 1, r[2] - 1, r[1] + 2), FIELD_SHADOW if state == NORMAL
             else lighter(SELECT, 0.4))
    pic.frame(r, edge)


def draw_panel(pic, r, highlight=True, face=FACE):
    """A framed face; the highlight inside the frame needs a border of two pixels, or it
    would lie in the client part that the program repeats."""
    pic.fill(r, face)
    pic.frame(r, LINE)
    if not highlight:
        return
    pic.fill((r[0] + 1, r[1] + 1, r[2] - 1, r[1] + 2), WHITE)
    pic.fill((r[0] + 1, r[1] + 1, r[0] + 2, r[3] - 1), WHITE)


def draw_group(pic, r, caption_bottom):
    draw_panel(pic, r)
    pic.vgradient((r[0] + 1, r[1] + 1, r[2] - 1, r[1] + caption_bottom), WHITE, FACE_DARK)
    pic.fill((r[0] + 1, r[1] + caption_bottom - 1, r[2] - 1, r[1] + caption_bottom),
             ACCENT_LIGHT)


def draw_header_section(pic, r, state):
    """A column heading: shaded downwards, a rule below, a separator in its right edge; the
    middle repeats along the header."""
    top, bottom, rule = {NORMAL: (WHITE, FACE, LINE), HOT: (WHITE, lighter(SELECT, 0.3), SELECT_EDGE),
                         DOWN: (FACE_DARK, FACE, DARK)}[state]
    pic.vgradient(r, top, bottom)
    pic.fill((r[0], r[3] - 1, r[2], r[3]), rule)
    pic.fill((r[2] - 1, r[1] + 3, r[2], r[3] - 3), LINE)
    pic.fill((r[2] - 2, r[1] + 3, r[2] - 1, r[3] - 3), WHITE)


def draw_status_bar(pic, r):
    pic.fill(r, FACE_DARK)
    pic.fill((r[0], r[1], r[2], r[1] + 1), LINE)
    pic.fill((r[0], r[1] + 1, r[2], r[1] + 2), WHITE)


def draw_status_panel(pic, r):
    """A sunken field of the status bar: shadow above and left, light below and right."""
    pic.fill(r, FACE)
    pic.fill((r[0], r[1], r[2], r[1] + 1), LINE)
    pic.fill((r[0], r[1], r[0] + 1, r[3]), LINE)
    pic.fill((r[0], r[3] - 1, r[2], r[3]), WHITE)
    pic.fill((r[2] - 1, r[1], r[2], r[3]), WHITE)


def draw_tool_panel(pic, r):
    pic.fill(r, FACE_DARK)
    pic.fill((r[0], r[1], r[2], r[1] + 1), WHITE)
    pic.fill((r[0], r[1] + 1, r[2], r[1] + 2), FACE)
    pic.fill((r[0], r[3] - 1, r[2], r[3]), LINE)


def item_shades(state):
    """Top and bottom of a row's shading. The chosen (pressed) row is dark enough at its
    lightest for white text at 4.5:1."""
    if state == DOWN:
        return mix(ACCENT_TOP, ACCENT_BOTTOM, 0.2), ACCENT_BOTTOM
    fill = {HOT: SELECT, DISABLED: FACE}[state]
    return lighter(fill, 0.35), fill


def draw_item(pic, r, state, back=WHITE):
    pic.fill(r, back)
    if state == NORMAL:
        return
    edge = {HOT: SELECT_EDGE, DOWN: ACCENT_EDGE, DISABLED: LINE}[state]
    pic.vgradient(r, *item_shades(state))
    pic.frame(r, edge)
    pic.soften_corners(r, back)


def draw_bar_item(pic, r, state):
    """A menu-bar item on the bar's own gradient, so that the bar reads as one strip."""
    pic.vgradient(r, WHITE, FACE)
    pic.fill((r[0], r[3] - 1, r[2], r[3]), LINE)
    if state == NORMAL:
        return
    inner = (r[0], r[1] + 1, r[2], r[3] - 2)
    edge = {HOT: SELECT_EDGE, DOWN: ACCENT_EDGE, DISABLED: LINE}[state]
    pic.vgradient(inner, *item_shades(state))
    pic.frame(inner, edge)
    pic.soften_corners(inner, FACE)


CHECK_MARK = GLYPHS["check"]


def draw_check_picture(pic, r, state, checked, radio):
    """A check or radio box inside a margin of face colour, which the program leaves out
    when it draws the picture (its bottom-left pixel is the transparent colour)."""
    pic.fill(r, FACE)
    box = (r[0] + 1, r[1] + 1, r[2] - 1, r[3] - 1)
    top, bottom, edge = {NORMAL: (FIELD_SHADOW, WHITE, LINE),
                         HOT: (lighter(SELECT, 0.4), WHITE, SELECT_EDGE),
                         DISABLED: (FACE_DARK, FACE_DARK, grey(LINE))}[state]
    mark = grey(ACCENT_BOTTOM) if state == DISABLED else ACCENT_BOTTOM
    size = box[2] - box[0]
    if not radio:
        pic.vgradient(box, top, bottom)
        pic.frame(box, edge)
        pic.soften_corners(box, FACE_DARK)
        if checked:
            pic.glyph(box, CHECK_MARK, mark)
        return
    centre = (size - 1) / 2
    for j in range(size):
        for i in range(size):
            d = ((i - centre) ** 2 + (j - centre) ** 2) ** 0.5
            x, y = box[0] + i, box[1] + j
            if d <= centre - 0.5:
                pic.put(x, y, mix(top, bottom, j / max(1, size - 1)))
            elif d <= centre + 0.5:
                pic.put(x, y, edge)
            if checked and d <= 2.3:
                pic.put(x, y, mark)


def draw_small_button(pic, r, glyph, state):
    draw_button(pic, r, state)
    pic.glyph(r, GLYPHS[glyph], GLYPH if state != DISABLED else grey(GLYPH))


def draw_thumb(pic, r, state, vertical, back):
    """A value control's thumb: shaded across its length, lit when hot, blue when held."""
    top, bottom = {NORMAL: (BUTTON_TOP, BUTTON_BOTTOM), HOT: (WHITE, SELECT),
                   DOWN: (SELECT, ACCENT_LIGHT), DISABLED: (FACE, FACE_DARK)}[state]
    if vertical:
        pic.vgradient(r, top, bottom)
    else:
        pic.hgradient(r, top, bottom)
    pic.frame(r, {NORMAL: LINE, HOT: SELECT_EDGE, DOWN: ACCENT_TOP, DISABLED: grey(LINE)}[state])
    pic.soften_corners(r, back)
    # A grip of three lines across the middle.
    cx, cy = (r[0] + r[2]) // 2, (r[1] + r[3]) // 2
    for d in (-2, 0, 2):
        if vertical:
            pic.fill((r[0] + 3, cy + d, r[2] - 3, cy + d + 1), DARK if state != DISABLED else LINE)
        else:
            pic.fill((cx + d, r[1] + 3, cx + d + 1, r[3] - 3), DARK if state != DISABLED else LINE)


# ---- The description ---------------------------------------------------------------

def rect(value):
    return tuple(int(v) for v in value.split(","))


def point(value):
    return tuple(int(v) for v in value.split(","))


def nonzero(r):
    return r[2] > r[0] and r[3] > r[1]


def offset(r, base):
    return (r[0] + base[0], r[1] + base[1], r[2] + base[0], r[3] + base[1])


def typed_list(ini, section):
    entries = []
    for i in range(ini.getint(section, "count")):
        name, _, kind = ini.get(section, str(i)).partition(":")
        entries.append((name, kind))
    return entries


# Keys whose rectangles lie inside their record's own rectangle; the others are places
# in a picture that get drawn.
RELATIVE_KEYS = {"clientrect", "captionrect", "textrect", "itemsrect", "itemtextrect",
                 "trackarea", "upbuttonrect", "downbuttonrect", "buttonrect", "framerect", "activeframerect",
                 "frametextrect", "checkimagerect", "uncheckimagerect", "maskrectarea",
                 "mainmenurect", "iconrect", "buttonsrect", "trackbuttonrect"}


class SkinPainter:
    def __init__(self, ini):
        self.ini = ini
        self.active_names = [ini.get("PICTURES", str(i))
                             for i in range(ini.getint("PICTURES", "activepicturescount"))]
        self.jobs = {i: [] for i in range(len(self.active_names))}
        self.drawn = set()

    def rects(self, section):
        return {k: rect(v) for k, v in self.ini.items(section)
                if k.endswith(("rect", "area", "rsect")) and k != "maskrectarea"
                and "," in v}

    def schedule(self, index, r, draw, what):
        if index not in self.jobs:
            raise SystemExit(f"{what}: picture index {index} is not in [PICTURES]")
        self.jobs[index].append((r, draw))
        self.drawn.add(what)

    # Frame picture and the caption objects' normal looks.
    def frame_picture(self):
        client = rect(self.ini.get("FORMINFO", "clientrect"))
        pic = Picture(client[2] + client[0], client[3] + client[0])
        draw_frame(pic, client)
        for name, kind in typed_list(self.ini, "SKINOBJECTS"):
            if kind == "stdbutton" and self.ini.getint(name, "skinrectinapicture") == 0:
                r = rect(self.ini.get(name, "skinrect"))
                command = self.ini.get(name, "command")
                caption_button(pic, r, std_button_glyph(command, False), NORMAL, r[1],
                               client[1])
        return pic

    def objects(self):
        band = rect(self.ini.get("FORMINFO", "clientrect"))[1]
        for name, kind in typed_list(self.ini, "SKINOBJECTS"):
            index = self.ini.getint(name, "activepictureindex")
            rects = self.rects(name)
            if kind == "stdbutton":
                skin_top = rects["skinrect"][1]
                command = self.ini.get(name, "command")
                for key, r in rects.items():
                    if key == "skinrect" or not nonzero(r):
                        continue
                    glyph = std_button_glyph(command, key.startswith("restore"))
                    self.schedule(index, r, lambda p, r=r, g=glyph, s=state_of(key):
                                  caption_button(p, r, g, s, skin_top, band), f"{name}.{key}")
            elif kind in ("mainmenubaritem", "menuitem"):
                for key, r in rects.items():
                    if key in RELATIVE_KEYS or not nonzero(r):
                        continue
                    if key == "dividerrect":
                        draw = lambda p, r=r: (p.fill(r, WHITE), p.fill(
                            (r[0] + 4, (r[1] + r[3]) // 2, r[2] - 4, (r[1] + r[3]) // 2 + 1),
                            LINE))
                    elif kind == "mainmenubaritem":
                        draw = lambda p, r=r, s=state_of(key): draw_bar_item(p, r, s)
                    else:
                        draw = lambda p, r=r, s=state_of(key): draw_item(p, r, s)
                    self.schedule(index, r, draw, f"{name}.{key}")
            elif kind == "caption":
                pass  # drawn with the frame's caption band
            else:
                raise SystemExit(f"[{name}]: no drawing for objects of type {kind}")

    def controls(self):
        for name, kind in typed_list(self.ini, "SKINCONTROLS"):
            index = self.ini.getint(name, "pictureindex")
            rects = self.rects(name)
            skin = rects.get("skinrect", (0, 0, 0, 0))
            drawer = getattr(self, "control_" + kind, None)
            if drawer is None:
                raise SystemExit(f"[{name}]: no drawing for controls of type {kind}")
            drawer(name, index, skin, rects)

    def each_state(self, name, index, rects, draw, keys=None):
        for key, r in rects.items():
            if key in RELATIVE_KEYS or not nonzero(r) or (keys and key not in keys):
                continue
            self.schedule(index, r, lambda p, r=r, s=state_of(key): draw(p, r, s),
                          f"{name}.{key}")

    def control_button(self, name, index, skin, rects):
        if name == "header":
            self.each_state(name, index, rects, draw_header_section)
            return
        # "resizebutton" is a plain button that stretches: the calendar's arrows, the
        # buttons bar's items and the list view's header sections all draw on it.
        self.each_state(name, index, rects, draw_button)

    def control_menubutton(self, name, index, skin, rects):
        """A button whose drop-down part at the right is set off by a groove and holds the
        arrow; the part of the pressed look is what an open menu shows."""
        track = rects["trackbuttonrect"]

        def draw(p, r, s):
            draw_button(p, r, s)
            part = offset(track, r)
            groove = (part[0], r[1] + BUTTON_EDGE, part[0] + 1, r[3] - BUTTON_EDGE)
            p.fill(groove, grey(LINE) if s == DISABLED else LINE)
            if s != DOWN:
                p.fill(offset(groove, (1, 0)), WHITE)
            p.glyph((part[0] + 1, part[1], part[2], part[3]), GLYPHS["down"],
                    grey(GLYPH) if s == DISABLED else GLYPH)
        self.each_state(name, index, rects, draw)

    def control_panel(self, name, index, skin, rects):
        caption = rects.get("captionrect", (0, 0, 0, 0))
        if name == "toolpanel":
            draw = lambda p, r, s: draw_tool_panel(p, r)
        elif name == "buttonsbar":
            draw = lambda p, r, s: draw_panel(p, r, face=FACE_DARK)
        elif name == "statusbar":
            draw = lambda p, r, s: draw_status_bar(p, r)
        elif nonzero(caption):
            client = rects["clientrect"]
            draw = lambda p, r, s: draw_group(p, r, client[1])
        else:
            inset = min(rects["clientrect"][:2])
            draw = lambda p, r, s: draw_panel(p, r, highlight=inset >= 2)
        self.each_state(name, index, rects, draw)

    def control_expanel(self, name, index, skin, rects):
        """The roll-up panel: its caption band over the body, the band alone (rolled up)
        and the band turned into a strip (rolled to the side), and its caption buttons,
        whose normal look lets the band show through where they sit."""
        band = rects["clientrect"][1]
        button_top = rects["captionrect"][1]

        def body(p, r, top_band):
            p.fill(r, ACCENT_BOTTOM)
            for y in range(min(top_band, r[3] - r[1])):
                p.fill((r[0], r[1] + y, r[2], r[1] + y + 1), caption_colour(y, band))
            p.frame(r, ACCENT_EDGE)

        def panel(p, r):
            body(p, r, band)
            p.fill(offset(rects["clientrect"], r), FACE)

        rolled_h, rolled_v = rects["rollhskinrect"], rects["rollvskinrect"]
        self.schedule(index, skin, lambda p: panel(p, skin), f"{name}.skinrect")
        self.schedule(index, rolled_v, lambda p: body(p, rolled_v, band), f"{name}.rollvskinrect")
        self.schedule(index, rolled_h, lambda p: body(p, rolled_h, band), f"{name}.rollhskinrect")
        glyphs = {"closebutton": "close", "hrollbutton": "left", "hrestorebutton": "right",
                  "vrollbutton": "up", "vrestorebutton": "down"}
        for button, glyph in glyphs.items():
            for suffix, state in (("rect", NORMAL), ("activerect", HOT), ("downrect", DOWN)):
                key = button + suffix
                r = rects[key]
                self.schedule(index, r, lambda p, r=r, g=GLYPHS[glyph], s=state:
                              caption_button(p, r, g, s, button_top, band), f"{name}.{key}")

    def control_controlbar(self, name, index, skin, rects):
        """The bar: a framed darker face that repeats inside; the band frame: a face with
        a grip of two grooves down its left 12 pixels, uniform along each edge."""
        def band(p, r):
            p.fill(r, FACE)
            p.frame(r, LINE)
            p.fill((r[0] + 1, r[1] + 1, r[2] - 1, r[1] + 2), WHITE)
            for x in (r[0] + 4, r[0] + 7):
                p.fill((x, r[1] + 3, x + 1, r[3] - 3), DARK)
                p.fill((x + 1, r[1] + 3, x + 2, r[3] - 3), WHITE)
            p.soften_corners(r, FACE_DARK)
        self.schedule(index, skin, lambda p: draw_panel(p, skin, face=FACE_DARK),
                      f"{name}.skinrect")
        item = rects["itemrect"]
        if nonzero(item):
            self.schedule(index, item, lambda p: band(p, item), f"{name}.itemrect")

    def control_label(self, name, index, skin, rects):
        if name == "statuspanel":
            self.each_state(name, index, rects, lambda p, r, s: draw_status_panel(p, r))
            return
        self.each_state(name, index, rects, lambda p, r, s: p.fill(r, FACE))

    def control_splitter(self, name, index, skin, rects):
        def draw(p, r, s):
            p.fill(r, FACE)
            p.fill((r[0], r[1], r[0] + 1, r[3]), WHITE)
            p.fill((r[2] - 1, r[1], r[2], r[3]), FACE_DARK)
            lt, lb = point(self.ini.get(name, "lefttoppoint")), point(self.ini.get(name, "leftbottompoint"))
            for y in range(r[1] + lt[1], r[1] + lb[1], 4):
                p.put(r[0] + 2, y + 1, DARK)
                p.put(r[0] + 3, y + 2, WHITE)
        self.each_state(name, index, rects, draw)

    def control_edit(self, name, index, skin, rects):
        button = rects.get("buttonrect", (0, 0, 0, 0))
        if not nonzero(button):
            self.each_state(name, index, rects, draw_field)
            return

        # A button edit: its frame pictures hold the button's normal look.
        def base(p, r, s):
            draw_field(p, r, s)
            draw_small_button(p, offset(button, r), "down", NORMAL)
        self.each_state(name, index, rects, base, {"skinrect", "activeskinrect"})
        # Here the pressed look lies in the picture, unlike the step buttons' "downbuttonrect".
        for key in ("activebuttonrect", "downbuttonrect", "unenabledbuttonrect"):
            r = rects.get(key, (0, 0, 0, 0))
            if nonzero(r):
                self.schedule(index, r, lambda p, r=r, s=state_of(key):
                              draw_small_button(p, r, "down", s), f"{name}.{key}")

    def control_memo(self, name, index, skin, rects):
        self.each_state(name, index, rects, draw_field)

    def control_scrollbox(self, name, index, skin, rects):
        self.each_state(name, index, rects, draw_field)

    def control_combobox(self, name, index, skin, rects):
        button = rects["buttonrect"]

        def base(p, r, s):
            draw_field(p, r, s)
            draw_small_button(p, offset(button, r), "down", NORMAL)
        self.each_state(name, index, rects, base, {"skinrect"})
        self.each_state(name, index, rects, lambda p, r, s: draw_small_button(p, r, "down", s),
                        {"activebuttonrect", "downbuttonrect", "unenabledbuttonrect"})
        self.each_state(name, index, rects, lambda p, r, s: draw_item(p, r, NORMAL), {"itemrect"})
        self.each_state(name, index, rects, lambda p, r, s: draw_item(p, r, DOWN),
                        {"focusitemrect"})

    def control_listbox(self, name, index, skin, rects):
        self.each_state(name, index, rects, draw_field, {"skinrect"})
        self.list_items(name, index, rects)

    def list_items(self, name, index, rects):
        self.each_state(name, index, rects, lambda p, r, s: draw_item(p, r, NORMAL), {"itemrect"})
        self.each_state(name, index, rects, lambda p, r, s: draw_item(p, r, HOT),
                        {"activeitemrect"})
        self.each_state(name, index, rects, lambda p, r, s: draw_item(p, r, DOWN),
                        {"focusitemrect"})

    def control_checklistbox(self, name, index, skin, rects):
        """A list box with check pictures; with a caption its top band holds the caption and
        the check, down and up buttons (their places are in the picture, their normal look
        part of the frame)."""
        caption = rects.get("captionrect", (0, 0, 0, 0))
        buttons = {"checkbuttonrect": "check", "downbuttonrect": "down", "upbuttonrect": "up"}
        band = point(self.ini.get(name, "lefttoppoint"))[1]

        def base(p, r, s):
            draw_field(p, r, s)
            if not nonzero(caption):
                return
            p.vgradient((r[0] + 1, r[1] + 1, r[2] - 1, r[1] + band - 1), WHITE, FACE_DARK)
            p.fill((r[0] + 1, r[1] + band - 1, r[2] - 1, r[1] + band), LINE)
            for key, glyph in buttons.items():
                draw_small_button(p, rects[key], glyph, NORMAL)
        self.each_state(name, index, rects, base, {"skinrect"})
        self.list_items(name, index, rects)
        for key, checked in (("checkimagerect", True), ("uncheckimagerect", False)):
            r = rects[key]
            self.schedule(index, r, lambda p, r=r, c=checked:
                          draw_check_picture(p, r, NORMAL, c, False), f"{name}.{key}")
        for key, glyph in buttons.items():
            for look in ("active", "down"):
                r = rects.get(look + key, (0, 0, 0, 0))
                if nonzero(r):
                    self.schedule(index, r, lambda p, r=r, g=glyph, s=state_of(look):
                                  draw_small_button(p, r, g, s), f"{name}.{look}{key}")

    def control_mainmenubar(self, name, index, skin, rects):
        def draw(p, r, s):
            p.vgradient(r, WHITE, FACE)
            p.fill((r[0], r[3] - 1, r[2], r[3]), LINE)
        self.each_state(name, index, rects, draw)

    def control_scrollbar(self, name, index, skin, rects):
        vertical = skin[3] - skin[1] > skin[2] - skin[0]
        less, more = ("up", "down") if vertical else ("left", "right")

        def base(p, r, s):
            p.fill(r, FACE)
            track = offset(rects["trackarea"], r)
            if vertical:
                p.hgradient(track, FACE_DARK, TRACK)
            else:
                p.vgradient(track, FACE_DARK, TRACK)
            draw_small_button(p, offset(rects["downbuttonrect"], r), less, NORMAL)
            draw_small_button(p, offset(rects["upbuttonrect"], r), more, NORMAL)

        def thumb(p, r, s):
            top, bottom = {NORMAL: (BUTTON_TOP, BUTTON_BOTTOM), HOT: (WHITE, SELECT),
                           DOWN: (SELECT, ACCENT_LIGHT)}[s]
            if vertical:
                p.hgradient(r, top, bottom)
            else:
                p.vgradient(r, top, bottom)
            p.frame(r, SELECT_EDGE if s != NORMAL else LINE)
            p.soften_corners(r, TRACK)
        self.each_state(name, index, rects, base, {"skinrect"})
        self.each_state(name, index, rects, lambda p, r, s: draw_small_button(p, r, less, s),
                        {"activedownbuttonrect", "downdownbuttonrect"})
        self.each_state(name, index, rects, lambda p, r, s: draw_small_button(p, r, more, s),
                        {"activeupbuttonrect", "downupbuttonrect"})
        self.each_state(name, index, rects, thumb,
                        {"thumbrect", "activethumbrect", "downthumbrect"})

    def control_updown(self, name, index, skin, rects):
        vertical = skin[3] - skin[1] > skin[2] - skin[0]
        self.step_buttons(name, index, rects, ("up", "down") if vertical else ("right", "left"),
                          lambda p, r: p.fill(r, FACE))

    def control_spinedit(self, name, index, skin, rects):
        self.step_buttons(name, index, rects, ("up", "down"), lambda p, r: draw_field(p, r, NORMAL))

    def step_buttons(self, name, index, rects, glyphs, base):
        """A control with an up and a down button: its picture holds both in their normal
        look; the hot and pressed looks lie apart."""
        up, down = glyphs

        def whole(p, r, s):
            base(p, r)
            draw_small_button(p, offset(rects["upbuttonrect"], r), up, NORMAL)
            draw_small_button(p, offset(rects["downbuttonrect"], r), down, NORMAL)
        self.each_state(name, index, rects, whole, {"skinrect"})
        self.each_state(name, index, rects, lambda p, r, s: draw_small_button(p, r, up, s),
                        {"activeupbuttonrect", "downupbuttonrect"})
        self.each_state(name, index, rects, lambda p, r, s: draw_small_button(p, r, down, s),
                        {"activedownbuttonrect", "downdownbuttonrect"})

    def control_tab(self, name, index, skin, rects):
        """The page area's frame (a panel), the tabs (rounded at the top, the selected ones
        joined to the page below them) and the strip's plain background."""
        self.schedule(index, skin, lambda p: draw_panel(p, skin), f"{name}.skinrect")

        def tab(p, r, key):
            top, bottom, edge = BUTTON_TOP, FACE_DARK, LINE
            if key == "mouseintabrect":
                top, bottom, edge = WHITE, lighter(SELECT, 0.3), SELECT_EDGE
            elif key in ("activetabrect", "focustabrect"):
                top, bottom = WHITE, FACE
            p.fill(r, FACE)
            body = (r[0], r[1] + 1, r[2], r[3])
            p.vgradient(body, top, bottom)
            p.fill((r[0] + 1, r[1], r[2] - 1, r[1] + 1), edge)
            p.fill((r[0], r[1] + 1, r[0] + 1, r[3]), edge)
            p.fill((r[2] - 1, r[1] + 1, r[2], r[3]), edge)
            if key == "focustabrect":
                p.fill((r[0] + 1, r[1] + 1, r[2] - 1, r[1] + 3), ACCENT_LIGHT)
            if key not in ("activetabrect", "focustabrect"):
                p.fill((r[0], r[3] - 1, r[2], r[3]), LINE)
            p.soften_corners((r[0], r[1], r[2], r[1] + 2), FACE)
        for key in ("tabrect", "activetabrect", "focustabrect", "mouseintabrect"):
            r = rects[key]
            self.schedule(index, r, lambda p, r=r, k=key: tab(p, r, k), f"{name}.{key}")
        strip = rects["tabsbgrect"]
        self.schedule(index, strip, lambda p: p.fill(strip, FACE), f"{name}.tabsbgrect")

    def control_trackbar(self, name, index, skin, rects):
        vertical = self.ini.getint(name, "vertical") == 1

        def base(p, r):
            p.fill(r, FACE)
            track = offset(rects["trackarea"], r)
            if vertical:
                mid = (track[0] + track[2]) // 2
                groove = (mid - 2, track[1] + 2, mid + 2, track[3] - 2)
                p.hgradient(groove, FACE_DARK, TRACK)
            else:
                mid = (track[1] + track[3]) // 2
                groove = (track[0] + 2, mid - 2, track[2] - 2, mid + 2)
                p.vgradient(groove, FACE_DARK, TRACK)
            p.frame(groove, LINE)
        self.schedule(index, skin, lambda p: base(p, skin), f"{name}.skinrect")
        for key in ("buttonrect", "activebuttonrect"):
            r = rects[key]
            self.schedule(index, r, lambda p, r=r, s=state_of(key):
                          draw_thumb(p, r, s, vertical, FACE), f"{name}.{key}")

    def control_gauge(self, name, index, skin, rects):
        vertical = self.ini.getint(name, "vertical") == 1
        begin = self.ini.getint(name, "beginoffset")
        end = self.ini.getint(name, "endoffset")

        def base(p, r):
            p.fill(r, FACE)
            area = offset(rects["progressarea"], r)
            draw_field(p, (area[0] - 1, area[1] - 1, area[2] + 1, area[3] + 1), NORMAL)

        def fill(p, r):
            if vertical:
                p.hgradient(r, ACCENT_LIGHT, ACCENT_TOP)
                p.fill((r[0], r[1], r[2], r[1] + begin), ACCENT_EDGE)
                p.fill((r[0], r[1] + begin - 1, r[2], r[1] + begin), ACCENT_LIGHT)
                p.fill((r[0], r[3] - end, r[2], r[3]), ACCENT_EDGE)
            else:
                p.vgradient(r, ACCENT_LIGHT, ACCENT_TOP)
                p.fill((r[0], r[1], r[0] + begin, r[3]), ACCENT_EDGE)
                p.fill((r[2] - end, r[1], r[2], r[3]), ACCENT_EDGE)
                p.fill((r[2] - end, r[1], r[2] - end + 1, r[3]), ACCENT_LIGHT)
        self.schedule(index, skin, lambda p: base(p, skin), f"{name}.skinrect")
        progress = rects["progressrect"]
        self.schedule(index, progress, lambda p: fill(p, progress), f"{name}.progressrect")

    def control_slider(self, name, index, skin, rects):
        def ruler(p, r, vertical):
            if vertical:
                p.hgradient(r, FACE_DARK, TRACK)
            else:
                p.vgradient(r, FACE_DARK, TRACK)
            p.frame(r, LINE)
            p.soften_corners(r, FACE)

        def thumbs(p, r, vertical):
            """Two states side by side: the normal one, then the pressed one."""
            half = (r[2] - r[0]) // 2
            for i, state in enumerate((NORMAL, DOWN)):
                draw_thumb(p, (r[0] + i * half, r[1], r[0] + (i + 1) * half, r[3]), state,
                           vertical, FACE)
        for key, vertical in (("hrulerrect", False), ("vrulerrect", True)):
            r = rects[key]
            self.schedule(index, r, lambda p, r=r, v=vertical: ruler(p, r, v), f"{name}.{key}")
        for key, vertical in (("hthumbrect", False), ("vthumbrect", True)):
            r = rects[key]
            self.schedule(index, r, lambda p, r=r, v=vertical: thumbs(p, r, v), f"{name}.{key}")
    def control_checkradio(self, name, index, skin, rects):
        self.each_state(name, index, rects, lambda p, r, s: p.fill(r, FACE),
                        {"skinrect", "activeskinrect"})
        radio = name.startswith("radio")
        for key, r in rects.items():
            if key.endswith("checkimagerect") and nonzero(r):
                checked = "uncheck" not in key
                self.schedule(index, r, lambda p, r=r, s=state_of(key), c=checked:
                              draw_check_picture(p, r, s, c, radio), f"{name}.{key}")

    def control_stdlabel(self, name, index, skin, rects):
        self.each_state(name, index, rects, lambda p, r, s: p.fill(r, FACE))

    control_bevel = control_stdlabel
    control_treeview = control_stdlabel
    control_listview = control_stdlabel
    control_richedit = control_stdlabel

    # Frame strips: every frame of the strip drawn by one routine from its number (0 first).
    def frame_strip(self, name, index, skin, draw):
        count = max(2, self.ini.getint(name, "framescount"))
        vertical = self.ini.get(name, "framesplacement") != "fphorizontal"
        w = (skin[2] - skin[0]) // (1 if vertical else count)
        h = (skin[3] - skin[1]) // (count if vertical else 1)

        def strip(p):
            for i in range(count):
                x, y = (skin[0], skin[1] + i * h) if vertical else (skin[0] + i * w, skin[1])
                draw(p, (x, y, x + w, y + h), i, count)
        self.schedule(index, skin, strip, f"{name}.skinrect")

    def control_switch(self, name, index, skin, rects):
        """A sliding switch: the knob runs from left (off) to right (on), the track takes the
        accent colour as it goes."""
        def draw(p, r, i, count):
            t = i / (count - 1)
            p.fill(r, FACE)
            track = (r[0] + 2, r[1] + 3, r[2] - 2, r[3] - 3)
            p.vgradient(track, mix(FACE_DARK, ACCENT_BOTTOM, t), mix(TRACK, ACCENT_LIGHT, t))
            p.frame(track, mix(LINE, ACCENT_EDGE, t))
            p.soften_corners(track, FACE)
            size = r[3] - r[1] - 4
            left = r[0] + 2 + round(t * (r[2] - r[0] - 4 - size))
            knob = (left, r[1] + 2, left + size, r[3] - 2)
            p.vgradient(knob, BUTTON_TOP, BUTTON_BOTTOM)
            p.frame(knob, mix(LINE, ACCENT_EDGE, t))
            p.soften_corners(knob, FACE)
        self.frame_strip(name, index, skin, draw)

    def control_animate(self, name, index, skin, rects):
        """A seven-segment digit counting from 0 to 9, lit on a dark field."""
        digits = [0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F]
        lit, unlit = (150, 210, 255), mix(ACCENT_EDGE, ACCENT_BOTTOM, 0.5)

        def draw(p, r, i, count):
            p.fill(r, ACCENT_EDGE)
            p.frame(r, DARK)
            x0, x1 = r[0] + 5, r[2] - 5
            y0, y1 = r[1] + 5, r[3] - 5
            ym = (y0 + y1) // 2
            segments = [(x0 + 2, y0, x1 - 2, y0 + 3), (x1 - 3, y0 + 2, x1, ym - 1),
                        (x1 - 3, ym + 1, x1, y1 - 2), (x0 + 2, y1 - 3, x1 - 2, y1),
                        (x0, ym + 1, x0 + 3, y1 - 2), (x0, y0 + 2, x0 + 3, ym - 1),
                        (x0 + 2, ym - 1, x1 - 2, ym + 2)]
            bits = digits[i % len(digits)]
            for bit, seg in enumerate(segments):
                p.fill(seg, lit if bits >> bit & 1 else unlit)
        self.frame_strip(name, index, skin, draw)

    def control_framegauge(self, name, index, skin, rects):
        """A level meter of cells, one more lit in each frame."""
        def draw(p, r, i, count):
            p.fill(r, FACE)
            field = (r[0], r[1] + 1, r[2], r[3] - 1)
            draw_field(p, field, NORMAL)
            cells = count - 1
            inner = (field[0] + 2, field[1] + 2, field[2] - 2, field[3] - 2)
            span = inner[2] - inner[0] + 1
            for c in range(cells):
                cell = (inner[0] + round(c * span / cells), inner[1],
                        inner[0] + round((c + 1) * span / cells) - 1, inner[3])
                if c < i:
                    p.vgradient(cell, ACCENT_LIGHT, ACCENT_TOP)
                else:
                    p.fill(cell, TRACK)
        self.frame_strip(name, index, skin, draw)

    def control_frameregulator(self, name, index, skin, rects):
        """A round knob whose mark turns from lower left (first frame) to lower right."""
        def draw(p, r, i, count):
            p.fill(r, FACE)
            size = r[2] - r[0]
            c = (size - 1) / 2
            radius = c - 2
            for y in range(size):
                for x in range(size):
                    d = math.hypot(x - c, y - c)
                    if d <= radius - 1:
                        p.put(r[0] + x, r[1] + y, mix(BUTTON_TOP, BUTTON_BOTTOM, y / (size - 1)))
                    elif d <= radius:
                        p.put(r[0] + x, r[1] + y, LINE)
                    elif d <= radius + 1:
                        p.put(r[0] + x, r[1] + y, mix(LINE, FACE, d - radius))
            angle = math.radians(-135 + 270 * i / (count - 1))
            for k in range(4, int(radius) - 2):
                x = c + k * math.sin(angle)
                y = c - k * math.cos(angle)
                for dx, dy in ((0, 0), (1, 0), (0, 1), (1, 1)):
                    p.put(r[0] + round(x - 0.5) + dx, r[1] + round(y - 0.5) + dy, ACCENT_BOTTOM)
        self.frame_strip(name, index, skin, draw)

    def window_picture(self, section, inner_key, back):
        inner = rect(self.ini.get(section, inner_key))
        pic = Picture(inner[2] + inner[0], inner[3] + inner[1], back)
        pic.fill((0, 0, pic.width, pic.height), back)
        pic.frame((0, 0, pic.width, pic.height), DARK)
        pic.fill((1, 1, pic.width - 1, 2), WHITE)
        return self.ini.getint(section, "windowpictureindex"), pic

    def active_pictures(self):
        self.objects()
        self.controls()
        pictures = {}
        for section, inner, back in (("POPUPWINDOW", "itemsrect", WHITE),
                                     ("HINTWINDOW", "clientrect", (246, 248, 252))):
            index, pic = self.window_picture(section, inner, back)
            pictures[index] = pic
        for index, jobs in self.jobs.items():
            if index in pictures:
                if jobs:
                    raise SystemExit(f"picture {index} is a window picture; it holds no rectangles")
                continue
            check_overlaps(index, jobs)
            width = max(r[2] for r, _ in jobs)
            height = max(r[3] for r, _ in jobs)
            pic = Picture(width, height, WHITE)
            for _, draw in jobs:
                draw(pic)
            pictures[index] = pic
        return pictures


def check_overlaps(index, jobs):
    """Two different rectangles of one picture must not share a pixel (records may
    name the same rectangle)."""
    rects = sorted({r for r, _ in jobs})
    for i, a in enumerate(rects):
        for b in rects[i + 1:]:
            if a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3]:
                raise SystemExit(f"picture {index}: rectangles {a} and {b} overlap")


# ---- BMP files ---------------------------------------------------------------------

def bmp_24(pic):
    stride = (pic.width * 3 + 3) & ~3
    rows = bytearray()
    for row in reversed(pic.pixels):
        data = b"".join(bytes((b, g, r)) for r, g, b in row)
        rows += data + bytes(stride - len(data))
    return bmp_file(pic, 24, b"", bytes(rows), 0)


def bmp_8(pic):
    colours = sorted({c for row in pic.pixels for c in row})
    if len(colours) > 256:
        raise SystemExit(f"the frame picture has {len(colours)} colours, more than 256")
    index = {c: i for i, c in enumerate(colours)}
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in colours)
    stride = (pic.width + 3) & ~3
    rows = bytearray()
    for row in reversed(pic.pixels):
        data = bytes(index[c] for c in row)
        rows += data + bytes(stride - len(data))
    return bmp_file(pic, 8, table, bytes(rows), len(colours))


def bmp_file(pic, bits, table, rows, used):
    info = struct.pack("<IiiHHIIiiII", 40, pic.width, pic.height, 1, bits, 0, len(rows),
                       2835, 2835, used, used)
    offset_bits = 14 + len(info) + len(table)
    head = struct.pack("<2sIHHI", b"BM", offset_bits + len(rows), 0, 0, offset_bits)
    return head + info + table + rows


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    source, folder = sys.argv[1], sys.argv[2]
    ini = configparser.ConfigParser(interpolation=None, comment_prefixes=(";",),
                                    strict=True)
    ini.optionxform = str
    with open(source, encoding="ascii") as f:
        ini.read_file(f)
    lowered = {}
    for s in ini.sections():
        if s.lower() in lowered:
            raise SystemExit(f"sections [{lowered[s.lower()]}] and [{s}] differ only in case")
        lowered[s.lower()] = s
    painter = SkinPainter(ini)
    os.makedirs(folder, exist_ok=True)
    frame = painter.frame_picture()
    with open(os.path.join(folder, ini.get("PICTURES", "picture")), "wb") as f:
        f.write(bmp_8(frame))
    for index, pic in painter.active_pictures().items():
        with open(os.path.join(folder, painter.active_names[index]), "wb") as f:
            f.write(bmp_24(pic))
    shutil.copyfile(source, os.path.join(folder, "skin.ini"))


if __name__ == "__main__":
    main()

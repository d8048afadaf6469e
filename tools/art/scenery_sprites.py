"""Draws the scenery sprites: rocks, stumps, bumps, trees, the ramp, the
title card and signs, banners, course signs, the lift, yellow snow, the
burning and the walking tree. Deterministic; run it from
anywhere and it rewrites resources/sprites/NN-name.xpm."""

import os

from scenery_canvas import Canvas, text_width
from scenery_fonts import LARGE, SMALL

SPRITES = os.path.join(os.path.dirname(__file__), "..", "..", "resources", "sprites")


# --- Natural obstacles -------------------------------------------------------

def rock():
    c = Canvas(23, 11)
    c.art(0, 0, """
........######.........
......##++++--##.......
....##++++++----##.....
...#+++++++------##....
..#+++++++-------#-#...
.#++++++--------#---#..
#+++++---------#-----#.
#++++----------#-----#.
#--------------#----#..
.##------------#---##..
...#############.##....
""")
    return c


def stump():
    c = Canvas(16, 11)
    c.art(0, 0, """
...##########...
.##yyyyyyyyyy##.
#yyyyYYYYYYyyyy#
#yyYYyyyyyyYYyy#
#yyyyYYYYYYyyyy#
##yyyyyyyyyyyy##
#r############r#
#rrrryrrrryrrrr#
#rryrrrrrrrryrr#
#rrrrryrrrrrrrr#
.##############.
""")
    return c


def small_stump():
    c = Canvas(8, 11)
    c.art(0, 0, """
.#.##.#.
#y#yy#y#
#yyYYyy#
.#yyyy#.
.#rrrr#.
.#rryr#.
.#rrrr#.
.#ryrr#.
.#rrrr#.
#rrrryr#
.######.
""")
    return c


def small_bump():
    c = Canvas(16, 4)
    c.art(0, 0, """
.....++++++.....
..+++......+++..
.+...........+-.
..------------..
""")
    return c


def large_bump():
    c = Canvas(24, 8)
    c.art(0, 0, """
........++++++++........
.....+++........+++.....
...++..............+-...
..+.................+-..
.+..................++-.
..++..............+++-..
....---+++++++++++---...
.......----------.......
""")
    return c


def yellow_snow():
    c = Canvas(16, 8)
    c.art(0, 0, """
................
.....YYYYY......
...YYYYYYYYY....
..YYYyyyyYYYYY..
.YYYyyyyyyYYYY..
..YYYyyyYYYYY...
....YYYYYYY.....
................
""")
    return c


def fir(width, height, tiers, trunk_height, trunk_width=4):
    """A fir tree standing on the bottom row: `tiers` overlapping layers of
    branches, each outlined, the upper ones painted over the lower ones, and
    a brown trunk below. Returns the canvas and the foliage's lowest row."""
    c = Canvas(width, height)
    centre = (width - 1) / 2
    foliage_bottom = height - trunk_height - 1
    # Trunk first, so the lowest tier's edge overlaps its top.
    left = int(round(centre - trunk_width / 2 + 0.5))
    c.box(left - 1, foliage_bottom - 1, left + trunk_width, height - 1, "r", rounded=False)
    c.vline(left + 1, foliage_bottom, height - 2, "y")
    tier_height = (foliage_bottom + 1) / (tiers * 0.72 + 0.28)
    for t in reversed(range(tiers)):
        top = int(round(t * tier_height * 0.72))
        bottom = min(int(round(top + tier_height)) - 1, foliage_bottom)
        half_max = (width / 2 - 0.5) * (0.55 + 0.45 * (t + 1) / tiers)
        inside = set()
        for y in range(top, bottom + 1):
            f = (y - top + 1) / (bottom - top + 1)
            half = max(0.5, half_max * f)
            for x in range(width):
                if abs(x - centre) <= half:
                    inside.add((x, y))
        for (x, y) in inside:
            lit = x < centre - (y - top) * 0.15 and (x + y) % 3 != 0
            c.put(x, y, "G" if lit and x < centre - 1 else "g")
        c.outline(inside)
        # A ragged lower edge: branch tips hanging a row lower.
        for x in range(width):
            if (x, bottom) in inside and (x % 4 == 1) and abs(x - centre) > 1.5:
                c.put(x, bottom + 1, "#")
    return c, foliage_bottom


def tree():
    c, _ = fir(28, 32, 4, 4)
    return c


def big_tree():
    c, _ = fir(32, 64, 7, 7)
    return c


BARE_BRANCHES = [
    # (x0, y0, x1, y1): twigs of the bare tree, drawn in dark brown.
    (11, 18, 4, 9), (6, 12, 1, 8), (6, 11, 5, 4), (11, 16, 17, 8), (15, 11, 20, 7),
    (16, 10, 15, 3), (11, 13, 10, 1), (10, 5, 7, 1), (10, 6, 13, 2), (4, 9, 2, 3),
    (18, 9, 21, 11),
]


def bare_tree(twig="r", trunk="r", grain="y"):
    c = Canvas(22, 27)
    for (x0, y0, x1, y1) in BARE_BRANCHES:
        c.line(x0, y0, x1, y1, twig)
    # The trunk: three pixels wide with a dark outline, flared at the foot.
    inside = set()
    for y in range(12, 27):
        spread = 1 if y < 24 else 2
        for x in range(11 - spread, 12 + spread):
            inside.add((x, y))
    for (x, y) in inside:
        c.put(x, y, trunk)
    c.outline(inside)
    c.vline(11, 14, 25, grain)
    # Outline the twigs on their lower right so they read on snow.
    for (x, y) in [(x, y) for y in range(27) for x in range(22) if c.get(x, y) == twig]:
        if c.get(x + 1, y + 1) == "." and (x, y) not in inside:
            c.put(x + 1, y + 1, "#")
    return c


FLAMES = [
    # (x, tip row, height) of each tongue of fire along the crown.
    (4, 4, 6), (10, 1, 7), (15, 3, 6), (20, 7, 5), (2, 8, 4), (7, 6, 5), (13, 6, 5),
    (18, 11, 4), (11, 12, 5),
]


def burning_tree(frame):
    c = bare_tree(twig="#", trunk="-", grain="#")
    for k, (x, tip, height) in enumerate(FLAMES):
        # Each frame every tongue grows or shrinks and sways a column.
        phase = (k * 2 + frame) % 3
        h = height + (1, -1, 0)[phase]
        sway = (-1, 0, 1)[(k + frame) % 3]
        top = tip + (2 - phase) // 2
        for dy in range(h):
            y = top + dy
            half = 0 if dy < h // 3 else (1 if dy < h - 1 else 1)
            cx = x + (sway if dy < h // 2 else 0)
            for xx in range(cx - half, cx + half + 1):
                inner = dy >= h // 3 and xx == cx and dy < h - 1
                c.put(xx, y, "Y" if inner else "R")
        c.put(x, top - 1, "r" if phase == 0 else ".")
    return c


def walking_tree(stride):
    """The tree on two legs, with eyes; stride -1 puts the left foot
    forward, +1 the right, 0 stands with the feet together. Same size and
    baseline as the tree."""
    c, foliage_bottom = fir(28, 32, 4, 8)
    for y in range(foliage_bottom + 1, 32):
        c.hline(0, 27, y, ".")
    legs = set()
    for side in (-1, 1):
        hip = 12 if side < 0 else 15
        foot = hip + side * 1 + (side * 3 if stride == side else 0) - (side if stride == -side else 0)
        top = foliage_bottom + 1
        for y in range(top, 30):
            x = round(hip + (foot - hip) * (y - top) / (29 - top))
            legs.update({(x, y), (x + 1, y)})
        toe = range(foot - 2, foot + 2) if side < 0 else range(foot, foot + 4)
        legs.update({(x, 30) for x in toe})
    for (x, y) in legs:
        c.put(x, y, "r")
    # Outline outside the legs, so they stay brown two pixels thick.
    for (x, y) in legs:
        for nx, ny in ((x - 1, y), (x + 1, y), (x, y + 1)):
            if (nx, ny) not in legs and c.get(nx, ny) == ".":
                c.put(nx, ny, "#")
    # Two eyes peering out of the second tier of branches.
    for ex in (10, 16):
        c.fill(ex - 1, 11, ex + 2, 14, "#")
        c.fill(ex, 12, ex + 1, 13, "+")
        c.put(ex + (1 if stride >= 0 else 0), 13, "#")
    return c


# --- Signs and banners -------------------------------------------------------

def post(c, x, top, bottom, colour="-"):
    c.vline(x, top, bottom, "#")
    c.vline(x + 1, top, bottom, colour)
    c.vline(x + 2, top, bottom, "#")


def board(c, x0, y0, x1, y1, fill="+", edge="#"):
    c.box(x0, y0, x1, y1, fill, edge)


def centred_text(c, y, string, font, colour, x0=0, x1=None):
    x1 = c.width - 1 if x1 is None else x1
    w = text_width(string, font)
    x = x0 + (x1 - x0 + 1 - w) // 2
    c.text(x, y, string, font, colour)


def arrow(c, x, y, direction, length, thickness, colour="R"):
    """A solid outlined arrow inside a length x length square (horizontal
    arrows: length wide, 2 * thickness + 1 tall) at (x, y)."""
    pts = set()
    if direction in ("right", "left"):
        head = thickness + 1
        mid = thickness
        for i in range(length):
            reach = mid if i >= length - head - 1 else thickness // 2
            if i >= length - head - 1:
                reach = min(mid, length - 1 - i)
            for dy in range(-reach, reach + 1):
                pts.add((i, mid + dy))
        if direction == "left":
            pts = {(length - 1 - px, py) for (px, py) in pts}
    elif direction == "down":
        half = length // 2
        for py in range(length):
            if py < length - half - 1:
                for px in range(half - thickness // 2, half + thickness // 2 + 1):
                    pts.add((px, py))
            else:
                reach = length - 1 - py
                for px in range(half - reach, half + reach + 1):
                    pts.add((px, py))
    else:  # a diagonal shaft and a head whose back edge crosses it squarely
        end = length - 1
        head = length // 2
        for i in range(length):
            for t in range(-(thickness // 2), thickness // 2 + 1):
                if 0 <= i + t < length:
                    pts.add((i + t, i))
        for py in range(length):
            for px in range(length):
                if px + py >= 2 * end - head:
                    pts.add((px, py))
        if direction == "down-left":
            pts = {(end - px, py) for (px, py) in pts}
    pts = {(x + px, y + py) for (px, py) in pts}
    for (px, py) in pts:
        c.put(px, py, colour)
    c.outline(pts)


def title_card():
    c = Canvas(93, 57)
    # Mountains: a big peak with a snow cap between two smaller ones.
    def mountain(peak_x, peak_y, base_y, half):
        inside = set()
        for y in range(peak_y, base_y + 1):
            spread = (y - peak_y) * half / (base_y - peak_y)
            for x in range(int(peak_x - spread), int(peak_x + spread) + 1):
                inside.add((x, y))
        for (x, y) in inside:
            snow = y < peak_y + (base_y - peak_y) * 0.38 + (x % 3)
            c.put(x, y, "." if snow else ("+" if x < peak_x else "-"))
        c.outline(inside)
        return inside

    mountain(22, 8, 24, 20)
    mountain(70, 6, 24, 22)
    mountain(46, 0, 24, 27)
    c.hline(1, 91, 24, "#")
    # The name at twice the banner letters' size, outlined outside the
    # strokes so they stay two pixels thick, with a dark lower half.
    word, gap = "SNOWVEL", 3
    w = sum(2 * len(LARGE[ch][0]) for ch in word) + gap * (len(word) - 1)
    x = (93 - w) // 2
    inside = set()
    for ch in word:
        glyph = LARGE[ch]
        for gy, row in enumerate(glyph):
            for gx, bit in enumerate(row):
                if bit == "#":
                    inside.update({(x + 2 * gx + sx, 29 + 2 * gy + sy)
                                   for sx in range(2) for sy in range(2)})
        x += 2 * len(glyph[0]) + gap
    border = {(px + dx, py + dy) for (px, py) in inside
              for dx in (-1, 0, 1) for dy in (-1, 0, 1)} - inside
    for (px, py) in border:
        c.put(px, py, "#")
    for (px, py) in inside:
        c.put(px, py, "C" if py < 33 else "B" if py < 38 else "b")
    # Ski tracks swinging across the foot of the card, a little fir each side.
    for x in range(8, 85):
        y = 50 + round(2.5 * __import__("math").sin(x / 6.0))
        c.put(x, y, "-")
        c.put(x, y + 2, "-")
    for tx in (3, 83):
        c.art(tx, 44, """
...#...
..#g#..
.#ggg#.
..#g#..
.#gGg#.
#ggggg#
###r###
..#r#..
""")
    return c


def version_line():
    c = Canvas(52, 10)
    centred_text(c, 1, "Version 1.0", LARGE, "#")
    return c


def keypad_sign():
    c = Canvas(92, 30)
    post(c, 12, 24, 29)
    post(c, 77, 24, 29)
    board(c, 0, 0, 91, 25)
    c.box(1, 1, 90, 24, "+", "-")
    board(c, 0, 0, 91, 25)
    c.fill(2, 2, 89, 23, "+")
    # A little keypad: keys 7 8 9 / 4 5 6 / 1 2 3 / a wide 0.
    kx, ky = 5, 3
    c.box(kx, ky, kx + 16, ky + 19, "-", "#", rounded=False)
    for row in range(3):
        for col in range(3):
            x, y = kx + 2 + col * 5, ky + 2 + row * 4
            c.fill(x, y, x + 3, y + 2, "C")
            c.hline(x, x + 3, y + 2, "c")
    c.fill(kx + 2, ky + 14, kx + 8, ky + 16, "C")
    c.hline(kx + 2, kx + 8, ky + 16, "c")
    c.fill(kx + 12, ky + 14, kx + 13, ky + 16, "C")
    for i, line in enumerate(("USE THE NUMBER", "KEYPAD 0-9 FOR", "BETTER CONTROL")):
        centred_text(c, 4 + i * 7, line, SMALL, "b", x0=24, x1=89)
    return c


def keys_sign():
    c = Canvas(63, 32)
    post(c, 8, 24, 31)
    post(c, 52, 24, 31)
    board(c, 0, 0, 62, 25)
    c.fill(2, 2, 60, 23, "+")
    for i, (key, word) in enumerate((("F2", "Restart"), ("F3", "Pause"))):
        y = 3 + i * 11
        # The key drawn as a key cap, the word beside it.
        c.box(4, y, 19, y + 9, "C", "#")
        c.hline(5, 18, y + 8, "c")
        c.text(6, y + 1, key[0], LARGE, "b")
        c.text(12, y + 1, key[1], SMALL if False else {"2": SMALL_DIGITS["2"], "3": SMALL_DIGITS["3"]}, "b")
        c.text(23, y + 2, word.upper(), SMALL, "#")
    return c


# The F-key digits are the 7-row shapes of 2 and 3.
SMALL_DIGITS = {
    "2": ".##./#..#/...#/..#./.#../#.../####".split("/"),
    "3": "###./...#/...#/.##./...#/...#/###.".split("/"),
}


def banner(width, height, word, direction, cloth, trim):
    """Two posts with a cloth between them: the word above an arrow."""
    c = Canvas(width, height)
    post(c, 1, 0, height - 1)
    post(c, width - 4, 0, height - 1)
    top, bottom = 1, 20
    c.box(4, top, width - 5, bottom, cloth, "#", rounded=False)
    for x in range(5, width - 5):  # a chequered hem along both edges
        if (x // 2) % 2 == 0:
            c.put(x, top + 1, trim)
            c.put(x, bottom - 1, trim)
    centred_text(c, top + 3, word, LARGE, "#")
    length = 18
    arrow(c, (width - length) // 2, top + 11, direction, length, 3, "Y")
    c.put(2, 0, "+")
    c.put(width - 3, 0, "+")
    return c


def course_sign(width, height, lines, direction, frame):
    """A board framed in the course's colour: its name, and a big arrow
    showing the way to its start."""
    c = Canvas(width, height)
    board_bottom = height - 6
    post(c, width // 2 - 1, board_bottom, height - 1)
    board(c, 0, 0, width - 1, board_bottom)
    c.box(1, 1, width - 2, board_bottom - 1, "+", frame, rounded=False)
    for (x, y) in ((1, 1), (width - 2, 1), (1, board_bottom - 1), (width - 2, board_bottom - 1)):
        c.put(x, y, "#")
    y = 3
    for line in lines:
        centred_text(c, y, line, SMALL, "#")
        y += 6
    size = board_bottom - y - 2
    arrow(c, (width - size) // 2, y + 1, direction, size, 3, frame)
    return c


# --- The chair lift ------------------------------------------------------------

def lift_tower():
    c = Canvas(24, 64)
    # The pole: steel grey with a light edge, on a concrete footing.
    c.fill(10, 4, 13, 59, "-")
    c.vline(9, 4, 59, "#")
    c.vline(14, 4, 59, "#")
    c.vline(11, 5, 58, "+")
    for y in range(10, 58, 6):  # rungs of the service ladder
        c.hline(10, 13, y, "#")
    c.box(6, 58, 17, 63, "+", "#", rounded=False)
    c.hline(7, 16, 62, "-")
    # The cross-arm with a sheave wheel at each end where the cable runs.
    c.box(0, 3, 23, 6, "-", "#", rounded=False)
    c.hline(1, 22, 4, "+")
    for wx in (1, 18):
        c.art(wx, 0, """
.##.
#++#
#+-#
""", skip=" ")
    c.put(0, 3, ".")
    c.put(23, 3, ".")
    return c


RIDER = """
..##..
.#CC#.
#CCCC#
#+##+#
##++##
#MMMM#
MMMMMM
#MMMM#
"""


RIDER = """
..####..
.#CCCC#.
.#cccc#.
.#++++#.
..#++#..
.##MM##.
#MMMMMM#
#MMMMMM#
#M#MM#M#
#M#MM#M#
#+#MM#+#
.#MMMM#.
.#MMMM#.
.#gggg#.
.#gggg#.
"""


def lift_chair(riders):
    """A chair hanging from its grip, seen from downhill: riders sit in
    front of the back rest with their boards dangling under the seat."""
    c = Canvas(26, 32)
    c.box(11, 0, 14, 2, "-", "#", rounded=False)
    c.vline(12, 3, 9, "#")
    c.vline(13, 3, 9, "-")
    c.vline(14, 3, 9, "#")
    c.box(1, 9, 24, 20, "+", "#", rounded=False)
    c.hline(2, 23, 12, "-")
    c.hline(2, 23, 16, "-")
    c.box(0, 19, 25, 22, "-", "#", rounded=False)
    c.hline(1, 24, 20, "+")
    # Footrest bar under the chair.
    c.vline(3, 23, 29, "#")
    c.vline(22, 23, 29, "#")
    c.hline(3, 22, 29, "#")
    for seat in riders:
        x = 3 if seat == 0 else 15
        c.art(x, 5, RIDER)
        c.fill(x + 2, 21, x + 5, 26, "g")
        c.vline(x + 1, 21, 26, "#")
        c.vline(x + 6, 21, 26, "#")
        c.vline(x + 3 + (seat == 1), 23, 26, "#")
        c.box(x, 27, x + 7, 30, "Y", "#")
    return c


# --- All of them -------------------------------------------------------------

def sprites():
    yield 45, "rock", rock()
    yield 46, "stump", stump()
    yield 47, "bump-small", small_bump()
    yield 48, "bump-large", large_bump()
    yield 49, "tree", tree()
    yield 50, "bare-tree", bare_tree()
    yield 51, "big-tree", big_tree()
    ramp = Canvas(32, 8)
    ramp.box(0, 0, 31, 7, "R", "#")
    for y, colour in enumerate("RYGCBM", start=1):
        ramp.hline(1, 30, y, colour)
    ramp.put(1, 1, "#")
    ramp.put(30, 1, "#")
    ramp.put(1, 6, "#")
    ramp.put(30, 6, "#")
    yield 52, "ramp", ramp
    yield 53, "title-card", title_card()
    yield 54, "version", version_line()
    yield 55, "sign-keypad", keypad_sign()
    yield 56, "sign-keys", keys_sign()
    yield 57, "start-right", banner(42, 27, "START", "right", "G", "g")
    yield 58, "start-left", banner(42, 27, "START", "left", "G", "g")
    yield 59, "finish-right", banner(50, 29, "FINISH", "right", "R", "Y")
    yield 60, "finish-left", banner(50, 29, "FINISH", "left", "R", "Y")
    yield 61, "sign-slalom", course_sign(40, 36, ["SLALOM"], "down-left", "R")
    yield 62, "sign-tree-slalom", course_sign(44, 36, ["TREE", "SLALOM"], "down-right", "g")
    yield 63, "sign-freestyle", course_sign(40, 35, ["FREE", "STYLE"], "down", "B")
    yield 64, "lift-tower", lift_tower()
    yield 65, "lift-chair-two", lift_chair([0, 1])
    yield 66, "lift-chair-one", lift_chair([0])
    yield 67, "lift-chair-empty", lift_chair([])
    yield 82, "yellow-snow", yellow_snow()
    for frame in range(3):
        yield 83 + frame, "burning-tree-%d" % (frame + 1), burning_tree(frame)
    yield 86, "stump-small", small_stump()
    yield 87, "walking-tree", walking_tree(0)
    left = walking_tree(-1)
    yield 88, "walking-tree-left", left
    yield 89, "walking-tree-right", left.mirrored()


def main():
    for number, name, canvas in sprites():
        path = os.path.join(SPRITES, "%02d-%s.xpm" % (number, name))
        with open(path, "w") as out:
            out.write(canvas.xpm("sprite_%02d" % number))


if __name__ == "__main__":
    main()

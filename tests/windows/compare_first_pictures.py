#!/usr/bin/env python3
"""Compares the first pictures of two builds of the game (the 32-bit exe's
and the 64-bit exe's, say) where they must agree, pixel for pixel.

Usage: compare_first_pictures.py BITMAPS_DIR SHOT_A AREA_A SHOT_B AREA_B

SHOT_* are xwd screenshots of whole screens of the same size and AREA_*
files hold each window's client area on its screen ("X Y WIDTH HEIGHT").
The client areas must be the same size. What the game always draws at the
start must be the same pixels in both: the status panel (the black-framed
box in the top right corner), and the title art, the signs and the skier,
found as their bitmaps in picture A. The random scenery may differ, since
each run seeds from its own clock. Exits 0 when all agree.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "pylib"))
from find_sprite import SLACK, WHITE, read_bmp  # noqa: E402
from xwd_image import read_xwd  # noqa: E402

BLACK = 0x000000
# Sprite ids of what stands still at the start: the skier at the anchor,
# the title card and version, the help signs, the course signs, the start
# banners. The course signs stand near the edges and may be off a small window.
ALWAYS_SHOWN = {4: "skier", 53: "title card", 54: "version", 55: "keypad sign", 56: "keys sign"}
SHOWN_IF_ROOM = {61: "slalom sign", 62: "tree slalom sign", 63: "freestyle sign"}


def read_shot(shot_path, area_path):
    """The screenshot and its window's client area (left, top, right, bottom)."""
    shot = read_xwd(shot_path)
    left, top, width, height = (int(v) for v in open(area_path).read().split())
    if left < 0 or top < 0 or left + width > shot.width or top + height > shot.height:
        raise ValueError(f"{area_path}: client area {left} {top} {width} {height} is off the screen")
    return shot, (left, top, left + width, top + height)


def find_bitmap(rows, sprite):
    """Top left corners where every non-white pixel of sprite is on rows."""
    marks = [(dx, dy, c) for dy, line in enumerate(sprite) for dx, c in enumerate(line) if c != WHITE]
    if not marks:
        return []
    height, width = len(sprite), len(sprite[0])
    first_dx, first_dy, first_colour = marks[0]
    found = []
    for y in range(len(rows) - height + 1):
        row = rows[y + first_dy]
        for x in range(len(rows[0]) - width + 1):
            if row[x + first_dx] == first_colour and \
                    all(rows[y + dy][x + dx] == c for dx, dy, c in marks):
                found.append((x, y))
    return found


def status_panel(shot, area):
    """The panel's box on the screen: its black frame's top right corner,
    near the client area's (within the slack of how it is reported), and as
    far left and down as the frame goes."""
    left, top, right, bottom = area
    black = lambda x, y: shot.pixel(x, y) == BLACK
    for y in range(max(top - SLACK, 0), top + SLACK + 1):
        for x in range(min(right - 1 + SLACK, shot.width - 1), right - 1 - SLACK - 1, -1):
            # Two pixels of frame each way, and the panel's inside (off the
            # window the screen is black too, and the frame is grey).
            if black(x, y) and black(x - 1, y) and black(x - 2, y) and black(x, y + 2) and shot.pixel(x - 3, y + 3) == WHITE:
                panel_left, panel_bottom = x, y
                while panel_left > left and black(panel_left - 1, y):
                    panel_left -= 1
                while panel_bottom + 1 < bottom and black(x, panel_bottom + 1):
                    panel_bottom += 1
                return panel_left, y, x + 1, panel_bottom + 1
    return None


def differing(a, b, box, offset):
    """Pixels in box on a that are not the same on b, offset on b by offset."""
    left, top, right, bottom = box
    dx, dy = offset
    return sum(a.pixel(x, y) != b.pixel(x + dx, y + dy)
               for y in range(top, bottom) for x in range(left, right))


def main():
    if len(sys.argv) != 6:
        print(__doc__.splitlines()[2].strip())
        return 2
    bitmaps, shot_a, area_a, shot_b, area_b = sys.argv[1:]
    a, client_a = read_shot(shot_a, area_a)
    b, client_b = read_shot(shot_b, area_b)
    size = lambda box: (box[2] - box[0], box[3] - box[1])
    if (a.width, a.height) != (b.width, b.height):
        print(f"the screens differ in size: {a.width}x{a.height} and {b.width}x{b.height}")
        return 1
    if size(client_a) != size(client_b):
        print(f"the client areas differ in size: {size(client_a)} and {size(client_b)}")
        return 1
    offset = (client_b[0] - client_a[0], client_b[1] - client_a[1])
    problems = []
    panel = status_panel(a, client_a)
    if panel is None or min(size(panel)) < 20:
        problems.append(f"no status panel in the top right corner of {shot_a}")
    else:
        # Where a window's client area lies is reported to within the slack
        # (the frame is the window manager's); the panel, which both always
        # draw in the same corner, says which alignment is the true one, and
        # every comparison then uses that one alignment.
        nominal = offset
        offset = min(((nominal[0] + dx, nominal[1] + dy) for dy in range(-SLACK, SLACK + 1)
                      for dx in range(-SLACK, SLACK + 1)),
                     key=lambda o: (differing(a, b, panel, o), abs(o[0] - nominal[0]) + abs(o[1] - nominal[1])))
        if offset != nominal:
            print(f"aligned by the status panel: {offset[0] - nominal[0]:+d}, {offset[1] - nominal[1]:+d} "
                  "from the reported client areas")
        wrong = differing(a, b, panel, offset)
        print(f"status panel {size(panel)[0]}x{size(panel)[1]}: {wrong} pixels differ")
        if wrong:
            problems.append("the status panels differ")
    rows = a.region(*client_a)
    for sprite_id, name in {**ALWAYS_SHOWN, **SHOWN_IF_ROOM}.items():
        sprite = read_bmp(os.path.join(bitmaps, f"{sprite_id:02d}.bmp"))
        places = find_bitmap(rows, sprite)
        if not places:
            if sprite_id in ALWAYS_SHOWN:
                problems.append(f"the {name} is not in {shot_a}")
            else:
                print(f"{name}: not in the first picture")
            continue
        x, y = places[0][0] + client_a[0], places[0][1] + client_a[1]
        wrong = differing(a, b, (x, y, x + len(sprite[0]), y + len(sprite)), offset)
        print(f"{name} at ({x - client_a[0]}, {y - client_a[1]}): {wrong} pixels differ")
        if wrong:
            problems.append(f"the {name} differs")
    for problem in problems:
        print(f"FAIL: {problem}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())

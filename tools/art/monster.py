"""The monster, sprites 68 to 81 (32 x 48): a hulking grey-white shaggy
beast with small dark horns, red eyes and black claws. Built from furred
blobs so every frame shares the same body, baseline and centre; the meal
frames hold the player's skier in its own colours."""

import math

from canvas import Canvas, band_cells
from xpmlib import mirror, parse

W, H = 32, 48
CX = 16.0


def fur_texture(x, y):
    """Short dark strokes scattered through the fur, the same in every
    frame so the coat does not shimmer as it walks."""
    def seed(px, py):
        h = (px * 374761393 + py * 668265263) & 0xFFFFFFFF
        h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
        return (h >> 24) < 22

    # each seed draws a stroke of two cells slanting down to the left
    return seed(x, y) or seed(x + 1, y - 1)


class Beast:
    def __init__(self):
        self.cv = Canvas(W, H)
        self.fur = set()

    def _paint(self, cells):
        cv = self.cv
        for (x, y) in cells:
            for nx, ny in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
                if (nx, ny) not in cells:
                    cv.put(nx, ny, "#")
                    self.fur.discard((nx, ny))
        for (x, y) in cells:
            cv.put(x, y, "+")
            if cv.inside(x, y):
                self.fur.add((x, y))

    def blob(self, cx, cy, rx, ry, shag=0.0, shag_from=0.0, shag_to=360.0):
        """An ellipse whose rim bristles with tufts of fur over the given
        range of angles (0 = right, 90 = down)."""
        cells = set()
        for y in range(int(cy - ry - 3), int(cy + ry + 4)):
            for x in range(int(cx - rx - 3), int(cx + rx + 4)):
                dx, dy = (x + 0.5 - cx), (y + 0.5 - cy)
                ang = math.degrees(math.atan2(dy, dx)) % 360
                r = math.hypot(dx / rx, dy / ry)
                grow = 0.0
                if shag and shag_from <= ang <= shag_to:
                    # a saw-tooth of tufts around the rim
                    phase = (ang / 26.0) % 1.0
                    grow = shag * (1.0 - phase)
                if r <= 1.0 + grow / max(rx, ry):
                    cells.add((x, y))
        self._paint(cells)

    def limb(self, x0, y0, x1, y1, half):
        self._paint(band_cells(x0, y0, x1, y1, half, True))

    def claws(self, x, y, count=3, down=True):
        for i in range(count):
            self.cv.put(x + 2 * i, y, "#")
            self.cv.put(x + 2 * i, y + (1 if down else -1), "#")

    def horns(self, dx=0):
        for side in (-1, 1):
            bx = CX + dx + side * 5
            self.cv.band(bx, 6.5, bx + side * 2.5, 1.5, "-", "#", 0.9)

    def finish(self):
        for (x, y) in self.fur:
            if self.cv.get(x, y) == "+" and fur_texture(x, y):
                self.cv.put(x, y, "-")
        return self

    def stamp(self, art, left, top):
        self.cv.stamp(parse(art), left, top)

    def rows(self):
        return self.cv.rows()


def legs(beast, left_foot=(0, 0), right_foot=(0, 0), spread=0):
    """Two short thick legs; a foot offset (dx, -lift) moves a foot."""
    for side, (fdx, lift) in ((-1, left_foot), (1, right_foot)):
        hx = CX + side * 5
        fx = CX + side * (6 + spread) + fdx
        fy = 44.5 - lift
        beast.limb(hx, 36, fx, fy - 1, 3.2)
        beast.blob(fx, fy, 4.6, 2.6)
        if lift == 0:
            beast.claws(int(fx) - 3, 46, 4, True)


def trunk(beast, dx=0):
    beast.blob(CX + dx * 0.5, 27, 11.8, 12.5, shag=1.6, shag_from=100, shag_to=250)
    beast.blob(CX + dx * 0.5, 27, 11.8, 12.5, shag=1.6, shag_from=290, shag_to=360)


def head(beast, dx=0):
    beast.horns(dx)
    beast.blob(CX + dx, 12, 8.2, 7.6, shag=1.8, shag_from=180, shag_to=360)


def arm(beast, side, hand, half=2.7, claws=True):
    sx = CX + side * 10
    hx, hy = hand
    beast.limb(sx, 19, hx, hy, half)
    beast.blob(hx, hy + 0.5, 3.0, 2.6)
    if claws:
        beast.claws(int(hx) - 2, int(hy) + 3, 3, True)


FACE = """
.##....##.
#RR#..#RR#
.##....##.
..........
##########
#+r+rr+r+#
#rrrrrrrr#
#+r+rr+r+#
.########.
"""

FACE_SHUT = """
.##....##.
#RR#..#RR#
.##....##.
..........
..........
.########.
..........
"""

FACE_WIDE = """
.##....##.
#RR#..#RR#
.##....##.
##########
#+r+rr+r+#
#rrrrrrrr#
#rrrrrrrr#
#+r+rr+r+#
##########
"""

FACE_CHEW = """
.##....##.
#RR#..#RR#
.##....##.
..........
..........
.#.####.#.
..#....#..
"""

FACE_GULP = """
..........
####..####
..........
..........
....##....
...#rr#...
....##....
"""

FACE_GRIN = """
.##....##.
#RR#..#RR#
.##....##.
..........
#........#
.#+#++#+#.
..######..
"""

BACK_STRIPE = [(16, y) for y in range(8, 36, 3)] + [(15, y) for y in range(9, 36, 3)]

# The player's skier shrunk into the monster's hands, in the same colours.
SMALL_SKIER = """
..#+#...
.#BBB#..
.#CCC#..
.#+++#..
#RRRRR#.
#rRRRr#.
.#bbb#..
.#b#b#..
y#y.y#y.
y#y.y#y.
"""

SKIER_LEGS_UP = """
y#y.y#y
y#y.y#y
y#y.y#y
.#b#b#.
.#b#b#.
.#bbb#.
"""


def face(beast, art, dx=0, top=9):
    beast.stamp(art, int(CX + dx) - 5, top)


def standing():
    b = Beast()
    legs(b)
    trunk(b)
    arm(b, -1, (4, 34))
    arm(b, 1, (28, 34))
    head(b)
    b.finish()
    face(b, FACE)
    return b.rows()


def jumping():
    b = Beast()
    legs(b, spread=2)
    trunk(b)
    arm(b, -1, (3, 5))
    arm(b, 1, (29, 5))
    head(b)
    b.finish()
    face(b, FACE_WIDE)
    return b.rows()


def walking_left(stride):
    b = Beast()
    if stride:
        legs(b, left_foot=(-4, 0), right_foot=(2, 3))
    else:
        legs(b, left_foot=(2, 3), right_foot=(-3, 0))
    trunk(b, -2)
    arm(b, 1, (25 if stride else 28, 34))
    head(b, -3)
    arm(b, -1, (3 if stride else 6, 33 if stride else 34))
    b.finish()
    face(b, FACE, -4)
    return b.rows()


def walking_up(stride):
    b = Beast()
    if stride:
        legs(b, left_foot=(0, 2), right_foot=(0, 0))
    else:
        legs(b, left_foot=(0, 0), right_foot=(0, 2))
    trunk(b)
    arm(b, -1, (4, 31 if stride else 35), claws=False)
    arm(b, 1, (28, 35 if stride else 31), claws=False)
    head(b)
    b.finish()
    for x, y in BACK_STRIPE:
        if b.cv.get(x, y) == "+":
            b.cv.put(x, y, "-")
    return b.rows()


def meal(frame):
    b = Beast()
    legs(b)
    trunk(b)
    head(b)
    if frame == 0:      # grabbing the skier in front of its belly
        arm(b, -1, (11, 30), claws=False)
        arm(b, 1, (21, 30), claws=False)
        b.finish()
        face(b, FACE_WIDE)
        b.stamp(SMALL_SKIER, 12, 22)
        b.cv.stamp(parse("#.#......#.#"), 10, 32)
    elif frame == 1:    # lifting it, head first, to the open mouth
        b.finish()
        face(b, FACE_WIDE)
        b.stamp("\n".join(r for r in parse(SMALL_SKIER)[::-1]), 12, 15)
        arm(b, -1, (10, 20), claws=False)
        arm(b, 1, (22, 20), claws=False)
    elif frame == 2:    # only the legs and skis still showing
        arm(b, -1, (9, 18), claws=False)
        arm(b, 1, (23, 18), claws=False)
        b.finish()
        face(b, FACE_WIDE)
        b.stamp(SKIER_LEGS_UP, 13, 10)
    elif frame == 3:    # chewing, a ski tip poking out
        arm(b, -1, (4, 34))
        arm(b, 1, (28, 34))
        b.finish()
        face(b, FACE_CHEW)
        b.cv.band(19, 15.5, 24, 13.5, "y", "#", 0.7)
    elif frame == 4:    # the gulp
        arm(b, -1, (12, 24), claws=False)
        arm(b, 1, (20, 24), claws=False)
        b.finish()
        face(b, FACE_GULP)
    else:               # patting a full belly
        arm(b, -1, (4, 34))
        arm(b, 1, (15, 29), claws=False)
        b.finish()
        face(b, FACE_GRIN)
    return b.rows()


def sprites():
    s = {
        68: ("monster-stand", W, H, standing()),
        69: ("monster-jump", W, H, jumping()),
        70: ("monster-walk-left-1", W, H, walking_left(True)),
        71: ("monster-walk-left-2", W, H, walking_left(False)),
        74: ("monster-walk-up-1", W, H, walking_up(True)),
        75: ("monster-walk-up-2", W, H, walking_up(False)),
    }
    s[72] = ("monster-walk-right-1", W, H, mirror(s[70][3]))
    s[73] = ("monster-walk-right-2", W, H, mirror(s[71][3]))
    names = ["grab", "lift", "bite", "chew", "gulp", "pat-belly"]
    for i, name in enumerate(names):
        s[76 + i] = ("monster-eat-" + name, W, H, meal(i))
    return s

"""Draws the program's icons (resources/icons/*.xpm): a skier on a sunny
slope (iconsnowvel) and the same skier by night (iconsnowvel2), each at
32x32 and 16x16. A blank in the art is transparent ("  c None")."""

import math
import os

import scenery_canvas
from scenery_canvas import Canvas, XPM_COLOURS

ICONS = os.path.join(os.path.dirname(__file__), "..", "..", "resources", "icons")
scenery_canvas.KEYS.add(" ")

SKIER_32 = """
....##.....
...#BB#....
...#bb#....
...#++#....
..#RRRR#...
.#RRRRRR#.-
-#R#RR#R#-.
..-#RR#.-..
..#bbbb#...
..#bb#bb#..
...#bb#bb#.
....#b##b#.
"""

SKIER_16 = """
.#B#.
.#+#.
#RRR#
-#b#-
#b.b#
"""


def rounded(c, radius):
    for y in range(c.height):
        for x in range(c.width):
            dx = max(radius - x, x - (c.width - 1 - radius), 0)
            dy = max(radius - y, y - (c.height - 1 - radius), 0)
            if dx * dx + dy * dy > radius * radius:
                c.put(x, y, " ")


def slope_icon(size, night):
    c = Canvas(size, size)
    sky, far = ("b", "B") if night else ("C", "c")
    top, bottom = size * 0.42, size * 0.8
    for y in range(size):
        for x in range(size):
            edge = top + (bottom - top) * x / (size - 1)
            if y < edge - 0.5:
                c.put(x, y, sky)
            elif y < edge + 0.5:
                c.put(x, y, "-")
            else:
                shade = (y - edge) < size * 0.08 and (x + y) % 2 == 0
                c.put(x, y, "+" if shade else ".")
    if night:  # a moon and two stars
        moon = (size * 0.78, size * 0.18, size * 0.11)
        for y in range(size):
            for x in range(size):
                if math.hypot(x - moon[0], y - moon[1]) <= moon[2]:
                    c.put(x, y, "Y")
        for (sx, sy) in ((0.15, 0.12), (0.45, 0.2)):
            c.put(int(size * sx), int(size * sy), "Y")
    else:
        sun = (size * 0.8, size * 0.17, size * 0.1)
        for y in range(size):
            for x in range(size):
                if math.hypot(x - sun[0], y - sun[1]) <= sun[2]:
                    c.put(x, y, "Y")
    if size == 32:
        # A fir on the upper slope, the skier lower down heading right.
        c.art(3, 3, """
....#....
...#g#...
..#gGg#..
...#g#...
..#gGgg#.
.#gGggg#.
..#gggg#.
.#gGgggg#
#ggggggg#
####r####
...#r#...
""", skip=".")
        c.art(15, 11, SKIER_32, skip=".")
        # Skis along the slope under the feet.
        for i in range(11):
            x = 15 + i
            y = int(top + (bottom - top) * x / (size - 1)) - 1
            c.put(x, y, "r")
            c.put(x, y + 1, "#")
    else:
        c.art(6, 3, SKIER_16, skip=".")
        for i in range(6):
            x = 6 + i
            y = int(top + (bottom - top) * x / (size - 1)) - 1
            c.put(x, y, "r")
    rounded(c, 3 if size == 32 else 2)
    return c


def xpm(c, ident):
    lines = ["/* XPM */", "static const char* const %s[] = {" % ident,
             '"%d %d 17 1",' % (c.width, c.height)]
    lines += ['"%s c %s",' % (k, v) for k, v in XPM_COLOURS] + ['"  c None",']
    body = ['"%s"' % "".join(row) for row in c.rows]
    lines += [b + "," for b in body[:-1]] + [body[-1], "};", ""]
    return "\n".join(lines)


def main():
    os.makedirs(ICONS, exist_ok=True)
    for name, night in (("iconsnowvel", False), ("iconsnowvel2", True)):
        for size in (32, 16):
            path = os.path.join(ICONS, "%s-%d.xpm" % (name, size))
            with open(path, "w") as out:
                out.write(xpm(slope_icon(size, night), "%s_%d" % (name, size)))


if __name__ == "__main__":
    main()

"""Slalom gates and markers, the mogul field, the other racer, the dog and
the snowboarder: sprites 23 to 44."""

import math

import player
from canvas import Canvas
from xpmlib import mirror, parse, place

# --- gates -----------------------------------------------------------------


def gate(flag, shade, arrow_left):
    cv = Canvas(12, 24)
    # the pole, striped so it reads against the snow
    for y in range(1, 24):
        cv.put(5, y, "#")
        cv.put(6, y, "#" if (y // 3) % 2 else "+")
    cv.put(6, 0, "#")
    cv.put(5, 0, "#")
    cv.stamp(["############"] + ["#" + flag * 10 + "#"] * 7 + ["#" + shade * 10 + "#", "############"], 0, 2)
    arrow = ["...+......", "..++......", ".+++++++..", "++++++++..", ".+++++++..", "..++......", "...+......"]
    arrow = [r.replace(".", flag) for r in arrow]
    if not arrow_left:
        arrow = mirror(arrow)
        arrow = [r[2:] + flag * 2 for r in arrow]
    cv.stamp([r[:9] if arrow_left else r for r in arrow], 1 if arrow_left else 1, 3)
    cv.put(5, 23, "-")
    cv.put(6, 23, "-")
    return cv.rows()


def pennant(flag, shade):
    art = """
.##.........
.#+##.......
.#+FF###....
.#+FFFFF##..
.#+FFFFFFF#.
.#+FFFFFSS#.
.#+FFFSS##..
.#+SS###....
.#+##.......
.#+#........
.#+#........
.#+#........
.#-#........
.#+#........
.#+#........
.#+#........
.#-#........
.#+#........
.#+#........
.#+#........
.#-#........
.#+#........
.#+#........
.---........
"""
    rows = parse(art.replace("F", flag).replace("S", shade))
    return place(rows, 12, 24)


# --- moguls ----------------------------------------------------------------

MOUND = """
....++++....
..++....-+..
.+........-+
+..........-
.-........--
..--------..
"""


def moguls():
    cv = Canvas(64, 32)
    mound = parse(MOUND)
    spots = [(2, 1), (22, 2), (42, 0), (12, 9), (32, 10), (51, 9),
             (1, 18), (22, 17), (41, 19), (11, 26), (31, 26), (51, 25)]
    for x, y in spots:
        cv.stamp(mound, x, y)
    return cv.rows()


# --- the other racer -------------------------------------------------------


def racer_colours(art):
    """The racer wears a green helmet, a yellow suit and grey trousers."""
    out = []
    for i, r in enumerate(parse(art)):
        r = r.replace("B", "G").replace("R", "Y").replace("r", "y")
        r = r.replace("b", "g" if i < 7 else "-")
        out.append(r)
    return out


def red_ski(cv, x0, y0, x1, y1):
    cv.band(x0, y0, x1, y1, "R", "#")


def racer_down():
    cv = Canvas(24, 30)
    red_ski(cv, 9, 16, 9, 29)
    red_ski(cv, 15, 16, 15, 29)
    cv.stamp(racer_colours(player.FRONT), 6, 2)
    # poles tucked under the arms, pointing back up the hill
    cv.line(6, 14, 0, 4, "#")
    cv.line(17, 14, 23, 4, "#")
    return cv.rows()


def racer_slide_left():
    cv = Canvas(22, 29)
    red_ski(cv, 19, 18, 3, 25)
    red_ski(cv, 21, 21, 5, 28)
    cv.stamp(racer_colours(player.QUARTER_LEFT), 5, 2)
    player.pole(cv, 5, 16, 1, 24)
    player.pole(cv, 16, 16, 19, 21)
    return cv.rows()


RACER_FALLEN = """
..........#++#..........
.........#----#.........
..###...#------#........
.#GGG#..#---##-#........
#GGGGG####---#..........
#gggggYYYYY##...........
#CC++#YyYYYY#...........
.#+++#YYyyYYY#..........
..###.#YYYYYYY#.........
.......######...........
"""

RACER_TUMBLED = """
.......###..###.......
......#---##---#......
......#---##---#......
.......#------#.......
...##..#yyyyyy#..##...
..#YY###YYYYYY###YY#..
...##..#YYYYYY#..##...
........#++++#........
........#CC#C#........
........#gggg#........
........#GGGG#........
.........####.........
"""


def racer_fallen():
    cv = Canvas(24, 24)
    red_ski(cv, 2, 10, 21, 22)
    red_ski(cv, 3, 22, 22, 13)
    cv.stamp(RACER_FALLEN, 0, 12)
    cv.line(1, 9, 10, 4, "#")
    return cv.rows()


def racer_tumbled():
    cv = Canvas(24, 24)
    red_ski(cv, 3, 1, 20, 8)
    red_ski(cv, 4, 8, 21, 1)
    cv.stamp(RACER_TUMBLED, 1, 10)
    cv.line(2, 22, 8, 16, "#")
    cv.line(22, 23, 16, 16, "#")
    return cv.rows()


# --- the dog -----------------------------------------------------------------

DOG_BODY = """
...............##...
..............#yy#..
.............#yyyy##
.##..........#y#yyyy#
#yy#.........#yyyyy##
.#yy#.......#yyyy##.
..#yy#######RRyy#...
...#yyyyyyyyyRyy#...
...#yyyyyyyyyy++#...
...#yyyyyyyyy+++#...
....#yy####yyy##....
"""

DOG_STRIDE = """
...#y#.#y#..#y##y#..
..#y#...#y#.#y#.#y#.
..##.....##.##...##.
"""

DOG_TOGETHER = """
.....#y#y#...#y#y#..
.....#y#y#...#y#y#..
.....####....####...
"""


def dog(legs):
    return place(parse(DOG_BODY) + parse(legs), 21, 15)


DOG_SIT_OPEN = """
.........##.......
........#yy#......
.......#yyyy###...
.......#y#yyyyy#..
.......#yyyy####..
.......#yyy#RR#...
.##.....#yyy###...
#yy#...#RRyy#.....
.#yy#.#yyyyy+#....
..#yy#yyyyyy+#....
...#yyyyyyyy+#....
...#yyyyyyy#y#....
...####y#y###y#...
.......#######....
"""

DOG_SIT_SHUT = """
.........##.......
........#yy#......
.......#yyyy###...
.......#y#yyyyy#..
.......#yyyyy###..
........#yyyy#....
........#yyy#.....
.##....#RRyy#.....
#yy#..#yyyyy+#....
.#yy#.#yyyyy+#....
..#yyyyyyyyy+#....
...#yyyyyyy#y#....
...####y#y###y#...
.......#######....
"""


def barking(art, text_top):
    cv = Canvas(19, 19)
    cv.stamp(parse(art), 0, 5)
    cv.stamp(woof(), 0, text_top)
    return place(cv.rows(), 19, 19)


def woof():
    glyphs = [["#...#", "#...#", "#.#.#", "#.#.#", ".#.#."],
              [".##.", "#..#", "#..#", "#..#", ".##."],
              [".##.", "#..#", "#..#", "#..#", ".##."],
              ["###", "#..", "##.", "#..", "#.."]]
    return [".".join(g[y] for g in glyphs) for y in range(5)]


# --- the snowboarder ----------------------------------------------------------
# Drawn from a little skeleton so the tumbling frames can turn it freely:
# yellow board, dark green trousers, magenta jacket, cyan beanie.

STANCE = {
    "nose": (-9, 0), "tail": (9, 0),
    "foot_l": (-4, -1), "foot_r": (4, -1),
    "knee_l": (-3, -5), "knee_r": (3, -5),
    "hip": (0, -10), "neck": (0, -17),
    "hand_l": (-9, -12), "hand_r": (9, -13),
    "head": (0, -21),
}


def boarder_figure(size, pose, angle=0.0, board_half=1.1):
    w, h = size
    cx, cy = w / 2.0, h - 4.0
    ca, sa = math.cos(math.radians(angle)), math.sin(math.radians(angle))

    def at(name):
        x, y = pose[name]
        return cx + x * ca - y * sa, cy + x * sa + y * ca

    up = (sa, -ca)
    cv = Canvas(w + 48, h + 48)
    o = 24

    def band(a, b, fill, half):
        (x0, y0), (x1, y1) = a, b
        cv.band(x0 + o, y0 + o, x1 + o, y1 + o, fill, "#", half)

    band(at("nose"), at("tail"), "Y", board_half)
    for side in ("l", "r"):
        band(at("hip"), at("knee_" + side), "g", 1.3)
        band(at("knee_" + side), at("foot_" + side), "g", 1.1)
    band(at("hip"), at("neck"), "M", 2.2)
    for side in ("l", "r"):
        band(at("neck"), at("hand_" + side), "m", 0.9)
    hx, hy = at("head")
    band((hx, hy), (hx, hy), "+", 2.6)
    band((hx + up[0] * 2.0, hy + up[1] * 2.0), (hx + up[0] * 2.4, hy + up[1] * 2.4), "C", 1.9)
    return cv.rows()


def posed(size, pose, angle=0.0):
    """The pose turned by angle, shrunk just enough to fit the image."""
    scale = 1.0
    while True:
        p = {k: (x * scale, y * scale) for k, (x, y) in pose.items()}
        rows = boarder_figure(size, p, angle)
        try:
            return place(rows, size[0], size[1])
        except ValueError:
            scale -= 0.03


def sprites():
    s = {
        23: ("gate-red-left", 12, 24, gate("R", "r", True)),
        24: ("gate-blue-right", 12, 24, gate("B", "b", False)),
        25: ("gate-passed", 12, 24, pennant("G", "g")),
        26: ("gate-missed", 12, 24, pennant("R", "r")),
        27: ("moguls", 64, 32, moguls()),
        28: ("racer-straight", 24, 30, racer_down()),
        29: ("racer-slide-left", 22, 29, racer_slide_left()),
        31: ("racer-fallen", 24, 24, racer_fallen()),
        32: ("racer-tumbled", 24, 24, racer_tumbled()),
        33: ("dog-trot-1", 21, 15, dog(DOG_STRIDE)),
        34: ("dog-trot-2", 21, 15, dog(DOG_TOGETHER)),
        35: ("dog-bark-1", 19, 19, barking(DOG_SIT_OPEN, 0)),
        36: ("dog-bark-2", 19, 19, barking(DOG_SIT_SHUT, 0)),
    }
    s[30] = ("racer-slide-right", 21, 29, place(mirror(s[29][3]), 21, 29))
    carve = dict(STANCE, nose=(-10, 3), tail=(9, -3), foot_l=(-4, 0), foot_r=(4, -2),
                 knee_l=(-3, -5), knee_r=(3, -6),
                 hand_l=(-10, -10), hand_r=(8, -15))
    s[37] = ("boarder-carve-left", 26, 30, posed((26, 30), carve, -8))
    steep = dict(STANCE, nose=(6, 4), tail=(-6, -4), foot_l=(-3, -2), foot_r=(3, 1),
                 knee_l=(-2, -6), knee_r=(2, -4), hand_l=(-6, -9), hand_r=(7, -12))
    s[38] = ("boarder-carve-right", 20, 30, posed((20, 30), steep, 6))
    air = dict(STANCE, knee_l=(-4, -6), knee_r=(4, -6), hand_l=(-10, -22), hand_r=(10, -22),
               hip=(0, -11))
    s[39] = ("boarder-air", 25, 31, posed((25, 31), air))
    tumble = dict(STANCE, hand_l=(-10, -20), hand_r=(10, -8), knee_l=(-4, -5))
    s[40] = ("boarder-tumble-1", 30, 29, posed((30, 29), tumble, 70))
    s[41] = ("boarder-tumble-2", 32, 32, posed((32, 32), tumble, 140))
    s[42] = ("boarder-tumble-3", 32, 32, posed((32, 32), tumble, 200))
    s[43] = ("boarder-tumble-4", 25, 29, posed((25, 29), tumble, 270))
    flat = dict(STANCE, hand_l=(-8, -20), hand_r=(9, -18), knee_l=(-4, -5), knee_r=(4, -4))
    s[44] = ("boarder-tumble-5", 29, 25, posed((29, 25), flat, 335))
    return s

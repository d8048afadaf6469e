"""The player's skier, sprites 1 to 22.

Colours kept the same in every pose (and in the monster's meal):
blue beanie B with a dark blue band b and a grey bobble +, cyan goggles C,
pale face +, red jacket R shaded r, dark blue trousers b, black boots,
olive skis y with black edges, black poles with grey baskets."""

from canvas import Canvas
from xpmlib import mirror, word

FRONT = """
....#++#....
...#BBBB#...
..#BBBBBB#..
..#bbbbbb#..
..#CC##CC#..
..#++++++#..
...#++++#...
.##RRRRRR##.
#RRRRRRRRRR#
#RR#RRRR#RR#
#RR#RRRR#RR#
#rr#RRRR#rr#
#rr#RRRR#rr#
##.#rrrr#.##
...#bbbb#...
..#bbbbbb#..
..#bb##bb#..
.#bb#..#bb#.
.#bb#..#bb#.
.####..####.
"""

# Turned a little to the left: the goggles and the hips swing round.
HALF_LEFT = """
....#++#....
...#BBBB#...
..#BBBBBB#..
..#bbbbbb#..
..#C##C++#..
..#++++++#..
...#++++#...
.##RRRRRR##.
#RRRRRRRRRR#
#RR#RRRRR#R#
#RR#RRRRR#R#
#rr#RRRRR#r#
#rr#RRRRR#r#
##.#rrrrr###
..#bbbbb#...
.#bbbbbb#...
.#bb##bb#...
#bb#.#bb#...
#bb#.#bb#...
####.####...
"""

# Further round to the left, leaning into the turn.
QUARTER_LEFT = """
.....#++#...
....#BBBB#..
...#BBBBBB#.
...#bbbbbb#.
..#C#+++++#.
..#++++++#..
...#++++#...
..#RRRRRR##.
.#RRRRRRRRR#
#RR#RRRRRRR#
#RR#RRRRRRR#
#rr#RRRRRRr#
#rr#RRRRRRr#
##.#rrrrrr##
...#bbbbbb#.
..#bbbbbbb#.
..#bbb##bbb#
..#bb#.#bbb#
..#bb#..#bb#
..####..####
"""

# Across the slope, facing left, knees bent.
SIDE_LEFT = """
.....#++#...
....#BBBB#..
...#BBBBBB#.
...#bbbbbb#.
..#C#+++++#.
..#++++++#..
...##+++#...
...#RRRRR#..
..#RRRRRRR#.
.#rrRRRRRRR#
#rr##RRRRRR#
###.#RRRRRR#
##..#rrrrrr#
....#bbbbbb#
...#bbbbbbb#
..#bbb#bbbb#
..#bb#.#bbb#
...#bb#.#bb#
...####.####
"""

# Side-stepping: one leg reaching down the hill.
STEP_LEFT = """
.....#++#....
....#BBBB#...
...#BBBBBB#..
...#bbbbbb#..
..#C#+++++#..
..#++++++#...
...##+++#....
...#RRRRR#...
..#RRRRRRR#..
.#rrRRRRRRR#.
#rr##RRRRRR#.
###.#RRRRRR#.
##..#rrrrrr#.
....#bbbbbb#.
...#bbbbbbbb#
...#bbb##bbb#
..#bbb#.#bbb#
..#bb#...#bb#
.#bb#.....#bb#
.####.....####
"""

# Hopping up the hill: knees pulled up, arms swinging forward.
HOP_LEFT = """
.....#++#...
....#BBBB#..
...#BBBBBB#.
...#bbbbbb#.
..#C#+++++#.
..#++++++#..
.##.##+++#..
#rr#RRRRR#..
#rrRRRRRRR#.
.##RRRRRRRR#
...#RRRRRRR#
...#rrrrrrr#
..#bbbbbbbb#
.#bbbbbbbbb#
.#bbb####bb#
.####...####
"""


def pole(cv, x0, y0, x1, y1, basket=0.8):
    cv.line(x0, y0, x1, y1, "#")
    bx = int(round(x0 + (x1 - x0) * basket))
    by = int(round(y0 + (y1 - y0) * basket))
    steep = abs(y1 - y0) >= abs(x1 - x0)
    ends = ((bx - 1, by), (bx + 1, by)) if steep else ((bx, by - 1), (bx, by + 1))
    for x, y in ends:
        if cv.get(x, y) == ".":
            cv.put(x, y, "-")


def ski(cv, x0, y0, x1, y1):
    cv.band(x0, y0, x1, y1, "y", "#")


def straight():
    cv = Canvas(16, 32)
    ski(cv, 5, 19, 5, 31)
    ski(cv, 11, 19, 11, 31)
    cv.stamp(FRONT, 2, 2)
    pole(cv, 2, 16, 1, 28)
    pole(cv, 13, 16, 14, 28)
    return cv.rows()


def half_left():
    cv = Canvas(16, 32)
    ski(cv, 4, 19, 2, 31)
    ski(cv, 10, 19, 8, 31)
    cv.stamp(HALF_LEFT, 2, 2)
    pole(cv, 2, 16, 0, 28)
    pole(cv, 13, 16, 13, 28)
    return cv.rows()


def quarter_left():
    cv = Canvas(24, 28)
    ski(cv, 20, 18, 3, 26)
    ski(cv, 22, 20, 5, 28)
    cv.stamp(QUARTER_LEFT, 7, 2)
    pole(cv, 7, 16, 3, 24)
    pole(cv, 18, 16, 20, 25)
    return cv.rows()


def side_left(art=SIDE_LEFT, top=4):
    cv = Canvas(24, 28)
    ski(cv, 2, 23, 22, 23)
    cv.put(1, 22, "#")
    cv.put(2, 22, "y")
    cv.stamp(art, 6, top)
    ski(cv, 1, 26, 21, 26)
    cv.put(0, 25, "#")
    cv.put(1, 25, "y")
    pole(cv, 6, 16, 2, 21)
    pole(cv, 16, 16, 19, 21)
    return cv.rows()


def across_left():
    return side_left()


def step_left():
    cv = Canvas(24, 28)
    ski(cv, 4, 22, 21, 22)
    cv.put(3, 21, "#")
    cv.put(4, 21, "y")
    cv.stamp(STEP_LEFT, 5, 3)
    ski(cv, 1, 26, 18, 26)
    cv.put(0, 25, "#")
    cv.put(1, 25, "y")
    pole(cv, 5, 15, 1, 22)
    pole(cv, 16, 15, 21, 19)
    return cv.rows()


def hop_left():
    cv = Canvas(24, 28)
    cv.stamp(HOP_LEFT, 6, 4)
    ski(cv, 2, 21, 21, 24)
    cv.put(1, 20, "#")
    cv.put(2, 20, "y")
    ski(cv, 1, 24, 20, 27)
    cv.put(0, 23, "#")
    cv.put(1, 23, "y")
    pole(cv, 6, 12, 2, 18)
    pole(cv, 7, 12, 4, 19)
    return cv.rows()


CRASHED = """
.........................#++#...
........................#BBBB#..
.......................#BBBBBB#.
.......................#bbbbbb#.
........................######..
................................
...###..........................
..#+++#####.....................
.#++##RRRRR######...............
.#+#C#RRrRRRRRRRR#######........
.#++#RRRrRRRRRRRRbbbbbbb##......
..#+#RRRrrRRRRRRbbbbbbbbb#......
...##RRRRRRRRRRR#bbb####b##.....
....####RRRRrr##....#...##......
........########................
"""


def crashed():
    cv = Canvas(32, 32)
    text = word("OUCH", "R")
    cv.stamp(text, 7, 0)
    # skis crossed in the snow beside the figure
    ski(cv, 14, 17, 29, 29)
    ski(cv, 12, 29, 29, 20)
    cv.stamp(CRASHED, 0, 15)
    pole(cv, 2, 28, 12, 31)
    pole(cv, 20, 14, 30, 16)
    return cv.rows()


SEATED = """
......#++#......
.....#BBBB#.....
....#BBBBBB#....
....#bbbbbb#....
....#CC##CC#....
....#++++++#....
..##.#++++#.##..
.#rr##RRRR##rr#.
.#rr#RRRRRR#rr#.
..###RRRRRR###..
....#rrrrrr#....
...#bbbbbbbb#...
..#bbb#bb#bbb#..
..#bb#.##.#bb#..
.#bb#......#bb#.
.####......####.
"""


def seated():
    cv = Canvas(32, 24)
    pole(cv, 9, 11, 1, 13, basket=0.85)
    pole(cv, 22, 11, 30, 13, basket=0.85)
    cv.stamp(SEATED, 8, 4)
    ski(cv, 4, 22, 13, 17)
    ski(cv, 27, 22, 18, 17)
    return cv.rows()


SPREAD = """
##..........#++#..........##
#rr#.......#BBBB#.......#rr#
.#rr#.....#BBBBBB#.....#rr#.
..#rr#....#bbbbbb#....#rr#..
...#rr#...#CC##CC#...#rr#...
....#rr#..#++++++#..#rr#....
.....#rR#..#++++#..#Rr#.....
......#RR##RRRRRR##RR#......
.......#RRRRRRRRRRRR#.......
........##RRRRRRRR##........
..........#RRRRRR#..........
..........#rrrrrr#..........
.........#bbbbbbbb#.........
........#bbb#..#bbb#........
.......#bbb#....#bbb#.......
......#bbb#......#bbb#......
.....#bbb#........#bbb#.....
.....####..........####.....
"""


def spread():
    cv = Canvas(32, 32)
    pole(cv, 2, 2, 0, 18)
    pole(cv, 29, 2, 31, 18)
    ski(cv, 9, 19, 2, 31)
    ski(cv, 22, 19, 29, 31)
    cv.stamp(SPREAD, 2, 4)
    return cv.rows()


AIR_LEFT = """
##.........#++#...
#rr#......#BBBB#..
.#rr#....#BBBBBB#.
..#rr#...#bbbbbb#.
...#rr#.#C#+++++#.
....#rr##++++++#..
.....#rRR#++++#...
......#RRRRRRRR##.
.......#RRRRRRRRr#
.......#RRRRRRRrr#
........#RRRRRR###
........#rrrrrr#..
........#bbbbbbb#.
.......#bbb##bbb#.
......#bbb#.#bbb#.
.....#bbb#.#bbb#..
.....####..####...
"""


def air_left():
    cv = Canvas(28, 31)
    ski(cv, 20, 18, 3, 29)
    ski(cv, 24, 18, 7, 29)
    cv.stamp(AIR_LEFT, 5, 4)
    pole(cv, 5, 5, 1, 19)
    pole(cv, 23, 14, 27, 25)
    return cv.rows()


BACK = """
.##.......#++#.......##.
#rr#.....#BBBB#.....#rr#
.#rr#...#BBBBBB#...#rr#.
..#rr#..#BBBBBB#..#rr#..
...#rr#.#bbbbbb#.#rr#...
....#rr##++++++##rr#....
.....#rRR#++++#RRr#.....
......#RRRRRRRRRR#......
.......#RRrRRrRR#.......
.......#RRrRRrRR#.......
.......#RRrRRrRR#.......
.......#rrrrrrrr#.......
.......#bbbbbbbb#.......
.......#bbb##bbb#.......
.......#bbb##bbb#.......
.......#bbb##bbb#.......
.......#########........
"""


def uphill_air():
    cv = Canvas(28, 34)
    ski(cv, 10, 1, 10, 33)
    ski(cv, 17, 1, 17, 33)
    cv.stamp(BACK, 2, 10)
    pole(cv, 3, 11, 0, 33)
    pole(cv, 24, 11, 27, 33)
    return cv.rows()


TUMBLE = """
.........####..........
........#bbbb#.........
.......#bbbbbb#........
......#bbb##bbb#.......
......#bbb##bbb#.......
......#bbbbbbbb#.......
..##..#rrrrrrrr#..##...
.#rr#.#RRRRRRRR#.#rr#..
.#rRR#RRRRRRRRR##RRr#..
..#RRRRRRRRRRRRRRRR#...
...##RRRRRRRRRRRR##....
.....#RRRRRRRRRR#......
......##++++++##.......
.....#+++++++++#.......
......#CC##CC#.........
......#bbbbbb#.........
......#BBBBBB#.........
.......#BBBB#..........
........#++#...........
"""


def tumble():
    cv = Canvas(32, 26)
    ski(cv, 4, 8, 26, 1)
    ski(cv, 8, 1, 29, 10)
    cv.stamp(TUMBLE, 5, 7)
    pole(cv, 6, 15, 1, 25)
    pole(cv, 23, 14, 30, 22)
    return cv.rows()


INVERTED = """
.......####..####.......
.......#bb#..#bb#.......
.......#bb#..#bb#.......
.......#bbb##bbb#.......
.......#bbbbbbbb#.......
.......#rrrrrrrr#.......
....##.#RRRRRRRR#.##....
...#rr##RRRRRRRR##rr#...
..#rr#RRRRRRRRRRRR#rr#..
.#rr#..#RRRRRRRR#..#rr#.
#rr#....##RRRR##....#rr#
.##.....#++++++#.....##.
........#CC##CC#........
........#bbbbbb#........
........#BBBBBB#........
.........#BBBB#.........
..........#++#..........
"""


def inverted():
    cv = Canvas(32, 32)
    ski(cv, 12, 0, 12, 17)
    ski(cv, 19, 0, 19, 17)
    cv.stamp(INVERTED, 4, 15)
    pole(cv, 4, 26, 0, 31)
    pole(cv, 27, 26, 31, 31)
    return cv.rows()


FLIP = """
..............#bbb#......
..............#bbb#......
.............#bbb#.......
.............#bbb#.......
..##........#bbb#........
.#++#.###..#bbbb#........
#BC++#RRR##bbbb#.........
#BC++#RRRRRbbbbbb#.......
#BB++#RRRRRRrbbbbbb#.....
.#B+##RRRRRrr#..#bbbb#...
..##.#rrRRRR#.....#bbb#..
.....##rrr##........#bbb#
.......##............####
"""


def flip():
    cv = Canvas(31, 24)
    ski(cv, 18, 0, 27, 6)
    ski(cv, 22, 23, 30, 14)
    cv.stamp(FLIP, 3, 4)
    pole(cv, 10, 14, 2, 23)
    pole(cv, 10, 14, 16, 23)
    return cv.rows()


TUCK = """
....#++#.....
...#BBBB#....
..#BBBBBB#...
..#bbbbbb#...
.#C#+++++#...
.#++++++#....
..#+++##RR#..
.#rrrRRRRRR#.
#rr#rRRRRRR#.
#rr#RRRRRRRR#
.##RRRRRRRRR#
..#bbbbbbbb#.
.#bbbbbbbb#..
.#bb####bb#..
.####..####..
"""


def tuck_left():
    cv = Canvas(25, 31)
    ski(cv, 1, 13, 20, 30)
    ski(cv, 4, 30, 23, 13)
    cv.stamp(TUCK, 6, 6)
    pole(cv, 7, 15, 0, 9, basket=0.85)
    pole(cv, 8, 16, 2, 7, basket=0.85)
    return cv.rows()


def sprites():
    s = {
        1: ("skier-straight", 16, 32, straight()),
        2: ("skier-left-slight", 16, 32, half_left()),
        3: ("skier-left-turn", 24, 28, quarter_left()),
        4: ("skier-left-across", 24, 28, across_left()),
        8: ("skier-step-left", 24, 28, step_left()),
        10: ("skier-hop-left", 24, 28, hop_left()),
        12: ("skier-crashed", 32, 32, crashed()),
        13: ("skier-seated", 32, 24, seated()),
        14: ("skier-air-spread", 32, 32, spread()),
        15: ("skier-air-left", 28, 31, air_left()),
        17: ("skier-air-uphill", 28, 34, uphill_air()),
        18: ("skier-tumble", 32, 26, tumble()),
        19: ("skier-trick-upside-down", 32, 32, inverted()),
        20: ("skier-trick-flip", 31, 24, flip()),
        21: ("skier-trick-tuck-left", 25, 31, tuck_left()),
    }
    s[5] = ("skier-right-slight", 16, 32, mirror(s[2][3]))
    s[6] = ("skier-right-turn", 24, 28, mirror(s[3][3]))
    s[7] = ("skier-right-across", 24, 28, mirror(s[4][3]))
    s[9] = ("skier-step-right", 24, 28, mirror(s[8][3]))
    s[11] = ("skier-hop-right", 24, 28, mirror(s[10][3]))
    s[16] = ("skier-air-right", 28, 31, mirror(s[15][3]))
    s[22] = ("skier-trick-tuck-right", 25, 31, mirror(s[21][3]))
    return s

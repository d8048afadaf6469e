"""A character-cell canvas for composing sprites: hand-drawn parts are
stamped on it, and straight things (skis, poles, boards) are drawn as
lines so that every angle stays clean."""

import math

from xpmlib import parse


class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.px = [["."] * width for _ in range(height)]

    def inside(self, x, y):
        return 0 <= x < self.width and 0 <= y < self.height

    def put(self, x, y, c):
        if self.inside(x, y):
            self.px[y][x] = c

    def get(self, x, y):
        return self.px[y][x] if self.inside(x, y) else "."

    def stamp(self, art, left, top, keep=None):
        """Draw a hand-drawn part; snow in it is see-through."""
        rows = parse(art) if isinstance(art, str) else art
        for y, r in enumerate(rows):
            for x, c in enumerate(r):
                if c != ".":
                    self.put(left + x, top + y, c)

    def line(self, x0, y0, x1, y1, c):
        """A one-pixel line (pole shafts)."""
        for x, y in line_points(x0, y0, x1, y1):
            self.put(x, y, c)

    def band(self, x0, y0, x1, y1, fill, edge="#", half=0.75, caps=True):
        """A thick outlined line (skis, boards, limbs): every cell whose
        centre lies within `half` of the segment is filled, and the cells
        around them that are not filled get the edge colour."""
        cells = band_cells(x0, y0, x1, y1, half, caps)
        if edge:
            for (x, y) in cells:
                for nx, ny in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
                    if (nx, ny) not in cells:
                        self.put(nx, ny, edge)
        for (x, y) in cells:
            self.put(x, y, fill)

    def rows(self):
        return ["".join(r) for r in self.px]


def line_points(x0, y0, x1, y1):
    dx, dy = abs(x1 - x0), -abs(y1 - y0)
    sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
    err = dx + dy
    pts = []
    while True:
        pts.append((x0, y0))
        if x0 == x1 and y0 == y1:
            return pts
        e2 = 2 * err
        if e2 >= dy:
            err += dy
            x0 += sx
        if e2 <= dx:
            err += dx
            y0 += sy


def band_cells(x0, y0, x1, y1, half, caps):
    cells = set()
    lo_x, hi_x = int(math.floor(min(x0, x1) - half - 1)), int(math.ceil(max(x0, x1) + half + 1))
    lo_y, hi_y = int(math.floor(min(y0, y1) - half - 1)), int(math.ceil(max(y0, y1) + half + 1))
    vx, vy = x1 - x0, y1 - y0
    length2 = vx * vx + vy * vy or 1e-9
    for y in range(lo_y, hi_y + 1):
        for x in range(lo_x, hi_x + 1):
            cx, cy = x + 0.5, y + 0.5
            t = ((cx - x0) * vx + (cy - y0) * vy) / length2
            if not caps and (t < 0 or t > 1):
                continue
            t = max(0.0, min(1.0, t))
            px, py = x0 + t * vx, y0 + t * vy
            if (cx - px) ** 2 + (cy - py) ** 2 <= half * half:
                cells.add((x, y))
    return cells

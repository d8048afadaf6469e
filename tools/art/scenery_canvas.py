"""Drawing helpers for the scenery sprites: a palette canvas with lines,
boxes, outlines, pixel-font text and XPM output (standard library only)."""

from canvas import line_points

XPM_COLOURS = [
    (".", "#FFFFFF"), ("#", "#000000"), ("r", "#800000"), ("g", "#008000"),
    ("y", "#808000"), ("b", "#000080"), ("m", "#800080"), ("c", "#008080"),
    ("+", "#C0C0C0"), ("-", "#808080"), ("R", "#FF0000"), ("G", "#00FF00"),
    ("Y", "#FFFF00"), ("B", "#0000FF"), ("M", "#FF00FF"), ("C", "#00FFFF"),
]
KEYS = {key for key, _ in XPM_COLOURS}


class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.rows = [["."] * width for _ in range(height)]

    def get(self, x, y):
        if 0 <= x < self.width and 0 <= y < self.height:
            return self.rows[y][x]
        return "."

    def put(self, x, y, colour):
        assert colour in KEYS, colour
        if 0 <= x < self.width and 0 <= y < self.height:
            self.rows[y][x] = colour

    def hline(self, x0, x1, y, colour):
        for x in range(min(x0, x1), max(x0, x1) + 1):
            self.put(x, y, colour)

    def vline(self, x, y0, y1, colour):
        for y in range(min(y0, y1), max(y0, y1) + 1):
            self.put(x, y, colour)

    def fill(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            self.hline(x0, x1, y, colour)

    def box(self, x0, y0, x1, y1, fill, edge="#", rounded=True):
        """Filled box with a one-pixel edge; rounded leaves the corners as snow."""
        self.fill(x0, y0, x1, y1, fill)
        self.hline(x0, x1, y0, edge)
        self.hline(x0, x1, y1, edge)
        self.vline(x0, y0, y1, edge)
        self.vline(x1, y0, y1, edge)
        if rounded:
            for x, y in ((x0, y0), (x1, y0), (x0, y1), (x1, y1)):
                self.put(x, y, ".")
            self.put(x0 + 1, y0 + 1, edge)
            self.put(x1 - 1, y0 + 1, edge)
            self.put(x0 + 1, y1 - 1, edge)
            self.put(x1 - 1, y1 - 1, edge)

    def line(self, x0, y0, x1, y1, colour):
        for x, y in line_points(x0, y0, x1, y1):
            self.put(x, y, colour)

    def art(self, x, y, text, skip="."):
        """Copy a drawing written as rows of palette keys; `skip` keys leave
        the canvas as it is."""
        lines = [ln for ln in text.strip("\n").split("\n")]
        for dy, row in enumerate(lines):
            for dx, key in enumerate(row.strip() if False else row):
                if key != skip and key != " ":
                    self.put(x + dx, y + dy, key)

    def outline(self, inside, colour="#"):
        """Paint `colour` on every pixel of the set `inside` that touches a
        pixel outside it (4-neighbourhood), or the canvas edge."""
        for (x, y) in inside:
            for nx, ny in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
                if (nx, ny) not in inside:
                    self.put(x, y, colour)
                    break

    def text(self, x, y, string, font, colour, spacing=1):
        for ch in string:
            glyph = font[ch]
            for dy, row in enumerate(glyph):
                for dx, bit in enumerate(row):
                    if bit == "#":
                        self.put(x + dx, y + dy, colour)
            x += len(glyph[0]) + spacing
        return x

    def mirrored(self):
        other = Canvas(self.width, self.height)
        other.rows = [list(reversed(row)) for row in self.rows]
        return other

    def copy(self):
        other = Canvas(self.width, self.height)
        other.rows = [list(row) for row in self.rows]
        return other

    def xpm(self, ident):
        lines = ["/* XPM */", "static const char* const %s[] = {" % ident,
                 '"%d %d 16 1",' % (self.width, self.height)]
        lines += ['"%s c %s",' % (k, v) for k, v in XPM_COLOURS]
        body = ['"%s"' % "".join(row) for row in self.rows]
        lines += [b + "," for b in body[:-1]] + [body[-1], "};", ""]
        return "\n".join(lines)


def text_width(string, font, spacing=1):
    return sum(len(font[ch][0]) + spacing for ch in string) - spacing

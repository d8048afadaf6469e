"""Small helpers shared by the sprite generators: the 16-colour palette,
placing hand-drawn character art on a sprite's canvas, mirroring, writing
XPM files and a scaled PNG preview sheet (standard library only)."""

import struct
import zlib

PALETTE = [
    (".", 0xFFFFFF), ("#", 0x000000), ("r", 0x800000), ("g", 0x008000),
    ("y", 0x808000), ("b", 0x000080), ("m", 0x800080), ("c", 0x008080),
    ("+", 0xC0C0C0), ("-", 0x808080), ("R", 0xFF0000), ("G", 0x00FF00),
    ("Y", 0xFFFF00), ("B", 0x0000FF), ("M", 0xFF00FF), ("C", 0x00FFFF),
]
COLOURS = dict(PALETTE)


def parse(text):
    """Rows of a drawing written in a triple-quoted string; leading and
    trailing blank lines dropped, rows padded on the right with snow."""
    lines = [ln.rstrip() for ln in text.strip("\n").split("\n")]
    lines = [ln.replace(" ", ".") for ln in lines]
    width = max(len(ln) for ln in lines)
    return [ln.ljust(width, ".") for ln in lines]


def trim(rows):
    """Cut away the all-snow border around a drawing."""
    filled = [i for i, r in enumerate(rows) if r.strip(".")]
    if not filled:
        return rows
    rows = rows[filled[0]:filled[-1] + 1]
    cols = [x for x in range(len(rows[0])) if any(r[x] != "." for r in rows)]
    return [r[cols[0]:cols[-1] + 1] for r in rows]


def place(rows, width, height, shift_x=0, lift=0):
    """Put a drawing on a width x height canvas standing on the bottom row,
    centred (the odd spare column goes right of centre), then moved by
    shift_x columns and lifted by lift rows."""
    rows = trim(rows)
    h, w = len(rows), len(rows[0])
    if w > width or h + lift > height:
        raise ValueError("drawing %dx%d does not fit %dx%d" % (w, h, width, height))
    left = (width - w) // 2 + shift_x
    if left < 0 or left + w > width:
        raise ValueError("shifted drawing leaves the canvas")
    top = height - h - lift
    canvas = [["."] * width for _ in range(height)]
    for y, r in enumerate(rows):
        for x, ch in enumerate(r):
            canvas[top + y][left + x] = ch
    return ["".join(r) for r in canvas]


def mirror(rows):
    return [r[::-1] for r in rows]


def validate(rows, width, height):
    if len(rows) != height:
        raise ValueError("height %d, want %d" % (len(rows), height))
    for i, r in enumerate(rows):
        if len(r) != width:
            raise ValueError("row %d is %d wide, want %d" % (i, len(r), width))
        bad = set(r) - set(COLOURS)
        if bad:
            raise ValueError("row %d has colours %r outside the palette" % (i, bad))


def xpm_text(number, rows):
    height, width = len(rows), len(rows[0])
    out = ["/* XPM */", "static const char* const sprite_%02d[] = {" % number,
           '"%d %d 16 1",' % (width, height)]
    out += ['"%s c #%06X",' % (ch, rgb) for ch, rgb in PALETTE]
    out += ['"%s",' % r for r in rows[:-1]] + ['"%s"' % rows[-1], "};"]
    return "\n".join(out) + "\n"


def read_xpm(path):
    """Pixel rows of one of our XPM files."""
    quoted = []
    for line in open(path):
        line = line.strip()
        if line.startswith('"'):
            quoted.append(line[1:line.rindex('"')])
    width, height = (int(v) for v in quoted[0].split()[:2])
    rows = quoted[17:17 + height]
    validate(rows, width, height)
    return rows


def write_png(path, pixels, width, height):
    """pixels: list of rows of 0xRRGGBB values."""
    raw = bytearray()
    for row in pixels:
        raw.append(0)
        for v in row:
            raw += bytes(((v >> 16) & 255, (v >> 8) & 255, v & 255))

    def chunk(tag, data):
        body = tag + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def preview(path, sprites, scale=4, per_row=8, cell=(36, 52)):
    """Lay the sprites out on one sheet, each scaled and framed by a faint
    box that shows the image's exact bounds."""
    cw = max(cell[0], max(len(r[0]) for r in sprites) + 4)
    ch = max(cell[1], max(len(r) for r in sprites) + 4)
    cols = min(per_row, len(sprites))
    lines = (len(sprites) + per_row - 1) // per_row
    W, H = cols * cw * scale, lines * ch * scale
    pix = [[0xFFFFFF] * W for _ in range(H)]
    for i, rows in enumerate(sprites):
        ox = (i % per_row) * cw * scale + 2 * scale
        oy = (i // per_row) * ch * scale + 2 * scale
        h, w = len(rows), len(rows[0])
        for y in range(-1, h * scale + 1):
            for x in (-1, w * scale):
                pix[oy + y][ox + x] = 0xE0C0E0
        for x in range(-1, w * scale + 1):
            for y in (-1, h * scale):
                pix[oy + y][ox + x] = 0xE0C0E0
        for y, r in enumerate(rows):
            for x, c in enumerate(r):
                v = COLOURS[c]
                for yy in range(scale):
                    line = pix[oy + y * scale + yy]
                    for xx in range(scale):
                        line[ox + x * scale + xx] = v
    write_png(path, pix, W, H)


# A small capital font for the words drawn above the fallen figure and the
# barking dog: 4 wide, 5 tall.
FONT = {
    "O": [".##.", "#..#", "#..#", "#..#", ".##."],
    "U": ["#..#", "#..#", "#..#", "#..#", ".##."],
    "C": [".###", "#...", "#...", "#...", ".###"],
    "H": ["#..#", "#..#", "####", "#..#", "#..#"],
    "W": ["#...#", "#...#", "#.#.#", "#.#.#", ".#.#."],
    "F": ["####", "#...", "###.", "#...", "#..."],
    "!": ["#", "#", "#", ".", "#"],
}


def word(text, colour="#", gap=1):
    rows = ["" for _ in range(5)]
    for i, letter in enumerate(text):
        glyph = FONT[letter]
        for y in range(5):
            rows[y] += ("." * gap if i else "") + glyph[y].replace("#", colour)
    return rows


def stamp(canvas, rows, left, top):
    """Draw rows onto canvas (a list of strings) with snow left see-through."""
    out = [list(r) for r in canvas]
    for y, r in enumerate(rows):
        for x, c in enumerate(r):
            if c != ".":
                out[top + y][left + x] = c
    return ["".join(r) for r in out]

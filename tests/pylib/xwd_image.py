"""Reads the screenshots xwd writes (ZPixmap, 24 or 32 bits per pixel) and the
8-bit RGB PNG files the game saves, so the desktop, Windows and release tests
can look at pixels without an image library, and writes them as PNG for a
person to look at. The one reader of these for every Python suite."""

import os
import struct
import zlib


class XwdImage:
    def __init__(self, width, height, rows, x=0, y=0):
        self.width = width
        self.height = height
        self.x = x  # where the window's top left corner is on the screen
        self.y = y
        self._rows = rows  # list of lists of 0xRRGGBB

    def pixel(self, x, y):
        return self._rows[y][x]

    def count(self, left, top, right, bottom, predicate):
        left, top = max(left, 0), max(top, 0)
        right, bottom = min(right, self.width), min(bottom, self.height)
        return sum(1 for y in range(top, bottom) for x in range(left, right)
                   if predicate(self._rows[y][x]))

    def region(self, left, top, right, bottom):
        return tuple(tuple(self._rows[y][left:right]) for y in range(top, bottom))

    def save_png(self, path):
        raw = b"".join(b"\0" + b"".join(struct.pack(">I", p)[1:] for p in row)
                       for row in self._rows)

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)
        with open(path, "wb") as out:
            out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                      chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def _shift_of(mask):
    shift = 0
    while mask and not mask & 1:
        mask >>= 1
        shift += 1
    return shift


def read_xwd(data):
    """An xwd image from its bytes or from the path of its file."""
    if isinstance(data, (str, os.PathLike)):
        with open(data, "rb") as source:
            data = source.read()
    fields = struct.unpack(">25I", data[:100])
    header_size, version, pixmap_format = fields[0], fields[1], fields[2]
    width, height = fields[4], fields[5]
    byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
    red_mask, green_mask, blue_mask = fields[14], fields[15], fields[16]
    ncolors = fields[19]
    window_x, window_y = (struct.unpack(">i", struct.pack(">I", v))[0] for v in fields[22:24])
    if version != 7 or pixmap_format != 2 or bits_per_pixel not in (24, 32):
        raise ValueError("unsupported xwd image (version %d, format %d, %d bpp)"
                         % (version, pixmap_format, bits_per_pixel))
    offset = header_size + ncolors * 12
    step = bits_per_pixel // 8
    order = "little" if byte_order == 0 else "big"
    shifts = [(m, _shift_of(m)) for m in (red_mask, green_mask, blue_mask)]
    rows = []
    for y in range(height):
        line = data[offset + y * bytes_per_line: offset + y * bytes_per_line + width * step]
        row = []
        for x in range(width):
            value = int.from_bytes(line[x * step:(x + 1) * step], order)
            r, g, b = (((value & m) >> s) & 0xFF for m, s in shifts)
            row.append(r << 16 | g << 8 | b)
        rows.append(row)
    return XwdImage(width, height, rows, window_x, window_y)


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else (b if pb <= pc else c)


def png_rows(data):
    """Width, height, bytes per pixel (3 for RGB, 4 for RGBA) and the rows,
    filters undone, of an 8-bit non-interlaced PNG, as libpng and browsers
    write them; from its bytes or from the path of its file."""
    if isinstance(data, (str, os.PathLike)):
        with open(data, "rb") as source:
            data = source.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG file")
    offset, idat, header = 8, b"", None
    while offset < len(data):
        length, kind = struct.unpack(">I4s", data[offset:offset + 8])
        body = data[offset + 8:offset + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        offset += 12 + length
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace != 0:
        raise ValueError("unsupported PNG (depth %d, colour type %d)" % (depth, colour))
    step = 3 if colour == 2 else 4
    raw, stride = zlib.decompress(idat), width * step
    rows, previous = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        if kind == 1:
            for i in range(step, stride):
                line[i] = (line[i] + line[i - step]) & 0xFF
        elif kind == 2:
            line = bytearray((a + b) & 0xFF for a, b in zip(line, previous))
        elif kind in (3, 4):
            for i in range(stride):
                left = line[i - step] if i >= step else 0
                up, corner = previous[i], previous[i - step] if i >= step else 0
                guess = (left + up) // 2 if kind == 3 else _paeth(left, up, corner)
                line[i] = (line[i] + guess) & 0xFF
        rows.append(line)
        previous = line
    return width, height, step, rows


def read_png(data):
    """An 8-bit RGB or RGBA PNG (alpha dropped) as an image of 0xRRGGBB pixels."""
    width, height, step, rows = png_rows(data)
    return XwdImage(width, height, [[line[x] << 16 | line[x + 1] << 8 | line[x + 2]
                                     for x in range(0, len(line), step)] for line in rows])

"""Reads the screenshots `xwd -root` takes (true-colour ZPixmap, as Xvfb
gives at depth 24, in 24 or 32 bits a pixel) and writes them as PNG for a person to look at."""
import struct
import zlib


class XwdImage:
    def __init__(self, data):
        fields = struct.unpack_from(">25I", data, 0)
        header_size, version, pixmap_format, depth = fields[0:4]
        self.width, self.height = fields[4], fields[5]
        byte_order, bits_per_pixel, self.stride = fields[7], fields[11], fields[12]
        red_mask, green_mask, blue_mask = fields[14], fields[15], fields[16]
        colour_count = fields[19]
        if version != 7 or pixmap_format != 2 or bits_per_pixel not in (24, 32) or depth < 24:
            raise ValueError(f"unsupported xwd: version {version} format {pixmap_format} "
                             f"depth {depth} {bits_per_pixel} bpp")
        if (red_mask, green_mask, blue_mask) != (0xFF0000, 0xFF00, 0xFF):
            raise ValueError("unsupported colour masks")
        self._little = byte_order == 0
        self._bytes_per_pixel = bits_per_pixel // 8
        self._pixels = data[header_size + 12 * colour_count:]

    def pixel(self, x, y):
        """0xRRGGBB at (x, y)."""
        at = y * self.stride + self._bytes_per_pixel * x
        raw = self._pixels[at:at + self._bytes_per_pixel]
        return int.from_bytes(raw, "little" if self._little else "big") & 0xFFFFFF

    def region(self, left, top, right, bottom):
        """Rows of 0xRRGGBB values, right and bottom exclusive."""
        return [[self.pixel(x, y) for x in range(left, right)] for y in range(top, bottom)]

    def save_png(self, path):
        rows = bytearray()
        for y in range(self.height):
            rows.append(0)
            for x in range(self.width):
                value = self.pixel(x, y)
                rows += bytes(((value >> 16) & 255, (value >> 8) & 255, value & 255))

        def chunk(kind, body):
            return (struct.pack(">I", len(body)) + kind + body +
                    struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

        with open(path, "wb") as out:
            out.write(b"\x89PNG\r\n\x1a\n")
            out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)))
            out.write(chunk(b"IDAT", zlib.compress(bytes(rows), 6)))
            out.write(chunk(b"IEND", b""))


def read_xwd(path):
    with open(path, "rb") as source:
        return XwdImage(source.read())

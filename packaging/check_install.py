#!/usr/bin/env python3
"""Installs the build into a scratch prefix and checks the desktop files:
the program, the .desktop entry, the metainfo, the man page and the hicolor
icons at 16, 32, 48 and 128 pixels, square, with a clear background."""

import argparse
import os
import struct
import subprocess
import sys
import tempfile
import zlib


def png_pixels(path):
    """Width, height and RGBA rows of an 8-bit RGBA PNG (filters undone)."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG")
    pos, idat, width = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
            if depth != 8 or colour != 6:
                raise ValueError("not 8-bit RGBA")
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = width * 4
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - 4] if i >= 4 else 0
            up = previous[i]
            corner = previous[i - 4] if i >= 4 else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                pred = left if pa <= pb and pa <= pc else up if pb <= pc else corner
                line[i] = (line[i] + pred) & 0xFF
        rows.append(bytes(line))
        previous = line
    return width, height, rows


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--build", required=True)
    parser.add_argument("--app-id", required=True)
    parser.add_argument("--bindir", default="bin", help="where the program goes, under the prefix")
    args = parser.parse_args()
    problems = []
    with tempfile.TemporaryDirectory(prefix="snowvel-install-") as prefix:
        subprocess.run(["cmake", "--install", args.build, "--prefix", prefix],
                       check=True, stdout=subprocess.DEVNULL)
        share = os.path.join(prefix, "share")
        expected = [
            os.path.join(prefix, args.bindir, "snowvel"),
            os.path.join(share, "applications", args.app_id + ".desktop"),
            os.path.join(share, "metainfo", args.app_id + ".metainfo.xml"),
            os.path.join(share, "man", "man6", "snowvel.6"),
        ]
        for path in expected:
            if not os.path.isfile(path):
                problems.append("missing " + os.path.relpath(path, prefix))
        if not os.access(expected[0], os.X_OK):
            problems.append(args.bindir + "/snowvel is not executable")
        small = None
        for size in (16, 32, 48, 128):
            path = os.path.join(share, "icons", "hicolor", "%dx%d" % (size, size), "apps",
                                args.app_id + ".png")
            if not os.path.isfile(path):
                problems.append("missing %dx%d icon" % (size, size))
                continue
            width, height, rows = png_pixels(path)
            if (width, height) != (size, size):
                problems.append("%dx%d icon is %dx%d" % (size, size, width, height))
                continue
            opaque = sum(row[i + 3] == 255 for row in rows for i in range(0, len(row), 4))
            if not 0 < opaque < size * size:
                problems.append("%dx%d icon has %d opaque pixels" % (size, size, opaque))
            if size == 32:
                small = rows
            if size == 128 and small is not None:
                # Nearest neighbour: each pixel of the 32-pixel icon is a 4x4 block.
                for y in range(128):
                    for x in range(128):
                        if rows[y][x * 4:x * 4 + 4] != small[y // 4][(x // 4) * 4:(x // 4) * 4 + 4]:
                            problems.append("128 icon is no 4x enlargement at %d,%d" % (x, y))
                            break
                    else:
                        continue
                    break
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())

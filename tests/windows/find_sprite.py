#!/usr/bin/env python3
"""Looks for one of the game's sprites in a screenshot of its window.

Usage: find_sprite.py SHOT.xwd BITMAP.bmp LEFT TOP WIDTH HEIGHT [--save SHOT.png]

LEFT TOP WIDTH HEIGHT give the window's client area on the screen. The sprite
is wanted with its bottom centre at the anchor (the horizontal centre, a third
of the way down); a few pixels of slack allow for how the window manager
reports the client area. Every pixel of the sprite that is not white (white is
its see-through ground) must be on screen exactly. Exits 0 when found.
"""
import argparse
import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "pylib"))
from xwd_image import read_xwd  # noqa: E402

WHITE = 0xFFFFFF
SLACK = 6


def read_bmp(path):
    """Rows of 0xRRGGBB from a 4- or 8-bit palette BMP, top row first."""
    data = open(path, "rb").read()
    pixels_at = struct.unpack_from("<I", data, 10)[0]
    header_size, width, height, _, bits = struct.unpack_from("<IiiHH", data, 14)
    colours = struct.unpack_from("<I", data, 46)[0] or (1 << bits)
    palette = []
    for i in range(colours):
        blue, green, red, _ = data[14 + header_size + 4 * i:14 + header_size + 4 * i + 4]
        palette.append((red << 16) | (green << 8) | blue)
    stride = ((width * bits + 31) // 32) * 4
    rows = []
    for row in range(abs(height)):
        at = pixels_at + stride * (abs(height) - 1 - row if height > 0 else row)
        line = []
        for x in range(width):
            if bits == 4:
                byte = data[at + x // 2]
                line.append(palette[(byte >> 4) if x % 2 == 0 else (byte & 15)])
            elif bits == 8:
                line.append(palette[data[at + x]])
            else:
                raise ValueError(f"{path}: {bits}-bit BMP not supported")
        rows.append(line)
    return rows


def matches(shot, sprite, left, top):
    for dy, row in enumerate(sprite):
        for dx, colour in enumerate(row):
            if colour != WHITE and shot.pixel(left + dx, top + dy) != colour:
                return False
    return True


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("shot")
    parser.add_argument("bitmap")
    parser.add_argument("area", nargs=4, type=int, metavar="N")
    parser.add_argument("--save", help="also write the screenshot as PNG")
    args = parser.parse_args()
    shot = read_xwd(args.shot)
    if args.save:
        shot.save_png(args.save)
    sprite = read_bmp(args.bitmap)
    height, width = len(sprite), len(sprite[0])
    left, top, client_width, client_height = args.area
    anchor_x, anchor_y = left + client_width // 2, top + client_height // 3
    want_left, want_top = anchor_x - width // 2, anchor_y - height
    if sum(colour != WHITE for row in sprite for colour in row) < 20:
        print(f"{args.bitmap}: too little drawn to recognise")
        return 1
    for dy in range(-SLACK, SLACK + 1):
        for dx in range(-SLACK, SLACK + 1):
            x, y = want_left + dx, want_top + dy
            if 0 <= x and 0 <= y and x + width <= shot.width and y + height <= shot.height and \
                    matches(shot, sprite, x, y):
                print(f"sprite found at ({x}, {y}), anchor ({anchor_x}, {anchor_y})")
                return 0
    print(f"sprite not found near ({want_left}, {want_top}); anchor ({anchor_x}, {anchor_y}) "
          f"of the client area {args.area}")
    return 1


if __name__ == "__main__":
    sys.exit(main())

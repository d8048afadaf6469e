#!/usr/bin/env python3
"""Looks for one of the game's sprites at the anchor of a picture of the game.

Usage: find_sprite.py BITMAP.bmp PICTURE [--area LEFT TOP WIDTH HEIGHT] [--save SHOT.png]

PICTURE is an xwd screenshot or a PNG (the page's canvas, say). --area gives
the game's client area in it (the whole picture when not given). The sprite
is wanted with its bottom centre at the anchor (the horizontal centre, a
third of the way down); a few pixels of slack allow for how the window
manager reports the client area. Every pixel of the sprite that is not white
(white is its see-through ground) must be there exactly. Exits 0 when found.
The one sprite finder of every Python suite.
"""
import argparse
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from xwd_image import read_png, read_xwd  # noqa: E402

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


def read_picture(path):
    """An xwd screenshot or a PNG, told apart by their first bytes."""
    with open(path, "rb") as source:
        data = source.read()
    return read_png(data) if data[:8] == b"\x89PNG\r\n\x1a\n" else read_xwd(data)


def anchor(width, height):
    """Where the skier stands in a client area of that size: its bottom
    centre, horizontally centred and a third of the way down."""
    return width // 2, height // 3


def matches(picture, sprite, left, top):
    for dy, row in enumerate(sprite):
        for dx, colour in enumerate(row):
            if colour != WHITE and picture.pixel(left + dx, top + dy) != colour:
                return False
    return True


def find_at_anchor(picture, sprite, area):
    """The top left corner where the sprite stands at the anchor of the
    client area (left, top, width, height), within the slack; None if not."""
    left, top, width, height = area
    anchor_x, anchor_y = anchor(width, height)
    anchor_x, anchor_y = left + anchor_x, top + anchor_y
    want_left, want_top = anchor_x - len(sprite[0]) // 2, anchor_y - len(sprite)
    for dy in range(-SLACK, SLACK + 1):
        for dx in range(-SLACK, SLACK + 1):
            x, y = want_left + dx, want_top + dy
            if 0 <= x and 0 <= y and x + len(sprite[0]) <= picture.width and \
                    y + len(sprite) <= picture.height and matches(picture, sprite, x, y):
                return x, y
    return None


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("bitmap")
    parser.add_argument("picture")
    parser.add_argument("--area", nargs=4, type=int, metavar="N",
                        help="the client area: left, top, width, height")
    parser.add_argument("--save", help="also write the picture as PNG")
    args = parser.parse_args()
    picture = read_picture(args.picture)
    if args.save:
        picture.save_png(args.save)
    sprite = read_bmp(args.bitmap)
    if sum(colour != WHITE for row in sprite for colour in row) < 20:
        print(f"{args.bitmap}: too little drawn to recognise")
        return 1
    area = args.area or [0, 0, picture.width, picture.height]
    x, y = anchor(area[2], area[3])
    at = (area[0] + x, area[1] + y)
    found = find_at_anchor(picture, sprite, area)
    if found:
        print(f"sprite found at {found}, anchor {at} of the client area {area}")
        return 0
    print(f"sprite not near the anchor {at} of the client area {area}")
    return 1


if __name__ == "__main__":
    sys.exit(main())

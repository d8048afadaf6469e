#!/usr/bin/env python3
"""Looks for one of the game's sprites with its bottom centre at the anchor
(the horizontal centre, a third of the way down) of a canvas saved as PNG.

Usage: find_sprite_png.py BITMAP.bmp CANVAS.png
"""
import os
import sys

here = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [os.path.join(here, "..", "windows"), os.path.join(here, "..", "..", "packaging")]
from check_install import png_pixels  # noqa: E402
from find_sprite import SLACK, WHITE, matches, read_bmp  # noqa: E402


class Canvas:
    def __init__(self, path):
        self.width, self.height, self.rows = png_pixels(path)

    def pixel(self, x, y):
        red, green, blue = self.rows[y][4 * x:4 * x + 3]
        return (red << 16) | (green << 8) | blue


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    sprite = read_bmp(sys.argv[1])
    canvas = Canvas(sys.argv[2])
    height, width = len(sprite), len(sprite[0])
    anchor_x, anchor_y = canvas.width // 2, canvas.height // 3
    for dy in range(-SLACK, SLACK + 1):
        for dx in range(-SLACK, SLACK + 1):
            x, y = anchor_x - width // 2 + dx, anchor_y - height + dy
            if 0 <= x and 0 <= y and x + width <= canvas.width and y + height <= canvas.height \
                    and matches(canvas, sprite, x, y):
                print(f"skier at ({x}, {y}) of the {canvas.width}x{canvas.height} canvas, "
                      f"anchor ({anchor_x}, {anchor_y})")
                return 0
    print(f"no skier at the anchor ({anchor_x}, {anchor_y}) of the "
          f"{canvas.width}x{canvas.height} canvas")
    return 1


if __name__ == "__main__":
    sys.exit(main())

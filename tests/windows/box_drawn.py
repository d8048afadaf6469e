#!/usr/bin/env python3
"""Tells whether a message box is drawn in a screenshot: its client area is
mostly the light face of a dialog, with dark text on it. A box that is up but
unpainted shows as a black (or otherwise flat) rectangle.

Usage: box_drawn.py SHOT.xwd LEFT TOP WIDTH HEIGHT [--save SHOT.png]
Exits 0 when drawn; prints what was seen either way.
"""
import argparse
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "pylib"))
from xwd_image import read_xwd  # noqa: E402


def channels(pixel):
    return (pixel >> 16) & 255, (pixel >> 8) & 255, pixel & 255


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("shot")
    parser.add_argument("area", type=int, nargs=4)
    parser.add_argument("--save")
    args = parser.parse_args()
    shot = read_xwd(args.shot)
    if args.save:
        shot.save_png(args.save)
    left, top, width, height = args.area
    area = (left, top, left + width, top + height)
    total = shot.count(*area, lambda p: True)
    light = shot.count(*area, lambda p: min(channels(p)) >= 0xC0)
    dark = shot.count(*area, lambda p: max(channels(p)) < 0x60)
    print(f"{light} light and {dark} dark of {total} pixels in the box at {left},{top} {width}x{height}")
    return 0 if total > 0 and light * 2 >= total and dark >= 10 else 1


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Installs the build into a scratch prefix and checks the desktop files:
the program, the .desktop entry, the metainfo, the man page and the hicolor
icons at 16, 32, 48 and 128 pixels, square, with a clear background."""

import argparse
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "pylib"))
from xwd_image import png_rows  # noqa: E402


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
            width, height, channels, rows = png_rows(path)
            if (width, height, channels) != (size, size, 4):
                problems.append("%dx%d icon is %dx%d with %d channels" % (size, size, width, height,
                                                                       channels))
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

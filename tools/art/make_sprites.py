"""Writes the figures' sprites (the skier, racers, dogs, boarders, gates,
moguls, the monster) as XPM files into resources/sprites/ and, with
--preview PATH, a 4x preview sheet.

Run from anywhere: python3 tools/art/make_sprites.py [--preview out.png]"""

import os
import sys

sys.dont_write_bytecode = True

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import others  # noqa: E402
import monster  # noqa: E402
import player  # noqa: E402
from xpmlib import preview, validate, xpm_text  # noqa: E402

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
OUT = os.path.join(ROOT, "resources", "sprites")


def all_sprites():
    table = {}
    for module in (player, others, monster):
        table.update(module.sprites())
    return table


def main():
    table = all_sprites()
    for number in sorted(table):
        name, width, height, rows = table[number]
        validate(rows, width, height)
        path = os.path.join(OUT, "%02d-%s.xpm" % (number, name))
        with open(path, "w") as f:
            f.write(xpm_text(number, rows))
    if "--preview" in sys.argv:
        target = sys.argv[sys.argv.index("--preview") + 1]
        preview(target, [table[n][3] for n in sorted(table)])
    print("wrote %d sprites" % len(table))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Fails when game code names an actor state, sprite, sound or string by a
bare number instead of its name (src/shell/*_ids.h, actor_states.h).

    check_bare_numbers.py SRC_DIR
"""
import pathlib
import re
import sys

# The headers that define the names are the one place their numbers belong.
DEFINITIONS = {"actor_states.h", "sprite_ids.h", "sound_ids.h", "string_ids.h"}

NUMBER = r"-?\d+"
PATTERNS = [
    (re.compile(rf"\bsetActorState\([^;]*,\s*{NUMBER}\s*\)"), "a state given by number"),
    (re.compile(rf"\bsetActorSprite\([^;]*,\s*{NUMBER}\s*\)"), "a sprite given by number"),
    (re.compile(rf"\bcreateActor(WithSprite)?\(\s*\w+\s*,\s*{NUMBER}\s*\)"),
     "an actor created from a number"),
    (re.compile(rf"\bsetGateFlag\([^;]*,\s*{NUMBER}\s*\)"), "a gate flag given by number"),
    (re.compile(rf"\bplaySound\(\s*{NUMBER}\s*\)"), "a sound played by number"),
    (re.compile(rf"\bloadString\(\s*{NUMBER}\s*\)"), "a string loaded by number"),
    # Zero is allowed: it is the lower bound of the state range.
    (re.compile(r"\b(state|State|spriteIndex)\s*(==|!=|<=|>=|<|>)\s*[1-9]\d*\b"),
     "a state or sprite compared with a number"),
    (re.compile(r"\b(newState|state)\s*=\s*-?\d+\s*;"), "a state set to a number"),
    (re.compile(r"\bcase\s+\d+\s*:"), "a case label that is a bare number"),
]


def code_of(line):
    """The line without its // comment (string literals here hold no //)."""
    return line.split("//", 1)[0]


def main():
    if len(sys.argv) != 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    root = pathlib.Path(sys.argv[1])
    files = sorted(p for p in root.rglob("*") if p.suffix in (".cpp", ".h"))
    if not files:
        print(f"check_bare_numbers: no sources under {root}", file=sys.stderr)
        return 2
    faults = 0
    for path in files:
        if path.name in DEFINITIONS:
            continue
        for number, line in enumerate(path.read_text().splitlines(), 1):
            code = code_of(line)
            for pattern, what in PATTERNS:
                if pattern.search(code):
                    print(f"{path.relative_to(root)}:{number}: {what}: {line.strip()}")
                    faults += 1
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())

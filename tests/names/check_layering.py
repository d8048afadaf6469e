#!/usr/bin/env python3
"""Fails when a file of the game (src/) includes anything but platform/win32.h,
another game header or a header of the C++ standard library: the game sees
no backend, no SDL, no test and no header of the system.

    check_layering.py SRC_DIR [GENERATED_DIR]

A game header is a file under SRC_DIR, or under GENERATED_DIR for the
headers the build writes (shell/sprite_manifest.h).
"""
import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)
ALLOWED_QUOTED = {"platform/win32.h"}
# The standard library's headers have no extension (<cstdint>, <array>).
STANDARD = re.compile(r"^[a-z_]+$")


def problems(src, generated):
    found = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in {".cpp", ".h"}:
            continue
        text = path.read_text(encoding="utf-8")
        for match in INCLUDE.finditer(text):
            kind, name = match.groups()
            line = text.count("\n", 0, match.start()) + 1
            if kind == "<":
                ok = STANDARD.match(name) is not None
            else:
                ok = (name in ALLOWED_QUOTED or (src / name).is_file() or
                      (generated is not None and (generated / name).is_file()))
            if not ok:
                shown = f"<{name}>" if kind == "<" else f'"{name}"'
                found.append(f"{path.relative_to(src.parent)}:{line}: includes {shown}")
    return found


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    src = pathlib.Path(sys.argv[1])
    generated = pathlib.Path(sys.argv[2]) if len(sys.argv) == 3 else None
    found = problems(src, generated)
    for problem in found:
        print(problem)
    if found:
        print("Game code may include only platform/win32.h, game headers and the standard "
              "library; what else it needs goes behind the Win32 API in platform/.")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Fails when a file of the game (src/) includes anything but platform/win32.h,
another game header or a header of the C++ standard library: the game sees
no backend, no SDL, no test and no header of the system. With --platform,
fails when a file of the platform includes a game header: the platform
knows the game only through the Win32 API it implements.

    check_layering.py SRC_DIR [GENERATED_DIR]
    check_layering.py --platform PLATFORM_DIR SRC_DIR [GENERATED_DIR]

A game header is a file under SRC_DIR, or under GENERATED_DIR for the
headers the build writes (shell/sprite_manifest.h). The one header between
the two, platform/win32.h, is the platform's: the game includes it, so the
platform needs no game header at all and none is allowed.
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


def is_game_header(name, src, generated):
    return (name.startswith("src/") or (src / name).is_file() or
            (generated is not None and (generated / name).is_file()))


def platform_problems(platform, src, generated):
    found = []
    for path in sorted(platform.rglob("*")):
        if path.suffix not in {".c", ".cpp", ".h", ".mm"}:
            continue
        text = path.read_text(encoding="utf-8", errors="replace")
        for match in INCLUDE.finditer(text):
            name = match.group(2)
            if is_game_header(name, src, generated):
                line = text.count("\n", 0, match.start()) + 1
                found.append(f"{path.relative_to(platform.parent)}:{line}: includes the game "
                             f"header {name}")
    return found


def main_platform(args):
    if len(args) not in (2, 3):
        sys.exit(__doc__)
    platform, src = pathlib.Path(args[0]), pathlib.Path(args[1])
    generated = pathlib.Path(args[2]) if len(args) == 3 else None
    found = platform_problems(platform, src, generated)
    for problem in found:
        print(problem)
    if found:
        print("The platform may not include the game's headers: what it needs of the game "
              "comes through the Win32 API (platform/win32.h) or from app/.")
        return 1
    return 0


def main():
    if len(sys.argv) > 1 and sys.argv[1] == "--platform":
        return main_platform(sys.argv[2:])
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

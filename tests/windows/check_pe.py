#!/usr/bin/env python3
"""Checks a built snowvel.exe without running it: the PE kind and machine,
the GUI subsystem, the DLLs it imports, and every resource it must carry
(bitmaps 1 to the count of resources/sprite_sizes.cmake and waves 1-9 byte
for byte as the build made them, strings
1-17 as the string table says, the two icon groups and the icons they name),
and, with --version, the file and product version in its version resource.

Usage: check_pe.py EXE --machine i386|amd64 --resources BUILD/resources
                     --strings resources/strings/strings.txt [--version X.Y.Z]

Prints what it found and one line per problem; exits 1 when there is any.
"""
import argparse
import re
import struct
import sys
from pathlib import Path

MACHINES = {"i386": (0x014C, 0x10B, "PE32"), "amd64": (0x8664, 0x20B, "PE32+")}
SUBSYSTEM_WINDOWS_GUI = 2
# What every Windows has; the C++ runtime must be linked in, not imported.
ALLOWED_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "winmm.dll", "msvcrt.dll"}
RT_BITMAP, RT_ICON, RT_STRING, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 2, 3, 6, 14, 16, 24
FIXED_FILE_INFO_SIGNATURE = 0xFEEF04BD
ICON_GROUPS = {"ICONSNOWVEL", "ICONSNOWVEL2"}
BITMAP_FILE_HEADER_SIZE = 14
SPRITE_LIST = Path(__file__).resolve().parents[2] / "resources" / "sprite_sizes.cmake"


def sprite_bitmap_count():
    """The length of the one list of the sprites' bitmaps (WxH entries)."""
    listing = SPRITE_LIST.read_text().split("set(SNOWVEL_SPRITE_SIZES", 1)[1].split(")", 1)[0]
    return len(re.findall(r"\b\d+x\d+\b", re.sub(r"#.*", "", listing)))


class PeImage:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("no MZ header")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        (self.machine, section_count, _, _, _, optional_size,
         self.characteristics) = struct.unpack_from("<HHIIIHH", data, pe + 4)
        optional = pe + 24
        self.magic = struct.unpack_from("<H", data, optional)[0]
        self.subsystem = struct.unpack_from("<H", data, optional + 68)[0]
        directories = optional + (96 if self.magic == 0x10B else 112)
        self.directories = [struct.unpack_from("<II", data, directories + 8 * i)
                            for i in range(16)]
        self.sections = []
        table = optional + optional_size
        for i in range(section_count):
            name, vsize, vaddr, raw_size, raw_at = struct.unpack_from("<8sIIII", data, table + 40 * i)
            self.sections.append((name.rstrip(b"\0").decode(), vaddr, max(vsize, raw_size), raw_at))

    def offset(self, rva):
        for _, vaddr, size, raw_at in self.sections:
            if vaddr <= rva < vaddr + size:
                return rva - vaddr + raw_at
        raise ValueError(f"RVA {rva:#x} lies in no section")

    def c_string(self, rva):
        at = self.offset(rva)
        return self.data[at:self.data.index(b"\0", at)].decode("ascii", "replace")

    def imports(self):
        """{dll name: [function names]} from the import directory."""
        rva, _ = self.directories[1]
        result = {}
        at = self.offset(rva)
        thunk_format, ordinal_bit = ("<I", 1 << 31) if self.magic == 0x10B else ("<Q", 1 << 63)
        thunk_size = struct.calcsize(thunk_format)
        while True:
            lookup, _, _, name, first = struct.unpack_from("<IIIII", self.data, at)
            if name == 0:
                break
            functions = []
            thunk = self.offset(lookup or first)
            while (entry := struct.unpack_from(thunk_format, self.data, thunk)[0]) != 0:
                functions.append(f"#{entry & 0xFFFF}" if entry & ordinal_bit
                                 else self.c_string((entry & 0x7FFFFFFF) + 2))
                thunk += thunk_size
            result[self.c_string(name)] = functions
            at += 20
        return result

    def resources(self):
        """{(type, name): bytes}; types and names are ints or strings."""
        rva, _ = self.directories[2]
        if rva == 0:
            return {}
        base = self.offset(rva)
        found = {}

        def label(entry_name):
            if entry_name & 0x80000000:
                at = base + (entry_name & 0x7FFFFFFF)
                length = struct.unpack_from("<H", self.data, at)[0]
                return self.data[at + 2:at + 2 + 2 * length].decode("utf-16-le")
            return entry_name

        def entries(directory):
            named, numbered = struct.unpack_from("<HH", self.data, base + directory + 12)
            for i in range(named + numbered):
                name, target = struct.unpack_from("<II", self.data, base + directory + 16 + 8 * i)
                yield label(name), target

        for kind, kind_dir in entries(0):
            for name, name_dir in entries(kind_dir & 0x7FFFFFFF):
                # The language level: the game carries one language.
                for _, leaf in entries(name_dir & 0x7FFFFFFF):
                    data_rva, size = struct.unpack_from("<II", self.data, base + leaf)
                    at = self.offset(data_rva)
                    found[(kind, name)] = self.data[at:at + size]
        return found


def string_block_texts(block_id, block):
    """The 16 strings of one RT_STRING block, keyed by string id."""
    texts, at = {}, 0
    for i in range(16):
        length = struct.unpack_from("<H", block, at)[0]
        at += 2
        if length:
            texts[(block_id - 1) * 16 + i] = block[at:at + 2 * length].decode("utf-16-le")
        at += 2 * length
    return texts


def version_nodes(block, at=0):
    """Yields (key, value bytes, is text) for a VS_VERSIONINFO node and every
    node below it; each is length, value length, type, key, then children."""
    length, value_length, is_text = struct.unpack_from("<HHH", block, at)
    end = at + length
    key_at = at + 6
    key_end = key_at
    while block[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = block[key_at:key_end].decode("utf-16-le")
    value_at = (key_end + 2 + 3) & ~3
    value_size = value_length * 2 if is_text else value_length
    yield key, block[value_at:value_at + value_size], bool(is_text)
    child = (value_at + value_size + 3) & ~3
    while child + 6 <= end:
        child_length = struct.unpack_from("<H", block, child)[0]
        if child_length == 0:
            break
        yield from version_nodes(block, child)
        child = (child + child_length + 3) & ~3


def version_problems(block, version):
    """What in a version resource disagrees with VERSION (X.Y.Z)."""
    problems = []
    wanted = [int(part) for part in version.split(".")] + [0]
    nodes = list(version_nodes(block))
    fixed = nodes[0][1]
    signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<IIIIII", fixed)
    if signature != FIXED_FILE_INFO_SIGNATURE:
        return ["the version resource has no fixed file information"]
    for name, ms, ls in (("file", file_ms, file_ls), ("product", product_ms, product_ls)):
        numbers = [ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF]
        if numbers != wanted[:4]:
            problems.append(f"fixed {name} version {numbers}, wanted {wanted[:4]}")
    texts = {key: value.decode("utf-16-le").rstrip("\0") for key, value, is_text in nodes[1:]
             if is_text}
    for key in ("FileVersion", "ProductVersion"):
        if texts.get(key) != version:
            problems.append(f"{key} {texts.get(key)!r}, wanted {version!r}")
    for key in ("ProductName", "FileDescription"):
        if not texts.get(key):
            problems.append(f"the version resource has no {key}")
    if not problems:
        print(f"  version resource: {texts['ProductName']} {version}, \"{texts['FileDescription']}\"")
    return problems


def read_string_table(path):
    """id -> text from the game's strings.txt (\\" and \\\\ the only escapes)."""
    table = {}
    for line in Path(path).read_text().splitlines():
        match = re.match(r'^\s*(\d+)\s+"((?:[^"\\]|\\.)*)"\s*$', line)
        if match:
            table[int(match.group(1))] = re.sub(r"\\(.)", r"\1", match.group(2))
    return table


def check(exe, machine, resources_dir, strings_file, version=None):
    problems = []
    image = PeImage(Path(exe).read_bytes())
    want_machine, want_magic, kind = MACHINES[machine]
    print(f"{exe}: {Path(exe).stat().st_size} bytes")
    if image.machine != want_machine or image.magic != want_magic:
        problems.append(f"machine {image.machine:#x} magic {image.magic:#x}, wanted a {kind} {machine} image")
    else:
        print(f"  {kind} ({machine})")
    if image.subsystem != SUBSYSTEM_WINDOWS_GUI:
        problems.append(f"subsystem {image.subsystem}, wanted {SUBSYSTEM_WINDOWS_GUI} (Windows GUI)")
    else:
        print("  subsystem: Windows GUI")

    imports = image.imports()
    for dll, functions in sorted(imports.items(), key=lambda item: item[0].lower()):
        print(f"  imports {dll}: {len(functions)} functions")
        if dll.lower() not in ALLOWED_DLLS:
            problems.append(f"imports {dll}, which Windows does not ship")
    for needed in ("user32.dll", "gdi32.dll", "kernel32.dll", "winmm.dll"):
        if needed not in {dll.lower() for dll in imports}:
            problems.append(f"does not import {needed}")

    found = image.resources()
    generated = Path(resources_dir)
    bitmaps = sorted(name for kind, name in found if kind == RT_BITMAP)
    waves = sorted(name for kind, name in found if kind == "WAVE")
    sprites = sprite_bitmap_count()
    if bitmaps != list(range(1, sprites + 1)):
        problems.append(f"bitmap ids {bitmaps}, wanted 1-{sprites}")
    for id in bitmaps:
        file = generated / "bitmaps" / f"{id:02d}.bmp"
        if file.exists() and found[(RT_BITMAP, id)] != file.read_bytes()[BITMAP_FILE_HEADER_SIZE:]:
            problems.append(f"bitmap {id} differs from {file}")
    if waves != list(range(1, 10)):
        problems.append(f"WAVE ids {waves}, wanted 1-9")
    for id in waves:
        file = generated / "sounds" / f"{id:02d}.wav"
        if file.exists() and found[("WAVE", id)] != file.read_bytes():
            problems.append(f"wave {id} differs from {file}")
    print(f"  resources: {len(bitmaps)} bitmaps, {len(waves)} waves")

    strings = {}
    blocks = 0
    for (kind, name), data in found.items():
        if kind == RT_STRING:
            blocks += 1
            strings.update(string_block_texts(name, data))
    wanted_strings = read_string_table(strings_file)
    if len(wanted_strings) != 17:
        problems.append(f"{strings_file} holds {len(wanted_strings)} strings, expected 17")
    if strings != wanted_strings:
        for id in sorted(set(strings) | set(wanted_strings)):
            if strings.get(id) != wanted_strings.get(id):
                problems.append(f"string {id}: {strings.get(id)!r}, wanted {wanted_strings.get(id)!r}")
    print(f"  {len(strings)} strings in {blocks} string blocks")

    # Without a manifest Windows redirects the 32-bit game's writes to the
    # Windows directory into the player's VirtualStore, which keeps its scores.
    if machine == "i386" and any(kind == RT_MANIFEST for kind, _ in found):
        problems.append("the 32-bit exe carries a manifest, so its high scores would be lost")

    groups = {name: data for (kind, name), data in found.items() if kind == RT_GROUP_ICON}
    if set(groups) != ICON_GROUPS:
        problems.append(f"icon groups {sorted(map(str, groups))}, wanted {sorted(ICON_GROUPS)}")
    for name, data in groups.items():
        count = struct.unpack_from("<H", data, 4)[0]
        # GRPICONDIRENTRY: 14 bytes, the icon's resource id last.
        ids = [struct.unpack_from("<H", data, 6 + 14 * i + 12)[0] for i in range(count)]
        missing = [id for id in ids if (RT_ICON, id) not in found]
        if count == 0 or missing:
            problems.append(f"icon group {name} has {count} images, missing icons {missing}")
        print(f"  icon group {name}: {count} images")

    if version is not None:
        blocks = [data for (kind, _), data in found.items() if kind == RT_VERSION]
        if len(blocks) != 1:
            problems.append(f"{len(blocks)} version resources, wanted one")
        else:
            problems += version_problems(blocks[0], version)
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("exe")
    parser.add_argument("--machine", choices=sorted(MACHINES), required=True)
    parser.add_argument("--resources", required=True, help="the build's resources folder")
    parser.add_argument("--strings", required=True, help="resources/strings/strings.txt")
    parser.add_argument("--version", help="the project's version, X.Y.Z")
    args = parser.parse_args()
    try:
        problems = check(args.exe, args.machine, args.resources, args.strings, args.version)
    except (OSError, ValueError, struct.error) as error:
        problems = [f"cannot read {args.exe}: {error}"]
    for problem in problems:
        print(f"FAIL: {problem}")
    print("inspection passed" if not problems else f"inspection failed: {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())

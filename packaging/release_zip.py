#!/usr/bin/env python3
"""Writes a zip whose bytes depend only on its contents: entries sorted by
name, every time stamp SOURCE_DATE_EPOCH (no earlier than 1980, which zip
cannot say), fixed permissions and no extra fields.

Usage: release_zip.py OUT.zip NAME=FILE... [DIR/]   (a folder adds every file
under it, named by its path inside the folder)
"""
import os
import sys
import time
import zipfile

ZIP_EPOCH = 315532800  # 1980-01-01, the earliest time a zip entry can hold


def entries(arguments):
    found = {}
    for argument in arguments:
        if "=" in argument:
            name, path = argument.split("=", 1)
            found[name] = path
        else:
            for folder, _, files in os.walk(argument):
                for file in files:
                    path = os.path.join(folder, file)
                    found[os.path.relpath(path, argument).replace(os.sep, "/")] = path
    return sorted(found.items())


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    epoch = max(int(os.environ.get("SOURCE_DATE_EPOCH", ZIP_EPOCH)), ZIP_EPOCH)
    stamp = time.gmtime(epoch)[:6]
    with zipfile.ZipFile(sys.argv[1], "w") as archive:
        for name, path in entries(sys.argv[2:]):
            info = zipfile.ZipInfo(name, date_time=stamp)
            info.create_system = 3  # Unix, so the permissions below are read
            info.external_attr = 0o100644 << 16
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(path, "rb") as f:
                archive.writestr(info, f.read(), compresslevel=9)


if __name__ == "__main__":
    main()

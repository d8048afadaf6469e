#!/usr/bin/env python3
"""Checks that everything naming the version agrees with the CMake project's:
the program's --version, the man page's title line, the newest AppStream
release and the newest Debian changelog entry. Prints one line per
disagreement and exits 1 when there is any."""

import argparse
import re
import subprocess
import sys
import xml.etree.ElementTree as ElementTree


def versions(args):
    """(where, version found) for each place that names one."""
    output = subprocess.run([args.program, "--version"], capture_output=True, text=True).stdout
    match = re.fullmatch(r"snowvel (\S+)\n?", output)
    yield "snowvel --version", match.group(1) if match else repr(output)

    with open(args.man) as f:
        title = next((line for line in f if line.startswith(".TH ")), "")
    match = re.search(r'"snowvel ([^"]+)"', title)
    yield "man page .TH", match.group(1) if match else repr(title)

    releases = ElementTree.parse(args.metainfo).getroot().findall("./releases/release")
    yield "metainfo newest <release>", releases[0].get("version") if releases else "none"

    with open(args.changelog) as f:
        match = re.match(r"snowvel \(([^)-]+)-[^)]+\)", f.readline())
    yield "debian/changelog", match.group(1) if match else "unreadable"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    for option in ("version", "program", "man", "metainfo", "changelog"):
        parser.add_argument("--" + option, required=True)
    args = parser.parse_args()
    problems = 0
    for where, found in versions(args):
        if found != args.version:
            print(f"{where} says {found}, the project {args.version}")
            problems += 1
    if not problems:
        print(f"all at {args.version}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())

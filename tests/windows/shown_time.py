#!/usr/bin/env python3
"""Compares the slalom time the player was shown with the one the game stored.

The "High Scores" box's text comes from Wine's message-box trace in the
game's log (WINEDEBUG trace+msgbox); the stored time from "SS=" in
tolvane.ini, where a time of t ms is kept as -t. The check fails when the
stored time is not below zero, or when the box's line marked "<-- that's
you!" shows another time than the stored one, written as the game writes
times (" 0:00:35.81").

Usage: shown_time.py GAME.LOG TOLVANE.INI
Prints what was compared, e.g. "the box shows 0:00:35.81, the file holds
SS=-35813"; exits 0 when they agree.
"""
import re
import sys

YOU = "<-- that's you!"


def run_time_text(ms):
    """A run time as the game writes it: "%2u:%2.2u:%2.2u.%2.2u"."""
    s = ms // 1000
    return f"{s // 3600:2d}:{s // 60 % 60:02d}:{s % 60:02d}.{ms % 1000 // 10:02d}"


def box_time(log_text):
    """The time on the box's "that's you" line, as the trace quotes it."""
    for line in log_text.splitlines():
        if "msgbox" not in line or YOU not in line:
            continue
        # The trace quotes the text with C escapes: lines are split at "\n".
        for part in re.split(r"\\n|\"", line):
            found = re.search(r"(\S+)\s+" + re.escape(YOU), part)
            if found:
                return found.group(1)
    return None


def stored_time(ini_text):
    in_section = False
    for line in ini_text.splitlines():
        line = line.strip()
        if line.startswith("["):
            in_section = line.lower() == "[snowvel]"
        elif in_section and line.upper().startswith("SS="):
            values = line[3:].split()
            return values[0] if values else ""
    return None


def main():
    if len(sys.argv) != 3:
        print(__doc__.strip().splitlines()[-3], file=sys.stderr)
        return 2
    with open(sys.argv[1], errors="replace") as log:
        shown = box_time(log.read())
    with open(sys.argv[2], errors="replace") as ini:
        stored = stored_time(ini.read())
    said = (f"the box shows {shown if shown is not None else '(no time found in the log)'}, "
            f"the file holds SS={stored if stored is not None else '(none)'}")
    if shown is None or stored is None or not re.fullmatch(r"-?\d+", stored):
        print(said)
        return 1
    ms = -int(stored)
    if ms <= 0:
        print(f"{said}: the stored time is not below zero, so the run's time was not above it")
        return 1
    expected = run_time_text(ms).strip()
    if shown != expected:
        print(f"{said}: the stored time reads {expected}")
        return 1
    print(said)
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Measures the whole game process's CPU use in a real window under Xvfb:
while skiing (straight downhill, the 40 ms clock running) and while paused.
Not a test: prints the figures.

    tests/desktop/measure_cpu.py --snowvel build/default/app/snowvel [--seconds 20]"""

import argparse
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop_session import PAUSED_TITLE, Desktop, poll  # noqa: E402

TICKS_PER_SECOND = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    """User and system CPU time of every thread of the process so far."""
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS_PER_SECOND


def measure(game, seconds, every_second=None):
    cpu_before, wall_before = cpu_seconds(game.pid), time.monotonic()
    while time.monotonic() - wall_before < seconds:
        if every_second:
            every_second()
        time.sleep(1.0)
    cpu = cpu_seconds(game.pid) - cpu_before
    return 100.0 * cpu / (time.monotonic() - wall_before)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--snowvel", required=True)
    parser.add_argument("--seconds", type=float, default=20.0)
    parser.add_argument("--scale", default="1")
    args = parser.parse_args()
    desk = Desktop(os.path.abspath(args.snowvel))
    try:
        desk.start()
        game = desk.start_game("--scale", args.scale)
        window = desk.wait_for_window(game)
        desk.focus(window)
        # Straight downhill, the view scrolling every tick; Down again each
        # second gets the skier up after a crash.
        skiing = measure(game, args.seconds, lambda: desk.key("Down"))
        print("skiing: %.2f%% of one core over %.0f s" % (skiing, args.seconds))
        desk.key("F3")
        poll("the pause", lambda: desk.title(window) == PAUSED_TITLE)
        print("paused: %.2f%% of one core over %.0f s" % (measure(game, args.seconds), args.seconds))
    finally:
        desk.stop()


if __name__ == "__main__":
    main()

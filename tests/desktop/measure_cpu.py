#!/usr/bin/env python3
"""Measures the whole game process's CPU use in a real window under Xvfb
with openbox: while skiing (straight downhill, the 40 ms clock running) and
while paused; with --fullscreen in borderless fullscreen on a screen of
--screen. Not a test: prints the figures.

    tests/desktop/measure_cpu.py --snowvel build/default/app/snowvel [--seconds 20]
        [--scale N] [--screen 1920x1080 --fullscreen]"""

import argparse
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop_session import PAUSED_TITLE, Desktop, VirtualPads, poll  # noqa: E402

TICKS_PER_SECOND = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    """User and system CPU time of every thread of the process so far."""
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS_PER_SECOND


def peak_mb(pid):
    with open("/proc/%d/status" % pid) as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1]) / 1024
    return 0.0


def measure(game, seconds, every_second=None):
    cpu_before, wall_before = cpu_seconds(game.pid), time.monotonic()
    while time.monotonic() - wall_before < seconds:
        if every_second:
            every_second()
        time.sleep(1.0)
    cpu = cpu_seconds(game.pid) - cpu_before
    return cpu, 100.0 * cpu / (time.monotonic() - wall_before)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--snowvel", required=True)
    parser.add_argument("--seconds", type=float, default=20.0)
    parser.add_argument("--scale", default="1")
    parser.add_argument("--screen", default="1280x1024")
    parser.add_argument("--fullscreen", action="store_true")
    parser.add_argument("--pad-driver", help="plug in one virtual controller through this driver")
    args = parser.parse_args()
    desk = Desktop(os.path.abspath(args.snowvel), screen=args.screen,
                   pad_driver=os.path.abspath(args.pad_driver) if args.pad_driver else None)
    label = "native, %s%s scale %s%s" % ("fullscreen " if args.fullscreen else "window on ",
                                          args.screen, args.scale,
                                          ", a controller" if args.pad_driver else "")
    try:
        desk.start()
        extra = ["--fullscreen"] if args.fullscreen else []
        pads = VirtualPads(desk) if args.pad_driver else None
        game = desk.start_game("--scale", args.scale, *extra, "nosound",
                               extra_env=pads.env if pads else None)
        window = desk.wait_for_window(game)
        desk.focus(window)
        if pads:
            pads.send("plug 0")
        if args.fullscreen:
            size = tuple(int(n) for n in args.screen.split("x"))
            poll("the window to fill the screen",
                 lambda: (desk.screenshot(window).width, desk.screenshot(window).height) == size)
        time.sleep(1.0)
        # Straight downhill, the view scrolling every tick; Down again each
        # second gets the skier up after a crash.
        cpu, share = measure(game, args.seconds, lambda: desk.key("Down"))
        print("%-48s cpu %6.2f s = %5.2f%% of one core, peak RSS %6.1f MB"
              % (label + ", skiing", cpu, share, peak_mb(game.pid)))
        desk.key("F3")
        poll("the pause", lambda: desk.title(window) == PAUSED_TITLE)
        time.sleep(1.0)
        cpu, share = measure(game, args.seconds)
        print("%-48s cpu %6.2f s = %5.2f%% of one core, peak RSS %6.1f MB"
              % (label + ", paused", cpu, share, peak_mb(game.pid)))
    finally:
        desk.stop()


if __name__ == "__main__":
    main()

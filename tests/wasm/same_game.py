#!/usr/bin/env python3
"""The WebAssembly driver under Node plays the same game as the native one.

Each case runs the headless driver twice, natively and as WebAssembly under
Node, from empty data folders, and wants the end-state dumps and the files
the game wrote (the high-score file) equal byte for byte. Random cases also
record the native run and play the recording back under Node, which checks
every clock reading, box and sound on the way, not just the end.

Groups: scripted (the slope scripts at several seeds and screen sizes),
random (long seeded random play, of the soak's kind), replays (recordings
such as the golden ones: played back natively and under Node, and compared
with the dump recorded beside them), soak (the soak program built for both).
"""
import argparse
import difflib
import os
import random
import re
import subprocess
import sys
import tempfile
import time
from pathlib import Path

# (name, seed, screen, ticks, script, tail)
SCRIPTED = [
    ("slope-1024", 31337, "1024x768", 600, "down_the_slope.txt", ""),
    ("slope-eaten", 4242, "1024x768", 2510, "down_the_slope.txt", ""),
    ("slope-320", 4000000000, "320x240", 1500, "down_the_slope.txt", ""),
    ("slope-1920", 99, "1920x1080", 1500, "down_the_slope.txt", "nosound"),
    ("idle-640", 1, "640x480", 400, None, ""),
]

# (name, seed, screen, ticks): the script is drawn from the seed.
RANDOM = [
    ("random-640", 20240, "640x480", 6000),
    ("random-1280", 777777, "1280x1024", 6000),
    ("random-long", 0xFFFFF000, "800x600", 24000),
]

STEERING = ["LEFT", "RIGHT", "DOWN", "UP", "HOME", "END", "PAGEUP", "PAGEDOWN", "INSERT",
            "NUMPAD0", "NUMPAD1", "NUMPAD2", "NUMPAD3", "NUMPAD4", "NUMPAD6", "NUMPAD7",
            "NUMPAD8", "NUMPAD9", "DOWN", "DOWN"]
CHARACTERS = "frtxyXYa5"


def random_script(seed, screen, ticks):
    """A hand at the controls much like the soak's, blind to the game: it
    steers, types, moves and clicks the mouse, pauses, minimises, loses the
    focus, resizes, and starts new games now and then (Enter after a meal)."""
    width, height = (int(v) for v in screen.split("x"))
    pick = random.Random(seed)
    lines = []
    for period in range(1, ticks):
        roll = pick.randrange(10000)
        if roll < 1500:
            lines.append(f"{period} key {pick.choice(STEERING)}")
        elif roll < 1800:
            lines.append(f"{period} char {pick.choice(CHARACTERS)}")
        elif roll < 2300:
            x, y = pick.randrange(-20, width + 20), pick.randrange(-20, height + 20)
            lines.append(f"{period} mouse {x} {y}")
        elif roll < 2400:
            lines.append(f"{period} mouse {pick.randrange(width)} {pick.randrange(height)}")
            lines.append(f"{period} click")
        elif roll < 2420:
            lines.append(f"{period} key F3")  # a pause; the next F3 ends it
        elif roll < 2430:
            lines.append(f"{period} key ESCAPE")
            lines.append(f"{period + 1 + pick.randrange(50)} restore")
        elif roll < 2440:
            lines.append(f"{period} deactivate")
            lines.append(f"{period + 1 + pick.randrange(50)} activate")
        elif roll < 2450:
            lines.append(f"{period} resize {120 + pick.randrange(width - 120)} "
                         f"{100 + pick.randrange(height - 100)}")
        elif roll < 2453:
            lines.append(f"{period} key F2")
        elif roll < 2500:
            lines.append(f"{period} key RETURN")
    # Periods never go backwards in a script.
    lines.sort(key=lambda line: int(line.split()[0]))
    return "# drawn by same_game.py from seed %d\n" % seed + "\n".join(lines) + "\n"


class Runner:
    def __init__(self, args, work):
        self.native = [args.native]
        self.wasm = [args.node, args.wasm]
        self.work = work
        self.runs = 0
        self.seconds = {"native": 0.0, "wasm": 0.0}

    def run(self, kind, args):
        """Runs one driver from a fresh data folder; returns (dump, files)."""
        self.runs += 1
        folder = self.work / f"run-{self.runs}-{kind}"
        data = folder / "data"
        data.mkdir(parents=True)
        dump = folder / "dump.json"
        command = (self.native if kind == "native" else self.wasm) + [
            "--headless", "--data-dir", str(data), "--dump", str(dump)] + args
        start = time.monotonic()
        result = subprocess.run(command, capture_output=True, text=True, cwd=folder)
        self.seconds[kind] += time.monotonic() - start
        if result.returncode != 0:
            raise Failure(f"{kind} run exited {result.returncode}: {' '.join(command)}\n"
                          f"{result.stderr.strip()}")
        # A kept run's name holds the date it was saved: the wall clock's.
        files = {re.sub(r"_[0-9]{8}-[0-9]{6}_", "_DATE_", p.relative_to(data).as_posix()):
                 p.read_bytes() for p in sorted(data.rglob("*")) if p.is_file()}
        return dump.read_bytes(), files


class Failure(Exception):
    pass


def first_difference(name, native, wasm):
    diff = difflib.unified_diff(native.decode(errors="replace").splitlines(),
                                wasm.decode(errors="replace").splitlines(),
                                f"native {name}", f"wasm {name}", n=3, lineterm="")
    return "\n".join(list(diff)[:40])


def expect_same(name, native, wasm):
    native_dump, native_files = native
    wasm_dump, wasm_files = wasm
    if native_dump != wasm_dump:
        raise Failure("end states differ\n" + first_difference("dump", native_dump, wasm_dump))
    if native_files.keys() != wasm_files.keys():
        raise Failure(f"data files differ: native {sorted(native_files)}, "
                      f"wasm {sorted(wasm_files)}")
    for path in native_files:
        if native_files[path] != wasm_files[path]:
            raise Failure(f"{path} differs\n" +
                          first_difference(path, native_files[path], wasm_files[path]))


def scripted_cases(args, runner):
    for name, seed, screen, ticks, script, tail in SCRIPTED:
        run_args = ["--seed", str(seed), "--screen", screen, "--ticks", str(ticks)]
        if script:
            run_args += ["--input", str(Path(args.scripts) / script)]
        if tail:
            run_args.append(tail)
        yield name, lambda a=run_args: expect_same(
            name, runner.run("native", a), runner.run("wasm", a))


def random_cases(args, runner):
    for name, seed, screen, ticks in RANDOM:
        def case(name=name, seed=seed, screen=screen, ticks=ticks):
            script = runner.work / f"{name}.txt"
            script.write_text(random_script(seed, screen, ticks))
            recording = runner.work / f"{name}.replay"
            run_args = ["--seed", str(seed), "--screen", screen, "--ticks", str(ticks),
                        "--input", str(script)]
            native = runner.run("native", run_args + ["--record", str(recording)])
            expect_same(name, native, runner.run("wasm", run_args))
            # The playback checks the stream item by item and the end state.
            runner.run("wasm", ["--replay", str(recording)])
        yield name, case


def is_recording(path):
    if not path.is_file():
        return False
    with path.open("rb") as f:
        return f.read(15) == b"snowvel-replay "


def replay_cases(args, runner):
    folder = Path(args.replays) if args.replays else None
    recordings = sorted(p for p in folder.rglob("*") if is_recording(p)) \
        if folder and folder.is_dir() else []
    if not recordings:
        print(f"no recordings in {args.replays or '(none given)'}: nothing to play back")
    for recording in recordings:
        def case(recording=recording):
            run_args = ["--replay", str(recording)]
            wasm = runner.run("wasm", run_args)
            expect_same(recording.stem, runner.run("native", run_args), wasm)
            # A recording may keep its recorder's dump beside it.
            recorded = recording.with_suffix(".json")
            if recorded.is_file() and recorded.read_bytes() != wasm[0]:
                raise Failure("the end state differs from the recorded one\n" +
                              first_difference("dump", recorded.read_bytes(), wasm[0]))
        yield recording.stem, case


def soak_cases(args, runner):
    """The soak itself, built for both, with the world's invariants and the
    repaint checked all the way: every seed's summary, with its digest of the
    game's state after every tick, must be the same."""
    def case():
        summaries = {}
        for kind, command in (("native", [args.native_soak]),
                              ("wasm", [args.node, args.wasm_soak])):
            start = time.monotonic()
            result = subprocess.run(command + ["--ticks", str(args.soak_ticks)],
                                    capture_output=True, text=True, cwd=runner.work)
            runner.seconds[kind] += time.monotonic() - start
            runner.runs += 1
            if result.returncode != 0:
                raise Failure(f"{kind} soak exited {result.returncode}\n{result.stdout[-3000:]}")
            summaries[kind] = [line for line in result.stdout.splitlines()
                               if line.startswith("seed ")]
        if not summaries["native"] or summaries["native"] != summaries["wasm"]:
            raise Failure("the soaks went differently\n" + "\n".join(
                difflib.unified_diff(summaries["native"], summaries["wasm"], "native", "wasm",
                                     lineterm="")))
        print("\n".join(summaries["wasm"]))
    yield f"soak-{args.soak_ticks}", case


GROUPS = {"scripted": scripted_cases, "random": random_cases, "replays": replay_cases,
          "soak": soak_cases}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("group", choices=sorted(GROUPS))
    parser.add_argument("--native", required=True, help="the native snowvel")
    parser.add_argument("--wasm", required=True, help="the WebAssembly snowvel.js")
    parser.add_argument("--node", default="node")
    parser.add_argument("--scripts", help="folder of the slope input scripts")
    parser.add_argument("--replays", help="folder of recordings to play back")
    parser.add_argument("--native-soak", help="the native soak")
    parser.add_argument("--wasm-soak", help="the WebAssembly soak.js")
    parser.add_argument("--soak-ticks", type=int, default=30000)
    args = parser.parse_args()
    # Each run starts in a folder of its own.
    for name in ("native", "wasm", "scripts", "replays", "native_soak", "wasm_soak"):
        if getattr(args, name):
            setattr(args, name, os.path.abspath(getattr(args, name)))

    failures = 0
    with tempfile.TemporaryDirectory(prefix="snowvel-wasm-") as work:
        runner = Runner(args, Path(work))
        for name, case in GROUPS[args.group](args, runner):
            try:
                case()
                print(f"same   {name}")
            except Failure as failure:
                failures += 1
                print(f"DIFFER {name}: {failure}")
            sys.stdout.flush()
        print(f"{runner.runs} runs; native {runner.seconds['native']:.1f} s, "
              f"wasm under node {runner.seconds['wasm']:.1f} s")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

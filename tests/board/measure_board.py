#!/usr/bin/env python3
"""scripts/measure board: the board on loopback, bounded in count and time.

  measure_board.py --board PATH --snowvel PATH --verifier PATH --run FILE

FILE is a kept run of a 3-minute slalom session. Prints verifications per
second of it (each a child started as the board starts one, as many at once
as cores) by `snowvel --verify` and by the board's verifier, with each
child's peak memory; the p99 latency of accepted submissions sent at 10 a
second, each re-skiing that session; board reads per second (a top ten);
and the peak memory of the board process."""
import argparse
import concurrent.futures
import os
import pathlib
import resource
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import board_session as session  # noqa: E402

# Answers each made-up run's own line, but only after re-skiing the real
# session as the board's verifier: a board's work per submission, with runs
# that are all different.
RESKIING_VERIFIER = """#!/bin/sh
line="$(sed -n 's/^run \\(.*\\)/ok \\1/p' | head -n 1)"
"$MEASURE_VERIFIER" --verify < "$MEASURE_RUN" > /dev/null || exit 3
echo "$line"
"""


def verify_once(command, run):
    return subprocess.run(command, input=run, text=True, capture_output=True).stdout


def child_cpu():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime


def peak_kb(command, run):
    """The child's own peak resident memory (GNU time; a child forked from
    Python would count Python's pages as its own), or None."""
    if not os.path.exists("/usr/bin/time"):
        return None
    timed = subprocess.run(["/usr/bin/time", "-f", "%M", *command], input=run, text=True,
                           capture_output=True)
    return int(timed.stderr.split()[-1])


def verifications(command, run, count, cores):
    cpu = child_cpu()
    start = time.monotonic()
    with concurrent.futures.ThreadPoolExecutor(cores) as pool:
        answers = set(pool.map(lambda _: verify_once(command, run), range(count)))
    elapsed = time.monotonic() - start
    cpu = (child_cpu() - cpu) / count
    assert all(a.startswith("ok ") for a in answers), answers
    kb = peak_kb(command, run)
    print(f"verifications: {count / elapsed:.1f}/s by {' '.join(command)} ({count} runs of "
          f"{len(run)} bytes, {cores} at once, child start included, load average "
          f"{os.getloadavg()[0]:.1f}; {answers.pop().strip()})")
    print(f"  {cpu * 1000:.1f} ms of CPU each, so {cores / cpu:.0f}/s on {cores} idle cores; "
          + (f"child peak {kb / 1024:.1f} MB resident" if kb else "no /usr/bin/time for its memory"))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--board", required=True)
    parser.add_argument("--snowvel", required=True)
    parser.add_argument("--verifier", required=True)
    parser.add_argument("--run", required=True)
    args = parser.parse_args()
    run = pathlib.Path(args.run).read_text()
    cores = os.cpu_count() or 1
    verifications([args.snowvel, "--verify"], run, 20 * cores, cores)
    verifications([args.verifier, "--verify"], run, 100 * cores, cores)

    folder = pathlib.Path(tempfile.mkdtemp(prefix="snowvel-measure-"))
    verifier = folder / "reskiing_verifier"
    verifier.write_text(RESKIING_VERIFIER)
    verifier.chmod(0o755)
    os.environ.update(MEASURE_VERIFIER=str(pathlib.Path(args.verifier).resolve()),
                      MEASURE_RUN=str(pathlib.Path(args.run).resolve()))
    board = session.Board(args, str(folder / "board.sqlite"), str(verifier), "--rate", "0")
    try:
        latencies = []

        def send(seed):
            begun = time.monotonic()
            status = board.send(f"m{seed}", session.made_up_run(seed, 100000 + seed))[0]
            latencies.append((status, time.monotonic() - begun))
        with concurrent.futures.ThreadPoolExecutor(16) as pool:
            for seed in range(200):
                pool.submit(send, seed)
                time.sleep(0.1)  # ten a second
        times = sorted(t for status, t in latencies if status == 200)
        others = sorted({status for status, _ in latencies} - {200})
        p99 = times[max(0, int(0.99 * len(times)) - 1)] * 1000 if times else float("nan")
        print(f"accepted at 10/s: {len(times)} of 200 (others answered {others}), p99 {p99:.0f} ms"
              " (each re-skiing the session with the board's verifier, SQLite)")
        reads = 3000
        start = time.monotonic()
        with concurrent.futures.ThreadPoolExecutor(8) as pool:
            list(pool.map(lambda _: board.request("GET", "/api/board/slalom"), range(reads)))
        print(f"board reads: {reads / (time.monotonic() - start):.0f}/s (top ten, 8 clients)")
        status = pathlib.Path(f"/proc/{board.process.pid}/status").read_text()
        peak = next(line.split()[1] for line in status.splitlines() if line.startswith("VmHWM"))
        print(f"board process: peak {int(peak) / 1024:.1f} MB resident")
    finally:
        board.stop()
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()

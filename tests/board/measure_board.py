#!/usr/bin/env python3
"""scripts/measure board: the board on loopback, bounded in count and time.

  measure_board.py --board PATH --snowvel PATH

Prints verifications per second (the verifier started as the board starts
it, as many at once as cores), the p99 latency of accepted submissions sent
at 10 a second, board reads per second (a top ten), and the peak memory of
a board process and of a verifier child."""
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


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--board", required=True)
    parser.add_argument("--snowvel", required=True)
    args = parser.parse_args()
    command = [args.snowvel, "--verify"]
    cores = os.cpu_count() or 1

    count = 40 * cores
    start = time.monotonic()
    with concurrent.futures.ThreadPoolExecutor(cores) as pool:
        answers = list(pool.map(lambda _: subprocess.run(command, input=session.KEPT_RUN,
                                                         text=True, capture_output=True).stdout,
                                range(count)))
    elapsed = time.monotonic() - start
    assert all(a.startswith("ok ") for a in answers), answers[:3]
    child_kb = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
    print(f"verifications: {count / elapsed:.1f}/s ({count} runs, {cores} at once, "
          "snowvel --verify, child start included)")
    print(f"verifier child: peak {child_kb / 1024:.1f} MB resident")

    folder = pathlib.Path(tempfile.mkdtemp(prefix="snowvel-measure-"))
    board = session.Board(args, str(folder / "board.sqlite"), str(session.HERE / "trusting_verifier"),
                          "--rate", "0")
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
        print(f"accepted at 10/s: {len(times)} of 200 (others answered {others}), p99 {times[int(0.99 * len(times)) - 1] * 1000:.0f} ms"
              " (verifier stubbed: the board and its SQLite)")
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

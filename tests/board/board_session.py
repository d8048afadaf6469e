#!/usr/bin/env python3
"""snowvel-board end to end, on loopback: boards started as separate
processes, a scratch PostgreSQL started by the test itself, runs sent over
HTTP as the page sends them.

  board_session.py --board PATH --verifier PATH SCENARIO
  SCENARIO: sqlite (re-skied runs, tampered copies, the page's headers),
            hostile (bad bodies, links and names), postgres (two boards on
            one database: shared listing, name races, kill -9 during a
            burst, the database restarted under load)
"""
import argparse
import base64
import concurrent.futures
import glob
import http.client
import json
import os
import pathlib
import pwd
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import threading

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "pylib"))
from polling import poll  # noqa: E402

HERE = pathlib.Path(__file__).resolve().parent
KEPT_RUN = (HERE.parent / "runs" / "slalom-run.replay").read_text()
SKIP = 77
# What a client sees of a board killed while it answers.
BROKEN = (OSError, http.client.HTTPException, ValueError)


def made_up_run(seed, result, course="SS"):
    """A run that parses but was never skied: for the verifier that trusts."""
    return KEPT_RUN.replace("seed 1000\n", f"seed {seed}\n").replace(
        "run SS 84322\n", f"run {course} {result}\n")


class Board:
    def __init__(self, args, db, verifier, *extra):
        self.command = [args.board, "--listen", "127.0.0.1:0", "--db", db,
                        "--verifier", verifier, *extra]
        self.log = []
        self.start()

    def start(self):
        self.process = subprocess.Popen(self.command, stderr=subprocess.PIPE, text=True)
        first = self.process.stderr.readline()
        if "listening on http://" not in first:
            self.process.kill()
            self.process.wait()
            raise AssertionError("the board did not start: " + first)
        self.host, port = first.split("http://")[1].split()[0].split(":")
        self.port = int(port)
        threading.Thread(target=self._drain, args=(self.process,), daemon=True).start()

    def _drain(self, process):
        for line in process.stderr:
            self.log.append(line.rstrip("\n"))

    def request(self, method, path, body=None, headers=None, timeout=30):
        connection = http.client.HTTPConnection(self.host, self.port, timeout=timeout)
        try:
            if isinstance(body, dict):
                body = json.dumps(body).encode()
            all_headers = {"Content-Type": "application/json"}
            all_headers.update(headers or {})
            connection.request(method, path, body=body, headers=all_headers)
            response = connection.getresponse()
            data = response.read()
            return response.status, dict(response.getheaders()), data
        finally:
            connection.close()

    def send(self, name, run, token=None, headers=None):
        body = {"name": name, "run": run}
        if token is not None:
            body["token"] = token
        status, _, data = self.request("POST", "/api/runs", body, headers)
        return status, json.loads(data)

    def board(self, course="slalom", limit=1000):
        status, headers, data = self.request("GET", f"/api/board/{course}?limit={limit}")
        assert status == 200, (status, data)
        assert headers.get("Cache-Control") == "no-store", headers
        return json.loads(data)

    def healthy(self):
        try:
            return self.request("GET", "/api/health", timeout=5)[0] == 200
        except OSError:
            return False

    def kill(self):
        self.process.send_signal(signal.SIGKILL)
        self.process.wait()

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.kill()
                raise AssertionError("the board did not stop on SIGTERM")


def expect_refusal(answer, status, words):
    got_status, body = answer
    assert got_status == status, (status, answer)
    assert list(body) == ["error"] and "\n" not in body["error"], answer
    assert words in body["error"], (words, answer)


def scenario_sqlite(args, folder):
    site = folder / "site"
    site.mkdir()
    (site / "index.html").write_text("<!doctype html><title>page</title>")
    board = Board(args, str(folder / "data" / "board.sqlite"), args.verifier, "--site", str(site))
    try:
        status, headers, data = board.request("GET", "/")
        assert status == 200 and b"page" in data, (status, data)
        assert "'self'" in headers.get("Content-Security-Policy", ""), headers
        assert headers.get("Snowvel-Board") == "yes", headers  # the page's Board panel
        status, headers, _ = board.request("HEAD", "/")  # as the page asks
        assert status == 200 and headers.get("Snowvel-Board") == "yes", (status, headers)
        # Nothing outside the site is served: not by "..", not by a link out of it.
        (folder / "secret.txt").write_text("secret")
        (site / "out.txt").symlink_to(folder / "secret.txt")
        for path in ("/out.txt", "/../secret.txt", "/%2e%2e/secret.txt", "/..%2fsecret.txt"):
            status, _, data = board.request("GET", path)
            assert status == 404 and b"secret" not in data, (path, status, data)
        assert board.healthy()

        status, answer = board.send("Ana", KEPT_RUN)
        assert status == 200, answer
        assert answer["accepted"] is True and answer["course"] == "slalom", answer
        assert answer["result"] == 84322 and answer["rank"] == 1, answer
        token = answer["token"]
        assert len(token) == 64, answer
        listed = board.board()
        assert [(e["name"], e["result"]) for e in listed] == [("Ana", 84322)], listed
        assert listed[0]["link"].startswith("#run="), listed

        # The same run from its link, whoever sends it, is entered once.
        expect_refusal(board.send("Ana", listed[0]["link"], token), 409, "already on the board")
        expect_refusal(board.send("Bo", "https://x.example/#" + listed[0]["link"][1:]), 409,
                       "already on the board")
        # A claimed name needs its token.
        expect_refusal(board.send("Ana", made_up_run(5, 1000)), 403, "taken")

        # Tampered: the result line changed, or one input moved.
        faster = KEPT_RUN.replace("run SS 84322\n", "run SS 80000\n")
        expect_refusal(board.send("Ana", faster, token), 422, "does not reach")
        lines = KEPT_RUN.split("\n")
        at = lines.index("e 0 key 40 0")
        lines[at], lines[at + 1] = lines[at + 1], lines[at]
        expect_refusal(board.send("Ana", "\n".join(lines), token), 422, "does not reach")
        assert len(board.board()) == 1
    finally:
        board.stop()
    # What was accepted outlives the process.
    board.start()
    try:
        assert [e["name"] for e in board.board()] == ["Ana"]
    finally:
        board.stop()


def bomb_link():
    """A packed run that claims a gigabyte: refused before unpacking."""
    claimed = bytearray(b"SR1")
    size = 1 << 30
    while True:
        byte = size & 0x7F
        size >>= 7
        claimed.append(byte | (0x80 if size else 0))
        if not size:
            break
    claimed += b"\x05hello"
    return "#run=" + base64.urlsafe_b64encode(bytes(claimed)).decode().rstrip("=")


def scenario_hostile(args, folder):
    board = Board(args, str(folder / "board.sqlite"), str(HERE / "trusting_verifier"),
                  "--rate", "40")
    try:
        link = "#run=" + base64.urlsafe_b64encode(b"SR1").decode().rstrip("=")
        for name in ["", "x" * 17, "é" * 17, "a\x07b", "a\u200bb", "\u202eevil", "tag\U000e0041",
                     " lead", "a\u00adb", "\ufeffbom"]:
            expect_refusal(board.send(name, KEPT_RUN), 400, "name")
        for run, words in [(link, ""), (bomb_link(), "over the limit"), ("#run=" + "A" * 3000, ""),
                           ("\x00\xff binary", ""), (KEPT_RUN[: len(KEPT_RUN) // 2], "cannot be read"),
                           (KEPT_RUN.replace("run SS 84322\n", ""), "not a kept run")]:
            expect_refusal(board.send("Cy", run), 400, words)
        for body in [b"\xff\xfe{", b"[" * 100000, b'{"name": "Cy"}', b"null", b'{"name": "a\xc0\xafb", "run": "x"}',
                     b'{"name": "Cy", "run": 5}', b'{"name": "Cy", "run": "x", "token": "nope"}']:
            status, _, data = board.request("POST", "/api/runs", body)
            assert status == 400 and "error" in json.loads(data), (body[:20], status, data)
        status, _, data = board.request("POST", "/api/runs", b"x" * (2 << 20))
        assert status == 413 and "too large" in json.loads(data)["error"], (status, data)
        expect_refusal(board.send("Cy", KEPT_RUN, headers={"Origin": "http://evil.example"}), 403,
                       "page")

        # A name that looks like SQL is a name, shown as it was sent.
        sly = "x'); DROP--"
        status, answer = board.send(sly, made_up_run(7, 90000))
        assert status == 200, answer
        assert [e["name"] for e in board.board()] == [sly]
        status, answer = board.send("Émile ☃", made_up_run(8, 95000))
        assert status == 200, answer

        # The address runs out of its share of submissions.
        answers = [board.send("Cy", "x")[0] for _ in range(45)]
        assert 429 in answers, answers
        assert all(line.count("\n") == 0 for line in board.log)
    finally:
        board.stop()


class Postgres:
    """A scratch server in a temp folder on a free loopback port; run as
    nobody when the test is root, since the server refuses root."""

    def __init__(self, folder):
        found = sorted(glob.glob("/usr/lib/postgresql/*/bin/initdb"))
        if not found:
            print("PostgreSQL is not installed (scripts/install-deps --board)")
            sys.exit(SKIP)
        self.bin = pathlib.Path(found[-1]).parent
        self.folder = folder / "pg"
        self.folder.mkdir()
        self.as_user = []
        if os.geteuid() == 0:
            user = pwd.getpwnam("nobody")
            os.chown(self.folder, user.pw_uid, user.pw_gid)
            self.as_user = ["runuser", "-u", "nobody", "--"]
        with socket.socket() as probe:
            probe.bind(("127.0.0.1", 0))
            self.port = probe.getsockname()[1]
        self.run("initdb", "-D", str(self.folder / "data"), "-A", "trust", "-U", "board",
                 "--no-sync")
        self.start()
        self.url = f"postgres://board@127.0.0.1:{self.port}/postgres"

    def run(self, tool, *arguments):
        subprocess.run(self.as_user + [str(self.bin / tool), *arguments], check=True,
                       stdout=subprocess.DEVNULL, cwd="/", timeout=120)

    def start(self):
        self.run("pg_ctl", "-D", str(self.folder / "data"), "-l", str(self.folder / "log"), "-w",
                 "-o", f"-p {self.port} -k {self.folder} -c listen_addresses=127.0.0.1 "
                 "-c fsync=off -c max_connections=100", "start")

    def stop(self):
        self.run("pg_ctl", "-D", str(self.folder / "data"), "-m", "fast", "-w", "stop")


def send_all(board, runs, name_of):
    """Sends runs at once from a few threads; the answers, or None for a
    connection that broke."""
    def one(item):
        seed, run = item
        try:
            return seed, board.send(name_of(seed), run)
        except BROKEN:
            return seed, None
    with concurrent.futures.ThreadPoolExecutor(8) as pool:
        return dict(pool.map(one, runs))


def scenario_postgres(args, folder):
    database = Postgres(folder)
    trusting = str(HERE / "trusting_verifier")
    boards = []
    try:
        first = Board(args, database.url, trusting, "--rate", "0")
        boards.append(first)
        second = Board(args, database.url, trusting, "--rate", "0")
        boards.append(second)
        status, answer = first.send("Ana", made_up_run(1, 84322))
        assert status == 200, answer
        assert [e["name"] for e in second.board()] == ["Ana"]
        expect_refusal(second.send("Bo", made_up_run(1, 84322)), 409, "already")

        # One name claimed through both boards at once: one owner.
        for round_ in range(6):
            name = f"race{round_}"
            with concurrent.futures.ThreadPoolExecutor(2) as pool:
                answers = list(pool.map(lambda pair: pair[0].send(name, pair[1]),
                                        [(first, made_up_run(100 + round_, 85000 + round_)),
                                         (second, made_up_run(200 + round_, 86000 + round_))]))
            assert sorted(a[0] for a in answers) == [200, 403], answers

        # Freestyle counts points down the board.
        for seed, points in [(300, 500), (301, 900), (302, 700)]:
            assert first.send("Ana", made_up_run(seed, points, "FS"), answer["token"])[0] == 200
        assert [e["result"] for e in second.board("freestyle")] == [900, 700, 500]

        # kill -9 during a burst: every run answered "accepted" is listed once.
        burst = [(seed, made_up_run(seed, 100000 + seed)) for seed in range(1000, 1060)]
        def name_of(seed):
            if seed == 1020:
                first.kill()
            return f"burst{seed}"
        answers = send_all(first, burst, name_of)
        first.start()
        accepted = {seed for seed, a in answers.items() if a is not None and a[0] == 200}
        assert accepted, answers
        listed = [e["result"] - 100000 for e in second.board(limit=1000)
                  if e["name"].startswith("burst")]
        assert len(listed) == len(set(listed)), "a run listed twice"
        assert accepted <= set(listed), accepted - set(listed)

        # The database restarted under load: "try again" meanwhile, then
        # both boards recover by themselves.
        stop_load = threading.Event()
        seen = []
        def load():
            seed = 5000
            while not stop_load.is_set():
                seed += 1
                try:
                    seen.append(second.send(f"load{seed}", made_up_run(seed, 200000 + seed))[0])
                except BROKEN:
                    seen.append("broken")
                stop_load.wait(0.02)  # a steady stream, not a flood
        loader = threading.Thread(target=load)
        loader.start()
        poll("load before the restart", lambda: len(seen) > 3, 30)
        database.stop()
        status, answer = first.send("Dee", made_up_run(7000, 99000))
        expect_refusal((status, answer), 503, "try again")
        assert not first.healthy()
        database.start()
        poll("both boards healthy again", lambda: first.healthy() and second.healthy(), 60)
        poll("a run accepted after the restart",
             lambda: first.send("Dee", made_up_run(7001, 99001))[0] == 200, 30)
        stop_load.set()
        loader.join(60)
        assert set(seen) <= {200, 503}, set(seen)
        assert 200 in seen, seen
    finally:
        for board in boards:
            try:
                board.stop()
            except AssertionError:
                pass
        database.stop()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--board", required=True)
    parser.add_argument("--verifier", required=True)
    parser.add_argument("scenario", choices=["sqlite", "hostile", "postgres"])
    args = parser.parse_args()
    folder = pathlib.Path(tempfile.mkdtemp(prefix="snowvel-board-"))
    os.chmod(folder, 0o755)
    try:
        globals()["scenario_" + args.scenario](args, folder)
    finally:
        shutil.rmtree(folder, ignore_errors=True)
    print(args.scenario + ": passed")


if __name__ == "__main__":
    main()

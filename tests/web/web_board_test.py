"""The page's side of a board in real headless Chromium, against a stand-in
board on loopback that serves the site and a small API under the board's
Content-Security-Policy: the Board panel lists the entries, "Send to the
board" posts a kept run and shows its rank, a refusal shows its one line as
text; served by a plain static server, the page shows no board. Then the
real board (SNOWVEL_BOARD, its verifier SNOWVEL_VERIFIER) on loopback: a
slalom skied on a phone is sent, re-skied by the board and ranked, and sent
again is refused as a duplicate.
Run by scripts/test-web (SNOWVEL_WEB_URL, SNOWVEL_WEB_SITE)."""
import http.server
import json
import os
import subprocess
import tempfile
import threading
import unittest

from web_page_test import Page, poll

SITE = os.environ.get("SNOWVEL_WEB_SITE", "")
BOARD = os.environ.get("SNOWVEL_BOARD", "")
VERIFIER = os.environ.get("SNOWVEL_VERIFIER", "")
# What the page needs of a policy: its own files, and compiling its program.
POLICY = ("default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; "
          "style-src 'self' 'unsafe-inline'; img-src 'self' data: blob:; object-src 'none'; "
          "base-uri 'none'; frame-ancestors 'none'")
ENTRY = {"name": "<b>Ann</b>", "result": 84322, "date": "2026-12-09T18:00:00Z",
         "link": "https://elsewhere.example/#run=AAAA"}


class StandInBoard:
    """The board's API as the page sees it; what was posted is kept."""

    def __init__(self):
        self.posted = []
        self.answers = []
        board = self

        class Handler(http.server.SimpleHTTPRequestHandler):
            extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                              ".wasm": "application/wasm", ".js": "text/javascript"}

            def __init__(self, *args, **kwargs):
                super().__init__(*args, directory=SITE, **kwargs)

            def log_message(self, *args):
                pass

            def end_headers(self):
                self.send_header("Content-Security-Policy", POLICY)
                if not self.path.startswith("/api/"):
                    self.send_header("Snowvel-Board", "yes")
                super().end_headers()

            def answer(self, status, body):
                data = json.dumps(body).encode()
                self.send_response(status)
                self.send_header("Content-Type", "application/json")
                self.send_header("Content-Length", str(len(data)))
                self.end_headers()
                self.wfile.write(data)

            def do_GET(self):
                if self.path == "/api/health":
                    self.answer(200, {"ok": True})
                elif self.path == "/api/board/slalom":
                    self.answer(200, [ENTRY])
                elif self.path.startswith("/api/board/"):
                    self.answer(200, [])
                else:
                    super().do_GET()

            def do_POST(self):
                length = int(self.headers.get("Content-Length", "0"))
                board.posted.append(json.loads(self.rfile.read(min(length, 1 << 20))))
                self.answer(*board.answers.pop(0))

        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        self.url = "http://127.0.0.1:%d/" % self.server.server_address[1]
        threading.Thread(target=self.server.serve_forever, daemon=True).start()

    def close(self):
        self.server.shutdown()
        self.server.server_close()


class RealBoard:
    """snowvel-board on a free loopback port, its SQLite file in a scratch folder."""

    def __init__(self):
        self.folder = tempfile.TemporaryDirectory(prefix="snowvel-board-")
        self.process = subprocess.Popen(
            [BOARD, "--listen", "127.0.0.1:0", "--site", SITE, "--verifier", VERIFIER,
             "--db", os.path.join(self.folder.name, "board.sqlite")],
            stderr=subprocess.PIPE, text=True)
        first = self.process.stderr.readline()
        if "listening on http://" not in first:
            self.close()
            raise AssertionError("the board did not start: " + first)
        self.url = "http://" + first.split("http://")[1].split()[0] + "/"
        # One log line a request: read, so that a full pipe never holds the board.
        self.reader = threading.Thread(target=self.process.stderr.read, daemon=True)
        self.reader.start()

    def close(self):
        self.process.terminate()
        self.process.wait(10)
        if hasattr(self, "reader"):
            self.reader.join(10)
        self.process.stderr.close()
        self.folder.cleanup()


class WebBoardTest(unittest.TestCase):
    def page(self):
        page = Page()
        self.addCleanup(page.close)
        return page

    @staticmethod
    def note(page):
        return page.js("const n = document.getElementById('board-note');"
                       "return n.hidden ? '' : n.textContent;")

    def test_the_board_lists_takes_a_kept_run_and_shows_a_refusal_as_text(self):
        board = StandInBoard()
        self.addCleanup(board.close)
        page = self.page()
        page.url = board.url
        page.open()
        poll("the Board button", lambda: page.js(
            "return !document.getElementById('board-open').hidden"))
        page.js("document.getElementById('board-open').click()")
        listed = poll("the slalom's entries", lambda: page.js(
            "return document.getElementById('board-slalom').textContent"))
        self.assertIn("<b>Ann</b>  0:01:24.32  2026-12-09", listed)
        self.assertIn("No runs yet.", page.js(
            "return document.getElementById('board-freestyle').textContent"))
        self.assertEqual(page.js("return document.querySelectorAll('#board-slalom b').length"), 0)
        self.assertEqual(page.console_problems(), [])
        page.js("document.querySelector('#board-slalom button').click()")
        poll("the entry's run to watch", lambda: page.js("return location.hash") == "#run=AAAA")
        page.driver.get(board.url)  # back to a game
        page.wait_for_picture()
        page.console_problems()  # the watched link was no run: said in its note

        # Race: the next game races the entry's run; this one is no run, which
        # the page says in one line, and the game plays on.
        poll("the Board button", lambda: page.js(
            "return !document.getElementById('board-open').hidden"))
        page.js("document.getElementById('board-open').click()")
        poll("the Race button", lambda: page.js(
            "return document.querySelectorAll('#board-slalom button').length") == 2)
        page.js("document.querySelectorAll('#board-slalom button')[1].click()")
        poll("the race's one line", lambda: "ghost the run:" in page.js(
            "return document.getElementById('runs-note').textContent"))
        page.wait_for_picture()
        page.console_problems()

        page.slalom()
        page.answer_box()
        poll("the kept run", lambda: page.js(
            "return (window.snowvelKeptRuns || []).length") == 1)
        board.answers = [(200, {"accepted": True, "course": "slalom", "result": 84322, "rank": 3,
                                "token": "secret-1"}),
                         (409, {"error": "<i>duplicate</i>: this run is on the board\nsecond"})]
        page.js("document.getElementById('board-name').value = 'Bo';"
                "document.getElementById('board-send-run').click()")
        self.assertEqual(poll("the rank", lambda: "rank" in self.note(page) and self.note(page)),
                         "On the board at rank 3: slalom 0:01:24.32")
        self.assertEqual(board.posted[0]["name"], "Bo")
        self.assertNotIn("token", board.posted[0])
        self.assertTrue(board.posted[0]["run"].startswith("run="))

        page.js("document.getElementById('board-send-run').click()")
        self.assertEqual(poll("the refusal", lambda: "Refused" in self.note(page) and
                              self.note(page)),
                         "Refused: <i>duplicate</i>: this run is on the board")
        self.assertEqual(board.posted[1]["token"], "secret-1")
        self.assertEqual(page.js("return document.querySelectorAll('#board-note i').length"), 0)
        # The refusal's 409 is logged by the browser as any failed request is.
        problems = [p for p in page.console_problems()
                    if "/api/runs" not in p["message"] or "409" not in p["message"]]
        self.assertEqual(problems, [])

    @unittest.skipUnless(BOARD and VERIFIER, "SNOWVEL_BOARD and SNOWVEL_VERIFIER name no board")
    def test_the_real_board_ranks_a_phone_slalom_once(self):
        board = RealBoard()
        self.addCleanup(board.close)
        page = self.page()
        page.phone(360, 740)
        page.url = board.url
        page.open()
        time = page.slalom()["text"].split(" <--")[0].strip()
        page.answer_box()
        poll("the Send button", lambda: page.js(
            "return !document.getElementById('board-send').hidden"))
        page.js("document.getElementById('board-name').value = 'Phone Ann';"
                "document.getElementById('board-send-run').click()")
        self.assertEqual(poll("the rank", lambda: "rank" in self.note(page) and self.note(page),
                              60),
                         "On the board at rank 1: slalom " + time)
        page.js("document.getElementById('board-open').click()")
        poll("the entry listed", lambda: "Phone Ann  " + time in page.js(
            "return document.getElementById('board-slalom').textContent"))
        page.js("document.getElementById('board-send-run').click()")
        self.assertIn("Refused: ", poll("the duplicate refused", lambda: "Refused" in
                                        self.note(page) and self.note(page), 60))
        problems = [p for p in page.console_problems()
                    if "/api/runs" not in p["message"] or "409" not in p["message"]]
        self.assertEqual(problems, [])

    def test_a_plain_static_server_shows_no_board(self):
        page = self.page()
        page.open()
        poll("the board probe's answer", lambda: page.js(
            "return performance.getEntriesByType('resource')"
            ".some(e => e.initiatorType === 'fetch')"))
        self.assertTrue(page.js("return document.getElementById('board-open').hidden"))
        self.assertTrue(page.js("return document.getElementById('board-send').hidden"))
        self.assertEqual(page.console_problems(), [])


if __name__ == "__main__":
    unittest.main()

"""The site as served: serve-site (SNOWVEL_WEB_URL) and the board
(SNOWVEL_BOARD) send each file in the form the client accepts, brotli, gzip
or as it is, and every form unpacks to exactly the file the build made
(SNOWVEL_WEB_SITE). Run by scripts/test-web."""
import gzip
import os
import subprocess
import unittest
import urllib.request

from web_board_test import BOARD, SITE, VERIFIER, RealBoard
from web_page_test import URL

# Accept-Encoding, and the encoding a compressible file comes in.
ASKED = [("gzip, deflate, br, zstd", "br"), ("gzip", "gzip"), ("br;q=0, gzip;q=0.5", "gzip"),
         ("identity", None)]


def fetch(url, accept):
    request = urllib.request.Request(url, headers={"Accept-Encoding": accept})
    with urllib.request.urlopen(request, timeout=20) as response:
        return response.headers, response.read()


def unpacked(encoding, body):
    if encoding == "br":
        return subprocess.run(["brotli", "-d", "-c"], input=body, stdout=subprocess.PIPE,
                              check=True).stdout
    return gzip.decompress(body) if encoding == "gzip" else body


class WebServingTest(unittest.TestCase):
    def check_server(self, url):
        for name in ("", "snowvel.wasm", "snowvel.js", "sw.js", "snowvel.sounds", "icon-192.png"):
            with open(os.path.join(SITE, name or "index.html"), "rb") as f:
                built = f.read()
            tags = set()
            for accept, expected in ASKED:
                with self.subTest(server=url, file=name, accept=accept):
                    headers, body = fetch(url + name, accept)
                    encoding = headers.get("Content-Encoding")
                    self.assertEqual(encoding, None if name.endswith(".png") else expected)
                    self.assertEqual(unpacked(encoding, body), built)
                    if not name.endswith(".png"):
                        self.assertIn("Accept-Encoding", headers.get("Vary", ""))
                        tags.add((headers.get("ETag"), encoding))
            # A validator for each form: a cache never takes one for another.
            self.assertEqual(len({tag for tag, _ in tags}), len(tags), name)

    def test_every_form_unpacks_to_the_built_file(self):
        self.check_server(URL)
        if BOARD and VERIFIER:
            board = RealBoard()
            self.addCleanup(board.close)
            self.check_server(board.url)


if __name__ == "__main__":
    unittest.main()

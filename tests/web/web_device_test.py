"""The page beyond the desktop's keyboard: installed as an app and played
offline, on a phone-sized touch screen, with a game pad, and with its scores
carried out and back in. Run by scripts/test-web beside web_page_test.py,
with the same Chromium driver.
"""
import json
import os
import re
import shutil
import subprocess
import tempfile
import unittest

from web_page_test import Page, poll, PAUSED_TITLE, TITLE

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
SITE = os.environ.get("SNOWVEL_WEB_SITE", os.path.join(ROOT, "build", "web", "site"))

CACHES = "return caches.keys()"
DESCRIBE_ICONS = """
const done = arguments[arguments.length - 1];
fetch(document.querySelector('link[rel=manifest]').href).then(r => r.json()).then(async m => {
  m.real = [];
  m.pixels = [];
  for (const icon of m.icons) {
    const picture = await createImageBitmap(await (await fetch(icon.src)).blob());
    m.real.push(picture.width + 'x' + picture.height);
    // The middle of each of the 32 pixels of the drawn icon's rows 0 and 16.
    const canvas = new OffscreenCanvas(picture.width, picture.height);
    const context = canvas.getContext('2d', {willReadFrequently: true});
    context.drawImage(picture, 0, 0);
    const step = picture.width / 32, samples = [];
    for (const row of [0, 16])
      for (let x = 0; x < 32; x++)
        samples.push([...context.getImageData(x * step + step / 2, row * step + step / 2, 1, 1).data]);
    m.pixels.push(samples);
  }
  done(m);
}).catch(e => done(String(e)));
"""


class Server:
    """serve-site on a folder reached through a link, so another build can
    be put behind the same address (the same origin, as a release is).
    games: also serve the site at /a/ and /b/, as a game site would two games."""

    def __init__(self, folder, games=False):
        self.root = tempfile.mkdtemp(prefix="snowvel-site-")
        self.link = os.path.join(self.root, "site")
        if games:
            os.mkdir(self.link)
            open(os.path.join(self.link, "index.html"), "w").close()
            for name in ("a", "b"):
                os.symlink(folder, os.path.join(self.link, name))
        else:
            os.symlink(folder, self.link)
        self.port = 0
        self.start()

    def start(self):
        self.process = subprocess.Popen(
            [os.path.join(ROOT, "scripts", "serve-site"), self.link, "--port", str(self.port)],
            stdout=subprocess.PIPE, text=True)
        self.url = self.process.stdout.readline().strip()
        self.port = int(self.url.rsplit(":", 1)[1].strip("/"))

    def stop(self):
        # SIGTERM: a shell that starts CI in the background leaves SIGINT
        # ignored in its children, and a server that never stops hangs CI.
        self.process.terminate()
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        self.process.stdout.close()

    def serve(self, folder):
        os.remove(self.link)
        os.symlink(folder, self.link)

    def close(self):
        if self.process.poll() is None:
            self.stop()
        shutil.rmtree(self.root, ignore_errors=True)


def site_with_version(folder, version):
    """The built site again with another version: the build's own step that
    writes the versioned files, run on a copy."""
    copy = tempfile.mkdtemp(prefix="snowvel-release-")
    shutil.rmtree(copy)
    shutil.copytree(SITE, copy)
    with open(os.path.join(SITE, "sw.js")) as f:
        files = re.search(r"const SITE = \[(.*)\];", f.read()).group(1)
    files = ",".join(name.strip(" '") for name in files.split(","))
    subprocess.run(["cmake", "-DSOURCE=" + os.path.join(ROOT, "web"), "-DSITE=" + copy,
                    "-DVERSION=" + version, "-DFILES=" + files,
                    "-P", os.path.join(ROOT, "web", "versioned_files.cmake")], check=True)
    return copy


# A stand-in pad, installed before the page runs: navigator.getGamepads
# answers with it once plugPad() has run, and press() works its buttons.
STAND_IN_PAD = """
const pad = {index: 0, id: 'stand-in pad', connected: true, mapping: 'standard', timestamp: 0,
             axes: [0, 0, 0, 0],
             buttons: Array.from({length: 17}, () => ({pressed: false, touched: false, value: 0}))};
let plugged = false;
Object.defineProperty(Navigator.prototype, 'getGamepads',
                      {configurable: true, value: () => plugged ? [pad] : []});
window.plugPad = () => {
  plugged = true;
  const event = new Event('gamepadconnected');
  event.gamepad = pad;
  window.dispatchEvent(event);
};
window.press = (number, down) => {
  pad.buttons[number] = {pressed: down, touched: down, value: down ? 1 : 0};
};
window.stick = (x, y) => { pad.axes[0] = x; pad.axes[1] = y; };
"""

# Counts the page's requests to keep its storage, which the browser refuses.
REFUSED_KEEPING = """
window.keepAsked = 0;
StorageManager.prototype.persisted = () => Promise.resolve(false);
StorageManager.prototype.persist = () => { window.keepAsked++; return Promise.resolve(false); };
"""

# A high-score file as the desktop writes it.
DESKTOP_SCORES = "[Snowvel]\r\nSS=-61230 -70110 \r\nGS=\r\nFS=412 95 \r\n"


class WebDeviceTest(unittest.TestCase):
    def page(self, scripts=(), phone=None):
        page = Page(scripts)
        self.addCleanup(page.close)
        if phone:
            page.phone(*phone)
        return page

    @staticmethod
    def tap(page, selector):
        """A finger on the element's middle and off again."""
        x, y = page.js("const r = document.querySelector(arguments[0]).getBoundingClientRect();"
                       "return [r.left + r.width / 2, r.top + r.height / 2];", selector)
        page.cdp("Input.dispatchTouchEvent", type="touchStart", touchPoints=[{"x": x, "y": y}])
        page.cdp("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])

    @staticmethod
    def css_per_game_pixel(page):
        return page.canvas_box()[2] / page.canvas_size()[0]

    @staticmethod
    def shown(page, selector):
        return page.js("const e = document.querySelector(arguments[0]);"
                       "return !!e && !e.closest('[hidden]') && e.getClientRects().length > 0;",
                       selector)

    def test_phone_bar_pauses_jumps_and_starts_a_new_game(self):
        page = self.page(phone=(390, 844))
        page.open()
        start = page.anchor_picture()
        # Big enough to see: a game pixel is a CSS pixel, not a device pixel.
        self.assertAlmostEqual(self.css_per_game_pixel(page), 1, delta=0.01)
        self.assertTrue(self.shown(page, "#controls"))
        self.assertTrue(self.shown(page, ".legend[data-device=touch]"))
        self.assertFalse(self.shown(page, ".legend[data-device=keys]"))
        self.assertTrue(self.shown(page, "#turn-note"), "no hint to turn the phone")
        # Buttons a finger can hit, none of them over the slope.
        boxes = page.js("return [...document.querySelectorAll('#controls button')].map(b => {"
                        "  const r = b.getBoundingClientRect(); return [r.left, r.top, r.right, r.bottom]; })")
        left, top, width, height = page.canvas_box()
        for x0, y0, x1, y1 in boxes:
            self.assertGreaterEqual(min(x1 - x0, y1 - y0), 44)
            self.assertTrue(x0 >= left + width or x1 <= left or y0 >= top + height or y1 <= top,
                            "a button covers the slope")

        self.tap(page, "#controls [data-key=pause]")
        poll("the paused title", lambda: page.driver.title == PAUSED_TITLE)
        self.assertEqual(page.js("return document.querySelector('[data-key=pause]').textContent"),
                         "Resume")
        standing = page.anchor_picture()
        self.tap(page, "#controls [data-key=jump]")
        page.ticks(1)
        self.assertTrue(page.anchor_picture() != standing, "Jump did not jump")
        page.ticks(60)
        self.tap(page, "#controls [data-key=pause]")
        poll("the title again", lambda: page.driver.title == TITLE)
        # A real key puts the bar away: the game area grows and the game hears of it.
        size = page.canvas_size()
        page.key("Down")
        poll("skiing away from the start", lambda: page.anchor_picture() != start)
        self.assertFalse(self.shown(page, "#controls"))
        poll("the canvas to take the bar's room", lambda: page.canvas_size() != size)
        page.cdp("Input.dispatchTouchEvent", type="touchStart", touchPoints=[{"x": 5, "y": 5}])
        page.cdp("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])
        poll("the bar back at a touch", lambda: self.shown(page, "#controls"))

        # New game: the skier stands at the start again, not paused.
        self.tap(page, "#controls [data-key=pause]")
        poll("the paused title", lambda: page.driver.title == PAUSED_TITLE)
        self.tap(page, "#controls [data-key=newgame]")
        poll("the new game", lambda: page.driver.title == TITLE)
        poll("the skier at the start", lambda: page.anchor_picture() == start)

        # Fullscreen: the slope and the bar fill the screen, and the game
        # hears of it as a window growing.
        size = page.canvas_size()
        self.tap(page, "#fullscreen")
        poll("fullscreen", lambda: page.js("return document.fullscreenElement?.id") == "play")
        poll("a taller game", lambda: page.canvas_size()[1] > size[1])
        self.assertTrue(self.shown(page, "#controls"))
        self.assertEqual(page.console_problems(), [])

    def test_a_pad_steers_jumps_pauses_and_starts_again(self):
        page = self.page([STAND_IN_PAD], phone=(844, 390))
        # Silent: the test's own tick keys are no gesture that may start sound.
        page.open("?nosound")
        start = page.anchor_picture()
        self.assertTrue(self.shown(page, "#controls"))
        # Paused with no pad, the page stops listening for one (the browser's
        # sampling is most of what a paused page costs); a pad that came
        # meanwhile is taken up once the game goes on.
        page.key("F3")
        poll("the paused title", lambda: page.driver.title == PAUSED_TITLE)
        page.js("plugPad()")
        page.settle()
        self.assertFalse(self.shown(page, ".legend[data-device=pad]"))
        page.key("F3")
        poll("the pad's legend", lambda: self.shown(page, ".legend[data-device=pad]"))
        self.assertFalse(self.shown(page, "#controls"))

        def button(number):
            page.js("press(arguments[0], true)", number)
            page.settle()
            page.js("press(arguments[0], false)", number)
            page.settle()

        button(9)  # Start pauses
        poll("the paused title", lambda: page.driver.title == PAUSED_TITLE)
        standing = page.anchor_picture()
        page.js("stick(-0.7, 0.7)")  # down and to the left
        page.settle()
        page.ticks(2)
        steered = page.anchor_picture()
        self.assertTrue(steered != standing, "the stick did not steer")
        page.js("stick(0, 0)")
        button(0)  # south jumps
        page.ticks(1)
        self.assertTrue(page.anchor_picture() != steered, "the south button did not jump")
        page.ticks(60)
        button(9)  # Start resumes
        poll("the title again", lambda: page.driver.title == TITLE)
        button(13)  # the D-pad's down skis
        poll("skiing away from the start", lambda: page.anchor_picture() != start)
        button(8)  # Back: a new game
        poll("the skier at the start", lambda: page.anchor_picture() == start)
        self.assertEqual(page.driver.title, TITLE)
        self.assertEqual(page.console_problems(), [])

    def test_keys_panel_rebinds_pad_buttons_and_directions_that_survive_a_reload(self):
        page = self.page([STAND_IN_PAD])
        page.open("?nosound")
        page.js("plugPad()")

        def button(*numbers, down=True):
            for number in numbers:
                page.js("press(arguments[0], arguments[1])", number, down)
                page.settle()
            if down:
                button(*numbers, down=False)

        def stick(x, y):
            page.js("stick(arguments[0], arguments[1])", x, y)
            page.settle()
            page.js("stick(0, 0)")
            page.settle()

        self.assertEqual(page.rebind("pause", lambda: button(2), "pad"), "pad X")  # west

        def diagonal():
            stick(-0.4, 0)  # a nudge, not yet a clear push: nothing is taken
            button(12, 15)  # the D-pad's up, then right too

        self.assertEqual(page.rebind("pause", diagonal, "pad"), "pad up-right")
        # Straight down is taken once let go: it was no diagonal on its way.
        self.assertEqual(page.rebind("new-game", lambda: stick(0.1, 0.9), "pad"), "pad down")
        for reloaded in (False, True):
            if reloaded:
                page.reload()
                page.js("plugPad()")
            self.assertEqual(page.driver.title, TITLE)
            button(9)  # Start pauses no more, nor the west button: pause is up-right's
            button(2)
            self.assertEqual(page.driver.title, TITLE, "Start or X still pauses")
            stick(0.7, -0.7)  # the stick's up-right is the D-pad's
            poll("the paused title", lambda: page.driver.title == PAUSED_TITLE)
            stick(0.7, -0.7)
            poll("the title again", lambda: page.driver.title == TITLE)
        self.assertEqual(page.console_problems(), [])

    def test_installs_plays_offline_and_moves_to_a_new_version(self):
        server = Server(SITE)
        self.addCleanup(server.close)
        page = self.page()
        page.url = server.url
        page.open()
        version = page.js("return document.getElementById('version').textContent")

        # Installable: the manifest's fields, and icons as large as declared.
        manifest = page.driver.execute_async_script(DESCRIBE_ICONS)
        self.assertIsInstance(manifest, dict, manifest)
        self.assertEqual((manifest["name"], manifest["short_name"]), ("Snowvel", "Snowvel"))
        self.assertIn(manifest["display"], ("standalone", "fullscreen"))
        self.assertRegex(manifest["theme_color"], "^#[0-9a-f]{6}$")
        self.assertEqual([icon["sizes"] for icon in manifest["icons"]], manifest["real"])
        self.assertEqual(set(manifest["real"]), {"192x192", "512x512"})
        # Both the same picture, its corner clear, in the desktop icon's colours.
        small, large = manifest["pixels"]
        self.assertEqual(small, large)
        self.assertEqual(small[0][3], 0)
        self.assertTrue(all(p[3] == 255 and all(c in (0, 128, 192, 255) for c in p[:3])
                            for p in small[32:]), small)

        # After one visit the whole site is kept, under the version's name.
        poll("the service worker in charge",
             lambda: page.js("return !!navigator.serviceWorker.controller"))
        poll("the site kept", lambda: len(page.js(CACHES)) == 1)
        self.assertTrue(page.js(CACHES)[0].endswith(" " + version), page.js(CACHES))

        # No network at all: the page comes from the kept copy and plays.
        page.cdp("Network.enable")
        page.cdp("Network.emulateNetworkConditions", offline=True, latency=0,
                 downloadThroughput=-1, uploadThroughput=-1)
        server.stop()
        page.reload()
        still = page.pixels()
        page.key("Down")
        poll("the slope moving offline", lambda: page.pixels() != still)

        # A new release on the same address: the next visit with the network
        # shows it, and its copy replaces the old one.
        release = site_with_version(SITE, version + "-next")
        self.addCleanup(shutil.rmtree, release, True)
        server.serve(release)
        server.start()
        page.cdp("Network.emulateNetworkConditions", offline=False, latency=0,
                 downloadThroughput=-1, uploadThroughput=-1)
        page.reload()
        self.assertEqual(page.js("return document.getElementById('version').textContent"),
                         version + "-next")
        poll("only the new release kept",
             lambda: [name.rsplit(" ", 1)[1] for name in page.js(CACHES)] == [version + "-next"])
        self.assertEqual(page.console_problems(), [])


    def test_a_desktop_window_shrunk_while_playing_shows_the_whole_game(self):
        page = self.page()
        page.open()
        full = page.canvas_size()
        fits = ("const v = [innerWidth, innerHeight], e = document.documentElement;"
                "const box = s => { const r = document.querySelector(s).getBoundingClientRect();"
                "  return [r.left, r.top, r.right, r.bottom]; };"
                "const a = box('#game-area'), c = box('#game');"
                "const inside = (b, o) => b[0] >= o[0] - 1 && b[1] >= o[1] - 1 &&"
                "  b[2] <= o[2] + 1 && b[3] <= o[3] + 1;"
                "return inside(c, a) && inside(a, [0, 0, ...v]) &&"
                "  e.scrollWidth <= v[0] && e.scrollHeight <= v[1] &&"
                "  [...document.querySelectorAll('header button')].every("
                "    b => b.hidden || b.getBoundingClientRect().right <= v[0]);")
        # Narrower and shorter than the game's smallest window: all of it
        # shows, shrunk, the status panel at its right included.
        page.cdp("Emulation.setDeviceMetricsOverride", width=320, height=360,
                 deviceScaleFactor=1, mobile=False)
        poll("the game inside the window", lambda: page.js(fits))
        # Wide again: each game pixel one pixel again.
        page.cdp("Emulation.clearDeviceMetricsOverride")
        poll("the game grown again", lambda: page.canvas_size() == full)
        self.assertTrue(page.js(fits))
        self.assertEqual(page.canvas_box()[2:], full)
        self.assertEqual(page.console_problems(), [])

    def test_scores_export_import_refuse_a_hostile_file_and_keep_apart(self):
        server = Server(SITE, games=True)
        self.addCleanup(server.close)
        downloads = tempfile.mkdtemp(prefix="snowvel-downloads-")
        self.addCleanup(shutil.rmtree, downloads, True)
        page = self.page([REFUSED_KEEPING])
        page.cdp("Browser.setDownloadBehavior", behavior="allow", downloadPath=downloads)
        page.url = server.url + "a/"
        page.open()

        def offer(name, content=None):
            path = os.path.join(downloads, name)
            if content is not None:
                with open(path, "wb") as f:
                    f.write(content)
            page.driver.find_element("id", "import-file").send_keys(path)

        def note():
            return page.js("return document.getElementById('scores-note').textContent")

        # The desktop's file comes in whole; the browser is asked, once, to
        # keep it, and its refusal said.
        offer("desktop.ini", DESKTOP_SCORES.encode())
        poll("the desktop's scores stored", lambda: page.stored() == DESKTOP_SCORES)
        self.assertIn("imported", note())
        poll("the refusal said", lambda: "Export scores" in page.js(
            "return document.getElementById('storage-note').textContent"))

        # Out again byte for byte; a cleared store takes it back.
        page.js("document.getElementById('export-scores').click()")
        exported = os.path.join(downloads, "tolvane.ini")
        poll("the exported file",
             lambda: os.path.exists(exported) and os.path.getsize(exported) > 0)
        with open(exported, "rb") as f:
            self.assertEqual(f.read(), DESKTOP_SCORES.encode())
        page.driver.execute_async_script(
            "indexedDB.databases().then(all => Promise.all(all.map(d => new Promise(r => {"
            "  const q = indexedDB.deleteDatabase(d.name); q.onsuccess = q.onblocked = r; }))))"
            ".then(() => arguments[arguments.length - 1](true))")
        page.reload()
        self.assertIsNone(page.stored())
        offer("tolvane.ini")
        poll("the scores back", lambda: page.stored() == DESKTOP_SCORES)
        self.assertEqual(page.js("return keepAsked"), 1)

        # Damaged or hostile files are refused with a line; nothing changes.
        for name, content in (("damaged.ini", b"[Snowvel]\nSS=-61230 12abc\n"),
                              ("binary.ini", b"[Snowvel]\nSS=1\x00\xff\n"),
                              ("other.ini", b"[Other]\nSS=5\n"),
                              ("huge.ini", b"[Snowvel]\n" + b"FS=1 \n" * 20000)):
            offer(name, content)
            poll("the refusal of " + name, lambda: name in note() and "not imported" in note())
            self.assertEqual(page.stored(), DESKTOP_SCORES, name)

        # The same game at another folder of the origin keeps its own, not
        # a's; what an older page kept for the whole origin it takes in.
        older = "[Snowvel]\nSS=-99990 \n"
        self.assertTrue(page.driver.execute_async_script("""
            const done = arguments[arguments.length - 1];
            const request = indexedDB.open('/snowvel', 21);
            request.onupgradeneeded = () => request.result.createObjectStore('FILE_DATA');
            request.onsuccess = () => {
              const tx = request.result.transaction('FILE_DATA', 'readwrite');
              tx.objectStore('FILE_DATA').put({timestamp: new Date(), mode: 33206,
                  contents: new TextEncoder().encode(arguments[0])}, '/snowvel/tolvane.ini');
              tx.oncomplete = () => { request.result.close(); done(true); };
            };
        """, older))
        page.url = server.url + "b/"
        page.open()
        poll("the older page's scores taken in", lambda: page.stored() == older)
        names = page.driver.execute_async_script(
            "indexedDB.databases().then(all => arguments[arguments.length - 1]("
            "all.map(d => d.name).sort()))")
        self.assertEqual(names, ["/snowvel", "/snowvel /a/", "/snowvel /b/"])
        self.assertEqual(page.console_problems(), [])


if __name__ == "__main__":
    unittest.main(verbosity=2)

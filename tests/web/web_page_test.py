"""The page in real headless Chromium: what the browser adds to the game.

Run by scripts/test-web, which builds the site and serves it; SNOWVEL_WEB_URL
names it. Keys, mouse and touch go through the DevTools protocol's input
events, so the page sees them as a user's. Runs that must be exact (the
slalom, the steering checks) pause the game with F3 and step it with the
game's own single-tick key "t", so no test waits on the game's clock.
"""
import json
import os
import shutil
import sys
import tempfile
import time
import unittest

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "pylib"))
import polling  # noqa: E402
from find_sprite import anchor  # noqa: E402

URL = os.environ.get("SNOWVEL_WEB_URL", "http://127.0.0.1:8000/")
TITLE = "Snowvel"
PAUSED_TITLE = "Snowvel Paused ... Press F3 to continue"
WAIT = 20

# Counts what the page does with Web Audio, installed before the page runs.
AUDIO_PROBE = """
window.audioProbe = {contexts: 0, started: 0, closed: 0, audible: 0};
const RealContext = window.AudioContext;
const realClose = RealContext.prototype.close;
RealContext.prototype.close = function(...args) {
  window.audioProbe.closed++;
  return realClose.apply(this, args);
};
window.AudioContext = function(...args) {
  window.audioProbe.contexts++;
  return new RealContext(...args);
};
const realStart = AudioBufferSourceNode.prototype.start;
AudioBufferSourceNode.prototype.start = function(...args) {
  window.audioProbe.started++;
  if (this.buffer.getChannelData(0).some(v => v !== 0)) window.audioProbe.audible++;
  return realStart.apply(this, args);
};
"""

# Holds the page's fetch of its sound samples until releaseSounds().
HOLD_SOUNDS = """
const realFetch = window.fetch;
let releaseSounds;
const released = new Promise(resolve => { releaseSounds = resolve; });
window.releaseSounds = () => releaseSounds();
window.fetch = function(resource, ...rest) {
  if (String(resource).endsWith('snowvel.sounds'))
    return released.then(() => realFetch(resource, ...rest));
  return realFetch(resource, ...rest);
};
"""

# A browser that refuses the page any storage, as some private windows do.
NO_STORAGE = """
IDBFactory.prototype.open = function() {
  throw new DOMException('storage refused', 'SecurityError');
};
"""

# The page's own database (its name holds the page's folder), opened.
OPEN_STORED = """
const folder = location.pathname.replace(/[^/]*$/, '');
const opened = indexedDB.databases().then(all => new Promise((resolve, reject) => {
  const db = all.find(d => d.name.startsWith('/snowvel') && d.name.endsWith(' ' + folder));
  if (!db) { reject('no database'); return; }
  const request = indexedDB.open(db.name);
  request.onsuccess = () => resolve(request.result);
  request.onerror = () => reject('not opened');
}));
"""

# The stored profile as the page keeps it, or null.
READ_STORED = OPEN_STORED + """
const done = arguments[arguments.length - 1];
opened.then(db => {
  if (!db.objectStoreNames.contains('FILE_DATA')) { db.close(); done(null); return; }
  const tx = db.transaction('FILE_DATA');
  const get = tx.objectStore('FILE_DATA').get('/snowvel/tolvane.ini');
  tx.oncomplete = tx.onerror = () => {
    db.close();
    done(get.result ? new TextDecoder().decode(get.result.contents) : null);
  };
}, () => done(null));
"""

DAMAGE_STORED = OPEN_STORED + """
const done = arguments[arguments.length - 1];
opened.then(db => {
  const tx = db.transaction('FILE_DATA', 'readwrite');
  const store = tx.objectStore('FILE_DATA');
  const get = store.get('/snowvel/tolvane.ini');
  get.onsuccess = () => {
    const entry = get.result;
    entry.contents = new TextEncoder().encode('[Snowvel\\nSS=-12x\\x00\\xff]]\\nFS=' + 'z'.repeat(3000));
    entry.timestamp = new Date();
    store.put(entry, '/snowvel/tolvane.ini');
  };
  tx.oncomplete = () => { db.close(); done(true); };
  tx.onerror = () => { db.close(); done(false); };
}, () => done(false));
"""

# Keys as the DevTools protocol types them: code, key, Windows key code.
KEYS = {
    "F2": ("F2", "F2", 113), "F3": ("F3", "F3", 114), "Enter": ("Enter", "Enter", 13),
    "Down": ("ArrowDown", "ArrowDown", 40), "Left": ("ArrowLeft", "ArrowLeft", 37),
    "Insert": ("Insert", "Insert", 45), "S": ("KeyS", "s", 83),
    "Shift": ("ShiftLeft", "Shift", 16), "G": ("KeyG", "g", 71),
    # The keypad as the browser reports it with NumLock on, and off.
    "Numpad2": ("Numpad2", "2", 98), "Numpad4Off": ("Numpad4", "ArrowLeft", 37),
}


def poll(what, check, timeout=WAIT):
    return polling.poll(what, check, timeout)


class Page:
    """One Chromium with a profile of its own, driven by WebDriver and CDP."""

    def __init__(self, scripts=()):
        self.url = URL
        self.profile = tempfile.mkdtemp(prefix="snowvel-chromium-")
        options = webdriver.ChromeOptions()
        options.binary_location = os.environ.get("CHROMIUM", "/usr/bin/chromium")
        for arg in ("--headless=new", "--no-sandbox", "--window-size=1000,800",
                    "--user-data-dir=" + self.profile, "--disable-gpu"):
            options.add_argument(arg)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        service = Service(os.environ.get("CHROMEDRIVER", "/usr/bin/chromedriver"))
        self.driver = webdriver.Chrome(service=service, options=options)
        self.driver.set_script_timeout(WAIT)
        self.cdp("Emulation.setFocusEmulationEnabled", enabled=True)
        for script in scripts:
            self.cdp("Page.addScriptToEvaluateOnNewDocument", source=script)

    def close(self):
        self.driver.quit()
        shutil.rmtree(self.profile, ignore_errors=True)

    def cdp(self, command, **params):
        return self.driver.execute_cdp_cmd(command, params)

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def phone(self, width, height):
        """A phone's screen: small, dense, touched rather than clicked."""
        self.cdp("Emulation.setDeviceMetricsOverride", width=width, height=height,
                 deviceScaleFactor=3, mobile=True)
        self.cdp("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)

    def open(self, query=""):
        self.driver.get(self.url + query)
        self.wait_for_picture()

    def reload(self):
        self.driver.refresh()
        self.wait_for_picture()

    def wait_for_picture(self):
        poll("the first picture", lambda: self.js(
            "return performance.getEntriesByName('snowvel-first-picture').length > 0"))

    def console_problems(self):
        return [entry for entry in self.driver.get_log("browser")
                if entry["level"] in ("SEVERE", "WARNING")]

    def key(self, name, times=1):
        code, key, vk = KEYS[name]
        # Enter types a character too, which is what presses a button.
        extra = {"type": "keyDown", "text": "\r"} if name == "Enter" else {"type": "rawKeyDown"}
        for _ in range(times):
            self.cdp("Input.dispatchKeyEvent", code=code, key=key, windowsVirtualKeyCode=vk,
                     nativeVirtualKeyCode=vk, **extra)
            self.cdp("Input.dispatchKeyEvent", type="keyUp", code=code, key=key,
                     windowsVirtualKeyCode=vk, nativeVirtualKeyCode=vk)

    def typed(self, text):
        """Characters as typed keys; upper case with Shift held."""
        for ch in text:
            shifted = ch.isupper()
            if shifted:
                self.cdp("Input.dispatchKeyEvent", type="rawKeyDown", code="ShiftLeft",
                         key="Shift", windowsVirtualKeyCode=16, modifiers=8)
            code = "Key" + ch.upper()
            modifiers = 8 if shifted else 0
            self.cdp("Input.dispatchKeyEvent", type="keyDown", code=code, key=ch, text=ch,
                     windowsVirtualKeyCode=ord(ch.upper()), modifiers=modifiers)
            self.cdp("Input.dispatchKeyEvent", type="keyUp", code=code, key=ch,
                     windowsVirtualKeyCode=ord(ch.upper()), modifiers=modifiers)
            if shifted:
                self.cdp("Input.dispatchKeyEvent", type="keyUp", code="ShiftLeft", key="Shift",
                         windowsVirtualKeyCode=16)

    def ticks(self, count):
        """The game's single-step key, count times, in one go."""
        self.js("""
            for (let i = 0; i < arguments[0]; i++)
              for (const type of ['keydown', 'keyup'])
                window.dispatchEvent(new KeyboardEvent(type, {key: 't', code: 'KeyT'}));
        """, count)
        self.settle()

    def settle(self):
        """Lets the game take every event the page has queued."""
        time.sleep(0.15)

    def canvas_box(self):
        return self.js("const r = document.getElementById('game').getBoundingClientRect();"
                       "return [r.left, r.top, r.width, r.height];")

    def canvas_size(self):
        return self.js("const c = document.getElementById('game'); return [c.width, c.height];")

    def pixels(self, box=None):
        """RGBA bytes of a part of the canvas (game pixels), as a list."""
        return self.js("""
            // Read through a canvas of the test's own, made for reading.
            const c = document.getElementById('game');
            const [x, y, w, h] = arguments[0] || [0, 0, c.width, c.height];
            const copy = document.createElement('canvas');
            copy.width = w;
            copy.height = h;
            const context = copy.getContext('2d', {willReadFrequently: true});
            context.drawImage(c, x, y, w, h, 0, 0, w, h);
            return Array.from(context.getImageData(0, 0, w, h).data);
        """, box)

    def anchor_box(self, half=14):
        x, y = anchor(*self.canvas_size())
        return [x - half, y - half, 2 * half, 2 * half]

    def skier_pixels(self):
        data = self.pixels(self.anchor_box())
        return sum(1 for i in range(0, len(data), 4) if data[i:i + 3] != [255, 255, 255])

    def anchor_picture(self):
        return self.pixels(self.anchor_box())

    def mouse(self, kind, x, y, button="none", clicks=0):
        """A mouse event at game pixel (x, y) of the canvas."""
        left, top, width, height = self.canvas_box()
        cw, ch = self.canvas_size()
        self.cdp("Input.dispatchMouseEvent", type=kind, x=left + (x + 0.5) * width / cw,
                 y=top + (y + 0.5) * height / ch, button=button, clickCount=clicks)

    def touch(self, kind, x, y, at):
        """A touch event at game pixel (x, y), at time at (seconds since the
        epoch): a tap is judged by its events' times, not the test's speed."""
        left, top, width, height = self.canvas_box()
        cw, ch = self.canvas_size()
        points = [] if kind == "touchEnd" else [
            {"x": left + (x + 0.5) * width / cw, "y": top + (y + 0.5) * height / ch}]
        self.cdp("Input.dispatchTouchEvent", type=kind, touchPoints=points, timestamp=at)

    def box(self):
        return self.js("""
            const d = document.querySelector('dialog.message-box[open]');
            return d && {caption: d.querySelector('h2').textContent,
                         text: d.querySelector('pre').textContent,
                         font: getComputedStyle(d.querySelector('pre')).fontFamily};
        """)

    def stored(self):
        return self.driver.execute_async_script(READ_STORED)

    def rebind(self, action, press, cell="keys"):
        """Change on the action's row of the Keys panel, press() gives the new
        input (the panel takes it, the game does not); the row's cell after."""
        row = "#keys-panel tr[data-action=%s] " % action
        self.js("document.getElementById('keys-open').click()")
        self.js("document.querySelector(arguments[0]).click()", row + "button")
        press()
        text = self.js("return document.querySelector(arguments[0]).textContent", row + "." + cell)
        self.js("document.getElementById('keys-close').click()")
        return text

    def slalom(self):
        """Paused, the figure nudged left of every gate pole of the slalom, then
        straight down a tick at a time (Down again now and then to get up
        after a crash) until the High Scores box shows."""
        if self.driver.title != PAUSED_TITLE:
            self.key("F3")
        poll("the paused title", lambda: self.driver.title == PAUSED_TITLE)
        self.js("""
            const key = (type, key, code, shift) => window.dispatchEvent(
                new KeyboardEvent(type, {key: key, code: code, shiftKey: shift}));
            key('keydown', 'Shift', 'ShiftLeft', true);
            for (let i = 0; i < 250; i++) { key('keydown', 'X', 'KeyX', true); key('keyup', 'X', 'KeyX', true); }
            key('keyup', 'Shift', 'ShiftLeft', false);
        """)
        for _ in range(60):
            if self.box():
                break
            self.js("""
                for (let p = 0; p < 40; p++) {
                  if (p % 5 === 0) {
                    window.dispatchEvent(new KeyboardEvent('keydown', {key: 'ArrowDown', code: 'ArrowDown'}));
                    window.dispatchEvent(new KeyboardEvent('keyup', {key: 'ArrowDown', code: 'ArrowDown'}));
                  }
                  window.dispatchEvent(new KeyboardEvent('keydown', {key: 't', code: 'KeyT'}));
                  window.dispatchEvent(new KeyboardEvent('keyup', {key: 't', code: 'KeyT'}));
                }
            """)
            self.settle()
        return poll("the High Scores box", self.box)

    def answer_box(self):
        self.key("Enter")
        poll("the box to close", lambda: not self.box())


class WebPageTest(unittest.TestCase):
    def page(self, scripts=()):
        page = Page(scripts)
        self.addCleanup(page.close)
        return page

    def test_loads_quietly_shows_the_skier_and_answers_keys_and_focus(self):
        page = self.page()
        page.open()
        self.assertEqual(page.driver.title, TITLE)
        poll("the skier at the anchor", lambda: page.skier_pixels() >= 20)
        # Each game pixel is scale x scale device pixels, with no smoothing.
        width, height = page.canvas_size()
        ratio = page.js("return devicePixelRatio")
        css = page.canvas_box()
        self.assertAlmostEqual(css[2] * ratio, width, delta=0.01)
        self.assertEqual(page.js("return getComputedStyle(document.getElementById('game'))"
                                 ".imageRendering"), "pixelated")

        # Down: the figure skis and the world scrolls past it.
        still = page.pixels()
        page.key("Down")
        poll("the picture to scroll", lambda: page.pixels() != still)
        # F3 pauses (the title says so and nothing moves), F3 again resumes.
        page.key("F3")
        poll("the paused title", lambda: page.driver.title == PAUSED_TITLE)
        frozen = page.pixels()
        time.sleep(0.3)
        self.assertTrue(page.pixels() == frozen, "the picture moved")
        page.key("F3")
        poll("the title again", lambda: page.driver.title == TITLE)
        poll("skiing again", lambda: page.pixels() != frozen)

        # The page losing the focus stops the game without pausing it; the
        # focus back starts it again.
        page.js("window.dispatchEvent(new FocusEvent('blur'))")
        page.settle()
        frozen = page.pixels()
        time.sleep(0.3)
        self.assertTrue(page.pixels() == frozen, "the picture moved")
        self.assertEqual(page.driver.title, TITLE)
        page.js("window.dispatchEvent(new FocusEvent('focus'))")
        poll("skiing after the focus came back", lambda: page.pixels() != frozen)
        # A hidden tab is a minimised window: stopped until shown again.
        page.js("""
            Object.defineProperty(document, 'hidden', {configurable: true, get: () => true});
            document.dispatchEvent(new Event('visibilitychange'));
        """)
        page.settle()
        frozen = page.pixels()
        time.sleep(0.3)
        self.assertTrue(page.pixels() == frozen, "the picture moved")
        page.js("""
            Object.defineProperty(document, 'hidden', {configurable: true, get: () => false});
            document.dispatchEvent(new Event('visibilitychange'));
        """)
        poll("skiing after the tab came back", lambda: page.pixels() != frozen)

        # The browser keeps its own keys; only the game's lose their default
        # action (find, scrolling), and never with Ctrl, Alt or Meta.
        held_back = page.js("""
            const held = {};
            for (const [name, key, code, ctrl] of [
                ['F3', 'F3', 'F3', false], ['Down', 'ArrowDown', 'ArrowDown', false],
                ['PageDown', 'PageDown', 'PageDown', false], ['F5', 'F5', 'F5', false],
                ['F11', 'F11', 'F11', false], ['F12', 'F12', 'F12', false],
                ['Ctrl+R', 'r', 'KeyR', true], ['Ctrl+W', 'w', 'KeyW', true],
                ['Ctrl+Down', 'ArrowDown', 'ArrowDown', true]]) {
              const down = new KeyboardEvent('keydown', {key, code, ctrlKey: ctrl, cancelable: true});
              window.dispatchEvent(down);
              window.dispatchEvent(new KeyboardEvent('keyup', {key, code, ctrlKey: ctrl}));
              held[name] = down.defaultPrevented;
            }
            return held;
        """)
        self.assertEqual(held_back, {"F3": True, "Down": True, "PageDown": True, "F5": False,
                                     "F11": False, "F12": False, "Ctrl+R": False,
                                     "Ctrl+W": False, "Ctrl+Down": False})

        # A smaller browser window gives the game a smaller client area.
        size = page.canvas_size()
        page.driver.set_window_size(800, 600)
        poll("the canvas to follow the window", lambda: page.canvas_size()[1] < size[1])
        self.assertEqual(page.console_problems(), [])

    def test_slalom_scores_are_stored_survive_reloads_and_a_damaged_file(self):
        page = self.page()
        page.open()
        box = page.slalom()
        self.assertEqual(box["caption"], "High Scores")
        self.assertTrue(box["text"].endswith(" <-- that's you!"), box["text"])
        self.assertIn("monospace", box["font"])
        first = box["text"].split(" <--")[0]
        page.answer_box()
        poll("the score in the browser's storage", lambda: "SS=" in (page.stored() or ""))

        # After a reload the game reads the list back: two results now.
        page.reload()
        text = page.slalom()["text"]
        self.assertEqual(text.count("\n"), 1, text)
        self.assertIn(first, text)
        self.assertIn(" <-- that's you!", text)
        page.answer_box()
        poll("both scores stored", lambda: len((page.stored() or "").split("SS=")[1].split()) == 2)

        # A damaged stored file reads as the desktop reads a damaged one: the
        # list still shows and the new score is kept.
        self.assertTrue(page.driver.execute_async_script(DAMAGE_STORED))
        page.reload()
        text = page.slalom()["text"]
        self.assertIn(" <-- that's you!", text)
        page.answer_box()
        poll("the new score stored", lambda: "SS=-" in (page.stored() or ""))
        self.assertEqual(page.console_problems(), [])

        # A second tab plays a game of its own. What the first stores
        # meanwhile is read again when the second gets the focus back, so
        # neither tab's result drops the other's.
        first_tab = page.driver.current_window_handle
        page.driver.switch_to.new_window("tab")
        page.cdp("Emulation.setFocusEmulationEnabled", enabled=True)
        page.open()
        second_tab = page.driver.current_window_handle
        page.driver.switch_to.window(first_tab)
        page.key("F2")  # a new game, unpaused, at the top again
        poll("the new game", lambda: page.driver.title == TITLE)
        text = page.slalom()["text"]
        mine = [line for line in text.split("\n") if "that's you" in line][0].split(" <--")[0]
        page.answer_box()
        poll("the first tab's score stored", lambda: mine in self.shown_times(page.stored()))
        page.driver.switch_to.window(second_tab)
        page.js("window.dispatchEvent(new FocusEvent('focus'))")
        text = page.slalom()["text"]
        self.assertIn(mine, text)
        page.answer_box()
        poll("both tabs' scores stored", lambda: len(self.shown_times(page.stored())) >= 2)
        self.assertIn(mine, self.shown_times(page.stored()))
        self.assertEqual(page.console_problems(), [])

    @staticmethod
    def shown_times(stored):
        """The slalom times of the stored list, as the box shows them."""
        line = [l for l in (stored or "").split("\n") if l.startswith("SS=")]
        times = []
        for value in (line[0][3:].split() if line else []):
            ms = -int(value) if value.lstrip("-").isdigit() else 0
            times.append("%2d:%02d:%02d.%02d" % (ms // 3600000, ms // 60000 % 60,
                                                  ms // 1000 % 60, ms % 1000 // 10))
        return times

    def test_keypad_mouse_and_touch_steer_and_jump(self):
        page = self.page()
        page.open()
        page.key("F3")
        poll("the paused title", lambda: page.driver.title == PAUSED_TITLE)
        width, height = page.canvas_size()
        ax, ay = width // 2, height // 3
        # The keypad steers with NumLock on (digits) and off (cursor keys).
        standing = page.anchor_picture()
        page.key("Numpad2")
        page.ticks(1)
        downhill = page.anchor_picture()
        self.assertTrue(downhill != standing, "keypad 2 with NumLock on did not steer")
        page.key("Numpad4Off", 3)
        page.ticks(1)
        self.assertTrue(page.anchor_picture() != downhill, "keypad 4 with NumLock off")
        page.ticks(40)

        standing = page.anchor_picture()
        # The first move only tells the game where the pointer is.
        page.mouse("mouseMoved", ax + 5, ay - 50)
        page.mouse("mouseMoved", ax + 60, ay + 80)
        page.ticks(2)
        steered = page.anchor_picture()
        self.assertTrue(steered != standing, "the mouse did not steer")
        page.mouse("mousePressed", ax + 60, ay + 80, "left", 1)
        page.mouse("mouseReleased", ax + 60, ay + 80, "left", 1)
        page.ticks(1)
        self.assertTrue(page.anchor_picture() != steered, "the click did not jump")
        page.ticks(40)  # down again

        # A first touch (here on the page's header) brings the touch bar,
        # and the game area gives it room.
        size = page.canvas_size()
        page.cdp("Input.dispatchTouchEvent", type="touchStart", touchPoints=[{"x": 5, "y": 5}])
        page.cdp("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])
        poll("the game area to give the bar room", lambda: page.canvas_size() != size)
        width, height = page.canvas_size()
        ax, ay = width // 2, height // 3
        page.ticks(1)

        # One finger: a drag steers, a tap jumps.
        before = page.anchor_picture()
        now = time.time()
        page.touch("touchStart", ax - 80, ay + 40, now)
        page.touch("touchMove", ax - 90, ay + 60, now + 0.3)
        page.touch("touchEnd", ax - 90, ay + 60, now + 0.6)
        page.ticks(2)
        steered = page.anchor_picture()
        self.assertTrue(steered != before, "the drag did not steer")
        page.touch("touchStart", ax - 90, ay + 60, now + 1.0)
        page.touch("touchEnd", ax - 90, ay + 60, now + 1.1)
        page.ticks(1)
        self.assertTrue(page.anchor_picture() != steered, "the tap did not jump")
        self.assertEqual(page.console_problems(), [])

    def test_keys_panel_rebinds_a_key_that_survives_a_reload(self):
        page = self.page()
        page.open()
        page.key("F3")
        poll("the paused title", lambda: page.driver.title == PAUSED_TITLE)
        self.assertEqual(page.rebind("down", lambda: page.key("S")), "S")
        for reloaded in (False, True):
            if reloaded:
                page.reload()
                page.key("F3")
                poll("the paused title", lambda: page.driver.title == PAUSED_TITLE)
            standing = page.anchor_picture()
            page.key("Down")  # bound to nothing now
            page.ticks(1)
            self.assertEqual(page.anchor_picture(), standing, "Down still steers")
            page.key("S")
            page.ticks(1)
            self.assertTrue(page.anchor_picture() != standing, "S did not steer downhill")
        self.assertEqual(page.console_problems(), [])

    def test_sound_starts_with_a_gesture_and_nosound_makes_none(self):
        page = self.page([AUDIO_PROBE, HOLD_SOUNDS])
        page.open()
        self.assertEqual(page.js("return audioProbe.contexts"), 0, "audio before any gesture")
        page.key("F3")  # the first gesture makes the context
        poll("an audio context", lambda: page.js("return audioProbe.contexts") == 1)
        page.key("Insert")  # a jump from standing, and its landing's sound
        page.ticks(30)
        poll("a sound played", lambda: page.js("return audioProbe.started") >= 1)
        # The samples come after the game has started: until then it plays silent.
        self.assertEqual(page.js("return audioProbe.audible"), 0)
        page.js("releaseSounds()")

        def jump_heard():
            page.key("Insert")
            page.ticks(30)
            return page.js("return audioProbe.audible") > 0

        poll("a sound heard once the samples are in", jump_heard)
        # A paused game lets its context go at once (a suspended one still
        # wakes the renderer), well before the long silence would; the next
        # sound after the pause makes another.
        page.key("F3")  # the first F3 paused the game; this one resumes it
        poll("the game going on", lambda: page.js("return document.title") == TITLE)
        closed, started = page.js("return [audioProbe.closed, audioProbe.started]")
        page.key("F3")
        poll("the context closed by the pause",
             lambda: page.js("return audioProbe.closed") > closed, timeout=3)
        # Stepped, as the jumps above: the skier may lie in the snow a while
        # after its real-time run, so jump until one is heard.
        def jump_played():
            page.key("Insert")
            page.ticks(30)
            return page.js("return audioProbe.started") > started

        poll("a sound after the pause", jump_played)
        self.assertEqual(page.console_problems(), [])

        # No context at all with ?nosound, even with keys and clicks; and a
        # browser that refuses storage still plays and says once it will
        # not keep the scores.
        quiet = self.page([AUDIO_PROBE, NO_STORAGE])
        quiet.open("?nosound&scale=2")
        # ?scale=2: every game pixel is 2 x 2 device pixels, on whole pixels.
        ratio = quiet.js("return devicePixelRatio")
        left, top, css_width, _ = quiet.canvas_box()
        self.assertAlmostEqual(css_width * ratio, 2 * quiet.canvas_size()[0], delta=0.01)
        self.assertAlmostEqual(left * ratio, round(left * ratio), delta=0.01)
        self.assertAlmostEqual(top * ratio, round(top * ratio), delta=0.01)
        quiet.key("Down")
        width, height = quiet.canvas_size()
        quiet.mouse("mousePressed", width // 2, height // 2, "left", 1)
        quiet.mouse("mouseReleased", width // 2, height // 2, "left", 1)
        still = quiet.pixels()
        poll("skiing", lambda: quiet.pixels() != still)
        self.assertEqual(quiet.js("return audioProbe.contexts"), 0)
        note = quiet.js("const n = document.getElementById('storage-note');"
                        "return n.hidden ? '' : n.textContent")
        self.assertIn("high scores", note)
        self.assertEqual(quiet.console_problems(), [])


if __name__ == "__main__":
    unittest.main(verbosity=2)

"""Kept runs in real headless Chromium: a slalom finished in the page on a phone is kept
and shared, and the link opened in a fresh profile re-skis it to the same
verified time; a run recorded by the desktop program plays in the page to
its recorded result; a hostile link gets one line and the game plays on.
A kept run is raced: its ghost's splits show over the picture and its key
turns them off. On a phone, a watched run has the viewer's keys on the touch
bar. Run by scripts/test-web (SNOWVEL_WEB_URL names the served site)."""
import os
import unittest

from web_page_test import Page, poll

HERE = os.path.dirname(os.path.abspath(__file__))
NATIVE_RUN = os.path.join(HERE, "..", "runs", "slalom-run.replay")


class WebRunsTest(unittest.TestCase):
    def page(self):
        page = Page()
        self.addCleanup(page.close)
        return page

    @staticmethod
    def note(page):
        return page.js("const n = document.getElementById('runs-note');"
                       "return n.hidden ? '' : document.getElementById('runs-text').textContent;")

    def test_a_phone_slalom_is_kept_shared_and_verified_in_a_fresh_profile(self):
        # On a phone the first real key puts the touch bar away mid-run, and
        # the game grows into its room: a re-ski on a desktop, whose screen
        # stays the one the run began on, must give the window that size too.
        page = self.page()
        page.phone(360, 740)
        page.open()
        box = page.slalom()
        time = box["text"].split(" <--")[0].strip()
        page.answer_box()
        poll("the kept run in the list",
             lambda: page.js("return document.getElementById('kept-runs').options.length") == 1)
        page.js("document.getElementById('share-run').click()")
        link = poll("the link", lambda: page.js("return document.getElementById('run-link').value"))
        self.assertIn("#run=", link)
        self.assertLess(len(link), 8192)

        fresh = self.page()
        fresh.driver.get(link)
        note = poll("the re-skied result", lambda: "Re-skied" in self.note(fresh) and self.note(fresh))
        self.assertIn("slalom " + time + ": matches the recorded result", note)
        self.assertRegex(note, r"re-skied \d+ ticks in .* after [0-9.]+ s loading the game")
        fresh.wait_for_picture()
        # The visitor's ways on: a game of their own, or a race against the run.
        fresh.js("document.getElementById('watch-play').click()")
        poll("a game", lambda: fresh.js(
            "return location.hash === '' && window.snowvelProgram === 'snowvel'"))
        fresh.wait_for_picture()
        fresh.driver.get(link)
        poll("the choices", lambda: fresh.js(
            "return !document.getElementById('watch-choices').hidden"))
        fresh.js("document.getElementById('watch-race').click()")
        title = poll("the ghost ready", lambda: fresh.js(
            "const b = document.getElementById('ghost-toggle'); return !b.hidden && b.title"))
        self.assertIn("Racing the ghost of slalom " + time, title)
        self.assertEqual(fresh.console_problems(), [])

    def test_a_kept_run_is_raced_with_splits_and_its_key_turns_the_ghost_off(self):
        page = self.page()
        page.open()
        page.slalom()
        page.answer_box()
        poll("Race this run", lambda: page.js("return !document.getElementById('race-run').hidden"))
        page.js("document.getElementById('race-run').click()")
        page.wait_for_picture()
        title = poll("the ghost ready", lambda: page.js(
            "const b = document.getElementById('ghost-toggle'); return !b.hidden && b.title"))
        self.assertIn("Racing the ghost of slalom", title)
        page.slalom()
        page.answer_box()
        page.settle()
        width, height = page.canvas_size()
        strip = [0, height - 14, 40, 12]

        def paper():  # the splits strip's own colour, (32, 48, 64)
            data = page.pixels(strip)
            return sum(1 for i in range(0, len(data), 4) if data[i:i + 3] == [32, 48, 64])
        self.assertGreater(paper(), 100)
        page.key("G")
        poll("the ghost off", lambda: page.js(
            "return document.getElementById('ghost-toggle').textContent") == "Ghost: off")
        poll("the strip gone", lambda: paper() == 0)
        self.assertEqual(page.console_problems(), [])

    def test_a_run_watched_on_a_phone_is_readable_and_driven_by_the_viewers_bar(self):
        page = self.page()
        page.phone(360, 740)
        page.driver.get(page.url)
        with open(NATIVE_RUN, encoding="ascii") as f:
            page.js("sessionStorage.setItem('snowvel-open-run', arguments[0]); location.reload()",
                    f.read())
        poll("the re-skied result", lambda: "Re-skied" in self.note(page))
        page.wait_for_picture()

        def shown(selector):
            return page.js("const e = document.querySelector(arguments[0]);"
                           "return !!e && !e.closest('[hidden]') && e.getClientRects().length > 0;",
                           selector)

        def tap(selector):
            x, y = page.js("const r = document.querySelector(arguments[0]).getBoundingClientRect();"
                           "return [r.left + r.width / 2, r.top + r.height / 2];", selector)
            page.cdp("Input.dispatchTouchEvent", type="touchStart", touchPoints=[{"x": x, "y": y}])
            page.cdp("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])

        # The recorded window whole and unshrunk, though wider than the
        # phone's 360 CSS pixels, with every game pixel on a device pixel of
        # its own at least: the browser fits it, not the viewer.
        width, _ = page.canvas_size()
        self.assertGreater(width, 360)
        self.assertLessEqual(width, page.canvas_box()[2] * 3)
        # The viewer's keys instead of the game's.
        self.assertFalse(shown("#controls"))
        self.assertTrue(shown("#watch-controls [data-watch=watch-faster]"))
        tap("#watch-controls [data-watch=watch-pause]")
        poll("the paused title", lambda: page.driver.title == "Snowvel replay (paused)")
        self.assertEqual(page.js("return document.querySelector("
                                 "'[data-watch=watch-pause]').textContent"), "Play")
        tap("#watch-controls [data-watch=watch-result]")
        poll("the result", lambda: page.driver.title == "Snowvel replay (result)")
        # A game of the visitor's own: the game's keys again.
        page.js("document.getElementById('watch-play').click()")
        page.wait_for_picture()
        poll("the game's bar", lambda: shown("#controls [data-key=jump]"))
        self.assertFalse(shown("#watch-controls"))
        self.assertEqual(page.console_problems(), [])

    def test_a_desktop_run_plays_and_a_hostile_link_is_refused(self):
        page = self.page()
        page.open()
        with open(NATIVE_RUN, encoding="ascii") as f:
            run = f.read()
        # Dropped on the page as a file would be.
        page.js("""
            const data = new DataTransfer();
            data.items.add(new File([arguments[0]], 'slalom-run.replay'));
            window.dispatchEvent(new DragEvent('drop', {dataTransfer: data, cancelable: true}));
        """, run)
        note = poll("the re-skied result", lambda: "Re-skied" in self.note(page) and self.note(page))
        self.assertIn("slalom 0:01:24.32: matches the recorded result", note)

        page.driver.get(page.url + "#run=this+is+not+a+run")
        note = poll("the refusal", lambda: "cannot be played" in self.note(page) and self.note(page))
        self.assertIn("This run cannot be played: the link is not base64url text", note)
        self.assertNotIn("\n", note)
        page.wait_for_picture()  # the game is played instead


if __name__ == "__main__":
    unittest.main()

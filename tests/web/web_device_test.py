"""The page beyond the desktop's keyboard: installed as an app and played
offline, on a phone-sized touch screen, with a game pad, and with its scores
carried out and back in. Run by scripts/test-web beside web_page_test.py,
with the same Chromium driver.
"""
import json
import os
import re
import shutil
import signal
import subprocess
import tempfile
import unittest

from web_page_test import Page, poll, URL

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
SITE = os.environ.get("SNOWVEL_WEB_SITE", os.path.join(ROOT, "build", "web", "site"))

CACHES = "return caches.keys()"
DESCRIBE_ICONS = """
const done = arguments[arguments.length - 1];
fetch(document.querySelector('link[rel=manifest]').href).then(r => r.json()).then(async m => {
  m.real = [];
  for (const icon of m.icons) {
    const picture = await createImageBitmap(await (await fetch(icon.src)).blob());
    m.real.push(picture.width + 'x' + picture.height);
  }
  done(m);
}).catch(e => done(String(e)));
"""


class Server:
    """serve-site on a folder reached through a link, so another build can
    be put behind the same address (the same origin, as a release is)."""

    def __init__(self, folder):
        self.root = tempfile.mkdtemp(prefix="snowvel-site-")
        self.link = os.path.join(self.root, "site")
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
        self.process.send_signal(signal.SIGINT)
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


class WebDeviceTest(unittest.TestCase):
    def page(self, scripts=()):
        page = Page(scripts)
        self.addCleanup(page.close)
        return page

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


if __name__ == "__main__":
    unittest.main(verbosity=2)

"""Figures for the page in headless Chromium (run by `scripts/measure web`):

- bytes transferred for a first load (a fresh profile, each file as served:
  its brotli form, Chromium accepting brotli), each file's share of it, and
  apart the sound samples the page fetches after its first picture,
- navigation to the first picture with the skier (the page's own mark),
  median and spread of several cold loads,
- the bytes the server sent for a first visit, counted by the server
  (SNOWVEL_WEB_LOG, serve-site's --log): the page and what the service
  worker keeps, up to the moment it has kept the whole site,
- navigation to the first picture with the network off, the page from the
  service worker's copy,
- CPU of the renderer and of all of Chromium over SECONDS: a still canvas
  page (the floor, measured in the same run so that the comparison holds on
  any machine), the game skiing, and the game paused from 2 s after the
  pause: never having made a sound, after skiing with sound, and paused by
  a (stand-in) game pad still connected, that last one also against a still
  page that listens for pads. The floors' windows and the paused ones last
  at least 30 s (a tick of CPU time is 10 ms: 0.1 % of a core is then three
  of them) and open 40 s after the page's first picture, whatever came
  before: some 30 s after a load the browser shrinks any page's heap once,
  still page or game, and a window that caught it on one page only would
  charge it to the pause.

  SNOWVEL_WEB_URL=http://127.0.0.1:N/ python3 measure_page.py [SECONDS] [LOADS]
"""
import os
import shutil
import statistics
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from web_device_test import STAND_IN_PAD  # noqa: E402

URL = os.environ.get("SNOWVEL_WEB_URL", "http://127.0.0.1:8000/")
SOUNDS = "snowvel.sounds"
CLK_TCK = os.sysconf("SC_CLK_TCK")


def browser(profile, scripts=()):
    options = webdriver.ChromeOptions()
    options.binary_location = os.environ.get("CHROMIUM", "/usr/bin/chromium")
    for arg in ("--headless=new", "--no-sandbox", "--window-size=1000,800",
                "--user-data-dir=" + profile):
        options.add_argument(arg)
    service = Service(os.environ.get("CHROMEDRIVER", "/usr/bin/chromedriver"))
    driver = webdriver.Chrome(service=service, options=options)
    driver.execute_cdp_cmd("Emulation.setFocusEmulationEnabled", {"enabled": True})
    for script in scripts:
        driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": script})
    return driver


def wait_until_kept(driver):
    """Until the service worker runs the page and has kept the site."""
    deadline = time.monotonic() + 30
    while time.monotonic() < deadline:
        if driver.execute_script("return !!navigator.serviceWorker.controller && "
                                 "caches.keys().then(k => k.length === 1)"):
            return
        time.sleep(0.05)
    raise SystemExit("measure: the service worker kept nothing")


def served_bytes(log):
    """Bytes per file in serve-site's log."""
    sizes = {}
    with open(log) as f:
        for line in f:
            path, size = line.rsplit(" ", 1)
            name = path.split("?")[0].rsplit("/", 1)[-1] or "index.html"
            sizes[name] = sizes.get(name, 0) + int(size)
    return sizes


def resource_entries(driver):
    """[name, bytes transferred, bytes unpacked] of the page and what it fetched."""
    return driver.execute_script("""
        const entries = performance.getEntriesByType('navigation')
            .concat(performance.getEntriesByType('resource'));
        // The page's address asked again by a script is the board probe's HEAD.
        return entries.map(e => [e.name.split('/').pop() ||
                                     (e.initiatorType === 'navigation' ? 'index.html'
                                                                       : './ (board probe)'),
                                 e.transferSize, e.decodedBodySize]);
    """)


def first_picture_ms(driver):
    deadline = time.monotonic() + 30
    while time.monotonic() < deadline:
        ms = driver.execute_script(
            "const m = performance.getEntriesByName('snowvel-first-picture');"
            "return m.length ? m[0].startTime : null;")
        if ms is not None:
            return ms
        time.sleep(0.01)
    raise SystemExit("measure: the page showed no picture")


def processes(driver, kind=b"--type=renderer"):
    """The processes of the Chromium that chromedriver started whose command
    line holds kind (b"" for all of them)."""
    parent, command = {}, {}
    for pid in os.listdir("/proc"):
        if not pid.isdigit():
            continue
        try:
            with open("/proc/%s/stat" % pid) as f:
                parent[int(pid)] = int(f.read().rsplit(")", 1)[1].split()[1])
            with open("/proc/%s/cmdline" % pid, "rb") as f:
                command[int(pid)] = f.read()  # Chromium rewrites it as one line
        except OSError:
            continue
    root = driver.service.process.pid

    def descends(pid):
        while pid in parent and pid > 1:
            if pid == root:
                return True
            pid = parent[pid]
        return False

    return [pid for pid, line in command.items()
            if kind in line and descends(pid) and pid != root]


def cpu_ticks(pid):
    try:
        with open("/proc/%d/stat" % pid) as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return int(fields[11]) + int(fields[12])
    except OSError:
        return 0


def cpu_shares(driver, seconds, keep_going=None):
    """Shares of one core used by the renderers and by the whole browser."""
    renderers, everything = processes(driver), processes(driver, b"")
    if not renderers:
        raise SystemExit("measure: no renderer process found")
    before = [sum(cpu_ticks(p) for p in group) for group in (renderers, everything)]
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        time.sleep(1)
        if keep_going:
            keep_going()
    after = [sum(cpu_ticks(p) for p in group) for group in (renderers, everything)]
    return [100.0 * (a - b) / CLK_TCK / seconds for a, b in zip(after, before)]


# Marks the moment the program's WebAssembly is compiled and instantiated.
MARK_INSTANTIATED = """
for (const name of ['instantiateStreaming', 'instantiate']) {
  const real = WebAssembly[name];
  WebAssembly[name] = function() {
    return real.apply(this, arguments).then(result => {
      performance.mark('measure-instantiated');
      return result;
    });
  };
}
"""


def start_stages(driver):
    """A cold load's stages: the page, the program's script and WebAssembly
    received, the WebAssembly instantiated (compiled while it streamed in),
    the first picture."""
    return driver.execute_script("""
        const at = {};
        const nav = performance.getEntriesByType('navigation')[0];
        at['page received'] = nav.responseEnd;
        for (const e of performance.getEntriesByType('resource')) {
          const name = e.name.split('/').pop();
          if (name === 'snowvel.js' || name === 'snowvel.wasm')
            at[name + ' received'] = e.responseEnd;
        }
        for (const name of ['measure-instantiated', 'snowvel-first-picture']) {
          const mark = performance.getEntriesByName(name)[0];
          if (mark) at[name.replace(/^(measure|snowvel)-/, '')] = mark.startTime;
        }
        return at;
    """)


def key(driver, code, key_name, vk):
    for kind in ("rawKeyDown", "keyUp"):
        driver.execute_cdp_cmd("Input.dispatchKeyEvent", {
            "type": kind, "code": code, "key": key_name, "windowsVirtualKeyCode": vk})


def main():
    seconds = int(sys.argv[1]) if len(sys.argv) > 1 else 20
    loads = int(sys.argv[2]) if len(sys.argv) > 2 else 9

    # Cold loads, each in a fresh profile: nothing cached, nothing compiled.
    times, transferred, stages = [], None, []
    for i in range(loads):
        profile = tempfile.mkdtemp(prefix="snowvel-measure-")
        driver = browser(profile, [MARK_INSTANTIATED])
        try:
            driver.get(URL)
            times.append(first_picture_ms(driver))
            stages.append(start_stages(driver))
            if transferred is None:
                # The sounds come after the first picture: waited for, and told apart.
                deadline = time.monotonic() + 30
                while not any(e[0] == SOUNDS for e in resource_entries(driver)):
                    if time.monotonic() > deadline:
                        raise SystemExit("measure: the page fetched no " + SOUNDS)
                    time.sleep(0.05)
                transferred = resource_entries(driver)
        finally:
            driver.quit()
            shutil.rmtree(profile, ignore_errors=True)

    log = os.environ.get("SNOWVEL_WEB_LOG")
    worker_script = 0
    if log:
        # A first visit until the service worker has kept the site: its
        # copies of what the page just fetched are revalidations (304).
        open(log, "w").close()
        profile = tempfile.mkdtemp(prefix="snowvel-measure-")
        driver = browser(profile)
        try:
            driver.get(URL)
            first_picture_ms(driver)
            wait_until_kept(driver)
        finally:
            driver.quit()
            shutil.rmtree(profile, ignore_errors=True)
        sizes = served_bytes(log)
        total = sum(sizes.values())
        print("first visit, bytes served (as Chromium accepts them, headers included, service worker's copy "
              "included): %d = %.1f KB" % (total, total / 1024))
        for name in sorted(sizes, key=sizes.get, reverse=True):
            print("  %-20s %8d" % (name, sizes[name]))
        worker_script = sizes.get("sw.js", 0)

    # The page from the service worker's copy, the network off.
    profile = tempfile.mkdtemp(prefix="snowvel-measure-")
    driver = browser(profile)
    offline = []
    try:
        driver.get(URL)
        first_picture_ms(driver)
        wait_until_kept(driver)
        driver.execute_cdp_cmd("Network.enable", {})
        driver.execute_cdp_cmd("Network.emulateNetworkConditions", {
            "offline": True, "latency": 0, "downloadThroughput": -1, "uploadThroughput": -1})
        for _ in range(loads):
            driver.refresh()
            offline.append(first_picture_ms(driver))
    finally:
        driver.quit()
        shutil.rmtree(profile, ignore_errors=True)
    print("navigation to the first picture offline, from the service worker's copy, %d loads: "
          "median %.0f ms (min %.0f, max %.0f)"
          % (loads, statistics.median(offline), min(offline), max(offline)))

    # The page's own requests (the manifest and its icon among them) and the
    # service worker's script; not the worker's copy of the site, nor the
    # sounds, which come once the game shows.
    sounds = [entry for entry in transferred if entry[0] == SOUNDS]
    first = [entry for entry in transferred if entry[0] != SOUNDS]
    total = sum(size for _, size, _ in first) + worker_script
    print("first load, bytes transferred (each file as served to a browser that accepts brotli, "
          "headers included, sw.js %d of them): %d = %.1f KB" % (worker_script, total, total / 1024))
    for name, size, body in first + ([["sw.js", worker_script, 0]] if log else []):
        print("  %-20s %8d transferred (%4.1f%%), %8d unpacked"
              % (name, size, 100.0 * size / total, body))
    for name, size, body in sounds:
        print("after the first picture: %-20s %8d transferred, %8d unpacked" % (name, size, body))
    print("navigation to the first picture with the skier, %d cold loads: median %.0f ms "
          "(min %.0f, max %.0f)" % (loads, statistics.median(times), min(times), max(times)))
    print("  where they go (medians, ms from navigation): " + ", ".join(
        "%s %.0f" % (stage, statistics.median(load[stage] for load in stages))
        for stage in stages[0]))

    # CPU: a still canvas page as the floor, then the game skiing and paused
    # (from 2 s after the pause), after sound and without, with a pad in hand.
    opens_after, quiet_seconds = 40, max(seconds, 30)
    still = cpu_of(STILL_PAGE, quiet_seconds, lambda driver: None, opens_after)
    still_hearing_pads = cpu_of(STILL_PAGE_HEARING_PADS, quiet_seconds,
                                lambda driver: driver.execute_script("plugPad()"), opens_after)

    skiing = []

    def ski_then_pause(driver):
        # Straight down again after every crash.
        skiing.append(cpu_shares(driver, seconds,
                                 lambda: key(driver, "ArrowDown", "ArrowDown", 40)))
        key(driver, "F3", "F3", 114)

    def pause_with_the_pad(driver):
        key(driver, "ArrowDown", "ArrowDown", 40)
        time.sleep(2)
        driver.execute_script("plugPad()")
        time.sleep(1)
        for _ in range(3):  # Start until paused (the first press may only join)
            for down in (True, False):
                driver.execute_script("press(9, arguments[0])", down)
                time.sleep(0.3)
            if "Paused" in driver.title:
                return
        raise SystemExit("measure: the pad's Start did not pause the game")

    paused_after_sound = cpu_of(URL, quiet_seconds, ski_then_pause, opens_after)
    paused_silent = cpu_of(URL + "?nosound", quiet_seconds,
                           lambda driver: key(driver, "F3", "F3", 114), opens_after)
    paused_pad = cpu_of(URL + "?nosound", quiet_seconds, pause_with_the_pad, opens_after)
    print("cpu: skiing over %d s; the floors and the paused pages over %d s from %d s after "
          "the first picture" % (seconds, quiet_seconds, opens_after))
    rows = (("still canvas page (the floor)", still, None),
            ("still page hearing a pad", still_hearing_pads, None),
            ("skiing", skiing[0], None),
            ("paused, never a sound", paused_silent, still),
            ("paused after skiing with sound", paused_after_sound, still),
            ("paused by a pad, the pad connected", paused_pad, still),
            ("  the same against a page hearing a pad", paused_pad, still_hearing_pads))
    for label, (renderer, everything), floor in rows:
        over = ("" if floor is None else "  over its floor: renderer %+.2f%%, all %+.2f%%"
                % (renderer - floor[0], everything - floor[1]))
        print("cpu, %-40s renderer %5.2f%%, all of Chromium %5.2f%% of one core%s"
              % (label, renderer, everything, over))


# A page that draws once and then sleeps: what any page costs here.
STILL_PAGE = ("data:text/html,<canvas id=c width=640 height=480></canvas>"
              "<script>c.getContext('2d').fillRect(10,10,100,100)</script>")
# The same, listening for pads: the browser samples every pad for as long as
# a page listens, which any page that can hear a pad's Start pays.
STILL_PAGE_HEARING_PADS = STILL_PAGE + "<script>addEventListener('gamepadconnected',()=>{})</script>"


def cpu_of(url, seconds, prepare, opens_after):
    """Renderer and whole-browser CPU over SECONDS from 2 s after prepare,
    and no sooner than OPENS_AFTER seconds after the first picture."""
    profile = tempfile.mkdtemp(prefix="snowvel-measure-")
    driver = browser(profile, [STAND_IN_PAD])
    try:
        driver.get(url)
        if not url.startswith("data:"):
            first_picture_ms(driver)
        shown = time.monotonic()
        time.sleep(1)
        prepare(driver)
        time.sleep(max(2, shown + opens_after - time.monotonic()))
        return cpu_shares(driver, seconds)
    finally:
        driver.quit()
        shutil.rmtree(profile, ignore_errors=True)

if __name__ == "__main__":
    main()

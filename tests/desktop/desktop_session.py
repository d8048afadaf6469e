#!/usr/bin/env python3
"""End-to-end checks of snowvel in a real window: a private Xvfb desktop with
openbox, input through xdotool (XTEST), and the picture read back with xwd.

Every wait is a bounded poll; nothing sleeps for a fixed long time. Run one
scenario: desktop_session.py --snowvel PATH SCENARIO (see SCENARIOS)."""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import xwd_image  # noqa: E402

WHITE = 0xFFFFFF
TITLE = "Snowvel"
PAUSED_TITLE = "Snowvel Paused ... Press F3 to continue"
WAIT = 10.0  # seconds any one thing may take on a loaded machine


class Failure(Exception):
    pass


def poll(what, check, timeout=WAIT, interval=0.05):
    """Calls check until it returns something true, or fails after timeout."""
    deadline = time.monotonic() + timeout
    while True:
        result = check()
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure("timed out waiting for " + what)
        time.sleep(interval)


class Desktop:
    def __init__(self, snowvel):
        self.snowvel = snowvel
        self.home = tempfile.mkdtemp(prefix="snowvel-desktop-")
        self.runtime = os.path.join(self.home, "runtime")
        self.data = os.path.join(self.home, "data")
        os.mkdir(self.runtime, 0o700)
        os.mkdir(self.data)
        self.processes = []
        self.display = None

    # -- the X server and the window manager --------------------------------
    def start(self):
        read_end, write_end = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(xvfb)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + WAIT
        while not number.endswith(b"\n"):
            if time.monotonic() > deadline or xvfb.poll() is not None:
                raise Failure("Xvfb did not start")
            chunk = os.read(read_end, 16)
            if not chunk:
                raise Failure("Xvfb did not say its display")
            number += chunk
        os.close(read_end)
        self.display = ":" + number.decode().strip()
        wm = subprocess.Popen(["openbox"], env=self.env(), stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL)
        self.processes.append(wm)
        # A window manager that answers for desktops is up.
        poll("openbox", lambda: self.xdotool("get_desktop", check=False) is not None)

    def env(self):
        env = dict(os.environ)
        env.update({
            "DISPLAY": self.display,
            "XDG_RUNTIME_DIR": self.runtime,
            "SNOWVEL_DATA_DIR": self.data,
            "HOME": self.home,
            "SDL_AUDIODRIVER": "dummy",
        })
        # A sanitizer build: the desktop libraries' own lifetime allocations
        # are no leaks of ours.
        suppressions = os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                    "lsan_suppressions.txt")
        lsan = env.get("LSAN_OPTIONS", "")
        env["LSAN_OPTIONS"] = (lsan + ":" if lsan else "") + \
            "suppressions=%s:print_suppressions=0" % suppressions
        return env

    def stop(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        shutil.rmtree(self.home, ignore_errors=True)

    # -- tools ---------------------------------------------------------------
    def xdotool(self, *args, check=True):
        result = subprocess.run(["xdotool", *args], env=self.env(), capture_output=True,
                                text=True, timeout=WAIT)
        if result.returncode != 0:
            if check:
                raise Failure("xdotool %s: %s" % (" ".join(args), result.stderr.strip()))
            return None
        return result.stdout.strip()

    def start_game(self, *args, extra_env=None):
        game = subprocess.Popen([self.snowvel, *args], env={**self.env(), **(extra_env or {})},
                                stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        self.processes.append(game)
        return game

    def visible_windows(self, game, title):
        found = self.xdotool("search", "--all", "--onlyvisible", "--pid", str(game.pid),
                             "--name", "^%s$" % re.escape(title), check=False)
        return found.split() if found else []

    def wait_for_window(self, game, title=TITLE):
        return poll("a visible window titled %r" % title,
                    lambda: (self.visible_windows(game, title) or [None])[0])

    def title(self, window):
        return self.xdotool("getwindowname", window)

    def screenshot(self, window):
        data = subprocess.run(["xwd", "-silent", "-id", window], env=self.env(),
                              capture_output=True, timeout=WAIT, check=True).stdout
        return xwd_image.read_xwd(data)

    def focus(self, window):
        self.xdotool("windowactivate", "--sync", window, check=False)
        poll("the game's window to have the focus",
             lambda: self.xdotool("getactivewindow", check=False) == window)

    def key(self, *keys):
        self.xdotool("key", "--delay", "30", *keys)


def main_thread_wakeups(game):
    """Voluntary context switches of the game's window thread so far: each
    wait that ends (a timer, an event) is one."""
    with open("/proc/%d/task/%d/status" % (game.pid, game.pid)) as status:
        for line in status:
            if line.startswith("voluntary_ctxt_switches:"):
                return int(line.split()[1])
    raise Failure("no context switch count for the game")


def wakeups_over(game, seconds):
    before = main_thread_wakeups(game)
    time.sleep(seconds)
    return main_thread_wakeups(game) - before


def anchor_box(image, half=14):
    """The skier's place: horizontally centred, a third of the way down."""
    x, y = image.width // 2, image.height // 3
    return (x - half, y - half, x + half, y + half)


def skier_pixels(image):
    return image.count(*anchor_box(image), predicate=lambda p: p != WHITE)


def anchor_picture(image):
    return image.region(*anchor_box(image))


def wait_for_exit(game, what):
    try:
        return game.wait(timeout=WAIT)
    except subprocess.TimeoutExpired:
        raise Failure("%s: the game did not end" % what)


# -- scenarios -----------------------------------------------------------------

def window_appears(desk):
    game = desk.start_game()
    window = desk.wait_for_window(game)
    if desk.title(window) != TITLE:
        raise Failure("title %r" % desk.title(window))
    image = poll("the skier at the anchor",
                 lambda: (lambda i: i if skier_pixels(i) >= 20 else None)(desk.screenshot(window)))
    # As tall as the screen allows, on it, with room above for the title bar.
    if image.y < 15 or image.y + image.height > 1024 or image.height < 900:
        raise Failure("client area %dx%d at %d,%d on a 1280x1024 screen"
                      % (image.width, image.height, image.x, image.y))
    if image.count(image.width - 80, 0, image.width, 40, lambda p: p != WHITE) < 50:
        raise Failure("no status panel in the top right corner")
    game.terminate()
    if wait_for_exit(game, "SIGTERM") != 0:
        raise Failure("a terminated game should still end with 0")


def scaled_pixels_stay_sharp(desk):
    game = desk.start_game("--scale", "2")
    window = desk.wait_for_window(game)
    image = poll("the skier at the anchor",
                 lambda: (lambda i: i if skier_pixels(i) >= 40 else None)(desk.screenshot(window)))
    # Whole game pixels, and still as tall as the screen allows.
    if image.width % 2 or image.height % 2 or image.height < 900:
        raise Failure("client area %dx%d at scale 2" % (image.width, image.height))
    # Every game pixel is a 2x2 block: the four real pixels of each block agree.
    for y in range(0, image.height - 1, 2):
        for x in range(0, image.width - 1, 2):
            p = image.pixel(x, y)
            if not p == image.pixel(x + 1, y) == image.pixel(x, y + 1) == image.pixel(x + 1, y + 1):
                raise Failure("the block at %d,%d is not one colour" % (x, y))


def pause_and_resume(desk):
    game = desk.start_game("nosound")
    window = desk.wait_for_window(game)
    desk.focus(window)
    if wakeups_over(game, 1.0) < 10:
        raise Failure("the game is not ticking while it runs")
    desk.key("F3")
    poll("the paused title", lambda: desk.title(window) == PAUSED_TITLE)
    # Paused: the window thread sleeps in its wait; no timer, no polling.
    wakeups = wakeups_over(game, 1.5)
    if wakeups > 3:
        raise Failure("%d wakeups in 1.5 s while paused" % wakeups)
    desk.key("F3")
    poll("the running title", lambda: desk.title(window) == TITLE)


def steering_changes_the_pose(desk):
    game = desk.start_game()
    window = desk.wait_for_window(game)
    desk.focus(window)
    poll("the skier", lambda: skier_pixels(desk.screenshot(window)) >= 20)
    standing = anchor_picture(desk.screenshot(window))
    desk.key("Down")  # straight downhill: another picture of the skier
    downhill = poll("a new pose after Down",
                    lambda: (lambda p: p if p != standing else None)(
                        anchor_picture(desk.screenshot(window))))
    desk.key("Right", "Right")  # turned further to the right
    poll("a new pose after Right", lambda: anchor_picture(desk.screenshot(window)) != downhill)
    poll("the skier still at the anchor", lambda: skier_pixels(desk.screenshot(window)) >= 20)


def mouse_steers(desk):
    game = desk.start_game()
    window = desk.wait_for_window(game)
    desk.focus(window)
    image = poll("the skier", lambda: (lambda i: i if skier_pixels(i) >= 20 else None)(
        desk.screenshot(window)))
    standing = anchor_picture(image)
    x, y = image.width // 2, image.height // 3
    # The first move after start only tells the game where the cursor is;
    # the next one, below and to the right, turns the skier that way.
    desk.xdotool("mousemove", "--window", window, str(x + 100), str(y + 300))
    desk.xdotool("mousemove", "--window", window, str(x + 101), str(y + 300))
    poll("a new pose after the mouse moved",
         lambda: anchor_picture(desk.screenshot(window)) != standing)


def escape_minimises(desk):
    game = desk.start_game("nosound")
    window = desk.wait_for_window(game)
    desk.focus(window)
    desk.key("Escape")
    poll("the window to leave the screen", lambda: not desk.visible_windows(game, TITLE))
    wakeups = wakeups_over(game, 1.5)
    if wakeups > 3:
        raise Failure("%d wakeups in 1.5 s while minimised: the game still ticks" % wakeups)
    if game.poll() is not None:
        raise Failure("the game ended instead of minimising")
    # Asleep in a wait without end, a SIGTERM still ends the game normally.
    game.terminate()
    if wait_for_exit(game, "SIGTERM while minimised") != 0:
        raise Failure("a terminated game should end with 0")


def second_start_raises_the_first(desk):
    first = desk.start_game("nosound")
    window = desk.wait_for_window(first)
    desk.focus(window)
    desk.key("Escape")
    poll("the first window to be minimised", lambda: not desk.visible_windows(first, TITLE))
    second = desk.start_game("nosound")
    code = wait_for_exit(second, "second start")
    if code != 0:
        raise Failure("the second start ended with %d: %s" % (code, second.stdout.read()))
    restored = desk.wait_for_window(first)
    if restored != window:
        raise Failure("another window came up instead of the first")
    if first.poll() is not None:
        raise Failure("the first game ended")
    poll("the first game to tick again", lambda: wakeups_over(first, 0.5) >= 5)


def closing_exits_zero(desk):
    game = desk.start_game()
    window = desk.wait_for_window(game)
    desk.focus(window)
    desk.key("Down")
    desk.key("alt+F4")  # openbox closes the window the polite way
    try:
        code = game.wait(timeout=WAIT)
    except subprocess.TimeoutExpired:
        still = "still shown" if desk.visible_windows(game, TITLE) else "gone"
        raise Failure("closing the window: the game did not end (its window is %s)" % still)
    if code != 0:
        raise Failure("closing ended the game with %d: %s" % (code, game.stdout.read()))
    if os.listdir(desk.runtime):
        raise Failure("left behind in the runtime directory: %s" % os.listdir(desk.runtime))


def startup_trace_is_written(desk):
    """SNOWVEL_TRACE_STARTUP: the steps in order, on clocks that agree with
    ours, written once the game's picture is up. No speed is asserted."""
    trace = os.path.join(desk.home, "startup.txt")
    launched_us = time.time_ns() // 1000
    game = desk.start_game("nosound", extra_env={"SNOWVEL_TRACE_STARTUP": trace})
    poll("the start-up trace", lambda: os.path.exists(trace) and os.path.getsize(trace) > 0)
    seen_us = time.time_ns() // 1000
    window = desk.wait_for_window(game)
    with open(trace) as text:
        steps = [line.split() for line in text if not line.startswith("#")]
    names = [step[0] for step in steps]
    wanted = ["backend_start", "sdl_init", "window_created", "window_shown", "first_present",
              "first_picture"]
    if [name for name in names if name in wanted] != wanted or len(set(names)) != len(names):
        raise Failure("steps %s" % names)
    since_start = [float(step[1]) for step in steps]
    wall_us = [int(step[2]) for step in steps]
    if since_start != sorted(since_start) or wall_us != sorted(wall_us):
        raise Failure("steps out of order: %s" % steps)
    # The wall clock lies between our start of the game and our finding the
    # file; the count from the process start (to 10 ms) is no longer than that.
    if wall_us[0] < launched_us or wall_us[-1] > seen_us:
        raise Failure("wall clock %s outside [%d, %d]" % (wall_us, launched_us, seen_us))
    if since_start[0] < 0 or since_start[-1] > (seen_us - launched_us) / 1000 + 20:
        raise Failure("ms since the process started %s, %d us after launch"
                      % (since_start, seen_us - launched_us))
    if skier_pixels(desk.screenshot(window)) < 20:
        raise Failure("the trace was written but the skier is not in the window")


SCENARIOS = {
    "window": window_appears,
    "scale": scaled_pixels_stay_sharp,
    "pause": pause_and_resume,
    "steer": steering_changes_the_pose,
    "mouse": mouse_steers,
    "minimise": escape_minimises,
    "second-start": second_start_raises_the_first,
    "close": closing_exits_zero,
    "startup-trace": startup_trace_is_written,
}


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--snowvel", required=True)
    parser.add_argument("--keep-screenshot", help="save the last window picture here on failure")
    parser.add_argument("scenario", choices=sorted(SCENARIOS))
    args = parser.parse_args()
    desk = Desktop(os.path.abspath(args.snowvel))
    try:
        desk.start()
        SCENARIOS[args.scenario](desk)
    except Failure as failure:
        print("FAILED %s: %s" % (args.scenario, failure))
        return 1
    finally:
        desk.stop()
    print("passed " + args.scenario)
    return 0


if __name__ == "__main__":
    sys.exit(main())

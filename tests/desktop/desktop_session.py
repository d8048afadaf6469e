#!/usr/bin/env python3
"""End-to-end checks of snowvel in a real window: a private Xvfb desktop with
openbox, input through xdotool (XTEST), and the picture read back with xwd.

Every wait is a bounded poll; nothing sleeps for a fixed long time. Run one
scenario: desktop_session.py --snowvel PATH SCENARIO (see SCENARIOS)."""

import argparse
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "pylib"))
import polling  # noqa: E402
import xwd_image  # noqa: E402
from find_sprite import WHITE, anchor  # noqa: E402

TITLE = "Snowvel"
PAUSED_TITLE = "Snowvel Paused ... Press F3 to continue"
WAIT = 10.0  # seconds any one thing may take on a loaded machine


class Failure(Exception):
    pass


def poll(what, check, timeout=WAIT, interval=0.05):
    """Calls check until it returns something true, or fails after timeout."""
    return polling.poll(what, check, timeout, interval, Failure)


class Desktop:
    def __init__(self, snowvel, screen="1280x1024", pad_driver=None, wm_defaults=False):
        self.snowvel = snowvel
        self.wm_defaults = wm_defaults
        self.screen = screen
        self.pad_driver = pad_driver
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
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", self.screen + "x24",
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
        wm = subprocess.Popen(["openbox", *self.openbox_config()], env=self.env(),
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(wm)
        # A window manager that answers for desktops is up.
        poll("openbox", lambda: self.xdotool("get_desktop", check=False) is not None)

    def openbox_config(self):
        """The system's openbox settings, less the key that takes PrintScreen
        for a screenshot tool of its own."""
        system = "/etc/xdg/openbox/rc.xml"
        if self.wm_defaults or not os.path.exists(system):
            return []
        with open(system) as text:
            settings = re.sub(r'<keybind key="Print">.*?</keybind>', "", text.read(), flags=re.S)
        path = os.path.join(self.home, "openbox.xml")
        with open(path, "w") as out:
            out.write(settings)
        return ["--config-file", path]

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
    """Around the skier's place."""
    x, y = anchor(image.width, image.height)
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


def non_white(pixel):
    return pixel != WHITE


def fullscreen_and_back(desk):
    """F11 and Alt+Enter at scale 2: the whole screen, the game laid out for
    it (panel in the new corner, skier at the new anchor, the mouse steering),
    then the window as it was."""
    game = desk.start_game("--scale", "2", "nosound")
    window = desk.wait_for_window(game)
    desk.focus(window)
    windowed = poll("the skier", lambda: (lambda i: i if skier_pixels(i) >= 40 else None)(
        desk.screenshot(window)))
    desk.key("F11")
    # The skier at the new anchor and the panel in the new top right corner.
    full = poll("the game laid out on the whole screen", lambda: (lambda i: i if (
        (i.x, i.y, i.width, i.height) == (0, 0, 1280, 1024) and skier_pixels(i) >= 20
        and i.count(i.width - 160, 0, i.width, 80, non_white) >= 100) else None)(
            desk.screenshot(window)))
    standing = anchor_picture(full)
    x, y = full.width // 2, full.height // 3
    desk.xdotool("mousemove", "--window", window, str(x + 200), str(y + 600))
    desk.xdotool("mousemove", "--window", window, str(x + 202), str(y + 600))
    poll("a new pose after the mouse moved in fullscreen",
         lambda: anchor_picture(desk.screenshot(window)) != standing)
    desk.key("alt+Return")
    poll("the window back as it was", lambda: (lambda i: (i.x, i.y, i.width, i.height) == (
        windowed.x, windowed.y, windowed.width, windowed.height) and skier_pixels(i) >= 20)(
            desk.screenshot(window)))
    if game.poll() is not None or desk.title(window) != TITLE:
        raise Failure("the game did not carry on as it was")
    game.terminate()
    wait_for_exit(game, "SIGTERM")
    # --fullscreen: so from the start.
    game = desk.start_game("--fullscreen", "nosound")
    window = desk.wait_for_window(game)
    poll("a fullscreen start", lambda: (lambda i: (i.width, i.height) == (1280, 1024) and
                                        skier_pixels(i) >= 20)(desk.screenshot(window)))
    # The game's own picture is the whole screen: no strip left for a frame.
    desk.focus(window)
    desk.key("Print")
    folder = os.path.join(desk.home, "Pictures", "Snowvel")
    saved = poll("the fullscreen screenshot", lambda: [n for n in os.listdir(folder)
                                                       if n.endswith(".png")]
                 if os.path.isdir(folder) else None)
    with open(os.path.join(folder, saved[0]), "rb") as png:
        shot = xwd_image.read_png(png.read())
    if (shot.width, shot.height) != (1280, 1024):
        raise Failure("fullscreen screenshot %dx%d on a 1280x1024 screen" % (shot.width, shot.height))


class VirtualPads:
    """Controllers plugged into the running game through the preloaded driver."""

    def __init__(self, desk):
        if not desk.pad_driver:
            raise Failure("the controller scenario needs --pad-driver")
        self.fifo = os.path.join(desk.home, "pads")
        os.mkfifo(self.fifo)
        asan = os.environ.get("ASAN_OPTIONS", "")
        self.env = {"LD_PRELOAD": desk.pad_driver, "SNOWVEL_TEST_PAD_FIFO": self.fifo,
                    # the driver comes ahead of a sanitizer's runtime
                    "ASAN_OPTIONS": (asan + ":" if asan else "") + "verify_asan_link_order=0"}

    def send(self, *commands):
        def opened():
            try:
                return os.open(self.fifo, os.O_WRONLY | os.O_NONBLOCK)
            except OSError:  # the driver is not (yet) reading
                return None
        fifo = poll("the virtual pad driver", opened)
        os.write(fifo, "".join(command + "\n" for command in commands).encode())
        os.close(fifo)

    def hold_until(self, what, slot, control, value, done, release=0, attempts=5):
        """Holds a button or the stick until done() (the game may not have
        opened a pad that was just plugged in), then lets it go."""
        verb = "axis" if control.startswith(("left", "right")) else "button"
        for _ in range(attempts):
            self.send("%s %d %s %d" % (verb, slot, control, value))
            try:
                result = poll(what, done, timeout=2.0)
                self.send("%s %d %s %d" % (verb, slot, control, release))
                return result
            except Failure:
                self.send("%s %d %s %d" % (verb, slot, control, release))
                time.sleep(0.1)
        raise Failure("timed out waiting for " + what)


def controller_plays(desk):
    """Two virtual controllers: the D-pad and a held stick steer (the stick
    repeating), south jumps, Start pauses and resumes, Back starts a new
    game; one unplugged, the other plays on."""
    pads = VirtualPads(desk)
    game = desk.start_game("nosound", extra_env=pads.env)
    window = desk.wait_for_window(game)
    desk.focus(window)
    standing = poll("the skier", lambda: (lambda i: anchor_picture(i) if skier_pixels(i) >= 20
                                          else None)(desk.screenshot(window)))
    pose = lambda: anchor_picture(desk.screenshot(window))  # noqa: E731
    pads.send("plug 0", "plug 1")
    downhill = pads.hold_until("a new pose after D-pad down", 0, "dpdown", 1,
                               lambda: (lambda p: p if p != standing else None)(pose()))
    # Left on the stick turns once at once, and on by itself while held.
    pads.send("axis 0 leftx -30000")
    turned = poll("a turn on the stick", lambda: (lambda p: p if p != downhill else None)(pose()))
    poll("the held stick to repeat", lambda: pose() not in (downhill, turned), timeout=4.0)
    pads.send("axis 0 leftx 0")
    on_ground = pose()
    pads.hold_until("a jump on the second pad's south button", 1, "a", 1,
                    lambda: pose() != on_ground)
    pads.hold_until("the pause on Start", 1, "start", 1,
                    lambda: desk.title(window) == PAUSED_TITLE)
    pads.hold_until("the game to resume on Start", 1, "start", 1,
                    lambda: desk.title(window) == TITLE)
    pads.send("unplug 0")
    pads.hold_until("a new game on Back", 1, "back", 1, lambda: pose() == standing)
    pads.send("unplug 1")
    if game.poll() is not None:
        raise Failure("the game ended when its controllers went")


def screenshot_is_the_game(desk):
    """PrintScreen: a PNG in the pictures folder user-dirs.dirs names, the
    client area at game resolution; a folder that cannot be made is told on
    stderr and the game plays on."""
    config = os.path.join(desk.home, "config")
    os.mkdir(config)
    with open(os.path.join(config, "user-dirs.dirs"), "w") as dirs:
        dirs.write('# written by a test\nXDG_PICTURES_DIR="$HOME/Shots"\n')
    game = desk.start_game("nosound", extra_env={"XDG_CONFIG_HOME": config})
    window = desk.wait_for_window(game)
    desk.focus(window)
    poll("the skier", lambda: skier_pixels(desk.screenshot(window)) >= 20)
    desk.key("F3")  # a still picture to compare
    poll("the pause", lambda: desk.title(window) == PAUSED_TITLE)
    desk.key("Print")
    folder = os.path.join(desk.home, "Shots", "Snowvel")
    saved = poll("the screenshot file", lambda: [n for n in os.listdir(folder)
                                                 if n.endswith(".png")] if os.path.isdir(folder)
                 else None)
    if len(saved) != 1 or not re.fullmatch(r"snowvel-\d{4}-\d\d-\d\d-\d{6}\.png", saved[0]):
        raise Failure("saved %s" % saved)
    with open(os.path.join(folder, saved[0]), "rb") as png:
        shot = xwd_image.read_png(png.read())
    shown = desk.screenshot(window)
    if (shot.width, shot.height) != (shown.width, shown.height):
        raise Failure("screenshot %dx%d, client area %dx%d"
                      % (shot.width, shot.height, shown.width, shown.height))
    whole = (0, 0, shot.width, shot.height)
    if shot.region(*whole) != shown.region(*whole):
        raise Failure("the screenshot is not what the window shows")
    # The status panel as the headless game draws it at its start.
    headless_png = os.path.join(desk.home, "headless.png")
    subprocess.run([desk.snowvel, "--headless", "--screen", "1280x1024", "--ticks", "3",
                    "--screenshot", headless_png, "nosound"], env=desk.env(), check=True,
                   capture_output=True, timeout=WAIT)
    with open(headless_png, "rb") as png:
        headless = xwd_image.read_png(png.read())
    panel = lambda image: image.region(image.width - 120, 0, image.width, 48)  # noqa: E731
    if panel(shot) != panel(headless) or shot.count(shot.width - 120, 0, shot.width, 48,
                                                      non_white) < 50:
        raise Failure("the screenshot's status panel differs from the headless game's")
    # Unwritable: the folder's place is taken by a file.
    shutil.rmtree(folder)
    open(folder, "w").close()
    desk.key("F3", "Print")
    poll("the game to run on", lambda: desk.title(window) == TITLE and wakeups_over(game, 0.5) >= 5)
    game.terminate()
    wait_for_exit(game, "SIGTERM")
    said = game.stdout.read().decode()
    if "cannot save the screenshot" not in said:
        raise Failure("no word of the failed screenshot: %r" % said)


def bound_keys_steer(desk):
    """--bind saves the keys in settings.ini and exits; the next start steers
    with them, and at its close remembers the window in the same file."""
    bind = subprocess.run([desk.snowvel, "--bind", "right=KeyD", "--bind", "down=KeyS",
                           "--bindings"], env=desk.env(), capture_output=True, text=True,
                          timeout=WAIT)
    settings = os.path.join(desk.home, ".config", "snowvel", "settings.ini")
    if bind.returncode != 0 or not os.path.exists(settings) or \
            not re.search(r"^right +Turn right +D \(KeyD\)", bind.stdout, re.M):
        raise Failure("--bind: exit %d, %r %r" % (bind.returncode, bind.stdout, bind.stderr))
    game = desk.start_game("nosound")
    window = desk.wait_for_window(game)
    desk.focus(window)
    poll("the skier", lambda: skier_pixels(desk.screenshot(window)) >= 20)
    standing = anchor_picture(desk.screenshot(window))
    desk.key("s")  # down, as bound
    downhill = poll("a new pose after S",
                    lambda: (lambda p: p if p != standing else None)(
                        anchor_picture(desk.screenshot(window))))
    desk.key("d", "d")  # right, as bound
    poll("a new pose after D", lambda: anchor_picture(desk.screenshot(window)) != downhill)
    desk.key("alt+F4")  # openbox closes the window the polite way
    if wait_for_exit(game, "closing the window") != 0:
        raise Failure("closing ended the game with %r" % game.stdout.read())
    with open(settings) as text:
        kept = text.read()
    if not re.search(r"^window = -?\d+ -?\d+ \d+ \d+$", kept, re.M) or "right = KeyD" not in kept:
        raise Failure("settings.ini after the run: %r" % kept)
    # A place on a screen unplugged since: the next start is centred, at the
    # size kept, and the game hears of that size.
    with open(settings, "w") as text:
        text.write(re.sub(r"^window = .*$", "window = -5000 -4000 500 400", kept, flags=re.M))
    game = desk.start_game("nosound")
    window = desk.wait_for_window(game)
    poll("the game's picture at that size",
         lambda: (lambda i: (i.width, i.height) == (500, 400) and skier_pixels(i) >= 20)(
             desk.screenshot(window)))
    desk.focus(window)
    desk.key("alt+F4")
    wait_for_exit(game, "closing the window")
    # Kept where it was put, as SDL counts a client's place: no drift by a
    # title bar from one start to the next.
    with open(settings) as text:
        kept = text.read()
    if "\nwindow = 390 312 500 400\n" not in kept:
        raise Failure("the centred window was kept as %r" % kept)


def f12_saves_a_screenshot(desk):
    """With the window manager's own settings, which take PrintScreen, F12
    still saves a screenshot."""
    game = desk.start_game("nosound")
    window = desk.wait_for_window(game)
    desk.focus(window)
    poll("the skier", lambda: skier_pixels(desk.screenshot(window)) >= 20)
    desk.key("F12")
    folder = os.path.join(desk.home, "Pictures", "Snowvel")
    saved = poll("the screenshot file", lambda: [n for n in os.listdir(folder)
                                                 if n.endswith(".png")] if os.path.isdir(folder)
                 else None)
    with open(os.path.join(folder, saved[0]), "rb") as png:
        shot = xwd_image.read_png(png.read())
    if shot.count(0, 0, shot.width, shot.height, non_white) < 50:
        raise Failure("the screenshot shows no game")


def refusals(desk):
    """A command line it cannot read (2), no display (1, before the
    single-instance socket), Cancel on an assertion box (one box, 0): each
    with its one line."""
    def run(args, env):
        return subprocess.run([desk.snowvel, *args], env=env, capture_output=True, text=True,
                              timeout=WAIT)
    for args in (["--no-such-option"], ["--scale", "9"], ["--screen", "wide"]):
        result = run(args, desk.env())
        lines = result.stderr.splitlines()
        if result.returncode != 2 or len(lines) != 1 or "--help" not in lines[0]:
            raise Failure("%s: exit %d, said %r" % (args, result.returncode, result.stderr))
    bare = {k: v for k, v in desk.env().items()
            if k not in ("DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER")}
    result = run(["nosound"], bare)
    lines = result.stderr.splitlines()
    if result.returncode != 1 or len(lines) != 1 or "no display" not in lines[0] \
            or "--headless" not in lines[0]:
        raise Failure("no display: exit %d, said %r" % (result.returncode, result.stderr))
    if os.listdir(desk.runtime):
        raise Failure("no display, yet %s in the runtime directory" % os.listdir(desk.runtime))
    # The pool runs out on so large a screen; the report is answered Cancel.
    script, dump = os.path.join(desk.home, "cancel.txt"), os.path.join(desk.home, "dump.json")
    with open(script, "w") as text:
        text.write("1 answer CANCEL\n2 key DOWN\n3 key DOWN\n")
    result = run(["--headless", "--screen", "4000x4000", "--seed", "777", "--ticks", "1500",
                  "--input", script, "--dump", dump], desk.env())
    with open(dump) as state:
        boxes = json.load(state)["messageBoxes"]
    if result.returncode != 0 or [b["caption"] for b in boxes] != ["Assertion Failed"]:
        raise Failure("Cancel: exit %d after boxes %s" % (result.returncode, boxes))


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
    "fullscreen": fullscreen_and_back,
    "controller": controller_plays,
    "screenshot": screenshot_is_the_game,
    "refusals": refusals,
    "bind": bound_keys_steer,
    "screenshot-f12": f12_saves_a_screenshot,
}
# Scenarios run under the window manager's settings as installed.
KEEPS_PRINT_SCREEN = {"screenshot-f12"}


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--snowvel", required=True)
    parser.add_argument("--keep-screenshot", help="save the last window picture here on failure")
    parser.add_argument("--pad-driver", help="the virtual controller driver to preload")
    parser.add_argument("scenario", choices=sorted(SCENARIOS))
    args = parser.parse_args()
    desk = Desktop(os.path.abspath(args.snowvel),
                   pad_driver=os.path.abspath(args.pad_driver) if args.pad_driver else None,
                   wm_defaults=args.scenario in KEEPS_PRINT_SCREEN)
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

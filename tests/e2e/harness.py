"""End-to-end driver: the real pikselar on a private Xvfb, driven by xdotool
and checked through screenshots.

A scenario is a file test_<what>.py next to this one:

    import harness

    class Pencil(harness.Case):
        def test_click_paints_a_cell(self):
            self.app.click_tool(harness.PENCIL)
            self.app.click_canvas_cell(5, 7)
            self.assertEqual(self.app.wait_cell(5, 7, harness.RED), harness.RED)

    if __name__ == "__main__":
        harness.main()

Positions are client pixels of the main window (below the menu bar), as the
window's layout gives them; the harness scales them when QT_SCALE_FACTOR is set.

Every wait polls for what it expects, with a generous deadline, so that a
loaded machine only makes a scenario slower: no fixed pause stands for "the
program has done it by now". The short pauses between xdotool's steps only
pace the input.

With PIKSELAR_E2E_WM set to openbox, xfwm4 or metacity, every X server the
harness starts runs that window manager, so any scenario runs on a desktop as
well as on a bare X server.
"""

import ctypes
import io
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

from PIL import Image
from Xlib import X, display

# Palette UI indices (the colour buttons) and their screen colours.
PALETTE = [
    (0, 0, 0), (255, 0, 0), (0, 255, 0), (0, 0, 255),
    (127, 0, 0), (0, 127, 0), (0, 0, 127), (128, 128, 128),
    (255, 255, 255), (255, 0, 255), (255, 255, 0), (0, 255, 255),
    (127, 0, 127), (127, 127, 0), (0, 127, 127), (191, 191, 191),
]
BLACK, RED, GREEN, BLUE = 0, 1, 2, 3
WHITE, YELLOW, CYAN, GREY = 8, 10, 11, 15

# Tool button indices.
PENCIL, LINE, RECTANGLE, FILLED, TEXT, EMPTY, ERASER, COLOUR_ERASER = range(8)
# Arrow button indices.
UP, LEFT, DOWN, RIGHT = range(4)

CLIENT_WIDTH, CLIENT_HEIGHT = 296, 311
CANVAS = (8, 24)
CELL = 6
# The pointer's cell, shown above the canvas.
POSITION_LABEL = (12, 8, 49, 13)

# Deadlines for things the program does at once on a quiet machine.
WAIT = 10.0
WINDOW_WAIT = 20.0
START_WAIT = 60.0


def _need(tool):
    if shutil.which(tool) is None:
        raise RuntimeError(f"{tool} is missing: run scripts/install-deps.sh test")


def wait_until(probe, done=bool, timeout=WAIT, interval=0.05):
    """Calls probe() until done(its value) holds or the time is up; the last
    value either way."""
    deadline = time.time() + timeout
    while True:
        value = probe()
        if done(value) or time.time() > deadline:
            return value
        time.sleep(interval)


_connections = {}


def screenshot(env):
    """The screen of env's DISPLAY, read over a connection kept for it: no
    process to start for each picture, which on a loaded machine takes
    seconds, and no grab of the server that a window manager would notice."""
    name = env["DISPLAY"]
    if name not in _connections:
        _connections[name] = display.Display(name)
    root = _connections[name].screen().root
    size = root.get_geometry()
    image = root.get_image(0, 0, size.width, size.height, X.ZPixmap, 0xFFFFFFFF)
    return Image.frombytes("RGB", (size.width, size.height), image.data, "raw", "BGRX")


def forget_display(name):
    """Closes the kept connection to a display that is going away."""
    connection = _connections.pop(name, None)
    if connection:
        try:
            connection.close()
        except Exception:  # the server may be gone already
            pass


def settle(env, box=None, timeout=WAIT):
    """Returns once two screenshots in a row show the same in `box` (the
    whole screen when None)."""
    last = [None]

    def same():
        shot = screenshot(env)
        seen = (shot.crop(box) if box else shot).tobytes()
        same, last[0] = seen == last[0], seen
        return same
    wait_until(same, timeout=timeout)


def _die_with_parent():
    """Child processes end with the test, even when ctest kills it on a timeout."""
    PR_SET_PDEATHSIG = 1
    ctypes.CDLL(None, use_errno=True).prctl(PR_SET_PDEATHSIG, signal.SIGTERM)


def build_dir():
    """The build folder holding pikselar and header.dat."""
    path = os.environ.get("PIKSELAR_BUILD_DIR")
    if not path:
        path = os.path.join(os.path.dirname(__file__), "..", "..", "build")
    return os.path.abspath(path)


# How each window manager is started on a display of its own.
WINDOW_MANAGERS = {
    "openbox": ["openbox", "--sm-disable"],
    # xfwm4 reads its settings through a session bus, and starts without one only
    # half-way (no EWMH check window).
    "xfwm4": ["dbus-run-session", "--", "xfwm4", "--replace", "--compositor=off"],
    "metacity": ["metacity", "--replace", "--sm-disable", "--no-composite"],
}


def window_manager():
    """The window manager the scenarios run under ("" for none)."""
    return os.environ.get("PIKSELAR_E2E_WM", "")


class WindowManager:
    """A window manager on a display, ready once it has claimed the screen."""

    def __init__(self, name, display, timeout=15.0):
        if name not in WINDOW_MANAGERS:
            raise RuntimeError(f"unknown window manager {name!r}: one of {', '.join(WINDOW_MANAGERS)}")
        _need(WINDOW_MANAGERS[name][0])
        self.name = name
        env = {k: v for k, v in os.environ.items() if not k.startswith(("QT_", "WAYLAND"))}
        env["DISPLAY"] = display
        self.home = tempfile.mkdtemp(prefix="pikselar-wm-")
        env["HOME"] = self.home
        env["XDG_CONFIG_HOME"] = os.path.join(self.home, ".config")
        self.proc = subprocess.Popen(WINDOW_MANAGERS[name], env=env, stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL, preexec_fn=_die_with_parent,
                                     start_new_session=True)
        deadline = time.time() + timeout
        while not self._ready(env):
            if self.proc.poll() is not None or time.time() > deadline:
                self.stop()
                raise RuntimeError(f"{name} did not start")
            time.sleep(0.05)
        if not self._manages_a_window(display, deadline):
            self.stop()
            raise RuntimeError(f"{name} did not take a window in")

    @staticmethod
    def _ready(env):
        # An EWMH manager names its check window on the root once it manages the screen.
        out = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=env,
                             capture_output=True, text=True).stdout
        return "window id" in out

    @staticmethod
    def _manages_a_window(name, deadline):
        # The check window comes before the manager reads its events: a window
        # mapped in between (seen with openbox on a loaded machine) is never
        # taken in. A probe window framed by the manager shows it is past that.
        d = display.Display(name)
        try:
            screen = d.screen()
            probe = screen.root.create_window(0, 0, 20, 20, 0, screen.root_depth)
            probe.set_wm_name("pikselar-e2e-probe")
            while time.time() < deadline:
                # Asked again until framed: a request lost in the race stays lost.
                probe.map()
                d.sync()
                asked = time.time()
                while time.time() < min(asked + 0.5, deadline):
                    if probe.query_tree().parent.id != screen.root.id:
                        probe.destroy()
                        d.sync()
                        return True
                    time.sleep(0.02)
                probe.unmap()
            return False
        finally:
            d.close()

    def stop(self):
        # The whole group: a bus started for the manager ends with it.
        try:
            os.killpg(self.proc.pid, signal.SIGTERM)
        except ProcessLookupError:
            pass
        try:
            self.proc.wait(5)
        except subprocess.TimeoutExpired:
            os.killpg(self.proc.pid, signal.SIGKILL)
            self.proc.wait()
        shutil.rmtree(self.home, ignore_errors=True)


class Xvfb:
    """A private X server; its display number comes back through -displayfd.
    It runs the window manager PIKSELAR_E2E_WM names, unless `wm` says
    otherwise ("" for none)."""

    def __init__(self, size="1024x768x24", wm=None):
        _need("Xvfb")
        self.wm = None
        read, write = os.pipe()
        self.proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", size,
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            preexec_fn=_die_with_parent)
        os.close(write)
        number = b""
        with os.fdopen(read, "rb") as pipe:
            while not number.endswith(b"\n"):
                chunk = pipe.read(1)
                if not chunk:
                    self.stop()
                    raise RuntimeError("Xvfb did not start")
                number += chunk
        self.display = ":" + number.decode().strip()
        wm = window_manager() if wm is None else wm
        if wm:
            try:
                self.wm = WindowManager(wm, self.display)
            except BaseException:
                self.stop()
                raise

    def stop(self):
        forget_display(getattr(self, "display", None))
        if self.wm:
            self.wm.stop()
            self.wm = None
        self.proc.terminate()
        try:
            self.proc.wait(5)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.wait()


def program_folder(root, files=None):
    """A fresh program folder under `root` (pikselar, header.dat and `files`)
    and the environment of a private HOME and XDG folders beside it, with no
    display yet: (folder, env)."""
    folder = os.path.join(root, "program")
    os.makedirs(folder)
    build = build_dir()
    for name in ("pikselar", "header.dat"):
        shutil.copy2(os.path.join(build, name), folder)
    # The decoding process lies beside the program (in builds that have it).
    if os.path.exists(os.path.join(build, "pikselar-decode")):
        shutil.copy2(os.path.join(build, "pikselar-decode"), folder)
    for name, content in (files or {}).items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(content)
    home = os.path.join(root, "home")
    # The Polish interface whatever the machine's language; a scenario may
    # ask for another through its own environment.
    env = {k: v for k, v in os.environ.items()
           if not k.startswith(("QT_", "XDG_", "WAYLAND", "DISPLAY"))
           and k not in ("LANGUAGE", "LC_ALL", "LC_MESSAGES")}
    env["LANG"] = "C.UTF-8"
    env["HOME"] = home
    for var, sub in (("XDG_CONFIG_HOME", ".config"), ("XDG_DATA_HOME", ".local/share"),
                     ("XDG_STATE_HOME", ".local/state"),
                     ("XDG_CACHE_HOME", ".cache"), ("XDG_RUNTIME_DIR", "runtime")):
        env[var] = os.path.join(home, sub)
        os.makedirs(env[var], mode=0o700, exist_ok=True)
    return folder, env


class Pikselar:
    """The program in a fresh program folder, with a private HOME and XDG dirs."""

    def __init__(self, args=(), scale=None, client_height=CLIENT_HEIGHT, files=None,
                 env=None, before_start=None, wm=None):
        """`env`: variables added to the program's environment; `before_start`:
        called with this object once its folders exist, before the program runs;
        `wm` names a window manager for this run instead of PIKSELAR_E2E_WM."""
        self.wm = wm
        for tool in ("xdotool", "xwininfo"):
            _need(tool)
        self.proc = self.xvfb = None
        self.root = tempfile.mkdtemp(prefix="pikselar-e2e-")
        self.before_start = before_start
        try:
            self._start(args, scale, client_height, files or {}, env or {})
        except BaseException:
            self.close()  # nothing left behind when the start fails
            raise

    def _start(self, args, scale, client_height, files, extra_env):
        self.scale = float(scale) if scale else 1.0
        self.client_height = client_height
        self.folder, env = program_folder(self.root, files)
        self.home = env["HOME"]
        self.xvfb = Xvfb() if self.wm is None else Xvfb(wm=self.wm)
        env["DISPLAY"] = self.xvfb.display
        env["QT_QPA_PLATFORM"] = "xcb"
        if scale:
            env["QT_SCALE_FACTOR"] = str(scale)
        env.update(extra_env)  # what a scenario adds (a session bus, ...)
        self.env = env
        if self.before_start:
            self.before_start(self)
        self.proc = subprocess.Popen([os.path.join(self.folder, "pikselar"), *args],
                                     cwd=self.root, env=env, preexec_fn=_die_with_parent,
                                     stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        self.wid = self.wait_for_window("Pikselar", timeout=START_WAIT)
        self._locate()
        # Start-up completes on a timer tick after the map, within the first
        # turns of the program's event loop, as the first frame is drawn.
        self.settle()

    # ---- processes and windows

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *map(str, args)], env=self.env, check=True,
                              capture_output=True, text=True).stdout

    def wait_for_window(self, title, timeout=WINDOW_WAIT):
        """The id of a visible window whose title is exactly `title`."""
        deadline = time.time() + timeout
        while time.time() < deadline:
            if self.proc.poll() is not None:
                out = self.proc.stdout.read().decode(errors="replace")
                raise RuntimeError(f"pikselar exited with {self.proc.returncode}: {out}")
            found = subprocess.run(
                ["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"],
                env=self.env, capture_output=True, text=True).stdout.split()
            if found:
                return found[-1]
            time.sleep(0.05)
        tree = subprocess.run(["xwininfo", "-root", "-tree"], env=self.env,
                              capture_output=True, text=True).stdout
        raise TimeoutError(f"no window titled {title!r}; the windows:\n{tree}")

    def visible_windows(self):
        """The ids of the visible windows that have a name (none while they
        come and go: xdotool fails then)."""
        return set(subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "."],
                                  env=self.env, capture_output=True, text=True).stdout.split())

    def wait_gone(self, wid, timeout=WINDOW_WAIT):
        """True once the window `wid` is no longer visible."""
        return wid not in wait_until(self.visible_windows, lambda shown: wid not in shown, timeout)

    def dismiss(self, wid, key="Return", timeout=WINDOW_WAIT):
        """Sends `key` to the window `wid` until it goes; True if it went. On a
        loaded machine the first key can come before the window takes keys."""
        deadline = time.time() + timeout
        while True:
            # The window may go between the check and the focus: not an error.
            subprocess.run(["xdotool", "windowfocus", "--sync", wid], env=self.env,
                           capture_output=True)
            subprocess.run(["xdotool", "key", key], env=self.env, capture_output=True)
            if self.wait_gone(wid, timeout=2):
                return True
            if time.time() > deadline:
                return False

    def settle(self, wid=None, timeout=WAIT, whole_screen=False):
        """Returns once two screenshots in a row show a window (the main one
        unless `wid` is given, or the whole screen) the same: the program has
        drawn what it was given so far."""
        box = None
        if not whole_screen:
            try:
                x, y, w, h = self.window_geometry(wid)
            except subprocess.CalledProcessError:
                return  # gone meanwhile
            box = (x, y, x + w, y + h)
        settle(self.env, box, timeout)

    def after_change(self, action, timeout=WAIT):
        """Does action(), then returns once the screen has changed from what
        it showed before and stands still again (a menu opened or closed)."""
        before = self.screenshot().tobytes()
        action()
        wait_until(lambda: self.screenshot().tobytes() != before, timeout=timeout)
        self.settle(whole_screen=True)

    def wait_canvas_takes_input(self, timeout=WAIT):
        """Returns once the canvas answers the pointer (it takes none for a
        moment after a dialog): the pointer moves between two cells until
        the position label follows it."""
        lx, ly, lw, lh = POSITION_LABEL
        box = (*self.screen(lx, ly), *self.screen(lx + lw, ly + lh))
        cells = [self.cell_centre(30, 30), self.cell_centre(31, 31)]
        state = {"turn": 0, "last": None}

        def follows():
            self.move(*cells[state["turn"] % 2])
            state["turn"] += 1
            seen = self.screenshot().crop(box).tobytes()
            moved = state["last"] is not None and seen != state["last"]
            state["last"] = seen
            return moved
        wait_until(follows, timeout=timeout, interval=0.1)

    def window_geometry(self, wid=None):
        """(x, y, width, height) of a window's own area on the screen (without
        a window manager's frame; xdotool counts a frame's offset twice)."""
        out = subprocess.run(["xwininfo", "-id", str(wid or self.wid)], env=self.env,
                             check=True, capture_output=True, text=True).stdout
        values = {}
        for line in out.splitlines():
            key, _, value = line.strip().partition(":")
            values[key] = value.strip()
        return (int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"]),
                int(values["Width"]), int(values["Height"]))

    def _locate(self):
        x, y, _, height = self.window_geometry()
        # The client area ends at the window's bottom; the menu bar is above it.
        self.origin = (x, y + height - round(self.client_height * self.scale))

    def offer_clipboard(self, data, target=None):
        """Another program (xclip) offers `data` on the clipboard as `target`
        (text when None), once the owner of any earlier offer has ended; returns
        once the offer is listed. The owner ends with the program."""
        self.end_clipboard_owner()
        cmd = ["xclip", "-quiet", "-selection", "clipboard", "-i"]
        if target:
            cmd[-1:-1] = ["-t", target]
        self.clipboard_owner = subprocess.Popen(cmd, env=self.env, stdin=subprocess.PIPE,
                                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                                preexec_fn=_die_with_parent)
        self.clipboard_owner.stdin.write(data)
        self.clipboard_owner.stdin.close()
        wanted = (target or "UTF8_STRING").encode()
        listed = wait_until(self.clipboard_targets, lambda t: wanted in t, timeout=WINDOW_WAIT)
        if wanted not in listed:
            raise TimeoutError(f"{wanted.decode()} was never offered (listed: {listed})")
        return self.clipboard_owner

    def clipboard_targets(self):
        """The types the clipboard's owner lists now; none when it does not
        answer within a few seconds."""
        try:
            return subprocess.run(["xclip", "-selection", "clipboard", "-o", "-t", "TARGETS"],
                                  env=self.env, capture_output=True, timeout=5).stdout.split()
        except subprocess.TimeoutExpired:
            return []

    def end_clipboard_owner(self):
        owner, self.clipboard_owner = getattr(self, "clipboard_owner", None), None
        if owner and owner.poll() is None:
            owner.kill()
            owner.wait()

    def close(self):
        self.end_clipboard_owner()
        if self.proc:
            if self.proc.poll() is None:
                self.proc.send_signal(signal.SIGTERM)
                try:
                    self.proc.wait(5)
                except subprocess.TimeoutExpired:
                    self.proc.kill()
                    self.proc.wait()
            self.proc.stdout.close()
            self.proc = None
        if self.xvfb:
            self.xvfb.stop()
            self.xvfb = None
        shutil.rmtree(self.root, ignore_errors=True)

    # ---- pointer and keys, in client pixels

    def screen(self, x, y):
        return (self.origin[0] + int(x * self.scale), self.origin[1] + int(y * self.scale))

    def move(self, x, y):
        # Not --sync: it can stall for seconds after a glide.
        self.xdotool("mousemove", *self.screen(x, y), "sleep", "0.02")
        self._at = (x, y)

    def glide(self, x, y, step=3):
        """Moves in small steps: Qt compresses motion, so each step must be seen."""
        x0, y0 = getattr(self, "_at", (x, y))
        n = max(1, int(max(abs(x - x0), abs(y - y0)) / step))
        cmd = []
        for i in range(1, n + 1):
            sx, sy = self.screen(x0 + (x - x0) * i / n, y0 + (y - y0) * i / n)
            cmd += ["mousemove", sx, sy, "sleep", "0.005"]
        self.xdotool(*cmd)
        self._at = (x, y)

    def press(self, x, y, button=1):
        self.move(x, y)
        self.xdotool("mousedown", button)

    def release(self, x, y, button=1):
        self.glide(x, y)
        self.xdotool("mouseup", button)

    def click(self, x, y, button=1):
        self.move(x, y)
        self.xdotool("click", button)
        time.sleep(0.05)

    def drag(self, x1, y1, x2, y2, button=1):
        self.press(x1, y1, button)
        self.glide(x2, y2)
        self.xdotool("mouseup", button)
        time.sleep(0.05)

    def key(self, *keys, window=None):
        """Keys as xdotool names them, e.g. "ctrl+Left", to the main window or
        to `window` (an id from wait_for_window). xdotool lets the modifiers go
        before the key itself."""
        self.xdotool("windowfocus", "--sync", window or self.wid)
        self.xdotool("key", "--delay", "30", *keys)
        time.sleep(0.05)

    def type(self, text, window=None):
        """Types text (any characters) into the focused control of a window."""
        self.xdotool("windowfocus", "--sync", window or self.wid)
        self.xdotool("type", "--delay", "20", text)
        time.sleep(0.05)

    # ---- the main window's controls

    @staticmethod
    def cell_centre(cx, cy):
        return CANVAS[0] + CELL * cx + CELL // 2, CANVAS[1] + CELL * cy + CELL // 2

    def click_tool(self, index):
        self.click((224, 248)[index % 2] + 12, 56 + 24 * (index // 2) + 12)

    def click_arrow(self, direction):
        x, y = ((240, 224), (216, 248), (240, 248), (264, 248))[direction]
        self.click(x + 12, y + 12)

    def click_colour(self, index, button=1):
        self.click(8 + 24 * (index % 8) + 12, (224 if index < 8 else 248) + 12, button)

    def click_canvas_cell(self, cx, cy, button=1):
        self.click(*self.cell_centre(cx, cy), button)

    def drag_cells(self, c1, c2, button=1):
        self.drag(*self.cell_centre(*c1), *self.cell_centre(*c2), button)

    # ---- what the screen shows

    def screenshot(self, path=None):
        image = screenshot(self.env)
        if path:
            image.save(path)
        return image

    def pixel(self, image, x, y):
        return image.getpixel(self.screen(x, y))

    def canvas(self, image=None):
        """32 rows of 32 palette indices (-1 for any other colour), from cell centres."""
        image = image or self.screenshot()
        return [[index_of(self.pixel(image, *self.cell_centre(cx, cy))) for cx in range(32)]
                for cy in range(32)]

    def cell(self, cx, cy):
        return index_of(self.pixel(self.screenshot(), *self.cell_centre(cx, cy)))

    def wait_cell(self, cx, cy, expected, timeout=WAIT):
        """The cell's palette index once it is `expected`, or the last seen."""
        deadline = time.time() + timeout
        while True:
            seen = self.cell(cx, cy)
            if seen == expected or time.time() > deadline:
                return seen
            time.sleep(0.05)

    def wait_canvas(self, predicate, timeout=WAIT):
        """The canvas once predicate(canvas) holds, or the last seen."""
        deadline = time.time() + timeout
        while True:
            seen = self.canvas()
            if predicate(seen) or time.time() > deadline:
                return seen
            time.sleep(0.05)


def index_of(rgb):
    try:
        return PALETTE.index(tuple(rgb[:3]))
    except ValueError:
        return -1


def picture(canvas, x0, y0, w, h):
    """A part of the canvas as text rows of hex digits, for readable failures."""
    digit = "0123456789abcdef"
    return "\n" + "\n".join("".join(digit[v] if v >= 0 else "?" for v in row[x0:x0 + w])
                            for row in canvas[y0:y0 + h])


def stand_in_opener(case):
    """A stand-in for the desktop's launcher (xdg-open), gone when `case`
    ends, that notes each address it is asked to open, one a line:
    (the environment that puts it first on PATH, the path of its notes)."""
    folder = tempfile.mkdtemp(prefix="pikselar-opener-")
    case.addCleanup(shutil.rmtree, folder, True)
    notes = os.path.join(folder, "opened")
    opener = os.path.join(folder, "xdg-open")
    with open(opener, "w") as f:
        f.write(f'#!/bin/sh\nprintf "%s\\n" "$1" >> "{notes}"\n')
    os.chmod(opener, 0o755)
    return {"PATH": folder + os.pathsep + os.environ.get("PATH", "")}, notes


class Case(unittest.TestCase):
    """Starts a fresh program for every test and closes it afterwards."""

    args = ()
    scale = None

    def setUp(self):
        self.app = Pikselar(self.args, self.scale)
        self.addCleanup(self.app.close)

    def assert_shows_canvas(self, image, canvas):
        """A 32 x 32 picture another reader made of a saved or exported file
        (a Pillow image) shows `canvas`: the transparent colour (cyan) fully
        transparent, every other cell its palette colour, opaque."""
        image = image.convert("RGBA")
        self.assertEqual(image.size, (32, 32))
        for y in range(32):
            for x in range(32):
                r, g, b, a = image.getpixel((x, y))
                if canvas[y][x] == CYAN:
                    self.assertEqual(a, 0, (x, y))
                else:
                    self.assertEqual((r, g, b, a), PALETTE[canvas[y][x]] + (255,), (x, y))


def main():
    unittest.main(verbosity=2)

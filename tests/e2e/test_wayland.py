"""Pikselar on Wayland: weston (its X11 backend inside a private Xvfb, so that
xdotool drives its pointer and keyboard), the program on Qt's wayland
platform, the clipboard shared with wl-copy and wl-paste, and the maximise
control of Qt's own title bar on windows of one size."""
import io
import os
import shutil
import subprocess
import tempfile
import time
import unittest

from PIL import Image, ImageChops

import harness
from harness import BLACK, BLUE, CYAN, PALETTE, RED

CANVAS_SIZE = 192
# Qt's title bar on Wayland: its height, the frame around the rest, and the
# maximise button's centre from the frame's right edge.
TITLE_BAR, BORDER, MAXIMISE_FROM_RIGHT = 30, 3, 40
# The main window's client area and the canvas in it.
CLIENT_WIDTH, CLIENT_HEIGHT, CANVAS_IN_CLIENT = 296, 311, (8, 24)
PANEL = 32  # weston's panel at the top of the screen
CARET = 40  # pixels of a text field's caret, at most


def find_canvas(image):
    """The screen position of the canvas's top-left pixel: the first row with
    192 cyan pixels in a row below one that has none there (the canvas is
    cyan at start-up), or None."""
    cyan = PALETTE[CYAN]
    width, height = image.size
    pixels = image.load()
    for y in range(1, height - CANVAS_SIZE):
        run = 0
        for x in range(width):
            run = run + 1 if pixels[x, y] == cyan else 0
            if run == CANVAS_SIZE:
                left = x - CANVAS_SIZE + 1
                if pixels[left, y - 1] != cyan and pixels[left, y + CANVAS_SIZE - 1] == cyan:
                    return left, y
    return None


class Wayland(unittest.TestCase):
    def setUp(self):
        for tool in ("weston", "wl-copy", "wl-paste", "xdotool"):
            if shutil.which(tool) is None:
                raise RuntimeError(f"{tool} is missing: run scripts/install-deps.sh test")
        self.xvfb = harness.Xvfb(wm="")
        self.addCleanup(self.xvfb.stop)
        root = tempfile.mkdtemp(prefix="pikselar-wayland-")
        self.addCleanup(shutil.rmtree, root, True)
        self.folder, env = harness.program_folder(root)
        self.x_env = dict(os.environ, DISPLAY=self.xvfb.display)
        runtime = env["XDG_RUNTIME_DIR"]
        weston_env = dict(self.x_env, XDG_RUNTIME_DIR=runtime)
        # The panel's one launcher runs nothing: with no configuration weston
        # puts a terminal there, which a stray click would open over the window.
        config = os.path.join(root, "weston.ini")
        with open(config, "w") as f:
            f.write("[shell]\nlocking=false\n\n[launcher]\n"
                    "icon=/usr/share/weston/terminal.png\npath=/bin/true\n")
        self.weston = subprocess.Popen(
            ["weston", "--backend=x11-backend.so", "--socket=pikselar-0", "--width=1024",
             "--height=768", "--idle-time=0", "--config=" + config],
            env=weston_env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            preexec_fn=harness._die_with_parent)
        self.addCleanup(self.stop, self.weston)
        deadline = time.time() + 15
        while not os.path.exists(os.path.join(runtime, "pikselar-0")):
            if self.weston.poll() is not None or time.time() > deadline:
                self.fail("weston did not start")
            time.sleep(0.05)
        # Native: no X display for the program itself.
        env.pop("DISPLAY", None)
        env.update(WAYLAND_DISPLAY="pikselar-0", QT_QPA_PLATFORM="wayland")
        self.env = env
        self.app = subprocess.Popen([os.path.join(self.folder, "pikselar")], cwd=root, env=env,
                                    stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                    preexec_fn=harness._die_with_parent)
        self.addCleanup(self.stop, self.app)
        self.addCleanup(self.app.stdout.close)
        self.origin = None
        self.locate_canvas()

    def locate_canvas(self):
        """Finds the canvas on the screen (the window may have moved)."""
        deadline = time.time() + harness.WINDOW_WAIT
        found = None
        while found is None or found != self.origin:
            self.assert_running()
            if time.time() > deadline:
                self.fail("the canvas was never drawn in one place")
            # Seen twice in the same place: the window stands still.
            self.origin, found = found, find_canvas(self.screenshot())
            time.sleep(0.1)

    def assert_running(self):
        if self.app.poll() is not None:
            self.fail(f"pikselar ended with {self.app.returncode}: "
                      + self.app.stdout.read().decode(errors="replace"))

    @staticmethod
    def stop(proc):
        if proc.poll() is None:
            proc.terminate()
            try:
                proc.wait(5)
            except subprocess.TimeoutExpired:
                proc.kill()
                proc.wait()

    def screenshot(self):
        return harness.screenshot(self.x_env)

    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], env=self.x_env, check=True)

    def point_at(self, x, y):
        """Moves weston's pointer to (x, y). The X11 backend moves its pointer
        by the X pointer's steps, clamped to the screen, so a stroke to one
        corner and then the other first brings both to (0, 0)."""
        self.xdotool("mousemove", 1023, 767, "sleep", "0.1", "mousemove", 0, 0,
                     "sleep", "0.1", "mousemove", x, y, "sleep", "0.2")

    def cell_on_screen(self, cx, cy):
        return self.origin[0] + 6 * cx + 3, self.origin[1] + 6 * cy + 3

    def wait_cells(self, wanted, timeout=harness.WAIT):
        """{(cx, cy): palette index} as seen once all are as wanted, or the last seen."""
        deadline = time.time() + timeout
        while True:
            shot = self.screenshot()
            seen = {c: harness.index_of(shot.getpixel(self.cell_on_screen(*c))) for c in wanted}
            if seen == wanted or time.time() > deadline:
                return seen
            time.sleep(0.1)

    def test_pencil_copy_and_paste_with_other_programs(self):
        # The pencil in black on the cyan canvas; the click also gives the
        # window the keyboard.
        self.point_at(*self.cell_on_screen(5, 7))
        self.xdotool("click", "1", "sleep", "0.1",
                     "mousemove", self.origin[0] - 20, self.origin[1] - 20)
        self.assertEqual(self.wait_cells({(5, 7): BLACK, (6, 7): CYAN}),
                         {(5, 7): BLACK, (6, 7): CYAN})
        # The previews are drawn too: the 1:1 preview lies right of the canvas.
        shot = self.screenshot()
        preview = [shot.getpixel((self.origin[0] + 200 + 16, self.origin[1] - 16 + 16))]
        self.assertEqual(preview, [PALETTE[CYAN]])

        self.xdotool("key", "--delay", "30", "ctrl+c")
        deadline = time.time() + harness.WAIT
        copied = b""
        while not copied.startswith(b"\x89PNG") and time.time() < deadline:
            copied = subprocess.run(["wl-paste", "--no-newline", "--type", "image/png"],
                                    env=self.env, capture_output=True, timeout=10).stdout
            time.sleep(0.1)
        picture = Image.open(io.BytesIO(copied)).convert("RGB")
        self.assertEqual(picture.size, (32, 32))
        self.assertEqual((picture.getpixel((5, 7)), picture.getpixel((6, 7))),
                         (PALETTE[BLACK], PALETTE[CYAN]))

        # Another program's picture, pasted with Ctrl+V.
        pasted = Image.new("RGB", (32, 32), PALETTE[BLUE])
        for y in range(32):
            for x in range(16):
                pasted.putpixel((x, y), PALETTE[RED])
        png = io.BytesIO()
        pasted.save(png, "PNG")
        copy = subprocess.Popen(["wl-copy", "--foreground", "--type", "image/png"],
                                env=self.env, stdin=subprocess.PIPE,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(self.stop, copy)
        copy.stdin.write(png.getvalue())
        copy.stdin.close()
        listed = harness.wait_until(lambda: subprocess.run(
            ["wl-paste", "--list-types"], env=self.env, capture_output=True,
            timeout=harness.WAIT).stdout.split(), lambda types: b"image/png" in types)
        self.assertIn(b"image/png", listed)
        # wl-copy takes the keyboard for a moment on weston: a click on the
        # canvas's coordinate strip gives it back without drawing.
        self.point_at(self.origin[0] + 100, self.origin[1] - 8)
        self.xdotool("click", "1", "sleep", "0.2", "key", "--delay", "30", "ctrl+v",
                     "mousemove", self.origin[0] - 20, self.origin[1] - 20)
        wanted = {(0, 0): RED, (15, 31): RED, (16, 0): BLUE, (31, 31): BLUE}
        self.assertEqual(self.wait_cells(wanted), wanted)

    def click(self, x, y, double=False):
        self.point_at(x, y)
        self.xdotool("click", *(("--repeat", "2", "--delay", "80") if double else ()), "1")

    def main_frame_top(self):
        """The top of the main window's frame: above the client area, past
        the menu bar and the title bar, where the desktop begins."""
        shot = self.screenshot()
        x = self.origin[0] - CANVAS_IN_CLIENT[0] + 2  # left of the title bar's icon
        y = self.origin[1] - CANVAS_IN_CLIENT[1]
        # The window's greys are light, the desktop's darker.
        while y > 0 and min(shot.getpixel((x, y - 1))) > 180:
            y -= 1
        return y

    def window_frame(self, before, after, below):
        """(left, top, right) of the frame of a window that shows between two
        screenshots, from the pixels that changed below y = `below`."""
        changed = [(x, y) for y in range(below, after.height) for x in range(after.width)
                   if before.getpixel((x, y)) != after.getpixel((x, y))]
        self.assertTrue(changed, "no window showed")
        return (min(x for x, _ in changed), min(y for _, y in changed),
                max(x for x, _ in changed) + 1)

    def draw_and_check(self, cell, drawn):
        """A pencil click on `cell`; every cell drawn so far stays black."""
        self.locate_canvas()
        self.click(*self.cell_on_screen(*cell))
        self.xdotool("mousemove_relative", "--", "-40", "-40")
        drawn[cell] = BLACK
        self.assertEqual(self.wait_cells(drawn), drawn)
        self.assert_running()

    def test_maximise_and_title_bar_double_click_leave_windows_whole(self):
        drawn = {}
        self.draw_and_check((5, 7), drawn)
        # The main window: the title bar's maximise button, then a double
        # click on its title bar.
        top = self.main_frame_top()
        right = self.origin[0] - CANVAS_IN_CLIENT[0] - BORDER + CLIENT_WIDTH + 2 * BORDER
        self.click(right - MAXIMISE_FROM_RIGHT, top + TITLE_BAR // 2)
        self.draw_and_check((6, 8), drawn)
        top = self.main_frame_top()
        self.click(self.origin[0] + 60, top + TITLE_BAR // 2, double=True)
        self.draw_and_check((7, 9), drawn)
        self.assertEqual(self.main_frame_top(), top)

        # The text dialog, over the main window: the same, then Esc.
        tool = self.tool_on_screen(harness.TEXT)
        self.point_at(*tool)
        before = self.screenshot()
        self.xdotool("click", "1")
        harness.wait_until(self.screenshot, lambda shot: shot.tobytes() != before.tobytes())
        harness.settle(self.x_env)
        after = self.screenshot()
        left, dialog_top, dialog_right = self.window_frame(before, after, top + TITLE_BAR + 1)
        self.click(dialog_right - MAXIMISE_FROM_RIGHT, dialog_top + TITLE_BAR // 2)
        self.assert_still(after, tool)
        self.click(left + 40, dialog_top + TITLE_BAR // 2, double=True)
        self.assert_still(after, tool)
        self.xdotool("key", "Escape")
        harness.wait_until(self.screenshot, lambda shot: shot.tobytes() != after.tobytes())
        self.draw_and_check((8, 10), drawn)

    def tool_on_screen(self, index):
        """The centre of a tool button, from the canvas's place."""
        x = (224, 248)[index % 2] + 12 - CANVAS_IN_CLIENT[0]
        y = 56 + 24 * (index // 2) + 12 - CANVAS_IN_CLIENT[1]
        return self.origin[0] + x, self.origin[1] + y

    def assert_still(self, shown, pointer):
        """The program runs and, with the pointer back where it was, the
        screen comes back to what it showed."""
        # Below the panel (whose clock moves on), down to the main window's
        # bottom (weston may show its on-screen keyboard under it).
        bottom = self.origin[1] - CANVAS_IN_CLIENT[1] + CLIENT_HEIGHT + BORDER

        def differing(shot):
            box = (0, PANEL, shot.width, bottom)
            diff = ImageChops.difference(shot.crop(box), shown.crop(box)).convert("L")
            return diff.point(lambda v: 255 if v else 0).histogram()[255]
        self.point_at(*pointer)
        # The text field's caret blinks: a few pixels may differ.
        left = differing(harness.wait_until(self.screenshot, lambda shot: differing(shot) <= CARET))
        self.assert_running()
        if left > CARET and os.environ.get("PIKSELAR_E2E_SHOTS"):
            folder = os.environ["PIKSELAR_E2E_SHOTS"]
            shown.save(os.path.join(folder, "wayland-before.png"))
            self.screenshot().save(os.path.join(folder, "wayland-after.png"))
        self.assertLessEqual(left, CARET, "the windows did not come back as they were")


if __name__ == "__main__":
    harness.main()

"""Pikselar on Wayland: weston (its X11 backend inside a private Xvfb, so that
xdotool drives its pointer and keyboard), the program on Qt's wayland
platform, the clipboard shared with wl-copy and wl-paste."""
import io
import os
import shutil
import subprocess
import tempfile
import time
import unittest

from PIL import Image

import harness
from harness import BLACK, BLUE, CYAN, PALETTE, RED

CANVAS_SIZE = 192


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
        for tool in ("weston", "wl-copy", "wl-paste", "xdotool", "import"):
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
        deadline = time.time() + 15
        while self.origin is None:
            if self.app.poll() is not None:
                self.fail("pikselar ended: " + self.app.stdout.read().decode(errors="replace"))
            if time.time() > deadline:
                self.fail("the canvas was never drawn")
            self.origin = find_canvas(self.screenshot())
            time.sleep(0.1)

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
        png = subprocess.run(["import", "-window", "root", "png:-"], env=self.x_env,
                             check=True, capture_output=True).stdout
        return Image.open(io.BytesIO(png)).convert("RGB")

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

    def wait_cells(self, wanted, timeout=5.0):
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
        deadline = time.time() + 5
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
        time.sleep(0.5)
        # wl-copy takes the keyboard for a moment on weston: a click on the
        # canvas's coordinate strip gives it back without drawing.
        self.point_at(self.origin[0] + 100, self.origin[1] - 8)
        self.xdotool("click", "1", "sleep", "0.2", "key", "--delay", "30", "ctrl+v",
                     "mousemove", self.origin[0] - 20, self.origin[1] - 20)
        wanted = {(0, 0): RED, (15, 31): RED, (16, 0): BLUE, (31, 31): BLUE}
        self.assertEqual(self.wait_cells(wanted), wanted)


if __name__ == "__main__":
    harness.main()

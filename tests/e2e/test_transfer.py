"""The clipboard with other programs (xclip) and the imports through the real
file dialogs."""
import hashlib
import io
import os
import subprocess
import tempfile
import time

from PIL import Image

import harness
from harness import CYAN, PALETTE, RED


def pattern_image(w, h):
    """Palette colours, a different one on each diagonal."""
    img = Image.new("RGB", (w, h))
    for y in range(h):
        for x in range(w):
            img.putpixel((x, y), PALETTE[(x + y) % 16])
    return img


class Transfer(harness.Case):
    def xclip(self, *args, data=None):
        """Runs xclip on the program's display; with data it serves the
        clipboard in the background until the program takes it."""
        cmd = ["xclip", "-selection", "clipboard", *args]
        if data is None:
            return subprocess.run(cmd, env=self.app.env, capture_output=True, check=True,
                                  timeout=10).stdout
        proc = subprocess.Popen(cmd, env=self.app.env, stdin=subprocess.PIPE,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        proc.stdin.write(data)
        proc.stdin.close()
        self.addCleanup(proc.kill)
        time.sleep(0.3)  # xclip owns the selection once it has read its input
        return proc

    def choose_file(self, shortcut, title, path):
        """Opens a file dialog by its shortcut, types the path and presses
        Return; returns once the dialog has closed."""
        self.app.key(shortcut)
        dialog = self.app.wait_for_window(title)
        time.sleep(0.3)
        self.app.xdotool("windowfocus", "--sync", dialog)
        self.app.xdotool("type", "--delay", "10", path)
        time.sleep(0.3)  # let the name field take the whole path first
        self.app.xdotool("key", "Return")
        deadline = time.time() + 10
        while time.time() < deadline:
            shown = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"],
                                   env=self.app.env, capture_output=True, text=True).stdout.split()
            if not shown:
                return
            time.sleep(0.05)
        self.fail(f"the dialog {title!r} stayed open")

    def placement_pixels(self, wid):
        """The placement window's picture area right of the blinking frame
        (which starts at the left edge), as raw RGB bytes."""
        x, y, _, _ = self.app.window_geometry(wid)
        shot = self.app.screenshot()
        out = os.environ.get("PIKSELAR_E2E_SHOTS")
        if out:
            shot.save(os.path.join(out, f"paste-{len(os.listdir(out))}.png"))
        return hashlib.sha1(shot.crop((x + 8 + 34, y + 24, x + 8 + 300, y + 24 + 60)).tobytes()).hexdigest()

    def test_picture_from_another_program_is_pasted(self):
        buf = io.BytesIO()
        pattern_image(16, 16).save(buf, "PNG")
        self.xclip("-t", "image/png", "-i", data=buf.getvalue())
        self.app.key("ctrl+v")
        canvas = self.app.wait_canvas(lambda c: c[15][15] == (30 % 16))
        for y in range(32):
            for x in range(32):
                want = (x + y) % 16 if x < 16 and y < 16 else CYAN
                self.assertEqual(canvas[y][x], want, f"cell ({x}, {y})")

    def test_copied_image_is_read_by_another_program(self):
        app = self.app
        app.click_colour(RED)
        app.click_canvas_cell(5, 7)
        self.assertEqual(app.wait_cell(5, 7, RED), RED)
        app.key("ctrl+c")
        time.sleep(0.2)
        targets = self.xclip("-o", "-t", "TARGETS").decode().split()
        self.assertLess(targets.index("image/png"), targets.index("image/bmp"))
        png = Image.open(io.BytesIO(self.xclip("-o", "-t", "image/png"))).convert("RGB")
        self.assertEqual(png.size, (32, 32))
        canvas = app.canvas()
        for y in range(32):
            for x in range(32):
                self.assertEqual(harness.index_of(png.getpixel((x, y))), canvas[y][x], f"pixel ({x}, {y})")
        self.assertEqual(canvas[7][5], RED)

    def test_polish_text_is_pasted_whole_and_cut_to_ten(self):
        """The placement window shows the same rendering for the 10-letter cut
        of a longer text, and a different one when the Polish letters would
        have become question marks."""
        shots = {}
        for text in ("żółćŁĄŚĘŹŃxyz", "żółćŁĄŚĘŹŃ", "??????????"):
            self.xclip("-i", data=text.encode("utf-8"))
            self.app.key("ctrl+v")
            wid = self.app.wait_for_window("Wklej")
            time.sleep(0.5)  # the text is drawn on the window's second timer
            shots[text] = self.placement_pixels(wid)
            self.app.xdotool("windowfocus", "--sync", wid)
            self.app.xdotool("key", "Escape")
            time.sleep(0.3)
        self.assertEqual(shots["żółćŁĄŚĘŹŃxyz"], shots["żółćŁĄŚĘŹŃ"])
        self.assertNotEqual(shots["żółćŁĄŚĘŹŃ"], shots["??????????"])

    def test_import_through_the_file_dialog(self):
        folder = tempfile.mkdtemp(prefix="pikselar-import-")
        # ASCII only: xdotool types other letters by remapping a key, which races.
        path = os.path.join(folder, "wzor.bmp")
        pattern_image(16, 16).save(path, "BMP")
        self.choose_file("ctrl+i", "Importuj plik graficzny", path)
        canvas = self.app.wait_canvas(lambda c: c[0][0] == 0 and c[15][15] == 14, timeout=10)
        for y in range(32):
            for x in range(32):
                want = (x + y) % 16 if x < 16 and y < 16 else CYAN
                self.assertEqual(canvas[y][x], want, f"cell ({x}, {y})")

    def test_program_icon_through_the_file_dialog(self):
        stubs = "/usr/share/nsis/Stubs"
        if not os.path.isdir(stubs):
            self.skipTest("the installer package's stubs are not installed")
        path = os.path.join(stubs, sorted(n for n in os.listdir(stubs) if n.startswith("zlib"))[0])
        self.choose_file("ctrl+e", "Importuj ikonę z pliku EXE", path)
        canvas = self.app.wait_canvas(lambda c: sum(v != CYAN for row in c for v in row) > 100, timeout=10)
        drawn = sum(v != CYAN for row in canvas for v in row)
        self.assertGreater(drawn, 100)
        out = os.environ.get("PIKSELAR_E2E_SHOTS")
        if out:
            self.app.screenshot(os.path.join(out, "exe-icon.png"))


if __name__ == "__main__":
    harness.main()

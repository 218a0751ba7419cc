"""The clipboard with other programs (xclip, an owner that never answers)
and the imports through the real file dialogs, including pictures that are
cheap to store and costly to draw: the window must keep answering."""
import hashlib
import io
import os
import select
import signal
import struct
import subprocess
import sys
import tempfile
import time

from PIL import Image

import costly
import harness
from harness import BLUE, CYAN, PALETTE, PENCIL, RED


def pattern_image(w, h):
    """Palette colours, a different one on each diagonal."""
    img = Image.new("RGB", (w, h))
    for y in range(h):
        for x in range(w):
            img.putpixel((x, y), PALETTE[(x + y) % 16])
    return img


def icon_file_48(colour_of_column):
    """An .ico holding one 48 x 48 16-colour image, opaque, whose columns
    take palette entries 0 and 1 (red and blue) as colour_of_column says."""
    header = struct.pack("<IiiHHIIiiII", 40, 48, 96, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = bytes([0, 0, 255, 0, 255, 0, 0, 0]) + bytes(4 * 14)  # BGR0: red, blue
    row = bytes((colour_of_column(2 * i) << 4) | colour_of_column(2 * i + 1) for i in range(24))
    image = header + palette + row * 48 + bytes(8 * 48)  # colour rows, then an empty mask
    return struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", 48, 48, 16, 0, 1, 4, len(image), 22) + image


def line_within(stream, timeout=harness.WINDOW_WAIT):
    """The next line of a helper's output, stripped; b"" when none comes in time."""
    if not select.select([stream], [], [], timeout)[0]:
        return b""
    return stream.readline().strip()


def note(what, seconds):
    """Timings go to the log for the record; they are not asserted."""
    print(f"  {what}: {seconds:.2f} s", file=sys.stderr)


class Transfer(harness.Case):
    def read_clipboard(self, target):
        """What the clipboard's owner gives for `target`, read as another
        program would."""
        return subprocess.run(["xclip", "-selection", "clipboard", "-o", "-t", target],
                              env=self.app.env, capture_output=True, check=True,
                              timeout=harness.WAIT).stdout

    def offer(self, data, target=None):
        """Another program offers `data`; the owner of the offer before it has
        ended first (an owner left serving a transfer the program gave up on
        would answer no one else)."""
        return self.app.offer_clipboard(data, target)

    def timed_window(self, title, what, timeout=harness.WINDOW_WAIT):
        """The id of a window once it shows, noting how long it took; the
        bounded wait fails when the program is frozen for longer."""
        start = time.time()
        wid = self.app.wait_for_window(title, timeout=timeout)
        note(what, time.time() - start)
        return wid

    def dismiss(self, wid, key="Escape"):
        self.assertTrue(self.app.dismiss(wid, key), "the window stayed open")

    def assert_answering(self, what, cell):
        """A pencil click is painted within a bounded wait."""
        start = time.time()
        self.app.click_tool(PENCIL)
        self.app.click_colour(RED)
        self.app.click_canvas_cell(*cell)
        self.assertEqual(self.app.wait_cell(*cell, RED), RED, f"not answering after {what}")
        note(f"answering after {what}", time.time() - start)

    def assert_ends_on_sigterm(self):
        start = time.time()
        self.app.proc.send_signal(signal.SIGTERM)
        try:
            self.app.proc.wait(harness.WINDOW_WAIT)
        except subprocess.TimeoutExpired:
            self.fail("SIGTERM did not end the program")
        note("exit after SIGTERM", time.time() - start)

    def choose_file(self, shortcut, title, path):
        """Opens a file dialog by its shortcut, types the path and presses
        Return; returns once the dialog has closed."""
        self.app.key(shortcut)
        dialog = self.app.wait_for_window(title)
        self.app.settle(dialog)
        self.app.xdotool("windowfocus", "--sync", dialog)
        self.app.xdotool("type", "--delay", "10", path)
        self.app.settle(dialog)  # the name field has taken the whole path
        self.assertTrue(self.app.dismiss(dialog, "Return"), f"the dialog {title!r} stayed open")

    def first_undecodable_name(self, dialog, timeout=10):
        """Where the first entry of an open dialog's list of names that are
        not UTF-8 shows (screen coordinates), once the list is there: the
        white box at the foot of the dialog. None if it does not come."""
        deadline = time.time() + timeout
        while time.time() < deadline:
            x, y, w, h = self.app.window_geometry(dialog)
            shot = self.app.screenshot()
            column = x + w - 40  # right of the names
            bottom = next((b for b in range(y + h - 1, y + h - 40, -1)
                           if shot.getpixel((column, b))[:3] == (255, 255, 255)), None)
            if bottom is not None:
                top = bottom
                while shot.getpixel((column, top - 1))[:3] == (255, 255, 255):
                    top -= 1
                if bottom - top > 20:
                    return x + 40, top + 8
            time.sleep(0.1)
        return None

    def placement_pixels(self, wid):
        """The placement window's picture area right of the blinking frame
        (which starts at the left edge), as raw RGB bytes."""
        x, y, _, h = self.app.window_geometry(wid)
        y += h - 345  # the client area ends the window; the choice buttons are above it
        shot = self.app.screenshot()
        out = os.environ.get("PIKSELAR_E2E_SHOTS")
        if out:
            shot.save(os.path.join(out, f"paste-{len(os.listdir(out))}.png"))
        return hashlib.sha1(shot.crop((x + 8 + 34, y + 24, x + 8 + 300, y + 24 + 60)).tobytes()).hexdigest()

    def test_picture_from_another_program_is_pasted(self):
        buf = io.BytesIO()
        pattern_image(16, 16).save(buf, "PNG")
        self.offer(buf.getvalue(), "image/png")
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
        targets = harness.wait_until(app.clipboard_targets, lambda t: b"image/png" in t)
        self.assertIn(b"image/png", targets)
        self.assertLess(targets.index(b"image/png"), targets.index(b"image/bmp"))
        png = Image.open(io.BytesIO(self.read_clipboard("image/png"))).convert("RGB")
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
            self.offer(text.encode("utf-8"))
            self.app.key("ctrl+v")
            wid = self.app.wait_for_window("Wklej")
            # The text is drawn on the window's second timer: the picture is
            # taken once it no longer changes.
            shots[text] = harness.wait_until(
                lambda: (self.placement_pixels(wid), self.placement_pixels(wid)),
                lambda pair: pair[0] == pair[1])[1]
            self.dismiss(wid)
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

        # A name that is not UTF-8 (the byte 0xFF): Qt's own listing leaves it
        # out, the dialog's list of such names below it offers it.
        odd = os.path.join(os.fsencode(folder), b"\xffczerwony.bmp")
        buffer = io.BytesIO()
        Image.new("RGB", (8, 8), PALETTE[RED]).save(buffer, "BMP")
        with open(odd, "wb") as f:
            f.write(buffer.getvalue())
        self.app.key("ctrl+i")
        dialog = self.app.wait_for_window("Importuj plik graficzny")
        # Into the folder, whose list shows below; typed again while the list
        # does not come (keys sent before the dialog takes them are lost).
        deadline = time.time() + harness.WINDOW_WAIT
        while True:
            self.app.xdotool("windowfocus", "--sync", dialog)
            self.app.xdotool("key", "ctrl+a")
            self.app.xdotool("type", "--delay", "10", folder + "/")
            self.app.xdotool("key", "Return")
            where = self.first_undecodable_name(dialog, timeout=3)
            if where is not None:
                break
            self.assertLess(time.time(), deadline, "the dialog shows no list of names that are not UTF-8")
        name_x, name_y = where
        self.app.xdotool("mousemove", "--sync", name_x, name_y)
        # Clicked until its row shows selected (a click while the dialog is
        # still settling can be lost), then opened.
        deadline = time.time() + 5
        while self.app.screenshot().getpixel((name_x + 200, name_y))[:3] == (255, 255, 255):
            self.assertLess(time.time(), deadline, "the name was not selected")
            self.app.xdotool("click", "1")
            time.sleep(0.1)
        self.app.xdotool("key", "Return")
        canvas = self.app.wait_canvas(lambda c: c[0][0] == RED and c[7][7] == RED, timeout=10)
        self.assertEqual(canvas[0][0], RED)
        self.assertEqual(canvas[8][8], CYAN)

        # And named on the command line.
        other = harness.Pikselar([os.fsdecode(odd)])
        self.addCleanup(other.close)
        canvas = other.wait_canvas(lambda c: c[0][0] == RED and c[7][7] == RED, timeout=10)
        self.assertEqual(canvas[0][0], RED)
        self.assertEqual(canvas[8][8], CYAN)

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

    def test_icon_of_48_only_keeps_its_own_colours(self):
        folder = tempfile.mkdtemp(prefix="pikselar-icon-")
        path = os.path.join(folder, "stripes.ico")
        with open(path, "wb") as f:
            f.write(icon_file_48(lambda x: x % 2))
        self.choose_file("ctrl+e", "Importuj ikonę z pliku EXE", path)
        canvas = self.app.wait_canvas(lambda c: all(v in (RED, BLUE) for row in c for v in row), timeout=10)
        self.assertTrue(all(v in (RED, BLUE) for row in canvas for v in row),
                        "colours that are not the icon's:" + harness.picture(canvas, 0, 0, 32, 32))
        self.assertTrue(any(v == RED for row in canvas for v in row) and any(v == BLUE for row in canvas for v in row))

    def test_costly_files_leave_the_window_answering(self):
        folder = tempfile.mkdtemp(prefix="pikselar-costly-")
        files = {"rects.wmf": costly.metafile_of_rectangles(2000),
                 "scans.jpg": costly.jpeg_of_scans(20000, side=2048),
                 "huge.jpg": costly.jpeg_of_scans(1000000, side=1024)}
        for name, data in files.items():
            with open(os.path.join(folder, name), "wb") as f:
                f.write(data)
        with open(os.path.join(folder, "app.desktop"), "w") as f:
            f.write(f"[Desktop Entry]\nType=Application\nName=X\nIcon={folder}/huge.jpg\n")
        # The metafile stops at its bound of drawing work; it is larger than
        # 32 x 32, so the placement window shows it.
        self.choose_file("ctrl+i", "Importuj plik graficzny", os.path.join(folder, "rects.wmf"))
        self.dismiss(self.timed_window("Wklej", "placement window after the 2,000-rectangle metafile"))
        self.choose_file("ctrl+i", "Importuj plik graficzny", os.path.join(folder, "scans.jpg"))
        self.assert_answering("the 20,000-scan JPEG", (3, 3))
        # The entry's picture is refused; the theme's icon for a desktop entry
        # shows (also after the file dialogs have looked up icons of their own).
        self.choose_file("ctrl+e", "Importuj ikonę z pliku EXE", os.path.join(folder, "app.desktop"))
        canvas = self.app.wait_canvas(lambda c: sum(v != CYAN for row in c for v in row) > 50, timeout=5)
        self.assertGreater(sum(v != CYAN for row in canvas for v in row), 50, "no theme icon was drawn")
        self.assert_answering("the desktop entry naming a JPEG of a million scans", (4, 4))
        self.assert_ends_on_sigterm()

    def test_costly_pictures_pasted(self):
        self.offer(costly.metafile_of_rectangles(2000), "image/x-wmf")
        self.app.key("ctrl+v")
        self.dismiss(self.timed_window("Wklej", "placement window after pasting the metafile"))
        self.offer(costly.jpeg_of_scans(20000, side=2048), "image/jpeg")
        self.app.key("ctrl+v")
        self.dismiss(self.timed_window("Błąd", "box after pasting the 20,000-scan JPEG"), "Return")
        self.assert_answering("the pasted pictures", (5, 5))

    def test_clipboard_owner_that_never_answers(self):
        owner = subprocess.Popen([sys.executable, os.path.join(os.path.dirname(__file__), "silent_owner.py")],
                                 env=self.app.env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        self.addCleanup(owner.stdout.close)
        self.addCleanup(owner.wait)
        self.addCleanup(owner.kill)
        self.assertEqual(line_within(owner.stdout), b"owned")
        self.app.key("ctrl+v")
        self.assertEqual(line_within(owner.stdout), b"asked")
        self.dismiss(self.timed_window("Błąd", "box with an owner that never answers"), "Return")
        self.assert_answering("the silent owner", (6, 6))
        # A termination signal while paste waits for the owner.
        self.app.key("ctrl+v")
        self.assertEqual(line_within(owner.stdout), b"asked")
        self.assert_ends_on_sigterm()

    def test_what_is_not_usable_gives_the_error_box(self):
        app = self.app
        # Only a file URL: not text, so nothing usable.
        self.offer(b"file:///home/ala/obrazek.png\r\n", "text/uri-list")
        app.key("ctrl+v")
        self.dismiss(self.timed_window("Błąd", "box for a file URL"), "Return")
        # A bitmap that our checks refuse does not come in through Qt's
        # own conversion either.
        bmp = io.BytesIO()
        pattern_image(8, 8).save(bmp, "BMP")
        bad = bytearray(bmp.getvalue())
        bad[10:14] = struct.pack("<I", 0xFFFFFFF0)
        self.offer(bytes(bad), "image/bmp")
        app.key("ctrl+v")
        self.dismiss(self.timed_window("Błąd", "box for a bitmap with a far pixel offset"), "Return")
        # 100 MB offered without announcing their size: reading stops at
        # the cap. The peak memory is noted, not asserted.
        def peak():
            with open(f"/proc/{app.proc.pid}/status") as f:
                return next(int(l.split()[1]) for l in f if l.startswith("VmHWM"))
        before = peak()
        self.offer(os.urandom(100 * 1024 * 1024), "image/png")
        app.key("ctrl+v")
        self.dismiss(self.timed_window("Błąd", "box for a 100 MB offer", ), "Return")
        print(f"  peak memory rose by {(peak() - before) // 1024} MB for the 100 MB offer", file=sys.stderr)
        # A picture large enough to come in parts is read whole.
        big = io.BytesIO()
        Image.new("RGB", (1200, 1000), PALETTE[BLUE]).save(big, "BMP")
        self.offer(big.getvalue(), "image/bmp")
        app.key("ctrl+v")
        self.dismiss(self.timed_window("Wklej", "placement window for a 3.6 MB bitmap in parts"))
        self.assertEqual(app.proc.poll(), None)


if __name__ == "__main__":
    harness.main()

"""Every menu command through its menu, opened by the keyboard (Alt and the
menu's letter, then the entry's letter or the arrows where an entry has no
letter), the shortcuts no other scenario presses, and the placement window
choosing from a large pasted picture. Results are checked on the screen, in
written files byte for byte, on the clipboard and in the options file."""
import io
import os
import subprocess
import time

from PIL import Image

import harness
from harness import BLUE, CYAN, GREEN, RED
from test_files import blank, encode
from test_transfer import pattern_image
from test_text_help import PIC, PLACEMENT_CLIENT, gone, visible

MINI = (208 + 16, 8 + 16)   # inside the icon preview
HALF = (248 + 8, 8 + 8)     # inside the half-size preview


class Driving:
    """Helpers for the cases below; `self.app` is the running program."""

    def menu(self, letter, *keys):
        """Opens a menu of the bar by Alt+letter, then presses the keys in it;
        each step returns once the screen shows its change."""
        self.app.after_change(lambda: self.app.key(f"alt+{letter}"))
        self.app.after_change(lambda: self.app.xdotool("key", "--delay", "80", *keys))

    def windows(self):
        # xdotool fails when it finds none, as while windows come and go.
        return set(subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "."],
                                  env=self.app.env, capture_output=True, text=True).stdout.split())

    def file_dialog(self, action, path):
        """Runs `action` (which opens a file dialog), types the path into the
        dialog and confirms it; returns once the dialog is gone."""
        before = self.windows()
        action()
        new = harness.wait_until(
            lambda: [w for w in self.windows() - before if self.app.window_geometry(w)[2] > 200],
            timeout=harness.WINDOW_WAIT)
        self.assertTrue(new, "no file dialog opened")
        self.app.settle(new[0])
        self.app.xdotool("windowfocus", "--sync", new[0])
        self.app.xdotool("key", "ctrl+a")
        self.app.xdotool("type", "--delay", "10", path)
        self.app.settle(new[0])  # the name field has taken the whole path
        self.assertTrue(self.app.dismiss(new[0], "Return"), "the file dialog stayed open")

    def answer(self, title, key="Return"):
        box = self.app.wait_for_window(title)
        self.app.xdotool("windowfocus", "--sync", box)
        self.app.xdotool("key", key)
        self.assertTrue(gone(self.app, title))

    def draw(self, colour, *cells):
        # The canvas takes no input for a moment after a dialog.
        self.app.wait_canvas_takes_input()
        self.app.click_colour(colour)
        for cell in cells:
            self.app.click_canvas_cell(*cell)
        self.app.wait_cell(*cells[-1], colour)

    # ---- reading results

    def clipboard_png(self):
        png = subprocess.run(["xclip", "-selection", "clipboard", "-o", "-t", "image/png"],
                             env=self.app.env, capture_output=True, check=True, timeout=harness.WAIT).stdout
        image = Image.open(io.BytesIO(png)).convert("RGB")
        return [[harness.index_of(image.getpixel((x, y))) for x in range(32)] for y in range(32)]

    def wait_file(self, path, differing_from=None, timeout=harness.WAIT):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if os.path.isfile(path):
                with open(path, "rb") as f:
                    data = f.read()
                if len(data) == 766 and data != differing_from:
                    return data
            time.sleep(0.05)
        self.fail(f"{path} was not written")

    def assertCanvas(self, expected, timeout=harness.WAIT):
        shown = self.app.wait_canvas(lambda c: c == expected, timeout)
        self.assertEqual(harness.picture(shown, 0, 0, 32, 32), harness.picture(expected, 0, 0, 32, 32))

    def region(self, shot, x0, y0, w, h):
        return {self.app.pixel(shot, x, y) for x in range(x0, x0 + w) for y in range(y0, y0 + h)}


class Menus(Driving, harness.Case):
    def test_plik_menu(self):
        app = self.app
        self.draw(RED, (3, 3))
        self.menu("p", "n")                                  # Nowy
        self.assertCanvas(blank())

        picture = blank()
        for x in range(4, 12):
            picture[6][x] = GREEN
        path = os.path.join(app.root, "plik.ico")
        with open(path, "wb") as f:
            f.write(encode(picture))
        self.file_dialog(lambda: self.menu("p", "o"), path)  # Otwórz...
        self.assertCanvas(picture)

        self.draw(BLUE, (20, 21))
        picture[21][20] = BLUE
        with open(path, "rb") as f:
            old = f.read()
        self.menu("p", "z")                                  # Zapisz: into the opened file
        self.assertEqual(self.wait_file(path, old), encode(picture))

        copy = os.path.join(app.root, "kopia.ico")
        self.file_dialog(lambda: self.menu("p", "j"), copy)  # Zapisz jako ...
        self.assertEqual(self.wait_file(copy), encode(picture))

        # Importuj has no letter: down to it, right into it.
        bmp = os.path.join(app.root, "wzor.bmp")
        pattern_image(8, 8).save(bmp, "BMP")
        self.file_dialog(lambda: self.menu("p", "Down", "Down", "Right", "Down", "Return"), bmp)
        self.assertCanvas([[(x + y) % 16 if x < 8 and y < 8 else CYAN for x in range(32)]
                           for y in range(32)])
        stubs = "/usr/share/nsis/Stubs"
        if os.path.isdir(stubs):
            exe = os.path.join(stubs, sorted(n for n in os.listdir(stubs) if n.startswith("zlib"))[0])
            self.file_dialog(lambda: self.menu("p", "Down", "Down", "Right", "e"), exe)
            shown = app.wait_canvas(lambda c: sum(v != CYAN for row in c for v in row) > 100)
            self.assertGreater(sum(v != CYAN for row in shown for v in row), 100)

        self.menu("p", "k")                                  # Koniec
        self.assertEqual(app.proc.wait(harness.WINDOW_WAIT), 0)
        self.assertTrue(os.path.isfile(os.path.join(app.folder, "opcje.dat")))

    def test_edycja_menu(self):
        app = self.app
        self.menu("e", "l")                                  # Wklej with nothing to paste
        self.answer("Błąd")
        self.assertCanvas(blank())

        self.draw(RED, (5, 7))
        picture = blank()
        picture[7][5] = RED
        self.menu("e", "k")                                  # Kopiuj
        self.assertEqual(self.clipboard_png(), picture)
        self.draw(GREEN, (9, 9))
        self.menu("e", "w")                                  # Wytnij
        self.assertCanvas(blank())
        picture[9][9] = GREEN
        self.assertEqual(self.clipboard_png(), picture)
        self.menu("e", "l")                                  # Wklej
        self.assertCanvas(picture)

        # Cofnij and Czyść obraz share their letter, so the letter only moves
        # the highlight on from Cofnij (highlighted at opening) to the next
        # entry with it, round and round; Return runs the highlighted one.
        app.click_tool(harness.PENCIL)                       # the point to return to
        self.draw(BLUE, (30, 30))
        self.menu("e", "c", "c", "Return")                   # Cofnij
        self.assertCanvas(picture)
        self.menu("e", "c", "Return")                        # Czyść obraz
        self.assertCanvas(blank())

    def test_opcje_and_pomoc_menus(self):
        app = self.app
        self.draw(RED, (0, 0), (31, 31))
        before = app.screenshot()
        background = app.pixel(before, 4, 100)
        self.assertNotEqual(self.region(before, *MINI, 4, 4), {background})
        self.assertNotEqual(self.region(before, *HALF, 4, 4), {background})

        for letter in "prims":   # mouse position, frames, icon preview, half preview, grid
            self.menu("o", letter)
        after = app.screenshot()
        self.assertEqual(self.region(after, 12, 8, 49, 13), {background})   # coordinates
        self.assertEqual(app.pixel(after, 7, 100), background)              # canvas frame
        self.assertEqual(self.region(after, *MINI, 4, 4), {background})
        self.assertEqual(self.region(after, *HALF, 4, 4), {background})
        grid = [x for x in range(8, 200) if app.pixel(after, x, 24 + 3) != app.pixel(before, x, 24 + 3)]
        self.assertTrue(grid, "no grid line appeared")
        self.assertEqual(app.canvas(after), app.canvas(before))

        # Kolor przeźroczysty: the second colour, red, becomes the transparent one.
        self.menu("o", "k", "Down", "Return")
        path = os.path.join(app.root, "przezroczysta.ico")
        self.file_dialog(lambda: app.key("ctrl+j"), path)
        picture = blank()
        picture[0][0] = picture[31][31] = RED
        self.assertEqual(self.wait_file(path), encode(picture, transparent=RED))

        self.menu("c", "Return")                             # Pomoc: help mode, with its notice
        self.answer("Pomoc")
        self.menu("c", "Return")                             # and off again, silently
        self.assertFalse(visible(app, "Pomoc"))

        height = app.window_geometry()[3]
        self.menu("c", "c")                                  # Pasek pomocy off
        self.assertEqual(harness.wait_until(lambda: app.window_geometry()[3],
                                            lambda h: h != height), height - 32)

        self.menu("c", "o")                                  # O programie...
        self.answer("O programie", "Escape")

        app.key("ctrl+q")
        self.assertEqual(app.proc.wait(harness.WINDOW_WAIT), 0)
        with open(os.path.join(app.folder, "opcje.dat")) as f:
            items = [int(v) for v in f.read().replace(",", "\n").split()]
        # Transparent red; position, frames, previews off; grid on; help bar off.
        self.assertEqual(items, [1, 0, 0, 0, 0, 1, 0])


class Shortcuts(Driving, harness.Case):
    """The shortcuts of Nowy, Wytnij and Czyść obraz."""

    def test_new_cut_and_clear(self):
        app = self.app
        path = os.path.join(app.root, "skrot.ico")
        with open(path, "wb") as f:
            f.write(encode(blank()))
        self.file_dialog(lambda: app.key("ctrl+o"), path)

        self.draw(RED, (1, 2))
        picture = blank()
        picture[2][1] = RED
        app.key("ctrl+x")
        self.assertCanvas(blank())
        self.assertEqual(self.clipboard_png(), picture)
        app.key("ctrl+v")
        self.assertCanvas(picture)
        app.key("Delete")
        self.assertCanvas(blank())

        # Nowy forgets the file: Ctrl+S now asks for a name instead of writing it.
        self.draw(GREEN, (4, 4))
        app.key("ctrl+n")
        self.assertCanvas(blank())
        other = os.path.join(app.root, "nowa.ico")
        self.file_dialog(lambda: app.key("ctrl+s"), other)
        self.assertEqual(self.wait_file(other), encode(blank()))
        with open(path, "rb") as f:
            self.assertEqual(f.read(), encode(blank()))



class Placement(Driving, harness.Case):
    def test_fragment_of_a_large_pasted_picture(self):
        """A 64 x 64 picture from another program goes through the placement
        window: the frame follows the pointer, the title names its corner,
        a click places that 32 x 32 fragment."""
        app = self.app
        buf = io.BytesIO()
        pattern_image(64, 64).save(buf, "PNG")
        app.offer_clipboard(buf.getvalue(), "image/png")
        app.key("ctrl+v")
        wid = app.wait_for_window("Wklej")
        x, y, w, h = app.window_geometry(wid)
        left, top = x + w - PLACEMENT_CLIENT[0] + PIC[0], y + h - PLACEMENT_CLIENT[1] + PIC[1]
        expected = [(90 + i) % 16 for i in range(16)]
        row = harness.wait_until(
            lambda: [harness.index_of(shot.getpixel((left + 40 + i, top + 50)))
                     for shot in [app.screenshot()] for i in range(16)],
            lambda seen: seen == expected)
        self.assertEqual(row, expected)

        app.xdotool("mousemove", left + 30, top + 30, "sleep", "0.05",
                    "mousemove", left + 24, top + 20, "sleep", "0.1")
        app.wait_for_window(r"Wklej \[8,4\]")
        app.xdotool("click", "1")
        self.assertTrue(gone(app, r"Wklej \[8,4\]"))
        self.assertCanvas([[(cx + cy + 12) % 16 for cx in range(32)] for cy in range(32)])


if __name__ == "__main__":
    harness.main()

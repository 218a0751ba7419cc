"""Icon files in the real window: open one through the file dialog, draw,
save it back with Ctrl+S; Save As with the proposed names. The files are
checked byte for byte against an encoding written here from the file layout,
and read back with Pillow."""
import os
import time

import harness
from harness import BLACK, BLUE, CYAN, GREEN, RED, WHITE
from PIL import Image

# The 4-bit file code of each palette UI index.
CODES = [0, 9, 10, 12, 1, 2, 4, 8, 15, 13, 11, 14, 5, 3, 6, 7]


def encode(canvas, transparent=CYAN):
    """The icon file of 32 rows of UI indices: header.dat, the 4-bit bitmap
    and the mask, both bottom row first."""
    with open(os.path.join(harness.build_dir(), "header.dat"), "rb") as f:
        header = f.read()
    codes, mask = [], []
    for y in range(31, -1, -1):
        for x in range(32):
            clear = canvas[y][x] == transparent
            codes.append(0 if clear else CODES[canvas[y][x]])
            mask.append(1 if clear else 0)
    bitmap = bytes(codes[i] << 4 | codes[i + 1] for i in range(0, 1024, 2))
    bits = bytes(sum(mask[i + b] << (7 - b) for b in range(8)) for i in range(0, 1024, 8))
    return header + bitmap + bits


def blank():
    return [[CYAN] * 32 for _ in range(32)]


class Files(harness.Case):
    def dialog(self, before):
        """The id of the file dialog that has just opened, focused."""
        deadline = time.time() + 10
        while time.time() < deadline:
            found = self.visible_windows()
            new = [w for w in found - before if self.app.window_geometry(w)[2] > 200]
            if new:
                self.app.xdotool("windowfocus", "--sync", new[0])
                return new[0]
            time.sleep(0.05)
        self.fail("no file dialog opened")

    def visible_windows(self):
        return set(self.app.xdotool("search", "--onlyvisible", "--name", ".").split())

    def answer_dialog(self, keys, text=None):
        before = self.visible_windows()
        self.app.key(*keys)
        self.dialog(before)
        if text is not None:
            self.app.xdotool("key", "ctrl+a")
            self.app.xdotool("type", "--delay", "10", text)
        self.app.xdotool("key", "Return")
        time.sleep(0.3)

    def wait_file(self, path, different_from=None, timeout=5.0):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if os.path.isfile(path):
                with open(path, "rb") as f:
                    data = f.read()
                if len(data) == 766 and data != different_from:
                    return data
            time.sleep(0.05)
        self.fail(f"{path} was not written")

    def assert_pillow_reads(self, path, canvas):
        image = Image.open(path).convert("RGBA")
        self.assertEqual(image.size, (32, 32))
        for y in range(32):
            for x in range(32):
                r, g, b, a = image.getpixel((x, y))
                if canvas[y][x] == CYAN:
                    self.assertEqual(a, 0, (x, y))
                else:
                    self.assertEqual((r, g, b, a), harness.PALETTE[canvas[y][x]] + (255,), (x, y))

    def test_open_from_the_dialog_draw_and_save_back(self):
        app = self.app
        picture = blank()
        for x in range(2, 10):
            picture[5][x] = RED
        picture[30][30] = GREEN
        picture[31][0] = WHITE
        path = os.path.join(app.root, "rysunek.ico")
        with open(path, "wb") as f:
            f.write(encode(picture))

        self.answer_dialog(["ctrl+o"], path)
        shown = app.wait_canvas(lambda c: c == picture)
        self.assertEqual(harness.picture(shown, 0, 0, 32, 32), harness.picture(picture, 0, 0, 32, 32))

        time.sleep(0.8)  # the canvas takes no input for 0.7 s after the dialog
        app.click_colour(BLUE)
        app.click_canvas_cell(10, 20)
        picture[20][10] = BLUE
        app.wait_cell(10, 20, BLUE)
        with open(path, "rb") as f:
            before = f.read()
        app.key("ctrl+s")
        saved = self.wait_file(path, different_from=before)
        self.assertEqual(saved, encode(picture))
        self.assert_pillow_reads(path, picture)

    def test_a_file_of_another_form_is_refused_with_a_message(self):
        app = self.app
        app.click_colour(RED)
        app.click_canvas_cell(7, 7)
        app.wait_cell(7, 7, RED)
        path = os.path.join(app.root, "dluzszy.ico")
        with open(path, "wb") as f:
            f.write(encode(blank()) + b"\0")  # one byte too many
        self.answer_dialog(["ctrl+o"], path)
        box = app.wait_for_window("Błąd")  # the exact title, nothing appended
        app.xdotool("windowfocus", "--sync", box)
        app.xdotool("key", "Return")
        time.sleep(0.3)
        canvas = app.canvas()
        self.assertEqual([(x, y) for y in range(32) for x in range(32) if canvas[y][x] != CYAN], [(7, 7)])

    def test_save_as_proposes_numbered_names(self):
        app = self.app
        app.click_colour(RED)
        app.click_canvas_cell(3, 4)
        app.click_colour(BLACK)
        app.click_canvas_cell(31, 0)
        picture = blank()
        picture[4][3] = RED
        picture[0][31] = BLACK
        app.wait_cell(31, 0, BLACK)

        self.answer_dialog(["ctrl+j"])  # the proposal as it stands
        saved = self.wait_file(os.path.join(app.root, "ikona01"))
        self.assertEqual(saved, encode(picture))
        self.assert_pillow_reads(os.path.join(app.root, "ikona01"), picture)

        # A cancelled attempt counts too: the next proposal is ikona03.
        before = self.visible_windows()
        app.key("ctrl+j")
        self.dialog(before)
        app.xdotool("key", "Escape")
        time.sleep(0.3)
        self.answer_dialog(["ctrl+j"])
        self.wait_file(os.path.join(app.root, "ikona03"))
        self.assertFalse(os.path.exists(os.path.join(app.root, "ikona02")))
        self.assertEqual(sorted(n for n in os.listdir(app.root) if n.startswith("ikona")),
                         ["ikona01", "ikona03"])


if __name__ == "__main__":
    harness.main()

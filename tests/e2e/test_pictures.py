"""A picture made into an icon: pasted, fitted to 32 x 32 and mapped to the
palette by the placement window's access keys, then saved and exported; the
placement window whole on the screen at every scale."""
import io
import os

from PIL import Image

import harness
from harness import BLUE, CYAN, RED
from test_files import encode


def red_blue_picture():
    """120 x 60: left half pure red, right half pure blue, an orange stripe
    between, four rows of transparent pixels above and below."""
    img = Image.new("RGBA", (120, 60), (0, 0, 0, 0))
    for y in range(4, 56):
        for x in range(120):
            img.putpixel((x, y), (255, 0, 0, 255) if x < 56 else (0, 0, 255, 255) if x >= 64
                         else (255, 128, 0, 255))
    return img


def png_bytes(img):
    buf = io.BytesIO()
    img.save(buf, "PNG")
    return buf.getvalue()


class Pictures(harness.Case):
    def visible_windows(self):
        return self.app.visible_windows()

    def new_window(self, before, min_width=200):
        new = harness.wait_until(
            lambda: [w for w in self.visible_windows() - before if self.app.window_geometry(w)[2] > min_width],
            timeout=harness.WINDOW_WAIT)
        self.assertTrue(new, "no new window")
        self.app.xdotool("windowfocus", "--sync", new[0])
        return new[0]

    def wait_file(self, path, timeout=harness.WAIT):
        self.assertTrue(harness.wait_until(lambda: os.path.isfile(path) and os.path.getsize(path) > 0,
                                           timeout=timeout), f"{path} was not written")
        return path

    def test_fit_map_save_and_export(self):
        app = self.app
        app.offer_clipboard(png_bytes(red_blue_picture()), "image/png")
        app.key("ctrl+v")
        placement = app.wait_for_window("Wklej")
        app.settle(placement)
        # The access keys toggle at once; Return places the fitted picture.
        app.key("alt+d", window=placement)
        app.key("alt+k", window=placement)
        app.settle(placement)
        self.assertTrue(app.dismiss(placement, "Return"), "the placement window stayed open")

        canvas = app.wait_canvas(lambda c: c[16][2] == RED and c[16][29] == BLUE)
        shown = harness.picture(canvas, 0, 0, 32, 32)
        self.assertEqual(canvas[16][2], RED, shown)
        self.assertEqual(canvas[16][29], BLUE, shown)
        self.assertEqual(canvas[0], [CYAN] * 32, shown)
        self.assertEqual(canvas[31], [CYAN] * 32, shown)
        self.assertTrue(all(v >= 0 for row in canvas for v in row), "a cell outside the palette" + shown)

        # Ctrl+S (no file yet: the save dialog with its proposed name) writes
        # what the canvas shows.
        before = self.visible_windows()
        app.key("ctrl+s")
        self.new_window(before)
        app.xdotool("key", "Return")
        path = self.wait_file(os.path.join(app.root, "ikona01"))
        harness.wait_until(lambda: os.path.getsize(path), lambda n: n == 766)
        with open(path, "rb") as f:
            self.assertEqual(f.read(), encode(canvas))

        # The PNG export: a name without extension gets ".png".
        before = self.visible_windows()
        app.key("ctrl+shift+e")
        dialog = app.wait_for_window("Eksportuj do PNG")
        app.settle(dialog)
        app.xdotool("windowfocus", "--sync", dialog)
        app.xdotool("key", "ctrl+a")
        app.xdotool("type", "--delay", "10", os.path.join(app.root, "eksport"))
        self.assertTrue(app.dismiss(dialog, "Return"), "the export dialog stayed open")
        exported = self.wait_file(os.path.join(app.root, "eksport.png"))
        image = harness.wait_until(lambda: self.try_open(exported), lambda im: im is not None)
        self.assert_shows_canvas(image, canvas)

    @staticmethod
    def try_open(path):
        try:
            image = Image.open(path)
            image.load()
            return image.convert("RGBA")
        except OSError:
            return None


class PicturesScaled(harness.Case):
    """The placement window, its buttons and its picture whole on the screen
    at scale factors 1, 1.5 and 2."""

    def setUp(self):
        pass  # each scale starts its own program

    def test_window_fits_at_every_scale(self):
        screen = harness.screenshot
        for scale in (None, 1.5, 2):
            with self.subTest(scale=scale):
                app = harness.Pikselar(scale=scale)
                try:
                    app.offer_clipboard(png_bytes(red_blue_picture()), "image/png")
                    app.key("ctrl+v")
                    placement = app.wait_for_window("Wklej")
                    app.settle(placement)
                    x, y, w, h = app.window_geometry(placement)
                    sw, sh = screen(app.env).size
                    self.assertTrue(x >= 0 and y >= 0 and x + w <= sw and y + h <= sh,
                                    f"window {x},{y} {w}x{h} beyond {sw}x{sh}")
                    # The fitted picture shows in the window: 8 x 8 blocks of
                    # red at its left and blue at its right, whole.
                    app.key("alt+d", window=placement)
                    app.settle(placement)
                    shot = app.screenshot().crop((x, y, x + w, y + h)).convert("RGB")
                    f = scale or 1
                    # The fitted picture in 8 x 8 blocks, whole: its opaque band
                    # (52 of 60 rows) is 14 rows of pure red and blue.
                    for colour in ((255, 0, 0), (0, 0, 255)):
                        mask = Image.eval(shot, lambda v: 0).convert("L")
                        mask.putdata([255 if p == colour else 0 for p in shot.getdata()])
                        box = mask.getbbox()
                        self.assertIsNotNone(box, f"no {colour} in the window")
                        self.assertLessEqual(abs((box[3] - box[1]) - 14 * 8 * f), 2, (colour, box))
                    self.assertTrue(app.dismiss(placement, "Escape"))
                finally:
                    app.close()


if __name__ == "__main__":
    harness.main()

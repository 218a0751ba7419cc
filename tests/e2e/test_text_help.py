"""The text tool, help mode and the about window in the real window."""
import os
import shutil
import subprocess
import tempfile
import time

import harness
from harness import BLACK, GREY, PENCIL, TEXT

HEADER_SIZE = 126
PLACEMENT_CLIENT = (586, 345)
PIC = (8, 24)  # the placement window's picture, in its client pixels
FILE_CODE = {BLACK: 0b0000, GREY: 0b0111}
SHOTS = os.environ.get("PIKSELAR_E2E_SHOTS")  # a folder to keep screenshots in


def icon_code(icon, x, y):
    """The 4-bit code of pixel (x, y); rows are stored bottom row first."""
    byte = icon[HEADER_SIZE + (31 - y) * 16 + x // 2]
    return byte >> 4 if x % 2 == 0 else byte & 0x0F


def visible(app, title):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"],
                           env=app.env, capture_output=True, text=True).stdout.split()
    return bool(found)


def gone(app, title, timeout=harness.WINDOW_WAIT):
    """True once no visible window has the title."""
    deadline = time.time() + timeout
    while visible(app, title):
        if time.time() > deadline:
            return False
        time.sleep(0.05)
    return True


def keep(image, name):
    if SHOTS:
        os.makedirs(SHOTS, exist_ok=True)
        image.save(os.path.join(SHOTS, name))


class TextTool(harness.Case):
    def setUp(self):
        # Started with an icon file, so Ctrl+S saves without a dialog.
        self.work = tempfile.mkdtemp(prefix="pikselar-text-")
        self.addCleanup(shutil.rmtree, self.work, True)
        self.icon = os.path.join(self.work, "tekst.ico")
        with open(os.path.join(harness.build_dir(), "header.dat"), "rb") as f:
            header = f.read()
        with open(self.icon, "wb") as f:
            f.write(header + bytes(512) + bytes(128))
        self.app = harness.Pikselar([self.icon])
        self.addCleanup(self.app.close)
        self.app.wait_cell(0, 0, BLACK)

    def placement_origin(self, wid):
        x, y, w, h = self.app.window_geometry(wid)
        # The client area ends at the window's bottom; the font menus are above it.
        return x + w - PLACEMENT_CLIENT[0], y + h - PLACEMENT_CLIENT[1]

    def picture(self, shot, origin, size=32):
        return [[harness.index_of(shot.getpixel((origin[0] + PIC[0] + x, origin[1] + PIC[1] + y)))
                 for x in range(size)] for y in range(size)]

    def wait_drawn(self, origin, predicate, timeout=harness.WAIT):
        deadline = time.time() + timeout
        while True:
            shot = self.app.screenshot()
            if predicate(shot) or time.time() > deadline:
                return shot
            time.sleep(0.05)

    def test_typed_text_is_placed_and_saved(self):
        app = self.app
        app.click_tool(TEXT)
        dialog = app.wait_for_window("Wstaw tekst")
        # The field has the focus by itself: type straight away.
        app.xdotool("windowfocus", "--sync", dialog)
        app.xdotool("type", "--delay", "30", "Ab")
        app.xdotool("key", "Return")
        placement = app.wait_for_window("Wklej")
        origin = self.placement_origin(placement)
        ramka = (origin[0] + PIC[0] - 1, origin[1] + PIC[1] + 34)  # left border, below 32 + 2

        def drawn(shot):
            # Black text on the grey back: a window not painted yet is all black.
            inner = [row[1:31] for row in self.picture(shot, origin)[1:31]]
            return (any(BLACK in row for row in inner) and any(GREY in row for row in inner))
        shot = self.wait_drawn(origin, drawn)
        keep(shot, "text-placement.png")
        at10 = self.picture(shot, origin)
        interior = [row[1:31] for row in at10[1:31]]  # inside the blinking frame
        self.assertTrue(drawn(shot), harness.picture(at10, 0, 0, 32, 32))
        self.assertEqual({v for row in interior for v in row}, {BLACK, GREY},
                         harness.picture(at10, 0, 0, 32, 32))
        self.assertNotEqual(harness.index_of(shot.getpixel(ramka)), BLACK)

        # Ctrl+F8 ("2&4") acts in the placement window: the text is drawn
        # again, taller than the frame, and the border follows it.
        app.xdotool("windowfocus", "--sync", placement)
        app.xdotool("key", "ctrl+F8")
        shot = self.wait_drawn(origin, lambda s: harness.index_of(s.getpixel(ramka)) == BLACK)
        keep(shot, "text-placement-24.png")
        self.assertEqual(harness.index_of(shot.getpixel(ramka)), BLACK)
        at24 = self.picture(shot, origin)
        self.assertNotEqual([r[1:31] for r in at24[1:31]], interior)
        # Back to "1&0" with Ctrl+F2: the same drawing as before.
        app.xdotool("key", "ctrl+F2")
        shot = self.wait_drawn(origin, lambda s: harness.index_of(s.getpixel(ramka)) != BLACK)
        interior = [row[1:31] for row in self.picture(shot, origin)[1:31]]
        self.assertEqual(interior, [row[1:31] for row in at10[1:31]])

        # Ctrl+F opens the font dialog over the placement window; Esc closes it
        # with the first font of the list applied, and the text is drawn anew.
        app.xdotool("key", "ctrl+f")
        fonts = app.wait_for_window("Zmień czcionkę")
        if SHOTS:
            app.settle(fonts)
            keep(app.screenshot(), "font-dialog.png")
        app.xdotool("windowfocus", "--sync", fonts)
        app.xdotool("key", "Escape")
        self.assertTrue(gone(app, "Zmień czcionkę"))
        app.settle(placement)  # drawn anew
        shot = app.screenshot()
        interior = [row[1:31] for row in self.picture(shot, origin)[1:31]]
        self.assertEqual({v for row in interior for v in row}, {BLACK, GREY})

        # A click with the pointer at (16, 16) of the picture places the frame at (0, 0).
        app.xdotool("mousemove", origin[0] + PIC[0] + 20, origin[1] + PIC[1] + 20, "sleep", "0.05",
                    "mousemove", origin[0] + PIC[0] + 16, origin[1] + PIC[1] + 16, "sleep", "0.05",
                    "click", "1")
        canvas = app.wait_canvas(lambda c: [row[1:31] for row in c[1:31]] == interior)
        keep(app.screenshot(), "text-placed.png")
        self.assertEqual([row[1:31] for row in canvas[1:31]], interior,
                         harness.picture(canvas, 0, 0, 32, 32))
        self.assertEqual({v for row in canvas for v in row}, {BLACK, GREY})

        before = open(self.icon, "rb").read()
        app.key("ctrl+s")
        deadline = time.time() + harness.WAIT
        saved = before
        while saved == before and time.time() < deadline:
            time.sleep(0.05)
            saved = open(self.icon, "rb").read()
        self.assertEqual(len(saved), 766)
        for y in range(32):
            for x in range(32):
                self.assertEqual(icon_code(saved, x, y), FILE_CODE[canvas[y][x]], (x, y))


    def test_tab_to_anuluj_and_return_cancels(self):
        app = self.app
        app.click_tool(TEXT)
        dialog = app.wait_for_window("Wstaw tekst")
        app.xdotool("windowfocus", "--sync", dialog)
        app.xdotool("type", "--delay", "30", "Ab")
        app.xdotool("key", "--delay", "50", "Tab", "Tab", "Return")  # OK, then "Anuluj"
        self.assertTrue(gone(app, "Wstaw tekst"))
        # Once the place the dialog covered is drawn again; a placement window
        # would have shown with the dialog's end.
        canvas = app.wait_canvas(lambda c: {v for row in c for v in row} == {BLACK})
        self.assertFalse(visible(app, "Wklej"))
        self.assertEqual({v for row in canvas for v in row}, {BLACK})


class HelpAndAbout(harness.Case):
    """Help mode and the about window."""

    def setUp(self):
        env, self.opened = harness.stand_in_opener(self)
        self.app = harness.Pikselar(env=env)
        self.addCleanup(self.app.close)

    def test_help_mode_explains_a_button_and_closes_on_x(self):
        app = self.app
        highlight = (255, 128, 255)
        pencil = (224 + 3, 56 + 3)
        app.key("F1")
        notice = app.wait_for_window("Pomoc")
        app.xdotool("windowfocus", "--sync", notice)
        app.xdotool("key", "Return")
        self.assertTrue(gone(app, "Pomoc"))  # the notice, before the help window comes

        app.click_tool(TEXT)  # explained, not used: no text dialog
        helpwin = app.wait_for_window("Pomoc")
        x, y, w, h = app.window_geometry(helpwin)
        self.assertEqual((w, h), (154, 107))
        # Once drawn: its text and the highlight of the button it explains.
        shot = harness.wait_until(app.screenshot, lambda s: s.getpixel((x + 3, y + h - 3)) == (255, 255, 192)
                                  and app.pixel(s, *pencil) == highlight)
        keep(shot, "help-window.png")
        self.assertEqual(shot.getpixel((x + 3, y + h - 3)), (255, 255, 192))
        self.assertEqual(shot.getpixel((x + 3, y + 3)), (0, 0, 255))
        text_area = [shot.getpixel((x + 1 + px, y + 1 + py))
                     for px in range(4, 149) for py in range(20, 101)]
        self.assertGreater(sum(1 for p in text_area if max(p) < 100), 50)  # dark letters
        self.assertEqual(app.pixel(shot, *pencil), highlight)

        app.xdotool("mousemove", x + 1 + 144, y + 1 + 8, "sleep", "0.05", "click", "1")  # "X"
        self.assertTrue(gone(app, "Pomoc"))
        self.assertFalse(visible(app, "Wstaw tekst"))

        app.key("F1")  # off, without a message
        app.settle()
        self.assertFalse(visible(app, "Pomoc"))
        app.click_tool(TEXT)  # acts again
        app.wait_for_window("Wstaw tekst")

    def test_about_window_opens_its_page_and_closes_on_esc(self):
        app = self.app
        app.key("ctrl+a")
        about = app.wait_for_window("O programie")
        x, y, w, h = app.window_geometry(about)
        self.assertEqual((w, h), (382, 237))
        shot = harness.wait_until(app.screenshot, lambda s: s.getpixel((x + 100, y + 164)) == (255, 255, 255))
        keep(shot, "about.png")
        self.assertEqual(shot.getpixel((x + 100, y + 163)), (128, 128, 128))
        self.assertEqual(shot.getpixel((x + 100, y + 164)), (255, 255, 255))
        app.xdotool("windowfocus", "--sync", about)
        # Tab to "&Strona WWW" and Return: the page opens, the window stays.
        app.xdotool("key", "--delay", "50", "Tab", "Return")
        harness.wait_until(lambda: os.path.exists(self.opened))
        with open(self.opened) as f:
            self.assertIn("pikselar.html", f.read())
        app.settle(about)
        self.assertTrue(visible(app, "O programie"))
        app.xdotool("windowfocus", "--sync", about)
        app.xdotool("key", "Escape")
        self.assertTrue(gone(app, "O programie"))


if __name__ == "__main__":
    harness.main()

"""Icon files in the real window: open one through the file dialog, draw,
save it back with Ctrl+S; Save As with the proposed names; the dialogs'
every-file filter and starting folder; a full disk; dialogs that must not
freeze on special files. The files are
checked byte for byte against an encoding written here from the file layout,
and read back with Pillow."""
import os
import shutil
import signal
import subprocess
import time
import unittest

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
        deadline = time.time() + harness.WINDOW_WAIT
        while time.time() < deadline:
            found = self.visible_windows()
            new = [w for w in found - before if self.app.window_geometry(w)[2] > 200]
            if new:
                self.app.xdotool("windowfocus", "--sync", new[0])
                return new[0]
            time.sleep(0.05)
        self.fail("no file dialog opened")

    def visible_windows(self):
        # xdotool says "none" with status 1: an empty set, not an error.
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "."],
                               env=self.app.env, capture_output=True, text=True)
        return set(found.stdout.split())

    def answer_dialog(self, keys, text=None):
        before = self.visible_windows()
        self.app.key(*keys)
        dialog = self.dialog(before)
        if text is not None:
            self.app.xdotool("key", "ctrl+a")
            self.app.xdotool("type", "--delay", "10", text)
        self.assertTrue(self.app.dismiss(dialog), "the file dialog stayed open")

    def wait_file(self, path, different_from=None, timeout=harness.WAIT):
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
        self.assert_shows_canvas(Image.open(path), canvas)

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

        app.wait_canvas_takes_input()  # it takes none for a moment after the dialog
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
        self.assertTrue(app.dismiss(box, "Return"), "the box stayed open")
        # Once the place the box covered is drawn again.
        canvas = app.wait_canvas(lambda c: sum(v != CYAN for row in c for v in row) == 1)
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
        dialog = self.dialog(before)
        self.assertTrue(app.dismiss(dialog, "Escape"), "the file dialog stayed open")
        self.answer_dialog(["ctrl+j"])
        self.wait_file(os.path.join(app.root, "ikona03"))
        self.assertFalse(os.path.exists(os.path.join(app.root, "ikona02")))
        self.assertEqual(sorted(n for n in os.listdir(app.root) if n.startswith("ikona")),
                         ["ikona01", "ikona03"])

    def test_every_file_filter_lists_the_proposed_name(self):
        app = self.app
        app.click_colour(RED)
        app.click_canvas_cell(3, 4)
        app.wait_cell(3, 4, RED)
        self.answer_dialog(["ctrl+j"])  # ikona01, no extension
        self.wait_file(os.path.join(app.root, "ikona01"))
        app.key("ctrl+n")
        self.assertEqual(app.wait_cell(3, 4, CYAN), CYAN)

        before = self.visible_windows()
        app.key("ctrl+o")
        dialog = self.dialog(before)
        x, y, _, height = app.window_geometry(dialog)
        # "Pliki rodzaju": the second entry, "Wszystkie pliki".
        # Each step shows on the screen before the next is given.
        app.after_change(lambda: app.xdotool("mousemove", x + 310, y + height - 24, "click", "1"))
        app.after_change(lambda: app.xdotool("key", "Down", "Return"))
        # The name is picked in the list itself: a click into the list, then
        # the list's own search by typing.
        app.after_change(lambda: app.xdotool("mousemove", x + 310, y + height - 130, "click", "1"))
        app.after_change(lambda: app.xdotool("type", "--delay", "30", "ikona01"))
        app.xdotool("key", "Return")
        picture = blank()
        picture[4][3] = RED
        shown = app.wait_canvas(lambda c: c == picture)
        self.assertEqual(harness.picture(shown, 0, 0, 8, 8), harness.picture(picture, 0, 0, 8, 8))


class Dialogs(unittest.TestCase):
    """Programs started with files of their own, in folders of their own."""

    def start(self, args=(), prepare=None, env=None):
        self.app = harness.Pikselar(args, env=env, before_start=prepare)
        self.addCleanup(self.app.close)
        return self.app

    def visible_windows(self):
        # xdotool says "none" with status 1: an empty set, not an error.
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "."],
                               env=self.app.env, capture_output=True, text=True)
        return set(found.stdout.split())

    def save_as_proposal(self):
        """Ctrl+J, accepting the proposed name where the dialog opened."""
        before = self.visible_windows()
        self.app.key("ctrl+j")
        deadline = time.time() + harness.WINDOW_WAIT
        while not self.visible_windows() - before and time.time() < deadline:
            time.sleep(0.05)
        new = self.visible_windows() - before
        self.assertTrue(new, "no dialog")
        self.app.xdotool("windowfocus", "--sync", sorted(new)[0])
        self.app.xdotool("key", "Return")

    def wait_for(self, path, timeout=harness.WAIT):
        deadline = time.time() + timeout
        while not os.path.exists(path) and time.time() < deadline:
            time.sleep(0.05)
        return os.path.exists(path)

    def test_dialogs_open_in_the_folder_of_the_current_file_then_the_last_one(self):
        def prepare(app):
            os.makedirs(os.path.join(app.root, "ikony"))
            with open(os.path.join(app.root, "ikony", "a.ico"), "wb") as f:
                f.write(encode(blank()))
        app = self.start(["ikony/a.ico"], prepare)
        self.save_as_proposal()
        self.assertTrue(self.wait_for(os.path.join(app.root, "ikony", "ikona01")))
        app.key("ctrl+n")  # no current file: the folder last used
        self.save_as_proposal()
        self.assertTrue(self.wait_for(os.path.join(app.root, "ikony", "ikona02")))
        self.assertEqual(sorted(n for n in os.listdir(app.root) if n.startswith("ikona")), [])

    def test_a_full_disk_keeps_the_old_icon_and_says_so(self):
        mounted = []

        def prepare(app):
            folder = os.path.join(app.root, "pelny")
            os.makedirs(folder)
            result = subprocess.run(["mount", "-t", "tmpfs", "-o", "size=64k", "tmpfs", folder],
                                    capture_output=True, text=True)
            if result.returncode != 0:
                return
            mounted.append(folder)
            with open(os.path.join(folder, "a.ico"), "wb") as f:
                f.write(encode(blank()))
            try:
                with open(os.path.join(folder, "zapchaj"), "wb") as f:
                    while True:
                        f.write(b"\0" * 1024)
                        f.flush()
            except OSError:
                pass

        def unmount():
            for folder in mounted:
                subprocess.run(["umount", "-l", folder], capture_output=True)
                shutil.rmtree(os.path.dirname(folder), ignore_errors=True)
        self.addCleanup(unmount)
        app = self.start(["pelny/a.ico"], prepare)
        if not mounted:
            self.skipTest("cannot mount a small tmpfs here (needs root); the injected full disk "
                          "of test_filecommands covers the same")
        icon = os.path.join(mounted[0], "a.ico")
        with open(icon, "rb") as f:
            old = f.read()
        self.assertEqual(len(old), 766)
        app.click_colour(RED)
        app.click_canvas_cell(5, 5)
        self.assertEqual(app.wait_cell(5, 5, RED), RED)
        app.key("ctrl+s")
        box = app.wait_for_window("Rastello")
        with open(icon, "rb") as f:
            self.assertEqual(f.read(), old)
        self.assertEqual(sorted(os.listdir(mounted[0])), ["a.ico", "zapchaj"])
        app.xdotool("windowfocus", "--sync", box)
        app.xdotool("key", "Return")

    def test_special_files_and_proc_never_freeze_a_dialog(self):
        def prepare(app):
            os.makedirs(os.path.join(app.root, "rury"))
            for name in ("rura.ico", "rura"):
                os.mkfifo(os.path.join(app.root, "rury", name))
        # GNOME's platform theme is the one that looks icons up by content.
        app = self.start(env={"XDG_CURRENT_DESKTOP": "GNOME"}, prepare=prepare)
        for keys in (["ctrl+o"], ["ctrl+j"]):
            before = self.visible_windows()
            app.key(*keys)
            deadline = time.time() + harness.WINDOW_WAIT
            while not self.visible_windows() - before and time.time() < deadline:
                time.sleep(0.05)
            dialog = sorted(self.visible_windows() - before)[0]
            app.xdotool("windowfocus", "--sync", dialog)
            app.xdotool("key", "ctrl+a")
            # The completer lists each folder as it is typed.
            app.xdotool("type", "--delay", "40", os.path.join(app.root, "rury") + "/ru")
            app.settle(dialog)
            app.xdotool("key", "ctrl+a")
            app.xdotool("type", "--delay", "40", "/proc/k")
            app.settle(dialog)
            app.xdotool("key", "Escape", "Escape")
            deadline = time.time() + harness.WINDOW_WAIT
            while dialog in self.visible_windows() and time.time() < deadline:
                time.sleep(0.05)
            self.assertNotIn(dialog, self.visible_windows(), f"the dialog of {keys} froze")
        app.wait_canvas_takes_input()  # it takes none for a moment after the Open dialog
        app.click_colour(RED)
        app.click_canvas_cell(9, 9)
        self.assertEqual(app.wait_cell(9, 9, RED), RED)
        app.proc.send_signal(signal.SIGTERM)
        self.assertEqual(app.proc.wait(harness.WINDOW_WAIT), 0)


if __name__ == "__main__":
    harness.main()

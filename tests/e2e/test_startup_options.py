"""The command line, the options file and the installed program, in a real window."""
import io
import os
import re
import shutil
import stat
import struct
import subprocess
import tempfile
import time
import unittest

from PIL import Image

import harness
from harness import BLACK, BLUE, CYAN, RED

HEADER_SIZE = 126
# 4-bit file codes of the UI palette (the file's colour table order).
FILE_CODE = [0b0000, 0b1001, 0b1010, 0b1100, 0b0001, 0b0010, 0b0100, 0b1000,
             0b1111, 0b1101, 0b1011, 0b1110, 0b0101, 0b0011, 0b0110, 0b0111]


def header():
    with open(os.path.join(harness.build_dir(), "header.dat"), "rb") as f:
        return f.read()


def black_icon():
    """An opaque all-black icon as the program writes it."""
    return header() + bytes(512) + bytes(128)


def pixel_code(icon, x, y):
    """The 4-bit code of pixel (x, y); rows are stored bottom row first."""
    byte = icon[HEADER_SIZE + (31 - y) * 16 + x // 2]
    return byte >> 4 if x % 2 == 0 else byte & 0x0F


def wait_exit(proc, timeout=harness.WINDOW_WAIT):
    try:
        return proc.wait(timeout)
    except subprocess.TimeoutExpired:
        return None


class PathWithASpace(unittest.TestCase):
    def test_open_edit_save_and_quit_keeps_file_and_options(self):
        work = tempfile.mkdtemp(prefix="pikselar e2e ")
        self.addCleanup(shutil.rmtree, work, True)
        icon = os.path.join(work, "moje ikony", "kot czarny.ico")
        os.makedirs(os.path.dirname(icon))
        with open(icon, "wb") as f:
            f.write(black_icon())

        app = harness.Pikselar([icon])
        self.addCleanup(app.close)
        self.assertEqual(app.wait_cell(20, 20, BLACK), BLACK)
        app.click_colour(RED)
        app.click_canvas_cell(5, 7)
        self.assertEqual(app.wait_cell(5, 7, RED), RED)
        app.key("ctrl+g")          # grid on: a view option to keep
        app.key("ctrl+s")          # back into the opened file, no dialog
        app.key("ctrl+q")          # taken after the save: keys are handled in order
        self.assertEqual(wait_exit(app.proc), 0)

        with open(icon, "rb") as f:
            saved = f.read()
        self.assertEqual(len(saved), 766)
        self.assertEqual(pixel_code(saved, 5, 7), FILE_CODE[RED])
        self.assertEqual(pixel_code(saved, 6, 7), FILE_CODE[BLACK])
        with open(os.path.join(app.folder, "opcje.dat"), "rb") as f:
            self.assertEqual(f.read(), b"11\n1\n1\n1\n1\n1\n1\n")

    def test_options_of_the_last_run_come_back(self):
        app = harness.Pikselar([], files={"opcje.dat": b"3,1,1,1,1,1,1\r\n"})
        self.addCleanup(app.close)
        app.key("ctrl+g")          # grid off again
        app.key("ctrl+q")
        self.assertEqual(wait_exit(app.proc), 0)
        with open(os.path.join(app.folder, "opcje.dat"), "rb") as f:
            self.assertEqual(f.read(), b"3\n1\n1\n1\n1\n0\n1\n")


def foreign_icon():
    """A 32 x 32 icon of 32 bits as other programs write it: red left, blue
    right, a transparent 4 x 4 corner at the top left."""
    rows = []
    for y in range(31, -1, -1):  # bottom row first
        for x in range(32):
            if x < 4 and y < 4:
                rows.append(b"\0\0\0\0")
            else:
                rows.append(b"\0\0\xff\xff" if x < 16 else b"\xff\0\0\xff")  # B, G, R, A
    info = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 32, 0, 0, 0, 0, 0, 0)
    data = info + b"".join(rows) + bytes(4 * 32)
    return struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", 32, 32, 0, 0, 1, 32, len(data), 22) + data


class ForeignFilesFromTheCommandLine(unittest.TestCase):
    def visible_windows(self, app):
        return set(app.xdotool("search", "--onlyvisible", "--name", ".").split())

    def test_an_icon_of_another_program_comes_in_without_a_name(self):
        def prepare(app):
            with open(os.path.join(app.root, "obca.ico"), "wb") as f:
                f.write(foreign_icon())
        app = harness.Pikselar(["obca.ico"], before_start=prepare)
        self.addCleanup(app.close)
        expected = [[CYAN] * 4 + [RED] * 12 + [BLUE] * 16 if y < 4 else [RED] * 16 + [BLUE] * 16
                    for y in range(32)]
        canvas = app.wait_canvas(lambda c: c == expected, timeout=5)
        self.assertEqual(harness.picture(canvas, 0, 0, 32, 32), harness.picture(expected, 0, 0, 32, 32))
        self.assertEqual(self.visible_windows(app), {app.wid})  # no box
        before = self.visible_windows(app)
        app.key("ctrl+s")  # asks for a name
        deadline = time.time() + harness.WINDOW_WAIT
        while not self.visible_windows(app) - before and time.time() < deadline:
            time.sleep(0.05)
        dialog = self.visible_windows(app) - before
        self.assertEqual(len(dialog), 1, "Ctrl+S asked for no name")
        dialog = dialog.pop()
        self.assertTrue(app.dismiss(dialog, "Escape"))
        with open(os.path.join(app.root, "obca.ico"), "rb") as f:
            self.assertEqual(f.read(), foreign_icon())

    def test_a_name_that_is_not_utf8_opens_and_is_saved_back(self):
        name = b"\xff\xfe kot.ico"

        def prepare(app):
            with open(os.path.join(os.fsencode(app.root), name), "wb") as f:
                f.write(black_icon())
        app = harness.Pikselar([os.fsdecode(name)], before_start=prepare)
        self.addCleanup(app.close)
        self.assertEqual(app.wait_cell(20, 20, BLACK), BLACK)
        self.assertEqual(self.visible_windows(app), {app.wid})
        app.click_colour(RED)
        app.click_canvas_cell(5, 7)
        self.assertEqual(app.wait_cell(5, 7, RED), RED)
        app.key("ctrl+s")
        path = os.path.join(os.fsencode(app.root), name)
        deadline = time.time() + harness.WAIT
        while time.time() < deadline:
            with open(path, "rb") as f:
                saved = f.read()
            if pixel_code(saved, 5, 7) == FILE_CODE[RED]:
                break
            time.sleep(0.05)
        self.assertEqual(len(saved), 766)
        self.assertEqual(pixel_code(saved, 5, 7), FILE_CODE[RED])
        self.assertEqual([n for n in os.listdir(os.fsencode(app.root)) if n.endswith(b".ico")], [name])

    def test_a_file_named_like_a_qt_option_opens(self):
        def prepare(app):
            with open(os.path.join(app.root, "-reverse"), "wb") as f:
                f.write(black_icon())
        app = harness.Pikselar(["-reverse"], before_start=prepare)
        self.addCleanup(app.close)
        self.assertEqual(app.wait_cell(20, 20, BLACK), BLACK)
        self.assertEqual(self.visible_windows(app), {app.wid})


class WithoutAWindowSystem(unittest.TestCase):
    NO_DISPLAY_LINE = ("pikselar: nie można połączyć się z systemem okien "
                       "(DISPLAY i WAYLAND_DISPLAY nie wskazują działającego serwera)")

    def run_program(self, args, platform=None):
        root = tempfile.mkdtemp(prefix="pikselar-e2e-")
        self.addCleanup(shutil.rmtree, root, True)
        folder, env = harness.program_folder(root)
        number = 700
        while os.path.exists(f"/tmp/.X11-unix/X{number}") or os.path.exists(f"/tmp/.X{number}-lock"):
            number += 1
        env["DISPLAY"] = f":{number}"
        env["WAYLAND_DISPLAY"] = "pikselar-no-such-compositor"
        if platform:
            env["QT_QPA_PLATFORM"] = platform
        return subprocess.run([os.path.join(folder, "pikselar"), *args], cwd=root, env=env,
                              capture_output=True, timeout=60)

    def test_no_display_gives_one_polish_line_and_status_1(self):
        for platform in (None, "xcb", "wayland"):
            with self.subTest(platform=platform):
                done = self.run_program(["ikona.ico"], platform)
                self.assertEqual(done.returncode, 1)  # not a signal: no abort, no core
                self.assertEqual(done.stderr.decode().splitlines(), [self.NO_DISPLAY_LINE])

    def test_help_needs_no_display(self):
        done = self.run_program(["--help"])
        self.assertEqual(done.returncode, 0)
        self.assertIn(b"pikselar", done.stdout)
        self.assertEqual(done.stderr, b"")


class SpecialOptionsFiles(unittest.TestCase):
    def run_with(self, make):
        """Starts with opcje.dat made by make(path), quits; the path's lstat before and after."""
        seen = {}

        def prepare(app):
            path = os.path.join(app.folder, "opcje.dat")
            make(path)
            seen["before"] = os.lstat(path)
            seen["path"] = path
        app = harness.Pikselar([], before_start=prepare)  # a FIFO would keep the window from showing
        self.addCleanup(app.close)
        app.key("ctrl+g")  # a change to write
        app.key("ctrl+q")
        self.assertEqual(wait_exit(app.proc), 0)
        return seen["before"], os.lstat(seen["path"])

    def test_a_fifo_neither_blocks_start_up_nor_is_replaced(self):
        before, after = self.run_with(os.mkfifo)
        self.assertTrue(stat.S_ISFIFO(after.st_mode))
        self.assertEqual(after.st_ino, before.st_ino)

    def test_a_link_to_a_character_device_leaves_the_device_alone(self):
        device = os.stat("/dev/null")
        before, after = self.run_with(lambda path: os.symlink("/dev/null", path))
        self.assertTrue(stat.S_ISLNK(after.st_mode))
        now = os.stat("/dev/null")
        self.assertTrue(stat.S_ISCHR(now.st_mode))
        self.assertEqual((now.st_ino, now.st_rdev), (device.st_ino, device.st_rdev))

    def test_a_read_only_file_stays_as_it_is(self):
        def make(path):
            with open(path, "wb") as f:
                f.write(b"3\n1\n1\n1\n1\n0\n1\n")
            os.chmod(path, 0o444)
        before, after = self.run_with(make)
        self.assertEqual(stat.S_IMODE(after.st_mode), 0o444)
        self.assertEqual((after.st_ino, after.st_mtime_ns), (before.st_ino, before.st_mtime_ns))


class PasteFromTheCommandLine(unittest.TestCase):
    def test_schowek_pastes_what_another_program_put_on_the_clipboard(self):
        picture = Image.new("RGB", (32, 32), harness.PALETTE[BLUE])
        for y in range(32):
            for x in range(16):
                picture.putpixel((x, y), harness.PALETTE[RED])
        png = io.BytesIO()
        picture.save(png, "PNG")

        xvfb = harness.Xvfb()
        env = dict(os.environ, DISPLAY=xvfb.display)
        # -quiet keeps xclip in the foreground, serving the clipboard until killed.
        clip = subprocess.Popen(["xclip", "-quiet", "-selection", "clipboard", "-t", "image/png", "-i"],
                                stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL, env=env)
        self.addCleanup(clip.wait)
        self.addCleanup(clip.kill)
        clip.stdin.write(png.getvalue())
        clip.stdin.close()
        # xclip owns the clipboard once it lists the type.
        listed = harness.wait_until(lambda: subprocess.run(
            ["xclip", "-selection", "clipboard", "-o", "-t", "TARGETS"], env=env,
            capture_output=True, timeout=harness.WAIT).stdout.split(), lambda t: b"image/png" in t)
        self.assertIn(b"image/png", listed)
        original = harness.Xvfb
        harness.Xvfb = lambda: xvfb
        try:
            app = harness.Pikselar(["ikona.ico", "/Schowek"])
        finally:
            harness.Xvfb = original
        self.addCleanup(app.close)
        canvas = app.wait_canvas(lambda c: c[0][0] == RED and c[31][31] == BLUE)
        self.assertEqual(harness.picture(canvas, 0, 0, 32, 32),
                         harness.picture([[RED] * 16 + [BLUE] * 16] * 32, 0, 0, 32, 32))


def deb_installed():
    query = subprocess.run(["dpkg-query", "-W", "-f=${Status}", "pikselar"],
                           capture_output=True, text=True)
    return query.stdout.endswith("installed") and "not-installed" not in query.stdout


class InstalledProgram(unittest.TestCase):
    """Started by its menu entry's Exec line, as a desktop launcher does."""

    def start_from_entry(self, prefix, work):
        entry = os.path.join(prefix, "share", "applications", "pikselar.desktop")
        subprocess.run(["desktop-file-validate", entry], check=True)
        for size in (32, 128):
            with Image.open(os.path.join(prefix, "share", "icons", "hicolor",
                                         f"{size}x{size}", "apps", "pikselar.png")) as im:
                self.assertEqual(im.size, (size, size))
        with open(entry, encoding="utf-8") as f:
            exec_line = re.search(r"^Exec=(.*)$", f.read(), re.M).group(1)
        self.assertEqual(exec_line, "pikselar %f")

        icon = os.path.join(work, "z odstępem.ico")
        with open(icon, "wb") as f:
            f.write(black_icon())
        home = os.path.join(work, "home")
        xvfb = harness.Xvfb()
        self.addCleanup(xvfb.stop)
        env = {k: v for k, v in os.environ.items() if not k.startswith(("QT_", "XDG_"))}
        env.update(HOME=home, DISPLAY=xvfb.display, QT_QPA_PLATFORM="xcb",
                   PATH=os.path.join(prefix, "bin") + os.pathsep + env.get("PATH", ""),
                   XDG_RUNTIME_DIR=os.path.join(home, "runtime"))
        os.makedirs(env["XDG_RUNTIME_DIR"], mode=0o700)
        # %f is one file: the launcher passes the path whole.
        argv = [icon if word == "%f" else word for word in exec_line.split()]
        proc = subprocess.Popen(argv, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        self.addCleanup(proc.stdout.close)
        self.addCleanup(lambda: proc.poll() is None and proc.kill())
        deadline = time.time() + harness.WINDOW_WAIT
        found = ""
        while not found and time.time() < deadline and proc.poll() is None:
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Pikselar$"],
                                   env=env, capture_output=True, text=True).stdout.strip()
            time.sleep(0.05)
        self.assertTrue(found, "no window")
        harness.settle(env)        # drawn: started up
        proc.terminate()           # the desktop session ending
        self.assertEqual(wait_exit(proc), 0)
        with open(os.path.join(home, ".config", "pikselar", "opcje.dat"), "rb") as f:
            self.assertEqual(f.read(), b"11\n1\n1\n1\n1\n0\n1\n")
        self.assertFalse(os.path.exists(os.path.join(prefix, "share", "pikselar", "opcje.dat")))

    def test_installed_into_a_prefix(self):
        work = tempfile.mkdtemp(prefix="pikselar-install-")
        self.addCleanup(shutil.rmtree, work, True)
        prefix = os.path.join(work, "usr")
        subprocess.run(["cmake", "--install", harness.build_dir(), "--prefix", prefix],
                       check=True, capture_output=True)
        self.start_from_entry(prefix, work)

    @unittest.skipUnless(deb_installed(), "the pikselar package is not installed here")
    def test_installed_debian_package(self):
        work = tempfile.mkdtemp(prefix="pikselar-deb-")
        self.addCleanup(shutil.rmtree, work, True)
        self.start_from_entry("/usr", work)


class PortableCopy(unittest.TestCase):
    """The executable with only header.dat and its decoding process beside it
    (the harness's program folder): its icon and its page come from inside it."""

    def setUp(self):
        env, self.asked = harness.stand_in_opener(self)
        self.app = harness.Pikselar(env=env)
        self.addCleanup(self.app.close)
        self.assertEqual(sorted(os.listdir(self.app.folder)), ["header.dat", "pikselar", "pikselar-decode"])
        source = os.path.join(os.path.dirname(__file__), "..", "..", "data")
        with Image.open(os.path.join(source, "pikselar.ico")) as im:
            self.icon = im.convert("RGBA")
        with open(os.path.join(source, "pikselar.html"), "rb") as f:
            self.page = f.read()

    def window_icon(self):
        """The _NET_WM_ICON of the main window: width, height, ARGB values."""
        deadline = time.time() + harness.WAIT
        while time.time() < deadline:
            out = subprocess.run(["xprop", "-id", self.app.wid, "-notype", "-f", "_NET_WM_ICON",
                                  "32c", " = $0+", "_NET_WM_ICON"], env=self.app.env,
                                 capture_output=True, text=True).stdout
            if "=" in out:
                return [int(v) for v in out.split("=", 1)[1].replace(",", " ").split()]
            time.sleep(0.05)
        self.fail("the window has no icon")

    def test_window_icon_and_about_picture_are_the_programs(self):
        values = self.window_icon()
        self.assertEqual(values[:2], [32, 32])
        argb = values[2:2 + 32 * 32]
        expected = [a << 24 | r << 16 | g << 8 | b for r, g, b, a in self.icon.getdata()]
        self.assertEqual(argb, expected)
        self.assertTrue(any(v >> 24 == 0 for v in argb) and any(v >> 24 == 255 for v in argb))

        self.app.key("ctrl+a")
        about = self.app.wait_for_window("O programie")
        x, y, _, _ = self.app.window_geometry(about)
        self.app.settle(about)
        shot = self.app.screenshot()
        opaque = [(px, py) for py in range(32) for px in range(32) if self.icon.getpixel((px, py))[3]]
        self.assertGreater(len(opaque), 100)
        for px, py in opaque:
            self.assertEqual(shot.getpixel((x + 16 + px, y + 16 + py)), self.icon.getpixel((px, py))[:3],
                             f"about picture at {px}, {py}")

    def test_web_button_hands_the_built_in_page_to_the_launcher(self):
        self.app.key("ctrl+a")
        about = self.app.wait_for_window("O programie")
        self.app.key("alt+s", window=about)
        # The launcher's note is made before its line is written: wait for the line.
        deadline = time.time() + harness.WAIT
        urls = []
        while time.time() < deadline:
            if os.path.exists(self.asked):
                with open(self.asked) as f:
                    text = f.read()
                if text.endswith("\n"):
                    urls = text.split()
                    break
            time.sleep(0.05)
        self.assertEqual(len(urls), 1)
        self.assertTrue(urls[0].startswith("file:///"), urls[0])
        with open(urls[0][len("file://"):], "rb") as f:
            self.assertEqual(f.read(), self.page)
        self.assertTrue(self.app.wait_for_window("O programie"))


if __name__ == "__main__":
    harness.main()

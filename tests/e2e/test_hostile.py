"""Pictures made to exhaust a decoder, through every entrance that decodes a
file or the clipboard (the command line, Ctrl+I, paste): each is shown or
refused within a few seconds with a bounded peak of memory, and a
termination signal during the decode still ends the program promptly,
saving its options."""
import io
import os
import signal
import struct
import subprocess
import sys
import threading
import time
import zlib

from PIL import Image

import costly
import harness
from harness import PENCIL, RED

# The bounds: the outcome within 4 s of processor time (the program and its
# decoding process together: on a loaded machine the wall-clock time is
# longer, and only noted, with a backstop for a hang), the peak memory under
# 400 MB above the start, the end within 2 s of SIGTERM sent 1 s in.
OUTCOME_SECONDS = 4.0
HANG_SECONDS = 60.0
PEAK_MB = 400
SIGNAL_AFTER = 1.0
EXIT_SECONDS = 2.0


def _chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png_of_text_chunks(count=40, inflated=8_000_000 - 4096):
    """A 32 x 32 red PNG carrying `count` zTXt chunks that each inflate to
    just under 8 MB (the chunk limit of the PNG library)."""
    buf = io.BytesIO()
    Image.new("RGB", (32, 32), harness.PALETTE[RED]).save(buf, "PNG")
    png = buf.getvalue()
    text = _chunk(b"zTXt", b"Comment\0\0" + zlib.compress(b"a" * inflated, 9))
    at = png.index(b"IDAT") - 4
    return png[:at] + text * count + png[at:]


def metafile_of_zigzag(points=65535, side=4096):
    """A metafile `side` pixels square with one filled polygon of `points`
    points going up and down the whole height in a column 2 pixels wide:
    few points, but every edge crosses every row."""
    coords = []
    for i in range(points):
        coords += [i % 2, (side - 1) * ((i // 2) % 2)]
    polygon = struct.pack("<IHH", 4 + 2 * points, 0x0324, points) + struct.pack(f"<{2 * points}h", *coords)
    return costly.metafile([polygon], side)


HOSTILE = {
    "text.png": ("image/png", png_of_text_chunks),
    "zigzag.wmf": ("image/x-wmf", metafile_of_zigzag),
}


def note(text):
    """Figures go to the log for the record."""
    print(f"  {text}", file=sys.stderr)


def kib(pid, field):
    """A memory figure of /proc/PID/status in KiB; None once the process is gone."""
    try:
        with open(f"/proc/{pid}/status") as f:
            return next(int(line.split()[1]) for line in f if line.startswith(field + ":"))
    except (OSError, StopIteration):
        return None


def cpu_seconds(pid):
    """The processor time of a process and of the children it has waited for."""
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rpartition(")")[2].split()
    return sum(int(v) for v in fields[11:15]) / os.sysconf("SC_CLK_TCK")


def children(pid):
    """The processes a process has started (through any of its threads)."""
    found = []
    try:
        for task in os.listdir(f"/proc/{pid}/task"):
            with open(f"/proc/{pid}/task/{task}/children") as f:
                found += [int(c) for c in f.read().split()]
    except OSError:
        pass
    return found


class PeakMemory:
    """Follows the program and every process it starts until stopped: the
    rise of the program's peak over its size at the start, plus the largest
    peak of a process it started (a decoding process ends at its limit)."""

    def __init__(self, pid):
        self.pid = pid
        self.start = kib(pid, "VmRSS")
        self.child_peak = 0
        self.seen_children = set()
        self._stop = threading.Event()
        self._thread = threading.Thread(target=self._follow, daemon=True)
        self._thread.start()

    def _follow(self):
        while not self._stop.is_set():
            for child in children(self.pid):
                self.seen_children.add(child)
                peak = kib(child, "VmHWM")
                if peak:
                    self.child_peak = max(self.child_peak, peak)
            self._stop.wait(0.01)

    def stop(self):
        """The combined rise in MB."""
        own = kib(self.pid, "VmHWM")
        self._stop.set()
        self._thread.join()
        return ((own or self.start) - self.start + self.child_peak) / 1024


class Hostile(harness.Case):
    def setUp(self):
        # Each test starts its own programs.
        self.files = {name: make() for name, (_, make) in HOSTILE.items()}

    # ---- starting and driving the program

    def start(self, args=(), files=None):
        self.app = harness.Pikselar(args, files=files)
        self.addCleanup(self.app.close)
        return self.app

    def ready_pencil(self):
        """Pencil and red chosen, so that a later click on the canvas paints
        once the program takes user input again."""
        self.app.click_tool(PENCIL)
        self.app.click_colour(RED)

    def serve(self, data, target):
        """xclip serves the clipboard until the program has taken it."""
        proc = subprocess.Popen(["xclip", "-selection", "clipboard", "-t", target, "-i"], env=self.app.env,
                                stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        proc.stdin.write(data)
        proc.stdin.close()
        self.addCleanup(proc.wait)
        self.addCleanup(proc.kill)
        offered = harness.wait_until(lambda: target.encode() in self.app.clipboard_targets(), timeout=20)
        self.assertTrue(offered, f"{target} was never offered")

    def import_file(self, path):
        """Ctrl+I, the path typed into the file dialog and Return."""
        title = "Importuj plik graficzny"
        self.app.key("ctrl+i")
        dialog = self.app.wait_for_window(title)
        self.app.xdotool("windowfocus", "--sync", dialog)
        self.app.xdotool("type", "--delay", "10", path)
        # A completer's list may take the first Return: sent until the dialog goes.
        self.assertTrue(self.app.dismiss(dialog, "Return"), "the file dialog stayed open")

    def exists(self, title):
        return subprocess.run(["xdotool", "search", "--name", f"^{title}( \\[.*\\])?$"],
                              env=self.app.env, capture_output=True, text=True).stdout.split()

    def visible(self, title):
        # The placement window's title follows the pointer: "Wklej [L,T]".
        return subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}( \\[.*\\])?$"],
                              env=self.app.env, capture_output=True, text=True).stdout.split()

    def outcome(self, cell=None):
        """What the decode has ended in so far: the placement window, the
        error box, or (for a silent refusal or a picture placed) the cell
        clicked during the decode painted; None while it runs."""
        # The placement window may already be gone: the click meant to wait
        # for the decode lands on it when the decode is quick. Its X window
        # is made only when it is first shown, so one that exists was shown.
        if self.exists("Wklej"):
            return "Wklej"
        if self.visible("Błąd"):
            return "Błąd"
        if cell and self.app.cell(*cell) == RED:
            return "painted"
        return None

    def wait_outcome(self, timeout, cell=None):
        return harness.wait_until(lambda: self.outcome(cell), timeout=timeout)

    # ---- the two checks

    def check_bounded(self, what, begin, cell=None, click=True):
        """`begin` starts the decode; it must end within OUTCOME_SECONDS of
        processor time with the memory bounded, and the program must answer
        afterwards."""
        memory = PeakMemory(self.app.proc.pid)
        cpu = cpu_seconds(self.app.proc.pid)
        begin()
        start = time.time()
        if cell and click:
            self.app.click_canvas_cell(*cell)
        seen = self.wait_outcome(HANG_SECONDS, cell)
        took = time.time() - start
        cpu = cpu_seconds(self.app.proc.pid) - cpu
        rise = memory.stop()
        note(f"{what}: {seen or 'nothing'} after {took:.2f} s ({cpu:.2f} s of processor time), "
             f"peak memory +{rise:.0f} MB")
        self.assertIsNotNone(seen, f"{what}: neither shown nor refused within {HANG_SECONDS} s")
        self.assertLess(cpu, OUTCOME_SECONDS, f"{what}: {cpu:.2f} s of processor time")
        self.assertLess(rise, PEAK_MB, f"{what}: the peak memory rose by {rise:.0f} MB")
        self.assertIsNone(self.app.proc.poll(), f"{what}: the program ended")

    def check_signal(self, what, begin):
        """`begin` starts the decode; SIGTERM SIGNAL_AFTER later ends the
        program within EXIT_SECONDS, with its options saved and no process
        of its own left behind."""
        options = os.path.join(self.app.folder, "opcje.dat")
        if os.path.exists(options):
            os.remove(options)
        started = set()
        t0 = time.time()
        begin()
        # Until the signal is due: the decoding processes seen are noted.
        while time.time() < t0 + SIGNAL_AFTER:
            started.update(children(self.app.proc.pid))
            time.sleep(0.01)
        start = time.time()
        self.app.proc.send_signal(signal.SIGTERM)
        try:
            self.app.proc.wait(10)
        except subprocess.TimeoutExpired:
            self.fail(f"{what}: SIGTERM did not end the program")
        took = time.time() - start
        note(f"{what}: ended {took:.2f} s after SIGTERM")
        self.assertLess(took, EXIT_SECONDS, f"{what}: the program took {took:.2f} s to end")
        self.assertTrue(os.path.exists(options), f"{what}: the options were not saved")
        deadline = time.time() + EXIT_SECONDS
        while any(os.path.exists(f"/proc/{p}") and kib(p, "VmRSS") for p in started) and time.time() < deadline:
            time.sleep(0.02)
        left = [p for p in started if os.path.exists(f"/proc/{p}") and kib(p, "VmRSS")]
        self.assertEqual(left, [], f"{what}: a process of the program was left running")

    # ---- the entrances

    def test_command_line(self):
        for name, data in self.files.items():
            with self.subTest(name):
                self.start(["program/" + name], files={name: data})
                # No clicks: a click meant for the main window would land on
                # the placement window or the error box once the decode ends.
                # The red picture itself paints cell (3, 3) when it comes in
                # without the placement window.
                self.check_bounded(f"{name} on the command line", lambda: None, cell=(3, 3), click=False)
            with self.subTest(name, signal=True):
                self.start(["program/" + name], files={name: data})
                self.check_signal(f"{name} on the command line", lambda: None)

    def test_import(self):
        for name, data in self.files.items():
            with self.subTest(name):
                app = self.start(files={name: data})
                path = os.path.join(app.folder, name)
                self.ready_pencil()
                self.check_bounded(f"{name} through Ctrl+I", lambda: self.import_file(path), cell=(3, 3))
                app.close()
            with self.subTest(name, signal=True):
                app = self.start(files={name: data})
                path = os.path.join(app.folder, name)
                self.check_signal(f"{name} through Ctrl+I", lambda: self.import_file(path))

    def test_paste(self):
        for name, data in self.files.items():
            target = HOSTILE[name][0]
            with self.subTest(name):
                app = self.start()
                self.ready_pencil()
                self.serve(data, target)
                self.check_bounded(f"{name} pasted", lambda: app.key("ctrl+v"), cell=(3, 3))
                app.close()
            with self.subTest(name, signal=True):
                app = self.start()
                self.serve(data, target)
                self.check_signal(f"{name} pasted", lambda: app.key("ctrl+v"))


if __name__ == "__main__":
    harness.main()

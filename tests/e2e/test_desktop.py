"""The main window and its dialogs under real window managers: one finished
frame at start-up, the one size told to the window manager and kept, dialogs
transient for the main window and centred over it."""
import os
import shutil
import subprocess
import tempfile
import time
import unittest

import harness

def hints(app, wid):
    """(minimum, maximum) sizes of the window's WM_NORMAL_HINTS."""
    out = app.xdotool_env_run(["xprop", "-id", str(wid), "WM_NORMAL_HINTS"])
    found = {}
    for line in out.splitlines():
        line = line.strip()
        for key in ("minimum size", "maximum size"):
            if key in line:
                w, _, h = line.rpartition(":")[2].strip().partition(" by ")
                found[key] = (int(w), int(h))
    return found.get("minimum size"), found.get("maximum size")


def settle(app, wid, want, timeout=harness.WAIT):
    """The window's size once it is `want` (the rule may undo a change a
    little later), or the last seen."""
    deadline = time.time() + timeout
    while True:
        seen = app.window_geometry(wid)[2:]
        if seen == want or time.time() > deadline:
            return seen
        time.sleep(0.05)


def steady(app, wid, readings=4, timeout=harness.WAIT):
    """Returns once the window's geometry has read the same several times in
    a row: the window manager and the program have done with a change."""
    seen = []

    def same():
        seen.append(app.window_geometry(wid))
        return len(seen) >= readings and len(set(seen[-readings:])) == 1
    harness.wait_until(same, timeout=timeout, interval=0.1)


class Desktop:
    """The checks, run once for each window manager (the subclasses below)."""

    wm = None

    def start(self):
        app = harness.Pikselar(wm=self.wm)
        self.addCleanup(app.close)
        app.xdotool_env_run = lambda argv: subprocess.run(
            argv, env=app.env, check=True, capture_output=True, text=True).stdout
        return app

    @unittest.skipUnless(os.environ.get("PIKSELAR_MAPWAIT"), "the start-up waiter was not built")
    def test_three_starts_show_no_change_after_the_map(self):
        xvfb = harness.Xvfb(wm=self.wm)
        self.addCleanup(xvfb.stop)
        root = tempfile.mkdtemp(prefix="pikselar-e2e-")
        self.addCleanup(shutil.rmtree, root, True)
        folder, env = harness.program_folder(root)
        env.update(DISPLAY=xvfb.display, QT_QPA_PLATFORM="xcb")
        for run in range(3):
            out = subprocess.run([os.environ["PIKSELAR_MAPWAIT"], "300",
                                  os.path.join(folder, "pikselar")],
                                 env=env, capture_output=True, text=True, timeout=60)
            self.assertEqual(out.returncode, 0, out.stderr)
            mapped, _, first, _, changes = out.stdout.split()
            self.assertEqual(changes, "0", f"run {run}: {changes} size or position changes "
                                           f"after the map ({out.stdout.strip()})")
            self.assertGreaterEqual(float(first), float(mapped))

    def test_one_size_told_and_kept(self):
        app = self.start()
        x, y, w, h = app.window_geometry()
        self.assertEqual(hints(app, app.wid), ((w, h), (w, h)))
        # Centred on the screen (the client area; the frame lies around it).
        self.assertLessEqual(abs(x + w // 2 - 512), 2)
        self.assertLessEqual(abs(y + h // 2 - 384), 12)

        # A resize drag: Alt + right button in openbox and xfwm4.
        if self.wm in ("openbox", "xfwm4"):
            app.xdotool("mousemove", x + w // 2, y + h // 2, "keydown", "alt",
                        "mousedown", "3", "sleep", "0.1")
            for step in range(1, 11):
                app.xdotool("mousemove", x + w // 2 + 12 * step, y + h // 2 + 9 * step,
                            "sleep", "0.03")
            app.xdotool("mouseup", "3", "keyup", "alt")
            steady(app, app.wid)  # the manager and the program are done with it
            self.assertEqual(settle(app, app.wid, (w, h)), (w, h))
        # A resize asked by another program, and a maximise request.
        app.xdotool("windowsize", app.wid, w + 100, h + 80)
        steady(app, app.wid)
        self.assertEqual(settle(app, app.wid, (w, h)), (w, h))
        app.xdotool_env_run(["wmctrl", "-i", "-r", app.wid, "-b",
                             "add,maximized_vert,maximized_horz"])
        steady(app, app.wid)
        self.assertEqual(settle(app, app.wid, (w, h)), (w, h))

        # Switching the help bar off shrinks it by 32 pixels, and the window
        # manager is told. xfwm4 keeps Ctrl+F1 for itself (workspace 1): there
        # the menu entry switches it.
        toggle = ("alt+c", "c") if self.wm == "xfwm4" else ("ctrl+F1",)
        app.key(*toggle)
        self.assertEqual(settle(app, app.wid, (w, h - 32)), (w, h - 32))
        deadline = time.time() + harness.WAIT
        while hints(app, app.wid) != ((w, h - 32), (w, h - 32)) and time.time() < deadline:
            time.sleep(0.05)
        self.assertEqual(hints(app, app.wid), ((w, h - 32), (w, h - 32)))
        app.key(*toggle)
        self.assertEqual(settle(app, app.wid, (w, h)), (w, h))

        # Minimised and restored, it keeps its place (the place it has once
        # the manager is done with the changes above).
        steady(app, app.wid)
        before = app.window_geometry()
        app.xdotool("windowminimize", "--sync", app.wid)
        app.xdotool("windowactivate", "--sync", app.wid)
        deadline = time.time() + harness.WAIT
        while app.window_geometry() != before and time.time() < deadline:
            time.sleep(0.05)
        self.assertEqual(app.window_geometry(), before)

    def test_dialogs_are_transient_and_centred_over_the_main_window(self):
        app = self.start()
        mx, my, mw, mh = app.window_geometry()
        # Moved away from the screen's centre, so that centring over the
        # screen would not pass for centring over the main window.
        app.xdotool("windowmove", app.wid, 40, 60)
        deadline = time.time() + harness.WAIT
        while app.window_geometry()[:2] == (mx, my) and time.time() < deadline:
            time.sleep(0.05)
        app._locate()  # clicks go to the moved window
        mx, my, mw, mh = app.window_geometry()

        def check(open_keys, title):
            if open_keys:
                app.key(*open_keys)
            wid = app.wait_for_window(title)
            app.settle(wid)  # at its final place
            x, y, w, h = app.window_geometry(wid)
            transient = app.xdotool_env_run(["xprop", "-id", wid, "WM_TRANSIENT_FOR"])
            self.assertIn(hex(int(app.wid)), transient, title)
            # Centred over the main window, unless that would put it off the
            # screen (the file dialog is larger than the room above it).
            for axis, pos, size, main_pos, main_size, screen in (
                    ("x", x, w, mx, mw, 1024), ("y", y, h, my, mh, 768)):
                self.assertGreaterEqual(pos, 0, f"{title}: {axis}")
                self.assertLessEqual(pos + size, screen, f"{title}: {axis}")
                wanted = main_pos + main_size / 2 - size / 2
                if 30 < wanted and wanted + size < screen - 30:
                    self.assertLessEqual(abs(pos - wanted), 12, f"{title}: {axis}")
            self.assertTrue(app.dismiss(wid, "Escape"), f"{title} stayed open")

        check(["ctrl+a"], "O programie")
        check(["ctrl+o"], "Otwórz")
        app.click_tool(harness.TEXT)
        check([], "Wstaw tekst")
        check(["F1"], "Pomoc")  # the help-mode notice, a message box


class Openbox(Desktop, unittest.TestCase):
    wm = "openbox"


class Xfwm4(Desktop, unittest.TestCase):
    wm = "xfwm4"


class Metacity(Desktop, unittest.TestCase):
    wm = "metacity"


if __name__ == "__main__":
    harness.main()

"""The picture history: Ctrl+H brings back what Del cleared and what a killed
run held; the one-snapshot undo works as before; a history folder that is a
pipe or read-only stops nothing. Every run keeps its history in its own state
folder (a private HOME, or the folder a scenario shares between two runs)."""
import os
import shutil
import signal
import sqlite3
import stat
import subprocess
import tempfile
import time
import unittest

import harness
from harness import CYAN, PENCIL, RED, RIGHT, picture

MARKS = ((3, 3), (10, 20), (31, 0))


class History(unittest.TestCase):
    def start(self, state=None, before_start=None):
        app = harness.Pikselar(env={"XDG_STATE_HOME": state} if state else None,
                               before_start=before_start)
        self.addCleanup(app.close)
        return app

    def shared_state(self):
        state = tempfile.mkdtemp(prefix="pikselar-state-")
        self.addCleanup(shutil.rmtree, state, True)
        return state

    @staticmethod
    def draw(app):
        app.click_tool(PENCIL)
        app.click_colour(RED)
        for cell in MARKS:
            app.click_canvas_cell(*cell)
        app.wait_cell(*MARKS[-1], RED)

    def assert_drawing(self, app, shift=0):
        def drawn(c):
            return all(c[y][(x + shift) % 32] == RED for x, y in MARKS)
        canvas = app.wait_canvas(drawn)
        self.assertTrue(drawn(canvas), picture(canvas, 0, 0, 32, 32))
        self.assertEqual(sum(row.count(RED) for row in canvas), len(MARKS))

    def assert_blank(self, app):
        canvas = app.wait_canvas(lambda c: all(v == CYAN for row in c for v in row))
        self.assertTrue(all(v == CYAN for row in canvas for v in row), picture(canvas, 0, 0, 32, 32))

    def historia(self, app):
        app.key("ctrl+h")
        return app.wait_for_window("Historia")

    def wait_closed(self, app, wid):
        def shown():
            # xdotool fails when it finds no window.
            return wid in subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Historia$"],
                                         env=app.env, capture_output=True, text=True).stdout.split()
        deadline = time.time() + 5
        while shown():
            self.assertLess(time.time(), deadline, "Historia stayed open")
            time.sleep(0.05)

    def test_del_then_history_brings_the_drawing_back(self):
        app = self.start()
        self.draw(app)
        app.key("Delete")
        self.assert_blank(app)
        wid = self.historia(app)
        # Newest first and selected: the cleared picture, then the drawing.
        app.key("Down", "Return", window=wid)
        self.wait_closed(app, wid)
        self.assert_drawing(app)
        # The restore took the undo snapshot first: Ctrl+Z gives the cleared picture.
        app.key("ctrl+z")
        self.assert_blank(app)
        # Esc leaves the image as it is.
        wid = self.historia(app)
        app.key("Down", "Escape", window=wid)
        self.wait_closed(app, wid)
        self.assert_blank(app)

    def test_a_killed_run_leaves_its_last_picture(self):
        state = self.shared_state()
        app = self.start(state)
        self.draw(app)
        # On disk within a second of the change: then the kill loses nothing.
        database = os.path.join(state, "pikselar", "historia.db")
        deadline = time.time() + 5
        while self.count_states(database) < len(MARKS) + 1:
            self.assertLess(time.time(), deadline, "the drawing was not written")
            time.sleep(0.1)
        app.proc.send_signal(signal.SIGKILL)
        app.proc.wait()
        app.close()

        again = self.start(state)
        self.assert_blank(again)
        wid = self.historia(again)
        again.key("Return", window=wid)
        self.wait_closed(again, wid)
        self.assert_drawing(again)

    @staticmethod
    def count_states(database):
        if not os.path.exists(database):
            return 0
        try:
            with sqlite3.connect(f"file:{database}?mode=ro", uri=True, timeout=1) as db:
                return db.execute("SELECT count(*) FROM states").fetchone()[0]
        except sqlite3.Error:
            return 0

    def test_undo_exchange_is_unchanged_by_the_history(self):
        app = self.start()
        self.draw(app)  # the pencil's click took the (blank) snapshot
        app.key("ctrl+Right")
        self.assert_drawing(app, shift=1)
        app.key("ctrl+z")
        self.assert_blank(app)
        app.key("ctrl+z")
        self.assert_drawing(app, shift=1)

    def test_a_pipe_or_a_read_only_folder_stops_nothing(self):
        def pipe(app):
            os.makedirs(os.path.join(app.home, ".local", "state"), exist_ok=True)
            os.mkfifo(os.path.join(app.home, ".local", "state", "pikselar"))

        def read_only(app):
            folder = os.path.join(app.home, ".local", "state", "pikselar")
            os.makedirs(folder)
            os.chmod(folder, stat.S_IRUSR | stat.S_IXUSR)

        for prepare in (pipe, read_only):
            with self.subTest(prepare.__name__):
                app = self.start(before_start=prepare)
                self.draw(app)
                folder = os.path.join(app.home, ".local", "state", "pikselar")
                if prepare is read_only:
                    self.assertEqual(os.listdir(folder), [])
                # This run's pictures are still offered.
                app.key("Delete")
                self.assert_blank(app)
                wid = self.historia(app)
                app.key("Down", "Return", window=wid)
                self.wait_closed(app, wid)
                self.assert_drawing(app)
                if prepare is read_only:
                    os.chmod(folder, stat.S_IRWXU)


if __name__ == "__main__":
    harness.main()

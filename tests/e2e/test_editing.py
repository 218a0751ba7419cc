"""The Obraz menu through its shortcuts: mirrors and turns with undo, the fill
of an outlined rectangle, a colour picked then drawn with; drawing by keyboard
alone, followed by a screen reader through AT-SPI as one would."""
import os

import harness
from harness import BLACK, BLUE, CYAN, GREEN, RECTANGLE, RED
from test_accessibility import SessionBus
from test_files import blank

CANVAS_NAME = "Obraz ikony w powiększeniu"
DESCRIPTION_CHANGED = "object:property-change:accessible-description"


def cells_of(canvas, index):
    return [(x, y) for y in range(32) for x in range(32) if canvas[y][x] == index]


class Editing(harness.Case):
    def test_red_pixel_travels_through_the_turns_and_undo_brings_one_back(self):
        app = self.app
        app.click_colour(RED)
        app.click_canvas_cell(0, 0)
        self.assertEqual(app.wait_cell(0, 0, RED), RED)
        for keys, at in (("ctrl+shift+h", (31, 0)), ("ctrl+shift+r", (31, 31)),
                         ("ctrl+shift+v", (31, 0)), ("ctrl+shift+l", (0, 0))):
            app.key(keys)
            shown = app.wait_canvas(lambda c: cells_of(c, RED) == [at])
            self.assertEqual(cells_of(shown, RED), [at], keys)
        app.key("ctrl+z")
        shown = app.wait_canvas(lambda c: cells_of(c, RED) == [(31, 0)])
        self.assertEqual(cells_of(shown, RED), [(31, 0)])

    def test_fill_takes_the_inside_of_an_outline(self):
        app = self.app
        app.click_colour(RED)
        app.click_tool(RECTANGLE)
        app.drag_cells((4, 4), (10, 10))
        self.assertEqual(app.wait_cell(10, 10, RED), RED)
        app.click_colour(BLUE)
        app.key("ctrl+shift+f")
        app.click_canvas_cell(7, 7)
        expected = blank()
        for y in range(4, 11):
            for x in range(4, 11):
                edge = x in (4, 10) or y in (4, 10)
                expected[y][x] = RED if edge else BLUE
        shown = app.wait_canvas(lambda c: c == expected)
        self.assertEqual(harness.picture(shown, 0, 0, 16, 16), harness.picture(expected, 0, 0, 16, 16))
        self.assertEqual(shown, expected)

    def test_picked_colour_draws(self):
        app = self.app
        app.click_colour(RED)
        app.click_canvas_cell(12, 12)
        self.assertEqual(app.wait_cell(12, 12, RED), RED)
        app.click_colour(GREEN)
        app.key("ctrl+shift+p")
        app.click_canvas_cell(12, 12)  # takes red, paints nothing
        app.click_canvas_cell(20, 20)
        self.assertEqual(app.wait_cell(20, 20, RED), RED)
        shown = app.canvas()
        self.assertEqual(cells_of(shown, GREEN), [])
        self.assertEqual(cells_of(shown, RED), [(12, 12), (20, 20)])


class KeyboardDrawing(harness.Case):
    """The program on a private session bus with its accessibility bridge on;
    this process reads it through pyatspi (one such test in this file: the
    reader stays with the first bus it connects to)."""

    def setUp(self):
        harness._need("dbus-daemon")
        self.bus = SessionBus()
        self.addCleanup(self.bus.stop)
        # The reader listens before the program starts, so the program's
        # bridge knows of the listener from its first event on.
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = self.bus.address
        os.environ.pop("DISPLAY", None)  # the accessibility bus through the session bus
        import pyatspi
        from gi.repository import GLib
        self.pyatspi, self.context = pyatspi, GLib.MainContext.default()
        self.said = []
        pyatspi.Registry.registerEventListener(self.heard, DESCRIPTION_CHANGED)
        self.addCleanup(pyatspi.Registry.deregisterEventListener, self.heard, DESCRIPTION_CHANGED)
        self.app = harness.Pikselar(env={"DBUS_SESSION_BUS_ADDRESS": self.bus.address,
                                         "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"})
        self.addCleanup(self.app.close)

    def heard(self, event):
        # The event names the object whose description changed; the text is
        # read from it, as a reader does.
        if event.source is not None and event.source.name == CANVAS_NAME:
            self.said.append(event.source.description)

    def pump(self):
        while self.context.pending():
            self.context.iteration(False)

    def canvas_object(self, timeout=harness.WINDOW_WAIT):
        desktop = self.pyatspi.Registry.getDesktop(0)

        def find():
            self.pump()
            for i in range(desktop.childCount):
                app = desktop.getChildAtIndex(i)
                if app is None or app.name != "pikselar":
                    continue
                found = self.pyatspi.findDescendant(app, lambda o: o.name == CANVAS_NAME)
                if found is not None:
                    return found
            return None
        found = harness.wait_until(find, timeout=timeout, interval=0.1)
        self.assertIsNotNone(found, "the canvas is not on the accessibility bus")
        return found

    def hears(self, text, timeout=harness.WAIT):
        def heard():
            self.pump()
            return text in self.said
        return harness.wait_until(heard, timeout=timeout)

    def unchanged_by(self, keys):
        """True when the keys leave the canvas and the position label as they were."""
        app = self.app
        lx, ly, lw, lh = harness.POSITION_LABEL
        box = (*app.screen(lx, ly), *app.screen(8 + 192, 24 + 192))
        app.settle()
        before = app.screenshot().crop(box).tobytes()
        app.key(*keys)
        app.settle()
        return app.screenshot().crop(box).tobytes() == before

    def test_drawing_by_keyboard_alone_heard_by_a_reader(self):
        app = self.app
        canvas = self.canvas_object()
        # Off, as at every start: the arrows are inert on the canvas.
        self.assertTrue(self.unchanged_by(["Up", "Right", "space"]))

        app.key("ctrl+shift+k")
        self.assertTrue(self.hears("1, 1: morski"), self.said)
        app.key("Right", "Right", "Right", "Down", "Down", "space")
        self.assertEqual(app.wait_cell(3, 2, BLACK), BLACK)  # the drawing colour
        self.assertTrue(self.hears("4, 3: czarny"), self.said)
        app.key("bracketright")
        self.assertTrue(self.hears("Kolor: czerwony"), self.said)
        app.key("Right", "space")
        self.assertEqual(app.wait_cell(4, 2, RED), RED)
        self.assertTrue(self.hears("5, 3: czerwony"), self.said)
        self.assertEqual(canvas.description, "5, 3: czerwony")
        self.assertEqual(len(cells_of(app.canvas(), CYAN)), 32 * 32 - 2)

        # Off again: the cursor goes, the canvas says what it is, the arrows do nothing.
        app.key("ctrl+shift+k")
        self.assertTrue(harness.wait_until(
            lambda: not canvas.description.startswith("5, 3"), timeout=harness.WAIT))
        self.assertTrue(self.unchanged_by(["Up", "space"]))


if __name__ == "__main__":
    harness.main()

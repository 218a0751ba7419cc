"""The main window as a whole: place, size rule, tool highlight, view options by shortcut."""

import harness
from harness import ERASER, RED, TEXT, WHITE

HIGHLIGHT = (255, 128, 255)


class Window(harness.Case):
    def test_centred_and_keeps_its_size(self):
        app = self.app
        x, y, w, h = app.window_geometry()
        self.assertLessEqual(abs(x - (1024 - w) // 2), 1)
        self.assertLessEqual(abs(y - (768 - h) // 2), 1)
        app.xdotool("windowsize", app.wid, w + 80, h + 60)
        # Back at its size once it has had a resize (the manager may hold the
        # request back while its window is fixed).
        app.settle()
        self.assertEqual(harness.wait_until(lambda: app.window_geometry()[2:],
                                            lambda size: size == (w, h)), (w, h))

    def test_text_tool_returns_to_the_eraser(self):
        app = self.app
        eraser = (224 + 3, 128 + 3)  # a corner of the button face, away from the picture
        text = (224 + 3, 104 + 3)
        app.click_tool(ERASER)
        self.assertEqual(harness.wait_until(lambda: app.pixel(app.screenshot(), *eraser),
                                            lambda seen: seen == HIGHLIGHT), HIGHLIGHT)
        app.click_tool(TEXT)
        dialog = app.wait_for_window("Wstaw tekst")
        self.assertTrue(app.dismiss(dialog, "Escape"))
        # Once the place the dialog covered is drawn again.
        shot = harness.wait_until(app.screenshot, lambda s: app.pixel(s, *text) != HIGHLIGHT
                                  and app.pixel(s, *eraser) == HIGHLIGHT)
        self.assertEqual(app.pixel(shot, *eraser), HIGHLIGHT)
        self.assertNotEqual(app.pixel(shot, *text), HIGHLIGHT)

    def test_right_click_selects_a_colour(self):
        app = self.app
        app.click_colour(WHITE, button=3)
        app.click_canvas_cell(4, 4)
        self.assertEqual(app.wait_cell(4, 4, WHITE), WHITE)

    def test_frames_and_coordinates_switch_off_by_shortcut(self):
        app = self.app
        app.click_colour(RED)  # the canvas has the focus
        frame = (7, 100)       # the canvas frame's left edge
        strip = (20, 14)       # inside the coordinates label
        before = app.screenshot()
        background = app.pixel(before, 4, 100)
        app.key("ctrl+r", "ctrl+m")
        after = harness.wait_until(
            app.screenshot, lambda s: app.pixel(s, *frame) == background
            and {app.pixel(s, x, strip[1]) for x in range(12, 61)} == {background})
        self.assertNotEqual(app.pixel(before, *frame), background)
        self.assertEqual(app.pixel(after, *frame), background)
        self.assertEqual({app.pixel(after, x, strip[1]) for x in range(12, 61)}, {background})


if __name__ == "__main__":
    harness.main()

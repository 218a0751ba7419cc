"""The main window as a whole: place, size rule, tool highlight, view options by shortcut."""
import time

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
        deadline = time.time() + 3
        while app.window_geometry()[2:] != (w, h) and time.time() < deadline:
            time.sleep(0.05)
        self.assertEqual(app.window_geometry()[2:], (w, h))

    def test_text_tool_returns_to_the_eraser(self):
        app = self.app
        eraser = (224 + 3, 128 + 3)  # a corner of the button face, away from the picture
        text = (224 + 3, 104 + 3)
        app.click_tool(ERASER)
        time.sleep(0.1)
        self.assertEqual(app.pixel(app.screenshot(), *eraser), HIGHLIGHT)
        app.click_tool(TEXT)
        dialog = app.wait_for_window("Wstaw tekst")
        app.xdotool("windowfocus", "--sync", dialog)
        app.xdotool("key", "Escape")
        time.sleep(0.2)
        shot = app.screenshot()
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
        app.key("ctrl+r", "ctrl+m")
        time.sleep(0.1)
        after = app.screenshot()
        background = app.pixel(after, 4, 100)
        self.assertNotEqual(app.pixel(before, *frame), background)
        self.assertEqual(app.pixel(after, *frame), background)
        self.assertEqual({app.pixel(after, x, strip[1]) for x in range(12, 61)}, {background})


if __name__ == "__main__":
    harness.main()

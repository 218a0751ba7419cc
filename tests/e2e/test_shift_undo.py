"""Ctrl+arrows on the canvas, the arrow buttons, and undo after a tool click."""
import harness
from harness import CYAN, GREEN, LEFT, LINE, PENCIL, RED


class ShiftAndUndo(harness.Case):
    def test_ctrl_left_twice_moves_the_image_and_wraps(self):
        app = self.app
        app.click_colour(RED)
        app.click_canvas_cell(1, 4)
        app.click_canvas_cell(20, 4)
        app.wait_cell(20, 4, RED)
        app.key("ctrl+Left", "ctrl+Left")
        canvas = app.wait_canvas(lambda c: c[4][18] == RED)
        self.assertEqual([x for x in range(32) if canvas[4][x] == RED], [18, 31])
        # With Shift held too nothing moves.
        app.key("ctrl+shift+Left")
        app.click_arrow(LEFT)
        canvas = app.wait_canvas(lambda c: c[4][17] == RED)
        self.assertEqual([x for x in range(32) if canvas[4][x] == RED], [17, 30])
        # Shift let go before the arrow: at the arrow's release only Ctrl is
        # held, and the image moves up.
        app.xdotool("windowfocus", "--sync", app.wid)
        app.xdotool("keydown", "--delay", "40", "ctrl", "shift", "Up")
        app.xdotool("keyup", "--delay", "40", "shift", "Up", "ctrl")
        canvas = app.wait_canvas(lambda c: c[3][17] == RED)
        self.assertEqual([x for x in range(32) if canvas[3][x] == RED], [17, 30])

    def test_undo_takes_back_what_was_drawn_since_the_last_tool_click(self):
        app = self.app
        app.click_colour(GREEN)
        app.click_canvas_cell(3, 3)  # before the tool click: kept
        app.click_tool(LINE)
        app.drag_cells((0, 10), (31, 10))
        app.wait_cell(31, 10, GREEN)
        app.key("ctrl+z")
        canvas = app.wait_canvas(lambda c: c[10][31] == CYAN)
        self.assertEqual(canvas[10], [CYAN] * 32)
        self.assertEqual(canvas[3][3], GREEN)
        app.key("ctrl+z")  # undo again: the line is back
        self.assertEqual(app.wait_cell(31, 10, GREEN), GREEN)
        app.click_tool(PENCIL)  # a new snapshot: undo now changes nothing
        app.key("ctrl+z")
        self.assertEqual(app.wait_cell(31, 10, CYAN, timeout=0.5), GREEN)


if __name__ == "__main__":
    harness.main()

"""Lines and rectangles dragged in the real window."""
import harness
from harness import BLUE, CYAN, FILLED, LINE, RED


class Shapes(harness.Case):
    def test_line_corner_to_corner(self):
        app = self.app
        app.click_tool(LINE)
        app.click_colour(RED)
        app.drag_cells((0, 0), (31, 31))
        canvas = app.wait_canvas(lambda c: c[31][31] == RED)
        painted = {(x, y) for y in range(32) for x in range(32) if canvas[y][x] == RED}
        self.assertEqual(painted, {(i, i) for i in range(32)})

    def test_filled_rectangle_dragged_right_to_left_and_upwards(self):
        app = self.app
        app.click_tool(FILLED)
        app.click_colour(BLUE)
        app.drag_cells((20, 15), (12, 9))
        canvas = app.wait_canvas(lambda c: c[9][12] == BLUE)
        expected = [[BLUE if 12 <= x <= 20 and 9 <= y <= 15 else CYAN for x in range(32)]
                    for y in range(32)]
        self.assertEqual(harness.picture(canvas, 0, 0, 32, 32),
                         harness.picture(expected, 0, 0, 32, 32))


if __name__ == "__main__":
    harness.main()

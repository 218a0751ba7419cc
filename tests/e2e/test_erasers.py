"""Both erasers in the real window."""

import harness
from harness import BLACK, COLOUR_ERASER, CYAN, ERASER, FILLED, RED


class Erasers(harness.Case):
    def fill_black(self):
        self.app.click_tool(FILLED)
        self.app.drag_cells((0, 0), (31, 31))
        self.app.wait_canvas(lambda c: c[31][31] == BLACK)

    def test_eraser_at_30_30_reaches_only_the_last_two_cells(self):
        app = self.app
        self.fill_black()
        app.click_tool(ERASER)
        app.glide(*app.cell_centre(29, 29))
        app.click_canvas_cell(30, 30)
        canvas = app.wait_canvas(lambda c: c[31][31] == CYAN)
        erased = {(x, y) for y in range(32) for x in range(32) if canvas[y][x] == CYAN}
        self.assertEqual(erased, {(30, 30), (31, 30), (30, 31), (31, 31)})

    def test_outline_goes_when_a_window_opens_over_it(self):
        app = self.app
        app.click_tool(ERASER)
        app.glide(*app.cell_centre(10, 10))
        left, top = app.screen(*harness.CANVAS)
        right, bottom = app.screen(harness.CANVAS[0] + 192, harness.CANVAS[1] + 192)

        def outline(image):
            return sum(1 for y in range(top, bottom) for x in range(left, right)
                       if harness.index_of(image.getpixel((x, y))) != CYAN)
        self.assertGreater(harness.wait_until(lambda: outline(app.screenshot())), 0)
        app.key("ctrl+a")  # the about window, over the canvas, the pointer kept still
        about = app.wait_for_window("O programie")
        self.assertTrue(app.dismiss(about, "Escape"))
        self.assertEqual(harness.wait_until(lambda: outline(app.screenshot()), lambda n: n == 0), 0)

    def test_colour_eraser_takes_only_the_drawing_colour(self):
        app = self.app
        self.fill_black()
        # A red row through the block the colour eraser will cover.
        app.click_colour(RED)
        app.click_tool(FILLED)
        app.drag_cells((0, 12), (31, 12))
        app.click_colour(BLACK)
        app.click_tool(COLOUR_ERASER)
        app.glide(*app.cell_centre(10, 10))
        app.click_canvas_cell(10, 10)
        canvas = app.wait_canvas(lambda c: c[10][10] == CYAN)
        for y in range(32):
            for x in range(32):
                inside = 10 <= x < 15 and 10 <= y < 15
                expected = RED if y == 12 else CYAN if inside else BLACK
                self.assertEqual(canvas[y][x], expected, f"cell {x}, {y}")


if __name__ == "__main__":
    harness.main()

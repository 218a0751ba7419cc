"""Pencil cells in the real window."""
import harness
from harness import BLACK, CYAN, PENCIL, RED


class Pencil(harness.Case):
    def test_click_paints_the_cell_under_the_release(self):
        self.app.click_colour(RED)
        self.app.click_canvas_cell(5, 7)
        self.assertEqual(self.app.wait_cell(5, 7, RED), RED)
        canvas = self.app.canvas()
        painted = [(x, y) for y in range(32) for x in range(32) if canvas[y][x] != CYAN]
        self.assertEqual(painted, [(5, 7)])

    def test_stroke_paints_cells_along_it_and_right_button_paints_nothing(self):
        app = self.app
        app.click_tool(PENCIL)
        # The press paints nothing: the first cell painted is the first one
        # moved into. Each cell is seen painted before the pointer moves on: a
        # loaded machine merges the motions of a fast drag into fewer.
        app.press(*app.cell_centre(2, 10))
        for x in range(3, 10):
            app.glide(*app.cell_centre(x, 10))
            app.wait_cell(x, 10, BLACK)
        app.xdotool("mouseup", 1)
        canvas = app.wait_canvas(lambda c: c[10][9] == BLACK)
        self.assertEqual(harness.picture(canvas, 0, 9, 12, 3),
                         harness.picture([[CYAN] * 12, [CYAN] * 3 + [BLACK] * 7 + [CYAN] * 2,
                                          [CYAN] * 12], 0, 0, 12, 3))
        app.drag_cells((2, 20), (9, 20), button=3)
        app.click_canvas_cell(4, 22, button=3)
        canvas = app.canvas()
        self.assertEqual(canvas[20][2:10], [CYAN] * 8)
        self.assertEqual(canvas[22][4], CYAN)


if __name__ == "__main__":
    harness.main()

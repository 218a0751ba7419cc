"""The canvas at fractional scale: every cell a sharp block, no blended colours."""
import math

import harness
from harness import BLACK, RED, PENCIL


class Scaled(harness.Case):
    scale = 1.5

    def test_cells_are_sharp_blocks(self):
        app = self.app
        app.click_colour(RED)
        for x in range(0, 32, 2):
            app.click_canvas_cell(x, x)
        app.wait_cell(30, 30, RED)
        image = app.screenshot()
        left, top = app.screen(8, 24)
        size = round(192 * 1.5)
        colours = {image.getpixel((left + i, top + j)) for j in range(size) for i in range(size)}
        # Only the two colours drawn: any smoothing would blend them.
        self.assertEqual(colours, {harness.PALETTE[harness.CYAN], harness.PALETTE[RED]})
        # Cell (2, 2) covers device pixels round(12 * 1.5) .. round(18 * 1.5) - 1.
        row = [harness.index_of(image.getpixel((left + i, top + 20))) for i in range(16, 29)]
        self.assertEqual(row, [harness.CYAN] * 2 + [RED] * 9 + [harness.CYAN] * 2)

    def test_grid_lines_sit_on_cell_borders(self):
        app = self.app
        app.key("ctrl+g")
        app.click_tool(PENCIL)
        image = app.screenshot()
        left, top = app.screen(8, 24)
        # Row 2 of the canvas (device pixels): grid on round(6k * 1.5) for k = 1..31.
        row = [image.getpixel((left + i, top + 4)) for i in range(round(192 * 1.5))]
        black = [i for i, c in enumerate(row) if c == harness.PALETTE[BLACK]]
        edge = lambda p: math.floor(p * 1.5 + 0.5)  # the program rounds halves up
        expected = [d for k in range(1, 32) for d in range(edge(6 * k), edge(6 * k + 1))]
        self.assertEqual(black, expected)


if __name__ == "__main__":
    harness.main()

"""The canvas at fractional scales: every cell a sharp block, no blended
colours, grid lines on the cell borders."""
import math

import harness
from harness import BLACK, CYAN, PALETTE, PENCIL, RED


class Scaled:
    scale = None  # set by the classes below

    def edge(self, p):
        """The first device pixel of logical pixel p (halves round up)."""
        return math.floor(p * self.scale + 0.5)

    def test_cells_are_sharp_blocks(self):
        app = self.app
        app.click_colour(RED)
        for x in range(0, 32, 2):
            app.click_canvas_cell(x, x)
        app.wait_cell(30, 30, RED)
        image = app.screenshot()
        left, top = app.screen(8, 24)
        size = self.edge(192)
        colours = {image.getpixel((left + i, top + j)) for j in range(size) for i in range(size)}
        # Only the two colours drawn: any smoothing would blend them.
        self.assertEqual(colours, {PALETTE[CYAN], PALETTE[RED]})
        # Cell (2, 2) covers device pixels edge(12) .. edge(18) - 1.
        a, b = self.edge(12), self.edge(18)
        row = [harness.index_of(image.getpixel((left + i, top + a + 1)))
               for i in range(a - 2, b + 2)]
        self.assertEqual(row, [CYAN] * 2 + [RED] * (b - a) + [CYAN] * 2)

    def test_grid_lines_sit_on_cell_borders(self):
        app = self.app
        app.key("ctrl+g")
        app.click_tool(PENCIL)
        image = app.screenshot()
        left, top = app.screen(8, 24)
        # A device row inside the first cell row: grid columns at edge(6k) for k = 1..31.
        row = [image.getpixel((left + i, top + 2)) for i in range(self.edge(192))]
        black = [i for i, c in enumerate(row) if c == PALETTE[BLACK]]
        expected = [d for k in range(1, 32) for d in range(self.edge(6 * k), self.edge(6 * k + 1))]
        self.assertEqual(black, expected)


class Scale125(Scaled, harness.Case):
    scale = 1.25


class Scale150(Scaled, harness.Case):
    scale = 1.5


class Scale200(Scaled, harness.Case):
    scale = 2


if __name__ == "__main__":
    harness.main()

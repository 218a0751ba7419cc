"""The canvas at fractional scales: every cell a sharp block, no blended
colours, grid lines on the cell borders."""
import math
import time

import harness
from harness import BLACK, CYAN, FILLED, PALETTE, PENCIL, RED


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
        left, top = app.screen(8, 24)

        def grid_columns():
            # A device row inside the first cell row.
            image = app.screenshot()
            row = [image.getpixel((left + i, top + 2)) for i in range(self.edge(192))]
            return [i for i, c in enumerate(row) if c == PALETTE[BLACK]]
        # Grid columns at edge(6k) for k = 1..31.
        expected = [d for k in range(1, 32) for d in range(self.edge(6 * k), self.edge(6 * k + 1))]
        self.assertEqual(harness.wait_until(grid_columns, lambda black: black == expected), expected)


    def click_device(self, dx, dy):
        """A click on device pixel (dx, dy) of the canvas."""
        app = self.app
        left, top = app.screen(*harness.CANVAS)
        app.xdotool("mousemove", left + dx, top + dy, "sleep", "0.02", "click", "1")

    def test_clicks_either_side_of_a_cell_border(self):
        app = self.app
        app.click_colour(RED)
        # The border between cells 0 and 1 lies at logical pixel 6, device
        # pixel 6 * scale: the pixel before it belongs to cell 0.
        border = self.edge(6)
        self.click_device(border - 1, border - 1)
        canvas = app.wait_canvas(lambda c: c[0][0] == RED)
        self.assertEqual(canvas[0][0], RED)
        self.assertEqual(canvas[1][1], CYAN)
        app.click_colour(BLACK)
        self.click_device(border, border)
        canvas = app.wait_canvas(lambda c: c[1][1] == BLACK)
        self.assertEqual((canvas[0][0], canvas[1][1]), (RED, BLACK))

    def wait_bar_changed(self, before, timeout=harness.WAIT):
        """A screenshot once the bar differs from `before`."""
        app = self.app
        box = (*app.screen(4, 288), *app.screen(4 + 289, 288 + 17))
        deadline = time.time() + timeout
        while True:
            image = app.screenshot()
            if image.crop(box).tobytes() != before.crop(box).tobytes() or time.time() > deadline:
                return image
            time.sleep(0.05)

    def test_help_bar_texts_are_whole(self):
        # The longest texts: drawn clipped, their letters would reach the
        # bar's right end; fitted, they end short of it.
        app = self.app
        bar_left, bar_top = app.screen(4, 288)
        bar_right, bar_bottom = app.screen(4 + 289, 288 + 17)
        image = app.screenshot()  # "Pasek pomocy"
        for tool in (PENCIL, FILLED):
            x, y = (224, 248)[tool % 2] + 12, 56 + 24 * (tool // 2) + 12
            app.move(x, y)
            app.move(x + 2, y + 2)
            image = self.wait_bar_changed(image)
            dark = [x for x in range(bar_left, bar_right) for y in range(bar_top, bar_bottom)
                    if max(image.getpixel((x, y))) < 128]
            self.assertTrue(dark, f"no text over tool {tool}")
            self.assertLess(max(dark), bar_right - 2, f"tool {tool}: text reaches the bar's end")

    def test_history_window_fits_the_screen(self):
        app = self.app
        app.key("ctrl+h")
        window = app.wait_for_window("Historia")
        x, y, w, h = harness.wait_until(lambda: app.window_geometry(window),
                                        lambda g: g[3] > 0)
        self.assertGreaterEqual(y, 0)
        self.assertLessEqual(y + h, 768, f"the window reaches row {y + h}")
        self.assertTrue(app.dismiss(window, "Escape"))


class Scale125(Scaled, harness.Case):
    scale = 1.25


class Scale150(Scaled, harness.Case):
    scale = 1.5


class Scale200(Scaled, harness.Case):
    scale = 2


if __name__ == "__main__":
    harness.main()

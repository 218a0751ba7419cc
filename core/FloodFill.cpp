#include "core/FloodFill.h"

#include <vector>

int FloodFill(Surface& s, int x, int y, Colour c)
{
    if (!s.contains(x, y))
        return 0;
    const int w = s.width();
    const int h = s.height();
    Colour* px = s.pixels();
    const Colour old = px[std::size_t(y) * w + x];
    if (old == c)
        return 0;
    // A cell is painted when it is queued, so it is queued once: the queue
    // never holds more than the surface's cells and needs no other marks.
    struct Cell {
        int x, y;
    };
    std::vector<Cell> queue;
    queue.reserve(std::size_t(w) * h);
    const auto visit = [&](int cx, int cy) {
        Colour& cell = px[std::size_t(cy) * w + cx];
        if (cell == old) {
            cell = c;
            queue.push_back({cx, cy});
        }
    };
    visit(x, y);
    for (std::size_t next = 0; next < queue.size(); ++next) {
        const auto [cx, cy] = queue[next]; // kept apart: a division per cell cost more than the fill
        if (cx > 0)
            visit(cx - 1, cy);
        if (cx + 1 < w)
            visit(cx + 1, cy);
        if (cy > 0)
            visit(cx, cy - 1);
        if (cy + 1 < h)
            visit(cx, cy + 1);
    }
    s.changed();
    return int(queue.size());
}

int ReplaceColour(Surface& s, int x, int y, Colour c)
{
    if (!s.contains(x, y))
        return 0;
    Colour* px = s.pixels();
    const std::size_t n = std::size_t(s.width()) * s.height();
    const Colour old = px[std::size_t(y) * s.width() + x];
    if (old == c)
        return 0;
    int changed = 0;
    for (std::size_t i = 0; i < n; ++i)
        if (px[i] == old) {
            px[i] = c;
            ++changed;
        }
    s.changed();
    return changed;
}

// A picture surface: a raster of colour values with a back colour, on which
// the program sets and reads pixels, fills rectangles and draws lines.
#pragma once
#include <cstdint>
#include <vector>

#include "core/Colour.h"

// A rectangle of pixels, both corners included.
struct PixelArea {
    int left = 0;
    int top = 0;
    int right = -1;
    int bottom = -1;
    bool empty() const { return left > right || top > bottom; }
    bool operator==(const PixelArea&) const = default;
};

// Told when a surface's content changes, so a view can schedule a repaint.
class SurfaceObserver {
public:
    // Every pixel that may have changed lies in `area` (surface coordinates).
    virtual void surfaceChanged(const PixelArea& area) = 0;

protected:
    ~SurfaceObserver() = default;
};

class Surface {
public:
    Surface(int width, int height, Colour back);
    // Content only: a copy has no observers, and an assigned-to surface keeps
    // its own and tells them.
    Surface(const Surface& other);
    Surface& operator=(const Surface& other);

    int width() const { return w_; }
    int height() const { return h_; }
    Colour backColour() const { return back_; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }

    // Takes the new back colour and clears to it.
    void setBackColour(Colour c);
    // Everything drawn and any assigned picture are gone; only the back colour stays.
    void clear();
    // Changes the size (a surface that sizes itself to its picture); cleared.
    void resize(int width, int height);

    void setPixel(int x, int y, Colour c)
    {
        if (contains(x, y)) {
            px_[std::size_t(y) * w_ + x] = c;
            changed({x, y, x, y});
        }
    }
    // The colour exactly as set; OutsideColour for positions outside.
    Colour pixel(int x, int y) const
    {
        return contains(x, y) ? px_[std::size_t(y) * w_ + x] : OutsideColour;
    }

    // Both corners included, in any order; clipped.
    void fillRect(int x1, int y1, int x2, int y2, Colour c);
    // Bresenham line, both ends included; clipped.
    void line(int x1, int y1, int x2, int y2, Colour c);
    // Outline with both corners included; clipped.
    void rectangle(int x1, int y1, int x2, int y2, Colour c);

    // The surface is filled with its back colour and the picture drawn at (0, 0)
    // at its natural size. With autoSize the surface first takes its size.
    void assign(const Surface& picture, bool autoSize = false);

    const Colour* pixels() const { return px_.data(); }
    // Rows of width() colour values, top row first.
    Colour* pixels() { return px_.data(); }

    void addObserver(SurfaceObserver* o);
    void removeObserver(SurfaceObserver* o);
    // Call after writing through pixels() directly: the whole surface, or
    // the area written.
    void changed() { changed({0, 0, w_ - 1, h_ - 1}); }
    void changed(const PixelArea& area)
    {
        ++revision_;
        for (SurfaceObserver* o : observers_)
            o->surfaceChanged(area);
    }
    // Counts change notices, so a caller can tell whether anything changed
    // between two moments.
    std::uint64_t revision() const { return revision_; }

    bool sameContent(const Surface& other) const
    {
        return w_ == other.w_ && h_ == other.h_ && px_ == other.px_;
    }

private:
    int w_;
    int h_;
    Colour back_;
    std::vector<Colour> px_;
    std::vector<SurfaceObserver*> observers_;
    std::uint64_t revision_ = 0;
};

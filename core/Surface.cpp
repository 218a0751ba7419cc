#include "core/Surface.h"

#include <algorithm>
#include <cstdlib>

Surface::Surface(int width, int height, Colour back)
    : w_(std::max(width, 0)), h_(std::max(height, 0)), back_(back),
      px_(std::size_t(w_) * h_, back)
{
}

Surface::Surface(const Surface& other)
    : w_(other.w_), h_(other.h_), back_(other.back_), px_(other.px_)
{
}

Surface& Surface::operator=(const Surface& other)
{
    if (this != &other) {
        w_ = other.w_;
        h_ = other.h_;
        back_ = other.back_;
        px_ = other.px_;
        changed();
    }
    return *this;
}

void Surface::addObserver(SurfaceObserver* o)
{
    if (o && std::find(observers_.begin(), observers_.end(), o) == observers_.end())
        observers_.push_back(o);
}

void Surface::removeObserver(SurfaceObserver* o)
{
    observers_.erase(std::remove(observers_.begin(), observers_.end(), o), observers_.end());
}

void Surface::setBackColour(Colour c)
{
    back_ = c;
    clear();
}

void Surface::clear()
{
    std::fill(px_.begin(), px_.end(), back_);
    changed();
}

void Surface::resize(int width, int height)
{
    w_ = std::max(width, 0);
    h_ = std::max(height, 0);
    px_.assign(std::size_t(w_) * h_, back_);
    changed();
}

void Surface::fillRect(int x1, int y1, int x2, int y2, Colour c)
{
    const int left = std::max(std::min(x1, x2), 0);
    const int right = std::min(std::max(x1, x2), w_ - 1);
    const int top = std::max(std::min(y1, y2), 0);
    const int bottom = std::min(std::max(y1, y2), h_ - 1);
    if (left > right || top > bottom)
        return;
    for (int y = top; y <= bottom; ++y) {
        Colour* row = px_.data() + std::size_t(y) * w_;
        std::fill(row + left, row + right + 1, c);
    }
    changed({left, top, right, bottom});
}

void Surface::line(int x1, int y1, int x2, int y2, Colour c)
{
    // Callers pass cells and pointer positions; the bound keeps a wild
    // coordinate from turning the walk into a long loop.
    static constexpr int Limit = 1 << 20;
    auto bound = [](int v) { return std::clamp(v, -Limit, Limit); };
    x1 = bound(x1), y1 = bound(y1), x2 = bound(x2), y2 = bound(y2);

    const int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
    const int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    bool wasInside = false;
    PixelArea drawn; // empty until a pixel inside is set
    for (;;) {
        const bool inside = contains(x1, y1);
        if (inside) {
            px_[std::size_t(y1) * w_ + x1] = c;
            drawn = drawn.empty() ? PixelArea{x1, y1, x1, y1}
                                  : PixelArea{std::min(drawn.left, x1), std::min(drawn.top, y1),
                                              std::max(drawn.right, x1), std::max(drawn.bottom, y1)};
        }
        else if (wasInside)
            break; // a straight line never comes back in once it has left
        wasInside = wasInside || inside;
        if (x1 == x2 && y1 == y2)
            break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x1 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y1 += sy;
        }
    }
    if (!drawn.empty())
        changed(drawn);
}

void Surface::rectangle(int x1, int y1, int x2, int y2, Colour c)
{
    fillRect(x1, y1, x2, y1, c);
    fillRect(x1, y2, x2, y2, c);
    fillRect(x1, y1, x1, y2, c);
    fillRect(x2, y1, x2, y2, c);
}

void Surface::assign(const Surface& picture, bool autoSize)
{
    if (autoSize && (picture.w_ != w_ || picture.h_ != h_)) {
        w_ = picture.w_;
        h_ = picture.h_;
        px_.assign(std::size_t(w_) * h_, back_);
    } else {
        std::fill(px_.begin(), px_.end(), back_);
    }
    const int cw = std::min(w_, picture.w_);
    const int ch = std::min(h_, picture.h_);
    for (int y = 0; y < ch; ++y)
        std::copy_n(picture.px_.data() + std::size_t(y) * picture.w_, cw,
                    px_.data() + std::size_t(y) * w_);
    changed();
}

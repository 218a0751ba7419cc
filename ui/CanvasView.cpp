#include "ui/CanvasView.h"

#include <cmath>
#include <vector>

#include <QKeyEvent>
#include <QPainter>

#include "transfer/OutsidePalette.h"
#include "qt/QtColour.h"

namespace {
// The first device pixel of logical pixel p.
int Edge(int p, qreal dpr)
{
    return int(std::lround(p * dpr));
}

// A logical rectangle filled on whole device pixels.
void FillLogical(QImage& image, int x, int y, int w, int h, qreal dpr, QRgb colour)
{
    const int left = std::max(Edge(x, dpr), 0);
    const int top = std::max(Edge(y, dpr), 0);
    const int right = std::min(Edge(x + w, dpr), image.width());
    const int bottom = std::min(Edge(y + h, dpr), image.height());
    if (left >= right)
        return; // wholly beyond the canvas, as the outline's far edges can be
    for (int dy = top; dy < bottom; ++dy) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(dy));
        std::fill(row + left, row + right, colour);
    }
}

// The eraser outline in short black and white dashes: visible on any colour.
void DrawGumka(QImage& image, Cell cell, qreal dpr)
{
    const int x0 = CellSize * cell.x, y0 = CellSize * cell.y;
    const int side = CellSize * 5;
    auto dash = [](int k) { return (k / 3) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0); };
    for (int k = 0; k < side; ++k) {
        FillLogical(image, x0 + k, y0, 1, 1, dpr, dash(k));
        FillLogical(image, x0 + k, y0 + side - 1, 1, 1, dpr, dash(k));
        FillLogical(image, x0, y0 + k, 1, 1, dpr, dash(k));
        FillLogical(image, x0 + side - 1, y0 + k, 1, 1, dpr, dash(k));
    }
}

// The keyboard's cell cursor: the cell's outer ring of pixels in black or
// white, whichever stands out from the cell's colour.
void DrawKeyCursor(QImage& image, const Surface& picture, Cell cell, qreal dpr)
{
    const Colour c = picture.pixel(cell.x, cell.y);
    const int luma = 299 * Red(c) + 587 * Green(c) + 114 * Blue(c);
    const QRgb ring = luma >= 128000 ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
    const int x0 = CellSize * cell.x, y0 = CellSize * cell.y;
    FillLogical(image, x0, y0, CellSize, 1, dpr, ring);
    FillLogical(image, x0, y0 + CellSize - 1, CellSize, 1, dpr, ring);
    FillLogical(image, x0, y0, 1, CellSize, dpr, ring);
    FillLogical(image, x0 + CellSize - 1, y0, 1, CellSize, dpr, ring);
}

// Cells of the transparent colour as two light greys in 3 x 3 checks, and
// cells outside the palette crossed from corner to corner in black or white,
// whichever stands out from the cell.
void DrawMarks(QImage& image, const Surface& picture, const CanvasMarks& marks, qreal dpr)
{
    constexpr int Half = CellSize / 2;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const Colour c = picture.pixel(x, y);
            const int x0 = CellSize * x, y0 = CellSize * y;
            if (marks.transparent && c == *marks.transparent) {
                for (int j = 0; j < 2; ++j)
                    for (int i = 0; i < 2; ++i)
                        FillLogical(image, x0 + i * Half, y0 + j * Half, Half, Half, dpr,
                                    (i + j) % 2 ? qRgb(0xCC, 0xCC, 0xCC) : qRgb(0xF4, 0xF4, 0xF4));
            } else if (marks.outsidePalette && !InPalette(c)) {
                const int light = 299 * Red(c) + 587 * Green(c) + 114 * Blue(c);
                const QRgb ink = light > 128 * 1000 ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
                for (int k = 0; k < CellSize; ++k)
                    FillLogical(image, x0 + k, y0 + k, 1, 1, dpr, ink);
            }
        }
}
} // namespace

QImage RenderCanvas(const Surface& picture, const CanvasOverlay& overlay, qreal dpr,
                    QColor gridColour, const CanvasMarks& marks)
{
    dpr = std::max<qreal>(dpr, 1.0);
    const int canvasWidth = ViewSide(CanvasScale, picture.width());
    const int canvasHeight = ViewSide(CanvasScale, picture.height());
    const int w = Edge(canvasWidth, dpr), h = Edge(canvasHeight, dpr);
    // Which image pixel each device column and row shows, through the
    // logical canvas pixel it lies in.
    auto lookup = [dpr](int logical, int device) {
        std::vector<int> map(std::size_t(device), ImageCoord(CanvasScale, logical - 1));
        for (int p = 0; p < logical; ++p)
            for (int d = Edge(p, dpr); d < Edge(p + 1, dpr) && d < device; ++d)
                map[std::size_t(d)] = ImageCoord(CanvasScale, p);
        return map;
    };
    const std::vector<int> column = lookup(canvasWidth, w);
    const std::vector<int> line = lookup(canvasHeight, h);

    QImage image(w, h, QImage::Format_RGB32);
    const Colour* px = picture.pixels();
    for (int dy = 0; dy < h; ++dy) {
        const Colour* src = px + std::size_t(line[std::size_t(dy)]) * picture.width();
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(dy));
        for (int dx = 0; dx < w; ++dx) {
            const Colour c = src[column[std::size_t(dx)]];
            row[dx] = qRgb(Red(c), Green(c), Blue(c));
        }
    }

    if (marks.outsidePalette || marks.transparent)
        DrawMarks(image, picture, marks, dpr);
    if (overlay.GridVisible) {
        const QRgb g = gridColour.rgb();
        for (int i = 0; i < GridLines; ++i) {
            FillLogical(image, overlay.SiatkaNS[i], 0, 1, canvasHeight, dpr, g);
            FillLogical(image, 0, overlay.SiatkaWE[i], canvasWidth, 1, dpr, g);
        }
    }
    if (overlay.GumkaVisible)
        DrawGumka(image, overlay.GumkaCell, dpr);
    if (overlay.KeyCursorVisible)
        DrawKeyCursor(image, picture, overlay.KeyCursorCell, dpr);

    image.setDevicePixelRatio(dpr);
    bool anyLine = false;
    for (const PreviewLine& l : overlay.Linia)
        anyLine = anyLine || l.visible;
    if (anyLine) {
        // Raw pointer positions: thin lines in logical coordinates, no smoothing.
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, false);
        for (const PreviewLine& l : overlay.Linia)
            if (l.visible) {
                p.setPen(QPen(ToQColor(l.colour), 0));
                p.drawLine(l.x1, l.y1, l.x2, l.y2);
            }
    }
    return image;
}

CanvasView::CanvasView(Surface& image, CanvasOverlay& overlay, QWidget* parent)
    : SurfaceView(image, CanvasScale, parent), overlay_(overlay)
{
    overlay_.observer = this;
}

CanvasView::~CanvasView()
{
    if (overlay_.observer == this)
        overlay_.observer = nullptr;
}

void CanvasView::overlayChanged()
{
    update();
}

void CanvasView::setMarks(const CanvasMarks& marks)
{
    if (marks_ == marks)
        return;
    marks_ = marks;
    update();
}

void CanvasView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.drawImage(QPoint(0, 0), RenderCanvas(surface_, overlay_, devicePixelRatioF(),
                                           palette().color(QPalette::WindowText), marks_));
}

void CanvasView::keyPressEvent(QKeyEvent* event)
{
    if (!event->isAutoRepeat())
        pressed_[event->key()] = event->modifiers();
    SurfaceView::keyPressEvent(event);
}

Qt::KeyboardModifiers CanvasView::ChordModifiers(const QKeyEvent* release) const
{
    // The release decides; only when every modifier was let go before the
    // key do the ones held at its press count.
    const Qt::KeyboardModifiers atRelease = release->modifiers();
    if (atRelease & ~Qt::KeypadModifier)
        return atRelease;
    return atRelease | pressed_.value(release->key());
}

void CanvasView::leaveEvent(QEvent* event)
{
    SurfaceView::leaveEvent(event);
    emit pointerLeft();
}

void CanvasView::showEvent(QShowEvent* event)
{
    SurfaceView::showEvent(event);
    // A modal window opening over the canvas sends it no leave: its window
    // hears that it is blocked.
    if (window() != watchedWindow_) {
        if (watchedWindow_)
            watchedWindow_->removeEventFilter(this);
        watchedWindow_ = window();
        watchedWindow_->installEventFilter(this);
    }
}

bool CanvasView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == watchedWindow_ && event->type() == QEvent::WindowBlocked)
        emit pointerLeft();
    return SurfaceView::eventFilter(watched, event);
}

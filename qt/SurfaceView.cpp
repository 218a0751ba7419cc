#include "qt/SurfaceView.h"

#include <QMouseEvent>
#include <QPainter>

#include "qt/QtColour.h"

SurfaceView::SurfaceView(Surface& surface, QWidget* parent) : SurfaceView(surface, OneToOne, parent)
{
}

SurfaceView::SurfaceView(Surface& surface, ViewScale scale, QWidget* parent)
    : QWidget(parent), surface_(surface), scale_(scale)
{
    surface_.addObserver(this);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    resize(ViewSide(scale_, surface_.width()), ViewSide(scale_, surface_.height()));
}

SurfaceView::~SurfaceView()
{
    surface_.removeObserver(this);
}

void SurfaceView::surfaceChanged(const PixelArea& area)
{
    // A surface that sized itself to a new picture takes its view along.
    const QSize side(ViewSide(scale_, surface_.width()), ViewSide(scale_, surface_.height()));
    if (size() != side) {
        resize(side);
        update();
        return;
    }
    const PixelArea shown = ViewArea(scale_, area);
    if (!shown.empty())
        update(QRect(QPoint(shown.left, shown.top), QPoint(shown.right, shown.bottom)));
}

void SurfaceView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (scale_ == OneToOne) {
        p.drawImage(QRect(0, 0, surface_.width(), surface_.height()), WrapSurface(surface_));
        return;
    }
    // Read from the surface at every paint, so a view hidden while the
    // surface changed shows it as it is now.
    QImage shown(width(), height(), QImage::Format_RGB32);
    for (int y = 0; y < shown.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(shown.scanLine(y));
        for (int x = 0; x < shown.width(); ++x) {
            const Colour c = ViewPixel(surface_, scale_, x, y);
            row[x] = qRgb(Red(c), Green(c), Blue(c));
        }
    }
    p.drawImage(QPoint(0, 0), shown);
}

void SurfaceView::mousePressEvent(QMouseEvent* e) { emit mousePressed(e); }
void SurfaceView::mouseMoveEvent(QMouseEvent* e) { emit mouseMoved(e); }
void SurfaceView::mouseReleaseEvent(QMouseEvent* e) { emit mouseReleased(e); }
void SurfaceView::keyReleaseEvent(QKeyEvent* e) { emit keyReleased(e); }

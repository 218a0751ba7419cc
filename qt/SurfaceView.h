// A widget that shows one surface, at 1:1 or at a view scale of the image
// (core/ImageViews.h), and forwards pointer events. It keeps no pixels and
// never changes any: it reads the surface when it paints, and the surface
// tells it which part to repaint.
#pragma once
#include <cmath>

#include <QMouseEvent>
#include <QWidget>

#include "core/ImageViews.h"

// The whole logical pixel of `widget` under a mouse event. At a fractional
// scale a position falls between pixels, and the pixel is the one it lies in:
// rounding would reach into the next pixel, at a cell border into the next
// cell. Qt 6.4 hands the widget its position already rounded; the position
// in the window keeps the fraction. An event made by hand may give the
// widget's position as the window's: then the widget's own is taken.
inline QPoint LogicalPixel(const QMouseEvent* event, const QWidget* widget)
{
    QPointF at = event->position();
    const QPointF inWindow =
        event->scenePosition() - QPointF(widget->mapTo(widget->window(), QPoint(0, 0)));
    if (std::abs(inWindow.x() - at.x()) <= 0.5 && std::abs(inWindow.y() - at.y()) <= 0.5)
        at = inWindow;
    return QPoint(int(std::floor(at.x())), int(std::floor(at.y())));
}

class SurfaceView : public QWidget, public SurfaceObserver {
    Q_OBJECT
public:
    explicit SurfaceView(Surface& surface, QWidget* parent = nullptr);
    SurfaceView(Surface& surface, ViewScale scale, QWidget* parent = nullptr);
    ~SurfaceView() override;

    void surfaceChanged(const PixelArea& area) override;

signals:
    void mousePressed(QMouseEvent* event);
    void mouseMoved(QMouseEvent* event);
    void mouseReleased(QMouseEvent* event);
    void keyReleased(QKeyEvent* event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

    Surface& surface_;
    const ViewScale scale_;
};

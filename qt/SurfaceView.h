// A widget that shows one surface at 1:1 and forwards pointer events. It owns
// nothing but the view: it never changes pixels.
#pragma once
#include <cmath>

#include <QPointF>
#include <QWidget>

#include "core/Surface.h"

// The whole logical pixel under a pointer position. At a fractional scale a
// position falls between pixels; the pixel is the one it lies in (rounding
// would reach into the next pixel, and at a cell border into the next cell).
inline QPoint LogicalPixel(const QPointF& position)
{
    return QPoint(int(std::floor(position.x())), int(std::floor(position.y())));
}

class SurfaceView : public QWidget, public SurfaceObserver {
    Q_OBJECT
public:
    SurfaceView(Surface& surface, QWidget* parent = nullptr);
    ~SurfaceView() override;

    Surface& surface() { return surface_; }
    void surfaceChanged() override;

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
};

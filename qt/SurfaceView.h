// A widget that shows one surface at 1:1 and forwards pointer events. It owns
// nothing but the view: it never changes pixels.
#pragma once
#include <QWidget>

#include "core/Surface.h"

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

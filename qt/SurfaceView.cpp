#include "qt/SurfaceView.h"

#include <QMouseEvent>
#include <QPainter>

#include "qt/QtColour.h"

SurfaceView::SurfaceView(Surface& surface, QWidget* parent) : QWidget(parent), surface_(surface)
{
    surface_.setObserver(this);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    resize(surface_.width(), surface_.height());
}

SurfaceView::~SurfaceView()
{
    surface_.setObserver(nullptr);
}

void SurfaceView::surfaceChanged()
{
    // A surface that sized itself to a new picture takes its view along.
    if (size() != QSize(surface_.width(), surface_.height()))
        resize(surface_.width(), surface_.height());
    if (isVisibleTo(parentWidget()) != surface_.visible())
        setVisible(surface_.visible());
    update();
}

void SurfaceView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.drawImage(QRect(0, 0, surface_.width(), surface_.height()), WrapSurface(surface_));
}

void SurfaceView::mousePressEvent(QMouseEvent* e) { emit mousePressed(e); }
void SurfaceView::mouseMoveEvent(QMouseEvent* e) { emit mouseMoved(e); }
void SurfaceView::mouseReleaseEvent(QMouseEvent* e) { emit mouseReleased(e); }
void SurfaceView::keyReleaseEvent(QKeyEvent* e) { emit keyReleased(e); }

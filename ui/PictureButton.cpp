#include "ui/PictureButton.h"

#include <QMouseEvent>
#include <QPainter>

#include "qt/SurfaceView.h"

PictureButton::PictureButton(QWidget* parent, Face face) : QAbstractButton(parent), face_(face)
{
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureButton::setPicture(const QImage& picture)
{
    picture_ = picture;
    update();
}

void PictureButton::setBackColour(std::optional<QColor> c)
{
    back_ = c;
    update();
}

void PictureButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, back_.value_or(palette().color(QPalette::Button)));
    int shift = 0;
    if (face_ == Face::Swatch) {
        // A thin sunken edge tells the swatches apart without tinting them.
        p.setPen(QColor(128, 128, 128));
        p.drawRect(r.adjusted(0, 0, -1, -1));
    } else {
        paintRaised(p);
        shift = isDown() ? 1 : 0;
    }
    if (!picture_.isNull())
        p.drawImage(QPoint((width() - picture_.width()) / 2 + shift,
                           (height() - picture_.height()) / 2 + shift),
                    picture_);
}

void PictureButton::paintRaised(QPainter& p)
{
    // A plain raised edge, sunken while pressed; the face keeps its colour.
    const QRect r = rect();
    const bool down = isDown();
    const QColor light = down ? QColor(64, 64, 64) : QColor(255, 255, 255);
    const QColor dark = down ? QColor(255, 255, 255) : QColor(64, 64, 64);
    p.setPen(light);
    p.drawLine(r.topLeft(), r.topRight() - QPoint(1, 0));
    p.drawLine(r.topLeft(), r.bottomLeft() - QPoint(0, 1));
    p.setPen(dark);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}

void PictureButton::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        QAbstractButton::mousePressEvent(e);
    else
        e->accept(); // keep the release of any button here
}

void PictureButton::mouseReleaseEvent(QMouseEvent* e)
{
    const Qt::MouseButton button = e->button();
    if (button == Qt::LeftButton)
        QAbstractButton::mouseReleaseEvent(e); // may emit clicked()
    else
        e->accept();
    if (rect().contains(LogicalPixel(e, this)))
        emit released(button);
}

void PictureButton::mouseMoveEvent(QMouseEvent* e)
{
    QAbstractButton::mouseMoveEvent(e);
    e->accept();
    emit hovered();
}

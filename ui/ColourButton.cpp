#include "ui/ColourButton.h"

#include <QMouseEvent>
#include <QPainter>

#include "qt/QtColour.h"

ColourButton::ColourButton(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ColourButton::setBackColour(Colour c)
{
    back_ = c;
    update();
}

void ColourButton::setPicture(const QImage& picture)
{
    picture_ = picture;
    update();
}

void ColourButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), ToQColor(back_));
    // A thin sunken edge tells the swatches apart without tinting them.
    p.setPen(QColor(128, 128, 128));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!picture_.isNull()) {
        const QPoint at((width() - picture_.width()) / 2, (height() - picture_.height()) / 2);
        p.drawImage(at, picture_);
    }
}

void ColourButton::mousePressEvent(QMouseEvent*)
{
}

void ColourButton::mouseReleaseEvent(QMouseEvent* e)
{
    emit released(e->button());
}

void ColourButton::mouseMoveEvent(QMouseEvent*)
{
    emit hovered();
}

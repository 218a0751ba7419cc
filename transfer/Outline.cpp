#include "transfer/Outline.h"

#include <QPainter>

#include "qt/QtColour.h"

Outline::Outline(Colour colour, QWidget* parent) : QWidget(parent), colour_(colour)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void Outline::setColour(Colour c)
{
    if (c != colour_) {
        colour_ = c;
        update();
    }
}

void Outline::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(ToQColor(colour_));
    p.drawRect(0, 0, width() - 1, height() - 1);
}

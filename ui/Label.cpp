#include "ui/Label.h"

#include <QMouseEvent>

Label::Label(QWidget* parent) : QLabel(parent)
{
    setMouseTracking(true);
}

void Label::mouseMoveEvent(QMouseEvent* e)
{
    e->accept();
    emit hovered();
}

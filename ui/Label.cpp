#include "ui/Label.h"

#include <QMouseEvent>

Label::Label(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setMouseTracking(true);
}

void Label::mouseMoveEvent(QMouseEvent* e)
{
    e->accept();
    emit hovered();
}

#include "ui/KeyPressTap.h"

#include <QKeyEvent>
#include <QWidget>

KeyPressTap::KeyPressTap(QWidget* widget, std::function<void(QKeyEvent*)> tap)
    : QObject(widget), tap_(std::move(tap))
{
    widget->installEventFilter(this);
}

bool KeyPressTap::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent() && event->type() == QEvent::KeyPress)
        tap_(static_cast<QKeyEvent*>(event));
    return QObject::eventFilter(watched, event);
}

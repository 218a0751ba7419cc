// Hands a widget's key presses to a function just before the widget gets
// them; the widget still gets every one, so what it keeps of a press (the
// canvas its modifiers, for the release) stays whole.
#pragma once
#include <functional>

#include <QObject>

class QKeyEvent;
class QWidget;

class KeyPressTap : public QObject {
public:
    KeyPressTap(QWidget* widget, std::function<void(QKeyEvent*)> tap);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(QKeyEvent*)> tap_;
};

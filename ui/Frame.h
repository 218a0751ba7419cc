// A one-pixel rectangle outline around a control. Like a drawn shape it takes
// no mouse input: the pointer over it is over the window.
#pragma once
#include <QWidget>

class Frame : public QWidget {
    Q_OBJECT
public:
    Frame(const QRect& rectangle, QWidget* parent);

protected:
    void paintEvent(QPaintEvent*) override;
};

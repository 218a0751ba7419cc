// A label that reports the pointer over it (for the help bar) and keeps the
// movement to itself rather than passing it to the window below.
#pragma once
#include <QLabel>

class Label : public QLabel {
    Q_OBJECT
public:
    explicit Label(QWidget* parent);

signals:
    void hovered();

protected:
    void mouseMoveEvent(QMouseEvent* e) override;
};

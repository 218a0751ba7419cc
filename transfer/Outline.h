// A rectangle outline one pixel wide with no fill, laid over other controls:
// the placement window's frame and its border around the picture. Pointer
// events pass through it to what lies below.
#pragma once
#include <QWidget>

#include "core/Colour.h"

class Outline : public QWidget {
    Q_OBJECT
public:
    Outline(Colour colour, QWidget* parent);

    Colour colour() const { return colour_; }
    void setColour(Colour c);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    Colour colour_;
};

// A palette button: a flat swatch of its colour, optionally carrying the
// selection marker picture.
#pragma once
#include <QImage>
#include <QWidget>

#include "core/Colour.h"

class ColourButton : public QWidget {
    Q_OBJECT
public:
    explicit ColourButton(QWidget* parent = nullptr);

    Colour backColour() const { return back_; }
    void setBackColour(Colour c);
    // An empty picture removes the marker.
    void setPicture(const QImage& picture);
    bool hasPicture() const { return !picture_.isNull(); }

signals:
    // Any mouse button released after a press on the button.
    void released(Qt::MouseButton button);
    void hovered();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;

private:
    Colour back_{};
    QImage picture_;
};

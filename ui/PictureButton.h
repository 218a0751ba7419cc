// A 25 x 25 push button with a picture and a back colour of its own (the
// tool and arrow buttons). It never takes the keyboard focus: the canvas keeps it.
#pragma once
#include <optional>

#include <QAbstractButton>
#include <QImage>

class PictureButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit PictureButton(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    // No colour: the standard button colour.
    void setBackColour(std::optional<QColor> c);
    std::optional<QColor> backColour() const { return back_; }

signals:
    // Any mouse button released over the button after a press on it.
    void released(Qt::MouseButton button);
    void hovered();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;

private:
    QImage picture_;
    std::optional<QColor> back_;
};

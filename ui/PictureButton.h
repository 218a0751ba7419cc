// The 25 x 25 buttons of the main window: the tool and arrow buttons (a raised
// push button with a picture) and the palette buttons (a flat swatch of their
// colour that may carry the selection marker). They never take the keyboard
// focus: the canvas keeps it.
#pragma once
#include <optional>

#include <QAbstractButton>
#include <QImage>

class PictureButton : public QAbstractButton {
    Q_OBJECT
public:
    enum class Face {
        Raised, // a push button's edge, sunken while pressed
        Swatch, // flat, its back colour only, a thin edge
    };
    explicit PictureButton(QWidget* parent = nullptr, Face face = Face::Raised);

    Face face() const { return face_; }
    // An empty picture shows none.
    void setPicture(const QImage& picture);
    bool hasPicture() const { return !picture_.isNull(); }
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
    void paintRaised(class QPainter& p);
    Face face_;
    QImage picture_;
    std::optional<QColor> back_;
};

// The enlarged canvas: shows the image as 6 x 6 blocks with its overlays
// (grid, rubber-band lines, eraser outline) and forwards pointer and key
// events. The image and the overlay tell it when they change. It paints in
// device pixels so that cells stay sharp at any scale.
#pragma once
#include <optional>

#include <QHash>

#include "tools/CanvasTools.h"
#include "qt/SurfaceView.h"

// The canvas and overlay as the device sees them: one picture pixel per
// device pixel, logical canvas pixel p covering device pixels
// round(p*dpr) .. round((p+1)*dpr)-1. The picture carries `dpr` as its
// device pixel ratio.
// Two ways of seeing what a save will write, drawn over the cells only:
// cells outside the palette crossed by a thin diagonal, and cells of the
// transparent colour as a light grey checkerboard.
struct CanvasMarks {
    bool outsidePalette = false;
    std::optional<Colour> transparent;
    bool operator==(const CanvasMarks&) const = default;
};

QImage RenderCanvas(const Surface& image, const CanvasOverlay& overlay, qreal dpr,
                    QColor gridColour, const CanvasMarks& marks = {});

class CanvasView : public SurfaceView, public OverlayObserver {
    Q_OBJECT
public:
    CanvasView(Surface& image, CanvasOverlay& overlay, QWidget* parent = nullptr);
    ~CanvasView() override;

    void overlayChanged() override;
    // What the canvas marks; the image is never touched.
    void setMarks(const CanvasMarks& marks);
    const CanvasMarks& marks() const { return marks_; }

    // The modifiers held at the key's release; when none is held any more,
    // those held at its press, so Ctrl let go a moment before the arrow
    // still counts as Ctrl+arrow.
    Qt::KeyboardModifiers ChordModifiers(const QKeyEvent* release) const;

signals:
    // The pointer left the canvas, or a modal window opened over its window:
    // no more moves will tell where the pointer is.
    void pointerLeft();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CanvasOverlay& overlay_;
    CanvasMarks marks_;
    QHash<int, Qt::KeyboardModifiers> pressed_;
    QWidget* watchedWindow_ = nullptr;
};

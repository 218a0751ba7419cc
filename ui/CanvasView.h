// The enlarged canvas: shows the canvas surface with its overlays (grid,
// rubber-band lines, eraser outline) and forwards pointer and key events.
// It paints in device pixels so that cells stay sharp at any scale.
#pragma once
#include <QHash>

#include "tools/CanvasTools.h"
#include "qt/SurfaceView.h"

// The canvas and overlay as the device sees them: one image pixel per device
// pixel, logical pixel p covering device pixels round(p*dpr) .. round((p+1)*dpr)-1.
// The image carries `dpr` as its device pixel ratio.
QImage RenderCanvas(const Surface& canvas, const CanvasOverlay& overlay, qreal dpr,
                    QColor gridColour);

class CanvasView : public SurfaceView {
    Q_OBJECT
public:
    CanvasView(Surface& canvas, const CanvasOverlay& overlay, QWidget* parent = nullptr);

    // The modifiers held at any moment while the released key was down: at
    // its press or at its release. Ctrl let go a moment before the arrow
    // still counts as Ctrl+arrow.
    Qt::KeyboardModifiers ChordModifiers(const QKeyEvent* release) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    const CanvasOverlay& overlay_;
    QHash<int, Qt::KeyboardModifiers> pressed_;
};

// The canvas under the pointer: the tools draw, the overlays follow, and the
// coordinates label shows the cell.
#include <QMouseEvent>

#include "ui/CanvasView.h"
#include "ui/Label.h"
#include "ui/frmMain.h"

namespace {
int Buttons(Qt::MouseButtons held)
{
    return (held & Qt::LeftButton ? LeftButton : 0) | (held & Qt::RightButton ? RightButton : 0) |
           (held & Qt::MiddleButton ? MiddleButton : 0);
}
} // namespace

void frmMain::PodłączPłótno()
{
    auto at = [this](QMouseEvent* m) { return LogicalPixel(m, picIkona); };
    connect(picIkona, &SurfaceView::mousePressed, this, [this, at](QMouseEvent* m) {
        picIkona_MouseDown(Buttons(m->buttons()), at(m).x(), at(m).y());
    });
    connect(picIkona, &SurfaceView::mouseMoved, this, [this, at](QMouseEvent* m) {
        picIkona_MouseMove(Buttons(m->buttons()), at(m).x(), at(m).y());
    });
    // A release reports the buttons held before it, the released one included.
    connect(picIkona, &SurfaceView::mouseReleased, this, [this, at](QMouseEvent* m) {
        picIkona_MouseUp(Buttons(m->buttons() | m->button()), at(m).x(), at(m).y());
    });
    connect(picIkona, &CanvasView::pointerLeft, this, [this] {
        tools_.PointerLeftCanvas();
    });
    connect(picIkona, &SurfaceView::keyReleased, this, [this](QKeyEvent* k) {
        if (!k->isAutoRepeat())
            picIkona_KeyUp(k->key(), picIkona->ChordModifiers(k));
    });
}

// Written only when the text changes.
static void ShowCell(Label* label, int x, int y)
{
    const QString t = QString::fromStdString(NamiaryText(CellFromPoint(x, y)));
    if (label->text() != t)
        label->setText(t);
}

void frmMain::picIkona_MouseDown(int buttons, int x, int y)
{
    ShowCell(Namiary, x, y);
    tools_.MouseDown(buttons, x, y);
}

void frmMain::picIkona_MouseMove(int buttons, int x, int y)
{
    ShowCell(Namiary, x, y);
    tools_.MouseMove(buttons, x, y);
}

void frmMain::picIkona_MouseUp(int buttons, int x, int y)
{
    ShowCell(Namiary, x, y);
    tools_.MouseUp(buttons, x, y);
}

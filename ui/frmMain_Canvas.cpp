// The canvas under the pointer: the tools draw, the overlays follow, and the
// coordinates label shows the cell. In fill or pick mode a left press fills
// or takes a colour instead, and that click draws nothing.
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

// Written only when the text changes.
void ShowCell(Label* label, int x, int y)
{
    const QString t = QString::fromStdString(NamiaryText(CellFromPoint(x, y)));
    if (label->text() != t)
        label->setText(t);
}
} // namespace

void frmMain::PodłączPłótno()
{
    auto at = [this](QMouseEvent* m) { return LogicalPixel(m, picIkona); };
    connect(picIkona, &SurfaceView::mousePressed, this, [this, at](QMouseEvent* m) {
        if (CanvasModeClick(m, at(m)))
            return;
        picIkona_MouseDown(Buttons(m->buttons()), at(m).x(), at(m).y());
    });
    connect(picIkona, &SurfaceView::mouseMoved, this, [this, at](QMouseEvent* m) {
        if (swallowClick_)
            ShowCell(Namiary, at(m).x(), at(m).y());
        else
            picIkona_MouseMove(Buttons(m->buttons()), at(m).x(), at(m).y());
    });
    // A release reports the buttons held before it, the released one included.
    connect(picIkona, &SurfaceView::mouseReleased, this, [this, at](QMouseEvent* m) {
        if (swallowClick_) {
            ShowCell(Namiary, at(m).x(), at(m).y());
            swallowClick_ = m->buttons() != Qt::NoButton;
            return;
        }
        picIkona_MouseUp(Buttons(m->buttons() | m->button()), at(m).x(), at(m).y());
    });
    connect(picIkona, &CanvasView::pointerLeft, this, [this] {
        tools_.PointerLeftCanvas();
    });
    connect(picIkona, &SurfaceView::keyReleased, this, [this](QKeyEvent* k) {
        if (k->isAutoRepeat())
            return;
        const Qt::KeyboardModifiers chord = picIkona->ChordModifiers(k);
        picIkona_KeyUp(k->key(), chord);
        // A Ctrl+arrow shift moved the picture under the keyboard's cursor.
        if ((chord & ~Qt::KeypadModifier) == Qt::ControlModifier && k->key() >= Qt::Key_Left &&
            k->key() <= Qt::Key_Down)
            DescribeKeyCell();
    });
}

bool frmMain::CanvasModeClick(QMouseEvent* m, QPoint at)
{
    if (m->buttons() != Qt::LeftButton)
        return false;
    if (keyboard_)
        keyboard_->ForgetStart(); // the pointer's drag replaces one marked by key
    if (canvasMode_ == CanvasMode::Draw)
        return false;
    // The press is the fill's or the pick's alone: nothing draws until every
    // button is let go.
    swallowClick_ = true;
    ShowCell(Namiary, at.x(), at.y());
    ModeClick(CellFromPoint(at.x(), at.y()), m->modifiers() & Qt::ShiftModifier);
    return true;
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

// The arrow buttons and Ctrl+arrow keys on the canvas.
#include "tools/Shift.h"
#include "ui/CanvasView.h"
#include "ui/frmMain.h"

void frmMain::cmdKey_Click(int index)
{
    if (e_.HelpMode) {
        ShowToolHelp(LongArrow, index);
        return;
    }
    ShiftImage(e_, index);
    picIkona->setFocus();
}

void frmMain::cmdKey_MouseUp(int)
{
    picIkona->setFocus();
}

void frmMain::picIkona_KeyUp(int key, Qt::KeyboardModifiers modifiers)
{
    // Exactly Ctrl; where the arrow sits on the keyboard does not matter.
    if ((modifiers & ~Qt::KeypadModifier) != Qt::ControlModifier)
        return;
    switch (key) {
    case Qt::Key_Up: cmdKey_Click(ShiftUp); break;
    case Qt::Key_Left: cmdKey_Click(ShiftLeft); break;
    case Qt::Key_Down: cmdKey_Click(ShiftDown); break;
    case Qt::Key_Right: cmdKey_Click(ShiftRight); break;
    default: break;
    }
}

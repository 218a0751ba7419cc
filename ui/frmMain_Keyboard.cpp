// Drawing by keyboard: while "Rysowanie klawiaturą" is checked and the canvas
// has the keyboard focus, the arrows move a cell cursor, Space clicks with the
// current tool at it, 1 to 8 choose tools and "[" "]" colours. A screen reader
// follows through the canvas's accessible description.
#include <QAction>
#include <QKeyEvent>

#include "tools/ImageEdits.h"
#include "ui/Accessible.h"
#include "ui/Label.h"
#include "ui/TranslatedTexts.h"
#include "ui/frmMain.h"

namespace {
// Said when a tool is chosen by key.
const char* const ToolNames[] = {
    QT_TRANSLATE_NOOP("frmMain", "Ołówek"),    QT_TRANSLATE_NOOP("frmMain", "Linia"),
    QT_TRANSLATE_NOOP("frmMain", "Kwadrat"),   QT_TRANSLATE_NOOP("frmMain", "Wypełniony kwadrat"),
    QT_TRANSLATE_NOOP("frmMain", "Tekst"),     QT_TRANSLATE_NOOP("frmMain", "Puste"),
    QT_TRANSLATE_NOOP("frmMain", "Gumka"),     QT_TRANSLATE_NOOP("frmMain", "Gumka do kolorów"),
};
} // namespace

void frmMain::SetKeyboardDrawing(bool on)
{
    SetCanvasMode(CanvasMode::Draw); // another entry of the menu ends a fill or pick
    mnuRysowanieKlawiaturą->setChecked(on);
    if (on == keyboard_->active())
        return;
    if (on) {
        usualCanvasDescription_ = picIkona->accessibleDescription();
        keyboard_->Start();
        picIkona->setFocus();
        DescribeKeyCell();
    } else {
        keyboard_->Stop();
        Announce(picIkona, usualCanvasDescription_);
    }
}

void frmMain::DescribeKeyCell()
{
    if (!keyboard_ || !keyboard_->active())
        return;
    const Cell c = keyboard_->cell();
    const QString where = QString::fromStdString(NamiaryText(c));
    if (Namiary->text() != where)
        Namiary->setText(where);
    // "12, 5: czerwony", as the coordinates label and the palette name them.
    const int i = PaletteIndexAt(e_.picMini, c);
    const QString what = i < 0 ? tr("poza paletą") : ColourName(i);
    Announce(picIkona, where + QStringLiteral(": ") + what);
}

void frmMain::picIkona_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool autoRepeat)
{
    if (!keyboard_->active())
        return;
    modifiers &= ~(Qt::KeypadModifier | Qt::GroupSwitchModifier);
    const bool plain = modifiers == Qt::NoModifier;
    const bool shift = modifiers == Qt::ShiftModifier;
    // Held arrows repeat; a held Space, digit or bracket acts once.
    const int step = shift ? 4 : 1;
    if (plain || shift) {
        switch (key) {
        case Qt::Key_Left: keyboard_->Move(-step, 0); DescribeKeyCell(); return;
        case Qt::Key_Right: keyboard_->Move(step, 0); DescribeKeyCell(); return;
        case Qt::Key_Up: keyboard_->Move(0, -step); DescribeKeyCell(); return;
        case Qt::Key_Down: keyboard_->Move(0, step); DescribeKeyCell(); return;
        default: break;
        }
    }
    if (autoRepeat || (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return;
    if (key == Qt::Key_Escape && plain) {
        // Takes back a line or rectangle start, as a pointer drag can be.
        if (keyboard_->CancelStart())
            DescribeKeyCell();
    } else if (key == Qt::Key_Space) {
        if (canvasMode_ != CanvasMode::Draw)
            ModeClick(keyboard_->cell(), shift);
        else
            keyboard_->Act();
        DescribeKeyCell();
    } else if (key >= Qt::Key_1 && key <= Qt::Key_8 && plain) {
        const int tool = key - Qt::Key_1;
        Toolbar_Click(tool); // in help mode: its help, nothing else
        if (e_.HelpMode)
            return;
        ToolChosen();
        Announce(picIkona, tr("Narzędzie: %1").arg(tr(ToolNames[e_.CurrentTool])));
    } else if (key == Qt::Key_BracketLeft || key == Qt::Key_BracketRight) {
        const int next = (e_.CurrentColor + (key == Qt::Key_BracketRight ? 1 : PaletteSize - 1)) % PaletteSize;
        lblKol_Click(next); // in help mode: its help, nothing else
        if (!e_.HelpMode)
            Announce(picIkona, tr("Kolor: %1").arg(ColourName(e_.CurrentColor)));
    }
}

// The picture history's window, from Edycja -> "&Historia...".
#include "core/Undo.h"
#include "ui/frmHistoria.h"
#include "ui/frmMain.h"

void frmMain::mnuHistoria_Click()
{
    frmHistoria window(history_, this);
    if (window.exec() != QDialog::Accepted || !window.chosen())
        return;
    // Ctrl+Z then goes back to the picture before the restore.
    TakeSnapshot(e_);
    ImageChange change(e_.picMini, ChangeCause::Restore);
    PutHistoryImage(*window.chosen(), e_.picMini);
    e_.picMini.changed();
}

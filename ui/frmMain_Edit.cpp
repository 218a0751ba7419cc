// The Edycja menu.
#include "core/Undo.h"
#include "ui/frmMain.h"

void frmMain::mnuCofnij_Click()
{
    Cofnij(e_);
}

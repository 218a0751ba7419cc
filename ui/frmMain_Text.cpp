// The text tool's dialog: the typed text goes to the placement window.
#include "text/frmText.h"
#include "transfer/frmtmp.h"
#include "ui/frmMain.h"

void frmMain::PokażOknoTekstu()
{
    if (!TextDialog)
        TextDialog = new frmText(
            [this](const QString& text) {
                ImageChange change(e_.picMini, ChangeCause::Text);
                tmp->Tag = text;
                tmp->ShowModal();
            },
            this);
    TextDialog->ShowModal();
}

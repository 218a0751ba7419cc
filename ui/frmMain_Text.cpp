// The text tool's dialog.
#include "ui/frmMain.h"

void frmMain::PokażOknoTekstu()
{
    // The text dialog arrives with the text tool; until then the click only
    // takes the snapshot and returns to the previous tool.
}

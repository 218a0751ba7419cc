// Help mode: what a click on a button explains.
#include "ui/frmMain.h"

void frmMain::ShowToolHelp(int, int)
{
    // The help window arrives with the help bar; until then a click in help
    // mode only refrains from acting.
}

// The view options of the Opcje menu: coordinates, frames, both previews, grid.
#include <QAction>

#include "core/Procedury.h"
#include "ui/CanvasView.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/frmMain.h"

void frmMain::mnuPozycjaM_Click()
{
    Namiary->setVisible(Namiary->isHidden());
    mnuPozycjaM->setChecked(!Namiary->isHidden());
}

void frmMain::mnuRamki_Click()
{
    mnuRamki->setChecked(!mnuRamki->isChecked());
    // All four, whether or not the previews inside are shown.
    for (Frame* f : {Shape2, Shape3, Shape4, Shape6})
        f->setVisible(mnuRamki->isChecked());
}

void frmMain::mnuPokazuj1_Click()
{
    mnuPokazuj1->setChecked(!mnuPokazuj1->isChecked());
    const bool on = mnuPokazuj1->isChecked();
    picMini->setVisible(on); // the image stays whole while its picture is hidden
    Shape3->setVisible(on && mnuRamki->isChecked());
}

void frmMain::mnuPokazuj2_Click()
{
    mnuPokazuj2->setChecked(!mnuPokazuj2->isChecked());
    const bool on = mnuPokazuj2->isChecked();
    picEXE->setVisible(on); // shows the image as it is when shown again
    Shape4->setVisible(on && mnuRamki->isChecked());
}

void frmMain::mnuPokażSiatkę_Click()
{
    mnuPokażSiatkę->setChecked(!mnuPokażSiatkę->isChecked());
    if (mnuPokażSiatkę->isChecked())
        PlaceGrid(tools_.overlay);
    tools_.overlay.GridVisible = mnuPokażSiatkę->isChecked();
    picIkona->update();
}

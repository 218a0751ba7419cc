// The Opcje menu: the transparent colour.
#include <QAction>

#include "core/Transparent.h"
#include "ui/frmMain.h"

void frmMain::MenuKolory()
{
    for (int i = 0; i < PaletteSize; ++i)
        prz[i]->setText(QString::fromUtf8(ColorNames[i].data(), qsizetype(ColorNames[i].size())));
}

void frmMain::prz_Click(int index)
{
    if (!IsTransparentIndex(index))
        return;
    e_.TransparentIndex = index;
    prz[index]->setChecked(true);
}

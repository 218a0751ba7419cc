// The Opcje menu: the transparent colour, and the options file that carries it
// and the six view options from one run to the next.
#include <QAction>

#include "core/Transparent.h"
#include "files/OptionsFile.h"
#include "ui/ProgramFolder.h"
#include "ui/TranslatedTexts.h"
#include "ui/frmMain.h"

void frmMain::MenuKolory()
{
    for (int i = 0; i < PaletteSize; ++i)
        prz[i]->setText(ColourName(i));
}

void frmMain::prz_Click(int index)
{
    if (!IsTransparentIndex(index))
        return;
    e_.TransparentIndex = index;
    prz[index]->setChecked(true);
}

void frmMain::ReadOpt()
{
    // Missing, unreadable or not a regular file: everything stays initial.
    const StoredOptions stored = ReadOptionsFile(OptionsFile());
    if (stored.transparentIndex && !prz[*stored.transparentIndex]->isChecked())
        prz_Click(*stored.transparentIndex);
    for (int i = 0; i < ViewOptionCount; ++i)
        if (stored.views[std::size_t(i)])
            SetView(View(i), *stored.views[std::size_t(i)]); // a change only where they differ
}

void frmMain::SaveOpt()
{
    // Written aside and renamed over the old file, or not at all: any failure
    // is ignored, and the old file stays whole.
    WriteOptionsFile(OptionsFile(), e_.TransparentIndex, Views.on);
}

// The Opcje menu: the transparent colour, and the options file that carries it
// and the six view options from one run to the next.
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QSettings>

#include "core/Transparent.h"
#include "files/OptionsFile.h"
#include "transfer/frmtmp.h"
#include "qt/QtColour.h"
#include "ui/ProgramFolder.h"
#include "ui/TranslatedTexts.h"
#include "ui/frmMain.h"

void frmMain::MenuKolory()
{
    for (int i = 0; i < PaletteSize; ++i) {
        prz[i]->setText(ColourName(i));
        // A swatch beside the name, so the entry shows which colour turns see-through.
        QPixmap swatch(16, 16);
        swatch.fill(ToQColor(PaletteColors[i]));
        QPainter(&swatch).drawRect(0, 0, 15, 15);
        prz[i]->setIcon(QIcon(swatch));
    }
}

void frmMain::prz_Click(int index)
{
    if (!IsTransparentIndex(index))
        return;
    e_.TransparentIndex = index;
    prz[index]->setChecked(true);
    ShowMarks();
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
    ReadChoices();
}

void frmMain::SaveOpt()
{
    // Written aside and renamed over the old file, or not at all: any failure
    // is ignored, and the old file stays whole.
    WriteOptionsFile(OptionsFile(), e_.TransparentIndex, Views.on);
    SaveChoices();
}

QString frmMain::ChoicesFile()
{
    const QString options = OptionsFile();
    if (options.isEmpty())
        return {};
    return QFileInfo(options).dir().filePath(QStringLiteral("pikselar.ini"));
}

void frmMain::ReadChoices()
{
    const QString path = ChoicesFile();
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return; // everything stays off
    QSettings s(path, QSettings::IniFormat);
    Choices.fit = s.value(QStringLiteral("Wklej/Dopasuj"), false).toBool();
    Choices.paletteColours = s.value(QStringLiteral("Wklej/KoloryPalety"), false).toBool();
    Choices.dither = s.value(QStringLiteral("Wklej/Rozpraszanie"), false).toBool();
    if (tmp.ifMade())
        tmp->setChoices(Choices);
    SetMarkView(true, s.value(QStringLiteral("Widok/KoloryPozaPaleta"), false).toBool());
    SetMarkView(false, s.value(QStringLiteral("Widok/Przezroczystosc"), false).toBool());
}

void frmMain::SaveChoices()
{
    if (tmp.ifMade())
        Choices = tmp->choices();
    const QString path = ChoicesFile();
    if (path.isEmpty())
        return;
    // No file while every choice keeps its default.
    const bool defaults = Choices == PlacementChoices{} && !Marks.outsidePalette && !Marks.transparency;
    if (defaults && !QFileInfo::exists(path))
        return;
    QSettings s(path, QSettings::IniFormat);
    s.setValue(QStringLiteral("Wklej/Dopasuj"), Choices.fit);
    s.setValue(QStringLiteral("Wklej/KoloryPalety"), Choices.paletteColours);
    s.setValue(QStringLiteral("Wklej/Rozpraszanie"), Choices.dither);
    s.setValue(QStringLiteral("Widok/KoloryPozaPaleta"), Marks.outsidePalette);
    s.setValue(QStringLiteral("Widok/Przezroczystosc"), Marks.transparency);
    s.sync(); // failures are ignored, as for opcje.dat
}

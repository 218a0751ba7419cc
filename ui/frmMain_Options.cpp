// The Opcje menu: the transparent colour, and the options file that carries it
// and the six view options from one run to the next.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "core/Transparent.h"
#include "files/Options.h"
#include "ui/ProgramFolder.h"
#include "ui/frmMain.h"

namespace {
// A real options file is a few bytes; the seven items come first.
constexpr qint64 OptionsReadLimit = 64 * 1024;
} // namespace

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

std::array<QAction*, ViewOptionCount> frmMain::ViewOptionEntries() const
{
    return {mnuPozycjaM, mnuRamki, mnuPokazuj1, mnuPokazuj2, mnuPokażSiatkę, mnuPasekPomocy};
}

void frmMain::ReadOpt()
{
    QFile file(OptionsFile());
    if (!file.open(QIODevice::ReadOnly))
        return; // no file yet, or unreadable: everything stays initial
    const QByteArray text = file.read(OptionsReadLimit);
    const StoredOptions stored = ParseOptions(std::string_view(text.constData(), size_t(text.size())));

    if (stored.transparentIndex && !prz[*stored.transparentIndex]->isChecked())
        prz_Click(*stored.transparentIndex);
    const auto entries = ViewOptionEntries();
    for (int i = 0; i < ViewOptionCount; ++i)
        if (stored.views[i] && entries[i]->isChecked() != *stored.views[i])
            entries[i]->trigger(); // the entry's own click handler flips and applies it
}

void frmMain::SaveOpt()
{
    std::array<bool, ViewOptionCount> views{};
    const auto entries = ViewOptionEntries();
    for (int i = 0; i < ViewOptionCount; ++i)
        views[i] = entries[i]->isChecked();
    const std::string text = FormatOptions(e_.TransparentIndex, views);

    // Written aside and renamed over the old file: a crash never leaves half a file.
    const QString path = OptionsFile();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(text.data(), qint64(text.size()));
    file.commit(); // any failure is ignored: the old file stays whole
}

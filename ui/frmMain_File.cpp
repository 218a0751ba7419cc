// The Plik menu's icon files: Save, Save As and Open. A save never destroys
// the old file before the new one is complete, and a failed save is reported.
#include <QDir>

#include "files/FileBytes.h"
#include "files/IconReader.h"
#include "files/IconWriter.h"
#include "ui/Dialogs.h"
#include "ui/ProgramFolder.h"
#include "ui/CanvasView.h"
#include "ui/frmMain.h"

namespace {
const QString IconFilter = QStringLiteral("Ikony (*.ico)|*.ico|Wszystkie pliki (*.*)|*.*");
// header.dat is copied as it is; the bound only keeps a stray huge file out.
constexpr std::size_t HeaderLimit = 1 << 20;
} // namespace

void frmMain::mnuZapisz_Click()
{
    if (e_.CurrentFileName.empty()) {
        mnuZapiszJako_Click();
        return;
    }
    if (!Kill2())
        return;
    if (!ZapiszIkonę(NameFromNative(e_.CurrentFileName)))
        PokażBłądZapisu();
}

void frmMain::mnuZapiszJako_Click()
{
    ++SaveAsCounter; // before the dialog: cancelled attempts count too
    const QString proposal = QStringLiteral("ikona%1").arg(SaveAsCounter, 2, 10, QLatin1Char('0'));
    const std::optional<QString> path = dialogs().saveFile(this, QString(), IconFilter, proposal);
    if (!path)
        return;
    if (!ZapiszIkonę(*path)) {
        PokażBłądZapisu();
        return;
    }
    e_.CurrentFileName = NativeName(*path).toStdString();
}

bool frmMain::Kill2()
{
    if (IsReplaceable(NameFromNative(e_.CurrentFileName)))
        return true;
    PokażBłądZapisu();
    return false;
}

bool frmMain::ZapiszIkonę(const QString& path)
{
    const auto header = ReadFileStart(QDir(HeaderFolder).filePath(QStringLiteral("header.dat")), HeaderLimit);
    if (!header)
        return false;
    return ReplaceFile(path, IconFileBytes(*header, e_));
}

void frmMain::PokażBłądZapisu()
{
    dialogs().message(this, QStringLiteral("Wystąpił nieznany błąd!!"), QStringLiteral("Rastello"),
                      Dialogs::Icon::Warning);
}

void frmMain::mnuOtwórz_Click()
{
    // The click that closes the dialog must not draw on the canvas below it.
    picIkona->setEnabled(false);
    const std::optional<QString> path = dialogs().openFile(this, QStringLiteral("Otwórz"), IconFilter);
    UruchomTimer2();
    if (path)
        OpenIcon(*path);
}

frmMain::OpenResult frmMain::OpenIcon(const QString& path, bool reportRefusal)
{
    // One byte more than an icon, so that a longer file shows as longer.
    const auto bytes = ReadFileStart(path, IconFileSize + 1);
    if (!bytes || bytes->size() < IconHeader.size())
        return OpenResult::Unreadable;
    if (!DecodeIcon(*bytes, e_.pic)) {
        if (reportRefusal)
            dialogs().message(this, QStringLiteral("Podany plik nie jest prawidłowym plikiem ikony"),
                              QStringLiteral("Błąd"), Dialogs::Icon::Warning);
        return OpenResult::Refused;
    }
    LoadIconPixels(e_);
    e_.CurrentFileName = NativeName(path).toStdString();
    return OpenResult::Opened;
}

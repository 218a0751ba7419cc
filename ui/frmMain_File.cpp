// The Plik menu's icon files: Save, Save As and Open. A save never destroys
// the old file before the new one is complete, and a failed save is reported.
#include <algorithm>

#include <QDir>

#include "files/NativeNames.h"
#include "files/ReadGate.h"
#include "files/SafeFile.h"
#include "files/IconReader.h"
#include "files/IconWriter.h"
#include "ui/Dialogs.h"
#include "ui/ProgramFolder.h"
#include "ui/CanvasView.h"
#include "ui/frmMain.h"

namespace {
const char* const IconFilter = QT_TRANSLATE_NOOP("frmMain", "Ikony (*.ico)|*.ico|Wszystkie pliki (*.*)|*.*");
// header.dat is copied as it is, so it must be exactly what comes before the
// bitmaps of a file the reader accepts: another one would make files of
// another length, or with another start, that the program then refuses.
constexpr std::size_t HeaderSize = IconFileSize - IconBitmapBytes - IconMaskBytes;
static_assert(HeaderSize == 126);

bool IsUsableHeader(const std::vector<std::uint8_t>& header)
{
    return header.size() == HeaderSize && std::equal(IconHeader.begin(), IconHeader.end(), header.begin());
}
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
    // One byte more than a header, so that a longer file shows as longer.
    const auto header = ReadFileStart(QDir(HeaderFolder).filePath(QStringLiteral("header.dat")), HeaderSize + 1);
    if (!header || !IsUsableHeader(*header))
        return false;
    return ReplaceFile(path, IconFileBytes(*header, e_));
}

void frmMain::PokażBłądZapisu()
{
    dialogs().message(this, tr("Wystąpił nieznany błąd!!"), QStringLiteral("Rastello"),
                      Dialogs::Icon::Warning);
}

void frmMain::mnuOtwórz_Click()
{
    // The click that closes the dialog must not draw on the canvas below it.
    picIkona->setEnabled(false);
    const std::optional<QString> path = dialogs().openFile(this, tr("Otwórz"), tr(IconFilter));
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
            dialogs().message(this, tr("Podany plik nie jest prawidłowym plikiem ikony"),
                              tr("Błąd"), Dialogs::Icon::Warning);
        return OpenResult::Refused;
    }
    LoadIconPixels(e_);
    e_.CurrentFileName = NativeName(path).toStdString();
    return OpenResult::Opened;
}

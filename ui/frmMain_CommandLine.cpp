// Parametry: the command line, acted on once the window is on screen: our
// own icon is opened, any other picture imported.
#include <QCoreApplication>

#include "core/Procedury.h"
#include "files/Arguments.h"
#include "files/NativeNames.h"
#include "files/ReadGate.h"
#include "transfer/BoundedDecode.h"
#include "ui/Dialogs.h"
#include "ui/frmMain.h"

namespace {
// Long enough for any sensible path, short enough for a message box.
constexpr int ShownPathLength = 120;

QString Shown(const QString& name)
{
    const QString path = DisplayName(name);
    if (path.size() <= ShownPathLength)
        return path;
    const int half = ShownPathLength / 2;
    return path.left(half) + QChar(0x2026) + path.right(half);
}

// Why `path` could not be read. Only regular files are read: a FIFO or a
// device could block the program forever.
QString WhyUnreadable(const QString& path)
{
    switch (Examine(path)) {
    case PathKind::Missing:
        return frmMain::tr("Taki plik nie istnieje.");
    case PathKind::Directory:
        return frmMain::tr("To jest folder, a nie plik.");
    case PathKind::Special:
        return frmMain::tr("To nie jest zwykły plik.");
    case PathKind::Unreadable:
        return frmMain::tr("Brak prawa do odczytu tego pliku.");
    case PathKind::Regular:
        break;
    }
    return {};
}
} // namespace

void frmMain::setCommandLine(const QStringList& words)
{
    commandLine_ = words;
}

void frmMain::Parametry()
{
    const CommandLine c = ParseWords(commandLine_);

    switch (c.action) {
    case CommandLine::Action::Nothing:
    case CommandLine::Action::Help: // handled before the window exists
        return;
    case CommandLine::Action::Paste:
        mnuWklej_Click();
        return;
    case CommandLine::Action::Open:
        break;
    }
    const QString path = NameFromNative(c.path);
    if (OpenIcon(path, false) == OpenResult::Opened) {
        QCoreApplication::processEvents();
        return;
    }
    // A file manager offers us every icon: one that is not of our own form
    // but is a picture comes in as Ctrl+I would bring it, with no file name,
    // so that Ctrl+S asks for one instead of overwriting it.
    if (Examine(path) == PathKind::Regular) {
        const auto picture = BoundedReadPictureFile(path);
        // A termination signal during the read has already closed the window.
        if (shutDown_)
            return;
        if (picture) {
            e_.CurrentFileName.clear();
            ImportPicture(*picture);
            return;
        }
    }
    // A readable file that is neither, or too short to hold the icon header,
    // is simply no icon.
    const QString why = WhyUnreadable(path);
    dialogs_.message(this,
                     why.isEmpty() ? tr("Podany plik nie jest prawidłowym plikiem ikony")
                                   : tr("Nie można otworzyć pliku „%1”.\n%2").arg(Shown(path), why),
                     tr("Błąd"), Dialogs::Icon::Warning);
}

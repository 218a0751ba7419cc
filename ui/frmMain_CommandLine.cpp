// Parametry: the command line, acted on once the window is on screen.
#include <QCoreApplication>
#include <QFileInfo>

#include "core/Procedury.h"
#include "files/CommandLine.h"
#include "ui/Dialogs.h"
#include "ui/frmMain.h"

namespace {
// Long enough for any sensible path, short enough for a message box.
constexpr int ShownPathLength = 120;

QString Shown(const QString& path)
{
    if (path.size() <= ShownPathLength)
        return path;
    const int half = ShownPathLength / 2;
    return path.left(half) + QChar(0x2026) + path.right(half);
}

// Why `path` could not be read. Only regular files are read: a FIFO or a
// device could block the program forever.
QString WhyUnreadable(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("Taki plik nie istnieje.");
    if (info.isDir())
        return QStringLiteral("To jest folder, a nie plik.");
    if (!info.isFile())
        return QStringLiteral("To nie jest zwykły plik.");
    if (!info.isReadable())
        return QStringLiteral("Brak prawa do odczytu tego pliku.");
    return {};
}
} // namespace

void frmMain::setCommandLine(const QStringList& words)
{
    commandLine_ = words;
}

void frmMain::Parametry()
{
    std::vector<std::string> words;
    words.reserve(size_t(commandLine_.size()));
    for (const QString& w : commandLine_)
        words.push_back(w.toStdString());
    const CommandLine c = ParseCommandLine(words);

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
    const QString path = QString::fromStdString(c.path);
    if (OpenIcon(path) == OpenResult::Unreadable) {
        // A readable file too short to hold the icon header is simply no icon.
        const QString why = WhyUnreadable(path);
        dialogs_.message(this,
                         why.isEmpty() ? QStringLiteral("Podany plik nie jest prawidłowym plikiem ikony")
                                       : QStringLiteral("Nie można otworzyć pliku „%1”.\n%2").arg(Shown(path), why),
                         QStringLiteral("Błąd"), Dialogs::Icon::Warning);
        return;
    }
    QCoreApplication::processEvents();
    RefreshHalfPreview(e_);
}

#include "ui/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include "files/NativeNames.h"
#include "files/ReadGate.h"


namespace {
const QString HeaderName = QStringLiteral("header.dat");

bool HoldsHeader(const QString& folder)
{
    return QFileInfo::exists(QDir(folder).filePath(HeaderName));
}

QString ExecutableFolder()
{
    return QCoreApplication::applicationDirPath();
}
} // namespace

QString ProgramFolder()
{
    if (HoldsHeader(ExecutableFolder()))
        return ExecutableFolder();
    // Installed: the data folder of the prefix the build was configured for.
    const QString installed = QStringLiteral(PIKSELAR_DATADIR);
    if (HoldsHeader(installed))
        return installed;
    // An installed tree moved as a whole (bin/ beside share/) still finds its data.
    const QString relative = QDir::cleanPath(ExecutableFolder() + QStringLiteral("/../share/pikselar"));
    if (HoldsHeader(relative))
        return relative;
    return installed;
}

QString UserConfigFolder()
{
    // Qt's own answer would be "/.config" without HOME, and a folder under
    // the working directory for a relative one: only absolute names count.
    const QString xdg = NameFromNative(qgetenv("XDG_CONFIG_HOME").toStdString());
    if (QDir::isAbsolutePath(xdg))
        return QDir::cleanPath(xdg);
    // A home that is not there is not made: the user has none.
    const QString home = NameFromNative(qgetenv("HOME").toStdString());
    if (QDir::isAbsolutePath(home) && Examine(home) == PathKind::Directory)
        return QDir::cleanPath(home + QStringLiteral("/.config"));
    return {};
}

QString OptionsFile()
{
    const QString name = QStringLiteral("opcje.dat");
    const QString beside = ExecutableFolder();
    if (HoldsHeader(beside) && QFileInfo(beside).isWritable())
        return QDir(beside).filePath(name);
    const QString config = UserConfigFolder();
    return config.isEmpty() ? QString() : config + QStringLiteral("/pikselar/") + name;
}

void KeepQtSettingsInConfigFolder()
{
    // Qt's file dialog keeps its history in QtProject.conf. With no
    // configuration folder it is pointed under a file, where no folder can
    // ever be made, so it writes nothing anywhere.
    const QString config = UserConfigFolder();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       config.isEmpty() ? QStringLiteral("/dev/null/pikselar") : config);
}

#include "ui/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#ifndef PIKSELAR_DATADIR
#define PIKSELAR_DATADIR "/usr/local/share/pikselar"
#endif

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
    // An installed tree moved as a whole (bin/ beside share/) still finds its data.
    const QString relative = QDir::cleanPath(ExecutableFolder() + QStringLiteral("/../share/pikselar"));
    if (HoldsHeader(relative))
        return relative;
    return QStringLiteral(PIKSELAR_DATADIR);
}

QString OptionsFile()
{
    const QString name = QStringLiteral("opcje.dat");
    const QString beside = ExecutableFolder();
    if (HoldsHeader(beside) && QFileInfo(beside).isWritable())
        return QDir(beside).filePath(name);
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(config).filePath(QStringLiteral("pikselar/") + name);
}

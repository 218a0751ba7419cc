#include "ui/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#ifndef PIKSELAR_DATADIR
#define PIKSELAR_DATADIR "/usr/local/share/pikselar"
#endif

QString ProgramFolder()
{
    const QString beside = QCoreApplication::applicationDirPath();
    if (QFileInfo::exists(QDir(beside).filePath(QStringLiteral("header.dat"))))
        return beside;
    return QStringLiteral(PIKSELAR_DATADIR);
}

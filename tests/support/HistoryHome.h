// A state folder of its own for each case of a history suite:
// XDG_STATE_HOME points into a fresh temporary folder, and the history's
// folder and database file are named from it as the program names them.
#pragma once
#include <QFile>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>

#include "files/HistoryFolder.h"

class HistoryHome {
public:
    // False when the temporary folder cannot be made.
    bool make()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        if (!dir_->isValid())
            return false;
        qputenv("XDG_STATE_HOME", QFile::encodeName(dir_->path() + "/state"));
        folder = QString::fromStdString(HistoryFolderFromEnvironment());
        path = folder + "/" + HistoryFileName;
        return true;
    }

    // Removes it all, read-only folders a case left behind included.
    void remove()
    {
        if (dir_)
            QProcess::execute("chmod", {"-R", "u+rwx", dir_->path()});
        dir_.reset();
    }

    // The temporary folder, for other places beside the state folder.
    QString root() const { return dir_ ? dir_->path() : QString(); }

    QString folder; // where the store keeps the history
    QString path;   // its database file

private:
    std::unique_ptr<QTemporaryDir> dir_;
};

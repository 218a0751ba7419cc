#include "ui/UndecodableNames.h"

#include <dirent.h>
#include <sys/stat.h>

#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>

#include "files/NativeNames.h"

namespace {
// Enough for any real folder; a huge one is not read to its end.
constexpr int MaxListed = 1000;
constexpr int MaxEntriesRead = 100000;

// The patterns of the dialog's chosen filter, "desc (p1 p2)". With the
// details hidden, the dialog reports the filter without its last brackets.
QStringList Patterns(const QFileDialog& dialog)
{
    const QString selected = dialog.selectedNameFilter();
    for (const QString& filter : dialog.nameFilters()) {
        const qsizetype open = filter.lastIndexOf(QStringLiteral(" ("));
        if (open < 0 || !filter.endsWith(QLatin1Char(')')))
            continue;
        if (filter == selected || filter.left(open) == selected)
            return filter.mid(open + 2, filter.size() - open - 3).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    }
    return {QStringLiteral("*")};
}

bool IsUtf8(const char* name)
{
    const QByteArray bytes(name);
    return QString::fromUtf8(bytes).toUtf8() == bytes;
}
} // namespace

UndecodableNames::UndecodableNames(QFileDialog& dialog)
    : QObject(&dialog), dialog_(dialog), label_(new QLabel(QCoreApplication::translate("UndecodableNames", "Pliki o nazwach spoza UTF-8:"), &dialog)),
      list_(new QListWidget(&dialog))
{
    list_->setObjectName(QStringLiteral("undecodableNames"));
    list_->setMaximumHeight(list_->fontMetrics().height() * 5);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
        const int row = grid->rowCount();
        grid->addWidget(label_, row, 0, 1, -1);
        grid->addWidget(list_, row + 1, 0, 1, -1);
    }
    connect(&dialog, &QFileDialog::directoryEntered, this, &UndecodableNames::refresh);
    // A folder typed into the name field is entered without that signal;
    // the dialog's model follows every change of folder.
    if (auto* model = dialog.findChild<QFileSystemModel*>())
        connect(model, &QFileSystemModel::rootPathChanged, this, &UndecodableNames::refresh);
    connect(&dialog, &QFileDialog::filterSelected, this, &UndecodableNames::refresh);
    connect(list_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        picked_ = item->data(Qt::UserRole).toString();
        static_cast<QDialog&>(dialog_).done(QDialog::Accepted);
    });
    refresh();
}

void UndecodableNames::refresh()
{
    list_->clear();
    const QString folder = dialog_.directory().absolutePath();
    const QStringList patterns = Patterns(dialog_);
    if (DIR* d = ::opendir(NativeName(folder).constData())) {
        int read = 0;
        while (const dirent* entry = ::readdir(d)) {
            if (++read > MaxEntriesRead || list_->count() >= MaxListed)
                break;
            if (IsUtf8(entry->d_name))
                continue;
            // Only regular files, as the dialog lists them; stat reads no content.
            struct stat st {};
            if (::fstatat(::dirfd(d), entry->d_name, &st, 0) != 0 || !S_ISREG(st.st_mode))
                continue;
            const QString name = NameFromNative(entry->d_name);
            // Matched as shown: the regular expressions refuse lone surrogates.
            if (!QDir::match(patterns, DisplayName(name)))
                continue;
            auto* item = new QListWidgetItem(DisplayName(name), list_);
            item->setData(Qt::UserRole, QDir(folder).filePath(name));
        }
        ::closedir(d);
    }
    list_->sortItems();
    label_->setVisible(list_->count() > 0);
    list_->setVisible(list_->count() > 0);
}

#include "ui/Dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QMessageBox>

#include "qt/CentreOver.h"
#include "ui/UndecodableNames.h"

QStringList ConvertFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            if (pattern.trimmed() == QLatin1String("*.*")) {
                patterns << QStringLiteral("*");
                continue;
            }
            QString insensitive;
            for (QChar c : pattern.trimmed()) {
                if (c.isLetter() && c.toLower() != c.toUpper())
                    insensitive += QLatin1Char('[') + c.toLower() + c.toUpper() + QLatin1Char(']');
                else
                    insensitive += c;
            }
            patterns << insensitive;
        }
        result << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return result;
}

namespace {
// A message box takes its final size only as it is shown (before its map):
// centred then, not over the smaller size Qt centred it by.
class CentredMessageBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override
    {
        QMessageBox::showEvent(event);
        CentreOver(this, parentWidget());
    }
};
} // namespace

void Dialogs::message(QWidget* parent, const QString& text, const QString& title, Icon icon)
{
    CentredMessageBox box(icon == Icon::Warning ? QMessageBox::Warning : QMessageBox::Information, title,
                    text, QMessageBox::Ok, parent);
    box.exec();
}

namespace {
// Icons by kind alone. Qt's own provider asks the MIME database, which (under
// a GNOME session) reads the start of every listed file: a FIFO or
// /proc/kmsg would block the event loop for good.
class PlainIcons : public QFileIconProvider {
public:
    QIcon icon(IconType type) const override { return QFileIconProvider::icon(type); }
    QIcon icon(const QFileInfo& info) const override
    {
        return QFileIconProvider::icon(info.isDir() ? QFileIconProvider::Folder : QFileIconProvider::File);
    }
    QString type(const QFileInfo& info) const override
    {
        if (info.isDir())
            return QCoreApplication::translate("Dialogs", "Folder");
        const QString suffix = info.suffix();
        return suffix.isEmpty() ? QCoreApplication::translate("Dialogs", "Plik")
                              : QCoreApplication::translate("Dialogs", "Plik %1").arg(suffix.toUpper());
    }
};

PlainIcons& SharedPlainIcons()
{
    static PlainIcons icons;
    return icons;
}

QString ExistingFolder(const QString& path)
{
    const QFileInfo info(path);
    return info.isDir() ? info.absoluteFilePath() : QString();
}
} // namespace

QString Dialogs::startFolder() const
{
    if (currentFile_) {
        const QString current = currentFile_();
        if (!current.isEmpty())
            if (QString folder = ExistingFolder(QFileInfo(current).absolutePath()); !folder.isEmpty())
                return folder;
    }
    if (QString folder = ExistingFolder(lastFolder_); !folder.isEmpty())
        return folder;
    return QDir::currentPath();
}

std::optional<QString> Dialogs::run(QFileDialog& dialog, const QString& filter)
{
    // Qt's own dialog: the same on every desktop, and scriptable in tests.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The converted patterns are unreadable; the descriptions say enough.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    // Nothing in the dialog (list, completer, icons) reads a file's content.
    dialog.setOption(QFileDialog::DontUseCustomDirectoryIcons);
    dialog.setIconProvider(&SharedPlainIcons());
    dialog.setNameFilters(ConvertFilter(filter));
    auto* undecodable = dialog.acceptMode() == QFileDialog::AcceptOpen ? new UndecodableNames(dialog) : nullptr;
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QString chosen = undecodable && !undecodable->picked().isEmpty() ? undecodable->picked()
                           : dialog.selectedFiles().isEmpty()              ? QString()
                                                                           : dialog.selectedFiles().constFirst();
    if (chosen.isEmpty())
        return std::nullopt;
    lastFolder_ = QFileInfo(chosen).absolutePath();
    return chosen;
}

std::optional<QString> Dialogs::openFile(QWidget* parent, const QString& title,
                                         const QString& filter)
{
    QFileDialog dialog(parent, title, startFolder());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return run(dialog, filter);
}

std::optional<QString> Dialogs::saveFile(QWidget* parent, const QString& title,
                                         const QString& filter, const QString& initialName)
{
    QFileDialog dialog(parent, title, startFolder());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.selectFile(initialName);
    return run(dialog, filter);
}

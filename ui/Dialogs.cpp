#include "ui/Dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

#include "qt/CentreOver.h"

QStringList ConvertFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
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
std::optional<QString> runFileDialog(QFileDialog& dialog, const QString& filter)
{
    // Qt's own dialog: the same on every desktop, and scriptable in tests.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The converted patterns are unreadable; the descriptions say enough.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(ConvertFilter(filter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}
} // namespace

std::optional<QString> Dialogs::openFile(QWidget* parent, const QString& title,
                                         const QString& filter)
{
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return runFileDialog(dialog, filter);
}

std::optional<QString> Dialogs::saveFile(QWidget* parent, const QString& title,
                                         const QString& filter, const QString& initialName)
{
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.selectFile(initialName);
    return runFileDialog(dialog, filter);
}

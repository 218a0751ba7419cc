// Message boxes and file dialogs behind one seam, so tests can answer them.
#pragma once
#include <optional>

#include <QString>

class QWidget;

class Dialogs {
public:
    enum class Icon { Warning, Information };

    virtual ~Dialogs() = default;

    // A box with one OK button.
    virtual void message(QWidget* parent, const QString& text, const QString& title, Icon icon);
    // The chosen path, or nothing when cancelled. Filters are "desc|pattern|...".
    virtual std::optional<QString> openFile(QWidget* parent, const QString& title,
                                            const QString& filter);
    // Asks before an existing file is replaced; appends no extension. An empty
    // title leaves the dialog's default.
    virtual std::optional<QString> saveFile(QWidget* parent, const QString& title,
                                            const QString& filter, const QString& initialName);
};

// "desc|pattern|desc|pattern" to Qt's name filters, one per pair. Patterns
// become case-insensitive ("*.EXE" matches prog.exe).
QStringList ConvertFilter(const QString& filter);

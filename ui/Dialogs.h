// Message boxes and file dialogs behind one seam, so tests can answer them.
#pragma once
#include <functional>
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

    // Where the file dialogs open: the folder of the current file when there
    // is one, else the folder last chosen in this run, else the working folder.
    void followCurrentFile(std::function<QString()> currentFile) { currentFile_ = std::move(currentFile); }
    QString startFolder() const;

private:
    std::optional<QString> run(class QFileDialog& dialog, const QString& filter);
    std::function<QString()> currentFile_;
    QString lastFolder_;
};

// "desc|pattern|desc|pattern" to Qt's name filters, one per pair. Patterns
// become case-insensitive ("*.EXE" matches prog.exe); "*.*" becomes "*", since
// on Linux it would match only names with a dot.
QStringList ConvertFilter(const QString& filter);

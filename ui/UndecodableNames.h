// A list under an open dialog's own for the files whose names are not UTF-8:
// Qt leaves every such name out of every folder listing, so its dialog can
// never show them. Picking one ends the dialog with that file.
#pragma once
#include <QObject>
#include <QString>

class QFileDialog;
class QLabel;
class QListWidget;

class UndecodableNames : public QObject {
public:
    explicit UndecodableNames(QFileDialog& dialog);
    // The file picked from this list (its name as NameFromNative gives it),
    // or empty when the dialog ended otherwise.
    QString picked() const { return picked_; }

private:
    void refresh();
    QFileDialog& dialog_;
    QLabel* label_;
    QListWidget* list_;
    QString picked_;
};

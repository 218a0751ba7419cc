// The history window: every state of the picture history as a thumbnail with
// its time and what made it, newest first and selected. Return or a double
// click chooses the selected state and closes; Esc closes with nothing chosen.
// Modal and centred over its owner; the states are read as it opens.
#pragma once
#include <optional>

#include <QDialog>

#include "files/HistoryPicture.h"

class HistoryStore;
class QLabel;
class QListView;
class QPushButton;
class frmHistoriaModel;

class frmHistoria : public QDialog {
    Q_OBJECT
public:
    explicit frmHistoria(HistoryStore& store, QWidget* parent = nullptr);

    // The picture of the state chosen; nothing unless the window was accepted.
    std::optional<HistoryImage> chosen() const { return chosen_; }

    QListView* lstStany = nullptr;
    QLabel* lblPusta = nullptr; // "Historia jest pusta."
    QLabel* lblUwaga = nullptr; // why nothing is being recorded, when so
    QPushButton* cmdPrzywróć = nullptr;
    QPushButton* cmdAnuluj = nullptr;

    void cmdPrzywróć_Click();

private:
    frmHistoriaModel* model_ = nullptr;
    std::optional<HistoryImage> chosen_;
};

#include "ui/frmHistoria.h"

#include <algorithm>

#include <QGuiApplication>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QHBoxLayout>

#include "files/HistoryStore.h"
#include "qt/CentreOver.h"
#include "ui/frmHistoriaModel.h"
#include "ui/TranslatedTexts.h"

namespace {
constexpr int Width = 300;
constexpr int Height = 460;
constexpr int LeastHeight = 240;

// The list gives up what the screen lacks (at a large scale factor the
// window would reach past it); it scrolls anyway. Room is left for the
// frame the owner's window manager gives.
int FittingHeight(const QWidget* owner)
{
    const QWidget* over = owner ? owner->window() : nullptr;
    const QScreen* screen = over ? over->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return Height;
    const int frame = over && over->isVisible() ? over->frameGeometry().height() - over->height() : 0;
    return std::clamp(screen->availableGeometry().height() - frame, LeastHeight, Height);
}
} // namespace

frmHistoria::frmHistoria(HistoryStore& store, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                          | Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowTitle(tr("Historia"));
    setAccessibleName(tr("Historia"));
    setAccessibleDescription(tr("Wszystkie stany obrazu, najnowszy na górze"));
    setFixedSize(Width, FittingHeight(parent));
    setModal(true);

    model_ = new frmHistoriaModel(store.read(), this);
    const std::string problem = store.problem();

    lstStany = new QListView(this);
    lstStany->setModel(model_);
    // One height for every row: the view never asks ten thousand rows for theirs.
    lstStany->setUniformItemSizes(true);
    lstStany->setIconSize(QSize(HistorySide, HistorySide) * frmHistoriaModel::ThumbnailScale);
    lstStany->setSpacing(2);
    lstStany->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstStany->setSelectionMode(QAbstractItemView::SingleSelection);
    lstStany->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    lstStany->setAccessibleName(tr("Stany obrazu"));
    lstStany->setAccessibleDescription(
        tr("Strzałki wybierają stan, Enter przywraca go do obrazu, Esc zamyka okno"));

    lblPusta = new QLabel(tr("Historia jest pusta."), lstStany->viewport());
    lblPusta->setAlignment(Qt::AlignCenter);
    lblPusta->setGeometry(0, 0, Width - 30, 40);
    lblPusta->setVisible(model_->rowCount() == 0);

    lblUwaga = new QLabel(this);
    lblUwaga->setWordWrap(true);
    lblUwaga->setText(tr("Historia nie jest zapisywana: ") + HistoryReason(problem));
    lblUwaga->setVisible(!problem.empty());

    cmdPrzywróć = new QPushButton(tr("&Przywróć"), this);
    cmdAnuluj = new QPushButton(tr("Anuluj"), this);
    // Return restores through the default button, wherever the focus is, and
    // nothing when there is nothing to restore.
    cmdPrzywróć->setDefault(true);
    cmdPrzywróć->setAutoDefault(false);
    cmdAnuluj->setAutoDefault(false);
    cmdPrzywróć->setEnabled(model_->rowCount() > 0);
    cmdPrzywróć->setAccessibleDescription(tr("Przywraca wybrany stan do obrazu"));
    cmdAnuluj->setAccessibleDescription(tr("Zamyka okno bez zmian"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdPrzywróć);
    buttons->addWidget(cmdAnuluj);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lstStany, 1);
    layout->addWidget(lblUwaga);
    layout->addLayout(buttons);

    connect(cmdPrzywróć, &QPushButton::clicked, this, &frmHistoria::cmdPrzywróć_Click);
    connect(cmdAnuluj, &QPushButton::clicked, this, &QDialog::reject);
    connect(lstStany, &QListView::doubleClicked, this, &frmHistoria::cmdPrzywróć_Click);
    if (model_->rowCount() > 0)
        lstStany->setCurrentIndex(model_->index(0));
    lstStany->setFocus();

    CentreOver(this, parent);
}

void frmHistoria::cmdPrzywróć_Click()
{
    chosen_ = model_->picture(lstStany->currentIndex().row());
    if (chosen_)
        accept();
}

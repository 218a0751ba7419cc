#include "text/TextMenus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "text/TextRender.h"
#include "text/frmFont.h"

namespace {
// roz(1..9): each entry's caption and the point size it stands for; the last
// caption's blanks are the program's own.
struct SizeEntry {
    const char* caption;
    int points;
};
constexpr std::array<SizeEntry, 10> SizeEntries{{
    {nullptr, 0}, {"&8", 8}, {"1&0", 10}, {"1&2", 12}, {"&14", 14}, {"1&6", 16},
    {"1&8", 18}, {"&20", 20}, {"2&4", 24}, {"&36                 ", 36},
}};
constexpr int InitialSizeEntry = 2; // "1&0"

QAction* Checkable(QMenu* menu, const QString& caption, QKeySequence shortcut)
{
    QAction* a = menu->addAction(caption);
    a->setCheckable(true);
    a->setShortcut(shortcut);
    return a;
}
} // namespace

TextMenus::TextMenus(QMenuBar* bar, QWidget* window, std::function<void()> rerender)
    : QObject(window), window_(window), rerender_(std::move(rerender)), font_(InitialTextFont())
{
    mnuCzcionka = bar->addMenu(tr("&Czcionka"));
    mnuZmien = mnuCzcionka->addAction(tr("Zmień &czcionkę"));
    mnuZmien->setShortcut(Qt::CTRL | Qt::Key_F);
    connect(mnuZmien, &QAction::triggered, this, &TextMenus::mnuZmien_Click);

    mnuRozmiar = bar->addMenu(tr("&Rozmiar czcionki"));
    for (int i = 1; i <= 9; ++i) {
        roz[i] = Checkable(mnuRozmiar, QString::fromLatin1(SizeEntries[i].caption),
                           QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_F1 + i - 1)));
        roz[i]->setData(SizeEntries[i].points);
        connect(roz[i], &QAction::triggered, this, [this, i] { roz_Click(i); });
    }
    roz[InitialSizeEntry]->setChecked(true);

    mnuStyl = bar->addMenu(tr("&Styl czcionki"));
    mnuBold = Checkable(mnuStyl, tr("&Pogrubiona"), Qt::CTRL | Qt::Key_B);
    mnuItalic = Checkable(mnuStyl, tr("&Ukośna"), Qt::CTRL | Qt::Key_I);
    mnuU = Checkable(mnuStyl, tr("P&odkreślona"), Qt::CTRL | Qt::Key_U);
    connect(mnuBold, &QAction::triggered, this, &TextMenus::mnuBold_Click);
    connect(mnuItalic, &QAction::triggered, this, &TextMenus::mnuItalic_Click);
    connect(mnuU, &QAction::triggered, this, &TextMenus::mnuU_Click);
}

void TextMenus::setTextMode(bool on)
{
    // Entries of a hidden menu take no shortcuts: Ctrl+F1..F9 and the style
    // keys act only while the text is being placed.
    for (QMenu* menu : {mnuCzcionka, mnuRozmiar, mnuStyl})
        menu->menuAction()->setVisible(on);
}

void TextMenus::ApplyCheckedSize()
{
    for (int i = 1; i <= 9; ++i) {
        if (roz[i]->isChecked()) {
            font_.setPointSize(roz[i]->data().toInt());
            return;
        }
    }
}

void TextMenus::mnuZmien_Click()
{
    if (!fontDialog)
        fontDialog = new frmFont([this](const QString& name) { SetFontName(name); }, window_);
    fontDialog->ShowModal();
}

void TextMenus::SetFontName(const QString& name)
{
    font_.setFamily(name);
    // The window's activation redraws too, but only where the window system
    // hands the activation back; asking here does not depend on it.
    rerender_();
}

void TextMenus::roz_Click(int index)
{
    for (int i = 1; i <= 9; ++i)
        roz[i]->setChecked(i == index);
    font_.setPointSize(roz[index]->data().toInt());
    rerender_();
}

void TextMenus::mnuBold_Click()
{
    // Qt has already inverted the check mark of the triggered entry.
    font_.setBold(mnuBold->isChecked());
    rerender_();
}

void TextMenus::mnuItalic_Click()
{
    font_.setItalic(mnuItalic->isChecked());
    rerender_();
}

void TextMenus::mnuU_Click()
{
    font_.setUnderline(mnuU->isChecked());
    rerender_();
}

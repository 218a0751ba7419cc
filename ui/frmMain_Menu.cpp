// The menu bar: every caption, access key, check mark and shortcut.
#include <QActionGroup>
#include <QMenu>

#include "ui/frmMain.h"

namespace {
QAction* Entry(QMenu* menu, const char* caption, QKeySequence shortcut = {}, int checked = -1)
{
    QAction* a = menu->addAction(QString::fromUtf8(caption));
    a->setShortcut(shortcut);
    if (checked >= 0) {
        a->setCheckable(true);
        a->setChecked(checked == 1);
    }
    a->setVisible(false);
    return a;
}
constexpr int Unchecked = 0;
constexpr int Checked = 1;
} // namespace

void frmMain::BudujMenu()
{
    // The bar itself comes with the first showing (PokażZawartość).
    mnuPlik = new QMenu(QStringLiteral("&Plik"), this);
    mnuNowy = Entry(mnuPlik, "&Nowy", Qt::CTRL | Qt::Key_N);
    mnuOtwórz = Entry(mnuPlik, "&Otwórz...", Qt::CTRL | Qt::Key_O);
    mnuImportuj = mnuPlik->addMenu(QStringLiteral("Importuj"));
    mnuOpenEXE = Entry(mnuImportuj, "Importuj ikonę z pliku &EXE...", Qt::CTRL | Qt::Key_E);
    mnuImportPaint = Entry(mnuImportuj, "Importuj plik graficzny...", Qt::CTRL | Qt::Key_I);
    mnuZapisz = Entry(mnuPlik, "&Zapisz", Qt::CTRL | Qt::Key_S);
    mnuZapiszJako = Entry(mnuPlik, "Zapisz &jako ...", Qt::CTRL | Qt::Key_J);
    mnuPlik->addSeparator();
    mnuKoniec = Entry(mnuPlik, "&Koniec", Qt::CTRL | Qt::Key_Q);

    mnuEdycja = new QMenu(QStringLiteral("&Edycja"), this);
    mnuCofnij = Entry(mnuEdycja, "&Cofnij", Qt::CTRL | Qt::Key_Z);
    mnuWytnij = Entry(mnuEdycja, "&Wytnij", Qt::CTRL | Qt::Key_X);
    mnuKopiuj = Entry(mnuEdycja, "&Kopiuj", Qt::CTRL | Qt::Key_C);
    mnuWklej = Entry(mnuEdycja, "Wk&lej", Qt::CTRL | Qt::Key_V);
    mnuEdycja->addSeparator();
    mnuCzyśćObraz = Entry(mnuEdycja, "&Czyść obraz", Qt::Key_Delete);

    mnuOpcje = new QMenu(QStringLiteral("&Opcje"), this);
    mnuKolorP = mnuOpcje->addMenu(QStringLiteral("&Kolor przeźroczysty"));
    przGroup_ = new QActionGroup(this);
    przGroup_->setExclusive(true);
    for (int i = 0; i <= NoTransparentIndex; ++i) {
        if (i == PaletteSize) {
            prz[i] = mnuKolorP->addSeparator();
            continue;
        }
        // Captions of 0..15 come from MenuKolory at start-up.
        QAction* a = mnuKolorP->addAction(i == NoTransparentIndex ? QStringLiteral("brak") : QString());
        a->setCheckable(true);
        przGroup_->addAction(a);
        connect(a, &QAction::triggered, this, [this, i] { prz_Click(i); });
        prz[i] = a;
    }
    prz[ImageBackIndex]->setChecked(true);
    mnuPozycjaM = Entry(mnuOpcje, "&Pokazuj pozycję myszy", Qt::CTRL | Qt::Key_M, Checked);
    mnuRamki = Entry(mnuOpcje, "Pokazuj &ramki", Qt::CTRL | Qt::Key_R, Checked);
    mnuPokazuj1 = Entry(mnuOpcje, "Pokazuj podgląd &ikony", {}, Checked);
    mnuPokazuj2 = Entry(mnuOpcje, "Pokazuj &miniaturkę ikony", {}, Checked);
    mnuPokażSiatkę = Entry(mnuOpcje, "Pokaż &siatkę", Qt::CTRL | Qt::Key_G, Unchecked);

    mnuPomoc = new QMenu(QStringLiteral("Pomo&c"), this);
    mnuPomoc2 = Entry(mnuPomoc, "Pomoc", Qt::Key_F1, Unchecked);
    mnuPasekPomocy = Entry(mnuPomoc, "Pasek pomo&cy", Qt::CTRL | Qt::Key_F1, Checked);
    mnuOProgramie = Entry(mnuPomoc, "&O programie...", Qt::CTRL | Qt::Key_A);
}

void frmMain::Podłącz(QAction* entry, std::function<void()> handler)
{
    connect(entry, &QAction::triggered, this, [entry, handler = std::move(handler)] {
        if (entry->isCheckable())
            entry->setChecked(!entry->isChecked());
        handler();
    });
    entry->setVisible(true);
}

void frmMain::UkryjPusteMenu()
{
    for (QMenu* menu : {mnuImportuj, mnuPlik, mnuEdycja, mnuOpcje, mnuPomoc}) {
        bool any = false;
        for (QAction* a : menu->actions())
            any = any || (a->isVisible() && !a->isSeparator());
        menu->menuAction()->setVisible(any);
    }
}

// The menu bar: every caption, access key, check mark and shortcut.
#include <QActionGroup>
#include <QMenu>
#include <utility>

#include "ui/frmMain.h"

namespace {
QAction* Entry(QMenu* menu, const QString& caption, QKeySequence shortcut = {})
{
    QAction* a = menu->addAction(caption);
    a->setShortcut(shortcut);
    return a;
}

QAction* Checkable(QMenu* menu, const QString& caption, QKeySequence shortcut = {})
{
    QAction* a = Entry(menu, caption, shortcut);
    a->setCheckable(true);
    return a;
}
} // namespace

void frmMain::BudujMenu()
{
    // The bar itself comes with the first showing (PokażZawartość).
    mnuPlik = new QMenu(tr("&Plik"), this);
    mnuNowy = Entry(mnuPlik, tr("&Nowy"), Qt::CTRL | Qt::Key_N);
    mnuOtwórz = Entry(mnuPlik, tr("&Otwórz..."), Qt::CTRL | Qt::Key_O);
    mnuImportuj = mnuPlik->addMenu(tr("Importuj"));
    mnuOpenEXE = Entry(mnuImportuj, tr("Importuj ikonę z pliku &EXE..."), Qt::CTRL | Qt::Key_E);
    mnuImportPaint = Entry(mnuImportuj, tr("Importuj plik graficzny..."), Qt::CTRL | Qt::Key_I);
    mnuZapisz = Entry(mnuPlik, tr("&Zapisz"), Qt::CTRL | Qt::Key_S);
    mnuZapiszJako = Entry(mnuPlik, tr("Zapisz &jako ..."), Qt::CTRL | Qt::Key_J);
    mnuEksportuj = mnuPlik->addAction(tr("&Eksportuj do PNG..."));
    mnuEksportuj->setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_E);
    mnuPlik->addSeparator();
    mnuKoniec = Entry(mnuPlik, tr("&Koniec"), Qt::CTRL | Qt::Key_Q);

    mnuEdycja = new QMenu(tr("&Edycja"), this);
    mnuCofnij = Entry(mnuEdycja, tr("&Cofnij"), Qt::CTRL | Qt::Key_Z);
    mnuWytnij = Entry(mnuEdycja, tr("&Wytnij"), Qt::CTRL | Qt::Key_X);
    mnuKopiuj = Entry(mnuEdycja, tr("&Kopiuj"), Qt::CTRL | Qt::Key_C);
    mnuWklej = Entry(mnuEdycja, tr("Wk&lej"), Qt::CTRL | Qt::Key_V);
    mnuEdycja->addSeparator();
    mnuCzyśćObraz = Entry(mnuEdycja, tr("&Czyść obraz"), Qt::Key_Delete);
    mnuEdycja->addSeparator();
    mnuHistoria = Entry(mnuEdycja, tr("&Historia..."), Qt::CTRL | Qt::Key_H);

    // O&braz: the image as a whole, fill and colour pick, drawing by keyboard.
    mnuObraz = new QMenu(tr("O&braz"), this);
    const auto imageEntry = [this](const QString& caption, QKeySequence shortcut) {
        QAction* a = mnuObraz->addAction(caption);
        a->setShortcut(shortcut);
        return a;
    };
    mnuOdbijPoziomo = imageEntry(tr("Odbij w &poziomie"), Qt::CTRL | Qt::SHIFT | Qt::Key_H);
    mnuOdbijPionowo = imageEntry(tr("Odbij w p&ionie"), Qt::CTRL | Qt::SHIFT | Qt::Key_V);
    mnuObróćPrawo = imageEntry(tr("Obróć w p&rawo"), Qt::CTRL | Qt::SHIFT | Qt::Key_R);
    mnuObróćLewo = imageEntry(tr("Obróć w &lewo"), Qt::CTRL | Qt::SHIFT | Qt::Key_L);
    mnuObraz->addSeparator();
    mnuWypełnij = imageEntry(tr("&Wypełnij"), Qt::CTRL | Qt::SHIFT | Qt::Key_F);
    mnuPobierzKolor = imageEntry(tr("Pobierz &kolor"), Qt::CTRL | Qt::SHIFT | Qt::Key_P);
    mnuObraz->addSeparator();
    mnuRysowanieKlawiaturą = imageEntry(tr("Rysowanie kl&awiaturą"), Qt::CTRL | Qt::SHIFT | Qt::Key_K);
    mnuRysowanieKlawiaturą->setCheckable(true); // off at every start

    mnuOpcje = new QMenu(tr("&Opcje"), this);
    mnuKolorP = mnuOpcje->addMenu(tr("&Kolor przeźroczysty"));
    przGroup_ = new QActionGroup(this);
    przGroup_->setExclusive(true);
    for (int i = 0; i <= NoTransparentIndex; ++i) {
        if (i == PaletteSize) {
            prz[i] = mnuKolorP->addSeparator();
            continue;
        }
        // Captions of 0..15 come from MenuKolory at start-up.
        QAction* a = mnuKolorP->addAction(i == NoTransparentIndex ? tr("brak") : QString());
        a->setCheckable(true);
        przGroup_->addAction(a);
        connect(a, &QAction::triggered, this, [this, i] { prz_Click(i); });
        prz[i] = a;
    }
    prz[ImageBackIndex]->setChecked(true);
    mnuPozycjaM = Checkable(mnuOpcje, tr("&Pokazuj pozycję myszy"), Qt::CTRL | Qt::Key_M);
    mnuRamki = Checkable(mnuOpcje, tr("Pokazuj &ramki"), Qt::CTRL | Qt::Key_R);
    mnuPokazuj1 = Checkable(mnuOpcje, tr("Pokazuj podgląd &ikony"));
    mnuPokazuj2 = Checkable(mnuOpcje, tr("Pokazuj &miniaturkę ikony"));
    mnuPokażSiatkę = Checkable(mnuOpcje, tr("Pokaż &siatkę"), Qt::CTRL | Qt::Key_G);
    // Views of what a save writes; they never change the image.
    mnuSpozaPalety = mnuOpcje->addAction(tr("P&okaż kolory spoza palety"));
    mnuPrzezroczystosc = mnuOpcje->addAction(tr("Pokaż prze&zroczystość"));
    for (QAction* a : {mnuSpozaPalety, mnuPrzezroczystosc})
        a->setCheckable(true);

    mnuPomoc = new QMenu(tr("Pomo&c"), this);
    mnuPomoc2 = Checkable(mnuPomoc, tr("Pomoc"), Qt::Key_F1);
    mnuPasekPomocy = Checkable(mnuPomoc, tr("Pasek pomo&cy"), Qt::CTRL | Qt::Key_F1);
    mnuOProgramie = Entry(mnuPomoc, tr("&O programie..."), Qt::CTRL | Qt::Key_A);

    // The check marks show the state they stand for.
    for (int i = 0; i < ViewOptionCount; ++i)
        ViewEntry(View(i))->setChecked(Views.on[std::size_t(i)]);
    mnuPomoc2->setChecked(e_.HelpMode);
}

void frmMain::PodłączMenu()
{
    const std::pair<QAction*, void (frmMain::*)()> commands[] = {
        {mnuOtwórz, &frmMain::mnuOtwórz_Click},
        {mnuZapisz, &frmMain::mnuZapisz_Click},
        {mnuZapiszJako, &frmMain::mnuZapiszJako_Click},
        {mnuEksportuj, &frmMain::mnuEksportuj_Click},
        {mnuOpenEXE, &frmMain::mnuOpenEXE_Click},
        {mnuImportPaint, &frmMain::mnuImportPaint_Click},
        {mnuCofnij, &frmMain::mnuCofnij_Click},
        {mnuWytnij, &frmMain::mnuWytnij_Click},
        {mnuKopiuj, &frmMain::mnuKopiuj_Click},
        {mnuWklej, &frmMain::mnuWklej_Click},
        {mnuNowy, &frmMain::mnuNowy_Click},
        {mnuCzyśćObraz, &frmMain::mnuCzyśćObraz_Click},
        {mnuHistoria, &frmMain::mnuHistoria_Click},
        {mnuKoniec, &frmMain::mnuKoniec_Click},
        {mnuOProgramie, &frmMain::mnuOProgramie_Click},
    };
    for (const auto& [entry, handler] : commands)
        connect(entry, &QAction::triggered, this, handler);
    // A click flips the check mark; the state follows it.
    for (int i = 0; i < ViewOptionCount; ++i)
        connect(ViewEntry(View(i)), &QAction::toggled, this,
                [this, i](bool on) { SetView(View(i), on); });
    connect(mnuPomoc2, &QAction::toggled, this, &frmMain::SetHelpMode);
    BudujObraz(); // the Obraz menu's entries, modes and keys
    connect(mnuSpozaPalety, &QAction::toggled, this, [this](bool on) { SetMarkView(true, on); });
    connect(mnuPrzezroczystosc, &QAction::toggled, this, [this](bool on) { SetMarkView(false, on); });
}

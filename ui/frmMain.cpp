#include "ui/frmMain.h"

#include <QGuiApplication>
#include <QSessionManager>

#include "core/Procedury.h"
#include "core/Transparent.h"
#include "core/Undo.h"
#include "transfer/frmtmp.h"
#include "ui/ColourButton.h"
#include "ui/Dialogs.h"
#include "ui/ProgramFolder.h"
#include "ui/SurfaceView.h"

namespace {
constexpr int ClientWidth = 296;
constexpr int ClientHeight = 311;
} // namespace

frmMain::frmMain(Dialogs& dialogs, QWidget* parent) : QMainWindow(parent), dialogs_(dialogs)
{
    setWindowTitle(QStringLiteral("Pikselar"));
    HeaderFolder = ProgramFolder();
    tmp = new frmtmp(e_, this);
    BudujKontrolki();
    BudujMenu();

    Podłącz(mnuOtwórz, [this] { mnuOtwórz_Click(); });
    Podłącz(mnuZapisz, [this] { mnuZapisz_Click(); });
    Podłącz(mnuZapiszJako, [this] { mnuZapiszJako_Click(); });
    Podłącz(mnuCofnij, [this] { mnuCofnij_Click(); });
    Podłącz(mnuNowy, [this] { mnuNowy_Click(); });
    Podłącz(mnuCzyśćObraz, [this] { mnuCzyśćObraz_Click(); });
    Podłącz(mnuKoniec, [this] { mnuKoniec_Click(); });
    UkryjPusteMenu();

    Zmienne();
    Kolory();
    MenuKolory();
    UstawKoloryTłów();
    ReadOpt();

    // The end of the desktop session: options saved while there is time,
    // and the shutdown once the application is told to quit.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { SaveOpt(); });
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { Zamknij(); });
}

frmMain::~frmMain() = default;

void frmMain::BudujKontrolki()
{
    auto* client = new QWidget(this);
    client->setFixedSize(ClientWidth, ClientHeight);
    setCentralWidget(client);

    picIkona = new SurfaceView(e_.picIkona, client);
    picIkona->move(8, 24);
    picIkona->setFocusPolicy(Qt::StrongFocus);
    picMini = new SurfaceView(e_.picMini, client);
    picMini->move(208, 8);
    picEXE = new SurfaceView(e_.picEXE, client);
    picEXE->move(248, 8);

    for (int i = 0; i < PaletteSize; ++i) {
        auto* b = new ColourButton(client);
        b->setGeometry(8 + 24 * (i % 8), i < 8 ? 224 : 248, 25, 25);
        connect(b, &ColourButton::released, this,
                [this, i](Qt::MouseButton button) { lblKol_MouseUp(i, button); });
        lblKol[i] = b;
    }
}

void frmMain::Zmienne()
{
    ::Zmienne(e_);
}

void frmMain::Kolory()
{
    for (int i = 0; i < PaletteSize; ++i)
        lblKol[i]->setBackColour(PaletteColors[i]);
}

void frmMain::UstawKoloryTłów()
{
    SetBackgroundColours(e_);
    // The marker stays with the drawing colour alone (colour 0 at start-up),
    // so a later reset never leaves two buttons marked.
    lblKol[e_.CurrentColor]->setPicture(tmp->xsel());
    TakeSnapshot(e_);
}

#include "ui/frmMain.h"

#include <QActionGroup>
#include <QMenuBar>

#include "core/Procedury.h"
#include "core/Transparent.h"
#include "core/Undo.h"
#include "transfer/frmtmp.h"
#include "ui/ColourButton.h"
#include "ui/Dialogs.h"
#include "ui/QtColour.h"
#include "ui/SurfaceView.h"

namespace {
constexpr int ClientWidth = 296;
constexpr int ClientHeight = 311;
} // namespace

frmMain::frmMain(Dialogs& dialogs, QWidget* parent) : QMainWindow(parent), dialogs_(dialogs)
{
    setWindowTitle(QStringLiteral("Pikselar"));
    tmp = new frmtmp(e_, this);
    BudujKontrolki();
    BudujMenu();

    Zmienne();
    Kolory();
    MenuKolory();
    UstawKoloryTłów();
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

void frmMain::BudujMenu()
{
    mnuEdycja = menuBar()->addMenu(QStringLiteral("&Edycja"));
    mnuCofnij = mnuEdycja->addAction(QStringLiteral("&Cofnij"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(mnuCofnij, &QAction::triggered, this, &frmMain::mnuCofnij_Click);

    mnuOpcje = menuBar()->addMenu(QStringLiteral("&Opcje"));
    mnuKolorP = mnuOpcje->addMenu(QStringLiteral("&Kolor przeźroczysty"));
    przGroup_ = new QActionGroup(this);
    przGroup_->setExclusive(true);
    for (int i = 0; i <= NoTransparentIndex; ++i) {
        if (i == PaletteSize) {
            prz[i] = mnuKolorP->addSeparator();
            continue;
        }
        QAction* a = mnuKolorP->addAction(i == NoTransparentIndex ? QStringLiteral("brak") : QString());
        a->setCheckable(true);
        przGroup_->addAction(a);
        connect(a, &QAction::triggered, this, [this, i] { prz_Click(i); });
        prz[i] = a;
    }
    prz[ImageBackIndex]->setChecked(true);
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

void frmMain::MenuKolory()
{
    for (int i = 0; i < PaletteSize; ++i)
        prz[i]->setText(QString::fromUtf8(ColorNames[i].data(), qsizetype(ColorNames[i].size())));
}

void frmMain::UstawKoloryTłów()
{
    SetBackgroundColours(e_);
    // The marker stays with the drawing colour alone (colour 0 at start-up),
    // so a later reset never leaves two buttons marked.
    lblKol[e_.CurrentColor]->setPicture(tmp->xsel());
    TakeSnapshot(e_);
}

void frmMain::prz_Click(int index)
{
    if (!IsTransparentIndex(index))
        return;
    e_.TransparentIndex = index;
    prz[index]->setChecked(true);
}

void frmMain::mnuCofnij_Click()
{
    Cofnij(e_);
}

void frmMain::lblKol_Click(int index)
{
    if (index == e_.CurrentColor)
        return;
    lblKol[index]->setPicture(tmp->xsel());
    lblKol[e_.CurrentColor]->setPicture(QImage());
    e_.CurrentColor = std::uint8_t(index);
    picIkona->setFocus();
}

void frmMain::lblKol_MouseUp(int index, Qt::MouseButton)
{
    picIkona->setFocus();
    lblKol_Click(index);
}

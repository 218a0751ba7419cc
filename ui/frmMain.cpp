#include "ui/frmMain.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QMenuBar>
#include <QTimer>

#include "core/Procedury.h"
#include "core/Transparent.h"
#include "core/Undo.h"
#include "ui/Accessible.h"
#include "ui/ButtonPictures.h"
#include "ui/CanvasView.h"
#include "ui/Dialogs.h"
#include "ui/ProgramFolder.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/PictureButton.h"
#include "qt/QtColour.h"
#include "qt/SurfaceView.h"

namespace {
constexpr int ClientWidth = 296;
constexpr int ClientHeight = 311;
} // namespace

frmMain::frmMain(Dialogs& dialogs, QWidget* parent) : QMainWindow(parent), dialogs_(dialogs)
{
    // Before any widget is asked for its interface (the bridge may ask as
    // soon as the window maps); installing it wakes nothing.
    InstallAccessibleInterfaces();
    setWindowTitle(QStringLiteral("Pikselar"));
    HeaderFolder = ProgramFolder();
    // Minimise and close, no maximise: the size rule keeps the window's size.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    BudujKontrolki();
    BudujMenu();

    PodłączMenu();
    PodłączPomoc();

    // The client area's size; the menu bar is added on top of it when the
    // window is shown, and the window centred then.
    resize(ClientWidth, ClientHeight);

    Zmienne();
    Kolory();
    MenuKolory();
    UstawKoloryTłów();
    ReadOpt();

    // The end of the desktop session: options saved while there is time,
    // and the shutdown once the application is told to quit.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { SaveOpt(); });
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { Zamknij(); });

    Timer1 = new QTimer(this);
    Timer1->setInterval(1);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    Timer1->start();
    Timer2 = new QTimer(this);
    Timer2->setInterval(700);
    connect(Timer2, &QTimer::timeout, this, [this] { Timer2_Timer(); });
    Timer2->start();
    sizeRuleAgain_ = new QTimer(this);
    sizeRuleAgain_->setSingleShot(true);
    sizeRuleAgain_->setInterval(250);
    connect(sizeRuleAgain_, &QTimer::timeout, this, [this] { Form_Resize(); });
}

frmMain::~frmMain() = default;

void frmMain::BudujKontrolki()
{
    client_ = new QWidget(this);
    client_->setMouseTracking(true);
    client_->installEventFilter(this);
    setCentralWidget(client_);

    // Frames first: the controls they surround lie above them.
    Shape2 = new Frame(QRect(7, 23, 194, 194), client_);
    Shape6 = new Frame(QRect(7, 6, 194, 19), client_);
    Shape3 = new Frame(QRect(207, 7, 34, 34), client_);
    Shape4 = new Frame(QRect(247, 7, 18, 18), client_);

    picIkona = new CanvasView(e_.picMini, tools_.overlay, client_);
    picIkona->move(8, 24);
    picIkona->setFocusPolicy(Qt::StrongFocus);
    PodłączPłótno();
    picMini = new SurfaceView(e_.picMini, client_);
    picMini->move(208, 8);
    picEXE = new SurfaceView(e_.picMini, HalfScale, client_);
    picEXE->move(248, 8);

    // The labels get their texts when the window is shown (PokażZawartość).
    Namiary = new Label(client_);
    Namiary->setGeometry(12, 8, 49, 13);
    QFont small = Namiary->font();
    small.setPixelSize(11);
    Namiary->setFont(small);

    BudujPrzyciski(client_);

    lblHelp = new Label(client_);
    lblHelp->setGeometry(4, 288, 289, 17);
    QPalette bar = lblHelp->palette();
    bar.setColor(QPalette::Window, bar.color(QPalette::HighlightedText));
    lblHelp->setPalette(bar);
    lblHelp->setAutoFillBackground(true);
}

void frmMain::BudujPrzyciski(QWidget* client)
{
    for (int i = 0; i < int(Toolbar.size()); ++i) {
        auto* b = new PictureButton(client);
        b->setGeometry(i % 2 ? 248 : 224, 56 + 24 * (i / 2), 25, 25);
        b->setPicture(ToolPicture(i));
        connect(b, &PictureButton::clicked, this, [this, i] { Toolbar_Click(i); });
        connect(b, &PictureButton::released, this, [this, i] { Toolbar_MouseUp(i); });
        Toolbar[i] = b;
    }
    Toolbar[ToolPencil]->setBackColour(ToQColor(e_.ToolHighlightColor));

    static constexpr QPoint arrows[] = {{240, 224}, {216, 248}, {240, 248}, {264, 248}};
    for (int d = 0; d < int(cmdKey.size()); ++d) {
        auto* b = new PictureButton(client);
        b->setGeometry(QRect(arrows[d], QSize(25, 25)));
        b->setPicture(ArrowPicture(d));
        connect(b, &PictureButton::clicked, this, [this, d] { cmdKey_Click(d); });
        connect(b, &PictureButton::released, this, [this, d] { cmdKey_MouseUp(d); });
        cmdKey[d] = b;
    }

    for (int i = 0; i < PaletteSize; ++i) {
        auto* b = new PictureButton(client, PictureButton::Face::Swatch);
        b->setGeometry(8 + 24 * (i % 8), i < 8 ? 224 : 248, 25, 25);
        // The click and, after it, the release of any button run the handler:
        // a left click runs it twice (the second run finds the colour chosen,
        // or shows the help window again in help mode).
        connect(b, &PictureButton::clicked, this, [this, i] { lblKol_Click(i); });
        connect(b, &PictureButton::released, this,
                [this, i](Qt::MouseButton button) { lblKol_MouseUp(i, button); });
        lblKol[i] = b;
    }
}

void frmMain::Zmienne()
{
    ::Zmienne(e_);
    StartWidth = width();
    StartHeight = height();
}

void frmMain::Kolory()
{
    for (int i = 0; i < PaletteSize; ++i)
        lblKol[i]->setBackColour(ToQColor(PaletteColors[i]));
}

void frmMain::UstawKoloryTłów()
{
    SetBackgroundColours(e_);
    // The marker stays with the drawing colour alone (colour 0 at start-up),
    // so a later reset never leaves two buttons marked.
    lblKol[e_.CurrentColor]->setPicture(SelectionMarker());
    TakeSnapshot(e_);
}

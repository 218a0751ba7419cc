// The document commands (Nowy, Czyść obraz, Koniec) and the shutdown that
// runs once whatever closes the main window. Nothing asks about unsaved work.
#include <QCloseEvent>
#include <QCoreApplication>

#include "core/Procedury.h"
#include "transfer/frmtmp.h"
#include "ui/frmMain.h"

void frmMain::mnuNowy_Click()
{
    ClearImage(e_, ChangeCause::New);
    e_.CurrentFileName.clear();
}

void frmMain::mnuCzyśćObraz_Click()
{
    ClearImage(e_, ChangeCause::Clear);
}

void frmMain::mnuKoniec_Click()
{
    close();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    Zamknij();
    event->accept();
}

void frmMain::Zamknij()
{
    if (shutDown_)
        return;
    shutDown_ = true;
    SaveOpt();
    history_.finish(HistoryStore::ShutdownLimit);
    if (frmtmp* placement = tmp.ifMade())
        placement->close();
    QCoreApplication::quit();
}

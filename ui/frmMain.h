// The main window: builds its controls and menus, connects them to handlers
// of a few lines each, and repaints from the editor's surfaces. The handlers
// are split by menu area over frmMain_*.cpp.
#pragma once
#include <array>

#include <QMainWindow>

#include "core/Editor.h"

class QAction;
class QActionGroup;
class QMenu;
class ColourButton;
class Dialogs;
class SurfaceView;
class frmtmp;

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(Dialogs& dialogs, QWidget* parent = nullptr);
    ~frmMain() override;

    Editor& editor() { return e_; }
    Dialogs& dialogs() { return dialogs_; }

    // Start-up steps, in the order the constructor runs them.
    void Zmienne();
    void Kolory();
    void MenuKolory();
    void UstawKoloryTłów();

    // Transparent colour (Opcje menu).
    void prz_Click(int index);

    // Edycja menu.
    void mnuCofnij_Click();

    // Colour buttons.
    void lblKol_Click(int index);
    void lblKol_MouseUp(int index, Qt::MouseButton button);

    // Controls, public so that tests can drive and inspect them.
    SurfaceView* picIkona = nullptr;
    SurfaceView* picMini = nullptr;
    SurfaceView* picEXE = nullptr;
    std::array<ColourButton*, PaletteSize> lblKol{};
    frmtmp* tmp = nullptr;

    QMenu* mnuEdycja = nullptr;
    QAction* mnuCofnij = nullptr;
    QMenu* mnuOpcje = nullptr;
    QMenu* mnuKolorP = nullptr;
    std::array<QAction*, NoTransparentIndex + 1> prz{};

private:
    void BudujKontrolki();
    void BudujMenu();

    Editor e_;
    Dialogs& dialogs_;
    QActionGroup* przGroup_ = nullptr;
};

// The main window: builds its controls and menus, connects them to handlers
// of a few lines each, and repaints from the editor's surfaces. The handlers
// are split by area over frmMain_*.cpp.
#pragma once
#include <array>
#include <functional>
#include <memory>

#include <QMainWindow>
#include <QStringList>

#include "core/Editor.h"
#include "files/HistoryFolder.h"
#include "files/HistoryRecorder.h"
#include "files/HistoryStore.h"
#include "files/Options.h"
#include "tools/CanvasTools.h"
#include "tools/KeyboardDrawing.h"
#include "transfer/Placement.h"
#include "ui/HelpTexts.h"
#include "ui/CanvasView.h" // complete, so picIkona works as a SurfaceView anywhere
#include "ui/Lazy.h"

class QAction;
class QImage;
class QActionGroup;
class QMenu;
class QShortcut;
class QTimer;
class Dialogs;
class Frame;
class Label;
class PictureButton;
class SurfaceView;
class frmtmp;

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(Dialogs& dialogs, QWidget* parent = nullptr);
    ~frmMain() override;

    Editor& editor() { return e_; }
    Dialogs& dialogs() { return dialogs_; }

    // ---- Start-up steps, in the order the constructor runs them (frmMain.cpp).
    void Zmienne();
    void Kolory();
    void MenuKolory();
    void UstawKoloryTłów();

    // ---- Opcje menu: transparent colour (frmMain_Options.cpp).
    void prz_Click(int index);

    // ---- Options file (frmMain_Options.cpp): read as the last start-up
    // step, written at shutdown.
    void ReadOpt();
    void SaveOpt();

    // ---- Document commands and shutdown (frmMain_Document.cpp).
    void mnuNowy_Click();
    void mnuCzyśćObraz_Click();
    void mnuKoniec_Click();
    // Runs once, whatever ends the program: options saved, placement window
    // closed, event loop ended.
    void Zamknij();

    // ---- Command line (frmMain_CommandLine.cpp): the program's arguments,
    // acted on by Parametry from the first Timer1 tick.
    void setCommandLine(const QStringList& words);
    void Parametry();

    // ---- Edycja menu (frmMain_Edit.cpp).
    void mnuCofnij_Click();
    // The picture history (frmMain_History.cpp): every change of the image is
    // recorded; the history window brings a state back as a change of its own.
    void mnuHistoria_Click();
    HistoryStore& history() { return history_; }

    // ---- Plik menu: icon files (frmMain_File.cpp).
    enum class OpenResult { Opened, Refused, Unreadable };
    void mnuZapisz_Click();
    void mnuZapiszJako_Click();
    // True when the current file may be replaced (a missing file may);
    // otherwise shows the failure box and returns false.
    bool Kill2();
    void mnuOtwórz_Click();
    // Refused: not an icon of ours; the refusal box was shown when
    // `reportRefusal`. Unreadable (missing, not a regular file, unreadable,
    // shorter than the header): nothing was shown. Either way the image and
    // CurrentFileName are unchanged.
    OpenResult OpenIcon(const QString& path, bool reportRefusal = true);
    int SaveAsCounter = 0;
    // The folder header.dat is copied from (the program's folder).
    QString HeaderFolder;

    // ---- Importuj submenu (frmMain_Import.cpp): a program's icon, a picture file.
    void mnuOpenEXE_Click();
    void mnuImportPaint_Click();
    // A decoded picture into the image: directly when at most 32 x 32 (the
    // rest cleared), otherwise through the placement window.
    void ImportPicture(const QImage& picture);

    // ---- Clipboard (frmMain_Clipboard.cpp).
    void mnuKopiuj_Click();
    void mnuWytnij_Click();
    void mnuWklej_Click();
    // The picture already in Editor::pic: placed directly when at most
    // 32 x 32 (the other pixels kept), otherwise through the placement window.
    void PlaceClipboardPicture();

    // ---- Colour buttons (frmMain_Palette.cpp).
    void lblKol_Click(int index);
    void lblKol_MouseUp(int index, Qt::MouseButton button);

    // ---- Tool buttons (frmMain_Tools.cpp).
    void SelectTool(int t);
    void Toolbar_Click(int index);
    void Toolbar_MouseUp(int index);
    // The text tool's dialog, shown modally between the selection of tool 4
    // and the return to the previous tool (frmMain_Text.cpp).
    void PokażOknoTekstu();

    // ---- The canvas under the pointer (frmMain_Canvas.cpp). Positions are
    // canvas pixels; `buttons` sums LeftButton, RightButton, MiddleButton.
    void picIkona_MouseDown(int buttons, int x, int y);
    void picIkona_MouseMove(int buttons, int x, int y);
    void picIkona_MouseUp(int buttons, int x, int y);
    CanvasTools& canvasTools() { return tools_; }

    // ---- Image shift: arrow buttons and Ctrl+arrows (frmMain_Shift.cpp).
    void cmdKey_Click(int index);
    void cmdKey_MouseUp(int index);
    void picIkona_KeyUp(int key, Qt::KeyboardModifiers modifiers);

    // ---- Help (frmMain_Help.cpp). The help window shows the help of button
    // `index` of group `kind`.
    void ShowToolHelp(LongHelpKind kind, int index);
    // The help bar's text for the control under the pointer (kinds from 0:
    // tools, colours, arrows, picMini, picEXE, the bar itself).
    void PokażKrótkąPomoc(int kind, int index);
    // Accessible names and descriptions of the controls, for screen readers.
    // Set once the window is mapped: a name wakes the accessibility bridge,
    // which waits for the session bus.
    void NazwijKontrolki();
    void mnuPomoc2_Click();
    // Help mode on (with its notice) or off; the entry's check mark shows it.
    void SetHelpMode(bool on);
    void mnuOProgramie_Click();
    class frmHelp* HelpWindow = nullptr; // created on first use
    class frmText* TextDialog = nullptr; // created on first use

    // ---- View options (frmMain_View.cpp). The state is Views; the check
    // marks of the six entries show it and set it through SetView.
    ViewOptions Views;
    // Sets one option, its check mark, and shows or hides what it governs;
    // nothing when the option already has that value.
    void SetView(View v, bool on);
    QAction* ViewEntry(View v) const;
    // The entries' click handlers: each flips its option.
    void mnuPozycjaM_Click() { SetView(View::Coordinates, !Views[View::Coordinates]); }
    void mnuRamki_Click() { SetView(View::Frames, !Views[View::Frames]); }
    void mnuPokazuj1_Click() { SetView(View::Preview, !Views[View::Preview]); }
    void mnuPokazuj2_Click() { SetView(View::Thumbnail, !Views[View::Thumbnail]); }
    void mnuPokażSiatkę_Click() { SetView(View::Grid, !Views[View::Grid]); }
    void mnuPasekPomocy_Click() { SetView(View::HelpBar, !Views[View::HelpBar]); }

    // ---- The window (frmMain_Window.cpp).
    // Size rule: once locked, the window returns to StartWidth x StartHeight.
    void Form_Resize();
    // The pointer over the window's own background.
    void Form_MouseMove();
    // Start-up completion, the first tick after the window is shown.
    void Timer1_Timer();
    // Re-enables the canvas and stops.
    void Timer2_Timer();
    // The canvas ignores the mouse until Timer2 fires, 700 ms from now.
    void UruchomTimer2();
    int StartWidth = 0;  // window size recorded at load, in pixels
    int StartHeight = 0;
    bool ResizeLock = false;
    bool StartUpEnded = false; // Timer1 has fired
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;

    // ---- Controls, public so that tests can drive and inspect them.
    CanvasView* picIkona = nullptr;
    SurfaceView* picMini = nullptr;
    SurfaceView* picEXE = nullptr;
    std::array<PictureButton*, PaletteSize> lblKol{};
    std::array<PictureButton*, 8> Toolbar{};
    std::array<PictureButton*, 4> cmdKey{};
    Label* Namiary = nullptr;
    Label* lblHelp = nullptr;
    Frame* Shape2 = nullptr; // canvas
    Frame* Shape3 = nullptr; // picMini
    Frame* Shape4 = nullptr; // picEXE
    Frame* Shape6 = nullptr; // coordinates strip
    // The placement window, made the first time a picture or text is placed.
    Lazy<frmtmp> tmp{[this] { return MakePlacementWindow(); }};

    // ---- The menu tree (frmMain_Menu.cpp).
    QMenu* mnuPlik = nullptr;
    QAction* mnuNowy = nullptr;
    QAction* mnuOtwórz = nullptr;
    QMenu* mnuImportuj = nullptr;
    QAction* mnuOpenEXE = nullptr;
    QAction* mnuImportPaint = nullptr;
    QAction* mnuZapisz = nullptr;
    QAction* mnuZapiszJako = nullptr;
    QAction* mnuKoniec = nullptr;
    QMenu* mnuEdycja = nullptr;
    QAction* mnuCofnij = nullptr;
    QAction* mnuWytnij = nullptr;
    QAction* mnuKopiuj = nullptr;
    QAction* mnuWklej = nullptr;
    QAction* mnuCzyśćObraz = nullptr;
    QAction* mnuHistoria = nullptr;
    QMenu* mnuOpcje = nullptr;
    QMenu* mnuKolorP = nullptr;
    std::array<QAction*, NoTransparentIndex + 1> prz{};
    QAction* mnuPozycjaM = nullptr;
    QAction* mnuRamki = nullptr;
    QAction* mnuPokazuj1 = nullptr;
    QAction* mnuPokazuj2 = nullptr;
    QAction* mnuPokażSiatkę = nullptr;
    QMenu* mnuPomoc = nullptr;
    QAction* mnuPomoc2 = nullptr;
    QAction* mnuPasekPomocy = nullptr;
    QAction* mnuOProgramie = nullptr;

    // ---- Obraz menu: mirrors, turns, fill and colour pick (frmMain_Image.cpp),
    // drawing by keyboard (frmMain_Keyboard.cpp).
    QMenu* mnuObraz = nullptr;
    QAction* mnuOdbijPoziomo = nullptr;
    QAction* mnuOdbijPionowo = nullptr;
    QAction* mnuObróćPrawo = nullptr;
    QAction* mnuObróćLewo = nullptr;
    QAction* mnuWypełnij = nullptr;
    QAction* mnuPobierzKolor = nullptr;
    QAction* mnuRysowanieKlawiaturą = nullptr;
    void mnuOdbijPoziomo_Click();
    void mnuOdbijPionowo_Click();
    void mnuObróćPrawo_Click();
    void mnuObróćLewo_Click();
    void mnuWypełnij_Click();
    void mnuPobierzKolor_Click();
    // What the next left click on the canvas (or Space) does: draw with the
    // tool, fill, or take the colour. Esc, a tool button or another entry
    // of the menu ends a fill or a pick.
    enum class CanvasMode { Draw, Fill, Pick };
    CanvasMode canvasMode() const { return canvasMode_; }
    void SetCanvasMode(CanvasMode mode);
    // A fill or a pick at a cell, which ends the mode.
    void ModeClick(Cell cell, bool everywhere);
    // Drawing by keyboard on or off; the entry's check mark shows it.
    void SetKeyboardDrawing(bool on);
    KeyboardDrawing& keyboardDrawing() { return *keyboard_; }
    // A key pressed on the canvas while drawing by keyboard.
    void picIkona_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool autoRepeat);
    // The canvas's accessible description: the cursor's cell and its colour.
    void DescribeKeyCell();
    // A tool chosen by its button or key: a fill or pick ends.
    void ToolChosen();

private:
    void BudujObraz();
    // A left press in fill or pick mode: true when it filled or picked.
    bool CanvasModeClick(QMouseEvent* m, QPoint at);
    void WybierzKolor(int index);
    CanvasMode canvasMode_ = CanvasMode::Draw;
    std::unique_ptr<KeyboardDrawing> keyboard_;
    QShortcut* escape_ = nullptr;
    bool swallowClick_ = false; // a fill or pick took the press: its release draws nothing
    QString usualCanvasDescription_;

public:
    // ---- Pictures: the placement window's choices and the two marking
    // views, kept in a settings file of their own beside opcje.dat
    // (frmMain_Options.cpp, frmMain_View.cpp), and the PNG export
    // (frmMain_Export.cpp).
    PlacementChoices Choices; // taken back from the placement window at shutdown
    MarkViews Marks;
    QAction* mnuSpozaPalety = nullptr;
    QAction* mnuPrzezroczystosc = nullptr;
    QAction* mnuEksportuj = nullptr;
    // The settings file: empty when the options are not kept.
    static QString ChoicesFile();
    void ReadChoices();
    void SaveChoices();
    void SetMarkView(bool outsidePalette, bool on);
    // What the canvas marks, from Marks and the transparent colour.
    void ShowMarks();
    void mnuEksportuj_Click();
    // The image as a 32 x 32 RGBA PNG; false when anything failed.
    bool ZapiszPng(const QString& path);

    // Completes the window (texts, menu bar, its one size, its place) before
    // its first showing.
    void setVisible(bool visible) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool shutDown_ = false;
    frmtmp* MakePlacementWindow();
    QStringList commandLine_;

    void BudujKontrolki();
    void BudujPrzyciski(QWidget* client);
    void PodłączPłótno();
    // Connects the pointer movements that update the help bar.
    void PodłączPomoc();
    void BudujMenu();
    // Connects every entry to its handler; the checkable ones through toggled().
    void PodłączMenu();
    // What an option governs: the help bar (frmMain_Help.cpp) and the rest.
    void ShowHelpBar(bool shown);
    // Label texts, the menu bar, the fixed size and the centred place.
    void PokażZawartość();
    bool contentShown_ = false;
    // The size rule once more, after a resize the window manager forced or
    // while the window changes to a new recorded size.
    QTimer* sizeRuleAgain_ = nullptr;
    // Writes the icon file atomically; false when anything failed.
    bool ZapiszIkonę(const QString& path);
    void PokażBłądZapisu();

    Editor e_;
    CanvasTools tools_{e_};
    // Nothing of the history is read or made before the first change or the
    // history window.
    HistoryStore history_{HistoryFolderFromEnvironment()};
    HistoryRecorder historyRecorder_{e_.picMini, history_};
    Dialogs& dialogs_;
    QWidget* client_ = nullptr;
    QActionGroup* przGroup_ = nullptr;
};

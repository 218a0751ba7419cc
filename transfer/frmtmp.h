// The placement window: shows a picture larger than the icon, or a rendered
// text, with a 32 x 32 frame that follows the pointer; a click copies the
// framed pixels into the image and hides the window. Created hidden on its
// first use and kept until shutdown, so the frame stays where the last use
// left it. Its staging surface `pic` and the undo buffers live in the editor
// state.
#pragma once
#include <functional>
#include <future>

#include <QDialog>
#include <QImage>
#include <QString>

#include "core/Editor.h"
#include "transfer/Placement.h"

struct Editor;
class QLabel;
class QMenuBar;
class TextMenus;
class QMouseEvent;
class QTimer;
class Outline;
class SurfaceView;
class QPushButton;

class frmtmp : public QDialog {
    Q_OBJECT
public:
    frmtmp(Editor& editor, QWidget* parent = nullptr);

    // Empty: picture mode (the caller has put the picture into Editor::pic).
    // Otherwise text mode, holding the text to place. A click empties it.
    QString Tag;

    // Shows the window modally for the current Editor::pic and
    // Editor::FragmentPrompt; returns when a click has hidden it or the
    // window system has closed it.
    void ShowModal();
    // Stops the frame's blinking; the main window calls it when start-up ends.
    void StopBlinking();
    // Fits the border Ramka one pixel around pic.
    void RamkaDopasuj();

    // The picture as decoded, with its transparency, for the next showing:
    // fitting and palette colours start from it. Without one they start from
    // Editor::pic as it stands.
    void SetSourcePicture(const QImage& picture) { given_ = picture; }
    // The three choices above the client area, remembered by the caller.
    PlacementChoices choices() const;
    void setChoices(const PlacementChoices& c);
    // Places what the window shows: the fitted picture in fit mode, else the
    // piece under the frame; then hides the window (Return does this).
    void PlaceShown();

    // ---- Controls, public so that tests and the text tool can reach them.
    QMenuBar* menuBar = nullptr; // text mode only
    TextMenus* Text = nullptr;   // the font, size and style menus and the font
    QWidget* client = nullptr;   // the 586 x 345 client area below the menu bar
    class QScrollArea* scroll_ = nullptr; // holds the client area
    QLabel* Label1 = nullptr;
    SurfaceView* pic = nullptr;
    Outline* Shape1 = nullptr; // the frame, in pic coordinates
    Outline* Ramka = nullptr;
    QTimer* Timer1 = nullptr; // blinking, 300 ms
    QTimer* Timer2 = nullptr; // deferred text rendering, 20 ms, one tick
    QWidget* choiceBar = nullptr; // the buttons and the count line
    QPushButton* cmdDopasuj = nullptr;
    QPushButton* cmdKolory = nullptr;
    QPushButton* cmdRozpraszanie = nullptr;
    QLabel* lblSpoza = nullptr; // cells outside the palette, saved as black
    SurfaceView* picFit = nullptr; // the fitted 32 x 32 picture, enlarged

    // ---- Handlers.
    void Form_Activate();
    void pic_MouseMove(int x, int y);
    void pic_Click();
    void Timer1_Timer();
    void Timer2_Timer();

public slots:
    // The window system closed the window: the placement ends, image untouched.
    void reject() override;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FitPrompt();
    // Shows the picture as the choices make it and the count line for it.
    void ApplyChoices();
    void ShowCount();
    // The palette-true picture of the whole source, mapped in a worker when
    // the picture is large so that the window never freezes.
    struct MapKey {
        int transparent = -1;
        bool dither = false;
        bool operator==(const MapKey&) const = default;
    };
    void StartMapping(MapKey key);
    void MappingDone(Surface mapped);
    // Waits for a mapping in progress (a click or Return while it runs).
    void FinishMapping();
    // The staging surface as given, kept before a mapping replaces it.
    void KeepRaw();
    // The picture the choices start from.
    const QImage& Source();
    // Forgets the mapping of a picture no longer shown.
    void DropMapping();

    bool rawKept_ = false;
    Surface raw_{1, 1, PaletteColors[15]};    // the staging surface as the caller gave it
    QImage given_;             // the caller's picture, taken by the next showing
    QImage source_;            // the picture the choices start from
    QImage small_;             // source_ fitted, before any mapping
    Surface fitted_{ImageSize, ImageSize, PaletteColors[15]};
    Surface mappedPic_{1, 1, PaletteColors[15]}; // the whole source in palette colours
    MapKey mappedKey_;
    bool haveMapped_ = false;
    bool showsMapped_ = false;   // Editor::pic holds mappedPic_, not raw_
    std::future<Surface> pending_;
    MapKey runningKey_;
    QTimer* mapPoll_ = nullptr;

    Editor& e_;
    int blinkTag_ = 1; // Timer1's phase: 1 shows dark blue next, 0 yellow
};

// The placement window: shows a picture larger than the icon, or a rendered
// text, with a 32 x 32 frame that follows the pointer; a click copies the
// framed pixels into the image and hides the window. Created hidden on its
// first use and kept until shutdown, so the frame stays where the last use
// left it. Its staging surface `pic` and the undo buffers live in the editor
// state.
#pragma once
#include <functional>

#include <QDialog>
#include <QString>

struct Editor;
class QLabel;
class QMenuBar;
class TextMenus;
class QMouseEvent;
class QTimer;
class Outline;
class SurfaceView;

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

private:
    void FitPrompt();

    Editor& e_;
    int blinkTag_ = 1; // Timer1's phase: 1 shows dark blue next, 0 yellow
};

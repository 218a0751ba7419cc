// The Obraz menu in the main window: mirrors and turns with undo, fill and
// colour pick under the mouse and their modes, and drawing by keyboard with
// every tool, its keys in help mode and what it tells a screen reader.
#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QtTest>

#include "core/Undo.h"
#include "support/TestSupport.h"
#include "tools/Shapes.h"
#include "ui/CanvasView.h"
#include "ui/Label.h"
#include "ui/PictureButton.h"
#include "ui/frmHelp.h"
#include "ui/frmMain.h"

namespace {
QPoint CentreOf(int x, int y) { return {6 * x + 3, 6 * y + 3}; }

void Click(QWidget* w, QPoint at, Qt::KeyboardModifiers mods = {})
{
    QTest::mouseClick(w, Qt::LeftButton, mods, at);
}

// A move with the left button held, as QTest cannot say which buttons are down.
void DragTo(QWidget* w, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(w, &move);
}

// Where the cells of palette colour `index` are, as "x,y" joined by blanks.
QString CellsOf(const Surface& s, int index)
{
    QStringList at;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            if (PaletteIndexOf(s.pixel(x, y)) == index)
                at << QStringLiteral("%1,%2").arg(x).arg(y);
    return at.join(QLatin1Char(' '));
}
} // namespace

class TestEditing : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void menuSitsBetweenEdycjaAndOpcje();
    void turnsInOrderEachUndoable();
    void fillTakesTheOutlinedInsideAndOnlyThat();
    void shiftFillReplacesTheColourEverywhere();
    void pickTakesTheClickedColour();
    void modeEnds_data();
    void modeEnds();
    void keyboardCursorMovesAndTellsWhereItIs();
    void keyboardDrawsWithEachTool_data();
    void keyboardDrawsWithEachTool();
    void keyboardChoosesToolsAndColours();
    void keyboardFillAndPick();
    void helpModeKeysExplainOnceEntriesAct();
    void uncheckingRestoresTheCanvas();

private:
    // Keys on the canvas; what the canvas says to a screen reader after
    // each goes to descriptions_.
    void press(int key, Qt::KeyboardModifiers mods = {}, int times = 1)
    {
        for (int i = 0; i < times; ++i) {
            QTest::keyClick(w_->picIkona, Qt::Key(key), mods);
            descriptions_ << w_->picIkona->accessibleDescription();
        }
    }
    ScriptedDialogs* dialogs_ = nullptr;
    frmMain* w_ = nullptr;
    QStringList descriptions_;
};

void TestEditing::init()
{
    dialogs_ = new ScriptedDialogs;
    w_ = new frmMain(*dialogs_);
    w_->show();
    QVERIFY(QTest::qWaitForWindowActive(w_));
    QTRY_VERIFY(w_->ResizeLock); // start-up completed
    QTRY_VERIFY(w_->picIkona->isEnabled());
    descriptions_.clear();
}

void TestEditing::cleanup()
{
    delete w_;
    delete dialogs_;
}

void TestEditing::menuSitsBetweenEdycjaAndOpcje()
{
    frmMain& w = *w_;
    QStringList bar;
    for (QAction* a : w.menuBar()->actions())
        bar << a->text();
    QCOMPARE(bar, QStringList({"&Plik", "&Edycja", "O&braz", "&Opcje", "Pomo&c"}));
    QStringList entries;
    for (QAction* a : w.mnuObraz->actions())
        if (!a->isSeparator())
            entries << a->text() + QLatin1Char(' ') + a->shortcut().toString();
    QCOMPARE(entries, QStringList({"Odbij w &poziomie Ctrl+Shift+H", "Odbij w p&ionie Ctrl+Shift+V",
                                   "Obróć w p&rawo Ctrl+Shift+R", "Obróć w &lewo Ctrl+Shift+L",
                                   "&Wypełnij Ctrl+Shift+F", "Pobierz &kolor Ctrl+Shift+P",
                                   "Rysowanie kl&awiaturą Ctrl+Shift+K"}));
    QVERIFY(w.mnuRysowanieKlawiaturą->isCheckable());
    QVERIFY(!w.mnuRysowanieKlawiaturą->isChecked());
    QVERIFY(!w.keyboardDrawing().active());
}

void TestEditing::turnsInOrderEachUndoable()
{
    frmMain& w = *w_;
    Editor& e = w.editor();
    w.lblKol_Click(1);
    Click(w.picIkona, CentreOf(0, 0));
    ChangeLog log(e.picMini);
    // The shortcuts, as the user presses them on the canvas.
    press(Qt::Key_H, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(CellsOf(e.picMini, 1), QStringLiteral("31,0"));
    QCOMPARE(CellsOf(e.Undo1, 1), QStringLiteral("0,0")); // the snapshot came first
    press(Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(CellsOf(e.picMini, 1), QStringLiteral("31,31"));
    press(Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(CellsOf(e.picMini, 1), QStringLiteral("31,0"));
    press(Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(CellsOf(e.picMini, 1), QStringLiteral("0,0"));
    QCOMPARE(log.changes,
             QStringList({"FlipHorizontal", "RotateRight", "FlipVertical", "RotateLeft"}));
    QVERIFY(log.MissedPixels(e.Undo1).isEmpty()); // every view was told
    w.mnuCofnij->trigger();
    QCOMPARE(CellsOf(e.picMini, 1), QStringLiteral("31,0"));
    // Neither the tool nor the colour moved; the pencil still draws.
    QCOMPARE(int(e.CurrentTool), int(ToolPencil));
    QCOMPARE(int(e.CurrentColor), 1);
    QCOMPARE(w.canvasMode(), frmMain::CanvasMode::Draw);
}

void TestEditing::fillTakesTheOutlinedInsideAndOnlyThat()
{
    frmMain& w = *w_;
    Editor& e = w.editor();
    w.lblKol_Click(1);
    DrawRectangleTool(e, {4, 4}, {10, 10}, false);
    const QString before = Rows(e.picMini);
    w.lblKol_Click(3);
    w.mnuWypełnij->trigger();
    QCOMPARE(w.picIkona->cursor().shape(), Qt::BitmapCursor);
    ChangeLog log(e.picMini);
    // Pressed inside, let go elsewhere: the pencil must not paint there.
    QTest::mousePress(w.picIkona, Qt::LeftButton, {}, CentreOf(7, 7));
    DragTo(w.picIkona, CentreOf(20, 20));
    QTest::mouseRelease(w.picIkona, Qt::LeftButton, {}, CentreOf(20, 20));
    QCOMPARE(log.changes, QStringList({"Fill"}));
    QCOMPARE(Rows(e.picMini, 3, 3, 9, 9), Rows({"bbbbbbbbb", "b1111111b", "b1333331b", "b1333331b",
                                                "b1333331b", "b1333331b", "b1333331b", "b1111111b",
                                                "bbbbbbbbb"}));
    QCOMPARE(CellsOf(e.picMini, 3).count(QLatin1Char(' ')) + 1, 25);
    QCOMPARE(w.Namiary->text(), QStringLiteral("21, 21"));
    // The mode is over: the next click paints with the pencil.
    QCOMPARE(w.canvasMode(), frmMain::CanvasMode::Draw);
    QCOMPARE(w.picIkona->cursor().shape(), Qt::ArrowCursor);
    Click(w.picIkona, CentreOf(20, 20));
    QCOMPARE(PaletteIndexOf(e.picMini.pixel(20, 20)), 3);
    // One undo gives back the picture before the fill.
    w.mnuCofnij->trigger();
    QCOMPARE(Rows(e.picMini), before);
}

void TestEditing::shiftFillReplacesTheColourEverywhere()
{
    frmMain& w = *w_;
    Editor& e = w.editor();
    w.lblKol_Click(1);
    DrawRectangleTool(e, {0, 0}, {2, 2}, true);
    DrawRectangleTool(e, {20, 20}, {21, 21}, true);
    w.lblKol_Click(2);
    w.mnuWypełnij->trigger();
    ChangeLog log(e.picMini);
    Click(w.picIkona, CentreOf(1, 1), Qt::ShiftModifier);
    QCOMPARE(log.changes, QStringList({"ReplaceColour"}));
    QCOMPARE(CellsOf(e.picMini, 1), QString());
    QCOMPARE(CellsOf(e.picMini, 2),
             QStringLiteral("0,0 1,0 2,0 0,1 1,1 2,1 0,2 1,2 2,2 20,20 21,20 20,21 21,21"));
    // A fill with the cell's own colour changes nothing and keeps the snapshot.
    const QString snapshot = Rows(e.Undo1);
    w.mnuWypełnij->trigger();
    Click(w.picIkona, CentreOf(1, 1));
    QCOMPARE(log.changes.size(), 1);
    QCOMPARE(Rows(e.Undo1), snapshot);
}

void TestEditing::pickTakesTheClickedColour()
{
    frmMain& w = *w_;
    Editor& e = w.editor();
    w.lblKol_Click(1);
    Click(w.picIkona, CentreOf(3, 3));
    w.lblKol_Click(8);
    // In help mode as well: the canvas ignores it.
    w.mnuPomoc2->trigger();
    w.mnuPobierzKolor->trigger();
    QCOMPARE(w.picIkona->cursor().shape(), Qt::BitmapCursor);
    const QString image = Rows(e.picMini);
    Click(w.picIkona, CentreOf(3, 3));
    QCOMPARE(int(e.CurrentColor), 1);
    QVERIFY(w.lblKol[1]->hasPicture());
    QVERIFY(!w.lblKol[8]->hasPicture());
    QCOMPARE(Rows(e.picMini), image); // the pick click drew nothing
    QCOMPARE(w.canvasMode(), frmMain::CanvasMode::Draw);
    Click(w.picIkona, CentreOf(20, 20));
    QCOMPARE(PaletteIndexOf(e.picMini.pixel(20, 20)), 1);

    // A colour outside the palette changes nothing, and the mode ends.
    e.picMini.setPixel(5, 5, Rgb(1, 2, 3));
    w.mnuPobierzKolor->trigger();
    Click(w.picIkona, CentreOf(5, 5));
    QCOMPARE(int(e.CurrentColor), 1);
    QCOMPARE(w.canvasMode(), frmMain::CanvasMode::Draw);
    QVERIFY(e.picMini.pixel(5, 5) == Rgb(1, 2, 3));
}

void TestEditing::modeEnds_data()
{
    QTest::addColumn<QString>("by");
    for (const char* by : {"Esc", "tool button", "tool key", "pick entry", "flip entry", "keyboard entry"})
        QTest::newRow(by) << QString::fromLatin1(by);
}

void TestEditing::modeEnds()
{
    QFETCH(QString, by);
    frmMain& w = *w_;
    Editor& e = w.editor();
    if (by == "tool key")
        w.mnuRysowanieKlawiaturą->trigger();
    w.lblKol_Click(3);
    w.mnuWypełnij->trigger();
    if (by == "Esc")
        press(Qt::Key_Escape);
    else if (by == "tool button")
        QTest::mouseClick(w.Toolbar[ToolPencil], Qt::LeftButton);
    else if (by == "tool key")
        press(Qt::Key_1);
    else if (by == "pick entry")
        w.mnuPobierzKolor->trigger();
    else if (by == "flip entry")
        w.mnuOdbijPoziomo->trigger();
    else
        w.mnuRysowanieKlawiaturą->trigger();
    if (by == "pick entry") {
        QCOMPARE(w.canvasMode(), frmMain::CanvasMode::Pick);
        press(Qt::Key_Escape);
    }
    QCOMPARE(w.canvasMode(), frmMain::CanvasMode::Draw);
    QCOMPARE(w.picIkona->cursor().shape(), Qt::ArrowCursor);
    // No fill is left waiting: a click paints one cell.
    Click(w.picIkona, CentreOf(9, 9));
    QCOMPARE(CellsOf(e.picMini, 3), QStringLiteral("9,9"));
}

void TestEditing::keyboardCursorMovesAndTellsWhereItIs()
{
    frmMain& w = *w_;
    Editor& e = w.editor();
    CanvasOverlay& o = w.canvasTools().overlay;
    e.picMini.setPixel(3, 2, PaletteColors[1]);
    e.picMini.setPixel(0, 1, Rgb(1, 2, 3));
    press(Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(w.mnuRysowanieKlawiaturą->isChecked());
    QVERIFY(o.KeyCursorVisible);
    QCOMPARE(o.KeyCursorCell, (Cell{0, 0}));
    QCOMPARE(w.picIkona->accessibleDescription(), QStringLiteral("1, 1: morski"));
    press(Qt::Key_Right, {}, 3);
    press(Qt::Key_Down, {}, 2);
    QCOMPARE(o.KeyCursorCell, (Cell{3, 2}));
    QCOMPARE(w.Namiary->text(), QStringLiteral("4, 3"));
    QCOMPARE(descriptions_.mid(1), QStringList({"2, 1: morski", "3, 1: morski", "4, 1: morski",
                                                "4, 2: morski", "4, 3: czerwony"}));
    // Shift moves four cells; the image's edges hold the cursor.
    press(Qt::Key_Right, Qt::ShiftModifier, 8);
    QCOMPARE(o.KeyCursorCell, (Cell{31, 2}));
    press(Qt::Key_Up, {}, 5);
    press(Qt::Key_Left, Qt::ShiftModifier | Qt::KeypadModifier, 9);
    QCOMPARE(o.KeyCursorCell, (Cell{0, 0}));
    press(Qt::Key_Down);
    QCOMPARE(descriptions_.last(), QStringLiteral("1, 2: poza paletą"));

    // Ctrl+arrow moves the picture on release, not the cursor; Ctrl+Shift+arrow nothing.
    press(Qt::Key_Right, Qt::ControlModifier);
    QCOMPARE(o.KeyCursorCell, (Cell{0, 1}));
    QCOMPARE(CellsOf(e.picMini, 1), QStringLiteral("4,2"));
    QCOMPARE(descriptions_.last(), QStringLiteral("1, 2: morski")); // the odd colour moved on
    press(Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(o.KeyCursorCell, (Cell{0, 1}));
    QCOMPARE(CellsOf(e.picMini, 1), QStringLiteral("4,2"));
}

void TestEditing::keyboardDrawsWithEachTool_data()
{
    QTest::addColumn<int>("tool");
    QTest::addColumn<QString>("keys");     // D, R: Down, Right; _: Space
    QTest::addColumn<QString>("expected"); // cells 0..7 by 0..5 afterwards
    const QString rectangle = QStringLiteral("D R _ R R R D D _");
    // Red drawing colour; the erasers on a blue picture with red at (0, 0) and (2, 2).
    QTest::newRow("pencil") << int(ToolPencil) << rectangle
                            << "bbbbbbbb b1bbbbbb bbbbbbbb bbbb1bbb bbbbbbbb bbbbbbbb";
    QTest::newRow("line") << int(ToolLine) << "D R _ R R R _"
                          << "bbbbbbbb b1111bbb bbbbbbbb bbbbbbbb bbbbbbbb bbbbbbbb";
    QTest::newRow("rectangle") << int(ToolRectangle) << rectangle
                               << "bbbbbbbb b1111bbb b1bb1bbb b1111bbb bbbbbbbb bbbbbbbb";
    QTest::newRow("filled") << int(ToolFilledRectangle) << rectangle
                            << "bbbbbbbb b1111bbb b1111bbb b1111bbb bbbbbbbb bbbbbbbb";
    QTest::newRow("empty") << int(ToolEmpty) << rectangle
                           << "bbbbbbbb bbbbbbbb bbbbbbbb bbbbbbbb bbbbbbbb bbbbbbbb";
    QTest::newRow("eraser") << int(ToolEraser) << "D R _"
                            << "13333333 3bbbbb33 3bbbbb33 3bbbbb33 3bbbbb33 3bbbbb33";
    QTest::newRow("colour eraser") << int(ToolColourEraser) << "D R _"
                                   << "13333333 33333333 33b33333 33333333 33333333 33333333";
}

void TestEditing::keyboardDrawsWithEachTool()
{
    QFETCH(int, tool);
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    frmMain& w = *w_;
    Editor& e = w.editor();
    CanvasOverlay& o = w.canvasTools().overlay;
    const bool eraser = tool == ToolEraser || tool == ToolColourEraser;
    const bool shape = tool >= ToolLine && tool <= ToolFilledRectangle;
    if (eraser) {
        w.lblKol_Click(3);
        DrawRectangleTool(e, {0, 0}, {31, 31}, true);
        e.picMini.setPixel(0, 0, PaletteColors[1]);
        e.picMini.setPixel(2, 2, PaletteColors[1]);
    }
    w.lblKol_Click(1);
    w.SelectTool(tool);
    w.mnuRysowanieKlawiaturą->trigger();
    bool marked = false;
    for (const QString& k : keys.split(QLatin1Char(' '))) {
        press(k == "D" ? Qt::Key_Down : k == "R" ? Qt::Key_Right : Qt::Key_Space);
        marked = shape && (k == "_" ? !marked : marked);
        // A marked start shows the preview up to the cursor; the eraser's
        // outline follows the cursor.
        const Cell at = w.keyboardDrawing().cell();
        const PreviewLine& corner = o.Linia[tool == ToolLine ? 0 : 2]; // ends at the cursor
        QCOMPARE(corner.visible, marked);
        if (marked)
            QCOMPARE(QPoint(corner.x2, corner.y2), CentreOf(at.x, at.y));
        QCOMPARE(o.GumkaVisible, eraser);
        if (eraser)
            QCOMPARE(o.GumkaCell, at);
    }
    QCOMPARE(Rows(e.picMini, 0, 0, 8, 6), Rows(expected.split(QLatin1Char(' '))));
}

void TestEditing::keyboardChoosesToolsAndColours()
{
    frmMain& w = *w_;
    Editor& e = w.editor();
    w.mnuRysowanieKlawiaturą->trigger();
    Click(w.picIkona, CentreOf(9, 9)); // drawn after the last snapshot
    for (int tool = 0; tool < 8; ++tool) {
        if (tool == ToolText)
            continue; // its dialog: below
        press(Qt::Key_1 + tool);
        QCOMPARE(int(e.CurrentTool), tool);
        QCOMPARE(w.Toolbar[tool]->backColour(), QColor(255, 128, 255));
    }
    QCOMPARE(CellsOf(e.Undo1, 0), QStringLiteral("9,9")); // each key took the snapshot
    QCOMPARE(descriptions_.last(), QStringLiteral("Narzędzie: Gumka do kolorów"));
    // The text tool opens its dialog and comes back to the tool before.
    WhenModal([](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
    press(Qt::Key_5);
    QCOMPARE(int(e.CurrentTool), int(ToolColourEraser));
    press(Qt::Key_6);
    QCOMPARE(descriptions_.last(), QStringLiteral("Narzędzie: Puste"));

    press(Qt::Key_BracketLeft);
    QCOMPARE(int(e.CurrentColor), 15);
    QVERIFY(w.lblKol[15]->hasPicture() && !w.lblKol[0]->hasPicture());
    QCOMPARE(descriptions_.last(), QStringLiteral("Kolor: szary"));
    press(Qt::Key_BracketRight);
    press(Qt::Key_BracketRight);
    QCOMPARE(int(e.CurrentColor), 1);
    QCOMPARE(descriptions_.last(), QStringLiteral("Kolor: czerwony"));
    // A held key acts once.
    QTest::keyEvent(QTest::Press, w.picIkona, Qt::Key_BracketRight, {});
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_BracketRight, {}, QStringLiteral("]"), true);
    QApplication::sendEvent(w.picIkona, &repeat);
    QCOMPARE(int(e.CurrentColor), 2);
}

void TestEditing::keyboardFillAndPick()
{
    frmMain& w = *w_;
    Editor& e = w.editor();
    w.lblKol_Click(1);
    DrawRectangleTool(e, {0, 0}, {4, 4}, false);
    w.lblKol_Click(2);
    w.mnuRysowanieKlawiaturą->trigger();
    press(Qt::Key_Right, {}, 2);
    press(Qt::Key_Down, {}, 2);
    w.mnuWypełnij->trigger();
    ChangeLog log(e.picMini);
    press(Qt::Key_Space);
    QCOMPARE(log.changes, QStringList({"Fill"}));
    QCOMPARE(CellsOf(e.picMini, 2), QStringLiteral("1,1 2,1 3,1 1,2 2,2 3,2 1,3 2,3 3,3"));
    QCOMPARE(descriptions_.last(), QStringLiteral("3, 3: zielony"));
    press(Qt::Key_Left, {}, 2);
    w.mnuPobierzKolor->trigger();
    press(Qt::Key_Space);
    QCOMPARE(int(e.CurrentColor), 1);
    QCOMPARE(log.changes.size(), 1); // the pick drew nothing
    // Shift+Space in fill mode: the colour everywhere.
    w.mnuWypełnij->trigger();
    press(Qt::Key_Right, {}, 2);
    press(Qt::Key_Space, Qt::ShiftModifier);
    QCOMPARE(log.changes.last(), QStringLiteral("ReplaceColour"));
    QCOMPARE(CellsOf(e.picMini, 2), QString());
}

void TestEditing::helpModeKeysExplainOnceEntriesAct()
{
    frmMain& w = *w_;
    Editor& e = w.editor();
    w.mnuRysowanieKlawiaturą->trigger();
    w.mnuPomoc2->trigger();
    QCOMPARE(dialogs_->messages.size(), std::size_t(1)); // the help mode notice
    const QString snapshot = Rows(e.Undo1);
    QStringList shown;
    QTimer closer;
    closer.setInterval(10);
    connect(&closer, &QTimer::timeout, [&] {
        if (auto* help = qobject_cast<frmHelp*>(QApplication::activeModalWidget())) {
            shown << help->lblHelp->text();
            QTest::mouseClick(help->Label3, Qt::LeftButton);
        }
    });
    closer.start();
    press(Qt::Key_2);
    press(Qt::Key_BracketRight);
    closer.stop();
    QCOMPARE(shown, QStringList({QString::fromStdString(LongHelpText(LongToolbar, 1)),
                                 QString::fromStdString(LongHelpText(LongPalette, 1))}));
    QCOMPARE(int(e.CurrentTool), int(ToolPencil));
    QCOMPARE(int(e.CurrentColor), 0);
    QCOMPARE(Rows(e.Undo1), snapshot);
    QVERIFY(!descriptions_.last().startsWith(QStringLiteral("Narzędzie")));
    // The canvas ignores help mode: Space draws, and the entries act.
    press(Qt::Key_Space);
    QCOMPARE(CellsOf(e.picMini, 0), QStringLiteral("0,0"));
    w.mnuObróćPrawo->trigger();
    QCOMPARE(CellsOf(e.picMini, 0), QStringLiteral("31,0"));
    QCOMPARE(w.picIkona->accessibleDescription(), QStringLiteral("1, 1: morski"));
}

void TestEditing::uncheckingRestoresTheCanvas()
{
    frmMain& w = *w_;
    Editor& e = w.editor();
    CanvasOverlay& o = w.canvasTools().overlay;
    w.picIkona->setAccessibleDescription(QStringLiteral("Płótno"));
    // Off, as at every start: the arrows and Space change nothing.
    const QString namiary = w.Namiary->text();
    press(Qt::Key_Down);
    press(Qt::Key_Space);
    press(Qt::Key_2);
    QCOMPARE(w.Namiary->text(), namiary);
    QCOMPARE(CellsOf(e.picMini, 0), QString());
    QCOMPARE(int(e.CurrentTool), int(ToolPencil));
    QVERIFY(!o.KeyCursorVisible);

    w.SelectTool(ToolLine);
    w.mnuRysowanieKlawiaturą->trigger();
    press(Qt::Key_Space); // a start marked, its preview shown
    press(Qt::Key_Right, {}, 2);
    QVERIFY(o.Linia[0].visible);
    w.mnuRysowanieKlawiaturą->trigger();
    QVERIFY(!w.keyboardDrawing().active());
    QVERIFY(!o.KeyCursorVisible);
    QVERIFY(!o.Linia[0].visible);
    QCOMPARE(w.picIkona->accessibleDescription(), QStringLiteral("Płótno"));
    press(Qt::Key_Left);
    press(Qt::Key_Space);
    QCOMPARE(CellsOf(e.picMini, 0), QString());
    // On again: the cursor starts at the first cell, no start left marked.
    w.mnuRysowanieKlawiaturą->trigger();
    QCOMPARE(o.KeyCursorCell, (Cell{0, 0}));
    QVERIFY(!w.keyboardDrawing().startMarked());
}

QTEST_MAIN(TestEditing)
#include "test_editing.moc"

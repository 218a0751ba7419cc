// The Obraz menu in the main window: its place and entries, mirrors and turns
// with undo, fill and colour pick under the mouse, and how their modes end.
#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QtTest>

#include "core/Undo.h"
#include "support/MainWindowFixture.h"
#include "support/TestSupport.h"
#include "tools/Shapes.h"
#include "ui/CanvasView.h"
#include "ui/Label.h"
#include "ui/PictureButton.h"
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

private:
    void press(int key, Qt::KeyboardModifiers mods = {})
    {
        QTest::keyClick(w_->picIkona, Qt::Key(key), mods);
    }
    MainWindowFixture main_;
    ScriptedDialogs* dialogs_ = nullptr;
    frmMain* w_ = nullptr;
};

void TestEditing::init()
{
    QVERIFY(main_.start(true));
    dialogs_ = main_.dialogs;
    w_ = main_.window;
}

void TestEditing::cleanup()
{
    main_.stop();
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

QTEST_MAIN(TestEditing)
#include "test_editing.moc"

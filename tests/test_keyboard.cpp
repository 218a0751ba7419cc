// Drawing by keyboard in the main window: the cell cursor, Space with every
// tool, tools and colours by key, fill and pick at the cursor, the keys in
// help mode, what the canvas tells a screen reader, and the mode switched off.
#include <QAction>
#include <QApplication>
#include <QtTest>

#include "support/MainWindowFixture.h"
#include "support/TestSupport.h"
#include "tools/Shapes.h"
#include "ui/CanvasView.h"
#include "ui/Label.h"
#include "ui/PictureButton.h"
#include "ui/frmHelp.h"
#include "ui/frmMain.h"

namespace {
QPoint CentreOf(int x, int y) { return {6 * x + 3, 6 * y + 3}; }
} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

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
    MainWindowFixture main_;
    ScriptedDialogs* dialogs_ = nullptr;
    frmMain* w_ = nullptr;
    QStringList descriptions_;
};

void TestKeyboard::init()
{
    QVERIFY(main_.start(true));
    dialogs_ = main_.dialogs;
    w_ = main_.window;
    descriptions_.clear();
}

void TestKeyboard::cleanup()
{
    main_.stop();
}

void TestKeyboard::keyboardCursorMovesAndTellsWhereItIs()
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

void TestKeyboard::keyboardDrawsWithEachTool_data()
{
    QTest::addColumn<int>("tool");
    QTest::addColumn<QString>("keys");     // D, R: Down, Right; _: Space; E: Escape
    QTest::addColumn<QString>("expected"); // cells 0..7 by 0..5 afterwards
    const QString rectangle = QStringLiteral("D R _ R R R D D _");
    // Red drawing colour; the erasers on a blue picture with red at (0, 0) and (2, 2).
    QTest::newRow("pencil") << int(ToolPencil) << rectangle
                            << "bbbbbbbb b1bbbbbb bbbbbbbb bbbb1bbb bbbbbbbb bbbbbbbb";
    QTest::newRow("line") << int(ToolLine) << "D R _ R R R _"
                          << "bbbbbbbb b1111bbb bbbbbbbb bbbbbbbb bbbbbbbb bbbbbbbb";
    // Escape takes a marked start back; the next Space marks a new one.
    QTest::newRow("line, start taken back") << int(ToolLine) << "D R _ R R E R _ R _"
                                            << "bbbbbbbb bbbb11bb bbbbbbbb bbbbbbbb bbbbbbbb bbbbbbbb";
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

void TestKeyboard::keyboardDrawsWithEachTool()
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
        press(k == "D" ? Qt::Key_Down : k == "R" ? Qt::Key_Right : k == "E" ? Qt::Key_Escape : Qt::Key_Space);
        marked = shape && (k == "_" ? !marked : k == "E" ? false : marked);
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

void TestKeyboard::keyboardChoosesToolsAndColours()
{
    frmMain& w = *w_;
    Editor& e = w.editor();
    w.mnuRysowanieKlawiaturą->trigger();
    QTest::mouseClick(w.picIkona, Qt::LeftButton, {}, CentreOf(9, 9)); // after the last snapshot
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

void TestKeyboard::keyboardFillAndPick()
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

void TestKeyboard::helpModeKeysExplainOnceEntriesAct()
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

void TestKeyboard::uncheckingRestoresTheCanvas()
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

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"

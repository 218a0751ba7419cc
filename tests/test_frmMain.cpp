// The main window under the offscreen platform: what it paints, and the
// handlers of the colour buttons, undo and the transparent-colour menu.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

#include "core/Procedury.h"
#include "support/TestSupport.h"
#include "ui/PictureButton.h"
#include "qt/QtColour.h"
#include "qt/SurfaceView.h"
#include "ui/frmMain.h"

class TestFrmMain : public QObject {
    Q_OBJECT
private slots:
    void startsWithCyanCanvasAndPalette();
    void colourButtonsMoveTheMarker();
    void transparentMenuHasEighteenEntriesAndOneCheck();
    void undoFromTheMenuRepaintsTheCanvas();
};

static QColor PixelOf(QWidget* w, int x, int y)
{
    return w->grab().toImage().pixelColor(x, y);
}

void TestFrmMain::startsWithCyanCanvasAndPalette()
{
    ScriptedDialogs dialogs;
    frmMain w(dialogs);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.windowTitle(), QStringLiteral("Pikselar"));
    QCOMPARE(w.centralWidget()->size(), QSize(296, 311));
    QCOMPARE(w.picIkona->geometry(), QRect(8, 24, 192, 192));
    QCOMPARE(w.picMini->geometry(), QRect(208, 8, 32, 32));
    QCOMPARE(w.picEXE->geometry(), QRect(248, 8, 16, 16));

    const QImage canvas = w.picIkona->grab().toImage();
    for (int y = 0; y < 192; y += 7)
        for (int x = 0; x < 192; x += 7)
            QCOMPARE(canvas.pixelColor(x, y), QColor(0, 255, 255));
    QCOMPARE(PixelOf(w.picMini, 31, 31), QColor(0, 255, 255));
    QCOMPARE(PixelOf(w.picEXE, 0, 15), QColor(0, 255, 255));

    for (int i = 0; i < PaletteSize; ++i) {
        QCOMPARE(w.lblKol[i]->geometry(), QRect(8 + 24 * (i % 8), i < 8 ? 224 : 248, 25, 25));
        // A corner inside the edge and away from the marker.
        QCOMPARE(PixelOf(w.lblKol[i], 2, 2), ToQColor(PaletteColors[i]));
    }
    QVERIFY(w.lblKol[0]->hasPicture());
    for (int i = 1; i < PaletteSize; ++i)
        QVERIFY(!w.lblKol[i]->hasPicture());
}

void TestFrmMain::colourButtonsMoveTheMarker()
{
    ScriptedDialogs dialogs;
    frmMain w(dialogs);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::mouseClick(w.lblKol[3], Qt::LeftButton);
    QCOMPARE(w.editor().CurrentColor, 3);
    QVERIFY(w.lblKol[3]->hasPicture());
    QVERIFY(!w.lblKol[0]->hasPicture());
    QTest::mouseClick(w.lblKol[9], Qt::RightButton); // right button selects too
    QCOMPARE(w.editor().CurrentColor, 9);
    QVERIFY(!w.lblKol[3]->hasPicture());
    QTest::mouseClick(w.lblKol[9], Qt::LeftButton); // already selected: unchanged
    QCOMPARE(w.editor().CurrentColor, 9);
    QVERIFY(w.lblKol[9]->hasPicture());
}

void TestFrmMain::transparentMenuHasEighteenEntriesAndOneCheck()
{
    ScriptedDialogs dialogs;
    frmMain w(dialogs);
    const QList<QAction*> entries = w.mnuKolorP->actions();
    QCOMPARE(entries.size(), 18);
    QCOMPARE(entries[0]->text(), QStringLiteral("czarny"));
    QCOMPARE(entries[11]->text(), QStringLiteral("morski"));
    QCOMPARE(entries[10]->text(), QStringLiteral("żółty"));
    QVERIFY(entries[16]->isSeparator());
    QCOMPARE(entries[17]->text(), QStringLiteral("brak"));
    QVERIFY(entries[11]->isChecked());
    QCOMPARE(w.editor().TransparentIndex, 11);

    entries[17]->trigger();
    QCOMPARE(w.editor().TransparentIndex, 17);
    entries[17]->trigger(); // choosing the checked entry keeps it
    QVERIFY(entries[17]->isChecked());
    w.prz_Click(4);
    int checked = 0;
    for (QAction* a : entries)
        checked += a->isChecked();
    QCOMPARE(checked, 1);
    QVERIFY(entries[4]->isChecked());
    QCOMPARE(w.editor().TransparentIndex, 4);
    // Choosing a colour changes nothing on screen.
    QCOMPARE(w.editor().picMini.pixel(0, 0), PaletteColors[11]);

    QCOMPARE(w.mnuEdycja->title(), QStringLiteral("&Edycja"));
    QCOMPARE(w.mnuCofnij->text(), QStringLiteral("&Cofnij"));
    QCOMPARE(w.mnuCofnij->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    QCOMPARE(w.mnuKolorP->title(), QStringLiteral("&Kolor przeźroczysty"));
}

void TestFrmMain::undoFromTheMenuRepaintsTheCanvas()
{
    ScriptedDialogs dialogs;
    frmMain w(dialogs);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    Editor& e = w.editor();
    e.CurrentColor = 1;
    PaintCell(e, 2, 2);
    QTRY_COMPARE(PixelOf(w.picIkona, 14, 14), QColor(255, 0, 0));
    w.mnuCofnij->trigger();
    QTRY_COMPARE(PixelOf(w.picIkona, 14, 14), QColor(0, 255, 255));
    QCOMPARE(PixelOf(w.picEXE, 1, 1), QColor(0, 255, 255));
    w.mnuCofnij->trigger();
    QTRY_COMPARE(PixelOf(w.picIkona, 14, 14), QColor(255, 0, 0));
    QCOMPARE(PixelOf(w.picMini, 2, 2), QColor(255, 0, 0));
    QCOMPARE(PixelOf(w.picEXE, 1, 1), QColor(255, 0, 0));
}

QTEST_MAIN(TestFrmMain)
#include "test_frmMain.moc"

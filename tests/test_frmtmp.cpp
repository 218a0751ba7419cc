// The placement window: the frame's arithmetic, the caption, the window's
// controls, and whole placements driven through its modal showing.
#include <QLabel>
#include <QTimer>
#include <QtTest>

#include "core/Procedury.h"
#include "support/TestSupport.h"
#include "transfer/Outline.h"
#include "transfer/Placement.h"
#include "transfer/frmtmp.h"
#include "ui/PictureButton.h"
#include "qt/QtColour.h"
#include "qt/SurfaceView.h"
#include "ui/frmMain.h"

class TestFrmtmp : public QObject {
    Q_OBJECT
private slots:
    void followPointer_data();
    void followPointer();
    void windowControlsAndBlinking();
    void madeOnFirstUseWithoutBlinkingAfterStartUp();
    void captionChangesOnlyWhenTheFrameMoves();
    void pointerPositionIsRoundedDown();
    void activationStepsRunWhenShownNotOnReturn();
    void clickPlacesExactColoursAndHides();
    void frameStaysBetweenUsesAndOutsideIsGrey();
    void transparentAreasArePlacedAsGrey();
    void closingPlacesNothing();
};

void TestFrmtmp::followPointer_data()
{
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QPoint>("frame");
    const QSize wide(100, 80);
    QTest::newRow("x 70: snapped to the right edge") << QPoint(70, 40) << wide << QPoint(68, 24);
    QTest::newRow("x 60: centred") << QPoint(60, 40) << wide << QPoint(44, 24);
    QTest::newRow("x 68: 68 + 32 = 100 is not beyond") << QPoint(68, 40) << wide << QPoint(52, 24);
    QTest::newRow("top-left corner") << QPoint(0, 0) << wide << QPoint(0, 0);
    QTest::newRow("near top-left, kept inside") << QPoint(10, 5) << wide << QPoint(0, 0);
    QTest::newRow("y 50 of 80: snapped to the bottom") << QPoint(40, 50) << wide << QPoint(24, 48);
    QTest::newRow("bottom-right corner") << QPoint(99, 79) << wide << QPoint(68, 48);
    // Narrower than the frame: the snap comes last and goes negative.
    QTest::newRow("20 high picture") << QPoint(50, 5) << QSize(100, 20) << QPoint(34, -12);
    QTest::newRow("exactly 32 x 32") << QPoint(16, 16) << QSize(32, 32) << QPoint(0, 0);
}

void TestFrmtmp::followPointer()
{
    QFETCH(QPoint, pointer);
    QFETCH(QSize, picture);
    QFETCH(QPoint, frame);
    const FramePosition p = FollowPointer(pointer.x(), pointer.y(), picture.width(), picture.height());
    QCOMPARE(QPoint(p.left, p.top), frame);
}

namespace {
// A main window after start-up, with a picture in the staging surface.
struct Placement {
    ScriptedDialogs dialogs;
    frmMain w{dialogs};
    frmtmp& tmp() { return *w.tmp; }
    Editor& e() { return w.editor(); }

    // Every pixel a colour of no palette, different everywhere.
    void putPicture(int width, int height)
    {
        Surface source(width, height, PaletteColors[15]);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                source.setPixel(x, y, Rgb(std::uint8_t(x), std::uint8_t(y), 77));
        e().pic.assign(source, true);
        e().FragmentPrompt = "Wybierz fragment pliku, który chcesz zaimportować";
    }
    // Shows the window; `inside` runs once it is up.
    void show(std::function<void(frmtmp&)> inside)
    {
        WhenModal([this, inside](QWidget*) { inside(tmp()); });
        tmp().ShowModal();
    }
};

// A real move event: QTest::mouseMove takes (0, 0) for "the centre".
void Move(frmtmp& t, QPoint p)
{
    QMouseEvent move(QEvent::MouseMove, p, t.pic->mapToGlobal(p), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(t.pic, &move);
}

void Click(frmtmp& t, QPoint p)
{
    QTest::mouseClick(t.pic, Qt::LeftButton, {}, p);
}

// The image must hold the 32 x 32 source pixels from (left, top), the
// surface's back colour where the source has none.
QString CheckPlaced(const Editor& e, const Surface& source, int left, int top)
{
    for (int dy = 0; dy < ImageSize; ++dy)
        for (int dx = 0; dx < ImageSize; ++dx) {
            const Colour want = source.contains(left + dx, top + dy) ? source.pixel(left + dx, top + dy)
                                                                    : PaletteColors[15];
            if (e.picMini.pixel(dx, dy) != want)
                return QStringLiteral("image pixel (%1,%2)").arg(dx).arg(dy);
        }
    return {};
}
} // namespace

void TestFrmtmp::windowControlsAndBlinking()
{
    Placement p;
    frmtmp& t = p.tmp();
    QCOMPARE(t.windowTitle(), QStringLiteral("Wklej"));
    // The client area keeps its size; the choice buttons sit above it.
    QCOMPARE(t.client->size(), QSize(586, 345));
    QCOMPARE(t.size(), QSize(586, 345 + t.choiceBar->height()));
    QVERIFY(!(t.windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(t.Timer1->isActive()); // blinking from creation until start-up ends
    QTRY_VERIFY(!t.Timer1->isActive());
    QCOMPARE(t.Timer1->interval(), 300);
    QCOMPARE(t.Shape1->colour(), Rgb(0, 0, 255));
    t.Timer1_Timer();
    QCOMPARE(t.Shape1->colour(), Rgb(0, 0, 0xC0));
    t.Timer1_Timer();
    QCOMPARE(t.Shape1->colour(), Rgb(255, 255, 0));
    t.Timer1_Timer();
    QCOMPARE(t.Shape1->colour(), Rgb(0, 0, 0xC0));

    p.putPicture(120, 70);
    p.show([&](frmtmp& t) {
        QVERIFY(t.isVisible());
        QVERIFY(t.Timer1->isActive());
        QCOMPARE(t.Label1->text(), QStringLiteral("Wybierz fragment pliku, który chcesz zaimportować"));
        QCOMPARE(t.Label1->geometry(), QRect(8, 8, 583, 13));
        QCOMPARE(t.pic->geometry(), QRect(8, 24, 120, 70));
        QCOMPARE(t.Ramka->geometry(), QRect(7, 23, 122, 72));
        QCOMPARE(t.Shape1->size(), QSize(32, 32));
        // The window's own background is colour 15.
        QCOMPARE(t.grab().toImage().pixelColor(300, 200), ToQColor(PaletteColors[15]));
        Click(t, QPoint(1, 1));
    });
    QVERIFY(!p.tmp().isVisible());
    QVERIFY(!p.tmp().Timer1->isActive());
}

void TestFrmtmp::madeOnFirstUseWithoutBlinkingAfterStartUp()
{
    Placement p;
    QVERIFY(!p.w.tmp.ifMade());
    // The palette's marker does not need the window.
    QVERIFY(p.w.lblKol[0]->hasPicture());
    QTRY_VERIFY(p.w.StartUpEnded);
    QVERIFY(!p.w.tmp.ifMade());
    QVERIFY(!p.tmp().Timer1->isActive());
    QCOMPARE(p.tmp().Shape1->colour(), Rgb(0, 0, 255));
    QCOMPARE(p.w.tmp.ifMade(), &p.tmp());
}

void TestFrmtmp::captionChangesOnlyWhenTheFrameMoves()
{
    Placement p;
    p.putPicture(100, 60);
    QString afterMove, afterClampedMoves, atCorner;
    p.show([&](frmtmp& t) {
        Move(t, QPoint(60, 20));
        afterMove = t.windowTitle();
        // Within the clamped region the frame stands still: nothing is set.
        t.setWindowTitle(QStringLiteral("marker"));
        Move(t, QPoint(75, 40));
        Move(t, QPoint(90, 45));
        QCOMPARE(t.Shape1->pos(), QPoint(68, 28));
        t.setWindowTitle(QStringLiteral("marker"));
        Move(t, QPoint(80, 50));
        afterClampedMoves = t.windowTitle();
        Move(t, QPoint(0, 0));
        atCorner = t.windowTitle();
        t.reject();
    });
    QCOMPARE(afterMove, QStringLiteral("Wklej [44,4]"));
    QCOMPARE(afterClampedMoves, QStringLiteral("marker"));
    QCOMPARE(atCorner, QStringLiteral("Wklej [0,0]"));
    QCOMPARE(p.tmp().Shape1->pos(), QPoint(0, 0));
}

void TestFrmtmp::pointerPositionIsRoundedDown()
{
    // At a fractional scale Qt gives the widget a rounded position and keeps
    // the fraction in the window's: (16.6, 16.6) lies in pixel (16, 16).
    Placement p;
    p.putPicture(100, 60);
    QPoint frame;
    p.show([&](frmtmp& t) {
        Move(t, QPoint(50, 30));
        const QPointF inPic(16.6, 16.6);
        const QPointF inWindow = inPic + QPointF(t.pic->mapTo(&t, QPoint(0, 0)));
        QMouseEvent move(QEvent::MouseMove, QPointF(17, 17), inWindow, t.pic->mapToGlobal(inPic),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(t.pic, &move);
        frame = t.Shape1->pos();
        t.reject();
    });
    QCOMPARE(frame, QPoint(0, 0));
}

void TestFrmtmp::activationStepsRunWhenShownNotOnReturn()
{
    Placement p;
    p.putPicture(100, 60);
    QString onReturn, afterOwnWindow;
    p.show([&](frmtmp& t) {
        p.e().FragmentPrompt = "inny";
        // Back from another program: activated again, nothing rerun.
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&t, &activate);
        onReturn = t.Label1->text();
        // A modal window of the program over it, then closed: its steps run.
        QDialog over(&t);
        over.setModal(true);
        over.show();
        over.hide();
        afterOwnWindow = t.Label1->text();
        t.reject();
    });
    QCOMPARE(onReturn, QStringLiteral("Wybierz fragment pliku, który chcesz zaimportować"));
    QCOMPARE(afterOwnWindow, QStringLiteral("inny"));
}

void TestFrmtmp::clickPlacesExactColoursAndHides()
{
    Placement p;
    p.putPicture(100, 60);
    const Surface source = p.e().pic;
    p.tmp().Tag = QStringLiteral("abc"); // a click always ends in picture mode
    p.show([&](frmtmp& t) {
        Move(t, QPoint(70, 20)); // frame (68, 4)
        Click(t, QPoint(70, 20));
    });
    const QString wrong = CheckPlaced(p.e(), source, 68, 4);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    QVERIFY(PaletteIndexOf(p.e().picMini.pixel(0, 0)) < 0); // colours kept exactly
    QVERIFY(p.tmp().Tag.isEmpty());
    QVERIFY(!p.tmp().isVisible());
    // The staging surface is emptied.
    QCOMPARE(Rows(p.e().pic), Rows(QStringList(60, QString(100, QLatin1Char('f')))));
}

void TestFrmtmp::frameStaysBetweenUsesAndOutsideIsGrey()
{
    Placement p;
    p.putPicture(100, 60);
    p.show([&](frmtmp& t) {
        Move(t, QPoint(50, 20)); // frame (34, 4)
        Click(t, QPoint(50, 20));
    });
    QCOMPARE(p.tmp().windowTitle(), QStringLiteral("Wklej [34,4]"));

    // A narrower picture next time; the click comes without any movement,
    // so it copies from where the frame stood. Most of that lies outside.
    p.putPicture(40, 30);
    const Surface source = p.e().pic;
    p.show([&](frmtmp& t) {
        QCOMPARE(t.Shape1->pos(), QPoint(34, 4));
        QCOMPARE(t.windowTitle(), QStringLiteral("Wklej [34,4]"));
        Click(t, QPoint(2, 2));
    });
    const QString wrong = CheckPlaced(p.e(), source, 34, 4);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    QCOMPARE(p.e().picMini.pixel(31, 31), PaletteColors[15]);
    QCOMPARE(p.e().picMini.pixel(0, 0), Rgb(34, 4, 77));
}

void TestFrmtmp::transparentAreasArePlacedAsGrey()
{
    Placement p;
    QImage picture(64, 48, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    for (int y = 0; y < 48; y += 2)
        for (int x = 0; x < 64; ++x)
            picture.setPixelColor(x, y, QColor(255, 0, 0)); // red rows, transparent rows
    p.e().pic.assign(SurfaceFromImage(picture, p.e().pic.backColour()), true);
    p.show([&](frmtmp& t) {
        Move(t, QPoint(16, 16));
        Click(t, QPoint(16, 16));
    });
    QStringList rows;
    for (int y = 0; y < ImageSize; ++y)
        rows << QString(ImageSize, QLatin1Char(y % 2 == 0 ? '1' : 'f'));
    QCOMPARE(Rows(p.e().picMini), Rows(rows));
}

void TestFrmtmp::closingPlacesNothing()
{
    Placement p;
    p.putPicture(100, 60);
    const Surface image = p.e().picMini;
    p.tmp().Tag = QStringLiteral("tekst");
    p.show([&](frmtmp& t) {
        Move(t, QPoint(50, 30));
        t.close(); // as the window system would
    });
    QVERIFY(!p.tmp().isVisible());
    QVERIFY(p.e().picMini.sameContent(image));
    QVERIFY(p.tmp().Tag.isEmpty());
    QVERIFY(!p.tmp().Timer1->isActive());
}

QTEST_MAIN(TestFrmtmp)
#include "test_frmtmp.moc"

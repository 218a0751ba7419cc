// The canvas tools without a window: pointer events in canvas pixels, the
// image they leave, the changes the image announces, and the overlays they
// show.
#include <QtTest>

#include "core/Procedury.h"
#include "core/Transparent.h"
#include "support/TestSupport.h"
#include "tools/CanvasTools.h"
#include "tools/Shapes.h"
#include "tools/Shift.h"

namespace {
Editor Started()
{
    Editor e;
    Zmienne(e);
    SetBackgroundColours(e);
    return e;
}

// The pixel centre of a cell on the canvas.
int At(int cell) { return CellSize * cell + 3; }

// Counts what the overlay tells its view.
struct OverlayCount : OverlayObserver {
    void overlayChanged() override { ++count; }
    int count = 0;
};

// Rows of the image's top-left corner, 'b' being the background colour 11.
QString Corner(const Editor& e, int size = 8) { return Rows(e.picMini, 0, 0, size, size); }
} // namespace

class TestTools : public QObject {
    Q_OBJECT
private slots:
    void pencilPaintsOnMoveAndReleaseOnly();
    void onlyTheLeftButtonAloneDraws_data();
    void onlyTheLeftButtonAloneDraws();
    void shapesFromPressToRelease_data();
    void shapesFromPressToRelease();
    void previewsFollowRawPointerPositions();
    void erasersActOnTheOutlinedBlock_data();
    void erasersActOnTheOutlinedBlock();
    void eraserOutlineFollowsWholeCells();
    void emptyToolNeverChangesTheImage();
    void pencilStrokeIsOneChangeFromPressToRelease();
    void overlayTellsItsViewOnlyOfChanges();
    void shiftsWrapAround_data();
    void shiftsWrapAround();
    void shiftsComposeBackToTheStart();
    void coordinatesTextAndGrid();
};

void TestTools::pencilPaintsOnMoveAndReleaseOnly()
{
    Editor e = Started();
    const Surface blank = e.picMini;
    ChangeLog log(e.picMini);
    CanvasTools t(e);
    e.CurrentColor = 1;
    t.MouseDown(LeftButton, At(5), At(7));
    QCOMPARE(Rows(e.picMini), Rows(Started().picMini)); // pressing alone paints nothing
    t.MouseUp(LeftButton, At(5), At(7));
    QCOMPARE(PaletteIndexOf(e.picMini.pixel(5, 7)), 1);

    // Dragging beyond the right edge keeps painting column 31; rows are not filled in.
    t.MouseDown(LeftButton, At(29), At(0));
    t.MouseMove(LeftButton, At(30), At(0));
    t.MouseMove(LeftButton, 500, At(0));
    t.MouseMove(LeftButton, 500, At(3));
    t.MouseUp(LeftButton, -40, -40); // the release paints the clamped cell (0, 0)
    QCOMPARE(Rows(e.picMini, 26, 0, 6, 4), Rows({"bbbb11", "bbbbbb", "bbbbbb", "bbbbb1"}));
    QCOMPARE(PaletteIndexOf(e.picMini.pixel(0, 0)), 1);
    QCOMPARE(log.changes, QStringList({"Pencil", "Pencil"}));
    QCOMPARE(log.MissedPixels(blank), QString());
}

void TestTools::onlyTheLeftButtonAloneDraws_data()
{
    QTest::addColumn<int>("tool");
    QTest::addColumn<int>("buttons");
    for (int tool : {0, 1, 2, 3, 6, 7})
        for (int buttons : {int(RightButton), int(MiddleButton), LeftButton | RightButton})
            QTest::addRow("tool %d buttons %d", tool, buttons) << tool << buttons;
}

void TestTools::onlyTheLeftButtonAloneDraws()
{
    QFETCH(int, tool);
    QFETCH(int, buttons);
    Editor e = Started();
    e.CurrentColor = 0;
    // A picture for the colour eraser to find.
    e.picMini.fillRect(0, 0, 31, 31, e.DrawingColour());
    const QString before = Rows(e.picMini);
    ChangeLog log(e.picMini);
    CanvasTools t(e);
    e.CurrentTool = std::uint8_t(tool);
    t.MouseMove(buttons, At(2), At(2));
    t.MouseDown(buttons, At(2), At(2));
    t.MouseMove(buttons, At(9), At(9));
    t.MouseUp(buttons, At(9), At(9));
    QCOMPARE(Rows(e.picMini), before);
    QCOMPARE(log.changes, QStringList());
}

void TestTools::shapesFromPressToRelease_data()
{
    QTest::addColumn<int>("tool");
    QTest::addColumn<QPoint>("press");   // canvas pixels
    QTest::addColumn<QPoint>("release"); // canvas pixels
    QTest::addColumn<QString>("corner"); // the image's 8 x 8 corner
    const QPoint a(At(1), At(1)), b(At(5), At(4));
    const QString outline =
        Rows({"bbbbbbbb", "b11111bb", "b1bbb1bb", "b1bbb1bb", "b11111bb", "bbbbbbbb",
              "bbbbbbbb", "bbbbbbbb"});
    const QString filled =
        Rows({"bbbbbbbb", "b11111bb", "b11111bb", "b11111bb", "b11111bb", "bbbbbbbb",
              "bbbbbbbb", "bbbbbbbb"});
    QTest::newRow("outline") << 2 << a << b << outline;
    QTest::newRow("outline, dragged backwards") << 2 << b << a << outline;
    QTest::newRow("filled") << 3 << a << b << filled;
    QTest::newRow("filled, dragged backwards") << 3 << b << a << filled;
    QTest::newRow("one cell") << 3 << a << a
                              << Rows({"bbbbbbbb", "b1bbbbbb", "bbbbbbbb", "bbbbbbbb",
                                       "bbbbbbbb", "bbbbbbbb", "bbbbbbbb", "bbbbbbbb"});
    // The start is clamped into the image; the end is not, so the far edges
    // of an outline released beyond the canvas fall outside.
    QTest::newRow("outline released beyond the top-left")
        << 2 << QPoint(At(3), At(2)) << QPoint(-20, -20)
        << Rows({"bbb1bbbb", "bbb1bbbb", "1111bbbb", "bbbbbbbb", "bbbbbbbb", "bbbbbbbb",
                 "bbbbbbbb", "bbbbbbbb"});
    QTest::newRow("line, slanted") << 1 << QPoint(At(0), At(0)) << QPoint(At(6), At(2))
                                   << Rows({"11bbbbbb", "bb111bbb", "bbbbb11b", "bbbbbbbb",
                                            "bbbbbbbb", "bbbbbbbb", "bbbbbbbb", "bbbbbbbb"});
    QTest::newRow("line released beyond the bottom-right")
        << 1 << QPoint(At(0), At(0)) << QPoint(At(40), At(40))
        << Rows({"1bbbbbbb", "b1bbbbbb", "bb1bbbbb", "bbb1bbbb", "bbbb1bbb", "bbbbb1bb",
                 "bbbbbb1b", "bbbbbbb1"});
    QTest::newRow("line pressed left of the canvas") << 1 << QPoint(-30, At(2)) << QPoint(At(3), At(2))
                                                     << Rows({"bbbbbbbb", "bbbbbbbb", "1111bbbb",
                                                              "bbbbbbbb", "bbbbbbbb", "bbbbbbbb",
                                                              "bbbbbbbb", "bbbbbbbb"});
}

void TestTools::shapesFromPressToRelease()
{
    QFETCH(int, tool);
    QFETCH(QPoint, press);
    QFETCH(QPoint, release);
    QFETCH(QString, corner);
    Editor e = Started();
    const Surface blank = e.picMini;
    ChangeLog log(e.picMini);
    CanvasTools t(e);
    e.CurrentTool = std::uint8_t(tool);
    e.CurrentColor = 1;
    t.MouseDown(LeftButton, press.x(), press.y());
    t.MouseMove(LeftButton, release.x(), release.y());
    QCOMPARE(log.changes, QStringList()); // the previews are not part of the image
    t.MouseUp(LeftButton, release.x(), release.y());
    QCOMPARE(Corner(e), corner);
    const char* cause[] = {"", "Line", "Rectangle", "FilledRectangle"};
    QCOMPARE(log.changes, QStringList(cause[tool]));
    QCOMPARE(log.MissedPixels(blank), QString());
    for (const PreviewLine& l : t.overlay.Linia)
        QVERIFY(!l.visible);
}

void TestTools::previewsFollowRawPointerPositions()
{
    Editor e = Started();
    CanvasTools t(e);
    e.CurrentColor = 3;
    e.CurrentTool = ToolRectangle;
    t.MouseDown(LeftButton, 10, 20);
    for (const PreviewLine& l : t.overlay.Linia) {
        QVERIFY(l.visible);
        QCOMPARE(QRect(l.x1, l.y1, l.x2, l.y2), QRect(10, 20, 10, 20));
        QCOMPARE(l.colour, PaletteColors[3]);
    }
    t.MouseMove(LeftButton, 101, 57);
    auto ends = [&](int i) {
        const PreviewLine& l = t.overlay.Linia[i];
        return QLine(l.x1, l.y1, l.x2, l.y2);
    };
    QCOMPARE(ends(0), QLine(10, 20, 101, 20)); // top
    QCOMPARE(ends(1), QLine(10, 20, 10, 57));  // left
    QCOMPARE(ends(2), QLine(101, 20, 101, 57)); // right
    QCOMPARE(ends(3), QLine(10, 57, 101, 57)); // bottom
    // A release with another button leaves the preview standing.
    t.MouseUp(RightButton, 101, 57);
    QVERIFY(t.overlay.Linia[3].visible);
    QCOMPARE(Rows(e.picMini), Rows(Started().picMini));

    e.CurrentTool = ToolLine;
    t.overlay = {};
    t.MouseDown(LeftButton, 7, 8);
    t.MouseMove(LeftButton, -15, 300);
    QCOMPARE(ends(0), QLine(7, 8, -15, 300));
    QVERIFY(t.overlay.Linia[0].visible);
    QVERIFY(!t.overlay.Linia[1].visible);
}

void TestTools::erasersActOnTheOutlinedBlock_data()
{
    QTest::addColumn<int>("tool");
    QTest::addColumn<int>("transparent"); // checked entry of the menu
    QTest::addColumn<QPoint>("cell");     // where the outline stands
    QTest::addColumn<QString>("corner");  // the image's last 8 x 8 cells or first
    // The image: left half colour 0, right half colour 1; drawing colour 0.
    QTest::newRow("eraser, corner cell")
        << 6 << 11 << QPoint(30, 30)
        << Rows({"00001111", "00001111", "00001111", "00001111", "00001111", "00001111",
                 "000011bb", "000011bb"});
    QTest::newRow("eraser, 'brak' uses colour 11")
        << 6 << 17 << QPoint(30, 30)
        << Rows({"00001111", "00001111", "00001111", "00001111", "00001111", "00001111",
                 "000011bb", "000011bb"});
    QTest::newRow("eraser, transparent colour 8")
        << 6 << 8 << QPoint(26, 26)
        << Rows({"00001111", "00001111", "00888881", "00888881", "00888881", "00888881",
                 "00888881", "00001111"});
    QTest::newRow("colour eraser takes only colour 0")
        << 7 << 11 << QPoint(26, 26)
        << Rows({"00001111", "00001111", "00bb1111", "00bb1111", "00bb1111", "00bb1111",
                 "00bb1111", "00001111"});
    QTest::newRow("colour eraser, 'brak' uses colour 11")
        << 7 << 17 << QPoint(27, 30)
        << Rows({"00001111", "00001111", "00001111", "00001111", "00001111", "00001111",
                 "000b1111", "000b1111"});
}

void TestTools::erasersActOnTheOutlinedBlock()
{
    QFETCH(int, tool);
    QFETCH(int, transparent);
    QFETCH(QPoint, cell);
    QFETCH(QString, corner);
    Editor e = Started();
    e.TransparentIndex = transparent;
    e.picMini.fillRect(0, 0, 27, 31, PaletteColors[0]);
    e.picMini.fillRect(28, 0, 31, 31, PaletteColors[1]);
    const Surface before = e.picMini;
    ChangeLog log(e.picMini);
    CanvasTools t(e);
    e.CurrentTool = std::uint8_t(tool);
    t.MouseMove(0, At(cell.x()), At(cell.y()));
    t.MouseDown(LeftButton, At(cell.x()), At(cell.y()));
    // The outline's place from the last move decides, not the release point.
    t.MouseUp(LeftButton, At(0), At(0));
    QCOMPARE(Rows(e.picMini, 24, 24, 8, 8), corner);
    QCOMPARE(Rows(e.picMini, 0, 0, 24, 24), Rows(Started().picMini, 0, 0, 24, 24).replace('b', '0'));
    QCOMPARE(log.changes, QStringList(tool == ToolEraser ? "Eraser" : "ColourEraser"));
    QCOMPARE(log.MissedPixels(before), QString());
}

void TestTools::eraserOutlineFollowsWholeCells()
{
    Editor e = Started();
    CanvasTools t(e);
    e.CurrentTool = ToolEraser;
    QVERIFY(!t.overlay.GumkaVisible);
    t.MouseMove(RightButton | MiddleButton, 6 * 7 + 5, 6 * 9); // any buttons
    QVERIFY(t.overlay.GumkaVisible);
    QCOMPARE(t.overlay.GumkaCell, (Cell{7, 9}));
    t.MouseMove(0, 1000, -3);
    QCOMPARE(t.overlay.GumkaCell, (Cell{31, 0}));
    t.PointerLeftCanvas();
    QVERIFY(!t.overlay.GumkaVisible);

    // With another tool a canvas move takes the outline away; leaving the
    // canvas leaves it as it is.
    t.MouseMove(0, 50, 50);
    e.CurrentTool = ToolPencil;
    t.PointerLeftCanvas();
    QVERIFY(t.overlay.GumkaVisible);
    t.MouseMove(0, 60, 60);
    QVERIFY(!t.overlay.GumkaVisible);
}

void TestTools::emptyToolNeverChangesTheImage()
{
    Editor e = Started();
    e.CurrentColor = 2;
    CanvasTools t(e);
    for (int tool : {int(ToolText), int(ToolEmpty)}) {
        e.CurrentTool = std::uint8_t(tool);
        for (int buttons : {int(LeftButton), int(RightButton)}) {
            t.MouseMove(buttons, At(4), At(4));
            t.MouseDown(buttons, At(4), At(4));
            t.MouseMove(buttons, At(8), At(9));
            t.MouseUp(buttons, At(8), At(9));
        }
    }
    QCOMPARE(Rows(e.picMini), Rows(Started().picMini));
    QVERIFY(!t.overlay.GumkaVisible);
    for (const PreviewLine& l : t.overlay.Linia)
        QVERIFY(!l.visible);
}

void TestTools::pencilStrokeIsOneChangeFromPressToRelease()
{
    Editor e = Started();
    ChangeLog log(e.picMini);
    e.CurrentColor = 1;
    {
        CanvasTools t(e);
        t.MouseDown(LeftButton, At(1), At(1));
        t.MouseMove(LeftButton, At(2), At(1));
        t.MouseMove(LeftButton, At(3), At(1));
        QCOMPARE(log.changes, QStringList()); // still open
        // Any release ends it, even one that does not draw.
        t.MouseUp(LeftButton | RightButton, At(3), At(1));
        QCOMPARE(log.changes, QStringList("Pencil"));
        QCOMPARE(Rows(e.picMini, 0, 1, 5, 1), Rows({"bb11b"})); // the press paints nothing

        // A drag whose press the canvas missed is a stroke all the same.
        t.MouseMove(LeftButton, At(6), At(6));
        t.MouseMove(LeftButton, At(7), At(6));
        t.MouseUp(LeftButton, At(8), At(6));
        QCOMPARE(log.changes, QStringList({"Pencil", "Pencil"}));

        // A press with nothing drawn yet ends as an empty change; one left
        // open ends with its tools.
        t.MouseDown(LeftButton, At(9), At(9));
        t.MouseUp(RightButton, At(9), At(9));
        t.MouseDown(LeftButton, At(9), At(9));
        t.MouseMove(LeftButton, At(10), At(9));
    }
    QCOMPARE(log.changes, QStringList({"Pencil", "Pencil", "Pencil (none)", "Pencil"}));
}

void TestTools::overlayTellsItsViewOnlyOfChanges()
{
    Editor e = Started();
    CanvasTools t(e);
    OverlayCount view;
    t.overlay.observer = &view;
    e.CurrentTool = ToolEraser;
    t.MouseMove(0, At(4), At(4)); // the outline appears
    QCOMPARE(view.count, 1);
    t.MouseMove(0, At(4) + 1, At(4)); // same cell: nothing to repaint
    QCOMPARE(view.count, 1);
    t.MouseMove(0, At(5), At(4));
    QCOMPARE(view.count, 2);
    t.PointerLeftCanvas();
    QCOMPARE(view.count, 3);

    e.CurrentTool = ToolLine;
    t.MouseDown(LeftButton, 10, 10); // the preview appears
    t.MouseMove(LeftButton, 20, 10);
    t.MouseMove(LeftButton, 20, 10);
    t.MouseUp(LeftButton, 20, 10); // and goes
    QCOMPARE(view.count, 6);

    e.CurrentTool = ToolPencil; // the pencil changes the image only
    t.MouseDown(LeftButton, 30, 30);
    t.MouseMove(LeftButton, 40, 30);
    t.MouseUp(LeftButton, 40, 30);
    QCOMPARE(view.count, 6);
}

void TestTools::shiftsWrapAround_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<QPoint>("to"); // where the pixel at (0, 0) goes
    QTest::newRow("up") << int(ShiftUp) << QPoint(0, 31);
    QTest::newRow("left") << int(ShiftLeft) << QPoint(31, 0);
    QTest::newRow("down") << int(ShiftDown) << QPoint(0, 1);
    QTest::newRow("right") << int(ShiftRight) << QPoint(1, 0);
}

void TestTools::shiftsWrapAround()
{
    QFETCH(int, direction);
    QFETCH(QPoint, to);
    Editor e = Started();
    e.picMini.setPixel(0, 0, PaletteColors[1]);
    // A colour outside the palette moves as it is.
    e.picMini.setPixel(5, 5, Rgb(1, 2, 3));
    const Surface before = e.picMini;
    ChangeLog log(e.picMini);
    ShiftImage(e, direction);
    QCOMPARE(PaletteIndexOf(e.picMini.pixel(to.x(), to.y())), 1);
    const QPoint other = QPoint(5, 5) + to; // (0, 0) moved by the same step
    QCOMPARE(e.picMini.pixel(other.x() % 32, other.y() % 32), Rgb(1, 2, 3));
    int coloured = 0;
    for (int y = 0; y < ImageSize; ++y)
        for (int x = 0; x < ImageSize; ++x)
            coloured += e.picMini.pixel(x, y) != PaletteColors[11];
    QCOMPARE(coloured, 2);
    QCOMPARE(log.changes, QStringList("Shift"));
    QCOMPARE(log.MissedPixels(before), QString());
}

void TestTools::shiftsComposeBackToTheStart()
{
    Editor e = Started();
    for (int i = 0; i < ImageSize; ++i)
        e.picMini.setPixel(i, (i * 7) % 32, PaletteColors[i % 16]);
    e.picMini.fillRect(3, 20, 9, 26, PaletteColors[4]);
    const QString start = Rows(e.picMini);
    for (int d : {int(ShiftUp), int(ShiftLeft), int(ShiftDown), int(ShiftRight)}) {
        for (int i = 0; i < ImageSize; ++i)
            ShiftImage(e, d);
        QCOMPARE(Rows(e.picMini), start);
    }
    ShiftImage(e, ShiftUp);
    QVERIFY(Rows(e.picMini) != start);
    ShiftImage(e, ShiftDown);
    ShiftImage(e, ShiftLeft);
    ShiftImage(e, ShiftRight);
    QCOMPARE(Rows(e.picMini), start);
    ShiftImage(e, 4); // not a direction
    QCOMPARE(Rows(e.picMini), start);
}

void TestTools::coordinatesTextAndGrid()
{
    QCOMPARE(NamiaryText(CellFromPoint(0, 0)), std::string("1, 1"));
    QCOMPARE(NamiaryText(CellFromPoint(191, 0)), std::string("32, 1"));
    QCOMPARE(NamiaryText(CellFromPoint(900, 900)), std::string("32, 32"));
    QCOMPARE(NamiaryText(CellFromPoint(-9, 40)), std::string("1, 7"));
    CanvasOverlay o;
    PlaceGrid(o);
    PlaceGrid(o); // placing twice changes nothing
    QCOMPARE(o.SiatkaNS.front(), 6);
    QCOMPARE(o.SiatkaNS.back(), 186);
    for (int i = 1; i < GridLines; ++i) {
        QCOMPARE(o.SiatkaNS[i] - o.SiatkaNS[i - 1], CellSize);
        QCOMPARE(o.SiatkaWE[i], o.SiatkaNS[i]);
    }
    QVERIFY(!o.GridVisible);
}

QTEST_GUILESS_MAIN(TestTools)
#include "test_tools.moc"

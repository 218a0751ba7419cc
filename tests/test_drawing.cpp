// The main window as the user drives it: tool and arrow buttons, the canvas
// under real mouse and key events, view options, layout, size rule, and the
// canvas rendered at fractional scales.
#include <QAction>
#include <QDialog>
#include <QtTest>

#include "core/Procedury.h"
#include "qt/QtColour.h"
#include "support/MainWindowFixture.h"
#include "support/TestSupport.h"
#include "ui/CanvasView.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/PictureButton.h"
#include "qt/QtColour.h"
#include "ui/frmMain.h"

namespace {
QPoint CentreOf(int x, int y) { return {6 * x + 3, 6 * y + 3}; }

void Press(QWidget* w, QPoint at, Qt::MouseButton b = Qt::LeftButton)
{
    QTest::mousePress(w, b, {}, at);
}
void Release(QWidget* w, QPoint at, Qt::MouseButton b = Qt::LeftButton)
{
    QTest::mouseRelease(w, b, {}, at);
}
// A move with the left button held, as QTest cannot say which buttons are down.
void DragTo(QWidget* w, QPoint at, Qt::MouseButtons held = Qt::LeftButton)
{
    QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, held, {});
    QApplication::sendEvent(w, &move);
}

bool Highlighted(const PictureButton* b, const Editor& e)
{
    return b->backColour() == ToQColor(e.ToolHighlightColor);
}

QString HighlightedTools(const frmMain& w, const Editor& e)
{
    QString s;
    for (int i = 0; i < 8; ++i)
        if (Highlighted(w.Toolbar[i], e))
            s += QString::number(i);
    return s;
}
} // namespace

class TestDrawing : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void layoutMatchesTheWindowDescription();
    void toolButtonsHighlightAndSnapshot();
    void textToolReturnsToThePreviousTool();
    void helpModeOnlyExplains();
    void mouseOnTheCanvasDrawsAndShowsTheCell();
    void eraserOutlineHidesOverTheBackground();
    void ctrlArrowsShiftOnlyWithExactlyCtrl_data();
    void ctrlArrowsShiftOnlyWithExactlyCtrl();
    void ctrlCountsWhileTheArrowIsDown();
    void viewOptionsInEitherOrder();
    void gridIsDrawnOnCellBorders();
    void sizeRuleKeepsTheRecordedSize();
    void canvasStaysSharpAtFractionalScales_data();
    void canvasStaysSharpAtFractionalScales();

private:
    MainWindowFixture main_;
    ScriptedDialogs* dialogs_ = nullptr;
    frmMain* w_ = nullptr;
};

void TestDrawing::init()
{
    QVERIFY(main_.start(false));
    dialogs_ = main_.dialogs;
    w_ = main_.window;
}

void TestDrawing::cleanup()
{
    main_.stop();
}

void TestDrawing::layoutMatchesTheWindowDescription()
{
    frmMain& w = *w_;
    QCOMPARE(w.centralWidget()->size(), QSize(296, 311));
    QCOMPARE(w.Shape2->geometry(), QRect(7, 23, 194, 194));
    QCOMPARE(w.Shape6->geometry(), QRect(7, 6, 194, 19));
    QCOMPARE(w.Shape3->geometry(), QRect(207, 7, 34, 34));
    QCOMPARE(w.Shape4->geometry(), QRect(247, 7, 18, 18));
    QCOMPARE(w.Namiary->geometry(), QRect(12, 8, 49, 13));
    QCOMPARE(w.Namiary->text(), QStringLiteral("?, ?"));
    QCOMPARE(w.lblHelp->geometry(), QRect(4, 288, 289, 17));
    QCOMPARE(w.lblHelp->text(), QStringLiteral("Pasek pomocy"));
    for (int k = 0; k < 4; ++k) {
        QCOMPARE(w.Toolbar[2 * k]->geometry(), QRect(224, 56 + 24 * k, 25, 25));
        QCOMPARE(w.Toolbar[2 * k + 1]->geometry(), QRect(248, 56 + 24 * k, 25, 25));
    }
    QCOMPARE(w.cmdKey[0]->geometry(), QRect(240, 224, 25, 25));
    QCOMPARE(w.cmdKey[1]->geometry(), QRect(216, 248, 25, 25));
    QCOMPARE(w.cmdKey[2]->geometry(), QRect(240, 248, 25, 25));
    QCOMPARE(w.cmdKey[3]->geometry(), QRect(264, 248, 25, 25));
    QCOMPARE(HighlightedTools(w, w.editor()), QStringLiteral("0"));
    QVERIFY(w.picIkona->hasFocus());
    // The canvas lies above its frame and the coordinates strip's frame.
    QCOMPARE(w.picIkona->grab().toImage().pixelColor(50, 0), QColor(0, 255, 255));

    // Every view entry, checked as at load, with its caption and shortcut.
    struct Entry {
        QAction* a;
        const char* caption;
        const char* shortcut;
        bool checked;
    };
    for (const Entry& x : {Entry{w.mnuPozycjaM, "&Pokazuj pozycję myszy", "Ctrl+M", true},
                           Entry{w.mnuRamki, "Pokazuj &ramki", "Ctrl+R", true},
                           Entry{w.mnuPokazuj1, "Pokazuj podgląd &ikony", "", true},
                           Entry{w.mnuPokazuj2, "Pokazuj &miniaturkę ikony", "", true},
                           Entry{w.mnuPokażSiatkę, "Pokaż &siatkę", "Ctrl+G", false}}) {
        QCOMPARE(x.a->text(), QString::fromUtf8(x.caption));
        QCOMPARE(x.a->shortcut(), QKeySequence(QString::fromUtf8(x.shortcut)));
        QCOMPARE(x.a->isChecked(), x.checked);
        QVERIFY(x.a->isVisible());
    }
}

void TestDrawing::toolButtonsHighlightAndSnapshot()
{
    frmMain& w = *w_;
    Editor& e = w.editor();
    QVERIFY(!w.Toolbar[3]->backColour()); // never selected: the standard colour

    e.picMini.setPixel(1, 1, PaletteColors[2]);
    QTest::mouseClick(w.Toolbar[6], Qt::LeftButton);
    QCOMPARE(e.CurrentTool, ToolEraser);
    QCOMPARE(HighlightedTools(w, e), QStringLiteral("6"));
    QCOMPARE(*w.Toolbar[0]->backColour(), w.palette().color(QPalette::Window));
    QVERIFY(e.Undo1.sameContent(e.picMini));
    QVERIFY(w.picIkona->hasFocus());

    // The same tool again still replaces the snapshot; the colour stays.
    e.CurrentColor = 4;
    e.picMini.setPixel(2, 2, PaletteColors[3]);
    QVERIFY(!e.Undo1.sameContent(e.picMini));
    QTest::mouseClick(w.Toolbar[6], Qt::LeftButton);
    QVERIFY(e.Undo1.sameContent(e.picMini));
    QCOMPARE(e.CurrentColor, 4);

    // A right click does not choose a tool, but the canvas gets the focus back.
    w.lblHelp->setFocusPolicy(Qt::StrongFocus);
    w.lblHelp->setFocus();
    QTest::mouseClick(w.Toolbar[1], Qt::RightButton);
    QCOMPARE(e.CurrentTool, ToolEraser);
    QVERIFY(w.picIkona->hasFocus());
    w.lblHelp->setFocus();
    QTest::mouseClick(w.cmdKey[2], Qt::RightButton);
    QVERIFY(w.picIkona->hasFocus());

    // Tool 5: highlighted, and the canvas ignores the mouse.
    QTest::mouseClick(w.Toolbar[5], Qt::LeftButton);
    QCOMPARE(HighlightedTools(w, e), QStringLiteral("5"));
    const QString before = Rows(e.picMini);
    QTest::mouseClick(w.picIkona, Qt::LeftButton, {}, CentreOf(9, 9));
    QCOMPARE(Rows(e.picMini), before);
    QCOMPARE(w.Namiary->text(), QStringLiteral("10, 10"));
}

void TestDrawing::textToolReturnsToThePreviousTool()
{
    frmMain& w = *w_;
    Editor& e = w.editor();
    QTest::mouseClick(w.Toolbar[6], Qt::LeftButton);
    e.picMini.setPixel(7, 7, PaletteColors[1]);
    WhenModal([](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
    QTest::mouseClick(w.Toolbar[4], Qt::LeftButton);
    QCOMPARE(e.CurrentTool, ToolEraser);
    QCOMPARE(HighlightedTools(w, e), QStringLiteral("6"));
    QVERIFY(w.Toolbar[4]->backColour());
    QVERIFY(!Highlighted(w.Toolbar[4], e));
    QVERIFY(e.Undo1.sameContent(e.picMini)); // text placed later can be undone
    QCOMPARE(QString::fromStdString(e.FragmentPrompt),
             QStringLiteral("Wybierz fragment tekstu, który chcesz wkleić"));
}

void TestDrawing::helpModeOnlyExplains()
{
    frmMain& w = *w_;
    Editor& e = w.editor();
    e.picMini.setPixel(0, 0, PaletteColors[1]);
    const QString image = Rows(e.picMini);
    const QString snapshot = Rows(e.Undo1);
    e.HelpMode = true;
    // Each click opens the help window; the test closes it again.
    const auto closeHelp = [] { WhenModal([](QWidget* help) { help->hide(); }); };
    closeHelp();
    QTest::mouseClick(w.Toolbar[2], Qt::LeftButton);
    // A left click on a colour shows its help for the click and again for
    // the release: the second showing is closed from the first's closing.
    WhenModal([](QWidget* help) {
        help->hide();
        WhenModal([](QWidget* again) { again->hide(); });
    });
    QTest::mouseClick(w.lblKol[5], Qt::LeftButton);
    closeHelp();
    QTest::mouseClick(w.lblKol[6], Qt::RightButton);
    closeHelp();
    QTest::mouseClick(w.cmdKey[1], Qt::LeftButton);
    closeHelp();
    QTest::keyClick(w.picIkona, Qt::Key_Left, Qt::ControlModifier);
    QCOMPARE(e.CurrentTool, ToolPencil);
    QCOMPARE(e.CurrentColor, 0);
    QVERIFY(w.lblKol[0]->hasPicture());
    QCOMPARE(Rows(e.picMini), image);
    QCOMPARE(Rows(e.Undo1), snapshot);
    // The canvas itself does not look at help mode.
    QTest::mouseClick(w.picIkona, Qt::LeftButton, {}, CentreOf(3, 3));
    QCOMPARE(PaletteIndexOf(e.picMini.pixel(3, 3)), 0);
}

void TestDrawing::mouseOnTheCanvasDrawsAndShowsTheCell()
{
    frmMain& w = *w_;
    Editor& e = w.editor();
    CanvasView* c = w.picIkona;
    QTest::mouseClick(w.lblKol[1], Qt::LeftButton);

    // Pencil: press paints nothing, the release paints its cell.
    Press(c, CentreOf(5, 7));
    QCOMPARE(PaletteIndexOf(e.picMini.pixel(5, 7)), 11);
    Release(c, CentreOf(5, 7));
    QCOMPARE(PaletteIndexOf(e.picMini.pixel(5, 7)), 1);
    QCOMPARE(c->grab().toImage().pixelColor(CentreOf(5, 7)), QColor(255, 0, 0));
    QCOMPARE(w.Namiary->text(), QStringLiteral("6, 8"));

    // Left and right together: nothing drawn, the label still follows.
    Press(c, CentreOf(9, 9));
    DragTo(c, CentreOf(10, 9), Qt::LeftButton | Qt::RightButton);
    QCOMPARE(w.Namiary->text(), QStringLiteral("11, 10"));
    QCOMPARE(PaletteIndexOf(e.picMini.pixel(10, 9)), 11);
    Release(c, CentreOf(10, 9), Qt::RightButton); // left is still down
    DragTo(c, QPoint(500, 3));
    QCOMPARE(w.Namiary->text(), QStringLiteral("32, 1"));
    Release(c, QPoint(500, 3));
    QCOMPARE(PaletteIndexOf(e.picMini.pixel(31, 0)), 1);

    DragTo(c, QPoint(-20, 191), Qt::NoButton);
    QCOMPARE(w.Namiary->text(), QStringLiteral("1, 32"));

    // At a fractional scale Qt rounds the canvas's own position and keeps the
    // fraction in the window's: (5.6, 5.6) is still cell (0, 0).
    const QPointF inCanvas(5.6, 5.6);
    const QPointF inWindow = inCanvas + QPointF(c->mapTo(&w, QPoint(0, 0)));
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent click(type, QPointF(6, 6), inWindow, c->mapToGlobal(inCanvas), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, {});
        QApplication::sendEvent(c, &click);
    }
    QCOMPARE(PaletteIndexOf(e.picMini.pixel(0, 0)), 1);
    QCOMPARE(PaletteIndexOf(e.picMini.pixel(1, 1)), 11);

    // Filled rectangle with its preview while dragging.
    QTest::mouseClick(w.Toolbar[3], Qt::LeftButton);
    QTest::mouseClick(w.lblKol[3], Qt::LeftButton);
    Press(c, CentreOf(20, 20));
    DragTo(c, CentreOf(16, 18));
    QVERIFY(w.canvasTools().overlay.Linia[3].visible);
    // The bottom edge runs at the pointer's own height, not snapped to a cell.
    const QImage preview = c->grab().toImage();
    QCOMPARE(preview.pixelColor(111, CentreOf(0, 18).y()), QColor(0, 0, 255));
    QCOMPARE(preview.pixelColor(111, CentreOf(0, 18).y() - 1), QColor(0, 255, 255));
    Release(c, CentreOf(16, 18));
    QVERIFY(!w.canvasTools().overlay.Linia[3].visible);
    QCOMPARE(Rows(e.picMini, 15, 17, 7, 5),
             Rows({"bbbbbbb", "b33333b", "b33333b", "b33333b", "bbbbbbb"}));

    // Undo takes back everything since the last tool click.
    w.mnuCofnij->trigger();
    QCOMPARE(Rows(e.picMini, 15, 17, 7, 5), Rows(QStringList(5, QStringLiteral("bbbbbbb"))));
    QCOMPARE(PaletteIndexOf(e.picMini.pixel(5, 7)), 1);
}

void TestDrawing::eraserOutlineHidesOverTheBackground()
{
    frmMain& w = *w_;
    const CanvasOverlay& o = w.canvasTools().overlay;
    QTest::mouseClick(w.Toolbar[7], Qt::LeftButton);
    DragTo(w.picIkona, CentreOf(3, 4), Qt::NoButton);
    QVERIFY(o.GumkaVisible);
    QCOMPARE(w.picIkona->grab().toImage().pixelColor(18, 24), QColor(0, 0, 0));
    // Over another control nothing changes; over the window's background it goes.
    DragTo(w.picMini, QPoint(3, 3), Qt::NoButton);
    QVERIFY(o.GumkaVisible);
    DragTo(w.centralWidget(), QPoint(4, 280), Qt::NoButton);
    QVERIFY(!o.GumkaVisible);
    QCOMPARE(w.picIkona->grab().toImage().pixelColor(18, 24), QColor(0, 255, 255));
    // Over a frame the pointer is over the background too.
    DragTo(w.picIkona, CentreOf(3, 4), Qt::NoButton);
    QVERIFY(o.GumkaVisible);
    QTest::mouseMove(w.centralWidget(), QPoint(7, 100));
    DragTo(w.centralWidget(), QPoint(7, 100), Qt::NoButton);
    QVERIFY(!o.GumkaVisible);

    // Leaving the canvas, also onto another control, hides it.
    DragTo(w.picIkona, CentreOf(3, 4), Qt::NoButton);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(w.picIkona, &leave);
    QVERIFY(!o.GumkaVisible);
    // So does a modal window over the canvas: no leave comes then.
    DragTo(w.picIkona, CentreOf(3, 4), Qt::NoButton);
    QDialog over(&w);
    over.setModal(true);
    over.show();
    QVERIFY(!o.GumkaVisible);
    over.hide();
    QCOMPARE(w.picIkona->grab().toImage().pixelColor(18, 24), QColor(0, 255, 255));
}

void TestDrawing::ctrlArrowsShiftOnlyWithExactlyCtrl_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QPoint>("to"); // where pixel (0, 0) goes; (0, 0) for no shift
    QTest::newRow("ctrl+up") << int(Qt::Key_Up) << int(Qt::ControlModifier) << QPoint(0, 31);
    QTest::newRow("ctrl+left") << int(Qt::Key_Left) << int(Qt::ControlModifier) << QPoint(31, 0);
    QTest::newRow("ctrl+down") << int(Qt::Key_Down) << int(Qt::ControlModifier) << QPoint(0, 1);
    QTest::newRow("ctrl+right") << int(Qt::Key_Right) << int(Qt::ControlModifier) << QPoint(1, 0);
    QTest::newRow("keypad ctrl+right")
        << int(Qt::Key_Right) << int(Qt::ControlModifier | Qt::KeypadModifier) << QPoint(1, 0);
    QTest::newRow("up") << int(Qt::Key_Up) << 0 << QPoint(0, 0);
    QTest::newRow("ctrl+shift+up")
        << int(Qt::Key_Up) << int(Qt::ControlModifier | Qt::ShiftModifier) << QPoint(0, 0);
    QTest::newRow("ctrl+alt+left")
        << int(Qt::Key_Left) << int(Qt::ControlModifier | Qt::AltModifier) << QPoint(0, 0);
    // A letter no menu entry uses (Ctrl+X is cut, which clears the image).
    QTest::newRow("ctrl+b") << int(Qt::Key_B) << int(Qt::ControlModifier) << QPoint(0, 0);
}

void TestDrawing::ctrlArrowsShiftOnlyWithExactlyCtrl()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QPoint, to);
    Editor& e = w_->editor();
    e.picMini.setPixel(0, 0, PaletteColors[1]);
    const QString snapshot = Rows(e.Undo1);
    QTest::keyClick(w_->picIkona, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(PaletteIndexOf(e.picMini.pixel(to.x(), to.y())), 1);
    QCOMPARE(Rows(e.Undo1), snapshot); // no snapshot for a shift
}

void TestDrawing::ctrlCountsWhileTheArrowIsDown()
{
    Editor& e = w_->editor();
    CanvasView* c = w_->picIkona;
    e.picMini.setPixel(0, 0, PaletteColors[1]);
    auto at = [&] {
        for (int x = 0; x < 32; ++x)
            if (PaletteIndexOf(e.picMini.pixel(x, 0)) == 1)
                return x;
        return -1;
    };
    // Ctrl let go a moment before the arrow.
    QTest::keyPress(c, Qt::Key_Right, Qt::ControlModifier);
    QTest::keyRelease(c, Qt::Key_Right, Qt::NoModifier);
    QCOMPARE(at(), 1);
    // Ctrl pressed only after the arrow went down.
    QTest::keyPress(c, Qt::Key_Right, Qt::NoModifier);
    QTest::keyRelease(c, Qt::Key_Right, Qt::ControlModifier);
    QCOMPARE(at(), 2);
    // Shift held at the release spoils the chord.
    QTest::keyPress(c, Qt::Key_Right, Qt::ControlModifier);
    QTest::keyRelease(c, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(at(), 2);
    // Shift let go before the arrow: at the release only Ctrl is held.
    QTest::keyPress(c, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyRelease(c, Qt::Key_Right, Qt::ControlModifier);
    QCOMPARE(at(), 3);
    // Ctrl and Shift both let go before the arrow: the press had Shift too.
    QTest::keyPress(c, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyRelease(c, Qt::Key_Right, Qt::NoModifier);
    QCOMPARE(at(), 3);
    // A plain press and release after a chord does nothing.
    QTest::keyClick(c, Qt::Key_Right);
    QCOMPARE(at(), 3);
}

void TestDrawing::viewOptionsInEitherOrder()
{
    frmMain& w = *w_;
    Editor& e = w.editor();
    auto shown = [](QWidget* x) { return !x->isHidden(); };

    // Frames off, then a preview off and on again: no frame around it.
    w.mnuRamki->trigger();
    QVERIFY(!shown(w.Shape2) && !shown(w.Shape3) && !shown(w.Shape4) && !shown(w.Shape6));
    w.mnuPokazuj1->trigger();
    QVERIFY(!w.mnuPokazuj1->isChecked());
    QVERIFY(!shown(w.picMini));
    w.mnuPokazuj1->trigger();
    QVERIFY(shown(w.picMini) && !shown(w.Shape3));

    // Thumbnail hidden, frames on: the frame stands around the empty place;
    // drawing meanwhile shows once the thumbnail comes back.
    w.mnuPokazuj2->trigger();
    w.mnuRamki->trigger();
    QVERIFY(!shown(w.picEXE) && shown(w.Shape4) && shown(w.Shape2));
    e.CurrentColor = 1;
    e.picMini.fillRect(0, 0, 31, 31, PaletteColors[1]);
    w.mnuPokazuj2->trigger();
    QVERIFY(shown(w.picEXE) && shown(w.Shape4));
    QCOMPARE(PaletteIndexOf(FromQRgb(w.picEXE->grab().toImage().pixel(3, 3))), 1);
    w.mnuPokazuj2->trigger();
    QVERIFY(!shown(w.Shape4));

    // The coordinates label alone goes; its strip's frame stays.
    w.mnuPozycjaM->trigger();
    QVERIFY(!shown(w.Namiary) && !w.mnuPozycjaM->isChecked() && shown(w.Shape6));
    w.mnuPozycjaM_Click(); // as the options reader calls it
    QVERIFY(shown(w.Namiary) && w.mnuPozycjaM->isChecked());
    w.mnuRamki_Click();
    QVERIFY(!w.mnuRamki->isChecked() && !shown(w.Shape6));

    // Hidden 1:1 preview: still the image store, drawing and undo work.
    w.mnuPokazuj1->trigger();
    QTest::mouseClick(w.picIkona, Qt::LeftButton, {}, CentreOf(4, 4));
    QCOMPARE(PaletteIndexOf(e.picMini.pixel(4, 4)), 1);
}

void TestDrawing::gridIsDrawnOnCellBorders()
{
    frmMain& w = *w_;
    const CanvasOverlay& o = w.canvasTools().overlay;
    const QColor gridColour = w.picIkona->palette().color(QPalette::WindowText);
    QVERIFY(o.SiatkaNS[5] != 36); // placed only when first shown
    w.mnuPokażSiatkę->trigger();
    QVERIFY(w.mnuPokażSiatkę->isChecked() && o.GridVisible);
    w.mnuPokażSiatkę->trigger();
    QVERIFY(!o.GridVisible);
    QCOMPARE(o.SiatkaNS[5], 36); // hiding leaves the lines where they are
    w.mnuPokażSiatkę->trigger();
    const QImage img = w.picIkona->grab().toImage();
    QString lines;
    for (int x = 0; x < 192; ++x)
        lines += img.pixelColor(x, 2) == gridColour ? QLatin1Char('|') : QLatin1Char('.');
    QCOMPARE(lines, QString(QStringLiteral("|.....").repeated(32)).replace(0, 1, QLatin1Char('.')));
    QCOMPARE(img.pixelColor(2, 186), gridColour);
    QCOMPARE(img.pixelColor(2, 187), QColor(0, 255, 255));
}

void TestDrawing::sizeRuleKeepsTheRecordedSize()
{
    frmMain& w = *w_;
    const QSize recorded(w.StartWidth, w.StartHeight);
    QCOMPARE(w.size(), recorded);
    w.resize(recorded + QSize(40, 30));
    QTRY_COMPARE(w.size(), recorded);
    // As switching the help bar off does; a minimise and restore applies it.
    w.StartHeight -= 32;
    w.showMinimized();
    w.showNormal();
    QTRY_COMPARE(w.size(), recorded - QSize(0, 32));
    w.StartHeight += 32;
    w.Form_Resize();
    QCOMPARE(w.size(), recorded);

    // Before start-up completes the rule does nothing.
    frmMain fresh(*dialogs_);
    QVERIFY(!fresh.ResizeLock);
    fresh.resize(fresh.size() + QSize(10, 10));
    QCOMPARE(fresh.size(), QSize(fresh.StartWidth + 10, fresh.StartHeight + 10));
}

void TestDrawing::canvasStaysSharpAtFractionalScales_data()
{
    QTest::addColumn<double>("dpr");
    for (double dpr : {1.0, 1.25, 1.5, 2.0})
        QTest::addRow("%g", dpr) << dpr;
}

void TestDrawing::canvasStaysSharpAtFractionalScales()
{
    QFETCH(double, dpr);
    Editor e;
    // A checkerboard: any smoothing or misplaced border shows at once.
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            e.picMini.setPixel(x, y, PaletteColors[(x + y) % 2 ? 1 : 3]);
    CanvasOverlay o;
    PlaceGrid(o);
    for (bool grid : {false, true}) {
        o.GridVisible = grid;
        const QImage img = RenderCanvas(e.picMini, o, dpr, Qt::black);
        QCOMPARE(img.devicePixelRatio(), dpr);
        QCOMPARE(img.width(), qRound(192 * dpr));
        auto edge = [dpr](int p) { return int(std::lround(p * dpr)); };
        for (int i = 0; i < img.width(); ++i) {
            int cell = 0;
            while (cell < 31 && edge(6 * (cell + 1)) <= i)
                ++cell;
            const bool onGrid = grid && cell > 0 && i < edge(6 * cell + 1);
            const QColor want = onGrid ? QColor(Qt::black)
                                       : ToQColor(PaletteColors[cell % 2 ? 1 : 3]);
            QVERIFY2(img.pixelColor(i, 1) == want,
                     qPrintable(QStringLiteral("device column %1, cell %2").arg(i).arg(cell)));
        }
    }
}

QTEST_MAIN(TestDrawing)
#include "test_drawing.moc"

// The text tool end to end in one process: the text button, the text dialog,
// the placement window's text mode with its font menus and the font dialog,
// and the pixels that land in the image.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

#include "support/TestSupport.h"
#include "text/TextMenus.h"
#include "text/TextRender.h"
#include "text/frmFont.h"
#include "text/frmText.h"
#include "transfer/frmtmp.h"
#include "ui/Label.h"
#include "ui/PictureButton.h"
#include "qt/QtColour.h"
#include "qt/SurfaceView.h"
#include "ui/frmMain.h"

namespace {
// Runs `act` once a modal window of type T is the active modal widget. Nested
// modals replace each other, so waiting for "any" modal would act too early.
template <class T>
void WhenModalIs(std::function<void(T*)> act)
{
    auto* timer = new QTimer;
    auto waited = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, waited, act] {
        *waited += 10;
        if (auto* w = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->deleteLater();
            timer->stop();
            act(w);
        } else if (*waited > 5000) {
            timer->deleteLater();
            timer->stop();
        }
    });
    timer->start(10);
}

void Type(QWidget* w, const QString& text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
    }
}

// Shortcuts act in the active window only. The offscreen platform leaves the
// activation with a window that was hidden, so it is handed over explicitly.
void Activate(QWidget* w)
{
    w->activateWindow();
    (void)QTest::qWaitFor([w] { return QApplication::activeWindow() == w; });
}

int CountOther(const Surface& s)
{
    int other = 0;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            other += s.pixel(x, y) != PaletteColors[0] && s.pixel(x, y) != PaletteColors[15];
    return other;
}

// The 32 x 32 top-left corner of a surface.
Surface Corner(const Surface& s)
{
    Surface c(32, 32, PaletteColors[15]);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            c.setPixel(x, y, s.pixel(x, y));
    return c;
}
} // namespace

class TestTextTool : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void typedTextIsPlacedPixelForPixel();
    void emptyOkChangesNothing();
    void sizeEntriesAreExclusiveAndRedraw();
    void boldOnAndOffReturnsToRegular();
    void oneSmallCharacterGivesA32By32Picture();
    void fontDialogChangesTheDrawingAndKeepsItsChoice();
    void menusAndTheirShortcutsBelongToTextMode();
    void pastedLinesAreDrawnOneBelowTheOther();

private:
    // Clicks the text button, types `text`, presses Enter; while the placement
    // window shows the drawn text, runs `inPlacement`, then clicks at the
    // frame's top-left position (0, 0).
    void PlaceText(const QString& text, std::function<void(frmtmp*)> inPlacement = {});
    // Waits until the placement window shows Tag drawn in `expectedFont`.
    bool Redrawn(frmtmp* t, const QFont& expectedFont);

    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<frmMain> w_;
};

void TestTextTool::init()
{
    dialogs_ = std::make_unique<ScriptedDialogs>();
    w_ = std::make_unique<frmMain>(*dialogs_);
    w_->show();
    QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
}

void TestTextTool::cleanup()
{
    w_.reset();
    dialogs_.reset();
}

bool TestTextTool::Redrawn(frmtmp* t, const QFont& expectedFont)
{
    return QTest::qWaitFor([&] {
        const Surface expected = RenderText(t->Tag, expectedFont, PaletteColors[15]);
        return !t->Timer2->isActive() && w_->editor().pic.sameContent(expected);
    });
}

void TestTextTool::PlaceText(const QString& text, std::function<void(frmtmp*)> inPlacement)
{
    WhenModalIs<frmText>([text](frmText* d) {
        Type(d->Text1, text);
        QTest::keyClick(d->Text1, Qt::Key_Return);
    });
    WhenModalIs<frmtmp>([inPlacement](frmtmp* t) {
        if (inPlacement)
            inPlacement(t);
        QTest::mouseMove(t->pic, QPoint(16, 16));
        QTest::mouseClick(t->pic, Qt::LeftButton, {}, QPoint(16, 16));
    });
    QTest::mouseClick(w_->Toolbar[ToolText], Qt::LeftButton);
}

void TestTextTool::typedTextIsPlacedPixelForPixel()
{
    Editor& e = w_->editor();
    QTest::mouseClick(w_->Toolbar[ToolEraser], Qt::LeftButton);
    e.picMini.setPixel(3, 3, PaletteColors[1]);
    const QString before = Rows(e.picMini);
    const Surface old = e.picMini;
    ChangeLog log(e.picMini);
    bool redrawn = false, menus = false;
    QString shown, prompt;
    PlaceText(QStringLiteral("Ab"), [&](frmtmp* t) {
        redrawn = Redrawn(t, InitialTextFont());
        shown = Rows(e.pic);
        menus = t->menuBar->isVisible() && t->Text->mnuRozmiar->menuAction()->isVisible();
        prompt = t->Label1->text();
    });
    QVERIFY(redrawn);
    QVERIFY(menus);
    QCOMPARE(prompt, QStringLiteral("Wybierz fragment tekstu, który chcesz wkleić"));
    const Surface expected = RenderText(QStringLiteral("Ab"), InitialTextFont(), PaletteColors[15]);
    QCOMPARE(shown, Rows(expected));
    QVERIFY(!shown.contains(QLatin1Char('?')));
    QVERIFY(shown.contains(QLatin1Char('0')));

    // The frame stood at (0, 0): the image is the drawing's top-left corner,
    // black and grey only, and the canvas shows it.
    QCOMPARE(Rows(e.picMini), Rows(Corner(expected)));
    QCOMPARE(CountOther(e.picMini), 0);
    QCOMPARE(FromQRgb(w_->picIkona->grab().toImage().pixel(6 * 1 + 2, 6 * 9 + 2)), e.picMini.pixel(1, 9));
    QCOMPARE(log.changes, QStringList("Text"));
    QCOMPARE(log.MissedPixels(old), QString());
    // Undo brings back the image from before the text button.
    QCOMPARE(Rows(e.Undo1), before);
    QCOMPARE(e.CurrentTool, ToolEraser);
    QVERIFY(w_->tmp->Tag.isEmpty());
    QVERIFY(!w_->tmp->isVisible());
}

void TestTextTool::emptyOkChangesNothing()
{
    Editor& e = w_->editor();
    QTest::mouseClick(w_->Toolbar[ToolLine], Qt::LeftButton);
    e.picMini.setPixel(5, 5, PaletteColors[2]);
    const QString before = Rows(e.picMini);
    bool placementShown = false;
    WhenModalIs<frmText>([](frmText* d) { QTest::mouseClick(d->Command1, Qt::LeftButton); });
    QTest::mouseClick(w_->Toolbar[ToolText], Qt::LeftButton);
    placementShown = w_->tmp->windowTitle() != QStringLiteral("Wklej") || w_->tmp->isVisible();
    QVERIFY(!placementShown);
    QCOMPARE(Rows(e.picMini), before);
    QCOMPARE(e.CurrentTool, ToolLine);
    QVERIFY(w_->tmp->Tag.isEmpty());
    QVERIFY(!w_->TextDialog->isVisible());
}

void TestTextTool::sizeEntriesAreExclusiveAndRedraw()
{
    bool first = false, again = false;
    QString checkedAfterFirst, checkedAfterAgain;
    int height24 = 0, pointSize = 0;
    const auto checked = [](frmtmp* t) {
        QString marks;
        for (int i = 1; i <= 9; ++i)
            marks += t->Text->roz[i]->isChecked() ? QLatin1Char('x') : QLatin1Char('.');
        return marks;
    };
    QString atLoad;
    PlaceText(QStringLiteral("Xy"), [&](frmtmp* t) {
        atLoad = checked(t);
        QFont f24 = InitialTextFont();
        f24.setPointSize(24);
        t->Text->roz[8]->trigger(); // "2&4"
        first = Redrawn(t, f24);
        checkedAfterFirst = checked(t);
        height24 = w_->editor().pic.height();
        w_->editor().pic.clear(); // so that a redraw is seen
        t->Text->roz[8]->trigger();
        again = Redrawn(t, f24);
        checkedAfterAgain = checked(t);
        pointSize = t->Text->font().pointSize();
    });
    QCOMPARE(atLoad, QStringLiteral(".x......."));
    QVERIFY(first);
    QVERIFY(again);
    QCOMPARE(checkedAfterFirst, QStringLiteral(".......x."));
    QCOMPARE(checkedAfterAgain, QStringLiteral(".......x."));
    QCOMPARE(pointSize, 24);
    QVERIFY(height24 > 32);
    QCOMPARE(w_->tmp->Text->roz[2]->text(), QStringLiteral("1&0"));
    QCOMPARE(w_->tmp->Text->roz[9]->text(), QStringLiteral("&36") + QString(17, QLatin1Char(' ')));
    QCOMPARE(w_->tmp->Text->roz[9]->shortcut(), QKeySequence(QStringLiteral("Ctrl+F9")));
    // Each entry sets the size its caption names.
    const int sizes[] = {0, 8, 10, 12, 14, 16, 18, 20, 24, 36};
    for (int i = 1; i <= 9; ++i) {
        QAction* entry = w_->tmp->Text->roz[i];
        entry->trigger();
        QCOMPARE(w_->tmp->Text->font().pointSize(), sizes[i]);
        QCOMPARE(entry->text().remove(QLatin1Char('&')).trimmed(), QString::number(sizes[i]));
    }
    w_->tmp->Text->roz[2]->trigger();
}

void TestTextTool::boldOnAndOffReturnsToRegular()
{
    bool regularShown = false, boldShown = false, backShown = false;
    bool boldMark = false, markAfter = true;
    QString regular, bold, back;
    PlaceText(QStringLiteral("Hm"), [&](frmtmp* t) {
        regularShown = Redrawn(t, InitialTextFont());
        regular = Rows(w_->editor().pic);
        t->Text->mnuBold->trigger();
        boldMark = t->Text->mnuBold->isChecked();
        QFont b = InitialTextFont();
        b.setBold(true);
        boldShown = Redrawn(t, b);
        bold = Rows(w_->editor().pic);
        t->Text->mnuBold->trigger();
        markAfter = t->Text->mnuBold->isChecked();
        backShown = Redrawn(t, InitialTextFont());
        back = Rows(w_->editor().pic);
    });
    QVERIFY(regularShown && boldShown && backShown);
    QVERIFY(boldMark);
    QVERIFY(!markAfter);
    QVERIFY(bold != regular);
    QCOMPARE(back, regular);
}

void TestTextTool::oneSmallCharacterGivesA32By32Picture()
{
    bool shown = false;
    QSize size;
    PlaceText(QStringLiteral("i"), [&](frmtmp* t) {
        t->Text->roz[1]->trigger(); // "&8"
        QFont f8 = InitialTextFont();
        f8.setPointSize(8);
        shown = Redrawn(t, f8);
        size = QSize(w_->editor().pic.width(), w_->editor().pic.height());
    });
    QVERIFY(shown);
    QCOMPARE(size, QSize(32, 32));
}

void TestTextTool::fontDialogChangesTheDrawingAndKeepsItsChoice()
{
    const QString serif = QStringLiteral("DejaVu Serif");
    bool serifShown = false;
    QString keptChoice, sansRows, serifRows;
    PlaceText(QStringLiteral("Ag"), [&](frmtmp* t) {
        (void)Redrawn(t, InitialTextFont());
        sansRows = Rows(w_->editor().pic);
        WhenModalIs<frmFont>([&](frmFont* d) {
            (void)QTest::qWaitFor([d] { return d->Combo1->count() > 0; });
            d->Combo1->setCurrentIndex(d->Combo1->findText(serif));
            QTest::mouseClick(d->Command1, Qt::LeftButton);
        });
        t->Text->mnuZmien->trigger(); // returns when the font dialog has closed
        QFont f = InitialTextFont();
        f.setFamily(serif);
        serifShown = Redrawn(t, f);
        serifRows = Rows(w_->editor().pic);
        WhenModalIs<frmFont>([&](frmFont* d) {
            keptChoice = d->Combo1->currentText();
            QTest::keyClick(d, Qt::Key_Escape);
        });
        t->Text->mnuZmien->trigger();
    });
    QVERIFY(serifShown);
    QVERIFY(serifRows != sansRows);
    QCOMPARE(keptChoice, serif);
    QCOMPARE(w_->tmp->Text->font().family(), serif);
}

void TestTextTool::menusAndTheirShortcutsBelongToTextMode()
{
    QString textMode, pictureMode;
    bool helpBarKept = false;
    int pictureSize = 0;
    PlaceText(QStringLiteral("a"), [&](frmtmp* t) {
        Activate(t);
        QTest::keyClick(t, Qt::Key_F8, Qt::ControlModifier);
        QTest::keyClick(t, Qt::Key_F1, Qt::ControlModifier); // not the main window's help bar
        QTest::keyClick(t, Qt::Key_B, Qt::ControlModifier);
        for (int i = 1; i <= 9; ++i)
            textMode += t->Text->roz[i]->isChecked() ? QLatin1Char('x') : QLatin1Char('.');
        textMode += t->Text->mnuBold->isChecked() ? QStringLiteral(" bold") : QString();
        helpBarKept = w_->mnuPasekPomocy->isChecked() && w_->lblHelp->isVisible();
    });
    QCOMPARE(textMode, QStringLiteral("x........ bold"));
    QVERIFY(helpBarKept);

    // A picture placement: no menus, no shortcuts, the size from the menu.
    Editor& e = w_->editor();
    e.pic.assign(Surface(40, 40, PaletteColors[3]), true);
    e.FragmentPrompt = "obraz";
    bool barShown = true;
    WhenModalIs<frmtmp>([&](frmtmp* t) {
        barShown = t->menuBar->isVisible();
        Activate(t);
        QTest::keyClick(t, Qt::Key_F8, Qt::ControlModifier);
        for (int i = 1; i <= 9; ++i)
            pictureMode += t->Text->roz[i]->isChecked() ? QLatin1Char('x') : QLatin1Char('.');
        pictureSize = t->Text->font().pointSize();
        QTest::mouseClick(t->pic, Qt::LeftButton, {}, QPoint(16, 16));
    });
    w_->tmp->ShowModal();
    QVERIFY(!barShown);
    QCOMPARE(pictureMode, QStringLiteral("x........"));
    QCOMPARE(pictureSize, 8);
    // Without the menu bar: the client area and the choice buttons above it.
    QCOMPARE(w_->tmp->client->size(), QSize(586, 345));
    QCOMPARE(w_->tmp->size(), QSize(586, 345 + w_->tmp->choiceBar->height()));
}

void TestTextTool::pastedLinesAreDrawnOneBelowTheOther()
{
    // A pasted text keeps its line breaks; the placement draws it line by line.
    const QString text = QStringLiteral("ab\r\ncd\nWW");
    w_->tmp->Tag = text;
    w_->editor().FragmentPrompt = "tekst";
    bool shown = false;
    QSize size;
    WhenModalIs<frmtmp>([&](frmtmp* t) {
        shown = Redrawn(t, InitialTextFont());
        size = QSize(w_->editor().pic.width(), w_->editor().pic.height());
        t->reject();
    });
    w_->tmp->ShowModal();
    QVERIFY(shown);
    QCOMPARE(size.height(), 3 * QFontMetrics(InitialTextFont()).height());
    QCOMPARE(size, TextSize(text, InitialTextFont()));
}

QTEST_MAIN(TestTextTool)
#include "test_texttool.moc"

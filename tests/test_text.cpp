// Drawing text for placement, the text dialog and the font dialog.
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "core/Palette.h"
#include "support/TestSupport.h"
#include "text/TextRender.h"
#include "text/frmFont.h"
#include "text/frmText.h"

class TestText : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void fallbackGlyphsMeasureAlikeFromTheFirstTime();
    void rendersOnlyBlackOnGrey_data();
    void rendersOnlyBlackOnGrey();
    void smallTextIsPaddedTo32();
    void blanksGiveAnEmptyArea();
    void linesAreMeasuredAndDrawnOneByOne();
    void boldOffReturnsToRegular();
    void glyphStrokesLandWhereExpected();
    void textDialogLayout();
    void textDialogAcceptsTenCharacters();
    void textDialogEmptyOkActsAsCancel_data();
    void textDialogEmptyOkActsAsCancel();
    void focusedButtonTakesReturn();
    void textDialogHidesBeforePlacingAndEmptiesOnShow();
    void fontDialogFillsItsListOnceAndKeepsTheChoice();
    void fontDialogReturnInTheListKeepsItOpen();
    void fontDialogEscAppliesTheChoice();

private:
    QFont dejaVu(int size) const;
};

// Types any characters, Polish letters included (QTest::keyClicks takes ASCII only).
static void Type(QWidget* w, const QString& text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QApplication::sendEvent(w, &release);
    }
}

QFont TestText::dejaVu(int size) const
{
    QFont f(QStringLiteral("DejaVu Sans"), size);
    return AliasedFont(f);
}

void TestText::initTestCase()
{
    QVERIFY2(QFontDatabase::hasFamily(QStringLiteral("DejaVu Sans")),
             "fonts-dejavu-core must be installed");
    QCOMPARE(InitialTextFont().family(), QStringLiteral("DejaVu Sans"));
    QCOMPARE(InitialTextFont().pointSize(), 10);
    QVERIFY(!InitialTextFont().bold());
    QVERIFY(!InitialTextFont().italic());
}

// Runs first, before any other test loads a fallback font: a character
// DejaVu Sans lacks once made the first measurement wider than every later
// one, so the first paste of such a text got blank columns the next lacked.
void TestText::fallbackGlyphsMeasureAlikeFromTheFirstTime()
{
    const QString text = QString(2, QChar(0)) + QString::fromUtf8("\u052f\ufffd\u017c\u00f3\u0142\ny");
    const QFont f = InitialTextFont();
    const Surface first = RenderText(text, f, PaletteColors[15]);
    const QSize again = TextSize(text, f);
    QCOMPARE(QSize(first.width(), first.height()), again);
    QCOMPARE(TextSize(text, f), again);
}

// Counts pixels by colour: black, grey (colour 15) and anything else.
struct Census {
    int black = 0, grey = 0, other = 0;
    explicit Census(const Surface& s)
    {
        for (int y = 0; y < s.height(); ++y)
            for (int x = 0; x < s.width(); ++x) {
                const Colour c = s.pixel(x, y);
                (c == PaletteColors[0] ? black : c == PaletteColors[15] ? grey : other)++;
            }
    }
};

void TestText::rendersOnlyBlackOnGrey_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("underline");
    QTest::newRow("Ab, 10") << "Ab" << 10 << false << false << false;
    QTest::newRow("Polish letters, 12") << "ąćęłńóśźżŁ" << 12 << false << false << false;
    QTest::newRow("bold italic, 24") << "Wxyz@%" << 24 << true << true << false;
    QTest::newRow("underlined, 36") << "Pikselar" << 36 << false << false << true;
    QTest::newRow("italic, 8") << "ggg" << 8 << false << true << false;
}

void TestText::rendersOnlyBlackOnGrey()
{
    QFETCH(QString, text);
    QFETCH(int, size);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(bool, underline);
    QFont f = dejaVu(size);
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    const Surface s = RenderText(text, f, PaletteColors[15]);
    const Census census(s);
    QCOMPARE(census.other, 0);
    QVERIFY(census.black > 0);
    QCOMPARE(QSize(s.width(), s.height()), TextSize(text, f));
}

void TestText::smallTextIsPaddedTo32()
{
    const QFont f = dejaVu(8);
    QCOMPARE(TextSize(QStringLiteral("i"), f), QSize(32, 32));
    const Surface s = RenderText(QStringLiteral("i"), f, PaletteColors[15]);
    QCOMPARE(QSize(s.width(), s.height()), QSize(32, 32));
    // The glyph sits at the top-left; the right and lower parts are padding.
    QVERIFY(Census(Surface(s)).black > 0);
    QCOMPARE(Rows(s, 16, 0, 16, 32), Rows(Surface(16, 32, PaletteColors[15])));
    QCOMPARE(Rows(s, 0, 20, 32, 12), Rows(Surface(32, 12, PaletteColors[15])));
    // Large text is not padded: it takes its measured size.
    const QSize big = TextSize(QStringLiteral("MMMMMMMMMM"), dejaVu(36));
    QVERIFY(big.width() > 300);
    QVERIFY(big.height() > 32);
}

void TestText::blanksGiveAnEmptyArea()
{
    for (int size : {8, 36}) {
        const Surface s = RenderText(QStringLiteral("          "), dejaVu(size), PaletteColors[15]);
        QVERIFY(s.width() >= 32 && s.height() >= 32);
        const Census census(s);
        QCOMPARE(census.black, 0);
        QCOMPARE(census.other, 0);
    }
}

void TestText::linesAreMeasuredAndDrawnOneByOne()
{
    const QFont f = dejaVu(20);
    const QSize one = TextSize(QStringLiteral("WWW"), f);
    const QSize wideFirst = TextSize(QStringLiteral("WWW\ni"), f);
    const QSize wideLast = TextSize(QStringLiteral("i\r\nWWW"), f);
    QCOMPARE(wideFirst.width(), one.width());
    QCOMPARE(wideLast.width(), one.width());
    QCOMPARE(wideFirst.height(), 2 * QFontMetrics(f).height());
    QCOMPARE(TextSize(QStringLiteral("a\rb\nc"), f).height(), 3 * QFontMetrics(f).height());

    // The second line is drawn below the first, not on top of it.
    const Surface s = RenderText(QStringLiteral("WWW\r\nWWW"), f, PaletteColors[15]);
    const int lineHeight = s.height() / 2;
    QCOMPARE(Rows(s, 0, 0, s.width(), lineHeight), Rows(s, 0, lineHeight, s.width(), lineHeight));
    QVERIFY(Census(s).black > 0);
}

void TestText::boldOffReturnsToRegular()
{
    QFont f = dejaVu(14);
    const Surface regular = RenderText(QStringLiteral("Ab"), f, PaletteColors[15]);
    f.setBold(true);
    const Surface bold = RenderText(QStringLiteral("Ab"), f, PaletteColors[15]);
    f.setBold(false);
    const Surface again = RenderText(QStringLiteral("Ab"), f, PaletteColors[15]);
    QVERIFY(!regular.sameContent(bold));
    QVERIFY(Census(bold).black > Census(regular).black);
    QCOMPARE(Rows(again), Rows(regular));
}

void TestText::glyphStrokesLandWhereExpected()
{
    // "l" in DejaVu Sans is one vertical stroke from the ascent to the baseline.
    const QFont f = dejaVu(20);
    const Surface s = RenderText(QStringLiteral("l"), f, PaletteColors[15]);
    const QFontMetrics m(f);
    int left = s.width(), right = -1, top = s.height(), bottom = -1;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            if (s.pixel(x, y) == PaletteColors[0]) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    QVERIFY(right >= left);
    QCOMPARE(bottom, m.ascent() - 1);
    QVERIFY(top < m.ascent() - m.capHeight() + 2);
    QVERIFY(right - left + 1 <= 4);
    // Every row of the stroke is fully black: a solid bar, no grey edge.
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            QCOMPARE(s.pixel(x, y), PaletteColors[0]);
}

void TestText::textDialogLayout()
{
    frmText dialog([](const QString&) {});
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Wstaw tekst"));
    QCOMPARE(dialog.size(), QSize(213, 70));
    QVERIFY(!(dialog.windowFlags() & Qt::WindowCloseButtonHint));
    QCOMPARE(dialog.Label1->geometry(), QRect(8, 0, 225, 17));
    QCOMPARE(dialog.Label1->text(), QStringLiteral("Wpisz tu jakiś tekst"));
    QCOMPARE(dialog.Text1->geometry(), QRect(8, 16, 201, 19));
    QCOMPARE(dialog.Command1->geometry(), QRect(8, 40, 73, 25));
    QCOMPARE(dialog.Command1->text(), QStringLiteral("OK"));
    QVERIFY(dialog.Command1->isDefault());
    QCOMPARE(dialog.Command2->geometry(), QRect(128, 40, 73, 25));
    QCOMPARE(dialog.Command2->text(), QStringLiteral("Anuluj"));
}

void TestText::textDialogAcceptsTenCharacters()
{
    QString placed;
    bool focused = false;
    frmText dialog([&](const QString& t) { placed = t; });
    WhenModal([&](QWidget*) {
        // The focus arrives in the field by itself: type without clicking it.
        focused = QTest::qWaitFor([&] { return dialog.Text1->hasFocus(); });
        Type(QApplication::focusWidget(), QStringLiteral("Zażółć1234X"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    dialog.ShowModal();
    QVERIFY(focused);
    QCOMPARE(placed, QStringLiteral("Zażółć1234")); // the 11th character was refused
}

void TestText::textDialogEmptyOkActsAsCancel_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("clickOk");
    QTest::newRow("empty, OK clicked") << "" << 0 << true;
    QTest::newRow("empty, Enter") << "" << int(Qt::Key_Return) << false;
    QTest::newRow("text, Esc") << "abc" << int(Qt::Key_Escape) << false;
    QTest::newRow("text, Anuluj") << "abc" << 0 << false;
}

void TestText::textDialogEmptyOkActsAsCancel()
{
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(bool, clickOk);
    int calls = 0;
    frmText dialog([&](const QString&) { ++calls; });
    WhenModal([&](QWidget*) {
        (void)QTest::qWaitFor([&] { return dialog.Text1->hasFocus(); });
        QTest::keyClicks(dialog.Text1, typed);
        if (key)
            QTest::keyClick(dialog.Text1, Qt::Key(key));
        else
            QTest::mouseClick(clickOk ? dialog.Command1 : dialog.Command2, Qt::LeftButton);
    });
    dialog.ShowModal();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(calls, 0);
}

void TestText::focusedButtonTakesReturn()
{
    // Tab from the field to a button and Return presses that button.
    QStringList placed;
    for (int tabs : {2, 1}) {
        frmText dialog([&](const QString& t) { placed << t; });
        bool onButton = false;
        WhenModal([&](QWidget*) {
            (void)QTest::qWaitFor([&] { return dialog.Text1->hasFocus(); });
            QTest::keyClicks(dialog.Text1, QStringLiteral("abc"));
            for (int i = 0; i < tabs; ++i)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            onButton = QApplication::focusWidget() == (tabs == 2 ? dialog.Command2 : dialog.Command1);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        dialog.ShowModal();
        QVERIFY(onButton);
        QVERIFY(!dialog.isVisible());
    }
    QCOMPARE(placed, QStringList{QStringLiteral("abc")}); // "Anuluj" placed nothing

    // The font dialog's button, focused, takes Return too.
    QStringList applied;
    frmFont fonts([&](const QString& name) { applied << name; });
    WhenModal([&](QWidget*) {
        (void)QTest::qWaitFor([&] { return fonts.Combo1->isVisible(); });
        fonts.Command1->setFocus();
        QTest::keyClick(fonts.Command1, Qt::Key_Return);
    });
    fonts.ShowModal();
    QVERIFY(!fonts.isVisible());
    QCOMPARE(applied.size(), 1);
}

void TestText::textDialogHidesBeforePlacingAndEmptiesOnShow()
{
    bool visibleWhilePlacing = true;
    frmText* self = nullptr;
    frmText dialog([&](const QString&) { visibleWhilePlacing = self->isVisible(); });
    self = &dialog;
    for (const QString& text : {QStringLiteral("raz"), QStringLiteral("dwa")}) {
        bool focused = false;
        QString before = QStringLiteral("unset");
        WhenModal([&](QWidget*) {
            // The offscreen platform does not re-activate a window shown again,
            // so ask for the dialog's focus child rather than the application's.
            focused = QTest::qWaitFor([&] { return dialog.focusWidget() == dialog.Text1; });
            before = dialog.Text1->text();
            QTest::keyClicks(dialog.Text1, text);
            dialog.Command1->setFocus(); // where a click leaves it
            QTest::mouseClick(dialog.Command1, Qt::LeftButton);
        });
        dialog.ShowModal();
        QVERIFY(focused);
        QCOMPARE(before, QString()); // emptied on every showing
        QVERIFY(!visibleWhilePlacing);
    }
}

void TestText::fontDialogFillsItsListOnceAndKeepsTheChoice()
{
    QStringList applied;
    frmFont dialog([&](const QString& name) { applied << name; });
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Zmień czcionkę"));
    QCOMPARE(dialog.size(), QSize(286, 144));
    QCOMPARE(dialog.Combo1->geometry(), QRect(8, 24, 185, 21));
    QCOMPARE(dialog.Command1->geometry(), QRect(208, 24, 65, 25));
    QCOMPARE(dialog.Frame1->geometry(), QRect(8, 56, 273, 81));
    QCOMPARE(dialog.Frame1->title(), QStringLiteral("Podgląd"));
    QCOMPARE(dialog.lblTest->text(), QStringLiteral("ABC abc ąćęłńóśźż"));
    QCOMPARE(dialog.lblTest->font().pointSizeF(), 13.5);

    // Each family once, by its plain name ("C059", not "C059 [urw]" and "C059 [UKWN]").
    QCOMPARE(PlainFamilies({QStringLiteral("C059 [UKWN]"), QStringLiteral("Bitstream [x] Sans"),
                            QStringLiteral("C059 [urw]"), QStringLiteral("DejaVu Sans"),
                            QStringLiteral("C059")}),
             (QStringList{QStringLiteral("C059"), QStringLiteral("Bitstream [x] Sans"),
                          QStringLiteral("DejaVu Sans")}));
    const QStringList families = PlainFamilies(QFontDatabase::families());
    QVERIFY(families.size() > 1);
    const int chosen = int(families.indexOf(QStringLiteral("DejaVu Sans")));
    QVERIFY(chosen > 0 || families.size() > 1);
    const int pick = chosen > 0 ? chosen : 1;

    // At load only the wait message shows; the list arrives 1 ms after showing.
    QVERIFY(dialog.Label2->isVisibleTo(&dialog));
    QCOMPARE(dialog.Label2->text(), QStringLiteral("Proszę czekać, trwa ładowanie listy czcionek"));
    QVERIFY(!dialog.Combo1->isVisibleTo(&dialog));
    QVERIFY(!dialog.Frame1->isVisibleTo(&dialog));
    QCOMPARE(dialog.Combo1->count(), 0);

    bool listed = false;
    int firstIndex = -1;
    QString firstPreview, pickedPreview;
    WhenModal([&](QWidget*) {
        listed = QTest::qWaitFor([&] { return dialog.Combo1->isVisible(); });
        firstIndex = dialog.Combo1->currentIndex();
        firstPreview = dialog.lblTest->font().family();
        dialog.Combo1->setCurrentIndex(pick);
        pickedPreview = dialog.lblTest->font().family();
        QTest::mouseClick(dialog.Command1, Qt::LeftButton);
    });
    dialog.ShowModal();
    QVERIFY(listed);
    QVERIFY(!dialog.Label2->isVisibleTo(&dialog));
    QCOMPARE(dialog.Combo1->count(), families.size());
    QCOMPARE(firstIndex, 0);
    QCOMPARE(firstPreview, families[0]);
    QCOMPARE(pickedPreview, families[pick]);
    QCOMPARE(applied, QStringList{families[pick]});

    bool listedAtOnce = false;
    int keptIndex = -1;
    WhenModal([&](QWidget*) {
        // Second showing: the list and the choice are there at once.
        listedAtOnce = dialog.Combo1->isVisible() && !dialog.Label2->isVisible();
        keptIndex = dialog.Combo1->currentIndex();
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    dialog.ShowModal();
    QVERIFY(listedAtOnce);
    QCOMPARE(keptIndex, pick);
    QCOMPARE(dialog.Combo1->count(), families.size());
    QCOMPARE(applied, (QStringList{families[pick], families[pick]}));
}

void TestText::fontDialogReturnInTheListKeepsItOpen()
{
    // "OK" is not the default button: Return in the font list leaves the
    // dialog open; Esc then closes it with the name chosen there.
    QStringList applied;
    frmFont dialog([&](const QString& name) { applied << name; });
    QString chosen;
    bool listFocused = false, openAfterReturn = false;
    WhenModal([&](QWidget*) {
        (void)QTest::qWaitFor([&] { return dialog.Combo1->isVisible(); });
        listFocused = QTest::qWaitFor([&] { return dialog.Combo1->hasFocus(); });
        dialog.Combo1->setCurrentIndex(dialog.Combo1->count() - 1);
        chosen = dialog.Combo1->currentText();
        QTest::keyClick(dialog.Combo1, Qt::Key_Return);
        openAfterReturn = dialog.isVisible() && applied.isEmpty();
        QTest::keyClick(dialog.Combo1, Qt::Key_Escape);
    });
    dialog.ShowModal();
    QVERIFY(listFocused);
    QVERIFY(!dialog.Command1->isDefault());
    QVERIFY(openAfterReturn);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(applied, QStringList{chosen});
}

void TestText::fontDialogEscAppliesTheChoice()
{
    QStringList applied;
    frmFont dialog([&](const QString& name) { applied << name; });
    WhenModal([&](QWidget*) {
        (void)QTest::qWaitFor([&] { return dialog.Combo1->isVisible(); });
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    dialog.ShowModal();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(applied, QStringList{PlainFamilies(QFontDatabase::families()).value(0)});
}

QTEST_MAIN(TestText)
#include "test_text.moc"

// Help texts, the help window and the about window.
#include <QDesktopServices>
#include <QTextBrowser>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "core/Palette.h"
#include "support/TestSupport.h"
#include "ui/HelpTexts.h"
#include "qt/QtColour.h"
#include "ui/ProgramPicture.h"
#include "ui/frmAbout.h"
#include "ui/frmHelp.h"

class TestHelp : public QObject {
    Q_OBJECT
public slots:
    // Receives URLs that the code under test asks the desktop to open.
    void openedUrl(const QUrl& url) { opened << url; }

private slots:
    void shortTexts_data();
    void shortTexts();
    void paletteTextJoinsTheColourName();
    void longTexts_data();
    void longTexts();
    void helpWindowLayout();
    void helpWindowFitsEveryLongText();
    void helpWindowHidesOnXAndOnText_data();
    void helpWindowHidesOnXAndOnText();
    void aboutWindowLayout();
    void programPictureFromTheIconOrDrawn();
    void aboutWindowClosesOnEnterAndEsc_data();
    void aboutWindowClosesOnEnterAndEsc();
    void aboutWebButtonOpensThePageAndStays();

private:
    QList<QUrl> opened;
};

static QString U(const std::string& s) { return QString::fromStdString(s); }

void TestHelp::shortTexts_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::newRow("pencil, first tool") << 0 << 0
        << "To narzędzie służy do rysowania pojedyńczych punktów";
    QTest::newRow("empty tool") << 0 << 5 << "PUSTE - może coś tu dam w nowej wersji";
    QTest::newRow("colour eraser, last tool") << 0 << 7 << "Gumka do mazania wybranego koloru";
    QTest::newRow("no ninth tool") << 0 << 8 << "";
    QTest::newRow("negative tool") << 0 << -1 << "";
    QTest::newRow("first colour") << 1 << 0 << "Kliknij tutaj, aby wybrać czarny kolor";
    QTest::newRow("no colour 16") << 1 << 16 << "";
    QTest::newRow("arrow down") << 2 << 2 << "To narzędzie przesuwa obraz w dół";
    QTest::newRow("no fifth arrow") << 2 << 4 << "";
    QTest::newRow("1:1 preview, any index") << 3 << 7 << "To jest podgląd ikony (skala 1:1)";
    QTest::newRow("half preview keeps its spelling") << 4 << 0 << "To jest podglad ikony (skala 1:2)";
    QTest::newRow("help bar") << 5 << 0 << "PIKSELAR v 1.0";
    QTest::newRow("no kind 6") << 6 << 0 << "";
    QTest::newRow("no kind -1") << -1 << 0 << "";
}

void TestHelp::shortTexts()
{
    QFETCH(int, kind);
    QFETCH(int, index);
    QFETCH(QString, text);
    QCOMPARE(U(ShortHelpText(kind, index)), text);
}

void TestHelp::paletteTextJoinsTheColourName()
{
    for (int i = 0; i < PaletteSize; ++i) {
        const QString name = QString::fromUtf8(ColorNames[i].data(), qsizetype(ColorNames[i].size()));
        QCOMPARE(U(ShortHelpText(ShortPalette, i)),
                 QStringLiteral("Kliknij tutaj, aby wybrać ") + name + QStringLiteral(" kolor"));
    }
}

void TestHelp::longTexts_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    const QString palette = QStringLiteral(
        "Paleta kolorów - dzięki palecie kolorów możemy wybrać kolor, którym chcemy się "
        "posługiwać. Dzięki temu nasza ikona moze byc kolorowa :-)");
    QTest::newRow("kinds count from 1: kind 0 is empty") << 0 << 0 << "";
    QTest::newRow("pencil") << 1 << 0
        << "Ołówek - to narzędzie służy do rysowania pojedyńczych punktów, lub odręcznych linii";
    QTest::newRow("empty tool") << 1 << 5 << "?";
    QTest::newRow("no ninth tool") << 1 << 8 << "";
    QTest::newRow("palette 0") << 2 << 0 << palette;
    QTest::newRow("palette 15, same text") << 2 << 15 << palette;
    QTest::newRow("arrow right") << 3 << 3
        << "Strzałka w prawo - to narzędzie przesuwa obraz ikony o 1 pixel w prawo.";
    QTest::newRow("no fifth arrow") << 3 << 4 << "";
    QTest::newRow("no kind 4") << 4 << 0 << "";
}

void TestHelp::longTexts()
{
    QFETCH(int, kind);
    QFETCH(int, index);
    QFETCH(QString, text);
    QCOMPARE(U(LongHelpText(kind, index)), text);
}

void TestHelp::helpWindowLayout()
{
    frmHelp help;
    QVERIFY(help.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(help.client->size(), QSize(152, 105));
    QCOMPARE(help.Label1->geometry(), QRect(0, 0, 137, 17));
    QCOMPARE(help.Label1->text(), QStringLiteral("Pomoc"));
    QCOMPARE(help.Label3->geometry(), QRect(136, 0, 17, 17));
    QCOMPARE(help.Label3->text(), QStringLiteral("X"));
    QCOMPARE(help.lblHelp->geometry(), QRect(4, 20, 145, 81));
    QVERIFY(help.lblHelp->wordWrap());

    help.show();
    QVERIFY(QTest::qWaitForWindowExposed(&help));
    const QImage shot = help.grab().toImage();
    const QPoint inClient = help.client->mapTo(&help, QPoint(2, 103));
    QCOMPARE(shot.pixelColor(inClient), QColor(255, 255, 192));
    const QPoint inStrip = help.Label1->mapTo(&help, QPoint(2, 2));
    QCOMPARE(shot.pixelColor(inStrip), QColor(0, 0, 255));
}

void TestHelp::helpWindowFitsEveryLongText()
{
    frmHelp help;
    for (int kind = LongToolbar; kind <= LongArrow; ++kind) {
        for (int index = 0; index < 8; ++index) {
            const QString text = U(LongHelpText(kind, index));
            if (text.isEmpty())
                continue;
            help.setHelpText(text);
            QCOMPARE(help.lblHelp->text(), text);
            const QRect needed = QFontMetrics(help.lblHelp->font())
                                     .boundingRect(QRect(0, 0, 145, 10000), Qt::TextWordWrap, text);
            QVERIFY2(needed.height() <= 81, qPrintable(text));
        }
    }
}

void TestHelp::helpWindowHidesOnXAndOnText_data()
{
    QTest::addColumn<bool>("onX");
    QTest::newRow("X") << true;
    QTest::newRow("text") << false;
}

void TestHelp::helpWindowHidesOnXAndOnText()
{
    QFETCH(bool, onX);
    frmHelp help;
    help.setHelpText(QStringLiteral("?"));
    bool wasModal = false;
    WhenModal([&](QWidget* w) {
        wasModal = w == &help;
        QTest::mouseClick(onX ? help.Label3 : help.lblHelp, Qt::LeftButton);
    });
    help.ShowModal(); // returns only once hidden
    QVERIFY(wasModal);
    QVERIFY(!help.isVisible());
}

void TestHelp::aboutWindowLayout()
{
    frmAbout about;
    QCOMPARE(about.windowTitle(), QStringLiteral("O programie"));
    QCOMPARE(about.size(), QSize(382, 237));
    QVERIFY(about.windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(!(about.windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(about.windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(about.picIcon->geometry(), QRect(16, 16, 32, 32));
    QCOMPARE(about.lblTitle->geometry(), QRect(70, 16, 259, 32));
    QCOMPARE(about.lblTitle->text(), QStringLiteral("Pikselar"));
    QCOMPARE(about.lblTitle->font().pointSizeF(), 13.5);
    QCOMPARE(about.lblVersion->geometry(), QRect(70, 52, 259, 15));
    QCOMPARE(about.lblVersion->text(), QStringLiteral("wersja 1.0"));
    QCOMPARE(about.lblDescription->geometry(), QRect(70, 75, 259, 78));
    QVERIFY(about.lblDescription->wordWrap());
    QVERIFY(about.lblDescription->text().startsWith(QStringLiteral("Ten program służy")));
    QVERIFY(about.lblDescription->text().endsWith(QStringLiteral("czeste odwiedzanie mojej strony WWW")));
    QCOMPARE(about.lblDisclaimer->geometry(), QRect(17, 175, 258, 55));
    QCOMPARE(about.lblDisclaimer->text(), QString());
    QCOMPARE(about.cmdOK->geometry(), QRect(283, 175, 84, 23));
    QCOMPARE(about.cmdOK->text(), QStringLiteral("OK"));
    QVERIFY(about.cmdOK->isDefault());
    QCOMPARE(about.cmdSysInfo->geometry(), QRect(284, 205, 83, 23));
    QCOMPARE(about.cmdSysInfo->text(), QStringLiteral("&Strona WWW"));

    QCOMPARE(about.picIcon->pixmap().size(), QSize(32, 32));
    // The description fits its rectangle, last words included.
    const QRect needed = QFontMetrics(about.lblDescription->font())
                             .boundingRect(QRect(0, 0, 259, 100000), Qt::TextWordWrap,
                                           about.lblDescription->text());
    QVERIFY(needed.height() <= 78);

    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    const QImage shot = about.grab().toImage();
    QCOMPARE(shot.pixelColor(6, 163), QColor(128, 128, 128));
    QCOMPARE(shot.pixelColor(377, 163), QColor(128, 128, 128));
    QCOMPARE(shot.pixelColor(7, 164), QColor(255, 255, 255));
    QCOMPARE(shot.pixelColor(200, 165), QColor(255, 255, 255));
    QVERIFY(shot.pixelColor(200, 166) != QColor(255, 255, 255));
    QCOMPARE(shot.pixelColor(60, 30), about.palette().color(QPalette::Window));
}

void TestHelp::programPictureFromTheIconOrDrawn()
{
    const Colour back = Rgb(10, 20, 30); // no palette colour: shows where transparent
    const auto census = [back](const QImage& image) {
        const Surface s = SurfaceFromImage(image, back);
        int palette = 0, transparent = 0, other = 0;
        for (int y = 0; y < s.height(); ++y)
            for (int x = 0; x < s.width(); ++x)
                (s.pixel(x, y) == back ? transparent : PaletteIndexOf(s.pixel(x, y)) >= 0 ? palette : other)++;
        return QList<int>{palette, transparent, other};
    };

    // The built-in icon, read by the program's own reader.
    const QImage shipped = ProgramPicture(back);
    QCOMPARE(shipped.size(), QSize(32, 32));
    const QList<int> fromFile = census(shipped);
    QCOMPARE(fromFile[2], 0);
    QVERIFY(fromFile[0] > 0);

    // No icon, or one the reader refuses: the drawn picture, all palette.
    QTemporaryDir empty;
    const QImage drawn = ProgramPicture(back, empty.filePath(QStringLiteral("none.ico")));
    QCOMPARE(drawn.size(), QSize(32, 32));
    QCOMPARE(census(drawn), (QList<int>{1024, 0, 0}));
    QFile broken(empty.filePath(QStringLiteral("pikselar.ico")));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write(QByteArray(766, 'x'));
    broken.close();
    QCOMPARE(ProgramPicture(back, broken.fileName()), drawn);
    QVERIFY(shipped != drawn);
    // The built-in icon is the shipped file itself.
    QCOMPARE(shipped, ProgramPicture(back, QStringLiteral(PIKSELAR_SOURCE_DIR "/data/pikselar.ico")));
}

void TestHelp::aboutWindowClosesOnEnterAndEsc_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
}

void TestHelp::aboutWindowClosesOnEnterAndEsc()
{
    QFETCH(int, key);
    QPointer<frmAbout> about = new frmAbout;
    about->setAttribute(Qt::WA_DeleteOnClose);
    WhenModal([&](QWidget* w) { QTest::keyClick(w, Qt::Key(key)); });
    about->exec();
    QTRY_VERIFY(about.isNull()); // unloaded, not merely hidden
}

void TestHelp::aboutWebButtonOpensThePageAndStays()
{
    opened.clear();
    QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "openedUrl");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "openedUrl");
    frmAbout about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QTest::mouseClick(about.cmdSysInfo, Qt::LeftButton);
    // Tab to the button and Return: the page again, and the window stays.
    about.activateWindow();
    QTRY_VERIFY(about.isActiveWindow());
    about.cmdOK->setFocus();
    QTest::keyClick(about.cmdOK, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), about.cmdSysInfo);
    QTest::keyClick(about.cmdSysInfo, Qt::Key_Return);
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(opened.size(), 2);
    QCOMPARE(opened[0], frmAbout::MakerPage());
    QCOMPARE(opened[1], frmAbout::MakerPage());
    QVERIFY(about.isVisible());

    // Without a web address the page built into the program is opened, from
    // a file written out for the browser: the shipped page, byte for byte.
    QVERIFY(opened[0].isLocalFile());
    QFile page(opened[0].toLocalFile());
    QVERIFY(page.open(QIODevice::ReadOnly));
    QFile shipped(QStringLiteral(PIKSELAR_SOURCE_DIR "/data/pikselar.html"));
    QVERIFY(shipped.open(QIODevice::ReadOnly));
    QCOMPARE(page.readAll(), shipped.readAll());

    // No launcher at all (none under the offscreen platform, as on a bare
    // system without xdg-open): the program shows its page itself.
    QString title, text;
    WhenModal([&](QWidget* w) {
        title = w->windowTitle();
        if (const auto* view = w->findChild<QTextBrowser*>())
            text = view->toPlainText();
        w->close();
    });
    QTest::mouseClick(about.cmdSysInfo, Qt::LeftButton);
    QCOMPARE(title, QStringLiteral("Strona WWW"));
    QVERIFY2(text.contains(QStringLiteral("wersja 1.0")), qPrintable(text));
    QVERIFY(about.isVisible());
}

QTEST_MAIN(TestHelp)
#include "test_help.moc"

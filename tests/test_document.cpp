// New, Clear, Exit and the shutdown: what each leaves in the image and the
// editor, and that every way of closing writes the options once.
#include <csignal>

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "core/Procedury.h"
#include "core/Undo.h"
#include "support/TestSupport.h"
#include "transfer/frmtmp.h"
#include "ui/ProgramFolder.h"
#include "qt/SurfaceView.h"
#include "ui/TerminationSignals.h"
#include "ui/frmMain.h"

class TestDocument : public QObject {
    Q_OBJECT
private slots:
    void init();
    void clearingCommands_data();
    void clearingCommands();
    void shortcutsReachTheCommands();
    void everyCloseRunsTheShutdownOnce_data();
    void everyCloseRunsTheShutdownOnce();
    void terminationDuringPlacementEndsCleanly();

private:
    std::unique_ptr<QTemporaryDir> config_;
};

namespace {
// A drawing in three colours over the whole image, and a named file.
void Scribble(Editor& e)
{
    e.CurrentFileName = "/tmp/bild.ico";
    for (int i = 0; i < ImageSize; ++i) {
        e.picMini.setPixel(i, i, PaletteColors[1]);
        e.picMini.setPixel(ImageSize - 1 - i, i, PaletteColors[3]);
        e.picMini.setPixel(i, 0, PaletteColors[0]);
    }
}

QString Uniform(int width, int height, char digit)
{
    QStringList rows;
    for (int y = 0; y < height; ++y)
        rows << QString(width, QChar(digit));
    return Rows(rows);
}

QByteArray OptionsBytes()
{
    QFile f(OptionsFile());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

void TestDocument::init()
{
    config_ = std::make_unique<QTemporaryDir>();
    QVERIFY(config_->isValid());
    qputenv("XDG_CONFIG_HOME", config_->path().toLocal8Bit());
}

void TestDocument::clearingCommands_data()
{
    QTest::addColumn<bool>("nowy");
    QTest::newRow("Nowy forgets the file") << true;
    QTest::newRow("Czyść obraz keeps the file") << false;
}

void TestDocument::clearingCommands()
{
    QFETCH(bool, nowy);
    ScriptedDialogs dialogs;
    frmMain w(dialogs);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    Editor& e = w.editor();
    w.prz[0]->trigger();
    e.CurrentColor = 5;
    e.CurrentTool = ToolLine;
    Scribble(e);
    TakeSnapshot(e);
    const QString snapshot = Rows(e.Undo1);
    const Surface drawn = e.picMini;
    ChangeLog log(e.picMini);

    (nowy ? w.mnuNowy : w.mnuCzyśćObraz)->trigger();

    QCOMPARE(Rows(e.picMini), Uniform(ImageSize, ImageSize, 'b'));
    QCOMPARE(log.changes, QStringList(nowy ? "New" : "Clear"));
    QCOMPARE(log.MissedPixels(drawn), QString());
    QCOMPARE(e.CurrentFileName, nowy ? std::string() : std::string("/tmp/bild.ico"));
    // No undo snapshot, and the settings stay.
    QCOMPARE(Rows(e.Undo1), snapshot);
    QCOMPARE(e.TransparentIndex, 0);
    QCOMPARE(int(e.CurrentColor), 5);
    QCOMPARE(int(e.CurrentTool), int(ToolLine));
    // What the window shows follows.
    QTRY_COMPARE(w.picIkona->grab().toImage().pixelColor(100, 100), QColor(0, 255, 255));
    QVERIFY(dialogs.messages.empty());
}

void TestDocument::shortcutsReachTheCommands()
{
    ScriptedDialogs dialogs;
    frmMain w(dialogs);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    Editor& e = w.editor();

    Scribble(e);
    QTest::keyClick(&w, Qt::Key_Delete);
    QCOMPARE(e.picMini.pixel(0, 0), PaletteColors[ImageBackIndex]);
    QCOMPARE(e.CurrentFileName, std::string("/tmp/bild.ico"));

    Scribble(e);
    QTest::keyClick(&w, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(e.picMini.pixel(0, 0), PaletteColors[ImageBackIndex]);
    QVERIFY(e.CurrentFileName.empty());

    QTest::keyClick(&w, Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(!w.isVisible());
    QCOMPARE(OptionsBytes(), QByteArray("11\n1\n1\n1\n1\n0\n1\n"));
}

void TestDocument::everyCloseRunsTheShutdownOnce_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Koniec") << "Koniec";
    QTest::newRow("close box") << "close";
    QTest::newRow("SIGTERM") << "SIGTERM";
    QTest::newRow("SIGHUP") << "SIGHUP";
}

void TestDocument::everyCloseRunsTheShutdownOnce()
{
    QFETCH(QString, how);
    ScriptedDialogs dialogs;
    frmMain w(dialogs);
    TerminationSignals terminate(&w);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.tmp->show();
    Scribble(w.editor()); // unsaved work: nothing asks
    w.prz[NoTransparentIndex]->trigger();
    w.mnuPokażSiatkę->trigger();

    if (how == "Koniec")
        w.mnuKoniec->trigger();
    else if (how == "close")
        w.close();
    else
        std::raise(how == "SIGTERM" ? SIGTERM : SIGHUP);

    QTRY_VERIFY(!w.isVisible());
    QVERIFY(!w.tmp->isVisible());
    QVERIFY(dialogs.messages.empty());
    QCOMPARE(OptionsBytes(), QByteArray("17\n1\n1\n1\n1\n1\n1\n"));

    // A second close (the application quitting after the window) writes nothing more.
    QVERIFY(QFile::remove(OptionsFile()));
    w.close();
    w.Zamknij();
    QVERIFY(!QFile::exists(OptionsFile()));
}

void TestDocument::terminationDuringPlacementEndsCleanly()
{
    ScriptedDialogs dialogs;
    frmMain w(dialogs);
    TerminationSignals terminate(&w);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QImage large(64, 64, QImage::Format_RGB32);
    large.fill(Qt::red);
    QGuiApplication::clipboard()->setImage(large);

    bool placing = false;
    WhenModal([&](QWidget* modal) {
        placing = modal == w.tmp;
        std::raise(SIGTERM);
    });
    w.mnuWklej->trigger(); // returns once the placement window is gone
    QVERIFY(placing);
    QTRY_VERIFY(!w.isVisible());
    QVERIFY(!w.tmp->isVisible());
    QCOMPARE(w.editor().picMini.pixel(0, 0), PaletteColors[ImageBackIndex]); // nothing placed
    QCOMPARE(OptionsBytes(), QByteArray("11\n1\n1\n1\n1\n0\n1\n"));
}

QTEST_MAIN(TestDocument)
#include "test_document.moc"

// The history window: the states newest first with the newest selected, the
// keys that choose and leave, thumbnails with exact pixels, the empty history
// and the note when nothing can be recorded.
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListView>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <sys/stat.h>

#include "files/HistoryFolder.h"
#include "files/HistoryStore.h"
#include "ui/frmHistoria.h"
#include "support/HistoryPictures.h"
#include "ui/frmHistoriaModel.h"

namespace {
QRgb ToQRgb(Colour c) { return qRgb(Red(c), Green(c), Blue(c)); }
} // namespace

class TestHistoria : public QObject {
    Q_OBJECT
private slots:
    void init();

    void windowListsNewestFirstAndRestoresTheChoice();
    void windowThumbnailsShowExactPixels();
    void emptyWindowSaysSoAndReturnDoesNothing();
    void windowTellsWhyNothingIsRecorded();

private:
    std::unique_ptr<QTemporaryDir> home_;
    QString folder_; // where the store keeps the history
};

void TestHistoria::init()
{
    home_ = std::make_unique<QTemporaryDir>();
    QVERIFY(home_->isValid());
    qputenv("XDG_STATE_HOME", QFile::encodeName(home_->path() + "/state"));
    folder_ = QString::fromStdString(HistoryFolderFromEnvironment());
}

void TestHistoria::windowListsNewestFirstAndRestoresTheChoice()
{
    HistoryStore store(folder_.toStdString());
    store.record(Numbered(1), "Ołówek");
    store.record(Numbered(2), "Czyść");
    store.record(Numbered(3), "Przywrócenie");
    {
        frmHistoria window(store);
        QCOMPARE(window.windowTitle(), QString("Historia"));
        QVERIFY(window.isModal());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(window.lstStany));
        QAbstractItemModel* rows = window.lstStany->model();
        QCOMPARE(rows->rowCount(), 3);
        QVERIFY(rows->index(0, 0).data().toString().startsWith("Przywrócenie\n"));
        QVERIFY(rows->index(2, 0).data().toString().startsWith("Ołówek\n"));
        QCOMPARE(window.lstStany->currentIndex().row(), 0);
        QVERIFY(window.lblPusta->isHidden() && window.lblUwaga->isHidden());

        QTest::keyClick(window.lstStany, Qt::Key_Down);
        QTest::keyClick(window.lstStany, Qt::Key_Down);
        QTest::keyClick(window.lstStany, Qt::Key_Up);
        QTest::keyClick(window.lstStany, Qt::Key_Return);
        QCOMPARE(window.result(), int(QDialog::Accepted));
        QVERIFY(window.chosen() && *window.chosen() == Numbered(2));
    }
    frmHistoria window(store);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::keyClick(window.lstStany, Qt::Key_Down);
    QTest::keyClick(window.lstStany, Qt::Key_Escape);
    QCOMPARE(window.result(), int(QDialog::Rejected));
    QVERIFY(!window.isVisible() && !window.chosen());
}

void TestHistoria::windowThumbnailsShowExactPixels()
{
    HistoryImage image = Busy(1);
    image[33] = Rgb(250, 1, 2);
    HistoryStore store(folder_.toStdString());
    store.record(image, "Import");
    frmHistoria window(store);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // As painted, on the selected row: no smoothing, no tint.
    const QRect row = window.lstStany->visualRect(window.lstStany->currentIndex());
    const QImage painted = window.lstStany->viewport()->grab(row).toImage();
    const int scale = frmHistoriaModel::ThumbnailScale;
    const QSize side = QSize(32, 32) * scale;
    QPoint at(-1, -1);
    for (int y = 0; y + side.height() <= painted.height() && at.x() < 0; ++y)
        for (int x = 0; x + side.width() <= painted.width() && at.x() < 0; ++x)
            if (painted.pixel(x, y) == ToQRgb(image[0]) && painted.pixel(x + 2 * scale, y) == ToQRgb(image[2]))
                at = QPoint(x, y);
    QVERIFY2(at.x() >= 0, "the thumbnail is not in the row as its pixels");
    for (int y = 0; y < side.height(); ++y)
        for (int x = 0; x < side.width(); ++x)
            QCOMPARE(painted.pixel(at + QPoint(x, y)), ToQRgb(image[std::size_t(y / scale * 32 + x / scale)]));
}

void TestHistoria::emptyWindowSaysSoAndReturnDoesNothing()
{
    HistoryStore store(folder_.toStdString());
    frmHistoria window(store);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.lblPusta->isVisible());
    QCOMPARE(window.lblPusta->text(), QString("Historia jest pusta."));
    QVERIFY(window.lblUwaga->isHidden());
    QTest::keyClick(window.lstStany, Qt::Key_Return);
    QTest::keyClick(&window, Qt::Key_Return);
    QVERIFY(window.isVisible());
    QVERIFY(!window.chosen());
}

void TestHistoria::windowTellsWhyNothingIsRecorded()
{
    QVERIFY(QDir().mkpath(QFileInfo(folder_).path()));
    QCOMPARE(::mkfifo(QFile::encodeName(folder_).constData(), 0600), 0);
    HistoryStore store(folder_.toStdString());
    store.record(Numbered(8), "Wklej");
    frmHistoria window(store);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.lblUwaga->text(), QString("Historia nie jest zapisywana: folder historii nie jest folderem"));
    QVERIFY(window.lblUwaga->isVisible());
    // This run's states are offered all the same.
    QTest::keyClick(window.lstStany, Qt::Key_Return);
    QVERIFY(window.chosen() && *window.chosen() == Numbered(8));
}

QTEST_MAIN(TestHistoria)
#include "test_historia.moc"

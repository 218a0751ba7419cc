// The picture history: what its store keeps and in what order, its bounds,
// the coalescing of a change still in progress, torn writes, two writers at
// once, the places where it must refuse to write without blocking; and the
// history window, driven by its keys.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <memory>
#include <set>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "files/HistoryFolder.h"
#include "files/HistoryStore.h"
#include "ui/frmHistoria.h"
#include "ui/frmHistoriaModel.h"

namespace {
// A picture that tells its number: pixel 0 holds it, the rest a pattern with
// colours from outside the palette.
HistoryImage Numbered(int n, int colours = 4)
{
    HistoryImage image;
    for (int i = 0; i < HistoryPixels; ++i)
        image[i] = Rgb(std::uint8_t(i % colours * 7), std::uint8_t(i % colours), 3);
    image[0] = Colour{std::uint32_t(n)};
    return image;
}

// A picture of 1024 different colours: the largest a state gets.
HistoryImage Busy(int n)
{
    HistoryImage image;
    for (int i = 0; i < HistoryPixels; ++i)
        image[i] = Colour{std::uint32_t(n) << 10 | std::uint32_t(i)};
    return image;
}

int NumberOf(const HistoryRow& row)
{
    HistoryImage image;
    if (!DecodeHistoryPicture(row.picture.data(), row.picture.size(), image))
        return -1;
    return int(std::uint32_t(image[0]));
}

// The numbers of the rows, oldest first.
std::vector<int> Numbers(const std::vector<HistoryRow>& rows)
{
    std::vector<int> numbers;
    for (auto r = rows.rbegin(); r != rows.rend(); ++r)
        numbers.push_back(NumberOf(*r));
    return numbers;
}

std::vector<int> Range(int from, int to)
{
    std::vector<int> v;
    for (int i = from; i < to; ++i)
        v.push_back(i);
    return v;
}

QString Text(const std::vector<int>& v)
{
    QStringList parts;
    for (int i : v)
        parts << QString::number(i);
    return parts.join(' ');
}

QRgb ToQRgb(Colour c) { return qRgb(Red(c), Green(c), Blue(c)); }

int Mode(const QString& path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

std::int64_t SizeOnDisk(const QString& folder)
{
    std::int64_t size = 0;
    for (const QFileInfo& f : QDir(folder).entryInfoList(QDir::Files))
        size += f.size();
    return size;
}
} // namespace

class TestHistory : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void folderComesFromTheEnvironment_data();
    void folderComesFromTheEnvironment();
    void picturesKeepEveryColour();
    void damagedPictureBytesAreRefused();

    void statesComeBackNewestFirst();
    void nothingIsMadeBeforeTheFirstState();
    void stepsOfOneChangeMakeOneState();
    void finishedChangesAreNeverDropped();
    void keepsTheNewestTenThousand();
    void staysWithinSixteenMegabytes();

    void twoProgramsKeepEachOthersStates();
    void killedWriterLosesAtMostTheStateInHand();
    void truncatedFileIsReadAndReplaced();
    void foreignFileIsSetAsideUntouched();
    void badPlacesRefuseWithoutBlocking_data();
    void badPlacesRefuseWithoutBlocking();
    void noFolderKeepsTheRunInMemory();

    void windowListsNewestFirstAndRestoresTheChoice();
    void windowThumbnailsShowExactPixels();
    void emptyWindowSaysSoAndReturnDoesNothing();
    void windowTellsWhyNothingIsRecorded();

private:
    std::unique_ptr<QTemporaryDir> home_;
    QString folder_; // where the store keeps the history
    QString path_;   // its database file
};

void TestHistory::init()
{
    home_ = std::make_unique<QTemporaryDir>();
    QVERIFY(home_->isValid());
    qputenv("XDG_STATE_HOME", QFile::encodeName(home_->path() + "/state"));
    folder_ = QString::fromStdString(HistoryFolderFromEnvironment());
    path_ = folder_ + "/historia.db";
}

void TestHistory::cleanup()
{
    // Read-only folders left by a case would stop the clean-up.
    if (home_)
        QProcess::execute("chmod", {"-R", "u+rwx", home_->path()});
    home_.reset();
}

void TestHistory::folderComesFromTheEnvironment_data()
{
    QTest::addColumn<QByteArray>("state");
    QTest::addColumn<QByteArray>("home");
    QTest::addColumn<QString>("folder");
    QTest::newRow("state") << QByteArray("/s/t") << QByteArray("/h") << "/s/t/pikselar";
    QTest::newRow("no state") << QByteArray() << QByteArray("/h") << "/h/.local/state/pikselar";
    QTest::newRow("relative state") << QByteArray("s") << QByteArray("/h") << "/h/.local/state/pikselar";
    QTest::newRow("relative home") << QByteArray() << QByteArray("h") << "";
    QTest::newRow("neither") << QByteArray() << QByteArray() << "";
}

void TestHistory::folderComesFromTheEnvironment()
{
    QFETCH(QByteArray, state);
    QFETCH(QByteArray, home);
    QFETCH(QString, folder);
    const QByteArray oldHome = qgetenv("HOME");
    const auto set = [](const char* name, const QByteArray& value) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    };
    set("XDG_STATE_HOME", state);
    set("HOME", home);
    const QString found = QString::fromStdString(HistoryFolderFromEnvironment());
    qputenv("HOME", oldHome);
    QCOMPARE(found, folder);
}

void TestHistory::picturesKeepEveryColour()
{
    for (const HistoryImage& image : {Numbered(7, 1), Numbered(9, 16), Numbered(0x00FFFFFF, 2), Busy(3),
                                      HistoryImage{}}) {
        const std::vector<std::uint8_t> bytes = EncodeHistoryPicture(image);
        HistoryImage back;
        back.fill(OutsideColour);
        QVERIFY(DecodeHistoryPicture(bytes.data(), bytes.size(), back));
        QVERIFY(back == image);
    }
    // What the bound is made for: an ordinary icon takes a few hundred bytes.
    QVERIFY(EncodeHistoryPicture(Numbered(1, 15)).size() < 700);
    QVERIFY(EncodeHistoryPicture(Busy(1)).size() < 5400);
}

void TestHistory::damagedPictureBytesAreRefused()
{
    const std::vector<std::uint8_t> good = EncodeHistoryPicture(Numbered(5, 2));
    const HistoryImage untouched = Numbered(1);
    auto refused = [&](std::vector<std::uint8_t> bytes) {
        HistoryImage image = untouched;
        return !DecodeHistoryPicture(bytes.data(), bytes.size(), image) && image == untouched;
    };
    QVERIFY(refused({}));
    QVERIFY(refused(std::vector<std::uint8_t>(good.begin(), good.end() - 1)));
    auto longer = good;
    longer.push_back(0);
    QVERIFY(refused(longer));
    auto format = good;
    format[0] = 2;
    QVERIFY(refused(format));
    auto none = good;
    none[1] = none[2] = 0;
    QVERIFY(refused(none));
    // Three colours take two bits a pixel: index 3 points past the table.
    auto index = good;
    index[index.size() - 1] = 0xFF;
    QVERIFY(refused(index));
}

void TestHistory::statesComeBackNewestFirst()
{
    {
        HistoryStore store(folder_.toStdString());
        store.record(Numbered(1), "Ołówek");
        store.record(Numbered(2), "Linia");
        store.record(Numbered(3), "Czyść");
        QVERIFY(store.flush(std::chrono::seconds(5)));
        QCOMPARE(QString::fromStdString(store.problem()), QString());
        // On disk once flushed, whatever the process does next.
        QCOMPARE(QString::number(Mode(folder_), 8), QString("700"));
        for (const QString& name : QDir(folder_).entryList(QDir::Files))
            QCOMPARE(name + " " + QString::number(Mode(folder_ + "/" + name), 8), name + " 600");
    }
    HistoryStore next(folder_.toStdString());
    const std::vector<HistoryRow> rows = next.read();
    QCOMPARE(Text(Numbers(rows)), QString("1 2 3"));
    QCOMPARE(QString::fromStdString(rows[0].cause), QString("Czyść"));
    QCOMPARE(QString::fromStdString(rows[2].cause), QString("Ołówek"));
    QVERIFY(rows[0].id > rows[1].id && rows[1].timeMs >= rows[2].timeMs);
    HistoryImage back;
    QVERIFY(DecodeHistoryPicture(rows[1].picture.data(), rows[1].picture.size(), back));
    QVERIFY(back == Numbered(2));
}

void TestHistory::nothingIsMadeBeforeTheFirstState()
{
    { HistoryStore store(folder_.toStdString()); }
    QVERIFY(!QFileInfo::exists(QFileInfo(folder_).path()));
    QVERIFY(HistoryStore(folder_.toStdString()).read().empty());
    {
        HistoryStore store(folder_.toStdString());
        store.record(Numbered(1), "Nowy");
    } // the end of the store writes what is pending
    QCOMPARE(Text(Numbers(HistoryStore(folder_.toStdString()).read())), QString("1"));
}

void TestHistory::stepsOfOneChangeMakeOneState()
{
    HistoryStore store(folder_.toStdString());
    store.record(Numbered(1), "Nowy");
    for (int i = 100; i < 150; ++i)
        store.recordStep(Numbered(i), "Ołówek");
    store.record(Numbered(150), "Ołówek");
    QVERIFY(store.flush(std::chrono::seconds(5)));
    QCOMPARE(Text(Numbers(store.read())), QString("1 150"));

    // A long stroke is on disk while it goes on, still as one state.
    store.recordStep(Numbered(200), "Ołówek");
    QVERIFY(store.flush(std::chrono::seconds(5)));
    QCOMPARE(Text(Numbers(HistoryStore(folder_.toStdString()).read())), QString("1 150 200"));
    store.recordStep(Numbered(201), "Ołówek");
    QVERIFY(store.flush(std::chrono::seconds(5)));
    store.record(Numbered(202), "Ołówek");
    store.record(Numbered(203), "Cofnij");
    QVERIFY(store.flush(std::chrono::seconds(5)));
    QCOMPARE(Text(Numbers(HistoryStore(folder_.toStdString()).read())), QString("1 150 202 203"));
}

void TestHistory::finishedChangesAreNeverDropped()
{
    HistoryStore store(folder_.toStdString());
    for (int i = 0; i < 300; ++i)
        store.record(Numbered(i), "Przesunięcie");
    QVERIFY(store.flush(std::chrono::seconds(10)));
    QCOMPARE(Text(Numbers(store.read())), Text(Range(0, 300)));
}

void TestHistory::keepsTheNewestTenThousand()
{
    {
        HistoryStore store(folder_.toStdString());
        for (int i = 0; i < 10000; ++i)
            store.record(Numbered(i), "Ołówek");
        QVERIFY(store.flush(std::chrono::seconds(60)));
        QCOMPARE(store.read().size(), std::size_t(10000));
        // Each state written drops the oldest.
        for (int i = 10000; i < 10040; ++i)
            store.record(Numbered(i), "Ołówek");
    }
    QCOMPARE(Text(Numbers(HistoryStore(folder_.toStdString()).read())), Text(Range(40, 10040)));
}

void TestHistory::staysWithinSixteenMegabytes()
{
    constexpr int Count = 4000; // about 21 MB of the largest states
    HistoryStore store(folder_.toStdString());
    for (int i = 0; i < Count; ++i) {
        store.record(Busy(i), "Import");
        if (i % 500 == 499) {
            QVERIFY(store.flush(std::chrono::seconds(60)));
            QVERIFY2(SizeOnDisk(folder_) <= HistoryMaxBytes, qPrintable(QString::number(SizeOnDisk(folder_))));
        }
    }
    QVERIFY(store.flush(std::chrono::seconds(60)));
    const std::vector<HistoryRow> rows = store.read();
    // Full, not emptied: the newest states stay, in order, the oldest went.
    QVERIFY2(rows.size() > 2500 && rows.size() < std::size_t(Count), qPrintable(QString::number(rows.size())));
    std::vector<int> numbers;
    for (const HistoryRow& r : rows) {
        HistoryImage image;
        QVERIFY(DecodeHistoryPicture(r.picture.data(), r.picture.size(), image));
        numbers.insert(numbers.begin(), int(std::uint32_t(image[0]) >> 10));
    }
    QCOMPARE(Text(numbers), Text(Range(Count - int(rows.size()), Count)));
    QVERIFY(SizeOnDisk(folder_) <= HistoryMaxBytes);
}

void TestHistory::twoProgramsKeepEachOthersStates()
{
    const pid_t child = ::fork();
    if (child == 0) {
        HistoryStore other(folder_.toStdString());
        for (int i = 1000; i < 1200; ++i)
            other.record(Numbered(i), "Linia");
        _exit(other.flush(std::chrono::seconds(30)) ? 0 : 1);
    }
    QVERIFY(child > 0);
    HistoryStore store(folder_.toStdString());
    for (int i = 0; i < 200; ++i) {
        store.record(Numbered(i), "Ołówek");
        if (i % 20 == 0)
            store.flush(std::chrono::seconds(5));
    }
    QVERIFY(store.flush(std::chrono::seconds(30)));
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    std::vector<int> numbers = Numbers(store.read());
    std::sort(numbers.begin(), numbers.end());
    std::vector<int> both = Range(0, 200);
    const std::vector<int> theirs = Range(1000, 1200);
    both.insert(both.end(), theirs.begin(), theirs.end());
    QCOMPARE(Text(numbers), Text(both));
}

void TestHistory::killedWriterLosesAtMostTheStateInHand()
{
    // The child records state after state and tells which are on disk; it is
    // killed while it goes on writing.
    int pipeEnds[2];
    QCOMPARE(::pipe(pipeEnds), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        HistoryStore store(folder_.toStdString());
        for (int i = 0;; ++i) {
            store.record(Busy(i), "Ołówek");
            if (store.flush(std::chrono::seconds(10)) && ::write(pipeEnds[1], &i, sizeof i) != sizeof i)
                _exit(1);
        }
    }
    ::close(pipeEnds[1]);
    int confirmed = -1;
    int n = 0;
    while (confirmed < 60 && ::read(pipeEnds[0], &n, sizeof n) == sizeof n)
        confirmed = n;
    ::kill(child, SIGKILL);
    while (::read(pipeEnds[0], &n, sizeof n) == sizeof n)
        confirmed = n;
    ::close(pipeEnds[0]);
    ::waitpid(child, nullptr, 0);
    QVERIFY(confirmed >= 60);

    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open(QFile::encodeName(path_).constData(), &db), SQLITE_OK);
    sqlite3_stmt* check = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &check, nullptr);
    QCOMPARE(sqlite3_step(check), SQLITE_ROW);
    QCOMPARE(QString(reinterpret_cast<const char*>(sqlite3_column_text(check, 0))), QString("ok"));
    sqlite3_finalize(check);
    sqlite3_close(db);

    HistoryStore store(folder_.toStdString());
    std::vector<int> numbers;
    for (const HistoryRow& r : store.read()) {
        HistoryImage image;
        QVERIFY(DecodeHistoryPicture(r.picture.data(), r.picture.size(), image));
        numbers.insert(numbers.begin(), int(std::uint32_t(image[0]) >> 10));
    }
    // Everything confirmed, and at most the one being written after it.
    QVERIFY2(numbers.size() == std::size_t(confirmed + 1) || numbers.size() == std::size_t(confirmed + 2),
             qPrintable(QString::number(numbers.size())));
    QCOMPARE(Text(numbers), Text(Range(0, int(numbers.size()))));
    store.record(Numbered(1), "Nowy");
    QVERIFY(store.flush(std::chrono::seconds(5)));
}

void TestHistory::truncatedFileIsReadAndReplaced()
{
    {
        HistoryStore store(folder_.toStdString());
        for (int i = 0; i < 400; ++i)
            store.record(Numbered(i, 16), "Ołówek");
    }
    QFile file(path_);
    const qint64 size = file.size();
    QVERIFY(size > 100000);
    QVERIFY(file.resize(size / 2));

    HistoryStore store(folder_.toStdString());
    // What can be read is shown as the window opens, up to the damage.
    const std::vector<int> readable = Numbers(store.read());
    QVERIFY2(readable.size() > 50, qPrintable(Text(readable)));
    QCOMPARE(Text(readable), Text(Range(0, int(readable.size()))));
    store.record(Numbered(1000), "Nowy");
    QVERIFY(store.flush(std::chrono::seconds(5)));
    QCOMPARE(QString::fromStdString(store.problem()), QString());
    // Set aside, and what was readable carried over.
    QVERIFY(QFileInfo::exists(path_ + ".uszkodzona"));
    QCOMPARE(Text(Numbers(store.read())), Text(readable) + " 1000");
}

void TestHistory::foreignFileIsSetAsideUntouched()
{
    QVERIFY(QDir().mkpath(folder_));
    const QByteArray foreign = "Lista zakupów: chleb, mleko\n";
    QFile file(path_);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(foreign);
    file.close();

    HistoryStore store(folder_.toStdString());
    QVERIFY(store.read().empty());
    store.record(Numbered(5), "Otwórz");
    QVERIFY(store.flush(std::chrono::seconds(5)));
    QCOMPARE(Text(Numbers(store.read())), QString("5"));
    QFile aside(path_ + ".uszkodzona");
    QVERIFY(aside.open(QIODevice::ReadOnly));
    QCOMPARE(aside.readAll(), foreign);
}

void TestHistory::badPlacesRefuseWithoutBlocking_data()
{
    QTest::addColumn<QString>("bad");
    QTest::addColumn<QString>("reason");
    QTest::newRow("folder is a pipe") << "fifo folder" << "folder historii nie jest folderem";
    QTest::newRow("folder is a file") << "file folder" << "folder historii nie jest folderem";
    QTest::newRow("folder is a link") << "link folder" << "folder historii jest dowiązaniem";
    QTest::newRow("folder read-only") << "read-only folder" << "folder historii jest tylko do odczytu";
    QTest::newRow("file is a pipe") << "fifo file" << "plik historii nie jest zwykłym plikiem";
    QTest::newRow("file is a folder") << "folder file" << "plik historii jest folderem";
    QTest::newRow("file is a link") << "link file" << "plik historii jest dowiązaniem";
    QTest::newRow("log is a link") << "link log" << "plik pomocniczy historii jest dowiązaniem";
    QTest::newRow("log is a pipe") << "fifo log" << "plik pomocniczy historii nie jest zwykłym plikiem";
}

void TestHistory::badPlacesRefuseWithoutBlocking()
{
    QFETCH(QString, bad);
    QFETCH(QString, reason);
    const QString elsewhere = home_->path() + "/elsewhere";
    QVERIFY(QDir().mkpath(elsewhere));
    QFile target(elsewhere + "/historia.db");
    QVERIFY(target.open(QIODevice::WriteOnly));
    target.write("cudzy plik");
    target.close();
    const QByteArray folder = QFile::encodeName(folder_);
    QVERIFY(QDir().mkpath(QFileInfo(folder_).path()));
    if (bad.endsWith("folder") && bad != "read-only folder") {
        if (bad == "fifo folder")
            QCOMPARE(::mkfifo(folder.constData(), 0600), 0);
        else if (bad == "file folder")
            QVERIFY(QFile(folder_).open(QIODevice::WriteOnly));
        else
            QVERIFY(QFile::link(elsewhere, folder_));
    } else {
        QVERIFY(QDir().mkpath(folder_));
        const QByteArray file = QFile::encodeName(path_);
        const QByteArray log = file + "-wal";
        if (bad == "read-only folder")
            QCOMPARE(::chmod(folder.constData(), 0500), 0);
        else if (bad == "fifo file")
            QCOMPARE(::mkfifo(file.constData(), 0600), 0);
        else if (bad == "folder file")
            QVERIFY(QDir().mkpath(path_));
        else if (bad == "link file")
            QVERIFY(QFile::link(target.fileName(), path_));
        else if (bad == "link log")
            QVERIFY(QFile::link(target.fileName(), QFile::decodeName(log)));
        else
            QCOMPARE(::mkfifo(log.constData(), 0600), 0);
    }
    const QDateTime before = QFileInfo(target.fileName()).lastModified();

    HistoryStore store(folder_.toStdString());
    QCOMPARE(QString::fromStdString(store.problem()), reason);
    store.record(Numbered(1), "Ołówek");
    store.record(Numbered(2), "Linia");
    QVERIFY(!store.flush(std::chrono::seconds(5)));
    QCOMPARE(QString::fromStdString(store.problem()), reason);
    // This run's states are still offered, from memory.
    QCOMPARE(Text(Numbers(store.read())), QString("1 2"));
    store.finish(std::chrono::seconds(5));

    QCOMPARE(QDir(elsewhere).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"historia.db"});
    QVERIFY(target.open(QIODevice::ReadOnly));
    QCOMPARE(target.readAll(), QByteArray("cudzy plik"));
    QCOMPARE(QFileInfo(target.fileName()).lastModified(), before);
    if (bad == "read-only folder")
        QCOMPARE(QDir(folder_).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

void TestHistory::noFolderKeepsTheRunInMemory()
{
    HistoryStore store("");
    QVERIFY(!store.problem().empty());
    store.record(Numbered(4), "Wklej");
    QVERIFY(!store.flush(std::chrono::seconds(5)));
    QCOMPARE(Text(Numbers(store.read())), QString("4"));
}

void TestHistory::windowListsNewestFirstAndRestoresTheChoice()
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

void TestHistory::windowThumbnailsShowExactPixels()
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

void TestHistory::emptyWindowSaysSoAndReturnDoesNothing()
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

void TestHistory::windowTellsWhyNothingIsRecorded()
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

QTEST_MAIN(TestHistory)
#include "test_history.moc"

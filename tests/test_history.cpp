// The picture history's store: where it lives, what it keeps and in what
// order, its bounds, the coalescing of a change still in progress, and two
// programs writing at once.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "files/HistoryFolder.h"
#include "files/HistoryStore.h"
#include "support/HistoryHome.h"
#include "support/HistoryPictures.h"

namespace {
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

private:
    HistoryHome home_;
    QString folder_;
    QString path_;
};

void TestHistory::init()
{
    QVERIFY(home_.make());
    folder_ = home_.folder;
    path_ = home_.path;
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
    // Into the image and out again, colours outside the palette included.
    Surface surface(32, 32, Rgb(0, 128, 128));
    PutHistoryImage(Busy(5), surface);
    QVERIFY(HistoryImageOf(surface) == Busy(5));
    QCOMPARE(surface.pixel(31, 31), Busy(5)[1023]);
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
    QCOMPARE(Text(Numbers(rows, true)), Text(Range(Count - int(rows.size()), Count)));
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

QTEST_GUILESS_MAIN(TestHistory)
#include "test_history.moc"

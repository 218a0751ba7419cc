// The picture history where things go wrong: a writer killed in the middle
// of a commit, a truncated or foreign file (or one that only claims to be ours), and folders and files that are
// pipes, links or read-only, where the store must refuse without blocking,
// never write through a link, and still offer the run's states from memory.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <csignal>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "files/HistoryFolder.h"
#include "files/HistoryStore.h"
#include "support/HistoryHome.h"
#include "support/HistoryPictures.h"

class TestHistoryDamage : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void killedWriterLosesAtMostTheStateInHand();
    void truncatedFileIsReadAndReplaced();
    void foreignFileIsSetAsideUntouched_data();
    void foreignFileIsSetAsideUntouched();
    void badPlacesRefuseWithoutBlocking_data();
    void badPlacesRefuseWithoutBlocking();
    void noFolderKeepsTheRunInMemory();

private:
    HistoryHome home_;
    QString folder_;
    QString path_;
};

void TestHistoryDamage::init()
{
    QVERIFY(home_.make());
    folder_ = home_.folder;
    path_ = home_.path;
}

void TestHistoryDamage::cleanup()
{
    // Read-only folders left by a case would stop the clean-up.
    home_.remove();
}

void TestHistoryDamage::killedWriterLosesAtMostTheStateInHand()
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
    const std::vector<int> numbers = Numbers(store.read(), true);
    // Everything confirmed, and at most the one being written after it.
    QVERIFY2(numbers.size() == std::size_t(confirmed + 1) || numbers.size() == std::size_t(confirmed + 2),
             qPrintable(QString::number(numbers.size())));
    QCOMPARE(Text(numbers), Text(Range(0, int(numbers.size()))));
    store.record(Numbered(1), "Nowy");
    QVERIFY(store.flush(std::chrono::seconds(5)));
}

void TestHistoryDamage::truncatedFileIsReadAndReplaced()
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

void TestHistoryDamage::foreignFileIsSetAsideUntouched_data()
{
    QTest::addColumn<QByteArray>("sql"); // makes the file; none: a text file
    QTest::newRow("text") << QByteArray();
    QTest::newRow("other database") << QByteArray("CREATE TABLE notes(text)");
    // Marked as ours, but its table is not.
    QTest::newRow("other columns") << QByteArray("PRAGMA application_id = 1349219180;"
                                                 "CREATE TABLE states(id INTEGER PRIMARY KEY, time)");
    QTest::newRow("a trigger") << QByteArray(
        "PRAGMA application_id = 1349219180; CREATE TABLE states(id INTEGER PRIMARY KEY, time "
        "INTEGER NOT NULL, cause TEXT NOT NULL, picture BLOB NOT NULL); CREATE TRIGGER t BEFORE "
        "INSERT ON states BEGIN SELECT RAISE(ABORT, 'no'); END");
}

void TestHistoryDamage::foreignFileIsSetAsideUntouched()
{
    QFETCH(QByteArray, sql);
    QVERIFY(QDir().mkpath(folder_));
    if (sql.isEmpty()) {
        QFile file(path_);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Lista zakupów: chleb, mleko\n");
    } else {
        sqlite3* db = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(path_).constData(), &db), SQLITE_OK);
        QCOMPARE(sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }
    QFile file(path_);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray foreign = file.readAll();
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

void TestHistoryDamage::badPlacesRefuseWithoutBlocking_data()
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

void TestHistoryDamage::badPlacesRefuseWithoutBlocking()
{
    QFETCH(QString, bad);
    QFETCH(QString, reason);
    const QString elsewhere = home_.root() + "/elsewhere";
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

void TestHistoryDamage::noFolderKeepsTheRunInMemory()
{
    HistoryStore store("");
    QVERIFY(!store.problem().empty());
    store.record(Numbered(4), "Wklej");
    QVERIFY(!store.flush(std::chrono::seconds(5)));
    QCOMPARE(Text(Numbers(store.read())), QString("4"));
}

QTEST_GUILESS_MAIN(TestHistoryDamage)
#include "test_historydamage.moc"

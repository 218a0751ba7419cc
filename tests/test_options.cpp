// The options file: what the reader takes from good and bad files, and how
// the main window restores and saves the seven settings.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

#include <sys/stat.h>
#include <unistd.h>

#include "files/SafeFile.h"
#include "files/OptionsFile.h"
#include "support/TestSupport.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/ProgramFolder.h"
#include "ui/frmMain.h"

class TestOptions : public QObject {
    Q_OBJECT
private slots:
    void init();
    void parse_data();
    void parse();
    void writtenFormReadsBack();
    void largeFilesStayHarmless();

    void locationFollowsTheConfigurationFolder();
    void windowRestoresTheFile_data();
    void windowRestoresTheFile();
    void settingsSurviveARestart();
    void helpBarOffKeepsTheWindowTallUntilAResize();
    void missingOrUnwritableFolderIsSilent();
    void onlyARegularFileIsReadOrReplaced_data();
    void onlyARegularFileIsReadOrReplaced();
    void fullDiskLeavesTheOldFileWhole();
    void twoSavesOfTheOptionsNeverMeet();
    void onlyRealConfigurationFoldersAreWritten_data();
    void onlyRealConfigurationFoldersAreWritten();

private:
    QString optionsPath() const { return OptionsFile(); }
    void writeOptions(const QByteArray& bytes);
    std::unique_ptr<QTemporaryDir> config_;
};

namespace {
// The views of a StoredOptions as six characters: 1 on, 0 off, - initial.
QString Views(const StoredOptions& s)
{
    QString text;
    for (const auto& v : s.views)
        text += !v ? QChar('-') : *v ? QChar('1') : QChar('0');
    return text;
}

StoredOptions Parse(const QByteArray& bytes)
{
    return ParseOptions(std::string_view(bytes.constData(), size_t(bytes.size())));
}

// The check marks of the transparent menu and of the six views, like Views().
QString Marks(frmMain& w)
{
    QString text;
    for (QAction* a : {w.mnuPozycjaM, w.mnuRamki, w.mnuPokazuj1, w.mnuPokazuj2, w.mnuPokażSiatkę,
                       w.mnuPasekPomocy})
        text += a->isChecked() ? QChar('1') : QChar('0');
    return text;
}

int CheckedTransparentEntry(frmMain& w)
{
    int found = -1;
    for (int i = 0; i <= NoTransparentIndex; ++i)
        if (w.prz[i]->isChecked()) {
            if (found >= 0)
                return -2; // two check marks
            found = i;
        }
    return found;
}
} // namespace

void TestOptions::init()
{
    // Each test gets a configuration folder of its own.
    config_ = std::make_unique<QTemporaryDir>();
    QVERIFY(config_->isValid());
    qputenv("XDG_CONFIG_HOME", config_->path().toLocal8Bit());
}

void TestOptions::writeOptions(const QByteArray& bytes)
{
    QVERIFY(QDir().mkpath(QFileInfo(optionsPath()).absolutePath()));
    QFile f(optionsPath());
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

void TestOptions::parse_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("transparent"); // -1: stays initial
    QTest::addColumn<QString>("views");

    QTest::newRow("as written") << QByteArray("3\n0\n1\n0\n1\n1\n0\n") << 3 << "010110";
    QTest::newRow("commas") << QByteArray("17,1,1,1,1,0,1") << 17 << "111101";
    QTest::newRow("commas, line ends and blanks")
        << QByteArray(" 5 ,\r\n 1,\n\n0 , 1\r\n1\t,\t0,1\n") << 5 << "101101";
    QTest::newRow("old Mac line ends") << QByteArray("0\r1\r0\r1\r0\r1\r") << 0 << "10101-";
    QTest::newRow("signs and leading zeros") << QByteArray("011,+1,-0,01,0001,-1,1") << 11 << "101101";
    QTest::newRow("empty") << QByteArray() << -1 << "------";
    QTest::newRow("blank lines only") << QByteArray("\n \r\n\t\n") << -1 << "------";
    QTest::newRow("short") << QByteArray("4,0,0") << 4 << "00----";
    QTest::newRow("16 is the separator") << QByteArray("16,0,0,0,0,1,0") << -1 << "000010";
    QTest::newRow("item 1 negative") << QByteArray("-1,0,0,0,0,0,0") << -1 << "000000";
    QTest::newRow("item 1 above 17") << QByteArray("18,0,0,0,0,0,0") << -1 << "000000";
    QTest::newRow("huge numbers")
        << QByteArray("99999999999999999999999,99999999999999999999999,-99999999999999999999,1,1,1,1")
        << -1 << "001111";
    QTest::newRow("2 and -1 count as off") << QByteArray("2,2,-1,1,1,1,1") << 2 << "001111";
    QTest::newRow("non-numbers keep their setting")
        << QByteArray("abc,0,x,1.0,1 1,0,0") << -1 << "0---00";
    QTest::newRow("empty item between commas") << QByteArray("11,,0,0,0,0,0") << 11 << "-00000";
    QTest::newRow("final comma and extra items")
        << QByteArray("1,0,0,0,0,0,0,1,1,1,") << 1 << "000000";
    QTest::newRow("binary garbage") << QByteArray("\x00\xff\x01\x7f,\x80\x00", 7) << -1 << "------";
    QTest::newRow("a NUL inside a number") << QByteArray("1\x00" "1,1", 5) << -1 << "1-----";
}

void TestOptions::parse()
{
    QFETCH(QByteArray, text);
    QFETCH(int, transparent);
    QFETCH(QString, views);
    const StoredOptions s = Parse(text);
    QCOMPARE(s.transparentIndex.value_or(-1), transparent);
    QCOMPARE(Views(s), views);
}

void TestOptions::writtenFormReadsBack()
{
    for (int t = 0; t <= NoTransparentIndex; ++t) {
        if (t == PaletteSize)
            continue;
        for (int bits = 0; bits < 64; bits += t + 1) {
            std::array<bool, ViewOptionCount> views{};
            for (int i = 0; i < ViewOptionCount; ++i)
                views[i] = bits >> i & 1;
            const StoredOptions s = ParseOptions(FormatOptions(t, views));
            QCOMPARE(s.transparentIndex.value_or(-1), t);
            for (int i = 0; i < ViewOptionCount; ++i)
                QCOMPARE(s.views[i].value_or(!views[i]), views[i]);
        }
    }
}

void TestOptions::largeFilesStayHarmless()
{
    // A megabyte after good items: the items count, the rest is ignored.
    QByteArray good("9,0,1,0,1,0,1,");
    good += QByteArray(1 << 20, 'x');
    StoredOptions s = Parse(good);
    QCOMPARE(s.transparentIndex.value_or(-1), 9);
    QCOMPARE(Views(s), QStringLiteral("010101"));

    // A megabyte-long first item is a number far out of range.
    s = Parse(QByteArray(1 << 20, '7') + ",1,1,1,1,1,1");
    QVERIFY(!s.transparentIndex);
    QCOMPARE(Views(s), QStringLiteral("111111"));

    // A megabyte of separators holds no item.
    s = Parse(QByteArray(1 << 20, '\n'));
    QVERIFY(!s.transparentIndex);
    QCOMPARE(Views(s), QStringLiteral("------"));
}

void TestOptions::locationFollowsTheConfigurationFolder()
{
    // The test executable has no header.dat beside it, like an installed program.
    QCOMPARE(OptionsFile(), config_->filePath(QStringLiteral("pikselar/opcje.dat")));
}

void TestOptions::windowRestoresTheFile_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("transparent");
    QTest::addColumn<QString>("marks");

    QTest::newRow("no file") << QByteArray() << 11 << "111101";
    QTest::newRow("17 restores brak") << QByteArray("17,1,1,1,1,0,1") << 17 << "111101";
    QTest::newRow("everything flipped") << QByteArray("0\n0\n0\n0\n0\n1\n0\n") << 0 << "000010";
    QTest::newRow("2 counts as off") << QByteArray("5,2,2,2,2,2,2") << 5 << "000000";
    QTest::newRow("16 keeps the colour") << QByteArray("16,1,0,1,0,1,0") << 11 << "101010";
    QTest::newRow("short file") << QByteArray("3,0") << 3 << "011101";
    QTest::newRow("garbage") << QByteArray("\x89PNG\r\n\x1a\n\x00\x00") << 11 << "111101";
}

void TestOptions::windowRestoresTheFile()
{
    QFETCH(QByteArray, text);
    QFETCH(int, transparent);
    QFETCH(QString, marks);
    if (!text.isEmpty())
        writeOptions(text);
    ScriptedDialogs dialogs;
    frmMain w(dialogs);
    QCOMPARE(CheckedTransparentEntry(w), transparent);
    QCOMPARE(w.editor().TransparentIndex, transparent);
    QCOMPARE(Marks(w), marks);
    // Restored through the entries' own handlers: what they show follows.
    QCOMPARE(!w.Namiary->isHidden(), marks[0] == '1');
    QCOMPARE(!w.Shape2->isHidden(), marks[1] == '1');
    QCOMPARE(!w.picMini->isHidden(), marks[2] == '1');
    QCOMPARE(!w.picEXE->isHidden(), marks[3] == '1');
    QVERIFY(dialogs.messages.empty()); // a bad file is never reported
}

void TestOptions::settingsSurviveARestart()
{
    ScriptedDialogs dialogs;
    {
        frmMain w(dialogs);
        w.prz[13]->trigger();
        for (QAction* a : {w.mnuPozycjaM, w.mnuPokazuj2, w.mnuPokażSiatkę, w.mnuPasekPomocy})
            a->trigger();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.close(); // the shutdown writes the file
    }
    QFile f(optionsPath());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("13\n0\n1\n1\n0\n1\n0\n"));

    frmMain again(dialogs);
    QCOMPARE(CheckedTransparentEntry(again), 13);
    QCOMPARE(Marks(again), QStringLiteral("011010"));
    QVERIFY(dialogs.messages.empty());
}

void TestOptions::helpBarOffKeepsTheWindowTallUntilAResize()
{
    writeOptions("11,1,1,1,1,0,0");
    ScriptedDialogs dialogs;
    frmMain w(dialogs);
    QVERIFY(w.lblHelp->isHidden()); // hidden at once
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const int tall = w.height(); // with the menu bar, which comes at show()
    QCOMPARE(w.centralWidget()->height(), 311);
    QTRY_VERIFY(w.ResizeLock);     // Timer1 has fired
    QCOMPARE(w.height(), tall);
    // The window manager cannot resize it; a restore from minimised applies the rule.
    w.showMinimized();
    w.showNormal();
    QTRY_COMPARE(w.height(), tall - 32);
    QCOMPARE(w.minimumHeight(), tall - 32); // the one size the window manager is told
    QCOMPARE(w.StartHeight, tall - 32);
}

void TestOptions::missingOrUnwritableFolderIsSilent()
{
    // "pikselar" is a plain file, so the options folder cannot be made.
    QFile blocker(config_->filePath(QStringLiteral("pikselar")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.write("not a folder");
    blocker.close();

    ScriptedDialogs dialogs;
    frmMain w(dialogs);
    QCOMPARE(Marks(w), QStringLiteral("111101"));
    w.prz[2]->trigger();
    w.SaveOpt();
    QVERIFY(dialogs.messages.empty());
    QVERIFY(blocker.open(QIODevice::ReadOnly));
    QCOMPARE(blocker.readAll(), QByteArray("not a folder"));

    QVERIFY(!QFileInfo(optionsPath()).exists());
}

namespace {
struct stat LStat(const QString& path)
{
    struct stat st {};
    ::lstat(QFile::encodeName(path).constData(), &st);
    return st;
}
} // namespace

void TestOptions::onlyARegularFileIsReadOrReplaced_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("written"); // else left exactly as it was
    QTest::newRow("FIFO") << "fifo" << false;
    QTest::newRow("link to a character device") << "device" << false;
    QTest::newRow("folder") << "folder" << false;
    QTest::newRow("link to a folder") << "linkfolder" << false;
    QTest::newRow("dangling link") << "dangling" << false;
    QTest::newRow("read-only file") << "readonly" << false;
    QTest::newRow("link to a regular file") << "linkfile" << true;
    QTest::newRow("file of mode 0600") << "private" << true;
}

void TestOptions::onlyARegularFileIsReadOrReplaced()
{
    QFETCH(QString, kind);
    QFETCH(bool, written);
    const QString file = optionsPath();
    QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()));
    const QByteArray native = QFile::encodeName(file);
    const QString real = config_->filePath(QStringLiteral("real.dat"));
    const QByteArray stored("3\n0\n0\n0\n0\n1\n0\n");
    auto writeReal = [&](const QString& path) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(stored);
    };
    if (kind == "fifo") {
        QCOMPARE(::mkfifo(native.constData(), 0644), 0);
    } else if (kind == "device") {
        QVERIFY(QFile::link(QStringLiteral("/dev/null"), file));
    } else if (kind == "folder") {
        QVERIFY(QDir().mkdir(file));
    } else if (kind == "linkfolder") {
        QVERIFY(QFile::link(config_->path(), file));
    } else if (kind == "dangling") {
        QVERIFY(QFile::link(config_->filePath(QStringLiteral("nowhere")), file));
    } else if (kind == "readonly") {
        writeReal(file);
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    } else if (kind == "linkfile") {
        writeReal(real);
        QVERIFY(QFile::link(real, file));
    } else if (kind == "private") {
        writeReal(file);
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner));
    }
    const struct stat before = LStat(file);
    const struct stat nullBefore = LStat(QStringLiteral("/dev/null"));

    // Start-up reads it (a FIFO would block here for good), shutdown writes it.
    ScriptedDialogs dialogs;
    frmMain w(dialogs);
    const bool readable = kind == "readonly" || kind == "linkfile" || kind == "private";
    QCOMPARE(CheckedTransparentEntry(w), readable ? 3 : 11);
    QCOMPARE(Marks(w), readable ? QStringLiteral("000010") : QStringLiteral("111101"));
    w.prz[5]->trigger();
    w.SaveOpt();

    const struct stat after = LStat(file);
    QCOMPARE(after.st_mode, before.st_mode); // a link stays a link, a FIFO a FIFO
    const QString target = kind == "linkfile" ? real : file;
    if (written) {
        QFile f(target);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("5\n0\n0\n0\n0\n1\n0\n"));
        QCOMPARE(LStat(target).st_mode & 07777, mode_t(kind == "private" ? 0600 : LStat(real).st_mode & 07777));
    } else {
        QCOMPARE(after.st_ino, before.st_ino);
        QCOMPARE(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
        QCOMPARE(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
    }
    const struct stat nullAfter = LStat(QStringLiteral("/dev/null"));
    QVERIFY(S_ISCHR(nullAfter.st_mode));
    QCOMPARE(nullAfter.st_ino, nullBefore.st_ino);
    // No temporary file is left anywhere.
    QCOMPARE(QDir(QFileInfo(file).absolutePath()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System),
             QStringList{QStringLiteral("opcje.dat")});
}

void TestOptions::fullDiskLeavesTheOldFileWhole()
{
    writeOptions("3,1,1,1,1,1,1\n");
    ScriptedDialogs dialogs;
    frmMain w(dialogs);
    w.prz[4]->trigger();
    static int calls = 0;
    FileWriteCall = [](int fd, const void* data, std::size_t size) -> ssize_t {
        if (calls++ == 0)
            return ::write(fd, data, std::min<std::size_t>(size, 3)); // "4\n1" fits, no more
        errno = ENOSPC;
        return -1;
    };
    w.SaveOpt();
    FileWriteCall = ::write;
    QVERIFY(calls >= 2);
    QFile f(optionsPath());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("3,1,1,1,1,1,1\n"));
    QCOMPARE(QDir(QFileInfo(optionsPath()).path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("opcje.dat")});
}

void TestOptions::twoSavesOfTheOptionsNeverMeet()
{
    // Two copies of the program end at once: the first is held after
    // writing its temporary file while the second writes the options.
    const QString file = optionsPath();
    std::array<bool, ViewOptionCount> firstViews{true, false, true, false, true, false};
    std::array<bool, ViewOptionCount> secondViews{false, true, false, true, false, true};
    static std::function<void()> during;
    bool secondWritten = false;
    QStringList whileHeld;
    during = [&] {
        const QDir folder(QFileInfo(file).path());
        const QStringList before = folder.entryList(QDir::Files | QDir::Hidden);
        secondWritten = WriteOptionsFile(file, 7, secondViews);
        whileHeld = folder.entryList(QDir::Files | QDir::Hidden);
        whileHeld.removeAll(QStringLiteral("opcje.dat"));
        QCOMPARE(whileHeld, before); // the held temporary file, untouched
    };
    FileWriteCall = [](int fd, const void* data, std::size_t size) -> ssize_t {
        const ssize_t n = ::write(fd, data, size);
        FileWriteCall = ::write;
        std::exchange(during, nullptr)();
        return n;
    };
    const bool firstWritten = WriteOptionsFile(file, 4, firstViews);
    FileWriteCall = ::write;
    QVERIFY(firstWritten);
    QVERIFY(secondWritten);
    QCOMPARE(whileHeld.size(), 1);
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray::fromStdString(FormatOptions(4, firstViews)));
    QCOMPARE(QDir(QFileInfo(file).path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("opcje.dat")});
    // A new file gets the mode the user's umask gives, not a private one.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    QCOMPARE(LStat(file).st_mode & 07777, mode_t(0666 & ~mask));
}

void TestOptions::onlyRealConfigurationFoldersAreWritten_data()
{
    QTest::addColumn<QByteArray>("home");   // "-": unset; "@": a real folder
    QTest::addColumn<QByteArray>("config"); // the same for XDG_CONFIG_HOME
    QTest::addColumn<QString>("expected");  // under "@" of HOME or of XDG_CONFIG_HOME; empty: none
    QTest::newRow("no HOME, no XDG_CONFIG_HOME") << QByteArray("-") << QByteArray("-") << QString();
    QTest::newRow("empty HOME") << QByteArray("") << QByteArray("-") << QString();
    QTest::newRow("relative HOME") << QByteArray("home") << QByteArray("") << QString();
    QTest::newRow("HOME that is not there") << QByteArray("/nonexistent/home") << QByteArray("-") << QString();
    QTest::newRow("HOME only") << QByteArray("@") << QByteArray("-") << QStringLiteral("HOME/.config");
    QTest::newRow("relative XDG_CONFIG_HOME") << QByteArray("@") << QByteArray("cfg") << QStringLiteral("HOME/.config");
    QTest::newRow("XDG_CONFIG_HOME, no HOME") << QByteArray("-") << QByteArray("@") << QStringLiteral("XDG");
}

void TestOptions::onlyRealConfigurationFoldersAreWritten()
{
    QFETCH(QByteArray, home);
    QFETCH(QByteArray, config);
    QFETCH(QString, expected);
    const QByteArray oldHome = qgetenv("HOME");
    QTemporaryDir homeDir, work;
    const auto set = [](const char* name, const QByteArray& value, const QString& real) {
        if (value == "-")
            qunsetenv(name);
        else
            qputenv(name, value == "@" ? QFile::encodeName(real) : value);
    };
    set("HOME", home, homeDir.path());
    set("XDG_CONFIG_HOME", config, config_->path());
    // Relative names would be taken from the working directory.
    const QString oldWork = QDir::currentPath();
    QVERIFY(QDir::setCurrent(work.path()));
    const bool rootConfigBefore = QFileInfo::exists(QStringLiteral("/.config/pikselar"));

    const QString folder = expected.isEmpty() ? QString()
        : expected == QLatin1String("XDG") ? config_->path()
                                          : homeDir.filePath(QStringLiteral(".config"));
    QCOMPARE(UserConfigFolder(), folder);
    QCOMPARE(OptionsFile(), folder.isEmpty() ? QString() : folder + QStringLiteral("/pikselar/opcje.dat"));
    {
        ScriptedDialogs dialogs;
        frmMain w(dialogs);
        w.prz[6]->trigger();
        w.SaveOpt();
        QVERIFY(dialogs.messages.empty());
    }
    // Qt's own settings go where the options go, or nowhere.
    KeepQtSettingsInConfigFolder();
    {
        QSettings qt(QSettings::UserScope, QStringLiteral("QtProject"));
        qt.setValue(QStringLiteral("probe"), 1);
        qt.sync();
        QCOMPARE(qt.status() == QSettings::NoError, !folder.isEmpty());
    }
    QVERIFY(QDir::setCurrent(oldWork));
    qputenv("HOME", oldHome);

    if (!folder.isEmpty()) {
        QFile f(folder + QStringLiteral("/pikselar/opcje.dat"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().startsWith("6\n"));
        QVERIFY(QFileInfo::exists(folder + QStringLiteral("/QtProject.conf")));
    }
    // Nothing anywhere else: not in the working directory, not at the root.
    QCOMPARE(QDir(work.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    if (!rootConfigBefore)
        QVERIFY(!QFileInfo::exists(QStringLiteral("/.config/pikselar")));
    if (expected != QLatin1String("HOME/.config"))
        QCOMPARE(QDir(homeDir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    QVERIFY(S_ISCHR(LStat(QStringLiteral("/dev/null")).st_mode));
}

QTEST_MAIN(TestOptions)
#include "test_options.moc"

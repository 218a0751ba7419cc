// Save, Save As and Open on the main window, with scripted dialogs and real
// files: what is written, what is refused, and that a failed save never
// costs the old file.
#include <ctime>
#include <functional>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/types.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <QFileDialog>
#include <QListWidget>

#include "core/Procedury.h"
#include "files/NativeNames.h"
#include "files/ReadGate.h"
#include "files/SafeFile.h"
#include "files/IconReader.h"
#include "support/TestSupport.h"
#include "qt/SurfaceView.h"
#include "ui/frmMain.h"

class TestFileCommands : public QObject {
    Q_OBJECT
private slots:
    void init();
    void saveAsProposesNumberedNamesAndWritesWithoutExtension();
    void saveWithoutCurrentFileIsSaveAs();
    void saveReplacesCurrentFileOrWritesItAgain();
    void failedSaveKeepsOldFileAndSays_data();
    void failedSaveKeepsOldFileAndSays();
    void openReadsIconAndLocksCanvasBriefly();
    void openRefusals_data();
    void openRefusals();
    void cancelledDialogsChangeNothing();
    void fullDiskKeepsOldFileAndSays_data();
    void fullDiskKeepsOldFileAndSays();
    void saveKeepsTheFilesIdentity();
    void twoSavesOfOneFileNeverMeet();
    void onlyOldLeftoversOfOurOwnSavesAreCleared();
    void everyFileFilterListsNamesWithoutADot();
    void dialogsOpenWhereTheUserWorks();
    void openDialogsListNamesThatAreNotUtf8();

private:
    QString path(const QString& name) const { return dir_->filePath(name); }
    std::unique_ptr<QTemporaryDir> dir_;
};

namespace {
const QString SaveFailure = QStringLiteral("Wystąpił nieznany błąd!!");
const QString NotAnIcon = QStringLiteral("Podany plik nie jest prawidłowym plikiem ikony");
const QString IconFilter = QStringLiteral("Ikony (*.ico)|*.ico|Wszystkie pliki (*.*)|*.*");

// A main window whose header.dat is the repository's.
struct Window {
    ScriptedDialogs dialogs;
    frmMain w{dialogs};
    Window() { w.HeaderFolder = QStringLiteral(PIKSELAR_SOURCE_DIR "/data"); }
    Editor& e() { return w.editor(); }
};

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

// The icon that the editor's image gives under its transparent colour.
QByteArray IconOf(Window& win, const QString& scratch)
{
    win.dialogs.fileAnswers.push_back(scratch);
    const std::string keep = win.e().CurrentFileName;
    const int counter = win.w.SaveAsCounter;
    win.w.mnuZapiszJako_Click();
    win.e().CurrentFileName = keep;
    win.w.SaveAsCounter = counter;
    win.dialogs.initialNames.removeLast();
    return ReadAll(scratch);
}

void Draw(Editor& e, int colour)
{
    e.CurrentColor = std::uint8_t(colour);
    for (int i = 0; i < ImageSize; ++i)
        PaintCell(e, i, (i * 7) % ImageSize);
}
} // namespace

void TestFileCommands::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void TestFileCommands::saveAsProposesNumberedNamesAndWritesWithoutExtension()
{
    Window win;
    win.dialogs.fileAnswers = {std::nullopt, std::nullopt, path(QStringLiteral("ikona03"))};
    for (int i = 0; i < 3; ++i)
        win.w.mnuZapiszJako_Click();
    QCOMPARE(win.dialogs.initialNames,
             QStringList({QStringLiteral("ikona01"), QStringLiteral("ikona02"), QStringLiteral("ikona03")}));
    QCOMPARE(win.dialogs.fileTitles.last(), QString()); // the system's own title
    QCOMPARE(win.dialogs.fileFilters.last(), IconFilter);
    QCOMPARE(QString::fromStdString(win.e().CurrentFileName), path(QStringLiteral("ikona03")));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{QStringLiteral("ikona03")});
    const QByteArray file = ReadAll(path(QStringLiteral("ikona03")));
    QCOMPARE(file.size(), 766);
    // The blank image with "morski" transparent: all code 0, all masked.
    QCOMPARE(file.mid(126, 512), QByteArray(512, '\0'));
    QCOMPARE(file.mid(638), QByteArray(128, '\xFF'));
    QVERIFY(win.dialogs.messages.empty());

    win.w.SaveAsCounter = 9;
    win.dialogs.fileAnswers = {std::nullopt, std::nullopt};
    win.w.mnuZapiszJako_Click();
    win.w.mnuZapiszJako_Click();
    QCOMPARE(win.dialogs.initialNames.mid(3), QStringList({QStringLiteral("ikona10"), QStringLiteral("ikona11")}));
}

void TestFileCommands::saveWithoutCurrentFileIsSaveAs()
{
    Window win;
    win.dialogs.fileAnswers = {path(QStringLiteral("a.ico"))};
    win.w.mnuZapisz->trigger(); // through the menu entry and its connection
    QCOMPARE(win.dialogs.initialNames, QStringList{QStringLiteral("ikona01")});
    QCOMPARE(QString::fromStdString(win.e().CurrentFileName), path(QStringLiteral("a.ico")));
    QCOMPARE(ReadAll(path(QStringLiteral("a.ico"))).size(), 766);
}

void TestFileCommands::saveReplacesCurrentFileOrWritesItAgain()
{
    Window win;
    const QString target = path(QStringLiteral("b.ico"));
    win.dialogs.fileAnswers = {target};
    win.w.mnuZapiszJako_Click();
    const QByteArray blank = ReadAll(target);

    // The replaced file keeps its permissions.
    const auto mode = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    QVERIFY(QFile::setPermissions(target, mode));
    Draw(win.e(), 1);
    win.w.mnuZapisz_Click();
    const QByteArray drawn = ReadAll(target);
    QCOMPARE(QFile::permissions(target) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser), mode);
    QCOMPARE(drawn.size(), 766);
    QVERIFY(drawn != blank);
    QCOMPARE(drawn, IconOf(win, path(QStringLiteral("scratch.ico"))));
    QCOMPARE(win.dialogs.initialNames.size(), 1); // Save asked nothing

    // The file went away meanwhile: Save simply writes it.
    QVERIFY(QFile::remove(target));
    win.w.mnuZapisz_Click();
    QCOMPARE(ReadAll(target), drawn);
    QVERIFY(win.dialogs.messages.empty());
    QCOMPARE(QString::fromStdString(win.e().CurrentFileName), target);
}

void TestFileCommands::failedSaveKeepsOldFileAndSays_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<bool>("saveAs");
    for (bool saveAs : {false, true}) {
        const char* cmd = saveAs ? "Save As, " : "Save, ";
        QTest::newRow(QByteArray(cmd).append("read-only target").constData()) << "readonly" << saveAs;
        QTest::newRow(QByteArray(cmd).append("header.dat missing").constData()) << "noheader" << saveAs;
        QTest::newRow(QByteArray(cmd).append("target is a folder").constData()) << "folder" << saveAs;
        QTest::newRow(QByteArray(cmd).append("folder missing").constData()) << "nofolder" << saveAs;
        // header.dat must be the 126 bytes an icon the reader accepts begins with.
        QTest::newRow(QByteArray(cmd).append("header.dat empty").constData()) << "header:0" << saveAs;
        QTest::newRow(QByteArray(cmd).append("header.dat of 100 bytes").constData()) << "header:100" << saveAs;
        QTest::newRow(QByteArray(cmd).append("header.dat one byte long").constData()) << "header:127" << saveAs;
        QTest::newRow(QByteArray(cmd).append("header.dat of 2 MB").constData()) << "header:2097152" << saveAs;
        QTest::newRow(QByteArray(cmd).append("header.dat of another icon").constData()) << "header:foreign" << saveAs;
    }
}

void TestFileCommands::failedSaveKeepsOldFileAndSays()
{
    QFETCH(QString, failure);
    QFETCH(bool, saveAs);
    Window win;
    const QByteArray old("the user's old icon");
    QString target = path(QStringLiteral("old.ico"));
    QTemporaryDir headerFolder;
    if (failure.startsWith(QLatin1String("header:"))) {
        WriteAll(target, old);
        QFile good(QStringLiteral(PIKSELAR_SOURCE_DIR "/data/header.dat"));
        QVERIFY(good.open(QIODevice::ReadOnly));
        QByteArray header = good.readAll();
        QCOMPARE(header.size(), 126);
        const QString size = failure.mid(7);
        if (size == QLatin1String("foreign"))
            header[6] = 16; // a 16 x 16 icon's header, of the right length
        else
            header = header.leftJustified(size.toInt(), 'h', true);
        WriteAll(headerFolder.filePath(QStringLiteral("header.dat")), header);
        win.w.HeaderFolder = headerFolder.path();
    } else if (failure == QLatin1String("readonly")) {
        WriteAll(target, old);
        QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::ReadGroup));
    } else if (failure == QLatin1String("noheader")) {
        WriteAll(target, old);
        win.w.HeaderFolder = path(QStringLiteral("nowhere"));
    } else if (failure == QLatin1String("folder")) {
        QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("old.ico")));
    } else {
        target = path(QStringLiteral("missing/old.ico"));
    }
    const std::string before = saveAs ? std::string() : target.toStdString();
    win.e().CurrentFileName = before;
    Draw(win.e(), 2);
    if (saveAs) {
        win.dialogs.fileAnswers = {target};
        win.w.mnuZapiszJako_Click();
    } else {
        win.w.mnuZapisz_Click();
    }

    QCOMPARE(win.dialogs.messages.size(), std::size_t(1));
    QCOMPARE(win.dialogs.messages[0].text, SaveFailure);
    QCOMPARE(win.dialogs.messages[0].title, QStringLiteral("Rastello"));
    QVERIFY(win.dialogs.messages[0].icon == Dialogs::Icon::Warning);
    QCOMPARE(win.e().CurrentFileName, before);
    if (failure == QLatin1String("readonly") || failure == QLatin1String("noheader") || failure.startsWith(QLatin1String("header:")))
        QCOMPARE(ReadAll(target), old);
    // No temporary file is left behind.
    QStringList left = QDir(dir_->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    QCOMPARE(left, failure == QLatin1String("nofolder") ? QStringList() : QStringList{QStringLiteral("old.ico")});
}

namespace {
// Notes whether the canvas took input while the open dialog was shown.
struct WatchingDialogs : ScriptedDialogs {
    QWidget* canvas = nullptr;
    bool canvasEnabledDuringDialog = true;
    std::optional<QString> openFile(QWidget* parent, const QString& title, const QString& filter) override
    {
        canvasEnabledDuringDialog = canvas->isEnabled();
        return ScriptedDialogs::openFile(parent, title, filter);
    }
};
} // namespace

void TestFileCommands::openReadsIconAndLocksCanvasBriefly()
{
    // An icon drawn in one window...
    Window first;
    first.e().TransparentIndex = 0; // black transparent
    Draw(first.e(), 1);
    first.e().picMini.setPixel(3, 3, PaletteColors[0]);
    const QString file = path(QStringLiteral("drawn.ico"));
    first.dialogs.fileAnswers = {file};
    first.w.mnuZapiszJako_Click();

    // ...opened in another, whose transparent colour is "żółty".
    WatchingDialogs dialogs;
    frmMain w(dialogs);
    dialogs.canvas = w.picIkona;
    w.editor().TransparentIndex = 10;
    const Surface undoBefore = w.editor().Undo1;
    const Surface blank = w.editor().picMini;
    ChangeLog log(w.editor().picMini);
    dialogs.fileAnswers = {file};
    w.mnuOtwórz->trigger();
    QCOMPARE(dialogs.fileTitles, QStringList{QStringLiteral("Otwórz")});
    QCOMPARE(dialogs.fileFilters, QStringList{IconFilter});
    QVERIFY(!dialogs.canvasEnabledDuringDialog);
    QVERIFY(!w.picIkona->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(w.picIkona->isEnabled(), 2000);

    Editor& e = w.editor();
    QCOMPARE(QString::fromStdString(e.CurrentFileName), file);
    Surface expected = first.e().picMini;
    for (int y = 0; y < ImageSize; ++y)
        for (int x = 0; x < ImageSize; ++x)
            if (expected.pixel(x, y) == PaletteColors[0]) // black went transparent
                expected.setPixel(x, y, PaletteColors[10]);
    QCOMPARE(Rows(e.picMini), Rows(expected));
    QCOMPARE(log.changes, QStringList("Open"));
    QCOMPARE(log.MissedPixels(blank), QString());
    QVERIFY(e.Undo1.sameContent(undoBefore)); // no undo snapshot
    QVERIFY(dialogs.messages.empty());
}

void TestFileCommands::openRefusals_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("message"); // the refusal box, or a silent end
    QTest::newRow("766 bytes, other header") << "otherheader" << true;
    QTest::newRow("767 bytes, right header") << "767" << true;
    QTest::newRow("standard 4-bit icon of another program") << "standard" << true;
    QTest::newRow("empty file") << "empty" << false;
    QTest::newRow("shorter than the header") << "short" << false;
    QTest::newRow("missing") << "missing" << false;
    QTest::newRow("directory") << "directory" << false;
    QTest::newRow("FIFO") << "fifo" << false;
    QTest::newRow("socket") << "socket" << false;
    QTest::newRow("unreadable") << "unreadable" << false;
}

void TestFileCommands::openRefusals()
{
    QFETCH(QString, kind);
    QFETCH(bool, message);
    Window win;
    // A valid icon of the current image, the base of the damaged ones.
    const QByteArray valid = IconOf(win, path(QStringLiteral("valid.ico")));
    const QString target = path(QStringLiteral("x.ico"));
    int sock = -1;
    auto closeSocket = qScopeGuard([&sock] {
        if (sock >= 0)
            ::close(sock);
    });
    if (kind == QLatin1String("otherheader")) {
        QByteArray b = valid;
        b[4] = 2;
        WriteAll(target, b);
    } else if (kind == QLatin1String("767")) {
        WriteAll(target, valid + '\0');
    } else if (kind == QLatin1String("standard")) {
        QByteArray b = valid;
        b[10] = 1; // planes 1
        b[12] = 4; // 4 bits per pixel
        WriteAll(target, b);
    } else if (kind == QLatin1String("empty")) {
        WriteAll(target, {});
    } else if (kind == QLatin1String("short")) {
        WriteAll(target, valid.left(21));
    } else if (kind == QLatin1String("directory")) {
        QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("x.ico")));
    } else if (kind == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(QFile::encodeName(target).constData(), 0600), 0);
    } else if (kind == QLatin1String("socket")) {
        sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        const QByteArray name = QFile::encodeName(target);
        QVERIFY(name.size() < qsizetype(sizeof addr.sun_path));
        std::copy(name.begin(), name.end(), addr.sun_path);
        QCOMPARE(::bind(sock, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    } else if (kind == QLatin1String("unreadable")) {
        if (::geteuid() == 0)
            QSKIP("the superuser reads every file");
        WriteAll(target, valid);
        QVERIFY(QFile::setPermissions(target, QFile::WriteOwner));
    }

    win.e().CurrentFileName = "/some/current.ico";
    Draw(win.e(), 3);
    const Editor before = win.e();
    win.dialogs.fileAnswers = {target};
    win.w.mnuOtwórz_Click();
    const frmMain::OpenResult direct = win.w.OpenIcon(target);

    QCOMPARE(win.dialogs.messages.size(), std::size_t(message ? 2 : 0));
    for (const auto& m : win.dialogs.messages) {
        QCOMPARE(m.text, NotAnIcon);
        QCOMPARE(m.title, QStringLiteral("Błąd"));
        QVERIFY(m.icon == Dialogs::Icon::Warning);
    }
    QVERIFY(direct == (message ? frmMain::OpenResult::Refused : frmMain::OpenResult::Unreadable));
    QCOMPARE(win.e().CurrentFileName, before.CurrentFileName);
    QCOMPARE(Rows(win.e().picMini), Rows(before.picMini));
}

void TestFileCommands::cancelledDialogsChangeNothing()
{
    Window win;
    Draw(win.e(), 4);
    win.e().CurrentFileName = path(QStringLiteral("kept.ico")).toStdString();
    const Editor before = win.e();
    win.dialogs.fileAnswers = {std::nullopt, std::nullopt};
    win.w.mnuOtwórz_Click();
    win.w.mnuZapiszJako_Click();
    QCOMPARE(win.e().CurrentFileName, before.CurrentFileName);
    QCOMPARE(Rows(win.e().picMini), Rows(before.picMini));
    QVERIFY(win.dialogs.messages.empty());
    QVERIFY(QDir(dir_->path()).isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(win.w.picIkona->isEnabled(), 2000);
}

namespace {
// A disk that fills up after `room` more bytes: every write beyond fails.
struct FullDisk {
    static inline std::size_t room = 0;
    static ssize_t Write(int fd, const void* data, std::size_t size)
    {
        if (room == 0) {
            errno = ENOSPC;
            return -1;
        }
        const std::size_t n = std::min(size, room);
        room -= n;
        return ::write(fd, data, n);
    }
    explicit FullDisk(std::size_t bytes)
    {
        room = bytes;
        FileWriteCall = &Write;
    }
    ~FullDisk() { FileWriteCall = ::write; }
};

struct stat Stat(const QString& path)
{
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st;
}

// Holds a save between its write and its rename: its first write goes to
// the disk, then `during` runs (a second save) before the save goes on.
struct HeldSave {
    static inline std::function<void()> during;
    static ssize_t Write(int fd, const void* data, std::size_t size)
    {
        const ssize_t n = ::write(fd, data, size);
        FileWriteCall = ::write;
        if (const auto run = std::exchange(during, nullptr))
            run();
        return n;
    }
    explicit HeldSave(std::function<void()> f)
    {
        during = std::move(f);
        FileWriteCall = &Write;
    }
    ~HeldSave()
    {
        FileWriteCall = ::write;
        during = nullptr;
    }
};

QStringList Listing(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
}

QStringList Temporaries(const QString& folder)
{
    QStringList found;
    for (const QString& name : Listing(folder))
        if (IsTemporaryName(QFile::encodeName(name).toStdString()))
            found << name;
    return found;
}

// Sets a file's (or a link's own) modification time `seconds` into the past.
void Age(const QString& path, int seconds)
{
    struct timespec times[2] = {{std::time(nullptr) - seconds, 0}, {std::time(nullptr) - seconds, 0}};
    QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, AT_SYMLINK_NOFOLLOW), 0);
}
} // namespace

void TestFileCommands::fullDiskKeepsOldFileAndSays_data()
{
    QTest::addColumn<bool>("saveAs");
    QTest::addColumn<int>("room");
    QTest::newRow("Save, nothing fits") << false << 0;
    QTest::newRow("Save, part fits") << false << 300;
    QTest::newRow("Save As over the file, nothing fits") << true << 0;
    QTest::newRow("Save As over the file, part fits") << true << 765;
}

void TestFileCommands::fullDiskKeepsOldFileAndSays()
{
    QFETCH(bool, saveAs);
    QFETCH(int, room);
    Window win;
    const QString target = path(QStringLiteral("old.ico"));
    const QByteArray old = IconOf(win, target);
    QCOMPARE(old.size(), 766);
    Draw(win.e(), 5);
    const std::string before = saveAs ? std::string() : target.toStdString();
    win.e().CurrentFileName = before;
    {
        FullDisk full{std::size_t(room)};
        if (saveAs)
            win.dialogs.fileAnswers = {target};
        (saveAs ? win.w.mnuZapiszJako : win.w.mnuZapisz)->trigger();
    }
    QCOMPARE(win.dialogs.messages.size(), std::size_t(1));
    QCOMPARE(win.dialogs.messages[0].text, SaveFailure);
    QCOMPARE(win.dialogs.messages[0].title, QStringLiteral("Rastello"));
    QCOMPARE(ReadAll(target), old);
    QCOMPARE(win.e().CurrentFileName, before);
    QCOMPARE(QDir(dir_->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{QStringLiteral("old.ico")});

    // With room again the same command writes the new picture.
    if (saveAs)
        win.dialogs.fileAnswers = {target};
    (saveAs ? win.w.mnuZapiszJako : win.w.mnuZapisz)->trigger();
    QCOMPARE(win.dialogs.messages.size(), std::size_t(1));
    QCOMPARE(ReadAll(target), IconOf(win, path(QStringLiteral("scratch.ico"))));
}

void TestFileCommands::saveKeepsTheFilesIdentity()
{
    Window win;
    const QString target = path(QStringLiteral("b.ico"));
    const QString twin = path(QStringLiteral("twin.ico"));
    const QString link = path(QStringLiteral("link.ico"));
    IconOf(win, target);
    QCOMPARE(::link(QFile::encodeName(target).constData(), QFile::encodeName(twin).constData()), 0);
    QVERIFY(QFile::link(target, link));
    const bool root = ::geteuid() == 0;
    if (root) // a file of another user, saved by the superuser
        QCOMPARE(::chown(QFile::encodeName(target).constData(), 65534, 65534), 0);
    QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    const struct stat before = Stat(target);

    Draw(win.e(), 6);
    win.e().CurrentFileName = link.toStdString();
    win.w.mnuZapisz_Click();
    QVERIFY(win.dialogs.messages.empty());
    const QByteArray drawn = IconOf(win, path(QStringLiteral("scratch.ico")));
    QCOMPARE(ReadAll(target), drawn);
    QCOMPARE(ReadAll(twin), drawn); // one file under both names
    QVERIFY(QFileInfo(link).isSymLink());
    const struct stat after = Stat(target);
    QCOMPARE(after.st_ino, before.st_ino);
    QCOMPARE(after.st_mode, before.st_mode);
    QCOMPARE(after.st_uid, before.st_uid);
    QCOMPARE(after.st_gid, before.st_gid);

    // A single-link file is replaced by a new inode, which still has the old
    // owner, group and mode.
    QVERIFY(QFile::remove(twin));
    Draw(win.e(), 7);
    win.e().CurrentFileName = target.toStdString();
    win.w.mnuZapisz_Click();
    QVERIFY(win.dialogs.messages.empty());
    const struct stat replaced = Stat(target);
    QCOMPARE(ReadAll(target), IconOf(win, path(QStringLiteral("scratch.ico"))));
    QCOMPARE(replaced.st_mode, before.st_mode);
    QCOMPARE(replaced.st_uid, before.st_uid);
    QCOMPARE(replaced.st_gid, before.st_gid);
    QCOMPARE(QDir(dir_->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList({QStringLiteral("b.ico"), QStringLiteral("link.ico"), QStringLiteral("scratch.ico")}));

    // A name of the longest length the file system allows is saved too.
    const QString longest = path(QString(251, QChar('d')) + QStringLiteral(".ico"));
    win.dialogs.fileAnswers = {longest};
    win.w.mnuZapiszJako_Click();
    QVERIFY(win.dialogs.messages.empty());
    QCOMPARE(ReadAll(longest).size(), 766);
}

namespace {
// The patterns of one Qt name filter, "desc (p1 p2)".
QStringList Patterns(const QString& nameFilter)
{
    const qsizetype open = nameFilter.lastIndexOf(QLatin1Char('('));
    return nameFilter.mid(open + 1, nameFilter.size() - open - 2).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}
} // namespace

void TestFileCommands::twoSavesOfOneFileNeverMeet()
{
    // Two copies of the program save one icon at the same moment: the first
    // is held after writing its temporary file while the second saves.
    QTemporaryDir scratch;
    Window first, second;
    Draw(first.e(), 3);
    Draw(second.e(), 9);
    const QByteArray firstIcon = IconOf(first, scratch.filePath(QStringLiteral("1.ico")));
    const QByteArray secondIcon = IconOf(second, scratch.filePath(QStringLiteral("2.ico")));
    QVERIFY(firstIcon != secondIcon);
    const QString target = path(QStringLiteral("shared.ico"));
    WriteAll(target, "the old icon");
    first.e().CurrentFileName = second.e().CurrentFileName = target.toStdString();

    QStringList heldTemporaries;
    QByteArray afterSecond;
    {
        HeldSave held([&] {
            heldTemporaries = Temporaries(dir_->path());
            second.w.mnuZapisz_Click();
            afterSecond = ReadAll(target);
            // The held save's temporary file is still there, untouched.
            QCOMPARE(Temporaries(dir_->path()), heldTemporaries);
        });
        first.w.mnuZapisz_Click();
    }
    QCOMPARE(heldTemporaries.size(), 1);
    QCOMPARE(afterSecond, secondIcon);
    // Each save says how it went: both went well, and the last one stands whole.
    QVERIFY(first.dialogs.messages.empty());
    QVERIFY(second.dialogs.messages.empty());
    QCOMPARE(ReadAll(target), firstIcon);
    QCOMPARE(Listing(dir_->path()), QStringList{QStringLiteral("shared.ico")});

    // The same with Save As of a new file by the second copy.
    QVERIFY(QFile::remove(target));
    {
        HeldSave held([&] {
            second.dialogs.fileAnswers = {target};
            second.w.mnuZapiszJako_Click();
        });
        first.w.mnuZapisz_Click();
    }
    QVERIFY(first.dialogs.messages.empty());
    QVERIFY(second.dialogs.messages.empty());
    QCOMPARE(ReadAll(target), firstIcon);
    QCOMPARE(Listing(dir_->path()), QStringList{QStringLiteral("shared.ico")});
}

void TestFileCommands::onlyOldLeftoversOfOurOwnSavesAreCleared()
{
    Window win;
    const QString target = path(QStringLiteral("b.ico"));
    QTemporaryDir elsewhere;
    const QString outside = elsewhere.filePath(QStringLiteral("precious"));
    WriteAll(outside, "precious");
    const auto leftover = [&](const QString& name, int age) {
        WriteAll(path(name), "left by a killed save");
        Age(path(name), age);
    };
    const int old = TemporaryLeftoverAge + 30;
    leftover(QStringLiteral(".b.ico.Ab3dE9.pikselar-tmp"), old);    // cleared
    leftover(QStringLiteral(".other.ico.x0Y1z2.pikselar-tmp"), old); // cleared: any name of ours
    leftover(QStringLiteral(".b.ico.Qq1234.pikselar-tmp"), 5);       // a save may still be running
    leftover(QStringLiteral(".b.ico.pikselar-tmp"), old);            // not our pattern
    leftover(QStringLiteral("b.ico.Ab3dE9.pikselar-tmp"), old);      // not our pattern
    QVERIFY(QFile::link(outside, path(QStringLiteral(".l.ico.Zz9999.pikselar-tmp"))));
    Age(path(QStringLiteral(".l.ico.Zz9999.pikselar-tmp")), old);   // a link: never followed nor removed
    QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral(".d.ico.Dd0000.pikselar-tmp")));
    Age(path(QStringLiteral(".d.ico.Dd0000.pikselar-tmp")), old);
    QStringList kept = {QStringLiteral(".b.ico.Qq1234.pikselar-tmp"), QStringLiteral(".b.ico.pikselar-tmp"),
                        QStringLiteral("b.ico.Ab3dE9.pikselar-tmp"), QStringLiteral(".l.ico.Zz9999.pikselar-tmp"),
                        QStringLiteral(".d.ico.Dd0000.pikselar-tmp"), QStringLiteral("b.ico")};
    if (::geteuid() == 0) { // another user's, in a shared folder
        leftover(QStringLiteral(".u.ico.Uu5555.pikselar-tmp"), old);
        QCOMPARE(::chown(QFile::encodeName(path(QStringLiteral(".u.ico.Uu5555.pikselar-tmp"))).constData(), 65534, 65534), 0);
        kept << QStringLiteral(".u.ico.Uu5555.pikselar-tmp");
    }

    Draw(win.e(), 4);
    win.dialogs.fileAnswers = {target};
    win.w.mnuZapiszJako_Click();
    QVERIFY(win.dialogs.messages.empty());
    QCOMPARE(ReadAll(target).size(), 766);
    QStringList left = Listing(dir_->path());
    left.sort();
    kept.sort();
    QCOMPARE(left, kept);
    QCOMPARE(ReadAll(outside), QByteArray("precious"));
}

void TestFileCommands::everyFileFilterListsNamesWithoutADot()
{
    // The filters of Open and Save As, of the picture import and of the
    // program-icon import.
    for (const char* filter :
         {"Ikony (*.ico)|*.ico|Wszystkie pliki (*.*)|*.*", "Pliki EXE|*.EXE|Wszystkie pliki|*.*",
          "Pliki BMP|*.bmp|Pliki GIF|*.gif|Pliki JPG|*.jpg|Pliki WMF|*.wmf|Pliki CUR (kursory)|*.cur|"
          "Wszystkie pliki|*.*"}) {
        const QStringList converted = ConvertFilter(QString::fromUtf8(filter));
        const QStringList all = Patterns(converted.last());
        QCOMPARE(QDir::match(all, QStringLiteral("ikona01")), true);
        QCOMPARE(QDir::match(all, QStringLiteral("README")), true);
        QCOMPARE(QDir::match(all, QStringLiteral("a.ico")), true);
        // The first pattern keeps matching its own kind only, in any case.
        const QStringList first = Patterns(converted.first());
        QCOMPARE(QDir::match(first, QStringLiteral("ikona01")), false);
        const QString suffix = QString::fromUtf8(filter).section(QLatin1Char('|'), 1, 1).mid(1);
        QCOMPARE(QDir::match(first, QStringLiteral("NAME") + suffix.toUpper()), true);
        QCOMPARE(QDir::match(first, QStringLiteral("name") + suffix.toLower()), true);
    }
}

namespace {
// Answers the next file dialog with `answer` (nothing: cancels) and notes
// the folder it opened in.
void AnswerFileDialog(QString* openedIn, const QString& answer)
{
    WhenModal([openedIn, answer](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog);
        *openedIn = dialog->directory().absolutePath();
        if (answer.isEmpty()) {
            dialog->reject();
            return;
        }
        dialog->selectFile(answer);
        static_cast<QDialog*>(dialog)->accept();
    });
}
} // namespace

void TestFileCommands::dialogsOpenWhereTheUserWorks()
{
    QDir(dir_->path()).mkpath(QStringLiteral("one"));
    QDir(dir_->path()).mkpath(QStringLiteral("two"));
    QString current;
    Dialogs dialogs;
    dialogs.followCurrentFile([&current] { return current; });
    QString openedIn;
    const QString filter = QStringLiteral("Ikony (*.ico)|*.ico|Wszystkie pliki (*.*)|*.*");

    // Nothing yet: the working folder.
    AnswerFileDialog(&openedIn, path(QStringLiteral("one/a.ico")));
    QCOMPARE(dialogs.saveFile(nullptr, QString(), filter, QStringLiteral("ikona01")),
             std::optional<QString>(path(QStringLiteral("one/a.ico"))));
    QCOMPARE(openedIn, QDir::currentPath());
    // No current file: the folder last chosen.
    AnswerFileDialog(&openedIn, QString());
    QCOMPARE(dialogs.openFile(nullptr, QStringLiteral("Otwórz"), filter), std::nullopt);
    QCOMPARE(openedIn, path(QStringLiteral("one")));
    // A current file: its folder.
    current = path(QStringLiteral("two/b.ico"));
    AnswerFileDialog(&openedIn, QString());
    dialogs.openFile(nullptr, QStringLiteral("Otwórz"), filter);
    QCOMPARE(openedIn, path(QStringLiteral("two")));
    // ...unless that folder has gone.
    QVERIFY(QDir(path(QStringLiteral("two"))).removeRecursively());
    AnswerFileDialog(&openedIn, QString());
    dialogs.openFile(nullptr, QStringLiteral("Otwórz"), filter);
    QCOMPARE(openedIn, path(QStringLiteral("one")));
}

void TestFileCommands::openDialogsListNamesThatAreNotUtf8()
{
    const QByteArray folder = QFile::encodeName(dir_->path());
    for (const char* name : {"/\xFF\xFE kot.ico", "/\xFF notatki", "/zwykla.ico"}) {
        const int fd = ::open((folder + name).constData(), O_WRONLY | O_CREAT, 0644);
        QVERIFY(fd >= 0);
        ::close(fd);
    }
    QCOMPARE(::mkfifo((folder + "/\xFE rura.ico").constData(), 0644), 0);
    QString current = path(QStringLiteral("zwykla.ico"));
    Dialogs dialogs;
    dialogs.followCurrentFile([&current] { return current; });
    QStringList listed, listedUnderAll;
    WhenModal([&listed, &listedUnderAll](QWidget* modal) {
        auto* list = modal->findChild<QListWidget*>(QStringLiteral("undecodableNames"));
        QVERIFY(list);
        const auto texts = [list] {
            QStringList t;
            for (int i = 0; i < list->count(); ++i)
                t << list->item(i)->text();
            return t;
        };
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        listedUnderAll = (dialog->selectNameFilter(dialog->nameFilters().last()),
                          emit dialog->filterSelected(dialog->nameFilters().last()), texts());
        dialog->selectNameFilter(dialog->nameFilters().first());
        emit dialog->filterSelected(dialog->nameFilters().first());
        listed = texts();
        if (list->count() > 0)
            emit list->itemActivated(list->item(0));
    });
    const std::optional<QString> chosen =
        dialogs.openFile(nullptr, QStringLiteral("Otwórz"), QStringLiteral("Ikony (*.ico)|*.ico|Wszystkie pliki (*.*)|*.*"));
    // Only the regular file that the filter admits; shown with U+FFFD.
    QCOMPARE(listed, QStringList{QStringLiteral("\uFFFD\uFFFD kot.ico")});
    QCOMPARE(listedUnderAll, QStringList({QStringLiteral("\uFFFD notatki"), QStringLiteral("\uFFFD\uFFFD kot.ico")}));
    QVERIFY(chosen);
    QCOMPARE(NativeName(*chosen).toHex(), (folder + "/\xFF\xFE kot.ico").toHex());
}

QTEST_MAIN(TestFileCommands)
#include "test_filecommands.moc"

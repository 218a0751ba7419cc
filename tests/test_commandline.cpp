// The command line: which words open, paste or ask for help, the help
// switches ending the real program before any window, and what the window
// does with a path that cannot be opened.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "core/Procedury.h"
#include "files/CommandLine.h"
#include "files/NativeNames.h"
#include "files/IconWriter.h"
#include "support/Fixtures.h"
#include "support/TestSupport.h"
#include "transfer/frmtmp.h"
#include "ui/frmMain.h"

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void manyAndLongWords();
    void helpPrintsUsageWithoutAWindow_data();
    void helpPrintsUsageWithoutAWindow();

    void badPathsTellAndLeaveTheImageBlank_data();
    void badPathsTellAndLeaveTheImageBlank();
    void openedFileIsSavedBackUntilNowy_data();
    void openedFileIsSavedBackUntilNowy();
    void schowekPastesAndOpensNothing_data();
    void schowekPastesAndOpensNothing();
    void namesThatAreNotUtf8KeepTheirBytes();
    void foreignPicturesComeInWithoutAName_data();
    void foreignPicturesComeInWithoutAName();
};

Q_DECLARE_METATYPE(CommandLine::Action)

namespace {
std::vector<std::string> Words(const QStringList& list)
{
    std::vector<std::string> words;
    for (const QString& w : list)
        words.push_back(w.toStdString());
    return words;
}
} // namespace

void TestCommandLine::parse_data()
{
    using A = CommandLine::Action;
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<A>("action");
    QTest::addColumn<QString>("path");

    QTest::newRow("nothing") << QStringList{} << A::Nothing << "";
    QTest::newRow("empty first word") << QStringList{"", "b.ico"} << A::Nothing << "";
    QTest::newRow("a path") << QStringList{"ikona.ico"} << A::Open << "ikona.ico";
    QTest::newRow("a path with blanks is one word")
        << QStringList{"/home/ola/moje ikony/kot.ico"} << A::Open << "/home/ola/moje ikony/kot.ico";
    QTest::newRow("quotes are part of the word") << QStringList{"\"a.ico\""} << A::Open << "\"a.ico\"";
    QTest::newRow("only the first word opens") << QStringList{"a.ico", "b.ico"} << A::Open << "a.ico";
    QTest::newRow("Polish letters") << QStringList{"źdźbło.ico"} << A::Open << "źdźbło.ico";
    QTest::newRow("/SCHOWEK") << QStringList{"/SCHOWEK"} << A::Paste << "";
    QTest::newRow("/schowek") << QStringList{"/schowek"} << A::Paste << "";
    QTest::newRow("/Schowek") << QStringList{"/Schowek"} << A::Paste << "";
    QTest::newRow("path then /SCHOWEK opens nothing") << QStringList{"a.ico", "/SCHOWEK"} << A::Paste << "";
    QTest::newRow("near misses are paths")
        << QStringList{"/SCHOWEKX"} << A::Open << "/SCHOWEKX";
    QTest::newRow("-help is a path") << QStringList{"-help"} << A::Open << "-help";
    QTest::newRow("/pomoć is a path") << QStringList{"/pomoć"} << A::Open << "/pomoć";
    QTest::newRow("/?") << QStringList{"/?"} << A::Help << "";
    QTest::newRow("/pomoc") << QStringList{"/pomoc"} << A::Help << "";
    QTest::newRow("/Help") << QStringList{"/Help"} << A::Help << "";
    QTest::newRow("-h") << QStringList{"-h"} << A::Help << "";
    QTest::newRow("--HELP") << QStringList{"--HELP"} << A::Help << "";
    QTest::newRow("help anywhere wins") << QStringList{"a.ico", "/schowek", "-h"} << A::Help << "";
}

void TestCommandLine::parse()
{
    QFETCH(QStringList, words);
    QFETCH(CommandLine::Action, action);
    QFETCH(QString, path);
    const CommandLine c = ParseCommandLine(Words(words));
    QCOMPARE(c.action, action);
    QCOMPARE(QString::fromStdString(c.path), path);
}

void TestCommandLine::manyAndLongWords()
{
    // The switch counts wherever it stands, however many words come first.
    std::vector<std::string> words(5000, "x.ico");
    QCOMPARE(ParseCommandLine(words).action, CommandLine::Action::Open);
    words.push_back("/SCHOWEK");
    QCOMPARE(ParseCommandLine(words).action, CommandLine::Action::Paste);

    const std::string longWord(10000, 'a');
    const CommandLine c = ParseCommandLine({longWord, "b"});
    QCOMPARE(c.action, CommandLine::Action::Open);
    QCOMPARE(c.path, longWord);
}

void TestCommandLine::helpPrintsUsageWithoutAWindow_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("--help") << QStringList{"--help"};
    QTest::newRow("/?") << QStringList{"/?"};
    QTest::newRow("after a path") << QStringList{"nie-ma-takiego.ico", "/POMOC"};
}

void TestCommandLine::helpPrintsUsageWithoutAWindow()
{
    QFETCH(QStringList, arguments);
    QProcess p;
    // No display at all: building a window would fail.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(PIKSELAR_BINARY_DIR "/pikselar"), arguments);
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    QVERIFY2(out.startsWith(QStringLiteral("Użycie: pikselar")), qPrintable(out));
    for (const char* s : {"/SCHOWEK", "/?", "/POMOC", "/HELP", "-h", "--help"})
        QVERIFY2(out.contains(QLatin1String(s)), s);
    QVERIFY(p.readAllStandardError().isEmpty());
}

namespace {
const QString Blank = [] {
    QStringList rows;
    for (int y = 0; y < ImageSize; ++y)
        rows << QString(ImageSize, QChar('b'));
    return Rows(rows);
}();

// A main window with the repository's header.dat, started with `words`.
struct Window {
    ScriptedDialogs dialogs;
    frmMain w{dialogs};
    explicit Window(const QStringList& words)
    {
        w.HeaderFolder = QStringLiteral(PIKSELAR_SOURCE_DIR "/data");
        w.setCommandLine(words);
    }
};

QByteArray IconBytes(const Editor& picture)
{
    QFile header(QStringLiteral(PIKSELAR_SOURCE_DIR "/data/header.dat"));
    if (!header.open(QIODevice::ReadOnly))
        return {};
    const QByteArray h = header.readAll();
    const auto bytes = IconFileBytes({reinterpret_cast<const std::uint8_t*>(h.constData()), size_t(h.size())},
                                     picture);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}
} // namespace

void TestCommandLine::badPathsTellAndLeaveTheImageBlank_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason"); // empty: the refusal of a non-icon
    QTest::newRow("missing") << "missing" << "Taki plik nie istnieje.";
    QTest::newRow("directory") << "directory" << "To jest folder, a nie plik.";
    QTest::newRow("FIFO") << "fifo" << "To nie jest zwykły plik.";
    QTest::newRow("10,000 characters") << "long" << "Taki plik nie istnieje.";
    QTest::newRow("too short for a header") << "short" << "";
    QTest::newRow("not an icon") << "text" << "";
}

void TestCommandLine::badPathsTellAndLeaveTheImageBlank()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("nie ma mnie.ico"));
    if (kind == "directory")
        path = dir.path();
    else if (kind == "fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (kind == "long")
        path = dir.filePath(QString(10000, QChar('x')));
    else if (kind == "short")
        Write(path, QByteArray(10, '\0'));
    else if (kind == "text")
        Write(path, QByteArray(766, 'a'));

    Window win({path, QStringLiteral("drugie słowo")});
    QTRY_VERIFY(win.w.ResizeLock); // Parametry ran from Timer1; a FIFO must not block it
    QCOMPARE(Rows(win.w.editor().picMini), Blank);
    QVERIFY(win.w.editor().CurrentFileName.empty());
    QCOMPARE(int(win.dialogs.messages.size()), 1);
    const auto& shown = win.dialogs.messages.front();
    QCOMPARE(shown.title, QStringLiteral("Błąd"));
    QCOMPARE(int(shown.icon), int(Dialogs::Icon::Warning));
    if (reason.isEmpty()) {
        QCOMPARE(shown.text, QStringLiteral("Podany plik nie jest prawidłowym plikiem ikony"));
        return;
    }
    QVERIFY2(shown.text.endsWith(reason), qPrintable(shown.text));
    // The file is named, shortened when it is very long.
    QVERIFY2(shown.text.contains(path.right(40)), qPrintable(shown.text));
    QVERIFY(shown.text.size() < 300);
}

void TestCommandLine::openedFileIsSavedBackUntilNowy_data()
{
    QTest::addColumn<bool>("nowy");
    QTest::newRow("Czyść obraz, then Zapisz overwrites") << false;
    QTest::newRow("Nowy, then Zapisz asks for a name") << true;
}

void TestCommandLine::openedFileIsSavedBackUntilNowy()
{
    QFETCH(bool, nowy);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("moje ikony/kot czarny.ico"));
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    Editor drawn;
    drawn.picMini.setPixel(3, 4, PaletteColors[1]);
    Write(path, IconBytes(drawn));

    Window win({path});
    QTRY_VERIFY(win.w.ResizeLock); // Parametry ran from Timer1
    QVERIFY(win.dialogs.messages.empty());
    QCOMPARE(win.w.editor().CurrentFileName, path.toStdString());
    QCOMPARE(Rows(win.w.editor().picMini), Rows(drawn.picMini));

    (nowy ? win.w.mnuNowy : win.w.mnuCzyśćObraz)->trigger();
    win.dialogs.fileAnswers.push_back(std::nullopt); // cancel, should a dialog open
    win.w.mnuZapisz->trigger();
    QCOMPARE(int(win.dialogs.fileTitles.size()), nowy ? 1 : 0);
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), IconBytes(nowy ? drawn : Editor{}));
}

void TestCommandLine::schowekPastesAndOpensNothing_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::newRow("/schowek") << QStringList{"/schowek"};
    QTest::newRow("path, then /SCHOWEK") << QStringList{"PATH", "/SCHOWEK"};
}

void TestCommandLine::schowekPastesAndOpensNothing()
{
    QFETCH(QStringList, words);
    QTemporaryDir dir;
    Editor drawn;
    drawn.picMini.setPixel(0, 0, PaletteColors[3]);
    const QString path = dir.filePath(QStringLiteral("a.ico"));
    Write(path, IconBytes(drawn));
    words.replaceInStrings(QStringLiteral("PATH"), path);

    QImage picture(ImageSize, ImageSize, QImage::Format_RGB32);
    picture.fill(QColor(255, 0, 0));
    QGuiApplication::clipboard()->setImage(picture);

    Window win(words);
    QTRY_VERIFY(win.w.ResizeLock); // Parametry ran from Timer1
    QVERIFY(win.w.editor().CurrentFileName.empty());
    QCOMPARE(win.w.editor().picMini.pixel(0, 0), PaletteColors[1]);
    QCOMPARE(win.w.editor().picMini.pixel(31, 31), PaletteColors[1]);
}

namespace {
// The names in a folder, as the file system spells them.
QList<QByteArray> NativeEntries(const QString& folder)
{
    QList<QByteArray> names;
    if (DIR* d = ::opendir(QFile::encodeName(folder).constData())) {
        while (const dirent* entry = ::readdir(d))
            if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, ".."))
                names << QByteArray(entry->d_name);
        ::closedir(d);
    }
    return names;
}

QByteArray NativeRead(const QByteArray& path)
{
    QByteArray bytes(2000, '\0');
    const int fd = ::open(path.constData(), O_RDONLY);
    const ssize_t n = fd < 0 ? -1 : ::read(fd, bytes.data(), bytes.size());
    if (fd >= 0)
        ::close(fd);
    return n < 0 ? QByteArray("<unreadable>") : bytes.left(n);
}
} // namespace

void TestCommandLine::namesThatAreNotUtf8KeepTheirBytes()
{
    // Every byte string comes back whole; valid UTF-8 reads as Qt reads it.
    QList<QByteArray> samples;
    for (int b = 1; b < 256; ++b)
        samples << QByteArray(1, char(b)) << QByteArray("a") + char(b) + "\xC3\xA9";
    samples << "\xED\xA0\x80" /* an encoded surrogate */ << "\xF4\x90\x80\x80" /* beyond U+10FFFF */
            << "\xC0\xAF" /* overlong */ << "\xE2\x82" /* cut short */ << "\xF0\x9F\x98\x80 \xC5\xBC";
    for (const QByteArray& native : samples) {
        const QString name = NameFromNative(native.toStdString());
        QCOMPARE(NativeName(name).toHex(), native.toHex());
        if (QString::fromUtf8(native).toUtf8() == native)
            QCOMPARE(name, QString::fromUtf8(native));
    }

    // Such a file opens from the command line and is saved back under its name.
    QTemporaryDir dir;
    const QByteArray native = QFile::encodeName(dir.path()) + "/\xFF\xFE kot \xC5\xBC.ico";
    Editor drawn;
    drawn.picMini.setPixel(3, 4, PaletteColors[1]);
    const QByteArray icon = IconBytes(drawn);
    const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    QVERIFY(fd >= 0);
    QCOMPARE(::write(fd, icon.constData(), size_t(icon.size())), ssize_t(icon.size()));
    ::close(fd);

    Window win({NameFromNative(native.toStdString())});
    QTRY_VERIFY(win.w.ResizeLock);
    QVERIFY(win.dialogs.messages.empty());
    QCOMPARE(QByteArray::fromStdString(win.w.editor().CurrentFileName).toHex(), native.toHex());
    QCOMPARE(Rows(win.w.editor().picMini), Rows(drawn.picMini));
    win.w.mnuCzyśćObraz->trigger();
    win.w.mnuZapisz->trigger();
    QVERIFY(win.dialogs.messages.empty());
    QCOMPARE(NativeRead(native), IconBytes(Editor{}));
    QCOMPARE(NativeEntries(dir.path()), QList<QByteArray>{native.mid(native.lastIndexOf('/') + 1)});
}

void TestCommandLine::foreignPicturesComeInWithoutAName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("topLeft"); // 8 x 2 of the image afterwards
    QTest::addColumn<bool>("placed");         // through the placement window

    // 32 x 32, 32 bits: red left, blue right, a clear 4 x 4 corner.
    const QByteArray ico = IconFile({{32, Dib(32, 32, 32, {}, [](int x, int y) -> std::uint32_t {
        if (x < 4 && y < 4)
            return 0x00000000u;
        return x < 16 ? 0xFFFF0000u : 0xFF0000FFu;
    }, [](int, int) { return false; })}});
    QTest::newRow("32 x 32 icon of 32 bits") << "obca.ico" << ico << QStringList{"bbbb1111", "bbbb1111"} << false;

    QImage small(16, 16, QImage::Format_RGB32);
    small.fill(QColor(0, 255, 0));
    QByteArray png;
    QBuffer pngBuffer(&png);
    QVERIFY(small.save(&pngBuffer, "PNG"));
    QTest::newRow("16 x 16 PNG") << "zielony.png" << png << QStringList{"22222222", "22222222"} << false;

    QImage large(48, 48, QImage::Format_RGB32);
    large.fill(QColor(0, 0, 255));
    QByteArray bmp;
    QBuffer bmpBuffer(&bmp);
    QVERIFY(large.save(&bmpBuffer, "BMP"));
    QTest::newRow("48 x 48 BMP named .ico") << "duza.ico" << bmp << QStringList{"33333333", "33333333"} << true;
}

void TestCommandLine::foreignPicturesComeInWithoutAName()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, topLeft);
    QFETCH(bool, placed);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    Write(path, bytes);

    Window win({path});
    bool shown = false;
    if (placed)
        WhenModal([&](QWidget* modal) {
            shown = modal == win.w.tmp.ifMade();
            win.w.tmp->pic_Click();
        });
    QTRY_VERIFY(win.w.ResizeLock);
    QCOMPARE(shown, placed);
    QVERIFY(win.dialogs.messages.empty());
    QVERIFY(win.w.editor().CurrentFileName.empty());
    QCOMPARE(Rows(win.w.editor().picMini, 0, 0, 8, 2), Rows(topLeft));

    // Saving asks for a name; the foreign file is never overwritten.
    win.dialogs.fileAnswers = {std::nullopt};
    win.w.mnuZapisz->trigger();
    QCOMPARE(win.dialogs.initialNames, QStringList{QStringLiteral("ikona01")});
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), bytes);
}

QTEST_MAIN(TestCommandLine)
#include "test_commandline.moc"

// The command line: which words open, paste or ask for help, and the help
// switches ending the real program before any window.
#include <QProcess>
#include <QtTest>

#include "files/CommandLine.h"

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void manyAndLongWords();
    void helpPrintsUsageWithoutAWindow_data();
    void helpPrintsUsageWithoutAWindow();
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

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_commandline.moc"

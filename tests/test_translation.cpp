// The English interface: the language the environment chooses, a finished
// translation for every text, and access keys that stay apart in English.
#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

#include "core/Palette.h"
#include "files/HistoryReasons.h"
#include "support/TestSupport.h"
#include "text/TextMenus.h"
#include "text/frmFont.h"
#include "text/frmText.h"
#include "ui/Language.h"
#include "ui/TranslatedTexts.h"
#include "ui/frmAbout.h"
#include "ui/frmMain.h"

Q_DECLARE_METATYPE(Language)

namespace {
const char* Null(const QByteArray& value)
{
    return value == "-" ? nullptr : value.constData();
}

// The access key of a caption ("Wk&lej" -> 'L'), or none; "&&" is a plain ampersand.
QChar AccessKey(const QString& caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&'))
            continue;
        if (caption[i + 1] != QLatin1Char('&'))
            return caption[i + 1].toUpper();
        ++i;
    }
    return {};
}

// Every clash of access keys among `captions`, as readable text.
QStringList Clashes(const QString& where, const QStringList& captions)
{
    QStringList clashes;
    QHash<QChar, QString> seen;
    for (const QString& caption : captions) {
        const QChar key = AccessKey(caption);
        if (key.isNull())
            continue;
        if (seen.contains(key))
            clashes << QStringLiteral("%1: \"%2\" and \"%3\"").arg(where, seen[key], caption);
        else
            seen.insert(key, caption);
    }
    return clashes;
}

// The font sizes ("&8", "1&8") are the same numbers in every language, with
// their access keys as given: they are no text to translate.
bool IsNumber(const QString& caption)
{
    return QString(caption).remove(QLatin1Char('&')).toInt() > 0;
}

// The clashes within a menu bar and, below it, within every menu.
QStringList MenuClashes(const QString& where, const QList<QAction*>& actions)
{
    QStringList captions;
    QStringList clashes;
    for (QAction* a : actions) {
        if (a->isSeparator())
            continue;
        if (!IsNumber(a->text()))
            captions << a->text();
        if (QMenu* sub = a->menu())
            clashes << MenuClashes(where + QStringLiteral(" > ") + a->text(), sub->actions());
    }
    return clashes + Clashes(where, captions);
}

QStringList ButtonClashes(const QString& where, QWidget* window)
{
    QStringList captions;
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
        captions << b->text();
    return Clashes(where, captions);
}
} // namespace

class TestTranslation : public QObject {
    Q_OBJECT
private slots:
    void languageFollowsTheEnvironment_data();
    void languageFollowsTheEnvironment();
    void everyTextHasAFinishedTranslation();
    void englishWindowsSpeakEnglishWithDistinctAccessKeys();
};

void TestTranslation::languageFollowsTheEnvironment_data()
{
    // "-" stands for a variable that is not set.
    QTest::addColumn<QByteArray>("lcAll");
    QTest::addColumn<QByteArray>("lcMessages");
    QTest::addColumn<QByteArray>("lang");
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<Language>("expected");
    QTest::newRow("nothing set") << QByteArray("-") << QByteArray("-") << QByteArray("-") << QByteArray("-") << Language::Polish;
    QTest::newRow("LANG en_US") << QByteArray("-") << QByteArray("-") << QByteArray("en_US.UTF-8") << QByteArray("-") << Language::English;
    QTest::newRow("LANG en alone") << QByteArray("-") << QByteArray("-") << QByteArray("en") << QByteArray("-") << Language::English;
    QTest::newRow("LANG pl_PL") << QByteArray("-") << QByteArray("-") << QByteArray("pl_PL.UTF-8") << QByteArray("-") << Language::Polish;
    QTest::newRow("LANG C.UTF-8") << QByteArray("-") << QByteArray("-") << QByteArray("C.UTF-8") << QByteArray("-") << Language::Polish;
    QTest::newRow("LANG C, LANGUAGE en") << QByteArray("-") << QByteArray("-") << QByteArray("C") << QByteArray("en") << Language::Polish;
    QTest::newRow("LANG POSIX, LANGUAGE en") << QByteArray("-") << QByteArray("-") << QByteArray("POSIX") << QByteArray("en") << Language::Polish;
    QTest::newRow("empty LANG, LANGUAGE en") << QByteArray("-") << QByteArray("-") << QByteArray("") << QByteArray("en") << Language::Polish;
    QTest::newRow("LANGUAGE en over LANG pl") << QByteArray("-") << QByteArray("-") << QByteArray("pl_PL.UTF-8") << QByteArray("en") << Language::English;
    QTest::newRow("LANGUAGE pl over LANG en") << QByteArray("-") << QByteArray("-") << QByteArray("en_US.UTF-8") << QByteArray("pl") << Language::Polish;
    QTest::newRow("LANGUAGE list, first known wins") << QByteArray("-") << QByteArray("-") << QByteArray("de_DE.UTF-8") << QByteArray("fr:en_GB:pl") << Language::English;
    QTest::newRow("LANGUAGE none known, locale en") << QByteArray("-") << QByteArray("-") << QByteArray("en_GB.UTF-8") << QByteArray("fr:de") << Language::English;
    QTest::newRow("neither known") << QByteArray("-") << QByteArray("-") << QByteArray("de_DE.UTF-8") << QByteArray("fr") << Language::Polish;
    QTest::newRow("LC_ALL before LANG") << QByteArray("C") << QByteArray("-") << QByteArray("en_US.UTF-8") << QByteArray("en") << Language::Polish;
    QTest::newRow("LC_ALL en") << QByteArray("en_US.UTF-8") << QByteArray("-") << QByteArray("pl_PL.UTF-8") << QByteArray("-") << Language::English;
    QTest::newRow("empty LC_ALL is unset") << QByteArray("") << QByteArray("-") << QByteArray("en_US.UTF-8") << QByteArray("-") << Language::English;
    QTest::newRow("LC_MESSAGES before LANG") << QByteArray("-") << QByteArray("en_US.UTF-8") << QByteArray("C") << QByteArray("-") << Language::English;
    QTest::newRow("empty LANGUAGE entries") << QByteArray("-") << QByteArray("-") << QByteArray("en_US.UTF-8") << QByteArray("::pl:") << Language::Polish;
    QTest::newRow("a name merely starting en") << QByteArray("-") << QByteArray("-") << QByteArray("eo.UTF-8") << QByteArray("enx") << Language::Polish;
}

void TestTranslation::languageFollowsTheEnvironment()
{
    QFETCH(QByteArray, lcAll);
    QFETCH(QByteArray, lcMessages);
    QFETCH(QByteArray, lang);
    QFETCH(QByteArray, language);
    QFETCH(Language, expected);
    QCOMPARE(ChooseLanguage({Null(lcAll), Null(lcMessages), Null(lang), Null(language)}), expected);
}

void TestTranslation::everyTextHasAFinishedTranslation()
{
    QFile ts(QStringLiteral(PIKSELAR_SOURCE_DIR "/translations/pikselar_en.ts"));
    QVERIFY(ts.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&ts);
    QString context, source;
    bool plural = false;
    QStringList faults;
    int messages = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("message")) {
            // Plural forms come as children of the translation.
            plural = xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
        } else if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            ++messages;
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            const QString where = context + QStringLiteral(": ") + source;
            if (!type.isEmpty())
                faults << QStringLiteral("%1 (%2)").arg(where, type); // unfinished, vanished, obsolete
            else if (text.isEmpty())
                faults << where + QStringLiteral(" (empty)");
            // What the program fills in or the menus need must survive translation.
            for (const char* mark : {"%1", "%2", "|", "\n"})
                if (!plural && source.count(QLatin1String(mark)) != text.count(QLatin1String(mark)))
                    faults << QStringLiteral("%1 (\"%2\" differs)").arg(where, QLatin1String(mark));
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QVERIFY(messages > 100);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

void TestTranslation::englishWindowsSpeakEnglishWithDistinctAccessKeys()
{
    QTranslator english;
    QVERIFY(english.load(QStringLiteral(PIKSELAR_BINARY_DIR "/pikselar_en.qm")));
    QVERIFY(QCoreApplication::installTranslator(&english));
    auto removed = qScopeGuard([&english] { QCoreApplication::removeTranslator(&english); });

    ScriptedDialogs dialogs;
    frmMain w(dialogs);
    w.show(); // the menu bar comes with the first showing
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QStringList bar;
    for (QAction* a : w.menuBar()->actions())
        bar << a->text();
    QCOMPARE(bar, (QStringList{QStringLiteral("&File"), QStringLiteral("&Edit"), QStringLiteral("&Image"),
                               QStringLiteral("&Options"), QStringLiteral("&Help")}));
    QCOMPARE(w.prz[0]->text(), QStringLiteral("black"));
    QCOMPARE(w.prz[ImageBackIndex]->text(), QStringLiteral("cyan"));
    QCOMPARE(w.prz[NoTransparentIndex]->text(), QStringLiteral("none"));
    QCOMPARE(ShortHelp(ShortPalette, 1), QStringLiteral("Click here to choose red"));
    // The history's reasons come from below the windows in Polish, one with a number in it.
    QCOMPARE(HistoryReason(HistoryDiskFull), QStringLiteral("the disk is full"));
    QCOMPARE(HistoryReason(HistoryWriteError(13)), QStringLiteral("the history could not be written (SQLite 13)"));
    QCOMPARE(HistoryReason("(SQLite )"), QStringLiteral("(SQLite )"));
    QStringList clashes = MenuClashes(QStringLiteral("menu bar"), w.menuBar()->actions());

    QWidget window;
    QMenuBar textBar(&window);
    TextMenus text(&textBar, &window, [] {});
    clashes << MenuClashes(QStringLiteral("text menu bar"), textBar.actions());
    frmAbout about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About"));
    clashes << ButtonClashes(QStringLiteral("about window"), &about);
    frmText textWindow([](const QString&) {});
    clashes << ButtonClashes(QStringLiteral("text window"), &textWindow);
    frmFont fontWindow([](const QString&) {});
    clashes << ButtonClashes(QStringLiteral("font window"), &fontWindow);
    QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TestTranslation)
#include "test_translation.moc"

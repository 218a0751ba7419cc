// Copy, cut and paste through the (process-private) clipboard of the
// offscreen platform: what is offered, what is placed where, which branch
// wins, and clipboards that hold nothing usable.
#include <QBuffer>
#include <QClipboard>
#include <QMimeData>
#include <QtEndian>
#include <QtTest>

#include "core/Procedury.h"
#include "core/Undo.h"
#include "support/Fixtures.h"
#include "support/TestSupport.h"
#include "transfer/ClipboardData.h"
#include "transfer/frmtmp.h"
#include "qt/QtColour.h"
#include "ui/frmMain.h"

namespace {

// Colours outside the palette, different at every pixel.
QRgb PatternAt(int x, int y)
{
    return qRgb(x * 7 + 1, y * 7 + 2, 99);
}

QImage Pattern(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, PatternAt(x, y));
    return img;
}

QByteArray Encoded(const QImage& img, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, format);
    return bytes;
}

void Offer(const QString& type, const QByteArray& bytes, const QString& text = {})
{
    auto* data = new QMimeData;
    // Several types, separated by spaces, carry the same bytes.
    for (const QString& t : type.split(' ', Qt::SkipEmptyParts))
        data->setData(t, bytes);
    if (!text.isNull())
        data->setText(text);
    QGuiApplication::clipboard()->setMimeData(data);
}

// A message naming the first image pixel in the rectangle that is not the
// pattern, or empty.
QString PatternIn(const Surface& s, int w, int h)
{
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (s.pixel(x, y) != FromQRgb(PatternAt(x, y)))
                return QStringLiteral("pixel (%1,%2) is not the picture's").arg(x).arg(y);
    return {};
}

// Draws a palette-colour picture into the image (digits are UI indices).
void Draw(Editor& e, const QStringList& rows)
{
    for (int y = 0; y < rows.size(); ++y)
        for (int x = 0; x < rows[y].size(); ++x)
            e.picMini.setPixel(x, y, PaletteColors[QString(rows[y][x]).toInt(nullptr, 16)]);
}

// A clipboard entry that lists a picture but has nothing when asked.
class VanishingData : public QMimeData {
public:
    QStringList formats() const override { return {QStringLiteral("image/png")}; }
    bool hasFormat(const QString& t) const override { return t == QLatin1String("image/png"); }

protected:
    QVariant retrieveData(const QString&, QMetaType) const override { return {}; }
};

const QString PastePrompt = QStringLiteral(
    "Ponieważ wklejany obraz ma większe wymiary niż 32x32 pixele, to wybierz fragment, który chcesz wkleić ze schowka");

} // namespace

class TestClipboard : public QObject {
    Q_OBJECT
private slots:
    void copyOffersPngFirstThenBmpExactly();
    void copyThenPasteRestoresTheImage();
    void cutLeavesTheImageOnTheClipboard();
    void smallPasteKeepsTheOtherPixels_data();
    void smallPasteKeepsTheOtherPixels();
    void largePictureGoesThroughThePlacementWindow_data();
    void largePictureGoesThroughThePlacementWindow();
    void pastedMetafileLeavesUndrawnAreasGrey();
    void textIsCutToTenCharactersAndWins_data();
    void textIsCutToTenCharactersAndWins();
    void unusableClipboardShowsTheMessage_data();
    void unusableClipboardShowsTheMessage();
};

void TestClipboard::copyOffersPngFirstThenBmpExactly()
{
    ScriptedDialogs dialogs;
    frmMain w(dialogs);
    Editor& e = w.editor();
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            e.picMini.setPixel(x, y, FromQRgb(PatternAt(x, y)));
    w.mnuKopiuj_Click();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data);
    QCOMPARE(data->formats(), QStringList({"image/png", "image/bmp"}));
    for (const char* type : {"image/png", "image/bmp"}) {
        const QImage got = QImage::fromData(data->data(QString::fromLatin1(type)));
        QCOMPARE(got.size(), QSize(32, 32));
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                QCOMPARE(got.pixel(x, y), PatternAt(x, y));
    }
}

void TestClipboard::copyThenPasteRestoresTheImage()
{
    ScriptedDialogs dialogs;
    frmMain w(dialogs);
    Editor& e = w.editor();
    Draw(e, {"0123456789abcdef", "fedcba9876543210"});
    e.picMini.setPixel(31, 31, Rgb(1, 2, 3)); // not a palette colour
    const Surface before = e.picMini;
    w.mnuKopiuj_Click();
    ClearImage(e, ChangeCause::Clear);
    const Surface cleared = e.picMini;
    ChangeLog log(e.picMini);
    w.mnuWklej_Click();
    QVERIFY(e.picMini.sameContent(before));
    QCOMPARE(log.changes, QStringList("Paste"));
    QCOMPARE(log.MissedPixels(cleared), QString()); // the views repaint every pasted pixel
    QVERIFY(dialogs.messages.empty());
    QCOMPARE(QString::fromStdString(e.FragmentPrompt), PastePrompt);
}

void TestClipboard::cutLeavesTheImageOnTheClipboard()
{
    ScriptedDialogs dialogs;
    frmMain w(dialogs);
    Editor& e = w.editor();
    Draw(e, {"0000", "0990"});
    const Surface drawn = e.picMini;
    ChangeLog log(e.picMini);
    w.mnuWytnij_Click();
    for (int y = 0; y < ImageSize; ++y)
        QCOMPARE(Rows(e.picMini, 0, y, ImageSize, 1), Rows(QStringList{QString(ImageSize, 'b')}));
    QCOMPARE(log.changes, QStringList("Cut"));
    QCOMPARE(log.MissedPixels(drawn), QString());
    const QImage got = QImage::fromData(QGuiApplication::clipboard()->mimeData()->data("image/png"));
    QCOMPARE(got.pixel(1, 1), ToQColor(PaletteColors[9]).rgb());
    QCOMPARE(got.pixel(0, 1), ToQColor(PaletteColors[0]).rgb());
    QCOMPARE(got.pixel(5, 5), ToQColor(PaletteColors[11]).rgb());
}

void TestClipboard::smallPasteKeepsTheOtherPixels_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QByteArray>("bytes");
    const QImage p = Pattern(16, 16);
    QTest::newRow("png") << "image/png" << Encoded(p, "PNG");
    QTest::newRow("bmp file") << "image/bmp" << Encoded(p, "BMP");
    QTest::newRow("bmp without file header") << "image/x-bmp" << Encoded(p, "BMP").mid(14);
    QTest::newRow("gif") << "image/gif" << GifFile(p);
}

void TestClipboard::smallPasteKeepsTheOtherPixels()
{
    QFETCH(QString, type);
    QFETCH(QByteArray, bytes);
    ScriptedDialogs dialogs;
    frmMain w(dialogs);
    Editor& e = w.editor();
    Draw(e, {QString(32, '4')}); // row 0 in colour 4
    Offer(type, bytes);
    w.mnuWklej_Click();
    const QString diff = PatternIn(e.picMini, 16, 16);
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
    QCOMPARE(Rows(e.picMini, 16, 0, 16, 2), Rows(QStringList{QString(16, '4'), QString(16, 'b')}));
    QCOMPARE(Rows(e.picMini, 0, 16, 32, 1), Rows(QStringList{QString(32, 'b')}));
    // The views show the image: the thumbnail every second pixel.
    QCOMPARE(FromQRgb(w.picIkona->grab().toImage().pixel(15 * 6 + 5, 15 * 6 + 2)), FromQRgb(PatternAt(15, 15)));
    QCOMPARE(FromQRgb(w.picEXE->grab().toImage().pixel(7, 7)), FromQRgb(PatternAt(14, 14)));
    QVERIFY(dialogs.messages.empty());
}

void TestClipboard::largePictureGoesThroughThePlacementWindow_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("32 x 33") << QSize(32, 33);
    QTest::newRow("40 x 10") << QSize(40, 10);
}

void TestClipboard::largePictureGoesThroughThePlacementWindow()
{
    QFETCH(QSize, size);
    ScriptedDialogs dialogs;
    frmMain w(dialogs);
    Editor& e = w.editor();
    Offer("image/png", Encoded(Pattern(size.width(), size.height()), "PNG"));
    bool shown = false;
    WhenModal([&](QWidget* modal) {
        shown = modal == w.tmp;
        QCOMPARE(QSize(e.pic.width(), e.pic.height()), size);
        QVERIFY(w.tmp->Tag.isEmpty());
        w.tmp->pic_Click();
    });
    w.mnuWklej_Click();
    QVERIFY(shown);
    QCOMPARE(QString::fromStdString(e.FragmentPrompt), PastePrompt);
    const QString diff = PatternIn(e.picMini, 32, std::min(size.height(), 32));
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
}

void TestClipboard::pastedMetafileLeavesUndrawnAreasGrey()
{
    ScriptedDialogs dialogs;
    frmMain w(dialogs);
    Editor& e = w.editor();
    Offer("image/x-wmf", RectangleMetafile());
    WhenModal([&](QWidget*) {
        QCOMPARE(QSize(e.pic.width(), e.pic.height()), QSize(40, 20));
        w.tmp->pic_Click();
    });
    w.mnuWklej_Click();
    QCOMPARE(Rows(e.picMini, 0, 0, 8, 4), Rows(QStringList{"ffffffff", "ffffffff", "ffff0000", "ffff0111"}));
}

void TestClipboard::textIsCutToTenCharactersAndWins_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("withPicture");
    QTest::addColumn<QString>("placed");
    QTest::newRow("sixteen letters") << "ABCDEFGHIJKLMNOP" << false << "ABCDEFGHIJ";
    QTest::newRow("exactly ten") << "0123456789" << false << "0123456789";
    QTest::newRow("Polish letters") << "zażółć gęślą jaźń" << false << "zażółć gęś";
    QTest::newRow("text and a picture") << "Ab" << true << "Ab";
    QTest::newRow("characters beyond 16 bits") << "\U0001F600\U0001F600abcdefghij" << false
                                                << "\U0001F600\U0001F600abcdefgh";
}

void TestClipboard::textIsCutToTenCharactersAndWins()
{
    QFETCH(QString, text);
    QFETCH(bool, withPicture);
    QFETCH(QString, placed);
    QCOMPARE(FirstCharacters(text), placed);
    ScriptedDialogs dialogs;
    frmMain w(dialogs);
    Offer(withPicture ? "image/png" : QString(), Encoded(Pattern(8, 8), "PNG"), text);
    QString tagShown;
    WhenModal([&](QWidget*) {
        tagShown = w.tmp->Tag;
        w.tmp->reject();
    });
    w.mnuWklej_Click();
    QCOMPARE(tagShown, placed);
    QCOMPARE(QString::fromStdString(w.editor().FragmentPrompt),
             QStringLiteral("Wybierz fragment tekstu, który chcesz wkleić"));
    QCOMPARE(Rows(w.editor().picMini, 0, 0, 8, 1), Rows(QStringList{QString(8, 'b')})); // the picture was not placed
}

void TestClipboard::unusableClipboardShowsTheMessage_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty clipboard") << QString() << QByteArray();
    QTest::newRow("empty text") << "text/plain" << QByteArray();
    QTest::newRow("other type") << "application/x-something" << QByteArray("abc");
    QTest::newRow("damaged png") << "image/png" << Encoded(Pattern(8, 8), "PNG").left(40);
    QTest::newRow("0 x 0 bitmap") << "image/bmp" << [] {
        QByteArray dib;
        Put32(dib, 40);
        Put32(dib, 0);
        Put32(dib, 0);
        Put16(dib, 1);
        Put16(dib, 24);
        dib += QByteArray(24, '\0');
        return dib;
    }();
    QTest::newRow("20000 x 20000 gif") << "image/gif" << GifFile(Pattern(2, 2), std::nullopt, QSize(20000, 20000));
    QTest::newRow("picture that vanishes") << "vanishing" << QByteArray();
    // Only text types give text: not a file list, nor a picture's bytes
    // under a text type.
    QTest::newRow("file URL only") << "text/uri-list" << QByteArray("file:///home/ala/a.png\r\n");
    QTest::newRow("picture bytes as text") << "text/plain UTF8_STRING" << Encoded(Pattern(8, 8), "PNG");
    // Qt's own conversion of a bitmap that our checks refuse is not a way in.
    QTest::newRow("far pixel offset, also as x-qt-image") << "image/bmp application/x-qt-image" << [] {
        QByteArray bmp = Encoded(Pattern(8, 8), "BMP");
        qToLittleEndian<quint32>(0xFFFFFFF0u, bmp.data() + 10);
        return bmp;
    }();
}

void TestClipboard::unusableClipboardShowsTheMessage()
{
    QFETCH(QString, type);
    QFETCH(QByteArray, bytes);
    ScriptedDialogs dialogs;
    frmMain w(dialogs);
    Editor& e = w.editor();
    Draw(e, {"123"});
    const Surface before = e.picMini;
    if (type == "vanishing")
        QGuiApplication::clipboard()->setMimeData(new VanishingData);
    else if (type.isEmpty())
        QGuiApplication::clipboard()->clear();
    else
        Offer(type, bytes);
    w.mnuWklej_Click();
    QCOMPARE(dialogs.messages.size(), std::size_t(1));
    QCOMPARE(dialogs.messages[0].text, QStringLiteral("Albo schowek jest pusty, albo zawiera nieodpowienie dane np. tekst"));
    QCOMPARE(dialogs.messages[0].title, QStringLiteral("Błąd"));
    QVERIFY(dialogs.messages[0].icon == Dialogs::Icon::Warning);
    QVERIFY(e.picMini.sameContent(before));
}

QTEST_MAIN(TestClipboard)
#include "test_clipboard.moc"

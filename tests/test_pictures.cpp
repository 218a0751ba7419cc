// Pictures made into icons: the placement window's three choices and its
// count line, the two marking views of the canvas, the swatches of the
// transparent-colour submenu and the PNG export.
#include <cerrno>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "core/Procedury.h"
#include "files/SafeFile.h"
#include "support/TestSupport.h"
#include "transfer/OutsidePalette.h"
#include "transfer/Outline.h"
#include "transfer/frmtmp.h"
#include "qt/QtColour.h"
#include "qt/SurfaceView.h"
#include "ui/frmMain.h"

class TestPictures : public QObject {
    Q_OBJECT
private slots:
    void buttonsAboveTheClientArea();
    void accessKeysToggleAtOnce();
    void fitAndPaletteColoursPlaceTheWholePicture();
    void returnPlacesThePieceUnderTheFrame();
    void escapeClosesWithoutPlacing();
    void transparencyRuleOnlyWhileAChoiceIsOn();
    void countLineTellsWhatWillBeSavedAsBlack();
    void largePictureMappedWithoutFreezing();
    void choicesAndViewsRemembered();
    void marksOnTheCanvasNeverChangeTheImage();
    void transparentColourEntriesShowSwatches();
    void exportWritesRgbaPng();
    void exportCancelledOrFailed();
};

namespace {
const QColor Orange(255, 128, 0);

// Left half red, right half blue, an orange stripe between, and `clear`
// transparent rows above and below.
QImage RedBlue(int width, int height, int clear)
{
    QImage picture(width, height, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    for (int y = clear; y < height - clear; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixelColor(x, y, x < width / 2 - 4 ? QColor(255, 0, 0)
                                        : x >= width / 2 + 4 ? QColor(0, 0, 255)
                                                             : Orange);
    return picture;
}

// Smooth colours, almost none of them in the palette.
QImage Gradient(int width, int height)
{
    QImage picture(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, 90));
    return picture;
}

struct Placement {
    ScriptedDialogs dialogs;
    frmMain w{dialogs};
    frmtmp& tmp() { return *w.tmp; }
    Editor& e() { return w.editor(); }

    // The picture as the clipboard and import commands hand it over.
    void putPicture(const QImage& picture)
    {
        e().pic.assign(SurfaceFromImage(picture, e().pic.backColour()), true);
        e().FragmentPrompt = "Wybierz fragment pliku, który chcesz zaimportować";
        tmp().SetSourcePicture(picture);
    }
    void show(std::function<void(frmtmp&)> inside)
    {
        WhenModal([this, inside](QWidget*) { inside(tmp()); });
        tmp().ShowModal();
    }
};

void Move(frmtmp& t, QPoint p)
{
    QMouseEvent move(QEvent::MouseMove, p, t.pic->mapToGlobal(p), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(t.pic, &move);
}

void Key(frmtmp& t, int key, Qt::KeyboardModifiers modifiers = {})
{
    QTest::keyClick(&t, Qt::Key(key), modifiers);
}

bool AllInPalette(const Surface& s)
{
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            if (!InPalette(s.pixel(x, y)))
                return false;
    return true;
}
} // namespace

void TestPictures::buttonsAboveTheClientArea()
{
    Placement p;
    p.putPicture(Gradient(120, 70));
    p.show([&](frmtmp& t) {
        QCOMPARE(t.client->size(), QSize(586, 345));
        QCOMPARE(t.pic->geometry(), QRect(8, 24, 120, 70));
        // Every button lies whole above the client area.
        const QRect clientInWindow(t.client->mapTo(&t, QPoint(0, 0)), t.client->size());
        for (QPushButton* b : {t.cmdDopasuj, t.cmdKolory, t.cmdRozpraszanie}) {
            const QRect r(b->mapTo(&t, QPoint(0, 0)), b->size());
            QVERIFY(t.rect().contains(r));
            QVERIFY(r.bottom() < clientInWindow.top());
            QVERIFY(b->isCheckable());
            QCOMPARE(b->focusPolicy(), Qt::NoFocus);
            QVERIFY(!b->isDefault() && !b->autoDefault());
        }
        QCOMPARE(t.cmdDopasuj->text(), QStringLiteral("&Dopasuj do 32 x 32"));
        QCOMPARE(t.cmdKolory->text(), QStringLiteral("&Kolory palety"));
        QCOMPARE(t.cmdRozpraszanie->text(), QStringLiteral("Roz&praszanie"));
        // Diffusion only with palette colours.
        QVERIFY(!t.cmdRozpraszanie->isEnabled());
        t.cmdKolory->click();
        QVERIFY(t.cmdRozpraszanie->isEnabled());
        t.cmdKolory->click();
        QVERIFY(!t.cmdRozpraszanie->isEnabled());
        // The frame and the caption as without the buttons.
        Move(t, QPoint(60, 20));
        QCOMPARE(t.windowTitle(), QStringLiteral("Wklej [44,4]"));
        t.reject();
    });
}

void TestPictures::accessKeysToggleAtOnce()
{
    Placement p;
    p.putPicture(Gradient(100, 60));
    p.show([&](frmtmp& t) {
        Key(t, Qt::Key_D, Qt::AltModifier);
        QVERIFY(t.cmdDopasuj->isChecked()); // no delayed click to wait for
        QVERIFY(t.picFit->isVisible());
        QVERIFY(!t.pic->isVisible());
        Key(t, Qt::Key_P, Qt::AltModifier); // disabled: nothing
        QVERIFY(!t.cmdRozpraszanie->isChecked());
        Key(t, Qt::Key_K, Qt::AltModifier);
        Key(t, Qt::Key_P, Qt::AltModifier);
        QVERIFY(t.cmdKolory->isChecked());
        QVERIFY(t.cmdRozpraszanie->isChecked());
        Key(t, Qt::Key_D, Qt::AltModifier);
        QVERIFY(!t.cmdDopasuj->isChecked());
        QVERIFY(t.pic->isVisible());
        t.reject();
    });
}

void TestPictures::fitAndPaletteColoursPlaceTheWholePicture()
{
    Placement p;
    p.e().TransparentIndex = NoTransparentIndex; // "brak": colour 11
    p.putPicture(RedBlue(120, 60, 4));
    p.show([&](frmtmp& t) {
        Key(t, Qt::Key_D, Qt::AltModifier);
        Key(t, Qt::Key_K, Qt::AltModifier);
        Key(t, Qt::Key_Return);
    });
    QVERIFY(!p.tmp().isVisible());
    const Surface& image = p.e().picMini;
    QVERIFY(AllInPalette(image));
    QCOMPARE(image.pixel(2, 16), Rgb(255, 0, 0));
    QCOMPARE(image.pixel(29, 16), Rgb(0, 0, 255));
    // 120 x 60 fits as 32 x 16 from row 8: the margins are see-through.
    QCOMPARE(Rows(image, 0, 0, 32, 8), Rows(QStringList(8, QString(32, QLatin1Char('b')))));
    QCOMPARE(Rows(image, 0, 24, 32, 8), Rows(QStringList(8, QString(32, QLatin1Char('b')))));

    // Fitted in its own colours: the orange stays orange, outside the palette.
    p.putPicture(RedBlue(120, 60, 4));
    p.show([&](frmtmp& t) {
        Key(t, Qt::Key_K, Qt::AltModifier);
        QVERIFY(t.cmdDopasuj->isChecked()); // kept from the last showing
        Key(t, Qt::Key_Enter, Qt::KeypadModifier);
    });
    QVERIFY(!AllInPalette(p.e().picMini));
    QCOMPARE(p.e().picMini.pixel(2, 16), Rgb(255, 0, 0));
}

void TestPictures::returnPlacesThePieceUnderTheFrame()
{
    Placement p;
    const QImage picture = Gradient(100, 60);
    // All off: the piece exactly as it is.
    p.putPicture(picture);
    const Surface source = p.e().pic;
    p.show([&](frmtmp& t) {
        Move(t, QPoint(70, 20)); // frame (68, 4)
        Key(t, Qt::Key_Return);
    });
    QCOMPARE(p.e().picMini.pixel(0, 0), source.pixel(68, 4));
    QCOMPARE(p.e().picMini.pixel(31, 31), source.pixel(99, 35));
    QCOMPARE(p.tmp().windowTitle(), QStringLiteral("Wklej [68,4]"));

    // Palette colours: the same piece, mapped, in text mode as well.
    p.putPicture(picture);
    p.show([&](frmtmp& t) {
        Key(t, Qt::Key_K, Qt::AltModifier);
        QCOMPARE(t.Shape1->pos(), QPoint(68, 4));
        Key(t, Qt::Key_Return);
    });
    QVERIFY(AllInPalette(p.e().picMini));
    QVERIFY(!p.e().picMini.sameContent(Surface(32, 32, PaletteColors[11])));

    p.tmp().Tag = QStringLiteral("Ala");
    p.show([&](frmtmp& t) {
        QTRY_VERIFY(!t.Timer2->isActive()); // the text is drawn
        Key(t, Qt::Key_Return);
    });
    QVERIFY(AllInPalette(p.e().picMini));
    QVERIFY(p.tmp().Tag.isEmpty());
}

void TestPictures::escapeClosesWithoutPlacing()
{
    Placement p;
    p.putPicture(Gradient(100, 60));
    const Surface image = p.e().picMini;
    p.show([&](frmtmp& t) {
        Key(t, Qt::Key_D, Qt::AltModifier);
        Key(t, Qt::Key_Escape);
    });
    QVERIFY(!p.tmp().isVisible());
    QVERIFY(p.e().picMini.sameContent(image));
}

void TestPictures::transparencyRuleOnlyWhileAChoiceIsOn()
{
    Placement p;
    p.e().TransparentIndex = 3;
    QImage picture(64, 48, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    for (int y = 0; y < 48; y += 2)
        for (int x = 0; x < 64; ++x)
            picture.setPixelColor(x, y, QColor(255, 0, 0));
    auto place = [&](bool palette) {
        p.putPicture(picture);
        p.show([&](frmtmp& t) {
            if (palette)
                t.cmdKolory->click();
            Move(t, QPoint(16, 16));
            Key(t, Qt::Key_Return);
        });
    };
    QStringList grey, three;
    for (int y = 0; y < ImageSize; ++y) {
        grey << QString(ImageSize, QLatin1Char(y % 2 == 0 ? '1' : 'f'));
        three << QString(ImageSize, QLatin1Char(y % 2 == 0 ? '1' : '3'));
    }
    place(false); // exactly as without the buttons: the window's grey
    QCOMPARE(Rows(p.e().picMini), Rows(grey));
    place(true); // the transparent colour
    QCOMPARE(Rows(p.e().picMini), Rows(three));

    // An opaque pixel nearest to the transparent colour never becomes it.
    QImage red(40, 40, QImage::Format_ARGB32);
    red.fill(QColor(250, 5, 5));
    p.e().TransparentIndex = PaletteIndexOf(Rgb(255, 0, 0));
    p.putPicture(red);
    p.show([&](frmtmp& t) {
        QVERIFY(t.cmdKolory->isChecked());
        Key(t, Qt::Key_Return);
    });
    QVERIFY(p.e().picMini.pixel(5, 5) != Rgb(255, 0, 0));
    QVERIFY(InPalette(p.e().picMini.pixel(5, 5)));
}

void TestPictures::countLineTellsWhatWillBeSavedAsBlack()
{
    Placement p;
    QImage picture(80, 50, QImage::Format_ARGB32);
    picture.fill(QColor(255, 0, 0));
    for (int x = 40; x < 80; ++x)
        for (int y = 0; y < 50; ++y)
            picture.setPixelColor(x, y, QColor(10, 200, 30)); // no palette colour
    p.putPicture(picture);
    p.show([&](frmtmp& t) {
        Move(t, QPoint(16, 16)); // frame (0, 0): all red
        QVERIFY(!t.lblSpoza->isVisible());
        Move(t, QPoint(40, 16)); // frame (24, 0): 16 columns of green
        QVERIFY(t.lblSpoza->isVisible());
        QCOMPARE(t.lblSpoza->text(), QStringLiteral("512 pikseli spoza palety zostanie zapisanych jako czarne"));
        const int height = t.height();
        t.cmdKolory->click();
        QVERIFY(!t.lblSpoza->isVisible());
        QCOMPARE(t.height(), height); // its line stays reserved
        t.cmdKolory->click();
        t.cmdDopasuj->click(); // half of the fitted 32 x 20
        QVERIFY(t.lblSpoza->text().startsWith(QStringLiteral("320 pikseli")));
        t.reject();
    });
}

void TestPictures::largePictureMappedWithoutFreezing()
{
    Placement p;
    p.putPicture(Gradient(1400, 900));
    p.show([&](frmtmp& t) {
        t.cmdKolory->click();
        t.cmdRozpraszanie->click();
        // The event loop runs on while a worker maps; the result comes back.
        QTRY_VERIFY_WITH_TIMEOUT(!t.lblSpoza->isVisible(), 30000);
        Move(t, QPoint(700, 450));
        Key(t, Qt::Key_Return);
    });
    QVERIFY(AllInPalette(p.e().picMini));
    // A Return before the worker ends waits for it.
    p.putPicture(Gradient(1400, 900));
    p.show([&](frmtmp& t) {
        QVERIFY(t.cmdRozpraszanie->isChecked());
        t.cmdRozpraszanie->click();
        Key(t, Qt::Key_Return);
    });
    QVERIFY(AllInPalette(p.e().picMini));
}

void TestPictures::choicesAndViewsRemembered()
{
    const QString file = frmMain::ChoicesFile();
    QVERIFY(!file.isEmpty());
    QFile::remove(file);
    {
        Placement p;
        QCOMPARE(p.w.Choices, PlacementChoices{});
        QVERIFY(!p.w.mnuSpozaPalety->isChecked() && !p.w.mnuPrzezroczystosc->isChecked());
        p.putPicture(Gradient(100, 60));
        p.show([&](frmtmp& t) {
            t.cmdKolory->click();
            t.cmdRozpraszanie->click();
            t.reject();
        });
        p.w.mnuPrzezroczystosc->trigger();
        p.w.SaveOpt();
    }
    Placement p;
    QCOMPARE(p.w.Choices, (PlacementChoices{false, true, true}));
    QCOMPARE(p.tmp().choices(), (PlacementChoices{false, true, true}));
    QVERIFY(p.w.mnuPrzezroczystosc->isChecked());
    QVERIFY(p.w.Marks.transparency);
    QVERIFY(!p.w.mnuSpozaPalety->isChecked());
    // opcje.dat keeps its seven numbers.
    QFile options(QFileInfo(file).dir().filePath(QStringLiteral("opcje.dat")));
    QVERIFY(options.open(QIODevice::ReadOnly));
    QCOMPARE(options.readAll().trimmed().split('\n').size(), 7);
    QFile::remove(file); // the other tests start from the defaults
}

void TestPictures::marksOnTheCanvasNeverChangeTheImage()
{
    Placement p;
    p.w.show();
    Image& image = p.e().picMini;
    image.setPixel(1, 1, Rgb(10, 200, 30)); // outside the palette
    image.setPixel(2, 1, PaletteColors[0]);
    const Surface before = image;
    const int transparent = p.e().TransparentIndex;
    QVERIFY(transparent < PaletteSize);
    QVERIFY(before.pixel(5, 5) == PaletteColors[transparent]);

    p.w.mnuSpozaPalety->setChecked(true);
    p.w.mnuPrzezroczystosc->setChecked(true);
    const QImage canvas = RenderCanvas(image, p.w.canvasTools().overlay, 1.0, Qt::black, p.w.picIkona->marks());
    QVERIFY(image.sameContent(before));
    // The transparent colour's cell as two greys in checks.
    const QColor a = canvas.pixelColor(30, 30), b = canvas.pixelColor(33, 30);
    QVERIFY(a != b && a.red() == a.green() && b.red() == b.blue() && a.red() > 180 && b.red() > 180);
    QCOMPARE(canvas.pixelColor(30, 33), b);
    // The cell outside the palette crossed by a diagonal; the palette colour not.
    QCOMPARE(canvas.pixelColor(6 + 2, 6 + 2), QColor(255, 255, 255)); // on a dark green
    QCOMPARE(canvas.pixelColor(6 + 4, 6 + 1), QColor(10, 200, 30));
    QCOMPARE(canvas.pixelColor(12 + 2, 6 + 2), ToQColor(PaletteColors[0]));
    // The previews keep the exact colours.
    QCOMPARE(p.w.picMini->grab().toImage().pixelColor(5, 5), ToQColor(PaletteColors[transparent]));
    // Another transparent colour moves the checks; "brak" shows none.
    p.w.prz_Click(0);
    QCOMPARE(p.w.picIkona->marks().transparent, std::optional<Colour>(PaletteColors[0]));
    p.w.prz_Click(NoTransparentIndex);
    QVERIFY(!p.w.picIkona->marks().transparent);
    p.w.mnuSpozaPalety->trigger();
    QVERIFY(!p.w.picIkona->marks().outsidePalette);
    QVERIFY(image.sameContent(before));
}

void TestPictures::transparentColourEntriesShowSwatches()
{
    Placement p;
    for (int i = 0; i < PaletteSize; ++i) {
        const QImage swatch = p.w.prz[i]->icon().pixmap(16, 16).toImage();
        QCOMPARE(swatch.pixelColor(8, 8), ToQColor(PaletteColors[i]));
    }
    QVERIFY(p.w.prz[NoTransparentIndex]->icon().isNull());
    QCOMPARE(p.w.prz[NoTransparentIndex]->text(), QStringLiteral("brak"));
}

void TestPictures::exportWritesRgbaPng()
{
    Placement p;
    QTemporaryDir dir;
    const int transparent = p.e().TransparentIndex;
    p.e().picMini.fillRect(0, 0, 31, 31, PaletteColors[4]);
    p.e().picMini.setPixel(3, 3, PaletteColors[transparent]);
    p.e().picMini.setPixel(4, 4, Rgb(10, 200, 30));
    QCOMPARE(p.w.mnuEksportuj->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
    QCOMPARE(p.w.mnuEksportuj->text(), QStringLiteral("&Eksportuj do PNG..."));
    const QList<QAction*> entries = p.w.mnuPlik->actions();
    QCOMPARE(entries.indexOf(p.w.mnuEksportuj), entries.indexOf(p.w.mnuZapiszJako) + 1);

    p.dialogs.fileAnswers.push_back(dir.filePath(QStringLiteral("ikona")));
    p.w.mnuEksportuj->trigger();
    QCOMPARE(p.dialogs.fileTitles.last(), QStringLiteral("Eksportuj do PNG"));
    QCOMPARE(p.dialogs.fileFilters.last(), QStringLiteral("Obrazy PNG (*.png)|*.png"));
    QCOMPARE(p.dialogs.initialNames.last(), QString());
    QVERIFY(p.dialogs.messages.empty());
    QImage back(dir.filePath(QStringLiteral("ikona.png")), "PNG");
    QCOMPARE(back.size(), QSize(32, 32));
    QVERIFY(back.hasAlphaChannel());
    back = back.convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(qAlpha(back.pixel(3, 3)), 0);
    QCOMPARE(back.pixel(4, 4), qRgba(10, 200, 30, 255));
    QCOMPARE(back.pixel(0, 0), ToQColor(PaletteColors[4]).rgba());
    QVERIFY(!p.e().CurrentFileName.size()); // the icon's own name is untouched

    // A name with an extension stays as it is.
    p.dialogs.fileAnswers.push_back(dir.filePath(QStringLiteral("inna.obraz")));
    p.w.mnuEksportuj->trigger();
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("inna.obraz"))).isFile());
}

namespace {
ssize_t NoRoom(int, const void*, std::size_t)
{
    errno = ENOSPC;
    return -1;
}
} // namespace

void TestPictures::exportCancelledOrFailed()
{
    Placement p;
    QTemporaryDir dir;
    p.dialogs.fileAnswers.push_back(std::nullopt);
    p.w.mnuEksportuj->trigger();
    QVERIFY(p.dialogs.messages.empty());
    QVERIFY(QDir(dir.path()).isEmpty());

    const QString path = dir.filePath(QStringLiteral("stary.png"));
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("stary");
    }
    FileWriteCall = &NoRoom;
    p.dialogs.fileAnswers.push_back(path);
    p.w.mnuEksportuj->trigger();
    FileWriteCall = ::write;
    QCOMPARE(p.dialogs.messages.size(), std::size_t(1));
    QCOMPARE(p.dialogs.messages[0].text, QStringLiteral("Wystąpił nieznany błąd!!"));
    QCOMPARE(p.dialogs.messages[0].title, QStringLiteral("Rastello"));
    QCOMPARE(p.dialogs.messages[0].icon, Dialogs::Icon::Warning);
    QFile old(path);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("stary"));
}

QTEST_MAIN(TestPictures)
#include "test_pictures.moc"

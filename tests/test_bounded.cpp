// The decoding process: a picture comes back whole; a decode past its
// processor time, a cancelled one and every answer that is not exactly a
// picture of the announced size give nothing, with the process gone.
#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>

#include <signal.h>

#include <atomic>
#include <thread>

#include "transfer/DecodeProcess.h"
#include "transfer/PictureDecoder.h"

namespace {

DecodeRequest PictureRequest(const QByteArray& bytes, int maxSide = MaxPictureSide)
{
    DecodeRequest r;
    r.bytes = bytes;
    r.maxSide = maxSide;
    return r;
}

QByteArray Png(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A stand-in for the decoding process: a shell script that reads the
// request and then does what `body` says.
QString FakeDecoder(const QTemporaryDir& dir, const QByteArray& body)
{
    const QString path = dir.filePath(QStringLiteral("fake-decoder"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return {};
    f.write("#!/bin/sh\ncat > /dev/null\n" + body + "\n");
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

// Whether any process still runs this program file.
bool Running(const QString& program)
{
    const QDir proc(QStringLiteral("/proc"));
    for (const QString& pid : proc.entryList(QDir::Dirs)) {
        QFile cmdline(proc.filePath(pid + QStringLiteral("/cmdline")));
        QFile stat(proc.filePath(pid + QStringLiteral("/stat")));
        if (!cmdline.open(QIODevice::ReadOnly) || !stat.open(QIODevice::ReadOnly))
            continue;
        // A zombie has finished.
        const QByteArray state = stat.readAll().split(')').last().trimmed().left(1);
        if (cmdline.readAll().contains(QFile::encodeName(program)) && state != "Z")
            return true;
    }
    return false;
}

} // namespace

class TestBounded : public QObject {
    Q_OBJECT
private slots:
    void pictureComesBackWhole()
    {
        QImage image(37, 5, QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgba(x * 6, y * 40, 200, x % 2 ? 255 : 0));
        const auto decoded = RunDecodeProcess(PictureRequest(Png(image)));
        QVERIFY(decoded);
        QCOMPARE(decoded->format(), QImage::Format_ARGB32);
        QCOMPARE(*decoded, image);
        // Beyond the side the request allows: nothing.
        QVERIFY(!RunDecodeProcess(PictureRequest(Png(image), 36)));
        QVERIFY(!RunDecodeProcess(PictureRequest("not a picture")));
    }

    void cancelledDecodeEndsWithItsProcess()
    {
        QTemporaryDir dir;
        const QString fake = FakeDecoder(dir, "while :; do :; done");
        SetDecoderProgram(fake);
        std::atomic<bool> cancelled{false};
        std::thread canceller([&cancelled] {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            cancelled = true;
        });
        const auto decoded = RunDecodeProcess(PictureRequest("x"), &cancelled);
        canceller.join();
        SetDecoderProgram(QStringLiteral(PIKSELAR_DECODER));
        QVERIFY(!decoded);
        QVERIFY(!Running(fake));
    }

    void decodeEndsAtItsProcessorTime()
    {
        QTemporaryDir dir;
        const QString fake = FakeDecoder(dir, "while :; do :; done");
        SetDecoderProgram(fake);
        const auto decoded = RunDecodeProcess(PictureRequest("x"));
        SetDecoderProgram(QStringLiteral(PIKSELAR_DECODER));
        QVERIFY(!decoded);
        QVERIFY(!Running(fake));
    }

    void onlyAnExactPictureIsTaken_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("taken");
        // printf's octal escapes: "PKDA", width 2 and height 1, little-endian.
        const QByteArray header = "printf 'PKDA\\002\\000\\000\\000\\001\\000\\000\\000'";
        QTest::newRow("two pixels") << header + "; printf '12345678'" << true;
        QTest::newRow("one pixel short") << header + "; printf '1234'" << false;
        QTest::newRow("one byte more") << header + "; printf '123456789'" << false;
        QTest::newRow("failed after the answer") << header + "; printf '12345678'; exit 3" << false;
        QTest::newRow("killed") << QByteArray("kill -9 $$") << false;
        QTest::newRow("nothing") << QByteArray("exit 0") << false;
        QTest::newRow("another magic") << QByteArray("printf 'PKDX\\002\\000\\000\\000\\001\\000\\000\\000'; printf '12345678'")
                                       << false;
        QTest::newRow("larger than allowed")
            << QByteArray("printf 'PKDA\\000\\020\\000\\000\\001\\000\\000\\000'; head -c 16384 /dev/zero") << false;
        QTest::newRow("negative height")
            << QByteArray("printf 'PKDA\\002\\000\\000\\000\\377\\377\\377\\377'") << false;
    }

    void onlyAnExactPictureIsTaken()
    {
        QFETCH(QByteArray, answer);
        QFETCH(bool, taken);
        QTemporaryDir dir;
        SetDecoderProgram(FakeDecoder(dir, answer));
        const auto decoded = RunDecodeProcess(PictureRequest("x", 100));
        SetDecoderProgram(QStringLiteral(PIKSELAR_DECODER));
        QCOMPARE(bool(decoded), taken);
        if (taken) {
            QCOMPARE(decoded->size(), QSize(2, 1));
            QCOMPARE(decoded->pixel(1, 0), qFromLittleEndian<quint32>("5678"));
        }
    }
};

QTEST_MAIN(TestBounded)
#include "test_bounded.moc"

// The transfer paths: a program file's icon, a metafile's playback, a
// pasted picture's decoding and the copy's encoding.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <QMimeData>

#include "transfer/ClipboardData.h"
#include "transfer/MetafilePlayer.h"
#include "transfer/PeIcons.h"
#include "transfer/PictureDecoder.h"

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A real program file with a 32 x 32 16-colour icon, when installed.
void BM_ReadProgramIcon(benchmark::State& state)
{
    const QByteArray exe = ReadAll("/usr/share/nsis/Stubs/zlib-x86-unicode");
    if (exe.isEmpty()) {
        state.SkipWithError("the installer package's stubs are not installed");
        return;
    }
    const pe::Bytes bytes(reinterpret_cast<const std::uint8_t*>(exe.constData()), std::size_t(exe.size()));
    for (auto _ : state)
        benchmark::DoNotOptimize(pe::ReadProgramIcon(bytes, 32));
}
BENCHMARK(BM_ReadProgramIcon);

void BM_PlayMetafile(benchmark::State& state)
{
    // A seed of the metafile fuzz target: shapes of every kind on 32 x 32.
    const QByteArray wmf = ReadAll(PIKSELAR_SOURCE_DIR "/fuzz/corpus/wmf/shapes.wmf");
    if (!wmf::MetafileSize(wmf)) {
        state.SkipWithError("the metafile seed was not found");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(wmf::PlayMetafile(wmf));
}
BENCHMARK(BM_PlayMetafile);

// The costliest metafile: 200 rectangles over a 4096 x 4096 picture, which
// playback stops at its bound of drawing work.
void BM_PlayMetafileToTheWorkBound(benchmark::State& state)
{
    const QByteArray wmf = ReadAll(PIKSELAR_SOURCE_DIR "/fuzz/corpus/wmf/rects-4096.wmf");
    if (!wmf::MetafileSize(wmf)) {
        state.SkipWithError("the metafile seed was not found");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(wmf::PlayMetafile(wmf));
}
BENCHMARK(BM_PlayMetafileToTheWorkBound)->Unit(benchmark::kMillisecond)->Iterations(3);

QImage Pattern(int side)
{
    QImage img(side, side, QImage::Format_RGB32);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            img.setPixel(x, y, qRgb(x * 7, y * 5, 99));
    return img;
}

void BM_DecodePastedPng(benchmark::State& state)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    Pattern(int(state.range(0))).save(&buffer, "PNG");
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodePicture(png, "png"));
}
BENCHMARK(BM_DecodePastedPng)->Arg(32)->Arg(512);

// The costliest JPEG accepted: 4096 x 4096 with the most scans allowed
// (Qt's progressive ones, then empty refinement scans up to the limit).
void BM_DecodeJpegOfMostScans(benchmark::State& state)
{
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    writer.write(Pattern(4096));
    for (int i = JpegScanCount(jpeg); i < MaxJpegScans; ++i)
        jpeg.insert(jpeg.size() - 2, "\xFF\xDA\x00\x08\x01\x01\x00\x00\x00\x10", 10);
    if (JpegScanCount(jpeg) != MaxJpegScans) {
        state.SkipWithError("the JPEG was not made");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodePicture(jpeg));
}
BENCHMARK(BM_DecodeJpegOfMostScans)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CopyImage(benchmark::State& state)
{
    const QImage image = Pattern(32);
    for (auto _ : state)
        delete ImageMimeData(image);
}
BENCHMARK(BM_CopyImage);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // fonts and image plugins
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

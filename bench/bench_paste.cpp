// The Wklej command with a 32 x 32 picture on the clipboard: choosing and
// decoding the picture, then placing it into the image with the thumbnail
// refresh, as the main window does it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QTemporaryDir>

#include "transfer/ClipboardData.h"
#include "transfer/DecodeProcess.h"
#include "ui/Dialogs.h"
#include "qt/QtColour.h"
#include "ui/frmMain.h"

namespace {
QImage Stripes()
{
    QImage img(32, 32, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, (x + y) % 3 ? qRgb(255, 0, 0) : qRgb(0, 0, 128));
    return img;
}

void BM_PastePicture32(benchmark::State& state)
{
    Dialogs dialogs;
    frmMain window(dialogs);
    QGuiApplication::clipboard()->setMimeData(ImageMimeData(Stripes()));
    for (auto _ : state)
        window.mnuWklej_Click();
    // A figure for a paste that did nothing would be worthless.
    if (window.editor().picMini.pixel(0, 0) != FromQRgb(qRgb(0, 0, 128)))
        state.SkipWithError("the picture was not placed");
}
BENCHMARK(BM_PastePicture32)->Unit(benchmark::kMicrosecond);
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The window reads and may write its options: keep them out of the user's folder.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    QApplication app(argc, argv);
    // The paste decodes in the decoding process of the build tree.
    SetDecoderProgram(QStringLiteral(PIKSELAR_DECODER));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

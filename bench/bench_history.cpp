// The picture history: what recording a state costs the main thread (the
// disk write happens on the store's own thread), and what opening the
// history window costs with ten thousand states.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "files/HistoryRecorder.h"
#include "files/HistoryStore.h"
#include "ui/frmHistoria.h"

namespace {
HistoryImage Picture(int n)
{
    HistoryImage image;
    for (int i = 0; i < HistoryPixels; ++i)
        image[std::size_t(i)] = Rgb(std::uint8_t(i % 16 * 16), std::uint8_t(n), 0);
    return image;
}

// Recording while the writer thread commits to a real file.
void BM_HistoryRecord(benchmark::State& state)
{
    QTemporaryDir dir;
    HistoryStore store(dir.path().toStdString() + "/pikselar");
    store.record(Picture(0), "Nowy"); // the writer thread starts with the first state
    store.flush(std::chrono::seconds(5));
    const HistoryImage picture = Picture(1);
    for (auto _ : state)
        store.record(picture, "Ołówek");
    store.finish(std::chrono::seconds(30));
}
BENCHMARK(BM_HistoryRecord)->Unit(benchmark::kMicrosecond);

// A whole change as the main thread pays for it: the image's notices, the
// recorder's copy of the picture and the store's queue.
void BM_HistoryRecordChange(benchmark::State& state)
{
    QTemporaryDir dir;
    HistoryStore store(dir.path().toStdString() + "/pikselar");
    Image image(HistorySide, HistorySide, Rgb(0, 128, 128));
    HistoryRecorder recorder(image, store);
    int i = 0;
    for (auto _ : state) {
        ImageChange change(image, ChangeCause::Line);
        image.setPixel(i & 31, (i >> 5) & 31, Rgb(std::uint8_t(i), 0, 0));
        ++i;
    }
    store.finish(std::chrono::seconds(30));
}
BENCHMARK(BM_HistoryRecordChange)->Unit(benchmark::kMicrosecond);

// A folder holding ten thousand states, made once.
const std::string& FullFolder()
{
    static QTemporaryDir dir;
    static const std::string folder = [] {
        const std::string f = dir.path().toStdString() + "/pikselar";
        HistoryStore store(f);
        for (int i = 0; i < HistoryMaxStates; ++i)
            store.record(Picture(i), "Ołówek");
        store.finish(std::chrono::seconds(120));
        return f;
    }();
    return folder;
}

void BM_HistoryReadTenThousand(benchmark::State& state)
{
    HistoryStore store(FullFolder());
    for (auto _ : state)
        benchmark::DoNotOptimize(store.read());
}
BENCHMARK(BM_HistoryReadTenThousand)->Unit(benchmark::kMillisecond);

// From the menu's click to the window painted, with ten thousand states.
void BM_HistoriaOpen(benchmark::State& state)
{
    HistoryStore store(FullFolder());
    for (auto _ : state) {
        frmHistoria window(store);
        window.show();
        window.grab(); // paints the visible rows, thumbnails included
        benchmark::DoNotOptimize(window.chosen());
    }
}
BENCHMARK(BM_HistoriaOpen)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

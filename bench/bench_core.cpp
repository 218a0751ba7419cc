// The canvas procedures and undo.
#include <benchmark/benchmark.h>

#include "bench/StartedEditor.h"

namespace {

void BM_PaintCell(benchmark::State& state)
{
    Editor e = StartedEditor();
    int i = 0;
    for (auto _ : state) {
        e.CurrentColor = std::uint8_t(i & 15);
        PaintCell(e, i & 31, (i >> 5) & 31); // a quarter of the cells refresh the thumbnail
        ++i;
    }
}
BENCHMARK(BM_PaintCell);

void BM_RepaintCanvas(benchmark::State& state)
{
    Editor e = StartedEditor();
    for (auto _ : state) {
        RepaintCanvas(e);
        benchmark::DoNotOptimize(e.picIkona.pixels());
    }
}
BENCHMARK(BM_RepaintCanvas);

void BM_RefreshHalfPreview(benchmark::State& state)
{
    Editor e = StartedEditor();
    for (auto _ : state) {
        RefreshHalfPreview(e);
        benchmark::DoNotOptimize(e.picEXE.pixels());
    }
}
BENCHMARK(BM_RefreshHalfPreview);

void BM_CanvasToImage(benchmark::State& state)
{
    Editor e = StartedEditor();
    for (auto _ : state) {
        CanvasToImage(e);
        benchmark::DoNotOptimize(e.picMini.pixels());
    }
}
BENCHMARK(BM_CanvasToImage);

void BM_Undo(benchmark::State& state)
{
    Editor e = StartedEditor();
    for (auto _ : state) {
        Cofnij(e);
        benchmark::DoNotOptimize(e.picMini.pixels());
    }
}
BENCHMARK(BM_Undo);
} // namespace

BENCHMARK_MAIN();

// The pencil's step and undo.
#include <benchmark/benchmark.h>

#include "bench/StartedEditor.h"
#include "core/ImageViews.h"

namespace {

void BM_PaintCell(benchmark::State& state)
{
    Editor e = StartedEditor();
    int i = 0;
    for (auto _ : state) {
        e.CurrentColor = std::uint8_t(i & 15);
        PaintCell(e, i & 31, (i >> 5) & 31);
        ++i;
    }
}
BENCHMARK(BM_PaintCell);

// The pencil's step with the three views of the main window listening, each
// turning the notice into the part of itself to repaint.
void BM_PaintCellWithViews(benchmark::State& state)
{
    Editor e = StartedEditor();
    struct View : SurfaceObserver {
        explicit View(ViewScale s) : scale(s) {}
        void surfaceChanged(const PixelArea& area) override
        {
            benchmark::DoNotOptimize(ViewArea(scale, area));
        }
        ViewScale scale;
    } canvas(CanvasScale), mini(OneToOne), thumbnail(HalfScale);
    for (View* v : {&canvas, &mini, &thumbnail})
        e.picMini.addObserver(v);
    int i = 0;
    for (auto _ : state) {
        e.CurrentColor = std::uint8_t(i & 15);
        PaintCell(e, i & 31, (i >> 5) & 31);
        ++i;
    }
    for (View* v : {&canvas, &mini, &thumbnail})
        e.picMini.removeObserver(v);
}
BENCHMARK(BM_PaintCellWithViews);

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

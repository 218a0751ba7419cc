// The drawing tools on the image (the views only hear a notice), and a full
// repaint of the canvas widget, which reads the image.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "bench/StartedEditor.h"
#include "tools/CanvasTools.h"
#include "tools/Shapes.h"
#include "tools/Shift.h"
#include "ui/CanvasView.h"

namespace {
Editor Started()
{
    Editor e = StartedEditor();
    // Something to work on: stripes of every colour.
    for (int y = 0; y < ImageSize; ++y)
        for (int x = 0; x < ImageSize; ++x)
            e.picMini.setPixel(x, y, PaletteColors[(x / 2 + y) % PaletteSize]);
    return e;
}

void BM_Line(benchmark::State& state)
{
    Editor e = Started();
    int i = 0;
    for (auto _ : state) {
        e.CurrentColor = std::uint8_t(++i & 15);
        DrawLineTool(e, {0, 0}, {31, 31});
    }
}
BENCHMARK(BM_Line);

void BM_Rectangle(benchmark::State& state)
{
    Editor e = Started();
    int i = 0;
    for (auto _ : state) {
        e.CurrentColor = std::uint8_t(++i & 15);
        DrawRectangleTool(e, {0, 0}, {31, 31}, false);
    }
}
BENCHMARK(BM_Rectangle);

void BM_FilledRectangle(benchmark::State& state)
{
    Editor e = Started();
    int i = 0;
    for (auto _ : state) {
        e.CurrentColor = std::uint8_t(++i & 15);
        DrawRectangleTool(e, {0, 0}, {31, 31}, true);
    }
}
BENCHMARK(BM_FilledRectangle);

void BM_Eraser(benchmark::State& state)
{
    Editor e = Started();
    int i = 0;
    for (auto _ : state) {
        ++i;
        Erase(e, {i & 31, (i >> 5) & 31});
    }
}
BENCHMARK(BM_Eraser);

void BM_ColourEraser(benchmark::State& state)
{
    Editor e = Started();
    int i = 0;
    for (auto _ : state) {
        ++i;
        e.CurrentColor = std::uint8_t(i & 15);
        ColourErase(e, {i & 31, (i >> 5) & 31});
    }
}
BENCHMARK(BM_ColourEraser);

void BM_Shift(benchmark::State& state)
{
    Editor e = Started();
    int i = 0;
    for (auto _ : state)
        ShiftImage(e, ++i & 3);
}
BENCHMARK(BM_Shift);

// A pencil stroke as the canvas receives it: one move event per cell.
void BM_PencilMove(benchmark::State& state)
{
    Editor e = Started();
    CanvasTools t(e);
    int i = 0;
    for (auto _ : state) {
        ++i;
        t.MouseMove(LeftButton, (i & 31) * CellSize + 2, ((i >> 5) & 31) * CellSize + 2);
    }
}
BENCHMARK(BM_PencilMove);

CanvasOverlay BusyOverlay()
{
    CanvasOverlay o;
    PlaceGrid(o);
    o.GridVisible = true;
    o.GumkaVisible = true;
    o.GumkaCell = {10, 10};
    return o;
}

// The canvas widget painted whole (offscreen grab), with grid and eraser outline.
void BM_CanvasGrab(benchmark::State& state)
{
    Editor e = Started();
    CanvasOverlay o = BusyOverlay();
    CanvasView view(e.picMini, o);
    for (auto _ : state) {
        QPixmap p = view.grab();
        benchmark::DoNotOptimize(p);
    }
}
BENCHMARK(BM_CanvasGrab)->Unit(benchmark::kMicrosecond);

// The device-pixel picture the widget paints, at a scale in percent.
void BM_RenderCanvas(benchmark::State& state)
{
    Editor e = Started();
    const CanvasOverlay o = BusyOverlay();
    const qreal dpr = qreal(state.range(0)) / 100;
    for (auto _ : state) {
        QImage img = RenderCanvas(e.picMini, o, dpr, Qt::black);
        benchmark::DoNotOptimize(img);
    }
}
BENCHMARK(BM_RenderCanvas)->Arg(100)->Arg(125)->Arg(150)->Arg(200)->Unit(benchmark::kMicrosecond);
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

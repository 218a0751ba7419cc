// Editing the image as a whole (mirrors, turns, fills) and making a picture
// palette-true (fitting to 32 x 32, mapping with and without diffusion).
#include <benchmark/benchmark.h>

#include <QImage>

#include "bench/StartedEditor.h"
#include "core/Editor.h"
#include "core/FloodFill.h"
#include "core/Transform.h"
#include "tools/ImageEdits.h"
#include "tools/KeyboardDrawing.h"
#include "transfer/FitPicture.h"
#include "transfer/PaletteMap.h"

namespace {

// A drawn image: every cell a palette colour, no two neighbours alike.
Surface DrawnImage()
{
    Surface s(ImageSize, ImageSize, PaletteColors[ImageBackIndex]);
    for (int y = 0; y < ImageSize; ++y)
        for (int x = 0; x < ImageSize; ++x)
            s.setPixel(x, y, PaletteColors[(x * 7 + y * 3) % PaletteSize]);
    return s;
}

template <void (*Transform)(Surface&)>
void BM_Transform(benchmark::State& state)
{
    Surface s = DrawnImage();
    for (auto _ : state) {
        Transform(s);
        benchmark::DoNotOptimize(s.pixels());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Transform<FlipHorizontal>)->Name("BM_FlipHorizontal");
BENCHMARK(BM_Transform<FlipVertical>)->Name("BM_FlipVertical");
BENCHMARK(BM_Transform<RotateRight>)->Name("BM_RotateRight");
BENCHMARK(BM_Transform<RotateLeft>)->Name("BM_RotateLeft");

// The inside of an outlined 7 x 7 rectangle, in turn blue and red.
void BM_FloodFillOutlined(benchmark::State& state)
{
    Surface s(ImageSize, ImageSize, PaletteColors[ImageBackIndex]);
    s.rectangle(4, 4, 10, 10, PaletteColors[1]);
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FloodFill(s, 7, 7, PaletteColors[2 + (i++ & 1)]));
    }
}
BENCHMARK(BM_FloodFillOutlined);

// Every cell, in turn one colour and another.
void BM_FloodFillWholeImage(benchmark::State& state)
{
    Surface s(ImageSize, ImageSize, PaletteColors[ImageBackIndex]);
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FloodFill(s, 16, 16, PaletteColors[2 + (i++ & 1)]));
    }
}
BENCHMARK(BM_FloodFillWholeImage);

// A winding one-cell corridor through the whole image: the longest path.
void BM_FloodFillMaze(benchmark::State& state)
{
    Surface s(ImageSize, ImageSize, PaletteColors[0]);
    for (int x = 1; x < ImageSize; x += 2)
        s.line(x, x % 4 == 1 ? 0 : 1, x, x % 4 == 1 ? ImageSize - 2 : ImageSize - 1, PaletteColors[1]);
    int i = 0;
    for (auto _ : state) {
        const Colour c = PaletteColors[i & 1 ? 0 : 8];
        benchmark::DoNotOptimize(FloodFill(s, 0, 0, c));
        ++i;
    }
}
BENCHMARK(BM_FloodFillMaze);

void BM_ReplaceColour(benchmark::State& state)
{
    Surface s = DrawnImage();
    int i = 0;
    for (auto _ : state) {
        // Colour 1 becomes 2, then 2 becomes 1: a sixteenth of the cells each time.
        benchmark::DoNotOptimize(ReplaceColour(s, 1, 4, PaletteColors[1 + (++i & 1)]));
    }
}
BENCHMARK(BM_ReplaceColour);

// The menu's actions as the user runs them: the undo snapshot, one change of
// the image told to its listeners, the edit itself.
Editor DrawnEditor()
{
    Editor e = StartedEditor();
    e.picMini.assign(DrawnImage());
    return e;
}

void BM_TurnAction(benchmark::State& state)
{
    Editor e = DrawnEditor();
    const auto t = Turn(state.range(0));
    for (auto _ : state) {
        TurnImage(e, t);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TurnAction)->ArgName("turn")->DenseRange(0, 3);

// The whole image filled, in turn one colour and another.
void BM_FillAction(benchmark::State& state)
{
    Editor e = StartedEditor();
    const bool everywhere = state.range(0) != 0;
    int i = 0;
    for (auto _ : state) {
        e.CurrentColor = std::uint8_t(2 + (i++ & 1));
        benchmark::DoNotOptimize(FillImage(e, {16, 16}, everywhere));
    }
}
BENCHMARK(BM_FillAction)->ArgName("everywhere")->Arg(0)->Arg(1);

// One keyboard step with the pencil: the cursor one cell on, Space.
void BM_KeyboardStep(benchmark::State& state)
{
    Editor e = DrawnEditor();
    CanvasTools tools(e);
    KeyboardDrawing keys(e, tools);
    keys.Start();
    int i = 0;
    for (auto _ : state) {
        ++i;
        keys.Move((i & 31) == 0 ? -31 : 1, (i & 31) == 0 ? 1 : 0);
        keys.Act();
    }
}
BENCHMARK(BM_KeyboardStep);

// A photo-like picture of the decoder's size class: smooth gradients with
// fine noise, so neither caches nor flat runs flatter the figures.
QImage Photo(int w, int h, QImage::Format format)
{
    QImage img(w, h, format);
    std::uint32_t seed = 12345;
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int n = int(seed >> 28) - 8;
            const int a = format == QImage::Format_ARGB32 ? (x * 255 / w + y) & 255 : 255;
            line[x] = qRgba(std::clamp(x * 255 / w + n, 0, 255), std::clamp(y * 255 / h + n, 0, 255),
                            std::clamp(((x + y) / 16) % 256 + n, 0, 255), a);
        }
    }
    return img;
}

void BM_FitPhoto(benchmark::State& state)
{
    const QImage photo = Photo(4000, 3000, QImage::Format_RGB32);
    for (auto _ : state)
        benchmark::DoNotOptimize(FitPicture(photo));
}
BENCHMARK(BM_FitPhoto)->Unit(benchmark::kMillisecond);

void BM_FitAndMapDithered(benchmark::State& state)
{
    const QImage photo = Photo(4000, 3000, state.range(0) ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (auto _ : state)
        benchmark::DoNotOptimize(MapToPalette(FitPicture(photo), ImageBackIndex, true));
}
BENCHMARK(BM_FitAndMapDithered)->ArgName("alpha")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Mapping without fitting works on every pixel of the picture.
void BM_MapWholePhoto(benchmark::State& state)
{
    const QImage photo = Photo(4000, 3000, QImage::Format_RGB32);
    const bool dither = state.range(0) != 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(MapToPalette(photo, ImageBackIndex, dither));
}
BENCHMARK(BM_MapWholePhoto)->ArgName("dither")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

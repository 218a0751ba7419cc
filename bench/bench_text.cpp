// Drawing a text for placement: the work of each re-render after a font,
// size or style change.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "core/Palette.h"
#include "text/TextRender.h"

namespace {
void Render(benchmark::State& state, const QString& text, int points, bool bold)
{
    QFont font = InitialTextFont();
    font.setPointSize(points);
    font.setBold(bold);
    for (auto _ : state)
        benchmark::DoNotOptimize(RenderText(text, font, PaletteColors[15]));
}

void BM_RenderShort10(benchmark::State& state) { Render(state, QStringLiteral("Ab"), 10, false); }
void BM_RenderFull36Bold(benchmark::State& state)
{
    Render(state, QStringLiteral("Zażółć MWQ"), 36, true);
}
void BM_RenderThreeLines20(benchmark::State& state)
{
    Render(state, QStringLiteral("abc\r\ndef\ngh"), 20, false);
}
} // namespace

BENCHMARK(BM_RenderShort10);
BENCHMARK(BM_RenderFull36Bold);
BENCHMARK(BM_RenderThreeLines20);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv); // fonts need a Gui application
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

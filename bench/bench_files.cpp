// Writing an icon into memory, reading one from memory into the image, and
// placing a fragment from the placement window.
#include <benchmark/benchmark.h>

#include <QFile>

#include "core/Procedury.h"
#include "core/Transparent.h"
#include "files/IconReader.h"
#include "files/IconWriter.h"
#include "transfer/Placement.h"

namespace {
// The 126 bytes of header.dat: the directory entry, then a 40-byte bitmap
// header, then the palette's colour table by file code.
std::vector<std::uint8_t> Header()
{
    std::vector<std::uint8_t> h(126, 0);
    std::copy(IconHeader.begin(), IconHeader.end(), h.begin());
    const std::uint8_t info[] = {40, 0, 0, 0, 32, 0, 0, 0, 64, 0, 0, 0, 1, 0, 4, 0};
    std::copy(std::begin(info), std::end(info), h.begin() + 22);
    for (int i = 0; i < PaletteSize; ++i) {
        std::uint8_t* entry = h.data() + 62 + 4 * FileCode(i);
        entry[0] = Blue(PaletteColors[i]);
        entry[1] = Green(PaletteColors[i]);
        entry[2] = Red(PaletteColors[i]);
    }
    return h;
}

Editor Drawn()
{
    Editor e;
    SetBackgroundColours(e);
    for (int y = 0; y < ImageSize; ++y)
        for (int x = 0; x < ImageSize; ++x)
            e.picMini.setPixel(x, y, PaletteColors[(x * y + x) % PaletteSize]);
    return e;
}

void BM_WriteIconToMemory(benchmark::State& state)
{
    const Editor e = Drawn();
    const std::vector<std::uint8_t> header = Header();
    for (auto _ : state)
        benchmark::DoNotOptimize(IconFileBytes(header, e));
}
BENCHMARK(BM_WriteIconToMemory);

void BM_ReadIconFromMemoryIntoImage(benchmark::State& state)
{
    const std::vector<std::uint8_t> file = IconFileBytes(Header(), Drawn());
    Editor e;
    SetBackgroundColours(e);
    for (auto _ : state) {
        IsValidIconFile(file);
        DecodeIcon(file, e.pic);
        LoadIconPixels(e);
        benchmark::DoNotOptimize(e.picMini.pixels());
    }
}
BENCHMARK(BM_ReadIconFromMemoryIntoImage);

void BM_PlaceFragment(benchmark::State& state)
{
    Editor e = Drawn();
    Surface source(320, 240, PaletteColors[StagingBackIndex]);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            source.setPixel(x, y, Rgb(std::uint8_t(x), std::uint8_t(y), 9));
    e.pic.assign(source, true);
    int i = 0;
    for (auto _ : state) {
        const FramePosition p = FollowPointer(i % 320, (i / 3) % 240, 320, 240);
        PlaceFragment(e, p.left, p.top);
        benchmark::DoNotOptimize(e.picMini.pixels());
        ++i;
    }
}
BENCHMARK(BM_PlaceFragment);
} // namespace

BENCHMARK_MAIN();

// Makes data/pikselar.ico, the program's own icon, with the program's icon
// writer: a pencil over a small grid of palette colours. Colour 11 (the
// initial transparent colour) is the transparent background.
// Usage: pikselar_make_icon HEADER.dat OUT.ico
#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string_view>
#include <vector>

#include "core/Procedury.h"
#include "files/IconWriter.h"

namespace {
// One palette digit (UI index 0..f) per pixel.
constexpr std::array<std::string_view, ImageSize> Picture{
    "bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb",
    "bbbbbbbbbbbbbbbbbbbbbbbbbbbbb0bb",
    "bbbbbbbbbbbbbbbbbbbbbbbbbbbb0999",
    "bbbbbbbbbbbbbbbbbbbbbbbbbbb08f99",
    "bbbbbbbbbbbbbbbbbbbbbbbbbb08fff9",
    "bbbbbbbbbbbbbbbbbbbbbbbbb08aaf70",
    "bbbbbbbbbbbbbbbbbbbbbbbb08aaad0b",
    "bbbbbbbbbbbbbbbbbbbbbbb08aaad0bb",
    "bbbbbbbbbbbbbbbbbbbbbb08aaad0bbb",
    "bbbbbbbbbbbbbbbbbbbbb08aaad0bbbb",
    "b000000000000000000008aaad0bbbbb",
    "b011110aaaa0222203308aaad0bbbbbb",
    "b011110aaaa022220308aaad0bbbbbbb",
    "b011110aaaa02222008aaad0bbbbbbbb",
    "b011110aaaa0222208aaad0bbbbbbbbb",
    "b00000000000000008ff00bbbbbbbbbb",
    "b09999088880eee08f0cc0bbbbbbbbbb",
    "b09999088880ee000cccc0bbbbbbbbbb",
    "b09999088880e0ee0cccc0bbbbbbbbbb",
    "b09999088880eeee0cccc0bbbbbbbbbb",
    "b000000000000000000000bbbbbbbbbb",
    "b0dddd044440ffff055550bbbbbbbbbb",
    "b0dddd044440ffff055550bbbbbbbbbb",
    "b0dddd044440ffff055550bbbbbbbbbb",
    "b0dddd044440ffff055550bbbbbbbbbb",
    "b000000000000000000000bbbbbbbbbb",
    "b0666607777011110aaaa0bbbbbbbbbb",
    "b0666607777011110aaaa0bbbbbbbbbb",
    "b0666607777011110aaaa0bbbbbbbbbb",
    "b0666607777011110aaaa0bbbbbbbbbb",
    "b000000000000000000000bbbbbbbbbb",
    "bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb",
};
} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s HEADER.dat OUT.ico\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<std::uint8_t> header{std::istreambuf_iterator<char>(in), {}};
    if (header.empty()) {
        std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[1]);
        return 1;
    }
    Editor e;
    for (int y = 0; y < ImageSize; ++y)
        for (int x = 0; x < ImageSize; ++x) {
            const char c = Picture[y][x];
            e.picMini.setPixel(x, y, PaletteColors[c <= '9' ? c - '0' : c - 'a' + 10]);
        }
    const std::vector<std::uint8_t> bytes = IconFileBytes(header, e);
    std::ofstream out(argv[2], std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return out.good() ? 0 : 1;
}

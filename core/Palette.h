// The fixed 16-colour palette and the 22 bytes every icon file starts with.
// Indexed by UI index 0..15 (colour button lblKol(i), menu entry prz(i)).
#pragma once
#include <array>
#include <cstdint>
#include <string_view>

#include "core/Colour.h"

inline constexpr int PaletteSize = 16;

inline constexpr std::array<Colour, PaletteSize> PaletteColors{
    Rgb(0, 0, 0),       Rgb(255, 0, 0),     Rgb(0, 255, 0),     Rgb(0, 0, 255),
    Rgb(127, 0, 0),     Rgb(0, 127, 0),     Rgb(0, 0, 127),     Rgb(128, 128, 128),
    Rgb(255, 255, 255), Rgb(255, 0, 255),   Rgb(255, 255, 0),   Rgb(0, 255, 255),
    Rgb(127, 0, 127),   Rgb(127, 127, 0),   Rgb(0, 127, 127),   Rgb(191, 191, 191),
};

// UTF-8; the names are shown in the transparent-colour menu and the help bar.
inline constexpr std::array<std::string_view, PaletteSize> ColorNames{
    "czarny",  "czerwony",      "zielony",          "niebieski",
    "brązowy", "ciemy zielony", "ciemny niebieski", "ciemny szary",
    "biały",   "fioletowy",     "żółty",            "morski",
    "ciemny fioletowy", "oliwkowy", "osikany zielony", "szary",
};

// Each entry's index in the file's colour table, as four binary digits.
inline constexpr std::array<std::string_view, PaletteSize> ColorCodes{
    "0000", "1001", "1010", "1100", "0001", "0010", "0100", "1000",
    "1111", "1101", "1011", "1110", "0101", "0011", "0110", "0111",
};

inline constexpr std::array<std::uint8_t, 22> IconHeader{
    0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x20, 0x20, 0x10, 0x00, 0x00,
    0x00, 0x00, 0x00, 0xE8, 0x02, 0x00, 0x00, 0x16, 0x00, 0x00, 0x00,
};

// Palette indices the program names by role.
inline constexpr int ImageBackIndex = 11;   // "morski": image surfaces
inline constexpr int StagingBackIndex = 15; // "szary": the placement window's surfaces

// ColorCodes as numbers, read once when the program is compiled.
inline constexpr std::array<std::uint8_t, PaletteSize> FileCodes = [] {
    std::array<std::uint8_t, PaletteSize> codes{};
    for (int i = 0; i < PaletteSize; ++i)
        for (char c : ColorCodes[i])
            codes[i] = std::uint8_t(codes[i] << 1 | (c == '1'));
    return codes;
}();

// The 4-bit file code of a UI index.
constexpr std::uint8_t FileCode(int uiIndex)
{
    return FileCodes[uiIndex];
}

// Colour values as the image stores them: 0x00BBGGRR, red in the low byte.
// A distinct type so they can never be handed to Qt, which expects 0xAARRGGBB.
#pragma once
#include <cstdint>

enum class Colour : std::uint32_t {};

constexpr Colour Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return Colour{std::uint32_t(r) | std::uint32_t(g) << 8 | std::uint32_t(b) << 16};
}
constexpr std::uint8_t Red(Colour c) { return std::uint32_t(c) & 0xFF; }
constexpr std::uint8_t Green(Colour c) { return (std::uint32_t(c) >> 8) & 0xFF; }
constexpr std::uint8_t Blue(Colour c) { return (std::uint32_t(c) >> 16) & 0xFF; }

// What a surface answers for a pixel outside it: its high byte is set, so it
// equals no colour a surface can hold.
inline constexpr Colour OutsideColour{0xFF000000u};

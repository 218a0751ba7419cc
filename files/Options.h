// The options file opcje.dat: seven decimal integers, the transparent colour
// and the six view options, separated by commas, line ends or both.
//
// Each setting stands alone: the item in its position is applied when it is
// usable, and a setting whose item is missing or unusable keeps its initial
// state while the other settings still apply. Usable means a decimal integer
// (optional sign, blanks around it); for item 1 it must also be 0..15 or 17.
// A view item is on only when it equals 1: 2, -1 or 99999999999 are off.
// Blank lines and blanks around items are ignored; an empty item between two
// commas is an unusable item. Items after the seventh are ignored.
#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>

inline constexpr int ViewOptionCount = 6;

// The six view options of the main window, in the file's order.
enum class View { Coordinates, Frames, Preview, Thumbnail, Grid, HelpBar };

// The main window's view state; its menu check marks show it, and the file
// carries `on` as items 2 to 7.
struct ViewOptions {
    // Coordinates, frames, both previews and the help bar shown; the grid hidden.
    std::array<bool, ViewOptionCount> on{true, true, true, true, false, true};

    bool operator[](View v) const { return on[std::size_t(v)]; }
    bool& operator[](View v) { return on[std::size_t(v)]; }
};

// Two more views of the canvas, kept in the settings file beside opcje.dat
// (never in it): cells outside the palette marked, and the transparent
// colour's cells shown as a checkerboard.
struct MarkViews {
    bool outsidePalette = false;
    bool transparency = false;
};

// What a file says: nothing for a setting that stays initial.
struct StoredOptions {
    std::optional<int> transparentIndex;
    std::array<std::optional<bool>, ViewOptionCount> views{};
};

StoredOptions ParseOptions(std::string_view text);

// One item per line, as the reader accepts it.
std::string FormatOptions(int transparentIndex, const std::array<bool, ViewOptionCount>& views);

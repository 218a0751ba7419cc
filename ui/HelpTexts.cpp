#include "ui/HelpTexts.h"

#include <array>
#include <string_view>

#include "core/Palette.h"

namespace {
// The spelling is the program's own, "pojedyńczych" and "podglad" included.
constexpr std::array<std::string_view, 8> ShortTool{
    "To narzędzie służy do rysowania pojedyńczych punktów",
    "To narzędzie do rysowania prostych linii",
    "To narzędzie służy do rysowania kwadratów",
    "To narzędzie służy do rysowania wypełnionych kwadratów",
    "To narzędzie służy do wstawiania tekstu",
    "PUSTE - może coś tu dam w nowej wersji",
    "Gumka do mazania",
    "Gumka do mazania wybranego koloru",
};
constexpr std::array<std::string_view, 4> ShortArrowText{
    "To narzędzie przesuwa obraz w górę",
    "To narzędzie przesuwa obraz w lewo",
    "To narzędzie przesuwa obraz w dół",
    "To narzędzie przesuwa obraz w prawo",
};

constexpr std::array<std::string_view, 8> LongTool{
    "Ołówek - to narzędzie służy do rysowania pojedyńczych punktów, lub odręcznych linii",
    "Linia - to narzędzie służy do rysowania prostych linii, jest pod tym względem dużo lepsze "
    "od ołówka",
    "Kwadrat - to narzędzie służy do rysowania niewypełnionych kwadratów.",
    "Kwadrat - to narzędzie służy do rysowania wypełnionych kwadratów.",
    "Tekst - to narzędzie służy do wstawiania tekstu, jest dość ubogie, ale nie każdy edytor "
    "ikon posiada takie cudo",
    "?",
    "Gumka - to narzędzie służy do mazania pewnych fragmentów obrazu",
    "Gumka do kolorów - to narzędzie różni się tym, od zwykłej gumki, że usuwa tylko 1 "
    "określony kolor (ten, który jest wybrany na palecie kolorów)",
};
constexpr std::string_view LongPaletteText =
    "Paleta kolorów - dzięki palecie kolorów możemy wybrać kolor, którym chcemy się posługiwać. "
    "Dzięki temu nasza ikona moze byc kolorowa :-)";
constexpr std::array<std::string_view, 4> LongArrowText{
    "Strzałka w górę - to narzędzie przesuwa obraz ikony o 1 pixel do góry.",
    "Strzałka w lewo - to narzędzie przesuwa obraz ikony o 1 pixel w lewo.",
    "Strzałka w dół - to narzędzie przesuwa obraz ikony o 1 pixel w dół.",
    "Strzałka w prawo - to narzędzie przesuwa obraz ikony o 1 pixel w prawo.",
};

template <std::size_t N>
std::string At(const std::array<std::string_view, N>& table, int index)
{
    if (index < 0 || std::size_t(index) >= N)
        return {};
    return std::string(table[std::size_t(index)]);
}
} // namespace

std::string ShortHelpText(int kind, int index)
{
    switch (kind) {
    case ShortToolbar:
        return At(ShortTool, index);
    case ShortPalette:
        if (index < 0 || index >= PaletteSize)
            return {};
        return "Kliknij tutaj, aby wybrać " + std::string(ColorNames[std::size_t(index)]) + " kolor";
    case ShortArrow:
        return At(ShortArrowText, index);
    case ShortMini:
        return "To jest podgląd ikony (skala 1:1)";
    case ShortThumb:
        return "To jest podglad ikony (skala 1:2)";
    case ShortHelpBar:
        return "PIKSELAR v 1.0";
    default:
        return {};
    }
}

std::string LongHelpText(int kind, int index)
{
    switch (kind) {
    case LongToolbar:
        return At(LongTool, index);
    case LongPalette:
        return std::string(LongPaletteText);
    case LongArrow:
        return At(LongArrowText, index);
    default:
        return {};
    }
}

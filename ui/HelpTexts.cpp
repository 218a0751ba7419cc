#include "ui/HelpTexts.h"

#include <array>
#include <string_view>

#include "core/Palette.h"
#include "core/Translatable.h"

namespace {
// The spelling is the program's own, "pojedyńczych" and "podglad" included.
constexpr std::array<std::string_view, 8> ShortTool{
    QT_TRANSLATE_NOOP("HelpTexts", "To narzędzie służy do rysowania pojedyńczych punktów"),
    QT_TRANSLATE_NOOP("HelpTexts", "To narzędzie do rysowania prostych linii"),
    QT_TRANSLATE_NOOP("HelpTexts", "To narzędzie służy do rysowania kwadratów"),
    QT_TRANSLATE_NOOP("HelpTexts", "To narzędzie służy do rysowania wypełnionych kwadratów"),
    QT_TRANSLATE_NOOP("HelpTexts", "To narzędzie służy do wstawiania tekstu"),
    QT_TRANSLATE_NOOP("HelpTexts", "PUSTE - może coś tu dam w nowej wersji"),
    QT_TRANSLATE_NOOP("HelpTexts", "Gumka do mazania"),
    QT_TRANSLATE_NOOP("HelpTexts", "Gumka do mazania wybranego koloru"),
};
constexpr std::array<std::string_view, 4> ShortArrowText{
    QT_TRANSLATE_NOOP("HelpTexts", "To narzędzie przesuwa obraz w górę"),
    QT_TRANSLATE_NOOP("HelpTexts", "To narzędzie przesuwa obraz w lewo"),
    QT_TRANSLATE_NOOP("HelpTexts", "To narzędzie przesuwa obraz w dół"),
    QT_TRANSLATE_NOOP("HelpTexts", "To narzędzie przesuwa obraz w prawo"),
};

constexpr std::array<std::string_view, 8> LongTool{
    QT_TRANSLATE_NOOP("HelpTexts", "Ołówek - to narzędzie służy do rysowania pojedyńczych punktów, lub odręcznych linii"),
    QT_TRANSLATE_NOOP("HelpTexts", "Linia - to narzędzie służy do rysowania prostych linii, jest pod tym względem dużo lepsze "
        "od ołówka"),
    QT_TRANSLATE_NOOP("HelpTexts", "Kwadrat - to narzędzie służy do rysowania niewypełnionych kwadratów."),
    QT_TRANSLATE_NOOP("HelpTexts", "Kwadrat - to narzędzie służy do rysowania wypełnionych kwadratów."),
    QT_TRANSLATE_NOOP("HelpTexts", "Tekst - to narzędzie służy do wstawiania tekstu, jest dość ubogie, ale nie każdy edytor "
        "ikon posiada takie cudo"),
    QT_TRANSLATE_NOOP("HelpTexts", "?"),
    QT_TRANSLATE_NOOP("HelpTexts", "Gumka - to narzędzie służy do mazania pewnych fragmentów obrazu"),
    QT_TRANSLATE_NOOP("HelpTexts", "Gumka do kolorów - to narzędzie różni się tym, od zwykłej gumki, że usuwa tylko 1 "
        "określony kolor (ten, który jest wybrany na palecie kolorów)"),
};
constexpr std::string_view LongPaletteText =
    QT_TRANSLATE_NOOP("HelpTexts", "Paleta kolorów - dzięki palecie kolorów możemy wybrać kolor, którym chcemy się posługiwać. "
        "Dzięki temu nasza ikona moze byc kolorowa :-)");
constexpr std::array<std::string_view, 4> LongArrowText{
    QT_TRANSLATE_NOOP("HelpTexts", "Strzałka w górę - to narzędzie przesuwa obraz ikony o 1 pixel do góry."),
    QT_TRANSLATE_NOOP("HelpTexts", "Strzałka w lewo - to narzędzie przesuwa obraz ikony o 1 pixel w lewo."),
    QT_TRANSLATE_NOOP("HelpTexts", "Strzałka w dół - to narzędzie przesuwa obraz ikony o 1 pixel w dół."),
    QT_TRANSLATE_NOOP("HelpTexts", "Strzałka w prawo - to narzędzie przesuwa obraz ikony o 1 pixel w prawo."),
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
        return QT_TRANSLATE_NOOP("HelpTexts", "To jest podgląd ikony (skala 1:1)");
    case ShortThumb:
        return QT_TRANSLATE_NOOP("HelpTexts", "To jest podglad ikony (skala 1:2)");
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

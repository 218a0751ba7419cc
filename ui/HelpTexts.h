// Every help text of the program: the one-line texts of the help bar and the
// longer explanations of the help window. Pure, so the tables are checked
// without a window.
#pragma once
#include <string>

#include "core/Translatable.h"

// Kinds of the help bar's texts, counted from 0.
enum ShortHelpKind {
    ShortToolbar = 0,  // Toolbar(0..7)
    ShortPalette = 1,  // lblKol(0..15)
    ShortArrow = 2,    // cmdKey(0..3)
    ShortMini = 3,     // picMini
    ShortThumb = 4,    // picEXE
    ShortHelpBar = 5,  // lblHelp itself
};

// Kinds of the help window's texts, counted from 1.
enum LongHelpKind {
    LongToolbar = 1,
    LongPalette = 2,
    LongArrow = 3,
};

// UTF-8; empty for a kind or index outside the table. The kinds without an
// index (picMini, picEXE, lblHelp) answer for any index.
std::string ShortHelpText(int kind, int index);
// UTF-8; empty outside the table. One palette text serves every index.
std::string LongHelpText(int kind, int index);

// The notice shown when help mode is switched on.
inline constexpr const char* HelpModeNotice = QT_TRANSLATE_NOOP("HelpTexts",
    "Właśnie uruchomiłes Pomoc. Od teraz klikając np. w jakieś narzędzie dowiesz się do czego "
    "to narzędzie służy. Aby wyłączyć tą pomoc, należy z menu POMOC wybrać jeszcze raz pozycję "
    "POMOC");

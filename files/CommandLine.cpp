#include "files/CommandLine.h"

#include <algorithm>
#include <array>

#include "core/Translatable.h"

namespace {
// ASCII only: every switch is ASCII, and a word with other bytes is no switch.
bool SameSwitch(std::string_view word, std::string_view upperSwitch)
{
    return word.size() == upperSwitch.size()
        && std::equal(word.begin(), word.end(), upperSwitch.begin(), [](char a, char b) {
               return (a >= 'a' && a <= 'z' ? char(a - 'a' + 'A') : a) == b;
           });
}

bool IsHelpSwitch(std::string_view word)
{
    static constexpr std::array<std::string_view, 5> HelpSwitches{"/?", "/POMOC", "/HELP", "-H",
                                                                  "--HELP"};
    return std::any_of(HelpSwitches.begin(), HelpSwitches.end(),
                       [word](std::string_view s) { return SameSwitch(word, s); });
}
} // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& words)
{
    CommandLine c;
    if (std::any_of(words.begin(), words.end(), [](const std::string& w) { return IsHelpSwitch(w); }))
        c.action = CommandLine::Action::Help;
    else if (std::any_of(words.begin(), words.end(),
                         [](const std::string& w) { return SameSwitch(w, "/SCHOWEK"); }))
        c.action = CommandLine::Action::Paste;
    else if (!words.empty() && !words.front().empty()) {
        c.action = CommandLine::Action::Open;
        c.path = words.front();
    }
    return c;
}

std::string_view UsageText()
{
    return QT_TRANSLATE_NOOP("CommandLine", "Użycie: pikselar [PLIK.ico | /SCHOWEK]\n"
           "Edytor jednej ikony 32 x 32 w 16 kolorach.\n"
           "\n"
           "  PLIK.ico    otwiera podany plik ikony\n"
           "  /SCHOWEK    zaczyna od obrazu wklejonego ze schowka\n"
           "  /?, /POMOC, /HELP, -h, --help\n"
           "              wypisuje ten tekst i kończy program\n"
           "\n"
           "Wielkość liter w przełącznikach nie ma znaczenia.\n");
}

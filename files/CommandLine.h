// The command line: the program's arguments as the system delivers them, so a
// path with blanks, quoted by a shell or passed whole by a file manager, is
// one word. Switches compare case-insensitively.
#pragma once
#include <string>
#include <string_view>
#include <vector>

struct CommandLine {
    enum class Action {
        Nothing, // no words, or an empty first word
        Help,    // print the usage text and end
        Paste,   // "/SCHOWEK" somewhere: paste the clipboard, open no file
        Open,    // open the icon file `path`
    };
    Action action = Action::Nothing;
    std::string path;
};

// A help switch anywhere wins; then "/SCHOWEK" anywhere; otherwise word 1 is
// the file to open. Every word is looked at, however many there are.
CommandLine ParseCommandLine(const std::vector<std::string>& words);

// The short Polish usage text, UTF-8, ending in a line end.
std::string_view UsageText();

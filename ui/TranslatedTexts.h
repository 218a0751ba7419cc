// The plain tables of texts (help texts, colour names, usage) in the
// interface's language: the tables are Polish, the installed translator
// answers for the others.
#pragma once
#include <QString>
#include <string>

// The name of palette colour `index` (0..15); empty outside the palette.
QString ColourName(int index);
// The help bar's text (kinds of ShortHelpKind); empty outside the table.
QString ShortHelp(int kind, int index);
// The help window's text (kinds of LongHelpKind); empty outside the table.
QString LongHelp(int kind, int index);
// The notice shown when help mode is switched on.
QString HelpModeText();
// Why the picture history is not being saved, as the history gives it in
// Polish (files/HistoryReasons.h).
QString HistoryReason(const std::string& reason);

// Where the picture history is kept, and whether it can be kept there: the
// folder is made when missing (mode 0700) and must be a real folder of ours;
// the files in it must be regular files, never links, pipes or folders, and
// are opened without blocking and without following links. Problems come back
// as a short Polish reason for the history window, each marked for the
// translation tools (files/HistoryReasons.h); "" means all is well.
#pragma once
#include <string>

// `$XDG_STATE_HOME/pikselar`, or `$HOME/.local/state/pikselar` when that is
// unset or not absolute; "" when neither names an absolute folder. Reads only
// the environment.
std::string HistoryFolderFromEnvironment();

// The database's file name inside the folder.
inline constexpr const char* HistoryFileName = "historia.db";

// Makes the folder when missing and checks that it is a writable folder of
// ours that is no link; narrows its mode to 0700.
std::string PrepareHistoryFolder(const std::string& folder);

// Checks the database file and the files the database keeps beside it; with
// `create`, makes the database file (mode 0600) when missing and narrows the
// mode of an existing one. Without `create` a missing file is no problem.
std::string PrepareHistoryFile(const std::string& folder, bool create);

// What can still be read of a history file set aside as damaged is carried
// into the new one: a power cut or a truncated copy loses only what is gone.
#pragma once
#include <string>

struct sqlite3;

// Copies the readable states of the file at `aside` (oldest first, up to the
// first damaged part) into `to`. The file itself is left as it is; a foreign
// file gives nothing.
void SalvageHistory(const std::string& aside, sqlite3* to);

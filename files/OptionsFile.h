// opcje.dat on the disk: read only when it is a regular file (a FIFO or a
// device in its place must not block start-up or be touched), written only
// over a regular file or where none is.
#pragma once
#include <QString>

#include "files/Options.h"

// A real options file is a few bytes; the seven items come first.
inline constexpr std::size_t OptionsReadLimit = 64 * 1024;

// What the file says; nothing set when it is missing, unreadable or not a
// regular file.
StoredOptions ReadOptionsFile(const QString& path);
// Replaces the file with the settings, completely or not at all. A missing
// file is created (and its folder); a symbolic link to a regular file writes
// that file and keeps the link; a link to anything else, a FIFO, a device, a
// folder or a read-only file is left alone. False when nothing was written.
bool WriteOptionsFile(const QString& path, int transparentIndex,
                      const std::array<bool, ViewOptionCount>& views);

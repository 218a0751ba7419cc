// Reading and writing whole small files for the icon commands, safely: only
// regular files are read (a FIFO or a device must never block the program),
// and a file is replaced only once its new content is completely written.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include <QString>

// At most maxBytes from the start of a regular file; nothing when the path is
// missing, unreadable or not a regular file (directory, FIFO, device).
std::optional<std::vector<std::uint8_t>> ReadFileStart(const QString& path, std::size_t maxBytes);
// A missing file may be written; an existing one only when it is a regular
// file that is not read-only (no write permission bit, or none for us).
bool IsReplaceable(const QString& path);
// Writes the bytes to a temporary file beside the target and renames it over
// the target. False, with the target untouched, on any failure and for a
// target that is not replaceable.
bool ReplaceFile(const QString& path, std::span<const std::uint8_t> bytes);

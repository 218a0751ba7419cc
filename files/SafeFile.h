// Replacing a file safely: the new content is written completely and forced
// to the disk under a temporary name of its own before it takes the file's
// place, so the old file is never lost to a failed or killed save, and two
// saves of one file never touch each other's temporary file.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include <sys/types.h>

#include <QString>

// A missing file may be written; an existing one only when it is a regular
// file that is not read-only (no write permission bit, or none for us).
bool IsReplaceable(const QString& path);

// Writes the bytes to a fresh temporary file beside the target
// (".NAME.XXXXXX.pikselar-tmp", made by mkstemp), forces them to the disk and
// renames it over the target, which keeps its mode and, where we may set
// them, its owner and group. A symbolic link is kept and its target written.
// A file with several hard links is written in place once the temporary copy
// is complete, so every link sees the new content. Temporary files of killed
// saves are cleared away (see TemporaryLeftoverAge). False, with the target
// untouched, on any failure and for a target that is not replaceable.
bool ReplaceFile(const QString& path, std::span<const std::uint8_t> bytes);

// True for a name of ReplaceFile's temporary files.
bool IsTemporaryName(std::string_view fileName);
// A save removes a temporary file left in its folder only when it is one of
// ours by name, a regular file (never a link), owned by us and untouched for
// this long: a save still running is never that slow.
inline constexpr int TemporaryLeftoverAge = 60;

// The write(2) that ReplaceFile uses: a test sets it to make a disk full, or
// to hold a save between its write and its rename.
using WriteCall = ssize_t (*)(int fd, const void* data, std::size_t size);
extern WriteCall FileWriteCall;

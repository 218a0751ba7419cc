// Reading and writing whole small files for the icon commands, safely: only
// regular files are read (a FIFO or a device must never block the program),
// and a file is replaced only once its new content is completely written and
// on the disk.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include <sys/types.h>

#include <QByteArray>
#include <QString>

// File names as the file system spells them. A name holds any bytes, but a
// QString holds text: valid UTF-8 is decoded as usual, and every byte that is
// not part of valid UTF-8 becomes the lone surrogate U+DC80..U+DCFF, which
// NativeName turns back into that byte. So every name survives the round
// trip, where QFile::decodeName would turn such bytes into U+FFFD.
QString NameFromNative(std::string_view native);
QByteArray NativeName(const QString& name);
// For showing: each byte kept by NameFromNative as U+FFFD.
QString DisplayName(QString name);

// What a path names, following symbolic links.
enum class PathKind { Missing, Directory, Special, Unreadable, Regular };
PathKind Examine(const QString& path);

// At most maxBytes from the start of a regular file; nothing when the path is
// missing, unreadable or not a regular file (directory, FIFO, device). A
// special file is never even opened.
std::optional<std::vector<std::uint8_t>> ReadFileStart(const QString& path, std::size_t maxBytes);
// A missing file may be written; an existing one only when it is a regular
// file that is not read-only (no write permission bit, or none for us).
bool IsReplaceable(const QString& path);
// Writes the bytes to a temporary file beside the target, forces them to the
// disk and renames the temporary file over the target, which keeps its mode
// and, where we may set them, its owner and group. A symbolic link is kept and
// its target written. A file with several hard links is written in place once
// the temporary copy is complete, so every link sees the new content. The
// temporary name is fixed (".NAME.pikselar-tmp"), so one left by a crash is
// removed by the next save. False, with the target untouched, on any failure
// and for a target that is not replaceable.
bool ReplaceFile(const QString& path, std::span<const std::uint8_t> bytes);

// The name of the temporary file ReplaceFile uses for `path`.
QString TemporaryNameFor(const QString& path);

// The write(2) that ReplaceFile uses: a test sets it to make a disk full.
using WriteCall = ssize_t (*)(int fd, const void* data, std::size_t size);
extern WriteCall FileWriteCall;
